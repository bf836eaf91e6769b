#include "gridoutput/PrntsGx.h"

#include <memory>

bool TVirtualPrinter::JobAborted() { return Printer()->Aborted(); }
TCanvas* TVirtualPrinter::PageCanvas() { return Printer()->Canvas(); }
TPrinterCapabilities TVirtualPrinter::PrinterCapabilities() { return Printer()->Capabilities(); }
TStrings* TVirtualPrinter::PrinterFonts() { return Printer()->Fonts(); }
win::HDC TVirtualPrinter::DeviceContext() { return Printer()->Handle(); }
int TVirtualPrinter::CopyCount() { return Printer()->Copies(); }
TPrinterOrientation TVirtualPrinter::PageOrientation() { return Printer()->Orientation(); }
int TVirtualPrinter::PrintableHeight() { return Printer()->PageHeight(); }
int TVirtualPrinter::PrintableWidth() { return Printer()->PageWidth(); }
int TVirtualPrinter::CurrentPageNumber() { return Printer()->PageNumber(); }
bool TVirtualPrinter::JobPrinting() { return Printer()->Printing(); }
std::string TVirtualPrinter::JobTitle() { return Printer()->Title(); }
int TVirtualPrinter::PaperWidth() {
  return Printer()->PageWidth() + 2 * win::GetDeviceCaps(Printer()->Handle(), win::PHYSICALOFFSETX);
}
int TVirtualPrinter::PaperHeight() {
  return Printer()->PageHeight() + 2 * win::GetDeviceCaps(Printer()->Handle(), win::PHYSICALOFFSETY);
}
int TVirtualPrinter::PrinterNumber() { return Printer()->PrinterIndex(); }
TStrings* TVirtualPrinter::PrinterNames() { return Printer()->Printers(); }
void TVirtualPrinter::SetPrinterNumber(int Value) { Printer()->SetPrinterIndex(Value); }
void TVirtualPrinter::SetCopyCount(int Value) { Printer()->SetCopies(Value); }
void TVirtualPrinter::SetPageOrientation(TPrinterOrientation Value) { Printer()->SetOrientation(Value); }
void TVirtualPrinter::SetJobTitle(const std::string& Value) { Printer()->SetTitle(Value); }
void TVirtualPrinter::AbortJob() { Printer()->Abort(); }
void TVirtualPrinter::StartJob() { Printer()->BeginDoc(); }
// An aborted job has already ended.
void TVirtualPrinter::FinishJob() {
  if (Printer()->Printing()) Printer()->EndDoc();
}
void TVirtualPrinter::StartNextPage() { Printer()->NewPage(); }
void TVirtualPrinter::GetDevice(char* ADevice, char* ADriver, char* APort, win::HANDLE& ADeviceMode) {
  Printer()->GetPrinter(ADevice, ADriver, APort, ADeviceMode);
}
void TVirtualPrinter::SetDevice(const char* ADevice, const char* ADriver, const char* APort, win::HANDLE ADeviceMode) {
  Printer()->SetPrinter(ADevice, ADriver, APort, ADeviceMode);
}

namespace {
// Made when the unit starts and freed when the program ends.
std::unique_ptr<TVirtualPrinter> TheVirtualPrinter = std::make_unique<TVirtualPrinter>();
}  // namespace

TVirtualPrinter* VirtualPrinter = TheVirtualPrinter.get();
