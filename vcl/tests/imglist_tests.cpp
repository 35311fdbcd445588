#include "vcl/imglist.h"

#include "vcl/tests/graphics_test_support.h"

#include <gtest/gtest.h>

using namespace vcl;
using namespace graphics_test;

namespace {

struct TFreeList {
    void operator()(TCustomImageList* list) const { list->Free(); }
};
using TListPtr = std::unique_ptr<TImageList, TFreeList>;

TListPtr NewList() { return TListPtr(Create<TImageList>(nullptr)); }

std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color)
{
    auto bitmap = MakeBitmap(TPixelFormat::pf24bit, width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

}  // namespace

TEST(ImageList, ImagesGoInAndComeOutThroughTheirMask)
{
    TListPtr list = NewList();
    EXPECT_FALSE(list->HandleAllocated());
    EXPECT_EQ(list->Count(), 0);
    list->SetWidth(4);
    list->SetHeight(4);

    // The mask hides the image's left half (set bits are transparent).
    auto mask = MakeBitmap(TPixelFormat::pf1bit, 4, 4);
    mask->Canvas()->Brush()->SetColor(clWhite);
    mask->Canvas()->FillRect(Rect(0, 0, 2, 4));
    EXPECT_EQ(list->Add(SolidBitmap(4, 4, clRed).get(), nullptr), 0);
    EXPECT_EQ(list->Add(SolidBitmap(4, 4, clBlue).get(), mask.get()), 1);
    EXPECT_EQ(list->Count(), 2);

    auto image = SolidBitmap(1, 1, clFuchsia);
    image->SetPixelFormat(TPixelFormat::pf32bit);
    ASSERT_TRUE(list->GetBitmap(1, image.get()));
    EXPECT_EQ(image->Width(), 4);
    EXPECT_EQ(Pixel32(*image, 3, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(Pixel32(*image, 0, 0) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_FALSE(list->GetBitmap(2, image.get()));

    TIcon icon;
    list->GetIcon(0, &icon);
    EXPECT_EQ(icon.Width(), 4);
    EXPECT_EQ(list->AddIcon(&icon), 2);
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
}

TEST(ImageList, ChangeLinksHearOfChangesUntilEitherSideGoes)
{
    TListPtr list = NewList();
    auto link = std::make_unique<TChangeLink>();
    std::vector<TObject*> senders;
    link->SetOnChange([&](TObject* sender) { senders.push_back(sender); });
    int own = 0;
    list->SetOnChange([&](TObject*) { ++own; });
    list->RegisterChanges(link.get());
    EXPECT_EQ(link->Sender(), list.get());

    list->Add(SolidBitmap(16, 16, clRed).get(), nullptr);
    list->SetBkColor(clWhite);
    EXPECT_EQ(senders, (std::vector<TObject*>{list.get(), list.get()}));
    EXPECT_EQ(own, 2);

    link.reset();
    list->Clear();
    EXPECT_EQ(own, 3);

    auto survivor = std::make_unique<TChangeLink>();
    list->RegisterChanges(survivor.get());
    list.reset();
    EXPECT_EQ(survivor->Sender(), nullptr);
}

TEST(ImageList, BackgroundColourAndSharedHandles)
{
    TListPtr list = NewList();
    EXPECT_EQ(list->BkColor(), clNone);
    list->SetBkColor(clRed);
    list->Handle();
    EXPECT_EQ(list->BkColor(), clRed);
    EXPECT_EQ(ImageList_GetBkColor(list->Handle()), COLORREF(0x0000FF));
    list->SetBkColor(clNone);
    EXPECT_EQ(ImageList_GetBkColor(list->Handle()), CLR_NONE);

    // A taken list gives its size; a shared one outlives its holder.
    HIMAGELIST shared = ImageList_Create(24, 12, ILC_COLOR32 | ILC_MASK, 1, 1);
    TListPtr holder = NewList();
    holder->SetShareImages(true);
    holder->SetHandle(shared);
    EXPECT_EQ(holder->Width(), 24);
    EXPECT_EQ(holder->Height(), 12);
    holder.reset();
    EXPECT_EQ(ImageList_GetImageCount(shared), 0);
    EXPECT_TRUE(ImageList_Destroy(shared));
}

TEST(ImageList, DataWrittenIsReadBack)
{
    TListPtr list = NewList();
    list->Add(SolidBitmap(16, 16, clRed).get(), nullptr);
    list->Add(SolidBitmap(16, 16, clLime).get(), nullptr);
    TMemoryStream stream;
    list->WriteData(&stream);
    const int64_t written = stream.Size();
    const uint8_t tail = 0x5A;
    stream.WriteBuffer(&tail, 1);

    TListPtr copy = NewList();
    copy->SetWidth(8);
    stream.SetPosition(0);
    copy->ReadData(&stream);
    EXPECT_EQ(stream.Position(), written);
    EXPECT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->Width(), 16);
    auto image = MakeBitmap(TPixelFormat::pf32bit, 1, 1);
    ASSERT_TRUE(copy->GetBitmap(1, image.get()));
    EXPECT_EQ(Pixel32(*image, 5, 5) & 0xFFFFFF, 0x00FF00u);
}
