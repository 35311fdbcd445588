// The bar items of a main menu: taken over with the menu line, measured from their caption and
// glyph, and painted over the provider's menu line.
#include "MDIFixtures.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/imglist.h"
#include "vcl/menus.h"

using namespace skin;
using vcl::TOwnerDrawStateItem;

namespace {

class MenuLineItemTest : public skintest::MdiSkinTest {
protected:
    void SetUp() override
    {
        MdiSkinTest::SetUp();
        Form = NewForm();
        Menu = vcl::Create<vcl::TMainMenu>(Form);
        Item = AddItem(Menu->Items(), L"&File");
        Sub = AddItem(Item, L"Open");
        Menus = Manager->SkinableMenus();
    }
    vcl::TMenuItem* AddItem(vcl::TMenuItem* Parent, const wchar_t* Caption)
    {
        auto* item = vcl::Create<vcl::TMenuItem>(Form);
        item->SetCaption(Caption);
        Parent->Add(item);
        return item;
    }
    vcl::TMenuMeasureItemEvent LineMeasurer() { return {Menus, &TsSkinableMenus::sMeasureLineItem}; }
    vcl::TAdvancedMenuDrawItemEvent LinePainter() { return {Menus, &TsSkinableMenus::sAdvancedDrawLineItem}; }

    skintest::TLoggingForm* Form = nullptr;
    vcl::TMainMenu* Menu = nullptr;
    vcl::TMenuItem* Item = nullptr;
    vcl::TMenuItem* Sub = nullptr;
    TsSkinableMenus* Menus = nullptr;
};

// Each channel of the item's colour C weighted 102 over the line's L.
uint32_t Faded(uint32_t C, uint32_t L)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= ((C >> shift & 0xFF) * 102 + (L >> shift & 0xFF) * 153 + 127) >> 8 << shift;
    return out;
}

}  // namespace

TEST_F(MenuLineItemTest, BarItemsTakeTheLineHandlersAndGiveThemBack)
{
    Menus->InitMenuLine(Menu, true);
    EXPECT_TRUE(Item->OnMeasureItem() == LineMeasurer());
    EXPECT_TRUE(Item->OnAdvancedDrawItem() == LinePainter());
    EXPECT_TRUE(Menu->OwnerDraw());
    EXPECT_FALSE(Sub->OnMeasureItem()) << "items below the bar are the popups' business";

    Menus->HookItem(Item, true);
    EXPECT_TRUE(Sub->OnMeasureItem() == vcl::TMenuMeasureItemEvent(Menus, &TsSkinableMenus::sMeasureItem));

    Menus->InitMenuLine(Menu, false);
    EXPECT_FALSE(Item->OnMeasureItem());
    EXPECT_FALSE(Item->OnAdvancedDrawItem());
    EXPECT_FALSE(Menu->OwnerDraw());
}

TEST_F(MenuLineItemTest, WithoutSkinnedPopupsTheBarStaysTheSystems)
{
    Manager->SetSkinnedPopups(false);
    Menus->InitMenuLine(Menu, true);
    EXPECT_FALSE(Item->OnMeasureItem());
    EXPECT_FALSE(Menu->OwnerDraw());
}

TEST_F(MenuLineItemTest, ABarItemIsOneLineHighAndAsWideAsItsCaptionAndGlyph)
{
    auto* images = vcl::Create<vcl::TImageList>(Form);
    images->SetWidth(20);
    images->SetHeight(16);
    const auto bitmap = CreateBmp32(12, 12);
    const auto canvasBmp = CreateBmp32(10, 10);
    vcl::TCanvas* canvas = canvasBmp->Canvas();

    struct TCase {
        const char* Name;
        bool WithImages;
        int ImageIndex;
        bool WithBitmap;
        int Added;
    };
    const TCase cases[] = {{"caption alone", false, -1, false, 0},
                           {"an image", true, 0, false, 26},
                           {"an image list without an image", true, -1, false, 0},
                           {"a bitmap", false, -1, true, 18},
                           {"the image before the bitmap", true, 0, true, 26}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Menu->SetImages(c.WithImages ? images : nullptr);
        Item->SetImageIndex(c.ImageIndex);
        if (c.WithBitmap)
            Item->SetBitmap(bitmap.get());
        else
            Item->Bitmap()->Assign(nullptr);
        int width = 0, height = 0;
        Menus->sMeasureLineItem(Item, canvas, width, height);
        EXPECT_EQ(height, GetSystemMetrics(SM_CYMENU) - 1);
        const int text = canvas->TextWidth(L"File");
        ASSERT_NE(text, canvas->TextWidth(L"&File"));
        EXPECT_EQ(width, text + c.Added);
    }
    Menu->SetImages(nullptr);
}

TEST_F(MenuLineItemTest, ABarItemIsPaintedOverTheMenuLineOfItsFormsProvider)
{
    TsSkinProvider* provider = Form->Provider;
    Render(provider);
    Menu->SetWindowHandle(Form->Handle());
    const int h = GetSystemMetrics(SM_CYMENU) - 1;
    const vcl::TColor lineColour = vcl::TColor(0x604020);
    provider->MenuLineBmp->SetSize(120, h);
    FillDC(provider->MenuLineBmp->Canvas()->Handle(), vcl::TRect(0, 0, 120, h), lineColour);
    // On the window: the line starts below the caption and inside the border.
    const int border = SysBorderWidth(Form->Handle(), nullptr, false);
    const int top = SysCaptHeight(Form) + border;
    const vcl::TRect r(border + 10, top, border + 60, top + h);
    const auto target = CreateBmp32(r.right, r.bottom);
    const auto paint = [&](vcl::TOwnerDrawState State) {
        Menus->sAdvancedDrawLineItem(Item, target->Canvas(), r, State);
        return PixelsOf(target.get()).At(r.left + 1, r.top + 1) & 0xFFFFFF;
    };
    // The state the menu line hands to the item's painter.
    const vcl::TOwnerDrawState lineState = vcl::OwnerDrawState(0x500);
    EXPECT_TRUE(lineState.Contains(TOwnerDrawStateItem::odNoAccel));
    const uint32_t normal = skintest::FlatColour(skintest::MdiMenuItem, 0);
    EXPECT_EQ(paint(lineState), normal);
    EXPECT_EQ(paint({TOwnerDrawStateItem::odSelected}), skintest::FlatColour(skintest::MdiMenuItem, 1));
    EXPECT_EQ(paint({TOwnerDrawStateItem::odHotLight}), skintest::FlatColour(skintest::MdiMenuItem, 1));
    Item->SetEnabled(false);
    EXPECT_EQ(paint({TOwnerDrawStateItem::odSelected}), Faded(normal, 0x204060)) << "never hot, faded into the line";
}

TEST_F(MenuLineItemTest, WithoutAProviderNothingIsPainted)
{
    const auto target = CreateBmp32(40, 20);
    FillDC(target->Canvas()->Handle(), vcl::TRect(0, 0, 40, 20), vcl::TColor(0x123456));
    Menus->sAdvancedDrawLineItem(Item, target->Canvas(), vcl::TRect(0, 0, 40, 20), {});
    EXPECT_EQ(PixelsOf(target.get()).At(5, 5) & 0xFFFFFF, 0x563412u);
}
