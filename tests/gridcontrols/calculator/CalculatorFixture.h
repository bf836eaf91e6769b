#pragma once
#include <gtest/gtest.h>

#include <string>

#include "gridcontrols/ToolCtrlsGx/Calculator.h"
#include "platform/controls/Forms.h"
#include "platform/desktop/Headless.h"

class CalculatorTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    Form = new TForm(nullptr);
    Calc = new TCalculatorGx(Form);
    Calc->SetParent(Form);
  }
  void TearDown() override {
    delete Form;
    win::headless::Reset();
  }
  // Feeds each character to the key machine.
  void Keys(TCalculatorGx* C, const std::string& Text) {
    for (char k : Text) C->InputKey(k);
  }
  void Keys(const std::string& Text) { Keys(Calc, Text); }
  std::string Display() const { return Calc->DisplayText(); }
  std::string KeyCaption() const { return Calc->EqualKey()->Caption(); }

  TForm* Form = nullptr;
  TCalculatorGx* Calc = nullptr;
};
