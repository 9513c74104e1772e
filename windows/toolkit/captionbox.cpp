#include "captionbox.h"

#include "look.h"
#include "textline.h"

#include <QFontMetricsF>
#include <QPainter>

namespace mq {

namespace {
// Inside the rim.
constexpr QMargins TextMargins(1, 1, 1, 1);
} // namespace

CaptionBox::CaptionBox(const QString &caption, const QColor &background, const QColor &textColor, QWidget *parent)
    : QLineEdit(caption, parent)
    , m_background(background)
    , m_textColor(textColor)
{
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setDragEnabled(true);
    setAcceptDrops(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CaptionBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintRimmed(p, rect(), m_background);
    const QRect inner = rect().marginsRemoved(TextMargins);
    p.setClipRect(inner);
    p.setPen(m_textColor);
    // Centred by its advance, as text boxes centre, unless that sets the ink against the
    // rim: a unit's glyph fills most of its box, and its side bearings may be uneven.
    const QString line = asOneLine(text());
    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(line);
    const qreal origin = (inner.width() - metrics.horizontalAdvance(line)) / 2;
    int shift = 0;
    if (origin + ink.left() < 1 || origin + ink.right() > inner.width() - 1)
        shift = qRound((inner.width() - ink.width()) / 2 - (origin + ink.left()));
    const QRect lineRect = inner.translated(shift, 0);
    drawTextLine(p, lineRect, text(), font(), Overflow::Centred);
    if (!hasSelectedText())
        return;
    // The selection over the centred line, in the desktop's selection colours.
    const qreal left = lineRect.left() + origin;
    const int start = selectionStart();
    const qreal from = left + metrics.horizontalAdvance(line.left(start));
    const qreal to = from + metrics.horizontalAdvance(line.mid(start, selectionLength()));
    const QRect selected = QRectF(QPointF(from, inner.top()), QPointF(to, inner.bottom() + 1)).toAlignedRect() & inner;
    p.fillRect(selected, palette().color(QPalette::Highlight));
    p.setClipRect(selected);
    p.setPen(palette().color(QPalette::HighlightedText));
    drawTextLine(p, lineRect, text(), font(), Overflow::Centred);
}

} // namespace mq
