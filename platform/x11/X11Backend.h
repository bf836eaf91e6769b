#pragma once
// The back end that shows the window system on an X11 display: windows, input, cursors
// and message boxes (X11Backend.cpp and its neighbours), and the desktop services: global
// hot keys, the CLIPBOARD selection and the notification-area icon (the services files).
#include <memory>

#include "platform/desktop/Backend.h"
#include "platform/x11/Connection.h"

namespace win::x11 {

class HotKeys;
class Clipboard;
class Tray;

class X11Backend : public Backend {
public:
  explicit X11Backend(std::unique_ptr<Connection> connection);
  ~X11Backend() override;

  Connection& Conn() { return *FConnection; }

  // Windows, input, clock, message boxes.
  void WindowCreated(HWND hwnd) override;
  void WindowDestroyed(HWND hwnd) override;
  void WindowMoved(HWND hwnd, const RECT& screenRect) override;
  void WindowShown(HWND hwnd, bool visible) override;
  void SurfaceInvalidated(HWND hwnd, const RECT& rect) override;
  bool UsesManualClock() const override { return false; }
  std::uint64_t Now() override;
  bool WaitForEvents(int timeoutMs) override;
  void Beep(UINT type) override;
  int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                     UINT type) override;

  // Desktop services.
  bool GrabHotKey(UINT modifiers, UINT vk) override;
  void UngrabHotKey(UINT modifiers, UINT vk) override;
  bool ClipboardHeldElsewhere() override;
  void ClipboardPublished() override;
  bool TakeExternalClipboard(std::vector<std::pair<UINT, std::string>>* formats) override;
  bool TrayAvailable() override;
  void TrayIconAdded(const TrayIconState& icon) override;
  void TrayIconModified(const TrayIconState& icon) override;
  void TrayIconDeleted(const TrayIconState& icon) override;

private:
  // Creates and frees the services (their event filters join the connection).
  void StartServices();
  void StopServices();

  std::unique_ptr<Connection> FConnection;
  std::unique_ptr<HotKeys> FHotKeys;
  std::unique_ptr<Clipboard> FClipboard;
  std::unique_ptr<Tray> FTray;
};

// Opens $DISPLAY and installs the X11 back end; false (nothing installed) when there is
// no display to open.
bool InstallX11Backend();

}  // namespace win::x11
