// The 3 x 3 matrix of the graphics layer, in single precision, for row vectors.
#include <cmath>

#include "lib/graphics/NeoGraphicsTypes.h"

namespace {
// Below this magnitude a determinant counts as zero (the smallest normal single is far above it).
constexpr Single SingularDeterminant = 1E-40f;
}  // namespace

TNeoGraphicsMatrix TNeoGraphicsMatrix::Identity() {
  TNeoGraphicsMatrix m;
  m.m11 = m.m22 = m.m33 = 1;
  return m;
}

TNeoGraphicsMatrix TNeoGraphicsMatrix::CreateRotation(Single AAngle) {
  TNeoGraphicsMatrix m = Identity();
  const Single c = std::cos(AAngle);
  const Single s = std::sin(AAngle);
  m.m11 = c;
  m.m12 = s;
  m.m21 = -s;
  m.m22 = c;
  return m;
}

TNeoGraphicsMatrix TNeoGraphicsMatrix::CreateScaling(Single AScaleX, Single AScaleY) {
  TNeoGraphicsMatrix m = Identity();
  m.m11 = AScaleX;
  m.m22 = AScaleY;
  return m;
}

TNeoGraphicsMatrix TNeoGraphicsMatrix::CreateTranslation(Single ADeltaX, Single ADeltaY) {
  TNeoGraphicsMatrix m = Identity();
  m.m31 = ADeltaX;
  m.m32 = ADeltaY;
  return m;
}

TNeoGraphicsMatrix TNeoGraphicsMatrix::FromArray(const TNeoGraphicsMatrixArray& A) {
  return {A[0], A[1], A[2], A[3], A[4], A[5], A[6], A[7], A[8]};
}

Single TNeoGraphicsMatrix::Determinant() const {
  return (m33 * m22 - m32 * m23) * m11 - (m33 * m21 - m23 * m31) * m12 + (m32 * m21 - m22 * m31) * m13;
}

TNeoGraphicsMatrix TNeoGraphicsMatrix::Adjoint() const {
  TNeoGraphicsMatrix r;
  r.m11 = m22 * m33 - m23 * m32;
  r.m12 = -(m12 * m33 - m13 * m32);
  r.m13 = m12 * m23 - m13 * m22;
  r.m21 = -(m21 * m33 - m23 * m31);
  r.m22 = m11 * m33 - m13 * m31;
  r.m23 = -(m11 * m23 - m13 * m21);
  r.m31 = m21 * m32 - m22 * m31;
  r.m32 = -(m11 * m32 - m12 * m31);
  r.m33 = m11 * m22 - m12 * m21;
  return r;
}

TNeoGraphicsMatrix TNeoGraphicsMatrix::Inverse() const {
  const Single d = Determinant();
  if (std::isnan(d) || std::fabs(d) < SingularDeterminant) return Identity();
  const Single f = 1 / d;
  TNeoGraphicsMatrixArray a = Adjoint().M();
  for (Single& v : a) v *= f;
  return FromArray(a);
}

TNeoGraphicsMatrix operator*(const TNeoGraphicsMatrix& AMatrix1, const TNeoGraphicsMatrix& AMatrix2) {
  const TNeoGraphicsMatrixArray a = AMatrix1.M();
  const TNeoGraphicsMatrixArray b = AMatrix2.M();
  TNeoGraphicsMatrixArray r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i * 3 + j] = a[i * 3] * b[j] + a[i * 3 + 1] * b[3 + j] + a[i * 3 + 2] * b[6 + j];
  return TNeoGraphicsMatrix::FromArray(r);
}

TPointF operator*(TPointF APoint, const TNeoGraphicsMatrix& AMatrix) {
  return {APoint.X * AMatrix.m11 + APoint.Y * AMatrix.m21 + AMatrix.m31,
          APoint.X * AMatrix.m12 + APoint.Y * AMatrix.m22 + AMatrix.m32};
}

bool operator==(const TNeoGraphicsMatrix& A, const TNeoGraphicsMatrix& B) { return A.M() == B.M(); }

TNeoGraphicsMatrix MatrixIdentity() { return TNeoGraphicsMatrix::Identity(); }
TNeoGraphicsMatrix MatrixEmpty() { return TNeoGraphicsMatrix(); }

bool IsMatrixEmpty(const TNeoGraphicsMatrix& AMatrix) {
  for (Single v : AMatrix.M())
    if (v != 0) return false;   // a NaN is not 0 either
  return true;
}

TNeoGraphicsMatrix MatrixCreateRotation(Single AAngle) { return TNeoGraphicsMatrix::CreateRotation(AAngle); }
TNeoGraphicsMatrix MatrixCreateScaling(Single AScaleX, Single AScaleY) {
  return TNeoGraphicsMatrix::CreateScaling(AScaleX, AScaleY);
}
TNeoGraphicsMatrix MatrixCreateTranslation(Single ADeltaX, Single ADeltaY) {
  return TNeoGraphicsMatrix::CreateTranslation(ADeltaX, ADeltaY);
}
TNeoGraphicsMatrix MatrixMultiply(const TNeoGraphicsMatrix& AMatrix1, const TNeoGraphicsMatrix& AMatrix2) {
  return AMatrix1 * AMatrix2;
}
TPointF MatrixMultiplyPoint(TPointF APoint, const TNeoGraphicsMatrix& AMatrix) { return APoint * AMatrix; }
