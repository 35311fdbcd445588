// The skin editor's preview link (a skin in a copy-data message) and the taskbar-preview
// attributes of a window.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ManagerTestSupport.h"
#include "SkinTestControls.h"
#include "pump.h"
#include "vcl/seams.h"

using namespace skin;
using skintest::NewManager;
using skintest::TLoggingForm;
using skintest::TManagerPtr;
using skintest::TTempSkin;
using skintest::WriteSkin;
using vcl::String;

namespace {

template<size_t N>
void PutText(char (&Field)[N], const std::string& Text)
{
    std::memset(Field, 0, N);
    std::memcpy(Field, Text.data(), std::min(N, Text.size()));
}

class SkinPreviewLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::InitializeApplication();
        // The folder's own options name a section the editor's text lacks.
        WriteSkin(Dir, "Ed", "[GLOBALINFO]\nVERSION=8\n[FOLDERONLY]\nCOLOR=1\n");
        WriteSkin(Dir, "Old", "[GLOBALINFO]\nVERSION=8\n");
        Manager = NewManager(Dir.Folder());
        Manager->SetSkinName(L"Old");
        Record = std::make_unique<TacSkinData>();
        Record->Magic = SkinDataMagic;
        PutText(Record->SkinName, "Ed");
        PutText(Record->SkinDir, vcl::ToAnsi(vcl::ExcludeTrailingPathDelimiter(Dir.Folder())));
        PutText(Record->Data, "[GLOBALINFO]\r\nVERSION=8\r\n[FROMEDITOR]\r\nCOLOR=255\r\n");
        Copy = {0, sizeof(TacSkinData), Record.get()};
    }
    void TearDown() override
    {
        Manager.reset();
        testsupport::PumpFor(0);
        // A good record sets it for the rest of the process: the next test starts as this one did.
        UnPackedFirst = UnPackedFirstAtStart;
    }
    vcl::TMessage Message(WPARAM Kind, const COPYDATASTRUCT* Data)
    {
        vcl::TMessage message{WM_COPYDATA, Kind, reinterpret_cast<LPARAM>(Data), 77};
        return message;
    }

    TTempSkin Dir;
    TManagerPtr Manager;
    std::unique_ptr<TacSkinData> Record;
    COPYDATASTRUCT Copy{};
    const bool UnPackedFirstAtStart = UnPackedFirst;
};

}  // namespace

