// The grid's keys: record moves with append and cancel, Ins, Ctrl+Del, Tab wrapping,
// Space and Del on check-box cells, and Shift-extended row selections.
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/desktop/Headless.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace hl = win::headless;

// A grid that records where it was asked to open the filter editor.
class FilterSpyGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  int ShownIn = -1;

protected:
  void ShowFilterEditor(int ACol) override { ShownIn = ACol; }
};

// A grid that records the texts it was asked to search for, with their time-outs.
class SearchSpyGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  std::vector<std::pair<std::string, int>> Searched;

protected:
  void IncrementalSearch(const std::string& Text, int TimeOut, int) override { Searched.emplace_back(Text, TimeOut); }
};

class GridKeysTest : public GridTest {
protected:
  // A shown grid with the string columns A and B and the Boolean column C on Rows
  // records ("r0", "r1", ...), focused, on the first record.
  template <class G = TDBGridGx>
  G* Open(int Rows = 3) {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, 400, 300);
    Source = NewSource({"A", "B", "?C"}, Rows, [](int R) { return "r" + std::to_string(R); });
    Data = Source->DataSet();
    auto* Made = new G(Form.get());
    Grid = Made;
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 380, 260);
    Grid->SetDataSource(Source);
    Form->Show();
    Grid->SetFocus();
    Data->First();
    return Made;
  }
  std::string Current() const { return Data->FieldByName("A")->AsString(); }
  // F2: whether the cell editor is then up with the focus.
  bool OpenCellEditor() {
    Press(win::VK_F2);
    return Grid->InplaceEditorVisible() && Grid->InplaceEditor()->Focused();
  }
  void Press(win::UINT Key, win::UINT Modifiers = 0) {
    if (Modifiers) hl::PressKeys(Modifiers, Key);
    else hl::PressKey(Key);
  }
  void SetOption(TDBGridOption Option, bool On) {
    TDBGridOptions Options = Grid->Options();
    if (On) Options.Include(Option);
    else Options.Exclude(Option);
    Grid->SetOptions(Options);
  }

  TDataSource* Source = nullptr;
  TDataSet* Data = nullptr;
  TDBGridGx* Grid = nullptr;
};

TEST_F(GridKeysTest, DownOnTheLastRecordAppendsOnceAndUpCancels) {
  Open();
  Data->Last();
  Press(win::VK_DOWN);
  EXPECT_EQ(Data->State(), dsInsert);
  Press(win::VK_DOWN);  // the untouched new record stays the only one
  EXPECT_EQ(Data->State(), dsInsert);
  Press(win::VK_UP);
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Data->RecordCount(), 3);
  EXPECT_EQ(Current(), "r2");
  Press(win::VK_UP);
  EXPECT_EQ(Current(), "r1");
}

TEST_F(GridKeysTest, DownOnTheLastRecordAppendsOnlyWhereRecordsMayBeAdded) {
  struct Case {
    const char* Name;
    std::function<void(TDBGridGx*)> Set;
  };
  const Case Cases[] = {
      {"no append", [](TDBGridGx* G) { G->SetAllowedOperations({alopInsertGx, alopUpdateGx, alopDeleteGx}); }},
      {"read-only grid", [](TDBGridGx* G) { G->SetReadOnly(true); }},
      {"no editing", [](TDBGridGx* G) { G->SetOptions(G->Options() - TDBGridOptions{dgEditing}); }},
  };
  Open();
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetAllowedOperations(AllDBGridGxOperations);
    Grid->SetReadOnly(false);
    Grid->SetOptions(DefaultDBGridOptions);
    C.Set(Grid);
    Data->Last();
    Press(win::VK_DOWN);
    EXPECT_EQ(Data->State(), dsBrowse);
    EXPECT_EQ(Current(), "r2");
  }
}

TEST_F(GridKeysTest, InsKeyInsertsOrAppendsAsTheAllowedOperationsSay) {
  struct Case {
    const char* Name;
    TDBGridGxAllowedOperations Allowed;
    TDataSetState Want;
    bool AtEnd;
  };
  const Case Cases[] = {
      {"insert", AllDBGridGxOperations, dsInsert, false},
      {"append only", {alopAppendGx}, dsInsert, true},
      {"neither", {alopUpdateGx, alopDeleteGx}, dsBrowse, false},
  };
  Open();
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Grid->SetAllowedOperations(C.Allowed);
    Data->First();
    Press(win::VK_INSERT);
    EXPECT_EQ(Data->State(), C.Want);
    if (C.Want == dsInsert) {
      EXPECT_EQ(Data->Eof(), C.AtEnd);
      Data->Cancel();
    }
  }
  EXPECT_EQ(Data->RecordCount(), 3);
}

