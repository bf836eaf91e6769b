// The column's recent texts dropping from the editor while the user types: which entries
// it lists, how it closes, what accepting takes, and what it remembers of a resize.
#include "tests/support/InplaceEditFixture.h"

#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"

namespace {

namespace hl = win::headless;

class RecentTextsDropDownTest : public InplaceEditTest {
protected:
  // A string column (empty cell) whose recent texts are Items, its editor up.
  TDBGridInplaceEdit* RecentEditor(std::initializer_list<const char*> Items) {
    Column = EditColumn(StringRows({nullptr}), "S");
    Recent = Column->MRUList();
    SetLines(Recent->Items(), Items);
    Recent->SetActive(true);
    return OpenEditor();
  }
  std::vector<std::string> Listed(TDBGridInplaceEdit* Editor) {
    std::vector<std::string> Out;
    TMRUListboxGx* Box = Editor->MRUListbox();
    for (int I = 0; I < Box->Items()->Count(); ++I) Out.push_back(Box->Items()->Strings(I));
    return Out;
  }
  bool Shown(TDBGridInplaceEdit* Editor) {
    TMRUListboxGx* Box = Editor->MRUListbox();
    return Recent->DroppedDown() && Box->HandleAllocated() && win::IsWindowVisible(Box->Handle());
  }

  TColumnGx* Column = nullptr;
  TMRUListGx* Recent = nullptr;
};

using Texts = std::vector<std::string>;

TEST_F(RecentTextsDropDownTest, TypingListsTheEntriesStartingWithTheTextSortedAndEmptyingItCloses) {
  TDBGridInplaceEdit* Editor = RecentEditor({"pear", "apple", "Avocado", "apricot", "banana"});
  EXPECT_FALSE(Recent->DroppedDown()) << "showing the editor opens nothing";
  Type("a");
  ASSERT_TRUE(Shown(Editor));
  EXPECT_EQ(Listed(Editor), (Texts{"apple", "apricot", "Avocado"}));
  const win::RECT E = ScreenRect(Editor), L = ScreenRect(Editor->MRUListbox());
  EXPECT_GE(L.top, E.bottom - 2);
  EXPECT_LE(L.top, E.bottom);
  EXPECT_EQ(win::GetFocus(), Editor->Handle());
  Type("p");
  EXPECT_EQ(Listed(Editor), (Texts{"apple", "apricot"}));
  Type("x");
  EXPECT_FALSE(Shown(Editor)) << "no entry left";
  hl::PressKey(win::VK_BACK);
  EXPECT_TRUE(Shown(Editor));
  hl::PressKey(win::VK_BACK);
  hl::PressKey(win::VK_BACK);
  EXPECT_EQ(Editor->Text(), "");
  EXPECT_FALSE(Shown(Editor));

  // Case-sensitive lists compare the case too; an inactive list never opens.
  Recent->SetCaseSensitive(true);
  Type("A");
  EXPECT_EQ(Listed(Editor), (Texts{"Avocado"}));
  hl::PressKey(win::VK_BACK);
  Recent->SetActive(false);
  Type("a");
  EXPECT_FALSE(Shown(Editor));
}

TEST_F(RecentTextsDropDownTest, AtMostRowsLinesShowAndTheFilterEventHasTheLastWord) {
  TDBGridInplaceEdit* Editor = RecentEditor({"a1", "a2", "a3", "a4", "a5"});
  Recent->SetRows(3);
  TObject* FilterSender = nullptr;
  Recent->SetOnFilterItem(TFilterMRUItemEventGx([&](TObject* Sender, bool&) { FilterSender = Sender; }));
  Type("a");
  TMRUListboxGx* Box = Editor->MRUListbox();
  EXPECT_EQ(Box->RowCount(), 3);
  EXPECT_EQ(Box->Items()->Count(), 5);
  EXPECT_EQ(FilterSender, Column) << "the filter hears of the column";

  Recent->SetOnFilterItem(TFilterMRUItemEventGx([](TObject*, bool& Accept) { Accept = false; }));
  Type("1");
  EXPECT_FALSE(Shown(Editor));
}

TEST_F(RecentTextsDropDownTest, DownAndEnterOrAClickTakeAnEntryAndEscapeTakesNothing) {
  TDBGridInplaceEdit* Editor = RecentEditor({"alpha", "amber"});
  Type("a");
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_ESCAPE);
  EXPECT_FALSE(Shown(Editor));
  EXPECT_EQ(Editor->Text(), "a");
  EXPECT_TRUE(Editor->Visible());

  Type("m");
  ASSERT_TRUE(Shown(Editor));
  hl::PressKey(win::VK_DOWN);
  hl::PressKey(win::VK_RETURN);
  EXPECT_FALSE(Shown(Editor));
  EXPECT_EQ(Editor->Text(), "amber");
  EXPECT_EQ(Grid->EditText(), "amber");
  EXPECT_EQ(Editor->SelLength(), 5);

