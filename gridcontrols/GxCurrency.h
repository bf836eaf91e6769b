#pragma once
// Money amounts drawn as in Chinese accounting ledgers: every digit in its own narrow
// column, thin column lines (the one before the decimal places and every third from it
// coloured) and the place names (... 千 百 十 元 角 分) in the column title.
#include <memory>
#include <string>

#include "platform/controls/Control.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Classes.h"

class TMoneyStyle : public TPersistent {
  VANTREL_CLASS(TMoneyStyle, TPersistent)
public:
  // Grid: the control repainted on every change (may be none).
  explicit TMoneyStyle(TControl* Grid);
  ~TMoneyStyle() override;
  static void Publish(TClassBuilder<TMoneyStyle>& b);
  void Assign(TPersistent* Source) override;

  // The place names and column lines of a money column's title.
  void DrawHeading(TCanvas* Canvas, const win::RECT& Rect);
  // An amount given as text, one digit per column.
  void DrawAmount(TCanvas* Canvas, const std::string& Text, const win::RECT& Rect);
  // Recomputes the four metrics from the fonts.
  void Measure();

  TFont* CurrencyFont() const { return FCurrencyFont.get(); }
  void SetCurrencyFont(TFont* Value);
  const std::string& CurrencySymbol() const { return FCurrencySymbol; }
  void SetCurrencySymbol(const std::string& Value);
  TColor CompartColor() const { return FCompartColor; }
  void SetCompartColor(TColor Value) { SetColorValue(FCompartColor, Value); }
  TColor KilobitColor() const { return FKilobitColor; }
  void SetKilobitColor(TColor Value) { SetColorValue(FKilobitColor, Value); }
  TColor RadixColor() const { return FRadixColor; }
  void SetRadixColor(TColor Value) { SetColorValue(FRadixColor, Value); }
  bool ShowMinus() const { return FShowMinus; }
  void SetShowMinus(bool Value);
  bool ShowZero() const { return FShowZero; }
  void SetShowZero(bool Value);
  TColor MinusColor() const { return FMinusColor; }
  void SetMinusColor(TColor Value) { SetColorValue(FMinusColor, Value); }
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  int CHNWidth() const { return FCHNWidth; }
  int ENGWidth() const { return FENGWidth; }
  int CHNHeight() const { return FCHNHeight; }
  int ENGHeight() const { return FENGHeight; }
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }
  TFont* HeadFont() const { return FHeadFont.get(); }
  void SetHeadFont(TFont* Value);
  // 1 to 4 decimal places; other values are ignored.
  int Digits() const { return FDigits; }
  void SetDigits(int Value);

  // The place names for Digits decimal places, highest place first (48 places in all).
  static std::string HeadingText(int Digits);
  // The digits an amount text shows: its absolute value with Digits decimals and no
  // separator; "" when it does not convert; Overflow is set for amounts beyond Currency.
  static std::string AmountDigits(const std::string& Text, int Digits, bool& Negative, bool& Overflow);

protected:
  virtual void Changed();

private:
  void SetColorValue(TColor& Field, TColor Value);
  void FontChanged(TObject* Sender);
  TColor LineColor(int Index) const;
  void DrawColumnLines(win::HDC DC, const win::RECT& Rect, int Pitch, bool SkipFirst);

  TControl* FGrid;
  std::unique_ptr<TFont> FCurrencyFont;
  std::unique_ptr<TFont> FHeadFont;
  std::string FCurrencySymbol = "\xEF\xBF\xA5";  // the full-width yuan sign
  TColor FCompartColor = clSilver;
  TColor FKilobitColor = clGreen;
  TColor FRadixColor = clRed;
  bool FShowMinus = true;
  bool FShowZero = false;
  TColor FMinusColor = clRed;
  TTextLayout FLayout = tlCenter;
  int FCHNWidth = 0, FENGWidth = 0, FCHNHeight = 0, FENGHeight = 0;
  int FDigits = 2;
  TNotifyEvent FOnChange;
};
