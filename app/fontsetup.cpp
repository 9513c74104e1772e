#include "fontsetup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace mq {

FontSetUp::FontSetUp()
{
    try {
        m_done = std::async(std::launch::async, [] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread: Qt sets fontconfig up itself at the first font.
    }
}

void FontSetUp::wait()
{
    if (m_done.valid())
        m_done.get();
}

} // namespace mq
