// Pictures: PNG, JPEG, BMP and ICO files made by another tool, round trips, the format registry,
// and damaged files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>

#include "platform/ui/Graphics.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/tests/GraphicsTestUtil.h"

namespace {

std::vector<Byte> FileBytes(const char* Name) {
  std::ifstream in(std::string(ZELK_TEST_DATA) + "/" + Name, std::ios::binary);
  return std::vector<Byte>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const String& FileName, const std::vector<Byte>& Data) {
  std::ofstream out(UTF8Encode(FileName), std::ios::binary);
  out.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
}

std::unique_ptr<TMemoryStream> StreamOf(const std::vector<Byte>& Data, std::size_t Count) {
  auto s = std::make_unique<TMemoryStream>();
  if (Count) s->WriteBuffer(Data.data(), static_cast<Int64>(Count));
  s->SetPosition(0);
  return s;
}

// The picture drawn at its own size onto a bitmap filled with Background.
void Render(TGraphic* Graphic, TBitmap& Out, TColor Background) {
  WhiteBitmap(Out, Graphic->GetWidth(), Graphic->GetHeight());
  Out.GetCanvas()->GetBrush()->SetColor(Background);
  Out.GetCanvas()->FillRect(TRect{0, 0, Out.GetWidth(), Out.GetHeight()});
  Out.GetCanvas()->Draw(0, 0, Graphic);
}

void ExpectColor(TBitmap& Bmp, int X, int Y, int R, int G, int B, int Tolerance, const std::string& What) {
  const TColor c = PixelOf(Bmp, X, Y);
  EXPECT_NEAR(GetRValue(c), R, Tolerance) << What << " at " << X << "," << Y;
  EXPECT_NEAR(GetGValue(c), G, Tolerance) << What << " at " << X << "," << Y;
  EXPECT_NEAR(GetBValue(c), B, Tolerance) << What << " at " << X << "," << Y;
}

// The fixtures' quarters: red, lime / blue, white.
void ExpectQuad(TGraphic* Graphic, int Tolerance, const std::string& What) {
  ASSERT_EQ(Graphic->GetWidth(), 16) << What;
  ASSERT_EQ(Graphic->GetHeight(), 12) << What;
  TBitmap out;
  Render(Graphic, out, clBlack);
  ExpectColor(out, 2, 2, 255, 0, 0, Tolerance, What);
  ExpectColor(out, 12, 2, 0, 255, 0, Tolerance, What);
  ExpectColor(out, 2, 9, 0, 0, 255, Tolerance, What);
  ExpectColor(out, 12, 9, 255, 255, 255, Tolerance, What);
}

// The alpha fixtures over lime: red, lime (transparent) / blue, white at half alpha.
void ExpectAlphaQuad(TGraphic* Graphic, const std::string& What) {
  TBitmap out;
  Render(Graphic, out, clLime);
  ExpectColor(out, 2, 2, 255, 0, 0, 1, What);
  ExpectColor(out, 12, 2, 0, 255, 0, 1, What);
  ExpectColor(out, 2, 9, 0, 0, 255, 1, What);
  ExpectColor(out, 12, 9, 128, 255, 128, 2, What);
}

}  // namespace

