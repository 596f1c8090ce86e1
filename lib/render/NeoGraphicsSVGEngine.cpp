// TNeoGraphicsSVGElement and TNeoGraphicsSVGImport: the document model and its parser.
#include "lib/render/NeoGraphicsSVGEngine.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#include "lib/base/NeoUtils.h"
#include "lib/render/NeoGraphicsSVGInternal.h"
#include "platform/rtl/StringLists.h"

using namespace NeoSVG;

ZELK_ENUM_INFO(TNeoGraphicsSVGElementType, etContainer, etSwitch, etDefs, etUse, etRect, etLine, etPolyline, etPolygon,
               etCircle, etEllipse, etPath, etImage, etText, etTextSpan, etTextSpanChild, etTextPath, etClipPath,
               etLinearGradient, etRadialGradient, etStyle, etStop, etPattern, etUnknown)
ZELK_ENUM_INFO(TNeoGraphicsSVGElementPreserveAspectRatio, parNone, parOther)

namespace {

constexpr StringView DefaultValue = u"default";

bool IsColorValue(const String& AValue) {
  return AValue != u"none" && AValue != u"transparent" && AValue != DefaultValue;
}

TNeoGraphicsSVGElementType ElementTypeByName(const String& AName) {
  static const std::pair<StringView, TNeoGraphicsSVGElementType> names[] = {
      {u"g", etContainer}, {u"switch", etSwitch}, {u"defs", etDefs}, {u"stop", etStop}, {u"style", etStyle},
      {u"pattern", etPattern}, {u"use", etUse}, {u"rect", etRect}, {u"line", etLine}, {u"polyline", etPolyline},
      {u"polygon", etPolygon}, {u"circle", etCircle}, {u"ellipse", etEllipse}, {u"path", etPath},
      {u"image", etImage}, {u"text", etText}, {u"tspan", etTextSpan}, {u"#text", etTextSpanChild},
      {u"textPath", etTextPath}, {u"clipPath", etClipPath}, {u"linearGradient", etLinearGradient},
      {u"radialGradient", etRadialGradient}};
  for (const auto& [name, type] : names)
    if (name == AName) return type;
  return etUnknown;
}

bool IsGradientOrPattern(TNeoGraphicsSVGElementType AType) {
  return AType == etLinearGradient || AType == etRadialGradient || AType == etPattern;
}

// A colour declaration: "#" through HTMLToColor (malformed digits give −1), "rgb…" through the
// colour function (alpha 0 turns the value into "none"), anything else by name.
TColor ParseColorValue(String& AValue) {
  if (AValue.starts_with(u"#")) {
    try {
      return HTMLToColor(AValue);
    } catch (EConvertError&) {
      return -1;
    }
  }
  if (AValue.starts_with(u"rgb")) {
    Integer alpha = 255;
    const TColor color = ParseColorFunction(AValue, alpha);
    if (alpha == 0) AValue = u"none";
    return color;
  }
  return TextToColor(AValue);
}

// The bounds of the corners of ARect mapped by AMatrix.
TRectF MapBounds(const TRectF& ARect, const TNeoGraphicsMatrix& AMatrix) {
  const TPointF corners[] = {TPointF{ARect.Left, ARect.Top}, TPointF{ARect.Right, ARect.Top},
                             TPointF{ARect.Left, ARect.Bottom}, TPointF{ARect.Right, ARect.Bottom}};
  TRectF r{1, 1, -1, -1};
  bool first = true;
  for (TPointF c : corners) {
    const TPointF p = c * AMatrix;
    if (first) r = TRectF{p.X, p.Y, p.X, p.Y};
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X);
    r.Bottom = std::max(r.Bottom, p.Y);
    first = false;
  }
  return r;
}

