// The grid's side of cell editing: the text the editor gets (through key lists, pick lists,
// lookups and memo text), its limit and mask, the key and modification tests, and the
// write-back of the edited text when the record posts.
#include "tests/support/CellValuesFixture.h"

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/controls/grids/InplaceEdit.h"
#include "platform/desktop/Headless.h"

#include <optional>

namespace {

namespace hl = win::headless;

class TEditGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  using TDBGridGx::CanEditAcceptKey;
  using TDBGridGx::CanEditModify;
  using TDBGridGx::CanEditShow;
  using TDBGridGx::GetEditLimit;
  using TDBGridGx::GetEditMask;
  using TDBGridGx::GetEditText;
  using TDBGridGx::SetEditText;
};

class GridEditTextTest : public CellValuesTest {
protected:
  void SetUp() override {
    Form->SetBounds(50, 50, 500, 300);
    Edit = new TEditGrid(Form.get());
    Edit->SetName("DBGridGx1");
    Edit->SetParent(Form.get());
    Edit->SetBounds(0, 0, 480, 260);
    Grid = Edit;
    Source = new TDataSource(Form.get());
  }

  // Shows the form with the grid focused on Column.
  void Focus(TColumnGx* Column) {
    Form->Show();
    Edit->SetFocus();
    Edit->SelectDataColumn(Column->Index());
  }
  int GridCol(TColumnGx* Column) const { return Edit->DataToGridColumn(Column->Index()); }
  std::string EditTextOf(TColumnGx* Column) { return Edit->GetEditText(GridCol(Column), Edit->Row()); }

  // Puts Text in the current cell as the editor would and posts the record; the error
  // text when the post was refused.
  std::optional<std::string> WriteAndPost(TDataSet* Data, TColumnGx* Column, const std::string& Text) {
    Edit->SelectDataColumn(Column->Index());
    EditTextOf(Column);
    Data->Edit();
    Edit->GridLink()->MarkModified();
    Edit->SetEditText(GridCol(Column), Edit->Row(), Text);
    try {
      Data->Post();
    } catch (const std::exception& E) {
      return std::string(E.what());
    }
    return std::nullopt;
  }

  // KeyList 0, 1, 2 with PickList None, Cancel, Back (and one pick entry without a key).
  static void SetCodeLists(TColumnGx* Column, bool ExtraPick = false) {
    SetLines(Column->KeyList(), {"0", "1", "2"});
    if (ExtraPick) SetLines(Column->PickList(), {"None", "Cancel", "Back", "Extra"});
    else SetLines(Column->PickList(), {"None", "Cancel", "Back"});
  }

  TEditGrid* Edit = nullptr;
};

TEST_F(GridEditTextTest, AKeyListColumnShowsThePickEntryOfTheFieldsKey) {
  TClientDataSet* Data = NewDataSet({{"K", ftInteger}});
  TColumnGx* Column = ColumnOn(Data, "K");
  SetCodeLists(Column);
  const struct {
    Variant Stored;
    const char* Shown;
  } Cases[] = {{Variant(1), "Cancel"}, {Variant(2), "Back"}, {Variant(7), ""}, {Null(), ""}};
  for (const auto& C : Cases) {
    Put(Data, "K", C.Stored);
    EXPECT_EQ(EditTextOf(Column), C.Shown) << VarToStr(C.Stored);
    EXPECT_EQ(Edit->EditText(), C.Shown);
    EXPECT_TRUE(Edit->EditValue().IsNull());
  }
}

TEST_F(GridEditTextTest, TheCellParameterEventHasTheLastWordOnTheEditorText) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  Put(Data, "S", Variant("abc"));
  TColumnGx* Column = ColumnOn(Data, "S");
  Column->SetOnGetCellParams(TGetColCellParamsEventGx([](TObject*, bool EditMode, TColCellParamsGx* Params) {
    if (EditMode) Params->Text = "<" + Params->Text + ">";
  }));
  TColumnGx* Unbound = Grid->Columns()->AddColumn();
  Unbound->SetOnGetCellParams(Column->OnGetCellParams());
  EXPECT_EQ(EditTextOf(Column), "<abc>");
  EXPECT_EQ(EditTextOf(Unbound), "<>");
}

