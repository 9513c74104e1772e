#pragma once

#include "profilelocation.h"
#include "services.h"

namespace mq {

// The real desktop: QMessageBox (the report also goes to stderr, one line, for whoever
// started the program from a terminal), xdg-open for the browser, and NAME.txt where
// `location` says.
Services desktopServices(const ProfileLocation &location);

// Opens an address with xdg-open: false when it cannot be started; when it ends with an
// error (no browser configured, say), `showMessage` gets the same report, later.
std::function<bool(const QUrl &)> browserOpener(std::function<void(const QString &, const QString &)> showMessage);

} // namespace mq
