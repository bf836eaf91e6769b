// Index conventions of columns, the field map and marked rows, and the errors these
// classes raise.
#include "tests/support/GridFixture.h"

#include "platform/controls/ListBoxes.h"

namespace {

template <class E, class F>
std::string MessageOf(F&& Call) {
  try {
    Call();
  } catch (const E& Error) {
    return Error.Message();
  }
  return "(nothing raised)";
}

TEST_F(GridTest, ErrorsNamedForTheGridParts) {
  TDBGridGx* Grid = NewGrid();
  Grid->Columns()->AddColumn();
  THeadTreeNode Root("Root", 10, 0);
  THeadTreeNode Stray("Stray", 10, 0);
  THeadTreeNode* A = Root.AddChildNode(&Root, "A", 10, 20);
  THeadTreeNode* B = Root.AddChildNode(&Root, "B", 10, 20);
  THeadTreeNode* Deep = Root.AddChildNode(A, "Deep", 10, 20);
  TDBGridGxSelectionRect* Rect = Grid->GridSelection()->Rect();
  const struct {
    const char* What;
    std::function<std::string()> Message;
    const char* Expected;
  } Cases[] = {
      {"column below 0", [&] { return MessageOf<EInvalidGridOperation>([&] { Grid->Columns()->ColumnAt(-1); }); },
       "Grid index out of range"},
      {"column past the end", [&] { return MessageOf<EInvalidGridOperation>([&] { Grid->Columns()->ColumnAt(1); }); },
       "Grid index out of range"},
      {"bookmark of a closed dataset",
       [&] { return MessageOf<EInvalidGridOperation>([&] { Grid->BookmarkedRows()->CurrentBookmark(); }); },
       "Cannot perform this operation on a closed dataset"},
      {"rectangle without data",
       [&] { return MessageOf<EInvalidGridOperation>([&] { Rect->GetBottomRow(); }); },
       "Error in TDBGridGxSelectionRect.GetBottomRow"},
      {"cell test without data",
       [&] { return MessageOf<EInvalidGridOperation>([&] { Rect->CellSelected(0, ""); }); },
       "Error in function TDBGridGxSelectionRect.CellSelected"},
      {"node outside the tree",
       [&] { return MessageOf<Exception>([&] { Root.AddChildNode(&Stray, "X", 1, 1); }); }, "Node not in Tree"},
      {"run across levels",
       [&] { return MessageOf<Exception>([&] { Root.GroupSiblings(B, Deep, 20, "G"); }); }, "ATo not in level"},
  };
  for (const auto& Case : Cases) EXPECT_EQ(Case.Message(), Case.Expected) << Case.What;
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Index(), 0);
}

TEST_F(GridTest, FieldMapFollowsItsSparseSetting) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetDataSource(NewSource({"A", "B"}));
  TGridDataLinkGx* Link = Grid->GridLink();
  Link->ClearFieldMap();
  EXPECT_THROW(Link->MapField("Missing"), EDatabaseError);
  Link->ClearFieldMap();
  Link->SetSparseMap(true);
  Link->MapField("B");
  Link->MapField("Missing");
  ASSERT_EQ(Link->FieldCount(), 2);
  EXPECT_EQ(Link->FieldAt(0)->FieldName(), "B");
  for (int Index : {-1, 1, 2}) EXPECT_EQ(Link->FieldAt(Index), nullptr) << Index;
  EXPECT_FALSE(Link->UsesDefaultFields());
}

TEST_F(GridTest, HiddenColumnsTakeNoWidthOrOnlyTheirLine) {
  TDBGridGx* Grid = NewGrid();
  for (int i = 0; i < 2; ++i) Grid->Columns()->AddColumn()->SetWidth(50);
  TColumnGx* Second = Grid->Columns()->ColumnAt(1);
  const int GridCol = Grid->DataToGridColumn(1);
  ASSERT_EQ(GridCol, 2);  // behind the indicator column
  EXPECT_EQ(Grid->ColWidths(GridCol), 50);
  Second->SetVisible(false);
  EXPECT_EQ(Grid->ColWidths(GridCol), -1);
  Second->SetVisible(true);
  Grid->SetOptions(Grid->Options() - dgColLines);
  Second->SetVisible(false);
  EXPECT_EQ(Grid->ColWidths(GridCol), 0);
}

