#pragma once
// TInplaceFilterEditGx: the editor of the grid's filter row. A data-aware edit kept by the
// grid in in-place mode, moved from filter cell to filter cell; the grid is its holder.
#include "gridcontrols/DBCtrlsGx/DBEdit.h"

class TInplaceFilterEditGx : public TDBEditGx {
  VANTREL_CLASS(TInplaceFilterEditGx, TDBEditGx)
public:
  explicit TInplaceFilterEditGx(TComponent* AOwner) : TDBEditGx(AOwner) {}
  // The text sits one pixel lower than in a plain edit, level with the cell texts.
  win::RECT TextAreaRect() override {
    win::RECT R = TDBEditGx::TextAreaRect();
    ++R.top;
    return R;
  }
};
