#pragma once
// Per-control skin data: what a skinned control keeps about its look: the skin section it is
// painted with and the manager that serves it.
#include "vcl/classes.h"

namespace skin {

class TsSkinManager;

// Painting is held back while set: during the broadcast of a new skin.
extern bool RestrictDrawing;

class TsCommonData : public vcl::TPersistent {
    CL_CLASS(TsCommonData, vcl::TPersistent)
public:
    TsCommonData() = default;

    // The section name, kept upper-cased: section names compare without case.
    const vcl::String& SkinSection() const { return FSkinSection; }
    void SetSkinSection(const vcl::String& value) { FSkinSection = vcl::UpperCase(value); }
    // The manager chosen for the control, else DefaultManager.
    TsSkinManager* SkinManager() const;
    void SetSkinManager(TsSkinManager* value) { FSkinManager = value; }

    // The mouse is over the owner.
    bool FMouseAbove = false;

private:
    vcl::String FSkinSection;
    TsSkinManager* FSkinManager = nullptr;
};

}  // namespace skin
