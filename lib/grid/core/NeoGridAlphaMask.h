#pragma once
// The glow mask of the grid's focus frame: a premultiplied 32-bit bitmap, the blurred rounded
// rectangle it is made from, and the separable Gaussian blur behind it.
#include <array>

#include "platform/ui/Graphics.h"

// A normalised Gaussian kernel: Weights[k + 10] for the offsets k = -Radius .. Radius, zero beyond.
struct TBlurKernel {
  Byte Radius = 1;
  std::array<float, 21> Weights{};
};

// The kernel of standard deviation Sigma, cut where the dropped tails reach 1/510 (at least radius
// 1). Sigma of 0 or less gives the identity kernel.
TBlurKernel MakeBlurKernel(Double Sigma);

// A channel sum as a byte: clamped to 0..255, then truncated.
Byte BlurChannelByte(Double Sum);

// One pass of the kernel over Count pixels of 3 bytes (edge pixels repeat); Scratch holds Count x 3
// bytes.
void BlurLine(const TBlurKernel& Kernel, Byte* Pixels, Integer Count, Byte* Scratch);

// Blurs a pf24bit bitmap with a Gaussian of standard deviation Radius, rows then columns. Rows and
// columns above 20 and below the size - 20 are copied from row or column 15 (the masks this serves
// are alike in the middle). Raises "Blur only works for 24-bit bitmaps" for any other format.
void BlurBitmap24(TBitmap* Bitmap, Double Radius);

// Draws on Bitmap (made pf24bit, Width x Height, black) a white rounded rectangle inset by 2 plus
// half the pen: an outline PenWidth wide, or filled when PenWidth <= 0; then blurs it by BlurRadius
// when that is above 0.
void MakeRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth, Integer Corner,
                       Double BlurRadius);

// A pf32bit bitmap of premultiplied pixels shown as a layered window with the constant alpha
// Opacity.
class TGridAlphaMask : public TBitmap {
  ZELK_CLASS(TGridAlphaMask, TBitmap)
public:
  TGridAlphaMask();
  // From another mask: its Opacity and, row by row, its pixels (both masks are of one size); from
  // any other graphic the plain bitmap assignment. The result is pf32bit either way.
  void Assign(TPersistent* Source) override;

  Byte GetOpacity() const { return FOpacity; }
  void SetOpacity(Byte Value) { FOpacity = Value; }

  // Takes Bitmap's size and pixels with the alpha of Mask's red byte, premultiplied (Round halves
  // to even). Does nothing unless Bitmap is pf24bit and Mask pf24bit and at least Bitmap's size.
  void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

private:
  Byte FOpacity = 255;
};
