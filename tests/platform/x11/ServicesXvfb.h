#pragma once
// A private Xvfb for tests of the X11 services, and helpers that play "another program"
// on it. A server that does not start fails the test, with the reason.
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Xvfb.h"

namespace xvfb_test {

// Runs a program with the test display, input text on its stdin, and returns its stdout;
// while it runs, pump() is called (the process under test answering X requests). Killed
// after timeoutMs. exitCode is -1 when it did not end by itself.
template <class Pump>
std::string Run(const std::string& display, std::vector<std::string> args, const std::string& input, Pump pump,
                int* exitCode = nullptr, int timeoutMs = 5000) {
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[1]);
    close(out[0]);
    setenv("DISPLAY", display.c_str(), 1);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  if (!input.empty()) (void)!write(in[1], input.data(), input.size());
  close(in[1]);
  fcntl(out[0], F_SETFL, O_NONBLOCK);
  std::string result;
  int status = 0;
  bool ended = false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    pump();
    char buf[65536];
    ssize_t n;
    while ((n = read(out[0], buf, sizeof buf)) > 0) result.append(buf, std::size_t(n));
    if (waitpid(pid, &status, WNOHANG) == pid) {
      ended = true;
      break;
    }
    pollfd p{out[0], POLLIN, 0};
    poll(&p, 1, 5);
  }
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  char buf[65536];
  ssize_t n;
  while ((n = read(out[0], buf, sizeof buf)) > 0) result.append(buf, std::size_t(n));
  close(out[0]);
  if (exitCode) *exitCode = ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace xvfb_test

#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"

namespace xvfb_test {

// A plain top-level window of the window system (its messages are read with PeekMessage).
inline win::HWND PlainWindow() {
  static bool registered = false;
  if (!registered) {
    win::WNDCLASSA wc{};
    wc.lpfnWndProc = &win::DefWindowProcA;
    wc.lpszClassName = "ServicesTestWindow";
    win::RegisterClassA(&wc);
    registered = true;
  }
  return win::CreateWindowExA(0, "ServicesTestWindow", "services", win::WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
}

// The messages in msg's range posted to hwnd, taken off the queue.
inline std::vector<win::MSG> Posted(win::HWND hwnd, win::UINT first, win::UINT last) {
  std::vector<win::MSG> out;
  win::MSG m;
  while (win::PeekMessageA(&m, hwnd, first, last, win::PM_REMOVE)) out.push_back(m);
  return out;
}

}  // namespace xvfb_test

#include "platform/x11/Connection.h"

namespace xvfb_test {

// One Xvfb for the whole test program.
inline Server& SharedServer() {
  static Server server;
  return server;
}

// Two clients of the shared server: the program's connection and another program's.
class TwoClientsTest : public ::testing::Test {
protected:
  void SetUp() override {
    win::headless::Reset();
    ASSERT_TRUE(SharedServer().Running()) << SharedServer().Failure();
    // A busy machine now and then refuses a connection: a few tries.
    for (int i = 0; i < 10 && !(FOurs && FOther); ++i) {
      if (i) usleep(100000);
      if (!FOurs) FOurs = win::x11::Connection::Open(SharedServer().Name().c_str());
      if (!FOther) FOther = win::x11::Connection::Open(SharedServer().Name().c_str());
    }
    ASSERT_TRUE(FOurs && FOther) << "cannot connect to " << SharedServer().Name()
                                 << (SharedServer().Alive() ? " (the server runs)" : " (the server ended)");
  }
  void TearDown() override { win::headless::Reset(); }

  std::unique_ptr<win::x11::Connection> FOurs, FOther;
};

}  // namespace xvfb_test
