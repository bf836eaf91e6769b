#pragma once
// Acting on a modal dialog once it is up, from the message loop's idle time, as a user would.
#include <gtest/gtest.h>

#include <functional>

#include "platform/controls/Forms.h"
#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"

namespace modal_dialog {

// Runs Act on the first modal form that comes up (once).
inline void WhenShown(std::function<void(TCustomForm*)> Act) {
  win::headless::SetIdleHandler([Act, done = false]() mutable {
    if (!done)
      if (TCustomForm* f = Screen->ActiveCustomForm(); f && f->FormState().Contains(fsModal)) {
        done = true;
        Act(f);
      }
    win::PostMessage(Application->Handle(), win::WM_NULL, 0, 0);
  });
}

// A named component of the dialog, as its class.
template <class T>
T* Find(TCustomForm* F, const char* Name) {
  auto* c = dynamic_cast<T*>(F->FindComponent(Name));
  EXPECT_NE(c, nullptr) << Name;
  return c;
}

}  // namespace modal_dialog
