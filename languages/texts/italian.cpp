#include "languages/texts/fulltexts.h"

namespace languages {

const FullTexts kItalianTexts = {
    .sLabel1 = L"Informazioni sul sensore",
    .lbAddress = L"Numero univoco\r\ndel sensore",
    .lbAddress2 = L"È possibile scegliere il numero del sensore desiderato sulla linea",
    .oneSensor = L"Un sensore collegato",
    .lbStepAddress2 = L"Scegliere il numero del sensore desiderato sulla linea",
    .lbRxPower = L"Alimentazione\r\nricevitore (V)",
    .lbRxPower2 = L"Intervallo ammesso della tensione di alimentazione:\n\rda 9 V a 30 V",
    .lbLetter = L"Lettera",
    .lbLetter2 = L"La lettera del ricevitore deve essere uguale a quella del trasmettitore",
    .sLabel7 = L"Pannello di configurazione del sensore",
    .lbUst = L"Livello del segnale\r\ndi ingresso",
    .lbTres = L"Valore della soglia\r\ndi intervento",
    .lbSpeed = L"Velocità di\r\nattraversamento\r\ndella zona",
    .lbSpeed2 = L"0,1...1 m/s – installazione sulla sommità della recinzione.\r\n0,1...4 m/s – zona tra la recinzione e "
                L"l'ostacolo.\r\n0,1...10 m/s – area aperta.",
    .lbWaitTres = L"Impostazione della soglia…",
    .lbCountDevice = L"Trovati : 0",
    .adjustHelp = L"Ruotando lentamente il trasmettitore e il ricevitore l'uno verso l'altro raggiungere il valore "
                  L"massimo",
    .thresholdHelp = L"Impostare la soglia ottimale con i pulsanti \"+\" e \"-\" o facendo clic sulla scala",
    .companyLine = L"OOO Morvelta",
    .stateNorm = L"Norm",
    .stateOk = L"Ok",
    .stateAlarm = L"Allarme",
    .foundPrefix = L"Trovati : ",
    .sensorFound = L"Sensore trovato",
    .noSensors = L"Nessun sensore collegato. Controllare l'alimentazione del ricevitore.",
    .sLabel3 = L"Configurazione del sensore",
    .sLabel2 = L"Regolazione in corso del livello massimo del segnale di ingresso del ricevitore e della soglia di "
               L"intervento del sensore.",
    .sButton1 = L"Avvia la configurazione",
    .btNext = L"Continua la configurazione",
    .btCloseSetting = L"Esci dalla configurazione",
    .searching = L"Ricerca dei sensori collegati",
    .letterHint = L"Impostare la lettera con l'alimentazione del trasmettitore e del ricevitore spenta",
    .thresholdHint = L"Regolare la soglia eseguendo passaggi di prova nell'area protetta",
    .noiseNormal = L"Livello di rumore normale",
    .alarmAlarm = L"Allarme! Allarme!",
    .noTransmitter = L"Nessuna comunicazione con il trasmettitore. Controllare l'alimentazione e la lettera del "
                     L"trasmettitore",
    .noiseHigh = L"Rumore elevato! Cercare la causa",
    .noSignal = L"Nessun segnale. Orientare il trasmettitore e il ricevitore l'uno verso l'altro per aumentare il "
                L"segnale.",
    .signalTooLow = L"Livello del segnale inferiore al consentito. Orientare il trasmettitore e il ricevitore l'uno "
                    L"verso l'altro per aumentare il segnale.",
    .signalLowDanger = L"Livello del segnale nella zona critica. Orientare il trasmettitore e il ricevitore l'uno verso "
                       L"l'altro per aumentare il segnale.",
    .latestVersion = L"È installata l'ultima versione del programma",
    .newVersion = L"È disponibile una nuova versione. Fare clic per aggiornare il programma",
    .signalNormal = L"Ruotando lentamente il trasmettitore e il ricevitore l'uno verso l'altro raggiungere il valore "
                    L"massimo.",
    .signalHighDanger = L"Livello del segnale nella zona critica dell'intervallo consentito. Disallineare leggermente il "
                        L"trasmettitore verso l'alto",
    .signalTooHigh = L"Livello del segnale superiore al consentito. Disallineare leggermente il trasmettitore verso "
                     L"l'alto",
    .currentNumberLabel = L"Numero attuale\n\r  del sensore",
    .currentNumber = L"Numero attuale del sensore ",
    .enterNewNumber = L". Inserire il nuovo numero",
    .emptyValue = L"È stato inserito un valore vuoto",
    .btChangeAddr = L"Cambia il numero",
    .lbAddr = L"Cambio del numero univoco",
    .btOk = L"Conferma",
    .btCancel = L"Annulla",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"Avviare la configurazione guidata?",
    .yes = L"&Sì",
    .no = L"&No",
    .wizardTitle = L"Procedura guidata di configurazione",
    .stepChooseSensor = L"Scegliere il sensore",
    .stepSetNumber = L"Impostare il numero univoco",
    .step = L"Passo ",
    .stepChooseSensorHelp =
        L"   Per iniziare la configurazione, scegliere il numero del sensore nell'elenco a discesa nella finestra a "
        L"destra.\n\r\n\r\n\r"
        L"   Dopo aver scelto il numero, fare clic su  \"Avanti\".",
    .stepSetNumberHelp =
        L"   Tutti i sensori hanno per impostazione predefinita il numero zero (numero logico). Si consiglia di "
        L"impostare un valore da 1 a 31.\n\r\n\r"
        L"   Assicurarsi che alla linea sia collegato un solo dispositivo con il numero zero.\n\r\n\r\n\r"
        L"   Dopo aver cambiato il numero, fare clic su  \"Avanti\".",
    .sensorsOnLine = L"Numero di sensori sulla linea - ",
    .stepPowerHelp =
        L"   Verificare che la tensione di alimentazione nella finestra a destra rientri nell'intervallo ammesso da 9 "
        L"a 30 V.\n\r\n\r"
        L"   Fare clic su \"Indietro\" per tornare.\n\r"
        L"   Fare clic su \"Avanti\" per continuare.",
    .stepPowerTitle = L"Alimentazione del ricevitore",
    .powerNormal = L"Alimentazione del ricevitore normale",
    .powerNearLimit = L"Alimentazione del ricevitore vicina al limite ammesso",
    .powerFault = L"Alimentazione del ricevitore fuori dall'intervallo ammesso",
    .stepLetterTitle = L"Controllo della lettera del ricevitore",
    .stepLetterHelp =
        L"   Verificare che il trasmettitore abbia la stessa lettera del ricevitore. La lettera è visualizzata nella "
        L"finestra a destra.\n\r"
        L"   Portare su ON un solo microinterruttore per impostare correttamente la lettera.\n\r\n\r"
        L"   Per cambiare la lettera, scollegare l'alimentazione del trasmettitore e del ricevitore e riavviare il "
        L"programma.\n\r\n\r"
        L"   Fare clic su \"Indietro\" per tornare.\n\r"
        L"   Fare clic su \"Avanti\" per continuare.",
    .stepLetterHelpChange =
        L"   Verificare che il trasmettitore abbia la stessa lettera del ricevitore. La lettera è visualizzata nella "
        L"finestra a destra.\n\r"
        L"   Per cambiare la lettera, scollegare l'alimentazione del trasmettitore e del ricevitore e riavviare il "
        L"programma.\n\r\n\r"
        L"   Fare clic su \"Indietro\" per tornare.\n\r"
        L"   Fare clic su \"Avanti\" per continuare.",
    .letterWrong = L"Lettera errata sul ricevitore",
    .letterRight = L"Lettera corretta sul ricevitore",
    .stepSpeedTitle = L"Velocità di attraversamento",
    .stepSpeedHelp =
        L"   Scegliere la velocità di attraversamento desiderata nella finestra a destra.\n\r"
        L"   Una velocità minore aumenta l'immunità ai disturbi.\n\r"
        L"   Esempi di scelta della velocità di attraversamento:\n\r"
        L"   Installazione sulla sommità della recinzione – 0,1...1 m/s.\n\r"
        L"   Zona tra la recinzione e l'ostacolo – 0,1...4 m/s.\n\r"
        L"   Area aperta – 0,1...10 m/s.\n\r\n\r"
        L"   Fare clic su \"Indietro\" per tornare.\n\r"
        L"   Fare clic su \"Avanti\" per continuare.",
    .stepAdjustTitle = L"Allineamento del sensore",
    .stepAdjustHelp =
        L"   Allineare il sensore con la seguente procedura.\n\r"
        L"   Ruotando lentamente, uno alla volta, il trasmettitore e il ricevitore l'uno verso l'altro nei piani "
        L"orizzontale e verticale, raggiungere il valore massimo del segnale.\n\r"
        L"   Se il valore del segnale è inferiore a 0,6 V, verificare che il sito soddisfi i requisiti del manuale "
        L"d'uso e ripetere l'allineamento. Se il valore del segnale è superiore a 2,7 V, disallineare il trasmettitore "
        L"e il ricevitore verso l'alto di un piccolo angolo in modo che il segnale sia compreso tra 2,5 e 2,7 V. Non è "
        L"consentito disallineare verso il basso o lateralmente.",
    .stepThresholdTitle = L"Soglia di intervento",
    .stepThresholdHelp =
        L"   Impostare la soglia di intervento del sensore.\n\r"
        L"   L'intervallo ammesso della soglia di intervento va da 1 a 2,5 V.\n\r"
        L"   Regolare la soglia eseguendo passaggi di prova nell'area protetta.\n\r"
        L"   In caso di allarme la scala a destra diventa rossa. Se un passaggio non provoca allarme, ridurre il valore "
        L"della soglia e ripetere il passaggio.\n\r"
        L"   Impostare la soglia con i pulsanti \"+\" e  \"-\" o facendo clic sulla scala del pannello a destra.",
    .uniqueNumber = L"Numero univoco ",
    .helpBackNext = L"\n\r   Fare clic su \"Indietro\" per tornare.\n\r   Fare clic su \"Avanti\" per continuare.",
    .helpNext = L"\n\r   Fare clic su \"Avanti\" per continuare.",
    .next = L"Avanti",
    .helpBackDone = L"\n\r   Fare clic su \"Indietro\" per tornare.\n\r   Fare clic su \"Fatto\" per uscire.",
    .done = L"Fatto",
    .setupComplete = L"Configurazione completata correttamente. Fare clic su OK per passare alla modalità di attesa.",
    .clickDone = L"Fare clic su \"Fatto\" per uscire.",
    .toAdjustMode = L"Passaggio alla modalità di allineamento…",
    .toThresholdMode = L"Passaggio alla modalità soglia…",
    .thresholdChange = L"Modifica della soglia…",
    .btBack = L"Indietro",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"",
    .linkLost = L"Errore di comunicazione",
};

}  // namespace languages
