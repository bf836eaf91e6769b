// Focus changes and leaving the grid: the input method goes back to the system's default
// when the focus leaves for another control, an untouched new record is cancelled with
// dgCancelOnExit, and a cell value that cannot be written keeps the focus in the grid.
#include "tests/support/DataFollowFixture.h"

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

namespace {

// A grid whose editor shows (the cell editing of the grid is not needed here) and whose
// write-back is counted and can fail.
class TExitGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  void WriteEditorText() override {
    ++Writes;
    if (Fail) throw Exception("bad value");
  }
  int Writes = 0;
  bool Fail = false;

protected:
  bool CanEditShow() override { return true; }
};

class FocusAndExitTest : public DataFollowTest {
protected:
  void SetUp() override {
    DataFollowTest::SetUp();
    Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(10, 300, 100, 20);
  }
  void Edits(bool On) {
    TDBGridOptions O = Grid->Options();
    On ? O += dgEditing : O -= dgEditing;
    Grid->SetOptions(O);
  }
  TEdit* Other = nullptr;
};

TEST_F(FocusAndExitTest, LeavingForAnotherControlRestoresTheDefaultInputMethod) {
  GridOn(5, 4);
  Grid->SetFocus();
  Grid->SetImeName("Pinyin");
  Grid->SetImeMode(imOpen);
  const std::size_t Before = win::headless::ActivatedKeyboardLayouts().size();
  Other->SetFocus();
  EXPECT_EQ(Grid->ImeName(), Screen->DefaultIme());
  EXPECT_EQ(Grid->ImeMode(), imDontCare);
  ASSERT_EQ(win::headless::ActivatedKeyboardLayouts().size(), Before + 1);
  EXPECT_EQ(win::headless::ActivatedKeyboardLayouts().back(), Screen->DefaultKbLayout());
}

TEST_F(FocusAndExitTest, GoingIntoTheCellEditorKeepsTheKeyboardLayout) {
  GridOn(5, 4, true, 0, new TExitGrid(Form.get()));
  Edits(true);
  Grid->SetFocus();
  const std::size_t Before = win::headless::ActivatedKeyboardLayouts().size();
  Grid->ShowCellEditor();
  ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Focused());
  EXPECT_EQ(win::headless::ActivatedKeyboardLayouts().size(), Before);
}

TEST_F(FocusAndExitTest, ComposingTextOpensTheEditor) {
  GridOn(5, 4, true, 0, new TExitGrid(Form.get()));
  Edits(true);
  Grid->SetFocus();
  ASSERT_FALSE(Grid->InplaceEditorVisible());
  Grid->Perform(win::WM_IME_STARTCOMPOSITION, 0, 0);
  EXPECT_TRUE(Grid->InplaceEditorVisible());
}

TEST_F(FocusAndExitTest, PreferringTheSearchAsksForCharacters) {
  GridOn(5, 4);
  Edits(false);
  EXPECT_FALSE(Grid->Perform(win::WM_GETDLGCODE, 0, 0) & win::DLGC_WANTCHARS);
  Grid->SetOptionsGx(Grid->OptionsGx() + dghPreferIncSearch);
  EXPECT_TRUE(Grid->Perform(win::WM_GETDLGCODE, 0, 0) & win::DLGC_WANTCHARS);
}

TEST_F(FocusAndExitTest, AnUntouchedInsertIsCancelledOnlyWithCancelOnExit) {
  struct Case {
    bool CancelOnExit, Typed;
    TDataSetState After;
  };
  for (const Case& C : {Case{true, false, dsBrowse}, Case{true, true, dsInsert}, Case{false, false, dsInsert}}) {
    GridOn(5, 4);
    TDBGridOptions O = Grid->Options();
    C.CancelOnExit ? O += dgCancelOnExit : O -= dgCancelOnExit;
    Grid->SetOptions(O);
    Grid->SetFocus();
    DataSet->Insert();
    if (C.Typed) DataSet->Fields()[0]->SetAsString("new");
    Other->SetFocus();
    EXPECT_EQ(DataSet->State(), C.After) << "cancel on exit " << C.CancelOnExit << ", typed " << C.Typed;
    if (DataSet->State() == dsInsert) DataSet->Cancel();
    delete Grid;
  }
}

TEST_F(FocusAndExitTest, TheEditorsTextIsWrittenOnExitAndAFailedWriteKeepsTheFocus) {
  auto* Made = new TExitGrid(Form.get());
  GridOn(5, 4, true, 0, Made);
  Grid->SetFocus();
  Grid->GridLink()->MarkModified();
  Other->SetFocus();
  EXPECT_EQ(Made->Writes, 1);
  EXPECT_TRUE(Other->Focused());

  Grid->SetFocus();
  Grid->GridLink()->MarkModified();
  Made->Fail = true;
  const std::size_t Shown = win::headless::MessageBoxes().size();
  Other->SetFocus();
  EXPECT_EQ(Made->Writes, 2);
  EXPECT_TRUE(Grid->Focused());
  // The error reaches the application, which shows it.
  ASSERT_EQ(win::headless::MessageBoxes().size(), Shown + 1);
  EXPECT_EQ(win::headless::MessageBoxes().back().Text, "bad value.");
}

}  // namespace
