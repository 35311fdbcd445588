// The main window's combo boxes as a user opens them: a real click on a box's button drops its
// skinned list down (framed in the skin's border colour) with every item shown on the list's
// background, and Escape closes it without a choice. The first launch's language list and the monitoring view's speed list, with a
// screenshot of each.
#include "mainform_fixture.h"
#include "screenshots.h"

#include "droppedlist.h"
#include "languages/languagetexts.h"
#include "skin/windows/acSBUtils.h"
#include "user_input.h"

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> ItemsOf(skin::TsComboBox* Box)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < Box->Items()->Count(); ++i)
        items.push_back(Box->Items()->Strings(i));
    return items;
}

class ComboListTest : public MainformTest {
protected:
    // As the program: standard windows skinned, the combo boxes' lists among them.
    void SetUp() override
    {
        skin::InitSBUtilsUnit();
        MainformTest::SetUp();
    }
    void TearDown() override
    {
        MainformTest::TearDown();
        skin::DoneSBUtilsUnit();
    }

    // Drops the box's list with a click on its button and checks that it shows every item of the
    // box in the skin's edit colours; the list's window, null when it never dropped down.
    HWND DropAndCheck(skin::TsComboBox* Box)
    {
        const HWND list = testsupport::DropDownByClick(Input, Box, Box->ButtonRect());
        if (!list) {
            ADD_FAILURE() << "the list did not drop down";
            return nullptr;
        }
        skin::TsSkinManager* manager = Form()->sSkinManager1;
        const COLORREF background = vcl::ColorToRGB(manager->GetActiveEditColor());
        const COLORREF text = vcl::ColorToRGB(manager->GetActiveEditFontColor());
        const size_t count = static_cast<size_t>(Box->Items()->Count());
        EXPECT_TRUE(
            testsupport::PumpUntil([&] { return testsupport::ShowsItemsIn(list, count, background, text); }, 3000))
            << "every item written on the list's background";
        EXPECT_EQ(SendMessageW(Box->Handle(), CB_GETCOUNT, 0, 0), Box->Items()->Count());
        EXPECT_EQ(testsupport::ShownListTexts(list), ItemsOf(Box));
        EXPECT_NE(Box->ListSW(), nullptr) << "the list is skinned";
        const testsupport::TGrab grab = testsupport::Grab(list);
        const COLORREF border = vcl::ColorToRGB(manager->SkinData->BorderColor);
        EXPECT_EQ(grab.Pixel(0, grab.Height / 2), border);
        EXPECT_EQ(grab.Pixel(grab.Width / 2, grab.Height - 1), border);
        return list;
    }
    // A screenshot of the window with its dropped list; the list is no black box.
    static void SaveScreenshotWith(HWND List, const std::string& Name)
    {
        const RECT area = AreaOf(Form()->Handle(), List);
        const testsupport::TGrab grab = testsupport::GrabScreen(area);
        EXPECT_TRUE(SaveScreenshot(grab, Name));
        EXPECT_EQ(BlackColumns(grab, WindowArea(List, area)), 0);
    }
    // Escape closes the list and chooses nothing.
    void CloseWithEscape(skin::TsComboBox* Box)
    {
        Input.Key("Escape");
        EXPECT_TRUE(testsupport::PumpUntil([&] { return !Box->DroppedDown(); }));
        EXPECT_EQ(Box->ItemIndex(), -1);
    }

    testsupport::UserInput Input;
};

TEST_F(ComboListTest, AtTheFirstLaunchAClickOnTheLanguageBoxShowsEveryLanguage)
{
    Form()->Show();
    testsupport::PumpFor(300);
    skin::TsComboBox* box = Form()->cbLanguage;
    ASSERT_TRUE(box->Showing());
    const HWND list = DropAndCheck(box);
    ASSERT_NE(list, nullptr);
    SaveScreenshotWith(list, "language-list-dropped");
    CloseWithEscape(box);
    EXPECT_TRUE(box->Showing()) << "the question stays";
}

TEST_F(ComboListTest, InTheMonitoringViewAClickOnTheSpeedBoxShowsEverySpeedClass)
{
    TMainformLanguageHost host(*Form());
    ApplyLanguageTexts(host, 0);
    Form()->cbLanguage->SetVisible(false);
    Form()->lbLanguage->SetVisible(false);
    Form()->ShowMonitoringView();
    Form()->Show();
    testsupport::PumpFor(300);
    skin::TsComboBox* box = Form()->cbSpeed;
    ASSERT_TRUE(box->Showing());
    const HWND list = DropAndCheck(box);
    ASSERT_NE(list, nullptr);
    SaveScreenshotWith(list, "speed-list-dropped");
    CloseWithEscape(box);
}

}  // namespace
