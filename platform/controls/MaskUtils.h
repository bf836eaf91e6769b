#pragma once
// The edit-mask language of the masked edit: parsing a mask, laying a value out
// under it, typing into it and checking it. Positions count whole UTF-8 characters.
#include <string>
#include <string_view>
#include <vector>

// Mask characters and directives.
constexpr char mDirReverse = '!';
constexpr char mDirUpperCase = '>';
constexpr char mDirLowerCase = '<';
constexpr char mDirLiteral = '\\';
constexpr char mMskAlpha = 'L';
constexpr char mMskAlphaOpt = 'l';
constexpr char mMskAlphaNum = 'A';
constexpr char mMskAlphaNumOpt = 'a';
constexpr char mMskAscii = 'C';
constexpr char mMskAsciiOpt = 'c';
constexpr char mMskNumeric = '0';
constexpr char mMskNumericOpt = '9';
constexpr char mMskNumSymOpt = '#';
constexpr char mMskTimeSeparator = ':';
constexpr char mMskDateSeparator = '/';
constexpr char mMaskFieldSeparator = ';';
constexpr char mDefaultBlank = '_';

enum TMaskCase { mcNoCase, mcUpper, mcLower };

// One character position of a parsed mask.
struct TMaskPosition {
  bool Literal = false;
  std::string Ch;        // the literal text of a literal position
  char MaskChar = 0;     // the mask character of an input position
  TMaskCase Case = mcNoCase;
  bool Required() const;
};

// A parsed edit mask: "mask;save-literals;blank".
class TEditMask {
public:
  TEditMask() = default;
  explicit TEditMask(const std::string& editMask);

  const std::string& Source() const { return FSource; }
  bool IsMasked() const { return !FPositions.empty(); }
  bool SaveLiterals() const { return FSaveLiterals; }
  bool Reverse() const { return FReverse; }
  const std::string& Blank() const { return FBlank; }
  const std::vector<TMaskPosition>& Positions() const { return FPositions; }
  int Length() const { return static_cast<int>(FPositions.size()); }

  // Whether ch (one UTF-8 character) may go into input position pos; returns it
  // with the position's case applied in out.
  bool Accepts(int pos, const std::string& ch, std::string* out = nullptr) const;

  // The positions as the edit control shows them for a value: literals in place,
  // unfilled input positions as the blank character.
  std::vector<std::string> Layout(const std::string& value) const;
  // The positions that a fresh, empty edit shows.
  std::vector<std::string> EmptyLayout() const;

  // The edit text of the positions (blanks as the blank character).
  std::string EditText(const std::vector<std::string>& cells) const;
  // The text a caller reads: blanks as spaces, literals only when saved.
  std::string Text(const std::vector<std::string>& cells) const;
  // Index of the first required input position left blank, or -1.
  int FirstInvalid(const std::vector<std::string>& cells) const;
  // Whether cell holds no input.
  bool IsBlankCell(int pos, const std::string& cell) const;

  // Input positions at or after pos / before pos; -1 when none.
  int NextInput(int pos) const;
  int PrevInput(int pos) const;

private:
  std::vector<std::string> LayoutSaved(const std::vector<std::string>& chars) const;
  std::vector<std::string> LayoutUnsaved(const std::vector<std::string>& chars) const;

  std::string FSource;
  std::vector<TMaskPosition> FPositions;
  bool FSaveLiterals = true;
  bool FReverse = false;
  std::string FBlank = "_";
};

// The text of Value laid out under EditMask, with literals in place and unfilled
// positions as spaces. Without a mask, Value itself.
std::string FormatMaskText(const std::string& EditMask, const std::string& Value);

// Splitting UTF-8 text into whole characters and back.
std::vector<std::string> Utf8Chars(const std::string& s);
std::string Utf8Join(const std::vector<std::string>& chars, int from = 0, int count = -1);

// The positions of a masked edit under editing: typing goes only into input
// positions and skips literals; deleting blanks input positions and keeps literals.
class TMaskText {
public:
  explicit TMaskText(const TEditMask& mask) : FMask(mask), FCells(mask.EmptyLayout()) {}
  const TEditMask& Mask() const { return FMask; }
  void SetValue(const std::string& value) { FCells = FMask.Layout(value); }
  void SetEditText(const std::string& editText);
  const std::vector<std::string>& Cells() const { return FCells; }
  std::string EditText() const { return FMask.EditText(FCells); }
  std::string Text() const { return FMask.Text(FCells); }

  // Types ch over the selection; returns the new caret, or -1 when refused.
  int Input(int selStart, int selLength, const std::string& ch);
  // Backspace and Delete; return the new caret.
  int DeleteBackward(int selStart, int selLength);
  int DeleteForward(int selStart, int selLength);
  void ClearRange(int start, int length);

private:
  TEditMask FMask;
  std::vector<std::string> FCells;
};