TEST(Picture, LoadsFilesMadeByAnotherTool) {
  struct Case {
    const char* File;
    const Char* ClassName;
    int Tolerance;
  } cases[] = {
      {"quad24.bmp", u"TBitmap", 0},       {"quad8.bmp", u"TBitmap", 0},         {"quad-8bit.bmp", u"TBitmap", 0},
      {"quad-topdown.bmp", u"TBitmap", 0}, {"quad.png", u"TPngImage", 0},         {"quad-palette.png", u"TPngImage", 0},
      {"quad16.png", u"TPngImage", 0},     {"quad.jpg", u"TJPEGImage", 8},
  };
  for (const auto& c : cases) {
    TPicture picture;
    picture.LoadFromFile(TestData(c.File));
    ASSERT_NE(picture.GetGraphic(), nullptr) << c.File;
    EXPECT_EQ(picture.GetGraphic()->ClassName(), c.ClassName) << c.File;
    ExpectQuad(picture.GetGraphic(), c.Tolerance, c.File);
  }
  TBitmap bmp;
  bmp.LoadFromFile(TestData("quad24.bmp"));
  EXPECT_EQ(bmp.GetPixelFormat(), pf24bit);
  bmp.LoadFromFile(TestData("quad8.bmp"));
  EXPECT_EQ(bmp.GetPixelFormat(), pf4bit);
  bmp.LoadFromFile(TestData("quad-8bit.bmp"));
  EXPECT_EQ(bmp.GetPixelFormat(), pf8bit);
  EXPECT_EQ(static_cast<Byte*>(bmp.GetScanLine(0))[0], 0);   // palette index of red
  EXPECT_EQ(bmp.GetPalette()[0], 0xFF0000u);

  bmp.LoadFromFile(TestData("mono.bmp"));
  EXPECT_EQ(bmp.GetPixelFormat(), pf1bit);
  EXPECT_TRUE(bmp.GetMonochrome());
  EXPECT_EQ(PixelOf(bmp, 2, 2), clBlack);
  EXPECT_EQ(PixelOf(bmp, 12, 2), clWhite);
  EXPECT_EQ(PixelOf(bmp, 2, 9), clBlack);
  EXPECT_EQ(PixelOf(bmp, 12, 9), clWhite);

  // Grey files come out grey, with the quarters' lightness in order.
  for (const char* file : {"grey.png", "grey.jpg"}) {
    TPicture picture;
    picture.LoadFromFile(TestData(file));
    TBitmap out;
    Render(picture.GetGraphic(), out, clBlack);
    const TColor red = PixelOf(out, 2, 2), lime = PixelOf(out, 12, 2), blue = PixelOf(out, 2, 9);
    EXPECT_EQ(GetRValue(red), GetGValue(red)) << file;
    EXPECT_EQ(GetRValue(red), GetBValue(red)) << file;
    EXPECT_LT(GetRValue(blue), GetRValue(red)) << file;
    EXPECT_LT(GetRValue(red), GetRValue(lime)) << file;
    EXPECT_NEAR(GetRValue(PixelOf(out, 12, 9)), 255, 3) << file;
  }
  TJPEGImage grey;
  grey.LoadFromFile(TestData("grey.jpg"));
  EXPECT_TRUE(grey.GetGrayscale());
}

TEST(Picture, AlphaFromPngBmpAndIcons) {
  for (const char* file : {"alpha.png", "alpha32.bmp", "alpha-icon.ico", "png-entry.ico"}) {
    TPicture picture;
    picture.LoadFromFile(TestData(file));
    ExpectAlphaQuad(picture.GetGraphic(), file);
    EXPECT_TRUE(picture.GetGraphic()->GetTransparent() || Is<TBitmap>(picture.GetGraphic())) << file;
  }
  TPngImage png;
  png.LoadFromFile(TestData("alpha.png"));
  EXPECT_TRUE(png.GetTransparent());
  EXPECT_EQ(png.GetAlpha(2, 2), 255);
  EXPECT_EQ(png.GetAlpha(12, 2), 0);
  EXPECT_EQ(png.GetAlpha(12, 9), 127);
  EXPECT_EQ(png.GetPixels(2, 9), clBlue);

  TBitmap bmp;
  bmp.LoadFromFile(TestData("alpha32.bmp"));
  EXPECT_EQ(bmp.GetPixelFormat(), pf32bit);
  EXPECT_EQ(bmp.GetAlphaFormat(), afDefined);

  TIcon icon;
  icon.LoadFromFile(TestData("alpha-icon.ico"));
  EXPECT_EQ(icon.GetWidth(), 16);
  EXPECT_EQ(icon.GetHeight(), 16);
  TBitmap fromIcon;
  fromIcon.Assign(&icon);
  EXPECT_EQ(fromIcon.GetPixelFormat(), pf32bit);
  EXPECT_EQ(fromIcon.GetAlphaFormat(), afDefined);
}

