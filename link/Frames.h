#pragma once
// The detector line's frames: CRC-8, request building, reply checking, the
// decoding of the state reply and the table of device type codes. Pure
// arithmetic, no port and no windows.h, so it can be tested on its own.

#include <array>
#include <cstdint>

namespace zirv {

// Results of one request/reply exchange.
constexpr int32_t ExchangeOk = 0;
constexpr int32_t ExchangePortFailed = -1;   // the write failed or the reply did not arrive whole
constexpr int32_t ExchangeBadCrc = -2;       // the reply's CRC byte does not match bytes 0 to 6
constexpr int32_t ExchangeWrongReply = -3;   // good CRC, but not the reply code the request asks for

// Request addresses: 0 to 31 reach one detector, 0xFF every detector at once.
constexpr uint8_t BroadcastAddress = 0xFF;

// Command codes of the requests and the reply codes that answer them.
constexpr uint8_t CmdWriteConfig = 0x00;
constexpr uint8_t CmdQueryState = 0x02;
constexpr uint8_t CmdReadDeviceType = 0x05;
constexpr uint8_t ReplyWriteConfig = 0x40;
constexpr uint8_t ReplyState = 0x42;
constexpr uint8_t ReplyDeviceType = 0x46;

// The byte after the command code of every state query and speed change.
constexpr uint8_t StateQueryFixedByte = 0x23;

// Key bytes of a state query: the key held down until a query with KeyNone.
constexpr uint8_t KeyNone = 0;
constexpr uint8_t KeyThreshold = 1;
constexpr uint8_t KeyMode = 2;

// Sub-commands of a configuration write.
constexpr uint8_t ConfigAddress = 0;
constexpr uint8_t ConfigLineSpeed = 1;
constexpr uint8_t ConfigNumberZero = 3;

constexpr uint32_t ReplySize = 8;

// Reply bytes 2 to 7, as an exchange hands them to its caller.
using ReplyData = std::array<uint8_t, 6>;

// A request ready for the port: 3 bytes (device type) or 8 (all others).
struct RequestFrame {
    std::array<uint8_t, 8> Bytes{};
    uint32_t Length = 0;
};

// CRC-8/MAXIM (reflected polynomial 0x8C, initial 0, no final xor); 0 for length 0.
uint8_t CalcCrc8(const uint8_t* data, uint32_t length);

// The low byte of the address is what goes on the line.
RequestFrame BuildDeviceTypeRequest(uint16_t address);
RequestFrame BuildStateQuery(uint16_t address, uint8_t fixedByte, uint8_t key);
RequestFrame BuildSetSpeedRequest(uint16_t address, uint8_t fixedByte, uint8_t speedCode);
RequestFrame BuildWriteConfigRequest(uint16_t address, uint8_t subCommand, uint8_t value);

// Checks a whole 8-byte reply; on ExchangeOk copies bytes 2 to 7 into data,
// otherwise leaves data as it was. The address byte is not compared.
int32_t CheckReply(const std::array<uint8_t, ReplySize>& reply, uint8_t expectedCode, ReplyData& data);

// The state reply as it sits in ReplyData (data byte n is reply byte n + 2).
struct StateBytes {
    uint8_t Level;
    uint8_t Status;   // bit 7 alarm, bits 3 to 5 speed class code, bits 0 to 2 mode bits
    uint8_t Letter;
    uint8_t Supply;
};
StateBytes StateBytesOf(const ReplyData& data);

// The device type code of a device-type reply.
uint8_t DeviceTypeOf(const ReplyData& data);

// Mode bits of the status byte: 1 normal, 2 alignment, 4 threshold, 0 none.
constexpr uint8_t ModeBitsNormal = 1;
constexpr uint8_t ModeBitsAlignment = 2;
constexpr uint8_t ModeBitsThreshold = 4;
uint8_t ModeBitsOf(uint8_t status);

// ModeIndex values: 0 normal, 1 alignment, 2 threshold, 10 no mode reported.
constexpr int32_t ModeNormal = 0;
constexpr int32_t ModeAlignment = 1;
constexpr int32_t ModeThreshold = 2;
constexpr int32_t ModeNone = 10;
// Bits that name no single mode (3, 5, 6, 7) keep the current index.
int32_t ModeIndexFromBits(uint8_t modeBits, int32_t current);

uint8_t AlarmOf(uint8_t status);
int32_t SpeedCodeOf(uint8_t status);
int32_t LetterOf(uint8_t letterByte);
float SupplyVoltsOf(uint8_t supplyRaw);

// One row of the model table: a device type code, the entry of the model-name
// list (1 to 14) that names it and the type code the detector record keeps.
struct ModelEntry {
    uint8_t TypeCode;
    int32_t NameIndex;
    uint8_t StoredTypeCode;
};
// nullptr for a code that names no known detector.
const ModelEntry* FindModel(uint8_t typeCode);

}  // namespace zirv
