#include "platform/rtl/Math.h"

#include <cstring>
#include <limits>

namespace {

[[noreturn]] void InvalidOp() { throw EInvalidOp(String(u"Invalid floating point operation")); }

// Whole-number double within [Lo, Hi] as T, else EInvalidOp.
template <typename T>
T CheckedInteger(Double Whole, Double Lo, Double HiExclusive) {
  if (!(Whole >= Lo && Whole < HiExclusive)) InvalidOp();   // also rejects NaN
  return static_cast<T>(Whole);
}

constexpr Double Int64Lo = -9223372036854775808.0;
constexpr Double Int64HiExclusive = 9223372036854775808.0;

}  // namespace

Int64 Round(Double X) {
  const Double F = std::floor(X);
  const Double Diff = X - F;   // exact for finite doubles
  Double R = F;
  if (Diff > 0.5 || (Diff == 0.5 && std::fmod(F, 2.0) != 0.0)) R = F + 1.0;
  return CheckedInteger<Int64>(R, Int64Lo, Int64HiExclusive);
}

Int64 Trunc(Double X) { return CheckedInteger<Int64>(std::trunc(X), Int64Lo, Int64HiExclusive); }
Double Int(Double X) { return std::trunc(X); }
Double Frac(Double X) { return X - std::trunc(X); }
Integer Floor(Double X) { return CheckedInteger<Integer>(std::floor(X), -2147483648.0, 2147483648.0); }
Integer Ceil(Double X) { return CheckedInteger<Integer>(std::ceil(X), -2147483648.0, 2147483648.0); }

Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator) {
  if (Denominator == 0) return -1;
  const Int64 Product = static_cast<Int64>(Number) * Numerator;
  Int64 Q = Product / Denominator;
  const Int64 R = Product % Denominator;
  // Halves away from zero: compare twice the remainder with the divisor, in magnitudes.
  const UInt64 TwiceR = 2 * static_cast<UInt64>(R < 0 ? -R : R);
  const UInt64 AbsD = static_cast<UInt64>(Denominator < 0 ? -static_cast<Int64>(Denominator) : Denominator);
  if (TwiceR >= AbsD) Q += ((Product < 0) != (Denominator < 0)) ? -1 : 1;
  if (Q < std::numeric_limits<Integer>::min() || Q > std::numeric_limits<Integer>::max()) return -1;
  return static_cast<Integer>(Q);
}

bool SameValue(Double A, Double B, Double Epsilon) {
  if (Epsilon == 0) Epsilon = std::max(std::min(std::fabs(A), std::fabs(B)) * 1E-12, 1E-12);
  if (A > B) return A - B <= Epsilon;
  return B - A <= Epsilon;
}

bool SameValue(Single A, Single B, Single Epsilon) {
  if (Epsilon == 0) Epsilon = std::max(std::min(std::fabs(A), std::fabs(B)) * 1E-4f, 1E-4f);
  if (A > B) return A - B <= Epsilon;
  return B - A <= Epsilon;
}

bool IsZero(Double A, Double Epsilon) { return std::fabs(A) <= (Epsilon == 0 ? 1E-12 : Epsilon); }
bool IsNan(Double X) { return std::isnan(X); }
bool IsInfinite(Double X) { return std::isinf(X); }
Double Power(Double Base, Double Exponent) { return std::pow(Base, Exponent); }
Double IntPower(Double Base, Integer Exponent) { return std::pow(Base, static_cast<Double>(Exponent)); }
Integer Sign(Double X) { return X > 0 ? 1 : (X < 0 ? -1 : 0); }
Double Log10(Double X) { return std::log10(X); }

void DivMod(Integer Dividend, Integer Divisor, Integer& Result, Integer& Remainder) {
  if (Divisor == 0) throw EDivByZero(String(u"Division by zero"));
  if (Dividend == std::numeric_limits<Integer>::min() && Divisor == -1) throw EIntOverflow(String(u"Integer overflow"));
  Result = Dividend / Divisor;
  Remainder = Dividend % Divisor;
}

// ---------------------------------------------------------------------------------------------------
// 80-bit extended: sign and 15-bit exponent (bias 16383) in bytes 8..9, a 64-bit mantissa with an
// explicit integer bit in bytes 0..7.

void DoubleToExtended80(Double Value, Byte (&Bytes)[10]) {
  UInt64 Bits;
  std::memcpy(&Bits, &Value, 8);
  const unsigned Sign = static_cast<unsigned>(Bits >> 63);
  const int Exp = static_cast<int>((Bits >> 52) & 0x7FF);
  UInt64 Fraction = Bits & ((UInt64(1) << 52) - 1);
  int ExtExp;
  UInt64 Mantissa;
  if (Exp == 0x7FF) {   // infinity or NaN
    ExtExp = 0x7FFF;
    Mantissa = (UInt64(1) << 63) | (Fraction << 11);
  } else if (Exp == 0) {
    if (Fraction == 0) {
      ExtExp = 0;
      Mantissa = 0;
    } else {   // subnormal double: normalise, the extended range holds it
      int Shift = 0;
      while ((Fraction & (UInt64(1) << 52)) == 0) {
        Fraction <<= 1;
        ++Shift;
      }
      ExtExp = 1 - 1023 - Shift + 16383;
      Mantissa = Fraction << 11;
    }
  } else {
    ExtExp = Exp - 1023 + 16383;
    Mantissa = (UInt64(1) << 63) | (Fraction << 11);
  }
  for (int I = 0; I < 8; ++I) Bytes[I] = static_cast<Byte>(Mantissa >> (8 * I));
  const unsigned Top = (Sign << 15) | static_cast<unsigned>(ExtExp);
  Bytes[8] = static_cast<Byte>(Top);
  Bytes[9] = static_cast<Byte>(Top >> 8);
}

Double Extended80ToDouble(const Byte (&Bytes)[10]) {
  UInt64 Mantissa = 0;
  for (int I = 0; I < 8; ++I) Mantissa |= static_cast<UInt64>(Bytes[I]) << (8 * I);
  const unsigned Top = Bytes[8] | (static_cast<unsigned>(Bytes[9]) << 8);
  const bool Negative = (Top >> 15) != 0;
  const int ExtExp = static_cast<int>(Top & 0x7FFF);
  Double R;
  if (ExtExp == 0x7FFF) {
    R = (Mantissa << 1) == 0 ? std::numeric_limits<Double>::infinity() : std::numeric_limits<Double>::quiet_NaN();
  } else if (Mantissa == 0) {
    R = 0;
  } else {
    // Mantissa is an integer scaled by 2^-63 (denormal extended: exponent 1 with no integer bit).
    // ldexp rounds the 64-bit integer to 53 bits once, at the conversion to double.
    const int E = (ExtExp == 0 ? 1 : ExtExp) - 16383 - 63;
    const UInt64 High = Mantissa >> 11, Low = Mantissa & 0x7FF;
    // Round to nearest even on the 11 dropped bits, then scale.
    UInt64 Rounded = High;
    if (Low > 0x400 || (Low == 0x400 && (High & 1))) ++Rounded;
    R = std::ldexp(static_cast<Double>(Rounded), E + 11);
  }
  return Negative ? -R : R;
}
