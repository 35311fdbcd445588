#pragma once
// Sending the skin command message, asking with it and passing it through window trees, and the
// small control utilities the skin engine shares.
//
// Senders never create a window: a control without a handle and a control being destroyed get
// nothing, and the senders answer 0 for them.
#include <windows.h>

#include <cstdint>

#include "vcl/controls.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace skin {

// The kind of a show, hide or change animation: atFading changes the alpha only, atAero also zooms.
enum class TacAnimType { atFading, atAero };

// Set while a show, hide or skin-change animation runs.
extern bool InAnimationProcess;
// Waits while InAnimationProcess is set, for an animation of TimeMs milliseconds: at most that
// time and a margin, so that a flag left set never hangs the caller. With ProcessMessages the
// application's messages are handled meanwhile, so that the timers that drive an animation tick.
void WaitForAnimationEnd(unsigned TimeMs, bool ProcessMessages = false);
// Set while PaintControls runs: the children's painting cannot start it again.
extern bool acGraphPainting;

// ---------------------------------------------------------------------------------------------
// Sending and asking

// The skin command Cmd (argument 0) with LParam, sent to a window; its answer.
LRESULT SendAMessage(HWND Handle, uint16_t Cmd, LPARAM LParam = 0);
// The same to a control: by Perform to a control without a window, by SendMessage to a windowed
// control that has a handle and is not being destroyed; 0 otherwise.
LRESULT SendAMessage(vcl::TControl* Control, uint16_t Cmd, LPARAM LParam = 0);
// Asks with Cmd: true when the answer is 1.
bool GetBoolMsg(vcl::TWinControl* Control, uint16_t Cmd);
bool GetBoolMsg(HWND Handle, uint16_t Cmd);

// ---------------------------------------------------------------------------------------------
// Passing messages on

// Message to the children of Control, re-reading the child count at every step: a child being
// destroyed is skipped; a child without a window or without a handle gets it by Perform; a
// skinned windowed child (scmdQuerySkinned) by SendMessage; any other windowed child passes it
// on to its own children, so skinned controls inside plain containers are reached.
void AlphaBroadCast(vcl::TWinControl* Control, vcl::TMessage& Message);
// Message to every window whose parent is Handle (not to grandchildren).
void AlphaBroadCast(HWND Handle, const vcl::TMessage& Message);
// Message to the first skin provider the form owns (its DsgnWndProc).
void SendToProvider(vcl::TCustomForm* Form, vcl::TMessage& Message);
// Tells the children that the parent has repainted (scmdParentUpdated); nothing while an
// animation runs.
void SetParentUpdated(vcl::TWinControl* Control);
// Tells the child-style windows of Handle, in z-order.
void SetParentUpdated(HWND Handle);
// Asks Control's form to take Control into its provider's adapter (scmdAdaptControl).
void AddToAdapter(vcl::TWinControl* Control);

// ---------------------------------------------------------------------------------------------
// Painting the graphic children

// Paints the visible graphic children of OwnerControl that meet DC's clip into DC, each at its
// place moved by Offset, without flicker: each is painted off screen over the background
// OwnerControl answers (an opaque child over its own colour) and copied to DC, unless the off-screen
// pixel at its offset place is the key colour. An empty clip only tells OwnerControl it is half
// visible (scmdSetHalfVisible). With CheckVisible nothing is painted for a hidden OwnerControl. A
// child whose painting raises is left out.
void PaintControls(HDC DC, vcl::TWinControl* OwnerControl, const vcl::TPoint& Offset, bool CheckVisible = true);

// ---------------------------------------------------------------------------------------------
// Colours and control utilities

// The background colour of a control, RGB: a skinned control's answer to scmdQueryColor, else its
// Color; 0xFF00FF for none.
vcl::TColor GetControlColor(vcl::TControl* Control);
// A window's answer to scmdQueryColor, RGB (an unskinned window answers black); 0xFF00FF for none.
vcl::TColor GetControlColor(HWND Handle);
// False for none, a windowed control without a handle, a control being created, read, loaded or
// destroyed, and a control without a parent.
bool ControlIsReady(vcl::TControl* Control);
// The object is a component being destroyed.
bool ComponentDestroying(const vcl::TObject* Object);
// The application has been told to end.
bool ApplicationEnding();
// The first of Component and its owners that is a form; none when there is none.
vcl::TCustomForm* GetOwnerForm(vcl::TComponent* Component);
// The same for a frame.
vcl::TCustomFrame* GetOwnerFrame(vcl::TComponent* Component);
// The top of Handle's chain of parent windows (Handle itself without a parent).
HWND GetParentFormHandle(HWND Handle);
// The client rectangle in window coordinates.
vcl::TRect ACClientRect(HWND Handle);
// The room the visible children aligned with Align take: heights for top and bottom, widths
// for left and right (graphic children only when GraphCtrlsToo); 0 for other alignments.
int GetAlignShift(vcl::TWinControl* Control, vcl::TAlign Align, bool GraphCtrlsToo);
// The text drawing flags of an alignment: horizontal alignment, expanded tabs, vertical centre.
int GetStringFlags(vcl::TControl* Control, vcl::TAlignment Alignment);
// The whole text of the edit is selected.
bool AllEditSelected(vcl::TCustomEdit* Edit);
// Sets the margins of the system's edit window Edit so that its text runs from Left to Right in
// the window coordinates of Owner (Edit itself, or the window it lies in), as far as margins of 0
// or more allow.
void PlaceEditText(HWND Edit, HWND Owner, int Left, int Right);
// Gives the system's edit window Edit back the margins its font calls for.
void UseFontMargins(HWND Edit);
// The cursor position on the screen.
vcl::TPoint acMousePos();
// A press hides the application's hints, keeping what they were, unless they are hidden already;
// true when this call hid them.
bool SuppressHints();
// Shows them again as they were; nothing while they are not hidden.
void RestoreHints();
// The hints one control's press hid: shown again by its release, or when the control goes, only
// when this press was the one that hid them.
class TPressHints {
public:
    TPressHints() = default;
    ~TPressHints() { Release(); }
    TPressHints(const TPressHints&) = delete;
    TPressHints& operator=(const TPressHints&) = delete;

    void Press() { FHid = SuppressHints() || FHid; }
    void Release()
    {
        if (!FHid)
            return;
        FHid = false;
        RestoreHints();
    }

private:
    bool FHid = false;
};

// ---------------------------------------------------------------------------------------------
// The system's theme switch of a window, where the system has it

using TSetWindowTheme = HRESULT(WINAPI*)(HWND Wnd, LPCWSTR SubAppName, LPCWSTR SubIdList);
// "SetWindowTheme" of the theme library, looked up at start-up; none without it.
extern TSetWindowTheme Ac_SetWindowTheme;

}  // namespace skin
