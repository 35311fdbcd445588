#pragma once
// Actions: named commands with an execute event, kept in an action list.
#include "vcl/classes.h"
#include "vcl/system.h"

#include <vector>

namespace vcl {

using TShortCut = Word;
class TCustomActionList;

class TBasicAction : public TComponent {
    CL_CLASS(TBasicAction, TComponent)
public:
    using TComponent::TComponent;

    // Calls OnExecute; true when it was assigned.
    virtual bool Execute();
    // Calls OnUpdate; true when it was assigned.
    virtual bool Update();

    TNotifyEvent OnExecute() const { return FOnExecute; }
    void SetOnExecute(TNotifyEvent value) { FOnExecute = value; }
    TNotifyEvent OnUpdate() const { return FOnUpdate; }
    void SetOnUpdate(TNotifyEvent value) { FOnUpdate = value; }

private:
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

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value) { FCaption = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value) { FShortCut = value; }

private:
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
