#pragma once
// The arithmetic behind the adjustments and the wizard's steps, apart from any window: the
// threshold-key pulses that reach a clicked threshold, the speed list's codes, and the bands that
// judge the supply voltage and the alignment level.
#include <cstdint>

namespace adjust {

// Addresses of single detectors on the line.
constexpr int32_t LastAddress = 31;
constexpr bool IsLineAddress(int32_t number) { return number >= 0 && number <= LastAddress; }

// The lowest and highest threshold in volts; a threshold-key press takes the next lower tenth and
// the lowest wraps to the highest, so a whole turn is sixteen presses.
constexpr float ThresholdLowest = 1.0f;
constexpr float ThresholdHighest = 2.5f;
constexpr int ThresholdTurn = 16;

// v to one decimal, halves away from zero, kept as a 32-bit float.
float RoundToTenth(double v);

// The threshold a click aims at: the volts at the press's height on a scale of the given height
// (0 V at the bottom edge), to one decimal and held to the threshold range.
float ScaleClickTarget(int scaleHeight, int clickY, float pixelsPerVolt);

// The detector's threshold from its raw level units, to one decimal.
float ThresholdVolts(int raw, float levelVoltFactor);

// Threshold-key presses that step from current down to target through the wrap: 1 to 16 inside
// the range (equal values take a whole turn); 0 or less only for a current outside the range.
int ThresholdPulses(float current, float target);

// The speed class code of a speed list item (0 when none is chosen), and the item of a code
// (-1 for a code the list does not hold).
uint8_t SpeedCodeOfItem(int itemIndex);
int SpeedItemOfCode(int32_t speedCode);

// The supply bands, shared by the live display and the wizard's supply step.
enum class SupplyBand : int32_t { Normal = 1, NearLimit = 2, Fault = 3 };
SupplyBand SupplyBandOf(float volts);

// The alignment step's four bands of the level in volts; above 3.0 V the step shows none.
enum class AlignmentStepBand { NoSignal, LowDanger, Normal, HighDanger, AboveScale };
AlignmentStepBand AlignmentStepBandOf(float volts);

}  // namespace adjust
