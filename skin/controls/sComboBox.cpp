#include "skin/controls/sComboBox.h"

#include <algorithm>
#include <numeric>

#include "skin/core/sMaskData.h"
#include "skin/graphics/BitmapView.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TComboBoxStyle;
using vcl::TMessage;
using vcl::TOwnerDrawState;
using vcl::TOwnerDrawStateItem;
using vcl::TRect;

namespace {

// The frame around the field that stays the cache's while the edit window paints itself.
constexpr int FrameWidth = 3;
// Items and the field: one line, tabs expanded, "&" shown as it is; no vertical centring.
constexpr UINT ItemTextFlags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;

// The key codes a read-only box drops.
bool ReadOnlyKey(WPARAM Key)
{
    return (Key >= VK_SPACE && Key <= VK_DOWN) || Key == 0x39 || (Key >= 'A' && Key <= 'Z') || Key == VK_F4;
}

// Binds a canvas to a DC for a scope, locked, and gives it back the DC it had.
class TCanvasOnDC {
public:
    TCanvasOnDC(vcl::TCanvas* Canvas, HDC DC)
        : FCanvas(Canvas), FPrevious(Canvas->HandleAllocated() ? Canvas->Handle() : nullptr)
    {
        FCanvas->Lock();
        FCanvas->SetHandle(DC);
    }
    ~TCanvasOnDC()
    {
        FCanvas->SetHandle(FPrevious);
        FCanvas->Unlock();
    }
    TCanvasOnDC(const TCanvasOnDC&) = delete;
    TCanvasOnDC& operator=(const TCanvasOnDC&) = delete;

private:
    vcl::TCanvas* FCanvas;
    HDC FPrevious;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Rules

TRect ComboButtonRect(int Width, int Height, int ScrollBarWidth, bool HasButton, bool RightToLeft)
{
    const int w = HasButton ? ScrollBarWidth + 1 : 0;
    const int left = RightToLeft ? 2 : Width - w - 2;
    return TRect(left, 2, left + w, Height - 2);
}

bool ReadOnlyComboDrops(UINT Msg, WPARAM WParam)
{
    switch (Msg) {
    case WM_CHAR: return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
    case vcl::CN_KEYDOWN:
    case vcl::CN_SYSKEYDOWN:
    case vcl::CN_SYSCHAR: return ReadOnlyKey(WParam);
    case WM_COMMAND:
    case vcl::CN_COMMAND: return HIWORD(WParam) == CBN_DROPDOWN;
    default: return false;
    }
}

bool ReadOnlyComboChildDrops(UINT Msg)
{
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYUP:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case vcl::CN_KEYDOWN:
    case vcl::CN_CHAR:
    case vcl::CN_SYSKEYDOWN:
    case vcl::CN_SYSCHAR: return true;
    default: return false;
    }
}

TComboScale ScaledBy(TComboScale Scale, int M, int D)
{
    const long long m = static_cast<long long>(Scale.M) * M, d = static_cast<long long>(Scale.D) * D;
    const long long divisor = std::gcd(m, d);
    if (divisor == 0)
        return Scale;
    return {static_cast<int>(m / divisor), static_cast<int>(d / divisor)};
}

// ---------------------------------------------------------------------------------------------
// Creation and properties

TsCustomComboBox::TsCustomComboBox(vcl::TComponent* AOwner)
    : TsSkinnedControl(AOwner, ckEdit, TSkinDataClass::WithColours),
      FBoundLabel(std::make_unique<TsEditBoundLabel>(this, SkinData()))
{
    SetDropDownCount(16);
    // The kind code alone would choose the edit's section.
    if (SkinData()->SkinSection().empty())
        SkinData()->SetSkinSection(L"COMBOBOX");
}

TsCustomComboBox::~TsCustomComboBox()
{
    FreeScrollWrapper(FListSW);
    FBoundLabel.reset();
}

void TsCustomComboBox::PublishProperties(vcl::TPropertyTable& Table)
{
    using C = TsCustomComboBox;
    Table.Add(L"Alignment", &C::Alignment, &C::SetAlignment);
    Table.Add(L"DisabledKind", &C::DisabledKind, &C::SetDisabledKind, {L"dkBlended", L"dkGrayed"});
    Table.Add(L"DropDownCount", &vcl::TCustomComboBox::DropDownCount, &vcl::TCustomComboBox::SetDropDownCount);
    Table.Add(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly);
    Table.Add(L"SkinData", &C::SkinData, &C::SetSkinData);
}

void TsComboBox::PublishProperties(vcl::TPropertyTable& Table)
{
    using C = vcl::TCustomComboBox;
    Table.Add(L"Items", &C::Items, &C::SetItems);
    Table.Add(L"ItemIndex", &C::ItemIndex, &C::SetItemIndex);
    Table.Add(L"Sorted", &C::Sorted, &C::SetSorted);
    Table.Add(L"Style", &C::Style, &C::SetStyle);
}

void TsCustomComboBox::SetAlignment(vcl::TAlignment Value)
{
    if (vcl::ChangeField(FAlignment, Value))
        SkinData()->Invalidate();
}

void TsCustomComboBox::SetDisabledKind(TsDisabledKind Value)
{
    if (vcl::ChangeField(FDisabledKind, Value))
        SkinData()->Invalidate();
}

void TsCustomComboBox::SetShowButton(bool Value)
{
    if (vcl::ChangeField(FShowButton, Value))
        SkinData()->Invalidate();
}

void TsCustomComboBox::SetDropDownCount(int Value)
{
    if (Value != DropDownCount())
        inherited::SetDropDownCount(Value);
}

void TsCustomComboBox::CreateParams(vcl::TCreateParams& Params)
{
    inherited::CreateParams(Params);
    // The list items and the field come to DrawItem.
    if (Style() == TComboBoxStyle::csDropDown || Style() == TComboBoxStyle::csDropDownList)
        Params.Style |= CBS_OWNERDRAWFIXED;
}

void TsCustomComboBox::CreateWnd()
{
    inherited::CreateWnd();
    SkinData()->Loaded();
    FitEditMargins();
}

void TsCustomComboBox::FitEditMargins()
{
    if (!HandleAllocated() || Style() != TComboBoxStyle::csDropDown || !EditHandle())
        return;
    if (SkinData()->Skinned()) {
        const TRect field = FieldRect();
        PlaceEditText(EditHandle(), Handle(), field.left, field.right);
    } else {
        UseFontMargins(EditHandle());
    }
}

void TsCustomComboBox::ChangeScale(int M, int D)
{
    FScale = ScaledBy(FScale, M, D);
    inherited::ChangeScale(M, D);
    if (M != D)
        RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// State

TRect TsCustomComboBox::ButtonRect() const
{
    return ComboButtonRect(Width(), Height(), GetSystemMetrics(SM_CXVSCROLL),
                           FShowButton && Style() != TComboBoxStyle::csSimple, UseRightToLeftAlignment());
}

int TsCustomComboBox::ButtonHeight() const
{
    const TsCommonData& data = *SkinData();
    if (data.Skinned())
        if (const TsSkinManager* m = data.SkinManager(); m->ConstData.ComboGlyph >= 0)
            return HeightOfImage(m->ma[size_t(m->ConstData.ComboGlyph)]);
    return 16;
}

bool TsCustomComboBox::Focused() const
{
    if (!HandleAllocated())
        return false;
    if (const TsCommonData* data = SkinData(); data && data->FFocused)
        return true;
    // The system is asked once: under Wine that asks the window server.
    const HWND focus = GetFocus();
    return OwnsWindow(focus) || (focus && focus == ListHandle());
}

void TsCustomComboBox::Invalidate()
{
    if (TsCommonData* data = SkinData(); data && Focused())
        data->FFocused = true;
    inherited::Invalidate();
}

int TsCustomComboBox::IndexOf(const vcl::String& S) const
{
    for (int i = 0; i < Items()->Count(); ++i)
        if (Items()->Strings(i) == S)
            return i;
    return -1;
}

bool TsCustomComboBox::OwnerDrawStyle() const
{
    return Style() == TComboBoxStyle::csOwnerDrawFixed || Style() == TComboBoxStyle::csOwnerDrawVariable;
}

bool TsCustomComboBox::IsOwnerDrawn() const { return OwnerDrawStyle() && OnDrawItem(); }

int TsCustomComboBox::CacheHeight() { return Style() == TComboBoxStyle::csSimple ? ItemHeight() + 8 : Height(); }

// ---------------------------------------------------------------------------------------------
// Rendering

void TsCustomComboBox::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    vcl::TBitmap* cache = data.FCacheBmp.get();
    const int height = CacheHeight();
    if (Style() == TComboBoxStyle::csSimple)
        cache->SetHeight(height);
    const TCacheInfo beneath = GetParentCache(data);
    const vcl::TPoint at(Left(), Top());
    PaintItem(data, beneath, ControlIsActive(data) ? 1 : 0, TRect(0, 0, Width(), height), at, cache, false);
    if (Style() != TComboBoxStyle::csSimple) {
        DrawField();
        if (FShowButton)
            PaintButton();
    }
    if (!Enabled() && !IsOwnerDrawn())
        BmpDisabledKind(PixelsOf(cache), FDisabledKind, GetControlColor(Parent()), CacheView(beneath), at);
    data.BGChanged = false;
}

TRect TsCustomComboBox::FieldRect()
{
    const TRect b = ButtonRect();
    const int height = CacheHeight();
    return UseRightToLeftAlignment() ? TRect(b.right + 1, FrameWidth, Width() - FrameWidth, height - FrameWidth)
                                     : TRect(FrameWidth, FrameWidth, b.left - 1, height - FrameWidth);
}

void TsCustomComboBox::DrawField()
{
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    const TRect field = FieldRect();
    TOwnerDrawState state{TOwnerDrawStateItem::odComboBoxEdit};
    if (Focused() && (Style() == TComboBoxStyle::csDropDownList || OwnerDrawStyle()))
        state << TOwnerDrawStateItem::odSelected << TOwnerDrawStateItem::odFocused;
    const TCanvasLock lock(cache->Canvas());
    const TCanvasOnDC onCache(Canvas(), cache->Canvas()->Handle());
    DrawItem(ItemIndex(), field, state);
}

void TsCustomComboBox::PaintButton()
{
    TsCommonData& data = *SkinData();
    TsSkinManager* m = data.SkinManager();
    vcl::TBitmap* cache = data.FCacheBmp.get();
    const int state = FDropDown ? 2 : ControlIsActive(data) ? 1 : 0;
    const TRect b = ButtonRect();
    const TConstantSkinData& c = m->ConstData;
    if (c.ComboBtnIndex >= 0)
        PaintItem(c.ComboBtnIndex, L"COMBOBTN", MakeCacheInfo(cache), state, b, b.TopLeft(), cache, m, c.ComboBtnBG,
                  c.ComboBtnBGHot);
    if (!m->IsValidImgIndex(c.ComboGlyph))
        return;
    const TsMaskData& glyph = m->ma[size_t(c.ComboGlyph)];
    const TPixelView pixels = PixelsOf(cache);
    const vcl::TPoint at(b.left + (b.Width() - WidthOfImage(glyph)) / 2, (Height() - ButtonHeight()) / 2);
    DrawSkinGlyph(pixels, at, state, 1, glyph, TCacheView{pixels, 0, 0, vcl::clFuchsia, true});
}

void TsCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (SkinData()->Skinned())
        DrawSkinnedItem(Index, Rect, State);
    else
        DrawPlainItem(Index, Rect, State);
}

