#pragma once
// The setup wizard's navigation as data: what each Next and Back click switches, starts and
// sends, and the heading's font size per step and language. The main window applies it.
#include <cstdint>

namespace wizard {

enum class Move { Next, Back };

// What the step area shows; step n shows page n - 1 (the address page in one of two flavours).
enum class Page { Address, Supply, Letter, Speed, Alignment, Threshold };

// The step timer that runs in the step entered; every click first stops all three.
enum class StepTimer { None, Supply, Alignment, Threshold };

// What a click does beside switching the pages, as flags.
enum Extra : uint32_t {
    EnableBack = 1u << 0,
    DisableBack = 1u << 1,
    StatusGreen = 1u << 2,
    ClearStatus = 1u << 3,
    // The set-number flavour of the address page clears the status text, the other keeps it.
    ClearStatusOfSetNumber = 1u << 4,
    HideSpeedNote = 1u << 5,
    SelectSpeed = 1u << 6,
    // One state query for the letter and the speed class, after the pages are switched.
    ReadState = 1u << 7,
    ShowLetter = 1u << 8,
    // Keep-alive off, one mode-key press and a pause, before anything is switched.
    PressModeKeyFirst = 1u << 9,
    CaptionDone = 1u << 10,
    CaptionNext = 1u << 11,
    // The address page's hint ends with the Next help (choose-sensor flavour).
    HintWithNextHelp = 1u << 12,
};

struct Transition {
    Move Direction;
    int16_t From;
    Page Leave;
    Page Enter;
    StepTimer Timer;
    bool KeepAlive;   // the device-type keep-alive runs in the step entered
    uint32_t Extras;
};

// The row for a click in a step, or nullptr where the click switches nothing (the finish at
// step 6 is not a row: it leaves the wizard).
const Transition* FindTransition(Move direction, int16_t from);

// The step a row enters.
int16_t EnteredStep(const Transition& row);

// The heading's font size in points on entering a step, or 0 where the language keeps the
// size it has. Step 1 is entered by the wizard's start or by Back, with one size for both.
int HeadingFontSize(Move direction, int16_t enteredStep, int language);

// The font sizes of the step area's hint and status lines.
constexpr int HintFontSize = 12;
constexpr int StatusFontSize = 12;

}  // namespace wizard
