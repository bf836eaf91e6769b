// The program's start-up block: one copy only, then the main window and its loop.
#include "app/uVantrel.h"
#include "platform/desktop/Headless.h"
#include "platform/x11/X11Backend.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  win::SetProgramArguments(argc, argv);
  // The windows go to the X display; after it, at exit, the headless desktop runs on the
  // real clock, with the user's own settings store.
  win::headless::UseRealClock(true);
  // Without a display there is nothing to show and no hot key to grab: say so and end
  // before taking the single-copy lock, so a start on the display is not turned away.
  if (!win::x11::InstallX11Backend()) {
    const char* name = std::getenv("DISPLAY");
    if (name && *name)
      std::fprintf(stderr, "vantrel: cannot open the X display \"%s\"\n", name);
    else
      std::fputs("vantrel: no X display (DISPLAY is not set)\n", stderr);
    return 1;
  }
  TVantrelStart Start;

  // The handle stays open for the life of the process: it marks the running copy.
  win::CreateMutexA(nullptr, win::FALSE, "Vantrel");
  if (win::GetLastError() == win::ERROR_ALREADY_EXISTS) return 0;

  Application->Initialize();
  Application->SetTitle("Vantrel");
  Application->CreateForm(FVantrel);
  Application->Run();
  // The display goes before the program's remaining windows are freed at exit.
  win::InstallBackend(nullptr);
  return 0;
}
