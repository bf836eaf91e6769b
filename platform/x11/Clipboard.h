#pragma once
// The CLIPBOARD selection: serves the window system's clipboard to other programs while
// we own it, and reads another program's contents when it owns it.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/WinTypes.h"
#include "platform/x11/Connection.h"

namespace win::x11 {

class Clipboard {
public:
  explicit Clipboard(Connection& conn);
  ~Clipboard();
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;

  // Takes the selection with the window system's current contents.
  void Publish();
  bool Owned() const { return FOwned; }
  // Another client's contents as (format, bytes), converted with a bounded wait; false
  // when we own the selection, nobody does, or nothing could be converted.
  bool TakeExternal(std::vector<std::pair<UINT, std::string>>* formats);

  // The event filter: selection requests, clears, and the answers to our own requests.
  bool OnEvent(_XEvent& event);

  XWindowId Window() const { return FWindow; }

private:
  struct Transfer;  // an INCR transfer in progress to a requestor
  void ServeRequest(_XEvent& event);
  bool ConvertTarget(XWindowId requestor, XAtom target, XAtom property, XAtom* type, int* format);
  std::vector<XAtom> Targets();
  bool Convert(XAtom target, std::string* bytes, XAtom* type);
  bool Fetch(XAtom target, std::string* bytes, int timeoutMs);
  bool WaitFor(int type, XWindowId window, XAtom atom, _XEvent* out, int timeoutMs);

  Connection& FConn;
  XWindowId FWindow = 0;
  bool FOwned = false;
  unsigned long FOwnedSince = 0;
  std::vector<std::pair<UINT, std::string>> FData;
  std::vector<Transfer*> FTransfers;
};

}  // namespace win::x11
