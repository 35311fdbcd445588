// The main window's own properties, timers, status bar, lists, gauges, actions and menu, and the
// window as the language texts and the per-language layout see it.
#include "mainform_fixture.h"

#include "bytes.h"
#include "skin/core/acSkinPack.h"
#include "vcl/inifiles.h"
#include "vcl/sysutils.h"

#include <commctrl.h>

#include <array>
#include <filesystem>
#include <vector>

namespace {

using namespace vcl;
using TsComboBoxPtr = skin::TsComboBox*;
using TsEditPtr = skin::TsEdit*;
using TsLabelPtr = skin::TsLabel*;
using TsSpeedButtonPtr = skin::TsSpeedButton*;

TEST_F(MainformTest, WindowHasItsSizeBorderAndTitle)
{
    EXPECT_EQ(1016, Form()->ClientWidth());
    EXPECT_EQ(565, Form()->ClientHeight());
    EXPECT_EQ(TFormBorderStyle::bsSingle, Form()->BorderStyle());
    EXPECT_EQ(TBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize}), Form()->BorderIcons());
    EXPECT_EQ(TPosition::poScreenCenter, Form()->Position());
    EXPECT_EQ(String(L"Config Zirvane Series v2.64"), Form()->Caption());
    EXPECT_EQ(String(L"Tahoma"), Form()->Font()->Name());
    EXPECT_EQ(-11, Form()->Font()->Height());

    const LONG_PTR style = GetWindowLongPtrW(Form()->Handle(), GWL_STYLE);
    // The skinned frame draws the system menu's icon and buttons: the window's own style gives it up.
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(Form()->sSkinProvider1->HaveSysMenu);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    RECT client{};
    GetClientRect(Form()->Handle(), &client);
    EXPECT_EQ(1016, client.right);
    EXPECT_EQ(565, client.bottom);
}

TEST_F(MainformTest, TimersHaveTheirIntervalsAndAllStartStopped)
{
    const struct {
        TTimer* timer;
        Cardinal interval;
        void (TfrmMain::*handler)(TObject*);
    } timers[] = {
        {Form()->TimerSearch, 50, &TfrmMain::TimerSearchTimer},
        {Form()->Timer_ReqID, 3000, &TfrmMain::Timer_ReqIDTimer},
        {Form()->Timer_RxPower, 1000, &TfrmMain::Timer_RxPowerTimer},
        {Form()->Timer_Ust, 250, &TfrmMain::Timer_UstTimer},
        {Form()->Timer_Tres, 500, &TfrmMain::Timer_TresTimer},
        {Form()->Timer4, 1000, &TfrmMain::Timer4Timer},
        {Form()->TimerUpgrade, 3000, &TfrmMain::TimerUpgradeTimer},
        {Form()->Timer1, 1000, &TfrmMain::Timer1Timer},
    };
    for (const auto& t : timers) {
        SCOPED_TRACE(testing::PrintToString(t.timer->Name()));
        EXPECT_EQ(t.interval, t.timer->Interval());
        EXPECT_FALSE(t.timer->Enabled());
        EXPECT_TRUE(t.timer->OnTimer() == TNotifyEvent(frmMain, t.handler));
    }
}

TEST_F(MainformTest, StatusBarHasFivePanelsTheLastReachingTheEdge)
{
    TStatusPanels* panels = Form()->StatusBar1->Panels();
    ASSERT_EQ(5, panels->Count());
    const int widths[] = {150, 100, 150, 400, 50};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(widths[i], panels->Items(i)->Width()) << i;
    EXPECT_EQ(String(L"СОМ 3"), panels->Items(1)->Text());
    EXPECT_FALSE(Form()->StatusBar1->SizeGrip());

    std::array<int, 5> edges{};
    ASSERT_EQ(5, SendMessageW(Form()->StatusBar1->Handle(), SB_GETPARTS, edges.size(),
                              reinterpret_cast<LPARAM>(edges.data())));
    EXPECT_EQ((std::array<int, 5>{150, 250, 400, 800, -1}), edges);
}

