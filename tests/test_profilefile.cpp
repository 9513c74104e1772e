#include "failure.h"
#include "profilefile.h"
#include "record.h"
#include "savedevice.h"

#include "sampleprofile.h"

#include <QtTest>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <optional>

using namespace mq;

namespace {

// Makes one step of a save fail; everything else goes to the real QSaveFile device.
class FaultyDevice final : public SaveDevice
{
public:
    enum Step { Nothing, Open, Permissions, Write, Sync, Commit };

    FaultyDevice(Step step, FileFault fault, qint64 failAfterBytes = 0)
        : step_(step), fault_(fault), failAfter_(failAfterBytes)
    {
    }

    bool open(const QString &path) override
    {
        calls << QStringLiteral("open");
        if (step_ == Open)
            return false;
        return real_->open(path);
    }
    qint64 write(const char *data, qint64 size) override
    {
        calls << QStringLiteral("write %1").arg(size);
        if (step_ == Write && written_ + size > failAfter_) {
            // A full disk: part of the buffer lands, the rest does not.
            const qint64 part = failAfter_ - written_;
            if (part > 0)
                real_->write(data, part);
            written_ = failAfter_;
            return part > 0 ? part : -1;
        }
        const qint64 n = real_->write(data, size);
        written_ += n > 0 ? n : 0;
        return n;
    }
    bool sync() override
    {
        calls << QStringLiteral("sync");
        return step_ != Sync && real_->sync();
    }
    bool setMode(unsigned mode) override
    {
        calls << QStringLiteral("mode %1").arg(mode, 0, 8);
        return step_ != Permissions && real_->setMode(mode);
    }
    bool commit() override
    {
        calls << QStringLiteral("commit");
        ++commits;
        return step_ != Commit && real_->commit();
    }
    void cancel() override { real_->cancel(); }
    FileFault fault() const override { return fault_; }

    QStringList calls;
    int commits = 0;

private:
    std::unique_ptr<SaveDevice> real_ = makeSaveFile();
    Step step_;
    FileFault fault_;
    qint64 failAfter_;
    qint64 written_ = 0;
};

Record distinctRecord()
{
    Record r;
    for (int i = 0; i < SlotCount; ++i)
        r[std::size_t(i)] = QStringLiteral("値%1").arg(i);
    return r;
}

// The header and the given value lines, each followed by `end`; the last by `lastEnd`.
QByteArray lines(const QByteArray &header, const QList<QByteArray> &values, const QByteArray &end = "\r\n",
                 const QByteArray &lastEnd = "\r\n")
{
    QByteArray out = header + (values.isEmpty() ? lastEnd : end);
    for (qsizetype i = 0; i < values.size(); ++i)
        out += values[i] + (i + 1 == values.size() ? lastEnd : end);
    return out;
}

QList<QByteArray> valueLines(int count, int from = 0)
{
    QList<QByteArray> v;
    for (int i = 0; i < count; ++i)
        v << "v" + QByteArray::number(from + i);
    return v;
}

QStringList valueTexts(int count, int from = 0)
{
    QStringList v;
    for (int i = 0; i < count; ++i)
        v << QStringLiteral("v%1").arg(from + i);
    return v;
}

struct ReadResult
{
    QStringList texts; // in the order handed over, slot i at index i
    bool inOrder = true;
    std::optional<Failure> failure;
};

ReadResult read(const QString &path)
{
    ReadResult r;
    try {
        readProfile(path, [&](int slot, const QString &text) {
            r.inOrder = r.inOrder && slot == r.texts.size();
            r.texts << text;
        });
    } catch (const Failure &f) {
        r.failure = f;
    }
    return r;
}

std::optional<Failure> write(const QString &path, const Record &values, SaveDevice *device = nullptr)
{
    try {
        if (device)
            writeProfile(path, values, *device);
        else
            writeProfile(path, values);
    } catch (const Failure &f) {
        return f;
    }
    return std::nullopt;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

mode_t modeOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 07777;
    return st.st_mode & 07777;
}

struct FileId
{
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    mode_t mode = 0; // type and permission bits
    dev_t rdev = 0;
    off_t size = 0;
    qint64 mtimeNs = 0;
    uid_t uid = 0;
    gid_t gid = 0;
    bool operator==(const FileId &o) const
    {
        return exists == o.exists && dev == o.dev && ino == o.ino && mode == o.mode && rdev == o.rdev
            && size == o.size && mtimeNs == o.mtimeNs && uid == o.uid && gid == o.gid;
    }
};

// What is at the path itself, a link not followed.
FileId idOf(const QString &path)
{
    struct stat st {};
    FileId id;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return id;
    id = {true, st.st_dev, st.st_ino, st.st_mode, st.st_rdev, st.st_size,
          qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, st.st_uid, st.st_gid};
    return id;
}

QString linkText(const QString &path)
{
    char buf[4096];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buf, sizeof buf);
    return n < 0 ? QString() : QFile::decodeName(QByteArray(buf, int(n)));
}

