#include "user_input.h"

#include <sstream>
#include <vector>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

JsonRequest At(const char* op, POINT at)
{
    JsonRequest request(op);
    request.Add("x", static_cast<int>(at.x)).Add("y", static_cast<int>(at.y));
    return request;
}

}  // namespace

UserInput::UserInput() : Channel("userinput") {}

UserInput::~UserInput()
{
    try {
        Move(ParkingCorner());
    } catch (const std::exception& e) {
        ADD_FAILURE() << "the pointer could not be parked: " << e.what();
    }
}

void UserInput::Move(POINT at) { Channel.Call(At("move", at)); }

void UserInput::Click(POINT at, int button) { Channel.Call(At("click", at).Add("button", button)); }

void UserInput::Press(POINT at, int button) { Channel.Call(At("press", at).Add("button", button)); }

void UserInput::Release(POINT at, int button) { Channel.Call(At("release", at).Add("button", button)); }

void UserInput::Key(const std::string& keys)
{
    std::vector<std::string> names;
    std::istringstream words(keys);
    for (std::string name; words >> name;)
        names.push_back(name);
    Channel.Call(JsonRequest("key").Add("keys", names));
}

void UserInput::Type(const std::string& text) { Channel.Call(JsonRequest("type").Add("text", text)); }

POINT UserInput::ParkingCorner() { return POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1}; }

POINT ScreenPointOf(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

}  // namespace testsupport
