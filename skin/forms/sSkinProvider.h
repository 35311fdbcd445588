#pragma once
// The per-form skin provider: the component that takes over a form's window procedure, answers
// the skin command message on the form's behalf and follows the loading and removal of skins. It
// renders the whole window (frame, caption with icon, text and buttons, menu line, grip and client
// background) into one 32-bit cache, from which child controls take their background, and draws
// the window's frame and background from it in place of the system's. It answers the mouse in the
// caption and borders (hit test, hot and pressed title buttons with their hover animation, the
// skinned system menu), cuts the window's region to the skin's corners, keeps an MDI form's menu
// line in step with its children, and runs the form's extended-border window and its minimise,
// restore, show, hide and blend-on-moving animations.
//
// Lifecycle: a provider read from a form takes the form over at construction and prepares it
// (system menu, indexes, colours) once the form has a window and a skin is in force; a provider the
// dialog hook makes at run time (RTInit) waits for the form's first frame; a second provider of a
// form stays inert (RTEmpty) and never touches the form. Destruction gives the form back its
// procedure.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerPreview.h"
#include "skin/forms/acFrameGeometry.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/sSkinProviderAdapter.h"
#include "skin/forms/sSkinProviderTitle.h"
#include "vcl/classes.h"
#include "vcl/forms.h"
#include "vcl/hints.h"
#include "vcl/messages.h"

namespace skin {

class TsSkinManager;
class TacThreadedTimer;
struct TsMaskData;
struct TacBGInfo;

enum class TsGripMode { gmNone, gmRightBottom };
enum class TsResizeMode { rmStandard, rmBorder };
enum class TacAnimEvent { aeShowing, aeHiding, aeSkinChanging };
using TacAfterAnimation = vcl::TDelegate<void(TacAnimEvent AnimType)>;
using TacNCHitTest = vcl::TDelegate<void(vcl::TMessage& Msg)>;
using TAddItemEvent = vcl::TDelegate<void(vcl::TComponent* Item, bool& CanBeAdded, vcl::String& SkinSection)>;

// What the frame geometry reads of a form's extended-border window, the layered window around the
// form that carries the skin's title and borders in the extended layout.
class TacBorderGeometry {
public:
    virtual ~TacBorderGeometry() = default;
    // The skin's title height and border width (0 without a manager).
    virtual int SkinTitleHeight() const = 0;
    virtual int SkinBorderWidth() const = 0;
    // The caption's height with or without the skin's title.
    virtual int CaptionHeight(bool CheckSkin) const = 0;
    // The form's window.
    virtual HWND OwnerHandle() const = 0;
    // The border window's offset of the title buttons aligned to the top.
    virtual int OffsetY() const = 0;
};

// The skinned scroll bars of a scrolling form, made by the standard-window skinning. They lie in
// the form's frame, below and beside the client area.
class TacFormScrolls {
public:
    virtual ~TacFormScrolls() = default;
    // The scrolled window is gone: the scroll bars may be freed.
    virtual bool Destroyed() const = 0;
    // The thickness of the horizontal and of the vertical bar while it takes room; 0 while not.
    virtual int HorzBarHeight() const = 0;
    virtual int VertBarWidth() const = 0;
    // The box between the two bars, in the form window's coordinates; empty unless both show.
    virtual vcl::TRect CornerBox() const = 0;
    // Reads the form's scroll information again; with Repaint the bars are painted anew.
    virtual void UpdateScrolls(bool Repaint) = 0;
};

class TsSkinProvider : public vcl::TComponent {
    CL_CLASS(TsSkinProvider, vcl::TComponent)
    CL_PUBLISHED
public:
    // Takes the form over at run time; a provider the dialog hook made for the form before is
    // freed, while a form that has its provider already keeps it and this one stays inert. An
    // owner that is not a form raises EAbort.
    explicit TsSkinProvider(vcl::TComponent* AOwner);
    // The dialog hook's provider for a form without one: prepared on the form's first frame.
    TsSkinProvider(vcl::TComponent* AOwner, bool InitRT);
    // Prepares the form when a skin is in force (not for an inert or run-time provider).
    void AfterConstruction() override;
    // Loads the skin's parts once the provider is read (LoadInit).
    void Loaded() override;
    // A new manager is taken while none serves the provider; the one that serves it is forgotten.
    void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
    // Gives the form its window procedure back and leaves the skinned forms, then frees its parts.
    void BeforeDestruction() override;

    // ---------------------------------------------------------------------------------------------
    // Loading

    // The skin's parts after loading: the window manager's frame off, the form prepared, the
    // system menu's items, the title buttons' image.
    void LoadInit();
    // Makes the system menu, records the system menu, looks the indexes and caption-button images
    // up and takes the skin's global colour; nothing without a manager in force, a form with a
    // window, or for an inert or run-time provider.
    void PrepareForm();
    // The designer's entry for skin commands; this program has no designer, so it does nothing.
    void DsgnWndProc(vcl::TMessage& /*Message*/) {}
    // At run time and while skinned, makes the adapter and lets it take the form's controls.
    virtual void AdapterCreate();
    // Tells the adapter the skin is gone and frees it.
    void AdapterRemove();
    // Hands a copy of the message to the adapter, when there is one.
    void SendToAdapter(const vcl::TMessage& Message);
    // The form's window procedure while the provider is in place.
    void NewWndProc(vcl::TMessage& Message);
    // The cache's size is not the form's.
    bool FormChanged();
    // Active: an MDI main form's provider becomes MDISkinProvider and gets its MDI form object,
    // connected to the client window (kept while the client window is a skinned one). Not Active:
    // the object is freed.
    void HookMDI(bool Active);

