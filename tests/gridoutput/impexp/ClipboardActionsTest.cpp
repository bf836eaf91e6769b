// The grid's clipboard actions: the forms a copy leaves, what a paste reads, and the
// questions and effects of cut and delete for each selection kind.
#include "tests/support/ImpExpFixture.h"

#include <cstring>

#include "platform/controls/Clipbrd.h"
#include "platform/desktop/WinKernel.h"

namespace {

namespace hl = win::headless;
using Table = std::vector<std::vector<std::string>>;

// The raw bytes of the clipboard's block of Format.
std::string Block(win::UINT Format) {
  Clipboard()->Open();
  win::HANDLE H = Clipboard()->GetAsHandle(Format);
  std::string Out;
  if (H) {
    Out.assign(static_cast<const char*>(win::GlobalLock(H)), win::GlobalSize(H));
    win::GlobalUnlock(H);
  }
  Clipboard()->Close();
  return Out;
}
void SetBlock(win::UINT Format, const std::string& Bytes) {
  win::HGLOBAL H = win::GlobalAlloc(win::GMEM_MOVEABLE, Bytes.size());
  std::memcpy(win::GlobalLock(H), Bytes.data(), Bytes.size());
  win::GlobalUnlock(H);
  Clipboard()->SetAsHandle(Format, H);
}

// A client dataset that silently keeps every record it is asked to delete.
class KeepingDataSet : public TClientDataSet {
public:
  using TClientDataSet::TClientDataSet;

protected:
  void InternalDelete() override {}
};

class ClipboardActionsTest : public ImpExpTest {
protected:
  void SetUp() override {
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->Close();
  }
  Table FourRecords() {
    TextGrid(3, {{"a1", "b1", "c1"}, {"a2", "b2", "c2"}, {"a3", "b3", "c3"}, {"a4", "b4", "c4"}});
    return Records();
  }
  TDBGridGxImpExpUnitUse Output;
};

TEST_F(ClipboardActionsTest, CopyLeavesEveryFormSideBySide) {
  TextGrid(3, {{"a1", "b1", "c1"}, {"a2", "中文", "c2"}, {"a3", "b3", "c3"}});
  SelectRect(0, 0, 1, 1);
  CopyGridSelection(Grid, false);
  EXPECT_EQ(Block(win::CF_TEXT), std::string("A\tB\r\na1\tb1\r\na2\t中文") + '\0');
  EXPECT_EQ(Block(ClipFormatCsv()), std::string("\"A\";\"B\"\r\n\"a1\";\"b1\"\r\n\"a2\";\"中文\"") + '\0');
  EXPECT_EQ(hl::ClipboardText(), "A\tB\r\na1\tb1\r\na2\t中文");
  const std::string Unicode = Block(win::CF_UNICODETEXT);
  EXPECT_EQ(Unicode.substr(Unicode.size() - 6), std::string("\x2D\x4E\x87\x65\0\0", 6)) << "UTF-16, zero-ended";
  EXPECT_EQ(Block(ClipFormatVCLDBIF()), Export(TDBGridGxExportAsVCLDBIF::StaticClass()));
  // Nothing is left of what the clipboard held before.
  Clipboard()->SetAsText("old");
  SelectRows({2});
  CopyGridSelection(Grid, false);
  EXPECT_EQ(hl::ClipboardText(), "A\tB\tC\r\na3\tb3\tc3");
}

TEST_F(ClipboardActionsTest, CopyThenPasteRoundTripsEveryValue) {
  MakeGrid({{"Code", ftInteger}, {"Name", ftString}, {"Rate", ftFloat}},
           {{"1", "one\ttab", "2.5"}, {std::nullopt, "中文", std::nullopt}});
  const Table Before = Records();
  Grid->GridSelection()->SelectAll();
  CopyGridSelection(Grid, false);
  MakeGrid({{"Code", ftInteger}, {"Name", ftString}, {"Rate", ftFloat}}, {});
  PasteIntoGrid(Grid, false);
  EXPECT_EQ(Records(), Before);
}

TEST_F(ClipboardActionsTest, PasteTakesTheInterchangeFormOverTextAndTextUpToItsZero) {
  TextGrid(2, {{"x", "y"}});
  Grid->GridSelection()->SelectAll();
  const std::string Interchange = Export(TDBGridGxExportAsVCLDBIF::StaticClass());
  TextGrid(2, {});
  Clipboard()->Open();
  Clipboard()->SetAsText("text\tonly");
  SetBlock(ClipFormatVCLDBIF(), Interchange);
  Clipboard()->Close();
  PasteIntoGrid(Grid, false);
  EXPECT_EQ(Records(), (Table{{"x", "y"}}));

  TextGrid(2, {});
  hl::SetClipboardTextElsewhere("p\tq\nr\ts\n");  // LF lines from another program
  PasteIntoGrid(Grid, false);
  EXPECT_EQ(Records(), (Table{{"p", "q"}, {"r", "s"}}));

  TextGrid(2, {});
  Clipboard()->Open();
  Clipboard()->Clear();
  SetBlock(win::CF_TEXT, std::string("m\tn\0slack\tbytes", 15));
  Clipboard()->Close();
  PasteIntoGrid(Grid, false);
  EXPECT_EQ(Records(), (Table{{"m", "n"}}));
}

TEST_F(ClipboardActionsTest, EveryDeleteKindAsksItsQuestionAndCancelStops) {
  struct Case {
    const char* Question;
    std::function<void(ClipboardActionsTest&)> Select;
    Table Done;
  };
  const Table Start{{"a1", "b1", "c1"}, {"a2", "b2", "c2"}, {"a3", "b3", "c3"}, {"a4", "b4", "c4"}};
  const std::string N = "<null>";
  const Case Cases[] = {
      {"Delete record?", [](ClipboardActionsTest& t) { t.SelectRows({1}); }, {Start[0], Start[2], Start[3]}},
      {"Delete all selected records?", [](ClipboardActionsTest& t) { t.SelectRows({3, 0, 2}); }, {Start[1]}},
      {"清除选择的单元?", [](ClipboardActionsTest& t) { t.SelectRect(1, 1, 2, 2); },
       {Start[0], {"a2", N, N}, {"a3", N, N}, Start[3]}},
      {"清除选择的单元?", [](ClipboardActionsTest& t) { t.SelectColumns({0}); },
       {{N, "b1", "c1"}, {N, "b2", "c2"}, {N, "b3", "c3"}, {N, "b4", "c4"}}},
      {"Delete all records?", [](ClipboardActionsTest& t) { t.Grid->GridSelection()->SelectAll(); }, {}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Question);
    for (const int Answer : {win::IDCANCEL, win::IDOK}) {
      FourRecords();
      Grid->SetOptions(Grid->Options() + dgConfirmDelete);
      C.Select(*this);
      const std::size_t Asked = hl::MessageBoxes().size();
      hl::QueueMessageBoxAnswer(Answer);
      DeleteGridSelection(Grid, false);
      ASSERT_EQ(hl::MessageBoxes().size(), Asked + 1);
      EXPECT_EQ(hl::MessageBoxes().back().Text, C.Question);
      if (Data->State() != dsBrowse) Data->Post();
      EXPECT_EQ(Records(), Answer == win::IDOK ? C.Done : Start);
    }
  }
  // Without dgConfirmDelete nothing is asked.
  FourRecords();
  Grid->SetOptions(Grid->Options() - dgConfirmDelete);
  Grid->GridSelection()->SelectAll();
  const std::size_t Asked = hl::MessageBoxes().size();
  DeleteGridSelection(Grid, false);
  EXPECT_EQ(hl::MessageBoxes().size(), Asked);
  EXPECT_EQ(Records(), Table{});
}

TEST_F(ClipboardActionsTest, ClearingLeavesReadOnlyCellsAndTheShownRows) {
  FourRecords();
  Grid->Columns()->ColumnAt(2)->SetReadOnly(true);
  GoTo(2);
  SelectRect(1, 0, 2, 3);
  GoTo(2);
  DeleteGridSelection(Grid, false);
  if (Data->State() != dsBrowse) Data->Post();
  EXPECT_EQ(Data->FieldByName("A")->AsString(), "a3") << "the current record stays";
  for (const auto& Row : Records()) {
    EXPECT_EQ(Row[1], "<null>");
    EXPECT_NE(Row[2], "<null>");
  }
}

TEST_F(ClipboardActionsTest, DeletingAllStopsWhenADeleteRemovesNothing) {
  auto* Keeping = new KeepingDataSet(Form.get());
  Keeping->FieldDefs().Add("A", ftString, 10);
  Keeping->CreateDataSet();
  for (const char* V : {"x", "y"}) {
    Keeping->Append();
    Keeping->Fields()[0]->SetAsString(V);
    Keeping->Post();
  }
  GridOn(Keeping);
  Grid->GridSelection()->SelectAll();
  DeleteGridSelection(Grid, false);  // returns instead of spinning
  EXPECT_EQ(Keeping->RecordCount(), 2);
}

TEST_F(ClipboardActionsTest, CutCopiesThenDeletesAndTheKeysReachTheActions) {
  FourRecords();
  Form->Show();
  Grid->SetFocus();
  Grid->SetEditActions({geaCutGx, geaCopyGx, geaPasteGx, geaDeleteGx, geaSelectAllGx});
  Grid->SetOptions(Grid->Options() - dgConfirmDelete);
  SelectRows({0});
  hl::PressKeys(win::MOD_CONTROL, 'X');
  EXPECT_EQ(hl::ClipboardText(), "A\tB\tC\r\na1\tb1\tc1");
  EXPECT_EQ(Records().size(), 3u);
  Data->Last();
  hl::PressKeys(win::MOD_CONTROL, 'A');
  EXPECT_EQ(Grid->GridSelection()->Kind(), gstAll);
  hl::PressKeys(win::MOD_CONTROL, win::VK_DELETE);
  EXPECT_EQ(Records(), Table{});
  hl::PressKeys(win::MOD_CONTROL, 'V');
  EXPECT_EQ(Records(), (Table{{"a1", "b1", "c1"}}));
}

}  // namespace
