#pragma once
// GDI objects held for a scope by the editing controls' painting, and font heights they measure.
#include "platform/ui/Graphics.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

// A pen and a brush of one colour selected into a DC for the scope of the object.
class TSolidFill {
public:
  TSolidFill(HDC ADC, TColor AColor)
      : FDC(ADC), FPen(CreatePen(PS_SOLID, 1, ColorToRGB(AColor))), FBrush(CreateSolidBrush(ColorToRGB(AColor))) {
    FOldPen = SelectObject(FDC, FPen);
    FOldBrush = SelectObject(FDC, FBrush);
  }
  ~TSolidFill() {
    SelectObject(FDC, FOldPen);
    SelectObject(FDC, FOldBrush);
    DeleteObject(FPen);
    DeleteObject(FBrush);
  }
  TSolidFill(const TSolidFill&) = delete;
  TSolidFill& operator=(const TSolidFill&) = delete;

private:
  HDC FDC;
  HPEN FPen;
  HBRUSH FBrush;
  HGDIOBJ FOldPen = nullptr;
  HGDIOBJ FOldBrush = nullptr;
};

// A solid GDI brush for the scope of the object.
class TSolidBrush {
public:
  explicit TSolidBrush(TColor AColor) : FBrush(CreateSolidBrush(ColorToRGB(AColor))) {}
  ~TSolidBrush() { DeleteObject(FBrush); }
  TSolidBrush(const TSolidBrush&) = delete;
  TSolidBrush& operator=(const TSolidBrush&) = delete;
  HBRUSH Get() const { return FBrush; }

private:
  HBRUSH FBrush;
};

// The window DC of a window for the scope of the object.
class TWindowDC {
public:
  explicit TWindowDC(HWND AWindow) : FWindow(AWindow), FDC(GetWindowDC(AWindow)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
};

// The character height of a font and of the system font, which the edits' least heights build on.
struct TFontHeights {
  Integer Font = 0;
  Integer System = 0;
};
inline TFontHeights MeasureFontHeights(TFont* AFont) {
  HDC dc = GetDC(nullptr);
  TEXTMETRICW system{}, metrics{};
  GetTextMetrics(dc, &system);
  HGDIOBJ saved = SelectObject(dc, AFont->GetHandle());
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, saved);
  ReleaseDC(nullptr, dc);
  return TFontHeights{static_cast<Integer>(metrics.tmHeight), static_cast<Integer>(system.tmHeight)};
}
