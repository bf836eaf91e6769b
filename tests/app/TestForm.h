#pragma once
// A stand-in owner form for the program's components: a component with a top-level
// window whose own procedure logs what it sees. Its window goes before the components
// it owns are freed, as a form's does.
#include "app/OwnerForm.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Classes.h"

#include <string>
#include <vector>

// Everything the tests log, in order: what the form's own procedure saw of the messages
// the tests follow ("form:hotkey", ...) and entries the tests add.
inline std::vector<std::string>& EventLog() {
  static std::vector<std::string> log;
  return log;
}

// What the form's own procedure answers to WM_HOTKEY, so a test sees whose result wins.
inline constexpr win::LRESULT FormHotKeyResult = 77;

class TTestForm : public TComponent, public IOwnerForm {
  VANTREL_CLASS(TTestForm, TComponent)
public:
  explicit TTestForm(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  ~TTestForm() override { DestroyWindowNow(); }

  win::HWND OwnerFormHandle() override {
    if (!FWnd) FWnd = win::CreateWindowExA(0, ClassName(), "Test form", win::WS_OVERLAPPEDWINDOW, 0, 0,
                                          300, 200, nullptr, nullptr, nullptr, nullptr);
    return FWnd;
  }
  bool HandleAllocated() const { return FWnd != nullptr; }
  void DestroyWindowNow() {
    if (FWnd) win::DestroyWindow(FWnd);
    FWnd = nullptr;
  }

private:
  static const char* ClassName() {
    static bool registered = [] {
      win::WNDCLASSA wc{};
      wc.lpfnWndProc = &FormProc;
      wc.lpszClassName = "VantrelTestForm";
      return win::RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    return "VantrelTestForm";
  }
  static win::LRESULT FormProc(win::HWND w, win::UINT m, win::WPARAM wp, win::LPARAM lp) {
    const char* name = m == win::WM_HOTKEY        ? "hotkey"
                       : m == win::WM_SYSCOMMAND    ? "syscommand"
                       : m == win::WM_SHOWWINDOW    ? "showwindow"
                       : m == win::WM_DESTROY       ? "destroy"
                                                    : nullptr;
    if (name) EventLog().push_back(std::string("form:") + name);
    if (m == win::WM_HOTKEY) return FormHotKeyResult;
    return win::DefWindowProcA(w, m, wp, lp);
  }

  win::HWND FWnd = nullptr;
};
