// The program's real start-up and exit on a private X server with a 10,000-row snippet
// table, against a minimal Xlib program (reference/hotkey_grabber.cpp) that reads the same
// rows and grabs the same combinations under the same lock-key states.
//   start-up: from starting the process to the first press of Ctrl+Alt+A (sent through the
//             XTEST extension, again and again) that puts something on the clipboard;
//   exit:     from releasing the button on the tray menu's exit item (for the reference:
//             closing its standard input) to the end of the process.
// Each run is a fresh process; the sides take turns, the first side alternating. The
// figures and the ratios of each pair are printed as min / median / max.
#include "bench/Figures.h"
#include "bench/SnippetTable.h"
#include "tests/support/Xvfb.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// X's headers last: their macros clash with names in the others.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

namespace fs = std::filesystem;
using bench_figures::MinMedianMax;
using Clock = std::chrono::steady_clock;
constexpr int Rows = 10000;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Fail(const std::string& what) { throw std::runtime_error(what); }

// A child process; its standard input and output are pipes when asked for.
struct Child {
  pid_t Pid = -1;
  int In = -1;
  int Out = -1;
};

Child Spawn(const std::vector<std::string>& args, const std::string& dir, bool pipeIn, bool pipeOut) {
  int in[2] = {-1, -1}, out[2] = {-1, -1};
  // Close-on-exec: no other child keeps a pipe end open.
  if ((pipeIn && pipe2(in, O_CLOEXEC) != 0) || (pipeOut && pipe2(out, O_CLOEXEC) != 0)) Fail("pipe");
  Child c;
  c.Pid = fork();
  if (c.Pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    int devnull = open("/dev/null", O_RDWR);
    dup2(pipeIn ? in[0] : devnull, 0);
    dup2(pipeOut ? out[1] : devnull, 1);
    dup2(devnull, 2);
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pipeIn) {
    close(in[0]);
    c.In = in[1];
  }
  if (pipeOut) {
    close(out[1]);
    c.Out = out[0];
    fcntl(c.Out, F_SETFL, O_NONBLOCK);
  }
  return c;
}

void Reap(Child& c) {
  if (c.Pid > 0) {
    kill(c.Pid, SIGKILL);
    waitpid(c.Pid, nullptr, 0);
  }
  if (c.In >= 0) close(c.In);
  if (c.Out >= 0) close(c.Out);
  c = Child{};
}

