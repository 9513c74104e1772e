#pragma once

#include <QByteArray>
#include <QString>

#include <iconv.h>

// The system's converter itself, without anything of the program's on top: what the tests
// hold the program's code page 932 against.
class SystemCp932
{
public:
    SystemCp932();
    ~SystemCp932();
    SystemCp932(const SystemCp932 &) = delete;
    SystemCp932 &operator=(const SystemCp932 &) = delete;
    bool ok() const;

    // One code point to code page 932; false when the converter refuses it.
    bool encode(char32_t c, QByteArray *bytes);
    // -1 unless the bytes give exactly one code point.
    qint64 decode(const QByteArray &bytes);
    // The text goes to code page 932 and comes back the same: nothing replaced on the way.
    bool roundTrips(const QString &text);

private:
    iconv_t to_;
    iconv_t from_;
};
