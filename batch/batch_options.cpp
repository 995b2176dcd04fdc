#include "batch/batch_options.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

const QString Program = QStringLiteral("curvix-trace");

ParsedCommandLine usageError(const QString &what, const QCommandLineParser &parser)
{
    return {std::nullopt, QString(), QStringLiteral("%1: %2\n\n%3").arg(Program, what, parser.helpText()), 2};
}

// "A,B" as two whole pixel positions.
std::optional<CornerPixel> pixelPair(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false, okY = false;
    const int x = parts[0].trimmed().toInt(&okX);
    const int y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY || x < 0 || y < 0 || x > CalibrationFile::MaxPixel || y > CalibrationFile::MaxPixel)
        return std::nullopt;
    return CornerPixel{float(x), float(y)};
}

} // namespace

QString outputExtension(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Tsv:
        return QStringLiteral("tsv");
    case OutputFormat::Json:
        return QStringLiteral("json");
    case OutputFormat::Csv:
        break;
    }
    return QStringLiteral("csv");
}

ParsedCommandLine parseCommandLine(const QStringList &arguments, int defaultJobs)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Traces the curve of each chart image under one calibration and writes its points:\n"
        "the same file the Curvix Digitizer window saves, or TSV or JSON."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Shows the version."));
    const QCommandLineOption project(QStringLiteral("project"),
                                     QStringLiteral("Reads the calibration (and trace options) from a calibration file."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption start(QStringLiteral("start"), QStringLiteral("Pixel of the lower left frame corner."),
                                   QStringLiteral("SX,SY"));
    const QCommandLineOption end(QStringLiteral("end"), QStringLiteral("Pixel of the upper right frame corner."),
                                 QStringLiteral("EX,EY"));
    const QCommandLineOption values(QStringLiteral("values"),
                                    QStringLiteral("Axis values of the two corners, read as the window reads them."),
                                    QStringLiteral("X1,Y1,X2,Y2"));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("linear-linear (default), linear-log or log-log."),
                                   QStringLiteral("SCALE"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("Folder for the output files (default: beside each image); "
                                                "- writes the one image's points to stdout."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("csv (default), tsv or json."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption maxColumns(QStringLiteral("max-columns"),
                                        QStringLiteral("Columns traced at most (default 1000, as the window; 0: no limit)."),
                                        QStringLiteral("N"));
    const QCommandLineOption jobs(QStringLiteral("j"), QStringLiteral("Files traced at once (default: the number of cores)."),
                                  QStringLiteral("N"));
    const QCommandLineOption line(QStringLiteral("line"),
                                  QStringLiteral("top (default: the topmost darkest pixel, as the window) or centre "
                                                 "(the line's weighted centre)."),
                                  QStringLiteral("RULE"));
    const QCommandLineOption colour(QStringLiteral("colour"),
                                    QStringLiteral("Traces the pixels nearest to this colour instead of the darkest."),
                                    QStringLiteral("RRGGBB"));
    const QCommandLineOption tolerance(QStringLiteral("tolerance"),
                                       QStringLiteral("Largest RGB distance from --colour that counts (default 60)."),
                                       QStringLiteral("N"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Prints errors only."));
    parser.addOptions({help, version, project, start, end, values, scale, out, format, maxColumns, jobs, line,
                       colour, tolerance, quiet});
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("Chart images to trace."),
                                 QStringLiteral("IMAGE..."));

    if (!parser.parse(arguments))
        return usageError(parser.errorText(), parser);
    if (parser.isSet(help))
        return {std::nullopt, parser.helpText(), QString(), 0};
    if (parser.isSet(version))
        return {std::nullopt, QStringLiteral("%1 %2\n").arg(Program, QStringLiteral(CURVIX_VERSION)), QString(), 0};

    BatchOptions options;
    CalibrationFile &file = options.calibration;
    bool haveCorners = false;
    if (parser.isSet(project)) {
        const QString path = parser.value(project);
        const CalibrationFileRead read = readCalibrationFile(path);
        if (!read.file)
            return {std::nullopt, QString(), QStringLiteral("%1: %2: %3\n").arg(Program, path, read.error), 2};
        file = *read.file;
        haveCorners = true;
        if (!file.image.isEmpty())
            file.image = QFileInfo(QFileInfo(path).dir(), file.image).filePath();
    }
    if (parser.isSet(start)) {
        const auto pixel = pixelPair(parser.value(start));
        if (!pixel)
            return usageError(QStringLiteral("--start must be two whole pixel positions, as 80,540"), parser);
        file.start = *pixel;
    }
    if (parser.isSet(end)) {
        const auto pixel = pixelPair(parser.value(end));
        if (!pixel)
            return usageError(QStringLiteral("--end must be two whole pixel positions, as 770,30"), parser);
        file.end = *pixel;
    }
    if (parser.isSet(values)) {
        const QStringList texts = parser.value(values).split(u',');
        if (texts.size() != 4)
            return usageError(QStringLiteral("--values must be four values, as 0,1,50,10000"), parser);
        file.values = {texts[0], texts[1], texts[2], texts[3]};
    }
    if (!haveCorners && !(parser.isSet(start) && parser.isSet(end) && parser.isSet(values)))
        return usageError(QStringLiteral("give the calibration: --project FILE, or --start, --end and --values"), parser);
    if (parser.isSet(scale)) {
        const auto s = scaleFromName(parser.value(scale));
        if (!s)
            return usageError(QStringLiteral("--scale must be linear-linear, linear-log or log-log"), parser);
        file.scale = *s;
    }
    if (parser.isSet(line)) {
        const auto rule = lineRuleFromName(parser.value(line));
        if (!rule)
            return usageError(QStringLiteral("--line must be top or centre"), parser);
        file.trace.line = *rule;
    }
    if (parser.isSet(colour)) {
        const auto rgb = colourFromName(parser.value(colour));
        if (!rgb)
            return usageError(QStringLiteral("--colour must be a colour RRGGBB, as ff0000"), parser);
        file.trace.colour = rgb;
    }
    auto wholeNumber = [&](const QCommandLineOption &option, int lowest, int highest) -> std::optional<int> {
        bool ok = false;
        const int n = parser.value(option).toInt(&ok);
        if (!ok || n < lowest || n > highest)
            return std::nullopt;
        return n;
    };
    if (parser.isSet(tolerance)) {
        const auto n = wholeNumber(tolerance, 0, 442);
        if (!n)
            return usageError(QStringLiteral("--tolerance must be a whole number from 0 to 442"), parser);
        file.trace.tolerance = *n;
    }
    if (parser.isSet(maxColumns)) {
        const auto n = wholeNumber(maxColumns, 0, 1 << 24);
        if (!n)
            return usageError(QStringLiteral("--max-columns must be a whole number, 0 for no limit"), parser);
        file.trace.maxColumns = *n;
    }
    options.jobs = defaultJobs;
    if (parser.isSet(jobs)) {
        const auto n = wholeNumber(jobs, 1, 1024);
        if (!n)
            return usageError(QStringLiteral("-j must be a whole number from 1 to 1024"), parser);
        options.jobs = *n;
    }
    if (parser.isSet(format)) {
        const QString name = parser.value(format);
        if (name == QStringLiteral("csv"))
            options.format = OutputFormat::Csv;
        else if (name == QStringLiteral("tsv"))
            options.format = OutputFormat::Tsv;
        else if (name == QStringLiteral("json"))
            options.format = OutputFormat::Json;
        else
            return usageError(QStringLiteral("--format must be csv, tsv or json"), parser);
    }
    options.quiet = parser.isSet(quiet);

    options.images = parser.positionalArguments();
    if (options.images.isEmpty() && !file.image.isEmpty())
        options.images = {file.image};
    if (options.images.isEmpty())
        return usageError(QStringLiteral("no image given"), parser);

    if (parser.isSet(out)) {
        options.outDir = parser.value(out);
        if (options.outDir == QStringLiteral("-")) {
            options.outDir.clear();
            options.toStdout = true;
            if (options.images.size() != 1)
                return usageError(QStringLiteral("--out - takes exactly one image"), parser);
        }
    }
    return {options, QString(), QString(), 0};
}
