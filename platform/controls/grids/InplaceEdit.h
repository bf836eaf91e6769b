#pragma once
// TInplaceEdit: the masked edit a grid lays over its current cell. It loads its text,
// mask and limit from the grid, moves with the cell, hands navigation keys back to
// the grid, writes its text back on Enter and drops the changes on Escape.
#include "platform/controls/Mask.h"

class TCustomGrid;

class TInplaceEdit : public TCustomMaskEdit {
  VANTREL_CLASS(TInplaceEdit, TCustomMaskEdit)
public:
  explicit TInplaceEdit(TComponent* AOwner);

  TCustomGrid* Grid() const { return FGrid; }
  // Loads text, mask and limit of the grid's current cell.
  virtual void UpdateContents();
  // Shows the editor over a cell rectangle (client coordinates of the grid).
  void UpdateLoc(const win::RECT& Loc);
  void Move(const win::RECT& Loc);
  // Hides the editor; the grid keeps the focus when the editor had it.
  void Hide();
  bool Visible() const { return TControl::Visible(); }
  // Types one character as if from the keyboard.
  void TypeChar(TKeyChar Key);
  // Puts back the text of the cell and forgets the changes.
  void Revert();

protected:
  bool EditCanModify() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void Dispatch(TMessage& Message) override;
  void DoExit() override;
  virtual void BoundsChanged() {}

  TCustomGrid* FGrid = nullptr;
  friend class TCustomGrid;
};
