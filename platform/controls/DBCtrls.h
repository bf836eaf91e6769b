#pragma once
// Data-aware controls: the navigator and the memo.
#include "platform/controls/ExtCtrls.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"

#include <array>

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
VANTREL_ENUM(TNavigateBtn, "nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete", "nbEdit", "nbPost",
             "nbCancel", "nbRefresh")
using TButtonSet = Set<TNavigateBtn>;
using TNavClick = TEvent<void(TObject* Sender, TNavigateBtn Button)>;

class TDBNavigator;

// One button of the navigator.
class TNavButton : public TGraphicControl {
  VANTREL_CLASS(TNavButton, TGraphicControl)
public:
  explicit TNavButton(TComponent* AOwner) : TGraphicControl(AOwner) {}
  TNavigateBtn Index = nbFirst;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  bool FDown = false;
};

class TDBNavigator : public TCustomPanel {
  VANTREL_CLASS(TDBNavigator, TCustomPanel)
public:
  explicit TDBNavigator(TComponent* AOwner);
  ~TDBNavigator() override;
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  TButtonSet VisibleButtons() const { return FVisibleButtons; }
  void SetVisibleButtons(TButtonSet Value);
  bool ConfirmDelete() const { return FConfirmDelete; }
  void SetConfirmDelete(bool Value) { FConfirmDelete = Value; }
  TNavButton* Buttons(TNavigateBtn Index) const { return FButtons[Index]; }
  // What a click on a button does; nothing when the data source is inactive.
  void BtnClick(TNavigateBtn Index);
  TNavClick OnClick() const { return FOnNavClick; }
  void SetOnClick(const TNavClick& Value) { FOnNavClick = Value; }
  TNavClick BeforeAction() const { return FBeforeAction; }
  void SetBeforeAction(const TNavClick& Value) { FBeforeAction = Value; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Enables the buttons from the dataset's state.
  void UpdateButtons();
  static void Publish(TClassBuilder<TDBNavigator>& b);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void ArrangeButtons();

private:
  class TNavDataLink;
  std::unique_ptr<TNavDataLink> FLink;
  std::array<TNavButton*, 10> FButtons{};
  TButtonSet FVisibleButtons{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh};
  bool FConfirmDelete = true;
  TNavClick FOnNavClick, FBeforeAction;
};

class TDBMemo : public TCustomMemo {
  VANTREL_CLASS(TDBMemo, TCustomMemo)
public:
  explicit TDBMemo(TComponent* AOwner);
  ~TDBMemo() override;
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  const std::string& DataField() const { return FDataField; }
  void SetDataField(const std::string& Value);
  TField* Field() const;
  bool ReadOnlyProp() const { return FReadOnly; }
  void SetReadOnlyProp(bool Value) { SetReadOnly(Value); }
  // Reads the field's text into the memo.
  void LoadMemo();
  static void Publish(TClassBuilder<TDBMemo>& b);

protected:
  void EditChar(TKeyChar Key) override;
  void EditKeyDown(win::WORD Key, TShiftState Shift) override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  class TMemoDataLink;
  friend class TMemoDataLink;
  bool CanEditField();
  std::unique_ptr<TMemoDataLink> FLink;
  std::string FDataField;
  bool FLoading = false;
  bool FFieldModified = false;
};
