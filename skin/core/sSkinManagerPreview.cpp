// The skin editor's preview link and the taskbar-preview attributes.
#include "skin/core/sSkinManagerPreview.h"

#include <cstring>
#include <memory>

#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

bool acTaskbarPreviews = false;

namespace {

// The desktop window manager's attributes of a taskbar window's iconic bitmaps.
constexpr DWORD DwmForceIconicRepresentation = 7;
constexpr DWORD DwmHasIconicBitmap = 10;

// A text field of the record: up to its first zero byte, or all of it.
template<size_t N>
vcl::String FieldText(const char (&Field)[N])
{
    return vcl::FromAnsi(vcl::AnsiString(Field, strnlen(Field, N)));
}

// Hands the editor's options text to the loader for the length of the scope.
class TMemSkinFileScope {
public:
    explicit TMemSkinFileScope(const vcl::String& Text) : FText(vcl::Create<vcl::TStringList>())
    {
        FText->SetText(Text);
        acMemSkinFile = FText.get();
    }
    ~TMemSkinFileScope() { acMemSkinFile = nullptr; }
    TMemSkinFileScope(const TMemSkinFileScope&) = delete;
    TMemSkinFileScope& operator=(const TMemSkinFileScope&) = delete;

private:
    vcl::TObjectPtr<vcl::TStringList> FText;
};

// The skin of a preview record: the editor's options text over the skin folder it names,
// repainted without the skin-change animation.
void LoadPreview(TsSkinManager& Manager, const TacSkinData& Data)
{
    UnPackedFirst = true;
    Manager.BeginUpdate();
    TMemSkinFileScope text(FieldText(Data.Data));
    Manager.SetSkinDirectory(FieldText(Data.SkinDir));
    Manager.SetSkinName(FieldText(Data.SkinName));
    Manager.EndUpdate(true, false);
}

}  // namespace

void ReceiveData(vcl::TMessage& Message, TsSkinManager* Manager)
{
    if (Message.WParam != SkinDataKind)
        return;
    // The sender decides what the message carries: a record that is missing or too short is
    // ignored rather than read past its end.
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
    if (!copy || !copy->lpData || copy->cbData < sizeof(TacSkinData))
        return;
    auto data = std::make_shared<TacSkinData>();
    std::memcpy(data.get(), copy->lpData, sizeof(TacSkinData));
    if (data->Magic != SkinDataMagic)
        return;
    // A record that comes while a load runs (its version box pumps messages) waits for it.
    Manager->WhenNotLoading([Manager, data] { LoadPreview(*Manager, *data); });
    Message.Result = 1;
}

void UpdatePreview(HWND Wnd, bool On)
{
    if (!acTaskbarPreviews)
        return;
    const BOOL value = On;
    if (SUCCEEDED(DwmSetWindowAttribute(Wnd, DwmHasIconicBitmap, &value, sizeof(value))))
        DwmSetWindowAttribute(Wnd, DwmForceIconicRepresentation, &value, sizeof(value));
    DwmInvalidateIconicBitmaps(Wnd);
}

}  // namespace skin
