#include "files/image_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <cstdlib>

namespace {

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// JPEG: walking its marker segments from the start reaches the end-of-image
// marker. Inside entropy-coded data a 0xFF byte is always followed by 0x00 or
// a restart marker, so the next real marker is found by scanning. Bytes after
// the end (some tools pad files) do not matter.
bool jpegComplete(const QByteArray &bytes)
{
    const qsizetype size = bytes.size();
    auto at = [&](qsizetype i) { return quint8(bytes[i]); };
    qsizetype p = 2; // after the start-of-image marker
    while (p < size) {
        if (at(p) != 0xFF)
            return true; // not a structure we know: the decoder judges it
        while (p < size && at(p) == 0xFF)
            ++p; // fill bytes
        if (p >= size)
            return false;
        const quint8 marker = at(p++);
        if (marker == 0xD9) // end of image
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a segment
        if (p + 2 > size)
            return false;
        p += (at(p) << 8) | at(p + 1);
        if (marker != 0xDA) // not a start of scan: the segment is all
            continue;
        // Entropy-coded data up to the next marker.
        while (p + 1 < size && !(at(p) == 0xFF && at(p + 1) != 0x00 && !(at(p + 1) >= 0xD0 && at(p + 1) <= 0xD7)))
            ++p;
        if (p + 1 >= size)
            return false;
    }
    return false;
}

// BMP without compression: the pixel rows must all be in the file.
bool bmpComplete(const QByteArray &bytes)
{
    if (bytes.size() < 26)
        return false;
    const qint64 offset = littleEndian(bytes, 10, 4);
    const quint32 headerSize = littleEndian(bytes, 14, 4);
    qint64 width = 0, height = 0, bits = 0, compression = 0;
    if (headerSize == 12) {
        width = littleEndian(bytes, 18, 2);
        height = littleEndian(bytes, 20, 2);
        bits = bytes.size() >= 26 ? littleEndian(bytes, 24, 2) : 0;
    } else if (headerSize >= 40 && bytes.size() >= 34) {
        width = qint32(littleEndian(bytes, 18, 4));
        height = qint32(littleEndian(bytes, 22, 4));
        bits = littleEndian(bytes, 28, 2);
        compression = littleEndian(bytes, 30, 4);
    } else {
        return true; // an unusual header: the decoder judges it
    }
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed || width <= 0 || bits <= 0)
        return true;
    // Divide rather than multiply: a damaged header's sizes would overflow.
    const qint64 stride = ((width * bits + 31) / 32) * 4;
    return offset <= bytes.size() && (bytes.size() - offset) / stride >= std::llabs(height);
}

// GIF: walking its blocks from the header reaches the trailer byte. Bytes
// after the trailer (some tools pad files) do not matter.
bool gifComplete(const QByteArray &bytes)
{
    const qsizetype size = bytes.size();
    auto at = [&](qsizetype i) { return quint8(bytes[i]); };
    // Skips a chain of data sub-blocks; returns the position after its terminator, or -1.
    auto skipSubBlocks = [&](qsizetype p) -> qsizetype {
        while (p < size) {
            const int length = at(p);
            if (length == 0)
                return p + 1;
            p += 1 + length;
        }
        return -1;
    };
    auto colourTableBytes = [&](quint8 packed) { return packed & 0x80 ? 3 * (2 << (packed & 0x07)) : 0; };

    qsizetype p = 13; // header and logical screen descriptor
    if (size < p)
        return false;
    p += colourTableBytes(at(10));
    while (p >= 0 && p < size) {
        switch (at(p)) {
        case 0x3B: // trailer
            return true;
        case 0x21: // extension: label, then sub-blocks
            p = p + 2 <= size ? skipSubBlocks(p + 2) : -1;
            break;
        case 0x2C: // image: descriptor, colour table, code size, sub-blocks
            if (p + 10 > size)
                return false;
            p += 10 + colourTableBytes(at(p + 9));
            p = p + 1 <= size ? skipSubBlocks(p + 1) : -1;
            break;
        default:
            return true; // not a block we know: the decoder judges it
        }
    }
    return false;
}

QString translate(const char *text)
{
    return QCoreApplication::translate("ImageFile", text);
}

} // namespace

LoadedImage decodeImage(const QByteArray &bytes, const QRect &part)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(MaxDecodedImageMb);
    reader.setAutoTransform(false);
    if (const QSize size = reader.size(); size.width() > MaxPictureEdge || size.height() > MaxPictureEdge)
        return {QImage(), tooLargeReason(size), {}};

    const QByteArray format = reader.format();
    const bool complete = format == "jpeg" ? jpegComplete(bytes)
        : format == "bmp"                  ? bmpComplete(bytes)
        : format == "gif"                  ? gifComplete(bytes)
                                           : true;
    if (!format.isEmpty() && !complete)
        return {QImage(), translate("The file ends before its image data is complete."), {}};

    QPoint origin;
    if (part.isValid() && QRect(QPoint(), reader.size()).contains(part)) {
        reader.setClipRect(part);
        origin = part.topLeft();
    }
    QImage image = reader.read();
    if (image.isNull()) {
        const QString reason = reader.error() == QImageReader::UnsupportedFormatError ? unsupportedFormatReason()
                                                                                       : reader.errorString();
        return {QImage(), reason, {}};
    }
    return {image, QString(), origin};
}

QString tooLargeReason(QSize size)
{
    return translate("The picture is %1 × %2 pixels; pictures up to %3 × %3 pixels load.")
        .arg(size.width())
        .arg(size.height())
        .arg(MaxPictureEdge);
}

QString unsupportedFormatReason()
{
    QStringList formats;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString name = QString::fromLatin1(format).toUpper();
        if (!formats.contains(name))
            formats << name;
    }
    return translate("This is not a picture in a format this program reads (%1).").arg(formats.join(QStringLiteral(", ")));
}

QImage opaqueOnWhite(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.setDotsPerMeterX(image.dotsPerMeterX());
    opaque.setDotsPerMeterY(image.dotsPerMeterY());
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

LoadedImage loadImageFile(const QString &path, const QRect &part)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), file.errorString(), {}};
    if (file.size() > MaxImageFileBytes)
        return {QImage(), translate("The file is too large for an image of a chart."), {}};
    const QByteArray bytes = file.read(MaxImageFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {QImage(), file.errorString(), {}};
    return decodeImage(bytes, part);
}
