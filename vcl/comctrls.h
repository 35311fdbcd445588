#pragma once
// Common controls: the progress bar, the status bar with its panels, the track bar and the up-down
// control, over the system's msctls_progress32, msctls_statusbar32, msctls_trackbar32 and
// msctls_updown32 classes; the tab controls, the tool bar and the extended combo box follow from
// headers of their own, included at the end.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/stdctrls.h"
#include "vcl/system.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// TProgressBar

// The kinds of tool button: a push button, a check button, a button with a drop-down arrow part, an
// empty gap, a dividing line, and a button that shows its caption only.
enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };

enum class TProgressBarOrientation { pbHorizontal, pbVertical };
enum class TProgressBarStyle { pbstNormal, pbstMarquee };
enum class TProgressBarState { pbsNormal, pbsError, pbsPaused };

class TProgressBar : public TWinControl {
    CL_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int value) { SetRange(value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int value) { SetRange(FMin, value); }
    // Always within [Min, Max].
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Step() const { return FStep; }
    void SetStep(int value);
    void StepIt() { SetPosition(FPosition + FStep); }
    void StepBy(int Delta) { SetPosition(FPosition + Delta); }
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool value);
    TProgressBarStyle Style() const { return FStyle; }
    void SetStyle(TProgressBarStyle value);
    // Milliseconds between the moves of a marquee.
    int MarqueeInterval() const { return FMarqueeInterval; }
    void SetMarqueeInterval(int value);
    // Stored; the skinned bar paints it.
    TProgressBarState State() const { return FState; }
    void SetState(TProgressBarState value) { FState = value; }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

private:
    // Keeps Position within the new range.
    void SetRange(int AMin, int AMax);
    void ApplyColors();
    void ApplyMarquee();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TProgressBarOrientation FOrientation = TProgressBarOrientation::pbHorizontal;
    bool FSmooth = false;
    TProgressBarStyle FStyle = TProgressBarStyle::pbstNormal;
    int FMarqueeInterval = 10;
    TProgressBarState FState = TProgressBarState::pbsNormal;
    TColor FBarColor = clDefault;
    TColor FBackgroundColor = clDefault;
};

// ---------------------------------------------------------------------------------------------
// TStatusBar

class TStatusBar;

enum class TStatusPanelStyle { psText, psOwnerDraw };
enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
    CL_CLASS(TStatusPanel, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;

    const String& Text() const { return FText; }
    void SetText(const String& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel value);
    void Assign(TPersistent* Source) override;

private:
    String FText;
    int FWidth = 50;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TStatusPanelStyle FStyle = TStatusPanelStyle::psText;
    TStatusPanelBevel FBevel = TStatusPanelBevel::pbLowered;
};

class TStatusPanels : public TCollection {
    CL_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* StatusBar);

    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

protected:
    TPersistent* GetOwner() override;
    // A changed panel is shown again; a changed list (Item null) lays the parts out anew.
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* FStatusBar;
};

// The right edges SB_SETPARTS takes for panels of these widths: cumulative, the last -1 (to the
// bar's right edge).
std::vector<int> StatusPartEdges(const std::vector<int>& Widths);

using TDrawPanelEvent = TDelegate<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

// A status bar placed by our alignment (bottom by default), not by the system; a click anywhere
// on it fires OnClick.
class TStatusBar : public TWinControl {
    CL_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* AOwner);

    TStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* value) { FPanels->Assign(value); }
    // One panel over the whole bar showing SimpleText instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool value);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    TDrawPanelEvent OnDrawPanel() const { return FOnDrawPanel; }
    void SetOnDrawPanel(TDrawPanelEvent value) { FOnDrawPanel = value; }

    void Dispatch(TMessage& Message) override;

protected:
    friend class TStatusPanels;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // An owner-drawn panel: OnDrawPanel with the canvas on the panel's DC.
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);
    // Gives the window the parts and every panel's text.
    void UpdatePanels();
    void UpdatePanel(int Index);

private:
    void CNDrawItem(TMessage& Message);
    void ApplyColor();

    std::unique_ptr<TStatusPanels> FPanels;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
    TDrawPanelEvent FOnDrawPanel;
};

// ---------------------------------------------------------------------------------------------
// TTrackBar

enum class TTrackBarOrientation { trHorizontal, trVertical };
// Where the ticks come from: every Frequency positions, none, or only those set with SetTick.
enum class TTickStyle { tsNone, tsAuto, tsManual };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };

