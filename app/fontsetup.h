#pragma once

#include <future>

namespace mq {

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

} // namespace mq
