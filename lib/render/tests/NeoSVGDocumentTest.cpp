// SVG documents parsed into the element tree: the project's corpus, the view rectangle and bad
// input.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

#include "lib/render/NeoGraphicsSVGEngine.h"
#include "lib/render/testsupport/SvgSamples.h"
#include "platform/rtl/Units.h"

namespace {

// The named colours and the picture formats live from the units' start-up to their shut-down.
class NeoSVGDocument : public ::testing::Test {
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
  TNeoGraphicsSVGImport& Load(const String& AFile) {
    FSVG.LoadFromFile(SvgSamples() + AFile);
    return FSVG;
  }
  TNeoGraphicsSVGImport& Text(const String& AText) {
    FSVG.LoadFromText(AText);
    return FSVG;
  }
  TNeoGraphicsSVGElement* At(Integer AIndex) { return FSVG.GetElementList().GetItem(AIndex); }
  TNeoGraphicsSVGImport FSVG;
};

void ExpectRect(const TRectF& R, float L, float T, float Rt, float B) {
  EXPECT_NEAR(R.Left, L, 1e-3);
  EXPECT_NEAR(R.Top, T, 1e-3);
  EXPECT_NEAR(R.Right, Rt, 1e-3);
  EXPECT_NEAR(R.Bottom, B, 1e-3);
}

}  // namespace

TEST_F(NeoSVGDocument, PathsPolygonsAndTheirStyle) {
  Load(u"paths.svg");
  ASSERT_EQ(FSVG.ElementCount(), 4);
  ExpectRect(FSVG.GetViewRect(), 0, 0, 100, 100);
  TNeoGraphicsSVGElement* triangle = At(0);
  EXPECT_EQ(triangle->GetType(), etPath);
  EXPECT_EQ(triangle->GetFillColor(), 0x0000FF);
  EXPECT_EQ(triangle->GetStrokeColor(), 0xFF0000);
  EXPECT_FLOAT_EQ(triangle->GetStrokeWidth(), 2);
  ASSERT_EQ(triangle->GetPaths()->GetCount(), 1);
  ExpectRect(triangle->GetCombinedPath()->GetBounds(), 10, 10, 90, 90);
  // The path's own transform is baked into its outline.
  TNeoGraphicsSVGElement* moved = At(1);
  EXPECT_NEAR(moved->GetActivePath()->GetPoint(0).Point.X, 25, 1e-4);
  EXPECT_FALSE(IsMatrixEmpty(moved->GetMatrix()));
  // "5-5" is 5 and -5; "rgb(0, 255, 0)" is green.
  TNeoGraphicsSVGElement* polygon = At(2);
  EXPECT_EQ(polygon->GetFillColor(), 0x00FF00);
  ExpectRect(polygon->GetActivePath()->GetBounds(), 1, -5, 9, 1);
  EXPECT_EQ(polygon->GetActivePath()->GetPoint(polygon->GetActivePath()->GetCount() - 1).Kind, gppClose);
  // An odd count of numbers builds nothing; "1e-1" stays one number.
  EXPECT_FALSE(At(3)->HasPaths());
}

TEST_F(NeoSVGDocument, NestedTransformsWidenTheViewRectangle) {
  Load(u"transforms.svg");
  // rect (5,5)-(15,15) scaled by 2 then moved by 100: (110,10)-(130,30); the circle's own rotation
  // is not part of it: (-5,-5)-(5,5) gives (90,-10)-(110,10); the line's own skew neither.
  ExpectRect(FSVG.GetViewRect(), -10, -20, 130, 30);
  TNeoGraphicsSVGElement* outer = At(0);
  ASSERT_TRUE(outer->HasElements());
  TNeoGraphicsSVGElement* inner = outer->GetElements()->GetItem(0);
  EXPECT_EQ(inner->GetParent(), outer);
  EXPECT_EQ(inner->GetElements()->GetItem(1)->GetType(), etCircle);
  EXPECT_FLOAT_EQ(inner->GetElements()->GetItem(1)->GetRx(), 5);
}

