#pragma once
// Building rich-text documents run by run, and printing them back for assertions.
#include <string>
#include <vector>

#include "platform/controls/RichText.h"

namespace richtext {

inline TRichTextFormat Format(const std::string& Font, int HalfPoints, TFontStyles Style = {},
                              TColor Color = clWindowText) {
  TRichTextFormat F;
  F.FontName = Font;
  F.HalfPoints = HalfPoints;
  F.Style = Style;
  F.Color = Color;
  return F;
}

// A paragraph of runs; its end takes the format of its last run (or Mark when empty).
inline TRichTextParagraph Paragraph(std::vector<TRichTextRun> Runs, const TRichTextFormat& Mark = TRichTextFormat()) {
  TRichTextParagraph P;
  P.MarkFormat = Runs.empty() ? Mark : Runs.back().Format;
  P.Runs = std::move(Runs);
  return P;
}

inline TRichTextDocument Document(std::vector<TRichTextParagraph> Paragraphs) {
  TRichTextDocument D;
  D.Paragraphs() = std::move(Paragraphs);
  return D;
}

// "font/size/BIUS/#rrggbb:text" per run, "|" between runs, one string per paragraph.
inline std::string Describe(const TRichTextFormat& F) {
  std::string S = F.FontName + "/" + std::to_string(F.HalfPoints) + "/";
  S += F.Style.Contains(fsBold) ? "B" : "";
  S += F.Style.Contains(fsItalic) ? "I" : "";
  S += F.Style.Contains(fsUnderline) ? "U" : "";
  S += F.Style.Contains(fsStrikeOut) ? "S" : "";
  if (F.Color == clWindowText) {
    S += "/auto";
  } else {
    char Hex[16];
    std::snprintf(Hex, sizeof Hex, "/#%06x", unsigned(F.Color.Value));
    S += Hex;
  }
  return S;
}

inline std::vector<std::string> Describe(const TRichTextDocument& D) {
  std::vector<std::string> Out;
  for (const TRichTextParagraph& P : D.Paragraphs()) {
    std::string S;
    for (const TRichTextRun& R : P.Runs) {
      if (!S.empty()) S += "|";
      S += Describe(R.Format) + ":" + R.Text;
    }
    Out.push_back(S);
  }
  return Out;
}

}  // namespace richtext
