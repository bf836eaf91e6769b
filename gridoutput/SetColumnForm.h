#pragma once
// TFrmSetColumn: the modal "设置表格列属性" dialog in which the user shows or hides a
// grid's columns, renames their titles and adds columns for fields the grid does not show.
#include <string>
#include <vector>

#include "grid/DBGridGx.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ListBoxes.h"
#include "platform/controls/StdCtrls.h"

class TFrmSetColumn : public TForm {
  VANTREL_CLASS(TFrmSetColumn, TForm)
public:
  explicit TFrmSetColumn(TComponent* AOwner) : TForm(AOwner) {}

  TCheckListBox* CheckListBox1 = nullptr;
  TSpeedButton* AllBtn = nullptr;
  TEdit* Edit1 = nullptr;
  TButton* OkBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* ApplyBtn = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  // The grid edited; set before the dialog is shown.
  TDBGridGx* TargetGrid = nullptr;

  void FormShow(TObject* Sender);
  void CheckListBox1Click(TObject* Sender);
  void Edit1Exit(TObject* Sender);
  void CheckListBox1ClickCheck(TObject* Sender);
  void Edit1Change(TObject* Sender);
  void ApplyBtnClick(TObject* Sender);
  void OkBtnClick(TObject* Sender);
  void CancelBtnClick(TObject* Sender);
  void AllBtnClick(TObject* Sender);

  static void Publish(TClassBuilder<TFrmSetColumn>& b);

private:
  // One per check-list item, by position: the grid column it stands for (none for a
  // field without a column) and its caption, when it can be edited.
  struct Entry {
    TColumnGx* Column = nullptr;
    bool HasCaption = false;
    std::string Caption;
  };
  void ListColumns();
  std::vector<Entry> FEntries;
};

// Registers the dialog's class for reading its form description.
void RegisterSetColumnFormClass();
