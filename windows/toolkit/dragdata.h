#pragma once

#include <QString>

class QMimeData;

namespace mq {

// The whole text as plain UTF-8: what QMimeData::setText offers (text/plain, and
// UTF8_STRING on X11), plus text/plain;charset=utf-8, which GTK programs look for.
QMimeData *makeDragData(const QString &text);

} // namespace mq
