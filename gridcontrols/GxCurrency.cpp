#include "gridcontrols/GxCurrency.h"

#include <cmath>

#include "platform/graphics/Gdi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

namespace {

const char* const Fen = "分";

win::SIZE Extent(win::HDC dc, const std::string& text) {
  win::SIZE size{};
  win::GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// The head font with another height and width: the narrow form used for place names
// and the currency symbol.
win::HFONT DerivedFont(TFont* font, int height, int width) {
  win::LOGFONT lf{};
  win::GetObject(font->Handle(), sizeof(lf), &lf);
  lf.lfHeight = height;
  lf.lfWidth = width;
  return win::CreateFontIndirect(lf);
}

// Selects a font into a DC for one scope and frees it afterwards (also on error).
class TSelectedFont {
public:
  TSelectedFont(win::HDC dc, win::HFONT font, bool owned) : FDC(dc), FFont(font), FOwned(owned) {
    FOld = win::SelectObject(dc, font);
  }
  ~TSelectedFont() {
    win::SelectObject(FDC, FOld);
    if (FOwned) win::DeleteObject(win::GdiObj(FFont));
  }
  TSelectedFont(const TSelectedFont&) = delete;
  TSelectedFont& operator=(const TSelectedFont&) = delete;

private:
  win::HDC FDC;
  win::HFONT FFont;
  bool FOwned;
  win::HGDIOBJ FOld;
};

// Sets the character spacing of a DC and puts the previous one back.
class TCharExtra {
public:
  TCharExtra(win::HDC dc, int extra) : FDC(dc), FOld(win::SetTextCharacterExtra(dc, extra)) {}
  ~TCharExtra() { Restore(); }
  void Restore() {
    if (FDC) win::SetTextCharacterExtra(FDC, FOld);
    FDC = nullptr;
  }

private:
  win::HDC FDC;
  int FOld;
};

void DrawTextIn(win::HDC dc, const std::string& text, win::RECT r) {
  win::DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, 0);
}

}  // namespace

TMoneyStyle::TMoneyStyle(TControl* Grid)
    : FGrid(Grid), FCurrencyFont(std::make_unique<TFont>()), FHeadFont(std::make_unique<TFont>()) {
  FHeadFont->SetName("楷体_GB2312");
  Measure();
  FCurrencyFont->SetOnChange(TNotifyEvent::Bind(this, &TMoneyStyle::FontChanged));
  FHeadFont->SetOnChange(TNotifyEvent::Bind(this, &TMoneyStyle::FontChanged));
}

TMoneyStyle::~TMoneyStyle() = default;

void TMoneyStyle::Publish(TClassBuilder<TMoneyStyle>& b) {
  using M = TMoneyStyle;
  b.Property("CurrencyFont", &M::CurrencyFont, &M::SetCurrencyFont);
  b.Property("CurrencySymbol", &M::CurrencySymbol, &M::SetCurrencySymbol);
  b.Property("CompartColor", &M::CompartColor, &M::SetCompartColor).NoDefault();
  b.Property("KilobitColor", &M::KilobitColor, &M::SetKilobitColor).NoDefault();
  b.Property("RadixColor", &M::RadixColor, &M::SetRadixColor).NoDefault();
  b.Property("ShowMinus", &M::ShowMinus, &M::SetShowMinus).NoDefault();
  b.Property("ShowZero", &M::ShowZero, &M::SetShowZero).NoDefault();
  b.Property("MinusColor", &M::MinusColor, &M::SetMinusColor).NoDefault();
  b.Property("Layout", &M::Layout, &M::SetLayout).NoDefault();
  b.Property("CHNWidth", &M::CHNWidth, nullptr);
  b.Property("ENGWidth", &M::ENGWidth, nullptr);
  b.Property("CHNHeight", &M::CHNHeight, nullptr);
  b.Property("ENGHeight", &M::ENGHeight, nullptr);
  b.Property("OnChange", &M::OnChange, &M::SetOnChange);
  b.Property("HeadFont", &M::HeadFont, &M::SetHeadFont);
  b.Property("Digits", &M::Digits, &M::SetDigits).Default(2);
}

void TMoneyStyle::Changed() {
  if (FOnChange) FOnChange(this);
  if (FGrid) FGrid->Invalidate();
}

void TMoneyStyle::FontChanged(TObject*) {
  Measure();
  Changed();
}