TEST_F(GridEditTextTest, TypingKeepsItsTextWhenTheCellParameterEventRewritesTheEditorText) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"T", ftString}});
  Put(Data, "S", Variant("abc"));
  TColumnGx* Column = ColumnOn(Data, "S");
  ColumnOn(Data, "T");
  Column->SetOnGetCellParams(TGetColCellParamsEventGx([](TObject*, bool EditMode, TColCellParamsGx* Params) {
    if (EditMode) Params->Text = "<" + Params->Text + ">";
  }));
  Focus(Column);
  Edit->SetEditorMode(true);
  Edit->InplaceEditor()->SelectAll();
  hl::TypeText("xy");
  Data->FieldByName("T")->SetAsString("other");  // another field of the record changes
  hl::TypeText("z");
  EXPECT_EQ(Edit->InplaceEditor()->Text(), "xyz");
  Data->Post();
  EXPECT_EQ(Data->FieldByName("S")->AsString(), "xyz");
}

TEST_F(GridEditTextTest, KeyListWriteBackWritesTheKeyOfTheTypedEntryOrRefusesTheText) {
  TClientDataSet* Data = NewDataSet({{"K", ftInteger}});
  TColumnGx* Column = ColumnOn(Data, "K");
  Focus(Column);
  enum Handler { None, Refuses, AddsEntry };
  const struct {
    const char* Typed;
    Handler OnNotInList;
    bool ExtraPick;
    std::optional<int> Written;  // nothing: the post is refused and the field keeps 1
  } Cases[] = {
      {"Back", None, false, 2},
      {"back", None, false, 2},
      {"None", None, false, 0},
      {"Bogus", None, false, std::nullopt},
      {"Bogus", Refuses, false, std::nullopt},
      {"Bogus", AddsEntry, false, 9},
      {"Extra", None, true, std::nullopt},  // a pick entry without a key
  };
  for (const auto& C : Cases) {
    SetCodeLists(Column, C.ExtraPick);
    int Asked = 0;
    Column->SetOnNotInList(TNotInListEventGx([&](TObject*, std::string Text, bool& Accept) {
      ++Asked;
      if (C.OnNotInList != AddsEntry) return;
      Column->PickList()->Add(Text);
      Column->KeyList()->Add("9");
      Accept = true;
    }));
    if (C.OnNotInList == None) Column->SetOnNotInList({});
    Put(Data, "K", Variant(1));
    const std::optional<std::string> Error = WriteAndPost(Data, Column, C.Typed);
    if (C.Written) {
      EXPECT_FALSE(Error) << C.Typed << ": " << Error.value_or("");
      EXPECT_EQ(Data->FieldByName("K")->Value(), Variant(*C.Written)) << C.Typed;
    } else {
      EXPECT_EQ(Error, std::string("'") + C.Typed + "' is not in the list") << C.Typed;
      EXPECT_EQ(Data->State(), dsEdit) << "the record stays open for the correction";
      EXPECT_EQ(Data->FieldByName("K")->Value(), Variant(1)) << C.Typed << ": no old or other key written";
      EXPECT_EQ(Edit->EditText(), C.Typed);
      Data->Cancel();
    }
    EXPECT_EQ(Asked, C.OnNotInList == None ? 0 : 1) << C.Typed;
  }
}

TEST_F(GridEditTextTest, AnEmptyKeyListTextClearsTheFieldWithoutAskingTheHandler) {
  TClientDataSet* Data = NewDataSet({{"K", ftInteger}});
  TColumnGx* Column = ColumnOn(Data, "K");
  SetCodeLists(Column);
  bool Asked = false;
  Column->SetOnNotInList(TNotInListEventGx([&](TObject*, std::string, bool&) { Asked = true; }));
  Focus(Column);
  Put(Data, "K", Variant(1));
  EXPECT_FALSE(WriteAndPost(Data, Column, ""));
  EXPECT_TRUE(Data->FieldByName("K")->IsNull());
  EXPECT_FALSE(Asked);
}

