#include "skin/controls/acProgressBar.h"

#include <commctrl.h>

#include <cmath>

#include "skin/graphics/BitmapView.h"
#include "skin/graphics/sAlphaGraph.h"
#include "vcl/properties.h"

namespace skin {

using vcl::TMessage;
using vcl::TRect;
using vcl::TSize;

namespace {

// To the nearest integer, halves to even.
int RoundEven(long double Value) { return int(std::nearbyintl(Value)); }

constexpr int MarqueeBlock = 9;   // a marquee block's length
constexpr int MarqueePitch = 10;  // block and gap
constexpr int MarqueeBlocks = 5;

// Block length along the bar and the block places a stepped bar has room for.
struct TSteps {
    int Length;  // L: the frame's inner length less 2
    int Block;   // a
    int Places;  // n
    int Gap;     // s
};

TSteps StepsOf(const TProgressGeometry& G)
{
    const TRect cl = ProgressClRect(G);
    const TSize item = ProgressItemSize(G);
    TSteps s{(G.Vertical ? cl.Height() : cl.Width()) - 2, G.Vertical ? item.cy : item.cx, 0, 0};
    s.Places = s.Block + 2 > 0 ? s.Length / (s.Block + 2) : 0;
    if (s.Places > 1)
        s.Gap = (s.Length - s.Block * s.Places) / (s.Places - 1);
    return s;
}

bool Stepped(const TProgressGeometry& G) { return !G.Marquee && !G.Smooth; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry

TRect ProgressClRect(const TProgressGeometry& G) { return TRect(1, 1, G.Width - 1, G.Height - 1); }

TRect ProgressInnerRect(const TProgressGeometry& G)
{
    TRect r = ProgressClRect(G);
    r.Inflate(-G.BorderWidth, -G.BorderWidth);
    return r;
}

TSize ProgressItemSize(const TProgressGeometry& G)
{
    const TRect inner = ProgressInnerRect(G);
    const int across = G.Vertical ? inner.Width() : inner.Height();
    int along;
    if (G.Marquee)
        along = MarqueeBlock;
    else if (G.Smooth)
        along = G.Vertical ? ProgressRect(G).bottom : ProgressRect(G).right;
    else
        along = RoundEven(across * 0.66L) - 2;
    return G.Vertical ? TSize{across, along} : TSize{along, across};
}

TRect ProgressRect(const TProgressGeometry& G)
{
    TRect r = ProgressInnerRect(G);
    if (G.Marquee) {
        if (G.Vertical) {
            r.bottom = RoundEven(G.Height - static_cast<long double>(G.MarqPos));
            r.top = r.bottom - G.MarqSize;
        } else {
            r.left = RoundEven(r.left + static_cast<long double>(G.MarqPos));
            r.right = r.left + G.MarqSize;
        }
        return r;
    }
    if (G.Max == G.Min)
        return r;
    const int length = (G.Vertical ? G.Height : G.Width) - 2 * r.left;
    const long double share = static_cast<long double>(G.Position - G.Min) / (G.Max - G.Min);
    if (G.Vertical)
        r.top = G.Position == G.Max ? r.top : r.bottom - RoundEven(length * share);
    else
        r.right = G.Position == G.Max ? G.Width - r.left : r.left + RoundEven(length * share);
    return r;
}

int ProgressLitCount(const TProgressGeometry& G)
{
    const TSteps s = StepsOf(G);
    if (s.Places <= 1 || G.Max == 0 || G.Position == 0 || G.Max == G.Min)
        return 0;
    return RoundEven(static_cast<long double>(G.Position - G.Min) * s.Places / (G.Max - G.Min));
}

std::vector<TRect> ProgressBlocks(const TProgressGeometry& G)
{
    std::vector<TRect> blocks;
    const TRect progress = ProgressRect(G);
    const TSize item = ProgressItemSize(G);
    if (G.Min >= G.Max || progress.left >= progress.right || progress.top >= progress.bottom || item.cx < 2 ||
        item.cy < 2)
        return blocks;
    const TRect inner = ProgressInnerRect(G);
    if (G.Marquee) {
        for (int i = 0; i < MarqueeBlocks; ++i) {
            if (G.Vertical) {
                int y = progress.bottom - i * MarqueePitch - MarqueeBlock;
                if (y < 0)
                    y += G.Height;
                blocks.push_back(TRect(inner.left, y, inner.left + item.cx, y + item.cy));
            } else {
                int x = progress.left + i * MarqueePitch;
                if (x > G.Width)
                    x -= G.Width;
                blocks.push_back(TRect(x, inner.top, x + item.cx, inner.top + item.cy));
            }
        }
        return blocks;
    }
    if (G.Smooth) {
        if (G.Vertical)
            blocks.push_back(TRect(progress.left, progress.top, progress.left + item.cx, progress.bottom));
        else
            blocks.push_back(TRect(progress.left, progress.top, progress.right, progress.top + item.cy));
        return blocks;
    }
    const TSteps s = StepsOf(G);
    const int lit = ProgressLitCount(G);
    const int pitch = s.Block + s.Gap;
    for (int g = 0; g < lit; ++g) {
        if (G.Vertical) {
            const int y = inner.bottom - g * pitch - s.Block;
            blocks.push_back(TRect(inner.left, y, inner.left + item.cx, y + s.Block));
        } else {
            const int x = inner.left + g * pitch;
            blocks.push_back(TRect(x, inner.top, x + s.Block, inner.top + item.cy));
        }
    }
    const int room = s.Length - (lit - 1) * pitch - s.Block;
    if (lit > 0 && G.Position == G.Max && room > 3) {
        if (G.Vertical)
            blocks.push_back(TRect(inner.left, inner.top, inner.left + item.cx,
                                   inner.top + ProgressClRect(G).Height() - lit * pitch));
        else
            blocks.push_back(TRect(inner.left + lit * pitch, inner.top, inner.left + lit * pitch + room,
                                   inner.top + item.cy));
    }
    return blocks;
}

// ---------------------------------------------------------------------------------------------
// The control

TsProgressBar::TsProgressBar(vcl::TComponent* AOwner) : TsSkinnedControl(AOwner, ckGauge)
{
    FTimer = vcl::Create<vcl::TTimer>(this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(30);
    FTimer->SetOnTimer(vcl::TNotifyEvent(this, &TsProgressBar::TimerAction));
    vcl::TControlStyle style = ControlStyle();
    SetControlStyle(style << vcl::TControlStyleItem::csOpaque);
}

TsProgressBar::~TsProgressBar() { FTimer->SetEnabled(false); }

void TsProgressBar::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"SkinData", &TsProgressBar::SkinData, &TsProgressBar::SetSkinData);
}

void TsProgressBar::Loaded()
{
    inherited::Loaded();
    StartMarquee();
}

void TsProgressBar::StartMarquee()
{
    if (!ComponentState().Contains(vcl::TComponentStateItem::csDesigning) &&
        Style() == vcl::TProgressBarStyle::pbstMarquee && !FTimer->Enabled())
        FTimer->SetEnabled(true);
}

void TsProgressBar::SetProgressSkin(const vcl::String& Value)
{
    if (Value == FProgressSkin)
        return;
    FProgressSkin = Value;
    SkinData()->Invalidate();
}

TProgressGeometry TsProgressBar::Geometry() const
{
    TProgressGeometry g;
    g.Width = Width();
    g.Height = Height();
    g.BorderWidth = BorderWidth();
    g.Vertical = Orientation() == vcl::TProgressBarOrientation::pbVertical;
    g.Smooth = Smooth();
    g.Marquee = Style() == vcl::TProgressBarStyle::pbstMarquee;
    g.Min = Min();
    g.Max = Max();
    g.Position = Position();
    g.MarqPos = FMarqPos;
    g.MarqSize = FMarqSize;
    return g;
}

vcl::String TsProgressBar::ProgressSection() const
{
    if (!FProgressSkin.empty())
        return FProgressSkin;
    return Orientation() == vcl::TProgressBarOrientation::pbVertical ? L"PROGRESSV" : L"PROGRESSH";
}

// ---------------------------------------------------------------------------------------------
// Painting

// The cache never stops being stale: every paint comes here, and a stepped bar whose lit blocks
// are the ones the cache shows keeps it as it is.
void TsProgressBar::PrepareCache()
{
    TsCommonData& data = *SkinData();
    const TProgressGeometry g = Geometry();
    if (Stepped(g) && data.FCacheBmp && data.FCacheBmp->Width() == g.Width && data.FCacheBmp->Height() == g.Height) {
        const int lit = ProgressLitCount(g);
        if (lit == FOldCount && g.Position != g.Max)
            return;
        FOldCount = lit;
    }
    InitCacheBmp(data);
    vcl::TBitmap* cache = data.FCacheBmp.get();
    PaintItem(data, GetParentCache(data), 0, TRect(0, 0, g.Width, g.Height), vcl::TPoint(Left(), Top()), cache,
              false);
    if (g.Min >= g.Max)
        return;
    TsSkinManager* manager = data.SkinManager();
    const vcl::String section = ProgressSection();
    const int index = manager ? manager->GetSkinIndex(section) : -1;
    // Without the section the blocks would be unpainted bitmaps over the trough.
    if (index < 0)
        return;
    const TCacheInfo beneath = MakeCacheInfo(cache);
    for (const TRect& block : ProgressBlocks(g)) {
        std::unique_ptr<vcl::TBitmap> bmp = CreateBmp32(block.Width(), block.Height());
        PaintItem(index, section, beneath, 0, TRect(0, 0, block.Width(), block.Height()), block.TopLeft(), bmp.get(),
                  manager);
        const TCanvasLock from(bmp->Canvas()), to(cache->Canvas());
        BitBlt(cache->Canvas()->Handle(), block.left, block.top, block.Width(), block.Height(), bmp->Canvas()->Handle(),
               0, 0, SRCCOPY);
    }
}

void TsProgressBar::PaintTo(HDC DC)
{
    if (Width() < 1 || Height() < 1)
        return;
    const HDC dc = DC ? DC : GetWindowDC(Handle());
    {
        const vcl::TSavedDC saved(dc);
        TsCommonData& data = *SkinData();
        data.FUpdating = data.GetUpdating();
        if (!data.FUpdating) {
            data.BGChanged = data.BGChanged || data.HalfVisible ||
                             (Parent() && GetBoolMsg(Parent(), scmdQueryHalfVisible));
            data.HalfVisible = Parent() && !RectInRect(Parent()->ClientRect(), BoundsRect());
            if (data.BGChanged)
                PrepareCache();
            if (data.FCacheBmp) {
                const TRect whole(0, 0, Width(), Height());
                CopyWinControlCache(this, data, whole, whole, dc, true, 0, 0);
                skin::PaintControls(dc, this, vcl::TPoint(0, 0));
            }
        }
    }
    if (!DC)
        ReleaseDC(Handle(), dc);
}

void TsProgressBar::TimerAction(vcl::TObject*)
{
    if (!SkinData()->Skinned()) {
        FTimer->SetEnabled(false);
        return;
    }
    if (!Visible() || !HandleAllocated())
        return;
    PrepareCache();
    if (vcl::TBitmap* cache = SkinData()->FCacheBmp.get()) {
        const HDC dc = GetWindowDC(Handle());
        const TCanvasLock lock(cache->Canvas());
        BitBlt(dc, 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
        ReleaseDC(Handle(), dc);
    }
    FMarqPos += 18.0 / (MarqueeInterval() + 27) * FOrient * FMarqStep;
    const int length = Orientation() == vcl::TProgressBarOrientation::pbVertical ? Height() : Width();
    if (State() == vcl::TProgressBarState::pbsError) {
        if (FMarqPos >= length - FMarqSize - BorderWidth() - FMarqStep || FMarqPos <= BorderWidth())
            FOrient = -FOrient;
    } else if (FMarqPos >= length - FMarqStep) {
        FMarqPos = 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TsProgressBar::EarlySkinCommand(uint16_t Cmd, TMessage& Message)
{
    TsCommonData& data = *SkinData();
    // The cache is the background of whatever lies on the bar, in every state.
    if (Cmd == scmdQueryBackground) {
        QueryBackground(*reinterpret_cast<TacBGInfo*>(Message.LParam));
        Message.Result = 1;
        return true;
    }
    const bool own = Message.LParam == reinterpret_cast<LPARAM>(data.SkinManager());
    if (!own || (Cmd != scmdSkinLoaded && Cmd != scmdSkinRemoved && Cmd != scmdRepaint))
        return inherited::EarlySkinCommand(Cmd, Message);
    const bool marquee = Style() == vcl::TProgressBarStyle::pbstMarquee;
    switch (Cmd) {
    case scmdSkinLoaded:
        CommonWndProc(Message, &data);
        StartMarquee();
        break;
    case scmdSkinRemoved:
        if (marquee)
            FTimer->SetEnabled(false);
        CommonWndProc(Message, &data);
        if (HandleAllocated())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        break;
    default:  // scmdRepaint
        CommonWndProc(Message, &data);
        Repaint();
        break;
    }
    FOldCount = -1;
    return true;
}

void TsProgressBar::QueryBackground(TacBGInfo& BGInfo)
{
    BGInfo.Offset = vcl::TPoint(0, 0);
    BGInfo.Bmp = SkinData()->FCacheBmp.get();
    BGInfo.BgKind = 2;
}

bool TsProgressBar::SkinnedMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        FOldCount = -1;
        return false;
    case WM_PAINT:
        WMPaint(Message);
        return true;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return true;
    case WM_NCPAINT:
        Message.Result = 0;
        return true;
    case WM_PRINT:
        SkinData()->FUpdating = false;
        PaintTo(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case PBM_SETPOS:
        if (Style() != vcl::TProgressBarStyle::pbstMarquee)
            return false;
        SendMessageW(Handle(), WM_SETREDRAW, 0, 0);
        InheritedWndProc(Message);
        SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
        return true;
    default:
        return inherited::SkinnedMessage(Message);
    }
}

void TsProgressBar::WMPaint(TMessage& Message)
{
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    PaintTo(reinterpret_cast<HDC>(Message.WParam));
    EndPaint(Handle(), &ps);
    Message.Result = 0;
}

}  // namespace skin
