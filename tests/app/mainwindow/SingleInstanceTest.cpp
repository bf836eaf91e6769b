// The built program on a private X display: without a usable display it says so and ends
// with code 1, leaving the single-copy lock free; a second copy ends at once with code 0
// while the first runs on.
#include "platform/desktop/WinKernel.h"
#include "tests/support/Xvfb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kWaitMs = 30000;  // a sanitised build on a busy machine starts slowly

// One started copy of the program, its stderr read through a pipe.
class Copy {
public:
  // display: the value of DISPLAY, or nullopt to start with DISPLAY unset.
  Copy(const fs::path& program, const fs::path& home, const std::optional<std::string>& display) {
    int fds[2];
    if (pipe(fds) != 0) return;
    FPid = fork();
    if (FPid == 0) {
      dup2(fds[1], 2);
      close(fds[0]);
      close(fds[1]);
      setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
      setenv("XDG_CONFIG_HOME", home.c_str(), 1);
      if (display)
        setenv("DISPLAY", display->c_str(), 1);
      else
        unsetenv("DISPLAY");
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    FErr = fds[0];
  }
  ~Copy() {
    if (FPid > 0 && !FEnded) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
    if (FErr >= 0) close(FErr);
  }
  bool Started() const { return FPid > 0 && FErr >= 0; }

  // Reads stderr until it holds `want` or the time is up; what was read so far.
  const std::string& ReadUntil(const std::string& want, int timeoutMs = kWaitMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (FSaid.find(want) == std::string::npos) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd p{FErr, POLLIN, 0};
      if (poll(&p, 1, int(std::max<long long>(left.count(), 0))) <= 0) break;
      char buf[256];
      ssize_t n = read(FErr, buf, sizeof buf);
      if (n <= 0) break;  // the copy ended
      FSaid.append(buf, std::size_t(n));
    }
    return FSaid;
  }
  // The exit code once the copy ends within the time, -1 when it does not (or dies).
  int Wait(int timeoutMs = kWaitMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
      if (waitpid(FPid, &status, WNOHANG) == FPid) {
        FEnded = true;
        ReadUntil("\x01", 0);  // whatever is left in the pipe
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(20000);
    }
    return -1;
  }
  bool Running() const { return waitpid(FPid, nullptr, WNOHANG) == 0; }

private:
  pid_t FPid = -1;
  int FErr = -1;
  bool FEnded = false;
  std::string FSaid;
};

class SingleInstanceTest : public ::testing::Test {
protected:
  void SetUp() override {
    program = fs::path(ParamStr(0)).parent_path().parent_path() / "app" / "vantrel";
    ASSERT_TRUE(fs::exists(program)) << "the program is not built: " << program;
    ASSERT_TRUE(server.Running()) << "Xvfb did not start";
    char tmpl[] = "/tmp/vantrel-instance-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    home = tmpl;
  }
  void TearDown() override {
    if (!home.empty()) fs::remove_all(home);
  }

  fs::path program, home;
  xvfb_test::Server server;
};

TEST_F(SingleInstanceTest, WithoutAUsableDisplayItSaysSoAndLeavesTheLockFree) {
  struct Case {
    std::optional<std::string> display;
    const char* says;
  };
  const Case cases[] = {
      {std::nullopt, "vantrel: no X display (DISPLAY is not set)\n"},
      {"", "vantrel: no X display (DISPLAY is not set)\n"},
      {":65533", "vantrel: cannot open the X display \":65533\"\n"},  // no server answers there
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.display.value_or("(unset)"));
    Copy copy(program, home, c.display);
    ASSERT_TRUE(copy.Started());
    EXPECT_EQ(copy.Wait(), 1);
    EXPECT_EQ(copy.ReadUntil("\n"), c.says);
  }

  // None of them kept the lock: a start on the display runs.
  Copy real(program, home, server.Name());
  ASSERT_TRUE(real.Started());
  EXPECT_NE(real.ReadUntil("no system tray").find("no system tray"), std::string::npos);
  EXPECT_TRUE(real.Running());
}

TEST_F(SingleInstanceTest, ASecondCopyEndsAtOnceWhileTheFirstRuns) {
  Copy first(program, home, server.Name());
  ASSERT_TRUE(first.Started());
  // The first copy holds the lock once its tray icon looks for a tray (there is none).
  const std::string& said = first.ReadUntil("no system tray");
  ASSERT_NE(said.find("no system tray"), std::string::npos) << said;

  Copy second(program, home, server.Name());
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_EQ(second.ReadUntil("\n", 0), "");  // nothing shown
  EXPECT_TRUE(first.Running());
}

}  // namespace