TEST_F(GridEditTextTest, APickListColumnWritesAnyTextAndTellsTheHandlerOfNewOnes) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  TColumnGx* Column = ColumnOn(Data, "S");
  SetLines(Column->PickList(), {"Red", "Green"});
  std::vector<std::string> Told;
  Column->SetOnNotInList(TNotInListEventGx([&](TObject*, std::string Text, bool&) { Told.push_back(Text); }));
  Focus(Column);
  for (const char* Typed : {"green", "Blue"}) {
    EXPECT_FALSE(WriteAndPost(Data, Column, Typed));
    EXPECT_EQ(Data->FieldByName("S")->AsString(), Typed);
  }
  EXPECT_EQ(Told, std::vector<std::string>{"Blue"});
}

TEST_F(GridEditTextTest, TypingIntoAKeyListCellAndPostingWritesTheKey) {
  TClientDataSet* Data = NewDataSet({{"K", ftInteger}});
  Put(Data, "K", Variant(1));
  TColumnGx* Column = ColumnOn(Data, "K");
  SetCodeLists(Column);
  Focus(Column);
  Edit->SetEditorMode(true);
  ASSERT_TRUE(Edit->InplaceEditorVisible());
  EXPECT_EQ(Edit->InplaceEditor()->Text(), "Cancel");
  Edit->InplaceEditor()->SelectAll();
  hl::TypeText("Back");
  EXPECT_EQ(Data->State(), dsEdit) << "the first key put the record into editing";
  Data->Post();
  EXPECT_EQ(Data->FieldByName("K")->Value(), Variant(2));

  // A handler that takes no new entries lets free text into the editor; posting it
  // refuses instead of writing the key the cell had.
  Column->SetOnNotInList(TNotInListEventGx([](TObject*, std::string, bool&) {}));
  Edit->SetEditorMode(true);
  Edit->InplaceEditor()->SelectAll();
  hl::TypeText("Nope");
  ASSERT_EQ(Edit->InplaceEditor()->Text(), "Nope");
  EXPECT_THROW(Data->Post(), EInvalidGridOperation);
  EXPECT_EQ(Data->FieldByName("K")->Value(), Variant(2));
  EXPECT_EQ(Edit->InplaceEditor()->Text(), "Nope") << "the text stays for correction";
  Edit->InplaceEditor()->SelectAll();
  hl::TypeText("None");
  Data->Post();
  EXPECT_EQ(Data->FieldByName("K")->Value(), Variant(0));
}

TEST_F(GridEditTextTest, TextTypedIntoACellStaysWithItsColumnWhenAnotherBecomesCurrent) {
  TClientDataSet* Data = NewDataSet({{"A", ftString}, {"B", ftString}});
  Put(Data, "B", Variant("b"));
  TColumnGx* A = ColumnOn(Data, "A");
  TColumnGx* B = ColumnOn(Data, "B");
  Focus(A);
  Edit->SetEditorMode(true);
  hl::TypeText("typed");
  Edit->SelectDataColumn(B->Index());
  Data->Post();
  EXPECT_EQ(Data->FieldByName("A")->AsString(), "typed");
  EXPECT_EQ(Data->FieldByName("B")->AsString(), "b");
}

TEST_F(GridEditTextTest, LookupWriteBackWritesTheKeyOfTheTextShown) {
  TClientDataSet* Main = NewLookupPair();
  TColumnGx* Column = ColumnOn(Main, "Title");
  Focus(Column);
  const struct {
    const char* Typed;
    std::optional<int> Written;
  } Cases[] = {{"two", 2}, {"THREE", 3}, {"one", 1}, {"", std::nullopt}, {"nine", std::nullopt}};
  for (const auto& C : Cases) {
    Put(Main, "Code", Variant(1));
    const std::optional<std::string> Error = WriteAndPost(Main, Column, C.Typed);
    if (std::string(C.Typed).empty()) {
      EXPECT_FALSE(Error);
      EXPECT_TRUE(Main->FieldByName("Code")->IsNull()) << "an empty text clears the key";
    } else if (C.Written) {
      EXPECT_FALSE(Error) << C.Typed;
      EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(*C.Written)) << C.Typed;
    } else {
      EXPECT_EQ(Error, "'nine' is not in the list");
      EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(1)) << "the old key is not written again";
      Main->Cancel();
    }
  }
}

TEST_F(GridEditTextTest, ALookupCellChangesOnlyThroughModifiableKeyFields) {
  TClientDataSet* Main = NewLookupPair();
  TColumnGx* Column = ColumnOn(Main, "Title");
  Focus(Column);
  Main->FieldByName("Code")->SetReadOnly(true);
  EXPECT_FALSE(Edit->CanEditModify());
  EXPECT_EQ(Main->State(), dsBrowse);
  Main->FieldByName("Code")->SetReadOnly(false);
  EXPECT_TRUE(Edit->CanEditModify());
}

