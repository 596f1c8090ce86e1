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
#include "lib/render/demo/SVGComparison.h"
#include "lib/render/testsupport/SvgSamples.h"

// A case is named by its file in the test's messages.
void SVGComparison::PrintTo(const TRsvgCase& ACase, std::ostream* AOut) { *AOut << ACase.Name; }
#endif

namespace SVGComparison {
namespace {

#ifdef ZELK_TEST_RSVG

constexpr Integer Size = 256;

TSquare DrawRsvg(const std::string& AFile) {
  TSquare out(Size);
  std::string error;
  if (!SVGComparison::DrawRsvg(AFile, out, error)) ADD_FAILURE() << "librsvg cannot load " << AFile << ": " << error;
  return out;
}

TRect InkBox(const TSquare& A) {
  TRect box{Size, Size, 0, 0};
  for (Integer y = 0; y < Size; ++y)
    for (Integer x = 0; x < Size; ++x)
      if (SVGComparison::ChannelDifference(A.At(x, y), 0xFFFFFFFF) > 64) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
  return box;
}

void Save(const TSquare& A, const std::string& AFile) {
  TSurface s(Size, Size);
  for (Integer y = 0; y < Size; ++y)
    for (Integer x = 0; x < Size; ++x) s.SetPixel(x, y, A.At(x, y));
  EXPECT_TRUE(s.SaveToPng(AFile)) << AFile;
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
  const std::string file = SvgSamplesU8() + c.Name + ".svg";
  const std::string out = std::string(ZELK_TEST_OUTPUT) + "/svgrsvg/";
  std::filesystem::create_directories(out);
  const TSquare ours = SVGComparison::DrawOurs(file, Size, SVGComparison::Stretched(c));
  const TSquare theirs = DrawRsvg(file);
  Save(ours, out + c.Name + "-ours.png");
  Save(theirs, out + c.Name + "-librsvg.png");
  Save(SVGComparison::Difference(ours, theirs), out + c.Name + "-difference.png");
  switch (c.Compare) {
    case cmpPixels:
      EXPECT_LE(SVGComparison::PixelsOff(ours, theirs, 32), Size * Size * 2 / 100) << c.Name << ": see " << out;
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
      const std::string name = SvgSamplesU8() + "golden/rsvg-" + c.Name + ".png";
      if (!golden.LoadFromPng(name)) {
        ADD_FAILURE() << "no golden picture " << name << " (" << c.Reason << "); this run's is " << out << c.Name
                      << "-ours.png";
        break;
      }
      ASSERT_EQ(golden.Width(), Size);
      ASSERT_EQ(golden.Height(), Size);
      TSquare want(Size);
      for (Integer y = 0; y < Size; ++y)
        for (Integer x = 0; x < Size; ++x) want.At(x, y) = golden.Pixel(x, y);
      // Within 8 per channel for all but 1 % of the pixels (font and rounding differences).
      EXPECT_LE(SVGComparison::PixelsOff(ours, want, 8), Size * Size / 100) << c.Name << " (" << c.Reason << ")";
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, NeoSVGRsvgTest, ::testing::ValuesIn(SVGComparison::Corpus),
                         [](const ::testing::TestParamInfo<TRsvgCase>& AInfo) { return std::string(AInfo.param.Name); });

#else

TEST(NeoSVGRsvgTest, NeedsLibrsvg) { GTEST_SKIP() << "built without librsvg"; }

#endif

}  // namespace

}  // namespace SVGComparison
