#pragma once
// The control adapter of a skinned form: it walks the form's controls and hands each supported
// plain control to a window wrapper that skins it (a plain speed button to a handler that paints
// it), recolours plain labels and gives nested forms their own provider.
//
// Which controls are taken is decided by their class, by the class-name lists of the manager
// (ThirdParty: the list a class name stands in chooses the kind of wrapper) and by the provider's
// OnSkinItem event. A control or component tagged -98 is never taken. The wrappers themselves come
// from a factory (WrapperFactory): an item for which no wrapper is made is dropped at once.
//
// An item lives as long as its wrapper: a wrapper whose window went away reports Destroyed; the
// next CleanItems drops the item, or the next AddNewItem of the same control wraps it afresh.
#include <memory>
#include <vector>

#include "skin/controls/sControlWrappers.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManagerOptions.h"
#include "vcl/buttons.h"
#include "vcl/classes.h"
#include "vcl/controls.h"
#include "vcl/messages.h"

namespace skin {

class TsSkinManager;
class TsSkinProvider;

// ---------------------------------------------------------------------------------------------
// The wrappers, as the adapter keeps them

// A window wrapper: it has taken over a plain control's window and skins it; freeing it gives the
// window back.
class TacAdaptedWnd : public TacControlWrapper {};

// A speed-button handler: it has taken over a plain speed button and paints it skinned; freeing it
// gives the button back.
class TacAdaptedButton {
public:
    virtual ~TacAdaptedButton() = default;
    // The handler gave its button back.
    virtual bool Destroyed() const = 0;
    // Forgets the button, which is going away with the application, so that freeing the handler
    // leaves it untouched.
    virtual void ForgetControl() = 0;
};

// Makes the wrappers and handlers the adapter asks for.
class TacWrapperFactory {
public:
    virtual ~TacWrapperFactory() = default;
    // The wrapper of the list Kind (never ThirdSpeedButton) over Ctrl's window, painted with
    // SkinData, Manager and Section and repainted at once; none when the factory makes none. The
    // wrapper of ThirdWWEdits is given the control itself, and that of ThirdScrollBar knows a
    // TScrollBar as its control.
    virtual std::unique_ptr<TacAdaptedWnd> MakeWrapper(ThirdPartyList::Index Kind, vcl::TWinControl* Ctrl,
                                                       TsCommonData* SkinData, TsSkinManager* Manager,
                                                       const vcl::String& Section) = 0;
    // The handler of a plain speed button, of the same form; none when the factory makes none.
    virtual std::unique_ptr<TacAdaptedButton> MakeSpeedButtonHandler(vcl::TControl* Ctrl, TsCommonData* SkinData,
                                                                     TsSkinManager* Manager,
                                                                     const vcl::String& Section) = 0;
};

// The factory in force. The program's makes no wrapper yet, so plain controls stay plain.
TacWrapperFactory& WrapperFactory();
// Puts Factory in force (none: the program's again) and answers the one it replaces.
TacWrapperFactory* SetWrapperFactory(TacWrapperFactory* Factory);

// ---------------------------------------------------------------------------------------------
// The adapter

class TacCtrlAdapter;

// One plain windowed control handed to a window wrapper.
class TacAdapterItem : public vcl::TPersistent {
    CL_CLASS(TacAdapterItem, vcl::TPersistent)
public:
    // The item of Adapter for Ctrl, without a wrapper yet.
    TacAdapterItem(TacCtrlAdapter* AAdapter, vcl::TWinControl* AControl);

    // Wraps Control by the first list (in list order) that names its class; nothing for a
    // control tagged -98, one without a window or parent, a skinned control, or a class no list
    // names.
    virtual void DoHook(vcl::TWinControl* Control);

    vcl::TWinControl* WinCtrl;               // not owned
    std::unique_ptr<TsCommonData> SkinData;  // the wrapper paints with it; its section is the item's
    TacCtrlAdapter* Adapter;
    std::unique_ptr<TacAdaptedWnd> ScrollWnd;  // the wrapper; none until DoHook makes one
};

// One plain speed button handed to a speed-button handler.
class TacGraphItem : public vcl::TPersistent {
    CL_CLASS(TacGraphItem, vcl::TPersistent)
public:
    // The item of Adapter for Ctrl, without a handler yet.
    TacGraphItem(TacCtrlAdapter* AAdapter, vcl::TControl* AControl);

