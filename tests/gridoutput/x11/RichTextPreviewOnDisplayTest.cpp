// A grid printed with rich texts before and after it, in the preview window on a real
// display; the picture kept as a PNG.
#include <optional>

#include "grid/DBGridGx.h"
#include "gridoutput/PrnDbggx.h"
#include "gridoutput/PrvFrmGx.h"
#include "platform/data/DBClient.h"
#include "platform/graphics/DrawRecord.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/gridoutput/x11/PrintOnDisplay.h"
#include "tests/support/FakePrinters.h"

namespace {

class RichTextPreviewOnDisplayTest : public PrintOnDisplayTest {};

TEST_F(RichTextPreviewOnDisplayTest, TextsAroundTheGridInThePreview) {
  fake_printers::Installed fake({fake_printers::PdfFile()});
  auto* owner = new TForm(nullptr);
  TDBGridGx* grid = SnippetGrid(owner, 12);
  TPrintDBGridGx print(nullptr);
  print.SetDBGridGx(grid);
  // As another program hands it over: a title in large bold navy, a Chinese line in
  // red, an italic note with a tab.
  const std::string Rtf =
      "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fswiss DejaVu Sans;}{\\f1\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
      "{\\colortbl ;\\red0\\green0\\blue128;\\red200\\green0\\blue0;}"
      "\\pard\\f0\\fs40\\cf1\\b Snippet report\\b0\\cf0\\fs20\\par"
      "\\f1\\fs24\\cf2\\'c4\\'e3\\'ba\\'c3\\'a3\\'ac\\u19990?\\u30028?\\cf0\\par"
      "\\f0\\fs20\\i Note:\\tab printed \\ul with\\ulnone  \\strike care\\strike0\\i0\\par}";
  TMemoryStream stream;
  stream.WriteBuffer(Rtf.data(), std::int64_t(Rtf.size()));
  stream.SetPosition(0);
  print.BeforeGridText()->LoadFromStream(&stream);
  print.AfterGridText()->Add("End of report");
  print.PageHeader()->CenterText()->Add("Snippets");
  win::StartDrawRecording();
  print.ShowPreview();
  std::string drawn;
  for (const std::string& t : win::RecordedTexts()) drawn += t;
  win::StopDrawRecording();
  EXPECT_NE(drawn.find("Snippet report"), std::string::npos) << drawn;
  EXPECT_NE(drawn.find("你好，世界"), std::string::npos) << drawn;
  EXPECT_NE(drawn.find("End of report"), std::string::npos) << drawn;
  TPrinterPreview* pp = SharedPrinterPreview();
  auto* preview = dynamic_cast<TPreviewFormGx*>(GetParentForm(pp->Box()));
  ASSERT_NE(preview, nullptr);
  preview->SetWindowState(wsNormal);
  preview->SetBounds(20, 20, 760, 700);
  pp->Box()->SetViewMode(8);
  ASSERT_TRUE(PumpUntil([&] { return preview->Visible() && pp->Box()->PageCount() >= 1; }));
  int rounds = 0;
  PumpUntil([&] { return ++rounds > 10; });
  ASSERT_TRUE(win::SaveWindowPng(preview->Handle(), "rich-text-preview-on-display.png"));
  preview->Close();
  owner->Free();
}

}  // namespace
