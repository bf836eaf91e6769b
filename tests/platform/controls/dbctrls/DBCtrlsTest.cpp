// The navigator and the data-aware memo on a client dataset.
#include "platform/controls/DBCtrls.h"
#include "platform/data/DBClient.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/platform/controls/ControlsFixture.h"
#include "tests/support/RepaintRecord.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

class DBCtrlsTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Form = new TForm(nullptr);
    Form->SetBounds(50, 50, 400, 300);
    Data = new TClientDataSet(Form);
    Data->SetName("Data");
    Data->FieldDefs().Add("Content", ftMemo);
    Data->CreateDataSet();
    for (const char* text : {"one", "二", "three"}) {
      Data->Append();
      Data->FieldByName("Content")->SetAsString(text);
      Data->Post();
    }
    Data->First();
    Source = new TDataSource(Form);
    Source->SetAutoEdit(false);
    Source->SetDataSet(Data);
    Nav = new TDBNavigator(Form);
    Nav->SetParent(Form);
    Nav->SetDataSource(Source);
    Memo = new TDBMemo(Form);
    Memo->SetParent(Form);
    Memo->SetBounds(8, 60, 200, 100);
    Memo->SetDataSource(Source);
    Memo->SetDataField("Content");
    Form->Show();
  }
  void TearDown() override {
    Form->Free();
    ControlsTest::TearDown();
  }
  std::string Current() { return Data->FieldByName("Content")->AsString(); }

  TForm* Form = nullptr;
  TClientDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
  TDBNavigator* Nav = nullptr;
  TDBMemo* Memo = nullptr;
};

TEST_F(DBCtrlsTest, ButtonsFollowThePositionAndState) {
  struct Step {
    TNavigateBtn Click;
    const char* Record;
    bool First, Next, Edit, Post;
  };
  const Step steps[] = {
      {nbFirst, "one", false, true, true, false},   {nbNext, "二", true, true, true, false},
      {nbEdit, "二", true, true, false, true},       {nbCancel, "二", true, true, true, false},
      {nbLast, "three", true, false, true, false},  {nbPrior, "二", true, true, true, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(static_cast<int>(s.Click));
    Nav->BtnClick(s.Click);
    EXPECT_EQ(Current(), s.Record);
    EXPECT_EQ(Memo->Text(), s.Record);
    EXPECT_EQ(Nav->Buttons(nbFirst)->Enabled(), s.First);
    EXPECT_EQ(Nav->Buttons(nbNext)->Enabled(), s.Next);
    EXPECT_EQ(Nav->Buttons(nbEdit)->Enabled(), s.Edit);
    EXPECT_EQ(Nav->Buttons(nbPost)->Enabled(), s.Post);
  }
}

TEST_F(DBCtrlsTest, DeleteAsksFirstAndCancelKeepsTheRecord) {
  Nav->BtnClick(nbNext);
  win::headless::QueueMessageBoxAnswer(win::IDCANCEL);
  Nav->BtnClick(nbDelete);
  EXPECT_EQ(Data->RecordCount(), 3);
  EXPECT_EQ(win::headless::MessageBoxes().size(), 1u);
  win::headless::QueueMessageBoxAnswer(win::IDOK);
  Nav->BtnClick(nbDelete);
  EXPECT_EQ(Data->RecordCount(), 2);
  EXPECT_EQ(Current(), "three");  // the next record becomes current
}

TEST_F(DBCtrlsTest, MemoEditsOnlyAfterTheNavigatorStartsEditing) {
  Memo->SetFocus();
  win::headless::TypeText("x");
  EXPECT_EQ(Data->State(), dsBrowse);  // AutoEdit is off: typing changes nothing
  EXPECT_EQ(Memo->Text(), "one");

  Nav->BtnClick(nbEdit);
  Memo->SetFocus();
  win::headless::TypeText("!");
  Nav->BtnClick(nbPost);
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_NE(Current().find('!'), std::string::npos);
  EXPECT_EQ(Memo->Text(), Current());
}

// Ctrl+Z after moving to another record must not bring back the text typed into the
// previous one (it would be posted into the wrong record).
TEST_F(DBCtrlsTest, UndoDoesNotCarryTextIntoAnotherRecord) {
  Nav->BtnClick(nbEdit);
  Memo->SetFocus();
  win::headless::TypeText("!");
  Nav->BtnClick(nbPost);
  Nav->BtnClick(nbNext);
  Nav->BtnClick(nbEdit);
  Memo->SetFocus();
  win::SendMessage(Memo->Handle(), win::WM_CHAR, 26, 0);  // Ctrl+Z
  EXPECT_EQ(Memo->Text(), "二");
  Nav->BtnClick(nbPost);
  EXPECT_EQ(Current(), "二");

  win::headless::TypeText("?");  // an edit of this record can still be undone
  win::SendMessage(Memo->Handle(), win::WM_CHAR, 26, 0);
  EXPECT_EQ(Memo->Text(), "二");
}

// A change handler that fails while the memo loads a record leaves it following the
// records that come after.
TEST_F(DBCtrlsTest, MemoKeepsFollowingTheRecordsAfterAFailingChangeHandler) {
  bool fail = true;
  Memo->SetOnChange([&](TObject*) {
    if (fail) throw Exception("refused");
  });
  EXPECT_THROW(Data->Next(), Exception);
  fail = false;
  Data->Next();
  EXPECT_EQ(Memo->Text(), "three");
  Data->First();
  EXPECT_EQ(Memo->Text(), "one");
  Memo->SetOnChange(nullptr);
}

// The glyph polygons one button drew, taken from what the navigator drew (its client
// coordinates), relative to the button's corner.
std::vector<std::vector<win::POINT>> GlyphOf(const std::vector<win::DrawOp>& ops, TNavButton* b) {
  std::vector<std::vector<win::POINT>> shapes;
  for (const win::DrawOp& op : ops) {
    bool inside = std::all_of(op.points.begin(), op.points.end(), [&](const win::POINT& p) {
      return p.x >= b->Left() && p.x < b->Left() + b->Width() && p.y >= b->Top() && p.y < b->Top() + b->Height();
    });
    if (!inside) continue;
    shapes.push_back(op.points);
    for (win::POINT& p : shapes.back()) p = {p.x - b->Left(), p.y - b->Top()};
  }
  return shapes;
}

TEST_F(DBCtrlsTest, ButtonsDrawTheirGlyphsAsShapes) {
  Nav->BtnClick(nbNext);  // every moving button enabled
  std::vector<win::DrawOp> texts = RepaintAndRecord(Nav->Handle(), win::DrawKind::Text);
  EXPECT_TRUE(texts.empty()) << texts.front().text;
  std::vector<win::DrawOp> ops = RepaintAndRecord(Nav->Handle(), win::DrawKind::Polygon);

  // Which way a triangle points: the side its one extreme vertex lies on.
  enum Points { Any, Left, Right, Up };
  auto pointing = [](std::vector<win::POINT> t) {
    auto byX = [](win::POINT a, win::POINT b) { return a.x < b.x; };
    std::sort(t.begin(), t.end(), byX);
    if (t[0].x < t[1].x && t[1].x == t[2].x) return Left;
    if (t[0].x == t[1].x && t[1].x < t[2].x) return Right;
    std::sort(t.begin(), t.end(), [](win::POINT a, win::POINT b) { return a.y < b.y; });
    if (t[0].y < t[1].y && t[1].y == t[2].y) return Up;
    return Any;
  };
  struct Case {
    TNavigateBtn button;
    size_t shapes;
    Points triangle;  // the glyph's triangle, where it has one
    bool barFirst;    // a bar beside the triangle: before it (true) or after it
  };
  const Case cases[] = {
      {nbFirst, 2, Left, true}, {nbPrior, 1, Left, false},  {nbNext, 1, Right, false}, {nbLast, 2, Right, false},
      {nbInsert, 1, Any, false}, {nbDelete, 1, Any, false}, {nbEdit, 1, Up, false},    {nbPost, 1, Any, false},
      {nbCancel, 1, Any, false}, {nbRefresh, 1, Any, false},
  };
  std::set<std::vector<std::pair<int, int>>> distinct;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.button));
    TNavButton* b = Nav->Buttons(c.button);
    auto shapes = GlyphOf(ops, b);
    ASSERT_EQ(shapes.size(), c.shapes);
    std::vector<std::pair<int, int>> all;
    for (const auto& shape : shapes) {
      EXPECT_GE(shape.size(), 3u);
      for (win::POINT p : shape) all.push_back({p.x, p.y});
    }
    distinct.insert(all);
    // Centred on the button, well inside its edges.
    auto [minX, maxX] = std::minmax_element(all.begin(), all.end());
    EXPECT_NEAR(minX->first + maxX->first, b->Width(), 2);
    EXPECT_GE(minX->first, 3);
    if (c.triangle == Any) continue;
    const auto& triangle = *std::find_if(shapes.begin(), shapes.end(), [](auto& s) { return s.size() == 3; });
    EXPECT_EQ(pointing(triangle), c.triangle);
    if (c.shapes == 2) {
      const auto& bar = *std::find_if(shapes.begin(), shapes.end(), [](auto& s) { return s.size() == 4; });
      auto barX = std::minmax_element(bar.begin(), bar.end(), [](auto a, auto b) { return a.x < b.x; });
      auto triX = std::minmax_element(triangle.begin(), triangle.end(), [](auto a, auto b) { return a.x < b.x; });
      if (c.barFirst)
        EXPECT_LT(barX.second->x, triX.first->x);
      else
        EXPECT_GT(barX.first->x, triX.second->x);
    }
  }
  EXPECT_EQ(distinct.size(), std::size(cases)) << "each button has a glyph of its own";
}

