#pragma once
// The arithmetic of a skinned system dialog's frame: its border style from the window's style, the
// family of title-button images it shows, and the hit test of its title row. Pure functions over
// records the dialog wrapper fills from its window, the system and the skin.
#include <cstdint>

#include "vcl/system.h"

namespace skin {

enum class TacBorderStyle { acbsDialog, acbsSingle, acbsNone, acbsSizeable, acbsToolWindow, acbsSizeToolWin };

// The border style a dialog of window style Style is painted with: a popup without the full
// caption has none, a sizing frame is sizeable, a modal frame is a dialog's, anything else sizeable.
TacBorderStyle DialogBorderStyle(uint32_t Style);

// The images of the four title buttons in "GLOBALINFO", and the title section.
struct TDialogImageNames {
    const wchar_t* Close;
    const wchar_t* Min;
    const wchar_t* Max;
    const wchar_t* Help;
    const wchar_t* HelpFallback;  // when the skin lacks Help; none when there is no other
    bool HaveAlignment;           // the buttons follow the skin's vertical alignment
    const wchar_t* Title;         // tried first; "FORMTITLE" when the skin lacks it
};
// What the skin offers that the choice depends on.
struct TDialogSkinOffer {
    bool CloseAlone = false;  // "BICLOSEALONE"
    bool SmallClose = false;  // "SICONCLOSE"
};
// Single and sizeable dialogs take the big set (the close button alone without minimise and
// maximise when the skin has one); the others the small set and the dialog title, or the big set
// when the skin has no small close button.
TDialogImageNames DialogImageNames(TacBorderStyle Style, bool VisibleMin, bool VisibleMax, const TDialogSkinOffer& Offer);

// A title button as the hit test sees it: shown, and its columns in window coordinates (both ends
// inclusive).
struct TDialogButtonSpan {
    bool Visible = false;
    int Left = 0;
    int Right = 0;
};
// What the hit test of a dialog's title row reads; points are the window's.
struct TDialogHitLayout {
    vcl::TSize Size;           // the window's
    int CaptionHeight = 0;     // 0 without a caption
    int BorderHeight = 0;      // of the frame's top
    int BorderWidth = 0;       // of the frame's sides
    int ButtonHeight = 21;     // of the close button's image
    int SmallIconWidth = 16;   // SM_CXSMICON
    bool Iconic = false;
    bool Zoomed = false;
    bool EnabledMax = false;
    bool EnabledMin = false;
    bool EnabledRestore = false;
    TDialogButtonSpan Close, Max, Min, Help;  // as painted; Min also for an iconic dialog
};
// The answer of the title row and the button it lights (0 for none).
struct TDialogHit {
    int Code = 0;         // a hit-test code; 0: not the title row's
    int Hot = 0;          // the hover code; only when HotChanges
    bool HotChanges = false;
};
// The system-menu icon answers HTSYSMENU; a title button its code (HTCLOSE, HTMAXBUTTON,
// HTMINBUTTON, HTHELP), or HTCAPTION while it is disabled; elsewhere on the row HTCAPTION without
// touching the hover. Off the row a maximised dialog answers HTTRANSPARENT over its outer two
// pixels (hover cleared), anything else 0.
TDialogHit DialogHitTest(const TDialogHitLayout& Layout, const vcl::TPoint& P);

}  // namespace skin
