#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "user_input.h"

int main(int argc, char** argv)
{
    // A crash must fail the test run, not open Wine's crash dialog and wait.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // Test executables share one display; the pointer parks in a corner where no test window
    // lies, so windows appearing under it never receive real mouse moves meant for no one.
    const POINT corner = testsupport::UserInput::ParkingCorner();
    SetCursorPos(corner.x, corner.y);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // The test runner passes a run only on this line: a process that ends early, even with
    // exit code 0 (a test code path that ends the application), never reaches it.
    std::printf("zirv-test-run: complete, result %d\n", result);
    std::fflush(stdout);
    return result;
}
