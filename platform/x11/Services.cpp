// The X11 back end's desktop services: hot keys, the clipboard and the tray icon.
#include "platform/x11/Clipboard.h"
#include "platform/x11/HotKeys.h"
#include "platform/x11/Tray.h"
#include "platform/x11/X11Backend.h"

namespace win::x11 {

void X11Backend::StartServices() {}

void X11Backend::StopServices() {
  FTray.reset();
  FClipboard.reset();
  FHotKeys.reset();
}

bool X11Backend::GrabHotKey(UINT modifiers, UINT vk) { return true; }
void X11Backend::UngrabHotKey(UINT modifiers, UINT vk) {}
bool X11Backend::ClipboardHeldElsewhere() { return false; }
void X11Backend::ClipboardPublished() {}
bool X11Backend::TakeExternalClipboard(std::vector<std::pair<UINT, std::string>>* formats) { return false; }
bool X11Backend::TrayAvailable() { return true; }
void X11Backend::TrayIconAdded(const TrayIconState& icon) {}
void X11Backend::TrayIconModified(const TrayIconState& icon) {}
void X11Backend::TrayIconDeleted(const TrayIconState& icon) {}

}  // namespace win::x11
