#include "vcl/extctrls.h"

#include "vcl/forms.h"

namespace vcl {

namespace {
constexpr UINT_PTR TimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FWindowHandle(AllocateHWnd(TWndMethod(this, &TTimer::WndProc)))
{
}

void TTimer::BeforeDestruction()
{
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindowHandle);
    FWindowHandle = nullptr;
    TComponent::BeforeDestruction();
}

void TTimer::UpdateTimer()
{
    if (FRunning) {
        KillTimer(FWindowHandle, TimerId);
        FRunning = false;
    }
    if (!FEnabled || FInterval == 0 || !FOnTimer)
        return;
    if (!SetTimer(FWindowHandle, TimerId, FInterval, nullptr))
        throw EOutOfResources(L"Not enough timers available");
    FRunning = true;
}

void TTimer::SetEnabled(bool value)
{
    if (ChangeField(FEnabled, value))
        UpdateTimer();
}

void TTimer::SetInterval(Cardinal value)
{
    if (ChangeField(FInterval, value))
        UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value)
{
    if (ChangeField(FOnTimer, value))
        UpdateTimer();
}

void TTimer::Timer()
{
    // A copy: the handler may free this timer.
    TNotifyEvent handler = FOnTimer;
    if (handler)
        handler(this);
}

void TTimer::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProcW(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    try {
        Timer();
    } catch (...) {
        Application->HandleException(this);
    }
}

// =============================================================================================
// TSplitter

namespace {

bool IsSplitCursor(TCursor Cursor) { return Cursor == TCursor::crHSplit || Cursor == TCursor::crVSplit; }

// A brush of alternate pixels, for the pattern a drag shows.
HBRUSH CreateHalftoneBrush()
{
    static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
    return brush;
}

}  // namespace

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csCaptureMouse, TControlStyleItem::csClickEvents,
                     TControlStyleItem::csOpaque, TControlStyleItem::csDoubleClicks};
    FAlign = TAlign::alLeft;
    FWidth = 3;
    FHeight = 100;
    FCursor = TCursor::crHSplit;
}

void TSplitter::BeforeDestruction()
{
    ReleaseLine();
    FControl = nullptr;
    TGraphicControl::BeforeDestruction();
}

void TSplitter::Paint()
{
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(ClientRect());
    if (FOnPaint)
        FOnPaint(this);
}

TControl* TSplitter::FindNeighbour()
{
    if (!FParent)
        return nullptr;
    TPoint probe(FLeft, FTop);
    switch (FAlign) {
    case TAlign::alLeft: probe.x -= 1; break;
    case TAlign::alRight: probe.x += FWidth; break;
    case TAlign::alTop: probe.y -= 1; break;
    case TAlign::alBottom: probe.y += FHeight; break;
    default: return nullptr;
    }
    // A collapsed neighbour still touches the bar.
    const bool towardsStart = FAlign == TAlign::alLeft || FAlign == TAlign::alTop;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* control = FParent->Controls(i);
        if (control == this || !control->Visible() || !control->Enabled())
            continue;
        TRect r = control->BoundsRect();
        if (r.Width() == 0)
            (towardsStart ? r.left : r.right) += towardsStart ? -1 : 1;
        if (r.Height() == 0)
            (towardsStart ? r.top : r.bottom) += towardsStart ? -1 : 1;
        if (PtInRect(&r, probe))
            return control;
    }
    return nullptr;
}

int TSplitter::MaxNeighbourSize()
{
    const bool vertical = IsVertical();
    int room = (vertical ? FParent->ClientWidth() : FParent->ClientHeight()) - FMinSize;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* control = FParent->Controls(i);
        TAlign align = control->Align();
        bool along = vertical ? align == TAlign::alLeft || align == TAlign::alRight
                              : align == TAlign::alTop || align == TAlign::alBottom;
        if (control->Visible() && along)
            room -= vertical ? control->Width() : control->Height();
    }
    return room + (vertical ? FControl->Width() : FControl->Height());
}

bool TSplitter::CanResize(int& NewSize)
{
    bool accept = true;
    if (FOnCanResize)
        FOnCanResize(this, NewSize, accept);
    return accept;
}

