// Sending, asking and passing on the skin command message, the colour query and the shared
// control utilities, on real windows.
#include <gtest/gtest.h>

#include "SkinTestControls.h"
#include "pump.h"
#include "skin/core/sConst.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "vcl/forms.h"
#include "vcl/mask.h"
#include "vcl/seams.h"
#include "vcl/stdctrls.h"

using namespace skin;
using skintest::TLoggingGraphic;
using skintest::TLoggingPanel;
using vcl::TMessage;

namespace {

class SkinMessaging : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Form = vcl::Create<vcl::TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 200);
    }
    void TearDown() override { Form->Free(); }

    template<class T>
    T* Child(vcl::TWinControl* Parent, bool Skinned = false, vcl::TColor Color = vcl::clRed)
    {
        T* control = vcl::Create<T>(Form);
        control->SetParent(Parent);
        control->SetBounds(0, 0, 50, 30);
        control->SetColor(Color);
        if constexpr (std::is_same_v<T, TLoggingPanel>)
            control->Skinned = Skinned;
        return control;
    }

    vcl::TForm* Form = nullptr;
};

TMessage Loaded() { return MakeSkinMessage(scmdSkinLoaded, 0x1234); }

}  // namespace

TEST_F(SkinMessaging, SendingNeverCreatesAWindow)
{
    auto* panel = Child<TLoggingPanel>(Form, true);
    auto* graphic = Child<TLoggingGraphic>(Form);
    EXPECT_EQ(SendAMessage(panel, scmdQuerySkinned), 0);
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_TRUE(panel->Log.Commands.empty());
    EXPECT_FALSE(GetBoolMsg(panel, scmdQuerySkinned));

    SendAMessage(graphic, scmdRepaint, 77);  // a graphic control by its own dispatch
    EXPECT_EQ(graphic->Log.Commands, std::vector<uint16_t>{scmdRepaint});
    EXPECT_EQ(graphic->Log.LParams[0], 77);

    panel->HandleNeeded();
    EXPECT_TRUE(GetBoolMsg(panel, scmdQuerySkinned));
    EXPECT_FALSE(GetBoolMsg(Form, scmdQuerySkinned));  // a plain window answers 0
    EXPECT_EQ(SendAMessage(static_cast<vcl::TControl*>(nullptr), scmdQuerySkinned), 0);
}

