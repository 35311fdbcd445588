#pragma once
// The companion of a skin provider whose form is an MDI main form: it wraps the form's MDI client
// window (the window that holds the MDI children) in a skinned window wrapper, so that the client
// area and its scroll bars are painted from the skin with the provider's skin data. The wrapper
// is made once per connection: connecting again keeps it, and a provider that is no longer
// skinned gives the plain client window back.
#include <windows.h>

#include <functional>
#include <memory>

#include "vcl/classes.h"
#include "vcl/forms.h"

namespace skin {

class TsSkinManager;
class TsSkinProvider;

// The skinned wrapper of an MDI client window; freeing it gives the window back.
class TacMDIClientWrapper {
public:
    virtual ~TacMDIClientWrapper() = default;
};

// Makes the wrapper of the MDI client window ClientHandle: skin data of its own with the section
// "CHECKBOX" under Manager, painting the client area with the skin data of Provider's form, and
// repainted at once. Answers none while the program has no such wrapper.
using TacMDIWrapperFactory = std::function<std::unique_ptr<TacMDIClientWrapper>(
    HWND ClientHandle, TsSkinManager* Manager, TsSkinProvider* Provider)>;
// The factory in force; by default it makes none.
TacMDIWrapperFactory& MDIWrapperFactory();

class TsMDIForm : public vcl::TPersistent {
    CL_CLASS(TsMDIForm, vcl::TPersistent)
public:
    // The companion of AOwner; the provider's form gets its window at once, so that its MDI client
    // window exists.
    explicit TsMDIForm(TsSkinProvider* AOwner);
    // Frees the wrapper.
    ~TsMDIForm() override;

    // Wraps the MDI client window unless it is wrapped already or the form is being designed.
    void ConnectToClient();
    // A new wrapper while the provider is skinned (its skin in force or not); none otherwise.
    void RefreshMDIScrolls();
    // Frees the wrapper; the field is cleared first.
    void DestroyScrolls();
    // The provider's menu line is measured and painted again (a child's icon came or went).
    void UpdateMDIIconItem();

    vcl::TCustomForm* FForm = nullptr;             // the MDI main form, the provider's form
    std::unique_ptr<TacMDIClientWrapper> ListSW;  // the wrapper of the MDI client window, or none
    TsSkinProvider* SkinProvider;                 // the provider that owns this object
};

}  // namespace skin
