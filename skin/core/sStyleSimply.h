#pragma once
// The skinned-forms list and the broadcasts that reach the whole application; the skin's global
// information (TsSkinData) and the indexes of common elements that the skin manager caches after
// every load (TConstantSkinData); the shared flags of a skin change and the program's icons.
#include <memory>
#include <vector>

#include "vcl/classes.h"
#include "vcl/messages.h"
#include "vcl/pictures.h"

namespace skin {

// Indexes of common sections (the Index... fields, into the section table) and images (all
// others, into the image table), -1 when absent. The skin manager fills them once per load so that
// painting does not search the tables.
struct TConstantSkinData {
    vcl::SmallInt IndexGLobalInfo = -1;
    vcl::SmallInt ExBorder = -1;
    vcl::SmallInt IndexTabTop = -1, IndexTabBottom = -1, IndexTabLeft = -1, IndexTabRight = -1;
    vcl::SmallInt MaskTabTop = -1, MaskTabBottom = -1, MaskTabLeft = -1, MaskTabRight = -1;
    vcl::SmallInt IndexScrollTop = -1, IndexScrollBottom = -1, IndexScrollLeft = -1, IndexScrollRight = -1;
    vcl::SmallInt MaskScrollTop = -1, MaskScrollBottom = -1, MaskScrollLeft = -1, MaskScrollRight = -1;
    vcl::SmallInt IndexBGScrollTop = -1, IndexBGScrollBottom = -1, IndexBGScrollLeft = -1, IndexBGScrollRight = -1;
    vcl::SmallInt IndexBGHotScrollTop = -1, IndexBGHotScrollBottom = -1, IndexBGHotScrollLeft = -1,
                  IndexBGHotScrollRight = -1;
    vcl::SmallInt MaskArrowTop = -1, MaskArrowBottom = -1, MaskArrowLeft = -1, MaskArrowRight = -1;
    vcl::SmallInt IndexSliderVert = -1, IndexSliderHorz = -1;
    vcl::SmallInt MaskSliderVert = -1, MaskSliderHorz = -1;
    vcl::SmallInt MaskSliderGlyphVert = -1, MaskSliderGlyphHorz = -1;
    vcl::SmallInt ScrollSliderBGHorz = -1, ScrollSliderBGHotHorz = -1, ScrollSliderBGVert = -1,
                  ScrollSliderBGHotVert = -1;
    vcl::SmallInt IndexScrollBar1H = -1, IndexScrollBar1V = -1, IndexScrollBar2H = -1, IndexScrollBar2V = -1;
    vcl::SmallInt MaskScrollBar1H = -1, MaskScrollBar1V = -1, MaskScrollBar2H = -1, MaskScrollBar2V = -1;
    vcl::SmallInt BGScrollBar1H = -1, BGScrollBar1V = -1, BGScrollBar2H = -1, BGScrollBar2V = -1;
    vcl::SmallInt BGHotScrollBar1H = -1, BGHotScrollBar1V = -1, BGHotScrollBar2H = -1, BGHotScrollBar2V = -1;
    vcl::SmallInt CheckBoxChecked = -1, CheckBoxUnChecked = -1, CheckBoxGrayed = -1;
    vcl::SmallInt RadioButtonChecked = -1, RadioButtonUnChecked = -1, RadioButtonGrayed = -1;
    vcl::SmallInt SmallCheckBoxChecked = -1, SmallCheckBoxUnChecked = -1, SmallCheckBoxGrayed = -1;
    vcl::Integer ComboBtnIndex = -1, ComboBtnBorder = -1, ComboBtnBG = -1, ComboBtnBGHot = -1;
    vcl::Integer ComboGlyph = -1;
    vcl::Integer GripRightBottom = -1, GripHorizontal = -1, GripVertical = -1;
    vcl::Integer IndexWebBtn = -1;
};

// The skin's global information, from the section "GLOBALINFO" of its options file.
class TsSkinData : public vcl::TObject {
    CL_CLASS(TsSkinData, vcl::TObject)
public:
    vcl::String SkinPath;  // the folder of the skin's files, ending in a backslash; empty for an internal skin
    bool Active = false;   // a loaded skin is in force
    double Version = 0;    // the skin's format version
    vcl::String Author;
    vcl::String Description;
    vcl::TColor Shadow1Color = vcl::TColor(0);
    vcl::SmallInt Shadow1Offset = 0;
    vcl::SmallInt Shadow1Blur = 0;  // -1: no text shadow
    vcl::SmallInt Shadow1Transparency = 0;
    // Extended borders: their width, title height, maximised height and offsets, and their mode.
    vcl::SmallInt ExBorderWidth = 0;
    vcl::SmallInt ExTitleHeight = 0;
    vcl::SmallInt ExMaxHeight = 0;
    vcl::SmallInt ExContentOffs = 0;
    vcl::SmallInt ExShadowOffs = 0;
    vcl::SmallInt ExCenterOffs = 0;
    vcl::SmallInt ExDrawMode = 0;
    vcl::TColor FXColor = vcl::TColor(0);  // not filled by the loader
    vcl::TColor BorderColor = vcl::TColor(0);
    // Title-bar buttons: spacing, alignment, margins and glows.
    vcl::SmallInt BISpacing = 0;
    vcl::SmallInt BIVAlign = 0;
    vcl::SmallInt BIRightMargin = 0;
    vcl::SmallInt BILeftMargin = 0;
    vcl::SmallInt BITopMargin = 0;
    vcl::SmallInt BIKeepHUE = 0;
    vcl::SmallInt BICloseGlow = 0;
    vcl::SmallInt BICloseGlowMargin = 0;
    vcl::SmallInt BIMaxGlow = 0;
    vcl::SmallInt BIMaxGlowMargin = 0;
    vcl::SmallInt BIMinGlow = 0;
    vcl::SmallInt BIMinGlowMargin = 0;
    bool UseAeroBluring = false;
    vcl::TColor ExtShadowColor = vcl::TColor(0);
};

// ---------------------------------------------------------------------------------------------
// The skinned-forms list and application-wide broadcasts

class TsSkinManager;

// The forms that have a skin provider, appended by the provider's constructor and removed by its
// destructor. Entries may be empty; every walker skips them. Removal does not keep the order.
extern std::vector<vcl::TComponent*> HookedComponents;
// True while the manager changes or reloads the skin; fades and painters skip work meanwhile.
extern bool aSkinChanging;
// The section of the last section broadcast, upper-cased.
extern vcl::String GlobalSectionName;
// The shell's small and large icons of the program file; none when the shell gives none.
extern std::unique_ptr<vcl::TIcon> AppIcon;
extern std::unique_ptr<vcl::TIcon> AppIconLarge;

// The unit's start-up, once: the program's icons.
void InitStyleSimplyUnit();

// Appends Form to the list; the new number of entries.
int IntSkinForm(vcl::TComponent* Form);
// Removes every entry of Form, the last entry taking the place of each. A form that is not listed
// changes nothing.
void IntUnSkinForm(vcl::TComponent* Form);

// Message to every form of the application and its controls: the forms without a provider of
// their own (last first), then the listed ones (SendToHooked). Receivers may free forms and
// controls meanwhile; a form or control being destroyed is skipped and the walk goes on. Nothing
// once the application object is gone.
void AppBroadCastS(vcl::TMessage& Message);
// Message to every listed form and its controls.
void SendToHooked(vcl::TMessage& Message);

// Freezes the painting of the visible listed forms served by Manager (their provider's fsPaintLocked),
// and marks the skin-change animation running for the default manager. A border window keeps its
// region and shows the picture CopyExForms took. Nothing while the application is minimized.
void LockForms(TsSkinManager* Manager);
// Lets the frozen forms paint again. With Repaint each reappears at once: faded in from its old
// look when the manager animates skin changes (AnimShowControl), then with its region, frame and
// border window made anew (a maximised form with a border window maximised again). Without Repaint
// their providers stay marked as animated until a repaint lets them reappear.
void UnLockForms(TsSkinManager* Manager, bool Repaint = true);
// After a skin change that failed or left no skin: the frozen forms paint again (without repaint),
// and no form of Manager stays marked as animated, frozen or covered, nor keeps its cover picture.
void ReleaseForms(TsSkinManager* Manager);
// Marks the visible listed forms served by Manager as animated before a skin change; a form with a
// border window keeps a picture of its present look (its provider's CoverBmp) to fade from.
void CopyExForms(TsSkinManager* Manager);

// Sets a flag (aSkinChanging and the like) for the length of a scope, and clears it also when the
// scope ends by an exception.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
};

}  // namespace skin
