#pragma once

#include "services.h"

#include <future>

namespace mq {

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

} // namespace mq
