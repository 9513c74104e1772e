#include "browserlaunch.h"
#include "desktop.h"
#include "form1.h"
#include "startup.h"
#include "version.h"

#include "fakedesktop.h"
#include "sampleprofile.h"

#include <QtTest>

using namespace mq;


class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void normalStart()
    {
        FakeDesktop d;
        writeBytes(d.namePath(), sample::file());
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
        QCOMPARE(f.values(), sample::values());
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
        writeBytes(d.namePath(), sample::file());
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
        for (const QString &value : f.values())
            QCOMPARE(value, QStringLiteral("■■■■■■"));
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
        QCOMPARE(f.values()[0], QStringLiteral("■■■■■■"));
    }

    void profileIsBesideTheProgram()
    {
        QCOMPARE(desktopServices().profilePath, QCoreApplication::applicationDirPath() + QStringLiteral("/NAME.txt"));
    }

    void caption_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("patch");
        QTest::addColumn<QString>("caption");
        QTest::newRow("1.0.0") << 1 << 0 << 0 << QStringLiteral("ＭＱ (β1.0.0)");
        QTest::newRow("no leading zeros") << 2 << 10 << 3 << QStringLiteral("ＭＱ (β2.10.3)");
        QTest::newRow("large") << 32767 << 100 << 9 << QStringLiteral("ＭＱ (β32767.100.9)");
    }
    void caption()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, patch);
        QFETCH(QString, caption);
        QCOMPARE(captionFor(major, minor, patch), caption);
    }

    void programCaptionComesFromTheBuild()
    {
        // The build's version is 1.0.0; the caption must follow it, not a literal of its own.
        QCOMPARE(programCaption(), QStringLiteral("ＭＱ (β1.0.0)"));
        QCOMPARE(programCaption().at(0), QChar(0xFF2D));
        QCOMPARE(programCaption().at(4), QChar(0x03B2));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