void TsCustomComboBox::DrawSkinnedItem(int Index, const TRect& R, TOwnerDrawState State)
{
    TsCommonData& data = *SkinData();
    TsSkinManager* m = data.SkinManager();
    const auto bmp = CreateBmp32(std::max(int(R.Width()), 0), std::max(int(R.Height()), 0));
    vcl::TCanvas* canvas = bmp->Canvas();
    canvas->SetFont(Font());
    const TCanvasLock bmpLock(canvas);
    const HDC dc = canvas->Handle();
    TRect r2(0, 0, R.Width(), R.Height());
    const bool field = State.Contains(TOwnerDrawStateItem::odComboBoxEdit);
    const bool selected = State.Contains(TOwnerDrawStateItem::odSelected);
    vcl::TBitmap* cache = data.FCacheBmp.get();
    const auto copyCache = [&] {
        if (!cache)
            return;
        const TCanvasLock cacheLock(cache->Canvas());
        BitBlt(dc, 0, 0, r2.Width(), r2.Height(), cache->Canvas()->Handle(), R.left, R.top, SRCCOPY);
    };
    const int selection = selected ? m->GetSkinIndex(L"SELECTION") : -1;
    if (selected) {
        const vcl::TColor highlight = m->GetHighLightColor(true);
        Canvas()->Brush()->SetColor(highlight);
        if (selection < 0) {
            FillDC(dc, r2, highlight);
        } else {
            const TCacheInfo beneath = field ? MakeCacheInfo(cache, R.left, R.top)
                                             : TCacheInfo{nullptr, 0, 0, vcl::TColor(vcl::ColorToRGB(Color())), false};
            PaintItem(selection, L"SELECTION", beneath, 1, r2, vcl::TPoint(0, 0), bmp.get(), m, -1, -1);
        }
        Canvas()->Font()->SetColor(m->GetHighLightFontColor(true));
    } else {
        const vcl::TColor colour = field ? Color() : m->GetActiveEditColor();
        if (field)
            copyCache();
        else
            FillDC(dc, r2, colour);
        Canvas()->Brush()->SetColor(colour);
    }

    if (OnDrawItem() && OwnerDrawStyle()) {
        if (Index >= 0 && Index < Items()->Count())
            DrawByHandler(bmp.get(), Index, R, State);
    } else {
        UINT flags = ItemTextFlags;
        if (UseRightToLeftAlignment())
            flags |= DT_RIGHT;
        if (UseRightToLeftReading())
            flags |= DT_RTLREADING;
        canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
        if (field && Style() == TComboBoxStyle::csDropDown) {
            canvas->Font()->SetColor(Font()->Color());
            canvas->TextRect(r2, Text(), flags);
        } else {
            r2.Inflate(-2, 0);
            const vcl::String text = Items()->Strings(Index);
            if (selection >= 0) {
                acWriteTextEx(canvas, text, true, r2, flags, selection, true, m);
            } else {
                canvas->Font()->SetColor(selected ? m->GetHighLightFontColor(true)
                                         : field  ? Font()->Color()
                                                  : m->GetActiveEditFontColor());
                canvas->TextRect(r2, text, flags);
            }
            if (State.Contains(TOwnerDrawStateItem::odFocused) && selection < 0) {
                r2.Inflate(2, 0);
                canvas->Brush()->SetStyle(vcl::TBrushStyle::bsSolid);
                canvas->DrawFocusRect(r2);
            }
        }
    }
    BitBlt(Canvas()->Handle(), R.left, R.top, R.Width(), R.Height(), dc, 0, 0, SRCCOPY);
}

