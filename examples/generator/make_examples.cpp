// Writes the sample charts into a folder: a linear chart as JPEG, a
// linear-log chart as BMP and GIF, a log-log chart as TIFF, and a figure
// with what real figures carry as PNG.
#include "chart_maker.h"
#include "gif_writer.h"

#include <QGuiApplication>
#include <QDir>
#include <QImageWriter>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Tick labels need fonts, and fonts need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    QTextStream err(stderr);

    const QList<ChartDesign> specs = sampleCharts();
    const struct
    {
        int chart;
        const char *suffix;
    } outputs[] = {{0, "jpg"}, {1, "bmp"}, {1, "gif"}, {2, "tif"}};

    for (const auto &output : outputs) {
        const Chart chart = drawChart(specs[output.chart]);
        const QString path = QDir(folder).filePath(chart.design.name + u'.' + QString::fromLatin1(output.suffix));
        const QLatin1StringView suffix(output.suffix);
        bool ok = false;
        if (suffix == QLatin1StringView("gif")) {
            ok = writeGif(chart.image, path);
        } else {
            QImageWriter writer(path);
            writer.setQuality(95);
            writer.setCompression(1); // LZW for TIFF
            // A palette image keeps the BMP small; JPEG and TIFF stay in full colour.
            ok = writer.write(suffix == QLatin1StringView("bmp")
                                  ? chart.image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)
                                  : chart.image);
        }
        if (!ok) {
            err << "cannot write " << path << Qt::endl;
            return 1;
        }
    }
    // A figure as papers print them: a legend, inward ticks, markers on a
    // dashed curve, an annotation and two more curves that cross it.
    const QString figure = QDir(folder).filePath(QStringLiteral("figure.png"));
    if (!drawChart(realFigureCharts().last()).image.save(figure)) {
        err << "cannot write " << figure << Qt::endl;
        return 1;
    }
    return 0;
}
