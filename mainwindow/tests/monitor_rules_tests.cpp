// The search's and the monitoring displays' rules, without a window: the live display's bands and
// colours in the single-precision arithmetic the record keeps, the poll action's press count, the
// search's progress step, the wizard question's texts and the volts' text.
#include "link/Frames.h"
#include "mainwindow/Mainform.h"
#include "mainwindow/Monitorrules.h"
#include "vcl/sysutils.h"

#include <gtest/gtest.h>

namespace {

using namespace monitor;

constexpr float LevelVoltFactor = 3.0f / 190.0f;

TEST(AlignmentBand, EveryRawLevelFallsInTheBandOfItsVolts)
{
    // The highest raw level of each band; 38 (0.59999996 V) and 171 (2.70000005 V) sit on the
    // limits 0.6 and 2.7 only in single precision.
    const struct {
        int LastLevel;
        AlignmentBand Band;
    } bands[] = {
        {6, AlignmentBand::NoSignal},    {12, AlignmentBand::TooLow},      {38, AlignmentBand::LowDanger},
        {170, AlignmentBand::Normal},    {183, AlignmentBand::HighDanger}, {255, AlignmentBand::TooHigh},
    };
    int level = 0;
    for (const auto& band : bands) {
        for (; level <= band.LastLevel; ++level) {
            SCOPED_TRACE(level);
            EXPECT_EQ(band.Band, AlignmentBandOf(LevelVolts(level, LevelVoltFactor)));
        }
    }
    EXPECT_EQ(0.59999996f, LevelVolts(38, LevelVoltFactor));
    EXPECT_EQ(2.70000005f, LevelVolts(171, LevelVoltFactor));
}

TEST(AlignmentBand, LampFontAndFieldOfEachBand)
{
    const struct {
        AlignmentBand Band;
        uint32_t Colour;
        int32_t FontSize;
        bool FieldRed;
    } looks[] = {
        {AlignmentBand::NoSignal, ColourRed, 12, false},     {AlignmentBand::TooLow, ColourRed, 12, true},
        {AlignmentBand::LowDanger, ColourYellow, 12, false}, {AlignmentBand::Normal, ColourGreen, 11, false},
        {AlignmentBand::HighDanger, ColourYellow, 12, false}, {AlignmentBand::TooHigh, ColourRed, 12, true},
    };
    for (const auto& row : looks) {
        SCOPED_TRACE(static_cast<int>(row.Band));
        const AlignmentBandLook look = AlignmentBandLookOf(row.Band);
        EXPECT_EQ(row.Colour, look.StatusColour);
        EXPECT_EQ(row.FontSize, look.FontSize);
        EXPECT_EQ(row.FieldRed, look.FieldRed);
    }
}

TEST(LevelZone, LevelAgainstTheThresholdAndItsIntegerHalf)
{
    const struct {
        int32_t Level;
        int32_t Threshold;
        LevelZone Zone;
        uint32_t Gauge;
    } rows[] = {
        {49, 100, LevelZone::Quiet, ColourGreen},         {50, 100, LevelZone::Noisy, ColourYellow},
        {100, 100, LevelZone::Noisy, ColourYellow},       {101, 100, LevelZone::OverThreshold, ColourRed},
        // 101 halves to 50: the noisy band starts at the same level.
        {49, 101, LevelZone::Quiet, ColourGreen},         {50, 101, LevelZone::Noisy, ColourYellow},
        // Without a threshold every level is over it, and zero itself is noisy.
        {0, 0, LevelZone::Noisy, ColourYellow},           {1, 0, LevelZone::OverThreshold, ColourRed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.Level << " against " << row.Threshold);
        EXPECT_EQ(row.Zone, LevelZoneOf(row.Level, row.Threshold));
        EXPECT_EQ(row.Gauge, GaugeColourOf(row.Zone));
    }
}

TEST(SupplyColour, FieldColourOfEachBand)
{
    const struct {
        uint8_t Raw;   // the supply byte on the band's edge
        uint32_t Colour;
    } rows[] = {
        {43, ColourRed},      {44, ColourYellow},    {49, ColourYellow}, {50, ColourFieldGrey},
        {176, ColourFieldGrey}, {177, ColourYellow}, {183, ColourYellow}, {184, ColourRed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.Raw));
        EXPECT_EQ(row.Colour, SupplyColourOf(adjust::SupplyBandOf(zirv::SupplyVoltsOf(row.Raw))));
    }
}

