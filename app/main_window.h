#pragma once

#include "app/graph_window.h"
#include "calibration/calibration.h"
#include "app/work_state.h"

#include "digitize/auto_trace.h"

#include <QPointer>
#include <QWidget>

class DirListBox;
class Loupe;
class DriveListBox;
class FileListBox;
class PictureBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct AxisFault;
struct TraceResult;

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
    // The corners and scale of the working state with the values typed in
    // Text1 ... Text4, read afresh.
    Calibration calibration() const;
    // The graph window, or null before the first "Graph Draw" or after the
    // user closed it by its close box.
    GraphWindow *graphWindow() const { return m_graphWindow; }

    // Image browser.
    QLabel *Label6;        // "画像ファイル"
    DriveListBox *Drive1;  // image drives
    DirListBox *Dir1;      // image folders
    FileListBox *File1;    // image files
    QPushButton *Command1; // "OK": load the selected image
    QPushButton *Command2; // "Reset"
    // Calibration panel.
    QLabel *Label8;        // "Graph   Pixel"
    QPushButton *Command3; // "始点": capture the lower left corner
    QPushButton *Command4; // "終点": capture the upper right corner
    QLabel *Label1;        // "X座標" of the start point
    QLabel *Label2;        // "Y座標" of the start point
    QLabel *Label3;        // "X座標" of the end point
    QLabel *Label4;        // "Y座標" of the end point
    QLineEdit *Text1;      // start point X value
    QLineEdit *Text2;      // start point Y value
    QLineEdit *Text3;      // end point X value
    QLineEdit *Text4;      // end point Y value
    QLineEdit *Text5;      // start point pixel X
    QLineEdit *Text6;      // start point pixel Y
    QLineEdit *Text7;      // end point pixel X
    QLineEdit *Text8;      // end point pixel Y
    // Scale choice.
    QGroupBox *Frame1;     // "Scale Mode"
    QRadioButton *Option1; // "Linear - Linear"
    QRadioButton *Option2; // "Linear - Logarithm"
    QRadioButton *Option3; // "Logarithm - Logarithm"
    // Actions.
    QPushButton *Command9; // "Point Digitize"
    QPushButton *Command5; // "Auto Digitize"
    QPushButton *Command8; // "Graph Draw"
    // Save area.
    QLabel *Label7;        // "ディジタルデータ保存"
    DriveListBox *Drive2;  // save drives
    DirListBox *Dir2;      // save folders
    FileListBox *File2;    // data files already there
    QLabel *Label5;        // "ファイル名（拡張子なし）"
    QLineEdit *Text9;      // data file name
    QPushButton *Command6; // "File Save"
    // Exit corner.
    QPushButton *Command7; // the exit door: save the settings and end
    QLabel *Picture2;      // the pointing hand beside it
    // Picture area and read-out.
    QLabel *Label9;        // "適用最大画像 1000×800 ピクセル"
    PictureBox *Picture1;  // the picture area
    QLabel *Label11;       // "X座標" of the read-out
    QLineEdit *Text10;     // read-out X value
    QLabel *Label12;       // "Y座標" of the read-out
    QLineEdit *Text11;     // read-out Y value
    QLabel *Label10;       // "© Curvix Digitizer"

    // Loads a picture named on the command line as "OK" loads one; the image
    // browser moves to its folder and selects it when the list shows such names.
    void openFromCommandLine(const QString &path);
    // Loads the first of files dropped on the window; only local files load.
    void dropFiles(const QList<QUrl> &urls);

    // The precision aids, each switched by its key and off at start.
    bool isLoupeOn() const { return m_loupeOn; }
    bool isGridOn() const;
    bool isTraceOverlayOn() const;
    Loupe *loupe() const { return m_loupe; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void setTabOrder();
    void connectHandlers();
    void startUp();

    // Image browser, reset and exit.
    void loadImage();
    // Loads a picture file as "OK" does, with any transparency put on white;
    // a file that can't be read shows why and changes nothing.
    bool loadPictureFile(const QString &path);
    void showPicture(const QImage &picture, const QString &path);
    void reportUnreadablePicture(const QString &path, const QString &reason);
    void reset();
    void exitAndSave();
    void showBanner();
    void hideMarkers();
    void reportUnreadableFolder(const QString &path);

    // Calibration, digitizing, output.
    void armCapture(ClickMode mode);
    void pictureMouseDown(float x, float y);
    void captureCorner(float x, float y);
    void digitizePoint(float x, float y);
    void autoDigitize();
    void saveData();
    void drawGraph();
    void closeGraph();
    void setCrossMarker(int horizontal, float x, float y);
    void reportFault(const AxisFault &fault);

    // Precision aids and their keys.
    void createAids();
    void toggleLoupe();
    void updateLoupe(QPoint pixel);
    void toggleGrid();
    void toggleTraceOverlay();
    void copyTrace();
    void saveCalibration();
    void openCalibration();
    void nudge(int dx, int dy);
    void showKeys();
    // Other ways to get a picture in: a file dropped on the window, Ctrl+V.
    void createInputWays();
    void pastePicture();
    // Both corners captured since the start or the last Reset.
    bool cornersCaptured() const { return m_startCaptured && m_endCaptured; }
    // Sets a corner as a press in capture mode does, without moving the focus.
    void setCorner(bool start, float x, float y);
    // A new picture (or none) is shown: its file, and the old trace's overlay off.
    void forgetPicture(const QString &path);

    WorkState m_state;
    QPointer<GraphWindow> m_graphWindow;

    // The item placed last, which Alt+arrow keys move.
    enum class Placed { Nothing, StartPoint, EndPoint, Point };
    Placed m_lastPlaced = Placed::Nothing;
    QPoint m_lastPixel;
    bool m_startCaptured = false;
    bool m_endCaptured = false;
    QString m_picturePath; // the file of the picture shown, empty when none or pasted
    TraceOptions m_fileTraceOptions; // kept from an opened calibration file for its next save
    float m_tracedFirstColumn = 0;
    Loupe *m_loupe = nullptr;
    bool m_loupeOn = false;
    int m_gridOverlay = -1;
    int m_traceOverlay = -1;
};
