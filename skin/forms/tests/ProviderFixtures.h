#pragma once
// What the provider tests share: the frame test skin in force, hidden forms of a border style with
// a provider, the system's frame sizes as Wine gives them at run time, and the pixels of the
// provider's cache.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "pump.h"
#include "skin/core/tests/SkinTestControls.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/BitmapView.h"
#include "testpaths.h"
#include "vcl/forms.h"

namespace skintest {

// The frame test skin's colours: state s of the n-th section, as the generator makes them
// (0xRRGGBB), and the title buttons' states.
inline uint32_t FlatColour(int N, int S)
{
    return uint32_t((20 + 7 * N) % 256) << 16 | uint32_t(40 + 50 * S) << 8 | uint32_t((235 - 5 * N) % 256);
}
inline uint32_t ButtonColour(uint32_t Rgb, int State)
{
    uint32_t colour = 0;
    for (int shift = 0; shift < 24; shift += 8)
        colour |= uint32_t(std::min(255, int(Rgb >> shift & 0xFF) + 30 * State)) << shift;
    return colour;
}
constexpr uint32_t CloseRgb = 0xC82828, MinRgb = 0x28A028, MaxRgb = 0x2828C8, HelpRgb = 0x28A0A0, UserRgb = 0xA0A028;
constexpr int FormSection = 1, TitleSection = 2;
// Every title button a form can have.
constexpr vcl::TBorderIcons AllIcons{vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMinimize,
                                     vcl::TBorderIcon::biMaximize, vcl::TBorderIcon::biHelp};

// The system's frame sizes, read at run time.
struct TSysSizes {
    int DlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
    int Frame = GetSystemMetrics(SM_CXFRAME);
    int Caption = GetSystemMetrics(SM_CYCAPTION);
    int SmallCaption = GetSystemMetrics(SM_CYSMCAPTION);
};

// Put in front of a control's (mostly a form's) window procedure: records every message that
// reaches it and hands it on. The fixture keeps it until the forms are gone, as a provider may
// hand it back to the form.
struct TMessageSpy {
    explicit TMessageSpy(vcl::TControl* Control) : FInner(Control->WindowProc()) { Control->SetWindowProc(Method()); }
    vcl::TWndMethod Method() { return vcl::TWndMethod(this, &TMessageSpy::Receive); }
    void Receive(vcl::TMessage& Message)
    {
        Seen.push_back(Message.Msg);
        FInner(Message);
    }
    int Count(UINT Msg) const { return int(std::count(Seen.begin(), Seen.end(), Msg)); }

    std::vector<UINT> Seen;

private:
    vcl::TWndMethod FInner;
};

// The frame test skin, written into the core tests' build folder.
inline vcl::String FrameSkinFolder()
{
    return (std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests" / "testskins" / "FRAME")
        .wstring();
}

class ProviderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        Manager = LoadSkin(FrameSkinFolder());
        Manager->SendNewSkin(false);
    }
    void TearDown() override
    {
        for (auto it = Forms.rbegin(); it != Forms.rend(); ++it)
            (*it)->Free();
        Spies.clear();
        Manager.reset();
        testsupport::PumpFor(0);
    }

    // A hidden 400 x 300 form of the style with its window, and its provider.
    TLoggingForm* NewForm(vcl::TFormBorderStyle Style = vcl::TFormBorderStyle::bsSingle,
                          vcl::TBorderIcons Icons = {vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMinimize},
                          bool WithProvider = true)
    {
        auto* form = vcl::Create<TLoggingForm>(nullptr);
        form->SetBorderStyle(Style);
        form->SetBorderIcons(Icons);
        form->SetBounds(100, 100, 400, 300);
        form->SetCaption(L"Frame");
        form->HandleNeeded();
        if (WithProvider)
            form->AddProvider();
        Forms.push_back(form);
        return form;
    }
    // A spy in front of the form's window procedure.
    TMessageSpy& Spy(vcl::TCustomForm* Form)
    {
        Spies.push_back(std::make_unique<TMessageSpy>(Form));
        return *Spies.back();
    }
    // The cache rendered afresh.
    skin::TPixelView Render(skin::TsSkinProvider* Provider)
    {
        Provider->SkinData()->BGChanged = true;
        Provider->PaintAll();
        return skin::PixelsOf(Provider->SkinData()->FCacheBmp.get());
    }

    vcl::TObjectPtr<skin::TsSkinManager> Manager;
    std::vector<vcl::TForm*> Forms;
    std::vector<std::unique_ptr<TMessageSpy>> Spies;
    TSysSizes Sys;
};

// A cache pixel without its alpha, 0xRRGGBB.
inline uint32_t Rgb(const skin::TPixelView& Pixels, int X, int Y) { return Pixels.At(X, Y) & 0xFFFFFF; }
// A screen pixel (COLORREF) as 0xRRGGBB, comparable with the cache's pixels.
inline uint32_t Rgb(COLORREF Pixel)
{
    return uint32_t(GetRValue(Pixel)) << 16 | uint32_t(GetGValue(Pixel)) << 8 | GetBValue(Pixel);
}

}  // namespace skintest
