#pragma once
// What Debian's RTF readers make of a document: unrtf's HTML form with its character
// entities decoded (its plain-text form shows only ASCII).
#include <string>

#include "platform/rtl/Utf8.h"
#include "tests/support/RunCommand.h"

// Unicode HTML entities (&#N;, surrogate halves joined) as UTF-8; "&nbsp;" as a blank.
inline std::string DecodeEntities(const std::string& Html) {
  std::string Out;
  char32_t High = 0;
  for (std::size_t I = 0; I < Html.size();) {
    if (Html.compare(I, 2, "&#") == 0) {
      const std::size_t End = Html.find(';', I);
      const auto Code = static_cast<char32_t>(std::stoul(Html.substr(I + 2, End - I - 2)));
      I = End + 1;
      if (Code >= 0xD800 && Code < 0xDC00) {
        High = Code;
      } else if (Code >= 0xDC00 && Code < 0xE000 && High) {
        Utf8Append(Out, 0x10000 + ((High - 0xD800) << 10) + (Code - 0xDC00));
        High = 0;
      } else {
        Utf8Append(Out, Code);
      }
    } else if (Html.compare(I, 6, "&nbsp;") == 0) {
      Out += ' ';
      I += 6;
    } else {
      Out += Html[I++];
    }
  }
  return Out;
}

// The text unrtf finds in an RTF document, through its HTML form.
inline std::string UnrtfText(const std::string& Rtf) { return DecodeEntities(RunCommand("unrtf --html", Rtf)); }
