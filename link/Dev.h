#pragma once
// Devices on the detector line: the request/reply exchanges and the current
// detector's state record.

#include <cstdint>
#include <mutex>

#include "link/Frames.h"

class ZIRVWin32BasePort;

// A device on the serial line. The port is shared, not owned.
class ZIRVMBDevice {
public:
    ZIRVMBDevice(uint16_t address, ZIRVWin32BasePort& port);
    virtual ~ZIRVMBDevice() = default;
    ZIRVMBDevice(const ZIRVMBDevice&) = delete;
    ZIRVMBDevice& operator=(const ZIRVMBDevice&) = delete;

    // Kept abstract so that only a concrete detector is ever made.
    virtual void Reserved() = 0;

    // Each exchange sends one request to the given address (its low byte) and
    // checks the 8-byte reply; on zirv::ExchangeOk the buffer holds reply bytes
    // 2 to 7, on any other result it is left as it was.
    int32_t ReadDeviceType(uint16_t address, zirv::ReplyData& buffer);
    int32_t QueryState(uint16_t address, uint8_t fixedByte, uint8_t key, zirv::ReplyData& buffer);
    int32_t SetSpeed(uint16_t address, uint8_t fixedByte, uint8_t speedCode, zirv::ReplyData& buffer);
    int32_t WriteConfig(uint16_t address, uint8_t subCommand, uint8_t value, zirv::ReplyData& buffer);

    ZIRVWin32BasePort& Port;
    uint16_t Address;
    uint8_t TypeCode = 0;
    uint8_t Alarm = 0;
    int32_t ModeIndex = zirv::ModeNone;
    int32_t Letter = 0;
    int32_t SupplyRaw = 0;
    float SupplyVolts = 0.0f;
    int32_t Level = 0;
    int32_t PrevLevel = 0;

private:
    int32_t Exchange(const zirv::RequestFrame& request, uint8_t replyCode, zirv::ReplyData& buffer);

    // Keeps a request and its reply together when two threads share the port.
    std::mutex ExchangeLock;
};

// The current detector: the device together with its last known state.
class ZIRVZEBRA1 : public ZIRVMBDevice {
public:
    ZIRVZEBRA1(uint16_t address, ZIRVWin32BasePort& port);

    void Reserved() override {}

    // The full decoding of a state reply, as the poll thread applies it.
    void DecodeState(const zirv::ReplyData& buffer);

    // Matches no mode, so that the first good reply sets up its view.
    static constexpr int32_t NoModeYet = 255;

    int32_t ShownMode = NoModeYet;
    int32_t PrevMode = NoModeYet;
    int32_t LastMode = NoModeYet;
    int32_t SpeedCode = 0;
    uint8_t Threshold = 0;
};
