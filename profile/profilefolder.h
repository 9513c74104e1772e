#pragma once

#include <QString>

namespace mq {

// Makes the folder that is to hold `filePath`, and any missing folder above it, each
// readable by its owner only (it holds a password and a bank account). A folder that
// exists is left as it is. Throws Failure when a folder cannot be made.
void makeFolderFor(const QString &filePath);

} // namespace mq
