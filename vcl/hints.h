#pragma once
// Hints: the small window that shows a control's hint near the mouse, and the parts of a hint
// text ("short|long": the short part in the hint window, the long one as the application's Hint).
#include "vcl/controls.h"
#include "vcl/system.h"

#include <windows.h>

namespace vcl {

// The part before the first '|', or all of Hint.
String GetShortHint(const String& Hint);
// The part after the first '|', or all of Hint.
String GetLongHint(const String& Hint);

// What the application is about to show; a control may change it on CM_HINTSHOW (LParam points
// here, a non-zero Result cancels the hint) and so may the application's OnShowHint.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint HintPos;              // screen point of the hint window's top-left corner
    int HintMaxWidth = 0;        // the text wraps beyond this width
    TColor HintColor = clInfoBk;
    TRect CursorRect;            // control client coordinates the hint belongs to
    TPoint CursorPos;            // the mouse in control client coordinates
    String HintStr;
    int HideTimeout = 0;         // ms until the hint hides itself; 0 keeps it
};

// A top-level window that is never activated: the info colours, a thin border, the text wrapped.
class THintWindow : public TCustomControl {
    CL_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* AOwner);

    // The window's rectangle at (0, 0) for AHint wrapped at MaxWidth, border and margins included.
    virtual TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData);
    // Shows AHint in Rect (screen coordinates, moved onto the work area), topmost, not activated.
    virtual void ActivateHint(TRect Rect, const String& AHint);
    // Hides the window by destroying it; the next ActivateHint makes it again.
    void ReleaseHandle();
    // Whether the window is on the screen now.
    bool HintShowing() const;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

}  // namespace vcl
