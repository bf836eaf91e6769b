// The registry's file store ($XDG_CONFIG_HOME/vantrel/registry) and the autostart entries
// that mirror the machine's Run key.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sstream>

#include <sys/stat.h>

#include "platform/desktop/internal/Files.h"
#include "platform/desktop/internal/Registry.h"

namespace win::detail {

std::string& ConfigHomeOverride();  // Files.cpp

RegValue* RegKey::FindValue(const std::string& name) {
  auto it = Index.find(Lower(name));
  return it == Index.end() ? nullptr : &Values[it->second];
}

RegValue& RegKey::AddValue(RegValue value) {
  auto [it, added] = Index.emplace(Lower(value.Name), Values.size());
  if (added) Values.push_back(std::move(value));
  return Values[it->second];
}

bool RegKey::EraseValue(const std::string& name) {
  auto it = Index.find(Lower(name));
  if (it == Index.end()) return false;
  const std::size_t place = it->second;
  Index.erase(it);
  Values.erase(Values.begin() + static_cast<std::ptrdiff_t>(place));
  for (auto& [key, at] : Index)
    if (at > place) --at;
  return true;
}

RegistryStore& Store() {
  static RegistryStore store;
  return store;
}

std::string StorePath() { return ConfigHome() + "/vantrel/registry"; }

namespace {
const char* const kHeader = "VANTREL-REGISTRY 1";

std::string Hex(const void* data, std::size_t n) {
  static const char* digits = "0123456789abcdef";
  if (n == 0) return "-";
  std::string out;
  const auto* p = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < n; ++i) {
    out += digits[p[i] >> 4];
    out += digits[p[i] & 15];
  }
  return out;
}

bool Unhex(const std::string& s, std::string* out) {
  out->clear();
  if (s == "-") return true;
  if (s.size() % 2) return false;
  auto val = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (std::size_t i = 0; i < s.size(); i += 2) {
    int a = val(s[i]), b = val(s[i + 1]);
    if (a < 0 || b < 0) return false;
    *out += char(a * 16 + b);
  }
  return true;
}

void Write(std::ostringstream& out, std::uintptr_t hive, const std::string& path, const RegKey& k) {
  out << "K " << std::hex << hive << std::dec << ' ' << Hex(path.data(), path.size()) << '\n';
  for (const RegValue& v : k.Values)
    out << "V " << Hex(v.Name.data(), v.Name.size()) << ' ' << v.Type << ' '
        << Hex(v.Data.data(), v.Data.size()) << '\n';
  for (const auto& [lower, sub] : k.Subkeys)
    Write(out, hive, path.empty() ? sub->Name : path + "\\" + sub->Name, *sub);
}
}  // namespace

std::string Serialize() {
  std::ostringstream out;
  out << kHeader << '\n';
  for (const auto& [hive, root] : Store().Hives) Write(out, hive, "", root);
  return out.str();
}

bool Deserialize(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  std::map<std::uintptr_t, RegKey> hives;
  RegKey* current = nullptr;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::istringstream ls(line);
    std::string tag, a, b, c;
    ls >> tag;
    if (tag == "K") {
      ls >> a >> b;
      std::string path;
      std::uintptr_t hive = 0;
      try {
        hive = std::uintptr_t(std::stoull(a, nullptr, 16));
      } catch (...) {
        return false;
      }
      if (!Unhex(b, &path)) return false;
      current = &hives[hive];
      std::size_t start = 0, depth = 0;
      while (!path.empty() && start <= path.size()) {
        std::size_t end = path.find('\\', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty() || part.size() > kMaxKeyName || ++depth > kMaxKeyDepth) return false;
        auto& slot = current->Subkeys[Lower(part)];
        if (!slot) {
          slot = std::make_unique<RegKey>();
          slot->Name = part;
        }
        current = slot.get();
        if (end == std::string::npos) break;
        start = end + 1;
      }
    } else if (tag == "V" && current) {
      ls >> a >> b >> c;
      RegValue v;
      std::string data;
      if (!Unhex(a, &v.Name) || !Unhex(c, &data)) return false;
      try {
        v.Type = DWORD(std::stoul(b));
      } catch (...) {
        return false;
      }
      v.Data.assign(data.begin(), data.end());
      current->AddValue(std::move(v));
    } else {
      return false;
    }
  }
  Store().Hives = std::move(hives);
  return true;
}