void TsCustomComboBox::DrawByHandler(vcl::TBitmap* Bmp, int Index, const TRect& R, TOwnerDrawState State)
{
    const HDC dc = Bmp->Canvas()->Handle();
    const TCanvasOnDC onBmp(Canvas(), dc);
    const vcl::TSavedDC saved(dc);
    SetWindowOrgEx(dc, R.left, R.top, nullptr);
    OnDrawItem()(this, Index, R, State);
}

void TsCustomComboBox::DrawPlainItem(int Index, TRect R, TOwnerDrawState State)
{
    vcl::TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const bool selected = State.Contains(TOwnerDrawStateItem::odSelected);
    canvas->Brush()->SetColor(selected ? vcl::clHighlight : Color());
    canvas->Font()->SetColor(selected ? vcl::clHighlightText : Font()->Color());
    canvas->FillRect(R);
    if (Index < 0 || Index >= Items()->Count())
        return;
    R.Inflate(-2, 0);
    if (OnDrawItem() && OwnerDrawStyle()) {
        OnDrawItem()(this, Index, R, State);
    } else {
        canvas->Brush()->SetStyle(vcl::TBrushStyle::bsClear);
        canvas->TextRect(R, Items()->Strings(Index), ItemTextFlags);
    }
    if (State.Contains(TOwnerDrawStateItem::odFocused)) {
        R.Inflate(2, 0);
        canvas->DrawFocusRect(R);
    }
}

