#include "vcl/classes.h"
#include "vcl/sysutils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace vcl;

namespace {

std::vector<String> Lines(TStrings* list)
{
    std::vector<String> lines;
    for (int i = 0; i < list->Count(); ++i)
        lines.push_back(list->Strings(i));
    return lines;
}

// A scratch directory below the test's working directory, emptied for each test.
class FileTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir = GetCurrentDir() + L"\\rtl_streams\\";
        ForceDirectories(dir);
    }
    String dir;
};

}  // namespace

TEST(StringList, TextSplitsAtEveryKindOfLineEnd)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    struct Case {
        const wchar_t* text;
        std::vector<String> lines;
    };
    const Case cases[] = {
        {L"a\r\nb\nc\rd", {L"a", L"b", L"c", L"d"}},
        {L"a\r\n\r\nb\n", {L"a", L"", L"b"}},
        {L"a\n\rb", {L"a", L"", L"b"}},  // LF then CR are two breaks
        {L"\r\n", {L""}},
        {L"", {}},
        {L"tail", {L"tail"}},
    };
    for (const Case& c : cases) {
        list->SetText(c.text);
        EXPECT_EQ(Lines(list.get()), c.lines) << c.text;
    }
    list->SetText(L"a\nb");
    EXPECT_EQ(list->Text(), L"a\r\nb\r\n");
}

TEST(StringList, SortedWithDuplicatesIgnoredOrRefused)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    list->SetSorted(true);
    list->SetDuplicates(TDuplicates::dupIgnore);
    EXPECT_EQ(list->Add(L"TfcPopup"), 0);
    EXPECT_EQ(list->Add(L"TApplication"), 0);
    EXPECT_EQ(list->Add(L"tapplication"), 0);  // not case-sensitive by default: a duplicate
    EXPECT_EQ(Lines(list.get()), (std::vector<String>{L"TApplication", L"TfcPopup"}));
    EXPECT_EQ(list->IndexOf(L"TFCPOPUP"), 1);
    EXPECT_EQ(list->IndexOf(L"TForm"), -1);
    EXPECT_THROW(list->Insert(0, L"x"), EStringListError);
    EXPECT_THROW(list->SetStrings(0, L"x"), EStringListError);

    list->SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list->Add(L"TApplication"), EStringListError);
    list->SetDuplicates(TDuplicates::dupAccept);
    list->Add(L"TApplication");
    EXPECT_EQ(list->Count(), 3);

    list->SetCaseSensitive(true);
    list->SetDuplicates(TDuplicates::dupIgnore);
    list->Add(L"tapplication");
    EXPECT_EQ(list->Count(), 4);
}

TEST(StringList, SortingAnUnsortedList)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    list->SetText(L"c\nA\nb\na");
    list->SetSorted(true);
    ASSERT_EQ(list->Count(), 4);
    EXPECT_TRUE(SameText(list->Strings(0), L"a") && SameText(list->Strings(1), L"a"));
    EXPECT_EQ(list->Strings(3), L"c");
    list->SetSorted(false);
    list->CustomSort([](TStringList* l, int x, int y) { return CompareStr(l->Strings(y), l->Strings(x)); });
    EXPECT_EQ(list->Strings(0), L"c");
}

TEST(StringList, IndexesOutOfRangeRaise)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    list->Add(L"one");
    EXPECT_THROW(list->Strings(1), EStringListError);
    EXPECT_THROW(list->Strings(-1), EStringListError);
    EXPECT_THROW(list->Objects(1), EStringListError);
    EXPECT_THROW(list->Delete(1), EStringListError);
    EXPECT_THROW(list->Insert(2, L"x"), EStringListError);
    EXPECT_THROW(list->Exchange(0, 1), EStringListError);
    try {
        list->Strings(5);
    } catch (const EStringListError& e) {
        EXPECT_NE(e.Message().find(L"5"), String::npos);
    }
    list->Insert(1, L"two");  // at the end is allowed
    EXPECT_EQ(list->Count(), 2);
}

TEST(StringList, ObjectsNamesAndValues)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    TObjectPtr<TList> marker(Create<TList>());
    list->AddObject(L"Color=clRed", marker.get());
    list->Add(L"Font.Color = 12");
    list->Add(L"plain");
    EXPECT_EQ(list->Objects(0), marker.get());
    EXPECT_EQ(list->IndexOfObject(marker.get()), 0);
    EXPECT_EQ(list->Names(0), L"Color");
    EXPECT_EQ(list->Values(L"color"), L"clRed");
    EXPECT_EQ(list->Values(L"Font.Color "), L" 12");
    EXPECT_EQ(list->Names(2), L"");
    list->SetValues(L"Color", L"clBlue");
    EXPECT_EQ(list->Strings(0), L"Color=clBlue");
    EXPECT_EQ(list->Objects(0), marker.get());
    list->SetValues(L"New", L"1");
    EXPECT_EQ(list->Strings(3), L"New=1");
    list->SetValues(L"Color", L"");
    EXPECT_EQ(list->IndexOfName(L"Color"), -1);
}

