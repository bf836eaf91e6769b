#pragma once
// TClipboard: the process-wide clipboard object over the window system's clipboard.
#include "platform/rtl/Object.h"
#include "platform/desktop/WinTypes.h"

#include <string>

class TClipboard : public TObject {
  VANTREL_CLASS(TClipboard, TObject)
public:
  TClipboard() = default;
  ~TClipboard() override;
  // Opens the clipboard; calls nest. Raises EClipboardException "Cannot open clipboard"
  // when another program holds it.
  void Open();
  void Close();
  void Clear();
  bool HasFormat(win::UINT Format) const;
  std::string AsText();
  void SetAsText(const std::string& Value);
  // Puts a global memory block on the clipboard, which then owns it.
  void SetAsHandle(win::UINT Format, win::HANDLE Value);
  win::HANDLE GetAsHandle(win::UINT Format);
  void SetTextBuf(const std::string& Value) { SetAsText(Value); }

private:
  void Adding();
  win::HWND FClipboardWindow = nullptr;
  int FOpenRefCount = 0;
  bool FEmptied = false;
  bool FAllocated = false;
};

// The process-wide clipboard object.
TClipboard* Clipboard();
