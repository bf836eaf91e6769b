// Number, date and pattern text from arbitrary bytes: readers and formatters must only
// ever return a value or raise an Exception.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"
#include "platform/rtl/Variant.h"

namespace {

double ValueFrom(const std::string& s) {
  double d = 0;
  if (s.size() >= sizeof d) std::memcpy(&d, s.data(), sizeof d);
  return d;
}

void Run(unsigned char op, const std::string& text) {
  switch (op % 10) {
    case 0: {
      double d;
      if (TryStrToFloat(text, d) && std::isfinite(d)) {
        // What FloatToStrF writes at full precision reads back to the same value.
        std::string back = FloatToStrF(d, ffGeneral, 17, 0);
        if (StrToFloat(back) != d) __builtin_trap();
      }
      Currency c;
      TryStrToCurr(text, c);
      std::int64_t i;
      TryStrToInt64(text, i);
      break;
    }
    case 1: FormatFloat(text, ValueFrom(text)); break;
    case 2: FormatCurr(text, Currency::FromRaw(static_cast<std::int64_t>(text.size()) * -123456789)); break;
    case 3: {
      TDateTime d;
      TryStrToDate(text, d);
      TryStrToTime(text, d);
      if (TryStrToDateTime(text, d)) DateTimeToStr(d);
      break;
    }
    case 4: FormatDateTime(text, 45000.5 + static_cast<double>(text.size())); break;
    case 5: Format(text, 1, "s", 2.5, Currency(3), std::int64_t(-4), 'c', 6u); break;
    case 6: {
      std::size_t n = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
      std::string cut = Utf8Truncate(text, n);
      if (cut.size() > n || text.compare(0, cut.size(), cut) != 0) __builtin_trap();
      Utf8ToUtf16(text);
      Utf16ToUtf8(Utf8ToUtf16(text));
      AnsiUpperCase(text);
      for (std::size_t p = text.size(); p > 0;) p = Utf8PrevChar(text, p);
      break;
    }
    case 7: {
      Variant v(text);
      try { v.AsInteger(); } catch (const Exception&) {}
      try { v.AsCurrency(); } catch (const Exception&) {}
      try { v.AsDateTime(); } catch (const Exception&) {}
      try { (void)(v == Variant(1)); } catch (const Exception&) {}
      try { (void)(v + Variant(2.5)); } catch (const Exception&) {}
      break;
    }
    case 8: FloatToStrF(ValueFrom(text), static_cast<TFloatFormat>(text.size() % 5), static_cast<int>(text.size() % 25) - 3, static_cast<int>(text.size() % 23) - 2); break;
    default: {
      std::string_view src = text;
      AnsiExtractQuotedStr(src, '"');
      StringReplace(text, "a", "bb", {rfReplaceAll, rfIgnoreCase});
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  TFormatSettingsScope keep;
  // The second byte picks a locale-like setting so that separators vary too.
  if (data[1] & 1) {
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    DateSeparator = '.';
    ShortDateFormat = "dd.mm.yyyy";
  }
  if (data[1] & 2) ShortDateFormat = "yyyy-mm-dd";
  std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
  try {
    Run(data[0], text);
  } catch (const Exception&) {
  }
  return 0;
}
