// Painting pixel sets with raster operations, brushes and pens; line pixels and pen outlines.
#include "platform/win/GdiInternal.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gdi {

std::uint32_t Rop2Pixel(std::uint32_t ADest, std::uint32_t APen, int ARop2) {
  std::uint32_t p = APen & 0xFFFFFF, d = ADest & 0xFFFFFF, r = 0;
  unsigned t = static_cast<unsigned>(ARop2 - 1) & 15;
  if (t & 1) r |= ~p & ~d;
  if (t & 2) r |= ~p & d;
  if (t & 4) r |= p & ~d;
  if (t & 8) r |= p & d;
  return 0xFF000000u | (r & 0xFFFFFF);
}

std::uint32_t Rop3Pixel(std::uint32_t ADest, std::uint32_t ASrc, std::uint32_t APat, std::uint8_t ARop) {
  std::uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((ARop >> i) & 1)) continue;
    std::uint32_t term = ((i & 4) ? APat : ~APat) & ((i & 2) ? ASrc : ~ASrc) & ((i & 1) ? ADest : ~ADest);
    r |= term;
  }
  return 0xFF000000u | (r & 0xFFFFFF);
}

namespace {

bool HatchBit(int AHatch, int X, int Y) {
  bool h = Y == 7, v = X == 7, f = X == Y, b = X + Y == 7;
  switch (AHatch) {
    case HS_HORIZONTAL: return h;
    case HS_VERTICAL: return v;
    case HS_FDIAGONAL: return f;
    case HS_BDIAGONAL: return b;
    case HS_CROSS: return h || v;
    case HS_DIAGCROSS: return f || b;
    default: return false;
  }
}

int Mod(int A, int B) {
  int m = A % B;
  return m < 0 ? m + B : m;
}

// The source pixel of a paint at a surface position; false where it leaves the pixel alone.
bool SourceAt(const TPaint& P, int X, int Y, std::uint32_t& AOut) {
  const TBrush* b = P.Brush;
  if (!b) {
    AOut = P.Color;
    return true;
  }
  if (b->Style == BS_HATCHED) {
    int hx = Mod(X - P.Origin.x, 8), hy = Mod(Y - P.Origin.y, 8);
    if (HatchBit(b->Hatch, hx, hy)) {
      AOut = ColorRefToPixel(b->Color);
      return true;
    }
    if (!P.Opaque) return false;
    AOut = ColorRefToPixel(P.BkColor);
    return true;
  }
  int px = Mod(X - P.Origin.x, b->PatternWidth), py = Mod(Y - P.Origin.y, b->PatternHeight);
  std::uint32_t s = b->Pattern[static_cast<std::size_t>(py) * b->PatternWidth + px];
  if (b->Monochrome) s = ColorRefToPixel((s & 0xFFFFFF) ? P.BkColor : P.TextColor);
  AOut = s;
  return true;
}

}  // namespace

bool PaintSourceAt(const TPaint& P, int X, int Y, std::uint32_t& AOut) { return SourceAt(P, X, Y, AOut); }

TPaint SolidPaint(std::uint32_t APixel, int ARop2) {
  TPaint p;
  p.Color = APixel;
  p.Rop2 = ARop2;
  return p;
}

TPaint BrushPaint(HDC__* D, HGDIOBJ ABrush, POINT ASurfOrigin) {
  TPaint p;
  p.Rop2 = D->S.Rop2;
  TBrush* b = BrushOf(ABrush);
  if (!b || b->Style == BS_NULL) {
    p.None = true;
    return p;
  }
  if (b->DCBrush) {
    p.Color = ColorRefToPixel(D->S.DCBrushColor);
    return p;
  }
  if (b->Style == BS_SOLID) {
    p.Color = ColorRefToPixel(b->Color);
    return p;
  }
  if (b->Style == BS_PATTERN && (b->PatternWidth <= 0 || b->PatternHeight <= 0)) {
    p.None = true;
    return p;
  }
  p.Brush = b;
  p.TextColor = D->S.TextColor;
  p.BkColor = D->S.BkColor;
  p.Opaque = D->S.BkMode == OPAQUE;
  p.Origin = ASurfOrigin;
  return p;
}

void PaintSet(TSurface& S, const TRgnSet& ASet, const TPaint& P) {
  if (P.None || ASet.Empty() || S.Empty()) return;
  S.Pixels();
  const bool solid = !P.Brush;
  for (const RECT& r0 : ASet.Rects()) {
    int x0 = std::max<int>(0, r0.left), x1 = std::min<int>(S.Width(), r0.right);
    int y0 = std::max<int>(0, r0.top), y1 = std::min<int>(S.Height(), r0.bottom);
    if (x0 >= x1) continue;
    for (int y = y0; y < y1; ++y) {
      std::uint32_t* row = S.Row(y);
      if (solid && P.Rop2 == R2_COPYPEN) {
        std::fill(row + x0, row + x1, P.Color);
        continue;
      }
      for (int x = x0; x < x1; ++x) {
        std::uint32_t src;
        if (!SourceAt(P, x, y, src)) continue;
        row[x] = P.Rop2 == R2_COPYPEN ? (src | 0xFF000000u) : Rop2Pixel(row[x], src, P.Rop2);
      }
    }
  }
  S.MarkDirty();
}

