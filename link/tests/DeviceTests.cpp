#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "RequestVectors.h"
#include "detsim_client.h"
#include "link/Dev.h"
#include "link/Port.h"

using namespace zirv;
using linktest::Exchange;
using linktest::RequestCase;
using testsupport::DetsimClient;

namespace {

constexpr uint32_t Baud1200 = 0;
constexpr uint32_t Baud9600 = 3;
constexpr uint32_t Baud19200 = 4;

int32_t RunExchange(ZIRVMBDevice& device, const RequestCase& c, ReplyData& buffer)
{
    switch (c.Kind) {
    case Exchange::DeviceType: return device.ReadDeviceType(c.Address, buffer);
    case Exchange::State: return device.QueryState(c.Address, c.First, c.Second, buffer);
    case Exchange::Speed: return device.SetSpeed(c.Address, c.First, c.Second, buffer);
    case Exchange::Config: return device.WriteConfig(c.Address, c.First, c.Second, buffer);
    }
    return ExchangePortFailed;
}

// Reply bytes 2 to 7 of the reply whose bytes 0 to 6 are given.
ReplyData DataOfReply(std::array<uint8_t, 7> body)
{
    return {body[2], body[3], body[4], body[5], body[6], CalcCrc8(body.data(), 7)};
}

// The current detector at address 1 over a port on a simulated line of its own.
class DetectorLine : public testing::Test {
protected:
    void StartLine(const std::vector<std::string>& detectors)
    {
        Com = Sim.CreateLine(detectors);
        Path = testsupport::ComDevicePath(Com);
        OpenAt(Baud1200);
    }

    // The search's settings: no parity, one stop bit, 200 ms timeout, no gap.
    void OpenAt(uint32_t baudIndex)
    {
        ASSERT_EQ(Port.Configure({Path.c_str(), Com, baudIndex, 0, 0, 200, 0}), 0);
        ASSERT_EQ(Port.Open(), 0);
    }

    // One state query with the key byte to address 1; the reply is decoded into the record.
    ReplyData Query(uint8_t key)
    {
        ReplyData buffer{};
        EXPECT_EQ(Detector.QueryState(1, StateQueryFixedByte, key, buffer), ExchangeOk);
        Detector.DecodeState(buffer);
        return buffer;
    }

    // A press and its release; the level that the press's reply reports.
    int32_t Press(uint8_t key)
    {
        const int32_t level = StateBytesOf(Query(key)).Level;
        EXPECT_EQ(StateBytesOf(Query(KeyNone)).Level, level);
        return level;
    }

    int32_t TypeAt(uint16_t address)
    {
        ReplyData buffer{};
        const int32_t result = Detector.ReadDeviceType(address, buffer);
        return result == ExchangeOk ? DeviceTypeOf(buffer) : result;
    }

    DetsimClient Sim;
    int Com = 0;
    std::string Path;
    ZIRVWin32BasePort Port;
    ZIRVZEBRA1 Detector{1, Port};
};

}  // namespace

TEST_F(DetectorLine, RequestsReachTheLineByteForByte)
{
    StartLine({"1:16"});
    for (const RequestCase& c : linktest::RequestCases()) {
        SCOPED_TRACE(c.Name);
        Sim.Frames(Com, true);
        ReplyData buffer{};
        RunExchange(Detector, c, buffer);
        const auto frames = Sim.Frames(Com, true);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].Bytes, c.Bytes);
        EXPECT_TRUE(frames[0].Complete);
        EXPECT_EQ(frames[0].Line.Baud, 1200);
    }
}

TEST_F(DetectorLine, RepliesAsTheyArrive)
{
    StartLine({"1:16:level=120:letter=3:supply=50:speed=4"});
    // Status 0x21: speed class 4, normal mode.
    const ReplyData good = DataOfReply({0x01, ReplyState, 0x00, 120, 0x21, 3, 50});
    const ReplyData untouched = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    struct Case {
        const char* Fault;
        int32_t Result;
        ReplyData Buffer;
    };
    const Case cases[] = {
        {"none", ExchangeOk, good},
        // The address byte is not compared; only the CRC byte of the data differs.
        {"foreign_address", ExchangeOk, DataOfReply({0x02, ReplyState, 0x00, 120, 0x21, 3, 50})},
        {"bad_crc", ExchangeBadCrc, untouched},
        {"wrong_code", ExchangeWrongReply, untouched},
        {"short_reply", ExchangePortFailed, untouched},
        {"no_reply", ExchangePortFailed, untouched},
        {"late_reply", ExchangePortFailed, untouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Fault);
        Sim.SetDetector(Com, 0, "fault", c.Fault);
        ReplyData buffer = untouched;
        EXPECT_EQ(Detector.QueryState(1, StateQueryFixedByte, KeyNone, buffer), c.Result);
        EXPECT_EQ(buffer, c.Buffer);
    }
}

