// Bitmaps drawn scaled, from the program's resources, or blended by their alpha channel.
#include "lib/gridutil/NeoGridUtilPaint.h"

#include <memory>

#include "platform/rtl/Math.h"
#include "platform/rtl/Streams.h"
#include "platform/win/WinGdi.h"

void DrawBitmapScaled(TCanvas* Canvas, TBitmap* Bitmap, TColor Background, Single Factor, TRect Rect) {
  if (!Canvas || !Bitmap || Bitmap->GetEmpty()) return;
  const Integer w = Bitmap->GetWidth();
  const Integer h = Bitmap->GetHeight();
  // The caller's bitmap keeps its own transparency settings: a copy is made transparent.
  TBitmap glyph;
  glyph.Assign(Bitmap);
  glyph.SetTransparentMode(tmFixed);
  glyph.SetTransparentColor(glyph.GetCanvas()->GetPixels(0, 0));
  glyph.SetTransparent(true);
  if (Factor == 1.0f) {
    Canvas->Draw(Rect.left, Rect.top, &glyph);
    return;
  }
  const auto sw = static_cast<Integer>(Round(w * static_cast<Double>(Factor)));
  const auto sh = static_cast<Integer>(Round(h * static_cast<Double>(Factor)));
  if (sw <= 0 || sh <= 0) return;
  // Stretching cannot keep a transparent colour: the glyph is first laid on the background.
  TBitmap flat;
  flat.SetPixelFormat(pf24bit);
  flat.SetSize(w, h);
  FillRectColor(flat.GetCanvas(), TRect{0, 0, w, h}, Background);
  flat.GetCanvas()->Draw(0, 0, &glyph);
  Canvas->StretchDraw(TRect{Rect.left, Rect.top, Rect.left + sw, Rect.top + sh}, &flat);
}

void DrawResourceBitmap(TCanvas* Canvas, TColor Background, TRect Rect, Single Factor, const String& ResourceName) {
  // A picture that is not in the program draws nothing: painting goes on without it.
  std::span<const Byte> data;
  if (!FindResourceData(ResourceName, RT_BITMAP, data)) return;
  TBitmap bitmap;
  bitmap.LoadFromResourceName(nullptr, ResourceName);
  DrawBitmapScaled(Canvas, &bitmap, Background, Factor, Rect);
}

void DrawBitmapAlpha(TCanvas* Canvas, Integer X, Integer Y, TBitmap* Bitmap) {
  if (!Canvas || !Bitmap || Bitmap->GetEmpty()) return;
  if (Bitmap->GetPixelFormat() != pf32bit || Bitmap->GetAlphaFormat() != afPremultiplied) {
    Canvas->Draw(X, Y, Bitmap);
    return;
  }
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(Canvas->GetHandle(), X, Y, Bitmap->GetWidth(), Bitmap->GetHeight(), Bitmap->GetCanvas()->GetHandle(), 0,
             0, Bitmap->GetWidth(), Bitmap->GetHeight(), blend);
}
