#include "vcl/pictures.h"

#include "vcl/bitmaps.h"
#include "vcl/graphics.h"
#include "vcl/jpeg.h"
#include "vcl/sysutils.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// TGraphic

void TGraphic::SetSize(int AWidth, int AHeight)
{
    SetWidth(AWidth);
    SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool value)
{
    if (ChangeField(FTransparent, value))
        Changed(this);
}

void TGraphic::SetModified(bool value)
{
    if (value)
        Changed(this);
    else
        FModified = false;
}

void TGraphic::LoadFromFile(const String& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName)
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

void TGraphic::Changed(TObject*)
{
    FModified = true;
    if (FOnChange)
        FOnChange(this);
}

void TGraphic::Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow, const TRect& R,
                        const String& Msg)
{
    if (FOnProgress)
        FOnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

std::vector<uint8_t> TGraphic::ReadToEnd(TStream* Stream)
{
    std::vector<uint8_t> data(size_t(std::max<int64_t>(Stream->Size() - Stream->Position(), 0)));
    Stream->ReadBuffer(data.data(), int64_t(data.size()));
    return data;
}

// ---------------------------------------------------------------------------------------------
// The registry of file formats

namespace {

struct TFileFormat {
    String Extension;  // without its dot
    String Description;
    TGraphicClass GraphicClass;
};

std::vector<TFileFormat>& FileFormats()
{
    static std::vector<TFileFormat> formats;
    return formats;
}

String WithoutDot(const String& extension)
{
    return !extension.empty() && extension[0] == L'.' ? extension.substr(1) : extension;
}

// The latest registration of the extension, or null.
const TGraphicClass* FindGraphicClass(const String& extension)
{
    const std::vector<TFileFormat>& formats = FileFormats();
    auto found = std::find_if(formats.rbegin(), formats.rend(),
                              [&](const TFileFormat& f) { return SameText(f.Extension, extension); });
    return found == formats.rend() ? nullptr : &found->GraphicClass;
}

}  // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  const TGraphicClass& GraphicClass)
{
    FileFormats().push_back({WithoutDot(Extension), Description, GraphicClass});
}

void TPicture::UnregisterGraphicClass(const TGraphicClass& GraphicClass)
{
    std::vector<TFileFormat>& formats = FileFormats();
    std::erase_if(formats, [&](const TFileFormat& f) { return f.GraphicClass.ClassName == GraphicClass.ClassName; });
}

void RegisterStandardGraphicFormats()
{
    TPicture::RegisterFileFormat(L"bmp", L"Bitmaps", GraphicClass<TBitmap>());
    TPicture::RegisterFileFormat(L"ico", L"Icons", GraphicClass<TIcon>());
    TPicture::RegisterFileFormat(L"jpg", L"JPEG images", GraphicClass<TJPEGImage>());
    TPicture::RegisterFileFormat(L"jpeg", L"JPEG images", GraphicClass<TJPEGImage>());
}

// ---------------------------------------------------------------------------------------------
// TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Replace(std::unique_ptr<TGraphic> graphic)
{
    FGraphic = std::move(graphic);
    if (FGraphic) {
        FGraphic->SetOnChange(TNotifyEvent(this, &TPicture::Changed));
        FGraphic->SetOnProgress(TProgressEvent(this, &TPicture::Progress));
    }
}

void TPicture::SetGraphic(TGraphic* value)
{
    if (value == FGraphic.get())
        return;
    std::unique_ptr<TGraphic> copy;
    if (value) {
        copy = value->CreateEmpty();
        if (copy->ClassInfo() != value->ClassInfo())
            throw EInvalidGraphic(L"Graphic class " + value->ClassName() + L" cannot make graphics of its own class");
        copy->Assign(value);
    }
    Replace(std::move(copy));
    Changed(this);
}

template<class T>
T* TPicture::ForceType()
{
    if (T* graphic = dynamic_cast<T*>(FGraphic.get()))
        return graphic;
    Replace(std::unique_ptr<TGraphic>(Create<T>()));
    Changed(this);
    return static_cast<T*>(FGraphic.get());
}

TBitmap* TPicture::Bitmap() { return ForceType<TBitmap>(); }
TIcon* TPicture::Icon() { return ForceType<TIcon>(); }

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName)
{
    const String extension = WithoutDot(ExtractFileExt(FileName));
    const TGraphicClass* graphicClass = FindGraphicClass(extension);
    if (!graphicClass)
        throw EInvalidGraphic(L"Unknown picture file extension (." + extension + L")");
    std::unique_ptr<TGraphic> graphic(graphicClass->Create());
    graphic->SetOnProgress(TProgressEvent(this, &TPicture::Progress));
    graphic->LoadFromFile(FileName);
    Replace(std::move(graphic));
    Changed(this);
}

void TPicture::SaveToFile(const String& FileName)
{
    if (FGraphic)
        FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source)
        SetGraphic(nullptr);
    else if (auto* picture = dynamic_cast<TPicture*>(Source))
        SetGraphic(picture->Graphic());
    else if (auto* graphic = dynamic_cast<TGraphic*>(Source))
        SetGraphic(graphic);
    else
        TPersistent::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (dynamic_cast<TGraphic*>(Dest))
        Dest->Assign(FGraphic.get());
    else
        TPersistent::AssignTo(Dest);
}

void TPicture::Changed(TObject*)
{
    if (FOnChange)
        FOnChange(this);
}