void TsCustomComboBox::CNDrawItem(TMessage& Message)
{
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    const TCanvasOnDC onItem(Canvas(), item.hDC);
    DrawItem(static_cast<int>(item.itemID), item.rcItem, vcl::OwnerDrawState(item.itemState));
    Message.Result = TRUE;
}

void TsCustomComboBox::CNMeasureItem(TMessage& Message)
{
    if (OwnerDrawStyle()) {
        inherited::CNMeasureItem(Message);
        return;
    }
    const int text = GetStringSize(Font()->Handle(), L"A").cy;
    reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = UINT(MulDiv(text, FScale.M, FScale.D) + 2);
    Message.Result = TRUE;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TsCustomComboBox::OurPaintHandler(HDC DC)
{
    if (!Showing() || !HandleAllocated())
        return;
    TsCommonData& data = *SkinData();
    const HDC dc = DC ? DC : GetWindowDC(Handle());
    data.FUpdating = data.GetUpdating();
    if (!data.FUpdating && !(InAnimationProcess && data.PrintDC && data.PrintDC != dc)) {
        vcl::TWinControl* parent = Parent();
        data.BGChanged = data.BGChanged || data.HalfVisible || (parent && GetBoolMsg(parent, scmdQueryHalfVisible)) ||
                         IsOwnerDrawn();
        data.HalfVisible = parent && !RectInRect(parent->ClientRect(), BoundsRect());
        if (data.BGChanged)
            PrepareCache();
        UpdateCorners(data, 0);
        CopyCache(dc);
    }
    if (!DC)
        ReleaseDC(Handle(), dc);
}

void TsCustomComboBox::CopyCache(HDC DC)
{
    vcl::TBitmap* cache = SkinData()->FCacheBmp.get();
    if (!cache)
        return;
    const TCanvasLock lock(cache->Canvas());
    const HDC source = cache->Canvas()->Handle();
    const int W = Width(), H = CacheHeight();
    const auto frame = [&] { BitBltBorder(DC, 0, 0, W, H, source, 0, 0, FrameWidth); };
    switch (Style()) {
    case TComboBoxStyle::csDropDown:
        if (Focused()) {  // the edit window shows through
            frame();
            const TRect b = ButtonRect();
            BitBlt(DC, b.left, b.top, b.Width(), b.Height(), source, b.left, b.top, SRCCOPY);
        } else {
            BitBlt(DC, 0, 0, W, H, source, 0, 0, SRCCOPY);
        }
        break;
    case TComboBoxStyle::csSimple: frame(); break;
    default: BitBlt(DC, 0, 0, W, Height(), source, 0, 0, SRCCOPY); break;
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

void TsCustomComboBox::WndProc(TMessage& Message)
{
    if (FReadOnly && ReadOnlyComboDrops(Message.Msg, Message.WParam))
        return;
    inherited::WndProc(Message);
    const uint16_t cmd = SkinCommandOf(Message);
    if (Message.Msg == WM_SETFONT || Message.Msg == WM_SIZE || cmd == scmdSkinLoaded || cmd == scmdSkinRemoved)
        FitEditMargins();
    FBoundLabel->FollowControl(Message.Msg, FDisabledKind);
}

void TsCustomComboBox::Dispatch(TMessage& Message)
{
    // A read-only box only takes the focus from a click.
    if (FReadOnly && (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)) {
        if (CanFocus())
            SetFocus();
        if (Message.Msg == WM_LBUTTONDBLCLK)
            DblClick();
        return;
    }
    inherited::Dispatch(Message);
}

// Unless it is being edited, the field is the cache's picture and its edit window paints
// nothing. The drop-down list is no part of the field: it paints itself whatever the focus.
bool TsCustomComboBox::CacheShowsInField(HWND ComboWnd) const
{
    const TsCommonData* data = SkinData();
    return ComboWnd == EditHandle() && data && !IsDestroying() && data->Skinned() &&
           Style() != TComboBoxStyle::csSimple && !(Enabled() && !FReadOnly && Focused());
}

void TsCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc)
{
    if (FReadOnly && ReadOnlyComboChildDrops(Message.Msg))
        return;
    const bool paints = Message.Msg == WM_PAINT || Message.Msg == WM_ERASEBKGND || Message.Msg == WM_NCPAINT;
    if (paints && CacheShowsInField(ComboWnd)) {
        // Validated without a paint: a paint would set up a device context and hide the caret
        // for nothing.
        if (Message.Msg == WM_PAINT)
            ValidateRect(ComboWnd, nullptr);
        Message.Result = Message.Msg == WM_PAINT ? 0 : 1;
        return;
    }
    inherited::ComboWndProc(Message, ComboWnd, ComboProc);
}

void TsCustomComboBox::TakeStandardColours()
{
    const TsCommonData& data = *SkinData();
    if (!data.CustomColor())
        SetColor(vcl::clWindow);
    if (!data.CustomFont())
        Font()->SetColor(vcl::clWindowText);
}

bool TsCustomComboBox::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
    switch (Cmd) {
    case scmdSkinLoaded:
        if (own)
            CommonWndProc(Message, &data);
        return true;
    case scmdSkinRemoved:
        if (own) {
            CommonWndProc(Message, &data);
            TakeStandardColours();
            FreeScrollWrapper(FListSW);
        }
        return true;
    case scmdRepaint:
        if (own) {
            CommonWndProc(Message, &data);
            Repaint();
        }
        return true;
    case scmdParentUpdated:
        if (data.FUpdating) {
            data.FUpdating = false;
            Repaint();
        }
        return true;
    case scmdMouseLeave: Perform(vcl::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this)); return false;
    default: return inherited::EarlySkinCommand(Cmd, Message);
    }
}

