// Stepping a cell to its next or previous value: check boxes, key and pick lists, lookup
// lists and numbers, and the editing test in front of them.
#include <functional>

#include "tests/support/CellValuesFixture.h"

namespace {

struct StepCase {
  const char* Name;
  Variant Before;
  double Step;
  Variant After;
};

class StepTest : public CellValuesTest {
protected:
  // Runs each case on Field of DataSet through a fresh column set up by Set; the
  // dataset is left editing by the step and cancelled after each case.
  void RunSteps(TDataSet* DataSet, const char* Field, const std::function<void(TColumnGx*)>& Set,
                std::initializer_list<StepCase> Cases) {
    for (const StepCase& C : Cases) {
      Put(DataSet, Field, C.Before);
      TColumnGx* Column = ColumnOn(DataSet, Field);
      Set(Column);
      Column->StepCellValue(C.Step);
      EXPECT_EQ(DataSet->FieldByName(Field)->Value(), C.After) << C.Name;
      DataSet->Cancel();
    }
  }
};

TEST_F(StepTest, CheckBoxesToggleWhateverTheStep) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"B", ftBoolean}});
  RunSteps(Data, "S", [](TColumnGx* C) {
    C->SetCheckboxes(true);
    SetLines(C->KeyList(), {"Y;YES", "N;NO"});
  },
           {{"grayed to checked", Variant("maybe"), 1.0, Variant("Y")},
            {"checked to unchecked", Variant("yes"), 1.0, Variant("N")},
            {"unchecked to checked, backward", Variant("NO"), -1.0, Variant("Y")}});
  RunSteps(Data, "B", [](TColumnGx*) {},
           {{"true", Variant(true), 1.0, Variant(false)},
            {"false", Variant(false), -1.0, Variant(true)},
            {"null", Null(), 1.0, Variant(true)}});
}

TEST_F(StepTest, KeyListsWalkTheirKeysRoundTheEnds) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  auto* Images = new TCustomImageList(Form.get());
  for (bool WithImages : {false, true}) {
    RunSteps(Data, "S", [&](TColumnGx* C) {
      SetLines(C->KeyList(), {"a", "b", "c"});
      SetLines(C->PickList(), {"A", "B", "C"});
      if (WithImages) C->SetImageList(Images);
    },
             {{"next", Variant("a"), 1.0, Variant("b")},
              {"last wraps forward", Variant("c"), 1.0, Variant("a")},
              {"unlisted forward", Variant("x"), 1.0, Variant("a")},
              {"previous", Variant("c"), -1.0, Variant("b")},
              {"first wraps backward", Variant("a"), -1.0, Variant("c")},
              {"unlisted backward", Null(), -1.0, Variant("c")},
              {"an up step of 2 is forward", Variant("a"), 2.0, Variant("b")}});
  }
}

TEST_F(StepTest, PickListsWalkTheirEntriesWrittenAsText) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  std::vector<std::string> Seen;
  RunSteps(Data, "S", [&](TColumnGx* C) {
    SetLines(C->PickList(), {"red", "green", "blue"});
    C->SetOnUpdateData(TColCellUpdateDataEventGx(
        [&](TObject*, std::string& Text, Variant&, bool& UseText, bool&) {
          Seen.push_back(Text + (UseText ? " as text" : " as value"));
        }));
  },
           {{"last wraps forward", Variant("blue"), 1.0, Variant("red")},
            {"previous", Variant("green"), -1.0, Variant("red")},
            {"unlisted backward", Variant("pink"), -1.0, Variant("blue")}});
  EXPECT_EQ(Seen, (std::vector<std::string>{"red as text", "red as text", "blue as text"}));
}

TEST_F(StepTest, LookupCellsWalkTheListDataSet) {
  TClientDataSet* Main = NewLookupPair();
  RunSteps(Main, "Title", [](TColumnGx*) {},
           {{"no key takes the first", Null(), 1.0, Variant("one")},
            {"unknown key takes the first", Variant("unknown"), -1.0, Variant("one")},
            {"next", Variant("one"), 1.0, Variant("two")},
            {"last wraps forward", Variant("three"), 1.0, Variant("one")},
            {"previous", Variant("three"), -1.0, Variant("two")},
            {"first wraps backward", Variant("one"), -1.0, Variant("three")}});
}

