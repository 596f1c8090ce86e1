// The SVG parser's text routines: lengths, angles, transforms, colour functions, path tokens,
// path commands and arcs.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "lib/render/NeoGraphicsSVGEngine.h"

namespace NeoSVG {

namespace {

constexpr double Pi = std::numbers::pi;

std::vector<String> Tokens(std::initializer_list<const char16_t*> AItems) {
  std::vector<String> v;
  for (const char16_t* s : AItems) v.emplace_back(s);
  return v;
}

// The path's points as "k:x,y" items (k: m move, l line, c curve point, z close).
std::string Dump(const TNeoGraphicsPath& APath) {
  std::string out;
  for (Integer i = 0; i < APath.GetCount(); ++i) {
    const auto& p = APath.GetPoint(i);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%c:%g,%g", out.empty() ? "" : " ", "mlcz"[p.Kind], p.Point.X, p.Point.Y);
    out += buf;
  }
  return out;
}

std::vector<std::string> Build(const String& AData) {
  TNeoGraphicsSVGElementPathList paths;
  String d = AData;
  std::replace(d.begin(), d.end(), u',', u' ');
  BuildPath(TokenizePathData(d), paths);
  std::vector<std::string> out;
  for (TNeoGraphicsPath* p : paths) out.push_back(Dump(*p));
  return out;
}

}  // namespace

TEST(NeoSVGParse, LengthsAndAngles) {
  const std::pair<const char16_t*, float> lengths[] = {
      {u"12px", 12}, {u"12pt", 15}, {u"1in", 25.4f}, {u"50%", 50}, {u"2em", 2}, {u"2ex", 2}, {u"1pc", 15},
      {u"3mm", 30}, {u"1.5cm", 150}, {u"7", 7}, {u"-2.5e1", -25}, {u"", 0}, {u"abc", 0}, {u"px", 0},
      {u"1e39", 0}, {u"12 px", 12}};
  for (const auto& [text, value] : lengths) EXPECT_FLOAT_EQ(ParseLength(text), value) << UTF8Encode(text);
  const std::pair<const char16_t*, double> angles[] = {
      {u"90", Pi / 2}, {u"90deg", Pi / 2}, {u"1.5rad", 1.5}, {u"100grad", Pi / 2}, {u"", 0}, {u"x", 0}, {u"-45", -Pi / 4}};
  for (const auto& [text, value] : angles) EXPECT_NEAR(ParseAngle(text), value, 1e-6) << UTF8Encode(text);
}

TEST(NeoSVGParse, NumbersIgnoreTheProcessFormatSettings) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::German();
  EXPECT_FLOAT_EQ(ParseLength(u"1.5"), 1.5f);
  EXPECT_FLOAT_EQ(ToNumber(u"1,5"), 0);
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
  FormatSettings = saved;
}

TEST(NeoSVGParse, Transforms) {
  auto map = [](const char16_t* AText, TPointF P) { return P * ParseTransformText(AText); };
  struct TRow {
    const char16_t* Text;
    TPointF In, Out;
  };
  const TRow rows[] = {
      {u"translate(10,20)", {1, 2}, {11, 22}},
      {u"translate(10)", {1, 2}, {11, 2}},
      {u"scale(2)", {1, 2}, {2, 4}},
      {u"scale(2 3)", {1, 2}, {2, 6}},
      {u"matrix(1 0 0 1 5 6)", {1, 2}, {6, 8}},
      {u"matrix(1 0 0 1 5)", {1, 2}, {1, 2}},   // wrong count: identity
      // Functions apply to points left to right: scale first, then translate.
      {u"scale(2) translate(10,0)", {1, 0}, {12, 0}},
      {u"translate(10,0) scale(2)", {1, 0}, {22, 0}},
      // rotate(a) turns about the last translate of the list.
      {u"translate(10,20) rotate(90)", {1, 0}, {10, 21}},
      {u"rotate(90 5 5)", {6, 5}, {5, 6}},
      {u"rotate(90)", {1, 0}, {0, 1}},
      {u"skewX(45)", {0, 1}, {1, 1}},
      {u"skewY(45)", {1, 0}, {1, 1}},
      {u"unknown(3) translate(1 1)", {0, 0}, {1, 1}},
      // Malformed text ends the loop.
      {u"rotate(45", {1, 2}, {1, 2}},
      {u")translate(1,1)(", {0, 0}, {0, 0}},
      {u"translate(1e39 2)", {0, 0}, {0, 2}},
  };
  for (const TRow& r : rows) {
    const TPointF p = map(r.Text, r.In);
    EXPECT_NEAR(p.X, r.Out.X, 1e-4) << UTF8Encode(r.Text);
    EXPECT_NEAR(p.Y, r.Out.Y, 1e-4) << UTF8Encode(r.Text);
  }
}

