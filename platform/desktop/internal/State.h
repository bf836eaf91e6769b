#pragma once
// The window system's state, shared by its source files.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/desktop/Backend.h"
#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"

namespace win::detail {

// A set of disjoint rectangles.
class RectSet {
public:
  bool Empty() const { return FRects.empty(); }
  const std::vector<RECT>& Rects() const { return FRects; }
  void Clear() { FRects.clear(); }
  void Add(const RECT& r);
  void Remove(const RECT& r);
  void IntersectWith(const RECT& r);
  void Offset(int dx, int dy);
  bool Contains(int x, int y) const;
  RECT Bounds() const;

private:
  std::vector<RECT> FRects;
};

bool RectIsEmpty(const RECT& r);
RECT RectIntersect(const RECT& a, const RECT& b);
bool RectContains(const RECT& r, int x, int y);
RECT RectOffset(RECT r, int dx, int dy);
// r minus cut, as up to four rectangles.
std::vector<RECT> RectSubtract(const RECT& r, const RECT& cut);

struct WindowClass {
  std::string Name;
  ATOM Atom = 0;
  UINT Style = 0;
  WNDPROC Proc = nullptr;
  int ClsExtra = 0;
  int WndExtra = 0;
  HINSTANCE Instance = nullptr;
  HICON Icon = nullptr;
  HICON IconSm = nullptr;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  int WindowCount = 0;
};

struct ScrollBarState {
  int Min = 0;
  int Max = 100;
  UINT Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  UINT DisabledArrows = 0;
  bool Set = false;  // info was given for this bar
};

// A press on a window's scroll bar being followed until the button comes up.
struct ScrollTracking {
  HWND Window = nullptr;
  int Bar = 0;      // SB_HORZ or SB_VERT
  int Part = 0;     // the part pressed
  int Grab = 0;     // thumb: where on it the cursor took hold, along the bar
  int LastPos = 0;  // thumb: the position last sent
};

struct Window {
  HWND Handle = nullptr;
  std::shared_ptr<WindowClass> Class;
  WNDPROC Proc = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  HWND Parent = nullptr;  // children only
  HWND Owner = nullptr;   // top-level windows only
  bool MessageOnly = false;
  std::vector<HWND> Children;  // z-order, topmost first
  RECT Rect;                   // in the parent's client coordinates (screen for top-level)
  RECT Client;                 // client area in window coordinates
  std::string Text;
  LONG_PTR Id = 0;
  LONG_PTR UserData = 0;
  HINSTANCE Instance = nullptr;
  std::vector<BYTE> Extra;
  RectSet Update;  // client coordinates
  bool UpdateErase = false;
  bool InternalPaint = false;
  bool FrameDirty = true;  // a new window's frame is yet to be painted
  std::optional<RectSet> Region;  // window coordinates
  ScrollBarState HScroll, VScroll, Ctl;
  RECT NormalRect;       // restored position (placement)
  POINT MinPosition{-1, -1};
  POINT MaxPosition{-1, -1};
  bool HiddenByOwner = false;  // hidden because its owner was minimised
  bool Destroying = false;
};

struct Timer {
  HWND Window = nullptr;
  UINT_PTR Id = 0;
  UINT Interval = 0;
  std::uint64_t Next = 0;
  bool Pending = false;
  std::uint64_t DueAt = 0;
  TIMERPROC Proc = nullptr;
};

struct HotKey {
  HWND Window = nullptr;
  int Id = 0;
  UINT Modifiers = 0;
  UINT Vk = 0;
};

struct Monitor {
  RECT Bounds;
  RECT Work;
};

struct Caret {
  HWND Owner = nullptr;
  int Width = 0;
  int Height = 0;
  POINT Pos;
  int HideCount = 1;
};

struct State {
  std::unordered_map<HWND, std::unique_ptr<Window>> Windows;
  std::uintptr_t NextHandle = 0x10000;
  std::vector<HWND> TopLevels;  // z-order, topmost first
  std::vector<HWND> MessageOnly;
  std::map<std::string, std::shared_ptr<WindowClass>> Classes;  // by lower-case name
  ATOM NextAtom = 0xC000;

