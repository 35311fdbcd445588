#include "languages/texts/fulltexts.h"

namespace languages {

const FullTexts kFrenchTexts = {
    .sLabel1 = L"À propos du détecteur",
    .lbAddress = L"Numéro unique\r\ndu détecteur",
    .lbAddress2 = L"Vous pouvez choisir le numéro du détecteur voulu sur la ligne",
    .oneSensor = L"Un détecteur connecté",
    .lbStepAddress2 = L"Choisissez le numéro du détecteur voulu sur la ligne",
    .lbRxPower = L"Tension d'alimentation\r\ndu récepteur (V)",
    .lbRxPower2 = L"Plage admise de la tension d'alimentation :\n\rde 9 V à 30 V",
    .lbLetter = L"Lettre",
    .lbLetter2 = L"La lettre du récepteur doit être identique à celle de l'émetteur",
    .sLabel7 = L"Panneau de configuration du détecteur",
    .lbUst = L"Niveau du signal\r\nd'entrée",
    .lbTres = L"Valeur du seuil\r\nde déclenchement",
    .lbSpeed = L"Vitesse de\r\nfranchissement\r\nde la zone",
    .lbSpeed2 = L"0,1...1 m/s – pose en haut de clôture.\r\n0,1...4 m/s – zone entre la clôture et l'obstacle.\r\n"
                L"0,1...10 m/s – terrain dégagé.",
    .lbWaitTres = L"Réglage du seuil…",
    .lbCountDevice = L"Trouvés : 0",
    .adjustHelp = L"Tournez lentement l'émetteur et le récepteur l'un vers l'autre pour obtenir la valeur maximale",
    .thresholdHelp = L"Réglez le seuil optimal avec les boutons \"+\" et \"-\" ou en cliquant sur l'échelle",
    .companyLine = L"OOO Morvelta",
    .stateNorm = L"Norme",
    .stateOk = L"Ok",
    .stateAlarm = L"Alarme",
    .foundPrefix = L"Trouvés : ",
    .sensorFound = L"Détecteur trouvé",
    .noSensors = L"Aucun détecteur connecté. Vérifiez l'alimentation du récepteur.",
    .sLabel3 = L"Configuration du détecteur",
    .sLabel2 = L"Réglage en cours du niveau maximal du signal d'entrée du récepteur et du seuil de déclenchement du "
               L"détecteur.",
    .sButton1 = L"Lancer la configuration",
    .btNext = L"Poursuivre la configuration",
    .btCloseSetting = L"Quitter la configuration",
    .searching = L"Recherche des détecteurs connectés",
    .letterHint = L"Réglez la lettre lorsque l'émetteur et le récepteur sont hors tension",
    .thresholdHint = L"Réglez le seuil en effectuant des passages de contrôle sur le site protégé",
    .noiseNormal = L"Niveau de bruit normal",
    .alarmAlarm = L"Alarme ! Alarme !",
    .noTransmitter = L"Pas de communication avec l'émetteur. Vérifiez l'alimentation et la lettre de l'émetteur",
    .noiseHigh = L"Bruit élevé ! Recherchez la cause",
    .noSignal = L"Pas de signal. Orientez l'émetteur et le récepteur l'un vers l'autre pour augmenter le signal.",
    .signalTooLow = L"Niveau du signal inférieur au minimum admis. Orientez l'émetteur et le récepteur l'un vers "
                    L"l'autre pour augmenter le signal.",
    .signalLowDanger = L"Niveau du signal en zone critique. Orientez l'émetteur et le récepteur l'un vers l'autre "
                       L"pour augmenter le signal.",
    .latestVersion = L"La dernière version du programme est installée",
    .newVersion = L"Une nouvelle version est disponible. Cliquez pour mettre à jour le programme",
    .signalNormal = L"Tournez lentement l'émetteur et le récepteur l'un vers l'autre pour obtenir la valeur maximale.",
    .signalHighDanger = L"Niveau du signal en zone critique de la plage admise. Désalignez légèrement l'émetteur vers "
                        L"le haut",
    .signalTooHigh = L"Niveau du signal supérieur au maximum admis. Désalignez légèrement l'émetteur vers le haut",
    .currentNumberLabel = L"Numéro actuel\n\r du détecteur",
    .currentNumber = L"Numéro actuel du détecteur ",
    .enterNewNumber = L". Saisissez le nouveau numéro",
    .emptyValue = L"Valeur vide saisie",
    .btChangeAddr = L"Changer le numéro",
    .lbAddr = L"Changement du numéro unique",
    .btOk = L"Confirmer",
    .btCancel = L"Annuler",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"Lancer l'assistant de configuration ?",
    .yes = L"&Oui",
    .no = L"&Non",
    .wizardTitle = L"Assistant de configuration",
    .stepChooseSensor = L"Choisissez le détecteur",
    .stepSetNumber = L"Attribuez le numéro unique",
    .step = L"Étape ",
    .stepChooseSensorHelp =
        L"   Pour commencer la configuration, choisissez le numéro du détecteur dans la liste déroulante de la "
        L"fenêtre de droite.\n\r\n\r\n\r"
        L"   Une fois le numéro choisi, cliquez sur  \"Suivant\".",
    .stepSetNumberHelp =
        L"   Par défaut, tous les détecteurs portent le numéro zéro (numéro logique). Nous recommandons une valeur "
        L"de 1 à 31.\n\r\n\r"
        L"   Assurez-vous qu'un seul appareil portant le numéro zéro est connecté à la ligne.\n\r\n\r\n\r"
        L"   Une fois le numéro changé, cliquez sur  \"Suivant\".",
    .sensorsOnLine = L"Nombre de détecteurs sur la ligne - ",
    .stepPowerHelp =
        L"   Vérifiez que la tension d'alimentation affichée dans la fenêtre de droite se trouve dans la plage admise "
        L"de 9 à 30 V.\n\r\n\r"
        L"   Cliquez sur \"Précédent\" pour revenir.\n\r"
        L"   Cliquez sur \"Suivant\" pour continuer.",
    .stepPowerTitle = L"Vérifiez l'alimentation du récepteur",
    .powerNormal = L"Alimentation du récepteur normale",
    .powerNearLimit = L"Alimentation du récepteur proche de la limite admise",
    .powerFault = L"Alimentation du récepteur hors de la plage admise",
    .stepLetterTitle = L"Vérifiez la lettre du récepteur",
    .stepLetterHelp =
        L"   Vérifiez que l'émetteur porte la même lettre que le récepteur. La lettre est affichée dans la fenêtre "
        L"de droite.\n\r"
        L"   Ne mettez qu'un seul micro-interrupteur sur ON pour régler correctement la lettre.\n\r\n\r"
        L"   Pour changer la lettre, coupez l'alimentation de l'émetteur et du récepteur, puis redémarrez le "
        L"programme.\n\r\n\r"
        L"   Cliquez sur \"Précédent\" pour revenir.\n\r"
        L"   Cliquez sur \"Suivant\" pour continuer.",
    .stepLetterHelpChange =
        L"   Vérifiez que l'émetteur porte la même lettre que le récepteur. La lettre est affichée dans la fenêtre "
        L"de droite.\n\r"
        L"   Pour changer la lettre, coupez l'alimentation de l'émetteur et du récepteur, puis redémarrez le "
        L"programme.\n\r\n\r"
        L"   Cliquez sur \"Précédent\" pour revenir.\n\r"
        L"   Cliquez sur \"Suivant\" pour continuer.",
    .letterWrong = L"Lettre incorrecte sur le récepteur",
    .letterRight = L"Lettre correcte sur le récepteur",
    .stepSpeedTitle = L"Réglez la vitesse de franchissement",
    .stepSpeedHelp =
        L"   Choisissez la vitesse de franchissement voulue dans la fenêtre de droite.\n\r"
        L"   Une vitesse plus faible augmente l'immunité aux perturbations.\n\r"
        L"   Exemples de choix de la vitesse de franchissement :\n\r"
        L"   Pose en haut de clôture – 0,1...1 m/s.\n\r"
        L"   Zone entre la clôture et l'obstacle – 0,1...4 m/s.\n\r"
        L"   Terrain dégagé – 0,1...10 m/s.\n\r\n\r"
        L"   Cliquez sur \"Précédent\" pour revenir.\n\r"
        L"   Cliquez sur \"Suivant\" pour continuer.",
    .stepAdjustTitle = L"Alignement du détecteur",
    .stepAdjustHelp =
        L"   Alignez le détecteur selon la procédure suivante.\n\r"
        L"   Tournez lentement, l'un après l'autre, l'émetteur et le récepteur l'un vers l'autre dans les plans "
        L"horizontal et vertical pour obtenir la valeur maximale du signal.\n\r"
        L"   Si la valeur du signal est inférieure à 0,6 V, vérifiez que le site répond aux exigences du manuel "
        L"d'utilisation et recommencez l'alignement. Si la valeur du signal dépasse 2,7 V, désalignez l'émetteur et "
        L"le récepteur vers le haut d'un petit angle pour que le signal reste entre 2,5 et 2,7 V. Le désalignement "
        L"vers le bas ou sur les côtés n'est pas autorisé.",
    .stepThresholdTitle = L"Réglage du seuil de déclenchement",
    .stepThresholdHelp =
        L"   Réglez le seuil de déclenchement du détecteur.\n\r"
        L"   La plage admise du seuil de déclenchement va de 1 à 2,5 V.\n\r"
        L"   Réglez le seuil en effectuant des passages de contrôle sur le site protégé.\n\r"
        L"   En cas d'alarme, l'échelle de droite devient rouge. Si un passage ne déclenche pas d'alarme, diminuez la "
        L"valeur du seuil et recommencez le passage.\n\r"
        L"   Réglez le seuil avec les boutons \"+\" et  \"-\" ou en cliquant sur l'échelle du panneau de droite.",
    .uniqueNumber = L"Numéro unique ",
    .helpBackNext = L"\n\r   Cliquez sur \"Précédent\" pour revenir.\n\r   Cliquez sur \"Suivant\" pour continuer.",
    .helpNext = L"\n\r   Cliquez sur \"Suivant\" pour continuer.",
    .next = L"Suivant",
    .helpBackDone = L"\n\r   Cliquez sur \"Précédent\" pour revenir.\n\r   Cliquez sur \"Fait\" pour quitter.",
    .done = L"Fait",
    .setupComplete = L"Configuration terminée avec succès. Cliquez sur OK pour passer en mode surveillance.",
    .clickDone = L"Cliquez sur \"Fait\" pour quitter.",
    .toAdjustMode = L"Passage en mode alignement…",
    .toThresholdMode = L"Passage en mode seuil…",
    .thresholdChange = L"Changement du seuil…",
    .btBack = L"Précédent",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"Seuil",
    .linkLost = L"Erreur de communication",
};

}  // namespace languages
