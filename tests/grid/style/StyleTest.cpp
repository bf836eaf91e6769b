// The grid colour style: blending, its grid list and its notify window.
#include <gtest/gtest.h>

#include <vector>

#include "grid/DBGridGx/Style.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Headless.h"

namespace {

class StyleTest : public ::testing::Test {
protected:
  void SetUp() override { win::headless::Reset(); }
  void TearDown() override { win::headless::Reset(); }
};

TEST_F(StyleTest, BlendColorChannelsAndRounding) {
  const struct {
    const char* Name;
    TColor Color, Glass;
    bool Contrast;
    TColor Expected;
  } cases[] = {
      {"white through blue, contrast", clWhite, clBlue, true, TColor(win::RGB(202, 202, 255))},
      {"black through black", clBlack, clBlack, false, TColor(win::RGB(135, 135, 135))},
      {"white through white", clWhite, clWhite, false, TColor(win::RGB(237, 237, 237))},
      // 138.5 and 139.5: halves round to the even neighbour.
      {"half rounds down to even", clBlack, TColor(win::RGB(1, 0, 0)), true, TColor(win::RGB(138, 138, 138))},
      {"half rounds up to even", clBlack, TColor(win::RGB(5, 0, 0)), true, TColor(win::RGB(140, 138, 138))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(TDBGridGxStyle::BlendColor(c.Color, c.Glass, c.Contrast), c.Expected);
  }
  // A system colour blends as its RGB value.
  EXPECT_EQ(TDBGridGxStyle::BlendColor(clBlack, clHighlight, false),
            TDBGridGxStyle::BlendColor(clBlack, TColor(ColorToRGB(clHighlight)), false));
}

struct FakeGrid : IDBGridGxStyleClient {
  TDBGridGxStyle* Style = nullptr;
  std::vector<TDBGridGxStyle*>* Log = nullptr;
  void SetGridStyle(TDBGridGxStyle* Value) override {
    if (Style) Style->RemoveGrid(this);
    Style = Value ? Value : DefaultGridStyle();
    if (Style) Style->AddGrid(this);
    if (Log) Log->push_back(Style);
  }
};

TEST_F(StyleTest, FreeingTheDefaultStyleLeavesItsGridsWithoutStyle) {
  auto* Style = new TDBGridGxStyle;
  SetDefaultGridStyle(Style);
  FakeGrid A, B;
  A.SetGridStyle(nullptr);
  B.SetGridStyle(nullptr);
  A.SetGridStyle(Style);  // joining twice keeps one entry
  Style->AddGrid(&A);
  EXPECT_EQ(Style->GridCount(), 2);
  delete Style;
  EXPECT_EQ(DefaultGridStyle(), nullptr);
  EXPECT_EQ(A.Style, nullptr);
  EXPECT_EQ(B.Style, nullptr);
}

TEST_F(StyleTest, FreeingAnotherStyleMovesItsGridsToTheDefault) {
  TDBGridGxStyle Default;
  SetDefaultGridStyle(&Default);
  auto* Own = new TDBGridGxStyle;
  FakeGrid A;
  A.SetGridStyle(Own);
  EXPECT_TRUE(Own->HasGrid(&A));
  delete Own;
  EXPECT_EQ(A.Style, &Default);
  EXPECT_TRUE(Default.HasGrid(&A));
  A.SetGridStyle(nullptr);
  Default.RemoveGrid(&A);
  SetDefaultGridStyle(nullptr);
}

class CountingStyle : public TDBGridGxStyle {
  VANTREL_CLASS(CountingStyle, TDBGridGxStyle)
public:
  int Reads = 0;
  bool Fail = false;

protected:
  void ReadScreenColors() override {
    ++Reads;
    if (Fail) throw Exception("no screen");
    TDBGridGxStyle::ReadScreenColors();
  }
};

TEST_F(StyleTest, SystemColourChangeRereadsTheScreen) {
  TDBGridGxStyle Style;
  EXPECT_TRUE(Style.LightenSelection());
  EXPECT_EQ(Style.ScreenColorCount(), -1);
  EXPECT_TRUE(Style.TrueColorScreen());

  CountingStyle Counting;
  const int AtStart = Counting.Reads;  // the base constructor reads with its own routine
  win::SendMessage(Counting.NotifyWindow(), win::WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(Counting.Reads, AtStart + 1);
  // Other messages go to the default window procedure.
  EXPECT_EQ(win::SendMessage(Counting.NotifyWindow(), win::WM_NULL, 0, 0), 0);
  EXPECT_EQ(Counting.Reads, AtStart + 1);

  // A failure while reading goes to the application's exception handling.
  std::string Shown;
  Application->SetOnException([&](TObject*, const Exception& E) { Shown = E.Message(); });
  Counting.Fail = true;
  win::SendMessage(Counting.NotifyWindow(), win::WM_SYSCOLORCHANGE, 0, 0);
  Counting.Fail = false;
  Application->SetOnException(nullptr);
  EXPECT_EQ(Shown, "no screen");
}

}  // namespace
