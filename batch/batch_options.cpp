#include "batch/batch_options.h"

#include "files/pdf_page.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

const QString Program = QStringLiteral("curvix-trace");

ParsedCommandLine usageError(const QString &what, const QCommandLineParser &parser)
{
    return {std::nullopt, QString(), QStringLiteral("%1: %2\n\n%3").arg(Program, what, parser.helpText()), 2};
}

// "A,B,..." as `count` pixel positions, fractions allowed.
std::optional<std::vector<double>> positionList(const QString &text, int count)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<double> numbers;
    for (const QString &part : parts) {
        bool ok = false;
        const double n = QLocale::c().toDouble(part.trimmed(), &ok);
        if (!ok || !(n >= 0) || n > CalibrationFile::MaxPixel)
            return std::nullopt;
        numbers.push_back(n);
    }
    return numbers;
}

std::optional<QPointF> seedPoint(const QString &text)
{
    const auto numbers = positionList(text, 2);
    if (!numbers)
        return std::nullopt;
    return QPointF((*numbers)[0], (*numbers)[1]);
}

std::optional<QRectF> exclusionRect(const QString &text)
{
    const auto numbers = positionList(text, 4);
    if (!numbers || (*numbers)[2] <= 0 || (*numbers)[3] <= 0)
        return std::nullopt;
    return QRectF((*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]);
}

// "A,B" as two pixel positions, fractions allowed.
std::optional<CornerPixel> pixelPair(const QString &text)
{
    const auto numbers = positionList(text, 2);
    if (!numbers)
        return std::nullopt;
    return CornerPixel{float((*numbers)[0]), float((*numbers)[1])};
}

std::optional<CornerTexts> cornerTexts(const QString &text)
{
    const QStringList texts = text.split(u',');
    if (texts.size() != 4)
        return std::nullopt;
    return CornerTexts{texts[0], texts[1], texts[2], texts[3]};
}

std::optional<OutputFormat> formatFromName(const QString &name)
{
    for (OutputFormat format : {OutputFormat::Csv, OutputFormat::Tsv, OutputFormat::Json}) {
        if (name == outputExtension(format))
            return format;
    }
    return std::nullopt;
}

// A reader of whole numbers from `lowest` to `highest`.
auto wholeNumber(int lowest, int highest)
{
    return [lowest, highest](const QString &text) -> std::optional<int> {
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < lowest || n > highest)
            return std::nullopt;
        return n;
    };
}

// Reads a given option's value into `target`; false when it does not read.
template<typename T, typename Read>
bool readOption(const QCommandLineParser &parser, const QCommandLineOption &option, Read read, T &target)
{
    if (!parser.isSet(option))
        return true;
    const auto value = read(parser.value(option));
    if (!value)
        return false;
    target = *value;
    return true;
}

} // namespace

