#include "platform/rtl/Types.h"

#include <algorithm>

#include "platform/rtl/Math.h"

bool operator==(TPointF A, TPointF B) { return SameValue(A.X, B.X) && SameValue(A.Y, B.Y); }

bool operator==(TSizeF A, TSizeF B) { return SameValue(A.cx, B.cx) && SameValue(A.cy, B.cy); }

bool operator==(const TRectF& A, const TRectF& B) {
  return SameValue(A.Left, B.Left) && SameValue(A.Top, B.Top) && SameValue(A.Right, B.Right) &&
         SameValue(A.Bottom, B.Bottom);
}

bool TRectF::IsEmpty() const {
  return Right < Left || SameValue(Left, Right) || Bottom < Top || SameValue(Top, Bottom);
}

bool TRectF::Contains(TPointF P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }

TRectF& TRectF::Offset(Single DX, Single DY) {
  Left += DX;
  Right += DX;
  Top += DY;
  Bottom += DY;
  return *this;
}

TRectF& TRectF::Inflate(Single DX, Single DY) {
  Left -= DX;
  Right += DX;
  Top -= DY;
  Bottom += DY;
  return *this;
}

TRectF TRectF::Union(const TRectF& A, const TRectF& B) {
  if (A.IsEmpty()) return B;
  if (B.IsEmpty()) return A;
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right), std::max(A.Bottom, B.Bottom)};
}

TRectF TRectF::Intersect(const TRectF& A, const TRectF& B) {
  const TRectF r{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                 std::min(A.Bottom, B.Bottom)};
  return r.IsEmpty() ? TRectF() : r;
}
