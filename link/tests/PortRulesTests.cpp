#include <gtest/gtest.h>

#include "link/Port.h"

using zirv::TickClock;

namespace {

// A clock that only moves when the code under test sleeps.
struct FakeTime {
    static inline uint32_t Now = 0;
    static inline uint32_t Sleeps = 0;
    static uint32_t Ticks() { return Now; }
    static void Sleep(uint32_t ms)
    {
        EXPECT_EQ(ms, 1u);
        Now += ms;
        ++Sleeps;
    }
    static constexpr TickClock Clock = {Ticks, Sleep};

    static void Start(uint32_t now)
    {
        Now = now;
        Sleeps = 0;
    }
};

// Puts the fake clock under every port object for the length of a test.
class PortOnFakeTime : public testing::Test {
protected:
    void SetUp() override
    {
        Saved = zirv::PortClock;
        zirv::PortClock = FakeTime::Clock;
    }
    void TearDown() override { zirv::PortClock = Saved; }

private:
    TickClock Saved{};
};

}  // namespace

TEST(MinGap, SleepsUntilTheGapHasPassed)
{
    struct Row {
        uint32_t Last, Now, Gap, Sleeps;
    };
    const Row rows[] = {
        {1000, 1000, 0, 0},              // no gap: never waits
        {1000, 1010, 50, 40},            // 10 ms after the last operation: 40 more
        {1000, 1050, 50, 0},             // exactly the gap
        {1000, 5000, 50, 0},             // long past
        {0xFFFFFFF0u, 0x00000005u, 50, 29},   // across the wrap: 21 ms have passed
        {0xFFFFFFFFu, 0xFFFFFFFFu, 3, 3},     // the wait itself crosses the wrap
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "last " << row.Last << " now " << row.Now << " gap " << row.Gap);
        FakeTime::Start(row.Now);
        zirv::WaitMinGap(FakeTime::Clock, row.Last, row.Gap);
        EXPECT_EQ(FakeTime::Sleeps, row.Sleeps);
    }
}

TEST_F(PortOnFakeTime, WriteWaitsForTheGapAfterTheLastRead)
{
    FakeTime::Start(7000);
    ZIRVWin32BasePort port;
    PortSettings settings = port.Settings;
    settings.MinGapMs = 50;
    port.Configure(settings);

    uint8_t byte = 0;
    uint32_t count = 1;
    port.Read(&byte, count);   // closed: fails, but still marks the time
    EXPECT_EQ(port.LastIoTick, 7000u);

    FakeTime::Now += 10;
    count = 1;
    EXPECT_EQ(port.Write(&byte, count), -1);
    EXPECT_EQ(FakeTime::Sleeps, 40u);   // the wait comes before the port is even looked at
    EXPECT_EQ(port.LastIoTick, 7050u);
}

TEST(LineSettings, ChangeOnlyWhatTheIndexesDecide)
{
    struct Row {
        uint32_t Baud, Parity, StopBits;
        DWORD Rate;
        BYTE WantParity, WantStopBits;
    };
    // The port starts with even parity and two stop bits.
    const Row rows[] = {
        {0, 0, 0, CBR_1200, NOPARITY, ONESTOPBIT},
        {1, 1, 1, CBR_2400, ODDPARITY, ONE5STOPBITS},
        {2, 3, 2, CBR_4800, MARKPARITY, TWOSTOPBITS},
        {3, 4, 0, CBR_9600, SPACEPARITY, ONESTOPBIT},
        {4, 2, 0, CBR_19200, EVENPARITY, ONESTOPBIT},
        {5, 5, 3, CBR_1200, EVENPARITY, TWOSTOPBITS},   // out of range: 1200, parity and stop bits kept
        {0xFFFFFFFFu, 9, 0xFFFFFFFFu, CBR_1200, EVENPARITY, TWOSTOPBITS},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "baud " << row.Baud << " parity " << row.Parity
                                        << " stop " << row.StopBits);
        DCB dcb{};
        dcb.DCBlength = sizeof(dcb);
        dcb.BaudRate = CBR_38400;
        dcb.ByteSize = 7;
        dcb.Parity = EVENPARITY;
        dcb.StopBits = TWOSTOPBITS;
        dcb.fOutxCtsFlow = 1;
        dcb.XonChar = 0x11;
        const PortSettings settings = {nullptr, 0, row.Baud, row.Parity, row.StopBits, 100, 0};
        zirv::ApplyLineSettings(dcb, settings);
        EXPECT_EQ(dcb.BaudRate, row.Rate);
        EXPECT_EQ(dcb.ByteSize, 8);
        EXPECT_EQ(dcb.fParity, 1u);
        EXPECT_EQ(dcb.Parity, row.WantParity);
        EXPECT_EQ(dcb.StopBits, row.WantStopBits);
        EXPECT_EQ(dcb.fAbortOnError, 1u);
        EXPECT_EQ(dcb.fOutxCtsFlow, 1u);   // everything else stays as the port had it
        EXPECT_EQ(dcb.XonChar, 0x11);
    }
}
