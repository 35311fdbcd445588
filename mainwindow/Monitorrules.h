#pragma once
// The rules behind the search and the monitoring displays, apart from any window: the search's
// progress step, the wizard question's texts per language and the screen size that maximises the
// window; the poll action's count of mode-key presses; the live display's bands and colours of
// the signal level.
#include "mainwindow/Adjustrules.h"

#include <cstdint>

namespace monitor {

// Colours as the class library writes them, 0x00BBGGRR.
constexpr uint32_t ColourGreen = 0x008000;
constexpr uint32_t ColourLime = 0x00FF00;
constexpr uint32_t ColourRed = 0x0000FF;
constexpr uint32_t ColourYellow = 0x00FFFF;
constexpr uint32_t ColourFieldGrey = 0xF2F2F2;
constexpr uint32_t ColourSilver = 0xC0C0C0;
constexpr uint32_t ColourGrey = 0x808080;

// The addresses the search asks on every port.
constexpr int32_t AddressCount = 32;

// What the search bar advances per address asked: the bar's share of one port, split over the
// addresses, both divisions truncated (one port: 312 of 10000, three ports: 104).
int32_t SearchStepPerAddress(int32_t barMax, int32_t portCount);

// The wizard question's title and button captions for a language; nullptr where the search
// leaves the dialog's own texts (5, 7, negative and above 11).
struct WizardQuestionTexts {
    const wchar_t* Title;
    const wchar_t* Yes;
    const wchar_t* No;
};
const WizardQuestionTexts* WizardQuestionTextsOf(int32_t language);

// A screen this small gets the window maximised; a larger one keeps its size.
bool MaximiseOnScreen(int32_t width, int32_t height);

// Mode-key presses that walk a detector through every mode back to normal, by the mode bits its
// state reply reported: 3 from normal, 2 from alignment, 4 from threshold, 3 from anything else.
int32_t ModeWalkPresses(uint8_t modeBits);

// A raw signal level in volts: the product of two singles, kept single.
float LevelVolts(int32_t level, float voltsPerUnit);

// Normal mode: where the level stands against the threshold, and the gauge colour of each.
enum class LevelZone { Quiet, Noisy, OverThreshold };
// Below half the threshold (halved in integers) quiet, above the threshold over it, else noisy.
LevelZone LevelZoneOf(int32_t level, int32_t threshold);
uint32_t GaugeColourOf(LevelZone zone);

// Alignment mode: the six bands of the level in volts, compared as the stored single against the
// limits as doubles (raw 38, 0.59999996 V, is still low danger; raw 171, 2.70000005 V, high danger).
enum class AlignmentBand { NoSignal, TooLow, LowDanger, Normal, HighDanger, TooHigh };
AlignmentBand AlignmentBandOf(float volts);

// How the status lamp, its text's font and the value field show a band.
struct AlignmentBandLook {
    uint32_t StatusColour;
    int32_t FontSize;
    bool FieldRed;   // the value field turns red (and nothing turns it back)
};
AlignmentBandLook AlignmentBandLookOf(AlignmentBand band);

// The supply field's colour in each supply band: field grey, yellow near a limit, red beyond.
uint32_t SupplyColourOf(adjust::SupplyBand band);

}  // namespace monitor
