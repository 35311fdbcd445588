#include "vcl/stdctrls.h"

namespace vcl {

UINT AlignmentDrawFlags(TAlignment Alignment)
{
    switch (Alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

bool IsAccel(wchar_t Key, const String& Caption)
{
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != L'&')
            continue;
        // "&&" is a literal ampersand.
        if (Caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return AnsiUpperCase(String(1, Caption[i + 1])) == AnsiUpperCase(String(1, Key));
    }
    return false;
}

void PaintOwnerDrawItem(TMessage& Message, TControlCanvas* Canvas, TWinControl* Control, const TOwnerDrawProc& Draw)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state = OwnerDrawState(dis->itemState);
    bool selected = state.Contains(TOwnerDrawStateItem::odSelected);
    Canvas->PaintOn(dis->hDC, [&] {
        Canvas->SetFont(Control->Font());
        Canvas->Font()->SetColor(selected ? clHighlightText : Control->Font()->Color());
        Canvas->Brush()->SetColor(selected ? clHighlight : Control->Color());
        Draw(static_cast<int>(dis->itemID), dis->rcItem, state);
        if (state.Contains(TOwnerDrawStateItem::odFocused))
            Canvas->DrawFocusRect(dis->rcItem);
    });
    Message.Result = TRUE;
}

void DrawItemText(TCanvas* Canvas, const TRect& Rect, const String& Text)
{
    Canvas->FillRect(Rect);
    Canvas->TextOut(Rect.left + 2, Rect.top, Text);
}

void AnswerMeasureItem(TMessage& Message, int Height, const TMeasureProc& Measure)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    if (Measure)
        Measure(static_cast<int>(mis->itemID), Height);
    mis->itemHeight = static_cast<UINT>(Height);
    Message.Result = TRUE;
}

void ApplyControlColors(TMessage& Message, TWinControl* Control)
{
    auto dc = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(dc, ColorToRGB(Control->Font()->Color()));
    SetBkColor(dc, ColorToRGB(Control->Brush()->Color()));
    Message.Result = reinterpret_cast<LRESULT>(Control->Brush()->Handle());
}

// =============================================================================================
// TControlItems

HWND TControlItems::Window() const { return FControl->HandleAllocated() ? FControl->Handle() : nullptr; }

String TControlItems::Get(int index) const
{
    return index >= 0 && index < FList.Count() ? FList.Strings(index) : String();
}

TObject* TControlItems::GetObject(int index) const { return FList.Objects(index); }

void TControlItems::PutObject(int index, TObject* object) { FList.SetObjects(index, object); }

int TControlItems::Add(const String& s)
{
    int index = FList.Add(s);
    if (HWND wnd = Window())
        SendMessageW(wnd, FMessages.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    else
        ItemInserted(index);
    return index;
}

void TControlItems::Insert(int index, const String& s)
{
    FList.Insert(index, s);
    if (HWND wnd = Window())
        SendMessageW(wnd, FMessages.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    else
        ItemInserted(index);
}

void TControlItems::Delete(int index)
{
    FList.Delete(index);
    if (HWND wnd = Window())
        SendMessageW(wnd, FMessages.DeleteString, static_cast<WPARAM>(index), 0);
    else
        ItemDeleted(index);
}

void TControlItems::Clear()
{
    FList.Clear();
    Cleared();
    if (HWND wnd = Window())
        SendMessageW(wnd, FMessages.ResetContent, 0, 0);
}

void TControlItems::PushTo(HWND Handle) const
{
    for (int i = 0; i < FList.Count(); ++i)
        SendMessageW(Handle, FMessages.InsertString, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(FList.Strings(i).c_str()));
}

void TControlItems::ShiftOnInsert(int& Selected, int Index)
{
    if (Selected >= Index)
        ++Selected;
}

void TControlItems::ShiftOnDelete(int& Selected, int Index)
{
    if (Selected == Index)
        Selected = -1;
    else if (Selected > Index)
        --Selected;
}

// =============================================================================================
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle << TControlStyleItem::csOpaque;
    FAutoSize = true;
    FWidth = 65;
    FHeight = 17;
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (ChangeField(FAlignment, value))
        Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    if (!ChangeField(FLayout, value))
        return;
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (!ChangeField(FWordWrap, value))
        return;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (ChangeField(FShowAccelChar, value))
        Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (!ChangeField(FTransparent, value))
        return;
    if (value)
        FControlStyle >> TControlStyleItem::csOpaque;
    else
        FControlStyle << TControlStyleItem::csOpaque;
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) { ReplaceComponent(FFocusControl, value); }

void TCustomLabel::SetAutoSize(bool value)
{
    if (FAutoSize == value)
        return;
    TGraphicControl::SetAutoSize(value);
    AdjustBounds();
}

UINT TCustomLabel::TextFlags() const
{
    return DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentDrawFlags(FAlignment);
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading())
        return;
    TRect rect = ClientRect();
    // A memory DC like the screen's: measuring needs no window.
    TMemoryDC dc;
    Canvas()->PaintOn(dc.Handle(), [&] { DoDrawText(rect, TextFlags() | DT_CALCRECT); });
    // A wrapped label keeps its width and grows or shrinks downwards.
    int width = FWordWrap ? FWidth : rect.right;
    int left = FAlignment == TAlignment::taRightJustify ? FLeft + FWidth - width : FLeft;
    SetBounds(left, FTop, width, rect.bottom);
}

