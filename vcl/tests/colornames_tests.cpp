// The named colours: their fixed order, and the text of a colour both ways.
#include "vcl/graphics.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST(ColorNames, FiftyTwoInTheirFixedOrder)
{
    const std::span<const TColorName> names = ColorNames();
    ASSERT_EQ(52u, names.size());
    struct Landmark {
        size_t Index;
        const wchar_t* Name;
        TColor Value;
    };
    const Landmark landmarks[] = {
        {0, L"clBlack", clBlack},
        {9, L"clRed", TColor(0x0000FF)},
        {15, L"clWhite", clWhite},
        {16, L"clMoneyGreen", TColor(0xC0DCC0)},
        {17, L"clSkyBlue", TColor(0xF0CAA6)},
        {18, L"clCream", TColor(0xF0FBFF)},
        {19, L"clMedGray", TColor(0xA4A0A0)},
        {20, L"clActiveBorder", SystemColor(COLOR_ACTIVEBORDER)},
        {29, L"clDefault", clDefault},
        {45, L"clNone", clNone},
        {47, L"cl3DDkShadow", SystemColor(COLOR_3DDKSHADOW)},
        {51, L"clWindowText", SystemColor(COLOR_WINDOWTEXT)},
    };
    for (const Landmark& l : landmarks) {
        EXPECT_STREQ(l.Name, names[l.Index].Name) << l.Index;
        EXPECT_EQ(l.Value, names[l.Index].Value) << l.Index;
    }
}

TEST(ColorNames, EveryNameConvertsBothWays)
{
    for (const TColorName& entry : ColorNames()) {
        EXPECT_EQ(entry.Value, StringToColor(entry.Name)) << entry.Name;
        EXPECT_EQ(String(entry.Name), ColorToString(entry.Value));
    }
}

TEST(ColorNames, TextsOtherThanNames)
{
    EXPECT_EQ(TColor(0xC0DCC0), StringToColor(L"CLMONEYGREEN")) << "names compare without case";
    EXPECT_EQ(TColor(0x00FF00), StringToColor(L"$0000FF00"));
    EXPECT_EQ(TColor(255), StringToColor(L"255"));
    EXPECT_EQ(L"$00123456", ColorToString(TColor(0x123456)));
    for (const wchar_t* text : {L"clNoSuchColour", L"", L"Red", L"$"})
        EXPECT_THROW(StringToColor(text), EConvertError) << testing::PrintToString(String(text));
}
