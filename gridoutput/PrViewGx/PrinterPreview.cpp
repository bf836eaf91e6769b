// The recording preview printer: pages as metafiles, device questions from its own printer.
#include "gridoutput/PrViewGx.h"

#include <cstring>

namespace {
win::PrinterPage NoPrinterPage() {
  const TNoPrinterPageDefaults& d = NoPrinterPageDefaults;
  win::PrinterPage p;
  p.dpi = d.PixelsPerInchX;
  p.offsetX = d.OffsetX;
  p.offsetY = d.OffsetY;
  p.width = d.Width;
  p.height = d.Height;
  p.sheetWidth = d.Width + 2 * d.OffsetX;
  p.sheetHeight = d.Height + 2 * d.OffsetY;
  return p;
}
}  // namespace

TPrinterPreview::TPrinterPreview() : FOwnPrinter(std::make_unique<TPrinter>()) {}

TPrinterPreview::~TPrinterPreview() {
  FCanvas.reset();
  FPages.clear();
  if (FNoPrinterDC) win::DeleteDC(FNoPrinterDC);
}

TCanvas* TPrinterPreview::PageCanvas() { return FCanvas.get(); }

TPrinterCapabilities TPrinterPreview::PrinterCapabilities() { return FOwnPrinter->Capabilities(); }

TStrings* TPrinterPreview::PrinterFonts() {
  if (HasPrinter()) return FOwnPrinter->Fonts();
  if (!FInstalledFonts) {
    FInstalledFonts = std::make_unique<TStringList>();
    for (const std::string& f : win::InstalledFontFamilies()) FInstalledFonts->Add(f);
  }
  return FInstalledFonts.get();
}

win::HDC TPrinterPreview::DeviceContext() {
  if (HasPrinter()) return FOwnPrinter->Handle();
  if (!FNoPrinterDC) FNoPrinterDC = win::CreatePrinterIC(NoPrinterPage());
  return FNoPrinterDC;
}

int TPrinterPreview::CopyCount() { return FOwnPrinter->Copies(); }
TPrinterOrientation TPrinterPreview::PageOrientation() { return FOwnPrinter->Orientation(); }
int TPrinterPreview::PrintableHeight() { return HasPrinter() ? FOwnPrinter->PageHeight() : NoPrinterPageDefaults.Height; }
int TPrinterPreview::PrintableWidth() { return HasPrinter() ? FOwnPrinter->PageWidth() : NoPrinterPageDefaults.Width; }
std::string TPrinterPreview::JobTitle() { return FOwnPrinter->Title(); }
int TPrinterPreview::PaperWidth() {
  return PrintableWidth() + 2 * win::GetDeviceCaps(DeviceContext(), win::PHYSICALOFFSETX);
}
int TPrinterPreview::PaperHeight() {
  return PrintableHeight() + 2 * win::GetDeviceCaps(DeviceContext(), win::PHYSICALOFFSETY);
}
int TPrinterPreview::PrinterNumber() { return FOwnPrinter->PrinterIndex(); }
TStrings* TPrinterPreview::PrinterNames() { return FOwnPrinter->Printers(); }
void TPrinterPreview::SetPrinterNumber(int Value) { FOwnPrinter->SetPrinterIndex(Value); }
void TPrinterPreview::SetCopyCount(int Value) { FOwnPrinter->SetCopies(Value); }
void TPrinterPreview::SetPageOrientation(TPrinterOrientation Value) { FOwnPrinter->SetOrientation(Value); }
void TPrinterPreview::SetJobTitle(const std::string& Value) { FOwnPrinter->SetTitle(Value); }
void TPrinterPreview::GetDevice(char* ADevice, char* ADriver, char* APort, win::HANDLE& ADeviceMode) {
  FOwnPrinter->GetPrinter(ADevice, ADriver, APort, ADeviceMode);
}
void TPrinterPreview::SetDevice(const char* ADevice, const char* ADriver, const char* APort, win::HANDLE ADeviceMode) {
  FOwnPrinter->SetPrinter(ADevice, ADriver, APort, ADeviceMode);
}

