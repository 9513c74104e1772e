#include "profilefile.h"

#include "cp932.h"
#include "fileprobe.h"
#include "filefault.h"
#include "savedevice.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mq {

namespace {

constexpr int LineCount = SlotCount + 1; // header and the values

// The file keeps one line per slot, so line breaks inside a value are stored as lone LFs,
// which the reader keeps in the line's text.
QString storedForm(const QString &value)
{
    if (!value.contains(u'\r'))
        return value;
    QString text = value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

Failure unencodable(int slot, const QString &text, qsizetype index)
{
    char32_t code = text.at(index).unicode();
    QString shown = text.mid(index, 1);
    bool lone = false;
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text.at(index), text.at(index + 1));
        shown = text.mid(index, 2);
    } else if (text.at(index).isSurrogate()) {
        shown = QString(QChar::ReplacementCharacter);
        lone = true;
    }
    const QString hex = QString::number(quint32(code), 16).toUpper().rightJustified(4, u'0');
    // A tag character and the like would show as nothing between the brackets.
    if (!lone && !QChar::isPrint(code))
        return {err::Unencodable, QStringLiteral("「%1」の見えない文字 (U+%2) は %3 に保存できません。")
                                      .arg(slotCaption(slot), hex, profileFileName())};
    return {err::Unencodable, QStringLiteral("「%1」の「%2」(U+%3) は %4 に保存できません。")
                                  .arg(slotCaption(slot), shown, hex, profileFileName())};
}

// The whole file, or the report of the first value it cannot hold.
QByteArray encodeProfile(const Record &values)
{
    QString text = QStringLiteral("0\r\n");
    for (const QString &value : values)
        text += storedForm(value) + QStringLiteral("\r\n");
    cp932::Encoded encoded = cp932::encode(text);
    if (!encoded.ok()) {
        // The entries first: a character that cannot be stored is named where the user
        // typed it, not in a derived value that merely repeats it.
        auto check = [&](int slot) {
            const QString value = storedForm(values[std::size_t(slot)]);
            const cp932::Encoded one = cp932::encode(value);
            if (!one.ok())
                throw unencodable(slot, value, one.unencodable);
        };
        for (int slot : InputSlots)
            check(slot);
        for (int slot : DerivedSlots)
            check(slot);
        throw Failure{err::Internal, QStringLiteral("内部エラーが発生しました。")};
    }
    if (encoded.bytes.size() > MaxProfileBytes)
        throw tooLargeContents(encoded.bytes.size(), MaxProfileBytes);
    return std::move(encoded.bytes);
}

// Closes on every way out.
class Descriptor
{
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

private:
    int fd_;
};

// Drops an unfinished save on every way out, exceptions included.
class CancelGuard
{
public:
    explicit CancelGuard(SaveDevice &device) : device_(device) {}
    ~CancelGuard()
    {
        if (armed_)
            device_.cancel();
    }
    void release() { armed_ = false; }
    CancelGuard(const CancelGuard &) = delete;
    CancelGuard &operator=(const CancelGuard &) = delete;

private:
    SaveDevice &device_;
    bool armed_ = true;
};

} // namespace

QString profileFileName()
{
    return QStringLiteral("NAME.txt");
}

void parseProfile(QByteArrayView bytes, const std::function<void(int, const QString &)> &setSlot)
{
    const char *const data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype pos = 0;
    for (int line = 0; line < LineCount; ++line) {
        if (pos >= size)
            throw Failure{err::InputPastEnd, QStringLiteral("ファイルにこれ以上データがありません。")};
        qsizetype end = pos;
        while (end < size && data[end] != '\r')
            ++end;
        const QByteArrayView text(data + pos, end - pos);
        pos = end;
        if (pos < size) { // the CR, and an LF right after it
            ++pos;
            if (pos < size && data[pos] == '\n')
                ++pos;
        }
        if (line > 0)
            setSlot(line - 1, cp932::decode(text));
    }
}

