#pragma once

class DirListBox;
class DriveListBox;
class FileListBox;
class PictureBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The main window's 44 controls, built at their pixel places with their
// captions, fonts and colours and the tab order, in one place. The controls
// carry the names the workflow gives them.
struct Form1Ui
{
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

    // Creates every control as a child of the form, and the tab order.
    void setupUi(QWidget *form);
    // Sets every caption, tooltip and accessible name in the language chosen.
    void retranslateUi();

private:
    void setTabOrder();
};
