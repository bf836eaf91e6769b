#include "platform/controls/MaskUtils.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Letters: ASCII letters and every non-ASCII character.
bool IsLetter(const std::string& ch) {
  return ch.size() > 1 || IsAsciiLetter(ch[0]);
}

std::string ApplyCase(const std::string& ch, TMaskCase c) {
  if (ch.size() != 1 || c == mcNoCase) return ch;
  char x = ch[0];
  if (c == mcUpper && x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
  if (c == mcLower && x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
  return std::string(1, x);
}

std::string DateSeparatorText() { return std::string(1, DateSeparator); }
std::string TimeSeparatorText() { return std::string(1, TimeSeparator); }

}  // namespace

std::vector<std::string> Utf8Chars(const std::string& s) {
  std::vector<std::string> out;
  for (size_t i = 0; i < s.size();) {
    size_t n = Utf8CharLength(s, i);
    out.push_back(s.substr(i, n));
    i += n;
  }
  return out;
}

std::string Utf8Join(const std::vector<std::string>& chars, int from, int count) {
  std::string out;
  int end = count < 0 ? static_cast<int>(chars.size())
                      : std::min(static_cast<int>(chars.size()), from + count);
  for (int i = std::max(0, from); i < end; ++i) out += chars[i];
  return out;
}

bool TMaskPosition::Required() const {
  return !Literal && (MaskChar == mMskAlpha || MaskChar == mMskAlphaNum ||
                      MaskChar == mMskAscii || MaskChar == mMskNumeric);
}

TEditMask::TEditMask(const std::string& editMask) : FSource(editMask) {
  std::vector<std::string> chars = Utf8Chars(editMask);
  size_t i = 0;
  TMaskCase cs = mcNoCase;
  for (; i < chars.size(); ++i) {
    const std::string& c = chars[i];
    if (c.size() == 1) {
      char x = c[0];
      if (x == mMaskFieldSeparator) break;
      if (x == mDirReverse) { FReverse = true; continue; }
      if (x == mDirUpperCase) {
        // "<>" switches case conversion off.
        cs = mcUpper;
        continue;
      }
      if (x == mDirLowerCase) {
        if (i + 1 < chars.size() && chars[i + 1] == ">") { cs = mcNoCase; ++i; }
        else cs = mcLower;
        continue;
      }
      if (x == mDirLiteral) {
        if (i + 1 < chars.size()) {
          ++i;
          FPositions.push_back({true, chars[i], 0, cs});
        }
        continue;
      }
      switch (x) {
        case mMskAlpha: case mMskAlphaOpt: case mMskAlphaNum: case mMskAlphaNumOpt:
        case mMskAscii: case mMskAsciiOpt: case mMskNumeric: case mMskNumericOpt:
        case mMskNumSymOpt:
          FPositions.push_back({false, {}, x, cs});
          continue;
        case mMskTimeSeparator:
          for (auto& s : Utf8Chars(TimeSeparatorText())) FPositions.push_back({true, s, 0, cs});
          continue;
        case mMskDateSeparator:
          for (auto& s : Utf8Chars(DateSeparatorText())) FPositions.push_back({true, s, 0, cs});
          continue;
        default:
          break;
      }
    }
    FPositions.push_back({true, c, 0, cs});
  }
  // Second field: "0" keeps literals out of the text; third: the blank character.
  std::vector<std::string> rest(chars.begin() + std::min(i + 1, chars.size()), chars.end());
  if (i < chars.size()) {
    size_t sep = std::find(rest.begin(), rest.end(), ";") - rest.begin();
    std::string save = Utf8Join(rest, 0, static_cast<int>(sep));
    if (save == "0") FSaveLiterals = false;
    if (sep + 1 < rest.size()) FBlank = rest[sep + 1];
  }
  if (FPositions.empty()) FReverse = false;
}

bool TEditMask::Accepts(int pos, const std::string& ch, std::string* out) const {
  if (pos < 0 || pos >= Length() || ch.empty()) return false;
  const TMaskPosition& p = FPositions[pos];
  if (p.Literal) return false;
  bool ok = false;
  char c = ch[0];
  bool single = ch.size() == 1;
  if (single && static_cast<unsigned char>(c) < 0x20) return false;
  switch (p.MaskChar) {
    case mMskAlpha: case mMskAlphaOpt: ok = IsLetter(ch); break;
    case mMskAlphaNum: case mMskAlphaNumOpt: ok = IsLetter(ch) || (single && IsDigit(c)); break;
    case mMskAscii: case mMskAsciiOpt: ok = true; break;
    case mMskNumeric: case mMskNumericOpt: ok = single && IsDigit(c); break;
    case mMskNumSymOpt: ok = single && (IsDigit(c) || c == '+' || c == '-'); break;
    default: break;
  }
  if (ok && out) *out = ApplyCase(ch, p.Case);
  return ok;
}

bool TEditMask::IsBlankCell(int pos, const std::string& cell) const {
  return !FPositions[pos].Literal && (cell == FBlank || cell == " " || cell.empty());
}

std::vector<std::string> TEditMask::EmptyLayout() const { return Layout(std::string()); }

std::vector<std::string> TEditMask::Layout(const std::string& value) const {
  std::vector<std::string> chars = Utf8Chars(value);
  return FSaveLiterals ? LayoutSaved(chars) : LayoutUnsaved(chars);
}

// Literals are part of the value: each run of input positions takes the value's
// characters up to the literal that ends the run.
std::vector<std::string> TEditMask::LayoutSaved(const std::vector<std::string>& chars) const {
  std::vector<std::string> cells(FPositions.size());
  size_t vi = 0;
  int n = Length();
  for (int i = 0; i < n;) {
    if (FPositions[i].Literal) {
      cells[i] = FPositions[i].Ch;
      if (vi < chars.size() && chars[vi] == FPositions[i].Ch) ++vi;
      ++i;
      continue;
    }
    int j = i;
    while (j < n && !FPositions[j].Literal) ++j;
    const std::string* stop = j < n ? &FPositions[j].Ch : nullptr;
    std::vector<std::string> run;
    while (vi < chars.size() && static_cast<int>(run.size()) < j - i &&
           !(stop && chars[vi] == *stop))
      run.push_back(chars[vi++]);
    int offset = FReverse ? (j - i) - static_cast<int>(run.size()) : 0;
    for (int k = i; k < j; ++k) {
      int r = k - i - offset;
      std::string cased;
      if (r >= 0 && r < static_cast<int>(run.size()) && Accepts(k, run[r], &cased)) cells[k] = cased;
      else cells[k] = FBlank;
    }
    i = j;
  }
  return cells;
}

// The value holds only the input characters; "!" aligns them to the right.
std::vector<std::string> TEditMask::LayoutUnsaved(const std::vector<std::string>& chars) const {
  std::vector<std::string> cells(FPositions.size());
  std::vector<int> inputs;
  for (int i = 0; i < Length(); ++i) {
    if (FPositions[i].Literal) cells[i] = FPositions[i].Ch;
    else { cells[i] = FBlank; inputs.push_back(i); }
  }
  int m = static_cast<int>(inputs.size());
  int count = std::min(m, static_cast<int>(chars.size()));
  int offset = FReverse ? m - count : 0;
  for (int k = 0; k < count; ++k) {
    int pos = inputs[k + offset];
    std::string cased;
    if (Accepts(pos, chars[k], &cased)) cells[pos] = cased;
  }
  return cells;
}

std::string TEditMask::EditText(const std::vector<std::string>& cells) const {
  return Utf8Join(cells);
}

std::string TEditMask::Text(const std::vector<std::string>& cells) const {
  std::string out;
  if (FSaveLiterals) {
    for (int i = 0; i < Length() && i < static_cast<int>(cells.size()); ++i)
      out += IsBlankCell(i, cells[i]) ? std::string(" ") : cells[i];
    return out;
  }
  std::vector<std::string> data;
  for (int i = 0; i < Length() && i < static_cast<int>(cells.size()); ++i)
    if (!FPositions[i].Literal) data.push_back(IsBlankCell(i, cells[i]) ? " " : cells[i]);
  // Unfilled optional positions at the open end are not part of the value.
  if (FReverse) {
    size_t k = 0;
    while (k < data.size() && data[k] == " ") ++k;
    data.erase(data.begin(), data.begin() + k);
  } else {
    while (!data.empty() && data.back() == " ") data.pop_back();
  }
  return Utf8Join(data);
}

int TEditMask::FirstInvalid(const std::vector<std::string>& cells) const {
  for (int i = 0; i < Length(); ++i)
    if (FPositions[i].Required() && (i >= static_cast<int>(cells.size()) || IsBlankCell(i, cells[i])))
      return i;
  return -1;
}

int TEditMask::NextInput(int pos) const {
  for (int i = std::max(pos, 0); i < Length(); ++i)
    if (!FPositions[i].Literal) return i;
  return -1;
}

int TEditMask::PrevInput(int pos) const {
  for (int i = std::min(pos, Length()) - 1; i >= 0; --i)
    if (!FPositions[i].Literal) return i;
  return -1;
}

std::string FormatMaskText(const std::string& EditMask, const std::string& Value) {
  TEditMask mask(EditMask);
  if (!mask.IsMasked()) return Value;
  std::vector<std::string> cells = mask.Layout(Value);
  std::string out;
  for (int i = 0; i < mask.Length(); ++i) out += mask.IsBlankCell(i, cells[i]) ? " " : cells[i];
  return out;
}

// The edit text holds one character per position; literals always come from the mask.
void TMaskText::SetEditText(const std::string& editText) {
  std::vector<std::string> chars = Utf8Chars(editText);
  FCells = FMask.EmptyLayout();
  for (int i = 0; i < FMask.Length() && i < static_cast<int>(chars.size()); ++i) {
    std::string cased;
    if (!FMask.Positions()[i].Literal && FMask.Accepts(i, chars[i], &cased)) FCells[i] = cased;
  }
}

void TMaskText::ClearRange(int start, int length) {
  for (int i = std::max(start, 0); i < start + length && i < FMask.Length(); ++i)
    if (!FMask.Positions()[i].Literal) FCells[i] = FMask.Blank();
}

int TMaskText::Input(int selStart, int selLength, const std::string& ch) {
  int pos = FMask.NextInput(selStart);
  std::string cased;
  if (pos < 0 || !FMask.Accepts(pos, ch, &cased)) return -1;
  ClearRange(selStart, selLength);
  FCells[pos] = cased;
  int next = FMask.NextInput(pos + 1);
  return next < 0 ? pos + 1 : next;
}

int TMaskText::DeleteBackward(int selStart, int selLength) {
  if (selLength > 0) { ClearRange(selStart, selLength); return selStart; }
  int pos = FMask.PrevInput(selStart);
  if (pos < 0) return selStart;
  FCells[pos] = FMask.Blank();
  return pos;
}

int TMaskText::DeleteForward(int selStart, int selLength) {
  if (selLength > 0) { ClearRange(selStart, selLength); return selStart; }
  int pos = FMask.NextInput(selStart);
  if (pos >= 0) FCells[pos] = FMask.Blank();
  return selStart;
}
