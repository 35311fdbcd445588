// The show and hide animations of whole skinned forms: a layered cover takes the form's picture
// and animates it while the real window is shown (and repainted) or hidden underneath.
#include "skin/core/sVclUtilsAnimation.h"

#include "skin/core/acGlow.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderLayered.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"

namespace skin {

using namespace vcl;

namespace {

constexpr UINT acPlaceCover = SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW;
constexpr UINT acZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE;

TsSkinManager* ManagerOf(TsSkinProvider* sp)
{
    TsSkinManager* manager = sp->SkinData()->SkinManager();
    return manager ? manager : DefaultManager;
}

// InAnimationProcess for the length of the scope, also when it ends early.
class TAnimationFlag {
public:
    TAnimationFlag() { InAnimationProcess = true; }
    ~TAnimationFlag() { InAnimationProcess = false; }
    TAnimationFlag(const TAnimationFlag&) = delete;
    TAnimationFlag& operator=(const TAnimationFlag&) = delete;
};

// The form of a show that ends early, by error or exception, draws again at its own opacity; it
// paints when the message loop comes to it, as painting here could raise again.
class TFormShow {
public:
    TFormShow(TsSkinProvider* sp, int MaxTransparency) : Fsp(sp), FMaxTransparency(MaxTransparency) {}
    ~TFormShow()
    {
        if (FDone)
            return;
        Fsp->FInAnimation = false;
        if (Fsp->Form->AlphaBlend())
            Fsp->Form->SetAlphaBlendValue(Byte(FMaxTransparency));
        const HWND wnd = Fsp->Form->Handle();
        SendMessageW(wnd, WM_SETREDRAW, 1, 0);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    TFormShow(const TFormShow&) = delete;
    TFormShow& operator=(const TFormShow&) = delete;

    void Done() { FDone = true; }

private:
    TsSkinProvider* Fsp;
    int FMaxTransparency;
    bool FDone = false;
};

}  // namespace

void BuildAnimFrame(TBitmap* Dst, TBitmap* Src, const TAnimFrame& Frame)
{
    TCanvasLock dstLock(Dst->Canvas());
    TCanvasLock srcLock(Src->Canvas());
    const HDC dc = Dst->Canvas()->Handle();
    if (Frame.Whole) {
        BitBlt(dc, 0, 0, Src->Width(), Src->Height(), Src->Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    FillDC(dc, TRect(0, 0, Dst->Width(), Dst->Height()), TColor(0));
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, Frame.Place.left, Frame.Place.top, Frame.Place.right - Frame.Place.left,
               Frame.Place.bottom - Frame.Place.top, Src->Canvas()->Handle(), 0, 0, Src->Width(), Src->Height(),
               SRCCOPY);
}

TForm* NewCoverForm(TComponent* AOwner)
{
    TObjectPtr<TForm> cover(Create<TForm>(AOwner));
    cover->SetTag(-98);
    cover->SetVisible(false);
    // The border style first: a new one makes the window anew, which would drop the styles.
    cover->SetBorderStyle(TFormBorderStyle::bsNone);
    const HWND wnd = cover->Handle();
    SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    return cover.release();
}

void ShowCoverOver(TForm* Cover, TCustomForm* Form, TBitmap* Snapshot, int Alpha, const TPoint& Shift)
{
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    OffsetRect(&r, -Shift.x, -Shift.y);
    Cover->SetBounds(r.left, r.top, Snapshot->Width(), Snapshot->Height());
    HWND after = HWND_TOPMOST;
    if (!(GetWindowLongPtrW(Form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        const HWND above = GetWindow(Form->Handle(), GW_HWNDPREV);
        after = above ? above : HWND_TOP;
    }
    SetFormBlendValue(Cover->Handle(), Snapshot, Alpha);
    SetWindowPos(Cover->Handle(), after, r.left, r.top, Snapshot->Width(), Snapshot->Height(),
                 acPlaceCover | SWP_SHOWWINDOW);
}

void PlayShowFrames(HWND Cover, TBitmap* Snapshot, const std::vector<TAnimFrame>& Frames,
                    const std::function<void(int Alpha)>& AfterFrame)
{
    if (Frames.empty())
        return;
    const auto frameBmp = CreateBmp32(Snapshot->Width(), Snapshot->Height());
    for (const TAnimFrame& frame : Frames) {
        BuildAnimFrame(frameBmp.get(), Snapshot, frame);
        SetFormBlendValue(Cover, frameBmp.get(), frame.Alpha);
        if (AfterFrame)
            AfterFrame(frame.Alpha);
        Sleep(acAnimStepMs);
    }
}

namespace {

// Where the border window's top-left lies left of and above the form's.
TPoint BorderWindowShift(TsSkinProvider* sp, TacBorderForm* Border)
{
    const HWND wnd = sp->Form->Handle();
    const int dy = sp->FSysExHeight
                       ? SysBorderWidth(wnd, Border, false) + Border->ShadowSize().top + DiffTitle(Border)
                       : Border->OffsetY();
    return TPoint(Border->OffsetX(), dy);
}

// The border window as the cover of a show: without its region until the show is over.
class TBorderCover {
public:
    explicit TBorderCover(TacBorderForm* Border) : FBorder(Border)
    {
        if (!FBorder)
            return;
        if (!FBorder->AForm)
            FBorder->CreateNewForm();
        SetWindowRgn(FBorder->AForm->Handle(), nullptr, FALSE);
    }
    ~TBorderCover() { Done(); }
    TBorderCover(const TBorderCover&) = delete;
    TBorderCover& operator=(const TBorderCover&) = delete;

    // The border window takes its region back.
    void Done()
    {
        if (FBorder && FBorder->AForm)
            SetWindowRgn(FBorder->AForm->Handle(), FBorder->MakeRgn(0, 0), FALSE);
        FBorder = nullptr;
    }

private:
    TacBorderForm* FBorder;
};

}  // namespace

void AnimShowForm(TsSkinProvider* sp, unsigned TimeMs, int MaxTransparency, TacAnimType AnimType)
{
    if (!sp->SkinData())
        return;
    TAnimationFlag animating;
    TFormShow show(sp, MaxTransparency);
    TCustomForm* form = sp->Form;
    sp->PaintAll();
    // A form with extended borders shows through its own border window, shadow and frame included.
    TacBorderForm* border = BorderWindowOf(sp);
    TBorderCover borderCover(border);
    TObjectPtr<TForm> ownCover(border ? nullptr : NewCoverForm(Application));
    TForm* cover = border ? border->AForm : ownCover.get();
    auto snapshot = GetFormImage(sp, false);
    if (!snapshot)
        return;
    const std::vector<TAnimFrame> frames =
        ShowFrames(TSize(snapshot->Width(), snapshot->Height()), TimeMs, MaxTransparency, AnimType);
    const HWND wnd = form->Handle();
    ShowCoverOver(cover, form, snapshot.get(), frames.empty() ? MaxTransparency : 0,
                  border ? BorderWindowShift(sp, border) : TPoint());
    PlayShowFrames(cover->Handle(), snapshot.get(), frames);
    const TPoint topLeft(cover->Left(), cover->Top());
    SetFormBlendValue(cover->Handle(), snapshot.get(), MaxTransparency, &topLeft);

    sp->FInAnimation = false;
    if (form->AlphaBlend())
        form->SetAlphaBlendValue(Byte(MaxTransparency));
    SetWindowPos(wnd, cover->Handle(), 0, 0, 0, 0, acZOrderOnly);
    SendMessageW(wnd, WM_SETREDRAW, 1, 0);
    show.Done();
    InAnimationProcess = false;
    RedrawWindow(wnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    snapshot.reset();
    if (AeroIsEnabled())
        Sleep(acAnimStepMs);
    SetWindowPos(cover->Handle(), wnd, 0, 0, 0, 0, acZOrderOnly);
    ownCover.reset();
    borderCover.Done();
    if (border && ManagerOf(sp)->SkinData && ManagerOf(sp)->SkinData->UseAeroBluring)
        border->UpdateExBordersPos(true, 255);
    if (sp->OnAfterAnimation())
        sp->OnAfterAnimation()(TacAnimEvent::aeShowing);
}

void AnimHideForm(TsSkinProvider* sp)
{
    ClearGlows(true);
    if (!sp || sp->Form->FormStyle() == TFormStyle::fsMDIChild || !sp->SkinData() || !sp->SkinData()->FCacheBmp ||
        !ManagerOf(sp))
        return;
    TAnimationFlag animating;
    if (!(sp->FormState & TsSkinProvider::fsExitAnimation))
        sp->PaintAll();
    // A form with extended borders leaves through its own border window, shadow and all.
    TacBorderForm* border = BorderWindowOf(sp);
    TObjectPtr<TForm> cover(border ? border->ReleaseBorderWindow() : dynamic_cast<TForm*>(sp->CoverForm));
    if (!border && cover)
        sp->CoverForm = nullptr;
    else if (!cover)
        cover.reset(MakeCoverForm(sp->Form->Handle()));
    TBitmap* cache = sp->SkinData()->FCacheBmp.get();
    auto snapshot = CreateBmp32(cache->Width(), cache->Height());
    {
        TCanvasLock dstLock(snapshot->Canvas());
        TCanvasLock srcLock(cache->Canvas());
        BitBlt(snapshot->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0,
               SRCCOPY);
    }
    if (!border)
        FillAlphaRect(PixelsOf(snapshot.get()), TRect(0, 0, snapshot->Width(), snapshot->Height()), 255, false);
    const TacFormHide* hide = ManagerOf(sp)->AnimEffects()->FormHide();
    StartHideAnimation(cover.release(), std::move(snapshot), hide->Time(), 255, hide->Mode());
    if (border && Application && Application->Terminated())
        sp->BorderForm.reset();
}

}  // namespace skin
