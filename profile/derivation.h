#pragma once

#include "record.h"

namespace mq {

// The 57 palette values computed from the editor's entries. Only the input slots of
// `entries` are read; whatever the other 20 hold has no effect.
Record deriveRecord(const Record &entries);

} // namespace mq
