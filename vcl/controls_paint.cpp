// Painting of controls: graphic children drawn by their parent, erase and double buffering,
// Invalidate / Update / Repaint, and the canvases of controls.
#include "vcl/controls.h"

#include <algorithm>
#include <optional>

namespace vcl {

namespace {

// Control canvases holding a DC of their own, released at idle.
std::vector<TControlCanvas*> CanvasList;

// Moves a DC's origin by (dx, dy) in logical units, so drawing at (0, 0) lands at (dx, dy).
void MoveWindowOrg(HDC dc, int dx, int dy)
{
    POINT org{};
    GetWindowOrgEx(dc, &org);
    SetWindowOrgEx(dc, org.x - dx, org.y - dy, nullptr);
}

// BeginPaint now, EndPaint when the scope ends: a paint that throws still gives its DC back.
class TPaintScope {
public:
    explicit TPaintScope(HWND wnd) : FWnd(wnd), FDC(BeginPaint(wnd, &FPaint)) {}
    ~TPaintScope() { EndPaint(FWnd, &FPaint); }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
    HDC DC() const { return FDC; }

private:
    HWND FWnd;
    PAINTSTRUCT FPaint{};
    HDC FDC;
};

// A window's DC from GetDC, released when the scope ends.
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd) : FWnd(wnd), FDC(GetDC(wnd)) {}
    ~TWindowDC() { ReleaseDC(FWnd, FDC); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC DC() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
};

}  // namespace

// =============================================================================================
// TControl

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !FParent || !FParent->HandleAllocated())
        return;
    RECT r = BoundsRect();
    InvalidateRect(FParent->FHandle, &r, !IsOpaque);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(TControlStyleItem::csOpaque)); }

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::Repaint()
{
    if (!FVisible || !FParent || !FParent->HandleAllocated())
        return;
    if (!FControlStyle.Contains(TControlStyleItem::csOpaque)) {
        Invalidate();
        FParent->Update();
        return;
    }
    // Opaque: nothing behind needs erasing, so paint this control and those above it at once.
    TWindowDC dc(FParent->FHandle);
    TSavedDC saved(dc.DC());
    IntersectClipRect(dc.DC(), FLeft, FTop, FLeft + FWidth, FTop + FHeight);
    FParent->PaintControls(dc.DC(), this);
}

HDC TControl::GetDeviceContext(HWND& WindowHandle)
{
    if (!FParent)
        throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    HDC dc = FParent->GetDeviceContext(WindowHandle);
    SetViewportOrgEx(dc, FLeft, FTop, nullptr);
    IntersectClipRect(dc, 0, 0, FWidth, FHeight);
    return dc;
}

// =============================================================================================
// TWinControl

void TWinControl::ExcludeOpaqueChildren(HDC DC)
{
    for (TControl* c : FControls)
        if (c->FVisible && c->FControlStyle.Contains(TControlStyleItem::csOpaque))
            ExcludeClipRect(DC, c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight);
}

