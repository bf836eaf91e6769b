#pragma once
// Speed buttons and bitmap buttons.
#include "platform/controls/StdCtrls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
VANTREL_ENUM(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

// Which of a glyph's images (side by side, NumGlyphs of them) a button shows.
enum TButtonGlyphState { bgsUp, bgsDisabled, bgsPressed, bgsDown };

// Draws a button's glyph image for State and its caption into R by the layout; Down
// shifts both by a pixel.
void DrawButtonFace(TCanvas* Canvas, const win::RECT& R, TBitmap* Glyph, int NumGlyphs, TButtonLayout Layout,
                    const std::string& Caption, bool Enabled, bool Down, TButtonGlyphState State);

class TSpeedButton : public TGraphicControl {
  VANTREL_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; Invalidate(); }
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); Invalidate(); }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value) { FNumGlyphs = std::clamp(Value, 1, 4); Invalidate(); }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value) { FLayout = Value; Invalidate(); }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; Invalidate(); }
  void Click() override;
  static void Publish(TClassBuilder<TSpeedButton>& b);

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void UpdateExclusive();

private:
  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FTransparent = true;
  bool FPressed = false;
  bool FMouseInside = false;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  std::unique_ptr<TBitmap> FGlyph;
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
VANTREL_ENUM(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
             "bkIgnore", "bkAll")

class TBitBtn : public TButton {
  VANTREL_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); Invalidate(); }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value) { FNumGlyphs = std::clamp(Value, 1, 4); Invalidate(); }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value) { FLayout = Value; Invalidate(); }
  TBitBtnKind Kind() const { return FKind; }
  // A standard kind gives the caption, modal result, default and cancel of its kind.
  void SetKind(TBitBtnKind Value);
  void Click() override;
  static void Publish(TClassBuilder<TBitBtn>& b);

protected:
  void Dispatch(TMessage& Message) override;

private:
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  TBitBtnKind FKind = bkCustom;
};