void EnsureLoaded() {
  RegistryStore& s = Store();
  if (s.Loaded) return;
  static bool exitHook = (std::atexit([] { FlushStore(); }), true);
  (void)exitHook;
  s.Loaded = true;
  s.Dirty = false;
  s.Hives.clear();
  s.KeptInPlace = false;
  std::string text;
  struct stat st {};
  // A store that is there but cannot be read (its rights, say) counts as corrupt.
  bool present = ::lstat(StorePath().c_str(), &st) == 0 || errno != ENOENT;
  if (present && !(ReadWholeFile(StorePath(), &text) && Deserialize(text))) {
    // Keep it aside instead of overwriting it; where it cannot be moved, nothing is
    // written over it.
    s.Hives.clear();
    std::string aside = StorePath() + ".unreadable-" + std::to_string(std::time(nullptr));
    s.KeptInPlace = std::rename(StorePath().c_str(), aside.c_str()) != 0;
  }
  s.SavedText = Serialize();
}

bool FlushStore() {
  RegistryStore& s = Store();
  if (!s.Loaded || !s.Dirty) return true;
  std::string text = Serialize();
  s.Dirty = false;
  if (!s.KeptInPlace && AtomicWriteFile(StorePath(), text, s.WriteHook)) {
    s.SavedText = text;
    return true;
  }
  Deserialize(s.SavedText);
  return false;
}

bool IsRunKey(std::uintptr_t hive, const std::vector<std::string>& path) {
  static const char* const run[] = {"software", "microsoft", "windows", "currentversion", "run"};
  if (hive != reinterpret_cast<std::uintptr_t>(HKEY_LOCAL_MACHINE) || path.size() != 5) return false;
  for (std::size_t i = 0; i < 5; ++i)
    if (Lower(path[i]) != run[i]) return false;
  return true;
}

namespace {
// Escapes a desktop-entry string value; % is doubled since Exec reads field codes.
std::string EntryString(const std::string& s, bool exec) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '%': out += exec ? "%%" : "%"; break;
      default: out += c;
    }
  }
  return out;
}

// The words of a Run value: the whole value when it names a file (a program path with
// blanks in it), else blank-separated words where double quotes group ("C:\a b" -x) and
// a backslash before a double quote keeps it.
std::vector<std::string> CommandWords(const std::string& command) {
  struct stat st {};
  if (::stat(command.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) return {command};
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (std::size_t i = 0; i < command.size(); ++i) {
    char c = command[i];
    if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\\' && i + 1 < command.size() && command[i + 1] == '"') {
      word += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// One argument of an Exec line: quoted when it holds a character the format reserves,
// with ", `, $ and \ escaped inside the quotes.
std::string ExecArgument(const std::string& word) {
  if (!word.empty() && word.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) return word;
  std::string out = "\"";
  for (char c : word) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string EntryFileName(const std::string& name) {
  std::string out;
  for (char c : name) out += (c == '/' || c == '\0' || c == '\\') ? '_' : c;
  if (out.empty() || out[0] == '.') out = "_" + out;
  return out + ".desktop";
}
}  // namespace

bool WriteAutostart(const std::string& name, const RegValue* value) {
  std::string path = ConfigHome() + "/autostart/" + EntryFileName(name);
  if (!value) return std::remove(path.c_str()) == 0 || errno == ENOENT;
  std::string command;
  if (value->Type == REG_SZ || value->Type == REG_EXPAND_SZ) {
    command.assign(value->Data.begin(), value->Data.end());
    command.resize(std::min(command.find('\0'), command.size()));
  }
  std::string exec;
  if (!command.empty())
    for (const std::string& word : CommandWords(command)) exec += (exec.empty() ? "" : " ") + ExecArgument(word);
  std::string entry = "[Desktop Entry]\nType=Application\nName=" + EntryString(name.empty() ? "Default" : name, false) + "\n";
  if (exec.empty()) {
    // An emptied value keeps the entry but switches it off.
    entry += "Exec=\nHidden=true\n";
  } else {
    entry += "Exec=" + EntryString(exec, true) + "\nX-GNOME-Autostart-enabled=true\n";
  }
  return AtomicWriteFile(path, entry);
}

}  // namespace win::detail

namespace win::headless {

void SetConfigHome(const std::string& dir) {
  detail::ConfigHomeOverride() = dir;
  ReloadRegistry();
}

void SetRegistryWriteHook(std::function<bool(const std::string&)> hook) {
  detail::Store().WriteHook = std::move(hook);
}

void ReloadRegistry() {
  detail::Store().Loaded = false;
  detail::Store().Dirty = false;
  detail::Store().Hives.clear();
}

std::string RegistryStoreText() { return detail::Serialize(); }

bool ReadRegistryStoreText(const std::string& text) { return detail::Deserialize(text); }

}  // namespace win::headless