std::vector<String> Items(TCustomComboBox* combo)
{
    std::vector<String> items;
    for (int i = 0; i < combo->Items()->Count(); ++i)
        items.push_back(combo->Items()->Strings(i));
    return items;
}

TEST_F(MainformTest, ListsHoldTheirDesignItems)
{
    const std::vector<String> languages = {L"Русский", L"English", L"Deutsch", L"Francais",
                                           L"Español", L"Português", L"Český", L"Српски",
                                           L"Svenska", L"Hrvatski", L"Italian"};
    EXPECT_EQ(languages, Items(Form()->cbLanguage));
    EXPECT_EQ(-1, Form()->cbLanguage->ItemIndex());

    for (TCustomComboBox* addresses : {static_cast<TCustomComboBox*>(Form()->cbAddress),
                                       static_cast<TCustomComboBox*>(Form()->cbStepAddress)}) {
        EXPECT_EQ(std::vector<String>{L"15"}, Items(addresses));
        EXPECT_EQ(0, addresses->ItemIndex());
    }

    const std::vector<String> speeds = {L" 0,1...1", L" 0,1...4", L"0,1...10"};
    for (TCustomComboBox* list : {static_cast<TCustomComboBox*>(Form()->cbSpeed),
                                  static_cast<TCustomComboBox*>(Form()->cbStepSpeed)}) {
        EXPECT_EQ(speeds, Items(list));
        EXPECT_EQ(-1, list->ItemIndex());
    }
    EXPECT_EQ(String(L"0.1..10"), Form()->cbSpeed->Text());
}

TEST_F(MainformTest, FieldsShowTheirDesignTexts)
{
    const std::pair<TsEditPtr, const wchar_t*> fields[] = {
        {Form()->edRxPower, L"0"},   {Form()->edLetter, L"42"},
        {Form()->edValue, L"0,0"},     {Form()->edAddr, L"0"},
        {Form()->edStepAddr, L"0"},  {Form()->edStepRxPower, L"0"},
        {Form()->edStepLetter, L"42"}, {Form()->edStepUst, L"0,0"},
    };
    for (const auto& [field, text] : fields)
        EXPECT_EQ(String(text), field->Text()) << testing::PrintToString(field->Name());
    for (TsEditPtr field : {Form()->edRxPower, Form()->edLetter, Form()->edValue, Form()->edUst, Form()->edTres,
                            Form()->edStepRxPower, Form()->edStepLetter, Form()->edStepUst, Form()->edStepTres})
        EXPECT_TRUE(field->ReadOnly()) << testing::PrintToString(field->Name());
    for (TsEditPtr field : {Form()->edAddr, Form()->edStepAddr})
        EXPECT_FALSE(field->ReadOnly()) << testing::PrintToString(field->Name());
    for (TsEditPtr field : {Form()->edRxPower, Form()->edValue, Form()->edAddr, Form()->edUst})
        EXPECT_EQ(TColor(0xF2F2F2), field->Color()) << testing::PrintToString(field->Name());

    EXPECT_EQ(String(L"Неизвестно"), Form()->lbState->Caption());
    EXPECT_EQ(String(L"Шаг 1"), Form()->lbStep->Caption());
    TLabel* const scales[][4] = {{Form()->Label1, Form()->Label2, Form()->Label3, Form()->Label4},
                                 {Form()->Label5, Form()->Label6, Form()->Label7, Form()->Label8}};
    const wchar_t* figures[] = {L"0.0", L"1.0", L"2.0", L"3.0"};
    for (const auto& scale : scales) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(String(figures[i]), scale[i]->Caption());
    }
}

