// The skin manager component: construction, form loading and destruction, its properties, the
// choice of the skin source, the directory rules, the version check and the skin-name lists; the
// unit's start-up.
#include "skin/core/sSkinManager.h"

#include <cstdlib>

#include "skin/core/sSkinManagerValues.h"
#include "skin/graphics/Acntutils.h"
#include "vcl/dialogs.h"
#include "vcl/forms.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::String;
using vcl::TComponentStateItem;

TsSkinManager* DefaultManager = nullptr;
vcl::TMemIniFile* SkinFile = nullptr;
vcl::TStringList* acMemSkinFile = nullptr;
std::unique_ptr<TacSkinConvertor> sc;
bool UnPackedFirst = false;
OSVERSIONINFOW OSVersionInfo{};
bool IsNT = false;
vcl::TObjectPtr<TPNGGraphic> DefaultShadowActive;
vcl::TObjectPtr<TPNGGraphic> DefaultShadowInactive;

namespace {

// One of the program's command-line parameters, lower-cased, is Switch.
bool HasSwitch(const String& Switch)
{
    for (int i = 1; i <= vcl::ParamCount(); ++i)
        if (vcl::LowerCase(vcl::ParamStr(i)) == Switch)
            return true;
    return false;
}

vcl::TObjectPtr<TPNGGraphic> LoadShadow(const wchar_t* Name)
{
    vcl::TObjectPtr<TPNGGraphic> image(vcl::Create<TPNGGraphic>());
    vcl::TObjectPtr<vcl::TResourceStream> stream(
        vcl::Create<vcl::TResourceStream>(GetModuleHandleW(nullptr), String(Name), RT_RCDATA));
    image->LoadFromStream(stream.get());
    return image;
}

}  // namespace

void InitSkinManagerUnit()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    OSVersionInfo = SystemVersion();
    IsNT = OSVersionInfo.dwPlatformId == VER_PLATFORM_WIN32_NT;
    DefaultShadowActive = LoadShadow(L"acSHDA");
    DefaultShadowInactive = LoadShadow(L"acSHDI");
    CheckVersionSwitch();
}

void CheckVersionSwitch()
{
    if (HasSwitch(L"/acver"))
        vcl::ShowMessage(L"Skin library v" + TsSkinManager::Version());
}

// ---------------------------------------------------------------------------------------------
// Life

TsSkinManager::TsSkinManager(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner),
      SkinData(vcl::Create<TsSkinData>()),
      FBuiltInSkins(std::make_unique<TsStoredSkins>(this)),
      FCommonSections(std::make_unique<vcl::TStringList>()),
      FMenuSupport(std::make_unique<TacMenuSupport>()),
      FSkinableMenus(std::make_unique<TsSkinableMenus>(this)),
      FThirdParty(std::make_unique<ThirdPartyList>()),
      FEffects(vcl::Create<TacSkinEffects>(this)),
      FAnimEffects(vcl::Create<TacAnimEffects>(this))
{
    for (auto& list : ThirdLists) {
        list.reset(vcl::Create<vcl::TStringList>());
        list->SetCaseSensitive(true);
    }
    FCommonSections->SetCaseSensitive(true);
    if (!DefaultManager) {
        DefaultManager = this;
        if (IsNT && !IsDesigning() && vcl::Application) {
            vcl::Application->HookMainWindow(vcl::TWindowHook(this, &TsSkinManager::MainWindowHook));
            FMainWindowHooked = true;
        }
    }
}

void TsSkinManager::AfterConstruction()
{
    vcl::TComponent::AfterConstruction();
    LoadThirdNames(this, false);
    if (FSkinDirectory.empty())
        FSkinDirectory = L"c:\\Skins";
}

void TsSkinManager::Loaded()
{
    vcl::TComponent::Loaded();
    if (FSkinDirectory.empty())
        FSkinDirectory = L"c:\\Skins";
    if (FMenuSupport->IcoLineSkin().empty())
        FMenuSupport->SetIcoLineSkin(L"ICOLINE");
    LoadThirdNames(this, false);
    if (FActive && !FSkinName.empty())
        SendNewSkin(false);
    UpdateCommonDlgs(this);
    if (FActive && !IsDesigning())
        Notify(FOnActivate);
}

