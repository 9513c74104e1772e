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

// Numbers shared by the profile code and the windows.
namespace err {
constexpr int FileNotFound = 53;      // ファイルが見つかりません
constexpr int FileAlreadyOpen = 55;   // kept for the reader/writer channel guard
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathAccess = 75;        // a folder or something else where the file should be
constexpr int DeviceIo = 57;
constexpr int CannotCreateObject = 429;
constexpr int OutOfMemory = 7;
constexpr int Unencodable = 1001;     // a character NAME.txt cannot hold
constexpr int Internal = 51;
} // namespace err

} // namespace mq
