#pragma once
// Actions: named commands with an execute event, kept in an action list.
#include "vcl/classes.h"
#include "vcl/system.h"

#include <memory>
#include <vector>

namespace vcl {

using TShortCut = Word;
class TCustomActionList;
class TBasicAction;

// Ties a client (a control) to an action: the action tells its links of every change, and the
// client runs the action through its link.
class TBasicActionLink : public TObject {
    CL_CLASS(TBasicActionLink, TObject)
public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* value);
    // Runs the action for Target (its ActionComponent meanwhile); true when it had a handler.
    virtual bool Execute(TComponent* Target = nullptr);
    virtual bool Update();

protected:
    friend class TBasicAction;
    // The action changed (or is going: Action is null then).
    virtual void Change() {}

    TBasicAction* FAction = nullptr;
};

// Points a client's Link at Action, making the link for Client when it has none; no action drops
// the link. True when the link took another action, which the client then shows.
template<class TLink, class TClient>
bool ChangeActionLink(std::unique_ptr<TLink>& Link, TClient* Client, TBasicAction* Action)
{
    if (Action == (Link ? Link->Action() : nullptr))
        return false;
    if (!Action) {
        Link.reset();
        return false;
    }
    if (!Link)
        Link = std::make_unique<TLink>(Client);
    Link->SetAction(Action);
    return true;
}

class TBasicAction : public TComponent {
    CL_CLASS(TBasicAction, TComponent)
public:
    using TComponent::TComponent;
    // The links let go of the action.
    void BeforeDestruction() override;

    // Calls OnExecute; true when it was assigned.
    virtual bool Execute();
    // Calls OnUpdate; true when it was assigned.
    virtual bool Update();
    // The component that runs the action through its link, while it runs.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* value) { FActionComponent = value; }

    TNotifyEvent OnExecute() const { return FOnExecute; }
    void SetOnExecute(TNotifyEvent value);
    TNotifyEvent OnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(TNotifyEvent value) { FOnUpdate = value; }

protected:
    friend class TBasicActionLink;
    // Tells every link that the action changed.
    void Change();

private:
    std::vector<TBasicActionLink*> FClients;
    TComponent* FActionComponent = nullptr;
    TNotifyEvent FOnExecute;
    TNotifyEvent FOnUpdate;
};

class TCustomAction : public TBasicAction {
    CL_CLASS(TCustomAction, TBasicAction)
public:
    using TBasicAction::TBasicAction;
    void BeforeDestruction() override;

    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* value);
    int Index() const;

    // A change reaches every linked control.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value) { SetProperty(FCaption, value); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { SetProperty(FEnabled, value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { SetProperty(FVisible, value); }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { SetProperty(FChecked, value); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { SetProperty(FHint, value); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { SetProperty(FImageIndex, value); }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value) { SetProperty(FShortCut, value); }

private:
    template<class T>
    void SetProperty(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Change();
    }

    TCustomActionList* FActionList = nullptr;
    String FCaption;
    bool FEnabled = true;
    bool FVisible = true;
    bool FChecked = false;
    String FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
};

class TAction : public TCustomAction {
    CL_CLASS(TAction, TCustomAction)
public:
    using TCustomAction::TCustomAction;
};

class TCustomActionList : public TComponent {
    CL_CLASS(TCustomActionList, TComponent)
public:
    using TComponent::TComponent;
    void BeforeDestruction() override;

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TCustomAction* Actions(int index) const;

private:
    friend class TCustomAction;
    std::vector<TCustomAction*> FActions;
};

class TActionList : public TCustomActionList {
    CL_CLASS(TActionList, TCustomActionList)
public:
    using TCustomActionList::TCustomActionList;
};

}  // namespace vcl
