// curvix-trace: the window's trace from the command line, for many figures.
#include "batch/batch_options.h"
#include "batch/batch_runner.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("curvix-trace"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CURVIX_VERSION));

    const ParsedCommandLine parsed = parseCommandLine(QCoreApplication::arguments(), QThread::idealThreadCount());
    if (!parsed.options) {
        std::fputs(qPrintable(parsed.output), stdout);
        std::fputs(qPrintable(parsed.error), stderr);
        return parsed.exitStatus;
    }

    const bool terminal = isatty(fileno(stderr));
    bool progressShown = false;
    BatchConsole console;
    console.out = [](const QByteArray &bytes) { std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout); };
    console.error = [&](const QString &text) {
        std::fprintf(stderr, "%scurvix-trace: %s\n", progressShown ? "\r\033[K" : "", qPrintable(text));
    };
    if (terminal) {
        console.progress = [&](const QString &text) {
            std::fprintf(stderr, "\r\033[Kcurvix-trace: %s", qPrintable(text));
            progressShown = true;
        };
    }
    const int status = runBatch(*parsed.options, console);
    if (progressShown)
        std::fputc('\n', stderr);
    return status;
}
