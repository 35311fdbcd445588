#include "languages/texts/fulltexts.h"

namespace languages {

const FullTexts kSwedishTexts = {
    .sLabel1 = L"Om detektorn",
    .lbAddress = L"Detektorns\r\nunika nummer",
    .lbAddress2 = L"Du kan välja önskat detektornummer på linjen",
    .oneSensor = L"En detektor ansluten",
    .lbStepAddress2 = L"Välj önskat detektornummer på linjen",
    .lbRxPower = L"Matningsspänning\r\npå mottagaren (V)",
    .lbRxPower2 = L"Tillåtet område för matningsspänningen:\n\r9 V till 30 V",
    .lbLetter = L"Bokstav",
    .lbLetter2 = L"Kanalbokstaven på mottagaren ska vara densamma som på sändaren",
    .sLabel7 = L"Detektorns inställningspanel",
    .lbUst = L"Nivå på\r\ningångssignalen",
    .lbTres = L"Värde för\r\nutlösningströskeln",
    .lbSpeed = L"Hastighet vid passage\r\nav detekteringszonen",
    .lbSpeed2 = L"0,1...1 m/s – montering på stängslets överkant.\r\n0,1...4 m/s – zon mellan stängslet och hindret.\r\n"
                L"0,1...10 m/s – öppen yta.",
    .lbWaitTres = L"Tröskeln ställs in…",
    // The count caption keeps its own word while the found prefix stays English.
    .lbCountDevice = L"Grundbas : 0",
    .adjustHelp = L"Vrid långsamt sändaren och mottagaren mot varandra tills det högsta värdet uppnås",
    .thresholdHelp = L"Ställ in den optimala tröskeln med knapparna \"+\" och \"-\" eller genom att klicka på skalan",
    .companyLine = L"OOO Morvelta",
    .stateNorm = L"Värde",
    .stateOk = L"Ok",
    .stateAlarm = L"Alarm",
    .foundPrefix = L"Found : ",
    .sensorFound = L"Detektor hittad",
    .noSensors = L"Inga detektorer anslutna. Kontrollera mottagarens strömförsörjning.",
    .sLabel3 = L"Inställning av detektorn",
    .sLabel2 = L"Inställning av mottagarens högsta ingångssignalnivå och detektorns utlösningströskel pågår.",
    .sButton1 = L"Starta inställningen",
    .btNext = L"Fortsätt inställningen",
    .btCloseSetting = L"Avsluta inställningen",
    .searching = L"Söker efter anslutna detektorer",
    .letterHint = L"Ställ in bokstaven medan strömmen till sändaren och mottagaren är avstängd",
    .thresholdHint = L"Ställ in tröskeln genom kontrollpassager genom det skyddade området",
    .noiseNormal = L"Normal brusnivå",
    .alarmAlarm = L"Larm! Larm!",
    .noTransmitter = L"Ingen kommunikation med sändaren. Kontrollera strömförsörjningen och sändarens bokstav",
    .noiseHigh = L"Högt brus! Sök orsaken",
    .noSignal = L"Ingen signal. Rikta sändaren och mottagaren mot varandra för att öka signalen.",
    .signalTooLow = L"Signalnivån är lägre än tillåtet. Rikta sändaren och mottagaren mot varandra för att öka "
                    L"signalen.",
    .signalLowDanger = L"Signalnivån är i riskzonen. Rikta sändaren och mottagaren mot varandra för att öka signalen.",
    .latestVersion = L"Den senaste versionen av programmet är installerad",
    .newVersion = L"En ny version finns. Klicka för att uppdatera programmet",
    .signalNormal = L"Vrid långsamt sändaren och mottagaren mot varandra tills det högsta värdet uppnås.",
    .signalHighDanger = L"Signalnivån är i riskzonen för det tillåtna området. Vinkla sändaren något uppåt",
    .signalTooHigh = L"Signalnivån är högre än tillåtet. Vinkla sändaren något uppåt",
    .currentNumberLabel = L"Detektorns\n\r aktuella nummer",
    .currentNumber = L"Detektorns aktuella nummer ",
    .enterNewNumber = L". Ange nytt nummer",
    .emptyValue = L"Tomt värde angivet",
    .btChangeAddr = L"Ändra numret",
    .lbAddr = L"Byte av unikt nummer",
    .btOk = L"Bekräfta",
    .btCancel = L"Avbryt",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"Starta inställningsguiden?",
    .yes = L"&Ja",
    .no = L"&Nej",
    .wizardTitle = L"Inställningsguide",
    .stepChooseSensor = L"Välj detektor",
    .stepSetNumber = L"Ange det unika numret",
    .step = L"Steg ",
    .stepChooseSensorHelp =
        L"   Börja inställningen genom att välja detektorns nummer i listan i fönstret till höger.\n\r\n\r\n\r"
        L"   Klicka på  \"Nästa\" när numret är valt.",
    .stepSetNumberHelp =
        L"   Alla detektorer har nummer noll från fabriken (logiskt nummer). Vi rekommenderar ett värde från 1 till "
        L"31.\n\r\n\r"
        L"   Se till att bara en enhet med nummer noll är ansluten till linjen.\n\r\n\r\n\r"
        L"   Klicka på  \"Nästa\" när numret är ändrat.",
    .sensorsOnLine = L"Antal detektorer på linjen - ",
    .stepPowerHelp =
        L"   Kontrollera att matningsspänningen i fönstret till höger ligger inom det tillåtna området 9 till "
        L"30 V.\n\r\n\r"
        L"   Klicka på \"Bakåt\" för att gå tillbaka.\n\r"
        L"   Klicka på \"Nästa\" för att fortsätta.",
    .stepPowerTitle = L"Kontrollera mottagarens matning",
    .powerNormal = L"Mottagarens strömförsörjning är normal",
    .powerNearLimit = L"Mottagarens strömförsörjning är nära den tillåtna gränsen",
    .powerFault = L"Mottagarens strömförsörjning är utanför det tillåtna området",
    .stepLetterTitle = L"Kontrollera mottagarens bokstav",
    .stepLetterHelp =
        L"   Kontrollera att sändaren har samma bokstav som mottagaren. Bokstaven visas i fönstret till höger.\n\r"
        L"   Slå bara på (ON) en mikrobrytare för att ställa in bokstaven rätt.\n\r\n\r"
        L"   Om du behöver byta bokstav, bryt strömmen till sändaren och mottagaren och starta om programmet.\n\r\n\r"
        L"   Klicka på \"Bakåt\" för att gå tillbaka.\n\r"
        L"   Klicka på \"Nästa\" för att fortsätta.",
    .stepLetterHelpChange =
        L"   Kontrollera att sändaren har samma bokstav som mottagaren. Bokstaven visas i fönstret till höger.\n\r"
        L"   Om du behöver byta bokstav, bryt strömmen till sändaren och mottagaren och starta om programmet.\n\r\n\r"
        L"   Klicka på \"Bakåt\" för att gå tillbaka.\n\r"
        L"   Klicka på \"Nästa\" för att fortsätta.",
    .letterWrong = L"Fel bokstav på mottagaren",
    .letterRight = L"Rätt bokstav på mottagaren",
    .stepSpeedTitle = L"Ställ in passagehastigheten",
    .stepSpeedHelp =
        L"   Välj önskad passagehastighet i fönstret till höger.\n\r"
        L"   Lägre hastighet ger bättre störtålighet.\n\r"
        L"   Exempel på val av passagehastighet:\n\r"
        L"   Montering på stängslets överkant – 0,1...1 m/s.\n\r"
        L"   Zon mellan stängslet och hindret – 0,1...4 m/s.\n\r"
        L"   Öppen yta – 0,1...10 m/s.\n\r\n\r"
        L"   Klicka på \"Bakåt\" för att gå tillbaka.\n\r"
        L"   Klicka på \"Nästa\" för att fortsätta.",
    .stepAdjustTitle = L"Inriktning av detektorn",
    .stepAdjustHelp =
        L"   Rikta in detektorn enligt följande.\n\r"
        L"   Vrid långsamt sändaren och mottagaren, en i taget, mot varandra i horisontal- och vertikalplanet tills "
        L"det högsta signalvärdet uppnås.\n\r"
        L"   Om signalvärdet är lägre än 0,6 V, kontrollera att platsen uppfyller kraven i bruksanvisningen och "
        L"upprepa inriktningen. Om signalvärdet är högre än 2,7 V, vinkla sändaren och mottagaren en liten bit uppåt "
        L"så att signalen ligger mellan 2,5 och 2,7 V. Att vinkla nedåt eller åt sidan är inte tillåtet.",
    .stepThresholdTitle = L"Inställning av utlösningströskeln",
    .stepThresholdHelp =
        L"   Ställ in detektorns utlösningströskel.\n\r"
        L"   Tillåtet område för utlösningströskeln är 1 till 2,5 V.\n\r"
        L"   Ställ in tröskeln genom kontrollpassager genom det skyddade området.\n\r"
        L"   Vid larm blir skalan till höger röd. Om en passage inte ger larm, sänk tröskelvärdet och upprepa "
        L"passagen.\n\r"
        L"   Ställ in tröskeln med knapparna \"+\" och  \"-\" eller genom att klicka på skalan på panelen till höger.",
    .uniqueNumber = L"Unikt nummer ",
    .helpBackNext = L"\n\r   Klicka på \"Bakåt\" för att gå tillbaka.\n\r   Klicka på \"Nästa\" för att fortsätta.",
    .helpNext = L"\n\r   Klicka på \"Nästa\" för att fortsätta.",
    .next = L"Nästa",
    .helpBackDone = L"\n\r   Klicka på \"Bakåt\" för att gå tillbaka.\n\r   Klicka på \"Klart\" för att avsluta.",
    .done = L"Klart",
    .setupComplete = L"Inställningen är klar. Klicka på OK för att gå till beredskapsläge.",
    .clickDone = L"Klicka på \"Klart\" för att avsluta.",
    .toAdjustMode = L"Växlar till inriktningsläge…",
    .toThresholdMode = L"Växlar till tröskelläge…",
    .thresholdChange = L"Tröskeln ändras…",
    .btBack = L"Bakåt",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"Faktorsläge",
    .linkLost = L"Kommunikationsfel",
};

}  // namespace languages
