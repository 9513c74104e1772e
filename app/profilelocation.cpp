#include "profilelocation.h"

#include "profilefile.h"
#include "version.h"

#include <QDir>
#include <QFileInfo>

namespace mq {

QString desktopEntryName()
{
    return QString::fromLatin1(build::AppId) + QStringLiteral(".desktop");
}

bool isInstalled(const QString &programDir)
{
    return QFileInfo::exists(QDir(programDir).filePath(QStringLiteral("../share/applications/") + desktopEntryName()));
}

ProfileLocation profileLocation(const QString &named, const QString &programDir, const QString &xdgDataHome,
                                const QString &home)
{
    if (!named.isEmpty())
        return {QFileInfo(named).absoluteFilePath(), false};
    if (!isInstalled(programDir))
        return {QDir(programDir).filePath(profileFileName()), false};
    // A relative XDG_DATA_HOME is to be ignored, as if it were not set.
    const QString data = QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome : QDir(home).filePath(QStringLiteral(".local/share"));
    return {QDir(QDir(data).filePath(QStringLiteral("mq"))).filePath(profileFileName()), true};
}

} // namespace mq
