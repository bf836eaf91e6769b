#pragma once
// TCustomMaskEdit: an edit whose text follows an edit mask. Keys typed skip the
// mask's literals; characters the mask does not allow are refused.
#include "platform/controls/MaskUtils.h"
#include "platform/controls/StdCtrls.h"

VANTREL_DECLARE_EXCEPTION(EDBEditError, Exception)

class TCustomMaskEdit : public TCustomEdit {
  VANTREL_CLASS(TCustomMaskEdit, TCustomEdit)
public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& Value);
  bool IsMasked() const { return FMask.IsMasked(); }
  // The text as shown: literals in place, unfilled positions as the blank character.
  std::string EditText() const;
  void SetEditText(const std::string& Value);
  // Raises EDBEditError (and takes the focus back) when a required position is blank
  // in a modified masked edit.
  virtual void ValidateEdit();
  // Puts back the text the edit had when it got the focus, if it was changed.
  virtual void Reset();
  virtual bool EditCanModify();
  void SetMaxLength(int Value) override;

  static void Publish(TClassBuilder<TCustomMaskEdit>& b);

  std::string GetText() const override;
  void SetText(const std::string& Value) override;
protected:
  std::string DisplayText() const override;
  void EditChar(TKeyChar Key) override;
  void EditKeyDown(win::WORD Key, TShiftState Shift) override;
  void PasteText(const std::string& S) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void Dispatch(TMessage& Message) override;
  void DoEnter() override;
  virtual void ValidateError();
  // Keeps the cells and the plain text in step after an edit.
  void SyncText();

  std::string FEditMask;
  TEditMask FMask;
  TMaskText FCells{TEditMask()};
  std::string FOldValue;
  bool FReEnter = false;
};

class TMaskEdit : public TCustomMaskEdit {
  VANTREL_CLASS(TMaskEdit, TCustomMaskEdit)
public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
