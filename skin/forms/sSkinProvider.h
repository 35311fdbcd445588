#pragma once
// The per-form skin provider component: the form's caption, borders and title buttons are to be
// painted from the skin section it names. For now it keeps that section, the state the skin
// manager's form locking and application-window hook read and write, and the hook's entries into
// form skinning, which take their plain paths while the provider paints no caption or borders.
#include "skin/core/sCommonData.h"

#include "vcl/classes.h"
#include "vcl/forms.h"
#include "vcl/messages.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace skin {

class TsSkinProvider : public vcl::TComponent {
    CL_CLASS(TsSkinProvider, vcl::TComponent)
public:
    explicit TsSkinProvider(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

    // The designer's entry for skin commands; this program has no designer, so it does nothing.
    void DsgnWndProc(vcl::TMessage& /*Message*/) {}

    // Shows the form's skinned system menu at the screen point (X, Y). The provider has no
    // skinned system menu yet, so nothing shows.
    virtual void DropSysMenu(int /*X*/, int /*Y*/) {}

    // Flags of FormState.
    static constexpr uint32_t fsExitAnimation = 0x200;  // the application window's exit animation hid the form
    static constexpr uint32_t fsCoverShown = 0x1000;    // the border window shows the cover picture
    static constexpr uint32_t fsPaintLocked = 0x10000;  // the form's painting is frozen by LockForms

    uint32_t FormState = 0;
    bool FInAnimation = false;         // the form is in an animation
    bool FDrawNonClientArea = false;   // the provider paints caption and borders
    bool FAllowAnimation = true;       // the form may be animated
    bool SkipAnimation = false;        // the provider's own hide animation is skipped
    vcl::TCustomForm* CoverForm = nullptr;  // a borderless form over the form during an animation

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

// Starts the minimise animation of the provider's form and marks the taskbar window for previews.
// Without the provider's animations only the taskbar window's preview attributes change.
void StartMinimizing(TsSkinProvider* Provider);
// Starts the restore animation; false when none starts, as without the provider's animations.
bool StartRestoring(TsSkinProvider* Provider);
// With Layered, a window that is not layered yet becomes layered and almost transparent (alpha
// 1): true. Without Layered, or without layered windows, it loses WS_VISIBLE and WS_EX_LAYERED:
// false. False too for a window that already was layered.
bool DoLayered(HWND Wnd, bool Layered);

// The desktop window manager through the system seams: composition is on; a window attribute
// (E_NOTIMPL without the manager); a window's iconic bitmaps invalidated.
bool AeroIsEnabled();
HRESULT DwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size);
void DwmInvalidateIconicBitmaps(HWND Wnd);

}  // namespace skin
