#pragma once
// What the frame adapter, MDI form and menu line tests share: the MDI test skin in force, a
// hidden 400 x 300 form that holds the controls under test, and MDI forms with children in an
// application of their own.
#include <gtest/gtest.h>

#include <filesystem>

#include "ProviderFixtures.h"
#include "skin/core/sMessages.h"
#include "vcl/application.h"
#include "vcl/menus.h"

namespace skintest {

// The MDI test skin's sections, in the order of the generator.
constexpr int MdiMenuLine = 3, MdiMenuItem = 4, MdiGroupBox = 6;

inline vcl::String MdiSkinFolder()
{
    return (std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" / "testskins" / "MDI").wstring();
}

// A skin command through the control's window procedure.
inline LRESULT Ask(vcl::TControl* Control, uint16_t Cmd, LPARAM LParam = 0)
{
    return Control->Perform(skin::SkinCommandMessage, skin::SkinCommandWParam(Cmd), LParam);
}

class MdiSkinTest : public ProviderTest {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Manager = LoadSkin(MdiSkinFolder());
        Manager->SendNewSkin(false);
    }
};

// A menu item with Caption added to Parent.
inline vcl::TMenuItem* AddItem(vcl::TComponent* Owner, vcl::TMenuItem* Parent, const wchar_t* Caption)
{
    auto* item = vcl::Create<vcl::TMenuItem>(Owner);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
}

// An MDI main form, an MDI form before its window is made.
class TMDIMain : public TLoggingForm {
    CL_CLASS(TMDIMain, TLoggingForm)
public:
    explicit TMDIMain(vcl::TComponent* AOwner) : TLoggingForm(AOwner) { SetFormStyle(vcl::TFormStyle::fsMDIForm); }
};

// An application of its own for the life of the object: its first form becomes the main form, and
// it frees every form it owns when it goes.
class TOwnApplication {
public:
    TOwnApplication() : FSaved(vcl::Application)
    {
        vcl::Application = vcl::Create<vcl::TApplication>(nullptr);
        vcl::Application->Initialize();
    }
    ~TOwnApplication()
    {
        vcl::Application->Free();
        vcl::Application = FSaved;
        FSaved->Initialize();
    }
    TOwnApplication(const TOwnApplication&) = delete;
    TOwnApplication& operator=(const TOwnApplication&) = delete;

    // The shown MDI main form with a provider and a menu of "&File" and "&Window", the window menu.
    TMDIMain* MainForm(vcl::TMenuItem*& WindowMenu)
    {
        TMDIMain* main = nullptr;
        vcl::Application->CreateForm(main);
        main->SetBounds(50, 50, 600, 450);
        main->SetCaption(L"MDI form");
        main->AddProvider();
        auto* menu = vcl::Create<vcl::TMainMenu>(main);
        AddItem(main, AddItem(main, menu->Items(), L"&File"), L"Exit");
        WindowMenu = AddItem(main, menu->Items(), L"&Window");
        AddItem(main, WindowMenu, L"Tile");
        main->SetMenu(menu);
        main->SetWindowMenu(WindowMenu);
        main->Show();
        testsupport::PumpFor(0);
        return main;
    }
    // A shown MDI child at (Left, Top); WithProvider: skinned by a provider of its own from the start.
    TLoggingForm* NewChild(const wchar_t* Caption, int Left = 10, int Top = 10, bool WithProvider = false)
    {
        auto* child = vcl::Create<TLoggingForm>(vcl::Application);
        child->SetFormStyle(vcl::TFormStyle::fsMDIChild);
        child->SetCaption(Caption);
        child->SetBounds(Left, Top, 200, 150);
        if (WithProvider)
            child->AddProvider();
        child->Show();
        testsupport::PumpFor(0);
        return child;
    }

private:
    vcl::TApplication* FSaved;
};

}  // namespace skintest
