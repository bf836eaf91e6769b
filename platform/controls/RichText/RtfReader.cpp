// Reading RTF into the rich-text document. The data may come from any program, so the
// reader takes whatever it is given: unknown control words are passed over, groups it
// does not show are skipped, numbers are held in range, and text in a code page is
// converted to UTF-8 (a byte that does not convert becomes U+FFFD).
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/controls/RichText.h"
#include "platform/rtl/Utf8.h"

namespace {
constexpr std::size_t MaxFontName = 256;  // bytes of a font's name kept

enum class TDestination { Text, FontTable, ColorTable, Skip };

// What a group carries and restores when it closes.
struct TGroupState {
  TDestination Destination = TDestination::Text;
  int Font = -1;  // index into the font table; -1 the default font
  int HalfPoints = 24;
  TFontStyles Style;
  int Color = 0;  // index into the colour table; 0 the automatic colour
  int FallbackChars = 1;  // \uc: characters after \uN that stand in for it
  bool Hidden = false;
  bool Ignorable = false;  // \* was seen: an unknown destination that follows is skipped
};

struct TFontEntry {
  std::string Name;
  int Charset = 1;
};

// Destinations whose text is not shown.
bool SkippedDestination(std::string_view Word) {
  static const char* const Words[] = {
      "stylesheet", "info",       "pict",       "object",     "header",     "headerl",    "headerr",
      "headerf",    "footer",     "footerl",    "footerr",    "footerf",    "footnote",   "fldinst",
      "themedata",  "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "listtable",
      "listoverridetable", "rsidtbl", "generator", "userprops", "docvar", "bkmkstart", "bkmkend",
      "nonshppict", "shp",        "xe",         "tc",         "private",    "filetbl",    "revtbl",
      "pntxta",     "pntxtb",     "annotation", "atnid",      "atnauthor",  "template",   "listtext",
      "fontemb",    "fontfile",   "mmathPr",    "wgrffmtfilter", "pgdsctbl"};
  for (const char* W : Words)
    if (Word == W) return true;
  return false;
}

// The code page of a font character set; 0 for the document's own code page.
int CharsetCodePage(int Charset) {
  switch (Charset) {
    case 0: case 2: return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    default: return 0;
  }
}

// Bytes of a code page to UTF-8, one converter per code page.
class TCodePages {
public:
  TCodePages() = default;
  TCodePages(const TCodePages&) = delete;
  TCodePages& operator=(const TCodePages&) = delete;
  ~TCodePages() {
    for (auto& [Page, Cd] : FConverters)
      if (Cd != iconv_t(-1)) iconv_close(Cd);
  }

  void Append(int CodePage, const std::string& Bytes, std::string& Out) {
    if (CodePage == 65001) {
      for (std::size_t I = 0; I < Bytes.size(); I = Utf8NextChar(Bytes, I)) Utf8Append(Out, Utf8Decode(Bytes, I));
      return;
    }
    iconv_t Cd = Converter(CodePage);
    if (Cd == iconv_t(-1)) {  // an unknown code page: Latin-1
      for (unsigned char B : Bytes) Utf8Append(Out, B);
      return;
    }
    iconv(Cd, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> In(Bytes.begin(), Bytes.end());
    char* Src = In.data();
    std::size_t Left = In.size();
    char Buffer[256];
    while (Left > 0) {
      char* Dst = Buffer;
      std::size_t Room = sizeof Buffer;
      const std::size_t R = iconv(Cd, &Src, &Left, &Dst, &Room);
      Out.append(Buffer, std::size_t(Dst - Buffer));
      if (R == std::size_t(-1) && errno != E2BIG) {
        Utf8Append(Out, 0xFFFD);  // a byte that starts no character of the page
        ++Src;
        --Left;
        iconv(Cd, nullptr, nullptr, nullptr, nullptr);
      }
    }
  }

private:
  iconv_t Converter(int CodePage) {
    auto It = FConverters.find(CodePage);
    if (It != FConverters.end()) return It->second;
    const std::string Name = CodePage == 10000 ? "MACINTOSH" : "CP" + std::to_string(CodePage);
    iconv_t Cd = iconv_open("UTF-8", Name.c_str());
    FConverters[CodePage] = Cd;
    return Cd;
  }
  std::map<int, iconv_t> FConverters;
};

class TRtfReader {
public:
  TRtfReader(std::string_view Data, const TRichTextFormat& Default) : In(Data), Default(Default) {}

