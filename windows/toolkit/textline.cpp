#include "textline.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

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

struct Laid
{
    QList<QGlyphRun> runs;
    qreal width = 0;
    qreal height = 0;
};

// Glyph 0 is a face's "missing glyph" box.
bool complete(const QList<QGlyphRun> &runs)
{
    for (const QGlyphRun &run : runs)
        if (run.glyphIndexes().contains(0))
            return false;
    return true;
}

Laid layOut(const QString &text, const QFont &font, QPaintDevice *device)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    Laid laid;
    if (!line.isValid())
        return laid;
    laid.runs = layout.glyphRuns();
    laid.width = line.naturalTextWidth();
    laid.height = line.height();
    return laid;
}

} // namespace

QString asOneLine(const QString &text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar &c : line)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return line;
}

void drawTextLine(QPainter &p, const QRect &r, const QString &original, const QFont &font, Overflow overflow)
{
    const QString text = asOneLine(original);
    const Laid laid = layOut(text, firstFaceOnly(font), p.device());
    if (!complete(laid.runs)) {
        const bool fits = overflow == Overflow::Centred
            || QFontMetricsF(font, p.device()).horizontalAdvance(text) <= r.width();
        p.setFont(font);
        p.drawText(r, (fits ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine, text);
        return;
    }

    const bool fits = overflow == Overflow::Centred || laid.width <= r.width();
    const QPointF origin(r.left() + (fits ? (r.width() - laid.width) / 2 : 0.0),
                         r.top() + (r.height() - laid.height) / 2);
    // Whole device pixels, so that at any scale each glyph is one rasterisation.
    const QTransform toDevice = p.deviceTransform();
    const bool snap = toDevice.type() <= QTransform::TxScale;
    const QTransform fromDevice = toDevice.inverted();
    for (QGlyphRun run : laid.runs) {
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

} // namespace mq
