#include "lib/grid/core/NeoArrowWindow.h"

#include "platform/win/WinGdi.h"

namespace {

const std::array<std::array<TPoint, 7>, 4> GArrows{{
    {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}},   // arrUp: tip up at (5, 0)
    {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}},    // arrDown: tip down at (5, 8)
    {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}},   // arrLeft: tip right at (8, 5)
    {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}},   // arrRight: tip left at (0, 5)
}};

}  // namespace

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction) : TPanel(AOwner), FDir(Direction) {
  SetColor(clLime);
  SetParent(dynamic_cast<TWinControl*>(AOwner));
  SetVisible(false);
}

const std::array<TPoint, 7>& TArrowWindow::ArrowPoints(TArrowDirection Direction) {
  return GArrows[static_cast<std::size_t>(Direction) % GArrows.size()];
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
  TPanel::CreateParams(Params);
  Params.Style = WS_POPUP;
}

void TArrowWindow::CreateWnd() {
  TPanel::CreateWnd();
  FArrow = ArrowPoints(FDir);
  std::array<POINT, 7> points;
  for (std::size_t i = 0; i < points.size(); ++i) points[i] = POINT{FArrow[i].x, FArrow[i].y};
  SetWindowRgn(GetHandle(), CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING), TRUE);
}

void TArrowWindow::Paint() {
  TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetColor(GetColor());
  canvas->GetPen()->SetColor(GetColor());
  canvas->Rectangle(GetClientRect());
}
