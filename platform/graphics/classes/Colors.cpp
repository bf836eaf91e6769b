#include "platform/graphics/Colors.h"

#include <cctype>
#include <cstdio>

#include "platform/rtl/SysUtils.h"

win::COLORREF ColorToRGB(TColor Color) {
  if (Color < 0) return win::GetSysColor(Color & 0xFF);
  return static_cast<win::COLORREF>(Color);
}

const TIdentMap& ColorIdents() {
  static const TIdentMap map = {
      {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
      {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
      {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
      {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
      {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
      {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
      {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
      {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
      {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
      {clGradientActiveCaption, "clGradientActiveCaption"},
      {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
      {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
      {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
      {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
      {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"},
      {clMenuText, "clMenuText"}, {clNone, "clNone"}, {clScrollBar, "clScrollBar"},
      {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"},
      {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"}};
  return map;
}

const TIdentMap& TColor::TypeIdents() { return ColorIdents(); }

bool ColorToIdent(TColor Color, std::string& Ident) {
  for (const auto& e : ColorIdents())
    if (e.Value == Color) {
      Ident = e.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  for (const auto& e : ColorIdents())
    if (SameText(Ident, e.Name)) {
      Color = static_cast<TColor>(e.Value);
      return true;
    }
  return false;
}

std::string ColorToString(TColor Color) {
  std::string s;
  if (ColorToIdent(Color, s)) return s;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(Color));
  return buf;
}

TColor StringToColor(const std::string& S) {
  TColor c;
  if (IdentToColor(S, c)) return c;
  return static_cast<TColor>(StrToInt(S));
}