void LinePixels(POINT A, POINT B, std::vector<POINT>& AOut) {
  long long dx = static_cast<long long>(B.x) - A.x, dy = static_cast<long long>(B.y) - A.y;
  long long n = std::max(std::llabs(dx), std::llabs(dy));
  if (n > (1 << 24)) n = 1 << 24;   // absurd lengths are cut; clipping removes the rest anyway
  if (n <= 0) return;
  // The nearest pixel on the ideal line, halves rounded away from the start: step i lies
  // (2 i |d| + n) div 2n pixels from the start along each axis, carried from step to step.
  struct TAxis {
    long long Step, Sign, Quotient = 0, Remainder;
  };
  const long long twoN = 2 * n;
  TAxis ax{2 * std::llabs(dx), dx >= 0 ? 1 : -1, 0, n}, ay{2 * std::llabs(dy), dy >= 0 ? 1 : -1, 0, n};
  auto advance = [twoN](TAxis& A) {
    A.Remainder += A.Step;   // Step <= 2n: one carry at most
    if (A.Remainder >= twoN) {
      A.Remainder -= twoN;
      ++A.Quotient;
    }
  };
  for (long long i = 0; i < n; ++i) {
    AOut.push_back(POINT{static_cast<LONG>(A.x + ax.Sign * ax.Quotient), static_cast<LONG>(A.y + ay.Sign * ay.Quotient)});
    advance(ax);
    advance(ay);
  }
}

namespace {

// Segments longer than this (in pixels) are walked only near the band they are drawn in.
constexpr long long LongSegment = 1 << 16;

// Narrows [AT0, AT1] of the segment A-B to the part inside ABand widened by two pixels.
void ClipSegment(POINT A, POINT B, const RECT& ABand, double& AT0, double& AT1) {
  const double dx = static_cast<double>(B.x) - A.x, dy = static_cast<double>(B.y) - A.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {A.x - (ABand.left - 2.0), (ABand.right + 2.0) - A.x, A.y - (ABand.top - 2.0),
                       (ABand.bottom + 2.0) - A.y};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) AT1 = AT0;   // parallel and outside
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0) AT0 = std::max(AT0, t);
    else AT1 = std::min(AT1, t);
  }
  if (AT1 < AT0) AT1 = AT0;
}

POINT PointAt(POINT A, POINT B, double T) {
  return POINT{static_cast<LONG>(std::lround(A.x + (static_cast<double>(B.x) - A.x) * T)),
               static_cast<LONG>(std::lround(A.y + (static_cast<double>(B.y) - A.y) * T))};
}

}  // namespace

TPenInfo PenInfoOf(HDC__* D) {
  TPenInfo info;
  TPen* p = PenOf(D->S.Pen);
  if (!p || p->BaseStyle() == PS_NULL) {
    info.Null = true;
    return info;
  }
  info.Color = ColorRefToPixel(IsDCPen(D->S.Pen) ? D->S.DCPenColor : p->Color);
  info.Style = p->BaseStyle();
  bool cosmetic = p->Extended && (p->Style & PS_TYPE_MASK) == PS_COSMETIC;
  int width = cosmetic || p->Width <= 1 ? 1 : std::max(1, LogLengthToDevX(D, p->Width));
  if (!cosmetic && p->Width > 1 && width < 1) width = 1;
  info.Width = width;
  info.Wide = width > 1;
  if (p->Extended && !cosmetic) {
    info.EndCap = p->Style & PS_ENDCAP_MASK;
    info.Join = p->Style & PS_JOIN_MASK;
  }
  info.InsideFrame = info.Style == PS_INSIDEFRAME;
  if (info.Style == PS_INSIDEFRAME) info.Style = PS_SOLID;
  if (info.Wide && info.Style != PS_SOLID) info.Style = PS_SOLID;   // styles apply to one-pixel pens only
  return info;
}

namespace {

const std::vector<int>& StylePattern(UINT AStyle) {
  static const std::vector<int> dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3},
      alternate{1, 1}, solid{};
  switch (AStyle) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    case PS_ALTERNATE: return alternate;
    default: return solid;
  }
}

