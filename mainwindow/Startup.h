#pragma once
// Start-up's own values and rules: the single-instance name, where the update check looks, when a
// version counts as newer, and the file name of a detector's manual.
#include "vcl/system.h"

#include <cstdint>

// The name of the mutex that keeps the program to one instance (see the definition for the
// environment's override).
vcl::String InstanceMutexName();

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

// The maker's update server, unless the environment overrides it (see the definition).
TUpdateServer UpdateServer();
