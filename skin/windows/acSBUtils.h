#pragma once
// Window wrappers: objects that take over the procedure of one window that is no skinned control
// of ours (a class-library control a skinned form hands over, a control of a system dialog, a
// plain window), answer the skin command message for it and paint it from a skin section; and the
// skinned scroll bars that a scrolling wrapper draws in its window's frame instead of the system's.
//
// Taking a window over. A class-library control (or a skin provider's form) is taken over through
// its WindowProc, which the wrapper saves and gives back. Any other window is subclassed through
// the class library's TWindowSubclass: no executable thunk, and a procedure another subclasser laid
// over ours later keeps working: the wrapper gives the window back only while its procedure is
// still the window's, and once freed its place in the chain passes every message on. The window
// property "ACSBSC" names the wrapper of a window while the wrapper is attached.
//
// Lifecycle: NewWrapper makes a wrapper and attaches it to its window at once. It stays attached
// until UninitializeACWnd (UninitializeACScroll for a scrolling one) gives the window back, the
// window is destroyed, or the wrapper is freed; a detached wrapper (Destroyed) is never attached
// again. Every destructor gives the window back first, so that no window keeps naming a freed
// wrapper. The wrapper's creator owns it.
//
// The scroll bars keep no state of their own beyond the wrapper's two bar records: the window
// keeps its scroll information, which is read again on every paint. The mouse on the bars (hover,
// press with repeat, thumb drag) is one record for the whole process: one bar is pressed or
// hovered at a time.
//
// Everything runs on the GUI thread inside window procedures. A wrapper may be freed by the
// procedure it hands a message on to (a provider freeing its form's scroll bars on a skin
// removal): nothing of the wrapper is touched after handing on unless it is known to be alive.
#include <windows.h>

#include <functional>
#include <memory>

#include "skin/core/sCommonData.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSkinProviderAdapter.h"
#include "skin/windows/acSBGeometry.h"
#include "vcl/controls.h"
#include "vcl/graphics.h"
#include "vcl/subclass.h"

namespace skin {

class TsSkinManager;

// Set while wrappers are made for a skinned system dialog's controls: they paint with system
// colours and the skin's border colour then.
extern bool acDlgMode;

// The window property that names a window's wrapper.
inline constexpr wchar_t WrapperProperty[] = L"ACSBSC";

// ---------------------------------------------------------------------------------------------
// The wrapper base

class TacMainWnd : public TacAdaptedWnd {
public:
    // Takes SkinData (or makes one of its own, with a cache, when none is given) and the manager
    // (the skin data's when none is given); SkinSection serves when the skin data has no section.
    // Switches the window's visual theme off. Repaint: a scrolling wrapper recalculates and
    // repaints the window's frame at once. NewWrapper attaches it.
    TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const vcl::String& SkinSection,
               bool Repaint);
    // Gives the window back unless that happened, restores the standard look and frees owned skin
    // data.
    ~TacMainWnd() override;
    TacMainWnd(const TacMainWnd&) = delete;
    TacMainWnd& operator=(const TacMainWnd&) = delete;

    // The standard parameters of the control: saved before the skin changes them, written back
    // when the skin goes; the base has none. SetSkinParams applies the skin's.
    virtual void SaveStdParams() {}
    virtual void RestoreStdParams() {}
    virtual void SetSkinParams() { ParamsChanged = true; }
    // The wrapper's window procedure: a few messages handled, the others handed on.
    virtual void acWndProc(vcl::TMessage& Message);
    // Hands one message to the window's previous procedure and answers its result; the previous
    // procedure may change LParam.
    LRESULT CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam);

    // The window was given back (or the wrapper is being freed).
    bool Destroyed() const override { return FDestroyed; }
    // A token that lives as long as the wrapper: a handler that hands a message on and then goes
    // on with the wrapper asks it first.
    std::weak_ptr<int> LifeToken() const { return FLife; }

    bool DlgMode = false;        // made inside a skinned system dialog: system colours
    vcl::String Caption;         // the window's text, read again after every WM_SETTEXT
    vcl::TRect WndRect;          // the window, on the screen (InitCtrlData)
    vcl::TSize WndSize;
    vcl::TPoint WndPos;          // in its parent's client area
    vcl::TRect ParentRect;
    HWND ParentWnd = nullptr;
    vcl::TControlStyle OldCtrlStyle;  // the owner control's style before csOpaque was added
    vcl::TWndMethod OldWndProc;  // the control's (or provider form's) WindowProc before ours
    HWND CtrlHandle = nullptr;
    TsSkinManager* SkinManager = nullptr;
    TsCommonData* SkinData = nullptr;
    bool DontRepaint = false;    // descendants keep repaints back while set
    bool ParamsChanged = false;  // SetSkinParams ran
    vcl::TColor StdColor = vcl::clNone;
    vcl::TColor StdFontColor = vcl::clNone;
    int Tag = 0;

