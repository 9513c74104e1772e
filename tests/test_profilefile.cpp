#include "failure.h"
#include "profilefile.h"
#include "record.h"
#include "savedevice.h"

#include "sampleprofile.h"

#include <QtTest>

#include <unistd.h>

#include <sys/stat.h>

#include <optional>

using namespace mq;

namespace {

// Makes one step of a save fail; everything else goes to the real QSaveFile device.
class FaultyDevice final : public SaveDevice
{
public:
    enum Step { Open, Permissions, Write, Flush, Commit };

    FaultyDevice(Step step, FileFault fault, qint64 failAfterBytes = 0)
        : step_(step), fault_(fault), failAfter_(failAfterBytes)
    {
    }

    bool open(const QString &path) override
    {
        if (step_ == Open)
            return false;
        return real_->open(path);
    }
    qint64 write(const char *data, qint64 size) override
    {
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
    bool flush() override { return step_ != Flush && real_->flush(); }
    bool setPermissions(QFileDevice::Permissions p) override
    {
        return step_ != Permissions && real_->setPermissions(p);
    }
    bool commit() override
    {
        ++commits;
        return step_ != Commit && real_->commit();
    }
    void cancel() override { real_->cancel(); }
    FileFault fault() const override { return fault_; }

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
        // 58 lines, then a tail much larger than anything read in one go; the tail
        // holds no line end, so reading it whole would change nothing but the time.
        QByteArray bytes = "0\r\n";
        for (int i = 0; i < SlotCount; ++i)
            bytes += "v" + QByteArray::number(i) + "\r\n";
        bytes += QByteArray(8 * 1024 * 1024, 'x');
        writeBytes(path_, bytes);
        const ReadResult r = read(path_);
        QVERIFY(!r.failure);
        QCOMPARE(r.texts.size(), SlotCount);
        QCOMPARE(r.texts.last(), QStringLiteral("v56"));
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
            row("buffered data fails at flush", FaultyDevice::Flush, FileFault::DiskFull, 0, err::DiskFull);
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
