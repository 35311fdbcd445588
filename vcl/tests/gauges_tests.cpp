// The bar gauge: its arithmetic and its pixels.
#include "windowing_fixtures.h"

#include "vcl/gauges.h"

using namespace vcl;
using namespace wintest;
using testsupport::Grab;

TEST(GaugeFillExtent, ScalesProgressOverTheRangeAndFillsNothingForAnEmptyRange)
{
    EXPECT_EQ(174, GaugeFillExtent(95, 0, 190, 348));
    EXPECT_EQ(348, GaugeFillExtent(190, 0, 190, 348));
    EXPECT_EQ(1, GaugeFillExtent(1, 0, 190, 348)) << "348 / 190 truncates";
    EXPECT_EQ(50, GaugeFillExtent(15, 10, 20, 100));
    EXPECT_EQ(0, GaugeFillExtent(5, 5, 5, 100));
}

TEST_F(WindowTest, VerticalGaugeFillsItsBottomRowsInsideAOnePixelFrame)
{
    TForm* form = NewForm(400, 400);
    auto* gauge = NewChild<TCGauge>(form, 130, 20, 100, 350);
    gauge->SetKind(TGaugeKind::gkVerticalBar);
    gauge->SetShowText(false);
    gauge->SetForeColor(clGreen);
    gauge->SetBackColor(clWhite);
    gauge->SetMaxValue(190);
    gauge->SetProgress(95);
    ShowAndPaint(form);

    // Progress 95 of 0..190 fills 95 * 348 div 190 = 174 of the 348 inner rows.
    auto expected = [](int x, int y, int filledRows) {
        if (x == 0 || x == 99 || y == 0 || y == 349)
            return RGB(0, 0, 0);
        return y >= 349 - filledRows ? RGB(0, 0x80, 0) : RGB(255, 255, 255);
    };
    testsupport::TGrab grab = Grab(form->Handle());
    for (int y = 0; y < 350; ++y)
        for (int x : {0, 1, 50, 98, 99})
            ASSERT_EQ(expected(x, y, 174), grab.ClientPixel(130 + x, 20 + y)) << x << "," << y;

    gauge->SetProgress(300);
    EXPECT_EQ(190, gauge->Progress());
    grab = Grab(form->Handle());
    for (int y = 0; y < 350; ++y)
        ASSERT_EQ(expected(50, y, 348), grab.ClientPixel(180, 20 + y)) << y;
}
