#include "skin/forms/sSkinProvider.h"

#include "skin/core/sMaskData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerPreview.h"
#include "skin/core/sSkinMenus.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderForm.h"
#include "skin/graphics/sGraphUtils.h"
#include "vcl/application.h"
#include "vcl/properties.h"
#include "vcl/seams.h"
#include "vcl/sysutils.h"

namespace skin {

using vcl::TComponentStateItem;

const wchar_t* const SkinEditorTitle = L"Zirvane Skins Editor";
bool acPreviewRequested = false;
HWND acPreviewHandle = nullptr;

namespace {

// The owner, which must be a form.
vcl::TComponent* FormOwner(vcl::TComponent* AOwner)
{
    if (!dynamic_cast<vcl::TCustomForm*>(AOwner))
        throw vcl::EAbort(L"TsSkinProvider component may be used with forms only!");
    return AOwner;
}

constexpr int PreviewTries = 101;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and destruction

TsSkinProvider::TsSkinProvider(vcl::TComponent* AOwner)
    : vcl::TComponent(FormOwner(AOwner)),
      FCommonData(std::make_unique<TsCommonData>(this, false)),
      FAddedTitle(std::make_unique<TacAddedTitle>(this)),
      FTitleIcon(std::make_unique<TsTitleIcon>()),
      FTitleButtons(std::make_unique<TsTitleButtons>(this))
{
    acPreviewRequested = vcl::ParamCount() >= 1 && vcl::ParamStr(1) == L"/acpreview";
    Form = static_cast<vcl::TCustomForm*>(AOwner);
    const LRESULT answer = Form->Perform(SkinCommandMessage, SkinCommandWParam(scmdQueryProvider), 0);
    if (auto* current = reinterpret_cast<TsSkinProvider*>(answer)) {
        if (current->RTInit)
            current->Free();
        else
            RTEmpty = true;
    }
    InAero = AeroIsEnabled();
    FCommonData->COC = ckSkinProvider;
    FCommonData->SetSkinSection(L"FORM");
    if (!Form->ControlState().Empty())
        FCommonData->FUpdating = true;
    if (!RTEmpty)
        TakeOver();
}

TsSkinProvider::TsSkinProvider(vcl::TComponent* AOwner, bool /*InitRT*/) : TsSkinProvider(AOwner) { RTInit = true; }

void TsSkinProvider::TakeOver()
{
    Form->SetDoubleBuffered(false);
    TempBmp = std::make_unique<vcl::TBitmap>();
    TempBmp->Canvas()->Lock();
    MenuLineBmp = CreateBmp32(0, 0);
    ClearButtons = true;
    FLinesCount = -1;
    OldWndProc = Form->WindowProc();
    Form->SetWindowProc(vcl::TWndMethod(this, &TsSkinProvider::NewWndProc));
    IntSkinForm(Form);
    FormActive = true;
}

void TsSkinProvider::AfterConstruction()
{
    vcl::TComponent::AfterConstruction();
    if (!RTEmpty && !RTInit && Manager() && Manager()->Active())
        PrepareForm();
}

void TsSkinProvider::Loaded()
{
    vcl::TComponent::Loaded();
    if (!RTEmpty && !RTInit && Manager() && FCommonData->Skinned(true))
        LoadInit();
}

void TsSkinProvider::BeforeDestruction()
{
    InitExBorders(false);
    KillCaptForm();
    KillAnimations();
    TitleHint.reset();
    FAddedTitle.reset();
    // The scroll bars' wrapper lies over the provider's procedure: it gives the form back first.
    ListSW.reset();
    if (Form && !RTEmpty) {
        IntUnSkinForm(Form);
        Form->SetWindowProc(OldWndProc);
        // The child's menu leaves the main form's menu line.
        if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild && Form->Menu() && MDISkinProvider &&
            !ComponentDestroying(MDISkinProvider) && !ComponentDestroying(MDISkinProvider->Form)) {
            MarkMDIFormChanged();
            MDISkinProvider->RepaintNC();
        }
    }
    if (MDISkinProvider == this) {
        HookMDI(false);
        MDISkinProvider = nullptr;
    }
    if (ChildProvider == this)
        ChildProvider = nullptr;
    SystemMenu.reset();
    if (TempBmp)
        TempBmp->Canvas()->Unlock();
    TempBmp.reset();
    MenuLineBmp.reset();
    FGlow1.reset();
    FGlow2.reset();
    FTitleIcon.reset();
    FTitleButtons.reset();
    Adapter.reset();
    FCommonData.reset();
    vcl::TComponent::BeforeDestruction();
}

void TsSkinProvider::PublishProperties(vcl::TPropertyTable& Table)
{
    Table.Add(L"AddedTitle", &TsSkinProvider::AddedTitle, &TsSkinProvider::SetAddedTitle);
    Table.Add(L"AllowAnimation", &TsSkinProvider::AllowAnimation, &TsSkinProvider::SetAllowAnimation);
    Table.Add(L"AllowExtBorders", &TsSkinProvider::AllowExtBorders, &TsSkinProvider::SetAllowExtBorders);
    Table.Add(L"AllowBlendOnMoving", &TsSkinProvider::AllowBlendOnMoving, &TsSkinProvider::SetAllowBlendOnMoving);
    Table.Add(L"CaptionAlignment", &TsSkinProvider::CaptionAlignment, &TsSkinProvider::SetCaptionAlignment);
    Table.Add(L"DrawNonClientArea", &TsSkinProvider::DrawNonClientArea, &TsSkinProvider::SetDrawNonClientArea);
    Table.Add(L"SkinData", &TsSkinProvider::SkinData, &TsSkinProvider::SetSkinData);
    Table.Add(L"GripMode", &TsSkinProvider::GripMode, &TsSkinProvider::SetGripMode);
    Table.Add(L"MakeSkinMenu", &TsSkinProvider::MakeSkinMenu, &TsSkinProvider::SetMakeSkinMenu);
    Table.Add(L"MenuLineSkin", &TsSkinProvider::MenuLineSkin, &TsSkinProvider::SetMenuLineSkin);
    Table.Add(L"ResizeMode", &TsSkinProvider::ResizeMode, &TsSkinProvider::SetResizeMode);
    Table.Add(L"ScreenSnap", &TsSkinProvider::ScreenSnap, &TsSkinProvider::SetScreenSnap);
    Table.Add(L"SnapBuffer", &TsSkinProvider::SnapBuffer, &TsSkinProvider::SetSnapBuffer);
    Table.Add(L"ShowAppIcon", &TsSkinProvider::ShowAppIcon, &TsSkinProvider::SetShowAppIcon);
    Table.Add(L"TitleButtons", &TsSkinProvider::TitleButtons, &TsSkinProvider::SetTitleButtons);
    Table.Add(L"TitleIcon", &TsSkinProvider::TitleIcon, &TsSkinProvider::SetTitleIcon);
    Table.Add(L"TitleSkin", &TsSkinProvider::TitleSkin, &TsSkinProvider::SetTitleSkin);
    Table.Add(L"UseGlobalColor", &TsSkinProvider::UseGlobalColor, &TsSkinProvider::SetUseGlobalColor);
}

bool TsSkinProvider::FormDestroying() const { return !Form || ComponentDestroying(Form); }

// ---------------------------------------------------------------------------------------------
// Loading

void TsSkinProvider::LoadInit()
{
    if (Form->HandleAllocated())
        InitDwm(Form->Handle(), FDrawNonClientArea);
    PrepareForm();
    if (!Adapter)
        AdapterCreate();
    if (SystemMenu)
        SystemMenu->UpdateItems(false);
    TsSkinManager* manager = Manager();
    const int titleButton = manager ? manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO",
                                                            L"TITLEBUTTON")
                                    : -1;
    for (int i = 0; i < FTitleButtons->Count(); ++i) {
        TsTitleButton* button = FTitleButtons->Items(i);
        button->BtnData.ImageIndex = button->UseSkinData() ? titleButton : -1;
    }
    if (MDIForm)
        MDIForm->ConnectToClient();
    if (Form->BorderStyle() == vcl::TFormBorderStyle::bsSizeToolWin) {
        FAllowBlendOnMoving = false;
        FUseGlobalColor = true;
    }
}