TEST(StringList, ChangeEventsAreBatchedByUpdates)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    int changes = 0;
    int changing = 0;
    list->SetOnChange([&](TObject* sender) {
        EXPECT_EQ(sender, list.get());
        ++changes;
    });
    list->SetOnChanging([&](TObject*) { ++changing; });
    list->Add(L"a");
    EXPECT_EQ(changes, 1);
    list->SetText(L"x\ny\nz");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changing, 2);
    list->Clear();
    list->Clear();  // nothing to clear: no event
    EXPECT_EQ(changes, 3);
}

TEST(StringList, AssignCopiesLinesAndObjects)
{
    TObjectPtr<TStringList> a(Create<TStringList>());
    TObjectPtr<TStringList> b(Create<TStringList>());
    a->SetText(L"1\n2");
    a->SetObjects(1, a.get());
    b->Add(L"old");
    b->Assign(a.get());
    EXPECT_TRUE(b->Equals(a.get()));
    EXPECT_EQ(b->Objects(1), a.get());
    TObjectPtr<TComponent> component(Create<TComponent>(nullptr));
    EXPECT_THROW(b->Assign(component.get()), EConvertError);
}

TEST_F(FileTest, StringListFilesKeepTheirEncoding)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    list->SetText(L"ascii\nline 2");
    list->SaveToFile(dir + L"ansi.txt");
    TObjectPtr<TMemoryStream> raw(Create<TMemoryStream>());
    raw->LoadFromFile(dir + L"ansi.txt");
    EXPECT_EQ(std::string(static_cast<const char*>(raw->Memory()), static_cast<size_t>(raw->Size())),
              "ascii\r\nline 2\r\n");

    const String unicode = L"\x0417\x0438\x0440\x0432\x0430\x043D\x0435";
    list->SetText(unicode);
    list->SetEncoding(TTextEncoding::Utf8);
    list->SaveToFile(dir + L"utf8.txt");
    TObjectPtr<TStringList> back(Create<TStringList>());
    back->LoadFromFile(dir + L"utf8.txt");
    EXPECT_EQ(back->Encoding(), TTextEncoding::Utf8);
    EXPECT_EQ(back->Strings(0), unicode);
    back->SetEncoding(TTextEncoding::Utf16);
    back->SaveToFile(dir + L"utf16.txt");
    list->LoadFromFile(dir + L"utf16.txt");
    EXPECT_EQ(list->Encoding(), TTextEncoding::Utf16);
    EXPECT_EQ(list->Strings(0), unicode);
}

TEST_F(FileTest, MissingFileRaisesOpenErrorNamingIt)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    try {
        list->LoadFromFile(dir + L"no such file.txt");
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(L"no such file.txt"), String::npos) << ToUtf8(e.Message());
    }
    TObjectPtr<TMemoryStream> stream(Create<TMemoryStream>());
    EXPECT_THROW(stream->LoadFromFile(dir + L"missing.bin"), EFOpenError);
}

TEST_F(FileTest, UnwritablePlaceRaisesCreateError)
{
    TObjectPtr<TStringList> list(Create<TStringList>());
    list->Add(L"x");
    // A file name inside a directory that does not exist, and a name that is a directory.
    for (const String& target : {dir + L"missing dir\\file.txt", dir.substr(0, dir.size() - 1)}) {
        try {
            list->SaveToFile(target);
            FAIL() << "no exception for " << ToUtf8(target);
        } catch (const EFCreateError& e) {
            EXPECT_NE(e.Message().find(ExtractFileName(target)), String::npos) << ToUtf8(e.Message());
        }
    }
}

TEST(MemoryStream, ReadWriteSeekAndSize)
{
    TObjectPtr<TMemoryStream> s(Create<TMemoryStream>());
    const char text[] = "abcdef";
    s->WriteBuffer(text, 6);
    EXPECT_EQ(s->Size(), 6);
    EXPECT_EQ(s->Position(), 6);
    s->SetPosition(2);
    char buffer[8] = {};
    EXPECT_EQ(s->Read(buffer, 8), 4);
    EXPECT_STREQ(buffer, "cdef");
    EXPECT_EQ(s->Seek(-1, TSeekOrigin::soEnd), 5);
    s->WriteBuffer("XYZ", 3);  // grows
    EXPECT_EQ(s->Size(), 8);
    s->SetSize(3);
    EXPECT_EQ(s->Position(), 3);
    s->SetPosition(0);
    EXPECT_THROW(s->ReadBuffer(buffer, 4), EReadError);
    s->Clear();
    EXPECT_EQ(s->Size(), 0);
}