TEST_F(MainformTest, FlagPanelButtonsCarryTheirLanguages)
{
    const std::pair<TsSpeedButtonPtr, const wchar_t*> buttons[] = {
        {Form()->sbtRussian, L"Русский"}, {Form()->sbtEnglish, L"English"},
        {Form()->sbtDeutsch, L"Deutsch"}, {Form()->sbtFrance, L"Francais"},
        {Form()->sbtEspania, L"Español"}, {Form()->sbtPortugal, L"Português"},
        {Form()->sbtCzech, L"Český"},   {Form()->sbtSerbian, L"Српски"},
        {Form()->sbtSwed, L"Svenska"},    {Form()->sbtCroation, L"Hrvatski"},
        {Form()->sbtKorean, L"한국어"}, {Form()->sbtItalian, L"Italian"},
    };
    for (const auto& [button, caption] : buttons) {
        EXPECT_EQ(String(caption), button->Caption());
        EXPECT_EQ(-19, button->Font()->Height());
    }
}

TEST_F(MainformTest, ProgressBarsAndGaugesHaveTheirRanges)
{
    EXPECT_EQ(0, Form()->pbSearch->Min());
    EXPECT_EQ(10000, Form()->pbSearch->Max());
    EXPECT_EQ(0, Form()->pbSearch->Position());
    EXPECT_EQ(26, Form()->pbWaitTres->Max());
    EXPECT_EQ(26, Form()->pbStepWaitTres->Max());
    for (TCGauge* gauge : {Form()->cZone1, Form()->cStepZone1}) {
        SCOPED_TRACE(testing::PrintToString(gauge->Name()));
        EXPECT_EQ(TGaugeKind::gkVerticalBar, gauge->Kind());
        EXPECT_FALSE(gauge->ShowText());
        EXPECT_EQ(0, gauge->MinValue());
        EXPECT_EQ(190, gauge->MaxValue());
        EXPECT_EQ(0, gauge->Progress());
        EXPECT_EQ(TColor(0x008000), gauge->ForeColor());
        EXPECT_EQ(clWhite, gauge->BackColor());
    }
}

TEST_F(MainformTest, PicturesHaveTheirSizes)
{
    const struct {
        TImage* image;
        int width;
        int height;
    } pictures[] = {
        {Form()->Image1, 47, 350}, {Form()->Image2, 100, 3}, {Form()->Image3, 109, 38}, {Form()->Image4, 47, 350}};
    for (const auto& p : pictures) {
        EXPECT_EQ(p.width, p.image->Picture()->Width()) << testing::PrintToString(p.image->Name());
        EXPECT_EQ(p.height, p.image->Picture()->Height()) << testing::PrintToString(p.image->Name());
    }
    const std::pair<TsSpeedButtonPtr, int> glyphs[] = {
        {Form()->sSpeedButton1, 32}, {Form()->sbtSound, 55},    {Form()->sbtLang, 55},    {Form()->btPlus, 24},
        {Form()->btMinus, 24},       {Form()->btStepPlus, 24}, {Form()->btStepMinus, 24},
    };
    for (const auto& [button, size] : glyphs) {
        EXPECT_EQ(size, button->Glyph()->Width()) << testing::PrintToString(button->Name());
        EXPECT_EQ(size, button->Glyph()->Height()) << testing::PrintToString(button->Name());
    }
}

TEST_F(MainformTest, ActionsAreNamedAfterTheirCaptionsAndRunTheirHandlers)
{
    const std::pair<TAction*, void (TfrmMain::*)(TObject*)> actions[] = {
        {Form()->cbChange2, &TfrmMain::cbChange2Execute}, {Form()->actOpros, &TfrmMain::actOprosExecute},
        {Form()->ModeClick, &TfrmMain::ModeClickExecute}, {Form()->CloseAll, &TfrmMain::CloseAllExecute},
        {Form()->ResetClick, &TfrmMain::ResetClickExecute}, {Form()->test, &TfrmMain::testExecute},
    };
    ASSERT_EQ(6, Form()->ActionList1->ActionCount());
    for (int i = 0; i < 6; ++i) {
        TAction* action = actions[i].first;
        EXPECT_EQ(action, Form()->ActionList1->Actions(i));
        EXPECT_EQ(action->Name(), action->Caption());
        EXPECT_TRUE(action->OnExecute() == TNotifyEvent(frmMain, actions[i].second));
    }
}

