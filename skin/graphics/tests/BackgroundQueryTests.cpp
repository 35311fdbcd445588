// The background query on real windows: a parent that describes its background, one that answers
// its colour, one that only paints itself, and a window that knows nothing of skins.
#include <gtest/gtest.h>

#include "PixelFixtures.h"
#include "pump.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/DibSection.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/forms.h"

namespace skin::test {
namespace {

using vcl::TColor;
using vcl::TPoint;
using vcl::TRect;

// A container that answers the background query with its own bitmap at an offset of (3, 4),
// and the colour query with AnsweredColour (0: no answer). It counts the queries it is asked.
class TAnsweringPanel : public vcl::TCustomControl {
    CL_CLASS(TAnsweringPanel, vcl::TCustomControl)
public:
    using vcl::TCustomControl::TCustomControl;
    vcl::TBitmap* Cache = nullptr;  // none: the background query goes unanswered
    TColor AnsweredColour = TColor(0);
    int Queries = 0;

    void WndProc(vcl::TMessage& Message) override
    {
        switch (SkinCommandOf(Message)) {
        case scmdQueryBackground:
            ++Queries;
            if (Cache) {
                auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam);
                info->BgKind = 2;
                info->Bmp = Cache;
                info->Offset = TPoint(3, 4);
                Message.Result = 1;
            }
            return;
        case scmdQueryColor: Message.Result = LRESULT(AnsweredColour); return;
        default: vcl::TCustomControl::WndProc(Message);
        }
    }
};

class BackgroundQuery : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Form = vcl::Create<vcl::TForm>(nullptr);
        Form->SetBounds(100, 100, 200, 150);
        Panel = vcl::Create<TAnsweringPanel>(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(0, 0, 60, 40);
        Panel->SetColor(vcl::clRed);
    }
    void TearDown() override { Form->Free(); }

    vcl::TForm* Form = nullptr;
    TAnsweringPanel* Panel = nullptr;
};

TEST_F(BackgroundQuery, ASkinnedParentDescribesItsBitmapEvenWithoutAWindow)
{
    vcl::TBitmap cache;
    Panel->Cache = &cache;
    TacBGInfo info;
    EXPECT_TRUE(GetBGInfo(info, Panel));
    EXPECT_FALSE(Panel->HandleAllocated());
    EXPECT_EQ(info.BgKind, 2);
    EXPECT_EQ(info.Bmp, &cache);
    const TCacheInfo ci = BGInfoToCI(info);
    EXPECT_TRUE(ci.Ready);
    EXPECT_EQ(ci.Bmp, &cache);
    EXPECT_EQ(ci.X, 3);
    EXPECT_EQ(ci.Y, 4);
    EXPECT_EQ(ci.FillColor, vcl::clFuchsia);

    Panel->HandleNeeded();
    TacBGInfo byHandle;
    EXPECT_TRUE(GetBGInfo(byHandle, Panel->Handle()));
    EXPECT_EQ(byHandle.Bmp, &cache);
    EXPECT_EQ(Panel->Queries, 2);
}

TEST_F(BackgroundQuery, AParentThatDescribesNothingGivesItsColour)
{
    TacBGInfo info;
    EXPECT_FALSE(GetBGInfo(info, Panel));
    EXPECT_EQ(info.BgKind, 1);
    EXPECT_EQ(info.Color, TColor(0x0000FF));  // its own Color: red

    Panel->AnsweredColour = TColor(0x123456);
    EXPECT_FALSE(GetBGInfo(info, Panel));
    EXPECT_EQ(info.Color, TColor(0x123456));
    const TCacheInfo ci = BGInfoToCI(info);
    EXPECT_FALSE(ci.Ready);
    EXPECT_EQ(ci.FillColor, TColor(0x123456));

    // Asked to draw, it fills the rectangle of the DC with that colour when the record holds a bitmap.
    TDibSection dc(8, 8);
    vcl::TBitmap any;
    info = TacBGInfo();
    info.Bmp = &any;
    info.DC = dc.DC();
    info.R = TRect(2, 2, 4, 4);
    GetBGInfo(info, Panel, true);
    EXPECT_EQ(dc.View().At(2, 3) & 0xFFFFFF, 0x563412u);
    EXPECT_EQ(dc.View().At(4, 3), 0u);
}

TEST_F(BackgroundQuery, WithFillNowAParentThatDescribesNothingPaintsItselfIntoTheDC)
{
    Panel->HandleNeeded();
    TDibSection dc(20, 20);
    TacBGInfo info;
    info.FillNow = true;
    info.DC = dc.DC();
    info.Offset = TPoint(10, 10);
    info.R = TRect(2, 2, 6, 6);
    EXPECT_FALSE(GetBGInfo(info, Panel));
    EXPECT_EQ(info.BgKind, 0);
    EXPECT_EQ(info.R, TRect(12, 12, 16, 16));
    const TPixelView v = dc.View();
    EXPECT_EQ(v.At(2, 2) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(v.At(5, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(v.At(1, 2), 0u);
    EXPECT_EQ(v.At(6, 5), 0u);
    POINT origin;
    GetViewportOrgEx(dc.DC(), &origin);
    EXPECT_EQ(origin.x, 0);
}

TEST_F(BackgroundQuery, AControlFindsWhatLiesBeneathItInItsParentsAnswer)
{
    vcl::TBitmap cache;
    Panel->Cache = &cache;
    auto* child = vcl::Create<vcl::TGraphicControl>(Form);
    child->SetParent(Panel);
    const TCacheInfo beneath = GetParentCache(child);
    EXPECT_TRUE(beneath.Ready);
    EXPECT_EQ(beneath.Bmp, &cache);
    EXPECT_EQ(beneath.X, 3);
    EXPECT_EQ(beneath.Y, 4);

    Panel->Cache = nullptr;
    EXPECT_EQ(GetParentCache(child).FillColor, TColor(0x0000FF));

    child->SetParent(nullptr);
    for (const TCacheInfo& none : {GetParentCache(child), GetParentCache(nullptr), BackgroundOf(nullptr)}) {
        EXPECT_FALSE(none.Ready);
        EXPECT_EQ(none.Bmp, nullptr);
        EXPECT_EQ(none.FillColor, vcl::clFuchsia);
    }
}

TEST_F(BackgroundQuery, AWindowThatKnowsNoSkinsGivesTheButtonFace)
{
    ASSERT_EQ(DefaultManager, nullptr);
    const HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    TacBGInfo info;
    EXPECT_FALSE(GetBGInfo(info, plain));
    EXPECT_EQ(info.BgKind, 1);
    EXPECT_EQ(uint32_t(info.Color), 0xFF00000Fu);
    EXPECT_EQ(uint32_t(BGInfoToCI(info).FillColor), uint32_t(GetSysColor(COLOR_BTNFACE)));
    DestroyWindow(plain);
}

}  // namespace
}  // namespace skin::test
