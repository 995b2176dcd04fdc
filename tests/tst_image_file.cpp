#include "files/image_file.h"
#include "gif_writer.h"

#include <QBuffer>
#include <QtEndian>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage chartLike()
{
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 120 + (x % 40) - 20, qRgb(0, 0, 0));
        image.setPixel(x, 60, qRgb(200, 200, 200));
    }
    return image;
}

QByteArray encoded(const char *format)
{
    QByteArray bytes;
    if (QByteArrayView(format) == "gif") {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.gif"));
        writeGif(chartLike(), path);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    chartLike().save(&buffer, format);
    return bytes;
}

} // namespace

class TestImageFile : public QObject
{
    Q_OBJECT

private slots:
    void intactFilesLoad_data();
    void intactFilesLoad();
    void otherFormatsRead_data();
    void otherFormatsRead();
    void truncatedFilesAreRefused_data();
    void truncatedFilesAreRefused();
    void damagedHeadersAreRefused_data();
    void damagedHeadersAreRefused();
    void bitFlipsNeverCrash_data();
    void bitFlipsNeverCrash();
    void enormousDimensionsAreRefused();
    void truncatedBitfieldsBmpIsRefused();
    void headerSizesThatOverflow();
    void notAnImage();
    void beyondTheSizeLimit_data();
    void beyondTheSizeLimit();
    void missingFileAndFolder();
};

void TestImageFile::intactFilesLoad_data()
{
    QTest::addColumn<QByteArray>("format");
    for (const char *format : {"jpg", "bmp", "gif", "tif"})
        QTest::newRow(format) << QByteArray(format);
}

void TestImageFile::intactFilesLoad()
{
    QFETCH(QByteArray, format);
    const LoadedImage loaded = decodeImage(encoded(format.constData()));
    QVERIFY2(!loaded.image.isNull(), qPrintable(loaded.error));
    QCOMPARE(loaded.image.size(), QSize(320, 240));
    QVERIFY(qGreen(loaded.image.pixel(10, 110)) < 60);
}

void TestImageFile::otherFormatsRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("green"); // of pixel (10, 110), on the line, once opaque

    auto saved = [](const QImage &image, const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    };
    QImage transparent = chartLike().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < transparent.height(); ++y)
        for (int x = 0; x < transparent.width(); ++x)
            if (transparent.pixel(x, y) != qRgb(0, 0, 0))
                transparent.setPixel(x, y, qRgba(0, 0, 0, 0));
    QTest::newRow("PNG") << saved(chartLike(), "png") << 0;
    QTest::newRow("PNG, 16-bit grey") << saved(chartLike().convertToFormat(QImage::Format_Grayscale16), "png") << 0;
    QTest::newRow("PNG, palette") << saved(chartLike().convertToFormat(QImage::Format_Indexed8), "png") << 0;
    QTest::newRow("PNG, transparent background: white") << saved(transparent, "png") << 0;
    QTest::newRow("PPM") << saved(chartLike(), "ppm") << 0;
    if (QImageReader::supportedImageFormats().contains("webp"))
        QTest::newRow("WebP, lossless") << saved(chartLike(), "webp") << 0;
    QTest::newRow("GIF with bytes after its trailer") << encoded("gif") + QByteArray(64, '\0') << 0;
    QTest::newRow("JPEG with bytes after its end") << encoded("jpg") + QByteArray("padding") << 0;
    QTest::newRow("JPEG padded with what looks like a scan") << encoded("jpg") + QByteArray("\xFF\xDA\x00\x08scan", 8) << 0;
    QByteArray progressive;
    QBuffer buffer(&progressive);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    writer.setProgressiveScanWrite(true);
    writer.write(chartLike());
    QTest::newRow("progressive JPEG") << progressive << 0;
}

