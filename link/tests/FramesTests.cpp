#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "link/Dev.h"
#include "link/Frames.h"
#include "link/Port.h"
#include "RequestVectors.h"

using namespace zirv;
using linktest::Exchange;
using linktest::RequestCase;

namespace {

RequestFrame Build(const RequestCase& c)
{
    switch (c.Kind) {
    case Exchange::DeviceType: return BuildDeviceTypeRequest(c.Address);
    case Exchange::State: return BuildStateQuery(c.Address, c.First, c.Second);
    case Exchange::Speed: return BuildSetSpeedRequest(c.Address, c.First, c.Second);
    case Exchange::Config: return BuildWriteConfigRequest(c.Address, c.First, c.Second);
    }
    return {};
}

std::array<uint8_t, ReplySize> Sealed(std::array<uint8_t, ReplySize> reply)
{
    reply[7] = CalcCrc8(reply.data(), 7);
    return reply;
}

}  // namespace

TEST(Crc8, KnownVectors)
{
    EXPECT_EQ(CalcCrc8(nullptr, 0), 0);
    const char* check = "123456789";
    EXPECT_EQ(CalcCrc8(reinterpret_cast<const uint8_t*>(check), 9), 0xA1);
    for (const RequestCase& c : linktest::RequestCases()) {
        SCOPED_TRACE(c.Name);
        const uint32_t body = static_cast<uint32_t>(c.Bytes.size() - 1);
        EXPECT_EQ(CalcCrc8(c.Bytes.data(), body), c.Bytes.back());
        // A frame followed by its own CRC sums to zero: the table is a true CRC.
        EXPECT_EQ(CalcCrc8(c.Bytes.data(), body + 1), 0);
    }
}

TEST(RequestFrames, ExactBytes)
{
    for (const RequestCase& c : linktest::RequestCases()) {
        SCOPED_TRACE(c.Name);
        const RequestFrame frame = Build(c);
        ASSERT_EQ(frame.Length, c.Bytes.size());
        EXPECT_EQ(std::vector<uint8_t>(frame.Bytes.begin(), frame.Bytes.begin() + frame.Length), c.Bytes);
    }
}

TEST(RequestFrames, OnlyTheLowAddressByteIsSent)
{
    EXPECT_EQ(BuildDeviceTypeRequest(0x0101).Bytes[0], 0x01);
    EXPECT_EQ(BuildStateQuery(0x01FF, StateQueryFixedByte, KeyNone).Bytes[0], 0xFF);
}

