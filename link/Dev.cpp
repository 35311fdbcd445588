#include "link/Dev.h"

#include "link/Port.h"

using namespace zirv;

ZIRVMBDevice::ZIRVMBDevice(uint16_t address, ZIRVWin32BasePort& port)
    : Port(port), Address(address)
{
}

int32_t ZIRVMBDevice::Exchange(const RequestFrame& request, uint8_t replyCode, ReplyData& buffer)
{
    std::lock_guard<std::mutex> hold(ExchangeLock);
    uint32_t length = request.Length;
    if (Port.Write(request.Bytes.data(), length) != 0)
        return ExchangePortFailed;
    std::array<uint8_t, ReplySize> reply{};
    length = ReplySize;
    if (Port.Read(reply.data(), length) != 0)
        return ExchangePortFailed;
    return CheckReply(reply, replyCode, buffer);
}

int32_t ZIRVMBDevice::ReadDeviceType(uint16_t address, ReplyData& buffer)
{
    return Exchange(BuildDeviceTypeRequest(address), ReplyDeviceType, buffer);
}

int32_t ZIRVMBDevice::QueryState(uint16_t address, uint8_t fixedByte, uint8_t key, ReplyData& buffer)
{
    return Exchange(BuildStateQuery(address, fixedByte, key), ReplyState, buffer);
}

int32_t ZIRVMBDevice::SetSpeed(uint16_t address, uint8_t fixedByte, uint8_t speedCode, ReplyData& buffer)
{
    return Exchange(BuildSetSpeedRequest(address, fixedByte, speedCode), ReplyState, buffer);
}

int32_t ZIRVMBDevice::WriteConfig(uint16_t address, uint8_t subCommand, uint8_t value, ReplyData& buffer)
{
    return Exchange(BuildWriteConfigRequest(address, subCommand, value), ReplyWriteConfig, buffer);
}

ZIRVZEBRA1::ZIRVZEBRA1(uint16_t address, ZIRVWin32BasePort& port)
    : ZIRVMBDevice(address, port)
{
}

void ZIRVZEBRA1::DecodeState(const ReplyData& buffer)
{
    const StateBytes state = StateBytesOf(buffer);
    Level = state.Level;
    ModeIndex = ModeIndexFromBits(ModeBitsOf(state.Status), ModeIndex);
    Alarm = AlarmOf(state.Status);
    Letter = LetterOf(state.Letter);
    SupplyRaw = state.Supply;
    SupplyVolts = SupplyVoltsOf(state.Supply);
    SpeedCode = SpeedCodeOf(state.Status);
}
