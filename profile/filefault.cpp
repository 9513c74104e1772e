#include "filefault.h"

#include <cerrno>

namespace mq {

FileFault faultFromErrno(int e)
{
    switch (e) {
    case ENOENT:
    case ENOTDIR:
        return FileFault::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return FileFault::PermissionDenied;
    case EISDIR:
        return FileFault::NotAFile;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileFault::DiskFull;
    default:
        return FileFault::DeviceIo;
    }
}

Failure failureFor(FileFault fault, Operation op)
{
    switch (fault) {
    case FileFault::Missing:
        if (op == Operation::Read)
            return {err::FileNotFound, QStringLiteral("ファイルが見つかりません。")};
        // A save never lacks its file, only the folder to put it in.
        return {err::PathAccess, QStringLiteral("パス名が無効です。保存先のフォルダーが見つかりません。")};
    case FileFault::PermissionDenied:
        if (op == Operation::Read)
            return {err::PermissionDenied, QStringLiteral("読み込みできません。アクセスが拒否されました。")};
        return {err::PermissionDenied, QStringLiteral("書き込みできません。アクセスが拒否されました。")};
    case FileFault::NotAFile:
        return {err::PathAccess, QStringLiteral("パス名が無効です。ファイルの場所にフォルダーなどがあります。")};
    case FileFault::DiskFull:
        return {err::DiskFull, QStringLiteral("ディスクの空き容量が不足しています。")};
    case FileFault::None:
    case FileFault::DeviceIo:
        break;
    }
    return {err::DeviceIo, QStringLiteral("デバイス I/O エラーです。")};
}

} // namespace mq
