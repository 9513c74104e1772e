#pragma once

#include "record.h"

#include <QByteArray>
#include <QString>

// The one person of the tests: 山田 太郎 of the worked example, as typed into the editor,
// as the palette shows it, and as NAME.txt holds it (tests/data/sample_NAME.txt).
namespace sample {

// The 37 entries typed; the hidden ones empty.
mq::Record entries();
// The 57 palette values those entries give.
mq::Record values();
// The bytes of NAME.txt that holds those values.
QByteArray file();

} // namespace sample

// Whole files, for fixtures and for comparing what a save left behind.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
