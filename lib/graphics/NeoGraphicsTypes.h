#pragma once
// Value types of the graphics layer:
//   - the enumerations the layer shares, and TNeoBitmap, the library's picture class;
//   - rectangle, point, polygon and colour routines over the platform's TRectF/TPointF/TSizeF;
//   - TNeoGraphicsMatrix (3 x 3, row vectors: a point is multiplied from the left) and
//     TNeoGraphicsPath (move-to, line-to, cubic curve-to and close points) with flattening;
//   - the paint descriptions TNeoGraphicsFill, TNeoGraphicsStroke and TNeoGraphicsFont with the
//     gradient stops of a fill, and TNeoGraphicsSaveState;
//   - the table of named colours (GetColorList), built by the unit's start-up.
//
// Change notification of fills, strokes and fonts: every setter returns at once when the value
// equals the stored one (floats compared exactly, so a NaN always counts as a change), else stores
// it and notifies; notifying fires OnChanged(self) only when no update is open. BeginUpdate and
// EndUpdate batch the notifications; EndUpdate notifies.
#include <array>
#include <memory>
#include <vector>

#include "lib/base/NeoPersistence.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Generics.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Types.h"
#include "platform/ui/Graphics.h"

// ---------------------------------------------------------------------------------------------
// Enumerations
// ---------------------------------------------------------------------------------------------
// The colour that is no colour: nothing is painted with it.
constexpr TColor gcNull = -1;

enum TNeoGraphicsFillKind { gfkNone, gfkSolid, gfkGradient, gfkTexture };
enum TNeoGraphicsFillOrientation { gfoHorizontal, gfoVertical, gfoCustom };
enum TNeoGraphicsFillGradientMode { gfgmDefault, gfgmCollection };
enum TNeoGraphicsFillGradientType { gfgtLinear, gfgtRadial };
enum TNeoGraphicsTextureMode { gtmOriginal, gtmFit, gtmStretch, gtmCenter, gtmTile };
enum TNeoGraphicsStrokeKind { gskNone, gskSolid, gskDash, gskDot, gskDashDot, gskDashDotDot };
enum TNeoGraphicsTextAlign { gtaCenter, gtaLeading, gtaTrailing };
enum TNeoGraphicsTextTrimming { gttNone, gttCharacter, gttWord };
enum TNeoGraphicsSide { gsLeft, gsTop, gsRight, gsBottom };
using TNeoGraphicsSides = TSet<TNeoGraphicsSide>;
enum TNeoGraphicsTextQuality { gtqDefault, gtqAntiAliasing, gtqClearType };
enum TNeoGraphicsCorner { gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight };
using TNeoGraphicsCorners = TSet<TNeoGraphicsCorner>;
enum TNeoGraphicsModifyRectMode {
  gcrmNone, gcrmExpandAll, gcrmShrinkAll, gcrmShiftRightAndExpandHeight, gcrmShiftDownAndExpandWidth,
  gcrmShiftRightAndShrinkHeight, gcrmShiftRightDown, gcrmShiftRightUp, gcrmShiftLeftUp, gcrmShiftLeftDown,
  gcrmShiftUpAndExpandWidth, gcrmShiftLeftAndExpandHeight
};
// Accepted by the line drawing of the contexts; no mode changes a point.
enum TNeoGraphicsModifyPointMode { gcpmNone };
enum TNeoGraphicsPathPointKind : Byte { gppMoveTo, gppLineTo, gppCurveTo, gppClose };
enum TNeoGraphicsPathDrawMode { pdmPolygon, pdmPolyline, pdmPath };
enum TNeoGraphicsExpanderState { gesCollapsed, gesExpanded };
enum TNeoGraphicsCompactState { gcsCollapsed, gcsExpanded };

ZELK_DECLARE_ENUM_INFO(TNeoGraphicsFillKind)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsFillOrientation)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsFillGradientMode)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsFillGradientType)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsTextureMode)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsStrokeKind)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsTextAlign)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsTextTrimming)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsSide)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsTextQuality)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsCorner)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsModifyRectMode)