void TsSkinManager::BeforeDestruction()
{
    SetActive(false);
    SetExtendedBorders(false);
    FreeJpegs();
    FreeBitmaps();
    // The hook goes with its manager, also when another manager became the default meanwhile.
    if (FMainWindowHooked && vcl::Application)
        vcl::Application->UnhookMainWindow(vcl::TWindowHook(this, &TsSkinManager::MainWindowHook));
    if (DefaultManager == this)
        DefaultManager = nullptr;
    UpdateThirdNames(this);
    vcl::TComponent::BeforeDestruction();
}

bool TsSkinManager::Deferred(std::function<void()> Retry)
{
    if (!FLoadRunning)
        return false;
    FDeferredLoads.push_back(std::move(Retry));
    return true;
}

void TsSkinManager::WhenNotLoading(std::function<void()> Action)
{
    if (!Deferred(Action))
        Action();
}

void TsSkinManager::RunLoad(const std::function<void()>& Load)
{
    try {
        {
            const TFlagScope running(FLoadRunning);
            Load();
        }
        // Each waiting request takes its own turn, in the order they came.
        while (!FDeferredLoads.empty()) {
            const std::function<void()> next = std::move(FDeferredLoads.front());
            FDeferredLoads.pop_front();
            next();
        }
    } catch (...) {
        // What waited for a load that failed is not done after it.
        FDeferredLoads.clear();
        throw;
    }
}

bool TsSkinManager::IsLoading() const
{
    const vcl::TComponentState state = ComponentState();
    return state.Contains(TComponentStateItem::csLoading) || state.Contains(TComponentStateItem::csReading);
}

bool TsSkinManager::IsDesigning() const { return ComponentState().Contains(TComponentStateItem::csDesigning); }

void TsSkinManager::Notify(const vcl::TNotifyEvent& Event)
{
    if (Event)
        Event(this);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TsSkinManager::SetSkinName(const String& Value)
{
    if (!Deferred([this, Value] { SetSkinName(Value); }))
        RunLoad([&] { ChangeSkin(Value); });
}

void TsSkinManager::ChangeSkin(const String& Value)
{
    const String previous = FSkinName;
    FSkinName = Value;
    if (FActive) {
        Notify(FOnBeforeChange);
        if (GetExtendedBorders() && !NonAutoUpdate && FAnimEffects->SkinChanging()->Active())
            CopyExForms(this);
        {
            // The change runs until the load ends; the broadcast finds it over.
            const TFlagScope changing(aSkinChanging);
            SkinData->Active = false;
            if (Value.size() > 4 && vcl::LowerCase(Value.substr(Value.size() - 4)) == L".asz")
                FSkinName = Value.substr(0, Value.size() - 4);
            // The folder test takes the name as given, extension and all.
            SkinIsPacked = vcl::FileExists(PackedSkinFile()) &&
                           !(UnPackedFirst && vcl::DirectoryExists(NormalDir(FSkinDirectory) + Value));
            try {
                LoadChosenSource();
            } catch (const vcl::Exception& e) {
                FSkinName = previous;
                ShowError(e.Message());
            }
        }
        if (FActive) {
            SendNewSkin(!NonAutoUpdate);
            if (!IsDesigning() && !ComponentState().Contains(TComponentStateItem::csLoading))
                Notify(FOnActivate);
        } else {
            // No skin came: the forms the change had marked for its animation are let go.
            ReleaseForms(this);
            SendRemoveSkin();
            if (!IsDesigning())
                Notify(FOnDeactivate);
        }
        Notify(FOnAfterChange);
    }
    UpdateCommonDlgs(this);
}

void TsSkinManager::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    if (Value) {
        SetSkinName(FSkinName);
        return;
    }
    if (!ComponentState().Contains(TComponentStateItem::csLoading))
        SendRemoveSkin();
    InitConstantIndexes();
    UpdateCommonDlgs(this);
    if (!IsDesigning())
        Notify(FOnDeactivate);
}

void TsSkinManager::SetSkinDirectory(const String& Value)
{
    if (Value == FSkinDirectory)
        return;
    FSkinDirectory = Value;
    SkinData->SkinPath = GetFullSkinDirectory();
    Notify(FOnSkinListChanged);
}

