// The gallery of skinned controls in our skin and in a test skin, with a screenshot of each for
// people to look at: every window that shows a whole rendered face shows exactly its cache (edits
// and combo boxes while neither focused nor under the mouse), and the gauge's filled part has the
// progress section's colour, the grip shows the corner of the drag bar it is linked to, and an
// edit's bound caption shows beside it. The first button, bitmap button, check box, radio button,
// track bar and colours panel take the focus in turn: each shows a focused face of its own, exactly
// its cache, and a picture keeps them side by side. In the test skin the buttons, edits and combo
// boxes show their sections' colours. In our skin the focused edit keeps the skin's border around
// the system's painting, a value field and a value list show the program's own colours, the bitmap
// buttons their glyph, and the labels the skin's text colour and a shadow of greys.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "ControlFixtures.h"
#include "pump.h"
#include "skin/controls/acProgressBar.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sTrackBar.h"
#include "skin/core/tests/SkinTestSupport.h"
#include "skin/graphics/BitmapView.h"
#include "testpaths.h"
#include "tools/gallery/Gallery.h"

namespace {

using namespace skin;
using skin::test::AsColorRef;
using skin::test::CachePixel;
using skin::test::DifferingFromCache;
using skin::test::SaveScreenshot;

// A colour of the class library as the screen shows it.
COLORREF ColorRefOf(vcl::TColor Colour) { return COLORREF(vcl::ColorToRGB(Colour)); }

// Grabbed windows side by side, 8 pixels apart on Background, saved as Name.
void SaveSideBySide(const std::vector<testsupport::TGrab>& Grabs, COLORREF Background, const wchar_t* Name)
{
    constexpr int gap = 8;
    int width = gap, height = 0;
    for (const testsupport::TGrab& g : Grabs) {
        width += g.Width + gap;
        height = std::max(height, g.Height + 2 * gap);
    }
    testsupport::TGrab picture{width, height, {}, std::vector<COLORREF>(size_t(width) * size_t(height), Background)};
    int left = gap;
    for (const testsupport::TGrab& g : Grabs) {
        for (int y = 0; y < g.Height; ++y)
            for (int x = 0; x < g.Width; ++x)
                picture.Pixels[size_t(y + gap) * size_t(width) + size_t(left + x)] = g.Pixel(x, y);
        left += g.Width + gap;
    }
    EXPECT_TRUE(SaveScreenshot(picture, Name));
}

// The gallery in the skin of Folder, shown and painted; its screenshot saved as Shot.
class ShownGallery {
public:
    ShownGallery(const std::filesystem::path& Folder, const wchar_t* Shot)
        : FManager(skintest::LoadSkin(Folder.wstring())), FForm(vcl::Create<vcl::TForm>(nullptr))
    {
        FManager->SetIsDefault(true);  // labels follow the default manager
        FManager->SendNewSkin(false);  // the skin in force, its common indexes known
        FForm->SetBounds(20, 20, 100, 100);
        Gallery = gallery::BuildGallery(FForm.get());
        gallery::ShowGallery(Gallery);
        testsupport::PumpFor(200);
        Whole = testsupport::Grab(FForm->Handle());
        EXPECT_TRUE(SaveScreenshot(Whole, Shot));
    }

