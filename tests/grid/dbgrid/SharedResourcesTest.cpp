// The grid unit's shared resources: images, fonts, cursors, shortcuts and the use count.
#include "tests/support/GridFixture.h"

namespace {

// The colour of pixel (X, Y) of image Index.
TColor ImagePixel(TImageList* List, int Index, int X, int Y) {
  TBitmap Bitmap;
  List->GetBitmap(Index, &Bitmap);
  return static_cast<TColor>(win::GetPixel(Bitmap.Canvas()->Handle(), X, Y));
}

bool ImagesEqual(TImageList* List, int A, const char* Resource, TColor Mask) {
  TBitmap Expected;
  Expected.LoadFromResourceName(nullptr, Resource);
  TImageList Single(Expected.Width(), Expected.Height());
  Single.AddMasked(&Expected, Mask);
  for (int Y = 0; Y < List->Height(); ++Y)
    for (int X = 0; X < List->Width(); ++X)
      if (ImagePixel(List, A, X, Y) != ImagePixel(&Single, 0, X, Y)) return false;
  return true;
}

TEST_F(GridTest, IndicatorImagesComeFromTheNamedBitmaps) {
  TImageList* Images = IndicatorImages();
  ASSERT_NE(Images, nullptr);
  ASSERT_EQ(Images->Count(), 7);
  TBitmap Arrow;
  Arrow.LoadFromResourceName(nullptr, "DBGARROWGX");
  EXPECT_EQ(Images->Width(), Arrow.Width());
  EXPECT_EQ(Images->Height(), Arrow.Height());
  const struct {
    int Index;
    const char* Resource;
    TColor Mask;
  } Table[] = {
      {0, "DBGARROWGX", 0xFFFFFF},   {1, "DBEDITGX", 0xFFFFFF},       {2, "DBINSERTGX", 0xFFFFFF},
      {3, "DBMULTIDOTGX", 0xFFFFFF}, {4, "DBMULTIARROWGX", 0xFFFFFF}, {5, "DBGARROWGXW", 0x808000},
  };
  for (const auto& Row : Table) EXPECT_TRUE(ImagesEqual(Images, Row.Index, Row.Resource, Row.Mask)) << Row.Resource;
  ASSERT_NE(SortMarkerImages(), nullptr);
  EXPECT_EQ(SortMarkerImages()->Count(), 2);
  EXPECT_TRUE(ImagesEqual(SortMarkerImages(), 0, "DBSMDOWNGX", 0xFF00FF));
  EXPECT_TRUE(ImagesEqual(SortMarkerImages(), 1, "DBSMUPGX", 0xFF00FF));
}

// Image 6 is the current-row arrow of "DBGARROWGXW" with its white parts on the search
// colour; a teal search colour would vanish under the list's teal mask, so it is shifted.
TEST_F(GridTest, TheSearchIndicatorShowsTheArrowOnTheSearchColour) {
  TBitmap Arrow;
  Arrow.LoadFromResourceName(nullptr, "DBGARROWGXW");
  const struct {
    TColor Search;
    win::COLORREF Expected;
  } Cases[] = {{0x00FFFF, 0x00FFFF}, {0x808000, win::RGB(0, 127, 127)}};
  for (const auto& Case : Cases) {
    SetSearchColor(Case.Search);
    BuildSearchIndicatorImage();
    ASSERT_EQ(IndicatorImages()->Count(), 7);
    int Matched = 0, White = 0;
    for (int Y = 0; Y < Arrow.Height(); ++Y)
      for (int X = 0; X < Arrow.Width(); ++X) {
        if (ColorToRGB(Arrow.Canvas()->Pixels(X, Y)) != 0xFFFFFF) continue;
        ++White;
        if (ColorToRGB(ImagePixel(IndicatorImages(), 6, X, Y)) == Case.Expected) ++Matched;
      }
    EXPECT_GT(White, 0);
    EXPECT_EQ(Matched, White) << std::hex << Case.Search;
  }
  SetSearchColor(0x00FFFF);
  BuildSearchIndicatorImage();
}

TEST_F(GridTest, SharedValuesAreSetAtStartUp) {
  ASSERT_NE(SortIndexFont(), nullptr);
  EXPECT_EQ(SortIndexFont()->Height(), -8);
  EXPECT_EQ(SortIndexFont()->Name(), "Arial");
  EXPECT_NE(DownCursorGx(), nullptr);
  EXPECT_NE(RightCursorGx(), nullptr);
  EXPECT_NE(LeftCursorGx(), nullptr);
  EXPECT_EQ(SearchShortCut(), ShortCut('F', TShiftState{ssCtrl}));
  EXPECT_EQ(SearchNextShortCut(), ShortCut(win::VK_RETURN, TShiftState{ssCtrl}));
  EXPECT_EQ(SearchPriorShortCut(), ShortCut(win::VK_RETURN, TShiftState{ssCtrl, ssShift}));
  EXPECT_EQ(PreviousValueShortCut(), ShortCut(222, TShiftState{ssCtrl}));
  EXPECT_EQ(DefaultSearchTimeout(), 1500);
  EXPECT_EQ(SearchColor(), TColor(0x00FFFF));
  EXPECT_EQ(SearchTextColor(), TColor(0));
}

TEST_F(GridTest, GridsShareTheResourcesAndTheDefaultStyle) {
  TDBGridGx* A = NewGrid("A");
  TDBGridGx* B = NewGrid("B");
  ASSERT_NE(DefaultGridStyle(), nullptr);
  EXPECT_EQ(A->GridStyle(), DefaultGridStyle());
  EXPECT_EQ(B->GridStyle(), DefaultGridStyle());
  EXPECT_EQ(DefaultGridStyle()->GridCount(), 2);
  EXPECT_NE(DBGridGxDataService(), nullptr);
  delete A;
  EXPECT_EQ(DefaultGridStyle()->GridCount(), 1);
}

TEST_F(GridTest, OnlyTheFirstStartAndTheLastEndAct) {
  TImageList* Images = IndicatorImages();
  const int Count = DBGridGxUnitUseCount();
  StartDBGridGxUnit();
  EXPECT_EQ(IndicatorImages(), Images);
  FinishDBGridGxUnit();
  EXPECT_EQ(DBGridGxUnitUseCount(), Count);
  EXPECT_NE(IndicatorImages(), nullptr);
}

TEST(GridUnit, TheLastEndReleasesEverything) {
  RegisterArtwork();
  {
    TDBGridGxUnitUse Use;
    EXPECT_NE(DefaultGridStyle(), nullptr);
  }
  EXPECT_EQ(DBGridGxUnitUseCount(), 0);
  EXPECT_EQ(IndicatorImages(), nullptr);
  EXPECT_EQ(SortMarkerImages(), nullptr);
  EXPECT_EQ(SortIndexFont(), nullptr);
  EXPECT_EQ(DefaultGridStyle(), nullptr);
  EXPECT_EQ(DBGridGxDataService(), nullptr);
}

TEST(GridUnit, AGridOutlivingTheDefaultStyleLeavesIt) {
  RegisterArtwork();
  auto Unit = std::make_unique<TDBGridGxUnitUse>();
  TForm Form(nullptr);
  auto* Grid = new TDBGridGx(&Form);
  ASSERT_NE(Grid->GridStyle(), nullptr);
  Unit.reset();
  EXPECT_EQ(Grid->GridStyle(), nullptr);
}

// Whoever frees the default style first, the unit's end does not free it again (the
// sanitizer build reports a second free), and the next start makes a fresh one.
TEST(GridUnit, FreeingTheDefaultStyleBeforeTheUnitEnds) {
  RegisterArtwork();
  {
    TDBGridGxUnitUse Use;
    TForm Form(nullptr);
    auto* Grid = new TDBGridGx(&Form);
    ASSERT_NE(DefaultGridStyle(), nullptr);
    delete DefaultGridStyle();
    EXPECT_EQ(DefaultGridStyle(), nullptr);
    EXPECT_EQ(Grid->GridStyle(), nullptr);
  }
  EXPECT_EQ(DBGridGxUnitUseCount(), 0);
  EXPECT_EQ(DefaultGridStyle(), nullptr);
  TDBGridGxUnitUse Again;
  EXPECT_NE(DefaultGridStyle(), nullptr);
}

}  // namespace
