#pragma once

#include <QFont>
#include <QRgb>

class QApplication;
class QPainter;
class QRect;
class QColor;

namespace mq {

// The design's "ＭＳ Ｐゴシック", then the Japanese gothic faces a Linux desktop has,
// so that no text ever shows as empty boxes.
QStringList gothicFamilies();
QFont gothicFont(qreal pointSize);
// The font of controls that have none of their own.
QFont defaultWindowFont();
// font in a face whose figures are half an em wide, as the design face's are, for the
// digits of the palette's values: a postal code or a date then fills its box as designed,
// where the proportional faces' figures are a quarter wider. Their kana and letters stay
// proportional, as the design face's are.
QFont figureFont(const QFont &font);

// Style, default font and program icon for the whole application.
void applyLook(QApplication &app);

// 15 twips make one logical pixel.
constexpr int px(int twips) { return twips / 15; }

// A face inside a one-pixel black rim, filling r: the flat look of boxes and buttons.
void paintRimmed(QPainter &p, const QRect &r, const QColor &face);

} // namespace mq
