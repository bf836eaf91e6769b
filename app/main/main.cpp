// The program's start-up block: one copy only, then the main window and its loop.
#include "app/uVantrel.h"
#include "platform/desktop/Headless.h"
#include "resources/artwork/Artwork.h"

#include <cstdio>

int main(int argc, char** argv) {
  win::SetProgramArguments(argc, argv);
  // No display back end yet: the headless desktop runs on the real clock.
  win::headless::UseRealClock(true);
  RegisterArtwork();
  RegisterVantrelClasses();

  // The handle stays open for the life of the process: it marks the running copy.
  win::CreateMutexA(nullptr, win::FALSE, "Vantrel");
  if (win::GetLastError() == win::ERROR_ALREADY_EXISTS) return 0;

  std::fputs("vantrel: no display back end yet; running without a visible window\n", stderr);
  Application->Initialize();
  Application->SetTitle("Vantrel");
  Application->CreateForm(FVantrel);
  Application->Run();
  return 0;
}