  Editor->SelectAll();
  Type("al");
  ASSERT_TRUE(Shown(Editor));
  TMRUListboxGx* Box = Editor->MRUListbox();
  const win::POINT First = Box->ClientToScreen({5, 3});
  hl::Click(hl::MouseButton::Left, First.x, First.y);
  EXPECT_FALSE(Shown(Editor));
  EXPECT_EQ(Editor->Text(), "alpha");
}

// Typed characters that share their codes with the list's navigation keys are text.
TEST_F(RecentTextsDropDownTest, PunctuationWithNavigationCodesReachesTheText) {
  TDBGridInplaceEdit* Editor = RecentEditor({"a(b)!&\"", "ab"});
  Type("a");
  ASSERT_TRUE(Shown(Editor));
  Type("(b)!&\"");
  EXPECT_EQ(Editor->Text(), "a(b)!&\"");
  ASSERT_TRUE(Shown(Editor));
  EXPECT_EQ(Listed(Editor), (Texts{"a(b)!&\""}));
  EXPECT_EQ(Editor->MRUListbox()->ItemIndex(), -1) << "nothing moved in the list";
}

TEST_F(RecentTextsDropDownTest, ResizingTheListStoresRowsAndWidthForTheNextOpening) {
  TDBGridInplaceEdit* Editor = RecentEditor({"a1", "a2", "a3", "a4", "a5", "a6"});
  Recent->SetRows(2);
  Type("a");
  TMRUListboxGx* Box = Editor->MRUListbox();
  ASSERT_TRUE(win::IsWindowVisible(Box->SizeGrip()->Handle()));
  const int Row = Box->ItemHeight();
  const win::RECT Grip = ScreenRect(Box->SizeGrip());
  const win::POINT From{Grip.right - 3, Grip.bottom - 3};
  hl::MouseDown(hl::MouseButton::Left, From.x, From.y);
  hl::MouseMove(From.x + 40, From.y + 2 * Row);
  hl::MouseUp(hl::MouseButton::Left, From.x + 40, From.y + 2 * Row);
  EXPECT_EQ(Recent->Rows(), 4);
  EXPECT_EQ(Recent->PopupWidth(), Box->Width());
  const int Width = Box->Width();

  hl::PressKey(win::VK_ESCAPE);
  Type("1");
  hl::PressKey(win::VK_BACK);
  ASSERT_TRUE(Shown(Editor));
  EXPECT_EQ(Box->RowCount(), 4);
  EXPECT_EQ(Box->Width(), Width);
}

TEST_F(RecentTextsDropDownTest, OpeningThePickListClosesTheRecentTexts) {
  Column = EditColumn(StringRows({nullptr}), "S");
  Recent = Column->MRUList();
  SetLines(Recent->Items(), {"ab"});
  Recent->SetActive(true);
  SetLines(Column->PickList(), {"ab", "cd"});
  TDBGridInplaceEdit* Editor = OpenEditor();
  hl::PressKey('A');  // completed to the list's entry, which the key's release follows up
  ASSERT_EQ(Editor->Text(), "ab");
  ASSERT_TRUE(Shown(Editor));
  AltDown();
  EXPECT_TRUE(Editor->PopupVisible());
  EXPECT_FALSE(Shown(Editor));
}

TEST_F(RecentTextsDropDownTest, MovingTheEditorToAnotherCellClosesTheList) {
  TDBGridInplaceEdit* Editor = RecentEditor({"ab"});
  ColumnOn(Column->Field()->DataSet(), "S");
  TDBGridOptions Options = Grid->Options();
  Options.Include(dgAlwaysShowEditor);
  Grid->SetOptions(Options);
  Editor = OpenEditor();
  Type("a");
  ASSERT_TRUE(Shown(Editor));
  hl::PressKey(win::VK_TAB);
  ASSERT_TRUE(Editor->Visible());
  EXPECT_EQ(Grid->CurrentColumn(), Grid->Columns()->ColumnAt(1));
  EXPECT_FALSE(Shown(Editor));
  EXPECT_FALSE(win::IsWindowVisible(Editor->MRUListbox()->Handle()));
}

TEST_F(RecentTextsDropDownTest, AValueTheColumnWritesWhileTheEditorShowsBecomesTheNewest) {
  RecentEditor({"old"});
  TDataSet* Data = Column->Field()->DataSet();
  Data->Edit();
  Column->WriteCellValue("new", Variant(std::string("new")), true);
  ASSERT_EQ(Recent->Items()->Count(), 2);
  EXPECT_EQ(Recent->Items()->Strings(1), "new");
  Grid->HideEditor();
  Data->Edit();
  Column->WriteCellValue("hidden", Variant(std::string("hidden")), true);
  EXPECT_EQ(Recent->Items()->Count(), 2) << "nothing recorded without the editor";
}

}  // namespace