TEST_F(MainformTest, PopupMenuHoldsItsItemTree)
{
    TMenuItem* root = Form()->pmMenu->Items();
    const std::vector<TMenuItem*> entries = {Form()->nLanguage, Form()->nSpeed, Form()->nChangeAddress,
                                             Form()->nDeviceID};
    ASSERT_EQ(static_cast<int>(entries.size()), root->Count());
    for (int i = 0; i < root->Count(); ++i)
        EXPECT_EQ(entries[i], root->Items(i));
    const std::pair<TMenuItem*, std::vector<TMenuItem*>> groups[] = {
        {Form()->nLanguage, {Form()->nRussian, Form()->nEnglish, Form()->nGerman, Form()->nFrance, Form()->nPortuges}},
        {Form()->nSpeed, {Form()->nFast, Form()->nMiddle, Form()->nLow}},
        {Form()->nDeviceID, {Form()->nZ50, Form()->nZ100, Form()->nZ200, Form()->nZ300, Form()->nZ500}},
    };
    for (const auto& [parent, children] : groups) {
        ASSERT_EQ(static_cast<int>(children.size()), parent->Count());
        for (int i = 0; i < parent->Count(); ++i)
            EXPECT_EQ(children[i], parent->Items(i));
    }
    EXPECT_EQ(0, Form()->nChangeAddress->Count());
}

// A first launch shows the language list centred on the window's outer size.
TEST_F(MainformTest, FirstLaunchCentresTheLanguageList)
{
    TsLabelPtr prompt = Form()->lbLanguage;
    TsComboBoxPtr list = Form()->cbLanguage;
    EXPECT_EQ(String(L"It is the first launch of the program. Please choose the language"), prompt->Caption());
    EXPECT_EQ((Form()->Height() - list->Height() - prompt->Height() - 32) / 2, list->Top());
    EXPECT_EQ(list->Top() - prompt->Height() - 12, prompt->Top());
    EXPECT_EQ((Form()->Width() - prompt->Width()) / 2, prompt->Left());
    EXPECT_EQ((Form()->Width() - list->Width()) / 2, list->Left());
}

// Every language's texts and layout find every control they name.
TEST_F(MainformTest, LanguagesReachTheirControlsByName)
{
    TMainformLanguageHost host(*Form());
    for (int language = -1; language <= 12; ++language) {
        SCOPED_TRACE(language);
        EXPECT_NO_THROW(ApplyLanguageTexts(host, language));
        EXPECT_NO_THROW(ApplyLanguageLayout(host, language));
        EXPECT_EQ(121, Form()->lbAddr2->Width());
    }
    EXPECT_EQ(Form()->Width(), host.Get(L"frmMain", LayoutProperty::Width));
    EXPECT_THROW(host.Caption(L"lbNowhere"), EComponentError);
}

// The skin manager carries our skin, packed into the program at build time, under the one name
// the form asks for; the design-time skin folder is nowhere.
TEST_F(MainformTest, SkinManagerCarriesOurSkinPacked)
{
    skin::TsSkinManager* manager = Form()->sSkinManager1;
    EXPECT_EQ(String(L"Aluminium (internal)"), manager->SkinName());
    EXPECT_FALSE(DirectoryExists(manager->SkinDirectory()));
    EXPECT_EQ(String(L"ICOLINE"), manager->MenuSupport()->IcoLineSkin());
    EXPECT_EQ(String(L"TButton"), manager->ThirdParty()->GetString(skin::ThirdPartyList::ThirdButtons));
    EXPECT_EQ(String(L" "), manager->ThirdParty()->GetString(skin::ThirdPartyList::ThirdEdits));
    EXPECT_EQ(String(L"[NEWPROGRESSALARM]\r\nPARENTCLASS=GROUPBOX\r\n[NEWPROGRESSNORMAL]\r\nPARENTCLASS=GROUPBOX\r\n"
                     L"[NEWPROGRESSUNDEF]\r\nPARENTCLASS=GROUPBOX\r\n[NEWSITE]\r\nPARENTCLASS=CHECKBOX\r\n"
                     L"FONTCOLOR=16711680\r\n"),
              manager->CommonSections()->Text());

    ASSERT_EQ(1, manager->InternalSkins()->Count());
    skin::TsStoredSkin* stored = manager->InternalSkins()->Items(0);
    EXPECT_EQ(String(L"Aluminium (internal)"), stored->Name());
    auto sc = std::make_unique<skin::TacSkinConvertor>();
    sc->PackedData = stored->PackedData.get();
    skin::ExtractPackedData(sc);
    sc->PackedData = nullptr;

    const std::filesystem::path folder = std::filesystem::path(testsupport::SourceDir()) / "assets" / "skins" / "Aluminium (internal)";
    using testsupport::FileBytes;
    using testsupport::MemoryBytes;
    ASSERT_TRUE(sc->Options);
    EXPECT_EQ(FileBytes(folder / "Options.dat"), MemoryBytes(sc->Options.get()));
    ASSERT_EQ(1u, sc->Files.size());
    EXPECT_EQ(FileBytes(folder / sc->Files[0].FileName), MemoryBytes(sc->Files[0].FileStream.get()));
}