// ---------------------------------------------------------------------------------------------
// TNeoBitmap: the library's picture. A picture with no state of its own; any picture class can be
// its graphic. Code that needs pixels takes them from the graphic.
// ---------------------------------------------------------------------------------------------
class TNeoBitmap : public TPicture {
  ZELK_CLASS(TNeoBitmap, TPicture)
public:
  TNeoBitmap() = default;
};

// ---------------------------------------------------------------------------------------------
// Rectangles, points, polygons and colours
// ---------------------------------------------------------------------------------------------
using TNeoGraphicsPathPolygon = std::vector<TPointF>;

Single RectFWidth(const TRectF& R);
Single RectFHeight(const TRectF& R);
TRectF RectFOffset(const TRectF& R, Single DX, Single DY);
TRectF RectFInflate(const TRectF& R, Single DX, Single DY);
bool RectFContainsPoint(const TRectF& R, TPointF P);
bool RectFEqual(const TRectF& A, const TRectF& B);
bool RectFIsEmpty(const TRectF& R);
// (max Left, max Top, min Right, min Bottom); (0, 0, 0, 0) when that is empty.
TRectF RectFIntersect(const TRectF& R, const TRectF& Clip);
// R moved into Bounds, centred on whole units.
void RectFCenterIn(TRectF& R, const TRectF& Bounds);
TRectF RectFCentered(const TRectF& R, const TRectF& Bounds);
// R scaled by 1 / Ratio to fit Bounds, centred; R and Ratio 1 when Bounds has no area.
TRectF RectFFitInto(const TRectF& R, const TRectF& Bounds, Single& Ratio);
TRectF RectFFitInto(const TRectF& R, const TRectF& Bounds);
// Left and Top truncated to the pixel grid of Scale (1 when not above 0), width and height
// rounded; AHalf moves the result by half a pixel.
TRectF RectFSnapToPixels(const TRectF& R, bool AHalf, Single Scale);
// Values rounded to the nearest integer (halves to even; NaN gives 0).
TRect RectFToRect(const TRectF& R);
TRectF RectToRectF(const TRect& R);
TPointF PointToPointF(const TPoint& P);
TSize SizeFToSize(const TSizeF& S);
TRect RectCopy(const TRect& R);
Single VectorLength(TPointF V);
// Every mode leaves the rectangle as it is.
TRectF ModifyRectF(const TRectF& R, TNeoGraphicsModifyRectMode Mode);
TGraphic* GetPictureGraphic(TPicture* Picture);

// Whether some point of the polygon lies in R.
bool PolygonPointInRect(const TNeoGraphicsPathPolygon& Polygon, const TRectF& R);
// Even-odd test; a point on the right or bottom edge is outside.
bool PointInPolygon(TPointF P, const TNeoGraphicsPathPolygon& Polygon);

TColor RGBToGraphicsColor(Byte R, Byte G, Byte B);
// Each channel moved Percent of its way to 255 (system colours resolved first).
TColor LightenColor(TColor Color, Integer Percent);

// ---------------------------------------------------------------------------------------------
// TNeoGraphicsMatrix
// ---------------------------------------------------------------------------------------------
using TNeoGraphicsMatrixArray = std::array<Single, 9>;

struct TNeoGraphicsMatrix {
  Single m11 = 0, m12 = 0, m13 = 0;
  Single m21 = 0, m22 = 0, m23 = 0;
  Single m31 = 0, m32 = 0, m33 = 0;

  static TNeoGraphicsMatrix Identity();
  static TNeoGraphicsMatrix CreateRotation(Single AAngle);   // radians
  static TNeoGraphicsMatrix CreateScaling(Single AScaleX, Single AScaleY);
  static TNeoGraphicsMatrix CreateTranslation(Single ADeltaX, Single ADeltaY);

  // The nine values row by row.
  TNeoGraphicsMatrixArray M() const { return {m11, m12, m13, m21, m22, m23, m31, m32, m33}; }
  static TNeoGraphicsMatrix FromArray(const TNeoGraphicsMatrixArray& A);

