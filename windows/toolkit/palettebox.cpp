#include "palettebox.h"

#include "look.h"
#include "record.h"
#include "textline.h"

#include <QMouseEvent>
#include <QPainter>

namespace mq {

namespace {
// Inside the rim, where the text may go.
constexpr QMargins TextMargins(2, 1, 2, 1);
} // namespace

PaletteBox::PaletteBox(int index, const QColor &textColor, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
    , m_color(textColor)
    , m_text(designText())
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::SizeHorCursor);
    setToolTip(QStringLiteral("フォームのテキストボックスへDrag&Drop"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaletteBox::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void PaletteBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    paintRimmed(p, r, Qt::white);

    const QRect inner = r.marginsRemoved(TextMargins);
    p.setClipRect(inner);
    p.setPen(m_color);
    // On one line; a long value shows its start, so it is still recognisable.
    drawTextLine(p, inner, m_text, font(), Overflow::ShowStart);
    if (hasFocus()) {
        p.setPen(QPen(m_color, 1, Qt::DotLine));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

void PaletteBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT pressed(m_index);
}

} // namespace mq
