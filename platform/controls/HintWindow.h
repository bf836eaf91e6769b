#pragma once
// THintWindow: the small window that shows a control's hint.
#include "platform/controls/WinControl.h"

#include <optional>

class THintWindow : public TCustomControl {
  VANTREL_CLASS(THintWindow, TCustomControl)
public:
  explicit THintWindow(TComponent* AOwner);
  // The size the hint text needs, at most MaxWidth wide, as a rectangle at (0, 0).
  virtual win::RECT CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);
  // Shows the hint at Rect (screen coordinates).
  virtual void ActivateHint(const win::RECT& Rect, const std::string& AHint);
  virtual void ActivateHintData(const win::RECT& Rect, const std::string& AHint, void* AData);
  void ReleaseHandle();
  void* HintData() const { return FHintData; }
  // How long a hint stays up (milliseconds; 0 or less: until it is taken away); the
  // application's hide pause until set.
  int HideTimeout() const;
  void SetHideTimeout(int Value) { FHideTimeout = Value; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void Paint() override;

private:
  void* FHintData = nullptr;
  std::optional<int> FHideTimeout;
};
