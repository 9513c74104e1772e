#include "failure.h"
#include "profilefolder.h"

#include "sampleprofile.h"

#include <QtTest>

#include <sys/stat.h>

using namespace mq;

namespace {
int modeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}
} // namespace

class TestProfileFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The data folder and any missing one above it, for their owner only, whatever the umask.
    void madeForItsOwnerOnly()
    {
        QTemporaryDir dir;
        const mode_t saved = ::umask(0);
        makeFolderFor(dir.filePath(QStringLiteral("share/mq/NAME.txt")));
        ::umask(saved);
        QCOMPARE(modeOf(dir.filePath(QStringLiteral("share"))), 0700);
        QCOMPARE(modeOf(dir.filePath(QStringLiteral("share/mq"))), 0700);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("share/mq/NAME.txt"))));
    }

    void anExistingFolderIsLeftAsItIs()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("mq")));
        QVERIFY(::chmod(QFile::encodeName(dir.filePath(QStringLiteral("mq"))).constData(), 0755) == 0);
        writeBytes(dir.filePath(QStringLiteral("mq/NAME.txt")), sample::file());
        makeFolderFor(dir.filePath(QStringLiteral("mq/NAME.txt")));
        QCOMPARE(modeOf(dir.filePath(QStringLiteral("mq"))), 0755);
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("mq/NAME.txt"))), sample::file());
    }

    // A file where the folder should be: a report, nothing changed.
    void aFileInTheWay()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(QStringLiteral("share")), "x");
        try {
            makeFolderFor(dir.filePath(QStringLiteral("share/mq/NAME.txt")));
            QFAIL("made a folder inside a file");
        } catch (const Failure &f) {
            QVERIFY(f.description.contains(dir.filePath(QStringLiteral("share"))));
            QVERIFY(f.number != 0);
        }
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("share"))), QByteArray("x"));
    }
};

QTEST_GUILESS_MAIN(TestProfileFolder)
#include "test_profilefolder.moc"
