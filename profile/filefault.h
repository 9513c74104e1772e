#pragma once

#include "failure.h"

namespace mq {

// Why a file operation failed, in the terms the error report needs.
enum class FileFault {
    None,
    Missing,          // 53 when reading; 75 when saving (no folder to hold the file)
    PermissionDenied, // 70
    NotAFile,         // 75: a folder, a pipe or a device where the file should be
    DiskFull,         // 61
    DeviceIo,         // 57
};

enum class Operation { Read, Write };

// What errno says, in those terms.
FileFault faultFromErrno(int e);

// The report of a fault.
Failure failureFor(FileFault fault, Operation op);

} // namespace mq
