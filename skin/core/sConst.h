#pragma once
// Constants, small enumerations and shared globals of the skin engine, and its own interface
// texts, which come from the program's string table.
#include <cstdint>

#include "skin/graphics/Acntutils.h"
#include "vcl/system.h"

namespace skin {

// What a skin image is for; read from the options file, so the values are fixed.
enum class TacImgType : uint8_t {
    itisaBorder = 0,
    itisaTexture = 1,
    itisaGlyph = 2,
    itisaGlow = 3,
    itisaPngGlyph = 4,
};

// The key colour: transparent pixels of skin images, and no colour in colour fields.
inline constexpr vcl::TColor acKeyColor = vcl::clFuchsia;

// The background record of nothing beneath: painters take it when no parent answers.
inline constexpr TCacheInfo acEmptyCI{nullptr, -99, -99, vcl::clFuchsia, false};

// Which way a fade runs; fdNone: it does not run.
enum class TFadeDirection { fdNone, fdUp, fdDown };

// The state changes of a fading control. aeGlobalDef stands for the manager's choice of button events.
enum class TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = vcl::TSet<TacAnimatEvent>;

// The width of a horizontal scroll-bar arrow: 16 until start-up, then the system's.
extern int acScrollWidth;
// While set no fade starts and no fade step is painted.
extern bool acFadingForbidden;
// The number of living fade and animation timers.
extern int acFadeTimersCount;
// While set no state change of a button fades.
extern bool acFadingSuspended;
// Set while a button's press hides the application's hints; acSavedShowHint keeps what they were.
extern bool acHintsSuppressed;
extern bool acSavedShowHint;
// Set while a button is redrawn in its full pressed look.
extern bool acPressedPaint;
// The control whose drop-down menu is open; none while no menu is.
extern vcl::TObject* acDroppedDownControl;

// The ids of the engine's interface texts in the program's string table.
enum TacTextId : int {
    acsOK = 58992,
    acsCancel = 58991,
    acsHelp = 58990,
    acsRestore = 58981,
    acsMove = 58980,
    acsSize = 58979,
    acsMinimize = 58978,
    acsMaximize = 58977,
    acsClose = 58976,
    acsCalculator = 58975,
    acsFileOpen = 58970,
    acsAvailSkins = 58964,
    acsInternal = 58963,
    acsErrSetCount = 58962,
    acsListBoxMustBeVirtual = 58961,
    acsColorDlgAdd = 58960,
    acsColorDlgDefine = 58959,
    acsColorDlgMainPal = 58958,
    acsColorDlgAddPal = 58957,
    acsColorDlgColor = 58956,
    acsColorDlgRed = 58955,
    acsColorDlgGreen = 58954,
    acsColorDlgBlue = 58953,
    acsColorDlgDecimal = 58952,
    acsColorDlgHex = 58951,
    acsFrameAdapterError = 58950,
    acsHintDsgnTitle = 58949,
    acsHintDsgnPreserved = 58948,
    acsHintDsgnStyle = 58947,
    acsHintDsgnBevelWidth = 58946,
    acsHintDsgnBlur = 58945,
    acsHintDsgnArrowLength = 58944,
    acsHintDsgnHorzMargin = 58943,
    acsHintDsgnVertMargin = 58942,
    acsHintDsgnRadius = 58941,
    acsHintDsgnMaxWidth = 58940,
    acsHintDsgnPauseHide = 58939,
    acsHintDsgnPercent = 58938,
    acsHintDsgnOffset = 58937,
    acsHintDsgnTransparency = 58936,
    acsHintDsgnNoPicture = 58935,
    acsHintDsgnFont = 58934,
    acsHintDsgnTexture = 58933,
    acsHintDsgnLoad = 58932,
    acsHintDsgnSave = 58931,
    acsHintDsgnColor = 58930,
    acsHintDsgnTopBorder = 58929,
    acsHintDsgnBottomBorder = 58928,
    acsHintDsgnShadow = 58927,
    acsHintDsgnBackground = 58926,
    acsHintDsgnGradient = 58925,
    acsHintDsgnPreview = 58924,
    acsInvalidDate = 58923,
    acsSelectDir = 58911,
    acsCreateDir = 58910,
    acsRootDir = 65110,
    acsSkinsDir = 65111,
    acsSelectSkin = 65112,
    acsSkinPreview = 65113,
};

// The text of an id, as the program's string table held it at start-up; empty for an id the
// table lacks, but acsInvalidDate, which then reads "Invalid date".
const vcl::String& LibraryText(TacTextId Id);

// Where the bound caption of an edit-like control sits around it.
enum class TsCaptionLayout {
    sclLeft,
    sclTopLeft,
    sclTopCenter,
    sclTopRight,
    sclLeftTop,
    sclBottomLeft,
    sclBottomCenter,
    sclBottomRight,
};

// How a window opened for a link shows: the system's show commands SW_HIDE to SW_SHOWDEFAULT, in
// their order, passed on as they are.
enum class TsWindowShowMode {
    soHide,
    soNormal,
    soShowMinimized,
    soMaximize,
    soShowNoActivate,
    soShow,
    soMinimize,
    soShowMinNoActive,
    soShowNA,
    soRestore,
    soDefault,
};

// Flags of how a nine-part image fills a rectangle (TsMaskData::DrawMode).
constexpr int dmStretch = 1;        // the sides and the centre are stretched, else tiled
constexpr int dmNotInNormal = 2;    // nothing is drawn in state 0, only in the hot and later states
constexpr int dmCentre = 4;         // the centre is drawn, else left as it is

}  // namespace skin