protected:
    // Attaches to the window: the standard parameters saved, the caption read, the window
    // subclassed (Subclass), and the owner control made opaque.
    void Attach();
    // Subclasses the window: InitializeACWnd for the base.
    virtual void Subclass();
    // Gives the window back (when it is still ours), forgets the property, writes the standard
    // look back and repaints the frame of a visible window, with FrameChanged by a frame change;
    // Destroyed when the window was given back. Nothing for a destroyed wrapper.
    void Detach(bool FrameChanged);
    // What a destructor does first: the window given back when still ours, the property forgotten,
    // the standard look and the visual theme back, and the wrapper marked destroyed; from then on
    // the window's messages pass by.
    void Release();
    // The repaint flag given to the constructor.
    bool RepaintOnAttach() const { return FRepaint; }
    // The window keeps its visual theme: switched back on when the constructor switched it off.
    void KeepTheme();
    // Hands the message to the previous procedure, its result the message's.
    void PassToPrevious(vcl::TMessage& Message)
    {
        Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
    }
    // A plain window subclassed through TWindowSubclass.
    bool Subclassed() const { return FSubclass != nullptr; }
    // Before the owner control's context menu opens: the skin's menu painter takes it over.
    void HookOwnerPopupMenu() const;

private:
    template<class T, class... Args>
    friend std::unique_ptr<T> NewWrapper(Args&&... args);
    friend void InitializeACWnd(TacMainWnd* Wnd, HWND Handle);
    friend void UninitializeACWnd(HWND Handle, bool Repaint, TacMainWnd* Wnd);

    // The control whose WindowProc the wrapper takes: the owner control, or the form of the skin
    // provider that owns the skin data; none for a plain window.
    vcl::TWinControl* WindowProcOwner() const;
    // Gives the window its previous procedure back when ours is still its procedure.
    bool GiveWindowBack();
    // The visual theme is the wrapper's to switch: no provider owns the skin data, or it draws
    // the frame, and the section is not "DIALOG".
    bool SwitchesTheme(const vcl::String& SkinSection) const;
    // The message handlers of the base window procedure.
    void WMDestroy(vcl::TMessage& Message);
    bool SkinCommand(vcl::TMessage& Message);
    void SkinLoaded(vcl::TMessage& Message);
    void RepaintCommand(vcl::TMessage& Message);
    void ParentUpdated(vcl::TMessage& Message);
    void PassOn(vcl::TMessage& Message);

    std::unique_ptr<TsCommonData> FOwnSkinData;
    std::unique_ptr<vcl::TWindowSubclass> FSubclass;  // the plain window's subclass; none otherwise
    bool FDestroyed = false;
    bool FRepaint = false;
    bool FThemed = false;  // the constructor switched the theme off
    std::shared_ptr<int> FLife = std::make_shared<int>(0);
};

// Makes a wrapper of class T and attaches it to its window.
template<class T, class... Args>
std::unique_ptr<T> NewWrapper(Args&&... args)
{
    std::unique_ptr<T> wrapper(new T(std::forward<Args>(args)...));
    wrapper->Attach();
    return wrapper;
}

// Subclasses the window for the wrapper: the property set, then the control's WindowProc taken
// or the plain window subclassed.
void InitializeACWnd(TacMainWnd* Wnd, HWND Handle);
// Gives the window back (see TacMainWnd::Detach); the caller frees the wrapper when it wants.
// Nothing for no wrapper.
void UninitializeACWnd(HWND Handle, bool Repaint, TacMainWnd* Wnd);

// ---------------------------------------------------------------------------------------------
// Helpers the wrappers share

