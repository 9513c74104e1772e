#include "derivation.h"
#include "form1.h"
#include "form2.h"
#include "profilefile.h"

#include "fakedesktop.h"
#include "ink.h"
#include "sampleprofile.h"

#include <QAccessible>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyleOptionFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(mq::Record)

using namespace mq;

namespace {

// A palette whose slot i holds "p<i>", as if loaded from a file.
Record numbered()
{
    Record r;
    for (int i = 0; i < SlotCount; ++i)
        r[i] = QStringLiteral("p%1").arg(i);
    return r;
}

QWidget *named(const QWidget &w, const QString &name)
{
    return w.findChild<QWidget *>(name);
}

QWidget *entry(const QWidget &e, int slot)
{
    return named(e, QStringLiteral("Text(%1)").arg(slot));
}

QLineEdit *caption(const QWidget &e, int index)
{
    return e.findChild<QLineEdit *>(QStringLiteral("項目(%1)").arg(index));
}

QPushButton *button(const QWidget &e, const QString &name)
{
    return e.findChild<QPushButton *>(name);
}

QPushButton *clearButton(const QWidget &e, int group)
{
    return button(e, QStringLiteral("Command1(%1)").arg(group));
}

// What the user sees in an entry.
QString shown(const QWidget &e, int slot)
{
    QWidget *w = entry(e, slot);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    return qobject_cast<QPlainTextEdit *>(w)->toPlainText();
}

void type(const QWidget &e, int slot, const QString &text)
{
    QWidget *w = entry(e, slot);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit *>(w)->setPlainText(text);
}

// What 内　容　更　新 hands on, or nothing when it was not emitted.
std::optional<Record> update(Form2 &e)
{
    QSignalSpy updated(&e, &Form2::updated);
    button(e, QStringLiteral("btn内容更新"))->click();
    if (updated.isEmpty())
        return std::nullopt;
    return updated.first().first().value<Record>();
}

QList<QWidget *> visibleControls(const Form2 &e)
{
    QList<QWidget *> all;
    for (QWidget *w : e.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->objectName().startsWith(QLatin1String("Text(")) || w->objectName().startsWith(QStringLiteral("項目("))
            || qobject_cast<QPushButton *>(w))
            all << w;
    return all;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void window()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        QCOMPARE(e.objectName(), QStringLiteral("Form2"));
        QCOMPARE(e.windowTitle(), QStringLiteral("内容変更"));
        QCOMPARE(e.size(), QSize(552, 489));
        QCOMPARE(e.minimumSize(), e.maximumSize());
        QVERIFY(!(e.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!e.parentWidget());
        QVERIFY(!e.isModal());
        QVERIFY(e.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(button(e, QStringLiteral("btn内容更新"))->text(), QStringLiteral("内　容　更　新"));
        QCOMPARE(button(e, QStringLiteral("btnキャンセル"))->text(), QStringLiteral("キ　ャ　ン　セ　ル"));
        for (int g = 0; g < 6; ++g)
            QCOMPARE(clearButton(e, g)->text(), QStringLiteral("クリア"));
    }

    // An entry for every slot: the 37 input slots on the window, the 20 derived ones in
    // the hidden Frame1; every visible control inside the window.
    void entriesAndFrame()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        e.show();
        QWidget *frame = named(e, QStringLiteral("Frame1"));
        QVERIFY(frame && !frame->isVisible());
        for (int slot = 0; slot < SlotCount; ++slot) {
            QWidget *w = entry(e, slot);
            QVERIFY2(w, qPrintable(QString::number(slot)));
            const bool input = std::count(InputSlots.begin(), InputSlots.end(), slot);
            QCOMPARE(w->isVisible(), input);
            QCOMPARE(frame->isAncestorOf(w), !input);
        }
        for (QWidget *w : visibleControls(e)) {
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
            QVERIFY2(e.rect().contains(w->geometry()), qPrintable(w->objectName()));
        }
    }

    // Every visible entry has its caption box to its left in the same row.
    void everyEntryIsLabelled()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        for (int slot : InputSlots) {
            const QRect r = entry(e, slot)->geometry();
            bool labelled = false;
            for (int i = 0; i < 46; ++i) {
                const QRect c = caption(e, i)->geometry();
                labelled = labelled || (c.top() == r.top() && c.right() <= r.left() + 1 && !caption(e, i)->text().isEmpty());
            }
            QVERIFY2(labelled, qPrintable(QString::number(slot)));
        }
    }

