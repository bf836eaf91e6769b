#pragma once
// TfPrnDBGridGxSetupDialog: the modal "打印设置" dialog in which the user edits a grid
// print's margins, fitting, optimal widths, row stretching, colour, print font and printer.
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/PrintDialogs.h"
#include "platform/controls/StdCtrls.h"

class TfPrnDBGridGxSetupDialog : public TForm {
  VANTREL_CLASS(TfPrnDBGridGxSetupDialog, TForm)
public:
  explicit TfPrnDBGridGxSetupDialog(TComponent* AOwner);

  TGroupBox* gbPrintFields = nullptr;
  TEdit* seUpMargin = nullptr;
  TEdit* seLowMargin = nullptr;
  TEdit* seLeftMargin = nullptr;
  TEdit* seRightMargin = nullptr;
  TCheckBox* cbFitWidthToPage = nullptr;
  TRadioGroup* rgFitingType = nullptr;
  TCheckBox* cbOptimalColWidths = nullptr;
  TCheckBox* cbAutoStretch = nullptr;
  TCheckBox* cbColored = nullptr;
  TEdit* ePrintFont = nullptr;
  TButton* bPrintFont = nullptr;
  TButton* bPrinterSetupDialog = nullptr;
  TButton* bOk = nullptr;
  TButton* bCancel = nullptr;
  TFontDialog* FontDialog1 = nullptr;
  TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;

  void fPrnDBGridGXSetupDialogShow(TObject* Sender);
  void seMarginExit(TObject* Sender);
  void cbFitWidthToPageClick(TObject* Sender);
  void bPrintFontClick(TObject* Sender);
  void bPrinterSetupDialogClick(TObject* Sender);

  static void Publish(TClassBuilder<TfPrnDBGridGxSetupDialog>& b);
};

// Registers the dialog's class for reading its form description.
void RegisterPrintSetupDialogClass();
