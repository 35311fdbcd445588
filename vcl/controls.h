#pragma once
// Controls: the message chain (WindowProc -> WndProc -> Dispatch -> DefaultHandler), windowed
// controls over real windows bound through a window property, graphic controls painted by their
// parent, alignment, mouse capture and routing, focus and keys.
#include "vcl/actnlist.h"
#include "vcl/alignment.h"
#include "vcl/classes.h"
#include "vcl/graphics.h"
#include "vcl/messages.h"
#include "vcl/system.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace vcl {

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum class TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth,
    csFixedHeight, csNoDesignVisible, csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

enum class TControlStateItem {
    csLButtonDown, csClicked, csReadingState, csFocusing, csCreating, csPaintCopy, csCustomPaint,
    csDestroyingHandle, csAligning, csRecreating
};
using TControlState = TSet<TControlStateItem>;

// The frame of a control: none, or a single (sunken with Ctl3D) border.
enum class TBorderStyle { bsNone, bsSingle };
// One bevel of a frame, and the kind of bevels an edit's frame has (none, tiled, soft or flat).
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

// How an owner-drawn item (of a list, a combo box, a menu) is to be drawn.
enum class TOwnerDrawStateItem {
    odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
    odNoFocusRect, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
// The state of DRAWITEMSTRUCT's itemState (ODS_* flags).
TOwnerDrawState OwnerDrawState(UINT ItemState);

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Cursor identifiers; crDefault leaves the choice to the parent or the window class.
enum class TCursor : int16_t {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
    crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
    crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19,
    crHelp = -20, crHandPoint = -21, crSizeAll = -22
};

using TWndMethod = TDelegate<void(TMessage& Message)>;
using TMouseEvent = TDelegate<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TDelegate<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    TDelegate<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = TDelegate<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TDelegate<void(TObject* Sender, wchar_t& Key)>;

using TAnchors = TSet<TAnchorKind>;

// Limits of a control's size; 0 means no limit. A maximum below the minimum pulls the minimum
// down with it (and the other way round). Changes are told through OnChange.
class TSizeConstraints : public TPersistent {
    CL_CLASS(TSizeConstraints, TPersistent)
    CL_PUBLISHED
public:
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value);
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value);
    void Assign(TPersistent* Source) override;
    // A size clamped into the limits.
    void Constrain(int& Width, int& Height) const;

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }

private:
    // Stores Value in Limit and, when the other limit of the pair now contradicts it, moves that one too.
    void SetLimit(int& Limit, int& Other, int Value, bool IsMaximum);
    void Changed();

    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
    TNotifyEvent FOnChange;
};

// How a control is dragged: as a plain drag, or docked into another control.
enum class TDragKind { dkDrag, dkDock };

enum class TScrollBarKind { sbHorizontal, sbVertical };

// What a scroll request (WM_HSCROLL, WM_VSCROLL) asks for; the members follow the SB_ codes.
enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
// The position a request asks for, from Pos: a line or a page back or on, the dragged thumb's
// TrackPos, or an end; never outside [Min, Max].
int ScrollRequestPosition(TScrollCode Code, int Pos, int TrackPos, int Min, int Max, int SmallChange, int LargeChange);
// The thumb position a scroll request carries for Bar (SB_HORZ, SB_VERT, SB_CTL) of Window: the
// message holds 16 bits of it, the window the rest of a larger range.
int ScrollTrackPosition(HWND Window, int Bar, WPARAM Request);

// Shift state from the key flags of a mouse message (MK_*) or the keyboard.
TShiftState KeysToShiftState(WPARAM Keys);
// The key flags of a mouse message (MK_*) for a shift state; Alt has none.
WPARAM ShiftStateToKeys(TShiftState Shift);
TShiftState KeyboardStateToShiftState();

// ---------------------------------------------------------------------------------------------
// TControl

class TControl;

// The link of a control to its action: every change of the action reaches the control's
// ActionChange.
class TControlActionLink : public TBasicActionLink {
    CL_CLASS(TControlActionLink, TBasicActionLink)
public:
    explicit TControlActionLink(TControl* Client) : FClient(Client) {}

protected:
    void Change() override;

private:
    TControl* FClient;
};

class TControl : public TComponent {
    CL_CLASS(TControl, TComponent)
    CL_PUBLISHED
public:
    explicit TControl(TComponent* AOwner);

