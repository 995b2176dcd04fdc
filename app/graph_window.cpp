#include "app/graph_window.h"

#include "app/fonts.h"
#include "app/icons.h"
#include "app/picture_box.h"
#include "app/titles.h"
#include "app/window_placement.h"
#include "output/graph_drawing.h"

#include <QPushButton>

GraphWindow::GraphWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Titles::graphWindow());
    setWindowIcon(QIcon(Icons::graphWindow()));
    // Closing by the close box discards the window and its drawing.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(1024, 829);
    centreOnScreen(this);

    Picture1 = new PictureBox(Qt::white, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(8, 8);
    Picture1->setFont(Fonts::font(Fonts::TimesNewRoman, 20.25));
    Picture1->setCursor(Qt::ArrowCursor);
    Picture1->setAccessibleName(Titles::graphWindow());

    Command1 = new QPushButton(QStringLiteral("Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(960, 792, 57, 25);
    Command1->setFont(Fonts::font(Fonts::TimesNewRoman, 11.25));
    Command1->setAutoDefault(true);
    Command1->raise();
    QWidget::setTabOrder(Picture1, Command1);
    scrollWhereTooLarge(this);
    centreOnScreen(this);
}

GraphDrawOutcome GraphWindow::draw(const Calibration &calibration, std::span<const float> pickedRows)
{
    const GraphDrawOutcome outcome = drawGraph(Picture1->surface(), calibration, pickedRows, Picture1->font(),
                                               palette().color(QPalette::ButtonText));
    Picture1->surfaceChanged();
    return outcome;
}
