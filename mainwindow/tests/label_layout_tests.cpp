// Every label of the real main window, in English and in Russian: its parent, its size (fixed, or
// its text's as the label measures it in its own font) and its place after the language's texts
// and layout. The places of the value fields the labels line up with are read from the window.
#include "language_window.h"
#include "textfit.h"

#include <functional>
#include <map>
#include <string>

namespace {

using namespace languagewindow;

constexpr int English = 0;
constexpr int Russian = 1;

struct Place {
    int Left, Top, Width, Height;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p)
{
    return out << p.Left << "," << p.Top << " " << p.Width << "x" << p.Height;
}

// What a row knows: the window, the language, and the label's text size.
struct Context {
    TfrmMain* f;
    int Language;
    SIZE Text;

    // The rule's constant in English and in Russian.
    int K(int english, int russian) const { return Language == Russian ? russian : english; }
    // The band every value panel keeps for its explanation: a third of the address panel.
    int Band() const { return f->sPanel6->Height() / 3; }
    // A label of this height centred in the explanation band at the bottom of the panel.
    int InBand(vcl::TControl* panel, int height) const
    {
        return panel->Height() - height - (Band() - height) / 2;
    }
};

struct Row {
    const wchar_t* Label;
    const wchar_t* Parent;  // none: the window itself
    std::function<Place(const Context&)> Expected;
};

// Sizes the labels keep whatever their text.
constexpr SIZE Address2{213, 41}, RxPower{140, 38}, RxPower2{271, 41}, Letter2{271, 49}, Ust{158, 50},
    Ust2{289, 34}, Tres2{299, 53}, Speed{150, 57}, Speed2{230, 53}, Addr2{121, 58}, SetupText{209, 96},
    StepAddress2Width{249, 0}, StepSpeed{156, 38}, StepSpeed2{270, 60};

const Row Rows[] = {
    // Column headers, centred in their bars.
    {L"sLabel1", L"sPanel12",
     [](const Context& c) {
         return Place{(c.f->sPanel12->Width() - c.Text.cx) / 2, (c.f->sPanel12->Height() - c.Text.cy) / 2, c.Text.cx,
                      c.Text.cy};
     }},
    {L"sLabel7", L"sPanel15",
     [](const Context& c) {
         return Place{(c.f->sPanel15->Width() - c.Text.cx) / 2, (c.f->sPanel15->Height() - c.Text.cy) / 2, c.Text.cx,
                      c.Text.cy};
     }},
    // Left column.
    {L"lbAddress", L"sPanel6",
     [](const Context& c) {
         return Place{(c.f->cbAddress->Left() - c.Text.cx) / 2 + c.K(18, 8), c.f->cbAddress->Top() + 4, c.Text.cx, 38};
     }},
    {L"lbAddress2", L"sPanel6",
     [](const Context& c) {
         return Place{(c.f->sPanel6->Width() - Address2.cx) / 2 + c.K(-10, 0), c.InBand(c.f->sPanel6, Address2.cy),
                      Address2.cx, Address2.cy};
     }},
    {L"lbRxPower", L"sPanel7",
     [](const Context& c) {
         return Place{(c.f->edRxPower->Left() - RxPower.cx) / 2 + 4, c.f->edRxPower->Top() + 4, RxPower.cx, RxPower.cy};
     }},
    {L"lbRxPower2", L"sPanel7",
     [](const Context& c) {
         return Place{(c.f->sPanel7->Width() - RxPower2.cx) / 2, c.InBand(c.f->sPanel7, RxPower2.cy) + c.K(0, 15),
                      RxPower2.cx, RxPower2.cy};
     }},
    {L"lbLetter", L"sPanel8",
     [](const Context& c) {
         return Place{(c.f->edLetter->Left() - c.Text.cx) / 2, c.f->edLetter->Top() + 14, c.Text.cx, c.Text.cy};
     }},
    {L"lbLetter2", L"sPanel8",
     [](const Context& c) {
         return Place{(c.f->sPanel8->Width() - Letter2.cx) / 2, 98, Letter2.cx, Letter2.cy};
     }},
    // Right column: the boxes the monitoring view never shows, then the shown ones.
    {L"lbUst", L"sPanel9",
     [](const Context& c) {
         return Place{(c.f->edUst->Left() - Ust.cx) / 2 + c.K(5, 0), c.f->edUst->Top() + 2, Ust.cx, Ust.cy};
     }},
    {L"lbUst2", L"sPanel9",
     [](const Context& c) {
         const int third = c.f->sPanel9->Height() / 3;
         return Place{(c.f->sPanel9->Width() - Ust2.cx) / 2 + c.K(8, 0), (third - Ust2.cy) / 2 + third + c.K(0, 5),
                      Ust2.cx, Ust2.cy};
     }},
    {L"lbTres", L"sPanel10",
     [](const Context& c) {
         return Place{(c.f->edTres->Left() - c.Text.cx) / 2 + c.K(2, 0), c.f->edTres->Top() + c.K(12, 2), c.Text.cx,
                      c.Text.cy};
     }},
    {L"lbTres2", L"sPanel10",
     [](const Context& c) {
         const int third = c.f->sPanel10->Height() / 3;
         return Place{(c.f->sPanel10->Width() - Tres2.cx) / 2, (third - Tres2.cy) / 2 + third + c.K(10, 5), Tres2.cx,
                      Tres2.cy};
     }},
    {L"lbSpeed", L"sPanel11",
     [](const Context& c) {
         return Place{(c.f->cbSpeed->Left() - Speed.cx) / 2 + c.K(0, 8), (c.f->sPanel11->Height() - Speed.cy) / 2,
                      Speed.cx, Speed.cy};
     }},
    {L"lbSpeed2", L"sPanel11",
     [](const Context& c) {
         return Place{(c.f->sPanel11->Width() - Speed2.cx) / 2, c.InBand(c.f->sPanel11, Speed2.cy) - 15, Speed2.cx,
                      Speed2.cy};
     }},
    {L"lbSpeed3", L"sPanel11",
     [](const Context& c) {
         return Place{280, (c.f->cbSpeed->Height() - c.Text.cy) / 2 + c.f->cbSpeed->Top(), c.Text.cx, c.Text.cy};
     }},
    {L"lbAddr", L"sPanel16",
     [](const Context& c) {
         return Place{(c.f->sPanel16->Width() - c.Text.cx) / 2, 10, c.Text.cx, c.Text.cy};
     }},
    {L"lbAddr2", L"sPanel16",
     [](const Context& c) {
         return Place{(c.f->edAddr->Left() - Addr2.cx) / 2 + 15, c.f->edAddr->Top() + 2, Addr2.cx, Addr2.cy};
     }},
    {L"sLabel3", L"sPanel14",
     [](const Context& c) {
         return Place{(c.f->sPanel14->Width() - c.Text.cx) / 2, 6, c.Text.cx, c.Text.cy};
     }},
    {L"sLabel2", L"sPanel14",
     [](const Context& c) {
         return Place{(c.f->sPanel14->Width() - SetupText.cx) / 2, 29, SetupText.cx, SetupText.cy};
     }},
    // The gauge column: the scale figures chain down from the scale picture.
    {L"Label4", L"sPanel3",
     [](const Context& c) {
         return Place{c.f->Image1->Left() + c.f->Image1->Width() + 20, c.f->Image1->Top() - 20, c.Text.cx, c.Text.cy};
     }},
    {L"Label3", L"sPanel3",
     [](const Context& c) {
         return Place{c.f->Image1->Left() + c.f->Image1->Width() + 20, c.f->Image1->Top() + 95, c.Text.cx, c.Text.cy};
     }},
    {L"Label2", L"sPanel3",
     [](const Context& c) {
         return Place{c.f->Image1->Left() + c.f->Image1->Width() + 20, c.f->Image1->Top() + 210, c.Text.cx, c.Text.cy};
     }},
    {L"Label1", L"sPanel3",
     [](const Context& c) {
         return Place{c.f->Image1->Left() + c.f->Image1->Width() + 20, c.f->Image1->Top() + 325, c.Text.cx, c.Text.cy};
     }},
    // The wizard's threshold step: its scale figures where the form puts them.
    {L"Label8", L"PanelSetup", [](const Context& c) { return Place{325, 48, c.Text.cx, c.Text.cy}; }},
    {L"Label7", L"PanelSetup", [](const Context& c) { return Place{325, 165, c.Text.cx, c.Text.cy}; }},
    {L"Label6", L"PanelSetup", [](const Context& c) { return Place{325, 281, c.Text.cx, c.Text.cy}; }},
    {L"Label5", L"PanelSetup", [](const Context& c) { return Place{325, 392, c.Text.cx, c.Text.cy}; }},
    {L"lbWaitTres", L"sPanel3",
     [](const Context& c) {
         return Place{(c.f->sPanel3->Width() - c.Text.cx) / 2, 200, c.Text.cx, c.Text.cy};
     }},
    // The wizard's step boxes.
    {L"lbStepAddress", L"PanelAddress",
     [](const Context& c) {
         return Place{(c.f->cbStepAddress->Left() - c.Text.cx) / 2 + c.K(18, 8), c.f->cbStepAddress->Top() + 4,
                      c.Text.cx, 38};
     }},
    {L"lbStepAddress2", L"PanelAddress",
     [](const Context& c) {
         return Place{(c.f->PanelAddress->Width() - StepAddress2Width.cx) / 2 + c.K(-10, 0),
                      c.InBand(c.f->PanelAddress, c.Text.cy), StepAddress2Width.cx, c.Text.cy};
     }},
    {L"lbStepRxPower", L"PanelRxPower",
     [](const Context& c) {
         return Place{c.f->lbStepAddress->Left() - 12, c.f->edStepRxPower->Top() + 4, RxPower.cx, RxPower.cy};
     }},
    {L"lbStepRxPower2", L"PanelRxPower",
     [](const Context& c) {
         return Place{(c.f->PanelRxPower->Width() - c.Text.cx) / 2, c.InBand(c.f->PanelRxPower, c.Text.cy) - 10,
                      c.Text.cx, c.Text.cy};
     }},
    {L"lbStepLetter", L"PanelLetter",
     [](const Context& c) {
         return Place{(c.f->edStepLetter->Left() - c.Text.cx) / 2, c.f->edStepLetter->Top() + 14, c.Text.cx, c.Text.cy};
     }},
    {L"lbStepLetter2", L"PanelLetter",
     [](const Context& c) {
         return Place{(c.f->PanelLetter->Width() - Letter2.cx) / 2, c.f->lbStepAddress2->Top(), Letter2.cx, Letter2.cy};
     }},
    {L"lbStepSpeed", L"PanelSpeed",
     [](const Context& c) { return Place{15, c.f->cbStepSpeed->Top(), StepSpeed.cx, StepSpeed.cy}; }},
    {L"lbStepSpeed2", L"PanelSpeed",
     [](const Context& c) {
         return Place{(c.f->PanelSpeed->Width() - StepSpeed2.cx) / 2 + 20, c.InBand(c.f->PanelSpeed, StepSpeed2.cy) - 25,
                      StepSpeed2.cx, StepSpeed2.cy};
     }},
    {L"lbStepSpeed3", L"PanelSpeed",
     [](const Context& c) {
         return Place{c.f->cbStepSpeed->Left() + c.f->cbStepSpeed->Width() + 10,
                      (c.f->cbStepSpeed->Height() - c.Text.cy) / 2 + c.f->cbStepSpeed->Top(), c.Text.cx, c.Text.cy};
     }},
    {L"lbStepAddr", L"PanelNumberChange",
     [](const Context& c) {
         return Place{(c.f->PanelNumberChange->Width() - c.Text.cx) / 2, 10, c.Text.cx, c.Text.cy};
     }},
    {L"lbStepAddr2", L"PanelNumberChange",
     [](const Context& c) {
         return Place{(c.f->edStepAddr->Left() - Addr2.cx) / 2 - 30, c.f->edStepAddr->Top() + 2, Addr2.cx, Addr2.cy};
     }},
    {L"lbStepUst", L"PanelUst",
     [](const Context& c) {
         return Place{(c.f->edUst->Left() - Ust.cx) / 2 + c.K(5, 0), c.f->edStepUst->Top() + 2, Ust.cx, Ust.cy};
     }},
    {L"lbStepUst2", L"PanelUst",
     [](const Context& c) {
         const int half = c.f->PanelUst->Height() / 2;
         return Place{(c.f->PanelUst->Width() - Ust2.cx) / 2 + c.K(8, 0), (half - Ust2.cy) / 2 + half + c.K(0, 5),
                      Ust2.cx, Ust2.cy};
     }},
    // On the window itself: the search view, stacked and centred on the window's outer size, and
    // the first-launch prompt, as the start placed it.
    {L"lbSearch", nullptr,
     [](const Context& c) {
         const int top =
             (c.f->Height() - c.f->pbSearch->Height() - c.Text.cy - c.f->lbCountDevice->Height() - 70) / 2;
         return Place{(c.f->Width() - c.Text.cx) / 2, top, c.Text.cx, c.Text.cy};
     }},
    {L"lbCountDevice", nullptr,
     [](const Context& c) {
         return Place{(c.f->Width() - c.Text.cx) / 2, c.f->pbSearch->Top() + c.f->pbSearch->Height() + 20, c.Text.cx,
                      c.Text.cy};
     }},
    {L"lbLanguage", nullptr,
     [](const Context& c) {
         return Place{(c.f->Width() - c.Text.cx) / 2, c.f->cbLanguage->Top() - c.Text.cy - 12, c.Text.cx, c.Text.cy};
     }},
    // Labels no language moves: the workflows place them when they show them.
    {L"lbState", L"sPanel1", [](const Context& c) { return Place{360, 6, c.Text.cx, c.Text.cy}; }},
    {L"lbStatus", L"sPanel4", [](const Context& c) { return Place{151, 16, c.Text.cx, c.Text.cy}; }},
    {L"lbStep", L"PanelStep", [](const Context& c) { return Place{181, 7, c.Text.cx, c.Text.cy}; }},
    {L"lbHint", L"PanelStep", [](const Context&) { return Place{38, 80, 387, 330}; }},
    {L"lbTresholLevel", L"PanelSetup", [](const Context& c) { return Place{35, 224, c.Text.cx, c.Text.cy}; }},
    {L"lbStepTres2", L"PanelSetup", [](const Context&) { return Place{390, 200, 234, 80}; }},
    {L"lbStepWaitTres", L"PanelSetup", [](const Context& c) { return Place{150, 164, c.Text.cx, c.Text.cy}; }},
    {L"lbStepTres", L"PanelTres", [](const Context& c) { return Place{20, 20, c.Text.cx, c.Text.cy}; }},
};

class LabelLayoutTest : public LanguageSwitchTest {};

TEST_F(LabelLayoutTest, EveryLabelHasItsSizeAndPlaceInEnglishAndRussian)
{
    for (const auto& [language, button] : {std::pair{English, L"sbtEnglish"}, std::pair{Russian, L"sbtRussian"}}) {
        SCOPED_TRACE(language == English ? "English" : "Russian");
        ChooseByButton(*FindLanguageButton(button));
        std::map<vcl::String, bool> listed;
        for (const Row& row : Rows) {
            auto* label = dynamic_cast<vcl::TCustomLabel*>(Named(row.Label));
            ASSERT_NE(label, nullptr) << vcl::ToAnsi(row.Label);
            listed[label->Name()] = true;
            const vcl::TControl* parent = row.Parent ? Named(row.Parent) : Form();
            EXPECT_EQ(label->Parent(), parent) << vcl::ToAnsi(row.Label);
            const Context context{Form(), language, textfit::LabelTextSize(label)};
            EXPECT_EQ(Place(label->Left(), label->Top(), label->Width(), label->Height()), row.Expected(context))
                << vcl::ToAnsi(row.Label);
        }
        // The table leaves out no label of the window.
        for (int i = 0; i < Form()->ComponentCount(); ++i) {
            if (auto* label = dynamic_cast<vcl::TCustomLabel*>(Form()->Components(i)))
                EXPECT_TRUE(listed.contains(label->Name())) << vcl::ToAnsi(label->Name());
        }
    }
}

}  // namespace
