#include "facebutton.h"

#include <QPainter>

namespace mq {

FaceButton::FaceButton(const QString &caption, const QColor &face, QWidget *parent)
    : QPushButton(caption, parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Button, face);
    pal.setColor(QPalette::ButtonText, Qt::black);
    setPalette(pal);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Neither default nor cancel: Enter and Esc do not reach it unless it has the focus.
    setAutoDefault(false);
    setDefault(false);
}

QColor FaceButton::shownFace() const
{
    const QColor face = palette().color(QPalette::Button);
    return isDown() ? face.darker(115) : face;
}

void FaceButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, shownFace());
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.setFont(font());
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, text());
    if (hasFocus()) {
        // Dotted inside the rim, where keyboard users look for it.
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(r.adjusted(2, 2, -3, -3));
    }
}

} // namespace mq
