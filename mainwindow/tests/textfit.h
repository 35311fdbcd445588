#pragma once
// Whether the texts on show fit: each label's and button's text within its control and within
// the client areas of the panels around it, no control that should show a text left blank, and
// in a screenshot every label's text painted. Texts are measured at run time in the controls' own
// fonts, so nothing here knows Wine's font sizes.
#include "pump.h"

#include "vcl/controls.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace textfit {

// The size a label's text takes in its font, wrapped within its width where it wraps; an empty
// text measures as one blank, as the label measures it.
SIZE LabelTextSize(vcl::TCustomLabel* label);

// Where a control's text lies in the control's own coordinates: for a label the box of the pixels
// its text paints, by its alignment, layout and wrapping; for a push button the cell of its
// caption, centred on one line. Nothing for a control that shows no text of its own, or whose text
// paints nothing.
std::optional<RECT> TextRect(vcl::TControl* control);

// The control and its parents up to the form are all visible.
bool OnShow(const vcl::TControl* control);

// Every control on show under root, root included, parents before their children.
std::vector<vcl::TControl*> ControlsOnShow(vcl::TWinControl* root);

// The texts on show under root that their own control or a parent's edge cuts, one line each
// naming the control; the status bar's panel texts as well.
std::vector<std::string> CutTexts(vcl::TWinControl* root);

// The labels, push buttons, edits and combo boxes on show under root whose text is empty, but for
// the named ones, and root itself when its title is empty.
std::vector<std::string> BlankTexts(vcl::TWinControl* root, const std::set<std::wstring>& allowed);

// The labels on show whose text's box, as far as their parents let it be seen, holds pixels of
// one colour only in the grab of the form: their text was not painted.
std::vector<std::string> UnpaintedTexts(const testsupport::TGrab& grab, vcl::TForm* form);

}  // namespace textfit
