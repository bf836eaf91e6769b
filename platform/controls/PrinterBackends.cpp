// The desktop's printers: the "PDF file" printer and the CUPS destinations.
#include <cups/cups.h>

#include "platform/controls/Printers.h"
#include "platform/rtl/SysUtils.h"

namespace {

TPaperSize A4() { return TPaperSize{"A4", 210, 297}; }

// Papers of a destination from what the server says of its media; A4 when it says nothing.
void ReadMedia(cups_dest_t* dest, TPrinterDevice& d) {
  cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
  if (!info) {
    d.Papers.push_back(A4());
    return;
  }
  auto paper = [&](cups_size_t size) {
    const char* shown = cupsLocalizeDestMedia(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size);
    TPaperSize p;
    p.Name = shown && *shown ? shown : size.media;
    p.WidthMM = size.width / 100.0;
    p.HeightMM = size.length / 100.0;
    p.LeftMM = size.left / 100.0;
    p.TopMM = size.top / 100.0;
    p.RightMM = size.right / 100.0;
    p.BottomMM = size.bottom / 100.0;
    return p;
  };
  int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
  for (int i = 0; i < count; ++i) {
    cups_size_t size;
    if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size) &&
        size.width > 0 && size.length > 0)
      d.Papers.push_back(paper(size));
  }
  cups_size_t def;
  if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &def)) {
    TPaperSize p = paper(def);
    d.DefaultPaper = -1;
    for (size_t i = 0; i < d.Papers.size(); ++i)
      if (d.Papers[i].Name == p.Name) d.DefaultPaper = int(i);
    if (d.DefaultPaper < 0 && def.width > 0 && def.length > 0) {
      d.Papers.insert(d.Papers.begin(), p);
      d.DefaultPaper = 0;
    }
  }
  if (d.Papers.empty()) d.Papers.push_back(A4());
  if (d.DefaultPaper < 0) d.DefaultPaper = 0;
  cupsFreeDestInfo(info);
}

class TCupsBackend : public TPrinterBackend {
public:
  std::vector<TPrinterDevice> Devices() override {
    std::vector<TPrinterDevice> out;
    cups_dest_t* dests = nullptr;
    int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < n; ++i) {
      cups_dest_t* dest = &dests[i];
      if (dest->instance) continue;  // instances are settings of a queue listed once
      TPrinterDevice d;
      d.Name = dest->name;
      d.Default = dest->is_default != 0;
      ReadMedia(dest, d);
      out.push_back(std::move(d));
    }
    cupsFreeDests(n, dests);
    return out;
  }

  void Submit(const TPrinterDevice& Device, const std::string& PdfFile, const std::string& Title,
              int Copies) override {
    cups_option_t* options = nullptr;
    int count = cupsAddOption("copies", std::to_string(std::max(1, Copies)).c_str(), 0, &options);
    int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, Device.Name.c_str(), PdfFile.c_str(),
                             Title.empty() ? "Vantrel" : Title.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (job <= 0)
      throw EPrinter(Format("The printer '%s' did not take the job: %s", Device.Name.c_str(), cupsLastErrorString()));
  }
};

// "PDF file", then the CUPS destinations.
class TSystemBackend : public TPrinterBackend {
public:
  std::vector<TPrinterDevice> Devices() override {
    TPrinterDevice file;
    file.Name = PdfFilePrinterName;
    file.ToFile = true;
    file.Papers = {A4(), TPaperSize{"A3", 297, 420}, TPaperSize{"A5", 148, 210},
                   TPaperSize{"Letter", 215.9, 279.4}, TPaperSize{"Legal", 215.9, 355.6}};
    std::vector<TPrinterDevice> out{file};
    bool anyDefault = false;
    for (TPrinterDevice& d : FCups.Devices()) {
      anyDefault = anyDefault || d.Default;
      out.push_back(std::move(d));
    }
    // Without a default queue the PDF printer is the default.
    out[0].Default = !anyDefault;
    return out;
  }

  void Submit(const TPrinterDevice& Device, const std::string& PdfFile, const std::string& Title,
              int Copies) override {
    FCups.Submit(Device, PdfFile, Title, Copies);
  }

private:
  TCupsBackend FCups;
};

}  // namespace

std::shared_ptr<TPrinterBackend> SystemPrinterBackend() {
  static auto backend = std::make_shared<TSystemBackend>();
  return backend;
}

std::shared_ptr<TPrinterBackend> CupsPrinterBackend() {
  static auto backend = std::make_shared<TCupsBackend>();
  return backend;
}
