#pragma once
// Controls for the tests of the skin messages: windowed and graphic controls that record the
// skin commands they receive, skinned ones answering the skinned query, and a plain container.
#include <algorithm>
#include <functional>
#include <vector>

#include "skin/core/sMessages.h"
#include "vcl/controls.h"

namespace skintest {

// What a test control keeps of the skin commands that reach it.
struct TCommandLog {
    std::vector<uint16_t> Commands;
    std::vector<LPARAM> LParams;
    // Called with each command before it is answered; a test may act inside the walk here.
    std::function<void(uint16_t Cmd)> OnCommand;

    int Count(uint16_t Cmd) const { return int(std::count(Commands.begin(), Commands.end(), Cmd)); }
    // Records a skin command; false for any other message.
    bool Record(const vcl::TMessage& Message)
    {
        const uint16_t cmd = skin::SkinCommandOf(Message);
        if (!cmd)
            return false;
        Commands.push_back(cmd);
        LParams.push_back(Message.LParam);
        if (OnCommand)
            OnCommand(cmd);
        return true;
    }
};

// A windowed container that records skin commands. Skinned, it answers scmdQuerySkinned with 1
// and scmdQueryColor with its Color; plain, it answers nothing.
class TLoggingPanel : public vcl::TCustomControl {
    CL_CLASS(TLoggingPanel, vcl::TCustomControl)
public:
    explicit TLoggingPanel(vcl::TComponent* AOwner) : vcl::TCustomControl(AOwner)
    {
        FControlStyle << vcl::TControlStyleItem::csAcceptsControls;
    }
    bool Skinned = false;
    TCommandLog Log;

    void WndProc(vcl::TMessage& Message) override
    {
        if (!Log.Record(Message)) {
            vcl::TCustomControl::WndProc(Message);
            return;
        }
        if (Skinned && skin::SkinCommandOf(Message) == skin::scmdQuerySkinned)
            Message.Result = 1;
        else if (Skinned && skin::SkinCommandOf(Message) == skin::scmdQueryColor)
            Message.Result = LRESULT(Color());
    }
};

// A graphic control that records skin commands.
class TLoggingGraphic : public vcl::TGraphicControl {
    CL_CLASS(TLoggingGraphic, vcl::TGraphicControl)
public:
    using vcl::TGraphicControl::TGraphicControl;
    TCommandLog Log;

    void WndProc(vcl::TMessage& Message) override
    {
        if (!Log.Record(Message))
            vcl::TGraphicControl::WndProc(Message);
    }
};

}  // namespace skintest