TEST(Picture, RoundTripsKeepPixelsAndAlpha) {
  // PNG with alpha through a stream.
  TPngImage png;
  png.LoadFromFile(TestData("alpha.png"));
  TMemoryStream stream;
  png.SaveToStream(&stream);
  stream.SetPosition(0);
  TPngImage back;
  back.LoadFromStream(&stream);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(back.GetAlpha(x, y), png.GetAlpha(x, y)) << x << "," << y;
      if (png.GetAlpha(x, y)) {
      ASSERT_EQ(back.GetPixels(x, y), png.GetPixels(x, y)) << x << "," << y;
    }
    }

  // BMP in each format the bitmap keeps, through a file.
  for (const char* file : {"quad24.bmp", "quad8.bmp", "quad-8bit.bmp", "mono.bmp", "alpha32.bmp"}) {
    TBitmap bmp;
    bmp.LoadFromFile(TestData(file));
    const String out = TestOutput("roundtrip.bmp");
    bmp.SaveToFile(out);
    TBitmap again;
    again.LoadFromFile(out);
    EXPECT_EQ(again.GetPixelFormat(), bmp.GetPixelFormat()) << file;
    EXPECT_EQ(again.GetAlphaFormat(), bmp.GetAlphaFormat()) << file;
    TBitmap a, b;
    Render(&bmp, a, clLime);
    Render(&again, b, clLime);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(PixelOf(a, x, y), PixelOf(b, x, y)) << file << " " << x << "," << y;
    }
  }

  // PNG from a drawn bitmap and back into a bitmap.
  TBitmap drawn;
  WhiteBitmap(drawn, 8, 8);
  drawn.GetCanvas()->SetPixels(3, 4, clPurple);
  TPngImage fromBitmap;
  fromBitmap.Assign(&drawn);
  EXPECT_FALSE(fromBitmap.GetTransparent());
  TBitmap toBitmap;
  toBitmap.Assign(&fromBitmap);
  EXPECT_EQ(toBitmap.GetPixelFormat(), pf24bit);
  EXPECT_EQ(PixelOf(toBitmap, 3, 4), clPurple);
  TBitmap alphaBitmap;
  alphaBitmap.Assign(&png);
  EXPECT_EQ(alphaBitmap.GetPixelFormat(), pf32bit);
  EXPECT_EQ(alphaBitmap.GetAlphaFormat(), afDefined);

  // JPEG: a loaded file is saved unchanged; new pixels are compressed at the quality set.
  const std::vector<Byte> original = FileBytes("quad.jpg");
  TJPEGImage jpeg;
  jpeg.LoadFromFile(TestData("quad.jpg"));
  TMemoryStream same;
  jpeg.SaveToStream(&same);
  ASSERT_EQ(same.GetSize(), static_cast<Int64>(original.size()));
  EXPECT_EQ(std::memcmp(same.Memory(), original.data(), original.size()), 0);

  TBitmap gradient;
  WhiteBitmap(gradient, 64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) gradient.GetCanvas()->SetPixels(x, y, static_cast<TColor>(RGB(x * 4, y * 4, (x + y) * 2)));
  TJPEGImage high, low;
  high.SetCompressionQuality(95);
  low.SetCompressionQuality(20);
  high.Assign(&gradient);
  low.Assign(&gradient);
  TMemoryStream highData, lowData;
  high.SaveToStream(&highData);
  low.SaveToStream(&lowData);
  EXPECT_LT(lowData.GetSize(), highData.GetSize());
  highData.SetPosition(0);
  TJPEGImage decoded;
  decoded.LoadFromStream(&highData);
  TBitmap check;
  check.Assign(&decoded);
  ExpectColor(check, 40, 20, 160, 80, 120, 6, "quality 95");
}

