// An exception that escapes the start or the message loop is shown like any other, one of a
// foreign kind with an empty message.
#include "mainwindow/Program.h"

#include "mainwindow/Addressform.h"
#include "mainwindow/Mainform.h"
#include "mainwindow/Mastersettingform.h"
#include "mainwindow/Searchform.h"

#include "skin/core/sSkinManager.h"
#include "skin/graphics/acPNG.h"
#include "skin/windows/acSBUtils.h"
#include "vcl/forms.h"
#include "vcl/pictures.h"

#include <windows.h>

int RunProgram()
{
    using vcl::Application;
    // A missing disk or an empty removable drive (a skin folder probed there, say) fails the call
    // that touched it instead of stopping the program with a box of the system's own.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS);
    try {
        // The picture formats, before any form loads a picture file.
        vcl::RegisterStandardGraphicFormats();
        skin::RegisterPNGGraphic();
        // The skin engine's start-up, before any form: the program's icons, the default shadows, the
        // skinning of standard windows.
        skin::InitStyleSimplyUnit();
        skin::InitSkinManagerUnit();
        skin::InitSBUtilsUnit();
        Application->Initialize();
        Application->SetMainFormOnTaskBar(true);
        Application->SetTitle(L"Config Zirvane series");
        Application->CreateForm(frmMain);
        Application->CreateForm(frmNewAddr);
        Application->CreateForm(frmMasterSetting);
        Application->CreateForm(frmSearch);
        Application->Run();
    } catch (const vcl::Exception& e) {
        Application->ShowException(e);
    } catch (...) {
        Application->ShowException(vcl::Exception(L""));
    }
    skin::DoneSBUtilsUnit();
    return 0;
}
