#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace mq {

// Starts `program` (looked up in PATH) with `arguments`, without waiting for it: false when
// it cannot be started at all. When it ends, `onExit` is called on this thread with its
// exit status (-1 when a signal ended it), whatever the program is doing meanwhile. It is
// never stopped by us: the program may run the browser itself, which must outlive ours.
bool startWatched(const QString &program, const QStringList &arguments, std::function<void(int status)> onExit);

} // namespace mq
