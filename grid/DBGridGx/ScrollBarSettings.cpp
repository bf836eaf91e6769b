// Scroll-bar settings of the grid and the coupling to an external scroll bar control,
// whose window procedure the settings take over at run time.
#include "grid/DBGridGx/ScrollBarSettings.h"

#include "grid/DBGridGx/ColumnsInternal.h"
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"

using namespace columns_detail;

namespace {
TWndMethod OwnWindowProc(TControl* Control) { return MakeEvent(Control, &TControl::WndProc); }
}  // namespace

TDBGridGxScrollBar::TDBGridGxScrollBar(TCustomDBGridGx* Grid, TScrollBarKind Kind) : FGrid(Grid), FKind(Kind) {
  // A bar freed elsewhere is only forgotten: its window procedure is gone with it.
  FBarWatch = std::make_unique<TFreeWatch>([this](TComponent* Component) {
    if (Component == FExtScrollBar) FExtScrollBar = nullptr;
  });
}

TDBGridGxScrollBar::~TDBGridGxScrollBar() { DetachExtScrollBar(); }

TPersistent* TDBGridGxScrollBar::GetOwner() { return FGrid; }

bool TDBGridGxScrollBar::Designing() const { return columns_detail::Designing(FGrid); }

void TDBGridGxScrollBar::DetachExtScrollBar() {
  if (!FExtScrollBar) return;
  FExtScrollBar->RemoveFreeNotification(FBarWatch.get());
  if (!Designing() && FExtScrollBar->WindowProc() == MakeEvent(this, &TDBGridGxScrollBar::ExtBarWindowProc))
    FExtScrollBar->SetWindowProc(OwnWindowProc(FExtScrollBar));
  FExtScrollBar = nullptr;
}

void TDBGridGxScrollBar::SetExtScrollBar(TScrollBar* Value) {
  if (Value == FExtScrollBar) return;
  const bool runTime = !Designing();
  if (runTime && Value && !(Value->WindowProc() == OwnWindowProc(Value)))
    throw Exception("Possible " + Value->Name() + " already attached to the other control.");
  DetachExtScrollBar();
  FExtScrollBar = Value;
  if (Value) {
    Value->FreeNotification(FBarWatch.get());
    if (Live(FGrid)) Value->FreeNotification(FGrid);
    if (runTime) Value->SetWindowProc(MakeEvent(this, &TDBGridGxScrollBar::ExtBarWindowProc));
  }
  UpdateExtScrollBar();
  if (!Live(FGrid)) return;
  if (FGrid->HandleAllocated()) {
    if (FKind == sbVertical) FGrid->UpdateVertScrollBar();
    FGrid->RequestLayout();
  }
}

void TDBGridGxScrollBar::ExtBarWindowProc(TMessage& Message) {
  TScrollBar* bar = FExtScrollBar;
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL)
    if (Live(FGrid)) FGrid->Perform(FKind == sbHorizontal ? win::WM_HSCROLL : win::WM_VSCROLL, Message.WParam, Message.LParam);
  if (bar) bar->WndProc(Message);
}

void TDBGridGxScrollBar::SetVisible(bool Value) {
  FVisibleMode = Value ? sbAutoShowGx : sbNeverShowGx;
  UpdateExtScrollBar();
}

void TDBGridGxScrollBar::SetVisibleMode(TScrollBarVisibleModeGx Value) {
  if (Value == FVisibleMode) return;
  FVisibleMode = Value;
  if (!Live(FGrid)) return;
  if (FKind == sbVertical) FGrid->UpdateVertScrollBar();
  FGrid->RequestLayout();
}

void TDBGridGxScrollBar::UpdateExtScrollBar() {
  if (FExtScrollBar) FExtScrollBar->SetVisible(Visible());
}

bool TDBGridGxScrollBar::IsShown() const {
  if (FExtScrollBar) return FExtScrollBar->Visible();
  if (!Visible() || !FGrid || !FGrid->HandleAllocated()) return false;
  const auto style = win::GetWindowLong(FGrid->Handle(), win::GWL_STYLE);
  return (style & (FKind == sbHorizontal ? win::WS_HSCROLL : win::WS_VSCROLL)) != 0;
}

bool TDBGridGxScrollBar::ReadScrollInfo(win::SCROLLINFO& Info) const {
  if (FExtScrollBar) return win::GetScrollInfo(FExtScrollBar->Handle(), win::SB_CTL, &Info) != 0;
  if (!FGrid) return false;
  return win::GetScrollInfo(FGrid->Handle(), FKind == sbHorizontal ? win::SB_HORZ : win::SB_VERT, &Info) != 0;
}

void TDBGridGxScrollBar::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TDBGridGxScrollBar*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  SetVisible(src->Visible());
  SetTracking(src->Tracking());
  SetExtScrollBar(src->ExtScrollBar());
}

void TDBGridGxScrollBar::Publish(TClassBuilder<TDBGridGxScrollBar>& b) {
  using T = TDBGridGxScrollBar;
  b.Property("ExtScrollBar", &T::ExtScrollBar, &T::SetExtScrollBar);
  b.Property("Tracking", &T::Tracking, &T::SetTracking).Default(false);
  b.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
}

void TVertDBGridGxScrollBar::Publish(TClassBuilder<TVertDBGridGxScrollBar>& b) {
  using T = TVertDBGridGxScrollBar;
  b.Property("Visible", &T::Visible, &T::SetVisible).Stored(false);
  b.Property("VisibleMode", &T::VisibleMode, &T::SetVisibleMode).Default(sbAutoShowGx);
}
