#pragma once
// Small file helpers of the window system's stores.
#include <functional>
#include <string>

namespace win::detail {

// The configuration directory: the one a test set, else $VANTREL_CONFIG_HOME, else on the
// manual-clock desktop a directory of the process's own, else $XDG_CONFIG_HOME or ~/.config.
std::string ConfigHome();
// Creates a directory and its parents; false when that fails.
bool MakeDirectories(const std::string& path);
// Replaces path with contents so that a crash leaves the old or the new file: writes a
// temporary file beside it, flushes it to disk, then renames it over the old one.
// beforeRename may veto (the temporary file is then removed and nothing changes).
bool AtomicWriteFile(const std::string& path, const std::string& contents,
                     const std::function<bool(const std::string&)>& beforeRename = nullptr);
// Reads a whole file; false when it does not exist or cannot be read.
bool ReadWholeFile(const std::string& path, std::string* out);

}  // namespace win::detail