bool TsCustomComboBox::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    if (SkinCommandOf(Message) == scmdDroppedDown) {
        Message.Result = DroppedDown() ? 1 : 0;
        return true;
    }
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case vcl::CM_ENTER:
        if (!CanFocus())
            return false;
        data.FFocused = true;
        data.FMouseAbove = false;
        data.BGChanged = true;
        InheritedWndProc(Message);
        Repaint();
        return true;
    case WM_KILLFOCUS:
    case vcl::CM_EXIT:
        SetDroppedDown(false);
        data.FFocused = false;
        data.FMouseAbove = false;
        data.BGChanged = true;
        InheritedWndProc(Message);
        Repaint();
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(Handle(), &ps);
        if (!InAnimationProcess)
            OurPaintHandler(reinterpret_cast<HDC>(Message.WParam));
        EndPaint(Handle(), &ps);
        Message.Result = 0;
        return true;
    }
    case WM_NCPAINT:
        if (InAnimationProcess)
            OurPaintHandler(nullptr);
        return true;
    case WM_PRINT: {
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        data.FUpdating = false;
        OurPaintHandler(dc);
        if (Style() == TComboBoxStyle::csDropDown && data.FFocused && data.FCacheBmp) {
            const TCanvasLock lock(data.FCacheBmp->Canvas());
            BitBlt(dc, 0, 0, Width(), CacheHeight(), data.FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
        }
        return true;
    }
    case WM_SETFONT:
    case vcl::CM_VISIBLECHANGED:
    case vcl::CM_ENABLEDCHANGED:
    case vcl::CM_COLORCHANGED:
    case vcl::CM_MOUSEWHEEL: data.BGChanged = true; return false;
    case WM_COMMAND:
        if (FReadOnly)
            return true;
        FDropDown = false;
        data.BGChanged = true;
        OurPaintHandler(nullptr);
        return false;
    case vcl::CM_MOUSEENTER:
    case vcl::CM_MOUSELEAVE:
        if (ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
            return false;
        Hover(Message);
        return true;
    case vcl::CN_COMMAND:
        if (HIWORD(Message.WParam) == CBN_DROPDOWN) {
            FDropDown = true;
        } else if (HIWORD(Message.WParam) == CBN_CLOSEUP) {
            FDropDown = false;
            data.BGChanged = true;
            OurPaintHandler(nullptr);
        }
        return false;
    default: return false;
    }
}

