#include "languages/texts/fulltexts.h"

namespace languages {

// Serbian in Latin script.
const FullTexts kSerbianTexts = {
    .sLabel1 = L"O detektoru",
    .lbAddress = L"Jedinstveni broj\r\ndetektora",
    .lbAddress2 = L"Možete izabrati potreban broj detektora na liniji",
    .oneSensor = L"Povezan je jedan detektor",
    .lbStepAddress2 = L"Izaberite potreban broj detektora na liniji",
    .lbRxPower = L"Napon napajanja\r\nna prijemniku (V)",
    .lbRxPower2 = L"Dozvoljeni opseg napona napajanja:\n\rod 9 V do 30 V",
    .lbLetter = L"Slovo",
    .lbLetter2 = L"Slovo kanala na prijemniku mora biti isto kao na predajniku",
    .sLabel7 = L"Panel za podešavanje detektora",
    .lbUst = L"Nivo ulaznog\r\nsignala",
    .lbTres = L"Vrednost praga\r\nokidanja",
    .lbSpeed = L"Brzina prelaska\r\nzone detekcije",
    .lbSpeed2 = L"0,1...1 m/s – montaža na vrhu ograde.\r\n0,1...4 m/s – zona između ograde i prepreke.\r\n"
                L"0,1...10 m/s – otvoren prostor.",
    .lbWaitTres = L"Podešavanje praga…",
    .lbCountDevice = L"Pronađeno : 0",
    .adjustHelp = L"Polako okrećući predajnik i prijemnik jedan prema drugom postignite najveću vrednost",
    .thresholdHelp = L"Podesite optimalni prag tasterima \"+\" i \"-\" ili klikom na skalu",
    .companyLine = L"OOO Morvelta",
    .stateNorm = L"Normalno",
    .stateOk = L"U redu",
    .stateAlarm = L"Alarm",
    .foundPrefix = L"Pronađeno : ",
    .sensorFound = L"Detektor je pronađen",
    .noSensors = L"Nema povezanih detektora. Proverite napajanje prijemnika.",
    .sLabel3 = L"Podešavanje detektora",
    .sLabel2 = L"U toku je podešavanje najvećeg nivoa ulaznog signala prijemnika i praga okidanja detektora.",
    .sButton1 = L"Pokreni podešavanje",
    .btNext = L"Nastavi podešavanje",
    .btCloseSetting = L"Izađi iz podešavanja",
    .searching = L"Traženje povezanih detektora",
    .letterHint = L"Slovo podešavajte dok je napajanje predajnika i prijemnika isključeno",
    .thresholdHint = L"Prag podesite kontrolnim prolascima kroz štićenu zonu",
    .noiseNormal = L"Nivo šuma je normalan",
    .alarmAlarm = L"Alarm! Alarm!",
    .noTransmitter = L"Nema veze sa predajnikom. Proverite napajanje i slovo predajnika",
    .noiseHigh = L"Visok šum! Pronađite uzrok",
    .noSignal = L"Nema signala. Usmerite predajnik i prijemnik jedan prema drugom da biste pojačali signal.",
    .signalTooLow = L"Nivo signala je niži od dozvoljenog. Usmerite predajnik i prijemnik jedan prema drugom da biste "
                    L"pojačali signal.",
    .signalLowDanger = L"Nivo signala je u opasnoj zoni. Usmerite predajnik i prijemnik jedan prema drugom da biste "
                       L"pojačali signal.",
    .latestVersion = L"Instalirana je najnovija verzija programa",
    .newVersion = L"Dostupna je nova verzija. Kliknite da ažurirate program",
    .signalNormal = L"Polako okrećući predajnik i prijemnik jedan prema drugom postignite najveću vrednost.",
    .signalHighDanger = L"Nivo signala je u opasnoj zoni dozvoljenog opsega. Malo otklonite predajnik naviše",
    .signalTooHigh = L"Nivo signala je viši od dozvoljenog. Malo otklonite predajnik naviše",
    .currentNumberLabel = L"Trenutni broj\n\r  detektora",
    .currentNumber = L"Trenutni broj detektora ",
    .enterNewNumber = L". Unesite novi broj",
    .emptyValue = L"Uneta je prazna vrednost",
    .btChangeAddr = L"Promeni broj",
    .lbAddr = L"Promena jedinstvenog broja",
    .btOk = L"Potvrdi",
    .btCancel = L"Otkaži",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"Pokrenuti čarobnjak za podešavanje?",
    .yes = L"&Da",
    .no = L"&Ne",
    .wizardTitle = L"Čarobnjak za podešavanje",
    .stepChooseSensor = L"Izaberite detektor",
    .stepSetNumber = L"Podesite jedinstveni broj",
    .step = L"Korak ",
    .stepChooseSensorHelp =
        L"   Da biste započeli podešavanje, izaberite broj detektora sa padajuće liste u prozoru desno.\n\r\n\r\n\r"
        L"   Kada izaberete broj, kliknite na  \"Dalje\".",
    .stepSetNumberHelp =
        L"   Svi detektori fabrički imaju broj nula (logički broj). Preporučujemo da podesite vrednost od 1 do 31.\n\r\n\r"
        L"   Uverite se da je na liniju povezan samo jedan uređaj sa brojem nula.\n\r\n\r\n\r"
        L"   Kada promenite broj, kliknite na  \"Dalje\".",
    .sensorsOnLine = L"Broj detektora na liniji - ",
    .stepPowerHelp =
        L"   Uverite se da je napon napajanja u prozoru desno u dozvoljenom opsegu od 9 do 30 V.\n\r\n\r"
        L"   Kliknite na \"Nazad\" za povratak.\n\r"
        L"   Kliknite na \"Dalje\" za nastavak.",
    .stepPowerTitle = L"Provera napajanja prijemnika",
    .powerNormal = L"Napajanje prijemnika je normalno",
    .powerNearLimit = L"Napajanje prijemnika je blizu dozvoljene granice",
    .powerFault = L"Napajanje prijemnika je van dozvoljenog opsega",
    .stepLetterTitle = L"Provera slova prijemnika",
    .stepLetterHelp =
        L"   Uverite se da predajnik ima isto slovo kao prijemnik. Slovo se prikazuje u prozoru desno.\n\r"
        L"   Za ispravno podešavanje slova uključite (ON) samo jedan mikroprekidač.\n\r\n\r"
        L"   Ako treba da promenite slovo, isključite napajanje predajnika i prijemnika i ponovo pokrenite "
        L"program.\n\r\n\r"
        L"   Kliknite na \"Nazad\" za povratak.\n\r"
        L"   Kliknite na \"Dalje\" za nastavak.",
    .stepLetterHelpChange =
        L"   Uverite se da predajnik ima isto slovo kao prijemnik. Slovo se prikazuje u prozoru desno.\n\r"
        L"   Ako treba da promenite slovo, isključite napajanje predajnika i prijemnika i ponovo pokrenite "
        L"program.\n\r\n\r"
        L"   Kliknite na \"Nazad\" za povratak.\n\r"
        L"   Kliknite na \"Dalje\" za nastavak.",
    .letterWrong = L"Pogrešno slovo na prijemniku",
    .letterRight = L"Ispravno slovo na prijemniku",
    .stepSpeedTitle = L"Podešavanje brzine prelaska",
    .stepSpeedHelp =
        L"   U prozoru desno izaberite željenu brzinu prelaska.\n\r"
        L"   Manja brzina povećava otpornost na smetnje.\n\r"
        L"   Primeri izbora brzine prelaska:\n\r"
        L"   Montaža na vrhu ograde – 0,1...1 m/s.\n\r"
        L"   Zona između ograde i prepreke – 0,1...4 m/s.\n\r"
        L"   Otvoren prostor – 0,1...10 m/s.\n\r\n\r"
        L"   Kliknite na \"Nazad\" za povratak.\n\r"
        L"   Kliknite na \"Dalje\" za nastavak.",
    .stepAdjustTitle = L"Usmeravanje detektora",
    .stepAdjustHelp =
        L"   Usmerite detektor sledećim postupkom.\n\r"
        L"   Polako okrećući, jedan za drugim, predajnik i prijemnik jedan prema drugom u horizontalnoj i vertikalnoj "
        L"ravni postignite najveću vrednost signala.\n\r"
        L"   Ako je vrednost signala manja od 0,6 V, proverite da li lokacija ispunjava zahteve iz uputstva za "
        L"upotrebu i ponovite usmeravanje. Ako je vrednost signala veća od 2,7 V, otklonite predajnik i prijemnik "
        L"naviše za mali ugao tako da signal bude u granicama od 2,5 do 2,7 V. Otklanjanje naniže i u stranu nije "
        L"dozvoljeno.",
    .stepThresholdTitle = L"Podešavanje praga okidanja",
    .stepThresholdHelp =
        L"   Podesite prag okidanja detektora.\n\r"
        L"   Dozvoljeni opseg praga okidanja je od 1 do 2,5 V.\n\r"
        L"   Prag podesite kontrolnim prolascima kroz štićenu zonu.\n\r"
        L"   Pri alarmu skala desno postaje crvena. Ako pri prolasku nema alarma, smanjite vrednost praga i ponovite "
        L"prolazak.\n\r"
        L"   Prag podesite tasterima \"+\" i  \"-\" ili klikom na skalu na tabli desno.",
    .uniqueNumber = L"Jedinstveni broj ",
    .helpBackNext = L"\n\r   Kliknite na \"Nazad\" za povratak.\n\r   Kliknite na \"Dalje\" za nastavak.",
    .helpNext = L"\n\r   Kliknite na \"Dalje\" za nastavak.",
    .next = L"Dalje",
    .helpBackDone = L"\n\r   Kliknite na \"Nazad\" za povratak.\n\r   Kliknite na \"Gotovo\" za izlaz.",
    .done = L"Gotovo",
    .setupComplete = L"Podešavanje je uspešno završeno. Kliknite na OK za prelazak u režim pripravnosti.",
    .clickDone = L"Kliknite na \"Gotovo\" za izlaz.",
    .toAdjustMode = L"Prelazak u režim usmeravanja…",
    .toThresholdMode = L"Prelazak u režim praga…",
    .thresholdChange = L"Promena praga…",
    .btBack = L"Nazad",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"Prag",
    .linkLost = L"Greška u komunikaciji",
};

}  // namespace languages
