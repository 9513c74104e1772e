#pragma once

#include "filefault.h"

#include <QString>

#include <memory>

namespace mq {

// The file-system side of a save: a new version is written beside the old file and only
// replaces it at commit. The writer talks to this instead of the file system so that
// tests (which run as root, where chmod makes no faults) can make each step fail.
class SaveDevice
{
public:
    virtual ~SaveDevice() = default;

    // Starts a new version of the file at `path` (links followed, so a link stays a link).
    virtual bool open(const QString &path) = 0;
    // Permission bits, 0600 and the like.
    virtual bool setMode(unsigned mode) = 0;
    // Bytes taken, -1 on failure; anything short of `size` is a failure as well.
    virtual qint64 write(const char *data, qint64 size) = 0;
    // The new version's bytes on the disk.
    virtual bool sync() = 0;
    // Installs the new version and puts the change of name on the disk. False before the
    // new version is in place leaves the old file as it was; false after it means the new
    // file is there but a power cut could still bring the old one back.
    virtual bool commit() = 0;
    // Drops the new version at once; the old file stays.
    virtual void cancel() = 0;
    // What the last failing call ran into.
    virtual FileFault fault() const = 0;
};

// The real one, over the system's files.
std::unique_ptr<SaveDevice> makeSaveFile();

} // namespace mq
