// The published properties of TControl and TWinControl, and their streaming hooks.
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/WinControl.h"

void TControl::Publish(TClassBuilder<TControl>& b) {
  b.Property("Left", &TControl::Left, &TControl::SetLeft);
  b.Property("Top", &TControl::Top, &TControl::SetTop);
  b.Property("Width", &TControl::Width, &TControl::SetWidth);
  b.Property("Height", &TControl::Height, &TControl::SetHeight);
  b.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
  b.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
  b.Property("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode)
      .Stored([](TControl* c) { return !c->ParentBiDiMode(); });
  b.Property("Caption", &TControl::Caption, &TControl::SetCaption);
  b.Property("Color", &TControl::Color, &TControl::SetColor).Stored([](TControl* c) { return !c->ParentColor(); });
  b.Property("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D).Stored([](TControl* c) { return !c->ParentCtl3D(); });
  b.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
  b.Property("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Default(crDrag);
  b.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
  b.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  b.Property("Font", &TControl::Font, &TControl::SetFont).Stored([](TControl* c) { return !c->ParentFont(); });
  b.Property("Hint", &TControl::Hint, &TControl::SetHint);
  b.Property("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
  b.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  b.Property("ParentCtl3D", &TControl::ParentCtl3D, &TControl::SetParentCtl3D).Default(true);
  b.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
  b.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  b.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  b.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
      .Stored([](TControl* c) { return !c->ParentShowHint(); });
  b.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  b.Property("OnClick", &TControl::OnClick, &TControl::SetOnClick);
  b.Property("OnContextPopup", &TControl::OnContextPopup, &TControl::SetOnContextPopup);
  b.Property("OnDblClick", &TControl::OnDblClick, &TControl::SetOnDblClick);
  b.Property("OnDragDrop", &TControl::OnDragDrop, &TControl::SetOnDragDrop);
  b.Property("OnDragOver", &TControl::OnDragOver, &TControl::SetOnDragOver);
  b.Property("OnEndDrag", &TControl::OnEndDrag, &TControl::SetOnEndDrag);
  b.Property("OnMouseDown", &TControl::OnMouseDown, &TControl::SetOnMouseDown);
  b.Property("OnMouseMove", &TControl::OnMouseMove, &TControl::SetOnMouseMove);
  b.Property("OnMouseUp", &TControl::OnMouseUp, &TControl::SetOnMouseUp);
  b.Property("OnMouseWheel", &TControl::OnMouseWheel, &TControl::SetOnMouseWheel);
  b.Property("OnMouseWheelDown", &TControl::OnMouseWheelDown, &TControl::SetOnMouseWheelDown);
  b.Property("OnMouseWheelUp", &TControl::OnMouseWheelUp, &TControl::SetOnMouseWheelUp);
  b.Property("OnStartDrag", &TControl::OnStartDrag, &TControl::SetOnStartDrag);
  b.Property("OnResize", &TControl::OnResize, &TControl::SetOnResize);
}

bool TControl::HasParent() const { return true; }
TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

void TWinControl::Publish(TClassBuilder<TWinControl>& b) {
  b.Property("ImeMode", &TWinControl::ImeMode, &TWinControl::SetImeMode).Default(imDontCare);
  b.Property("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName);
  b.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
  b.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
  b.Property("OnEnter", &TWinControl::OnEnter, &TWinControl::SetOnEnter);
  b.Property("OnExit", &TWinControl::OnExit, &TWinControl::SetOnExit);
  b.Property("OnKeyDown", &TWinControl::OnKeyDown, &TWinControl::SetOnKeyDown);
  b.Property("OnKeyPress", &TWinControl::OnKeyPress, &TWinControl::SetOnKeyPress);
  b.Property("OnKeyUp", &TWinControl::OnKeyUp, &TWinControl::SetOnKeyUp);
}

// Children are written inside their parent: those owned by the root being written. The
// root also writes, after its controls and in creation order, the components it owns
// that stand on no parent (connections, datasets, data sources, menus), so that
// references to them read back.
void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TControl* c : FControls)
    if (c->Owner() == Root) Proc(c);
  TComponent::GetChildren(Proc, Root);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (FPendingTabOrder >= 0) {
    int t = FPendingTabOrder;
    FPendingTabOrder = -1;
    SetTabOrder(t);
  }
  if (FControlState.Contains(csAlignmentNeeded) || !FControls.empty()) Realign();
}
