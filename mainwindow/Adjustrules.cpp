#include "mainwindow/Adjustrules.h"

#include <cmath>
#include <cstdlib>

namespace adjust {

float RoundToTenth(double v)
{
    // In extended precision, as the quotient by the tenth is taken before the rounding.
    const long double tenths = static_cast<long double>(v) / 0.1L;
    const long double whole = std::trunc(v >= 0 ? tenths + 0.5L : tenths - 0.5L);
    return static_cast<float>(whole * 0.1L);
}

float ScaleClickTarget(int scaleHeight, int clickY, float pixelsPerVolt)
{
    const float target = RoundToTenth(static_cast<long double>(scaleHeight - clickY) / pixelsPerVolt);
    if (target < ThresholdLowest)
        return ThresholdLowest;
    if (target > ThresholdHighest)
        return ThresholdHighest;
    return target;
}

float ThresholdVolts(int raw, float levelVoltFactor)
{
    return RoundToTenth(static_cast<long double>(raw) * levelVoltFactor);
}

int ThresholdPulses(float current, float target)
{
    const float difference = RoundToTenth(static_cast<double>(current) - target);
    const int steps = static_cast<int>(std::lround(static_cast<double>(difference) * 10));
    return steps > 0 ? steps : ThresholdTurn - std::abs(steps);
}

namespace {

// The speed class codes of the speed list's items, in item order.
constexpr uint8_t SpeedCodes[] = {1, 2, 4};
constexpr int SpeedItemCount = sizeof(SpeedCodes) / sizeof(SpeedCodes[0]);

}  // namespace

uint8_t SpeedCodeOfItem(int itemIndex)
{
    return itemIndex >= 0 && itemIndex < SpeedItemCount ? SpeedCodes[itemIndex] : 0;
}

int SpeedItemOfCode(int32_t speedCode)
{
    for (int item = 0; item < SpeedItemCount; ++item)
        if (SpeedCodes[item] == speedCode)
            return item;
    return -1;
}

SupplyBand SupplyBandOf(float volts)
{
    if (volts < 9 || volts > 30)
        return SupplyBand::Fault;
    if (volts < 10 || volts > 29)
        return SupplyBand::NearLimit;
    return SupplyBand::Normal;
}

AlignmentStepBand AlignmentStepBandOf(float volts)
{
    // The limits are doubles against the float level: raw 38 (0.59999996) is still below 0.6.
    const double v = volts;
    if (v <= 0.1)
        return AlignmentStepBand::NoSignal;
    if (v <= 0.6)
        return AlignmentStepBand::LowDanger;
    if (v < 2.7)
        return AlignmentStepBand::Normal;
    if (v <= 3.0)
        return AlignmentStepBand::HighDanger;
    return AlignmentStepBand::AboveScale;
}

}  // namespace adjust
