#include "skin/controls/sGroupBox.h"

#include <algorithm>

#include "skin/graphics/BitmapView.h"
#include "vcl/properties.h"

namespace skin {

using GroupLayout = sGroupBox::TsCaptionLayout;
using vcl::TMessage;
using vcl::TRect;

// =============================================================================================
// Margins

void TsMargin::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Left", &TsMargin::Left, &TsMargin::SetLeft);
    Table.Add(L"Top", &TsMargin::Top, &TsMargin::SetTop);
    Table.Add(L"Right", &TsMargin::Right, &TsMargin::SetRight);
    Table.Add(L"Bottom", &TsMargin::Bottom, &TsMargin::SetBottom);
}

void TsMargin::SetMargin(int Index, int Value)
{
    if (FValues[Index] == Value)
        return;
    FValues[Index] = Value;
    if (FControl->ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        return;
    if (auto* box = dynamic_cast<TsGroupBox*>(FControl))
        box->SkinData()->Invalidate();
}

// =============================================================================================
// Group box

TCaptionSpan CaptionSpan(GroupLayout Layout, bool RightToLeft, int Width, int TextWidth, int CaptionWidth,
                         int MarginLeft, int MarginRight, int BevelWidth)
{
    const int M = MarginLeft + MarginRight;
    const bool leftEdge = Layout == (RightToLeft ? GroupLayout::clTopRight : GroupLayout::clTopLeft);
    TCaptionSpan s{};
    if (CaptionWidth == 0) {
        s.Left = Layout == GroupLayout::clTopCenter ? (Width - TextWidth - M - 6) / 2
                 : leftEdge                         ? 6
                                                    : Width - TextWidth - 2 * M - 6;
        s.Right = s.Left + TextWidth + 2 * M;
    } else {
        s.Left = Layout == GroupLayout::clTopCenter ? (Width - CaptionWidth - 6) / 2
                 : leftEdge                         ? MarginLeft + 6
                                                    : Width - CaptionWidth - 6 - MarginRight;
        s.Right = s.Left + CaptionWidth + MarginLeft;
    }
    s.Left = std::max(s.Left, 0);
    s.Right = std::min(s.Right, Width);
    if (s.Right - s.Left < 2 * BevelWidth) {
        s.Left -= BevelWidth;
        s.Right += BevelWidth;
    }
    return s;
}

TsGroupBox::TsGroupBox(vcl::TComponent* AOwner)
    : TsSkinnedControl(AOwner, ckGroupBox), FCaptionMargin(std::make_unique<TsMargin>(this))
{
    vcl::TControlStyle style = ControlStyle();
    style >> vcl::TControlStyleItem::csOpaque;
    SetControlStyle(style);
}

void TsGroupBox::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsGroupBox::SkinData, &TsGroupBox::SetSkinData);
    Table.Add(L"CaptionLayout", &TsGroupBox::CaptionLayout, &TsGroupBox::SetCaptionLayout);
    Table.Add(L"CaptionMargin", &TsGroupBox::CaptionMargin, &TsGroupBox::SetCaptionMargin);
    Table.Add(L"CaptionYOffset", &TsGroupBox::CaptionYOffset, &TsGroupBox::SetCaptionYOffset);
    Table.Add(L"CaptionWidth", &TsGroupBox::CaptionWidth, &TsGroupBox::SetCaptionWidth);
    Table.Add(L"CaptionSkin", &TsGroupBox::CaptionSkin, &TsGroupBox::SetCaptionSkin);
}

void TsGroupBox::SetAndInvalidate(int& Field, int Value)
{
    if (Value == Field)
        return;
    Field = Value;
    SkinData()->Invalidate();
}

void TsGroupBox::SetCaptionLayout(GroupLayout Value)
{
    if (Value == FCaptionLayout)
        return;
    FCaptionLayout = Value;
    if (!Caption().empty())
        SkinData()->Invalidate();
}

void TsGroupBox::SetCaptionSkin(const vcl::String& Value)
{
    if (Value == FCaptionSkin)
        return;
    FCaptionSkin = Value;
    SkinData()->Invalidate();
}

