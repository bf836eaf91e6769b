// The grid printer's settings: margins, page header and footer, units, texts before and
// after the grid, text replacements, the page macros and the preview entry points.
#include <algorithm>
#include <cctype>

#include "grid/DBGridGx.h"
#include "gridoutput/PrViewGx.h"
#include "gridoutput/PrnDgDlg.h"
#include "gridoutput/SetColumnForm.h"
#include "gridoutput/PrnDbggx.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/forms/Filer.h"

std::string PageMacroValues[6];

void TPageParams::Assign(TPersistent* Source) {
  if (auto* P = dynamic_cast<TPageParams*>(Source)) {
    FBottomMargin = P->FBottomMargin;
    FLeftMargin = P->FLeftMargin;
    FRightMargin = P->FRightMargin;
    FTopMargin = P->FTopMargin;
    return;
  }
  TPersistent::Assign(Source);
}

TPageColontitle::TPageColontitle()
    : FCenterText(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()),
      FLeftText(std::make_unique<TStringList>()), FRightText(std::make_unique<TStringList>()) {}
TPageColontitle::~TPageColontitle() = default;

void TPageColontitle::SetFont(TFont* Value) { FFont->Assign(Value); }

void TPageColontitle::Assign(TPersistent* Source) {
  if (auto* P = dynamic_cast<TPageColontitle*>(Source)) {
    FLeftText->Assign(P->FLeftText.get());
    FCenterText->Assign(P->FCenterText.get());
    FRightText->Assign(P->FRightText.get());
    FFont->Assign(P->FFont.get());
    FLineType = P->FLineType;
    return;
  }
  TPersistent::Assign(Source);
}

namespace {
std::string Upper(std::string S) {
  for (char& C : S) C = char(std::toupper(static_cast<unsigned char>(C)));
  return S;
}
}  // namespace

std::string ReplaceUnlessEscaped(const std::string& Source, const std::string& Pattern,
                                 const std::string& Replacement, char Escape, bool ReplaceAll,
                                 bool IgnoreCase) {
  if (Source.empty() || Pattern.empty()) return Source;
  const std::string Hay = IgnoreCase ? Upper(Source) : Source;
  const std::string Needle = IgnoreCase ? Upper(Pattern) : Pattern;
  std::string Out;
  std::size_t From = 0;
  while (true) {
    const std::size_t At = Hay.find(Needle, From);
    if (At == std::string::npos) break;
    Out.append(Source, From, At - From);
    Out += (At > 0 && Source[At - 1] == Escape) ? Pattern : Replacement;
    From = At + Needle.size();
    if (!ReplaceAll) break;
  }
  Out.append(Source, From, std::string::npos);
  return Out;
}

std::string ReplaceAllText(const std::string& Text, const std::string& Find, const std::string& Replacement) {
  return ReplaceUnlessEscaped(Text, Find, Replacement, '\0', true, true);
}

TPrintDBGridGx::TPrintDBGridGx(TComponent* AOwner)
    : TComponent(AOwner), FCellParams(std::make_unique<TColCellParamsGx>()),
      FPage(std::make_unique<TPageParams>()), FPageFooter(std::make_unique<TPageColontitle>()),
      FPageHeader(std::make_unique<TPageColontitle>()), FTitle(std::make_unique<TStringList>()) {}

TPrintDBGridGx::~TPrintDBGridGx() {
  if (FDBGridGx) FDBGridGx->RemoveFreeNotification(this);
}

TRichEditStrings* TPrintDBGridGx::AfterGridText() {
  if (!FAfterGridText) FAfterGridText = std::make_unique<TRichEditStrings>();
  return FAfterGridText.get();
}
void TPrintDBGridGx::SetAfterGridText(TStrings* Value) { AfterGridText()->Assign(Value); }
TRichEditStrings* TPrintDBGridGx::BeforeGridText() {
  if (!FBeforeGridText) FBeforeGridText = std::make_unique<TRichEditStrings>();
  return FBeforeGridText.get();
}
void TPrintDBGridGx::SetBeforeGridText(TStrings* Value) { BeforeGridText()->Assign(Value); }