TEST(MemoryStream, CopyFromZeroCopiesTheWholeSource)
{
    TObjectPtr<TMemoryStream> source(Create<TMemoryStream>());
    std::vector<uint8_t> bytes(200000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7);
    source->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));  // position now at the end
    TObjectPtr<TMemoryStream> dest(Create<TMemoryStream>());
    EXPECT_EQ(dest->CopyFrom(source.get(), 0), 200000);
    ASSERT_EQ(dest->Size(), 200000);
    EXPECT_EQ(std::memcmp(dest->Memory(), bytes.data(), bytes.size()), 0);

    source->SetPosition(10);
    dest->Clear();
    dest->CopyFrom(source.get(), 5);
    EXPECT_EQ(static_cast<const uint8_t*>(dest->Memory())[0], bytes[10]);
    source->SetPosition(199998);
    EXPECT_THROW(dest->CopyFrom(source.get(), 5), EReadError);
}

TEST(MemoryStream, BinaryPropertyRoundTrip)
{
    TObjectPtr<TMemoryStream> s(Create<TMemoryStream>());
    s->WriteBinaryProperty({1, 2, 3});
    EXPECT_EQ(s->Size(), 8);
    const uint8_t* raw = static_cast<const uint8_t*>(s->Memory());
    EXPECT_EQ(std::vector<uint8_t>(raw, raw + 8), (std::vector<uint8_t>{0x0A, 3, 0, 0, 0, 1, 2, 3}));
    s->SetPosition(0);
    EXPECT_EQ(s->ReadBinaryProperty(), (std::vector<uint8_t>{1, 2, 3}));
    s->SetPosition(1);
    EXPECT_THROW(s->ReadBinaryProperty(), EReadError);
    s->Clear();
    s->WriteBuffer("\x0A\xFF\xFF\xFF\x7F", 5);  // claims more bytes than there are
    s->SetPosition(0);
    EXPECT_THROW(s->ReadBinaryProperty(), EReadError);
}

TEST_F(FileTest, FileStreamModes)
{
    const String name = dir + L"stream.bin";
    {
        TObjectPtr<TFileStream> s(Create<TFileStream>(name, fmCreate));
        s->WriteBuffer("hello", 5);
        EXPECT_EQ(s->Size(), 5);
        s->SetSize(4);
    }
    {
        TObjectPtr<TFileStream> s(Create<TFileStream>(name, Word(fmOpenRead | fmShareDenyWrite)));
        EXPECT_EQ(s->FileName(), name);
        EXPECT_EQ(s->Size(), 4);
        char buffer[5] = {};
        s->ReadBuffer(buffer, 4);
        EXPECT_STREQ(buffer, "hell");
        EXPECT_THROW(s->ReadBuffer(buffer, 1), EReadError);
        EXPECT_THROW(s->WriteBuffer("x", 1), EWriteError);  // opened for reading only
    }
    {
        TObjectPtr<TFileStream> s(Create<TFileStream>(name, fmOpenReadWrite));
        s->Seek(0, TSeekOrigin::soEnd);
        s->WriteBuffer("!", 1);
    }
    TObjectPtr<TMemoryStream> check(Create<TMemoryStream>());
    check->LoadFromFile(name);
    EXPECT_EQ(std::string(static_cast<const char*>(check->Memory()), 5), "hell!");
    EXPECT_THROW(Create<TFileStream>(dir + L"absent.bin", fmOpenRead), EFOpenError);
}

TEST(ResourceStream, ReadsRawDataAndRaisesForMissingOnes)
{
    TObjectPtr<TResourceStream> s(Create<TResourceStream>(GetModuleHandleW(nullptr), L"RTLTEST", RT_RCDATA));
    ASSERT_EQ(s->Size(), 4);
    char buffer[5] = {};
    s->ReadBuffer(buffer, 4);
    EXPECT_STREQ(buffer, "ABCD");
    EXPECT_THROW(s->WriteBuffer("x", 1), EStreamError);
    EXPECT_THROW(Create<TResourceStream>(GetModuleHandleW(nullptr), L"NOSUCH", RT_RCDATA), EResNotFound);
    EXPECT_THROW(Create<TResourceStream>(GetModuleHandleW(nullptr), 999, RT_RCDATA), EResNotFound);
}
