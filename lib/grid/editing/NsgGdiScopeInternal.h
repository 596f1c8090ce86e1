#pragma once
// GDI objects held for a scope by the editing controls' painting.
#include "platform/ui/Graphics.h"
#include "platform/win/WinGdi.h"

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