TEST(NeoSVGParse, ColorFunctions) {
  struct TRow {
    const char16_t* Text;
    TColor Color;
    Integer Alpha;
  };
  const TRow rows[] = {
      {u"rgb(255,0,0)", 0x0000FF, 255},
      {u"rgb(0, 128, 255)", 0xFF8000, 255},
      {u"rgb(100%,50%,0%)", 0x007FFF, 255},   // 50 x 2.55 rounds to 127
      {u"rgb(300,0,0)", 0x0000FF, 255},
      {u"rgba(1,2,3,0)", 0x030201, 0},
      {u"rgba(1,2,3,0.5)", 0x030201, -1},
      {u"rgb(#ff,0,0)", 0x0000FF, 255},
      {u"rgb(red,0,0)", -1, 255},
      {u"rgb(1,2,3", -1, 255},
      {u"hsl(1,2,3)", -1, 255},
  };
  for (const TRow& r : rows) {
    Integer alpha = 0;
    EXPECT_EQ(ParseColorFunction(r.Text, alpha), r.Color) << UTF8Encode(r.Text);
    EXPECT_EQ(alpha, r.Alpha) << UTF8Encode(r.Text);
  }
  TFontStyles style;
  EXPECT_EQ(ParseFontFamily(u"Arial-BoldMT", style), u"Arial-Bold");
  EXPECT_TRUE(style.Contains(fsBold));
  EXPECT_EQ(ParseFontFamily(u"'Open Sans', Verdana", style), u"Verdana");
}

TEST(NeoSVGParse, PathTokens) {
  EXPECT_EQ(TokenizePathCommand(u'M', u"10-20"), Tokens({u"M", u"10", u"-20"}));
  EXPECT_EQ(TokenizePathCommand(u'L', u"1.5.5"), Tokens({u"L", u"1.5", u".5"}));
  EXPECT_EQ(TokenizePathCommand(u'L', u"1e-5-2"), Tokens({u"L", u"1e-5", u"-2"}));
  EXPECT_EQ(TokenizePathCommand(u'L', u"1e5e3 +2"), Tokens({u"L", u"1e5", u"e3", u"+2"}));
  EXPECT_EQ(TokenizePathCommand(u'M', u"1 2 3 4 5 6"), Tokens({u"M", u"1", u"2", u"L", u"3", u"4", u"L", u"5", u"6"}));
  EXPECT_EQ(TokenizePathCommand(u'm', u"1 2 3 4"), Tokens({u"m", u"1", u"2", u"l", u"3", u"4"}));
  // A remainder of one leaves the list as it is.
  EXPECT_EQ(TokenizePathCommand(u'L', u"1 2 3"), Tokens({u"L", u"1", u"2", u"3"}));
  EXPECT_EQ(TokenizePathCommand(u'Z', u"5 6"), Tokens({u"Z"}));
  EXPECT_EQ(TokenizePathData(u"M1 2L3 4z"), Tokens({u"M", u"1", u"2", u"L", u"3", u"4", u"z"}));
}

