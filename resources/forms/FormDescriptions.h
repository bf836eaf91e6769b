#pragma once
// The program's form descriptions, compiled in. Programs and tests call
// RegisterFormDescriptions() before creating a form; calling it again does nothing.
#include <string>

void RegisterFormDescriptions();
// The stored description of the main window.
const std::string& MainWindowDescription();
// The stored layout of the calculator control.
const std::string& CalculatorDescription();
// The stored layout of the print preview window.
const std::string& PreviewFormDescription();
// The stored layout of the grid print's set-up dialog.
const std::string& PrintSetupFormDescription();
// The stored layout of the column set-up dialog.
const std::string& SetColumnFormDescription();
