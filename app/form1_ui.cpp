// Builds the main window's controls at their pixel places, with their
// captions, fonts, colours and tab order.
#include "app/form1_ui.h"

#include "app/fonts.h"
#include "app/file_lists.h"
#include "app/icons.h"
#include "app/picture_box.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor LightYellow(255, 255, 192);
const QColor LightCyan(192, 255, 255);
const QColor Blue(0, 0, 255);
const QColor Grey(128, 128, 128);

template<typename W>
W *place(W *widget, const char *name, int x, int y, int w, int h, const QFont *font = nullptr)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    if (font)
        widget->setFont(*font);
    return widget;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, int x, int y, int w, int h,
                    const QFont &font)
{
    auto *b = place(new QPushButton(caption, parent), name, x, y, w, h, &font);
    // Enter clicks the focused button, as it does in dialogs.
    b->setAutoDefault(true);
    return b;
}

QLineEdit *edit(QWidget *parent, const char *name, int x, int y, const QFont &font, int w = 41)
{
    return place(new QLineEdit(parent), name, x, y, w, 25, &font);
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, int x, int y, int w, int h,
              const QFont &font)
{
    return place(new QLabel(caption, parent), name, x, y, w, h, &font);
}

void setForeground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A caption box beside a field: centred text in a thin border.
void makeCaptionBox(QLabel *label, const QColor &background)
{
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(Qt::AlignCenter);
    setBackground(label, background);
}

} // namespace