    // ---------------------------------------------------------------------------------------------
    // Metrics

    // The caption's height: 0 without border and caption (unless iconic); the skin's title with
    // CheckSkin in the extended layout, else the system's (small for tool windows).
    int CaptionHeight(bool CheckSkin = true);
    // The frame's width and height plus the form's BorderWidth.
    int BorderWidth(bool CheckSkin = true);
    int BorderHeight(bool CheckSkin = true);
    // The height of one close-button image, 21 without one.
    int ButtonHeight();
    // The width of one image of the button, 21 without one.
    int SysButtonWidth(const TsCaptionButton& Btn);
    // The system buttons shown: close, maximise and minimise as the system menu shows them, help.
    int SysButtonsCount();
    // The "TITLEBAR" bar behind the buttons: two images wider than the buttons.
    int BarWidth(int MaskIndex);
    // The room of the title buttons, user buttons visible or not.
    int TitleBtnsWidth();
    // The larger of the "TITLEBUTTON" image (21 without it) and the button's glyph + 2.
    int UserButtonWidth(TsTitleButton* Btn);
    // One line of the menu bar (SM_CYMENU - 1) when the form shows one, else 0.
    int MenuHeight();
    // The form has a main menu with a visible item.
    bool MenuPresent();
    // The lines of the menu bar, counted once while the count is kept.
    int GetLinesCount();
    // The height of the window's non-client area above the client area.
    int HeaderHeight();
    // The client area's place in the cache.
    int OffsetX();
    int OffsetY();
    // The room the form's skinned scroll bars take in its frame: the horizontal bar's height, the
    // vertical bar's width; 0 for a bar that does not show.
    int HorzScrollHeight() const;
    int VertScrollWidth() const;
    // Either skinned scroll bar shows.
    bool ScrollBarsShown() const { return HorzScrollHeight() > 0 || VertScrollWidth() > 0; }
    // The cache's width.
    int CaptionWidth();
    // The shadow margins of the extended layout; all 0 in the standard one.
    vcl::TRect ShadowSize();
    // The caption shows the icon: a single or sizeable form with ShowAppIcon and a system menu.
    bool IconVisible();
    int IconWidth();
    int IconHeight();
    vcl::TRect IconRect();
    // The top-left corner of the grip image MaskIndex in the cache.
    vcl::TPoint RBGripPoint(int MaskIndex);
    // The window's top-left corner on the screen, and a screen point made relative to it.
    vcl::TPoint FormLeftTop();
    vcl::TPoint CursorToPoint(int X, int Y);
    // The form's background: the section's colour (its hot colour while active), or the form's own.
    vcl::TColor FormColor();
    // The title's section: TitleSkin, else "FORMTITLE"; its index, looked up once.
    vcl::String TitleSkinSection();
    int TitleSkinIndex();
    int MaxTitleShift();
    // Chooses the caption buttons' images and hit codes from the skin's "GLOBALINFO".
    void UpdateIconsIndexes();
    // The layout of the frame as the form, the system and the skin give it now.
    TFrameLayout FrameLayout();
    // The title buttons as the layout sees them.
    TTitleButtonRow TitleButtonRow();
    // Draws the caption again at once.
    void UpdateSkinCaption();
    // The form may get extended borders: the manager wants them and AllowExtBorders.
    bool ExtBordersNeeded();
    // The size of one of a maximised MDI child's buttons: of the close button's image, 16 x 16
    // without one.
    int SmallButtonWidth();
    int SmallButtonHeight();
    // An MDI form with a main menu whose active child is maximised with a system menu, while a
    // child's provider is known: the child's buttons sit at the right end of the menu line.
    bool MDIButtonsNeeded();

    // ---------------------------------------------------------------------------------------------
    // Painting the cache

    // Renders the whole window into the cache when its background is marked changed.
    void PaintAll();
    // Lays out and paints the caption buttons into the cache, storing their rectangles.
    void PaintBorderIcons();
    // Saves the cache's strip behind the title buttons, and puts it back.
    void SaveBGForBtns(bool Full);
    void RestoreBtnsBG();

    // ---------------------------------------------------------------------------------------------
    // The menu line

    // Paints one bar item of the form's menu into the cache in State at R and copies R onto the
    // window; nothing without a menu line or for an item of another menu.
    void RepaintMenuItem(vcl::TMenuItem* Item, const vcl::TRect& R, vcl::TOwnerDrawState State);
    // The menu line is measured and painted again: the frame is repainted.
    void RepaintMenu();
    // Makes the class library build the system's menu bar again; false without a first item and
    // for a call nested in another.
    bool UpdateMenu();
    // Hooks the bar items once: the menu line's painter, then the bar rebuilt.
    void TryInitMenu();
    // Active: every menu of the form (and of its frames) is painted in the skin; not Active: the
    // menus get their own look back. Only for the default manager.
    void InitMenuItems(bool Active);
    // WM_INITMENUPOPUP: the system menu's sizing greyed, and an MDI form's window menu listing its
    // visible children.
    void AC_WMInitMenuPopup(vcl::TMessage& Message);
    // The OnPaint of the small window over the MDI buttons during a menu loop: the menu line's
    // right end from the cache.
    void MdiIcoFormPaint(vcl::TObject* Sender);
    // The window list's item: the MDI child of its index comes to the front.
    void OnChildMnuClick(vcl::TObject* Sender);

    // ---------------------------------------------------------------------------------------------
    // Output to the window

