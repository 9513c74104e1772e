#include "look.h"
#include "textline.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QRawFont>
#include <QtTest>

#include <functional>

using namespace mq;

Q_DECLARE_METATYPE(mq::Overflow)

namespace {

QImage paint(QSize size, qreal scale, const std::function<void(QPainter &)> &draw)
{
    QImage image(QSize(qRound(size.width() * scale), qRound(size.height() * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setPen(Qt::black);
    draw(p);
    return image;
}

// The box around every pixel that is not white.
QRect ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The glyph images of a line of separate glyphs, cut at the blank columns between them.
QList<QImage> glyphsOf(const QImage &image)
{
    QList<QImage> glyphs;
    int start = -1;
    for (int x = 0; x <= image.width(); ++x) {
        bool blank = true;
        for (int y = 0; x < image.width() && y < image.height() && blank; ++y)
            blank = image.pixel(x, y) == qRgb(255, 255, 255);
        if (!blank && start < 0)
            start = x;
        if (blank && start >= 0) {
            glyphs << image.copy(start, 0, x - start, image.height());
            start = -1;
        }
    }
    return glyphs;
}

// Whether the line can be drawn in font's first face alone.
bool firstFaceCovers(const QFont &font, const QString &text)
{
    const QRawFont face = QRawFont::fromFont(firstFaceOnly(font));
    for (char32_t c : asOneLine(text).toUcs4())
        if (!face.supportsCharacter(c))
            return false;
    return true;
}

} // namespace

class TestTextLine : public QObject
{
    Q_OBJECT
private:
    QFont font = gothicFont(9);

private Q_SLOTS:
    // Where the line lands, against where Qt's own drawText puts the same line: a shift
    // of a pixel from rounding each glyph to the pixel grid, no more.
    void placement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<Overflow>("overflow");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<int>("expected"); // drawText's horizontal alignment
        QTest::newRow("fits, centred") << QStringLiteral("山田") << 53 << Overflow::ShowStart << 1.0 << int(Qt::AlignHCenter);
        QTest::newRow("digits") << QStringLiteral("1975") << 53 << Overflow::ShowStart << 1.0 << int(Qt::AlignHCenter);
        QTest::newRow("long shows its start") << QStringLiteral("東京都千代田区丸の内") << 53 << Overflow::ShowStart
                                              << 1.0 << int(Qt::AlignLeft);
        QTest::newRow("long, centred") << QStringLiteral("東京都千代田区丸の内") << 53 << Overflow::Centred << 1.0
                                       << int(Qt::AlignHCenter);
        QTest::newRow("trailing spaces, fits") << QStringLiteral("山田  ") << 53 << Overflow::ShowStart << 1.0
                                               << int(Qt::AlignHCenter);
        QTest::newRow("trailing spaces make it too long") << QStringLiteral("東京都千   ") << 53
                                                               << Overflow::ShowStart << 1.0 << int(Qt::AlignLeft);
        QTest::newRow("fits at 1.5x") << QStringLiteral("ヤマダ") << 53 << Overflow::ShowStart << 1.5 << int(Qt::AlignHCenter);
        QTest::newRow("long at 2x") << QStringLiteral("taro@mail.example.jp") << 53 << Overflow::ShowStart << 2.0
                                    << int(Qt::AlignLeft);
    }
    void placement()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(Overflow, overflow);
        QFETCH(qreal, scale);
        QFETCH(int, expected);
        QVERIFY(firstFaceCovers(font, text));
        const QRect r(2, 1, width, 16);
        const QSize size(width + 4, 18);
        const QImage ours = paint(size, scale, [&](QPainter &p) {
            p.setClipRect(r);
            drawTextLine(p, r, text, font, overflow);
        });
        const QImage qts = paint(size, scale, [&](QPainter &p) {
            p.setClipRect(r);
            p.setFont(font);
            p.drawText(r, expected | Qt::AlignVCenter | Qt::TextSingleLine, text);
        });
        const QRect a = ink(ours);
        const QRect b = ink(qts);
        QVERIFY(!a.isEmpty());
        const auto near = [](int x, int y) { return qAbs(x - y) <= 1; };
        QVERIFY2(near(a.left(), b.left()) && near(a.right(), b.right()) && near(a.top(), b.top())
                     && near(a.bottom(), b.bottom()),
                 qPrintable(QStringLiteral("ours %1,%2 %3x%4, drawText %5,%6 %7x%8")
                                .arg(a.x())
                                .arg(a.y())
                                .arg(a.width())
                                .arg(a.height())
                                .arg(b.x())
                                .arg(b.y())
                                .arg(b.width())
                                .arg(b.height())));
    }

    // Each glyph on a whole device pixel: the same character looks the same wherever it
    // falls, at any scale and from any starting offset.
    void sameGlyphSameLook_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<qreal>("shift");
        QTest::newRow("1x") << 1.0 << 0.0;
        QTest::newRow("1x, shifted") << 1.0 << 0.3;
        QTest::newRow("1.25x, shifted") << 1.25 << 0.3;
        QTest::newRow("1.5x") << 1.5 << 0.0;
        QTest::newRow("1.5x, shifted") << 1.5 << 0.3;
    }
    void sameGlyphSameLook()
    {
        QFETCH(qreal, scale);
        QFETCH(qreal, shift);
        const QString text = QStringLiteral("1 1 1 1 1 1 1 1");
        const QRect r(0, 0, 120, 16);
        const QList<QImage> ours = glyphsOf(paint(r.size(), scale, [&](QPainter &p) {
            p.translate(shift, 0);
            drawTextLine(p, r, text, font, Overflow::Centred);
        }));
        QCOMPARE(ours.size(), 8);
        for (const QImage &g : ours)
            QCOMPARE(g, ours.first());

        // Drawn at the positions the layout gives, the copies differ: otherwise the check
        // above could not fail with this face.
        const QList<QImage> qts = glyphsOf(paint(r.size(), scale, [&](QPainter &p) {
            p.translate(shift, 0);
            p.setFont(font);
            p.drawText(QPointF(0.3, 12), text);
        }));
        QCOMPARE(qts.size(), 8);
        if (std::all_of(qts.begin(), qts.end(), [&](const QImage &g) { return g == qts.first(); }))
            QSKIP("this face's advances are whole pixels here, so nothing tells the placements apart");
    }

