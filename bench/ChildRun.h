#pragma once
// Runs one side of a benchmark in a fresh process: the child times its own work and
// reports it through a pipe; the parent adds the child's peak resident memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace bench_child {

struct TChildRun {
  double Seconds = 0;
  long PeakKb = 0;  // the child's peak resident set
};

// Work runs in the child and returns the seconds it timed; an exception fails the run.
template <class F>
TChildRun RunInChild(F&& Work) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    close(fds[0]);
    double seconds = -1;
    try {
      seconds = Work();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "benchmark side failed: %s\n", e.what());
    } catch (...) {
      std::fprintf(stderr, "benchmark side failed\n");
    }
    if (write(fds[1], &seconds, sizeof seconds) != sizeof seconds) _exit(2);
    _exit(seconds < 0 ? 1 : 0);
  }
  close(fds[1]);
  TChildRun run;
  const bool got = read(fds[0], &run.Seconds, sizeof run.Seconds) == sizeof run.Seconds;
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("benchmark side failed");
  run.PeakKb = usage.ru_maxrss;
  return run;
}

}  // namespace bench_child
