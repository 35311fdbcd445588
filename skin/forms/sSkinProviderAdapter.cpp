#include "skin/forms/sSkinProviderAdapter.h"

namespace skin {

void TacCtrlAdapter::AddAllItems(vcl::TWinControl*) {}

void TacCtrlAdapter::AddNewItem(vcl::TWinControl*) {}

void TacCtrlAdapter::WndProc(vcl::TMessage&) {}

}  // namespace skin