    // The face is the one a font with fallbacks draws with first, whatever was drawn
    // before: left to choose, a font without fallbacks would keep the face it found for
    // the first script it met. Each row at a size no other test draws at.
    void faceDoesNotDependOnWhatCameFirst_data()
    {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<qreal>("size");
        QTest::addColumn<QString>("first");
        QTest::newRow("Greek first") << gothicFamilies() << 13.5 << QStringLiteral("αβγ abc");
        QTest::newRow("kanji first") << gothicFamilies() << 14.5 << QStringLiteral("山田");
        QTest::newRow("no listed face installed") << QStringList{QStringLiteral("No Such Face")} << 15.5
                                                  << QStringLiteral("山田");
    }
    void faceDoesNotDependOnWhatCameFirst()
    {
        QFETCH(QStringList, families);
        QFETCH(qreal, size);
        QFETCH(QString, first);
        QFont f = gothicFont(size);
        f.setFamilies(families);
        const QRect r(0, 0, 80, 20);
        paint(r.size(), 1.0, [&](QPainter &p) { drawTextLine(p, r, first, f, Overflow::Centred); });
        QCOMPARE(QFontInfo(firstFaceOnly(f)).family(), QFontInfo(f).family());
        if (families == gothicFamilies())
            QVERIFY(firstFaceCovers(f, QStringLiteral("山田 taro 1975")));
    }

