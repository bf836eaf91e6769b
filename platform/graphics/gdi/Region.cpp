#include "platform/graphics/gdi/Region.h"

#include <algorithm>
#include <cmath>

namespace win::gdi {

bool RectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT RectIntersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (RectEmpty(r)) r = RECT{};
  return r;
}

RECT NormalizedRect(const RECT& r) {
  return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

Region::Region(const RECT& r) {
  RECT n = NormalizedRect(r);
  if (!RectEmpty(n)) FRects.push_back(n);
}

RECT Region::Box() const {
  if (FRects.empty()) return RECT{};
  RECT b = FRects[0];
  for (const RECT& r : FRects) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

int Region::Complexity() const {
  if (FRects.empty()) return NULLREGION;
  return FRects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::Contains(int x, int y) const {
  for (const RECT& r : FRects)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

bool Region::Intersects(const RECT& rc) const {
  RECT n = NormalizedRect(rc);
  for (const RECT& r : FRects)
    if (!RectEmpty(RectIntersect(r, n))) return true;
  return false;
}

void Region::Offset(int dx, int dy) {
  for (RECT& r : FRects) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

bool Region::operator==(const Region& o) const {
  // Canonical form: compare through a combine with an empty region.
  Region a = Combine(*this, Region(), RGN_OR), b = Combine(o, Region(), RGN_OR);
  if (a.FRects.size() != b.FRects.size()) return false;
  for (size_t i = 0; i < a.FRects.size(); ++i) {
    const RECT &p = a.FRects[i], &q = b.FRects[i];
    if (p.left != q.left || p.top != q.top || p.right != q.right || p.bottom != q.bottom) return false;
  }
  return true;
}

// Builds a region from a grid of cells: rows merged into horizontal runs, then equal runs
// of neighbouring bands merged vertically.
Region Region::FromCells(const std::vector<int>& xs, const std::vector<int>& ys,
                         const std::vector<unsigned char>& inside) {
  Region out;
  size_t nx = xs.size() - 1, ny = ys.size() - 1;
  std::vector<RECT> prevBand;
  size_t prevStart = 0;
  for (size_t j = 0; j < ny; ++j) {
    std::vector<RECT> band;
    for (size_t i = 0; i < nx;) {
      if (!inside[j * nx + i]) { ++i; continue; }
      size_t k = i;
      while (k < nx && inside[j * nx + k]) ++k;
      band.push_back(RECT{xs[i], ys[j], xs[k], ys[j + 1]});
      i = k;
    }
    bool same = !band.empty() && band.size() == prevBand.size() &&
                out.FRects.size() - prevStart == prevBand.size() &&
                (prevBand.empty() || prevBand[0].bottom == band[0].top);
    for (size_t i = 0; same && i < band.size(); ++i)
      same = band[i].left == prevBand[i].left && band[i].right == prevBand[i].right;
    if (same) {
      for (size_t i = 0; i < band.size(); ++i) out.FRects[prevStart + i].bottom = band[i].bottom;
      for (RECT& r : prevBand) r.bottom = band[0].bottom;
    } else {
      prevStart = out.FRects.size();
      for (const RECT& r : band) out.FRects.push_back(r);
      prevBand = band;
    }
  }
  return out;
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
  if (mode == RGN_COPY) return a;
  // Two rectangles at most, or one with nothing: no grid of cells needed.
  if (a.FRects.size() <= 1 && b.FRects.size() <= 1) {
    if (mode == RGN_AND) {
      Region r;
      if (!a.Empty() && !b.Empty()) {
        const RECT i = RectIntersect(a.FRects[0], b.FRects[0]);
        if (!RectEmpty(i)) r.FRects.push_back(i);
      }
      return r;
    }
    if (a.Empty() != b.Empty() && (mode == RGN_OR || mode == RGN_XOR)) return a.Empty() ? b : a;
    if (b.Empty() && mode == RGN_DIFF) return a;
  }
  std::vector<int> xs, ys;
  for (const Region* g : {&a, &b})
    for (const RECT& r : g->FRects) {
      xs.push_back(r.left);
      xs.push_back(r.right);
      ys.push_back(r.top);
      ys.push_back(r.bottom);
    }
  if (xs.empty()) return Region();
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  if (xs.size() < 2 || ys.size() < 2) return Region();
  size_t nx = xs.size() - 1, ny = ys.size() - 1;
  std::vector<unsigned char> ina(nx * ny, 0), inb(nx * ny, 0), inside(nx * ny, 0);
  auto mark = [&](const Region& g, std::vector<unsigned char>& cells) {
    for (const RECT& r : g.FRects) {
      size_t x0 = std::lower_bound(xs.begin(), xs.end(), r.left) - xs.begin();
      size_t x1 = std::lower_bound(xs.begin(), xs.end(), r.right) - xs.begin();
      size_t y0 = std::lower_bound(ys.begin(), ys.end(), r.top) - ys.begin();
      size_t y1 = std::lower_bound(ys.begin(), ys.end(), r.bottom) - ys.begin();
      for (size_t j = y0; j < y1; ++j)
        for (size_t i = x0; i < x1; ++i) cells[j * nx + i] = 1;
    }
  };
  mark(a, ina);
  mark(b, inb);
  for (size_t k = 0; k < inside.size(); ++k) {
    bool p = ina[k], q = inb[k];
    switch (mode) {
      case RGN_AND: inside[k] = p && q; break;
      case RGN_OR: inside[k] = p || q; break;
      case RGN_XOR: inside[k] = p != q; break;
      case RGN_DIFF: inside[k] = p && !q; break;
      default: inside[k] = p; break;
    }
  }
  return FromCells(xs, ys, inside);
}

Region Region::FromPolygon(const POINT* pts, int count, int fillMode) {
  Region out;
  if (!pts || count < 3) return out;
  int top = pts[0].y, bottom = pts[0].y;
  for (int i = 1; i < count; ++i) {
    top = std::min<int>(top, pts[i].y);
    bottom = std::max<int>(bottom, pts[i].y);
  }
  // Scan each pixel row at its centre; spans of the same shape on consecutive rows merge.
  for (int y = top; y < bottom; ++y) {
    double cy = y + 0.5;
    std::vector<std::pair<double, int>> hits;
    for (int i = 0; i < count; ++i) {
      POINT p = pts[i], q = pts[(i + 1) % count];
      if (p.y == q.y) continue;
      double y0 = p.y, y1 = q.y;
      if ((cy >= y0 && cy < y1) || (cy >= y1 && cy < y0)) {
        double x = p.x + (cy - y0) * (q.x - p.x) / (y1 - y0);
        hits.push_back({x, q.y > p.y ? 1 : -1});
      }
    }
    std::sort(hits.begin(), hits.end());
    std::vector<std::pair<int, int>> spans;
    int wind = 0;
    for (size_t k = 0; k + 1 < hits.size(); ++k) {
      wind += hits[k].second;
      bool inside = fillMode == WINDING ? wind != 0 : k % 2 == 0;
      if (!inside) continue;
      int x0 = int(std::lround(hits[k].first)), x1 = int(std::lround(hits[k + 1].first));
      if (x1 <= x0) continue;
      if (!spans.empty() && spans.back().second >= x0) spans.back().second = std::max(spans.back().second, x1);
      else spans.push_back({x0, x1});
    }
    for (auto& s : spans) {
      Region piece(RECT{s.first, y, s.second, y + 1});
      out = Combine(out, piece, RGN_OR);
    }
  }
  return out;
}

}  // namespace win::gdi
