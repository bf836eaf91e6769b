// The X11 back end's desktop services: hot keys, the clipboard and the tray icon.
#include <X11/Xlib.h>

#include "platform/x11/Clipboard.h"
#include "platform/x11/HotKeys.h"
#include "platform/x11/Tray.h"
#include "platform/x11/X11Backend.h"

#include <algorithm>

namespace win::x11 {

void X11Backend::StartServices() {
  Connection& c = *FConnection;
  FHotKeys = std::make_unique<HotKeys>(c, DesktopHost());
  FClipboard = std::make_unique<Clipboard>(c);
  FTray = std::make_unique<Tray>(c, DesktopHost());
  // The filters outlive the services; they look them up at each event.
  c.AddFilter([this](XEvent& e) { return FHotKeys && FHotKeys->OnEvent(e); });
  c.AddFilter([this](XEvent& e) { return FClipboard && FClipboard->OnEvent(e); });
  c.AddFilter([this](XEvent& e) { return FTray && FTray->OnEvent(e); });
}

void X11Backend::StopServices() {
  // What the program put on the clipboard outlives it when a clipboard manager runs.
  if (FClipboard) FClipboard->SaveToManager();
  FTray.reset();
  FClipboard.reset();
  FHotKeys.reset();
}

bool X11Backend::GrabHotKey(UINT modifiers, UINT vk) { return FHotKeys && FHotKeys->Grab(modifiers, vk); }

void X11Backend::GrabHotKeys(const HotKeyCombination* keys, std::size_t count, bool* granted) {
  if (FHotKeys) FHotKeys->GrabMany(keys, count, granted);
  else std::fill(granted, granted + count, false);
}

void X11Backend::UngrabHotKeys(const HotKeyCombination* keys, std::size_t count) {
  if (FHotKeys) FHotKeys->UngrabMany(keys, count);
}

void X11Backend::UngrabHotKey(UINT modifiers, UINT vk) {
  if (FHotKeys) FHotKeys->Ungrab(modifiers, vk);
}

// X has no lock on the selection: reading or taking it never waits for another program.
bool X11Backend::ClipboardHeldElsewhere() { return false; }

void X11Backend::ClipboardPublished() {
  if (FClipboard) FClipboard->Publish();
}

bool X11Backend::TakeExternalClipboard(std::vector<std::pair<UINT, std::string>>* formats) {
  return FClipboard && FClipboard->TakeExternal(formats);
}

// Icons are kept even while no tray runs; they dock when one appears.
bool X11Backend::TrayAvailable() { return true; }

void X11Backend::TrayIconAdded(const TrayIconState& icon) {
  if (FTray) FTray->Added(icon);
}

void X11Backend::TrayIconModified(const TrayIconState& icon) {
  if (FTray) FTray->Modified(icon);
}

void X11Backend::TrayIconDeleted(const TrayIconState& icon) {
  if (FTray) FTray->Deleted(icon);
}

}  // namespace win::x11
