#pragma once
// The control adapter of a skinned form: it walks the form's controls and hands each supported
// plain control to a window wrapper that skins it, recolours plain labels and gives nested forms
// and frames their own skinning.
#include "vcl/controls.h"
#include "vcl/messages.h"

namespace skin {

class TsSkinProvider;

class TacCtrlAdapter {
public:
    explicit TacCtrlAdapter(TsSkinProvider* AProvider) : Provider(AProvider) {}
    virtual ~TacCtrlAdapter() = default;
    TacCtrlAdapter(const TacCtrlAdapter&) = delete;
    TacCtrlAdapter& operator=(const TacCtrlAdapter&) = delete;

    // Takes every supported control under OwnerCtrl; the provider's form when none.
    void AddAllItems(vcl::TWinControl* OwnerCtrl = nullptr);
    // Takes one windowed control with the default section.
    virtual void AddNewItem(vcl::TWinControl* Ctrl);
    // Passes a message on to the window of every live wrapped control.
    virtual void WndProc(vcl::TMessage& Message);

    TsSkinProvider* Provider;  // the owning provider
};

}  // namespace skin
