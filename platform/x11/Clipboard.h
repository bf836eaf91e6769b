#pragma once
// The CLIPBOARD selection: serves the window system's clipboard to other programs while
// we own it, and reads another program's contents when it owns it.
#include <memory>
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

  // What became of handing the contents to the desktop's clipboard manager.
  enum class SaveResult { NotOwned, NoManager, Saved, Refused, TimedOut };
  // Asks the clipboard manager (the owner of CLIPBOARD_MANAGER) to keep what we own on
  // the clipboard once we are gone, serving its reads meanwhile; returns at once when we
  // own nothing or no manager runs, and waits at most timeoutMs for its answer.
  SaveResult SaveToManager(int timeoutMs = kSaveTimeoutMs);

  // The event filter: selection requests, clears, and the answers to our own requests.
  bool OnEvent(_XEvent& event);

  XWindowId Window() const { return FWindow; }
  // Largest property written in one piece; bigger data goes in INCR chunks of this size.
  void SetChunkSize(std::size_t bytes) { FChunk = bytes; }

  // The longest any one read of another program's clipboard waits, in milliseconds.
  static constexpr int kReadTimeoutMs = 1000;
  // The longest the program's exit waits for the clipboard manager, in milliseconds.
  static constexpr int kSaveTimeoutMs = 2000;

private:
  struct Transfer {
    XWindowId Requestor;
    XAtom Property;
    XAtom Type;
    std::string Data;
    std::size_t Offset;
  };
  void ServeRequest(_XEvent& event);
  // Writes one target into the requestor's property (INCR when large); false when the
  // target cannot be given.
  bool Answer(XWindowId requestor, XAtom target, XAtom property);
  void ContinueTransfer(XWindowId window, XAtom property);
  // Gives up the transfers in progress.
  void DropTransfers();
  std::vector<XAtom> Targets();
  bool Convert(XAtom target, std::string* bytes, XAtom* type, int* format);
  bool Fetch(XAtom target, std::string* bytes, long long deadline);
  // The event is one OnEvent handles.
  bool Concerns(const _XEvent& event) const;
  bool WaitFor(int type, XWindowId window, XAtom atom, _XEvent* out, long long deadline);
  unsigned long ServerTime(long long deadline);

  Connection& FConn;
  XWindowId FWindow = 0;
  bool FOwned = false;
  unsigned long FOwnedSince = 0;
  std::size_t FChunk = 0;
  std::vector<std::pair<UINT, std::string>> FData;
  std::vector<Transfer> FTransfers;
};

}  // namespace win::x11
