#include "icon.h"

#include <cmath>

namespace {

// The standard 16-colour VGA palette, in the Windows order.
constexpr QRgb Vga[16] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};
enum VgaIndex { Red = 9, Yellow = 11, Blue = 12, Magenta = 13, Cyan = 14 };

double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Colour index of one icon pixel, or -1 where the icon is transparent. Decided per
// pixel centre, so there is no anti-aliasing and no colour outside the palette.
int iconPixel(int x, int y)
{
    const double cx = x + 0.5, cy = y + 0.5;
    const double d = std::hypot(cx - 16.0, cy - 16.0);
    if (d > 15.6)
        return -1;
    if (d > 13.2)
        return Red;
    // Brows, raised a little towards the middle: a cheerful face, not a cross one.
    if (segmentDistance(cx, cy, 7.5, 10.5, 13.0, 8.0) <= 1.1 || segmentDistance(cx, cy, 24.5, 10.5, 19.0, 8.0) <= 1.1)
        return Magenta;
    // Nostrils on the snout.
    if (std::hypot(cx - 13.0, cy - 18.0) <= 1.45 || std::hypot(cx - 19.0, cy - 18.0) <= 1.45)
        return Magenta;
    const double sx = (cx - 16.0) / 7.2, sy = (cy - 18.0) / 4.4;
    if (sx * sx + sy * sy <= 1.0)
        return Yellow;
    // The mouth: a V under the snout.
    if (segmentDistance(cx, cy, 10.5, 24.0, 16.0, 27.5) <= 0.85 || segmentDistance(cx, cy, 16.0, 27.5, 21.5, 24.0) <= 0.85)
        return Blue;
    return Cyan;
}

} // namespace

QImage makeIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int c = iconPixel(x, y);
            icon.setPixel(x, y, c < 0 ? 0x00000000 : Vga[c]);
        }
    return icon;
}

QImage iconAt(const QImage &icon, int size)
{
    return icon.scaled(size, size, Qt::IgnoreAspectRatio,
                       size < icon.width() ? Qt::SmoothTransformation : Qt::FastTransformation);
}