    // Copies the frame's parts of the cache into the window DC, rendering first when needed.
    void PaintCaption(HDC DC);
    // Paints the client background into a client DC.
    void PaintForm(HDC DC, bool SendToChildren = true);
    // The frame on WM_NCPAINT, with the region brought up to date first.
    void AC_WMNCPaint();
    // The client background, the grip and the graphic controls on WM_ERASEBKGND.
    void AC_WMEraseBkGnd(HDC DC);
    // Validates the window and paints the client background on WM_PAINT.
    void OurPaintHandler(vcl::TMessage& Msg);
    // Sends WM_NCPAINT straight through the provider's window procedure.
    void RepaintNC();
    // Shows the cover over the caption while the system draws its own, and removes it.
    void ShowCaptForm(bool FullHeight);
    void KillCaptForm();
    // Makes or frees the extended-border window.
    void InitExBorders(bool Allow);
    // With Take, takes WS_SYSMENU away from the window while the provider draws the frame (gives it
    // back while it does not) and records that the window has a system menu; without, gives the
    // system menu back and forgets it.
    void CheckSysMenu(bool Take);

    // ---------------------------------------------------------------------------------------------
    // Properties

    vcl::TCustomForm* Form = nullptr;
    TsCommonData* SkinData() const { return FCommonData.get(); }
    void SetSkinData(TsCommonData* Value) { FCommonData->Assign(Value); }
    TacAddedTitle* AddedTitle() const { return FAddedTitle.get(); }
    void SetAddedTitle(TacAddedTitle* Value);
    bool AllowAnimation() const { return FAllowAnimation; }
    void SetAllowAnimation(bool Value) { FAllowAnimation = Value; }
    bool AllowExtBorders() const { return FAllowExtBorders; }
    void SetAllowExtBorders(bool Value);
    bool AllowBlendOnMoving() const { return FAllowBlendOnMoving; }
    void SetAllowBlendOnMoving(bool Value) { FAllowBlendOnMoving = Value; }
    vcl::TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(vcl::TAlignment Value);
    bool DrawNonClientArea() const { return FDrawNonClientArea; }
    void SetDrawNonClientArea(bool Value);
    TsGripMode GripMode() const { return FGripMode; }
    void SetGripMode(TsGripMode Value);
    bool MakeSkinMenu() const { return FMakeSkinMenu; }
    void SetMakeSkinMenu(bool Value) { FMakeSkinMenu = Value; }
    const vcl::String& MenuLineSkin() const { return FMenuLineSkin; }
    void SetMenuLineSkin(const vcl::String& Value);
    TsResizeMode ResizeMode() const { return FResizeMode; }
    void SetResizeMode(TsResizeMode Value) { FResizeMode = Value; }
    bool ScreenSnap() const { return FScreenSnap; }
    void SetScreenSnap(bool Value) { FScreenSnap = Value; }
    int SnapBuffer() const { return FSnapBuffer; }
    void SetSnapBuffer(int Value) { FSnapBuffer = Value; }
    bool ShowAppIcon() const { return FShowAppIcon; }
    void SetShowAppIcon(bool Value);
    TsTitleButtons* TitleButtons() const { return FTitleButtons.get(); }
    void SetTitleButtons(TsTitleButtons* Value) { FTitleButtons->Assign(Value); }
    TsTitleIcon* TitleIcon() const { return FTitleIcon.get(); }
    void SetTitleIcon(TsTitleIcon* Value);
    const vcl::String& TitleSkin() const { return FTitleSkin; }
    void SetTitleSkin(const vcl::String& Value);
    // The form's Color follows the skin's global colour.
    bool UseGlobalColor() const { return FUseGlobalColor; }
    void SetUseGlobalColor(bool Value);

    TacAfterAnimation OnAfterAnimation() const { return FOnAfterAnimation; }
    void SetOnAfterAnimation(TacAfterAnimation Value) { FOnAfterAnimation = Value; }
    TacNCHitTest OnExtHitTest() const { return FOnExtHitTest; }
    void SetOnExtHitTest(TacNCHitTest Value) { FOnExtHitTest = Value; }
    TAddItemEvent OnSkinItem() const { return FOnSkinItem; }
    void SetOnSkinItem(TAddItemEvent Value) { FOnSkinItem = Value; }

    // ---------------------------------------------------------------------------------------------
    // The caption's mouse