TEST_F(SkinPreviewLink, MessagesThatCarryNoWholeValidRecordChangeNothing)
{
    const bool unpackedFirst = UnPackedFirst;
    COPYDATASTRUCT noData{0, sizeof(TacSkinData), nullptr};
    COPYDATASTRUCT shortData{0, sizeof(TacSkinData) - 1, Record.get()};
    auto wrongMagic = std::make_unique<TacSkinData>(*Record);
    wrongMagic->Magic = 0xA401;
    COPYDATASTRUCT wrongMagicData{0, sizeof(TacSkinData), wrongMagic.get()};
    const struct {
        const char* Name;
        WPARAM Kind;
        const COPYDATASTRUCT* Data;
    } cases[] = {
        {"another kind", 6, &Copy},     {"no record", 7, nullptr},          {"no data", 7, &noData},
        {"short data", 7, &shortData},  {"another magic", 7, &wrongMagicData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        vcl::TMessage message = Message(c.Kind, c.Data);
        ReceiveData(message, Manager.get());
        EXPECT_EQ(message.Result, 77);
        EXPECT_EQ(Manager->SkinName(), L"Old");
        EXPECT_EQ(UnPackedFirst, unpackedFirst);
    }
}

TEST_F(SkinPreviewLink, AGoodRecordLoadsItsTextForTheNamedFolderAndRepaintsOnce)
{
    auto* form = vcl::Create<TLoggingForm>(vcl::Application);
    form->HandleNeeded();
    vcl::TMessage message = Message(7, &Copy);
    ReceiveData(message, Manager.get());
    EXPECT_EQ(message.Result, 1);
    EXPECT_EQ(Manager->SkinName(), L"Ed");
    EXPECT_GE(Manager->GetSkinIndex(L"FROMEDITOR"), 0);
    EXPECT_EQ(Manager->GetSkinIndex(L"FOLDERONLY"), -1);
    EXPECT_EQ(Manager->SkinData->SkinPath, Dir.Folder() + L"Ed\\");
    EXPECT_TRUE(Manager->SkinData->Active);
    EXPECT_TRUE(UnPackedFirst);
    EXPECT_EQ(acMemSkinFile, nullptr);
    EXPECT_FALSE(Manager->NonAutoUpdate);
    EXPECT_GT(form->Log.Count(scmdSkinLoaded), 0);
    EXPECT_EQ(form->Log.Count(scmdRepaint), 1);  // once, at the end of the batch
    form->Free();
}

TEST_F(SkinPreviewLink, ANameFillingItsFieldIsReadToTheFieldsEnd)
{
    std::memset(Record->SkinName, 'N', sizeof(Record->SkinName));
    vcl::TMessage message = Message(7, &Copy);
    ReceiveData(message, Manager.get());
    EXPECT_EQ(Manager->SkinName(), String(128, L'N'));
    EXPECT_GE(Manager->GetSkinIndex(L"FROMEDITOR"), 0);
}

TEST_F(SkinPreviewLink, ARecordThatComesWhileALoadShowsItsVersionBoxWaitsForThatLoad)
{
    WriteSkin(Dir, "New", "[GLOBALINFO]\nVERSION=9.0\n[NEWONLY]\nCOLOR=2\n");
    std::vector<String> events;
    Manager->SetOnAfterChange([&](vcl::TObject*) { events.push_back(L"loaded " + Manager->SkinName()); });
    const vcl::TSystemSeams saved = vcl::Seams();
    vcl::Seams().MessageBox = [&](HWND, const String&, const String&, UINT) {
        vcl::TMessage message = Message(7, &Copy);
        ReceiveData(message, Manager.get());
        EXPECT_EQ(message.Result, 1);
        events.push_back(L"box of " + Manager->SkinName());
        return IDOK;
    };
    Manager->SetSkinName(L"New");
    vcl::Seams() = saved;
    EXPECT_EQ(events, (std::vector<String>{L"box of New", L"loaded New", L"loaded Ed"}));
    EXPECT_EQ(Manager->SkinName(), L"Ed");
    EXPECT_GE(Manager->GetSkinIndex(L"FROMEDITOR"), 0);
    EXPECT_EQ(acMemSkinFile, nullptr);
    EXPECT_FALSE(Manager->NonAutoUpdate);
}

TEST(SkinTaskbarPreview, AttributesAreSetOnlyWhileTaskbarPreviewsAreOn)
{
    const vcl::TSystemSeams saved = vcl::Seams();
    struct TCall {
        HWND Wnd;
        DWORD Attribute;  // 0: the iconic bitmaps invalidated
        BOOL Value;
        bool operator==(const TCall&) const = default;
    };
    std::vector<TCall> calls;
    HRESULT answer = S_OK;
    vcl::Seams().DwmSetWindowAttribute = [&](HWND wnd, DWORD attribute, const void* value, DWORD size) {
        EXPECT_EQ(size, sizeof(BOOL));
        calls.push_back({wnd, attribute, *static_cast<const BOOL*>(value)});
        return answer;
    };
    vcl::Seams().DwmInvalidateIconicBitmaps = [&](HWND wnd) { calls.push_back({wnd, 0, 0}); };
    const HWND wnd = reinterpret_cast<HWND>(0x1234);

    UpdatePreview(wnd, true);
    EXPECT_TRUE(calls.empty());

    acTaskbarPreviews = true;
    UpdatePreview(wnd, true);
    EXPECT_EQ(calls, (std::vector<TCall>{{wnd, 10, 1}, {wnd, 7, 1}, {wnd, 0, 0}}));
    calls.clear();
    answer = E_NOTIMPL;
    UpdatePreview(wnd, false);
    EXPECT_EQ(calls, (std::vector<TCall>{{wnd, 10, 0}, {wnd, 0, 0}}));
    acTaskbarPreviews = false;
    vcl::Seams() = saved;
}
