#pragma once
// What the skinned push button and bitmap button share, over the class library's button TBase.
// The window is owner drawn; while skinned the button renders its whole look into its cache
// (PrepareCache, the class's own) and copies it to the window. A border image whose corners are
// not probed (corner type 2, the "BUTTON_HUGE" one) also shapes the window: every rendering
// builds a rectangular region with the corners cut away, and the next paint hands it to the
// window; a region built but never handed over is freed with the button.
//
// The state shown: 2 pressed (pushed while the mouse holding it is over it, pushed by the
// keyboard, Down, or what the class adds), 1 hot (the form's active default button, focused or
// under the mouse), else 0. A press hides the application's hints for its own length; the
// release shows them again only when this press hid them.
//
// Entering, leaving, pressing and releasing fade between the looks where the section fades (a
// press and a release in half the steps); while a fade runs its timer paints the window, the
// window keeps its region, and a change of the system button's pushed state only renders the
// look the fade moves to. A release during the press fade first shows the full pressed look for
// 30 ms. A skin command, losing the focus or the enabled state, and the space key end a fade.
//
// Focus changes reach the system button with its redrawing switched off, so that it does not
// flash its own face; one flag per button class keeps the handling from running inside itself.
#include <algorithm>

#include "skin/controls/sFadingControl.h"
#include "skin/core/Sborders.h"
#include "skin/core/sConst.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/actnlist.h"
#include "vcl/stdctrls.h"

namespace skin {

template<class TBase>
class TsButtonControl : public TsFadingControl<TBase> {
    using Skinned = TsFadingControl<TBase>;

public:
    ~TsButtonControl() override { FreeRegion(); }
    void Loaded() override
    {
        Skinned::Loaded();
        if (this->SkinData()->FCacheBmp)
            this->SkinData()->FCacheBmp->Canvas()->SetFont(this->Font());
    }

    bool Down() const { return FDown; }
    void SetDown(bool Value)
    {
        if (vcl::ChangeField(FDown, Value))
            this->SkinData()->Invalidate();
    }
    int FocusMargin() const { return FFocusMargin; }
    void SetFocusMargin(int Value) { FFocusMargin = Value; }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value) { Changed(FShowFocus, Value); }
    bool Reflected() const { return FReflected; }
    void SetReflected(bool Value) { Changed(FReflected, Value); }
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value) { Changed(FDisabledKind, Value); }

    virtual int CurrentState() const
    {
        const bool pushed =
            (this->HandleAllocated() && (SendMessageW(this->WindowHandle(), BM_GETSTATE, 0, 0) & BST_PUSHED)) ||
            acPressedPaint;
        // Held with the mouse and dragged off, the button does not show pressed.
        if ((pushed && (this->SkinData()->FMouseAbove || !FMouseClicked)) || FDown || PressedBesides())
            return 2;
        const bool designedDefault =
            this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning) && this->Default();
        return FIsFocused || ControlIsActive(*this->SkinData()) || designedDefault ? 1 : 0;
    }
    // The window region the last rendering built, not yet given to the window; none: 0.
    HRGN PendingRegion() const { return FRegion == BeforeFirstRegion ? nullptr : FRegion; }

