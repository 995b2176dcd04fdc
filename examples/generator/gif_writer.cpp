#include "gif_writer.h"

#include <QByteArray>
#include <QFile>
#include <QImage>

namespace {

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// Packs 9-bit codes least significant bit first.
class CodeWriter
{
public:
    void put(int code)
    {
        m_bits |= quint32(code) << m_count;
        m_count += 9;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xff));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xff));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

} // namespace

bool writeGif(const QImage &image, const QString &path)
{
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const int width = indexed.width();
    const int height = indexed.height();

    QByteArray out("GIF89a");
    putWord(out, width);
    putWord(out, height);
    out.append(char(0xF7)); // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, width);
    putWord(out, height);
    out.append(char(0));
    out.append(char(8)); // minimum code size

    constexpr int Clear = 256;
    constexpr int End = 257;
    CodeWriter codes;
    int sinceClear = 0;
    codes.put(Clear);
    for (int y = 0; y < height; ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            if (sinceClear == 254) {
                codes.put(Clear);
                sinceClear = 0;
            }
            codes.put(line[x]);
            ++sinceClear;
        }
    }
    codes.put(End);
    const QByteArray data = codes.finish();
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(char(0x3B));

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}
