#include "vcl/classes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vcl;

namespace {

// Records what it sees into a shared log: "<name> <event> <other>".
class TRecorder : public TComponent {
    CL_CLASS(TRecorder, TComponent)
public:
    TRecorder(TComponent* AOwner, std::vector<String>* log, const String& tag)
        : TComponent(AOwner), FLog(log), FTagText(tag)
    {
    }

    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        const auto* other = dynamic_cast<TRecorder*>(AComponent);
        FLog->push_back(FTagText + (Operation == TOperation::opInsert ? L" insert " : L" remove ") +
                        (other ? other->FTagText : String(L"?")));
    }
    void Loaded() override
    {
        TComponent::Loaded();
        FLog->push_back(FTagText + L" loaded");
    }
    void BeforeDestruction() override
    {
        FLog->push_back(FTagText + L" free" +
                        (ComponentState().Contains(TComponentStateItem::csDestroying) ? L" destroying" : L""));
        TComponent::BeforeDestruction();
    }

private:
    std::vector<String>* FLog;
    String FTagText;
};

class TProbe : public TComponent {
    CL_CLASS(TProbe, TComponent)
public:
    explicit TProbe(TComponent* AOwner) : TComponent(AOwner) {}
    void AfterConstruction() override
    {
        TComponent::AfterConstruction();
        Seen = Marker();
    }
    virtual int Marker() const { return 0; }
    int Seen = -1;
};

class TDerivedProbe : public TProbe {
    CL_CLASS(TDerivedProbe, TProbe)
public:
    explicit TDerivedProbe(TComponent* AOwner) : TProbe(AOwner), FValue(42) {}
    int Marker() const override { return FValue; }

private:
    int FValue;
};

class ComponentTest : public testing::Test {
protected:
    TRecorder* Make(TComponent* owner, const String& tag) { return Create<TRecorder>(owner, &log, tag); }
    std::vector<String> log;
};

}  // namespace

TEST_F(ComponentTest, AfterConstructionSeesTheMostDerivedObject)
{
    TObjectPtr<TDerivedProbe> probe(Create<TDerivedProbe>(nullptr));
    EXPECT_EQ(probe->Seen, 42);
    EXPECT_EQ(probe->ClassName(), L"TDerivedProbe");
}

TEST_F(ComponentTest, InsertNotificationComesAfterConstructionToTheWholeOwnerTree)
{
    TRecorder* owner = Make(nullptr, L"owner");
    TRecorder* a = Make(owner, L"a");
    log.clear();
    TRecorder* b = Make(owner, L"b");
    EXPECT_EQ(log, (std::vector<String>{L"b insert b", L"a insert b", L"owner insert b"}));
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_THROW(owner->Components(2), EListError);
    owner->Free();
}

