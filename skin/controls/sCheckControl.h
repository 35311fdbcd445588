#pragma once
// What the skinned check box and radio button share. While skinned the native button never
// paints: the control renders its whole face into its cache (the parent's background, its
// section, the text in the section's font colours, the glyph, a dotted focus frame, the disabled
// look) and copies it to the window. It takes the left button and the space key itself, so that
// the pressed, hot and read-only faces can be shown, and changes its check state on release after
// a press on the control. Read-only keeps the normal face and drops clicks and the space key.
//
// State changes (the mouse entering and leaving, a press, a new check state) fade where the
// section fades; while a fade runs its timer paints the window. Skin commands, losing the focus
// and a new check state sent while the fade has steps left end it.
//
// The two controls differ in where their glyphs come from, in what a release does and in how the
// native button learns their state; they say so through the hooks below.
#include <windowsx.h>

#include "skin/controls/sCheckFace.h"
#include "skin/controls/sFadingControl.h"
#include "skin/core/sConst.h"
#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/stdctrls.h"

namespace skin {

template<class TBase>
class TsCheckControl : public TsFadingControl<TBase> {
    using Skinned = TsFadingControl<TBase>;

public:
    int Margin() const { return FMargin; }
    void SetMargin(int Value) { SetLayoutValue(FMargin, Value); }
    int TextIndent() const { return FTextIndent; }
    void SetTextIndent(int Value) { SetLayoutValue(FTextIndent, Value); }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value)
    {
        if (Value != FShowFocus) {
            FShowFocus = Value;
            this->Invalidate();
        }
    }
    virtual bool GetReadOnly() const { return FReadOnly; }
    bool ReadOnly() const { return GetReadOnly(); }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value)
    {
        if (Value != FDisabledKind) {
            FDisabledKind = Value;
            this->SkinData()->Invalidate();
        }
    }
    vcl::TBitmap* GlyphChecked() const { return FGlyphChecked.get(); }
    vcl::TBitmap* GlyphUnChecked() const { return FGlyphUnChecked.get(); }
    // The pressed face is shown: the left button or the space key is down on the control.
    bool Pressed() const { return FPressed; }

    // The side of the caption: Alignment, the other side under right-to-left alignment.
    vcl::TAlignment GetControlsAlignment() const
    {
        const vcl::TAlignment a = this->Alignment();
        if (!this->UseRightToLeftAlignment() || a == vcl::TAlignment::taCenter)
            return a;
        return a == vcl::TAlignment::taRightJustify ? vcl::TAlignment::taLeftJustify : vcl::TAlignment::taRightJustify;
    }
    // The user glyph of the current state; none when that bitmap is empty.
    vcl::TBitmap* Glyph() const
    {
        vcl::TBitmap* bmp = CheckedNow() ? FGlyphChecked.get() : FGlyphUnChecked.get();
        return bmp->Empty() ? nullptr : bmp;
    }
    // Where the glyph lies.
    vcl::TRect CheckRect() const
    {
        if (OwnGlyphPlaced())
            return PlaceOf(GlyphSize());
        const TsSkinManager* m = this->SkinData()->SkinManager();
        const int mask = RectMask();
        if (m && m->IsValidImgIndex(mask))
            return SkinCheckRect(mask);
        return vcl::TRect(0, 0, 16, 16);
    }
    // The rectangle of a skin glyph placed as the control's glyph.
    vcl::TRect SkinCheckRect(int Mask) const { return PlaceOf(SkinGlyphSize(this->SkinData()->SkinManager()->ma[size_t(Mask)])); }

    // Sizes the control to its glyph and caption while AutoSize is set.
    void AdjustSize()
    {
        int w = this->Width(), h = this->Height();
        if (CanAutoSize(w, h))
            this->SetBounds(this->Left(), this->Top(), w, h);
    }
    bool CanAutoSize(int& NewWidth, int& NewHeight)
    {
        if (this->ComponentState().Contains(vcl::TComponentStateItem::csLoading) || !this->AutoSize())
            return false;
        const vcl::String caption = this->Caption();
        const vcl::TSize text = GetStringSize(this->Font()->Handle(), caption);
        TAutoSize size{};
        if (this->SkinData()->Skinned()) {
            const vcl::TRect r = CheckRect();
            size = SkinnedAutoSize({r.Width(), r.Height()}, FMargin, FTextIndent, !caption.empty(), text.cx, text.cy);
        } else {
            size = PlainAutoSize(text.cx, text.cy);
        }
        NewWidth = size.Width;
        NewHeight = size.Height;
        return true;
    }

    void WndProc(vcl::TMessage& Message) override;

