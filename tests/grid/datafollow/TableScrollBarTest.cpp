// A grid over a large SQLite table: the table numbers its rows, so the vertical bar is
// proportional and a thumb drop shows the rows where it was dropped.
#include <algorithm>

#include "platform/data/ADODB.h"
#include "tests/platform/data/SQLiteFixture.h"
#include "tests/support/DataFollowFixture.h"
#include "tests/support/RepaintRecord.h"
#include "tests/support/WindowScrollBars.h"

namespace {

constexpr int Rows = 50000;

class TableScrollBarTest : public DataFollowTest {
protected:
  void SetUp() override {
    DataFollowTest::SetUp();
    Db.Exec("CREATE TABLE Big (ID INTEGER PRIMARY KEY, Name TEXT(20));"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
            "INSERT INTO Big (ID, Name) SELECT i, 'row ' || i FROM n;");
    auto* Conn = new TADOConnection(Form.get());
    Conn->SetLoginPrompt(false);
    Conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Db.Path);
    Table = new TADOTable(Form.get());
    Table->SetConnection(Conn);
    Table->SetTableName("Big");
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Table);
    Grid = NewGrid();
    Grid->SetBounds(10, 10, 300, 300);
    Grid->SetDataSource(Source);
    Table->Open();
    DataSet = Table;
    Settle();
  }
  // The texts the grid shows.
  std::vector<std::string> Shown() {
    std::vector<std::string> Texts;
    for (const win::DrawOp& Op : RepaintAndRecord(Grid->Handle())) Texts.push_back(Op.text);
    return Texts;
  }
  static bool Has(const std::vector<std::string>& Texts, const std::string& Text) {
    return std::find(Texts.begin(), Texts.end(), Text) != Texts.end();
  }

  TTempDatabase Db;
  TADOTable* Table = nullptr;
};

TEST_F(TableScrollBarTest, TheBarIsProportionalAndADropShowsTheRowsWhereItLands) {
  const int Page = Grid->VisibleDataRowCount();
  ASSERT_GT(Page, 5);
  EXPECT_EQ(VertInfo(), (BarInfo{1, Rows + Page - 1, Page, 1}));
  win::RECT W{};
  win::GetWindowRect(Grid->Handle(), &W);
  const win::ScrollBarLayout Bar = BarLayout(Grid->Handle(), win::SB_VERT);
  DragVertThumbTo(Grid->Handle(), W.top + (Bar.Track.top + Bar.Track.bottom) / 2);
  // A pixel of the track stands for this many records.
  const int PerPixel = Rows / (Bar.Track.bottom - Bar.Track.top) + 1;
  const int RecNo = Table->RecNo();
  EXPECT_NEAR(RecNo, Rows / 2, 2 * PerPixel);
  EXPECT_EQ(Table->FieldByName("ID")->AsInteger(), RecNo);
  EXPECT_EQ(VertInfo().Pos, RecNo);
  // The rows shown are those around the record dropped on, in order.
  const int First = RecNo - Grid->GridLink()->ActiveRecord();
  const std::vector<std::string> Texts = Shown();
  for (int R = First; R < First + Page; ++R) EXPECT_TRUE(Has(Texts, "row " + std::to_string(R))) << R;
  EXPECT_FALSE(Has(Texts, "row 1"));
  EXPECT_FALSE(Has(Texts, "row " + std::to_string(First + Page)));
  // The end of the track is the last row.
  DragVertThumbTo(Grid->Handle(), W.top + Bar.Track.bottom - 1);
  EXPECT_EQ(Table->RecNo(), Rows);
  EXPECT_TRUE(Has(Shown(), "row " + std::to_string(Rows)));
}

}  // namespace
