#include "fileprobe.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>

namespace mq {

PathState probePath(const QString &path)
{
    PathState state;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        state.kind = errno == ENOENT ? PathState::Absent : PathState::Unreachable;
        state.error = errno;
        return state;
    }
    state.kind = S_ISREG(st.st_mode) ? PathState::Regular : PathState::Other;
    state.size = qint64(st.st_size);
    state.mode = unsigned(st.st_mode) & 0777u;
    return state;
}

FileFault unreachableFault(const PathState &state)
{
    // Looking at a name needs only the right to search the folders on its way.
    if (state.error == EACCES)
        return FileFault::FolderDenied;
    return faultFromErrno(state.error);
}

QString saveTarget(const QString &path)
{
    QFileInfo info(path);
    // A loop of links is left as it is; the save then fails on it.
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

} // namespace mq
