#pragma once
// TPrintDBGridGx: prints a data grid over pages through a virtual printer, with margins,
// a page header and footer holding page macros, a title block, texts before and after
// the grid and text replacements; ShowPreview records the pages in the preview.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gridoutput/PrnDbggx/RichEditStrings.h"
#include "gridoutput/PrntsGx.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Currency.h"

class TDBGridGx;
class TColCellParamsGx;

// The set-up dialog's answer to margins that are not numbers, are negative or leave no
// printable area.
inline constexpr const char* SInvalidPrintMargins =
    "页边距无效：每个边距须为不小于 0 的数，且相对两边的边距之和须小于纸张的尺寸。";

enum TPrintDBGridGxOption {
  pghFitGridToPageWidth,
  pghColored,
  pghRowAutoStretch,
  pghFitingByColWidths,
  pghOptimalColWidths
};
VANTREL_ENUM(TPrintDBGridGxOption, "pghFitGridToPageWidth", "pghColored", "pghRowAutoStretch", "pghFitingByColWidths",
             "pghOptimalColWidths")
using TPrintDBGridGxOptions = Set<TPrintDBGridGxOption>;

enum TMeasureUnits { MM, Inches };
VANTREL_ENUM(TMeasureUnits, "MM", "Inches")

// Page margins, in the component's Units.
class TPageParams : public TPersistent {
  VANTREL_CLASS(TPageParams, TPersistent)
public:
  TPageParams() = default;
  void Assign(TPersistent* Source) override;
  Currency BottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(Currency Value) { FBottomMargin = Value; }
  Currency RightMargin() const { return FRightMargin; }
  void SetRightMargin(Currency Value) { FRightMargin = Value; }
  Currency LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(Currency Value) { FLeftMargin = Value; }
  Currency TopMargin() const { return FTopMargin; }
  void SetTopMargin(Currency Value) { FTopMargin = Value; }
  static void Publish(TClassBuilder<TPageParams>& b);

private:
  Currency FBottomMargin = 2, FRightMargin = 2, FLeftMargin = 2, FTopMargin = 2;
};

enum TPageColontitleLineType { pcltNon, pcltSingleLine, pcltDoubleLine };
VANTREL_ENUM(TPageColontitleLineType, "pcltNon", "pcltSingleLine", "pcltDoubleLine")

