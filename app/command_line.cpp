#include "app/command_line.h"

#include <QCommandLineParser>

namespace {

const QString Usage = QStringLiteral(
    "Usage: curvix [options] [IMAGE]\n"
    "Curvix Digitizer: turns a picture of a plotted x-y graph into numbers.\n"
    "With IMAGE (any format the installed Qt image plugins read) the picture is\n"
    "loaded at start, as the image browser's \"OK\" loads one.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Shows this help.\n"
    "  --version      Shows the version.\n"
    "  --lang en|ja   The interface in English or in Japanese (the default), kept\n"
    "                 for the next start; Ctrl+Shift+L switches while it runs.\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are passed on to Qt.\n"
    "The command-line tracer is curvix-trace (see curvix-trace --help).\n");

// Qt's own command-line options, which QApplication takes out of the
// arguments itself; those in the first list take a value.
const char *const QtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                      "qwindowtitle", "qwindowicon", "style", "stylesheet", "session", "display",
                                      "geometry", "title", "name", "qmljsdebugger"};
const char *const QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

AppCommandLine parseAppCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption language(QStringLiteral("lang"), QString(), QStringLiteral("en|ja"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(language);
    for (const char *name : QtValueOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char *name : QtFlagOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    AppCommandLine command;
    auto usageError = [&](const QString &what) {
        command.exitNow = true;
        command.exitStatus = 2;
        command.err = QStringLiteral("curvix: %1\n\n%2").arg(what, Usage);
        return command;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        command.exitNow = true;
        command.out = Usage;
        return command;
    }
    if (parser.isSet(version)) {
        command.exitNow = true;
        command.out = QStringLiteral("curvix %1\n").arg(QStringLiteral(CURVIX_VERSION));
        return command;
    }
    if (parser.isSet(language)) {
        command.language = parser.value(language);
        if (command.language != QStringLiteral("en") && command.language != QStringLiteral("ja"))
            return usageError(QStringLiteral("--lang must be en or ja"));
    }
    const QStringList images = parser.positionalArguments();
    if (images.size() > 1)
        return usageError(QStringLiteral("one image at a time, not %1").arg(images.size()));
    command.image = images.value(0);
    command.platformGiven = parser.isSet(QStringLiteral("platform"));
    return command;
}

QString noDisplayMessage(const AppCommandLine &command)
{
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return QString();
    }
    if (command.platformGiven)
        return QString();
    return QStringLiteral("curvix: there is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                          "is set): start it in a desktop session, log in with ssh -X, or run scripts/run.sh, "
                          "which serves the window over VNC.\n");
}