void readProfile(const QString &path, const std::function<void(int, const QString &)> &setSlot)
{
    auto fail = [&](FileFault fault) { return failureFor(fault, Operation::Read, path); };
    // Looked at before it is opened: a pipe or a device by that name would hang start-up
    // at the open or the read, and a huge file would take it all into memory.
    const PathState state = probePath(path);
    switch (state.kind) {
    case PathState::Absent:
        throw fail(FileFault::Missing);
    case PathState::Unreachable:
        // Named is the folder the file is in, the one a link points into.
        throw failureFor(unreachableFault(state), Operation::Read, saveTarget(path));
    case PathState::Other:
        throw fail(FileFault::NotAFile);
    case PathState::Regular:
        break;
    }
    if (state.size > MaxProfileBytes)
        throw tooLargeFile(path, state.size, MaxProfileBytes, Operation::Read);

    QByteArray bytes;
    {
        // Nonblocking, in case a pipe took the file's place since it was looked at.
        const Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() < 0)
            throw fail(faultFromErrno(errno));
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0)
            throw fail(faultFromErrno(errno));
        if (!S_ISREG(st.st_mode))
            throw fail(FileFault::NotAFile);
        // Only the first 58 lines are ever used: stop at the CR that ends the last of
        // them, and never take in more than the largest file read.
        bytes.resize(MaxProfileBytes + 1);
        qsizetype kept = 0;
        int lineEnds = 0;
        while (lineEnds < LineCount && kept < bytes.size()) {
            const size_t room = size_t(std::min<qsizetype>(64 * 1024, bytes.size() - kept));
            const ssize_t n = ::read(fd.get(), bytes.data() + kept, room);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw fail(faultFromErrno(errno));
            if (n == 0)
                break;
            const qsizetype end = kept + n;
            while (kept < end && lineEnds < LineCount)
                if (bytes.at(kept++) == '\r')
                    ++lineEnds;
        }
        // It grew past the limit after it was looked at.
        if (lineEnds < LineCount && kept > MaxProfileBytes)
            throw tooLargeFile(path, ::fstat(fd.get(), &st) == 0 ? qint64(st.st_size) : kept, MaxProfileBytes,
                               Operation::Read);
        bytes.truncate(kept);
    } // closed before any slot is set, so nothing a slot does can keep it open
    parseProfile(bytes, setSlot);
}

void writeProfile(const QString &path, const Record &values)
{
    const std::unique_ptr<SaveDevice> device = makeSaveFile();
    writeProfile(path, values, *device);
}

void writeProfile(const QString &path, const Record &values, SaveDevice &device)
{
    // Every value is converted before the file is touched: a refusal leaves it as it was.
    const QByteArray bytes = encodeProfile(values);

    // The folder faults name the folder the new file goes to, the one a link points into.
    const QString target = saveTarget(path);
    auto report = [&](FileFault fault) { return failureFor(fault, Operation::Write, target); };
    // What stands there now: what the reader refuses is not the user's profile, and may be
    // something else of value (a device, a pipe another program reads, a file put there by
    // mistake), so it stays as it is. Looked at without opening it, so a pipe never blocks.
    const PathState old = probePath(path);
    switch (old.kind) {
    case PathState::Unreachable:
        throw report(unreachableFault(old));
    case PathState::Other:
        throw report(FileFault::NotAFile);
    case PathState::Regular:
        if (old.size > MaxProfileBytes)
            throw tooLargeFile(path, old.size, MaxProfileBytes, Operation::Write);
        break;
    case PathState::Absent:
        break;
    }
    // It holds a password and a bank account: a new file is for its owner only, and an
    // existing one keeps the mode its owner gave it.
    const unsigned mode = old.kind == PathState::Regular ? old.mode : 0600u;

    if (!device.open(path))
        throw report(device.fault());
    CancelGuard guard(device);
    auto fail = [&]() -> Failure {
        const FileFault fault = device.fault();
        device.cancel();
        guard.release();
        return report(fault);
    };
    if (!device.setMode(mode))
        throw fail();
    if (device.write(bytes.constData(), bytes.size()) != bytes.size())
        throw fail();
    if (!device.sync())
        throw fail();
    guard.release();
    if (!device.commit()) {
        const FileFault fault = device.fault();
        device.cancel();
        throw report(fault);
    }
}

} // namespace mq