TEST_F(GridKeysTest, CtrlDelAsksWithTheRightTextAndDeletesWhatItSays) {
  Open(6);
  SetOption(dgMultiSelect, true);
  const std::size_t Before = hl::MessageBoxes().size();
  // One record: refused first, then accepted.
  Data->First();
  hl::QueueMessageBoxAnswer(win::IDCANCEL);
  Press(win::VK_DELETE, win::MOD_CONTROL);
  EXPECT_EQ(Data->RecordCount(), 6);
  ASSERT_EQ(hl::MessageBoxes().size(), Before + 1);
  EXPECT_EQ(hl::MessageBoxes().back().Text, "Delete record?");
  hl::QueueMessageBoxAnswer(win::IDOK);
  Press(win::VK_DELETE, win::MOD_CONTROL);
  EXPECT_EQ(Data->RecordCount(), 5);
  EXPECT_EQ(Current(), "r1");
  // Three marked records: all three go.
  for (int I = 0; I < 3; ++I) {
    Grid->BookmarkedRows()->MarkCurrentRow(true);
    Data->Next();
  }
  hl::QueueMessageBoxAnswer(win::IDOK);
  Press(win::VK_DELETE, win::MOD_CONTROL);
  ASSERT_EQ(hl::MessageBoxes().size(), Before + 3);
  EXPECT_EQ(hl::MessageBoxes().back().Text, "Delete all selected records?");
  EXPECT_EQ(Data->RecordCount(), 2);
  EXPECT_EQ(Grid->BookmarkedRows()->Count(), 0);
  // Without the confirmation option nothing is asked.
  SetOption(dgConfirmDelete, false);
  Press(win::VK_DELETE, win::MOD_CONTROL);
  EXPECT_EQ(hl::MessageBoxes().size(), Before + 3);
  EXPECT_EQ(Data->RecordCount(), 1);
  // Deleting is an allowed operation like the others.
  Grid->SetAllowedOperations({alopInsertGx, alopAppendGx, alopUpdateGx});
  Press(win::VK_DELETE, win::MOD_CONTROL);
  EXPECT_EQ(Data->RecordCount(), 1);
}

TEST_F(GridKeysTest, TabWrapsOntoTheNextAndPreviousRecord) {
  for (bool Indicator : {true, false}) {
    SCOPED_TRACE(Indicator ? "indicator" : "no indicator");
    Open();
    SetOption(dgIndicator, Indicator);
    const int First = Grid->IndicatorColCount(), Last = Grid->ColCount() - 1;
    EXPECT_EQ(First, Indicator ? 1 : 0);
    Grid->SelectGridColumn(Last, 0, false);
    Press(win::VK_TAB);
    EXPECT_EQ(Grid->Col(), First);
    EXPECT_EQ(Current(), "r1");
    Press(win::VK_TAB, win::MOD_SHIFT);
    EXPECT_EQ(Grid->Col(), Last);
    EXPECT_EQ(Current(), "r0");
    // On the first record there is no record before: the walk wraps within it.
    Grid->SelectGridColumn(First, 0, false);
    Press(win::VK_TAB, win::MOD_SHIFT);
    EXPECT_EQ(Grid->Col(), Last);
    EXPECT_EQ(Current(), "r0");
  }
}

