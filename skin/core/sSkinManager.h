#pragma once
// The skin manager component that a form holds: which skin to use and where to find it. For now
// it keeps what the form sets on it; loading the skin comes later.
#include "vcl/classes.h"

#include <array>
#include <memory>

namespace skin {

// One internal skin: a packed skin that the program carries under a name.
class TsStoredSkin : public vcl::TCollectionItem {
    CL_CLASS(TsStoredSkin, vcl::TCollectionItem)
public:
    using vcl::TCollectionItem::TCollectionItem;

    const vcl::String& Name() const { return FName; }
    void SetName(const vcl::String& value) { FName = value; }

protected:
    vcl::String GetDisplayName() const override { return FName; }

private:
    vcl::String FName;
};

class TsStoredSkins : public vcl::TOwnedCollection {
    CL_CLASS(TsStoredSkins, vcl::TOwnedCollection)
public:
    explicit TsStoredSkins(vcl::TPersistent* AOwner)
        : vcl::TOwnedCollection(AOwner, vcl::CollectionItemClass<TsStoredSkin>())
    {
    }

    TsStoredSkin* Items(int index) const { return ItemsAs<TsStoredSkin>(index); }
    TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(vcl::TCollection::Add()); }
};

// How skinned menus look.
class TacMenuSupport : public vcl::TPersistent {
    CL_CLASS(TacMenuSupport, vcl::TPersistent)
public:
    // The skin section of the icon column.
    const vcl::String& IcoLineSkin() const { return FIcoLineSkin; }
    void SetIcoLineSkin(const vcl::String& value) { FIcoLineSkin = value; }

private:
    vcl::String FIcoLineSkin;
};

// The class names, one per line, of standard controls that the skin library skins by kind of
// wrapper. A single blank is a list that names no class.
class ThirdPartyList : public vcl::TPersistent {
    CL_CLASS(ThirdPartyList, vcl::TPersistent)
public:
    enum Index {
        ThirdEdits, ThirdButtons, ThirdBitBtns, ThirdCheckBoxes, ThirdComboBoxes, ThirdGrids, ThirdGroupBoxes,
        ThirdListViews, ThirdPanels, ThirdTreeViews, ThirdWWEdits, ThirdGridEh, ThirdVirtualTrees,
        ThirdPageControl, ThirdTabControl, ThirdToolBar, ThirdStatusBar, ThirdSpeedButton, ThirdScrollControl,
        ThirdUpDown, ThirdScrollBar, Count
    };

    // Indexes outside 0 to Count - 1 read nothing and write nothing.
    vcl::String GetString(int index) const;
    void SetString(int index, const vcl::String& value);

private:
    std::array<vcl::String, Count> FLists;
};

class TsSkinManager : public vcl::TComponent {
    CL_CLASS(TsSkinManager, vcl::TComponent)
public:
    explicit TsSkinManager(vcl::TComponent* AOwner);

    const vcl::String& SkinName() const { return FSkinName; }
    void SetSkinName(const vcl::String& value) { FSkinName = value; }
    // The folder of skin folders and packed skin files.
    const vcl::String& SkinDirectory() const { return FSkinDirectory; }
    void SetSkinDirectory(const vcl::String& value) { FSkinDirectory = value; }
    // INI text merged into every skin.
    vcl::TStringList* CommonSections() const { return FCommonSections.get(); }
    TsStoredSkins* InternalSkins() const { return FBuiltInSkins.get(); }
    TacMenuSupport* MenuSupport() const { return FMenuSupport.get(); }
    ThirdPartyList* ThirdParty() const { return FThirdParty.get(); }

private:
    vcl::String FSkinName;
    vcl::String FSkinDirectory;
    std::unique_ptr<TsStoredSkins> FBuiltInSkins;
    std::unique_ptr<vcl::TStringList> FCommonSections;
    std::unique_ptr<TacMenuSupport> FMenuSupport;
    std::unique_ptr<ThirdPartyList> FThirdParty;
};

}  // namespace skin