    // The hit-test layout of the window as it stands.
    TNCHitLayout HitLayout();
    // The title buttons' part of a hit-test layout, from the system menu (which must exist) and
    // the buttons as painted.
    void FillTitleButtons(TNCHitLayout& Layout);
    // A maximised MDI child's buttons in the menu line: their part of a hit-test layout.
    void FillMDIButtons(TNCHitLayout& Layout);
    // The hit-test code of the screen point in the LParam of a WM_NCHITTEST message.
    int HTProcess(vcl::TMessage& Message);
    // WM_NCMOUSEMOVE: the button under the mouse turns hot; the message's WParam gets the code, and
    // outside the buttons the message goes on to the form's own procedure.
    void AC_NCMouseMove(vcl::TMessage& Message);
    // Makes the button of code HT hot and the previous one normal; while a button is held down no
    // button turns hot. With Repaint both are shown again.
    void SetHotHT(int HT, bool Repaint = true);
    // Makes the button of code HT pressed (a maximise button only while it can act).
    void SetPressedHT(int HT);
    // Shows the button of code HT in its state: through its hover animation, or drawn into the
    // cache and copied onto the window.
    void RepaintButton(int HT);
    // The button of a hit code; none for a code that names no shown button.
    TsCaptionButton* ButtonOfHT(int HT);
    // Shows the form's system menu at the screen point (X, Y): the skinned one when the manager
    // skins popup menus, else the window's own, whose choice is posted to the form.
    virtual void DropSysMenu(int X, int Y);
    // The outline drag of resize mode rmBorder: begins at the screen point, draws the outline,
    // and ends by moving the form to it.
    void StartMove(int X, int Y);
    void StopMove(int X, int Y);
    void DrawFormBorder(int X, int Y);
    // WM_GETMINMAXINFO: a maximised form covers its monitor's work area with its frame outside.
    void AC_WMGetMinMaxInfo(vcl::TMessage& Message);
    // Frees the hover animations of every caption button.
    void KillAnimations();
    // A press and a release of a maximised MDI child's button (HT 101 to 103): pressed while the
    // child allows what it does; released, the active child is closed, restored or minimised.
    void MDIButtonDown(int HT);
    void MDIButtonUp(int HT);
    // The non-client presses and releases of the left button (WM_LBUTTONUP taken as one), the
    // system commands, printing, and the mouse moves of the outline drag.
    void AC_WMNCLButtonDown(vcl::TMessage& Message);
    void AC_WMNCLButtonUp(vcl::TMessage& Message);
    void AC_WMSysCommand(vcl::TMessage& Message);
    // The system commands of an MDI child, which keep its MDI form's menu line in step, and of an
    // MDI form, whose menu line is laid out again after its own state changes.
    void MDIChildSysCommand(vcl::TMessage& Message);
    void MDIFormSysCommand(vcl::TMessage& Message);
    void RestoredMDIChild();
    void AC_WMPrint(vcl::TMessage& Message);
    void AC_WMMouseMove(vcl::TMessage& Message);
    // The hot or pressed button's code; 0 when none.
    int CurrentHT = 0;

    // ---------------------------------------------------------------------------------------------
    // State

    // Flags of FormState.
    static constexpr uint32_t fsBlendOnMoving = 0x80;   // the form turns translucent while dragged
    static constexpr uint32_t fsExitAnimation = 0x200;  // the application window's exit animation hid the form
    static constexpr uint32_t fsCoverShown = 0x1000;    // the border window shows the cover picture
    static constexpr uint32_t fsPaintLocked = 0x10000;  // the form's painting is frozen by LockForms
    static constexpr uint32_t fsScrollsRefreshing = 0x20000;  // the skinned scroll bars are being made again
    static constexpr uint32_t fsMinimizing = 0x100;     // the minimise animation runs
    static constexpr uint32_t fsRestoring = 0x400;      // the restore animation runs
    static constexpr uint32_t fsStretchedHeight = 0x2000;  // a double click stretched the form to the work area's height
    static constexpr uint32_t fsStretchedWidth = 0x4000;   // ...or to its width
    static constexpr uint32_t fsSizing = 0x1;  // the border window is being sized with the form

