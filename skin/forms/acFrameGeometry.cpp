#include "skin/forms/acFrameGeometry.h"

#include <algorithm>
#include <cmath>

#include "skin/graphics/sGraphUtils.h"

namespace skin {

using vcl::TRect;

int SysBorderWidth(const TFrameStyle& Style, const TSysFrameMetrics& Metrics, int SkinBorder)
{
    if (SkinBorder != 0)
        return SkinBorder;
    if (Style.ThickFrame)
        return Metrics.FrameWidth;
    return Style.Border ? Metrics.DlgFrameWidth : 0;
}

int SysCaptHeight(const TFrameStyle& Style, const TSysFrameMetrics& Metrics)
{
    return Style.ToolWindow && !Style.Iconic ? Metrics.SmallCaptionHeight : Metrics.CaptionHeight;
}

int CaptionHeight(const TFrameStyle& Style, const TSysFrameMetrics& Metrics, int SkinTitleHeight, bool SysExHeight)
{
    if (!(Style.HaveBorder && Style.Caption) && !Style.Iconic)
        return 0;
    if (SysExHeight)
        return std::max(SysCaptHeight(Style, Metrics) + 4, SkinTitleHeight);
    return SkinTitleHeight != 0 ? SkinTitleHeight : SysCaptHeight(Style, Metrics);
}

int IconSizeForHeight(int H)
{
    if (H <= 8)
        return 1;
    return H <= 16 ? 8 : 16;
}

int MenuLinesCount(int ItemBottom, int ClientTop, int MenuHeight)
{
    if (ItemBottom >= ClientTop || MenuHeight <= 2)
        return 1;
    return (ClientTop - ItemBottom) / (MenuHeight - 2) + 1;
}

// ---------------------------------------------------------------------------------------------
// The title bar

namespace {

// The room between two buttons: only big buttons keep the skin's spacing.
int ButtonSpacing(const TFrameLayout& Layout) { return Layout.BigButtons ? Layout.Spacing : 0; }

// Lays the buttons out from the right edge X inward.
class TButtonPlacer {
public:
    explicit TButtonPlacer(const TFrameLayout& Layout)
        : FLayout(Layout), FX(Layout.Width - Layout.RightMargin - Layout.Shadow.right - Layout.BorderWidth)
    {
    }
    // The slot's rectangle ending at the current edge less Gap; empty when it is not placed.
    TRect Place(const TTitleButtonSlot& Slot, int Gap = 0)
    {
        if (!Slot.Placed)
            return TRect();
        const int top = TitleButtonTop(FLayout, Slot.HaveAlignment);
        const int right = FX - Gap;
        FX = right - Slot.Width - ButtonSpacing(FLayout);
        return TRect(right - Slot.Width, top, right, top + FLayout.ButtonHeight);
    }
    void Skip(int Pixels) { FX -= Pixels; }

private:
    const TFrameLayout& FLayout;
    int FX;
};

constexpr int HelpGap = 6;          // the help button stands apart from the others
constexpr int UserButtonsGap = 8;   // the user buttons stand apart from the system buttons

}  // namespace

int MaxTitleShift(const TFrameLayout& Layout)
{
    int shift = 0;
    if (Layout.ExDrawMode == 1) {
        const int lower = Layout.ExTitleHeight - Layout.ExMaxHeight;
        shift = std::max(lower, 0) + Layout.TopMargin;
    }
    return shift - std::max(Layout.CaptionHeight - Layout.SysCaptHeight - 4, 0);
}

int TitleButtonTop(const TFrameLayout& Layout, bool HaveAlignment)
{
    if (HaveAlignment && Layout.VAlign == 1) {
        if (Layout.Extended && Layout.Zoomed) {
            const int v = Layout.SysExHeight ? Layout.Shadow.top + Layout.DiffTitle + 4 : Layout.BorderFormOffsetY;
            return Layout.SysBorderWidth + MaxTitleShift(Layout) + v - (Layout.Composition ? 0 : 1);
        }
        if (Layout.Extended)
            return Layout.Shadow.top + Layout.TopMargin;
        return Layout.Zoomed ? 3 : 0;
    }
    int top = (Layout.BorderHeight + Layout.CaptionHeight - Layout.ButtonHeight) / 2 + Layout.Shadow.top;
    if (Layout.Extended) {
        top += Layout.ExCenterOffs;
        if (Layout.Zoomed) {
            top -= 2;
            if (Layout.ExTitleHeight != Layout.ExMaxHeight)
                top += (Layout.ExTitleHeight - Layout.ExMaxHeight - Layout.ExCenterOffs) / 2 - 2;
            top += Layout.SysBorderWidth / 2;
        }
    }
    if (Layout.BigButtons && Layout.ButtonHeight < 16)
        top += 2;
    return top;
}

int TitleButtonsWidth(const TFrameLayout& Layout, const TTitleButtonRow& Row)
{
    const int spacing = ButtonSpacing(Layout);
    int width = Layout.RightMargin;
    if (Row.SysButtons) {
        if (Row.Close.Counted)
            width += Row.Close.Width;
        for (const TTitleButtonSlot* slot : {&Row.Max, &Row.Min, &Row.Help})
            if (slot->Counted)
                width += slot->Width + spacing;
    }
    if (!Row.User.empty())
        width += UserButtonsGap;
    for (const TTitleButtonSlot& slot : Row.User)
        width += slot.Width + spacing;
    return width;
}

TTitleButtonRects PlaceTitleButtons(const TFrameLayout& Layout, const TTitleButtonRow& Row)
{
    TTitleButtonRects rects;
    TButtonPlacer placer(Layout);
    if (Row.SysButtons) {
        rects.Close = placer.Place(Row.Close);
        rects.Max = placer.Place(Row.Max);
        rects.Min = placer.Place(Row.Min);
        rects.Help = placer.Place(Row.Help, HelpGap);
    }
    if (!Row.User.empty())
        placer.Skip(UserButtonsGap);
    for (const TTitleButtonSlot& slot : Row.User)
        rects.User.push_back(placer.Place(slot));
    return rects;
}

// ---------------------------------------------------------------------------------------------
// Icon, grip and caption text

TRect IconRect(const TFrameLayout& Layout, const vcl::TSize& Icon)
{
    const int left = Layout.BorderWidth + Layout.LeftMargin + Layout.Shadow.left;
    int top = Layout.SysBorderWidth / 2 + Layout.Shadow.top - 1;
    top += (Layout.MenuTop() - top - Icon.cy) / 2;
    TRect r(left, top, left + Icon.cx, top + Icon.cy);
    if (Layout.Extended) {
        r.Offset(0, Layout.ExCenterOffs);
        if (Layout.Zoomed && Layout.ExTitleHeight != Layout.ExMaxHeight)
            r.Offset(0, (Layout.ExTitleHeight - Layout.ExMaxHeight) / 2 - 2);
    }
    return r;
}

vcl::TPoint RBGripPoint(const TFrameLayout& Layout, const vcl::TSize& Grip)
{
    return vcl::TPoint(Layout.Width - Grip.cx - Layout.BorderWidth - Layout.Shadow.right - 1,
                       Layout.Height - Grip.cy - Layout.BorderWidth - Layout.Shadow.bottom - 1);
}

TRect CaptionTextBox(const TFrameLayout& Layout, int IconWidth, bool CaptionSection, int ButtonsWidth)
{
    const int left =
        Layout.BorderWidth + IconWidth + Layout.LeftMargin + Layout.Shadow.left + (CaptionSection ? 2 : 0) + 4;
    const int right = Layout.Width - ButtonsWidth - Layout.Shadow.right - 12;
    int top = Layout.Shadow.top + 2;
    if (Layout.Zoomed)
        top = Layout.Extended ? Layout.Shadow.top + 1 : 3;
    TRect box(left, top, right, Layout.MenuTop());
    if (Layout.Extended) {
        box.Offset(0, Layout.ExCenterOffs);
        if (Layout.Zoomed && Layout.ExMaxHeight != 0 && Layout.ExMaxHeight != Layout.ExTitleHeight)
            box.Offset(0, (Layout.ExTitleHeight - Layout.ExMaxHeight) / 2);
    }
    return box;
}

TRect AlignCaptionText(const TRect& Box, const vcl::TSize& Main, int AddedWidth, vcl::TAlignment Alignment)
{
    TRect text = Box;
    text.top += (Box.Height() - Main.cy) / 2;
    text.bottom = text.top + Main.cy;
    const int whole = Main.cx + AddedWidth + 4;
    switch (Alignment) {
    case vcl::TAlignment::taRightJustify:
        if (whole < text.Width())
            text.left = text.right - whole;
        break;
    case vcl::TAlignment::taCenter:
        text.left = std::max<int>(text.left, text.left + (text.Width() - whole) / 2);
        text.right = std::min<int>(text.left + Main.cx, text.right);
        break;
    case vcl::TAlignment::taLeftJustify: break;
    }
    return text;
}

vcl::TAlignment ShownCaptionAlignment(vcl::TAlignment Alignment, bool RightToLeft)
{
    if (!RightToLeft || Alignment == vcl::TAlignment::taCenter)
        return Alignment;
    return Alignment == vcl::TAlignment::taLeftJustify ? vcl::TAlignment::taRightJustify
                                                       : vcl::TAlignment::taLeftJustify;
}

vcl::TColor AddedTitleColor(vcl::TColor Font, vcl::TColor Title, vcl::TColor TitleHot, bool Active)
{
    if (Font == vcl::clNone || Font == vcl::clWindowText)
        return Active ? TitleHot : Title;
    const vcl::TColor own = vcl::TColor(vcl::ColorToRGB(Font));
    return Active ? own : MixColors(own, Title, 0.5);
}

vcl::TRect ExFrameMargins(const vcl::TRect& Image, const vcl::TRect& Frame, int Height, int CaptionHeight)
{
    const LONG half = (Height - CaptionHeight) / 2;
    return vcl::TRect(std::min(Image.left, Frame.left), std::min({Image.top, half + CaptionHeight, Frame.top}),
                      std::min(Image.right, Frame.right), std::min({Image.bottom, half, Frame.bottom}));
}

// ---------------------------------------------------------------------------------------------
// Pixels

TsColor CorrectFramePixel(TsColor Pixel)
{
    TsRGBA& p = Pixel.sBGRA;
    const int spread = std::max({p.R, p.G, p.B}) - std::min({p.R, p.G, p.B});
    if (p.A == 255 || spread == 0)
        return Pixel;
    for (uint8_t* channel : {&p.R, &p.G, &p.B})
        *channel = uint8_t(*channel - *channel / 16);
    const double alpha = p.A + (510.0 - 2.0 * p.A) / std::sqrt(255.0 / spread);
    p.A = uint8_t(std::min<long>(255, std::lrint(alpha)));
    return Pixel;
}

TMDIButtonRects PlaceMDIButtons(const TFrameLayout& Layout, int MenuLines, int MenuHeight, const vcl::TSize& Button)
{
    const int top = Layout.BorderHeight + Layout.CaptionHeight + Layout.Shadow.top + (MenuHeight - Button.cy) / 2 +
                    (MenuLines - 1) * MenuHeight;
    const int end = Layout.Width - Layout.BorderWidth - Layout.Shadow.right;
    const auto place = [&](int Index) { return vcl::Bounds(end - Index * (Button.cx + 1), top, Button.cx, Button.cy); };
    return {place(1), place(2), place(3)};
}

// ---------------------------------------------------------------------------------------------
// Hit testing

namespace {

// The code of the title button under P, HTCLIENT when none answers. A button is told by its own
// rectangle: help beside a minimise button without a maximise one answers help, not minimise.
int TitleButtonHit(const TNCHitLayout& Layout, const vcl::TPoint& P)
{
    const TTitleButtonRects& r = Layout.Rects;
    if (Layout.HaveSysMenu) {
        if (r.Close.Contains(P))
            return Layout.VisibleClose ? HTCLOSE : HTNOWHERE;
        if (Layout.VisibleMax && r.Max.Contains(P))
            return Layout.EnabledMax || (!Layout.Iconic && Layout.EnabledRestore) ? HTMAXBUTTON : HTCAPTION;
        if ((Layout.VisibleMin || Layout.Iconic) && r.Min.Contains(P))
            return Layout.Iconic || Layout.EnabledMin ? HTMINBUTTON : HTCAPTION;
        if (Layout.Help && r.Help.Contains(P))
            return HTHELP;
    }
    for (size_t i = 0; i < r.User.size(); ++i)
        if (r.User[i].Contains(P))
            return i < Layout.UserEnabled.size() && Layout.UserEnabled[i] ? UserButtonHT + int(i) : HTCLIENT;
    return HTCLIENT;
}

// The code of the MDI child's button under P, HTNOWHERE when none.
int MDIButtonHit(const TMDIButtonRects& Buttons, const vcl::TPoint& P)
{
    if (Buttons.Close.Contains(P))
        return MDICloseHT;
    if (Buttons.Restore.Contains(P))
        return MDIRestoreHT;
    return Buttons.Minimize.Contains(P) ? MDIMinimizeHT : HTNOWHERE;
}

// The resize edge under P, HTNOWHERE when none.
int EdgeHit(const TNCHitLayout& Layout, const vcl::TPoint& P)
{
    const int w = Layout.EdgeWidth;
    const bool bottom = P.y >= Layout.Size.cy - w;
    const bool top = !bottom && P.y < w;
    if (P.x < w)
        return bottom ? HTBOTTOMLEFT : top ? HTTOPLEFT : HTLEFT;
    if (P.x >= Layout.Size.cx - w)
        return bottom ? HTBOTTOMRIGHT : top ? HTTOPRIGHT : HTRIGHT;
    return bottom ? HTBOTTOM : top ? HTTOP : HTNOWHERE;
}

// The frame's sizing zone reaches E into the shadow; the top edge is 5 rows high, the others one
// system frame wide and one row more.
struct TSizingZone {
    int Left, Top, Right, Bottom;  // all inclusive
};

TSizingZone SizingZone(const TBorderHitLayout& Layout)
{
    const int e = Layout.ShadowOffs;
    return {Layout.Shadow.left - e, Layout.Shadow.top - e, Layout.Size.cx - Layout.Shadow.right + e,
            Layout.Size.cy - Layout.Shadow.bottom + e};
}

bool InZone(const TSizingZone& Zone, const vcl::TPoint& P)
{
    return P.x >= Zone.Left && P.x <= Zone.Right && P.y >= Zone.Top && P.y <= Zone.Bottom;
}

// The sizing edge of a border window under P, HTNOWHERE when none.
int BorderEdgeHit(const TBorderHitLayout& Layout, const vcl::TPoint& P)
{
    const TSizingZone zone = SizingZone(Layout);
    if (!InZone(zone, P))
        return HTNOWHERE;
    const int b = Layout.BorderWidth;
    const bool top = P.y <= zone.Top + 4;
    const bool bottom = !top && P.y >= zone.Bottom - b;
    if (P.x <= zone.Left + b)
        return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    if (P.x >= zone.Right - b)
        return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    return top ? HTTOP : bottom ? HTBOTTOM : HTNOWHERE;
}

bool InGripCorner(const TNCHitLayout& Layout, const vcl::TPoint& P)
{
    return (Layout.Grip || Layout.ScrollCorner.Contains(P)) && P.y > Layout.GripPoint.y && P.x > Layout.GripPoint.x;
}

}  // namespace

int BorderHitTest(const TBorderHitLayout& Layout, const vcl::TPoint& P)
{
    if (!Layout.OwnerEnabled)
        return HTTRANSPARENT;
    if (Layout.Title.Buttons)
        if (const int code = TitleButtonHit(Layout.Title, P); code != HTCLIENT)
            return code;
    if (Layout.Sizing && !Layout.Zoomed)
        if (const int code = BorderEdgeHit(Layout, P); code != HTNOWHERE)
            return code;
    if (P.y >= 0 && P.y <= Layout.CaptionBottom)
        return Layout.Title.Icon.Contains(P) ? HTSYSMENU : HTCAPTION;
    const vcl::TRect frame(Layout.Shadow.left, Layout.Shadow.top, Layout.Size.cx - Layout.Shadow.right,
                           Layout.Size.cy - Layout.Shadow.bottom);
    if (!frame.Contains(P))
        return HTTRANSPARENT;
    if (P.y <= Layout.MenuBottom)
        return HTMENU;
    return InGripCorner(Layout.Title, P) ? HTBOTTOMRIGHT : HTTRANSPARENT;
}

bool AboveTheShadow(const TBorderHitLayout& Layout, const vcl::TPoint& P)
{
    return !Layout.Zoomed && !InZone(SizingZone(Layout), P);
}

int NCHitTest(const TNCHitLayout& Layout, const vcl::TPoint& P)
{
    if (Layout.Buttons)
        if (const int code = TitleButtonHit(Layout, P); code != HTCLIENT)
            return code;
    if (Layout.Sizing)
        if (const int code = EdgeHit(Layout, P); code != HTNOWHERE)
            return code;
    // The first row below the caption belongs to the menu line when there is one, else to the
    // client area; the menu line reaches one row past its lines.
    const int menuBottom =
        Layout.MenuLines > 0 ? Layout.CaptionBottom + Layout.MenuLines * Layout.MenuHeight : Layout.CaptionBottom - 1;
    if (P.y >= 0 && P.y < Layout.CaptionBottom)
        return Layout.Icon.Contains(P) ? HTSYSMENU : HTCAPTION;
    if (P.y > menuBottom) {
        return InGripCorner(Layout, P) ? HTBOTTOMRIGHT : HTCLIENT;
    }
    if (const int code = MDIButtonHit(Layout.MDIButtons, P); code != HTNOWHERE)
        return code;
    return P.y >= 0 ? HTMENU : HTCLIENT;
}

}  // namespace skin
