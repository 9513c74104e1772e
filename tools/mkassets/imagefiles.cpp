#include "imagefiles.h"

#include <QFile>
#include <QMap>

namespace {

void put16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &b, qint64 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// Uncompressed 24-bit Windows bitmap, 54-byte header, bottom-up rows padded to 4 bytes.
// Written by hand so the header is the same whatever Qt's own writer prefers.
} // namespace

QByteArray bmp24(const QImage &source)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB888);
    const int w = img.width();
    const int h = img.height();
    const int stride = (w * 3 + 3) & ~3;
    const int dataSize = stride * h;
    constexpr int HeaderSize = 54;
    constexpr int PixelsPerMetre = 3780; // 96 dpi

    QByteArray b;
    b.reserve(HeaderSize + dataSize);
    b.append("BM", 2);
    put32(b, HeaderSize + dataSize);
    put32(b, 0); // reserved
    put32(b, HeaderSize);
    put32(b, 40); // BITMAPINFOHEADER
    put32(b, w);
    put32(b, h); // positive: bottom-up
    put16(b, 1); // planes
    put16(b, 24);
    put32(b, 0); // BI_RGB
    put32(b, dataSize);
    put32(b, PixelsPerMetre);
    put32(b, PixelsPerMetre);
    put32(b, 0); // colours used
    put32(b, 0); // important colours
    for (int y = h - 1; y >= 0; --y) {
        const uchar *row = img.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            b.append(char(row[3 * x + 2]));
            b.append(char(row[3 * x + 1]));
            b.append(char(row[3 * x]));
        }
        for (int pad = w * 3; pad < stride; ++pad)
            b.append('\0');
    }
    return b;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size() && f.flush();
}

// The icon as XPM source, which the program compiles in: an image read from a file or
// a resource goes through the image reader, and that loads every format plug-in first.
QByteArray xpmSource(const QImage &source, const char *name)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const char keys[] = ".abcdefghijklmnopqrstuvwxyz";
    QList<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb p = image.pixel(x, y);
            if (qAlpha(p) != 0 && qAlpha(p) != 255)
                return {}; // XPM has no partial transparency
            p = qAlpha(p) == 0 ? 0 : p;
            if (!colours.contains(p))
                colours << p;
        }
    if (colours.size() > int(sizeof keys) - 1)
        return {};
    QByteArray b = "/* XPM */\nstatic const char *const " + QByteArray(name) + "[] = {\n";
    b += QStringLiteral("\"%1 %2 %3 1\",\n").arg(image.width()).arg(image.height()).arg(colours.size()).toLatin1();
    for (int i = 0; i < colours.size(); ++i) {
        const QRgb c = colours[i];
        const QByteArray value = c == 0 ? QByteArray("None") : QColor::fromRgb(c).name().toUpper().toLatin1();
        b += "\"" + QByteArray(1, keys[i]) + " c " + value + "\",\n";
    }
    for (int y = 0; y < image.height(); ++y) {
        b += '"';
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            b += keys[colours.indexOf(qAlpha(p) == 0 ? 0 : p)];
        }
        b += y + 1 < image.height() ? "\",\n" : "\"\n";
    }
    return b + "};\n";
}
