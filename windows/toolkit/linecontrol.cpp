#include "linecontrol.h"

#include <QPainter>
#include <QPainterPath>

namespace mq {

LineControl::LineControl(QPoint from, QPoint to, QColor color, int width, QWidget *parent)
    : QWidget(parent)
    , m_from(from)
    , m_to(to)
    , m_color(color)
    , m_width(width)
{
    const int margin = (width + 1) / 2;
    const QRect box = QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin);
    setGeometry(box);
    // Only the line (with room for its smoothed edge) belongs to the control, so the
    // pictures behind it stay visible and under the mouse around it.
    QPainterPath path;
    path.moveTo(from - box.topLeft());
    path.lineTo(to - box.topLeft());
    QPainterPathStroker stroker;
    stroker.setWidth(width + 2);
    stroker.setCapStyle(Qt::RoundCap);
    setMask(QRegion(stroker.createStroke(path).toFillPolygon().toPolygon()));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPoint origin = pos();
    p.drawLine(m_from - origin, m_to - origin);
}

} // namespace mq
