// Pens, brushes and custom line caps against libgdiplus: status rules, the class a pen's brush
// maps to, clones, surround and interpolation colours, caps handed out by a pen.
#include <memory>

#include "lib/graphics/tests/GDIPlusClassesTestSupport.h"
#include "lib/graphics/tests/TestColors.h"

namespace {

using PensTest = GDIPlusClassesTest;

constexpr ARGB Sentinel = 0x12345678;

TGPPointF Triangle[3] = {{0, 0}, {40, 0}, {20, 30}};

}  // namespace

TEST_F(PensTest, BrushClassesStatusesAndClones) {
  TGPBrush plain;
  EXPECT_EQ(plain.GetLastStatus(), NotImplemented);
  EXPECT_EQ(plain.GetType(), static_cast<BrushType>(-1));
  EXPECT_EQ(plain.GetLastStatus(), InvalidParameter);
  for (TGPBrush* empty : std::initializer_list<TGPBrush*>{new TGPSolidBrush(), new TGPHatchBrush(), new TGPTextureBrush(),
                                                         new TGPLinearGradientBrush(), new TGPPathGradientBrush()}) {
    SCOPED_TRACE(UTF8Encode(empty->ClassName()));
    EXPECT_EQ(empty->nativeBrush, nullptr);
    EXPECT_EQ(empty->GetLastStatus(), Ok);
    delete empty;
  }

  // Every clone is a plain brush over a copy of the native brush.
  TGPSolidBrush solid(Red);
  std::unique_ptr<TGPBrush> clone(solid.Clone());
  EXPECT_EQ(clone->ClassType(), TGPBrush::StaticClass());
  EXPECT_NE(clone->nativeBrush, solid.nativeBrush);
  EXPECT_EQ(clone->GetType(), BrushTypeSolidColor);
  EXPECT_EQ(clone->GetLastStatus(), Ok);
  solid.SetColor(Blue);
  ARGB color = 0;
  EXPECT_EQ(solid.GetColor(color), Ok);
  EXPECT_EQ(color, Blue);
  TGPSolidBrush cloneView;
  cloneView.nativeBrush = clone->nativeBrush;
  EXPECT_EQ(cloneView.GetColor(color), Ok);
  EXPECT_EQ(color, Red);
  cloneView.nativeBrush = nullptr;

  TGPHatchBrush hatch(HatchStyleCross, Red, Blue);
  EXPECT_EQ(hatch.GetHatchStyle(), HatchStyleCross);
  EXPECT_EQ(hatch.GetForegroundColor(color), Ok);
  EXPECT_EQ(color, Red);
  EXPECT_EQ(hatch.GetBackgroundColor(color), Ok);
  EXPECT_EQ(color, Blue);
  EXPECT_EQ(std::unique_ptr<TGPBrush>(hatch.Clone())->GetType(), BrushTypeHatchFill);

  // A failing brush: the solid colour getter answers its status field after recording.
  TGPSolidBrush failing;
  color = Sentinel;
  EXPECT_EQ(failing.GetColor(color), InvalidParameter);
  EXPECT_EQ(failing.GetLastStatus(), InvalidParameter);
  std::unique_ptr<TGPBrush> failed(failing.Clone());
  EXPECT_EQ(failed->nativeBrush, nullptr);
  EXPECT_EQ(failed->GetLastStatus(), InvalidParameter);
}

