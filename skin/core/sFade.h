#pragma once
// How a button-like control shows a change of its state. The section's fade between the old and
// the new look comes with the fade timers; a section without fading (the program's skin has none),
// a skin change or a stale cache shows the new look at once.
namespace skin {

class TsCommonData;

// Shows the control's new state: the cache is marked stale, the control repaints at once, and the
// glow follows (shown on entering, gone on a click, Quick).
void DoChangePaint(TsCommonData& SkinData, bool Quick);

}  // namespace skin
