#pragma once
// The extended combo box over the system's ComboBoxEx32 (included by vcl/comctrls.h): items with
// an image, an image while selected and an indent, kept in a collection (ItemsEx) that a string
// list view (Items) shares. The system's inner combo box and its edit pass their messages
// through ComboWndProc, as a plain combo box's children do.
#include "vcl/comctrls.h"
#include "vcl/imglist.h"

namespace vcl {

enum class TComboBoxExStyle { csExDropDown, csExSimple, csExDropDownList };

class TCustomComboBoxEx;

class TComboExItem : public TCollectionItem {
    CL_CLASS(TComboExItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // The image the item shows while it is the selection; -1: its ImageIndex.
    int SelectedImageIndex() const { return FSelectedImageIndex; }
    void SetSelectedImageIndex(int value);
    // Steps of 10 pixels the item stands in from the left.
    int Indent() const { return FIndent; }
    void SetIndent(int value);
    void* Data() const { return FData; }
    void SetData(void* value) { FData = value; }
    void Assign(TPersistent* Source) override;

protected:
    String GetDisplayName() const override { return FCaption; }

private:
    template <class T>
    void SetShown(T& Field, const T& Value)
    {
        if (ChangeField(Field, Value))
            Changed(false);
    }

    String FCaption;
    int FImageIndex = -1;
    int FSelectedImageIndex = -1;
    int FIndent = 0;
    void* FData = nullptr;
};

class TComboExItems : public TCollection {
    CL_CLASS(TComboExItems, TCollection)
public:
    explicit TComboExItems(TCustomComboBoxEx* ComboBox);

    TComboExItem* Items(int index) const { return ItemsAs<TComboExItem>(index); }
    TComboExItem* Add() { return static_cast<TComboExItem*>(TCollection::Add()); }
    TComboExItem* Insert(int index) { return static_cast<TComboExItem*>(TCollection::Insert(index)); }

protected:
    TPersistent* GetOwner() override;
    void Update(TCollectionItem* Item) override;

private:
    TCustomComboBoxEx* FComboBox;
};

// The items as texts with their data as objects.
class TComboExStrings : public TStrings {
    CL_CLASS(TComboExStrings, TStrings)
public:
    explicit TComboExStrings(TComboExItems* Items) : FItems(Items) {}

    int Count() const override { return FItems->Count(); }
    void Insert(int index, const String& s) override { FItems->Insert(index)->SetCaption(s); }
    void Delete(int index) override { FItems->Delete(index); }
    void Clear() override { FItems->Clear(); }

protected:
    String Get(int index) const override;
    void Put(int index, const String& s) override { FItems->Items(index)->SetCaption(s); }
    TObject* GetObject(int index) const override { return static_cast<TObject*>(FItems->Items(index)->Data()); }
    void PutObject(int index, TObject* object) override { FItems->Items(index)->SetData(object); }
    // An update of the strings is one of the items: the window is filled once at its end.
    void SetUpdateState(bool updating) override;

private:
    TComboExItems* FItems;
};

class TCustomComboBoxEx : public TCustomComboBox {
    CL_CLASS(TCustomComboBoxEx, TCustomComboBox)
public:
    explicit TCustomComboBoxEx(TComponent* AOwner);
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TComboExItems* ItemsEx() const { return FItemsEx.get(); }
    void SetItemsEx(TComboExItems* value) { FItemsEx->Assign(value); }
    TStrings* Items() const override { return FItemsView.get(); }
    // A window style: a change re-creates the window around the same items.
    TComboBoxExStyle Style() const { return FStyleEx; }
    void SetStyle(TComboBoxExStyle value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    // The focus is in the inner combo box or its edit.
    bool Focused() const override;

    // A user's choice from the list (not one made by code).
    TNotifyEvent OnSelect() const { return FOnSelect; }
    void SetOnSelect(TNotifyEvent value) { FOnSelect = value; }
    TNotifyEvent OnBeginEdit() const { return FOnBeginEdit; }
    void SetOnBeginEdit(TNotifyEvent value) { FOnBeginEdit = value; }
    TNotifyEvent OnEndEdit() const { return FOnEndEdit; }
    void SetOnEndEdit(TNotifyEvent value) { FOnEndEdit = value; }

    void Dispatch(TMessage& Message) override;

protected:
    friend class TComboExItems;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void SubclassChildren() override;
    // OnSelect, else OnChange.
    void Select() override;
    // An item changed (null: the list): the window shows it.
    void ItemsExChanged(TComboExItem* Item);

private:
    COMBOBOXEXITEMW WindowItem(int Index, String& Text) const;
    void FillWindow();
    void ImageListChange(TObject* Sender);
    void ApplyImages();
    void CNNotify(TMessage& Message);

    std::unique_ptr<TComboExItems> FItemsEx;
    std::unique_ptr<TComboExStrings> FItemsView;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    TComboBoxExStyle FStyleEx = TComboBoxExStyle::csExDropDown;
    TCustomImageList* FImages = nullptr;
    TNotifyEvent FOnSelect;
    TNotifyEvent FOnBeginEdit;
    TNotifyEvent FOnEndEdit;
};

class TComboBoxEx : public TCustomComboBoxEx {
    CL_CLASS(TComboBoxEx, TCustomComboBoxEx)
public:
    using TCustomComboBoxEx::TCustomComboBoxEx;
};

}  // namespace vcl
