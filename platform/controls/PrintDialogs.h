#pragma once
// The print dialog, the printer set-up dialog and the font dialog: modal forms of our
// own on the process-wide printer object and the installed fonts.
#include "platform/controls/Forms.h"
#include "platform/controls/Printers.h"

enum TPrintRange { prAllPages, prSelection, prPageNums };
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
using TPrintDialogOptions = Set<TPrintDialogOption>;

// Chooses the printer (and the file of the "PDF file" printer), the pages and the copies;
// on OK they go to the process-wide printer object.
class TPrintDialog : public TComponent {
  VANTREL_CLASS(TPrintDialog, TComponent)
public:
  explicit TPrintDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog modally; true when the user confirmed it.
  bool Execute();
  TPrintDialogOptions Options() const { return FOptions; }
  void SetOptions(TPrintDialogOptions Value) { FOptions = Value; }
  int MinPage() const { return FMinPage; }
  void SetMinPage(int Value) { FMinPage = Value; }
  int MaxPage() const { return FMaxPage; }
  void SetMaxPage(int Value) { FMaxPage = Value; }
  int FromPage() const { return FFromPage; }
  void SetFromPage(int Value) { FFromPage = Value; }
  int ToPage() const { return FToPage; }
  void SetToPage(int Value) { FToPage = Value; }
  int Copies() const { return FCopies; }
  void SetCopies(int Value) { FCopies = Value; }
  TPrintRange PrintRange() const { return FPrintRange; }
  void SetPrintRange(TPrintRange Value) { FPrintRange = Value; }

private:
  TPrintDialogOptions FOptions;
  int FMinPage = 0, FMaxPage = 0, FFromPage = 0, FToPage = 0, FCopies = 1;
  TPrintRange FPrintRange = prAllPages;
};

// Chooses the printer, its paper, the orientation and the copies of the process-wide printer.
class TPrinterSetupDialog : public TComponent {
  VANTREL_CLASS(TPrinterSetupDialog, TComponent)
public:
  explicit TPrinterSetupDialog(TComponent* AOwner) : TComponent(AOwner) {}
  bool Execute();
};

// Chooses a font family from the installed ones, its size and style.
class TFontDialog : public TComponent {
  VANTREL_CLASS(TFontDialog, TComponent)
public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  bool Execute();
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

private:
  std::unique_ptr<TFont> FFont;
};