void TsSkinManager::SetCommonSections(vcl::TStrings* Value)
{
    vcl::TStringList lines;
    for (int i = 0; i < Value->Count(); ++i) {
        const String line = Value->Strings(i);
        lines.Add(!line.empty() && line[0] == L';' ? line : DelChars(line, L' '));
    }
    FCommonSections->Assign(&lines);
    SetSkinName(FSkinName);
}

void TsSkinManager::SetSkinningRules(TacSkinningRules Value)
{
    FSkinningRules = Value;
    UpdateCommonDlgs(this);
}

String TsSkinManager::SkinInfo() const
{
    return SkinData->Active ? vcl::FloatToStr(SkinData->Version, vcl::TFormatSettings::Invariant()) : L"N/A";
}

void UpdateCommonDlgs(TsSkinManager* Manager)
{
    if (Manager != DefaultManager)
        return;
    vcl::UseLatestCommonDialogs =
        !(Manager->Active() && Manager->SkinningRules().Contains(TacSkinningRule::srStdDialogs));
}

// ---------------------------------------------------------------------------------------------
// Skin sources

String TsSkinManager::GetFullSkinDirectory() const
{
    const String& d = FSkinDirectory;
    const String app = GetAppPath();
    if (d.starts_with(L"..")) {
        // The parent of the program's folder, with its separator.
        String parent = vcl::ExcludeTrailingPathDelimiter(app);
        while (!parent.empty() && parent.back() != L'\\' && parent.back() != L'/')
            parent.pop_back();
        return parent + d.substr(std::min<size_t>(3, d.size()));
    }
    if (d.size() >= 2 && d[0] == L'.' && (d[1] == L'\\' || d[1] == L'/'))
        return app + d.substr(2);
    if (d.find(L':') == String::npos && d.find(L"\\\\") == String::npos)
        return app + d;
    return d;
}

String TsSkinManager::PackedSkinFile() const { return NormalDir(FSkinDirectory) + FSkinName + L".asz"; }

void TsSkinManager::LoadChosenSource()
{
    if (SkinIsPacked)
        ReloadPackedSkin();
    else
        ReloadSkin();
}

void TsSkinManager::ReloadFromSource()
{
    SkinIsPacked = vcl::FileExists(PackedSkinFile());
    LoadChosenSource();
}

TsSkinManager::TSkinTables TsSkinManager::TakeTables()
{
    TSkinTables tables{std::move(ma), std::move(pa), std::move(gd), ConstData, std::move(MasterBitmap),
                       std::move(SkinData)};
    ma.clear();
    pa.clear();
    gd.clear();
    ConstData = TConstantSkinData();
    SkinData.reset(vcl::Create<TsSkinData>());
    SkinData->Active = tables.SkinData->Active;
    return tables;
}

void TsSkinManager::PutTables(TSkinTables&& Tables)
{
    ma = std::move(Tables.ma);
    pa = std::move(Tables.pa);
    gd = std::move(Tables.gd);
    ConstData = Tables.ConstData;
    MasterBitmap = std::move(Tables.MasterBitmap);
    SkinData = std::move(Tables.SkinData);
}

namespace {

// sc borrows an internal skin's packed bytes while they unpack and gives them back, also when
// they are damaged: the item keeps owning them.
void UnpackLent(vcl::TMemoryStream* Data)
{
    sc->PackedData = Data;
    const vcl::TScopeExit giveBack([] {
        if (sc)  // a wrong magic has already released the convertor
            sc->PackedData = nullptr;
    });
    ExtractPackedData(sc);
}

[[noreturn]] void CannotOpen(const String& File, const String& Why)
{
    throw vcl::EFOpenError(vcl::Format(L"Cannot open file \"%s\". %s", File, Why));
}

// A case-sensitive INI object over the options text of sc, read from its start. A package
// without an options entry is no skin.
vcl::TObjectPtr<vcl::TMemIniFile> PackedOptions(const String& SkinName)
{
    if (!sc->Options)
        throw vcl::EReadError(L"The packed skin \"" + SkinName + L"\" holds no options file.");
    sc->Options->SetPosition(0);
    vcl::TStringList lines;
    lines.SetCaseSensitive(true);
    lines.LoadFromStream(sc->Options.get());
    // No file name: the text lives only in memory.
    vcl::TObjectPtr<vcl::TMemIniFile> ini(vcl::Create<vcl::TMemIniFile>(L""));
    ini->SetCaseSensitive(true);
    ini->SetStrings(&lines);
    return ini;
}

}  // namespace

