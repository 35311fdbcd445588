#pragma once
// The border window of a skinned form with extended borders: a layered window around the form
// that shows the provider's cache (title, borders and a soft shadow on every side), sits right
// behind the form in z-order, takes the mouse over the frame and hands the frame's mouse messages
// to the form, and lets the mouse fall through the shadow to the windows below.
#include <windows.h>

#include <cstdint>

#include "skin/core/sCommonData.h"
#include "skin/forms/acFrameGeometry.h"
#include "skin/forms/sSkinProvider.h"
#include "vcl/forms.h"
#include "vcl/messages.h"

namespace skin {

class TacBorderForm : public TacBorderGeometry {
public:
    // Made by the provider of a form with extended borders; the border window is made at once.
    // The title buttons' animations stop, as they do when it goes.
    explicit TacBorderForm(TsSkinProvider* Owner);
    // Stops the title buttons' animations and frees the border window.
    ~TacBorderForm() override;
    TacBorderForm(const TacBorderForm&) = delete;
    TacBorderForm& operator=(const TacBorderForm&) = delete;

    // The skin's title height and border width of the extended layout.
    int SkinTitleHeight() const override;
    int SkinBorderWidth() const override;
    // The provider's caption height, with or without the skin's title.
    int CaptionHeight(bool CheckSkin) const override;
    // The form's window; 0 while it has none.
    HWND OwnerHandle() const override;
    // The distances from the border window's top-left to the form window's top-left.
    int OffsetX() const;
    int OffsetY() const override;
    // The shadow's thickness on each side.
    vcl::TRect ShadowSize() const;
    // The provider's FormState.
    uint32_t FormState() const;

    // A new border window: hidden, layered, never activated, owned by the form's own owner window,
    // its window procedure BorderProc.
    void CreateNewForm();
    // The border window goes with its own window procedure back.
    void FreeBorderWindow();
    // Hands the border window over (made first when missing) with its own window procedure and
    // owner window back; the border form no longer refers to it. The caller owns it.
    vcl::TForm* ReleaseBorderWindow();
    // The border window's region: the whole window (the frame's rectangle when the form is
    // maximised) less the form's client area; none without a border window. While the form is
    // being sized, NewWidth and NewHeight (0: unknown) give the size it gets. The caller owns it.
    HRGN MakeRgn(int NewWidth, int NewHeight);
    // Closes the hole a mouse message over the shadow cut into the region.
    void UpdateRgn();
    // Places the border window around the form right behind it and gives it the cache at the
    // opacity Blend (the form's own with AlphaBlend); Redraw renders the picture anew. Does nothing
    // when called again from inside itself.
    void UpdateExBordersPos(bool Redraw = true, uint8_t Blend = 255);
    // The hit-test code of the screen point of a WM_NCHITTEST-like message: the provider's
    // OnExtHitTest answer when it gives one, else the frame's code; HTTRANSPARENT in the shadow.
    int Ex_WMNCHitTest(vcl::TMessage& Message);
    // WM_SETCURSOR: the sizing or arrow cursor of the frame under the cursor; false when the
    // cursor is above the shadow or the code has no cursor of its own.
    bool Ex_WMSetCursor(vcl::TMessage& Message);
    // The mouse message's point lies in the shadow beyond the sizing zone (WM_MOUSEMOVE in the
    // border window's coordinates, the others on the screen); no title button is hot then.
    bool MouseAboveTheShadow(const vcl::TMessage& Message);
    // The hit-test layout of the border window as it stands.
    TBorderHitLayout HitLayout() const;
    // The border window's window procedure.
    void BorderProc(vcl::TMessage& Message);

    TsSkinProvider* sp;
    vcl::TPoint LastTopLeft{-1, -1};  // the border window's top-left as last seen in a blend-on-moving drag
    bool acInMouseMsg = false;        // the region is being cut for a mouse message: no layered update
    vcl::TForm* AForm = nullptr;      // the border window; none while it does not exist
    vcl::TWndMethod OldBorderProc;    // the border window's own window procedure
    bool ExBorderShowing = false;     // an update or an animation owns the border window
    vcl::TBitmap* ShadowTemplate = nullptr;  // the shadow template in use, not owned
    HWND ParentHandle = nullptr;      // the border window's owner window before it was given the form's owner
    TsCommonData* SkinData = nullptr;  // the provider's; its cache is the border window's picture
    bool ResetRgn = false;            // a one-pixel hole was cut into the region

private:
    // The layout's sizes without the title buttons: enough to tell the shadow.
    TBorderHitLayout ShadowLayout() const;
    // The client area's hole in border-window coordinates.
    vcl::TRect ClientHole(int NewWidth, int NewHeight) const;
    // The border window's top-left on the screen and its mouse message's point in its coordinates.
    vcl::TPoint WindowOrigin() const;
    vcl::TPoint MessagePoint(const vcl::TMessage& Message) const;
    // The message with the given WParam to the form's window.
    LRESULT Forward(const vcl::TMessage& Message, WPARAM WParam) const;
    // The rows of BorderProc that do more than one thing.
    bool HideWithImage(vcl::TMessage& Message);
    void SnapWhileBlending(vcl::TMessage& Message);
    void KeepStayOnTopOrder();
    void NCLButtonDown(vcl::TMessage& Message);
    void NCLButtonDblClk(vcl::TMessage& Message);
    // A double click on a side of a sizeable form stretches it to the work area's width (height)
    // with the skin's frame on it; the next one gives the saved place and size back.
    void StretchWidth();
    void StretchHeight();
    void CutMouseHole(const vcl::TMessage& Message);
};

// The provider's border window; none in the standard layout.
TacBorderForm* BorderWindowOf(TsSkinProvider* Provider);

}  // namespace skin