  Single Determinant() const;
  TNeoGraphicsMatrix Adjoint() const;
  // The identity when the determinant is below 1E-40 in magnitude or NaN.
  TNeoGraphicsMatrix Inverse() const;

  friend TNeoGraphicsMatrix operator*(const TNeoGraphicsMatrix& AMatrix1, const TNeoGraphicsMatrix& AMatrix2);
  friend TPointF operator*(TPointF APoint, const TNeoGraphicsMatrix& AMatrix);
  // All nine values exactly equal (a NaN is never equal).
  friend bool operator==(const TNeoGraphicsMatrix& A, const TNeoGraphicsMatrix& B);
};

TNeoGraphicsMatrix MatrixIdentity();
TNeoGraphicsMatrix MatrixEmpty();
bool IsMatrixEmpty(const TNeoGraphicsMatrix& AMatrix);
TNeoGraphicsMatrix MatrixCreateRotation(Single AAngle);
TNeoGraphicsMatrix MatrixCreateScaling(Single AScaleX, Single AScaleY);
TNeoGraphicsMatrix MatrixCreateTranslation(Single ADeltaX, Single ADeltaY);
TNeoGraphicsMatrix MatrixMultiply(const TNeoGraphicsMatrix& AMatrix1, const TNeoGraphicsMatrix& AMatrix2);
TPointF MatrixMultiplyPoint(TPointF APoint, const TNeoGraphicsMatrix& AMatrix);

// ---------------------------------------------------------------------------------------------
// TNeoGraphicsPath
// ---------------------------------------------------------------------------------------------
struct TNeoGraphicsPathPoint {
  TNeoGraphicsPathPointKind Kind = gppMoveTo;
  TPointF Point;
};

namespace Generics::Collections {
template <> struct TTypeName<TNeoGraphicsPathPoint> {
  static String Get() { return u"TNeoGraphicsPathPoint"; }
};
}  // namespace Generics::Collections

using TNeoGraphicsPathPoints = Generics::Collections::TList<TNeoGraphicsPathPoint>;
// Start, control 1, control 2, end.
using TNeoGraphicsPathCubicBezier = std::array<TPointF, 4>;

// The polynomial of a cubic Bezier: A t^3 + B t^2 + C t + start.
struct TNeoGraphicsBezierCoefficients {
  TPointF A, B, C;
};

class TNeoGraphicsPath : public TPersistent {
  ZELK_CLASS(TNeoGraphicsPath, TPersistent)
public:
  // The flatness the hit tests flatten with.
  static constexpr Single HitTestFlatness = 0.25f;
  // A flatness at or below this (or NaN) counts as this.
  static constexpr Single MinFlatness = 0.05f;
  // The most samples one curve is flattened into, whatever its length.
  static constexpr Integer MaxCurveSamples = 65536;

  TNeoGraphicsPath();
  ~TNeoGraphicsPath() override;
  // From another path: its points (other sources: the base class's assignment).
  void Assign(TPersistent* Source) override;

  void Clear();
  Integer GetCount() const { return FPoints->GetCount(); }
  // EArgumentOutOfRangeException for an index outside the list.
  const TNeoGraphicsPathPoint& GetPoint(Integer AIndex) const { return FPoints->GetItem(AIndex); }
  TNeoGraphicsPathPoints* GetPathData() const { return FPoints.get(); }
  bool GetClippable() const { return FClippable; }
  void SetClippable(bool Value) { FClippable = Value; }
  bool IsClippable() const { return FClippable; }
  // (0, 0) when empty.
  TPointF LastPoint() const;

  void MoveTo(TPointF P);
  // A line back to the figure's start makes the path clippable.
  void LineTo(TPointF P);
  void CurveTo(TPointF ControlPoint1, TPointF ControlPoint2, TPointF EndPoint);
  void QuadCurveTo(TPointF ControlPoint, TPointF EndPoint);
  void SmoothCurveTo(TPointF ControlPoint2, TPointF EndPoint);
  void ClosePath();
  void AddPath(const TNeoGraphicsPath* APath);
  void AddPolygon(const TNeoGraphicsPathPolygon& APolygon);
  void AddLine(TPointF StartPoint, TPointF EndPoint);
  void AddRectangle(const TRectF& ARect, Single ARoundingX = 0, Single ARoundingY = 0);
  void AddEllipse(const TRectF& ARect);
  // Angles in degrees, clockwise on screen; the sweep is limited to one turn either way.
  void AddArc(TPointF Center, TPointF Radius, Single StartAngle, Single SweepAngle);