namespace {

// A picture class of its own, whose CanLoadFromStream reads without putting the position back.
class TTestVectorGraphic : public TGraphic {
  ZELK_CLASS(TTestVectorGraphic, TGraphic)
public:
  static bool CanLoadFromStream(TStream* Stream) {
    char sig[4] = {};
    return Stream->Read(sig, 4) == 4 && std::memcmp(sig, "VEC1", 4) == 0;
  }
  void Draw(TCanvas*, const TRect&) override {}
  bool GetEmpty() override { return FData.empty(); }
  Integer GetWidth() override { return 1; }
  Integer GetHeight() override { return 1; }
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}
  void LoadFromStream(TStream* Stream) override {
    FData.resize(static_cast<std::size_t>(Stream->GetSize() - Stream->GetPosition()));
    Stream->ReadBuffer(FData.data(), static_cast<Int64>(FData.size()));
  }
  void SaveToStream(TStream* Stream) override { Stream->WriteBuffer(FData.data(), static_cast<Int64>(FData.size())); }
  std::string FData;
};

}  // namespace

TEST(Picture, RegistryByExtensionAndByContent) {
  EXPECT_EQ(TPicture::FindGraphicClass(u"PNG"), GraphicClassOf<TPngImage>());
  EXPECT_EQ(TPicture::FindGraphicClass(u".jpeg"), GraphicClassOf<TJPEGImage>());
  EXPECT_EQ(TPicture::FindGraphicClass(u"bmp"), GraphicClassOf<TBitmap>());
  EXPECT_FALSE(TPicture::FindGraphicClass(u"vec"));
  EXPECT_NE(GraphicFilter(nullptr).find(u"Portable Network Graphics (*.png)|*.png"), String::npos);
  EXPECT_EQ(GraphicFileMask(GraphicClassOf<TJPEGImage>()), u"*.jpg;*.jpeg;*.jpe;*.jfif");
  EXPECT_EQ(GraphicExtension(GraphicClassOf<TIcon>()), u"ico");

  // Content wins over a wrong extension; an unknown extension is found by content.
  const std::vector<Byte> png = FileBytes("quad.png");
  WriteBytes(TestOutput("really-a-png.jpg"), png);
  WriteBytes(TestOutput("really-a-png.xyz"), png);
  for (const char* name : {"really-a-png.jpg", "really-a-png.xyz"}) {
    TPicture picture;
    picture.LoadFromFile(TestOutput(name));
    EXPECT_TRUE(Is<TPngImage>(picture.GetGraphic())) << name;
  }
  WriteBytes(TestOutput("junk.xyz"), std::vector<Byte>{1, 2, 3, 4, 5, 6, 7, 8});
  TPicture junk;
  try {
    junk.LoadFromFile(TestOutput("junk.xyz"));
    ADD_FAILURE() << "junk loaded";
  } catch (EInvalidGraphic& E) {
    EXPECT_EQ(E.Message, u"Unknown picture file extension (.xyz)");
  }

  // A class registered later is asked first; the stream is rewound before each class.
  TPicture::RegisterFileFormat(u".vec", u"Test vectors", GraphicClassOf<TTestVectorGraphic>());
  EXPECT_EQ(TPicture::FindGraphicClass(u"VEC"), GraphicClassOf<TTestVectorGraphic>());
  auto pngStream = StreamOf(png, png.size());
  TPicture fromStream;
  fromStream.LoadFromStream(pngStream.get());
  EXPECT_TRUE(Is<TPngImage>(fromStream.GetGraphic()));
  const std::vector<Byte> vec{'V', 'E', 'C', '1', 'x'};
  auto vecStream = StreamOf(vec, vec.size());
  fromStream.LoadFromStream(vecStream.get());
  ASSERT_TRUE(Is<TTestVectorGraphic>(fromStream.GetGraphic()));
  EXPECT_EQ(static_cast<TTestVectorGraphic*>(fromStream.GetGraphic())->FData, "VEC1x");

  // Detection starts where the stream stands, not at its beginning.
  TMemoryStream prefixed;
  prefixed.WriteBuffer("head", 4);
  prefixed.WriteBuffer(png.data(), static_cast<Int64>(png.size()));
  prefixed.SetPosition(4);
  EXPECT_EQ(TPicture::FindGraphicClassForStream(&prefixed), GraphicClassOf<TPngImage>());
  EXPECT_EQ(prefixed.GetPosition(), 4);

  TPicture::UnregisterGraphicClass(GraphicClassOf<TTestVectorGraphic>());
  EXPECT_FALSE(TPicture::FindGraphicClass(u"vec"));
  auto again = StreamOf(vec, vec.size());
  try {
    fromStream.LoadFromStream(again.get());
    ADD_FAILURE() << "unregistered class still found";
  } catch (EInvalidGraphic& E) {
    EXPECT_EQ(E.Message, u"Unsupported stream format");
  }
  EXPECT_TRUE(Is<TTestVectorGraphic>(fromStream.GetGraphic()));   // a failed load keeps the picture
}