TEST_F(PensTest, LinearGradientColoursBlendsAndArgumentChecks) {
  TGPLinearGradientBrush brush(TGPPointF{0, 0}, TGPPointF{100, 0}, Red, Blue);
  ASSERT_EQ(brush.GetLastStatus(), Ok);
  EXPECT_EQ(brush.GetWrapMode(), WrapModeTile);
  ARGB c1 = 0, c2 = 0;
  EXPECT_EQ(brush.GetLinearColors(c1, c2), Ok);
  EXPECT_EQ(c1, Red);
  EXPECT_EQ(c2, Blue);
  TGPRectF rect{};
  EXPECT_EQ(brush.GetRectangle(rect), Ok);
  EXPECT_EQ(rect.Width, 100.0f);
  const Single factors[3] = {0, 0.5f, 1}, positions[3] = {0, 0.3f, 1};
  EXPECT_EQ(brush.SetBlend(factors, positions, 3), Ok);
  EXPECT_EQ(brush.GetBlendCount(), 3);
  Single f[3] = {}, p[3] = {};
  EXPECT_EQ(brush.GetBlend(f, p, 3), Ok);
  EXPECT_EQ(p[1], 0.3f);
  const ARGB preset[3] = {Red, PackARGB(255, 0, 255, 0), Blue};
  EXPECT_EQ(brush.SetInterpolationColors(preset, positions, 3), Ok);
  EXPECT_EQ(brush.GetInterpolationColorCount(), 3);
  ARGB back[3] = {};
  EXPECT_EQ(brush.GetInterpolationColors(back, p, 3), Ok);
  EXPECT_EQ(back[1], preset[1]);
  EXPECT_EQ(brush.SetGammaCorrection(true), Ok);
  EXPECT_TRUE(brush.GetGammaCorrection());
  EXPECT_EQ(brush.TranslateTransform(5, 0), Ok);
  TGPMatrix m;
  EXPECT_EQ(brush.GetTransform(&m), Ok);
  EXPECT_EQ(m.OffsetX(), 5.0f);

  TGPLinearGradientBrush fromRect(TGPRect{0, 0, 10, 20}, Red, Blue, LinearGradientModeVertical);
  TGPLinearGradientBrush angled(TGPRectF{0, 0, 10, 20}, Red, Blue, 45.0f, true);
  EXPECT_EQ(fromRect.GetLastStatus(), Ok);
  EXPECT_EQ(angled.GetLastStatus(), Ok);

  // Argument checks answer before GDI+ is called: with the export hidden, a call would answer
  // NotImplemented.
  RebindWithout("GdipGetLineBlend");
  TGPLinearGradientBrush rebound(TGPPoint{0, 0}, TGPPoint{10, 0}, Red, Blue);
  RunProtocolRows<TGPLinearGradientBrush>(
      rebound,
      {{"GetBlend nil positions", [&](TGPLinearGradientBrush& B) { return B.GetBlend(f, nullptr, 3); },
        InvalidParameter},
       {"GetBlend count 0", [&](TGPLinearGradientBrush& B) { return B.GetBlend(f, p, 0); }, InvalidParameter},
       {"GetBlend called", [&](TGPLinearGradientBrush& B) { return B.GetBlend(f, p, 3); }, NotImplemented},
       {"SetInterpolationColors count 0",
        [&](TGPLinearGradientBrush& B) { return B.SetInterpolationColors(preset, positions, 0); }, InvalidParameter},
       {"GetLinearColors on failure leaves the outputs",
        [&](TGPLinearGradientBrush& B) {
          gdip::GpBrush* own = B.nativeBrush;
          B.nativeBrush = nullptr;
          ARGB a = Sentinel, b = Sentinel;
          const Status s = B.GetLinearColors(a, b);
          B.nativeBrush = own;
          EXPECT_EQ(a, Sentinel);
          EXPECT_EQ(b, Sentinel);
          return s;
        },
        InvalidParameter}});
}

