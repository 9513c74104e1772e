#include "app/look.h"
#include "app/startup.h"
#include "profile/derivation.h"
#include "profile/profilefile.h"
#include "version.h"
#include "windows/form1.h"

#include "sampleprofile.h"
#include "testsupport.h"

#include <QPushButton>
#include <QtTest>

#include <set>

using namespace mq;

namespace {
void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray sampleFile()
{
    QByteArray b = "0\r\n";
    for (int i = 0; i < SlotCount; ++i)
        b += "v" + QByteArray::number(i) + "\r\n";
    return b;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void normalStart()
    {
        FakeDesktop d;
        writeBytes(d.namePath(), sampleFile());
        auto s = d.services();
        QThread *launchThread = nullptr;
        s.openUrl = [&](const QUrl &url) {
            d.opened << url;
            launchThread = QThread::currentThread();
            return true;
        };
        BrowserLaunch browser(s);
        Form1 f(s);
        loadForm1(f, s, browser);
        QCOMPARE(f.windowTitle(), QStringLiteral("ＭＱ (β1.0.0)"));
        QCOMPARE(d.opened, QList<QUrl>{QUrl(QString::fromLatin1(build::HomePage))});
        // Off the GUI thread, so that building the palette need not wait for the fork.
        QVERIFY(launchThread && launchThread != QThread::currentThread());
        QVERIFY(d.messages.isEmpty());
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(f.Text(i)->text(), QStringLiteral("v%1").arg(i));
    }

    void noBrowserSkipsTheProfile_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::newRow("at once") << 0;
        // The load must wait for a launch that is slower than everything else.
        QTest::newRow("late") << 300;
    }

    void noBrowserSkipsTheProfile()
    {
        QFETCH(int, delayMs);
        FakeDesktop d;
        writeBytes(d.namePath(), sampleFile());
        auto s = d.services();
        s.openUrl = [&](const QUrl &url) {
            QThread::msleep(delayMs);
            d.opened << url;
            return false;
        };
        BrowserLaunch browser(s);
        Form1 f(s);
        loadForm1(f, s, browser);
        QCOMPARE(f.windowTitle(), QStringLiteral("ＭＱ (β1.0.0)"));
        QCOMPARE(d.opened.size(), 1);
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].endsWith(QStringLiteral("\r\r【エラーコード＝429】")));
        for (int i = 0; i < SlotCount; ++i)
            QCOMPARE(f.Text(i)->text(), QStringLiteral("■■■■■■"));
    }

    void missingProfileIsReportedOnce()
    {
        FakeDesktop d;
        BrowserLaunch browser(d.services());
        Form1 f(d.services());
        loadForm1(f, d.services(), browser);
        QCOMPARE(d.opened.size(), 1);
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].endsWith(QStringLiteral("【エラーコード＝53】")));
        QCOMPARE(f.Text(0)->text(), QStringLiteral("■■■■■■"));
    }

    void fontWarmUpCoversTheScriptsShown()
    {
        // Qt asks for fallback faces once per run of one script; digits and signs join the
        // run they stand in, and a text of nothing else is a run of the common script.
        // A script the warm-up leaves out makes the first paint ask fontconfig after all.
        std::set<QChar::Script> warmed;
        for (const QString &text : fontWarmUpTexts()) {
            const QList<uint> chars = text.toUcs4();
            QVERIFY(!chars.isEmpty());
            const QChar::Script script = QChar::script(chars[0]);
            for (uint c : chars)
                QCOMPARE(QChar::script(c), script); // one run, of that script alone
            warmed.insert(script);
        }
        QVERIFY(warmed.count(QChar::Script_Common));

        Form1 f(FakeDesktop().services());
        const Record values = deriveRecord(sampleEntries());
        QStringList shown(values.begin(), values.end());
        shown << f.Command1->text() << f.btnHelp->text() << f.Text(0)->text() << QStringLiteral("ｶﾞｯｺｳ　ﾆﾎﾟﾝ･ｰ")
              << QStringLiteral("Ｔａｒｏ＿１２３＠ｅｘａｍｐｌｅ．ｊｐ、。「」〒");
        for (const QString &text : shown)
            for (uint c : text.toUcs4()) {
                const QChar::Script script = QChar::script(c);
                QVERIFY2(script == QChar::Script_Inherited || warmed.count(script),
                         qPrintable(QStringLiteral("%1 (U+%2)").arg(QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1)).arg(c, 4, 16)));
            }
    }

    void fontWarmUpCanEndAtOnce()
    {
        // Gone before its thread got going: joined, nothing left running.
        for (int i = 0; i < 20; ++i)
            FontWarmUp warm(QApplication::font());
        QVERIFY(QFontMetrics(QApplication::font()).horizontalAdvance(fontWarmUpTexts().join(QString())) > 0);
    }

    void profileIsBesideTheProgram()
    {
        FakeDesktop d;
        QCOMPARE(profilePath(d.services()), d.dir.filePath(QStringLiteral("NAME.txt")));
        // The real desktop: the folder that holds the program, nothing else.
        QCOMPARE(Services::desktop().programDir, QCoreApplication::applicationDirPath());
        QCOMPARE(profilePath(Services::desktop()), QCoreApplication::applicationDirPath() + QStringLiteral("/NAME.txt"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
