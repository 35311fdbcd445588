// The skin commands a provider answers for its form, skinned and not, and the removal of the skin.
#include "ProviderFixtures.h"
#include "skin/controls/sScrollBox.h"
#include "skin/core/sMessages.h"
#include "vcl/extctrls.h"
#include "vcl/seams.h"
#include "vcl/stdctrls.h"

using namespace skin;
using skintest::ProviderTest;
using skintest::TLoggingForm;

namespace {

LRESULT Ask(vcl::TControl* Form, uint16_t Cmd, LPARAM LParam = 0)
{
    return Form->Perform(SkinCommandMessage, SkinCommandWParam(Cmd), LParam);
}

}  // namespace

TEST_F(ProviderTest, QueriesAreAnsweredSkinnedOrNot)
{
    TLoggingForm* form = NewForm();
    TsSkinProvider* provider = form->Provider;
    ASSERT_TRUE(provider->SkinData()->Skinned(true));
    for (const bool skinned : {true, false}) {
        SCOPED_TRACE(skinned);
        EXPECT_EQ(Ask(form, scmdQuerySkinned), 1);
        EXPECT_EQ(Ask(form, scmdQueryProvider), reinterpret_cast<LRESULT>(provider));
        EXPECT_EQ(Ask(form, scmdQueryApplication), reinterpret_cast<LRESULT>(vcl::Application));
        Manager->SendRemoveSkin();
    }
}

TEST_F(ProviderTest, TheClientOffsetIsThePlaceOfTheClientAreaInTheWindow)
{
    TLoggingForm* form = NewForm();
    RECT window{}, client{};
    GetWindowRect(form->Handle(), &window);
    GetClientRect(form->Handle(), &client);
    const int x = (window.right - window.left - client.right) / 2;
    const int y = window.bottom - window.top - client.bottom - Sys.DlgFrame;
    EXPECT_EQ(Ask(form, scmdQueryClientOffset), LRESULT(MAKELONG(x, y)));
    EXPECT_EQ(x, Sys.DlgFrame);
    EXPECT_EQ(y, Sys.DlgFrame + Sys.Caption);
}

TEST_F(ProviderTest, AnUnlistedCommandIsSwallowedWhileSkinnedAndPassedOnWhileNot)
{
    TLoggingForm* form = NewForm();
    form->Log.Commands.clear();
    Ask(form, scmdDropCache);
    EXPECT_EQ(form->Log.Count(scmdDropCache), 1) << "seen in front of the provider";
    const auto reachedTheForm = [form] {
        int count = 0;
        vcl::TWndMethod inner = form->Provider->OldWndProc;
        form->Provider->OldWndProc = [&count, inner](vcl::TMessage& Message) {
            count += SkinCommandOf(Message) == scmdDropCache;
            inner(Message);
        };
        Ask(form, scmdDropCache);
        form->Provider->OldWndProc = inner;
        return count;
    };
    EXPECT_EQ(reachedTheForm(), 0);
    Manager->SendRemoveSkin();
    EXPECT_EQ(reachedTheForm(), 1);
}

TEST_F(ProviderTest, RemovalGivesPlainLabelsAndTheFormTheirStandardLook)
{
    TLoggingForm* form = NewForm();
    auto* label = vcl::Create<vcl::TLabel>(form);
    label->SetParent(form);
    label->Font()->SetColor(vcl::clRed);
    vcl::TControlStyle style = label->ControlStyle();
    style >> vcl::TControlStyleItem::csOpaque;
    label->SetControlStyle(style);
    auto* seeThrough = vcl::Create<vcl::TLabel>(form);
    seeThrough->SetParent(form);
    seeThrough->SetTransparent(true);
    ASSERT_EQ(form->Color(), Manager->GetGlobalColor());

    Manager->SendRemoveSkin();
    EXPECT_EQ(label->Font()->Color(), vcl::clWindowText);
    EXPECT_TRUE(label->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque));
    EXPECT_FALSE(seeThrough->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque));
    EXPECT_EQ(form->Color(), vcl::clBtnFace);
    EXPECT_FALSE(form->Provider->SkinData()->FCacheBmp);
    EXPECT_FALSE(form->Provider->HaveSysMenu);
}

TEST_F(ProviderTest, RemovalRedrawsTheFormAndNotTheWholeDesktop)
{
    TLoggingForm* form = NewForm();
    TLoggingForm* other = NewForm(vcl::TFormBorderStyle::bsSingle, {}, false);
    form->Show();
    other->Show();
    testsupport::PumpFor(100);
    skintest::TMessageSpy& skinned = Spy(form);
    skintest::TMessageSpy& neighbour = Spy(other);
    Manager->SendRemoveSkin();
    testsupport::PumpFor(100);
    EXPECT_GE(skinned.Count(WM_NCPAINT), 1);
    EXPECT_EQ(neighbour.Count(WM_NCPAINT), 0);
}

TEST_F(ProviderTest, TheBackgroundOfAChildIsTheCacheAtTheClientOffset)
{
    TLoggingForm* form = NewForm();
    TacBGInfo info;
    Ask(form, scmdQueryBackground, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.BgKind, 1) << "a flat section answers its colour";
    EXPECT_EQ(info.Color, vcl::TColor(skin::SwapColor(vcl::TColor(skintest::FlatColour(skintest::FormSection, 1)))));

    TLoggingForm* painting = NewForm(vcl::TFormBorderStyle::bsSingle, {vcl::TBorderIcon::biSystemMenu}, false);
    painting->SetOnPaint([](vcl::TObject*) {});
    TsSkinProvider* cached = painting->AddProvider();
    TacBGInfo painted;
    Ask(painting, scmdQueryBackground, reinterpret_cast<LPARAM>(&painted));
    EXPECT_FALSE(cached->SkinData()->BGChanged) << "rendered on the way";
    EXPECT_EQ(painted.BgKind, 2) << "a form that paints itself lends its cache";
    ASSERT_TRUE(painted.Bmp);
    EXPECT_EQ(painted.Bmp, cached->SkinData()->FCacheBmp.get());
    EXPECT_EQ(painted.Offset, vcl::TPoint(cached->OffsetX(), cached->OffsetY()));
}

// The wheel over a skinned scroll box that takes it scrolls the box, skinned or not.
TEST_F(ProviderTest, TheWheelGoesToTheScrollBoxUnderTheMouse)
{
    TLoggingForm* form = NewForm();
    auto* box = vcl::Create<TsScrollBox>(form);
    box->SetBounds(10, 10, 200, 150);
    box->SetParent(form);
    box->SetAutoMouseWheel(true);
    auto* tall = vcl::Create<vcl::TPanel>(form);
    tall->SetBounds(0, 0, 100, 600);
    tall->SetParent(box);
    box->HandleNeeded();
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().CursorPos = [box] { return box->ClientToScreen(vcl::TPoint(50, 50)); };
    const WPARAM notchDown = MAKEWPARAM(0, WORD(short(-120)));
    for (const bool skinned : {true, false}) {
        SCOPED_TRACE(skinned);
        if (!skinned)
            Manager->SendRemoveSkin();
        box->VertScrollBar()->SetPosition(0);
        EXPECT_EQ(form->Perform(vcl::CM_MOUSEWHEEL, notchDown, 0), 1);
        EXPECT_EQ(box->VertScrollBar()->Position(), box->VertScrollBar()->Increment());
    }
    vcl::Seams() = saved;
}
