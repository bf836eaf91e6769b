// Handing the clipboard to the desktop's clipboard manager at exit, with a small stand-in
// manager run as another process on the private X server.
#include <chrono>
#include <cstring>

#include "platform/desktop/WinKernel.h"
#include "platform/rtl/Utf8.h"
#include "platform/x11/Clipboard.h"
#include "platform/x11/X11Backend.h"
#include "tests/platform/x11/ServicesXvfb.h"

// X's headers last: their macros clash with names in the others.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace win;
using namespace win::x11;

namespace {

// A clipboard manager that owns CLIPBOARD_MANAGER. Asked to save, it reports the targets
// the request named, reads TARGETS and UTF8_STRING from the clipboard's owner and answers
// and takes the clipboard over (or refuses at once, or never answers). Its report goes to
// a pipe, read by Report(), which ends when the manager is done.
class StandInManager {
public:
  enum Mode { Saves, Refuses, Silent };

  StandInManager(const std::string& display, Mode mode) {
    int fds[2];
    if (pipe(fds) != 0) return;
    FPid = fork();
    if (FPid == 0) {
      close(fds[0]);
      Serve(display, mode, fds[1]);
      _exit(0);
    }
    close(fds[1]);
    FOut = fds[0];
    FReady = ReadLine(10000) == "ready";
  }
  ~StandInManager() {
    if (FPid > 0) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
    if (FOut >= 0) close(FOut);
  }
  bool Ready() const { return FReady; }

  // Everything the manager reported, once it ended (or the time ran out).
  std::string Report(int timeoutMs = 10000) {
    std::string all;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                         .count());
      pollfd p{FOut, POLLIN, 0};
      if (poll(&p, 1, std::max(left, 0)) <= 0) break;
      char buf[512];
      ssize_t n = read(FOut, buf, sizeof buf);
      if (n <= 0) break;
      all.append(buf, std::size_t(n));
    }
    return all;
  }

private:
  std::string ReadLine(int timeoutMs) {
    std::string line;
    pollfd p{FOut, POLLIN, 0};
    char c;
    while (poll(&p, 1, timeoutMs) > 0 && read(FOut, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }

  // The child's side. Every wait in it ends when the test kills it.
  static void Serve(const std::string& name, Mode mode, int out) {
    ::Display* d = XOpenDisplay(name.c_str());
    if (!d) return;
    Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    Atom manager = XInternAtom(d, "CLIPBOARD_MANAGER", False);
    Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    Atom saveTargets = XInternAtom(d, "SAVE_TARGETS", False);
    Atom mine = XInternAtom(d, "STAND_IN", False);
    XSetSelectionOwner(d, manager, w, CurrentTime);
    XSync(d, False);
    auto say = [&](const std::string& s) { (void)!write(out, s.data(), s.size()); };
    say("ready\n");
    auto names = [&](Window on, Atom property) {
      std::string list;
      Atom type;
      int format;
      unsigned long count, after;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(d, on, property, 0, 4096, False, XA_ATOM, &type, &format, &count, &after, &data) ==
              Success &&
          data) {
        for (unsigned long i = 0; i < count; ++i) {
          char* n = XGetAtomName(d, Atom(reinterpret_cast<long*>(data)[i]));
          list += std::string(list.empty() ? "" : " ") + (n ? n : "?");
          if (n) XFree(n);
        }
        XFree(data);
      }
      return list;
    };
    auto fetch = [&](const char* target, Time time) {
      XConvertSelection(d, clipboard, XInternAtom(d, target, False), mine, w, time);
      XEvent e;
      do XNextEvent(d, &e);
      while (e.type != SelectionNotify);
      return e.xselection.property != 0;
    };
    for (;;) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type != SelectionRequest) continue;
      XSelectionRequestEvent req = e.xselectionrequest;
      if (req.selection != manager || req.target != saveTargets) continue;
      say("asked " + names(req.requestor, req.property) + "\n");
      if (mode == Silent) continue;
      XSelectionEvent reply{};
      reply.type = SelectionNotify;
      reply.requestor = req.requestor;
      reply.selection = req.selection;
      reply.target = req.target;
      reply.time = req.time;
      if (mode == Saves && fetch("TARGETS", req.time)) {
        say("offered " + names(w, mine) + "\n");
        if (fetch("UTF8_STRING", req.time)) {
          Atom type;
          int format;
          unsigned long count, after;
          unsigned char* data = nullptr;
          XGetWindowProperty(d, w, mine, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after, &data);
          if (data) {
            say("text " + std::string(reinterpret_cast<char*>(data), count));
            XFree(data);
            reply.property = req.property;
          }
        }
      }
      XSendEvent(d, req.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
      // Having saved it, it takes over the clipboard, as managers do.
      if (reply.property) XSetSelectionOwner(d, clipboard, w, CurrentTime);
      XSync(d, False);
      close(out);
      for (;;) XNextEvent(d, &e);  // keeps the selection until the test ends
    }
  }

  pid_t FPid = -1;
  int FOut = -1;
  bool FReady = false;
};

