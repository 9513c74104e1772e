#pragma once

#include "services.h"

#include <QString>

namespace mq {

class BrowserLaunch;
class Form1;

// "ＭＱ (β" major "." minor "." patch ")", plain decimal.
QString captionFor(int major, int minor, int patch);
QString programCaption();

// The palette's load: caption, home page, then the profile. A failing step is reported
// once and skips the steps after it; the window is shown by the caller all the same.
void loadForm1(Form1 &form, const Services &services, BrowserLaunch &browser);

} // namespace mq
