#pragma once
// A private Xvfb on a free display, for tests that need a real X server (scripts/deps.sh
// installs Xvfb).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

namespace xvfb_test {

inline bool OnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::string p = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= p.size()) {
    std::size_t end = p.find(':', start);
    if (end == std::string::npos) end = p.size();
    std::string file = p.substr(start, end - start) + "/" + program;
    if (access(file.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// Runs Xvfb on a free display for the life of the object.
class Server {
public:
  Server() {
    if (!OnPath("Xvfb")) {
      FFailure = "Xvfb is not installed (scripts/deps.sh installs it)";
      return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
      FFailure = "no pipe for Xvfb's display number";
      return;
    }
    FPid = fork();
    if (FPid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server ends with the test, however it ends
      close(fds[0]);
      int devnull = open("/dev/null", O_RDWR);
      dup2(devnull, 1);
      dup2(devnull, 2);
      std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
             "-ac", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
      if (poll(&p, 1, std::max(left, 0)) <= 0) break;
      char c;
      if (read(fds[0], &c, 1) != 1) break;
      if (c == '\n') break;
      number.push_back(c);
    }
    close(fds[0]);
    if (!number.empty()) FName = ":" + number;
    else FFailure = Alive() ? "Xvfb named no display within 20 s" : "Xvfb ended before it named a display";
  }
  ~Server() {
    if (FPid > 0) {
      kill(FPid, SIGTERM);
      waitpid(FPid, nullptr, 0);
    }
  }
  bool Running() const { return !FName.empty(); }
  bool Alive() const { return FPid > 0 && waitpid(FPid, nullptr, WNOHANG) == 0; }
  const std::string& Name() const { return FName; }
  // Why the server is not running; empty while it runs.
  const std::string& Failure() const { return FFailure; }

private:
  pid_t FPid = -1;
  std::string FName;
  std::string FFailure;
};

}  // namespace xvfb_test
