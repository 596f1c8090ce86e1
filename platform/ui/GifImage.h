#pragma once
// GIF pictures (giflib): every frame of an animation with its delay, disposal, transparent
// colour and position. The selected frame is drawn as the animation shows it at that point:
// the frames before it composed on the logical screen with their disposal honoured, 32 bits
// with alpha. A loaded file is kept as it is and saved unchanged.
#include <memory>
#include <vector>

#include "platform/ui/Graphics.h"

// What happens to a frame's rectangle before the next frame is drawn.
enum TGIFDisposal {
  gdUnspecified,   // left in place
  gdKeep,          // left in place
  gdBackground,    // cleared to the background (transparent)
  gdPrevious       // restored to what was there before the frame was drawn
};

struct TGIFFrameInfo {
  TRect Bounds;                 // on the logical screen, clipped to it (may be empty)
  Integer Delay = 0;            // hundredths of a second the frame is shown
  TGIFDisposal Disposal = gdUnspecified;
  Integer TransparentIndex = -1;   // the colour index not drawn, -1 for none
};

class TGIFImage : public TGraphic {
  ZELK_CLASS(TGIFImage, TGraphic)
public:
  // Largest logical screen, and largest single frame, in pixels.
  static constexpr Int64 MaxPixels = 16'000'000;
  // Largest sum of the frames' pixels (clipped to the screen) an animation may hold.
  static constexpr Int64 MaxTotalPixels = Int64(16) * MaxPixels;

  TGIFImage();
  ~TGIFImage() override;
  void Assign(TPersistent* Source) override;

  // Draws the selected frame, composed, stretched to Rect.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() override;
  // The logical screen's size.
  Integer GetWidth() override;
  Integer GetHeight() override;
  // A GIF's size follows its data: setting it does nothing.
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}
  // Whether the selected frame, as composed, has pixels that are not opaque.
  bool GetTransparent() const override;

  Integer GetFrameCount() const { return static_cast<Integer>(FFrames.size()); }
  // The selected frame, from 0; an index outside 0..FrameCount-1 is ignored.
  Integer GetFrameIndex() const { return FFrameIndex; }
  void SetFrameIndex(Integer Value);
  // Delay, disposal, transparency and position of a frame; EInvalidGraphic "GIF frame index out
  // of range" outside 0..FrameCount-1.
  const TGIFFrameInfo& GetFrameInfo(Integer Index) const;

  // Colour and alpha of a pixel of the selected frame as composed (clNone and 0 outside).
  TColor GetPixels(Integer X, Integer Y) const;
  Byte GetAlpha(Integer X, Integer Y) const;

  static bool CanLoadFromStream(TStream* Stream);
  // EInvalidGraphic for damaged data (with giflib's message), for a screen or frame larger than
  // MaxPixels and for data holding no frame; the picture is then empty.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

protected:
  // To a bitmap: the selected frame as composed, pf32bit with alpha.
  void AssignTo(TPersistent* Dest) override;
  void Changed(TObject* Sender) override;

private:
  struct TFrame {
    TGIFFrameInfo Info;
    std::vector<Byte> Indices;   // colour indices of Info.Bounds, row by row
    std::vector<Byte> Palette;   // 256 B, G, R, A entries (missing colours opaque black)
  };
  struct TDecoded;
  void Clear();
  void TakeDecoded(TDecoded&& Decoded);
  // Brings the composed screen to the selected frame, going on from the frame composed last
  // when it lies before, else starting over.
  const ImageCodecs::TRawImage& Composed() const;
  void DisposeFrame(const TFrame& Frame) const;
  void PaintFrame(const TFrame& Frame) const;

  std::vector<Byte> FData;   // the file as loaded
  Integer FWidth = 0;
  Integer FHeight = 0;
  std::vector<TFrame> FFrames;
  Integer FFrameIndex = 0;
  // Composition state: the screen after frame FComposedIndex (-1: nothing drawn yet), and the
  // screen saved for a frame disposed to its previous state.
  mutable std::unique_ptr<ImageCodecs::TRawImage> FScreen;
  mutable std::unique_ptr<ImageCodecs::TRawImage> FSaved;
  mutable Integer FComposedIndex = -1;
  std::unique_ptr<TBitmap> FDrawCache;
};