void TMoneyStyle::SetColorValue(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TMoneyStyle::SetCurrencyFont(TFont* Value) {
  if (!Value || Value == FCurrencyFont.get()) return;
  FCurrencyFont->Assign(Value);
  FCurrencyFont->SetStyle({});
  FCurrencyFont->SetName("MS Sans Serif");
  FCurrencyFont->SetSize(8);
  Measure();
}

void TMoneyStyle::SetHeadFont(TFont* Value) {
  if (!Value || Value == FHeadFont.get()) return;
  FHeadFont->Assign(Value);
  Changed();
}

void TMoneyStyle::SetCurrencySymbol(const std::string& Value) {
  if (Value == FCurrencySymbol) return;
  FCurrencySymbol = Value;
  Changed();
}

void TMoneyStyle::SetShowMinus(bool Value) {
  if (Value == FShowMinus) return;
  FShowMinus = Value;
  Changed();
}

void TMoneyStyle::SetShowZero(bool Value) {
  if (Value == FShowZero) return;
  FShowZero = Value;
  Changed();
}

void TMoneyStyle::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Changed();
}

void TMoneyStyle::SetDigits(int Value) {
  if (Value < 1 || Value > 4 || Value == FDigits) return;
  FDigits = Value;
  Changed();
}

void TMoneyStyle::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TMoneyStyle*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FCurrencyFont->Assign(s->CurrencyFont());
  FHeadFont->Assign(s->HeadFont());
  FCurrencySymbol = s->CurrencySymbol();
  FCompartColor = s->CompartColor();
  FKilobitColor = s->KilobitColor();
  FRadixColor = s->RadixColor();
  FShowMinus = s->ShowMinus();
  FMinusColor = s->MinusColor();
  FLayout = s->Layout();
}

void TMoneyStyle::Measure() {
  const win::HDC dc = win::GetDC(nullptr);
  {
    TSelectedFont currency(dc, FCurrencyFont->Handle(), false);
    FENGWidth = Extent(dc, "0").cx;
    FENGHeight = Extent(dc, "09").cy;
  }
  int height;
  {
    TSelectedFont head(dc, FHeadFont->Handle(), false);
    height = Extent(dc, Fen).cy;
  }
  {
    TSelectedFont narrow(dc, DerivedFont(FHeadFont.get(), -height, (FENGWidth + FENGWidth / 2) / 2), true);
    const win::SIZE size = Extent(dc, Fen);
    FCHNWidth = size.cx;
    FCHNHeight = size.cy;
  }
  win::ReleaseDC(nullptr, dc);
}

std::string TMoneyStyle::HeadingText(int Digits) {
  std::string text;
  for (int i = 0; i < 4; ++i) text += "千百十万千百十亿";
  text += "千百十万千百十元";
  const std::string fractions = "角分毫厘";
  return text + fractions.substr(0, Utf8CharToByteIndex(fractions, static_cast<std::size_t>(Digits)));
}

TColor TMoneyStyle::LineColor(int Index) const {
  if (Index == FDigits) return FRadixColor;
  if ((Index - FDigits) % 3 == 0) return FKilobitColor;
  return FCompartColor;
}

// Column lines from the right edge leftwards: x = Right - 2 - i * (Pitch + 2) while
// x > Left; in cells the rightmost line is left out and lines too near the left edge too.
void TMoneyStyle::DrawColumnLines(win::HDC DC, const win::RECT& Rect, int Pitch, bool InCell) {
  for (int i = 0;; ++i) {
    const int x = Rect.right - 2 - i * (Pitch + 2);
    if (x <= Rect.left) break;
    if (InCell && (i == 0 || 2 * (x - Rect.left) < Pitch)) continue;
    const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, ColorToRGB(LineColor(i)));
    const win::HGDIOBJ old = win::SelectObject(DC, pen);
    const win::POINT points[2] = {{x, Rect.top}, {x, Rect.bottom}};
    win::Polyline(DC, points, 2);
    win::SelectObject(DC, old);
    win::DeleteObject(win::GdiObj(pen));
  }
}

