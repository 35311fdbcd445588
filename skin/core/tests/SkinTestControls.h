#pragma once
// Controls for the tests of the skin messages: windowed and graphic controls and forms that record
// the skin commands they receive, skinned ones answering the skinned query.
#include <algorithm>
#include <functional>
#include <vector>

#include "skin/core/sMessages.h"
#include "skin/forms/sSkinProvider.h"
#include "vcl/controls.h"
#include "vcl/forms.h"

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

// A graphic control that records skin commands; with skin data it answers scmdQuerySkinData.
class TLoggingGraphic : public vcl::TGraphicControl {
    CL_CLASS(TLoggingGraphic, vcl::TGraphicControl)
public:
    using vcl::TGraphicControl::TGraphicControl;
    TCommandLog Log;
    skin::TsCommonData* SkinData = nullptr;

    void WndProc(vcl::TMessage& Message) override
    {
        if (!Log.Record(Message))
            vcl::TGraphicControl::WndProc(Message);
        else if (skin::SkinCommandOf(Message) == skin::scmdQuerySkinData)
            Message.Result = reinterpret_cast<LRESULT>(SkinData);
    }
};

// A form that records the skin commands reaching it: plain, in its own procedure; with a skin
// provider (AddProvider), in front of the provider, which then answers for the form.
class TLoggingForm : public vcl::TForm {
    CL_CLASS(TLoggingForm, vcl::TForm)
public:
    // Tagged as an auxiliary window: the window hook of the default manager gives it no provider,
    // which the test decides.
    explicit TLoggingForm(vcl::TComponent* AOwner) : vcl::TForm(AOwner) { SetTag(-98); }
    skin::TsSkinProvider* Provider = nullptr;
    TCommandLog Log;

    // A provider of class T for the form, the record put in front of it.
    template<class T = skin::TsSkinProvider>
    T* AddProvider()
    {
        T* provider = vcl::Create<T>(this);
        Provider = provider;
        const vcl::TWndMethod inner = WindowProc();
        SetWindowProc(vcl::TWndMethod([this, inner](vcl::TMessage& Message) {
            Log.Record(Message);
            inner(Message);
        }));
        return provider;
    }

    void WndProc(vcl::TMessage& Message) override
    {
        if (Provider || !Log.Record(Message))
            vcl::TForm::WndProc(Message);
    }
};

}  // namespace skintest
