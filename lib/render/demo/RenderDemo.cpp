// render-demo: sheets of what lib/render draws, written as PNG pictures without a display.
//
//   render-demo --out DIR [PAGE...]   writes DIR/<page>.png and DIR/<page>.boxes for every page
//                                     (or the pages named); a .boxes file has one line per box:
//                                     name left top right bottom
//   render-demo --list                prints the page names
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "lib/base/NeoXPVS.h"
#include "lib/render/NeoSVGBitmap.h"
#include "lib/render/PictureContainer.h"
#include "lib/render/demo/RenderDemo.h"
#include "platform/rtl/Units.h"
#include "platform/win/Headless.h"
#include "platform/win/Surface.h"

namespace {

std::vector<TDemoPage> AllPages() {
  std::vector<TDemoPage> pages;
  AddMarkupPages(pages);
  AddPicturePages(pages);
  AddSVGPages(pages);
  return pages;
}

bool WritePage(const TDemoPage& APage, const std::string& AFolder) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(APage.Width, APage.Height);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(TRect{0, 0, APage.Width, APage.Height});
  std::vector<TDemoBox> boxes;
  APage.Draw(canvas, boxes);
  const std::string stem = AFolder + "/" + APage.Name;
  if (!GetDCSurface(canvas->GetHandle())->SaveToPng(stem + ".png")) {
    std::fprintf(stderr, "render-demo: cannot write %s.png\n", stem.c_str());
    return false;
  }
  std::ofstream out(stem + ".boxes");
  for (const TDemoBox& b : boxes)
    out << b.Name << ' ' << b.Box.left << ' ' << b.Box.top << ' ' << b.Box.right << ' ' << b.Box.bottom << '\n';
  if (!out) {
    std::fprintf(stderr, "render-demo: cannot write %s.boxes\n", stem.c_str());
    return false;
  }
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: render-demo --out DIR [PAGE...] | --list\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::vector<TDemoPage> pages = AllPages();
  if (std::strcmp(argv[1], "--list") == 0) {
    for (const TDemoPage& p : pages) std::printf("%s\n", p.Name);
    return 0;
  }
  if (std::strcmp(argv[1], "--out") != 0 || argc < 3) return Usage();
  Headless::Use();
  RegisterNeoXPVSUnit();
  RegisterPictureContainerUnit();
  RegisterNeoSVGUnit();
  InitializeUnits();
  int result = 0;
  for (const TDemoPage& p : pages) {
    bool wanted = argc == 3;
    for (int i = 3; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], p.Name) == 0;
    if (wanted && !WritePage(p, argv[2])) result = 1;
  }
  for (int i = 3; i < argc; ++i) {
    bool known = false;
    for (const TDemoPage& p : pages) known = known || std::strcmp(argv[i], p.Name) == 0;
    if (!known) {
      std::fprintf(stderr, "render-demo: no page %s\n", argv[i]);
      result = 2;
    }
  }
  FinalizeUnits();
  return result;
}
