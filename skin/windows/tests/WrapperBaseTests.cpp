// The wrapper base on a plain EDIT and on a class-library edit, each under a procedure of ours that
// records what reaches the window's own handling: the skin commands the wrapper answers while the
// skin is active, what it keeps from the window, the print through WM_PAINT, a subclasser laid
// over the wrapper, the owner's context menu, and the helpers the wrappers share.
#include <gtest/gtest.h>

#include "skin/core/sMessages.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "vcl/forms_scrolling.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"
#include "vcl/stdctrls_lists.h"

using namespace skin;
using vcl::TMessage;
using vcl::TRect;

namespace {

// Messages that reached a recording procedure.
std::vector<UINT> Reached;

bool ReachedMessage(UINT Msg) { return std::find(Reached.begin(), Reached.end(), Msg) != Reached.end(); }

// The plain EDIT's recording procedure and the one a later subclasser lays over the wrapper.
WNDPROC EditOriginal = nullptr;
LRESULT CALLBACK RecordingEditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    Reached.push_back(Msg);
    return CallWindowProcW(EditOriginal, Wnd, Msg, WParam, LParam);
}
std::vector<UINT> ReachedLater;
WNDPROC LaterPrevious = nullptr;
LRESULT CALLBACK LaterProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    ReachedLater.push_back(Msg);
    return CallWindowProcW(LaterPrevious, Wnd, Msg, WParam, LParam);
}

LRESULT SkinCommand(HWND Wnd, uint16_t Cmd) { return SendMessageW(Wnd, SkinCommandMessage, SkinCommandWParam(Cmd), 0); }

class WrapperBaseTest : public wraptest::WrapperTest {
protected:
    void SetUp() override
    {
        WrapperTest::SetUp();
        Reached.clear();
        ReachedLater.clear();
    }
    // A plain EDIT on the host under the recording procedure.
    HWND PlainEdit()
    {
        const HWND edit = CreateWindowExW(0, L"EDIT", L"text", WS_CHILD | WS_BORDER, 10, 10, 120, 24, Host->Handle(),
                                          nullptr, GetModuleHandleW(nullptr), nullptr);
        EditOriginal = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingEditProc)));
        return edit;
    }
    // The skin commands 7 and 37 are the wrapper's while the skin is active and the window's after.
    void ExpectCommandsAnsweredWhileActive(HWND Wnd, const TacMainWnd& Wrapper)
    {
        Reached.clear();
        EXPECT_EQ(SkinCommand(Wnd, scmdQuerySkinned), 1);
        EXPECT_EQ(SkinCommand(Wnd, scmdQuerySkinData), reinterpret_cast<LRESULT>(Wrapper.SkinData));
        EXPECT_FALSE(ReachedMessage(SkinCommandMessage));
        SendMessageW(Wnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
        EXPECT_FALSE(ReachedMessage(WM_UPDATEUISTATE));

        Manager->SetActive(false);
        Reached.clear();
        EXPECT_EQ(SkinCommand(Wnd, scmdQuerySkinned), 0);
        EXPECT_EQ(SkinCommand(Wnd, scmdQuerySkinData), 0);
        EXPECT_TRUE(ReachedMessage(SkinCommandMessage));
        SendMessageW(Wnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
        EXPECT_FALSE(ReachedMessage(WM_UPDATEUISTATE)) << "never, skin or not";
    }
};

}  // namespace

