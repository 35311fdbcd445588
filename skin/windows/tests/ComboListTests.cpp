// The skinned list of a skinned combo box over the GALLERY test skin: made at its first colour
// request, the "EDIT" colour inside a one-pixel frame of the skin's border colour with skinned
// scroll bars, driven by real clicks (a click on its bar scrolls it and it stays down, a click on an
// item chooses it), given back when the skin goes, and made anew on a re-created box's list.
#include <gtest/gtest.h>

#include <filesystem>

#include "droppedlist.h"
#include "pngfile.h"
#include "pump.h"
#include "skin/controls/sComboBox.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "testpaths.h"
#include "user_input.h"

using namespace skin;

namespace {

class ComboListTest : public wraptest::WrapperTest {
protected:
    // A box of Count items on the shown host form, its list Rows items high.
    TsComboBox* MakeCombo(int Count, int Rows)
    {
        auto* combo = vcl::Create<TsComboBox>(Host.get());
        combo->SetParent(Host.get());
        combo->SetBounds(20, 20, 160, 24);
        combo->SetStyle(vcl::TComboBoxStyle::csDropDownList);
        for (int i = 0; i < Count; ++i)
            combo->Items()->Add(L"Item " + std::to_wstring(i));
        combo->SetDropDownCount(Rows);
        Host->Show();
        testsupport::PumpFor(100);
        return combo;
    }
    COLORREF BorderColour() const { return COLORREF(vcl::ColorToRGB(Manager->SkinData->BorderColor)); }
};

void SaveGrab(const testsupport::TGrab& Grab, const char* Name)
{
    const std::filesystem::path folder = std::filesystem::path(testsupport::BinaryDir()) / "screenshots";
    std::filesystem::create_directories(folder);
    std::vector<uint32_t> pixels;
    for (COLORREF c : Grab.Pixels)
        pixels.push_back(0xFF000000u | uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c));
    EXPECT_TRUE(testsupport::SavePng((folder / Name).wstring(), Grab.Width, Grab.Height, pixels));
}

RECT ClientOnScreen(HWND Window)
{
    RECT r;
    GetClientRect(Window, &r);
    MapWindowPoints(Window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST_F(ComboListTest, AClickDropsASkinnedListWhoseBarScrollsItAndWhoseItemChooses)
{
    testsupport::UserInput input;
    TsComboBox* combo = MakeCombo(30, 6);
    const HWND list = testsupport::DropDownByClick(input, combo, combo->ButtonRect());
    ASSERT_NE(list, nullptr);
    testsupport::PumpFor(200);
    auto* wrapper = dynamic_cast<TacComboListWnd*>(combo->ListSW());
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(Ac_GetScrollWndFromHwnd(list), wrapper);

    const testsupport::TGrab grab = testsupport::Grab(list);
    SaveGrab(grab, "wrapper_combo_list.png");
    for (const POINT p : {POINT{0, 0}, POINT{grab.Width - 1, grab.Height / 2}, POINT{grab.Width / 2, grab.Height - 1}})
        EXPECT_EQ(grab.Pixel(p.x, p.y), BorderColour()) << "the frame at " << p.x << "," << p.y;
    const RECT client = ClientOnScreen(list);
    RECT window;
    GetWindowRect(list, &window);
    ASSERT_EQ(window.right - client.right, 17 + 1) << "a skinned bar 17 wide inside the frame";
    const int barX = int(client.right - window.left) + 2;
    EXPECT_EQ(grab.Pixel(barX, 1 + 1), SectionColour(L"SCROLLBTNTOP")) << "the up arrow";
    EXPECT_EQ(grab.Pixel(barX, grab.Height - 3), SectionColour(L"SCROLLBTNBOTTOM")) << "the down arrow";
    EXPECT_TRUE(testsupport::ShowsItemsIn(list, 6, COLORREF(vcl::ColorToRGB(Manager->GetActiveEditColor())),
                                          COLORREF(vcl::ColorToRGB(Manager->GetActiveEditFontColor()))));

    // The down arrow: one line further, the list stays down.
    input.Click(POINT{client.right + 8, client.bottom - 8});
    EXPECT_TRUE(testsupport::PumpUntil([&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0) == 1; }, 3000));
    testsupport::PumpFor(200);
    EXPECT_TRUE(combo->DroppedDown());

    // An item: chosen, the list closes.
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
    input.Click(testsupport::ScreenPointOf(list, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2}));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return !combo->DroppedDown(); }, 3000));
    EXPECT_EQ(combo->ItemIndex(), 3);
}

TEST_F(ComboListTest, APrintedListShowsTheEditColourInsideTheBorderColour)
{
    TsComboBox* combo = MakeCombo(3, 8);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    testsupport::PumpFor(100);
    const HWND list = combo->ListHandle();
    ASSERT_TRUE(IsWindowVisible(list));
    auto* wrapper = dynamic_cast<TacComboListWnd*>(combo->ListSW());
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(COLORREF(vcl::ColorToRGB(wrapper->Color)), SectionColour(L"EDIT"));

    RECT window;
    GetWindowRect(list, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    wraptest::TMemoryDC memory(w, h);
    SendMessageW(list, WM_PRINT, reinterpret_cast<WPARAM>(memory.DC()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(memory.Pixel(0, 0), BorderColour());
    EXPECT_EQ(memory.Pixel(w - 1, h - 1), BorderColour());
    EXPECT_EQ(memory.Pixel(w - 3, h / 2), COLORREF(vcl::ColorToRGB(Manager->GetActiveEditColor())));
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboListTest, SkinRemovalGivesTheListBack)
{
    TsComboBox* combo = MakeCombo(3, 8);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    testsupport::PumpFor(100);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    const HWND list = combo->ListHandle();
    ASSERT_NE(combo->ListSW(), nullptr);
    ASSERT_NE(GetPropW(list, WrapperProperty), nullptr);

    Manager->SetActive(false);
    EXPECT_EQ(combo->ListSW(), nullptr);
    EXPECT_EQ(GetPropW(list, WrapperProperty), nullptr);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    testsupport::PumpFor(100);
    EXPECT_EQ(combo->ListSW(), nullptr) << "unskinned, the list keeps the system's look";
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboListTest, ARecreatedBoxGetsANewListWrapper)
{
    TsComboBox* combo = MakeCombo(3, 8);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    testsupport::PumpFor(100);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    const TacControlWrapper* first = combo->ListSW();
    ASSERT_NE(first, nullptr);
    combo->RecreateWnd();
    combo->HandleNeeded();
    EXPECT_TRUE(first->Destroyed()) << "the old list went away";
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    testsupport::PumpFor(100);
    ASSERT_NE(combo->ListSW(), nullptr);
    EXPECT_FALSE(combo->ListSW()->Destroyed());
    EXPECT_EQ(static_cast<TacMainWnd*>(GetPropW(combo->ListHandle(), WrapperProperty)),
              dynamic_cast<TacMainWnd*>(combo->ListSW()));
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}
