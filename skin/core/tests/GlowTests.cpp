// Glows: where a glow window goes and which part of its image it shows, the frames handed to the
// layered window, the mouse passing through it, hiding, and the skin's broadcasts clearing them.
#include <gtest/gtest.h>

#include <vector>

#include "ManagerTestSupport.h"
#include "pump.h"
#include "skin/core/acGlow.h"
#include "skin/core/sCommonData.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "vcl/extctrls.h"

using namespace skin;
using skin::test::TLayeredFrame;
using skin::test::TLayeredRecorder;
using vcl::TPoint;
using vcl::TRect;
using vcl::TSize;

namespace {

TEST(GlowPlacement, TheGlowIsCutWhereTheControlIsHidden)
{
    // A control at (100, 50), 60 x 40; the image's borders and the margin.
    const TRect R(100, 50, 160, 90);
    const struct {
        const char* Name;
        TRect RealRect;
        TRect Borders;
        int Margin;
        TRect Cut;
        TSize Size;
        TPoint Pos;
    } cases[] = {
        {"whole", {0, 0, 60, 40}, {8, 8, 8, 8}, 2, {0, 0, 0, 0}, {72, 52}, {94, 44}},
        {"left and top hidden", {10, 10, 60, 40}, {8, 8, 8, 8}, 2, {16, 16, 0, 0}, {56, 36}, {110, 60}},
        {"right and bottom hidden", {0, 0, 50, 30}, {8, 8, 8, 8}, 2, {0, 0, 16, 16}, {56, 36}, {94, 44}},
        {"hidden all round", {10, 10, 50, 30}, {8, 8, 8, 8}, 2, {16, 16, 16, 16}, {40, 20}, {110, 60}},
        {"uneven borders", {3, 0, 60, 35}, {4, 6, 10, 12}, 3, {4, 0, 0, 14}, {64, 38}, {103, 47}},
        {"a margin beyond the border cuts nothing", {1, 0, 60, 40}, {2, 2, 2, 2}, 5, {0, 0, 0, 0}, {54, 34}, {103, 53}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TGlowPlacement place = PlaceGlow(R, c.RealRect, c.Borders, c.Margin);
        EXPECT_EQ(place.Cut, c.Cut);
        EXPECT_EQ(place.Size, c.Size);
        EXPECT_EQ(place.Pos, c.Pos);
    }
}

// A control that owns skin data in a section of the test skin "GLOW", with the mouse above it.
template <class TBase>
class TGlowingControl : public TBase {
public:
    explicit TGlowingControl(vcl::TComponent* AOwner) : TBase(AOwner), Data(this, false) {}
    TsCommonData Data;

    void Take(TsSkinManager* Manager, const vcl::String& Section)
    {
        Data.SetSkinManager(Manager);
        Data.SetSkinSection(Section);
        Data.FMouseAbove = true;
    }
};

class TGlowingWindowed : public TGlowingControl<vcl::TCustomControl> {
    CL_CLASS(TGlowingWindowed, vcl::TCustomControl)
public:
    using TGlowingControl::TGlowingControl;
};

class TGlowingGraphic : public TGlowingControl<vcl::TGraphicControl> {
    CL_CLASS(TGlowingGraphic, vcl::TGraphicControl)
public:
    using TGlowingControl::TGlowingControl;
};

// The test skin "GLOW" in force, a shown form with a panel, and the layered windows recorded.
class Glow : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Manager = skintest::NewManager(vcl::ExpandFileName(L"testskins"));
        Manager->SetSkinName(L"GLOW");
        ASSERT_GE(Manager->GetSkinIndex(L"GLOWING"), 0);
        Form.reset(vcl::Create<vcl::TForm>(nullptr));
        Form->SetBorderStyle(vcl::TFormBorderStyle::bsNone);
        Form->SetBounds(300, 200, 300, 200);
        Panel = vcl::Create<vcl::TPanel>(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBevelOuter(vcl::TBevelCut::bvNone);
        Panel->SetBounds(20, 20, 200, 150);
        Form->Show();
    }
    void TearDown() override
    {
        ClearGlows(true);
        Form.reset();
        Manager.reset();
        testsupport::PumpFor(0);
    }

    template <class T>
    T* Control(const TRect& Bounds, const vcl::String& Section = L"GLOWING")
    {
        T* control = vcl::Create<T>(Form.get());
        control->SetParent(Panel);
        control->SetBoundsRect(Bounds);
        control->Take(Manager.get(), Section);
        return control;
    }
    // The screen rectangle of a control of the panel.
    TRect OnScreen(vcl::TControl* Control) const
    {
        const TPoint topLeft = Panel->ClientToScreen(Control->BoundsRect().TopLeft());
        return TRect(topLeft, topLeft + TPoint(Control->Width(), Control->Height()));
    }
    // The glow shown for a hot control: the frame it handed to its window.
    const TLayeredFrame& GlowOf(TsCommonData& Data)
    {
        const size_t before = Recorder.Frames.size();
        ShowGlowingIfNeeded(Data);
        EXPECT_GE(Data.GlowID, 0);
        EXPECT_EQ(Recorder.Frames.size(), before + 1);
        return Recorder.Frames.back();
    }

    TLayeredRecorder Recorder;
    skintest::TManagerPtr Manager;
    vcl::TObjectPtr<vcl::TForm> Form;
    vcl::TPanel* Panel = nullptr;
};

TEST_F(Glow, ASectionWithoutTheGlowImageShowsNone)
{
    const int forms = vcl::Screen->CustomFormCount();
    const TRect R(100, 100, 160, 140);
    EXPECT_EQ(ShowGlow(R, TRect(0, 0, 60, 40), L"NOGLOWIMAGE", L"GLOW", 2, 255, Form->Handle(), Manager.get()), -1);
    EXPECT_EQ(ShowGlow(R, TRect(0, 0, 60, 40), L"GLOWING", L"HALO", 2, 255, Form->Handle(), Manager.get()), -1);

    auto* control = Control<TGlowingWindowed>(TRect(10, 10, 70, 50), L"NOGLOWIMAGE");
    ShowGlowingIfNeeded(control->Data);
    EXPECT_EQ(control->Data.GlowID, -1);
    EXPECT_TRUE(Recorder.Frames.empty());
    EXPECT_EQ(vcl::Screen->CustomFormCount(), forms);
}

TEST_F(Glow, AWholeControlGetsTheWholeImageAroundIt)
{
    auto* control = Control<TGlowingWindowed>(TRect(30, 30, 90, 70));
    const TLayeredFrame& frame = GlowOf(control->Data);
    const TRect R = OnScreen(control);
    // Borders of 8 less the margin of 2 on every side.
    EXPECT_EQ(frame.Pos, R.TopLeft() - TPoint(6, 6));
    EXPECT_EQ(frame.Size, TSize(72, 52));
    EXPECT_EQ(frame.Flags, DWORD(ULW_ALPHA));
    EXPECT_EQ(frame.Blend.BlendOp, AC_SRC_OVER);
    EXPECT_EQ(frame.Blend.SourceConstantAlpha, 255);
    EXPECT_EQ(frame.Blend.AlphaFormat, AC_SRC_ALPHA);
    // The corners are the image's own, the middle left transparent.
    vcl::TBitmap* image = Manager->ma[size_t(Manager->GetMaskIndex(L"GLOWING", L"GLOW0"))].Bmp.get();
    EXPECT_EQ(frame.Pixel(0, 0), PixelsOf(image).At(0, 0));
    EXPECT_EQ(frame.Pixel(71, 51), PixelsOf(image).At(19, 19));
    EXPECT_NE(frame.Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(frame.Pixel(36, 26), 0u);

    const HWND wnd = frame.Wnd;
    RECT placed{};
    GetWindowRect(wnd, &placed);
    EXPECT_EQ(TRect(placed), TRect(frame.Pos, frame.Pos + TPoint(72, 52)));
    EXPECT_TRUE(IsWindowVisible(wnd));
    const LONG_PTR exStyle = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & 0x080800A0, 0x080800A0);
    EXPECT_EQ(GetWindow(wnd, GW_HWNDNEXT), Form->Handle()) << "just above the control's form";
}

TEST_F(Glow, AControlHiddenAtTheLeftAndTopLosesThatPartOfItsGlow)
{
    auto* whole = Control<TGlowingWindowed>(TRect(100, 50, 160, 90));
    const TLayeredFrame full = GlowOf(whole->Data);
    ASSERT_EQ(full.Size, TSize(72, 52));
    whole->Free();

    // Hanging 10 pixels out of the panel at the left and the top: borders of 8 and a margin of 2
    // lose 16 pixels of the image there; the window starts where the control shows.
    const auto expectCut = [&](vcl::TControl* Control, TsCommonData& Data) {
        const TLayeredFrame cut = GlowOf(Data);
        EXPECT_EQ(cut.Pos, OnScreen(Control).TopLeft() + TPoint(10, 10));
        ASSERT_EQ(cut.Size, TSize(56, 36));
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 56; ++x)
                if (cut.Pixel(x, y) != full.Pixel(x + 16, y + 16)) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is not the whole glow's (+16, +16)";
                    return;
                }
    };
    {
        SCOPED_TRACE("windowed");
        auto* windowed = Control<TGlowingWindowed>(TRect(-10, -10, 50, 30));
        expectCut(windowed, windowed->Data);
        windowed->Free();
    }
    {
        SCOPED_TRACE("graphic");
        auto* graphic = Control<TGlowingGraphic>(TRect(-10, -10, 50, 30));
        expectCut(graphic, graphic->Data);
    }
}

