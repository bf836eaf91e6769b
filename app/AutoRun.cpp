#include "app/AutoRun.h"

#include "platform/controls/Registry.h"
#include "platform/rtl/Exceptions.h"

namespace {
const char* const RunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const ValueName = "Vantrel";
}  // namespace

void WriteAutoRun(bool On, const std::string& ExePath) {
  TRegistry reg;
  reg.SetRootKey(win::HKEY_LOCAL_MACHINE);
  if (!reg.OpenKey(RunKey, true)) return;
  reg.WriteString(ValueName, On ? ExePath : std::string());
  reg.CloseKey();
}

bool AutoRunIsOn(const std::string& ExePath) {
  try {
    TRegistry reg(win::KEY_READ);
    reg.SetRootKey(win::HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(RunKey) || !reg.ValueExists(ValueName)) return false;
    return !ExePath.empty() && reg.ReadString(ValueName) == ExePath;
  } catch (const Exception&) {
    return false;  // unreadable: show the box unchecked
  }
}
