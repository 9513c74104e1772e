#include "cp932.h"

#include <QtTest>

using namespace mq;

namespace {
QByteArray hex(const char *h) { return QByteArray::fromHex(h); }
}

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