TEST_F(DetectorLine, ModeKeyCyclesNormalAlignmentThreshold)
{
    StartLine({"1:16:level=120:align_level=170:threshold=1.8"});
    Query(KeyNone);
    EXPECT_EQ(Detector.ModeIndex, ModeNormal);

    // The reply to a press already shows the new mode and its level.
    EXPECT_EQ(StateBytesOf(Query(KeyMode)).Level, 170);
    EXPECT_EQ(Detector.ModeIndex, ModeAlignment);
    // The key still held: a second press does nothing until it is released.
    Query(KeyMode);
    EXPECT_EQ(Detector.ModeIndex, ModeAlignment);
    Query(KeyNone);

    EXPECT_EQ(Press(KeyMode), 114);   // in threshold mode the level is the threshold, 1.8 V
    EXPECT_EQ(Detector.ModeIndex, ModeThreshold);
    EXPECT_EQ(Press(KeyMode), 120);
    EXPECT_EQ(Detector.ModeIndex, ModeNormal);
    EXPECT_EQ(Sim.Detectors(Com)[0]["mode"].Text, "normal");
}

TEST_F(DetectorLine, SixteenThresholdPressesComeBackToTheStart)
{
    StartLine({"1:16"});
    Press(KeyMode);
    Press(KeyMode);
    ASSERT_EQ(Detector.ModeIndex, ModeThreshold);
    ASSERT_EQ(StateBytesOf(Query(KeyNone)).Level, 158);   // 2.5 V

    // 2.4 V down to 1.0 V, then round to 2.5 V: raw = round(V * 190 / 3).
    const int32_t levels[16] = {152, 146, 139, 133, 127, 120, 114, 108, 101, 95, 89, 82, 76, 70, 63, 158};
    for (int press = 0; press < 16; ++press) {
        SCOPED_TRACE(press + 1);
        EXPECT_EQ(Press(KeyThreshold), levels[press]);
    }
    EXPECT_EQ(Sim.Detectors(Com)[0]["threshold"].Number, 2.5);
}

TEST_F(DetectorLine, SpeedClassShowsInItsReply)
{
    StartLine({"1:16:speed=1"});
    ReplyData buffer{};
    ASSERT_EQ(Detector.SetSpeed(1, StateQueryFixedByte, 4, buffer), ExchangeOk);
    EXPECT_EQ(SpeedCodeOf(StateBytesOf(buffer).Status), 4);
    EXPECT_EQ(Sim.Detectors(Com)[0]["speed"].Int(), 4);
}

TEST_F(DetectorLine, NewAddressTakesEffectAfterTheReply)
{
    StartLine({"1:16", "2:21"});
    ReplyData buffer{};
    EXPECT_EQ(Detector.WriteConfig(1, ConfigAddress, 5, buffer), ExchangeOk);
    EXPECT_EQ(TypeAt(1), ExchangePortFailed);
    EXPECT_EQ(TypeAt(5), 16);
    EXPECT_EQ(TypeAt(2), 21);

    // "New number 0" is a sub-command of its own.
    EXPECT_EQ(Detector.WriteConfig(5, ConfigNumberZero, 0, buffer), ExchangeOk);
    EXPECT_EQ(TypeAt(0), 16);
    EXPECT_EQ(Sim.Detectors(Com)[0]["address"].Int(), 0);
}

TEST_F(DetectorLine, AfterTheLineSpeedBroadcastOnly19200IsAnswered)
{
    StartLine({"1:16", "2:21"});
    ReplyData buffer{};
    EXPECT_EQ(Detector.WriteConfig(BroadcastAddress, ConfigLineSpeed, Baud19200, buffer), ExchangePortFailed);
    EXPECT_EQ(TypeAt(1), ExchangePortFailed);
    OpenAt(Baud9600);
    EXPECT_EQ(TypeAt(1), ExchangePortFailed);
    OpenAt(Baud19200);
    EXPECT_EQ(TypeAt(1), 16);
    EXPECT_EQ(TypeAt(2), 21);
}

