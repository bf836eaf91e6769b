#pragma once
// A user's steps on a real display, played by a timer so that they go on inside whatever
// loop runs at the time: a modal dialog's, a menu's or a message box's. Each step waits
// until its condition holds, then acts with the display's own pointer and keyboard
// (XTEST). A step that never becomes ready stops the script and cancels what is modal, so
// a test fails instead of hanging.
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Control.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/desktop/Windows.h"
#include "tests/grid/x11/RealPointer.h"
#include "tests/platform/controls/x11/OtherClient.h"
#include "tests/platform/x11/ServicesXvfb.h"
#include "tests/platform/x11/controls/XQueries.h"

#ifndef VANTREL_TEST_SHOT
#error "the test target needs VANTREL_TEST_SHOT, the screenshot tool (tools/CMakeLists.txt)"
#endif

namespace display_script {

// The modal form of class T that is up; none while another form or none is modal.
template <class T>
T* ModalForm() {
  auto* F = dynamic_cast<T*>(Screen->ActiveCustomForm());
  return F && F->FormState().Contains(fsModal) ? F : nullptr;
}

class TScript {
public:
  explicit TScript(win::x11::Connection& Display) : FDisplay(Display) {}
  ~TScript() { Stop(); }
  TScript(const TScript&) = delete;
  TScript& operator=(const TScript&) = delete;

  // Adds a step: once Ready holds, Act runs (both on the program's thread).
  TScript& Then(std::string Name, std::function<bool()> Ready, std::function<void()> Act) {
    FSteps.push_back({std::move(Name), std::move(Ready), std::move(Act)});
    return *this;
  }
  // A step that acts at once (after the previous one).
  TScript& Do(std::string Name, std::function<void()> Act) {
    return Then(std::move(Name), [] { return true; }, std::move(Act));
  }
  // A step that waits a few timer rounds, for the display to show what changed.
  TScript& Settle() {
    auto Rounds = std::make_shared<int>(0);
    return Then("settle", [Rounds] { return ++*Rounds > 8; }, [Rounds] { *Rounds = 0; });
  }

  // Steps that right-click the screen point Where gives, wait for the popup menu that
  // comes up and click its item whose middle lies ItemY pixels below the menu's top.
  TScript& ChooseFromMenu(const std::string& Name, std::function<win::POINT()> Where, int ItemY) {
    Do(Name + ": pointer over the place", [this, Where] {
      const win::POINT P = Where();
      real_pointer::MoveTo(FDisplay, P.x, P.y);
    });
    Settle();
    Do(Name + ": right click", [this] {
      real_pointer::RightButton(FDisplay, true);
      real_pointer::RightButton(FDisplay, false);
    });
    auto Menu = std::make_shared<xvfb_test::XWindowView>();
    return Then(
        Name + ": the menu comes up",
        [this, Menu] {
          win::HWND Window = win::GetCapture();
          char Class[64] = {};
          if (!Window || !win::GetClassNameA(Window, Class, sizeof Class) || std::string(Class) != "TPopupMenuWindow")
            return false;
          win::SetWindowTextA(Window, "PopupMenu");
          xvfb_test::Sync(FDisplay);
          *Menu = xvfb_test::ViewOf(FDisplay, xvfb_test::FindTopLevel(FDisplay, "PopupMenu"));
          return Menu->Viewable;
        },
        [this, Menu, ItemY] { Click(win::POINT{Menu->X + 30, Menu->Y + ItemY}); });
  }

  // Starts playing; the steps run from the timer until the last has acted.
  void Start() {
    Current() = this;
    FNext = 0;
    FStalled.clear();
    FStepStart = std::chrono::steady_clock::now();
    FTimer = win::SetTimer(nullptr, 0, 30, &TScript::Tick);
  }
  void Stop() {
    if (FTimer) win::KillTimer(nullptr, FTimer);
    FTimer = 0;
    if (Current() == this) Current() = nullptr;
  }
  bool Finished() const { return FNext >= FSteps.size(); }
  // The step that never became ready; empty while all went well.
  const std::string& Stalled() const { return FStalled; }