// The lookup field's text follows the key written; a handler that takes over the write
// leaves the key alone.
TEST_F(StepTest, AHandledLookupStepWritesNoKey) {
  TClientDataSet* Main = NewLookupPair();
  Put(Main, "Code", Variant(1));
  TColumnGx* Column = ColumnOn(Main, "Title");
  Variant Offered;
  Column->SetOnUpdateData(TColCellUpdateDataEventGx([&](TObject*, std::string&, Variant& Value, bool&, bool& Handled) {
    Offered = Value;
    Handled = true;
  }));
  Column->StepCellValue(1.0);
  EXPECT_EQ(Offered, Variant(2));
  EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(1));
  EXPECT_EQ(Main->FieldByName("Title")->AsString(), "one");
}

// An empty (or closed) list has no value to step to: the key stays as it was instead of
// being cleared.
TEST_F(StepTest, LookupCellsWithoutListRowsKeepTheirKey) {
  TClientDataSet* Main = NewLookupPair(false);
  Put(Main, "Code", Variant(2));
  TColumnGx* Column = ColumnOn(Main, "Title");
  Column->StepCellValue(1.0);
  EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(2));
  Main->Cancel();
  Codes->Close();
  Column->StepCellValue(-1.0);
  EXPECT_EQ(Main->FieldByName("Code")->Value(), Variant(2));
}

TEST_F(StepTest, NumbersStepByTheStepFromZeroWhenNull) {
  TClientDataSet* Data = NewDataSet({{"I", ftInteger}, {"F", ftFloat}, {"C", ftCurrency}, {"SI", ftSmallint},
                                     {"L", ftLargeint}, {"S", ftString}});
  auto None = [](TColumnGx*) {};
  RunSteps(Data, "I", None,
           {{"up", Variant(5), 1.0, Variant(6)},
            {"down", Variant(5), -1.0, Variant(4)},
            {"null up", Null(), 1.0, Variant(0)},
            {"null down", Null(), -1.0, Variant(0)},
            {"increment 3", Variant(5), 3.0, Variant(8)}});
  RunSteps(Data, "F", None, {{"half up", Variant(1.25), 0.5, Variant(1.75)}, {"null", Null(), -0.5, Variant(0.0)}});
  RunSteps(Data, "C", None, {{"currency", Variant(2.5), 0.25, Variant(2.75)}});
  RunSteps(Data, "SI", None, {{"smallint", Variant(-1), 1.0, Variant(0)}});
  RunSteps(Data, "L", None, {{"largeint is not stepped", Variant(7), 1.0, Variant(7LL)}});
  RunSteps(Data, "S", None, {{"text is not stepped", Variant("7"), 1.0, Variant("7")}});
}

TEST_F(StepTest, ADatabaseErrorInANumberStepIsSwallowedOthersAreNot) {
  TClientDataSet* Data = NewDataSet({{"I", ftInteger}});
  TColumnGx* Column = ColumnOn(Data, "I");
  Data->FieldByName("I")->SetOnValidate(TFieldNotifyEvent([](TField* F) {
    if (F->AsInteger() > 9) DatabaseError("too big");
  }));
  Put(Data, "I", Variant(9));
  EXPECT_NO_THROW(Column->StepCellValue(1.0));
  EXPECT_EQ(Data->FieldByName("I")->Value(), Variant(9));
  Data->Cancel();
  Column->SetOnUpdateData(TColCellUpdateDataEventGx(
      [](TObject*, std::string&, Variant&, bool&, bool&) { throw EConvertError("handler failed"); }));
  EXPECT_THROW(Column->StepCellValue(-1.0), EConvertError);
}

TEST_F(StepTest, NothingStepsWhereTheCellCannotBeEdited) {
  TClientDataSet* Data = NewDataSet({{"I", ftInteger}});
  const std::pair<const char*, std::function<void(TColumnGx*)>> Gates[] = {
      {"read-only column", [](TColumnGx* C) { C->SetReadOnly(true); }},
      {"read-only grid", [this](TColumnGx*) { Grid->SetReadOnly(true); }},
      {"read-only field", [Data](TColumnGx*) { Data->FieldByName("I")->SetReadOnly(true); }},
      {"updates not allowed", [this](TColumnGx*) { Grid->SetAllowedOperations({alopInsertGx}); }},
  };
  for (const auto& [Name, Gate] : Gates) {
    Put(Data, "I", Variant(1));
    TColumnGx* Column = ColumnOn(Data, "I");
    Gate(Column);
    Column->StepCellValue(1.0);
    EXPECT_EQ(Data->FieldByName("I")->Value(), Variant(1)) << Name;
    EXPECT_EQ(Data->State(), dsBrowse) << Name;
    Grid->SetReadOnly(false);
    Grid->SetAllowedOperations(AllDBGridGxOperations);
    Data->FieldByName("I")->SetReadOnly(false);
  }
}

}  // namespace