// Points of a "points" attribute; false for an odd count of numbers.
bool ParsePoints(const String& AText, std::vector<TPointF>& APoints) {
  String text;
  for (std::size_t i = 0; i < AText.size(); ++i) {
    const Char c = AText[i];
    // A "-" starts a number, except the sign of an exponent.
    const bool exponentSign = i > 0 && (AText[i - 1] == u'e' || AText[i - 1] == u'E');
    if (c == u',') text += u' ';
    else if (c == u'-' && !exponentSign) text += u" -";
    else text += c;
  }
  const std::vector<String> items = SplitNonEmpty(text, u' ');
  if (items.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < items.size(); i += 2) APoints.push_back(TPointF{ToNumber(items[i]), ToNumber(items[i + 1])});
  return true;
}

// The element's transform applied to a sub-path; coordinates it takes beyond a float count as 0.
void ApplyTransform(TNeoGraphicsPath& APath, const TNeoGraphicsMatrix& AMatrix) {
  if (IsMatrixEmpty(AMatrix)) return;
  APath.ApplyMatrix(AMatrix);
  TNeoGraphicsPathPoints& points = *APath.GetPathData();
  for (Integer i = 0; i < points.GetCount(); ++i) {
    TNeoGraphicsPathPoint p = points.GetItem(i);
    if (std::isfinite(p.Point.X) && std::isfinite(p.Point.Y)) continue;
    p.Point = TPointF{Finite(p.Point.X), Finite(p.Point.Y)};
    points.SetItem(i, p);
  }
}

