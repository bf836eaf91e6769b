#pragma once
// The headless desktop's test interface: a manual clock, injected input, hot-key presses,
// tray clicks, a message-box script, the clipboard held by "another program", monitors,
// and a reset between tests. Everything runs on the calling thread; nothing sleeps.
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop/Backend.h"
#include "platform/desktop/Windows.h"

namespace win::headless {

// Destroys every window, drops timers, hot keys, tray icons, clipboard, carets, input
// state, scripts and extra monitors, and puts the manual clock back (at 0). Registered
// classes, registered messages, the drawing layer's hooks and the registry store stay.
void Reset();

// ---- clock ----
// A program running without a display uses the real clock: GetMessage then waits
// instead of raising. Tests keep the manual clock (the default).
void UseRealClock(bool real);
// Advances the manual clock by ms. Due timers fire in time order; at each step the pending
// messages are processed (translated and dispatched), so each WM_TIMER is dispatched.
void AdvanceClock(DWORD ms);
// Sets the clock (for wrap-around tests); timers keep their remaining time.
void SetClock(DWORD now);
// Processes posted messages, paint and due timers until none are left (WM_QUIT stays
// queued). Returns the number of messages dispatched. Raises EInvalidOperation when a
// window's WM_PAINT handler keeps leaving it invalid.
int ProcessMessages();
// Called when GetMessage would wait with nothing to do; it may post, inject input or
// advance the clock. Without one, or when it makes nothing available, GetMessage raises
// EInvalidOperation.
void SetIdleHandler(std::function<void()> handler);

// ---- keyboard ----
// Key presses go to the focus window (or the active window); each function processes the
// messages it causes.
void KeyDown(UINT vk);
void KeyUp(UINT vk);
// Down then up.
void PressKey(UINT vk);
// Presses a combination: modifiers (MOD_*) down, key down and up, modifiers up.
void PressKeys(UINT modifiers, UINT vk);
// Types text as an input method delivers it: WM_CHAR only, no key messages. Every
// character arrives as WM_CHAR with its UTF-16 code unit; a character beyond the BMP
// arrives as two WM_CHAR messages (high then low surrogate).
void TypeText(const std::string& utf8);

// ---- mouse ----
enum class MouseButton { Left, Right, Middle };
void MouseMove(int x, int y);  // screen coordinates
void MouseDown(MouseButton button, int x, int y);
void MouseUp(MouseButton button, int x, int y);
void Click(MouseButton button, int x, int y);
// Two clicks within the double-click time at the same point.
void DoubleClick(MouseButton button, int x, int y);
void MouseWheel(int delta, int x, int y);

// ---- hot keys ----
// Marks a combination as held by another program (RegisterHotKey then fails).
void HoldHotKeyElsewhere(UINT modifiers, UINT vk, bool held = true);
// Presses a combination anywhere on the desktop; WM_HOTKEY reaches the window that
// registered it. Returns false when nobody in this process holds it.
bool PressHotKey(UINT modifiers, UINT vk);

// ---- notification area ----
std::vector<TrayIconState> TrayIcons();
// The icon of (owner, id), or nullptr.
const TrayIconState* FindTrayIcon(HWND owner, UINT_PTR id);
void ClickTrayIcon(HWND owner, UINT_PTR id);
void DoubleClickTrayIcon(HWND owner, UINT_PTR id);
void RightClickTrayIcon(HWND owner, UINT_PTR id);
// Hovers the cursor over the icon (WM_MOUSEMOVE callback).
void HoverTrayIcon(HWND owner, UINT_PTR id);
// Sends a callback with any lParam (a balloon notification, say).
void SendTrayNotification(HWND owner, UINT_PTR id, UINT notification);
// The shell restarts: every icon vanishes and "TaskbarCreated" is broadcast to all
// top-level windows, hidden ones included.
void RestartTray();
// The tray's position on screen (where the cursor goes for tray clicks).
POINT TrayIconPoint();

// ---- clipboard ----
// Another program holds the clipboard open (OpenClipboard fails while held).
void HoldClipboardElsewhere(bool held);
// The clipboard's text (CF_UNICODETEXT or CF_TEXT) as UTF-8, without opening it.
std::string ClipboardText();
// Another program puts text on the clipboard.
void SetClipboardTextElsewhere(const std::string& utf8);

// ---- message boxes ----
struct MessageBoxRecord {
  HWND Owner = nullptr;
  std::string Text;
  std::string Caption;
  UINT Type = 0;
  int Result = 0;
  bool Scripted = false;  // false: answered by the default button
};
// Queues answers for the next message boxes.
void QueueMessageBoxAnswer(int id);
const std::vector<MessageBoxRecord>& MessageBoxes();

// ---- other recorded effects ----
const std::vector<UINT>& Beeps();
// The keyboard layouts activated (ActivateKeyboardLayout), in order.
const std::vector<HKL>& ActivatedKeyboardLayouts();
struct CaretState {
  HWND Owner = nullptr;
  int Width = 0;
  int Height = 0;
  POINT Pos;
  int HideCount = 1;  // shown when 0
};
// The caret, or nullptr when none exists.
const CaretState* Caret();

// ---- storage ----
// On the manual-clock desktop the registry store and autostart entries live in a
// directory of the process's own (removed at exit) unless $VANTREL_CONFIG_HOME or
// SetConfigHome says otherwise; with the real clock they follow $XDG_CONFIG_HOME.
// Points the registry store ($XDG_CONFIG_HOME/vantrel/) and the autostart entries
// ($XDG_CONFIG_HOME/autostart/) at dir and reloads the store; an empty dir goes back to
// the environment.
void SetConfigHome(const std::string& dir);
// Called after a store's new contents were written to its temporary file and before it
// replaces the store; returning false simulates a crash at that point (the write fails
// and the store keeps its old contents).
void SetRegistryWriteHook(std::function<bool(const std::string& tempPath)> hook);
// Forgets the registry held in memory; the next access reads the store again.
void ReloadRegistry();
// The registry held in memory as its store's text, and the way back: replaces the tree
// with what text describes, false when text is not a store.
std::string RegistryStoreText();
bool ReadRegistryStoreText(const std::string& text);

// ---- screen ----
struct MonitorSetup {
  RECT Bounds;
  RECT Work;
};
// Replaces the monitors; the first is the primary. Default: one 1024x768 monitor with a
// 40-pixel task bar at the bottom.
void SetMonitors(const std::vector<MonitorSetup>& monitors);

}  // namespace win::headless
