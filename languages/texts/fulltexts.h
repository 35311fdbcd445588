#pragma once
// The texts of one full language. Every full language writes the same rows (fullblock.cpp);
// only these texts differ. A field named after a control is its caption, and the caption
// of its twin in the setup wizard where one exists; the other fields feed the message
// string of the same name.
#include "languages/texts/textrows.h"

#include <array>
#include <string_view>

namespace languages {

using ModelNames = std::array<std::wstring_view, 14>;

// The model names that every full language but Russian uses.
extern const ModelNames kLatinModelNames;

struct FullTexts {
    std::wstring_view sLabel1;
    std::wstring_view lbAddress;       // also lbStepAddress
    std::wstring_view lbAddress2;      // also read back into msgChooseNumber
    std::wstring_view oneSensor;
    std::wstring_view lbStepAddress2;
    std::wstring_view lbRxPower;       // also lbStepRxPower
    std::wstring_view lbRxPower2;
    std::wstring_view lbLetter;        // also lbStepLetter
    std::wstring_view lbLetter2;       // also lbStepLetter2
    std::wstring_view sLabel7;
    std::wstring_view lbUst;           // also lbStepUst
    std::wstring_view lbTres;          // also lbStepTres
    std::wstring_view lbSpeed;         // also lbStepSpeed
    std::wstring_view lbSpeed2;        // also lbStepSpeed2
    std::wstring_view lbWaitTres;
    std::wstring_view lbCountDevice;
    std::wstring_view adjustHelp;
    std::wstring_view thresholdHelp;
    std::wstring_view companyLine;
    std::wstring_view stateNorm;
    std::wstring_view stateOk;
    std::wstring_view stateAlarm;
    std::wstring_view foundPrefix;
    std::wstring_view sensorFound;
    std::wstring_view noSensors;
    std::wstring_view sLabel3;
    std::wstring_view sLabel2;
    std::wstring_view sButton1;
    std::wstring_view btNext;
    std::wstring_view btCloseSetting;
    std::wstring_view searching;
    std::wstring_view letterHint;      // sPanel8 and the controls on it
    std::wstring_view thresholdHint;   // sPanel10 and the controls on it
    std::wstring_view noiseNormal;
    std::wstring_view alarmAlarm;
    std::wstring_view noTransmitter;
    std::wstring_view noiseHigh;
    std::wstring_view noSignal;
    std::wstring_view signalTooLow;
    std::wstring_view signalLowDanger;
    std::wstring_view latestVersion;
    std::wstring_view newVersion;
    std::wstring_view signalNormal;
    std::wstring_view signalHighDanger;
    std::wstring_view signalTooHigh;
    std::wstring_view currentNumberLabel;
    std::wstring_view currentNumber;
    std::wstring_view enterNewNumber;
    std::wstring_view emptyValue;
    std::wstring_view btChangeAddr;    // also btStepChangeAddr
    std::wstring_view lbAddr;          // also lbStepAddr
    std::wstring_view btOk;            // also btStepOk
    std::wstring_view btCancel;        // also btStepCancel
    const ModelNames* modelNames;
    std::wstring_view wizardQuestion;
    std::wstring_view yes;
    std::wstring_view no;
    std::wstring_view wizardTitle;
    std::wstring_view stepChooseSensor;
    std::wstring_view stepSetNumber;
    std::wstring_view step;
    std::wstring_view stepChooseSensorHelp;
    std::wstring_view stepSetNumberHelp;
    std::wstring_view sensorsOnLine;
    std::wstring_view stepPowerHelp;
    std::wstring_view stepPowerTitle;
    std::wstring_view powerNormal;
    std::wstring_view powerNearLimit;
    std::wstring_view powerFault;
    std::wstring_view stepLetterTitle;
    std::wstring_view stepLetterHelp;
    std::wstring_view stepLetterHelpChange;
    std::wstring_view letterWrong;
    std::wstring_view letterRight;
    std::wstring_view stepSpeedTitle;
    std::wstring_view stepSpeedHelp;
    std::wstring_view stepAdjustTitle;
    std::wstring_view stepAdjustHelp;
    std::wstring_view stepThresholdTitle;
    std::wstring_view stepThresholdHelp;
    std::wstring_view uniqueNumber;
    std::wstring_view helpBackNext;
    std::wstring_view helpNext;
    std::wstring_view next;            // also the captions of btNextStep and btContinue
    std::wstring_view helpBackDone;
    std::wstring_view done;            // also the caption of btEndSetting
    std::wstring_view setupComplete;
    std::wstring_view clickDone;
    std::wstring_view toAdjustMode;
    std::wstring_view toThresholdMode;
    std::wstring_view thresholdChange;
    std::wstring_view btBack;
    std::wstring_view lbSpeed3;        // also lbStepSpeed3
    std::wstring_view lbTresholLevel;
    std::wstring_view linkLost;
};

extern const FullTexts kEnglishTexts;
extern const FullTexts kRussianTexts;
extern const FullTexts kGermanTexts;
extern const FullTexts kFrenchTexts;
extern const FullTexts kSpanishTexts;
extern const FullTexts kCzechTexts;
extern const FullTexts kSerbianTexts;
extern const FullTexts kSwedishTexts;
extern const FullTexts kCroatianTexts;
extern const FullTexts kItalianTexts;

// The rows of a full block with one language's texts.
TextBlock FullBlock(const FullTexts& texts);

}  // namespace languages
