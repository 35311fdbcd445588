// The gallery program: every skinned control in its states in one window, in the skin of the folder
// named on its command line (tools/gallery.sh runs it in our skin or in a test skin):
//   gallery.exe SKIN_FOLDER
#include <windows.h>

#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/acPNG.h"
#include "skin/windows/acSBUtils.h"
#include "tools/gallery/Gallery.h"
#include "vcl/application.h"
#include "vcl/pictures.h"
#include "vcl/sysutils.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using vcl::Application;
    if (vcl::ParamCount() != 1) {
        MessageBoxW(nullptr, L"gallery.exe SKIN_FOLDER", L"Gallery of skinned controls", MB_OK);
        return 2;
    }
    try {
        vcl::RegisterStandardGraphicFormats();
        skin::RegisterPNGGraphic();
        skin::InitStyleSimplyUnit();
        skin::InitSkinManagerUnit();
        skin::InitSBUtilsUnit();
        Application->Initialize();
        Application->SetTitle(L"Gallery of skinned controls");
        vcl::TObjectPtr<skin::TsSkinManager> manager(vcl::Create<skin::TsSkinManager>(nullptr));
        manager->LoadSkinFolder(vcl::ParamStr(1));
        manager->SendNewSkin(false);
        vcl::TForm* form = nullptr;
        Application->CreateForm(form);
        form->SetCaption(L"Gallery of skinned controls: " + vcl::ParamStr(1));
        const gallery::TGallery shown = gallery::BuildGallery(form);
        gallery::ShowGallery(shown);
        Application->Run();
    } catch (const vcl::Exception& e) {
        Application->ShowException(e);
    }
    return 0;
}
