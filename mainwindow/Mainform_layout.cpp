// The main window as its form resource would describe it: the form's own properties, then every
// component in resource order with its place, start state, font and event bindings.
#include "mainwindow/FormBuilder.h"
#include "mainwindow/Mainform.h"

using namespace vcl;

namespace {

constexpr TColor FieldGrey = TColor(0xF2F2F2);

// The caption an edit keeps beside it, never shown: on the left, in a small Tahoma.
void BoundCaption(skin::TsBoundLabel* Label)
{
    Label->SetLayout(skin::TsCaptionLayout::sclLeft);
    Label->SetIndent(0);
    Label->SetMaxWidth(0);
    Label->Font()->SetName(L"Tahoma");
    Label->Font()->SetHeight(-11);
}

// A value field: the neutral grey, which the skin leaves as the program's colour, and centred
// text in a large Tahoma.
void ValueField(skin::TsEdit* Edit, int FontHeight = 34)
{
    Edit->SetColor(FieldGrey);
    formbuilder::SetFont(Edit, L"Tahoma", FontHeight);
    Edit->SetAlignment(TAlignment::taCenter);
    Edit->SkinData()->SetSkinSection(L"EDIT");
    Edit->SkinData()->SetCustomColor(true);
    BoundCaption(Edit->BoundLabel());
}

// A value list: the neutral grey in a large Tahoma, centred. The grey and the bands the program
// sets show over the skin.
void ValueList(skin::TsComboBox* Combo, int FontHeight = 34)
{
    Combo->SetColor(FieldGrey);
    formbuilder::SetFont(Combo, L"Tahoma", FontHeight);
    Combo->SetAlignment(TAlignment::taCenter);
    Combo->SkinData()->SetSkinSection(L"COMBOBOX");
    Combo->SkinData()->SetCustomColor(true);
}

// The speed classes, in the order of their codes 1, 2 and 4.
void SpeedItems(skin::TsComboBox* Combo)
{
    for (const wchar_t* item : {L" 0,1...1", L" 0,1...4", L"0,1...10"})
        Combo->Items()->Add(item);
}

// The title beside a value field.
void Title(skin::TsLabel* Label)
{
    formbuilder::SetFont(Label, L"Tahoma", -13);
}

// The explanation under a value field: italic, centred, wrapped within its width. It may reach
// past its panel's lower edge, whose bevel it leaves to show.
void Explanation(skin::TsLabel* Label)
{
    formbuilder::SetFont(Label, L"Tahoma", -11, {TFontStyle::fsItalic});
    Label->SetAlignment(TAlignment::taCenter);
    Label->SetWordWrap(true);
    Label->SetTransparent(true);
}

// A label of fixed size, which its text does not resize: the per-language layout places it
// from the size given here. A line too long for its width wraps.
void FixedSize(TCustomLabel* Label)
{
    Label->SetAutoSize(false);
    Label->SetWordWrap(true);
}

// A scale figure beside a gauge.
void ScaleFigure(TLabel* Label, const wchar_t* Caption)
{
    Label->SetCaption(Caption);
    formbuilder::SetFont(Label, L"Tahoma", 40);
    Label->SetTransparent(true);
}

// The vertical level gauge: 0 to 190 (3.0 V), green on white.
void LevelGauge(TCGauge* Gauge)
{
    Gauge->SetKind(TGaugeKind::gkVerticalBar);
    Gauge->SetShowText(false);
    Gauge->SetForeColor(clGreen);
    Gauge->SetBackColor(clWhite);
    Gauge->SetBorderStyle(TBorderStyle::bsSingle);
    Gauge->SetMinValue(0);
    Gauge->SetMaxValue(190);
    Gauge->SetProgress(0);
}

// A language button of the flag panel: its caption is fixed.
void CaptionLanguageButton(skin::TsSpeedButton* Button, const wchar_t* Caption)
{
    Button->SetCaption(Caption);
    formbuilder::SetFont(Button, L"Tahoma", -19);
    Button->SkinData()->SetSkinSection(L"SPEEDBUTTON");
}

}  // namespace

