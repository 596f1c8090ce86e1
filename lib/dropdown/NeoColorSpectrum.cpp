// The spectrum panel, its hue and lightness picture and its pointer cursor.
#include <cmath>
#include <cstdint>
#include <mutex>
#include <vector>

#include "lib/dropdown/NeoColorSelector.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Forms.h"
#include "platform/win/WinIcon.h"

namespace {

constexpr Integer SpectrumSize = 128;
constexpr Integer SaturatedRow = 64;
constexpr TColor FrameGrey = 0x808080;
constexpr TColor FrameWhite = 0xFFFFFF;

Byte Channel(double Value) { return static_cast<Byte>(std::floor(Value * 255.0 + 0.5)); }

// The little-endian bytes of a BMP file of the spectrum: 24 bits, rows bottom-up (128 * 3 bytes a
// row needs no padding).
std::vector<Byte> SpectrumBmp() {
  constexpr std::uint32_t rowBytes = SpectrumSize * 3, headerBytes = 14 + 40,
                          imageBytes = rowBytes * SpectrumSize;
  std::vector<Byte> bmp;
  bmp.reserve(headerBytes + imageBytes);
  auto put = [&](std::uint32_t Value, int Bytes) {
    for (int i = 0; i < Bytes; ++i) bmp.push_back(static_cast<Byte>(Value >> (8 * i)));
  };
  bmp.push_back('B');
  bmp.push_back('M');
  put(headerBytes + imageBytes, 4);
  put(0, 4);
  put(headerBytes, 4);
  put(40, 4);                 // BITMAPINFOHEADER
  put(SpectrumSize, 4);       // width
  put(SpectrumSize, 4);       // height, bottom-up
  put(1, 2);                  // planes
  put(24, 2);                 // bits per pixel
  put(0, 4);                  // BI_RGB
  put(imageBytes, 4);
  put(2835, 4);               // 72 dpi
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  for (Integer y = SpectrumSize - 1; y >= 0; --y)
    for (Integer x = 0; x < SpectrumSize; ++x) {
      const auto c = static_cast<Cardinal>(SpectrumColorAt(x, y));
      bmp.push_back(static_cast<Byte>(c >> 16));   // blue, green, red
      bmp.push_back(static_cast<Byte>(c >> 8));
      bmp.push_back(static_cast<Byte>(c));
    }
  return bmp;
}

// A 16 x 16 ring with a white rim around a black one and a clear middle; the hot spot is its centre.
HCURSOR MakePointerCursor() {
  constexpr int size = 16;
  constexpr double cx = 7.5, cy = 7.5;
  std::vector<std::uint32_t> pixels(size * size, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      std::uint32_t& p = pixels[static_cast<std::size_t>(y * size + x)];
      if (d >= 4.0 && d < 5.5) p = 0xFF000000u;
      else if ((d >= 2.8 && d < 4.0) || (d >= 5.5 && d < 6.8)) p = 0xFFFFFFFFu;
    }
  HBITMAP color = CreateBitmapFromPixels(size, size, pixels.data());
  ICONINFO info;
  info.fIcon = FALSE;
  info.xHotspot = 7;
  info.yHotspot = 7;
  info.hbmColor = color;
  HICON cursor = CreateIconIndirect(&info);
  DeleteObject(color);
  return cursor;
}

HCURSOR NeoPointerCursor() {
  static const HCURSOR cursor = MakePointerCursor();
  return cursor;
}

}  // namespace

TColor SpectrumColorAt(Integer X, Integer Y) {
  // The full hue of the column: one of six sextants and the way through it.
  const double h = 6.0 * X / (SpectrumSize - 1);
  const int sextant = std::min(static_cast<int>(h), 5);
  const double f = h - sextant;
  double rgb[3] = {0, 0, 0};
  switch (sextant) {
    case 0: rgb[0] = 1; rgb[1] = f; break;
    case 1: rgb[0] = 1 - f; rgb[1] = 1; break;
    case 2: rgb[1] = 1; rgb[2] = f; break;
    case 3: rgb[1] = 1 - f; rgb[2] = 1; break;
    case 4: rgb[0] = f; rgb[2] = 1; break;
    default: rgb[0] = 1; rgb[2] = 1 - f; break;
  }
  for (double& c : rgb) {
    if (Y <= SaturatedRow) c = 1.0 - (1.0 - c) * Y / SaturatedRow;
    else c = c * (SpectrumSize - 1 - Y) / (SpectrumSize - 1 - SaturatedRow);
  }
  return static_cast<TColor>(Channel(rgb[0]) | (Channel(rgb[1]) << 8) | (Channel(rgb[2]) << 16));
}

