#include "derivation.h"

#include "kana.h"

#include <initializer_list>

namespace mq {

namespace {

// A part of a joined value: an entry number, or a separator when negative.
constexpr int Space = -1, Hyphen = -2, Slash = -3, At = -4;

struct Join
{
    int slot;
    std::initializer_list<int> parts;
};

const Join Joins[] = {
    {0, {1, 2}},
    {9, {10, 11}},
    {12, {13, Space, 14}},
    {15, {17, Hyphen, 18}},
    {16, {17, 18}},
    {19, {20, 21, 22, 23}},
    {24, {26, Hyphen, 27, Hyphen, 28}},
    {25, {26, 27, 28}},
    {29, {31, Hyphen, 32, Hyphen, 33}},
    {30, {31, 32, 33}},
    {36, {38, Slash, 39, Slash, 40}},
    {37, {38, Hyphen, 39, Hyphen, 40}},
    {41, {42, At, 43}},
    {46, {47, Slash, 48}},
};

enum class Conversion { FullWidth, Hiragana };

struct Converted
{
    int slot;
    Conversion conversion;
    int from; // a slot of the same update
};

// Full-width from the half-width reading, then hiragana from the full-width result.
const Converted Conversions[] = {
    {6, Conversion::FullWidth, 9}, {7, Conversion::FullWidth, 10}, {8, Conversion::FullWidth, 11},
    {3, Conversion::Hiragana, 6},  {4, Conversion::Hiragana, 7},   {5, Conversion::Hiragana, 8},
};

QString separator(int part)
{
    switch (part) {
    case Space: return QStringLiteral(" ");
    case Hyphen: return QStringLiteral("-");
    case Slash: return QStringLiteral("/");
    case At: return QStringLiteral("@");
    }
    return {};
}

} // namespace

Record deriveRecord(const Record &entries)
{
    Record values;
    for (int slot : InputSlots)
        values[slot] = entries[slot];
    for (const Join &j : Joins) {
        // Sized once: the parts may be long, and a growing copy would move them repeatedly.
        qsizetype length = 0;
        for (int part : j.parts)
            length += part >= 0 ? entries[part].size() : 1;
        QString value;
        value.reserve(length);
        for (int part : j.parts)
            value += part >= 0 ? entries[part] : separator(part);
        values[j.slot] = value;
    }
    for (const Converted &c : Conversions)
        values[c.slot] = c.conversion == Conversion::FullWidth ? toFullWidth(values[c.from]) : toHiragana(values[c.from]);
    return values;
}

} // namespace mq