  // (0, 0, 0, 0) for a path without points; a flat side is widened to 0.001.
  TRectF GetBounds() const;
  // Every point but the close markers multiplied by the matrix.
  void ApplyMatrix(const TNeoGraphicsMatrix& AMatrix);
  // Replaces the curves by lines.
  void Flatten(Single Flatness);
  // The outline as one polygon (close markers return to the figure's start), without points
  // repeated within 0.001; the path stays as it is.
  void FlattenToPolygon(TNeoGraphicsPathPolygon& Polygon, Single Flatness) const;
  bool IsPointVisible(TPointF P) const;
  bool IsRectVisible(const TRectF& R) const;

  // PointCount points of the curve at t = 0, 1/(n-1), 2/(n-1) ... (single-precision steps).
  static TNeoGraphicsPathPolygon CreateBezier(const TNeoGraphicsPathCubicBezier& Bezier, Integer PointCount);
  static TNeoGraphicsBezierCoefficients BezierCoefficients(const TNeoGraphicsPathCubicBezier& Bezier);
  static TPointF PointOnBezier(TPointF StartPoint, const TNeoGraphicsBezierCoefficients& Coefficients, Single T);
  // The curve's length estimated over 6 samples.
  static Single BezierLength(const TNeoGraphicsPathCubicBezier& Bezier);
  // The flatness the flattenings work with: at least MinFlatness.
  static Single EffectiveFlatness(Single Flatness);
  // Samples for a curve: its length over the effective flatness, to the nearest integer (halves
  // to even), at most MaxCurveSamples.
  static Integer CurveSampleCount(const TNeoGraphicsPathCubicBezier& Bezier, Single Flatness);

  // The curve that starts at Current and takes the three curve points from AIndex on (a curve
  // cut short by the end of the list ends at the last point).
  TNeoGraphicsPathCubicBezier CurveAt(TPointF Current, Integer AIndex) const;

private:
  void Append(TNeoGraphicsPathPointKind Kind, TPointF P) { FPoints->Add({Kind, P}); }

  TPointF FStartPoint;
  bool FClippable = false;
  std::unique_ptr<TNeoGraphicsPathPoints> FPoints;
};

// ---------------------------------------------------------------------------------------------
// Persistence of the paint descriptions: a property is written only when it is stored and differs
// from its published default (and is not in the process-wide exclude list), so that a document
// holds what differs from a new object. Reading takes every property not excluded.
// ---------------------------------------------------------------------------------------------
class TNeoStoredPropertiesFilter : public IPersistPropertyFilter {
public:
  bool CanWriteProperty(TObject* AObject, const String& APropertyName, TTypeKind APropertyKind) override;
  bool CanReadProperty(TObject* AObject, const String& APropertyName, TTypeKind APropertyKind) override;

protected:
  ~TNeoStoredPropertiesFilter() = default;
};

// ---------------------------------------------------------------------------------------------
// The library's typed owned collection
// ---------------------------------------------------------------------------------------------
template <class T>
class TNeoOwnedCollection : public TOwnedCollection {
  ZELK_CLASS_NAMED(TNeoOwnedCollection, TOwnedCollection, u"TNeoOwnedCollection<" + T::StaticClass()->Name + u">")
public:
  TNeoOwnedCollection(TPersistent* AOwner, TClass AItemClass) : TOwnedCollection(AOwner, AItemClass) {}

  T* GetItem(Integer AIndex) const { return static_cast<T*>(TCollection::GetItem(AIndex)); }

  class TEnumerator {
  public:
    explicit TEnumerator(const TNeoOwnedCollection* ACol) : FCol(ACol) {}
    bool MoveNext() {
      if (FIndex >= FCol->GetCount() - 1) return false;
      ++FIndex;
      return true;
    }
    T* Current() const { return FCol->GetItem(FIndex); }