void TsCustomComboBox::WrapList(HWND List)
{
    const auto make = ControlWrapperMakers().MakeComboList;
    if (!make || !List || ComponentState().Contains(vcl::TComponentStateItem::csLoading) ||
        (FListSW && !FListSW->Destroyed()))
        return;
    FListSW.reset();
    FListSW = make(List, SkinData()->SkinManager(), Style() == TComboBoxStyle::csSimple);
}

void TsCustomComboBox::Hover(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    if (DroppedDown()) {
        InheritedWndProc(Message);
        return;
    }
    const bool enter = Message.Msg == vcl::CM_MOUSEENTER;
    if (enter) {
        if (data.FMouseAbove)
            return;
        if (TsSkinManager* m = data.SkinManager())
            m->SetActiveControl(Handle());
    } else {
        RECT window;
        GetWindowRect(Handle(), &window);
        if (PtInRect(&window, acMousePos()))
            return;
    }
    data.FMouseAbove = enter;
    data.BGChanged = true;
    Repaint();
    InheritedWndProc(Message);
    if (enter)
        ShowGlowingIfNeeded(data);
    else
        data.HideGlow();
}

void TsCustomComboBox::AfterInherited(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Message.Msg) {
    case WM_SETFONT:
    case vcl::CM_ENABLEDCHANGED: Repaint(); break;
    case CB_SETCURSEL:
    case vcl::CM_TEXTCHANGED:
    case vcl::CM_CHANGED:
        data.BGChanged = true;
        Repaint();
        break;
    case WM_CTLCOLORLISTBOX: WrapList(reinterpret_cast<HWND>(Message.LParam)); break;
    case vcl::CM_FONTCHANGED:
        // The items are measured in the new font.
        if (HandleAllocated() && IsWindowVisible(Handle()))
            SetItemHeight(ItemHeight());
        Invalidate();
        break;
    default: break;
    }
}

}  // namespace skin
