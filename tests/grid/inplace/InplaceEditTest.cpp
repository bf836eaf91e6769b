// The data grid's cell editor: typing completion in list and lookup cells, the key rules
// of list cells, paste, stepping, multi-line cells, and a column freed under the editor.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/controls/Clipbrd.h"

namespace {

namespace hl = win::headless;

struct Shown {
  std::string Text;
  int SelStart;
  int SelLength;
};

void ExpectShown(TDBGridInplaceEdit* Editor, const Shown& Want, const char* Step) {
  EXPECT_EQ(Editor->Text(), Want.Text) << Step;
  EXPECT_EQ(Editor->SelStart(), Want.SelStart) << Step;
  EXPECT_EQ(Editor->SelLength(), Want.SelLength) << Step;
}

class InplaceEditKeysTest : public InplaceEditTest {
protected:
  // A key-list column on a string field: the pick list Abc, Abd shows for the keys 1, 2.
  TColumnGx* KeyListColumn() {
    TClientDataSet* Data = NewDataSet({{"S", ftString}});
    TColumnGx* Column = EditColumn(Data, "S");
    SetLines(Column->PickList(), {"Abc", "Abd"});
    SetLines(Column->KeyList(), {"1", "2"});
    return Column;
  }
  // The editor on the lookup column "Title" of NewLookupPair.
  TDBGridInplaceEdit* OpenLookupEditor() {
    EditColumn(NewLookupPair(), "Title");
    return OpenEditor();
  }
  static void AcceptAnyText(TColumnGx* Column) {
    Column->SetOnNotInList(TNotInListEventGx([](TObject*, std::string, bool&) {}));
  }
};

TEST_F(InplaceEditKeysTest, KeyListCompletesTypingAndDropsCharactersMatchingNoEntry) {
  KeyListColumn();
  TDBGridInplaceEdit* Editor = OpenEditor();
  ASSERT_NE(Editor, nullptr);
  EXPECT_EQ(Editor->EditStyle(), iesPickListGx);
  Type("a");
  ExpectShown(Editor, {"Abc", 1, 2}, "a");
  Type("b");
  ExpectShown(Editor, {"Abc", 2, 1}, "ab");
  EXPECT_EQ(Grid->EditText(), "Abc");
  Type("x");
  ExpectShown(Editor, {"Abc", 2, 1}, "abx");
  Type("d");
  ExpectShown(Editor, {"Abd", 3, 0}, "abd");
}

TEST_F(InplaceEditKeysTest, PlainPickListTypesUnmatchedCharactersAndCompletesMatchingOnes) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  SetLines(EditColumn(Data, "S")->PickList(), {"Abc"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  Type("z");
  ExpectShown(Editor, {"z", 1, 0}, "z");
  Editor->SelectAll();
  Type("A");
  ExpectShown(Editor, {"Abc", 1, 2}, "A");
}

TEST_F(InplaceEditKeysTest, LookupCompletesFromTheListDatasetAndKeepsTheKey) {
  TDBGridInplaceEdit* Editor = OpenLookupEditor();
  ASSERT_EQ(Editor->EditStyle(), iesLookupListGx);
  Type("T");
  ExpectShown(Editor, {"two", 1, 2}, "T");
  EXPECT_EQ(Grid->EditValue().AsInteger(), 2);
  Type("h");
  ExpectShown(Editor, {"three", 2, 3}, "th");
  EXPECT_EQ(Grid->EditValue().AsInteger(), 3);
  EXPECT_EQ(Grid->EditText(), "three");
  EXPECT_TRUE(Grid->GridLink()->Modified());
  // Without OnNotInList a character that names no row changes nothing.
  Type("z");
  ExpectShown(Editor, {"three", 2, 3}, "thz");
}

TEST_F(InplaceEditKeysTest, LookupWithoutNotInListDeletesOnlyTheWholeTextAndBackspaceMovesLeft) {
  TDBGridInplaceEdit* Editor = OpenLookupEditor();
  Type("on");
  ExpectShown(Editor, {"one", 2, 1}, "on");
  hl::PressKey(win::VK_DELETE);
  ExpectShown(Editor, {"one", 2, 1}, "Delete of a part");
  hl::PressKey(win::VK_BACK);
  ExpectShown(Editor, {"one", 2, 0}, "Backspace");
  Editor->SelectAll();
  hl::PressKey(win::VK_DELETE);
  EXPECT_EQ(Editor->Text(), "");
  EXPECT_TRUE(Grid->EditValue().IsNull());
  EXPECT_EQ(Grid->EditText(), "");
}

TEST_F(InplaceEditKeysTest, LookupWithNotInListTakesFreeTextAndKeysAnExactNameAfterBackspace) {
  TClientDataSet* Main = NewLookupPair();
  AcceptAnyText(EditColumn(Main, "Title"));
  TDBGridInplaceEdit* Editor = OpenEditor();
  Type("onex");
  ExpectShown(Editor, {"onex", 4, 0}, "onex");
  EXPECT_TRUE(Grid->EditValue().IsNull());
  hl::PressKey(win::VK_BACK);
  ExpectShown(Editor, {"one", 3, 0}, "Backspace");
  EXPECT_EQ(Grid->EditText(), "one");
  EXPECT_EQ(Grid->EditValue().AsInteger(), 1);
}

TEST_F(InplaceEditKeysTest, TheSpecialRowShortCutPutsItsTextAndValueInALookupCell) {
  TClientDataSet* Main = NewLookupPair();
  TColumnGx* Column = EditColumn(Main, "Title");
  Column->DropDownSpecRow()->SetCellsText("(none)");
  Column->DropDownSpecRow()->SetValue(Variant(0));
  Column->DropDownSpecRow()->SetVisible(true);
  TDBGridInplaceEdit* Editor = OpenEditor();
  Type("t");
  hl::PressKeys(win::MOD_ALT, win::VK_DELETE);
  ExpectShown(Editor, {"(none)", 0, 6}, "Alt+Del");
  EXPECT_EQ(Grid->EditText(), "(none)");
  EXPECT_EQ(Grid->EditValue().AsInteger(), 0);
}

TEST_F(InplaceEditKeysTest, KeyListWithNotInListTakesAnyTextAndBackspaceAtTheStartLeavesItAlone) {
  AcceptAnyText(KeyListColumn());
  TDBGridInplaceEdit* Editor = OpenEditor();
  Type("x");
  ExpectShown(Editor, {"x", 1, 0}, "x");
  EXPECT_EQ(Grid->EditText(), "x");
  EXPECT_TRUE(Grid->EditValue().IsNull());
  Type("y");
  ExpectShown(Editor, {"xy", 2, 0}, "xy");
  hl::PressKey(win::VK_BACK);
  ExpectShown(Editor, {"x", 1, 0}, "Backspace");
  EXPECT_EQ(Grid->EditText(), "x");
  hl::PressKey(win::VK_HOME);
  hl::PressKey(win::VK_BACK);
  ExpectShown(Editor, {"x", 0, 0}, "Backspace at the start");
  // Delete in the middle of a free text deletes one character.
  hl::PressKey(win::VK_DELETE);
  ExpectShown(Editor, {"", 0, 0}, "Delete");
}

TEST_F(InplaceEditKeysTest, PasteCompletesInKeyListAndLookupCells) {
  KeyListColumn();
  TDBGridInplaceEdit* Editor = OpenEditor();
  hl::SetClipboardTextElsewhere("ab");
  hl::PressKeys(win::MOD_CONTROL, 'V');
  ExpectShown(Editor, {"Abc", 2, 1}, "Ctrl+V");
  EXPECT_EQ(Grid->EditText(), "Abc");

  // A text that names no entry is not pasted without OnNotInList.
  Editor->SelectAll();
  hl::SetClipboardTextElsewhere("zz");
  Editor->Perform(win::WM_PASTE, 0, 0);
  EXPECT_EQ(Editor->Text(), "Abc");
}

TEST_F(InplaceEditKeysTest, PasteIntoLookupReplacesTheSelectionAndTakesTheKey) {
  TDBGridInplaceEdit* Editor = OpenLookupEditor();
  Type("o");
  ExpectShown(Editor, {"one", 1, 2}, "o");
  Editor->SetSelStart(0);
  Editor->SetSelLength(3);
  hl::SetClipboardTextElsewhere("thr");
  hl::PressKeys(win::MOD_SHIFT, win::VK_INSERT);
  ExpectShown(Editor, {"three", 3, 2}, "Shift+Insert");
  EXPECT_EQ(Grid->EditValue().AsInteger(), 3);
}

TEST_F(InplaceEditKeysTest, PlainCellsPasteTheClipboardAsItIs) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  EditColumn(Data, "S");
  TDBGridInplaceEdit* Editor = OpenEditor();
  hl::SetClipboardTextElsewhere("pasted");
  hl::PressKeys(win::MOD_CONTROL, 'V');
  EXPECT_EQ(Editor->Text(), "pasted");
}

TEST_F(InplaceEditKeysTest, ReadOnlyCellsTakeNoPaste) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  TColumnGx* Column = EditColumn(Data, "S");
  TDBGridInplaceEdit* Editor = OpenEditor();
  Column->SetReadOnly(true);
  hl::SetClipboardTextElsewhere("pasted");
  Editor->Perform(win::WM_PASTE, 0, 0);
  EXPECT_EQ(Editor->Text(), "");
}

