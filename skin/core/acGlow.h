#pragma once
// Glows: the soft halo around a hot control or a title button, drawn from a skin image and shown
// in a borderless layered window laid beside the control's form, which lets the mouse through.
// Every glow shown is kept in one registry; its index there is its id.
//
// Everything runs on the GUI thread.
#include <windows.h>

#include <memory>

#include "vcl/bitmaps.h"
#include "vcl/forms.h"
#include "vcl/system.h"

namespace skin {

class TsSkinManager;

// ---------------------------------------------------------------------------------------------
// The registry

// Shows the glow of a control: the image Name + "0" of section SkinSection (the controls pass
// "GLOW") laid around R, the control's rectangle on the screen, and cut to RealRect, its visible
// part in its own coordinates; Margin is how far the image reaches under the control. The window
// goes beside WndHandle, the window the glow belongs to. Alpha is not used: the image's own alpha
// counts. SkinManager none means DefaultManager. The glow's id; -1 (and nothing shown) without
// layered windows, a manager or the image.
int ShowGlow(const vcl::TRect& R, const vcl::TRect& RealRect, const vcl::String& SkinSection, const vcl::String& Name,
             int Margin, int Alpha, HWND WndHandle, TsSkinManager* SkinManager = nullptr);
// Hides and frees the glow; nothing for an id that names none (-1, out of range, already hidden).
void HideGlow(int ID);
// Frees every glow and empties the registry. With DestroyWindows their windows go at once; else a
// window goes at once only while its manager is being destroyed or the application ends, and is
// otherwise released to go from the message loop.
void ClearGlows(bool DestroyWindows);

// Set while a glow window is being freed: the clean-up of the wrapped windows skips it then.
extern bool bGlowingDestroying;

// ---------------------------------------------------------------------------------------------
// Where a glow goes

// The glow window's place and the part of the glow image it shows.
struct TGlowPlacement {
    vcl::TRect Cut;   // the pixels cut off the image at the left, top, right and bottom
    vcl::TSize Size;  // the window's size: the image's less the cuts
    vcl::TPoint Pos;  // the window's top-left corner on the screen
};
// The image covers R grown by the image's border widths Borders (left, top, right, bottom) less
// Margin on every side. A partly hidden control (RealRect's size differs from R's) has its glow
// cut at the hidden sides so that the window starts where the control shows. A cut never goes
// below 0, so the window never reaches past the image.
TGlowPlacement PlaceGlow(const vcl::TRect& R, const vcl::TRect& RealRect, const vcl::TRect& Borders, int Margin);

// Where a window laid over Owner goes in the z-order: at the top for a topmost Owner, else just
// above Owner; none (keep the order) when Over is there already.
HWND InsertAfter(HWND Owner, HWND Over);

// ---------------------------------------------------------------------------------------------
// One glow

// The glow's window: tagged -98 so that the skinning leaves it alone, without a border, never
// capturing the mouse; it answers WM_NCHITTEST with HTTRANSPARENT, so clicks reach what lies beneath.
class TacGlowForm : public vcl::TForm {
    CL_CLASS(TacGlowForm, vcl::TForm)
public:
    explicit TacGlowForm(vcl::TComponent* AOwner);

protected:
    void WndProc(vcl::TMessage& Message) override;
};

class TacGlowEffect : public vcl::TObject {
    CL_CLASS(TacGlowEffect, vcl::TObject)
public:
    // The glow of image MaskIndex of the manager's table.
    TacGlowEffect(TsSkinManager* SkinManager, int MaskIndex, int Margin);
    // A window still there is freed at once while the manager is being destroyed or the
    // application ends, else released.
    ~TacGlowEffect() override;

    // Builds the window and shows the glow (PlaceGlow); nothing when the window exists already. The
    // window goes at the top for a topmost WndHandle, else just above WndHandle.
    void Show(const vcl::TRect& R, const vcl::TRect& RealRect, int Alpha, HWND WndHandle);
    // Frees the window at once (bGlowingDestroying set meanwhile); nothing without one.
    void FreeWindow();
    TacGlowForm* Wnd() const { return FWnd.get(); }

protected:
    // AlphaBmp becomes a Width x Height 32-bit bitmap, fully transparent, with the glow image laid
    // over all of it in nine parts.
    virtual void CreateAlphaBmp(int Width, int Height);

    TsSkinManager* FSkinManager;
    int FMaskIndex;
    int FMargin;
    vcl::TObjectPtr<TacGlowForm> FWnd;
    std::unique_ptr<vcl::TBitmap> FAlphaBmp;  // alive only while Show runs
};

}  // namespace skin
