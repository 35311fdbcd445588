#include "mainwindow/Monitorrules.h"

#include <cstddef>

namespace monitor {

int32_t SearchStepPerAddress(int32_t barMax, int32_t portCount)
{
    return barMax / portCount / AddressCount;
}

namespace {

struct LanguageQuestionTexts {
    int32_t Language;
    WizardQuestionTexts Texts;
};

constexpr LanguageQuestionTexts QuestionTexts[] = {
    {0, {L"Setup Wizard", L"Yes", L"No"}},
    {1, {L"Мастер настройки", L"Да", L"Нет"}},
    {2, {L"Setup Wizard", L"Ja", L"Nein"}},
    {3, {L"Setup Wizard", L"Oui", L"Non"}},
    {4, {L"Setup Wizard", L"Sí", L"No"}},
    {6, {L"Master nastaveni", L"Ano", L"Ne"}},
    {8, {L"Setup Wizard", L"Da", L"Ne"}},
    {9, {L"Setup Wizard", L"Ja", L"Nej"}},
    {10, {L"Setup Wizard", L"Da", L"Ne"}},
    {11, {L"Setup Wizard", L"Si", L"No"}},
};

// In the order of the bands.
constexpr AlignmentBandLook AlignmentLooks[] = {
    {ColourRed, 12, false},      // no signal
    {ColourRed, 12, true},       // too low
    {ColourYellow, 12, false},   // low danger
    {ColourGreen, 11, false},    // normal
    {ColourYellow, 12, false},   // high danger
    {ColourRed, 12, true},       // too high
};

}  // namespace

const WizardQuestionTexts* WizardQuestionTextsOf(int32_t language)
{
    for (const LanguageQuestionTexts& row : QuestionTexts)
        if (row.Language == language)
            return &row.Texts;
    return nullptr;
}

bool MaximiseOnScreen(int32_t width, int32_t height)
{
    return width <= 1024 || height <= 600;
}

int32_t ModeWalkPresses(uint8_t modeBits)
{
    switch (modeBits) {
    case 2: return 2;
    case 4: return 4;
    default: return 3;
    }
}

float LevelVolts(int32_t level, float voltsPerUnit)
{
    return static_cast<float>(level) * voltsPerUnit;
}

LevelZone LevelZoneOf(int32_t level, int32_t threshold)
{
    if (level < threshold / 2)
        return LevelZone::Quiet;
    if (level > threshold)
        return LevelZone::OverThreshold;
    return LevelZone::Noisy;
}

uint32_t GaugeColourOf(LevelZone zone)
{
    switch (zone) {
    case LevelZone::Quiet: return ColourGreen;
    case LevelZone::Noisy: return ColourYellow;
    case LevelZone::OverThreshold: break;
    }
    return ColourRed;
}

AlignmentBand AlignmentBandOf(float volts)
{
    const double v = volts;
    if (v <= 0.1)
        return AlignmentBand::NoSignal;
    if (v < 0.2)
        return AlignmentBand::TooLow;
    if (v <= 0.6)
        return AlignmentBand::LowDanger;
    if (v < 2.7)
        return AlignmentBand::Normal;
    if (v <= 2.9)
        return AlignmentBand::HighDanger;
    return AlignmentBand::TooHigh;
}

AlignmentBandLook AlignmentBandLookOf(AlignmentBand band)
{
    return AlignmentLooks[static_cast<size_t>(band)];
}

uint32_t SupplyColourOf(adjust::SupplyBand band)
{
    switch (band) {
    case adjust::SupplyBand::Normal: return ColourFieldGrey;
    case adjust::SupplyBand::NearLimit: return ColourYellow;
    case adjust::SupplyBand::Fault: break;
    }
    return ColourRed;
}

}  // namespace monitor
