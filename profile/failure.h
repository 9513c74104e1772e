#pragma once

#include <QString>

namespace mq {

// A failure that the one error report shows: a number and a Japanese description.
// Thrown from anywhere below an event handler; caught by the handler's trap.
struct Failure
{
    int number = 0;
    QString description;
};

// The numbers the program raises.
namespace err {
constexpr int OutOfMemory = 7;
constexpr int Internal = 51;
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathAccess = 75;        // a folder or something else where the file should be
constexpr int CannotCreateObject = 429;
constexpr int Unencodable = 1001;     // a character NAME.txt cannot hold
constexpr int TooLarge = 1002;        // NAME.txt, or what would be saved in it, above the size read
constexpr int NoJapaneseFont = 1003;  // no installed font draws Japanese
constexpr int AlreadyRunning = 1004;  // another copy runs on this profile and does not answer
} // namespace err

} // namespace mq
