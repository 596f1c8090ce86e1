#pragma once
// Internals shared by the GDI implementation files: objects behind the handles, regions as band
// lists, device context state and the pixel painters. Not for use outside platform/win.
#include "platform/win/Surface.h"
#include "platform/win/WinGdi.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct _cairo;
struct _cairo_surface;

namespace gdi {

// ---- Regions: exact sets of integer pixels ----
// Rectangles sorted by top, then left; rectangles of one band share top and bottom, bands do not
// overlap, rectangles of a band neither overlap nor touch, and vertically adjacent bands with the
// same spans are merged. A rectangle covers left..right-1 and top..bottom-1.
class TRgnSet {
public:
  TRgnSet() = default;
  explicit TRgnSet(const RECT& ARect);

  const std::vector<RECT>& Rects() const { return FRects; }
  bool Empty() const { return FRects.empty(); }
  RECT Box() const { return FBox; }
  int Complexity() const { return FRects.empty() ? NULLREGION : FRects.size() == 1 ? SIMPLEREGION : COMPLEXREGION; }
  bool Contains(int X, int Y) const;
  bool Intersects(const RECT& ARect) const;
  void Offset(int DX, int DY);
  bool operator==(const TRgnSet& AOther) const;

  // Boolean combination (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF).
  static TRgnSet Combine(const TRgnSet& A, const TRgnSet& B, int AMode);
  TRgnSet Intersect(const RECT& ARect) const;

  // Building row by row: rows must come in increasing y; each row's spans sorted, non-overlapping.
  class TBuilder {
  public:
    void AddRow(int Y0, int Y1, const std::vector<std::pair<int, int>>& ASpans);
    TRgnSet Finish();
  private:
    std::vector<RECT> FRects;
    std::size_t FLastBand = 0;   // index of the first rectangle of the last band
  };
  // From unsorted pixel spans (x0 <= x < x1 on row y) that may overlap.
  static TRgnSet FromSpans(std::vector<std::pair<int, std::pair<int, int>>>& ASpans);

private:
  void UpdateBox();
  std::vector<RECT> FRects;
  RECT FBox{};
};

// ---- Objects ----
enum TObjKind { okPen = OBJ_PEN, okBrush = OBJ_BRUSH, okFont = OBJ_FONT, okBitmap = OBJ_BITMAP, okRegion = OBJ_REGION,
                okPalette = OBJ_PAL };

}  // namespace gdi

struct HGDIOBJ__ {
  explicit HGDIOBJ__(gdi::TObjKind AKind) : Kind(AKind) {}
  virtual ~HGDIOBJ__() = default;
  gdi::TObjKind Kind;
  bool Permanent = false;   // stock objects and shared brushes
  int References = 0;       // selections in DCs (current and saved states)
  bool DeletePending = false;
};

