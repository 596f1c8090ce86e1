// graphics_gallery: one scene of the graphics layer (every fill kind and gradient, a texture, text
// in the nine alignments with wrapping, trimming and rotation, a path with curves and arcs, a PNG
// with alpha and every control drawing) drawn through both graphics contexts.
//
//   graphics_gallery --out DIR         writes canvas.png (the canvas context on a bitmap),
//                                      gdiplus.png (the GDI+ context on a bitmap) and child.png (the
//                                      GDI+ context on a child control of a form; headless back end)
//   graphics_gallery --screenshot FILE shows the form, saves what the screen shows and exits
//   graphics_gallery                   shows the form until it is closed
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "lib/graphics/NeoGDIPlusApi.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoTypes.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"
#include "platform/win/Surface.h"
#include "platform/win/WinSystem.h"

namespace {

constexpr Integer GalleryWidth = 520;
constexpr Integer GalleryHeight = 400;

void SetFill(TNeoGraphics& G, TNeoGraphicsFillKind AKind, TColor AColor, TColor AColorTo = gcNull,
             TNeoGraphicsFillOrientation AOrientation = gfoVertical) {
  TNeoGraphicsFill* fill = G.GetFill();
  fill->BeginUpdate();
  fill->SetKind(AKind);
  fill->SetColor(AColor);
  fill->SetColorTo(AColorTo);
  fill->SetOrientation(AOrientation);
  fill->SetColorMirror(gcNull);
  fill->SetColorMirrorTo(gcNull);
  fill->SetGradientType(gfgtLinear);
  fill->SetGradientMode(gfgmDefault);
  fill->EndUpdate();
}

// Row 1: solid, linear (both ways), mirror, radial, collection gradients, a texture and no fill.
void DrawFills(TNeoGraphics& G, TNeoBitmap* APicture) {
  G.SetStrokeColor(0x404040);
  SetFill(G, gfkSolid, 0x3070E0);
  G.DrawRectangle(10, 10, 60, 60);
  SetFill(G, gfkGradient, 0xFFE0C0, 0x804000, gfoHorizontal);
  G.DrawRoundRectangle(70, 10, 120, 60, 8);
  SetFill(G, gfkGradient, 0xC0FFC0, 0x208020, gfoVertical);
  G.DrawRectangle(130, 10, 180, 60);
  SetFill(G, gfkGradient, 0xF0F0FF, 0x0000A0, gfoVertical);
  G.GetFill()->SetColorMirror(0x0000A0);
  G.GetFill()->SetColorMirrorTo(0xF0F0FF);
  G.DrawRectangle(190, 10, 240, 60);
  SetFill(G, gfkGradient, 0xFFFFFF, 0x00A0FF);
  G.GetFill()->SetGradientType(gfgtRadial);
  G.GetFill()->SetGradientCenterPoint(TPointF{275, 35});
  G.DrawEllipse(250, 10, 300, 60);
  SetFill(G, gfkGradient, 0x0000FF, 0xFF0000, gfoHorizontal);
  TNeoGraphicsFill* fill = G.GetFill();
  fill->BeginUpdate();
  fill->SetGradientMode(gfgmCollection);
  fill->GetGradientItems()->Clear();
  const std::pair<Single, TColor> stops[] = {{0.2f, 0x0000FF}, {0.5f, 0x00FFFF}, {0.8f, 0xFF0000}};
  for (const auto& [position, colour] : stops) {
    TNeoGraphicsFillGradientItem* item = fill->GetGradientItems()->Add();
    item->SetColor(colour);
    item->SetPosition(position);
  }
  fill->EndUpdate();
  G.DrawRectangle(310, 10, 360, 60);
  fill->SetTexture(APicture);
  fill->SetTextureMode(gtmTile);
  SetFill(G, gfkTexture, gcNull);
  G.DrawEllipse(370, 10, 440, 60);
  SetFill(G, gfkNone, gcNull);
  G.DrawRoundRectangle(450, 10, 510, 60, 12);
}

// Row 2: the nine alignments, wrapping, trimming and rotated text.
void DrawTexts(TNeoGraphics& G) {
  SetFill(G, gfkNone, gcNull);
  G.SetStrokeColor(0xA0A0A0);
  G.SetFontColor(0x202020);
  G.SetFontName(u"DejaVu Sans");
  G.SetFontSize(8);
  const TNeoGraphicsTextAlign aligns[] = {gtaLeading, gtaCenter, gtaTrailing};
  for (int v = 0; v < 3; ++v)
    for (int h = 0; h < 3; ++h) {
      const TRectF box{10.0f + h * 50, 70.0f + v * 26, 58.0f + h * 50, 94.0f + v * 26};
      G.DrawRectangle(box);
      G.DrawText(box, u"Ag", false, aligns[h], aligns[v]);
    }
  G.DrawRectangle(170, 70, 270, 148);
  G.DrawText(TRectF{170, 70, 270, 148}, u"A wrapped text that runs over several lines, centred.", true, gtaCenter,
             gtaCenter);
  G.DrawRectangle(280, 70, 380, 90);
  G.DrawText(TRectF{280, 70, 380, 90}, u"Trimmed at the end of the box", false, gtaLeading, gtaCenter, gttCharacter);
  G.DrawRectangle(280, 96, 380, 116);
  G.DrawText(TRectF{280, 96, 380, 116}, u"Trimmed by whole words here", false, gtaLeading, gtaCenter, gttWord);
  G.SetFontStyles(TFontStyles{fsBold});
  G.DrawText(TRectF{390, 70, 420, 150}, u"Turned 90", false, gtaLeading, gtaLeading, gttNone, 90);
  G.DrawText(TRectF{420, 80, 510, 150}, u"Turned 45", false, gtaCenter, gtaCenter, gttNone, 45);
  G.SetFontStyles(TFontStyles{});
}

// Row 3: a path with curves and arcs, arcs on their own and the picture with alpha.
void DrawPathsAndPictures(TNeoGraphics& G, TPicture* APicture) {
  G.SetStrokeColor(0x404040);
  G.SetStrokeWidth(2);
  TNeoGraphicsPath path;
  path.MoveTo({15, 220});
  path.CurveTo({30, 150}, {80, 150}, {95, 220});
  path.QuadCurveTo({120, 240}, {140, 200});
  path.AddArc({170, 200}, {30, 25}, 180, 180);
  path.LineTo({200, 230});
  path.ClosePath();
  SetFill(G, gfkSolid, 0x80E0E0);
  G.DrawPath(&path);
  SetFill(G, gfkSolid, 0x00C0FF);
  G.DrawArc(TPointF{250, 195}, TPointF{30, 25}, 30, 240);
  SetFill(G, gfkNone, gcNull);
  G.SetStrokeWidth(3);
  G.DrawArc(TPointF{250, 195}, TPointF{20, 15}, -90, 180);
  G.SetStrokeWidth(1);
  G.GetStroke()->SetKind(gskDash);
  G.DrawPolyline({{290, 225}, {305, 165}, {320, 225}, {335, 165}});
  G.GetStroke()->SetKind(gskSolid);
  G.DrawBitmap(350, 165, APicture);
  G.DrawBitmap(TRectF{390, 160, 510, 230}, APicture, true, true, true, false);
}

// Row 4 and 5: every control drawing.
void DrawControls(TNeoGraphics& G) {
  G.SetFontName(u"DejaVu Sans");
  G.SetFontSize(8);
  for (int i = 0; i < 4; ++i) {
    const bool checked = i % 2 == 1, enabled = i < 3, focused = i == 2;
    G.DrawCheckBox(TRect{10 + i * 24, 250, 30 + i * 24, 270}, checked, focused, enabled);
    G.DrawRadioButton(TRect{10 + i * 24, 280, 30 + i * 24, 300}, checked, focused, enabled);
  }
  G.DrawButton(TRect{110, 250, 170, 272}, false, false, true, false);
  G.DrawButton(TRect{110, 278, 170, 300}, true, true, true, false);
  G.DrawButton(TRect{180, 250, 240, 272}, false, true, true, false);
  G.DrawButton(TRect{180, 278, 240, 300}, false, false, false, false);
  G.DrawCloseButton(TRect{250, 250, 272, 272}, false, false, true, false);
  G.DrawExpanderButton(TRect{278, 250, 300, 272}, gesCollapsed, false, false, true, false);
  G.DrawExpanderButton(TRect{306, 250, 328, 272}, gesExpanded, false, false, true, false);
  G.DrawCompactButton(TRect{334, 250, 356, 272}, gcsCollapsed, false, false, true, false);
  G.DrawCompactButton(TRect{362, 250, 384, 272}, gcsExpanded, false, false, true, false);
  G.DrawDropDownButton(TRect{390, 250, 510, 272}, false, false, true, false, false);
  // The same glyph buttons in the style-adapted look.
  G.DrawCloseButton(TRect{250, 278, 272, 300}, false, false, true, true);
  G.DrawExpanderButton(TRect{278, 278, 300, 300}, gesCollapsed, false, true, true, true);
  G.DrawExpanderButton(TRect{306, 278, 328, 300}, gesExpanded, true, false, true, true);
  G.DrawCompactButton(TRect{334, 278, 356, 300}, gcsCollapsed, false, false, true, true);
  G.DrawCompactButton(TRect{362, 278, 384, 300}, gcsExpanded, false, false, false, true);
  G.DrawDropDownButton(TRect{390, 278, 510, 300}, false, false, true, true, true);
  G.DrawProgressBar(TRect{10, 315, 250, 335}, 40, u"%.0f %%", 100, 0x3CB371, 0x000000, true, true);
  G.DrawProgressBar(TRect{260, 315, 510, 335}, 150, u"%.0f %%", 100, 0xE16941, 0xFFFFFF, true, false);
  G.DrawProgressBar(TRect{10, 345, 250, 365}, -5, u"%.0f %%", 100, 0x3CB371, 0x000000, true, true);
  G.DrawProgressBar(TRect{260, 345, 510, 365}, 5, u"%.0f %%", 0, 0x3CB371, 0x000000, true, true);
}

void DrawGallery(TNeoGraphics& G, TNeoBitmap* APicture) {
  G.BeginScene();
  SetFill(G, gfkSolid, 0xFFFFFF);
  G.GetStroke()->SetKind(gskNone);
  G.DrawRectangle(0, 0, GalleryWidth, GalleryHeight);
  G.GetStroke()->SetKind(gskSolid);
  DrawFills(G, APicture);
  DrawTexts(G);
  DrawPathsAndPictures(G, APicture);
  DrawControls(G);
  G.EndScene();
}

// The PNG with alpha the scene shows, from the program's resources.
std::unique_ptr<TNeoBitmap> GalleryPicture() { return BitmapFromResource(u"GALLERYPICTURE"); }

// A child control that paints the gallery through the GDI+ context on its own canvas.
class TGalleryView : public TCustomControl {
  ZELK_CLASS(TGalleryView, TCustomControl)
public:
  explicit TGalleryView(TComponent* AOwner) : TCustomControl(AOwner), FPicture(GalleryPicture()) {}

protected:
  void Paint() override {
    std::unique_ptr<TNeoGraphics> g = TNeoGraphics::CreateNative(GetCanvas());
    DrawGallery(*g, FPicture.get());
  }

private:
  std::unique_ptr<TNeoBitmap> FPicture;
};

class TGalleryForm : public TForm {
  ZELK_CLASS(TGalleryForm, TForm)
public:
  explicit TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Graphics gallery");
    SetBorderStyle(bsSingle);
    SetBounds(20, 20, 100, 100);
    SetClientWidth(GalleryWidth + 2 * ViewOffset);
    SetClientHeight(GalleryHeight + 2 * ViewOffset);
    View = new TGalleryView(this);
    View->SetParent(this);
    View->SetBounds(ViewOffset, ViewOffset, GalleryWidth, GalleryHeight);
  }
  // The view sits inside the form, so its drawing has an origin of its own.
  static constexpr Integer ViewOffset = 12;
  TGalleryView* View = nullptr;
};

