// The masked edit over a real EDIT window: typed keys, the shown text and the text it stands for.
#include "windowing_fixtures.h"

#include "vcl/mask.h"

using namespace vcl;
using namespace wintest;
using testsupport::PumpFor;

namespace {

class MaskEditTest : public WindowTest {
protected:
    TMaskEdit* NewMaskEdit(const String& mask)
    {
        TForm* form = NewForm();
        auto* edit = NewChild<TMaskEdit>(form, 10, 10, 150, 21, clWindow);
        edit->SetEditMask(mask);
        edit->SetOnChange(TNotifyEvent([this](TObject*) { ++Changes; }));
        ShowAndPaint(form);
        edit->SetFocus();
        return edit;
    }
    // Posts the keys as the keyboard would ("\b" backspace, "\x7f" the Delete key).
    void Type(TMaskEdit* edit, const String& keys)
    {
        for (wchar_t key : keys) {
            if (key == 0x7f) {
                PostMessageW(edit->Handle(), WM_KEYDOWN, VK_DELETE, 1);
                PostMessageW(edit->Handle(), WM_KEYUP, VK_DELETE, 1);
            } else {
                PostMessageW(edit->Handle(), WM_CHAR, key, 1);
            }
        }
        PumpFor(30);
    }
    int Changes = 0;
};

}  // namespace

TEST_F(MaskEditTest, TypedKeysGiveEditTextAndText)
{
    struct Case {
        const wchar_t* Mask;
        const wchar_t* Keys;
        const wchar_t* EditText;
        const wchar_t* Text;
        int Changes;
    };
    const Case cases[] = {
        {L"!\\(999\\)000-0000;1;_", L"5551234567", L"(555)123-4567", L"(555)123-4567", 10},
        {L"\\(999\\)000-0000;0;_", L"555x12", L"(555)12_-____", L"55512", 5},
        {L"00:00;1;_", L"12\b3", L"13:__", L"13:", 4},
        {L">LL<ll;0; ", L"aB1cD", L"ABcd", L"ABcd", 4},
        {L"AAaa;0;*", L"a!2", L"a2**", L"a2", 2},
        {L"CC;0;_", L"x y", L"x ", L"x", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(String(c.Mask) + L" / " + c.Keys));
        Changes = 0;
        TMaskEdit* edit = NewMaskEdit(c.Mask);
        Type(edit, c.Keys);
        EXPECT_EQ(String(c.EditText), edit->EditText());
        EXPECT_EQ(String(c.Text), edit->Text());
        EXPECT_EQ(c.Changes, Changes) << "one change per accepted key";
    }
}

TEST_F(MaskEditTest, DeleteBlanksThePositionAtTheCaretAndTheSelection)
{
    TMaskEdit* edit = NewMaskEdit(L"000-000;0;_");
    edit->SetText(L"123456");
    EXPECT_EQ(L"123-456", edit->EditText());
    edit->SetSelStart(3);
    Type(edit, L"\x7f");
    EXPECT_EQ(L"123-_56", edit->EditText()) << "delete on a literal blanks the next position";
    edit->SetSelStart(0);
    edit->SetSelLength(2);
    Type(edit, L"\x7f");
    EXPECT_EQ(L"__3-_56", edit->EditText());
    EXPECT_EQ(L"  3 56", edit->Text());
}

TEST_F(MaskEditTest, TextThroughABasePointerFollowsTheMask)
{
    TMaskEdit* edit = NewMaskEdit(L"000-000;0;_");
    TControl* control = edit;
    TCustomEdit* base = edit;
    control->SetText(L"123456");
    EXPECT_EQ(L"123-456", edit->EditText()) << "the text is formatted by the mask";
    EXPECT_EQ(L"123456", control->Text());
    EXPECT_EQ(L"123456", control->Caption());
    base->SetText(L"98");
    EXPECT_EQ(L"98_-___", edit->EditText());
    EXPECT_EQ(L"98", base->Text()) << "trailing blanks are dropped";

    // The window's text is what a new window shows and what selecting all covers.
    edit->RecreateWnd();
    EXPECT_EQ(L"98_-___", edit->EditText());
    edit->SelectAll();
    EXPECT_EQ(7, edit->SelLength());
}