TEST_F(InplaceEditKeysTest, CtrlFStartsTheGridSearchWhenAllowed) {
  class SearchGrid : public EditingGrid {
  public:
    using EditingGrid::EditingGrid;
    int Searches = 0;

  protected:
    void IncrementalSearch(const std::string& Text, int TimeOut, int Direction) override {
      EXPECT_EQ(Text, "");
      EXPECT_EQ(TimeOut, -1);
      EXPECT_EQ(Direction, 0);
      ++Searches;
    }
  };
  auto* G = UseGrid<SearchGrid>();
  EditColumn(NewDataSet({{"S", ftString}}), "S");
  OpenEditor();
  hl::PressKeys(win::MOD_CONTROL, 'F');
  EXPECT_EQ(G->Searches, 0);
  TDBGridGxOptions Options = Grid->OptionsGx();
  Options.Include(dghIncSearch);
  Grid->SetOptionsGx(Options);
  hl::PressKeys(win::MOD_CONTROL, 'F');
  EXPECT_EQ(G->Searches, 1);
}

TEST_F(InplaceEditKeysTest, EnterAsTabAndThePreviousValueKeyGoToTheGrid) {
  class PreviousValueGrid : public EditingGrid {
  public:
    using EditingGrid::EditingGrid;
    int Copies = 0;

  protected:
    void CopyPreviousValue() override { ++Copies; }
  };
  auto* G = UseGrid<PreviousValueGrid>();
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"T", ftString}});
  EditColumn(Data, "S");
  EditColumn(Data, "T");
  OpenEditor(0);
  hl::PressKeys(win::MOD_CONTROL, win::VK_OEM_7);
  EXPECT_EQ(G->Copies, 1);
  EXPECT_EQ(Grid->CurrentDataColumn(), 0);
  TDBGridGxOptions Options = Grid->OptionsGx();
  Options.Include(dghEnterAsTab);
  Grid->SetOptionsGx(Options);
  hl::PressKey(win::VK_RETURN);
  EXPECT_EQ(Grid->CurrentDataColumn(), 1);
}

