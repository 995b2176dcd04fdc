#pragma once

#include "calibration/work_state.h"

#include "output/graph_window.h"

#include <QPointer>
#include <QWidget>

#include <array>

class DirListBox;
class DriveListBox;
class FileListBox;

class PictureBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct AxisFault;

// Form1, the main window: the image browser, the picture area, the
// calibration panel, the scale choice, the action buttons, the save area and
// the point read-out. The controls carry the names the workflow gives them.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    const WorkState &workState() const { return m_state; }
    // The graph window, or null before the first "Graph Draw" or after the
    // user closed it by its close box.
    GraphWindow *graphWindow() const { return m_graphWindow; }

    // Image browser.
    QLabel *Label6;
    DriveListBox *Drive1;
    DirListBox *Dir1;
    FileListBox *File1;
    QPushButton *Command1;
    QPushButton *Command2;
    // Calibration panel.
    QLabel *Label8;
    QPushButton *Command3;
    QPushButton *Command4;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLineEdit *Text1;
    QLineEdit *Text2;
    QLineEdit *Text3;
    QLineEdit *Text4;
    QLineEdit *Text5;
    QLineEdit *Text6;
    QLineEdit *Text7;
    QLineEdit *Text8;
    // Scale choice.
    QGroupBox *Frame1;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    // Actions.
    QPushButton *Command9;
    QPushButton *Command5;
    QPushButton *Command8;
    // Save area.
    QLabel *Label7;
    DriveListBox *Drive2;
    DirListBox *Dir2;
    FileListBox *File2;
    QLabel *Label5;
    QLineEdit *Text9;
    QPushButton *Command6;
    // Exit corner.
    QPushButton *Command7;
    QLabel *Picture2;
    // Picture area and read-out.
    QLabel *Label9;
    PictureBox *Picture1;
    QLabel *Label11;
    QLineEdit *Text10;
    QLabel *Label12;
    QLineEdit *Text11;
    QLabel *Label10;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void setTabOrder();
    void connectHandlers();
    void startUp();

    // Image browser, reset and exit.
    void loadImage();
    void reset();
    void exitAndSave();
    void showBanner();
    void hideMarkers();
    void reportUnreadableFolder(const QString &path);

    // Calibration, digitizing, output.
    void armCapture(int clickMode);
    void pictureMouseDown(float x, float y);
    void captureCorner(float x, float y);
    void digitizePoint(float x, float y);
    void autoDigitize();
    void saveData();
    void drawGraph();
    void closeGraph();
    void setCrossMarker(int horizontal, float x, float y);
    void reportFault(const AxisFault &fault);

    WorkState m_state;
    QPointer<GraphWindow> m_graphWindow;
};
