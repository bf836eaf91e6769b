// The built program: a second copy ends at once with code 0 while the first runs on.
#include "platform/desktop/WinKernel.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Starts the program without a display, with its own lock and config directories; the
// returned fd reads its stderr.
pid_t Start(const fs::path& program, const fs::path& home, int& errFd) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], 2);
    close(fds[0]);
    close(fds[1]);
    setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    unsetenv("DISPLAY");  // the run without a display is the one that says so on stderr
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  errFd = fds[0];
  return pid;
}

TEST(SingleInstance, ASecondCopyEndsAtOnceWhileTheFirstRuns) {
  fs::path program = fs::path(ParamStr(0)).parent_path().parent_path() / "app" / "vantrel";
  if (!fs::exists(program)) GTEST_SKIP() << "no program at " << program;
  char tmpl[] = "/tmp/vantrel-instance-XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  fs::path home = tmpl;

  int firstErr = -1;
  pid_t first = Start(program, home, firstErr);
  ASSERT_GT(first, 0);
  // The first copy holds the name once it has said it runs without a display.
  std::string said;
  char c;
  while (said.find('\n') == std::string::npos && read(firstErr, &c, 1) == 1) said += c;
  EXPECT_NE(said.find("no display back end"), std::string::npos) << said;

  int secondErr = -1;
  pid_t second = Start(program, home, secondErr);
  ASSERT_GT(second, 0);
  int status = 0;
  ASSERT_EQ(waitpid(second, &status, 0), second);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::string secondSaid;
  while (read(secondErr, &c, 1) == 1) secondSaid += c;
  EXPECT_EQ(secondSaid, "");  // nothing shown

  EXPECT_EQ(waitpid(first, &status, WNOHANG), 0);  // still running
  kill(first, SIGTERM);
  waitpid(first, &status, 0);
  close(firstErr);
  close(secondErr);
  fs::remove_all(home);
}

}  // namespace
