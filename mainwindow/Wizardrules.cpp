#include "mainwindow/Wizardrules.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace wizard {

namespace {

// In click order: every Next, then every Back.
constexpr Transition Transitions[] = {
    {Move::Next, 1, Page::Address, Page::Supply, StepTimer::Supply, false, EnableBack},
    {Move::Next, 2, Page::Supply, Page::Letter, StepTimer::None, true, ReadState | ShowLetter},
    {Move::Next, 3, Page::Letter, Page::Speed, StepTimer::None, true, HideSpeedNote | StatusGreen | SelectSpeed},
    {Move::Next, 4, Page::Speed, Page::Alignment, StepTimer::Alignment, false, StatusGreen},
    {Move::Next, 5, Page::Alignment, Page::Threshold, StepTimer::Threshold, false, StatusGreen | CaptionDone},
    {Move::Back, 2, Page::Supply, Page::Address, StepTimer::None, true,
     DisableBack | ClearStatusOfSetNumber | HintWithNextHelp},
    {Move::Back, 3, Page::Letter, Page::Supply, StepTimer::Supply, false, 0},
    {Move::Back, 4, Page::Speed, Page::Letter, StepTimer::None, true, ShowLetter},
    {Move::Back, 5, Page::Alignment, Page::Speed, StepTimer::None, true,
     HideSpeedNote | StatusGreen | ClearStatus | SelectSpeed},
    {Move::Back, 6, Page::Threshold, Page::Alignment, StepTimer::Alignment, false,
     PressModeKeyFirst | StatusGreen | CaptionNext},
};

// The languages that set a heading size, in the columns' order.
constexpr std::array<int, 10> SizedLanguages = {0, 1, 2, 3, 4, 6, 8, 9, 10, 11};

struct HeadingSizes {
    int16_t Step;
    Move Direction;
    std::array<int, 10> Points;
};

// Step 1 has one row for both ways in.
constexpr HeadingSizes HeadingSizeTable[] = {
    {1, Move::Next, {18, 18, 14, 18, 16, 18, 18, 18, 16, 16}},
    {2, Move::Next, {18, 18, 16, 15, 16, 18, 15, 16, 16, 16}},
    {2, Move::Back, {18, 18, 16, 18, 16, 18, 18, 16, 18, 16}},
    {3, Move::Next, {18, 18, 13, 15, 16, 18, 16, 18, 18, 16}},
    {3, Move::Back, {18, 18, 13, 18, 16, 18, 18, 18, 18, 16}},
    {4, Move::Next, {16, 16, 13, 15, 16, 16, 16, 18, 18, 16}},
    {4, Move::Back, {16, 16, 12, 16, 16, 16, 16, 18, 18, 16}},
    {5, Move::Next, {16, 16, 16, 16, 16, 18, 16, 18, 18, 18}},
    {5, Move::Back, {16, 16, 16, 16, 16, 16, 16, 18, 18, 16}},
    {6, Move::Next, {16, 16, 16, 16, 16, 16, 16, 16, 16, 18}},
};

}  // namespace

const Transition* FindTransition(Move direction, int16_t from)
{
    for (const Transition& row : Transitions)
        if (row.Direction == direction && row.From == from)
            return &row;
    return nullptr;
}

int16_t EnteredStep(const Transition& row)
{
    return static_cast<int16_t>(row.Direction == Move::Next ? row.From + 1 : row.From - 1);
}

int HeadingFontSize(Move direction, int16_t enteredStep, int language)
{
    const auto column = std::find(SizedLanguages.begin(), SizedLanguages.end(), language);
    if (column == SizedLanguages.end())
        return 0;
    const Move rowDirection = enteredStep == 1 ? Move::Next : direction;
    for (const HeadingSizes& row : HeadingSizeTable)
        if (row.Step == enteredStep && row.Direction == rowDirection)
            return row.Points[static_cast<size_t>(std::distance(SizedLanguages.begin(), column))];
    return 0;
}

}  // namespace wizard