  // The screen point of (X, Y) in Control's client area.
  static win::POINT At(TControl* Control, int X, int Y) { return Control->ClientToScreen(win::POINT{X, Y}); }
  static win::POINT Middle(TControl* Control) { return At(Control, Control->Width() / 2, Control->Height() / 2); }
  void Click(win::POINT P) {
    real_pointer::MoveTo(FDisplay, P.x, P.y);
    real_pointer::LeftButton(FDisplay, true);
    real_pointer::LeftButton(FDisplay, false);
  }
  void Click(TControl* Control) { Click(Middle(Control)); }
  // Steps that click into the edit Edit gives, select its whole text with Ctrl+A once it
  // has the focus, and type Text over it; done when the edit holds Text. Ctrl is let go
  // only after the program has taken the key: it reads the modifiers as they are when it
  // handles a key, not as they were when the key was pressed.
  TScript& TypeInto(const std::string& Name, std::function<TCustomEdit*()> Edit, const std::string& Text) {
    Do(Name + ": click", [this, Edit] { Click(Edit()); });
    Then(Name + ": focused", [Edit] { return win::GetFocus() == Edit()->Handle(); },
         [this] { real_pointer::Ctrl(FDisplay, true); });
    Then(Name + ": Ctrl held", [] { return win::GetKeyState(win::VK_CONTROL) < 0; },
         [this] { real_pointer::Key(FDisplay, 'a'); });
    Then(Name + ": all selected",
         [Edit] { return Edit()->SelStart() == 0 && (Edit()->SelLength() > 0 || Edit()->TextProp().empty()); },
         [this] { real_pointer::Ctrl(FDisplay, false); });
    Then(Name + ": Ctrl let go", [] { return win::GetKeyState(win::VK_CONTROL) >= 0; },
         [this, Text] { real_pointer::Type(FDisplay, Text); });
    return Then(Name + ": typed", [Edit, Text] { return Edit()->TextProp() == Text; }, [] {});
  }

  // The top-level window titled Title when it is shown on the display; 0 otherwise.
  unsigned long Shown(const char* Title) {
    xvfb_test::Sync(FDisplay);
    return other_client::FindViewable(FDisplay, Title);
  }
  // The modal form of class T is up and shown on the display under Title.
  template <class T>
  bool ModalShown(const char* Title) {
    return ModalForm<T>() && Shown(Title) != 0;
  }
  // Saves what the top-level window titled Title shows on the display as the PNG Png
  // (in the test's working directory); false when it is not shown.
  bool Shot(const char* Title, const std::string& Png) { return ShotOf(Shown(Title), Png); }
  // The whole screen as the PNG Png.
  bool ShotScreen(const std::string& Png) { return ShotOf(FDisplay.Root(), Png); }
  win::x11::Connection& Display() { return FDisplay; }

private:
  bool ShotOf(win::x11::XWindowId Window, const std::string& Png) {
    if (!Window) return false;
    int Code = -1;
    xvfb_test::Run(xvfb_test::SharedServer().Name(), {VANTREL_TEST_SHOT, std::to_string(Window), Png}, "", [] {},
                   &Code);
    std::printf("screen: %s\n", Png.c_str());
    return Code == 0;
  }
  struct Step {
    std::string Name;
    std::function<bool()> Ready;
    std::function<void()> Act;
  };
  static TScript*& Current() {
    static TScript* Playing = nullptr;
    return Playing;
  }
  static void Tick(win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
    if (TScript* S = Current()) S->Run();
  }
  void Run() {
    if (!FStalled.empty()) {
      CancelModal();
      return;
    }
    if (Finished()) {
      Stop();
      return;
    }
    Step& S = FSteps[FNext];
    if (!S.Ready()) {
      if (std::chrono::steady_clock::now() - FStepStart > std::chrono::seconds(20)) {
        FStalled = S.Name;
        CancelModal();
      }
      return;
    }
    ++FNext;
    FStepStart = std::chrono::steady_clock::now();
    S.Act();
  }
  // Ends the menu, message box or modal form that is up, so the loop that runs it returns.
  static void CancelModal() {
    if (win::HWND Captured = win::GetCapture()) win::SendMessage(Captured, win::WM_CANCELMODE, 0, 0);
    char Class[64] = {};
    win::HWND Active = win::GetActiveWindow();
    if (Active && win::GetClassNameA(Active, Class, sizeof Class) && std::string(Class) == "VantrelMessageBox")
      win::PostMessage(Active, win::WM_CLOSE, 0, 0);
    else if (TCustomForm* F = Screen->ActiveCustomForm(); F && F->FormState().Contains(fsModal))
      F->SetModalResult(mrCancel);
  }

  win::x11::Connection& FDisplay;
  std::vector<Step> FSteps;
  std::size_t FNext = 0;
  std::string FStalled;
  std::chrono::steady_clock::time_point FStepStart;
  win::UINT_PTR FTimer = 0;
};

}  // namespace display_script
