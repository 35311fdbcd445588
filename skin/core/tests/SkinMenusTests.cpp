// Skinned menus over the test skins "MENU" and "MENUPLAIN": measures, taking menus over and giving
// them back, items painted into a bitmap (no menu window) with exact pixels, the level cache, the
// extra line, the menu window's region, and a real popup menu in our own skin.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <filesystem>

#include "SkinTestSupport.h"
#include "pngfile.h"
#include "pump.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinMenus.h"
#include "skin/graphics/BitmapView.h"
#include "testpaths.h"
#include "vcl/extctrls.h"
#include "vcl/imglist.h"
#include "vcl/forms.h"

using namespace skin;
using vcl::TMenuItem;
using vcl::TOwnerDrawState;
using vcl::TOwnerDrawStateItem;

namespace {

// The pixel value of a colour (0x00BBGGRR) as the 32-bit bitmaps hold it, alpha left out.
uint32_t Rgb(vcl::TColor Color) { return (Color & 0xFF) << 16 | (Color & 0xFF00) | (Color >> 16 & 0xFF); }
uint32_t NoAlpha(uint32_t Pixel) { return Pixel & 0xFFFFFF; }

class SkinMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        InitSkinManagerUnit();
        Font.SetName(L"Tahoma");
        Font.SetHeight(-11);
        CustomMenuFont = &Font;
        Use("MENU");
    }
    void TearDown() override
    {
        ClearCache();
        CustomMenuFont = nullptr;
        Owner.reset();
        Manager.reset();
        testsupport::PumpFor(0);
    }
    void Use(const std::string& Skin)
    {
        ClearCache();
        Owner.reset();
        Manager.reset();
        Manager = skintest::LoadSkin(skintest::TestSkinFolder(Skin));
        Manager->MenuSupport()->SetIcoLineSkin(L"ICOLINE");  // as the main window's form sets it
        Manager->SendNewSkin(false);
        Menus = Manager->SkinableMenus();
        Owner.reset(vcl::Create<vcl::TComponent>(nullptr));
        Popup = vcl::Create<vcl::TPopupMenu>(Owner.get());
    }
    TMenuItem* Add(TMenuItem* Parent, const wchar_t* Caption)
    {
        auto* item = vcl::Create<TMenuItem>(Owner.get());
        item->SetCaption(Caption);
        Parent->Add(item);
        return item;
    }
    TMenuItem* Add(const wchar_t* Caption) { return Add(Popup->Items(), Caption); }
    vcl::TColor Colour(const wchar_t* Section, int State = 0) const
    {
        const TsGeneralData& d = Manager->gd[size_t(Manager->GetSkinIndex(Section))];
        return State ? d.HotColor : d.Color;
    }
    // The item measured and painted through the class library, on a bitmap canvas at (0, Top).
    vcl::TRect Paint(TMenuItem* Item, TOwnerDrawState State = {}, int Top = 0)
    {
        int w = 0;
        int h = 0;
        Item->MeasureItem(Canvas->Canvas(), w, h);
        const vcl::TRect r(0, Top, w, Top + h);
        Item->AdvancedDrawItem(Canvas->Canvas(), r, State);
        return r;
    }
    uint32_t At(int X, int Y) { return NoAlpha(PixelsOf(Canvas.get()).At(X, Y)); }
    // The width of a text in the menus' font.
    int TextWidth(const vcl::String& Text)
    {
        const auto bmp = CreateBmp32(1, 1);
        bmp->Canvas()->Font()->Assign(&Font);
        vcl::TRect r(0, 0, 1, 0);
        acDrawText(FontReadyDC(bmp->Canvas()), Text, r, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
        return r.Width();
    }
    int TextHeight()
    {
        const auto bmp = CreateBmp32(1, 1);
        bmp->Canvas()->Font()->Assign(&Font);
        return acTextHeight(bmp->Canvas(), L"W");
    }

    vcl::TFont Font;
    vcl::TObjectPtr<TsSkinManager> Manager;
    TsSkinableMenus* Menus = nullptr;
    vcl::TObjectPtr<vcl::TComponent> Owner;
    vcl::TPopupMenu* Popup = nullptr;
    std::unique_ptr<vcl::TBitmap> Canvas = CreateBmp32(300, 200);
};

}  // namespace

