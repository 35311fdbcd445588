#include "vcl/comctrls.h"

#include <commctrl.h>

#include <algorithm>

namespace vcl {

namespace {

// CLR_DEFAULT for clDefault, else the colour's RGB value.
LPARAM CommonControlColor(TColor Color)
{
    return Color == clDefault ? static_cast<LPARAM>(CLR_DEFAULT) : static_cast<LPARAM>(ColorToRGB(Color));
}

}  // namespace

// =============================================================================================
// TProgressBar

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FWidth = 150;
    FHeight = 16;
}

void TProgressBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, PROGRESS_CLASSW);
    if (FOrientation == TProgressBarOrientation::pbVertical)
        Params.Style |= PBS_VERTICAL;
    if (FSmooth)
        Params.Style |= PBS_SMOOTH;
    if (FStyle == TProgressBarStyle::pbstMarquee)
        Params.Style |= PBS_MARQUEE;
}

void TProgressBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
    SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
    ApplyColors();
    ApplyMarquee();
}

void TProgressBar::SetRange(int AMin, int AMax)
{
    if (AMin == FMin && AMax == FMax)
        return;
    FMin = AMin;
    FMax = AMax;
    if (FHandle)
        SendMessageW(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    // The system keeps its own position within the range; ours follows.
    FPosition = std::clamp(FPosition, FMin, std::max(FMin, FMax));
    if (FHandle)
        SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetPosition(int value)
{
    value = std::clamp(value, FMin, std::max(FMin, FMax));
    if (!ChangeField(FPosition, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetStep(int value)
{
    if (!ChangeField(FStep, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetOrientation(TProgressBarOrientation value)
{
    if (ChangeField(FOrientation, value))
        RecreateWnd();
}

void TProgressBar::SetSmooth(bool value)
{
    if (ChangeField(FSmooth, value))
        RecreateWnd();
}

void TProgressBar::SetStyle(TProgressBarStyle value)
{
    if (ChangeField(FStyle, value))
        RecreateWnd();
}

void TProgressBar::SetMarqueeInterval(int value)
{
    if (!ChangeField(FMarqueeInterval, value))
        return;
    if (FHandle)
        ApplyMarquee();
}

void TProgressBar::ApplyMarquee()
{
    if (FStyle == TProgressBarStyle::pbstMarquee)
        SendMessageW(FHandle, PBM_SETMARQUEE, TRUE, FMarqueeInterval);
}

void TProgressBar::SetBarColor(TColor value)
{
    if (!ChangeField(FBarColor, value))
        return;
    if (FHandle)
        ApplyColors();
}

void TProgressBar::SetBackgroundColor(TColor value)
{
    if (!ChangeField(FBackgroundColor, value))
        return;
    if (FHandle)
        ApplyColors();
}

void TProgressBar::ApplyColors()
{
    SendMessageW(FHandle, PBM_SETBARCOLOR, 0, CommonControlColor(FBarColor));
    SendMessageW(FHandle, PBM_SETBKCOLOR, 0, CommonControlColor(FBackgroundColor));
}

// =============================================================================================
// Status panels

void TStatusPanel::SetText(const String& value)
{
    if (ChangeField(FText, value))
        Changed(false);
}

void TStatusPanel::SetWidth(int value)
{
    if (ChangeField(FWidth, value))
        Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value)
{
    if (ChangeField(FAlignment, value))
        Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    if (ChangeField(FStyle, value))
        Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    if (ChangeField(FBevel, value))
        Changed(false);
}

void TStatusPanel::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TStatusPanel*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    FText = source->FText;
    FWidth = source->FWidth;
    FAlignment = source->FAlignment;
    FStyle = source->FStyle;
    FBevel = source->FBevel;
    Changed(true);
}

TStatusPanels::TStatusPanels(TStatusBar* StatusBar)
    : TCollection(CollectionItemClass<TStatusPanel>()), FStatusBar(StatusBar)
{
}

TPersistent* TStatusPanels::GetOwner() { return FStatusBar; }

void TStatusPanels::Update(TCollectionItem* Item)
{
    if (Item)
        FStatusBar->UpdatePanel(Item->Index());
    else
        FStatusBar->UpdatePanels();
}

std::vector<int> StatusPartEdges(const std::vector<int>& Widths)
{
    std::vector<int> edges;
    int right = 0;
    for (int width : Widths) {
        right += width;
        edges.push_back(right);
    }
    if (edges.empty())
        edges.push_back(0);
    edges.back() = -1;
    return edges;
}

// =============================================================================================
// TStatusBar

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)),
      FCanvas(std::make_unique<TControlCanvas>())
{
    FControlStyle = {TControlStyleItem::csCaptureMouse, TControlStyleItem::csClickEvents,
                     TControlStyleItem::csDoubleClicks, TControlStyleItem::csOpaque};
    InitColor(clBtnFace);
    FAlign = TAlign::alBottom;
    FHeight = 19;
    FCanvas->SetControl(this);
}

// CCS_NORESIZE and CCS_NOPARENTALIGN: the bar's place is ours to give, like any aligned control.
void TStatusBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, STATUSCLASSNAMEW);
    Params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (FSizeGrip)
        Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyColor();
    UpdatePanels();
    SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    SendMessageW(FHandle, SB_SIMPLE, FSimplePanel, 0);
}

void TStatusBar::UpdatePanels()
{
    if (!FHandle)
        return;
    std::vector<int> widths;
    for (int i = 0; i < FPanels->Count(); ++i)
        widths.push_back(FPanels->Items(i)->Width());
    std::vector<int> edges = StatusPartEdges(widths);
    SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    if (FPanels->Count() == 0)
        SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
    for (int i = 0; i < FPanels->Count(); ++i)
        UpdatePanel(i);
}

// The system centres text after one tab and right-aligns it after two.
void TStatusBar::UpdatePanel(int Index)
{
    if (!FHandle)
        return;
    TStatusPanel* panel = FPanels->Items(Index);
    static const wchar_t* const alignPrefix[] = {L"", L"\t\t", L"\t"};
    static const WPARAM bevelFlags[] = {SBT_NOBORDERS, 0, SBT_POPOUT};
    String text = alignPrefix[static_cast<int>(panel->Alignment())] + panel->Text();
    WPARAM flags = bevelFlags[static_cast<int>(panel->Bevel())];
    if (panel->Style() == TStatusPanelStyle::psOwnerDraw)
        flags |= SBT_OWNERDRAW;
    SendMessageW(FHandle, SB_SETTEXTW, static_cast<WPARAM>(Index) | flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetSimplePanel(bool value)
{
    if (!ChangeField(FSimplePanel, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, SB_SIMPLE, value, 0);
}

void TStatusBar::SetSimpleText(const String& value)
{
    if (!ChangeField(FSimpleText, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSizeGrip(bool value)
{
    if (ChangeField(FSizeGrip, value))
        RecreateWnd();
}

void TStatusBar::ApplyColor() { SendMessageW(FHandle, SB_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(FColor))); }

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect)
{
    if (FOnDrawPanel)
        FOnDrawPanel(this, Panel, Rect);
}

void TStatusBar::CNDrawItem(TMessage& Message)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    auto index = static_cast<int>(dis->itemID);
    if (index >= 0 && index < FPanels->Count())
        FCanvas->PaintOn(dis->hDC, [&] {
            FCanvas->SetFont(Font());
            FCanvas->Brush()->SetColor(FColor);
            DrawPanel(FPanels->Items(index), dis->rcItem);
        });
    Message.Result = TRUE;
}

void TStatusBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case CM_COLORCHANGED:
        if (FHandle)
            ApplyColor();
        TWinControl::Dispatch(Message);
        return;
    default: TWinControl::Dispatch(Message); return;
    }
}

// =============================================================================================
// TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FWidth = 150;
    FHeight = 45;
    FTabStop = true;
}

void TTrackBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TRACKBAR_CLASSW);
    static const DWORD orientations[] = {TBS_HORZ, TBS_VERT};
    static const DWORD tickStyles[] = {TBS_NOTICKS, TBS_AUTOTICKS, 0};
    // TBS_TOP and TBS_LEFT are one bit, as are TBS_BOTTOM and TBS_RIGHT.
    static const DWORD tickMarks[] = {TBS_BOTTOM, TBS_TOP, TBS_BOTH};
    Params.Style |= orientations[static_cast<int>(FOrientation)] | tickStyles[static_cast<int>(FTickStyle)] |
                    tickMarks[static_cast<int>(FTickMarks)] | TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(FHandle, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(FThumbLength), 0);
    SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageW(FHandle, TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageW(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    for (int tick : FTicks)
        SendMessageW(FHandle, TBM_SETTIC, 0, tick);
    ApplySelection();
    SendMessageW(FHandle, TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::SetRange(int AMin, int AMax)
{
    if (AMin == FMin && AMax == FMax)
        return;
    FMin = AMin;
    FMax = AMax;
    if (FHandle) {
        SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, FMin);
        SendMessageW(FHandle, TBM_SETRANGEMAX, TRUE, FMax);
    }
    MovePosition(FPosition, true);
}

void TTrackBar::SetPosition(int value) { MovePosition(value, true); }

void TTrackBar::MovePosition(int value, bool TellWindow)
{
    value = std::clamp(value, FMin, FMax);
    if (TellWindow && FHandle)
        SendMessageW(FHandle, TBM_SETPOS, TRUE, value);
    if (ChangeField(FPosition, value))
        Changed();
}

void TTrackBar::SetThumbLength(int value)
{
    if (!ChangeField(FThumbLength, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetFrequency(int value)
{
    if (!ChangeField(FFrequency, value))
        return;
    if (FHandle)
        SendMessageW(FHandle, TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetTickStyle(TTickStyle value)
{
    if (ChangeField(FTickStyle, value))
        RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value)
{
    if (ChangeField(FTickMarks, value))
        RecreateWnd();
}

void TTrackBar::SetTick(int Value)
{
    FTicks.push_back(Value);
    if (FHandle)
        SendMessageW(FHandle, TBM_SETTIC, 0, Value);
}

void TTrackBar::SetSelStart(int value)
{
    if (ChangeField(FSelStart, value) && FHandle)
        ApplySelection();
}

void TTrackBar::SetSelEnd(int value)
{
    if (ChangeField(FSelEnd, value) && FHandle)
        ApplySelection();
}

void TTrackBar::ApplySelection()
{
    if (FSelStart == 0 && FSelEnd == 0) {
        SendMessageW(FHandle, TBM_CLEARSEL, TRUE, 0);
        return;
    }
    SendMessageW(FHandle, TBM_SETSELSTART, FALSE, FSelStart);
    SendMessageW(FHandle, TBM_SETSELEND, TRUE, FSelEnd);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (!ChangeField(FOrientation, value))
        return;
    if (!IsLoading())
        SetBounds(FLeft, FTop, FHeight, FWidth);
    RecreateWnd();
}

void TTrackBar::Changed()
{
    if (FOnChange)
        FOnChange(this);
}

// A drag reports every step and then its end; only a step that moved the thumb is a change.
void TTrackBar::CNScroll(TMessage& Message)
{
    MovePosition(static_cast<int>(SendMessageW(FHandle, TBM_GETPOS, 0, 0)), false);
    Message.Result = 0;
}

void TTrackBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); return;
    default: TWinControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
