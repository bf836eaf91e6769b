#include "platform/x11/Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "platform/desktop/Backend.h"
#include "platform/desktop/WinKernel.h"
#include "platform/desktop/WinMessages.h"
#include "platform/rtl/Utf8.h"

namespace win::x11 {

namespace {
long long NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string Lowered(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

// The registered name of a clipboard format, empty for the predefined ones.
std::string FormatName(UINT format) {
  if (format < 0xC000) return {};
  char buf[256];
  int n = GetClipboardFormatNameA(format, buf, sizeof buf);
  return n > 0 ? std::string(buf, std::size_t(n)) : std::string();
}

// The registered format of a name (case does not matter), 0 when none is registered;
// foreign names are not registered by looking.
UINT RegisteredFormat(const std::string& name) {
  std::string want = Lowered(name);
  for (UINT id = 0xC000; id <= 0xFFFF; ++id) {
    std::string n = FormatName(id);
    if (n.empty()) break;
    if (Lowered(n) == want) return id;
  }
  return 0;
}

// Text formats the program keeps with a trailing zero byte have a MIME twin without it.
const char* MimeTwin(const std::string& formatName) {
  std::string n = Lowered(formatName);
  if (n == "csv") return "text/csv";
  if (n == "rich text format") return "text/rtf";
  return nullptr;
}

std::string TextOf(const std::vector<std::pair<UINT, std::string>>& data, bool* found) {
  for (const auto& [format, bytes] : data) {
    if (format != CF_UNICODETEXT) continue;
    std::u16string w(bytes.size() / 2, u'\0');
    std::memcpy(w.data(), bytes.data(), w.size() * 2);
    w.resize(std::min(w.find(u'\0'), w.size()));
    *found = true;
    return Utf16ToUtf8(w);
  }
  for (const auto& [format, bytes] : data) {
    if (format != CF_TEXT) continue;
    *found = true;
    return std::string(bytes.data(), strnlen(bytes.data(), bytes.size()));
  }
  *found = false;
  return {};
}

// Latin-1 bytes of UTF-8 text; false when a character lies beyond U+00FF.
bool ToLatin1(const std::string& utf8, std::string* out) {
  out->clear();
  for (std::size_t i = 0; i < utf8.size(); i = Utf8NextChar(utf8, i)) {
    char32_t cp = Utf8Decode(utf8, i);
    if (cp > 0xFF) return false;
    out->push_back(char(cp));
  }
  return true;
}

std::string FromLatin1(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) Utf8Append(out, c);
  return out;
}

std::string UnicodeTextBytes(const std::string& utf8) {
  std::u16string w = Utf8ToUtf16(utf8);
  w.push_back(u'\0');
  return std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
}
}  // namespace

Clipboard::Clipboard(Connection& conn) : FConn(conn) {
  ::Display* dpy = FConn.Display();
  XSetWindowAttributes attrs{};
  attrs.event_mask = PropertyChangeMask;
  FWindow = XCreateWindow(dpy, FConn.Root(), -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                          CWEventMask, &attrs);
  long maxRequest = XExtendedMaxRequestSize(dpy);
  if (maxRequest <= 0) maxRequest = XMaxRequestSize(dpy);
  FChunk = std::min<std::size_t>(std::size_t(maxRequest) * 4 - 1024, 256 * 1024);
}

Clipboard::~Clipboard() {
  ::Display* dpy = FConn.Display();
  // Given up as of when it was taken: a clipboard manager that took it over since keeps it.
  // Given up as of when it was taken: a clipboard manager that took it over since keeps it.
  if (FOwned) XSetSelectionOwner(dpy, FConn.Atom("CLIPBOARD"), 0, FOwnedSince);
  DropTransfers();
  XDestroyWindow(dpy, FWindow);
  XFlush(dpy);
}

// ---- waiting on the connection ----

bool Clipboard::WaitFor(int type, XWindowId window, XAtom atom, XEvent* out, long long deadline) {
  ::Display* dpy = FConn.Display();
  struct Want {
    int Type;
    XWindowId Window;
    XAtom Atom;
  } want{type, window, atom};
  auto match = [](::Display*, XEvent* e, XPointer arg) -> Bool {
    const Want& w = *reinterpret_cast<const Want*>(arg);
    if (e->type != w.Type) return False;
    if (e->type == SelectionNotify)
      return e->xselection.requestor == w.Window && e->xselection.target == w.Atom;
    if (e->type == PropertyNotify)
      return e->xproperty.window == w.Window && e->xproperty.atom == w.Atom &&
             e->xproperty.state == PropertyNewValue;
    return False;
  };
  for (;;) {
    if (XCheckIfEvent(dpy, out, match, reinterpret_cast<XPointer>(&want))) return true;
    long long left = deadline - NowMs();
    if (left <= 0) return false;
    pollfd p{FConn.Fd(), POLLIN, 0};
    poll(&p, 1, int(left));
  }
}

unsigned long Clipboard::ServerTime(long long deadline) {
  // A zero-length append makes the server report its time in a PropertyNotify.
  ::Display* dpy = FConn.Display();
  XAtom stamp = FConn.Atom("VANTREL_TIMESTAMP");
  XChangeProperty(dpy, FWindow, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent e;
  if (!WaitFor(PropertyNotify, FWindow, stamp, &e, deadline)) return CurrentTime;
  return e.xproperty.time;
}

// ---- owning the selection ----

void Clipboard::DropTransfers() {
  ::Display* dpy = FConn.Display();
  for (const Transfer& t : FTransfers)
    FConn.Trapped([&] { XSelectInput(dpy, t.Requestor, NoEventMask); });
  FTransfers.clear();
}

void Clipboard::Publish() {
  ::Display* dpy = FConn.Display();
  FData = ClipboardSnapshot();
  DropTransfers();  // unfinished ones were of the old contents
  XAtom clipboard = FConn.Atom("CLIPBOARD");
  FOwnedSince = ServerTime(NowMs() + kReadTimeoutMs);
  XSetSelectionOwner(dpy, clipboard, FWindow, FOwnedSince);
  FOwned = XGetSelectionOwner(dpy, clipboard) == FWindow;
}

std::vector<XAtom> Clipboard::Targets() {
  std::vector<XAtom> targets{FConn.Atom("TARGETS"), FConn.Atom("TIMESTAMP"), FConn.Atom("MULTIPLE")};
  auto add = [&](XAtom a) {
    if (std::find(targets.begin(), targets.end(), a) == targets.end()) targets.push_back(a);
  };
  bool hasText = false;
  std::string text = TextOf(FData, &hasText);
  if (hasText) {
    add(FConn.Atom("UTF8_STRING"));
    std::string latin1;
    if (ToLatin1(text, &latin1)) add(XA_STRING);
    add(FConn.Atom("TEXT"));
    add(FConn.Atom("text/plain;charset=utf-8"));
    add(FConn.Atom("text/plain"));
  }
  for (const auto& [format, bytes] : FData) {
    std::string name = FormatName(format);
    if (name.empty()) continue;
    if (const char* mime = MimeTwin(name)) add(FConn.Atom(mime));
    add(FConn.Atom(name));
  }
  return targets;
}

bool Clipboard::Convert(XAtom target, std::string* bytes, XAtom* type, int* format) {
  *format = 8;
  *type = target;
  bool hasText = false;
  std::string text = TextOf(FData, &hasText);
  if (target == XA_STRING) {
    return hasText && ToLatin1(text, bytes);
  }
  if (target == FConn.Atom("UTF8_STRING") || target == FConn.Atom("TEXT") ||
      target == FConn.Atom("text/plain;charset=utf-8") || target == FConn.Atom("text/plain")) {
    if (!hasText) return false;
    if (target == FConn.Atom("TEXT")) *type = FConn.Atom("UTF8_STRING");
    *bytes = text;
    return true;
  }
  for (const auto& [fmt, data] : FData) {
    std::string name = FormatName(fmt);
    if (name.empty()) continue;
    const char* mime = MimeTwin(name);
    if (mime && target == FConn.Atom(mime)) {
      *bytes = data;
      if (!bytes->empty() && bytes->back() == '\0') bytes->pop_back();
      return true;
    }
    if (target == FConn.Atom(name)) {
      *bytes = data;
      return true;
    }
  }
  return false;
}

bool Clipboard::Answer(XWindowId requestor, XAtom target, XAtom property) {
  ::Display* dpy = FConn.Display();
  if (target == FConn.Atom("TARGETS")) {
    std::vector<XAtom> targets = Targets();
    std::vector<long> list(targets.begin(), targets.end());
    return FConn.Trapped([&] {
             XChangeProperty(dpy, requestor, property, XA_ATOM, 32, PropModeReplace,
                             reinterpret_cast<unsigned char*>(list.data()), int(list.size()));
           }) == 0;
  }
  if (target == FConn.Atom("TIMESTAMP")) {
    long stamp = long(FOwnedSince);
    return FConn.Trapped([&] {
             XChangeProperty(dpy, requestor, property, XA_INTEGER, 32, PropModeReplace,
                             reinterpret_cast<unsigned char*>(&stamp), 1);
           }) == 0;
  }
  std::string bytes;
  XAtom type = 0;
  int format = 8;
  if (!Convert(target, &bytes, &type, &format)) return false;
  if (bytes.size() <= FChunk) {
    return FConn.Trapped([&] {
             XChangeProperty(dpy, requestor, property, type, format, PropModeReplace,
                             reinterpret_cast<const unsigned char*>(bytes.data()), int(bytes.size()));
           }) == 0;
  }
  // Too large for one request: announce INCR and hand it over in chunks, each written
  // when the requestor has deleted the one before.
  long size = long(bytes.size());
  int error = FConn.Trapped([&] {
    XSelectInput(dpy, requestor, PropertyChangeMask);
    XChangeProperty(dpy, requestor, property, FConn.Atom("INCR"), 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&size), 1);
  });
  if (error) return false;
  FTransfers.push_back(Transfer{requestor, property, type, std::move(bytes), 0});
  return true;
}

void Clipboard::ContinueTransfer(XWindowId window, XAtom property) {
  auto it = std::find_if(FTransfers.begin(), FTransfers.end(),
                         [&](const Transfer& t) { return t.Requestor == window && t.Property == property; });
  if (it == FTransfers.end()) return;
  ::Display* dpy = FConn.Display();
  std::size_t n = std::min(FChunk, it->Data.size() - it->Offset);
  int error = FConn.Trapped([&] {
    XChangeProperty(dpy, window, property, it->Type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(it->Data.data() + it->Offset), int(n));
  });
  it->Offset += n;
  // The zero-length chunk ends the transfer.
  if (n == 0 || error) {
    bool othersOnWindow = std::count_if(FTransfers.begin(), FTransfers.end(),
                                        [&](const Transfer& t) { return t.Requestor == window; }) > 1;
    if (!othersOnWindow) FConn.Trapped([&] { XSelectInput(dpy, window, NoEventMask); });
    FTransfers.erase(it);
  }
}

void Clipboard::ServeRequest(XEvent& event) {
  ::Display* dpy = FConn.Display();
  XSelectionRequestEvent& req = event.xselectionrequest;
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = dpy;
  reply.requestor = req.requestor;
  reply.selection = req.selection;
  reply.target = req.target;
  reply.time = req.time;
  reply.property = 0;
  // Obsolete clients name no property: the target doubles as one.
  XAtom property = req.property ? req.property : req.target;
  bool ours = FOwned && req.selection == FConn.Atom("CLIPBOARD") &&
              (req.time == CurrentTime || req.time >= FOwnedSince);
  if (ours && req.target == FConn.Atom("MULTIPLE")) {
    if (req.property) {
      Atom type = 0;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* raw = nullptr;
      int error = FConn.Trapped([&] {
        XGetWindowProperty(dpy, req.requestor, req.property, 0, 1 << 16, False, AnyPropertyType, &type,
                           &format, &count, &after, &raw);
      });
      if (!error && raw && format == 32 && count % 2 == 0) {
        long* pairs = reinterpret_cast<long*>(raw);
        for (unsigned long i = 0; i < count; i += 2)
          if (!pairs[i + 1] || !Answer(req.requestor, XAtom(pairs[i]), XAtom(pairs[i + 1]))) pairs[i + 1] = 0;
        FConn.Trapped([&] {
          XChangeProperty(dpy, req.requestor, req.property, type, 32, PropModeReplace, raw, int(count));
        });
        reply.property = req.property;
      }
      if (raw) XFree(raw);
    }
  } else if (ours && Answer(req.requestor, req.target, property)) {
    reply.property = property;
  }
  FConn.Trapped([&] {
    XSendEvent(dpy, req.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
  });
}

// ---- reading another program's selection ----

bool Clipboard::Fetch(XAtom target, std::string* bytes, long long deadline) {
  ::Display* dpy = FConn.Display();
  XAtom property = FConn.Atom("VANTREL_SELECTION");
  XConvertSelection(dpy, FConn.Atom("CLIPBOARD"), target, property, FWindow, CurrentTime);
  XEvent e;
  if (!WaitFor(SelectionNotify, FWindow, target, &e, deadline)) return false;
  if (e.xselection.property == 0) return false;
  auto read = [&](std::string* out, Atom* type) {
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* raw = nullptr;
    out->clear();
    if (XGetWindowProperty(dpy, FWindow, property, 0, 0x1FFFFFFF, True, AnyPropertyType, type, &format, &count,
                           &after, &raw) != Success)
      return false;
    if (raw) {
      std::size_t unit = format == 8 ? 1 : format == 16 ? sizeof(short) : sizeof(long);
      if (format == 32) {
        // Xlib hands 32-bit items over as longs; keep them 32 bits wide.
        for (unsigned long i = 0; i < count; ++i) {
          std::uint32_t v = std::uint32_t(reinterpret_cast<long*>(raw)[i]);
          out->append(reinterpret_cast<const char*>(&v), 4);
        }
      } else {
        out->assign(reinterpret_cast<const char*>(raw), count * unit);
      }
      XFree(raw);
    }
    return true;
  };
  Atom type = 0;
  if (!read(bytes, &type)) return false;
  if (type != FConn.Atom("INCR")) return true;
  // Chunks follow, each announced by a new value of the property; an empty one ends.
  bytes->clear();
  for (;;) {
    if (!WaitFor(PropertyNotify, FWindow, property, &e, deadline)) return false;
    std::string chunk;
    if (!read(&chunk, &type)) return false;
    // A notification from before the transfer began finds no property: not the end.
    if (type == 0) continue;
    if (chunk.empty()) return true;
    bytes->append(chunk);
  }
}

bool Clipboard::TakeExternal(std::vector<std::pair<UINT, std::string>>* formats) {
  ::Display* dpy = FConn.Display();
  XWindowId owner = XGetSelectionOwner(dpy, FConn.Atom("CLIPBOARD"));
  if (owner == 0 || owner == FWindow) return false;
  FOwned = false;
  long long deadline = NowMs() + kReadTimeoutMs;
  std::string list;
  if (!Fetch(FConn.Atom("TARGETS"), &list, deadline)) return false;
  std::vector<XAtom> offered;
  for (std::size_t i = 0; i + 4 <= list.size(); i += 4) {
    std::uint32_t a;
    std::memcpy(&a, list.data() + i, 4);
    offered.push_back(a);
  }
  auto offers = [&](const char* name) {
    return std::find(offered.begin(), offered.end(), FConn.Atom(name)) != offered.end();
  };
  formats->clear();
  // Text: the first form offered that says it is UTF-8, else Latin-1.
  for (const char* name : {"UTF8_STRING", "text/plain;charset=utf-8", "STRING", "TEXT", "text/plain"}) {
    if (!offers(name)) continue;
    std::string bytes;
    if (!Fetch(FConn.Atom(name), &bytes, deadline)) continue;
    if (std::strcmp(name, "STRING") == 0) bytes = FromLatin1(bytes);
    formats->push_back({CF_UNICODETEXT, UnicodeTextBytes(bytes)});
    break;
  }
  // The program's registered formats, by their names or MIME twins.
  for (XAtom a : offered) {
    char* raw = XGetAtomName(dpy, a);
    if (!raw) continue;
    std::string name = raw;
    XFree(raw);
    bool twin = false;
    if (name == "text/csv") name = "Csv", twin = true;
    else if (name == "text/rtf") name = "Rich Text Format", twin = true;
    UINT format = RegisteredFormat(name);
    if (!format) continue;
    if (std::any_of(formats->begin(), formats->end(), [&](const auto& f) { return f.first == format; }))
      continue;
    std::string bytes;
    if (!Fetch(a, &bytes, deadline)) continue;
    if (twin) bytes.push_back('\0');
    formats->push_back({format, std::move(bytes)});
  }
  return !formats->empty();
}

// ---- handing over at exit ----

Clipboard::SaveResult Clipboard::SaveToManager(int timeoutMs) {
  ::Display* dpy = FConn.Display();
  if (!FOwned || XGetSelectionOwner(dpy, FConn.Atom("CLIPBOARD")) != FWindow) return SaveResult::NotOwned;
  XAtom manager = FConn.Atom("CLIPBOARD_MANAGER");
  if (XGetSelectionOwner(dpy, manager) == 0) return SaveResult::NoManager;
  long long deadline = NowMs() + timeoutMs;
  // The targets worth keeping go in the request's property: the contents, not the
  // targets that describe the selection.
  std::vector<long> keep;
  for (XAtom a : Targets())
    if (a != FConn.Atom("TARGETS") && a != FConn.Atom("TIMESTAMP") && a != FConn.Atom("MULTIPLE"))
      keep.push_back(long(a));
  XAtom property = FConn.Atom("VANTREL_SAVE_TARGETS");
  XChangeProperty(dpy, FWindow, property, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(keep.data()), int(keep.size()));
  XConvertSelection(dpy, manager, FConn.Atom("SAVE_TARGETS"), property, FWindow, FOwnedSince);
  XFlush(dpy);
  // The manager reads the clipboard from us before it answers.
  auto ours = [](::Display*, XEvent* e, XPointer arg) -> Bool {
    return reinterpret_cast<const Clipboard*>(arg)->Concerns(*e);
  };
  for (;;) {
    XEvent e;
    while (XCheckIfEvent(dpy, &e, ours, reinterpret_cast<XPointer>(this))) {
      if (e.type == SelectionNotify && e.xselection.selection == manager)
        return e.xselection.property ? SaveResult::Saved : SaveResult::Refused;
      OnEvent(e);
    }
    long long left = deadline - NowMs();
    if (left <= 0) return SaveResult::TimedOut;
    pollfd p{FConn.Fd(), POLLIN, 0};
    poll(&p, 1, int(left));
  }
}

bool Clipboard::Concerns(const XEvent& event) const {
  switch (event.type) {
    case SelectionRequest:
      return event.xselectionrequest.owner == FWindow;
    case SelectionClear:
      return event.xselectionclear.window == FWindow;
    case SelectionNotify:
      return event.xselection.requestor == FWindow;
    case PropertyNotify:
      return event.xproperty.window == FWindow ||
             std::any_of(FTransfers.begin(), FTransfers.end(),
                         [&](const Transfer& t) { return t.Requestor == event.xproperty.window; });
  }
  return false;
}

bool Clipboard::OnEvent(XEvent& event) {
  switch (event.type) {
    case SelectionRequest:
      if (event.xselectionrequest.owner != FWindow) return false;
      ServeRequest(event);
      return true;
    case SelectionClear:
      if (event.xselectionclear.window != FWindow) return false;
      if (event.xselectionclear.selection == FConn.Atom("CLIPBOARD")) FOwned = false;
      return true;
    case PropertyNotify:
      if (event.xproperty.state == PropertyDelete &&
          std::any_of(FTransfers.begin(), FTransfers.end(), [&](const Transfer& t) {
            return t.Requestor == event.xproperty.window && t.Property == event.xproperty.atom;
          })) {
        ContinueTransfer(event.xproperty.window, event.xproperty.atom);
        return true;
      }
      return event.xproperty.window == FWindow;
    case SelectionNotify:
      return event.xselection.requestor == FWindow;  // a late answer to a read given up on
  }
  return false;
}

}  // namespace win::x11
