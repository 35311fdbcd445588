#include "languages/languagelayout.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Box {
    int32_t left, top, width, height;
};

// The main window at its design sizes; captions with automatic sizing get plausible sizes.
std::map<std::wstring, Box, std::less<>> DesignWindow()
{
    return {
        {L"frmMain", {0, 0, 1022, 594}},
        // Search view.
        {L"lbSearch", {300, 275, 11, 25}},
        {L"lbCountDevice", {296, 416, 105, 23}},
        {L"pbSearch", {320, 300, 225, 42}},
        // Left column.
        {L"sPanel12", {0, 0, 320, 30}},
        {L"sLabel1", {100, 7, 96, 16}},
        {L"sPanel6", {0, 30, 320, 142}},
        {L"lbAddress", {20, 40, 120, 32}},
        {L"lbAddress2", {40, 95, 213, 41}},
        {L"cbAddress", {180, 33, 75, 42}},
        {L"sPanel7", {0, 172, 320, 142}},
        {L"lbRxPower", {20, 30, 140, 61}},
        {L"lbRxPower2", {25, 95, 271, 41}},
        {L"edRxPower", {180, 26, 75, 42}},
        {L"sPanel8", {0, 314, 320, 140}},
        {L"lbLetter", {60, 40, 45, 16}},
        {L"lbLetter2", {25, 90, 271, 49}},
        {L"edLetter", {180, 24, 75, 42}},
        // Right column.
        {L"sPanel15", {0, 0, 320, 30}},
        {L"sLabel7", {70, 7, 180, 16}},
        {L"sPanel9", {0, 30, 320, 213}},
        {L"lbUst", {10, 20, 158, 50}},
        {L"lbUst2", {15, 90, 289, 34}},
        {L"edUst", {180, 20, 75, 42}},
        {L"btNext", {80, 160, 150, 30}},
        {L"sPanel10", {0, 243, 320, 213}},
        {L"lbTres", {10, 20, 130, 32}},
        {L"lbTres2", {10, 90, 299, 53}},
        {L"edTres", {180, 20, 60, 42}},
        {L"btCloseSetting", {88, 160, 150, 30}},
        {L"sPanel11", {0, 314, 320, 140}},
        {L"lbSpeed", {10, 20, 152, 36}},
        {L"lbSpeed2", {40, 80, 230, 53}},
        {L"lbSpeed3", {280, 20, 24, 16}},
        {L"cbSpeed", {180, 13, 95, 34}},
        {L"sPanel16", {0, 172, 320, 142}},
        {L"lbAddr", {80, 6, 150, 16}},
        {L"lbAddr2", {44, 43, 121, 58}},
        {L"edAddr", {180, 41, 75, 42}},
        {L"btChangeAddr", {80, 105, 150, 30}},
        {L"sPanel14", {0, 30, 320, 142}},
        {L"sLabel2", {55, 29, 209, 96}},
        {L"sLabel3", {100, 6, 120, 16}},
        {L"sButton1", {80, 105, 150, 30}},
        // Gauge column.
        {L"sPanel3", {320, 46, 375, 454}},
        {L"cZone1", {130, 80, 100, 350}},
        {L"PaintBox1", {130, 80, 100, 350}},
        {L"Image1", {254, 80, 47, 350}},
        {L"Label1", {322, 400, 46, 40}},
        {L"Label2", {322, 345, 46, 40}},
        {L"Label3", {322, 230, 46, 40}},
        {L"Label4", {322, 115, 46, 40}},
        {L"edValue", {130, 20, 100, 48}},
        {L"pbWaitTres", {64, 227, 150, 25}},
        {L"lbWaitTres", {67, 200, 153, 21}},
        // Wizard step panels.
        {L"PanelAddress", {123, 106, 320, 213}},
        {L"lbStepAddress", {20, 40, 120, 32}},
        {L"lbStepAddress2", {30, 150, 249, 32}},
        {L"cbStepAddress", {180, 33, 75, 42}},
        {L"PanelRxPower", {123, 106, 320, 213}},
        {L"lbStepRxPower", {20, 30, 140, 61}},
        {L"lbStepRxPower2", {150, 150, 0, 19}},
        {L"edStepRxPower", {180, 33, 75, 42}},
        {L"PanelLetter", {123, 106, 320, 213}},
        {L"lbStepLetter", {60, 40, 45, 16}},
        {L"lbStepLetter2", {25, 150, 271, 49}},
        {L"edStepLetter", {180, 33, 75, 42}},
        {L"PanelSpeed", {123, 106, 320, 213}},
        {L"lbStepSpeed", {10, 15, 156, 36}},
        {L"lbStepSpeed2", {30, 120, 270, 60}},
        {L"lbStepSpeed3", {290, 20, 24, 16}},
        {L"cbStepSpeed", {246, 15, 95, 34}},
        {L"PanelNumberChange", {123, 106, 320, 213}},
        {L"lbStepAddr", {80, 6, 150, 16}},
        {L"lbStepAddr2", {20, 41, 121, 58}},
        {L"edStepAddr", {232, 39, 75, 42}},
        {L"btStepChangeAddr", {85, 150, 150, 30}},
        {L"btStepOk", {56, 150, 83, 32}},
        {L"btStepCancel", {160, 150, 83, 32}},
        {L"PanelUst", {123, 106, 320, 213}},
        {L"lbStepUst", {10, 45, 158, 50}},
        {L"lbStepUst2", {15, 150, 289, 34}},
        {L"edStepUst", {196, 47, 75, 42}},
    };
}