// Without a skin folder the window loads our internal skin as it is made: the skin's sections and
// images from the packed data, the common sections beside them, and the skin broadcast.
TEST_F(MainformTest, WindowLoadsOurInternalSkin)
{
    skin::TsSkinManager* manager = Form()->sSkinManager1;
    EXPECT_TRUE(manager->Active());
    EXPECT_TRUE(manager->SkinData->Active);
    EXPECT_TRUE(manager->SkinIsPacked);
    EXPECT_EQ(String(), manager->SkinData->SkinPath);
    EXPECT_EQ(nullptr, skin::sc);

    const String folder = FromAnsi(testsupport::SourceDir()) + L"\\assets\\skins\\Aluminium (internal)\\";
    TMemIniFile options(folder + L"Options.dat");
    const int panel = manager->GetSkinIndex(L"PANEL");
    ASSERT_GE(panel, 0);
    EXPECT_EQ(TColor(options.ReadInteger(L"PANEL", L"COLOR", -1)), manager->gd[size_t(panel)].Color);
    EXPECT_GE(manager->GetSkinIndex(L"NEWSITE"), 0);
    EXPECT_EQ(manager->GetSkinIndex(L"GLOBALINFO"), manager->ConstData.IndexGLobalInfo);

    TObjectPtr<TBitmap> master(Create<TBitmap>());
    master->LoadFromFile(folder + options.ReadString(L"GLOBALINFO", L"MASTERBITMAP", L""));
    EXPECT_EQ(master->Width(), manager->MasterBitmap->Width());
    EXPECT_EQ(master->Height(), manager->MasterBitmap->Height());
    EXPECT_GE(manager->GetMaskIndex(L"FORM", L"BORDERSMASK"), 0);
}


// A point inside a panel's border that none of its children covers, or (-1,-1) if there is none.
TPoint FreePointOf(TWinControl* panel, int border)
{
    for (int y = border; y < panel->Height() - border; ++y)
        for (int x = border; x < panel->Width() - border; ++x) {
            bool covered = false;
            for (int i = 0; i < panel->ControlCount() && !covered; ++i) {
                const TControl* child = panel->Controls(i);
                const RECT bounds = child->BoundsRect();
                covered = child->Visible() && PtInRect(&bounds, POINT{x, y});
            }
            if (!covered)
                return TPoint(x, y);
        }
    return TPoint(-1, -1);
}

