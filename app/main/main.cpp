// The program's start-up block: one copy only, then the main window and its loop.
#include "app/uVantrel.h"
#include "platform/desktop/Headless.h"
#include "platform/x11/X11Backend.h"
#include "resources/artwork/Artwork.h"

#include <cstdio>

int main(int argc, char** argv) {
  win::SetProgramArguments(argc, argv);
  // The windows go to the X display; without one (and after it, at exit) the headless
  // desktop runs on the real clock, with the user's own settings store.
  win::headless::UseRealClock(true);
  bool display = win::x11::InstallX11Backend();
  RegisterArtwork();
  RegisterVantrelClasses();

  // The handle stays open for the life of the process: it marks the running copy.
  win::CreateMutexA(nullptr, win::FALSE, "Vantrel");
  if (win::GetLastError() == win::ERROR_ALREADY_EXISTS) return 0;

  if (!display) std::fputs("vantrel: no display back end yet; running without a visible window\n", stderr);
  Application->Initialize();
  Application->SetTitle("Vantrel");
  Application->CreateForm(FVantrel);
  Application->Run();
  // The display goes before the program's remaining windows are freed at exit.
  win::InstallBackend(nullptr);
  return 0;
}
