// The grid's in-place editor scrolls its text like any edit: a cell narrower than what is
// typed keeps the caret in view, and Home brings the start back.
#include "grids/GridFixture.h"

#include "tests/support/RepaintRecord.h"

namespace {

std::vector<win::DrawOp> EditorTexts(TWinControl* ed) { return RepaintAndRecord(ed->Handle()); }

TEST_F(CustomGridTest, InplaceEditorScrollsLongTextInItsCell) {
  MakeGrid();
  Grid->SetOptions(Grid->Options() + goEditing);
  win::headless::TypeText("a long cell text that never fits");
  ASSERT_TRUE(Grid->EditorMode());
  TInplaceEdit* ed = Grid->InplaceEditor();
  win::RECT r{};
  ed->Perform(win::EM_GETRECT, 0, reinterpret_cast<win::LPARAM>(&r));
  EXPECT_EQ(win::headless::Caret()->Pos.x, r.right - 1);
  std::vector<win::DrawOp> ops = EditorTexts(ed);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back().text.back(), 's');
  EXPECT_NE(ops.front().text.front(), 'a');
  Press(win::VK_HOME);
  EXPECT_EQ(win::headless::Caret()->Pos.x, r.left);
  EXPECT_EQ(EditorTexts(ed).front().text.substr(0, 6), "a long");
}

}  // namespace
