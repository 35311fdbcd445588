// Making a form's window layered and almost transparent, as the show and hide animations start,
// seen through what it hands the layered-window entry point.
#include "skin/forms/sSkinProvider.h"

#include "pump.h"
#include "skin/graphics/tests/LayeredRecorder.h"
#include "vcl/forms.h"

#include <gtest/gtest.h>

using namespace skin;

TEST(DoLayered, AWindowBecomesLayeredWithAlphaOneOnceAndLosesItWithItsVisibility)
{
    testsupport::InitializeApplication();
    skin::test::TLayeredRecorder recorder;
    vcl::TObjectPtr<vcl::TForm> form(vcl::Create<vcl::TForm>(nullptr));
    const HWND wnd = form->Handle();
    SetWindowLongPtrW(wnd, GWL_STYLE, GetWindowLongPtrW(wnd, GWL_STYLE) | WS_VISIBLE);

    EXPECT_TRUE(DoLayered(wnd, true));
    EXPECT_TRUE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_EQ(recorder.Attributes.size(), 1u);
    EXPECT_EQ(recorder.Attributes[0].Wnd, wnd);
    EXPECT_EQ(recorder.Attributes[0].Alpha, 1);
    EXPECT_EQ(recorder.Attributes[0].Flags, DWORD(LWA_ALPHA));

    EXPECT_FALSE(DoLayered(wnd, true)) << "already layered";
    EXPECT_EQ(recorder.Attributes.size(), 1u);

    EXPECT_FALSE(DoLayered(wnd, false));
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(recorder.Attributes.size(), 1u);
    EXPECT_TRUE(recorder.Frames.empty());
}
