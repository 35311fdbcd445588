#include "languages/texts/fulltexts.h"

namespace languages {

const FullTexts kCzechTexts = {
    .sLabel1 = L"O detektoru",
    .lbAddress = L"Jedinečné číslo\r\ndetektoru",
    .lbAddress2 = L"Můžete zvolit potřebné číslo detektoru na lince",
    .oneSensor = L"Připojen jeden detektor",
    .lbStepAddress2 = L"Zvolte potřebné číslo detektoru na lince",
    .lbRxPower = L"Napájecí napětí\r\nna přijímači (V)",
    .lbRxPower2 = L"Povolený rozsah napájecího napětí:\n\rod 9 V do 30 V",
    .lbLetter = L"Písmeno",
    .lbLetter2 = L"Písmeno kanálu na přijímači musí být stejné jako na vysílači",
    .sLabel7 = L"Panel nastavení detektoru",
    .lbUst = L"Úroveň vstupního\r\nsignálu",
    .lbTres = L"Hodnota prahu\r\npoplachu",
    .lbSpeed = L"Rychlost překonání\r\nhlídané zóny",
    .lbSpeed2 = L"0,1...1 m/s – instalace na horní hraně plotu.\r\n0,1...4 m/s – zóna mezi plotem a překážkou.\r\n"
                L"0,1...10 m/s – otevřený prostor.",
    .lbWaitTres = L"Nastavení prahu…",
    .lbCountDevice = L"Nalezeno : 0",
    .adjustHelp = L"Pomalým natáčením vysílače a přijímače proti sobě dosáhněte maximální hodnoty",
    .thresholdHelp = L"Nastavte optimální práh tlačítky \"+\" a \"-\" nebo kliknutím na stupnici",
    .companyLine = L"\"Morvelta\" s.r.o.",
    .stateNorm = L"Hodnota v pořádku",
    .stateOk = L"Všechno v pořádku",
    .stateAlarm = L"Poplach",
    .foundPrefix = L"Nalezeno : ",
    .sensorFound = L"Detektor nalezen",
    .noSensors = L"Nejsou připojeny žádné detektory. Zkontrolujte napájení přijímače.",
    .sLabel3 = L"Nastavení detektoru",
    .sLabel2 = L"Probíhá nastavení maximální úrovně vstupního signálu přijímače a prahu poplachu detektoru.",
    .sButton1 = L"Zahájit nastavení",
    .btNext = L"Pokračovat v nastavení",
    .btCloseSetting = L"Ukončit nastavení",
    .searching = L"Hledání připojených detektorů",
    .letterHint = L"Písmeno nastavujte při vypnutém napájení vysílače a přijímače",
    .thresholdHint = L"Práh nastavte pomocí kontrolních průchodů hlídaným úsekem",
    .noiseNormal = L"Normální úroveň šumu",
    .alarmAlarm = L"Poplach! Poplach!",
    .noTransmitter = L"Žádné spojení s vysílačem. Zkontrolujte napájení a písmeno vysílače",
    .noiseHigh = L"Vysoký šum! Najděte příčinu",
    .noSignal = L"Žádný signál. Natočte vysílač a přijímač proti sobě, aby se signál zvýšil.",
    .signalTooLow = L"Úroveň signálu je nižší než povolená. Natočte vysílač a přijímač proti sobě, aby se signál "
                    L"zvýšil.",
    .signalLowDanger = L"Úroveň signálu je v nebezpečné zóně. Natočte vysílač a přijímač proti sobě, aby se signál "
                       L"zvýšil.",
    .latestVersion = L"Je nainstalována nejnovější verze programu",
    .newVersion = L"Je k dispozici nová verze. Klikněte pro aktualizaci programu",
    .signalNormal = L"Pomalým natáčením vysílače a přijímače proti sobě dosáhněte maximální hodnoty.",
    .signalHighDanger = L"Úroveň signálu je v nebezpečné zóně povoleného rozsahu. Vysílač mírně odkloňte nahoru",
    .signalTooHigh = L"Úroveň signálu je vyšší než povolená. Vysílač mírně odkloňte nahoru",
    .currentNumberLabel = L"Aktuální číslo\n\r  detektoru",
    .currentNumber = L"Aktuální číslo detektoru ",
    .enterNewNumber = L". Zadejte nové číslo",
    .emptyValue = L"Byla zadána prázdná hodnota",
    .btChangeAddr = L"Změnit číslo",
    .lbAddr = L"Změna jedinečného čísla",
    .btOk = L"Potvrdit",
    .btCancel = L"Zrušit",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"Spustit průvodce nastavením?",
    .yes = L"&Ano",
    .no = L"&Ne",
    .wizardTitle = L"Průvodce nastavením",
    .stepChooseSensor = L"Zvolte detektor",
    .stepSetNumber = L"Nastavte jedinečné číslo",
    .step = L"Krok ",
    .stepChooseSensorHelp =
        L"   Nastavení detektoru zahájíte zvolením čísla detektoru v rozbalovacím seznamu v okně vpravo.\n\r\n\r\n\r"
        L"   Po změně čísla klikněte na  \"Dále\".",
    .stepSetNumberHelp =
        L"   Všechny detektory mají ve výchozím stavu číslo nula (logické číslo). Doporučujeme nastavit hodnotu "
        L"od 1 do 31.\n\r\n\r"
        L"   Ujistěte se, že je k lince připojeno jen jedno zařízení s číslem nula.\n\r\n\r\n\r"
        L"   Po změně čísla klikněte na  \"Dále\".",
    .sensorsOnLine = L"Počet detektorů na lince - ",
    .stepPowerHelp =
        L"   Ujistěte se, že hodnota napájení v okně vpravo je v povoleném rozsahu od 9 do 30 V.\n\r\n\r"
        L"   Klikněte na \"Zpět\" pro návrat.\n\r"
        L"   Klikněte na \"Dále\" pro pokračování.",
    .stepPowerTitle = L"Kontrola napájení přijímače",
    .powerNormal = L"Napájení přijímače v pořádku",
    .powerNearLimit = L"Napájení přijímače je blízko povolené meze",
    .powerFault = L"Napájení přijímače mimo povolený rozsah",
    .stepLetterTitle = L"Kontrola písmena přijímače",
    .stepLetterHelp =
        L"   Ujistěte se, že vysílač má stejné písmeno jako přijímač. Písmeno se zobrazuje v okně vpravo.\n\r"
        L"   Pro správné nastavení písmena zapněte (ON) jen jeden mikrospínač.\n\r\n\r"
        L"   Chcete-li písmeno změnit, odpojte napájení vysílače a přijímače a spusťte program znovu.\n\r\n\r"
        L"   Klikněte na \"Zpět\" pro návrat.\n\r"
        L"   Klikněte na \"Dále\" pro pokračování.",
    .stepLetterHelpChange =
        L"   Ujistěte se, že vysílač má stejné písmeno jako přijímač. Písmeno se zobrazuje v okně vpravo.\n\r"
        L"   Chcete-li písmeno změnit, odpojte napájení vysílače a přijímače a spusťte program znovu.\n\r\n\r"
        L"   Klikněte na \"Zpět\" pro návrat.\n\r"
        L"   Klikněte na \"Dále\" pro pokračování.",
    .letterWrong = L"Nesprávné písmeno na přijímači",
    .letterRight = L"Správné písmeno na přijímači",
    .stepSpeedTitle = L"Nastavení rychlosti překonání",
    .stepSpeedHelp =
        L"   V okně vpravo zvolte požadovanou rychlost překonání.\n\r"
        L"   Nižší rychlost zvyšuje odolnost proti rušení.\n\r"
        L"   Příklady volby rychlosti překonání:\n\r"
        L"   Instalace na horní hraně plotu – 0,1...1 m/s.\n\r"
        L"   Zóna mezi plotem a překážkou – 0,1...4 m/s.\n\r"
        L"   Otevřený prostor – 0,1...10 m/s.\n\r\n\r"
        L"   Klikněte na \"Zpět\" pro návrat.\n\r"
        L"   Klikněte na \"Dále\" pro pokračování.",
    .stepAdjustTitle = L"Seřízení detektoru",
    .stepAdjustHelp =
        L"   Seřiďte detektor následujícím postupem.\n\r"
        L"   Pomalým natáčením vysílače a poté přijímače proti sobě ve vodorovné a svislé rovině dosáhněte "
        L"maximální hodnoty signálu.\n\r"
        L"   Je-li hodnota signálu nižší než 0,6 V, zkontrolujte, zda úsek splňuje požadavky uživatelské příručky, "
        L"a seřízení opakujte. Je-li hodnota signálu vyšší než 2,7 V, odkloňte vysílač a přijímač o malý úhel nahoru "
        L"tak, aby byl signál v mezích od 2,5 do 2,7 V. Odklonění dolů a do stran není dovoleno.",
    .stepThresholdTitle = L"Nastavení prahu poplachu",
    .stepThresholdHelp =
        L"   Nastavte práh poplachu detektoru.\n\r"
        L"   Povolený rozsah prahu poplachu je od 1 do 2,5 V.\n\r"
        L"   Práh nastavte pomocí kontrolních průchodů hlídaným úsekem.\n\r"
        L"   Při poplachu se stupnice vpravo zbarví červeně. Pokud průchod nevyvolá poplach, snižte hodnotu prahu a "
        L"průchod opakujte.\n\r"
        L"   Práh nastavte tlačítky \"+\" a  \"-\" nebo kliknutím na stupnici na panelu vpravo.",
    .uniqueNumber = L"Jedinečné číslo ",
    .helpBackNext = L"\n\r   Klikněte na \"Zpět\" pro návrat.\n\r   Klikněte na \"Dále\" pro pokračování.",
    .helpNext = L"\n\r   Klikněte na \"Dále\" pro pokračování.",
    .next = L"Dále",
    .helpBackDone = L"\n\r   Klikněte na \"Zpět\" pro návrat.\n\r   Klikněte na \"Připraveno\" pro ukončení.",
    .done = L"Připraveno",
    .setupComplete = L"Nastavení bylo úspěšně dokončeno. Klikněte na OK pro přechod do pohotovostního režimu.",
    .clickDone = L"Klikněte na \"Připraveno\" pro ukončení.",
    .toAdjustMode = L"Přepínání do režimu seřízení…",
    .toThresholdMode = L"Přepínání do režimu prahu…",
    .thresholdChange = L"Změna prahu…",
    .btBack = L"Zpět",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"úroveň prahu",
    .linkLost = L"Chyba komunikace",
};

}  // namespace languages
