// Writing rich text as RTF: the font and colour tables, then the paragraphs with the
// formatting switched where it changes. Text leaves as ASCII whatever its language.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/RichText.h"
#include "platform/rtl/Utf8.h"

std::string RtfEscapedText(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size());
  auto Unit = [&Out](int Code) {  // one UTF-16 unit, as RTF's signed 16-bit number
    Out += "\\u";
    Out += std::to_string(Code > 32767 ? Code - 65536 : Code);
    Out += "\\'3f";  // the fallback "?", hex-escaped: some readers mistake a bare one
  };
  for (std::size_t I = 0; I < Text.size();) {
    const unsigned char C = static_cast<unsigned char>(Text[I]);
    if (C < 0x80) {
      ++I;
      if (C == '\\' || C == '{' || C == '}') {
        Out += '\\';
        Out += static_cast<char>(C);
      } else if (C == '\r' || C == '\n') {
        if (C == '\r' && I < Text.size() && Text[I] == '\n') ++I;  // CR LF is one break
        Out += "\\line ";
      } else if (C == '\t') {
        Out += "\\tab ";
      } else if (C >= 0x20 && C != 0x7F) {
        Out += static_cast<char>(C);
      }
      continue;
    }
    const char32_t Code = Utf8Decode(Text, I);
    I = Utf8NextChar(Text, I);
    if (Code > 0xFFFF) {
      const char32_t V = Code - 0x10000;
      Unit(static_cast<int>(0xD800 + (V >> 10)));
      Unit(static_cast<int>(0xDC00 + (V & 0x3FF)));
    } else {
      Unit(static_cast<int>(Code));
    }
  }
  return Out;
}

namespace {
// The fonts and colours a document uses, in the order they first appear.
struct TRtfTables {
  std::vector<std::string> Fonts;
  std::vector<win::COLORREF> Colors;  // entry 0 of the table is the automatic colour

  // A font's name as the table can hold it: no ';' (it ends an entry), no blanks around,
  // no longer than a reader keeps.
  static std::string TableName(const std::string& Name) {
    std::string N;
    for (char C : Name)
      if (C != ';' && static_cast<unsigned char>(C) >= 0x20) N += C;
    N.erase(0, N.find_first_not_of(' '));
    N.erase(N.find_last_not_of(' ') + 1);
    return Utf8Truncate(N, 256);
  }
  int Font(const std::string& RawName) {
    const std::string Name = TableName(RawName);
    auto It = std::find(Fonts.begin(), Fonts.end(), Name);
    if (It != Fonts.end()) return int(It - Fonts.begin());
    Fonts.push_back(Name);
    return int(Fonts.size()) - 1;
  }
  int Color(TColor Value) {
    if (Value == clWindowText || Value == clDefault || Value == clNone) return 0;
    const win::COLORREF Rgb = ColorToRGB(Value);
    auto It = std::find(Colors.begin(), Colors.end(), Rgb);
    if (It != Colors.end()) return int(It - Colors.begin()) + 1;
    Colors.push_back(Rgb);
    return int(Colors.size());
  }
  void Note(const TRichTextFormat& F) {
    Font(F.FontName);
    Color(F.Color);
  }
};

// Writes the control words that turn the format Current into Wanted.
void SwitchFormat(std::string& Out, TRtfTables& Tables, TRichTextFormat& Current, const TRichTextFormat& Wanted,
                  bool First) {
  const std::size_t Before = Out.size();
  if (First || Current.FontName != Wanted.FontName) Out += "\\f" + std::to_string(Tables.Font(Wanted.FontName));
  if (First || Current.HalfPoints != Wanted.HalfPoints) Out += "\\fs" + std::to_string(Wanted.HalfPoints);
  if (First || Current.Color != Wanted.Color) Out += "\\cf" + std::to_string(Tables.Color(Wanted.Color));
  struct {
    TFontStyle Style;
    const char *On, *Off;
  } const Styles[] = {{fsBold, "\\b", "\\b0"},
                      {fsItalic, "\\i", "\\i0"},
                      {fsUnderline, "\\ul", "\\ulnone"},
                      {fsStrikeOut, "\\strike", "\\strike0"}};
  for (const auto& S : Styles) {
    const bool On = Wanted.Style.Contains(S.Style);
    if (First ? On : On != Current.Style.Contains(S.Style)) Out += On ? S.On : S.Off;
  }
  if (Out.size() != Before) Out += ' ';
  Current = Wanted;
}

std::string RunText(const std::string& Text) {
  std::string Plain = Text;
  std::replace(Plain.begin(), Plain.end(), '\v', '\n');  // a line break inside the paragraph
  return RtfEscapedText(Plain);
}
}  // namespace

std::string TRichTextDocument::SaveRtf() const {
  TRtfTables Tables;
  Tables.Note(FDefaultFormat);
  for (const TRichTextParagraph& P : FParagraphs) {
    for (const TRichTextRun& R : P.Runs) Tables.Note(R.Format);
    Tables.Note(P.MarkFormat);
  }
  std::string Body;
  TRichTextFormat Current;
  bool First = true;
  for (std::size_t I = 0; I < FParagraphs.size(); ++I) {
    const TRichTextParagraph& P = FParagraphs[I];
    for (const TRichTextRun& R : P.Runs) {
      const std::string Text = RunText(R.Text);
      if (Text.empty()) continue;
      SwitchFormat(Body, Tables, Current, R.Format, First);
      First = false;
      Body += Text;
    }
    SwitchFormat(Body, Tables, Current, P.MarkFormat, First);
    First = false;
    if (I + 1 < FParagraphs.size()) Body += "\\par\r\n";
  }
  std::string Out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
  for (std::size_t I = 0; I < Tables.Fonts.size(); ++I)
    Out += "{\\f" + std::to_string(I) + "\\fnil\\fcharset0 " + RtfEscapedText(Tables.Fonts[I]) + ";}";
  Out += "}\r\n{\\colortbl ;";
  for (win::COLORREF C : Tables.Colors)
    Out += "\\red" + std::to_string(win::GetRValue(C)) + "\\green" + std::to_string(win::GetGValue(C)) + "\\blue" +
           std::to_string(win::GetBValue(C)) + ";";
  Out += "}\r\n\\pard ";
  Out += Body;
  Out += "}\r\n";
  return Out;
}
