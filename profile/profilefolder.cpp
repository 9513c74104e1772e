#include "profilefolder.h"

#include "filefault.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>

namespace mq {

void makeFolderFor(const QString &filePath)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    QStringList missing;
    for (QString f = folder; !QFileInfo::exists(f); f = QFileInfo(f).absolutePath()) {
        missing.prepend(f);
        if (QDir(f).isRoot())
            break;
    }
    for (const QString &f : missing) {
        // mkdir itself, so the folder never exists with a wider mode than 0700.
        if (::mkdir(QFile::encodeName(f).constData(), 0700) != 0 && errno != EEXIST) {
            const int e = errno;
            Failure failure = failureFor(faultFromErrno(e), Operation::Write, filePath);
            failure.description += QStringLiteral("（フォルダー「%1」を作れません）").arg(QDir::toNativeSeparators(f));
            throw failure;
        }
    }
}

} // namespace mq
