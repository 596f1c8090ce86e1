// Regions as sorted band lists of rectangles, the region API and polygon rasterising.
#include "platform/win/GdiInternal.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace gdi {

namespace {

struct TBand {
  int Top, Bottom;
  std::size_t Begin, End;   // rectangle indexes
};

std::vector<TBand> BandsOf(const std::vector<RECT>& R) {
  std::vector<TBand> bands;
  for (std::size_t i = 0; i < R.size();) {
    std::size_t j = i;
    while (j < R.size() && R[j].top == R[i].top) ++j;
    bands.push_back({R[i].top, R[i].bottom, i, j});
    i = j;
  }
  return bands;
}

using TSpans = std::vector<std::pair<int, int>>;

void SpansOf(const std::vector<RECT>& R, const TBand& B, TSpans& AOut) {
  AOut.clear();
  for (std::size_t i = B.Begin; i < B.End; ++i) AOut.emplace_back(R[i].left, R[i].right);
}

bool OpResult(int AMode, bool A, bool B) {
  switch (AMode) {
    case RGN_AND: return A && B;
    case RGN_OR: return A || B;
    case RGN_XOR: return A != B;
    case RGN_DIFF: return A && !B;
    default: return A;
  }
}

// One-dimensional boolean operation on sorted, disjoint spans.
void CombineSpans(const TSpans& A, const TSpans& B, int AMode, TSpans& AOut) {
  AOut.clear();
  std::vector<int> xs;
  xs.reserve((A.size() + B.size()) * 2);
  for (auto& s : A) { xs.push_back(s.first); xs.push_back(s.second); }
  for (auto& s : B) { xs.push_back(s.first); xs.push_back(s.second); }
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  std::size_t ia = 0, ib = 0;
  for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
    int x = xs[k];
    while (ia < A.size() && A[ia].second <= x) ++ia;
    while (ib < B.size() && B[ib].second <= x) ++ib;
    bool inA = ia < A.size() && A[ia].first <= x;
    bool inB = ib < B.size() && B[ib].first <= x;
    if (!OpResult(AMode, inA, inB)) continue;
    if (!AOut.empty() && AOut.back().second == x) AOut.back().second = xs[k + 1];
    else AOut.emplace_back(x, xs[k + 1]);
  }
}

}  // namespace

TRgnSet::TRgnSet(const RECT& ARect) {
  if (ARect.left < ARect.right && ARect.top < ARect.bottom) FRects.push_back(ARect);
  UpdateBox();
}

void TRgnSet::UpdateBox() {
  if (FRects.empty()) { FBox = RECT{}; return; }
  RECT b{INT_MAX, FRects.front().top, INT_MIN, FRects.back().bottom};
  for (auto& r : FRects) { b.left = std::min(b.left, r.left); b.right = std::max(b.right, r.right); }
  FBox = b;
}

bool TRgnSet::Contains(int X, int Y) const {
  auto it = std::partition_point(FRects.begin(), FRects.end(), [Y](const RECT& r) { return r.bottom <= Y; });
  for (; it != FRects.end() && it->top <= Y; ++it)
    if (X >= it->left && X < it->right) return true;
  return false;
}

bool TRgnSet::Intersects(const RECT& R) const {
  if (R.left >= R.right || R.top >= R.bottom) return false;
  auto it = std::partition_point(FRects.begin(), FRects.end(), [&](const RECT& r) { return r.bottom <= R.top; });
  for (; it != FRects.end() && it->top < R.bottom; ++it)
    if (it->left < R.right && it->right > R.left) return true;
  return false;
}

void TRgnSet::Offset(int DX, int DY) {
  for (auto& r : FRects) { r.left += DX; r.right += DX; r.top += DY; r.bottom += DY; }
  UpdateBox();
}

bool TRgnSet::operator==(const TRgnSet& O) const { return FRects == O.FRects; }

