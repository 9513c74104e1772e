#include "derivation.h"
#include "failure.h"
#include "profilefile.h"

#include "sampleprofile.h"

#include <QtTest>

using namespace mq;

class TestDerivation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sampleProfileEndToEnd()
    {
        const Record values = deriveRecord(sample::entries());
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(values[i], sample::values()[i]);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("NAME.txt"));
        writeProfile(path, values);
        QCOMPARE(readBytes(path), sample::file());
    }

    void joins_data()
    {
        QTest::addColumn<QVector<int>>("parts");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("derived");
        QTest::addColumn<QString>("value");
        using V = QVector<int>;
        using S = QStringList;
        QTest::newRow("telephone empty") << V{26, 27, 28} << S{"", "", ""} << 24 << "--";
        QTest::newRow("telephone joined empty") << V{26, 27, 28} << S{"", "", ""} << 25 << "";
        QTest::newRow("middle part empty") << V{26, 27, 28} << S{"03", "", "5678"} << 24 << "03--5678";
        QTest::newRow("mail empty") << V{42, 43} << S{"", ""} << 41 << "@";
        QTest::newRow("alphabet empty") << V{13, 14} << S{"", ""} << 12 << " ";
        QTest::newRow("right box first") << V{14, 13} << S{"YAMADA", "TARO"} << 12 << "TARO YAMADA";
        QTest::newRow("bank empty") << V{47, 48} << S{"", ""} << 46 << "/";
        QTest::newRow("postal empty") << V{17, 18} << S{"", ""} << 15 << "-";
        QTest::newRow("birth date empty, slashes") << V{38, 39, 40} << S{"", "", ""} << 36 << "//";
        QTest::newRow("birth date empty, hyphens") << V{38, 39, 40} << S{"", "", ""} << 37 << "--";
        QTest::newRow("spaces kept") << V{1, 2} << S{"山田 ", " 太郎"} << 0 << "山田  太郎";
        QTest::newRow("letters in numbers") << V{17, 18} << S{"1a3", "ＡＢ"} << 16 << "1a3ＡＢ";
        QTest::newRow("month as typed") << V{38, 39, 40} << S{"1975", "04", "01"} << 36 << "1975/04/01";
        QTest::newRow("address in order") << V{20, 21, 22, 23} << S{"a", "b", "c", "d"} << 19 << "abcd";
        QTest::newRow("mobile") << V{31, 32, 33} << S{"090", "1", "2"} << 29 << "090-1-2";
        QTest::newRow("mobile joined") << V{31, 32, 33} << S{"090", "1", "2"} << 30 << "09012";
    }
    void joins()
    {
        QFETCH(QVector<int>, parts);
        QFETCH(QStringList, typed);
        QFETCH(int, derived);
        QFETCH(QString, value);
        Record e = sample::entries();
        for (int i = 0; i < parts.size(); ++i)
            e[parts[i]] = typed[i];
        QCOMPARE(deriveRecord(e)[derived], value);
    }

    // The kana row's two entries through the six readings: slots 6 and 3 read the joined
    // slot 9, so a mark typed at the start of the given name composes there only.
    void readings_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QStringList>("katakana"); // slots 6, 7, 8
        QTest::addColumn<QStringList>("hiragana"); // slots 3, 4, 5
        using S = QStringList;
        QTest::newRow("voiced marks compose") << "ｶﾞｸ" << "ﾊﾟﾝ" << S{"ガクパン", "ガク", "パン"} << S{"がくぱん", "がく", "ぱん"};
        QTest::newRow("ascii in both rows") << "ABC" << "x1" << S{"ＡＢＣｘ１", "ＡＢＣ", "ｘ１"} << S{"ＡＢＣｘ１", "ＡＢＣ", "ｘ１"};
        QTest::newRow("space") << "ﾔﾏﾀﾞ ﾀﾛｳ" << "" << S{"ヤマダ　タロウ", "ヤマダ　タロウ", ""} << S{"やまだ　たろう", "やまだ　たろう", ""};
        QTest::newRow("full-width katakana") << "ヤマダ" << "タロウ" << S{"ヤマダタロウ", "ヤマダ", "タロウ"} << S{"やまだたろう", "やまだ", "たろう"};
        QTest::newRow("hiragana stays") << "やまだ" << "たろう" << S{"やまだたろう", "やまだ", "たろう"} << S{"やまだたろう", "やまだ", "たろう"};
        QTest::newRow("kanji stays") << "山田" << "太郎" << S{"山田太郎", "山田", "太郎"} << S{"山田太郎", "山田", "太郎"};
        QTest::newRow("mark across the join") << "ﾊ" << "ﾟｲ" << S{"パイ", "ハ", "゜イ"} << S{"ぱい", "は", "゜い"};
        QTest::newRow("lone mark") << "ﾞ" << "ｱﾞ" << S{"゛ア゛", "゛", "ア゛"} << S{"゛あ゛", "゛", "あ゛"};
        QTest::newRow("vu") << "ｳﾞｧ" << "" << S{"ヴァ", "ヴァ", ""} << S{"ヴぁ", "ヴぁ", ""};
        QTest::newRow("empty") << "" << "" << S{"", "", ""} << S{"", "", ""};
    }
    void readings()
    {
        QFETCH(QString, family);
        QFETCH(QString, given);
        QFETCH(QStringList, katakana);
        QFETCH(QStringList, hiragana);
        Record e = sample::entries();
        e[10] = family;
        e[11] = given;
        const Record v = deriveRecord(e);
        QCOMPARE(v[9], family + given);
        QCOMPARE((QStringList{v[6], v[7], v[8]}), katakana);
        QCOMPARE((QStringList{v[3], v[4], v[5]}), hiragana);
    }

    void inputSlotsAreCopiedUnchanged()
    {
        Record e;
        for (int s : InputSlots)
            e[s] = QStringLiteral(" in%1 \n").arg(s);
        const Record v = deriveRecord(e);
        for (int s : InputSlots)
            QCOMPARE(v[s], e[s]);
    }

    void hiddenEntriesHaveNoEffect()
    {
        const Record clean = deriveRecord(sample::entries());
        Record junk = sample::entries();
        for (int s : DerivedSlots)
            junk[s] = QStringLiteral("junk%1").arg(s);
        QCOMPARE(deriveRecord(junk), clean);
    }

    void aHandEditedDerivedValueIsReplaced()
    {
        // A palette loaded from a hand-edited file: its derived values don't match.
        Record palette = deriveRecord(sample::entries());
        palette[0] = QStringLiteral("edited");
        palette[24] = QStringLiteral("000");
        // Opening the editor copies the palette; updating without typing recomputes.
        const Record again = deriveRecord(palette);
        QCOMPARE(again[0], QStringLiteral("山田太郎"));
        QCOMPARE(again[24], QStringLiteral("03-1234-5678"));
        QCOMPARE(again, deriveRecord(sample::entries()));
    }

    void anUnstorableCharacterIsNamedWhereItWasTyped_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("kanji family name") << 1 << QStringLiteral("漢字（姓）");
        QTest::newRow("kana given name") << 11 << QStringLiteral("ｶﾅ(半角)（名）");
        QTest::newRow("postal code") << 17 << QStringLiteral("郵便番号（前）");
        QTest::newRow("mail") << 43 << QStringLiteral("ﾒｰﾙｱﾄﾞﾚｽ（＠の後）");
        QTest::newRow("bank") << 47 << QStringLiteral("銀行名");
        QTest::newRow("site") << 54 << QStringLiteral("サイトの説明");
    }
    void anUnstorableCharacterIsNamedWhereItWasTyped()
    {
        QFETCH(int, entry);
        QFETCH(QString, caption);
        Record e = sample::entries();
        e[entry] = QStringLiteral("𠮷");
        QTemporaryDir dir;
        try {
            writeProfile(dir.filePath(QStringLiteral("NAME.txt")), deriveRecord(e));
            QFAIL("saved a character code page 932 cannot hold");
        } catch (const Failure &f) {
            QVERIFY2(f.description.contains(QStringLiteral("「") + caption + QStringLiteral("」")),
                     qPrintable(f.description));
            QVERIFY(f.description.contains(QStringLiteral("𠮷")));
        }
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("NAME.txt"))));
    }

    void designTextsJoinToo()
    {
        Record e;
        e.fill(designText());
        const Record v = deriveRecord(e);
        QCOMPARE(v[0], QString(12, QChar(0x25A0)));
        QCOMPARE(v[3], QString(12, QChar(0x25A0)));
        QCOMPARE(v[7], designText());
        QCOMPARE(v[15], designText() + "-" + designText());
        QCOMPARE(v[12], designText() + " " + designText());
    }
};

QTEST_GUILESS_MAIN(TestDerivation)
#include "test_derivation.moc"
