// Edit masks without a window: parsing, the shown text against the text it stands for, and keys.
#include "vcl/editmask.h"

#include <gtest/gtest.h>

using namespace vcl;

TEST(EditMask, MasksThatDoNotParseRaise)
{
    for (const wchar_t* mask : {L"99;2;_", L"99;1;__", L"99;1;_;x", L"99\\", L"00;yes"}) {
        SCOPED_TRACE(testing::PrintToString(String(mask)));
        EXPECT_THROW(TEditMask::Parse(mask), EConvertError);
    }
}

TEST(EditMask, ParsesPositionsFlagsAndBlank)
{
    TEditMask mask = TEditMask::Parse(L"!\\(999\\)0;0;*");
    EXPECT_TRUE(mask.LeadingBlanks());
    EXPECT_FALSE(mask.SaveLiterals());
    EXPECT_EQ(L'*', mask.Blank());
    ASSERT_EQ(6, mask.Length());
    EXPECT_EQ(L"(***)*", mask.EmptyEditText());
    EXPECT_FALSE(mask.Position(1).Required);
    EXPECT_TRUE(mask.Position(5).Required);

    TEditMask defaults = TEditMask::Parse(L"00\\;");
    EXPECT_TRUE(defaults.SaveLiterals());
    EXPECT_EQ(L'_', defaults.Blank());
    EXPECT_EQ(L"__;", defaults.EmptyEditText()) << "an escaped separator is a literal";
    EXPECT_TRUE(TEditMask::Parse(L"").IsEmpty());
}

TEST(EditMask, TextAndEditTextConvertBothWays)
{
    struct Case {
        const wchar_t* Mask;
        const wchar_t* Text;
        const wchar_t* EditText;
        const wchar_t* TextBack;
    };
    const Case cases[] = {
        {L"000-000;1;_", L"123-456", L"123-456", L"123-456"},
        {L"000-000;0;_", L"123456", L"123-456", L"123456"},
        {L"000-000;0;_", L"12", L"12_-___", L"12"},
        {L"000-000;1;_", L"12", L"12_-___", L"12 -"},
        {L"999;0;_", L"5", L"5__", L"5"},
        {L"!999;0;_", L"5", L"__5", L"5"},
        {L"!99-99;1;_", L"1-23", L"_1-23", L"1-23"},
        {L">LL<ll;0;*", L"abCD", L"ABcd", L"ABcd"},
        {L">LL<>ll;0;_", L"abCD", L"ABCD", L"ABCD"},
        {L"LLL;0;_", L"жЯq", L"жЯq", L"жЯq"},
        {L"aa;0;_", L"a!", L"a_", L"a"},
        {L"0a0;0;_", L"1 2", L"1_2", L"1 2"},
        {L"\\9\\0CC;1; ", L"90x1", L"90x1", L"90x1"},
        {L"(000);1;_", L"123", L"(123)", L"(123)"},
        {L"cc;0;_", L"", L"__", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(String(c.Mask) + L" / " + c.Text));
        TEditMask mask = TEditMask::Parse(c.Mask);
        EXPECT_EQ(String(c.EditText), mask.FormatText(c.Text));
        EXPECT_EQ(String(c.TextBack), mask.UnformatText(c.EditText));
    }
}

TEST(EditMask, FittingAShownTextKeepsLiteralsAndBlanksRefusedCharacters)
{
    TEditMask mask = TEditMask::Parse(L"00/00;1;_");
    EXPECT_EQ(L"1_/_4", mask.FitEditText(L"1x-y4"));
    EXPECT_EQ(L"12/__", mask.FitEditText(L"12"));
    EXPECT_EQ(L"12/34", mask.FitEditText(L"12/3456"));
}

namespace {

// Types Keys into an empty shown text from the start; "\b" is backspace.
TMaskEditState TypeKeys(const TEditMask& mask, const String& keys)
{
    TMaskEditState state{mask.EmptyEditText(), 0};
    for (wchar_t key : keys) {
        if (key == L'\b')
            state = mask.DeleteBackward(state.EditText, state.Caret, 0);
        else if (std::optional<TMaskEditState> typed = mask.TypeChar(state.EditText, state.Caret, 0, key))
            state = *typed;
    }
    return state;
}

}  // namespace

TEST(EditMask, TypedKeysFillPositionsSkippingLiterals)
{
    struct Case {
        const wchar_t* Mask;
        const wchar_t* Keys;
        const wchar_t* EditText;
        const wchar_t* Text;
        int Caret;
    };
    const Case cases[] = {
        {L"(999)000-0000;1;_", L"5551234567", L"(555)123-4567", L"(555)123-4567", 13},
        {L"\\(999\\)000-0000;0;_", L"555x12", L"(555)12_-____", L"55512", 7},
        {L"00:00;1;_", L"12\b3", L"13:__", L"13:", 3},
        {L"00:00;1;_", L"\b\b1", L"1_:__", L"1 :", 1},
        {L">LLL", L"a1bc", L"ABC", L"ABC", 3},
        {L"99", L"123", L"12", L"12", 2},
        {L"ll;0;#", L"x\by", L"y#", L"y", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(String(c.Mask) + L" / " + c.Keys));
        TEditMask mask = TEditMask::Parse(c.Mask);
        TMaskEditState state = TypeKeys(mask, c.Keys);
        EXPECT_EQ(String(c.EditText), state.EditText);
        EXPECT_EQ(String(c.Text), mask.UnformatText(state.EditText));
        EXPECT_EQ(c.Caret, state.Caret);
    }
}

TEST(EditMask, KeysOverASelectionBlankItFirst)
{
    TEditMask mask = TEditMask::Parse(L"000-000;1;_");
    EXPECT_EQ((TMaskEditState{L"19_-_56", 2}), mask.TypeChar(L"123-456", 1, 4, L'9'));
    EXPECT_EQ(std::nullopt, mask.TypeChar(L"123-456", 1, 4, L'x')) << "a refused key changes nothing";
    EXPECT_EQ((TMaskEditState{L"1__-__6", 1}), mask.DeleteBackward(L"123-456", 1, 5));
    EXPECT_EQ((TMaskEditState{L"123-_56", 3}), mask.DeleteForward(L"123-456", 3, 0)) << "delete on a literal";
    EXPECT_EQ((TMaskEditState{L"123-456", 0}), mask.DeleteBackward(L"123-456", 0, 0));
    EXPECT_EQ(std::nullopt, mask.TypeChar(L"123-456", 7, 0, L'1')) << "no position left";
}
