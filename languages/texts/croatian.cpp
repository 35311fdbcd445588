#include "languages/texts/fulltexts.h"

namespace languages {

// The wizard's button words and the threshold-mode notice stay English in Croatian.
const FullTexts kCroatianTexts = {
    .sLabel1 = L"O detektoru",
    .lbAddress = L"Jedinstveni broj\r\ndetektora",
    .lbAddress2 = L"Možete odabrati potreban broj detektora na liniji",
    .oneSensor = L"Spojen je jedan detektor",
    .lbStepAddress2 = L"Odaberite potreban broj detektora na liniji",
    .lbRxPower = L"Napon napajanja\r\nna prijamniku (V)",
    .lbRxPower2 = L"Dopušteni raspon napona napajanja:\n\rod 9 V do 30 V",
    .lbLetter = L"Slovo",
    .lbLetter2 = L"Slovo kanala na prijamniku mora biti isto kao na odašiljaču",
    .sLabel7 = L"Ploča za podešavanje detektora",
    .lbUst = L"Razina ulaznog\r\nsignala",
    .lbTres = L"Vrijednost praga\r\nokidanja",
    .lbSpeed = L"Brzina prelaska\r\nzone detekcije",
    .lbSpeed2 = L"0,1...1 m/s – ugradnja na vrh ograde.\r\n0,1...4 m/s – zona između ograde i prepreke.\r\n"
                L"0,1...10 m/s – otvoreni prostor.",
    .lbWaitTres = L"Podešavanje praga…",
    .lbCountDevice = L"Pronađeno : 0",
    .adjustHelp = L"Polaganim okretanjem odašiljača i prijamnika jednog prema drugome postignite najveću vrijednost",
    .thresholdHelp = L"Postavite optimalni prag tipkama \"+\" i \"-\" ili klikom na ljestvicu",
    .companyLine = L"OOO Morvelta",
    .stateNorm = L"Normal",
    .stateOk = L"Ok",
    .stateAlarm = L"Alarm",
    .foundPrefix = L"Pronađeno : ",
    .sensorFound = L"Detektor je pronađen",
    .noSensors = L"Nema spojenih detektora. Provjerite napajanje prijamnika.",
    .sLabel3 = L"Podešavanje detektora",
    .sLabel2 = L"U tijeku je podešavanje najveće razine ulaznog signala prijamnika i praga okidanja detektora.",
    .sButton1 = L"Pokreni podešavanje",
    .btNext = L"Nastavi podešavanje",
    .btCloseSetting = L"Izađi iz podešavanja",
    .searching = L"Traženje spojenih detektora",
    .letterHint = L"Slovo postavljajte dok je napajanje odašiljača i prijamnika isključeno",
    .thresholdHint = L"Prag podesite kontrolnim prolascima kroz štićeno područje",
    .noiseNormal = L"Razina šuma je normalna",
    .alarmAlarm = L"Alarm! Alarm!",
    .noTransmitter = L"Nema veze s odašiljačem. Provjerite napajanje i slovo odašiljača",
    .noiseHigh = L"Jak šum! Pronađite uzrok",
    .noSignal = L"Nema signala. Usmjerite odašiljač i prijamnik jedan prema drugome kako biste pojačali signal.",
    .signalTooLow = L"Razina signala niža je od dopuštene. Usmjerite odašiljač i prijamnik jedan prema drugome kako "
                    L"biste pojačali signal.",
    .signalLowDanger = L"Razina signala u opasnoj je zoni. Usmjerite odašiljač i prijamnik jedan prema drugome kako "
                       L"biste pojačali signal.",
    .latestVersion = L"Instalirana je najnovija inačica programa",
    .newVersion = L"Dostupna je nova inačica. Kliknite za ažuriranje programa",
    .signalNormal = L"Polaganim okretanjem odašiljača i prijamnika jednog prema drugome postignite najveću "
                    L"vrijednost.",
    .signalHighDanger = L"Razina signala u opasnoj je zoni dopuštenog raspona. Malo otklonite odašiljač prema gore",
    .signalTooHigh = L"Razina signala viša je od dopuštene. Malo otklonite odašiljač prema gore",
    .currentNumberLabel = L"Trenutačni broj\n\r  detektora",
    .currentNumber = L"Trenutačni broj detektora ",
    .enterNewNumber = L". Unesite novi broj",
    .emptyValue = L"Unesena je prazna vrijednost",
    .btChangeAddr = L"Promijeni broj",
    .lbAddr = L"Promjena jedinstvenog broja",
    .btOk = L"Potvrdi",
    .btCancel = L"Odustani",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"Pokrenuti čarobnjak za podešavanje?",
    .yes = L"&Da",
    .no = L"&Ne",
    .wizardTitle = L"Čarobnjak za podešavanje",
    .stepChooseSensor = L"Odaberite detektor",
    .stepSetNumber = L"Postavite jedinstveni broj",
    .step = L"Korak ",
    .stepChooseSensorHelp =
        L"   Za početak podešavanja odaberite broj detektora s padajućeg popisa u prozoru desno.\n\r\n\r\n\r"
        L"   Nakon odabira broja kliknite  \"Next\".",
    .stepSetNumberHelp =
        L"   Svi detektori tvornički imaju broj nula (logički broj). Preporučujemo postaviti vrijednost od 1 do "
        L"31.\n\r\n\r"
        L"   Provjerite je li na liniju spojen samo jedan uređaj s brojem nula.\n\r\n\r\n\r"
        L"   Nakon promjene broja kliknite  \"Next\".",
    .sensorsOnLine = L"Broj detektora na liniji - ",
    .stepPowerHelp =
        L"   Provjerite je li napon napajanja u prozoru desno u dopuštenom rasponu od 9 do 30 V.\n\r\n\r"
        L"   Kliknite \"Back\" za povratak.\n\r"
        L"   Kliknite \"Next\" za nastavak.",
    .stepPowerTitle = L"Provjera napajanja prijamnika",
    .powerNormal = L"Napajanje prijamnika je normalno",
    .powerNearLimit = L"Napajanje prijamnika blizu je dopuštene granice",
    .powerFault = L"Napajanje prijamnika izvan je dopuštenog raspona",
    .stepLetterTitle = L"Provjera slova prijamnika",
    .stepLetterHelp =
        L"   Provjerite ima li odašiljač isto slovo kao prijamnik. Slovo se prikazuje u prozoru desno.\n\r"
        L"   Za ispravno postavljanje slova uključite (ON) samo jedan mikroprekidač.\n\r\n\r"
        L"   Ako trebate promijeniti slovo, isključite napajanje odašiljača i prijamnika i ponovno pokrenite "
        L"program.\n\r\n\r"
        L"   Kliknite \"Back\" za povratak.\n\r"
        L"   Kliknite \"Next\" za nastavak.",
    .stepLetterHelpChange =
        L"   Provjerite ima li odašiljač isto slovo kao prijamnik. Slovo se prikazuje u prozoru desno.\n\r"
        L"   Ako trebate promijeniti slovo, isključite napajanje odašiljača i prijamnika i ponovno pokrenite "
        L"program.\n\r\n\r"
        L"   Kliknite \"Back\" za povratak.\n\r"
        L"   Kliknite \"Next\" za nastavak.",
    .letterWrong = L"Pogrešno slovo na prijamniku",
    .letterRight = L"Ispravno slovo na prijamniku",
    .stepSpeedTitle = L"Postavljanje brzine prelaska",
    .stepSpeedHelp =
        L"   U prozoru desno odaberite željenu brzinu prelaska.\n\r"
        L"   Manja brzina povećava otpornost na smetnje.\n\r"
        L"   Primjeri odabira brzine prelaska:\n\r"
        L"   Ugradnja na vrh ograde – 0,1...1 m/s.\n\r"
        L"   Zona između ograde i prepreke – 0,1...4 m/s.\n\r"
        L"   Otvoreni prostor – 0,1...10 m/s.\n\r\n\r"
        L"   Kliknite \"Back\" za povratak.\n\r"
        L"   Kliknite \"Next\" za nastavak.",
    .stepAdjustTitle = L"Usmjeravanje detektora",
    .stepAdjustHelp =
        L"   Usmjerite detektor sljedećim postupkom.\n\r"
        L"   Polaganim okretanjem, jednog pa drugog, odašiljača i prijamnika jednog prema drugome u vodoravnoj i "
        L"okomitoj ravnini postignite najveću vrijednost signala.\n\r"
        L"   Ako je vrijednost signala manja od 0,6 V, provjerite zadovoljava li lokacija zahtjeve iz korisničkog "
        L"priručnika i ponovite usmjeravanje. Ako je vrijednost signala veća od 2,7 V, otklonite odašiljač i "
        L"prijamnik prema gore za mali kut tako da signal bude u granicama od 2,5 do 2,7 V. Otklanjanje prema dolje "
        L"i u stranu nije dopušteno.",
    .stepThresholdTitle = L"Postavljanje praga okidanja",
    .stepThresholdHelp =
        L"   Postavite prag okidanja detektora.\n\r"
        L"   Dopušteni raspon praga okidanja je od 1 do 2,5 V.\n\r"
        L"   Prag podesite kontrolnim prolascima kroz štićeno područje.\n\r"
        L"   Pri alarmu ljestvica desno postaje crvena. Ako pri prolasku nema alarma, smanjite vrijednost praga i "
        L"ponovite prolazak.\n\r"
        L"   Prag postavite tipkama \"+\" i  \"-\" ili klikom na ljestvicu na ploči desno.",
    .uniqueNumber = L"Jedinstveni broj ",
    .helpBackNext = L"\n\r   Kliknite \"Back\" za povratak.\n\r   Kliknite \"Next\" za nastavak.",
    .helpNext = L"\n\r   Kliknite \"Next\" za nastavak.",
    .next = L"Next",
    .helpBackDone = L"\n\r   Kliknite \"Back\" za povratak.\n\r   Kliknite \"Done\" za izlaz.",
    .done = L"Done",
    .setupComplete = L"Podešavanje je uspješno dovršeno. Kliknite OK za prelazak u stanje pripravnosti.",
    .clickDone = L"Kliknite \"Done\" za izlaz.",
    .toAdjustMode = L"Prelazak u način usmjeravanja…",
    .toThresholdMode = L"Switching to threshold mode…",
    .thresholdChange = L"Promjena praga…",
    .btBack = L"Back",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"",
    .linkLost = L"Pogreška u komunikaciji",
};

}  // namespace languages
