// The seams' defaults reach the real system calls.
#include <gtest/gtest.h>

#include "vcl/seams.h"

using namespace vcl;

TEST(Seams, TheShellReportsThatItCannotOpenAMissingFile)
{
    const INT_PTR result =
        Seams().ShellExecute(nullptr, L"open", L"C:\\zirv-missing-folder\\missing.txt", SW_SHOWNORMAL);
    EXPECT_LE(result, 32);
    EXPECT_GT(result, 0);
}

TEST(Seams, TheSystemVersionIsTheRunningOne)
{
    const OSVERSIONINFOW version = Seams().SystemVersion();
    EXPECT_EQ(version.dwOSVersionInfoSize, sizeof(OSVERSIONINFOW));
    EXPECT_GE(version.dwMajorVersion, 5u);
}

TEST(Seams, SystemSettingsAreReadThroughTheSystem)
{
    RECT expected{}, read{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &expected, 0));
    ASSERT_TRUE(Seams().SystemParametersInfo(SPI_GETWORKAREA, 0, &read, 0));
    EXPECT_EQ(TRect(read), TRect(expected));
}

TEST(Seams, TheWorkAreaIsThatOfTheMonitorOfTheWindow)
{
    RECT expected{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &expected, 0);
    EXPECT_EQ(Seams().WorkArea(nullptr), TRect(expected)) << "no window: the nearest monitor, the only one";
    EXPECT_EQ(Seams().WorkArea(GetDesktopWindow()), TRect(expected));
}

TEST(Seams, TheTaskbarRectangleIsItsWindowsOrEmpty)
{
    RECT expected{};
    const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (tray)
        GetWindowRect(tray, &expected);
    EXPECT_EQ(Seams().TrayRect(), TRect(expected));
}
