#include "facebutton.h"

#include "look.h"
#include "textline.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>

namespace mq {

namespace {
// How much darker the face is while the button is held down, in percent.
constexpr int PressedShade = 115;
// The rim and a pixel of face on either side of the caption.
constexpr int CaptionMargin = 2;
constexpr QChar IdeographicSpace(0x3000);
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
    // Spaced out for the eye, read as one word: a screen reader would read 内　容　更　新
    // as four. Without the mnemonic's mark, as Qt names a button itself.
    if (caption.contains(IdeographicSpace)) {
        QString spoken;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
                break;
            if (caption.at(i) != IdeographicSpace)
                spoken += caption.at(i);
        }
        setAccessibleName(spoken);
    }
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
        drawCaption(p);
    }
    if (hasFocus()) {
        // Dotted inside the rim, where keyboard users look for it.
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

// A caption spaced out with ideographic spaces ("キ　ャ　ン　セ　ル") was drawn for a face
// whose spaces are narrower than this desktop's, which are a whole em: where it would not
// fit, the spaces give way and the characters keep their size.
void FaceButton::drawCaption(QPainter &p) const
{
    const QString caption = text();
    const QRect face = rect();
    const qreal room = face.width() - 2 * CaptionMargin;
    const QFontMetricsF metrics(font());
    const QStringList parts = caption.split(IdeographicSpace);
    if (parts.size() == 1 || metrics.horizontalAdvance(caption) <= room) {
        drawTextLine(p, face, caption, font(), Overflow::Centred);
        return;
    }
    qreal glyphs = 0;
    for (const QString &part : parts)
        glyphs += metrics.horizontalAdvance(part);
    const auto spaces = parts.size() - 1;
    const qreal space = std::clamp((room - glyphs) / spaces, 0.0, metrics.horizontalAdvance(IdeographicSpace));
    qreal x = face.left() + (face.width() - glyphs - spaces * space) / 2;
    for (const QString &part : parts) {
        const qreal width = metrics.horizontalAdvance(part);
        if (!part.isEmpty()) {
            // drawTextLine centres in whole pixels: a box around the part's centre.
            const int half = int(std::ceil(width / 2)) + 1;
            const QRect box(qRound(x + width / 2) - half, face.top(), 2 * half, face.height());
            drawTextLine(p, box, part, font(), Overflow::Centred);
        }
        x += width + space;
    }
}

void FaceButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier && !event->isAutoRepeat()) {
        event->accept();
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace mq
