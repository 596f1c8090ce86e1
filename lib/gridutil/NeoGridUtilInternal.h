#pragma once
// Helpers shared by the grid utility routines' own files; not for other layers.
#include "platform/rtl/System.h"
#include "platform/ui/Graphics.h"
#include "platform/win/WinGdi.h"

namespace GridUtilInternal {

// A whole decimal integer: an optional sign and 1 to 9 digits '0'..'9', nothing else (no blanks,
// no hexadecimal), so that every accepted text fits an Integer.
inline bool TryWholeDecimal(StringView Text, std::int32_t& Value) {
  std::size_t i = 0;
  const bool negative = !Text.empty() && Text[0] == u'-';
  if (!Text.empty() && (Text[0] == u'-' || Text[0] == u'+')) ++i;
  const std::size_t digits = Text.size() - i;
  if (digits == 0 || digits > 9) return false;
  std::int32_t v = 0;
  for (; i < Text.size(); ++i) {
    if (Text[i] < u'0' || Text[i] > u'9') return false;
    v = v * 10 + (Text[i] - u'0');
  }
  Value = negative ? -v : v;
  return true;
}

// Rect less Inset on every side; false (Rect untouched) when nothing is left.
inline bool Shrink(TRect& Rect, Integer Inset) {
  const Int64 l = Int64(Rect.left) + Inset, t = Int64(Rect.top) + Inset;
  const Int64 r = Int64(Rect.right) - Inset, b = Int64(Rect.bottom) - Inset;
  if (r <= l || b <= t) return false;
  Rect = TRect{static_cast<Integer>(l), static_cast<Integer>(t), static_cast<Integer>(r), static_cast<Integer>(b)};
  return true;
}

// The middle of A..B (rounded towards A), free of overflow.
inline Integer Middle(Integer A, Integer B) { return static_cast<Integer>(A + (Int64(B) - A) / 2); }

// Limits the canvas's drawing to a rectangle while it lives.
class TClipTo {
public:
  TClipTo(TCanvas* Canvas, const TRect& Clip) : FCanvas(Canvas), FSaved(SaveDC(Canvas->GetHandle())) {
    IntersectClipRect(Canvas->GetHandle(), Clip.left, Clip.top, Clip.right, Clip.bottom);
  }
  ~TClipTo() {
    RestoreDC(FCanvas->GetHandle(), FSaved);
    FCanvas->Refresh();
  }
  TClipTo(const TClipTo&) = delete;
  TClipTo& operator=(const TClipTo&) = delete;

private:
  TCanvas* FCanvas;
  int FSaved;
};

}  // namespace GridUtilInternal
