#include "skin/graphics/acZLibEx.h"

#include <gtest/gtest.h>

#include <string>

using namespace skin;
using vcl::TMemoryStream;
using vcl::TObjectPtr;
using vcl::TSeekOrigin;

namespace {

std::string Text(size_t n)
{
    std::string s;
    for (size_t i = 0; s.size() < n; ++i)
        s += "entry " + std::to_string(i * 7919 % 1000) + "; ";
    s.resize(n);
    return s;
}

void Pack(TMemoryStream* dest, const std::string& data, TZCompressionLevel level = TZCompressionLevel::zcDefault)
{
    TObjectPtr<TZCompressionStream> z(vcl::Create<TZCompressionStream>(dest, level));
    z->WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

// Read rather than ReadBuffer: a read of 0 bytes must still pass over an empty entry.
std::string Unpack(vcl::TStream* z, size_t n)
{
    std::string out(n, '\0');
    EXPECT_EQ(z->Read(out.data(), static_cast<int64_t>(n)), static_cast<int64_t>(n));
    return out;
}

}  // namespace

// The packed-skin pattern: size, compressed entry, size, compressed entry ... read in turn, each
// through a stream of its own that is freed before the next header is read.
TEST(ZLibStreamClasses, EntriesOneAfterAnother)
{
    const std::string entries[] = {Text(10), Text(200000), "", Text(131072 - 3), Text(5)};
    TObjectPtr<TMemoryStream> file(vcl::Create<TMemoryStream>());
    for (const std::string& e : entries) {
        uint32_t size = static_cast<uint32_t>(e.size());
        file->WriteBuffer(&size, 4);
        Pack(file.get(), e);
    }
    file->SetPosition(0);
    for (const std::string& e : entries) {
        uint32_t size = 0;
        file->ReadBuffer(&size, 4);
        ASSERT_EQ(size, e.size());
        TObjectPtr<TZDecompressionStream> z(vcl::Create<TZDecompressionStream>(file.get()));
        EXPECT_EQ(Unpack(z.get(), size), e);
    }
    EXPECT_EQ(file->Position(), file->Size());
}

TEST(ZLibStreamClasses, PositionOfADecompressionStream)
{
    TObjectPtr<TMemoryStream> file(vcl::Create<TMemoryStream>());
    file->WriteBuffer("ab", 2);
    Pack(file.get(), Text(1000));
    file->SetPosition(2);
    TObjectPtr<TZDecompressionStream> z(vcl::Create<TZDecompressionStream>(file.get()));
    Unpack(z.get(), 100);
    EXPECT_EQ(z->Position(), 100);
    try {
        z->SetPosition(100);
        ADD_FAILURE() << "no error";
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message(), L"Invalid ZStream operation!");
        EXPECT_EQ(e.ErrorCode(), 0);
    }
    z->SetPosition(0);  // back to where the compressed data began
    EXPECT_EQ(Unpack(z.get(), 10), Text(10));
    z->SetPosition(500);
    EXPECT_EQ(Unpack(z.get(), 10), Text(510).substr(500));
    EXPECT_THROW(z->SetPosition(5000), vcl::EReadError);
}

TEST(ZLibStreamClasses, WrongDirectionsRaiseWithCodeZero)
{
    TObjectPtr<TMemoryStream> file(vcl::Create<TMemoryStream>());
    char byte = 0;
    {
        TObjectPtr<TZCompressionStream> z(vcl::Create<TZCompressionStream>(file.get()));
        EXPECT_THROW(z->Read(&byte, 1), EZCompressionError);
        EXPECT_THROW(z->Seek(0, TSeekOrigin::soBeginning), EZCompressionError);
        EXPECT_EQ(z->Seek(0, TSeekOrigin::soCurrent), 0);
        EXPECT_EQ(z->CompressionRate(), 0.0f);
    }
    // Freed without any write: the empty compressed stream, header and checksum.
    ASSERT_EQ(file->Size(), 8);
    EXPECT_EQ(static_cast<uint8_t*>(file->Memory())[0], 0x78);
    EXPECT_EQ(static_cast<uint8_t*>(file->Memory())[1], 0x9C);

    file->SetPosition(0);
    TObjectPtr<TZDecompressionStream> z(vcl::Create<TZDecompressionStream>(file.get()));
    try {
        z->Write(&byte, 1);
        ADD_FAILURE() << "no error";
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.Message(), L"Invalid ZStream operation!");
        EXPECT_EQ(e.ErrorCode(), 0);
    }
}

// A destination that takes no byte.
class TFullStream : public TMemoryStream {
public:
    int64_t Write(const void*, int64_t) override { return 0; }
};

// Freeing happens in destructors (an owning pointer's here): it must not raise.
TEST(ZLibStreamClasses, AFailedFinishRaisesOnceAndFreeingRaisesNothing)
{
    TFullStream full;
    {
        TObjectPtr<TZCompressionStream> z(vcl::Create<TZCompressionStream>(&full));
        z->WriteBuffer("skin", 4);
        EXPECT_THROW(z->Finish(), vcl::EWriteError);
        EXPECT_NO_THROW(z->Finish());
    }
    {
        TObjectPtr<TZCompressionStream> z(vcl::Create<TZCompressionStream>(&full));
        z->WriteBuffer("skin", 4);
    }
    EXPECT_EQ(full.Size(), 0);
}

TEST(ZLibStreamClasses, CorruptDataRaisesTheDecompressionErrorWithZLibsCode)
{
    TObjectPtr<TMemoryStream> file(vcl::Create<TMemoryStream>());
    const uint8_t bad[] = {0x78, 0x9C, 0x07, 0, 0};
    file->WriteBuffer(bad, sizeof bad);
    file->SetPosition(0);
    TObjectPtr<TZDecompressionStream> z(vcl::Create<TZDecompressionStream>(file.get()));
    char buffer[4];
    try {
        z->Read(buffer, 4);
        ADD_FAILURE() << "no error";
    } catch (const EZDecompressionError& e) {
        EXPECT_EQ(e.ErrorCode(), -3);
        EXPECT_EQ(e.Message(), L"data error");
    }
}

TEST(ZLibStreamClasses, ProgressNamesTheStream)
{
    TObjectPtr<TMemoryStream> file(vcl::Create<TMemoryStream>());
    Pack(file.get(), Text(300000), TZCompressionLevel::zcNone);
    file->SetPosition(0);
    TObjectPtr<TZDecompressionStream> z(vcl::Create<TZDecompressionStream>(file.get()));
    std::vector<vcl::TObject*> senders;
    z->SetOnProgress([&](vcl::TObject* sender) { senders.push_back(sender); });
    Unpack(z.get(), 300000);
    EXPECT_EQ(senders, std::vector<vcl::TObject*>(3, z.get()));
}
