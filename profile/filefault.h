#pragma once

#include "failure.h"

#include <QString>

namespace mq {

// Why a file operation failed, in the terms the error report needs.
enum class FileFault {
    None,
    Missing,           // 53 when reading; 75 when saving (no folder to hold the file)
    PermissionDenied,  // 70: the file itself may not be read or replaced
    FolderDenied,      // 70: a folder on the way may not be searched
    FolderNotWritable, // 70: the file may be written, but no new file can be made beside it
    NotAFile,          // 75: a folder, a pipe or a device where the file should be
    DiskFull,          // 61
    DeviceIo,          // 57
};

enum class Operation { Read, Write };

// What errno says, in those terms.
FileFault faultFromErrno(int e);

// The report of a fault at `path`; the folder faults name the folder that holds it.
Failure failureFor(FileFault fault, Operation op, const QString &path);

// A NAME.txt of `size` bytes, above the `limit` the reader takes: refused as it stands
// when reading, kept as it stands when saving.
Failure tooLargeFile(const QString &path, qint64 size, qint64 limit, Operation op);

// Values whose file would be `size` bytes, above what the reader takes.
Failure tooLargeContents(qint64 size, qint64 limit);

} // namespace mq