class FakeWindow : public LanguageLayoutHost {
public:
    std::map<std::wstring, Box, std::less<>> boxes = DesignWindow();
    std::vector<std::tuple<std::wstring, LayoutProperty, int32_t>> sets;

    int32_t Get(std::wstring_view control, LayoutProperty property) const override
    {
        const auto found = boxes.find(control);
        if (found == boxes.end()) {
            ADD_FAILURE() << "reads an unknown control";
            return 0;
        }
        Box box = found->second;
        return Field(box, property);
    }

    void Set(std::wstring_view control, LayoutProperty property, int32_t value) override
    {
        const auto found = boxes.find(control);
        ASSERT_NE(found, boxes.end()) << "moves an unknown control";
        Field(found->second, property) = value;
        sets.emplace_back(std::wstring(control), property, value);
    }

    int32_t Left(const wchar_t* control) const { return boxes.at(control).left; }
    int32_t Top(const wchar_t* control) const { return boxes.at(control).top; }
    int32_t Width(const wchar_t* control) const { return boxes.at(control).width; }
    int32_t Height(const wchar_t* control) const { return boxes.at(control).height; }

private:
    static int32_t& Field(Box& box, LayoutProperty property)
    {
        switch (property) {
        case LayoutProperty::Left: return box.left;
        case LayoutProperty::Top: return box.top;
        case LayoutProperty::Width: return box.width;
        case LayoutProperty::Height: return box.height;
        }
        return box.left;
    }
};