// With no skin folder beside the program, what the user sees of a panel is our packed skin's PANEL colour.
TEST_F(MainformTest, PanelsShowOurInternalSkinsColour)
{
    // The top bar and the detector panel, as the monitoring view shows them.
    Form()->sPanel1->SetVisible(true);
    Form()->sPanel5->SetVisible(true);
    Form()->Show();
    testsupport::PumpFor(300);
    skin::TsSkinManager* manager = Form()->sSkinManager1;
    const int section = manager->GetSkinIndex(L"PANEL");
    ASSERT_GE(section, 0);
    const COLORREF expected = ColorToRGB(manager->gd[size_t(section)].Color);
    ASSERT_NE(ColorToRGB(clBtnFace), expected) << "the check could not tell a skinned panel from a plain one";

    int checked = 0;
    for (int i = 0; i < Form()->ComponentCount(); ++i) {
        auto* panel = dynamic_cast<skin::TsPanel*>(Form()->Components(i));
        if (!panel || !panel->Showing() || panel->SkinData()->SkinSection() != L"PANEL")
            continue;
        const TPoint free = FreePointOf(panel, panel->BorderWidth() + 2);
        if (free.x < 0)
            continue;
        const testsupport::TGrab grab = testsupport::Grab(panel->Handle());
        EXPECT_EQ(expected, grab.ClientPixel(free.x, free.y)) << panel->Name().c_str() << " at " << free.x << "," << free.y;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

// The value fields keep the program's colours under the skin and store the caption they never show.
TEST_F(MainformTest, ValueFieldsShowTheProgramsColourAndKeepAnInactiveCaption)
{
    const TsEditPtr fields[] = {Form()->edRxPower,  Form()->edLetter,      Form()->edValue,
                                Form()->edAddr,     Form()->edUst,         Form()->edTres,
                                Form()->edStepAddr, Form()->edStepRxPower, Form()->edStepLetter,
                                Form()->edStepUst,  Form()->edStepTres};
    for (TsEditPtr field : fields) {
        SCOPED_TRACE(testing::PrintToString(field->Name()));
        EXPECT_TRUE(field->SkinData()->CustomColor());
        const skin::TsBoundLabel* caption = field->BoundLabel();
        EXPECT_FALSE(caption->Active());
        EXPECT_EQ(skin::TsCaptionLayout::sclLeft, caption->Layout());
        EXPECT_EQ(0, caption->Indent());
        EXPECT_EQ(0, caption->MaxWidth());
        EXPECT_TRUE(caption->UseSkinColor());
        EXPECT_EQ(String(L"Tahoma"), caption->Font()->Name());
        EXPECT_EQ(-11, caption->Font()->Height());
    }

    // The signal level, enabled and inactive, painted from its cache in the design grey.
    Form()->sPanel3->SetVisible(true);
    Form()->Show();
    testsupport::PumpFor(300);
    skin::TsEdit* level = Form()->edValue;
    ASSERT_TRUE(level->SkinData()->Skinned());
    const testsupport::TGrab grab = testsupport::Grab(level->Handle());
    EXPECT_EQ(COLORREF(0xF2F2F2), grab.Pixel(5, level->Height() / 2)) << "left of the centred text";
}

// The labels write in our skin's font colour, and what their panel shows lies around their text.
TEST_F(MainformTest, LabelsWriteInOurSkinsFontColourOverTheirPanel)
{
    Form()->sPanel1->SetVisible(true);
    Form()->sPanel5->SetVisible(true);
    Form()->Show();
    testsupport::PumpFor(300);
    skin::TsSkinManager* manager = Form()->sSkinManager1;
    const TColor font = manager->GetGlobalFontColor();
    ASSERT_NE(font, clFuchsia);
    ASSERT_NE(ColorToRGB(font), ColorToRGB(clWindowText)) << "the check could not tell the skin's colour from the default";

    int checked = 0;
    for (int i = 0; i < Form()->ComponentCount(); ++i) {
        auto* label = dynamic_cast<skin::TsLabel*>(Form()->Components(i));
        auto* panel = label ? dynamic_cast<skin::TsPanel*>(label->Parent()) : nullptr;
        if (!panel || !label->Showing() || panel->SkinData()->SkinSection() != L"PANEL")
            continue;
        EXPECT_EQ(font, label->Font()->Color()) << label->Name().c_str();
        const testsupport::TGrab grab = testsupport::Grab(panel->Handle());
        EXPECT_EQ(grab.ClientPixel(label->Left() - 1, label->Top()), grab.ClientPixel(label->Left(), label->Top()))
            << label->Name().c_str() << ": its corner shows what lies beside it";
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

}  // namespace
