// The per-control skin data without windows: the section and its indexes, whether a control needs
// a cache, the background colour, batches, and the skin commands and window messages every
// skinned control shares, over skin tables built by hand.
#include <gtest/gtest.h>

#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/tests/SkinTestControls.h"
#include "skin/graphics/tests/SkinTableFixtures.h"
#include "vcl/application.h"
#include "vcl/extctrls.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"

namespace {

using namespace skin;
using skin::test::TImageGeometry;
using skin::test::TTestSkin;
using vcl::TColor;
using vcl::TMessage;

template<class T>
using TPtr = vcl::TObjectPtr<T>;

// A control that owns skin data and handles its messages the shared way first; what goes on to
// its inherited procedure is recorded.
template<class TBase>
class TCommonControl : public TBase {
public:
    explicit TCommonControl(vcl::TComponent* AOwner) : TBase(AOwner), Data(this, false) {}
    TsCommonData Data;
    skintest::TCommandLog Log;        // the skin commands that reach the control
    std::vector<UINT> InheritedSeen;  // the messages its inherited procedure got

    void WndProc(TMessage& Message) override
    {
        Log.Record(Message);
        if (CommonWndProc(Message, &Data))
            return;
        InheritedSeen.push_back(Message.Msg);
        TBase::WndProc(Message);
    }
    bool InheritedGot(UINT Msg) const
    {
        return std::find(InheritedSeen.begin(), InheritedSeen.end(), Msg) != InheritedSeen.end();
    }
};

class TCommonGraphic : public TCommonControl<vcl::TGraphicControl> {
    CL_CLASS(TCommonGraphic, vcl::TGraphicControl)
public:
    using TCommonControl::TCommonControl;
};

class TCommonWindowed : public TCommonControl<vcl::TCustomControl> {
    CL_CLASS(TCommonWindowed, vcl::TCustomControl)
public:
    using TCommonControl::TCommonControl;
};

// A hand-built skin with one section "S" of red 200 (and whatever a test adds), a plain parent
// control of blue 100 and a graphic control on it whose skin data takes that section.
class CommonData : public ::testing::Test {
protected:
    CommonData()
    {
        FSection = FSkin.AddSection(L"S", TColor(200));
        FParent->SetColor(TColor(100 << 16));
        FControl->SetParent(FParent.get());
    }

    TsGeneralData& Section() const { return FSkin.Section(FSection); }
    void SetTransparency(int T) const { FSkin.SetTransparency(FSection, T); }
    // Gives the section a border image with these margins and draw mode.
    void SetBorder(int WL, int WT, int WR, int WB, int DrawMode)
    {
        Section().BorderIndex = FSkin.AddImage({vcl::TRect(0, 0, 1, 1), 1, 0, WL, WT, WR, WB, DrawMode});
    }
    TsCommonData& Data() const { return FControl->Data; }
    // The control takes section "S" afresh.
    void Resolve() const
    {
        Data().SetSkinSection(L"");
        Data().SetSkinSection(L"S");
    }