TEST_F(SkinMenus, HookingSetsOurHandlersWhereNoneAreAndRemovesOnlyOurs)
{
    TMenuItem* plain = Add(L"Plain");
    TMenuItem* own = Add(L"Own");
    TMenuItem* sub = Add(plain, L"Below");
    int ownPaints = 0;
    own->SetOnAdvancedDrawItem(vcl::TAdvancedMenuDrawItemEvent(
        [&](vcl::TObject*, vcl::TCanvas*, const vcl::TRect&, TOwnerDrawState) { ++ownPaints; }));

    Menus->HookPopupMenu(Popup, true);
    EXPECT_TRUE(Popup->OwnerDraw());
    EXPECT_TRUE(Popup->MenuAnimation().Contains(vcl::TMenuAnimations::maNone));
    EXPECT_TRUE(plain->OnAdvancedDrawItem() && plain->OnMeasureItem());
    EXPECT_TRUE(sub->OnAdvancedDrawItem()) << "items at every depth";
    EXPECT_TRUE(own->OnMeasureItem()) << "an empty event of the item is set";
    Paint(own);
    EXPECT_EQ(ownPaints, 1) << "the program's painter is kept";

    Menus->HookPopupMenu(Popup, false);
    EXPECT_FALSE(Popup->OwnerDraw());
    EXPECT_FALSE(Popup->MenuAnimation().Contains(vcl::TMenuAnimations::maNone));
    EXPECT_FALSE(plain->OnAdvancedDrawItem() || plain->OnMeasureItem() || sub->OnMeasureItem());
    EXPECT_FALSE(own->OnMeasureItem());
    Paint(own);
    EXPECT_EQ(ownPaints, 2) << "and survives the unhooking";
}

namespace {

// A painter of its own: what the hooked items call.
class TCountingMenus : public TsSkinableMenus {
    CL_CLASS(TCountingMenus, TsSkinableMenus)
public:
    using TsSkinableMenus::TsSkinableMenus;
    int Paints = 0;
    void sAdvancedDrawItem(vcl::TObject*, vcl::TCanvas*, const vcl::TRect&, TOwnerDrawState) override { ++Paints; }
};

}  // namespace

TEST_F(SkinMenus, ADescendantsPainterIsWhatTheItemsCall)
{
    TMenuItem* item = Add(L"Item");
    TCountingMenus menus(Manager.get());
    menus.HookPopupMenu(Popup, true);
    Paint(item);
    EXPECT_EQ(menus.Paints, 1);
    menus.HookPopupMenu(Popup, false);
    EXPECT_FALSE(item->OnAdvancedDrawItem()) << "and the unhooking knows it";
}

TEST_F(SkinMenus, MenusOfTheApplicationFollowTheSkinInForce)
{
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(vcl::Application));
    auto* menu = vcl::Create<vcl::TPopupMenu>(form.get());
    auto* item = vcl::Create<TMenuItem>(form.get());
    menu->Items()->Add(item);

    Menus->UpdateMenus();
    EXPECT_TRUE(Menus->Active());
    EXPECT_TRUE(menu->OwnerDraw() && item->OnAdvancedDrawItem()) << "a skin is in force";
    Manager->SendRemoveSkin();
    Menus->UpdateMenus();
    EXPECT_FALSE(menu->OwnerDraw() || item->OnAdvancedDrawItem()) << "the skin was removed";
    Manager->SetSkinnedPopups(false);
    Manager->SendNewSkin(false);
    Menus->UpdateMenus();
    EXPECT_FALSE(item->OnAdvancedDrawItem()) << "popups are not skinned";
    Manager->SetSkinnedPopups(true);
    EXPECT_TRUE(item->OnAdvancedDrawItem()) << "switching them on hooks the menus again";
}

