#pragma once
// What the benchmarks share: the median of their rounds and the plain write they are
// measured against.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <vector>

#include <unistd.h>

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The least a save must do: put the bytes in a file, and with sync force them to the disk.
inline bool plainWrite(const QString &path, const QByteArray &bytes, bool sync)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size() || !f.flush())
        return false;
    return !sync || ::fsync(f.handle()) == 0;
}