void TestImageFile::otherFormatsRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, green);
    const LoadedImage loaded = decodeImage(bytes);
    QVERIFY2(!loaded.image.isNull(), qPrintable(loaded.error));
    const QImage opaque = opaqueOnWhite(loaded.image);
    QVERIFY(!opaque.hasAlphaChannel());
    QCOMPARE(opaque.size(), QSize(320, 240));
    QVERIFY(qAbs(qGreen(opaque.pixel(10, 110)) - green) < 60);
    QCOMPARE(opaque.pixel(200, 20), qRgb(255, 255, 255)); // background, transparent or not
}

void TestImageFile::truncatedFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    for (const char *format : {"jpg", "bmp", "gif", "tif"}) {
        const QByteArray whole = encoded(format);
        for (int percent : {0, 5, 30, 60, 90, 99}) {
            const QByteArray name = QByteArray(format) + " cut at " + QByteArray::number(percent) + "%";
            QTest::newRow(name.constData()) << whole.left(whole.size() * percent / 100);
        }
        QTest::newRow((QByteArray(format) + " without its last byte").constData()) << whole.chopped(1);
    }
}

void TestImageFile::truncatedFilesAreRefused()
{
    QFETCH(QByteArray, bytes);
    const LoadedImage loaded = decodeImage(bytes);
    QVERIFY(loaded.image.isNull());
    QVERIFY(!loaded.error.isEmpty());
}

void TestImageFile::damagedHeadersAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    for (const char *format : {"jpg", "bmp", "gif", "tif"}) {
        QByteArray bytes = encoded(format);
        bytes[0] = char(bytes[0] ^ 0x55);
        bytes[1] = char(bytes[1] ^ 0x55);
        QTest::newRow(format) << bytes;
    }
}

void TestImageFile::damagedHeadersAreRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(decodeImage(bytes).image.isNull());
}

void TestImageFile::bitFlipsNeverCrash_data()
{
    QTest::addColumn<QByteArray>("format");
    for (const char *format : {"jpg", "bmp", "gif", "tif"})
        QTest::newRow(format) << QByteArray(format);
}

void TestImageFile::bitFlipsNeverCrash()
{
    // Damaged files may still decode to some picture; what matters is that
    // every one either decodes or is refused with a reason.
    QFETCH(QByteArray, format);
    const QByteArray whole = encoded(format.constData());
    QRandomGenerator random(20261207);
    int refused = 0;
    constexpr int Tries = 150;
    for (int i = 0; i < Tries; ++i) {
        QByteArray bytes = whole;
        const int flips = 1 + int(random.bounded(8));
        for (int f = 0; f < flips; ++f) {
            const qsizetype at = random.bounded(qsizetype(bytes.size()));
            bytes[at] = char(bytes[at] ^ (1 << random.bounded(8)));
        }
        const LoadedImage loaded = decodeImage(bytes);
        if (loaded.image.isNull()) {
            QVERIFY(!loaded.error.isEmpty());
            ++refused;
        }
    }
    qInfo("%s: %d of %d damaged files refused", format.constData(), refused, Tries);
}

void TestImageFile::enormousDimensionsAreRefused()
{
    QByteArray bytes = encoded("bmp").left(54);
    const qint32 huge = 100000;
    memcpy(bytes.data() + 18, &huge, 4);
    memcpy(bytes.data() + 22, &huge, 4);
    QVERIFY(decodeImage(bytes).image.isNull());
    // Enough data behind the header that the size check alone can't refuse it.
    bytes.append(QByteArray(1 << 20, '\0'));
    const LoadedImage loaded = decodeImage(bytes);
    QVERIFY(loaded.image.isNull());
    QVERIFY(!loaded.error.isEmpty());
}

