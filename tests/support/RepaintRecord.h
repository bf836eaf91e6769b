#pragma once
// Repaints a window on the headless desktop and returns what it drew, from the drawing
// record: the operations of one kind, in the window's client coordinates.
#include "platform/desktop/Headless.h"
#include "platform/graphics/DrawRecord.h"

#include <vector>

inline std::vector<win::DrawOp> RepaintAndRecord(win::HWND Window, win::DrawKind Kind = win::DrawKind::Text) {
  win::StartDrawRecording();
  win::ClearDrawRecording();
  win::InvalidateRect(Window, nullptr, win::TRUE);
  win::UpdateWindow(Window);
  win::headless::ProcessMessages();
  std::vector<win::DrawOp> ops = win::RecordedOps(Kind, Window);
  win::StopDrawRecording();
  return ops;
}