// A detector answers only requests it understands; every other one gets silence and changes
// nothing, whatever it asks for.
TEST_F(DetectorLine, RequestsADetectorWouldNotUnderstandGetNoReply)
{
    StartLine({"1:16:speed=1"});
    struct Case {
        const char* Name;
        std::vector<uint8_t> Body;  // the request without its CRC byte
    };
    const Case cases[] = {
        {"fixed byte 0x24", {0x01, 0x02, 0x24, 0x02, 0x00, 0x00, 0x00}},
        {"fixed byte 0x00", {0x01, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"junk in byte 5", {0x01, 0x02, 0x23, 0x00, 0x00, 0x01, 0x00}},
        {"junk in byte 6", {0x01, 0x02, 0x23, 0x02, 0x00, 0x00, 0x80}},
        {"byte 4 no speed code", {0x01, 0x02, 0x23, 0x00, 0x03, 0x00, 0x00}},
        {"speed code beside a key", {0x01, 0x02, 0x23, 0x02, 0x04, 0x00, 0x00}},
        {"sub-command 2", {0x01, 0x00, 0x02, 0x05, 0x00, 0x00, 0x00}},
        {"sub-command 0xFF", {0x01, 0x00, 0xFF, 0x05, 0x00, 0x00, 0x00}},
        {"junk after a new address", {0x01, 0x00, 0x00, 0x05, 0x01, 0x00, 0x00}},
        {"junk after a line speed", {0x01, 0x00, 0x01, 0x04, 0x00, 0x00, 0x10}},
        {"unknown command 0x07", {0x01, 0x07, 0x23, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> frame = c.Body;
        frame.push_back(CalcCrc8(frame.data(), static_cast<uint32_t>(frame.size())));
        uint32_t count = static_cast<uint32_t>(frame.size());
        ASSERT_EQ(Port.Write(frame.data(), count), 0);
        uint8_t reply[ReplySize];
        count = ReplySize;
        EXPECT_EQ(Port.Read(reply, count), -1);
        EXPECT_EQ(count, 0u);
    }
    // Nothing was pressed, renumbered, switched or set on the way.
    const auto state = Sim.Detectors(Com)[0];
    EXPECT_EQ(state["address"].Int(), 1);
    EXPECT_EQ(state["mode"].Text, "normal");
    EXPECT_EQ(state["baud"].Int(), 1200);
    EXPECT_EQ(state["speed"].Int(), 1);
    // The same line answers what it understands, the speed command with its code in byte 4 too.
    ReplyData buffer{};
    EXPECT_EQ(Detector.SetSpeed(1, StateQueryFixedByte, 4, buffer), ExchangeOk);
    EXPECT_EQ(TypeAt(1), 16);
}

// A detector hears a frame only in its own framing: its speed, no parity and one stop bit. (A
// pseudo-terminal always reports 8 data bits, so a line set to fewer cannot be told apart.)
TEST_F(DetectorLine, FramesInAnotherFramingGetNoReply)
{
    StartLine({"1:16"});
    struct Case {
        const char* Name;
        uint32_t Baud, Parity, StopBits;
        int32_t Type;
    };
    const Case cases[] = {
        {"its own", Baud1200, 0, 0, 16},
        {"another speed", Baud9600, 0, 0, ExchangePortFailed},
        {"two stop bits", Baud1200, 0, 2, ExchangePortFailed},
        {"even parity", Baud1200, 2, 0, ExchangePortFailed},
        {"odd parity", Baud1200, 1, 0, ExchangePortFailed},
        {"its own again", Baud1200, 0, 0, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_EQ(Port.Configure({Path.c_str(), Com, c.Baud, c.Parity, c.StopBits, 200, 0}), 0);
        ASSERT_EQ(Port.Open(), 0);
        EXPECT_EQ(TypeAt(1), c.Type);
    }
}

TEST_F(DetectorLine, ExchangesOfTwoThreadsKeepTheirOwnReplies)
{
    StartLine({"1:16:level=120"});
    std::atomic<int> failures{0};
    auto repeat = [&](auto exchange) {
        for (int i = 0; i < 20; ++i)
            if (!exchange())
                ++failures;
    };
    std::thread poll([&] {
        repeat([&] {
            ReplyData buffer{};
            return Detector.QueryState(1, StateQueryFixedByte, KeyNone, buffer) == ExchangeOk &&
                   StateBytesOf(buffer).Level == 120;
        });
    });
    repeat([&] { return TypeAt(1) == 16; });
    poll.join();
    EXPECT_EQ(failures, 0);
}
