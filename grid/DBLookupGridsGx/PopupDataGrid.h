#pragma once
// TPopupDataGridGx: the lookup grid as a drop-down window. It never takes the focus or
// the activation, has a size grip in one corner, lets the key follow the pointer, and
// asks its owner to close when the mouse button is released.
#include "grid/DBLookupGridsGx/LookupGrid.h"

class TSizeGripGx;

using TCloseUpRequestEventGx = TEvent<void(TObject* Sender, bool Accept)>;

class TPopupDataGridGx : public TDBLookupGridGx {
  VANTREL_CLASS(TPopupDataGridGx, TDBLookupGridGx)
public:
  explicit TPopupDataGridGx(TComponent* AOwner);
  ~TPopupDataGridGx() override;

  const TCloseUpRequestEventGx& OnCloseUpRequest() const { return FOnCloseUpRequest; }
  void SetOnCloseUpRequest(const TCloseUpRequestEventGx& Value) { FOnCloseUpRequest = Value; }
  const TNotifyEvent& OnUserKeyValueChanged() const { return FOnUserKeyValueChanged; }
  void SetOnUserKeyValueChanged(const TNotifyEvent& Value) { FOnUserKeyValueChanged = Value; }
  // The size changed since the flag was last cleared.
  bool GripResized() const { return FGripResized; }
  void SetGripResized(bool Value) { FGripResized = Value; }
  TSizeGripGx* SizeGrip() const { return FSizeGrip; }

  bool CanFocus() const override { return false; }
  void KeyValueChanged() override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintFlatBorder() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Dispatch(TMessage& Message) override;

private:
  // The non-client inset: one pixel for the raised edge of the 3-D look.
  int BorderInset() const { return Ctl3D() ? 1 : 0; }
  template <class F>
  void AsUserAction(F&& Action);

  TSizeGripGx* FSizeGrip = nullptr;
  bool FGripResized = false;
  bool FUserAction = false;
  TCloseUpRequestEventGx FOnCloseUpRequest;
  TNotifyEvent FOnUserKeyValueChanged;
};
