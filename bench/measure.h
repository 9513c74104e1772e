#pragma once
// What the benchmarks share: the median of their rounds and the plain writes they are
// measured against.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <cstdio>

#include <algorithm>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

// The offscreen platform unless QT_QPA_PLATFORM names another, without the warning it
// gives at every show that it cannot raise a window. Before the application object.
inline void offscreenUnlessTold()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
        if (type != QtWarningMsg || !msg.contains(QLatin1String("does not support raise")))
            std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

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

// The floor of a save that survives a crash and a power cut, done bare: the bytes into a
// new file in one write, fsync, rename over `path`, fsync of the folder.
inline bool bareDurableSave(const QString &folder, const QString &path, const QByteArray &bytes)
{
    const QByteArray temp = QFile::encodeName(path + QStringLiteral(".new"));
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size() && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return false;
    const bool synced = ::fsync(dir) == 0;
    return ::close(dir) == 0 && synced;
}