TEST(Replies, CheckTable)
{
    const ReplyData untouched = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    const auto good = Sealed({0x01, ReplyState, 0x00, 0x7F, 0x21, 0x03, 0x32, 0});
    auto badCrc = good;
    badCrc[7] ^= 0x01;
    const auto wrongCode = Sealed({0x01, ReplyDeviceType, 0x00, 0x10, 0, 0, 0, 0});
    const auto foreign = Sealed({0x07, ReplyState, 0x00, 0x7F, 0x21, 0x03, 0x32, 0});
    struct Case {
        const char* Name;
        std::array<uint8_t, ReplySize> Reply;
        int32_t Result;
        bool Filled;
    };
    const Case cases[] = {
        {"good", good, ExchangeOk, true},
        {"bad CRC", badCrc, ExchangeBadCrc, false},
        {"wrong reply code", wrongCode, ExchangeWrongReply, false},
        {"foreign address byte", foreign, ExchangeOk, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ReplyData data = untouched;
        EXPECT_EQ(CheckReply(c.Reply, ReplyState, data), c.Result);
        const ReplyData expected = c.Filled ? ReplyData{c.Reply[2], c.Reply[3], c.Reply[4], c.Reply[5],
                                                        c.Reply[6], c.Reply[7]}
                                            : untouched;
        EXPECT_EQ(data, expected);
    }
}

TEST(StateDecoding, StatusByte)
{
    struct Case {
        uint8_t Status;
        uint8_t Alarm;
        int32_t SpeedCode;
        int32_t ModeIndex;   // starting from alignment (1)
    };
    const Case cases[] = {
        {0x8A, 1, 1, ModeAlignment},
        {0x21, 0, 4, ModeNormal},
        {0x14, 0, 2, ModeThreshold},
        {0x03, 0, 0, ModeAlignment},   // two mode bits at once: keep
        {0x05, 0, 0, ModeAlignment},
        {0x06, 0, 0, ModeAlignment},
        {0xFF, 1, 7, ModeAlignment},
        {0x00, 0, 0, ModeNone},
        {0x80, 1, 0, ModeNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "status 0x" << std::hex << int(c.Status));
        EXPECT_EQ(AlarmOf(c.Status), c.Alarm);
        EXPECT_EQ(SpeedCodeOf(c.Status), c.SpeedCode);
        EXPECT_EQ(ModeIndexFromBits(ModeBitsOf(c.Status), ModeAlignment), c.ModeIndex);
    }
}

TEST(StateDecoding, LetterAndSupply)
{
    EXPECT_EQ(LetterOf(0x0B), 3);
    EXPECT_EQ(LetterOf(0x08), 0);
    EXPECT_EQ(LetterOf(0xFF), 7);
    // Single-precision values, compared exactly: that is what the record keeps.
    EXPECT_EQ(SupplyVoltsOf(0), 2.5f);
    EXPECT_EQ(SupplyVoltsOf(50), 10.0f);
    EXPECT_EQ(SupplyVoltsOf(184), 30.1f);
    EXPECT_EQ(SupplyVoltsOf(255), 40.75f);
}

TEST(StateDecoding, ReplyBytes)
{
    const ReplyData data = {0x11, 0x7F, 0x21, 0x0B, 0x32, 0x99};
    const StateBytes state = StateBytesOf(data);
    EXPECT_EQ(state.Level, 0x7F);
    EXPECT_EQ(state.Status, 0x21);
    EXPECT_EQ(state.Letter, 0x0B);
    EXPECT_EQ(state.Supply, 0x32);
    EXPECT_EQ(DeviceTypeOf(data), 0x7F);
}

TEST(ModelTable, EveryRowAndTheCodesBetween)
{
    struct Row {
        uint8_t TypeCode;
        int32_t NameIndex;
        uint8_t Stored;
    };
    // The whole table: the second family stores the first family's codes under names of its
    // own, and the last five codes count down while their names count up.
    const Row rows[] = {
        {10, 1, 10},  {16, 2, 16},  {17, 3, 17},  {18, 4, 18},  {19, 5, 19},  {21, 6, 10},  {22, 7, 16},
        {23, 8, 17},  {31, 9, 18},  {37, 10, 37}, {36, 11, 36}, {35, 12, 35}, {34, 13, 34}, {33, 14, 33},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(int(row.TypeCode));
        const ModelEntry* entry = FindModel(row.TypeCode);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->NameIndex, row.NameIndex);
        EXPECT_EQ(entry->StoredTypeCode, row.Stored);
    }
    // Every other code names no detector.
    for (int code = 0; code <= 255; ++code) {
        const bool listed = std::any_of(std::begin(rows), std::end(rows),
                                        [&](const Row& row) { return row.TypeCode == code; });
        if (!listed)
            EXPECT_EQ(FindModel(static_cast<uint8_t>(code)), nullptr) << code;
    }
}

TEST(DetectorRecord, FullDecodingOfStateReplies)
{
    ZIRVWin32BasePort port;
    ZIRVZEBRA1 detector(7, port);
    EXPECT_EQ(&detector.Port, &port);
    EXPECT_EQ(detector.Address, 7);
    EXPECT_EQ(detector.ShownMode, 255);

    detector.DecodeState({0x00, 190, 0x8A, 0x0B, 184, 0x5C});
    EXPECT_EQ(detector.Level, 190);
    EXPECT_EQ(detector.ModeIndex, ModeAlignment);
    EXPECT_EQ(detector.Alarm, 1);
    EXPECT_EQ(detector.Letter, 3);
    EXPECT_EQ(detector.SupplyRaw, 184);
    EXPECT_EQ(detector.SupplyVolts, 30.1f);
    EXPECT_EQ(detector.SpeedCode, 1);

    // Two mode bits at once keep the mode; every other field follows the reply.
    detector.DecodeState({0x00, 12, 0x23, 0x08, 0, 0x00});
    EXPECT_EQ(detector.ModeIndex, ModeAlignment);
    EXPECT_EQ(detector.Level, 12);
    EXPECT_EQ(detector.Alarm, 0);
    EXPECT_EQ(detector.Letter, 0);
    EXPECT_EQ(detector.SupplyVolts, 2.5f);
    EXPECT_EQ(detector.SpeedCode, 4);

    detector.DecodeState({0x00, 12, 0x20, 0x08, 0, 0x00});
    EXPECT_EQ(detector.ModeIndex, ModeNone);
}
