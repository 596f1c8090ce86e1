#pragma once
// Floating-point points, sizes and rectangles (single precision). Coordinates compare with
// SameValue at its default single-precision tolerance; a rectangle contains the points of
// Left <= x < Right and Top <= y < Bottom, as the integer rectangles of the window system do.
#include "platform/rtl/System.h"

struct TPointF {
  Single X = 0;
  Single Y = 0;

  TPointF& Offset(Single DX, Single DY) {
    X += DX;
    Y += DY;
    return *this;
  }
  friend TPointF operator+(TPointF A, TPointF B) { return {A.X + B.X, A.Y + B.Y}; }
  friend TPointF operator-(TPointF A, TPointF B) { return {A.X - B.X, A.Y - B.Y}; }
  // Nearly equal in both coordinates.
  friend bool operator==(TPointF A, TPointF B);
};

struct TSizeF {
  Single cx = 0;
  Single cy = 0;

  friend bool operator==(TSizeF A, TSizeF B);
};

struct TRectF {
  Single Left = 0;
  Single Top = 0;
  Single Right = 0;
  Single Bottom = 0;

  Single Width() const { return Right - Left; }
  Single Height() const { return Bottom - Top; }
  TSizeF Size() const { return {Width(), Height()}; }
  TPointF TopLeft() const { return {Left, Top}; }
  TPointF BottomRight() const { return {Right, Bottom}; }
  // Right not beyond Left (or nearly equal to it), or the same for Bottom and Top.
  bool IsEmpty() const;
  // Left <= X < Right and Top <= Y < Bottom.
  bool Contains(TPointF P) const;
  TRectF& Offset(Single DX, Single DY);
  // Grows by DX on the left and the right and by DY on the top and the bottom (shrinks for
  // negative values).
  TRectF& Inflate(Single DX, Single DY);

  // The smallest rectangle holding both; an empty rectangle adds nothing.
  static TRectF Union(const TRectF& A, const TRectF& B);
  // The common part; (0, 0, 0, 0) when it is empty.
  static TRectF Intersect(const TRectF& A, const TRectF& B);
  static TRectF Empty() { return {}; }

  // Nearly equal in all four values.
  friend bool operator==(const TRectF& A, const TRectF& B);
};

constexpr TPointF PointF(Single X, Single Y) { return {X, Y}; }
constexpr TSizeF SizeF(Single cx, Single cy) { return {cx, cy}; }
constexpr TRectF RectF(Single Left, Single Top, Single Right, Single Bottom) { return {Left, Top, Right, Bottom}; }
