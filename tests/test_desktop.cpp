#include "commandline.h"
#include "desktop.h"
#include "fontsetup.h"
#include "launcher.h"
#include "profilelocation.h"
#include "profilelock.h"
#include "version.h"

#include "sampleprofile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace mq;

Q_DECLARE_METATYPE(mq::CommandLine::Action)

namespace {

// An executable shell script in `dir`.
void script(const QString &dir, const QString &name, const QByteArray &body)
{
    const QString path = QDir(dir).filePath(name);
    writeBytes(path, "#!/bin/sh\n" + body + "\n");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// PATH with `dir` first, for as long as it lives.
struct PathFirst
{
    explicit PathFirst(const QString &dir) : saved(qgetenv("PATH")) { qputenv("PATH", QFile::encodeName(dir) + ':' + saved); }
    ~PathFirst() { qputenv("PATH", saved); }
    QByteArray saved;
};

// A program installed under `prefix` as the install lays it out.
void installLayout(const QString &prefix)
{
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/share/applications")));
    writeBytes(prefix + QStringLiteral("/share/applications/") + desktopEntryName(), "[Desktop Entry]\n");
}

// The second start of another process, as far as the lock goes: claimed on a thread of its
// own while this one answers as the running copy.
ProfileLock::Claim claimElsewhere(const QString &profile, const QString &runtime, int answerMs = 3000)
{
    std::atomic<int> result{-1};
    std::thread second([&] { result = int(ProfileLock(profile, runtime, answerMs).claim()); });
    // Joined whatever happens; a claim that never ends fails the test below.
    const bool ended = QTest::qWaitFor([&] { return result >= 0; }, answerMs + 5000);
    second.join();
    if (!ended)
        return ProfileLock::Claim(-1);
    return ProfileLock::Claim(result.load());
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<QString>("profile");
        using A = CommandLine::Action;
        using S = QStringList;
        QTest::newRow("nothing") << S{} << A::Run << QString();
        QTest::newRow("--profile FILE") << S{"--profile", "花子.txt"} << A::Run << "花子.txt";
        QTest::newRow("--profile=FILE") << S{"--profile=/tmp/a b.txt"} << A::Run << "/tmp/a b.txt";
        QTest::newRow("--help") << S{"--help"} << A::Help << QString();
        QTest::newRow("-h") << S{"-h"} << A::Help << QString();
        QTest::newRow("--version") << S{"--version"} << A::Version << QString();
        QTest::newRow("help wins over version") << S{"--version", "--help"} << A::Help << QString();
        QTest::newRow("--profile without a file") << S{"--profile"} << A::Refuse << QString();
        QTest::newRow("--profile= empty") << S{"--profile="} << A::Refuse << QString();
        QTest::newRow("two profiles") << S{"--profile", "a", "--profile", "b"} << A::Refuse << QString();
        QTest::newRow("unknown option") << S{"--verbose"} << A::Refuse << QString();
        QTest::newRow("Qt's own option") << S{"-qwindowtitle", "x"} << A::Refuse << QString();
        QTest::newRow("Qt's platform option") << S{"-platform", "offscreen"} << A::Refuse << QString();
        QTest::newRow("a bare file name") << S{"NAME.txt"} << A::Refuse << QString();
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(QString, profile);
        const CommandLine c = parseCommandLine(arguments);
        QCOMPARE(c.action, action);
        QCOMPARE(c.profile, profile);
        QCOMPARE(c.problem.isEmpty(), action != CommandLine::Action::Refuse);
        QVERIFY(!c.problem.contains(QLatin1Char('\n')));
    }

    void usageAndVersion()
    {
        QVERIFY(usageText().contains(QStringLiteral("--profile")));
        QVERIFY(usageText().contains(QStringLiteral("~/.local/share/mq/NAME.txt")));
        QCOMPARE(versionText(), QStringLiteral("mq %1.%2.%3\n")
                                    .arg(build::VersionMajor)
                                    .arg(build::VersionMinor)
                                    .arg(build::VersionPatch));
    }

    // Where NAME.txt lives follows how the program is laid out, never whether its folder
    // can be written to.
    void profileLocation_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("expected"); // relative to the test's folder; ~ for home
        QTest::addColumn<bool>("ownFolder");
        QTest::newRow("built: beside the program") << false << QString() << QString() << "prefix/bin/NAME.txt" << false;
        QTest::newRow("built, data home set: still beside it")
            << false << QString() << "/elsewhere" << "prefix/bin/NAME.txt" << false;
        QTest::newRow("installed: the data folder") << true << QString() << QString() << "~/.local/share/mq/NAME.txt"
                                                    << true;
        QTest::newRow("installed, data home set") << true << QString() << "/data" << "/data/mq/NAME.txt" << true;
        QTest::newRow("installed, relative data home ignored")
            << true << QString() << "relative" << "~/.local/share/mq/NAME.txt" << true;
        QTest::newRow("named, installed") << true << "/tmp/家族/花子.txt" << QString() << "/tmp/家族/花子.txt" << false;
        QTest::newRow("named, built") << false << "/tmp/x.txt" << QString() << "/tmp/x.txt" << false;
    }
    void profileLocation()
    {
        QFETCH(bool, installed);
        QFETCH(QString, named);
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, expected);
        QFETCH(bool, ownFolder);
        QTemporaryDir dir;
        const QString prefix = dir.filePath(QStringLiteral("prefix"));
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("/bin")));
        if (installed)
            installLayout(prefix);
        const QString home = dir.filePath(QStringLiteral("home"));
        const ProfileLocation l = mq::profileLocation(named, prefix + QStringLiteral("/bin"), xdgDataHome, home);
        QString want = expected;
        if (want.startsWith(QLatin1Char('~')))
            want = home + want.mid(1);
        else if (!want.startsWith(QLatin1Char('/')))
            want = dir.filePath(want);
        QCOMPARE(QDir::cleanPath(l.path), QDir::cleanPath(want));
        QCOMPARE(l.ownFolder, ownFolder);
        QCOMPARE(isInstalled(prefix + QStringLiteral("/bin")), installed);
    }

    void aNamedRelativeProfileIsMadeAbsolute()
    {
        const ProfileLocation l = mq::profileLocation(QStringLiteral("花子.txt"), QStringLiteral("/nowhere"), {}, {});
        QCOMPARE(l.path, QDir::current().filePath(QStringLiteral("花子.txt")));
    }

    void launcherReportsTheExit_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("success") << QByteArray("exit 0") << 0;
        QTest::newRow("no browser configured") << QByteArray("exit 3") << 3;
        QTest::newRow("killed") << QByteArray("kill -9 $$") << -1;
    }
    void launcherReportsTheExit()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QTemporaryDir dir;
        script(dir.path(), QStringLiteral("launch"), body);
        int got = -2;
        QVERIFY(startWatched(dir.filePath(QStringLiteral("launch")), {}, [&](int s) { got = s; }));
        QTRY_COMPARE(got, status);
    }

    // The call returns while the launcher runs; its end is told later.
    void launcherIsNotWaitedFor()
    {
        QTemporaryDir dir;
        const QString flag = dir.filePath(QStringLiteral("go"));
        script(dir.path(), QStringLiteral("launch"), "while [ ! -e \"$1\" ]; do sleep 0.05; done");
        bool ended = false;
        QVERIFY(startWatched(dir.filePath(QStringLiteral("launch")), {flag}, [&](int) { ended = true; }));
        QTest::qWait(200);
        QVERIFY(!ended);
        writeBytes(flag, "");
        QTRY_VERIFY(ended);
    }

    void aLauncherThatIsMissingCannotBeStarted()
    {
        bool called = false;
        QVERIFY(!startWatched(QStringLiteral("/nonexistent/xdg-open"), {}, [&](int) { called = true; }));
        QVERIFY(!startWatched(QStringLiteral("mq-no-such-program"), {}, [&](int) { called = true; }));
        QTest::qWait(100);
        QVERIFY(!called);
    }

    // xdg-open that starts but finds no browser: the same report as no browser at all,
    // once its exit is known; one that succeeds says nothing.
    void theBrowserOpener_data()
    {
        QTest::addColumn<QByteArray>("xdgOpen"); // empty: none on PATH
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("reports");
        QTest::newRow("opens") << QByteArray("echo \"$1\" > \"$(dirname \"$0\")/url\"") << true << 0;
        QTest::newRow("no browser configured") << QByteArray("exit 3") << true << 1;
    }
    void theBrowserOpener()
    {
        QFETCH(QByteArray, xdgOpen);
        QFETCH(bool, started);
        QFETCH(int, reports);
        QTemporaryDir dir;
        script(dir.path(), QStringLiteral("xdg-open"), xdgOpen);
        PathFirst path(dir.path());
        QStringList messages;
        const auto open = browserOpener([&](const QString &text, const QString &) { messages << text; });
        QCOMPARE(open(QUrl(QStringLiteral("https://www.example.com/a b"))), started);
        if (reports)
            QTRY_COMPARE(messages.size(), reports);
        else
            QTRY_VERIFY(QFile::exists(dir.filePath(QStringLiteral("url"))));
        QTest::qWait(100);
        QCOMPARE(messages.size(), reports);
        for (const QString &m : messages)
            QCOMPARE(m, QStringLiteral("ブラウザを起動できません。\r\r【エラーコード＝429】"));
        if (!reports)
            QCOMPARE(readBytes(dir.filePath(QStringLiteral("url"))), QByteArray("https://www.example.com/a%20b\n"));
    }

    void japaneseFonts()
    {
        QTemporaryDir dir;
        // A configuration that knows no fonts at all.
        const QString none = dir.filePath(QStringLiteral("none.conf"));
        writeBytes(none, "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                         "<cachedir>" + QFile::encodeName(dir.path()) + "</cachedir>\n</fontconfig>\n");
        QVERIFY(!japaneseFontInstalled(QFile::encodeName(none)));
        // The desktop's own, which the tests' machine has a Japanese font in.
        QVERIFY(japaneseFontInstalled());
    }

    void oneCopyPerProfile()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("NAME.txt"));
        ProfileLock first(profile, dir.path());
        QSignalSpy raised(&first, &ProfileLock::raiseRequested);
        QCOMPARE(first.claim(), ProfileLock::Claim::First);
        QCOMPARE(claimElsewhere(profile, dir.path()), ProfileLock::Claim::HandedOver);
        QTRY_COMPARE(raised.count(), 1);
        // Nothing was put beside the profile.
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("NAME*")}, QDir::AllEntries | QDir::Hidden), QStringList());

        // Another profile runs a copy of its own.
        QCOMPARE(claimElsewhere(dir.filePath(QStringLiteral("花子.txt")), dir.path()), ProfileLock::Claim::First);
        QCOMPARE(raised.count(), 1);
    }

    // The same file however it is spelled: through a link to its folder, with "..".
    void oneNamePerFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("real")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("real")), dir.filePath(QStringLiteral("link"))));
        const QString plain = dir.filePath(QStringLiteral("real/NAME.txt"));
        const QString name = ProfileLock::nameFor(plain);
        QCOMPARE(ProfileLock::nameFor(dir.filePath(QStringLiteral("link/NAME.txt"))), name);
        QCOMPARE(ProfileLock::nameFor(dir.filePath(QStringLiteral("real/../real/NAME.txt"))), name);
        writeBytes(plain, sample::file());
        QCOMPARE(ProfileLock::nameFor(dir.filePath(QStringLiteral("link/NAME.txt"))), name);
        QVERIFY(ProfileLock::nameFor(dir.filePath(QStringLiteral("real/OTHER.txt"))) != name);
    }

    // A copy that was killed left its lock and its socket behind: the next start runs.
    void aStaleLockDoesNotBlock()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("NAME.txt"));
        const QString base = dir.filePath(ProfileLock::nameFor(profile));
        // What QLockFile writes: the process, the program's name, the host; this process has ended.
        pid_t gone = fork();
        if (gone == 0)
            _exit(0);
        QVERIFY(gone > 0);
        ::waitpid(gone, nullptr, 0);
        writeBytes(base + QStringLiteral(".lock"),
                   QByteArray::number(gone) + "\nmq\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        writeBytes(base + QStringLiteral(".socket"), "");
        ProfileLock next(profile, dir.path());
        QCOMPARE(next.claim(), ProfileLock::Claim::First);
        QCOMPARE(claimElsewhere(profile, dir.path()), ProfileLock::Claim::HandedOver);
    }

    // Without a runtime folder the program runs unguarded, and locks nothing in the
    // current folder, which may be the profile's.
    void noRuntimeFolder()
    {
        QTemporaryDir dir;
        const QString saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        ProfileLock lock(dir.filePath(QStringLiteral("NAME.txt")), QString());
        const ProfileLock::Claim claim = lock.claim();
        QDir::setCurrent(saved);
        QCOMPARE(claim, ProfileLock::Claim::First);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    // A copy that holds the lock but never answers is not taken over.
    void aCopyThatDoesNotAnswer()
    {
        QTemporaryDir dir;
        const QString profile = dir.filePath(QStringLiteral("NAME.txt"));
        QLockFile held(dir.filePath(ProfileLock::nameFor(profile) + QStringLiteral(".lock")));
        QVERIFY(held.tryLock(0));
        QCOMPARE(claimElsewhere(profile, dir.path(), 300), ProfileLock::Claim::NoAnswer);
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
