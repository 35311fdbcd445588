#pragma once
// The internal skins of a skin manager: packed skins that the program carries, each under a name.
#include "vcl/bitmaps.h"
#include "vcl/classes.h"

#include <memory>

namespace skin {

class TsSkinManager;

// One internal skin. Only Name and PackedData serve loading; the rest describes the skin and is
// kept and copied with it.
class TsStoredSkin : public vcl::TCollectionItem {
    CL_CLASS(TsStoredSkin, vcl::TCollectionItem)
public:
    explicit TsStoredSkin(vcl::TCollection* Collection);
    ~TsStoredSkin() override;

    // From another stored skin: the packed bytes first, then every property. Other sources (none
    // included) raise the class library's assignment error.
    void Assign(vcl::TPersistent* Source) override;

    const vcl::String& Name() const { return FName; }
    void SetName(const vcl::String& Value) { FName = Value; }
    vcl::TBitmap* MasterBitmap() const { return FMasterBitmap.get(); }
    void SetMasterBitmap(vcl::TBitmap* Value) { FMasterBitmap->Assign(Value); }
    vcl::TColor Shadow1Color() const { return FShadow1Color; }
    void SetShadow1Color(vcl::TColor Value) { FShadow1Color = Value; }
    int Shadow1Offset() const { return FShadow1Offset; }
    void SetShadow1Offset(int Value) { FShadow1Offset = Value; }
    int Shadow1Blur() const { return FShadow1Blur; }
    void SetShadow1Blur(int Value) { FShadow1Blur = Value; }
    int Shadow1Transparency() const { return FShadow1Transparency; }
    void SetShadow1Transparency(int Value) { FShadow1Transparency = Value; }
    vcl::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(vcl::TColor Value) { FBorderColor = Value; }
    double Version() const { return FVersion; }
    void SetVersion(double Value) { FVersion = Value; }
    const vcl::String& Author() const { return FAuthor; }
    void SetAuthor(const vcl::String& Value) { FAuthor = Value; }
    const vcl::String& Description() const { return FDescription; }
    void SetDescription(const vcl::String& Value) { FDescription = Value; }

    // The stored property "Data" in a form stream: the packed bytes as a binary value (0x0A, a
    // 32-bit little-endian count, the bytes), always written, also when empty. Reading replaces
    // PackedData.
    void ReadData(vcl::TStream* Stream);
    void WriteData(vcl::TStream* Stream) const;

    // The packed skin (see acSkinPack); empty when the skin has no data.
    const std::unique_ptr<vcl::TMemoryStream> PackedData;

protected:
    vcl::String GetDisplayName() const override { return FName; }

private:
    vcl::String FName;
    vcl::TObjectPtr<vcl::TBitmap> FMasterBitmap;
    double FVersion = 0;
    vcl::String FDescription;
    vcl::String FAuthor;
    int FShadow1Offset = 0;
    vcl::TColor FShadow1Color = vcl::clBlack;
    int FShadow1Blur = -1;
    int FShadow1Transparency = 0;
    vcl::TColor FBorderColor = vcl::clFuchsia;
};

// The internal skins of one manager, in the order they were added.
class TsStoredSkins : public vcl::TCollection {
    CL_CLASS(TsStoredSkins, vcl::TCollection)
public:
    explicit TsStoredSkins(TsSkinManager* AOwner);
    ~TsStoredSkins() override;

    TsStoredSkin* Items(int Index) const { return ItemsAs<TsStoredSkin>(Index); }
    TsStoredSkin* Add() { return static_cast<TsStoredSkin*>(vcl::TCollection::Add()); }
    // The first skin whose Name is SkinName exactly (letter case counts); -1 when none.
    int IndexOf(const vcl::String& SkinName) const;
    // The list belongs to its manager: assigning another one changes nothing.
    void Assign(vcl::TPersistent* Source) override;

protected:
    vcl::TPersistent* GetOwner() override;
    // A skin added, removed or moved: the owner's OnSkinListChanged, with the manager as sender.
    void Update(vcl::TCollectionItem* Item) override;

private:
    TsSkinManager* FOwner;
};

}  // namespace skin
