#pragma once
// One connection to the X server, shared by the X11 back end's parts. X's own headers
// stay in the .cpp files: their macros (None, Bool, Status ...) clash with other names.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct _XDisplay;
union _XEvent;

namespace win::x11 {

using XWindowId = unsigned long;
using XAtom = unsigned long;

class Connection {
public:
  // Opens the display (nullptr: $DISPLAY); nullptr when it cannot be opened.
  static std::unique_ptr<Connection> Open(const char* displayName = nullptr);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  _XDisplay* Display() const { return FDisplay; }
  int Screen() const { return FScreen; }
  XWindowId Root() const { return FRoot; }
  int Fd() const;

  // Interned atoms, cached.
  XAtom Atom(const std::string& name);

  // Every event goes through the filters first, in the order they were added; a filter
  // returning true has consumed it.
  using EventFilter = std::function<bool(_XEvent&)>;
  void AddFilter(EventFilter filter);
  bool Filter(_XEvent& event);

  // Runs fn with X errors trapped (and synchronised); returns the first error code seen,
  // 0 when none.
  int Trapped(const std::function<void()>& fn);

private:
  Connection() = default;
  _XDisplay* FDisplay = nullptr;
  int FScreen = 0;
  XWindowId FRoot = 0;
  std::unordered_map<std::string, XAtom> FAtoms;
  std::vector<EventFilter> FFilters;
};

}  // namespace win::x11
