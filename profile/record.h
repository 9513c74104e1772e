#pragma once

#include <QString>

#include <array>

namespace mq {

constexpr int SlotCount = 57;

// One value per slot, slot i at index i.
using Record = std::array<QString, SlotCount>;

// The palette's text before any value is loaded.
inline QString designText() { return QStringLiteral("■■■■■■"); }

struct SlotRange
{
    int first;
    int last; // inclusive
};

// The six groups, each with its editor heading and clear button.
constexpr std::array<SlotRange, 6> Groups{{{0, 14}, {15, 23}, {24, 33}, {34, 45}, {46, 50}, {51, 56}}};

constexpr std::array<int, 37> InputSlots{{1,  2,  10, 11, 13, 14, 17, 18, 20, 21, 22, 23, 26,
                                         27, 28, 31, 32, 33, 34, 35, 38, 39, 40, 42, 43, 44,
                                         45, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56}};

constexpr std::array<int, 20> DerivedSlots{{0,  3,  4,  5,  6,  7,  8,  9,  12, 15,
                                           16, 19, 24, 25, 29, 30, 36, 37, 41, 46}};

// How the user recognises a slot in messages: the editor caption beside its entry,
// or "欄 N" for a derived slot, which has no entry of its own.
QString slotCaption(int slot);

} // namespace mq