void TPicture::Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow, const TRect& R,
                        const String& Msg)
{
    if (FOnProgress)
        FOnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

// ---------------------------------------------------------------------------------------------
// TIcon

namespace {

constexpr size_t iconDirSize = 6;
constexpr size_t iconEntrySize = 16;

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(L"Icon image is not valid"); }

uint16_t IconU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t IconU32(const uint8_t* p) { return uint32_t(IconU16(p)) | (uint32_t(IconU16(p + 2)) << 16); }

struct TIconEntry {
    int Width, Height, Bits;
    uint32_t Size, Offset;
};

// The image of the directory closest to the wanted size, the deepest colours on a tie.
const TIconEntry& ChooseIconImage(const std::vector<TIconEntry>& entries, int width, int height)
{
    auto score = [&](const TIconEntry& e) { return std::abs(e.Width - width) + std::abs(e.Height - height); };
    const TIconEntry* best = &entries.front();
    for (const TIconEntry& e : entries)
        if (score(e) < score(*best) || (score(e) == score(*best) && e.Bits > best->Bits))
            best = &e;
    return *best;
}

}  // namespace

void SetWindowIcon(HWND Wnd, const TIcon& Icon)
{
    SendMessageW(Wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon.Handle()));
    SendMessageW(Wnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon.Handle()));
}

TIcon::~TIcon()
{
    if (FHandle)
        DestroyIcon(FHandle);
}

void TIcon::Clear()
{
    if (FHandle)
        DestroyIcon(FHandle);
    FHandle = nullptr;
    FWidth = FHeight = 0;
    FData.clear();
}

void TIcon::SetHandle(HICON value)
{
    if (value == FHandle)
        return;
    Clear();
    FHandle = value;
    ICONINFO info{};
    if (FHandle && GetIconInfo(FHandle, &info)) {
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        FWidth = mask.bmWidth;
        // Without a colour bitmap the mask holds the AND and XOR halves one above the other.
        FHeight = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }
    Changed(this);
}

HICON TIcon::ReleaseHandle()
{
    HICON handle = FHandle;
    FHandle = nullptr;
    Clear();
    Changed(this);
    return handle;
}

void TIcon::CheckNoHandle() const
{
    if (FHandle)
        throw EInvalidGraphic(L"Cannot change the size of an icon");
}

void TIcon::SetWidth(int value)
{
    CheckNoHandle();
    FWidth = value;
}

void TIcon::SetHeight(int value)
{
    CheckNoHandle();
    FHeight = value;
}

void TIcon::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        Clear();
        Changed(this);
    } else if (auto* icon = dynamic_cast<TIcon*>(Source)) {
        Clear();
        FHandle = icon->FHandle ? CopyIcon(icon->FHandle) : nullptr;
        FWidth = icon->FWidth;
        FHeight = icon->FHeight;
        FData = icon->FData;
        Changed(this);
    } else {
        TGraphic::Assign(Source);
    }
}

void TIcon::LoadFromStream(TStream* Stream)
{
    const int64_t start = Stream->Position();
    std::vector<uint8_t> data = ReadToEnd(Stream);

    if (data.size() < iconDirSize || IconU16(&data[0]) != 0 || IconU16(&data[2]) != 1 || IconU16(&data[4]) == 0)
        InvalidIcon();
    const size_t count = IconU16(&data[4]);
    if (data.size() < iconDirSize + count * iconEntrySize)
        InvalidIcon();
    std::vector<TIconEntry> entries;
    size_t end = iconDirSize + count * iconEntrySize;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = &data[iconDirSize + i * iconEntrySize];
        // A size byte of 0 means 256 pixels.
        TIconEntry entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, IconU16(e + 6), IconU32(e + 8), IconU32(e + 12)};
        if (entry.Size == 0 || entry.Offset > data.size() || entry.Size > data.size() - entry.Offset)
            InvalidIcon();
        end = std::max(end, size_t(entry.Offset) + entry.Size);
        entries.push_back(entry);
    }
    const int wantedWidth = FWidth > 0 ? FWidth : GetSystemMetrics(SM_CXICON);
    const int wantedHeight = FHeight > 0 ? FHeight : GetSystemMetrics(SM_CYICON);
    const TIconEntry& image = ChooseIconImage(entries, wantedWidth, wantedHeight);
    HICON handle = CreateIconFromResourceEx(&data[image.Offset], image.Size, TRUE, 0x00030000, image.Width,
                                            image.Height, LR_DEFAULTCOLOR);
    if (!handle)
        InvalidIcon();

    Stream->SetPosition(start + int64_t(end));
    data.resize(end);
    Clear();
    FHandle = handle;
    FWidth = image.Width;
    FHeight = image.Height;
    FData = std::move(data);
    Changed(this);
}

void TIcon::SaveToStream(TStream* Stream)
{
    if (FData.empty())
        throw EInvalidGraphic(L"The icon holds no icon file data to save");
    Stream->WriteBuffer(FData.data(), int64_t(FData.size()));
}

std::unique_ptr<TGraphic> TIcon::CreateEmpty() const { return std::unique_ptr<TGraphic>(Create<TIcon>()); }

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FHandle)
        DrawIconEx(ACanvas->Handle(), Rect.left, Rect.top, FHandle, Rect.Width(), Rect.Height(), 0, nullptr,
                   DI_NORMAL);
}

}  // namespace vcl
