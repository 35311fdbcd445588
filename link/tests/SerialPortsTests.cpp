#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "detsim_client.h"
#include "link/SerialPorts.h"
#include "vcl/classes.h"
#include "vcl/registry.h"

using testsupport::SerialCommKey;

namespace {

std::vector<std::wstring> Lines(const vcl::TStringList& list)
{
    std::vector<std::wstring> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

}  // namespace

TEST(SerialPortList, NamesInTheOrderTheRegistryGivesNotSortedByPort)
{
    SerialCommKey key;
    key.Clear();
    // The value names sort opposite to their ports, and are written in name order: Windows
    // (order written) and Wine (sorted by name) both enumerate COM3 before COM1.
    key.SetString(L"ZirvPortA", L"COM3");
    key.SetString(L"ZirvPortB", L"COM1");
    ASSERT_EQ(key.Strings(), (std::vector<std::wstring>{L"COM3", L"COM1"}));

    vcl::TStringList list;
    list.Add(L"old entry");
    EnumSerialPorts(list);
    EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"COM3", L"COM1"}));
}

TEST(SerialPortList, MissingKeyGivesAnEmptyList)
{
    // Deleting the system's key is not safe while other tests run: a key never made.
    vcl::TStringList list;
    list.Add(L"COM9");
    zirv::ReadSerialPortNames(HKEY_CURRENT_USER, L"\\Software\\ZirvTests\\NoSuchKey", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(SerialPortList, ValueThatIsNotTextRaises)
{
    SerialCommKey key;
    key.Clear();
    key.SetString(L"ZirvPortA", L"COM1");
    key.SetDword(L"ZirvPortB", 3);
    vcl::TStringList list;
    EXPECT_THROW(EnumSerialPorts(list), vcl::ERegistryException);
}

TEST(SerialPortList, DevicePathOfAPortNumber)
{
    struct Row {
        int32_t Number;
        const char* Path;
    };
    const Row rows[] = {
        {1, "\\\\.\\COM1"},   {7, "\\\\.\\COM7"},   {12, "\\\\.\\COM12"}, {100, "\\\\.\\COM100"},
        {0, "\\\\.\\COM5"},   {101, "\\\\.\\COM5"}, {-1, "\\\\.\\COM5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Number);
        PortSettings settings = {nullptr, 42, 1, 2, 0, 200, 7};
        ComPortDevicePath(row.Number, settings);
        EXPECT_STREQ(settings.DevicePath, row.Path);
        EXPECT_EQ(settings.PortNumber, 42);   // the other six words stay
        EXPECT_EQ(settings.BaudIndex, 1u);
        EXPECT_EQ(settings.ParityIndex, 2u);
        EXPECT_EQ(settings.StopBitsIndex, 0u);
        EXPECT_EQ(settings.TimeoutMs, 200u);
        EXPECT_EQ(settings.MinGapMs, 7u);

        // A constant handed out again, never a fresh copy.
        PortSettings again = settings;
        ComPortDevicePath(row.Number, again);
        EXPECT_EQ(again.DevicePath, settings.DevicePath);
    }
}
