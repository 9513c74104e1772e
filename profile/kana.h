#pragma once

#include <QString>

namespace mq {

// Narrow characters to their wide forms: half-width katakana to katakana (voiced and
// semi-voiced marks composed), ASCII to full-width, the space to the ideographic space.
QString toFullWidth(const QString &text);

// Katakana letters to the hiragana of the same sound; everything else unchanged.
QString toHiragana(const QString &text);

} // namespace mq
