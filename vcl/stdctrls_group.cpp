#include "vcl/stdctrls.h"

namespace vcl {

namespace {

// Where the caption starts, from the box's left edge.
constexpr int CaptionIndent = 8;

}  // namespace

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = {TControlStyleItem::csAcceptsControls, TControlStyleItem::csCaptureMouse,
                     TControlStyleItem::csClickEvents,     TControlStyleItem::csSetCaption,
                     TControlStyleItem::csOpaque,          TControlStyleItem::csDoubleClicks};
    FWidth = 185;
    FHeight = 105;
}

int TCustomGroupBox::CaptionHeight()
{
    TMemoryDC dc;
    int height = 0;
    Canvas()->PaintOn(dc.Handle(), [&] {
        Canvas()->SetFont(Font());
        height = Canvas()->TextHeight(L"0");
    });
    return height;
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Rect.top += CaptionHeight();
    Rect.Inflate(-1, -1);
}

void TCustomGroupBox::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    TRect client = ClientRect();
    canvas->FillRect(client);
    int height = canvas->TextHeight(L"0");
    RECT frame{client.left, client.top + height / 2 - 1, client.right, client.bottom};
    DrawEdge(canvas->Handle(), &frame, EDGE_ETCHED, BF_RECT);
    String caption = Text();
    if (caption.empty())
        return;
    if (!FEnabled)
        canvas->Font()->SetColor(clGrayText);
    TRect text(CaptionIndent, 0, client.right - CaptionIndent, height);
    UINT flags = DT_SINGLELINE | DT_LEFT | DT_TOP;
    DrawTextW(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &text, flags | DT_CALCRECT);
    // A little room on either side of the text breaks the frame line.
    TRect strip = text.Inflated(2, 0);
    canvas->FillRect(strip);
    canvas->TextRect(text, caption, flags);
}

void TCustomGroupBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
        TCustomControl::Dispatch(Message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(Message);
        Realign();
        Invalidate();
        return;
    default: TCustomControl::Dispatch(Message); return;
    }
}

}  // namespace vcl
