// Arbitrary bytes pasted into a grid as the interchange form.
#include "fuzz/GridImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  return FuzzGridImport(TDBGridGxImportAsVCLDBIF::StaticClass(), Data, Size);
}
