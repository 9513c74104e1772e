#include "profilelock.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

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

} // namespace

QString ProfileLock::nameFor(const QString &profilePath)
{
    const QByteArray hash = QCryptographicHash::hash(canonical(profilePath).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("mq-") + QString::fromLatin1(hash.toHex().left(24));
}

ProfileLock::ProfileLock(const QString &profilePath, const QString &runtimeFolder, int answerMs)
    : m_base(QDir(runtimeFolder).filePath(nameFor(profilePath)))
    , m_answerMs(answerMs)
    , m_lock(m_base + QStringLiteral(".lock"))
{
    // Never stale by age: the palette runs for days. A lock whose process is gone is
    // stale all the same.
    m_lock.setStaleLockTime(0);
}

ProfileLock::~ProfileLock()
{
    m_server.close();
}

ProfileLock::Claim ProfileLock::claim()
{
    // The running copy may hold the lock but not listen yet, or be just leaving: ask
    // again for a while before giving up.
    const QDeadlineTimer deadline(m_answerMs);
    do {
        if (m_lock.tryLock(0)) {
            listen();
            return Claim::First;
        }
        if (m_lock.error() != QLockFile::LockFailedError)
            return Claim::First; // no runtime folder to lock in: run unguarded rather than not at all
        QLocalSocket peer;
        peer.connectToServer(m_base + QStringLiteral(".socket"));
        if (peer.waitForConnected(int(deadline.remainingTime()))) {
            peer.write(Raise);
            const bool answered = peer.waitForBytesWritten(int(deadline.remainingTime()))
                && peer.waitForReadyRead(int(deadline.remainingTime())) && peer.readAll() == Done;
            return answered ? Claim::HandedOver : Claim::NoAnswer;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return Claim::NoAnswer;
}

void ProfileLock::listen()
{
    const QString socket = m_base + QStringLiteral(".socket");
    // Left by a copy that was killed; we hold the lock, so nobody else listens there.
    QLocalServer::removeServer(socket);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (!peer->canReadLine())
                    return;
                if (peer->readLine() == Raise) {
                    peer->write(Done);
                    peer->flush();
                    Q_EMIT raiseRequested();
                }
                peer->disconnectFromServer();
            });
        }
    });
    m_server.listen(socket);
}

} // namespace mq
