#include "skin/core/sVclUtilsAnimPlans.h"

#include <algorithm>

namespace skin {

using namespace vcl;

namespace {

// The zoom rectangle of the aero frames, moved by its per-frame change after each frame.
struct TZoom {
    double l, t, r, b;

    // The frame's place while the rectangle lies within the picture, else the whole picture.
    void Place(TAnimFrame& Frame) const
    {
        Frame.Whole = !(l >= 0 && t >= 0);
        if (Frame.Whole)
            return;
        const int left = int(Round(l));
        const int top = int(Round(t));
        Frame.Place = TRect(left, top, left + int(Round(r - l)), top + int(Round(b - t)));
    }
    // Outwards by (dx, dy) on each side; inwards for negative values.
    void Grow(double dx, double dy)
    {
        l -= dx;
        t -= dy;
        r += dx;
        b += dy;
    }
};

}  // namespace

std::vector<TAnimFrame> ShowFrames(const TSize& Size, unsigned TimeMs, int MaxTransparency, TacAnimType AnimType,
                                   bool Dialog)
{
    const int n = int(TimeMs / acAnimStepMs);
    if (n == 0)
        return {};
    const double w = Size.cx;
    const double h = Size.cy;
    const double step = double(MaxTransparency) / (Dialog ? n + 1 : n);
    TZoom zoom{w / 8, h / 8, w - w / 8, h - h / 8};
    std::vector<TAnimFrame> frames;
    double alpha = 0;
    for (int k = 0; k <= n; ++k) {
        alpha = std::min(alpha + step, double(MaxTransparency));
        TAnimFrame frame;
        frame.Alpha = uint8_t(Round(alpha));
        if (AnimType == TacAnimType::atAero)
            zoom.Place(frame);
        frames.push_back(frame);
        zoom.Grow(w / (8.0 * n), h / (8.0 * n));
    }
    return frames;
}

std::vector<TAnimFrame> HideFrames(const TSize& Size, int StepCount, int StartBlendValue, TacAnimType AnimType)
{
    if (StepCount <= 0)
        return {};
    const double w = Size.cx;
    const double h = Size.cy;
    const double step = double(StartBlendValue) / StepCount;
    TZoom zoom{0, 0, w, h};
    std::vector<TAnimFrame> frames;
    double trans = StartBlendValue;
    for (int i = 0; i <= StepCount; ++i) {
        trans = trans - step > 0 ? trans - step : 0;
        TAnimFrame frame;
        frame.Alpha = uint8_t(Round(trans));
        if (AnimType == TacAnimType::atAero)
            zoom.Place(frame);
        frames.push_back(frame);
        zoom.Grow(-w / (8.0 * StepCount), -h / (8.0 * StepCount));
    }
    return frames;
}

std::vector<int> ControlChangeWeights(unsigned TimeMs)
{
    const int n = int(TimeMs / acAnimStepMs);
    if (n == 0)
        return {};
    const int step = 255 / n;
    std::vector<int> weights;
    for (int k = 0, a = 255; k <= n; ++k, a -= step)
        weights.push_back(std::max(a, 0));
    return weights;
}

}  // namespace skin