void AddPixel(std::vector<std::pair<int, std::pair<int, int>>>& AOut, const POINT& P) {
  // A pixel right after the last one on its row lengthens that span.
  if (!AOut.empty() && AOut.back().first == P.y && AOut.back().second.second == P.x) {
    ++AOut.back().second.second;
    return;
  }
  AOut.push_back({P.y, {P.x, P.x + 1}});
}

double SignedArea(const std::vector<TPointD>& P) {
  double a = 0;
  for (std::size_t i = 0; i < P.size(); ++i) {
    const auto& p = P[i];
    const auto& q = P[(i + 1) % P.size()];
    a += p.first * q.second - q.first * p.second;
  }
  return a / 2;
}

void AddPositive(std::vector<std::vector<TPointD>>& AOut, std::vector<TPointD> P) {
  if (P.size() < 3) return;
  if (SignedArea(P) < 0) std::reverse(P.begin(), P.end());
  AOut.push_back(std::move(P));
}

void AddDisc(std::vector<std::vector<TPointD>>& AOut, double X, double Y, double R) {
  std::vector<TPointD> c;
  EllipsePoints(X, Y, R, R, 0, 2 * M_PI, false, c);
  AddPositive(AOut, std::move(c));
}

TRgnSet WideStroke(const TPenInfo& APen, const std::vector<std::vector<TPointD>>& AFigures,
                   const std::vector<bool>& AClosed, const RECT* ABand) {
  double hw = APen.Width / 2.0;
  std::vector<std::vector<TPointD>> polys;
  for (std::size_t f = 0; f < AFigures.size(); ++f) {
    std::vector<TPointD> pts;
    for (auto& p : AFigures[f]) {
      TPointD q{p.first + 0.5, p.second + 0.5};
      if (pts.empty() || pts.back() != q) pts.push_back(q);
    }
    bool closed = f < AClosed.size() && AClosed[f];
    if (closed && pts.size() > 1 && pts.front() == pts.back()) pts.pop_back();
    if (pts.empty()) continue;
    if (pts.size() == 1) {
      if (APen.EndCap == PS_ENDCAP_ROUND) AddDisc(polys, pts[0].first, pts[0].second, hw);
      else if (APen.EndCap == PS_ENDCAP_SQUARE)
        AddPositive(polys, {{pts[0].first - hw, pts[0].second - hw}, {pts[0].first + hw, pts[0].second - hw},
                            {pts[0].first + hw, pts[0].second + hw}, {pts[0].first - hw, pts[0].second + hw}});
      continue;
    }
    std::size_t n = pts.size(), segs = closed ? n : n - 1;
    for (std::size_t i = 0; i < segs; ++i) {
      TPointD a = pts[i], b = pts[(i + 1) % n];
      double dx = b.first - a.first, dy = b.second - a.second, len = std::hypot(dx, dy);
      if (len == 0) continue;
      double ux = dx / len, uy = dy / len, nx = -uy * hw, ny = ux * hw;
      bool squareStart = !closed && i == 0 && APen.EndCap == PS_ENDCAP_SQUARE;
      bool squareEnd = !closed && i + 1 == segs && APen.EndCap == PS_ENDCAP_SQUARE;
      if (squareStart) { a.first -= ux * hw; a.second -= uy * hw; }
      if (squareEnd) { b.first += ux * hw; b.second += uy * hw; }
      AddPositive(polys, {{a.first + nx, a.second + ny}, {b.first + nx, b.second + ny},
                          {b.first - nx, b.second - ny}, {a.first - nx, a.second - ny}});
    }
    // joins and round caps
    for (std::size_t i = 0; i < n; ++i) {
      bool end = !closed && (i == 0 || i + 1 == n);
      if (end ? APen.EndCap == PS_ENDCAP_ROUND : true) {
        if (end || APen.Join == PS_JOIN_ROUND) AddDisc(polys, pts[i].first, pts[i].second, hw);
        else {
          // bevel (and, simplified, miter) joins: the triangle between the two segment edges
          TPointD p = pts[i], a = pts[(i + n - 1) % n], b = pts[(i + 1) % n];
          auto normal = [&](TPointD s, TPointD t) {
            double dx = t.first - s.first, dy = t.second - s.second, len = std::hypot(dx, dy);
            return len == 0 ? TPointD{0, 0} : TPointD{-dy / len * hw, dx / len * hw};
          };
          TPointD n1 = normal(a, p), n2 = normal(p, b);
          AddPositive(polys, {p, {p.first + n1.first, p.second + n1.second}, {p.first + n2.first, p.second + n2.second}});
          AddPositive(polys, {p, {p.first - n1.first, p.second - n1.second}, {p.first - n2.first, p.second - n2.second}});
        }
      }
    }
  }
  return FillPolygons(polys, WINDING, ABand);
}

}  // namespace