void TsSkinProvider::AdapterCreate()
{
    if (!FCommonData->Skinned(false))
        return;
    Adapter = std::make_unique<TacCtrlAdapter>(this);
    Adapter->AddAllItems();
}

void TsSkinProvider::AdapterRemove()
{
    SendToAdapter(MakeSkinMessage(scmdSkinRemoved, reinterpret_cast<LPARAM>(Manager())));
    Adapter.reset();
}

void TsSkinProvider::SendToAdapter(const vcl::TMessage& Message)
{
    if (!Adapter)
        return;
    vcl::TMessage copy = Message;
    Adapter->WndProc(copy);
}

void TsSkinProvider::HookMDI(bool Active)
{
    if (!Active || !GetBoolMsg(Form->ClientHandle(), scmdQuerySkinned))
        MDIForm.reset();
    if (!Active || MDIForm)
        return;
    MDISkinProvider = this;
    MDIForm = std::make_unique<TsMDIForm>(this);
    MDIForm->ConnectToClient();
}

void TsSkinProvider::PrepareForm()
{
    TsSkinManager* manager = Manager();
    if (RTInit || RTEmpty || !manager || !Form || !Form->HandleAllocated() || !manager->SkinData->Active)
        return;
    vcl::TMainMenu* menu = Form->Menu();
    FMenuOwnerDraw = menu && menu->OwnerDraw();
    if (FMenuOwnerDraw)
        MenusInitialized = true;
    FCommonData->Loaded();
    if (!SystemMenu) {
        SystemMenu.reset(vcl::Create<TsSystemMenu>(this));
        SystemMenu->FForm = Form;
        SystemMenu->SetWindowHandle(nullptr);
        SystemMenu->UpdateItems(false);
    }
    CheckSysMenu(true);
    if (ClearButtons) {
        ClearButtons = false;
        if (Form->FormStyle() == vcl::TFormStyle::fsMDIForm && !ComponentState().Contains(TComponentStateItem::csDesigning))
            HookMDI(true);
    }
    FCommonData->UpdateIndexes();
    FCaptionSkinIndex = manager->GetSkinIndex(L"CAPTION");
    UpdateIconsIndexes();
    RegionChanged = CaptChanged = CaptRgnChanged = true;
    if (Form->FormStyle() == vcl::TFormStyle::fsMDIChild)
        MarkMDIFormChanged();
    const vcl::TControlState state = Form->ControlState();
    if (!state.Contains(vcl::TControlStateItem::csCreating) && !state.Contains(vcl::TControlStateItem::csReadingState) &&
        !Loading())
        TakeGlobalColor();
}

