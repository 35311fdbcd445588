#pragma once
// The window wrappers that skinned controls keep over windows of their own: the skinned scroll
// bars of a memo, a scroll box or a frame, and the skinned drop-down list of a combo box. The
// standard-window skinning above the controls makes them and registers its makers here; while
// they are unset the controls keep the system's bars and lists.
#include <windows.h>

#include <memory>

namespace skin {

class TsCommonData;
class TsSkinManager;

// A wrapper a control keeps; freeing it gives its window back.
class TacControlWrapper {
public:
    virtual ~TacControlWrapper() = default;
    // The window went away and the wrapper gave it back.
    virtual bool Destroyed() const = 0;
};
using TControlWrapperPtr = std::unique_ptr<TacControlWrapper>;

struct TacControlWrapperMakers {
    // Keeps Wnd in line with the skin: a scroll wrapper on the skin data's control while it is
    // skinned (a new one when the window was re-created), none while it is not. The edit kind acts
    // also while the control is loading.
    void (*RefreshScrolls)(TsCommonData* SkinData, TControlWrapperPtr& Wnd) = nullptr;
    void (*RefreshEditScrolls)(TsCommonData* SkinData, TControlWrapperPtr& Wnd) = nullptr;
    // The wrapper of a combo box's list window, in the section "EDIT" of Manager; SimplyBox for
    // the always shown list of a simple combo box.
    TControlWrapperPtr (*MakeComboList)(HWND List, TsSkinManager* Manager, bool SimplyBox) = nullptr;
    // Gives the window back without repainting it and frees the wrapper; Wnd is none afterwards.
    void (*FreeScrollWrapper)(TControlWrapperPtr& Wnd) = nullptr;
};
TacControlWrapperMakers& ControlWrapperMakers();

// The calls through the makers; nothing while a maker is unset.
void RefreshScrolls(TsCommonData* SkinData, TControlWrapperPtr& Wnd);
void RefreshEditScrolls(TsCommonData* SkinData, TControlWrapperPtr& Wnd);
void FreeScrollWrapper(TControlWrapperPtr& Wnd);

}  // namespace skin