TEST_F(NeoSVGDocument, GradientsLinkThroughHrefAndUrl) {
  Load(u"gradients.svg");
  ASSERT_EQ(FSVG.GetDefsList().GetCount(), 3);
  ASSERT_EQ(FSVG.GetElementPatternList().GetCount(), 3);
  TNeoGraphicsSVGElement* base = FSVG.GetDefsList().GetItem(0);
  TNeoGraphicsSVGElement* derived = FSVG.GetDefsList().GetItem(1);
  TNeoGraphicsSVGElement* radial = FSVG.GetDefsList().GetItem(2);
  EXPECT_EQ(derived->GetHRefRef(), base);
  EXPECT_EQ(base->GetHRefRef(), nullptr);
  EXPECT_FLOAT_EQ(base->GetWidth(), 1);   // x2
  TNeoGraphicsSVGElement* stop0 = base->GetElements()->GetItem(0);
  TNeoGraphicsSVGElement* stop1 = base->GetElements()->GetItem(1);
  EXPECT_FLOAT_EQ(stop0->GetOffset(), 0);
  EXPECT_EQ(stop0->GetStopColor(), 0x0000FF);
  EXPECT_FLOAT_EQ(stop1->GetOffset(), 1);
  EXPECT_EQ(stop1->GetStopColor(), 0xFF0000);
  EXPECT_FLOAT_EQ(stop1->GetStopOpacity(), 0.5f);
  EXPECT_TRUE(radial->GetHasCX());
  EXPECT_FALSE(radial->GetHasCY());
  EXPECT_FLOAT_EQ(radial->GetCX(), 0.5f);
  EXPECT_FALSE(IsMatrixEmpty(derived->GetGradientMatrix()));
  // url(#g) and url('#g') both resolve.
  EXPECT_EQ(At(0)->GetPatternRef(), derived);
  EXPECT_EQ(At(1)->GetURLRefID(), u"base");   // the stroke's url comes last
  EXPECT_EQ(At(1)->GetPatternRef(), base);
  ExpectRect(FSVG.GetViewRect(), 0, 0, 50, 50);
}

TEST_F(NeoSVGDocument, StyleRulesAndClipPaths) {
  Load(u"classes.svg");
  // ".st1 {" keeps its blank and matches nothing.
  ASSERT_EQ(FSVG.GetDefsList().GetCount(), 4);
  EXPECT_EQ(FSVG.GetDefsList().GetItem(0)->GetClassRefID(), u"st0");
  EXPECT_EQ(FSVG.GetDefsList().GetItem(1)->GetClassRefID(), u"st1 ");
  EXPECT_EQ(FSVG.GetDefsList().GetItem(0)->GetFillColor(), 0x00FF00);
  EXPECT_EQ(FSVG.GetDefsList().GetItem(0)->GetStrokeColorValue(), u"none");
  ASSERT_EQ(FSVG.ElementCount(), 3);
  EXPECT_EQ(At(0)->GetClassRef(), FSVG.GetDefsList().GetItem(0));
  EXPECT_EQ(At(1)->GetClassRef(), nullptr);
  // The class rule attaches the clip path's last shape; the element's own clip-path stays unresolved.
  TNeoGraphicsSVGElement* clip = FSVG.GetDefsList().GetItem(3);
  EXPECT_EQ(clip->GetType(), etClipPath);
  EXPECT_EQ(At(2)->GetClipPathRef(), clip->GetElements()->GetItem(0));
  EXPECT_EQ(At(2)->GetClipPathRefID(), u"own");
  EXPECT_EQ(FSVG.GetElementClassList().GetCount(), 3);
}

TEST_F(NeoSVGDocument, DisplayNoneSwitchUseAndUnknownElements) {
  Load(u"display.svg");
  ASSERT_EQ(FSVG.ElementCount(), 1);   // switch, use and unknown elements stand for nothing
  TNeoGraphicsSVGElement* g = At(0);
  EXPECT_EQ(g->GetDisplayValue(), u"none");
  // Presentation attributes override the "style" attribute.
  EXPECT_EQ(g->GetFillColorValue(), u"blue");
  EXPECT_FLOAT_EQ(g->GetOpacity(), 0.5f);
  ExpectRect(FSVG.GetViewRect(), 1, 2, 4, 6);
}

TEST_F(NeoSVGDocument, ImagesThatCannotBeLoadedAreSkipped) {
  const auto start = std::chrono::steady_clock::now();
  Load(u"image.svg");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  ASSERT_EQ(FSVG.ElementCount(), 5);
  TNeoGraphicsSVGElement* image = At(0);
  ASSERT_TRUE(image->HasBitmap());
  EXPECT_EQ(image->GetBitmap()->GetWidth(), 2);
  EXPECT_EQ(image->GetBitmap()->GetHeight(), 3);
  EXPECT_EQ(image->GetPreserveAspectRatio(), parNone);
  for (Integer i = 1; i < 5; ++i) EXPECT_FALSE(At(i)->HasBitmap()) << i;
  ExpectRect(FSVG.GetViewRect(), 0, 0, 20, 30);
}