// A page header or footer: three texts and a rule towards the grid.
class TPageColontitle : public TPersistent {
  VANTREL_CLASS(TPageColontitle, TPersistent)
public:
  TPageColontitle();
  ~TPageColontitle() override;
  void Assign(TPersistent* Source) override;
  TStrings* CenterText() const { return FCenterText.get(); }
  void SetCenterText(TStrings* Value) { FCenterText->Assign(Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TStrings* LeftText() const { return FLeftText.get(); }
  void SetLeftText(TStrings* Value) { FLeftText->Assign(Value); }
  TPageColontitleLineType LineType() const { return FLineType; }
  void SetLineType(TPageColontitleLineType Value) { FLineType = Value; }
  TStrings* RightText() const { return FRightText.get(); }
  void SetRightText(TStrings* Value) { FRightText->Assign(Value); }
  static void Publish(TClassBuilder<TPageColontitle>& b);

private:
  std::unique_ptr<TStringList> FCenterText;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TStringList> FLeftText;
  TPageColontitleLineType FLineType = pcltNon;
  std::unique_ptr<TStringList> FRightText;
};

// The page macros and their values of the last print.
inline constexpr const char* PageMacroNames[6] = {"&[Page]", "&[ShortDate]", "&[Date]",
                                                  "&[LongDate]", "&[Time]", "&[Pages]"};
extern std::string PageMacroValues[6];

// Replaces Pattern in Source by Replacement (all or the first, in any letter case or
// not); a match right after Escape is kept as the pattern itself.
std::string ReplaceUnlessEscaped(const std::string& Source, const std::string& Pattern,
                                 const std::string& Replacement, char Escape, bool ReplaceAll,
                                 bool IgnoreCase);

class TPrintDBGridGx : public TComponent {
  VANTREL_CLASS(TPrintDBGridGx, TComponent)
public:
  explicit TPrintDBGridGx(TComponent* AOwner);
  ~TPrintDBGridGx() override;

  // Rich texts printed after and before the grid. Assigning a rich text keeps its
  // formatting; other lines are taken as plain text.
  TRichEditStrings* AfterGridText();
  void SetAfterGridText(TStrings* Value);
  TRichEditStrings* BeforeGridText();
  void SetBeforeGridText(TStrings* Value);
  TDBGridGx* DBGridGx() const { return FDBGridGx; }
  void SetDBGridGx(TDBGridGx* Value);
  TPrintDBGridGxOptions Options() const { return FOptions; }
  void SetOptions(TPrintDBGridGxOptions Value) { FOptions = Value; }
  TPageParams* Page() const { return FPage.get(); }
  void SetPage(TPageParams* Value) { FPage->Assign(Value); }
  TPageColontitle* PageFooter() const { return FPageFooter.get(); }
  void SetPageFooter(TPageColontitle* Value) { FPageFooter->Assign(Value); }
  TPageColontitle* PageHeader() const { return FPageHeader.get(); }
  void SetPageHeader(TPageColontitle* Value) { FPageHeader->Assign(Value); }
  const std::string& PrintFontName() const { return FPrintFontName; }
  void SetPrintFontName(const std::string& Value) { FPrintFontName = Value; }
  TStrings* Title() const { return FTitle.get(); }
  void SetTitle(TStrings* Value) { FTitle->Assign(Value); }
  TMeasureUnits Units() const { return FUnits; }
  // Converts the margins to the new unit (not while loading).
  void SetUnits(TMeasureUnits Value);
  TNotifyEvent OnAfterPrint() const { return FOnAfterPrint; }
  void SetOnAfterPrint(const TNotifyEvent& Value) { FOnAfterPrint = Value; }
  TNotifyEvent OnBeforePrint() const { return FOnBeforePrint; }
  void SetOnBeforePrint(const TNotifyEvent& Value) { FOnBeforePrint = Value; }
  TNotifyEvent OnPrinterSetupDialog() const { return FOnPrinterSetupDialog; }
  void SetOnPrinterSetupDialog(const TNotifyEvent& Value) { FOnPrinterSetupDialog = Value; }

  // Records the pages on the shared preview printer; the preview opens by itself.
  void ShowPreview();
  // Lays the grid out on Printer. Refused (nothing done) while a print of this
  // component or a job of Printer is running.
  void RenderToPrinter(TVirtualPrinter* Printer);
  // The set-up dialog on these settings; true when confirmed.
  bool RunSetupDialog();
  // RunSetupDialog, then the preview again when confirmed.
  void SetupAndPreview(TObject* Sender = nullptr);
  // Pairs of (text to find, replacement) applied to the texts before and after the grid
  // during each print; a last string without partner is ignored.
  void SetTextReplacements(const std::vector<std::string>& Pairs);
  TStrings* ReplaceFrom() const { return FReplaceFrom.get(); }
  TStrings* ReplaceTo() const { return FReplaceTo.get(); }
  // A print is being laid out.
  bool Printing() const { return FPrinting; }
  TColCellParamsGx* CellParams() const { return FCellParams.get(); }

  static void Publish(TClassBuilder<TPrintDBGridGx>& b);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The texts before and after the grid are stored as RTF ("BeforeGridText_Data",
  // "AfterGridText_Data"), each only when it has lines.
  void DefineProperties(TFiler* Filer) override;

private:
  void SetupDialogCloseQuery(TObject* Sender, bool& CanClose);

  std::unique_ptr<TRichEditStrings> FAfterGridText, FBeforeGridText;
  std::unique_ptr<TColCellParamsGx> FCellParams;
  TDBGridGx* FDBGridGx = nullptr;
  TNotifyEvent FOnAfterPrint, FOnBeforePrint, FOnPrinterSetupDialog;
  TPrintDBGridGxOptions FOptions;
  std::unique_ptr<TPageParams> FPage;
  std::unique_ptr<TPageColontitle> FPageFooter, FPageHeader;
  std::string FPrintFontName;
  std::unique_ptr<TStringList> FReplaceFrom, FReplaceTo;
  std::unique_ptr<TStringList> FTitle;
  TMeasureUnits FUnits = MM;
  bool FPrinting = false;
};

// Replaces every occurrence of Find (any letter case) in Text by Replacement, searching on
// after each inserted replacement, so a replacement holding its own find text ends.
std::string ReplaceAllText(const std::string& Text, const std::string& Find, const std::string& Replacement);

// Gives the grid its print and column commands (the options menu's items).
void StartPrnDbggxUnit();
void FinishPrnDbggxUnit();