protected:
    TsCheckControl(vcl::TComponent* AOwner, int KindCode) : Skinned(AOwner, KindCode)
    {
        FGlyphChecked.reset(vcl::Create<vcl::TBitmap>());
        FGlyphUnChecked.reset(vcl::Create<vcl::TBitmap>());
        this->SetWordWrap(false);
        this->SetAutoSize(true);
    }

    // ---------------------------------------------------------------------------------------------
    // What the two controls vary

    virtual bool CheckedNow() const = 0;
    // The size of the glyph that is not the skin's.
    virtual TFrameSize GlyphSize() const
    {
        const vcl::TBitmap* bmp = Glyph();
        return bmp ? StripFrameSize(bmp->Width(), bmp->Height()) : TFrameSize{};
    }
    // The glyph rectangle follows GlyphSize rather than a skin glyph.
    virtual bool OwnGlyphPlaced() const = 0;
    // The skin glyph that places the rectangle, and the one drawn.
    virtual int RectMask() const = 0;
    virtual int DrawnMask() const = 0;
    // Draws a glyph that is not the skin's into the cache; false when the skin's is to be drawn.
    virtual bool DrawOwnGlyph(bool Hot)
    {
        vcl::TBitmap* bmp = Glyph();
        if (!bmp)
            return false;
        const int frame = FaceFrame(StripFrameCount(bmp->Width(), GlyphSize().Width), FPressed, Hot);
        PaintGlyph(bmp, frame);
        return true;
    }
    // The left button released; false when OnMouseUp is not to follow.
    virtual bool ReleasedAfterPress() = 0;
    // The space key released (not read-only).
    virtual void SpaceReleased() = 0;
    // BM_SETCHECK while skinned.
    virtual void SetCheckMessage(vcl::TMessage& Message) = 0;
    // The check state the native button is given back when the skin goes.
    virtual WPARAM NativeCheck() = 0;
    // Before scmdRepaint for the control's manager is handled.
    virtual void BeforeRepaintCommand() {}
    // CM_CHANGED while skinned, before the inherited handling.
    virtual void ChangedMessage() {}
    // More messages dropped while skinned.
    virtual bool DroppedWhileSkinned(UINT Msg) const { return Msg == WM_ENABLE || Msg == WM_NCPAINT; }
    // Paints on the DC a paint message carries even outside print mode.
    bool FPaintsOnGivenDC = false;

    // ---------------------------------------------------------------------------------------------
    // Painting

    void PrepareCache() override
    {
        TsCommonData& data = *this->SkinData();
        InitCacheBmp(data);
        vcl::TBitmap* cache = data.FCacheBmp.get();
        cache->Canvas()->SetFont(this->Font());
        const TCacheInfo background = GetParentCache(this);
        const vcl::TPoint at(this->Left(), this->Top());
        PaintItem(data, background, Hot() ? 1 : 0, vcl::TRect(0, 0, cache->Width(), this->Height()), at, cache, true);
        {
            const TCanvasLock lock(cache->Canvas());
            DrawCheckText(cache->Canvas());
        }
        DrawCheckArea();
        if (!this->Enabled())
            BmpDisabledKind(PixelsOf(cache), FDisabledKind, GetControlColor(this->Parent()), CacheView(background), at);
        data.BGChanged = false;
    }
    // Active and not read-only: the hot face and font.
    bool Hot() const { return ControlIsActive(*this->SkinData()) && !ReadOnly(); }

    // Copies Frame of a glyph strip into the glyph rectangle of the cache, blended by its alpha; a
    // picture without alpha counts as opaque.
    void PaintGlyph(vcl::TBitmap* Bmp, int Frame)
    {
        vcl::TBitmap* cache = this->SkinData()->FCacheBmp.get();
        if (!cache || cache->Width() == 0)
            return;
        const TFrameSize size = GlyphSize();
        std::unique_ptr<vcl::TBitmap> opaque;
        if (Bmp->PixelFormat() != vcl::TPixelFormat::pf32bit) {  // leave the user's picture as it is
            opaque = CreateBmp32(Bmp->Width(), Bmp->Height());
            {
                const TCanvasLock to(opaque->Canvas()), from(Bmp->Canvas());
                BitBlt(opaque->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), Bmp->Canvas()->Handle(), 0, 0,
                       SRCCOPY);
            }
            FillAlphaRect(PixelsOf(opaque.get()), vcl::TRect(0, 0, Bmp->Width(), Bmp->Height()), 255, false);
            Bmp = opaque.get();
        }
        const vcl::TRect src(Frame * size.Width, 0, (Frame + 1) * size.Width, size.Height);
        CopyByMask(CheckRect(), src, PixelsOf(cache), PixelsOf(Bmp), CacheView(acEmptyCI), true);
    }

    // The window's picture: the cache, rendered anew, unless the control waits for its parent.
    void PaintHandler(HDC Given)
    {
        TsCommonData& data = *this->SkinData();
        const bool useGiven = Given && (FPaintsOnGivenDC || (data.CtrlSkinState & cssPrinting));
        PAINTSTRUCT ps{};
        HDC dc = Given;
        if (!useGiven) {
            BeginPaint(this->Handle(), &ps);
            dc = ps.hdc;
        }
        {
            const vcl::TSavedDC saved(dc);
            if (data.GetUpdating())
                data.FUpdating = true;
            else
                PaintControl(dc);
        }
        if (!useGiven)
            EndPaint(this->Handle(), &ps);
    }
    void PaintControl(HDC DC)
    {
        TsCommonData& data = *this->SkinData();
        if (data.FUpdating || this->Fading())  // a running fade paints its own steps
            return;
        PrepareCache();
        UpdateCorners(data, 0);
        vcl::TCanvas* cache = data.FCacheBmp->Canvas();
        const TCanvasLock lock(cache);
        BitBlt(DC, 0, 0, this->Width(), this->Height(), cache->Handle(), 0, 0, SRCCOPY);
    }

