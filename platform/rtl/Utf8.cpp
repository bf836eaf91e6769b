#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsCont(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of a well-formed sequence at pos, or 0 when the bytes there are not one.
std::size_t ValidSeqLength(std::string_view s, std::size_t pos) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + pos;
  std::size_t avail = s.size() - pos;
  unsigned char c = p[0];
  if (c < 0x80) return 1;
  std::size_t len;
  char32_t min;
  if (c >= 0xC2 && c <= 0xDF) { len = 2; min = 0x80; }
  else if (c >= 0xE0 && c <= 0xEF) { len = 3; min = 0x800; }
  else if (c >= 0xF0 && c <= 0xF4) { len = 4; min = 0x10000; }
  else return 0;
  if (avail < len) return 0;
  char32_t cp = c & (0xFF >> (len + 1));
  for (std::size_t i = 1; i < len; ++i) {
    if (!IsCont(p[i])) return 0;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// The code point of the sequence of len bytes at pos that ValidSeqLength accepted;
// U+FFFD when it accepted none (len 0).
char32_t DecodeSeq(std::string_view s, std::size_t pos, std::size_t len) {
  if (len == 0) return kReplacement;
  const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + pos;
  if (len == 1) return p[0];
  char32_t cp = p[0] & (0xFF >> (len + 1));
  for (std::size_t i = 1; i < len; ++i) cp = (cp << 6) | (p[i] & 0x3F);
  return cp;
}

}  // namespace

std::size_t Utf8CharLength(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return 0;
  std::size_t n = ValidSeqLength(s, pos);
  return n == 0 ? 1 : n;
}

std::size_t Utf8NextChar(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return s.size();
  return pos + Utf8CharLength(s, pos);
}

std::size_t Utf8PrevChar(std::string_view s, std::size_t pos) {
  if (pos > s.size()) pos = s.size();
  if (pos == 0) return 0;
  // A well-formed character is at most 4 bytes: try the longest that ends exactly at pos.
  for (std::size_t back = 4; back >= 2; --back) {
    if (pos >= back && ValidSeqLength(s, pos - back) == back) return pos - back;
  }
  return pos - 1;
}

std::size_t Utf8AsciiRun(std::string_view s, std::size_t pos) {
  std::size_t i = pos;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, sizeof word);
    if (word & 0x8080808080808080u) break;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  return i - pos;
}

std::size_t Utf8Length(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); i = Utf8NextChar(s, i)) {
    const std::size_t run = Utf8AsciiRun(s, i);
    n += run;
    i += run;
    if (i == s.size()) break;
    ++n;
  }
  return n;
}

std::size_t Utf8CharToByteIndex(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  while (n > 0 && i < s.size()) {
    const std::size_t run = std::min(Utf8AsciiRun(s, i), n);
    i += run;
    n -= run;
    if (n == 0 || i == s.size()) break;
    i = Utf8NextChar(s, i);
    --n;
  }
  return i;
}

std::size_t Utf8ByteToCharIndex(std::string_view s, std::size_t byteIndex) {
  std::size_t n = 0;
  const std::size_t end = std::min(byteIndex, s.size());
  for (std::size_t i = 0; i < end; i = Utf8NextChar(s, i)) {
    const std::size_t run = std::min(Utf8AsciiRun(s, i), end - i);
    n += run;
    i += run;
    if (i >= end) break;
    ++n;
  }
  return n;
}

std::string Utf8Truncate(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return std::string(s);
  std::size_t end = 0;
  for (;;) {
    std::size_t next = Utf8NextChar(s, end);
    if (next > maxBytes || next == end) break;
    end = next;
  }
  return std::string(s.substr(0, end));
}

std::string Utf8LeftChars(std::string_view s, std::size_t n) {
  return std::string(s.substr(0, Utf8CharToByteIndex(s, n)));
}

std::size_t Utf8CompleteLength(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  // A cut character leaves its lead byte and at most two of its continuation bytes.
  for (std::size_t back = 1; back <= 3 && back <= s.size(); ++back) {
    std::size_t at = s.size() - back;
    unsigned char c = p[at];
    if (IsCont(c)) continue;
    std::size_t len = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (len <= back) return s.size();
    if (back >= 2) {
      // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
      unsigned char lo = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
      unsigned char hi = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
      if (p[at + 1] < lo || p[at + 1] > hi) return s.size();
    }
    return at;
  }
  return s.size();
}

bool Utf8IsValid(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = ValidSeqLength(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

char32_t Utf8Decode(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return 0;
  return DecodeSeq(s, pos, ValidSeqLength(s, pos));
}

char32_t Utf8DecodeNext(std::string_view s, std::size_t& pos) {
  if (pos >= s.size()) return 0;
  std::size_t len = ValidSeqLength(s, pos);
  char32_t cp = DecodeSeq(s, pos, len);
  pos += len == 0 ? 1 : len;
  return cp;
}

void Utf8Append(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t UnicodeUpper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c < 0x80) return c;
  if (c == 0xB5) return 0x39C;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  if (c == 0xFF) return 0x178;
  // Latin Extended-A: mostly pairs of (upper, lower).
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x131) return 'I';
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
    if (c == 0x17F) return 'S';
    if (c == 0x138 || c == 0x149) return c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  // Greek.
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;
  if (c == 0x3C2) return 0x3A3;
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 37;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 63;
  // Cyrillic.
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  // Fullwidth Latin.
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 32;
  return c;
}

char32_t UnicodeLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0x80) return c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130) return 'i';
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
    if (c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c % 2 == 0) ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;
  return c;
}

namespace {

template <class Map>
std::string MapCase(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = ValidSeqLength(s, i);
    if (len == 0) {  // stray byte kept as it is
      out += s[i++];
      continue;
    }
    Utf8Append(out, map(Utf8Decode(s, i)));
    i += len;
  }
  return out;
}

}  // namespace

std::string Utf8UpperCase(std::string_view s) { return MapCase(s, UnicodeUpper); }
std::string Utf8LowerCase(std::string_view s) { return MapCase(s, UnicodeLower); }

std::u16string Utf8ToUtf16(std::string_view s, bool* invalid) {
  std::u16string out;
  out.reserve(s.size());
  bool bad = false;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = ValidSeqLength(s, i);
    bad = bad || len == 0;
    char32_t cp = DecodeSeq(s, i, len);
    i += len == 0 ? 1 : len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  if (invalid) *invalid = bad;
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s, bool* invalid) {
  std::string out;
  out.reserve(s.size());
  bool bad = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
      bad = true;
    }
    Utf8Append(out, c);
  }
  if (invalid) *invalid = bad;
  return out;
}