void Form1Ui::setupUi(QWidget *form)
{
    using namespace Fonts;
    const QFont tnr975 = Fonts::font(TimesNewRoman, 9.75);
    const QFont tnr1125 = Fonts::font(TimesNewRoman, 11.25);
    const QFont tnr12 = Fonts::font(TimesNewRoman, 12);
    const QFont hg975 = Fonts::font(RoundGothic, 9.75);
    const QFont hg1125 = Fonts::font(RoundGothic, 11.25);
    const QFont hg12 = Fonts::font(RoundGothic, 12);
    const QFont msp1125 = Fonts::font(ProportionalGothic, 11.25);

    // Image browser.
    Label6 = label(form, "Label6", QString(), 40, 8, 96, 16, hg12);
    setForeground(Label6, Blue);
    Drive1 = place(new DriveListBox(form), "Drive1", 8, 24, 161, 20);
    Dir1 = place(new DirListBox(form), "Dir1", 8, 40, 161, 76);
    File1 = place(new FileListBox({QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.gif"),
                                   QStringLiteral("*.tif")},
                                  form),
                  "File1", 8, 112, 161, 90);
    Command1 = button(form, "Command1", QString(), 8, 208, 73, 25, tnr12);
    Command2 = button(form, "Command2", QString(), 96, 208, 73, 25, tnr12);

    // Calibration panel.
    Label8 = label(form, "Label8", QString(), 96, 240, 65, 15, tnr975);
    Command3 = button(form, "Command3", QString(), 8, 256, 25, 49, hg1125);
    Command4 = button(form, "Command4", QString(), 8, 312, 25, 49, hg1125);

    Label1 = label(form, "Label1", QString(), 32, 256, 57, 25, hg1125);
    Label2 = label(form, "Label2", QString(), 32, 280, 57, 25, hg1125);
    Label3 = label(form, "Label3", QString(), 32, 312, 57, 25, hg1125);
    Label4 = label(form, "Label4", QString(), 32, 336, 57, 25, hg1125);
    Text1 = edit(form, "Text1", 88, 256, tnr1125);
    Text2 = edit(form, "Text2", 88, 280, tnr1125);
    Text3 = edit(form, "Text3", 88, 312, tnr1125);
    Text4 = edit(form, "Text4", 88, 336, tnr1125);
    Text5 = edit(form, "Text5", 128, 256, tnr1125);
    Text6 = edit(form, "Text6", 128, 280, tnr1125);
    Text7 = edit(form, "Text7", 128, 312, tnr1125);
    Text8 = edit(form, "Text8", 128, 336, tnr1125);
    for (QLabel *caption : {Label1, Label2, Label3, Label4})
        makeCaptionBox(caption, LightYellow);
    for (QLineEdit *pixel : {Text5, Text6, Text7, Text8}) {
        setBackground(pixel, LightYellow);
        pixel->setEnabled(false);
    }

    // Scale choice.
    Frame1 = place(new QGroupBox(form), "Frame1", 8, 368, 161, 81, &tnr975);
    Option1 = place(new QRadioButton(Frame1), "Option1", 8, 16, 113, 17, &tnr975);
    Option2 = place(new QRadioButton(Frame1), "Option2", 8, 36, 129, 17, &tnr975);
    Option3 = place(new QRadioButton(Frame1), "Option3", 8, 56, 145, 17, &tnr975);
    Option1->setChecked(true);

    // Actions.
    Command9 = button(form, "Command9", QString(), 8, 456, 161, 25, tnr12);
    Command5 = button(form, "Command5", QString(), 8, 488, 161, 25, tnr12);
    Command8 = button(form, "Command8", QString(), 8, 520, 161, 27, tnr1125);

    // Save area.
    Label7 = label(form, "Label7", QString(), 16, 552, 150, 15, hg1125);
    setForeground(Label7, Blue);
    Drive2 = place(new DriveListBox(form), "Drive2", 8, 568, 161, 20);
    Dir2 = place(new DirListBox(form), "Dir2", 8, 584, 161, 62);
    File2 = place(new FileListBox({QStringLiteral("*.csv")}, form), "File2", 8, 640, 161, 90);
    setBackground(File2, Qt::white);
    Label5 = label(form, "Label5", QString(), 8, 736, 161, 17, hg975);
    Label5->setAlignment(Qt::AlignCenter);
    Text9 = edit(form, "Text9", 8, 752, msp1125, 161);
    Command6 = button(form, "Command6", QString(), 8, 784, 161, 25, tnr12);

    // Exit corner.
    Command7 = button(form, "Command7", QString(), 32, 816, 33, 33, tnr12);
    Command7->setIcon(QIcon(Icons::exitButton()));
    Command7->setIconSize(QSize(32, 32));
    Picture2 = place(new QLabel(form), "Picture2", 112, 816, 34, 34);
    Picture2->setPixmap(Icons::exitPointer());
    Picture2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture2->setLineWidth(1);
    Picture2->setFocusPolicy(Qt::StrongFocus);

    // Picture area and read-out.
    Label9 = label(form, "Label9", QString(), 192, 0, 270, 16, hg12);
    setForeground(Label9, Blue);
    Picture1 = place(new PictureBox(QColor::fromRgb(PictureSurface::Background), form), "Picture1", 184, 16,
                     PictureBox::BoxSize.width(), PictureBox::BoxSize.height());
    Picture1->setFont(Fonts::font(TimesNewRoman, 36, true));
    Picture1->setCursor(Qt::CrossCursor);
    for (int i = 0; i < PictureBox::MarkerCount; ++i)
        Picture1->setMarkerVisible(i, true); // shown at creation; start-up hides them

    Label11 = label(form, "Label11", QString(), 456, 824, 57, 25, hg1125);
    makeCaptionBox(Label11, LightCyan);
    Text10 = edit(form, "Text10", 512, 824, tnr1125, 81);
    setBackground(Text10, LightYellow);
    Label12 = label(form, "Label12", QString(), 592, 824, 57, 25, hg1125);
    makeCaptionBox(Label12, LightCyan);
    Text11 = edit(form, "Text11", 648, 824, tnr1125, 81);
    setBackground(Text11, LightYellow);
    Label10 = label(form, "Label10", QString(), 888, 832, 157, 15, tnr975);
    setForeground(Label10, Grey);

    retranslateUi();

    // Each edit box starts with its own name; start-up replaces them all.
    for (QLineEdit *e : form->findChildren<QLineEdit *>())
        e->setText(e->objectName());
    setTabOrder();
}