  std::vector<TRichTextParagraph> Read() {
    Pos = 1;  // past the opening brace of the document
    while (Pos < In.size() && !Done) {
      const char C = In[Pos++];
      if (C == '{') {
        OpenGroup();
      } else if (C == '}') {
        CloseGroup();
      } else if (C == '\\') {
        ControlWord();
      } else if (C == '\r' || C == '\n') {
        // line ends of the file itself carry nothing
      } else if (static_cast<unsigned char>(C) >= 0x80) {
        Byte(static_cast<unsigned char>(C));
      } else if (C == '\t') {
        Character(U'\t');
      } else if (static_cast<unsigned char>(C) >= 0x20) {
        Character(static_cast<unsigned char>(C));
      }
    }
    FlushBytes();
    EndParagraph();
    return std::move(Paragraphs);
  }

private:
  // ---- groups ----
  void OpenGroup() {
    FlushBytes();
    Skip = 0;
    Stack.push_back(S);
    S.Ignorable = false;
  }
  void CloseGroup() {
    FlushBytes();
    Skip = 0;
    if (S.Destination == TDestination::FontTable && FontNameOpen) FinishFontName();
    if (Stack.empty()) {
      Done = true;  // the document's own group has closed
      return;
    }
    S = Stack.back();
    Stack.pop_back();
  }

  // ---- control words and symbols ----
  void ControlWord() {
    if (Pos >= In.size()) return;
    const char C = In[Pos];
    if (!IsLetter(C)) {
      ++Pos;
      ControlSymbol(C);
      return;
    }
    const std::size_t Start = Pos;
    while (Pos < In.size() && IsLetter(In[Pos])) ++Pos;
    // A word longer than any RTF knows is passed over whole.
    const std::string_view Word = Pos - Start <= 32 ? In.substr(Start, Pos - Start) : std::string_view("?");
    bool HasParam = false;
    long long Param = 0;
    bool Negative = false;
    if (Pos < In.size() && In[Pos] == '-' && Pos + 1 < In.size() && IsDigit(In[Pos + 1])) {
      Negative = true;
      ++Pos;
    }
    while (Pos < In.size() && IsDigit(In[Pos])) {
      HasParam = true;
      if (Param < 10000000000LL) Param = Param * 10 + (In[Pos] - '0');
      ++Pos;
    }
    if (Pos < In.size() && In[Pos] == ' ') ++Pos;
    if (Negative) Param = -Param;
    const int Value = int(std::clamp<long long>(Param, INT_MIN, INT_MAX));
    if (Word == "bin") {
      // raw bytes follow; they are never text
      Pos += std::size_t(std::clamp<long long>(Param, 0, (long long)(In.size() - Pos)));
      return;
    }
    FlushBytes();
    if (Skip > 0) {
      --Skip;
      return;
    }
    Apply(Word, HasParam, Value);
  }

  void ControlSymbol(char C) {
    switch (C) {
      case '\'': {
        if (Pos + 2 > In.size() || !IsHex(In[Pos]) || !IsHex(In[Pos + 1])) return;
        const int B = Hex(In[Pos]) * 16 + Hex(In[Pos + 1]);
        Pos += 2;
        Byte(static_cast<unsigned char>(B));
        return;
      }
      case '*':
        S.Ignorable = true;
        return;
      case '\\': case '{': case '}':
        Character(static_cast<unsigned char>(C));
        return;
      case '~':
        Character(0xA0);
        return;
      case '_':
        Character(0x2011);
        return;
      case '\r': case '\n':
        FlushBytes();
        if (Skip > 0) --Skip;
        else Paragraph();
        return;
      default:  // \- \: \| and others show nothing
        FlushBytes();
        if (Skip > 0) --Skip;
        return;
    }
  }