    TsSkinManager* Manager() const { return FManager.get(); }
    const TsGeneralData& Section(const wchar_t* Name) const
    {
        return FManager->gd[size_t(FManager->GetSkinIndex(Name))];
    }
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
    // The first control of each kind that shows a focused look of its own in its cache.
    std::vector<vcl::TWinControl*> FirstOfEachFocusableKind() const
    {
        return {Find<TsButton>(L"Normal"),   Find<TsBitBtn>(L"Normal"), Find<TsCheckBox>(L"Normal"),
                Find<TsRadioButton>(L"Normal"), Find<TsTrackBar>(L""),    Find<TsColorsPanel>(L" ")};
    }
    // Every skinned window of the gallery that copies its whole cache to the screen shows it
    // exactly, its border too.
    void ExpectFacesOnTheScreen() const
    {
        int checked = 0;
        for (vcl::TControl* c : Gallery.Controls) {
            if (!ShowsItsCache(c))
                continue;
            auto* window = static_cast<vcl::TWinControl*>(c);
            const vcl::String name = c->ClassName() + L" " + c->Caption();
            SCOPED_TRACE(std::string(name.begin(), name.end()));
            const TsCommonData* data = SkinDataOf(c);
            ASSERT_TRUE(data && data->Skinned(true));
            ASSERT_TRUE(data->FCacheBmp);
            EXPECT_EQ(DifferingFromCache(window), 0);
            ++checked;
        }
        EXPECT_GE(checked, 40);
    }
    // Each of Controls takes the focus in turn: its face changes and its window shows exactly its
    // cache, which now holds the focused look. The focused faces side by side are saved as Shot.
    void ExpectFocusedFaces(const std::vector<vcl::TWinControl*>& Controls, const wchar_t* Shot) const
    {
        std::vector<testsupport::TGrab> faces;
        for (vcl::TWinControl* c : Controls) {
            const vcl::String name = c->ClassName() + L" " + c->Caption();
            SCOPED_TRACE(std::string(name.begin(), name.end()));
            const testsupport::TGrab before = testsupport::Grab(c->Handle());
            c->SetFocus();
            testsupport::PumpFor(150);  // past a fade into the focused look
            ASSERT_EQ(GetFocus(), c->Handle());
            faces.push_back(testsupport::Grab(c->Handle()));
            EXPECT_NE(faces.back().Pixels, before.Pixels) << "the focus shows";
            EXPECT_EQ(DifferingFromCache(c), 0);
        }
        SaveSideBySide(faces, ColorRefOf(FForm->Color()), Shot);
    }
    // The pixel of the screenshot at (X, Y) of Control.
    COLORREF OnTheScreen(vcl::TControl* Control, int X, int Y) const
    {
        const vcl::TPoint at = FForm->ScreenToClient(Control->ClientToScreen(vcl::TPoint(X, Y)));
        return Whole.ClientPixel(at.x, at.y);
    }
    // The lying gauge's filled part.
    void ExpectTheGaugeFilled() const
    {
        EXPECT_EQ(OnTheScreen(Gallery.Bar, 6, Gallery.Bar->Height() / 2), ColorRefOf(Section(L"PROGRESSH").Color))
            << "the filled part";
    }
    // The grip shows the bottom-right corner of the drag bar it is linked to, not the panel it lies on.
    void ExpectTheGripShowingTheBarsCorner() const
    {
        TsGrip* grip = Gallery.Grip;
        vcl::TControl* bar = grip->LinkedControl;
        for (const vcl::TPoint p : {vcl::TPoint(2, 2), vcl::TPoint(17, 17)}) {
            SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
            EXPECT_EQ(OnTheScreen(grip, p.x, p.y),
                      OnTheScreen(bar, bar->Width() - grip->Width() + p.x, bar->Height() - grip->Height() + p.y));
        }
        EXPECT_NE(OnTheScreen(grip, 10, 10), OnTheScreen(grip->Parent(), grip->Left() - 10, grip->Top() + 10))
            << "the grip stands out from the panel";
    }
    // The edit's bound caption shows its text on its left.
    void ExpectTheBoundCaptionBesideItsEdit() const
    {
        TsEditLabel* label = Find<TsEditLabel>(L"Bound");
        ASSERT_TRUE(label);
        const vcl::TControl* edit = label->BoundLabel()->Owner();
        EXPECT_LE(label->Left() + label->Width(), edit->Left());
        int text = 0;
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                text += OnTheScreen(label, x, y) != ColorRefOf(FForm->Color());
        EXPECT_GT(text, 10);
    }

