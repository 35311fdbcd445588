#pragma once
// The scrolling wrappers of edit-like windows: edits, memos and list boxes (TacEditWnd) and the
// list window of a combo box (TacComboListWnd); and the makers with which a skinned control keeps
// a scroll wrapper over its own window.
//
// An edit wrapper paints the window's border from its section (default "EDIT") through the cache,
// keeps the control's colours in line with the skin (written by name, so that a control with a
// published "FocusColor" gets it too, and one with "UseXPThemes" keeps its visual theme), and
// gives them back when the skin goes.
#include <windows.h>

#include "skin/windows/acSBUtils.h"

namespace skin {

// A scrolling wrapper that refreshes its bars after what can move them and repaints its frame
// after a repaint command or an enabling.
class TacBaseWnd : public TacScrollWnd {
public:
    using TacScrollWnd::TacScrollWnd;
    void acWndProc(vcl::TMessage& Message) override;
};

class TacEditWnd : public TacBaseWnd {
public:
    // Wraps nothing for handle 0. The section is SkinSection, "EDIT" when empty, also over one the
    // skin data had.
    TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const vcl::String& SkinSection,
               bool Repaint);

    void SaveStdParams() override;
    void RestoreStdParams() override;
    void SetSkinParams() override;
    void acWndProc(vcl::TMessage& Message) override;

    // The client rectangle relative to the window's top-left corner, measured on first use.
    vcl::TRect ClientRect();

    vcl::TColor Color = vcl::clNone;       // the background of a plain window
    vcl::TColor FocusColor = vcl::clNone;  // the owner control's "FocusColor" before the skin
    vcl::TColor FrameColor = vcl::TColor(0);  // the border of a plain window: the skin's, 0 unskinned

protected:
    void Subclass() override;
    // The window's frame into its DC: the cache's border and the bars.
    void NCPaint(vcl::TMessage& Message);
    void Print(vcl::TMessage& Message);

private:
    bool SkinCommand(vcl::TMessage& Message);
    // True when the message is done with.
    bool BeforeBase(vcl::TMessage& Message);
    void FocusChange(vcl::TMessage& Message);
    bool Paint(vcl::TMessage& Message);
    bool EraseBackground(vcl::TMessage& Message);
    void AfterBase(UINT Msg, vcl::TMessage& Message);
    void ApplyOwnerColours();

    vcl::TRect FClientRect{0, -1, 0, -1};
};

// The list window of a combo box: the section's colour framed by one pixel of the skin's border
// colour, and skinned scroll bars whose clicks it routes itself, since the dropped list holds the
// mouse. Under a simple combo box it also paints the strip of the box below the list.
class TacComboListWnd : public TacEditWnd {
public:
    TacComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                    const vcl::String& SkinSection, bool Repaint);
    // With the width made one pixel wider for a drop-down list, so that it measures its frame anew.
    TacComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                    const vcl::String& SkinSection, bool Repaint, bool ASimplyBox);
    void acWndProc(vcl::TMessage& Message) override;

    bool Showed = false;     // between the list's start and end of mouse tracking
    bool SimplyBox = false;  // the list of a simple combo box

protected:
    void Subclass() override;

private:
    void PrepareListCache();
    void ListNCPaint(vcl::TMessage& Message);
    void PaintStripBelow();
    void LButtonUp(vcl::TMessage& Message);
    void PrintList(vcl::TMessage& Message);
};

// The makers a skinned control keeps its wrappers by (sControlWrappers.h), registered at the
// unit's start.
void RegisterControlWrapperMakers();
void WithdrawControlWrapperMakers();

}  // namespace skin
