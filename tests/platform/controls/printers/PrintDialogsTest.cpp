// The print, printer set-up and font dialogs, driven as a user would.
#include <gtest/gtest.h>

#include <functional>

#include "../ControlsFixture.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ListBoxes.h"
#include "platform/controls/PrintDialogs.h"
#include "platform/controls/StdCtrls.h"
#include "tests/support/FakePrinters.h"
#include "tests/support/ModalDialog.h"

namespace {

class PrintDialogsTest : public ControlsTest {
protected:
  static void WhenShown(std::function<void(TCustomForm*)> act) { modal_dialog::WhenShown(std::move(act)); }
  template <class T>
  static T* Find(TCustomForm* f, const char* name) {
    return modal_dialog::Find<T>(f, name);
  }
  static void Pick(TListBox* list, int index) {
    list->SetItemIndex(index);
    list->Click();
  }
};

TEST_F(PrintDialogsTest, PrintDialogChoosesPrinterPagesAndFile) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  TPrintDialog dlg(nullptr);
  dlg.SetOptions({poPageNums});
  dlg.SetMinPage(1);
  dlg.SetMaxPage(5);
  dlg.SetFromPage(1);
  dlg.SetToPage(5);
  WhenShown([](TCustomForm* f) {
    Pick(Find<TListBox>(f, "PrinterList"), 0);
    EXPECT_TRUE(Find<TEdit>(f, "FileEdit")->Enabled());
    EXPECT_FALSE(Find<TEdit>(f, "CopiesEdit")->Enabled());
    // Without a file name the PDF printer cannot be confirmed.
    Find<TEdit>(f, "FileEdit")->SetTextProp("");
    Find<TButton>(f, "OkButton")->Click();
    EXPECT_EQ(f->ModalResult(), mrNone);
    Find<TEdit>(f, "FileEdit")->SetTextProp("/tmp/pages.pdf");
    Find<TRadioButton>(f, "PageNums")->SetChecked(true);
    Find<TEdit>(f, "FromEdit")->SetTextProp("3");
    Find<TEdit>(f, "ToEdit")->SetTextProp("2");
    Find<TButton>(f, "OkButton")->Click();
  });
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.PrintRange(), prPageNums);
  EXPECT_EQ(dlg.FromPage(), 2);
  EXPECT_EQ(dlg.ToPage(), 3);
  EXPECT_EQ(Printer()->PrinterIndex(), 0);
  EXPECT_EQ(Printer()->FileName(), "/tmp/pages.pdf");

  // Pages beyond the document are brought into it; Cancel changes nothing.
  WhenShown([](TCustomForm* f) {
    Pick(Find<TListBox>(f, "PrinterList"), 1);
    EXPECT_FALSE(Find<TEdit>(f, "FileEdit")->Enabled());
    Find<TEdit>(f, "CopiesEdit")->SetTextProp("2");
    Find<TRadioButton>(f, "PageNums")->SetChecked(true);
    Find<TEdit>(f, "FromEdit")->SetTextProp("0");
    Find<TEdit>(f, "ToEdit")->SetTextProp("99");
    Find<TButton>(f, "OkButton")->Click();
  });
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FromPage(), 1);
  EXPECT_EQ(dlg.ToPage(), 5);
  EXPECT_EQ(Printer()->PrinterIndex(), 1);
  EXPECT_EQ(Printer()->Copies(), 2);
  WhenShown([](TCustomForm* f) {
    Pick(Find<TListBox>(f, "PrinterList"), 0);
    Find<TButton>(f, "CancelButton")->Click();
  });
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(Printer()->PrinterIndex(), 1);
}

TEST_F(PrintDialogsTest, SetupDialogSetsPrinterPaperOrientationAndCopies) {
  fake_printers::Installed fake({fake_printers::PdfFile(), fake_printers::Office()});
  TPrinterSetupDialog dlg(nullptr);
  WhenShown([](TCustomForm* f) {
    auto* papers = Find<TListBox>(f, "PaperList");
    EXPECT_EQ(papers->Items()->Strings(papers->ItemIndex()), "A4");
    Pick(Find<TListBox>(f, "PrinterList"), 0);
    EXPECT_EQ(papers->Items()->Count(), 2);
    EXPECT_FALSE(Find<TEdit>(f, "CopiesEdit")->Enabled());
    Pick(Find<TListBox>(f, "PrinterList"), 1);
    papers->SetItemIndex(0);
    Find<TRadioGroup>(f, "OrientationGroup")->SetItemIndex(1);
    Find<TEdit>(f, "CopiesEdit")->SetTextProp("4");
    Find<TButton>(f, "OkButton")->Click();
  });
  ASSERT_TRUE(dlg.Execute());
  TPrinter* p = Printer();
  EXPECT_EQ(p->PrinterIndex(), 1);
  EXPECT_EQ(p->Papers()->Strings(p->PaperIndex()), "Letter");
  EXPECT_EQ(p->Orientation(), poLandscape);
  EXPECT_EQ(p->Copies(), 4);
  EXPECT_GT(p->PageWidth(), p->PageHeight());
}

TEST_F(PrintDialogsTest, FontDialogOffersTheInstalledFamilies) {
  TFontDialog dlg(nullptr);
  dlg.Font()->SetName("Arial");
  dlg.Font()->SetSize(10);
  WhenShown([](TCustomForm* f) {
    auto* families = Find<TListBox>(f, "FamilyList");
    // The font's own name stays on offer.
    EXPECT_EQ(families->Items()->Strings(families->ItemIndex()), "Arial");
    int dejavu = families->Items()->IndexOf("DejaVu Sans");
    ASSERT_GE(dejavu, 0);
    EXPECT_GE(families->Items()->IndexOf("WenQuanYi Micro Hei"), 0);
    families->SetItemIndex(dejavu);
    Find<TEdit>(f, "SizeEdit")->SetTextProp("14");
    Find<TCheckBox>(f, "BoldBox")->SetChecked(true);
    Find<TButton>(f, "OkButton")->Click();
  });
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Font()->Name(), "DejaVu Sans");
  EXPECT_EQ(dlg.Font()->Size(), 14);
  EXPECT_TRUE(dlg.Font()->Style().Contains(fsBold));
}

}  // namespace
