#include "desktop.h"

#include "profilefile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>

namespace mq {

Services desktopServices()
{
    Services s;
    s.showMessage = [](const QString &text, const QString &title) {
        // The report separates its lines with lone CRs; a Qt label breaks lines at LF only.
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QMessageBox box(QMessageBox::Warning, title, shown, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    s.openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    s.profilePath = QDir(QCoreApplication::applicationDirPath()).filePath(profileFileName());
    return s;
}

} // namespace mq