void NeoColorSelectorResources() {
  static std::once_flag once;
  std::call_once(once, [] {
    static const std::vector<Byte> spectrum = SpectrumBmp();
    RegisterResource(u"NEO_SPECTRUM", RT_BITMAP, std::span<const Byte>(spectrum.data(), spectrum.size()));
  });
  if (Screen) Screen->SetCursors(crNeoPointer, NeoPointerCursor());
}

void RegisterNeoColorSelectorUnit() { RegisterUnit(u"NeoColorSelector", &NeoColorSelectorResources); }

// ---------------------------------------------------------------------------------------------

TNeoColorSpectrumPanel::TNeoColorSpectrumPanel(TComponent* AOwner) : TNeoCustomColorSelectorPanel(AOwner) {
  NeoColorSelectorResources();
  FSpectrumImage = new TImage(this);
  FSpectrumImage->SetParent(this);
  FSpectrumImage->SetBounds(0, 0, SpectrumSize, SpectrumSize);
  FSpectrumImage->GetPicture()->GetBitmap()->LoadFromResourceName(nullptr, u"NEO_SPECTRUM");
  FSpectrumImage->OnMouseMove = [this](TObject* Sender, TShiftState Shift, Integer X, Integer Y) {
    ImageMouseMove(Sender, Shift, X, Y);
  };
  FSpectrumImage->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    ImageMouseDown(Sender, Button, Shift, X, Y);
  };
  FSpectrumImage->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    ImageMouseUp(Sender, Button, Shift, X, Y);
  };
  FSpectrumImage->SetCursor(crNeoPointer);
}

void TNeoColorSpectrumPanel::LayoutPanel() {
  TakeDisplayScale();
  SetWidth(Scaled(150));
  SetHeight(Scaled(174));
  const Integer size = Scaled(SpectrumSize);
  FSpectrumImage->SetStretch(size != SpectrumSize);
  FSpectrumImage->SetBounds((GetWidth() - size) / 2, Scaled(10), size, size);
  const Integer left = FSpectrumImage->GetLeft();
  const Integer bottom = FSpectrumImage->GetTop() + FSpectrumImage->GetHeight();
  FSelectedRect = TRect{left - 1, bottom + Scaled(8), left + size / 2 - 2, bottom + Scaled(28)};
  FHotRect = TRect{FSelectedRect.right + Scaled(4), FSelectedRect.top, left + size + 1, FSelectedRect.bottom};
  FHotColor = clNone;
  Invalidate();
}

void TNeoColorSpectrumPanel::DrawSwatch(const TRect& R, TColor Color) {
  TCanvas* canvas = GetCanvas();
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->GetPen()->SetColor(FrameGrey);
  canvas->Rectangle(R.left - 1, R.top - 1, R.right + 1, R.bottom + 1);
  canvas->GetPen()->SetColor(FrameWhite);
  if (Color != clNone) {
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(Color);
  }
  canvas->Rectangle(R);
}

void TNeoColorSpectrumPanel::Paint() {
  TNeoCustomColorSelectorPanel::Paint();
  TCanvas* canvas = GetCanvas();
  const TRect image = FSpectrumImage->GetBoundsRect();
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->GetPen()->SetColor(FrameWhite);
  canvas->Rectangle(image.left - 1, image.top - 1, image.right + 1, image.bottom + 1);
  canvas->GetPen()->SetColor(FrameGrey);
  canvas->Rectangle(image.left - 2, image.top - 2, image.right + 2, image.bottom + 2);
  DrawSwatch(FSelectedRect, FSelectedColor);
  DrawSwatch(FHotRect, FHotColor);
}

void TNeoColorSpectrumPanel::ImageMouseMove(TObject*, TShiftState, Integer X, Integer Y) {
  // The picture's own pixel under the point of the (possibly stretched) image, not whatever the
  // screen shows there.
  TBitmap* bitmap = FSpectrumImage->GetPicture()->GetBitmap();
  const Integer w = FSpectrumImage->GetWidth(), h = FSpectrumImage->GetHeight();
  if (X < 0 || Y < 0 || X >= w || Y >= h) return;
  const Integer bx = X * bitmap->GetWidth() / w, by = Y * bitmap->GetHeight() / h;
  if (bx >= bitmap->GetWidth() || by >= bitmap->GetHeight()) return;
  FHotColor = bitmap->GetCanvas()->GetPixels(bx, by);
  DrawSwatch(FHotRect, FHotColor);
  ReleaseCanvasDC();
}

void TNeoColorSpectrumPanel::ImageMouseDown(TObject*, TMouseButton, TShiftState, Integer, Integer) {
  FSelectedColor = FHotColor;
  DrawSwatch(FSelectedRect, FSelectedColor);
  ReleaseCanvasDC();
  if (OnSelect) OnSelect(this);
}

void TNeoColorSpectrumPanel::ImageMouseUp(TObject*, TMouseButton, TShiftState, Integer, Integer) { DoShouldHide(); }

void TNeoColorSpectrumPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TNeoCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
  DoShouldHide();
}
