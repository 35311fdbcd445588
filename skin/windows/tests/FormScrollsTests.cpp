// A skinned scrolling form over the frame test skin: a panel larger than its client area gives it
// both scroll bars, which its provider gets skinned in the form's frame; the provider's measures
// and hit test leave them out of the client area, and the skin's removal and a float take them.
#include <gtest/gtest.h>

#include "pump.h"
#include "skin/core/sMessages.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/tests/WrapperTestSupport.h"
#include "vcl/extctrls_panels.h"
#include "vcl/messages.h"

using namespace skin;
using vcl::TPoint;
using vcl::TRect;

namespace {

class FormScrollsTest : public wraptest::WrapperTest {
protected:
    const char* SkinName() const override { return "FRAME"; }
    void SetUp() override
    {
        WrapperTest::SetUp();
        Form.reset(vcl::Create<vcl::TForm>(nullptr));
        Form->SetTag(-98);  // no provider from the window hook: the test makes its own
        Form->SetBorderStyle(vcl::TFormBorderStyle::bsSizeable);
        Form->SetBounds(100, 100, 400, 300);
        Form->SetAutoScroll(true);
        Provider = vcl::Create<TsSkinProvider>(Form.get());
        auto* panel = vcl::Create<vcl::TPanel>(Form.get());
        panel->SetParent(Form.get());
        panel->SetBounds(0, 0, 700, 600);
        Form->Show();
        testsupport::PumpFor(100);
    }
    void TearDown() override
    {
        Form.reset();
        WrapperTest::TearDown();
    }
    TacScrollWnd* Bars() const { return dynamic_cast<TacScrollWnd*>(Provider->ListSW.get()); }
    // Where the client area starts in the window.
    TPoint ClientOrigin() const
    {
        POINT origin{};
        ClientToScreen(Form->Handle(), &origin);
        RECT window{};
        GetWindowRect(Form->Handle(), &window);
        return TPoint(origin.x - window.left, origin.y - window.top);
    }
    LRESULT ProviderHitTest(const TPoint& InWindow)
    {
        RECT window{};
        GetWindowRect(Form->Handle(), &window);
        vcl::TMessage message;
        message.Msg = WM_NCHITTEST;
        message.LParam = MAKELPARAM(window.left + InWindow.x, window.top + InWindow.y);
        return Provider->HTProcess(message);
    }

    vcl::TObjectPtr<vcl::TForm> Form;
    TsSkinProvider* Provider = nullptr;
};

}  // namespace

TEST_F(FormScrollsTest, TheFormGetsOneWrapperWithBothBarsInItsFrame)
{
    TacScrollWnd* bars = Bars();
    ASSERT_TRUE(bars);
    EXPECT_EQ(bars->SkinData, Provider->SkinData());
    EXPECT_EQ(GetWindowLongPtrW(Form->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    EXPECT_EQ(bars->HorzBarHeight(), 17);
    EXPECT_EQ(bars->VertBarWidth(), 17);
    RefreshFormScrolls(Provider);
    EXPECT_EQ(Bars(), bars) << "one wrapper";

    const int frameX = (GetWindowWidth(Form->Handle()) - GetClientWidth(Form->Handle()) - 17) / 2;
    EXPECT_EQ(Provider->OffsetX(), frameX);
    EXPECT_EQ(ClientOrigin(), TPoint(Provider->OffsetX(), Provider->OffsetY()))
        << "the client area where the picture has it, the bars beside and below";
    EXPECT_EQ(GetWindowWidth(Form->Handle()) - GetClientWidth(Form->Handle()), 2 * frameX + 17);
}

TEST_F(FormScrollsTest, TheBoxBetweenTheBarsIsTheGripBeyondItsImagesCorner)
{
    TacScrollWnd* bars = Bars();
    ASSERT_TRUE(bars);
    const TRect box = bars->CornerBox();
    ASSERT_EQ(box.Width(), 17);
    ASSERT_EQ(box.Height(), 17);
    // The grip image of the frame skin is 12 x 12 at the picture's bottom-right inside the frame.
    const int grip = 12;
    EXPECT_EQ(ProviderHitTest(TPoint(box.right - 2, box.bottom - 2)), HTBOTTOMRIGHT);
    EXPECT_EQ(ProviderHitTest(TPoint(box.right - grip, box.bottom - 2)), HTBOTTOMRIGHT);
    EXPECT_EQ(ProviderHitTest(TPoint(box.right - grip - 1, box.bottom - 2)), HTCLIENT) << "on the grip's corner";
    EXPECT_EQ(ProviderHitTest(TPoint(box.left + 1, box.top + 1)), HTCLIENT);
    EXPECT_EQ(ProviderHitTest(TPoint(box.left - 30, box.bottom - 2)), HTCLIENT) << "on the bar, not in the box";

    RECT window{};
    GetWindowRect(Form->Handle(), &window);
    const auto hit = [&](int X, int Y) {
        return SendMessageW(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(window.left + X, window.top + Y));
    };
    EXPECT_EQ(hit(box.left + 1, box.top + 1), HTBOTTOMRIGHT) << "the window's box: the top-level window's grip";
    EXPECT_EQ(hit(box.left - 30, box.top + 5), HTHSCROLL);
    EXPECT_EQ(hit(box.left + 5, box.top - 30), HTVSCROLL);
}

TEST_F(FormScrollsTest, TheSkinsRemovalAndAFloatTakeTheBars)
{
    ASSERT_TRUE(Bars());
    Form->Perform(vcl::CM_FLOAT, 0, 0);
    EXPECT_FALSE(Provider->ListSW);
    EXPECT_EQ(GetPropW(Form->Handle(), WrapperProperty), nullptr);
    RefreshFormScrolls(Provider);
    ASSERT_TRUE(Bars());
    Manager->SetActive(false);
    EXPECT_FALSE(Provider->ListSW);
    EXPECT_EQ(GetPropW(Form->Handle(), WrapperProperty), nullptr);
    EXPECT_EQ(Provider->OffsetX(), (GetWindowWidth(Form->Handle()) - GetClientWidth(Form->Handle())) / 2);
}
