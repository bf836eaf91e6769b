// A job printed on a queue of a real CUPS server of the test's own: a PDF queue
// (Debian's cups-pdf) that writes what it prints to $HOME/PDF of the printing user.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/controls/Printers.h"
#include "tests/support/FakePrinters.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Waits for Done for some seconds, looking again every tenth of a second.
bool WaitFor(const std::function<bool()>& Done, int Seconds) {
  auto deadline = Clock::now() + std::chrono::seconds(Seconds);
  while (Clock::now() < deadline) {
    if (Done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return Done();
}

// cupsd with its configuration, spool and socket in a scratch directory.
class CupsServer {
public:
  CupsServer() : FDir(fake_printers::TempDir("cupsd")) {
    for (const char* d : {"root/ppd", "spool/tmp", "state", "cache", "log"}) fs::create_directories(FDir + "/" + d);
    fs::permissions(FDir + "/spool/tmp", fs::perms::all | fs::perms::sticky_bit);
    Socket = FDir + "/cups.sock";
    std::ofstream(FDir + "/root/cups-files.conf")
        << "ServerRoot " << FDir << "/root\nRequestRoot " << FDir << "/spool\nStateDir " << FDir
        << "/state\nCacheDir " << FDir << "/cache\nTempDir " << FDir << "/spool/tmp\nAccessLog " << FDir
        << "/log/access_log\nErrorLog " << FDir << "/log/error_log\nPageLog " << FDir
        << "/log/page_log\nSandboxing Relaxed\n";
    std::ofstream(FDir + "/root/cupsd.conf")
        << "Listen " << Socket << "\nLogLevel info\nBrowsing No\nWebInterface No\n"
        << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    FPid = fork();
    if (FPid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server ends with the test, however it ends
      std::string c = FDir + "/root/cupsd.conf", s = FDir + "/root/cups-files.conf";
      execlp("cupsd", "cupsd", "-f", "-c", c.c_str(), "-s", s.c_str(), static_cast<char*>(nullptr));
      execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", c.c_str(), "-s", s.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~CupsServer() {
    if (FPid > 0) {
      kill(FPid, SIGTERM);
      waitpid(FPid, nullptr, 0);
    }
    fs::remove_all(FDir);
  }
  bool Started() const { return FPid > 0 && WaitFor([&] { return fs::exists(Socket); }, 20); }
  std::string Log() const { return fake_printers::Run("cat '" + FDir + "/log/error_log' 2>&1 | tail -20"); }
  std::string Socket;

private:
  std::string FDir;
  pid_t FPid = -1;
};

TEST(CupsPrinting, AJobArrivesAtAPdfQueueAsAPdfWithThePagesText) {
  CupsServer server;
  ASSERT_TRUE(server.Started()) << "cupsd did not start (scripts/deps.sh installs cups)";
  setenv("CUPS_SERVER", server.Socket.c_str(), 1);
  cupsSetServer(nullptr);  // the server named in the environment
  // The queue turns PDF into PostScript with poppler, which keeps the text as text.
  std::string admin = "CUPS_SERVER='" + server.Socket + "' lpadmin -p VantrelPDF -E -v cups-pdf:/ "
                      "-P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o pdftops-renderer-default=pdftops 2>&1 && CUPS_SERVER='" + server.Socket +
                      "' lpadmin -d VantrelPDF 2>&1 && echo added";
  std::string added = fake_printers::Run(admin);
  ASSERT_NE(added.find("added"), std::string::npos) << added << server.Log();

  // The queue, its default and its papers, as the printer object reads them.
  TPrinter printer(CupsPrinterBackend());
  ASSERT_EQ(printer.Printers()->Count(), 1) << server.Log();
  EXPECT_EQ(printer.Printers()->Strings(0), "VantrelPDF");
  EXPECT_EQ(printer.PrinterIndex(), 0);
  EXPECT_GE(printer.Papers()->Count(), 2);
  EXPECT_GT(printer.PageWidth(), 4000);
  EXPECT_TRUE(printer.Capabilities().Contains(pcCopies));
  // The system's printers are the PDF file printer and this queue, which is the default.
  TPrinter system(SystemPrinterBackend());
  ASSERT_EQ(system.Printers()->Count(), 2);
  EXPECT_EQ(system.Printers()->Strings(0), "PDF file");
  EXPECT_EQ(system.PrinterIndex(), 1);

  // cups-pdf writes into the printing user's $HOME/PDF, naming the file by the job's title.
  passwd* user = getpwnam(cupsUser());
  ASSERT_NE(user, nullptr);
  fs::path out = fs::path(user->pw_dir) / "PDF";
  std::string title = "VantrelJob" + std::to_string(getpid());
  printer.SetTitle(title);
  printer.BeginDoc();
  printer.Canvas()->Font()->SetName("Arial");
  printer.Canvas()->Font()->SetSize(14);
  printer.Canvas()->TextOut(600, 600, "Snippet page one");
  printer.NewPage();
  printer.Canvas()->TextOut(600, 600, "Snippet page two");
  printer.EndDoc();

  fs::path arrived;
  bool found = WaitFor([&] {
    std::error_code ec;
    for (auto& e : fs::directory_iterator(out, ec))
      if (e.path().filename().string().rfind(title, 0) == 0 && e.path().extension() == ".pdf") {
        arrived = e.path();
        return fake_printers::PdfPages(arrived.string()) == 2;
      }
    return false;
  }, 60);
  ASSERT_TRUE(found) << "no PDF of the job in " << out << "\n" << server.Log();
  std::string text = fake_printers::PdfText(arrived.string());
  EXPECT_NE(text.find("Snippet page one"), std::string::npos) << text;
  EXPECT_NE(text.find("Snippet page two"), std::string::npos) << text;
  fs::remove(arrived);

  // A queue that is gone does not take the job: the printer error, not success.
  fake_printers::Run("CUPS_SERVER='" + server.Socket + "' lpadmin -x VantrelPDF 2>&1");
  printer.BeginDoc();
  EXPECT_THROW(printer.EndDoc(), EPrinter);
  unsetenv("CUPS_SERVER");
}

}  // namespace