bool SaveBitmapGallery(bool ANative, const std::string& AFileName, TNeoBitmap* APicture) {
  std::unique_ptr<TNeoGraphics> g = TNeoGraphics::CreateBitmapCanvas(GalleryWidth, GalleryHeight, ANative);
  DrawGallery(*g, APicture);
  return GetDCSurface(g->GetCanvas()->GetHandle())->SaveToPng(AFileName);
}

int WriteFiles(const std::string& ADir) {
  const std::unique_ptr<TNeoBitmap> picture = GalleryPicture();
  TGalleryForm* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  Application->ProcessMessages();
  const bool ok = SaveBitmapGallery(false, ADir + "/canvas.png", picture.get()) &&
                  SaveBitmapGallery(true, ADir + "/gdiplus.png", picture.get()) &&
                  Headless::SaveWindowPng(form->View->GetHandle(), ADir + "/child.png");
  delete form;
  if (!ok) std::fprintf(stderr, "graphics_gallery: cannot write the pictures into %s\n", ADir.c_str());
  return ok ? 0 : 1;
}

int Screenshot(const std::string& AFileName) {
  TGalleryForm* form = nullptr;
  Application->CreateForm(form);
  form->Show();
  Application->ProcessMessages();
  const bool ok = SaveScreenshot(AFileName);
  delete form;
  if (!ok) std::fprintf(stderr, "graphics_gallery: cannot save the screenshot to %s\n", AFileName.c_str());
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  std::string out, screenshot;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0) out = argv[++i];
    else if (std::strcmp(argv[i], "--screenshot") == 0) screenshot = argv[++i];
  }
  RegisterGdiplusModule();
  RegisterNeoTypesUnit();
  RegisterNeoGDIPlusApiUnits();
  InitializeUnits();
  TNeoGraphics::SetDefaultGraphicColors();
  Application->SetTitle(u"Graphics gallery");
  Application->Initialize();
  int result = 0;
  if (!out.empty()) {
    result = WriteFiles(out);
  } else if (!screenshot.empty()) {
    result = Screenshot(screenshot);
  } else {
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
  }
  FinalizeUnits();
  return result;
}