    // Gives Control its handler, with the item's section; nothing for a control tagged -98.
    virtual void DoHook(vcl::TControl* Control);

    vcl::TControl* Ctrl;  // not owned
    std::unique_ptr<TsCommonData> SkinData;
    TacCtrlAdapter* Adapter;
    std::unique_ptr<TacAdaptedButton> Handler;  // none until DoHook makes one
};

class TacCtrlAdapter : public vcl::TPersistent {
    CL_CLASS(TacCtrlAdapter, vcl::TPersistent)
public:
    explicit TacCtrlAdapter(TsSkinProvider* AProvider) : Provider(AProvider) {}
    // Drops the dead items, then frees the others.
    ~TacCtrlAdapter() override;

    // The control may be taken: not tagged -98; windowed ones with a window and not skinned
    // already. A label, and a speed button whose class a list names, when OnSkinItem agrees; a
    // frame when OnSkinItem agrees, a form when it agrees to the section "FORM"; another windowed
    // control when a list names its class (OnSkinItem is asked when it is added).
    virtual bool IsControlSupported(vcl::TComponent* Control);
    // Takes every supported control under OwnerCtrl (the provider's form when none), its owned
    // components and its child controls at every depth, and recolours their plain labels with the
    // skin's font colour. Nothing while a walk runs already or when the manager's SkinningRules
    // lack srThirdParty.
    void AddAllItems(vcl::TWinControl* OwnerCtrl = nullptr);
    // Takes one windowed control with DefaultSection.
    virtual void AddNewItem(vcl::TWinControl* Ctrl);
    // Takes one windowed control when OnSkinItem agrees: a form gets a provider of its own (with
    // the event's section, else "FORM"); another control gets an item, with the event's section,
    // and a wrapper (a fresh one when its wrapper died). Nothing for a control tagged -98, one
    // without a parent, or a skinned one.
    virtual void AddNewItem(vcl::TWinControl* Ctrl, const vcl::String& Section);
    // Takes a plain speed button when OnSkinItem agrees, in the section "SPEEDBUTTON_SMALL" when
    // it is flat, else "SPEEDBUTTON", whatever the event proposed.
    virtual void AddNewItem(vcl::TSpeedButton* Ctrl);
    int Count() const { return int(Items.size()); }
    // The item at Index; none outside the list.
    virtual TacAdapterItem* GetItem(int Index);
    // The index of Ctrl's item; -1 when it has none.
    int IndexOf(const vcl::TWinControl* Ctrl) const;
    // The adapter lends no skin data of its own: always none.
    virtual TsCommonData* GetCommonData(int Index);
    // Frees the item at Index (within the list); the last item takes its place.
    virtual void RemoveItem(int Index);
    // Drops every item whose wrapper is missing or destroyed, and every graphic item whose handler
    // is, keeping the order of the others.
    void CleanItems();
    // Frees every item and every graphic item, the last first. While the application terminates
    // the speed buttons may be gone already, so their handlers forget them first.
    void RemoveAllItems();
    // Sends the message to the window of every wrapped control that has a parent and whose
    // wrapper lives (the skin's removal and repaint reach the wrappers so).
    virtual void WndProc(vcl::TMessage& Message);

    vcl::String DefaultSection;  // the section of the one-argument AddNewItem
    std::vector<std::unique_ptr<TacAdapterItem>> Items;
    std::vector<std::unique_ptr<TacGraphItem>> GraphItems;
    TsSkinProvider* Provider;  // the owning provider

private:
    // The provider's manager; none without one.
    TsSkinManager* Manager() const;
    // A list of the manager names ClassName exactly.
    bool Listed(const vcl::String& ClassName) const;
    // OnSkinItem's answer for Item (yes when unassigned); the event may change Section.
    bool SkinItemAllowed(vcl::TComponent* Item, vcl::String& Section);
    // The walk of AddAllItems under Owner, without its guard.
    void AddItemsUnder(vcl::TWinControl* Owner);
    // The index of Ctrl's graphic item; -1 when it has none.
    int GraphIndexOf(const vcl::TControl* Ctrl) const;
    // A nested form's own provider, in Section ("FORM" when empty).
    void GiveProvider(vcl::TForm* Form, const vcl::String& Section);
};

}  // namespace skin
