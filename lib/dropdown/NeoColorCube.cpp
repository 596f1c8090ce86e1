// The hexagon colour cube: 127 cells in 13 rows, hit-tested by distance from their centres.
#include "lib/dropdown/NeoColorSelector.h"

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

namespace {

// The cells' colours row by row (rows of 7, 8, ... 13, ... 8, 7 cells).
constexpr TColor CubeColors[TNeoColorCubePanel::CellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
    0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
    0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

constexpr TColor HotOuterPen = 0x0000FF;
constexpr TColor SelectedOuterPen = 0x000000;
constexpr TColor FrameInnerPen = 0xFFFFFF;

bool ValidCell(Integer Index) { return Index >= 1 && Index <= TNeoColorCubePanel::CellCount; }

}  // namespace

String CubeCellHint(TColor Color) {
  const auto c = static_cast<Cardinal>(Color);
  return Format(u"Red: %d,  Green: %d,  Blue: %d",
                {static_cast<Integer>(c & 0xFF), static_cast<Integer>((c >> 8) & 0xFF),
                 static_cast<Integer>((c >> 16) & 0xFF)});
}

TNeoColorCubePanel::TNeoColorCubePanel(TComponent* AOwner) : TNeoCustomColorSelectorPanel(AOwner) {
  InitCubeCells();
  SetShowRGBHint(true);
}

void TNeoColorCubePanel::InitCubeCells() {
  Integer index = 1;
  for (Integer row = 1; row <= 13; ++row) {
    const Integer count = row <= 7 ? 6 + row : 20 - row;
    const Integer firstX = row <= 7 ? 55 - 6 * (row - 1) : 19 + 6 * (row - 7);
    const Integer y = 20 + 10 * (row - 1);
    for (Integer i = 0; i < count; ++i, ++index) {
      TCubeCell& cell = FCubeCells[static_cast<std::size_t>(index)];
      cell.X = firstX + i * 2 * FCubeSize.x;
      cell.Y = y;
      cell.Color = CubeColors[index - 1];
    }
  }
}

TColor TNeoColorCubePanel::GetCubeCellColor(Integer Index) const {
  return ValidCell(Index) ? FCubeCells[static_cast<std::size_t>(Index)].Color : clNone;
}

void TNeoColorCubePanel::SetCubeCellColor(Integer Index, TColor Value) {
  if (ValidCell(Index)) FCubeCells[static_cast<std::size_t>(Index)].Color = Value;
}

TPoint TNeoColorCubePanel::GetCubeCellCenter(Integer Index) const {
  if (!ValidCell(Index)) return TPoint{0, 0};
  const TCubeCell& cell = FCubeCells[static_cast<std::size_t>(Index)];
  return TPoint{Scaled(cell.X), Scaled(cell.Y)};
}

void TNeoColorCubePanel::SetShowRGBHint(bool Value) {
  FShowRGBHint = Value;
  SetShowHint(Value);
}

Integer TNeoColorCubePanel::CellAtPoint(Integer X, Integer Y) const {
  const Integer r = Scaled(FCubeSize.x);
  for (Integer i = 1; i <= CellCount; ++i) {
    const TPoint centre = GetCubeCellCenter(i);
    const Integer dx = centre.x - X, dy = centre.y - Y;
    if (dx * dx + dy * dy <= r * r) return i;
  }
  return -1;
}

void TNeoColorCubePanel::ResetHot() {
  FHotIndex = -1;
  SetPanelSize();
}

void TNeoColorCubePanel::SetPanelSize() {
  TakeDisplayScale();
  SetHeight(Scaled(160));
  SetWidth(Scaled(182));
}

void TNeoColorCubePanel::SelectColor(TColor Color, Integer Index) {
  FSelectedColor = Color;
  if (ValidCell(Index)) {
    FSelectedIndex = Index;
    return;
  }
  FSelectedIndex = -1;
  for (Integer i = 1; i <= CellCount; ++i)
    if (FCubeCells[static_cast<std::size_t>(i)].Color == Color) {
      FSelectedIndex = i;
      return;
    }
}

void TNeoColorCubePanel::SetSelectedColor(TColor Value) {
  const Integer old = FSelectedIndex;
  SelectColor(Value, -1);
  if (FSelectedIndex != old) Invalidate();
}

void TNeoColorCubePanel::DrawHexagon(Integer X, Integer Y, Integer W, Integer Q) {
  auto at = [this](Integer PX, Integer PY) { return TPoint{Scaled(PX), Scaled(PY)}; };
  GetCanvas()->Polygon({at(X - W, Y - Q), at(X, Y - 2 * Q), at(X + W, Y - Q), at(X + W, Y + Q), at(X, Y + 2 * Q),
                        at(X - W, Y + Q)});
}

void TNeoColorCubePanel::DrawCell(Integer Index) {
  if (!ValidCell(Index)) return;
  const TCubeCell& cell = FCubeCells[static_cast<std::size_t>(Index)];
  TCanvas* canvas = GetCanvas();
  canvas->GetPen()->SetColor(cell.Color);
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->GetBrush()->SetColor(cell.Color);
  DrawHexagon(cell.X, cell.Y, FCubeSize.x, FCubeSize.y);
  auto frame = [&](TColor Outer) {
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->GetPen()->SetColor(Outer);
    DrawHexagon(cell.X, cell.Y, 5, 3);
    canvas->GetPen()->SetColor(FrameInnerPen);
    DrawHexagon(cell.X, cell.Y, 4, 2);
  };
  if (Index == FHotIndex) frame(HotOuterPen);
  if (Index == FSelectedIndex) frame(SelectedOuterPen);
}

void TNeoColorCubePanel::Paint() {
  TNeoCustomColorSelectorPanel::Paint();
  for (Integer i = 1; i <= CellCount; ++i) DrawCell(i);
}

void TNeoColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TNeoCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
  const Integer cell = CellAtPoint(X, Y);
  if (cell < 0) return;
  const Integer old = FSelectedIndex;
  FSelectedIndex = -1;
  DrawCell(old);
  SelectColor(FCubeCells[static_cast<std::size_t>(cell)].Color, cell);
  DrawCell(cell);
  ReleaseCanvasDC();
  if (OnSelect) OnSelect(this);
}

void TNeoColorCubePanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TNeoCustomColorSelectorPanel::MouseMove(Shift, X, Y);
  const Integer cell = CellAtPoint(X, Y);
  if (cell < 0) {
    if (FShowRGBHint) {
      SetHint(String());
      Application->CancelHint();
    }
    return;
  }
  if (cell == FHotIndex) return;
  const Integer old = FHotIndex;
  FHotIndex = -1;
  DrawCell(old);
  FHotIndex = cell;
  DrawCell(cell);
  ReleaseCanvasDC();
  if (FShowRGBHint) {
    SetHint(CubeCellHint(FCubeCells[static_cast<std::size_t>(cell)].Color));
    Application->CancelHint();
  }
}

void TNeoColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TNeoCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
  DoShouldHide();
}
