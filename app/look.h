#pragma once

#include <QFont>

class QApplication;
class QWidget;

namespace mq {

// The design's "ＭＳ Ｐゴシック", then the Japanese gothic faces a Linux desktop has,
// so that no text ever shows as empty boxes.
QStringList gothicFamilies();
QFont gothicFont(qreal pointSize);
// The font of controls that have none of their own.
QFont defaultWindowFont();

// Style, default font and program icon for the whole application.
void applyLook(QApplication &app);

// Places a window's frame in the middle of the screen it is on (or the primary one).
void centreOnScreen(QWidget *window);

// 15 twips make one logical pixel.
constexpr int px(int twips) { return twips / 15; }

} // namespace mq
