#include "app/fonts.h"
#include "app/main_window.h"
#include "app/titles.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Titles::application());
    Fonts::installSubstitutes();
    MainWindow window;
    window.show();
    return app.exec();
}
