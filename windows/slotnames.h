#pragma once

#include <QString>

namespace mq {

// What a screen reader calls the palette box and the editor entry of a slot: the
// editor's row caption and the entry's column or place in the row; for a value the
// program derives, what it is.
QString slotName(int slot);

} // namespace mq