    vcl::TWndMethod OldWndProc;  // the form's own window procedure
    vcl::TObjectPtr<TsSystemMenu> SystemMenu;
    std::unique_ptr<TacCtrlAdapter> Adapter;        // the plain controls' skinning; none while unskinned
    std::vector<vcl::TRect> ArOR;                   // the skin's transparent corner runs, one pixel high, in window coordinates
    std::unique_ptr<TacBorderGeometry> BorderForm;  // the extended-border window; none in the standard layout
    vcl::TCustomForm* CoverForm = nullptr;          // a borderless form over the form during an animation
    std::unique_ptr<vcl::TBitmap> CoverBmp;         // the look before a skin change, on the border window meanwhile
    std::unique_ptr<vcl::TBitmap> TempBmp;          // the cache's strip behind the title buttons
    std::unique_ptr<vcl::TBitmap> MenuLineBmp;
    std::unique_ptr<vcl::TBitmap> FGlow1;  // the caption text's glow, active and inactive
    std::unique_ptr<vcl::TBitmap> FGlow2;
    TsCaptionButton ButtonMin, ButtonMax, ButtonClose, ButtonHelp;
    // A maximised MDI child's minimise, restore and close buttons in an MDI form's menu line.
    TsCaptionButton MDIMin, MDIMax, MDIClose;
    bool RTInit = false;   // made at run time and not yet initialised
    bool RTEmpty = false;  // inert: the form had its provider already
    bool FormActive = false;
    bool HaveSysMenu = false;  // the window has a system menu that the provider stands in for
    bool InMenu = false;
    bool InAero = false;  // desktop composition was on at construction
    bool FInAnimation = false;
    bool SkipAnimation = false;  // the provider's own hide animation is skipped
    uint32_t FormState = 0;
    int FLinesCount = -1;  // menu lines, -1: count again
    bool MenusInitialized = false;
    bool MenuChanged = true;
    bool FMenuOwnerDraw = false;
    bool RgnChanged = true;
    bool RegionChanged = false;
    bool CaptChanged = false;
    bool CaptRgnChanged = false;
    bool ControlsChanged = false;
    bool ClearButtons = false;
    bool FirstInitialized = false;
    bool FSysExHeight = false;
    int FTitleSkinIndex = -1;    // -1: look up again
    int FCaptionSkinIndex = -1;  // the section "CAPTION" behind the caption's text
    int UserBtnIndex = -1;       // the image of the user title buttons
    // The tooltip of the hot user title button.
    vcl::TObjectPtr<vcl::THintWindow> TitleHint;
    int LockCount = 0;           // WM_SETREDRAW 0 not yet undone: no caption cover
    bool RgnChanging = false;    // the window region is being set
    vcl::TForm* CaptForm = nullptr;   // the caption cover while the system draws its own caption
    vcl::TWndMethod OldCaptFormProc;  // the cover's own window procedure
    std::unique_ptr<TacFormScrolls> ListSW;  // the skinned scroll bars of a scrolling form
    std::unique_ptr<TsMDIForm> MDIForm;  // while the form is an MDI main form
    // The timer of the running minimise, restore or blend-on-moving animation, owned as a component;
    // whoever starts another animation frees it first.
    TacThreadedTimer* FormTimer = nullptr;
    bool fAnimating = false;  // the form is shown, minimised or restored through an animation
    // Flags of FormState kept by the window-state handlers.
    static constexpr uint32_t fsKeptOnShow = 0x400;  // the only flag a form shown again keeps
    static constexpr uint32_t fsInNCActivate = 0x8000;
    TShowAction ShowAction = TShowAction::saIgnore;  // the window state a parent's reopening gives back
    vcl::TRect LastClientRect;   // the client area at the last WM_SIZE
    // What a double-click stretch changed: left and width in Left and Right, top and height in
    // Top and Bottom.
    vcl::TRect NormalBounds;

private:
    // The constructor's work after the owner proved a form.
    void TakeOver();
    // The provider's manager, when one serves it.
    TsSkinManager* Manager() const { return FCommonData->SkinManager(); }
    bool Loading() const { return ComponentState().Contains(vcl::TComponentStateItem::csLoading); }
    bool FormDestroying() const;
    // The form takes the skin's global colour, unless its colour is its own.
    void TakeGlobalColor();
    // The window's style bits and the system's frame sizes, as the geometry reads them.
    TFrameStyle FrameStyle();
    // The image of a button in the manager's table; none for an invalid index.
    const TsMaskData* ButtonMask(int ImageIndex) const;
    // The skin commands answered in every state; true when the message is done with.
    bool AnswerAlways(vcl::TMessage& Message);
    // A skin command while the form is not skinned.
    void UnskinnedMessage(vcl::TMessage& Message);
    // After the form's own hide while not skinned: the hide animation, waited for.
    void HideUnskinned(const WINDOWPOS& Pos);
    // A skin command while skinned.
    void SkinnedCommand(vcl::TMessage& Message);
    void SkinLoaded();
    // The adapter takes the form's controls again, made first when there is none.
    void TakeAllControls();
    void SkinRemoved(vcl::TMessage& Message);
    void Repaint(vcl::TMessage& Message);
    void QueryBackground(TacBGInfo& BGInfo);
    // The wheel scrolls the skinned scroll box under the mouse.
    void AC_CMMouseWheel(vcl::TMessage& Message);
    // The layers of the cache: frame and background, grip, title section with the icon and the
    // "TITLEBAR" bar, caption text; Iconic: a minimised form other than the main one, whose title
    // covers the whole frame.
    void PaintFrame(bool Iconic);
    void PaintTitleBar(const TFrameLayout& Layout, const TCacheInfo& Background, int State, bool Iconic);
    // The menu line's section and bar items, and a maximised MDI child's icon at its start.
    void PaintMenuLine(const TFrameLayout& Layout, int State);
    void PaintChildIcon(const TFrameLayout& Layout);
    // An MDI form's client area in the section "MDIAREA", within the aligned controls.
    void PaintMDIArea(const TFrameLayout& Layout);
    // A maximised MDI child's buttons at the right end of the last menu line.
    void PaintMDIButtons(const TFrameLayout& Layout);
    // The image of an MDI button and whether it is enabled: restore shows the restore image, and
    // minimise and restore follow what the child's system menu allows.
    int MDIButtonImage(int HT);
    bool MDIButtonEnabled(int HT);
    // The images and hit codes of the MDI buttons; BigSet: the skin has no small caption buttons.
    void UpdateMDIIconsIndexes(bool BigSet);
    // An MDI form whose active child is maximised and being shown: the system's menu bar is still
    // taking the child's items.
    bool MaximisedChildShowing();
    // The items the system's menu bar shows, in order: the visible items of the form's menu with
    // the active MDI child's merged in.
    std::vector<vcl::TMenuItem*> BarItems();
    // The window list of an MDI form's window menu, made again for the popup Popup.
    void FillWindowList(HMENU Popup);
    // Shows MDIIconsForm over the menu line's right end for a menu loop.
    void ShowMDIIcons();
    // The MDI branches of the window procedure: a child activated or destroyed by its client
    // flags the main form's menu line; a child whose window goes while the form is not skinned
    // repaints it; a main form shown adopts its children that have no provider; an MDI main form
    // repainted for the skin redraws its client window with it.
    void MDIChildActivated();
    void MDIChildWindowGone();
    void AdoptMDIChildren();
    void RedrawMDIForm();
    // WM_SETTEXT of a maximised MDI child: its title shows in the main form's caption.
    void SetMaximizedChildText(vcl::TMessage& Message);
    // The graphic controls of the form into DC, or into a DC of the form's client area without one.
    void PaintFormControls(HDC DC);
    // An MDI child wholly inside its main form's client area keeps only its title part in the cache.
    void CutChildCache();
    // WM_SIZE that leaves the cache's size: an MDI form's frame is painted again, and a maximised
    // child's main form renders its menu line afresh.
    void SizeUnchangedMDI(WPARAM SizeType);
    // WM_NCACTIVATE of a shown MDI child: the main form's menu line and client frame follow it.
    void ChildActivationShown();

