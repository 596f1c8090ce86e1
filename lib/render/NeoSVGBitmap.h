#pragma once
// SVG documents as pictures: TNeoSVGImport, the interface of an SVG importer (parse, hold, draw),
// and TNeoSVGBitmap, the picture class that keeps the SVG source bytes and an importer, streams
// itself in form data and is registered for the extension "SVG".
#include <memory>

#include "lib/graphics/NeoGraphicsTypes.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Graphics.h"

// Every operation raises EAbstractError here; TNeoGraphicsSVGImport implements them.
class TNeoSVGImport : public TObject {
  ZELK_CLASS(TNeoSVGImport, TObject)
public:
  TNeoSVGImport() = default;

  const TRectF& GetViewRect() const { return FViewRect; }
  void SetViewRect(const TRectF& Value) { FViewRect = Value; }
  bool GetGrayScale() const { return FGrayScale; }
  void SetGrayScale(bool Value) { FGrayScale = Value; }

  virtual bool HasElements();
  virtual Integer ElementCount();
  virtual TNeoBitmap* GenerateBitmap(Single AWidth, Single AHeight);
  virtual void Clear();
  virtual void Draw(TCanvas* ACanvas, const TRectF& ARect, bool ANative);
  virtual void LoadFromText(const String& AText);
  virtual void LoadFromFile(const String& AFile);
  virtual void LoadFromStream(TStream* AStream);
  virtual void SaveToStream(TStream* AStream);
  virtual void SaveToFile(const String& AFile);

protected:
  TRectF FViewRect;
  bool FGrayScale = false;
};

class TNeoSVGBitmap : public TGraphic {
  ZELK_CLASS(TNeoSVGBitmap, TGraphic)
public:
  TNeoSVGBitmap();
  ~TNeoSVGBitmap() override;

  TNeoSVGImport* GetSVG() const { return FSVG.get(); }
  const String& GetFileName() const { return FFileName; }
  // A different name loads that file.
  void SetFileName(const String& Value);

  virtual bool HasSVG();
  // Clears the importer and the file name and signals a change.
  void Clear();

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  bool GetEmpty() override;
  // The view rectangle's extent at the display scale; 0 while nothing is loaded.
  Integer GetWidth() override;
  Integer GetHeight() override;
  // Left to the descendants: raise EAbstractError here.
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;
  void LoadFromFile(const String& Filename) override;
  void SaveToFile(const String& Filename) override;
  // Whether the stream does not begin with a raster-image signature (the position is kept).
  static bool CanLoadFromStream(TStream* Stream);
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

  // The source bytes as loaded.
  TMemoryStream* GetSourceStream() const { return FStream.get(); }

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  Integer ScaledExtent(Single ALow, Single AHigh) const;

  std::unique_ptr<TNeoSVGImport> FSVG;
  std::unique_ptr<TMemoryStream> FStream;
  String FFileName;
};

// Registers the unit (after GDI+'s units and the graphics types, whose start-up builds the named
// colours): its start-up registers TNeoSVGBitmap for "SVG" with the picture class and the SVG
// picture drawing with the graphics layer; its shut-down withdraws both.
void RegisterNeoSVGUnit();