TEST_F(SkinMenus, ItemsMeasureByTheirTextGlyphAndKind)
{
    const int th = TextHeight();
    const int text = static_cast<int>(std::nearbyint(th * 1.25));
    auto* images = vcl::Create<vcl::TImageList>(Owner.get());
    images->SetWidth(24);
    images->SetHeight(24);
    TMenuItem* shortcut = Add(L"Address");
    shortcut->SetShortCut(vcl::ShortCut('A', vcl::TShiftState{vcl::TShiftStateItem::ssCtrl}));
    TMenuItem* withImage = Add(L"Scale");
    withImage->SetImageIndex(0);
    const struct {
        TMenuItem* Item;
        int Width;
        int Height;
    } rows[] = {
        {Add(L"Detector"), TextWidth(L"Detector") + 46, std::max(text, 16) + 4},
        {Add(L"-"), TextWidth(L"") + 46, 2},
        {Add(L"-Speed-"), TextWidth(L"--Speed--") + 46, text + 4},
        {shortcut, TextWidth(L"AddressCtrl+A") + 46, std::max(text, 16) + 4},
    };
    Menus->HookPopupMenu(Popup, true);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.Item->Caption().c_str());
        int w = 0;
        int h = 0;
        row.Item->MeasureItem(Canvas->Canvas(), w, h);
        EXPECT_EQ(w, row.Width);
        EXPECT_EQ(h, row.Height);
        EXPECT_EQ(CurrentItemType, row.Item->Caption() == L"-"         ? TsMenuItemType::smDivider
                                   : row.Item->Caption() == L"-Speed-" ? TsMenuItemType::smCaption
                                                                       : TsMenuItemType::smNormal);
    }
    Popup->SetImages(images);
    int w = 0;
    int h = 0;
    withImage->MeasureItem(Canvas->Canvas(), w, h);
    EXPECT_EQ(w, TextWidth(L"Scale") + 2 * 24 + 14) << "the glyph column takes the images' size";
    EXPECT_EQ(h, std::max(text, 24) + 4);
    EXPECT_TRUE(acCanHookMenu);
}

TEST_F(SkinMenus, APaintedItemShowsItsFaceCheckAndFade)
{
    TMenuItem* radio = Add(L"Normal");
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    TMenuItem* disabled = Add(L"Fast");
    disabled->SetEnabled(false);
    Menus->HookPopupMenu(Popup, true);

    const vcl::TRect hot = Paint(radio, {TOwnerDrawStateItem::odSelected, TOwnerDrawStateItem::odChecked});
    const int w = hot.Width();
    const int h = hot.Height();
    EXPECT_EQ(At(w - 3, 1), Rgb(Colour(L"MENUITEM", 1))) << "the hot face";
    // The radio glyph: 8 x 8 of the global section's hot colour, Margin pixels from the left.
    const int glyphTop = (h - 8) / 2;
    EXPECT_EQ(At(2, glyphTop), Rgb(Colour(L"GLOBALINFO", 1)));
    EXPECT_EQ(At(9, glyphTop + 7), Rgb(Colour(L"GLOBALINFO", 1)));
    EXPECT_EQ(At(10, glyphTop), Rgb(Colour(L"MENUITEM", 1)));
    EXPECT_EQ(At(1, glyphTop), Rgb(Colour(L"MENUITEM", 1)));

    const TacMenuInfo info = Menus->GetMenuInfo(disabled, 0, 0, nullptr);
    ASSERT_TRUE(info.Bmp);
    // A key-colour pixel of the background under the item's top-left pixel keeps the item there.
    PixelsOf(info.Bmp).At(3, h + 3) = 0x00FF00FF;
    const vcl::TRect faded = Paint(disabled, {TOwnerDrawStateItem::odSelected}, h);
    EXPECT_EQ(At(0, faded.top), Rgb(Colour(L"MENUITEM", 0)));
    // Far right of the item the background is the menu window's own colour.
    const int right = faded.Width() - 3;
    const uint32_t bg = NoAlpha(PixelsOf(info.Bmp).At(right + 3, faded.top + 1 + 3));
    ASSERT_EQ(bg, Rgb(Colour(L"MAINMENU")));
    const uint32_t item = Rgb(Colour(L"MENUITEM", 0));
    const auto mix = [&](int Shift) {
        return uint32_t(std::nearbyint(0.6 * (bg >> Shift & 0xFF) + 0.4 * (item >> Shift & 0xFF))) << Shift;
    };
    EXPECT_EQ(At(right, faded.top + 1), mix(16) | mix(8) | mix(0)) << "60 % background, 40 % item, not hot";
}

