#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

namespace mq {

// A straight line of the design: it covers the bounding box of its two end points and
// paints only the line itself, so what lies behind it shows through.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    // End points in the parent's pixels.
    LineControl(QPoint from, QPoint to, QColor color, int width, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
    QColor m_color;
    int m_width;
};

} // namespace mq
