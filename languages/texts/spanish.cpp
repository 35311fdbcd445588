#include "languages/texts/fulltexts.h"

namespace languages {

const FullTexts kSpanishTexts = {
    .sLabel1 = L"Acerca del detector",
    .lbAddress = L"Número único\r\ndel detector",
    .lbAddress2 = L"Puede elegir el número de detector deseado en la línea",
    .oneSensor = L"Un detector conectado",
    .lbStepAddress2 = L"Elija el número de detector deseado en la línea",
    .lbRxPower = L"Tensión de alimentación\r\nen el receptor (V)",
    .lbRxPower2 = L"Rango admisible de la tensión de alimentación:\n\rde 9 V a 30 V",
    .lbLetter = L"Letra",
    .lbLetter2 = L"La letra del receptor debe coincidir con la del transmisor",
    .sLabel7 = L"Panel de configuración del detector",
    .lbUst = L"Nivel de la señal\r\nde entrada",
    .lbTres = L"Valor del umbral\r\nde disparo",
    .lbSpeed = L"Velocidad de\r\ncruce de la zona\r\nde detección",
    .lbSpeed2 = L"0,1...1 m/s – instalación en lo alto de la valla.\r\n0,1...4 m/s – zona entre la valla y el "
                L"obstáculo.\r\n0,1...10 m/s – área abierta.",
    .lbWaitTres = L"Ajustando el umbral…",
    .lbCountDevice = L"Encontrados : 0",
    .adjustHelp = L"Gire lentamente el transmisor y el receptor uno hacia el otro hasta alcanzar el valor máximo",
    .thresholdHelp = L"Ajuste el umbral óptimo con los botones \"+\" y \"-\" o haciendo clic en la escala",
    .companyLine = L"OOO Morvelta",
    .stateNorm = L"Normal",
    .stateOk = L"Está bien",
    .stateAlarm = L"Alarma",
    .foundPrefix = L"Encontrados : ",
    .sensorFound = L"Detector encontrado",
    .noSensors = L"No hay detectores conectados. Compruebe la alimentación del receptor.",
    .sLabel3 = L"Configuración del detector",
    .sLabel2 = L"Ajuste en curso del nivel máximo de la señal de entrada del receptor y del umbral de disparo del "
               L"detector.",
    .sButton1 = L"Iniciar la configuración",
    .btNext = L"Continuar la configuración",
    .btCloseSetting = L"Salir de la configuración",
    .searching = L"Buscando los detectores conectados",
    .letterHint = L"Ajuste la letra con la alimentación del transmisor y del receptor desconectada",
    .thresholdHint = L"Ajuste el umbral realizando cruces de prueba por la zona protegida",
    .noiseNormal = L"Nivel de ruido normal",
    .alarmAlarm = L"¡Alarma! ¡Alarma!",
    .noTransmitter = L"Sin comunicación con el transmisor. Compruebe la alimentación y la letra del transmisor",
    .noiseHigh = L"¡Ruido elevado! Busque la causa",
    .noSignal = L"Sin señal. Oriente el transmisor y el receptor uno hacia el otro para aumentar la señal.",
    .signalTooLow = L"Nivel de señal inferior al permitido. Oriente el transmisor y el receptor uno hacia el otro para "
                    L"aumentar la señal.",
    .signalLowDanger = L"Nivel de señal en zona peligrosa. Oriente el transmisor y el receptor uno hacia el otro para "
                       L"aumentar la señal.",
    .latestVersion = L"Está instalada la última versión del programa",
    .newVersion = L"Hay una nueva versión disponible. Haga clic para actualizar el programa",
    .signalNormal = L"Gire lentamente el transmisor y el receptor uno hacia el otro hasta alcanzar el valor máximo.",
    .signalHighDanger = L"Nivel de señal en la zona peligrosa del rango permitido. Desalinee ligeramente el transmisor "
                        L"hacia arriba",
    .signalTooHigh = L"Nivel de señal superior al permitido. Desalinee ligeramente el transmisor hacia arriba",
    .currentNumberLabel = L"Número actual\n\r del detector",
    .currentNumber = L"Número actual del detector ",
    .enterNewNumber = L". Introduzca el nuevo número",
    .emptyValue = L"Se ha introducido un valor vacío",
    .btChangeAddr = L"Cambiar el número",
    .lbAddr = L"Cambio del número único",
    .btOk = L"Confirmar",
    .btCancel = L"Cancelar",
    .modelNames = &kLatinModelNames,
    .wizardQuestion = L"¿Iniciar el asistente de configuración?",
    .yes = L"&Sí",
    .no = L"&No",
    .wizardTitle = L"Asistente de configuración",
    .stepChooseSensor = L"Elija el detector",
    .stepSetNumber = L"Asigne el número único",
    .step = L"Paso ",
    .stepChooseSensorHelp =
        L"   Para empezar la configuración, elija el número del detector en la lista desplegable de la ventana de "
        L"la derecha.\n\r\n\r\n\r"
        L"   Una vez elegido el número, haga clic en  \"Siguiente\".",
    .stepSetNumberHelp =
        L"   Todos los detectores tienen de fábrica el número cero (número lógico). Recomendamos asignar un valor "
        L"de 1 a 31.\n\r\n\r"
        L"   Asegúrese de que solo hay un dispositivo con el número cero conectado a la línea.\n\r\n\r\n\r"
        L"   Una vez cambiado el número, haga clic en  \"Siguiente\".",
    .sensorsOnLine = L"Cantidad de detectores en la línea - ",
    .stepPowerHelp =
        L"   Compruebe que la tensión de alimentación de la ventana de la derecha está dentro del rango admisible "
        L"de 9 a 30 V.\n\r\n\r"
        L"   Haga clic en \"Anterior\" para volver.\n\r"
        L"   Haga clic en \"Siguiente\" para continuar.",
    .stepPowerTitle = L"Alimentación del receptor",
    .powerNormal = L"Alimentación del receptor normal",
    .powerNearLimit = L"Alimentación del receptor cerca del límite admisible",
    .powerFault = L"Alimentación del receptor fuera del rango admisible",
    .stepLetterTitle = L"Compruebe la letra del receptor",
    .stepLetterHelp =
        L"   Compruebe que el transmisor tiene la misma letra que el receptor. La letra se muestra en la ventana de "
        L"la derecha.\n\r"
        L"   Ponga en ON un solo microinterruptor para ajustar la letra correctamente.\n\r\n\r"
        L"   Si necesita cambiar la letra, desconecte la alimentación del transmisor y del receptor y reinicie el "
        L"programa.\n\r\n\r"
        L"   Haga clic en \"Anterior\" para volver.\n\r"
        L"   Haga clic en \"Siguiente\" para continuar.",
    .stepLetterHelpChange =
        L"   Compruebe que el transmisor tiene la misma letra que el receptor. La letra se muestra en la ventana de "
        L"la derecha.\n\r"
        L"   Si necesita cambiar la letra, desconecte la alimentación del transmisor y del receptor y reinicie el "
        L"programa.\n\r\n\r"
        L"   Haga clic en \"Anterior\" para volver.\n\r"
        L"   Haga clic en \"Siguiente\" para continuar.",
    .letterWrong = L"Letra incorrecta en el receptor",
    .letterRight = L"Letra correcta en el receptor",
    .stepSpeedTitle = L"Ajuste la velocidad de cruce",
    .stepSpeedHelp =
        L"   Elija la velocidad de cruce deseada en la ventana de la derecha.\n\r"
        L"   Una velocidad menor aumenta la inmunidad a las interferencias.\n\r"
        L"   Ejemplos de elección de la velocidad de cruce:\n\r"
        L"   Instalación en lo alto de la valla – 0,1...1 m/s.\n\r"
        L"   Zona entre la valla y el obstáculo – 0,1...4 m/s.\n\r"
        L"   Área abierta – 0,1...10 m/s.\n\r\n\r"
        L"   Haga clic en \"Anterior\" para volver.\n\r"
        L"   Haga clic en \"Siguiente\" para continuar.",
    .stepAdjustTitle = L"Alineación del detector",
    .stepAdjustHelp =
        L"   Alinee el detector con el siguiente procedimiento.\n\r"
        L"   Gire lentamente, primero uno y luego el otro, el transmisor y el receptor uno hacia el otro en los planos "
        L"horizontal y vertical hasta alcanzar el valor máximo de la señal.\n\r"
        L"   Si el valor de la señal es inferior a 0,6 V, compruebe que el lugar cumple los requisitos del manual de "
        L"usuario y repita la alineación. Si el valor de la señal es superior a 2,7 V, desalinee el transmisor y el "
        L"receptor hacia arriba un ángulo pequeño para que la señal quede entre 2,5 y 2,7 V. No se permite "
        L"desalinear hacia abajo ni hacia los lados.",
    .stepThresholdTitle = L"Ajuste del umbral de disparo",
    .stepThresholdHelp =
        L"   Ajuste el umbral de disparo del detector.\n\r"
        L"   El rango admisible del umbral de disparo es de 1 a 2,5 V.\n\r"
        L"   Ajuste el umbral realizando cruces de prueba por la zona protegida.\n\r"
        L"   En caso de alarma, la escala de la derecha se vuelve roja. Si un cruce no provoca alarma, reduzca el "
        L"valor del umbral y repita el cruce.\n\r"
        L"   Ajuste el umbral con los botones \"+\" y  \"-\" o haciendo clic en la escala del panel de la derecha.",
    .uniqueNumber = L"Número único ",
    .helpBackNext = L"\n\r   Haga clic en \"Anterior\" para volver.\n\r   Haga clic en \"Siguiente\" para continuar.",
    .helpNext = L"\n\r   Haga clic en \"Siguiente\" para continuar.",
    .next = L"Siguiente",
    .helpBackDone = L"\n\r   Haga clic en \"Anterior\" para volver.\n\r   Haga clic en \"Aceptar\" para salir.",
    .done = L"Aceptar",
    .setupComplete = L"Configuración completada con éxito. Haga clic en OK para pasar al modo de espera.",
    .clickDone = L"Haga clic en \"Aceptar\" para salir.",
    .toAdjustMode = L"Cambiando al modo de alineación…",
    .toThresholdMode = L"Cambiando al modo de umbral…",
    .thresholdChange = L"Cambiando el umbral…",
    .btBack = L"Anterior",
    .lbSpeed3 = L"m/s",
    .lbTresholLevel = L"",
    .linkLost = L"Error de comunicación",
};

}  // namespace languages