  void Apply(std::string_view Word, bool HasParam, int Value) {
    const bool On = !HasParam || Value != 0;
    if (S.Destination == TDestination::Skip) return;
    if (Word == "fonttbl") return SetDestination(TDestination::FontTable);
    if (Word == "colortbl") {
      Colors.clear();
      return SetDestination(TDestination::ColorTable);
    }
    if (SkippedDestination(Word)) return SetDestination(TDestination::Skip);
    if (S.Ignorable && S.Destination != TDestination::Skip && !KnownWord(Word))
      return SetDestination(TDestination::Skip);
    S.Ignorable = false;
    if (Word == "u") return Unicode(Value);
    if (Word == "uc") {
      S.FallbackChars = std::clamp(Value, 0, 64);
      return;
    }
    if (S.Destination == TDestination::FontTable) return FontTableWord(Word, Value);
    if (S.Destination == TDestination::ColorTable) {
      if (Word == "red") Red = std::clamp(Value, 0, 255), ColorGiven = true;
      else if (Word == "green") Green = std::clamp(Value, 0, 255), ColorGiven = true;
      else if (Word == "blue") Blue = std::clamp(Value, 0, 255), ColorGiven = true;
      return;
    }
    if (Word == "ansi") AnsiCodePage = 1252;
    else if (Word == "mac") AnsiCodePage = 10000;
    else if (Word == "pc") AnsiCodePage = 437;
    else if (Word == "pca") AnsiCodePage = 850;
    else if (Word == "ansicpg" && HasParam && Value > 0) AnsiCodePage = Value;
    else if (Word == "deff" && HasParam) DefaultFont = Value;
    else if (Word == "f" && HasParam) S.Font = Value;
    else if (Word == "fs") S.HalfPoints = HasParam && Value > 0 ? std::min(Value, 3276) : 24;
    else if (Word == "cf") S.Color = std::max(0, Value);
    else if (Word == "b") Style(fsBold, On);
    else if (Word == "i") Style(fsItalic, On);
    else if (Word == "strike" || Word == "striked") Style(fsStrikeOut, On);
    else if (Word == "ulnone") Style(fsUnderline, false);
    else if (Word.substr(0, 2) == "ul" && Word != "ulc") Style(fsUnderline, On);
    else if (Word == "v") S.Hidden = On;
    else if (Word == "plain") Plain();
    else if (Word == "par" || Word == "sect" || Word == "page" || Word == "row") Paragraph();
    else if (Word == "line") Character(U'\v');
    else if (Word == "tab" || Word == "cell" || Word == "nestcell") Character(U'\t');
    else if (Word == "emdash") Character(0x2014);
    else if (Word == "endash") Character(0x2013);
    else if (Word == "bullet") Character(0x2022);
    else if (Word == "lquote") Character(0x2018);
    else if (Word == "rquote") Character(0x2019);
    else if (Word == "ldblquote") Character(0x201C);
    else if (Word == "rdblquote") Character(0x201D);
    else if (Word == "emspace") Character(0x2003);
    else if (Word == "enspace") Character(0x2002);
  }

  // Words whose group shows its text even after \*.
  static bool KnownWord(std::string_view Word) { return Word == "fldrslt" || Word == "shptxt"; }

  void SetDestination(TDestination D) {
    S.Destination = D;
    S.Ignorable = false;
  }

  void Style(TFontStyle Style, bool On) {
    if (On) S.Style.Include(Style);
    else S.Style.Exclude(Style);
  }

  void Plain() {
    S.Font = -1;
    S.HalfPoints = 24;
    S.Style = TFontStyles();
    S.Color = 0;
    S.Hidden = false;
  }

  void FontTableWord(std::string_view Word, int Value) {
    if (Word == "f") {
      if (FontNameOpen) FinishFontName();
      CurrentFont = Value;
      Fonts[CurrentFont];
      FontNameOpen = true;
    } else if (Word == "fcharset" && FontNameOpen) {
      Fonts[CurrentFont].Charset = Value;
    }
  }

  void FinishFontName() {
    FlushBytes();
    std::string& Name = Fonts[CurrentFont].Name;
    Name.erase(0, Name.find_first_not_of(' '));
    Name.erase(Name.find_last_not_of(' ') + 1);
    FontNameOpen = false;
  }

  // ---- text ----
  void Unicode(int Value) {
    long long Code = Value < 0 ? Value + 65536LL : Value;
    Skip = S.FallbackChars;
    if (Code >= 0xD800 && Code <= 0xDBFF) {
      if (HighSurrogate) Emit(0xFFFD);
      HighSurrogate = char32_t(Code);
      return;
    }
    if (Code >= 0xDC00 && Code <= 0xDFFF) {
      if (!HighSurrogate) return Emit(0xFFFD);
      const char32_t Pair = 0x10000 + ((HighSurrogate - 0xD800) << 10) + (char32_t(Code) - 0xDC00);
      HighSurrogate = 0;
      return Emit(Pair);
    }
    if (Code < 0 || Code > 0x10FFFF) Code = 0xFFFD;
    Emit(char32_t(Code));
  }

  void Character(char32_t Code) {
    FlushBytes();
    if (Skip > 0) {
      --Skip;
      return;
    }
    if (S.Destination == TDestination::FontTable && Code == U';') {
      if (FontNameOpen) FinishFontName();
      return;
    }
    if (S.Destination == TDestination::ColorTable && Code == U';') {
      Colors.push_back(ColorGiven ? TColor(std::int32_t(win::RGB(Red, Green, Blue))) : clWindowText);
      Red = Green = Blue = 0;
      ColorGiven = false;
      return;
    }
    Emit(Code);
  }

