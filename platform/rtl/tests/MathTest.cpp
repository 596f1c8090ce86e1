#include "platform/rtl/Math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

TEST(Rounding, RoundHalvesToEvenButMulDivAwayFromZero) {
  struct Case { double X; Int64 Round; };
  const Case Cases[] = {
      {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},   {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {1e15 + 0.5, 1000000000000000}, {4503599627370497.0, 4503599627370497},
  };
  for (const auto& C : Cases) EXPECT_EQ(Round(C.X), C.Round) << C.X;

  struct MulDivCase { Integer N, Num, Den, Expected; };
  const MulDivCase MulDivCases[] = {
      {7, 1, 2, 4},   {-7, 1, 2, -4},  {5, 1, 2, 3},   {7, -1, 2, -4}, {-7, -1, 2, 4},
      {7, 1, -2, -4}, {1, 1, 3, 0},    {2, 1, 3, 1},   {10, 0, 3, 0},  {5, 3, 0, -1},
      {2000000000, 2, 1, -1},          {2000000000, 3, 3, 2000000000}, {120, 144, 96, 180},
  };
  for (const auto& C : MulDivCases) EXPECT_EQ(MulDiv(C.N, C.Num, C.Den), C.Expected) << C.N << "*" << C.Num << "/" << C.Den;
}

TEST(Rounding, IntegerPartsAndRangeChecks) {
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_EQ(Trunc(-2.9), -2);
  EXPECT_DOUBLE_EQ(Frac(-2.75), -0.75);
  EXPECT_DOUBLE_EQ(Int(-2.75), -2.0);
  EXPECT_EQ(Floor(-2.5), -3);
  EXPECT_EQ(Ceil(-2.5), -2);
  EXPECT_EQ(Ceil(2.0000001), 3);
  EXPECT_THROW(Round(std::nan("")), EInvalidOp);
  EXPECT_THROW(Trunc(1e19), EInvalidOp);
  EXPECT_THROW(Floor(3e9), EInvalidOp);
  EXPECT_THROW(Round(std::numeric_limits<double>::infinity()), EMathError);
  EXPECT_EQ(Trunc(-9223372036854775808.0), std::numeric_limits<Int64>::min());
}

TEST(Comparison, SameValueMinMaxAndRanges) {
  EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
  EXPECT_FALSE(SameValue(1.0, 1.000001));
  EXPECT_TRUE(SameValue(1.0, 1.1, 0.2));
  EXPECT_TRUE(SameValue(1e20, 1e20 + 1e5));   // relative to the magnitude
  EXPECT_TRUE(SameValue(1.0f, 1.00001f));
  EXPECT_TRUE(IsZero(1e-13));
  EXPECT_TRUE(IsNan(std::nan("")));
  EXPECT_TRUE(IsInfinite(-std::numeric_limits<double>::infinity()));
  EXPECT_EQ(Sign(-3.0), -1);
  EXPECT_EQ(Min(3, Int64(-5)), -5);
  EXPECT_EQ(Max(2.5, 3), 3.0);
  EXPECT_EQ(Max(-1, 4000000000u), 4000000000u);   // compares by value across signedness
  EXPECT_EQ(EnsureRange(15, 0, 10), 10);
  EXPECT_EQ(EnsureRange(-3, 0, 10), 0);
  EXPECT_TRUE(InRange(10, 0, 10));
  EXPECT_FALSE(InRange(-1, 0u, 10u));
  EXPECT_DOUBLE_EQ(Power(2, 10), 1024);
  EXPECT_DOUBLE_EQ(Power(0, 0), 1);
  EXPECT_TRUE(IsNan(Power(-8, 1.0 / 3)));
  Integer Q, R;
  DivMod(-7, 2, Q, R);
  EXPECT_EQ(Q, -3);
  EXPECT_EQ(R, -1);
  EXPECT_THROW(DivMod(1, 0, Q, R), EDivByZero);
}

TEST(Extended80, ConvertsFieldByField) {
  struct Case { double Value; Byte Bytes[10]; };
  const Case Cases[] = {
      {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {-2.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
      {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {0.1, {0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}},
  };
  for (const auto& C : Cases) {
    Byte Out[10];
    DoubleToExtended80(C.Value, Out);
    EXPECT_EQ(0, std::memcmp(Out, C.Bytes, 10)) << C.Value;
    EXPECT_EQ(Extended80ToDouble(C.Bytes), C.Value);
  }
  for (double V : {3.141592653589793, -1e-310, 1e308, 5e-324, std::numeric_limits<double>::infinity()}) {
    Byte B[10];
    DoubleToExtended80(V, B);
    EXPECT_EQ(Extended80ToDouble(B), V) << V;
  }
  // The extended 0.1 (rounded to 64 bits) reads back as the double 0.1; beyond the double range
  // it becomes infinity.
  const Byte Ext01[10] = {0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F};
  EXPECT_EQ(Extended80ToDouble(Ext01), 0.1);
  const Byte Huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F - 0x10};
  EXPECT_TRUE(std::isinf(Extended80ToDouble(Huge)));
  Byte NaNBytes[10];
  DoubleToExtended80(std::nan(""), NaNBytes);
  EXPECT_TRUE(std::isnan(Extended80ToDouble(NaNBytes)));
}
