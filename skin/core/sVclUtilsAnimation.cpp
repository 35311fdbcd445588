#include "skin/core/sVclUtilsAnimation.h"

#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtilsAnimPlans.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/comctrls.h"
#include "vcl/graphics.h"

#include <algorithm>
#include <memory>

namespace skin {

using namespace vcl;

TWinControl* ow = nullptr;
TBitmap* AnimBmp = nullptr;

namespace {

// A child painted at its place: the DC's origin moved by its left and top for the call.
void PaintChildTo(TBitmap* Bmp, HDC DC, TControl* Child)
{
    TSavedDC saved(DC);
    OffsetWindowOrgEx(DC, -Child->Left(), -Child->Top(), nullptr);
    SkinPaintTo(Bmp, Child, Child->Left(), Child->Top());
}

// A control printed into DC in print mode, so that a skinned control paints itself whole.
void PrintControl(TControl* Ctrl, HDC DC)
{
    SendAMessage(Ctrl, scmdPrintMode, reinterpret_cast<LPARAM>(DC));
    if (auto* win = dynamic_cast<TWinControl*>(Ctrl))
        SendMessageW(win->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(DC), 0);
    else
        Ctrl->Perform(WM_PRINT, reinterpret_cast<WPARAM>(DC), 0);
    SendAMessage(Ctrl, scmdPrintMode, 0);
}

// Only the parent's background where the invisible Ctrl would be.
void PaintParentBackground(HDC DC, TControl* Ctrl, int Left, int Top)
{
    TacBGInfo bg;
    GetBGInfo(bg, static_cast<TControl*>(Ctrl->Parent()));
    if (bg.BgKind == 2 && bg.Bmp) {
        TCanvasLock lock(bg.Bmp->Canvas());
        BitBlt(DC, Left, Top, Ctrl->Width(), Ctrl->Height(), bg.Bmp->Canvas()->Handle(), bg.Offset.x + Ctrl->Left(),
               bg.Offset.y + Ctrl->Top(), SRCCOPY);
    } else {
        FillDC(DC, TRect(Left, Top, Left + Ctrl->Width(), Top + Ctrl->Height()), bg.Color);
    }
}

// The visible MDI children of an MDI form at their places in its client window, clipped to it, the
// one in front last; the form's client origin lies at ClientOrigin of DC. Each child is painted on
// a picture of its own and copied: its printing need not know where it lies in DC.
void PaintMDIChildren(HDC DC, TCustomForm* Form, const TPoint& ClientOrigin)
{
    const HWND client = Form->ClientHandle();
    if (!client)
        return;
    const HWND formWnd = Form->Handle();
    RECT area{};
    GetClientRect(client, &area);
    MapWindowPoints(client, formWnd, reinterpret_cast<POINT*>(&area), 2);
    OffsetRect(&area, ClientOrigin.x, ClientOrigin.y);
    TSavedDC saved(DC);
    IntersectClipRect(DC, area.left, area.top, area.right, area.bottom);
    for (int i = Form->MDIChildCount() - 1; i >= 0; --i) {
        TCustomForm* child = Form->MDIChildren(i);
        if (!child->HandleAllocated() || !IsWindowVisible(child->Handle()))
            continue;
        RECT bounds{};
        GetWindowRect(child->Handle(), &bounds);
        POINT at{bounds.left, bounds.top};
        ScreenToClient(formWnd, &at);
        auto* provider = reinterpret_cast<TsSkinProvider*>(SendAMessage(child, scmdQueryProvider));
        const auto picture = CreateBmp32(child->Width(), child->Height());
        TCanvasLock lock(picture->Canvas());
        SkinPaintTo(picture.get(), child, 0, 0, provider);
        BitBlt(DC, ClientOrigin.x + at.x, ClientOrigin.y + at.y, picture->Width(), picture->Height(),
               picture->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
}

// Where Ctrl's children lie in its picture: a skinned form's client area at its provider's offsets;
// a tab sheet's within the border band its window keeps around its client area. Ctrl paints itself
// whole, band and frame included, from its own origin.
TPoint ChildrenOrigin(TWinControl* Ctrl, TsSkinProvider* Provider)
{
    if (Provider)
        return TPoint(Provider->OffsetX(), Provider->OffsetY());
    if (!dynamic_cast<TTabSheet*>(Ctrl))
        return TPoint();
    RECT window{};
    GetWindowRect(Ctrl->Handle(), &window);
    POINT client{0, 0};
    ClientToScreen(Ctrl->Handle(), &client);
    return TPoint(client.x - window.left, client.y - window.top);
}

// What a control change holds until it ends, however it ends: the cover's DC, the cover, the old
// look and the animation flag.
class TControlChange {
public:
    TControlChange() { InAnimationProcess = true; }
    ~TControlChange()
    {
        if (FDC)
            ReleaseDC(FWnd, FDC);
        InAnimationProcess = false;
        if (ow)
            ow->Free();
        ow = nullptr;
        delete AnimBmp;
        AnimBmp = nullptr;
    }
    TControlChange(const TControlChange&) = delete;
    TControlChange& operator=(const TControlChange&) = delete;

    HDC CoverDC()
    {
        if (!FDC) {
            FWnd = ow->Handle();
            FDC = GetWindowDC(FWnd);
        }
        return FDC;
    }

private:
    HWND FWnd = nullptr;
    HDC FDC = nullptr;
};

void CopyOnto(HDC DC, TBitmap* Bmp)
{
    TCanvasLock lock(Bmp->Canvas());
    BitBlt(DC, 0, 0, Bmp->Width(), Bmp->Height(), Bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool IsLayeredForm(TWinControl* Ctrl)
{
    return dynamic_cast<TCustomForm*>(Ctrl) && (GetWindowLongPtrW(Ctrl->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

// The end of a form's change of look: the form takes its own opacity and draws again, in full.
void EndFormChange(TCustomForm* Form, int MaxTransparency)
{
    InAnimationProcess = false;
    if (Form->AlphaBlend())
        Form->SetAlphaBlendValue(Byte(MaxTransparency));
    SendMessageW(Form->Handle(), WM_SETREDRAW, 1, 0);
    RedrawWindow(Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

// The new look of a skinned form fades in on a layered cover of its own, over the old look that
// the form keeps showing while it does not draw; then the form draws again and the cover goes.
void AnimShowSkinnedForm(TCustomForm* Form, TsSkinProvider* sp, unsigned TimeMs, int MaxTransparency,
                         TacAnimType AnimType)
{
    TControlChange change;
    sp->SkinData()->BGChanged = true;
    sp->PaintAll();
    if (const auto snapshot = GetFormImage(sp, false)) {
        const std::vector<TAnimFrame> frames =
            ShowFrames(TSize(snapshot->Width(), snapshot->Height()), TimeMs, MaxTransparency, AnimType);
        auto* cover = NewCoverForm(nullptr);
        ow = cover;
        ShowCoverOver(cover, Form, snapshot.get(), frames.empty() ? MaxTransparency : 0);
        PlayShowFrames(cover->Handle(), snapshot.get(), frames);
        SetFormBlendValue(cover->Handle(), snapshot.get(), MaxTransparency);
    }
    EndFormChange(Form, MaxTransparency);
}

// Where the border window of a form whose skin changes lies left of and above the form: the
// skin's title replaces the system's caption (a maximised form's lower title moves it further).
TPoint SkinChangeShift(TsSkinProvider* sp, TacBorderForm* Border)
{
    const HWND wnd = sp->Form->Handle();
    const TRect shadow = Border->ShadowSize();
    int dy = shadow.top;
    if (!sp->FSysExHeight) {
        dy += SkinTitleHeight(Border) - SysCaptHeight(sp->Form) - SysBorderWidth(wnd, Border, false);
        const TsSkinManager* manager = sp->SkinData()->SkinManager();
        const TsSkinData* skin = manager ? manager->SkinData.get() : nullptr;
        if (skin && IsZoomed(wnd) && skin->ExMaxHeight != skin->ExTitleHeight)
            dy += skin->ExTitleHeight - skin->ExMaxHeight;
    }
    return TPoint(SkinBorderWidth(Border) - SysBorderWidth(wnd, Border, false) + shadow.left, dy);
}

// The new look of a form with extended borders comes in on a new border window in front of the old
// one, which fades out with the old look three times as fast; the new window then takes its place.
void AnimShowExtendedForm(TCustomForm* Form, TsSkinProvider* sp, TacBorderForm* Border, unsigned TimeMs,
                          int MaxTransparency, TacAnimType AnimType)
{
    TControlChange change;
    // The picture taken before the skin changed, else the cache as it still is.
    std::unique_ptr<TBitmap> oldLook = std::move(sp->CoverBmp);
    if (TBitmap* cache = sp->SkinData()->FCacheBmp.get(); cache && !oldLook) {
        oldLook = CreateBmp32(cache->Width(), cache->Height());
        TCanvasLock dst(oldLook->Canvas()), src(cache->Canvas());
        BitBlt(oldLook->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
               SRCCOPY);
    }
    sp->SkinData()->BGChanged = true;
    sp->PaintAll();
    const TObjectPtr<TForm> oldWindow(Border->ReleaseBorderWindow());
    Border->CreateNewForm();
    TForm* cover = Border->AForm;
    if (const auto snapshot = GetFormImage(sp, false)) {
        const std::vector<TAnimFrame> frames =
            ShowFrames(TSize(snapshot->Width(), snapshot->Height()), TimeMs, MaxTransparency, AnimType);
        ShowCoverOver(cover, Form, snapshot.get(), frames.empty() ? MaxTransparency : 0, SkinChangeShift(sp, Border));
        PlayShowFrames(cover->Handle(), snapshot.get(), frames, [&](int Alpha) {
            SetFormBlendValue(oldWindow->Handle(), oldLook.get(), std::clamp(3 * (MaxTransparency - Alpha), 0, 255));
        });
        SetFormBlendValue(cover->Handle(), snapshot.get(), MaxTransparency);
    }
    EndFormChange(Form, MaxTransparency);
    SetWindowRgn(cover->Handle(), Border->MakeRgn(0, 0), FALSE);
    SetWindowPos(cover->Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Border->UpdateExBordersPos(false, 255);
}

// The provider of a form that answers for one, when layered windows can show its animation.
TsSkinProvider* AnimatedFormProvider(TWinControl* Ctrl)
{
    if (!dynamic_cast<TCustomForm*>(Ctrl) || !acLayered())
        return nullptr;
    return reinterpret_cast<TsSkinProvider*>(SendAMessage(Ctrl, scmdQueryProvider));
}

}  // namespace

void SkinPaintTo(TBitmap* Bmp, TControl* Ctrl, int Left, int Top, TComponent* SkinProvider)
{
    const HDC dc = Bmp->Canvas()->Handle();
    if (!SkinProvider && Ctrl->Parent() && !Ctrl->Visible()) {
        PaintParentBackground(dc, Ctrl, Left, Top);
        return;
    }
    TSavedDC saved(dc);
    // A form with a border window paints its shadow and frame around its own size.
    auto* provider = dynamic_cast<TsSkinProvider*>(SkinProvider);
    const bool extended = provider && provider->BorderForm;
    if (!extended)
        IntersectClipRect(dc, 0, 0, Ctrl->Width(), Ctrl->Height());
    auto* win = dynamic_cast<TWinControl*>(Ctrl);
    if (!win) {
        PrintControl(Ctrl, dc);
        return;
    }
    const TPoint clientOrigin = ChildrenOrigin(win, provider);
    if (auto* form = dynamic_cast<TCustomForm*>(win); form && form->FormStyle() == TFormStyle::fsMDIForm)
        PaintMDIChildren(dc, form, clientOrigin);
    if (GetBoolMsg(win, scmdQuerySkinned))
        PrintControl(win, dc);
    else
        win->PaintTo(dc, 0, 0);
    OffsetWindowOrgEx(dc, -clientOrigin.x, -clientOrigin.y, nullptr);
    for (int i = 0; i < win->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(win->Controls(i));
        if (child && child->Visible())
            PaintChildTo(Bmp, dc, child);
    }
    if (extended) {
        // The client area is opaque whatever its controls left in the alpha channel.
        TRect client(0, 0, win->ClientWidth(), win->ClientHeight());
        client.Offset(provider->OffsetX(), provider->OffsetY());
        client.bottom = std::min<LONG>(client.bottom, Bmp->Height() - 1);
        FillAlphaRect(PixelsOf(Bmp), client, 255, false);
    }
}

TOutputWindow::TOutputWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetText(L"acOutputWindow");
    SetVisible(false);
    SetColor(TColor(0xFF00FF));
    SetTag(-98);
}

void TOutputWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (Parent() || Params.WndParent)
        return;
    Params.Style = WS_POPUP;
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (owner && owner->HandleAllocated() && (GetWindowLongPtrW(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
        Params.ExStyle |= WS_EX_TOPMOST;
    if (Application)
        Params.WndParent = Application->Handle();
}

void TOutputWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: Message.Result = 0; return;
    default: TCustomControl::WndProc(Message);
    }
}

void PrepareForAnimation(TWinControl* Ctrl)
{
    RECT r{};
    GetWindowRect(Ctrl->Handle(), &r);
    if (!AnimBmp) {
        AnimBmp = CreateBmp32(Ctrl->Width(), Ctrl->Height()).release();
        TCanvasLock lock(AnimBmp->Canvas());
        const HDC screen = GetDC(nullptr);
        BitBlt(AnimBmp->Canvas()->Handle(), 0, 0, Ctrl->Width(), Ctrl->Height(), screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    if (!ow)
        ow = Create<TOutputWindow>(Ctrl);
    if (Ctrl->Parent()) {
        ow->SetParent(Ctrl->Parent());
        ow->SetBoundsRect(Ctrl->BoundsRect());
        const HWND above = GetWindow(Ctrl->Handle(), GW_HWNDPREV);
        SetWindowPos(ow->Handle(), above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(ow->Handle(), SW_SHOWNA);
    } else {
        ow->SetBoundsRect(TRect(r));
        SetWindowPos(ow->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
}

void AnimShowControl(TWinControl* Ctrl, unsigned TimeMs, int MaxTransparency, TacAnimType AnimType)
{
    if (TsSkinProvider* sp = AnimatedFormProvider(Ctrl)) {
        if (TacBorderForm* border = BorderWindowOf(sp))
            AnimShowExtendedForm(static_cast<TCustomForm*>(Ctrl), sp, border, TimeMs, MaxTransparency, AnimType);
        else
            AnimShowSkinnedForm(static_cast<TCustomForm*>(Ctrl), sp, TimeMs, MaxTransparency, AnimType);
        return;
    }
    TControlChange change;
    if (!ow)
        PrepareForAnimation(Ctrl);
    const auto newLook = CreateBmp32(Ctrl->Width(), Ctrl->Height());
    {
        TCanvasLock lock(newLook->Canvas());
        TSavedDC saved(newLook->Canvas()->Handle());
        SkinPaintTo(newLook.get(), Ctrl);
    }
    const auto mix = CreateBmp32(Ctrl->Width(), Ctrl->Height());
    const bool sameSize = AnimBmp && AnimBmp->Width() == mix->Width() && AnimBmp->Height() == mix->Height();
    const HDC dc = change.CoverDC();
    bool first = true;
    for (int weight : ControlChangeWeights(TimeMs)) {
        if (!first)
            Sleep(acAnimStepMs);
        first = false;
        if (sameSize)
            SumBitmapsByMask(PixelsOf(mix.get()), PixelsOf(AnimBmp), PixelsOf(newLook.get()), nullptr, weight);
        CopyOnto(dc, mix.get());
    }
    CopyOnto(dc, newLook.get());
    InAnimationProcess = false;
    if (!Ctrl->Visible())
        return;
    Ctrl->Perform(WM_SETREDRAW, 1, 0);
    if (OSVersionInfo.dwMajorVersion >= 6)
        RedrawWindow(Ctrl->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (!IsLayeredForm(Ctrl))
        SetWindowPos(ow->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace skin
