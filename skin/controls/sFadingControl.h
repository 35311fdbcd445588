#pragma once
// What the windowed controls that fade between their looks share (the push and bitmap buttons,
// the check box, the radio button and the track bar): which state changes fade (AnimatEvents, by
// default those the manager's button effects name), the running fade's timer, and the fade's end
// when scmdStopFade asks or the control goes.
#include "skin/controls/sSkinnedControl.h"
#include "skin/core/sFade.h"

namespace skin {

template<class TBase>
class TsFadingControl : public TsSkinnedControl<TBase> {
    using Skinned = TsSkinnedControl<TBase>;

public:
    TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
    void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
    // The running fade's timer; none while the control does not fade.
    TsFadeTimer* FadeTimer() const { return FFadeTimer; }

    // The timer belongs to the control: it goes before the control's components do.
    void BeforeDestruction() override
    {
        StopFade();
        Skinned::BeforeDestruction();
    }

protected:
    using Skinned::Skinned;

    // Shows a state change that Event caused, fading when the event and the section allow; Quick
    // (a press or a release) fades in half the steps.
    void ChangePaint(TacAnimatEvent Event, bool Quick)
    {
        TsCommonData& data = *this->SkinData();
        DoChangePaint(FFadeTimer, data, Quick, EventEnabled(Event, FAnimatEvents, data.SkinManager()));
    }
    void StopFade() { StopFading(FFadeTimer); }
    // A fade is under way: its timer paints the control.
    bool Fading() const { return FFadeTimer && FFadeTimer->Enabled(); }
    // Ends a fade. The control then paints its own look again: the last step only comes within a
    // shade of it, and a change while the fade painted the window showed nothing.
    void EndFade()
    {
        const bool fading = FFadeTimer != nullptr;
        StopFade();
        if (fading)
            this->Invalidate();
    }
    // scmdStopFade ends the fade.
    bool EarlySkinCommand(uint16_t Cmd, vcl::TMessage& Message) override
    {
        if (Cmd != scmdStopFade)
            return Skinned::EarlySkinCommand(Cmd, Message);
        EndFade();
        return true;
    }

private:
    TacAnimatEvents FAnimatEvents{TacAnimatEvent::aeGlobalDef};
    TsFadeTimer* FFadeTimer = nullptr;
};

}  // namespace skin
