#pragma once
// Runs one side of a benchmark in a fresh process: the child times its own work and
// reports it through a pipe; the parent adds the child's peak resident memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/Figures.h"

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

// Each iteration runs Project and Reference (each returning its seconds) in fresh
// processes, alternating which goes first; sets the medians, their ratio and each side's
// peak memory as counters and the min / median / max of both as the label.
template <class P, class R>
void CompareSides(benchmark::State& state, P&& Project, R&& Reference) {
  std::vector<double> project, reference;
  long projectKb = 0, referenceKb = 0;
  bool projectFirst = true;
  for (auto _ : state) {
    for (int side = 0; side < 2; ++side) {
      if ((side == 0) == projectFirst) {
        const TChildRun run = RunInChild(Project);
        project.push_back(run.Seconds);
        projectKb = std::max(projectKb, run.PeakKb);
      } else {
        const TChildRun run = RunInChild(Reference);
        reference.push_back(run.Seconds);
        referenceKb = std::max(referenceKb, run.PeakKb);
      }
    }
    projectFirst = !projectFirst;
  }
  std::vector<double> p = project, r = reference;
  std::sort(p.begin(), p.end());
  std::sort(r.begin(), r.end());
  state.counters["project_s"] = p[p.size() / 2];
  state.counters["reference_s"] = r[r.size() / 2];
  state.counters["ratio"] = p[p.size() / 2] / r[r.size() / 2];
  state.counters["project_peak_MB"] = projectKb / 1024.0;
  state.counters["reference_peak_MB"] = referenceKb / 1024.0;
  state.SetLabel("project " + bench_figures::MinMedianMax(project, "%.3f / %.3f / %.3f s") + ", reference " +
                 bench_figures::MinMedianMax(reference, "%.3f / %.3f / %.3f s"));
}

}  // namespace bench_child
