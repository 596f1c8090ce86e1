// The SVG pages of render-demo, one per corpus file (svg-<name>): the file drawn by the SVG
// picture, the same file drawn by librsvg and their difference (black beyond 32 per channel, grey
// below, white alike), each 256 x 256 under its caption, with a line saying whether the two should
// match or why they differ by design. Boxes: ours, librsvg, difference.
#include <array>
#include <string>
#include <utility>

#include "lib/render/demo/RenderDemo.h"

#ifdef ZELK_DEMO_RSVG
#include "lib/render/demo/SVGComparison.h"

namespace {

constexpr Integer Square = 256, Margin = 10, CaptionHeight = 18;
constexpr Integer PanelTop = Margin + 2 * CaptionHeight;
constexpr Integer PageWidth = 3 * Square + 4 * Margin, PageHeight = PanelTop + Square + Margin;
constexpr std::size_t CorpusSize = std::size(SVGComparison::Corpus);

void Caption(TCanvas* ACanvas, Integer AX, Integer AY, const std::string& AText, TColor AColor) {
  TFont* font = ACanvas->GetFont();
  font->SetName(u"DejaVu Sans");
  font->SetSize(8);
  font->SetColor(AColor);
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->TextOut(AX, AY, UTF8ToString(AText));
}

// The square's pixels onto the canvas with their top-left corner at (ALeft, ATop); the box named.
void Panel(TCanvas* ACanvas, const SVGComparison::TSquare& ASquare, Integer ALeft, const char* AName,
           std::vector<TDemoBox>& ABoxes) {
  for (Integer y = 0; y < ASquare.Size; ++y)
    for (Integer x = 0; x < ASquare.Size; ++x) {
      const std::uint32_t p = ASquare.At(x, y);
      ACanvas->SetPixels(ALeft + x, PanelTop + y, TColor(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16)));
    }
  Caption(ACanvas, ALeft, PanelTop - CaptionHeight, AName, clBlack);
  ABoxes.push_back(TDemoBox{AName, TRect{ALeft, PanelTop, ALeft + ASquare.Size, PanelTop + ASquare.Size}});
}

void DrawComparison(const SVGComparison::TRsvgCase& ACase, TCanvas* ACanvas, std::vector<TDemoBox>& ABoxes) {
  const std::string file = std::string(ZELK_SVG_CORPUS) + "/" + ACase.Name + ".svg";
  const SVGComparison::TSquare ours = SVGComparison::DrawOurs(file, Square, SVGComparison::Stretched(ACase));
  SVGComparison::TSquare theirs(Square);
  std::string error;
  const bool drawn = SVGComparison::DrawRsvg(file, theirs, error);
  Caption(ACanvas, Margin, Margin,
          std::string(ACase.Name) + ".svg: " +
              (!drawn ? "librsvg cannot load it: " + error
               : ACase.Compare == SVGComparison::cmpPixels ? "matches librsvg"
                                                           : std::string("differs by design: ") + ACase.Reason),
          ACase.Compare == SVGComparison::cmpPixels ? clGreen : clMaroon);
  Panel(ACanvas, ours, Margin, "ours", ABoxes);
  Panel(ACanvas, theirs, 2 * Margin + Square, "librsvg", ABoxes);
  Panel(ACanvas, SVGComparison::Difference(ours, theirs), 3 * Margin + 2 * Square, "difference", ABoxes);
}

template <std::size_t I>
void DrawCorpusPage(TCanvas* ACanvas, std::vector<TDemoBox>& ABoxes) {
  DrawComparison(SVGComparison::Corpus[I], ACanvas, ABoxes);
}

// The page names live as long as the program: a page keeps a pointer to its name.
const std::array<std::string, CorpusSize>& PageNames() {
  static const std::array<std::string, CorpusSize> names = [] {
    std::array<std::string, CorpusSize> out;
    for (std::size_t i = 0; i < CorpusSize; ++i) out[i] = std::string("svg-") + SVGComparison::Corpus[i].Name;
    return out;
  }();
  return names;
}

template <std::size_t... I>
void AddCorpusPages(std::vector<TDemoPage>& APages, std::index_sequence<I...>) {
  (APages.push_back(TDemoPage{PageNames()[I].c_str(), PageWidth, PageHeight, &DrawCorpusPage<I>}), ...);
}

}  // namespace

void AddSVGPages(std::vector<TDemoPage>& APages) { AddCorpusPages(APages, std::make_index_sequence<CorpusSize>()); }

#else

// Built without librsvg: there is nothing to compare with.
void AddSVGPages(std::vector<TDemoPage>&) {}

#endif
