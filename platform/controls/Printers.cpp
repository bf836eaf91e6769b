#include "platform/controls/Printers.h"

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr const char* SPrinting = "Printing in progress";
constexpr const char* SNotPrinting = "Printer is not currently printing";
constexpr const char* SPrinterIndexError = "Printer index out of range";
constexpr const char* SNoDefaultPrinter = "There is no default printer currently selected";

std::shared_ptr<TPrinterBackend>& BackendSlot() {
  static std::shared_ptr<TPrinterBackend> backend;
  return backend;
}

int ToPixels(double mm, int dpi) { return int(std::lround(mm / 25.4 * dpi)); }

void CopyName(char* Out, const std::string& Text) {
  if (!Out) return;
  std::memcpy(Out, Text.c_str(), Text.size() + 1);
}

// A file for a job on its way to a printer.
std::string MakeTemporaryPdf() {
  const char* dir = std::getenv("TMPDIR");
  std::string name = std::string(dir && *dir ? dir : "/tmp") + "/vantrel-print-XXXXXX.pdf";
  int fd = mkstemps(name.data(), 4);
  if (fd < 0) throw EPrinter(Format("Cannot make a file for the print job in %s", dir && *dir ? dir : "/tmp"));
  close(fd);
  return name;
}

}  // namespace

void SetPrinterBackend(std::shared_ptr<TPrinterBackend> Backend) { BackendSlot() = std::move(Backend); }

std::shared_ptr<TPrinterBackend> CurrentPrinterBackend() {
  auto& slot = BackendSlot();
  return slot ? slot : SystemPrinterBackend();
}

TPrinter::TPrinter() : TPrinter(CurrentPrinterBackend()) {}

TPrinter::TPrinter(std::shared_ptr<TPrinterBackend> Backend)
    : FBackend(Backend ? std::move(Backend) : CurrentPrinterBackend()),
      FPrinters(std::make_unique<TStringList>()),
      FPapers(std::make_unique<TStringList>()),
      FCanvas(std::make_unique<TCanvas>()) {
  Refresh();
}

TPrinter::~TPrinter() {
  if (FPrinting) {
    try {
      Abort();
    } catch (...) {
    }
  }
  FreeJob();
  FreeInfoDC();
}

void TPrinter::Refresh() {
  CheckPrinting(false);
  std::string selected = FPrinterIndex >= 0 ? FDevices[size_t(FPrinterIndex)].Name : std::string();
  FDevices = FBackend->Devices();
  FPrinters->Clear();
  for (TPrinterDevice& d : FDevices) {
    if (d.Papers.empty()) d.Papers.push_back(TPaperSize{"A4", 210, 297});
    FPrinters->Add(d.Name);
  }
  FPrinterIndex = -1;
  if (!selected.empty()) FPrinterIndex = FPrinters->IndexOf(selected);
  if (FPrinterIndex < 0 && !FDevices.empty()) SetPrinterIndex(-1);
  else DeviceChanged();
}

void TPrinter::SetPrinterIndex(int Value) {
  CheckPrinting(false);
  if (Value == -1) {
    Value = FDevices.empty() ? -1 : 0;
    for (size_t i = 0; i < FDevices.size(); ++i)
      if (FDevices[i].Default) {
        Value = int(i);
        break;
      }
  } else if (Value < 0 || Value >= int(FDevices.size())) {
    throw EPrinter(SPrinterIndexError);
  }
  FPrinterIndex = Value;
  DeviceChanged();
}

// A new printer brings its papers, with its default one chosen.
void TPrinter::DeviceChanged() {
  FreeInfoDC();
  FPapers->Clear();
  FPaperIndex = -1;
  if (FPrinterIndex < 0) return;
  const TPrinterDevice& d = FDevices[size_t(FPrinterIndex)];
  for (const TPaperSize& p : d.Papers) FPapers->Add(p.Name);
  FPaperIndex = d.DefaultPaper >= 0 && d.DefaultPaper < int(d.Papers.size()) ? d.DefaultPaper : 0;
}