private:
    void SetLayoutValue(int& Field, int Value)
    {
        if (Value == Field)
            return;
        Field = Value;
        AdjustSize();
        this->Invalidate();
    }
    vcl::TRect PlaceOf(TFrameSize Size) const
    {
        const TGlyphPlace p = GlyphPlace(Size, this->Width(), this->Height(), FMargin, TextRight());
        return vcl::TRect(p.Left, p.Top, p.Left + p.Width, p.Top + p.Height);
    }
    // The caption lies right of the glyph.
    bool TextRight() const { return GetControlsAlignment() == vcl::TAlignment::taRightJustify; }

    void DrawCheckText(vcl::TCanvas* Canvas);
    void DrawCheckArea()
    {
        if (DrawOwnGlyph(Hot()))
            return;
        const TsSkinManager* m = this->SkinData()->SkinManager();
        if (const int mask = DrawnMask(); m && m->IsValidImgIndex(mask))
            DrawSkinGlyphOf(mask);
    }
    void DrawSkinGlyphOf(int Mask)
    {
        TsCommonData& data = *this->SkinData();
        vcl::TBitmap* cache = data.FCacheBmp.get();
        if (cache->Width() < 1)
            return;
        const TPixelView pixels = PixelsOf(cache);
        const TCacheView beneath{pixels, 0, 0, vcl::clFuchsia, true};
        const int state = FPressed ? 2 : Hot() ? 1 : 0;
        const vcl::TRect r = SkinCheckRect(Mask);
        DrawSkinGlyph(pixels, vcl::TPoint(r.left, r.top), state, 1, data.SkinManager()->ma[size_t(Mask)], beneath);
    }

    // A fade whose cache no longer fits the control ends; the control repaints.
    void StopMisfitFade()
    {
        const vcl::TBitmap* cache = this->SkinData()->FCacheBmp.get();
        if (!this->Fading() || (cache && cache->Width() == this->Width()))
            return;
        this->StopFade();
        this->Repaint();
    }
    // Takes the focus without the click the class library would report on it.
    void TakeFocus()
    {
        if (this->Focused() || !this->CanFocus())
            return;
        const bool saved = this->FClicksDisabled;
        this->FClicksDisabled = true;
        this->SetFocus();
        this->FClicksDisabled = saved;
    }
    bool SkinCommand(uint16_t Cmd, vcl::TMessage& Message);
    bool FocusAndMouse(vcl::TMessage& Message);
    bool SkinnedInput(vcl::TMessage& Message);
    bool UnskinnedDropped(vcl::TMessage& Message);

    TsDisabledKind FDisabledKind{TsDisabledKindItem::dkBlended};
    vcl::TObjectPtr<vcl::TBitmap> FGlyphUnChecked;
    vcl::TObjectPtr<vcl::TBitmap> FGlyphChecked;
    int FTextIndent = 0;
    bool FShowFocus = true;
    int FMargin = 2;
    bool FReadOnly = false;