TEST_F(Glow, TheMouseGoesThroughTheGlowToTheControlBeneath)
{
    // A topmost form puts its glows at the top as well.
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto* control = Control<TGlowingWindowed>(TRect(30, 30, 90, 70));
    const HWND glow = GlowOf(control->Data).Wnd;
    EXPECT_TRUE(GetWindowLongPtrW(glow, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Just inside the control, where the glow's strongest pixels lie over it.
    const TPoint inside = OnScreen(control).TopLeft() + TPoint(1, 1);
    EXPECT_EQ(SendMessageW(glow, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTTRANSPARENT);
    EXPECT_EQ(WindowFromPoint(inside), control->Handle());
}

// The thread's window-destruction notice, as the skinning of standard windows gets it: whether
// bGlowingDestroying was set when the watched window went.
HWND watched = nullptr;
bool destroyingSeen = false;
LRESULT CALLBACK WatchDestruction(int Code, WPARAM WParam, LPARAM LParam)
{
    if (Code == HCBT_DESTROYWND && reinterpret_cast<HWND>(WParam) == watched)
        destroyingSeen = bGlowingDestroying;
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

TEST_F(Glow, HidingFreesTheWindowOnceAndIdsAreNotReused)
{
    const HHOOK hook = SetWindowsHookExW(WH_CBT, WatchDestruction, nullptr, GetCurrentThreadId());

    const TRect R = TRect(400, 300, 460, 340);
    const int first = ShowGlow(R, TRect(0, 0, 60, 40), L"GLOWING", L"GLOW", 2, 255, Form->Handle(), Manager.get());
    const int second = ShowGlow(R, TRect(0, 0, 60, 40), L"GLOWING", L"GLOW", 2, 255, Form->Handle(), Manager.get());
    ASSERT_EQ(Recorder.Frames.size(), 2u);
    const HWND firstWnd = Recorder.Frames[0].Wnd, secondWnd = Recorder.Frames[1].Wnd;
    EXPECT_EQ(second, first + 1);

    HideGlow(-1);
    HideGlow(second + 1);
    EXPECT_TRUE(IsWindow(firstWnd) && IsWindow(secondWnd));

    watched = firstWnd;
    HideGlow(first);
    EXPECT_FALSE(IsWindow(firstWnd));
    EXPECT_TRUE(destroyingSeen) << "bGlowingDestroying is set while the window goes";
    EXPECT_FALSE(bGlowingDestroying);
    HideGlow(first);
    EXPECT_TRUE(IsWindow(secondWnd));
    EXPECT_EQ(ShowGlow(R, TRect(0, 0, 60, 40), L"GLOWING", L"GLOW", 2, 255, Form->Handle(), Manager.get()), second + 1);
    UnhookWindowsHookEx(hook);
}

TEST_F(Glow, ANewOrRemovedSkinClearsEveryGlow)
{
    const struct {
        const char* Name;
        void (*Change)(TsSkinManager&);
        int NextID;  // of a glow shown afterwards: the registry starts afresh
    } changes[] = {
        {"new skin", [](TsSkinManager& M) { M.SendNewSkin(false); }, 0},
        {"skin removed", [](TsSkinManager& M) { M.SetActive(false); }, -1},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.Name);
        Manager->SetActive(true);
        Recorder.Frames.clear();
        auto* a = Control<TGlowingWindowed>(TRect(10, 10, 70, 50));
        auto* b = Control<TGlowingWindowed>(TRect(100, 10, 160, 50));
        ShowGlowingIfNeeded(a->Data);
        ShowGlowingIfNeeded(b->Data);
        ASSERT_EQ(Recorder.Frames.size(), 2u);
        change.Change(*Manager);
        testsupport::PumpFor(50);
        EXPECT_FALSE(IsWindow(Recorder.Frames[0].Wnd));
        EXPECT_FALSE(IsWindow(Recorder.Frames[1].Wnd));
        EXPECT_EQ(ShowGlow(TRect(0, 0, 60, 40), TRect(0, 0, 60, 40), L"GLOWING", L"GLOW", 2, 255, Form->Handle(),
                           Manager.get()),
                  change.NextID);
        ClearGlows(true);
        a->Free();
        b->Free();
    }
}

TEST_F(Glow, TheGlowShowsWhileTheMouseIsAboveAndGoesOnAClick)
{
    auto* control = Control<TGlowingWindowed>(TRect(30, 30, 90, 70));
    TsCommonData& data = control->Data;
    const HWND first = GlowOf(data).Wnd;

    // Shown again while hot: the glow is replaced, never left behind.
    const HWND second = GlowOf(data).Wnd;
    EXPECT_FALSE(IsWindow(first));

    // A click while it shows hides it; the release shows it again.
    ShowGlowingIfNeeded(data, true);
    EXPECT_EQ(data.GlowID, -1);
    EXPECT_FALSE(IsWindow(second));
    const HWND third = GlowOf(data).Wnd;
    const vcl::TControlState normal = control->ControlState();
    control->SetControlState(vcl::TControlState(normal) << vcl::TControlStateItem::csLButtonDown);
    ShowGlowingIfNeeded(data);
    EXPECT_EQ(data.GlowID, -1);
    EXPECT_FALSE(IsWindow(third));
    control->SetControlState(normal);

    const HWND fourth = GlowOf(data).Wnd;
    data.FMouseAbove = false;
    ShowGlowingIfNeeded(data);
    EXPECT_EQ(data.GlowID, -1);
    EXPECT_FALSE(IsWindow(fourth));

    // The manager's veto.
    data.FMouseAbove = true;
    Manager->SetAllowGlowing(false);
    ShowGlowingIfNeeded(data);
    EXPECT_EQ(data.GlowID, -1);
    Manager->SetAllowGlowing(true);

    // A control going away takes its glow along.
    const HWND fifth = GlowOf(data).Wnd;
    control->Free();
    EXPECT_FALSE(IsWindow(fifth));
}

}  // namespace
