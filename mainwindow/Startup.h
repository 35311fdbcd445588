#pragma once
// Start-up's own values and rules: where the update check looks, when a version counts as newer,
// and the file name of a detector's manual. The single-instance name and the update server in
// force are program seams (Seams.h), so that tests can give each process its own.
#include "vcl/system.h"

#include <cstdint>

// The name of the mutex that keeps the shipped program to one instance.
inline constexpr wchar_t InstanceMutexName[] = L"MutexOfTheZirvane";

// The program's own version as the update check compares it; the caption's version is another.
inline constexpr float OwnVersion = 2.4f;

// True when the version file's number, taken to single precision, is above our own; a number
// that does not compare (not a number) is not newer.
bool IsNewerVersion(double fileVersion);

// The manual of the current detector: "rus" or "eng" by language, then "50.pdf" or "500.pdf" by
// the detector's type code; each part is empty for a value outside its list.
vcl::String ManualFileName(int32_t language, uint8_t typeCode);

// Where the update check connects and how long it waits for each answer.
struct TUpdateServer {
    vcl::String Host;
    uint16_t Port = 21;
    int32_t ReadTimeoutMs = 60000;
};

// The maker's update server.
TUpdateServer MakersUpdateServer();
