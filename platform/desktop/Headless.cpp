// Message boxes and the headless desktop's test interface: reset and recorded effects.
#include <map>

#include "platform/desktop/internal/HeadlessBackend.h"

namespace win {
using namespace detail;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  // A modal box takes the mouse away from whoever holds it.
  if (HWND c = S().Capture) SendMessageA(c, WM_CANCELMODE, 0, 0);
  return CurrentBackend().ShowMessageBox(owner, text ? text : "", caption ? caption : "Error", type);
}

namespace detail {
void ReleaseAllocatedWindows();  // WindowClasses.cpp
}

namespace headless {

void Reset() {
  State& s = S();
  // Windows go first, so their handlers still see a working desktop.
  for (int round = 0; round < 4 && (!s.TopLevels.empty() || !s.MessageOnly.empty()); ++round) {
    std::vector<HWND> all = s.TopLevels;
    all.insert(all.end(), s.MessageOnly.begin(), s.MessageOnly.end());
    for (HWND h : all)
      if (Find(h)) DestroyWindow(h);
  }
  ReleaseAllocatedWindows();
  ResetTimersAndQueue();
  ResetInput();
  ResetShell();
  ResetClipboard();
  ResetMetrics();
  HeadlessBackend& b = Headless();
  b.Answers.clear();
  b.Boxes.clear();
  b.RealClock = false;
  SetLastError(0);
}

void QueueMessageBoxAnswer(int id) { Headless().Answers.push_back(id); }

const std::vector<MessageBoxRecord>& MessageBoxes() { return Headless().Boxes; }

const std::vector<UINT>& Beeps() { return S().Beeps; }
const std::vector<HKL>& ActivatedKeyboardLayouts() { return S().ActivatedLayouts; }

const CaretState* Caret() {
  static CaretState view;
  auto& c = S().TheCaret;
  if (!c) return nullptr;
  view.Owner = c->Owner;
  view.Width = c->Width;
  view.Height = c->Height;
  view.Pos = c->Pos;
  view.HideCount = c->HideCount;
  return &view;
}

}  // namespace headless
}  // namespace win