    void PaintCaptionText(const TFrameLayout& Layout, int State);
    void DrawAppIcon(const TFrameLayout& Layout);
    void PaintGrip(const TFrameLayout& Layout);
    // The extended layout's shadow: the active or inactive template stretched over the cache's
    // shadow margins, and the frame's transparent corners filled from it.
    void PaintExBorderShadow(const TFrameLayout& Layout);
    void BlendFrameCorners(const TFrameLayout& Layout, vcl::TBitmap* Shadow, const vcl::TRect& Margins);
    // A frame drawn whole from the extended-border image of an old skin, corrected for a 64-bit
    // system without composition.
    void CorrectOldSkinFrame();
    // One caption button with the image at Rect, which it keeps; faded while inactive or disabled.
    void PaintButton(TsCaptionButton& Btn, int ImageIndex, const vcl::TRect& Rect, bool Enabled);
    // A user button's glyph centred in its rectangle.
    void PaintUserGlyph(TsTitleButton* Btn);
    // The form's OnPaint on its canvas bound to the cache at the client's place.
    void CallOnPaint();
    // The caption cover paints nothing and never erases: the screen keeps what it showed.
    void CaptFormPaint(vcl::TObject* /*Sender*/) {}
    void NewCaptFormProc(vcl::TMessage& Message);
    // The cover's place and its place in the z-order.
    vcl::TRect CaptFormBounds(bool FullHeight);
    HWND CaptFormInsertAfter();
    // The frame of a borderless window with a sizing frame: its four edges from the cache.
    // The cache, painted again first when its background changed; none before the first paint.
    vcl::TBitmap* UpToDateCache();
    void PaintSizingEdges(HDC DC);
    // The extended layout: the menu line and the form's own border, the rest is the border window's.
    void PaintExtendedMenuArea(HDC DC);
    // The border window of a shown form is shown again when it is missing or hidden.
    void ShowLostBorderWindow();
    // The whole picture, shadow and frame around the form, into a print DC.
    void PrintWholeCache(HDC DC);
    // Fast mode: the part of the frame image that reaches into the client area of a single form.
    void PaintFastFrameInside(HDC DC, const vcl::TRect& Client, const vcl::TPoint& Offset);
    // The graphic controls take their background anew.
    void MarkGraphicControlsChanged();
    // The extended layout suits the form now.
    bool ExtBordersWanted(bool Allow);
    // Window messages while skinned, and the handlers of the rows that do more than a few things.
    void SkinnedMessage(vcl::TMessage& Message);
    // The mouse left the form: no caption button stays hot or pressed.
    void CaptionMouseLeft();
    void WMCreate(vcl::TMessage& Message);
    void WMActivate(vcl::TMessage& Message);
    void WMSettingChange(vcl::TMessage& Message);
    // The application activated while its main form is minimised without a minimise timer to bring
    // it back: the form is restored.
    void WMActivateApp(vcl::TMessage& Message);
    // The skin editor's skin, sent to the window announced to it, is loaded.
    void WMCopyData(vcl::TMessage& Message);
    void WMNotify(vcl::TMessage& Message);
    void WMSetIcon(vcl::TMessage& Message);
    void WMMouseMove(vcl::TMessage& Message);
    void WMEnterMenuLoop(vcl::TMessage& Message);
    void WMExitMenuLoop(vcl::TMessage& Message);
    void WMMeasureItem(vcl::TMessage& Message);
    void WMChildActivate(vcl::TMessage& Message);
    // The skin editor's requests: close, announce, alive?
    void SkinPreviewRequest(vcl::TMessage& Message);
    void CMVisibleChanged(vcl::TMessage& Message);
    void CMEnabledChanged(vcl::TMessage& Message);
    void CMMouseEnter(vcl::TMessage& Message);
    void WMNCHitTest(vcl::TMessage& Message);
    // The form's own animations may run: a manager, layered windows, the frame drawn, none skipped.
    bool AnimationsApply() const;
    // Hiding the form covers it with its picture for the hide animation.
    bool HideCoverWanted();
    // Showing the form plays the manager's show animation.
    bool ShowAnimationWanted();
    // WM_CLOSE makes the form's picture for its hide animation.
    bool HideImageWanted();
    void WMNCLButtonDblClk(vcl::TMessage& Message);
    void WMNCRButtonUp(vcl::TMessage& Message);
    void WMSetText(vcl::TMessage& Message);
    void WMPaint(vcl::TMessage& Message);
    void WMEraseBkGnd(vcl::TMessage& Message);
    void WMParentNotify(vcl::TMessage& Message);
    void CMControlListChange(vcl::TMessage& Message);
    void CMMenuChanged(vcl::TMessage& Message);
    void WMSize(vcl::TMessage& Message);
    // Invalidates the grip's place and the right corner images' places as the client area changes.
    void InvalidateGrip(const vcl::TRect& NewClient);
    void InvalidateRightCorners();
    void WMShowWindow(vcl::TMessage& Message);
    void WMWindowPosChanging(vcl::TMessage& Message);
    void WMWindowPosChanged(vcl::TMessage& Message);
    void WMNCPaint(vcl::TMessage& Message);
    void WMNCActivate(vcl::TMessage& Message);
    void CMShowingChanged(vcl::TMessage& Message);
    // FSysExHeight anew: the skin's maximised title of the extended layout is lower than the system's.
    void UpdateSysExHeight();
    // The border window of the extended layout follows the form. Its place and picture anew, when
    // the form has one.
    void UpdateBorderWindow(bool Redraw);
    // The hit code a non-client mouse message names; the border window forwards its messages with
    // -1, which stands for its own hit test at the message's point.
    int ForwardedHitCode(const vcl::TMessage& Message);
    // A screen point relative to the picture the title buttons' rectangles are in: the border
    // window's in the extended layout, else the form window's.
    vcl::TPoint TitlePoint(const vcl::TPoint& Screen);
    // WM_SIZE: the border window takes the new size over the form and goes right behind it again.
    void SizeBorderWindow();
    void PlaceBorderWindowAfterSize();
    // The first move of a form stretched from its border window gives it its saved size back.
    bool UndoStretch(WINDOWPOS& Pos);
    // A form shrinking without activation: the border window's region takes the new size first.
    void ShrinkBorderWindow(const WINDOWPOS& Pos);
    // WM_WINDOWPOSCHANGED: the border window follows the form's place and z-order.
    void FollowWithBorderWindow(const WINDOWPOS& Pos);
    // The border window right behind the form and shown, neither moved, sized nor redrawn.
    void PlaceBorderWindowBehind();
    // The border window's picture goes while the form is minimised or hidden; the object stays.
    void FreeBorderWindowForm();
    // WM_NCACTIVATE under desktop composition: the border window covers the menu line's repaint.
    void ShowBorderWindowOnTop();
    // The screen snap's margins in the extended layout: the frame, not the form window, meets the
    // work area's edges.
    int SnapMargin();
    int SnapTopMargin();
    // How far the cache's title lies below the form window's top in the extended layout.
    int ExtendedTitleShift();