// Waits for the child to end; false after timeoutMs.
bool WaitEnd(Child& c, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Clock::now() < deadline) {
    if (waitpid(c.Pid, nullptr, WNOHANG) == c.Pid) {
      c.Pid = -1;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return false;
}

// Lines a child printed so far, kept across reads.
struct Lines {
  int Fd;
  std::string Text;
  void Read() {
    char buf[4096];
    ssize_t n;
    while ((n = read(Fd, buf, sizeof buf)) > 0) Text.append(buf, std::size_t(n));
  }
  // The last complete line starting with prefix, after byte from; empty when none.
  std::string Last(const std::string& prefix, std::size_t from = 0) {
    Read();
    std::string found;
    std::istringstream in(Text.substr(std::min(from, Text.size())));
    for (std::string line; std::getline(in, line);)
      if (line.rfind(prefix, 0) == 0) found = line;
    return found;
  }
};

struct World {
  fs::path Dir;
  xvfb_test::Server Server;
  Child Tray;
  Display* Dpy = nullptr;
  Lines TrayOut{-1, {}};

  World() {
    char tmpl[] = "/tmp/vantrel-bench-x11-XXXXXX";
    if (!mkdtemp(tmpl)) Fail("mkdtemp");
    Dir = tmpl;
    for (const char* d : {"app", "home", "config", "run"}) fs::create_directory(Dir / d);
    fs::permissions(Dir / "run", fs::perms::owner_all);
    bench_data::WriteSnippetTable((Dir / "app" / "data.mdb").string(), Rows);
    fs::copy_file(VANTREL_PROGRAM, Dir / "app" / "vantrel");
    // Settings, the single-copy lock and autostart entries stay in the scratch directory.
    setenv("HOME", (Dir / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Dir / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (Dir / "run").c_str(), 1);

    if (!Server.Running()) Fail("Xvfb did not start");
    setenv("DISPLAY", Server.Name().c_str(), 1);
    for (int i = 0; i < 50 && !Dpy; ++i) {
      Dpy = XOpenDisplay(nullptr);
      if (!Dpy) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!Dpy) Fail("cannot open the display");
    int event, error, major, minor;
    if (!XTestQueryExtension(Dpy, &event, &error, &major, &minor)) Fail("no XTEST extension");

    Tray = Spawn({VANTREL_TEST_TRAY}, "", false, true);
    TrayOut.Fd = Tray.Out;
    auto deadline = Clock::now() + std::chrono::seconds(10);
    while (TrayOut.Last("ready").empty())
      if (Clock::now() > deadline) Fail("the test tray did not start");
      else std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ~World() {
    if (Dpy) XCloseDisplay(Dpy);
    Reap(Tray);
    fs::remove_all(Dir);
  }

  Window ClipboardOwner() { return XGetSelectionOwner(Dpy, XInternAtom(Dpy, "CLIPBOARD", False)); }

  // Presses Ctrl+Alt+A until the clipboard has an owner; the time it took from start.
  double PressUntilClipboard(Clock::time_point start) {
    KeyCode ctrl = XKeysymToKeycode(Dpy, XK_Control_L), alt = XKeysymToKeycode(Dpy, XK_Alt_L),
            a = XKeysymToKeycode(Dpy, XK_a);
    auto deadline = start + std::chrono::seconds(60);
    while (Clock::now() < deadline) {
      for (KeyCode k : {ctrl, alt, a}) XTestFakeKeyEvent(Dpy, k, True, CurrentTime);
      for (KeyCode k : {a, alt, ctrl}) XTestFakeKeyEvent(Dpy, k, False, CurrentTime);
      XSync(Dpy, False);
      for (int i = 0; i < 10; ++i) {
        if (ClipboardOwner() != 0) return Ms(Clock::now() - start);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
    }
    Fail("no hot key worked within a minute");
    return 0;
  }

  void Click(int x, int y, unsigned button, Clock::time_point* released = nullptr) {
    XTestFakeMotionEvent(Dpy, -1, x, y, CurrentTime);
    XSync(Dpy, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    XTestFakeButtonEvent(Dpy, button, True, CurrentTime);
    XSync(Dpy, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (released) *released = Clock::now();
    XTestFakeButtonEvent(Dpy, button, False, CurrentTime);
    XSync(Dpy, False);
  }

  std::vector<Window> TopWindows() {
    Window rootRet, parent, *children = nullptr;
    unsigned n = 0;
    XQueryTree(Dpy, DefaultRootWindow(Dpy), &rootRet, &parent, &children, &n);
    std::vector<Window> out(children, children + n);
    if (children) XFree(children);
    return out;
  }
};

struct Times {
  double Startup, Exit;
};

Times RunProgram(World& w) {
  if (w.ClipboardOwner() != 0) Fail("the clipboard is taken before the start");
  std::size_t trayMark = (w.TrayOut.Read(), w.TrayOut.Text.size());
  std::vector<Window> before = w.TopWindows();
  auto start = Clock::now();
  Child app = Spawn({(w.Dir / "app" / "vantrel").string()}, (w.Dir / "app").string(), false, false);
  Times t{};
  try {
    t.Startup = w.PressUntilClipboard(start);
    // Exit through the tray menu: right click on the icon, then its second item.
    std::string docked;
    auto deadline = Clock::now() + std::chrono::seconds(20);
    while ((docked = w.TrayOut.Last("docked", trayMark)).empty()) {
      if (Clock::now() > deadline) Fail("the icon did not dock");
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::istringstream in(docked);
    std::string word, icon;
    int x, y, width, height;
    in >> word >> icon >> x >> y >> width >> height;
    w.Click(x + width / 2, y + height / 2, 3);
    Window popup = 0;
    XWindowAttributes a{};
    deadline = Clock::now() + std::chrono::seconds(20);
    while (!popup) {
      if (Clock::now() > deadline) Fail("the tray menu did not open");
      for (Window c : w.TopWindows()) {
        if (std::find(before.begin(), before.end(), c) != before.end()) continue;
        if (XGetWindowAttributes(w.Dpy, c, &a) && a.map_state == IsViewable && a.override_redirect && a.width > 40) {
          popup = c;
          break;
        }
      }
      if (!popup) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // Two items of one height: the main window, then exit.
    Clock::time_point asked;
    w.Click(a.x + a.width / 2, a.y + a.height * 3 / 4, 1, &asked);
    if (!WaitEnd(app, 60000)) Fail("the program did not end after its exit item");
    t.Exit = Ms(Clock::now() - asked);
  } catch (...) {
    Reap(app);
    throw;
  }
  return t;
}

Times RunReference(World& w) {
  if (w.ClipboardOwner() != 0) Fail("the clipboard is taken before the start");
  auto start = Clock::now();
  Child ref = Spawn({HOTKEY_REFERENCE, (w.Dir / "app" / "data.mdb").string()}, "", true, false);
  Times t{};
  try {
    t.Startup = w.PressUntilClipboard(start);
    auto asked = Clock::now();
    close(ref.In);
    ref.In = -1;
    if (!WaitEnd(ref, 60000)) Fail("the reference did not end");
    t.Exit = Ms(Clock::now() - asked);
  } catch (...) {
    Reap(ref);
    throw;
  }
  return t;
}

std::vector<Times> gProgram, gReference;

void BM_X11StartupAndExit(benchmark::State& state) {
  try {
    World w;
    int run = 0;
    for (auto _ : state) {
      Times p{}, r{};
      if (run++ % 2 == 0) {
        r = RunReference(w);
        p = RunProgram(w);
      } else {
        p = RunProgram(w);
        r = RunReference(w);
      }
      gProgram.push_back(p);
      gReference.push_back(r);
      state.SetIterationTime(p.Startup / 1000.0);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
}
BENCHMARK(BM_X11StartupAndExit)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void PrintFigures() {
  if (gProgram.empty()) return;
  auto column = [](const std::vector<Times>& t, double Times::*f) {
    std::vector<double> v;
    for (const Times& x : t) v.push_back(x.*f);
    return v;
  };
  auto ratio = [&](double Times::*f) {
    std::vector<double> v;
    for (std::size_t i = 0; i < gProgram.size(); ++i) v.push_back(gProgram[i].*f / gReference[i].*f);
    return v;
  };
  std::printf("%zu runs of each side, min / median / max\n", gProgram.size());
  std::printf("start-up  program %s   reference %s   ratio %s (goal <= 1.5x)\n",
              MinMedianMax(column(gProgram, &Times::Startup), "%.1f / %.1f / %.1f ms").c_str(),
              MinMedianMax(column(gReference, &Times::Startup), "%.1f / %.1f / %.1f ms").c_str(),
              MinMedianMax(ratio(&Times::Startup), "%.2f / %.2f / %.2fx").c_str());
  std::printf("exit      program %s   reference %s   ratio %s\n",
              MinMedianMax(column(gProgram, &Times::Exit), "%.1f / %.1f / %.1f ms").c_str(),
              MinMedianMax(column(gReference, &Times::Exit), "%.1f / %.1f / %.1f ms").c_str(),
              MinMedianMax(ratio(&Times::Exit), "%.2f / %.2f / %.2fx").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintFigures();
  return 0;
}
