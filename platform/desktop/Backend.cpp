// Choosing the back end, and the headless one's message boxes.
#include <chrono>
#include <thread>

#include "platform/desktop/internal/HeadlessBackend.h"

namespace win {

namespace {
std::unique_ptr<Backend>& Installed() {
  static std::unique_ptr<Backend> backend;
  return backend;
}
}  // namespace

Backend& CurrentBackend() {
  if (auto& b = Installed()) return *b;
  return detail::Headless();
}

void InstallBackend(std::unique_ptr<Backend> backend) { Installed() = std::move(backend); }

namespace detail {

std::uint64_t HeadlessBackend::Now() {
  using namespace std::chrono;
  return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool HeadlessBackend::WaitForEvents(int timeoutMs) {
  // Nothing arrives from outside; a run without a display just lets the time pass.
  if (RealClock) std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs < 0 ? 100 : timeoutMs));
  return false;
}

HeadlessBackend& Headless() {
  static HeadlessBackend backend;
  return backend;
}

}  // namespace detail

std::vector<int> MessageBoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_YESNOALL: return {IDYES, IDNO, IDALL};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {IDOK};
  }
}

namespace detail {

int HeadlessBackend::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                                    UINT type) {
  headless::MessageBoxRecord rec;
  rec.Owner = owner;
  rec.Text = text;
  rec.Caption = caption;
  rec.Type = type;
  if (!Answers.empty()) {
    rec.Result = Answers.front();
    rec.Scripted = true;
    Answers.pop_front();
  } else {
    std::vector<int> buttons = MessageBoxButtons(type);
    std::size_t index = (type & MB_DEFMASK) >> 8;
    rec.Result = buttons[index < buttons.size() ? index : 0];
  }
  Boxes.push_back(rec);
  return rec.Result;
}

}  // namespace detail
}  // namespace win