TEST_F(InplaceEditTest, MultiLineCellsEditWithWordWrap) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  TColumnGx* Column = EditColumn(Data, "S");
  Column->SetWordWrap(true);
  Column->SetWidth(60);  // the field holds 20 characters: the cell is narrower than that
  Grid->SetRowLines(3);
  TDBGridInplaceEdit* Editor = OpenEditor();
  ASSERT_TRUE(Grid->RowsAllowWrap());
  EXPECT_TRUE(Editor->WordWrap());
  const auto Style = static_cast<win::DWORD>(win::GetWindowLong(Editor->Handle(), win::GWL_STYLE));
  EXPECT_TRUE(Style & win::ES_MULTILINE);
  EXPECT_FALSE(Style & win::ES_AUTOHSCROLL);
  Type("one two three four");
  EXPECT_GT(Editor->Perform(win::EM_GETLINECOUNT, 0, 0), 1);
  // Without an always-shown editor Up and Down move between the lines, not the rows.
  const int Before = Editor->SelStart();
  hl::PressKey(win::VK_UP);
  EXPECT_LT(Editor->SelStart(), Before);
  EXPECT_TRUE(Editor->Visible());
  EXPECT_EQ(Editor->Text(), "one two three four");
}

TEST_F(InplaceEditTest, UpDownButtonStepsNumbersUpAndListsBack) {
  TClientDataSet* Data = NewDataSet({{"N", ftFloat}, {"S", ftString}});
  Put(Data, "N", Variant(5.0));
  Put(Data, "S", Variant(std::string("b")));
  TColumnGx* Number = EditColumn(Data, "N");
  Number->SetButtonStyle(cbsUpDown);
  Number->SetIncrement(2);
  TColumnGx* List = EditColumn(Data, "S");
  List->SetButtonStyle(cbsUpDown);
  SetLines(List->PickList(), {"a", "b", "c"});

  auto PressHalf = [&](bool Upper) {
    TEditButtonControlGx* Button = Editing->Editor()->ButtonControls()[0].EditButtonControl;
    const win::POINT P = Button->ClientToScreen({Button->Width() / 2, Upper ? 1 : Button->Height() - 2});
    hl::Click(hl::MouseButton::Left, P.x, P.y);
  };
  OpenEditor(0);
  ASSERT_EQ(Editing->Editor()->EditStyle(), iesUpDownGx);
  PressHalf(true);
  EXPECT_EQ(Data->FieldByName("N")->AsFloat(), 7.0);
  PressHalf(false);
  PressHalf(false);
  EXPECT_EQ(Data->FieldByName("N")->AsFloat(), 3.0);

  OpenEditor(1);
  PressHalf(true);
  EXPECT_EQ(Data->FieldByName("S")->AsString(), "a");
  PressHalf(false);
  PressHalf(false);
  EXPECT_EQ(Data->FieldByName("S")->AsString(), "c");
}

TEST_F(InplaceEditTest, FreeingTheColumnUnderTheEditorLeavesNothingDangling) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"T", ftString}});
  TColumnGx* First = EditColumn(Data, "S");
  EditColumn(Data, "T");
  First->MRUList()->SetActive(true);
  First->MRUList()->SetDroppedDown(true);
  TDBGridInplaceEdit* Editor = OpenEditor(0);
  ASSERT_EQ(Editor->MRUList(), First->MRUList());
  // The editor reads the recent texts of whatever column is current now.
  auto CurrentList = [this] { return Grid->CurrentColumn() ? Grid->CurrentColumn()->MRUList() : nullptr; };
  delete First;
  EXPECT_EQ(Editor->MRUList(), CurrentList());
  hl::PressKey(win::VK_DOWN);
  Type("x");
  Grid->Columns()->Clear();
  EXPECT_EQ(Editor->MRUList(), CurrentList());
  hl::PressKey(win::VK_UP);
  Type("y");
}

}  // namespace
