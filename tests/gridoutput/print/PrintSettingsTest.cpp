// The grid printer's settings: margins across units, page macros with their escape, text
// replacements, and a print without a grid.
#include "tests/support/GridPrintFixture.h"

namespace {

class PrintSettingsTest : public GridPrintTest {};

TEST_F(PrintSettingsTest, NewComponentAndMarginsAcrossUnits) {
  TPrintDBGridGx Print(Form.get());
  for (Currency M : {Print.Page()->TopMargin(), Print.Page()->BottomMargin(), Print.Page()->LeftMargin(),
                     Print.Page()->RightMargin()})
    EXPECT_EQ(M, Currency(2));
  EXPECT_EQ(Print.Units(), MM);
  EXPECT_TRUE(Print.Options().Empty());
  Print.SetUnits(Inches);
  EXPECT_EQ(Print.Page()->LeftMargin(), Currency::FromRaw(7874));
  EXPECT_EQ(Print.Page()->BottomMargin(), Currency::FromRaw(7874));
  Print.SetUnits(MM);
  EXPECT_EQ(Print.Page()->RightMargin(), Currency(2));
  EXPECT_EQ(Print.Page()->TopMargin(), Currency(2));
}

TEST_F(PrintSettingsTest, MacrosMatchAnyCaseUnlessEscaped) {
  struct Case {
    const char* Source;
    const char* Expected;
  } Cases[] = {
      {"Page &[Page]", "Page 7"},
      {"&[page] and &[PAGE]", "7 and 7"},
      {"&&[Page]", "&&[Page]"},
      {"&&[page]", "&&[Page]"},
      {"", ""},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(ReplaceUnlessEscaped(C.Source, "&[Page]", "7", '&', true, true), C.Expected) << C.Source;
  EXPECT_EQ(ReplaceUnlessEscaped("a&[Page]b&[Page]", "&[Page]", "7", '&', false, true), "a7b&[Page]");
}

TEST_F(PrintSettingsTest, AReplacementHoldingItsOwnFindTextEnds) {
  EXPECT_EQ(ReplaceAllText("Made %[Today], %[TODAY].", "%[Today]", "x %[today] y"),
            "Made x %[today] y, x %[today] y.");
  TPrintDBGridGx Print(Form.get());
  Print.SetTextReplacements({"a", "b", "c", "d", "odd"});
  ASSERT_EQ(Print.ReplaceFrom()->Count(), 2);
  EXPECT_EQ(Print.ReplaceTo()->Strings(1), "d");
}

TEST_F(PrintSettingsTest, WithoutAGridOrWhenTheGridGoesOnlyTheStartIsRaised) {
  TDBGridGx* Grid = NumberedGrid(2);
  TPrintDBGridGx Print(Form.get());
  Print.SetDBGridGx(Grid);
  delete Grid;
  EXPECT_EQ(Print.DBGridGx(), nullptr);
  int Before = 0, After = 0;
  Print.SetOnBeforePrint([&](TObject*) { ++Before; });
  Print.SetOnAfterPrint([&](TObject*) { ++After; });
  TPrinterPreview Preview;
  Print.RenderToPrinter(&Preview);
  EXPECT_EQ(Before, 1);
  EXPECT_EQ(After, 0);
  EXPECT_EQ(Preview.RecordedPages(), 0);
}

}  // namespace
