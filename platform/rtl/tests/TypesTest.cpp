#include "platform/rtl/Types.h"

#include <gtest/gtest.h>

TEST(RectF, ContainmentIsHalfOpen) {
  const TRectF r = RectF(0, 0, 10, 5);
  struct Case { TPointF P; bool Inside; };
  const Case cases[] = {
      {{0, 0}, true},     {{9.99f, 4.99f}, true}, {{10, 2}, false}, {{5, 5}, false},
      {{-0.01f, 2}, false}, {{5, -0.01f}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(r.Contains(c.P), c.Inside) << c.P.X << "," << c.P.Y;
}

TEST(RectF, EqualityAndEmptinessUseTheSingleTolerance) {
  EXPECT_EQ(RectF(1, 2, 3, 4), RectF(1.00005f, 2, 3, 4.00005f));
  EXPECT_FALSE(RectF(1, 2, 3, 4) == RectF(1.001f, 2, 3, 4));
  // The tolerance scales with the values: 1E-4 relative above 1.
  EXPECT_EQ(PointF(10000, 0), PointF(10000.5f, 0));
  EXPECT_FALSE(PointF(10000, 0) == PointF(10002, 0));
  EXPECT_TRUE(RectF(0, 0, 0.00005f, 10).IsEmpty());
  EXPECT_TRUE(RectF(5, 0, 4, 10).IsEmpty());
  EXPECT_FALSE(RectF(0, 0, 0.01f, 10).IsEmpty());
}

TEST(RectF, OffsetInflateUnionIntersect) {
  TRectF r = RectF(1, 1, 3, 4);
  r.Offset(2, -1).Inflate(1, 2);
  EXPECT_EQ(r, RectF(2, -2, 6, 5));
  EXPECT_EQ(r.Width(), 4);
  EXPECT_EQ(r.Height(), 7);
  EXPECT_EQ(TRectF::Union(RectF(0, 0, 2, 2), RectF(5, -1, 6, 1)), RectF(0, -1, 6, 2));
  EXPECT_EQ(TRectF::Union(TRectF(), RectF(5, 5, 6, 6)), RectF(5, 5, 6, 6));
  EXPECT_EQ(TRectF::Intersect(RectF(0, 0, 4, 4), RectF(2, 1, 6, 3)), RectF(2, 1, 4, 3));
  EXPECT_EQ(TRectF::Intersect(RectF(0, 0, 1, 1), RectF(2, 2, 3, 3)), TRectF());
}