TEST_F(GridEditTextTest, ALookupHandlerMayAddTheTypedRecord) {
  TClientDataSet* Main = NewLookupPair();
  TColumnGx* Column = ColumnOn(Main, "Title");
  Column->SetOnNotInList(TNotInListEventGx([&](TObject*, std::string Text, bool& Accept) {
    Codes->Append();
    Codes->FieldByName("Code")->SetAsInteger(4);
    Codes->FieldByName("Title")->SetAsString(Text);
    Codes->Post();
    Accept = true;
  }));
  Focus(Column);
  EXPECT_FALSE(WriteAndPost(Main, Column, "four"));
  EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(4));
}

TEST_F(GridEditTextTest, TheLookupSpecialRowGivesItsTextAndValue) {
  TClientDataSet* Main = NewLookupPair();
  TColumnGx* Column = ColumnOn(Main, "Title");
  TSpecRowGx* Spec = Column->DropDownSpecRow();
  Spec->SetCellsText("(none)");
  Spec->SetValue(Variant(0));
  Spec->SetShowIfNotInKeyList(false);
  Spec->SetVisible(true);
  Focus(Column);
  Put(Main, "Code", Variant(0));
  EXPECT_EQ(EditTextOf(Column), "(none)");
  EXPECT_EQ(Edit->EditValue(), Variant(0));
  Put(Main, "Code", Variant(2));
  EXPECT_EQ(EditTextOf(Column), "two");
  EXPECT_EQ(Edit->EditValue(), Variant(2));
  Put(Main, "Code", Variant(8));
  EXPECT_EQ(EditTextOf(Column), "");
  Spec->SetShowIfNotInKeyList(true);
  EXPECT_EQ(EditTextOf(Column), "(none)") << "a key the list does not hold shows the special row";
  EXPECT_EQ(Edit->EditValue(), Variant(0));
  // Posting the special row's text keeps its value.
  Put(Main, "Code", Variant(0));
  EXPECT_FALSE(WriteAndPost(Main, Column, "(none)"));
  EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(0));
}

TEST_F(GridEditTextTest, MemoTextIsEditedWithCrLfLineBreaks) {
  TClientDataSet* Data = NewDataSet({{"M", ftMemo}});
  Put(Data, "M", Variant("first\nsecond\r\nthird"));
  TColumnGx* Column = ColumnOn(Data, "M");
  Grid->SetDrawMemoText(true);
  Focus(Column);
  EXPECT_EQ(EditTextOf(Column), "first\r\nsecond\r\nthird");
  EXPECT_TRUE(Edit->CanEditModify()) << "a memo shown as text may be edited";
  Data->Cancel();
  EXPECT_FALSE(WriteAndPost(Data, Column, "one\r\ntwo"));
  EXPECT_EQ(Data->FieldByName("M")->AsString(), "one\r\ntwo");
  Grid->SetDrawMemoText(false);
  EXPECT_FALSE(Edit->CanEditModify()) << "a memo shown as a blob may not";
}

TEST_F(GridEditTextTest, TheEditLimitIsAStringFieldsSizeAndNoneForKeyLists) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"K", ftString}, {"F", ftFloat}});
  TColumnGx* S = ColumnOn(Data, "S");
  TColumnGx* K = ColumnOn(Data, "K");
  SetCodeLists(K);
  TColumnGx* F = ColumnOn(Data, "F");
  Focus(S);
  const struct {
    TColumnGx* Column;
    int Limit;
  } Cases[] = {{S, 20}, {K, 0}, {F, 0}};
  for (const auto& C : Cases) {
    Edit->SelectDataColumn(C.Column->Index());
    EXPECT_EQ(Edit->GetEditLimit(), C.Limit) << C.Column->FieldName();
  }
  Edit->SelectDataColumn(S->Index());
  Edit->SetEditorMode(true);
  hl::TypeText(std::string(25, 'x'));
  EXPECT_EQ(Edit->InplaceEditor()->Text(), std::string(20, 'x'));
}

