#pragma once
// Placing aligned children inside a parent's client rectangle: top, bottom, left
// and right edges are taken in that order, each in the order of the children's
// positions, and the client-aligned children fill what is left.
#include <algorithm>
#include <vector>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

struct TAlignBox {
  TAlign Align = alNone;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Order = 0;  // creation order: breaks ties between equal positions
};

// Rearranges the boxes (all visible) within the rectangle; alNone and alCustom
// boxes are left as they are. The rectangle left over is returned in l, t, r, b.
inline void ArrangeAlignedBoxes(std::vector<TAlignBox*>& boxes, int& l, int& t, int& r, int& b) {
  auto sortKey = [](TAlign a, const TAlignBox* x) {
    switch (a) {
      case alTop: return x->Top;
      case alBottom: return -(x->Top + x->Height);
      case alLeft: return x->Left;
      case alRight: return -(x->Left + x->Width);
      default: return 0;
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TAlignBox*> list;
    for (TAlignBox* x : boxes)
      if (x->Align == a) list.push_back(x);
    std::stable_sort(list.begin(), list.end(), [&](const TAlignBox* p, const TAlignBox* q) {
      int kp = sortKey(a, p), kq = sortKey(a, q);
      return kp != kq ? kp < kq : p->Order < q->Order;
    });
    for (TAlignBox* x : list) {
      int w = std::max(r - l, 0), h = std::max(b - t, 0);
      switch (a) {
        case alTop:
          x->Left = l; x->Top = t; x->Width = w;
          t += x->Height;
          break;
        case alBottom:
          x->Left = l; x->Top = b - x->Height; x->Width = w;
          b -= x->Height;
          break;
        case alLeft:
          x->Left = l; x->Top = t; x->Height = h;
          l += x->Width;
          break;
        case alRight:
          x->Left = r - x->Width; x->Top = t; x->Height = h;
          r -= x->Width;
          break;
        default:
          x->Left = l; x->Top = t; x->Width = w; x->Height = h;
          break;
      }
    }
  }
}
