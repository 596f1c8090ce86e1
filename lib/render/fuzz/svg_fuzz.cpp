// libFuzzer target: parses arbitrary bytes (read as UTF-8) as an SVG document (see README.md
// beside this file).
//
// Besides crashes, leaks, hangs and undefined behaviour it checks what the parser promises: a
// rejected document leaves the importer empty, no outline holds a number that is not finite, and
// the view rectangle is finite.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "platform/rtl/Units.h"

namespace {

[[noreturn]] void Fail(const char* AWhat) {
  std::fprintf(stderr, "%s\n", AWhat);
  std::abort();
}

void CheckElements(TNeoGraphicsSVGElementList& AList) {
  for (TNeoGraphicsSVGElement* e : AList) {
    if (e->HasPaths())
      for (TNeoGraphicsPath* p : *e->GetPaths())
        for (Integer i = 0; i < p->GetCount(); ++i)
          if (!std::isfinite(p->GetPoint(i).Point.X) || !std::isfinite(p->GetPoint(i).Point.Y))
            Fail("a path point is not finite");
    if (e->HasElements()) CheckElements(*e->GetElements());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TUnitsScope* units = [] {
    RegisterNeoSVGUnit();
    return new TUnitsScope();
  }();
  (void)units;
  const String text = UTF8ToString(std::string_view(reinterpret_cast<const char*>(Data), Size));
  TNeoGraphicsSVGImport svg;
  try {
    svg.LoadFromText(text);
  } catch (EDOMParseError&) {
    if (svg.HasElements() || svg.GetXML()) Fail("a rejected document left elements");
    return 0;
  }
  CheckElements(svg.GetElementList());
  CheckElements(svg.GetDefsList());
  const TRectF& r = svg.GetViewRect();
  if (!std::isfinite(r.Left) || !std::isfinite(r.Top) || !std::isfinite(r.Right) || !std::isfinite(r.Bottom))
    Fail("the view rectangle is not finite");
  return 0;
}
