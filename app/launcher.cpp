#include "launcher.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char **environ;

namespace mq {

namespace {

// Reaps the child once it has ended, so that no zombie is left, and tells its status.
class ExitWatch : public QObject
{
public:
    ExitWatch(pid_t pid, std::function<void(int)> onExit)
        : QObject(QCoreApplication::instance())
        , m_pid(pid)
        , m_onExit(std::move(onExit))
    {
        // A pidfd turns readable when the process ends; where the kernel has none, ask
        // now and then instead.
        const int fd = int(::syscall(SYS_pidfd_open, pid, 0));
        if (fd >= 0) {
            m_fd = fd;
            auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
                notifier->setEnabled(false);
                check();
            });
        } else {
            auto *poll = new QTimer(this);
            connect(poll, &QTimer::timeout, this, &ExitWatch::check);
            poll->start(250);
        }
    }
    ~ExitWatch() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    void check()
    {
        int status = 0;
        const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == 0)
            return; // still running (a spurious wake-up)
        const int code = r < 0 ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        // Gone before the call: it may open a message box, and a second wake-up must not
        // find this watch again.
        const std::function<void(int)> onExit = std::move(m_onExit);
        deleteLater();
        if (onExit)
            onExit(code);
    }

    pid_t m_pid;
    int m_fd = -1;
    std::function<void(int)> m_onExit;
};

} // namespace

bool startWatched(const QString &program, const QStringList &arguments, std::function<void(int status)> onExit)
{
    std::vector<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString &a : arguments)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    // posix_spawn tells at once whether the program could be run (glibc waits for the
    // exec), and unlike fork it does not copy the page tables of the whole program.
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    new ExitWatch(pid, std::move(onExit));
    return true;
}

} // namespace mq
