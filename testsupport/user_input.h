#pragma once
// Real mouse and keyboard input, as a user gives it: through the X server the tests' Wine draws
// on, its driver, and the system's own hit-testing, capture and focus (the ctest fixture
// "userinput", tools/userinput/userinput.py, runs xdotool for the test). Points are screen
// coordinates, which under the harness's Wine are the X server's. Each call returns once the X
// server has the events; the program sees them when it next reads its input, so a test pumps
// until what they cause shows.

#include <windows.h>

#include <string>

#include "jsonline.h"

namespace testsupport {

class UserInput {
public:
    // Throws std::runtime_error when the fixture does not run.
    UserInput();
    // The pointer goes back to the corner where the test executables keep it.
    ~UserInput();
    UserInput(const UserInput&) = delete;
    UserInput& operator=(const UserInput&) = delete;

    void Move(POINT at);
    // A press and release of the button (1 left, 2 middle, 3 right) at the point.
    void Click(POINT at, int button = 1);
    // A drag: the button pressed at one point and held through moves until released at another.
    void Press(POINT at, int button = 1);
    void Release(POINT at, int button = 1);
    // A press and release of each key, by X key names, blank-separated: "Escape", "ctrl+a Return".
    void Key(const std::string& keys);
    // The UTF-8 text typed character by character.
    void Type(const std::string& text);

    // Where the test executables keep the pointer: the screen's bottom-right pixel, where no test
    // window lies.
    static POINT ParkingCorner();

private:
    JsonLineChannel Channel;
};

// The screen point of a point in the window's client area.
POINT ScreenPointOf(HWND window, POINT client);

}  // namespace testsupport
