// The sizes and offsets of a grid's columns or rows.
//
// While every size is the default, offsets are a product. Once one size differs, the sizes live in
// an array with a Fenwick tree over them (negative sizes count as 0), so a prefix sum costs
// O(log n); the grid lines are added by formula (one line width after each fixed cell, another
// after each scrolling one). Changing the count or the default rebuilds the tree in O(n).
#include <algorithm>

#include "platform/ui/Grids.h"

namespace grids {

void TGridAxis::SetCount(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FCount) return;
  FCount = Value;
  if (!FSizes.empty()) {
    FSizes.resize(static_cast<std::size_t>(FCount), FDefault);
    Rebuild();
  }
}

void TGridAxis::SetDefaultSize(Integer Value) {
  FDefault = Value;
  FSizes.clear();
  FSizes.shrink_to_fit();
  FTree.clear();
  FTree.shrink_to_fit();
}

Integer TGridAxis::Size(Integer Index) const {
  if (Index < 0 || Index >= FCount || FSizes.empty()) return FDefault;
  return FSizes[static_cast<std::size_t>(Index)];
}

void TGridAxis::SetSize(Integer Index, Integer Value) {
  if (Index < 0 || Index >= FCount) return;
  if (FSizes.empty()) {
    if (Value == FDefault) return;
    FSizes.assign(static_cast<std::size_t>(FCount), FDefault);
    FSizes[static_cast<std::size_t>(Index)] = Value;
    Rebuild();
    return;
  }
  Int64 delta = std::max(Value, 0) - std::max(FSizes[static_cast<std::size_t>(Index)], 0);
  FSizes[static_cast<std::size_t>(Index)] = Value;
  for (std::size_t i = static_cast<std::size_t>(Index) + 1; i < FTree.size(); i += i & (~i + 1)) FTree[i] += delta;
}

void TGridAxis::SetLines(Integer Fixed, Integer FixedLine, Integer Line) {
  FFixed = std::max(Fixed, 0);
  FFixedLine = std::max(FixedLine, 0);
  FLine = std::max(Line, 0);
}

void TGridAxis::Rebuild() {
  FTree.assign(FSizes.size() + 1, 0);
  for (std::size_t i = 1; i < FTree.size(); ++i) {
    FTree[i] += std::max(FSizes[i - 1], 0);
    std::size_t parent = i + (i & (~i + 1));
    if (parent < FTree.size()) FTree[parent] += FTree[i];
  }
}

Int64 TGridAxis::SizeSum(Integer N) const {
  N = std::clamp(N, 0, FCount);
  if (FSizes.empty()) return static_cast<Int64>(N) * std::max(FDefault, 0);
  Int64 sum = 0;
  for (auto i = static_cast<std::size_t>(N); i > 0; i -= i & (~i + 1)) sum += FTree[i];
  return sum;
}

Int64 TGridAxis::Offset(Integer N) const {
  if (N <= 0) return 0;
  Integer fixed = std::min(N, FFixed);
  Integer scrolling = std::max(0, N - FFixed);
  Int64 lines = static_cast<Int64>(fixed) * FFixedLine + static_cast<Int64>(scrolling) * FLine;
  if (N > FCount) {
    // Past the last cell: default-sized cells, as a grid that grows would have them.
    Int64 extra = static_cast<Int64>(N - FCount) * std::max(FDefault, 0);
    return SizeSum(FCount) + extra + lines;
  }
  return SizeSum(N) + lines;
}

Integer TGridAxis::CellAt(Int64 Pixel) const {
  if (Pixel < 0) return -1;
  if (Pixel >= Offset(FCount)) return FCount;
  // The largest n with Offset(n) <= Pixel: Offset grows with n.
  Integer lo = 0, hi = FCount - 1;
  while (lo < hi) {
    Integer mid = lo + (hi - lo + 1) / 2;
    if (Offset(mid) <= Pixel)
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo;
}

Integer TGridAxis::FirstToShow(Integer Last, Int64 Extent, Integer From) const {
  // The smallest First in [From, Last] with Offset(Last + 1) - Offset(First) <= Extent, counting
  // the last cell without its line; Last when even it alone does not fit.
  if (Last < From) return From;
  Int64 end = Offset(Last + 1) - (Last >= FFixed ? FLine : FFixedLine);
  Integer lo = From, hi = Last;
  while (lo < hi) {
    Integer mid = lo + (hi - lo) / 2;
    if (end - Offset(mid) <= Extent)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

}  // namespace grids

namespace grids {

void TGridAxis::Move(Integer From, Integer To) {
  if (FSizes.empty() || From == To || From < 0 || To < 0 || From >= FCount || To >= FCount) return;
  auto f = FSizes.begin() + From, t = FSizes.begin() + To;
  if (From < To)
    std::rotate(f, f + 1, t + 1);
  else
    std::rotate(t, f, f + 1);
  Rebuild();
}

}  // namespace grids