  private:
    Integer FIndex = -1;
    const TNeoOwnedCollection* FCol;
  };
  TEnumerator GetEnumerator() const { return TEnumerator(this); }
};

// ---------------------------------------------------------------------------------------------
// Fills, strokes, fonts
// ---------------------------------------------------------------------------------------------
class TNeoCustomGraphicsFill;

// One stop of a gradient: colour, position 0..1 and opacity 0..1. Its changes notify the fill.
class TNeoGraphicsFillGradientItem : public TCollectionItem, public TNeoStoredPropertiesFilter {
  ZELK_CLASS(TNeoGraphicsFillGradientItem, TCollectionItem)
public:
  explicit TNeoGraphicsFillGradientItem(TCollection* ACollection);
  // From another item: colour, opacity and position, without notifying.
  void Assign(TPersistent* Source) override;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  Single GetPosition() const { return FPosition; }
  void SetPosition(Single Value);
  Single GetOpacity() const { return FOpacity; }
  void SetOpacity(Single Value);

private:
  TColor FColor = 0xFFFFFF;
  Single FPosition = 0;
  Single FOpacity = 1;
};

class TNeoGraphicsFillGradientItems : public TNeoOwnedCollection<TNeoGraphicsFillGradientItem> {
  ZELK_CLASS(TNeoGraphicsFillGradientItems, TNeoOwnedCollection<TNeoGraphicsFillGradientItem>)
public:
  explicit TNeoGraphicsFillGradientItems(TNeoCustomGraphicsFill* AOwner);

  TNeoGraphicsFillGradientItem* Add() { return static_cast<TNeoGraphicsFillGradientItem*>(TCollection::Add()); }
  TNeoGraphicsFillGradientItem* Insert(Integer Index) {
    return static_cast<TNeoGraphicsFillGradientItem*>(TCollection::Insert(Index));
  }
  TNeoGraphicsFillGradientItem* GetItemEx(Integer Index) const { return GetItem(Index); }
  void SetItemEx(Integer Index, TNeoGraphicsFillGradientItem* Value) { SetItem(Index, Value); }

protected:
  // Every change reaches the owner fill's notification.
  void Update(TCollectionItem* Item) override;

private:
  TNeoCustomGraphicsFill* FOwner;
};

class TNeoCustomGraphicsFill : public TPersistent, public TNeoStoredPropertiesFilter {
  ZELK_CLASS(TNeoCustomGraphicsFill, TPersistent)
public:
  // The colour is stored as given (no translation of clNone or clDefault); the gradient matrix is
  // the identity.
  explicit TNeoCustomGraphicsFill(TNeoGraphicsFillKind AKind = gfkSolid, TColor AColor = 0xFFFFFF);
  ~TNeoCustomGraphicsFill() override;
  // From a fill: everything, the gradient matrix included. From a stroke: a solid vertical fill of
  // its colour. Other sources copy nothing. The fill notifies in every case.
  void Assign(TPersistent* Source) override;
  virtual void BeginUpdate() { ++FUpdateCount; }
  virtual void EndUpdate();
  virtual void ClearGradientItems();
  virtual TNeoGraphicsFillGradientItem* AddGradientItem(TColor AColor, Single APosition, Single AOpacity);