namespace gdi {

struct TPen : HGDIOBJ__ {
  TPen() : HGDIOBJ__(okPen) {}
  UINT Style = PS_SOLID;   // full style, type, end cap and join included
  int Width = 1;           // logical units; 0 means one pixel
  COLORREF Color = 0;
  bool Extended = false;   // made by ExtCreatePen
  UINT BaseStyle() const { return Style & PS_STYLE_MASK; }
  bool Cosmetic() const { return Extended ? (Style & PS_TYPE_MASK) == PS_COSMETIC : false; }
};

struct TBrush : HGDIOBJ__ {
  TBrush() : HGDIOBJ__(okBrush) {}
  UINT Style = BS_SOLID;
  COLORREF Color = 0;
  int Hatch = 0;
  // Pattern brushes: the pattern's pixels; a monochrome pattern paints its black pixels in the DC's
  // text colour and its white ones in the background colour.
  std::vector<std::uint32_t> Pattern;
  int PatternWidth = 0, PatternHeight = 0;
  bool Monochrome = false;
  bool DCBrush = false;   // DC_BRUSH: the DC's brush colour
};

struct TFontObj : HGDIOBJ__ {
  TFontObj() : HGDIOBJ__(okFont) {}
  LOGFONTW Log;
};

struct TBitmapObj : HGDIOBJ__ {
  TBitmapObj() : HGDIOBJ__(okBitmap) {}
  std::unique_ptr<TSurface> Surface;
  int BitsPixel = 32;     // 1 for monochrome bitmaps
  HDC SelectedIn = nullptr;
  // DIB sections: the caller-visible bits in their own layout. Direct when they are the surface's
  // pixels (32 bits, top-down); otherwise copied in before and out after each drawing operation.
  bool Dib = false;
  bool DibDirect = false;
  int DibBits = 0;         // 24 or 32
  int DibHeight = 0;       // as given: negative for top-down
  int DibStride = 0;
  std::vector<std::uint8_t> DibStorage;
  std::uint8_t* DibData = nullptr;
  void PullDib();          // bits -> surface
  void PushDib();          // surface -> bits
  ~TBitmapObj() override { Surface.reset(); }
};

struct TRegionObj : HGDIOBJ__ {
  TRegionObj() : HGDIOBJ__(okRegion) {}
  TRgnSet Set;
};

struct TPaletteObj : HGDIOBJ__ {
  TPaletteObj() : HGDIOBJ__(okPalette) {}
};

// Handle registry: every live object and DC, so stale or foreign handles are rejected. Lock()
// guards the registry and every object and DC in it; it is recursive because GDI calls GDI. It may
// be taken while the window system's lock (wincore::Lock) is held, never the other way round: no
// GDI code calls into the window system.
std::recursive_mutex& Lock();
void Register(HGDIOBJ AObject);
HGDIOBJ__* AnyObj(HGDIOBJ AHandle);
TPen* PenOf(HGDIOBJ H);
TBrush* BrushOf(HGDIOBJ H);
TFontObj* FontOf(HGDIOBJ H);
TBitmapObj* BitmapOf(HGDIOBJ H);
TRegionObj* RegionOf(HGDIOBJ H);
HRGN NewRegion(TRgnSet ASet);
void AddRef(HGDIOBJ AObject);
void Release(HGDIOBJ AObject);
HGDIOBJ Stock(int AIndex);
constexpr int STOCK_DEFAULT_BITMAP = 21;   // a memory DC's 1 x 1 monochrome bitmap
bool IsDCPen(HGDIOBJ H);
std::uint32_t PatternPixelsMono(bool ABlack);

// ---- Paths ----
struct TPathFigure {
  std::vector<std::pair<double, double>> Points;   // device coordinates
  bool Closed = false;
};

// ---- Device contexts ----
enum TDCKind { dkSurface, dkMemory, dkScreen };

struct TDCState {
  HGDIOBJ Pen = nullptr, Brush = nullptr, Font = nullptr, Bitmap = nullptr;
  COLORREF TextColor = 0, BkColor = 0xFFFFFF, DCBrushColor = 0xFFFFFF, DCPenColor = 0;
  int BkMode = OPAQUE, Rop2 = R2_COPYPEN, StretchMode = BLACKONWHITE, PolyFillMode = ALTERNATE,
      MapMode = MM_TEXT, ArcDirection = AD_COUNTERCLOCKWISE;
  UINT TextAlign = 0;
  POINT WindowOrg, ViewportOrg, BrushOrg, CurPos;
  std::optional<TRgnSet> Clip;   // device coordinates
};

}  // namespace gdi

struct HDC__ {
  gdi::TDCKind Kind = gdi::dkSurface;
  TSurface* Surface = nullptr;              // dkSurface, dkScreen
  POINT Origin;                             // surface position of device (0, 0)
  std::optional<gdi::TRgnSet> Limit;        // surface coordinates
  int DpiX = 96, DpiY = 96;
  gdi::TDCState S;
  std::vector<gdi::TDCState> Saved;
  bool PathOpen = false;
  bool PathReady = false;
  std::vector<gdi::TPathFigure> Path;
  // drawing-library state kept between calls
  _cairo* Cairo = nullptr;
  TSurface* CairoSurface = nullptr;
  std::uint64_t CairoGeneration = 0;
  std::unique_ptr<TSurface> ScreenSurface;  // dkScreen
  ~HDC__();
};

