#pragma once
// The skinned scroll box: background and border from its section ("PANEL_LOW"), its children
// painted over its cache, the border drawn from the same cache in the non-client frame. Its
// scroll bars stay the system's. The wheel can scroll the box itself (AutoMouseWheel) unless the
// form's active control takes it.
#include "skin/controls/sSkinnedControl.h"
#include "vcl/forms_scrolling.h"

namespace skin {

// Called with the cache after the section is rendered into it.
using TsPaintEvent = vcl::TDelegate<void(vcl::TBitmap* ControlBmp)>;

class TsScrollBox : public TsSkinnedControl<vcl::TScrollBox> {
    CL_CLASS(TsScrollBox, TsSkinnedControl<vcl::TScrollBox>)
    CL_PUBLISHED
public:
    explicit TsScrollBox(vcl::TComponent* AOwner);
    void SetParent(vcl::TWinControl* AParent) override;
    // Tells itself scmdBeforeScroll and scmdAfterScroll around the inherited scroll.
    void ScrollBy(int DeltaX, int DeltaY) override;

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

protected:
    bool DoMouseWheel(vcl::TShiftState Shift, int WheelDelta, vcl::TPoint MousePos) override;
    void PaintWindow(HDC) override {}
    void QueryBackground(TacBGInfo& BGInfo) override;
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;
    void PrepareCache() override;

private:
    void PaintClient(HDC DC);
    void PaintBorder();

    bool FAutoMouseWheel = false;
    TsPaintEvent FOnPaint;
    vcl::TNotifyEvent FOnBeforeScroll;
    vcl::TNotifyEvent FOnAfterScroll;
};

}  // namespace skin
