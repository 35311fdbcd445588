// Edits, a memo, a masked edit, bit buttons and labels in our own skin, with screenshots for people
// to look at: each window that paints from its cache shows exactly its rendered face. The program's
// buttons and check boxes fade.
#include <gtest/gtest.h>

#include <filesystem>

#include "pngfile.h"
#include "pump.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMemo.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPanel.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "skin/graphics/tests/PixelFixtures.h"
#include "testpaths.h"
#include "vcl/forms.h"

namespace {

using namespace skin;

COLORREF AsColorRef(uint32_t Pixel) { return RGB(Pixel >> 16 & 0xFF, Pixel >> 8 & 0xFF, Pixel & 0xFF); }

template<class T>
T* Place(vcl::TWinControl* Parent, int X, int Y, int W, int H, const wchar_t* Caption = L"")
{
    auto* c = vcl::Create<T>(Parent);
    c->SetBounds(X, Y, W, H);
    c->SetCaption(Caption);
    c->SetParent(Parent);
    return c;
}

// The pixels of a control's window that differ from its cache.
int DifferingFromCache(vcl::TWinControl* Control)
{
    const TPixelView cache = PixelsOf(SkinDataOf(Control)->FCacheBmp.get());
    const testsupport::TGrab grab = testsupport::Grab(Control->Handle());
    int differing = 0;
    for (int y = 0; y < Control->Height(); ++y)
        for (int x = 0; x < Control->Width(); ++x)
            differing += grab.Pixel(x, y) != AsColorRef(cache.At(x, y));
    return differing;
}

bool SavePicture(const testsupport::TGrab& Grab, const char* Name)
{
    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    return testsupport::SavePng((png / Name).wstring(), Grab.Width, Grab.Height,
                                std::vector<uint32_t>(Grab.Pixels.begin(), Grab.Pixels.end()));
}

TEST(OurSkin, EditsMemoAndMaskedEdit)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(40, 40, 460, 260);
    form->SetColor(vcl::TColor(RGB(243, 244, 246)));
    auto* panel = Place<TsPanel>(form.get(), 8, 8, 436, 210);
    const auto edit = [&](int X, int Y, const wchar_t* Text) {
        auto* e = Place<TsEdit>(panel, X, Y, 130, 24);
        e->SetText(Text);
        return e;
    };
    TsEdit* plain = edit(10, 10, L"Detector 15");
    TsEdit* focused = edit(150, 10, L"Focused");
    TsEdit* disabled = edit(290, 10, L"Disabled");
    disabled->SetEnabled(false);
    TsEdit* band = edit(10, 44, L"9.3");
    band->SetAlignment(vcl::TAlignment::taCenter);
    band->SkinData()->SetCustomColor(true);
    band->SetColor(vcl::TColor(0x00FFFF));
    TsEdit* hint = edit(150, 44, L"");
    hint->SetTextHint(L"Address");
    TsEdit* password = edit(290, 44, L"secret");
    password->SetPasswordChar(L'*');
    auto* masked = Place<TsMaskEdit>(panel, 10, 80, 130, 24);
    masked->SetEditMask(L"99:99");
    masked->SetText(L"1234");
    auto* memo = Place<TsMemo>(panel, 150, 80, 270, 110);
    memo->SetText(L"First line\r\nSecond line");
    form->Show();
    focused->SetFocus();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(150);

    for (vcl::TWinControl* c : std::initializer_list<vcl::TWinControl*>{plain, disabled, band, hint, password, masked}) {
        SCOPED_TRACE(testing::Message() << c->Left() << "," << c->Top());
        ASSERT_TRUE(SkinDataOf(c)->Skinned(true));
        EXPECT_EQ(DifferingFromCache(c), 0) << "inactive: the cache";
    }
    const testsupport::TGrab face = testsupport::Grab(focused->Handle());
    EXPECT_EQ(face.Pixel(0, 12), AsColorRef(PixelsOf(focused->SkinData()->FCacheBmp.get()).At(0, 12)))
        << "focused: the border from the cache";
    EXPECT_EQ(testsupport::Grab(band->Handle()).Pixel(5, 12), COLORREF(0x00FFFF));
    EXPECT_TRUE(SavePicture(testsupport::Grab(form->Handle()), "edits.png"));
}

// Bitmap buttons with a glyph, disabled, and with a caption too long for them: each window shows
// exactly its rendered face.
TEST(OurSkin, BitmapButtons)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(40, 40, 400, 120);
    form->SetColor(vcl::TColor(RGB(243, 244, 246)));
    // A green disc on a transparent square.
    vcl::TObjectPtr<vcl::TBitmap> glyph(vcl::Create<vcl::TBitmap>());
    glyph->SetPixelFormat(vcl::TPixelFormat::pf32bit);
    glyph->SetSize(16, 16);
    const TPixelView px = PixelsOf(glyph.get());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            px.At(x, y) = (x - 7.5) * (x - 7.5) + (y - 7.5) * (y - 7.5) < 49 ? 0xFF2E9E4Au : 0u;
    std::vector<TsBitBtn*> buttons;
    const wchar_t* captions[] = {L"Apply", L"Disabled", L"Apply the new threshold now"};
    for (int i = 0; i < 3; ++i) {
        auto* b = Place<TsBitBtn>(form.get(), 10 + 125 * i, 20, 115, 32, captions[i]);
        b->SkinData()->SetSkinSection(L"MENUBTN");
        b->SetGlyph(glyph.get());
        b->SetWordWrap(false);
        buttons.push_back(b);
    }
    buttons[1]->SetEnabled(false);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(150);

    for (TsBitBtn* b : buttons) {
        ASSERT_TRUE(b->SkinData()->Skinned());
        const TPixelView cache = PixelsOf(b->SkinData()->FCacheBmp.get());
        const testsupport::TGrab grab = testsupport::Grab(b->Handle());
        int differing = 0;
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x)
                differing += grab.ClientPixel(x, y) != AsColorRef(cache.At(x, y));
        EXPECT_EQ(differing, 0);
    }
    const vcl::TRect g = buttons[0]->ImgRect();
    EXPECT_EQ(AsColorRef(PixelsOf(buttons[0]->SkinData()->FCacheBmp.get()).At(g.left + 8, g.top + 8)),
              RGB(0x2E, 0x9E, 0x4A))
        << "the glyph's middle";
    const testsupport::TGrab whole = testsupport::Grab(form->Handle());
    EXPECT_TRUE(SavePicture(whole, "bitmap_buttons.png"));
}

