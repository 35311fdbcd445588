#pragma once
// The serial port through which the tool talks to the detectors: it moves
// bytes, keeps a minimum gap between exchanges, serialises writes and reports
// each operation as 0 (success) or -1 (failure). It knows nothing of frames.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

// The seven words with which a caller configures the port; copied whole.
struct PortSettings {
    const char* DevicePath;   // e.g. "\\.\COM3"; the port object keeps its own copy
    int32_t PortNumber;       // n of COMn; carried along, not used by the port object
    uint32_t BaudIndex;       // 0 1200, 1 2400, 2 4800, 3 9600, 4 19200; any other value 1200
    uint32_t ParityIndex;     // 0 none, 1 odd, 2 even, 3 mark, 4 space; other values keep the port's parity
    uint32_t StopBitsIndex;   // 0 one, 1 one and a half, 2 two; other values keep the port's stop bits
    uint32_t TimeoutMs;       // read and write timeouts
    uint32_t MinGapMs;        // least time from the end of one operation to the start of the next write
};

namespace zirv {

// The time source of the port object: milliseconds that wrap after about
// 49.7 days, and a sleep. Tests swap it to drive time themselves.
struct TickClock {
    uint32_t (*Ticks)();
    void (*Sleep)(uint32_t ms);
};

// The clock every port object uses: the system tick count and Sleep.
extern TickClock PortClock;

// Sleeps in 1 ms steps until minGapMs have passed since lastTick. The
// difference is taken unsigned, so the wrap of the tick count is harmless.
void WaitMinGap(const TickClock& clock, uint32_t lastTick, uint32_t minGapMs);

// Changes in a device control block only what the settings decide: speed,
// 8 data bits, parity checking, parity and stop bits when their index is in
// range, abort on error. Every other field keeps the port's value.
void ApplyLineSettings(DCB& dcb, const PortSettings& settings);

}  // namespace zirv

// The one serial port of the tool, shared by the GUI thread and the poll thread.
class ZIRVWin32BasePort {
public:
    ZIRVWin32BasePort();
    ~ZIRVWin32BasePort();
    ZIRVWin32BasePort(const ZIRVWin32BasePort&) = delete;
    ZIRVWin32BasePort& operator=(const ZIRVWin32BasePort&) = delete;

    // Closes the port and takes a copy of the settings and of the path string.
    int32_t Configure(const PortSettings& settings);
    int32_t Open();
    int32_t Close();
    // length: on entry the bytes to move, on return the bytes moved.
    int32_t Write(const uint8_t* data, uint32_t& length);
    int32_t Read(uint8_t* buffer, uint32_t& length);

    HANDLE Handle = nullptr;   // nullptr while closed
    PortSettings Settings;
    std::atomic<uint32_t> LastIoTick;   // end of the last Write or Read, from either thread
    CRITICAL_SECTION WriteLock;

private:
    std::string OwnDevicePath;   // what Settings.DevicePath points to once configured
};

// The port type of the device classes' declarations; it adds nothing.
class ZIRVComPort : public ZIRVWin32BasePort {
};