protected:
    bool FPressed = false;
};

// ---------------------------------------------------------------------------------------------

template<class TBase>
void TsCheckControl<TBase>::DrawCheckText(vcl::TCanvas* Canvas)
{
    const vcl::String caption = this->Caption();
    if (caption.empty())
        return;
    const vcl::TRect glyph = CheckRect();
    const int W = this->Width(), H = this->Height();
    const int available = W - glyph.Width() - FTextIndent - 2 * FMargin - 2;
    const bool wrap = this->WordWrap();
    UINT flags = wrap ? DT_WORDBREAK : DT_SINGLELINE;
    vcl::TRect measured(0, 0, available, 0);
    acDrawText(Canvas->Handle(), caption, measured, flags | DT_CALCRECT);
    const int w = measured.Width(), h = measured.Height();
    vcl::TRect r;
    r.top = std::max((H - h) / 2, FMargin);
    r.bottom = r.top + h;
    if (this->GetControlsAlignment() == vcl::TAlignment::taLeftJustify) {
        r.left = FMargin;
        r.right = FMargin + available;
    } else if (!this->UseRightToLeftAlignment()) {
        r.left = W - available - FMargin + 2;
        r.right = r.left + w;
    } else {
        r.right = W - FMargin - glyph.Width() - FTextIndent - 4;
        r.left = r.right - w;
        if (!wrap)
            flags |= DT_RIGHT;
    }
    r.Offset(wrap ? -1 : 0, -1);
    if (this->UseRightToLeftReading())
        flags |= DT_RTLREADING;
    acWriteTextEx(Canvas, caption, true, r, flags, *this->SkinData(), Hot());
    Canvas->Pen()->SetStyle(vcl::TPenStyle::psClear);
    Canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
    if (this->Focused() && FShowFocus) {
        if (!wrap)
            r.bottom -= 1;
        r.top += 1;
        r.Inflate(1, 1);
        FocusRect(Canvas, r, vcl::clBtnFace, vcl::clBlack);
    }
}

