#include "textline.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace mq {

QFont firstFaceOnly(const QFont &font)
{
    QFont f = font;
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::NoFontMerging));
    // Pinned to the face the font settles on for text of no particular script, the face a
    // font with fallbacks draws with first. Left to choose, a font without fallbacks takes
    // the first family that suits the script of the first line it lays out, and keeps
    // that face for every line after it, whatever their script. Asked of this font rather
    // than of one with fallbacks, whose first query sorts every installed font.
    f.setFamilies({QFontInfo(f).family()});
    return f;
}

namespace {

// One line of text in one font, never wrapped.
class LaidLine
{
public:
    LaidLine(const QString &text, const QFont &font, QPaintDevice *device)
        : m_layout(text, font, device)
    {
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        m_line = m_layout.createLine();
        m_layout.endLayout();
    }
    LaidLine(const LaidLine &) = delete;
    LaidLine &operator=(const LaidLine &) = delete;

    // The glyphs of the first `length` characters, or of all.
    QList<QGlyphRun> runs(qsizetype length = -1) const
    {
        return m_line.isValid() ? m_layout.glyphRuns(length < 0 ? -1 : 0, int(length)) : QList<QGlyphRun>();
    }
    qreal xOf(qsizetype position) const { return m_line.isValid() ? m_line.cursorToX(int(position)) : 0; }
    qreal width() const { return m_line.isValid() ? m_line.naturalTextWidth() : 0; }
    qreal height() const { return m_line.isValid() ? m_line.height() : 0; }
    QFont font() const { return m_layout.font(); }

    // The first boundary between whole characters (grapheme clusters, so never inside a
    // surrogate pair or before a combining mark) at or after position.
    qsizetype boundaryFrom(qsizetype position) const
    {
        const qsizetype length = m_layout.text().size();
        if (position >= length)
            return length;
        return m_layout.isValidCursorPosition(int(position)) ? position : m_layout.nextCursorPosition(int(position));
    }

    // Where the character at x starts, and `more` characters on.
    qsizetype endPast(qreal x, int more) const
    {
        const qsizetype length = m_layout.text().size();
        if (!m_line.isValid())
            return length;
        qsizetype end = boundaryFrom(m_line.xToCursor(x, QTextLine::CursorOnCharacter));
        for (int i = 0; i < more && end < length; ++i)
            end = m_layout.nextCursorPosition(int(end));
        return end;
    }

private:
    QTextLayout m_layout;
    QTextLine m_line;
};

// Glyph 0 is a face's "missing glyph" box.
bool complete(const QList<QGlyphRun> &runs)
{
    for (const QGlyphRun &run : runs)
        if (run.glyphIndexes().contains(0))
            return false;
    return true;
}

// Whether some of text runs right to left: it may then be reordered across any cut.
bool hasRightToLeft(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1)), ++i;
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirFSI:
            return true;
        default:
            break;
        }
    }
    return false;
}

bool isKana(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC;
}

// The kana of a face with half-width figures are an em wide each, wider than the design
// face's: set as a proportional face sets them, a name the design shows whole fits again.
qreal setKanaProportional(QList<QGlyphRun> &runs, const QString &text, const LaidLine &laid, QPaintDevice *device)
{
    if (std::none_of(text.cbegin(), text.cend(), isKana) || hasRightToLeft(text))
        return 0;
    for (QChar c : text)
        if (c.isSurrogate() || c.isMark())
            return 0;
    const QFontMetricsF metrics(laid.font(), device);
    QList<qreal> starts(text.size() + 1);
    for (qsizetype i = 0; i <= text.size(); ++i)
        starts[i] = laid.xOf(i);
    // How far the glyph of each character moves left.
    QList<qreal> moveOf(text.size());
    qreal moved = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        moveOf[i] = moved;
        const qreal advance = starts[i + 1] - starts[i];
        if (!isKana(text.at(i)) || advance <= 0)
            continue;
        const QRectF ink = metrics.boundingRect(text.at(i));
        const qreal width = std::min(advance, ink.width() + advance / 12);
        // The ink centred in its new width.
        moveOf[i] += ink.center().x() - width / 2;
        moved += advance - width;
    }
    if (moved <= 0)
        return 0;
    for (QGlyphRun &run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF &pos : positions) {
            // The character whose place the glyph starts in.
            const auto after = std::upper_bound(starts.cbegin(), starts.cend() - 1, pos.x() + 1e-3);
            const qsizetype i = std::clamp<qsizetype>(after - starts.cbegin() - 1, 0, text.size() - 1);
            pos.rx() -= moveOf[i];
        }
        run.setPositions(positions);
    }
    return moved;
}