void Form1Ui::retranslateUi()
{
    // Every caption, tooltip and accessible name, through the translations;
    // the source texts are the window's own.
    auto t = [](const char *text) { return QCoreApplication::translate("Form1", text); };
    Label6->setText(t(QT_TRANSLATE_NOOP("Form1", "画像ファイル")));
    Command1->setText(t(QT_TRANSLATE_NOOP("Form1", "OK")));
    Command2->setText(t(QT_TRANSLATE_NOOP("Form1", "Reset")));
    Label8->setText(t(QT_TRANSLATE_NOOP("Form1", "Graph   Pixel")));
    // The corner buttons are 25 pixels wide: in English a letter, the whole name in the tooltip.
    Command3->setText(t(QT_TRANSLATE_NOOP("Form1", "始\n点")));
    Command3->setAccessibleName(t(QT_TRANSLATE_NOOP("Form1", "始点")));
    Command3->setToolTip(t(QT_TRANSLATE_NOOP("Form1", "始点(左下)を指定")));
    Command4->setText(t(QT_TRANSLATE_NOOP("Form1", "終\n点")));
    Command4->setAccessibleName(t(QT_TRANSLATE_NOOP("Form1", "終点")));
    Command4->setToolTip(t(QT_TRANSLATE_NOOP("Form1", "終点(右上)を指定")));
    const QString x = t(QT_TRANSLATE_NOOP("Form1", "X座標"));
    const QString y = t(QT_TRANSLATE_NOOP("Form1", "Y座標"));
    for (QLabel *caption : {Label1, Label3, Label11})
        caption->setText(x);
    for (QLabel *caption : {Label2, Label4, Label12})
        caption->setText(y);
    const QString cornerNames[] = {t(QT_TRANSLATE_NOOP("Form1", "始点 X座標")), t(QT_TRANSLATE_NOOP("Form1", "始点 Y座標")),
                                   t(QT_TRANSLATE_NOOP("Form1", "終点 X座標")), t(QT_TRANSLATE_NOOP("Form1", "終点 Y座標"))};
    const std::array<QLineEdit *, 4> values{Text1, Text2, Text3, Text4};
    const std::array<QLineEdit *, 4> pixels{Text5, Text6, Text7, Text8};
    for (size_t i = 0; i < 4; ++i) {
        values[i]->setAccessibleName(cornerNames[i] + QStringLiteral(" (Graph)"));
        pixels[i]->setAccessibleName(cornerNames[i] + QStringLiteral(" (Pixel)"));
    }
    Frame1->setTitle(t(QT_TRANSLATE_NOOP("Form1", "Scale Mode")));
    Option1->setText(t(QT_TRANSLATE_NOOP("Form1", "Linear - Linear")));
    Option2->setText(t(QT_TRANSLATE_NOOP("Form1", "Linear - Logarithm")));
    Option3->setText(t(QT_TRANSLATE_NOOP("Form1", "Logarithm - Logarithm")));
    Command9->setText(t(QT_TRANSLATE_NOOP("Form1", "Point Digitize")));
    Command5->setText(t(QT_TRANSLATE_NOOP("Form1", "Auto Digitize")));
    Command8->setText(t(QT_TRANSLATE_NOOP("Form1", "Graph Draw")));
    Command8->setToolTip(t(QT_TRANSLATE_NOOP("Form1", " ディジタル化されたグラフを確認します ")));
    Label7->setText(t(QT_TRANSLATE_NOOP("Form1", "ディジタルデータ保存")));
    Label5->setText(t(QT_TRANSLATE_NOOP("Form1", "ファイル名（拡張子なし）")));
    Text9->setAccessibleName(Label5->text());
    Command6->setText(t(QT_TRANSLATE_NOOP("Form1", "File Save")));
    Command7->setToolTip(t(QT_TRANSLATE_NOOP("Form1", " bye bye ")));
    Command7->setAccessibleName(t(QT_TRANSLATE_NOOP("Form1", "bye bye")));
    Picture2->setToolTip(t(QT_TRANSLATE_NOOP("Form1", " 出口はとなりです ")));
    Picture2->setAccessibleName(t(QT_TRANSLATE_NOOP("Form1", "出口はとなりです")));
    Label9->setText(t(QT_TRANSLATE_NOOP("Form1", "適用最大画像 1000×800 ピクセル")));
    Picture1->setAccessibleName(t(QT_TRANSLATE_NOOP("Form1", "Picture")));
    Text10->setAccessibleName(x);
    Text11->setAccessibleName(y);
    Label10->setText(t(QT_TRANSLATE_NOOP("Form1", "© Curvix Digitizer")));
    // Labels that fit themselves to their text keep their top-left corner.
    for (QLabel *fitted : {Label6, Label7, Label8, Label9, Label10})
        fitted->adjustSize();
}

void Form1Ui::setTabOrder()
{
    const QList<QWidget *> stops{Drive1, Dir1, File1, Command1, Command2, Text1, Text2, Text3, Text4,
                                 Command3, Command4, Command5, Command6, File2, Dir2, Drive2, Text9,
                                 Command7, Picture1, Option1, Option2, Option3, Command8, Picture2,
                                 Text10, Text11, Command9};
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}
