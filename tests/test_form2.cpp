#include "profile/derivation.h"
#include "profile/profilefile.h"
#include "windows/form1.h"
#include "windows/form2.h"

#include "testsupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace mq;

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A palette whose slot i holds "p<i>", as if loaded from a file.
void fillPalette(Form1 &f)
{
    for (int i = 0; i < SlotCount; ++i)
        f.Text(i)->setText(QStringLiteral("p%1").arg(i));
}

Form2 *openEditor(Form1 &f)
{
    f.Command1->click();
    return f.editor();
}

// The visible entries and caption boxes of the design, with their focus numbers.
struct Placed
{
    const char *name;
    int left, top, width, height, focus;
};
const Placed Design[] = {
    {"項目(16)", 120, 120, 3375, 375, 50},   {"Command1(0)", 3480, 120, 615, 375, 96},
    {"項目(5)", 120, 480, 1335, 375, 39},    {"項目(1)", 1440, 480, 1335, 375, 35},
    {"項目(2)", 2760, 480, 1335, 375, 36},   {"項目(0)", 120, 840, 1335, 375, 34},
    {"Text(1)", 1440, 840, 1335, 375, 0},    {"Text(2)", 2760, 840, 1335, 375, 1},
    {"項目(3)", 120, 1200, 1335, 375, 37},   {"Text(10)", 1440, 1200, 1335, 375, 2},
    {"Text(11)", 2760, 1200, 1335, 375, 3},  {"項目(4)", 120, 1560, 1335, 375, 38},
    {"Text(14)", 1440, 1560, 1335, 375, 4},  {"Text(13)", 2760, 1560, 1335, 375, 5},
    {"項目(17)", 120, 2040, 3375, 375, 51},  {"Command1(1)", 3480, 2040, 615, 375, 97},
    {"項目(19)", 120, 2400, 1335, 375, 53},  {"Text(17)", 1440, 2400, 1215, 375, 33},
    {"項目(18)", 2640, 2400, 165, 375, 52},  {"Text(18)", 2760, 2400, 1335, 375, 32},
    {"項目(6)", 120, 2760, 1335, 375, 40},   {"Text(20)", 1440, 2760, 2655, 375, 31},
    {"項目(7)", 120, 3120, 1335, 375, 41},   {"Text(21)", 1440, 3120, 2655, 375, 30},
    {"項目(8)", 120, 3480, 1335, 375, 42},   {"Text(22)", 1440, 3480, 2655, 375, 29},
    {"項目(9)", 120, 3840, 1335, 375, 43},   {"Text(23)", 1440, 3840, 2655, 375, 28},
    {"項目(20)", 120, 4320, 3375, 375, 54},  {"Command1(2)", 3480, 4320, 615, 375, 98},
    {"項目(10)", 120, 4680, 1335, 375, 44},  {"Text(26)", 1440, 4680, 735, 375, 27},
    {"項目(11)", 2160, 4680, 165, 375, 45},  {"Text(27)", 2280, 4680, 735, 375, 26},
    {"項目(12)", 3000, 4680, 165, 375, 46},  {"Text(28)", 3120, 4680, 975, 375, 25},
    {"項目(13)", 120, 5040, 1335, 375, 47},  {"Text(31)", 1440, 5040, 735, 375, 24},
    {"項目(15)", 2160, 5040, 165, 375, 49},  {"Text(32)", 2280, 5040, 735, 375, 23},
    {"項目(14)", 3000, 5040, 165, 375, 48},  {"Text(33)", 3120, 5040, 975, 375, 22},
    {"btn内容更新", 120, 5880, 1935, 495, 102}, {"btnキャンセル", 2160, 5880, 1935, 495, 110},
    {"項目(34)", 4200, 120, 3375, 375, 67},  {"Command1(4)", 7560, 120, 615, 375, 100},
    {"項目(30)", 4200, 480, 1335, 375, 63},  {"Text(47)", 5520, 480, 2655, 375, 15},
    {"項目(31)", 4200, 840, 1335, 375, 64},  {"Text(48)", 5520, 840, 2655, 375, 14},
    {"項目(32)", 4200, 1200, 1335, 375, 65}, {"Text(49)", 5520, 1200, 2655, 375, 13},
    {"項目(33)", 4200, 1560, 1335, 375, 66}, {"Text(50)", 5520, 1560, 2655, 375, 6},
    {"項目(25)", 4200, 2040, 3375, 375, 59}, {"Command1(3)", 7560, 2040, 615, 375, 99},
    {"項目(42)", 4200, 2400, 1095, 375, 106}, {"Text(38)", 5280, 2400, 735, 375, 105},
    {"項目(43)", 6000, 2400, 285, 375, 107}, {"Text(39)", 6240, 2400, 735, 375, 104},
    {"項目(44)", 6960, 2400, 285, 375, 108}, {"Text(40)", 7200, 2400, 735, 375, 103},
    {"項目(45)", 7920, 2400, 255, 375, 109}, {"項目(21)", 4200, 2760, 735, 375, 55},
    {"Text(34)", 4920, 2760, 615, 375, 21},  {"項目(22)", 5520, 2760, 375, 375, 56},
    {"項目(24)", 5880, 2760, 165, 375, 58},  {"項目(23)", 6000, 2760, 735, 375, 57},
    {"Text(35)", 6720, 2760, 1455, 375, 20}, {"項目(26)", 4200, 3120, 975, 375, 60},
    {"Text(42)", 5160, 3120, 975, 375, 19},  {"項目(27)", 6120, 3120, 285, 375, 111},
    {"Text(43)", 6360, 3120, 1815, 375, 18}, {"項目(28)", 4200, 3480, 1455, 375, 61},
    {"Text(44)", 5640, 3480, 2535, 375, 17}, {"項目(29)", 4200, 3840, 1455, 375, 62},
    {"Text(45)", 5640, 3840, 2535, 375, 16}, {"項目(41)", 4200, 4320, 3375, 375, 74},
    {"Command1(5)", 7560, 4320, 615, 375, 101}, {"項目(39)", 4200, 4680, 1335, 375, 72},
    {"Text(51)", 5520, 4680, 2655, 375, 12}, {"項目(38)", 4200, 5040, 1335, 375, 71},
    {"Text(52)", 5520, 5040, 2655, 375, 11}, {"項目(37)", 4200, 5400, 1335, 375, 70},
    {"Text(53)", 5520, 5400, 2655, 375, 10}, {"項目(36)", 4200, 5760, 1335, 735, 69},
    {"Text(54)", 5520, 5760, 2655, 735, 9},  {"項目(35)", 4200, 6480, 1335, 375, 68},
    {"Text(55)", 5520, 6480, 2655, 375, 8},  {"項目(40)", 4200, 6840, 1335, 375, 73},
    {"Text(56)", 5520, 6840, 2655, 375, 7},
};
} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void window()
    {
        FakeDesktop d;
        Form1 f(d.services());
        Form2 *e = openEditor(f);
        QVERIFY(e);
        QCOMPARE(e->windowTitle(), QStringLiteral("内容変更"));
        QCOMPARE(e->size(), QSize(552, 489));
        QCOMPARE(e->minimumSize(), e->maximumSize());
        QVERIFY(!(e->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!e->parentWidget());
        QVERIFY(!e->isModal());
        QVERIFY(!e->Frame1->isVisible());
        QCOMPARE(e->btn内容更新->text(), QStringLiteral("内　容　更　新"));
        QCOMPARE(e->btnキャンセル->text(), QStringLiteral("キ　ャ　ン　セ　ル"));
    }

    void layout()
    {
        FakeDesktop d;
        Form1 f(d.services());
        Form2 *e = openEditor(f);
        int visibleEntries = 0;
        for (const Placed &p : Design) {
            auto *w = e->findChild<QWidget *>(QString::fromUtf8(p.name));
            QVERIFY2(w, p.name);
            QCOMPARE(w->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15));
            QVERIFY2(w->isVisible(), p.name);
            if (QByteArray(p.name).startsWith("Text("))
                ++visibleEntries;
        }
        QCOMPARE(visibleEntries, 37);
        for (int slot : DerivedSlots)
            QVERIFY(e->Frame1->isAncestorOf(e->Text(slot)));
    }

    void captionsFontsAndModes()
    {
        FakeDesktop d;
        Form1 f(d.services());
        Form2 *e = openEditor(f);
        const QStringList captions = {
            "漢字", "姓", "名", "ｶﾅ(半角)", "ｱﾙﾌｧﾍﾞｯﾄ(半角)", "", "都道府県", "市町村", "地区", "番地",
            "電話番号", "-", "-", "携帯またはFAX", "-", "-", "氏　　名", "住　　所", "-", "郵便番号",
            "電　話　番　号", "年齢", "才", "職業", "", "そ　の　他", "ﾒｰﾙｱﾄﾞﾚｽ", "＠", "希望ＩＤ",
            "希望パスワード", "銀行名", "支店名", "普通・当座", "口座番号", "希望振込み先銀行情報",
            "1日アクセス数", "サイトの説明", "サイトＵＲＬ", "サイト(フリガナ)", "サイトのタイトル",
            "1月アクセス数", "あなたのホームページの情報", "生年月日", "年", "月", "日"};
        QCOMPARE(captions.size(), 46);
        for (int i = 0; i < 46; ++i) {
            QCOMPARE(qobject_cast<QLineEdit *>(e->項目(i))->text(), captions[i]);
            QVERIFY(qobject_cast<QLineEdit *>(e->項目(i))->isReadOnly());
        }
        for (int i = 0; i < 6; ++i)
            QCOMPARE(e->Command1(i)->text(), QStringLiteral("クリア"));

        const QString defaultFont[] = {"項目(4)", "Text(14)", "Text(13)", "項目(13)", "項目(39)", "Text(51)",
                                       "項目(38)", "Text(52)", "項目(37)", "Text(53)", "項目(36)", "Text(54)",
                                       "項目(35)", "項目(40)", "Command1(0)", "Command1(1)", "Command1(2)",
                                       "Command1(3)", "Command1(4)", "Command1(5)"};
        const QString small[] = {"項目(26)", "項目(29)"};
        for (const Placed &p : Design) {
            const QString name = QString::fromUtf8(p.name);
            auto *w = e->findChild<QWidget *>(name);
            const qreal size = w->font().pointSizeF();
            if (std::find(std::begin(defaultFont), std::end(defaultFont), name) != std::end(defaultFont))
                QCOMPARE(size, QApplication::font().pointSizeF());
            else if (std::find(std::begin(small), std::end(small), name) != std::end(small))
                QCOMPARE(size, 9.75);
            else if (!name.startsWith(QStringLiteral("btn"))) // buttons may shrink to fit
                QCOMPARE(size, 12.0);
        }
        for (int slot : InputSlots) {
            const bool multi = slot >= 51;
            QCOMPARE(bool(qobject_cast<QPlainTextEdit *>(e->Text(slot))), multi);
            QCOMPARE(!e->Text(slot)->toolTip().isEmpty(), slot == 55 || slot == 56);
        }
    }

    void focusChainFollowsTheNumbers()
    {
        FakeDesktop d;
        Form1 f(d.services());
        Form2 *e = openEditor(f);
        QVector<const Placed *> order;
        for (const Placed &p : Design)
            order << &p;
        std::sort(order.begin(), order.end(), [](auto a, auto b) { return a->focus < b->focus; });

        QWidget *w = e->findChild<QWidget *>(QStringLiteral("Text(1)"));
        QCOMPARE(w, e->Text(1));
        for (int i = 1; i < order.size(); ++i) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || w->focusProxy());
            QCOMPARE(w->objectName(), QString::fromUtf8(order[i]->name));
        }
    }

    void focusStartsInEntryOneAndTabSkipsToTheButton()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        Form2 *e = openEditor(f);
        QApplication::setActiveWindow(e);
        QVERIFY(QTest::qWaitForWindowActive(e));
        QCOMPARE(QApplication::focusWidget(), e->Text(1));
        // From the update button the date entries come next, day first.
        e->btn内容更新->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e->Text(40));
        // Tab leaves a multi-line entry instead of typing a tab.
        e->Text(56)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e->Text(55));
        QCOMPARE(e->entry(56), QStringLiteral("p56"));
    }

    void enterStartsALineOnlyInTheSiteEntries()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        Form2 *e = openEditor(f);
        e->setEntry(54, QString());
        e->Text(54)->setFocus();
        QTest::keyClicks(e->Text(54), QStringLiteral("ab"));
        QTest::keyClick(e->Text(54), Qt::Key_Return);
        QTest::keyClicks(e->Text(54), QStringLiteral("cd"));
        QCOMPARE(e->entry(54), QStringLiteral("ab\ncd"));

        e->setEntry(35, QString());
        QTest::keyClicks(e->Text(35), QStringLiteral("ab"));
        QTest::keyClick(e->Text(35), Qt::Key_Return);
        QTest::keyClick(e->Text(35), Qt::Key_Escape);
        QCOMPARE(e->entry(35), QStringLiteral("ab"));
        // Neither key clicked a button: the editor is still open, the palette untouched.
        QVERIFY(f.editor());
        QCOMPARE(f.Text(35)->text(), QStringLiteral("p35"));
    }

    void inputMethodsReachEveryEntry()
    {
        FakeDesktop d;
        Form1 f(d.services());
        Form2 *e = openEditor(f);
        for (int slot : InputSlots) {
            QWidget *w = e->Text(slot);
            QVERIFY(w->testAttribute(Qt::WA_InputMethodEnabled));
            e->setEntry(slot, QString());
            w->setFocus();
            // What an input method sends: a preedit, then the committed text.
            QInputMethodEvent preedit(QStringLiteral("やまだ"), {});
            QApplication::sendEvent(w, &preedit);
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("山田"));
            QApplication::sendEvent(w, &commit);
            QCOMPARE(e->entry(slot), QStringLiteral("山田"));
        }
    }

    void loadCopiesThePalette()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        Form2 *e = openEditor(f);
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(e->entry(i), QStringLiteral("p%1").arg(i));
    }

    void showingAgainKeepsWhatWasTyped()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        Form2 *e = openEditor(f);
        e->setEntry(1, QStringLiteral("typed"));
        QCOMPARE(openEditor(f), e);
        QCOMPARE(e->entry(1), QStringLiteral("typed"));
        QCOMPARE(f.findChildren<Form2 *>().size() + 0, 0); // no owner: not a child of the palette
    }

    void reopeningAfterCloseLoadsAfresh()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        QPointer<Form2> e = openEditor(f);
        e->setEntry(1, QStringLiteral("typed"));
        e->close();
        QTRY_VERIFY(!f.editor());
        QTRY_VERIFY(!e);
        f.Text(1)->setText(QStringLiteral("changed"));
        Form2 *again = openEditor(f);
        QCOMPARE(again->entry(1), QStringLiteral("changed"));
    }

    void clear_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("name") << 0 << 0 << 14;
        QTest::newRow("address") << 1 << 15 << 23;
        QTest::newRow("telephone") << 2 << 24 << 33;
        QTest::newRow("other") << 3 << 34 << 45;
        QTest::newRow("bank") << 4 << 46 << 50;
        QTest::newRow("site") << 5 << 51 << 56;
    }
    void clear()
    {
        QFETCH(int, button);
        QFETCH(int, first);
        QFETCH(int, last);
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        Form2 *e = openEditor(f);
        e->Command1(button)->click();
        for (int i = 0; i < SlotCount; ++i) {
            if (i >= first && i <= last)
                QVERIFY2(e->entry(i).isEmpty(), qPrintable(QString::number(i)));
            else
                QCOMPARE(e->entry(i), QStringLiteral("p%1").arg(i));
        }
        QCOMPARE(e->Command1(button)->text(), QStringLiteral("クリア"));
        // The palette and the file are not touched.
        QCOMPARE(f.values()[first], QStringLiteral("p%1").arg(first));
        QVERIFY(!QFile::exists(d.namePath()));
        QVERIFY(d.messages.isEmpty());
    }

    void cancelAndCloseBoxChangeNothing()
    {
        for (bool useCancel : {true, false}) {
            FakeDesktop d;
            Form1 f(d.services());
            fillPalette(f);
            QPointer<Form2> e = openEditor(f);
            e->setEntry(1, QStringLiteral("typed"));
            e->Command1(2)->click();
            if (useCancel)
                e->btnキャンセル->click();
            else
                e->close();
            QTRY_VERIFY(!f.editor());
            QCOMPARE(f.values()[1], QStringLiteral("p1"));
            QCOMPARE(f.values()[26], QStringLiteral("p26"));
            QVERIFY(!QFile::exists(d.namePath()));
            QVERIFY(d.messages.isEmpty());
        }
    }

    void updateChangesPaletteAndFileAndCloses()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        QPointer<Form2> e = openEditor(f);
        e->setEntry(1, QStringLiteral("山田"));
        e->setEntry(2, QStringLiteral("太郎"));
        e->setEntry(10, QStringLiteral("ﾔﾏﾀﾞ"));
        e->setEntry(11, QStringLiteral("ﾀﾛｳ"));
        e->setEntry(0, QStringLiteral("hidden junk"));
        e->Command1(2)->click();
        e->btn内容更新->click();
        QVERIFY(d.messages.isEmpty());
        QTRY_VERIFY(!f.editor());
        QCOMPARE(f.Text(0)->text(), QStringLiteral("山田太郎"));
        QCOMPARE(f.Text(3)->text(), QStringLiteral("やまだたろう"));
        QCOMPARE(f.Text(24)->text(), QStringLiteral("--"));
        QCOMPARE(f.Text(25)->text(), QString());

        Record stored;
        readProfile(d.namePath(), [&](int slot, const QString &text) { stored[slot] = text; });
        QCOMPARE(stored, f.values());
        QVERIFY(readAll(d.namePath()).startsWith("0\r\n\x8E\x52\x93\x63\x91\xBE\x98\x59\r\n"));
    }

    void updateWithoutTypingKeepsEveryInput()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        const QStringList odd = {QStringLiteral("  spaced  "), QStringLiteral("a\nb"), QStringLiteral("tab\tin"),
                                 QString(), QStringLiteral("髙﨑①～"), QStringLiteral("line1\nline2\n")};
        int k = 0;
        for (int slot : InputSlots)
            f.Text(slot)->setText(odd[k++ % odd.size()]);
        const Record before = f.values();
        openEditor(f)->btn内容更新->click();
        QCOMPARE(d.messages, QStringList());
        for (int slot : InputSlots)
            QCOMPARE(f.Text(slot)->text(), before[slot]);
        QCOMPARE(f.values(), deriveRecord(before));
    }

    void longValuesAndOddSpacesSurvive()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        const QString longValue = QStringLiteral("ｱ山a").repeated(20000);
        f.Text(44)->setText(longValue);              // a one-line entry
        f.Text(12)->setText(longValue);              // a hidden one
        f.Text(54)->setText(longValue + "\n" + longValue); // a multi-line one
        f.Text(35)->setText(QStringLiteral("a\u00A0b"));
        f.Text(53)->setText(QStringLiteral("a\u00A0b\tc"));
        Form2 *e = openEditor(f);
        QCOMPARE(e->entry(44), longValue);
        QCOMPARE(e->entry(12), longValue);
        QCOMPARE(e->entry(54), longValue + "\n" + longValue);
        QCOMPARE(e->entry(53), QStringLiteral("a\u00A0b\tc"));
        QCOMPARE(e->entry(35), QStringLiteral("a\u00A0b"));
    }

    void aFailedSaveKeepsTheEditorOpen()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        // A folder where the file should be: the save cannot succeed.
        QVERIFY(QDir(d.dir.path()).mkdir(QStringLiteral("NAME.txt")));
        Form2 *e = openEditor(f);
        e->setEntry(44, QStringLiteral("wished-id"));
        e->btn内容更新->click();
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].contains(QStringLiteral("【エラーコード＝")));
        QCOMPARE(f.editor(), e);
        QVERIFY(e->isVisible());
        QCOMPARE(e->entry(44), QStringLiteral("wished-id"));
        QCOMPARE(f.Text(44)->text(), QStringLiteral("wished-id"));
    }

    void anUnstorableCharacterKeepsTheEditorOpen()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        Form2 *e = openEditor(f);
        e->btn内容更新->click();
        const QByteArray before = readAll(d.namePath());
        QVERIFY(!before.isEmpty());
        e = openEditor(f);
        e->setEntry(54, QStringLiteral("日記😀"));
        e->btn内容更新->click();
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].contains(QStringLiteral("サイトの説明")));
        QCOMPARE(f.editor(), e);
        QCOMPARE(readAll(d.namePath()), before);
    }

    void looks()
    {
        FakeDesktop d;
        Form1 f(d.services());
        fillPalette(f);
        Form2 *e = openEditor(f);
        QVERIFY(QTest::qWaitForWindowExposed(e));
        const struct { const char *name; QRgb background; } boxes[] = {
            {"Text(1)", 0xFFFFFF}, {"項目(0)", 0xFFFFC0}, {"項目(16)", 0xC0FFFF},
            {"項目(18)", 0xFFFFFF}, {"項目(24)", 0x000000}, {"Text(54)", 0xFFFFFF},
            {"Command1(0)", 0xC0FFC0}, {"btn内容更新", 0xC0FFC0}};
        for (auto b : boxes) {
            auto *w = e->findChild<QWidget *>(QString::fromUtf8(b.name));
            const QImage shot = w->grab().toImage();
            QCOMPARE(QColor(shot.pixel(0, shot.height() / 2)).rgb() & 0xFFFFFF, QColor(Qt::black).rgb() & 0xFFFFFF);
            QCOMPARE(QColor(shot.pixel(2, 2)).rgb() & 0xFFFFFF, b.background);
        }
        auto *caption = qobject_cast<QLineEdit *>(e->項目(0));
        QVERIFY(caption->isReadOnly());
        QCOMPARE(caption->text(), QStringLiteral("漢字"));
        QCOMPARE(caption->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(e->Text(55)->toolTip(), QStringLiteral("フォームのテキストボックスへDrag&Drop"));
        QVERIFY(e->Text(54)->toolTip().isEmpty());
        for (const Placed &p : Design) {
            auto *w = e->findChild<QWidget *>(QString::fromUtf8(p.name));
            QVERIFY2(!w->acceptDrops(), p.name);
            if (auto *line = qobject_cast<QLineEdit *>(w))
                QVERIFY2(line->dragEnabled(), p.name);
            if (auto *multi = qobject_cast<QPlainTextEdit *>(w))
                QVERIFY2(!multi->viewport()->acceptDrops(), p.name);
        }
        QVERIFY(qobject_cast<QPlainTextEdit *>(e->Text(51)));
        QVERIFY(qobject_cast<QLineEdit *>(e->Text(50)));
        QCOMPARE(e->Text(1)->font().pointSizeF(), 12.0);
        QCOMPARE(e->項目(26)->font().pointSizeF(), 9.75);
        QCOMPARE(e->Text(14)->font().pointSizeF(), QApplication::font().pointSizeF());
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
