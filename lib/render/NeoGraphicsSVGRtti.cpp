// The published properties of TNeoGraphicsSVGElement, so that its JSON operations write the
// element with its geometry, style values, outlines and children.
//
// References to other elements (parent, class source, href target, gradient, clip shape) are
// not published: the JSON text of a tree would otherwise hold cycles. Their ids are. The lazy
// objects are read without creating them (an absent list is written as null). Matrices and
// outlines are written as text, their numbers rounded to three decimals.
#include <cmath>
#include <cstdio>
#include <mutex>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "lib/render/NeoGraphicsSVGInternal.h"
#include "platform/rtl/TypInfo.h"

namespace {

using E = TNeoGraphicsSVGElement;

void AppendNumber(String& AText, Double AValue) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", AValue);
  std::string s = buffer;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  if (!AText.empty()) AText += u' ';
  for (char c : s) AText += static_cast<Char>(c);
}

// "m11 m12 m13 m21 m22 m23 m31 m32 m33".
String MatrixText(const TNeoGraphicsMatrix& M) {
  String text;
  for (Single v : {M.m11, M.m12, M.m13, M.m21, M.m22, M.m23, M.m31, M.m32, M.m33}) AppendNumber(text, v);
  return text;
}

// The points as commands: "M x y", "L x y", "C x y" (each curve point on its own), "Z".
String PathText(const TNeoGraphicsPath& APath) {
  String text;
  for (Integer i = 0; i < APath.GetCount(); ++i) {
    const TNeoGraphicsPathPoint& p = APath.GetPoint(i);
    static constexpr Char Letters[] = {u'M', u'L', u'C', u'Z'};
    if (!text.empty()) text += u' ';
    text += Letters[p.Kind];
    if (p.Kind == gppClose) continue;
    AppendNumber(text, p.Point.X);
    AppendNumber(text, p.Point.Y);
  }
  return text;
}

// The outline list read as a list of texts (one per sub-path); it is not written through it.
class TSVGPathListAccess final : public TListAccess {
public:
  TListItemKind ItemKind() const override { return likString; }
  TClass ItemClass() const override { return nullptr; }
  Integer Count(TObject* List) const override { return Paths(List)->GetCount(); }
  void Clear(TObject*) const override { ReadOnly(); }
  String GetString(TObject* List, Integer Index) const override { return PathText(*Paths(List)->GetItem(Index)); }
  Int64 GetInteger(TObject*, Integer) const override { ReadOnly(); }
  Double GetFloat(TObject*, Integer) const override { ReadOnly(); }
  TObject* GetObject(TObject*, Integer) const override { ReadOnly(); }
  void AddString(TObject*, const String&) const override { ReadOnly(); }
  void AddInteger(TObject*, Int64) const override { ReadOnly(); }
  void AddFloat(TObject*, Double) const override { ReadOnly(); }
  void AddObject(TObject*, TObject*) const override { ReadOnly(); }

private:
  static TNeoGraphicsSVGElementPathList* Paths(TObject* List) {
    return static_cast<TNeoGraphicsSVGElementPathList*>(List);
  }
  [[noreturn]] static void ReadOnly() { throw EPropertyError(u"The outline list of an SVG element is read-only"); }
};

}  // namespace

void RegisterNeoGraphicsSVGRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    TypInfoDetail::AttachListAccess(TNeoGraphicsSVGElementPathList::StaticClass(),
                                    std::make_unique<TSVGPathListAccess>());
    Publish<E>()
        .Property(u"Type", &E::GetType, &E::SetType)
        .Property(u"ID", &E::GetID, nullptr)
        .Property(u"ClassRefID", &E::GetClassRefID, nullptr)
        .Property(u"URLRefID", &E::GetURLRefID, nullptr)
        .Property(u"HRefID", &E::GetHRefID, nullptr)
        .Property(u"ClipPathRefID", &E::GetClipPathRefID, nullptr)
        .Property(u"X", &E::GetX, nullptr)
        .Property(u"Y", &E::GetY, nullptr)
        .Property(u"Width", &E::GetWidth, nullptr)
        .Property(u"Height", &E::GetHeight, nullptr)
        .Property(u"Rx", &E::GetRx, nullptr)
        .Property(u"Ry", &E::GetRy, nullptr)
        .Property(u"CX", &E::GetCX, nullptr)
        .Property(u"CY", &E::GetCY, nullptr)
        .Property(u"Matrix", [](E* e) { return MatrixText(e->GetMatrix()); }, nullptr)
        .Property(u"GradientMatrix", [](E* e) { return MatrixText(e->GetGradientMatrix()); }, nullptr)
        .Property(u"StrokeWidth", &E::GetStrokeWidth, nullptr)
        .Property(u"FillColorValue", &E::GetFillColorValue, nullptr)
        .Property(u"StrokeColorValue", &E::GetStrokeColorValue, nullptr)
        .Property(u"StrokeWidthValue", &E::GetStrokeWidthValue, nullptr)
        .Property(u"OpacityValue", &E::GetOpacityValue, nullptr)
        .Property(u"OffsetValue", &E::GetOffsetValue, nullptr)
        .Property(u"StopColorValue", &E::GetStopColorValue, nullptr)
        .Property(u"StopOpacityValue", &E::GetStopOpacityValue, nullptr)
        .Property(u"FontSizeValue", &E::GetFontSizeValue, nullptr)
        .Property(u"DisplayValue", &E::GetDisplayValue, nullptr)
        .Property(u"PreserveAspectRatioValue", &E::GetPreserveAspectRatioValue, nullptr)
        .Property(u"FontSize", &E::GetFontSize, nullptr)
        .Property(u"FontFamily", &E::GetFontFamily, nullptr)
        .Property(u"FontStyle", &E::GetFontStyle, nullptr)
        .Property(u"Text", &E::GetText, nullptr)
        .Property(u"FillColor", &E::GetFillColor, nullptr).Type(u"TColor")
        .Property(u"StrokeColor", &E::GetStrokeColor, nullptr).Type(u"TColor")
        .Property(u"PreserveAspectRatio", &E::GetPreserveAspectRatio, nullptr)
        .Property(u"Opacity", &E::GetOpacity, nullptr)
        .Property(u"Offset", &E::GetOffset, nullptr)
        .Property(u"StopColor", &E::GetStopColor, nullptr).Type(u"TColor")
        .Property(u"StopOpacity", &E::GetStopOpacity, nullptr)
        .Property(u"Paths", [](E* e) { return e->HasPaths() ? e->GetPaths() : nullptr; }, nullptr)
        .Property(u"Elements", [](E* e) { return e->HasElements() ? e->GetElements() : nullptr; }, nullptr);
  });
}
