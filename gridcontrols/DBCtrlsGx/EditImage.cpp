// The image settings of a data-aware edit: each layout change is sent to the edit, which
// makes its window again to place the image.
#include "gridcontrols/DBCtrlsGx/FieldDataLink.h"

#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "platform/controls/WinControl.h"

void TEditImageGx::Publish(TClassBuilder<TEditImageGx>& b) {
  b.Property("ImageIndex", &TEditImageGx::ImageIndex, &TEditImageGx::SetImageIndex).Default(0);
  b.Property("Images", &TEditImageGx::Images, &TEditImageGx::SetImages);
  b.Property("UseImageHeight", &TEditImageGx::UseImageHeight, &TEditImageGx::SetUseImageHeight).Default(true);
  b.Property("Visible", &TEditImageGx::Visible, &TEditImageGx::SetVisible).Default(false);
  b.Property("Width", &TEditImageGx::Width, &TEditImageGx::SetWidth).Default(0);
}

TEditImageGx::TEditImageGx(TWinControl* EditControl) : FEditControl(EditControl) {}

TPersistent* TEditImageGx::GetOwner() { return FEditControl; }

void TEditImageGx::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TEditImageGx*>(Source)) {
    SetImages(src->Images());
    SetImageIndex(src->ImageIndex());
    SetVisible(src->Visible());
    SetWidth(src->Width());
    return;
  }
  TPersistent::Assign(Source);
}

void TEditImageGx::LayoutChanged() {
  if (FEditControl) FEditControl->Perform(WM_IMAGELAYOUT_GX, reinterpret_cast<win::WPARAM>(this), 0);
}

void TEditImageGx::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (FEditControl) FEditControl->Invalidate();
}

void TEditImageGx::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  FImages = Value;
  LayoutChanged();
  if (Value && FEditControl) Value->FreeNotification(FEditControl);
}

void TEditImageGx::SetUseImageHeight(bool Value) {
  if (Value == FUseImageHeight) return;
  FUseImageHeight = Value;
  LayoutChanged();
}

void TEditImageGx::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  LayoutChanged();
}

void TEditImageGx::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  LayoutChanged();
}