TEST_F(SkinMenus, ALevelsBackgroundHasTheBorderAndTheIconColumn)
{
    TMenuItem* first = Add(L"First");
    Add(L"Second item");
    Menus->HookPopupMenu(Popup, true);
    Paint(first);
    const TacMenuInfo info = Menus->GetMenuInfo(first, 0, 0, nullptr);
    ASSERT_TRUE(info.Bmp);
    int w = 0;
    int h = 0;
    first->MeasureItem(Canvas->Canvas(), w, h);
    EXPECT_EQ(info.Bmp->Width(), TextWidth(L"Second item") + 46 + 12 + 6)
        << "no window: the widest item + 12 and the frame";
    EXPECT_EQ(info.Bmp->Height(), 2 * h + 6);
    const TPixelView bmp = PixelsOf(info.Bmp);
    const uint32_t mainColour = Rgb(Colour(L"MAINMENU"));
    EXPECT_NE(NoAlpha(bmp.At(0, 10)), mainColour) << "the border line";
    EXPECT_EQ(NoAlpha(bmp.At(3, 10)), Rgb(Colour(L"ICOLINE"))) << "the icon column inside the 3-pixel border";
    EXPECT_EQ(NoAlpha(bmp.At(3 + IcoLineWidth - 1, 10)), Rgb(Colour(L"ICOLINE")));
    EXPECT_EQ(NoAlpha(bmp.At(3 + IcoLineWidth, 10)), mainColour);
    EXPECT_EQ(IcoLineWidth, 2 + 16 + 8);
    EXPECT_EQ(Menus->GetSkinBorderWidth(), 3) << "a border mask of no border width";

    Use("MENUPLAIN");
    EXPECT_EQ(Menus->GetSkinBorderWidth(), 0) << "no border mask";
}

TEST_F(SkinMenus, OpenLevelsKeepOneEntryEachUntilTheCacheIsCleared)
{
    TMenuItem* top = Add(L"Top");
    Add(L"Other");
    TMenuItem* below = Add(top, L"Below");
    Menus->HookPopupMenu(Popup, true);
    Paint(top);
    Paint(below);
    Paint(Popup->Items()->Items(1));
    ASSERT_EQ(MenuInfoArray.size(), 2u);
    EXPECT_EQ(MenuInfoArray[0].FirstItem, top);
    EXPECT_EQ(MenuInfoArray[1].FirstItem, below);
    ClearCache();
    EXPECT_TRUE(MenuInfoArray.empty());
}

TEST_F(SkinMenus, AnItemPaintedWithoutItsWindowAsksTheApplicationWindowForTheBorder)
{
    TMenuItem* first = Add(L"First");
    TMenuItem* second = Add(L"Second");
    Menus->HookPopupMenu(Popup, true);
    MSG msg{};
    while (PeekMessageW(&msg, vcl::Application->Handle(), WM_MENUBORDERBYITEM, WM_MENUBORDERBYWINDOW, PM_REMOVE)) {
    }
    Paint(first);
    Paint(second);
    ASSERT_TRUE(PeekMessageW(&msg, vcl::Application->Handle(), WM_MENUBORDERBYITEM, WM_MENUBORDERBYWINDOW, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_MENUBORDERBYITEM);
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(first));
    EXPECT_FALSE(PeekMessageW(&msg, vcl::Application->Handle(), WM_MENUBORDERBYITEM, WM_MENUBORDERBYWINDOW, PM_REMOVE))
        << "one request while one waits";
    vcl::TMessage request{WM_MENUBORDERBYITEM, first->Command(), reinterpret_cast<LPARAM>(first), 0};
    EXPECT_TRUE(Manager->MainWindowHook(request)) << "the hook answers it (the menu is not open: no window)";
}

