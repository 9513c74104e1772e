#include "captionbox.h"

#include "look.h"
#include "textline.h"

#include <QApplication>
#include <QDrag>
#include <QFontMetricsF>
#include <QMimeData>
#include <QMouseEvent>
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

// Centred by its advance, as text boxes centre, unless that sets the ink against the rim:
// a unit's glyph fills most of its box, and its side bearings may be uneven.
CaptionBox::Placed CaptionBox::placed() const
{
    const QRect inner = rect().marginsRemoved(TextMargins);
    const QString line = asOneLine(text());
    const QFontMetricsF metrics(font());
    const QRectF ink = metrics.tightBoundingRect(line);
    const qreal origin = (inner.width() - metrics.horizontalAdvance(line)) / 2;
    int shift = 0;
    if (origin + ink.left() < 1 || origin + ink.right() > inner.width() - 1)
        shift = qRound((inner.width() - ink.width()) / 2 - (origin + ink.left()));
    const QRect lineRect = inner.translated(shift, 0);
    return {lineRect, lineRect.left() + origin};
}

qreal CaptionBox::xOf(const Placed &line, int position) const
{
    return line.left + QFontMetricsF(font()).horizontalAdvance(asOneLine(text()).left(position));
}

// The position between characters nearest to x.
int CaptionBox::positionAt(qreal x) const
{
    const Placed line = placed();
    const QString shown = asOneLine(text());
    int best = 0;
    for (int i = 1; i <= shown.size(); ++i)
        if (!(shown.at(i - 1).isHighSurrogate() && i < shown.size())
            && qAbs(xOf(line, i) - x) < qAbs(xOf(line, best) - x))
            best = i;
    return best;
}

bool CaptionBox::onSelection(QPointF at) const
{
    if (!hasSelectedText())
        return false;
    const Placed line = placed();
    const int start = selectionStart();
    return at.x() >= xOf(line, start) && at.x() <= xOf(line, start + selectionLength());
}

void CaptionBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintRimmed(p, rect(), m_background);
    const QRect inner = rect().marginsRemoved(TextMargins);
    p.setClipRect(inner);
    p.setPen(m_textColor);
    const Placed line = placed();
    drawTextLine(p, line.lineRect, text(), font(), Overflow::Centred);
    if (!hasSelectedText())
        return;
    // The selection over the line, in the desktop's selection colours.
    const int start = selectionStart();
    const QRect selected =
        QRectF(QPointF(xOf(line, start), inner.top()), QPointF(xOf(line, start + selectionLength()), inner.bottom() + 1))
            .toAlignedRect()
        & inner;
    p.fillRect(selected, palette().color(QPalette::Highlight));
    p.setClipRect(selected);
    p.setPen(palette().color(QPalette::HighlightedText));
    drawTextLine(p, line.lineRect, text(), font(), Overflow::Centred);
}

void CaptionBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    event->accept();
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (onSelection(event->position())) {
        m_dragPending = true;
        m_dragFrom = event->position().toPoint();
        return;
    }
    m_anchor = positionAt(event->position().x());
    deselect();
    setCursorPosition(m_anchor);
}

void CaptionBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    event->accept();
    if (m_dragPending) {
        if ((event->position().toPoint() - m_dragFrom).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragPending = false;
        // The selected text, copied, as a text box's own drag offers it.
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setText(selectedText());
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
        return;
    }
    if (m_anchor >= 0)
        setSelection(m_anchor, positionAt(event->position().x()) - m_anchor);
}

void CaptionBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    if (m_dragPending) {
        // A click on the selection, not a drag: it ends the selection there.
        deselect();
        setCursorPosition(positionAt(event->position().x()));
    }
    m_dragPending = false;
    m_anchor = -1;
}

void CaptionBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    selectAll();
}

} // namespace mq
