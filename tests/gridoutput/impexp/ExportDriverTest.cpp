// The export driver: the rows and columns each selection kind exports, titles, footers
// summed over the exported rows, the cell-parameter events, and the grid's view after.
#include "tests/support/ImpExpFixture.h"

namespace {

class ExportDriverTest : public ImpExpTest {
protected:
  std::string Tab(bool All = false) { return Export(TDBGridGxExportAsText::StaticClass(), All); }
};

TEST_F(ExportDriverTest, EachSelectionKindExportsItsRowsAndColumns) {
  TextGrid(4, {{"a1", "b1", "c1", "d1"}, {"a2", "b2", "c2", "d2"}, {"a3", "b3", "c3", "d3"}});
  Grid->Columns()->ColumnAt(2)->SetVisible(false);  // C is hidden
  struct Case {
    const char* Name;
    std::function<void()> Select;
    bool All;
    std::string Expected;
  };
  const std::vector<Case> Cases{
      {"nothing selected writes nothing", [&] { Grid->GridSelection()->Reset(); }, false, ""},
      {"ExportAll ignores the selection", [&] { Grid->GridSelection()->Reset(); }, true,
       "A\tB\tD\r\na1\tb1\td1\r\na2\tb2\td2\r\na3\tb3\td3"},
      {"rows in their stored order, shown columns", [&] { SelectRows({2, 0}); }, false,
       "A\tB\tD\r\na1\tb1\td1\r\na3\tb3\td3"},
      {"a rectangle exports only its visible columns", [&] { SelectRect(1, 1, 3, 2); }, false,
       "B\tD\r\nb2\td2\r\nb3\td3"},
      {"the selected columns as the selection lists them", [&] { SelectColumns({3, 0}); }, false,
       "A\tD\r\na1\td1\r\na2\td2\r\na3\td3"},
      {"all", [&] { Grid->GridSelection()->SelectAll(); }, false, "A\tB\tD\r\na1\tb1\td1\r\na2\tb2\td2\r\na3\tb3\td3"},
  };
  for (const Case& C : Cases) {
    C.Select();
    EXPECT_EQ(Tab(C.All), C.Expected) << C.Name;
  }
  Grid->SetOptions(Grid->Options() - dgTitles);
  SelectRect(0, 0, 1, 0);
  EXPECT_EQ(Tab(), "a1\tb1") << "no title row without dgTitles";
}

class ExportFootersTest : public ExportDriverTest {
protected:
  // Qty 1, 2, null, 10; Price 1.25, 2.5, null, 100.
  void MakeFooterGrid() {
    MakeGrid({{"Qty", ftInteger}, {"Price", ftFloat}},
             {{"1", "1.25"}, {"2", "2.5"}, {std::nullopt, std::nullopt}, {"10", "100"}});
    Grid->SetFooterRowCount(3);
    for (int C = 0; C < 2; ++C) {
      TColumnGx* Column = Grid->Columns()->ColumnAt(C);
      const TFooterValueType Types[] = {fvtSum, fvtCount, fvtAvg};
      for (int R = 0; R < 3; ++R) Column->Footers()->Add();
      for (int R = 0; R < 3; ++R)
        static_cast<TColumnFooterGx*>(Column->Footers()->Items(R))->SetValueType(Types[R]);
    }
    Grid->SumList()->SetActive(true);
  }
};

TEST_F(ExportFootersTest, SumsAndCountsCoverTheExportedRowsAverageTheWholeData) {
  MakeFooterGrid();
  SelectRows({0, 1, 2});
  const std::string Out = Tab();
  // Title, three rows, then the sum, count and average rows.
  const std::string Footers = Out.substr(Out.find("\r\n\t\r\n") + 5);
  EXPECT_EQ(Footers, "3\t3.75\r\n3\t3\r\n4\t34.5833") << Out;
  Grid->SetFooterRowCount(0);
  EXPECT_EQ(Tab(), "Qty\tPrice\r\n1\t1.25\r\n2\t2.5\r\n\t") << "no footer rows";
}

TEST_F(ExportFootersTest, BothCellEventsAndTheFooterEventShapeTheCells) {
  MakeFooterGrid();
  Grid->SetFooterRowCount(1);
  int GridCalls = 0;
  Grid->SetOnGetCellParams([&](TObject*, TColumnGx*, TFont*, TColor& Background, TGridDrawState) {
    ++GridCalls;
    Background = clRed;
  });
  Grid->Columns()->ColumnAt(1)->SetOnGetCellParams([](TObject*, bool EditMode, TColCellParamsGx* Params) {
    EXPECT_FALSE(EditMode);
    EXPECT_EQ(Params->Background, clRed) << "the grid's event runs first";
    Params->Text = "<" + Params->Text + ">";
  });
  Grid->SetOnGetFooterParams([](TObject*, int DataCol, int Row, TColumnGx*, TFont*, TColor&, TAlignment&,
                                TGridDrawState, std::string& Text) {
    Text = std::to_string(DataCol) + ":" + std::to_string(Row) + "=" + Text;
  });
  SelectRows({3});
  EXPECT_EQ(Tab(), "Qty\tPrice\r\n10\t<100>\r\n0:0=10\t1:0=100");
  EXPECT_EQ(GridCalls, 2);
}

TEST_F(ExportDriverTest, TheGridShowsTheSameRowsAfterAnExportAlsoAfterAnError) {
  std::vector<Cells> Rows;
  for (int I = 0; I < 60; ++I) Rows.push_back({"r" + std::to_string(I)});
  TextGrid(1, Rows);
  GoTo(30);
  const int Top = Grid->TopRow(), Current = Grid->Row();
  const std::string Here = Data->Bookmark();
  Grid->GridSelection()->SelectAll();
  const std::string All = Tab();
  EXPECT_EQ(std::count(All.begin(), All.end(), '\n'), 60);
  EXPECT_EQ(Data->Bookmark(), Here);
  EXPECT_EQ(Grid->TopRow(), Top);
  EXPECT_EQ(Grid->Row(), Current);

  Grid->Columns()->ColumnAt(0)->SetOnGetCellParams([](TObject*, bool, TColCellParamsGx* Params) {
    if (Params->Text == "r40") throw Exception("event failed");
  });
  EXPECT_THROW(Tab(), Exception);
  EXPECT_EQ(Data->Bookmark(), Here);
  EXPECT_EQ(Grid->TopRow(), Top);
  EXPECT_FALSE(Data->ControlsDisabled());
}

TEST_F(ExportDriverTest, WriteToFileWritesTheFileAndReportsOneThatCannotBeMade) {
  TextGrid(2, {{"x", "y"}});
  Grid->GridSelection()->SelectAll();
  TDBGridGxExportAsCSV Exporter;
  Exporter.SetGrid(Grid);
  const std::string Path = ::testing::TempDir() + "/impexp_export.csv";
  Exporter.WriteToFile(Path, false);
  std::ifstream In(Path, std::ios::binary);
  std::stringstream Got;
  Got << In.rdbuf();
  EXPECT_EQ(Got.str(), "\"A\";\"B\"\r\n\"x\";\"y\"");
  std::remove(Path.c_str());
  EXPECT_THROW(Exporter.WriteToFile(::testing::TempDir() + "/no/such/dir/x.csv", false), EFCreateError);
}

}  // namespace

TEST_F(ExportDriverTest, AMoneyColumnExportsItsFieldsTextWhateverTheGridDraws) {
  MakeGrid({{"Amount", ftFloat}}, {{"1234.5"}, {std::nullopt}});
  Grid->Columns()->ColumnAt(0)->SetIsCurrency(true);
  EXPECT_EQ(Tab(true), "Amount\r\n1234.5\r\n");
  Grid->SetDrawCurrency(true);
  EXPECT_EQ(Tab(true), "Amount\r\n1234.5\r\n") << "exported values read back as they were";
}
