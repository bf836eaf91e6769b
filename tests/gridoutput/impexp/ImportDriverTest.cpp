// The import driver: which records and columns take the pasted rows for each selection
// kind and dataset state, appending what is left, and the question after a failed cell.
#include "tests/support/ImpExpFixture.h"

namespace {

using Table = std::vector<std::vector<std::string>>;

class ImportDriverTest : public ImpExpTest {
protected:
  // Five records r1..r5 of columns A, B, C.
  void FiveRecords() {
    std::vector<Cells> Rows;
    for (int R = 1; R <= 5; ++R) {
      const std::string N = std::to_string(R);
      Rows.push_back({"a" + N, "b" + N, "c" + N});
    }
    TextGrid(3, Rows);
  }
  void Paste(const std::string& Text, bool All = false) { Import(TDBGridGxImportAsText::StaticClass(), Text, All); }
  static std::vector<std::string> R(int N) {
    const std::string S = std::to_string(N);
    return {"a" + S, "b" + S, "c" + S};
  }
};

TEST_F(ImportDriverTest, WithoutASelectionRowsGoFromTheCurrentCellOnAndTheRestIsAppendedWhenAllowed) {
  for (const bool Append : {true, false}) {
    FiveRecords();
    if (!Append) Grid->SetAllowedOperations(Grid->AllowedOperations() - alopAppendGx);
    GoTo(3);
    Grid->SelectDataColumn(1);
    Paste("p\tq\tdropped\nr\ts\nt\tu");
    Table Expected{R(1), R(2), R(3), {"a4", "p", "q"}, {"a5", "r", "s"}};
    if (Append) Expected.push_back({"<null>", "t", "u"});
    EXPECT_EQ(Records(), Expected) << (Append ? "appending" : "not appending");
  }
}

TEST_F(ImportDriverTest, AnInsertedRecordOrAnEmptyDatasetTakesNewRecordsOnly) {
  FiveRecords();
  GoTo(1);
  Data->Insert();
  Paste("n1\tm1\nn2\tm2");
  EXPECT_EQ(Records().size(), 7u) << "two new records, nothing overwritten";
  EXPECT_EQ(Records()[1], (std::vector<std::string>{"n1", "m1", "<null>"}));
  EXPECT_EQ(Records()[2], (std::vector<std::string>{"n2", "m2", "<null>"}));
  EXPECT_EQ(Records()[3], R(2));

  TextGrid(2, {});
  Paste("e1\tf1\ne2\tf2\ne3\tf3");
  EXPECT_EQ(Records(), (Table{{"e1", "f1"}, {"e2", "f2"}, {"e3", "f3"}}));
}

TEST_F(ImportDriverTest, EachSelectionKindTakesItsRecordsAndColumns) {
  struct Case {
    const char* Name;
    std::function<void()> Select;
    std::string Text;
    Table Expected;
  };
  const std::vector<Case> Cases{
      {"selected rows in their stored order; surplus rows ignored",
       [&] { SelectRows({4, 0, 2}); },
       "x1\nx2\nx3\nx4\nx5",
       {{"x1", "b1", "c1"}, R(2), {"x2", "b3", "c3"}, R(4), {"x3", "b5", "c5"}}},
      {"a rectangle's rows and visible columns; rows beyond the source unchanged",
       [&] { SelectRect(1, 1, 2, 2); },
       "p\tq\tdropped",
       {R(1), {"a2", "p", "q"}, R(3), R(4), R(5)}},
      {"a rectangle stops at its last row", [&] { SelectRect(0, 0, 0, 1); }, "p\nq\nr",
       {{"p", "b1", "c1"}, {"q", "b2", "c2"}, R(3), R(4), R(5)}},
      {"selected columns, every record from the first", [&] { SelectColumns({2}); }, "p\nq",
       {{"a1", "b1", "p"}, {"a2", "b2", "q"}, R(3), R(4), R(5)}},
      {"all: shown columns from the first record", [&] { Grid->GridSelection()->SelectAll(); }, "p\tq\nr",
       {{"p", "q", "c1"}, {"r", "b2", "c2"}, R(3), R(4), R(5)}},
  };
  for (const Case& C : Cases) {
    FiveRecords();
    GoTo(3);
    C.Select();
    Paste(C.Text);
    EXPECT_EQ(Records(), C.Expected) << C.Name;
  }
  FiveRecords();
  GoTo(3);
  Grid->SelectDataColumn(2);
  SelectRows({1});
  Paste("p\tq", true);
  EXPECT_EQ(Records()[0], (std::vector<std::string>{"p", "q", "c1"})) << "importing all starts at the first cell";
}

TEST_F(ImportDriverTest, TheGridShowsTheSameRowsAfterOverwriting) {
  std::vector<Cells> Rows;
  for (int I = 0; I < 60; ++I) Rows.push_back({"r" + std::to_string(I)});
  TextGrid(1, Rows);
  GoTo(30);
  const int Top = Grid->TopRow(), Current = Grid->Row();
  SelectRows({2, 50});
  GoTo(30);
  Paste("x\ny");
  EXPECT_EQ(Grid->TopRow(), Top);
  EXPECT_EQ(Grid->Row(), Current);
  EXPECT_EQ(Data->FieldByName("A")->AsString(), "r30");
}

class ImportQuestionTest : public ImportDriverTest {
protected:
  // Integer column N of four records 1..4; pasting texts into it.
  void Numbers() { MakeGrid({{"N", ftInteger}}, {{"1"}, {"2"}, {"3"}, {"4"}}); }
  std::size_t Questions() { return win::headless::MessageBoxes().size() - Before; }
  const std::size_t Before = win::headless::MessageBoxes().size();
};

TEST_F(ImportQuestionTest, YesSkipsTheCellNoStopsAllSkipsTheRestOfThisImportOnly) {
  Numbers();
  win::headless::QueueMessageBoxAnswer(win::IDYES);
  win::headless::QueueMessageBoxAnswer(win::IDALL);
  Paste("x\n20\ny\nz");
  EXPECT_EQ(Records(), (Table{{"1"}, {"20"}, {"3"}, {"4"}}));
  ASSERT_EQ(Questions(), 2u) << "All answered: no question for z";
  const std::string& First = win::headless::MessageBoxes()[Before].Text;
  EXPECT_EQ(First.rfind("插入值过程中出错:\n", 0), 0u) << First;
  EXPECT_NE(First.find("'x'"), std::string::npos) << First;
  EXPECT_EQ(First.substr(First.size() - 15), "\n\n忽略错误?");

  win::headless::QueueMessageBoxAnswer(win::IDYES);
  Paste("q");
  EXPECT_EQ(Questions(), 3u) << "a new import asks again";

  win::headless::QueueMessageBoxAnswer(win::IDNO);
  GoTo(0);
  EXPECT_THROW(Paste("10\nbad\n30"), EAbort);
  EXPECT_EQ(Records(), (Table{{"10"}, {"20"}, {"3"}, {"4"}})) << "rows before the failing cell stay";
  EXPECT_FALSE(Data->ControlsDisabled());
}

}  // namespace