TEST(ModeWalk, PressesFromEveryReportedMode)
{
    const int32_t presses[8] = {3, 3, 2, 3, 4, 3, 3, 3};
    for (uint8_t bits = 0; bits < 8; ++bits) {
        SCOPED_TRACE(static_cast<int>(bits));
        EXPECT_EQ(presses[bits], ModeWalkPresses(bits));
    }
}

TEST(SearchBar, StepPerAddressByPortCount)
{
    EXPECT_EQ(312, SearchStepPerAddress(10000, 1));
    EXPECT_EQ(156, SearchStepPerAddress(10000, 2));
    EXPECT_EQ(104, SearchStepPerAddress(10000, 3));
    EXPECT_EQ(6, SearchStepPerAddress(10000, 52));
}

TEST(SearchEnd, ScreensThatMaximiseTheWindow)
{
    EXPECT_TRUE(MaximiseOnScreen(1024, 768));
    EXPECT_TRUE(MaximiseOnScreen(1280, 600));
    EXPECT_FALSE(MaximiseOnScreen(1025, 601));
    EXPECT_FALSE(MaximiseOnScreen(1280, 1024));
}

TEST(WizardQuestion, TextsByLanguage)
{
    const struct {
        int32_t Language;
        const wchar_t* Title;
        const wchar_t* Yes;
        const wchar_t* No;
    } rows[] = {
        {0, L"Setup Wizard", L"Yes", L"No"},
        {1, L"\u041C\u0430\u0441\u0442\u0435\u0440 \u043D\u0430\u0441\u0442\u0440\u043E\u0439\u043A\u0438",
         L"\u0414\u0430", L"\u041D\u0435\u0442"},
        {4, L"Setup Wizard", L"S\u00ED", L"No"},
        {6, L"Master nastaveni", L"Ano", L"Ne"},
        {11, L"Setup Wizard", L"Si", L"No"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Language);
        const WizardQuestionTexts* texts = WizardQuestionTextsOf(row.Language);
        ASSERT_NE(nullptr, texts);
        EXPECT_STREQ(row.Title, texts->Title);
        EXPECT_STREQ(row.Yes, texts->Yes);
        EXPECT_STREQ(row.No, texts->No);
    }
    // The language without texts, Korean and indexes outside the list leave the dialog's own.
    for (int32_t language : {5, 7, 12, -1})
        EXPECT_EQ(nullptr, WizardQuestionTextsOf(language)) << language;
}

TEST(VoltsText, HalvesRoundAwayFromZero)
{
    const vcl::TFormatSettings saved = vcl::FormatSettings;
    vcl::FormatSettings.DecimalSeparator = L'.';
    const struct {
        float Volts;
        const wchar_t* Text;
    } rows[] = {
        // Supply bytes 5, 45 and 65 give volts exactly on a half.
        {zirv::SupplyVoltsOf(5), L"3.3"},
        {zirv::SupplyVoltsOf(45), L"9.3"},
        {zirv::SupplyVoltsOf(65), L"12.3"},
        {zirv::SupplyVoltsOf(0), L"2.5"},
        {LevelVolts(190, LevelVoltFactor), L"3.0"},
        {LevelVolts(0, LevelVoltFactor), L"0.0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Volts);
        EXPECT_EQ(vcl::String(row.Text), VoltsText(row.Volts));
    }
    vcl::FormatSettings = saved;
}

}  // namespace