TEST_F(NeoSVGDocument, TextAndSpans) {
  Load(u"text.svg");
  ExpectRect(FSVG.GetViewRect(), 0, 0, 1000, 500);   // "cm" counts 100
  TNeoGraphicsSVGElement* hello = At(0);
  EXPECT_EQ(hello->GetText(), u"Hello");
  EXPECT_FALSE(hello->HasElements());
  EXPECT_EQ(hello->GetFontFamily(), u"Arial-Bold");
  EXPECT_TRUE(hello->GetFontStyle().Contains(fsBold));
  EXPECT_FLOAT_EQ(hello->GetFontSize(), 15);
  TNeoGraphicsSVGElement* mixed = At(1);
  EXPECT_TRUE(mixed->GetFontStyle().Contains(fsItalic));
  ASSERT_EQ(mixed->GetElements()->GetCount(), 3);
  EXPECT_EQ(mixed->GetElements()->GetItem(0)->GetType(), etTextSpanChild);
  EXPECT_EQ(mixed->GetElements()->GetItem(0)->GetText(), u"A ");
  TNeoGraphicsSVGElement* span = mixed->GetElements()->GetItem(1);
  EXPECT_EQ(span->GetType(), etTextSpan);
  EXPECT_EQ(span->GetElements()->GetItem(0)->GetText(), u"red");
  EXPECT_EQ(span->GetFillColor(), 0x0000FF);
}

TEST_F(NeoSVGDocument, ViewRectangleChoices) {
  Text(u"<svg viewBox='10 20 100 50'/>");
  ExpectRect(FSVG.GetViewRect(), 10, 20, 110, 70);
  // Three numbers: ignored, and width/height are not consulted: the element bounds count.
  Load(u"viewbox3.svg");
  ExpectRect(FSVG.GetViewRect(), 5, 5, 15, 15);
  Text(u"<svg><rect x='5' y='5' width='10' height='10'/></svg>");
  ExpectRect(FSVG.GetViewRect(), 5, 5, 15, 15);
  Text(u"<svg width='10' height=''><rect x='5' y='5' width='10' height='10'/></svg>");
  ExpectRect(FSVG.GetViewRect(), 5, 5, 15, 15);
  Load(u"empty.svg");
  ExpectRect(FSVG.GetViewRect(), 0, 0, 0, 0);
  EXPECT_EQ(FSVG.ElementCount(), 1);
  Text(u"<html><rect width='3' height='3'/></html>");
  EXPECT_FALSE(FSVG.HasElements());
  EXPECT_FLOAT_EQ(FSVG.GetViewRect().Left, 2147483648.0f);
  EXPECT_FLOAT_EQ(FSVG.GetViewRect().Bottom, -2147483648.0f);
}

TEST_F(NeoSVGDocument, ArcsInDocuments) {
  Load(u"arcs.svg");
  ExpectRect(FSVG.GetViewRect(), 0, 0, 200, 100);
  ASSERT_EQ(FSVG.ElementCount(), 2);
  TNeoGraphicsPath* arc = At(0)->GetActivePath();
  EXPECT_NEAR(arc->GetBounds().Top, 10, 1e-3);   // the top of the half circle about (50, 50)
  EXPECT_EQ(At(1)->GetActivePath()->GetCount(), 3);   // zero radius: a straight line
}

TEST_F(NeoSVGDocument, FormatSettingsStayUntouched) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::German();
  Text(u"<svg viewBox='0 0 10.5 2.5'><rect x='1.5' width='2' height='1' stroke-width='1.5'/></svg>");
  ExpectRect(FSVG.GetViewRect(), 0, 0, 10.5f, 2.5f);
  EXPECT_FLOAT_EQ(At(0)->GetX(), 1.5f);
  EXPECT_FLOAT_EQ(At(0)->GetStrokeWidth(), 1.5f);
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
  EXPECT_EQ(FormatSettings.ThousandSeparator, u'.');
  EXPECT_THROW(Text(u"<svg"), EDOMParseError);
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
  FormatSettings = saved;
}