TRgnSet TRgnSet::Combine(const TRgnSet& A, const TRgnSet& B, int AMode) {
  if (AMode == RGN_COPY) return A;
  // quick answers
  if (AMode == RGN_AND && (A.Empty() || B.Empty())) return TRgnSet();
  if ((AMode == RGN_OR || AMode == RGN_XOR) && B.Empty()) return A;
  if ((AMode == RGN_OR || AMode == RGN_XOR) && A.Empty()) return B;
  if (AMode == RGN_DIFF && (A.Empty() || B.Empty())) return A;
  if (AMode == RGN_AND && B.FRects.size() == 1) return A.Intersect(B.FRects[0]);
  if (AMode == RGN_AND && A.FRects.size() == 1) return B.Intersect(A.FRects[0]);

  auto ba = BandsOf(A.FRects), bb = BandsOf(B.FRects);
  TBuilder out;
  TSpans sa, sb, res;
  std::size_t ia = 0, ib = 0;
  int y = INT_MIN;
  while (ia < ba.size() || ib < bb.size()) {
    int ta = ia < ba.size() ? std::max(y, ba[ia].Top) : INT_MAX;
    int tb = ib < bb.size() ? std::max(y, bb[ib].Top) : INT_MAX;
    y = std::min(ta, tb);
    bool inA = ia < ba.size() && ba[ia].Top <= y;
    bool inB = ib < bb.size() && bb[ib].Top <= y;
    int next = INT_MAX;
    if (ia < ba.size()) next = std::min(next, inA ? ba[ia].Bottom : ba[ia].Top);
    if (ib < bb.size()) next = std::min(next, inB ? bb[ib].Bottom : bb[ib].Top);
    if (inA) SpansOf(A.FRects, ba[ia], sa); else sa.clear();
    if (inB) SpansOf(B.FRects, bb[ib], sb); else sb.clear();
    CombineSpans(sa, sb, AMode, res);
    out.AddRow(y, next, res);
    y = next;
    if (inA && ba[ia].Bottom <= y) ++ia;
    if (inB && bb[ib].Bottom <= y) ++ib;
  }
  return out.Finish();
}

TRgnSet TRgnSet::Intersect(const RECT& R) const {
  TBuilder out;
  if (R.left >= R.right || R.top >= R.bottom) return TRgnSet();
  auto bands = BandsOf(FRects);
  TSpans spans;
  for (auto& b : bands) {
    if (b.Bottom <= R.top || b.Top >= R.bottom) continue;
    spans.clear();
    for (std::size_t i = b.Begin; i < b.End; ++i) {
      int l = std::max<int>(FRects[i].left, R.left), r = std::min<int>(FRects[i].right, R.right);
      if (l < r) spans.emplace_back(l, r);
    }
    out.AddRow(std::max<int>(b.Top, R.top), std::min<int>(b.Bottom, R.bottom), spans);
  }
  return out.Finish();
}

void TRgnSet::TBuilder::AddRow(int Y0, int Y1, const std::vector<std::pair<int, int>>& ASpans) {
  if (ASpans.empty() || Y0 >= Y1) return;
  // merge with the previous band when it ends here and has the same spans
  if (!FRects.empty() && FRects[FLastBand].bottom == Y0 && FRects.size() - FLastBand == ASpans.size()) {
    bool same = true;
    for (std::size_t i = 0; i < ASpans.size() && same; ++i)
      same = FRects[FLastBand + i].left == ASpans[i].first && FRects[FLastBand + i].right == ASpans[i].second;
    if (same) {
      for (std::size_t i = FLastBand; i < FRects.size(); ++i) FRects[i].bottom = Y1;
      return;
    }
  }
  FLastBand = FRects.size();
  for (auto& s : ASpans) FRects.push_back(RECT{s.first, Y0, s.second, Y1});
}

TRgnSet TRgnSet::TBuilder::Finish() {
  TRgnSet r;
  r.FRects = std::move(FRects);
  FRects.clear();
  FLastBand = 0;
  r.UpdateBox();
  return r;
}