std::optional<int> TSplitter::ProposedSize(int X, int Y, int& Split)
{
    Split = IsVertical() ? X - FDownPos.x : Y - FDownPos.y;
    const bool growsWithSplit = FAlign == TAlign::alLeft || FAlign == TAlign::alTop;
    int current = IsVertical() ? FControl->Width() : FControl->Height();
    int raw = current + (growsWithSplit ? Split : -Split);
    int size = std::clamp(raw, FMinSize, std::max(FMinSize, FMaxSize));
    // The bar stops where the clamped size puts it.
    Split += growsWithSplit ? size - raw : raw - size;
    if (!CanResize(size))
        return std::nullopt;
    if (FAutoSnap && size <= FMinSize)
        size = 0;
    return size;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || FControl)
        return;
    FControl = FindNeighbour();
    if (!FControl)
        return;
    FDownPos = TPoint(X, Y);
    FMaxSize = MaxNeighbourSize();
    FNewSize = IsVertical() ? FControl->Width() : FControl->Height();
    FSplit = 0;
    if (FResizeStyle == TResizeStyle::rsLine || FResizeStyle == TResizeStyle::rsPattern) {
        FLineDC = GetDCEx(FParent->Handle(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        FLineBrush = FResizeStyle == TResizeStyle::rsPattern ? CreateHalftoneBrush()
                                                              : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        DrawLine();
    }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    // Moves without the button (the system reports some as windows move under the cursor) drag nothing.
    if (!FControl || !Shift.Contains(TShiftStateItem::ssLeft))
        return;
    int split = 0;
    std::optional<int> size = ProposedSize(X, Y, split);
    if (!size)
        return;
    if (FLineDC)
        DrawLine();
    FNewSize = *size;
    FSplit = split;
    if (FResizeStyle == TResizeStyle::rsUpdate)
        ApplySize();
    if (FLineDC)
        DrawLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FControl && Button == TMouseButton::mbLeft) {
        ReleaseLine();
        ApplySize();
        FControl = nullptr;
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSplitter::ApplySize()
{
    const bool vertical = IsVertical();
    int old = vertical ? FControl->Width() : FControl->Height();
    if (FNewSize == old)
        return;
    // A neighbour after the bar keeps its far edge: it grows towards the bar.
    int shift = old - FNewSize;
    switch (FAlign) {
    case TAlign::alLeft: FControl->SetWidth(FNewSize); break;
    case TAlign::alTop: FControl->SetHeight(FNewSize); break;
    case TAlign::alRight:
        FControl->SetBounds(FControl->Left() + shift, FControl->Top(), FNewSize, FControl->Height());
        break;
    case TAlign::alBottom:
        FControl->SetBounds(FControl->Left(), FControl->Top() + shift, FControl->Width(), FNewSize);
        break;
    default: return;
    }
    // The split now lies where the bar is.
    FSplit = 0;
    if (FParent)
        FParent->Update();
    if (FOnMoved)
        FOnMoved(this);
}

void TSplitter::DrawLine()
{
    TRect line = BoundsRect();
    if (IsVertical())
        line.Offset(FSplit, 0);
    else
        line.Offset(0, FSplit);
    HGDIOBJ old = SelectObject(FLineDC, FLineBrush);
    PatBlt(FLineDC, line.left, line.top, line.Width(), line.Height(), PATINVERT);
    SelectObject(FLineDC, old);
}

void TSplitter::ReleaseLine()
{
    if (FLineDC) {
        DrawLine();
        ReleaseDC(FParent ? FParent->Handle() : nullptr, FLineDC);
        FLineDC = nullptr;
    }
    if (FLineBrush && FResizeStyle == TResizeStyle::rsPattern)
        DeleteObject(FLineBrush);
    FLineBrush = nullptr;
}

void TSplitter::Dispatch(TMessage& Message)
{
    // The cursor follows the side the bar is aligned to, unless it was set to another one.
    if (Message.Msg == CM_MOUSEENTER && IsSplitCursor(FCursor))
        FCursor = IsVertical() ? TCursor::crHSplit : TCursor::crVSplit;
    TGraphicControl::Dispatch(Message);
}

}  // namespace vcl
