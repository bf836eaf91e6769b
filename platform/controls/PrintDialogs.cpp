#include "platform/controls/PrintDialogs.h"

#include <algorithm>

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ListBoxes.h"
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Builds a dialog form in code: named controls placed by their bounds.
class TDialogForm : public TForm {
public:
  TDialogForm(const std::string& Caption, int W, int H) : TForm(nullptr) {
    SetCaption(Caption);
    SetBorderStyle(bsDialog);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientWidthProp(W);
    SetClientHeightProp(H);
  }
  template <class T>
  T* Add(const std::string& Name, TWinControl* Parent, int L, int T_, int W, int H) {
    auto* c = new T(this);
    c->SetName(Name);
    c->SetParent(Parent ? Parent : this);
    c->SetBounds(L, T_, W, H);
    return c;
  }
  TLabel* Label(const std::string& Text, int L, int T_, TWinControl* Parent = nullptr) {
    auto* l = Add<TLabel>("", Parent, L, T_, 120, 16);
    l->SetCaption(Text);
    return l;
  }
  // OK and Cancel in the bottom right corner.
  TButton* Buttons() {
    int y = ClientHeight() - 33, x = ClientWidth() - 170;
    TButton* ok = Add<TButton>("OkButton", nullptr, x, y, 75, 25);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    TButton* cancel = Add<TButton>("CancelButton", nullptr, x + 83, y, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    return ok;
  }
};

int EditNumber(TEdit* E, int Def) { return StrToIntDef(Trim(E->Text()), Def); }

// The printers of the process-wide printer object in a list, the selected one chosen.
TListBox* PrinterList(TDialogForm* F, int L, int T_, int W, int H) {
  TListBox* list = F->Add<TListBox>("PrinterList", nullptr, L, T_, W, H);
  list->Items()->Assign(Printer()->Printers());
  list->SetItemIndex(Printer()->PrinterIndex());
  return list;
}

}  // namespace

// ---- TPrintDialog ----

bool TPrintDialog::Execute() {
  TPrinter* p = Printer();
  auto* F = new TDialogForm("Print", 380, 300);
  auto freeForm = AtScopeExit([&] { F->Free(); });
  F->Label("Printer:", 8, 8);
  TListBox* printers = PrinterList(F, 8, 26, 364, 80);
  F->Label("File:", 8, 116);
  TEdit* file = F->Add<TEdit>("FileEdit", nullptr, 60, 112, 312, 22);
  file->SetTextProp(p->FileName());
  auto* range = F->Add<TGroupBox>("RangeBox", nullptr, 8, 144, 230, 110);
  range->SetCaption("Pages");
  TRadioButton* all = F->Add<TRadioButton>("AllPages", range, 10, 20, 200, 20);
  all->SetCaption("All");
  TRadioButton* pages = F->Add<TRadioButton>("PageNums", range, 10, 46, 70, 20);
  pages->SetCaption("Pages");
  TEdit* from = F->Add<TEdit>("FromEdit", range, 84, 46, 50, 22);
  from->SetTextProp(IntToStr(FFromPage));
  F->Label("to", 140, 50, range);
  TEdit* to = F->Add<TEdit>("ToEdit", range, 164, 46, 50, 22);
  to->SetTextProp(IntToStr(FToPage));
  pages->SetEnabled(FOptions.Contains(poPageNums));
  from->SetEnabled(pages->Enabled());
  to->SetEnabled(pages->Enabled());
  (FPrintRange == prPageNums && pages->Enabled() ? pages : all)->SetChecked(true);
  F->Label("Copies:", 250, 150);
  TEdit* copies = F->Add<TEdit>("CopiesEdit", nullptr, 310, 146, 62, 22);
  copies->SetTextProp(IntToStr(std::max(1, FCopies)));
  TButton* ok = F->Buttons();

  // The file name matters only for a printer that writes a file.
  auto update = [&](TObject*) {
    int i = printers->ItemIndex();
    bool writesFile = i >= 0 && p->Devices()[size_t(i)].ToFile;
    file->SetEnabled(writesFile);
    copies->SetEnabled(i >= 0 && !writesFile);
    ok->SetEnabled(i >= 0);
  };
  printers->SetOnClick(update);
  update(nullptr);
  // OK is taken only with a printer, and a file for the PDF printer.
  ok->SetOnClick([&](TObject*) {
    if (printers->ItemIndex() < 0) return;
    if (file->Enabled() && Trim(file->Text()).empty()) {
      file->SetFocus();
      return;
    }
    F->SetModalResult(mrOk);
  });
  if (F->ShowModal() != mrOk) return false;

  p->SetPrinterIndex(printers->ItemIndex());
  p->SetFileName(Trim(file->Text()));
  FCopies = std::max(1, EditNumber(copies, 1));
  p->SetCopies(FCopies);
  FPrintRange = pages->Checked() ? prPageNums : prAllPages;
  if (FPrintRange == prPageNums) {
    int lo = FMinPage, hi = std::max(FMinPage, FMaxPage);
    int a = std::clamp(EditNumber(from, lo), lo, hi), b = std::clamp(EditNumber(to, hi), lo, hi);
    FFromPage = std::min(a, b);
    FToPage = std::max(a, b);
  } else {
    FFromPage = FMinPage;
    FToPage = FMaxPage;
  }
  return true;
}

