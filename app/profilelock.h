#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace mq {

// One running copy per profile. The first copy holds a lock named after the profile's
// canonical path and listens on a socket of the same name; a second start on the same
// file asks it to come to the front and leaves. Both live in the user's runtime folder,
// so nothing is added beside NAME.txt (a USB stick, a synced folder). A lock left by a
// copy that was killed is taken over.
class ProfileLock : public QObject
{
    Q_OBJECT
public:
    // `answerMs`: how long a second start keeps asking a copy that holds the lock.
    ProfileLock(const QString &profilePath, const QString &runtimeFolder, int answerMs = 3000);
    ~ProfileLock() override;

    enum class Claim {
        First,      // this copy runs
        HandedOver, // another copy runs on this profile and was asked to come forward
        NoAnswer,   // another copy holds the lock but does not answer
    };
    Claim claim();

    // The lock's and the socket's name for a profile: the same for every spelling of its path.
    static QString nameFor(const QString &profilePath);

Q_SIGNALS:
    // A second start asked for the palette.
    void raiseRequested();

private:
    void listen();
    void answer();

    QString m_base;
    int m_answerMs;
    QLockFile m_lock;
    int m_listening = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace mq