const TPrinterDevice& TPrinter::Device() const {
  if (FPrinterIndex < 0) throw EPrinter(SNoDefaultPrinter);
  return FDevices[size_t(FPrinterIndex)];
}

void TPrinter::SetPaperIndex(int Value) {
  CheckPrinting(false);
  if (Value < 0 || Value >= FPapers->Count()) throw EPrinter("Paper index out of range");
  FPaperIndex = Value;
  FreeInfoDC();
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  CheckPrinting(false);
  FOrientation = Value;
  FreeInfoDC();
}

void TPrinter::SetCopies(int Value) {
  CheckPrinting(false);
  FCopies = std::max(1, Value);
}

TPrinterCapabilities TPrinter::Capabilities() const {
  if (FPrinterIndex < 0) return {};
  if (Device().ToFile) return {pcOrientation};
  return {pcCopies, pcOrientation, pcCollation};
}

TStrings* TPrinter::Fonts() {
  if (!FFonts) {
    FFonts = std::make_unique<TStringList>();
    for (const std::string& f : win::InstalledFontFamilies()) FFonts->Add(f);
  }
  return FFonts.get();
}

win::PrinterPage TPrinter::Page() const {
  const TPrinterDevice& d = Device();
  const TPaperSize& p = d.Papers[size_t(FPaperIndex)];
  win::PrinterPage page;
  page.dpi = d.Resolution > 0 ? d.Resolution : 600;
  int w = ToPixels(p.WidthMM, page.dpi), h = ToPixels(p.HeightMM, page.dpi);
  int left = ToPixels(p.LeftMM, page.dpi), top = ToPixels(p.TopMM, page.dpi);
  int right = ToPixels(p.RightMM, page.dpi), bottom = ToPixels(p.BottomMM, page.dpi);
  if (FOrientation == poLandscape) {
    // Turned a quarter to the left: the top margin comes to the left, the right one to the top.
    std::swap(w, h);
    int l = top, t = right, r = bottom, b = left;
    left = l, top = t, right = r, bottom = b;
  }
  page.sheetWidth = w;
  page.sheetHeight = h;
  page.offsetX = left;
  page.offsetY = top;
  page.width = std::max(1, w - left - right);
  page.height = std::max(1, h - top - bottom);
  return page;
}

win::HDC TPrinter::Handle() {
  if (FJobDC) return FJobDC;
  if (!FInfoDC) {
    FInfoDC = win::CreatePrinterIC(Page());
    if (!FInfoDC) throw EPrinter(Format("The paper of '%s' has no printable area", Device().Name.c_str()));
  }
  return FInfoDC;
}

// Fonts on the canvas keep their point size at the printer's resolution.
TCanvas* TPrinter::Canvas() {
  win::HDC dc = Handle();
  if (!FCanvas->HandleAllocated() || FCanvas->Handle() != dc) {
    FCanvas->SetHandle(dc);
    int size = FCanvas->Font()->Size();
    FCanvas->Font()->SetPixelsPerInch(win::GetDeviceCaps(dc, win::LOGPIXELSY));
    FCanvas->Font()->SetSize(size);
  }
  return FCanvas.get();
}

void TPrinter::FreeInfoDC() {
  if (!FInfoDC) return;
  if (FCanvas->HandleAllocated() && FCanvas->Handle() == FInfoDC) FCanvas->SetHandle(nullptr);
  win::DeleteDC(FInfoDC);
  FInfoDC = nullptr;
}

void TPrinter::FreeJob() {
  if (FJobDC) {
    if (FCanvas->HandleAllocated() && FCanvas->Handle() == FJobDC) FCanvas->SetHandle(nullptr);
    win::DeleteDC(FJobDC);
    FJobDC = nullptr;
  }
  if (FJobFileIsTemporary && !FJobFile.empty()) unlink(FJobFile.c_str());
  FJobFile.clear();
  FJobFileIsTemporary = false;
}

