#pragma once

#include "failure.h"
#include "services.h"

#include <QString>

namespace mq {

class Form1;

// "ＭＱ (β" major "." minor "." patch ")", plain decimal.
QString captionFor(int major, int minor, int patch);
QString programCaption();

// What the report says when no browser could be started.
Failure browserFailure();

// The palette's load: caption, home page, then the profile. A failing step is reported
// once and skips the steps after it; the window is shown by the caller all the same.
void loadForm1(Form1 &form, const Services &services);

// No installed font can draw Japanese: said once, with the package that brings one.
void reportMissingJapaneseFont(const Services &services);

} // namespace mq
