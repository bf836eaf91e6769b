#pragma once
// The hint window of the grid's cell and title tips: it shows its text in the font the
// grid passes as hint data (the font of the cell the tip stands over).
#include "platform/controls/HintWindow.h"

class TToolTipsWindow : public THintWindow {
  VANTREL_CLASS(TToolTipsWindow, THintWindow)
public:
  explicit TToolTipsWindow(TComponent* AOwner) : THintWindow(AOwner) {}
  win::RECT CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;
  void ActivateHintData(const win::RECT& Rect, const std::string& AHint, void* AData) override;

private:
  // Takes the font passed as hint data (a TFont), when there is one.
  void UseDataFont(void* AData);
};