void TPrintDBGridGx::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "BeforeGridText_Data", [this](TStream* S) { BeforeGridText()->LoadFromStream(S); },
      [this](TStream* S) { BeforeGridText()->SaveToStream(S); }, FBeforeGridText && FBeforeGridText->Count() > 0);
  Filer->DefineBinaryProperty(
      "AfterGridText_Data", [this](TStream* S) { AfterGridText()->LoadFromStream(S); },
      [this](TStream* S) { AfterGridText()->SaveToStream(S); }, FAfterGridText && FAfterGridText->Count() > 0);
}

void TPageParams::Publish(TClassBuilder<TPageParams>& b) {
  using T = TPageParams;
  // Margins are written whatever their value (a float property of 0 would be left out,
  // and read back as the 2.0 a new component starts with).
  auto Margin = [&b](const char* Name, Currency (T::*Get)() const, void (T::*Set)(Currency)) {
    b.Property(
        Name, [Get](T* P) { return Variant((P->*Get)()); },
        [Set](T* P, const Variant& V) { (P->*Set)(V.AsCurrency()); });
  };
  Margin("BottomMargin", &T::BottomMargin, &T::SetBottomMargin);
  Margin("LeftMargin", &T::LeftMargin, &T::SetLeftMargin);
  Margin("RightMargin", &T::RightMargin, &T::SetRightMargin);
  Margin("TopMargin", &T::TopMargin, &T::SetTopMargin);
}

void TPageColontitle::Publish(TClassBuilder<TPageColontitle>& b) {
  using T = TPageColontitle;
  b.Property("CenterText", &T::CenterText, &T::SetCenterText);
  b.Property("Font", &T::Font, &T::SetFont);
  b.Property("LeftText", &T::LeftText, &T::SetLeftText);
  b.Property("LineType", &T::LineType, &T::SetLineType).Default(pcltNon);
  b.Property("RightText", &T::RightText, &T::SetRightText);
}

void TPrintDBGridGx::Publish(TClassBuilder<TPrintDBGridGx>& b) {
  using T = TPrintDBGridGx;
  b.Property("AfterGridText", &T::AfterGridText, &T::SetAfterGridText).Stored(false);
  b.Property("BeforeGridText", &T::BeforeGridText, &T::SetBeforeGridText).Stored(false);
  b.Property("DBGridGx", &T::DBGridGx, &T::SetDBGridGx);
  b.Property("Options", &T::Options, &T::SetOptions).NoDefault();
  b.Property("Page", &T::Page, &T::SetPage);
  b.Property("PageFooter", &T::PageFooter, &T::SetPageFooter);
  b.Property("PageHeader", &T::PageHeader, &T::SetPageHeader);
  b.Property("PrintFontName", [](T* P) { return P->PrintFontName(); }, &T::SetPrintFontName);
  b.Property("Title", &T::Title, &T::SetTitle);
  b.Property("Units", &T::Units, &T::SetUnits).NoDefault();
  b.Property("OnAfterPrint", &T::OnAfterPrint, &T::SetOnAfterPrint);
  b.Property("OnBeforePrint", &T::OnBeforePrint, &T::SetOnBeforePrint);
  b.Property("OnPrinterSetupDialog", &T::OnPrinterSetupDialog, &T::SetOnPrinterSetupDialog);
}

void TPrintDBGridGx::SetDBGridGx(TDBGridGx* Value) {
  if (Value == FDBGridGx) return;
  if (FDBGridGx) FDBGridGx->RemoveFreeNotification(this);
  FDBGridGx = Value;
  if (Value) Value->FreeNotification(this);
}

void TPrintDBGridGx::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDBGridGx) FDBGridGx = nullptr;
}

void TPrintDBGridGx::SetUnits(TMeasureUnits Value) {
  if (Value == FUnits) return;
  FUnits = Value;
  if (ComponentState().Contains(csLoading)) return;
  const double Factor = Value == Inches ? 0.3937 : 2.54;
  auto Convert = [&](Currency C) { return Currency::FromDouble(C.ToDouble() * Factor); };
  FPage->SetBottomMargin(Convert(FPage->BottomMargin()));
  FPage->SetTopMargin(Convert(FPage->TopMargin()));
  FPage->SetLeftMargin(Convert(FPage->LeftMargin()));
  FPage->SetRightMargin(Convert(FPage->RightMargin()));
}

