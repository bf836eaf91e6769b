// Laying rich text out in an area of a canvas: lines broken after spaces and around
// ideographs, a word wider than the line broken between its characters, tab stops every
// half inch, and whole lines placed while they fit.
#include <algorithm>
#include <cstdint>
#include <map>

#include "platform/controls/RichText.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Utf8.h"

namespace {
constexpr int TwipsPerInch = 1440;

int TwipsToUnits(int Twips, int Resolution) {
  return int(std::int64_t(Twips) * Resolution / TwipsPerInch);
}
// Rounded up, so that converting back never lands above the units.
int UnitsToTwips(int Units, int Resolution) {
  const std::int64_t N = std::int64_t(Units) * TwipsPerInch;
  return int(N >= 0 ? (N + Resolution - 1) / Resolution : N / Resolution);
}

struct TAtom {
  char32_t Code;
  int Run;
  std::uint32_t Byte, Length;  // within the run's text
};

bool Ideograph(char32_t C) { return C >= 0x2E80; }

// One paragraph being laid out: its characters, and the fonts of its runs measured on
// the canvas.
class TParagraphLayout {
public:
  TParagraphLayout(const TRichTextParagraph& P, TCanvas* Canvas, int ResolutionY)
      : P(P), Canvas(Canvas), ResolutionY(ResolutionY) {
    for (int R = 0; R < int(P.Runs.size()); ++R) {
      const std::string& T = P.Runs[std::size_t(R)].Text;
      for (std::size_t B = 0; B < T.size(); B = Utf8NextChar(T, B))
        Atoms.push_back({Utf8Decode(T, B), R, std::uint32_t(B), std::uint32_t(Utf8CharLength(T, B))});
    }
  }

  const TRichTextParagraph& P;
  TCanvas* Canvas;
  int ResolutionY;
  std::vector<TAtom> Atoms;

  // Selects the font of a run (-1: the paragraph's end).
  void UseFont(int Run) {
    if (Run == FFontRun) return;
    const TRichTextFormat& F = Run >= 0 ? P.Runs[std::size_t(Run)].Format : P.MarkFormat;
    TFont* Font = Canvas->Font();
    Font->SetName(F.FontName);
    Font->SetHeight(-std::max(1, int(std::int64_t(F.HalfPoints) * ResolutionY / 144)));
    Font->SetStyle(F.Style);
    Font->SetColor(F.Color == clWindowText ? clBlack : F.Color);
    FFontRun = Run;
  }
  // The text of the characters [From, To), all of one run.
  std::string Text(std::size_t From, std::size_t To) const {
    const TAtom& A = Atoms[From];
    const std::uint32_t End = To < Atoms.size() && Atoms[To].Run == A.Run ? Atoms[To].Byte
                                                                           : std::uint32_t(P.Runs[std::size_t(A.Run)].Text.size());
    return P.Runs[std::size_t(A.Run)].Text.substr(A.Byte, End - A.Byte);
  }
  int Width(std::size_t From, std::size_t To) {
    if (From >= To) return 0;
    UseFont(Atoms[From].Run);
    return Canvas->TextWidth(Text(From, To));
  }
  const win::TEXTMETRIC& Metrics(int Run) {
    auto It = FMetrics.find(Run);
    if (It != FMetrics.end()) return It->second;
    UseFont(Run);
    win::TEXTMETRIC Tm;
    Canvas->TextWidth(" ");  // selects the font into the device context
    win::GetTextMetrics(Canvas->Handle(), &Tm);
    return FMetrics[Run] = Tm;
  }

private:
  int FFontRun = -2;
  std::map<int, win::TEXTMETRIC> FMetrics;
};

// A piece of one line: characters of one run starting at X.
struct TPiece {
  std::size_t From, To;
  int X;
};

struct TLine {
  std::vector<TPiece> Pieces;
  std::size_t End = 0;  // the character after the line (its line break included)
  int Height = 0, Ascent = 0;
};
}  // namespace