std::vector<BatchOptions> traceVariants(const BatchOptions &options)
{
    std::vector<BatchOptions> variants;
    for (const Dataset &dataset : options.calibration.datasets) {
        if (dataset.kind != DatasetKind::Curve || !dataset.trace || !(dataset.trace->seed || dataset.trace->colour))
            continue;
        BatchOptions variant = options;
        variant.calibration.trace = *dataset.trace;
        variant.calibration.trace.exclusions = options.calibration.trace.exclusions;
        variant.calibration.trace.maxColumns = options.calibration.trace.maxColumns;
        QString name = dataset.name;
        name.replace(u'/', u'_').replace(u'\\', u'_');
        variant.outputInfix = u'.' + name;
        variants.push_back(std::move(variant));
    }
    if (variants.empty())
        variants.push_back(options);
    return variants;
}

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
                                   QStringLiteral("linear-linear (default), linear-log, log-log or log-linear."),
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
                                    QStringLiteral("Traces the pixels of this colour, or of its blends with white at a "
                                                   "thin line's edge, instead of the darkest."),
                                    QStringLiteral("RRGGBB"));
    const QCommandLineOption tolerance(QStringLiteral("tolerance"),
                                       QStringLiteral("Largest RGB distance from the blend of --colour with white "
                                                      "that counts (default 60)."),
                                       QStringLiteral("N"));
    const QCommandLineOption follow(QStringLiteral("follow"),
                                    QStringLiteral("Follows one curve: a continuous path through legends, tick marks, "
                                                   "markers and crossings, bridged where the curve is hidden."));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("A pixel on the wanted curve: the followed path passes it, and the report follows it."),
                                  QStringLiteral("X,Y"));
    const QCommandLineOption exclude(QStringLiteral("exclude"),
                                     QStringLiteral("A rectangle in which nothing is read (a legend, a text); repeatable."),
                                     QStringLiteral("X,Y,W,H"));
    const QCommandLineOption overlay(QStringLiteral("overlay"),
                                     QStringLiteral("Also writes NAME.overlay.png into DIR: the picture with the frame, "
                                                    "the traced points, and doubtful and bridged columns marked."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption page(QStringLiteral("page"), QStringLiteral("The page of a PDF to trace (default 1)."),
                                  QStringLiteral("N"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("The resolution a PDF page is rendered at (default 300)."), QStringLiteral("D"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Prints errors only."));
    const QCommandLineOption findAxes(QStringLiteral("find-axes"),
                                      QStringLiteral("Finds each picture's axes from its ticks and tick labels and prints the "
                                                     "calibration file (with --out DIR: writes NAME.calibration.json); "
                                                     "exit status 1 for a picture without one."));
    const QCommandLineOption autoAxes(QStringLiteral("auto"),
                                      QStringLiteral("Traces each picture with the calibration its own axes give; a picture "
                                                     "without one is skipped with exit status 1."));
    parser.addOptions({help, version, project, start, end, values, scale, out, format, maxColumns, jobs, line,
                       colour, tolerance, follow, seed, exclude, overlay, page, dpi, quiet, findAxes, autoAxes});
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
    if (!readOption(parser, start, pixelPair, file.start))
        return usageError(QStringLiteral("--start must be two pixel positions, as 80,540"), parser);
    if (!readOption(parser, end, pixelPair, file.end))
        return usageError(QStringLiteral("--end must be two pixel positions, as 770,30"), parser);
    if (!readOption(parser, values, cornerTexts, file.values))
        return usageError(QStringLiteral("--values must be four values, as 0,1,50,10000"), parser);
    if (parser.isSet(findAxes) && parser.isSet(autoAxes))
        return usageError(QStringLiteral("--find-axes and --auto exclude each other"), parser);
    options.axes = parser.isSet(findAxes) ? AxesSource::Find : parser.isSet(autoAxes) ? AxesSource::Auto : AxesSource::Given;
    if (options.axes != AxesSource::Given)
        haveCorners = true; // each picture gives its own
    if (!haveCorners && !(parser.isSet(start) && parser.isSet(end) && parser.isSet(values)))
        return usageError(QStringLiteral("give the calibration: --project FILE, or --start, --end and --values"), parser);
    if (!readOption(parser, scale, scaleFromName, file.scale))
        return usageError(QStringLiteral("--scale must be linear-linear, linear-log, log-log or log-linear"), parser);
    if (!readOption(parser, line, lineRuleFromName, file.trace.line))
        return usageError(QStringLiteral("--line must be top or centre"), parser);
    std::optional<QRgb> colourValue;
    if (!readOption(parser, colour, colourFromName, colourValue))
        return usageError(QStringLiteral("--colour must be a colour RRGGBB, as ff0000"), parser);
    if (colourValue)
        file.trace.colour = colourValue;
    if (!readOption(parser, tolerance, wholeNumber(0, TraceLimits::MaxTolerance), file.trace.tolerance))
        return usageError(QStringLiteral("--tolerance must be a whole number from 0 to %1").arg(TraceLimits::MaxTolerance), parser);
    if (!readOption(parser, maxColumns, wholeNumber(0, TraceLimits::UnlimitedColumns), file.trace.maxColumns))
        return usageError(QStringLiteral("--max-columns must be a whole number, 0 for no limit"), parser);
    options.jobs = defaultJobs;
    if (!readOption(parser, jobs, wholeNumber(1, 1024), options.jobs))
        return usageError(QStringLiteral("-j must be a whole number from 1 to 1024"), parser);
    if (!readOption(parser, format, formatFromName, options.format))
        return usageError(QStringLiteral("--format must be csv, tsv or json"), parser);
    if (parser.isSet(follow))
        file.trace.follow = true;
    if (!readOption(parser, seed, seedPoint, file.trace.seed))
        return usageError(QStringLiteral("--seed must be two pixel positions, as 412.5,300"), parser);
    if (parser.isSet(exclude)) {
        file.trace.exclusions.clear();
        for (const QString &text : parser.values(exclude)) {
            const auto rect = exclusionRect(text);
            if (!rect)
                return usageError(QStringLiteral("--exclude must be X,Y,W,H: pixel positions and a size above 0"), parser);
            file.trace.exclusions.push_back(*rect);
        }
    }
    if (parser.isSet(overlay)) {
        options.overlayDir = parser.value(overlay);
        if (!QFileInfo(options.overlayDir).isDir())
            return {std::nullopt, QString(),
                    QStringLiteral("%1: %2: the overlay folder does not exist\n").arg(Program, options.overlayDir), 1};
    }
    if (!readOption(parser, page, wholeNumber(1, 100000), file.page))
        return usageError(QStringLiteral("--page must be a page number from 1"), parser);
    if (!readOption(parser, dpi, wholeNumber(PdfPage::MinDpi, PdfPage::MaxDpi), file.dpi))
        return usageError(QStringLiteral("--dpi must be a whole number from %1 to %2").arg(PdfPage::MinDpi).arg(PdfPage::MaxDpi), parser);
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
