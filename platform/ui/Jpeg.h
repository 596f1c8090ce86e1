#pragma once
// JPEG pictures (libjpeg 6b API). A loaded file is kept as it is and saved unchanged; pictures
// assigned from other graphics are compressed at CompressionQuality when saved or on Compress.
#include <memory>
#include <vector>

#include "platform/ui/Graphics.h"

using TJPEGQualityRange = Integer;   // 1..100

class TJPEGImage : public TGraphic {
  ZELK_CLASS(TJPEGImage, TGraphic)
public:
  TJPEGImage();
  ~TJPEGImage() override;
  void Assign(TPersistent* Source) override;

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() override;
  Integer GetWidth() override;
  Integer GetHeight() override;
  // A JPEG's size follows its pixels: setting it does nothing.
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}

  TJPEGQualityRange GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(TJPEGQualityRange Value);
  // Grey output: the picture is shown and compressed in shades of grey. Loading a grey file
  // sets it.
  bool GetGrayscale() const { return FGrayscale; }
  void SetGrayscale(bool Value);
  // Compresses the pixels now (at CompressionQuality), replacing the data a file brought.
  void Compress();
  void JPEGNeeded();
  void DIBNeeded() {}

  static bool CanLoadFromStream(TStream* Stream);
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

protected:
  void AssignTo(TPersistent* Dest) override;   // to a bitmap: pf24bit
  void Changed(TObject* Sender) override;

private:
  TBitmap& DrawCache();
  std::vector<Byte> FData;   // the compressed form (empty until needed for new pixels)
  std::unique_ptr<ImageCodecs::TRawImage> FImage;
  std::unique_ptr<TBitmap> FDrawCache;
  TJPEGQualityRange FQuality = 90;
  bool FGrayscale = false;
};
