#include "app/command_line.h"
#include "app/fonts.h"
#include "app/language.h"
#include "app/main_window.h"
#include "app/titles.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The command line is read before any window, so that --help, --version
    // and a wrong call answer even where there is no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const AppCommandLine command = parseAppCommandLine(arguments);
    if (command.exitNow) {
        std::fputs(command.out.toLocal8Bit().constData(), stdout);
        std::fputs(command.err.toLocal8Bit().constData(), stderr);
        return command.exitStatus;
    }
    if (const QString missing = noDisplayMessage(command); !missing.isEmpty()) {
        std::fputs(missing.toLocal8Bit().constData(), stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(Titles::application());
    QApplication::setApplicationVersion(QStringLiteral(CURVIX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.curvix.Digitizer"));
    Fonts::installSubstitutes();
    if (!command.language.isEmpty())
        Language::remember(Language::fromName(command.language));
    Language::apply(command.language.isEmpty() ? Language::remembered() : Language::fromName(command.language));
    MainWindow window;
    window.show();
    window.startRecovery();
    if (!command.image.isEmpty())
        QTimer::singleShot(0, &window, [&window, image = command.image] { window.openFromCommandLine(image); });
    return app.exec();
}