    // A screen reader names each entry after a caption of its row, as the palette names
    // the same slot's box.
    void entriesTellScreenReadersTheirCaptions()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        Form1 palette(d.services());
        QSet<QString> names;
        for (int slot : InputSlots) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(entry(e, slot));
            QVERIFY(a);
            const QString name = a->text(QAccessible::Name);
            names.insert(name);
            const QRect r = entry(e, slot)->geometry();
            bool fromItsRow = false;
            for (int i = 0; i < 46; ++i) {
                const QRect c = caption(e, i)->geometry();
                const QString text = caption(e, i)->text();
                fromItsRow = fromItsRow || (c.top() == r.top() && c.right() <= r.left() + 1 && text.size() > 1 && name.startsWith(text));
            }
            QVERIFY2(fromItsRow, qPrintable(QStringLiteral("%1: %2").arg(slot).arg(name)));
            const auto *box = palette.findChild<QWidget *>(QStringLiteral("Text(%1)").arg(slot));
            QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<QWidget *>(box))->text(QAccessible::Name), name);
        }
        QCOMPARE(names.size(), qsizetype(InputSlots.size()));
    }

    // Each clear button stands at the right end of its group's heading, sharing its border.
    void clearButtonsEndTheirHeading_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("heading");
        QTest::newRow("name") << 0 << QStringLiteral("氏　　名");
        QTest::newRow("address") << 1 << QStringLiteral("住　　所");
        QTest::newRow("telephone") << 2 << QStringLiteral("電　話　番　号");
        QTest::newRow("other") << 3 << QStringLiteral("そ　の　他");
        QTest::newRow("bank") << 4 << QStringLiteral("希望振込み先銀行情報");
        QTest::newRow("site") << 5 << QStringLiteral("あなたのホームページの情報");
    }
    void clearButtonsEndTheirHeading()
    {
        QFETCH(int, group);
        QFETCH(QString, heading);
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        const QRect b = clearButton(e, group)->geometry();
        QLineEdit *head = nullptr;
        for (int i = 0; i < 46; ++i)
            if (caption(e, i)->text() == heading)
                head = caption(e, i);
        QVERIFY(head);
        QCOMPARE(b.left(), head->geometry().right());
        QCOMPARE(b.top(), head->geometry().top());
        QCOMPARE(b.height(), head->geometry().height());
    }

    void noCaptionIsCut_data() { addScaleRows(); }

    // Every caption, heading, unit and button caption is shown whole, centred, with a
    // pixel of its box's colour between it and the rim.
    void noCaptionIsCut()
    {
        QFETCH(qreal, scale);
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        QList<QWidget *> labelled;
        for (int i = 0; i < 46; ++i)
            if (!caption(e, i)->text().isEmpty())
                labelled << caption(e, i);
        for (QPushButton *b : e.findChildren<QPushButton *>())
            labelled << b;
        QCOMPARE(labelled.size(), 44 + 8);
        for (QWidget *w : labelled) {
            const QString text = w->property("text").toString();
            const QImage shot = rendered(w, scale);
            const QRect area = insideRim(shot);
            const QRgb face = shot.pixel(area.topLeft());
            const QRect ink = inkBounds(shot, area, face);
            QVERIFY2(!ink.isEmpty(), qPrintable(text));
            const int left = ink.left() - area.left();
            const int right = area.right() - ink.right();
            // At least a device pixel: glyphs hinted at twice the size are not the ink of
            // one size scaled, and a unit fills its box nearly.
            QVERIFY2(left >= 1 && right >= 1, qPrintable(QStringLiteral("%1: %2 | %3").arg(text).arg(left).arg(right)));
            // Centred, by its ink or by its advance as a text box centres: the glyphs' own
            // side bearings may set the ink off centre, by no more than that and a pixel.
            const QFontMetricsF metrics(w->font());
            const QString first = text.left(1), last = text.right(1);
            const qreal bearings = metrics.tightBoundingRect(first).left()
                - (metrics.horizontalAdvance(last) - metrics.tightBoundingRect(last).right());
            QVERIFY2(qAbs(left - right) <= (qAbs(bearings) + 1.5) * scale,
                     qPrintable(QStringLiteral("%1: %2 | %3 (%4)").arg(text).arg(left).arg(right).arg(bearings)));
            // Spaced-out captions close up to fit; any other shows the same in a wider box.
            if (text.contains(QChar(0x3000)))
                continue;
            const QSize size = w->size();
            w->resize(size + QSize(200, 0));
            const QImage wide = rendered(w, scale);
            w->resize(size);
            QCOMPARE(inkBounds(wide, insideRim(wide), face).size(), ink.size());
            QVERIFY2(wide.copy(inkBounds(wide, insideRim(wide), face)) == shot.copy(ink), qPrintable(text));
        }
    }

    // Tab from entry 1 visits every visible control once and none of the hidden entries:
    // 34 entries first, in the order the design gives, and the three date entries, day
    // first, right after the update button.
    void focusOrder()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        e.show();
        const auto next = [](QWidget *w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() || w->focusProxy());
            return w;
        };
        QWidget *first = entry(e, 1);
        QList<QWidget *> visited{first};
        for (QWidget *w = next(first); w != first; w = next(w)) {
            QVERIFY2(!visited.contains(w), qPrintable(w->objectName()));
            QVERIFY2(w->window() == &e, qPrintable(w->objectName()));
            visited << w;
        }
        QCOMPARE(visited.size(), visibleControls(e).size());

        const int entriesFirst[] = {1,  2,  10, 11, 14, 13, 50, 56, 55, 54, 53, 52, 51, 49, 48, 47, 45,
                                    44, 43, 42, 35, 34, 33, 32, 31, 28, 27, 26, 23, 22, 21, 20, 18, 17};
        for (int i = 0; i < 34; ++i)
            QCOMPARE(visited[i]->objectName(), QStringLiteral("Text(%1)").arg(entriesFirst[i]));
        const qsizetype update = visited.indexOf(button(e, QStringLiteral("btn内容更新")));
        QVERIFY(update > 0);
        QCOMPARE(visited.mid(update + 1, 3), (QList<QWidget *>{entry(e, 40), entry(e, 39), entry(e, 38)}));
    }

    void focusStartsInEntryOne()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        e.show();
        QApplication::setActiveWindow(&e);
        QVERIFY(QTest::qWaitForWindowActive(&e));
        QCOMPARE(QApplication::focusWidget(), entry(e, 1));
        // Tab leaves a multi-line entry instead of typing a tab.
        entry(e, 56)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), entry(e, 55));
        QCOMPARE(shown(e, 56), QStringLiteral("p56"));
    }

    void enterStartsALineOnlyInTheSiteEntries()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        QSignalSpy updated(&e, &Form2::updated);
        type(e, 54, QString());
        entry(e, 54)->setFocus();
        QTest::keyClicks(entry(e, 54), QStringLiteral("ab"));
        QTest::keyClick(entry(e, 54), Qt::Key_Return);
        QTest::keyClicks(entry(e, 54), QStringLiteral("cd"));
        QCOMPARE(shown(e, 54), QStringLiteral("ab\ncd"));

        type(e, 35, QString());
        QTest::keyClicks(entry(e, 35), QStringLiteral("ab"));
        QTest::keyClick(entry(e, 35), Qt::Key_Return);
        QTest::keyClick(entry(e, 35), Qt::Key_Escape);
        QCOMPARE(shown(e, 35), QStringLiteral("ab"));
        // Neither key clicked a button.
        QCOMPARE(updated.count(), 0);
        QVERIFY(!QFile::exists(d.namePath()));
    }

    // Enter on a focused button presses it, as on the desktop the design comes from.
    void enterPressesTheFocusedButton()
    {
        FakeDesktop d;
        QPointer<Form2> e = new Form2(d.services(), numbered());
        e->show();
        QVERIFY(QTest::qWaitForWindowActive(e));
        clearButton(*e, 0)->setFocus();
        QTest::keyClick(clearButton(*e, 0), Qt::Key_Return);
        QTRY_COMPARE(shown(*e, 1), QString());
        QCOMPARE(shown(*e, 17), QStringLiteral("p17"));

        QSignalSpy updated(e, &Form2::updated);
        QPushButton *update = button(*e, QStringLiteral("btn内容更新"));
        update->setFocus();
        QTest::keyClick(update, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(updated.count(), 1);
        QTRY_VERIFY(!e);
        QVERIFY(QFile::exists(d.namePath()));
    }

    void inputMethodsReachEveryEntry()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        for (int slot : InputSlots) {
            QWidget *w = entry(e, slot);
            QVERIFY(w->testAttribute(Qt::WA_InputMethodEnabled));
            type(e, slot, QString());
            w->setFocus();
            // What an input method sends: a preedit, then the committed text.
            QInputMethodEvent preedit(QStringLiteral("やまだ"), {});
            QApplication::sendEvent(w, &preedit);
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("山田"));
            QApplication::sendEvent(w, &commit);
            QCOMPARE(shown(e, slot), QStringLiteral("山田"));
        }
    }

    void loadCopiesTheStart()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(shown(e, i), QStringLiteral("p%1").arg(i));
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
        Form2 e(d.services(), numbered());
        QSignalSpy updated(&e, &Form2::updated);
        clearButton(e, button)->click();
        for (int i = 0; i < SlotCount; ++i) {
            if (i >= first && i <= last)
                QVERIFY2(shown(e, i).isEmpty(), qPrintable(QString::number(i)));
            else
                QCOMPARE(shown(e, i), QStringLiteral("p%1").arg(i));
        }
        // The palette and the file are not touched.
        QCOMPARE(updated.count(), 0);
        QVERIFY(!QFile::exists(d.namePath()));
        QVERIFY(d.messages.isEmpty());
    }

    void cancelAndCloseBoxChangeNothing_data()
    {
        QTest::addColumn<bool>("useCancel");
        QTest::newRow("キャンセル") << true;
        QTest::newRow("close box") << false;
    }
    void cancelAndCloseBoxChangeNothing()
    {
        QFETCH(bool, useCancel);
        FakeDesktop d;
        QPointer<Form2> e = new Form2(d.services(), numbered());
        QSignalSpy updated(e.data(), &Form2::updated);
        e->show();
        type(*e, 1, QStringLiteral("typed"));
        clearButton(*e, 2)->click();
        if (useCancel)
            button(*e, QStringLiteral("btnキャンセル"))->click();
        else
            e->close();
        QTRY_VERIFY(!e);
        QCOMPARE(updated.count(), 0);
        QVERIFY(!QFile::exists(d.namePath()));
        QVERIFY(d.messages.isEmpty());
    }

    void updateHandsOnSavesAndCloses()
    {
        FakeDesktop d;
        QPointer<Form2> e = new Form2(d.services(), numbered());
        e->show();
        type(*e, 1, QStringLiteral("山田"));
        type(*e, 2, QStringLiteral("太郎"));
        type(*e, 10, QStringLiteral("ﾔﾏﾀﾞ"));
        type(*e, 11, QStringLiteral("ﾀﾛｳ"));
        type(*e, 0, QStringLiteral("hidden junk"));
        clearButton(*e, 2)->click();
        const std::optional<Record> values = update(*e);
        QVERIFY(d.messages.isEmpty());
        QVERIFY(values);
        QCOMPARE((*values)[0], QStringLiteral("山田太郎"));
        QCOMPARE((*values)[3], QStringLiteral("やまだたろう"));
        QCOMPARE((*values)[24], QStringLiteral("--"));
        QCOMPARE((*values)[25], QString());
        QTRY_VERIFY(!e);

        Record stored;
        readProfile(d.namePath(), [&](int slot, const QString &text) { stored[slot] = text; });
        QCOMPARE(stored, *values);
        QVERIFY(readBytes(d.namePath()).startsWith("0\r\n\x8E\x52\x93\x63\x91\xBE\x98\x59\r\n"));
    }

    void theSampleTypedGivesTheWorkedExample()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        for (int slot : InputSlots)
            type(e, slot, sample::entries()[slot]);
        QCOMPARE(update(e), std::optional(sample::values()));
        QCOMPARE(readBytes(d.namePath()), sample::file());
    }

    void updateWithoutTypingKeepsEveryInput()
    {
        FakeDesktop d;
        Record start = numbered();
        const QStringList odd = {QStringLiteral("  spaced  "), QStringLiteral("a\nb"), QStringLiteral("tab\tin"),
                                 QString(), QStringLiteral("髙﨑①～"), QStringLiteral("line1\nline2\n")};
        int k = 0;
        for (int slot : InputSlots)
            start[slot] = odd[k++ % odd.size()];
        Form2 e(d.services(), start);
        const std::optional<Record> values = update(e);
        QCOMPARE(d.messages, QStringList());
        QCOMPARE(values, std::optional(deriveRecord(start)));
        for (int slot : InputSlots)
            QCOMPARE((*values)[slot], start[slot]);
    }

    void longValuesAndOddSpacesSurvive()
    {
        FakeDesktop d;
        Record start = numbered();
        const QString longValue = QStringLiteral("ｱ山a").repeated(20000);
        start[44] = longValue;                                           // a one-line entry
        start[54] = longValue + QLatin1Char('\n') + longValue;           // a multi-line one
        start[35] = QStringLiteral("a\u00A0b");
        start[53] = QStringLiteral("a\u00A0b\tc");
        Form2 e(d.services(), start);
        const std::optional<Record> values = update(e);
        QVERIFY(values);
        for (int slot : {44, 54, 35, 53})
            QCOMPARE((*values)[slot], start[slot]);
    }

    // The values are handed on before the save; a save that fails keeps the editor open
    // with what was typed.
    void aFailedSaveKeepsTheEditorOpen()
    {
        FakeDesktop d;
        // A folder where the file should be: the save cannot succeed.
        QVERIFY(QDir(d.dir.path()).mkdir(QStringLiteral("NAME.txt")));
        QPointer<Form2> e = new Form2(d.services(), numbered());
        e->show();
        type(*e, 44, QStringLiteral("wished-id"));
        const std::optional<Record> values = update(*e);
        QVERIFY(values);
        QCOMPARE((*values)[44], QStringLiteral("wished-id"));
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].endsWith(QStringLiteral("【エラーコード＝75】")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(e && e->isVisible());
        QCOMPARE(shown(*e, 44), QStringLiteral("wished-id"));
        delete e;
    }

    void anUnstorableCharacterKeepsTheEditorOpen()
    {
        FakeDesktop d;
        writeBytes(d.namePath(), sample::file());
        QPointer<Form2> e = new Form2(d.services(), sample::values());
        e->show();
        type(*e, 54, QStringLiteral("日記😀"));
        QVERIFY(update(*e));
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].contains(QStringLiteral("サイトの説明")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(e && e->isVisible());
        QCOMPARE(readBytes(d.namePath()), sample::file());
        delete e;
    }

    void looks()
    {
        FakeDesktop d;
        Form2 e(d.services(), numbered());
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        const struct { const char *name; QRgb background; } boxes[] = {
            {"Text(1)", 0xFFFFFF}, {"項目(0)", 0xFFFFC0}, {"項目(16)", 0xC0FFFF},
            {"項目(18)", 0xFFFFFF}, {"項目(24)", 0x000000}, {"Text(54)", 0xFFFFFF},
            {"Command1(0)", 0xC0FFC0}, {"btn内容更新", 0xC0FFC0}};
        for (auto b : boxes) {
            QWidget *w = named(e, QString::fromUtf8(b.name));
            const QImage shot = w->grab().toImage();
            QCOMPARE(shot.pixel(0, shot.height() / 2) & 0xFFFFFF, 0u);
            QCOMPARE(shot.pixel(2, 2) & 0xFFFFFF, b.background);
        }
        QVERIFY(caption(e, 0)->isReadOnly());
        QCOMPARE(caption(e, 0)->text(), QStringLiteral("漢字"));
        QCOMPARE(caption(e, 0)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        for (int i = 0; i < 46; ++i)
            QVERIFY(caption(e, i)->isReadOnly());
        for (int slot : InputSlots) {
            const bool multi = slot >= 51;
            QCOMPARE(bool(qobject_cast<QPlainTextEdit *>(entry(e, slot))), multi);
            QCOMPARE(entry(e, slot)->toolTip(),
                     slot == 55 || slot == 56 ? QStringLiteral("フォームのテキストボックスへDrag&Drop") : QString());
        }
        for (QWidget *w : visibleControls(e)) {
            QVERIFY2(!w->acceptDrops(), qPrintable(w->objectName()));
            if (auto *line = qobject_cast<QLineEdit *>(w))
                QVERIFY2(line->dragEnabled(), qPrintable(w->objectName()));
            if (auto *multi = qobject_cast<QPlainTextEdit *>(w))
                QVERIFY2(!multi->viewport()->acceptDrops(), qPrintable(w->objectName()));
        }
        // The entry font, the window's font where the design gives none, 9.75 pt for two captions.
        QCOMPARE(entry(e, 1)->font().pointSizeF(), 12.0);
        QCOMPARE(caption(e, 26)->font().pointSizeF(), 9.75);
        QCOMPARE(entry(e, 14)->font().pointSizeF(), e.font().pointSizeF());
        QCOMPARE(clearButton(e, 0)->font().pointSizeF(), e.font().pointSizeF());
        // The two big buttons at the entry size: the spaced-out caption is not shrunk to fit.
        QCOMPARE(button(e, QStringLiteral("btn内容更新"))->font().pointSizeF(), 12.0);
        QCOMPARE(button(e, QStringLiteral("btnキャンセル"))->font().pointSizeF(), 12.0);
    }

    // When the editor opens, every entry shows the beginning of its value, however long.
    void entriesShowTheBeginning_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("piece");
        QTest::newRow("longer than its entry") << 80 << QStringLiteral("東京都千代田区丸の内 ");
        QTest::newRow("a hundred thousand characters") << 100000 << QStringLiteral("東京都千代田区丸の内 ");
        QTest::newRow("one word longer than its entry") << 300 << QStringLiteral("taro.yamada");
    }
    void entriesShowTheBeginning()
    {
        QFETCH(int, length);
        QFETCH(QString, piece);
        FakeDesktop d;
        Record start = numbered();
        for (int slot : InputSlots)
            start[slot] = (QStringLiteral("S%1").arg(slot) + piece.repeated(length / piece.size() + 1)).first(length);
        Form2 e(d.services(), start);
        e.show();
        QApplication::setActiveWindow(&e);
        QVERIFY(QTest::qWaitForWindowActive(&e));
        for (int slot : InputSlots) {
            QWidget *w = entry(e, slot);
            // Painted, so that each entry has scrolled to show what it shows.
            w->grab();
            if (auto *line = qobject_cast<QLineEdit *>(w)) {
                QStyleOptionFrame option;
                option.initFrom(line);
                const QRect room = line->style()->subElementRect(QStyle::SE_LineEditContents, &option, line);
                QVERIFY2(line->cursorPositionAt(QPoint(room.left() + 2, line->height() / 2)) == 0,
                         qPrintable(QString::number(slot)));
            } else {
                auto *multi = qobject_cast<QPlainTextEdit *>(w);
                QVERIFY2(multi->cursorForPosition(QPoint(1, 1)).position() == 0, qPrintable(QString::number(slot)));
            }
        }
    }

    // A long value looks in its entry as it would if the entry held all of it.
    void longValuesLookWhole_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("piece");
        for (int slot : {44, 51, 54}) {
            const QByteArray kind = slot == 44 ? "entry"
                : slot == 51             ? "one-line multi-line entry"
                                         : "multi-line entry";
            QTest::newRow(kind + ", kanji") << slot << QStringLiteral("東京都千代田区丸の内 ");
            QTest::newRow(kind + ", narrow characters") << slot << QStringLiteral("il.,");
            QTest::newRow(kind + ", short lines") << slot << QStringLiteral("a\n");
        }
    }
    void longValuesLookWhole()
    {
        QFETCH(int, slot);
        QFETCH(QString, piece);
        const QString value = piece.repeated(20000 / piece.size());
        FakeDesktop d;
        Record start = numbered();
        start[slot] = value;
        Form2 e(d.services(), start);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        const QImage shown = entry(e, slot)->grab().toImage();

        type(e, slot, value);
        if (auto *line = qobject_cast<QLineEdit *>(entry(e, slot)))
            line->setCursorPosition(0);
        QCOMPARE(shown, entry(e, slot)->grab().toImage());
    }

    // A long value is there whole for the user: selected and copied whole, typed into at
    // its start, replaced, cleared.
    void longValuesAreEditedWhole_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("entry") << 44;
        QTest::newRow("multi-line entry") << 54;
    }
    void longValuesAreEditedWhole()
    {
        QFETCH(int, slot);
        FakeDesktop d;
        Record start = numbered();
        const QString value = QStringLiteral("ｱ山a").repeated(30000) + QStringLiteral("end");
        start[slot] = value;
        start[43] = value; // replaced below
        start[23] = value; // cleared below
        Form2 e(d.services(), start);
        e.show();
        QApplication::setActiveWindow(&e);
        QVERIFY(QTest::qWaitForWindowActive(&e));

        QWidget *w = entry(e, slot);
        auto *multi = qobject_cast<QPlainTextEdit *>(w);
        QTest::mouseClick(multi ? multi->viewport() : w, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), value);
        QTest::keyClick(w, Qt::Key_Home, multi ? Qt::ControlModifier : Qt::NoModifier);
        QTest::keyClicks(w, QStringLiteral("x"));
        type(e, 43, QStringLiteral("typed"));
        clearButton(e, 1)->click();

        const std::optional<Record> values = update(e);
        QVERIFY(values);
        QCOMPARE((*values)[slot], QStringLiteral("x") + value);
        QCOMPARE((*values)[43], QStringLiteral("typed"));
        QCOMPARE((*values)[23], QString());
    }

    // The entry the editor opens in holds a long value too: the first key typed goes
    // into the whole value, not into the beginning it shows.
    void typingAtOnceIntoALongFirstEntryKeepsTheValue()
    {
        FakeDesktop d;
        Record start = numbered();
        const QString value = QStringLiteral("山田").repeated(5000) + QStringLiteral("end");
        start[1] = value;
        Form2 e(d.services(), start);
        e.show();
        QVERIFY(QTest::qWaitForWindowActive(&e));
        QCOMPARE(QApplication::focusWidget(), entry(e, 1));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        const std::optional<Record> values = update(e);
        QVERIFY(values);
        QCOMPARE((*values)[1], QStringLiteral("x") + value);
    }

    // However long, a value is taken as its entry takes a short one: line ends, separators
    // and spaces alike.
    void longValuesAreTakenAsShortOnes_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("entry") << 44;
        QTest::newRow("multi-line entry") << 54;
    }
    void longValuesAreTakenAsShortOnes()
    {
        QFETCH(int, slot);
        const QString piece = QStringLiteral("a\r\nb\rc\u2028d\u2029e\u00A0f\tg\n山");
        const auto taken = [&](const QString &value) {
            FakeDesktop d;
            Record start = numbered();
            start[slot] = value;
            Form2 e(d.services(), start);
            return update(e).value_or(Record())[slot];
        };
        const int times = 20000;
        QCOMPARE(taken(piece.repeated(times)), taken(piece).repeated(times));
    }
};

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
