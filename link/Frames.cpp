#include "link/Frames.h"

#include <algorithm>

namespace zirv {

namespace {

// x^8 + x^5 + x^4 + 1, processed least significant bit first.
constexpr uint8_t CrcPolynomial = 0x8C;

constexpr std::array<uint8_t, 256> MakeCrcTable()
{
    std::array<uint8_t, 256> table{};
    for (unsigned value = 0; value < 256; ++value) {
        unsigned crc = value;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ CrcPolynomial : crc >> 1;
        table[value] = static_cast<uint8_t>(crc);
    }
    return table;
}

constexpr std::array<uint8_t, 256> CrcTable = MakeCrcTable();

// An 8-byte request: address, command, five data bytes, CRC.
RequestFrame LongRequest(uint16_t address, uint8_t command, std::array<uint8_t, 5> data)
{
    RequestFrame frame;
    frame.Length = 8;
    frame.Bytes[0] = static_cast<uint8_t>(address);
    frame.Bytes[1] = command;
    std::copy(data.begin(), data.end(), frame.Bytes.begin() + 2);
    frame.Bytes[7] = CalcCrc8(frame.Bytes.data(), 7);
    return frame;
}

// In the order of the model-name list; codes 33 to 37 count down as the names count up.
constexpr ModelEntry ModelTable[] = {
    {10, 1, 10}, {16, 2, 16}, {17, 3, 17}, {18, 4, 18}, {19, 5, 19},
    {21, 6, 10}, {22, 7, 16}, {23, 8, 17}, {31, 9, 18},
    {37, 10, 37}, {36, 11, 36}, {35, 12, 35}, {34, 13, 34}, {33, 14, 33},
};

}  // namespace

uint8_t CalcCrc8(const uint8_t* data, uint32_t length)
{
    uint8_t crc = 0;
    for (uint32_t i = 0; i < length; ++i)
        crc = CrcTable[crc ^ data[i]];
    return crc;
}

RequestFrame BuildDeviceTypeRequest(uint16_t address)
{
    RequestFrame frame;
    frame.Length = 3;
    frame.Bytes[0] = static_cast<uint8_t>(address);
    frame.Bytes[1] = CmdReadDeviceType;
    frame.Bytes[2] = CalcCrc8(frame.Bytes.data(), 2);
    return frame;
}

RequestFrame BuildStateQuery(uint16_t address, uint8_t fixedByte, uint8_t key)
{
    return LongRequest(address, CmdQueryState, {fixedByte, key, 0, 0, 0});
}

RequestFrame BuildSetSpeedRequest(uint16_t address, uint8_t fixedByte, uint8_t speedCode)
{
    return LongRequest(address, CmdQueryState, {fixedByte, 0, speedCode, 0, 0});
}

RequestFrame BuildWriteConfigRequest(uint16_t address, uint8_t subCommand, uint8_t value)
{
    return LongRequest(address, CmdWriteConfig, {subCommand, value, 0, 0, 0});
}

int32_t CheckReply(const std::array<uint8_t, ReplySize>& reply, uint8_t expectedCode, ReplyData& data)
{
    if (CalcCrc8(reply.data(), ReplySize - 1) != reply[ReplySize - 1])
        return ExchangeBadCrc;
    if (reply[1] != expectedCode)
        return ExchangeWrongReply;
    std::copy(reply.begin() + 2, reply.end(), data.begin());
    return ExchangeOk;
}

StateBytes StateBytesOf(const ReplyData& data)
{
    return {data[1], data[2], data[3], data[4]};
}

uint8_t DeviceTypeOf(const ReplyData& data)
{
    return data[1];
}

uint8_t ModeBitsOf(uint8_t status)
{
    return status & 7;
}

int32_t ModeIndexFromBits(uint8_t modeBits, int32_t current)
{
    switch (modeBits) {
    case 0: return ModeNone;
    case ModeBitsNormal: return ModeNormal;
    case ModeBitsAlignment: return ModeAlignment;
    case ModeBitsThreshold: return ModeThreshold;
    default: return current;
    }
}

uint8_t AlarmOf(uint8_t status)
{
    return status >> 7;
}

int32_t SpeedCodeOf(uint8_t status)
{
    return (status & 0x3F) >> 3;
}

int32_t LetterOf(uint8_t letterByte)
{
    return letterByte & 7;
}

float SupplyVoltsOf(uint8_t supplyRaw)
{
    // Computed wide and stored as a single, as the record keeps it.
    return static_cast<float>(supplyRaw * 0.15 + 2.5);
}

const ModelEntry* FindModel(uint8_t typeCode)
{
    for (const ModelEntry& entry : ModelTable)
        if (entry.TypeCode == typeCode)
            return &entry;
    return nullptr;
}

}  // namespace zirv