  std::deque<MSG> Queue;
  bool QuitPending = false;
  int QuitCode = 0;
  DWORD LastMessageTime = 0;
  POINT LastMessagePos;
  std::uint64_t Activity = 0;  // counts posts and dispatches
  int SendDepth = 0;

  std::vector<Timer> Timers;
  std::uint64_t ManualNow = 0;
  DWORD ClockBase = 0;  // GetTickCount = ClockBase + now
  UINT_PTR NextThreadTimer = 1;
  std::function<void()> IdleHandler;

  HWND Active = nullptr;
  bool ActivatingByClick = false;
  HWND Focus = nullptr;
  HWND Capture = nullptr;
  ScrollTracking Tracking;
  std::array<BYTE, 256> Keys{};
  // Characters a display typed with a posted key press, by MSG::lPrivate.
  std::map<DWORD, std::u16string> KeyTexts;
  DWORD NextKeyText = 1;
  POINT Cursor;
  HCURSOR CurrentCursor = nullptr;
  int CursorShowCount = 0;
  // Last button press, for double clicks.
  HWND LastClickWindow = nullptr;
  UINT LastClickButton = 0;
  std::uint64_t LastClickTime = 0;
  POINT LastClickPoint;
  bool LastClickValid = false;
  std::optional<Caret> TheCaret;

  std::vector<HotKey> HotKeys;
  std::vector<TrayIconState> TrayIcons;

  std::vector<Monitor> Monitors;
  GraphicsHooks Hooks;
  std::vector<UINT> Beeps;
  std::vector<HKL> ActivatedLayouts;
};

State& S();
Window* Find(HWND hwnd);
// The window or raises nothing: sets ERROR_INVALID_WINDOW_HANDLE and returns nullptr.
Window* Get(HWND hwnd);
// Top-level ancestor (self for a top-level window).
HWND Root(HWND hwnd);
bool IsDescendant(HWND ancestor, HWND hwnd);
// Visible together with all its ancestors.
bool IsShowing(const Window& w);
// The window's top-left corner and client origin in screen coordinates.
POINT ScreenOrigin(const Window& w);
POINT ClientScreenOrigin(const Window& w);
// Sibling list that holds hwnd.
std::vector<HWND>& SiblingsOf(const Window& w);

// The current time of the desktop's clock in milliseconds (64-bit, never wraps).
std::uint64_t Now64();
DWORD TickCount();
void NoteActivity();

// Moves a posted message to the queue with time and cursor position.
void Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void RemoveMessagesFor(HWND hwnd);
void KillTimersOf(HWND hwnd);
void DropHotKeysOf(HWND hwnd);
void ClipboardWindowDestroyed(HWND hwnd);
void FocusWindowDestroyed(HWND hwnd);
// Recomputes the client area through WM_NCCALCSIZE after a style change.
void RecalcFrame(HWND hwnd);
// Scroll-bar presses: a press on a window's bar (screen point) starts following it; mouse
// messages for the window are then taken here (true when taken); losing the capture ends it.
void StartScrollTracking(HWND hwnd, int bar, POINT screen);
bool FollowScrollTracking(const MSG& msg);
void ScrollCaptureChanged(HWND newCapture);
// Draws a window's scroll bars now when it shows, or marks its frame for painting.
void RedrawScrollBars(HWND hwnd);
// Sends WM_NCPAINT when the window shows and its frame waits to be painted; a window's
// frame is painted before its client area.
void PaintFrame(HWND hwnd);
// The client rectangle DefWindowProc gives for a window rectangle.
RECT DefaultClientRect(const Window& w, const RECT& windowRect);
// Invalidates a rectangle of a window's client area (client coordinates); children
// follow unless the window clips them.
void InvalidateClient(HWND hwnd, const RECT* rect, bool erase, bool children);
// Marks every shown descendant of a window, clipped or not, for a whole repaint, frame
// included: their pixels are gone (the window comes back from having no client area).
void ExposeDescendants(HWND hwnd);
void ResetTimersAndQueue();
void ResetInput();
void ResetShell();
void ResetClipboard();
void ResetMetrics();
std::string Lower(std::string_view s);

}  // namespace win::detail
