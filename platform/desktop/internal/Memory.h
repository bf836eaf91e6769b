#pragma once
// Global memory blocks, shared by the clipboard.
#include <map>
#include <vector>

#include "platform/desktop/internal/State.h"

namespace win::detail {

struct Block {
  std::vector<char> Data;  // Size bytes and a terminating zero
  std::size_t Size = 0;
  UINT Flags = 0;
  int Locks = 0;
  bool ClipboardOwned = false;
};

std::map<HGLOBAL, Block>& Blocks();
Block* FindBlock(HGLOBAL h);
// A new moveable block holding a copy of data.
HGLOBAL AllocBlock(const void* data, std::size_t size);

}  // namespace win::detail