  void Byte(unsigned char B) {
    if (Skip > 0) {
      --Skip;
      return;
    }
    const int Page = CurrentCodePage();
    if (!Bytes.empty() && Page != BytesPage) FlushBytes();
    BytesPage = Page;
    Bytes += char(B);
  }

  int CurrentCodePage() {
    int Charset = 1;
    if (S.Destination == TDestination::FontTable) {
      if (FontNameOpen) Charset = Fonts[CurrentFont].Charset;
    } else {
      auto It = Fonts.find(S.Font >= 0 ? S.Font : DefaultFont);
      if (It != Fonts.end()) Charset = It->second.Charset;
    }
    const int Page = CharsetCodePage(Charset);
    return Page ? Page : AnsiCodePage;
  }

  void FlushBytes() {
    if (Bytes.empty()) return;
    std::string Text;
    Pages.Append(BytesPage, Bytes, Text);
    Bytes.clear();
    if (HighSurrogate) {
      HighSurrogate = 0;
      AppendText("\xEF\xBF\xBD");
    }
    AppendText(Text);
  }

  void Emit(char32_t Code) {
    if (HighSurrogate) {
      HighSurrogate = 0;
      Emit(0xFFFD);
    }
    std::string Text;
    Utf8Append(Text, Code);
    AppendText(Text);
  }

  void AppendText(std::string Text) {
    // Control characters other than TAB and the line break carry nothing.
    std::erase_if(Text, [](char C) {
      const auto B = static_cast<unsigned char>(C);
      return (B < 0x20 && C != '\t' && C != '\v') || B == 0x7F;
    });
    if (Text.empty()) return;
    if (S.Destination == TDestination::FontTable) {
      std::erase_if(Text, [](char C) { return C == '\t' || C == '\v' || C == ';'; });
      if (FontNameOpen) Fonts[CurrentFont].Name = Utf8Truncate(Fonts[CurrentFont].Name + Text, MaxFontName);
      return;
    }
    if (S.Destination != TDestination::Text || S.Hidden) return;
    const TRichTextFormat F = Format();
    if (Current.Runs.empty() || !(Current.Runs.back().Format == F)) Current.Runs.push_back({F, {}});
    Current.Runs.back().Text += Text;
  }

  TRichTextFormat Format() {
    TRichTextFormat F = Default;
    auto It = Fonts.find(S.Font >= 0 ? S.Font : DefaultFont);
    if (It != Fonts.end()) {
      // A name still open at the end of the data has not been trimmed yet.
      std::string Name = It->second.Name;
      Name.erase(0, Name.find_first_not_of(' '));
      Name.erase(Name.find_last_not_of(' ') + 1);
      if (!Name.empty()) F.FontName = std::move(Name);
    }
    F.HalfPoints = S.HalfPoints;
    F.Style = S.Style;
    F.Color = S.Color > 0 && S.Color <= int(Colors.size()) - 1 ? Colors[std::size_t(S.Color)] : clWindowText;
    return F;
  }

  void Paragraph() {
    if (S.Destination != TDestination::Text || S.Hidden) return;
    EndParagraph();
  }

  void EndParagraph() {
    if (HighSurrogate) Emit(0xFFFD);
    Current.MarkFormat = Format();
    Paragraphs.push_back(std::move(Current));
    Current = TRichTextParagraph();
  }

  static bool IsLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }
  static bool IsDigit(char C) { return C >= '0' && C <= '9'; }
  static bool IsHex(char C) { return IsDigit(C) || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F'); }
  static int Hex(char C) { return IsDigit(C) ? C - '0' : (C | 0x20) - 'a' + 10; }

  std::string_view In;
  std::size_t Pos = 0;
  bool Done = false;
  TRichTextFormat Default;
  TGroupState S;
  std::vector<TGroupState> Stack;
  std::map<int, TFontEntry> Fonts;
  int CurrentFont = 0;
  bool FontNameOpen = false;
  int DefaultFont = 0;
  std::vector<TColor> Colors{clWindowText};  // entry 0 until the table says otherwise
  int Red = 0, Green = 0, Blue = 0;
  bool ColorGiven = false;
  int AnsiCodePage = 1252;
  int Skip = 0;  // fallback characters still to pass over after \uN
  char32_t HighSurrogate = 0;
  std::string Bytes;  // code-page bytes waiting to be converted
  int BytesPage = 1252;
  TCodePages Pages;
  TRichTextParagraph Current;
  std::vector<TRichTextParagraph> Paragraphs;
};
}  // namespace

bool TRichTextDocument::LoadRtf(std::string_view Data) {
  if (Data.substr(0, 5) != "{\\rtf") return false;
  TRtfReader Reader(Data, FDefaultFormat);
  FParagraphs = Reader.Read();
  return true;
}
