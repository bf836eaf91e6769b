#pragma once
// TColor: $00BBGGRR, or a negative system colour ($FF000000 + COLOR_* index).
#include <cstdint>
#include <string>

#include "platform/graphics/Gdi.h"
#include "platform/rtl/Object.h"

// A colour. Its own type so that every colour property of every class reads and
// writes colour names in form descriptions; it converts to and from its number freely.
struct TColor {
  std::int32_t Value = 0;
  constexpr TColor() = default;
  constexpr TColor(std::int32_t V) : Value(V) {}
  constexpr operator std::int32_t() const { return Value; }
  // The colour names of form descriptions.
  static const TIdentMap& TypeIdents();
};

constexpr TColor SysColor(int index) { return TColor(static_cast<std::int32_t>(0xFF000000u | unsigned(index))); }

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
                        clDkGray = 0x808080, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0,
                        clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;
inline constexpr TColor clScrollBar = SysColor(win::COLOR_SCROLLBAR), clBackground = SysColor(win::COLOR_BACKGROUND),
                        clActiveCaption = SysColor(win::COLOR_ACTIVECAPTION),
                        clInactiveCaption = SysColor(win::COLOR_INACTIVECAPTION), clMenu = SysColor(win::COLOR_MENU),
                        clWindow = SysColor(win::COLOR_WINDOW), clWindowFrame = SysColor(win::COLOR_WINDOWFRAME),
                        clMenuText = SysColor(win::COLOR_MENUTEXT), clWindowText = SysColor(win::COLOR_WINDOWTEXT),
                        clCaptionText = SysColor(win::COLOR_CAPTIONTEXT),
                        clActiveBorder = SysColor(win::COLOR_ACTIVEBORDER),
                        clInactiveBorder = SysColor(win::COLOR_INACTIVEBORDER),
                        clAppWorkSpace = SysColor(win::COLOR_APPWORKSPACE), clHighlight = SysColor(win::COLOR_HIGHLIGHT),
                        clHighlightText = SysColor(win::COLOR_HIGHLIGHTTEXT), clBtnFace = SysColor(win::COLOR_BTNFACE),
                        clBtnShadow = SysColor(win::COLOR_BTNSHADOW), clGrayText = SysColor(win::COLOR_GRAYTEXT),
                        clBtnText = SysColor(win::COLOR_BTNTEXT),
                        clInactiveCaptionText = SysColor(win::COLOR_INACTIVECAPTIONTEXT),
                        clBtnHighlight = SysColor(win::COLOR_BTNHIGHLIGHT), cl3DDkShadow = SysColor(win::COLOR_3DDKSHADOW),
                        cl3DLight = SysColor(win::COLOR_3DLIGHT), clInfoText = SysColor(win::COLOR_INFOTEXT),
                        clInfoBk = SysColor(win::COLOR_INFOBK), clHotLight = SysColor(win::COLOR_HOTLIGHT),
                        clGradientActiveCaption = SysColor(win::COLOR_GRADIENTACTIVECAPTION),
                        clGradientInactiveCaption = SysColor(win::COLOR_GRADIENTINACTIVECAPTION),
                        clMenuHighlight = SysColor(win::COLOR_MENUHILIGHT), clMenuBar = SysColor(win::COLOR_MENUBAR);

// The RGB value of a colour: system colours through the current palette.
win::COLORREF ColorToRGB(TColor Color);
// The colour names the form filer reads and writes ("clBtnFace" ...).
const TIdentMap& ColorIdents();
bool ColorToIdent(TColor Color, std::string& Ident);
bool IdentToColor(const std::string& Ident, TColor& Color);
// "clRed", or "$00BBGGRR" for a colour without a name.
std::string ColorToString(TColor Color);
// A name or a number ("$FF", "255"); raises EConvertError for anything else.
TColor StringToColor(const std::string& S);
