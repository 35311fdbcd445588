#include "skin/forms/sSkinProvider.h"

#include "skin/core/sSkinManagerPreview.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/seams.h"

namespace skin {

TsSkinProvider::TsSkinProvider(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), FCommonData(std::make_unique<TsCommonData>(this, false))
{
    FCommonData->COC = ckSkinProvider;
}

namespace {

// The window that stands on the taskbar for the provider's form: the application's window for a
// main form that is not on the taskbar itself.
HWND TaskbarWindow(TsSkinProvider* Provider)
{
    auto* form = dynamic_cast<vcl::TCustomForm*>(Provider->Owner());
    if (!form)
        return nullptr;
    if (vcl::Application && form == vcl::Application->MainForm() && !vcl::Application->MainFormOnTaskBar())
        return vcl::Application->Handle();
    return form->Handle();
}

}  // namespace

void StartMinimizing(TsSkinProvider* Provider)
{
    const HWND taskbar = TaskbarWindow(Provider);
    UpdatePreview(taskbar, true);
    DwmInvalidateIconicBitmaps(taskbar);
}

bool StartRestoring(TsSkinProvider* /*Provider*/) { return false; }

bool DoLayered(HWND Wnd, bool Layered)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    if (!Layered || !SetLayeredWindowAttributes) {
        SetWindowLongPtrW(Wnd, GWL_STYLE, GetWindowLongPtrW(Wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE));
        SetWindowLongPtrW(Wnd, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED));
        return false;
    }
    if (exStyle & WS_EX_LAYERED)
        return false;
    SetWindowLongPtrW(Wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Wnd, 0, 1, LWA_ALPHA);
    return true;
}

bool AeroIsEnabled() { return vcl::Seams().CompositionEnabled(); }

HRESULT DwmSetWindowAttribute(HWND Wnd, DWORD Attribute, const void* Value, DWORD Size)
{
    return vcl::Seams().DwmSetWindowAttribute(Wnd, Attribute, Value, Size);
}

void DwmInvalidateIconicBitmaps(HWND Wnd) { vcl::Seams().DwmInvalidateIconicBitmaps(Wnd); }

}  // namespace skin
