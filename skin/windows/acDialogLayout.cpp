#include "skin/windows/acDialogLayout.h"

#include <windows.h>

namespace skin {

TacBorderStyle DialogBorderStyle(uint32_t Style)
{
    if ((Style & WS_POPUP) && (Style & WS_CAPTION) != WS_CAPTION)
        return TacBorderStyle::acbsNone;
    if (Style & WS_THICKFRAME)
        return TacBorderStyle::acbsSizeable;
    if (Style & DS_MODALFRAME)
        return TacBorderStyle::acbsDialog;
    return TacBorderStyle::acbsSizeable;
}

TDialogImageNames DialogImageNames(TacBorderStyle Style, bool VisibleMin, bool VisibleMax, const TDialogSkinOffer& Offer)
{
    const bool big = Style == TacBorderStyle::acbsSingle || Style == TacBorderStyle::acbsSizeable;
    if (big || !Offer.SmallClose) {
        const wchar_t* close = !VisibleMin && !VisibleMax && Offer.CloseAlone ? L"BICLOSEALONE" : L"BICONCLOSE";
        return {close, L"BICONMIN", L"BICONMAX", L"BICONHELP", nullptr, true, big ? L"FORMTITLE" : L"DIALOGTITLE"};
    }
    return {L"SICONCLOSE", L"SICONMIN", L"SICONMAX", L"SICONHELP", L"BICONHELP", false, L"DIALOGTITLE"};
}

namespace {

bool Spans(const TDialogButtonSpan& Button, int X) { return Button.Visible && X >= Button.Left && X <= Button.Right; }

// The code of the button under X; 0 when none.
TDialogHit ButtonHit(const TDialogHitLayout& L, int X)
{
    const auto lit = [](int Code) { return TDialogHit{Code, Code, true}; };
    if (Spans(L.Close, X))
        return lit(HTCLOSE);
    if (Spans(L.Max, X))
        return lit(L.EnabledMax || L.EnabledRestore ? HTMAXBUTTON : HTCAPTION);
    if (Spans(L.Min, X))
        return lit(L.Iconic || L.EnabledMin ? HTMINBUTTON : HTCAPTION);
    if (Spans(L.Help, X))
        return lit(HTHELP);
    return {HTCAPTION, 0, false};
}

}  // namespace

TDialogHit DialogHitTest(const TDialogHitLayout& L, const vcl::TPoint& P)
{
    const int top = (L.CaptionHeight - L.ButtonHeight + L.BorderHeight) / 2;
    if (P.y >= top && P.y <= top + L.ButtonHeight) {
        if (P.x >= L.BorderWidth && P.x <= L.BorderWidth + L.SmallIconWidth)
            return {HTSYSMENU, HTSYSMENU, true};
        return ButtonHit(L, P.x);
    }
    const bool aboveBorder = P.x < 2 || P.y < 2 || P.x >= L.Size.cx - 4 || P.y >= L.Size.cy - 4;
    if (L.Zoomed && aboveBorder)
        return {HTTRANSPARENT, 0, true};
    return {};
}

}  // namespace skin
