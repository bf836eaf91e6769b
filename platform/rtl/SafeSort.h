#pragma once
// A stable merge sort that stays within bounds even when the comparison is inconsistent
// (user-supplied compare routines are not trusted to be a strict ordering).
#include <algorithm>
#include <vector>

template <class T, class Less>
void SafeStableSort(std::vector<T>& v, Less less) {
  std::size_t n = v.size();
  if (n < 2) return;
  std::vector<T> tmp(n);
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      std::size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      std::size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) tmp[k++] = less(v[j], v[i]) ? v[j++] : v[i++];
      while (i < mid) tmp[k++] = v[i++];
      while (j < hi) tmp[k++] = v[j++];
    }
    v.swap(tmp);
  }
}
