#pragma once
// Standard controls: the label (a graphic control that measures and draws its caption) and the
// controls over the system's EDIT, BUTTON and COMBOBOX classes; group boxes, list boxes, memos and
// scroll bars follow from headers of their own, included at the end. Each keeps its state in
// fields and gives it back to a new window in CreateWnd.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/graphics.h"
#include "vcl/messages.h"
#include "vcl/subclass.h"
#include "vcl/system.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vcl {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// Paints the owner-drawn item of the WM_DRAWITEM in Message: binds Canvas to the item's DC with
// Control's font and the colours of the item's selection, lets Draw paint it, then draws the
// focus rectangle of a focused item.
using TOwnerDrawProc = std::function<void(int Index, const TRect& Rect, TOwnerDrawState State)>;
void PaintOwnerDrawItem(TMessage& Message, TControlCanvas* Canvas, TWinControl* Control, const TOwnerDrawProc& Draw);
// Answers the WM_MEASUREITEM in Message with Height, which Measure may change (when given).
using TMeasureProc = std::function<void(int Index, int& Height)>;
void AnswerMeasureItem(TMessage& Message, int Height, const TMeasureProc& Measure);

// An item's look without a drawing event: the rectangle filled, the text at its left.
void DrawItemText(TCanvas* Canvas, const TRect& Rect, const String& Text);

// DrawTextW flags for a horizontal alignment.
UINT AlignmentDrawFlags(TAlignment Alignment);
// Whether Key is the accelerator ("&" + letter, compared without case) of Caption.
bool IsAccel(wchar_t Key, const String& Caption);

// ---------------------------------------------------------------------------------------------
// Labels

class TCustomLabel : public TGraphicControl {
    CL_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* AOwner);

    // Measures once loading is over.
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    // A transparent label leaves its background to the parent: setting it takes csOpaque away (an
    // opaque one gets it back). The property keeps what was set when others change the style.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    void SetAutoSize(bool value) override;

    void Dispatch(TMessage& Message) override;

protected:
    // With AutoSize, sizes the label to its text at once: the width kept for WordWrap, the left
    // edge kept (the right edge for taRightJustify). Nothing while loading.
    virtual void AdjustBounds();
    // Draws (or with DT_CALCRECT measures into Rect) the label's text on the canvas.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    virtual String GetLabelText() { return Caption(); }
    // The label's text as DoDrawText draws it with Flags, which gain DT_NOPREFIX without
    // ShowAccelChar: measured, an empty caption (or a lone accelerator mark) is one blank.
    String DrawnText(UINT& Flags);
    void Paint() override;

private:
    UINT TextFlags() const;
    void CMDialogChar(TMessage& Message);

    TAlignment FAlignment = TAlignment::taLeftJustify;
    TTextLayout FLayout = TTextLayout::tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    CL_CLASS(TLabel, TCustomLabel)
public:
    using TCustomLabel::TCustomLabel;
};

// ---------------------------------------------------------------------------------------------
// Edits

class TCustomEdit : public TWinControl {
    CL_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    // The selection, from the window when there is one, else as stored for the next window.
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    void SelectAll();
    void Clear() { SetText(String()); }
    // A single-line edit entered by the keyboard (not by a click) selects all of its text.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    // Alignment, password character and case are window styles: a change re-creates the window.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    wchar_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(wchar_t value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // The bevels of the frame, stored only: the system's edit draws none, the skinned edits
    // measure their border and text room by them.
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind value) { FBevelKind = value; }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value) { FBevelInner = value; }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value) { FBevelOuter = value; }
    // Stored only; the skinned edit draws it.
    const String& TextHint() const { return FTextHint; }
    void SetTextHint(const String& value) { FTextHint = value; }

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // Keeps the selection the window holds.
    void DestroyWnd() override;
    void DoEnter() override;
    virtual void Change();

