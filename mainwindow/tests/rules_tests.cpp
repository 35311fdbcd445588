// The adjustments' arithmetic and the wizard's tables, without a window.
#include "link/Frames.h"
#include "mainwindow/Adjustrules.h"
#include "mainwindow/Wizardrules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace adjust;

constexpr float LevelVoltFactor = 3.0f / 190.0f;
constexpr float PixelsPerVolt = 116.67f;
constexpr int ScaleHeight = 350;

// The raw level a detector reports for a threshold in tenths of a volt (raw 190 = 3.0 V).
int ThresholdRaw(int tenths)
{
    return static_cast<int>(std::lround(tenths * 190.0 / 30.0));
}

TEST(ThresholdPulses, EveryThresholdReachesEveryOtherThroughTheWrap)
{
    for (int from = 10; from <= 25; ++from) {
        for (int to = 10; to <= 25; ++to) {
            SCOPED_TRACE(testing::Message() << from << " -> " << to);
            const float current = ThresholdVolts(ThresholdRaw(from), LevelVoltFactor);
            ASSERT_FLOAT_EQ(from / 10.0f, current);
            // Each press takes the next lower tenth; equal thresholds take a whole turn.
            const int down = ((from - to) % 16 + 16) % 16;
            EXPECT_EQ(down == 0 ? 16 : down, ThresholdPulses(current, RoundToTenth(to / 10.0)));
        }
    }
}

TEST(ThresholdPulses, DifferencesInBothDirections)
{
    const struct {
        float Current, Target;
        int Pulses;
    } cases[] = {
        {2.0f, 1.3f, 7}, {1.3f, 2.0f, 9}, {1.0f, 2.5f, 1},  {2.5f, 1.0f, 15},
        {2.4f, 1.5f, 9}, {1.5f, 2.4f, 7}, {2.4f, 1.0f, 14}, {1.0f, 2.4f, 2},
        {1.7f, 1.7f, 16},
        // Only a stored threshold outside the range gives no pulse at all.
        {0.0f, 2.5f, -9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Current << " -> " << c.Target);
        EXPECT_EQ(c.Pulses, ThresholdPulses(c.Current, c.Target));
    }
}

TEST(ScaleClick, HeightAboveTheBottomEdgeBecomesAThresholdInTheRange)
{
    const struct {
        int PixelsAbove;
        float Volts;
    } cases[] = {
        {146, 1.3f},   // 1.2514 rounds up
        {140, 1.2f},   // 1.19997
        {175, 1.5f},   // 1.49996
        {291, 2.5f},
        {320, 2.5f},   // held to 2.5
        {350, 2.5f},   // the top edge, 3.0 V
        {116, 1.0f},
        {100, 1.0f},   // held to 1.0
        {0, 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.PixelsAbove);
        EXPECT_FLOAT_EQ(c.Volts, ScaleClickTarget(ScaleHeight, ScaleHeight - c.PixelsAbove, PixelsPerVolt));
    }
}

TEST(RoundToTenth, RoundsBothSignsToTheNearestTenth)
{
    EXPECT_FLOAT_EQ(0.3f, RoundToTenth(0.26));
    EXPECT_FLOAT_EQ(0.2f, RoundToTenth(0.24));
    EXPECT_FLOAT_EQ(-0.3f, RoundToTenth(-0.26));
    EXPECT_FLOAT_EQ(-0.2f, RoundToTenth(-0.24));
    // Differences of float thresholds land on whole tenths.
    EXPECT_FLOAT_EQ(0.7f, RoundToTenth(2.0f - 1.3f));
    EXPECT_FLOAT_EQ(-0.7f, RoundToTenth(1.3f - 2.0f));
}

TEST(SpeedList, ItemsAndCodes)
{
    const struct {
        int Item;
        uint8_t Code;
    } items[] = {{-1, 0}, {0, 1}, {1, 2}, {2, 4}, {3, 0}};
    for (const auto& c : items)
        EXPECT_EQ(c.Code, SpeedCodeOfItem(c.Item)) << c.Item;
    const struct {
        int32_t Code;
        int Item;
    } codes[] = {{0, -1}, {1, 0}, {2, 1}, {3, -1}, {4, 2}, {7, -1}};
    for (const auto& c : codes)
        EXPECT_EQ(c.Item, SpeedItemOfCode(c.Code)) << c.Code;
}

TEST(SupplyBand, RawSupplyBytesAtTheBandEdges)
{
    const struct {
        uint8_t Raw;
        SupplyBand Band;
    } cases[] = {
        {0, SupplyBand::Fault},       {43, SupplyBand::Fault},      {44, SupplyBand::NearLimit},
        {49, SupplyBand::NearLimit},  {50, SupplyBand::Normal},     {176, SupplyBand::Normal},
        {177, SupplyBand::NearLimit}, {183, SupplyBand::NearLimit}, {184, SupplyBand::Fault},
        {255, SupplyBand::Fault},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Band, SupplyBandOf(zirv::SupplyVoltsOf(c.Raw))) << int(c.Raw);
}

TEST(AlignmentStepBand, RawLevelsAtTheBandEdges)
{
    const struct {
        int Raw;
        AlignmentStepBand Band;
    } cases[] = {
        {0, AlignmentStepBand::NoSignal},     {6, AlignmentStepBand::NoSignal},
        {7, AlignmentStepBand::LowDanger},    {38, AlignmentStepBand::LowDanger},
        {39, AlignmentStepBand::Normal},      {170, AlignmentStepBand::Normal},
        {171, AlignmentStepBand::HighDanger}, {190, AlignmentStepBand::HighDanger},
        {191, AlignmentStepBand::AboveScale}, {255, AlignmentStepBand::AboveScale},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Band, AlignmentStepBandOf(c.Raw * LevelVoltFactor)) << c.Raw;
}

TEST(WizardHeading, SizesByStepWayInAndLanguage)
{
    using wizard::Move;
    EXPECT_EQ(14, wizard::HeadingFontSize(Move::Next, 1, 2));
    EXPECT_EQ(14, wizard::HeadingFontSize(Move::Back, 1, 2));
    EXPECT_EQ(15, wizard::HeadingFontSize(Move::Next, 2, 3));
    EXPECT_EQ(18, wizard::HeadingFontSize(Move::Back, 2, 3));
    EXPECT_EQ(12, wizard::HeadingFontSize(Move::Back, 4, 2));
    EXPECT_EQ(18, wizard::HeadingFontSize(Move::Next, 6, 11));
    // Languages 5 and 7, and any index outside the table, keep the size the heading has.
    for (int language : {5, 7, 12, -1})
        EXPECT_EQ(0, wizard::HeadingFontSize(Move::Next, 3, language)) << language;
}

TEST(WizardTransitions, EveryStepEnteredHasAHeadingSizeInEverySizedLanguage)
{
    using wizard::Move;
    for (Move move : {Move::Next, Move::Back}) {
        for (int16_t from = 0; from <= 7; ++from) {
            const wizard::Transition* row = wizard::FindTransition(move, from);
            const bool expected = move == Move::Next ? from >= 1 && from <= 5 : from >= 2 && from <= 6;
            ASSERT_EQ(expected, row != nullptr) << from;
            if (!row)
                continue;
            EXPECT_EQ(static_cast<int>(row->Enter), wizard::EnteredStep(*row) - 1);
            EXPECT_EQ(static_cast<int>(row->Leave), from - 1);
            for (int language : {0, 1, 2, 3, 4, 6, 8, 9, 10, 11})
                EXPECT_NE(0, wizard::HeadingFontSize(move, wizard::EnteredStep(*row), language)) << language;
        }
    }
}

}  // namespace
