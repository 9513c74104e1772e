#include "desktop.h"

#include "errorreport.h"
#include "launcher.h"
#include "startup.h"

#include <QMessageBox>

#include <cstdio>

namespace mq {

std::function<bool(const QUrl &)> browserOpener(std::function<void(const QString &, const QString &)> showMessage)
{
    Services reportOnly;
    reportOnly.showMessage = std::move(showMessage);
    return [reportOnly](const QUrl &url) {
        return startWatched(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)}, [reportOnly](int status) {
            if (status != 0) {
                const Failure f = browserFailure();
                reportFailure(reportOnly, f.number, f.description);
            }
        });
    };
}

Services desktopServices(const ProfileLocation &location)
{
    Services s;
    s.showMessage = [](const QString &text, const QString &title) {
        // The report separates its lines with lone CRs; a Qt label breaks lines at LF only.
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QString line = text;
        line.replace(QStringLiteral("\r\r"), QStringLiteral(" ")).replace(QLatin1Char('\r'), QLatin1Char(' '));
        std::fprintf(stderr, "mq: %s\n", qPrintable(line));
        QMessageBox box(QMessageBox::Warning, title, shown, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
    s.openUrl = browserOpener(s.showMessage);
    s.profilePath = location.path;
    s.ownProfileFolder = location.ownFolder;
    return s;
}

} // namespace mq
