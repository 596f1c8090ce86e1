#pragma once
// TNeoGraphicsSVGImport reads an SVG document through the XML document model into a tree of
// TNeoGraphicsSVGElement with parsed geometry, transforms, style values and outlines, resolves
// the references between elements and computes the document's view rectangle. What it does not
// recognise it skips.
//
// Numbers are read with "." as decimal and "," as thousand separator whatever the process-wide
// format settings say. Non-finite numbers count as 0.
#include <memory>
#include <vector>

#include "lib/base/NeoObjectJSON.h"
#include "lib/graphics/NeoGraphicsTypes.h"
#include "lib/render/NeoSVGBitmap.h"
#include "platform/rtl/Generics.h"
#include "platform/rtl/XMLDoc.h"

enum TNeoGraphicsSVGElementType {
  etContainer, etSwitch, etDefs, etUse, etRect, etLine, etPolyline, etPolygon, etCircle, etEllipse, etPath,
  etImage, etText, etTextSpan, etTextSpanChild, etTextPath, etClipPath, etLinearGradient, etRadialGradient,
  etStyle, etStop, etPattern, etUnknown
};
enum TNeoGraphicsSVGElementPreserveAspectRatio { parNone, parOther };

ZELK_DECLARE_ENUM_INFO(TNeoGraphicsSVGElementType)
ZELK_DECLARE_ENUM_INFO(TNeoGraphicsSVGElementPreserveAspectRatio)

// A list of T; owning or holding references only. A generic object list, so that the JSON
// operations write it as an array.
template <class T, bool Owning>
class TNeoSVGList : public Generics::Collections::TObjectList<T> {
  using TBase = Generics::Collections::TObjectList<T>;
  ZELK_CLASS_NAMED(TNeoSVGList, TBase,
                   (Owning ? u"TNeoSVGList<" : u"TNeoSVGRefList<") + T::StaticClass()->Name + u">")
public:
  TNeoSVGList() : TBase(Owning) {}
  TNeoSVGList(const TNeoSVGList&) = delete;
  TNeoSVGList& operator=(const TNeoSVGList&) = delete;

  T* GetItem(Integer Index) const { return TBase::GetItem(Index); }
  T* Last() const { return this->GetCount() > 0 ? TBase::Last() : nullptr; }
  // An owning list takes the item over.
  T* Add(T* Item) {
    TBase::Add(Item);
    return Item;
  }
};

class TNeoGraphicsSVGElement;
class TNeoSVGDrawSurface;
class TNeoGraphics;
using TNeoGraphicsSVGElementList = TNeoSVGList<TNeoGraphicsSVGElement, true>;
using TNeoGraphicsSVGElementClassList = TNeoSVGList<TNeoGraphicsSVGElement, false>;
using TNeoGraphicsSVGElementPathList = TNeoSVGList<TNeoGraphicsPath, true>;

class TNeoGraphicsSVGElement : public TObject, public TNeoJSONMethods<TNeoGraphicsSVGElement> {
  ZELK_CLASS(TNeoGraphicsSVGElement, TObject)
public:
  TNeoGraphicsSVGElement();
  ~TNeoGraphicsSVGElement() override;

  // Created on first use.
  TNeoGraphicsSVGElementList* GetElements();
  TNeoGraphicsSVGElementPathList* GetPaths();
  TNeoBitmap* GetBitmap();
  // All sub-paths joined, built on first use; nullptr while the element has no paths.
  TNeoGraphicsPath* GetCombinedPath();
  // The last sub-path; nullptr when there is none.
  TNeoGraphicsPath* GetActivePath() const;
  bool HasActivePath() const { return GetActivePath() != nullptr; }
  bool HasElements() const { return FElements != nullptr; }
  bool HasPaths() const { return FPaths != nullptr; }
  bool HasBitmap() const { return FBitmap != nullptr; }
  // Frees the picture (an image that could not be loaded has none).
  void FreeBitmap() { FBitmap.reset(); }