protected:
    TsButtonControl(vcl::TComponent* AOwner, int KindCode) : Skinned(AOwner, KindCode, TSkinDataClass::WithColours) {}

    // ---------------------------------------------------------------------------------------------
    // What the classes vary

    // Pressed for a reason of the class's own (a dropped-down menu).
    virtual bool PressedBesides() const { return false; }
    // The caption and glyph of the look while not skinned, over the system's face.
    virtual void StdDrawContent(vcl::TCanvas* Canvas) = 0;
    // How much narrower the standard focus frame is on the right.
    virtual int StdFocusInset() const { return 0; }
    // The standard look changes with the mouse over the button.
    virtual bool HotInStandardLook() const { return true; }
    // A release over the button whose press was elsewhere; whether the class library's handling
    // (OnMouseUp) follows. The push button lets it pass unseen.
    virtual bool ReleaseWithoutPress() { return false; }
    // Before a paint decides whether to render: a change the cache does not show yet marks it stale.
    virtual void CheckStale() {}

    // ---------------------------------------------------------------------------------------------
    // Rendering steps the classes' PrepareCache takes

    // The state painted: CurrentState within the section's states.
    int ClippedState() const
    {
        const TsCommonData& data = *this->SkinData();
        return std::min(CurrentState(), std::max(data.Section().States - 1, 0));
    }
    // The cache made ready in the button's size and font; what lies beneath the button.
    TCacheInfo BeginCache()
    {
        TsCommonData& data = *this->SkinData();
        const TCacheInfo beneath = GetParentCache(data);
        InitCacheBmp(data);
        data.FCacheBmp->Canvas()->SetFont(this->Font());
        return beneath;
    }
    // The section's border for State. A region-shaping border builds a new region first (not while
    // an animation captures the window or a fade runs); Draw false only builds it, so that the
    // border can be laid over caption and glyph later. A border whose draw mode has bit 2 is left
    // out in state 0.
    void PaintBorder(const TCacheInfo& Beneath, int State, bool Draw)
    {
        TsCommonData& data = *this->SkinData();
        TsSkinManager* manager = data.SkinManager();
        if (!manager || !manager->IsValidImgIndex(data.BorderIndex))
            return;
        const TsMaskData& border = manager->ma[size_t(data.BorderIndex)];
        const bool leftOut = State == 0 && (border.DrawMode & 2);
        vcl::TBitmap* cache = data.FCacheBmp.get();
        if (RegionShaped() && !InAnimationProcess && !this->FadeTimer()) {
            FreeRegion();
            FRegion = CreateRectRgn(0, 0, this->Width(), this->Height());
            if (Draw && !leftOut)
                PaintRgnBorder(PixelsOf(cache), FRegion, true, border, State);
        } else if (Draw && !leftOut) {
            TCacheInfo shifted = Beneath;
            shifted.X += this->Left();
            shifted.Y += this->Top();
            DrawSkinRect(PixelsOf(cache), vcl::TRect(0, 0, this->Width(), this->Height()), CacheView(shifted), border,
                         State, true);
        }
    }
    // The skin data's hue offset and saturation over the whole cache.
    void ApplyColours()
    {
        TsCommonData& data = *this->SkinData();
        if (data.HUEOffset() != 0)
            ChangeBmpHUE(PixelsOf(data.FCacheBmp.get()), data.HUEOffset());
        if (data.Saturation() != 0)
            ChangeBmpSaturation(PixelsOf(data.FCacheBmp.get()), data.Saturation());
    }
    // The disabled look over the whole cache, for a disabled button or one whose action is.
    void FinishCache(const TCacheInfo& Beneath)
    {
        TsCommonData& data = *this->SkinData();
        if (!this->Enabled() || ActionDisabled())
            BmpDisabledKind(PixelsOf(data.FCacheBmp.get()), FDisabledKind, GetControlColor(this->Parent()),
                            CacheView(Beneath), vcl::TPoint(this->Left(), this->Top()));
        FPaintedState = CurrentState();
        data.BGChanged = false;
    }
    // The focus frame around a caption rectangle: an enabled focused skinned button with a caption
    // whose section shows focus.
    void DrawFocusFrame(vcl::TCanvas* Canvas, vcl::TRect R)
    {
        const TsCommonData& data = *this->SkinData();
        if (!this->Focused() || !this->Enabled() || this->Caption().empty() || !FShowFocus || !data.Skinned() ||
            !data.Section().ShowFocus)
            return;
        R.Inflate(FFocusMargin, FFocusMargin);
        FocusRect(Canvas, R, vcl::clBtnFace, vcl::clBtnFace);
    }
    bool ActionDisabled() const
    {
        const auto* action = dynamic_cast<const vcl::TCustomAction*>(this->Action());
        return action && !action->Enabled();
    }
    // The form's active default button (told by SetButtonStyle).
    bool IsFocused() const { return FIsFocused; }

    // ---------------------------------------------------------------------------------------------
    // The class library's button

    void CreateParams(vcl::TCreateParams& Params) override
    {
        TBase::CreateParams(Params);
        Params.Style = (Params.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
    }
    // Owner drawn, the system button has no default look: the flag is ours to paint.
    void SetButtonStyle(bool ADefault) override
    {
        FIsFocused = ADefault;
        this->SkinData()->Invalidate();
    }
    void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override
    {
        TsCommonData& data = *this->SkinData();
        const bool left = Button == vcl::TMouseButton::mbLeft;
        if (Live()) {
            data.FUpdating = false;
            if (left)
                FHints.Press();
            FMouseClicked = true;
            if (left && !FDown) {
                data.FUpdating = data.GetUpdating();
                data.BGChanged = false;
                this->ChangePaint(TacAnimatEvent::aeMouseDown, true);
            }
            FHints.Release();
        }
        TBase::MouseDown(Button, Shift, X, Y);
    }
    void MouseUp(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override
    {
        if (this->ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
            return;
        TsCommonData& data = *this->SkinData();
        const bool left = Button == vcl::TMouseButton::mbLeft;
        if (Live()) {
            if (left)
                FHints.Release();
            if (!FMouseClicked) {
                if (ReleaseWithoutPress())
                    TBase::MouseUp(Button, Shift, X, Y);
                return;
            }
            FMouseClicked = false;
            if (left) {
                FlashPressed();
                data.FUpdating = false;
                data.BGChanged = false;
                this->ChangePaint(TacAnimatEvent::aeMouseUp, true);
            }
        }
        TBase::MouseUp(Button, Shift, X, Y);
    }

    // ---------------------------------------------------------------------------------------------
    // Messages

    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override
    {
        TsCommonData& data = *this->SkinData();
        const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
        switch (Cmd) {
        case scmdSkinLoaded:
            if (own) {
                this->StopFade();
                CommonWndProc(Message, &data);
            }
            return true;
        case scmdSkinRemoved:
            if (!own || this->ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
                return true;
            this->StopFade();
            CommonWndProc(Message, &data);
            FreeRegion();
            RemoveWindowRegion();
            this->RedrawNow();
            return true;
        case scmdRepaint:
            if (!own)
                return true;
            this->StopFade();
            RemoveWindowRegion();
            CommonWndProc(Message, &data);
            if (!(data.CtrlSkinState & cssPrinting))
                this->RedrawNow();
            return true;
        case scmdRenderCache:
            this->PrepareCache();
            return false;
        case scmdPaintBitmap:
            FreeRegion();
            return false;
        default:
            return Skinned::EarlySkinCommand(Cmd, Message);
        }
    }
    void UnskinnedMessage(vcl::TMessage& Message) override
    {
        switch (Message.Msg) {
        case vcl::CM_MOUSEENTER:
        case vcl::CM_MOUSELEAVE:
            this->SkinData()->FMouseAbove = Message.Msg == vcl::CM_MOUSEENTER;
            if (HotInStandardLook())
                this->Invalidate();
            break;
        case vcl::CN_DRAWITEM:
            StdDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
            Message.Result = 1;
            return;
        case vcl::CN_MEASUREITEM:
            MeasureItem(Message);
            return;
        default:
            break;
        }
        this->InheritedWndProc(Message);
    }
    bool SkinnedMessage(vcl::TMessage& Message) override
    {
        TsCommonData& data = *this->SkinData();
        if (SkinCommandOf(Message) == scmdSetUrgent) {
            if (data.UrgentPainting)
                this->PrepareCache();
            CommonWndProc(Message, &data);
            return true;
        }
        const bool designing = this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
        switch (Message.Msg) {
        case WM_MOVE:
            if (data.Section().Transparency > 0 || (data.Section().HotTransparency > 0 && ControlIsActive(data)))
                this->Repaint();
            return false;
        case WM_SIZE:
            data.HideGlow();
            return false;
        case WM_SETFOCUS:
        case vcl::CM_ENTER:
            return FocusMessage(Message, true);
        case WM_KILLFOCUS:
        case vcl::CM_EXIT:
            return FocusMessage(Message, false);
        case WM_ENABLE:
            return true;
        case WM_PAINT:
            if (!(this->Visible() || designing) || !this->Parent())
                return false;
            OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = 0;
            return !designing;
        case WM_ERASEBKGND:
            if (Message.WParam && data.FCacheBmp && !data.BGChanged && !this->Fading()) {
                const vcl::TRect whole(0, 0, this->Width(), this->Height());
                CopyWinControlCache(this, data, whole, whole, reinterpret_cast<HDC>(Message.WParam), false, 0, 0);
            }
            Message.Result = 0;
            return true;
        case WM_WINDOWPOSCHANGED:
            data.BGChanged = true;
            return false;
        case WM_UPDATEUISTATE:
            return this->Visible();
        case WM_PRINT:
            data.FUpdating = false;
            OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
            return true;
        case vcl::CM_DIALOGCHAR:
            if (Message.WParam == VK_SPACE && this->Enabled() && this->Focused()) {
                this->StopFade();
                data.BGChanged = true;
                data.HideGlow();
                this->Repaint();
            }
            return false;
        case vcl::CM_FOCUSCHANGED:
            if (!this->Visible())
                return false;
            CommonWndProc(Message, &data);
            WithoutRedraw(!FInFocusHandling, [&] { this->InheritedWndProc(Message); });
            // What the change asked to repaint was dropped while the redrawing was off.
            if (data.BGChanged)
                this->Invalidate();
            return true;
        case vcl::CM_TEXTCHANGED:
            data.Invalidate();
            return true;
        case vcl::CM_MOUSEENTER:
        case vcl::CM_MOUSELEAVE:
            Hover(Message.Msg == vcl::CM_MOUSEENTER);
            return false;
        case vcl::CM_UIACTIVATE:
            data.FUpdating = false;
            return false;
        case vcl::CN_DRAWITEM:
            Message.Result = 1;
            return true;
        case vcl::CN_MEASUREITEM:
            MeasureItem(Message);
            return true;
        default:
            return Skinned::SkinnedMessage(Message);
        }
    }
    void AfterInherited(vcl::TMessage& Message) override
    {
        TsCommonData& data = *this->SkinData();
        const bool shown = this->Visible() || this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
        switch (Message.Msg) {
        case WM_SETFONT:
        case vcl::CM_ENABLEDCHANGED:
            if (shown) {
                if (!this->Enabled())
                    this->StopFade();
                data.FUpdating = false;
                data.Invalidate();
            }
            break;
        case vcl::CM_VISIBLECHANGED:
            data.BGChanged = true;
            data.FUpdating = false;
            if (shown)
                this->Repaint();
            break;
        case vcl::CM_CANCELMODE:
            data.HideGlow();
            break;
        case vcl::CM_ACTIONUPDATE:
            if (const auto* action = dynamic_cast<const vcl::TCustomAction*>(this->Action()))
                this->SetEnabled(action->Enabled());
            break;
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE) {
                data.BGChanged = true;
                this->Repaint();
            }
            break;
        // The system button changes its pushed state after the press was handled.
        case BM_SETSTATE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
            FollowState();
            break;
        default:
            break;
        }
    }

    // Runs Inherited with the window's redrawing switched off when Off.
    template<class F>
    void WithoutRedraw(bool Off, F Inherited)
    {
        Off = Off && this->HandleAllocated();
        if (Off)
            SendMessageW(this->Handle(), WM_SETREDRAW, FALSE, 0);
        Inherited();
        if (Off)
            SendMessageW(this->Handle(), WM_SETREDRAW, TRUE, 0);
    }

private:
    // FRegion before the window was ever given a region.
    static inline const HRGN BeforeFirstRegion = reinterpret_cast<HRGN>(1);
    // Set while a button of this class handles a focus change.
    static inline bool FInFocusHandling = false;

    template<class T>
    void Changed(T& Field, const T& Value)
    {
        if (vcl::ChangeField(Field, Value))
            this->SkinData()->Invalidate();
    }
    bool Live() const
    {
        return this->SkinData()->Skinned() && this->Enabled() &&
               !this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    }
    HWND WindowHandle() const { return const_cast<TsButtonControl*>(this)->Handle(); }
    // The owner-drawn item is the whole button.
    void MeasureItem(vcl::TMessage& Message)
    {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        item->itemWidth = UINT(this->Width());
        item->itemHeight = UINT(this->Height());
        Message.Result = 1;
    }

    bool RegionShaped() const
    {
        const TsCommonData& data = *this->SkinData();
        const TsSkinManager* manager = data.SkinManager();
        return manager && manager->IsValidImgIndex(data.BorderIndex) &&
               manager->ma[size_t(data.BorderIndex)].CornerType == 2;
    }
    void FreeRegion()
    {
        if (FRegion && FRegion != BeforeFirstRegion)
            DeleteObject(FRegion);
        FRegion = nullptr;
    }
    void RemoveWindowRegion()
    {
        if (this->HandleAllocated())
            SetWindowRgn(this->Handle(), nullptr, TRUE);
    }

    // Paints the button on DC, or through BeginPaint when none.
    void OurPaintHandler(HDC DC)
    {
        TsCommonData& data = *this->SkinData();
        if (InAnimationProcess && DC != data.PrintDC)
            return;
        PAINTSTRUCT ps;
        const bool painting = !InAnimationProcess && !DC;
        if (painting)
            BeginPaint(this->Handle(), &ps);
        const HDC dc = DC ? DC : painting ? ps.hdc : GetWindowDC(this->Handle());
        if (!data.GetUpdating() && !this->Fading())  // a running fade paints its own steps
            PaintOn(dc);
        if (painting)
            EndPaint(this->Handle(), &ps);
        else if (!DC)
            ReleaseDC(this->Handle(), dc);
    }
    void PaintOn(HDC DC)
    {
        TsCommonData& data = *this->SkinData();
        vcl::TWinControl* parent = this->Parent();
        data.BGChanged = data.BGChanged || data.HalfVisible || (parent && GetBoolMsg(parent, scmdQueryHalfVisible)) ||
                         CurrentState() != FPaintedState;
        data.HalfVisible = parent && !RectInRect(parent->ClientRect(), this->BoundsRect());
        CheckStale();
        const bool redrawRegion = FRegion == BeforeFirstRegion || aSkinChanging;
        FRegion = nullptr;
        if (RegionShaped() && !this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning)) {
            this->PrepareCache();
            UpdateCorners(data, ClippedState());
            if (FRegion && DC != data.PrintDC) {
                SetWindowRgn(this->Handle(), FRegion, redrawRegion);
                FRegion = nullptr;  // the window owns it now
            }
            UncoverOldCorners();
            FLastRect = this->BoundsRect();
        } else if (data.BGChanged) {
            this->PrepareCache();
        }
        CopyCache(DC);
    }
    // A shaped button that shrank leaves its old corners on a parent without a cache of its own:
    // the parent paints them again.
    void UncoverOldCorners()
    {
        TsCommonData& data = *this->SkinData();
        vcl::TWinControl* parent = this->Parent();
        const vcl::TRect old = FLastRect;
        if (!parent || !parent->HandleAllocated() || old.IsEmpty() ||
            (this->Width() >= old.Width() && this->Height() >= old.Height()) || GetParentCache(data).Ready)
            return;
        TsSkinManager* manager = data.SkinManager();
        const int index = data.BorderIndex;
        const int wl = manager->MaskWidthLeft(index), wt = manager->MaskWidthTop(index);
        const int wr = manager->MaskWidthRight(index), wb = manager->MaskWidthBottom(index);
        const RECT corners[] = {
            {old.right - wr, old.top, old.right, old.top + wt},
            {old.right - wr, old.bottom - wb, old.right, old.bottom},
            {old.left, old.bottom - wb, old.left + wl, old.bottom},
        };
        for (const RECT& r : corners)
            InvalidateRect(parent->Handle(), &r, TRUE);
    }
    // The look while not skinned, on CN_DRAWITEM: the system's push-button face, then the content.
    void StdDrawItem(const DRAWITEMSTRUCT& Item)
    {
        vcl::TObjectPtr<vcl::TCanvas> canvas(vcl::Create<vcl::TCanvas>());
        canvas->SetHandle(Item.hDC);
        canvas->SetFont(this->Font());
        const bool pressed = Item.itemState & ODS_SELECTED, focused = Item.itemState & ODS_FOCUS;
        RECT r = Item.rcItem;
        if (FIsFocused || focused) {
            FrameRect(Item.hDC, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&r, -1, -1);
        }
        if (pressed) {
            FillRect(Item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
            FrameRect(Item.hDC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
            InflateRect(&r, -1, -1);
        } else {
            DrawFrameControl(Item.hDC, &r, DFC_BUTTON,
                             DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | ((Item.itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0));
        }
        if (FIsFocused && focused) {
            RECT focus = Item.rcItem;
            InflateRect(&focus, -4, -4);
            focus.right -= StdFocusInset();
            DrawFocusRect(Item.hDC, &focus);
        }
        StdDrawContent(canvas.get());
        canvas->SetHandle(nullptr);
    }
    void CopyCache(HDC DC)
    {
        vcl::TBitmap* cache = this->SkinData()->FCacheBmp.get();
        if (!cache)
            return;
        const vcl::TSavedDC saved(DC);
        const TCanvasLock lock(cache->Canvas());
        BitBlt(DC, 0, 0, this->Width(), this->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    }

    void Hover(bool Enter)
    {
        TsCommonData& data = *this->SkinData();
        if (!this->Enabled() || this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning) ||
            (Enter && data.FMouseAbove))
            return;
        data.FMouseAbove = Enter;
        data.BGChanged = false;
        this->ChangePaint(Enter ? TacAnimatEvent::aeMouseEnter : TacAnimatEvent::aeMouseLeave, false);
    }
    // The inherited focus handling with the redrawing off, then the look of the new focus; true
    // when done with.
    bool FocusMessage(vcl::TMessage& Message, bool Gained)
    {
        if (!this->Visible())
            return false;
        TsCommonData& data = *this->SkinData();
        const bool live = this->Enabled() && !this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
        CommonWndProc(Message, &data);
        if (!live || (Gained && FInFocusHandling)) {
            this->InheritedWndProc(Message);
            return true;
        }
        if (!Gained)
            this->StopFade();
        const bool inside = FInFocusHandling;
        FInFocusHandling = true;
        WithoutRedraw(true, [&] { this->InheritedWndProc(Message); });
        FInFocusHandling = inside;
        if (!Gained) {
            data.FFocused = false;
            data.HideGlow();
        }
        if (Gained && this->Fading())
            this->FadeTimer()->Change();
        else
            data.Invalidate();
        return true;
    }
    // The state the cache shows differs from the current one: render and paint again. A running
    // fade moves on to the state now shown.
    void FollowState()
    {
        if (!this->HandleAllocated() || CurrentState() == FPaintedState)
            return;
        if (this->Fading()) {
            this->PrepareCache();
            return;
        }
        this->SkinData()->BGChanged = true;
        this->Repaint();
    }
    // Released while the press still fades: the full pressed look shows for 30 ms before the
    // release fades.
    void FlashPressed()
    {
        TsFadeTimer* fade = this->FadeTimer();
        if (!this->Fading() || fade->FadeLevel > fade->Iterations)
            return;
        fade->SetEnabled(false);
        this->SkinData()->BGChanged = true;
        {
            const TFlagScope pressed(acPressedPaint);
            RedrawWindow(this->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        Sleep(30);
    }

    TPressHints FHints;
    bool FMouseClicked = false;
    bool FDown = false;
    int FFocusMargin = 1;
    TsDisabledKind FDisabledKind{TsDisabledKindItem::dkBlended};
    bool FShowFocus = true;
    bool FReflected = false;
    bool FIsFocused = false;
    HRGN FRegion = BeforeFirstRegion;
    vcl::TRect FLastRect;
    int FPaintedState = -1;
};

}  // namespace skin
