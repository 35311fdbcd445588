#pragma once
// The per-form skin provider component: the form's caption, borders and title buttons are to be
// painted from the skin section it names. For now it keeps that section and the state the skin
// manager's form locking reads and writes.
#include "skin/core/sCommonData.h"

#include "vcl/classes.h"
#include "vcl/messages.h"

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

    // Flags of FormState.
    static constexpr uint32_t fsCoverShown = 0x1000;  // the border window shows the cover picture
    static constexpr uint32_t fsPaintLocked = 0x10000;  // the form's painting is frozen by LockForms

    uint32_t FormState = 0;
    bool FInAnimation = false;         // the form is in an animation
    bool FDrawNonClientArea = false;   // the provider paints caption and borders

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
