#pragma once
// Helpers shared by the column, title and footer sources.
#include "grid/DBGridGx/GridControl.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/ScopeExit.h"

#include <functional>

namespace columns_detail {

// A component that hears when the components it watches are freed and calls OnFreed
// with each, so that plain objects can drop their references in time.
class TFreeWatch : public TComponent {
public:
  explicit TFreeWatch(std::function<void(TComponent*)> OnFreed) : TComponent(nullptr), FOnFreed(std::move(OnFreed)) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FOnFreed) FOnFreed(AComponent);
  }

private:
  std::function<void(TComponent*)> FOnFreed;
};

inline bool Loading(const TCustomDBGridGx* Grid) { return Grid && Grid->ComponentState().Contains(csLoading); }
inline bool Designing(const TCustomDBGridGx* Grid) { return Grid && Grid->ComponentState().Contains(csDesigning); }
inline bool Destroying(const TCustomDBGridGx* Grid) { return Grid && Grid->ComponentState().Contains(csDestroying); }
// The grid can be told about changes: it exists and is not being freed.
inline bool Live(const TCustomDBGridGx* Grid) { return Grid && !Destroying(Grid); }

// Copies Default into a soft font Own when they differ, with Own's change handling
// held off through InRefresh (the copy is no assignment of the user's).
inline void CopyDefaultFont(TFont* Own, TFont* Default, bool& InRefresh) {
  if (!Default || Default == Own || *Default == *Own) return;
  InRefresh = true;
  auto done = AtScopeExit([&InRefresh] { InRefresh = false; });
  Own->Assign(Default);
}

// Lends the screen's device context to the grid's canvas while the grid has no window,
// so that text can be measured without creating one.
class TCanvasLend {
public:
  explicit TCanvasLend(TCustomDBGridGx* Grid);
  ~TCanvasLend();
  TCanvasLend(const TCanvasLend&) = delete;
  TCanvasLend& operator=(const TCanvasLend&) = delete;
  TCanvas* Canvas() const { return FCanvas; }

private:
  TCanvas* FCanvas;
  win::HDC FLentDC = nullptr;
};

// Width of "0" and the text metrics of Font on the grid's canvas.
struct TDigitMetrics {
  int DigitWidth = 0;
  int Overhang = 0;
  int AveCharWidth = 0;
};
TDigitMetrics MeasureDigit(TCustomDBGridGx* Grid, TFont* Font);

}  // namespace columns_detail
