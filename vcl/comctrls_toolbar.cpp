#include "vcl/comctrls.h"
#include "vcl/menus.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <utility>

namespace vcl {

namespace {

using CDS = TCustomDrawStateItem;

const std::pair<UINT, CDS> CustomDrawStateBits[] = {
    {CDIS_SELECTED, CDS::cdsSelected},
    {CDIS_GRAYED, CDS::cdsGrayed},
    {CDIS_DISABLED, CDS::cdsDisabled},
    {CDIS_CHECKED, CDS::cdsChecked},
    {CDIS_FOCUS, CDS::cdsFocused},
    {CDIS_DEFAULT, CDS::cdsDefault},
    {CDIS_HOT, CDS::cdsHot},
    {CDIS_MARKED, CDS::cdsMarked},
    {CDIS_INDETERMINATE, CDS::cdsIndeterminate},
    {CDIS_SHOWKEYBOARDCUES, CDS::cdsShowKeyboardCues},
    {CDIS_NEARHOT, CDS::cdsNearHot},
    {CDIS_OTHERSIDEHOT, CDS::cdsOtherSideHot},
    {CDIS_DROPHILITED, CDS::cdsDropHilited},
};

const std::pair<TTBCustomDrawFlag, LRESULT> CustomDrawFlagBits[] = {
    {TTBCustomDrawFlag::tbNoEdges, TBCDRF_NOEDGES},
    {TTBCustomDrawFlag::tbHiliteHotTrack, TBCDRF_HILITEHOTTRACK},
    {TTBCustomDrawFlag::tbNoOffset, TBCDRF_NOOFFSET},
    {TTBCustomDrawFlag::tbNoMark, TBCDRF_NOMARK},
    {TTBCustomDrawFlag::tbNoEtchedEffect, TBCDRF_NOETCHEDEFFECT},
};

// The stage of a custom-draw notification, the item bit left out.
TCustomDrawStage DrawStageOf(DWORD Stage)
{
    switch (Stage & ~static_cast<DWORD>(CDDS_ITEM)) {
    case CDDS_POSTPAINT: return TCustomDrawStage::cdPostPaint;
    case CDDS_PREERASE: return TCustomDrawStage::cdPreErase;
    case CDDS_POSTERASE: return TCustomDrawStage::cdPostErase;
    default: return TCustomDrawStage::cdPrePaint;
    }
}

// Separators and dividers are gaps of this width.
constexpr int ToolSeparatorWidth = 8;

bool IsToolSeparator(TToolButtonStyle Style)
{
    return Style == TToolButtonStyle::tbsSeparator || Style == TToolButtonStyle::tbsDivider;
}

BYTE ToolButtonState(TToolButton* Button, bool Down)
{
    BYTE state = 0;
    if (Button->Enabled())
        state |= TBSTATE_ENABLED;
    if (Down)
        state |= TBSTATE_CHECKED;
    if (!Button->Visible())
        state |= TBSTATE_HIDDEN;
    if (Button->Wrap())
        state |= TBSTATE_WRAP;
    if (Button->Marked())
        state |= TBSTATE_MARKED;
    if (Button->Indeterminate())
        state |= TBSTATE_INDETERMINATE;
    return state;
}

}  // namespace

TCustomDrawState CustomDrawState(UINT ItemState)
{
    TCustomDrawState state;
    for (auto [bit, item] : CustomDrawStateBits)
        if (ItemState & bit)
            state << item;
    return state;
}

LRESULT CustomDrawFlagsResult(TTBCustomDrawFlags Flags)
{
    LRESULT result = 0;
    for (auto [flag, bit] : CustomDrawFlagBits)
        if (Flags.Contains(flag))
            result |= bit;
    return result;
}

// =============================================================================================
// TToolButton

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csClickEvents};
    FWidth = 23;
    FHeight = 22;
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FDropdownMenu)
        FDropdownMenu = nullptr;
}

