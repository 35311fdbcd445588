// The data of menus: the item tree, radio groups and ownership.
#include "vcl/forms.h"
#include "vcl/menus.h"

#include <gtest/gtest.h>

using namespace vcl;

namespace {

TMenuItem* NewItem(TComponent* owner, const String& name, TMenuItem* parent)
{
    auto* item = Create<TMenuItem>(owner);
    item->SetName(name);
    parent->Add(item);
    return item;
}

}  // namespace

TEST(Menus, ItemsFormATreeUnderTheirMenu)
{
    TObjectPtr<TComponent> form(Create<TComponent>(nullptr));
    auto* menu = Create<TPopupMenu>(form.get());
    TMenuItem* language = NewItem(form.get(), L"nLanguage", menu->Items());
    TMenuItem* russian = NewItem(form.get(), L"nRussian", language);
    TMenuItem* english = NewItem(form.get(), L"nEnglish", language);
    TMenuItem* speed = NewItem(form.get(), L"nSpeed", menu->Items());

    EXPECT_EQ(2, menu->Items()->Count());
    EXPECT_EQ(language, russian->Parent());
    EXPECT_EQ(1, english->MenuIndex());
    EXPECT_EQ(menu, english->GetParentMenu());
    EXPECT_EQ(nullptr, Create<TMenuItem>(form.get())->GetParentMenu());
    EXPECT_THROW(speed->Add(russian), EMenuError) << "an item lives in one menu";

    english->SetMenuIndex(0);
    EXPECT_EQ(english, language->Items(0));
    language->Delete(0);
    EXPECT_EQ(nullptr, english->Parent());
    EXPECT_EQ(1, language->Count());

    int clicks = 0;
    russian->SetOnClick(TNotifyEvent([&](TObject* sender) { clicks += sender == russian; }));
    russian->Click();
    EXPECT_EQ(1, clicks);

    language->Free();
    EXPECT_EQ(nullptr, form->FindComponent(L"nRussian")) << "an item frees the items it lists";
    EXPECT_NE(nullptr, form->FindComponent(L"nEnglish"));
    EXPECT_EQ(1, menu->Items()->Count());
}

TEST(Menus, CheckingARadioItemUnchecksItsGroup)
{
    TObjectPtr<TComponent> form(Create<TComponent>(nullptr));
    auto* menu = Create<TMainMenu>(form.get());
    std::vector<TMenuItem*> items;
    for (int i = 0; i < 4; ++i) {
        items.push_back(NewItem(form.get(), L"n" + std::to_wstring(i), menu->Items()));
        items.back()->SetRadioItem(i < 3);
        items.back()->SetGroupIndex(i == 2 ? 1 : 0);
    }
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    items[3]->SetChecked(true);
    items[1]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[2]->Checked()) << "another group";
    EXPECT_TRUE(items[3]->Checked()) << "not a radio item";
}
