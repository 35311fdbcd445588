#pragma once
// The run-time messages that the main window's workflows show. Each is a plain global
// string: the language texts write them, the workflows read the current value whenever
// they show something, so a language change reaches every display at its next update.
// All start empty; a string that the applied language does not write keeps its text.
#include "vcl/system.h"

#include <array>

extern vcl::String msgLinkLost;
extern vcl::String msgStateNorm;
extern vcl::String msgStateOk;
extern vcl::String msgStateAlarm;
extern vcl::String msgFoundPrefix;
extern vcl::String msgSensorFound;
extern vcl::String msgNoSensors;
extern vcl::String msgNoiseNormal;
extern vcl::String msgNoiseHigh;
extern vcl::String msgAlarmAlarm;
extern vcl::String msgSignalNormal;
extern vcl::String msgSignalLowDanger;
extern vcl::String msgNoSignal;
extern vcl::String msgSignalTooHigh;
extern vcl::String msgSignalTooLow;
extern vcl::String msgNoTransmitter;
extern vcl::String msgSignalHighDanger;
extern vcl::String msgSearching;
// Scratch strings of the detector search; no language writes them.
extern vcl::String msgSearchResult;
extern vcl::String msgFoundCount;
extern vcl::String msgAdjustHelp;
extern vcl::String msgThresholdHelp;
extern vcl::String msgCompanyLine;
extern vcl::String msgLatestVersion;
extern vcl::String msgNewVersion;
extern vcl::String msgCurrentNumberLabel;
extern vcl::String msgCurrentNumber;
extern vcl::String msgEnterNewNumber;
extern vcl::String msgEmptyValue;
// The model names, entries 1 to 14 at positions 0 to 13.
extern std::array<vcl::String, 14> msgModelName;
extern vcl::String msgWizardQuestion;
extern vcl::String msgYes;
extern vcl::String msgNo;
extern vcl::String msgWizardTitle;
extern vcl::String msgStepSetNumber;
extern vcl::String msgStepChooseSensor;
extern vcl::String msgStep;
extern vcl::String msgStepChooseSensorHelp;
extern vcl::String msgStepSetNumberHelp;
extern vcl::String msgSensorsOnLine;
extern vcl::String msgStepPowerHelp;
extern vcl::String msgStepPowerTitle;
extern vcl::String msgPowerNormal;
extern vcl::String msgPowerNearLimit;
extern vcl::String msgPowerFault;
extern vcl::String msgStepLetterTitle;
extern vcl::String msgStepLetterHelp;
extern vcl::String msgStepLetterHelpChange;
extern vcl::String msgLetterWrong;
extern vcl::String msgLetterRight;
extern vcl::String msgStepSpeedTitle;
extern vcl::String msgStepSpeedHelp;
extern vcl::String msgStepAdjustTitle;
extern vcl::String msgStepAdjustHelp;
extern vcl::String msgStepThresholdTitle;
extern vcl::String msgStepThresholdHelp;
extern vcl::String msgOneSensor;
extern vcl::String msgChooseNumber;
extern vcl::String msgUniqueNumber;
extern vcl::String msgHelpBackNext;
extern vcl::String msgHelpBackDone;
extern vcl::String msgDone;
extern vcl::String msgSetupComplete;
extern vcl::String msgClickDone;
extern vcl::String msgHelpNext;
extern vcl::String msgNext;
extern vcl::String msgToAdjustMode;
extern vcl::String msgToThresholdMode;
extern vcl::String msgThresholdChange;