int TToolButton::Index() const
{
    if (!FToolBar)
        return -1;
    const auto& buttons = FToolBar->FButtons;
    return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::Changed(bool Restyle)
{
    if (FToolBar)
        FToolBar->UpdateButton(Index(), Restyle);
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
    if (ChangeField(FStyle, value))
        Changed(true);
}

bool TToolButton::Down()
{
    if (FToolBar && FToolBar->HandleAllocated())
        FDown = SendMessageW(FToolBar->Handle(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(Index()), 0) != 0;
    return FDown;
}

void TToolButton::SetDown(bool value)
{
    if (value != Down()) {
        FDown = value;
        Changed(false);
    }
}

void TToolButton::SetMarked(bool value)
{
    if (ChangeField(FMarked, value))
        Changed(false);
}

void TToolButton::SetIndeterminate(bool value)
{
    if (ChangeField(FIndeterminate, value))
        Changed(false);
}

void TToolButton::SetGrouped(bool value)
{
    if (ChangeField(FGrouped, value))
        Changed(true);
}

void TToolButton::SetWrap(bool value)
{
    if (ChangeField(FWrap, value))
        Changed(false);
}

void TToolButton::SetImageIndex(int value)
{
    if (ChangeField(FImageIndex, value))
        Changed(false);
}

void TToolButton::SetDropdownMenu(TPopupMenu* value) { ReplaceComponent(FDropdownMenu, value); }

void TToolButton::Paint()
{
    if (FStyle != TToolButtonStyle::tbsDivider)
        return;
    RECT line{FWidth / 2 - 1, 0, FWidth / 2 + 1, FHeight};
    DrawEdge(Canvas()->Handle(), &line, EDGE_ETCHED, BF_LEFT);
}

void TToolButton::Dispatch(TMessage& Message)
{
    TGraphicControl::Dispatch(Message);
    switch (Message.Msg) {
    case CM_TEXTCHANGED: Changed(true); break;
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED: Changed(false); break;
    }
}

// =============================================================================================
// TToolBar

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csClickEvents,
                     TControlStyleItem::csDoubleClicks};
    FAlign = TAlign::alTop;
    FWidth = 150;
    FHeight = 29;
    InitColor(clBtnFace);
    FCanvas->SetControl(this);
    for (auto& link : FImageChangeLinks) {
        link = std::make_unique<TChangeLink>();
        link->SetOnChange(TNotifyEvent(this, &TToolBar::ImageListChange));
    }
}

void TToolBar::BeforeDestruction()
{
    for (size_t i = 0; i < ImageListCount; ++i)
        ChangeImageList(this, *ImageListField(i), nullptr, *FImageChangeLinks[i]);
    TWinControl::BeforeDestruction();
}

TCustomImageList** TToolBar::ImageListField(size_t Which)
{
    TCustomImageList** fields[ImageListCount] = {&FImages, &FDisabledImages, &FHotImages};
    return fields[Which];
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    for (size_t i = 0; i < ImageListCount; ++i)
        if (AComponent == *ImageListField(i))
            SetImageList(i, nullptr);
}

TToolButton* TToolBar::Buttons(int index) const
{
    if (index < 0 || index >= ButtonCount())
        throw EListError(L"Tool button index out of bounds");
    return FButtons[static_cast<size_t>(index)];
}

TToolButton* TToolBar::ButtonOfCommand(int Command) const
{
    return Command >= 0 && Command < ButtonCount() ? FButtons[static_cast<size_t>(Command)] : nullptr;
}

void TToolBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TOOLBARCLASSNAMEW);
    // Our alignment places the bar, and its frame is ours.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER;
    if (FFlat)
        Params.Style |= TBSTYLE_FLAT;
    if (FWrapable)
        Params.Style |= TBSTYLE_WRAPABLE;
    if (FList)
        Params.Style |= TBSTYLE_LIST;
    if (FCustomizable)
        Params.Style |= CCS_ADJUSTABLE;
}

void TToolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(FHandle, TB_SETEXTENDEDSTYLE, 0,
                 TBSTYLE_EX_DRAWDDARROWS | (FAllowTextButtons ? TBSTYLE_EX_MIXEDBUTTONS : 0));
    SendMessageW(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
    ApplyImages();
    for (int i = 0; i < ButtonCount(); ++i)
        InsertIntoWindow(i);
    SendMessageW(FHandle, TB_AUTOSIZE, 0, 0);
    UpdateButtonBounds();
}

// Check buttons the user pressed keep their state for the next window.
void TToolBar::DestroyWnd()
{
    for (TToolButton* button : FButtons)
        button->Down();
    TWinControl::DestroyWnd();
}

