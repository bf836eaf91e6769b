// Feeds arbitrary bytes to the rich-text RTF reader. Anything not RTF is refused; a
// document it reads must write RTF that reads back to the same RTF.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/controls/RichText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  TRichTextDocument Doc;
  if (!Doc.LoadRtf(Text)) return 0;
  (void)Doc.PlainText();
  (void)Doc.Length();
  const std::string Written = Doc.SaveRtf();
  TRichTextDocument Again;
  if (!Again.LoadRtf(Written)) {
    std::fprintf(stderr, "written RTF is not read as RTF:\n%s\n", Written.c_str());
    std::abort();
  }
  if (Again.SaveRtf() != Written) {
    std::fprintf(stderr, "written RTF changes on a second round:\n%s\n", Written.c_str());
    std::abort();
  }
  return 0;
}
