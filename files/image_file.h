#pragma once

#include <QImage>
#include <QString>

class QByteArray;

// The result of decoding an image file: the picture, or why there is none.
struct LoadedImage
{
    QImage image;
    QString error;
    // Where the image's top-left pixel lies in the whole picture: (0, 0)
    // unless only a part was decoded.
    QPoint origin;
};

// The reason for a picture in no format the installed image plugins read,
// naming the formats they do read.
QString unsupportedFormatReason();

// The largest file read, and the largest decoded picture accepted: enough
// for any scanned chart, and small enough that a damaged header claiming
// enormous dimensions is refused instead of exhausting memory.
inline constexpr qint64 MaxImageFileBytes = 256LL * 1024 * 1024;
// Pictures up to 16384 x 16384 load (a 300-dpi scan of a large page); the
// decoder may take what such a picture needs in 32-bit colour, and no more.
inline constexpr int MaxPictureEdge = 16384;
inline constexpr int MaxDecodedImageMb = MaxPictureEdge / 1024 * MaxPictureEdge / 1024 * 4;

// The refusal for a picture larger than MaxPictureEdge, naming its size and the limit.
QString tooLargeReason(QSize size);

// Decodes an image in any format the installed Qt image plugins read (JPEG,
// BMP, GIF, TIFF, PNG, WebP, PPM ...), whatever the file's name says.
// A file that ends before its image data is complete is refused rather than
// shown half-decoded.
// With a part given that lies inside the picture, only that part is decoded
// (quicker for JPEG); otherwise the whole picture.
LoadedImage decodeImage(const QByteArray &bytes, const QRect &part = QRect());

LoadedImage loadImageFile(const QString &path, const QRect &part = QRect());

// The picture with any transparent parts put on white, so that a transparent
// PNG is read as it looks in a viewer.
QImage opaqueOnWhite(const QImage &image);