TEST_F(GridKeysTest, SpaceStepsAndDelEmptiesACheckBoxCell) {
  struct Case {
    const char* Name;
    bool AutoEdit, Required;
    bool WantChanged, WantNullAfterDel;
  };
  const Case Cases[] = {
      {"editable", true, false, true, true},
      {"required field", true, true, true, false},
      {"AutoEdit off", false, false, false, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Open();
    Source->SetAutoEdit(C.AutoEdit);
    TField* Check = Data->FieldByName("C");
    Check->SetRequired(C.Required);
    Grid->SelectGridColumn(Grid->IndicatorColCount() + 2, 0, false);
    ASSERT_EQ(Grid->CurrentColumn()->CellKind(), CellKindCheckBox);
    hl::TypeText(" ");
    EXPECT_EQ(Check->IsNull(), !C.WantChanged);
    if (C.WantChanged) {
      EXPECT_TRUE(Check->AsBoolean());
      hl::TypeText(" ");
      EXPECT_FALSE(Check->AsBoolean());
    }
    Press(win::VK_DELETE);
    EXPECT_EQ(Check->IsNull(), C.WantNullAfterDel || !C.WantChanged);
    EXPECT_FALSE(Grid->InplaceEditorVisible());  // the cell never opened an editor
    if (Data->State() != dsBrowse) Data->Cancel();
  }
}

TEST_F(GridKeysTest, ShiftArrowsMarkRowsFromTheAnchorAndGoBack) {
  Open(8);
  SetOption(dgRowSelect, true);
  SetOption(dgMultiSelect, true);
  TBookmarkListGx* Rows = Grid->BookmarkedRows();
  Data->MoveBy(2);
  Press(win::VK_DOWN, win::MOD_SHIFT);
  Press(win::VK_DOWN, win::MOD_SHIFT);
  EXPECT_EQ(Rows->Count(), 3);  // r2, r3, r4
  Press(win::VK_UP, win::MOD_SHIFT);
  EXPECT_EQ(Rows->Count(), 2);  // back towards the anchor unmarks r4
  EXPECT_TRUE(Rows->IsCurrentRowMarked());
  Press(win::VK_END, win::MOD_SHIFT | win::MOD_CONTROL);
  EXPECT_EQ(Current(), "r7");
  EXPECT_EQ(Rows->Count(), 6);  // r2 .. r7
  Press(win::VK_HOME, win::MOD_SHIFT | win::MOD_CONTROL);
  EXPECT_EQ(Current(), "r0");
  EXPECT_EQ(Rows->Count(), 3);  // the walk back unmarks down to the anchor, then marks r1, r0
  Press(win::VK_ESCAPE);  // drops the selection and its anchor
  EXPECT_EQ(Rows->Count(), 0);
  Press(win::VK_DOWN, win::MOD_SHIFT);
  EXPECT_EQ(Rows->Count(), 2);  // a new range from r0
  Press(win::VK_DOWN);          // a plain move drops the selection
  EXPECT_EQ(Rows->Count(), 0);
}

TEST_F(GridKeysTest, ShiftDownWithoutRowSelectExtendsARectangle) {
  Open();
  SetOption(dgMultiSelect, true);
  Press(win::VK_DOWN, win::MOD_SHIFT);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstRectangle);
  EXPECT_EQ(Current(), "r1");
  Press(win::VK_RIGHT, win::MOD_SHIFT);
  EXPECT_EQ(Grid->GridSelection()->Rect()->GetEndColumn(), 1);
}

TEST_F(GridKeysTest, UpFromTheFirstRecordEntersAVisibleFilterRow) {
  FilterSpyGrid* Spy = Open<FilterSpyGrid>();
  Press(win::VK_UP);
  EXPECT_EQ(Spy->ShownIn, -1);  // no filter row shown
  Grid->STFilter()->SetVisible(true);
  Data->Next();
  Press(win::VK_UP);
  EXPECT_EQ(Spy->ShownIn, -1);
  EXPECT_EQ(Current(), "r0");
  Press(win::VK_UP);
  EXPECT_EQ(Spy->ShownIn, Grid->Col());
  EXPECT_EQ(Current(), "r0");
  Spy->ShownIn = -1;
  Data->Last();
  Press(win::VK_UP, win::MOD_CONTROL);  // Ctrl+Up enters it from any record
  EXPECT_EQ(Spy->ShownIn, Grid->Col());
  EXPECT_EQ(Current(), "r2");
}

TEST_F(GridKeysTest, RightToLeftGridsSwapLeftAndRight) {
  Open();
  const int First = Grid->IndicatorColCount();
  Press(win::VK_RIGHT);
  EXPECT_EQ(Grid->Col(), First + 1);
  Grid->SetBiDiMode(bdRightToLeft);
  Press(win::VK_RIGHT);
  EXPECT_EQ(Grid->Col(), First);
  Press(win::VK_LEFT);
  EXPECT_EQ(Grid->Col(), First + 1);
}