  // The value text is none of "none", "transparent", "default".
  bool HasFillColor() const;
  bool HasStrokeColor() const;
  bool HasStopColor() const;
  // The value text is not "default".
  bool HasFontSize() const { return FFontSizeValue != u"default"; }
  bool HasOffset() const { return FOffsetValue != u"default"; }
  bool HasOpacity() const { return FOpacityValue != u"default"; }
  bool HasPreserveAspectRatio() const { return FPreserveAspectRatioValue != u"default"; }
  bool HasStrokeWidth() const { return FStrokeWidthValue != u"default"; }
  bool HasStopOpacity() const { return FStopOpacityValue != u"default"; }

  const String& GetID() const { return FID; }
  const String& GetClassRefID() const { return FClassRefID; }
  const String& GetURLRefID() const { return FURLRefID; }
  const String& GetHRefID() const { return FHRefID; }
  const String& GetClipPathRefID() const { return FClipPathRefID; }
  TNeoGraphicsSVGElementType GetType() const { return FType; }
  void SetType(TNeoGraphicsSVGElementType Value) { FType = Value; }
  Single GetX() const { return FXV; }
  Single GetY() const { return FYV; }
  Single GetWidth() const { return FWidth; }
  Single GetHeight() const { return FHeight; }
  Single GetRx() const { return FRx; }
  Single GetRy() const { return FRy; }
  Single GetCX() const { return FCX; }
  Single GetCY() const { return FCY; }
  bool GetHasCX() const { return FHasCX; }
  bool GetHasCY() const { return FHasCY; }
  const TNeoGraphicsMatrix& GetMatrix() const { return FMatrix; }
  const TNeoGraphicsMatrix& GetGradientMatrix() const { return FGradientMatrix; }
  Single GetStrokeWidth() const { return FStrokeWidth; }
  const String& GetFillColorValue() const { return FFillColorValue; }
  const String& GetStrokeColorValue() const { return FStrokeColorValue; }
  const String& GetStrokeWidthValue() const { return FStrokeWidthValue; }
  const String& GetOpacityValue() const { return FOpacityValue; }
  const String& GetOffsetValue() const { return FOffsetValue; }
  const String& GetStopColorValue() const { return FStopColorValue; }
  const String& GetStopOpacityValue() const { return FStopOpacityValue; }
  const String& GetFontSizeValue() const { return FFontSizeValue; }
  const String& GetDisplayValue() const { return FDisplayValue; }
  const String& GetPreserveAspectRatioValue() const { return FPreserveAspectRatioValue; }
  Single GetFontSize() const { return FFontSize; }
  const String& GetFontFamily() const { return FFontFamily; }
  TFontStyles GetFontStyle() const { return FFontStyle; }
  const String& GetText() const { return FText; }
  TColor GetFillColor() const { return FFillColor; }
  TColor GetStrokeColor() const { return FStrokeColor; }
  TNeoGraphicsSVGElement* GetParent() const { return FParent; }
  TNeoGraphicsSVGElement* GetClassRef() const { return FClassRef; }
  TNeoGraphicsSVGElement* GetHRefRef() const { return FHRefRef; }
  TNeoGraphicsSVGElement* GetPatternRef() const { return FPatternRef; }
  TNeoGraphicsSVGElement* GetClipPathRef() const { return FClipPathRef; }
  TNeoGraphicsSVGElementPreserveAspectRatio GetPreserveAspectRatio() const { return FPreserveAspectRatio; }
  Single GetOpacity() const { return FOpacity; }
  Single GetOffset() const { return FOffset; }
  TColor GetStopColor() const { return FStopColor; }
  Single GetStopOpacity() const { return FStopOpacity; }

private:
  friend class TNeoGraphicsSVGImport;
  friend class TNeoSVGStyleReader;

