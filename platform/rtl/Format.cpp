// Format: the class library's printf-like directives over TVarRec arguments.
#include "platform/rtl/DecimalText.h"
#include "platform/rtl/Utf8.h"

namespace {

constexpr int kMaxWidth = 65535;
constexpr int kAbsent = -1000000;

class TFormatter {
public:
  TFormatter(std::string_view fmt, const TVarRec* args, std::size_t count)
      : FFmt(fmt), FArgs(args), FCount(count) {}

  std::string Run() {
    std::string out;
    std::size_t i = 0;
    while (i < FFmt.size()) {
      std::size_t pct = FFmt.find('%', i);
      if (pct == std::string_view::npos) {
        out.append(FFmt.substr(i));
        break;
      }
      out.append(FFmt.substr(i, pct - i));
      i = pct + 1;
      if (i < FFmt.size() && FFmt[i] == '%') {
        out += '%';
        ++i;
        continue;
      }
      out += Directive(i);
    }
    return out;
  }

private:
  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + std::string(FFmt) + "' invalid or incompatible with argument");
  }

  const TVarRec& NextArg() {
    if (FNext >= FCount) throw EConvertError("No argument for format '" + std::string(FFmt) + "'");
    return FArgs[FNext++];
  }

  // Reads a number or '*' (taken from the arguments); kAbsent when there is none.
  int ReadNumber(std::size_t& i) {
    if (i < FFmt.size() && FFmt[i] == '*') {
      ++i;
      const TVarRec& a = NextArg();
      if (a.Kind() != TVarRec::vtInteger) Invalid();
      if (a.AsInt() > kMaxWidth || a.AsInt() < -kMaxWidth) Invalid();
      return static_cast<int>(a.AsInt());
    }
    if (i >= FFmt.size() || FFmt[i] < '0' || FFmt[i] > '9') return kAbsent;
    long v = 0;
    while (i < FFmt.size() && FFmt[i] >= '0' && FFmt[i] <= '9') {
      v = v * 10 + (FFmt[i++] - '0');
      if (v > kMaxWidth) Invalid();
    }
    return static_cast<int>(v);
  }

  std::string Directive(std::size_t& i) {
    bool left = false;
    int width = ReadNumberOrIndex(i, left);
    if (width == kAbsent) width = 0;
    int prec = -1;
    if (i < FFmt.size() && FFmt[i] == '.') {
      ++i;
      prec = ReadNumber(i);
      if (prec < 0) prec = 0;  // absent, or a negative count from the arguments
    }
    if (i >= FFmt.size()) Invalid();
    char type = FFmt[i++];
    if (type >= 'A' && type <= 'Z') type = static_cast<char>(type + 32);
    std::string text = Convert(type, prec);
    if (width < 0) {
      left = true;
      width = -width;
    }
    std::size_t len = Utf8Length(text);
    if (static_cast<std::size_t>(width) > len) {
      std::string pad(width - len, ' ');
      text = left ? text + pad : pad + text;
    }
    return text;
  }

  // [index:][-][width]
  int ReadNumberOrIndex(std::size_t& i, bool& left) {
    std::size_t start = i;
    if (i < FFmt.size() && FFmt[i] != '*') {
      int n = ReadNumber(i);
      if (n >= 0 && i < FFmt.size() && FFmt[i] == ':') {
        FNext = static_cast<std::size_t>(n);
        ++i;
      } else {
        i = start;
      }
    } else if (i + 1 < FFmt.size() && FFmt[i + 1] == ':') {
      int n = ReadNumber(i);  // "*:" takes the index from the arguments
      if (n < 0) Invalid();
      FNext = static_cast<std::size_t>(n);
      ++i;
    }
    if (i < FFmt.size() && FFmt[i] == '-') {
      left = true;
      ++i;
    }
    return ReadNumber(i);
  }

  static bool IsFloatArg(const TVarRec& a) {
    return a.Kind() == TVarRec::vtExtended || a.Kind() == TVarRec::vtCurrency;
  }

  std::string FloatText(const TVarRec& a, TFloatFormat f, int precision, int digits) const {
    if (a.Kind() == TVarRec::vtCurrency) return DecimalToStrF(CurrencyToDecimal(a.AsCurrency()), f, 19, digits, true);
    std::string nf = NonFiniteText(a.AsDouble());
    if (!nf.empty()) return nf;
    return DecimalToStrF(DoubleToDecimal(a.AsDouble()), f, precision, digits, false);
  }

  std::string Convert(char type, int prec) {
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        const TVarRec& a = NextArg();
        std::string digits;
        bool neg = false;
        if (a.Kind() == TVarRec::vtInteger) {
          std::int64_t v = a.AsInt();
          if (type == 'd') {
            neg = v < 0;
            std::uint64_t u = neg ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
            digits = std::to_string(u);
          } else {
            std::uint64_t u = a.Is32Bit() ? static_cast<std::uint32_t>(v) : static_cast<std::uint64_t>(v);
            digits = type == 'u' ? std::to_string(u) : IntToHex(static_cast<std::int64_t>(u), 0);
          }
        } else if (a.Kind() == TVarRec::vtUnsigned) {
          std::uint64_t u = a.AsUInt();
          digits = type == 'x' ? IntToHex(static_cast<std::int64_t>(u), 0) : std::to_string(u);
        } else {
          Invalid();
        }
        if (prec > static_cast<int>(digits.size())) digits.insert(0, prec - digits.size(), '0');
        return neg ? "-" + digits : digits;
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        const TVarRec& a = NextArg();
        if (!IsFloatArg(a)) Invalid();
        switch (type) {
          case 'e': return FloatText(a, ffExponent, prec < 0 ? 15 : prec, 3);
          case 'f': return FloatText(a, ffFixed, 15, prec < 0 ? 2 : prec);
          case 'g': return FloatText(a, ffGeneral, prec < 0 ? 15 : prec, 0);
          case 'n': return FloatText(a, ffNumber, 15, prec < 0 ? 2 : prec);
          default: return FloatText(a, ffCurrency, 15, prec < 0 ? CurrencyDecimals : prec);
        }
      }
      case 'p': {
        const TVarRec& a = NextArg();
        if (a.Kind() != TVarRec::vtPointer) Invalid();
        return IntToHex(static_cast<std::int64_t>(a.AsUInt()), 16);
      }
      case 's': {
        const TVarRec& a = NextArg();
        if (a.Kind() != TVarRec::vtString && a.Kind() != TVarRec::vtChar) Invalid();
        if (prec >= 0) return Utf8LeftChars(a.AsString(), static_cast<std::size_t>(prec));
        return a.AsString();
      }
      default:
        Invalid();
    }
  }

  std::string_view FFmt;
  const TVarRec* FArgs;
  std::size_t FCount;
  std::size_t FNext = 0;
};

}  // namespace

std::string FormatArgs(std::string_view fmt, const TVarRec* args, std::size_t count) {
  return TFormatter(fmt, args, count).Run();
}