String TCustomLabel::DrawnText(UINT& Flags)
{
    String text = GetLabelText();
    // An empty caption (or a lone accelerator mark) still measures one line high.
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == L"&")))
        text += L' ';
    if (!FShowAccelChar)
        Flags |= DT_NOPREFIX;
    return text;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    const String text = DrawnText(Flags);
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    if (FEnabled) {
        canvas->TextRect(Rect, text, Flags);
        return;
    }
    // Disabled: an embossed look, a light copy one pixel down and right under a shadow copy.
    TRect shifted = Rect.Offsetted(1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->TextRect(shifted, text, Flags);
    canvas->Font()->SetColor(clBtnShadow);
    canvas->TextRect(Rect, text, Flags);
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    if (FControlStyle.Contains(TControlStyleItem::csOpaque)) {
        canvas->Brush()->SetColor(FColor);
        canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas->FillRect(rect);
    }
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    UINT flags = TextFlags();
    if (FLayout != TTextLayout::tlTop) {
        TRect measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        int room = FHeight - measured.bottom;
        rect.Offset(0, FLayout == TTextLayout::tlBottom ? room : room / 2);
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl && FEnabled && FShowAccelChar && IsAccel(static_cast<wchar_t>(Message.WParam), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustBounds();
        return;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(Message);
        AdjustBounds();
        return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    default: TGraphicControl::Dispatch(Message); return;
    }
}

// =============================================================================================
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                     TControlStyleItem::csDoubleClicks, TControlStyleItem::csFixedHeight};
    FWidth = 121;
    FHeight = 21;
    FTabStop = true;
    InitColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"EDIT");
    static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    static const DWORD cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    Params.Style |= ES_AUTOHSCROLL | alignments[static_cast<int>(FAlignment)] | cases[static_cast<int>(FCharCase)];
    if (FReadOnly)
        Params.Style |= ES_READONLY;
    if (FPasswordChar)
        Params.Style |= ES_PASSWORD;
    AddBorderStyle(Params, FBorderStyle);
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    if (FPasswordChar)
        SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
    ApplySelection();
}

void TCustomEdit::DestroyWnd()
{
    auto [start, end] = WindowSelection();
    FSelStart = start;
    FSelLength = end - start;
    TWinControl::DestroyWnd();
}

std::pair<int, int> TCustomEdit::WindowSelection()
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void TCustomEdit::ApplySelection()
{
    SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(FSelStart), FSelStart + FSelLength);
}

void TCustomEdit::SetReadOnly(bool value)
{
    if (!ChangeField(FReadOnly, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value)
{
    if (!ChangeField(FMaxLength, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

int TCustomEdit::SelStart() { return FHandle ? WindowSelection().first : FSelStart; }

int TCustomEdit::SelLength()
{
    if (!FHandle)
        return FSelLength;
    auto [start, end] = WindowSelection();
    return end - start;
}

// A new start collapses the selection there.
void TCustomEdit::SetSelStart(int value)
{
    FSelStart = value;
    FSelLength = 0;
    if (FHandle)
        ApplySelection();
}

void TCustomEdit::SetSelLength(int value)
{
    FSelStart = SelStart();
    FSelLength = value;
    if (FHandle)
        ApplySelection();
}

void TCustomEdit::SelectAll()
{
    FSelStart = 0;
    FSelLength = static_cast<int>(TControl::Text().size());
    if (FHandle)
        SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::DoEnter()
{
    if (FAutoSelect && FHandle && !FControlState.Contains(TControlStateItem::csLButtonDown) &&
        !(GetWindowLongPtrW(FHandle, GWL_STYLE) & ES_MULTILINE))
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::SetAlignment(TAlignment value)
{
    if (ChangeField(FAlignment, value))
        RecreateWnd();
}

void TCustomEdit::SetPasswordChar(wchar_t value)
{
    if (ChangeField(FPasswordChar, value))
        RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    if (ChangeField(FCharCase, value))
        RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (ChangeField(FBorderStyle, value))
        RecreateWnd();
}

void TCustomEdit::Change()
{
    if (FOnChange)
        FOnChange(this);
}

void TCustomEdit::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == EN_CHANGE && !FControlState.Contains(TControlStateItem::csCreating))
        Change();
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    // Disabled and read-only edits ask with WM_CTLCOLORSTATIC, the others with WM_CTLCOLOREDIT.
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: ApplyControlColors(Message, this); return;
    case CM_TEXTCHANGED:
        TWinControl::Dispatch(Message);
        // Without a window no EN_CHANGE comes, so the change is told here.
        if (!FHandle)
            Change();
        return;
    default: TWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
