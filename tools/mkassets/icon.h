#pragma once

#include <QImage>

// The program icon, 32 x 32 in the 16 VGA colours: a cyan face in a red rim, magenta
// brows, a yellow snout with two magenta spots and a blue V of a mouth.
QImage makeIcon();
