#pragma once

#include "record.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace mq {

QString profileFileName(); // "NAME.txt"

// The largest NAME.txt read, and so the largest written. A profile takes a few kilobytes;
// what is larger is not one, and reading it whole would hold up start-up.
constexpr qint64 MaxProfileBytes = 1024 * 1024;

// Reads the profile: the first line is skipped, the next 57 lines go to slots 0..56 in
// order, each handed to setSlot as soon as it is read. Throws Failure (53 missing,
// 62 too short, 75 not a file, 1002 larger than MaxProfileBytes, which is not read at
// all, others for the file system).
void readProfile(const QString &path, const std::function<void(int slot, const QString &text)> &setSlot);

// Writes "0" and the 57 values, each line ending CR LF. Every value is checked before
// anything is written; on any failure the previous file stays whole. What the reader
// refuses to read (not a file, too large) is not replaced. Throws Failure.
void writeProfile(const QString &path, const Record &values);

class SaveDevice;

// The same through the given device, which a test can make fail; the device is used for
// one save only.
void writeProfile(const QString &path, const Record &values, SaveDevice &device);

// The reader's work on bytes already read: header skipped, lines to slots 0..56, 62 when
// the bytes end early.
void parseProfile(QByteArrayView bytes, const std::function<void(int slot, const QString &text)> &setSlot);

} // namespace mq