TEST_F(GridKeysTest, TypingInAColumnThatCannotBeEditedSearches) {
  SearchSpyGrid* Spy = Open<SearchSpyGrid>();
  Grid->SetOptionsGx(Grid->OptionsGx() + TDBGridGxOptions{dghIncSearch});
  hl::TypeText("x");
  EXPECT_TRUE(Spy->Searched.empty());  // an editable column takes the letter
  Grid->SetEditorMode(false);
  if (Data->State() != dsBrowse) Data->Cancel();
  Grid->CurrentColumn()->SetReadOnly(true);
  hl::TypeText("k\xF0\x9F\x98\x80");  // a character of two UTF-16 units arrives whole
  const std::vector<std::pair<std::string, int>> Want{{"k", DefaultSearchTimeout()},
                                                      {"\xF0\x9F\x98\x80", DefaultSearchTimeout()}};
  EXPECT_EQ(Spy->Searched, Want);
  EXPECT_EQ(Data->State(), dsBrowse);
}

TEST_F(GridKeysTest, InsAndCtrlDelInTheCellEditorAreTheGridsKeys) {
  Open();
  ASSERT_TRUE(OpenCellEditor());
  Press(win::VK_INSERT);
  EXPECT_EQ(Data->State(), dsInsert);
  Data->Cancel();
  Data->First();
  ASSERT_TRUE(OpenCellEditor());
  hl::QueueMessageBoxAnswer(win::IDOK);
  const std::size_t Before = hl::MessageBoxes().size();
  Press(win::VK_DELETE, win::MOD_CONTROL);
  ASSERT_EQ(hl::MessageBoxes().size(), Before + 1);
  EXPECT_EQ(hl::MessageBoxes().back().Text, "Delete record?");
  EXPECT_EQ(Data->RecordCount(), 2);
  EXPECT_EQ(Current(), "r1");
  // Shift+Ins and plain Del stay the editor's own.
  ASSERT_TRUE(OpenCellEditor());
  Press(win::VK_END);
  Press(win::VK_BACK);
  EXPECT_EQ(Data->State(), dsEdit);
  Press(win::VK_INSERT, win::MOD_SHIFT);
  Press(win::VK_DELETE);
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Data->RecordCount(), 2);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "r");
}

TEST_F(GridKeysTest, EnterInTheCellEditorWritesTheFieldAtOnce) {
  Open();
  ASSERT_TRUE(OpenCellEditor());
  hl::TypeText("Zed");
  Press(win::VK_RETURN);
  EXPECT_EQ(Current(), "Zed");
  EXPECT_EQ(Data->State(), dsEdit);  // written, not posted
  EXPECT_FALSE(Grid->InplaceEditorVisible());
  EXPECT_TRUE(Grid->Focused());
  Press(win::VK_DOWN);
  Data->First();
  EXPECT_EQ(Current(), "Zed");
  // With the editor always shown Enter writes the field without closing it.
  SetOption(dgAlwaysShowEditor, true);
  Grid->SetEditorMode(true);
  Grid->InplaceEditor()->SetFocus();
  hl::TypeText("Kay");
  Press(win::VK_RETURN);
  EXPECT_TRUE(Grid->InplaceEditorVisible());
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "Kay");
  Press(win::VK_DOWN);
  Data->First();
  EXPECT_EQ(Current(), "Kay");
}

TEST_F(GridKeysTest, TwoEscapesFromTheCellEditorCancelTheEdit) {
  Open();
  ASSERT_TRUE(OpenCellEditor());
  hl::TypeText("Zed");
  Press(win::VK_ESCAPE);
  EXPECT_FALSE(Grid->InplaceEditorVisible());
  EXPECT_EQ(Current(), "r0");
  EXPECT_EQ(Data->State(), dsEdit);
  Press(win::VK_ESCAPE);
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Current(), "r0");
  // A record written by Enter is taken back by Esc from the grid.
  ASSERT_TRUE(OpenCellEditor());
  hl::TypeText("Zed");
  Press(win::VK_RETURN);
  Press(win::VK_ESCAPE);
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Current(), "r0");
}

}  // namespace