int TRichTextDocument::FormatRange(TRichTextFormatRange& Range, bool Render) const {
  TCanvas* Canvas = Range.Canvas;
  const int Total = Length();
  const int Limit = Range.Last < 0 || Range.Last > Total ? Total : Range.Last;
  if (!Canvas || Range.First < 0 || Range.First >= Limit || Range.ResolutionX <= 0 || Range.ResolutionY <= 0)
    return std::max(0, Range.First);
  const int Left = TwipsToUnits(Range.Area.left, Range.ResolutionX);
  const int Right = std::max(Left + 1, TwipsToUnits(Range.Area.right, Range.ResolutionX));
  const int Top = TwipsToUnits(Range.Area.top, Range.ResolutionY);
  const int Bottom = TwipsToUnits(Range.Area.bottom, Range.ResolutionY);
  const int Width = Right - Left;
  const int TabStop = std::max(1, TwipsToUnits(TwipsPerInch / 2, Range.ResolutionX));

  TFont SavedFont;
  SavedFont.Assign(Canvas->Font());
  const TBrushStyle SavedBrush = Canvas->Brush()->Style();
  Canvas->Brush()->SetStyle(bsClear);
  auto Restore = AtScopeExit([&] {
    Canvas->Font()->Assign(&SavedFont);
    Canvas->Brush()->SetStyle(SavedBrush);
  });

  // The paragraph holding the first character.
  std::size_t Para = 0;
  int ParaStart = 0;
  for (; Para + 1 < FParagraphs.size(); ++Para) {
    int N = 0;
    for (const TRichTextRun& R : FParagraphs[Para].Runs) N += int(Utf8Length(R.Text));
    if (ParaStart + N >= Range.First) break;
    ParaStart += N + 1;
  }

  int Y = Top;
  int Position = Range.First;
  bool Placed = false;
  for (; Para < FParagraphs.size() && Position < Limit; ++Para) {
    TParagraphLayout L(FParagraphs[Para], Canvas, Range.ResolutionY);
    const std::size_t Count = L.Atoms.size();
    const bool LastParagraph = Para + 1 == FParagraphs.size();
    const std::size_t End = std::min<std::size_t>(Count, std::size_t(Limit - ParaStart));
    std::size_t A = std::size_t(std::max(0, Position - ParaStart));
    do {
      // Fill one line from character A.
      TLine Line;
      int X = 0;
      bool Hard = false;
      while (A < End) {
        const TAtom& C = L.Atoms[A];
        if (C.Code == U'\v') {
          Line.Pieces.push_back({A, A, X});  // gives the line its height
          ++A;
          Hard = true;
          break;
        }
        if (C.Code == U'\t') {
          const int Next = (X / TabStop + 1) * TabStop;
          if (Next > Width && !Line.Pieces.empty()) break;
          Line.Pieces.push_back({A, A, X});
          X = Next;
          ++A;
          continue;
        }
        // A word: characters of one run up to and with the spaces after it; an ideograph
        // stands alone.
        std::size_t W = A + 1;
        if (!Ideograph(C.Code) && C.Code != U' ')
          while (W < End && L.Atoms[W].Run == C.Run && L.Atoms[W].Code != U' ' && L.Atoms[W].Code != U'\t' &&
                 L.Atoms[W].Code != U'\v' && !Ideograph(L.Atoms[W].Code))
            ++W;
        std::size_t Ink = W;  // the word without its trailing spaces
        while (W < End && L.Atoms[W].Run == C.Run && L.Atoms[W].Code == U' ') ++W;
        if (Ink == A) Ink = W;  // spaces alone
        const int InkWidth = C.Code == U' ' ? 0 : L.Width(A, Ink);
        if (X + InkWidth <= Width) {
          Line.Pieces.push_back({A, W, X});
          X += L.Width(A, W);
          A = W;
          continue;
        }
        if (!Line.Pieces.empty()) break;
        // Wider than the line: as many characters as fit, at least one.
        std::size_t Lo = A + 1, Hi = Ink;
        while (Lo < Hi) {
          const std::size_t Mid = (Lo + Hi + 1) / 2;
          if (L.Width(A, Mid) <= Width) Lo = Mid;
          else Hi = Mid - 1;
        }
        Line.Pieces.push_back({A, Lo, X});
        A = Lo;
        break;
      }
      // Skip the spaces a wrapped line leaves at its end.
      while (!Hard && A < End && L.Atoms[A].Code == U' ') {
        Line.Pieces.push_back({A, A + 1, X});
        ++A;
      }
      Line.End = A;
      // Its height: the tallest font on it, or the paragraph end's for an empty line.
      int Ascent = 0, Descent = 0;
      bool Any = false;
      for (const TPiece& Pc : Line.Pieces) {
        const win::TEXTMETRIC& Tm = L.Metrics(L.Atoms[Pc.From].Run);
        Ascent = std::max<int>(Ascent, Tm.tmAscent);
        Descent = std::max<int>(Descent, Tm.tmDescent + Tm.tmExternalLeading);
        Any = true;
      }
      if (!Any) {
        const win::TEXTMETRIC& Tm = L.Metrics(-1);
        Ascent = Tm.tmAscent;
        Descent = Tm.tmDescent + Tm.tmExternalLeading;
      }
      Line.Height = std::max(1, Ascent + Descent);
      Line.Ascent = Ascent;
      const bool Fits = Y + Line.Height <= Bottom;
      if (!Fits && (Placed || !Range.PlaceOneLine)) {
        Range.Area.bottom = UnitsToTwips(Y, Range.ResolutionY);
        return Position;
      }
      if (Render) {
        const win::RECT Clip{Left, std::max(Y, Top), Right, std::min(Y + Line.Height, std::max(Bottom, Top))};
        for (const TPiece& Pc : Line.Pieces) {
          if (Pc.To <= Pc.From) continue;
          const TAtom& C = L.Atoms[Pc.From];
          if (C.Code == U'\t' || C.Code == U'\v') continue;
          const win::TEXTMETRIC& Tm = L.Metrics(C.Run);
          L.UseFont(C.Run);
          Canvas->TextRect(Clip, Left + Pc.X, Y + Line.Ascent - Tm.tmAscent, L.Text(Pc.From, Pc.To));
        }
      }
      Placed = true;
      Y += Line.Height;
      const bool ParagraphDone = Line.End >= Count;
      Position = ParaStart + int(Line.End) + (ParagraphDone && !LastParagraph ? 1 : 0);
      if (!Fits) {  // the one line a full area takes: nothing more goes in
        Range.Area.bottom = UnitsToTwips(std::max(Top, Bottom), Range.ResolutionY);
        return Position;
      }
      if (Line.End >= End) break;
    } while (Position < Limit);
    if (End < Count) break;  // the range ends inside this paragraph
    ParaStart += int(Count) + 1;
  }
  Range.Area.bottom = UnitsToTwips(Y, Range.ResolutionY);
  return Position;
}