  std::unique_ptr<TNeoBitmap> FBitmap;
  std::unique_ptr<TNeoGraphicsPath> FCombinedPath;
  std::unique_ptr<TNeoGraphicsSVGElementPathList> FPaths;
  std::unique_ptr<TNeoGraphicsSVGElementList> FElements;
  TNeoGraphicsSVGElementType FType = etContainer;
  Single FWidth = 0, FXV = 0, FYV = 0, FHeight = 0, FRx = 0, FRy = 0;
  TNeoGraphicsMatrix FMatrix;   // all zeros: no transform
  TColor FFillColor = 0, FStrokeColor = 0;
  String FFillColorValue, FStrokeColorValue;
  TNeoGraphicsSVGElement* FParent = nullptr;
  Single FStrokeWidth = 1;
  String FStrokeWidthValue, FOpacityValue, FOffsetValue;
  Single FOffset = 0;
  String FStopColorValue;
  TColor FStopColor = 0;
  String FStopOpacityValue;
  Single FStopOpacity = 1;
  Single FOpacity = 1;
  String FID, FClassRefID;
  TNeoGraphicsSVGElement* FClassRef = nullptr;
  String FHRefID, FURLRefID;
  TNeoGraphicsSVGElement* FHRefRef = nullptr;
  TNeoGraphicsSVGElement* FPatternRef = nullptr;
  String FClipPathRefID;
  TNeoGraphicsSVGElement* FClipPathRef = nullptr;
  String FFontFamily, FFontSizeValue;
  Single FFontSize = 0;
  TFontStyles FFontStyle;
  String FText;
  String FDisplayValue;
  String FPreserveAspectRatioValue;
  TNeoGraphicsSVGElementPreserveAspectRatio FPreserveAspectRatio = parOther;
  Single FFR = 0, FCX = 0, FCY = 0, FFX = 0, FFY = 0;
  bool FHasCX = false, FHasCY = false;
  TNeoGraphicsMatrix FGradientMatrix;
};

class TNeoGraphicsSVGImport : public TNeoSVGImport {
  ZELK_CLASS(TNeoGraphicsSVGImport, TNeoSVGImport)
public:
  // The view-rectangle markers for "nothing seen".
  static constexpr Single ViewMarkerLow = 2147483648.0f;
  static constexpr Single ViewMarkerHigh = -2147483648.0f;

  TNeoGraphicsSVGImport();
  ~TNeoGraphicsSVGImport() override;

  bool HasElements() override { return ElementCount() > 0; }
  Integer ElementCount() override { return FElementList.GetCount(); }
  void Clear() override;
  // Parses the document; the XML document model's EDOMParseError when it is not well-formed (the
  // importer stays empty).
  void LoadFromText(const String& AText) override;
  void LoadFromFile(const String& AFile) override;
  // Reads the stream from its start as UTF-8 text.
  void LoadFromStream(TStream* AStream) override;
  // The document model's serialisation; nothing when no document is held.
  void SaveToStream(TStream* AStream) override;
  void SaveToFile(const String& AFile) override;

  // Draws the document with its view rectangle mapped onto ARect. Nothing is drawn for an empty
  // document, a view rectangle without area, or a target whose scale is zero or not finite.
  // Through a graphics object over the canvas; with ANative on the GDI+ back end (when the
  // program has one), anti-aliased, as one scene that is rendered even when drawing fails.
  void Draw(TCanvas* ACanvas, const TRectF& ARect, bool ANative) override;
  // On AGraphics, or with ARecreateGraphics on a new graphics object over its canvas; native
  // (as above, and after AGraphics' own matrix) only when ANative and ARecreateGraphics.
  void Draw(TNeoGraphics* AGraphics, const TRectF& ARect, bool ANative, bool ARecreateGraphics);
  // The document drawn into a new bitmap owned by the importer until the next call: AWidth x
  // AHeight when both exceed -1, else the view rectangle at its place (the bitmap reaches from
  // (0, 0) to the rounded bottom-right corner). An empty bitmap when the view rectangle has no
  // area or the size rounds to nothing; nullptr for an empty document.
  TNeoBitmap* GenerateBitmap(Single AWidth, Single AHeight) override;
  // Draws on a drawing surface (NeoGraphicsSVGDrawInternal.h) with the view mapping onto ARect
  // and without a scene of its own.
  void DrawOnSurface(TNeoSVGDrawSurface& ASurface, const TRectF& ARect);
  // The view mapping of the last draw.
  const TNeoGraphicsMatrix& GetDrawMatrix() const { return FMatrix; }