TEST_F(PensTest, PathGradientSurroundAndInterpolationColours) {
  TGPPathGradientBrush brush(Triangle, 3);
  ASSERT_EQ(brush.GetLastStatus(), Ok);
  EXPECT_EQ(brush.GetPointCount(), 3);
  EXPECT_EQ(brush.SetCenterColor(Red), Ok);
  ARGB center = 0;
  EXPECT_EQ(brush.GetCenterColor(center), Ok);
  EXPECT_EQ(center, Red);
  TGPPointF c{};
  EXPECT_EQ(brush.GetCenterPoint(c), Ok);
  EXPECT_NEAR(c.X, 20, 0.01f);
  EXPECT_EQ(brush.SetCenterPoint(TGPPoint{10, 10}), Ok);
  TGPPoint ci{};
  EXPECT_EQ(brush.GetCenterPoint(ci), Ok);
  EXPECT_EQ(ci.X, 10);
  TGPRect bounds{};
  EXPECT_EQ(brush.GetRectangle(bounds), Ok);
  EXPECT_EQ(bounds.Width, 40);
  Single sx = -1, sy = -1;
  EXPECT_EQ(brush.SetFocusScales(0.5f, 0.25f), Ok);
  EXPECT_EQ(brush.GetFocusScales(sx, sy), Ok);
  EXPECT_EQ(sy, 0.25f);

  const ARGB surround[3] = {Red, Blue, Red};
  Integer count = 4;
  RunProtocolRows<TGPPathGradientBrush>(
      brush,
      {{"SetSurroundColors above the point count",
        [&](TGPPathGradientBrush& B) { return B.SetSurroundColors(surround, count); }, InvalidParameter},
       {"SetSurroundColors nil", [&](TGPPathGradientBrush& B) { return B.SetSurroundColors(nullptr, count); },
        InvalidParameter},
       {"SetSurroundColors", [&](TGPPathGradientBrush& B) { count = 3; return B.SetSurroundColors(surround, count); },
        Ok},
       {"GetSurroundColors small buffer",
        [&](TGPPathGradientBrush& B) {
          ARGB two[2] = {};
          Integer room = 2;
          return B.GetSurroundColors(two, room);
        },
        InsufficientBuffer},
       {"GetSurroundColors",
        [&](TGPPathGradientBrush& B) {
          ARGB three[3] = {};
          Integer room = 3;
          const Status s = B.GetSurroundColors(three, room);
          EXPECT_EQ(room, 3);
          EXPECT_EQ(three[1], Blue);
          return s;
        },
        Ok},
       {"GetInterpolationColors count 0",
        [](TGPPathGradientBrush& B) { ARGB one[1]; Single p[1]; return B.GetInterpolationColors(one, p, 0); },
        InvalidParameter},
       {"GetGraphicsPath nil", [](TGPPathGradientBrush& B) { return B.GetGraphicsPath(nullptr); }, InvalidParameter}});
  EXPECT_EQ(brush.GetSurroundColorCount(), 3);

  const ARGB preset[2] = {Blue, Red};
  const Single positions[2] = {0, 1};
  EXPECT_EQ(brush.SetInterpolationColors(preset, positions, 2), Ok);
  EXPECT_EQ(brush.GetInterpolationColorCount(), 2);
  ARGB back[2] = {Sentinel, Sentinel};
  Single backPositions[2] = {};
  EXPECT_EQ(brush.GetInterpolationColors(back, backPositions, 2), Ok);
  EXPECT_EQ(back[0], Blue);
  EXPECT_EQ(back[1], Red);

  // A failing call leaves the caller's colours as they were, never what the buffer held.
  TGPPathGradientBrush failing;
  ARGB untouched[2] = {Sentinel, Sentinel};
  EXPECT_EQ(failing.GetInterpolationColors(untouched, backPositions, 2), InvalidParameter);
  EXPECT_EQ(untouched[0], Sentinel);
  EXPECT_EQ(untouched[1], Sentinel);
  EXPECT_EQ(failing.GetLastStatus(), InvalidParameter);
  // An unread failure stops GetSurroundColors before it asks for colours.
  failing.SetCenterColor(Red);
  Integer room = 3;
  ARGB three[3] = {};
  EXPECT_EQ(failing.GetSurroundColors(three, room), InvalidParameter);

  // libgdiplus has no path of a path gradient: a clear status through the protocol.
  TGPGraphicsPath path;
  path.AddPolygon(Triangle, 3);
  TGPPathGradientBrush fromPath(&path);
  EXPECT_EQ(fromPath.GetLastStatus(), Ok);
  EXPECT_EQ(fromPath.GetGraphicsPath(&path), NotImplemented);
  EXPECT_EQ(fromPath.SetGraphicsPath(&path), NotImplemented);
  EXPECT_EQ(fromPath.GetLastStatus(), NotImplemented);
}

