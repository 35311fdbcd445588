#pragma once
// Forms: top-level windows with their border styles, showing, modal loops, closing and focus.
// Includes the application and the screen, which forms work with, and the scrolling containers
// forms are made of.
#include "vcl/application.h"
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/forms_scrolling.h"
#include "vcl/pictures.h"
#include "vcl/screen.h"
#include "vcl/system.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace vcl {

class TMainMenu;
class TMenuItem;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                       poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal };
using TFormState = TSet<TFormStateItem>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;
constexpr TModalResult mrClose = mrYesToAll + 1;

using TCloseEvent = TDelegate<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TDelegate<void(TObject* Sender, bool& CanClose)>;

// ---------------------------------------------------------------------------------------------
// TCustomForm

class TCustomForm : public TScrollingWinControl {
    CL_CLASS(TCustomForm, TScrollingWinControl)
    CL_PUBLISHED
public:
    explicit TCustomForm(TComponent* AOwner);

    // OnCreate, whose exception goes to the application; the form exists either way.
    void AfterConstruction() override;
    // OnDestroy first, then the form leaves the screen and goes as any windowed control.
    void BeforeDestruction() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void Show() override;
    void SetVisible(bool value) override;
    // Runs the form in its own message loop until ModalResult is set; hides it and returns it.
    virtual TModalResult ShowModal();
    void Close();
    // Frees the form once the messages already queued are handled.
    void Release();

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    TFormState FormState() const { return FFormState; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    // fsStayOnTop keeps the window above every window that is not topmost. An fsMDIForm holds the
    // system's MDI client window, in which the fsMDIChild forms live; a child belongs to the main
    // form, which must be an MDI form. Set the MDI styles before the window is made.
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    // The MDI client window of an MDI form, null for other forms.
    HWND ClientHandle() const { return FClientHandle; }
    // An MDI form's children in the client's stacking order: the active one first.
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    TCustomForm* ActiveMDIChild() const;
    // The item of an MDI form's menu whose submenu the system ends with the list of the children.
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    bool Active() const { return FActive; }
    // A layered window: with AlphaBlend the whole form shows at AlphaBlendValue (0 invisible to
    // 255 opaque); with TransparentColor its pixels of TransparentColorValue are see-through.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool value) { SetLayered(FAlphaBlend, value); }
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte value) { SetLayered(FAlphaBlendValue, value); }
    bool TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(bool value) { SetLayered(FTransparentColor, value); }
    TColor TransparentColorValue() const { return FTransparentColorValue; }
    void SetTransparentColorValue(TColor value) { SetLayered(FTransparentColorValue, value); }
    TControlCanvas* Canvas() const { return FCanvas.get(); }
    // The display that holds most of the form (its window is made when it has none yet).
    TMonitor* Monitor() { return Screen->MonitorFromWindow(Handle()); }
    // The window's icon; empty, the window shows the system's. A change goes to the window at once.
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* value) { FIcon->Assign(value); }
    // The menu bar; its items' OnClick run on WM_COMMAND, its owner-drawn items are drawn through
    // their events.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);

    TRect ClientRect() override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // Makes Control the active control and gives it the focus.
    void FocusControl(TWinControl* Control);
    // Called when a control of this form got the focus: exit and enter events along the chains.
    bool SetFocusedControl(TWinControl* Control);
    // Tab order navigation among the tab-stop controls that can take the focus.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // A showing form lets the actions of itself and of its visible controls bring themselves up to
    // date; the application does it at idle.
    void UpdateActions();

    TNotifyEvent OnCreate() const { return FOnCreate; }
    void SetOnCreate(TNotifyEvent value) { FOnCreate = value; }
    TNotifyEvent OnDestroy() const { return FOnDestroy; }
    void SetOnDestroy(TNotifyEvent value) { FOnDestroy = value; }
    TNotifyEvent OnShow() const { return FOnShow; }
    void SetOnShow(TNotifyEvent value) { FOnShow = value; }
    TNotifyEvent OnHide() const { return FOnHide; }
    void SetOnHide(TNotifyEvent value) { FOnHide = value; }
    TCloseEvent OnClose() const { return FOnClose; }
    void SetOnClose(TCloseEvent value) { FOnClose = value; }
    TCloseQueryEvent OnCloseQuery() const { return FOnCloseQuery; }
    void SetOnCloseQuery(TCloseQueryEvent value) { FOnCloseQuery = value; }
    TNotifyEvent OnActivate() const { return FOnActivate; }
    void SetOnActivate(TNotifyEvent value) { FOnActivate = value; }
    TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(TNotifyEvent value) { FOnDeactivate = value; }
    TNotifyEvent OnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent value) { FOnPaint = value; }

    void Dispatch(TMessage& Message) override;

