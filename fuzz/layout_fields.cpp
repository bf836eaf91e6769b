// Feeds arbitrary texts to the grid layout store's field reader, and arbitrary fields
// through the writer and back: reading never fails, and every field comes back as
// written (trimmed).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/DBGridGx/LayoutRegistry.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // As a stored text.
  for (int n = -1; n <= 14; ++n) (void)SplitLayoutField(text, n);
  // As up to 13 fields separated by line feeds.
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c != '\n') fields.back() += c;
    else if (fields.size() < 13) fields.emplace_back();
  }
  const std::string value = JoinLayoutFields(fields);
  for (std::size_t n = 0; n < fields.size(); ++n)
    if (SplitLayoutField(value, static_cast<int>(n)) != Trim(fields[n])) __builtin_trap();
  if (!SplitLayoutField(value, static_cast<int>(fields.size())).empty()) __builtin_trap();
  return 0;
}