TEST_F(DBCtrlsTest, GlyphsAreGreyedWhenDisabledAndMoveWhenPressed) {
  // On the first record First is disabled and Next enabled.
  std::vector<win::DrawOp> ops = RepaintAndRecord(Nav->Handle(), win::DrawKind::Polygon);
  for (auto [button, color] : {std::pair{nbFirst, clGrayText}, std::pair{nbNext, clBtnText}}) {
    TNavButton* b = Nav->Buttons(button);
    for (const win::DrawOp& op : ops)
      if (op.points.front().x >= b->Left() && op.points.front().x < b->Left() + b->Width()) {
        EXPECT_EQ(op.color, ColorToRGB(color)) << static_cast<int>(button);
        EXPECT_EQ(op.brushStyle, win::BS_SOLID);
      }
  }

  TNavButton* next = Nav->Buttons(nbNext);
  auto up = GlyphOf(ops, next);
  win::POINT p = Center(next);
  win::headless::MouseDown(win::headless::MouseButton::Left, p.x, p.y);
  auto down = GlyphOf(RepaintAndRecord(Nav->Handle(), win::DrawKind::Polygon), next);
  win::headless::MouseUp(win::headless::MouseButton::Left, p.x, p.y);
  ASSERT_EQ(up.size(), 1u);
  ASSERT_EQ(down.size(), 1u);
  ASSERT_EQ(up[0].size(), down[0].size());
  for (size_t i = 0; i < up[0].size(); ++i) {
    EXPECT_EQ(down[0][i].x, up[0][i].x + 1);
    EXPECT_EQ(down[0][i].y, up[0][i].y + 1);
  }
}

}  // namespace