// The font of the system's non-client metrics: 1 caption, 2 small caption, 3 menu, 4 status,
// 5 message; 0 for another kind or when the system does not answer. The caller owns the font.
HFONT GetNonClientFont(int Kind);
// The canvas takes that font; nothing when there is none.
void AssignNonClientFont(vcl::TCanvas* Canvas, int Kind);
// A skin command to every child: of Control when there is one, else of the window.
void AlphaBroadCastCheck(vcl::TControl* Control, HWND Handle, vcl::TMessage& Message);
// The control can look hot: its border image has more than one state image or its section more
// than one state.
bool MayBeHot(const TsCommonData* SkinData);
// An integer property written by name when Obj has it.
void SetIntPropIfExists(vcl::TObject* Obj, const vcl::String& PropName, int Value);
// A colour property read by name as RGB; 0 when Obj lacks it.
vcl::TColor GetColorPropIfExists(vcl::TObject* Obj, const vcl::String& PropName);
// The windowed control with that window among the components Component owns, depth first;
// none when there is none.
vcl::TComponent* FindComponentByHandle(HWND Handle, vcl::TComponent* Component);
// The window's rectangle, parent and parent's rectangle, size and place in the parent's client
// area.
void InitCtrlData(HWND Wnd, HWND& ParentWnd, vcl::TRect& WndRect, vcl::TRect& ParentRect, vcl::TSize& WndSize,
                  vcl::TPoint& WndPos);
// The window's text.
vcl::String GetWndText(HWND Handle);
// Sends scmdAdaptControl to the window's top-level ancestor (the window itself when it has no
// parent) and answers its result.
LRESULT SendAdaptToRoot(HWND Wnd);

// ---------------------------------------------------------------------------------------------
// The wrapper's cache

// Renders the window's background and border into the skin data's cache while BGChanged: the
// skin section over the parent's background, or in DlgMode the window colour framed by the skin's
// border colour; a disabled owner control blended. A parent not ready to give its background
// leaves the data updating and the cache stale.
void PrepareCache(TsCommonData* SkinData, HWND Handle, bool DlgMode);
// After PrepareCache: the key pixels of the border's corners show the parent's background.
void FillTransparentCorners(TsCommonData* SkinData, int State, const TacMainWnd* Wnd);

// ---------------------------------------------------------------------------------------------
// Skinned scroll bars

class TacScrollWnd;

// One bar of a scrolling wrapper.
class TacScrollBar {
public:
    TacScrollBar(TacScrollWnd* Owner, bool Vertical);

    // The bar's measures as the geometry takes them.
    TBarMeasures Measures() const;

    // Bits 0x1, 0x2 (an arrow disabled; both: the bar inactive) and 0x4 (active only while the
    // scroll information allows scrolling) start clear; 0x8: the window's style has the bar.
    uint16_t fScrollFlags = 0;
    bool fScrollVisible = false;  // the bar takes room in the frame
    SCROLLINFO ScrollInfo{};      // the window's, read on every paint
    int nArrowLength = -1;        // pixels, or -k: k system arrows
    int nArrowWidth = -1;         // the thickness, likewise
    uint16_t nBarType = SB_HORZ;
    int nMinThumbSize = 10;
    TacScrollWnd* sw;             // the wrapper that owns the bar
};

// Scroll-flag bits.
constexpr uint16_t sfFirstArrowDisabled = 0x1;
constexpr uint16_t sfSecondArrowDisabled = 0x2;
constexpr uint16_t sfActiveByInfo = 0x4;
constexpr uint16_t sfStyleHasBar = 0x8;

// A wrapper whose window gets skinned scroll bars in its frame. It also serves as the skinned
// scroll bars of a skin provider's form.
class TacScrollWnd : public TacMainWnd, public TacFormScrolls {
public:
    using TacMainWnd::TacMainWnd;
    ~TacScrollWnd() override;

    void acWndProc(vcl::TMessage& Message) override;
    bool Destroyed() const override { return TacMainWnd::Destroyed(); }

    // What the form's provider reads.
    int HorzBarHeight() const override;
    int VertBarWidth() const override;
    vcl::TRect CornerBox() const override;
    void UpdateScrolls(bool Repaint) override;

    // The bars' place in the window's frame, for the geometry; on the screen.
    TScrollFrame Frame() const;
    // The system's scroll-bar metrics in force.
    static TScrollMetrics Metrics();

    // Hands a message on with the scroll styles hidden from the window (WM_STYLECHANGED kept from
    // it meanwhile): the system neither measures nor draws bars of its own. A message that comes
    // back meanwhile is handed on as it is.
    LRESULT CallWithoutScrollStyles(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam);
    // The window's style, the scroll styles included while they are hidden from it.
    LONG_PTR WindowStyle(HWND Handle) const;

