#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace mq {

// What the windows need from the outside world, handed to them as one value: the
// program fills it with the desktop's, a test with its own.
struct Services
{
    // Modal: returns when the user has dismissed the box.
    std::function<void(const QString &text, const QString &title)> showMessage;
    // False when no browser could be started; one that fails later reports it itself.
    std::function<bool(const QUrl &url)> openUrl;
    // NAME.txt.
    QString profilePath;
    // Its folder is the program's own data folder, made at the first save.
    bool ownProfileFolder = false;
};

} // namespace mq
