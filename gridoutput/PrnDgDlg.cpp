#include "gridoutput/PrnDgDlg.h"

#include "platform/controls/Printers.h"
#include "platform/rtl/SysUtils.h"

void TfPrnDBGridGxSetupDialog::Publish(TClassBuilder<TfPrnDBGridGxSetupDialog>& b) {
  using D = TfPrnDBGridGxSetupDialog;
  b.Field("gbPrintFields", &D::gbPrintFields);
  b.Field("seUpMargin", &D::seUpMargin);
  b.Field("seLowMargin", &D::seLowMargin);
  b.Field("seLeftMargin", &D::seLeftMargin);
  b.Field("seRightMargin", &D::seRightMargin);
  b.Field("cbFitWidthToPage", &D::cbFitWidthToPage);
  b.Field("rgFitingType", &D::rgFitingType);
  b.Field("cbOptimalColWidths", &D::cbOptimalColWidths);
  b.Field("cbAutoStretch", &D::cbAutoStretch);
  b.Field("cbColored", &D::cbColored);
  b.Field("ePrintFont", &D::ePrintFont);
  b.Field("bPrintFont", &D::bPrintFont);
  b.Field("bPrinterSetupDialog", &D::bPrinterSetupDialog);
  b.Field("bOk", &D::bOk);
  b.Field("bCancel", &D::bCancel);
  b.Method("fPrnDBGridGXSetupDialogShow", &D::fPrnDBGridGXSetupDialogShow);
  b.Method("seMarginExit", &D::seMarginExit);
  b.Method("cbFitWidthToPageClick", &D::cbFitWidthToPageClick);
  b.Method("bPrintFontClick", &D::bPrintFontClick);
  b.Method("bPrinterSetupDialogClick", &D::bPrinterSetupDialogClick);
}

void RegisterPrintSetupDialogClass() { RegisterClasses({TfPrnDBGridGxSetupDialog::StaticClass()}); }

TfPrnDBGridGxSetupDialog::TfPrnDBGridGxSetupDialog(TComponent* AOwner) : TForm(AOwner) {}

void TfPrnDBGridGxSetupDialog::fPrnDBGridGXSetupDialogShow(TObject*) {
  if (!FontDialog1) FontDialog1 = new TFontDialog(this);
  if (!PrinterSetupDialog1) PrinterSetupDialog1 = new TPrinterSetupDialog(this);
  bPrinterSetupDialog->SetEnabled(Printer()->Printers()->Count() > 0);
  rgFitingType->SetEnabled(cbFitWidthToPage->Checked());
}

// A margin that is not a number is reported when its edit is left; the text stays.
void TfPrnDBGridGxSetupDialog::seMarginExit(TObject* Sender) {
  if (auto* Edit = dynamic_cast<TEdit*>(Sender)) StrToFloat(Edit->TextProp());
}

void TfPrnDBGridGxSetupDialog::cbFitWidthToPageClick(TObject*) {
  rgFitingType->SetEnabled(cbFitWidthToPage->Checked());
}

void TfPrnDBGridGxSetupDialog::bPrintFontClick(TObject*) {
  if (!FontDialog1) FontDialog1 = new TFontDialog(this);
  FontDialog1->Font()->SetName(ePrintFont->TextProp());
  if (FontDialog1->Execute()) ePrintFont->SetTextProp(FontDialog1->Font()->Name());
}

void TfPrnDBGridGxSetupDialog::bPrinterSetupDialogClick(TObject*) {
  if (!PrinterSetupDialog1) PrinterSetupDialog1 = new TPrinterSetupDialog(this);
  PrinterSetupDialog1->Execute();
}