template<class TBase>
void TsCheckControl<TBase>::WndProc(vcl::TMessage& Message)
{
    TsCommonData* data = this->SkinData();
    if (!data) {
        TBase::WndProc(Message);
        return;
    }
    if (const uint16_t cmd = SkinCommandOf(Message); cmd && SkinCommand(cmd, Message))
        return;
    const bool skinned = data->Skinned(true);
    const bool designing = this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    if (skinned && !designing && FocusAndMouse(Message))
        return;
    if (!ControlIsReady(this)) {
        TBase::WndProc(Message);
        return;
    }
    const bool handled = CommonWndProc(Message, data);
    if (skinned) {
        if (SkinnedInput(Message))
            return;
    } else if (UnskinnedDropped(Message)) {
        return;
    }
    if (!handled)
        TBase::WndProc(Message);
}

// The skin commands answered before anything else; true when done with.
template<class TBase>
bool TsCheckControl<TBase>::SkinCommand(uint16_t Cmd, vcl::TMessage& Message)
{
    TsCommonData& data = *this->SkinData();
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
    switch (Cmd) {
    case scmdSkinLoaded:
        if (!own)
            return false;
        this->StopFade();
        CommonWndProc(Message, &data);
        return true;
    case scmdSkinRemoved:
        if (!own)
            return false;
        this->StopFade();
        CommonWndProc(Message, &data);
        if (this->HandleAllocated()) {
            SendMessageW(this->Handle(), BM_SETCHECK, NativeCheck(), 0);
            if (Ac_SetWindowTheme && !this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
                Ac_SetWindowTheme(this->Handle(), nullptr, nullptr);
        }
        this->Repaint();
        return true;
    case scmdRepaint:
        if (!own)
            return false;
        this->StopFade();
        BeforeRepaintCommand();
        CommonWndProc(Message, &data);
        AdjustSize();
        this->Repaint();
        return true;
    case scmdRenderCache:
        PrepareCache();
        return false;
    case scmdStopFade:
    case scmdQuerySkinned:
    case scmdQueryApplication:
        return Skinned::EarlySkinCommand(Cmd, Message);
    default:
        return false;
    }
}

// Focus and the mouse while skinned; true when done with.
template<class TBase>
bool TsCheckControl<TBase>::FocusAndMouse(vcl::TMessage& Message)
{
    TsCommonData& data = *this->SkinData();
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case vcl::CM_ENTER:
        if (this->Enabled()) {
            TBase::WndProc(Message);
            data.BGChanged = true;
            if (this->Fading())
                this->FadeTimer()->Change();
            else
                this->Repaint();
        }
        return true;
    case WM_KILLFOCUS:
    case vcl::CM_EXIT:
        if (!this->Enabled())
            return false;
        this->StopFade();
        if (this->HandleAllocated()) {
            SendMessageW(this->Handle(), WM_SETREDRAW, FALSE, 0);
            TBase::WndProc(Message);
            SendMessageW(this->Handle(), WM_SETREDRAW, TRUE, 0);
        } else {
            TBase::WndProc(Message);
        }
        data.FFocused = false;
        data.FMouseAbove = false;
        data.Invalidate();
        return true;
    case vcl::CM_MOUSEENTER:
        if (this->Enabled() && !data.FMouseAbove) {
            data.FMouseAbove = true;
            this->ChangePaint(TacAnimatEvent::aeMouseEnter, false);
        }
        return false;
    case vcl::CM_MOUSELEAVE:
        if (this->Enabled()) {
            data.FMouseAbove = false;
            FPressed = false;
            this->ChangePaint(TacAnimatEvent::aeMouseLeave, false);
        }
        return false;
    default:
        return false;
    }
}

