#include "services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>

namespace mq {

Services Services::desktop()
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
    s.programDir = QCoreApplication::applicationDirPath();
    return s;
}

} // namespace mq