void TestImageFile::truncatedBitfieldsBmpIsRefused()
{
    // A 32-bit BMP with colour masks (compression 3): 14 + 40 header bytes,
    // three masks, then 16 rows of 16 pixels.
    const int side = 16;
    auto le = [](QByteArray &b, quint32 v, int n) {
        for (int i = 0; i < n; ++i)
            b.append(char((v >> (8 * i)) & 0xff));
    };
    QByteArray bytes("BM");
    le(bytes, 66 + side * side * 4, 4);
    le(bytes, 0, 4);
    le(bytes, 66, 4);
    for (quint32 v : {40u, quint32(side), quint32(side)})
        le(bytes, v, 4);
    le(bytes, 1, 2);
    le(bytes, 32, 2);
    for (quint32 v : {3u, quint32(side * side * 4), 2835u, 2835u, 0u, 0u, 0xff0000u, 0xff00u, 0xffu})
        le(bytes, v, 4);
    bytes.append(QByteArray(side * side * 4, '\x40'));
    QVERIFY2(!decodeImage(bytes).image.isNull(), qPrintable(decodeImage(bytes).error));
    const LoadedImage cut = decodeImage(bytes.left(bytes.size() - 4 * side));
    QVERIFY(cut.image.isNull());
    QCOMPARE(cut.error, QStringLiteral("The file ends before its image data is complete."));
}

void TestImageFile::headerSizesThatOverflow()
{
    // Found by fuzzing: width x bits x height beyond 64 bits in the size check.
    QByteArray bytes = encoded("bmp").left(54);
    const qint32 width = 0x7fffffff;
    const qint32 height = -0x7fffffff;
    const quint16 bits = 0xffff;
    memcpy(bytes.data() + 18, &width, 4);
    memcpy(bytes.data() + 22, &height, 4);
    memcpy(bytes.data() + 28, &bits, 2);
    QVERIFY(decodeImage(bytes).image.isNull());
}

void TestImageFile::beyondTheSizeLimit_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("refused");
    QTest::newRow("20000 x 20000") << 20000 << 20000 << true;
    QTest::newRow("16385 wide") << 16385 << 8 << true;
    QTest::newRow("16384 tall") << 8 << 16384 << false;
}

void TestImageFile::beyondTheSizeLimit()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, refused);
    // A PNG header claiming the size; the refusal comes before any pixel is read.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(8, 8, QImage::Format_RGB32).save(&buffer, "png");
    const qint32 w = qToBigEndian(qint32(width)), h = qToBigEndian(qint32(height));
    bytes.replace(16, 4, QByteArray(reinterpret_cast<const char *>(&w), 4));
    bytes.replace(20, 4, QByteArray(reinterpret_cast<const char *>(&h), 4));
    // The header chunk's CRC-32 over its type and data, as PNG readers check it.
    quint32 crc = 0xffffffffu;
    for (int i = 12; i < 29; ++i) {
        crc ^= quint8(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    const quint32 sum = qToBigEndian(crc ^ 0xffffffffu);
    bytes.replace(29, 4, QByteArray(reinterpret_cast<const char *>(&sum), 4));
    const LoadedImage loaded = decodeImage(bytes);
    QVERIFY(loaded.image.isNull());
    QCOMPARE(loaded.error == QStringLiteral("The picture is %1 × %2 pixels; pictures up to 16384 × 16384 pixels load.")
                                 .arg(width)
                                 .arg(height),
             refused);
}

void TestImageFile::notAnImage()
{
    const LoadedImage loaded = decodeImage(QByteArray("just some notes\n"));
    QVERIFY(loaded.image.isNull());
    QCOMPARE(loaded.error, unsupportedFormatReason());
    QVERIFY(loaded.error.startsWith(QStringLiteral("This is not a picture in a format this program reads (")));
    QVERIFY(decodeImage(QByteArray()).image.isNull());
}

void TestImageFile::missingFileAndFolder()
{
    QTemporaryDir dir;
    QVERIFY(!loadImageFile(dir.filePath(QStringLiteral("none.jpg"))).error.isEmpty());
    QVERIFY(!loadImageFile(dir.path()).error.isEmpty());
}

QTEST_MAIN(TestImageFile)
#include "tst_image_file.moc"