TEST(Picture, TruncatedAndCorruptFilesRaiseInvalidGraphic) {
  struct Case {
    const char* File;
    TGraphicClass Class;
  } cases[] = {
      {"quad.png", GraphicClassOf<TPngImage>()},        {"alpha.png", GraphicClassOf<TPngImage>()},
      {"quad16.png", GraphicClassOf<TPngImage>()},      {"quad.jpg", GraphicClassOf<TJPEGImage>()},
      {"grey.jpg", GraphicClassOf<TJPEGImage>()},       {"quad24.bmp", GraphicClassOf<TBitmap>()},
      {"alpha32.bmp", GraphicClassOf<TBitmap>()},       {"quad-8bit.bmp", GraphicClassOf<TBitmap>()},
      {"quad-topdown.bmp", GraphicClassOf<TBitmap>()},  {"alpha-icon.ico", GraphicClassOf<TIcon>()},
      {"png-entry.ico", GraphicClassOf<TIcon>()},
  };
  for (const auto& c : cases) {
    const std::vector<Byte> data = FileBytes(c.File);
    ASSERT_GT(data.size(), 60u) << c.File;
    for (std::size_t cut : {std::size_t(0), std::size_t(1), std::size_t(7), std::size_t(20), std::size_t(40),
                            data.size() / 2, data.size() - 2, data.size() - 1}) {
      std::unique_ptr<TGraphic> graphic(c.Class.Create());
      auto stream = StreamOf(data, cut);
      EXPECT_THROW(graphic->LoadFromStream(stream.get()), EInvalidGraphic) << c.File << " cut at " << cut;
    }
  }

  // A damaged PNG chunk, and a bitmap header claiming an enormous size.
  std::vector<Byte> png = FileBytes("quad.png");
  png[png.size() / 2] ^= 0x5A;
  TPngImage image;
  auto bad = StreamOf(png, png.size());
  EXPECT_THROW(image.LoadFromStream(bad.get()), EInvalidGraphic);
  std::vector<Byte> bmp = FileBytes("quad24.bmp");
  bmp[18] = 0xFF;   // width 0x7FFF00FF..
  bmp[21] = 0x7F;
  TBitmap bitmap;
  auto huge = StreamOf(bmp, bmp.size());
  EXPECT_THROW(bitmap.LoadFromStream(huge.get()), EInvalidGraphic);

  // Through a picture: the message says what is wrong, and the old graphic stays.
  const std::vector<Byte> jpg = FileBytes("quad.jpg");
  WriteBytes(TestOutput("truncated.jpg"), std::vector<Byte>(jpg.begin(), jpg.begin() + static_cast<long>(jpg.size() / 2)));
  TPicture picture;
  picture.LoadFromFile(TestData("quad.png"));
  try {
    picture.LoadFromFile(TestOutput("truncated.jpg"));
    ADD_FAILURE() << "truncated JPEG loaded";
  } catch (EInvalidGraphic& E) {
    EXPECT_EQ(E.Message.rfind(u"JPEG image is not valid: ", 0), 0u) << E.what();
  }
  EXPECT_TRUE(Is<TPngImage>(picture.GetGraphic()));
}