// The messages the skinned control handles itself after CommonWndProc; true when done with.
template<class TBase>
bool TsCheckControl<TBase>::SkinnedInput(vcl::TMessage& Message)
{
    TsCommonData& data = *this->SkinData();
    const bool live = this->Enabled() && !this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning);
    const auto keyEvent = [&](vcl::TKeyEvent event) {
        WORD key = WORD(Message.WParam);
        if (event)
            event(this, key, vcl::KeyboardStateToShiftState());
    };
    if (SkinCommandOf(Message) == scmdParentUpdated) {
        if (data.FUpdating || data.HalfVisible) {
            data.FUpdating = false;
            if (FPaintsOnGivenDC)
                PaintHandler(nullptr);
            else
                this->Repaint();
        }
        return true;
    }
    if (DroppedWhileSkinned(Message.Msg))
        return true;
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return true;
    case WM_PAINT:
        PaintHandler(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return true;
    case WM_PRINT:  // the native button is not to print itself over the face
        data.FUpdating = false;
        PaintHandler(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case BM_SETCHECK:
        if (this->Fading() && this->FadeTimer()->FadeLevel < this->FadeTimer()->Iterations)
            this->StopFade();
        SetCheckMessage(Message);
        return true;
    case WM_KEYDOWN:
        if (Message.WParam != VK_SPACE || !live)
            return false;
        if (!ReadOnly()) {
            FPressed = true;
            TakeFocus();
            this->Repaint();
            keyEvent(this->OnKeyDown());
        }
        return true;
    case WM_KEYUP:
        if (Message.WParam != VK_SPACE || !live)
            return false;
        if (!ReadOnly()) {
            SpaceReleased();
            keyEvent(this->OnKeyUp());
            StopMisfitFade();
        }
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!live)
            return false;
        if (!ReadOnly()) {
            FPressed = true;
            this->ChangePaint(TacAnimatEvent::aeMouseDown, true);
            TakeFocus();
            if (Message.Msg == WM_LBUTTONDBLCLK)
                this->DblClick();
            else if (const vcl::TMouseEvent down = this->OnMouseDown())
                down(this, vcl::TMouseButton::mbLeft, vcl::KeysToShiftState(Message.WParam),
                     GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        }
        return true;
    case WM_LBUTTONUP:
        if (!live)
            return false;
        if (!ReleasedAfterPress())
            return true;
        if (const vcl::TMouseEvent up = this->OnMouseUp())
            up(this, vcl::TMouseButton::mbLeft, vcl::KeysToShiftState(Message.WParam), GET_X_LPARAM(Message.LParam),
               GET_Y_LPARAM(Message.LParam));
        StopMisfitFade();
        return true;
    case WM_UPDATEUISTATE:
        if (Ac_SetWindowTheme && !this->ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
            Ac_SetWindowTheme(this->Handle(), L" ", L" ");
        return true;
    case vcl::CM_ENABLEDCHANGED:
        TBase::WndProc(Message);
        this->Repaint();
        return true;
    case vcl::CM_FONTCHANGED:
    case vcl::CM_TEXTCHANGED:
        AdjustSize();
        this->Repaint();
        return true;
    case vcl::CM_CHANGED:
        ChangedMessage();
        return false;
    default:
        return false;
    }
}

// Ready but not skinned: the pressed flag follows the button and the key, and read-only drops
// what would change the state; true when the message is dropped.
template<class TBase>
bool TsCheckControl<TBase>::UnskinnedDropped(vcl::TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_KEYDOWN:
        FPressed = true;
        return false;
    case WM_LBUTTONUP:
    case WM_KEYUP:
        FPressed = false;
        return false;
    case WM_LBUTTONDBLCLK:
        return ReadOnly();
    case BM_SETCHECK:
    case BM_SETSTATE:
        return ReadOnly() && FPressed && !this->ControlState().Contains(vcl::TControlStateItem::csCreating);
    case vcl::CM_FONTCHANGED:
    case vcl::CM_TEXTCHANGED:
        AdjustSize();
        return false;
    default:
        return false;
    }
}

}  // namespace skin