protected:
    // An MDI form's client window takes the room its aligned controls leave.
    void AlignControls(TControl* AControl, TRect& Rect) override;
    friend class TWinControl;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // An MDI child goes through its client, which then activates the next child.
    void DestroyWindowHandle() override;
    // What the form does not handle goes to the system's frame procedure on an MDI form and to its
    // child procedure on an MDI child.
    void DefaultHandler(TMessage& Message) override;
    void PaintWindow(HDC DC) override;
    virtual void Paint();
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual bool CloseQuery();
    virtual void Activate();
    virtual void Deactivate();

private:
    template<class T>
    void SetLayered(T& Field, T Value)
    {
        if (ChangeField(Field, Value))
            UpdateLayeredAttributes();
    }
    // Makes the window layered with the blend and key, or plain again when neither is on.
    void UpdateLayeredAttributes();
    void CloseModal();
    void ShowingChanged();
    void ApplyPosition();
    // A windowed control leaves the form: forget it as the active or focused control.
    void ControlRemoved(TWinControl* Control);
    void WMActivate(TMessage& Message);
    void WMSize(TMessage& Message);
    // The main form minimises through the application window, whose hooks see it first.
    void WMSysCommand(TMessage& Message);
    // The constraints limit how far the user can drag the frame.
    void WMGetMinMaxInfo(TMessage& Message);
    // CM_ISSHORTCUT: WParam a shortcut, LParam the control that has the focus. The popup menus of
    // that control and its parents come first, then the form's menu; a hidden item counts, a
    // disabled one does not. The item found is clicked and the answer is 1.
    void CMIsShortCut(TMessage& Message);
    // Puts the menu bar on the window (or takes it off) and tells the menu.
    void AttachMenu(bool Attach);
    // Gives the window the icon.
    void IconChanged(TObject* Sender);
    // The MDI form children live in: the main form when it is one, else null.
    static TCustomForm* MDIForm();
    void CreateMDIClient();
    // Hands the menu bar and the window menu to the MDI client, which lists the children again.
    void RefreshMDIMenu();
    // The bar shows the active child's menu merged into the form's.
    void MergeActiveChildMenu();
    // An AutoMerge menu of a form other than the main form is not the form's own bar: it shows
    // merged into the main form's bar by GroupIndex while the form is active.
    bool MergesIntoMainMenu() const;
    // Merges the menu into the main form's bar, or takes it out again; an MDI form's bar merges
    // its active child's menu only, and a modal form merges nothing.
    void MergeIntoMainMenu(bool Merge);
    // The MDI children in the client's order, the active one first.
    std::vector<TCustomForm*> MDIChildList() const;

    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    TBorderIcons FBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TPosition FPosition = TPosition::poDesigned;
    TWindowState FWindowState = TWindowState::wsNormal;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
    TFormState FFormState;
    TModalResult FModalResult = mrNone;
    bool FKeyPreview = false;
    bool FScaled = false;
    bool FActive = false;
    bool FPositioned = false;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 255;
    bool FTransparentColor = false;
    TColor FTransparentColorValue = clBlack;
    int FLoadedClientWidth = -1;
    int FLoadedClientHeight = -1;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TMainMenu* FMenu = nullptr;
    TMenuItem* FWindowMenu = nullptr;
    HWND FClientHandle = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;
    std::unique_ptr<TIcon> FIcon;
    TNotifyEvent FOnCreate;
    TNotifyEvent FOnDestroy;
    TNotifyEvent FOnShow;
    TNotifyEvent FOnHide;
    TCloseEvent FOnClose;
    TCloseQueryEvent FOnCloseQuery;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
    TNotifyEvent FOnPaint;
};

class TForm : public TCustomForm {
    CL_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

}  // namespace vcl