void TMoneyStyle::DrawHeading(TCanvas* Canvas, const win::RECT& Rect) {
  const std::string heading = HeadingText(FDigits);
  const win::HDC dc = Canvas->Handle();
  TSelectedFont narrow(dc, DerivedFont(FHeadFont.get(), -FCHNHeight, (FENGWidth + FENGWidth / 2) / 2), true);
  const int w = Extent(dc, Fen).cx;
  int lines = 0;
  for (int x = Rect.right - 2; x > Rect.left; x -= w + 2) ++lines;
  // The lowest places, one per column.
  const std::size_t chars = Utf8Length(heading);
  const std::size_t shown = std::min<std::size_t>(chars, static_cast<std::size_t>(std::max(lines - 1, 0)));
  const std::string text = heading.substr(Utf8CharToByteIndex(heading, chars - shown));
  {
    TCharExtra extra(dc, w - FENGWidth);
    const win::COLORREF oldColor = win::SetTextColor(dc, ColorToRGB(FHeadFont->Color()));
    win::RECT r{Rect.left + w, Rect.top, Rect.right + w, Rect.bottom};
    win::DRAWTEXTPARAMS params;
    params.iLeftMargin = 0;
    params.iRightMargin = 0;
    win::DrawTextEx(dc, text.c_str(), static_cast<int>(text.size()), &r, 0, &params);
    win::SetTextColor(dc, oldColor);
  }
  const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, 0);
  const win::HGDIOBJ old = win::SelectObject(dc, pen);
  const win::POINT top[2] = {{Rect.left, Rect.top}, {Rect.right, Rect.top}};
  win::Polyline(dc, top, 2);
  win::SelectObject(dc, old);
  win::DeleteObject(win::GdiObj(pen));
  DrawColumnLines(dc, Rect, w, false);
}

std::string TMoneyStyle::AmountDigits(const std::string& Text, int Digits, bool& Negative, bool& Overflow) {
  Negative = false;
  Overflow = false;
  Currency value;
  if (!TryStrToCurr(Text, value)) {
    double d = 0;
    if (!TryStrToFloat(Text, d) || !std::isfinite(d)) return std::string();
    if (std::fabs(d) >= 922337203685477.0) {
      // A number the Currency range cannot hold is an overflow, not a zero.
      Overflow = true;
      Negative = d < 0;
      return std::string();
    }
    value = Currency::FromDouble(d);
  }
  Negative = value < Currency();
  if (value == Currency()) return std::string();
  const std::string fixed = CurrToStrF(Negative ? -value : value, ffFixed, Digits);
  std::string digits;
  for (char c : fixed)
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

void TMoneyStyle::DrawAmount(TCanvas* Canvas, const std::string& Text, const win::RECT& Rect) {
  Canvas->FillRect(Rect);
  const TColor cellColor = Canvas->Font()->Color();
  Canvas->Font()->Assign(FCurrencyFont.get());
  int extra = FCHNWidth - FENGWidth;
  TColor color = cellColor;
  if (FCurrencyFont->Style().Contains(fsBold)) {
    ++extra;
    color = FCurrencyFont->Color();
  }
  const win::HDC dc = Canvas->Handle();
  TSelectedFont currency(dc, FCurrencyFont->Handle(), false);
  TCharExtra spacing(dc, extra);

  bool negative = false, overflow = false;
  std::string text = AmountDigits(Text, FDigits, negative, overflow);
  if (negative) color = FMinusColor;
  if (overflow) {
    text = "*";
  } else if (text.empty()) {
    if (FShowZero) text = std::string(static_cast<std::size_t>(FDigits) + 1, '0');
  } else if (negative && FShowMinus) {
    text = "-" + text;
  }
  // Too narrow: "*" and the lowest digits.
  const int w0 = std::max(1, static_cast<int>(Extent(dc, "0").cx));
  const int columns = (Rect.right - Rect.left - 2) / w0;
  if (static_cast<int>(text.size()) > columns - 1)
    text = "*" + text.substr(text.size() - static_cast<std::size_t>(std::max(columns - 2, 0)));

  const int len = static_cast<int>(text.size());
  const int shift = (len >= 1 && len <= 14) ? 2 * (len - 8) : 0;
  win::RECT textRect;
  textRect.right = Rect.right - shift + 3;
  textRect.left = textRect.right - (len + 2) * FCHNWidth - 2;
  textRect.top = Rect.top;
  textRect.bottom = Rect.bottom;
  const win::COLORREF oldColor = win::SetTextColor(dc, ColorToRGB(color));
  if (!text.empty()) DrawTextIn(dc, text, textRect);

  if (!text.empty()) {
    const int width = (FENGWidth + FENGWidth / 2) / 2;
    TSelectedFont symbolFont(dc, DerivedFont(FHeadFont.get(), -FENGHeight, width), true);
    win::RECT symbol;
    symbol.left = textRect.left - (FCHNWidth + width);
    symbol.right = symbol.left + FCHNWidth + FENGWidth + FENGWidth / 2;
    symbol.top = Rect.top;
    symbol.bottom = Rect.bottom;
    if (symbol.left > Rect.left && !Trim(FCurrencySymbol).empty()) {
      win::SetTextColor(dc, ColorToRGB(FHeadFont->Color()));
      DrawTextIn(dc, FCurrencySymbol, symbol);
    }
  }
  win::SetTextColor(dc, oldColor);
  spacing.Restore();
  DrawColumnLines(dc, Rect, FCHNWidth, true);
}
