// "打印表格" chosen from the grid's options menu on a real display, with the display's own
// pointer: the grid's pages open in the preview window, whose picture is kept as a PNG.
#include <algorithm>

#include "gridoutput/PrnDbggx.h"
#include "gridoutput/PrvFrmGx.h"
#include "platform/graphics/DrawRecord.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/support/DisplayScript.h"
#include "tests/support/FakePrinters.h"
#include "tests/support/GridOnDisplay.h"

namespace {
using display_script::TScript;

// The middle of "打印表格", the options menu's first item, below a border of one pixel.
constexpr int PrintItemY = 1 + 10;

class MenuPrintOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterArtwork();
    RegisterPreviewClasses();
    RegisterFormDescriptions();
    StartPrnDbggxUnit();
    MakeGrid("Snippets", 420, 240, 380, 180, {"Keys", "Text"}, 80, [](int R, int F) {
      return F == 0 ? "Ctrl+" + std::to_string(R) : "snippet " + std::to_string(R);
    });
    TDBGridColumnsGx* C = Grid->Columns();
    C->AddColumn()->SetFieldName("Keys");
    C->AddColumn()->SetFieldName("Text");
    C->ColumnAt(0)->Title()->SetCaption("热键");
    C->ColumnAt(1)->SetWidth(160);
    Form->Show();
  }
  void TearDown() override {
    if (TPreviewFormGx* P = Preview()) P->Close();
    FinishPrnDbggxUnit();
    GridOnDisplayTest::TearDown();
  }
  static TPreviewFormGx* Preview() {
    TPreviewBox* Box = SharedPrinterPreview()->Box();
    return Box ? dynamic_cast<TPreviewFormGx*>(GetParentForm(Box)) : nullptr;
  }
};

TEST_F(MenuPrintOnDisplayTest, PrintTheGridOpensThePreview) {
  fake_printers::Installed Fake({fake_printers::PdfFile()});
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Grid->Handle()) && Grid->VisibleDataRowCount() > 0; }));
  TScript Script(*FOther);
  Script.Do("focus the grid", [&] { Script.Click(Grid); })
      .Then("focused", [&] { return Screen->ActiveControl() == Grid; }, [] {})
      .ChooseFromMenu("print", [&] {
        const win::RECT R = Grid->CellRect(Grid->IndicatorColCount(), 0);
        return Grid->ClientToScreen(win::POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2});
      }, PrintItemY);
  Script.Start();
  std::string Caption;
  ASSERT_TRUE(PumpUntil([&] {
    if (!Script.Stalled().empty() || !Preview() || !Preview()->Visible()) return !Script.Stalled().empty();
    Caption = Preview()->Caption();
    return Script.Shown(Caption.c_str()) != 0 && !SharedPrinterPreview()->JobPrinting();
  }));
  Script.Stop();
  ASSERT_EQ(Script.Stalled(), "");
  TPreviewFormGx* P = Preview();
  EXPECT_GE(P->PreviewGx1->PageCount(), 2);
  EXPECT_EQ(P->PreviewGx1->PageIndex(), 1);

  // The first page shows the grid's titles and first rows.
  win::StartDrawRecording();
  win::ClearDrawRecording();
  P->PreviewGx1->Paper()->Repaint();
  win::StopDrawRecording();
  const std::vector<std::string> Texts = win::RecordedTexts(P->PreviewGx1->Paper()->Handle());
  win::ClearDrawRecording();
  for (const char* Expected : {"热键", "Text", "Ctrl+1", "snippet 1"})
    EXPECT_NE(std::find(Texts.begin(), Texts.end(), Expected), Texts.end()) << Expected;

  int Rounds = 0;
  PumpUntil([&] { return ++Rounds > 10; });
  EXPECT_TRUE(Script.Shot(Caption.c_str(), "menu-print-preview.png"));
}

}  // namespace