void TsSkinProvider::TakeGlobalColor()
{
    if (FUseGlobalColor && !FCommonData->CustomColor() && Manager())
        Form->SetColor(Manager()->GetGlobalColor());
}

void TsSkinProvider::Notification(vcl::TComponent* AComponent, vcl::TOperation Operation)
{
    vcl::TComponent::Notification(AComponent, Operation);
    auto* manager = dynamic_cast<TsSkinManager*>(AComponent);
    if (!manager || !FCommonData)
        return;
    if (Operation == vcl::TOperation::opInsert && !Manager())
        FCommonData->SetSkinManager(manager);
    else if (Operation == vcl::TOperation::opRemove && manager == Manager())
        FCommonData->SetSkinManager(nullptr);
}

bool TsSkinProvider::FormChanged()
{
    const vcl::TBitmap* cache = FCommonData->FCacheBmp.get();
    return !cache || cache->Width() != CaptionWidth() || cache->Height() != Form->Height();
}

bool TsSkinProvider::ExtBordersNeeded()
{
    return Manager() && Manager()->GetExtendedBorders() && FAllowExtBorders;
}

// ---------------------------------------------------------------------------------------------
// Metrics

const TsMaskData* TsSkinProvider::ButtonMask(int ImageIndex) const
{
    const TsSkinManager* manager = Manager();
    return manager && manager->IsValidImgIndex(ImageIndex) ? &manager->ma[size_t(ImageIndex)] : nullptr;
}

int TsSkinProvider::ButtonHeight()
{
    const TsMaskData* mask = ButtonMask(ButtonClose.ImageIndex);
    return mask ? HeightOfImage(*mask) : 21;
}

int TsSkinProvider::SysButtonWidth(const TsCaptionButton& Btn)
{
    const TsMaskData* mask = ButtonMask(Btn.ImageIndex);
    if (!mask)
        return 21;
    if (mask->Bmp && mask->ImageCount > 0)
        return mask->Bmp->Width() / mask->ImageCount;
    return WidthOfImage(*mask);
}

int TsSkinProvider::SysButtonsCount()
{
    if (!SystemMenu || !HaveSysMenu)
        return 0;
    int count = 3 - !SystemMenu->VisibleMin() - !SystemMenu->VisibleMax();
    if (Form->BorderIcons().Contains(vcl::TBorderIcon::biHelp))
        ++count;
    return count;
}

int TsSkinProvider::BarWidth(int MaskIndex)
{
    const TsMaskData* mask = ButtonMask(MaskIndex);
    return 2 * (mask ? WidthOfImage(*mask) : 0) + TitleBtnsWidth();
}

int TsSkinProvider::BorderWidth(bool CheckSkin)
{
    return SysBorderWidth(Form->HandleAllocated() ? Form->Handle() : nullptr, BorderForm.get(), CheckSkin) +
           Form->BorderWidth();
}

