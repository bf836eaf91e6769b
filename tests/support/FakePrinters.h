#pragma once
// A printer back end with a list of its own: a "PDF file" printer and a queue whose jobs
// are kept for the test to read, or no printer at all.
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/controls/Printers.h"

namespace fake_printers {

struct Job {
  std::string Printer, Title, KeptFile;
  int Copies = 0;
};

class Backend : public TPrinterBackend {
public:
  std::vector<TPrinterDevice> List;
  std::vector<Job> Jobs;
  bool Refuse = false;
  std::vector<TPrinterDevice> Devices() override { return List; }
  void Submit(const TPrinterDevice& Device, const std::string& PdfFile, const std::string& Title,
              int Copies) override {
    if (Refuse) throw EPrinter("The queue is stopped");
    // The printer's file goes away after the job; keep a copy to look at.
    std::string kept = PdfFile + ".kept.pdf";
    std::filesystem::copy_file(PdfFile, kept, std::filesystem::copy_options::overwrite_existing);
    Jobs.push_back(Job{Device.Name, Title, kept, Copies});
  }
};

inline TPrinterDevice PdfFile() {
  TPrinterDevice d;
  d.Name = PdfFilePrinterName;
  d.ToFile = true;
  d.Papers = {TPaperSize{"A4", 210, 297}, TPaperSize{"A5", 148, 210}};
  return d;
}

// A queue printing on A4 with 5 mm margins at 600 dpi, the desktop's default.
inline TPrinterDevice Office() {
  TPrinterDevice d;
  d.Name = "Office";
  d.Default = true;
  d.Papers = {TPaperSize{"Letter", 215.9, 279.4, 5, 5, 5, 5}, TPaperSize{"A4", 210, 297, 5, 5, 5, 5}};
  d.DefaultPaper = 1;
  return d;
}

// Installs a back end for the printer objects made while it lives.
struct Installed {
  std::shared_ptr<Backend> B = std::make_shared<Backend>();
  explicit Installed(std::vector<TPrinterDevice> List) {
    B->List = std::move(List);
    SetPrinterBackend(B);
    delete SetPrinter(nullptr);
  }
  ~Installed() {
    delete SetPrinter(nullptr);
    SetPrinterBackend(nullptr);
  }
};

// Files of this process cannot grow beyond a few bytes while it lives, as on a full disk.
struct SmallDisk {
  rlimit Old{};
  void (*OldHandler)(int) = nullptr;
  explicit SmallDisk(rlim_t Bytes) {
    getrlimit(RLIMIT_FSIZE, &Old);
    OldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small{Bytes, Old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~SmallDisk() {
    setrlimit(RLIMIT_FSIZE, &Old);
    signal(SIGXFSZ, OldHandler);
  }
};

// What a command printed.
inline std::string Run(const std::string& cmd) {
  std::string out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  pclose(p);
  return out;
}

// The page count pdfinfo gives for a file, -1 when it cannot read it.
inline int PdfPages(const std::string& file) {
  std::istringstream lines(Run("pdfinfo '" + file + "' 2>&1"));
  std::string line;
  while (std::getline(lines, line))
    if (line.rfind("Pages:", 0) == 0) return std::atoi(line.substr(6).c_str());
  return -1;
}

// The text of pages from..to of a PDF as pdftotext reads it.
inline std::string PdfText(const std::string& file, int from = 0, int to = 0) {
  std::string range = from > 0 ? " -f " + std::to_string(from) + " -l " + std::to_string(to) : "";
  return Run("pdftotext -layout" + range + " '" + file + "' - 2>&1");
}

// A scratch directory of the test's own.
inline std::string TempDir(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / ("vantrel-" + name + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace fake_printers
