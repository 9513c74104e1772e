#include "cp932.h"
#include "kana.h"

#include "systemcp932.h"

#include <QtTest>

using namespace mq;

namespace {
bool storable(const QString &s)
{
    return cp932::encode(s).ok();
}


// The half-width katakana U+FF61..U+FF9F and the wide forms a reader of them expects.
const QString HalfRow = QStringLiteral("｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ");
const QString WideRow = QStringLiteral("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
} // namespace

class TestKana : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cases_data()
    {
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QString>("fullWidth");
        QTest::addColumn<QString>("hiragana");
        QTest::newRow("sample") << QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ") << QStringLiteral("ヤマダタロウ") << QStringLiteral("やまだたろう");
        QTest::newRow("voiced composes") << QStringLiteral("ｶﾞｸ") << QStringLiteral("ガク") << QStringLiteral("がく");
        QTest::newRow("semi-voiced") << QStringLiteral("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ") << QStringLiteral("パピプペポ") << QStringLiteral("ぱぴぷぺぽ");
        QTest::newRow("vu stays katakana") << QStringLiteral("ｳﾞｨ") << QStringLiteral("ヴィ") << QStringLiteral("ヴぃ");
        QTest::newRow("prolonged mark") << QStringLiteral("ｺｰﾋｰ") << QStringLiteral("コーヒー") << QStringLiteral("こーひー");
        QTest::newRow("small letters") << QStringLiteral("ｯｬｭｮｧ") << QStringLiteral("ッャュョァ") << QStringLiteral("っゃゅょぁ");
        QTest::newRow("punctuation") << QStringLiteral("｡｢｣､･") << QStringLiteral("。「」、・") << QStringLiteral("。「」、・");
        QTest::newRow("ascii") << QStringLiteral("ABC") << QStringLiteral("ＡＢＣ") << QStringLiteral("ＡＢＣ");
        QTest::newRow("space") << QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ") << QStringLiteral("ヤマダ　タロウ") << QStringLiteral("やまだ　たろう");
        QTest::newRow("full-width katakana") << QStringLiteral("ヤマダ") << QStringLiteral("ヤマダ") << QStringLiteral("やまだ");
        QTest::newRow("hiragana") << QStringLiteral("やまだ") << QStringLiteral("やまだ") << QStringLiteral("やまだ");
        QTest::newRow("kanji") << QStringLiteral("山田") << QStringLiteral("山田") << QStringLiteral("山田");
        QTest::newRow("lone voiced mark") << QStringLiteral("ﾞｱ") << QStringLiteral("゛ア") << QStringLiteral("゛あ");
        QTest::newRow("mark after a letter without a voiced form") << QStringLiteral("ﾏﾞﾅﾟ") << QStringLiteral("マ゛ナ゜") << QStringLiteral("ま゛な゜");
        QTest::newRow("wa with mark") << QStringLiteral("ﾜﾞｦﾞ") << QStringLiteral("ワ゛ヲ゛") << QStringLiteral("わ゛を゛");
        QTest::newRow("mark after a wide letter") << QStringLiteral("カﾞ") << QStringLiteral("カ゛") << QStringLiteral("か゛");
        QTest::newRow("backslash and tilde") << QStringLiteral("\\~") << QStringLiteral("＼～") << QStringLiteral("＼～");
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("ka ke stay") << QStringLiteral("ヵヶ") << QStringLiteral("ヵヶ") << QStringLiteral("ヵヶ");
        QTest::newRow("other half-width forms") << QStringLiteral("\uFFE8\uFFE9\uFFEA\uFFEB\uFFEC\uFFED\uFFEE")
                                                << QStringLiteral("│←↑→↓■○") << QStringLiteral("│←↑→↓■○");
        QTest::newRow("narrow signs") << QStringLiteral("¢£¬¯¦¥₩") << QStringLiteral("￠￡￢￣￤￥₩")
                                      << QStringLiteral("￠￡￢￣￤￥₩");
        QTest::newRow("wide sound marks stay apart") << QStringLiteral("カ゛ハ゜") << QStringLiteral("カ゛ハ゜")
                                                     << QStringLiteral("か゛は゜");
        QTest::newRow("control characters stay") << QStringLiteral("\t\r\n\x7f") << QStringLiteral("\t\r\n\x7f")
                                                 << QStringLiteral("\t\r\n\x7f");
    }
    void cases()
    {
        QFETCH(QString, kana);
        QFETCH(QString, fullWidth);
        QFETCH(QString, hiragana);
        QCOMPARE(toFullWidth(kana), fullWidth);
        QCOMPARE(toHiragana(toFullWidth(kana)), hiragana);
    }

    void everyHalfWidthKanaOnce()
    {
        QCOMPARE(HalfRow.size(), 0xFF9F - 0xFF61 + 1);
        QCOMPARE(WideRow.size(), HalfRow.size());
        for (int i = 0; i < HalfRow.size(); ++i) {
            QCOMPARE(HalfRow.at(i).unicode(), char16_t(0xFF61 + i));
            QCOMPARE(toFullWidth(HalfRow.mid(i, 1)), WideRow.mid(i, 1));
        }
    }