  TNeoGraphicsSVGElementList& GetElementList() { return FElementList; }
  TNeoGraphicsSVGElementList& GetDefsList() { return FDefsList; }
  TNeoGraphicsSVGElementClassList& GetElementClassList() { return FElementClassList; }
  TNeoGraphicsSVGElementClassList& GetElementPatternList() { return FElementPatternList; }
  TNeoGraphicsSVGElementClassList& GetElementClipPathList() { return FElementClipPathList; }
  const IXMLDocumentPtr& GetXML() const { return FXML; }

private:
  // Sets the view mapping onto ARect; false when nothing is to be drawn.
  bool MapView(const TRectF& ARect, Single& AScaleX);
  void DrawElementsOn(TNeoSVGDrawSurface& ASurface, Single AScaleX);
  void DrawScene(TNeoGraphics& AGraphics, const TRectF& ARect, bool ANative, Single AScaleX);
  void ParseElements(TNeoGraphicsSVGElementList& AList, const IXMLNode& ANode, TNeoGraphicsSVGElement* AParent,
                     bool AUpdateViewRect);
  void ReadElement(TNeoGraphicsSVGElement& AElement, const IXMLNode& ANode);
  void BuildElement(TNeoGraphicsSVGElement& AElement, const IXMLNode& ANode, bool AUpdateViewRect);
  void ParseStyleNode(const IXMLNode& ANode);
  void ParseStyle(TNeoGraphicsSVGElement& AElement, const String& AText);
  void LoadImage(TNeoGraphicsSVGElement& AElement, const IXMLNode& ANode);
  void UpdateViewRect(const TNeoGraphicsSVGElement& AElement, const TRectF& ARect);
  void ResolveClassReferences(TNeoGraphicsSVGElementClassList& AList);
  void ResolveClassReference(TNeoGraphicsSVGElement& AElement);

  IXMLDocumentPtr FXML;
  TNeoGraphicsSVGElementClassList FElementClassList;
  TNeoGraphicsSVGElementClassList FElementPatternList;
  TNeoGraphicsSVGElementClassList FElementClipPathList;
  TNeoGraphicsSVGElementList FElementList;
  TNeoGraphicsSVGElementList FDefsList;
  std::unique_ptr<TNeoBitmap> FCachedBitmap;
  TNeoGraphicsMatrix FMatrix = TNeoGraphicsMatrix::Identity();
  TNeoGraphicsMatrix FTextMatrix = TNeoGraphicsMatrix::Identity();
};

// ---------------------------------------------------------------------------------------------
// The parser's text routines.
// ---------------------------------------------------------------------------------------------
namespace NeoSVG {

// A plain number with "." as decimal separator; false when the text is no number or not finite.
bool TryToNumber(StringView AText, Double& AValue);
// 0 when the text does not convert.
Single ToNumber(StringView AText);
// Lengths with their unit: px 1, pt 1.25, pc 15, mm 10, cm 100, in 25.4, em, ex and % 1.
Single ParseLength(StringView AText);
// The unit ParseLength recognised ("" when none).
String LengthUnit(StringView AText);
// Radians from "deg", "grad", "rad" or plain degrees.
Single ParseAngle(StringView AText);
// The transform list of an attribute text; every function's matrix multiplied on the right.
TNeoGraphicsMatrix ParseTransformText(StringView AText);
// The attribute's transform; all zeros when the node has no such attribute.
TNeoGraphicsMatrix ParseTransform(const IXMLNode& ANode, StringView AName);
// "rgb(r, g, b)" or "rgba(r, g, b, a)" as R + G·256 + B·65536; −1 when malformed. AAlpha is 255
// for "rgb", the alpha component otherwise (−1 when it is no integer).
TColor ParseColorFunction(StringView AText, Integer& AAlpha);
Integer ParseColorComponent(StringView AText);
// The name with its style words noted (bold, italic).
String ParseFontFamily(StringView AText, TFontStyles& AStyle);
// The path data ("d") as command and number tokens.
std::vector<String> TokenizePathData(StringView AData);
std::vector<String> TokenizePathCommand(Char ALetter, StringView AText);
// Sub-paths (one per move command) from the tokens.
void BuildPath(const std::vector<String>& ATokens, TNeoGraphicsSVGElementPathList& APaths);
// The endpoint arc as cubic curves on APath.
// The flags count as set only when 1. A segment that would not be finite is dropped.
void AddArcToPath(TNeoGraphicsPath& APath, Integer ALarge, Integer ASweep, Double ARotation, Double ARx, Double ARy,
                  Double AX1, Double AY1, Double AX2, Double AY2);

}  // namespace NeoSVG
