#pragma once
// Helpers for the forms built in code: each control is made owned by its form, named after the
// field that holds it, put in its parent and placed, in the order a form resource would set it.
#include "vcl/bitmaps.h"
#include "vcl/controls.h"
#include "vcl/graphics.h"

namespace formbuilder {

template<class T>
T* Make(vcl::TComponent* Owner, T*& Field, const wchar_t* Name)
{
    Field = vcl::Create<T>(Owner);
    Field->SetName(Name);
    return Field;
}

template<class T>
T* Place(vcl::TComponent* Owner, T*& Field, const wchar_t* Name, vcl::TWinControl* Parent, int Left, int Top,
         int Width, int Height)
{
    Make(Owner, Field, Name);
    Field->SetParent(Parent);
    Field->SetBounds(Left, Top, Width, Height);
    return Field;
}

// Height as in a font description: negative = character height, positive = cell height.
void SetFont(vcl::TControl* Control, const wchar_t* Name, int Height, vcl::TFontStyles Style = {});

// The program's own pictures, held as RCDATA resources of the executable: a BMP read into a
// bitmap, or a PNG read by the skin library's PNG class and assigned to a bitmap or a picture.
void LoadBitmapResource(vcl::TBitmap* Target, const wchar_t* Name);
void LoadPngResource(vcl::TPersistent* Target, const wchar_t* Name);
// Other data held as an RCDATA resource, read whole into a memory stream.
void LoadDataResource(vcl::TMemoryStream* Target, const wchar_t* Name);

}  // namespace formbuilder

// Inside a form's InitializeComponents: the form owns the control, whose name is its field's.
#define FORM_MAKE(Field) ::formbuilder::Make(this, Field, CL_WIDEN(#Field))
#define FORM_PLACE(Field, Parent, Left, Top, Width, Height) \
    ::formbuilder::Place(this, Field, CL_WIDEN(#Field), Parent, Left, Top, Width, Height)
