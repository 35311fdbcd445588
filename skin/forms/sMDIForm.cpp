#include "skin/forms/sMDIForm.h"

#include "skin/forms/sSkinProvider.h"

namespace skin {

TacMDIWrapperFactory& MDIWrapperFactory()
{
    static TacMDIWrapperFactory factory = [](HWND, TsSkinManager*, TsSkinProvider*) {
        return std::unique_ptr<TacMDIClientWrapper>();
    };
    return factory;
}

TsMDIForm::TsMDIForm(TsSkinProvider* AOwner) : SkinProvider(AOwner)
{
    if (!SkinProvider->Form)
        return;
    FForm = SkinProvider->Form;
    FForm->HandleNeeded();
}

TsMDIForm::~TsMDIForm() { DestroyScrolls(); }

void TsMDIForm::ConnectToClient()
{
    if (ListSW || (FForm && FForm->ComponentState().Contains(vcl::TComponentStateItem::csDesigning)))
        return;
    RefreshMDIScrolls();
}

void TsMDIForm::RefreshMDIScrolls()
{
    DestroyScrolls();
    TsCommonData* data = SkinProvider->SkinData();
    if (FForm && data->Skinned(false))
        ListSW = MDIWrapperFactory()(FForm->ClientHandle(), data->SkinManager(), SkinProvider);
}

void TsMDIForm::UpdateMDIIconItem() { SkinProvider->RepaintMenu(); }

void TsMDIForm::DestroyScrolls()
{
    std::unique_ptr<TacMDIClientWrapper> wrapper = std::move(ListSW);
}

}  // namespace skin