    void asOneLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF is one space") << QStringLiteral("a\r\nb") << QStringLiteral("a b");
        QTest::newRow("lone CR, lone LF") << QStringLiteral("a\rb\nc") << QStringLiteral("a b c");
        QTest::newRow("LF CR is two") << QStringLiteral("a\n\rb") << QStringLiteral("a  b");
        QTest::newRow("a diary") << QStringLiteral("日記です\r\n毎日\n更新") << QStringLiteral("日記です 毎日 更新");
        QTest::newRow("tab and separators") << QStringLiteral("\t山\u2028田\u2029") << QStringLiteral(" 山 田 ");
        QTest::newRow("ideographic space kept") << QStringLiteral("山田　太郎") << QStringLiteral("山田　太郎");
    }
    void asOneLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(mq::asOneLine(text), shown);
    }

    // drawText shows them so on one line; the layout would move a tab to the next stop.
    void separatorsShowAsSpaces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a b");
        QTest::newRow("tab between kanji") << QStringLiteral("山\t田") << QStringLiteral("山 田");
        QTest::newRow("line separator") << QStringLiteral("山\u2028田") << QStringLiteral("山 田");
        QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << QStringLiteral("a b");
    }
    void separatorsShowAsSpaces()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QRect r(2, 1, 53, 16);
        const auto draw = [&](const QString &t) {
            return paint(QSize(57, 18), 1.0, [&](QPainter &p) { drawTextLine(p, r, t, font, Overflow::ShowStart); });
        };
        QCOMPARE(draw(text), draw(shown));
        QVERIFY(!ink(draw(text)).isEmpty());
    }

    // A character the first face lacks: the line is drawn exactly as Qt draws it with its
    // fallback faces, never as the first face's empty box, and a long one still shows its
    // start.
    void characterMissingFromTheFirstFace_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("expected"); // drawText's horizontal alignment
        QTest::newRow("fits") << QStringLiteral("山田") << int(Qt::AlignHCenter);
        QTest::newRow("too long") << QStringLiteral("東京都千代田区丸の内") << int(Qt::AlignLeft);
    }
    void characterMissingFromTheFirstFace()
    {
        QFETCH(QString, before);
        QFETCH(int, expected);
        const QRawFont first = QRawFont::fromFont(font);
        QString missing;
        for (char32_t c : {U'\u0531', U'\u10D0', U'\u0E01', U'\u05D0', U'\uAC00', U'\u2603'}) {
            if (!first.supportsCharacter(c) && QFontMetricsF(font).inFontUcs4(c)) {
                missing = QString::fromUcs4(&c, 1);
                break;
            }
        }
        if (missing.isEmpty())
            QSKIP("no installed face draws a character the first face lacks");
        const QString text = before + missing;
        QVERIFY(!firstFaceCovers(font, text));
        const QRect r(2, 1, 53, 16);
        const QImage ours = paint(QSize(57, 18), 1.0, [&](QPainter &p) {
            p.setClipRect(r);
            drawTextLine(p, r, text, font, Overflow::ShowStart);
        });
        const QImage qts = paint(QSize(57, 18), 1.0, [&](QPainter &p) {
            p.setClipRect(r);
            p.setFont(font);
            p.drawText(r, expected | Qt::AlignVCenter | Qt::TextSingleLine, text);
        });
        QCOMPARE(ours, qts);
    }

    // A line that shows its start draws only what can show: the whole of a long value
    // looks exactly as its start alone, so that the rest need not be laid out. A start is
    // long enough when it reaches three times the rectangle's width.
    void longLineLooksAsItsStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("scale");
        const auto repeated = [](const QString &s) { return s.repeated(20000 / s.size() + 1); };
        const QString address = repeated(QStringLiteral("東京都千代田区丸の内9-9-9"));
        QTest::newRow("kanji") << address << 53 << 1.0;
        QTest::newRow("kanji at 2x") << address << 53 << 2.0;
        QTest::newRow("kanji, the palette's widest box") << address << 109 << 1.0;
        QTest::newRow("Latin at 1.5x") << repeated(QStringLiteral("taro@mail.example.jp ")) << 53 << 1.5;
        QTest::newRow("narrow characters") << repeated(QStringLiteral("il.,")) << 53 << 1.0;
        QTest::newRow("surrogate pairs") << repeated(QStringLiteral("𠮷野家")) << 53 << 1.0;
        QTest::newRow("combining marks") << repeated(QStringLiteral("か\u3099e\u0301")) << 53 << 1.25;
        QTest::newRow("line breaks and tabs") << repeated(QStringLiteral("日記\r\n毎日\t更新")) << 53 << 1.0;
        QTest::newRow("a character the first face lacks") << repeated(QStringLiteral("日記😀")) << 53 << 1.0;
        // Out of sight, it no longer decides in which faces the line is drawn.
        QTest::newRow("a character the first face lacks, far out of sight")
            << address + QStringLiteral("😀\u0531") << 53 << 1.0;
        QTest::newRow("a line break, far out of sight") << address + QStringLiteral("\r\n") + address << 53 << 1.0;
    }
    void longLineLooksAsItsStart()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(qreal, scale);
        const QRect r(2, 1, width, 16);
        // In r, or as if r were wider and only r's part were shown.
        const auto draw = [&](const QString &t, int wider = 0) {
            return paint(QSize(width + 4, 18), scale, [&](QPainter &p) {
                p.setClipRect(r);
                drawTextLine(p, r.adjusted(0, 0, wider, 0), t, font, Overflow::ShowStart);
            });
        };
        // The shortest start that reaches three widths, with its fallback faces or without.
        const QFontMetricsF merged(font);
        const QFontMetricsF first(firstFaceOnly(font));
        const auto reach = [&](qsizetype length) {
            return std::min(merged.horizontalAdvance(text.first(length)), first.horizontalAdvance(text.first(length)));
        };
        qsizetype shortest = 1;
        while (shortest < text.size() && reach(shortest) < 3 * width)
            ++shortest;
        QVERIFY(shortest < 200);

        const QImage whole = draw(text);
        QVERIFY(!ink(whole).isEmpty());
        // Not cut short: a wider rectangle shows the same in r's part.
        QCOMPARE(whole, draw(text, 4 * width));
        for (qsizetype length : {shortest, shortest + 1, shortest + 2, shortest + 7, 2 * shortest, qsizetype(1000),
                                 text.size() / 2, text.size() - 1})
            QVERIFY2(draw(text.first(length)) == whole, qPrintable(QString::number(length)));
    }

    void emptyLineDrawsNothing()
    {
        const QRect r(0, 0, 40, 16);
        const QImage shot = paint(r.size(), 1.0, [&](QPainter &p) { drawTextLine(p, r, QString(), font, Overflow::ShowStart); });
        QVERIFY(ink(shot).isEmpty());
    }
};

QTEST_MAIN(TestTextLine)
#include "test_textline.moc"