TEST_F(SkinMenus, TheExtraLineIsABandOfItsOwnLeftOfTheItems)
{
    Manager->MenuSupport()->SetUseExtraLine(true);
    Manager->MenuSupport()->ExtraLineFont()->SetName(L"Tahoma");
    Manager->MenuSupport()->ExtraLineFont()->SetSize(11);
    TMenuItem* first = Add(L"First");
    TMenuItem* second = Add(L"Second");
    second->SetBreak(vcl::TMenuBreak::mbBreak);
    Menus->HookPopupMenu(Popup, true);
    int w = 0;
    int h = 0;
    first->MeasureItem(Canvas->Canvas(), w, h);
    EXPECT_EQ(w, TextWidth(L"First") + 46 + 32);
    second->MeasureItem(Canvas->Canvas(), w, h);
    EXPECT_EQ(w, TextWidth(L"Second") + 46) << "items after a column break are not shifted";

    Paint(first);
    const TacMenuInfo info = Menus->GetMenuInfo(first, 0, 0, nullptr);
    ASSERT_TRUE(info.Bmp && info.HaveExtraLine);
    const TPixelView bmp = PixelsOf(info.Bmp);
    const uint32_t band = Rgb(Colour(L"EXTRALINE"));
    EXPECT_EQ(NoAlpha(bmp.At(3, 3)), band);
    EXPECT_EQ(NoAlpha(bmp.At(3 + 31, 3)), band);
    EXPECT_EQ(NoAlpha(bmp.At(3 + 32, 3)), Rgb(Colour(L"ICOLINE"))) << "the icon column follows";
    // "Use OnGetExtraLineData event" runs upwards from 12 pixels above the band's bottom.
    const int bottom = info.Bmp->Height() - 3 - 12;
    int written = 0;
    int writtenBelow = 0;
    for (int y = 3; y < info.Bmp->Height() - 3; ++y)
        for (int x = 3; x < 35; ++x)
            if (NoAlpha(bmp.At(x, y)) != band)
                ++(y < bottom ? written : writtenBelow);
    EXPECT_GT(written, 20);
    EXPECT_EQ(writtenBelow, 0);
    EXPECT_EQ(At(0, 3), band) << "the first item brings the band onto the menu";

    ClearCache();
    first->SetName(L"SkinSelectItem");
    first->MeasureItem(Canvas->Canvas(), w, h);
    EXPECT_EQ(w, TextWidth(L"First") + 46) << "the skin list has no extra line";
    Paint(first);
    EXPECT_FALSE(Menus->GetMenuInfo(first, 0, 0, nullptr).HaveExtraLine);
}

TEST_F(SkinMenus, TheMenuWindowLosesTheTransparentCornersOfTheBorder)
{
    const auto regionOf = [&](const std::string& Skin) {
        Use(Skin);
        TMenuItem* item = Add(L"Item");
        HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr, nullptr,
                                   nullptr);
        Menus->GetMenuInfo(item, 60, 40, wnd);
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        std::vector<bool> inside;
        if (GetWindowRgn(wnd, rgn) != ERROR)
            for (const POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{3, 3}, POINT{59, 0}, POINT{59, 39}})
                inside.push_back(PtInRegion(rgn, p.x, p.y));
        DeleteObject(rgn);
        DestroyWindow(wnd);
        return inside;
    };
    EXPECT_EQ(regionOf("MENUPLAIN"), (std::vector<bool>{false, true, true, true, true, true}))
        << "without a border mask only the top-left pixel";
    EXPECT_EQ(regionOf("MENU"), (std::vector<bool>{false, true, true, true, false, false}))
        << "the key pixels of the border's rounded corners";
}

