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
// The palette's font, as small as the window font: a face whose figures are half an em
// wide, as the design face's are, so that a postal code or a date fills its box as
// designed (the proportional faces' figures are a quarter wider). Its kanji and kana have
// the window font's shapes on whole-em advances, wider than the design face's
// proportional kana, which drawTextLine sets close where a value would not fit; a second
// face for the figures alone would cost the palette's start-up 0.7 MB of memory and a
// first paint in two faces.
QFont paletteFont();

// Style, default font and program icon for the whole application.
void applyLook(QApplication &app);

// 15 twips make one logical pixel.
constexpr int px(int twips) { return twips / 15; }

// A face inside a one-pixel black rim, filling r: the flat look of boxes and buttons.
void paintRimmed(QPainter &p, const QRect &r, const QColor &face);

} // namespace mq