TRgnSet TRgnSet::FromSpans(std::vector<std::pair<int, std::pair<int, int>>>& S) {
  if (!std::is_sorted(S.begin(), S.end())) std::sort(S.begin(), S.end());
  TBuilder out;
  TSpans row;
  for (std::size_t i = 0; i < S.size();) {
    int y = S[i].first;
    row.clear();
    for (; i < S.size() && S[i].first == y; ++i) {
      auto sp = S[i].second;
      if (sp.first >= sp.second) continue;
      if (!row.empty() && sp.first <= row.back().second) row.back().second = std::max(row.back().second, sp.second);
      else row.push_back(sp);
    }
    out.AddRow(y, y + 1, row);
  }
  return out.Finish();
}

// ---- Polygons ----

TRgnSet FillPolygons(const std::vector<std::vector<TPointD>>& APolygons, int AFillMode, const RECT* ABand) {
  struct TEdge {
    double X0, Y0, X1, Y1;
    int Dir;
  };
  std::vector<TEdge> edges;
  double ymin = 1e300, ymax = -1e300;
  for (auto& poly : APolygons) {
    std::size_t n = poly.size();
    if (n < 3) continue;
    for (std::size_t i = 0; i < n; ++i) {
      TPointD a = poly[i], b = poly[(i + 1) % n];
      if (!std::isfinite(a.first) || !std::isfinite(a.second) || !std::isfinite(b.first) || !std::isfinite(b.second))
        return TRgnSet();
      if (a.second == b.second) continue;
      int dir = b.second > a.second ? 1 : -1;
      if (dir < 0) std::swap(a, b);
      edges.push_back({a.first, a.second, b.first, b.second, dir});
      ymin = std::min(ymin, a.second);
      ymax = std::max(ymax, b.second);
    }
  }
  if (edges.empty()) return TRgnSet();
  std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.Y0 < b.Y0; });
  const double limit = 1 << 28;
  ymin = std::max(ymin, -limit);
  ymax = std::min(ymax, limit);
  int row0 = static_cast<int>(std::floor(ymin - 0.5)), row1 = static_cast<int>(std::ceil(ymax));
  if (ABand) {
    row0 = std::max(row0, static_cast<int>(ABand->top));
    row1 = std::min(row1, static_cast<int>(ABand->bottom));
  }
  TRgnSet::TBuilder out;
  std::vector<std::size_t> active;
  std::vector<std::pair<double, int>> xs;
  TSpans spans;
  std::size_t next = 0;
  for (int row = row0; row <= row1; ++row) {
    double yc = row + 0.5;
    while (next < edges.size() && edges[next].Y0 <= yc) active.push_back(next++);
    xs.clear();
    std::size_t keep = 0;
    for (std::size_t k = 0; k < active.size(); ++k) {
      const TEdge& e = edges[active[k]];
      if (e.Y1 <= yc) continue;   // finished
      active[keep++] = active[k];
      if (e.Y0 > yc) continue;
      double x = e.X0 + (yc - e.Y0) * (e.X1 - e.X0) / (e.Y1 - e.Y0);
      xs.emplace_back(x, e.Dir);
    }
    active.resize(keep);
    if (xs.empty()) {
      if (next >= edges.size() && active.empty()) break;
      continue;
    }
    std::sort(xs.begin(), xs.end());
    spans.clear();
    auto addSpan = [&](double xa, double xb) {
      xa = std::clamp(xa, -limit, limit);
      xb = std::clamp(xb, -limit, limit);
      int p0 = static_cast<int>(std::ceil(xa - 0.5 - 1e-7)), p1 = static_cast<int>(std::ceil(xb - 0.5 - 1e-7));
      if (p0 >= p1) return;
      if (!spans.empty() && p0 <= spans.back().second) spans.back().second = std::max(spans.back().second, p1);
      else spans.emplace_back(p0, p1);
    };
    if (AFillMode == WINDING) {
      int wind = 0;
      double start = 0;
      for (auto& [x, d] : xs) {
        int before = wind;
        wind += d;
        if (before == 0 && wind != 0) start = x;
        else if (before != 0 && wind == 0) addSpan(start, x);
      }
    } else {
      for (std::size_t k = 0; k + 1 < xs.size(); k += 2) addSpan(xs[k].first, xs[k + 1].first);
    }
    out.AddRow(row, row + 1, spans);
  }
  return out.Finish();
}

