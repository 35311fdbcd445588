// The shell's taskbar button records, read in the shell's own layout.
#include "skin/forms/sSkinProviderTaskbar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>

using namespace skin;

namespace {

// A button record of the layout with the state and style bytes and the data address.
std::vector<uint8_t> Record(bool Shell64, uint8_t State, uint8_t Style, uint64_t Data)
{
    std::vector<uint8_t> record(TaskbarButtonSize(Shell64), 0xCC);
    record[8] = State;
    record[9] = Style;
    std::memcpy(record.data() + (Shell64 ? 16 : 12), &Data, Shell64 ? 8 : 4);
    return record;
}

}  // namespace

TEST(TaskbarButtonData, VisibleButtonsGiveTheirDataInEitherLayout)
{
    EXPECT_EQ(TaskbarButtonSize(false), 20u);
    EXPECT_EQ(TaskbarButtonSize(true), 32u);
    for (bool shell64 : {false, true}) {
        const uint64_t data = shell64 ? 0x0000000712345678ull : 0x12345678ull;
        auto record = Record(shell64, TBSTATE_ENABLED, BTNS_BUTTON, data);
        EXPECT_EQ(TaskbarButtonData(record.data(), record.size(), shell64), data) << shell64;
        EXPECT_EQ(TaskbarButtonData(record.data(), record.size() - 1, shell64), std::nullopt) << "short";
        for (uint8_t style : {BTNS_SEP, BTNS_GROUP, BTNS_DROPDOWN}) {
            record = Record(shell64, TBSTATE_ENABLED, style, data);
            EXPECT_EQ(TaskbarButtonData(record.data(), record.size(), shell64), std::nullopt) << int(style);
        }
        record = Record(shell64, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, data);
        EXPECT_EQ(TaskbarButtonData(record.data(), record.size(), shell64), std::nullopt) << "hidden";
        record = Record(shell64, TBSTATE_ENABLED, BTNS_CHECK, data);
        EXPECT_EQ(TaskbarButtonData(record.data(), record.size(), shell64), data) << "a check button is listed";
    }
}
