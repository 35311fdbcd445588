#include "mainwindow/FormBuilder.h"

#include "skin/graphics/acPNG.h"

namespace formbuilder {

namespace {

HINSTANCE ProgramInstance()
{
    return GetModuleHandleW(nullptr);
}

}  // namespace

void SetFont(vcl::TControl* Control, const wchar_t* Name, int Height, vcl::TFontStyles Style)
{
    vcl::TFont* font = Control->Font();
    font->SetName(Name);
    font->SetHeight(Height);
    font->SetStyle(Style);
}

void LoadBitmapResource(vcl::TBitmap* Target, const wchar_t* Name)
{
    vcl::TResourceStream stream(ProgramInstance(), Name, RT_RCDATA);
    Target->LoadFromStream(&stream);
}

void LoadPngResource(vcl::TPersistent* Target, const wchar_t* Name)
{
    vcl::TResourceStream stream(ProgramInstance(), Name, RT_RCDATA);
    vcl::TObjectPtr<skin::TPNGGraphic> png(vcl::Create<skin::TPNGGraphic>());
    png->LoadFromStream(&stream);
    Target->Assign(png.get());
}

void LoadDataResource(vcl::TMemoryStream* Target, const wchar_t* Name)
{
    vcl::TResourceStream stream(ProgramInstance(), Name, RT_RCDATA);
    Target->LoadFromStream(&stream);
}

}  // namespace formbuilder
