#include "skin/graphics/sGlyphUtils.h"

namespace skin {

namespace {

vcl::TObjectPtr<TsAlphaImageList> BuildResImgList()
{
    vcl::TObjectPtr<TsAlphaImageList> list(vcl::Create<TsAlphaImageList>(nullptr));
    list->SetWidth(48);
    list->SetHeight(16);
    for (const wchar_t* name : acGlyphsResNames) {
        vcl::TResourceStream resource(GetModuleHandleW(nullptr), name, RT_RCDATA);
        TsImgListItem* item = list->Items()->Add();
        item->SetImageFormat(TsImageFormat::ifPNG);
        item->SetPixelFormat(vcl::TPixelFormat::pf32bit);
        item->ImgData->LoadFromStream(&resource);
    }
    list->GenerateStdList();
    return list;
}

}  // namespace

TsAlphaImageList* acResImgList()
{
    static const vcl::TObjectPtr<TsAlphaImageList> list = BuildResImgList();
    return list.get();
}

}  // namespace skin
