#pragma once

// What text a widget shows, read off its pixels: tests of whether a caption or a value is
// shown whole measure the picture, not the metrics the code used to place it.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTest>
#include <QWidget>

// w painted at a device pixel ratio of scale, with no window behind it.
inline QImage rendered(QWidget *w, qreal scale)
{
    QImage image(w->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::magenta);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// The smallest rectangle (in device pixels) of area that holds every pixel other than
// background; empty when there is none.
inline QRect inkBounds(const QImage &image, const QRect &area, QRgb background)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// The part of the picture inside the rim of a flat box of one device-independent pixel.
inline QRect insideRim(const QImage &image)
{
    const int rim = int(image.devicePixelRatio());
    return image.rect().adjusted(rim, rim, -rim, -rim);
}

// The rows of a test that looks at a picture at 1x and at 2x: a column "scale".
inline void addScaleRows()
{
    QTest::addColumn<qreal>("scale");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("2x") << 2.0;
}
