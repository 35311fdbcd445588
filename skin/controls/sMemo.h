#pragma once
// The skinned memo: the system's memo paints its text, border and scroll bars; the skin gives it
// its colours and holds its painting back while its parent is changing.
#include "skin/controls/sEditControl.h"
#include "vcl/stdctrls_memo.h"

namespace skin {

class TsMemo : public TsEditControl<vcl::TMemo> {
    CL_CLASS(TsMemo, TsEditControl<vcl::TMemo>)
    CL_PUBLISHED
public:
    explicit TsMemo(vcl::TComponent* AOwner);

    void WndProc(vcl::TMessage& Message) override;

    // The caret was scrolled into view (EM_SCROLLCARET).
    vcl::TNotifyEvent OnScrollCaret() const { return FOnScrollCaret; }
    void SetOnScrollCaret(vcl::TNotifyEvent Value) { FOnScrollCaret = Value; }
    // The memo scrolled vertically (WM_VSCROLL).
    vcl::TNotifyEvent OnVScroll() const { return FOnVScroll; }
    void SetOnVScroll(vcl::TNotifyEvent Value) { FOnVScroll = Value; }

protected:
    // The window is made anew, so that nothing of the skin stays with it.
    void SkinRemoved() override { RecreateWnd(); }
    bool SkinnedMessage(vcl::TMessage& Message) override;
    void AfterInherited(vcl::TMessage& Message) override;

private:
    vcl::TNotifyEvent FOnVScroll;
    vcl::TNotifyEvent FOnScrollCaret;
};

}  // namespace skin
