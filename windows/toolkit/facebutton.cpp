#include "facebutton.h"

#include "look.h"
#include "textline.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace mq {

namespace {
// How much darker the face is while the button is held down, in percent.
constexpr int PressedShade = 115;
} // namespace

FaceButton::FaceButton(const QString &caption, const QColor &face, QWidget *parent)
    : QPushButton(caption, parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Button, face);
    pal.setColor(QPalette::ButtonText, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, Qt::darkGray);
    setPalette(pal);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Neither default nor cancel: Enter and Esc do not reach it unless it has the focus.
    setAutoDefault(false);
    setDefault(false);
}

void FaceButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    paintRimmed(p, rect(), isDown() ? face.darker(PressedShade) : face);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    if (text().contains(QLatin1Char('&'))) {
        // A mnemonic: underlined or hidden as the style says, which only drawText knows.
        QStyleOptionButton option;
        initStyleOption(&option);
        const int mnemonic = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                                               : Qt::TextHideMnemonic;
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine | mnemonic, text());
    } else {
        drawTextLine(p, rect(), text(), font(), Overflow::Centred);
    }
    if (hasFocus()) {
        // Dotted inside the rim, where keyboard users look for it.
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

} // namespace mq
