#pragma once

#include "services.h"

namespace mq {

// The real desktop: QMessageBox, QDesktopServices, and NAME.txt in the program's folder.
Services desktopServices();

} // namespace mq
