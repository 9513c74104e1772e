#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace mq::cp932 {

struct Encoded
{
    QByteArray bytes;
    // Index in the text of the first character code page 932 cannot hold, or -1.
    qsizetype unencodable = -1;

    bool ok() const { return unencodable < 0; }
};

// Unicode to code page 932, of a text every character of which reads back by decode() as
// it was, or as its Windows form of the same shape (〜 as ～ and the like). On failure
// `bytes` is empty and `unencodable` tells where.
Encoded encode(const QString &text);

// Code page 932 to Unicode. Never fails: each invalid sequence becomes InvalidMark.
QString decode(QByteArrayView bytes);

// What Windows puts in place of a byte sequence that is not code page 932.
constexpr char16_t InvalidMark = u'\u30FB';

} // namespace mq::cp932