TEST_F(GridEditTextTest, TheEditMaskIsTheColumnsElseTheFieldsExceptForKeyLists) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"K", ftString}});
  Data->FieldByName("S")->SetEditMask("000;1;_");
  Data->FieldByName("K")->SetEditMask("000;1;_");
  TColumnGx* S = ColumnOn(Data, "S");
  TColumnGx* K = ColumnOn(Data, "K");
  SetCodeLists(K);
  EXPECT_EQ(Edit->GetEditMask(GridCol(S), 1), "000;1;_");
  EXPECT_EQ(Edit->GetEditMask(GridCol(K), 1), "");
  K->SetEditMask("AA;1;_");
  EXPECT_EQ(Edit->GetEditMask(GridCol(K), 1), "AA;1;_");
  Data->Close();
  EXPECT_EQ(Edit->GetEditMask(GridCol(K), 1), "") << "nothing without an active link";
}

TEST_F(GridEditTextTest, CheckBoxAndKeyImageCellsNeverOpenTheEditor) {
  TClientDataSet* Data = NewDataSet({{"B", ftBoolean}, {"K", ftString}, {"S", ftString}});
  TColumnGx* Check = ColumnOn(Data, "B");
  Check->SetCheckboxes(true);
  TColumnGx* Image = ColumnOn(Data, "K");
  SetCodeLists(Image);
  TImageList Images(Form.get());
  Image->SetImageList(&Images);
  TColumnGx* Plain = ColumnOn(Data, "S");
  Focus(Plain);
  for (TColumnGx* Column : {Check, Image, Plain}) {
    Edit->SelectDataColumn(Column->Index());
    hl::PressKey(win::VK_F2);
    Edit->SetEditorMode(true);
    hl::TypeText("x");
    EXPECT_EQ(Edit->InplaceEditorVisible(), Column == Plain) << Column->FieldName();
    Edit->SetEditorMode(false);
    if (Data->State() != dsBrowse) Data->Cancel();
  }
  Edit->SelectDataColumn(Check->Index());
  EXPECT_FALSE(Edit->CanEditModify());
}

TEST_F(GridEditTextTest, AnEditorAlwaysShownLeavesCheckBoxAndKeyImageCells) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"B", ftBoolean}, {"K", ftString}});
  TColumnGx* Plain = ColumnOn(Data, "S");
  ColumnOn(Data, "B")->SetCheckboxes(true);
  TColumnGx* Image = ColumnOn(Data, "K");
  SetCodeLists(Image);
  TImageList Images(Form.get());
  Image->SetImageList(&Images);
  Data->Append();
  Data->Post();
  Data->First();
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgAlwaysShowEditor});
  Focus(Plain);
  Edit->SetEditorMode(true);
  ASSERT_TRUE(Edit->InplaceEditorVisible());
  const struct {
    win::UINT Key;
    bool Shown;
  } Steps[] = {{win::VK_RIGHT, false}, {win::VK_DOWN, false}, {win::VK_RIGHT, false},
               {win::VK_UP, false},    {win::VK_LEFT, false}, {win::VK_LEFT, true}};
  for (const auto& Step : Steps) {
    hl::PressKey(Step.Key);
    SCOPED_TRACE(Edit->CurrentColumn()->FieldName());
    EXPECT_EQ(Edit->InplaceEditorVisible(), Step.Shown);
  }
  EXPECT_TRUE(Edit->InplaceEditor()->Focused());
}

TEST_F(GridEditTextTest, ARectangleSelectionKeepsTheEditorClosedWhenNavigationClearsIt) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"T", ftString}});
  TColumnGx* Column = ColumnOn(Data, "S");
  ColumnOn(Data, "T");
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgMultiSelect, dgAlwaysShowEditor});
  Focus(Column);
  EXPECT_TRUE(Edit->CanEditShow());
  hl::PressKeys(win::MOD_SHIFT, win::VK_RIGHT);
  ASSERT_EQ(Grid->GridSelection()->Kind(), gstRectangle);
  EXPECT_FALSE(Edit->CanEditShow());
  EXPECT_FALSE(Edit->InplaceEditorVisible());
  Grid->SetOptionsGx(Grid->OptionsGx() - TDBGridGxOptions{dghClearSelection});
  EXPECT_TRUE(Edit->CanEditShow()) << "without dghClearSelection the selection does not hold it";
}