template<class TLoad>
void TsSkinManager::LoadIntoFreshTables(TLoad&& Load)
{
    const TFlagScope changing(aSkinChanging);
    // The unpacked skin of a load lives as long as the load, whatever its end.
    const vcl::TScopeExit freeConvertor([] { sc.reset(); });
    TSkinTables previous = TakeTables();
    try {
        Load();
    } catch (...) {
        PutTables(std::move(previous));
        throw;
    }
}

void TsSkinManager::ReloadSkin()
{
    if (!FActive)
        return;
    const String folder = GetFullSkinDirectory() + L"\\" + FSkinName + L"\\";
    LoadIntoFreshTables([&] {
        if (acMemSkinFile) {
            // The skin editor's text in place of the folder's options file.
            SkinData->SkinPath = folder;
            vcl::TMemIniFile ini(folder + L"Options.dat_");
            ini.SetCaseSensitive(true);
            ini.SetStrings(acMemSkinFile);
            LoadSkinOptions(ini);
        } else if (vcl::FileExists(folder + L"Options.dat")) {
            LoadSkinFolder(folder);
        } else {
            LoadInternalSkin();
        }
    });
}

void TsSkinManager::ReloadPackedSkin()
{
    if (!FActive)
        return;
    LoadIntoFreshTables([&] {
        const String file = PackedSkinFile();
        sc.reset();
        LoadSkinFromFile(file, sc, true);
        if (!sc)
            CannotOpen(file, L"The packed skin file is missing.");
        vcl::TObjectPtr<vcl::TMemIniFile> ini = PackedOptions(FSkinName);
        SkinData->SkinPath = GetFullSkinDirectory() + L"\\";
        LoadSkinOptions(*ini);
    });
}

void TsSkinManager::LoadInternalSkin()
{
    SkinData->SkinPath.clear();
    if (FBuiltInSkins->Count() == 0) {
        FActive = false;
        return;
    }
    int index = FBuiltInSkins->IndexOf(FSkinName);
    if (index < 0) {
        index = 0;
        FSkinName = FBuiltInSkins->Items(0)->Name();
    }
    vcl::TMemoryStream* data = FBuiltInSkins->Items(index)->PackedData.get();
    // Without packed data there is no options text to read: the tables stay empty.
    SkinIsPacked = data->Size() > 0;
    if (!SkinIsPacked)
        return;
    sc = std::make_unique<TacSkinConvertor>();
    UnpackLent(data);
    LoadSkinOptions(*PackedOptions(FSkinName));
}

double ReadSkinVersion(const vcl::TCustomIniFile& Ini)
{
    double version = 0;
    return vcl::TryStrToFloat(Ini.ReadString(L"GLOBALINFO", L"VERSION", L""), version, vcl::TFormatSettings::Invariant())
               ? version
               : 0;
}

void TsSkinManager::LoadSkinFolder(const String& Folder)
{
    SkinIsPacked = false;
    SkinData->SkinPath = NormalDir(Folder);
    const String options = SkinData->SkinPath + L"Options.dat";
    if (!vcl::FileExists(options))
        CannotOpen(options, L"The skin folder has no options file.");
    vcl::TMemIniFile ini(options);
    ini.SetCaseSensitive(true);
    LoadSkinOptions(ini);
}

void TsSkinManager::LoadSkinOptions(vcl::TMemIniFile& Ini)
{
    SkinData->Version = ReadSkinVersion(Ini);
    CheckVersion();
    SkinFile = &Ini;
    const vcl::TScopeExit clear([] { SkinFile = nullptr; });
    LoadAllMasks();
    LoadAllPatterns();
    LoadAllGeneralData();
    InitConstantIndexes();
}

void TsSkinManager::FreeBitmaps()
{
    while (!ma.empty())
        ma.pop_back();
    MasterBitmap.reset();
}

void TsSkinManager::FreeJpegs()
{
    while (!pa.empty())
        pa.pop_back();
}

