#include "vcl/hints.h"

#include "vcl/application.h"
#include "vcl/screen.h"

#include <algorithm>

namespace vcl {

namespace {

// Room between the border and the text.
constexpr int TextMarginX = 2;
constexpr int TextMarginY = 2;
// Width and height the border and the margins add to the text (2 pixels of margin on each side).
constexpr int ExtraWidth = 6;
constexpr int ExtraHeight = 6;

constexpr UINT HintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

String GetShortHint(const String& Hint)
{
    size_t bar = Hint.find(L'|');
    return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint)
{
    size_t bar = Hint.find(L'|');
    return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    InitColor(clInfoBk);
    if (Screen)
        FFont->Assign(Screen->HintFont());
    FFont->SetColor(clInfoText);
    FParentFont = false;
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WndParent = Application ? Application->Handle() : nullptr;
    Params.WindowClass.style |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    RECT r{0, 0, MaxWidth, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FFont->Handle());
    DrawTextW(dc, AHint.c_str(), static_cast<int>(AHint.size()), &r, HintTextFlags | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return TRect(0, 0, r.right + ExtraWidth, r.bottom + ExtraHeight);
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint)
{
    SetCaption(AHint);
    TRect work = Screen ? Screen->WorkAreaRect() : TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    int width = Rect.Width();
    int height = Rect.Height();
    int left = std::max<int>(work.left, std::min<int>(Rect.left, work.right - width));
    int top = std::max<int>(work.top, std::min<int>(Rect.top, work.bottom - height));
    SetBounds(left, top, width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    Update();
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

bool THintWindow::HintShowing() const { return FHandle && IsWindowVisible(FHandle); }

void THintWindow::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(FColor);
    canvas->FillRect(ClientRect());
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    TRect r = ClientRect();
    r.left += TextMarginX;
    r.top += TextMarginY;
    canvas->TextRect(r, Caption(), HintTextFlags);
}

void THintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    default: TCustomControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
