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
    // Caption, then the browser, then the profile: the launch sees the caption set and the
    // palette still unread, and the load does not wait for the browser to finish.
    void normalStart()
    {
        FakeDesktop d;
        writeBytes(d.namePath(), sample::file());
        auto s = d.services();
        Form1 f(s);
        QString captionAtLaunch;
        QString firstBoxAtLaunch;
        s.openUrl = [&](const QUrl &url) {
            d.opened << url;
            captionAtLaunch = f.windowTitle();
            firstBoxAtLaunch = f.values()[0];
            return true;
        };
        loadForm1(f, s);
        QCOMPARE(f.windowTitle(), QStringLiteral("ＭＱ (β1.0.0)"));
        QCOMPARE(d.opened, QList<QUrl>{QUrl(QString::fromLatin1(build::HomePage))});
        QCOMPARE(captionAtLaunch, QStringLiteral("ＭＱ (β1.0.0)"));
        QCOMPARE(firstBoxAtLaunch, QStringLiteral("■■■■■■"));
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(f.values(), sample::values());
    }

    void noBrowserSkipsTheProfile()
    {
        FakeDesktop d;
        writeBytes(d.namePath(), sample::file());
        auto s = d.services();
        s.openUrl = [&](const QUrl &url) {
            d.opened << url;
            return false;
        };
        Form1 f(s);
        loadForm1(f, s);
        QCOMPARE(f.windowTitle(), QStringLiteral("ＭＱ (β1.0.0)"));
        QCOMPARE(d.opened.size(), 1);
        QCOMPARE(d.messages, QStringList{QStringLiteral("ブラウザを起動できません。\r\r【エラーコード＝429】")});
        for (const QString &value : f.values())
            QCOMPARE(value, QStringLiteral("■■■■■■"));
    }

    void missingProfileIsReportedOnce()
    {
        FakeDesktop d;
        Form1 f(d.services());
        loadForm1(f, d.services());
        QCOMPARE(d.opened.size(), 1);
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].endsWith(QStringLiteral("【エラーコード＝53】")));
        QCOMPARE(f.values()[0], QStringLiteral("■■■■■■"));
    }

    void missingJapaneseFontNamesAPackage()
    {
        FakeDesktop d;
        reportMissingJapaneseFont(d.services());
        QCOMPARE(d.messages.size(), 1);
        QVERIFY(d.messages[0].contains(QStringLiteral("fonts-ipafont-gothic")));
        QVERIFY(d.messages[0].endsWith(QStringLiteral("【エラーコード＝1003】")));
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
