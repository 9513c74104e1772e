#include "savedevice.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace mq {

namespace {

class QtSaveFile final : public SaveDevice
{
public:
    bool open(const QString &path) override
    {
        const QFileInfo info(path);
        if (info.isDir() || !QFileInfo(info.absolutePath()).isDir())
            return fail(info.isDir() ? FileFault::NotAFile : FileFault::Missing);
        if (info.exists() && !info.isWritable())
            return fail(FileFault::PermissionDenied);
        file_ = std::make_unique<QSaveFile>(path);
        // Never fall back to writing in place: that is what loses the old file.
        file_->setDirectWriteFallback(false);
        errno = 0;
        // Unbuffered, so a full disk shows at the write that hits it and not later.
        if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            const int e = errno;
            file_.reset();
            return fail(faultFromErrno(e));
        }
        return true;
    }

    qint64 write(const char *data, qint64 size) override
    {
        if (!file_)
            return -1;
        errno = 0;
        const qint64 n = file_->write(data, size);
        if (n != size)
            fail(faultFromErrno(errno));
        return n;
    }

    bool flush() override
    {
        if (!file_)
            return false;
        errno = 0;
        return file_->flush() || fail(faultFromErrno(errno));
    }

    bool setPermissions(QFileDevice::Permissions permissions) override
    {
        if (!file_)
            return false;
        errno = 0;
        return file_->setPermissions(permissions) || fail(faultFromErrno(errno));
    }

    bool commit() override
    {
        if (!file_)
            return false;
        // A write error that slipped past the checks must not become a committed file.
        if (file_->error() != QFileDevice::NoError) {
            cancel();
            return fail(FileFault::DeviceIo);
        }
        errno = 0;
        const bool ok = file_->commit();
        const int e = errno;
        file_.reset();
        return ok || fail(faultFromErrno(e));
    }

    void cancel() override
    {
        if (!file_)
            return;
        file_->cancelWriting();
        // A commit after cancelWriting() removes the temporary file now, not at destruction.
        file_->commit();
        file_.reset();
    }

    FileFault fault() const override { return fault_; }

    ~QtSaveFile() override { cancel(); }

private:
    bool fail(FileFault f)
    {
        fault_ = f == FileFault::None ? FileFault::DeviceIo : f;
        return false;
    }

    std::unique_ptr<QSaveFile> file_;
    FileFault fault_ = FileFault::None;
};

} // namespace

std::unique_ptr<SaveDevice> makeSaveFile()
{
    return std::make_unique<QtSaveFile>();
}

} // namespace mq