// A slider over a range. The window keeps the range, position, ticks and selection and tracks the
// mouse and keys; OnChange fires once for every change of Position, by the user or by code.
class TTrackBar : public TWinControl {
    CL_CLASS(TTrackBar, TWinControl)
    CL_PUBLISHED
public:
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int value) { SetRange(value, std::max(value, FMax)); }
    int Max() const { return FMax; }
    void SetMax(int value) { SetRange(std::min(FMin, value), value); }
    // Always within [Min, Max].
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // The thumb's length across the bar, in pixels.
    int ThumbLength() const { return FThumbLength; }
    void SetThumbLength(int value);
    // Positions between automatic ticks.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    // A window style: a change re-creates the window.
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark value);
    // Adds a tick at a position (tsManual).
    void SetTick(int Value);
    // The selected range the channel shows; 0 and 0 show none.
    int SelStart() const { return FSelStart; }
    void SetSelStart(int value);
    int SelEnd() const { return FSelEnd; }
    void SetSelEnd(int value);
    // A change re-creates the window and turns the bar's size around.
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation value);

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    virtual void Changed();

private:
    // Keeps Position within the new range.
    void SetRange(int AMin, int AMax);
    // Stores a new position (clamped), tells the window when asked, and fires OnChange once.
    void MovePosition(int value, bool TellWindow);
    void ApplySelection();
    void CNScroll(TMessage& Message);

protected:
    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FThumbLength = 20;
    int FFrequency = 1;
    TTickStyle FTickStyle = TTickStyle::tsAuto;
    TTickMark FTickMarks = TTickMark::tmBottomRight;
    int FSelStart = 0;
    int FSelEnd = 0;
    TTrackBarOrientation FOrientation = TTrackBarOrientation::trHorizontal;
    std::vector<int> FTicks;
    TNotifyEvent FOnChange;
};

// ---------------------------------------------------------------------------------------------
// TUpDown

enum class TUDAlignButton { udLeft, udRight };
enum class TUDOrientation { udHorizontal, udVertical };
// The button a click came from: the one that moves up (right) or down (left).
enum class TUDBtnType { btNext, btPrev };
enum class TUpDownDirection { updNone, updUp, updDown };

using TUDClickEvent = TDelegate<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = TDelegate<void(TObject* Sender, bool& AllowChange)>;
using TUDChangingEventEx =
    TDelegate<void(TObject* Sender, bool& AllowChange, SmallInt NewValue, TUpDownDirection Direction)>;

// A pair of arrow buttons over a position in [Min, Max]; each click moves it by Increment, and
// past an end it stops there, or with Wrap goes round to the other end. An associated control
// (an edit) shows the position as its text and sits beside the buttons.
class TCustomUpDown : public TWinControl {
    CL_CLASS(TCustomUpDown, TWinControl)
public:
    explicit TCustomUpDown(TComponent* AOwner);
    void Notification(TComponent* AComponent, TOperation Operation) override;

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value);
    // Kept within [Min, Max]; the window's own when it has one.
    int Position();
    void SetPosition(int value);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value);
    // Window styles: a change re-creates the window.
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* value);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation value);
    // The arrow keys step the position while the associated control has the focus.
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool value);
    // The associated control's text groups thousands.
    bool Thousands() const { return FThousands; }
    void SetThousands(bool value);

    // A click on a button, after the position moved.
    TUDClickEvent OnClick() const { return FOnClick; }
    void SetOnClick(TUDClickEvent value) { FOnClick = value; }
    // Asked before a click moves the position; AllowChange false keeps it.
    TUDChangingEvent OnChanging() const { return FOnChanging; }
    void SetOnChanging(TUDChangingEvent value) { FOnChanging = value; }
    TUDChangingEventEx OnChangingEx() const { return FOnChangingEx; }
    void SetOnChangingEx(TUDChangingEventEx value) { FOnChangingEx = value; }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // OnChanging, then OnChangingEx with the value a click proposes.
    virtual bool CanChange(int NewValue, int Delta);
    virtual void Click(TUDBtnType Button);

private:
    template<class T>
    void SetStyleField(T& Field, T Value)
    {
        if (ChangeField(Field, Value))
            RecreateWnd();
    }
    void SetRange(int AMin, int AMax);
    void ApplyPosition();
    void ApplyAssociate();
    void CNNotify(TMessage& Message);
    void CNScroll(TMessage& Message);

    int FMin = 0;
    int FMax = 100;
    int FIncrement = 1;
    int FPosition = 0;
    bool FWrap = false;
    TWinControl* FAssociate = nullptr;
    TUDAlignButton FAlignButton = TUDAlignButton::udRight;
    TUDOrientation FOrientation = TUDOrientation::udVertical;
    bool FArrowKeys = true;
    bool FThousands = true;
    // The sign of the step the last click asked for.
    int FLastDelta = 0;
    TUDClickEvent FOnClick;
    TUDChangingEvent FOnChanging;
    TUDChangingEventEx FOnChangingEx;
};

class TUpDown : public TCustomUpDown {
    CL_CLASS(TUpDown, TCustomUpDown)
public:
    using TCustomUpDown::TCustomUpDown;
};

}  // namespace vcl

// The tab controls, the tool bar and the extended combo box, in units of their own.
#include "vcl/comctrls_comboex.h"
#include "vcl/comctrls_tabs.h"
#include "vcl/comctrls_toolbar.h"