namespace {

std::uint32_t Crc32(const Byte* Data, std::size_t Size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < Size; ++i) {
    crc ^= Data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBigEndian(std::vector<Byte>& Out, std::uint32_t Value) {
  for (int shift = 24; shift >= 0; shift -= 8) Out.push_back(static_cast<Byte>(Value >> shift));
}

void PutChunk(std::vector<Byte>& Out, const char* Type, const std::vector<Byte>& Body) {
  PutBigEndian(Out, static_cast<std::uint32_t>(Body.size()));
  std::vector<Byte> typed(Type, Type + 4);
  typed.insert(typed.end(), Body.begin(), Body.end());
  Out.insert(Out.end(), typed.begin(), typed.end());
  PutBigEndian(Out, Crc32(typed.data(), typed.size()));
}

void PutLittleEndian(std::vector<Byte>& Data, std::size_t Pos, std::uint32_t Value) {
  for (int i = 0; i < 4; ++i) Data[Pos + i] = static_cast<Byte>(Value >> (8 * i));
}

}  // namespace

// Sizes a file declares are checked against the bytes it has before anything is allocated, and a
// height of INT_MIN is an error, not an overflow.
TEST(Picture, DeclaredSizesAreCheckedBeforeAllocating) {
  // A PNG of a few dozen bytes claiming 8192 x 8192 pixels.
  std::vector<Byte> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<Byte> header;
  PutBigEndian(header, 8192);
  PutBigEndian(header, 8192);
  header.insert(header.end(), {8, 6, 0, 0, 0});
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  PutChunk(png, "IEND", {});
  TPngImage image;
  auto pngStream = StreamOf(png, png.size());
  try {
    image.LoadFromStream(pngStream.get());
    ADD_FAILURE() << "a huge PNG without its data loaded";
  } catch (EInvalidGraphic& E) {
    EXPECT_NE(E.Message.find(u"image data too short"), String::npos) << E.what();
  }

  // Bitmap and icon heights of INT_MIN (top-down with no positive counterpart).
  std::vector<Byte> bmp = FileBytes("quad24.bmp");
  PutLittleEndian(bmp, 22, 0x80000000u);
  TBitmap bitmap;
  auto bmpStream = StreamOf(bmp, bmp.size());
  EXPECT_THROW(bitmap.LoadFromStream(bmpStream.get()), EInvalidGraphic);
  std::vector<Byte> ico = FileBytes("alpha-icon.ico");
  const std::uint32_t entry = ico[18] | (ico[19] << 8) | (ico[20] << 16) | (std::uint32_t(ico[21]) << 24);
  PutLittleEndian(ico, entry + 8, 0x80000000u);
  TIcon icon;
  auto icoStream = StreamOf(ico, ico.size());
  EXPECT_THROW(icon.LoadFromStream(icoStream.get()), EInvalidGraphic);

  // Form data declaring 2 GiB in six bytes: a read error, with nothing allocated.
  TMemoryStream formData;
  const Integer declared = 0x7FFFFFF0;
  formData.WriteBuffer(&declared, 4);
  formData.WriteBuffer("BM", 2);
  formData.SetPosition(0);
  TBitmap restored;
  EXPECT_THROW(restored.ReadData(&formData), EReadError);
}

TEST(Picture, GraphicAssignmentEventsAndFormData) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.LoadFromFile(TestData("quad.png"));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.GetWidth(), 16);

  // The bitmap of a PNG picture is a new, empty bitmap; drawing on it reaches the picture.
  TBitmap* bitmap = picture.GetBitmap();
  EXPECT_TRUE(bitmap->GetEmpty());
  EXPECT_EQ(changes, 2);
  bitmap->SetSize(3, 2);
  EXPECT_EQ(changes, 3);
  bitmap->GetCanvas()->SetPixels(1, 1, clRed);
  EXPECT_EQ(changes, 4);

  // SetGraphic keeps a copy.
  TPngImage png;
  png.LoadFromFile(TestData("alpha.png"));
  picture.SetGraphic(&png);
  EXPECT_NE(picture.GetGraphic(), &png);
  EXPECT_TRUE(Is<TPngImage>(picture.GetGraphic()));
  png.SetPixels(12, 2, clBlack);
  EXPECT_EQ(static_cast<TPngImage*>(picture.GetGraphic())->GetAlpha(12, 2), 0);

  // Form data: class name, then the graphic's own data (a bitmap's with its size first).
  TPicture source;
  source.GetBitmap()->LoadFromFile(TestData("quad24.bmp"));
  TMemoryStream data;
  source.WriteData(&data);
  const auto* bytes = static_cast<const Byte*>(data.Memory());
  ASSERT_GT(data.GetSize(), 12);
  EXPECT_EQ(bytes[0], 7);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 1), 7), "TBitmap");
  Integer size;
  std::memcpy(&size, bytes + 8, 4);
  EXPECT_EQ(size, data.GetSize() - 12);
  EXPECT_EQ(bytes[12], 'B');
  data.SetPosition(0);
  TPicture restored;
  restored.ReadData(&data);
  ASSERT_TRUE(Is<TBitmap>(restored.GetGraphic()));
  ExpectQuad(restored.GetGraphic(), 0, "form data");
  EXPECT_EQ(data.GetPosition(), data.GetSize());
}