void TToolBar::InsertIntoWindow(int Index)
{
    TToolButton* button = FButtons[static_cast<size_t>(Index)];
    static const BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_DROPDOWN,
                                  BTNS_SEP,    BTNS_SEP,   BTNS_BUTTON | BTNS_SHOWTEXT | BTNS_AUTOSIZE};
    TBBUTTON record{};
    record.fsStyle = styles[static_cast<int>(button->FStyle)];
    if (button->FGrouped && button->FStyle == TToolButtonStyle::tbsCheck)
        record.fsStyle |= BTNS_GROUP;
    record.fsState = ToolButtonState(button, button->FDown);
    record.iBitmap = IsToolSeparator(button->FStyle) ? ToolSeparatorWidth
                     : button->FImageIndex >= 0      ? button->FImageIndex
                                                     : I_IMAGENONE;
    record.idCommand = Index;
    record.dwData = reinterpret_cast<DWORD_PTR>(button);
    String caption = button->Caption();
    record.iString = ShowsCaption(button) ? reinterpret_cast<INT_PTR>(caption.c_str()) : -1;
    SendMessageW(FHandle, TB_INSERTBUTTONW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&record));
}

bool TToolBar::ShowsCaption(const TToolButton* Button) const
{
    return FShowCaptions || (FAllowTextButtons && Button->FStyle == TToolButtonStyle::tbsTextButton);
}

void TToolBar::InsertButton(TToolButton* Button)
{
    FButtons.push_back(Button);
    Button->FToolBar = this;
    if (!FHandle)
        return;
    InsertIntoWindow(ButtonCount() - 1);
    SendMessageW(FHandle, TB_AUTOSIZE, 0, 0);
    UpdateButtonBounds();
}

