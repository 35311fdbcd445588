// The main window right after creation, control by control, against the window's description.
#include "mainform_fixture.h"

#include <climits>

namespace {

using namespace vcl;

constexpr int Any = INT_MIN;       // a place left to the implementation
constexpr int Measured = INT_MIN;  // a label sizes itself to its text

struct ControlRow {
    const wchar_t* name;
    const wchar_t* className;
    const wchar_t* parent;
    int left;
    int top;
    int width;
    int height;
    bool visible;
    bool enabled;
};

constexpr bool Shown = true;
constexpr bool Hidden = false;
constexpr bool On = true;
constexpr bool Off = false;

// Every control of the window, in the state a first launch leaves it (no settings file): all
// panels hidden, the language list shown.
const ControlRow kControls[] = {
    // Top bar.
    {L"sPanel1", L"TsPanel", L"frmMain", 0, 0, 1016, 46, Hidden, On},
    {L"sSpeedButton1", L"TsSpeedButton", L"sPanel1", 3, 3, 40, 40, Shown, On},
    {L"sbtSound", L"TsSpeedButton", L"sPanel1", 43, 3, 40, 40, Shown, On},
    {L"sbtLang", L"TsSpeedButton", L"sPanel1", 83, 3, 40, 40, Shown, On},
    {L"shState", L"TShape", L"sPanel1", 123, 3, 890, 40, Shown, On},
    {L"lbState", L"TsLabel", L"sPanel1", 360, 6, Measured, Measured, Shown, On},
    {L"Image3", L"TImage", L"sPanel1", 899, 2, 113, 40, Shown, On},
    // Bottom bar.
    {L"sPanel4", L"TsPanel", L"frmMain", 0, 500, 1016, 46, Hidden, On},
    {L"shStatus", L"TShape", L"sPanel4", 1, 1, 1014, 44, Shown, On},
    {L"lbStatus", L"TsLabel", L"sPanel4", 151, 16, Measured, Measured, Shown, On},
    // Left column.
    {L"sPanel5", L"TsPanel", L"frmMain", 0, 46, 320, 454, Hidden, On},
    {L"sPanel12", L"TsPanel", L"sPanel5", 0, 0, 320, 30, Shown, On},
    {L"sLabel1", L"TsLabel", L"sPanel12", Any, Any, Measured, Measured, Shown, On},
    {L"sPanel6", L"TsPanel", L"sPanel5", 0, 30, 320, 142, Shown, On},
    {L"lbAddress", L"TsLabel", L"sPanel6", Any, Any, Measured, Measured, Shown, On},
    {L"lbAddress2", L"TsLabel", L"sPanel6", Any, Any, 213, Measured, Shown, On},
    {L"cbAddress", L"TsComboBox", L"sPanel6", 180, 33, 75, 42, Shown, On},
    {L"sPanel7", L"TsPanel", L"sPanel5", 0, 172, 320, 142, Shown, On},
    {L"lbRxPower", L"TsLabel", L"sPanel7", Any, Any, Measured, Measured, Shown, On},
    {L"lbRxPower2", L"TsLabel", L"sPanel7", Any, Any, Any, Measured, Shown, On},
    {L"edRxPower", L"TsEdit", L"sPanel7", 180, 26, 75, 42, Shown, Off},
    {L"sPanel8", L"TsPanel", L"sPanel5", 0, 314, 320, 140, Shown, On},
    {L"lbLetter", L"TsLabel", L"sPanel8", Any, Any, Measured, Measured, Shown, On},
    {L"lbLetter2", L"TsLabel", L"sPanel8", Any, Any, Any, Measured, Shown, On},
    {L"edLetter", L"TsEdit", L"sPanel8", 180, 24, 75, 42, Shown, Off},
    // Centre column.
    {L"sPanel3", L"TsPanel", L"frmMain", 320, 46, 375, 454, Hidden, On},
    {L"edValue", L"TsEdit", L"sPanel3", 130, 20, 100, 48, Shown, On},
    {L"cZone1", L"TCGauge", L"sPanel3", 130, 80, 100, 350, Shown, On},
    {L"PaintBox1", L"TPaintBox", L"sPanel3", 130, 80, 100, 350, Shown, On},
    {L"Image1", L"TImage", L"sPanel3", 254, 80, 47, 350, Shown, On},
    {L"Label1", L"TLabel", L"sPanel3", 322, 400, Measured, Measured, Shown, On},
    {L"Label2", L"TLabel", L"sPanel3", 322, 345, Measured, Measured, Shown, On},
    {L"Label3", L"TLabel", L"sPanel3", 322, 230, Measured, Measured, Shown, On},
    {L"Label4", L"TLabel", L"sPanel3", 322, 115, Measured, Measured, Shown, On},
    {L"btPlus", L"TsSpeedButton", L"sPanel3", 42, 108, 24, 24, Hidden, On},
    {L"btMinus", L"TsSpeedButton", L"sPanel3", 42, 149, 24, 24, Hidden, On},
    {L"lbWaitTres", L"TsLabel", L"sPanel3", 67, 200, Measured, Measured, Hidden, On},
    {L"pbWaitTres", L"TsProgressBar", L"sPanel3", 64, 227, 150, 25, Hidden, On},
    {L"Image2", L"TImage", L"sPanel3", 130, 80, 100, 3, Hidden, On},
    // Right column.
    {L"sPanel2", L"TsPanel", L"frmMain", 695, 46, 320, 454, Hidden, On},
    {L"sPanel15", L"TsPanel", L"sPanel2", 0, 0, 320, 30, Shown, On},
    {L"sLabel7", L"TsLabel", L"sPanel15", Any, Any, Measured, Measured, Shown, On},
    {L"sPanel14", L"TsPanel", L"sPanel2", 0, 30, 320, 142, Hidden, On},
    {L"sLabel3", L"TsLabel", L"sPanel14", Any, Any, Measured, Measured, Shown, On},
    {L"sLabel2", L"TsLabel", L"sPanel14", Any, Any, 209, Measured, Shown, On},
    {L"sButton1", L"TsButton", L"sPanel14", 80, 105, 150, 30, Shown, On},
    {L"sPanel16", L"TsPanel", L"sPanel2", 0, 172, 320, 142, Shown, On},
    {L"lbAddr", L"TsLabel", L"sPanel16", Any, Any, Measured, Measured, Shown, On},
    {L"lbAddr2", L"TsLabel", L"sPanel16", Any, Any, 121, Measured, Shown, On},
    {L"edAddr", L"TsEdit", L"sPanel16", 180, 41, 75, 42, Shown, Off},
    {L"btChangeAddr", L"TsButton", L"sPanel16", 80, 105, 150, 30, Shown, On},
    {L"btOk", L"TsButton", L"sPanel16", 56, 104, 83, 32, Hidden, Off},
    {L"btCancel", L"TsButton", L"sPanel16", 160, 104, 83, 32, Hidden, On},
    {L"sPanel11", L"TsPanel", L"sPanel2", 0, 314, 320, 140, Shown, On},
    {L"lbSpeed", L"TsLabel", L"sPanel11", Any, Any, Measured, Measured, Shown, On},
    {L"lbSpeed2", L"TsLabel", L"sPanel11", Any, Any, Any, Measured, Hidden, On},
    {L"lbSpeed3", L"TsLabel", L"sPanel11", Any, Any, Measured, Measured, Shown, On},
    {L"cbSpeed", L"TsComboBox", L"sPanel11", 180, 13, 95, 34, Shown, On},
    {L"sPanel9", L"TsPanel", L"sPanel2", 0, 30, 320, 213, Shown, On},
    {L"lbUst", L"TsLabel", L"sPanel9", Any, Any, Measured, Measured, Shown, On},
    {L"lbUst2", L"TsLabel", L"sPanel9", Any, Any, Any, Measured, Shown, On},
    {L"edUst", L"TsEdit", L"sPanel9", Any, Any, Any, Any, Shown, On},
    {L"btNext", L"TsButton", L"sPanel9", Any, Any, Any, Any, Shown, On},
    {L"sPanel10", L"TsPanel", L"sPanel2", 0, 243, 320, 213, Shown, On},
    {L"lbTres", L"TsLabel", L"sPanel10", Any, Any, Measured, Measured, Shown, On},
    {L"lbTres2", L"TsLabel", L"sPanel10", Any, Any, Any, Measured, Shown, On},
    {L"edTres", L"TsEdit", L"sPanel10", Any, Any, Any, Any, Shown, On},
    {L"btCloseSetting", L"TsButton", L"sPanel10", Any, Any, Any, Any, Shown, Off},
    // Wizard navigation.
    {L"PanelStep", L"TsPanel", L"frmMain", 0, 46, 450, 454, Hidden, On},
    {L"lbStep", L"TLabel", L"PanelStep", 181, 7, Measured, Measured, Shown, On},
    {L"sBevel1", L"TsBevel", L"PanelStep", 0, 52, 450, 3, Shown, On},
    {L"lbHint", L"TLabel", L"PanelStep", 38, 80, 387, 330, Shown, On},
    {L"btBack", L"TsButton", L"PanelStep", 78, 420, 96, 30, Shown, Off},
    {L"btNextStep", L"TsButton", L"PanelStep", 274, 421, 96, 30, Shown, On},
    {L"btContinue", L"TsButton", L"PanelStep", 172, 420, 96, 30, Hidden, On},
    {L"btEndSetting", L"TsButton", L"PanelStep", 172, 420, 96, 30, Hidden, On},
    // Wizard step area.
    {L"PanelSetup", L"TsPanel", L"frmMain", 450, 46, 566, 454, Hidden, On},
    {L"PanelAddress", L"TsPanel", L"PanelSetup", 123, 106, 320, 213, Hidden, On},
    {L"lbStepAddress", L"TsLabel", L"PanelAddress", Any, Any, Measured, Measured, Shown, On},
    {L"lbStepAddress2", L"TsLabel", L"PanelAddress", Any, Any, Any, Measured, Shown, On},
    {L"cbStepAddress", L"TsComboBox", L"PanelAddress", 180, 33, 75, 42, Shown, On},
    {L"PanelNumberChange", L"TsPanel", L"PanelSetup", 123, 106, 320, 213, Hidden, On},
    {L"lbStepAddr", L"TsLabel", L"PanelNumberChange", Any, Any, Measured, Measured, Shown, On},
    {L"lbStepAddr2", L"TsLabel", L"PanelNumberChange", Any, Any, 121, Measured, Shown, On},
    {L"edStepAddr", L"TsEdit", L"PanelNumberChange", 232, 39, 75, 42, Shown, Off},
    {L"btStepChangeAddr", L"TsButton", L"PanelNumberChange", Any, Any, Any, Any, Shown, On},
    {L"btStepOk", L"TsButton", L"PanelNumberChange", Any, Any, Any, Any, Hidden, Off},
    {L"btStepCancel", L"TsButton", L"PanelNumberChange", Any, Any, Any, Any, Hidden, On},
    {L"PanelRxPower", L"TsPanel", L"PanelSetup", 123, 106, 320, 213, Hidden, On},
    {L"lbStepRxPower", L"TsLabel", L"PanelRxPower", Any, Any, Measured, Measured, Shown, On},
    {L"lbStepRxPower2", L"TsLabel", L"PanelRxPower", Any, Any, Any, Measured, Shown, On},
    {L"edStepRxPower", L"TsEdit", L"PanelRxPower", Any, Any, Any, Any, Shown, Off},
    {L"PanelLetter", L"TsPanel", L"PanelSetup", 123, 106, 320, 213, Hidden, On},
    {L"lbStepLetter", L"TsLabel", L"PanelLetter", Any, Any, Measured, Measured, Shown, On},
    {L"lbStepLetter2", L"TsLabel", L"PanelLetter", Any, Any, Any, Measured, Shown, On},
    {L"edStepLetter", L"TsEdit", L"PanelLetter", Any, Any, Any, Any, Shown, Off},
    {L"PanelSpeed", L"TsPanel", L"PanelSetup", 123, 106, 320, 213, Hidden, On},
    {L"lbStepSpeed", L"TsLabel", L"PanelSpeed", Any, Any, Measured, Measured, Shown, On},
    {L"lbStepSpeed2", L"TsLabel", L"PanelSpeed", Any, Any, Any, Measured, Shown, On},
    {L"lbStepSpeed3", L"TsLabel", L"PanelSpeed", Any, Any, Measured, Measured, Shown, On},
    {L"cbStepSpeed", L"TsComboBox", L"PanelSpeed", 246, 15, 95, 34, Shown, On},
    {L"PanelUst", L"TsPanel", L"PanelSetup", 123, 106, 320, 213, Hidden, On},
    {L"lbStepUst", L"TsLabel", L"PanelUst", Any, Any, Measured, Measured, Shown, On},
    {L"lbStepUst2", L"TsLabel", L"PanelUst", Any, Any, Any, Measured, Hidden, On},
    {L"edStepUst", L"TsEdit", L"PanelUst", 196, 47, 75, 42, Shown, On},
    {L"PanelTres", L"TsPanel", L"PanelSetup", 200, 106, 320, 213, Hidden, On},
    {L"lbStepTres", L"TsLabel", L"PanelTres", Any, Any, Measured, Measured, Shown, On},
    {L"cStepZone1", L"TCGauge", L"PanelSetup", 135, 70, 100, 350, Hidden, On},
    {L"StepPaintBox1", L"TPaintBox", L"PanelSetup", 135, 70, 100, 350, Hidden, On},
    {L"Image4", L"TImage", L"PanelSetup", 270, 70, 47, 350, Hidden, On},
    {L"Label5", L"TLabel", L"PanelSetup", 325, 392, Measured, Measured, Hidden, On},
    {L"Label6", L"TLabel", L"PanelSetup", 325, 281, Measured, Measured, Hidden, On},
    {L"Label7", L"TLabel", L"PanelSetup", 325, 165, Measured, Measured, Hidden, On},
    {L"Label8", L"TLabel", L"PanelSetup", 325, 48, Measured, Measured, Hidden, On},
    {L"btStepPlus", L"TsSpeedButton", L"PanelSetup", 100, 72, 24, 24, Hidden, On},
    {L"btStepMinus", L"TsSpeedButton", L"PanelSetup", 100, 113, 24, 24, Hidden, On},
    {L"edStepTres", L"TsEdit", L"PanelSetup", 135, 22, 100, 42, Hidden, Off},
    {L"lbTresholLevel", L"TsLabel", L"PanelSetup", 35, 224, Measured, Measured, Hidden, On},
    {L"lbStepTres2", L"TsLabel", L"PanelSetup", 390, 200, 234, Measured, Hidden, On},
    {L"pbStepWaitTres", L"TsProgressBar", L"PanelSetup", 140, 195, 150, 25, Hidden, On},
    {L"lbStepWaitTres", L"TsLabel", L"PanelSetup", 150, 164, Measured, Measured, Hidden, On},
    // Language flag panel.
    {L"sPanel13", L"TsPanel", L"frmMain", 0, 46, 162, 432, Hidden, On},
    {L"sbtRussian", L"TsSpeedButton", L"sPanel13", 2, 0, 160, 35, Shown, On},
    {L"sbtEnglish", L"TsSpeedButton", L"sPanel13", 2, 36, 160, 35, Shown, On},
    {L"sbtDeutsch", L"TsSpeedButton", L"sPanel13", 2, 72, 160, 35, Shown, On},
    {L"sbtFrance", L"TsSpeedButton", L"sPanel13", 2, 108, 160, 35, Shown, On},
    {L"sbtEspania", L"TsSpeedButton", L"sPanel13", 2, 144, 160, 35, Shown, On},
    {L"sbtPortugal", L"TsSpeedButton", L"sPanel13", 2, 180, 160, 35, Shown, On},
    {L"sbtCzech", L"TsSpeedButton", L"sPanel13", 2, 216, 160, 35, Shown, On},
    {L"sbtSerbian", L"TsSpeedButton", L"sPanel13", 2, 252, 160, 35, Shown, On},
    {L"sbtSwed", L"TsSpeedButton", L"sPanel13", 2, 288, 160, 35, Shown, On},
    {L"sbtCroation", L"TsSpeedButton", L"sPanel13", 2, 324, 160, 35, Shown, On},
    {L"sbtKorean", L"TsSpeedButton", L"sPanel13", 2, 360, 160, 35, Shown, On},
    {L"sbtItalian", L"TsSpeedButton", L"sPanel13", 2, 396, 160, 35, Shown, On},
    // On the form: status bar, search view, first-launch view (placed by the creation handler).
    {L"StatusBar1", L"TsStatusBar", L"frmMain", 0, 546, 1016, 19, Shown, On},
    {L"lbSearch", L"TsLabel", L"frmMain", 300, 275, Measured, Measured, Hidden, On},
    {L"lbCountDevice", L"TLabel", L"frmMain", 296, 416, Measured, Measured, Hidden, On},
    {L"pbSearch", L"TsProgressBar", L"frmMain", 320, 300, 225, 42, Hidden, On},
    {L"lbLanguage", L"TsLabel", L"frmMain", Any, Any, Measured, Measured, Shown, On},
    {L"cbLanguage", L"TsComboBox", L"frmMain", Any, Any, 168, 27, Shown, On},
};

void ExpectValue(const wchar_t* name, const char* what, int expected, int actual)
{
    if (expected != Any) {
        EXPECT_EQ(expected, actual) << testing::PrintToString(vcl::String(name)) << " " << what;
    }
}

TEST_F(MainformTest, EveryControlHasItsClassParentPlaceAndStartState)
{
    for (const ControlRow& row : kControls) {
        const vcl::String name = row.name;
        SCOPED_TRACE(testing::PrintToString(name));
        auto* control = dynamic_cast<TControl*>(Form()->FindComponent(name));
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(vcl::String(row.className), control->ClassName());
        ASSERT_NE(nullptr, control->Parent());
        const vcl::String parent = control->Parent() == Form() ? vcl::String(L"frmMain") : control->Parent()->Name();
        EXPECT_EQ(vcl::String(row.parent), parent);
        ExpectValue(row.name, "Left", row.left, control->Left());
        ExpectValue(row.name, "Top", row.top, control->Top());
        ExpectValue(row.name, "Width", row.width, control->Width());
        ExpectValue(row.name, "Height", row.height, control->Height());
        EXPECT_EQ(row.visible, control->Visible());
        EXPECT_EQ(row.enabled, control->Enabled());
    }
}

// The window holds no named control that the table leaves out.
TEST_F(MainformTest, TheTableCoversEveryControl)
{
    int controls = 0;
    for (int i = 0; i < Form()->ComponentCount(); ++i)
        controls += dynamic_cast<TControl*>(Form()->Components(i)) != nullptr;
    EXPECT_EQ(static_cast<int>(std::size(kControls)), controls);
}

}  // namespace