    std::unique_ptr<TacScrollBar> sBarHorz;
    std::unique_ptr<TacScrollBar> sBarVert;
    bool fThumbTracking = false;       // a thumb of this window is being dragged
    bool fLeftScrollbar = false;       // WS_EX_LEFTSCROLLBAR when the bars were made
    TNCEdges Edges;                    // the window's own frame, measured at every WM_NCCALCSIZE
    bool bPreventStyleChange = false;  // the scroll styles are hidden from the window

protected:
    void Subclass() override;

private:
    LONG_PTR FHiddenStyle = 0;  // the window's style while its scroll styles are hidden
    friend void UninitializeACScroll(HWND Handle, bool FrameChanged, TacScrollWnd* Wnd);

    // The window procedure's parts.
    bool SkinCommand(vcl::TMessage& Message);
    // False while a frame adapter's frame still lays its controls out: the news is swallowed.
    bool ParentUpdated();
    bool WindowMessage(vcl::TMessage& Message);
    void NCPaint(vcl::TMessage& Message);
    void Timer(vcl::TMessage& Message);
    void PassOn(vcl::TMessage& Message);
};

// Makes the bars, sets the property and subclasses the window; with Repaint the frame is
// recalculated and repainted at once.
void InitializeACScrolls(TacScrollWnd* Wnd, HWND Handle, bool Repaint);
// Gives the window back as UninitializeACWnd does and frees the bars of a window given back; the
// frame repainted (with FrameChanged by a frame change) when the window is visible. Nothing for
// no wrapper or a destroyed one; the caller frees the wrapper when it wants.
void UninitializeACScroll(HWND Handle, bool FrameChanged, TacScrollWnd* Wnd);

// The scrolling wrapper of a window; none for a window without one (or with a wrapper that has
// no scroll bars).
TacScrollWnd* Ac_GetScrollWndFromHwnd(HWND Handle);
// Its bar SB_HORZ or SB_VERT; none for another bar or a window without a scrolling wrapper.
TacScrollBar* Ac_GetScrollBarFromHwnd(HWND Handle, int Bar);
// The thumb's smallest length.
constexpr int Ac_GetDefaultMinThumbSize() { return 10; }
// With FrameChanged the window recalculates and repaints its frame, else it repaints it.
void Ac_RedrawNonClient(HWND Handle, bool FrameChanged);

// The bar's arrow length (Which 0) or thickness (else). Painting sizes arrows by the skin's arrow
// images (UseSkin) where the skin asks so; the mouse always by the system's arrow.
int GetScrollMetric(const TacScrollBar* Bar, int Which, bool UseSkin);
// The bars' rectangles on the screen; the horizontal one answers its thickness (0 while hidden).
int AC_GetHScrollRect(const TacScrollWnd* Wnd, HWND Handle, vcl::TRect& R);
void AC_GetVScrollRect(const TacScrollWnd* Wnd, HWND Handle, vcl::TRect& R);
// The rectangle of bar SB_HORZ or SB_VERT; false for another bar.
bool Ac_GetScrollRect(const TacScrollWnd* Wnd, int Bar, HWND Handle, vcl::TRect& R);
// The thumb of the bar over R (screen or window coordinates alike), with the system's arrows.
TThumb Ac_CalcThumbSize(const TacScrollBar* Bar, const vcl::TRect& R);
// The bar may scroll: by the system's bar information when it answers, else by the window's style.
bool Ac_IsScrollbarActive(const TacScrollBar* Bar);
// The box between the bars (on the screen) is the size grip of the top-level window.
bool Ac_CornerIsSizeGrip(const TacScrollWnd* Wnd, HWND Handle, const vcl::TRect& Corner);
// WM_NCCALCSIZE: the previous procedure measures the window as if it had no scroll bars, then
// each bar its style has and that fits takes its room.
LRESULT Ac_NCCalcSize(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam);

// Paints both bars and the box between them into the window's frame, on DC or on the window's
// DC when none is given. ThumbPos -1: the thumb where the scroll information puts it; else the
// thumb's start along the bar's axis, in window coordinates.
LRESULT Ac_NCPaint(TacScrollWnd* Wnd, HWND Handle, int ThumbPos = -1, HDC DC = nullptr);
// Paints one bar over R (window coordinates) with part Pressed shown pressed; 1 when painted.
int Ac_NCDrawScrollbar(TacScrollBar* Bar, HWND Handle, HDC DC, const vcl::TRect& R, int Pressed, int ThumbPos);
// Paints a bar whose thumb is being dragged over R (window coordinates), the thumb pressed at
// Thumb (its start from the bar's start).
void PaintDraggedBar(TacScrollBar* Bar, HWND Handle, HDC DC, const vcl::TRect& R, const TThumb& Thumb);
// One frame of the glyph image MaskIndex for State, centred in R of Target; nothing for an
// invalid image.
void Ac_DrawCenteredGlyph(vcl::TBitmap* Target, int MaskIndex, int State, const vcl::TRect& R, TsSkinManager* Manager);
// Re-reads both bars' scroll information and, with Repaint, repaints them (not during an
// animation). Nothing for no wrapper, a hidden window or one that is updating.
void UpdateScrolls(TacScrollWnd* Wnd, bool Repaint);