namespace gdi {

HDC__* DCOf(HDC ADC);
TSurface* TargetSurface(HDC__* D);   // nullptr if the DC has nothing to draw into
TBitmapObj* SelectedBitmap(HDC__* D);

// Coordinates: logical -> device (relative to the DC origin) -> surface.
struct TMapping {
  double SX = 1, SY = 1;   // device units per logical unit (SY < 0 when y grows upward)
  double OX = 0, OY = 0;   // device = logical * S + O
  double ToDevX(double X) const { return X * SX + OX; }
  double ToDevY(double Y) const { return Y * SY + OY; }
  double ToLogX(double X) const { return (X - OX) / SX; }
  double ToLogY(double Y) const { return (Y - OY) / SY; }
  bool Identity() const { return SX == 1 && SY == 1; }
};
TMapping MappingOf(const HDC__* D);
POINT LogToDev(const HDC__* D, int X, int Y);
POINT LogToSurf(const HDC__* D, int X, int Y);
RECT LogRectToSurf(const HDC__* D, const RECT& R);   // normalised
RECT LogRectToDev(const HDC__* D, const RECT& R);    // normalised
int LogLengthToDevX(const HDC__* D, int ALength);
int LogLengthToDevY(const HDC__* D, int ALength);

// The clip in effect, in surface coordinates (limit, clip region and surface bounds).
TRgnSet EffectiveClip(HDC__* D);

// Drawing scope: brings DIB bits into the surface before drawing and back afterwards.
class TDrawScope {
public:
  explicit TDrawScope(HDC__* D, bool AWrites = true);
  ~TDrawScope();
  TSurface* Surface() const { return FSurface; }
private:
  TBitmapObj* FBitmap = nullptr;
  TSurface* FSurface = nullptr;
  bool FWrites;
};

// What a drawing call works with: the GDI lock, the DC, its drawing scope and surface and the clip
// in surface coordinates. S stays null where the DC has nothing to draw on.
struct TDrawTarget {
  std::unique_lock<std::recursive_mutex> Guard{Lock()};
  HDC__* D = nullptr;
  std::optional<TDrawScope> Scope;
  TSurface* S = nullptr;
  TRgnSet Clip;
  // False for an unknown DC.
  bool Open(HDC ADC, bool AWrites = true);
};

// ---- Painting pixels ----
// A paint source: a solid colour or a brush pattern, with the raster operation of the pen (ROP2).
struct TPaint {
  bool None = false;
  std::uint32_t Color = 0;                    // premultiplied pixel for solid paint
  const TBrush* Brush = nullptr;              // pattern or hatch when set
  COLORREF TextColor = 0, BkColor = 0xFFFFFF;
  bool Opaque = true;                         // hatch gaps in the background colour
  POINT Origin;                               // brush origin in surface coordinates
  int Rop2 = R2_COPYPEN;
};
TPaint BrushPaint(HDC__* D, HGDIOBJ ABrush, POINT ASurfOrigin);
TPaint SolidPaint(std::uint32_t APixel, int ARop2);
// The paint's pixel at a surface position; false where it leaves the pixel alone (hatch gaps).
bool PaintSourceAt(const TPaint& APaint, int X, int Y, std::uint32_t& AOut);
// Paints ASet (already clipped) on ASurface.
void PaintSet(TSurface& ASurface, const TRgnSet& ASet, const TPaint& APaint);
std::uint32_t Rop2Pixel(std::uint32_t ADest, std::uint32_t APen, int ARop2);
std::uint32_t Rop3Pixel(std::uint32_t ADest, std::uint32_t ASrc, std::uint32_t APat, std::uint8_t ARop);

// ---- Rasterising shapes (surface coordinates) ----
using TPointD = std::pair<double, double>;
// Pixels whose centres lie inside the polygons (ALTERNATE or WINDING).
// The pixels inside the polygons; with ABand only those of its rows (a drawing needs no more than
// the rows of its clip, however far the polygons reach).
TRgnSet FillPolygons(const std::vector<std::vector<TPointD>>& APolygons, int AFillMode, const RECT* ABand = nullptr);
// The pixels of a one-pixel line from A to B, the end pixel left out.
void LinePixels(POINT A, POINT B, std::vector<POINT>& AOut);
// Pens: the pixels the DC's pen paints along a polyline (integer points), split into the pen
// colour and, for styled pens, the gaps (background colour when OPAQUE).
struct TPenPixels {
  TRgnSet Fore, Gaps;
};
struct TPenInfo {
  bool Null = false;
  bool Wide = false;        // geometric, width in pixels > 1
  int Width = 1;            // pixels
  UINT Style = PS_SOLID;    // base style
  UINT EndCap = PS_ENDCAP_ROUND, Join = PS_JOIN_ROUND;
  bool InsideFrame = false;
  std::uint32_t Color = 0;
};
TPenInfo PenInfoOf(HDC__* D);
// AFigures: polylines in surface coordinates (integer points for thin pens, pixel-centred for wide).
// With ABand a wide pen's pixels are found in its rows only.
TPenPixels StrokePixels(const TPenInfo& APen, const std::vector<std::vector<TPointD>>& AFigures,
                        const std::vector<bool>& AClosed, const RECT* ABand = nullptr);
// Paints pen pixels with the DC's ROP and background rules, clipped.
void PaintPen(HDC__* D, TSurface& ASurface, const TPenPixels& APixels, const TPenInfo& APen, const TRgnSet& AClip);

// Ellipse and arc outlines as points (centre, radii in surface units), angles counter-clockwise.
void EllipsePoints(double CX, double CY, double RX, double RY, double A0, double ASweep, bool AStartIncluded,
                   std::vector<TPointD>& AOut);

std::vector<TPointD> RoundRectOutline(double L, double T, double R, double B, double W, double H);

// ---- Text (GdiText.cpp) ----
struct TFontMetrics {
  int Height = 0, Ascent = 0, Descent = 0, InternalLeading = 0, ExternalLeading = 0, AveCharWidth = 0,
      MaxCharWidth = 0, Weight = FW_NORMAL;
  bool Italic = false, Underline = false, StrikeOut = false;
  int UnderlinePosition = 1, UnderlineThickness = 1;   // pixels below the baseline
};
// A resolved font at the device size, cached by LOGFONT and pixel height.
struct TFontEntry;
TFontEntry* FontEntryOf(HDC__* D);
const TFontMetrics& MetricsOf(TFontEntry* AFont);
// A shaped line of text (cached); widths in device pixels.
struct TTextLine;
TTextLine* ShapeLine(TFontEntry* AFont, StringView AText, bool ARtl);
int LineWidth(TTextLine* ALine);
// Whether the line was measured by shaping it as one run, without a paragraph layout.
bool ShapedAsOneRun(TTextLine* ALine);
// The width of the line's paragraph layout, laid out now if need be: always its LineWidth.
int LaidOutWidth(TTextLine* ALine);
// x offsets (device pixels) of each UTF-16 index 0..n of the line, for breaking and fitting.
const std::vector<int>& LineOffsets(TTextLine* ALine);
// How many UTF-16 units from the start of the line fit into AWidth device pixels.
std::size_t FitChars(TTextLine* ALine, int AWidth);
// Draws a shaped line with its top-left at (X, Y) surface coordinates, clipped to AClip, turned
// by AAngle degrees counter-clockwise about (X, Y); ABack fills the line's box first.
void DrawLine(HDC__* D, TSurface& ASurface, TTextLine* ALine, TFontEntry* AFont, double X, double Y,
              const TRgnSet& AClip, COLORREF AColor, const COLORREF* ABack = nullptr, double AAngle = 0);
// The drawing library context over a DC's surface, clipped (surface coordinates).
_cairo* CairoFor(HDC__* D, TSurface& ASurface);
void SetCairoClip(_cairo* ACr, const TRgnSet& AClip);

}  // namespace gdi
