#pragma once
// The print preview engine: TPrinterPreview records every page of a job as a metafile and
// answers the device's questions from a printer object of its own; TPreviewBox shows one
// recorded page at a time on a paper panel (TDrawPanel), zooms, scrolls and pages, and
// prints the recorded pages on the printer.
#include <memory>
#include <vector>

#include "gridoutput/PrntsGx.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Scrolling.h"

// What the preview assumes of the page when no printer is installed.
struct TNoPrinterPageDefaults {
  int OffsetX = 130, OffsetY = 150;      // physical offsets, device pixels
  int Width = 4676, Height = 6744;       // printable area, device pixels
  int PixelsPerInchX = 600, PixelsPerInchY = 600;
  int WidthMM = 198, HeightMM = 285;     // printable area
};
inline constexpr TNoPrinterPageDefaults NoPrinterPageDefaults{};

class TPreviewBox;

class TPrinterPreview : public TVirtualPrinter {
  VANTREL_CLASS(TPrinterPreview, TVirtualPrinter)
public:
  TPrinterPreview();
  ~TPrinterPreview() override;

  bool JobAborted() override { return FAborted; }
  TCanvas* PageCanvas() override;
  TPrinterCapabilities PrinterCapabilities() override;
  // The printer's fonts; the installed ones without a printer.
  TStrings* PrinterFonts() override;
  // The printer's device context; without a printer one that answers with
  // NoPrinterPageDefaults and draws nothing.
  win::HDC DeviceContext() override;
  int CopyCount() override;
  TPrinterOrientation PageOrientation() override;
  int PrintableHeight() override;
  int PrintableWidth() override;
  int CurrentPageNumber() override { return FPageNumber; }
  bool JobPrinting() override { return FPrinting; }
  std::string JobTitle() override;
  int PaperWidth() override;
  int PaperHeight() override;
  int PrinterNumber() override;
  TStrings* PrinterNames() override;
  void SetPrinterNumber(int Value) override;
  void SetCopyCount(int Value) override;
  void SetPageOrientation(TPrinterOrientation Value) override;
  void SetJobTitle(const std::string& Value) override;
  // Only raises the aborted flag: the layout stops at its next test and finishes the job.
  void AbortJob() override { FAborted = true; }
  // Discards the previous job's pages and opens page 1.
  void StartJob() override;
  // Completes the last page and hands the set-up command and print component to the box.
  void FinishJob() override;
  // Completes the current page (the window shows from the first one on) and opens the next.
  void StartNextPage() override;
  void GetDevice(char* ADevice, char* ADriver, char* APort, win::HANDLE& ADeviceMode) override;
  void SetDevice(const char* ADevice, const char* ADriver, const char* APort, win::HANDLE ADeviceMode) override;

  // Draws recorded page n (from 1) at (0, 0) of the canvas, in the recording's pixels.
  void PaintPage(TCanvas* Canvas, int PageNumber);
  // Draws recorded page n into the printable area of the canvas's printer at that
  // printer's resolution, so the page keeps its size whichever printer prints it.
  void PrintPage(TCanvas* Canvas, int PageNumber);
  // The printer-setup command the box gets when the job finishes.
  void SetSetupDialogHandler(const TNotifyEvent& Handler) { FSetupHandler = Handler; }
  // The print component the box gets when the job finishes (the grid printer).
  void SetPendingPrintComponent(TComponent* Component) { FPrintComponent = Component; }
  void AttachBox(TPreviewBox* Box) { FBox = Box; }
  TPreviewBox* Box() const { return FBox; }
  // Raises the box's OnOpenPreviewer with this preview printer as Sender.
  void RaiseOpenPreviewer();
  TPrinter* OwnPrinter() const { return FOwnPrinter.get(); }
  // Pages recorded so far, the open one included.
  int RecordedPages() const { return int(FPages.size()); }
  // The own printer has at least one printer.
  bool HasPrinter() const { return FOwnPrinter->Printers()->Count() > 0; }

private:
  void OpenPageCanvas();
  void ClosePageCanvas();
  void RaiseChanged();
  bool FAborted = false;
  std::unique_ptr<TMetafileCanvas> FCanvas;
  std::vector<std::unique_ptr<TMetafile>> FPages;
  TNotifyEvent FSetupHandler;
  int FPageNumber = 0;
  TPreviewBox* FBox = nullptr;
  std::unique_ptr<TPrinter> FOwnPrinter;
  TComponent* FPrintComponent = nullptr;
  bool FPrinting = false;
  win::HDC FNoPrinterDC = nullptr;
  std::unique_ptr<TStringList> FInstalledFonts;
  int FRecordDpiX = 600, FRecordDpiY = 600;  // of the job's pages
};