    std::unique_ptr<TsCommonData> FCommonData;
    std::unique_ptr<TacAddedTitle> FAddedTitle;
    std::unique_ptr<TsTitleIcon> FTitleIcon;
    std::unique_ptr<TsTitleButtons> FTitleButtons;
    bool FAllowAnimation = true;
    bool FAllowExtBorders = true;
    bool FAllowBlendOnMoving = true;
    vcl::TAlignment FCaptionAlignment = vcl::TAlignment::taLeftJustify;
    bool FDrawNonClientArea = true;
    TsGripMode FGripMode = TsGripMode::gmNone;
    bool FMakeSkinMenu = false;
    vcl::String FMenuLineSkin;
    TsResizeMode FResizeMode = TsResizeMode::rmStandard;
    bool FScreenSnap = false;
    int FSnapBuffer = 10;
    bool FShowAppIcon = true;
    vcl::String FTitleSkin;
    bool FUseGlobalColor = true;
    TacAfterAnimation FOnAfterAnimation;
    TacNCHitTest FOnExtHitTest;
    TAddItemEvent FOnSkinItem;
};

// ---------------------------------------------------------------------------------------------
// Frame sizes of windows (skinned forms and dialogs)

// The border's width: the skin's own in the extended layout with CheckSkin, else the system's for
// the window's style.
int SysBorderWidth(HWND Handle, const TacBorderGeometry* BorderForm, bool CheckSkin);
// 0 in the extended layout, else the width.
int SysBorderHeight(HWND Handle, const TacBorderGeometry* BorderForm, bool CheckSkin);
// The system's caption height: the small one for a tool window that is not iconic; the normal
// one for none.
int SysCaptHeight(vcl::TCustomForm* Form);
// The skin's title height and border width of the extended layout; 0 without it.
int SkinTitleHeight(const TacBorderGeometry* BorderForm);
int SkinBorderWidth(const TacBorderGeometry* BorderForm);
// How much taller the skin's title and wider its border are than the window's own; 0 without it.
int DiffTitle(const TacBorderGeometry* BorderForm);
int DiffBorder(const TacBorderGeometry* BorderForm);
// The form has a frame: a border style, a child window's border or an MDI child.
bool HaveBorder(TsSkinProvider* Provider);
// A single or sizeable form: big caption buttons.
bool BigButtons(TsSkinProvider* Provider);
// The border looks the same active and inactive: no image, or an image of one state.
bool IsBorderUnchanged(int MaskIndex, TsSkinManager* Manager);
// The grip shows: gmRightBottom on a sizeable window that is not zoomed.
bool IsGripVisible(TsSkinProvider* Provider);
// A form animation runs.
inline bool InAnimation(TsSkinProvider* Provider) { return Provider->FInAnimation; }
// A window's rectangle on the screen.
vcl::TRect WindowRectOf(HWND Wnd);
// The sizes of a window's rectangle and client area.
int GetWindowWidth(HWND Handle);
int GetWindowHeight(HWND Handle);
int GetClientWidth(HWND Handle);
int GetClientHeight(HWND Handle);

// ---------------------------------------------------------------------------------------------
// Regions

// Collects the transparent corner runs of the skin's border and title masks into ArOR.
void FillArOR(TsSkinProvider* Provider);
// A region of the form's window size at (X, Y) less the corner runs; the caller owns it.
HRGN GetRgnFromArOR(TsSkinProvider* Provider, int X, int Y);
// Gives the form's window its region (Repaint: redraw at once).
void UpdateRgn(TsSkinProvider* Provider, bool Repaint);
// Makes or frees the skinned scroll bars of a scrolling form.
void RefreshFormScrolls(TsSkinProvider* Provider);
// What makes a form's skinned scroll bars; none is made while it is unset, as until standard
// windows are skinned.
using TFormScrollsFactory = std::unique_ptr<TacFormScrolls> (*)(TsSkinProvider* Provider);
extern TFormScrollsFactory MakeFormScrolls;
// The window has a sizing frame (WS_THICKFRAME).
bool HasSizingFrame(HWND Handle);
// The question a form answers with RegionQueryOwn when it keeps a window region of its own.
constexpr UINT RegionQueryMessage = 0xBC4D;
constexpr WPARAM RegionQueryOwn = 0x41A2;
// Stops the painting of the provider's form, with MDIAlso of its MDI main form too; the mirror
// lets it paint again (without repainting).
void ForbidDrawing(TsSkinProvider* Provider, bool MDIAlso);
void PermitDrawing(TsSkinProvider* Provider, bool MDIAlso);

// ---------------------------------------------------------------------------------------------
// Desktop composition and layered windows

// Desktop composition is on (asked anew each time, through the system seams).
bool AeroIsEnabled();
// A window attribute of the desktop window manager; E_NOTIMPL without it.
HRESULT DwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size);
void DwmInvalidateIconicBitmaps(HWND Wnd);
// Under composition, keeps the window manager from drawing its frame (Disable) or lets it.
void InitDwm(HWND Handle, bool Disable, bool Extra = false);
// With Layered, a window that is not layered yet becomes layered and almost transparent (alpha
// 1): true. Without Layered, or without layered windows, it loses WS_VISIBLE and WS_EX_LAYERED:
// false. False too for a window that already was layered.
bool DoLayered(HWND Wnd, bool Layered);
// The work area of the monitor that holds the form.
vcl::TRect acWorkRect(vcl::TCustomForm* Form);
// Refreshes the frame of the MDI main form; nothing without one.
void UpdateMainForm(bool UpdateNow);

