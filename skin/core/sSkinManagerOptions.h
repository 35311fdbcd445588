#pragma once
// The skin manager's option objects: effects, animations and the lists of standard control
// classes skinned automatically. The manager makes each in its constructor and frees it with
// itself; a published property's default is the value a form does not store.
#include <array>
#include <cstdint>

#include "skin/core/sVclUtils.h"
#include "vcl/classes.h"

namespace skin {

class TsSkinManager;

// Glows and the blur behind extended borders.
class TacSkinEffects : public vcl::TPersistent {
    CL_CLASS(TacSkinEffects, vcl::TPersistent)
public:
    explicit TacSkinEffects(TsSkinManager* AManager) : Manager(AManager) {}

    bool AllowGlowing() const { return FAllowGlowing; }
    void SetAllowGlowing(bool value) { FAllowGlowing = value; }
    bool AllowAeroBluring() const { return FAllowAeroBluring; }
    void SetAllowAeroBluring(bool value) { FAllowAeroBluring = value; }

    // Glows are drawn: AllowGlowing, layered windows (or design time), and no start-up veto.
    bool GetAllowGlowing() const;

    TsSkinManager* Manager;

private:
    bool FAllowGlowing = true;
    bool FAllowAeroBluring = true;
};

enum class TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = vcl::TSet<TacBtnEvent>;

// The events on which controls that ask for the global default fade.
class TacBtnEffects : public vcl::TPersistent {
    CL_CLASS(TacBtnEffects, vcl::TPersistent)
public:
    explicit TacBtnEffects(TsSkinManager* AManager) : Manager(AManager) {}

    TacBtnEvents Events() const { return FEvents; }
    void SetEvents(TacBtnEvents value) { FEvents = value; }

    TsSkinManager* Manager;

private:
    TacBtnEvents FEvents{TacBtnEvent::beMouseEnter, TacBtnEvent::beMouseLeave, TacBtnEvent::beMouseDown,
                         TacBtnEvent::beMouseUp};
};

// One animation: on or off, its length in milliseconds and its kind.
class TacFormAnimation : public vcl::TPersistent {
    CL_CLASS(TacFormAnimation, vcl::TPersistent)
public:
    TacFormAnimation(bool AActive, uint16_t ATime, TacAnimType AMode) : FTime(ATime), FActive(AActive), FMode(AMode) {}

    bool Active() const { return FActive; }
    void SetActive(bool value) { FActive = value; }
    uint16_t Time() const { return FTime; }
    void SetTime(uint16_t value) { FTime = value; }
    TacAnimType Mode() const { return FMode; }
    void SetMode(TacAnimType value) { FMode = value; }

private:
    uint16_t FTime;
    bool FActive;
    TacAnimType FMode;
};

// Forms and dialogs shown blended while they move.
class TacBlendOnMoving : public TacFormAnimation {
    CL_CLASS(TacBlendOnMoving, TacFormAnimation)
public:
    TacBlendOnMoving() : TacFormAnimation(false, 1000, TacAnimType::atAero) {}

    uint8_t BlendValue() const { return FBlendValue; }
    void SetBlendValue(uint8_t value) { FBlendValue = value; }

private:
    uint8_t FBlendValue = 170;
};

// The animations of the AnimEffects table, each with its own defaults.
class TacDialogShow : public TacFormAnimation {
    CL_CLASS(TacDialogShow, TacFormAnimation)
public:
    TacDialogShow() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
};

class TacFormShow : public TacFormAnimation {
    CL_CLASS(TacFormShow, TacFormAnimation)
public:
    TacFormShow() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
};

class TacFormHide : public TacFormAnimation {
    CL_CLASS(TacFormHide, TacFormAnimation)
public:
    TacFormHide() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
};

class TacMinimizing : public TacFormAnimation {
    CL_CLASS(TacMinimizing, TacFormAnimation)
public:
    TacMinimizing() : TacFormAnimation(true, 200, TacAnimType::atAero) {}
};

class TacPageChange : public TacFormAnimation {
    CL_CLASS(TacPageChange, TacFormAnimation)
public:
    TacPageChange() : TacFormAnimation(true, 0, TacAnimType::atAero) {}
};

class TacSkinChanging : public TacFormAnimation {
    CL_CLASS(TacSkinChanging, TacFormAnimation)
public:
    TacSkinChanging() : TacFormAnimation(true, 100, TacAnimType::atFading) {}
};

// The nine animation objects.
class TacAnimEffects : public vcl::TPersistent {
    CL_CLASS(TacAnimEffects, vcl::TPersistent)
public:
    explicit TacAnimEffects(TsSkinManager* AManager) : Manager(AManager), FButtons(vcl::Create<TacBtnEffects>(AManager)) {}

    TacBlendOnMoving* BlendOnMoving() const { return FBlendOnMoving.get(); }
    TacBtnEffects* Buttons() const { return FButtons.get(); }
    TacDialogShow* DialogShow() const { return FDialogShow.get(); }
    TacFormShow* FormShow() const { return FFormShow.get(); }
    TacFormHide* FormHide() const { return FFormHide.get(); }
    TacFormHide* DialogHide() const { return FDialogHide.get(); }
    TacMinimizing* Minimizing() const { return FMinimizing.get(); }
    TacPageChange* PageChange() const { return FPageChange.get(); }
    TacSkinChanging* SkinChanging() const { return FSkinChanging.get(); }

    TsSkinManager* Manager;

private:
    vcl::TObjectPtr<TacBtnEffects> FButtons;
    vcl::TObjectPtr<TacDialogShow> FDialogShow{vcl::Create<TacDialogShow>()};
    vcl::TObjectPtr<TacFormShow> FFormShow{vcl::Create<TacFormShow>()};
    vcl::TObjectPtr<TacFormHide> FFormHide{vcl::Create<TacFormHide>()};
    vcl::TObjectPtr<TacSkinChanging> FSkinChanging{vcl::Create<TacSkinChanging>()};
    vcl::TObjectPtr<TacPageChange> FPageChange{vcl::Create<TacPageChange>()};
    vcl::TObjectPtr<TacFormHide> FDialogHide{vcl::Create<TacFormHide>()};
    vcl::TObjectPtr<TacMinimizing> FMinimizing{vcl::Create<TacMinimizing>()};
    vcl::TObjectPtr<TacBlendOnMoving> FBlendOnMoving{vcl::Create<TacBlendOnMoving>()};
};

// The class names, one per line, of standard controls that the skin library skins by kind of
// wrapper. A single blank is a list that names no class and keeps the default out.
class ThirdPartyList : public vcl::TPersistent {
    CL_CLASS(ThirdPartyList, vcl::TPersistent)
public:
    enum Index {
        ThirdEdits, ThirdButtons, ThirdBitBtns, ThirdCheckBoxes, ThirdComboBoxes, ThirdGrids, ThirdGroupBoxes,
        ThirdListViews, ThirdPanels, ThirdTreeViews, ThirdWWEdits, ThirdGridEh, ThirdVirtualTrees,
        ThirdPageControl, ThirdTabControl, ThirdToolBar, ThirdStatusBar, ThirdSpeedButton, ThirdScrollControl,
        ThirdUpDown, ThirdScrollBar, Count
    };

    // Indexes outside 0 to Count - 1 read nothing and write nothing.
    vcl::String GetString(int index) const;
    void SetString(int index, const vcl::String& value);

    // The text a list takes when it is empty: "TButton" for the buttons, a single blank elsewhere.
    static vcl::String DefaultText(int index);

private:
    std::array<vcl::String, Count> FLists;
};

}  // namespace skin
