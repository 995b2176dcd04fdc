// The floor for the start-up figure: an empty Qt window of the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(1205, 854);
    window.show();
    return app.exec();
}