TEST(NeoSVGParse, PathCommands) {
  EXPECT_EQ(Build(u"M 10 20 30 40"), std::vector<std::string>{"m:10,20 l:30,40"});
  EXPECT_EQ(Build(u"M10-20"), std::vector<std::string>{"m:10,-20"});
  EXPECT_EQ(Build(u"M0 0 H5 V5 h-5 v-5 Z"), std::vector<std::string>{"m:0,0 l:5,0 l:5,5 l:0,5 l:0,0 z:0,0"});
  EXPECT_EQ(Build(u"m1 1 l2 2 m3 3 l1 0"), (std::vector<std::string>{"m:1,1 l:3,3", "m:6,6 l:7,6"}));
  // Commands before the first move add nothing but move the current point.
  EXPECT_EQ(Build(u"L5 5 l1 1 m1 1 l1 0"), std::vector<std::string>{"m:7,7 l:8,7"});
  // Q is the exact cubic: controls at P0 + 2/3 (Q - P0) and P + 2/3 (Q - P).
  EXPECT_EQ(Build(u"M0 0 Q3 3 6 0"), std::vector<std::string>{"m:0,0 c:2,2 c:4,2 c:6,0"});
  // T reflects only after Q/T; after C it takes the current point.
  EXPECT_EQ(Build(u"M0 0 Q3 3 6 0 T12 0"), std::vector<std::string>{"m:0,0 c:2,2 c:4,2 c:6,0 c:8,-2 c:10,-2 c:12,0"});
  EXPECT_EQ(Build(u"M0 0 C0 3 6 3 6 0 T12 0"), std::vector<std::string>{"m:0,0 c:0,3 c:6,3 c:6,0 c:6,0 c:8,0 c:12,0"});
  // S reflects after C/S only.
  EXPECT_EQ(Build(u"M0 0 C0 3 6 3 6 0 S12 -3 12 0"),
            std::vector<std::string>{"m:0,0 c:0,3 c:6,3 c:6,0 c:6,-3 c:12,-3 c:12,0"});
  EXPECT_EQ(Build(u"M0 0 Q3 3 6 0 S12 -3 12 0"),
            std::vector<std::string>{"m:0,0 c:2,2 c:4,2 c:6,0 c:6,0 c:12,-3 c:12,0"});
  // Non-finite numbers count as 0.
  EXPECT_EQ(Build(u"M1e39 5 L 3 1e400"), std::vector<std::string>{"m:0,5 l:3,0"});
  EXPECT_EQ(Build(u"M 1 L"), std::vector<std::string>{"m:1,0 l:0,0"});
  // A smooth curve's reflected control point stays finite however large the coordinates are.
  EXPECT_EQ(Build(u"M3e38 0 s0 0 0 0 s0 0 0 0"),
            std::vector<std::string>{"m:3e+38,0 c:3e+38,0 c:3e+38,0 c:3e+38,0 c:3e+38,0 c:3e+38,0 c:3e+38,0"});
  // Mirrored beyond a float, it counts as 0.
  EXPECT_EQ(Build(u"M3e38 0 s-3e38 0 0 0 s0 0 0 0"),
            std::vector<std::string>{"m:3e+38,0 c:3e+38,0 c:0,0 c:3e+38,0 c:0,0 c:3e+38,0 c:3e+38,0"});
  // Flags far beyond an integer are neither 0 nor 1.
  EXPECT_EQ(Build(u"M0 0 A1 1 0 3e9 -3e9 0 0"), std::vector<std::string>{"m:0,0"});
  EXPECT_EQ(Build(u"M0 0 A5 5 0 3e9 1 10 0").front().substr(0, 9), "m:0,0 l:0");
}

