#pragma once

#include <QByteArray>

#include <future>

namespace mq {

// Fontconfig reads its configuration and font caches the first time any font is asked for,
// milliseconds the first paint would otherwise wait for. A thread of its own does it while
// QApplication connects to the display, and finds out on the way whether any installed
// font can draw Japanese; wait() before the first font is needed, so that the work is not
// started a second time on the GUI thread.
class FontSetUp
{
public:
    FontSetUp();
    // Whether an installed font covers Japanese; true when that cannot be told.
    bool wait();

private:
    std::future<bool> m_done;
};

// Whether a font of fontconfig's configuration covers Japanese: the current one, or the
// one read from `configFile`.
bool japaneseFontInstalled(const QByteArray &configFile = {});

} // namespace mq
