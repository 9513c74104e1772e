#pragma once

#include "filefault.h"

#include <QFileDevice>
#include <QString>

#include <memory>

namespace mq {

// The file-system side of a save: a new version is written beside the old file and only
// replaces it at commit. The writer talks to this instead of QSaveFile so that tests
// (which run as root, where chmod makes no faults) can make each step fail.
class SaveDevice
{
public:
    virtual ~SaveDevice() = default;

    virtual bool open(const QString &path) = 0;
    // Bytes taken, -1 on failure; anything short of `size` is a failure as well.
    virtual qint64 write(const char *data, qint64 size) = 0;
    virtual bool flush() = 0;
    virtual bool setPermissions(QFileDevice::Permissions permissions) = 0;
    // Installs the new version; false leaves the old file as it was.
    virtual bool commit() = 0;
    // Drops the new version at once; the old file stays.
    virtual void cancel() = 0;
    // What the last failing call ran into.
    virtual FileFault fault() const = 0;
};

// The real one, over QSaveFile.
std::unique_ptr<SaveDevice> makeSaveFile();

} // namespace mq