TEST_F(WrapperBaseTest, APlainEditIsTakenOverAndGivenBack)
{
    const HWND edit = PlainEdit();
    auto wrapper = NewWrapper<TacMainWnd>(edit, nullptr, nullptr, L"EDIT", false);
    EXPECT_EQ(GetPropW(edit, WrapperProperty), wrapper.get());
    EXPECT_EQ(wrapper->SkinManager, nullptr) << "none given, none taken";
    EXPECT_EQ(wrapper->SkinData->SkinManager(), Manager.get()) << "its own skin data uses the default manager";
    EXPECT_EQ(wrapper->SkinData->SkinSection(), L"EDIT");
    EXPECT_EQ(wrapper->Caption, L"text");
    SetWindowTextW(edit, L"new");
    EXPECT_EQ(wrapper->Caption, L"new");

    Reached.clear();
    const HDC dc = GetDC(edit);
    SendMessageW(edit, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ReleaseDC(edit, dc);
    EXPECT_TRUE(ReachedMessage(WM_PAINT)) << "printed through WM_PAINT";
    EXPECT_FALSE(ReachedMessage(WM_PRINT));

    ExpectCommandsAnsweredWhileActive(edit, *wrapper);
    wrapper.reset();
    EXPECT_EQ(GetPropW(edit, WrapperProperty), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingEditProc));
    DestroyWindow(edit);
}

TEST_F(WrapperBaseTest, AClassLibraryEditIsTakenOverThroughItsWindowProc)
{
    auto* edit = vcl::Create<vcl::TEdit>(Host.get());
    edit->SetParent(Host.get());
    edit->SetBounds(10, 10, 120, 24);
    const vcl::TWndMethod own = edit->WindowProc();
    edit->SetWindowProc([own](TMessage& Message) {
        Reached.push_back(Message.Msg);
        own(Message);
    });
    const vcl::TWndMethod recording = edit->WindowProc();
    vcl::TControlStyle style = edit->ControlStyle();
    style >> vcl::TControlStyleItem::csOpaque;
    edit->SetControlStyle(style);
    TsCommonData data(edit, true);
    data.SetSkinSection(L"BUTTON");
    auto wrapper = NewWrapper<TacMainWnd>(edit->Handle(), &data, nullptr, L"EDIT", false);
    EXPECT_EQ(wrapper->SkinManager, Manager.get()) << "the skin data's";
    EXPECT_EQ(data.SkinSection(), L"BUTTON") << "a section given is kept";
    EXPECT_FALSE(edit->WindowProc() == recording);
    EXPECT_TRUE(edit->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque));

    ExpectCommandsAnsweredWhileActive(edit->Handle(), *wrapper);
    wrapper.reset();
    EXPECT_TRUE(edit->WindowProc() == recording);
    EXPECT_FALSE(edit->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque));
    EXPECT_EQ(GetPropW(edit->Handle(), WrapperProperty), nullptr);
}

TEST_F(WrapperBaseTest, ALaterSubclasserKeepsItsProcedureAndReachesTheWindowAfterTheWrapperGoes)
{
    const HWND edit = PlainEdit();
    auto wrapper = NewWrapper<TacMainWnd>(edit, nullptr, Manager.get(), L"EDIT", false);
    LaterPrevious =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
    EXPECT_EQ(SkinCommand(edit, scmdQuerySkinned), 1) << "through the later procedure to the wrapper";

    UninitializeACWnd(edit, false, wrapper.get());
    EXPECT_FALSE(wrapper->Destroyed());
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LaterProc));
    EXPECT_EQ(GetPropW(edit, WrapperProperty), nullptr);

    wrapper.reset();
    Reached.clear();
    ReachedLater.clear();
    EXPECT_EQ(SkinCommand(edit, scmdQuerySkinned), 0) << "nobody answers for the freed wrapper";
    EXPECT_TRUE(std::find(ReachedLater.begin(), ReachedLater.end(), UINT(SkinCommandMessage)) != ReachedLater.end());
    EXPECT_TRUE(ReachedMessage(SkinCommandMessage)) << "the window's own procedure is reached";
    wchar_t text[16] = {};
    EXPECT_EQ(GetWindowTextW(edit, text, 16), 4);
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterPrevious));
    DestroyWindow(edit);
}

