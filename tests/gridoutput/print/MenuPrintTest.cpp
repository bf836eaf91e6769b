// The options menu's print command: the focused grid's pages in the preview window.
#include "gridoutput/PrvFrmGx.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "resources/artwork/Artwork.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/support/GridPrintFixture.h"

namespace {

class MenuPrintTest : public GridPrintTest {
protected:
  void SetUp() override {
    RegisterArtwork();
    RegisterPreviewClasses();
    RegisterFormDescriptions();
    StartPrnDbggxUnit();
  }
  void TearDown() override { FinishPrnDbggxUnit(); }
};

TEST_F(MenuPrintTest, PrintTheGridOpensItsPagesInThePreview) {
  TDBGridGx* Grid = NumberedGrid(120);
  Grid->SetBounds(0, 0, 300, 200);
  Form->SetBounds(0, 0, 400, 300);
  Form->Show();
  Grid->SetFocus();
  ASSERT_EQ(Screen->ActiveControl(), Grid);
  TMenuItem* Item = Grid->OptionsMenu()->Items()->Find("打印表格");
  ASSERT_NE(Item, nullptr);
  Item->Click();
  TPrinterPreview* Preview = SharedPrinterPreview();
  ASSERT_NE(Preview->Box(), nullptr);
  EXPECT_GE(Preview->Box()->PageCount(), 2);
  EXPECT_FALSE(Preview->JobPrinting());
  EXPECT_TRUE(GetParentForm(Preview->Box())->Visible());
  // The print component went with the command; the preview keeps its pages.
  EXPECT_EQ(Preview->Box()->PrintComponent(), nullptr);
  EXPECT_TRUE(Form->Enabled());
  GetParentForm(Preview->Box())->Close();

  // With the focus on another control the command does nothing.
  auto* Edit = new TEdit(Form.get());
  Edit->SetParent(Form.get());
  Edit->SetBounds(0, 220, 100, 20);
  Edit->SetFocus();
  ASSERT_EQ(Screen->ActiveControl(), Edit);
  Preview->StartJob();
  Preview->FinishJob();
  Item->Click();
  EXPECT_EQ(Preview->RecordedPages(), 1);
}

}  // namespace
