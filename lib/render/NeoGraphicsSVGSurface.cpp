// The SVG drawing surface over the graphics facade.
#include <vector>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/render/NeoGraphicsSVGDrawInternal.h"

namespace {

class TSVGGraphicsSurface final : public TNeoSVGDrawSurface {
public:
  explicit TSVGGraphicsSurface(TNeoGraphics& AGraphics) : FGraphics(AGraphics) {}

  TNeoGraphicsFill& Fill() override { return *FGraphics.GetFill(); }
  TNeoGraphicsStroke& Stroke() override { return *FGraphics.GetStroke(); }

  void SaveState() override { FStates.push_back(FGraphics.SaveState(false)); }

  void RestoreState() override {
    if (FStates.empty()) return;
    TNeoGraphicsSaveState* state = FStates.back();
    FStates.pop_back();
    FGraphics.RestoreState(state, false);
  }

  void SetFont(const String& AName, Single ASize, TFontStyles AStyle, TColor AColor) override {
    TNeoGraphicsFont* font = FGraphics.GetFont();
    font->BeginUpdate();
    font->SetName(AName);
    TNeoUtils::SetFontSize(font, ASize);
    font->SetStyle(AStyle);
    font->SetColor(AColor);
    font->EndUpdate();
  }

  void ClipPath(const TNeoGraphicsPath& APath) override {
    TNeoGraphicsPath path;
    path.Assign(const_cast<TNeoGraphicsPath*>(&APath));
    FGraphics.GetContext()->ClipPath(&path);
  }

  void DrawPath(const TNeoGraphicsPath& APath) override {
    TNeoGraphicsPath path;
    path.Assign(const_cast<TNeoGraphicsPath*>(&APath));
    FGraphics.DrawPath(&path, pdmPath);
  }

  TNeoGraphicsMatrix GetMatrix() override { return FGraphics.GetMatrix(); }
  void SetMatrix(const TNeoGraphicsMatrix& AMatrix) override { FGraphics.SetMatrix(AMatrix); }

  void DrawBitmap(const TRectF& ARect, TNeoBitmap* ABitmap, bool AAspectRatio, bool AStretch, bool ACenter,
                  bool ACropping) override {
    FGraphics.DrawBitmap(ARect, ABitmap, AAspectRatio, AStretch, ACenter, ACropping);
  }

  Single CalculateTextHeight(const String& AText) override { return FGraphics.CalculateTextHeight(AText); }

  void DrawText(TPointF APoint, const String& AText) override {
    FGraphics.DrawText(APoint, AText, 0, true, false, -1, -1);
  }

private:
  TNeoGraphics& FGraphics;
  // Balanced by the renderer: every save is restored on every path.
  std::vector<TNeoGraphicsSaveState*> FStates;
};

}  // namespace

std::unique_ptr<TNeoSVGDrawSurface> CreateSVGGraphicsSurface(TNeoGraphics& AGraphics) {
  return std::make_unique<TSVGGraphicsSurface>(AGraphics);
}
