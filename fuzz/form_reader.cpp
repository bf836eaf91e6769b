// Feeds arbitrary bytes to the form description reader. Loading may only fail with the
// class library's exceptions; a description that loads must write back to text that
// reads again to the same text.
#include "tests/platform/rtl/forms/FormFixtures.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const bool registered = (fixtures::RegisterFixtureClasses(), true);
  (void)registered;
  std::string text(reinterpret_cast<const char*>(Data), Size);
  std::string written;
  {
    fixtures::TFixForm form(nullptr);
    try {
      ReadComponentResText(text, &form);
    } catch (const Exception&) {
      return 0;
    }
    written = WriteComponentResText(&form);
  }
  fixtures::TFixForm again(nullptr);
  try {
    ReadComponentResText(written, &again);
  } catch (const Exception& e) {
    std::fprintf(stderr, "written text does not read back: %s\n%s\n", e.what(), written.c_str());
    std::abort();
  }
  if (WriteComponentResText(&again) != written) {
    std::fprintf(stderr, "written text changes on a second round:\n%s\n", written.c_str());
    std::abort();
  }
  return 0;
}
