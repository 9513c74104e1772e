#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "shell.h"

#include "fakedesktop.h"
#include "sampleprofile.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace mq;

namespace {

// The one top-level window of that name, or null.
QWidget *window(const QString &name)
{
    QWidget *found = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name) {
            if (found)
                return nullptr;
            found = w;
        }
    return found;
}

int windowsNamed(const QString &name)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->objectName() == name;
    return n;
}

void click(QWidget *w, const char *name)
{
    w->findChild<QPushButton *>(QString::fromUtf8(name))->click();
}

QLineEdit *entry(QWidget *editor, int slot)
{
    return editor->findChild<QLineEdit *>(QStringLiteral("Text(%1)").arg(slot));
}

Record numbered()
{
    Record r;
    for (int i = 0; i < SlotCount; ++i)
        r[i] = QStringLiteral("p%1").arg(i);
    return r;
}

bool centred(QWidget *w)
{
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    return (w->frameGeometry().center() - centre).manhattanLength() <= 2;
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        // Each test ends with the windows it opened gone.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(windowsNamed(QStringLiteral("Form2")) + windowsNamed(QStringLiteral("Form3")), 0);
    }

    // 内容変更 and ヘルプ show one window each, centred; asked again while it is open, the
    // same window comes to the front where the user left it; once closed, a fresh one.
    void oneWindowEach_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::newRow("editor") << "Command1" << "Form2";
        QTest::newRow("help") << "btnHelp" << "Form3";
    }
    void oneWindowEach()
    {
        QFETCH(QString, button);
        QFETCH(QString, name);
        FakeDesktop d;
        Shell shell(d.services());
        shell.palette().show();
        const QByteArray b = button.toUtf8();

        click(&shell.palette(), b.constData());
        QPointer<QWidget> first = window(name);
        QVERIFY(first && first->isVisible());
        QVERIFY(!first->parentWidget());
        QVERIFY(centred(first));
        first->move(5, 5);
        click(&shell.palette(), b.constData());
        QCOMPARE(window(name), first.data());
        QCOMPARE(first->pos(), QPoint(5, 5));

        first->close();
        QTRY_VERIFY(!first);
        QCOMPARE(windowsNamed(name), 0);
        click(&shell.palette(), b.constData());
        QVERIFY(window(name));
        QVERIFY(window(name)->isVisible());
        QVERIFY(centred(window(name)));
        QVERIFY(d.messages.isEmpty());
    }

    // The editor opens on the palette's values as they are; text typed there stays while
    // it is open, and is gone once it was closed.
    void theEditorStartsFromThePalette()
    {
        FakeDesktop d;
        Shell shell(d.services());
        shell.palette().setValues(numbered());
        click(&shell.palette(), "Command1");
        QWidget *editor = window(QStringLiteral("Form2"));
        QCOMPARE(entry(editor, 1)->text(), QStringLiteral("p1"));
        entry(editor, 1)->setText(QStringLiteral("typed"));
        click(&shell.palette(), "Command1");
        QCOMPARE(entry(window(QStringLiteral("Form2")), 1)->text(), QStringLiteral("typed"));

        QPointer<QWidget> gone = editor;
        click(editor, "btnキャンセル");
        QTRY_VERIFY(!gone);
        shell.palette().setValue(1, QStringLiteral("changed"));
        click(&shell.palette(), "Command1");
        QCOMPARE(entry(window(QStringLiteral("Form2")), 1)->text(), QStringLiteral("changed"));
        QCOMPARE(shell.palette().values()[2], QStringLiteral("p2"));
        window(QStringLiteral("Form2"))->close();
    }

    // The update reaches the palette and the file, and the palette keeps the new values
    // even when the save fails.
    void theUpdateReachesThePalette_data()
    {
        QTest::addColumn<bool>("saves");
        QTest::newRow("saved") << true;
        QTest::newRow("save fails") << false;
    }
    void theUpdateReachesThePalette()
    {
        QFETCH(bool, saves);
        FakeDesktop d;
        if (!saves)
            QVERIFY(QDir(d.dir.path()).mkdir(QStringLiteral("NAME.txt")));
        Shell shell(d.services());
        shell.palette().setValues(sample::values());
        click(&shell.palette(), "Command1");
        QPointer<QWidget> editor = window(QStringLiteral("Form2"));
        entry(editor, 44)->setText(QStringLiteral("wished-id"));
        click(editor, "btn内容更新");

        Record expected = sample::values();
        expected[44] = QStringLiteral("wished-id");
        QCOMPARE(shell.palette().values(), expected);
        QCOMPARE(d.messages.size(), saves ? 0 : 1);
        if (saves) {
            QTRY_VERIFY(!editor);
            QVERIFY(readBytes(d.namePath()).contains("wished-id"));
        } else {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(editor && editor->isVisible());
            editor->close();
        }
    }

    // The program's own data folder is made at the first save, for its owner only.
    void theFirstSaveMakesTheDataFolder()
    {
        FakeDesktop d;
        Services s = d.services();
        s.profilePath = d.dir.filePath(QStringLiteral("share/mq/NAME.txt"));
        s.ownProfileFolder = true;
        Shell shell(s);
        click(&shell.palette(), "Command1");
        QVERIFY(!QFileInfo::exists(d.dir.filePath(QStringLiteral("share"))));
        QPointer<QWidget> editor = window(QStringLiteral("Form2"));
        click(editor, "btn内容更新");
        QVERIFY(d.messages.isEmpty());
        QTRY_VERIFY(!editor);
        QCOMPARE(QFileInfo(d.dir.filePath(QStringLiteral("share/mq"))).permissions() & 0x7777,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser
                     | QFile::ExeUser);
        QVERIFY(QFileInfo(s.profilePath).isFile());
    }

    // Any other folder must be there: a missing one is reported, not made.
    void aNamedProfileInAMissingFolderIsReported()
    {
        FakeDesktop d;
        Services s = d.services();
        s.profilePath = d.dir.filePath(QStringLiteral("gone/NAME.txt"));
        Shell shell(s);
        click(&shell.palette(), "Command1");
        QPointer<QWidget> editor = window(QStringLiteral("Form2"));
        click(editor, "btn内容更新");
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].endsWith(QStringLiteral("【エラーコード＝75】")));
        QVERIFY(!QFileInfo::exists(d.dir.filePath(QStringLiteral("gone"))));
        editor->close();
    }

    void closingThePaletteClosesTheOthers()
    {
        FakeDesktop d;
        Shell shell(d.services());
        shell.palette().show();
        click(&shell.palette(), "Command1");
        click(&shell.palette(), "btnHelp");
        QPointer<QWidget> editor = window(QStringLiteral("Form2"));
        QPointer<QWidget> help = window(QStringLiteral("Form3"));
        QVERIFY(editor && help);
        shell.palette().close();
        QVERIFY(!editor);
        QVERIFY(!help);
        QVERIFY(d.messages.isEmpty());
    }

    void closingTheOthersKeepsThePalette()
    {
        FakeDesktop d;
        Shell shell(d.services());
        shell.palette().show();
        click(&shell.palette(), "Command1");
        click(&shell.palette(), "btnHelp");
        window(QStringLiteral("Form2"))->close();
        window(QStringLiteral("Form3"))->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shell.palette().isVisible());
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