TEST_F(SkinMenus, TheCacheGoesWhenTheMenuWindowHasGone)
{
    TMenuItem* item = Add(L"Item");
    HWND wnd =
        CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr, nullptr, nullptr);
    Menus->GetMenuInfo(item, 60, 40, wnd);
    EXPECT_EQ(Menus->GetMenuInfo(nullptr, 0, 0, wnd).FirstItem, item) << "found by its window";
    DestroyWindow(wnd);
    EXPECT_EQ(Menus->GetMenuInfo(item, 0, 0, nullptr).FirstItem, nullptr);
    EXPECT_TRUE(MenuInfoArray.empty());
}

namespace {

// Runs Check every 20 ms from inside whatever loop runs (the menu's), until it answers true.
class TPoller {
public:
    explicit TPoller(std::function<bool()> Check) : FTimer(vcl::Create<vcl::TTimer>(nullptr)), FCheck(std::move(Check))
    {
        FTimer->SetInterval(20);
        FTimer->SetOnTimer(vcl::TNotifyEvent([this](vcl::TObject*) {
            if (++FTicks > 250 || FCheck())
                FTimer->SetEnabled(false);
        }));
    }
    ~TPoller() { FTimer->Free(); }
    TPoller(const TPoller&) = delete;
    TPoller& operator=(const TPoller&) = delete;

private:
    vcl::TTimer* FTimer;
    std::function<bool()> FCheck;
    int FTicks = 0;
};

HWND OpenMenuWindow()
{
    HWND wnd = FindWindowW(L"#32768", nullptr);
    return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

}  // namespace

// A popup menu of the program's kind in our skin: the people's picture, and its frame, hot item,
// icon column and check mark checked by pixel.
TEST(OurSkinMenus, APopupMenu)
{
    testsupport::InitializeApplication();
    InitSkinManagerUnit();
    const std::filesystem::path folder =
        std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    const auto manager = skintest::LoadSkin(folder.wstring());
    manager->MenuSupport()->SetIcoLineSkin(L"ICOLINE");
    manager->SendNewSkin(false);
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    auto* menu = vcl::Create<vcl::TPopupMenu>(form.get());
    const auto add = [&](const wchar_t* Caption) {
        auto* item = vcl::Create<TMenuItem>(form.get());
        item->SetCaption(Caption);
        menu->Items()->Add(item);
        return item;
    };
    add(L"-Intruder speed-");
    TMenuItem* slow = add(L"Slow");
    TMenuItem* normal = add(L"Normal");
    TMenuItem* fast = add(L"Fast");
    for (TMenuItem* item : {slow, normal, fast})
        item->SetRadioItem(true);
    normal->SetChecked(true);
    add(L"-");
    add(L"Change address")->SetShortCut(vcl::ShortCut('A', vcl::TShiftState{vcl::TShiftStateItem::ssCtrl}));
    add(L"Device type")->SetEnabled(false);
    manager->SkinableMenus()->HookPopupMenu(menu, true);

    testsupport::TGrab grab;
    RECT hotRect{};
    RECT window{};
    int downs = 0;
    TPoller poller([&] {
        HWND wnd = OpenMenuWindow();
        if (!wnd)
            return false;
        if (downs < 3) {  // the caption item is skipped: Slow, then Normal, hot
            PostMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
            ++downs;
            return false;
        }
        testsupport::PumpFor(0);
        GetWindowRect(wnd, &window);
        GetMenuItemRect(nullptr, menu->Handle(), 2, &hotRect);
        grab = testsupport::Grab(wnd);
        EndMenu();
        return true;
    });
    menu->Popup(120, 120);
    ASSERT_GT(grab.Width, 0);
    const std::filesystem::path png = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(png);
    EXPECT_TRUE(testsupport::SavePng((png / "popup-menu.png").wstring(), grab.Width, grab.Height,
                                     std::vector<uint32_t>(grab.Pixels.begin(), grab.Pixels.end())));

    const auto colour = [](uint32_t Rgb) { return RGB(Rgb >> 16 & 0xFF, Rgb >> 8 & 0xFF, Rgb & 0xFF); };
    EXPECT_EQ(grab.Pixel(0, grab.Height / 2), colour(0xBFC5CE)) << "the frame's line";
    const int hotY = (hotRect.top + hotRect.bottom) / 2 - window.top;
    EXPECT_EQ(grab.Pixel(grab.Width - 12, hotY), colour(0xEAF1FC)) << "the hot item: 10 % of the accent";
    EXPECT_EQ(grab.Pixel(5, grab.Height - 8), colour(0xF7F8FA)) << "the icon column";
}

TEST_F(SkinMenus, DividersAndCaptionItemsPaintTheirOwnSections)
{
    TMenuItem* caption = Add(L"-Speed-");
    TMenuItem* divider = Add(L"-");
    Add(L"Last");
    Menus->HookPopupMenu(Popup, true);
    const vcl::TRect band = Paint(caption);
    const vcl::TRect line = Paint(divider, {}, band.bottom);
    ASSERT_EQ(line.Height(), 2);

    // The caption's section inside a one-pixel frame of the menu's background.
    EXPECT_EQ(At(2, 2), Rgb(Colour(L"MENUCAPTION")));
    EXPECT_EQ(At(0, 2), Rgb(Colour(L"ICOLINE")));
    EXPECT_EQ(At(band.Width() - 1, 2), Rgb(Colour(L"MAINMENU")));

    // The divider's border image, from beyond the icon column to Margin pixels before the end.
    const int mask = Manager->GetMaskIndex(Manager->GetSkinIndex(L"DIVIDERV"), L"DIVIDERV", L"BORDERSMASK");
    ASSERT_TRUE(Manager->IsValidImgIndex(mask));
    const TsMaskData& image = Manager->ma[size_t(mask)];
    const vcl::TPoint origin = StateImageOrigin(image, 0);
    const uint32_t lineColour = NoAlpha(ImagePixels(image).At(origin.x, origin.y));
    const int left = IcoLineWidth + 2;
    EXPECT_EQ(At(left, line.top), lineColour);
    EXPECT_EQ(At(line.Width() - 3, line.top + 1), lineColour);
    EXPECT_EQ(At(left - 1, line.top), Rgb(Colour(L"MAINMENU")));
    EXPECT_EQ(At(0, line.top), Rgb(Colour(L"ICOLINE")));
    EXPECT_EQ(At(line.Width() - 2, line.top), Rgb(Colour(L"MAINMENU")));
}

TEST_F(SkinMenus, SystemMenuItemsShowTheSymbolOfTheirCommand)
{
    // The symbol's pixels in the glyph column of an item painted as the n-th of the menu.
    const auto symbolPixels = [&](const wchar_t* MenuName, intptr_t Command) {
        Use("MENU");
        Popup->SetName(MenuName);
        TMenuItem* item = Add(L"Close");
        item->SetTag(Command);
        Menus->HookPopupMenu(Popup, true);
        const vcl::TRect r = Paint(item);
        int differing = 0;
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 4; x < 4 + 16; ++x)
                differing += At(x, y) != Rgb(Colour(L"MENUITEM"));
        return differing;
    };
    EXPECT_GT(symbolPixels(L"acSysMenu1234", SC_CLOSE), 10);
    EXPECT_EQ(symbolPixels(L"acSysMenu1234", 0), 0) << "a command without a symbol";
    EXPECT_EQ(symbolPixels(L"Popup", SC_CLOSE), 0) << "not a system menu";
}
