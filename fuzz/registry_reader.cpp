// Feeds arbitrary text to the registry store's reader. It may only refuse; a store it
// accepts must write back to text that reads again to the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/desktop/internal/Registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace win::detail;
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  if (!Deserialize(text)) return 0;
  const std::string written = Serialize();
  if (!Deserialize(written)) {
    std::fprintf(stderr, "written store does not read back:\n%s\n", written.c_str());
    std::abort();
  }
  if (Serialize() != written) {
    std::fprintf(stderr, "written store changes on a second round:\n%s\n", written.c_str());
    std::abort();
  }
  return 0;
}