void TfrmMain::InitializeComponents()
{
    using Notify = TNotifyEvent;
    using Mouse = TMouseEvent;
    using MouseMove = TMouseMoveEvent;

    BeginLoading(this);

    SetCaption(L"Config Zirvane Series v2.64");
    SetClientWidth(1016);
    SetClientHeight(565);
    SetColor(clBtnFace);
    formbuilder::SetFont(this, L"Tahoma", -11);
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize});
    SetPosition(TPosition::poScreenCenter);
    SetScaled(false);
    SetOnCreate(Notify(this, &TfrmMain::FormCreate));
    SetOnClose(TCloseEvent(this, &TfrmMain::FormClose));
    SetOnPaint(Notify(this, &TfrmMain::FormPaint));
    SetOnResize(Notify(this, &TfrmMain::FormResize));

    // The skin, loaded from the internal skin: the design-time folder exists on no user's machine.
    FORM_MAKE(sSkinManager1);
    sSkinManager1->CommonSections()->SetText(L"[NEWPROGRESSALARM]\r\nPARENTCLASS=GROUPBOX\r\n"
                                             L"[NEWPROGRESSNORMAL]\r\nPARENTCLASS=GROUPBOX\r\n"
                                             L"[NEWPROGRESSUNDEF]\r\nPARENTCLASS=GROUPBOX\r\n"
                                             L"[NEWSITE]\r\nPARENTCLASS=CHECKBOX\r\nFONTCOLOR=16711680\r\n");
    skin::TsStoredSkin* internalSkin = sSkinManager1->InternalSkins()->Add();
    internalSkin->SetName(L"Aluminium (internal)");
    formbuilder::LoadDataResource(internalSkin->PackedData.get(), L"FORM_SKIN");
    sSkinManager1->MenuSupport()->SetIcoLineSkin(L"ICOLINE");
    vcl::TFont* extraLineFont = sSkinManager1->MenuSupport()->ExtraLineFont();
    extraLineFont->SetName(L"Tahoma");
    extraLineFont->SetHeight(-11);
    extraLineFont->SetCharset(DEFAULT_CHARSET);
    extraLineFont->SetColor(vcl::clWindowText);
    sSkinManager1->SetSkinDirectory(L"D:\\Develop\\Skins");
    sSkinManager1->SetSkinName(L"Aluminium (internal)");
    for (int list = 0; list < skin::ThirdPartyList::Count; ++list)
        sSkinManager1->ThirdParty()->SetString(list, list == skin::ThirdPartyList::ThirdButtons ? L"TButton" : L" ");
    FORM_MAKE(sSkinProvider1);
    sSkinProvider1->SkinData()->SetSkinSection(L"FORM");

    // Top bar: manual, sound and language buttons, the state lamp and the logo.
    FORM_PLACE(sPanel1, this, 0, 0, 1016, 46);
    sPanel1->SetAlign(TAlign::alTop);
    sPanel1->SetBorderWidth(2);
    sPanel1->SetVisible(false);
    sPanel1->SkinData()->SetSkinSection(L"PANEL");
    sPanel1->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(sSpeedButton1, sPanel1, 3, 3, 40, 40);
    sSpeedButton1->SetAlign(TAlign::alLeft);
    formbuilder::LoadPngResource(sSpeedButton1->Glyph(), L"FORM_MANUAL");
    sSpeedButton1->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    sSpeedButton1->SetOnClick(Notify(this, &TfrmMain::sSpeedButton1Click));
    FORM_PLACE(sbtSound, sPanel1, 43, 3, 40, 40);
    sbtSound->SetAlign(TAlign::alLeft);
    formbuilder::LoadBitmapResource(sbtSound->Glyph(), L"FORM_SOUND");
    sbtSound->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    sbtSound->SetOnClick(Notify(this, &TfrmMain::sbtSoundClick));
    FORM_PLACE(sbtLang, sPanel1, 83, 3, 40, 40);
    sbtLang->SetAlign(TAlign::alLeft);
    formbuilder::LoadBitmapResource(sbtLang->Glyph(), L"FORM_LANGUAGE");
    sbtLang->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    sbtLang->SetOnClick(Notify(this, &TfrmMain::sbtLangClick));
    FORM_PLACE(shState, sPanel1, 123, 3, 890, 40);
    shState->SetAlign(TAlign::alClient);
    shState->Brush()->SetColor(clSilver);
    shState->SetOnMouseDown(Mouse(this, &TfrmMain::shStateMouseDown));
    FORM_PLACE(lbState, sPanel1, 360, 6, 125, 25);
    lbState->SetCaption(L"Неизвестно");
    formbuilder::SetFont(lbState, L"Verdana", -21);
    lbState->SetTransparent(true);
    lbState->SetOnClick(Notify(this, &TfrmMain::lbStateClick));
    FORM_PLACE(Image3, sPanel1, 899, 2, 113, 40);
    Image3->SetCursor(TCursor::crHandPoint);
    Image3->SetCenter(true);
    formbuilder::LoadPngResource(Image3->Picture(), L"FORM_LOGO");
    Image3->SetOnClick(Notify(this, &TfrmMain::Image3Click));

    // Left column: the current detector's address, supply voltage and letter.
    FORM_PLACE(sPanel5, this, 0, 46, 320, 454);
    sPanel5->SetVisible(false);
    sPanel5->SkinData()->SetSkinSection(L"PANEL");
    sPanel5->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(sPanel12, sPanel5, 0, 0, 320, 30);
    sPanel12->SkinData()->SetSkinSection(L"PANEL");
    sPanel12->SetOnClick(Notify(this, &TfrmMain::sPanel12Click));
    FORM_PLACE(sLabel1, sPanel12, 120, 7, 80, 16);
    formbuilder::SetFont(sLabel1, L"Tahoma", -13, {TFontStyle::fsBold});
    sLabel1->SetOnClick(Notify(this, &TfrmMain::sPanel12Click));
    FORM_PLACE(sPanel6, sPanel5, 0, 30, 320, 142);
    sPanel6->SkinData()->SetSkinSection(L"PANEL");
    sPanel6->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbAddress, sPanel6, 20, 37, 140, 32);
    Title(lbAddress);
    lbAddress->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbAddress2, sPanel6, 53, 100, 213, 41);
    Explanation(lbAddress2);
    FixedSize(lbAddress2);
    lbAddress2->SetLayout(TTextLayout::tlCenter);
    lbAddress2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(cbAddress, sPanel6, 180, 33, 75, 42);
    ValueList(cbAddress);
    cbAddress->Items()->Add(L"15");
    cbAddress->SetItemIndex(0);
    cbAddress->SetOnChange(Notify(this, &TfrmMain::cbChange2Execute));
    cbAddress->SetOnCloseUp(Notify(this, &TfrmMain::cbAddressCloseUp));
    FORM_PLACE(sPanel7, sPanel5, 0, 172, 320, 142);
    sPanel7->SkinData()->SetSkinSection(L"PANEL");
    sPanel7->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbRxPower, sPanel7, 20, 30, 140, 61);
    Title(lbRxPower);
    FixedSize(lbRxPower);
    lbRxPower->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbRxPower2, sPanel7, 24, 100, 271, 41);
    Explanation(lbRxPower2);
    FixedSize(lbRxPower2);
    lbRxPower2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(edRxPower, sPanel7, 180, 26, 75, 42);
    ValueField(edRxPower);
    edRxPower->SetText(L"0");
    edRxPower->SetEnabled(false);
    edRxPower->SetReadOnly(true);
    edRxPower->SetOnMouseMove(MouseMove(this, &TfrmMain::edRxPowerMouseMove));
    FORM_PLACE(sPanel8, sPanel5, 0, 314, 320, 140);
    sPanel8->SkinData()->SetSkinSection(L"PANEL");
    sPanel8->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbLetter, sPanel8, 60, 38, 80, 16);
    Title(lbLetter);
    lbLetter->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbLetter2, sPanel8, 24, 98, 271, 49);
    Explanation(lbLetter2);
    FixedSize(lbLetter2);
    lbLetter2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(edLetter, sPanel8, 180, 24, 75, 42);
    ValueField(edLetter);
    edLetter->SetText(L"42");
    edLetter->SetEnabled(false);
    edLetter->SetReadOnly(true);
    edLetter->SetTabStop(false);
    edLetter->SetOnMouseMove(MouseMove(this, &TfrmMain::edLetterMouseMove));

    // Centre column: the signal level, its gauge and the threshold scale.
    FORM_PLACE(sPanel3, this, 320, 46, 375, 454);
    sPanel3->SetBevelOuter(TBevelCut::bvLowered);
    sPanel3->SetVisible(false);
    sPanel3->SkinData()->SetSkinSection(L"PANEL_LOW");
    sPanel3->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(edValue, sPanel3, 130, 20, 100, 48);
    ValueField(edValue, 40);
    edValue->SetText(L"0,0");
    edValue->SetReadOnly(true);
    edValue->SetTabStop(false);
    edValue->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    edValue->SetOnMouseMove(MouseMove(this, &TfrmMain::edValueMouseMove));
    FORM_PLACE(cZone1, sPanel3, 130, 80, 100, 350);
    LevelGauge(cZone1);
    FORM_PLACE(PaintBox1, sPanel3, 130, 80, 100, 350);
    PaintBox1->SetOnClick(Notify(this, &TfrmMain::PaintBox1Click));
    PaintBox1->SetOnMouseDown(Mouse(this, &TfrmMain::PaintBox1MouseDown));
    FORM_PLACE(Image1, sPanel3, 254, 80, 47, 350);
    Image1->SetAutoSize(true);
    Image1->SetTransparent(true);
    formbuilder::LoadPngResource(Image1->Picture(), L"FORM_SCALE");
    Image1->SetOnClick(Notify(this, &TfrmMain::Image1Click));
    Image1->SetOnMouseDown(Mouse(this, &TfrmMain::Image1MouseDown));
    FORM_PLACE(Label1, sPanel3, 322, 400, 46, 40);
    ScaleFigure(Label1, L"0.0");
    FORM_PLACE(Label2, sPanel3, 322, 345, 46, 40);
    ScaleFigure(Label2, L"1.0");
    FORM_PLACE(Label3, sPanel3, 322, 230, 46, 40);
    ScaleFigure(Label3, L"2.0");
    FORM_PLACE(Label4, sPanel3, 322, 115, 46, 40);
    ScaleFigure(Label4, L"3.0");
    FORM_PLACE(btPlus, sPanel3, 42, 108, 24, 24);
    btPlus->SetVisible(false);
    formbuilder::LoadPngResource(btPlus->Glyph(), L"FORM_PLUS");
    btPlus->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    btPlus->SetOnClick(Notify(this, &TfrmMain::btPlusClick));
    FORM_PLACE(btMinus, sPanel3, 42, 149, 24, 24);
    btMinus->SetVisible(false);
    formbuilder::LoadPngResource(btMinus->Glyph(), L"FORM_MINUS");
    btMinus->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    btMinus->SetOnClick(Notify(this, &TfrmMain::btMinusClick));
    FORM_PLACE(lbWaitTres, sPanel3, 67, 200, 153, 21);
    formbuilder::SetFont(lbWaitTres, L"Tahoma", -16);
    lbWaitTres->SetVisible(false);
    FORM_PLACE(pbWaitTres, sPanel3, 64, 227, 150, 25);
    pbWaitTres->SetMax(26);
    pbWaitTres->SetVisible(false);
    pbWaitTres->SkinData()->SetSkinSection(L"GAUGE");
    FORM_PLACE(Image2, sPanel3, 130, 80, 100, 3);
    Image2->SetVisible(false);
    formbuilder::LoadPngResource(Image2->Picture(), L"FORM_LINE");

    // Right column: the detector's settings. sPanel9 and sPanel10 lie over the places of the
    // other boxes; the monitoring view hides them.
    FORM_PLACE(sPanel2, this, 695, 46, 320, 454);
    sPanel2->SetVisible(false);
    sPanel2->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(sPanel15, sPanel2, 0, 0, 320, 30);
    sPanel15->SkinData()->SetSkinSection(L"PANEL");
    sPanel15->SetOnClick(Notify(this, &TfrmMain::sPanel15Click));
    FORM_PLACE(sLabel7, sPanel15, 60, 7, 200, 16);
    formbuilder::SetFont(sLabel7, L"Tahoma", -13, {TFontStyle::fsBold});
    sLabel7->SetOnClick(Notify(this, &TfrmMain::sPanel15Click));
    FORM_PLACE(sPanel14, sPanel2, 0, 30, 320, 142);
    sPanel14->SetVisible(false);
    sPanel14->SkinData()->SetSkinSection(L"PANEL");
    sPanel14->SetOnClick(Notify(this, &TfrmMain::sPanel14Click));
    FORM_PLACE(sLabel3, sPanel14, 100, 6, 120, 16);
    Title(sLabel3);
    sLabel3->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(sLabel2, sPanel14, 55, 29, 209, 96);
    Explanation(sLabel2);
    FixedSize(sLabel2);
    FORM_PLACE(sButton1, sPanel14, 80, 105, 150, 30);
    sButton1->SkinData()->SetSkinSection(L"MENUBTN");
    sButton1->SetOnClick(Notify(this, &TfrmMain::sButton1Click));
    FORM_PLACE(sPanel16, sPanel2, 0, 172, 320, 142);
    sPanel16->SkinData()->SetSkinSection(L"PANEL");
    sPanel16->SetOnClick(Notify(this, &TfrmMain::sPanel14Click));
    FORM_PLACE(lbAddr, sPanel16, 85, 10, 150, 16);
    Title(lbAddr);
    lbAddr->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbAddr2, sPanel16, 44, 43, 121, 58);
    formbuilder::SetFont(lbAddr2, L"Verdana", 18);
    FixedSize(lbAddr2);
    lbAddr2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(edAddr, sPanel16, 180, 41, 75, 42);
    ValueField(edAddr);
    edAddr->SetText(L"0");
    edAddr->SetEnabled(false);
    edAddr->SetOnChange(Notify(this, &TfrmMain::edAddrChange));
    edAddr->SetOnKeyPress(TKeyPressEvent(this, &TfrmMain::edAddrKeyPress));
    edAddr->SetOnMouseMove(MouseMove(this, &TfrmMain::edRxPowerMouseMove));
    FORM_PLACE(btChangeAddr, sPanel16, 80, 105, 150, 30);
    btChangeAddr->SkinData()->SetSkinSection(L"MENUBTN");
    btChangeAddr->SetOnClick(Notify(this, &TfrmMain::btChangeAddrClick));
    FORM_PLACE(btOk, sPanel16, 56, 104, 83, 32);
    btOk->SetVisible(false);
    btOk->SetEnabled(false);
    btOk->SkinData()->SetSkinSection(L"MENUBTN");
    btOk->SetOnClick(Notify(this, &TfrmMain::btOkClick));
    FORM_PLACE(btCancel, sPanel16, 160, 104, 83, 32);
    btCancel->SetVisible(false);
    btCancel->SkinData()->SetSkinSection(L"MENUBTN");
    btCancel->SetOnClick(Notify(this, &TfrmMain::btCancelClick));
    FORM_PLACE(sPanel11, sPanel2, 0, 314, 320, 140);
    sPanel11->SkinData()->SetSkinSection(L"PANEL");
    sPanel11->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbSpeed, sPanel11, 15, 10, 152, 36);
    Title(lbSpeed);
    FixedSize(lbSpeed);
    lbSpeed->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbSpeed2, sPanel11, 45, 70, 230, 53);
    Explanation(lbSpeed2);
    FixedSize(lbSpeed2);
    lbSpeed2->SetVisible(false);
    lbSpeed2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbSpeed3, sPanel11, 280, 22, 24, 16);
    Title(lbSpeed3);
    lbSpeed3->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(cbSpeed, sPanel11, 180, 13, 95, 34);
    ValueList(cbSpeed, 26);
    SpeedItems(cbSpeed);
    cbSpeed->SetItemIndex(-1);
    cbSpeed->SetText(L"0.1..10");
    cbSpeed->SetOnChange(Notify(this, &TfrmMain::cbSpeedChange));
    cbSpeed->SetOnCloseUp(Notify(this, &TfrmMain::cbSpeedCloseUp));
    FORM_PLACE(sPanel9, sPanel2, 0, 30, 320, 213);
    sPanel9->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(lbUst, sPanel9, 20, 30, 158, 50);
    Title(lbUst);
    FixedSize(lbUst);
    FORM_PLACE(lbUst2, sPanel9, 15, 90, 289, 34);
    Explanation(lbUst2);
    FixedSize(lbUst2);
    FORM_PLACE(edUst, sPanel9, 180, 25, 75, 42);
    ValueField(edUst, 32);
    edUst->SetReadOnly(true);
    edUst->SetOnClick(Notify(this, &TfrmMain::edUstClick));
    edUst->SetOnMouseMove(MouseMove(this, &TfrmMain::edUstMouseMove));
    FORM_PLACE(btNext, sPanel9, 85, 160, 150, 30);
    btNext->SkinData()->SetSkinSection(L"MENUBTN");
    btNext->SetOnClick(Notify(this, &TfrmMain::btNextClick));
    btNext->SetOnMouseEnter(Notify(this, &TfrmMain::btNextMouseEnter));
    FORM_PLACE(sPanel10, sPanel2, 0, 243, 320, 213);
    sPanel10->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(lbTres, sPanel10, 20, 30, 140, 32);
    Title(lbTres);
    FORM_PLACE(lbTres2, sPanel10, 10, 90, 299, 53);
    Explanation(lbTres2);
    FixedSize(lbTres2);
    FORM_PLACE(edTres, sPanel10, 180, 25, 75, 42);
    ValueField(edTres);
    edTres->SetReadOnly(true);
    edTres->SetOnClick(Notify(this, &TfrmMain::edTresClick));
    edTres->SetOnMouseMove(MouseMove(this, &TfrmMain::edTresMouseMove));
    FORM_PLACE(btCloseSetting, sPanel10, 85, 160, 150, 30);
    btCloseSetting->SetEnabled(false);
    btCloseSetting->SkinData()->SetSkinSection(L"MENUBTN");
    btCloseSetting->SetOnClick(Notify(this, &TfrmMain::btCloseSettingClick));
    btCloseSetting->SetOnMouseEnter(Notify(this, &TfrmMain::btCloseSettingMouseEnter));

    // Wizard navigation.
    FORM_PLACE(PanelStep, this, 0, 46, 450, 454);
    PanelStep->SetAlign(TAlign::alLeft);
    PanelStep->SetVisible(false);
    PanelStep->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(lbStep, PanelStep, 181, 7, 67, 29);
    lbStep->SetCaption(L"Шаг 1");
    formbuilder::SetFont(lbStep, L"Tahoma", -24);
    FORM_PLACE(sBevel1, PanelStep, 0, 52, 450, 3);
    FORM_PLACE(lbHint, PanelStep, 38, 80, 387, 330);
    FixedSize(lbHint);
    formbuilder::SetFont(lbHint, L"Tahoma", -16);
    FORM_PLACE(btBack, PanelStep, 78, 420, 96, 30);
    btBack->SetEnabled(false);
    btBack->SkinData()->SetSkinSection(L"MENUBTN");
    btBack->SetOnClick(Notify(this, &TfrmMain::btBackClick));
    FORM_PLACE(btNextStep, PanelStep, 274, 421, 96, 30);
    btNextStep->SkinData()->SetSkinSection(L"MENUBTN");
    btNextStep->SetOnClick(Notify(this, &TfrmMain::btNextStepClick));
    FORM_PLACE(btContinue, PanelStep, 172, 420, 96, 30);
    btContinue->SetVisible(false);
    btContinue->SkinData()->SetSkinSection(L"MENUBTN");
    btContinue->SetOnClick(Notify(this, &TfrmMain::btContinueClick));
    FORM_PLACE(btEndSetting, PanelStep, 172, 420, 96, 30);
    btEndSetting->SetVisible(false);
    btEndSetting->SkinData()->SetSkinSection(L"MENUBTN");
    btEndSetting->SetOnClick(Notify(this, &TfrmMain::btEndSettingClick));

    // Wizard step area: one box per step, and the threshold step's scale straight on the area.
    FORM_PLACE(PanelSetup, this, 450, 46, 566, 454);
    PanelSetup->SetAlign(TAlign::alClient);
    PanelSetup->SetBevelOuter(TBevelCut::bvNone);
    PanelSetup->SetVisible(false);
    PanelSetup->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(PanelAddress, PanelSetup, 123, 106, 320, 213);
    PanelAddress->SetVisible(false);
    PanelAddress->SkinData()->SetSkinSection(L"PANEL");
    PanelAddress->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepAddress, PanelAddress, 30, 45, 140, 32);
    Title(lbStepAddress);
    lbStepAddress->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    // Wrapped within its width; its height follows its text.
    FORM_PLACE(lbStepAddress2, PanelAddress, 35, 150, 249, 28);
    Explanation(lbStepAddress2);
    lbStepAddress2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(cbStepAddress, PanelAddress, 180, 33, 75, 42);
    ValueList(cbStepAddress);
    cbStepAddress->Items()->Add(L"15");
    cbStepAddress->SetItemIndex(0);
    cbStepAddress->SetOnChange(Notify(this, &TfrmMain::cbStepAddressChange));
    cbStepAddress->SetOnCloseUp(Notify(this, &TfrmMain::cbStepAddressCloseUp));
    FORM_PLACE(PanelNumberChange, PanelSetup, 123, 106, 320, 213);
    PanelNumberChange->SetVisible(false);
    PanelNumberChange->SkinData()->SetSkinSection(L"PANEL");
    PanelNumberChange->SetOnClick(Notify(this, &TfrmMain::sPanel14Click));
    FORM_PLACE(lbStepAddr, PanelNumberChange, 85, 10, 150, 16);
    Title(lbStepAddr);
    lbStepAddr->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepAddr2, PanelNumberChange, 25, 41, 121, 58);
    formbuilder::SetFont(lbStepAddr2, L"Verdana", 18);
    FixedSize(lbStepAddr2);
    lbStepAddr2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(edStepAddr, PanelNumberChange, 232, 39, 75, 42);
    ValueField(edStepAddr);
    edStepAddr->SetText(L"0");
    edStepAddr->SetEnabled(false);
    edStepAddr->SetOnChange(Notify(this, &TfrmMain::edStepAddrChange));
    edStepAddr->SetOnKeyPress(TKeyPressEvent(this, &TfrmMain::edAddrKeyPress));
    edStepAddr->SetOnMouseMove(MouseMove(this, &TfrmMain::edRxPowerMouseMove));
    FORM_PLACE(btStepChangeAddr, PanelNumberChange, 85, 150, 150, 30);
    btStepChangeAddr->SkinData()->SetSkinSection(L"MENUBTN");
    btStepChangeAddr->SetOnClick(Notify(this, &TfrmMain::btStepChangeAddrClick));
    FORM_PLACE(btStepOk, PanelNumberChange, 56, 150, 83, 32);
    btStepOk->SetVisible(false);
    btStepOk->SetEnabled(false);
    btStepOk->SkinData()->SetSkinSection(L"MENUBTN");
    btStepOk->SetOnClick(Notify(this, &TfrmMain::btStepOkClick));
    FORM_PLACE(btStepCancel, PanelNumberChange, 160, 150, 83, 32);
    btStepCancel->SetVisible(false);
    btStepCancel->SkinData()->SetSkinSection(L"MENUBTN");
    btStepCancel->SetOnClick(Notify(this, &TfrmMain::btStepCancelClick));
    FORM_PLACE(PanelRxPower, PanelSetup, 123, 106, 320, 213);
    PanelRxPower->SetVisible(false);
    PanelRxPower->SkinData()->SetSkinSection(L"PANEL");
    PanelRxPower->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepRxPower, PanelRxPower, 20, 45, 140, 61);
    Title(lbStepRxPower);
    FixedSize(lbStepRxPower);
    lbStepRxPower->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    // One line, sized to its text.
    FORM_PLACE(lbStepRxPower2, PanelRxPower, 53, 150, 213, 28);
    Explanation(lbStepRxPower2);
    lbStepRxPower2->SetWordWrap(false);
    lbStepRxPower2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(edStepRxPower, PanelRxPower, 210, 38, 75, 42);
    ValueField(edStepRxPower);
    edStepRxPower->SetText(L"0");
    edStepRxPower->SetEnabled(false);
    edStepRxPower->SetReadOnly(true);
    edStepRxPower->SetOnMouseMove(MouseMove(this, &TfrmMain::edRxPowerMouseMove));
    FORM_PLACE(PanelLetter, PanelSetup, 123, 106, 320, 213);
    PanelLetter->SetVisible(false);
    PanelLetter->SkinData()->SetSkinSection(L"PANEL");
    PanelLetter->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepLetter, PanelLetter, 60, 50, 80, 16);
    Title(lbStepLetter);
    lbStepLetter->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepLetter2, PanelLetter, 24, 150, 271, 49);
    Explanation(lbStepLetter2);
    FixedSize(lbStepLetter2);
    lbStepLetter2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(edStepLetter, PanelLetter, 210, 38, 75, 42);
    ValueField(edStepLetter);
    edStepLetter->SetText(L"42");
    edStepLetter->SetEnabled(false);
    edStepLetter->SetReadOnly(true);
    edStepLetter->SetOnMouseMove(MouseMove(this, &TfrmMain::edLetterMouseMove));
    FORM_PLACE(PanelSpeed, PanelSetup, 123, 106, 320, 213);
    PanelSpeed->SetVisible(false);
    PanelSpeed->SkinData()->SetSkinSection(L"PANEL");
    PanelSpeed->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepSpeed, PanelSpeed, 15, 15, 156, 36);
    FixedSize(lbStepSpeed);
    // The form's own font: the three lines of its caption fit the two lines' height that the
    // layout gives it in most languages.
    formbuilder::SetFont(lbStepSpeed, L"Tahoma", -11);
    lbStepSpeed->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepSpeed2, PanelSpeed, 45, 120, 270, 60);
    Explanation(lbStepSpeed2);
    FixedSize(lbStepSpeed2);
    lbStepSpeed2->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(lbStepSpeed3, PanelSpeed, 345, 24, 24, 16);
    Title(lbStepSpeed3);
    lbStepSpeed3->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(cbStepSpeed, PanelSpeed, 246, 15, 95, 34);
    ValueList(cbStepSpeed, 26);
    SpeedItems(cbStepSpeed);
    cbStepSpeed->SetItemIndex(-1);
    cbStepSpeed->SetOnChange(Notify(this, &TfrmMain::cbStepSpeedChange));
    FORM_PLACE(PanelUst, PanelSetup, 123, 106, 320, 213);
    PanelUst->SetVisible(false);
    PanelUst->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(lbStepUst, PanelUst, 20, 55, 158, 50);
    Title(lbStepUst);
    FixedSize(lbStepUst);
    FORM_PLACE(lbStepUst2, PanelUst, 15, 130, 289, 34);
    Explanation(lbStepUst2);
    FixedSize(lbStepUst2);
    lbStepUst2->SetVisible(false);
    FORM_PLACE(edStepUst, PanelUst, 196, 47, 75, 42);
    ValueField(edStepUst, 32);
    edStepUst->SetText(L"0,0");
    edStepUst->SetReadOnly(true);
    edStepUst->SetOnClick(Notify(this, &TfrmMain::edUstClick));
    edStepUst->SetOnMouseMove(MouseMove(this, &TfrmMain::edUstMouseMove));
    FORM_PLACE(PanelTres, PanelSetup, 200, 106, 320, 213);
    PanelTres->SetVisible(false);
    PanelTres->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(lbStepTres, PanelTres, 20, 20, 140, 32);
    Title(lbStepTres);
    FORM_PLACE(cStepZone1, PanelSetup, 135, 70, 100, 350);
    LevelGauge(cStepZone1);
    cStepZone1->SetVisible(false);
    FORM_PLACE(StepPaintBox1, PanelSetup, 135, 70, 100, 350);
    StepPaintBox1->SetVisible(false);
    StepPaintBox1->SetOnClick(Notify(this, &TfrmMain::StepPaintBox1Click));
    StepPaintBox1->SetOnMouseDown(Mouse(this, &TfrmMain::StepPaintBox1MouseDown));
    FORM_PLACE(Image4, PanelSetup, 270, 70, 47, 350);
    Image4->SetAutoSize(true);
    Image4->SetTransparent(true);
    Image4->SetVisible(false);
    formbuilder::LoadPngResource(Image4->Picture(), L"FORM_SCALE");
    Image4->SetOnClick(Notify(this, &TfrmMain::Image4Click));
    Image4->SetOnMouseDown(Mouse(this, &TfrmMain::Image4MouseDown));
    FORM_PLACE(Label5, PanelSetup, 325, 392, 46, 40);
    ScaleFigure(Label5, L"0.0");
    Label5->SetVisible(false);
    FORM_PLACE(Label6, PanelSetup, 325, 281, 46, 40);
    ScaleFigure(Label6, L"1.0");
    Label6->SetVisible(false);
    FORM_PLACE(Label7, PanelSetup, 325, 165, 46, 40);
    ScaleFigure(Label7, L"2.0");
    Label7->SetVisible(false);
    FORM_PLACE(Label8, PanelSetup, 325, 48, 46, 40);
    ScaleFigure(Label8, L"3.0");
    Label8->SetVisible(false);
    FORM_PLACE(btStepPlus, PanelSetup, 100, 72, 24, 24);
    btStepPlus->SetVisible(false);
    formbuilder::LoadPngResource(btStepPlus->Glyph(), L"FORM_PLUS");
    btStepPlus->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    btStepPlus->SetOnClick(Notify(this, &TfrmMain::btStepPlusClick));
    FORM_PLACE(btStepMinus, PanelSetup, 100, 113, 24, 24);
    btStepMinus->SetVisible(false);
    formbuilder::LoadPngResource(btStepMinus->Glyph(), L"FORM_MINUS");
    btStepMinus->SkinData()->SetSkinSection(L"SPEEDBUTTON");
    btStepMinus->SetOnClick(Notify(this, &TfrmMain::btStepMinusClick));
    FORM_PLACE(edStepTres, PanelSetup, 135, 22, 100, 42);
    ValueField(edStepTres);
    edStepTres->SetVisible(false);
    edStepTres->SetEnabled(false);
    edStepTres->SetReadOnly(true);
    edStepTres->SetOnClick(Notify(this, &TfrmMain::edTresClick));
    edStepTres->SetOnMouseMove(MouseMove(this, &TfrmMain::edTresMouseMove));
    FORM_PLACE(lbTresholLevel, PanelSetup, 35, 224, 93, 16);
    lbTresholLevel->SetVisible(false);
    FORM_PLACE(lbStepTres2, PanelSetup, 390, 200, 234, 80);
    Explanation(lbStepTres2);
    FixedSize(lbStepTres2);
    lbStepTres2->SetVisible(false);
    FORM_PLACE(pbStepWaitTres, PanelSetup, 140, 195, 150, 25);
    pbStepWaitTres->SetMax(26);
    pbStepWaitTres->SetVisible(false);
    pbStepWaitTres->SkinData()->SetSkinSection(L"GAUGE");
    FORM_PLACE(lbStepWaitTres, PanelSetup, 150, 164, 153, 21);
    formbuilder::SetFont(lbStepWaitTres, L"Tahoma", -16);
    lbStepWaitTres->SetVisible(false);

    // Language flag panel, over the left part of the band.
    FORM_PLACE(sPanel13, this, 0, 46, 162, 432);
    sPanel13->SetVisible(false);
    sPanel13->SkinData()->SetSkinSection(L"PANEL");
    FORM_PLACE(sbtRussian, sPanel13, 2, 0, 160, 35);
    CaptionLanguageButton(sbtRussian, L"Русский");
    sbtRussian->SetOnClick(Notify(this, &TfrmMain::sbtRussianClick));
    FORM_PLACE(sbtEnglish, sPanel13, 2, 36, 160, 35);
    CaptionLanguageButton(sbtEnglish, L"English");
    sbtEnglish->SetOnClick(Notify(this, &TfrmMain::sbtEnglishClick));
    FORM_PLACE(sbtDeutsch, sPanel13, 2, 72, 160, 35);
    CaptionLanguageButton(sbtDeutsch, L"Deutsch");
    sbtDeutsch->SetOnClick(Notify(this, &TfrmMain::sbtDeutschClick));
    FORM_PLACE(sbtFrance, sPanel13, 2, 108, 160, 35);
    CaptionLanguageButton(sbtFrance, L"Francais");
    sbtFrance->SetOnClick(Notify(this, &TfrmMain::sbtFranceClick));
    FORM_PLACE(sbtEspania, sPanel13, 2, 144, 160, 35);
    CaptionLanguageButton(sbtEspania, L"Español");
    sbtEspania->SetOnClick(Notify(this, &TfrmMain::sbtEspaniaClick));
    FORM_PLACE(sbtPortugal, sPanel13, 2, 180, 160, 35);
    CaptionLanguageButton(sbtPortugal, L"Português");
    sbtPortugal->SetOnClick(Notify(this, &TfrmMain::sbtPortugalClick));
    FORM_PLACE(sbtCzech, sPanel13, 2, 216, 160, 35);
    CaptionLanguageButton(sbtCzech, L"Český");
    sbtCzech->SetOnClick(Notify(this, &TfrmMain::sbtCzechClick));
    FORM_PLACE(sbtSerbian, sPanel13, 2, 252, 160, 35);
    CaptionLanguageButton(sbtSerbian, L"Српски");
    sbtSerbian->SetOnClick(Notify(this, &TfrmMain::sbtSerbianClick));
    FORM_PLACE(sbtSwed, sPanel13, 2, 288, 160, 35);
    CaptionLanguageButton(sbtSwed, L"Svenska");
    sbtSwed->SetOnClick(Notify(this, &TfrmMain::sbtSwedClick));
    FORM_PLACE(sbtCroation, sPanel13, 2, 324, 160, 35);
    CaptionLanguageButton(sbtCroation, L"Hrvatski");
    sbtCroation->SetOnClick(Notify(this, &TfrmMain::sbtCroationClick));
    FORM_PLACE(sbtKorean, sPanel13, 2, 360, 160, 35);
    CaptionLanguageButton(sbtKorean, L"한국어");
    sbtKorean->SetOnClick(Notify(this, &TfrmMain::sbtKoreanClick));
    FORM_PLACE(sbtItalian, sPanel13, 2, 396, 160, 35);
    CaptionLanguageButton(sbtItalian, L"Italian");
    sbtItalian->SetOnClick(Notify(this, &TfrmMain::sbtItalianClick));

    // Bottom bar: the status lamp and its text.
    FORM_PLACE(sPanel4, this, 0, 500, 1016, 46);
    sPanel4->SetAlign(TAlign::alBottom);
    sPanel4->SetBevelOuter(TBevelCut::bvLowered);
    sPanel4->SetVisible(false);
    sPanel4->SkinData()->SetSkinSection(L"PANEL");
    sPanel4->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));
    FORM_PLACE(shStatus, sPanel4, 1, 1, 1014, 44);
    shStatus->SetAlign(TAlign::alClient);
    shStatus->Brush()->SetColor(clSilver);
    shStatus->SetOnMouseDown(Mouse(this, &TfrmMain::shStateMouseDown));
    FORM_PLACE(lbStatus, sPanel4, 151, 16, 6, 18);
    formbuilder::SetFont(lbStatus, L"Verdana", -16);
    lbStatus->SetTransparent(true);
    lbStatus->SetOnClick(Notify(this, &TfrmMain::sPanel3Click));

    // Status bar: model, port, detector number, update notice, company line.
    FORM_PLACE(StatusBar1, this, 0, 546, 1016, 19);
    StatusBar1->SetAlign(TAlign::alBottom);
    for (int width : {150, 100, 150, 400, 50})
        StatusBar1->Panels()->Add()->SetWidth(width);
    StatusBar1->Panels()->Items(1)->SetText(L"СОМ 3");
    StatusBar1->SetSizeGrip(false);
    StatusBar1->SkinData()->SetSkinSection(L"STATUSBAR");
    StatusBar1->SetOnClick(Notify(this, &TfrmMain::StatusBar1Click));

    // Search view and first-launch view, straight on the form.
    FORM_PLACE(lbSearch, this, 300, 275, 11, 25);
    lbSearch->SetCaption(L"1");
    formbuilder::SetFont(lbSearch, L"Tahoma", -19);
    lbSearch->SetVisible(false);
    FORM_PLACE(lbCountDevice, this, 296, 416, 105, 23);
    formbuilder::SetFont(lbCountDevice, L"Tahoma", -19);
    lbCountDevice->SetVisible(false);
    FORM_PLACE(pbSearch, this, 320, 300, 225, 42);
    pbSearch->SetMin(0);
    pbSearch->SetMax(10000);
    pbSearch->SetPosition(0);
    pbSearch->SetVisible(false);
    pbSearch->SkinData()->SetSkinSection(L"GAUGE");
    FORM_PLACE(lbLanguage, this, 452, 303, 6, 23);
    formbuilder::SetFont(lbLanguage, L"Tahoma", -19);
    lbLanguage->SetVisible(false);
    FORM_PLACE(cbLanguage, this, 416, 330, 168, 27);
    formbuilder::SetFont(cbLanguage, L"Tahoma", 19);
    for (const wchar_t* item : {L"Русский", L"English", L"Deutsch", L"Francais", L"Español",
                                L"Português", L"Český", L"Српски", L"Svenska", L"Hrvatski",
                                L"Italian"})
        cbLanguage->Items()->Add(item);
    cbLanguage->SetItemIndex(-1);
    cbLanguage->SetVisible(false);
    cbLanguage->SkinData()->SetSkinSection(L"COMBOBOX");
    cbLanguage->SetOnChange(Notify(this, &TfrmMain::cbLanguageChange));

    // Timers, all stopped until a workflow starts them.
    const struct {
        TTimer*& timer;
        const wchar_t* name;
        Cardinal interval;
        void (TfrmMain::*handler)(TObject*);
    } timers[] = {
        {TimerSearch, L"TimerSearch", 50, &TfrmMain::TimerSearchTimer},
        {Timer_ReqID, L"Timer_ReqID", 3000, &TfrmMain::Timer_ReqIDTimer},
        {Timer_RxPower, L"Timer_RxPower", 1000, &TfrmMain::Timer_RxPowerTimer},
        {Timer_Ust, L"Timer_Ust", 250, &TfrmMain::Timer_UstTimer},
        {Timer_Tres, L"Timer_Tres", 500, &TfrmMain::Timer_TresTimer},
        {Timer4, L"Timer4", 1000, &TfrmMain::Timer4Timer},
        {TimerUpgrade, L"TimerUpgrade", 3000, &TfrmMain::TimerUpgradeTimer},
        {Timer1, L"Timer1", 1000, &TfrmMain::Timer1Timer},
    };
    for (const auto& t : timers) {
        formbuilder::Make(this, t.timer, t.name);
        t.timer->SetEnabled(false);
        t.timer->SetInterval(t.interval);
        t.timer->SetOnTimer(Notify(this, t.handler));
    }

    // Actions: each caption is the action's name.
    FORM_MAKE(ActionList1);
    const struct {
        TAction*& action;
        const wchar_t* name;
        void (TfrmMain::*handler)(TObject*);
    } actions[] = {
        {cbChange2, L"cbChange2", &TfrmMain::cbChange2Execute},
        {actOpros, L"actOpros", &TfrmMain::actOprosExecute},
        {ModeClick, L"ModeClick", &TfrmMain::ModeClickExecute},
        {CloseAll, L"CloseAll", &TfrmMain::CloseAllExecute},
        {ResetClick, L"ResetClick", &TfrmMain::ResetClickExecute},
        {test, L"test", &TfrmMain::testExecute},
    };
    for (const auto& a : actions) {
        formbuilder::Make(this, a.action, a.name);
        a.action->SetActionList(ActionList1);
        a.action->SetCaption(a.name);
        a.action->SetOnExecute(Notify(this, a.handler));
    }

    // The popup menu: language, intruder speed, address change and device type.
    FORM_MAKE(pmMenu);
    const struct {
        TMenuItem*& item;
        const wchar_t* name;
        TMenuItem* TfrmMain::*parent;  // null: an entry of the menu itself
        bool radio;
        void (TfrmMain::*handler)(TObject*);
    } items[] = {
        {nLanguage, L"nLanguage", nullptr, false, &TfrmMain::nLanguageClick},
        {nRussian, L"nRussian", &TfrmMain::nLanguage, true, &TfrmMain::nRussianClick},
        {nEnglish, L"nEnglish", &TfrmMain::nLanguage, true, &TfrmMain::nEnglishClick},
        {nGerman, L"nGerman", &TfrmMain::nLanguage, true, &TfrmMain::nGermanClick},
        {nFrance, L"nFrance", &TfrmMain::nLanguage, true, &TfrmMain::nFranceClick},
        {nPortuges, L"nPortuges", &TfrmMain::nLanguage, true, &TfrmMain::nPortugesClick},
        {nSpeed, L"nSpeed", nullptr, false, &TfrmMain::nSpeedClick},
        {nFast, L"nFast", &TfrmMain::nSpeed, true, &TfrmMain::nFastClick},
        {nMiddle, L"nMiddle", &TfrmMain::nSpeed, true, &TfrmMain::nMiddleClick},
        {nLow, L"nLow", &TfrmMain::nSpeed, true, &TfrmMain::nLowClick},
        {nChangeAddress, L"nChangeAddress", nullptr, false, &TfrmMain::nChangeAddressClick},
        {nDeviceID, L"nDeviceID", nullptr, false, &TfrmMain::nDeviceIDClick},
        {nZ50, L"nZ50", &TfrmMain::nDeviceID, true, &TfrmMain::nZ50Click},
        {nZ100, L"nZ100", &TfrmMain::nDeviceID, true, &TfrmMain::nZ100Click},
        {nZ200, L"nZ200", &TfrmMain::nDeviceID, true, &TfrmMain::nZ200Click},
        {nZ300, L"nZ300", &TfrmMain::nDeviceID, true, &TfrmMain::nZ300Click},
        {nZ500, L"nZ500", &TfrmMain::nDeviceID, true, &TfrmMain::nZ500Click},
    };
    for (const auto& m : items) {
        formbuilder::Make(this, m.item, m.name);
        (m.parent ? this->*m.parent : pmMenu->Items())->Add(m.item);
        m.item->SetRadioItem(m.radio);
        m.item->SetOnClick(Notify(this, m.handler));
    }

    // The update check's FTP client: passive, IPv4, no proxy; the rest is set at start-up.
    FORM_MAKE(IdFTP1);

    EndLoading(this);
}
