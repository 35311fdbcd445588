// The detector search: once per run, every listed port at 1200 baud, every address, until a port
// answers; that line goes to 19200 baud, its first detector is polled and the wizard offered.
#include "mainwindow/Mainform.h"

#include "languages/languageswitch.h"
#include "languages/messagetexts.h"
#include "link/SerialPorts.h"
#include "mainwindow/Mastersettingform.h"
#include "mainwindow/Monitorrules.h"
#include "vcl/sysutils.h"

using namespace zirv;

namespace {

constexpr uint32_t Baud1200 = 0;
constexpr uint32_t Baud19200 = 4;
constexpr uint32_t SearchTimeoutMs = 200;
// The value of the line-speed write that sets 19200 baud.
constexpr uint8_t LineSpeed19200 = 4;

// Port names as the registry lists them, "COM3": the number follows three letters.
constexpr int PortNamePrefixLength = 3;

// The flag picture of a language as the flag panel's buttons name it; the language without texts
// of its own (5) shows the English flag, a language without a button none.
const LanguageButton* FlagOfLanguage(int language)
{
    constexpr int NoTextsLanguage = 5;
    const int shown = language == NoTextsLanguage ? 0 : language;
    for (const LanguageButton& button : kLanguageButtons)
        if (button.language == shown)
            return &button;
    return nullptr;
}

}  // namespace

void TfrmMain::TimerSearchTimer(vcl::TObject*)
{
    // Off before anything can fail: the search runs once, and a failure shows once.
    TimerSearch->SetEnabled(false);
    vcl::TStringList ports;
    EnumSerialPorts(ports);
    DetectorFound = false;

    // The search's text stands centred on the window's outer width.
    const auto showSearchText = [this](const vcl::String& text) {
        lbSearch->SetCaption(text);
        lbSearch->SetLeft((Width() - lbSearch->Width()) / 2);
    };
    lbCountDevice->SetVisible(true);
    lbSearch->SetVisible(true);
    pbSearch->SetVisible(true);
    showSearchText(msgSearching);
    pbSearch->SetPosition(0);
    Repaint();

    // Every name is converted before any port opens; a name that is no port raises here.
    PortNumbers.clear();
    for (int i = 0; i < ports.Count(); ++i) {
        vcl::String name = ports.Strings(i);
        vcl::Delete(name, 1, PortNamePrefixLength);
        PortNumbers.push_back(vcl::StrToInt(name));
    }

    PortSettings.BaudIndex = Baud1200;
    PortSettings.ParityIndex = NOPARITY;
    PortSettings.StopBitsIndex = ONESTOPBIT;
    PortSettings.TimeoutMs = SearchTimeoutMs;
    cbAddress->Items()->Clear();
    cbStepAddress->Items()->Clear();

    ZIRVZEBRA1& detector = *Detector;
    for (const int32_t portNumber : PortNumbers) {
        PortSettings.PortNumber = portNumber;
        StatusBar1->Panels()->Items(1)->SetText(L"COM " + vcl::IntToStr(portNumber));
        ComPortDevicePath(portNumber, PortSettings);
        // A port that does not open answers nothing, which is all the search needs to know.
        ComPort->Configure(PortSettings);
        ComPort->Open();

        const int32_t step = monitor::SearchStepPerAddress(pbSearch->Max(), static_cast<int32_t>(PortNumbers.size()));
        for (detector.Address = 0; detector.Address < monitor::AddressCount; ++detector.Address) {
            pbSearch->SetPosition(pbSearch->Position() + step);
            Repaint();
            ReplyData reply{};
            if (detector.ReadDeviceType(detector.Address, reply) != ExchangeOk) {
                cZone1->SetProgress(0);
                cZone1->SetForeColor(vcl::TColor(monitor::ColourGrey));
                continue;
            }
            const ModelEntry* model = FindModel(DeviceTypeOf(reply));
            if (!model) {
                FoundFlags[detector.Address] = 0;
                continue;
            }
            ++FoundCount;
            FoundFlags[detector.Address] = 1;
            DetectorFound = true;
            for (vcl::TCustomComboBox* list : std::initializer_list<vcl::TCustomComboBox*>{cbAddress, cbStepAddress}) {
                list->Items()->Add(AddressItem(detector.Address));
                list->SetItemIndex(0);
            }
            msgFoundCount = msgFoundPrefix;
            lbCountDevice->SetCaption(msgFoundCount + vcl::IntToStr(FoundCount));
            ShowModelName(model->TypeCode);
            detector.TypeCode = model->StoredTypeCode;
        }

        if (!DetectorFound) {
            ComPort->Close();
            continue;
        }
        // Every detector on the line goes to 19200 baud; none answers a broadcast.
        ReplyData reply{};
        detector.WriteConfig(BroadcastAddress, ConfigLineSpeed, LineSpeed19200, reply);
        ComPort->Close();
        PortSettings.BaudIndex = Baud19200;
        ComPort->Configure(PortSettings);
        ComPort->Open();
        // The list shows its first item, the lowest address found: that detector is polled.
        cbChange2->Execute();
        break;
    }

    pbSearch->SetVisible(false);
    lbCountDevice->SetVisible(false);
    const bool several = FoundCount > 1;
    cbAddress->SetEnabled(several);
    lbAddress2->SetCaption(several ? msgChooseNumber : msgOneSensor);

    if (DetectorFound) {
        showSearchText(msgSensorFound);
        Timer_ReqID->SetEnabled(true);
        frmMasterSetting = vcl::Create<TfrmMasterSetting>(vcl::Application);
        if (const monitor::WizardQuestionTexts* texts = monitor::WizardQuestionTextsOf(CurrentLanguage)) {
            frmMasterSetting->SetCaption(texts->Title);
            frmMasterSetting->sButton1->SetCaption(texts->Yes);
            frmMasterSetting->sButton2->SetCaption(texts->No);
        }
        frmMasterSetting->ShowModal();
    } else {
        msgSearchResult = msgNoSensors;
        showSearchText(msgSearchResult);
    }

    for (vcl::TPaintBox* box : std::initializer_list<vcl::TPaintBox*>{PaintBox1, StepPaintBox1}) {
        vcl::TPen* pen = box->Canvas()->Pen();
        pen->SetColor(vcl::TColor(0xFF00FF));
        pen->SetWidth(3);
        pen->SetStyle(vcl::TPenStyle::psDot);
    }
    sbtSound->Glyph()->LoadFromFile(SoundGlyph(SoundOn));
    if (const LanguageButton* flag = FlagOfLanguage(CurrentLanguage))
        sbtLang->Glyph()->LoadFromFile(vcl::String(flag->flagPicture));

    if (monitor::MaximiseOnScreen(vcl::Screen->Width(), vcl::Screen->Height()))
        SetWindowState(vcl::TWindowState::wsMaximized);
    else
        SetBorderIcons({vcl::TBorderIcon::biSystemMenu, vcl::TBorderIcon::biMinimize});
}
