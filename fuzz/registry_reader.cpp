// Feeds arbitrary text to the registry store's reader. It may only refuse; a store it
// accepts must write back to text that reads again to the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/desktop/Headless.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace win::headless;
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  if (!ReadRegistryStoreText(text)) return 0;
  const std::string written = RegistryStoreText();
  if (!ReadRegistryStoreText(written)) {
    std::fprintf(stderr, "written store does not read back:\n%s\n", written.c_str());
    std::abort();
  }
  if (RegistryStoreText() != written) {
    std::fprintf(stderr, "written store changes on a second round:\n%s\n", written.c_str());
    std::abort();
  }
  return 0;
}
