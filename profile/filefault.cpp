#include "filefault.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>

namespace mq {

namespace {

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

QString bytes(qint64 n)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(n);
}

} // namespace

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
    case ELOOP:
        return FileFault::NotAFile;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileFault::DiskFull;
    default:
        return FileFault::DeviceIo;
    }
}

Failure failureFor(FileFault fault, Operation op, const QString &path)
{
    const bool read = op == Operation::Read;
    switch (fault) {
    case FileFault::Missing:
        // Named, since where NAME.txt is looked for depends on how the program was installed.
        if (read)
            return {err::FileNotFound, QStringLiteral("ファイル「%1」が見つかりません。").arg(QDir::toNativeSeparators(path))};
        // A save never lacks its file, only the folder to put it in.
        return {err::PathAccess, QStringLiteral("パス名が無効です。保存先のフォルダーが見つかりません。")};
    case FileFault::PermissionDenied:
        if (read)
            return {err::PermissionDenied, QStringLiteral("読み込みできません。アクセスが拒否されました。")};
        return {err::PermissionDenied, QStringLiteral("書き込みできません。アクセスが拒否されました。")};
    case FileFault::FolderDenied:
        return {err::PermissionDenied,
                (read ? QStringLiteral("読み込みできません。") : QStringLiteral("書き込みできません。"))
                    + QStringLiteral("フォルダー「%1」へのアクセスが拒否されました。").arg(folderOf(path))};
    case FileFault::FolderNotWritable:
        return {err::PermissionDenied,
                QStringLiteral("書き込みできません。フォルダー「%1」に書き込む権限がありません"
                               "（保存するには、同じフォルダーに一時ファイルを作る必要があります）。")
                    .arg(folderOf(path))};
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

Failure tooLargeFile(const QString &path, qint64 size, qint64 limit, Operation op)
{
    const QString sizes = QStringLiteral("（%1 バイト。読み込めるのは %2 バイトまでです）").arg(bytes(size), bytes(limit));
    if (op == Operation::Read)
        return {err::TooLarge, QStringLiteral("ファイル「%1」は大きすぎるため読み込めません").arg(path) + sizes
                                   + QStringLiteral("。")};
    return {err::TooLarge, QStringLiteral("保存できません。ファイル「%1」は大きすぎて読み込めないため、上書きしません").arg(path)
                               + sizes + QStringLiteral("。")};
}

Failure tooLargeContents(qint64 size, qint64 limit)
{
    return {err::TooLarge, QStringLiteral("保存できません。保存する内容が %1 バイトになり、NAME.txt として読み込める大きさ（%2 バイト）を超えます。")
                               .arg(bytes(size), bytes(limit))};
}

} // namespace mq
