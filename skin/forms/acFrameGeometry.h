#pragma once
// The arithmetic of a skinned form's frame: border and caption sizes from the window's style and
// the system's metrics, the places of the title buttons, the title icon, the caption text and the
// size grip in the form's picture, the lines of a menu bar, and the colour correction of frame
// pixels. Pure functions over records that the skin provider fills from its form, the system and
// the skin; nothing here touches a window.
#include <vector>

#include "skin/graphics/sAlphaGraph.h"
#include "vcl/stdctrls.h"
#include "vcl/system.h"

namespace skin {

// The system's sizes of window frames.
struct TSysFrameMetrics {
    int FrameWidth = 0;          // SM_CXFRAME: the border of a sizeable window
    int DlgFrameWidth = 0;       // SM_CXDLGFRAME: the border of a window with a dialog frame
    int CaptionHeight = 0;       // SM_CYCAPTION
    int SmallCaptionHeight = 0;  // SM_CYSMCAPTION: the caption of tool windows
    int MenuHeight = 0;          // SM_CYMENU: one line of a menu bar
};

// What of a window the sizes of its frame depend on.
struct TFrameStyle {
    bool ThickFrame = false;  // WS_THICKFRAME
    bool Border = false;      // WS_BORDER
    bool Caption = false;     // both bits of WS_CAPTION
    bool HaveBorder = false;  // the form has a frame at all
    bool ToolWindow = false;  // the border style of a tool window, sizeable or not
    bool Iconic = false;
};

// The border's width: SkinBorder when it is not 0 (the skin's own, extended layout only), else
// SM_CXFRAME for a sizeable window, SM_CXDLGFRAME for a window with a border, 0 for none.
int SysBorderWidth(const TFrameStyle& Style, const TSysFrameMetrics& Metrics, int SkinBorder = 0);
// The system's caption height: the small one for a tool window that is not iconic.
int SysCaptHeight(const TFrameStyle& Style, const TSysFrameMetrics& Metrics);
// The caption's height: 0 for a window without border or caption that is not iconic; with
// SysExHeight the larger of the system caption + 4 and SkinTitleHeight; else SkinTitleHeight, or
// the system caption when that is 0.
int CaptionHeight(const TFrameStyle& Style, const TSysFrameMetrics& Metrics, int SkinTitleHeight, bool SysExHeight);
// The size of a title icon in a caption H high: 1 up to 8, 8 up to 16, 16 above.
int IconSizeForHeight(int H);
// The lines of a menu bar whose first item ends on screen row ItemBottom, over a client area that
// starts below screen row ClientTop: one, and one more for every MenuHeight - 2 rows between them.
int MenuLinesCount(int ItemBottom, int ClientTop, int MenuHeight);

// A form's picture (the provider's cache) as its title bar is laid out in it. Coordinates are the
// picture's, whose top-left corner is the shadow's in the extended layout and the window's in the
// standard one.
struct TFrameLayout {
    int Width = 0;            // of the picture (CaptionWidth)
    int Height = 0;
    int BorderWidth = 0;      // the frame's sides as painted (the skin's own in the extended layout)
    int BorderHeight = 0;     // the frame's top as painted (0 in the extended layout)
    int SysBorderWidth = 0;   // the system's frame that the window keeps
    int SysBorderHeight = 0;
    int CaptionHeight = 0;    // as painted
    vcl::TRect Shadow;        // the shadow margins; all 0 in the standard layout
    int ButtonHeight = 21;    // of one caption-button image
    bool BigButtons = false;  // a form of border style bsSingle or bsSizeable
    bool Zoomed = false;
    // The skin's placement of the title icon and buttons: "BILEFT", "BIRIGHT", "BITOP", "BISPACE"
    // (between big buttons only) and "BIVALIGN" (1: buttons at the top).
    int LeftMargin = 0;
    int RightMargin = 0;
    int TopMargin = 0;
    int Spacing = 0;
    int VAlign = 0;
    // The extended layout: the skin's title values, the difference of its title to the window's
    // caption, the border window's offset and whether desktop composition is on.
    bool Extended = false;
    int ExCenterOffs = 0;
    int ExTitleHeight = 0;
    int ExMaxHeight = 0;
    int ExDrawMode = 0;
    int SysCaptHeight = 0;
    bool SysExHeight = false;
    int DiffTitle = 0;
    int BorderFormOffsetY = 0;
    bool Composition = false;

