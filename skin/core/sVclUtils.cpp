#include "skin/core/sVclUtils.h"

#include <algorithm>

#include "skin/core/sConst.h"
#include "skin/core/sMessages.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Acntutils.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/graphics.h"
#include "vcl/properties.h"
#include "vcl/seams.h"

namespace skin {

using vcl::TComponentStateItem;
using vcl::TControl;
using vcl::TWinControl;

bool InAnimationProcess = false;
bool acGraphPainting = false;
TSetWindowTheme Ac_SetWindowTheme = nullptr;

void WaitForAnimationEnd(unsigned TimeMs, bool ProcessMessages)
{
    constexpr ULONGLONG Margin = 250;
    const ULONGLONG deadline = GetTickCount64() + TimeMs + Margin;
    while (InAnimationProcess && GetTickCount64() < deadline) {
        if (ProcessMessages && vcl::Application)
            vcl::Application->ProcessMessages();
        Sleep(1);
    }
}

namespace {

// The theme library, loaded by the unit's start-up when the system has it.
const struct TThemeLibrary {
    HMODULE Module = LoadLibraryW(L"UXTHEME");
    TThemeLibrary() { Ac_SetWindowTheme = GetProc<TSetWindowTheme>(Module, "SetWindowTheme"); }
    ~TThemeLibrary()
    {
        Ac_SetWindowTheme = nullptr;
        if (Module)
            FreeLibrary(Module);
    }
} ThemeLibrary;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Sending and asking

LRESULT SendAMessage(HWND Handle, uint16_t Cmd, LPARAM LParam)
{
    return SendMessageW(Handle, SkinCommandMessage, SkinCommandWParam(Cmd), LParam);
}

LRESULT SendAMessage(TControl* Control, uint16_t Cmd, LPARAM LParam)
{
    if (!Control)
        return 0;
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    if (!windowed)
        return Control->Perform(SkinCommandMessage, SkinCommandWParam(Cmd), LParam);
    if (ComponentDestroying(windowed) || !windowed->HandleAllocated())
        return 0;
    return SendAMessage(windowed->Handle(), Cmd, LParam);
}

bool GetBoolMsg(TWinControl* Control, uint16_t Cmd) { return SendAMessage(Control, Cmd) == 1; }

bool GetBoolMsg(HWND Handle, uint16_t Cmd) { return SendAMessage(Handle, Cmd) == 1; }

// ---------------------------------------------------------------------------------------------
// Passing messages on

void AlphaBroadCast(TWinControl* Control, vcl::TMessage& Message)
{
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        if (ComponentDestroying(child))
            continue;
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (!windowed || !windowed->HandleAllocated())
            child->Perform(Message.Msg, Message.WParam, Message.LParam);
        else if (GetBoolMsg(windowed, scmdQuerySkinned))
            SendMessageW(windowed->Handle(), Message.Msg, Message.WParam, Message.LParam);
        else
            AlphaBroadCast(windowed, Message);
    }
}

void AlphaBroadCast(HWND Handle, const vcl::TMessage& Message)
{
    struct TWalk {
        HWND Parent;
        const vcl::TMessage& Message;
    } walk{Handle, Message};
    EnumChildWindows(
        Handle,
        [](HWND Wnd, LPARAM Data) -> BOOL {
            const auto& w = *reinterpret_cast<const TWalk*>(Data);
            if (GetParent(Wnd) == w.Parent)
                SendMessageW(Wnd, w.Message.Msg, w.Message.WParam, w.Message.LParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
}

void SendToProvider(vcl::TCustomForm* Form, vcl::TMessage& Message)
{
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (auto* provider = dynamic_cast<TsSkinProvider*>(Form->Components(i));
            provider && !ComponentDestroying(provider)) {
            provider->DsgnWndProc(Message);
            return;
        }
}

void SetParentUpdated(TWinControl* Control)
{
    if (InAnimationProcess)
        return;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        if (dynamic_cast<vcl::TGraphicControl*>(child) || ComponentDestroying(child))
            continue;
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (!windowed)
            child->Perform(SkinCommandMessage, SkinCommandWParam(scmdParentUpdated), 0);
        else if (windowed->HandleAllocated() && windowed->Showing())
            SendAMessage(windowed->Handle(), scmdParentUpdated);
    }
}

void SetParentUpdated(HWND Handle)
{
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)
            SendAMessage(child, scmdParentUpdated);
}

void AddToAdapter(TWinControl* Control)
{
    const vcl::TComponentState state = Control->ComponentState();
    if (state.Contains(TComponentStateItem::csDesigning) || state.Contains(TComponentStateItem::csLoading))
        return;
    if (vcl::TCustomForm* form = vcl::GetParentForm(Control))
        SendAMessage(form, scmdAdaptControl, reinterpret_cast<LPARAM>(Control));
}

// ---------------------------------------------------------------------------------------------
// Colours and control utilities

vcl::TColor GetControlColor(TControl* Control)
{
    if (!Control)
        return vcl::clFuchsia;
    if (SendAMessage(Control, scmdQuerySkinned) == 1)
        return vcl::TColor(vcl::ColorToRGB(vcl::TColor(
            Control->Perform(SkinCommandMessage, SkinCommandWParam(scmdQueryColor), LPARAM(vcl::clFuchsia)))));
    return vcl::TColor(vcl::ColorToRGB(Control->Color()));
}

vcl::TColor GetControlColor(HWND Handle)
{
    if (!Handle)
        return vcl::clFuchsia;
    return vcl::TColor(vcl::ColorToRGB(vcl::TColor(SendAMessage(Handle, scmdQueryColor, LPARAM(vcl::clFuchsia)))));
}

bool ControlIsReady(TControl* Control)
{
    if (!Control || !Control->Parent())
        return false;
    if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && !windowed->HandleAllocated())
        return false;
    const vcl::TComponentState state = Control->ComponentState();
    const vcl::TControlState controlState = Control->ControlState();
    return !controlState.Contains(vcl::TControlStateItem::csCreating) &&
           !controlState.Contains(vcl::TControlStateItem::csReadingState) &&
           !state.Contains(TComponentStateItem::csLoading) && !state.Contains(TComponentStateItem::csDestroying);
}

bool ComponentDestroying(const vcl::TObject* Object)
{
    const auto* component = dynamic_cast<const vcl::TComponent*>(Object);
    return component && component->ComponentState().Contains(TComponentStateItem::csDestroying);
}

bool ApplicationEnding() { return vcl::Application && vcl::Application->Terminated(); }

namespace {

// The first of Component and its owners that is a T.
template<class T>
T* FirstOwnerOf(vcl::TComponent* Component)
{
    for (vcl::TComponent* c = Component; c; c = c->Owner())
        if (auto* found = dynamic_cast<T*>(c))
            return found;
    return nullptr;
}

}  // namespace

vcl::TCustomForm* GetOwnerForm(vcl::TComponent* Component) { return FirstOwnerOf<vcl::TCustomForm>(Component); }

vcl::TCustomFrame* GetOwnerFrame(vcl::TComponent* Component) { return FirstOwnerOf<vcl::TCustomFrame>(Component); }

HWND GetParentFormHandle(HWND Handle)
{
    HWND top = Handle;
    while (HWND parent = GetParent(top))
        top = parent;
    return top;
}

vcl::TRect ACClientRect(HWND Handle)
{
    RECT client{}, window{};
    GetClientRect(Handle, &client);
    GetWindowRect(Handle, &window);
    POINT origin{0, 0};
    ClientToScreen(Handle, &origin);
    return vcl::TRect(client).Offsetted(origin.x - window.left, origin.y - window.top);
}

int GetAlignShift(TWinControl* Control, vcl::TAlign Align, bool GraphCtrlsToo)
{
    using vcl::TAlign;
    const bool vertical = Align == TAlign::alTop || Align == TAlign::alBottom;
    if (!vertical && Align != TAlign::alLeft && Align != TAlign::alRight)
        return 0;
    int shift = 0;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        if (child->Visible() && child->Align() == Align && (GraphCtrlsToo || dynamic_cast<TWinControl*>(child)))
            shift += vertical ? child->Height() : child->Width();
    }
    return shift;
}

