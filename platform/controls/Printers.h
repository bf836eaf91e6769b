#pragma once
// The printer object. Printers come from a back end: on the desktop the "PDF file"
// printer and the CUPS queues, in tests a list of their own. A job is drawn on a PDF
// device at the printer's resolution and handed to the printer when it ends.
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Classes.h"

enum TPrinterOrientation { poPortrait, poLandscape };
enum TPrinterCapability { pcCopies, pcOrientation, pcCollation };
using TPrinterCapabilities = Set<TPrinterCapability>;

// A paper a printer takes, upright, with the margins the printer cannot print on.
struct TPaperSize {
  std::string Name;
  double WidthMM = 210, HeightMM = 297;
  double LeftMM = 0, TopMM = 0, RightMM = 0, BottomMM = 0;
};

// One printer of a back end.
struct TPrinterDevice {
  std::string Name;
  std::vector<TPaperSize> Papers;  // empty means A4 without margins
  int DefaultPaper = 0;
  int Resolution = 600;
  bool Default = false;  // the desktop's default printer
  bool ToFile = false;   // writes the job into the file the user names (TPrinter::FileName)
};

// Where printers come from and where finished jobs go.
class TPrinterBackend {
public:
  virtual ~TPrinterBackend() = default;
  // The printers on offer now, in their order; none when no printer is installed.
  virtual std::vector<TPrinterDevice> Devices() = 0;
  // Hands a finished job, a PDF file, to a printer that does not print to a file.
  // Raises EPrinter with the reason when the printer does not take it.
  virtual void Submit(const TPrinterDevice& Device, const std::string& PdfFile, const std::string& Title,
                      int Copies) = 0;
};

// The desktop's printers: "PDF file" first, then the CUPS destinations.
std::shared_ptr<TPrinterBackend> SystemPrinterBackend();
// The CUPS destinations alone.
std::shared_ptr<TPrinterBackend> CupsPrinterBackend();
// The back end of printer objects made from now on (nullptr: the system's again).
void SetPrinterBackend(std::shared_ptr<TPrinterBackend> Backend);
std::shared_ptr<TPrinterBackend> CurrentPrinterBackend();
// The name of the always-present printer that writes PDF files.
inline constexpr const char* PdfFilePrinterName = "PDF file";

class TPrinter : public TObject {
  VANTREL_CLASS(TPrinter, TObject)
public:
  // On the current back end; the desktop's default printer is selected, else the first.
  TPrinter();
  explicit TPrinter(std::shared_ptr<TPrinterBackend> Backend);
  ~TPrinter() override;

  // The names of the printers; none when no printer is installed.
  TStrings* Printers() const { return FPrinters.get(); }
  // Reads the back end's printers again, keeping the selection by name when it is still there.
  void Refresh();
  int PrinterIndex() const { return FPrinterIndex; }
  // -1 selects the default printer; an index out of range raises EPrinter.
  void SetPrinterIndex(int Value);
  // The printers as the back end described them.
  const std::vector<TPrinterDevice>& Devices() const { return FDevices; }
  // The selected printer (EPrinter when there is none).
  const TPrinterDevice& Device() const;

  // The papers of the selected printer, and the one chosen.
  TStrings* Papers() const { return FPapers.get(); }
  int PaperIndex() const { return FPaperIndex; }
  void SetPaperIndex(int Value);
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value);
  int Copies() const { return FCopies; }
  void SetCopies(int Value);
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  // The file the "PDF file" printer writes.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  TPrinterCapabilities Capabilities() const;
  // The font families the printer can print (the installed ones).
  TStrings* Fonts();

  // The sheet of the selected printer and paper in the chosen orientation, in pixels.
  win::PrinterPage Page() const;
  // The device context: the job's while printing, otherwise one that answers for the
  // selected printer and paper. EPrinter without a printer.
  win::HDC Handle();
  // The canvas on Handle().
  TCanvas* Canvas();
  int PageWidth() const { return Page().width; }
  int PageHeight() const { return Page().height; }
  int PageNumber() const { return FPageNumber; }
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }

  // Opens a job with its first page. EPrinter when a job is open, there is no printer,
  // or the job's file cannot be made.
  void BeginDoc();
  void NewPage();
  // Ends the job and hands it to the printer; EPrinter when its PDF could not be written
  // or the printer did not take it.
  void EndDoc();
  // Ends the job and throws its pages away.
  void Abort();

  // The selected printer's name, driver ("PDF") and port ("FILE:" or "CUPS:");
  // the device mode is always empty.
  void GetPrinter(char* ADevice, char* ADriver, char* APort, win::HANDLE& ADeviceMode) const;
  // Selects the printer named ADevice; EPrinter when there is none of that name.
  void SetPrinter(const char* ADevice, const char* ADriver, const char* APort, win::HANDLE ADeviceMode);

private:
  void CheckPrinting(bool Value) const;
  void DeviceChanged();
  void FreeInfoDC();
  void FreeJob();
  std::shared_ptr<TPrinterBackend> FBackend;
  std::vector<TPrinterDevice> FDevices;
  std::unique_ptr<TStringList> FPrinters, FPapers, FFonts;
  std::unique_ptr<TCanvas> FCanvas;
  int FPrinterIndex = -1;
  int FPaperIndex = -1;
  TPrinterOrientation FOrientation = poPortrait;
  int FCopies = 1;
  std::string FTitle;
  std::string FFileName;
  win::HDC FInfoDC = nullptr;
  win::HDC FJobDC = nullptr;
  std::string FJobFile;  // the PDF being written
  bool FJobFileIsTemporary = false;
  int FPageNumber = 0;
  bool FPrinting = false;
  bool FAborted = false;
};

// The process-wide printer object (made on first use).
TPrinter* Printer();
// Makes NewPrinter the process-wide printer object and returns the previous one, which
// the caller then owns; nullptr makes a new one on the next Printer().
TPrinter* SetPrinter(TPrinter* NewPrinter);
