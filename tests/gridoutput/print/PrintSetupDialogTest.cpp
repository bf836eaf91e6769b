// The print set-up dialog: filled from the component, read back on OK, nothing changed on
// Cancel, and margins that cannot print keep the dialog open with all unchanged.
#include <functional>
#include <memory>
#include <vector>

#include "gridoutput/PrnDgDlg.h"
#include "platform/controls/ExtCtrls.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/support/GridPrintFixture.h"
#include "tests/support/ModalDialog.h"

namespace {

using modal_dialog::Find;

class PrintSetupDialogTest : public GridPrintTest {
protected:
  void SetUp() override { RegisterFormDescriptions(); }
  void TearDown() override { win::headless::SetIdleHandler(nullptr); }

  // Acts on each modal form as it comes up, in turn.
  static void WhenEachShown(std::vector<std::function<void(TCustomForm*)>> Acts) {
    // The handler may be copied between calls: its place in Acts is shared.
    auto Next = std::make_shared<std::size_t>(0);
    win::headless::SetIdleHandler([Acts, Next]() {
      TCustomForm* F = Screen->ActiveCustomForm();
      if (F && F->FormState().Contains(fsModal) && F->ModalResult() == 0 && *Next < Acts.size()) Acts[(*Next)++](F);
      win::PostMessage(Application->Handle(), win::WM_NULL, 0, 0);
    });
  }
  static void SetMargins(TCustomForm* F, const char* Top, const char* Bottom, const char* Left, const char* Right) {
    Find<TEdit>(F, "seUpMargin")->SetTextProp(Top);
    Find<TEdit>(F, "seLowMargin")->SetTextProp(Bottom);
    Find<TEdit>(F, "seLeftMargin")->SetTextProp(Left);
    Find<TEdit>(F, "seRightMargin")->SetTextProp(Right);
  }
};

TEST_F(PrintSetupDialogTest, OkTakesTheSettingsAndCancelLeavesThem) {
  TPrintDBGridGx Print(Form.get());
  Print.SetOptions({pghFitGridToPageWidth, pghFitingByColWidths});
  Print.Page()->SetTopMargin(Currency::FromDouble(1.5));
  bool FitKindEnabled = false;
  std::string ShownTop;
  WhenEachShown({[&](TCustomForm* F) {
    EXPECT_EQ(F->Caption(), "打印设置");
    ShownTop = Find<TEdit>(F, "seUpMargin")->TextProp();
    EXPECT_EQ(Find<TRadioGroup>(F, "rgFitingType")->ItemIndex(), 1);
    // Clearing the fit box disables the fit kind, which is still stored.
    Find<TCheckBox>(F, "cbFitWidthToPage")->SetChecked(false);
    FitKindEnabled = Find<TRadioGroup>(F, "rgFitingType")->Enabled();
    Find<TCheckBox>(F, "cbColored")->SetChecked(true);
    Find<TEdit>(F, "ePrintFont")->SetTextProp("DejaVu Serif");
    SetMargins(F, "1", "1.25", "0", "3");
    Find<TButton>(F, "bOk")->Click();
  }});
  EXPECT_TRUE(Print.RunSetupDialog());
  EXPECT_EQ(ShownTop, "1.5");
  EXPECT_FALSE(FitKindEnabled);
  EXPECT_EQ(Print.Options(), (TPrintDBGridGxOptions{pghColored, pghFitingByColWidths}));
  EXPECT_EQ(Print.PrintFontName(), "DejaVu Serif");
  EXPECT_EQ(Print.Page()->TopMargin(), Currency(1));
  EXPECT_EQ(Print.Page()->BottomMargin(), Currency::FromDouble(1.25));
  EXPECT_EQ(Print.Page()->LeftMargin(), Currency(0));
  EXPECT_EQ(Print.Page()->RightMargin(), Currency(3));

  WhenEachShown({[&](TCustomForm* F) {
    SetMargins(F, "4", "4", "4", "4");
    Find<TCheckBox>(F, "cbColored")->SetChecked(false);
    Find<TButton>(F, "bCancel")->Click();
  }});
  EXPECT_FALSE(Print.RunSetupDialog());
  EXPECT_EQ(Print.Page()->TopMargin(), Currency(1));
  EXPECT_TRUE(Print.Options().Contains(pghColored));
}

TEST_F(PrintSetupDialogTest, BadMarginsChangeNothingAndTheDialogStaysOpen) {
  struct Case {
    const char *Top, *Bottom, *Left, *Right;
  } Cases[] = {
      {"1", "x", "1", "1"},     // not a number
      {"1", "1", "-0.5", "1"},  // negative
      {"1", "1", "12", "10"},   // no width left on an A4 sheet
      {"15", "15", "1", "1"},   // no height left
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.Top) + " " + C.Bottom + " " + C.Left + " " + C.Right);
    TPrintDBGridGx Print(Form.get());
    int Shown = 0;
    const std::size_t Boxes = win::headless::MessageBoxes().size();
    WhenEachShown({[&](TCustomForm* F) {
                     ++Shown;
                     SetMargins(F, C.Top, C.Bottom, C.Left, C.Right);
                     Find<TButton>(F, "bOk")->Click();
                   },
                   [&](TCustomForm* F) {
                     ++Shown;
                     Find<TButton>(F, "bCancel")->Click();
                   }});
    EXPECT_FALSE(Print.RunSetupDialog());
    EXPECT_EQ(Shown, 2);
    ASSERT_EQ(win::headless::MessageBoxes().size(), Boxes + 1);
    EXPECT_EQ(win::headless::MessageBoxes().back().Caption, "打印设置");
    EXPECT_EQ(win::headless::MessageBoxes().back().Text, SInvalidPrintMargins);
    for (Currency M : {Print.Page()->TopMargin(), Print.Page()->BottomMargin(), Print.Page()->LeftMargin(),
                       Print.Page()->RightMargin()})
      EXPECT_EQ(M, Currency(2));
  }
}

}  // namespace