TEST_F(WrapperBaseTest, TheSharedHelpers)
{
    EXPECT_EQ(GetNonClientFont(0), nullptr);
    EXPECT_EQ(GetNonClientFont(6), nullptr);
    for (int kind = 1; kind <= 5; ++kind) {
        const HFONT font = GetNonClientFont(kind);
        EXPECT_NE(font, nullptr) << kind;
        DeleteObject(font);
    }

    auto* frame = vcl::Create<vcl::TFrame>(Host.get());
    frame->SetParent(Host.get());
    auto* inner = vcl::Create<vcl::TEdit>(frame);
    inner->SetParent(frame);
    EXPECT_EQ(FindComponentByHandle(inner->Handle(), Host.get()), inner) << "owned by a frame the form owns";
    EXPECT_EQ(FindComponentByHandle(Host->Handle(), Host.get()), nullptr);

    SetIntPropIfExists(inner, L"Color", 0x00112233);
    EXPECT_EQ(GetColorPropIfExists(inner, L"Color"), vcl::TColor(0x00112233));
    SetIntPropIfExists(inner, L"NoSuchProperty", 1);
    EXPECT_EQ(GetColorPropIfExists(inner, L"NoSuchProperty"), vcl::TColor(0));
    EXPECT_EQ(GetColorPropIfExists(nullptr, L"Color"), vcl::TColor(0));

    // The top-level ancestor answers the adaptation, asked from a child or itself.
    wraptest::TRecordingWindow root(nullptr, TRect(0, 0, 100, 100), 0);
    wraptest::TRecordingWindow child(root.Handle(), TRect(0, 0, 50, 50), 0);
    root.Answer = [](UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result) {
        Result = 25;
        return Msg == SkinCommandMessage && HIWORD(WParam) == scmdAdaptControl;
    };
    EXPECT_EQ(SendAdaptToRoot(child.Handle()), 25);
    EXPECT_EQ(SendAdaptToRoot(root.Handle()), 25);
    EXPECT_TRUE(child.Received(SkinCommandMessage).empty());

    TsCommonData data(nullptr, true);
    data.SetSkinSection(L"BUTTON");
    EXPECT_TRUE(MayBeHot(&data)) << "a section of three states";
    data.SetSkinSection(L"PANEL");
    EXPECT_FALSE(MayBeHot(&data)) << "one state, one image";
}

// The user asks for a control's context menu: whichever wrapper holds the control hands the menu
// to the skin's menu painter before the control's own handling opens it.
TEST_F(WrapperBaseTest, TheOwnersContextMenuIsSkinnedBeforeItOpens)
{
    const struct {
        const char* Name;
        std::function<std::unique_ptr<TacMainWnd>(HWND, TsCommonData*)> Wrap;
    } kinds[] = {
        {"base", [](HWND Handle, TsCommonData* Data) { return NewWrapper<TacMainWnd>(Handle, Data, nullptr, L"EDIT", false); }},
        {"scrolling",
         [](HWND Handle, TsCommonData* Data) -> std::unique_ptr<TacMainWnd> {
             return NewWrapper<TacScrollWnd>(Handle, Data, nullptr, L"EDIT", false);
         }},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.Name);
        auto* menu = vcl::Create<vcl::TPopupMenu>(Host.get());
        menu->SetAutoPopup(false);
        auto* item = vcl::Create<vcl::TMenuItem>(menu);
        item->SetCaption(L"Copy");
        menu->Items()->Add(item);
        // A list: no menu of the system's own opens where the control's stays shut.
        auto* list = vcl::Create<vcl::TListBox>(Host.get());
        list->SetParent(Host.get());
        list->SetPopupMenu(menu);
        TsCommonData data(list, true);
        const auto wrapper = kind.Wrap(list->Handle(), &data);
        ASSERT_FALSE(menu->OwnerDraw());
        SendMessageW(list->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list->Handle()), MAKELPARAM(20, 20));
        EXPECT_TRUE(menu->OwnerDraw()) << "drawn by the skin";
        EXPECT_TRUE(item->OnMeasureItem()) << "its items measured by the skin";
    }
}
