// TScreen: the screen's size and work area, the cursors and the active form.
#include "platform/controls/Forms.h"

#include "platform/desktop/Windows.h"

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

win::HKL TScreen::DefaultKbLayout() const { return win::GetKeyboardLayout(0); }

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  win::SetCursor(Cursors(Value == crDefault ? crArrow : Value));
}

win::HCURSOR TScreen::Cursors(TCursor Index) {
  auto it = FCursors.find(Index);
  if (it != FCursors.end()) return it->second;
  std::uintptr_t id = 0;
  switch (Index) {
    case crArrow: case crDefault: id = 32512; break;        // IDC_ARROW
    case crIBeam: id = 32513; break;
    case crHourGlass: case crSQLWait: id = 32514; break;
    case crCross: id = 32515; break;
    case crUpArrow: id = 32516; break;
    case crSizeNWSE: id = 32642; break;
    case crSizeNESW: id = 32643; break;
    case crSizeWE: case crHSplit: id = 32644; break;
    case crSizeNS: case crVSplit: id = 32645; break;
    case crSizeAll: id = 32646; break;
    case crNo: case crNoDrop: id = 32648; break;
    case crHandPoint: id = 32649; break;
    case crAppStart: id = 32650; break;
    case crHelp: id = 32651; break;
    default: id = 32512; break;
  }
  win::HCURSOR h = win::LoadCursor(nullptr, id);
  FCursors[Index] = h;
  return h;
}

void TScreen::SetCursors(TCursor Index, win::HCURSOR Handle) {
  if (Handle) FCursors[Index] = Handle;
  else FCursors.erase(Index);
}

int TScreen::Width() const { return win::GetSystemMetrics(win::SM_CXSCREEN); }
int TScreen::Height() const { return win::GetSystemMetrics(win::SM_CYSCREEN); }

win::RECT TScreen::WorkAreaRect() const {
  win::RECT r{0, 0, Width(), Height()};
  win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

int TScreen::WorkAreaWidth() const { win::RECT r = WorkAreaRect(); return r.right - r.left; }
int TScreen::WorkAreaHeight() const { win::RECT r = WorkAreaRect(); return r.bottom - r.top; }