  TNeoGraphicsFillKind GetKind() const { return FKind; }
  void SetKind(TNeoGraphicsFillKind Value);
  TNeoGraphicsFillOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TNeoGraphicsFillOrientation Value);
  TNeoGraphicsFillOrientation GetGradientOrientation() const { return FOrientation; }
  void SetGradientOrientation(TNeoGraphicsFillOrientation Value) { SetOrientation(Value); }
  // The colour setters compare the value as given with the stored one, then store clNone as
  // gcNull and clDefault as the button face colour.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor GetColorMirror() const { return FColorMirror; }
  void SetColorMirror(TColor Value);
  TColor GetColorMirrorTo() const { return FColorMirrorTo; }
  void SetColorMirrorTo(TColor Value);
  Single GetOpacity() const { return FOpacity; }
  void SetOpacity(Single Value);
  TNeoBitmap* GetTexture() const { return FTexture.get(); }
  void SetTexture(TNeoBitmap* Value);
  TNeoGraphicsTextureMode GetTextureMode() const { return FTextureMode; }
  void SetTextureMode(TNeoGraphicsTextureMode Value);
  TNeoGraphicsFillGradientMode GetGradientMode() const { return FGradientMode; }
  void SetGradientMode(TNeoGraphicsFillGradientMode Value);
  TNeoGraphicsFillGradientItems* GetGradientItems() const { return FGradientItems.get(); }
  void SetGradientItems(TNeoGraphicsFillGradientItems* Value);
  TNeoGraphicsFillGradientType GetGradientType() const { return FGradientType; }
  void SetGradientType(TNeoGraphicsFillGradientType Value);
  Single GetGradientAngle() const { return FGradientAngle; }
  void SetGradientAngle(Single Value);
  // Always stores and notifies.
  TPointF GetGradientCenterPoint() const { return FGradientCenterPoint; }
  void SetGradientCenterPoint(TPointF Value);
  // Stored as given.
  TColor GetGradientCenterColor() const { return FGradientCenterColor; }
  void SetGradientCenterColor(TColor Value);
  const TNeoGraphicsMatrix& GetGradientMatrix() const { return FGradientMatrix; }
  void SetGradientMatrix(const TNeoGraphicsMatrix& Value);

  TNotifyEvent OnChanged;

protected:
  // Fires OnChanged unless an update is open.
  void Changed();

private:
  void CopyFrom(TPersistent* Source);
  void SetColorField(TColor& Field, TColor Value);

  Integer FUpdateCount = 0;
  TNeoGraphicsFillOrientation FOrientation = gfoVertical;
  TNeoGraphicsFillKind FKind;
  TColor FColor;
  TColor FColorTo = 0x808080;
  TColor FColorMirror = gcNull;
  TColor FColorMirrorTo = gcNull;
  Single FOpacity = 1;
  std::unique_ptr<TNeoBitmap> FTexture;
  TNeoGraphicsTextureMode FTextureMode = gtmStretch;
  TNeoGraphicsFillGradientMode FGradientMode = gfgmDefault;
  std::unique_ptr<TNeoGraphicsFillGradientItems> FGradientItems;
  TNeoGraphicsFillGradientType FGradientType = gfgtLinear;
  Single FGradientAngle = 0;
  TPointF FGradientCenterPoint;
  TColor FGradientCenterColor = gcNull;
  TNeoGraphicsMatrix FGradientMatrix = TNeoGraphicsMatrix::Identity();

  friend class TNeoGraphicsFillGradientItems;
};

class TNeoGraphicsFill : public TNeoCustomGraphicsFill {
  ZELK_CLASS(TNeoGraphicsFill, TNeoCustomGraphicsFill)
public:
  using TNeoCustomGraphicsFill::TNeoCustomGraphicsFill;
};

class TNeoCustomGraphicsStroke : public TPersistent, public TNeoStoredPropertiesFilter {
  ZELK_CLASS(TNeoCustomGraphicsStroke, TPersistent)
public:
  explicit TNeoCustomGraphicsStroke(TNeoGraphicsStrokeKind AKind = gskSolid, TColor AColor = 0xC0C0C0);
  // From a stroke: colour, kind, opacity, width. From a fill: a solid stroke of its colour,
  // opacity 1, width 1. Then notifies.
  void Assign(TPersistent* Source) override;
  virtual void BeginUpdate() { ++FUpdateCount; }
  virtual void EndUpdate();

  TNeoGraphicsStrokeKind GetKind() const { return FKind; }
  void SetKind(TNeoGraphicsStrokeKind Value);
  // Compares the value as given, then stores clNone as gcNull and clDefault as button face.
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  Single GetWidth() const { return FWidth; }
  void SetWidth(Single Value);
  Single GetOpacity() const { return FOpacity; }
  void SetOpacity(Single Value);