TEST_F(PensTest, PenColourBrushMappingAndClone) {
  TGPPen pen(Red, 2);
  ARGB color = 0;
  EXPECT_EQ(pen.GetColor(color), Ok);
  EXPECT_EQ(color, Red);
  EXPECT_EQ(pen.GetWidth(), 2.0f);
  EXPECT_EQ(pen.GetPenType(), 0);

  struct TCase {
    const char* Name;
    std::function<TGPBrush*()> Make;
    Integer Type;
    TClass Class;
    Status Carried;
  };
  TGPBitmap tile(4, 4);
  const TCase cases[] = {
      {"solid", [] { return new TGPSolidBrush(Blue); }, 0, TGPSolidBrush::StaticClass(), Ok},
      {"hatch", [] { return new TGPHatchBrush(HatchStyleCross, Red, Blue); }, 1, TGPHatchBrush::StaticClass(), Ok},
      {"texture", [&] { return new TGPTextureBrush(&tile); }, 2, TGPTextureBrush::StaticClass(), Ok},
      {"path gradient", [] { return new TGPPathGradientBrush(Triangle, 3); }, 3, TGPBrush::StaticClass(),
       NotImplemented},
      {"linear gradient", [] { return new TGPLinearGradientBrush(TGPPointF{0, 0}, TGPPointF{1, 1}, Red, Blue); }, 4,
       TGPLinearGradientBrush::StaticClass(), Ok}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::unique_ptr<TGPBrush> source(c.Make());
    TGPPen brushed(source.get(), 3);
    ASSERT_EQ(brushed.GetLastStatus(), Ok);
    EXPECT_EQ(brushed.GetPenType(), c.Type);
    std::unique_ptr<TGPBrush> got(brushed.GetBrush());
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->ClassType(), c.Class);
    EXPECT_NE(got->nativeBrush, nullptr);
    EXPECT_EQ(got->GetLastStatus(), c.Carried);
    // Only a solid pen has a colour; the others answer WrongState unrecorded.
    ARGB out = Sentinel;
    const Status s = brushed.GetColor(out);
    EXPECT_EQ(s, c.Type == 0 ? Ok : WrongState);
    EXPECT_EQ(out, c.Type == 0 ? Blue : Sentinel);
    EXPECT_EQ(brushed.GetLastStatus(), Ok);
  }

  // Clone assigns its status to the source pen: a success clears an unread failure.
  gdip::GpPen* own = pen.nativePen;
  pen.nativePen = nullptr;
  EXPECT_EQ(pen.SetWidth(4), InvalidParameter);
  std::unique_ptr<TGPPen> failedClone(pen.Clone());
  EXPECT_EQ(failedClone->nativePen, nullptr);
  EXPECT_EQ(failedClone->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(pen.GetPenType(), -1);
  pen.nativePen = own;
  std::unique_ptr<TGPPen> clone(pen.Clone());
  EXPECT_EQ(pen.GetLastStatus(), Ok);
  EXPECT_EQ(clone->GetWidth(), 2.0f);
  // libgdiplus keeps the brush itself, not a copy: it must outlive the pen.
  TGPSolidBrush blue(Blue);
  EXPECT_EQ(clone->SetBrush(&blue), Ok);
  EXPECT_EQ(clone->GetColor(color), Ok);
  EXPECT_EQ(color, Blue);
  clone.reset();
}