// Only regular local files are opened: no devices, pipes or URLs.
bool IsRegularLocalFile(const String& AFileName) {
  if (AFileName.empty() || AFileName.find(u"://") != String::npos) return false;
  struct stat info{};
  return ::stat(UTF8Encode(AFileName).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

TNeoGraphicsMatrix NeoSVG::ContainerMatrix(const TNeoGraphicsSVGElement& AElement) {
  TNeoGraphicsMatrix result = TNeoGraphicsMatrix::Identity();
  for (TNeoGraphicsSVGElement* p = AElement.GetParent(); p; p = p->GetParent()) {
    const TNeoGraphicsSVGElementType t = p->GetType();
    if (t != etContainer && t != etText && t != etTextSpan && t != etTextPath) break;
    if (!IsMatrixEmpty(p->GetMatrix())) result = result * p->GetMatrix();
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// TNeoGraphicsSVGElement
// ---------------------------------------------------------------------------------------------

TNeoGraphicsSVGElement::TNeoGraphicsSVGElement()
    : FFillColorValue(DefaultValue), FStrokeColorValue(DefaultValue), FStrokeWidthValue(DefaultValue),
      FOpacityValue(DefaultValue), FOffsetValue(DefaultValue), FStopColorValue(DefaultValue),
      FStopOpacityValue(DefaultValue), FPreserveAspectRatioValue(DefaultValue) {}

TNeoGraphicsSVGElement::~TNeoGraphicsSVGElement() = default;

TNeoGraphicsSVGElementList* TNeoGraphicsSVGElement::GetElements() {
  if (!FElements) FElements = std::make_unique<TNeoGraphicsSVGElementList>();
  return FElements.get();
}

TNeoGraphicsSVGElementPathList* TNeoGraphicsSVGElement::GetPaths() {
  if (!FPaths) FPaths = std::make_unique<TNeoGraphicsSVGElementPathList>();
  return FPaths.get();
}

TNeoBitmap* TNeoGraphicsSVGElement::GetBitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TNeoBitmap>();
  return FBitmap.get();
}

TNeoGraphicsPath* TNeoGraphicsSVGElement::GetCombinedPath() {
  if (!FCombinedPath && FPaths) {
    FCombinedPath = std::make_unique<TNeoGraphicsPath>();
    for (TNeoGraphicsPath* p : *FPaths) FCombinedPath->AddPath(p);
  }
  return FCombinedPath.get();
}

TNeoGraphicsPath* TNeoGraphicsSVGElement::GetActivePath() const { return FPaths ? FPaths->Last() : nullptr; }

bool TNeoGraphicsSVGElement::HasFillColor() const { return IsColorValue(FFillColorValue); }
bool TNeoGraphicsSVGElement::HasStrokeColor() const { return IsColorValue(FStrokeColorValue); }
bool TNeoGraphicsSVGElement::HasStopColor() const { return IsColorValue(FStopColorValue); }

// ---------------------------------------------------------------------------------------------
// TNeoGraphicsSVGImport
// ---------------------------------------------------------------------------------------------

TNeoGraphicsSVGImport::TNeoGraphicsSVGImport() {
  Clear();
  // Documents with a document type declaration are accepted (nothing external is ever loaded).
  SetDOMProperty(u"ProhibitDTD", false);
}

TNeoGraphicsSVGImport::~TNeoGraphicsSVGImport() {
  // The reference lists go first: they point into the owning ones.
  FElementClassList.Clear();
  FElementPatternList.Clear();
  FElementClipPathList.Clear();
}

void TNeoGraphicsSVGImport::Clear() {
  FElementClassList.Clear();
  FElementPatternList.Clear();
  FElementClipPathList.Clear();
  FElementList.Clear();
  FDefsList.Clear();
  FXML.reset();
  FMatrix = TNeoGraphicsMatrix::Identity();
  FTextMatrix = TNeoGraphicsMatrix::Identity();
  FViewRect = TRectF{ViewMarkerLow, ViewMarkerLow, ViewMarkerHigh, ViewMarkerHigh};
}

void TNeoGraphicsSVGImport::LoadFromFile(const String& AFile) {
  TMemoryStream stream;
  stream.LoadFromFile(AFile);
  LoadFromStream(&stream);
}

void TNeoGraphicsSVGImport::LoadFromStream(TStream* AStream) {
  AStream->SetPosition(0);
  TStringList lines;
  lines.LoadFromStream(AStream, TEncoding::UTF8());
  LoadFromText(lines.GetText());
}

void TNeoGraphicsSVGImport::SaveToStream(TStream* AStream) {
  if (!FXML || !AStream) return;
  const UTF8String xml = FXML->SaveToXML();
  AStream->WriteBuffer(xml.data(), static_cast<Int64>(xml.size()));
}

void TNeoGraphicsSVGImport::SaveToFile(const String& AFile) {
  TMemoryStream stream;
  SaveToStream(&stream);
  stream.SaveToFile(AFile);
}

void TNeoGraphicsSVGImport::LoadFromText(const String& AText) {
  Clear();
  FXML = NewXMLDocument();
  try {
    FXML->LoadFromXML(AText);
  } catch (...) {
    FXML.reset();
    throw;
  }
  const IXMLNode* root = FXML->GetDocumentElement();
  if (!root || root->GetNodeName() != u"svg") return;

  TRectF viewBox{ViewMarkerLow, ViewMarkerLow, ViewMarkerHigh, ViewMarkerHigh};
  if (root->HasAttribute(u"viewBox")) {
    const std::vector<String> items = SplitNonEmpty(Trim(root->GetAttribute(u"viewBox")), u' ');
    if (items.size() == 4) {
      const Single x = ToNumber(items[0]), y = ToNumber(items[1]);
      viewBox = TRectF{x, y, Finite(Double(x) + ToNumber(items[2])), Finite(Double(y) + ToNumber(items[3]))};
    }
  } else {
    const String width = root->GetAttribute(u"width"), height = root->GetAttribute(u"height");
    if (!width.empty() && !height.empty()) viewBox = TRectF{0, 0, ParseLength(width), ParseLength(height)};
  }

  ParseElements(FElementList, *root, nullptr, true);

  ResolveClassReferences(FElementPatternList);
  ResolveClassReferences(FElementClipPathList);
  ResolveClassReferences(FElementClassList);
  // Patterns and gradients referenced by url() from anywhere in the tree.
  std::function<void(TNeoGraphicsSVGElementList&, TNeoGraphicsSVGElement*)> resolvePattern =
      [&](TNeoGraphicsSVGElementList& AList, TNeoGraphicsSVGElement* APattern) {
        for (TNeoGraphicsSVGElement* e : AList) {
          if (!e->FURLRefID.empty() && e->FURLRefID == APattern->FID) e->FPatternRef = APattern;
          resolvePattern(*e->GetElements(), APattern);
        }
      };
  for (TNeoGraphicsSVGElement* p : FElementPatternList)
    if (!p->FID.empty()) resolvePattern(FElementList, p);
  for (TNeoGraphicsSVGElement* g1 : FElementPatternList)
    for (TNeoGraphicsSVGElement* g2 : FElementPatternList)
      if (!g2->FHRefID.empty() && g2->FHRefID == g1->FID) g2->FHRefRef = g1;

  const bool boxComplete = viewBox.Left != ViewMarkerLow && viewBox.Top != ViewMarkerLow &&
                           viewBox.Right != ViewMarkerHigh && viewBox.Bottom != ViewMarkerHigh;
  const bool nothingMeasured = FViewRect.Left == ViewMarkerLow && FViewRect.Top == ViewMarkerLow &&
                               FViewRect.Right == ViewMarkerHigh && FViewRect.Bottom == ViewMarkerHigh;
  if (boxComplete) FViewRect = viewBox;
  else if (nothingMeasured) FViewRect = TRectF{0, 0, 0, 0};
}

void TNeoGraphicsSVGImport::ParseElements(TNeoGraphicsSVGElementList& AList, const IXMLNode& ANode,
                                          TNeoGraphicsSVGElement* AParent, bool AUpdateViewRect) {
  for (const auto& child : ANode.GetChildNodes()) {
    const IXMLNode& node = *child;
    const TNeoGraphicsSVGElementType t = ElementTypeByName(node.GetNodeName());
    if (t == etUnknown) continue;
    if (t == etTextSpanChild && Trim(node.GetNodeValue()).empty()) continue;
    switch (t) {
      case etSwitch:
      case etUse:
        break;
      case etDefs:
        ParseElements(FDefsList, node, nullptr, false);
        break;
      case etStyle:
        ParseStyleNode(node);
        break;
      default: {
        auto* element = AList.Add(new TNeoGraphicsSVGElement());
        element->FType = t;
        element->FParent = AParent;
        ReadElement(*element, node);
        BuildElement(*element, node, AUpdateViewRect);
        break;
      }
    }
  }
}

void TNeoGraphicsSVGImport::ReadElement(TNeoGraphicsSVGElement& AElement, const IXMLNode& ANode) {
  AElement.FMatrix = ParseTransform(ANode, u"transform");
  AElement.FGradientMatrix = ParseTransform(ANode, u"gradientTransform");
  auto length = [&](StringView AName, Single& AValue) {
    if (ANode.HasAttribute(AName)) AValue = ParseLength(ANode.GetAttribute(AName));
  };
  const String& name = ANode.GetNodeName();
  if (name == u"circle" || name == u"ellipse") {
    length(u"cx", AElement.FXV);
    length(u"cy", AElement.FYV);
    if (name == u"circle") {
      length(u"r", AElement.FRx);
      length(u"r", AElement.FRy);
    } else {
      length(u"rx", AElement.FRx);
      length(u"ry", AElement.FRy);
    }
  } else if (name == u"line" || name == u"linearGradient") {
    length(u"x1", AElement.FXV);
    length(u"y1", AElement.FYV);
    length(u"x2", AElement.FWidth);
    length(u"y2", AElement.FHeight);
  } else if (name == u"radialGradient") {
    AElement.FHasCX = ANode.HasAttribute(u"cx");
    AElement.FHasCY = ANode.HasAttribute(u"cy");
    length(u"cx", AElement.FCX);
    length(u"cy", AElement.FCY);
  } else {
    length(u"x", AElement.FXV);
    length(u"y", AElement.FYV);
    length(u"width", AElement.FWidth);
    length(u"height", AElement.FHeight);
    length(u"rx", AElement.FRx);
    length(u"ry", AElement.FRy);
  }
  // The "style" attribute's declarations first, then the presentation attributes, which
  // override them ("style" itself is not repeated among them).
  String style = ANode.GetAttribute(u"style");
  if (!style.empty()) style += u';';
  bool first = true;
  for (const TXMLAttribute& a : ANode.GetAttributeNodes()) {
    if (a.Name == u"style") continue;
    if (!first) style += u';';
    style += a.Name + u':' + a.Value;
    first = false;
  }
  ParseStyle(AElement, style);
}

void TNeoGraphicsSVGImport::BuildElement(TNeoGraphicsSVGElement& AElement, const IXMLNode& ANode, bool AUpdateViewRect) {
  TNeoGraphicsSVGElement& e = AElement;
  switch (e.FType) {
    case etContainer:
    case etClipPath:
    case etLinearGradient:
    case etRadialGradient:
    case etPattern:
      ParseElements(*e.GetElements(), ANode, &e, e.FType == etContainer);
      if (IsGradientOrPattern(e.FType)) FElementPatternList.Add(&e);
      else if (e.FType == etClipPath) FElementClipPathList.Add(&e);
      break;
    case etImage:
      LoadImage(e, ANode);
      [[fallthrough]];
    case etRect:
      if (AUpdateViewRect) UpdateViewRect(e, TRectF{e.FXV, e.FYV, e.FXV + e.FWidth, e.FYV + e.FHeight});
      break;
    case etLine:
      if (AUpdateViewRect)
        UpdateViewRect(e, TRectF{std::min(e.FXV, e.FWidth), std::min(e.FYV, e.FHeight), std::max(e.FXV, e.FWidth),
                                 std::max(e.FYV, e.FHeight)});
      break;
    case etCircle:
    case etEllipse:
      if (AUpdateViewRect) UpdateViewRect(e, TRectF{e.FXV - e.FRx, e.FYV - e.FRy, e.FXV + e.FRx, e.FYV + e.FRy});
      break;
    case etPolyline:
    case etPolygon: {
      std::vector<TPointF> points;
      if (!ParsePoints(ANode.GetAttribute(u"points"), points)) break;
      TNeoGraphicsPath* path = e.GetPaths()->Add(new TNeoGraphicsPath());
      for (std::size_t i = 0; i + 1 < points.size(); ++i) path->AddLine(points[i], points[i + 1]);
      if (e.FType == etPolygon) path->ClosePath();
      ApplyTransform(*path, e.FMatrix);
      if (AUpdateViewRect) UpdateViewRect(e, path->GetBounds());
      break;
    }
    case etPath: {
      String d = ANode.GetAttribute(u"d");
      std::replace(d.begin(), d.end(), u',', u' ');
      BuildPath(TokenizePathData(d), *e.GetPaths());
      for (TNeoGraphicsPath* p : *e.GetPaths()) {
        ApplyTransform(*p, e.FMatrix);
        if (AUpdateViewRect) UpdateViewRect(e, p->GetBounds());
      }
      break;
    }
    case etText:
    case etTextSpan:
    case etTextSpanChild:
    case etTextPath:
      if (ANode.GetNodeType() == ntText) e.FText = ANode.GetNodeValue();
      else if (ANode.GetNodeName() == u"text" && ANode.GetChildCount() == 1 && ANode.GetChildNode(0)->GetNodeType() == ntText)
        e.FText = ANode.GetText();
      else ParseElements(*e.GetElements(), ANode, &e, true);
      break;
    default:   // etStop: its declarations are all it has
      break;
  }
}

void TNeoGraphicsSVGImport::ParseStyleNode(const IXMLNode& ANode) {
  String text = Trim(ANode.GetNodeValue());
  auto holdsRule = [&] { return Pos(u'.', text) > 0 && Pos(u'{', text) > 0 && Pos(u'}', text) > 0; };
  // Each pass deletes at least the rule's "." and "}".
  while (!text.empty() && holdsRule()) {
    auto element = std::make_unique<TNeoGraphicsSVGElement>();
    element->FType = etStyle;
    element->FClassRefID = Between(text, u".", u"{");
    ParseStyle(*element, Between(text, u"{", u"}"));
    if (!element->FClassRefID.empty()) FDefsList.Add(element.release());
    Delete(text, Pos(u'.', text), Pos(u'}', text));
    text = Trim(text);
  }
}

void TNeoGraphicsSVGImport::ParseStyle(TNeoGraphicsSVGElement& AElement, const String& AText) {
  TNeoGraphicsSVGElement& e = AElement;
  for (const String& item : Split(Trim(AText), u';')) {
    const String declaration = Trim(item);
    std::size_t colon = declaration.find(u':');
    if (const std::size_t href = declaration.find(u"xlink:href"); href != String::npos)
      colon = declaration.find(u':', href + 10);
    if (colon == String::npos) continue;
    const String name = Trim(StringView(declaration).substr(0, colon));
    String value = Trim(StringView(declaration).substr(colon + 1));
    if (name == u"display") {
      e.FDisplayValue = LowerCase(value);
    } else if (name == u"fill" || name == u"stroke") {
      const bool fill = name == u"fill";
      String& valueText = fill ? e.FFillColorValue : e.FStrokeColorValue;
      TColor& color = fill ? e.FFillColor : e.FStrokeColor;
      valueText = value;
      if (!IsColorValue(valueText)) color = -1;
      else if (value.starts_with(u"url(#")) e.FURLRefID = Between(value, u"#", u")");
      else if (value.starts_with(u"url('#")) e.FURLRefID = Between(value, u"'#", u"')");
      else color = ParseColorValue(valueText);
    } else if (name == u"stroke-width") {
      e.FStrokeWidthValue = value;
      Double width = 0;
      if (e.HasStrokeWidth() && TryToNumber(value, width)) e.FStrokeWidth = static_cast<Single>(width);
    } else if (name == u"font-family") {
      TFontStyles style;
      e.FFontFamily = ParseFontFamily(value, style);
      if (e.FFontStyle.Empty()) e.FFontStyle = style;
    } else if (name == u"font-style") {
      if (!value.empty() && e.FFontStyle.Empty() && value == u"italic") e.FFontStyle.Include(fsItalic);
    } else if (name == u"font-size") {
      e.FFontSizeValue = value;
      if (e.HasFontSize()) e.FFontSize = ParseLength(value);
    } else if (name == u"preserveAspectRatio") {
      e.FPreserveAspectRatioValue = value;
      if (e.HasPreserveAspectRatio()) e.FPreserveAspectRatio = value == u"none" ? parNone : parOther;
    } else if (name == u"offset") {
      e.FOffsetValue = value;
      if (e.HasOffset()) e.FOffset = LengthUnit(value) == u"%" ? ParseLength(value) / 100 : ParseLength(value);
    } else if (name == u"stop-opacity") {
      e.FStopOpacityValue = value;
      if (e.HasStopOpacity()) e.FStopOpacity = ParseLength(value);
    } else if (name == u"stop-color") {
      e.FStopColorValue = value;
      e.FStopColor = e.HasStopColor() ? ParseColorValue(e.FStopColorValue) : -1;
    } else if (name == u"opacity") {
      e.FOpacityValue = value;
      Double opacity = 0;
      if (e.HasOpacity() && TryToNumber(value, opacity)) e.FOpacity = static_cast<Single>(opacity);
    } else if (name == u"xlink:href" || name == u"href") {
      e.FHRefID = Copy(value, Pos(u'#', value) + 1);
    } else if (name == u"class") {
      e.FClassRefID = value;
      if (!(e.FParent && IsGradientOrPattern(e.FParent->FType)) && !FElementClassList.Contains(&e))
        FElementClassList.Add(&e);
    } else if (name == u"id") {
      e.FID = value;
    } else if (name == u"clip-path") {
      e.FClipPathRefID = Between(value, u"#", u")");
    }
  }
}

void TNeoGraphicsSVGImport::LoadImage(TNeoGraphicsSVGElement& AElement, const IXMLNode& ANode) {
  const String href = ANode.GetAttribute(u"xlink:href");
  // An image that cannot be loaded is skipped: the element has no picture, the rest loads.
  try {
    if (href.find(u"data:") != String::npos) {
      const String rest = Copy(href, 6);
      const Integer semicolon = Pos(u';', rest);
      if (semicolon > 0 && Copy(rest, semicolon, 8) == u";base64,") {
        const TBytes bytes = TNeoUtils::Decode64ToBytes(Copy(rest, semicolon + 8), false);
        if (bytes.empty()) return;
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        stream.SetPosition(0);
        AElement.GetBitmap()->LoadFromStream(&stream);
        if (!AElement.GetBitmap()->GetGraphic() || AElement.GetBitmap()->GetGraphic()->GetEmpty()) AElement.FreeBitmap();
        return;
      }
    }
    if (!IsRegularLocalFile(href)) return;
    AElement.GetBitmap()->LoadFromFile(href);
    if (!AElement.GetBitmap()->GetGraphic() || AElement.GetBitmap()->GetGraphic()->GetEmpty()) AElement.FreeBitmap();
  } catch (Exception&) {
    AElement.FreeBitmap();
  }
}

void TNeoGraphicsSVGImport::UpdateViewRect(const TNeoGraphicsSVGElement& AElement, const TRectF& ARect) {
  const TRectF r = MapBounds(ARect, ContainerMatrix(AElement));
  FViewRect.Left = std::min(FViewRect.Left, r.Left);
  FViewRect.Top = std::min(FViewRect.Top, r.Top);
  FViewRect.Right = std::max(FViewRect.Right, r.Right);
  FViewRect.Bottom = std::max(FViewRect.Bottom, r.Bottom);
}

void TNeoGraphicsSVGImport::ResolveClassReferences(TNeoGraphicsSVGElementClassList& AList) {
  if (FDefsList.GetCount() == 0) return;
  for (TNeoGraphicsSVGElement* x : AList) ResolveClassReference(*x);
}

void TNeoGraphicsSVGImport::ResolveClassReference(TNeoGraphicsSVGElement& X) {
  auto lastChild = [](TNeoGraphicsSVGElement* C) {
    return C->HasElements() && C->FElements->GetCount() > 0 ? C->FElements->Last() : nullptr;
  };
  for (TNeoGraphicsSVGElement* d : FDefsList) {
    if (!d->FClassRefID.empty() && d->FClassRefID == X.FClassRefID) {
      const String& target = !d->FClipPathRefID.empty() ? d->FClipPathRefID : d->FURLRefID;
      if (target.empty()) {
        X.FClassRef = d;
        return;
      }
      for (TNeoGraphicsSVGElement* c : FDefsList) {
        if (c->FID != target) continue;
        TNeoGraphicsSVGElement* last = lastChild(c);
        if (!last) continue;
        if (!d->FClipPathRefID.empty()) X.FClipPathRef = last;
        X.FClassRef = last->FClassRef;
      }
      return;
    }
    if (!X.FID.empty() && (d->FURLRefID == X.FID || d->FClipPathRefID == X.FID) && X.HasElements()) {
      for (TNeoGraphicsSVGElement* child : *X.FElements) ResolveClassReference(*child);
      return;
    }
  }
}