void TPrintDBGridGx::SetTextReplacements(const std::vector<std::string>& Pairs) {
  if (!FReplaceFrom) FReplaceFrom = std::make_unique<TStringList>();
  if (!FReplaceTo) FReplaceTo = std::make_unique<TStringList>();
  FReplaceFrom->Clear();
  FReplaceTo->Clear();
  for (std::size_t I = 0; I + 1 < Pairs.size(); I += 2) {
    FReplaceFrom->Add(Pairs[I]);
    FReplaceTo->Add(Pairs[I + 1]);
  }
}

void TPrintDBGridGx::ShowPreview() {
  if (FPrinting) return;
  TPrinterPreview* Preview = SharedPrinterPreview();
  if (Preview->JobPrinting()) return;
  Preview->SetSetupDialogHandler(FOnPrinterSetupDialog ? FOnPrinterSetupDialog
                                                       : MakeEvent(this, &TPrintDBGridGx::SetupAndPreview));
  Preview->SetPendingPrintComponent(this);
  RenderToPrinter(Preview);
}

namespace {
// The set-up dialog, made on first use and kept for the application's life.
TfPrnDBGridGxSetupDialog*& SetupDialog() {
  static TfPrnDBGridGxSetupDialog* Dialog = nullptr;
  return Dialog;
}

std::string MarginText(Currency Value) { return FloatToStr(Value.ToDouble()); }

// The sheet of the process-wide printer (or the page assumed without one), in Units.
void SheetSize(TMeasureUnits Units, double& Width, double& Height) {
  double Dpi = NoPrinterPageDefaults.PixelsPerInchX;
  double W = NoPrinterPageDefaults.Width + 2 * NoPrinterPageDefaults.OffsetX;
  double H = NoPrinterPageDefaults.Height + 2 * NoPrinterPageDefaults.OffsetY;
  if (Printer()->Printers()->Count() > 0) {
    const win::PrinterPage Page = Printer()->Page();
    Dpi = Page.dpi;
    W = Page.sheetWidth;
    H = Page.sheetHeight;
  }
  const double PerInch = Units == MM ? 2.54 : 1.0;
  Width = W / Dpi * PerInch;
  Height = H / Dpi * PerInch;
}
}  // namespace

namespace {
// The four margins of the dialog (top, bottom, left, right) when all are numbers, none is
// negative and they leave a printable area on the sheet.
bool DialogMargins(TfPrnDBGridGxSetupDialog* D, TMeasureUnits Units, double (&Margins)[4]) {
  double Width = 0, Height = 0;
  SheetSize(Units, Width, Height);
  TEdit* Edits[4] = {D->seUpMargin, D->seLowMargin, D->seLeftMargin, D->seRightMargin};
  for (int I = 0; I < 4; ++I)
    if (!TryStrToFloat(Edits[I]->TextProp(), Margins[I]) || Margins[I] < 0) return false;
  return Margins[2] + Margins[3] < Width && Margins[0] + Margins[1] < Height;
}
}  // namespace

// OK with margins that cannot print keeps the dialog open, with a message saying why.
void TPrintDBGridGx::SetupDialogCloseQuery(TObject*, bool& CanClose) {
  TfPrnDBGridGxSetupDialog* D = SetupDialog();
  double Margins[4];
  if (!D || D->ModalResult() != mrOk || DialogMargins(D, FUnits, Margins)) return;
  CanClose = false;
  Application->MessageBox(SInvalidPrintMargins, "打印设置", win::MB_OK | win::MB_ICONERROR);
}