TEST_F(MaskEditTest, ABadMaskIsRefusedAndTheOldOneStays)
{
    TMaskEdit* edit = NewMaskEdit(L"00-00;1;_");
    edit->SetText(L"12-34");
    EXPECT_THROW(edit->SetEditMask(L"00-00;7;_"), EConvertError);
    EXPECT_EQ(L"00-00;1;_", edit->EditMask());
    EXPECT_EQ(L"12-34", edit->EditText());
    Type(edit, L"x");
    EXPECT_EQ(L"12-34", edit->EditText()) << "the old mask still refuses letters";
}

TEST_F(MaskEditTest, ANewMaskKeepsWhatItAcceptsOfTheText)
{
    TMaskEdit* edit = NewMaskEdit(L"");
    edit->SetText(L"12ab");
    EXPECT_EQ(L"12ab", edit->Text()) << "without a mask the text is the shown text";
    edit->SetEditMask(L"00-LL;0;_");
    EXPECT_EQ(L"12-ab", edit->EditText());
    EXPECT_EQ(L"12ab", edit->Text());
    edit->SetEditMask(L"000;0;_");
    EXPECT_EQ(L"12_", edit->EditText());
    EXPECT_EQ(3, static_cast<int>(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0)));
    edit->SetEditText(L"9x7");
    EXPECT_EQ(L"9_7", edit->EditText());
}

TEST_F(MaskEditTest, PasteTypesTheClipboardsCharacters)
{
    TMaskEdit* edit = NewMaskEdit(L"\\(999\\)000-0000;0;_");
    ASSERT_TRUE(OpenClipboard(edit->Handle()));
    EmptyClipboard();
    const String pasted = L"(555) 123-45";
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(data), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();

    edit->Perform(WM_PASTE);
    EXPECT_EQ(L"(555)123-45__", edit->EditText());
    EXPECT_EQ(L"55512345", edit->Text());
    EXPECT_EQ(1, Changes) << "a paste is one change";
}

TEST_F(MaskEditTest, ARefusedKeyBeepsThroughTheSeam)
{
    const TSystemSeams saved = Seams();
    std::vector<UINT> beeps;
    Seams().MessageBeep = [&](UINT type) { beeps.push_back(type); };
    TMaskEdit* edit = NewMaskEdit(L"99;0;_");
    Type(edit, L"x5y");
    Seams() = saved;
    EXPECT_EQ((std::vector<UINT>{0, 0}), beeps);
    EXPECT_EQ(L"5_", edit->EditText());
}

namespace {

// Records the texts the masked edit gives its window.
class TTextRecordingMaskEdit : public TMaskEdit {
    CL_CLASS(TTextRecordingMaskEdit, TMaskEdit)
public:
    using TMaskEdit::TMaskEdit;
    std::vector<String> Written;
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_SETTEXT)
            Written.push_back(reinterpret_cast<const wchar_t*>(Message.LParam));
        TMaskEdit::WndProc(Message);
    }
};

}  // namespace

TEST_F(MaskEditTest, TheHexAndDateMasks)
{
    TForm* form = NewForm();
    auto* hex = NewChild<TTextRecordingMaskEdit>(form, 10, 10, 150, 21, clWindow);
    hex->SetEditMask(L"AAAAAA;1; ");
    EXPECT_EQ(6, hex->Mask().Length());
    EXPECT_EQ(L' ', hex->Mask().Blank());
    EXPECT_EQ(L"      ", hex->EditText());
    hex->SetCharCase(TEditCharCase::ecUpperCase);
    ShowAndPaint(form);
    hex->SetFocus();
    hex->Written.clear();
    Type(hex, L"ff0a");
    EXPECT_EQ(L"FF0A  ", hex->EditText());
    EXPECT_EQ(L"FF0A", hex->Text());
    // The edit writes its text itself, so the case is its own doing, not the window style's.
    ASSERT_FALSE(hex->Written.empty());
    EXPECT_EQ(L"F     ", hex->Written.front());

    TMaskEdit* date = NewMaskEdit(L"!99/99/9999;1; ");
    EXPECT_TRUE(date->Mask().LeadingBlanks());
    EXPECT_EQ(L"  /  /    ", date->EditText());
    Type(date, L"31122024");
    EXPECT_EQ(L"31/12/2024", date->EditText());
    EXPECT_EQ(L"31/12/2024", date->Text());
}
