#pragma once

class QImage;
class QString;

// Writes an image as a GIF file (Qt reads GIF but does not write it). The
// image is reduced to at most 256 colours; the LZW stream restarts often
// enough that every code stays 9 bits wide. Returns false on a write error.
bool writeGif(const QImage &image, const QString &path);