namespace {
std::vector<Byte>& BitmapResource() {
  static std::vector<Byte> data = FileBytes("quad24.bmp");
  return data;
}
std::vector<Byte>& HeaderlessResource() {
  static std::vector<Byte> data(BitmapResource().begin() + 14, BitmapResource().end());
  return data;
}
}  // namespace

TEST(Picture, BitmapsFromResources) {
  RegisterResource(u"QUADFILE", RT_BITMAP, std::span<const Byte>(BitmapResource()));
  RegisterResource(u"QUADDIB", RT_BITMAP, std::span<const Byte>(HeaderlessResource()));
  for (const Char* name : {u"QUADFILE", u"quaddib"}) {
    TBitmap bmp;
    bmp.LoadFromResourceName(nullptr, name);
    ExpectQuad(&bmp, 0, UTF8Encode(name));
  }
  TBitmap missing;
  EXPECT_THROW(missing.LoadFromResourceName(nullptr, u"NOSUCHBITMAP"), EResNotFound);
}

// Damaged bytes anywhere in a file give a picture or EInvalidGraphic, never anything else (the
// sanitizer build checks every read stays inside the data).
TEST(Picture, DamagedBytesNeverEscapeAsOtherErrors) {
  const char* files[] = {"quad.png", "alpha.png", "quad-palette.png", "quad.jpg", "quad24.bmp", "quad8.bmp",
                         "quad-8bit.bmp", "mono.bmp", "alpha32.bmp", "alpha-icon.ico", "png-entry.ico"};
  unsigned seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  for (const char* file : files) {
    const std::vector<Byte> original = FileBytes(file);
    for (int round = 0; round < 150; ++round) {
      std::vector<Byte> data = original;
      const int flips = 1 + static_cast<int>(next() % 4);
      for (int i = 0; i < flips; ++i) data[next() % data.size()] = static_cast<Byte>(next());
      auto stream = StreamOf(data, data.size());
      TPicture picture;
      try {
        picture.LoadFromStream(stream.get());
        TBitmap out;
        Render(picture.GetGraphic(), out, clBlack);
      } catch (EInvalidGraphic&) {
      }
    }
  }
}