TEST_F(NeoSVGDocument, BadInputEndsInAnErrorOrAnEmptyImporter) {
  const String deep = [] {
    String s = u"<svg>";
    for (int i = 0; i < 10000; ++i) s += u"<g>";
    for (int i = 0; i < 10000; ++i) s += u"</g>";
    return s + u"</svg>";
  }();
  const String secret = UTF8ToString(ZELK_TEST_DATA) + u"/svg/pixel.png";
  const String bad[] = {
      u"<svg><g></svg>",
      u"",
      deep,
      u"<!DOCTYPE svg [<!ENTITY x SYSTEM \"file://" + secret + u"\">]><svg><text>&x;</text></svg>",
      u"<!DOCTYPE svg [<!ENTITY x SYSTEM \"http://127.0.0.1:9/\">]><svg><text>&x;</text></svg>",
  };
  for (const String& text : bad) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(Text(text), EDOMParseError) << UTF8Encode(text.substr(0, 40));
    EXPECT_FALSE(FSVG.HasElements());
    EXPECT_EQ(FSVG.GetXML(), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  }
  // Malformed values inside a well-formed document are skipped quietly.
  Text(u"<svg><rect fill='#zz' stroke='rgb(' transform='rotate(45' width='1e999' height='2'/>"
       u"<style>}.a{fill:red} . { {</style><path d='A 1 1 0 0 0 0 0 Z M'/><polygon points='-'/></svg>");
  ASSERT_EQ(FSVG.ElementCount(), 3);
  EXPECT_EQ(At(0)->GetFillColor(), -1);
  EXPECT_EQ(At(0)->GetStrokeColor(), -1);
  EXPECT_FLOAT_EQ(At(0)->GetWidth(), 0);
  // A transform that takes points beyond a float leaves them at 0.
  Text(u"<svg><path d='M1 1 L3e38 2' transform='scale(3e38)'/></svg>");
  EXPECT_FLOAT_EQ(At(0)->GetActivePath()->GetPoint(1).Point.X, 0);
  EXPECT_FLOAT_EQ(At(0)->GetActivePath()->GetPoint(1).Point.Y, 0);
  // Bytes that are no UTF-8 arrive replaced and still parse.
  TMemoryStream stream;
  const char bytes[] = "<svg><text>\xff\xfe</text></svg>";
  stream.WriteBuffer(bytes, sizeof bytes - 1);
  FSVG.LoadFromStream(&stream);
  EXPECT_EQ(FSVG.ElementCount(), 1);
}

TEST_F(NeoSVGDocument, SaveWritesTheDocumentModel) {
  Load(u"display.svg");
  TMemoryStream out;
  FSVG.SaveToStream(&out);
  const std::string text(static_cast<const char*>(out.GetMemory()), static_cast<std::size_t>(out.GetSize()));
  EXPECT_NE(text.find("<switch>"), std::string::npos);
  FSVG.Clear();
  TMemoryStream none;
  FSVG.SaveToStream(&none);
  EXPECT_EQ(none.GetSize(), 0);
}

// Each document of the corpus parses into the tree its committed model dump shows: the view
// rectangle, then the JSON text (ToJSON) of every top-level and every defs element, one a line.
// The dump of this run is saved under the test output.
TEST_F(NeoSVGDocument, CorpusMatchesGoldenModelDumps) {
  const std::string out = std::string(ZELK_TEST_OUTPUT) + "/svgmodel";
  std::filesystem::create_directories(out);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(ZELK_TEST_DATA "/svg"))
    if (entry.path().extension() == ".svg") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  for (const std::filesystem::path& file : files) {
    Load(UTF8ToString(file.filename().string()));
    const TRectF& v = FSVG.GetViewRect();
    std::string dump = "ViewRect " + std::to_string(v.Left) + " " + std::to_string(v.Top) + " " +
                       std::to_string(v.Right) + " " + std::to_string(v.Bottom) + "\n";
    for (TNeoGraphicsSVGElement* e : FSVG.GetElementList()) dump += "Element " + UTF8Encode(e->ToJSON()) + "\n";
    for (TNeoGraphicsSVGElement* e : FSVG.GetDefsList()) dump += "Defs " + UTF8Encode(e->ToJSON()) + "\n";
    const std::string name = file.stem().string() + ".json";
    std::ofstream(out + "/" + name, std::ios::binary) << dump;
    std::ifstream golden(std::string(ZELK_TEST_DATA "/svg/model/") + name, std::ios::binary);
    if (!golden) {
      ADD_FAILURE() << "no model dump for " << file << "; this run's is " << out << "/" << name;
      continue;
    }
    const std::string want{std::istreambuf_iterator<char>(golden), std::istreambuf_iterator<char>()};
    EXPECT_EQ(dump, want) << file << ": see " << out << "/" << name;
  }
}