TEST_F(GridEditTextTest, TheModificationTestStartsEditingOnlyWhereTheCellMayChange) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  TColumnGx* Column = ColumnOn(Data, "S");
  Focus(Column);
  const struct {
    const char* Name;
    std::function<void()> Set, Undo;
    bool Modifies;
  } Cases[] = {
      {"editable", [] {}, [] {}, true},
      {"grid read-only", [&] { Grid->SetReadOnly(true); }, [&] { Grid->SetReadOnly(false); }, false},
      {"column read-only", [&] { Column->SetReadOnly(true); }, [&] { Column->SetReadOnly(false); }, false},
      {"field read-only", [&] { Data->FieldByName("S")->SetReadOnly(true); },
       [&] { Data->FieldByName("S")->SetReadOnly(false); }, false},
      {"no updates allowed", [&] { Grid->SetAllowedOperations(TDBGridGxAllowedOperations{alopInsertGx}); },
       [&] { Grid->SetAllowedOperations(AllDBGridGxOperations); },
       false},
      {"AutoEdit off on a browsed record", [&] { Source->SetAutoEdit(false); }, [&] { Source->SetAutoEdit(true); },
       false},
      {"AutoEdit off on a record being edited",
       [&] {
         Source->SetAutoEdit(false);
         Data->Edit();
       },
       [&] { Source->SetAutoEdit(true); }, true},
  };
  for (const auto& C : Cases) {
    C.Set();
    EXPECT_EQ(Edit->CanEditModify(), C.Modifies) << C.Name;
    EXPECT_EQ(Data->State() == dsEdit, C.Modifies) << C.Name;
    EXPECT_EQ(Edit->GridLink()->Modified(), C.Modifies) << C.Name;
    if (Data->State() != dsBrowse) Data->Cancel();
    C.Undo();
  }
}

TEST_F(GridEditTextTest, TheCellParametersReadOnlyStateDecidesKeysAndChanges) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  Put(Data, "S", Variant("abc"));
  TColumnGx* Column = ColumnOn(Data, "S");
  TColumnGx* Unbound = Grid->Columns()->AddColumn();
  bool ParamsReadOnly = true;
  const TGetColCellParamsEventGx Decide([&](TObject*, bool EditMode, TColCellParamsGx* Params) {
    if (EditMode) Params->ReadOnly = ParamsReadOnly;
  });
  Column->SetOnGetCellParams(Decide);
  Focus(Column);
  // Made read-only by the event: keys are refused and nothing is edited.
  Edit->SetEditorMode(true);
  ASSERT_TRUE(Edit->InplaceEditorVisible());
  EXPECT_FALSE(Edit->CanEditAcceptKey(U'x'));
  EXPECT_FALSE(Edit->CanEditModify());
  hl::TypeText("x");
  EXPECT_EQ(Edit->InplaceEditor()->Text(), "abc");
  EXPECT_EQ(Data->State(), dsBrowse);
  // Made writable by the event: even an unbound column takes keys.
  Edit->SelectDataColumn(Unbound->Index());
  EXPECT_FALSE(Edit->CanEditAcceptKey(U'x')) << "an unbound column takes none by itself";
  ParamsReadOnly = false;
  Unbound->SetOnGetCellParams(Decide);
  Edit->SetEditorMode(true);
  EXPECT_TRUE(Edit->CanEditAcceptKey(U'x'));
  EXPECT_TRUE(Edit->CanEditModify());
}

TEST_F(GridEditTextTest, KeysFollowTheFieldsValidCharactersExceptInKeyLists) {
  TClientDataSet* Data = NewDataSet({{"I", ftInteger}, {"K", ftInteger}});
  TColumnGx* Number = ColumnOn(Data, "I");
  TColumnGx* Keyed = ColumnOn(Data, "K");
  SetCodeLists(Keyed);
  Focus(Number);
  EXPECT_TRUE(Edit->CanEditAcceptKey(U'7'));
  EXPECT_FALSE(Edit->CanEditAcceptKey(U'x'));
  Edit->SelectDataColumn(Keyed->Index());
  EXPECT_TRUE(Edit->CanEditAcceptKey(U'x')) << "a key-list column takes its pick texts";
}

}  // namespace
