// Reading tab-separated text into a grid: cells and rows, quoted cells, line ends, the
// format error, and the key-list and lookup conversions.
#include "resources/forms/FormDescriptions.h"
#include "tests/support/ImpExpFixture.h"

namespace {

using Table = std::vector<std::vector<std::string>>;

class ImportTextTest : public ImpExpTest {
protected:
  void Paste(const std::string& Text) { Import(TDBGridGxImportAsText::StaticClass(), Text); }
};

TEST_F(ImportTextTest, CellsRowsQuotesAndLineEnds) {
  struct Case {
    const char* Name;
    std::string Text;
    Table Expected;
  };
  const Table Before{{"x1", "y1", "z1"}, {"x2", "y2", "z2"}};
  const std::vector<Case> Cases{
      {"every cell a TAB ends is written, empty ones too", "a\t\tb", {{"a", "<null>", "b"}, Before[1]}},
      {"a line ending in TAB leaves the next column", "a\t\r\nc", {{"a", "y1", "z1"}, {"c", "y2", "z2"}}},
      {"LF alone ends a row as CR LF does", "a\nb\r\nc",
       {{"a", "y1", "z1"}, {"b", "y2", "z2"}, {"c", "<null>", "<null>"}}},
      {"an empty line still takes a record", "\r\nq", {Before[0], {"q", "y2", "z2"}}},
      {"cells past the columns are dropped", "a\tb\tc\td\te", {{"a", "b", "c"}, Before[1]}},
      {"quoted cells keep TAB, line breaks and doubled quotes",
       "\"t\tab\"\t\"two\r\nlines\"\t\"say \"\"hi\"\"\"\n\"lf\nonly\"",
       {{"t\tab", "two\r\nlines", "say \"hi\""}, {"lf\nonly", "y2", "z2"}}},
      {"a quote that never closes is plain text", "\"open\tb\nc", {{"\"open", "b", "z1"}, {"c", "y2", "z2"}}},
      {"a quote inside a cell is plain text", "5\" disk\tb", {{"5\" disk", "b", "z1"}, Before[1]}},
      {"nothing to paste changes nothing", "", Before},
  };
  for (const Case& C : Cases) {
    TextGrid(3, {{"x1", "y1", "z1"}, {"x2", "y2", "z2"}});
    Paste(C.Text);
    EXPECT_EQ(Records(), C.Expected) << C.Name;
  }
}

// Cells, TABs and line ends falling across the reads of the stream arrive whole.
TEST_F(ImportTextTest, CellsAcrossTheReadsOfTheStreamStayWhole) {
  Table Expected;
  std::string Text;
  for (int Row = 0; Row < 80; ++Row) {
    std::vector<std::string> Cells;
    for (int Col = 0; Col < 3; ++Col) {
      const std::string Cell = std::to_string(Row) + std::string(static_cast<std::size_t>((Row * 37 + Col * 11) % 190), 'a' + Col);
      Text += (Col ? "\t" : "") + Cell;
      Cells.push_back(Cell);
    }
    Expected.push_back(Cells);
    if (Row < 79) Text += Row % 2 ? "\n" : "\r\n";
  }
  ASSERT_GT(Text.size(), 3 * 4096u);
  TextGrid(3, {{"x1", "y1", "z1"}, {"x2", "y2", "z2"}});
  Paste(Text);
  EXPECT_EQ(Records(), Expected);
}

TEST_F(ImportTextTest, ALoneCrEndsTheImportWithTheFormatErrorRowsBeforeStay) {
  for (const std::string Text : {"ok\r\nbad\rx", "ok\r\nbad\r"}) {
    TextGrid(1, {{"x1"}, {"x2"}});
    try {
      Paste(Text);
      ADD_FAILURE() << "no error";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "TDBGridGxImportAsText.CheckState: 错误的文本格式");
    }
    EXPECT_EQ(Records(), (Table{{"ok"}, {"x2"}}));
    EXPECT_FALSE(Data->ControlsDisabled());
  }
}

TEST_F(ImportTextTest, ATitleLineIsWrittenLikeAnyOtherRow) {
  TextGrid(2, {{"x1", "y1"}, {"x2", "y2"}});
  Grid->GridSelection()->SelectAll();
  const std::string Text = Export(TDBGridGxExportAsText::StaticClass());
  Grid->GridSelection()->Reset();
  Paste(Text);
  EXPECT_EQ(Records(), (Table{{"A", "B"}, {"x1", "y1"}, {"x2", "y2"}}));
}

// The key column's lists as the main window's form gives them.
void MainWindowKeyLists(TStrings* Keys, TStrings* Names) {
  const std::string& Form = MainWindowDescription();
  const std::size_t Item = Form.find("FieldName = 'KeyIndex'");
  auto ReadList = [&](const char* Name, TStrings* Into) {
    std::size_t At = Form.find(Name, Item);
    const std::size_t End = Form.find(')', At);
    while ((At = Form.find('\'', At)) < End) {
      const std::size_t Close = Form.find('\'', At + 1);
      Into->Add(Form.substr(At + 1, Close - At - 1));
      At = Close + 1;
    }
  };
  ReadList("KeyList.Strings", Keys);
  ReadList("PickList.Strings", Names);
}

TEST_F(ImportTextTest, KeyNamesStoreTheirKeysAndOtherTextsAreAskedAbout) {
  MakeGrid({{"KeyIndex", ftInteger}, {"Note", ftString}}, {{"65", "a"}, {"66", "b"}, {"67", "c"}, {"68", "d"}});
  TColumnGx* Key = Grid->Columns()->ColumnAt(0);
  MainWindowKeyLists(Key->KeyList(), Key->PickList());
  ASSERT_EQ(Key->KeyList()->Count(), 103);
  ASSERT_EQ(Key->CellKind(), CellKindKeyPickList);
  const std::size_t Before = win::headless::MessageBoxes().size();
  win::headless::QueueMessageBoxAnswer(win::IDYES);
  Paste("vkF1\tx\nVKf2\ty\nvkNope\tz\n\tw");
  EXPECT_EQ(Records(), (Table{{"76", "x"}, {"77", "y"}, {"67", "z"}, {"<null>", "w"}}))
      << "a name in any case stores its key; an unknown one is skipped after the question; an empty cell clears";
  const auto& Boxes = win::headless::MessageBoxes();
  ASSERT_EQ(Boxes.size(), Before + 1);
  EXPECT_EQ(Boxes.back().Text, "插入值过程中出错:\n'vkNope' 不在列表中\n\n忽略错误?");
  EXPECT_EQ(Boxes.back().Type, win::MB_YESNOALL | win::MB_ICONERROR);
}

TEST_F(ImportTextTest, ALookupTextMustMatchAWholeNameInAnyCase) {
  LookupGrid({3, 3, 3});
  Grid->SelectDataColumn(1);
  Paste("banana\nA\nAPPLE");
  EXPECT_EQ(Records(), (Table{{"2", "Banana"}, {"3", "Cherry"}, {"1", "Apple"}}));
}

}  // namespace
