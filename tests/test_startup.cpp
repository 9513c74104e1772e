#include "app/startup.h"
#include "profile/profilefile.h"
#include "version.h"
#include "windows/form1.h"

#include "testsupport.h"

#include <QtTest>

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