std::string Utf16Bytes(const std::string& utf8) {
  std::u16string w = Utf8ToUtf16(utf8);
  w.push_back(u'\0');
  return std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
}

// Puts text on the window system's clipboard (with the back end installed, it is
// published on the display).
void PutText(HWND owner, const std::string& text) {
  std::string bytes = Utf16Bytes(text);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
  GlobalUnlock(h);
  SetClipboardData(CF_UNICODETEXT, h);
  CloseClipboard();
}

class ClipboardHandOverTest : public xvfb_test::TwoClientsTest {
protected:
  void SetUp() override {
    TwoClientsTest::SetUp();
    if (HasFatalFailure()) return;
    // Whatever an earlier test left on the clipboard goes.
    XSetSelectionOwner(FOther->Display(), FOther->Atom("CLIPBOARD"), 0, CurrentTime);
    XSync(FOther->Display(), False);
  }
  static const std::string& ServerName() { return xvfb_test::SharedServer().Name(); }
};

TEST_F(ClipboardHandOverTest, AtExitTheManagerKeepsTheTextWePutOnTheClipboard) {
  InstallBackend(std::make_unique<X11Backend>(std::move(FOurs)));
  HWND window = xvfb_test::PlainWindow();
  const std::string text = "Grüße, 你好\nsecond line";
  PutText(window, text);
  StandInManager manager(ServerName(), StandInManager::Saves);
  ASSERT_TRUE(manager.Ready());

  InstallBackend(nullptr);  // the program's exit
  std::string report = manager.Report();
  EXPECT_NE(report.find("asked UTF8_STRING"), std::string::npos) << report;
  EXPECT_EQ(report.find("asked TARGETS"), std::string::npos) << "the request names the contents only";
  EXPECT_NE(report.find("\noffered TARGETS"), std::string::npos) << report;
  EXPECT_NE(report.find("\ntext " + text), std::string::npos) << report;
  // The program's going does not take the clipboard from the manager.
  EXPECT_NE(XGetSelectionOwner(FOther->Display(), FOther->Atom("CLIPBOARD")), Window(0));
}

TEST_F(ClipboardHandOverTest, WhatBecomesOfTheHandOver) {
  using R = Clipboard::SaveResult;
  struct Case {
    const char* name;
    bool manager;
    StandInManager::Mode mode;
    bool publish;
    R result;
  };
  const Case cases[] = {
      {"no manager runs", false, StandInManager::Saves, true, R::NoManager},  // first: see below
      {"a manager saves it", true, StandInManager::Saves, true, R::Saved},
      {"a manager refuses", true, StandInManager::Refuses, true, R::Refused},
      {"a manager never answers", true, StandInManager::Silent, true, R::TimedOut},
      {"we own nothing", true, StandInManager::Saves, false, R::NotOwned},
  };
  // (A manager ended at the end of a case loses its selection only once the server has
  // noticed; each case after the first starts its own.)
  HWND window = xvfb_test::PlainWindow();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Clipboard clip(*FOurs);
    if (c.publish) {
      PutText(window, "kept");
      clip.Publish();
      ASSERT_TRUE(clip.Owned());
    }
    std::unique_ptr<StandInManager> manager;
    if (c.manager) {
      manager = std::make_unique<StandInManager>(ServerName(), c.mode);
      ASSERT_TRUE(manager->Ready());
    }
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(clip.SaveToManager(c.result == R::TimedOut ? 300 : 20000), c.result);
    // Only a manager that never answers is waited for to the end (the loose limit only
    // tells a wait for the answer from none).
    if (c.result != R::TimedOut && c.result != R::Saved) {
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    }
    if (c.result == R::Saved) {
      EXPECT_NE(manager->Report().find("text kept"), std::string::npos);
    }
  }
}

}  // namespace
