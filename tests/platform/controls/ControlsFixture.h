#pragma once
// A clean headless desktop and application for each test.
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/desktop/Headless.h"
#include "platform/graphics/DrawRecord.h"

#include <gtest/gtest.h>

class ControlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    RegisterStandardClasses();
    SetPopupMenuHandler(nullptr);
    Application->SetOnException(nullptr);
    Application->ClearTerminated();
  }
  void TearDown() override {
    win::headless::SetIdleHandler(nullptr);
    SetPopupMenuHandler(nullptr);
    win::headless::Reset();
  }
  // Something for a waiting message loop to take after an idle handler acted.
  static void Wake() { win::PostMessage(Application->Handle(), win::WM_NULL, 0, 0); }
  // Centre of a control in screen coordinates.
  static win::POINT Center(TControl* c) { return c->ClientToScreen({c->Width() / 2, c->Height() / 2}); }
  static void ClickAt(TControl* c) {
    win::POINT p = Center(c);
    win::headless::Click(win::headless::MouseButton::Left, p.x, p.y);
  }
};

// A shown form for the controls under test; drawing a test records stops with it.
class FormTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    form->Show();
  }
  void TearDown() override {
    win::StopDrawRecording();
    form->Free();
    ControlsTest::TearDown();
  }
  TForm* form = nullptr;
};

// A form that shows hints, with the pauses the hint tests count on. Subclasses put their
// controls on it and show it.
class HintFormTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    form->SetShowHint(true);
  }
  void TearDown() override {
    Application->CancelHint();
    form->Free();
    ControlsTest::TearDown();
  }
  TForm* form = nullptr;
};