bool TPrintDBGridGx::RunSetupDialog() {
  TfPrnDBGridGxSetupDialog*& D = SetupDialog();
  if (!D) {
    RegisterPrintSetupDialogClass();
    D = TCustomForm::Create<TfPrnDBGridGxSetupDialog>(Application);
    D->SetOnDestroy([](TObject*) { SetupDialog() = nullptr; });
  }
  D->seUpMargin->SetTextProp(MarginText(FPage->TopMargin()));
  D->seLowMargin->SetTextProp(MarginText(FPage->BottomMargin()));
  D->seLeftMargin->SetTextProp(MarginText(FPage->LeftMargin()));
  D->seRightMargin->SetTextProp(MarginText(FPage->RightMargin()));
  D->cbFitWidthToPage->SetChecked(FOptions.Contains(pghFitGridToPageWidth));
  D->rgFitingType->SetEnabled(D->cbFitWidthToPage->Checked());
  D->ePrintFont->SetTextProp(FPrintFontName);
  D->cbAutoStretch->SetChecked(FOptions.Contains(pghRowAutoStretch));
  D->cbColored->SetChecked(FOptions.Contains(pghColored));
  D->rgFitingType->SetItemIndex(FOptions.Contains(pghFitingByColWidths) ? 1 : 0);
  D->cbOptimalColWidths->SetChecked(FOptions.Contains(pghOptimalColWidths));
  // All four margins are checked before any is taken: the dialog closes with OK only
  // when they are right.
  D->SetOnCloseQuery(MakeEvent(this, &TPrintDBGridGx::SetupDialogCloseQuery));
  auto Detach = AtScopeExit([&D] {
    if (D) D->SetOnCloseQuery(nullptr);
  });
  double Margins[4];
  if (D->ShowModal() != mrOk || !DialogMargins(D, FUnits, Margins)) return false;
  FPage->SetTopMargin(Currency::FromDouble(Margins[0]));
  FPage->SetBottomMargin(Currency::FromDouble(Margins[1]));
  FPage->SetLeftMargin(Currency::FromDouble(Margins[2]));
  FPage->SetRightMargin(Currency::FromDouble(Margins[3]));
  auto Apply = [this](TPrintDBGridGxOption Option, bool On) {
    if (On) FOptions.Include(Option);
    else FOptions.Exclude(Option);
  };
  Apply(pghFitGridToPageWidth, D->cbFitWidthToPage->Checked());
  FPrintFontName = D->ePrintFont->TextProp();
  Apply(pghRowAutoStretch, D->cbAutoStretch->Checked());
  Apply(pghColored, D->cbColored->Checked());
  Apply(pghFitingByColWidths, D->rgFitingType->ItemIndex() == 1);
  Apply(pghOptimalColWidths, D->cbOptimalColWidths->Checked());
  return true;
}

void TPrintDBGridGx::SetupAndPreview(TObject*) {
  if (RunSetupDialog()) ShowPreview();
}

namespace {
// The print component lives for this command only; it has no owner that could free it
// while the layout runs.
void PrintGrid(TDBGridGx* Grid) {
  TPrintDBGridGx Print(nullptr);
  Print.SetDBGridGx(Grid);
  Print.SetTextReplacements({"%[Today]", DateToStr(Now())});
  Print.ShowPreview();
}
void ShowColumnDialog(TDBGridGx* Grid) {
  RegisterSetColumnFormClass();
  auto* Dialog = TCustomForm::Create<TFrmSetColumn>(Application);
  Dialog->TargetGrid = Grid;
  Dialog->ShowModal();
  delete Dialog;
}
int UnitUses = 0;
}  // namespace

void StartPrnDbggxUnit() {
  if (UnitUses++ > 0) return;
  RegisterClasses({TPrintDBGridGx::StaticClass()});
  TDBGridGxOutputCommands Commands = DBGridGxOutputCommands();
  Commands.Print = &PrintGrid;
  Commands.ColumnDialog = &ShowColumnDialog;
  RegisterDBGridGxOutputCommands(Commands);
}

void FinishPrnDbggxUnit() {
  if (UnitUses == 0 || --UnitUses > 0) return;
  TDBGridGxOutputCommands Commands = DBGridGxOutputCommands();
  Commands.Print = nullptr;
  Commands.ColumnDialog = nullptr;
  RegisterDBGridGxOutputCommands(Commands);
}