    // Leaves the parent and every global reference (mouse control, capture, focus).
    void BeforeDestruction() override;
    void Loaded() override;
    // A freed action or popup menu leaves the controls that refer to it.
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Outside loading a csSetCaption control whose text was its old name takes the new name.
    void SetName(const String& NewName) override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    // Bounds, relative to the parent's client area (screen coordinates for top-level windows).
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // A real change; a control without a window then gets WM_WINDOWPOSCHANGED (LParam 0).
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    // The client area's top-left corner on the screen.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(const TPoint& p) { return p + ClientOrigin(); }
    TPoint ScreenToClient(const TPoint& p) { return p - ClientOrigin(); }

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    virtual void Show();
    void Hide() { SetVisible(false); }
    // A windowed control shows its window (parents may still hide it); a graphic control is
    // visible on a showing parent.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    // Caption and Text are one value: the window text, or the stored text without a window.
    // Descendants whose text stands for something else than the window shows override both.
    virtual String Text();
    virtual void SetText(const String& value);
    String Caption() { return Text(); }
    void SetCaption(const String& value) { SetText(value); }

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // "Short|long": the short part shows in the hint window, the long one as the application's Hint.
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    // Whether the hint shows: the parent's answer while ParentShowHint, else the control's own.
    bool ShowHint() const;
    // Also ends ParentShowHint.
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    // Pops up on a right click or the context key (when its AutoPopup is set).
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    // The sides of the parent whose distances an unaligned control keeps when the parent resizes,
    // measured whenever the control's bounds or anchors are set.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    // The action whose caption, enabled and visible state, hint and execute event the control
    // takes; a click runs it. Linked while loading, the control's own values set so far stay.
    TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    void SetAction(TBasicAction* value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    // Lets the action bring itself up to date (its OnUpdate); the application asks at idle.
    virtual void InitiateAction();
    // Limits every new size; a change applies to the current size at once.
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* value) { FConstraints->Assign(value); }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool value);
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind value) { FDragKind = value; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }
    // Right-to-left layouts are not used: every answer is left to right.
    bool UseRightToLeftAlignment() const { return false; }
    bool UseRightToLeftReading() const { return false; }
    bool UseRightToLeftScrollBar() const { return false; }

    // Replaceable entry of every message; starts as this control's WndProc.
    TWndMethod WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod value) { FWindowProc = value; }
    // Sends a message through WindowProc at once; works without a window and never creates one.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    virtual void WndProc(TMessage& Message);
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    bool MouseCapture();
    void SetMouseCapture(bool value);

    TNotifyEvent OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent value) { FOnClick = value; }
    TNotifyEvent OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TNotifyEvent value) { FOnDblClick = value; }
    TMouseEvent OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(TMouseEvent value) { FOnMouseDown = value; }
    TMouseEvent OnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(TMouseEvent value) { FOnMouseUp = value; }
    TMouseMoveEvent OnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(TMouseMoveEvent value) { FOnMouseMove = value; }
    TNotifyEvent OnMouseEnter() const { return FOnMouseEnter; }
    void SetOnMouseEnter(TNotifyEvent value) { FOnMouseEnter = value; }
    TNotifyEvent OnMouseLeave() const { return FOnMouseLeave; }
    void SetOnMouseLeave(TNotifyEvent value) { FOnMouseLeave = value; }
    TMouseWheelEvent OnMouseWheel() const { return FOnMouseWheel; }
    void SetOnMouseWheel(TMouseWheelEvent value) { FOnMouseWheel = value; }
    TNotifyEvent OnResize() const { return FOnResize; }
    void SetOnResize(TNotifyEvent value) { FOnResize = value; }

