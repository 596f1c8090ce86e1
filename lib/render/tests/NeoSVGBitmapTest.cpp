// The SVG picture class: form data, streams, files, assignment and its registration.
#include <gtest/gtest.h>

#include <filesystem>

#include "lib/base/NeoUtils.h"
#include "lib/render/NeoGraphicsSVGEngine.h"
#include "lib/render/testsupport/SvgSamples.h"
#include "platform/rtl/Units.h"

namespace {

class NeoSVGBitmapTest : public ::testing::Test {
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

std::string Bytes(TMemoryStream& AStream) {
  return std::string(static_cast<const char*>(AStream.GetMemory()), static_cast<std::size_t>(AStream.GetSize()));
}

void Put(TMemoryStream& AStream, const std::string& ABytes) {
  AStream.WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
  AStream.SetPosition(0);
}

const std::string Source = "\xEF\xBB\xBF<svg viewBox=\"0 0 10.5 20\">\r\n  <rect width=\"3\" height=\"4\"/>\n</svg>\n\n";

}  // namespace

TEST_F(NeoSVGBitmapTest, EmptyPicture) {
  TNeoSVGBitmap picture;
  EXPECT_TRUE(picture.GetEmpty());
  EXPECT_FALSE(picture.HasSVG());
  EXPECT_EQ(picture.GetWidth(), 0);
  EXPECT_EQ(picture.GetHeight(), 0);
  TMemoryStream data;
  picture.WriteData(&data);
  EXPECT_EQ(Bytes(data), std::string(4, '\0'));
  EXPECT_THROW(picture.SetWidth(3), EAbstractError);
  // Drawing belongs to the renderer, not built into the base importer.
  TNeoSVGImport base;
  EXPECT_THROW(base.LoadFromText(u"<svg/>"), EAbstractError);
}

TEST_F(NeoSVGBitmapTest, StreamsKeepTheSourceBytes) {
  TNeoSVGBitmap picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  TMemoryStream in;
  Put(in, Source);
  picture.LoadFromStream(&in);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(picture.HasSVG());
  EXPECT_EQ(picture.GetWidth(), 10);   // 10.5 rounds half to even
  EXPECT_EQ(picture.GetHeight(), 20);
  TMemoryStream out;
  picture.SaveToStream(&out);
  EXPECT_EQ(Bytes(out), Source);
  // Malformed text still signals a change and leaves an empty picture.
  TMemoryStream bad;
  Put(bad, "<svg");
  picture.LoadFromStream(&bad);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(picture.GetEmpty());
}

TEST_F(NeoSVGBitmapTest, FormDataRoundTripThroughThePicture) {
  for (bool loaded : {false, true}) {
    TPicture picture;
    TNeoSVGBitmap svg;
    if (loaded) {
      TMemoryStream in;
      Put(in, Source);
      svg.LoadFromStream(&in);
    }
    picture.SetGraphic(&svg);
    TMemoryStream data;
    picture.WriteData(&data);
    data.SetPosition(0);
    TPicture copy;
    copy.ReadData(&data);
    auto* graphic = dynamic_cast<TNeoSVGBitmap*>(copy.GetGraphic());
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->HasSVG(), loaded);
    TMemoryStream out;
    graphic->SaveToStream(&out);
    EXPECT_EQ(Bytes(out), loaded ? Source : std::string());
    EXPECT_EQ(data.GetPosition(), data.GetSize());
  }
}

TEST_F(NeoSVGBitmapTest, FormDataWithABadLengthStaysEmpty) {
  const std::string tooLong = std::string("\xFF\x00\x00\x00", 4) + "<svg/>";
  const std::string negative = std::string("\xFE\xFF\xFF\xFF", 4) + "<svg/>";
  for (const std::string& bytes : {std::string(4, '\0') + "<svg><rect/></svg>", tooLong, negative}) {
    TNeoSVGBitmap picture;
    TMemoryStream data;
    Put(data, bytes);
    picture.ReadData(&data);
    EXPECT_TRUE(picture.GetEmpty());
    TMemoryStream out;
    picture.SaveToStream(&out);
    EXPECT_EQ(out.GetSize(), 0);
  }
}

TEST_F(NeoSVGBitmapTest, CanLoadFromStreamByImageType) {
  const std::string signatures[] = {std::string("\x89PNG\r\n\x1a\n", 8), "\xFF\xD8\xFF\xE0xxxx", "GIF89a..", "BM......"};
  for (const std::string& s : signatures) {
    TMemoryStream stream;
    Put(stream, s);
    EXPECT_FALSE(TNeoSVGBitmap::CanLoadFromStream(&stream)) << s;
  }
  TMemoryStream svg;
  Put(svg, "xx<svg/>");
  svg.SetPosition(2);
  EXPECT_TRUE(TNeoSVGBitmap::CanLoadFromStream(&svg));
  EXPECT_EQ(svg.GetPosition(), 2);
}

TEST_F(NeoSVGBitmapTest, FilesAssignAndRegistration) {
  EXPECT_TRUE(TPicture::FindGraphicClass(u".svg") == GraphicClassOf<TNeoSVGBitmap>());
  const String dir = UTF8ToString(ZELK_TEST_OUTPUT) + u"/svgbitmap";
  std::filesystem::create_directories(UTF8Encode(dir));
  TNeoSVGBitmap picture;
  picture.SetFileName(SvgSamples() + u"paths.svg");
  EXPECT_EQ(picture.GetFileName(), SvgSamples() + u"paths.svg");
  EXPECT_EQ(picture.GetSVG()->ElementCount(), 4);
  picture.SaveToFile(dir + u"/copy.svg");
  TPicture loaded;
  loaded.LoadFromFile(dir + u"/copy.svg");
  auto* graphic = dynamic_cast<TNeoSVGBitmap*>(loaded.GetGraphic());
  ASSERT_NE(graphic, nullptr);
  EXPECT_EQ(graphic->GetWidth(), 100);
  TNeoSVGBitmap copy;
  int changes = 0;
  copy.OnChange = [&](TObject*) { ++changes; };
  copy.Assign(&picture);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.GetSVG()->ElementCount(), 4);
  TBitmap other;
  copy.Assign(&other);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.GetSVG()->ElementCount(), 4);
  copy.Clear();
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(copy.GetEmpty());
  EXPECT_THROW(picture.LoadFromFile(dir + u"/missing.svg"), EFOpenError);

  FinalizeUnits();
  EXPECT_FALSE(TPicture::FindGraphicClass(u"svg"));
  InitializeUnits();
}
