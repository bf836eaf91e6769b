// When the grid's edit actions may run, and Ctrl+' copying the value of the record above.
#include "tests/support/ImpExpFixture.h"

#include <functional>

#include "platform/controls/Clipbrd.h"

namespace {

namespace hl = win::headless;

class EditActionsTest : public ImpExpTest {
protected:
  void SetUp() override {
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->Close();
  }
  TDBGridGxImpExpUnitUse Output;
};

TEST_F(EditActionsTest, EachTestHoldsOnlyWhenItsConditionsDo) {
  struct Case {
    const char* Name;
    std::function<void(EditActionsTest&)> Set;
    bool Copy, Delete, Cut, Paste, SelectAll;
  };
  using T = EditActionsTest;
  const Case Cases[] = {
      {"no selection", [](T&) {}, false, false, false, false, true},
      {"rows", [](T& t) { t.SelectRows({0}); }, true, true, true, false, true},
      {"rows without delete", [](T& t) { t.SelectRows({0}); t.Grid->SetAllowedOperations({alopUpdateGx}); },
       true, false, false, false, true},
      {"rectangle without update", [](T& t) { t.SelectRect(0, 0, 1, 1); t.Grid->SetAllowedOperations({alopDeleteGx}); },
       true, false, false, false, true},
      {"rectangle", [](T& t) { t.SelectRect(0, 0, 1, 1); }, true, true, true, false, true},
      {"columns", [](T& t) { t.SelectColumns({1}); }, true, true, true, false, true},
      {"all", [](T& t) { t.Grid->GridSelection()->SelectAll(); }, true, true, true, false, true},
      {"read-only grid", [](T& t) { t.SelectRows({0}); t.Grid->SetReadOnly(true); }, true, false, false, false, true},
      {"read-only dataset", [](T& t) { t.SelectRows({0}); static_cast<TClientDataSet*>(t.Data)->SetReadOnly(true); },
       true, false, false, false, true},
      {"text on the clipboard", [](T&) { Clipboard()->SetAsText("x"); }, false, false, false, true, true},
      {"text, no update", [](T& t) { Clipboard()->SetAsText("x"); t.Grid->SetAllowedOperations({alopInsertGx}); },
       false, false, false, false, true},
      {"text, inserting without update",
       [](T& t) { Clipboard()->SetAsText("x"); t.Grid->SetAllowedOperations({alopInsertGx}); t.Data->Insert(); },
       false, false, false, true, true},
      {"gstAll not allowed", [](T& t) { t.Grid->SetAllowedSelections({gstRecordBookmarks}); },
       false, false, false, false, false},
      {"empty dataset", [](T& t) { t.TextGrid(2, {}); t.Grid->GridSelection()->SelectAll(); }, true, false, false,
       false, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    SetUp();
    TextGrid(2, {{"a", "b"}, {"c", "d"}});
    C.Set(*this);
    EXPECT_EQ(Grid->CanCopySelection(), C.Copy);
    EXPECT_EQ(Grid->CanDeleteSelection(), C.Delete);
    EXPECT_EQ(Grid->CanCutSelection(), C.Cut);
    EXPECT_EQ(Grid->CanPasteIntoGrid(), C.Paste);
    EXPECT_EQ(Grid->CanSelectAllRecords(), C.SelectAll);
  }
  // Without an active link nothing is allowed.
  TextGrid(2, {{"a", "b"}});
  Grid->GridSelection()->SelectAll();
  Clipboard()->SetAsText("x");
  Data->Close();
  EXPECT_FALSE(Grid->CanCopySelection() || Grid->CanDeleteSelection() || Grid->CanPasteIntoGrid() ||
               Grid->CanSelectAllRecords() || Grid->OperationsAllowEdit());
}

TEST_F(EditActionsTest, OperationsAllowEditFollowsTheAllowedOperations) {
  TextGrid(1, {{"a"}});
  Grid->SetAllowedOperations({alopInsertGx});
  EXPECT_FALSE(Grid->OperationsAllowEdit());
  Data->Insert();
  EXPECT_TRUE(Grid->OperationsAllowEdit());  // a new record may always be filled in
  Data->Cancel();
  TextGrid(1, {});
  Grid->SetAllowedOperations({alopUpdateGx});
  EXPECT_FALSE(Grid->OperationsAllowEdit());  // empty, and nothing may be added
  Grid->SetAllowedOperations({alopUpdateGx, alopAppendGx});
  EXPECT_TRUE(Grid->OperationsAllowEdit());
}

TEST_F(EditActionsTest, KeysRunNothingUntilTheirEditActionIsSet) {
  TextGrid(2, {{"a", "b"}, {"c", "d"}});
  Form->Show();
  Grid->SetFocus();
  Grid->GridSelection()->SelectAll();
  hl::PressKeys(win::MOD_CONTROL, 'C');
  EXPECT_FALSE(Clipboard()->HasFormat(win::CF_TEXT));
  Grid->SetEditActions({geaCopyGx});
  hl::PressKeys(win::MOD_CONTROL, 'C');
  EXPECT_TRUE(Clipboard()->HasFormat(win::CF_TEXT));
}

TEST_F(EditActionsTest, ActionsGoToTheDataLink) {
  TextGrid(1, {{"a"}});
  TObject Action;
  EXPECT_FALSE(Grid->ExecuteAction(&Action));
  EXPECT_FALSE(Grid->UpdateAction(&Action));
}

TEST_F(EditActionsTest, CtrlQuoteCopiesTheValueOfTheRecordAbove) {
  TextGrid(2, {{"a", "b"}, {"c", "d"}, {"e", "f"}});
  Form->Show();
  Grid->SetFocus();
  hl::PressKeys(win::MOD_CONTROL, win::VK_OEM_7);  // the first row shown: nothing
  EXPECT_EQ(Data->State(), dsBrowse);
  GoTo(2);
  Grid->SetCol(Grid->Col() + 1);  // column B
  hl::PressKeys(win::MOD_CONTROL, win::VK_OEM_7);
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Data->FieldByName("B")->AsString(), "d");
  EXPECT_EQ(Data->FieldByName("A")->AsString(), "e");
  EXPECT_TRUE(Grid->InplaceEditorVisible());
  Data->Post();
  EXPECT_EQ(Records(), (std::vector<std::vector<std::string>>{{"a", "b"}, {"c", "d"}, {"e", "d"}}));
}

TEST_F(EditActionsTest, CtrlQuoteOnALookupColumnCopiesTheKeys) {
  LookupGrid({2, 3});
  Data->Last();
  Grid->SetCol(Grid->Col() + 1);  // the lookup column
  Grid->CopyPreviousValue();
  EXPECT_EQ(Data->FieldByName("Code")->AsInteger(), 2);
  EXPECT_EQ(Data->FieldByName("Fruit")->AsString(), "Banana");
}

TEST_F(EditActionsTest, CtrlQuoteCancelsTheEditItBeganWhenWritingFails) {
  TextGrid(1, {{"a"}, {"b"}});
  Data->Last();
  const std::string Before = Data->Bookmark();
  Data->FieldByName("A")->SetOnValidate([](TField*) { throw Exception("refused"); });
  EXPECT_THROW(Grid->CopyPreviousValue(), Exception);
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Data->Bookmark(), Before);
  EXPECT_EQ(Data->FieldByName("A")->AsString(), "b");
  // Without the right to change records nothing starts.
  Data->FieldByName("A")->SetOnValidate(nullptr);
  Grid->SetAllowedOperations({alopDeleteGx});
  Grid->CopyPreviousValue();
  EXPECT_EQ(Data->State(), dsBrowse);
}

}  // namespace