protected:
    friend class TWinControl;
    friend class TControlCanvas;
    friend class TControlActionLink;

    // Takes the properties of the action (Sender) that changed; with CheckDefaults only those the
    // control still has at their defaults.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Without an OnClick of its own, a click runs the action.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void Resize();
    // Tells the control that it changed: CM_CHANGED with the control in LParam.
    void Changed();
    // Scales bounds and font by M/D (forms that are Scaled; children follow their parent).
    virtual void ChangeScale(int M, int D);
    // Asks the parent to place its children again.
    void RequestAlign();
    // Measures what the anchors keep: the bounds now and the parent's size now. Nothing while the
    // parent places its children or while loading (the parent measures once it has loaded).
    void UpdateAnchorRules();
    // Where the anchors put this control in its parent's present size.
    void ApplyAnchorRules();
    // Invalidates this control's area on the parent; the parent erases behind it unless opaque.
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    // A DC for drawing outside WM_PAINT, and the window it belongs to.
    virtual HDC GetDeviceContext(HWND& WindowHandle);
    bool IsLoading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }
    bool IsDestroying() const { return ComponentState().Contains(TComponentStateItem::csDestroying); }

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    String FText;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    TCursor FCursor = TCursor::crDefault;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TAlign FAlign = TAlign::alNone;
    TAnchors FAnchors{TAnchorKind::akLeft, TAnchorKind::akTop};
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FAutoSize = false;
    TDragKind FDragKind = TDragKind::dkDrag;
    TControlStyle FControlStyle;
    TControlState FControlState;
    TWndMethod FWindowProc;
    std::unique_ptr<TControlActionLink> FActionLink;

private:
    // Moves the control to the top or the bottom of its siblings of the same kind.
    void MoveInZOrder(bool toTop);
    void FontChanged(TObject* Sender);
    void ConstraintsChanged(TObject* Sender);
    void WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double);
    void WMMouseMove(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void CMMouseEnterLeave(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);

    TNotifyEvent FOnClick;
    TNotifyEvent FOnDblClick;
    TMouseEvent FOnMouseDown;
    TMouseEvent FOnMouseUp;
    TMouseMoveEvent FOnMouseMove;
    TNotifyEvent FOnMouseEnter;
    TNotifyEvent FOnMouseLeave;
    TMouseWheelEvent FOnMouseWheel;
    TNotifyEvent FOnResize;
    // The anchors' reference: the bounds and the parent's size when last measured.
    TAlignRect FAnchorOrigin;
    TSize FAnchorParentSize;
    bool FAnchorRulesValid = false;
};

// ---------------------------------------------------------------------------------------------
// TWinControl

// What CreateWindowExW is called with; descendants adjust it in CreateParams.
struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSEXW WindowClass{};
    String WinClassName;
};

class TWinControl : public TControl {
    CL_CLASS(TWinControl, TControl)
    CL_PUBLISHED
public:
    explicit TWinControl(TComponent* AOwner);

    // Destroys the window (children first) and frees the child controls still parented here.
    void BeforeDestruction() override;
    void Loaded() override;

    // The window, created (parents first) on first use.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys and, when showing, re-creates the window, keeping the state held in fields.
    void RecreateWnd();

    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    bool Showing() const override { return FShowing; }
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    // Children in z-order, bottom first: graphic controls, then windowed ones.
    int ControlCount() const;
    TControl* Controls(int index) const;
    bool ContainsControl(TControl* Control) const;
    // The topmost visible child at a client point (enabled unless AllowDisabled).
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    virtual bool CanFocus();
    virtual bool Focused() const;
    // Moves the focus here; raises EInvalidOperation when the control cannot take it.
    virtual void SetFocus();
    // The windowed controls of this control's tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List);

    TBrush* Brush() const { return FBrush.get(); }
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
    bool ParentBackground() const { return FControlStyle.Contains(TControlStyleItem::csParentBackground); }
    void SetParentBackground(bool value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign() { AlignControl(nullptr); }

    // Performs Message on every child until one answers non-zero.
    void Broadcast(TMessage& Message);
    // Performs Msg (WParam 0, LParam this) on every child.
    void NotifyControls(UINT Msg);

    // Paints the visible graphic children that meet DC's clip, from First (all when null) upwards.
    void PaintControls(HDC DC, TControl* First);
    // Draws this control with its children into DC at (X, Y); csPaintCopy is in its control state
    // meanwhile.
    void PaintTo(HDC DC, int X, int Y);

    TNotifyEvent OnEnter() const { return FOnEnter; }
    void SetOnEnter(TNotifyEvent value) { FOnEnter = value; }
    TNotifyEvent OnExit() const { return FOnExit; }
    void SetOnExit(TNotifyEvent value) { FOnExit = value; }
    TKeyEvent OnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(TKeyEvent value) { FOnKeyDown = value; }
    TKeyEvent OnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyUp(TKeyEvent value) { FOnKeyUp = value; }
    TKeyPressEvent OnKeyPress() const { return FOnKeyPress; }
    void SetOnKeyPress(TKeyPressEvent value) { FOnKeyPress = value; }

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

protected:
    friend class TControl;
    friend class TCustomForm;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);

