#pragma once
// A region as a set of disjoint rectangles (device units).
#include <vector>

#include "platform/graphics/Gdi.h"

namespace win::gdi {

class Region {
public:
  Region() = default;
  explicit Region(const RECT& r);
  static Region FromPolygon(const POINT* pts, int count, int fillMode);

  bool Empty() const { return FRects.empty(); }
  const std::vector<RECT>& Rects() const { return FRects; }
  RECT Box() const;
  int Complexity() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  bool Contains(int x, int y) const;
  bool Intersects(const RECT& r) const;
  void Offset(int dx, int dy);
  bool operator==(const Region& o) const;

  static Region Combine(const Region& a, const Region& b, int mode);
  Region Intersect(const Region& o) const { return Combine(*this, o, RGN_AND); }
  Region Subtract(const Region& o) const { return Combine(*this, o, RGN_DIFF); }
  Region Unite(const Region& o) const { return Combine(*this, o, RGN_OR); }

private:
  std::vector<RECT> FRects;  // sorted by top, then left; disjoint
  static Region FromCells(const std::vector<int>& xs, const std::vector<int>& ys,
                          const std::vector<unsigned char>& inside);
};

bool RectEmpty(const RECT& r);
RECT RectIntersect(const RECT& a, const RECT& b);
RECT NormalizedRect(const RECT& r);

}  // namespace win::gdi
