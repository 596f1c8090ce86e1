#pragma once
// An SVG file drawn by the SVG picture (TNeoSVGBitmap's Draw, natively) and by librsvg
// (rsvg_handle_render_document) into squares of the same size on white, and the comparison of the
// two: per channel differences, the count of pixels beyond a tolerance, a difference picture.
// Used by render-demo's SVG pages and by the tests against librsvg.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "platform/win/Surface.h"

// After the platform's headers: GLib defines TRUE and FALSE as macros.
#include <librsvg/rsvg.h>

namespace SVGComparison {

// How a corpus file's picture is checked against librsvg's.
enum TCompare {
  cmpPixels,   // per channel within 32 for all but 2 % of the pixels
  cmpInk,      // the bounding box of everything not white within 2 pixels
  cmpGolden,   // our own golden picture: the renderer differs from librsvg by design
};

// Not a choice of the renderer: the GDI+ context (libgdiplus over Cairo) strokes outlines whose
// edges differ from librsvg's by up to a pixel, so files with many long strokes exceed the
// tolerance (a little over 2 % of the pixels); fills match.
inline constexpr const char* GdiPlusStrokeEdges =
    "GDI+ context: stroke edges differ from librsvg's by up to a pixel; fills match";

struct TRsvgCase {
  const char* Name;
  TCompare Compare;
  // Why the renderer's result differs from librsvg's (cmpGolden only).
  const char* Reason;
};

// Prints the case's name (the tests define it).
void PrintTo(const TRsvgCase& ACase, std::ostream* AOut);

// The corpus (lib/render/tests/data/svg) but its empty document: first the files that match librsvg.
inline const TRsvgCase Corpus[] = {
    {"arcflags", cmpPixels, ""},
    {"arcs", cmpPixels, ""},
    {"clips", cmpPixels, ""},
    {"offset", cmpPixels, ""},
    {"stretched", cmpPixels, ""},
    {"commands", cmpGolden, GdiPlusStrokeEdges},
    {"nested", cmpGolden, "a transform list composes its functions in reading order (scale(0.5) translate(0 40) "
                          "scales, then moves by 40); rotate turns about the list's last translate"},
    {"strokes", cmpGolden, GdiPlusStrokeEdges},
    {"picture", cmpGolden, "a picture that keeps its aspect is drawn at its own size, centred, not scaled up"},
    {"words", cmpGolden, "text hangs below its anchor minus the line height; the font and colour are the text "
                         "element's; a tspan without x and y anchors at (0, 0)"},
    {"gradchain", cmpGolden,
     "gradients: only the angle of a linear gradient and cx/cy of a radial one are used, spread over the "
     "shape's bounds; gradientTransform is ignored"},
    {"gradients", cmpGolden, "gradients: as gradchain; the stroke's url reference fills the shape"},
    {"paths", cmpGolden, "strokes thinner than a pixel are drawn one pixel wide"},
    {"classes", cmpGolden, "presentation attributes and class rules: the class rule is the style source; "
                           "an element's own clip-path stays unresolved"},
    {"transforms", cmpGolden, "no viewBox, width or height: the view rectangle is the drawn elements' bounds"},
    {"display", cmpGolden, "no viewBox, width or height: the view rectangle is the drawn elements' bounds"},
    {"image", cmpGolden, "no viewBox, width or height: the view rectangle is the drawn elements' bounds"},
    {"viewbox3", cmpGolden, "a viewBox of three numbers is ignored and so are width and height"},
    {"text", cmpGolden, "lengths: cm count 100 and pt 1.25 user units; text is drawn above its anchor by "
                        "the line height"},
};

// The file whose root element asks for preserveAspectRatio="none": librsvg stretches it over the
// whole viewport.
inline bool Stretched(const TRsvgCase& ACase) { return std::string(ACase.Name) == "stretched"; }

// Opaque pixels as 0xAARRGGBB, row by row, white where nothing is drawn.
struct TSquare {
  explicit TSquare(Integer ASize) : Size(ASize), Pixels(static_cast<std::size_t>(ASize) * ASize, 0xFFFFFFFF) {}
  std::uint32_t At(Integer X, Integer Y) const { return Pixels[static_cast<std::size_t>(Y) * Size + X]; }
  std::uint32_t& At(Integer X, Integer Y) { return Pixels[static_cast<std::size_t>(Y) * Size + X]; }
  Integer Size;
  std::vector<std::uint32_t> Pixels;
};

// The view rectangle fitted into the square keeping its aspect, centred (librsvg's default); the
// whole square for a view rectangle without extent or when AStretch (preserveAspectRatio none).
inline TRect FitRect(const TRectF& AView, Integer ASize, bool AStretch) {
  const Double w = Double(AView.Right) - AView.Left, h = Double(AView.Bottom) - AView.Top;
  if (AStretch || !(w > 0) || !(h > 0)) return TRect{0, 0, ASize, ASize};
  const Double scale = std::min(ASize / w, ASize / h);
  const auto fw = static_cast<Integer>(std::lround(w * scale)), fh = static_cast<Integer>(std::lround(h * scale));
  const Integer left = (ASize - fw) / 2, top = (ASize - fh) / 2;
  return TRect{left, top, left + fw, top + fh};
}

// The file drawn by TNeoSVGBitmap's Draw into the fitted rectangle of a white square.
inline TSquare DrawOurs(const std::string& AFile, Integer ASize, bool AStretch) {
  TNeoSVGBitmap svg;
  svg.LoadFromFile(UTF8ToString(AFile));
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(ASize, ASize);
  bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap.GetCanvas()->FillRect(TRect{0, 0, ASize, ASize});
  svg.Draw(bitmap.GetCanvas(), FitRect(svg.GetSVG()->GetViewRect(), ASize, AStretch));
  TSquare out(ASize);
  TSurface* s = GetDCSurface(bitmap.GetCanvas()->GetHandle());
  s->Pixels();
  for (Integer y = 0; y < ASize; ++y)
    for (Integer x = 0; x < ASize; ++x) out.At(x, y) = s->Pixel(x, y) | 0xFF000000;
  return out;
}

// The file drawn by librsvg over white at the viewport (0, 0, ASize, ASize); false (the square left
// white, AError set) when librsvg cannot load it.
inline bool DrawRsvg(const std::string& AFile, TSquare& ASquare, std::string& AError) {
  GError* error = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(AFile.c_str(), &error);
  if (!handle) {
    AError = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    return false;
  }
  const Integer size = ASquare.Size;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  const RsvgRectangle viewport{0, 0, Double(size), Double(size)};
  rsvg_handle_render_document(handle, cr, &viewport, nullptr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (Integer y = 0; y < size; ++y)
    for (Integer x = 0; x < size; ++x)
      ASquare.At(x, y) = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) | 0xFF000000;
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  return true;
}

// The largest difference of the red, green and blue channels.
inline Integer ChannelDifference(std::uint32_t A, std::uint32_t B) {
  Integer most = 0;
  for (int shift : {0, 8, 16})
    most = std::max(most, std::abs(static_cast<Integer>((A >> shift) & 0xFF) - static_cast<Integer>((B >> shift) & 0xFF)));
  return most;
}

// The number of pixels with a channel more than ATolerance apart.
inline Integer PixelsOff(const TSquare& A, const TSquare& B, Integer ATolerance) {
  Integer off = 0;
  for (std::size_t i = 0; i < A.Pixels.size(); ++i)
    if (ChannelDifference(A.Pixels[i], B.Pixels[i]) > ATolerance) ++off;
  return off;
}

// The colours of a difference picture: pixels more than 32 apart, less, alike.
constexpr std::uint32_t DifferenceFar = 0xFF000000, DifferenceNear = 0xFFC0C0C0, DifferenceNone = 0xFFFFFFFF;
constexpr Integer DifferenceTolerance = 32;

inline std::uint32_t DifferencePixel(std::uint32_t A, std::uint32_t B) {
  const Integer d = ChannelDifference(A, B);
  return d > DifferenceTolerance ? DifferenceFar : d > 0 ? DifferenceNear : DifferenceNone;
}

// Black where the pictures differ by more than 32, grey where they differ less, white alike.
inline TSquare Difference(const TSquare& A, const TSquare& B) {
  TSquare out(A.Size);
  for (std::size_t i = 0; i < A.Pixels.size(); ++i) out.Pixels[i] = DifferencePixel(A.Pixels[i], B.Pixels[i]);
  return out;
}

}  // namespace SVGComparison