// A new page: a metafile the size of the printable area, recorded against the printer (or
// the no-printer context), its fonts at the printer's resolution.
void TPrinterPreview::OpenPageCanvas() {
  win::HDC ref = DeviceContext();
  auto& page = FPages.emplace_back(std::make_unique<TMetafile>());
  page->SetWidth(PrintableWidth());
  page->SetHeight(PrintableHeight());
  FCanvas = std::make_unique<TMetafileCanvas>(page.get(), ref);
  int size = FCanvas->Font()->Size();
  int x = win::GetDeviceCaps(ref, win::LOGPIXELSX), y = win::GetDeviceCaps(ref, win::LOGPIXELSY);
  FCanvas->Font()->SetPixelsPerInch(std::min(x, y) > 0 ? std::min(x, y) : 600);
  FCanvas->Font()->SetSize(size);
}

void TPrinterPreview::ClosePageCanvas() { FCanvas.reset(); }

void TPrinterPreview::RaiseChanged() {
  if (FBox) FBox->PreviewChanged(this);
}

void TPrinterPreview::RaiseOpenPreviewer() {
  if (FBox && FBox->OnOpenPreviewer()) FBox->OnOpenPreviewer()(this);
}

void TPrinterPreview::StartJob() {
  ClosePageCanvas();
  FPages.clear();
  win::HDC ref = DeviceContext();
  FRecordDpiX = std::max(1, win::GetDeviceCaps(ref, win::LOGPIXELSX));
  FRecordDpiY = std::max(1, win::GetDeviceCaps(ref, win::LOGPIXELSY));
  OpenPageCanvas();
  FPageNumber = 1;
  FAborted = false;
  FPrinting = true;
  if (FBox) {
    FBox->SetPageCount(1);
    FBox->SetPageIndex(1);
  }
  RaiseChanged();
}

void TPrinterPreview::StartNextPage() {
  ClosePageCanvas();
  OpenPageCanvas();
  if (FPages.size() == 2 && FBox) FBox->LayoutPage();
  ++FPageNumber;
  if (FBox) FBox->SetPageCount(int(FPages.size()) - 1);
  RaiseOpenPreviewer();
  RaiseChanged();
}

void TPrinterPreview::FinishJob() {
  ClosePageCanvas();
  FPageNumber = -1;
  FPrinting = false;
  if (FBox) {
    FBox->SetPageCount(int(FPages.size()));
    if (FPages.size() == 1) FBox->LayoutPage();
    FBox->SetPrinterSetupCommand(FSetupHandler);
    FBox->SetPrintComponent(FPrintComponent);
  }
  FSetupHandler = nullptr;
  FPrintComponent = nullptr;
  RaiseOpenPreviewer();
  RaiseChanged();
}

void TPrinterPreview::PaintPage(TCanvas* Canvas, int PageNumber) {
  if (PageNumber < 1 || PageNumber > int(FPages.size()) || !FPages[size_t(PageNumber) - 1]->Handle()) return;
  Canvas->Draw(0, 0, FPages[size_t(PageNumber) - 1].get());
}

void TPrinterPreview::PrintPage(TCanvas* Canvas, int PageNumber) {
  if (PageNumber < 1 || PageNumber > int(FPages.size())) return;
  TMetafile* page = FPages[size_t(PageNumber) - 1].get();
  if (!page->Handle()) return;
  win::HDC dc = Canvas->Handle();
  // Integer products in 64 bits: the page keeps its physical size on any printer.
  auto scale = [](int v, int to, int from) { return int(std::int64_t(v) * to / from); };
  int w = scale(page->Width(), win::GetDeviceCaps(dc, win::LOGPIXELSX), FRecordDpiX);
  int h = scale(page->Height(), win::GetDeviceCaps(dc, win::LOGPIXELSY), FRecordDpiY);
  Canvas->StretchDraw(win::RECT{0, 0, w, h}, page);
}
