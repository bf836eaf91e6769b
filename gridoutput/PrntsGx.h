#pragma once
// TVirtualPrinter: the printer operations a page layout draws through. The base class
// forwards each to the process-wide printer object; the recording preview printer
// (PrViewGx.h) records the pages instead. Lengths are device pixels of the printer, with
// (0, 0) at the top-left corner of the printable area.
#include <string>

#include "platform/controls/Printers.h"

class TVirtualPrinter : public TObject {
  VANTREL_CLASS(TVirtualPrinter, TObject)
public:
  TVirtualPrinter() = default;
  ~TVirtualPrinter() override = default;

  // The current job was aborted.
  virtual bool JobAborted();
  // The canvas of the page being produced; fetch it again after StartNextPage.
  virtual TCanvas* PageCanvas();
  virtual TPrinterCapabilities PrinterCapabilities();
  virtual TStrings* PrinterFonts();
  // The device context for GetDeviceCaps questions.
  virtual win::HDC DeviceContext();
  virtual int CopyCount();
  virtual TPrinterOrientation PageOrientation();
  virtual int PrintableHeight();
  virtual int PrintableWidth();
  // 1 for the first page of a job, one more after each StartNextPage.
  virtual int CurrentPageNumber();
  // A job is open (between StartJob and FinishJob).
  virtual bool JobPrinting();
  virtual std::string JobTitle();
  // The whole sheet: the printable size plus twice the physical offset.
  virtual int PaperWidth();
  virtual int PaperHeight();
  virtual int PrinterNumber();
  // The installed printers; none means no printer is installed.
  virtual TStrings* PrinterNames();
  virtual void SetPrinterNumber(int Value);
  virtual void SetCopyCount(int Value);
  virtual void SetPageOrientation(TPrinterOrientation Value);
  virtual void SetJobTitle(const std::string& Value);
  // Stops the job; JobAborted answers true from then on.
  virtual void AbortJob();
  // Opens a job with page 1 current.
  virtual void StartJob();
  // Closes the job after its last page.
  virtual void FinishJob();
  // Closes the current page and makes a new one current.
  virtual void StartNextPage();
  virtual void GetDevice(char* ADevice, char* ADriver, char* APort, win::HANDLE& ADeviceMode);
  virtual void SetDevice(const char* ADevice, const char* ADriver, const char* APort, win::HANDLE ADeviceMode);
};

// The process-wide virtual printer, printing straight to the printer object.
extern TVirtualPrinter* VirtualPrinter;
