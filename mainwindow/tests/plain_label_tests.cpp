// The main window's plain labels, which the skinned form's control adapter recolours: they write in
// our skin's font colour over their parent's background.
#include "mainform_fixture.h"

#include <algorithm>

#include "skin/core/sSkinManager.h"
#include "vcl/graphics.h"
#include "vcl/stdctrls.h"

namespace {

TEST_F(MainformTest, PlainLabelsWriteInOurSkinsFontColourOverTheirParent)
{
    Form()->sPanel3->SetVisible(true);  // the adjustment's scale, figures in plain labels
    Form()->Show();
    testsupport::PumpFor(300);
    const skin::TsSkinManager* manager = Form()->sSkinManager1;
    ASSERT_EQ(skin::DefaultManager, manager);
    const vcl::TColor font = manager->GetGlobalFontColor();
    ASSERT_NE(vcl::ColorToRGB(font), vcl::ColorToRGB(vcl::clWindowText))
        << "the check could not tell the skin's colour from the default";

    int labels = 0, shown = 0;
    for (int i = 0; i < Form()->ComponentCount(); ++i) {
        auto* label = dynamic_cast<vcl::TLabel*>(Form()->Components(i));
        if (!label)
            continue;
        ++labels;
        EXPECT_EQ(font, label->Font()->Color()) << label->Name().c_str();
        EXPECT_FALSE(label->ControlStyle().Contains(vcl::TControlStyleItem::csOpaque)) << label->Name().c_str();
        if (!label->Showing() || label->Caption().empty())
            continue;
        // Some pixel of the text is drawn in the font colour itself.
        const testsupport::TGrab grab = testsupport::Grab(label->Parent()->Handle());
        const int right = std::min(label->Left() + label->Width(), grab.Width - int(grab.ClientOrigin.x));
        const int bottom = std::min(label->Top() + label->Height(), grab.Height - int(grab.ClientOrigin.y));
        bool written = false;
        for (int y = std::max(label->Top(), 0); y < bottom && !written; ++y)
            for (int x = std::max(label->Left(), 0); x < right && !written; ++x)
                written = grab.ClientPixel(x, y) == vcl::ColorToRGB(font);
        EXPECT_TRUE(written) << label->Name().c_str();
        ++shown;
    }
    EXPECT_GT(labels, 5);
    EXPECT_GT(shown, 0);
}

}  // namespace