    gallery::TGallery Gallery;
    testsupport::TGrab Whole;

private:
    // Check controls, buttons, track bars, progress bars and colours panels render their whole
    // face; edits and combo boxes too while inactive.
    static bool ShowsItsCache(vcl::TControl* C)
    {
        if (dynamic_cast<vcl::TButtonControl*>(C) || dynamic_cast<TsTrackBar*>(C) ||
            dynamic_cast<TsProgressBar*>(C) || dynamic_cast<TsColorsPanel*>(C))
            return true;
        const bool field =
            dynamic_cast<TsEdit*>(C) || dynamic_cast<TsMaskEdit*>(C) || dynamic_cast<TsCustomComboBox*>(C);
        return field && !ControlIsActive(*SkinDataOf(C));
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
    shown.ExpectTheGripShowingTheBarsCorner();
    shown.ExpectTheBoundCaptionBesideItsEdit();

    TsEdit* focused = shown.Find<TsEdit>(L"Focused");
    ASSERT_EQ(GetFocus(), focused->Handle());
    EXPECT_EQ(testsupport::Grab(focused->Handle()).Pixel(0, focused->Height() / 2),
              CachePixel(*focused->SkinData(), 0, focused->Height() / 2))
        << "focused: the system paints inside the border from the cache";
    TsEdit* band = shown.Find<TsEdit>(L"9.3");
    EXPECT_EQ(testsupport::Grab(band->Handle()).Pixel(5, band->Height() / 2), ColorRefOf(gallery::BandColour))
        << "a value field shows the band colour the program sets";
    TsComboBox* list = shown.Find<TsComboBox>(L"15");
    EXPECT_EQ(CachePixel(*list->SkinData(), 6, list->Height() - 6), ColorRefOf(gallery::FieldGrey))
        << "a value list shows its own grey";

    TsBitBtn* glyphed = shown.Find<TsBitBtn>(L"Normal");
    const vcl::TRect g = glyphed->ImgRect();
    EXPECT_EQ(CachePixel(*glyphed->SkinData(), g.left + 8, g.top + 8), AsColorRef(gallery::DiscColour))
        << "the glyph's middle";

    EXPECT_EQ(shown.Find<TsLabel>(L"Label")->Font()->Color(), shown.Manager()->GetGlobalFontColor());
    // Under the shadowed caption: its panel, the text and, between them, the shadow's darker greys.
    TsLabelFX* shadowed = shown.Find<TsLabelFX>(L"Shadowed caption");
    const testsupport::TGrab panel = testsupport::Grab(shadowed->Parent()->Handle());
    const COLORREF surface = ColorRefOf(shown.Section(L"PANEL").Color);
    int shadow = 0;
    const vcl::TRect r = shadowed->BoundsRect();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = panel.ClientPixel(x, y);
            shadow +=
                GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) < GetRValue(surface) - 8;
        }
    EXPECT_GT(shadow, 50);

    shown.ExpectFocusedFaces(shown.FirstOfEachFocusableKind(), L"gallery_focused_our_skin.png");
}

TEST(Gallery, InATestSkinOfFlatColours)
{
    testsupport::InitializeApplication();
    const std::filesystem::path tests = std::filesystem::path(testsupport::BinaryDir()) / "skin" / "core" / "tests";
    const ShownGallery shown(tests / "testskins" / "GALLERY", L"gallery_test_skin.png");
    shown.ExpectFacesOnTheScreen();
    shown.ExpectTheGaugeFilled();
    shown.ExpectTheGripShowingTheBarsCorner();
    shown.ExpectTheBoundCaptionBesideItsEdit();
    const TsGeneralData& button = shown.Section(L"BUTTON");
    const auto face = [&](vcl::TWinControl* Control, int X) {
        return testsupport::Grab(Control->Handle()).Pixel(X, Control->Height() / 2);
    };
    EXPECT_EQ(face(shown.Find<TsButton>(L"Normal"), 4), ColorRefOf(button.Color));
    EXPECT_EQ(face(shown.Find<TsButton>(L"Hot"), 4), ColorRefOf(button.HotColor));
    EXPECT_NE(face(shown.Find<TsButton>(L"Pressed"), 4), face(shown.Find<TsButton>(L"Normal"), 4));
    EXPECT_EQ(face(shown.Find<TsBitBtn>(L"Hot"), 4), ColorRefOf(button.HotColor));
    TsEdit* edit = shown.Find<TsEdit>(L"Normal");
    EXPECT_EQ(face(edit, edit->Width() - 6), ColorRefOf(shown.Section(L"EDIT").Color));
    TsComboBox* combo = shown.Find<TsComboBox>(L"Normal");
    EXPECT_EQ(face(combo, combo->Width() / 2 + 10), ColorRefOf(shown.Section(L"COMBOBOX").Color));

    shown.ExpectFocusedFaces(shown.FirstOfEachFocusableKind(), L"gallery_focused_test_skin.png");
}

}  // namespace
