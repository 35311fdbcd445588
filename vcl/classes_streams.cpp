#include "vcl/classes.h"

#include "vcl/sysutils.h"

#include <algorithm>
#include <cstring>

namespace vcl {

// ---------------------------------------------------------------------------------------------
// TStream

void TStream::ReadBuffer(void* Buffer, int64_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError(L"Stream write error");
}

int64_t TStream::Size()
{
    int64_t position = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count)
{
    if (Count <= 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(Count, 64 * 1024)));
    for (int64_t left = Count; left > 0;) {
        int64_t n = std::min<int64_t>(left, static_cast<int64_t>(buffer.size()));
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return Count;
}

namespace {
constexpr uint8_t BinaryPropertyTag = 0x0A;
}

void TStream::WriteBinaryProperty(const std::vector<uint8_t>& data)
{
    uint8_t header[5] = {BinaryPropertyTag};
    uint32_t length = static_cast<uint32_t>(data.size());
    for (int i = 0; i < 4; ++i)
        header[1 + i] = static_cast<uint8_t>(length >> (8 * i));
    WriteBuffer(header, sizeof header);
    WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

std::vector<uint8_t> TStream::ReadBinaryProperty()
{
    uint8_t header[5];
    ReadBuffer(header, sizeof header);
    if (header[0] != BinaryPropertyTag)
        throw EReadError(L"Invalid property value");
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<uint32_t>(header[1 + i]) << (8 * i);
    if (length > Size() - Position())
        throw EReadError(L"Stream read error");
    std::vector<uint8_t> data(length);
    ReadBuffer(data.data(), length);
    return data;
}

// ---------------------------------------------------------------------------------------------
// THandleStream / TFileStream

namespace {

// Moves Count bytes through a system call that takes at most a DWORD at a time; stops at the
// first call that fails or moves nothing. The bytes moved.
template<class Transfer>
int64_t InChunks(int64_t Count, Transfer transfer)
{
    int64_t total = 0;
    while (total < Count) {
        const DWORD chunk = static_cast<DWORD>(std::min<int64_t>(Count - total, 1 << 30));
        DWORD done = 0;
        if (!transfer(total, chunk, done) || done == 0)
            break;
        total += done;
    }
    return total;
}

}  // namespace

int64_t THandleStream::Read(void* Buffer, int64_t Count)
{
    auto* p = static_cast<uint8_t*>(Buffer);
    return InChunks(Count, [&](int64_t at, DWORD chunk, DWORD& done) {
        return ReadFile(FHandle, p + at, chunk, &done, nullptr) != FALSE;
    });
}

int64_t THandleStream::Write(const void* Buffer, int64_t Count)
{
    const auto* p = static_cast<const uint8_t*>(Buffer);
    return InChunks(Count, [&](int64_t at, DWORD chunk, DWORD& done) {
        return WriteFile(FHandle, p + at, chunk, &done, nullptr) != FALSE;
    });
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    static constexpr DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance;
    distance.QuadPart = Offset;
    LARGE_INTEGER result;
    if (!SetFilePointerEx(FHandle, distance, &result, methods[static_cast<int>(Origin)]))
        return -1;
    return result.QuadPart;
}

void THandleStream::SetSize(int64_t NewSize)
{
    int64_t position = Position();
    if (Seek(NewSize, TSeekOrigin::soBeginning) != NewSize || !SetEndOfFile(FHandle))
        throw EStreamError(L"Cannot change the size of the stream. " + SysErrorMessage(GetLastError()));
    Seek(std::min(position, NewSize), TSeekOrigin::soBeginning);
}

namespace {

DWORD ShareMode(Word mode)
{
    switch (mode & 0xF0) {
    case fmShareDenyWrite:
        return FILE_SHARE_READ;
    case fmShareDenyRead:
        return FILE_SHARE_WRITE;
    case fmShareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default:
        return 0;
    }
}

DWORD AccessMode(Word mode)
{
    switch (mode & 0x3) {
    case fmOpenWrite:
        return GENERIC_WRITE;
    case fmOpenReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

}  // namespace

TFileStream::TFileStream(const String& FileName, Word Mode) : THandleStream(INVALID_HANDLE_VALUE), FFileName(FileName)
{
    const bool create = (Mode & fmCreate) == fmCreate;
    const DWORD access = create ? GENERIC_READ | GENERIC_WRITE : AccessMode(Mode);
    FHandle = CreateFileW(FileName.c_str(), access, ShareMode(Mode), nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        const String reason = SysErrorMessage(GetLastError());
        if (create)
            throw EFCreateError(Format(L"Cannot create file \"%s\". %s", ExpandFileName(FileName), reason));
        throw EFOpenError(Format(L"Cannot open file \"%s\". %s", ExpandFileName(FileName), reason));
    }
}

TFileStream::~TFileStream()
{
    if (FHandle != INVALID_HANDLE_VALUE)
        CloseHandle(FHandle);
}

// ---------------------------------------------------------------------------------------------
// Memory streams

void TCustomMemoryStream::SetPointer(void* Ptr, int64_t Size)
{
    FMemory = Ptr;
    FSize = Size;
}

int64_t TCustomMemoryStream::Read(void* Buffer, int64_t Count)
{
    int64_t n = std::clamp<int64_t>(FSize - FPosition, 0, std::max<int64_t>(Count, 0));
    if (n > 0) {
        std::memcpy(Buffer, static_cast<const uint8_t*>(FMemory) + FPosition, static_cast<size_t>(n));
        FPosition += n;
    }
    return n;
}

int64_t TCustomMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    const int64_t bases[] = {0, FPosition, FSize};
    int64_t target = bases[static_cast<int>(Origin)] + Offset;
    if (target < 0)
        return -1;
    FPosition = target;
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) { Stream->WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const String& FileName)
{
    TObjectPtr<TFileStream> stream(Create<TFileStream>(FileName, fmCreate));
    SaveToStream(stream.get());
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0)
        return 0;
    int64_t end = FPosition + Count;
    if (end > FSize)
        SetSize(end);
    std::memcpy(static_cast<uint8_t*>(FMemory) + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    FData.resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
    SetPointer(FData.data(), static_cast<int64_t>(FData.size()));
    FPosition = std::min(FPosition, FSize);
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    SetPointer(nullptr, 0);
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    int64_t count = Stream->Size();
    SetSize(count);
    Stream->ReadBuffer(FMemory, count);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName)
{
    TObjectPtr<TFileStream> stream(Create<TFileStream>(FileName, Word(fmOpenRead | fmShareDenyWrite)));
    LoadFromStream(stream.get());
}

TResourceStream::TResourceStream(HINSTANCE Instance, const String& ResName, const wchar_t* ResType)
{
    Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(HINSTANCE Instance, int ResID, const wchar_t* ResType)
{
    Initialize(Instance, MAKEINTRESOURCEW(ResID), ResType, L"#" + IntToStr(ResID));
}

void TResourceStream::Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType,
                                 const String& displayName)
{
    HRSRC info = FindResourceW(Instance, Name, ResType);
    HGLOBAL data = info ? LoadResource(Instance, info) : nullptr;
    if (!data)
        throw EResNotFound(Format(L"Resource %s not found", displayName));
    SetPointer(LockResource(data), SizeofResource(Instance, info));
}

int64_t TResourceStream::Write(const void*, int64_t)
{
    throw EStreamError(L"Cannot write to a read-only resource stream");
}

}  // namespace vcl
