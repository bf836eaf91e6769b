#pragma once
// The back end of runs without a display: a manual clock, and what "other programs" hold
// as the tests set it up.
#include <deque>
#include <set>
#include <utility>

#include "platform/desktop/internal/State.h"

namespace win::detail {

class HeadlessBackend : public Backend {
public:
  bool UsesManualClock() const override { return !RealClock; }
  std::uint64_t Now() override;
  bool WaitForEvents(int timeoutMs) override;
  bool GrabHotKey(UINT modifiers, UINT vk) override {
    return !HeldHotKeys.count({modifiers, vk});
  }
  void UngrabHotKey(UINT, UINT) override {}
  bool ClipboardHeldElsewhere() override { return ClipboardHeld; }
  int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                     UINT type) override;

  std::set<std::pair<UINT, UINT>> HeldHotKeys;
  bool ClipboardHeld = false;
  bool RealClock = false;
  std::deque<int> Answers;
  std::vector<headless::MessageBoxRecord> Boxes;
};

// The headless back end (always present; in use unless another is installed).
HeadlessBackend& Headless();

}  // namespace win::detail
