#pragma once
// The grid's scroll-bar settings, one per direction, with the optional external scroll
// bar control that stands in for the window's own bar.
#include <memory>

#include "platform/controls/Control.h"
#include "platform/controls/ListBoxes.h"
#include "platform/rtl/Classes.h"

class TCustomDBGridGx;

enum TScrollBarVisibleModeGx { sbAlwaysShowGx, sbNeverShowGx, sbAutoShowGx };
VANTREL_ENUM(TScrollBarVisibleModeGx, "sbAlwaysShowGx", "sbNeverShowGx", "sbAutoShowGx")

class TDBGridGxScrollBar : public TPersistent {
  VANTREL_CLASS(TDBGridGxScrollBar, TPersistent)
public:
  TDBGridGxScrollBar(TCustomDBGridGx* Grid, TScrollBarKind Kind);
  ~TDBGridGxScrollBar() override;
  static void Publish(TClassBuilder<TDBGridGxScrollBar>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TCustomDBGridGx* Grid() const { return FGrid; }
  TScrollBarKind Kind() const { return FKind; }
  TScrollBar* ExtScrollBar() const { return FExtScrollBar; }
  // Raises Exception when another control already took the bar's window procedure.
  void SetExtScrollBar(TScrollBar* Value);
  bool Tracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool Visible() const { return FVisibleMode != sbNeverShowGx; }
  void SetVisible(bool Value);
  TScrollBarVisibleModeGx VisibleMode() const { return FVisibleMode; }
  void SetVisibleMode(TScrollBarVisibleModeGx Value);
  bool IsShown() const;
  bool ReadScrollInfo(win::SCROLLINFO& Info) const;
  void UpdateExtScrollBar();

private:
  void ExtBarWindowProc(TMessage& Message);
  void DetachExtScrollBar();
  bool Designing() const;

  TCustomDBGridGx* FGrid;
  TScrollBarKind FKind;
  TScrollBar* FExtScrollBar = nullptr;
  // Hears when the external bar is freed.
  std::unique_ptr<TComponent> FBarWatch;
  bool FTracking = false;
  TScrollBarVisibleModeGx FVisibleMode = sbAutoShowGx;
};

class TVertDBGridGxScrollBar : public TDBGridGxScrollBar {
  VANTREL_CLASS(TVertDBGridGxScrollBar, TDBGridGxScrollBar)
public:
  TVertDBGridGxScrollBar(TCustomDBGridGx* Grid, TScrollBarKind Kind) : TDBGridGxScrollBar(Grid, Kind) {}
  static void Publish(TClassBuilder<TVertDBGridGxScrollBar>& b);
};