// Bytes this process has asked the kernel to read so far.
qint64 bytesRead()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n'))
        if (line.startsWith("rchar: "))
            return line.mid(7).toLongLong();
    return -1;
}

bool chmodPath(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// What an operation run as another user gave: the slots it set and its failure.
struct Outcome
{
    int slotsSet = 0;
    std::optional<Failure> failure;
};

// Runs `op` as a user without root's rights, for the faults that chmod makes: in this
// process when it is not root, otherwise in a child that has become nobody. Empty, with
// the reason in `skipped`, when neither can be done.
std::optional<Outcome> runUnprivileged(const std::function<Outcome()> &op, QString *skipped)
{
    if (::geteuid() != 0)
        return op();
    const passwd *nobody = ::getpwnam("nobody");
    if (!nobody) {
        *skipped = QStringLiteral("running as root, and there is no user nobody to run as");
        return std::nullopt;
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    int fds[2];
    if (::pipe(fds) != 0) {
        *skipped = QStringLiteral("no pipe to a child");
        return std::nullopt;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        QByteArray answer;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 || ::setresuid(uid, uid, uid) != 0) {
            answer = "cannot become nobody";
        } else {
            const Outcome o = op();
            answer = QByteArray::number(o.slotsSet) + '\n' + QByteArray::number(o.failure ? o.failure->number : 0)
                + '\n' + (o.failure ? o.failure->description.toUtf8() : QByteArray());
        }
        qsizetype done = 0;
        while (done < answer.size()) {
            const ssize_t n = ::write(fds[1], answer.constData() + done, size_t(answer.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray answer;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        answer.append(buf, n);
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const QList<QByteArray> parts = answer.split('\n');
    if (parts.size() < 3) {
        *skipped = QStringLiteral("the child run as nobody said: ") + QString::fromUtf8(answer);
        return std::nullopt;
    }
    Outcome o;
    o.slotsSet = parts[0].toInt();
    if (const int number = parts[1].toInt())
        o.failure = Failure{number, QString::fromUtf8(answer.mid(parts[0].size() + parts[1].size() + 2))};
    return o;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        for (const QString &e : entries(dir_.path()))
            QVERIFY(QDir(dir_.path()).remove(e) || QDir(dir_.filePath(e)).removeRecursively());
        path_ = dir_.filePath(profileFileName());
    }

    void fileName() { QCOMPARE(profileFileName(), QStringLiteral("NAME.txt")); }

    void roundTrip_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        auto same = [](const char *name, int slot, const QString &v) { QTest::newRow(name) << slot << v << v; };
        same("empty", 1, QString());
        same("leading and trailing spaces", 2, QStringLiteral("  山田　 "));
        same("commas quotes tabs", 23, QStringLiteral("9,\"9\"\t'9'"));
        same("extension kanji", 1, QStringLiteral("髙﨑①"));
        same("half-width kana", 10, QStringLiteral("ﾔﾏﾀﾞ ｶﾞｯｺｳ"));
        same("windows wave dash", 35, QStringLiteral("9時～5時"));
        QTest::newRow("linux wave dash") << 35 << QStringLiteral("9時\u301C5時") << QStringLiteral("9時～5時");
        QTest::newRow("every look-alike the file keeps as its Windows form")
            << 54 << QStringLiteral("\u301C\u2016\u2212\u2014\u00A2\u00A3\u00AC")
            << QStringLiteral("\uFF5E\u2225\uFF0D\u2015\uFFE0\uFFE1\uFFE2");
        QTest::newRow("multi-line site value") << 54 << QStringLiteral("一行目\r\n二行目\r三行目\n\r\n")
                                               << QStringLiteral("一行目\n二行目\n三行目\n\n");
        QTest::newRow("line break first") << 51 << QStringLiteral("\r\nタイトル") << QStringLiteral("\nタイトル");
        QTest::newRow("last slot multi-line") << 56 << QStringLiteral("3\r\n00") << QStringLiteral("3\n00");
    }
    void roundTrip()
    {
        QFETCH(int, slot);
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        Record values = distinctRecord();
        values[std::size_t(slot)] = value;
        QVERIFY(!write(path_, values));

        Record expected = distinctRecord();
        expected[std::size_t(slot)] = readBack;
        const ReadResult r = read(path_);
        QVERIFY(!r.failure);
        QVERIFY(r.inOrder);
        QCOMPARE(r.texts, QStringList(expected.begin(), expected.end()));
        QCOMPARE(entries(dir_.path()), QStringList{profileFileName()});
    }

    void workedExample()
    {
        const Record values = sample::values();
        QVERIFY(!write(path_, values));
        QCOMPARE(readBytes(path_), sample::file());

        const ReadResult r = read(QStringLiteral(MQ_TEST_DATA "/sample_NAME.txt"));
        QVERIFY(!r.failure);
        QCOMPARE(r.texts, QStringList(values.begin(), values.end()));
    }

    void reader_data()
    {
        QTest::addColumn<std::optional<QByteArray>>("content"); // nullopt: no file
        QTest::addColumn<int>("number");                        // 0: no failure
        QTest::addColumn<QStringList>("texts");

        const QByteArray crlf("\r\n");
        QTest::newRow("missing") << std::optional<QByteArray>() << err::FileNotFound << QStringList();
        QTest::newRow("empty") << std::optional(QByteArray()) << err::InputPastEnd << QStringList();
        QTest::newRow("header only") << std::optional(QByteArray("0\r\n")) << err::InputPastEnd << QStringList();
        QTest::newRow("58 lines") << std::optional(lines("0", valueLines(57))) << 0 << valueTexts(57);
        QTest::newRow("57 lines: one slot early, then 62")
            << std::optional(lines("v0", valueLines(56, 1))) << err::InputPastEnd << valueTexts(56, 1);
        QTest::newRow("no final CR LF") << std::optional(lines("0", valueLines(57), crlf, "")) << 0 << valueTexts(57);
        QTest::newRow("lone CR ends a line") << std::optional(lines("0", valueLines(57), "\r", "\r")) << 0
                                             << valueTexts(57);
        QTest::newRow("60 lines") << std::optional(lines("0", valueLines(59))) << 0 << valueTexts(57);
        QTest::newRow("header other than 0")
            << std::optional(lines("ﾍｯﾀﾞ, \"x\"", valueLines(57))) << 0 << valueTexts(57);

        QList<QByteArray> v = valueLines(57);
        QStringList t = valueTexts(57);
        v[3] = "a\nb\n";
        t[3] = QStringLiteral("a\nb\n");
        v[4] = "\nc";
        t[4] = QStringLiteral("\nc");
        QTest::newRow("lone LF stays in the text") << std::optional(lines("0", v)) << 0 << t;

        v = valueLines(57);
        t = valueTexts(57);
        v[0] = "\x81\x20x";
        t[0] = QStringLiteral("・ x");
        v[5] = "\xFF\x85\x40\x8E\x52";
        t[5] = QStringLiteral("・・山");
        v[56] = "9\x8E";
        t[56] = QStringLiteral("9・");
        QTest::newRow("invalid bytes") << std::optional(lines("0", v, crlf, "")) << 0 << t;

        v = valueLines(57);
        t = valueTexts(57);
        v[10] = v[11] = "";
        t[10] = t[11] = QString();
        QTest::newRow("empty lines are empty slots") << std::optional(lines("0", v)) << 0 << t;

        // 57 values whose last is empty and unterminated cannot be told from 56 values.
        v = valueLines(57);
        v[56] = "";
        QTest::newRow("empty unterminated last line") << std::optional(lines("0", v, crlf, "")) << err::InputPastEnd
                                                      << valueTexts(56);
    }
    void reader()
    {
        QFETCH(std::optional<QByteArray>, content);
        QFETCH(int, number);
        QFETCH(QStringList, texts);
        if (content)
            writeBytes(path_, *content);

        const ReadResult r = read(path_);
        QCOMPARE(r.failure ? r.failure->number : 0, number);
        if (r.failure)
            QVERIFY(!r.failure->description.isEmpty());
        QVERIFY(r.inOrder);
        QCOMPARE(r.texts, texts);
        if (content)
            QCOMPARE(readBytes(path_), *content);
    }

    void folderWhereTheFileShouldBe()
    {
        QVERIFY(QDir(dir_.path()).mkdir(profileFileName()));
        const ReadResult r = read(path_);
        QVERIFY(r.failure);
        QCOMPARE(r.failure->number, err::PathAccess);
        QVERIFY(r.texts.isEmpty());

        const std::optional<Failure> f = write(path_, distinctRecord());
        QVERIFY(f);
        QCOMPARE(f->number, err::PathAccess);
        QVERIFY(QFileInfo(path_).isDir());
        QCOMPARE(entries(dir_.path()), QStringList{profileFileName()});
    }

    void pipeWhereTheFileShouldBe()
    {
        // Opening a FIFO for reading would block until a writer came: start-up must not hang.
        QCOMPARE(::mkfifo(QFile::encodeName(path_).constData(), 0600), 0);
        const ReadResult r = read(path_);
        QVERIFY(r.failure);
        QCOMPARE(r.failure->number, err::PathAccess);
        QVERIFY(r.texts.isEmpty());
    }

    void onlyTheFirstLinesAreRead()
    {
        // 58 lines, then a tail up to the largest file read, much larger than anything
        // read in one go; the tail holds no line end, and is never read.
        QByteArray bytes = "0\r\n";
        for (int i = 0; i < SlotCount; ++i)
            bytes += "v" + QByteArray::number(i) + "\r\n";
        bytes += QByteArray(MaxProfileBytes - bytes.size(), 'x');
        writeBytes(path_, bytes);
        const qint64 before = bytesRead();
        const ReadResult r = read(path_);
        const qint64 taken = bytesRead() - before;
        QVERIFY(!r.failure);
        QCOMPARE(r.texts.size(), SlotCount);
        QCOMPARE(r.texts.last(), QStringLiteral("v56"));
        QVERIFY2(taken >= 0 && taken < MaxProfileBytes / 4, qPrintable(QString::number(taken)));
    }

    // Larger than the reader takes: refused at once, not read, and not replaced either.
    void tooLargeFile_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("lines"); // 58 good lines first, or no line end at all
        QTest::addColumn<QString>("shownSize");
        QTest::newRow("one byte over, every line there") << MaxProfileBytes + 1 << true << QStringLiteral("1,048,577");
        QTest::newRow("1 GiB without a line end") << (qint64(1) << 30) << false << QStringLiteral("1,073,741,824");
    }
    void tooLargeFile()
    {
        QFETCH(qint64, size);
        QFETCH(bool, lines);
        QFETCH(QString, shownSize);
        {
            QFile f(path_);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (lines)
                QVERIFY(f.write(sample::file()) == sample::file().size());
            QVERIFY(f.resize(size)); // the rest a hole of zero bytes, cheap to make
        }
        const FileId before = idOf(path_);

        const qint64 readBefore = bytesRead();
        const ReadResult r = read(path_);
        QVERIFY(bytesRead() - readBefore < 4096);
        QVERIFY(r.failure);
        QCOMPARE(r.failure->number, err::TooLarge);
        QVERIFY(r.texts.isEmpty()); // the palette keeps its design texts
        QVERIFY2(r.failure->description.contains(path_) && r.failure->description.contains(shownSize + QStringLiteral(" バイト")),
                 qPrintable(r.failure->description));

        const std::optional<Failure> f = write(path_, sample::values());
        QVERIFY(f);
        QCOMPARE(f->number, err::TooLarge);
        QVERIFY2(f->description.contains(path_) && f->description.contains(shownSize + QStringLiteral(" バイト"))
                     && f->description.contains(QStringLiteral("上書きしません")),
                 qPrintable(f->description));
        QVERIFY(idOf(path_) == before);
        QCOMPARE(entries(dir_.path()), QStringList{profileFileName()});
        if (lines)
            QCOMPARE(readBytes(path_).left(sample::file().size()), sample::file());
    }

    // What the writer saves, the reader reads: values that fill the largest file are saved
    // and read back; one byte more is refused and the file stays.
    void largestFileSavedAndRead()
    {
        Record values = distinctRecord();
        QVERIFY(!write(path_, values));
        values[44] += QString(MaxProfileBytes - readBytes(path_).size(), u'x');
        QVERIFY(!write(path_, values));
        QCOMPARE(QFileInfo(path_).size(), MaxProfileBytes);
        const ReadResult r = read(path_);
        QVERIFY(!r.failure);
        QCOMPARE(r.texts, QStringList(values.begin(), values.end()));

        const QByteArray saved = readBytes(path_);
        Record more = values;
        more[54] += QStringLiteral("山"); // two bytes more
        const std::optional<Failure> f = write(path_, more);
        QVERIFY(f);
        QCOMPARE(f->number, err::TooLarge);
        QVERIFY2(f->description.contains(QStringLiteral("1,048,578 バイト")), qPrintable(f->description));
        QCOMPARE(readBytes(path_), saved);
        QCOMPARE(entries(dir_.path()), QStringList{profileFileName()});
    }

    // Where the file should be there is something else: the reader and the writer refuse
    // it alike, the writer without waiting on a pipe, and it stays exactly as it was.
    void notAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("throughLink");
        for (const char *kind : {"folder", "pipe", "device"})
            for (bool link : {false, true})
                QTest::addRow("%s%s", link ? "link to a " : "", kind) << QString::fromLatin1(kind) << link;
    }
    void notAFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, throughLink);
        const QString thing = throughLink ? dir_.filePath(QStringLiteral("thing")) : path_;
        const QByteArray name = QFile::encodeName(thing);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(thing));
        } else if (kind == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else {
            // A device node like /dev/null's, made here so that nothing of the system's is at stake.
            if (::geteuid() != 0)
                QSKIP("a device node needs root; the pipe rows cover the same without it");
            if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("mknod is not allowed here (no CAP_MKNOD); the pipe rows cover the same");
        }
        if (throughLink)
            QVERIFY(QFile::link(thing, path_));
        const QStringList entriesBefore = entries(dir_.path());
        const FileId thingBefore = idOf(thing);
        const FileId linkBefore = idOf(path_);

        const ReadResult r = read(path_);
        QVERIFY(r.failure);
        QCOMPARE(r.failure->number, err::PathAccess);
        QVERIFY(r.texts.isEmpty());

        // A writer that opened the pipe would wait for a reader forever: give it one.
        auto saving = std::async(std::launch::async, [&] { return write(path_, sample::values()); });
        if (saving.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            const int fd = ::open(name.constData(), O_RDWR | O_NONBLOCK);
            saving.wait();
            ::close(fd);
            QFAIL("the save waited on the pipe");
        }
        const std::optional<Failure> f = saving.get();
        QVERIFY(f);
        QCOMPARE(f->number, r.failure->number);
        QCOMPARE(f->description, r.failure->description);

        QVERIFY(idOf(thing) == thingBefore);
        QVERIFY(idOf(path_) == linkBefore);
        if (throughLink)
            QCOMPARE(linkText(path_), thing);
        QCOMPARE(entries(dir_.path()), entriesBefore);
        if (kind == QLatin1String("folder"))
            QVERIFY(entries(thing).isEmpty());
    }

    // A link to a file: the link stays a link, and the file it points to is replaced by the
    // new version in one step (a new inode, never written in place), keeping its mode.
    void linkToAFile_data()
    {
        QTest::addColumn<QString>("linkTo"); // as written in the link; "far/" is another folder
        QTest::addColumn<bool>("viaSecondLink");
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("absolute, into another folder") << QStringLiteral("/far/real.txt") << false << true;
        QTest::newRow("relative") << QStringLiteral("far/real.txt") << false << true;
        QTest::newRow("link to a link") << QStringLiteral("far/real.txt") << true << true;
        QTest::newRow("dangling: the file is made") << QStringLiteral("far/real.txt") << false << false;
    }
    void linkToAFile()
    {
        QFETCH(QString, linkTo);
        QFETCH(bool, viaSecondLink);
        QFETCH(bool, targetExists);
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("far")));
        const QString far = dir_.filePath(QStringLiteral("far"));
        const QString real = dir_.filePath(QStringLiteral("far/real.txt"));
        const QByteArray old = lines("0", valueLines(57));
        if (targetExists) {
            writeBytes(real, old);
            QVERIFY(chmodPath(real, 0640));
        }
        const QString text = linkTo.startsWith(u'/') ? dir_.path() + linkTo : linkTo;
        QString first = text;
        if (viaSecondLink) {
            QCOMPARE(::symlink(QFile::encodeName(text).constData(), QFile::encodeName(dir_.filePath(QStringLiteral("second"))).constData()), 0);
            first = QStringLiteral("second");
        }
        QCOMPARE(::symlink(QFile::encodeName(first).constData(), QFile::encodeName(path_).constData()), 0);
        const FileId before = idOf(real);

        QVERIFY(!write(path_, sample::values()));
        QCOMPARE(linkText(path_), first);
        QVERIFY(S_ISLNK(idOf(path_).mode));
        QCOMPARE(readBytes(real), sample::file());
        const FileId after = idOf(real);
        QVERIFY(S_ISREG(after.mode));
        QCOMPARE(int(after.mode & 07777), targetExists ? 0640 : 0600);
        if (targetExists)
            QVERIFY(after.ino != before.ino);
        QCOMPARE(entries(far), QStringList{QStringLiteral("real.txt")});
        QStringList expected{profileFileName(), QStringLiteral("far")};
        if (viaSecondLink)
            expected << QStringLiteral("second");
        expected.sort();
        QStringList got = entries(dir_.path());
        got.sort();
        QCOMPARE(got, expected);
        const ReadResult r = read(path_);
        QVERIFY(!r.failure);
        const Record values = sample::values();
        QCOMPARE(r.texts, QStringList(values.begin(), values.end()));
    }

    // Faults that only a user without root's rights meets. Each names what it could not do.
    void unprivileged_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("reading");
        QTest::addColumn<QString>("said"); // %1: the folder named
        const QString folderDenied = QStringLiteral("フォルダー「%1」へのアクセスが拒否されました。");
        QTest::newRow("read, folder may not be searched")
            << QStringLiteral("unsearchable") << true << QStringLiteral("読み込みできません。") + folderDenied;
        QTest::newRow("save, folder may not be searched")
            << QStringLiteral("unsearchable") << false << QStringLiteral("書き込みできません。") + folderDenied;
        QTest::newRow("read through a link into a folder that may not be searched")
            << QStringLiteral("link into unsearchable") << true << QStringLiteral("読み込みできません。") + folderDenied;
        QTest::newRow("save through a link into a folder that may not be searched")
            << QStringLiteral("link into unsearchable") << false << QStringLiteral("書き込みできません。") + folderDenied;
        const QString notWritable = QStringLiteral("書き込みできません。フォルダー「%1」に書き込む権限がありません");
        QTest::newRow("save, file writable, folder not") << QStringLiteral("folder read-only") << false << notWritable;
        QTest::newRow("save through a link into a folder not writable")
            << QStringLiteral("link into read-only folder") << false << notWritable;
        QTest::newRow("save, file read-only") << QStringLiteral("file read-only") << false
                                              << QStringLiteral("書き込みできません。アクセスが拒否されました。");
        QTest::newRow("read, file unreadable") << QStringLiteral("file unreadable") << true
                                               << QStringLiteral("読み込みできません。アクセスが拒否されました。");
    }
    void unprivileged()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, reading);
        QFETCH(QString, said);
        // The test's folder must let the other user in.
        QVERIFY(chmodPath(dir_.path(), 0755));
        const QString folder = dir_.filePath(QStringLiteral("f"));
        QVERIFY(QDir().mkdir(folder));
        const QString file = folder + QStringLiteral("/") + profileFileName();
        writeBytes(file, sample::file());
        QString path = file;
        QStringList restore{folder}; // given back their modes so that they can be checked and removed
        mode_t folderMode = 0755, fileMode = 0644;
        if (fixture == QLatin1String("unsearchable")) {
            folderMode = 0600;
        } else if (fixture == QLatin1String("folder read-only")) {
            folderMode = 0555;
            fileMode = 0666;
        } else if (fixture.startsWith(QLatin1String("link into"))) {
            folderMode = fixture.endsWith(QLatin1String("unsearchable")) ? 0600 : 0555;
            fileMode = 0666;
            const QString links = dir_.filePath(QStringLiteral("links"));
            QVERIFY(QDir().mkdir(links));
            QVERIFY(chmodPath(links, 0777));
            path = links + QStringLiteral("/") + profileFileName();
            QVERIFY(QFile::link(file, path));
        } else if (fixture == QLatin1String("file read-only")) {
            folderMode = 0777;
            fileMode = 0444;
        } else {
            fileMode = 0000;
        }
        QVERIFY(chmodPath(file, fileMode));
        const FileId before = idOf(file); // while the folder may still be searched
        QVERIFY(chmodPath(folder, folderMode));

        QString skipped;
        const std::optional<Outcome> o = runUnprivileged(
            [&] {
                Outcome out;
                if (reading) {
                    const ReadResult r = read(path);
                    out.slotsSet = int(r.texts.size());
                    out.failure = r.failure;
                } else {
                    out.failure = write(path, distinctRecord());
                }
                return out;
            },
            &skipped);
        QVERIFY(chmodPath(folder, 0755));
        QVERIFY(chmodPath(file, 0644));
        QVERIFY(chmodPath(dir_.path(), 0700));
        if (!o)
            QSKIP(qPrintable(skipped));

        QVERIFY(o->failure);
        QCOMPARE(o->failure->number, err::PermissionDenied);
        QCOMPARE(o->slotsSet, 0);
        const QString expected = said.contains(QLatin1String("%1")) ? said.arg(folder) : said;
        QVERIFY2(o->failure->description.startsWith(expected), qPrintable(o->failure->description));
        QCOMPARE(readBytes(file), sample::file());
        FileId after = idOf(file);
        after.mode = before.mode; // given back above
        QVERIFY(after == before);
        QCOMPARE(entries(folder), QStringList{profileFileName()});
    }

    // Saved by root, the file stays its owner's, with its mode.
    void rootKeepsTheOwner()
    {
        if (::geteuid() != 0)
            QSKIP("only root can give a file to another user");
        const passwd *nobody = ::getpwnam("nobody");
        if (!nobody)
            QSKIP("no user nobody to own the file");
        writeBytes(path_, lines("0", valueLines(57)));
        QCOMPARE(::chown(QFile::encodeName(path_).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QVERIFY(chmodPath(path_, 0640));
        QVERIFY(!write(path_, sample::values()));
        const FileId after = idOf(path_);
        QCOMPARE(after.uid, nobody->pw_uid);
        QCOMPARE(after.gid, nobody->pw_gid);
        QCOMPARE(int(after.mode & 07777), 0640);
        QCOMPARE(readBytes(path_), sample::file());
    }

    // The whole file in one write, on the disk before it replaces the old one.
    void oneWriteThenSyncThenCommit()
    {
        FaultyDevice device(FaultyDevice::Nothing, FileFault::None);
        QVERIFY(!write(path_, sample::values(), &device));
        QCOMPARE(device.calls, (QStringList{QStringLiteral("open"), QStringLiteral("mode 600"),
                                            QStringLiteral("write %1").arg(sample::file().size()),
                                            QStringLiteral("sync"), QStringLiteral("commit")}));
        QCOMPARE(readBytes(path_), sample::file());
    }

    void saveIntoMissingFolder()
    {
        const QString path = dir_.filePath(QStringLiteral("gone/") + profileFileName());
        const std::optional<Failure> f = write(path, distinctRecord());
        QVERIFY(f);
        QCOMPARE(f->number, err::PathAccess);
        QVERIFY(entries(dir_.path()).isEmpty());
    }

    // Nothing stays open after a failure: descriptors come back and the next save works.
    void noChannelLeftOpen()
    {
        writeBytes(path_, lines("0", valueLines(20)));
        const int before = openDescriptors();

        QCOMPARE(read(path_).failure->number, err::InputPastEnd);
        try {
            readProfile(path_, [](int slot, const QString &) {
                if (slot == 3)
                    throw Failure{err::Internal, QStringLiteral("slot")};
            });
            QFAIL("the slot's failure was swallowed");
        } catch (const Failure &f) {
            QCOMPARE(f.number, err::Internal);
        }
        FaultyDevice device(FaultyDevice::Write, FileFault::DiskFull, 50);
        QCOMPARE(write(path_, distinctRecord(), &device)->number, err::DiskFull);
        Record bad = distinctRecord();
        bad[54] = QStringLiteral("😀");
        QCOMPARE(write(path_, bad)->number, err::Unencodable);

        QCOMPARE(openDescriptors(), before);
        QVERIFY(!write(path_, distinctRecord()));
        const ReadResult r = read(path_);
        QVERIFY(!r.failure);
        QCOMPARE(r.texts.size(), SlotCount);
    }

    void failedSaveKeepsOldFile_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("fault");
        QTest::addColumn<qint64>("failAfter");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("oldFile");
        for (bool old : {true, false}) {
            const char *tag = old ? "old file" : "no file";
            auto row = [&](const char *name, FaultyDevice::Step step, FileFault fault, qint64 after, int number) {
                QTest::addRow("%s, %s", name, tag) << int(step) << int(fault) << after << number << old;
            };
            row("cannot start: permission", FaultyDevice::Open, FileFault::PermissionDenied, 0, err::PermissionDenied);
            row("cannot start: disk full", FaultyDevice::Open, FileFault::DiskFull, 0, err::DiskFull);
            row("mode refused", FaultyDevice::Permissions, FileFault::PermissionDenied, 0, err::PermissionDenied);
            row("disk full at first byte", FaultyDevice::Write, FileFault::DiskFull, 0, err::DiskFull);
            row("disk full part-way in a line", FaultyDevice::Write, FileFault::DiskFull, 101, err::DiskFull);
            row("device error part-way", FaultyDevice::Write, FileFault::DeviceIo, 250, err::DeviceIo);
            row("data does not reach the disk", FaultyDevice::Sync, FileFault::DeviceIo, 0, err::DeviceIo);
            row("disk full at sync", FaultyDevice::Sync, FileFault::DiskFull, 0, err::DiskFull);
            row("commit fails", FaultyDevice::Commit, FileFault::DeviceIo, 0, err::DeviceIo);
        }
    }
    void failedSaveKeepsOldFile()
    {
        QFETCH(int, step);
        QFETCH(int, fault);
        QFETCH(qint64, failAfter);
        QFETCH(int, number);
        QFETCH(bool, oldFile);
        const QByteArray old = lines("0", valueLines(57));
        if (oldFile)
            writeBytes(path_, old);

        FaultyDevice device(FaultyDevice::Step(step), FileFault(fault), failAfter);
        int thrown = 0;
        try {
            writeProfile(path_, sample::values(), device);
        } catch (const Failure &f) {
            ++thrown;
            QCOMPARE(f.number, number);
            QVERIFY(!f.description.isEmpty());
        }
        QCOMPARE(thrown, 1);
        if (step != FaultyDevice::Commit)
            QCOMPARE(device.commits, 0);
        if (oldFile) {
            QCOMPARE(readBytes(path_), old);
            QCOMPARE(entries(dir_.path()), QStringList{profileFileName()});
        } else {
            QVERIFY(entries(dir_.path()).isEmpty());
        }
    }

    void mode_data()
    {
        QTest::addColumn<int>("oldMode"); // -1: no file before
        QTest::addColumn<int>("newMode");
        QTest::newRow("new file") << -1 << 0600;
        QTest::newRow("kept 0640") << 0640 << 0640;
        QTest::newRow("kept 0644") << 0644 << 0644;
        QTest::newRow("kept 0400") << 0400 << 0400;
    }
    void mode()
    {
        QFETCH(int, oldMode);
        QFETCH(int, newMode);
        // With the usual umask a new file would be 0644 unless the writer sees to it.
        const mode_t oldMask = ::umask(022);
        if (oldMode >= 0) {
            writeBytes(path_, "0\r\n");
            QCOMPARE(::chmod(QFile::encodeName(path_).constData(), mode_t(oldMode)), 0);
        }
        const std::optional<Failure> f = write(path_, sample::values());
        ::umask(oldMask);
        if (oldMode >= 0 && !(oldMode & 0200) && ::geteuid() != 0) {
            // A user may not replace a file of theirs that they made read-only.
            QVERIFY(f);
            QCOMPARE(f->number, 70);
            QCOMPARE(readBytes(path_), QByteArray("0\r\n"));
            return;
        }
        QVERIFY(!f);
        QCOMPARE(int(modeOf(path_)), newMode);
        QCOMPARE(readBytes(path_).left(5), QByteArray("0\r\n\x8E\x52"));
    }

    void refusesUnencodable_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("description");
        QTest::newRow("emoji in the site description")
            << 54 << QStringLiteral("日記です😀")
            << QStringLiteral("「サイトの説明」の「😀」(U+1F600) は NAME.txt に保存できません。");
        QTest::newRow("𠮷 in a derived slot") << 0 << QStringLiteral("𠮷田太郎")
                                             << QStringLiteral("「欄 0」の「𠮷」(U+20BB7) は NAME.txt に保存できません。");
        QTest::newRow("latin letter after a line break")
            << 51 << QStringLiteral("a\r\ncafé") << QStringLiteral("「サイトのタイトル」の「é」(U+00E9) は NAME.txt に保存できません。");
        // The code page would take these and give back others, or nothing.
        QTest::newRow("yen sign, which would read back as a backslash")
            << 23 << QStringLiteral("9-9-9 \u00A5") << QStringLiteral("「番地」の「¥」(U+00A5) は NAME.txt に保存できません。");
        QTest::newRow("overline, which would read back as a tilde")
            << 35 << QStringLiteral("会社員\u203E") << QStringLiteral("「職業」の「‾」(U+203E) は NAME.txt に保存できません。");
        QTest::newRow("tag character, which would vanish")
            << 54 << (QStringLiteral("旗") + QStringView(QChar::fromUcs4(0xE0067)).toString())
            << QStringLiteral("「サイトの説明」の見えない文字 (U+E0067) は NAME.txt に保存できません。");
    }
    void refusesUnencodable()
    {
        QFETCH(int, slot);
        QFETCH(QString, value);
        QFETCH(QString, description);
        const QByteArray old = lines("0", valueLines(57));
        writeBytes(path_, old);
        Record values = sample::values();
        values[std::size_t(slot)] = value;
        // A later slot of the same kind is not the one named (entries are checked before
        // derived values, so an entry's fault is named where it was typed).
        values[std::count(InputSlots.begin(), InputSlots.end(), slot) ? 56 : 46] = QStringLiteral("한");

        const std::optional<Failure> f = write(path_, values);
        QVERIFY(f);
        QCOMPARE(f->number, err::Unencodable);
        QCOMPARE(f->description, description);
        QCOMPARE(readBytes(path_), old);
        QCOMPARE(entries(dir_.path()), QStringList{profileFileName()});
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profilefile.moc"
