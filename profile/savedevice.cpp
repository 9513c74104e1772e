#include "savedevice.h"

#include "fileprobe.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mq {

namespace {

// A temporary file NAME.txt.XXXXXX beside the file it replaces, renamed over it at commit.
class SystemSaveFile final : public SaveDevice
{
public:
    bool open(const QString &path) override
    {
        cancel();
        target_ = QFile::encodeName(saveTarget(path));
        const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target_)).absolutePath());

        struct stat st {};
        if (::stat(folder.constData(), &st) != 0)
            return fail(errno == EACCES ? FileFault::FolderDenied : FileFault::Missing);
        if (!S_ISDIR(st.st_mode))
            return fail(FileFault::Missing);

        struct stat old {};
        const bool exists = ::lstat(target_.constData(), &old) == 0;
        if (exists && !S_ISREG(old.st_mode))
            return fail(FileFault::NotAFile);
        // Replacing is up to the folder, but a file its owner made read-only is not to be
        // replaced behind their back.
        if (exists && ::access(target_.constData(), W_OK) != 0)
            return fail(faultFromErrno(errno));

        temp_ = target_ + ".XXXXXX";
        fd_ = ::mkostemp(temp_.data(), O_CLOEXEC); // 0600 from the start
        if (fd_ < 0) {
            const int e = errno;
            temp_.clear();
            if (e == EACCES || e == EPERM || e == EROFS)
                return fail(FileFault::FolderNotWritable);
            return fail(faultFromErrno(e));
        }
        // Saved by root, a user's file stays the user's; anyone else cannot give a file
        // away and keeps their own.
        if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
            if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
                // Not allowed to: the new file is the saver's, as with any other save.
            }
        // To put the change of name on the disk. A folder that may be written but not read
        // cannot be opened for that; the save still works, as before.
        folderFd_ = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return true;
    }

    bool setMode(unsigned mode) override
    {
        if (fd_ < 0)
            return false;
        return ::fchmod(fd_, mode_t(mode)) == 0 || fail(faultFromErrno(errno));
    }

    qint64 write(const char *data, qint64 size) override
    {
        if (fd_ < 0)
            return -1;
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd_, data + done, size_t(size - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                fail(n < 0 ? faultFromErrno(errno) : FileFault::DiskFull);
                return done > 0 ? done : -1;
            }
            done += n;
        }
        return done;
    }

    bool sync() override
    {
        if (fd_ < 0)
            return false;
        return ::fsync(fd_) == 0 || fail(faultFromErrno(errno));
    }

    bool commit() override
    {
        if (fd_ < 0)
            return false;
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) {
            const int e = errno;
            cancel();
            return fail(faultFromErrno(e));
        }
        // Looked at again just before: what came in the file's place meanwhile stays.
        struct stat st {};
        if (::lstat(target_.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
            cancel();
            return fail(FileFault::NotAFile);
        }
        if (::rename(temp_.constData(), target_.constData()) != 0) {
            const int e = errno;
            cancel();
            return fail(faultFromErrno(e));
        }
        temp_.clear();
        bool synced = true;
        int e = 0;
        // EINVAL: a file system that cannot sync a folder; there is nothing more to do.
        if (folderFd_ >= 0 && ::fsync(folderFd_) != 0 && errno != EINVAL) {
            e = errno;
            synced = false;
        }
        cancel();
        return synced || fail(faultFromErrno(e));
    }

    void cancel() override
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        if (!temp_.isEmpty())
            ::unlink(temp_.constData());
        temp_.clear();
        if (folderFd_ >= 0)
            ::close(folderFd_);
        folderFd_ = -1;
    }

    FileFault fault() const override { return fault_; }

    ~SystemSaveFile() override { cancel(); }

private:
    bool fail(FileFault f)
    {
        fault_ = f == FileFault::None ? FileFault::DeviceIo : f;
        return false;
    }

    QByteArray target_;
    QByteArray temp_;
    int fd_ = -1;
    int folderFd_ = -1;
    FileFault fault_ = FileFault::None;
};

} // namespace

std::unique_ptr<SaveDevice> makeSaveFile()
{
    return std::make_unique<SystemSaveFile>();
}

} // namespace mq
