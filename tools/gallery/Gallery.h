#pragma once
// The gallery of skinned controls: one window holding each skinned control in its states (normal,
// hot, pressed, focused, disabled, read-only, checked and grayed, each orientation), for people to
// look at a skin and for the tests that check the controls on the screen. The program in this
// folder shows it in a skin chosen on its command line; the control tests build the same window.
//
// Each family of controls is one row, its states side by side; a family added later is one more
// row, a state one more control at the end of its row.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/controls/sCheckBox.h"
#include "skin/controls/sGauge.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sRadioButton.h"
#include "skin/windows/acSBUtils.h"
#include "vcl/forms.h"

namespace gallery {

struct TGallery {
    vcl::TForm* Form = nullptr;
    // Every control placed, row by row.
    std::vector<vcl::TControl*> Controls;
    // The faces that need a shown window: pressed with the left button, and the one focused (an
    // edit, whose focused look is the system's painting inside the skin's border).
    std::vector<vcl::TWinControl*> Pressed;
    vcl::TWinControl* Focused = nullptr;
    // What the tests look at more closely.
    skin::TsGauge* Bar = nullptr;  // a lying bar gauge at 64 %
    skin::TsGrip* Grip = nullptr;  // showing the corner of a drag bar
    // Native windows the skin wraps, with their scroll wrappers: a plain window with both bars, an
    // EDIT and a LISTBOX, in that order. The windows go with the form.
    std::vector<HWND> Wrapped;
    std::vector<std::unique_ptr<skin::TacScrollWnd>> Wrappers;
};

// The bitmap buttons' glyph: a disc of this colour (0xAARRGGBB) on transparent pixels.
constexpr uint32_t DiscColour = 0xFF2E9E4Au;
// The program's own colours that show over the skin: a value field's band, a value list's grey.
constexpr vcl::TColor BandColour = vcl::TColor(0x00FFFF);
constexpr vcl::TColor FieldGrey = vcl::TColor(0xF2F2F2);

// Places the controls on Form and sizes it to hold them; Form takes the skin's surface colour.
TGallery BuildGallery(vcl::TForm* Form);
// Shows the form, presses the pressed faces, focuses the focused one and paints everything.
void ShowGallery(const TGallery& Gallery);

}  // namespace gallery
