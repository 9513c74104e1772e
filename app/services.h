#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace mq {

// What the windows need from the outside world, handed to them as one value so that
// tests can answer the message box, catch the browser launch and pick the folder.
struct Services
{
    // Modal: returns when the user has dismissed the box.
    std::function<void(const QString &text, const QString &title)> showMessage;
    // False when no browser could be started.
    std::function<bool(const QUrl &url)> openUrl;
    // Where NAME.txt lives.
    QString programDir;

    // The real desktop: QMessageBox, QDesktopServices, the program's own folder.
    static Services desktop();
};

} // namespace mq
