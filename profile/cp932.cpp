#include "cp932.h"

#include "failure.h"

#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace mq::cp932 {

namespace {

const char *utf16Name()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

class Converter
{
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Failure{err::Internal, QStringLiteral("文字コード変換（CP932）を利用できません。")};
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // One iconv step; returns errno of the stop (0 when all input was taken).
    int convert(const char *&in, size_t &inLeft, char *&out, size_t &outLeft)
    {
        char *src = const_cast<char *>(in);
        const size_t r = iconv(cd_, &src, &inLeft, &out, &outLeft);
        in = src;
        return r == static_cast<size_t>(-1) ? errno : 0;
    }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

// Text typed on Linux uses these code points where Windows' code page 932 table has the
// ones on the right, characters of the same shape; they are stored as those and read back
// as those, on purpose (README.md lists them). Some iconv builds refuse the left-hand
// forms, so map them first.
char16_t windowsForm(char16_t c)
{
    switch (c) {
    case u'\u301C': return u'\uFF5E'; // wave dash
    case u'\u2016': return u'\u2225'; // double vertical line
    case u'\u2212': return u'\uFF0D'; // minus sign
    case u'\u00A2': return u'\uFFE0'; // cent
    case u'\u00A3': return u'\uFFE1'; // pound
    case u'\u00AC': return u'\uFFE2'; // not sign
    case u'\u2014': return u'\u2015'; // em dash
    default: return c;
    }
}

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// iconv's own conversion; false at the first character it refuses, which `stop` then names.
bool rawEncode(Converter &conv, QStringView text, QByteArray &out, qsizetype *stop)
{
    // Two bytes per UTF-16 unit is the most code page 932 ever needs.
    out.resize(text.size() * 2);
    const char *in = reinterpret_cast<const char *>(text.utf16());
    const char *const begin = in;
    size_t inLeft = size_t(text.size()) * 2;
    char *dst = out.data();
    size_t outLeft = size_t(out.size());
    conv.reset();
    const int e = conv.convert(in, inLeft, dst, outLeft);
    // EILSEQ: no mapping, or a lone surrogate; EINVAL: a high surrogate cut off at the end.
    // E2BIG cannot happen with the buffer above, but must not pass as success either.
    if (e != 0) {
        *stop = (in - begin) / 2;
        return false;
    }
    out.truncate(dst - out.data());
    return true;
}

QString decodeWith(Converter &conv, QByteArrayView bytes)
{
    QString result;
    if (bytes.isEmpty())
        return result;

    conv.reset();
    // Each input byte gives at most one UTF-16 unit.
    QByteArray buffer(bytes.size() * 2, Qt::Uninitialized);
    const char *in = bytes.data();
    const char *const end = bytes.data() + bytes.size();
    size_t inLeft = size_t(bytes.size());
    char *dst = buffer.data();
    size_t outLeft = size_t(buffer.size());

    while (inLeft > 0) {
        const int e = conv.convert(in, inLeft, dst, outLeft);
        if (e == 0)
            break;
        if (e == E2BIG) // cannot happen with the buffer above; stop rather than loop
            break;
        // Like Windows: a lead byte with a byte from the trail range is one bad pair;
        // otherwise only the offending byte is dropped and the next one starts afresh.
        const auto b = static_cast<unsigned char>(*in);
        qsizetype skip = 1;
        if (e == EILSEQ && isLeadByte(b) && in + 1 < end && isTrailByte(static_cast<unsigned char>(in[1])))
            skip = 2;
        if (outLeft < 2)
            break;
        const char16_t mark = InvalidMark;
        std::memcpy(dst, &mark, 2);
        dst += 2;
        outLeft -= 2;
        in += skip;
        inLeft -= size_t(skip);
        conv.reset();
    }
    return QString(reinterpret_cast<const QChar *>(buffer.constData()), (dst - buffer.data()) / 2);
}

// The first character of `text` that does not read back as it was.
qsizetype firstChanged(Converter &to, QStringView text)
{
    Converter from(utf16Name(), "CP932");
    QByteArray one;
    qsizetype stop = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView c = text.mid(i, n);
        if (!rawEncode(to, c, one, &stop) || decodeWith(from, one) != c)
            return i;
        i += n;
    }
    return -1;
}

} // namespace

Encoded encode(const QString &text)
{
    Encoded result;
    if (text.isEmpty())
        return result;

    QString mapped = text;
    for (QChar &c : mapped)
        c = QChar(windowsForm(c.unicode()));

    Converter conv("CP932", utf16Name());
    QByteArray out;
    qsizetype stop = 0;
    const bool whole = rawEncode(conv, mapped, out, &stop);
    if (whole && decode(out) == mapped) {
        result.bytes = out;
        return result;
    }
    // iconv also "converts" some characters into others (¥ into the backslash, ‾ into the
    // tilde) and drops some (the tag characters): only what reads back as it was is kept,
    // and the first character that would not, whether or not iconv took it, is named.
    const qsizetype refusedAt = whole ? -1 : stop;
    const QStringView taken = QStringView(mapped).left(whole ? mapped.size() : refusedAt);
    qsizetype changed = -1;
    if (whole || !rawEncode(conv, taken, out, &stop) || decode(out) != taken)
        changed = firstChanged(conv, taken);
    // Every character alone reads back, yet not all together: cannot be, but is no success.
    result.unencodable = changed >= 0 ? changed : std::max<qsizetype>(refusedAt, 0);
    return result;
}

QString decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    Converter conv(utf16Name(), "CP932");
    return decodeWith(conv, bytes);
}

} // namespace mq::cp932
