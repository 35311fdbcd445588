#pragma once
// The message record every window procedure of the class library passes along, and the
// numbers of the library's own control (CM_) and reflected notification (CN_) messages.
// This header is the only place these numbers are defined.
#include <windows.h>

#include <cstdint>

namespace vcl {

// One message on its way through WindowProc -> WndProc -> Dispatch -> DefaultHandler.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    uint16_t WParamLo() const { return LOWORD(WParam); }
    uint16_t WParamHi() const { return HIWORD(WParam); }
    uint16_t LParamLo() const { return LOWORD(LParam); }
    uint16_t LParamHi() const { return HIWORD(LParam); }
};

// Typed views of the common message layouts.
inline int MessageX(const TMessage& m) { return static_cast<int16_t>(LOWORD(m.LParam)); }
inline int MessageY(const TMessage& m) { return static_cast<int16_t>(HIWORD(m.LParam)); }
inline POINT MessagePoint(const TMessage& m) { return POINT{MessageX(m), MessageY(m)}; }
inline LPARAM PointToLParam(int x, int y)
{
    return MAKELPARAM(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
}

// Control messages with the numbers other code binds to.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0x00;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;   // WParam = new Visible
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;       // LParam = the control entered
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;       // LParam = the control left
constexpr UINT CM_ENTER = CM_BASE + 0x1A;
constexpr UINT CM_EXIT = CM_BASE + 0x1B;
constexpr UINT CM_CHANGED = CM_BASE + 0x37;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 0x3C;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 0x43;

// The library's own block, in a fixed order from 0xB080.
constexpr UINT CM_OWN_BASE = CM_BASE + 0x80;
constexpr UINT CM_DEACTIVATE = CM_OWN_BASE + 0x00;
constexpr UINT CM_CANCELMODE = CM_OWN_BASE + 0x01;
constexpr UINT CM_DIALOGKEY = CM_OWN_BASE + 0x02;
constexpr UINT CM_DIALOGCHAR = CM_OWN_BASE + 0x03;
constexpr UINT CM_FOCUSCHANGED = CM_OWN_BASE + 0x04;  // LParam = the control that got the focus
constexpr UINT CM_PARENTFONTCHANGED = CM_OWN_BASE + 0x05;
constexpr UINT CM_PARENTCOLORCHANGED = CM_OWN_BASE + 0x06;
constexpr UINT CM_CURSORCHANGED = CM_OWN_BASE + 0x07;
constexpr UINT CM_CTL3DCHANGED = CM_OWN_BASE + 0x08;
constexpr UINT CM_MENUCHANGED = CM_OWN_BASE + 0x09;
constexpr UINT CM_BUTTONPRESSED = CM_OWN_BASE + 0x0A;  // WParam = GroupIndex, LParam = the button
constexpr UINT CM_SHOWINGCHANGED = CM_OWN_BASE + 0x0B;
constexpr UINT CM_RELEASE = CM_OWN_BASE + 0x0C;
constexpr UINT CM_SHOWHINTCHANGED = CM_OWN_BASE + 0x0D;
constexpr UINT CM_UIACTIVATE = CM_OWN_BASE + 0x0E;
constexpr UINT CM_HINTSHOW = CM_OWN_BASE + 0x0F;
constexpr UINT CM_CONTROLLISTCHANGE = CM_OWN_BASE + 0x10;  // WParam = control, LParam = inserting
constexpr UINT CM_CONTROLLISTCHANGING = CM_OWN_BASE + 0x11;
constexpr UINT CM_CONTROLCHANGE = CM_OWN_BASE + 0x12;
constexpr UINT CM_RECREATEWND = CM_OWN_BASE + 0x13;
constexpr UINT CM_INVALIDATE = CM_OWN_BASE + 0x14;
constexpr UINT CM_ACTIONUPDATE = CM_OWN_BASE + 0x15;
constexpr UINT CM_ACTIONEXECUTE = CM_OWN_BASE + 0x16;
constexpr UINT CM_ISSHORTCUT = CM_OWN_BASE + 0x17;
constexpr UINT CM_FLOAT = CM_OWN_BASE + 0x18;
constexpr UINT CM_DOCKCLIENT = CM_OWN_BASE + 0x19;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_OWN_BASE + 0x1A;
constexpr UINT CM_SYNCHRONIZE = CM_OWN_BASE + 0x1B;

// Notifications a parent window reflects to the child control they concern: CN_x = CN_BASE + WM_x.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// Posted by a tool bar to itself when a button's drop-down menu has closed.
constexpr UINT CN_DROPDOWNCLOSED = WM_USER + 0x1000;

}  // namespace vcl