  TNotifyEvent OnChanged;

protected:
  void Changed();

private:
  Integer FUpdateCount = 0;
  TNeoGraphicsStrokeKind FKind;
  TColor FColor;
  Single FWidth = 1;
  Single FOpacity = 1;
};

class TNeoGraphicsStroke : public TNeoCustomGraphicsStroke {
  ZELK_CLASS(TNeoGraphicsStroke, TNeoCustomGraphicsStroke)
public:
  using TNeoCustomGraphicsStroke::TNeoCustomGraphicsStroke;
};

// The class library's font with batched change notification: every change of the font fires
// OnChanged (unless an update is open).
class TNeoGraphicsFont : public TFont {
  ZELK_CLASS(TNeoGraphicsFont, TFont)
public:
  TNeoGraphicsFont();
  // The font's own assignment, then one notification.
  void Assign(TPersistent* Source) override;
  virtual void AssignSource(TPersistent* Source) { Assign(Source); }
  virtual void BeginUpdate() { ++FUpdateCount; }
  virtual void EndUpdate();

  TNotifyEvent OnChanged;

protected:
  void NotifyChanged();

private:
  Integer FUpdateCount = 0;
};

// The drawing state a context saves: font, stroke and fill copies and the back ends' saved
// device-context numbers.
class TNeoGraphicsSaveState : public TPersistent {
  ZELK_CLASS(TNeoGraphicsSaveState, TPersistent)
public:
  // A solid white fill, a solid $C0C0C0 stroke and a default font.
  TNeoGraphicsSaveState();
  ~TNeoGraphicsSaveState() override;

  Integer GetSaveDC() const { return FSaveDC; }
  void SetSaveDC(Integer Value) { FSaveDC = Value; }
  Integer GetCustomSaveDC() const { return FCustomSaveDC; }
  void SetCustomSaveDC(Integer Value) { FCustomSaveDC = Value; }
  TNeoGraphicsFont* GetFont() const { return FFont.get(); }
  void SetFont(TNeoGraphicsFont* Value) { FFont->AssignSource(Value); }
  TNeoGraphicsStroke* GetStroke() const { return FStroke.get(); }
  void SetStroke(TNeoGraphicsStroke* Value) { FStroke->Assign(Value); }
  TNeoGraphicsFill* GetFill() const { return FFill.get(); }
  void SetFill(TNeoGraphicsFill* Value) { FFill->Assign(Value); }

private:
  Integer FSaveDC = 0;
  std::unique_ptr<TNeoGraphicsFont> FFont;
  std::unique_ptr<TNeoGraphicsStroke> FStroke;
  std::unique_ptr<TNeoGraphicsFill> FFill;
  Integer FCustomSaveDC = 0;
};

// ---------------------------------------------------------------------------------------------
// Named colours
// ---------------------------------------------------------------------------------------------
class TNeoGraphicsColorObject : public TObject {
  ZELK_CLASS(TNeoGraphicsColorObject, TObject)
public:
  explicit TNeoGraphicsColorObject(TColor AColor) : FColor(AColor) {}
  TColor GetColor() const { return FColor; }

private:
  TColor FColor;
};

// The 160 named colours: lower-case names (sorted once, searched linearly and without regard to
// case) with their TNeoGraphicsColorObject. nullptr before the unit's start-up.
TStringList* GetColorList();
// The colour of a name in the table; false when the table has no such name.
bool FindNamedColor(const String& AName, TColor& AColor);
// "#RGB" (each digit doubled) or "#RRGGBB" (characters 2-7) as R + G·256 + B·65536;
// EConvertError for digits that are not hexadecimal.
TColor HTMLToColor(const String& AHTML);
// A named colour, without regard to case and without a leading "cl", "cla" or "gc"; 0 when the
// table has no such name.
TColor TextToColor(const String& AText);

// Publishes the properties of the layer's persistent classes and registers them by name;
// later calls do nothing.
void RegisterNeoGraphicsTypesRtti();
// Registers the unit's start-up (properties, the colour table) and finalisation (the table
// released) with the program's units.
void RegisterNeoGraphicsTypesUnit();
