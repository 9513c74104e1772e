#pragma once

#include "profile/record.h"

#include <array>

namespace mq {

// The order in which the update sets the palette's slots: the half-width kana join
// before the full-width conversions that read it, and those before the hiragana.
constexpr std::array<int, SlotCount> UpdateOrder{{0,  1,  2,  9,  10, 11, 6,  7,  8,  3,  4,  5,
                                                 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                                                 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35,
                                                 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47,
                                                 48, 49, 50, 51, 52, 53, 54, 55, 56}};

// The 57 palette values computed from the editor's entries. Only the input slots of
// `entries` are read; whatever the other 20 hold has no effect.
Record deriveRecord(const Record &entries);

} // namespace mq
