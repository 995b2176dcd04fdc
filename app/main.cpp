#include "app/fonts.h"
#include "app/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Curvix-Digitizer"));
    Fonts::installSubstitutes();
    MainWindow window;
    window.show();
    return app.exec();
}
