// Arbitrary bytes pasted into a grid as tab-separated text.
#include "fuzz/GridImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  return FuzzGridImport(TDBGridGxImportAsText::StaticClass(), Data, Size);
}
