#pragma once

#include <QImage>

// The program icon, 32 x 32 in the 16 VGA colours: a cyan face in a red rim, magenta
// brows, a yellow snout with two magenta spots and a blue V of a mouth.
QImage makeIcon();

// The same at `size` pixels for the desktop's icon theme: its pixels repeated when larger,
// smoothed when smaller.
QImage iconAt(const QImage &icon, int size);

// The sizes the icon theme is given.
constexpr int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
