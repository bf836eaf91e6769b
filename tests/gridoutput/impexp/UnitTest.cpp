// The export unit's start: the clipboard formats in their order, and the grid's clipboard
// actions handed over and taken back.
#include "tests/support/ImpExpFixture.h"

namespace {

TEST(ImpExpUnit, StartRegistersTheFormatsAndTheGridsActionsEndTakesThemBack) {
  {
    TDBGridGxImpExpUnitUse Unit;
    TDBGridGxImpExpUnitUse Again;  // counted: a second start changes nothing
    EXPECT_NE(ClipFormatVCLDBIF(), 0u);
    EXPECT_EQ(ClipFormatCsv(), ClipFormatVCLDBIF() + 1);
    EXPECT_EQ(ClipFormatRtf(), ClipFormatCsv() + 1);
    EXPECT_EQ(ClipFormatCsv(), win::RegisterClipboardFormatA("Csv"));
    EXPECT_EQ(DBGridGxClipboardActions().Copy, &CopyGridSelection);
    EXPECT_EQ(DBGridGxClipboardActions().Paste, &PasteIntoGrid);
  }
  EXPECT_EQ(DBGridGxClipboardActions().Copy, nullptr);
  EXPECT_EQ(DBGridGxClipboardActions().Delete, nullptr);
}

}  // namespace
