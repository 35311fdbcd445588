// The gallery of skinned controls in our skin and in a test skin, with a screenshot of each for
// people to look at: every window that shows a whole rendered face shows exactly its cache, the
// gauge's filled part has the progress section's colour, and in the test skin the buttons show
// their section's colour of each state.
#include <gtest/gtest.h>

#include <filesystem>

#include "pngfile.h"
#include "pump.h"
#include "skin/controls/acProgressBar.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sTrackBar.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "testpaths.h"
#include "tools/gallery/Gallery.h"

namespace {

using namespace skin;

COLORREF AsColorRef(uint32_t Pixel) { return RGB(Pixel >> 16 & 0xFF, Pixel >> 8 & 0xFF, Pixel & 0xFF); }
COLORREF AsColorRef(vcl::TColor Colour) { return COLORREF(vcl::ColorToRGB(Colour)); }

// The gallery in the skin of Folder, shown and painted; its screenshot saved as Shot.
class ShownGallery {
public:
    ShownGallery(const std::filesystem::path& Folder, const wchar_t* Shot)
        : FManager(skintest::LoadSkin(Folder.wstring())), FForm(vcl::Create<vcl::TForm>(nullptr))
    {
        FManager->SendNewSkin(false);  // the skin in force, its common indexes known
        FForm->SetBounds(20, 20, 100, 100);
        Gallery = gallery::BuildGallery(FForm.get());
        gallery::ShowGallery(Gallery);
        testsupport::PumpFor(200);
        Whole = testsupport::Grab(FForm->Handle());
        const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(testsupport::SavePng((folder / Shot).wstring(), Whole.Width, Whole.Height,
                                         std::vector<uint32_t>(Whole.Pixels.begin(), Whole.Pixels.end())));
    }

    TsSkinManager* Manager() const { return FManager.get(); }
    // The control of class T with that caption.
    template<class T>
    T* Find(const vcl::String& Caption) const
    {
        for (vcl::TControl* c : Gallery.Controls)
            if (auto* found = dynamic_cast<T*>(c); found && c->Caption() == Caption)
                return found;
        ADD_FAILURE() << "no such control in the gallery";
        return nullptr;
    }
    // Every skinned window of the gallery that copies its whole cache to the screen shows it exactly.
    void ExpectFacesOnTheScreen() const
    {
        int checked = 0;
        for (vcl::TControl* c : Gallery.Controls) {
            if (!WholeFace(c))
                continue;
            auto* window = static_cast<vcl::TWinControl*>(c);
            const vcl::String name = c->ClassName() + L" " + c->Caption();
            SCOPED_TRACE(std::string(name.begin(), name.end()));
            const TsCommonData* data = SkinDataOf(c);
            ASSERT_TRUE(data && data->Skinned(true));
            ASSERT_TRUE(data->FCacheBmp);
            const TPixelView cache = PixelsOf(data->FCacheBmp.get());
            const testsupport::TGrab grab = testsupport::Grab(window->Handle());
            int differing = 0;
            for (int y = 0; y < c->Height(); ++y)
                for (int x = 0; x < c->Width(); ++x)
                    differing += grab.ClientPixel(x, y) != AsColorRef(cache.At(x, y));
            EXPECT_EQ(differing, 0);
            ++checked;
        }
        EXPECT_GE(checked, 20);
    }
    // The lying gauge's filled part.
    void ExpectTheGaugeFilled() const
    {
        const TsGeneralData& progress = FManager->gd[size_t(FManager->GetSkinIndex(L"PROGRESSH"))];
        const vcl::TPoint at =
            FForm->ScreenToClient(Gallery.Bar->ClientToScreen(vcl::TPoint(6, Gallery.Bar->Height() / 2)));
        EXPECT_EQ(Whole.ClientPixel(at.x, at.y), AsColorRef(progress.Color)) << "the filled part";
    }

    gallery::TGallery Gallery;
    testsupport::TGrab Whole;

private:
    // Check controls, track bars, progress bars and colours panels render their whole face.
    static bool WholeFace(vcl::TControl* C)
    {
        return dynamic_cast<vcl::TButtonControl*>(C) || dynamic_cast<TsTrackBar*>(C) ||
               dynamic_cast<TsProgressBar*>(C) || dynamic_cast<TsColorsPanel*>(C);
    }

    vcl::TObjectPtr<TsSkinManager> FManager;
    vcl::TObjectPtr<vcl::TForm> FForm;
};

TEST(Gallery, InOurSkin)
{
    testsupport::InitializeApplication();
    const std::filesystem::path ours = std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins";
    const ShownGallery shown(ours / "Aluminium (internal)", L"gallery_our_skin.png");
    shown.ExpectFacesOnTheScreen();
    shown.ExpectTheGaugeFilled();
}

TEST(Gallery, InATestSkinOfFlatColours)
{
    testsupport::InitializeApplication();
    const std::filesystem::path tests = std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests";
    const ShownGallery shown(tests / "testskins" / "GALLERY", L"gallery_test_skin.png");
    shown.ExpectFacesOnTheScreen();
    shown.ExpectTheGaugeFilled();
    const TsGeneralData& button = shown.Manager()->gd[size_t(shown.Manager()->GetSkinIndex(L"BUTTON"))];
    const auto face = [&](const wchar_t* Caption) {
        TsButton* b = shown.Find<TsButton>(Caption);
        return testsupport::Grab(b->Handle()).ClientPixel(4, b->Height() / 2);
    };
    EXPECT_EQ(face(L"Normal"), AsColorRef(button.Color));
    EXPECT_EQ(face(L"Hot"), AsColorRef(button.HotColor));
    EXPECT_NE(face(L"Pressed"), face(L"Normal"));
}

}  // namespace
