#pragma once
// UTF-8 text handling: character stepping, counting and cutting that never splits a
// multi-byte character, simple case mapping, and conversion to and from UTF-16.
// A byte that does not start a valid sequence counts as one character of its own.
#include <cstddef>
#include <string>
#include <string_view>

// Length in bytes of the character starting at byte offset pos (1 for a stray byte,
// 0 at or beyond the end).
std::size_t Utf8CharLength(std::string_view s, std::size_t pos);
// Byte offset of the character after the one at pos (s.size() at most).
std::size_t Utf8NextChar(std::string_view s, std::size_t pos);
// Byte offset of the character before pos (0 at most).
std::size_t Utf8PrevChar(std::string_view s, std::size_t pos);
// Number of bytes below 0x80 (each a character of its own) from pos on, read a word at
// a time: loops over long texts step over such runs in one go.
std::size_t Utf8AsciiRun(std::string_view s, std::size_t pos);
// Number of characters.
std::size_t Utf8Length(std::string_view s);
// Byte offset of the n-th character (0-based); s.size() when n is past the end.
std::size_t Utf8CharToByteIndex(std::string_view s, std::size_t n);
// Number of whole characters in the first byteIndex bytes (a partial character counts).
std::size_t Utf8ByteToCharIndex(std::string_view s, std::size_t byteIndex);
// The longest prefix of at most maxBytes bytes that ends on a character boundary.
std::string Utf8Truncate(std::string_view s, std::size_t maxBytes);
// The first n characters.
std::string Utf8LeftChars(std::string_view s, std::size_t n);
// True when s is well-formed UTF-8.
bool Utf8IsValid(std::string_view s);

// Length of s less a character cut off at its end: trailing bytes that start a
// well-formed sequence but lack its last bytes. Other malformed bytes are kept.
std::size_t Utf8CompleteLength(std::string_view s);

// Decodes the character at pos; a stray byte decodes as U+FFFD.
char32_t Utf8Decode(std::string_view s, std::size_t pos);
// Decodes the character at pos and moves pos past it (one byte for a stray byte;
// 0 and no move at or beyond the end).
char32_t Utf8DecodeNext(std::string_view s, std::size_t& pos);
// Appends the UTF-8 form of a code point.
void Utf8Append(std::string& out, char32_t cp);

// Case mapping of ASCII and the common Latin, Greek and Cyrillic letters.
char32_t UnicodeUpper(char32_t cp);
char32_t UnicodeLower(char32_t cp);
std::string Utf8UpperCase(std::string_view s);
std::string Utf8LowerCase(std::string_view s);

// UTF-8 <-> UTF-16. Invalid bytes become U+FFFD; unpaired surrogates become U+FFFD.
// When invalid is given it tells whether anything was replaced.
std::u16string Utf8ToUtf16(std::string_view s, bool* invalid = nullptr);
std::string Utf16ToUtf8(std::u16string_view s, bool* invalid = nullptr);