    // Every letter followed by either mark: one composed letter where Unicode has one
    // that NAME.txt can hold, otherwise the letter and the spacing mark.
    void everyLetterWithEachMark()
    {
        for (int i = 0; i < HalfRow.size() - 2; ++i) {
            for (char16_t mark : {u'\uFF9E', u'\uFF9F'}) {
                const QString wide = WideRow.mid(i, 1);
                const QChar combining = mark == 0xFF9E ? QChar(0x3099) : QChar(0x309A);
                const QString nfc = (wide + combining).normalized(QString::NormalizationForm_C);
                const QString expected = nfc.size() == 1 && storable(nfc)
                    ? nfc
                    : wide + (mark == 0xFF9E ? QStringLiteral("゛") : QStringLiteral("゜"));
                const QString wideForm = toFullWidth(HalfRow.mid(i, 1) + QChar(mark));
                QCOMPARE(wideForm, expected);
                // What the program's own encoder keeps: only what reads back unchanged.
                QVERIFY(storable(wideForm));
                QVERIFY(storable(toHiragana(wideForm)));
            }
        }
    }

    // Rules stated once more, apart from the tables, for every code point of the BMP.
    void everyCodePoint()
    {
        for (uint c = 0; c <= 0xFFFF; ++c) {
            if (QChar::isSurrogate(c))
                continue;
            const QString in = QString(QChar(char16_t(c)));
            const QString wide = toFullWidth(in);
            const QString hira = toHiragana(in);
            QCOMPARE(wide.size(), 1);
            const char16_t w = wide.at(0).unicode();
            if (c >= 0x21 && c <= 0x7E)
                QCOMPARE(w, char16_t(c + 0xFEE0));
            else if (c == 0x20)
                QCOMPARE(w, char16_t(0x3000));
            else if (c >= 0xFF61 && c <= 0xFF9F)
                QCOMPARE(wide, WideRow.mid(c - 0xFF61, 1));
            else if (!(c >= 0xFFE8 && c <= 0xFFEE) && c != 0xA2 && c != 0xA3 && c != 0xA5 && c != 0xA6
                     && c != 0xAC && c != 0xAF)
                QCOMPARE(w, char16_t(c));

            if (c >= 0x30A1 && c <= 0x30F3)
                QCOMPARE(hira, QString(QChar(char16_t(c - 0x60))));
            else
                QCOMPARE(hira, in);

            // Whatever the user could type and store, the derived values can be stored too.
            if (storable(in)) {
                QVERIFY2(storable(wide), qPrintable(QString::number(c, 16)));
                QVERIFY2(storable(toHiragana(wide)), qPrintable(QString::number(c, 16)));
            }
        }
    }

    // Checked with the system's converter: every wide form of the converted ranges, each
    // letter with each mark, and the hiragana of all of them can be written to NAME.txt.
    void resultsRoundTripThroughSystemCp932_data()
    {
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("last");
        QTest::addColumn<bool>("storableInputsOnly");
        QTest::newRow("ascii and space") << 0x20u << 0x7Eu << false;
        QTest::newRow("half-width katakana") << 0xFF61u << 0xFF9Fu << false;
        QTest::newRow("other half-width forms") << 0xFFE8u << 0xFFEEu << false;
        QTest::newRow("katakana letters") << 0x30A1u << 0x30F6u << false;
        QTest::newRow("kana block as typed") << 0x3000u << 0x30FFu << true;
    }
    void resultsRoundTripThroughSystemCp932()
    {
        QFETCH(uint, first);
        QFETCH(uint, last);
        QFETCH(bool, storableInputsOnly);
        SystemCp932 system;
        QVERIFY(system.ok());
        for (uint c = first; c <= last; ++c) {
            QStringList inputs{QString(QChar(char16_t(c)))};
            if (storableInputsOnly && !system.roundTrips(inputs[0]))
                continue;
            if (c >= 0xFF61 && c <= 0xFF9F)
                inputs << inputs[0] + QChar(0xFF9E) << inputs[0] + QChar(0xFF9F);
            for (const QString &in : inputs) {
                const QString wide = toFullWidth(in);
                QVERIFY2(system.roundTrips(wide), qPrintable(QString::number(c, 16) + " " + wide));
                QVERIFY2(system.roundTrips(toHiragana(wide)), qPrintable(QString::number(c, 16) + " " + wide));
            }
        }
    }

    void surrogatePairsPassThrough()
    {
        const QString s = QStringLiteral("𠮷ﾀ😀");
        QCOMPARE(toFullWidth(s), QStringLiteral("𠮷タ😀"));
        QCOMPARE(toHiragana(toFullWidth(s)), QStringLiteral("𠮷た😀"));
    }
};

QTEST_GUILESS_MAIN(TestKana)
#include "test_kana.moc"