void TPrinter::CheckPrinting(bool Value) const {
  if (FPrinting != Value) throw EPrinter(Value ? SNotPrinting : SPrinting);
}

void TPrinter::BeginDoc() {
  CheckPrinting(false);
  const TPrinterDevice& d = Device();
  win::PrinterPage page = Page();
  if (d.ToFile) {
    if (FFileName.empty()) throw EPrinter(Format("No file is named for the printer '%s'", d.Name.c_str()));
    FJobFile = FFileName;
    FJobFileIsTemporary = false;
  } else {
    FJobFile = MakeTemporaryPdf();
    FJobFileIsTemporary = true;
  }
  FJobDC = win::CreatePdfDC(FJobFile, page);
  if (!FJobDC) {
    std::string file = FJobFile;
    FreeJob();
    throw EPrinter(Format("Cannot write the print job to '%s'", file.c_str()));
  }
  win::StartPage(FJobDC);
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  Canvas()->Refresh();
}

void TPrinter::NewPage() {
  CheckPrinting(true);
  win::EndPage(FJobDC);
  win::StartPage(FJobDC);
  ++FPageNumber;
  Canvas()->Refresh();
}

void TPrinter::EndDoc() {
  CheckPrinting(true);
  auto done = AtScopeExit([&] {
    FreeJob();
    FPrinting = false;
    FPageNumber = 0;
  });
  if (FAborted) return;
  if (FCanvas->HandleAllocated() && FCanvas->Handle() == FJobDC) FCanvas->SetHandle(nullptr);
  // The file is complete only once the device has finished writing it.
  if (!win::EndDoc(FJobDC)) {
    if (!FJobFileIsTemporary) unlink(FJobFile.c_str());
    throw EPrinter(Format("Cannot write the print job to '%s'", FJobFile.c_str()));
  }
  const TPrinterDevice& d = Device();
  if (!d.ToFile) FBackend->Submit(d, FJobFile, FTitle, FCopies);
}

void TPrinter::Abort() {
  CheckPrinting(true);
  FAborted = true;
  if (FJobDC) {
    if (FCanvas->HandleAllocated() && FCanvas->Handle() == FJobDC) FCanvas->SetHandle(nullptr);
    win::EndDoc(FJobDC);
    // A partly written file named by the user is no document.
    if (!FJobFileIsTemporary) unlink(FJobFile.c_str());
  }
  FreeJob();
  FPrinting = false;
  FPageNumber = 0;
}

void TPrinter::GetPrinter(char* ADevice, char* ADriver, char* APort, win::HANDLE& ADeviceMode) const {
  ADeviceMode = nullptr;
  if (FPrinterIndex < 0) {
    CopyName(ADevice, "");
    CopyName(ADriver, "");
    CopyName(APort, "");
    return;
  }
  const TPrinterDevice& d = Device();
  CopyName(ADevice, d.Name);
  CopyName(ADriver, "PDF");
  CopyName(APort, d.ToFile ? "FILE:" : "CUPS:");
}

void TPrinter::SetPrinter(const char* ADevice, const char*, const char*, win::HANDLE) {
  int i = ADevice ? FPrinters->IndexOf(ADevice) : -1;
  if (i < 0) throw EPrinter(SPrinterIndexError);
  SetPrinterIndex(i);
}

namespace {
struct ProcessPrinter {
  std::unique_ptr<TPrinter> Object;
};
ProcessPrinter& TheProcessPrinter() {
  static ProcessPrinter p;
  return p;
}
}  // namespace

TPrinter* Printer() {
  auto& p = TheProcessPrinter();
  if (!p.Object) p.Object = std::make_unique<TPrinter>();
  return p.Object.get();
}

TPrinter* SetPrinter(TPrinter* NewPrinter) {
  auto& p = TheProcessPrinter();
  TPrinter* old = p.Object.release();
  p.Object.reset(NewPrinter);
  return old;
}