void TsSkinManager::CheckVersion()
{
    const double version = SkinData->Version;
    if (version < 7.0) {
        if (IsDesigning() || HasSwitch(L"/actest"))
            vcl::ShowMessage(L"You are using an old version of the \"" + FSkinName +
                             L"\" skin. Please update the skin to the latest format or ask its author for an "
                             L"upgrade.\r\n\r\nThis notification occurs in design-time only for your information "
                             L"and will not occur in real-time.");
    } else if (version > 8.99) {
        // The box itself must not be taken over by the dialog skinning of this skin.
        const bool dialogs = FSkinningRules.Contains(TacSkinningRule::srStdDialogs);
        SetSkinningRules(FSkinningRules - TacSkinningRule::srStdDialogs);
        vcl::MessageDlg(L"This version of the skin is not fully supported by this release of the skin library.\r\n"
                        L"Components must be updated up to latest version for using this skin.",
                        vcl::TMsgDlgType::mtWarning, {vcl::TMsgDlgBtn::mbOK}, 0);
        if (dialogs)
            SetSkinningRules(FSkinningRules + TacSkinningRule::srStdDialogs);
    }
}

// ---------------------------------------------------------------------------------------------
// Skin-name lists

String TsSkinManager::SkinNames(vcl::TStrings* Dest, TacSkinTypes SkinType, bool External)
{
    Dest->Clear();
    vcl::TStringList names;
    if (!External)
        for (int i = 0; i < FBuiltInSkins->Count(); ++i)
            names.Add(FBuiltInSkins->Items(i)->Name());
    const String folder = NormalDir(GetFullSkinDirectory());
    vcl::TSearchRec rec;
    if (vcl::DirectoryExists(folder) && vcl::FindFirst(folder + L"*", vcl::faAnyFile, rec) == 0) {
        do {
            if (rec.Name.starts_with(L"."))
                continue;
            if (rec.Attr & vcl::faDirectory) {
                if (SkinType != TacSkinTypes::stPacked && vcl::FileExists(folder + rec.Name + L"\\Options.dat"))
                    names.Add(rec.Name);
            } else if (SkinType != TacSkinTypes::stUnpacked && vcl::ExtractFileExt(rec.Name) == L".asz") {
                names.Add(rec.Name.substr(0, rec.Name.find(L'.')));
            }
        } while (vcl::FindNext(rec) == 0);
        vcl::FindClose(rec);
    }
    const String first = names.Count() ? names.Strings(0) : String();
    names.Sort();
    Dest->AddStrings(&names);
    return first;
}

String TsSkinManager::GetSkinNames(vcl::TStrings* Dest, TacSkinTypes SkinType) { return SkinNames(Dest, SkinType, false); }

String TsSkinManager::GetExternalSkinNames(vcl::TStrings* Dest, TacSkinTypes SkinType)
{
    return SkinNames(Dest, SkinType, true);
}

String TsSkinManager::GetRandomSkin()
{
    vcl::TStringList names;
    GetSkinNames(&names);
    return names.Count() ? names.Strings(std::rand() % names.Count()) : String();
}

// ---------------------------------------------------------------------------------------------
// Internal skins as files

void TsSkinManager::ExtractInternalSkin(const String& NameOfSkin, const String& DestDir)
{
    bool found = false;
    for (int i = 0; i < FBuiltInSkins->Count(); ++i) {
        if (FBuiltInSkins->Items(i)->Name() != NameOfSkin)
            continue;
        found = true;
        if (vcl::DirectoryExists(DestDir))
            ExtractByIndex(i, DestDir);
        else
            ShowError(L"Directory does not exists.");
    }
    if (!found)
        ShowError(L"Skin does not exists.");
}

void TsSkinManager::ExtractByIndex(int Index, const String& DestDir)
{
    TsStoredSkin* skin = FBuiltInSkins->Items(Index);
    const String dir = NormalDir(DestDir);
    if (!vcl::DirectoryExists(dir) && !vcl::ForceDirectories(dir)) {
        ShowError(L"Directory " + dir + L" creation error.");
        return;
    }
    if (skin->PackedData->Size() > 0)
        skin->PackedData->SaveToFile(dir + skin->Name() + L" extracted.asz");
}

}  // namespace skin
