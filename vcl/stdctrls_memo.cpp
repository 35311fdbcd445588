#include "vcl/stdctrls.h"

namespace vcl {

// =============================================================================================
// TMemoStrings

void TMemoStrings::ReadLines(TStringList& Lines) const { Lines.SetText(FMemo->Text()); }

void TMemoStrings::Store(const TStringList& Lines)
{
    String text = Lines.Text();
    // Lines are separated, not ended, by CR LF.
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    FMemo->SetText(text);
}

int TMemoStrings::Count() const
{
    TStringList lines;
    ReadLines(lines);
    return lines.Count();
}

String TMemoStrings::Get(int index) const
{
    TStringList lines;
    ReadLines(lines);
    if (index < 0 || index >= lines.Count())
        Error(L"List index out of bounds (%d)", index);
    return lines.Strings(index);
}

void TMemoStrings::Put(int index, const String& s)
{
    TStringList lines;
    ReadLines(lines);
    lines.SetStrings(index, s);
    Store(lines);
}

void TMemoStrings::Insert(int index, const String& s)
{
    TStringList lines;
    ReadLines(lines);
    lines.Insert(index, s);
    Store(lines);
}

void TMemoStrings::Delete(int index)
{
    TStringList lines;
    ReadLines(lines);
    lines.Delete(index);
    Store(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(String()); }

// =============================================================================================
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    FControlStyle >> TControlStyleItem::csFixedHeight;
    FControlStyle >> TControlStyleItem::csSetCaption;
    FWidth = 185;
    FHeight = 89;
}

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    static const DWORD bars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | bars[static_cast<int>(FScrollBars)];
    // A wrapping memo breaks lines at its width instead of scrolling sideways.
    if (FWordWrap)
        Params.Style &= ~(ES_AUTOHSCROLL | WS_HSCROLL);
}

void TCustomMemo::CreateWnd()
{
    TCustomEdit::CreateWnd();
    SendMessageW(FHandle, EM_LINESCROLL, 0, FTopLine);
}

void TCustomMemo::DestroyWnd()
{
    FTopLine = TopLine();
    TCustomEdit::DestroyWnd();
}

int TCustomMemo::TopLine()
{
    return FHandle ? static_cast<int>(SendMessageW(FHandle, EM_GETFIRSTVISIBLELINE, 0, 0)) : FTopLine;
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (ChangeField(FScrollBars, value))
        RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (ChangeField(FWordWrap, value))
        RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_GETDLGCODE) {
        TCustomEdit::Dispatch(Message);
        return;
    }
    TCustomEdit::Dispatch(Message);
    if (FWantTabs)
        Message.Result |= DLGC_WANTTAB;
    else
        Message.Result &= ~DLGC_WANTTAB;
    if (!FWantReturns)
        Message.Result &= ~DLGC_WANTALLKEYS;
}

}  // namespace vcl
