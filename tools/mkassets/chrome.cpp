#include "chrome.h"

#include "look.h"

#include <QLinearGradient>

namespace {

void captionButton(QPainter &p, const QRect &r, QChar glyph);

} // namespace

// A raised 3-D edge, two pixels deep, around r.
void raisedEdge(QPainter &p, const QRect &r)
{
    p.setPen(Face);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    p.setPen(DarkShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(Shadow);
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

// A sunken 3-D edge; `light` is its outer bottom and right side.
void sunkenEdge(QPainter &p, const QRect &r, const QColor &light)
{
    p.setPen(Shadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(DarkShadow);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
}

namespace {

void captionButton(QPainter &p, const QRect &r, QChar glyph)
{
    p.fillRect(r, Face);
    raisedEdge(p, r);
    p.setPen(Qt::black);
    QFont f = mq::gothicFont(7);
    f.setBold(true);
    p.setFont(f);
    p.drawText(r.adjusted(0, 0, 0, -1), Qt::AlignCenter, QString(glyph));
}

} // namespace

// Frame and title bar of a classic window filling the whole image; returns the client area.
QRect drawWindow(QPainter &p, const QSize &size, const QImage &icon, const QString &caption, int boxes)
{
    const QRect all(QPoint(0, 0), size);
    p.fillRect(all, Face);
    raisedEdge(p, all);

    const QRect bar(FrameWidth, FrameWidth, size.width() - 2 * FrameWidth, CaptionHeight);
    QLinearGradient blue(bar.topLeft(), bar.topRight());
    blue.setColorAt(0, QColor::fromRgb(0x000080));
    blue.setColorAt(1, QColor::fromRgb(0x1084D0));
    p.fillRect(bar, blue);

    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(bar.left() + 1, bar.top() + 1, 16, 16), icon);

    int right = bar.right() - 1;
    const QChar glyphs[] = {QChar(0x00D7), QChar(0x25A1), QChar(0x005F)};
    for (int i = 0; i < boxes; ++i) {
        const QRect box(right - 15, bar.top() + 2, 16, 14);
        captionButton(p, box, glyphs[i]);
        right -= i == 0 ? 18 : 16;
    }

    QFont f = mq::gothicFont(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const QRect text(bar.left() + 20, bar.top(), right - bar.left() - 22, bar.height());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);

    return QRect(FrameWidth, ClientTop, size.width() - 2 * FrameWidth, size.height() - ClientTop - FrameWidth);
}

void inputBox(QPainter &p, const QRect &r, const QString &text)
{
    p.fillRect(r, Qt::white);
    // On a white page a white highlight would vanish.
    sunkenEdge(p, r, Face);
    if (!text.isEmpty()) {
        p.setPen(Qt::black);
        p.setFont(mq::gothicFont(9));
        p.drawText(r.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void pushButton(QPainter &p, const QRect &r, const QString &text)
{
    p.fillRect(r, Face);
    raisedEdge(p, r);
    p.setPen(Qt::black);
    p.setFont(mq::gothicFont(9));
    p.drawText(r, Qt::AlignCenter, text);
}

// The browser's own icon, so the picture does not look like a second MQ window.