int TsSkinProvider::BorderHeight(bool CheckSkin)
{
    return SysBorderHeight(Form->HandleAllocated() ? Form->Handle() : nullptr, BorderForm.get(), CheckSkin) +
           Form->BorderWidth();
}

// ---------------------------------------------------------------------------------------------
// Properties

void TsSkinProvider::SetAddedTitle(TacAddedTitle* Value)
{
    FAddedTitle->SetFont(Value->Font());
    FAddedTitle->SetShowMainCaption(Value->ShowMainCaption());
    FAddedTitle->SetText(Value->Text());
}

void TsSkinProvider::SetGripMode(TsGripMode Value)
{
    if (vcl::ChangeField(FGripMode, Value))
        FCommonData->BGChanged = true;
}

void TsSkinProvider::SetTitleIcon(TsTitleIcon* Value)
{
    FTitleIcon->SetGlyph(Value->Glyph());
    FTitleIcon->SetHeight(Value->Height());
    FTitleIcon->SetWidth(Value->Width());
}

// ---------------------------------------------------------------------------------------------
// Free functions of the unit

bool DoLayered(HWND Wnd, bool Layered)
{
    const LONG_PTR exStyle = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    if (!Layered || !SetLayeredWindowAttributes) {
        SetWindowLongPtrW(Wnd, GWL_STYLE, GetWindowLongPtrW(Wnd, GWL_STYLE) & ~LONG_PTR(WS_VISIBLE));
        SetWindowLongPtrW(Wnd, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED));
        return false;
    }
    if (exStyle & WS_EX_LAYERED)
        return false;
    SetWindowLongPtrW(Wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Wnd, vcl::clNone, 1, LWA_ALPHA);
    return true;
}

vcl::TRect acWorkRect(vcl::TCustomForm* Form)
{
    return vcl::Seams().WorkArea(Form->HandleAllocated() ? Form->Handle() : nullptr);
}

void UpdateMainForm(bool UpdateNow)
{
    TsSkinProvider* provider = MDISkinProvider;
    if (!provider)
        return;
    const HWND form = provider->Form->Handle();
    if (!provider->DrawNonClientArea()) {
        RedrawWindow(form, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
        return;
    }
    TsCommonData* data = provider->SkinData();
    data->BeginUpdate();
    if (provider->MDIForm)
        provider->MDIForm->UpdateMDIIconItem();
    data->BGChanged = true;
    provider->FGlow1.reset();
    provider->FGlow2.reset();
    provider->MenuChanged = true;
    provider->FLinesCount = -1;
    data->EndUpdate(false);
    if (const HWND client = provider->Form->ClientHandle())
        RedrawWindow(client, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME | (UpdateNow ? RDW_UPDATENOW : 0));
    RedrawWindow(form, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    if (UpdateNow)
        if (TacBorderForm* border = BorderWindowOf(provider))
            border->UpdateExBordersPos(true, 255);
}

vcl::TCustomForm* MaximizedMDIChild(vcl::TCustomForm* MDIForm)
{
    vcl::TCustomForm* active = MDIForm && MDIForm->FormStyle() == vcl::TFormStyle::fsMDIForm ? MDIForm->ActiveMDIChild()
                                                                                               : nullptr;
    return active && active->WindowState() == vcl::TWindowState::wsMaximized ? active : nullptr;
}

void MarkMDIFormChanged()
{
    TsSkinProvider* provider = MDISkinProvider;
    if (!provider || !provider->SkinData()->Skinned())
        return;
    provider->SkinData()->BGChanged = true;
    provider->FLinesCount = -1;
}

void SendPreviewHandle(HWND Wnd)
{
    if (!acPreviewRequested || acPreviewHandle)
        return;
    vcl::TCustomForm* mainForm = vcl::Application ? vcl::Application->MainForm() : nullptr;
    if (mainForm && !(mainForm->HandleAllocated() && mainForm->Handle() == Wnd))
        return;
    acPreviewHandle = Wnd;
    acPreviewRequested = false;
    for (int i = 0; i < PreviewTries; ++i) {
        const HWND editor = FindWindowW(nullptr, SkinEditorTitle);
        DWORD_PTR answer = 0;
        if (!editor || !SendMessageTimeoutW(editor, SkinPreviewMessage, PreviewAnnounce, reinterpret_cast<LPARAM>(Wnd),
                                            SMTO_ABORTIFHUNG, PreviewAnswerTimeoutMs, &answer))
            return;
        if (answer == 1)
            return;
    }
}

}  // namespace skin