// The paper: plays the box's current page back, zooms on a click and pans on a drag.
class TDrawPanel : public TPanel {
  VANTREL_CLASS(TDrawPanel, TPanel)
public:
  explicit TDrawPanel(TComponent* AOwner);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Dispatch(TMessage& Message) override;

private:
  TPreviewBox* Box() const;
  int FDownX = 0, FDownY = 0;
};

class TPreviewBox : public TScrollBox {
  VANTREL_CLASS(TPreviewBox, TScrollBox)
public:
  explicit TPreviewBox(TComponent* AOwner);
  ~TPreviewBox() override;

  // Complete pages shown; the preview printer sets it while recording.
  int PageCount() const { return FPageCount; }
  void SetPageCount(int Value) { FPageCount = Value; }
  // The page shown, from 1; kept within 1..PageCount (0 without pages).
  int PageIndex() const { return FPageIndex; }
  void SetPageIndex(int Value);
  // 0..7 fixed zooms (500 % down to 10 %), 8 page width, 9 whole page.
  int ViewMode() const { return FViewMode; }
  void SetViewMode(int Value);
  int ScalePercent() const { return FScalePercent; }
  // The grid print component of the pages shown, cleared when it is freed.
  TComponent* PrintComponent() const { return FPrintComponent; }
  void SetPrintComponent(TComponent* Value);
  const TNotifyEvent& PrinterSetupCommand() const { return FPrinterSetupCommand; }
  void SetPrinterSetupCommand(const TNotifyEvent& Value) { FPrinterSetupCommand = Value; }
  TPrinterPreview* PrinterPreview() const { return FPrinterPreview.get(); }
  TDrawPanel* Paper() const { return FPaper; }
  TPanel* Shadow() const { return FShadow; }

  // Prints a range of the recorded pages on the chosen printer (print dialog).
  void PrintPages();
  // Runs the printer-setup command, or the printer set-up dialog.
  void RunPrinterSetup();
  // Sizes and places the paper and its shadow for the view mode.
  void LayoutPage();
  void RepaintPage();
  // The pixels per inch of the form that holds the box.
  int FormPixelsPerInch() const;

  TNotifyEvent OnOpenPreviewer() const { return FOnOpenPreviewer; }
  void SetOnOpenPreviewer(const TNotifyEvent& Value) { FOnOpenPreviewer = Value; }
  TNotifyEvent OnPrinterPreviewChanged() const { return FOnPrinterPreviewChanged; }
  void SetOnPrinterPreviewChanged(const TNotifyEvent& Value) { FOnPrinterPreviewChanged = Value; }
  // Raises OnPrinterPreviewChanged with Sender.
  void PreviewChanged(TObject* Sender);
  static void Publish(TClassBuilder<TPreviewBox>& b);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;
  // Pages and scrolls (the table of keys in the preview's description).
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  // Pages when the page fits, scrolls otherwise.
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TDrawPanel* FPaper = nullptr;
  TNotifyEvent FOnOpenPreviewer, FOnPrinterPreviewChanged;
  TNotifyEvent FPrinterSetupCommand;
  int FPageCount = 0;
  int FPageIndex = 1;
  std::unique_ptr<TPrinterPreview> FPrinterPreview;
  TComponent* FPrintComponent = nullptr;
  int FViewMode = 9;
  TPanel* FShadow = nullptr;
  int FScalePercent = 100;
};

// The program's one preview printer; the preview window is made on first use.
TPrinterPreview* SharedPrinterPreview();
// Makes Value the process-wide printer object and returns the previous one.
TPrinter* ExchangePrinterObject(TPrinter* Value);
TPrinter* CurrentPrinterObject();
// Installs a cursor resource in Screen's cursors at the first free index from 1 and
// returns the index; EOutOfResources when it cannot be loaded or no index is free.
TCursor InstallPreviewCursor(const std::string& ResourceName);
// The preview's magnifier and hand cursors (installed on first use).
TCursor crMagnifierGx();
TCursor crHandGx();