void EllipsePoints(double CX, double CY, double RX, double RY, double A0, double ASweep, bool AStartIncluded,
                   std::vector<TPointD>& AOut) {
  double r = std::max({RX, RY, 0.5});
  int n = static_cast<int>(std::ceil(std::fabs(ASweep) * r / 1.0));
  n = std::clamp(n, 4, 20000);
  for (int i = AStartIncluded ? 0 : 1; i <= n; ++i) {
    double a = A0 + ASweep * i / n;
    AOut.emplace_back(CX + RX * std::cos(a), CY - RY * std::sin(a));
  }
}

namespace {

std::vector<TPointD> RoundRectPolygon(double L, double T, double R, double B, double W, double H) {
  double rx = std::min(std::fabs(W), R - L) / 2, ry = std::min(std::fabs(H), B - T) / 2;
  std::vector<TPointD> pts;
  const double q = M_PI / 2;
  EllipsePoints(R - rx, T + ry, rx, ry, 0, q, true, pts);
  EllipsePoints(L + rx, T + ry, rx, ry, q, q, true, pts);
  EllipsePoints(L + rx, B - ry, rx, ry, 2 * q, q, true, pts);
  EllipsePoints(R - rx, B - ry, rx, ry, 3 * q, q, true, pts);
  return pts;
}

HRGN PolygonsRgn(const std::vector<std::vector<TPointD>>& P, int AMode) {
  return NewRegion(FillPolygons(P, AMode == WINDING ? WINDING : ALTERNATE));
}

}  // namespace

std::vector<TPointD> RoundRectOutline(double L, double T, double R, double B, double W, double H) {
  return RoundRectPolygon(L, T, R, B, W, H);
}

}  // namespace gdi

using namespace gdi;

// ---- Region API ----

HRGN CreateRectRgn(int ALeft, int ATop, int ARight, int ABottom) {
  RECT r{std::min(ALeft, ARight), std::min(ATop, ABottom), std::max(ALeft, ARight), std::max(ATop, ABottom)};
  return NewRegion(TRgnSet(r));
}

