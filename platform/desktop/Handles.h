#pragma once
// Opaque handle types shared by every layer of the window system. Each is a distinct
// pointer type; the layer that owns a kind of object defines its struct.
#include <cstdint>

namespace win {

#define VANTREL_DECLARE_HANDLE(Name) struct Name##__; using Name = Name##__*;
VANTREL_DECLARE_HANDLE(HWND)
VANTREL_DECLARE_HANDLE(HDC)
VANTREL_DECLARE_HANDLE(HGDIOBJ)
VANTREL_DECLARE_HANDLE(HPEN)
VANTREL_DECLARE_HANDLE(HBRUSH)
VANTREL_DECLARE_HANDLE(HFONT)
VANTREL_DECLARE_HANDLE(HBITMAP)
VANTREL_DECLARE_HANDLE(HRGN)
VANTREL_DECLARE_HANDLE(HICON)
VANTREL_DECLARE_HANDLE(HCURSOR)
VANTREL_DECLARE_HANDLE(HIMAGELIST)
VANTREL_DECLARE_HANDLE(HINSTANCE)
VANTREL_DECLARE_HANDLE(HMENU)
VANTREL_DECLARE_HANDLE(HKEY)
VANTREL_DECLARE_HANDLE(HMONITOR)
#undef VANTREL_DECLARE_HANDLE

using HMODULE = HINSTANCE;
// Kernel objects (mutexes) and global memory blocks are untyped handles.
using HANDLE = void*;
using HGLOBAL = void*;

}  // namespace win
