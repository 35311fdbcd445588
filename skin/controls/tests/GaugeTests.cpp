// The skinned gauge: its percentages in 64 bits, the filled length of a lying and a standing bar,
// the light that sweeps along the filled part, and the values kept within their range.
#include <gtest/gtest.h>

#include "skin/controls/sGauge.h"
#include "skin/graphics/BitmapView.h"
#include "skin/controls/tests/ControlFixtures.h"

namespace {

using namespace skin;
using skin::test::PutInForce;
using skin::test::ShownForm;
using skin::test::TTestSkin;
using vcl::TColor;

TEST(GaugeArithmetic, PercentagesAreTruncatedAndWideRangesDoNotWrap)
{
    struct TCase {
        int Min, Max, Progress, Percent;
    };
    const TCase cases[] = {{0, 100, 47, 47},      {5, 5, 5, 0},  // an empty range shows 0 %
                           {0, 3, 2, 66},         {-100, 100, 0, 50},
                           {0, 2147483646, 1073741823, 50}, {-2147483647, 2147483647, 0, 50}};
    for (const TCase& c : cases)
        EXPECT_EQ(PercentDone(c.Min, c.Max, c.Progress), c.Percent) << c.Min << ".." << c.Max << " " << c.Progress;
    EXPECT_EQ(SolveForX(47, 120), 56);
    EXPECT_EQ(AnimStep(120), 15) << "at least 15";
    EXPECT_EQ(AnimStep(2000), 40) << "2000 / 50.5";
    EXPECT_EQ(AnimStep(1010), 20);
}

// Paints into its cache on demand, so that the cache can be read.
class TTestGauge : public TsGauge {
    CL_CLASS(TTestGauge, TsGauge)
public:
    using TsGauge::TsGauge;
    uint32_t CachePixel(int X, int Y)
    {
        PrepareCache();
        return PixelsOf(SkinData()->FCacheBmp.get()).At(X, Y) & 0xFFFFFF;
    }
};

class Gauges : public ::testing::Test {
protected:
    static constexpr uint32_t Back = 0x102030, Fill = 0x3060C0;

    Gauges()
    {
        PutInForce(FSkin);
        FSkin.AddSection(L"GAUGE", TColor(RGB(0x10, 0x20, 0x30)));
        FSkin.AddSection(L"PROGRESSH", TColor(RGB(0x30, 0x60, 0xC0)));
        FForm = ShownForm(320, 240);
        FGauge = vcl::Create<TTestGauge>(FForm.get());
        FGauge->SetBounds(10, 10, 120, 20);
        FGauge->SetShowText(false);
        FGauge->SetParent(FForm.get());
    }

    TTestSkin FSkin;
    vcl::TObjectPtr<vcl::TForm> FForm;
    TTestGauge* FGauge;
};

TEST_F(Gauges, FortySevenPercentFillFiftySixPixelsOfALyingBar)
{
    FGauge->SetAnimated(false);
    ASSERT_TRUE(FGauge->SkinData()->Skinned());
    EXPECT_EQ(FGauge->CachePixel(0, 10), Fill);
    EXPECT_EQ(FGauge->CachePixel(55, 10), Fill);
    EXPECT_EQ(FGauge->CachePixel(56, 10), Back);
    FGauge->SetProgress(0);
    EXPECT_EQ(FGauge->CachePixel(0, 10), Back);
}

TEST_F(Gauges, AStandingBarFillsFromTheBottom)
{
    FGauge->SetAnimated(false);
    FGauge->SetKind(TsGaugeKind::gkVerticalBar);
    FGauge->SetBounds(10, 10, 20, 100);
    FGauge->SetProgress(30);
    EXPECT_EQ(FGauge->CachePixel(10, 99), Fill) << "no PROGRESSV: the lying section, turned";
    EXPECT_EQ(FGauge->CachePixel(10, 70), Fill);
    EXPECT_EQ(FGauge->CachePixel(10, 69), Back);
}

TEST_F(Gauges, TheLightSweepsInStepsAndWaitsForTheNextSweep)
{
    FGauge->Timer()->SetEnabled(false);
    int ticks = 0;
    FGauge->TimerAction(nullptr);  // the first tick begins a sweep
    ++ticks;
    EXPECT_EQ(FGauge->AnimPos(), -AnimSize + 15);
    while (FGauge->AnimPos() < FGauge->Width())
        FGauge->TimerAction(nullptr), ++ticks;
    EXPECT_EQ(ticks, 28) << "300 + 120 pixels, 15 a tick";
    while (FGauge->AnimPos() >= 0)
        FGauge->TimerAction(nullptr), ++ticks;
    EXPECT_EQ(ticks, 103) << "the next sweep once 2222 ms have passed since this one began";
}

TEST_F(Gauges, TheLightBrightensTheFilledPartUnderIt)
{
    FGauge->Timer()->SetEnabled(false);
    for (int i = 0; i < 12; ++i)  // the light's middle near x = 30
        FGauge->TimerAction(nullptr);
    const uint32_t lit = FGauge->CachePixel(30, 10);
    EXPECT_NE(lit, Fill);
    for (int shift = 0; shift < 24; shift += 8)
        EXPECT_GE(lit >> shift & 0xFF, Fill >> shift & 0xFF) << shift;
    EXPECT_EQ(FGauge->CachePixel(60, 10), Back) << "nothing beyond the filled part";
}

TEST_F(Gauges, ValuesStayInTheirRangeAndOnChangeFollowsAChange)
{
    int changes = 0;
    FGauge->SetOnChange(vcl::TNotifyEvent([&](vcl::TObject*) { ++changes; }));
    FGauge->SetProgress(500);
    EXPECT_EQ(FGauge->Progress(), 100);
    FGauge->SetProgress(100);
    EXPECT_EQ(changes, 1) << "nothing stored, nothing told";
    FGauge->SetMinValue(40);
    FGauge->SetProgress(-3);
    EXPECT_EQ(FGauge->Progress(), 40);
    EXPECT_EQ(FGauge->Text(), L"0%");
    EXPECT_THROW(FGauge->SetMinValue(101), vcl::EInvalidOperation);
    EXPECT_THROW(FGauge->SetMaxValue(39), vcl::EInvalidOperation);
    FGauge->SetMaxValue(40);
    EXPECT_EQ(FGauge->Text(), L"0%") << "an empty range shows 0 %";
    FGauge->SetCalcPercents(false);
    FGauge->SetSuffix(L" units");
    EXPECT_EQ(FGauge->Text(), L"40 units");
}

}  // namespace
