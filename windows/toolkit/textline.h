#pragma once

#include <QString>
#include <QStringView>

class QFont;
class QPainter;
class QRect;

namespace mq {

enum class Overflow {
    Centred, // a line wider than the rectangle stays centred, both ends cut
    ShowStart, // a line wider than the rectangle shows its start, as an edit box does
};

// text as it shows on one line: each line break (CR LF, CR, LF, U+2028, U+2029) and each
// tab becomes one space.
QString asOneLine(QStringView text);

// Draws text as asOneLine() shows it, centred in r, in the painter's pen.
//
// Drawn in font's first face (the one it settles on before any fallback) alone whenever
// that face has every glyph the line needs: with fallback faces allowed, the first use of
// each script (kanji, kana, Latin) has fontconfig sort every installed font, a large part
// of the palette's first paint. Each glyph is placed on a whole device
// pixel, so it is rasterised once, not once for each sub-pixel offset it falls on. A line
// the first face cannot draw whole is drawn as usual, with the fallback faces.
//
// With ShowStart, only the start that can show is laid out and drawn (the characters
// reaching twice r's width, and a few more), so that a line of any length costs about as
// much as a short one, and what lies out of sight changes nothing in how the line looks.
// A line with characters that run right to left is drawn whole, as far as its first
// few thousand characters. Centred lays out the whole line: it is meant for captions.
//
// With ShowStart, a line wider than r has its kana set as a proportional face sets them
// (each as wide as its ink and a twelfth of an em), so that what a proportional design
// face shows whole shows whole here too; a line that fits is drawn as it is laid out.
// Lines with marks, surrogate pairs or right-to-left text, and lines the first face
// cannot draw whole, keep their kana as laid out.
void drawTextLine(QPainter &p, const QRect &r, const QString &text, const QFont &font, Overflow overflow);

// font without fallback faces, fixed to its first face: what drawTextLine draws with when
// that face has every glyph.
QFont firstFaceOnly(const QFont &font);

} // namespace mq