// The buttons after it move up one place, and so do their commands.
void TToolBar::RemoveButton(TToolButton* Button)
{
    const int index = Button->Index();
    FButtons.erase(FButtons.begin() + index);
    Button->FToolBar = nullptr;
    if (!FHandle || IsDestroying())
        return;
    SendMessageW(FHandle, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
    for (int i = index; i < ButtonCount(); ++i)
        SendMessageW(FHandle, TB_SETCMDID, static_cast<WPARAM>(i), i);
    UpdateButtonBounds();
}

void TToolBar::UpdateButton(int Index, bool Restyle)
{
    if (!FHandle)
        return;
    TToolButton* button = FButtons[static_cast<size_t>(Index)];
    if (Restyle) {
        SendMessageW(FHandle, TB_DELETEBUTTON, static_cast<WPARAM>(Index), 0);
        InsertIntoWindow(Index);
    } else {
        SendMessageW(FHandle, TB_SETSTATE, static_cast<WPARAM>(Index),
                     MAKELONG(ToolButtonState(button, button->FDown), 0));
        if (!IsToolSeparator(button->FStyle))
            SendMessageW(FHandle, TB_CHANGEBITMAP, static_cast<WPARAM>(Index),
                         button->FImageIndex >= 0 ? button->FImageIndex : I_IMAGENONE);
    }
    SendMessageW(FHandle, TB_AUTOSIZE, 0, 0);
    UpdateButtonBounds();
}

void TToolBar::UpdateButtonBounds()
{
    for (int i = 0; i < ButtonCount(); ++i) {
        TRect r;
        if (SendMessageW(FHandle, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            FButtons[static_cast<size_t>(i)]->SetBounds(r.left, r.top, r.Width(), r.Height());
    }
}

// The buttons the window still has, in its order, then those taken off it, hidden at the end.
void TToolBar::ReadButtonsFromWindow()
{
    std::vector<TToolButton*> order;
    const auto count = static_cast<int>(SendMessageW(FHandle, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON record{};
        if (SendMessageW(FHandle, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&record)))
            order.push_back(reinterpret_cast<TToolButton*>(record.dwData));
    }
    const size_t shown = order.size();
    for (TToolButton* button : FButtons)
        if (std::find(order.begin(), order.end(), button) == order.end())
            order.push_back(button);
    FButtons = order;
    for (int i = 0; i < ButtonCount(); ++i) {
        if (static_cast<size_t>(i) < shown) {
            SendMessageW(FHandle, TB_SETCMDID, static_cast<WPARAM>(i), i);
        } else {
            FButtons[static_cast<size_t>(i)]->FVisible = false;
            InsertIntoWindow(i);
        }
    }
    UpdateButtonBounds();
}

void TToolBar::SetButtonWidth(int value) { SetStyleField(FButtonWidth, value); }
void TToolBar::SetButtonHeight(int value) { SetStyleField(FButtonHeight, value); }
void TToolBar::SetFlat(bool value) { SetStyleField(FFlat, value); }
void TToolBar::SetList(bool value) { SetStyleField(FList, value); }
void TToolBar::SetShowCaptions(bool value) { SetStyleField(FShowCaptions, value); }
void TToolBar::SetAllowTextButtons(bool value) { SetStyleField(FAllowTextButtons, value); }
void TToolBar::SetWrapable(bool value) { SetStyleField(FWrapable, value); }
void TToolBar::SetCustomizable(bool value) { SetStyleField(FCustomizable, value); }
void TToolBar::SetEdgeBorders(TEdgeBorders value) { SetFrameField(FEdgeBorders, value); }
void TToolBar::SetEdgeInner(TEdgeStyle value) { SetFrameField(FEdgeInner, value); }
void TToolBar::SetEdgeOuter(TEdgeStyle value) { SetFrameField(FEdgeOuter, value); }

void TToolBar::SetImageList(size_t Which, TCustomImageList* Value)
{
    if (ChangeImageList(this, *ImageListField(Which), Value, *FImageChangeLinks[Which]))
        ApplyImages();
}

void TToolBar::SetImages(TCustomImageList* value) { SetImageList(0, value); }
void TToolBar::SetDisabledImages(TCustomImageList* value) { SetImageList(1, value); }
void TToolBar::SetHotImages(TCustomImageList* value) { SetImageList(2, value); }

void TToolBar::ImageListChange(TObject*) { ApplyImages(); }

void TToolBar::ApplyImages()
{
    if (!FHandle)
        return;
    static const UINT messages[ImageListCount] = {TB_SETIMAGELIST, TB_SETDISABLEDIMAGELIST, TB_SETHOTIMAGELIST};
    for (size_t i = 0; i < ImageListCount; ++i) {
        TCustomImageList* list = *ImageListField(i);
        SendMessageW(FHandle, messages[i], 0, reinterpret_cast<LPARAM>(list ? list->Handle() : nullptr));
    }
    if (FImages)
        SendMessageW(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(FImages->Width(), FImages->Height()));
    SendMessageW(FHandle, TB_AUTOSIZE, 0, 0);
    UpdateButtonBounds();
    Invalidate();
}

void TToolBar::SetOnAdvancedCustomDraw(TTBAdvancedCustomDrawEvent value)
{
    FOnAdvancedCustomDraw = value;
    Invalidate();
}

void TToolBar::SetOnAdvancedCustomDrawButton(TTBAdvancedCustomDrawBtnEvent value)
{
    FOnAdvancedCustomDrawButton = value;
    Invalidate();
}

// Each stage goes to the bar's or the buttons' event with the canvas on the stage's DC. The bar's
// answer at the start of a paint or an erase asks for the later stages the events want.
LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& Draw)
{
    const bool item = (Draw.nmcd.dwDrawStage & CDDS_ITEM) != 0;
    const TCustomDrawStage stage = DrawStageOf(Draw.nmcd.dwDrawStage);
    if (!FOnAdvancedCustomDraw && !FOnAdvancedCustomDrawButton)
        return CDRF_DODEFAULT;
    bool defaultDraw = true;
    LRESULT result = CDRF_DODEFAULT;
    if (!item) {
        // The erase stages come from the bar's own erase.
        if (stage == TCustomDrawStage::cdPreErase || stage == TCustomDrawStage::cdPostErase)
            return CDRF_DODEFAULT;
        if (FOnAdvancedCustomDraw)
            FCanvas->PaintOn(Draw.nmcd.hdc, [&] { FOnAdvancedCustomDraw(this, Draw.nmcd.rc, stage, defaultDraw); });
        if (stage == TCustomDrawStage::cdPrePaint)
            result |= (FOnAdvancedCustomDrawButton ? CDRF_NOTIFYITEMDRAW : 0) |
                      (FOnAdvancedCustomDraw ? CDRF_NOTIFYPOSTPAINT : 0);
        return defaultDraw ? result : CDRF_SKIPDEFAULT;
    }
    TToolButton* button = ButtonOfCommand(static_cast<int>(Draw.nmcd.dwItemSpec));
    if (!FOnAdvancedCustomDrawButton || !button)
        return CDRF_DODEFAULT;
    // The marks are the button's own, whether the system tells them or not.
    TCustomDrawState state = CustomDrawState(Draw.nmcd.uItemState);
    if (button->FMarked)
        state << TCustomDrawStateItem::cdsMarked;
    if (button->FIndeterminate)
        state << TCustomDrawStateItem::cdsIndeterminate;
    TTBCustomDrawFlags flags;
    const TTBCustomDrawFlags drawnHere{TTBCustomDrawFlag::tbNoEdges, TTBCustomDrawFlag::tbNoEtchedEffect};
    bool drawn = false;
    FCanvas->PaintOn(Draw.nmcd.hdc, [&] {
        FOnAdvancedCustomDrawButton(this, button, state, stage, flags, defaultDraw);
        drawn = defaultDraw && stage == TCustomDrawStage::cdPrePaint && !(flags * drawnHere).Empty();
        if (drawn)
            DrawButtonFace(button, state, flags, Draw.nmcd.rc);
    });
    result = CustomDrawFlagsResult(flags);
    if (!defaultDraw || drawn)
        return result | CDRF_SKIPDEFAULT;
    if (stage == TCustomDrawStage::cdPrePaint)
        result |= CDRF_NOTIFYPOSTPAINT;
    return result;
}

void TToolBar::DrawButtonFace(TToolButton* Button, TCustomDrawState State, TTBCustomDrawFlags Flags, const TRect& Rect)
{
    HDC dc = FCanvas->Handle();
    const bool pressed =
        State.Contains(TCustomDrawStateItem::cdsSelected) || State.Contains(TCustomDrawStateItem::cdsChecked);
    if (!Flags.Contains(TTBCustomDrawFlag::tbNoEdges) && (pressed || State.Contains(TCustomDrawStateItem::cdsHot))) {
        RECT frame = Rect;
        DrawEdge(dc, &frame, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    TRect content = Rect;
    if (pressed && !Flags.Contains(TTBCustomDrawFlag::tbNoOffset))
        content.Offset(1, 1);
    const bool enabled = !State.Contains(TCustomDrawStateItem::cdsDisabled);
    TCustomImageList* images = !enabled && FDisabledImages ? FDisabledImages : FImages;
    TRect text = content;
    if (images && Button->FImageIndex >= 0 && Button->FImageIndex < images->Count()) {
        const bool besideCaption = FList && ShowsCaption(Button);
        const int x = besideCaption ? content.left + 4 : content.left + (content.Width() - images->Width()) / 2;
        const int y =
            ShowsCaption(Button) && !FList ? content.top + 3 : content.top + (content.Height() - images->Height()) / 2;
        images->Draw(FCanvas.get(), x, y, Button->FImageIndex, enabled || images == FDisabledImages);
        if (besideCaption)
            text.left = x + images->Width() + 4;
        else
            text.top = y + images->Height();
    }
    if (!ShowsCaption(Button))
        return;
    String caption = Button->Caption();
    const UINT format = DT_SINGLELINE | DT_VCENTER | (FList ? DT_LEFT : DT_CENTER);
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    auto drawCaption = [&](TRect r, int colourIndex) {
        SetTextColor(dc, GetSysColor(colourIndex));
        DrawTextW(dc, caption.c_str(), -1, &r, format);
    };
    if (!enabled && !Flags.Contains(TTBCustomDrawFlag::tbNoEtchedEffect))
        drawCaption(text.Offsetted(1, 1), COLOR_BTNHIGHLIGHT);
    drawCaption(text, enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
    SelectObject(dc, oldFont);
}

void TToolBar::DropDownButton(TToolButton* Button)
{
    TPopupMenu* menu = Button->FDropdownMenu;
    if (!menu)
        return;
    TRect r;
    SendMessageW(FHandle, TB_GETITEMRECT, static_cast<WPARAM>(Button->Index()), reinterpret_cast<LPARAM>(&r));
    const TPoint below = ClientToScreen(TPoint(r.left, r.bottom));
    menu->SetPopupComponent(Button);
    menu->Popup(below.x, below.y);
    PostMessageW(FHandle, CN_DROPDOWNCLOSED, 0, 0);
}

void TToolBar::CNNotify(TMessage& Message)
{
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (header->code) {
    case NM_CUSTOMDRAW: Message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(Message.LParam)); return;
    case TBN_DROPDOWN:
        if (TToolButton* button = ButtonOfCommand(reinterpret_cast<NMTOOLBARW*>(Message.LParam)->iItem))
            DropDownButton(button);
        Message.Result = TBDDRET_DEFAULT;
        return;
    // The customise dialog may move and take off any button; it offers none of its own.
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE: Message.Result = TRUE; return;
    case TBN_TOOLBARCHANGE: ReadButtonsFromWindow(); return;
    default: TWinControl::Dispatch(Message); return;
    }
}

void TToolBar::CNCommand(TMessage& Message)
{
    if (TToolButton* button = ButtonOfCommand(LOWORD(Message.WParam))) {
        button->Down();
        button->Click();
    }
}

void TToolBar::CMControlListChange(TMessage& Message)
{
    if (auto* button = dynamic_cast<TToolButton*>(reinterpret_cast<TControl*>(Message.WParam))) {
        if (Message.LParam)
            InsertButton(button);
        else if (button->FToolBar == this)
            RemoveButton(button);
    }
    TWinControl::Dispatch(Message);
}

void TToolBar::WMNCCalcSize(TMessage& Message)
{
    TWinControl::Dispatch(Message);
    // Whether or not the window asks for the valid areas, the first rectangle is the client area.
    auto* client = reinterpret_cast<RECT*>(Message.LParam);
    InflateRect(client, -FBorderWidth, -FBorderWidth);
    const int edge = (FEdgeInner != TEdgeStyle::esNone ? 1 : 0) + (FEdgeOuter != TEdgeStyle::esNone ? 1 : 0);
    if (FEdgeBorders.Contains(TEdgeBorder::ebLeft))
        client->left += edge;
    if (FEdgeBorders.Contains(TEdgeBorder::ebTop))
        client->top += edge;
    if (FEdgeBorders.Contains(TEdgeBorder::ebRight))
        client->right -= edge;
    if (FEdgeBorders.Contains(TEdgeBorder::ebBottom))
        client->bottom -= edge;
}

// The edges on the sides asked for, and the border band in the bar's colour.
void TToolBar::WMNCPaint(TMessage& Message)
{
    TWinControl::Dispatch(Message);
    HDC dc = GetWindowDC(FHandle);
    TRect window;
    GetWindowRect(FHandle, &window);
    TRect frame(0, 0, window.Width(), window.Height());
    static const UINT inner[] = {0, BDR_RAISEDINNER, BDR_SUNKENINNER};
    static const UINT outer[] = {0, BDR_RAISEDOUTER, BDR_SUNKENOUTER};
    // The sides' order matches BF_LEFT, BF_TOP, BF_RIGHT and BF_BOTTOM.
    DrawEdge(dc, &frame, inner[static_cast<int>(FEdgeInner)] | outer[static_cast<int>(FEdgeOuter)],
             static_cast<UINT>(FEdgeBorders.Mask()) | BF_ADJUST);
    const TPoint origin = ClientOrigin();
    const TRect client = ClientRect();
    const int left = origin.x - window.left;
    const int top = origin.y - window.top;
    ExcludeClipRect(dc, left, top, left + client.Width(), top + client.Height());
    FillRect(dc, &frame, FBrush->Handle());
    ReleaseDC(FHandle, dc);
}

// The system erases the bar between the erase stages of OnAdvancedCustomDraw, which it does not
// announce itself; a false DefaultDraw leaves the erasing to the event.
void TToolBar::WMEraseBkgnd(TMessage& Message)
{
    auto dc = reinterpret_cast<HDC>(Message.WParam);
    bool defaultDraw = true;
    auto stage = [&](TCustomDrawStage Stage) {
        if (FOnAdvancedCustomDraw)
            FCanvas->PaintOn(dc, [&] { FOnAdvancedCustomDraw(this, ClientRect(), Stage, defaultDraw); });
    };
    stage(TCustomDrawStage::cdPreErase);
    if (defaultDraw)
        DefaultHandler(Message);
    else
        Message.Result = 1;
    stage(TCustomDrawStage::cdPostErase);
}

void TToolBar::WndProc(TMessage& Message)
{
    const bool clientMouse = Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONDBLCLK;
    if (clientMouse && dynamic_cast<TToolButton*>(ControlAtPos(MessagePoint(Message), true))) {
        TControl::WndProc(Message);
        return;
    }
    TWinControl::WndProc(Message);
}

void TToolBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case CN_COMMAND: CNCommand(Message); return;
    case CN_DROPDOWNCLOSED: Message.Result = 0; return;
    case CM_CONTROLLISTCHANGE: CMControlListChange(Message); return;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_SIZE:
        TWinControl::Dispatch(Message);
        if (FHandle)
            UpdateButtonBounds();
        return;
    default: TWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
