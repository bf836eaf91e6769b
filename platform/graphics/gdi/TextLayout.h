#pragma once
// Shared pieces of the text routines.
#include <string_view>
#include <vector>

#include "platform/graphics/gdi/GdiInternal.h"

namespace win::gdi {

// The first `count` bytes of text (all of it when count < 0), never ending inside a character.
std::string_view Bytes(const char* text, int count);
int DeviceExtra(const DCObj& dc);
void EmitTextRun(DCObj& dc, std::string_view text, int x, int baseline, const ResolvedFont& font, int extra,
                 UINT flags, const RECT* clip, int prefixChar, const std::vector<int>* dx, UINT format = 0,
                 int width = -1);

}  // namespace win::gdi