int GetStringFlags(TControl* Control, vcl::TAlignment Alignment)
{
    // Indexed by TAlignment: left, right, centre.
    static constexpr int AlignToInt[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return AlignToInt[int(Alignment)] | DT_EXPANDTABS | DT_VCENTER |
           (Control->UseRightToLeftReading() ? DT_RTLREADING : 0);
}

bool AllEditSelected(vcl::TCustomEdit* Edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(Edit->Handle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    // The shown text: a masked edit's Text leaves out the mask's literals.
    const DWORD length = DWORD(GetWindowTextLengthW(Edit->Handle()));
    return end == length && end - start == length;
}

void PlaceEditText(HWND Edit, HWND Owner, int Left, int Right)
{
    RECT owner{}, edit{}, format{};
    GetWindowRect(Owner, &owner);
    GetWindowRect(Edit, &edit);
    const vcl::TRect client = ACClientRect(Edit).Offsetted(edit.left - owner.left, edit.top - owner.top);
    SendMessageW(Edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const auto margins = DWORD(SendMessageW(Edit, EM_GETMARGINS, 0, 0));
    // What the edit keeps between its client edges and its text besides the margins.
    const int keptLeft = format.left - LOWORD(margins);
    const int keptRight = client.Width() - format.right - HIWORD(margins);
    const int left = std::max<int>(0, Left - client.left - keptLeft);
    const int right = std::max<int>(0, client.right - Right - keptRight);
    SendMessageW(Edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(left, right));
}

void UseFontMargins(HWND Edit)
{
    SendMessageW(Edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(EC_USEFONTINFO, EC_USEFONTINFO));
}

vcl::TPoint acMousePos() { return vcl::Seams().CursorPos(); }

bool SuppressHints()
{
    if (acHintsSuppressed || !vcl::Application)
        return false;
    acSavedShowHint = vcl::Application->ShowHint();
    vcl::Application->SetShowHint(false);
    acHintsSuppressed = true;
    return true;
}

void RestoreHints()
{
    if (!acHintsSuppressed)
        return;
    if (vcl::Application)
        vcl::Application->SetShowHint(acSavedShowHint);
    acHintsSuppressed = false;
}

// ---------------------------------------------------------------------------------------------
// Painting the graphic children

namespace {

// A tool button that draws its own face over the tool bar.
bool IsSelfDrawnToolButton(TControl* Control)
{
    if (!Control->InheritsFrom(L"TToolButton"))
        return false;
    const std::optional<int64_t> style = vcl::ReadOrdinalProperty(Control, L"Style");
    return style && *style <= 2;  // tbsButton, tbsCheck, tbsDropDown
}

bool TakesPart(TControl* Child, HDC DC)
{
    const vcl::TRect bounds = Child->BoundsRect();
    return Child->Visible() && dynamic_cast<vcl::TGraphicControl*>(Child) && Child->Width() >= 1 &&
           Child->Height() >= 1 && !Child->ControlStyle().Contains(vcl::TControlStyleItem::csNoDesignVisible) &&
           !ComponentDestroying(Child) && !IsSelfDrawnToolButton(Child) && RectVisible(DC, &bounds);
}

// What lies under a child before it paints: its own colour when opaque, else the owner's background.
void PreFill(HDC DC, TControl* Child, const TacBGInfo& Background)
{
    const vcl::TRect r = Child->BoundsRect();
    if (Child->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque)) {
        FillDC(DC, r, GetControlColor(Child));
    } else if (Background.BgKind == 2 && Background.Bmp) {
        const TCanvasLock lock(Background.Bmp->Canvas());
        BitBlt(DC, r.left, r.top, r.Width(), r.Height(), Background.Bmp->Canvas()->Handle(),
               r.left + Background.Offset.x, r.top + Background.Offset.y, SRCCOPY);
    } else {
        FillDC(DC, r, Background.Color);
    }
}

void PaintChild(HDC DC, TControl* Child, bool PaintCopy)
{
    const vcl::TSavedDC saved(DC);
    OffsetViewportOrgEx(DC, Child->Left(), Child->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, Child->Width(), Child->Height());
    vcl::TControlState state = Child->ControlState();
    if (PaintCopy) {
        state << vcl::TControlStateItem::csPaintCopy;
        Child->SetControlState(state);
    }
    try {
        Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    } catch (...) {
        // A child that fails to paint is left out; the others still are painted.
    }
    state = Child->ControlState();
    state >> vcl::TControlStateItem::csPaintCopy;
    Child->SetControlState(state);
}

bool IsMDIForm(TWinControl* Control)
{
    const auto* form = dynamic_cast<vcl::TCustomForm*>(Control);
    return form && form->FormStyle() == vcl::TFormStyle::fsMDIForm;
}

// The off-screen surface of the graphic children, compatible with the screen: one memory DC kept
// between paints and grown to the largest owner, since making one for every paint costs more than
// the painting. Only one owner paints into it at a time (acGraphPainting).
HDC ChildrenSurface(int Width, int Height)
{
    static std::unique_ptr<vcl::TMemoryDC> surface;
    static int surfaceWidth = 0, surfaceHeight = 0;
    if (!surface || Width > surfaceWidth || Height > surfaceHeight) {
        surfaceWidth = std::max(Width, surfaceWidth);
        surfaceHeight = std::max(Height, surfaceHeight);
        surface.reset();  // freed before the larger one is made
        surface = std::make_unique<vcl::TMemoryDC>(nullptr, surfaceWidth, surfaceHeight);
    }
    return surface->Handle();
}

}  // namespace

void PaintControls(HDC DC, TWinControl* OwnerControl, const vcl::TPoint& Offset, bool CheckVisible)
{
    if (acGraphPainting || (CheckVisible && !OwnerControl->Visible()) || OwnerControl->ControlCount() == 0)
        return;
    RECT clip;
    if (GetClipBox(DC, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) {
        SendAMessage(OwnerControl, scmdSetHalfVisible);
        return;
    }
    const TFlagScope painting(acGraphPainting);
    TacBGInfo background;
    GetBGInfo(background, static_cast<TControl*>(OwnerControl), false);
    std::vector<TControl*> children;
    for (int i = 0; i < OwnerControl->ControlCount(); ++i)
        if (TControl* child = OwnerControl->Controls(i); TakesPart(child, DC))
            children.push_back(child);
    if (children.empty())
        return;
    // The surface may be larger than the owner: nothing beyond the owner's size is painted or copied.
    const vcl::TRect owned(0, 0, OwnerControl->Width(), OwnerControl->Height());
    const HDC memory = ChildrenSurface(owned.Width(), owned.Height());
    const vcl::TSavedDC saved(memory);
    IntersectClipRect(memory, owned.left, owned.top, owned.right, owned.bottom);
    // With an offset the key check below may read beside the children: there the surface must
    // hold what a new one does, not what an earlier owner left.
    if (Offset != vcl::TPoint(0, 0))
        PatBlt(memory, owned.left, owned.top, owned.Width(), owned.Height(), BLACKNESS);
    for (TControl* child : children)
        PreFill(memory, child, background);
    const bool paintCopy = OwnerControl->ControlState().Contains(vcl::TControlStateItem::csPaintCopy);
    for (TControl* child : children) {
        if (IsMDIForm(OwnerControl) && child->Align() != vcl::TAlign::alNone)
            child->Perform(SkinCommandMessage, SkinCommandWParam(scmdRedraw), 0);
        PaintChild(memory, child, paintCopy);
    }
    for (TControl* child : children) {
        const int x = child->Left() + Offset.x, y = child->Top() + Offset.y;
        if (owned.Contains(vcl::TPoint(x, y)) && GetPixel(memory, x, y) == COLORREF(vcl::clFuchsia))
            continue;
        const vcl::TRect part = child->BoundsRect().Intersected(owned);
        if (!part.IsEmpty())
            BitBlt(DC, part.left + Offset.x, part.top + Offset.y, part.Width(), part.Height(), memory, part.left,
                   part.top, SRCCOPY);
    }
}

}  // namespace skin