TEST_F(PensTest, PenProtocolOnANilHandleAndAHiddenExport) {
  TGPPen failing(static_cast<gdip::GpPen*>(nullptr), Ok);
  TGPMatrix matrix;
  TGPCustomLineCap cap;
  Single dashes[2] = {7.5f, 7.5f};
  RunProtocolRows<TGPPen>(
      failing,
      {{"GetWidth 0", [](TGPPen& P) { return P.GetWidth() == 0.0f ? P.lastResult : Ok; }, InvalidParameter},
       {"GetStartCap flat", [](TGPPen& P) { return P.GetStartCap() == gdip::LineCapFlat ? P.lastResult : Ok; },
        InvalidParameter},
       {"GetDashCap flat", [](TGPPen& P) { return P.GetDashCap() == gdip::DashCapFlat ? P.lastResult : Ok; },
        InvalidParameter},
       {"GetLineJoin miter", [](TGPPen& P) { return P.GetLineJoin() == LineJoinMiter ? P.lastResult : Ok; },
        InvalidParameter},
       {"GetAlignment centre",
        [](TGPPen& P) { return P.GetAlignment() == PenAlignmentCenter ? P.lastResult : Ok; }, InvalidParameter},
       {"GetDashStyle solid", [](TGPPen& P) { return P.GetDashStyle() == DashStyleSolid ? P.lastResult : Ok; },
        InvalidParameter},
       {"GetDashPatternCount 0", [](TGPPen& P) { return P.GetDashPatternCount() == 0 ? P.lastResult : Ok; },
        InvalidParameter},
       {"GetPenType unknown", [](TGPPen& P) { return P.GetPenType() == -1 ? P.lastResult : Ok; }, InvalidParameter},
       {"GetBrush nil for an unknown type", [](TGPPen& P) { return P.GetBrush() == nullptr ? P.lastResult : Ok; },
        InvalidParameter},
       {"GetDashPattern leaves the array",
        [&](TGPPen& P) {
          const Status s = P.GetDashPattern(dashes, 2);
          EXPECT_EQ(dashes[0], 7.5f);
          return s;
        },
        InvalidParameter},
       {"GetCompoundArray count 0 makes no call",
        [&](TGPPen& P) { return P.GetCompoundArray(dashes, 0); }, InvalidParameter},
       {"SetTransform", [&](TGPPen& P) { return P.SetTransform(&matrix); }, InvalidParameter},
       {"SetCustomStartCap", [&](TGPPen& P) { return P.SetCustomStartCap(&cap); }, InvalidParameter},
       {"GetCustomEndCap keeps the cap's handle",
        [&](TGPPen& P) {
          const Status s = P.GetCustomEndCap(&cap);
          EXPECT_EQ(cap.nativeCap, nullptr);
          return s;
        },
        InvalidParameter},
       {"SetColor", [](TGPPen& P) { return P.SetColor(Red); }, InvalidParameter}});
  // GetColor asks for the type first: the type query's failure is recorded, the WrongState the
  // unknown type answers is not.
  ARGB color = Sentinel;
  EXPECT_EQ(failing.GetColor(color), WrongState);
  EXPECT_EQ(color, Sentinel);
  EXPECT_EQ(failing.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(failing.GetLastStatus(), Ok);

  // A hidden export: NotImplemented, recorded, with the pre-set value; the other entries serve.
  RebindWithout("GdipGetPenMiterLimit");
  TGPPen rebound(Red, 2);
  RunProtocolRows<TGPPen>(
      rebound, {{"GetMiterLimit without its export",
                 [](TGPPen& P) { return P.GetMiterLimit() == 0.0f ? P.lastResult : Ok; }, NotImplemented},
                {"GetWidth", [](TGPPen& P) { return P.GetWidth() == 2.0f ? Ok : P.lastResult; }, Ok}});
}

TEST_F(PensTest, PenSettingsDashesAndTransforms) {
  TGPPen pen(Red, 3);
  EXPECT_EQ(pen.SetLineCap(gdip::LineCapRound, gdip::LineCapSquare, gdip::DashCapTriangle), Ok);
  EXPECT_EQ(pen.GetStartCap(), gdip::LineCapRound);
  EXPECT_EQ(pen.GetEndCap(), gdip::LineCapSquare);
  EXPECT_EQ(pen.GetDashCap(), gdip::DashCapTriangle);
  EXPECT_EQ(pen.SetStartCap(gdip::LineCapTriangle), Ok);
  EXPECT_EQ(pen.GetStartCap(), gdip::LineCapTriangle);
  EXPECT_EQ(pen.SetLineJoin(LineJoinRound), Ok);
  EXPECT_EQ(pen.GetLineJoin(), LineJoinRound);
  EXPECT_EQ(pen.SetMiterLimit(7), Ok);
  EXPECT_EQ(pen.GetMiterLimit(), 7.0f);
  EXPECT_EQ(pen.SetAlignment(PenAlignmentInset), Ok);
  EXPECT_EQ(pen.GetAlignment(), PenAlignmentInset);
  EXPECT_EQ(pen.SetDashStyle(DashStyleDot), Ok);
  EXPECT_EQ(pen.GetDashStyle(), DashStyleDot);
  EXPECT_EQ(pen.SetDashOffset(2), Ok);
  EXPECT_EQ(pen.GetDashOffset(), 2.0f);
  const Single dashes[4] = {3, 1, 2, 1};
  EXPECT_EQ(pen.SetDashPattern(dashes, 4), Ok);
  EXPECT_EQ(pen.GetDashPatternCount(), 4);
  Single back[4] = {};
  EXPECT_EQ(pen.GetDashPattern(back, 4), Ok);
  EXPECT_EQ(back[2], 2.0f);
  const Single compound[4] = {0, 0.25f, 0.75f, 1};
  // libgdiplus has no compound lines: a clear status, recorded.
  EXPECT_EQ(pen.SetCompoundArray(compound, 4), NotImplemented);
  EXPECT_EQ(pen.GetLastStatus(), NotImplemented);
  EXPECT_EQ(pen.GetCompoundArrayCount(), 0);
  EXPECT_EQ(pen.GetCompoundArray(back, 0), InvalidParameter);
  EXPECT_EQ(pen.GetLastStatus(), InvalidParameter);

  TGPMatrix m(2, 0, 0, 2, 0, 0), out;
  EXPECT_EQ(pen.SetTransform(&m), Ok);
  EXPECT_EQ(pen.ScaleTransform(2, 1, MatrixOrderAppend), Ok);
  EXPECT_EQ(pen.GetTransform(&out), Ok);
  TMatrixArray e{};
  out.GetElements(e);
  EXPECT_EQ(e[0], 4.0f);
  EXPECT_EQ(e[3], 2.0f);
  EXPECT_EQ(pen.ResetTransform(), Ok);
  pen.GetTransform(&out);
  EXPECT_TRUE(out.IsIdentity());

  // A count below 1 answers before GDI+ is asked.
  RebindWithout("GdipGetPenCompoundArray");
  TGPPen rebound(Red, 1);
  EXPECT_EQ(rebound.GetCompoundArray(back, 0), InvalidParameter);
  EXPECT_EQ(rebound.GetCompoundArray(back, 1), NotImplemented);
}

TEST_F(PensTest, CustomCapsHandedOutReplaceAndFreeTheHeldCap) {
  TGPGraphicsPath stroke;
  stroke.AddLine(-2, 0, 0, 3);
  stroke.AddLine(0, 3, 2, 0);
  TGPCustomLineCap cap(nullptr, &stroke, gdip::LineCapFlat, 1);
  ASSERT_EQ(cap.GetLastStatus(), Ok);
  EXPECT_EQ(cap.SetStrokeCap(gdip::LineCapRound), Ok);
  Integer start = -1, end = -1;
  EXPECT_EQ(cap.GetStrokeCaps(start, end), Ok);
  EXPECT_EQ(start, gdip::LineCapRound);
  EXPECT_EQ(end, gdip::LineCapRound);
  EXPECT_EQ(cap.SetStrokeJoin(LineJoinBevel), Ok);
  EXPECT_EQ(cap.GetStrokeJoin(), LineJoinBevel);
  EXPECT_EQ(cap.SetBaseCap(gdip::LineCapTriangle), Ok);
  EXPECT_EQ(cap.GetBaseCap(), gdip::LineCapTriangle);
  EXPECT_EQ(cap.SetBaseInset(2), Ok);
  EXPECT_EQ(cap.GetBaseInset(), 2.0f);
  EXPECT_EQ(cap.SetWidthScale(1.5f), Ok);
  EXPECT_EQ(cap.GetWidthScale(), 1.5f);

  TGPPen pen(Red, 2);
  EXPECT_EQ(pen.SetCustomStartCap(&cap), Ok);
  EXPECT_EQ(pen.SetCustomEndCap(&cap), Ok);
  EXPECT_EQ(pen.GetStartCap(), gdip::LineCapCustom);
  // The receiving wrapper holds a cap already: it is deleted when replaced.
  TGPCustomLineCap held(nullptr, &stroke);
  gdip::GpCustomLineCap* before = held.nativeCap;
  {
    TDeleteSpy<gdip::GpCustomLineCap> deletes(GdiplusProcs.GdipDeleteCustomLineCap);
    EXPECT_EQ(pen.GetCustomStartCap(&held), Ok);
    EXPECT_TRUE(deletes.Saw(before));
    EXPECT_NE(held.nativeCap, before);
  }
  EXPECT_EQ(held.GetBaseInset(), 2.0f);
  TGPCustomLineCap empty;
  EXPECT_EQ(pen.GetCustomEndCap(&empty), Ok);
  EXPECT_EQ(empty.GetWidthScale(), 1.5f);
  EXPECT_EQ(pen.GetCustomStartCap(nullptr), InvalidParameter);
  EXPECT_EQ(pen.GetLastStatus(), InvalidParameter);

  // Clone: a copy with status Ok, nil after an unread failure (its copy deleted).
  std::unique_ptr<TGPCustomLineCap> clone(cap.Clone());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetBaseInset(), 2.0f);
  EXPECT_EQ(cap.SetStrokeJoin(static_cast<LineJoin>(99)), Ok);   // libgdiplus takes any join
  gdip::GpCustomLineCap* own = cap.nativeCap;
  cap.nativeCap = nullptr;
  cap.SetBaseInset(1);
  cap.nativeCap = own;
  {
    TDeleteSpy<gdip::GpCustomLineCap> deletes(GdiplusProcs.GdipDeleteCustomLineCap);
    EXPECT_EQ(cap.Clone(), nullptr);
    EXPECT_EQ(deletes.Count(), 1u);
  }
  EXPECT_EQ(cap.GetLastStatus(), InvalidParameter);
  RunProtocolRows<TGPCustomLineCap>(
      empty, {{"GetStrokeCaps pre-set",
               [](TGPCustomLineCap& C) {
                 gdip::GpCustomLineCap* mine = C.nativeCap;
                 C.nativeCap = nullptr;
                 Integer s = 5, e = 5;
                 const Status status = C.GetStrokeCaps(s, e);
                 C.nativeCap = mine;
                 EXPECT_EQ(s + e, 0);
                 return status;
               },
               InvalidParameter}});
}

