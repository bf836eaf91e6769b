#pragma once
// Figures of repeated runs as the benchmarks print them.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench_figures {

// The smallest, the median and the largest of values, through a format with three
// conversions ("%.1f / %.1f / %.1f ms"); empty for no values.
inline std::string MinMedianMax(std::vector<double> values, const char* format) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  char buf[128];
  std::snprintf(buf, sizeof buf, format, values.front(), values[values.size() / 2], values.back());
  return buf;
}

// The times of two sides compared over runs: each side's and the ratio (ours over the
// reference's), as a label of their smallest, median and largest values.
struct TComparison {
  std::vector<double> OursMs, ReferenceMs, Ratios;
  void Add(double OurSeconds, double ReferenceSeconds) {
    OursMs.push_back(OurSeconds * 1000);
    ReferenceMs.push_back(ReferenceSeconds * 1000);
    Ratios.push_back(OurSeconds / ReferenceSeconds);
  }
  std::string Label(const std::string& Ours, const std::string& Reference, const char* Goal) const {
    return Ours + " " + MinMedianMax(OursMs, "%.2f/%.2f/%.2f ms") + ", " + Reference + " " +
           MinMedianMax(ReferenceMs, "%.2f/%.2f/%.2f ms") + ", ratio " + MinMedianMax(Ratios, "%.2f/%.2f/%.2f") +
           " (goal " + Goal + ")";
  }
};

}  // namespace bench_figures
