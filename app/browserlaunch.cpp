#include "browserlaunch.h"

#include "version.h"

#include <system_error>

namespace mq {

BrowserLaunch::BrowserLaunch(const Services &services)
{
    auto launch = [open = services.openUrl] { return open && open(QUrl(QString::fromLatin1(build::HomePage))); };
    try {
        m_opened = std::async(std::launch::async, launch);
    } catch (const std::system_error &) {
        // No thread to be had: launch when the load asks, as if there were no thread.
        m_opened = std::async(std::launch::deferred, launch);
    }
}

bool BrowserLaunch::opened()
{
    return m_opened.get();
}

} // namespace mq