TEST_F(ComponentTest, FreeingTheOwnerFreesLastToFirstAndSiblingsHearOfIt)
{
    TRecorder* owner = Make(nullptr, L"owner");
    Make(owner, L"a");
    Make(owner, L"b");
    Make(owner, L"c");
    log.clear();
    owner->Free();
    const std::vector<String> expected = {
        L"owner free",
        L"c free destroying", L"c remove c", L"b remove c", L"a remove c", L"owner remove c",
        L"b free destroying", L"b remove b", L"a remove b", L"owner remove b",
        L"a free destroying", L"a remove a", L"owner remove a",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(ComponentTest, FreeingOneComponentLeavesItsOwner)
{
    TRecorder* owner = Make(nullptr, L"owner");
    TRecorder* a = Make(owner, L"a");
    TRecorder* b = Make(owner, L"b");
    log.clear();
    a->Free();
    EXPECT_EQ(log, (std::vector<String>{L"a free", L"b remove a", L"a remove a", L"owner remove a"}));
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
    owner->Free();
}

TEST_F(ComponentTest, FreeNotificationLinksComponentsOfDifferentOwners)
{
    TRecorder* watcher = Make(nullptr, L"watcher");
    TRecorder* owner = Make(nullptr, L"owner");
    TRecorder* target = Make(owner, L"target");
    watcher->FreeNotification(target);
    log.clear();
    target->Free();
    EXPECT_EQ(log.front(), L"target free");
    EXPECT_NE(std::find(log.begin(), log.end(), L"watcher remove target"), log.end());

    TRecorder* other = Make(owner, L"other");
    watcher->FreeNotification(other);
    log.clear();
    watcher->Free();  // the link works both ways
    EXPECT_NE(std::find(log.begin(), log.end(), L"other remove watcher"), log.end());
    log.clear();
    other->Free();  // and is gone once either side went
    EXPECT_EQ(std::count(log.begin(), log.end(), L"watcher remove other"), 0);
    owner->Free();
}

TEST_F(ComponentTest, NamesAreIdentifiersUniqueInTheOwnerWithoutCase)
{
    TObjectPtr<TComponent> owner(Create<TComponent>(nullptr));
    TComponent* a = Create<TComponent>(owner.get());
    TComponent* b = Create<TComponent>(owner.get());
    a->SetName(L"btYes");
    EXPECT_THROW(b->SetName(L"BTYES"), EComponentError);
    EXPECT_EQ(b->Name(), L"");
    b->SetName(L"btNo");
    a->SetName(L"BtYes");  // a new spelling of its own name is no clash
    EXPECT_EQ(a->Name(), L"BtYes");
    for (const wchar_t* bad : {L"1abc", L"a b", L"a-b", L"a.b"})
        EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
    EXPECT_EQ(owner->FindComponent(L"btno"), b);
    EXPECT_EQ(owner->FindComponent(L"missing"), nullptr);
    EXPECT_EQ(owner->FindComponent(L""), nullptr);

    TObjectPtr<TComponent> elsewhere(Create<TComponent>(nullptr));
    TComponent* c = Create<TComponent>(elsewhere.get());
    c->SetName(L"btYes");  // another owner: no clash
    EXPECT_THROW(owner->InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), elsewhere.get());
    c->SetName(L"_moved1");
    owner->InsertComponent(c);
    EXPECT_EQ(c->Owner(), owner.get());
    EXPECT_EQ(elsewhere->ComponentCount(), 0);
}

TEST_F(ComponentTest, LoadingMarksComponentsAndCallsLoadedInCreationOrder)
{
    TRecorder* form = Make(nullptr, L"form");
    BeginLoading(form);
    TRecorder* a = Make(form, L"a");
    TRecorder* b = Make(form, L"b");
    EXPECT_TRUE(a->ComponentState().Contains(TComponentStateItem::csLoading));
    EXPECT_TRUE(b->ComponentState().Contains(TComponentStateItem::csReading));
    log.clear();
    EndLoading(form);
    EXPECT_EQ(log, (std::vector<String>{L"a loaded", L"b loaded", L"form loaded"}));
    for (TComponent* c : {static_cast<TComponent*>(form), static_cast<TComponent*>(a), static_cast<TComponent*>(b)})
        EXPECT_TRUE(c->ComponentState().Empty());
    TRecorder* later = Make(form, L"later");
    EXPECT_TRUE(later->ComponentState().Empty());
    form->Free();
}

TEST_F(ComponentTest, AssigningUnrelatedClassesRaises)
{
    TObjectPtr<TComponent> a(Create<TComponent>(nullptr));
    TObjectPtr<TComponent> b(Create<TComponent>(nullptr));
    EXPECT_THROW(a->Assign(b.get()), EConvertError);
    EXPECT_THROW(a->Assign(nullptr), EConvertError);
}

namespace {

class TCountedItem : public TCollectionItem {
    CL_CLASS(TCountedItem, TCollectionItem)
public:
    explicit TCountedItem(TCollection* c) : TCollectionItem(c) {}
    void Assign(TPersistent* Source) override
    {
        if (auto* item = dynamic_cast<TCountedItem*>(Source)) {
            Value = item->Value;
            return;
        }
        TCollectionItem::Assign(Source);
    }
    int Value = 0;
};

class TCountingCollection : public TOwnedCollection {
    CL_CLASS(TCountingCollection, TOwnedCollection)
public:
    explicit TCountingCollection(TPersistent* owner) : TOwnedCollection(owner, CollectionItemClass<TCountedItem>()) {}
    std::vector<TCollectionItem*> updates;
    TPersistent* Owner() { return GetOwner(); }

protected:
    void Update(TCollectionItem* Item) override { updates.push_back(Item); }
};

}  // namespace

TEST(Collection, ItemsAreOwnedTypedAndReportChanges)
{
    TObjectPtr<TComponent> owner(Create<TComponent>(nullptr));
    TObjectPtr<TCountingCollection> list(Create<TCountingCollection>(owner.get()));
    EXPECT_EQ(list->Owner(), owner.get());
    auto* first = static_cast<TCountedItem*>(list->Add());
    auto* second = static_cast<TCountedItem*>(list->Add());
    EXPECT_EQ(list->updates, (std::vector<TCollectionItem*>{nullptr, nullptr}));
    EXPECT_EQ(second->Index(), 1);
    EXPECT_EQ(second->ID(), 1);
    EXPECT_EQ(list->ItemsAs<TCountedItem>(0), first);
    EXPECT_EQ(list->FindItemID(1), second);
    EXPECT_EQ(first->DisplayName(), L"TCountedItem");

    list->updates.clear();
    second->SetIndex(0);
    EXPECT_EQ(list->Items(0), second);
    list->BeginUpdate();
    list->Add();
    list->Delete(2);
    list->EndUpdate();
    EXPECT_EQ(list->updates, (std::vector<TCollectionItem*>{nullptr, nullptr}));  // SetIndex, then EndUpdate once
    EXPECT_THROW(list->Items(2), EListError);

    first->Value = 7;
    TObjectPtr<TCountingCollection> copy(Create<TCountingCollection>(nullptr));
    copy->Assign(list.get());
    ASSERT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->ItemsAs<TCountedItem>(1)->Value, 7);

    auto* inserted = list->Insert(0);
    EXPECT_EQ(list->Items(0), inserted);
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
}

TEST(List, PointersWithRangeChecks)
{
    TObjectPtr<TList> list(Create<TList>());
    int a = 1, b = 2, c = 3;
    list->Add(&a);
    list->Add(&c);
    list->Insert(1, &b);
    EXPECT_EQ(list->Items(1), &b);
    EXPECT_EQ(list->IndexOf(&c), 2);
    list->Move(2, 0);
    EXPECT_EQ(list->First(), &c);
    EXPECT_EQ(list->Remove(&a), 1);
    EXPECT_EQ(list->Remove(&a), -1);
    list->Add(nullptr);
    list->Pack();
    EXPECT_EQ(list->Count(), 2);
    list->Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(list->Last(), &c);
    EXPECT_THROW(list->Items(2), EListError);
    EXPECT_THROW(list->Insert(3, &a), EListError);
    EXPECT_THROW(list->Delete(-1), EListError);
}