TEST(OurSkin, LabelsOnAPanel)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SetIsDefault(true);  // labels follow the default manager
    manager->SendNewSkin(false);
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(40, 40, 360, 200);
    auto* panel = Place<TsPanel>(form.get(), 10, 10, 320, 140);
    panel->SkinData()->SetSkinSection(L"PANEL");
    const auto label = [&](auto* l, int y, const wchar_t* caption) {
        l->Font()->SetName(L"Tahoma");
        l->Font()->SetHeight(-16);
        l->SetCaption(caption);
        l->SetLeft(12);
        l->SetTop(y);
        l->SetParent(panel);
        return l;
    };
    auto* plain = label(vcl::Create<TsLabel>(panel), 8, L"Supply voltage");
    label(vcl::Create<TsLabel>(panel), 34, L"Disabled label")->SetEnabled(false);
    auto* link = vcl::Create<TsWebLabel>(panel);
    label(link, 60, L"zirvane.invalid");
    link->SetFont(link->Font());  // the normal font the link paints in
    auto* shadowed = vcl::Create<TsLabelFX>(panel);
    shadowed->Shadow()->SetMode(TsShadowMode::smCustom);
    shadowed->Kind()->SetKindType(TsKindType::ktCustom);
    shadowed->Kind()->SetColor(vcl::TColor(0x804020));
    label(shadowed, 86, L"Shadowed caption")->Font()->SetHeight(-22);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(150);

    const testsupport::TGrab whole = testsupport::Grab(panel->Handle());
    const COLORREF surface = vcl::ColorToRGB(manager->gd[size_t(manager->GetSkinIndex(L"PANEL"))].Color);
    EXPECT_EQ(plain->Font()->Color(), manager->GetGlobalFontColor());
    // Under the shadowed caption: the panel, the text and, between them, the shadow's darker greys.
    int shadow = 0;
    const vcl::TRect r = shadowed->BoundsRect();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = whole.ClientPixel(x, y);
            shadow +=
                GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) < GetRValue(surface) - 8;
        }
    EXPECT_GT(shadow, 50);

    EXPECT_TRUE(SavePicture(whole, "labels.png"));
}

TEST(OurSkin, TheProgramsButtonsAndCheckControlsFadeInFiveStepsWithoutGlowing)
{
    testsupport::InitializeApplication();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->SendNewSkin(false);
    for (const wchar_t* name : {L"MENUBTN", L"BUTTON", L"SPEEDBUTTON", L"CHECKBOX", L"RADIOBUTTON", L"TRACKBAR"}) {
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        const int index = manager->GetSkinIndex(name);
        ASSERT_GE(index, 0);
        const TsGeneralData& section = manager->gd[size_t(index)];
        EXPECT_TRUE(section.FadingEnabled);
        EXPECT_EQ(section.FadingIterations, 5);
        EXPECT_EQ(section.GlowCount, 0);
    }

    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    form->SetBounds(40, 40, 300, 100);
    form->SetColor(vcl::TColor(RGB(243, 244, 246)));
    auto* button = Place<TsButton>(form.get(), 20, 20, 120, 32, L"Search");
    button->SkinData()->SetSkinSection(L"MENUBTN");
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpFor(150);
    const auto face = [&] { return PixelsOf(button->SkinData()->FCacheBmp.get()).At(8, 8); };
    const uint32_t normal = face();
    button->Perform(vcl::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(button));
    ASSERT_NE(button->FadeTimer(), nullptr);
    const uint32_t hot = face();
    ASSERT_NE(hot, normal);
    for (const int weight : {204, 153, 102, 51, 0}) {
        button->FadeTimer()->Timer();
        EXPECT_EQ(testsupport::Grab(button->Handle()).Pixel(8, 8), AsColorRef(skin::test::FadeMix(normal, hot, weight)))
            << "the old face weighs " << weight;
        if (weight == 102)
            EXPECT_TRUE(SavePicture(testsupport::Grab(form->Handle()), "menu_button_mid_fade.png"));
    }
    button->FadeTimer()->Timer();
    EXPECT_EQ(button->FadeTimer(), nullptr);
    testsupport::PumpFor(50);
    EXPECT_EQ(DifferingFromCache(button), 0) << "the hot face itself after the last step";
}

}  // namespace