TEST_F(SkinMessaging, AlphaBroadCastReachesSkinnedControlsInsidePlainContainers)
{
    auto* plain = Child<TLoggingPanel>(Form);
    auto* inner = Child<TLoggingPanel>(plain, true);
    auto* innerGraphic = Child<TLoggingGraphic>(plain);
    auto* skinned = Child<TLoggingPanel>(Form, true);
    auto* skinnedChild = Child<TLoggingPanel>(skinned, true);
    Form->HandleNeeded();
    plain->HandleNeeded();
    inner->HandleNeeded();
    skinned->HandleNeeded();
    skinnedChild->HandleNeeded();
    TMessage m = Loaded();
    AlphaBroadCast(Form, m);
    EXPECT_EQ(plain->Log.Count(scmdSkinLoaded), 0);  // asked whether skinned, given nothing
    EXPECT_EQ(inner->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(innerGraphic->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(skinned->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(skinnedChild->Log.Count(scmdSkinLoaded), 0);  // passing on is the skinned parent's own business
    EXPECT_EQ(inner->Log.LParams.back(), 0x1234);
}

TEST_F(SkinMessaging, AlphaBroadCastSkipsADyingChildAndGoesOnWithItsSiblings)
{
    auto* first = Child<TLoggingPanel>(Form);
    auto* dying = Child<TLoggingPanel>(Form);
    auto* third = Child<TLoggingPanel>(Form);
    dying->Destroying();
    TMessage m = Loaded();
    AlphaBroadCast(Form, m);
    EXPECT_EQ(first->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(dying->Log.Count(scmdSkinLoaded), 0);
    EXPECT_EQ(third->Log.Count(scmdSkinLoaded), 1);
}

TEST_F(SkinMessaging, AlphaBroadCastFollowsChildrenFreedDuringTheWalk)
{
    auto* first = Child<TLoggingPanel>(Form);
    auto* second = Child<TLoggingPanel>(Form);
    auto* third = Child<TLoggingPanel>(Form);
    first->Log.OnCommand = [&](uint16_t) { second->Free(); };
    TMessage m = Loaded();
    AlphaBroadCast(Form, m);
    EXPECT_EQ(first->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(third->Log.Count(scmdSkinLoaded), 1);
}

TEST_F(SkinMessaging, AlphaBroadCastByHandleReachesNoGrandchild)
{
    auto* child = Child<TLoggingPanel>(Form);
    auto* grandchild = Child<TLoggingPanel>(child);
    grandchild->HandleNeeded();
    AlphaBroadCast(Form->Handle(), Loaded());
    EXPECT_EQ(child->Log.Count(scmdSkinLoaded), 1);
    EXPECT_EQ(grandchild->Log.Count(scmdSkinLoaded), 0);
}

TEST_F(SkinMessaging, ControlColours)
{
    auto* plain = Child<TLoggingPanel>(Form, false, vcl::clBtnFace);
    auto* skinned = Child<TLoggingPanel>(Form, true, vcl::clWindow);
    Form->HandleNeeded();
    plain->HandleNeeded();
    skinned->HandleNeeded();
    EXPECT_EQ(GetControlColor(plain->Handle()), vcl::clBlack);  // no answer
    EXPECT_EQ(GetControlColor(HWND(nullptr)), vcl::clFuchsia);
    EXPECT_EQ(GetControlColor(skinned->Handle()), vcl::TColor(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(GetControlColor(plain), vcl::TColor(GetSysColor(COLOR_BTNFACE)));  // its own colour
    EXPECT_EQ(GetControlColor(skinned), vcl::TColor(GetSysColor(COLOR_WINDOW)));  // its answer
    EXPECT_EQ(GetControlColor(static_cast<vcl::TControl*>(nullptr)), vcl::clFuchsia);
}

TEST_F(SkinMessaging, ParentUpdatedReachesShowingWindowedChildren)
{
    auto* showing = Child<TLoggingPanel>(Form);
    auto* hidden = Child<TLoggingPanel>(Form);
    auto* graphic = Child<TLoggingGraphic>(Form);
    hidden->SetVisible(false);
    Form->Show();
    hidden->HandleNeeded();
    SetParentUpdated(Form);
    EXPECT_EQ(showing->Log.Count(scmdParentUpdated), 1);
    EXPECT_EQ(hidden->Log.Count(scmdParentUpdated), 0);
    EXPECT_EQ(graphic->Log.Count(scmdParentUpdated), 0);

    SetParentUpdated(Form->Handle());  // every child-style window, hidden or not
    EXPECT_EQ(showing->Log.Count(scmdParentUpdated), 2);
    EXPECT_EQ(hidden->Log.Count(scmdParentUpdated), 1);

    InAnimationProcess = true;
    SetParentUpdated(Form);
    InAnimationProcess = false;
    EXPECT_EQ(showing->Log.Count(scmdParentUpdated), 2);
}

TEST_F(SkinMessaging, AlignShiftAndTextFlags)
{
    auto* top1 = Child<TLoggingPanel>(Form);
    auto* top2 = Child<TLoggingPanel>(Form);
    auto* hiddenTop = Child<TLoggingPanel>(Form);
    auto* graphicTop = Child<TLoggingGraphic>(Form);
    top1->SetHeight(30);
    top2->SetHeight(20);
    hiddenTop->SetVisible(false);
    graphicTop->SetHeight(7);
    for (vcl::TControl* c : std::initializer_list<vcl::TControl*>{top1, top2, hiddenTop, graphicTop})
        c->SetAlign(vcl::TAlign::alTop);
    EXPECT_EQ(GetAlignShift(Form, vcl::TAlign::alTop, false), 50);
    EXPECT_EQ(GetAlignShift(Form, vcl::TAlign::alTop, true), 57);
    EXPECT_EQ(GetAlignShift(Form, vcl::TAlign::alClient, true), 0);

    EXPECT_EQ(GetStringFlags(top1, vcl::TAlignment::taRightJustify), DT_RIGHT | DT_EXPANDTABS | DT_VCENTER);
    EXPECT_EQ(GetStringFlags(top1, vcl::TAlignment::taCenter), DT_CENTER | DT_EXPANDTABS | DT_VCENTER);
}

TEST_F(SkinMessaging, ControlReadiness)
{
    auto* windowed = Child<TLoggingPanel>(Form);
    auto* graphic = Child<TLoggingGraphic>(Form);
    EXPECT_FALSE(ControlIsReady(nullptr));
    EXPECT_FALSE(ControlIsReady(Form));  // no parent
    EXPECT_FALSE(ControlIsReady(windowed));  // no handle yet
    EXPECT_TRUE(ControlIsReady(graphic));
    windowed->HandleNeeded();
    EXPECT_TRUE(ControlIsReady(windowed));
    EXPECT_EQ(GetOwnerForm(graphic), Form);
    EXPECT_EQ(GetParentFormHandle(windowed->Handle()), Form->Handle());
}

TEST_F(SkinMessaging, ASeeThroughControlOverAParentWithoutAnAnswerTakesTheParentsColour)
{
    // A windowed parent that answers the colour query with the key colour.
    class TKeyParent : public vcl::TCustomControl {
    public:
        using vcl::TCustomControl::TCustomControl;
        void WndProc(TMessage& Message) override
        {
            if (SkinCommandOf(Message) == scmdQueryColor)
                Message.Result = LRESULT(vcl::clFuchsia);
            else
                vcl::TCustomControl::WndProc(Message);
        }
    };
    skin::test::TTestSkin skin;
    const int glass = skin.AddSection(L"GLASS", vcl::clRed);
    skin.SetTransparency(glass, 100);
    auto* parent = Child<TKeyParent>(Form, false, vcl::TColor(0x123456));
    parent->HandleNeeded();
    auto* control = Child<TLoggingGraphic>(parent);
    TsCommonData data(control, false);
    data.SetSkinManager(skin.Manager());
    data.SetSkinSection(L"GLASS");
    TMessage m = MakeSkinMessage(scmdQueryColor);
    EXPECT_TRUE(CommonMessage(m, &data));
    EXPECT_EQ(m.Result, 0x123456);
}

TEST_F(SkinMessaging, OwnerFormsAndFrames)
{
    auto* frame = vcl::Create<vcl::TFrame>(Form);
    auto* inFrame = vcl::Create<TLoggingGraphic>(frame);
    EXPECT_EQ(GetOwnerFrame(inFrame), frame);
    EXPECT_EQ(GetOwnerFrame(frame), frame);
    EXPECT_EQ(GetOwnerForm(inFrame), Form) << "past the frame";
    EXPECT_EQ(GetOwnerFrame(Form), nullptr);
    EXPECT_EQ(GetOwnerFrame(nullptr), nullptr);
}

TEST_F(SkinMessaging, TheClientRectangleInWindowCoordinates)
{
    auto* panel = Child<TLoggingPanel>(Form);
    panel->SetBounds(10, 10, 60, 40);
    panel->HandleNeeded();
    EXPECT_EQ(ACClientRect(panel->Handle()), vcl::TRect(0, 0, 60, 40)) << "no frame";

    // The frames the system gives these styles, measured rather than assumed.
    const auto frame = [](DWORD Style, DWORD ExStyle) {
        RECT r{0, 0, 0, 0};
        AdjustWindowRectEx(&r, Style, FALSE, ExStyle);
        return vcl::TRect(-r.left, -r.top, r.right, r.bottom);
    };
    for (const auto& [style, exStyle] : {std::pair<DWORD, DWORD>{WS_BORDER, 0}, {0, WS_EX_CLIENTEDGE}}) {
        const HWND window = CreateWindowExW(exStyle, L"STATIC", L"", WS_CHILD | style, 5, 5, 60, 40, Form->Handle(),
                                            nullptr, nullptr, nullptr);
        const vcl::TRect f = frame(WS_CHILD | style, exStyle);
        ASSERT_GT(f.left + f.top, 0);
        EXPECT_EQ(ACClientRect(window), vcl::TRect(f.left, f.top, 60 - f.right, 40 - f.bottom));
        DestroyWindow(window);
    }
}

TEST_F(SkinMessaging, AnEditIsAllSelectedWhenTheSelectionCoversItsWholeText)
{
    auto* edit = vcl::Create<vcl::TEdit>(Form);
    edit->SetParent(Form);
    EXPECT_TRUE(AllEditSelected(edit)) << "no text, nothing selected";
    edit->SetText(L"abcd");
    struct TCase {
        int Start, Length;
        bool All;
    };
    for (const TCase& c : {TCase{0, 4, true}, TCase{1, 3, false}, TCase{0, 3, false}, TCase{4, 0, false}}) {
        edit->SetSelStart(c.Start);
        edit->SetSelLength(c.Length);
        EXPECT_EQ(AllEditSelected(edit), c.All) << c.Start << "+" << c.Length;
    }
}

TEST_F(SkinMessaging, AMaskedEditIsAllSelectedWhenTheSelectionCoversItsShownText)
{
    auto* edit = vcl::Create<vcl::TMaskEdit>(Form);
    edit->SetParent(Form);
    edit->SetEditMask(L"00-00;0;_");
    edit->SetText(L"1234");
    ASSERT_EQ(edit->EditText(), L"12-34");
    edit->SetSelStart(0);
    edit->SetSelLength(5);
    EXPECT_TRUE(AllEditSelected(edit)) << "the literal counts";
    edit->SetSelLength(4);
    EXPECT_FALSE(AllEditSelected(edit));
}

TEST(SkinUtilities, TheMousePositionIsTheCursorsOnTheScreen)
{
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().CursorPos = [] { return vcl::TPoint(123, 45); };
    EXPECT_EQ(acMousePos(), vcl::TPoint(123, 45));
    vcl::Seams() = saved;
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(acMousePos(), vcl::TPoint(cursor.x, cursor.y));
}

TEST(SkinLibraryTexts, ComeFromTheStringTable)
{
    EXPECT_EQ(LibraryText(acsOK), L"OK");
    EXPECT_EQ(LibraryText(acsHelp), L"&Help");
    EXPECT_EQ(LibraryText(acsSkinPreview), L"Skin preview");
    EXPECT_EQ(LibraryText(acsFrameAdapterError), L"TsFrameAdapter adapter must be placed on the handled frame");
    EXPECT_EQ(LibraryText(acsInvalidDate), L"Invalid date");  // the table does not hold it
    EXPECT_EQ(acScrollWidth, GetSystemMetrics(SM_CXHSCROLL));
    EXPECT_NE(Ac_SetWindowTheme, nullptr);  // the system has a theme library
}
