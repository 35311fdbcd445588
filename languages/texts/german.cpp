#include "languages/texts/fulltexts.h"

namespace languages {

const FullTexts kGermanTexts = {
    .sLabel1 = L"Über den Melder",
    .lbAddress = L"Eindeutige Nummer\r\ndes Melders",
    .lbAddress2 = L"Sie können die gewünschte Meldernummer in der Linie wählen",
    .oneSensor = L"Ein Melder angeschlossen",
    .lbStepAddress2 = L"Wählen Sie die gewünschte Meldernummer in der Linie",
    .lbRxPower = L"Versorgungsspannung\r\nam Empfänger (V)",
    .lbRxPower2 = L"Zulässiger Bereich der Versorgungsspannung:\n\r9 V bis 30 V",
    .lbLetter = L"Kanalbuchstabe",
    .lbLetter2 = L"Der Kanalbuchstabe am Empfänger muss mit dem am Sender übereinstimmen",
    .sLabel7 = L"Konfigurationsfeld des Melders",
    .lbUst = L"Pegel des\r\nEingangssignals",
    .lbTres = L"Wert der\r\nAnsprechschwelle",
    .lbSpeed = L"Geschwindigkeit\r\nbeim Durchqueren\r\nder Zone",
    .lbSpeed2 = L"0,1...1 m/s – Montage auf der Zaunkrone.\r\n0,1...4 m/s – Zone zwischen Zaun und Hindernis.\r\n"
                L"0,1...10 m/s – offenes Gelände.",
    .lbWaitTres = L"Schwelle wird eingestellt…",
    .lbCountDevice = L"Gefunden : 0",
    .adjustHelp = L"Sender und Empfänger langsam zueinander drehen, bis der Höchstwert erreicht ist",
    .thresholdHelp = L"Stellen Sie die optimale Schwelle mit den Tasten \"+\" und \"-\" oder durch Klicken auf die "
                     L"Skala ein",
    .companyLine = L"OOO Morvelta",
    .stateNorm = L"Norm",
    .stateOk = L"OK",
    .stateAlarm = L"Alarm",
    .foundPrefix = L"Gefunden : ",
    .sensorFound = L"Melder gefunden",
    .noSensors = L"Keine Melder angeschlossen. Prüfen Sie die Stromversorgung des Empfängers.",
    .sLabel3 = L"Melderkonfiguration",
    .sLabel2 = L"Die Einstellung des maximalen Eingangssignalpegels des Empfängers und der Ansprechschwelle des "
               L"Melders läuft.",
    .sButton1 = L"Konfiguration starten",
    .btNext = L"Konfiguration fortsetzen",
    .btCloseSetting = L"Konfiguration beenden",
    .searching = L"Angeschlossene Melder werden gesucht",
    .letterHint = L"Stellen Sie den Kanalbuchstaben bei ausgeschalteter Versorgung von Sender und Empfänger ein",
    .thresholdHint = L"Stellen Sie die Schwelle mit Probebegehungen des geschützten Bereichs ein",
    .noiseNormal = L"Rauschpegel normal",
    .alarmAlarm = L"Alarm! Alarm!",
    .noTransmitter = L"Keine Verbindung zum Sender. Prüfen Sie die Stromversorgung und den Kanalbuchstaben des "
                     L"Senders",
    .noiseHigh = L"Starkes Rauschen! Suchen Sie die Ursache",
    .noSignal = L"Kein Signal. Richten Sie Sender und Empfänger aufeinander aus, um das Signal zu erhöhen.",
    .signalTooLow = L"Signalpegel unter dem zulässigen Wert. Richten Sie Sender und Empfänger aufeinander aus, um "
                    L"das Signal zu erhöhen.",
    .signalLowDanger = L"Signalpegel im kritischen Bereich. Richten Sie Sender und Empfänger aufeinander aus, um das "
                       L"Signal zu erhöhen.",
    .latestVersion = L"Die neueste Programmversion ist installiert",
    .newVersion = L"Eine neue Version ist verfügbar. Klicken Sie hier, um das Programm zu aktualisieren",
    .signalNormal = L"Sender und Empfänger langsam zueinander drehen, bis der Höchstwert erreicht ist.",
    .signalHighDanger = L"Signalpegel im kritischen Bereich des zulässigen Bandes. Sender leicht nach oben verstellen",
    .signalTooHigh = L"Signalpegel über dem zulässigen Wert. Sender leicht nach oben verstellen",
    .currentNumberLabel = L"Aktuelle Nummer\n\r   des Melders",
    .currentNumber = L"Aktuelle Meldernummer ",
    .enterNewNumber = L". Neue Nummer eingeben",
    .emptyValue = L"Leerer Wert eingegeben",
    .btChangeAddr = L"Nummer ändern",
    .lbAddr = L"Eindeutige Nummer ändern",
    .btOk = L"Bestätigen",
    .btCancel = L"Abbrechen",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"Einrichtungsassistenten starten?",
    .yes = L"&Ja",
    .no = L"&Nein",
    .wizardTitle = L"Einrichtungsassistent",
    .stepChooseSensor = L"Melder auswählen",
    .stepSetNumber = L"Eindeutige Nummer vergeben",
    .step = L"Schritt ",
    .stepChooseSensorHelp =
        L"   Um mit der Konfiguration zu beginnen, wählen Sie die Meldernummer in der Auswahlliste im Fenster "
        L"rechts.\n\r\n\r\n\r"
        L"   Klicken Sie nach der Auswahl der Nummer auf  \"Weiter\".",
    .stepSetNumberHelp =
        L"   Alle Melder haben ab Werk die Nummer null (logische Nummer). Wir empfehlen einen Wert von 1 bis 31.\n\r\n\r"
        L"   Achten Sie darauf, dass nur ein Gerät mit der Nummer null an der Linie angeschlossen ist.\n\r\n\r\n\r"
        L"   Klicken Sie nach dem Ändern der Nummer auf  \"Weiter\".",
    .sensorsOnLine = L"Anzahl der Melder in der Linie - ",
    .stepPowerHelp =
        L"   Vergewissern Sie sich, dass die Versorgungsspannung im Fenster rechts im zulässigen Bereich von 9 bis "
        L"30 V liegt.\n\r\n\r"
        L"   Klicken Sie auf \"Zurück\", um zurückzugehen.\n\r"
        L"   Klicken Sie auf \"Weiter\", um fortzufahren.",
    .stepPowerTitle = L"Versorgung des Empfängers prüfen",
    .powerNormal = L"Stromversorgung des Empfängers normal",
    .powerNearLimit = L"Stromversorgung des Empfängers nahe am zulässigen Grenzwert",
    .powerFault = L"Stromversorgung des Empfängers außerhalb des zulässigen Bereichs",
    .stepLetterTitle = L"Kanalbuchstaben des Empfängers prüfen",
    .stepLetterHelp =
        L"   Vergewissern Sie sich, dass der Sender denselben Kanalbuchstaben hat wie der Empfänger. Der Buchstabe "
        L"wird im Fenster rechts angezeigt.\n\r"
        L"   Schalten Sie nur einen DIP-Schalter auf ON, damit der Buchstabe richtig eingestellt ist.\n\r\n\r"
        L"   Um den Buchstaben zu ändern, trennen Sie Sender und Empfänger von der Stromversorgung und starten Sie "
        L"das Programm neu.\n\r\n\r"
        L"   Klicken Sie auf \"Zurück\", um zurückzugehen.\n\r"
        L"   Klicken Sie auf \"Weiter\", um fortzufahren.",
    .stepLetterHelpChange =
        L"   Vergewissern Sie sich, dass der Sender denselben Kanalbuchstaben hat wie der Empfänger. Der Buchstabe "
        L"wird im Fenster rechts angezeigt.\n\r"
        L"   Um den Buchstaben zu ändern, trennen Sie Sender und Empfänger von der Stromversorgung und starten Sie "
        L"das Programm neu.\n\r\n\r"
        L"   Klicken Sie auf \"Zurück\", um zurückzugehen.\n\r"
        L"   Klicken Sie auf \"Weiter\", um fortzufahren.",
    .letterWrong = L"Falscher Kanalbuchstabe am Empfänger",
    .letterRight = L"Richtiger Kanalbuchstabe am Empfänger",
    .stepSpeedTitle = L"Durchquerungsgeschwindigkeit einstellen",
    .stepSpeedHelp =
        L"   Wählen Sie die gewünschte Durchquerungsgeschwindigkeit im Fenster rechts.\n\r"
        L"   Eine niedrigere Geschwindigkeit erhöht die Störfestigkeit.\n\r"
        L"   Beispiele für die Wahl der Durchquerungsgeschwindigkeit:\n\r"
        L"   Montage auf der Zaunkrone – 0,1...1 m/s.\n\r"
        L"   Zone zwischen Zaun und Hindernis – 0,1...4 m/s.\n\r"
        L"   Offenes Gelände – 0,1...10 m/s.\n\r\n\r"
        L"   Klicken Sie auf \"Zurück\", um zurückzugehen.\n\r"
        L"   Klicken Sie auf \"Weiter\", um fortzufahren.",
    .stepAdjustTitle = L"Ausrichtung des Melders",
    .stepAdjustHelp =
        L"   Richten Sie den Melder wie folgt aus.\n\r"
        L"   Drehen Sie Sender und Empfänger nacheinander langsam in der horizontalen und vertikalen Ebene "
        L"zueinander, bis der höchste Signalwert erreicht ist.\n\r"
        L"   Liegt der Signalwert unter 0,6 V, prüfen Sie das Gelände auf die Anforderungen des Benutzerhandbuchs "
        L"und wiederholen Sie die Ausrichtung. Liegt der Signalwert über 2,7 V, verstellen Sie Sender und "
        L"Empfänger um einen kleinen Winkel nach oben, bis das Signal zwischen 2,5 und 2,7 V liegt. Ein Verstellen "
        L"nach unten oder zur Seite ist nicht zulässig.",
    .stepThresholdTitle = L"Einstellung der Ansprechschwelle",
    .stepThresholdHelp =
        L"   Stellen Sie die Ansprechschwelle des Melders ein.\n\r"
        L"   Der zulässige Bereich der Ansprechschwelle liegt zwischen 1 und 2,5 V.\n\r"
        L"   Stellen Sie die Schwelle mit Probebegehungen des geschützten Bereichs ein.\n\r"
        L"   Bei Alarm färbt sich die Skala rechts rot. Löst eine Durchquerung keinen Alarm aus, verringern Sie die "
        L"Schwelle und wiederholen Sie die Durchquerung.\n\r"
        L"   Stellen Sie die Schwelle mit den Tasten \"+\" und  \"-\" oder durch Klicken auf die Skala im Feld "
        L"rechts ein.",
    .uniqueNumber = L"Eindeutige Nummer ",
    .helpBackNext = L"\n\r   Klicken Sie auf \"Zurück\", um zurückzugehen.\n\r"
                    L"   Klicken Sie auf \"Weiter\", um fortzufahren.",
    .helpNext = L"\n\r   Klicken Sie auf \"Weiter\", um fortzufahren.",
    .next = L"Weiter",
    .helpBackDone = L"\n\r   Klicken Sie auf \"Zurück\", um zurückzugehen.\n\r"
                    L"   Klicken Sie auf \"Fertig\", um den Assistenten zu beenden.",
    .done = L"Fertig",
    .setupComplete = L"Konfiguration erfolgreich abgeschlossen. Klicken Sie auf OK, um in den Bereitschaftsmodus zu "
                     L"wechseln.",
    .clickDone = L"Klicken Sie auf \"Fertig\", um den Assistenten zu beenden.",
    .toAdjustMode = L"Wechsel in den Ausrichtmodus…",
    .toThresholdMode = L"Wechsel in den Schwellenmodus…",
    .thresholdChange = L"Schwelle wird geändert…",
    .btBack = L"Zurück",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"Ansprechschwelle",
    .linkLost = L"Kommunikationsfehler",
};

}  // namespace languages
