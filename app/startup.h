#pragma once

#include "app/services.h"

#include <QString>

#include <future>

namespace mq {

class Form1;

// "ＭＱ (β" major "." minor "." patch ")", plain decimal.
QString captionFor(int major, int minor, int patch);
QString programCaption();

// The home page, opened on a thread of its own: the launch forks the program, which takes
// milliseconds that the palette's construction can use. The load waits for its answer.
class BrowserLaunch
{
public:
    explicit BrowserLaunch(const Services &services);
    // Whether a browser could be started; waits for the launch. Asked once.
    bool opened();

private:
    std::future<bool> m_opened;
};

// Fontconfig reads its configuration and font caches the first time any font is asked for,
// milliseconds the first paint would otherwise wait for. A thread of its own does it while
// QApplication connects to the display; wait() before the first font is needed, so that
// the work is not started a second time on the GUI thread.
class FontSetUp
{
public:
    FontSetUp();
    void wait();

private:
    std::future<void> m_done;
};

// The palette's load: caption, home page, then the profile. A failing step is reported
// once and skips the steps after it; the window is shown by the caller all the same.
void loadForm1(Form1 &form, const Services &services, BrowserLaunch &browser);

QString profilePath(const Services &services);

} // namespace mq