void TWinControl::WMPaint(TMessage& Message)
{
    if (FDoubleBuffered && Message.WParam == 0) {
        TPaintScope paint(FHandle);
        TRect client = ClientRect();
        TMemoryDC buffer(paint.DC(), client.Width(), client.Height());
        auto memDC = reinterpret_cast<WPARAM>(buffer.Handle());
        // Our own erase passes the DC twice, which tells it from the system's.
        Perform(WM_ERASEBKGND, memDC, static_cast<LPARAM>(memDC));
        TMessage bufferPaint{WM_PAINT, memDC, 0, 0};
        WMPaint(bufferPaint);
        BitBlt(paint.DC(), 0, 0, client.Width(), client.Height(), buffer.Handle(), 0, 0, SRCCOPY);
        return;
    }
    if (FControls.empty() && !FControlState.Contains(TControlStateItem::csCustomPaint)) {
        TControl::Dispatch(Message);
        return;
    }
    PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message)
{
    auto dc = reinterpret_cast<HDC>(Message.WParam);
    std::optional<TPaintScope> paint;
    if (!dc) {
        paint.emplace(FHandle);
        dc = paint->DC();
    }
    {
        TSavedDC saved(dc);
        ExcludeOpaqueChildren(dc);
        PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
}

void TWinControl::CustomPaint(TMessage& Message)
{
    FControlState << TControlStateItem::csCustomPaint;
    const TScopeExit reset([this] { FControlState >> TControlStateItem::csCustomPaint; });
    WMPaint(Message);
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    auto it = FControls.begin();
    if (First) {
        it = std::find(FControls.begin(), FControls.end(), First);
        if (it == FControls.end())
            it = FControls.begin();
    }
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        RECT bounds = c->BoundsRect();
        if (!c->FVisible || !RectVisible(DC, &bounds))
            continue;
        TSavedDC saved(DC);
        MoveWindowOrg(DC, c->FLeft, c->FTop);
        IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    bool ownErase = Message.WParam == static_cast<WPARAM>(Message.LParam);
    if ((!FDoubleBuffered || ownErase) && !FControlStyle.Contains(TControlStyleItem::csOpaque)) {
        auto dc = reinterpret_cast<HDC>(Message.WParam);
        TSavedDC saved(dc);
        ExcludeOpaqueChildren(dc);
        RECT r = ClientRect();
        FillRect(dc, &r, FBrush->Handle());
    }
    Message.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& Message)
{
    if (Message.LParam & PRF_ERASEBKGND)
        Perform(WM_ERASEBKGND, Message.WParam, static_cast<LPARAM>(Message.WParam));
    Perform(WM_PAINT, Message.WParam, 0);
    Message.Result = 0;
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
    HWND handle = Handle();
    // The control's painting knows it paints a copy, not its window.
    FControlState << TControlStateItem::csPaintCopy;
    const TScopeExit reset([this] { FControlState >> TControlStateItem::csPaintCopy; });
    RECT window{};
    GetWindowRect(handle, &window);
    POINT client{0, 0};
    ::ClientToScreen(handle, &client);
    TSavedDC saved(DC);
    MoveWindowOrg(DC, X, Y);
    IntersectClipRect(DC, 0, 0, window.right - window.left, window.bottom - window.top);
    SendMessageW(handle, WM_PRINT, reinterpret_cast<WPARAM>(DC), PRF_NONCLIENT);
    MoveWindowOrg(DC, client.x - window.left, client.y - window.top);
    TRect clientRect = ClientRect();
    IntersectClipRect(DC, 0, 0, clientRect.Width(), clientRect.Height());
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    for (TWinControl* child : FWinControls)
        if (child->FVisible)
            child->PaintTo(DC, child->FLeft, child->FTop);
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle)
{
    WindowHandle = Handle();
    return GetDCEx(WindowHandle, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
}

void TWinControl::Update()
{
    if (FHandle)
        RedrawWindow(FHandle, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::Invalidate() { Perform(CM_INVALIDATE); }

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

// =============================================================================================
// TControlCanvas

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* value)
{
    if (FControl == value)
        return;
    FreeHandle();
    FControl = value;
}

void TControlCanvas::CreateHandle()
{
    if (!FControl) {
        TCanvas::CreateHandle();
        return;
    }
    if (!FDeviceContext) {
        FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
        CanvasList.push_back(this);
    }
    SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle()
{
    if (!FDeviceContext)
        return;
    SetHandle(nullptr);
    ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
    FWindowHandle = nullptr;
    std::erase(CanvasList, this);
}

void TControlCanvas::PaintOn(HDC DC, const std::function<void()>& Paint)
{
    Lock();
    FreeHandle();
    SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        SetHandle(nullptr);
        Unlock();
        throw;
    }
    SetHandle(nullptr);
    Unlock();
}

void TControlCanvas::FreeDeviceContexts(HWND Window)
{
    for (TControlCanvas* canvas : std::vector<TControlCanvas*>(CanvasList)) {
        if (Window ? canvas->FWindowHandle == Window : canvas->LockCount() == 0)
            canvas->FreeHandle();
    }
}

// =============================================================================================
// TGraphicControl and TCustomControl

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

void TGraphicControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        if (Message.WParam && !IsDestroying())
            FCanvas->PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
        return;
    case CM_TEXTCHANGED: Invalidate(); return;
    default: TControl::Dispatch(Message); return;
    }
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

void TCustomControl::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_PAINT)
        CustomPaint(Message);
    else
        TWinControl::Dispatch(Message);
}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

}  // namespace vcl