// text, already on one line, laid out in font's first face as the start of `laid`; whole
// when it is all of the line, not the start of a longer one.
void drawLaid(QPainter &p, const QRect &r, const QString &text, const LaidLine &laid, const QFont &font,
              Overflow overflow, bool whole)
{
    QList<QGlyphRun> runs = laid.runs(text.size());
    // Only a whole line is centred: a start that fits would look like all of it.
    if (!complete(runs)) {
        const bool fits = overflow == Overflow::Centred
            || (whole && QFontMetricsF(font, p.device()).horizontalAdvance(text) <= r.width());
        p.setFont(font);
        p.drawText(r, (fits ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine, text);
        return;
    }

    qreal width = laid.width();
    if (overflow == Overflow::ShowStart && width > r.width())
        width -= setKanaProportional(runs, text, laid, p.device());
    const bool fits = overflow == Overflow::Centred || (whole && width <= r.width());
    const QPointF origin(r.left() + (fits ? (r.width() - width) / 2 : 0.0),
                         r.top() + (r.height() - laid.height()) / 2);
    // Whole device pixels, so that at any scale each glyph is one rasterisation.
    const QTransform toDevice = p.deviceTransform();
    const bool snap = toDevice.type() <= QTransform::TxScale;
    const QTransform fromDevice = toDevice.inverted();
    for (QGlyphRun run : runs) {
        if (snap) {
            QList<QPointF> positions = run.positions();
            for (QPointF &pos : positions) {
                const QPointF device = toDevice.map(origin + pos);
                pos = fromDevice.map(QPointF(std::round(device.x()), std::round(device.y()))) - origin;
            }
            run.setPositions(positions);
        }
        p.drawGlyphRun(origin, run);
    }
}

// A line that shows its start is drawn from as much of it as reaches twice the width and
// a few characters on (whatever the glyphs at the edge are shaped with), so that its cost
// does not grow with the text: laying out a line of a million characters takes a minute.
constexpr int MoreCharacters = 4;
// The part laid out beyond what is drawn, so that the drawn part is laid out as in the
// whole line.
constexpr qsizetype Context = 16;
constexpr qsizetype FirstPart = 64;
// Text of characters without width never reaches the width; it is cut here.
constexpr qsizetype ShownLimit = 1024;
constexpr qsizetype LargestPart = 8192;

} // namespace

QString asOneLine(QStringView text)
{
    QString line = text.toString();
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar &c : line)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return line;
}

void drawTextLine(QPainter &p, const QRect &r, const QString &original, const QFont &font, Overflow overflow)
{
    const QFont face = firstFaceOnly(font);
    if (overflow == Overflow::Centred) {
        const QString text = asOneLine(original);
        drawLaid(p, r, text, LaidLine(text, face, p.device()), font, overflow, true);
        return;
    }

    for (qsizetype n = FirstPart;; n = std::min(n * 4, LargestPart)) {
        qsizetype cut = std::min(n, original.size());
        if (cut < original.size() && original.at(cut - 1).isHighSurrogate())
            ++cut;
        const bool whole = cut == original.size();
        const QString line = asOneLine(QStringView(original).first(cut));
        const LaidLine laid(line, face, p.device());
        qsizetype end = line.size();
        // What runs right to left is reordered over its whole run, so no part of it is
        // drawn alone: the line is drawn whole as before, as far as that is bounded.
        if (!hasRightToLeft(line))
            end = std::min(laid.endPast(2 * r.width(), MoreCharacters), laid.boundaryFrom(ShownLimit));
        if (whole && end == line.size()) {
            drawLaid(p, r, line, laid, font, overflow, true);
            return;
        }
        if (whole || end + Context <= line.size() || n >= LargestPart) {
            const QString shown = line.first(end);
            // Laid out alone, unless it is as wide as the line it starts: a line wider than
            // r is drawn the same from either.
            if (laid.xOf(end) > r.width())
                drawLaid(p, r, shown, laid, font, overflow, false);
            else
                drawLaid(p, r, shown, LaidLine(shown, face, p.device()), font, overflow, false);
            return;
        }
    }
}

} // namespace mq