// Starts the minimise animation of the provider's form and marks the taskbar window for previews.
// Without the provider's animations only the taskbar window's preview attributes change.
void StartMinimizing(TsSkinProvider* Provider);
// Starts the restore animation; false when none starts, as without the provider's animations.
bool StartRestoring(TsSkinProvider* Provider);

// ---------------------------------------------------------------------------------------------
// The caption's mouse, shared by all skinned forms

// A caption button of some form is held down: no button turns hot meanwhile.
extern bool bPressed;
// A hit code of a caption button: a system, MDI or user title button.
bool IsButtonHT(int HT);

// The outline drag of resize mode rmBorder; only one runs at a time.
struct TOutlineDrag {
    bool InProcess = false;  // an outline is shown
    bool Mode = false;       // moving; false: sizing
    bool Capture = false;    // the drag ends without moving the window
    HDC DC = nullptr;        // the desktop's
    int SavedDC = 0;
    vcl::TRect Outline;  // the sizing outline, or the position (left, top) when moving
    vcl::TPoint Mouse;   // the last mouse position
    int Direction = 0;   // the hit code that started a sizing drag; 0: bottom-right
    vcl::TSize MinSize;  // the form's constraints
};
extern TOutlineDrag OutlineDrag;

// What the caption's mouse hands to the system, replaceable by tests (the virtual display shows
// neither the outline on the desktop nor a fading window): the outline drawn into the desktop DC
// (drawing it again erases it), the window's system menu tracked (the chosen command, 0 for none)
// and a window shown animated.
struct TCaptionSeams {
    std::function<void(HDC DC, const vcl::TRect& R)> DrawOutline;
    std::function<UINT(HMENU Menu, UINT Flags, int X, int Y, HWND Wnd)> TrackMenu;
    std::function<BOOL(HWND Wnd, DWORD Time, DWORD Flags)> AnimateWindow;
};
TCaptionSeams& CaptionSeams();
// MDI children

// The small window that shows a maximised MDI child's buttons while a menu loop of its MDI form
// runs; none otherwise.
extern vcl::TForm* MDIIconsForm;
// The Tag bit of the window list's items in an MDI form's window menu; the low bits hold the
// child's index.
constexpr intptr_t WindowListTag = 0x200;
// An MDI child is being created while the active child is maximised: its frame waits.
extern bool bChildCreating;
// The provider of the MDI child last activated, maximised or created; none when it went.
extern TsSkinProvider* ChildProvider;
// The MDI form's active child while it is maximised; none otherwise and for other forms.
vcl::TCustomForm* MaximizedMDIChild(vcl::TCustomForm* MDIForm);
// The MDI main form's frame and menu line are painted afresh the next time (nothing without a
// skinned MDI main form).
void MarkMDIFormChanged();

// ---------------------------------------------------------------------------------------------
// Screen snap

// P snapped to the edge E when P + Extra lies within Buffer of it: E - Extra; else P.
int SnapToEdge(int P, int E, int Extra, int Buffer);
// Pos, the new top-left corner of a window of Size, snapped to the work area's edges: right,
// bottom, left, top, in this order; Margin is the shadow beside and below the window, TopMargin the
// one above it.
vcl::TPoint SnapToWorkArea(vcl::TPoint Pos, vcl::TSize Size, const vcl::TRect& WorkArea, int Margin, int TopMargin,
                           int Buffer);

// ---------------------------------------------------------------------------------------------
// The skin editor's preview link

// The window title of the skin editor that previews skins on a running program.
extern const wchar_t* const SkinEditorTitle;
// The requests in WParam of the link's message (SkinPreviewMessage, both ways): the editor asks a
// previewed window to close or whether it is alive, the program announces its window to the editor.
constexpr WPARAM PreviewClose = 1, PreviewAnnounce = 3, PreviewAlive = 4;
// The program was started with "/acpreview" and has not announced its main window yet.
extern bool acPreviewRequested;
// The window announced to the editor; 0 until then.
extern HWND acPreviewHandle;
// How long one announcement waits for the editor's answer.
constexpr unsigned PreviewAnswerTimeoutMs = 500;
// Announces the main form's window Wnd to the skin editor once: up to 101 tries until it answers
// 1; a try the editor leaves unanswered for PreviewAnswerTimeoutMs ends them, so that a hung
// editor does not hang the program.
void SendPreviewHandle(HWND Wnd);

}  // namespace skin