TEST_F(PensTest, TextureBrushImageWrapAndTransform) {
  TGPBitmap tile(4, 2);
  TGPTextureBrush brush(&tile, WrapModeTileFlipX);
  ASSERT_EQ(brush.GetLastStatus(), Ok);
  EXPECT_EQ(brush.GetWrapMode(), WrapModeTileFlipX);
  EXPECT_EQ(brush.SetWrapMode(WrapModeClamp), Ok);
  EXPECT_EQ(brush.GetWrapMode(), WrapModeClamp);
  std::unique_ptr<TGPImage> image(brush.GetImage());
  EXPECT_EQ(image->GetWidth(), 4u);
  EXPECT_EQ(image->GetHeight(), 2u);
  EXPECT_EQ(brush.RotateTransform(90), Ok);
  TGPMatrix m;
  EXPECT_EQ(brush.GetTransform(&m), Ok);
  EXPECT_FALSE(m.IsIdentity());
  EXPECT_EQ(brush.ResetTransform(), Ok);

  TGPImageAttributes attributes;
  TGPTextureBrush part(&tile, TGPRect{1, 0, 2, 2}, &attributes);
  TGPTextureBrush partF(&tile, WrapModeTile, TGPRectF{0, 0, 2, 2});
  TGPTextureBrush noAttributes(&tile, TGPRectF{0, 0, 3, 1});
  EXPECT_EQ(part.GetLastStatus(), Ok);
  EXPECT_EQ(partF.GetLastStatus(), Ok);
  EXPECT_EQ(noAttributes.GetLastStatus(), Ok);
  std::unique_ptr<TGPImage> partImage(part.GetImage());
  EXPECT_EQ(partImage->GetWidth(), 2u);

  // A failing texture brush hands out an image wrapper without a handle, with its status.
  TGPTextureBrush failing;
  std::unique_ptr<TGPImage> none(failing.GetImage());
  EXPECT_EQ(none->nativeImage, nullptr);
  EXPECT_EQ(none->GetLastStatus(), InvalidParameter);
}
