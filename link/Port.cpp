#include "link/Port.h"

#include <array>

namespace {

uint32_t SystemTicks() { return GetTickCount(); }
void SystemSleep(uint32_t ms) { ::Sleep(ms); }

constexpr std::array<DWORD, 5> BaudRates = {CBR_1200, CBR_2400, CBR_4800, CBR_9600, CBR_19200};
constexpr uint32_t LastParityIndex = SPACEPARITY;
constexpr uint32_t LastStopBitsIndex = TWOSTOPBITS;

DWORD BaudRateOf(uint32_t index)
{
    return index < BaudRates.size() ? BaudRates[index] : CBR_1200;
}

// A read of n bytes ends after n + T ms at most, earlier once bytes have begun
// to arrive and T ms pass without another; a write of n bytes may take n + T ms.
COMMTIMEOUTS TimeoutsOf(uint32_t timeoutMs)
{
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = timeoutMs;
    timeouts.ReadTotalTimeoutMultiplier = 1;
    timeouts.ReadTotalTimeoutConstant = timeoutMs;
    timeouts.WriteTotalTimeoutMultiplier = 1;
    timeouts.WriteTotalTimeoutConstant = timeoutMs;
    return timeouts;
}

}  // namespace

namespace zirv {

TickClock PortClock = {SystemTicks, SystemSleep};

void WaitMinGap(const TickClock& clock, uint32_t lastTick, uint32_t minGapMs)
{
    while (static_cast<uint32_t>(clock.Ticks() - lastTick) < minGapMs)
        clock.Sleep(1);
}

void ApplyLineSettings(DCB& dcb, const PortSettings& settings)
{
    dcb.BaudRate = BaudRateOf(settings.BaudIndex);
    dcb.ByteSize = 8;
    dcb.fParity = 1;
    if (settings.ParityIndex <= LastParityIndex)
        dcb.Parity = static_cast<BYTE>(settings.ParityIndex);
    if (settings.StopBitsIndex <= LastStopBitsIndex)
        dcb.StopBits = static_cast<BYTE>(settings.StopBitsIndex);
    dcb.fAbortOnError = 1;
}

}  // namespace zirv

using zirv::PortClock;

ZIRVWin32BasePort::ZIRVWin32BasePort()
    : Settings{nullptr, 0, 3, NOPARITY, TWOSTOPBITS, 100, 0}, LastIoTick(PortClock.Ticks())
{
    InitializeCriticalSection(&WriteLock);
}

ZIRVWin32BasePort::~ZIRVWin32BasePort()
{
    Close();
    DeleteCriticalSection(&WriteLock);
}

int32_t ZIRVWin32BasePort::Configure(const PortSettings& settings)
{
    Close();
    // The caller's block may be our own Settings: copy both before replacing either.
    const PortSettings copy = settings;
    std::string path = copy.DevicePath ? copy.DevicePath : "";
    Settings = copy;
    OwnDevicePath = std::move(path);
    Settings.DevicePath = copy.DevicePath ? OwnDevicePath.c_str() : nullptr;
    return 0;
}

int32_t ZIRVWin32BasePort::Open()
{
    if (!Settings.DevicePath)
        return -1;
    HANDLE handle = CreateFileA(Settings.DevicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        Handle = nullptr;
        return -1;
    }
    Handle = handle;

    // Speed and framing are best effort: the port stays open with what took effect.
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (GetCommState(Handle, &dcb)) {
        zirv::ApplyLineSettings(dcb, Settings);
        SetCommState(Handle, &dcb);
    }

    // Without its timeouts a read could block for ever: such a port is no port.
    COMMTIMEOUTS timeouts{};
    if (!GetCommTimeouts(Handle, &timeouts)) {
        Close();
        return -1;
    }
    timeouts = TimeoutsOf(Settings.TimeoutMs);
    if (!SetCommTimeouts(Handle, &timeouts)) {
        Close();
        return -1;
    }

    PurgeComm(Handle, PURGE_RXABORT | PURGE_RXCLEAR);
    return 0;
}

int32_t ZIRVWin32BasePort::Close()
{
    if (Handle) {
        CloseHandle(Handle);
        Handle = nullptr;
    }
    return 0;
}

int32_t ZIRVWin32BasePort::Write(const uint8_t* data, uint32_t& length)
{
    zirv::WaitMinGap(PortClock, LastIoTick, Settings.MinGapMs);

    EnterCriticalSection(&WriteLock);
    DWORD written = 0;
    int32_t result = -1;
    if (Handle) {
        // Nothing left over from an earlier exchange may pass for the coming reply.
        if (!PurgeComm(Handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_RXCLEAR)) {
            DWORD errors = 0;
            ClearCommError(Handle, &errors, nullptr);   // leaves the abort-on-error state
        }
        if (WriteFile(Handle, data, length, &written, nullptr) && written == length)
            result = 0;
    }
    length = written;
    LeaveCriticalSection(&WriteLock);

    LastIoTick = PortClock.Ticks();
    return result;
}

int32_t ZIRVWin32BasePort::Read(uint8_t* buffer, uint32_t& length)
{
    DWORD received = 0;
    int32_t result = -1;
    if (Handle && ReadFile(Handle, buffer, length, &received, nullptr) && received == length)
        result = 0;
    length = received;
    LastIoTick = PortClock.Ticks();
    return result;
}