private:
    void CNCommand(TMessage& Message);
    std::pair<int, int> WindowSelection();
    void ApplySelection();

    bool FReadOnly = false;
    bool FAutoSelect = true;
    int FMaxLength = 0;
    int FSelStart = 0;
    int FSelLength = 0;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    wchar_t FPasswordChar = 0;
    TEditCharCase FCharCase = TEditCharCase::ecNormal;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    TBevelKind FBevelKind = TBevelKind::bkNone;
    TBevelCut FBevelInner = TBevelCut::bvRaised;
    TBevelCut FBevelOuter = TBevelCut::bvLowered;
    String FTextHint;
    TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
    CL_CLASS(TEdit, TCustomEdit)
public:
    using TCustomEdit::TCustomEdit;
};

// Sets the text and background colours of a control's DC from its font and brush; the brush is
// the answer to WM_CTLCOLOR*.
void ApplyControlColors(TMessage& Message, TWinControl* Control);

// ---------------------------------------------------------------------------------------------
// Buttons

// Base of the controls over the BUTTON class.
class TButtonControl : public TWinControl {
    CL_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* AOwner);

    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    virtual bool Checked() { return false; }
    virtual void SetChecked(bool) {}

protected:
    void CreateParams(TCreateParams& Params) override;
    // Also takes the action's check state.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    // While set, a change of the check state by code fires no OnClick.
    bool FClicksDisabled = false;

private:
    bool FWordWrap = false;
};

class TButton : public TButtonControl {
    CL_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* AOwner);

    // The button Enter clicks while no other button has the focus.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    // The button Esc clicks.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // Given to the form on a click.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }

    void Click() override;
    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // Shows the button as the default one (thick frame) or not.
    virtual void SetButtonStyle(bool ADefault);

private:
    void CMFocusChanged(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);

    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    int FModalResult = 0;
};

class TCustomCheckBox : public TButtonControl {
    CL_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    TCheckBoxState State() const { return FState; }
    // A change is shown and fires OnClick (unless clicks are disabled).
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    // Which side the caption lies on: taRightJustify (the default) puts the box left of it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    bool Checked() override { return FState == TCheckBoxState::cbChecked; }
    void SetChecked(bool value) override;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // A user's click: unchecked -> (grayed ->) checked -> unchecked.
    virtual void Toggle();

private:
    TCheckBoxState FState = TCheckBoxState::cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = TAlignment::taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    CL_CLASS(TCheckBox, TCustomCheckBox)
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
    CL_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    bool Checked() override { return FChecked; }
    // Becoming checked unchecks the radio buttons beside it and fires OnClick.
    void SetChecked(bool value) override;

    void Dispatch(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

private:
    bool FChecked = false;
    TAlignment FAlignment = TAlignment::taRightJustify;
};

// ---------------------------------------------------------------------------------------------
// Combo boxes

// The items of a list-like control (combo box, list box): kept by the control and mirrored into
// its window while it has one. An index out of range reads as an empty text.
class TControlItems : public TStrings {
    CL_CLASS(TControlItems, TStrings)
public:
    // The window messages that insert, delete and remove every item.
    struct TItemMessages {
        UINT InsertString;
        UINT DeleteString;
        UINT ResetContent;
    };
    TControlItems(TWinControl* Control, const TItemMessages& Messages) : FControl(Control), FMessages(Messages) {}

    int Count() const override { return FList.Count(); }
    int Add(const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const String& s) const override { return FList.IndexOf(s); }