HRGN CreateRectRgnIndirect(const RECT* R) {
  return R ? CreateRectRgn(R->left, R->top, R->right, R->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight) {
  if (ALeft > ARight) std::swap(ALeft, ARight);
  if (ATop > ABottom) std::swap(ATop, ABottom);
  if (AWidth == 0 || AHeight == 0) return CreateRectRgn(ALeft, ATop, ARight, ABottom);
  return PolygonsRgn({RoundRectPolygon(ALeft, ATop, ARight, ABottom, AWidth, AHeight)}, WINDING);
}

HRGN CreateEllipticRgn(int ALeft, int ATop, int ARight, int ABottom) {
  if (ALeft > ARight) std::swap(ALeft, ARight);
  if (ATop > ABottom) std::swap(ATop, ABottom);
  std::vector<TPointD> pts;
  EllipsePoints((ALeft + ARight) / 2.0, (ATop + ABottom) / 2.0, (ARight - ALeft) / 2.0, (ABottom - ATop) / 2.0, 0,
                2 * M_PI, false, pts);
  return PolygonsRgn({pts}, WINDING);
}

HRGN CreateEllipticRgnIndirect(const RECT* R) {
  return R ? CreateEllipticRgn(R->left, R->top, R->right, R->bottom) : nullptr;
}

HRGN CreatePolyPolygonRgn(const POINT* APoints, const int* ACounts, int APolygons, int AFillMode) {
  if (!APoints || !ACounts || APolygons <= 0) return nullptr;
  std::vector<std::vector<TPointD>> polys;
  const POINT* p = APoints;
  for (int i = 0; i < APolygons; ++i) {
    if (ACounts[i] < 0) return nullptr;
    std::vector<TPointD> poly;
    for (int k = 0; k < ACounts[i]; ++k) poly.emplace_back(p[k].x, p[k].y);
    p += ACounts[i];
    polys.push_back(std::move(poly));
  }
  return PolygonsRgn(polys, AFillMode);
}

HRGN CreatePolygonRgn(const POINT* APoints, int ACount, int AFillMode) {
  return CreatePolyPolygonRgn(APoints, &ACount, 1, AFillMode);
}

HRGN ExtCreateRegion(const void*, DWORD ACount, const RGNDATA* AData) {
  if (!AData || ACount < sizeof(RGNDATAHEADER)) return nullptr;
  const RGNDATAHEADER& h = AData->rdh;
  if (h.iType != RDH_RECTANGLES || sizeof(RGNDATAHEADER) + static_cast<std::size_t>(h.nCount) * sizeof(RECT) > ACount)
    return nullptr;
  TRgnSet set;
  for (DWORD i = 0; i < h.nCount; ++i) {
    RECT r;
    std::memcpy(&r, AData->Buffer + i * sizeof(RECT), sizeof(RECT));
    set = TRgnSet::Combine(set, TRgnSet(r), RGN_OR);
  }
  return NewRegion(std::move(set));
}

int CombineRgn(HRGN ADest, HRGN ASrc1, HRGN ASrc2, int AMode) {
  std::lock_guard lock(Lock());
  TRegionObj* d = RegionOf(ADest);
  TRegionObj* a = RegionOf(ASrc1);
  if (!d || !a || AMode < RGN_AND || AMode > RGN_COPY) return ERROR;
  if (AMode == RGN_COPY) {
    d->Set = a->Set;
  } else {
    TRegionObj* b = RegionOf(ASrc2);
    if (!b) return ERROR;
    d->Set = TRgnSet::Combine(a->Set, b->Set, AMode);
  }
  return d->Set.Complexity();
}

int OffsetRgn(HRGN ARgn, int DX, int DY) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r) return ERROR;
  r->Set.Offset(DX, DY);
  return r->Set.Complexity();
}

BOOL PtInRegion(HRGN ARgn, int X, int Y) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  return r && r->Set.Contains(X, Y);
}

BOOL RectInRegion(HRGN ARgn, const RECT* ARect) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r || !ARect) return FALSE;
  RECT n{std::min(ARect->left, ARect->right), std::min(ARect->top, ARect->bottom),
         std::max(ARect->left, ARect->right), std::max(ARect->top, ARect->bottom)};
  return r->Set.Intersects(n);
}

BOOL EqualRgn(HRGN A, HRGN B) {
  std::lock_guard lock(Lock());
  TRegionObj* a = RegionOf(A);
  TRegionObj* b = RegionOf(B);
  return a && b && a->Set == b->Set;
}

int GetRgnBox(HRGN ARgn, RECT* ARect) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r || !ARect) return ERROR;
  *ARect = r->Set.Box();
  return r->Set.Complexity();
}

DWORD GetRegionData(HRGN ARgn, DWORD ACount, RGNDATA* AData) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r) return 0;
  const auto& rects = r->Set.Rects();
  DWORD need = static_cast<DWORD>(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  if (!AData) return need;
  if (ACount < need) return 0;
  AData->rdh.dwSize = sizeof(RGNDATAHEADER);
  AData->rdh.iType = RDH_RECTANGLES;
  AData->rdh.nCount = static_cast<DWORD>(rects.size());
  AData->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  AData->rdh.rcBound = r->Set.Box();
  if (!rects.empty()) std::memcpy(AData->Buffer, rects.data(), rects.size() * sizeof(RECT));
  return need;
}

BOOL SetRectRgn(HRGN ARgn, int ALeft, int ATop, int ARight, int ABottom) {
  std::lock_guard lock(Lock());
  TRegionObj* r = RegionOf(ARgn);
  if (!r) return FALSE;
  r->Set = TRgnSet(RECT{std::min(ALeft, ARight), std::min(ATop, ABottom), std::max(ALeft, ARight),
                        std::max(ATop, ABottom)});
  return TRUE;
}