    virtual void CreateParams(TCreateParams& Params);
    // Adds the window border of Style: a sunken client edge with Ctl3D, else a line.
    void AddBorderStyle(TCreateParams& Params, TBorderStyle Style) const;
    // The colour a control starts with instead of its parent's (constructors call it).
    void InitColor(TColor Value);
    // Makes Params a copy of a system window class whose procedure becomes FDefWndProc.
    void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    void CreateHandle();
    void DestroyHandle();
    // Shows or hides the window as this control and its parents become (in)visible.
    void UpdateShowing();
    void UpdateControlState();

    virtual void PaintWindow(HDC DC);
    void PaintHandler(TMessage& Message);
    // WM_PAINT of a control that paints itself: PaintWindow runs even without graphic children.
    void CustomPaint(TMessage& Message);
    virtual void AdjustClientRect(TRect& Rect);
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    void AlignControl(TControl* AControl);

    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(wchar_t& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // Key preview by the form, then KeyDown/KeyUp/KeyPress; true when the key was eaten.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);

    HDC GetDeviceContext(HWND& WindowHandle) override;
    void ChangeScale(int M, int D) override;
    // The next windowed sibling above this one that has a window (the one to go below).
    HWND PrecedingWindow(TWinControl* Control);
    // Moves every child by (DeltaX, DeltaY) and the window's picture with them; the anchors
    // measure from the new places.
    void ScrollControls(int DeltaX, int DeltaY);

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    bool FShowing = false;
    std::unique_ptr<TBrush> FBrush;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    bool FCtl3D = true;
    int FBorderWidth = 0;

private:
    LRESULT MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Whether the form previews keys and its Preview (DoKeyDown, DoKeyUp or DoKeyPress) ate this one.
    bool FormPreviewsKey(TMessage& Message, bool (TWinControl::*Preview)(TMessage&));
    bool IsControlMouseMsg(TMessage& Message);
    void WMPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMPrintClient(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMCommandReflect(TMessage& Message);
    void WMCaptureChanged(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void WMNCDestroy(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    // Whether the form took the key of a CN_KEYDOWN as a menu shortcut.
    bool IsMenuKey(const TMessage& Message);
    void CNChar(TMessage& Message);
    void CMRecreateWnd(TMessage& Message);
    void UpdateBounds();
    void ExcludeOpaqueChildren(HDC DC);

    std::vector<TControl*> FControls;      // graphic children, bottom first
    std::vector<TWinControl*> FWinControls;  // windowed children, bottom first
    std::vector<TWinControl*> FTabList;
    int FAlignLevel = 0;
    bool FAlignPending = false;
    TNotifyEvent FOnEnter;
    TNotifyEvent FOnExit;
    TKeyEvent FOnKeyDown;
    TKeyEvent FOnKeyUp;
    TKeyPressEvent FOnKeyPress;
};

// ---------------------------------------------------------------------------------------------
// Canvases of controls

// A canvas on a control, for drawing outside WM_PAINT: a windowed control's own DC, or the parent's
// DC moved to a graphic control's origin and clipped to it. The DC is released at the next idle,
// when the window goes, or when WM_PAINT binds the canvas.
class TControlCanvas : public TCanvas {
    CL_CLASS(TControlCanvas, TCanvas)
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    void SetControl(TControl* value);
    // Releases the DC this canvas got for itself.
    void FreeHandle();
    // Locks the canvas and binds DC to it while Paint runs (the paint path of WM_PAINT).
    void PaintOn(HDC DC, const std::function<void()>& Paint);
    // Releases the DCs of every unlocked control canvas (all of them for one window when given).
    static void FreeDeviceContexts(HWND Window = nullptr);

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Graphic and custom controls

// A control without a window, painted by its parent through WM_PAINT with the DC in WParam.
class TGraphicControl : public TControl {
    CL_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    TControlCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
    CL_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    TControlCanvas* Canvas() const { return FCanvas.get(); }
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// ---------------------------------------------------------------------------------------------
// Free functions

// The control bound to a window of this process, or null.
TWinControl* FindControl(HWND Handle);
// The form at the top of Control's parents (topForm), or the nearest form among them.
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// A window of Control took the focus: the top form makes Control its focused control. False when
// the form refuses it; true without a form.
bool TakeFormFocus(TWinControl* Control);
// The control holding the mouse capture (a graphic control or its parent), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// Depth of the alignment passes now running anywhere.
int AlignDepth();

}  // namespace vcl
