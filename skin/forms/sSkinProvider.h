#pragma once
// The per-form skin provider component: the form's caption, borders and title buttons are to be
// painted from the skin section it names. For now it keeps that section.
#include "skin/core/sCommonData.h"

#include "vcl/classes.h"
#include "vcl/messages.h"

#include <memory>

namespace skin {

class TsSkinProvider : public vcl::TComponent {
    CL_CLASS(TsSkinProvider, vcl::TComponent)
public:
    explicit TsSkinProvider(vcl::TComponent* AOwner);

    TsCommonData* SkinData() const { return FCommonData.get(); }

    // The designer's entry for skin commands; this program has no designer, so it does nothing.
    void DsgnWndProc(vcl::TMessage& /*Message*/) {}

private:
    std::unique_ptr<TsCommonData> FCommonData;
};

}  // namespace skin