void TsGroupBox::AdjustClientRect(TRect& Rect)
{
    if (ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
        return;
    inherited::AdjustClientRect(Rect);
    Rect.top += FCaptionYOffset;
}

vcl::TCanvas* TsGroupBox::CacheCanvas()
{
    InitCacheBmp(*SkinData());
    vcl::TCanvas* canvas = SkinData()->FCacheBmp->Canvas();
    canvas->SetFont(Font());
    return canvas;
}

int TsGroupBox::TextHeight()
{
    vcl::TCanvas* canvas = CacheCanvas();
    const TCanvasLock lock(canvas);
    return std::max(4, acTextHeight(canvas, L"W")) + 2;
}

TRect TsGroupBox::CaptionRect()
{
    const bool skinned = SkinData()->Skinned();
    TRect r;
    r.top = skinned ? std::min(0, FCaptionYOffset) : 0;
    r.bottom = TextHeight() + FCaptionMargin->Top() + FCaptionMargin->Bottom() + (skinned ? FCaptionYOffset : 0);
    int textWidth = 0;
    if (FCaptionWidth == 0) {
        vcl::TCanvas* canvas = CacheCanvas();
        const TCanvasLock lock(canvas);
        textWidth = acTextWidth(canvas, Caption());
    }
    const TCaptionSpan s = CaptionSpan(FCaptionLayout, UseRightToLeftAlignment(), Width(), textWidth, FCaptionWidth,
                                       FCaptionMargin->Left(), FCaptionMargin->Right(), BevelWidth());
    r.left = s.Left;
    r.right = s.Right;
    return r;
}

void TsGroupBox::Paint()
{
    if (SkinData()->Skinned(true))
        PaintToDC(Canvas()->Handle());
    else
        inherited::Paint();
}

// ---------------------------------------------------------------------------------------------
// Rendering

void TsGroupBox::PrepareCache()
{
    TsCommonData& data = *SkinData();
    InitCacheBmp(data);
    vcl::TBitmap* cache = data.FCacheBmp.get();
    const TCacheInfo background = GetParentCache(data);
    const TRect cr = CaptionRect();
    const TPixelView pixels = PixelsOf(cache);
    if (background.Ready) {
        const TCacheView parent = CacheView(background);
        for (int y = 0; y < std::min(int(cr.Height()), Height()); ++y)
            for (int x = 0; x < Width(); ++x)
                if (const int px = Left() + parent.X + x, py = Top() + parent.Y + y; parent.Bmp.Contains(px, py))
                    pixels.At(x, y) = parent.Bmp.At(px, py);
    } else if (Parent()) {
        FillRect32(pixels, TRect(0, 0, Width(), cr.bottom), background.FillColor);
    }
    const int frameTop = FCaptionYOffset < 0 ? 0 : cr.Height() / 2;
    PaintItem(data, background, 0, TRect(0, frameTop, Width(), Height()), vcl::TPoint(Left(), Top() + frameTop), cache,
              true);
    if (!Caption().empty())
        WriteText(cr, background);
    data.BGChanged = false;
}

void TsGroupBox::WriteText(const TRect& R, const TCacheInfo& Background)
{
    TsCommonData& data = *SkinData();
    TsSkinManager* m = data.SkinManager();
    vcl::TBitmap* cache = data.FCacheBmp.get();
    UINT flags = DT_SINGLELINE | DT_VCENTER | (FCaptionWidth == 0 ? DT_CENTER : DT_END_ELLIPSIS);
    if (UseRightToLeftReading())
        flags |= DT_RTLREADING;
    const int state = Focused() ? 1 : 0;
    const TsMargin& mg = *FCaptionMargin;
    if (FCaptionSkin.empty()) {
        const int index = m->GetSkinIndex(L"CHECKBOX");
        if (Background.Ready)
            skin::PaintItem(index, L"CHECKBOX", Background, state, R, vcl::TPoint(Left() + R.left, Top() + R.top), cache,
                            m);
        else
            FillRect32(PixelsOf(cache), R, Background.FillColor);
        TRect text(R.left + mg.Left(), R.top + mg.Top(), R.right - mg.Right(), R.bottom - mg.Bottom());
        vcl::TCanvas* canvas = CacheCanvas();
        const TCanvasLock lock(canvas);
        acWriteTextEx(canvas, Caption(), true, text, flags, data, false);
        return;
    }
    const int index = m->GetSkinIndex(FCaptionSkin);
    const auto strip = CreateBmp32(R.Width(), R.Height());
    const TCacheInfo beneath{cache, 0, 0, vcl::clFuchsia, true};
    skin::PaintItem(index, FCaptionSkin, beneath, state, TRect(0, 0, R.Width(), R.Height()),
                    vcl::TPoint(R.left, R.top), strip.get(), m);
    strip->Canvas()->SetFont(Font());
    TRect text(mg.Left(), mg.Top(), R.Width() - mg.Right(), R.Height() - mg.Bottom());
    {
        const TCanvasLock lock(strip->Canvas());
        acWriteTextEx(strip->Canvas(), Caption(), true, text, flags, index, false, m);
    }
    const TCanvasLock to(cache->Canvas()), from(strip->Canvas());
    BitBlt(cache->Canvas()->Handle(), R.left, R.top, R.Width(), R.Height(), strip->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsGroupBox::PaintToDC(HDC DC)
{
    TsCommonData& data = *SkinData();
    if (!data.Skinned(true) || ComponentState().Contains(vcl::TComponentStateItem::csDestroying))
        return;
    if (!Visible() && !ComponentState().Contains(vcl::TComponentStateItem::csDesigning))
        return;
    if (InAnimationProcess && DC != data.PrintDC)
        return;
    data.FUpdating = data.GetUpdating();
    if (data.FUpdating)
        return;
    if (data.RepaintIfMoved() && Parent()) {
        const TRect client = Parent()->ClientRect();
        const auto inside = [&](int x, int y) { return x >= client.left && x < client.right && y >= client.top && y < client.bottom; };
        data.HalfVisible = !(inside(Left() + 1, Top() + 1) && inside(Left() + Width() - 1, Top() + Height() - 1));
    } else {
        data.HalfVisible = false;
    }
    if (!data.UrgentPainting)
        PrepareCache();
    const TRect whole(0, 0, Width(), Height());
    CopyWinControlCache(this, data, whole, whole, DC, false, 0, 0);
    skin::PaintControls(DC, this, vcl::TPoint(0, 0));
    SetParentUpdated(this);
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsGroupBox::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (Cmd) {
    case scmdRepaint:
        if (Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager())) {
            CommonWndProc(Message, &data);
            PassToChildren(Message);
            Repaint();
        } else {
            PassToChildren(Message);
        }
        return true;
    case scmdQueryBackground:
        if (FCaptionSkin.empty())
            return inherited::EarlySkinCommand(Cmd, Message);
        {
            auto& info = *reinterpret_cast<TacBGInfo*>(Message.LParam);
            info.Bmp = data.FCacheBmp.get();
            info.Offset = vcl::TPoint(0, 0);
            info.BgKind = 2;
        }
        Message.Result = 1;
        return true;
    default:
        return inherited::EarlySkinCommand(Cmd, Message);
    }
}

void TsGroupBox::UnskinnedMessage(TMessage& Message) { InheritedWndProc(Message); }

bool TsGroupBox::SkinnedMessage(TMessage& Message)
{
    TsCommonData& data = *SkinData();
    switch (SkinCommandOf(Message)) {
    case 0:
        break;
    case scmdParentUpdated:
        if (!data.FUpdating)
            return false;
        data.FUpdating = data.GetUpdating();
        if (Showing() && !data.FUpdating)
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        return true;
    case scmdSetUrgent:
        CommonWndProc(Message, &data);
        if (data.UrgentPainting)
            PrepareCache();
        return true;
    case scmdQueryChanging:
        Message.Result = data.BGChanged || data.FUpdating ? 1 : 0;
        return true;
    default:
        return false;  // CommonMessage answers
    }
    switch (Message.Msg) {
    case WM_MOVE:
        data.BGChanged = data.BGChanged || data.RepaintIfMoved();
        return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InheritedWndProc(Message);
        return true;
    case WM_PAINT:
        WMPaint(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return true;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return true;
    case WM_WINDOWPOSCHANGED:
    case vcl::CM_VISIBLECHANGED:
        data.BGChanged = true;
        return false;
    case WM_PRINT:
        data.FUpdating = false;
        PaintToDC(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case vcl::CM_TEXTCHANGED:
        data.Invalidate();
        return true;
    default:
        return false;
    }
}

// The caption strip follows the font.
void TsGroupBox::AfterInherited(TMessage& Message)
{
    if (Message.Msg == vcl::CM_FONTCHANGED && !Caption().empty())
        SkinData()->Invalidate();
}

// The whole box through a DC of its own, not only the invalid region.
void TsGroupBox::WMPaint(HDC Given)
{
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    const HDC dc = Given ? Given : GetDC(Handle());
    PaintToDC(dc);
    if (!Given)
        ReleaseDC(Handle(), dc);
    EndPaint(Handle(), &ps);
}

}  // namespace skin

namespace skin {

// =============================================================================================
// Radio group

TRadioLayout RadioLayout(int Count, int Columns, int Width, int Height, int LineHeight)
{
    TRadioLayout l;
    l.Rows = (Count + Columns - 1) / Columns;
    l.ColumnWidth = (Width - 10) / Columns;
    const int available = Height - LineHeight - 5;
    l.RowHeight = l.Rows > 0 ? available / l.Rows : 0;
    l.Top = (l.Rows > 0 ? available % l.Rows : 0) / 2 + LineHeight + 1;
    return l;
}

TsRadioGroup::TsRadioGroup(vcl::TComponent* AOwner) : TsGroupBox(AOwner), FItems(vcl::Create<vcl::TStringList>())
{
    SetControlStyle({vcl::TControlStyleItem::csSetCaption, vcl::TControlStyleItem::csDoubleClicks});
    FItems->SetOnChange(vcl::TNotifyEvent(this, &TsRadioGroup::ItemsChange));
}

TsRadioGroup::~TsRadioGroup()
{
    SetButtonCount(0);
    FItems->SetOnChange(nullptr);
}

void TsRadioGroup::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"Columns", &TsRadioGroup::Columns, &TsRadioGroup::SetColumns);
    Table.Add(L"ItemIndex", &TsRadioGroup::ItemIndex, &TsRadioGroup::SetItemIndex);
    Table.Add(L"ShowFocus", &TsRadioGroup::ShowFocus, &TsRadioGroup::SetShowFocus);
}

// Reading a form sets csLoading as well as csReading, and Loaded builds the buttons.
bool TsRadioGroup::Suspended() const { return IsLoading(); }

void TsRadioGroup::Loaded()
{
    inherited::Loaded();
    UpdateButtons();
    if (FItemIndex >= 0 && FItemIndex < ButtonCount()) {
        FUpdating = true;
        FButtons[size_t(FItemIndex)]->SetChecked(true);
        FUpdating = false;
    }
}

void TsRadioGroup::WndProc(TMessage& Message)
{
    if (SkinCommandOf(Message) == scmdRepaint && Message.LParam == reinterpret_cast<LPARAM>(SkinData()->SkinManager()))
        ArrangeButtons();
    switch (Message.Msg) {
    case vcl::CM_ENABLEDCHANGED:
        inherited::WndProc(Message);
        for (TsGroupButton* b : FButtons) {
            b->SetEnabled(Enabled());
            b->SkinData()->BGChanged = true;
        }
        return;
    case vcl::CM_FONTCHANGED:
    case WM_SIZE:
        inherited::WndProc(Message);
        ArrangeButtons();
        return;
    default:
        inherited::WndProc(Message);
    }
}

bool TsRadioGroup::CanModify(int NewIndex)
{
    bool allow = true;
    if (FOnChanging)
        FOnChanging(this, NewIndex, allow);
    return allow;
}

void TsRadioGroup::ButtonClick(vcl::TObject* Sender)
{
    if (FUpdating)
        return;
    const auto at = std::find(FButtons.begin(), FButtons.end(), Sender);
    if (at == FButtons.end())
        return;
    FItemIndex = int(at - FButtons.begin());
    Changed();
    Click();
}

void TsRadioGroup::SetItemIndex(int Value)
{
    if (ComponentState().Contains(vcl::TComponentStateItem::csReading)) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, ButtonCount() - 1);
    if (Value == FItemIndex)
        return;
    if (FItemIndex >= 0 && FItemIndex < ButtonCount())
        FButtons[size_t(FItemIndex)]->SetChecked(false);
    FItemIndex = Value;
    if (FItemIndex >= 0)
        FButtons[size_t(FItemIndex)]->SetChecked(true);
}

void TsRadioGroup::SetColumns(int Value)
{
    Value = std::clamp(Value, 1, 16);
    if (Value == FColumns)
        return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TsRadioGroup::SetButtonCount(int Count)
{
    while (ButtonCount() < Count)
        vcl::Create<TsGroupButton>(this);  // joins the list itself
    while (ButtonCount() > Count)
        FButtons.back()->Free();  // leaves the list itself
}

void TsRadioGroup::UpdateButtons()
{
    if (Suspended())
        return;
    SetButtonCount(FItems->Count());
    for (int i = 0; i < ButtonCount(); ++i)
        FButtons[size_t(i)]->SetCaption(FItems->Strings(i));
    ArrangeButtons();
    Invalidate();
}

void TsRadioGroup::ItemsChange(vcl::TObject*)
{
    if (!Suspended()) {
        if (FItemIndex >= FItems->Count())
            FItemIndex = FItems->Count() - 1;
        UpdateButtons();
    }
    for (TsGroupButton* b : FButtons)
        b->SkinData()->Loaded();
}

void TsRadioGroup::ArrangeButtons()
{
    if (FButtons.empty() || Suspended())
        return;
    TEXTMETRICW tm{};
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, Font()->Handle());
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const TRadioLayout layout = RadioLayout(ButtonCount(), FColumns, Width(), Height(), tm.tmHeight);
    TsSkinManager* manager = SkinData()->SkinManager();
    // The buttons with windows move together; the others take their bounds at once.
    HDWP batch = BeginDeferWindowPos(ButtonCount());
    for (int i = 0; i < ButtonCount(); ++i) {
        TsGroupButton* b = FButtons[size_t(i)];
        if (b->SkinData()->SkinManager() != manager)
            b->SkinData()->SetSkinManager(manager);
        b->SetShowFocus(FShowFocus);
        vcl::TPoint at = layout.Place(i);
        if (b->UseRightToLeftAlignment())
            at.x += layout.ColumnWidth - b->Width();
        if (batch && b->HandleAllocated())
            batch = DeferWindowPos(batch, b->Handle(), nullptr, at.x, at.y, layout.ColumnWidth, layout.RowHeight,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        else
            b->SetBounds(at.x, at.y, layout.ColumnWidth, layout.RowHeight);
        b->SetVisible(true);
    }
    if (batch)
        EndDeferWindowPos(batch);
}

// =============================================================================================
// Group button

TsGroupButton::TsGroupButton(TsRadioGroup* RadioGroup) : TsRadioButton(RadioGroup), FGroup(RadioGroup)
{
    SkinData()->SetSkinManager(RadioGroup->SkinData()->SkinManager());
    SkinData()->SetSkinSection(L"CHECKBOX");
    SetAutoSize(false);
    SetShowFocus(true);
    RadioGroup->FButtons.push_back(this);
    SetVisible(false);
    SetEnabled(RadioGroup->Enabled());
    SetParentShowHint(false);
    SetOnClick(vcl::TNotifyEvent(RadioGroup, &TsRadioGroup::ButtonClick));
    SetTabStop(false);
    SkinData()->SetCustomFont(RadioGroup->SkinData()->CustomFont());
    SetParent(RadioGroup);
}

TsGroupButton::~TsGroupButton()
{
    auto& list = FGroup->FButtons;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

int TsGroupButton::Index() const
{
    const auto& list = FGroup->FButtons;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

bool TsGroupButton::GroupAllows() { return FGroup->CanModify(Index()); }

bool TsGroupButton::CanModify()
{
    FInModifying = true;
    const bool allowed = GroupAllows();
    FInModifying = false;
    return allowed;
}

void TsGroupButton::Dispatch(TMessage& Message)
{
    if (Message.Msg != vcl::CN_COMMAND) {
        inherited::Dispatch(Message);
        return;
    }
    if (FInClick || FInModifying || ComponentState().Contains(vcl::TComponentStateItem::csLoading))
        return;
    FInClick = true;
    try {
        const WORD code = HIWORD(Message.WParam);
        if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && GroupAllows())
            inherited::Dispatch(Message);
    } catch (...) {
        vcl::Application->HandleException(this);
    }
    FInClick = false;
}

void TsGroupButton::KeyPress(wchar_t& Key)
{
    inherited::KeyPress(Key);
    FGroup->KeyPress(Key);
    if ((Key == 8 || Key == ' ') && !GroupAllows())
        Key = 0;
}

void TsGroupButton::KeyDown(WORD& Key, vcl::TShiftState Shift)
{
    inherited::KeyDown(Key, Shift);
    FGroup->KeyDown(Key, Shift);
}

}  // namespace skin
