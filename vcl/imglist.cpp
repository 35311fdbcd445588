#include "vcl/imglist.h"

#include "vcl/bitmaps.h"
#include "vcl/graphics.h"

#include <objidl.h>

#include <algorithm>

namespace vcl {

namespace {

COLORREF ToListColor(TColor color)
{
    if (color == clNone)
        return CLR_NONE;
    if (color == clDefault)
        return CLR_DEFAULT;
    return ColorToRGB(color);
}

TColor FromListColor(COLORREF color)
{
    if (color == CLR_NONE)
        return clNone;
    if (color == CLR_DEFAULT)
        return clDefault;
    return TColor(int32_t(color));
}

// The ILD_* flag of each drawing style, in the order of TDrawingStyle.
const UINT drawingStyleFlags[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};

struct TReleaseStream {
    void operator()(IStream* stream) const { stream->Release(); }
};
using TComStream = std::unique_ptr<IStream, TReleaseStream>;

// A stream in memory for the system's image-list reader and writer.
TComStream NewMemoryStream(HGLOBAL memory)
{
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream)))
        throw EOutOfResources(L"Cannot create a memory stream");
    return TComStream(stream);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TChangeLink

TChangeLink::~TChangeLink()
{
    if (FSender)
        FSender->UnRegisterChanges(this);
}

bool ChangeImageList(TComponent* Owner, TCustomImageList*& Field, TCustomImageList* Value, TChangeLink& Link)
{
    if (Field == Value)
        return false;
    if (Field) {
        Field->UnRegisterChanges(&Link);
        Field->RemoveFreeNotification(Owner);
    }
    Field = Value;
    if (Value) {
        Value->RegisterChanges(&Link);
        Value->FreeNotification(Owner);
    }
    return true;
}

void TChangeLink::Change()
{
    if (FOnChange)
        FOnChange(FSender);
}

// ---------------------------------------------------------------------------------------------
// TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList()
{
    for (TChangeLink* link : FClients)
        link->SetSender(nullptr);
    FreeHandle();
}

HIMAGELIST TCustomImageList::Handle()
{
    if (!FHandle) {
        FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR32 | (FMasked ? ILC_MASK : 0), FAllocBy, FAllocBy);
        if (!FHandle)
            throw EOutOfResources(L"Cannot create an image list");
        if (FBkColor != clNone)
            ImageList_SetBkColor(FHandle, ToListColor(FBkColor));
    }
    return FHandle;
}

void TCustomImageList::FreeHandle()
{
    if (FHandle && !FShareImages)
        ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

void TCustomImageList::SetHandle(HIMAGELIST value)
{
    if (value == FHandle)
        return;
    FreeHandle();
    FHandle = value;
    if (FHandle)
        ImageList_GetIconSize(FHandle, &FWidth, &FHeight);
    Change();
}

void TCustomImageList::SetWidth(int value)
{
    if (!ChangeField(FWidth, value))
        return;
    if (FHandle)
        ImageList_SetIconSize(FHandle, FWidth, FHeight);
    Change();
}

void TCustomImageList::SetHeight(int value)
{
    if (!ChangeField(FHeight, value))
        return;
    if (FHandle)
        ImageList_SetIconSize(FHandle, FWidth, FHeight);
    Change();
}

void TCustomImageList::SetImageType(TImageType value)
{
    if (ChangeField(FImageType, value))
        Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value)
{
    if (ChangeField(FDrawingStyle, value))
        Change();
}

TColor TCustomImageList::BkColor() const { return FHandle ? FromListColor(ImageList_GetBkColor(FHandle)) : FBkColor; }

void TCustomImageList::SetBkColor(TColor value)
{
    FBkColor = value;
    if (FHandle)
        ImageList_SetBkColor(FHandle, ToListColor(value));
    Change();
}

void TCustomImageList::SetBlendColor(TColor value)
{
    if (ChangeField(FBlendColor, value))
        Change();
}

int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::Clear()
{
    if (FHandle)
        ImageList_Remove(FHandle, -1);
    Change();
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image)
        return -1;
    HBITMAP mask = Mask ? Mask->Handle() : nullptr;
    const int index = ImageList_Add(Handle(), Image->Handle(), mask);
    Change();
    return index;
}

int TCustomImageList::AddIcon(TIcon* Image)
{
    if (!Image)
        return -1;
    const int index = ImageList_AddIcon(Handle(), Image->Handle());
    Change();
    return index;
}

void TCustomImageList::GetIcon(int Index, TIcon* Image)
{
    if (Image && FHandle && Index >= 0 && Index < Count())
        Image->SetHandle(ImageList_GetIcon(FHandle, Index, ILD_NORMAL));
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    if (!Image || !FHandle || Index < 0 || Index >= Count())
        return false;
    Image->SetSize(FWidth, FHeight);
    Draw(Image->Canvas(), 0, 0, Index);
    return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (!FHandle)
        return;
    const UINT style = drawingStyleFlags[static_cast<int>(FDrawingStyle)] |
                       (FImageType == TImageType::itMask ? ILD_MASK : 0);
    DoDraw(Index, Canvas, X, Y, style, Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled)
{
    // A disabled image is half blended into the face colour of buttons.
    const COLORREF foreground = Enabled ? ToListColor(FBlendColor) : ColorToRGB(clBtnFace);
    ImageList_DrawEx(FHandle, Index, Canvas->Handle(), X, Y, 0, 0, CLR_DEFAULT, foreground,
                     Enabled ? Style : Style | ILD_BLEND50);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value)
{
    Value->SetSender(this);
    FClients.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value)
{
    auto found = std::find(FClients.begin(), FClients.end(), Value);
    if (found == FClients.end())
        return;
    Value->SetSender(nullptr);
    FClients.erase(found);
}

void TCustomImageList::Change()
{
    // A link may leave while it is told.
    const std::vector<TChangeLink*> clients = FClients;
    for (TChangeLink* link : clients)
        link->Change();
    if (FOnChange)
        FOnChange(this);
}

void TCustomImageList::ReadData(TStream* Stream)
{
    // The system reads from a COM stream: hand it the rest of ours and move on by what it used.
    const int64_t start = Stream->Position();
    const int64_t size = std::max<int64_t>(Stream->Size() - start, 0);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size > 0 ? size : 1));
    if (!memory)
        throw EOutOfResources(L"Cannot read the image list");
    TComStream stream = NewMemoryStream(memory);
    void* bytes = GlobalLock(memory);
    Stream->ReadBuffer(bytes, size);
    GlobalUnlock(memory);

    HIMAGELIST list = ImageList_Read(stream.get());
    if (!list)
        throw EReadError(L"Image list data is not valid");
    ULARGE_INTEGER used{};
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &used);
    Stream->SetPosition(start + int64_t(used.QuadPart));
    SetHandle(list);
}

void TCustomImageList::WriteData(TStream* Stream)
{
    TComStream stream = NewMemoryStream(nullptr);
    if (!ImageList_Write(Handle(), stream.get()))
        throw EWriteError(L"Cannot write the image list");
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    GetHGlobalFromStream(stream.get(), &memory);
    stream->Stat(&stat, STATFLAG_NONAME);
    const void* bytes = GlobalLock(memory);
    Stream->WriteBuffer(bytes, int64_t(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
}

}  // namespace vcl
