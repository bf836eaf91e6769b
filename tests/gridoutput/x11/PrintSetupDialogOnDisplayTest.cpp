// The print set-up dialog used on a real display with the display's own pointer and
// keyboard: margins typed, the fit options and colour clicked, the font chosen in the
// font dialog; OK takes it all, Cancel nothing, and a bad margin brings up a message box
// over the dialog, which stays open. Its pictures are kept as PNGs.
#include "gridoutput/PrnDbggx.h"
#include "gridoutput/PrnDgDlg.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ListBoxes.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/support/DisplayScript.h"
#include "tests/support/FakePrinters.h"
#include "tests/support/GridOnDisplay.h"

namespace {
using display_script::TScript;

class PrintSetupDialogOnDisplayTest : public GridOnDisplayTest {
protected:
  void SetUp() override {
    GridOnDisplayTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterFormDescriptions();
    MakeGrid("Snippets", 300, 200, 260, 150, {"Name"}, 3, [](int R, int) { return "r" + std::to_string(R); });
    Form->Show();
  }
  void TearDown() override {
    // The dialog is kept by the application between uses; it goes with this test's display.
    if (TComponent* D = Application->FindComponent("fPrnDBGridGxSetupDialog")) delete D;
    GridOnDisplayTest::TearDown();
  }
  static TfPrnDBGridGxSetupDialog* Dialog() { return display_script::ModalForm<TfPrnDBGridGxSetupDialog>(); }
  // The dialog is up on the display.
  static bool Up(TScript& Script) { return Script.ModalShown<TfPrnDBGridGxSetupDialog>("打印设置"); }
  static TCustomForm* FontDialog() {
    TCustomForm* F = display_script::ModalForm<TCustomForm>();
    return F && F->Caption() == "Font" ? F : nullptr;
  }
  static bool MessageBoxUp() {
    char Class[64] = {};
    win::HWND Active = win::GetActiveWindow();
    return Active && win::IsWindowVisible(Active) && win::GetClassNameA(Active, Class, sizeof Class) &&
           std::string(Class) == "VantrelMessageBox";
  }
  // The radio button of the fit kind's item Index.
  static TControl* FitKind(int Index) {
    TRadioGroup* Group = Dialog()->rgFitingType;
    int Seen = 0;
    for (int I = 0; I < Group->ControlCount(); ++I)
      if (Group->Controls(I)->InheritsFrom(TRadioButton::StaticClass()) && Seen++ == Index) return Group->Controls(I);
    return nullptr;
  }
  // Runs the set-up dialog of Print while Script plays on it.
  bool Run(TPrintDBGridGx& Print, TScript& Script) {
    Script.Start();
    const bool Ok = Print.RunSetupDialog();
    Script.Stop();
    EXPECT_EQ(Script.Stalled(), "");
    EXPECT_TRUE(Script.Finished());
    return Ok;
  }
};

TEST_F(PrintSetupDialogOnDisplayTest, MarginsFitOptionsAndFontTakenOnOkLeftOnCancel) {
  fake_printers::Installed Fake({fake_printers::PdfFile()});
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(Grid->Handle()); }));
  TPrintDBGridGx Print(nullptr);
  Print.SetDBGridGx(Grid);
  Print.SetOptions({pghColored});

  std::string ShownTop;
  bool FitKindEnabledAtFirst = true;
  TScript Ok(*FOther);
  Ok.Then("the dialog comes up", [&] { return Up(Ok); },
          [&] {
            ShownTop = Dialog()->seUpMargin->TextProp();
            FitKindEnabledAtFirst = Dialog()->rgFitingType->Enabled();
          })
      .TypeInto("top margin", [] { return Dialog()->seUpMargin; }, "1.5")
      .TypeInto("left margin", [] { return Dialog()->seLeftMargin; }, "0.8")
      .Do("fit to the page", [&] { Ok.Click(Dialog()->cbFitWidthToPage); })
      .Then("fit kind enabled", [&] { return Dialog()->rgFitingType->Enabled(); }, [&] { Ok.Click(FitKind(1)); })
      .Then("narrowing columns chosen", [&] { return Dialog()->rgFitingType->ItemIndex() == 1; },
            [&] { Ok.Click(Dialog()->cbColored); })
      .Then("colour off", [&] { return !Dialog()->cbColored->Checked(); },
            [&] { Ok.Click(Dialog()->cbOptimalColWidths); })
      .Then("optimal widths on", [&] { return Dialog()->cbOptimalColWidths->Checked(); },
            [&] { Ok.Click(Dialog()->bPrintFont); })
      .Then("the font dialog comes up", [&] { return FontDialog() && Ok.Shown("Font"); },
            [&] {
              auto* Families = dynamic_cast<TListBox*>(FontDialog()->FindComponent("FamilyList"));
              const int At = Families->Items()->IndexOf("DejaVu Serif");
              ASSERT_GE(At, 0) << "fonts-dejavu-core is not installed";
              Families->SetTopIndex(At);
              const win::RECT R = Families->ItemRect(At);
              Ok.Click(TScript::At(Families, R.left + 20, (R.top + R.bottom) / 2));
            })
      .Then("a family chosen",
            [&] {
              auto* Families = dynamic_cast<TListBox*>(FontDialog()->FindComponent("FamilyList"));
              return Families->ItemIndex() >= 0 && Families->Items()->Strings(Families->ItemIndex()) == "DejaVu Serif";
            },
            [&] { Ok.Click(dynamic_cast<TControl*>(FontDialog()->FindComponent("OkButton"))); })
      .Then("the font's name in its edit",
            [&] { return Dialog() && Dialog()->ePrintFont->TextProp() == "DejaVu Serif"; }, [] {})
      .Settle()
      .Do("picture", [&] { EXPECT_TRUE(Ok.Shot("打印设置", "print-setup-dialog-filled.png")); })
      .Do("OK", [&] { Ok.Click(Dialog()->bOk); });
  ASSERT_TRUE(Run(Print, Ok));
  EXPECT_EQ(ShownTop, "2");
  EXPECT_FALSE(FitKindEnabledAtFirst);
  EXPECT_EQ(Print.Page()->TopMargin(), Currency::FromDouble(1.5));
  EXPECT_EQ(Print.Page()->LeftMargin(), Currency::FromDouble(0.8));
  EXPECT_EQ(Print.Page()->BottomMargin(), Currency(2));
  EXPECT_EQ(Print.Page()->RightMargin(), Currency(2));
  EXPECT_EQ(Print.Options(), TPrintDBGridGxOptions({pghFitGridToPageWidth, pghFitingByColWidths, pghOptimalColWidths}));
  EXPECT_EQ(Print.PrintFontName(), "DejaVu Serif");

  // Cancel after changes: the dialog shows what OK took, and nothing changes.
  std::string ShownAgain;
  TScript Cancel(*FOther);
  Cancel.Then("the dialog again", [&] { return Up(Cancel); },
              [&] { ShownAgain = Dialog()->seUpMargin->TextProp() + " " + Dialog()->seLeftMargin->TextProp(); })
      .TypeInto("top margin", [] { return Dialog()->seUpMargin; }, "3")
      .Do("no fitting", [&] { Cancel.Click(Dialog()->cbFitWidthToPage); })
      .Then("fit kind disabled", [&] { return !Dialog()->rgFitingType->Enabled(); },
            [&] { Cancel.Click(Dialog()->bCancel); });
  EXPECT_FALSE(Run(Print, Cancel));
  EXPECT_EQ(ShownAgain, "1.5 0.8");
  EXPECT_EQ(Print.Page()->TopMargin(), Currency::FromDouble(1.5));
  EXPECT_TRUE(Print.Options().Contains(pghFitGridToPageWidth));

  // A negative margin: OK answers with a message box over the dialog, which stays open
  // for a fix.
  TScript Bad(*FOther);
  Bad.Then("the dialog once more", [&] { return Up(Bad); }, [] {})
      .TypeInto("bottom margin", [] { return Dialog()->seLowMargin; }, "-1")
      .Do("OK", [&] { Bad.Click(Dialog()->bOk); })
      .Then("the message box", [&] { return MessageBoxUp(); }, [] {})
      .Settle()
      .Do("its picture", [&] {
        EXPECT_TRUE(Bad.ShotScreen("print-setup-dialog-bad-margin.png"));
        real_pointer::Key(Bad.Display(), 0xff0d);  // Return
      })
      .Then("the dialog back", [&] { return !MessageBoxUp() && Up(Bad); }, [] {})
      .TypeInto("bottom margin again", [] { return Dialog()->seLowMargin; }, "1")
      .Do("OK again", [&] { Bad.Click(Dialog()->bOk); });
  EXPECT_TRUE(Run(Print, Bad));
  EXPECT_EQ(Print.Page()->BottomMargin(), Currency(1));
  EXPECT_EQ(Print.Page()->TopMargin(), Currency::FromDouble(1.5));
}

}  // namespace
