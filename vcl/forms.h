#pragma once
// Forms, the application object with its window and message loop, the screen, and hidden
// utility windows.
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/system.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace vcl {

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

class TCustomForm : public TWinControl {
    CL_CLASS(TCustomForm, TWinControl)
    CL_PUBLISHED
public:
    explicit TCustomForm(TComponent* AOwner);

    // OnCreate, whose exception goes to the application; the form exists either way.
    void AfterConstruction() override;
    // OnDestroy first, then the form leaves the screen and goes as any windowed control.
    void BeforeDestruction() override;
    void Loaded() override;

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
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value) { FFormStyle = value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    bool Active() const { return FActive; }
    TControlCanvas* Canvas() const { return FCanvas.get(); }

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
    friend class TWinControl;

    void CreateParams(TCreateParams& Params) override;
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
    void CloseModal();
    void ShowingChanged();
    void ApplyPosition();
    // A windowed control leaves the form: forget it as the active or focused control.
    void ControlRemoved(TWinControl* Control);
    void WMActivate(TMessage& Message);
    void WMSize(TMessage& Message);

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
    int FLoadedClientWidth = -1;
    int FLoadedClientHeight = -1;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;
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

// ---------------------------------------------------------------------------------------------
// TApplication

using TExceptionEvent = TDelegate<void(TObject* Sender, Exception& E)>;
using TMessageEvent = TDelegate<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TDelegate<void(TObject* Sender, bool& Done)>;
// A hook on the application window's messages: true when it handled the message.
using TWindowHook = TDelegate<bool(TMessage& Message)>;

class TApplication : public TComponent {
    CL_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    void BeforeDestruction() override;

    // COM for the shell, the common controls, and the hidden application window.
    void Initialize();
    // The application window (made on first use).
    HWND Handle();

    const String& Title() const { return FTitle; }
    void SetTitle(const String& value);
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool value) { FMainFormOnTaskBar = value; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }
    TCustomForm* MainForm() const { return FMainForm; }
    bool Terminated() const { return FTerminated; }

    // Creates a form owned by the application; Reference is set before OnCreate runs, and the
    // first form so created becomes the main form.
    template<class T>
    void CreateForm(T*& Reference)
    {
        T* form = new T(this);
        Reference = form;
        try {
            form->AfterConstruction();
        } catch (...) {
            Reference = nullptr;
            form->Free();
            throw;
        }
        FormCreated(form);
    }

    // Shows the main form (when ShowMainForm) and handles messages until Terminate.
    void Run();
    // One message, or the idle work when there is none (then it waits for the next message).
    void HandleMessage();
    // Handles every message already queued.
    void ProcessMessages();
    // Ends Run once the messages queued before it are handled.
    void Terminate();
    // Call inside a catch block: EAbort is silent, anything else goes to OnException or a message box.
    void HandleException(TObject* Sender);
    void ShowException(const Exception& E);
    // A message box owned by the active form (else the main form, else this window); an empty
    // caption means the Title.
    int MessageBox(const String& Text, const String& Caption = String(), UINT Flags = MB_OK);
    void Minimize();
    void Restore();

    void HookMainWindow(const TWindowHook& Hook);
    void UnhookMainWindow(const TWindowHook& Hook);

    // The innermost control under the mouse.
    TControl* MouseControl() const { return FMouseControl; }
    // Forgets every reference to a control that goes away.
    void ControlDestroyed(TControl* Control);

    TExceptionEvent OnException() const { return FOnException; }
    void SetOnException(TExceptionEvent value) { FOnException = value; }
    TMessageEvent OnMessage() const { return FOnMessage; }
    void SetOnMessage(TMessageEvent value) { FOnMessage = value; }
    TIdleEvent OnIdle() const { return FOnIdle; }
    void SetOnIdle(TIdleEvent value) { FOnIdle = value; }
    TNotifyEvent OnActivate() const { return FOnActivate; }
    void SetOnActivate(TNotifyEvent value) { FOnActivate = value; }
    TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
    void SetOnDeactivate(TNotifyEvent value) { FOnDeactivate = value; }
    TNotifyEvent OnMinimize() const { return FOnMinimize; }
    void SetOnMinimize(TNotifyEvent value) { FOnMinimize = value; }
    TNotifyEvent OnRestore() const { return FOnRestore; }
    void SetOnRestore(TNotifyEvent value) { FOnRestore = value; }

private:
    void FormCreated(TCustomForm* Form);
    bool ProcessMessage(MSG& Msg);
    void Idle();
    bool IsKeyMsg(MSG& Msg);
    // Re-evaluates the control under the mouse and sends leave and enter.
    void DoMouseIdle();
    void WndProc(TMessage& Message);
    void WakeMainThread();
    HWND MessageBoxOwner();

    HWND FHandle = nullptr;
    String FTitle;
    bool FMainFormOnTaskBar = false;
    bool FShowMainForm = true;
    bool FShowHint = true;
    bool FTerminated = false;
    TCustomForm* FMainForm = nullptr;
    TControl* FMouseControl = nullptr;
    std::vector<TWindowHook> FWindowHooks;
    TExceptionEvent FOnException;
    TMessageEvent FOnMessage;
    TIdleEvent FOnIdle;
    TNotifyEvent FOnActivate;
    TNotifyEvent FOnDeactivate;
    TNotifyEvent FOnMinimize;
    TNotifyEvent FOnRestore;
};

// ---------------------------------------------------------------------------------------------
// TScreen

class TScreen : public TComponent {
    CL_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);

    // Every form, in creation order except that the last activated one is first.
    int CustomFormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* CustomForms(int index) const;
    // The same, counting only TForm descendants.
    int FormCount() const;
    TForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }

    int Width() const;
    int Height() const;
    int DesktopLeft() const;
    int DesktopTop() const;
    int DesktopWidth() const;
    int DesktopHeight() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const { return ScreenPixelsPerInch(); }
    // Installed font families, sorted; read on first use.
    TStrings* Fonts();
    TFont* MenuFont();
    TFont* HintFont();
    TFont* IconFont();

    // The cursor that overrides every control's while it is not crDefault.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    HCURSOR Cursors(TCursor id) const;
    // Depth of the alignment passes now running.
    int AlignLevel() const { return AlignDepth(); }

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void FormActivated(TCustomForm* Form);
    void ReadSystemFonts();

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TCursor FCursor = TCursor::crDefault;
    std::unique_ptr<TStringList> FFonts;
    std::unique_ptr<TFont> FMenuFont;
    std::unique_ptr<TFont> FHintFont;
    std::unique_ptr<TFont> FIconFont;
};

// The application and the screen, made at start-up; they live until the process ends unless
// the program frees them.
extern TApplication* Application;
extern TScreen* Screen;

// A hidden utility window (class "TPUtilWindow") whose messages go to Method; Method handles
// every message, calling DefWindowProcW for those it does not want.
HWND AllocateHWnd(const TWndMethod& Method);
void DeallocateHWnd(HWND Wnd);

}  // namespace vcl
