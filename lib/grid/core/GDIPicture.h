#pragma once
// TGDIPPicture: the picture of hints and other grid properties. It holds raster image bytes that
// GDI+ decodes and draws (optionally rotated), or an SVG document through its base TNeoSVGBitmap.
#include <memory>

#include "lib/graphics/NeoGDIP.h"
#include "lib/render/NeoSVGBitmap.h"

enum TPictureFormat { pfBMP, pfGIF, pfJPG, pfPNG, pfICO, pfTiff, pfMetaFile, pfNone };

class TGDIPPicture : public TNeoSVGBitmap {
  ZELK_CLASS(TGDIPPicture, TNeoSVGBitmap)
public:
  TGDIPPicture();
  ~TGDIPPicture() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() override;
  Integer GetWidth() override;
  Integer GetHeight() override;
  void ReadData(TStream* Stream) override;
  // Sizes follow the image; writing them does nothing.
  void SetHeight(Integer Value) override;
  void SetWidth(Integer Value) override;
  void WriteData(TStream* Stream) override;
  // Swallows every failure: the picture is then empty.
  void LoadFromFile(const String& FileName) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // The clipboard operations do nothing.
  void LoadFromClipboardFormat(Word AFormat, HANDLE AData);
  void SaveToClipboardFormat(Word& AFormat, HANDLE& AData);
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, Integer ResID);
  // "RES://name" loads the program's RCDATA resource, "FILE://path" the file (prefixes in any
  // letter case); other addresses are ignored.
  void LoadFromURL(const String& URL);

  // The raster image at its own size at (X, Y), or into (X, Y, W, H); an SVG through DrawSVG.
  void DrawImage(NeoGDIP::TGPGraphics* Graphics, Integer X, Integer Y);
  void DrawImageRect(NeoGDIP::TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H);
  // Draws the SVG document into (X, Y, X + W, Y + H) on the graphics' device context.
  virtual void DrawSVG(NeoGDIP::TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H);
  // The image's size into Width and Height; true for SVG and for data GDI+ could measure.
  bool GetImageSizes();

  // From the first bytes of the raster data; pfNone below 44 bytes.
  TPictureFormat GetPictureFormat();
  TGraphic* GetGraphic() const { return nullptr; }
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  TColor GetBackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { FBackgroundColor = Value; }
  Integer GetAngle() const { return FAngle; }
  void SetAngle(Integer Value) { FAngle = Value; }
  bool GetTransparentBitmap() const { return FTransparentBitmap; }
  void SetTransparentBitmap(bool Value) { FTransparentBitmap = Value; }
  const String& GetFileName() const { return FFileName; }
  TMemoryStream* GetDataStream() const { return FDatastream.get(); }

  TNotifyEvent OnClear;

private:
  // A GDI+ image over a copy of the raster data; raises "Could not allocate memory for image"
  // when the memory cannot be had.
  std::unique_ptr<NeoGDIP::TGPImage> MakeImage();
  bool IsRaster(TStream* Stream);
  void ClearSVG();
  void TakeGraphic(TGraphic* Graphic);
  void FireClear();

  String FFileName;
  std::unique_ptr<TMemoryStream> FDatastream;
  bool FIsEmpty = true;
  Integer FWidth = 0;
  Integer FHeight = 0;
  bool FDoubleBuffered = false;
  TColor FBackgroundColor = clWindow;
  bool FTransparentBitmap = true;
  Integer FAngle = 0;
};