TEST_F(GridTest, HidingTheCurrentColumnMovesToTheFirstShownOne) {
  TDBGridGx* Grid = NewGrid();
  for (int i = 0; i < 3; ++i) Grid->Columns()->AddColumn()->SetWidth(50);
  Grid->SelectDataColumn(2);
  ASSERT_EQ(Grid->CurrentDataColumn(), 2);
  // The columns the layout shows: the first one is hidden below and so leaves them.
  for (int i = 1; i < 3; ++i) Grid->ShownColumns()->Add(Grid->Columns()->ColumnAt(i));
  Grid->Columns()->ColumnAt(0)->SetVisible(false);
  EXPECT_EQ(Grid->CurrentDataColumn(), 2);  // the current column is still shown
  Grid->ShownColumns()->Remove(Grid->Columns()->ColumnAt(2));
  Grid->Columns()->ColumnAt(2)->SetVisible(false);
  EXPECT_EQ(Grid->CurrentDataColumn(), 1);
}

TEST_F(GridTest, MarkedRowsStaySortedAndFollowTheLink) {
  TDBGridGx* Grid = NewGrid();
  TDataSource* Source = NewSource({"A"}, 3);
  Grid->SetDataSource(Source);
  Grid->GridSelection()->LinkActive(true);
  TBookmarkListGx* Rows = Grid->BookmarkedRows();
  TDataSet* DataSet = Source->DataSet();
  int Index = -1;
  EXPECT_FALSE(Rows->LocateBookmark(DataSet->Bookmark(), Index));
  EXPECT_EQ(Index, 0);
  DataSet->Last();
  Rows->MarkCurrentRow(true);
  Rows->MarkCurrentRow(true);
  DataSet->First();
  Rows->MarkCurrentRow(true);
  ASSERT_EQ(Rows->Count(), 2);
  EXPECT_EQ(Rows->FindIndex(DataSet->Bookmark()), 0);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstRecordBookmarks);
  Rows->MarkCurrentRow(false);
  DataSet->Last();
  Rows->MarkCurrentRow(false);
  EXPECT_EQ(Rows->Count(), 0);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);

  Rows->MarkCurrentRow(true);
  Grid->GridSelection()->LinkActive(false);
  EXPECT_EQ(Rows->Count(), 0);
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstNon);
  EXPECT_THROW(Rows->MarkCurrentRow(true), EInvalidGridOperation);
}

TEST_F(GridTest, AnExternalScrollBarServesOneGridAtATime) {
  TDBGridGx* First = NewGrid();
  auto* Second = new TDBGridGx(Form.get());
  Second->SetName("DBGridGx2");
  auto* Bar = new TScrollBar(Form.get());
  Bar->SetName("Bar");
  First->VertScrollBar()->SetExtScrollBar(Bar);
  EXPECT_EQ(MessageOf<Exception>([&] { Second->VertScrollBar()->SetExtScrollBar(Bar); }),
            "Possible Bar already attached to the other control.");
  EXPECT_EQ(Second->VertScrollBar()->ExtScrollBar(), nullptr);
  First->VertScrollBar()->SetVisible(false);
  EXPECT_EQ(First->VertScrollBar()->VisibleMode(), sbNeverShowGx);
  EXPECT_FALSE(Bar->Visible());
  EXPECT_FALSE(First->VertScrollBar()->IsShown());
  First->VertScrollBar()->SetVisible(true);
  EXPECT_EQ(First->VertScrollBar()->VisibleMode(), sbAutoShowGx);
  // Given back, the bar can serve the other grid; freed, it is forgotten.
  First->VertScrollBar()->SetExtScrollBar(nullptr);
  Second->VertScrollBar()->SetExtScrollBar(Bar);
  delete Bar;
  EXPECT_EQ(Second->VertScrollBar()->ExtScrollBar(), nullptr);
}

}  // namespace
