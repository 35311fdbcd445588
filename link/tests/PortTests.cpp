#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "detsim_client.h"
#include "link/Port.h"

using testsupport::DetsimClient;
using testsupport::DetsimScript;

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes TypeRequest = {0x00, 0x05, 0x3F};
// What a reply looks like to the port: eight bytes it does not look into.
const Bytes TypeReply = {0x00, 0x46, 0x00, 0x10, 0x00, 0x00, 0x00, 0x5A};

// Long enough for a reply from a simulator that shares a loaded machine with other tests.
constexpr uint32_t TimeoutMs = 500;

PortSettings SettingsFor(const char* path, uint32_t baud = 0, uint32_t parity = 0, uint32_t stopBits = 0)
{
    return {path, 0, baud, parity, stopBits, TimeoutMs, 0};
}

// A port object on a fresh simulated line of its own.
class PortOnLine : public testing::Test {
protected:
    void SetUp() override
    {
        Com = Sim.CreateLine();
        Path = testsupport::ComDevicePath(Com);
    }

    void OpenAt(uint32_t baud, uint32_t parity = 0, uint32_t stopBits = 0)
    {
        ASSERT_EQ(Port.Configure(SettingsFor(Path.c_str(), baud, parity, stopBits)), 0);
        ASSERT_EQ(Port.Open(), 0);
    }

    int32_t Write(const Bytes& data, uint32_t& count)
    {
        count = static_cast<uint32_t>(data.size());
        return Port.Write(data.data(), count);
    }

    int32_t Read(Bytes& data, uint32_t& count)
    {
        data.assign(8, 0xEE);
        count = 8;
        return Port.Read(data.data(), count);
    }

    DetsimClient Sim;
    int Com = 0;
    std::string Path;
    ZIRVWin32BasePort Port;
};

}  // namespace

TEST(Port, DeviceThatDoesNotExistStaysClosedAndMovesNothing)
{
    ZIRVWin32BasePort port;
    ASSERT_EQ(port.Configure(SettingsFor("\\\\.\\ZirvNoSuchDevice")), 0);
    EXPECT_EQ(port.Open(), -1);
    EXPECT_EQ(port.Handle, nullptr);

    const uint8_t request[3] = {0x00, 0x05, 0x3F};
    uint32_t count = 3;
    EXPECT_EQ(port.Write(request, count), -1);
    EXPECT_EQ(count, 0u);
    uint8_t reply[8] = {};
    count = 8;
    EXPECT_EQ(port.Read(reply, count), -1);
    EXPECT_EQ(count, 0u);
}

TEST(Port, OpenBeforeAnyConfigureFails)
{
    ZIRVWin32BasePort port;
    EXPECT_EQ(port.Open(), -1);
    EXPECT_EQ(port.Handle, nullptr);
}

TEST(Port, DeviceWithoutSerialTimeoutsIsClosedAgain)
{
    // /dev/null opens, but it has no serial timeouts: reads on it would not be bounded.
    DetsimClient sim;
    const std::string path = testsupport::ComDevicePath(sim.MapDevice("/dev/null"));
    ZIRVWin32BasePort port;
    port.Configure(SettingsFor(path.c_str()));
    EXPECT_EQ(port.Open(), -1);
    EXPECT_EQ(port.Handle, nullptr);
    uint8_t reply[8];
    uint32_t count = 8;
    EXPECT_EQ(port.Read(reply, count), -1);
    EXPECT_EQ(count, 0u);
}

TEST_F(PortOnLine, SpeedAndFramingReachTheTty)
{
    struct Row {
        uint32_t Baud, Parity, StopBits;
        int TtyBaud;
        const char* TtyParity;
        int TtyStopBits;
    };
    // In order: each row starts from the settings the row before left on the tty.
    const Row rows[] = {
        {0, 0, 0, 1200, "none", 1},
        {1, 1, 2, 2400, "odd", 2},
        {2, 2, 0, 4800, "even", 1},
        {3, 3, 2, 9600, "mark", 2},
        {4, 4, 0, 19200, "space", 1},
        {4, 0, 1, 19200, "none", 2},   // Wine has no 1.5 stop bits on a tty: two
        {7, 0, 3, 1200, "none", 2},    // unknown speed: 1200; stop bits kept
        {4, 9, 0, 19200, "none", 1},   // unknown parity: the rest still applies
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "baud " << row.Baud << " parity " << row.Parity
                                        << " stop " << row.StopBits);
        OpenAt(row.Baud, row.Parity, row.StopBits);
        const testsupport::DetsimTermios tty = Sim.Termios(Com);
        EXPECT_EQ(tty.Baud, row.TtyBaud);
        EXPECT_EQ(tty.Parity, row.TtyParity);
        EXPECT_EQ(tty.StopBits, row.TtyStopBits);
        EXPECT_EQ(tty.ByteSize, 8);
        Port.Close();
    }
}

