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

}  // namespace bench_figures