TEST(NeoSVGParse, ArcsFollowTheEllipse) {
  struct TRow {
    double Rx, Ry, Rotation;
    Integer Large, Sweep;
    TPointF From, To;
  };
  const TRow rows[] = {
      {10, 10, 0, 0, 1, {0, 0}, {20, 0}},     // half circle
      {10, 5, 0, 1, 0, {0, 0}, {10, 5}},      // three quarters of an ellipse
      {20, 10, 30, 0, 0, {0, 0}, {15, 10}},   // rotated
      {1, 1, 0, 0, 1, {0, 0}, {30, 0}},       // radii too small: scaled up to 15
  };
  for (const TRow& r : rows) {
    TNeoGraphicsPath path;
    AddArcToPath(path, r.Large, r.Sweep, r.Rotation, r.Rx, r.Ry, r.From.X, r.From.Y, r.To.X, r.To.Y);
    ASSERT_GT(path.GetCount(), 3);
    EXPECT_NEAR(path.GetPoint(0).Point.X, r.From.X, 1e-3);
    EXPECT_NEAR(path.LastPoint().X, r.To.X, 1e-3);
    EXPECT_NEAR(path.LastPoint().Y, r.To.Y, 1e-3);
    // Centre and radii from the end points and one middle point of the curve; every sampled
    // point must then satisfy the ellipse's equation within 0.01.
    const double phi = r.Rotation * Pi / 180;
    double scale = 1;
    {
      const double dx = (r.From.X - r.To.X) / 2, dy = (r.From.Y - r.To.Y) / 2;
      const double x1 = std::cos(phi) * dx + std::sin(phi) * dy, y1 = -std::sin(phi) * dx + std::cos(phi) * dy;
      const double l = x1 * x1 / (r.Rx * r.Rx) + y1 * y1 / (r.Ry * r.Ry);
      if (l > 1) scale = std::sqrt(l);
    }
    const double rx = r.Rx * scale, ry = r.Ry * scale;
    TNeoGraphicsPathPolygon polygon;
    path.FlattenToPolygon(polygon, 0.01f);
    // The centre: the point from which both ends lie on the ellipse; found from the curve's own
    // samples by averaging the ellipse through them is circular, so test the distance of each
    // sample to the nearest point of the analytic ellipse through the ends instead.
    const double mx = (r.From.X + r.To.X) / 2.0, my = (r.From.Y + r.To.Y) / 2.0;
    double best = 1e9, cx = 0, cy = 0;
    for (int side = -1; side <= 1; side += 2) {
      const double dx = (r.From.X - r.To.X) / 2, dy = (r.From.Y - r.To.Y) / 2;
      const double x1 = std::cos(phi) * dx + std::sin(phi) * dy, y1 = -std::sin(phi) * dx + std::cos(phi) * dy;
      const double num = std::max(0.0, rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1);
      const double c = side * std::sqrt(num / (rx * rx * y1 * y1 + ry * ry * x1 * x1));
      const double ccx = std::cos(phi) * (c * rx * y1 / ry) - std::sin(phi) * (-c * ry * x1 / rx) + mx;
      const double ccy = std::sin(phi) * (c * rx * y1 / ry) + std::cos(phi) * (-c * ry * x1 / rx) + my;
      double worst = 0;
      for (TPointF p : polygon) {
        const double u = std::cos(phi) * (p.X - ccx) + std::sin(phi) * (p.Y - ccy);
        const double v = -std::sin(phi) * (p.X - ccx) + std::cos(phi) * (p.Y - ccy);
        worst = std::max(worst, std::fabs(std::hypot(u / rx, v / ry) - 1) * std::min(rx, ry));
      }
      if (worst < best) best = worst, cx = ccx, cy = ccy;
    }
    EXPECT_LT(best, 0.01) << "arc to " << r.To.X << "," << r.To.Y << " centre " << cx << "," << cy;
  }
  // Coinciding ends add nothing; a zero radius draws a line; a degenerate arc adds nothing
  // that is not finite.
  TNeoGraphicsPath path;
  AddArcToPath(path, 0, 0, 0, 5, 5, 1, 1, 1, 1);
  EXPECT_EQ(path.GetCount(), 0);
  AddArcToPath(path, 0, 0, 0, 0, 5, 1, 1, 4, 5);
  EXPECT_EQ(Dump(path), "m:1,1 l:4,5");
  TNeoGraphicsPath huge;
  AddArcToPath(huge, 1, 1, 0, 1e-300, 1e-300, 0, 0, 3e38, 3e38);
  for (Integer i = 0; i < huge.GetCount(); ++i) EXPECT_TRUE(std::isfinite(huge.GetPoint(i).Point.X));
}

}  // namespace NeoSVG