TEST_F(PortOnLine, TimeoutsReadBackAfterOpen)
{
    // T for the gap between bytes and for the constant parts, 1 ms per byte on top.
    for (uint32_t timeout : {200u, 500u, 0u}) {
        SCOPED_TRACE(timeout);
        ASSERT_EQ(Port.Configure({Path.c_str(), Com, 0, 0, 0, timeout, 0}), 0);
        ASSERT_EQ(Port.Open(), 0);
        COMMTIMEOUTS read{};
        ASSERT_TRUE(GetCommTimeouts(Port.Handle, &read));
        EXPECT_EQ(read.ReadIntervalTimeout, timeout);
        EXPECT_EQ(read.ReadTotalTimeoutMultiplier, 1u);
        EXPECT_EQ(read.ReadTotalTimeoutConstant, timeout);
        EXPECT_EQ(read.WriteTotalTimeoutMultiplier, 1u);
        EXPECT_EQ(read.WriteTotalTimeoutConstant, timeout);
    }
}

TEST_F(PortOnLine, ExchangeAndShortReply)
{
    OpenAt(4);
    Sim.Script(Com, {true, TypeReply});
    Sim.Script(Com, {true, TypeReply, 3});

    uint32_t count = 0;
    Bytes reply;
    ASSERT_EQ(Write(TypeRequest, count), 0);
    EXPECT_EQ(count, 3u);
    ASSERT_EQ(Read(reply, count), 0);
    EXPECT_EQ(count, 8u);
    EXPECT_EQ(reply, TypeReply);

    ASSERT_EQ(Write(TypeRequest, count), 0);
    EXPECT_EQ(Read(reply, count), -1);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 3), Bytes(TypeReply.begin(), TypeReply.begin() + 3));

    const auto frames = Sim.Frames(Com);
    ASSERT_EQ(frames.size(), 2u);
    for (const auto& frame : frames) {
        EXPECT_EQ(frame.Bytes, TypeRequest);
        EXPECT_TRUE(frame.Complete);
        EXPECT_EQ(frame.Line.Baud, 19200);
    }
}

TEST_F(PortOnLine, WritePurgesStaleInput)
{
    OpenAt(0);
    Sim.Send(Com, {0xAA, 0xBB, 0xCC});
    COMSTAT status{};
    DWORD errors = 0;
    ASSERT_TRUE(ClearCommError(Port.Handle, &errors, &status));
    ASSERT_EQ(status.cbInQue, 3u);   // the stale bytes wait in the input

    Sim.Script(Com, {true, TypeReply});
    uint32_t count = 0;
    Bytes reply;
    ASSERT_EQ(Write(TypeRequest, count), 0);
    ASSERT_EQ(Read(reply, count), 0);
    EXPECT_EQ(reply, TypeReply);
}

TEST_F(PortOnLine, ConfigureKeepsItsOwnCopyOfThePath)
{
    std::string callers = Path;
    ASSERT_EQ(Port.Configure(SettingsFor(callers.c_str())), 0);
    EXPECT_NE(Port.Settings.DevicePath, callers.c_str());
    std::fill(callers.begin(), callers.end(), 'x');
    EXPECT_STREQ(Port.Settings.DevicePath, Path.c_str());
    EXPECT_EQ(Port.Open(), 0);

    // Configuring from the port's own block keeps the path too.
    ASSERT_EQ(Port.Configure(Port.Settings), 0);
    EXPECT_STREQ(Port.Settings.DevicePath, Path.c_str());
}

TEST_F(PortOnLine, CloseAndConfigureLeaveThePortClosed)
{
    OpenAt(0);
    ASSERT_NE(Port.Handle, nullptr);
    EXPECT_EQ(Port.Close(), 0);
    EXPECT_EQ(Port.Handle, nullptr);
    EXPECT_EQ(Port.Close(), 0);
    EXPECT_EQ(Port.Handle, nullptr);

    OpenAt(0);
    ASSERT_EQ(Port.Configure(SettingsFor(Path.c_str())), 0);
    EXPECT_EQ(Port.Handle, nullptr);
    EXPECT_EQ(Port.Open(), 0);   // the exclusive open succeeds: the old handle is gone
}
