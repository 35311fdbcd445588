#pragma once
// What the frame adapter, MDI form and menu line tests share: the MDI test skin in force and a
// hidden 400 x 300 form that holds the controls under test.
#include <gtest/gtest.h>

#include <filesystem>

#include "ProviderFixtures.h"
#include "skin/core/sMessages.h"

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

}  // namespace skintest