    bool Sorted() const { return FList.Sorted(); }
    void SetSorted(bool value) { FList.SetSorted(value); }
    // Fills an empty window with every item.
    void PushTo(HWND Handle) const;

protected:
    String Get(int index) const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    // What the control keeps of the items while it has no window follows an insertion, a deletion
    // and the removal of all items.
    virtual void ItemInserted(int) {}
    virtual void ItemDeleted(int) {}
    virtual void Cleared() {}
    HWND Window() const;
    // An index kept without a window follows the items an insertion or deletion moves (a deleted
    // index becomes -1).
    static void ShiftOnInsert(int& Selected, int Index);
    static void ShiftOnDelete(int& Selected, int Index);

private:
    TWinControl* FControl;
    TItemMessages FMessages;
    TStringList FList;
};

class TCustomComboBox;

class TComboBoxStrings : public TControlItems {
    CL_CLASS(TComboBoxStrings, TControlItems)
public:
    explicit TComboBoxStrings(TCustomComboBox* ComboBox);
    // Keeps the combo box's text.
    void Clear() override;

protected:
    void ItemInserted(int index) override;
    void ItemDeleted(int index) override;

private:
    TCustomComboBox* FComboBox;
};

using TDrawItemEvent = TDelegate<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TDelegate<void(TWinControl* Control, int Index, int& Height)>;

class TCustomComboBox : public TWinControl {
    CL_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* AOwner);

    // The items, also without a window; descendants may keep them their own way.
    virtual TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { Items()->Assign(value); }
    // Selecting by code fires no OnChange; -1 selects nothing.
    int ItemIndex();
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    int DropDownCount() const { return FDropDownCount; }
    virtual void SetDropDownCount(int value) { FDropDownCount = value; }
    bool DroppedDown();
    void SetDroppedDown(bool value);
    int ItemHeight();
    void SetItemHeight(int value);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool value) { FItems->SetSorted(value); }
    TCanvas* Canvas() const { return FCanvas.get(); }
    // The edit and list windows the system made inside the combo box (null when absent).
    HWND EditHandle() const { return FEditHandle; }
    HWND ListHandle() const { return FListHandle; }
    // The edit part holds the focus for the combo box.
    bool Focused() const override;
    // Wnd is the combo box's own window or its edit window.
    bool OwnsWindow(HWND Wnd) const { return Wnd && (Wnd == FHandle || Wnd == FEditHandle); }

    // Fires on every keystroke into the edit part and on a selection from the list.
    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    TNotifyEvent OnDropDown() const { return FOnDropDown; }
    void SetOnDropDown(TNotifyEvent value) { FOnDropDown = value; }
    TNotifyEvent OnCloseUp() const { return FOnCloseUp; }
    void SetOnCloseUp(TNotifyEvent value) { FOnCloseUp = value; }
    TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TDrawItemEvent value) { FOnDrawItem = value; }
    TMeasureItemEvent OnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(TMeasureItemEvent value) { FOnMeasureItem = value; }

    void Dispatch(TMessage& Message) override;

protected:
    friend class TComboBoxStrings;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Messages of the edit and list windows inside the combo box; ComboProc is their own procedure.
    virtual void ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc);
    // Finds the windows the system made inside the combo box and passes their messages through
    // ComboWndProc.
    virtual void SubclassChildren();
    void SubclassChild(HWND Child);
    // The height of the list's items; ItemHeight reads it.
    virtual int GetItemHt();
    virtual void Change();
    // A user's choice from the list, after Text took the item: OnChange.
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    // The reflected WM_DRAWITEM and WM_MEASUREITEM of the list and the field.
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);

    int FItemIndex = -1;
    HWND FEditHandle = nullptr;
    HWND FListHandle = nullptr;

private:
    void CNCommand(TMessage& Message);
    // Makes the list tall enough for DropDownCount items.
    void AdjustDropDown();

    std::unique_ptr<TComboBoxStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
    int FDropDownCount = 8;
    int FItemHeight = 16;
    std::vector<std::unique_ptr<TWindowSubclass>> FChildSubclasses;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnDropDown;
    TNotifyEvent FOnCloseUp;
    TDrawItemEvent FOnDrawItem;
    TMeasureItemEvent FOnMeasureItem;
};

class TComboBox : public TCustomComboBox {
    CL_CLASS(TComboBox, TCustomComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

}  // namespace vcl

// The rest of the standard controls, in units of their own.
#include "vcl/stdctrls_group.h"
#include "vcl/stdctrls_lists.h"
#include "vcl/stdctrls_memo.h"
#include "vcl/stdctrls_scrollbar.h"