    // The row below the caption, where the menu line starts.
    int MenuTop() const { return SysBorderHeight + CaptionHeight + Shadow.top; }
    // The whole frame, title included, comes from the skin's extended-border image.
    bool ExMode() const { return Extended && ExDrawMode == 1; }
};

// One title button as the layout sees it: whether it takes room in the title bar's width, whether
// it is placed, its width and whether it follows the skin's vertical alignment.
struct TTitleButtonSlot {
    bool Counted = false;
    bool Placed = false;
    int Width = 0;
    bool HaveAlignment = false;
};
// The title buttons from the right: the system buttons, shown only with the form's system menu,
// then the user title buttons in collection order.
struct TTitleButtonRow {
    bool SysButtons = false;
    TTitleButtonSlot Close, Max, Min, Help;
    std::vector<TTitleButtonSlot> User;
};
// Their rectangles; empty for a button that is not placed.
struct TTitleButtonRects {
    vcl::TRect Close, Max, Min, Help;
    std::vector<vcl::TRect> User;
};

// How far the title of a maximised form with extended borders moves up.
int MaxTitleShift(const TFrameLayout& Layout);
// The top of a title button: centred in the caption, or at the top when it follows the skin's
// vertical alignment and that says so.
int TitleButtonTop(const TFrameLayout& Layout, bool HaveAlignment);
// The room the title buttons take from the picture's right border: the right margin, the counted
// system buttons with the spacing after all but close, and with user buttons 8 more and each of
// them with the spacing.
int TitleButtonsWidth(const TFrameLayout& Layout, const TTitleButtonRow& Row);
// The placed buttons from the right edge inward: close, maximise, minimise, help (6 pixels further
// left), then 8 pixels more room and the user buttons; the spacing after each.
TTitleButtonRects PlaceTitleButtons(const TFrameLayout& Layout, const TTitleButtonRow& Row);

// The buttons of a maximised MDI child in its MDI form's menu line: minimise, restore and close
// from the left, one pixel apart, the last one pixel before the frame's right border; each Button
// big, centred in the last of MenuLines lines of MenuHeight.
struct TMDIButtonRects {
    vcl::TRect Close, Restore, Minimize;
};
TMDIButtonRects PlaceMDIButtons(const TFrameLayout& Layout, int MenuLines, int MenuHeight, const vcl::TSize& Button);

// The title icon of Icon's size, centred in the caption after the left border and margin.
vcl::TRect IconRect(const TFrameLayout& Layout, const vcl::TSize& Icon);
// The top-left corner of a size grip of Grip's size in the picture's bottom-right corner.
vcl::TPoint RBGripPoint(const TFrameLayout& Layout, const vcl::TSize& Grip);

// The room of the caption's text: after the border, the icon (IconWidth, 0 when not shown), the
// left margin and 4 pixels (2 more with a "CAPTION" section) to 12 pixels before the title buttons
// (ButtonsWidth); from the top of the caption to the menu line.
vcl::TRect CaptionTextBox(const TFrameLayout& Layout, int IconWidth, bool CaptionSection, int ButtonsWidth);
// The text's place in Box: centred vertically for Main's height and aligned (right-to-left
// already turned into the alignment that shows) for Main and the added title's width together;
// its right edge limits the text.
vcl::TRect AlignCaptionText(const vcl::TRect& Box, const vcl::TSize& Main, int AddedWidth, vcl::TAlignment Alignment);

// The alignment a caption shows: left and right exchanged for a form that reads right to left.
vcl::TAlignment ShownCaptionAlignment(vcl::TAlignment Alignment, bool RightToLeft);
// The colour of the added title in a font of colour Font: the title's own font colour (TitleHot
// while active, else Title) for clNone and clWindowText; any other colour as it is, mixed half
// and half with Title while the form is inactive.
vcl::TColor AddedTitleColor(vcl::TColor Font, vcl::TColor Title, vcl::TColor TitleHot, bool Active);

// The margins by which the extended-border image is cut when it is stretched over a whole picture
// Height high that draws the frame from it: the image's own margins (Image), its top no lower than
// the caption and half the rest, its bottom no more than half the rest, but no thicker than the
// frame (Frame: each side's border with the shadow, the top's shadow with the caption).
vcl::TRect ExFrameMargins(const vcl::TRect& Image, const vcl::TRect& Frame, int Height, int CaptionHeight);

// A pixel (channels in pixel order) of a frame drawn from an old skin without composition: when
// partly transparent and coloured, each colour channel loses a sixteenth and the alpha grows the
// more, the more the channels differ; an opaque or grey pixel stays.
TsColor CorrectFramePixel(TsColor Pixel);

// ---------------------------------------------------------------------------------------------
// Hit testing

// What the hit test of a form's frame reads, filled by the provider from its window, the system
// and the skin. Points and rectangles are the window's (the standard layout's picture).
struct TNCHitLayout {
    vcl::TSize Size;        // the window's
    int EdgeWidth = 0;      // the system's frame: every resize edge is this wide
    int CaptionBottom = 0;  // the first row below the caption (frame + system caption)
    int MenuLines = 0;      // lines of the menu bar; 0 without one
    int MenuHeight = 0;     // of one line
    bool Sizing = false;    // resize edges: a sizing frame, not maximised, no extended borders
    vcl::TRect Icon;        // the title icon; empty when none shows
    // The title buttons, tested only when Buttons is set (a system menu object, standard layout).
    bool Buttons = false;
    bool HaveSysMenu = false;
    bool VisibleClose = true;  // a hidden close button answers HTNOWHERE
    bool VisibleMax = false;
    bool VisibleMin = false;
    bool Help = false;  // biHelp
    bool EnabledMax = false;
    bool EnabledMin = false;
    bool EnabledRestore = false;
    bool Iconic = false;
    TTitleButtonRects Rects;  // as painted; empty for a button not shown
    std::vector<bool> UserEnabled;
    // The size grip: active, and the top-left corner of its image.
    bool Grip = false;
    vcl::TPoint GripPoint;
    // The box between the form's skinned scroll bars, where the grip is active too; empty while
    // they do not both show or the skin has no grip image.
    vcl::TRect ScrollCorner;
    // A maximised MDI child's buttons in the menu line; empty while it shows none.
    TMDIButtonRects MDIButtons;
};

// The hit-test code of window point P: a title button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP,
// 1000 + i for enabled user button i; a disabled system button answers HTCAPTION), a resize edge,
// the caption (HTSYSMENU over the icon), the menu line (HTMENU, only with one; a maximised MDI
// child's button in it answers its own code), the grip's corner strictly right of and below its
// top-left (HTBOTTOMRIGHT) where the grip is active or in the box between the scroll bars, else
// HTCLIENT.
int NCHitTest(const TNCHitLayout& Layout, const vcl::TPoint& P);
// What the hit test of a border window (the layered window around a form with extended borders)
// reads. Points and rectangles are the border window's, which are the picture's.
struct TBorderHitLayout {
    vcl::TSize Size;         // the border window's
    vcl::TRect Shadow;       // the shadow margins on each side
    int ShadowOffs = 0;      // how far the frame's sizing zone reaches into the shadow
    int BorderWidth = 0;     // the system's frame that the form keeps: the width of a side's sizing zone
    bool Sizing = false;     // the form has a sizing frame
    bool Zoomed = false;     // the form is maximised: no sizing zone, no shadow that lets the mouse through
    bool OwnerEnabled = true;
    int CaptionBottom = 0;   // the caption's last row, from the window's top
    int MenuBottom = 0;      // the menu line's last row; CaptionBottom without one
    TNCHitLayout Title;      // the title buttons (when Title.Buttons), the icon and the grip
};

// The hit-test code of border-window point P: a title button, a sizing edge, the caption
// (HTSYSMENU over the icon), HTTRANSPARENT in the shadow, the menu line, the grip's corner, else
// HTTRANSPARENT; HTTRANSPARENT everywhere while the form is disabled.
int BorderHitTest(const TBorderHitLayout& Layout, const vcl::TPoint& P);
// P lies in the shadow beyond the frame's sizing zone, where the mouse falls through to the
// windows below; never while the form is maximised.
bool AboveTheShadow(const TBorderHitLayout& Layout, const vcl::TPoint& P);

// The codes of a maximised MDI child's buttons in its MDI form's menu line.
constexpr int MDICloseHT = 101;
constexpr int MDIRestoreHT = 102;
constexpr int MDIMinimizeHT = 103;

// User title button i answers 1000 + i; codes up to 1100 are taken as user buttons.
constexpr int UserButtonHT = 1000;
constexpr int LastUserButtonHT = 1100;

}  // namespace skin
