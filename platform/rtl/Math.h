#pragma once
// Numeric routines. Round takes halves to the even neighbour; MulDiv takes them away from zero.
// Conversions to integers check finiteness and range and raise EInvalidOp instead of trapping.
#include <cmath>
#include <concepts>
#include <type_traits>
#include <utility>

#include "platform/rtl/SysUtils.h"

Int64 Round(Double X);   // 2.5 -> 2, 3.5 -> 4, -2.5 -> -2
Int64 Trunc(Double X);   // towards zero
Double Int(Double X);    // integer part, as a float
Double Frac(Double X);   // X - Int(X), same sign as X
Integer Floor(Double X);
Integer Ceil(Double X);

// Number * Numerator / Denominator on a 64-bit product, halves away from zero; -1 when Denominator
// is 0 or the result does not fit an Integer.
Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator);

// |A - B| <= Epsilon; Epsilon 0 picks one scaled to the values (1E-12 relative, at least 1E-12).
bool SameValue(Double A, Double B, Double Epsilon = 0);
bool SameValue(Single A, Single B, Single Epsilon = 0);
bool IsZero(Double A, Double Epsilon = 0);
bool IsNan(Double X);
bool IsInfinite(Double X);
Double Power(Double Base, Double Exponent);
Double IntPower(Double Base, Integer Exponent);
Integer Sign(Double X);   // -1, 0 or 1
Double Log10(Double X);

// Truncating integer division with remainder, as div and mod.
void DivMod(Integer Dividend, Integer Divisor, Integer& Result, Integer& Remainder);

// Min, Max, EnsureRange and InRange over any mix of arithmetic types (result in their common type;
// integers compare by value, so a negative never passes for a large unsigned).
namespace RtlMathDetail {
template <typename A, typename B>
constexpr bool Less(A X, B Y) {
  if constexpr (std::is_integral_v<A> && std::is_integral_v<B>) return std::cmp_less(X, Y);
  else return X < Y;
}
}  // namespace RtlMathDetail

template <typename A, typename B>
  requires std::is_arithmetic_v<A> && std::is_arithmetic_v<B>
constexpr std::common_type_t<A, B> Min(A X, B Y) {
  return RtlMathDetail::Less(Y, X) ? static_cast<std::common_type_t<A, B>>(Y) : static_cast<std::common_type_t<A, B>>(X);
}

template <typename A, typename B>
  requires std::is_arithmetic_v<A> && std::is_arithmetic_v<B>
constexpr std::common_type_t<A, B> Max(A X, B Y) {
  return RtlMathDetail::Less(X, Y) ? static_cast<std::common_type_t<A, B>>(Y) : static_cast<std::common_type_t<A, B>>(X);
}

template <typename V, typename L, typename H>
  requires std::is_arithmetic_v<V> && std::is_arithmetic_v<L> && std::is_arithmetic_v<H>
constexpr std::common_type_t<V, L, H> EnsureRange(V Value, L Lo, H Hi) {
  using C = std::common_type_t<V, L, H>;
  if (RtlMathDetail::Less(Value, Lo)) return static_cast<C>(Lo);
  if (RtlMathDetail::Less(Hi, Value)) return static_cast<C>(Hi);
  return static_cast<C>(Value);
}

template <typename V, typename L, typename H>
  requires std::is_arithmetic_v<V> && std::is_arithmetic_v<L> && std::is_arithmetic_v<H>
constexpr bool InRange(V Value, L Lo, H Hi) {
  return !RtlMathDetail::Less(Value, Lo) && !RtlMathDetail::Less(Hi, Value);
}

// The 10-byte x87 extended format (little-endian), converted field by field: values beyond the
// double range become infinities, lost low bits round to nearest even.
void DoubleToExtended80(Double Value, Byte (&Bytes)[10]);
Double Extended80ToDouble(const Byte (&Bytes)[10]);
