// Which handler each event of the main window runs: bound by name, as the form resource does.
#include "mainform_fixture.h"

#include <map>

namespace {

using namespace vcl;
using Handler = void (TfrmMain::*)(TObject*);

TControl* Control(const wchar_t* name)
{
    return dynamic_cast<TControl*>(frmMain->FindComponent(name));
}

TNotifyEvent Bound(Handler handler)
{
    return TNotifyEvent(frmMain, handler);
}

// The click handler of every control that has one; every other control has none.
const std::map<vcl::String, Handler>& ClickHandlers()
{
    static const std::map<vcl::String, Handler> handlers = [] {
        std::map<vcl::String, Handler> m;
        for (const wchar_t* name :
             {L"sPanel1", L"sPanel3", L"sPanel4", L"sPanel5", L"sPanel6", L"sPanel7", L"sPanel8", L"sPanel11",
              L"PanelAddress", L"PanelRxPower", L"PanelLetter", L"PanelSpeed", L"lbStatus", L"lbAddress",
              L"lbAddress2", L"lbRxPower", L"lbRxPower2", L"lbLetter", L"lbLetter2", L"lbSpeed", L"lbSpeed2",
              L"lbSpeed3", L"lbAddr", L"lbAddr2", L"sLabel3", L"lbStepAddress", L"lbStepAddress2", L"lbStepRxPower",
              L"lbStepRxPower2", L"lbStepLetter", L"lbStepLetter2", L"lbStepSpeed", L"lbStepSpeed2", L"lbStepSpeed3",
              L"lbStepAddr", L"lbStepAddr2", L"edValue"})
            m[name] = &TfrmMain::sPanel3Click;
        for (const wchar_t* name : {L"sPanel12", L"sLabel1"})
            m[name] = &TfrmMain::sPanel12Click;
        for (const wchar_t* name : {L"sPanel14", L"sPanel16", L"PanelNumberChange"})
            m[name] = &TfrmMain::sPanel14Click;
        for (const wchar_t* name : {L"sPanel15", L"sLabel7"})
            m[name] = &TfrmMain::sPanel15Click;
        for (const wchar_t* name : {L"edUst", L"edStepUst"})
            m[name] = &TfrmMain::edUstClick;
        for (const wchar_t* name : {L"edTres", L"edStepTres"})
            m[name] = &TfrmMain::edTresClick;
        const std::pair<const wchar_t*, Handler> own[] = {
            {L"lbState", &TfrmMain::lbStateClick},
            {L"sSpeedButton1", &TfrmMain::sSpeedButton1Click},
            {L"sbtSound", &TfrmMain::sbtSoundClick},
            {L"sbtLang", &TfrmMain::sbtLangClick},
            {L"Image3", &TfrmMain::Image3Click},
            {L"PaintBox1", &TfrmMain::PaintBox1Click},
            {L"Image1", &TfrmMain::Image1Click},
            {L"btPlus", &TfrmMain::btPlusClick},
            {L"btMinus", &TfrmMain::btMinusClick},
            {L"sButton1", &TfrmMain::sButton1Click},
            {L"btChangeAddr", &TfrmMain::btChangeAddrClick},
            {L"btOk", &TfrmMain::btOkClick},
            {L"btCancel", &TfrmMain::btCancelClick},
            {L"btNext", &TfrmMain::btNextClick},
            {L"btCloseSetting", &TfrmMain::btCloseSettingClick},
            {L"btBack", &TfrmMain::btBackClick},
            {L"btNextStep", &TfrmMain::btNextStepClick},
            {L"btContinue", &TfrmMain::btContinueClick},
            {L"btEndSetting", &TfrmMain::btEndSettingClick},
            {L"btStepChangeAddr", &TfrmMain::btStepChangeAddrClick},
            {L"btStepOk", &TfrmMain::btStepOkClick},
            {L"btStepCancel", &TfrmMain::btStepCancelClick},
            {L"StepPaintBox1", &TfrmMain::StepPaintBox1Click},
            {L"Image4", &TfrmMain::Image4Click},
            {L"btStepPlus", &TfrmMain::btStepPlusClick},
            {L"btStepMinus", &TfrmMain::btStepMinusClick},
            {L"sbtRussian", &TfrmMain::sbtRussianClick},
            {L"sbtEnglish", &TfrmMain::sbtEnglishClick},
            {L"sbtDeutsch", &TfrmMain::sbtDeutschClick},
            {L"sbtFrance", &TfrmMain::sbtFranceClick},
            {L"sbtEspania", &TfrmMain::sbtEspaniaClick},
            {L"sbtPortugal", &TfrmMain::sbtPortugalClick},
            {L"sbtCzech", &TfrmMain::sbtCzechClick},
            {L"sbtSerbian", &TfrmMain::sbtSerbianClick},
            {L"sbtSwed", &TfrmMain::sbtSwedClick},
            {L"sbtCroation", &TfrmMain::sbtCroationClick},
            {L"sbtKorean", &TfrmMain::sbtKoreanClick},
            {L"sbtItalian", &TfrmMain::sbtItalianClick},
            {L"StatusBar1", &TfrmMain::StatusBar1Click},
        };
        for (const auto& [name, handler] : own)
            m[name] = handler;
        return m;
    }();
    return handlers;
}

TEST_F(MainformTest, ClicksRunTheirHandlersAndNoOthers)
{
    const auto& handlers = ClickHandlers();
    for (int i = 0; i < Form()->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(Form()->Components(i));
        if (!control)
            continue;
        SCOPED_TRACE(testing::PrintToString(control->Name()));
        const auto found = handlers.find(control->Name());
        if (found == handlers.end())
            EXPECT_FALSE(control->OnClick().Assigned());
        else
            EXPECT_TRUE(control->OnClick() == Bound(found->second));
    }
    for (const auto& [name, handler] : handlers)
        EXPECT_NE(nullptr, Form()->FindComponent(name)) << testing::PrintToString(name);
}

TEST_F(MainformTest, MouseEventsRunTheirHandlers)
{
    using MouseHandler = void (TfrmMain::*)(TObject*, TMouseButton, TShiftState, int, int);
    const std::pair<const wchar_t*, MouseHandler> downs[] = {
        {L"shState", &TfrmMain::shStateMouseDown},
        {L"shStatus", &TfrmMain::shStateMouseDown},
        {L"PaintBox1", &TfrmMain::PaintBox1MouseDown},
        {L"Image1", &TfrmMain::Image1MouseDown},
        {L"StepPaintBox1", &TfrmMain::StepPaintBox1MouseDown},
        {L"Image4", &TfrmMain::Image4MouseDown},
    };
    for (const auto& [name, handler] : downs)
        EXPECT_TRUE(Control(name)->OnMouseDown() == TMouseEvent(frmMain, handler)) << testing::PrintToString(name);

    using MoveHandler = void (TfrmMain::*)(TObject*, TShiftState, int, int);
    const std::pair<const wchar_t*, MoveHandler> moves[] = {
        {L"edRxPower", &TfrmMain::edRxPowerMouseMove},
        {L"edAddr", &TfrmMain::edRxPowerMouseMove},
        {L"edStepAddr", &TfrmMain::edRxPowerMouseMove},
        {L"edStepRxPower", &TfrmMain::edRxPowerMouseMove},
        {L"edLetter", &TfrmMain::edLetterMouseMove},
        {L"edStepLetter", &TfrmMain::edLetterMouseMove},
        {L"edUst", &TfrmMain::edUstMouseMove},
        {L"edStepUst", &TfrmMain::edUstMouseMove},
        {L"edTres", &TfrmMain::edTresMouseMove},
        {L"edStepTres", &TfrmMain::edTresMouseMove},
        {L"edValue", &TfrmMain::edValueMouseMove},
    };
    for (const auto& [name, handler] : moves)
        EXPECT_TRUE(Control(name)->OnMouseMove() == TMouseMoveEvent(frmMain, handler)) << testing::PrintToString(name);

    EXPECT_TRUE(Form()->btNext->OnMouseEnter() == Bound(&TfrmMain::btNextMouseEnter));
    EXPECT_TRUE(Form()->btCloseSetting->OnMouseEnter() == Bound(&TfrmMain::btCloseSettingMouseEnter));
}

TEST_F(MainformTest, ListsAndFieldsRunTheirChangeHandlers)
{
    const std::pair<TCustomComboBox*, Handler> lists[] = {
        {Form()->cbAddress, &TfrmMain::cbChange2Execute},
        {Form()->cbSpeed, &TfrmMain::cbSpeedChange},
        {Form()->cbStepAddress, &TfrmMain::cbStepAddressChange},
        {Form()->cbStepSpeed, &TfrmMain::cbStepSpeedChange},
        {Form()->cbLanguage, &TfrmMain::cbLanguageChange},
    };
    for (const auto& [list, handler] : lists)
        EXPECT_TRUE(list->OnChange() == Bound(handler)) << testing::PrintToString(list->Name());
    EXPECT_TRUE(Form()->cbAddress->OnCloseUp() == Bound(&TfrmMain::cbAddressCloseUp));
    EXPECT_TRUE(Form()->cbSpeed->OnCloseUp() == Bound(&TfrmMain::cbSpeedCloseUp));
    EXPECT_TRUE(Form()->cbStepAddress->OnCloseUp() == Bound(&TfrmMain::cbStepAddressCloseUp));
    EXPECT_FALSE(Form()->cbStepSpeed->OnCloseUp().Assigned());

    EXPECT_TRUE(Form()->edAddr->OnChange() == Bound(&TfrmMain::edAddrChange));
    EXPECT_TRUE(Form()->edStepAddr->OnChange() == Bound(&TfrmMain::edStepAddrChange));
    for (TCustomEdit* edit : {static_cast<TCustomEdit*>(Form()->edAddr), static_cast<TCustomEdit*>(Form()->edStepAddr)})
        EXPECT_TRUE(edit->OnKeyPress() == TKeyPressEvent(frmMain, &TfrmMain::edAddrKeyPress));
}

TEST_F(MainformTest, TheFormRunsItsOwnHandlers)
{
    EXPECT_TRUE(Form()->OnCreate() == Bound(&TfrmMain::FormCreate));
    EXPECT_TRUE(Form()->OnClose() == TCloseEvent(frmMain, &TfrmMain::FormClose));
    EXPECT_TRUE(Form()->OnPaint() == Bound(&TfrmMain::FormPaint));
    EXPECT_TRUE(Form()->OnResize() == Bound(&TfrmMain::FormResize));
}

}  // namespace
