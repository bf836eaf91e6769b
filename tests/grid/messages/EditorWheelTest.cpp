// The wheel over a grid whose cell editor has its drop-down list open scrolls the list,
// not the records; with the list closed it moves the record.
#include "tests/support/InplaceEditFixture.h"

namespace {

class EditorWheelTest : public InplaceEditTest {
protected:
  // An editor focused on a pick-list cell of a dataset of four records, showing three of
  // its eight list entries at a time, with its list closed.
  TDBGridInplaceEdit* OpenListCell() {
    UseGrid<PopupRecordingGrid>();
    Data = StringRecords(4);
    TColumnGx* Column = EditColumn(Data, "S");
    Column->SetDropDownRows(3);
    SetLines(Column->PickList(), {"a", "b", "c", "d", "e", "f", "g", "h"});
    return OpenEditor();
  }
  TClientDataSet* Data = nullptr;
};

TEST_F(EditorWheelTest, AnOpenListTakesTheWheel) {
  TDBGridInplaceEdit* Editor = OpenListCell();
  ASSERT_NE(Editor, nullptr);
  auto WheelDown = [&] { Grid->Perform(CM_MOUSEWHEEL, win::MAKEWPARAM(0, static_cast<win::WORD>(-120)), 0); };

  win::headless::PressKeys(win::MOD_ALT, win::VK_DOWN);
  ASSERT_TRUE(Editor->PopupVisible());
  const int Top = Editor->PickListPopup()->TopIndex();
  WheelDown();
  EXPECT_EQ(Data->RecNo(), 1);
  EXPECT_EQ(Editor->PickListPopup()->TopIndex(), Top + 1);

  win::headless::PressKeys(win::MOD_ALT, win::VK_DOWN);
  ASSERT_FALSE(Editor->PopupVisible());
  WheelDown();
  EXPECT_EQ(Data->RecNo(), 2);
}

TEST_F(EditorWheelTest, TheWheelTurnedWithTheEditorFocusedScrollsItsOpenList) {
  TDBGridInplaceEdit* Editor = OpenListCell();
  ASSERT_NE(Editor, nullptr);
  win::headless::PressKeys(win::MOD_ALT, win::VK_DOWN);
  ASSERT_TRUE(Editor->PopupVisible());
  ASSERT_TRUE(Editor->Focused());
  const int Top = Editor->PickListPopup()->TopIndex();
  const win::RECT List = ScreenRect(Editor->PickListPopup());
  win::headless::MouseWheel(-240, (List.left + List.right) / 2, (List.top + List.bottom) / 2);
  EXPECT_EQ(Editor->PickListPopup()->TopIndex(), Top + 2);
  win::headless::MouseWheel(120, (List.left + List.right) / 2, (List.top + List.bottom) / 2);
  EXPECT_EQ(Editor->PickListPopup()->TopIndex(), Top + 1);
  EXPECT_TRUE(Editor->PopupVisible());
  EXPECT_EQ(Data->RecNo(), 1);
}

}  // namespace
