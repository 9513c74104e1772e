#include "systemcp932.h"

#include <QList>

#include <cstring>

namespace {

bool convert(iconv_t cd, const QByteArray &in, QByteArray *out)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out->resize(in.size() * 4 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char *dst = out->data();
    size_t dstLeft = size_t(out->size());
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == size_t(-1) || srcLeft != 0)
        return false;
    out->resize(out->size() - qsizetype(dstLeft));
    return true;
}

QByteArray utf32(const QList<uint> &codes)
{
    return QByteArray(reinterpret_cast<const char *>(codes.constData()), codes.size() * 4);
}

} // namespace

SystemCp932::SystemCp932() : to_(iconv_open("CP932", "UTF-32LE")), from_(iconv_open("UTF-32LE", "CP932")) {}

SystemCp932::~SystemCp932()
{
    for (iconv_t cd : {to_, from_})
        if (cd != iconv_t(-1))
            iconv_close(cd);
}

bool SystemCp932::ok() const
{
    return to_ != iconv_t(-1) && from_ != iconv_t(-1);
}

bool SystemCp932::encode(char32_t c, QByteArray *bytes)
{
    return convert(to_, utf32({uint(c)}), bytes);
}

qint64 SystemCp932::decode(const QByteArray &bytes)
{
    QByteArray out;
    if (!convert(from_, bytes, &out) || out.size() != 4)
        return -1;
    char32_t c = 0;
    std::memcpy(&c, out.constData(), 4);
    return c;
}

bool SystemCp932::roundTrips(const QString &text)
{
    const QByteArray in = utf32(text.toUcs4());
    QByteArray bytes, back;
    return convert(to_, in, &bytes) && convert(from_, bytes, &back) && back == in;
}