    TTestSkin FSkin;
    int FSection;
    TPtr<vcl::TCustomControl> FParent{vcl::Create<vcl::TCustomControl>(nullptr)};
    TPtr<TCommonGraphic> FControl{vcl::Create<TCommonGraphic>(nullptr)};
};

TEST_F(CommonData, NeedsACacheByTransparencyBorderAndDrawMode)
{
    struct TCase {
        const char* Name;
        int T;
        int WL, WT, WR, WB, DrawMode;  // WL < 0: no border image
        bool Required;
    };
    const TCase cases[] = {
        {"opaque, no border", 0, -1, 0, 0, 0, 0, false},
        {"half transparent", 50, -1, 0, 0, 0, 0, true},
        {"see-through, the parent keeps no state", 100, -1, 0, 0, 0, 0, true},
        {"borders of 20 across", 0, 10, 0, 10, 0, 0, false},
        {"borders of 21 across", 0, 10, 0, 11, 0, 0, true},
        {"borders of 20 down", 0, 0, 10, 0, 10, 0, false},
        {"borders of 21 down", 0, 0, 11, 0, 10, 0, true},
        {"a border with its centre", 0, 1, 1, 1, 1, 4, true},
        {"a border without its centre", 0, 1, 1, 1, 1, 3, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetTransparency(c.T);
        Section().BorderIndex = -1;
        if (c.WL >= 0)
            SetBorder(c.WL, c.WT, c.WR, c.WB, c.DrawMode);
        Resolve();
        EXPECT_EQ(IsCacheRequired(Data()), c.Required);
    }
    SetTransparency(0);
    Section().ImagePercent = 10;
    Resolve();
    EXPECT_TRUE(IsCacheRequired(Data())) << "a texture mixed in";
    FSkin.SetTransparency(FSection, 100);
    Data().FOwnerControl = nullptr;
    EXPECT_TRUE(IsCacheRequired(Data())) << "see-through without an owner control";
}

TEST_F(CommonData, APanelThatNeedsNoCachePaintsThroughOneOnlyWhileActive)
{
    TPtr<vcl::TPanel> panel(vcl::Create<vcl::TPanel>(nullptr));
    TsCommonData data(panel.get(), false);
    data.COC = ckPanel;
    data.SetSkinSection(L"S");
    EXPECT_TRUE(data.CtrlSkinState & cssNoCache);
    EXPECT_FALSE(IsCached(data));
    data.FMouseAbove = true;  // panels are never hot through the mouse
    EXPECT_FALSE(IsCached(data));
    data.FFocused = true;
    EXPECT_TRUE(IsCached(data));

    SetTransparency(50);
    data.UpdateIndexes();
    EXPECT_FALSE(data.CtrlSkinState & cssNoCache) << "a section that needs a cache";
    Data().SetSkinSection(L"S");
    EXPECT_FALSE(Data().CtrlSkinState & cssNoCache) << "other controls always paint through their cache";
}

TEST_F(CommonData, BackgroundColourMixesTheSectionOverTheParent)
{
    Resolve();
    EXPECT_EQ(GetBGColor(Data(), 0), TColor(200)) << "opaque: the section's colour";
    SetTransparency(50);
    EXPECT_EQ(GetBGColor(Data(), 0), TColor(100 | 50 << 16)) << "red 200 over blue 100 at a half";
    SetTransparency(100);
    EXPECT_EQ(GetBGColor(Data(), 0), TColor(100 << 16)) << "see-through: the parent's colour";

    SetTransparency(0);
    Data().SetCustomColor(true);
    FControl->SetColor(TColor(77));
    EXPECT_EQ(GetBGColor(Data(), 0), TColor(77)) << "a custom colour is the owner's";
    TsCommonData unowned(nullptr, false);
    EXPECT_EQ(GetBGColor(unowned, 0), vcl::clBtnFace);
}

TEST_F(CommonData, SectionNamesAreUpperCasedAndAMissingOneUnskins)
{
    FSkin.AddSection(L"EDIT", TColor(1));
    Data().SetSkinSection(L"edit");
    EXPECT_EQ(Data().SkinSection(), L"EDIT");
    EXPECT_GE(Data().SkinIndex, 0);
    EXPECT_EQ(FControl->Log.Commands, std::vector<uint16_t>{scmdRepaint});
    EXPECT_EQ(FControl->Log.LParams.back(), reinterpret_cast<LPARAM>(FSkin.Manager()));

    Data().SetSkinSection(L"EDIT");
    EXPECT_EQ(FControl->Log.Commands.size(), 1u) << "the same name again is no change";
    Data().SetSkinSection(L"edit");
    EXPECT_EQ(FControl->Log.Count(scmdRepaint), 2) << "another spelling looks it up again";

    Data().SetSkinSection(L"");
    EXPECT_EQ(Data().SkinSection(), L"UNKNOWN");
    EXPECT_EQ(Data().SkinIndex, -1);
    EXPECT_EQ(FControl->Log.Commands.back(), scmdSkinRemoved);
    EXPECT_FALSE(Data().Skinned());
}

TEST_F(CommonData, TheKindCodeChoosesTheDefaultSection)
{
    for (const auto& [code, section] : std::vector<std::pair<int, const wchar_t*>>{
             {ckEdit, L"EDIT"}, {ckPanel, L"PANEL"}, {ckScrollBox, L"PANEL_LOW"}, {ckButton, L"BUTTON"},
             {ckGauge, L"GAUGE"}, {12, L"COMBOBOX"}, {ckFrameAdapter, L"GROUPBOX"}, {ckAdapterItem, L"EDIT"}}) {
        TsCommonData data(FControl.get(), false);
        data.COC = code;
        UpdateData(data);
        EXPECT_EQ(data.SkinSection(), section) << code;
    }
    TsCommonData data(FControl.get(), false);
    data.COC = 300;
    UpdateData(data);
    EXPECT_EQ(data.SkinSection(), L"TCOMMONGRAPHIC") << "a code without a section: the owner's class name";
}

TEST_F(CommonData, NestedBatchesEndOnce)
{
    Data().BeginUpdate();
    Data().BeginUpdate();
    EXPECT_TRUE(Data().CtrlSkinState & cssBatch);
    Data().EndUpdate();
    EXPECT_FALSE(Data().FUpdating) << "updating ends at every EndUpdate";
    EXPECT_EQ(FControl->Log.Count(scmdEndBatch), 0);
    Data().EndUpdate();
    EXPECT_EQ(FControl->Log.Count(scmdBeginBatch), 2);
    EXPECT_EQ(FControl->Log.Count(scmdEndBatch), 1);
}

TEST_F(CommonData, TheDefaultManagerIsNotStored)
{
    Data().SetSkinManager(FSkin.Manager());
    EXPECT_FALSE(Data().ManagerStored());
    EXPECT_EQ(Data().SkinManager(), FSkin.Manager());
}

// ---------------------------------------------------------------------------------------------
// Skin commands

TMessage Command(uint16_t Cmd, LPARAM LParam = 0, uint16_t Arg = 0) { return MakeSkinMessage(Cmd, LParam, Arg); }

TEST_F(CommonData, TheSkinnedQueryIsAnsweredWithoutTheInheritedProcedure)
{
    EXPECT_EQ(FControl->Perform(SkinCommandMessage, SkinCommandWParam(scmdQuerySkinned)), 1) << "also unskinned";
    EXPECT_FALSE(FControl->InheritedGot(SkinCommandMessage));
}

TEST_F(CommonData, AContextMenuRequestHandsTheControlsMenuToTheSkinnedMenus)
{
    TPtr<vcl::TPopupMenu> menu(vcl::Create<vcl::TPopupMenu>(nullptr));
    menu->SetAutoPopup(false);  // the inherited handling would show it
    auto* item = vcl::Create<vcl::TMenuItem>(menu.get());
    menu->Items()->Add(item);
    FControl->SetPopupMenu(menu.get());
    FControl->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_TRUE(item->OnMeasureItem() && item->OnAdvancedDrawItem());
    EXPECT_TRUE(FControl->InheritedGot(WM_CONTEXTMENU)) << "the menu opens as before";
    FControl->SetPopupMenu(nullptr);
}

TEST_F(CommonData, TheTexturedQueryWritesItsAnswerIntoLParamToo)
{
    Section().GradientPercent = 30;
    FSkin.SyncProps(FSection);
    Resolve();
    TMessage m = Command(scmdQueryTextured);
    EXPECT_TRUE(CommonMessage(m, &Data()));
    EXPECT_EQ(m.Result, 1);
    EXPECT_EQ(m.LParam, 1);
}

TEST_F(CommonData, TheTexturedQueryOfAnIndexTheTablesNoLongerHoldAnswersAsUnskinned)
{
    Section().GradientPercent = 30;
    FSkin.SyncProps(FSection);
    Resolve();
    // A load under way has put its new tables in place, still empty (as while its version box is
    // up): the control's index names no section of them.
    TsGeneralDataArray sections = std::move(FSkin.Manager()->gd);
    FSkin.Manager()->gd.clear();
    TMessage m = Command(scmdQueryTextured, 7);
    EXPECT_FALSE(CommonMessage(m, &Data()));
    EXPECT_EQ(m.Result, 0);
    EXPECT_EQ(m.LParam, 7);
    FSkin.Manager()->gd = std::move(sections);
}

TEST_F(CommonData, TheApplicationQueryIsAnsweredButLeftUnhandled)
{
    TMessage m = Command(scmdQueryApplication);
    EXPECT_FALSE(CommonMessage(m, &Data()));
    EXPECT_EQ(m.Result, reinterpret_cast<LRESULT>(vcl::Application));
}

TEST_F(CommonData, TheOwnManagersRemovalBringsBackTheStandardColours)
{
    TPtr<vcl::TEdit> edit(vcl::Create<vcl::TEdit>(nullptr));
    edit->SetColor(vcl::clRed);
    edit->Font()->SetColor(vcl::clYellow);
    TsCommonData data(edit.get(), false);
    data.SetSkinSection(L"S");
    TMessage m = Command(scmdSkinRemoved, reinterpret_cast<LPARAM>(FSkin.Manager()));
    CommonMessage(m, &data);
    EXPECT_EQ(edit->Color(), vcl::clWindow);
    EXPECT_EQ(edit->Font()->Color(), vcl::clWindowText);

    edit->SetColor(vcl::clRed);
    edit->Font()->SetColor(vcl::clYellow);
    data.SetCustomColor(true);
    data.SetCustomFont(true);
    CommonMessage(m, &data);
    EXPECT_EQ(edit->Color(), vcl::clRed) << "its own colour";
    EXPECT_EQ(edit->Font()->Color(), vcl::clYellow) << "its own font";

    TPtr<TCommonWindowed> container(vcl::Create<TCommonWindowed>(nullptr));
    auto* label = vcl::Create<vcl::TLabel>(container.get());
    label->SetParent(container.get());
    label->Font()->SetColor(vcl::clYellow);
    container->Data.SetSkinSection(L"S");
    CommonMessage(m, &container->Data);
    EXPECT_EQ(label->Font()->Color(), vcl::clWindowText) << "the labels inside";
}

TEST_F(CommonData, HidingAControlEmptiesItsCacheAndTellsItsChildren)
{
    TPtr<TCommonWindowed> owner(vcl::Create<TCommonWindowed>(nullptr));
    TCommonGraphic* child = vcl::Create<TCommonGraphic>(owner.get());
    child->SetParent(owner.get());
    owner->Data.FCacheBmp = CreateBmp32(4, 4);
    owner->Data.BGChanged = false;
    owner->Perform(vcl::CM_VISIBLECHANGED, 0);
    EXPECT_EQ(owner->Data.FCacheBmp->Width(), 0);
    EXPECT_TRUE(owner->Data.BGChanged);
    EXPECT_EQ(child->Log.Count(scmdDropCache), 1);

    owner->Data.FUpdating = true;
    owner->Data.BGChanged = false;
    owner->Perform(vcl::CM_VISIBLECHANGED, 1);  // shown again
    EXPECT_FALSE(owner->Data.FUpdating);
    EXPECT_TRUE(owner->Data.BGChanged);
    EXPECT_EQ(child->Log.Count(scmdDropCache), 1);

    acFreeHiddenCaches = false;
    owner->Data.FCacheBmp = CreateBmp32(4, 4);
    owner->Perform(vcl::CM_VISIBLECHANGED, 0);
    acFreeHiddenCaches = true;
    EXPECT_EQ(owner->Data.FCacheBmp->Width(), 4) << "hidden caches kept";
    EXPECT_EQ(child->Log.Count(scmdDropCache), 1);
}

TEST_F(CommonData, AnotherManagersRemovalChangesNothing)
{
    Resolve();
    TPtr<TsSkinManager> other(vcl::Create<TsSkinManager>(nullptr));
    TMessage m = Command(scmdSkinRemoved, reinterpret_cast<LPARAM>(other.get()));
    CommonMessage(m, &Data());
    EXPECT_EQ(Data().SkinIndex, FSection);
    EXPECT_FALSE(Data().FUpdating);

    m.LParam = reinterpret_cast<LPARAM>(FSkin.Manager());
    CommonMessage(m, &Data());
    EXPECT_EQ(Data().SkinIndex, -1);
    EXPECT_TRUE(Data().FUpdating);
}

TEST_F(CommonData, DroppingAMissingCacheTellsNoChild)
{
    TPtr<TCommonWindowed> owner(vcl::Create<TCommonWindowed>(nullptr));
    TCommonGraphic* child = vcl::Create<TCommonGraphic>(owner.get());
    child->SetParent(owner.get());
    owner->Data.BGChanged = false;
    owner->Perform(SkinCommandMessage, SkinCommandWParam(scmdDropCache));
    EXPECT_FALSE(owner->Data.BGChanged);
    EXPECT_FALSE(owner->Data.FUpdating);
    EXPECT_EQ(child->Log.Count(scmdDropCache), 0);

    owner->Data.FCacheBmp = CreateBmp32(4, 4);
    owner->Perform(SkinCommandMessage, SkinCommandWParam(scmdDropCache));
    EXPECT_EQ(owner->Data.FCacheBmp->Width(), 0);
    EXPECT_TRUE(owner->Data.BGChanged);
    EXPECT_TRUE(owner->Data.FUpdating);
}

TEST_F(CommonData, AResizeOverAGradientTellsTheChildrenThatDoNotMoveWithIt)
{
    TPtr<TCommonWindowed> owner(vcl::Create<TCommonWindowed>(nullptr));
    owner->SetParent(FParent.get());
    owner->Data.SetSkinSection(L"S");
    Section().GradientPercent = 50;
    using vcl::TAnchorKind;
    const vcl::TAnchors anchors[] = {{TAnchorKind::akLeft, TAnchorKind::akTop},
                                     {TAnchorKind::akLeft, TAnchorKind::akRight},
                                     {TAnchorKind::akTop, TAnchorKind::akBottom}};
    std::vector<TCommonGraphic*> children;
    for (const vcl::TAnchors& a : anchors) {
        TCommonGraphic* child = vcl::Create<TCommonGraphic>(owner.get());
        child->SetParent(owner.get());
        child->SetAnchors(a);
        children.push_back(child);
    }
    owner->Perform(WM_SIZE);
    EXPECT_EQ(children[0]->Log.Commands, std::vector<uint16_t>{scmdMarkIfMoved});
    EXPECT_EQ(children[1]->Log.Count(scmdMarkIfMoved), 0) << "anchored right";
    EXPECT_EQ(children[2]->Log.Count(scmdMarkIfMoved), 0) << "anchored bottom";

    Section().GradientPercent = 0;
    children[0]->Log.Commands.clear();
    owner->Perform(WM_SIZE);
    EXPECT_TRUE(children[0]->Log.Commands.empty()) << "a plain section";
}

TEST_F(CommonData, ASeeThroughControlWithNothingBeneathAnswersTheGlobalColour)
{
    const int global = FSkin.AddSection(L"GLOBALINFO", TColor(0x123456));
    FSkin.Manager()->ConstData.IndexGLobalInfo = global;
    SetTransparency(100);
    TsCommonData data(nullptr, false);
    data.SetSkinSection(L"S");
    TacBGInfo info;
    InitBGInfo(&data, info, 0, nullptr);
    EXPECT_EQ(info.BgKind, 1);
    EXPECT_EQ(info.Color, TColor(0x123456));
}

TEST_F(CommonData, ABackgroundOfGradientOrTextureLendsTheCache)
{
    Section().GradientPercent = 40;
    FSkin.SyncProps(FSection);
    Resolve();
    TacBGInfo info;
    InitBGInfo(&Data(), info, 0, nullptr);
    EXPECT_EQ(info.BgKind, 1) << "no cache yet";
    EXPECT_EQ(info.Color, vcl::clFuchsia);

    Data().FCacheBmp = CreateBmp32(3, 3);
    info.Offset = vcl::TPoint(5, 5);
    InitBGInfo(&Data(), info, 0, nullptr);
    EXPECT_EQ(info.BgKind, 2);
    EXPECT_EQ(info.Bmp, Data().FCacheBmp.get());
    EXPECT_EQ(info.Offset, vcl::TPoint(0, 0));
}

}  // namespace
