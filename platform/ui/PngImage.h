#pragma once
// PNG pictures (libpng): loaded and saved with their alpha channel; palette, grey and 16-bit
// files are taken in as 8-bit colour with alpha.
#include <memory>

#include "platform/ui/Graphics.h"

class TPngImage : public TGraphic {
  ZELK_CLASS(TPngImage, TGraphic)
public:
  TPngImage();
  ~TPngImage() override;
  void Assign(TPersistent* Source) override;

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() override;
  Integer GetWidth() override;
  Integer GetHeight() override;
  void SetWidth(Integer Value) override { SetSize(Value, GetHeight()); }
  void SetHeight(Integer Value) override { SetSize(GetWidth(), Value); }
  // New size: the overlapping part is kept, new pixels are transparent.
  void SetSize(Integer AWidth, Integer AHeight) override;
  // True when the picture has an alpha channel (or a transparent colour in the file).
  bool GetTransparent() const override;

  // Colour of a pixel (clNone outside the picture); setting one makes it opaque.
  TColor GetPixels(Integer X, Integer Y) const;
  void SetPixels(Integer X, Integer Y, TColor Value);
  // Alpha of a pixel (0 outside the picture).
  Byte GetAlpha(Integer X, Integer Y) const;

  static bool CanLoadFromStream(TStream* Stream);
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // An RCDATA resource holding a PNG file.
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);

protected:
  // To a bitmap: pf32bit with afDefined alpha when the picture has alpha, else pf24bit.
  void AssignTo(TPersistent* Dest) override;
  void Changed(TObject* Sender) override;

private:
  std::unique_ptr<ImageCodecs::TRawImage> FImage;
  std::unique_ptr<TBitmap> FDrawCache;
};
