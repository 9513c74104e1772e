#include "profilelock.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace mq {

namespace {

// What a second start sends, and the first answers.
constexpr char Raise[] = "raise\n";
constexpr char Done[] = "ok\n";

// The file as the other copy would name it: links resolved, and for a file not made yet
// its folder resolved.
QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString file = info.canonicalFilePath();
    if (!file.isEmpty())
        return file;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : QDir(folder).filePath(info.fileName());
}

// A Unix socket of our own rather than QLocalSocket: the network library it lives in
// costs the palette more memory at start-up than the rest of this does.
bool socketAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (size_t(bytes.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

// Waits for the descriptor to be ready for `events`; false when the time is up.
bool ready(int fd, short events, const QDeadlineTimer &deadline)
{
    pollfd p{fd, events, 0};
    int r;
    do
        r = ::poll(&p, 1, int(qMax<qint64>(0, deadline.remainingTime())));
    while (r < 0 && errno == EINTR);
    return r > 0;
}

// Asks the copy that listens at `path` to come forward: true when it said it did.
bool ask(const QString &path, const QDeadlineTimer &deadline)
{
    sockaddr_un address;
    if (!socketAddress(path, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::write(fd, Raise, sizeof Raise - 1) == ssize_t(sizeof Raise - 1) && ready(fd, POLLIN, deadline)) {
        char reply[sizeof Done] = {};
        answered = ::read(fd, reply, sizeof Done - 1) == ssize_t(sizeof Done - 1) && std::strcmp(reply, Done) == 0;
    }
    ::close(fd);
    return answered;
}

} // namespace

QString ProfileLock::nameFor(const QString &profilePath)
{
    const QByteArray hash = QCryptographicHash::hash(canonical(profilePath).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("mq-") + QString::fromLatin1(hash.toHex().left(24));
}

ProfileLock::ProfileLock(const QString &profilePath, const QString &runtimeFolder, int answerMs)
    : m_base(runtimeFolder.isEmpty() ? QString() : QDir(runtimeFolder).filePath(nameFor(profilePath)))
    , m_answerMs(answerMs)
    , m_lock(m_base + QStringLiteral(".lock"))
{
    // Never stale by age: the palette runs for days. A lock whose process is gone is
    // stale all the same.
    m_lock.setStaleLockTime(0);
}

ProfileLock::~ProfileLock()
{
    if (m_listening >= 0) {
        ::close(m_listening);
        QFile::remove(m_base + QStringLiteral(".socket"));
    }
}

ProfileLock::Claim ProfileLock::claim()
{
    // No runtime folder to lock in: run unguarded rather than not at all, and never lock
    // in the current folder, which may be the profile's.
    if (m_base.isEmpty())
        return Claim::First;
    // The running copy may hold the lock but not listen yet, or be just leaving: ask
    // again for a while before giving up.
    const QDeadlineTimer deadline(m_answerMs);
    do {
        if (m_lock.tryLock(0)) {
            listen();
            return Claim::First;
        }
        if (m_lock.error() != QLockFile::LockFailedError)
            return Claim::First; // the runtime folder cannot be written: unguarded, as above
        if (ask(m_base + QStringLiteral(".socket"), deadline))
            return Claim::HandedOver;
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return Claim::NoAnswer;
}

void ProfileLock::listen()
{
    const QString path = m_base + QStringLiteral(".socket");
    sockaddr_un address;
    if (!socketAddress(path, address))
        return;
    // Left by a copy that was killed; we hold the lock, so nobody else listens there.
    ::unlink(address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return;
    }
    m_listening = fd;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ProfileLock::answer);
}

void ProfileLock::answer()
{
    const int peer = ::accept4(m_listening, nullptr, nullptr, SOCK_CLOEXEC);
    if (peer < 0)
        return;
    // A second start writes its line at once; one that does not is not waited for long.
    char request[sizeof Raise] = {};
    const bool asked = ready(peer, POLLIN, QDeadlineTimer(500))
        && ::read(peer, request, sizeof Raise - 1) == ssize_t(sizeof Raise - 1) && std::strcmp(request, Raise) == 0;
    if (asked)
        (void)!::write(peer, Done, sizeof Done - 1);
    ::close(peer);
    if (asked)
        Q_EMIT raiseRequested();
}

} // namespace mq