// The mouse on the bars: one record for the process.
struct TacScrollInteraction {
    HWND hActiveWnd = nullptr;  // the window of the last hover or press on a bar
    int nCurBar = -1;           // the pressed bar: SB_HORZ, SB_VERT, -1 none
    UINT uScrollMsg = 0;        // WM_HSCROLL or WM_VSCROLL of the press
    int nClickPortion = NoPart;    // the part pressed; NoPart while nothing is
    int nPressedPortion = NoPart;  // the part shown pressed and repeated; NoPart while the mouse is off it
    UINT_PTR idRepeatTimer = 0;
    int nHotBar = -1;
    int nHotPortion = NoPart;
    int nLastHotPortion = NoPart;
    UINT_PTR idHoverTimer = 0;
    vcl::TRect rcHotBar;     // the hovered bar, on the screen
    vcl::TRect rcTrackBar;   // the bar whose thumb is dragged, at the press
    int nTrackThumbSize = 0;
    int nTrackThumbPos = 0;
    int nTrackMouseOffset = 0;
    int nLastSBPos = -1;     // the last position sent while dragging
};
extern TacScrollInteraction acScrollState;

// The timers the bars set on their windows.
constexpr UINT_PTR HoverTimerId = 0xFFF2;
constexpr UINT HoverInterval = 20;
constexpr UINT_PTR FirstRepeatTimerId = 0xFFFD;
constexpr UINT FirstRepeatInterval = 300;
constexpr UINT_PTR RepeatTimerId = 0xFFFE;
constexpr UINT RepeatInterval = 55;

// What the mouse handling asks of the system, replaceable by tests: the position of the message
// being handled (GetMessagePos), and the starting and stopping of the bars' timers. The cursor's
// position comes from vcl::Seams().
struct TacScrollSeams {
    std::function<vcl::TPoint()> MessagePos;
    std::function<UINT_PTR(HWND Wnd, UINT_PTR Id, UINT Elapse)> SetTimer;
    std::function<void(HWND Wnd, UINT_PTR Id)> KillTimer;
};
TacScrollSeams& ScrollSeams();

// The scroll wrapper's message handlers, which descendant wrappers call too.
LRESULT Ac_NCHitTest(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam);
LRESULT Ac_NCMouseMove(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam);
LRESULT Ac_NCLButtonDown(TacScrollWnd* Wnd, HWND Handle, WPARAM HitCode, LPARAM LParam);
LRESULT Ac_MouseMove(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam);
LRESULT Ac_LButtonUp(TacScrollWnd* Wnd, HWND Handle, WPARAM WParam, LPARAM LParam);
LRESULT Ac_Timer(TacScrollWnd* Wnd, HWND Handle, WPARAM TimerId, LPARAM LParam);
// Delivers one scroll action as the window's WM_HSCROLL or WM_VSCROLL, between scmdBeforeScroll
// and scmdAfterScroll. A window that does not answer scmdBeforeScroll with 1 gets a tracked
// position written into its scroll information first.
void SendScrollMessage(HWND Handle, UINT Msg, int Code, int Pos);

// ---------------------------------------------------------------------------------------------
// The unit

// Once per process before any form: the optional system entry points, the makers of the form's
// scroll bars and of the adapter's wrappers.
void InitSBUtilsUnit();
// At the process's end: the entry points' libraries freed, the makers withdrawn.
void DoneSBUtilsUnit();

// The comctl32 and user32 entry points the bars use where the system has them; none otherwise.
using TFlatSBProc = BOOL(WINAPI*)(HWND Wnd);
using TGetScrollBarInfoProc = BOOL(WINAPI*)(HWND Wnd, LONG ObjectId, PSCROLLBARINFO Info);
extern TFlatSBProc Ac_InitializeFlatSB;
extern TFlatSBProc Ac_UninitializeFlatSB;
extern TGetScrollBarInfoProc Ac_GetScrollBarInfo;

}  // namespace skin
