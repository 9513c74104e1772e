#pragma once

#include "filefault.h"

#include <QString>

namespace mq {

// What lies at a path, seen without opening it: opening a pipe waits for a writer, and
// opening a device can do things of its own. Symbolic links are followed.
struct PathState
{
    enum Kind {
        Absent,      // nothing by that name (a dangling link included)
        Regular,     // a file
        Other,       // a folder, a pipe, a device, a socket
        Unreachable, // the path cannot be looked at; `error` tells why
    };
    Kind kind = Absent;
    int error = 0;
    qint64 size = 0;
    unsigned mode = 0; // permission bits
};

PathState probePath(const QString &path);

// Why an Unreachable path cannot be looked at.
FileFault unreachableFault(const PathState &state);

// The file a save of `path` replaces: `path` with symbolic links followed, to the last
// name even when it does not exist yet, so that the link stays a link.
QString saveTarget(const QString &path);

} // namespace mq
