#pragma once
// Per-control skin data: what a skinned control keeps about its look. For now it holds the
// name of the skin section the control is painted with.
#include "vcl/classes.h"

namespace skin {

class TsCommonData : public vcl::TPersistent {
    CL_CLASS(TsCommonData, vcl::TPersistent)
public:
    TsCommonData() = default;

    // The section name, kept upper-cased: section names compare without case.
    const vcl::String& SkinSection() const { return FSkinSection; }
    void SetSkinSection(const vcl::String& value) { FSkinSection = vcl::UpperCase(value); }

private:
    vcl::String FSkinSection;
};

}  // namespace skin