// ---- TPrinterSetupDialog ----

bool TPrinterSetupDialog::Execute() {
  TPrinter* p = Printer();
  auto* F = new TDialogForm("Printer Setup", 380, 290);
  auto freeForm = AtScopeExit([&] { F->Free(); });
  F->Label("Printer:", 8, 8);
  TListBox* printers = PrinterList(F, 8, 26, 364, 80);
  F->Label("Paper:", 8, 114);
  TListBox* papers = F->Add<TListBox>("PaperList", nullptr, 8, 132, 220, 110);
  auto* orientation = F->Add<TRadioGroup>("OrientationGroup", nullptr, 240, 114, 132, 70);
  orientation->SetCaption("Orientation");
  orientation->Items()->Add("Portrait");
  orientation->Items()->Add("Landscape");
  orientation->SetItemIndex(p->Orientation() == poLandscape ? 1 : 0);
  F->Label("Copies:", 240, 196);
  TEdit* copies = F->Add<TEdit>("CopiesEdit", nullptr, 300, 192, 72, 22);
  copies->SetTextProp(IntToStr(p->Copies()));
  TButton* ok = F->Buttons();
  ok->SetModalResult(mrOk);

  // Each printer brings its own papers; its current paper is chosen.
  int shownPrinter = -2;
  auto update = [&](TObject*) {
    int i = printers->ItemIndex();
    if (i == shownPrinter) return;
    shownPrinter = i;
    papers->Items()->Clear();
    ok->SetEnabled(i >= 0);
    if (i < 0) return;
    const TPrinterDevice& d = p->Devices()[size_t(i)];
    for (const TPaperSize& paper : d.Papers) papers->Items()->Add(paper.Name);
    papers->SetItemIndex(i == p->PrinterIndex() ? p->PaperIndex() : d.DefaultPaper);
    copies->SetEnabled(!d.ToFile);
  };
  printers->SetOnClick(update);
  update(nullptr);
  if (F->ShowModal() != mrOk) return false;

  p->SetPrinterIndex(printers->ItemIndex());
  if (papers->ItemIndex() >= 0) p->SetPaperIndex(papers->ItemIndex());
  p->SetOrientation(orientation->ItemIndex() == 1 ? poLandscape : poPortrait);
  p->SetCopies(EditNumber(copies, p->Copies()));
  return true;
}

// ---- TFontDialog ----

TFontDialog::TFontDialog(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
  auto* F = new TDialogForm("Font", 380, 300);
  auto freeForm = AtScopeExit([&] { F->Free(); });
  F->Label("Font:", 8, 8);
  TListBox* families = F->Add<TListBox>("FamilyList", nullptr, 8, 26, 240, 226);
  for (const std::string& name : win::InstalledFontFamilies()) families->Items()->Add(name);
  // The font's own name is offered even when no installed family carries it.
  int at = families->Items()->IndexOf(FFont->Name());
  if (at < 0 && !FFont->Name().empty()) at = families->Items()->Add(FFont->Name());
  families->SetItemIndex(at);
  F->Label("Size:", 260, 8);
  TEdit* size = F->Add<TEdit>("SizeEdit", nullptr, 260, 26, 112, 22);
  size->SetTextProp(IntToStr(FFont->Size()));
  TCheckBox* bold = F->Add<TCheckBox>("BoldBox", nullptr, 260, 60, 112, 20);
  bold->SetCaption("Bold");
  bold->SetChecked(FFont->Style().Contains(fsBold));
  TCheckBox* italic = F->Add<TCheckBox>("ItalicBox", nullptr, 260, 84, 112, 20);
  italic->SetCaption("Italic");
  italic->SetChecked(FFont->Style().Contains(fsItalic));
  F->Buttons()->SetModalResult(mrOk);
  if (F->ShowModal() != mrOk) return false;

  if (families->ItemIndex() >= 0) FFont->SetName(families->Items()->Strings(families->ItemIndex()));
  int points = EditNumber(size, FFont->Size());
  if (points > 0) FFont->SetSize(points);
  TFontStyles style = FFont->Style();
  if (bold->Checked()) style += fsBold;
  else style -= fsBold;
  if (italic->Checked()) style += fsItalic;
  else style -= fsItalic;
  FFont->SetStyle(style);
  return true;
}
