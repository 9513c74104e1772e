#include "profilefile.h"

#include "cp932.h"
#include "filefault.h"
#include "savedevice.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <vector>

namespace mq {

namespace {

constexpr int LineCount = SlotCount + 1; // header and the values

// Called right after the failing call, while errno still tells why.
FileFault readFault(const QString &path, int e)
{
    const QFileInfo info(path);
    if (info.isDir())
        return FileFault::NotAFile;
    if (!info.exists())
        return FileFault::Missing;
    const FileFault f = faultFromErrno(e);
    return f == FileFault::Missing ? FileFault::DeviceIo : f;
}

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
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text.at(index), text.at(index + 1));
        shown = text.mid(index, 2);
    } else if (text.at(index).isSurrogate()) {
        shown = QString(QChar::ReplacementCharacter);
    }
    const QString hex = QString::number(quint32(code), 16).toUpper().rightJustified(4, u'0');
    return {err::Unencodable, QStringLiteral("「%1」の「%2」(U+%3) は %4 に保存できません。")
                                  .arg(slotCaption(slot), shown, hex, profileFileName())};
}

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
    // A pipe or a device by that name would hang start-up at the open or the read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw failureFor(FileFault::NotAFile, Operation::Read);

    QByteArray bytes;
    {
        QFile file(path);
        errno = 0;
        if (!file.open(QIODevice::ReadOnly)) {
            const int e = errno;
            throw failureFor(readFault(path, e), Operation::Read);
        }
        // Only the first 58 lines are ever used: stop at the CR that ends the last of
        // them, however large the rest of the file is.
        constexpr qint64 Chunk = 64 * 1024;
        int lineEnds = 0;
        while (lineEnds < LineCount) {
            errno = 0;
            const QByteArray chunk = file.read(Chunk);
            if (file.error() != QFileDevice::NoError) {
                const int e = errno;
                throw failureFor(readFault(path, e), Operation::Read);
            }
            if (chunk.isEmpty())
                break;
            qsizetype taken = 0;
            while (taken < chunk.size() && lineEnds < LineCount)
                if (chunk.at(taken++) == '\r')
                    ++lineEnds;
            bytes += chunk.left(taken);
        }
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
    std::vector<QByteArray> lines;
    lines.reserve(LineCount);
    lines.push_back(QByteArrayLiteral("0\r\n"));
    // The entries first: a character that cannot be stored is named where the user typed
    // it, not in a derived value that merely repeats it.
    std::array<QByteArray, SlotCount> encodedSlots;
    auto encodeSlot = [&](int slot) {
        const QString text = storedForm(values[std::size_t(slot)]);
        cp932::Encoded encoded = cp932::encode(text);
        if (!encoded.ok())
            throw unencodable(slot, text, encoded.unencodable);
        encoded.bytes.append("\r\n", 2);
        encodedSlots[std::size_t(slot)] = std::move(encoded.bytes);
    };
    for (int slot : InputSlots)
        encodeSlot(slot);
    for (int slot : DerivedSlots)
        encodeSlot(slot);
    for (QByteArray &line : encodedSlots)
        lines.push_back(std::move(line));

    // It holds a password and a bank account: a new file is for its owner only, and an
    // existing one keeps the mode its owner gave it.
    // The *User flags tell what this process may do (everything, for root), not the mode:
    // copying them would turn a 0400 file into 0600.
    constexpr QFileDevice::Permissions ModeBits =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
        | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
        | QFileDevice::ExeOther;
    const QFileInfo old(path);
    const QFileDevice::Permissions permissions =
        old.isFile() ? (old.permissions() & ModeBits) : (QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    if (!device.open(path))
        throw failureFor(device.fault(), Operation::Write);
    CancelGuard guard(device);
    auto fail = [&]() -> Failure {
        const FileFault fault = device.fault();
        device.cancel();
        guard.release();
        return failureFor(fault, Operation::Write);
    };
    if (!device.setPermissions(permissions))
        throw fail();
    for (const QByteArray &line : lines)
        if (device.write(line.constData(), line.size()) != line.size())
            throw fail();
    if (!device.flush())
        throw fail();
    guard.release();
    if (!device.commit()) {
        const FileFault fault = device.fault();
        device.cancel();
        throw failureFor(fault, Operation::Write);
    }
}

} // namespace mq
