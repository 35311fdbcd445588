#include "skin/core/sSkinManagerStoredSkins.h"

#include "skin/core/sSkinManager.h"
#include "skin/graphics/acStreamBytes.h"

namespace skin {

// ---------------------------------------------------------------------------------------------
// TsStoredSkin

TsStoredSkin::TsStoredSkin(vcl::TCollection* Collection)
    : vcl::TCollectionItem(Collection),
      PackedData(std::make_unique<vcl::TMemoryStream>()),
      FMasterBitmap(vcl::Create<vcl::TBitmap>())
{
}

TsStoredSkin::~TsStoredSkin() = default;

void TsStoredSkin::Assign(vcl::TPersistent* Source)
{
    const auto* source = dynamic_cast<TsStoredSkin*>(Source);
    if (!source) {
        vcl::TCollectionItem::Assign(Source);
        return;
    }
    SetStreamBytes(PackedData.get(), StreamBytes(source->PackedData.get()));
    FName = source->FName;
    FMasterBitmap->Assign(source->FMasterBitmap.get());
    FShadow1Color = source->FShadow1Color;
    FShadow1Offset = source->FShadow1Offset;
    FShadow1Blur = source->FShadow1Blur;
    FShadow1Transparency = source->FShadow1Transparency;
    FBorderColor = source->FBorderColor;
    FVersion = source->FVersion;
    FAuthor = source->FAuthor;
    FDescription = source->FDescription;
}

void TsStoredSkin::ReadData(vcl::TStream* Stream) { SetStreamBytes(PackedData.get(), Stream->ReadBinaryProperty()); }

void TsStoredSkin::WriteData(vcl::TStream* Stream) const { Stream->WriteBinaryProperty(StreamBytes(PackedData.get())); }

// ---------------------------------------------------------------------------------------------
// TsStoredSkins

TsStoredSkins::TsStoredSkins(TsSkinManager* AOwner)
    : vcl::TCollection(vcl::CollectionItemClass<TsStoredSkin>()), FOwner(AOwner)
{
}

// The manager is going away with its list: no event reaches it from the items' removal.
TsStoredSkins::~TsStoredSkins() { FOwner = nullptr; }

void TsStoredSkins::Update(vcl::TCollectionItem* Item)
{
    vcl::TCollection::Update(Item);
    if (FOwner && FOwner->OnSkinListChanged())
        FOwner->OnSkinListChanged()(FOwner);
}

int TsStoredSkins::IndexOf(const vcl::String& SkinName) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Name() == SkinName)
            return i;
    return -1;
}

void TsStoredSkins::Assign(vcl::TPersistent*) {}

vcl::TPersistent* TsStoredSkins::GetOwner() { return FOwner; }

}  // namespace skin
