#include "cp932.h"

#include "systemcp932.h"

#include <QtTest>

#include <cstring>
#include <iterator>


using namespace mq;

namespace {
QByteArray hex(const char *h) { return QByteArray::fromHex(h); }


// One code point (QString::fromUcs4 would take U+FEFF for a byte-order mark and drop it).
QString text(char32_t c)
{
    return QStringView(QChar::fromUcs4(c)).toString();
}

// The one exception to "saved only as it reads back": Linux input methods give the left
// character where Windows ones give the right, which has the same shape.
struct Fold
{
    char32_t typed;
    char32_t stored;
};
constexpr Fold Folds[] = {{0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x2212, 0xFF0D}, {0x2014, 0x2015},
                          {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}};

char32_t foldOf(char32_t c)
{
    for (const Fold &f : Folds)
        if (f.typed == c)
            return f.stored;
    return c;
}
} // namespace

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void encodesAsWindowsDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("ascii, crlf untouched") << QStringLiteral("a, \"b\"\t\r\n") << QByteArray("a, \"b\"\t\r\n");
        QTest::newRow("kanji") << QStringLiteral("山田太郎") << hex("8E52936391BE9859");
        QTest::newRow("half-width kana") << QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ") << hex("D4CFC0DEC0DBB3");
        QTest::newRow("髙") << QStringLiteral("髙") << hex("FBFC");
        QTest::newRow("﨑") << QStringLiteral("﨑") << hex("FAB1");
        QTest::newRow("①") << QStringLiteral("①") << hex("8740");
        QTest::newRow("wave dash U+301C") << QStringLiteral("\u301C") << hex("8160");
        QTest::newRow("fullwidth tilde U+FF5E") << QStringLiteral("\uFF5E") << hex("8160");
        QTest::newRow("double vertical line U+2016") << QStringLiteral("\u2016") << hex("8161");
        QTest::newRow("parallel U+2225") << QStringLiteral("\u2225") << hex("8161");
        QTest::newRow("minus sign U+2212") << QStringLiteral("\u2212") << hex("817C");
        QTest::newRow("cent U+00A2") << QStringLiteral("\u00A2") << hex("8191");
        QTest::newRow("pound U+00A3") << QStringLiteral("\u00A3") << hex("8192");
        QTest::newRow("not sign U+00AC") << QStringLiteral("\u00AC") << hex("81CA");
        QTest::newRow("em dash U+2014") << QStringLiteral("\u2014") << hex("815C");
        QTest::newRow("mixed") << QStringLiteral("A山ｱ") << hex("418E52B1");
    }
    void encodesAsWindowsDoes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const cp932::Encoded e = cp932::encode(text);
        QVERIFY(e.ok());
        QCOMPARE(e.bytes.toHex(' '), bytes.toHex(' '));
    }

    void reportsFirstUnencodable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("emoji") << QStringLiteral("😀") << 0;
        QTest::newRow("emoji after text") << QStringLiteral("日記😀です😀") << 2;
        QTest::newRow("𠮷, a surrogate pair") << QStringLiteral("𠮷野家") << 0;
        QTest::newRow("accented latin") << QStringLiteral("café") << 3;
        QTest::newRow("hangul") << QStringLiteral("ab한") << 2;
        QTest::newRow("lone high surrogate at end") << (QStringLiteral("ab") + QChar(0xD83D)) << 2;
        QTest::newRow("lone low surrogate") << (QStringLiteral("a") + QChar(0xDE00) + QStringLiteral("b")) << 1;
        // Characters the system's converter takes but turns into others, or drops.
        QTest::newRow("yen sign, which would come back as a backslash") << QStringLiteral("\\10,000\u00A5") << 7;
        QTest::newRow("overline, which would come back as a tilde") << QStringLiteral("a\u203Eb") << 1;
        QTest::newRow("tag character, which would vanish") << (QStringLiteral("旗") + text(0xE0067) + text(0xE007F)) << 1;
        QTest::newRow("the first of several") << QStringLiteral("山\u00A5\u203E😀") << 1;
    }
    void reportsFirstUnencodable()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        const cp932::Encoded e = cp932::encode(text);
        QVERIFY(!e.ok());
        QCOMPARE(e.unencodable, qsizetype(index));
        QVERIFY(e.bytes.isEmpty());
    }

    void decodesAndMarksInvalidSequences_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("kanji") << hex("8E52936391BE9859") << QStringLiteral("山田太郎");
        QTest::newRow("half-width kana") << hex("D4CFC0DEC0DBB3") << QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ");
        QTest::newRow("8160 as Windows reads it") << hex("8160") << QStringLiteral("\uFF5E");
        QTest::newRow("NEC and IBM extensions") << hex("8740FBFCFAB1") << QStringLiteral("①髙﨑");
        QTest::newRow("truncated last byte") << hex("418E") << QStringLiteral("A・");
        QTest::newRow("lone lead byte before ascii") << hex("8120" "41") << QStringLiteral("・ A");
        QTest::newRow("undefined pair is one mark") << hex("8540" "8E52") << QStringLiteral("・山");
        QTest::newRow("undefined pair 879F") << hex("879F41") << QStringLiteral("・A");
        QTest::newRow("bytes that are never valid") << hex("80A0FDFF41") << QStringLiteral("・・・・A");
        QTest::newRow("keeps going after several") << hex("FF8E52FF93638E") << QStringLiteral("・山・田・");
        QTest::newRow("nul and lf are text") << hex("410A0042") << QString::fromUtf16(u"A\n\0B", 4);
    }
    void decodesAndMarksInvalidSequences()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp932::decode(bytes), text);
    }

    // Over every code point of the BMP and the tag block, against the system's converter:
    // what the encoder keeps reads back as it was (or as its fold), in the bytes the
    // system gives it; what it refuses would not have read back; it refuses nothing else.
    void everyCharacterReadsBackOrIsRefused_data()
    {
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("last");
        QTest::newRow("basic multilingual plane") << 0u << 0xFFFFu;
        QTest::newRow("tag characters") << 0xE0000u << 0xE007Fu;
    }
    void everyCharacterReadsBackOrIsRefused()
    {
        QFETCH(uint, first);
        QFETCH(uint, last);
        SystemCp932 system;
        QVERIFY(system.ok());
        int kept = 0, refused = 0, changedBySystem = 0, folded = 0;
        for (char32_t c = first; c <= last; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            const QString in = text(c);
            const cp932::Encoded e = cp932::encode(in);
            QByteArray bytes;
            const bool systemTakes = system.encode(c, &bytes);
            const qint64 back = systemTakes ? system.decode(bytes) : -1;
            const QByteArray name = "U+" + QByteArray::number(uint(c), 16).toUpper();
            if (systemTakes && back != qint64(c))
                ++changedBySystem;
            if (e.ok()) {
                ++kept;
                // Read back by the program's own decoder, and by the system's.
                QVERIFY2(cp932::decode(e.bytes) == text(foldOf(c)), name.constData());
                QByteArray stored;
                QVERIFY2(system.encode(foldOf(c), &stored) && stored == e.bytes, name.constData());
                QVERIFY2(system.decode(e.bytes) == qint64(foldOf(c)), name.constData());
                if (foldOf(c) != c)
                    ++folded;
            } else {
                ++refused;
                QVERIFY2(foldOf(c) == c, name.constData());
                QVERIFY2(!systemTakes || back != qint64(c), name.constData());
                QCOMPARE(e.unencodable, 0);
                // Named where it stands among others.
                QCOMPARE(cp932::encode(QStringLiteral("山a") + in + QStringLiteral("b")).unencodable, 2);
            }
        }
        // The rule is not idle: the converter does change characters in these ranges.
        QVERIFY(changedBySystem > 0);
        QVERIFY(refused > 0);
        if (first == 0) {
            QVERIFY(kept > 7000);
            QCOMPARE(folded, int(std::size(Folds)));
        }
        qInfo("%d kept (%d folded), %d refused, %d the system would change", kept, folded, refused,
              changedBySystem);
    }

    void roundTrips_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces") << QStringLiteral("  a　b  ");
        QTest::newRow("commas quotes tabs") << QStringLiteral("\"a\",'b'\t,c");
        QTest::newRow("extension kanji") << QStringLiteral("髙橋 﨑 ① ⅰ ㈱");
        QTest::newRow("half-width kana") << QStringLiteral("ｶﾞｷﾞｸﾞｹﾞｺﾞ ﾊﾟﾋﾟ ｰ｡｢｣､･");
        QTest::newRow("windows wave dash") << QStringLiteral("10時～12時");
        QTest::newRow("every ascii") << [] {
            QString s;
            for (char16_t c = 1; c < 0x80; ++c)
                s += QChar(c);
            return s;
        }();
    }
    void roundTrips()
    {
        QFETCH(QString, text);
        const cp932::Encoded e = cp932::encode(text);
        QVERIFY(e.ok());
        QCOMPARE(cp932::decode(e.bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "test_cp932.moc"