bool operator==(const Box& a, const Box& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// One index of each rule set: 0 9 10 11 | 1 6 | 8 | 2 | 3 4 | 7.
constexpr std::array<int, 6> kRuleSetIndexes = {0, 1, 8, 2, 3, 7};

TEST(LanguageLayout, IndexesWithoutALayoutOnlyNarrowTheAddressLabel)
{
    for (int language : {5, 12, -1}) {
        FakeWindow window;
        ApplyLanguageLayout(window, language);
        ASSERT_EQ(window.sets.size(), 1u) << language;
        EXPECT_EQ(window.sets[0], std::make_tuple(std::wstring(L"lbAddr2"), LayoutProperty::Width, 121));
    }
}

TEST(LanguageLayout, EveryCallEndsWithTheAddressLabelWidth)
{
    for (int language = -1; language <= 12; ++language) {
        FakeWindow window;
        window.boxes[L"lbAddr2"].width = 150;
        ApplyLanguageLayout(window, language);
        EXPECT_EQ(window.sets.back(), std::make_tuple(std::wstring(L"lbAddr2"), LayoutProperty::Width, 121));
    }
}

TEST(LanguageLayout, LanguagesSharingARuleSetGiveTheSameLayout)
{
    const std::pair<int, int> sharing[] = {{0, 9}, {0, 10}, {0, 11}, {1, 6}, {3, 4}};
    for (const auto& [first, second] : sharing) {
        FakeWindow a, b;
        ApplyLanguageLayout(a, first);
        ApplyLanguageLayout(b, second);
        EXPECT_TRUE(a.boxes == b.boxes) << first << " and " << second;
    }
}

TEST(LanguageLayout, WorkedValuesAtDesignSizes)
{
    struct Expected {
        int32_t lbAddressTop, lbAddr2Left, lbStepUst2Left, lbStepUstLeft, btNextLeft, btCloseSettingLeft,
            sLabel2Top, lbStepRxPower2Top;
    };
    // Columns as kRuleSetIndexes.
    const std::array<Expected, 6> expected = {{
        {30, 44, 23, 16, 85, 85, 29, 170},
        {30, 44, 15, 11, 80, 88, 29, 170},
        {30, 44, 15, 11, 80, 88, 29, 170},
        {30, 44, 15, 11, 80, 88, 29, 161},
        {30, 44, 15, 11, 80, 88, 29, 170},
        {38, 49, 23, 24, 85, 85, 41, 170},
    }};
    for (size_t set = 0; set < kRuleSetIndexes.size(); ++set) {
        FakeWindow w;
        ApplyLanguageLayout(w, kRuleSetIndexes[set]);
        const Expected& e = expected[set];
        SCOPED_TRACE(kRuleSetIndexes[set]);
        EXPECT_EQ(w.Top(L"cbAddress"), 26);
        EXPECT_EQ(w.Top(L"lbAddress"), e.lbAddressTop);
        for (const wchar_t* field : {L"cbStepAddress", L"edStepRxPower", L"edStepLetter", L"cbStepSpeed"})
            EXPECT_EQ(w.Top(field), 67);
        for (const wchar_t* field : {L"cbStepAddress", L"edStepRxPower", L"edStepLetter"})
            EXPECT_EQ(w.Left(field), 210);
        EXPECT_EQ(w.Left(L"lbAddr2"), e.lbAddr2Left);
        EXPECT_EQ(w.Width(L"lbAddr2"), 121);
        EXPECT_EQ(w.Left(L"lbStepUst2"), e.lbStepUst2Left);
        EXPECT_EQ(w.Left(L"lbStepUst"), e.lbStepUstLeft);
        EXPECT_EQ(w.Left(L"btNext"), e.btNextLeft);
        EXPECT_EQ(w.Left(L"btCloseSetting"), e.btCloseSettingLeft);
        EXPECT_EQ(w.Top(L"sLabel2"), e.sLabel2Top);
        EXPECT_EQ(w.Top(L"lbStepRxPower2"), e.lbStepRxPower2Top);

        // Gauge column: the scale numbers chain down from the gauge.
        EXPECT_EQ(w.Top(L"cZone1"), 82);
        EXPECT_EQ(w.Top(L"PaintBox1"), 82);
        EXPECT_EQ(w.Top(L"Image1"), 82);
        EXPECT_EQ(w.Top(L"edValue"), 22);
        EXPECT_EQ(w.Top(L"Label4"), 62);
        EXPECT_EQ(w.Top(L"Label3"), 177);
        EXPECT_EQ(w.Top(L"Label2"), 292);
        EXPECT_EQ(w.Top(L"Label1"), 407);
        EXPECT_EQ(w.Left(L"cZone1"), 68);
        EXPECT_EQ(w.Left(L"PaintBox1"), 68);
        EXPECT_EQ(w.Left(L"Image1"), 193);
        for (const wchar_t* label : {L"Label1", L"Label2", L"Label3", L"Label4"})
            EXPECT_EQ(w.Left(label), 260);
    }
}

TEST(LanguageLayout, SearchViewStacksDownFromTheCentredStatusText)
{
    FakeWindow w;
    ApplyLanguageLayout(w, 0);
    EXPECT_EQ(w.Left(L"lbSearch"), (1022 - 11) / 2);
    EXPECT_EQ(w.Left(L"pbSearch"), (1022 - 225) / 2);
    EXPECT_EQ(w.Top(L"lbSearch"), (594 - 42 - 25 - 23 - 70) / 2);
    EXPECT_EQ(w.Top(L"pbSearch"), w.Top(L"lbSearch") + 25 + 20);
    EXPECT_EQ(w.Top(L"lbCountDevice"), w.Top(L"pbSearch") + 42 + 20);
}

TEST(LanguageLayout, SkippedPropertiesKeepWhatAnEarlierSetLeft)
{
    FakeWindow w;
    EXPECT_EQ(w.Height(L"lbAddress2"), 41);
    ApplyLanguageLayout(w, 1);
    EXPECT_EQ(w.Top(L"lbAddress2"), 98);
    ApplyLanguageLayout(w, 3);
    EXPECT_EQ(w.Height(L"lbAddress2"), 76);
    EXPECT_EQ(w.Top(L"lbAddress2"), 70);
    ApplyLanguageLayout(w, 1);
    EXPECT_EQ(w.Height(L"lbAddress2"), 76);
    EXPECT_EQ(w.Top(L"lbAddress2"), 80);

    ApplyLanguageLayout(w, 2);
    EXPECT_EQ(w.Height(L"lbStepRxPower2"), 38);
    ApplyLanguageLayout(w, 0);
    EXPECT_EQ(w.Top(L"lbStepRxPower2"), 161);
}

TEST(LanguageLayout, WidenedAddressLabelIsPlacedFromItsWidthThenNarrowed)
{
    FakeWindow w;
    w.boxes[L"lbAddr2"].width = 150;
    ApplyLanguageLayout(w, 0);
    EXPECT_EQ(w.Left(L"lbAddr2"), 30);
    EXPECT_EQ(w.Width(L"lbAddr2"), 121);
}

TEST(LanguageLayout, RepeatedCallGivesTheSameLayout)
{
    for (int language : kRuleSetIndexes) {
        FakeWindow once, twice;
        ApplyLanguageLayout(once, language);
        ApplyLanguageLayout(twice, language);
        ApplyLanguageLayout(twice, language);
        EXPECT_TRUE(once.boxes == twice.boxes) << language;
    }
}

TEST(LanguageLayout, DivisionTruncatesTowardZero)
{
    FakeWindow w;
    w.boxes[L"lbStepLetter2"].width = 561;
    ApplyLanguageLayout(w, 0);
    EXPECT_EQ(w.Left(L"lbStepLetter2"), -120);
}

}  // namespace