TPenPixels StrokePixels(const TPenInfo& APen, const std::vector<std::vector<TPointD>>& AFigures,
                        const std::vector<bool>& AClosed, const RECT* ABand) {
  TPenPixels out;
  if (APen.Null) return out;
  if (APen.Wide) {
    out.Fore = WideStroke(APen, AFigures, AClosed, ABand);
    return out;
  }
  std::vector<std::pair<int, std::pair<int, int>>> fore, gaps;
  const std::vector<int>& pattern = StylePattern(APen.Style);
  std::vector<POINT> pixels;
  for (std::size_t f = 0; f < AFigures.size(); ++f) {
    std::vector<POINT> pts;
    for (auto& p : AFigures[f]) {
      POINT q{static_cast<LONG>(std::lround(std::clamp(p.first, -1e9, 1e9))),
              static_cast<LONG>(std::lround(std::clamp(p.second, -1e9, 1e9)))};
      if (pts.empty() || !(pts.back() == q)) pts.push_back(q);
    }
    bool closed = f < AClosed.size() && AClosed[f];
    if (closed && pts.size() > 1 && pts.front() == pts.back()) pts.pop_back();
    std::size_t index = 0, run = 0;
    // The next pixel of the line in the pen's pattern; outside the band it is counted only.
    auto put = [&](const POINT& p) {
      const bool inBand = !ABand || (p.x >= ABand->left - 1 && p.x <= ABand->right && p.y >= ABand->top - 1 &&
                                     p.y <= ABand->bottom);
      if (pattern.empty()) {
        if (inBand) AddPixel(fore, p);
        return;
      }
      if (inBand) AddPixel(index % 2 == 0 ? fore : gaps, p);
      if (++run >= static_cast<std::size_t>(pattern[index])) {
        run = 0;
        index = (index + 1) % pattern.size();
      }
    };
    // ACount pixels of the pattern passed over at once.
    auto skip = [&](long long ACount) {
      if (pattern.empty()) return;
      long long total = 0;
      for (int step : pattern) total += step;
      for (long long left = ACount % total; left > 0;) {
        const long long step = std::min<long long>(left, pattern[index] - static_cast<long long>(run));
        run += static_cast<std::size_t>(step);
        left -= step;
        if (run >= static_cast<std::size_t>(pattern[index])) {
          run = 0;
          index = (index + 1) % pattern.size();
        }
      }
    };
    if (pts.size() == 1 && closed) put(pts[0]);
    std::size_t segs = pts.size() < 2 ? 0 : closed ? pts.size() : pts.size() - 1;
    for (std::size_t i = 0; i < segs; ++i) {
      const POINT a = pts[i], b = pts[(i + 1) % pts.size()];
      // A segment wholly beside the band only moves the pattern on.
      if (ABand && (std::max(a.x, b.x) < ABand->left - 1 || std::min(a.x, b.x) > ABand->right ||
                    std::max(a.y, b.y) < ABand->top - 1 || std::min(a.y, b.y) > ABand->bottom)) {
        skip(std::max(std::llabs(static_cast<long long>(b.x) - a.x), std::llabs(static_cast<long long>(b.y) - a.y)));
        continue;
      }
      pixels.clear();
      const long long length = std::max(std::llabs(static_cast<long long>(b.x) - a.x),
                                        std::llabs(static_cast<long long>(b.y) - a.y));
      if (ABand && length > LongSegment) {
        // A very long segment through the band: only its part near the band is walked.
        double t0 = 0, t1 = 1;
        ClipSegment(a, b, *ABand, t0, t1);
        const long long before = static_cast<long long>(std::floor(t0 * length));
        const long long after = static_cast<long long>(std::ceil(t1 * length));
        skip(before);
        LinePixels(PointAt(a, b, t0), PointAt(a, b, t1), pixels);
        for (const POINT& p : pixels) put(p);
        skip(length - after);
        continue;
      }
      LinePixels(a, b, pixels);
      for (const POINT& p : pixels) put(p);
    }
  }
  out.Fore = TRgnSet::FromSpans(fore);
  out.Gaps = TRgnSet::Combine(TRgnSet::FromSpans(gaps), out.Fore, RGN_DIFF);
  return out;
}

void PaintPen(HDC__* D, TSurface& S, const TPenPixels& APixels, const TPenInfo& APen, const TRgnSet& AClip) {
  if (APen.Null) return;
  PaintSet(S, TRgnSet::Combine(APixels.Fore, AClip, RGN_AND), SolidPaint(APen.Color, D->S.Rop2));
  if (!APixels.Gaps.Empty() && D->S.BkMode == OPAQUE)
    PaintSet(S, TRgnSet::Combine(APixels.Gaps, AClip, RGN_AND), SolidPaint(ColorRefToPixel(D->S.BkColor), D->S.Rop2));
}

}  // namespace gdi
