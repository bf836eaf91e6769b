// The rich-text document: its paragraphs as plain text, its length in characters and
// the replacement of text inside its paragraphs.
#include <algorithm>
#include <cctype>

#include "platform/controls/RichText.h"
#include "platform/rtl/Utf8.h"

std::string TRichTextParagraph::Text() const {
  std::string S;
  for (const TRichTextRun& R : Runs) S += R.Text;
  return S;
}

TRichTextDocument::TRichTextDocument() { Clear(); }

void TRichTextDocument::Clear() {
  FParagraphs.assign(1, TRichTextParagraph{});
  FParagraphs[0].MarkFormat = FDefaultFormat;
}

void TRichTextDocument::SetPlainText(std::string_view Text) {
  FParagraphs.clear();
  std::size_t Start = 0;
  auto AddLine = [&](std::size_t End) {
    TRichTextParagraph P;
    P.MarkFormat = FDefaultFormat;
    if (End > Start) P.Runs.push_back({FDefaultFormat, std::string(Text.substr(Start, End - Start))});
    FParagraphs.push_back(std::move(P));
  };
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\r' && Text[I] != '\n') continue;
    AddLine(I);
    if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    Start = I + 1;
  }
  AddLine(Text.size());
}

std::string TRichTextDocument::PlainText() const {
  std::string S;
  for (std::size_t I = 0; I < FParagraphs.size(); ++I) {
    if (I > 0) S += "\r\n";
    S += FParagraphs[I].Text();
  }
  return S;
}

int TRichTextDocument::Length() const {
  std::size_t N = FParagraphs.size() - 1;
  for (const TRichTextParagraph& P : FParagraphs)
    for (const TRichTextRun& R : P.Runs) N += Utf8Length(R.Text);
  return int(std::min<std::size_t>(N, 0x7FFFFFFF));
}

namespace {
std::string AsciiUpper(std::string_view S) {
  std::string U(S);
  for (char& C : U) C = char(std::toupper(static_cast<unsigned char>(C)));
  return U;
}

// Replaces the matches in one paragraph; the replacement joins the run holding the
// first byte of its match.
int ReplaceInParagraph(TRichTextParagraph& P, const std::string& Needle, std::string_view Replacement) {
  const std::string Flat = P.Text();
  const std::string Hay = AsciiUpper(Flat);
  std::vector<std::size_t> Matches;
  for (std::size_t At = Hay.find(Needle); At != std::string::npos; At = Hay.find(Needle, At + Needle.size()))
    Matches.push_back(At);
  if (Matches.empty()) return 0;
  std::vector<TRichTextRun> Runs;
  std::size_t RunStart = 0, M = 0;
  for (const TRichTextRun& R : P.Runs) {
    const std::size_t RunEnd = RunStart + R.Text.size();
    TRichTextRun Out{R.Format, {}};
    for (std::size_t B = RunStart; B < RunEnd;) {
      while (M < Matches.size() && Matches[M] + Needle.size() <= B) ++M;
      if (M < Matches.size() && Matches[M] <= B) {
        if (Matches[M] == B) Out.Text += Replacement;
        B = std::min(RunEnd, Matches[M] + Needle.size());
        continue;
      }
      const std::size_t Stop = M < Matches.size() ? std::min(RunEnd, Matches[M]) : RunEnd;
      Out.Text.append(Flat, B, Stop - B);
      B = Stop;
    }
    if (!Out.Text.empty()) Runs.push_back(std::move(Out));
    RunStart = RunEnd;
  }
  P.Runs = std::move(Runs);
  return int(Matches.size());
}
}  // namespace

int TRichTextDocument::ReplaceAll(std::string_view Find, std::string_view Replacement) {
  if (Find.empty()) return 0;
  const std::string Needle = AsciiUpper(Find);
  int Count = 0;
  for (TRichTextParagraph& P : FParagraphs) Count += ReplaceInParagraph(P, Needle, Replacement);
  return Count;
}
