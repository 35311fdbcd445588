#include "vcl/actnlist.h"

#include <algorithm>

namespace vcl {

// =============================================================================================
// TBasicActionLink

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* value)
{
    if (FAction == value)
        return;
    if (FAction)
        std::erase(FAction->FClients, this);
    FAction = value;
    if (value)
        value->FClients.push_back(this);
}

bool TBasicActionLink::Execute(TComponent* Target)
{
    if (!FAction)
        return false;
    FAction->SetActionComponent(Target);
    const TScopeExit reset([action = FAction] { action->SetActionComponent(nullptr); });
    return FAction->Execute();
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

// =============================================================================================
// TBasicAction

void TBasicAction::BeforeDestruction()
{
    while (!FClients.empty()) {
        TBasicActionLink* link = FClients.back();
        FClients.pop_back();
        link->FAction = nullptr;
    }
    TComponent::BeforeDestruction();
}

void TBasicAction::Change()
{
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients))
        link->Change();
}

void TBasicAction::SetOnExecute(TNotifyEvent value)
{
    if (FOnExecute == value)
        return;
    FOnExecute = value;
    Change();
}

bool TBasicAction::Execute()
{
    TNotifyEvent handler = FOnExecute;
    if (!handler)
        return false;
    handler(this);
    return true;
}

bool TBasicAction::Update()
{
    TNotifyEvent handler = FOnUpdate;
    if (!handler)
        return false;
    handler(this);
    return true;
}

void TCustomAction::BeforeDestruction()
{
    SetActionList(nullptr);
    TBasicAction::BeforeDestruction();
}

void TCustomAction::SetActionList(TCustomActionList* value)
{
    if (FActionList == value)
        return;
    if (FActionList) {
        auto& list = FActionList->FActions;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    FActionList = value;
    if (value)
        value->FActions.push_back(this);
}

int TCustomAction::Index() const
{
    if (!FActionList)
        return -1;
    const auto& list = FActionList->FActions;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TCustomActionList::BeforeDestruction()
{
    while (!FActions.empty())
        FActions.back()->SetActionList(nullptr);
    TComponent::BeforeDestruction();
}

TCustomAction* TCustomActionList::Actions(int index) const
{
    if (index < 0 || index >= ActionCount())
        throw EListError(L"Action index out of bounds");
    return FActions[static_cast<size_t>(index)];
}

}  // namespace vcl
