#pragma once
// The skinned scroll box: background and border from its section ("PANEL_LOW"). A section that
// needs a cache is rendered into one cache that gives the client area inside the border and the
// border in the non-client frame; any other is painted straight into the DC, the border by
// itself, and the box keeps no cache. Its scroll bars stay the system's. The wheel can scroll the
// box itself (AutoMouseWheel) unless the form's active control takes it. While a bar that tracks
// its thumb scrolls the box, a cached box stops drawing until the step is done and then redraws
// once; one without a cache redraws only the strip the step uncovered.
#include "skin/controls/sSkinnedControl.h"
#include "vcl/forms_scrolling.h"

namespace skin {

// Called with the cache after the section is rendered into it.
using TsPaintEvent = vcl::TDelegate<void(vcl::TBitmap* ControlBmp)>;

// The part of a client area Width x Height that a scroll by Delta along one direction uncovers:
// the far end for a negative Delta, the near end otherwise; free of windows.
vcl::TRect UncoveredStrip(bool Horizontal, int Delta, int Width, int Height);

class TsScrollBox : public TsSkinnedControl<vcl::TScrollBox> {
    CL_CLASS(TsScrollBox, TsSkinnedControl<vcl::TScrollBox>)
    CL_PUBLISHED
public:
    explicit TsScrollBox(vcl::TComponent* AOwner);
    void SetParent(vcl::TWinControl* AParent) override;
    // Tells itself scmdBeforeScroll and scmdAfterScroll around the inherited scroll, naming the bar
    // in the high word of LParam (WM_HSCROLL or WM_VSCROLL).
    void ScrollBy(int DeltaX, int DeltaY) override;
    void Dispatch(vcl::TMessage& Message) override;

    bool AutoMouseWheel() const { return FAutoMouseWheel; }
    void SetAutoMouseWheel(bool Value) { FAutoMouseWheel = Value; }
    TsPaintEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TsPaintEvent Value) { FOnPaint = Value; }
    vcl::TNotifyEvent OnBeforeScroll() const { return FOnBeforeScroll; }
    void SetOnBeforeScroll(vcl::TNotifyEvent Value) { FOnBeforeScroll = Value; }
    vcl::TNotifyEvent OnAfterScroll() const { return FOnAfterScroll; }
    void SetOnAfterScroll(vcl::TNotifyEvent Value) { FOnAfterScroll = Value; }
    // How far the client area lies inside the window: BorderWidth, and 2 more with bsSingle.
    int BorderOffset() const;
    // With AutoMouseWheel and no active control of the form that takes the wheel, scrolls the
    // box; also asked by the form's provider for the box under the mouse.
    bool DoMouseWheel(vcl::TShiftState Shift, int WheelDelta, vcl::TPoint MousePos) override;

    // The scrolled bar's position when a scroll starts; once a step of a tracking bar is done, how
    // far it went (the old position less the new).
    int acTrackPos = 0;

protected:
    void PaintWindow(HDC) override {}
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override;
    void QueryBackground(TacBGInfo& BGInfo) override;
    // The window is made again without the skin's frame.
    void SkinRemoved() override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    // The cache, unless the section needs none; with an OnPaint handler always.
    bool CachedPath() const override;
    void PrepareCache() override;
    // The whole window's face over the client DC, the border beyond it left to the clip.
    void PaintDirect(HDC DC) override;

private:
    // The client area, from the cache or straight from the section; DC 0: a DC of the box's own.
    void PaintSkinned(HDC DC);
    void PaintClient(HDC DC);
    void PaintBorder();
    void WMEraseBkgnd(vcl::TMessage& Message);
    void WMPaint(vcl::TMessage& Message);
    void WMPrint(vcl::TMessage& Message);
    // The bar a scroll notice names.
    vcl::TControlScrollBar* ScrolledBar(LPARAM LParam) const;
    void BeforeScroll(LPARAM LParam);
    void AfterScroll(LPARAM LParam);
    // What lies beneath the box in its own coordinates, or its own colour.
    TacBGInfo DirectBackground();

    bool FAutoMouseWheel = false;
    TsPaintEvent FOnPaint;
    vcl::TNotifyEvent FOnBeforeScroll;
    vcl::TNotifyEvent FOnAfterScroll;
};

// Scrolls ScrollBox as little as makes Control wholly visible.
void SkinScrollInView(vcl::TControl* Control, TsScrollBox* ScrollBox);

}  // namespace skin
