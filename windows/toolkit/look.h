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
// The palette's font, as small as the window font: a face whose figures, hyphen and slash
// are half an em wide, as the design face's are, so that a postal code or a date fills
// its box as designed (the proportional faces' figures are a quarter wider). Kanji and
// kana are the same glyphs as in the window font.
QFont paletteFont();

// Style, default font and program icon for the whole application.
void applyLook(QApplication &app);

// 15 twips make one logical pixel.
constexpr int px(int twips) { return twips / 15; }

// A face inside a one-pixel black rim, filling r: the flat look of boxes and buttons.
void paintRimmed(QPainter &p, const QRect &r, const QColor &face);

} // namespace mq
