// The GDI+ picture and the hint information: picture bytes of every raster format made here
// through GDI+'s encoders (the icon by hand), loaded, measured and drawn at known pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "lib/grid/core/GDIPicture.h"
#include "lib/grid/core/NeoGridUnits.h"
#include "lib/grid/core/NeoHintInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/PngImage.h"
#include "platform/win/Headless.h"
#include "platform/win/ObjIdl.h"

namespace NeoGDIP {
namespace {

constexpr Integer kW = 12, kH = 8;
constexpr ARGB kBlue = 0xFF0000FF, kRed = 0xFFFF0000;

// GDI+'s encoders by their published class ids ({557CF40n-1A04-11D3-9A73-0000F81EF32E}).
CLSID Encoder(Byte N) { return CLSID{0x557CF400u + N, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}}; }

// A 12 x 8 image, blue with a red 6 x 4 block at the top left, in the encoder's format.
TBytes Encoded(Byte EncoderIndex) {
  TGPBitmap bitmap(kW, kH);
  for (Integer y = 0; y < kH; ++y)
    for (Integer x = 0; x < kW; ++x) bitmap.SetPixel(x, y, x < 6 && y < 4 ? kRed : kBlue);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  EXPECT_EQ(bitmap.Save(stream, Encoder(EncoderIndex)), Ok);
  STATSTG stat{};
  stream->Stat(&stat, 0);
  TBytes bytes(static_cast<std::size_t>(stat.cbSize));
  stream->Seek(0, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  stream->Release();
  return bytes;
}

// An icon file with one 32-bit 12 x 8 entry of the same picture (an empty AND mask).
TBytes IconBytes() {
  TBytes b;
  auto put16 = [&](Integer v) { b.push_back(v & 0xFF), b.push_back((v >> 8) & 0xFF); };
  auto put32 = [&](Integer v) { put16(v & 0xFFFF), put16((v >> 16) & 0xFFFF); };
  const Integer pixels = kW * kH * 4, mask = 4 * kH, size = 40 + pixels + mask;
  put16(0), put16(1), put16(1);
  b.push_back(kW), b.push_back(kH), b.push_back(0), b.push_back(0);
  put16(1), put16(32), put32(size), put32(22);
  put32(40), put32(kW), put32(kH * 2), put16(1), put16(32), put32(0), put32(pixels + mask);
  put32(0), put32(0), put32(0), put32(0);
  for (Integer row = kH - 1; row >= 0; --row)
    for (Integer x = 0; x < kW; ++x) {
      bool red = x < 6 && row < 4;
      Byte px[4] = {Byte(red ? 0 : 255), 0, Byte(red ? 255 : 0), 255};
      b.insert(b.end(), px, px + 4);
    }
  b.insert(b.end(), static_cast<std::size_t>(mask), 0);
  return b;
}

void Load(TGDIPPicture& P, const TBytes& Bytes) {
  TBytesStream stream(Bytes);
  P.LoadFromStream(&stream);
}

class GDIPictureTest : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Units().Clear();
    RegisterNeoGridUnits();
    InitializeUnits();
    Canvas.SetPixelFormat(pf24bit);
    Canvas.SetSize(48, 48);
    Blank();
  }
  void TearDown() override {
    FinalizeUnits();
    Units().Clear();
  }
  void Blank() {
    Canvas.GetCanvas()->GetBrush()->SetColor(clWhite);
    Canvas.GetCanvas()->FillRect(TRect{0, 0, 48, 48});
  }
  COLORREF At(Integer X, Integer Y) { return ColorToRGB(Canvas.GetCanvas()->GetPixels(X, Y)); }
  static bool Near(COLORREF C, COLORREF Want) {
    for (int s : {0, 8, 16})
      if (std::abs(static_cast<int>((C >> s) & 0xFF) - static_cast<int>((Want >> s) & 0xFF)) > 40) return false;
    return true;
  }

  TBitmap Canvas;
};

TEST_F(GDIPictureTest, EveryRasterFormatLoadsReportsItselfAndDraws) {
  struct TCase {
    const char* Name;
    TBytes Bytes;
    TPictureFormat Format;
  };
  const TCase cases[] = {{"png", Encoded(6), pfPNG}, {"jpeg", Encoded(1), pfJPG}, {"gif", Encoded(2), pfGIF},
                         {"tiff", Encoded(5), pfTiff}, {"ico", IconBytes(), pfICO}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TGDIPPicture p;
    Integer changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    Load(p, c.Bytes);
    EXPECT_EQ(p.GetPictureFormat(), c.Format);
    EXPECT_FALSE(p.GetEmpty());
    EXPECT_EQ(p.GetWidth(), kW);
    EXPECT_EQ(p.GetHeight(), kH);
    EXPECT_GE(changes, 1);
    Blank();
    p.Draw(Canvas.GetCanvas(), TRect{10, 10, 10 + kW, 10 + kH});
    EXPECT_TRUE(Near(At(12, 11), RGB(255, 0, 0))) << std::hex << At(12, 11);
    EXPECT_TRUE(Near(At(20, 16), RGB(0, 0, 255))) << std::hex << At(20, 16);
    EXPECT_EQ(At(30, 30), RGB(255, 255, 255));
  }
}

TEST_F(GDIPictureTest, ABitmapDrawsWithItsBottomLeftColourTransparent) {
  TGDIPPicture p;
  Load(p, Encoded(0));
  EXPECT_EQ(p.GetPictureFormat(), pfBMP);
  EXPECT_EQ(p.GetWidth(), kW);
  p.Draw(Canvas.GetCanvas(), TRect{10, 10, 10 + kW, 10 + kH});
  EXPECT_EQ(At(12, 11), RGB(255, 0, 0));
  EXPECT_EQ(At(20, 16), RGB(255, 255, 255)) << "blue, the bottom-left colour, is transparent";
  p.SetTransparentBitmap(false);
  Blank();
  p.Draw(Canvas.GetCanvas(), TRect{10, 10, 10 + kW, 10 + kH});
  EXPECT_EQ(At(20, 16), RGB(0, 0, 255));
}

TEST_F(GDIPictureTest, AnAngleRotatesAboutTheImagesOwnCentreAtTheRectsCorner) {
  TGDIPPicture p;
  Load(p, Encoded(6));
  p.SetAngle(90);
  // Drawn stretched into 24 x 8 and turned clockwise about (20 + 6, 20 + 4), the centre of the
  // image's own size at the rectangle's corner (not the rectangle's centre (32, 24)): the image
  // then covers x 22..29 from y 18 down, red (its top rows) in x 26..29 for y 18..29.
  p.Draw(Canvas.GetCanvas(), TRect{20, 20, 44, 28});
  EXPECT_TRUE(Near(At(28, 20), RGB(255, 0, 0))) << std::hex << At(28, 20);
  EXPECT_TRUE(Near(At(27, 28), RGB(255, 0, 0))) << std::hex << At(27, 28);
  EXPECT_TRUE(Near(At(23, 30), RGB(0, 0, 255))) << std::hex << At(23, 30);
  EXPECT_EQ(At(21, 21), RGB(255, 255, 255));
  EXPECT_EQ(At(33, 21), RGB(255, 255, 255));
  p.SetAngle(0);
  Blank();
  p.Draw(Canvas.GetCanvas(), TRect{20, 20, 32, 28});
  EXPECT_TRUE(Near(At(21, 21), RGB(255, 0, 0)));
}

TEST_F(GDIPictureTest, ShortUnknownAndUndecodableData) {
  TGDIPPicture p;
  TBytes ten(10, 0x42);
  std::memcpy(ten.data(), "\x89PNG\r\n\x1a\n", 8);
  Load(p, ten);
  EXPECT_EQ(p.GetPictureFormat(), pfNone) << "fewer than 44 bytes";
  TBytes broken(200, 0x11);
  std::memcpy(broken.data(), "GIF89a", 6);
  Load(p, broken);
  EXPECT_EQ(p.GetPictureFormat(), pfGIF);
  EXPECT_EQ(p.GetWidth(), 0);
  EXPECT_NO_THROW(p.Draw(Canvas.GetCanvas(), TRect{0, 0, 48, 48}));
  EXPECT_EQ(At(5, 5), RGB(255, 255, 255));
  TBytes metafile(60, 0);
  metafile[0] = 1;
  std::memcpy(metafile.data() + 40, " EMF", 4);
  TBytesStream stream(metafile);
  p.GetDataStream()->Clear();
  p.GetDataStream()->CopyFrom(&stream, 0);
  EXPECT_EQ(p.GetPictureFormat(), pfMetaFile);
}

TEST_F(GDIPictureTest, AssignCopiesPicturesAndGraphicsAndNilClears) {
  TGDIPPicture source;
  Load(source, Encoded(6));
  TGDIPPicture p;
  Integer changes = 0, clears = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.OnClear = [&](TObject*) { ++clears; };
  p.Assign(&source);
  EXPECT_EQ(p.GetPictureFormat(), pfPNG);
  EXPECT_EQ(p.GetWidth(), kW);
  EXPECT_EQ(changes, 1);

  TStringList unrelated;
  p.Assign(&unrelated);
  EXPECT_EQ(p.GetPictureFormat(), pfPNG) << "an unrelated source changes nothing";
  EXPECT_FALSE(p.GetEmpty());
  EXPECT_EQ(changes, 1);

  p.Assign(nullptr);
  EXPECT_TRUE(p.GetEmpty());
  EXPECT_EQ(p.GetDataStream()->GetSize(), 0);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(clears, 1);

  TBitmap bitmap(5, 3);
  p.Assign(&bitmap);
  EXPECT_EQ(p.GetPictureFormat(), pfBMP);
  EXPECT_EQ(p.GetWidth(), 5);
  EXPECT_EQ(p.GetHeight(), 3);
  TPngImage png;
  png.Assign(&bitmap);
  p.Assign(&png);
  EXPECT_EQ(p.GetPictureFormat(), pfPNG);
  EXPECT_EQ(p.GetWidth(), 5);
  TIcon icon;
  TBytesStream iconStream(IconBytes());
  icon.LoadFromStream(&iconStream);
  p.Assign(&icon);
  EXPECT_EQ(p.GetPictureFormat(), pfICO);
  EXPECT_EQ(p.GetWidth(), kW);
  TPicture holder;
  holder.Assign(&png);
  p.Assign(&holder);
  EXPECT_EQ(p.GetPictureFormat(), pfPNG);
  EXPECT_EQ(p.GetHeight(), 3);
}

TEST_F(GDIPictureTest, StreamingFilesAndPictureAddresses) {
  TGDIPPicture p;
  Load(p, Encoded(6));
  TMemoryStream data;
  p.WriteData(&data);
  data.SetPosition(0);
  TGDIPPicture copy;
  copy.ReadData(&data);
  EXPECT_EQ(copy.GetPictureFormat(), pfPNG);
  EXPECT_EQ(copy.GetDataStream()->GetSize(), p.GetDataStream()->GetSize());

  const std::filesystem::path file = std::filesystem::temp_directory_path() / "gdipicture-test.png";
  {
    TBytes bytes = Encoded(6);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  TGDIPPicture fromUrl;
  Integer clears = 0;
  fromUrl.OnClear = [&](TObject*) { ++clears; };
  fromUrl.LoadFromURL(u"file://" + UTF8ToString(file.string()));
  EXPECT_EQ(fromUrl.GetPictureFormat(), pfPNG);
  EXPECT_EQ(fromUrl.GetWidth(), kW);
  EXPECT_EQ(fromUrl.GetFileName(), UTF8ToString(file.string()));
  EXPECT_EQ(clears, 1);
  std::filesystem::remove(file);

  static const TBytes resource = Encoded(1);
  RegisterResource(u"HINTPICTURE", RT_RCDATA, std::span<const Byte>(resource.data(), resource.size()));
  TGDIPPicture fromResource;
  fromResource.LoadFromURL(u"Res://HINTPICTURE");
  EXPECT_EQ(fromResource.GetPictureFormat(), pfJPG);
  TGDIPPicture ignored;
  ignored.LoadFromURL(u"http://example.invalid/a.png");
  ignored.LoadFromURL(u"RES://NOSUCHRESOURCE");
  EXPECT_TRUE(ignored.GetEmpty());
  EXPECT_THROW(ignored.LoadFromResourceID(nullptr, 4711), EResNotFound);

  TGDIPPicture missing;
  EXPECT_NO_THROW(missing.LoadFromFile(u"/no/such/file.png"));
  EXPECT_TRUE(missing.GetEmpty());
}

TEST_F(GDIPictureTest, AnSVGFileLoadsAsSVG) {
  TGDIPPicture p;
  p.LoadFromFile(UTF8ToString(ZELK_TEST_DATA) + u"/widgets/square.svg");
  EXPECT_TRUE(p.HasSVG());
  EXPECT_FALSE(p.GetEmpty());
  EXPECT_EQ(p.GetDataStream()->GetSize(), 0);
  EXPECT_EQ(p.GetWidth(), 20);
  EXPECT_EQ(p.GetHeight(), 10);
  // Drawn through the device context of the GDI+ graphics over the canvas: red in the rectangle,
  // the canvas's white around it.
  p.Draw(Canvas.GetCanvas(), TRect{8, 8, 28, 18});
  EXPECT_TRUE(Near(At(10, 10), RGB(255, 0, 0))) << std::hex << At(10, 10);
  EXPECT_TRUE(Near(At(26, 16), RGB(255, 0, 0))) << std::hex << At(26, 16);
  EXPECT_EQ(At(30, 12), RGB(255, 255, 255));
  EXPECT_EQ(At(12, 20), RGB(255, 255, 255));
  TGDIPPicture copy;
  copy.Assign(&p);
  EXPECT_TRUE(copy.HasSVG());
  copy.Assign(nullptr);
}

TEST_F(GDIPictureTest, HintInfoAssignsEverythingAndIsEmptyWithoutText) {
  TNeoHintInfo a;
  EXPECT_TRUE(a.IsEmpty());
  Load(*a.GetPicture(), Encoded(6));
  EXPECT_TRUE(a.IsEmpty()) << "the picture does not count";
  a.SetTitle(u"Title");
  a.GetNotes()->Add(u"first");
  a.GetNotes()->Add(u"second");
  a.SetShowHelp(true);
  a.SetWideTitle(u"Wide");
  a.SetWideNotes(u"notes");
  EXPECT_FALSE(a.IsEmpty());
  TNeoHintInfo b;
  b.Assign(&a);
  EXPECT_EQ(b.GetTitle(), u"Title");
  EXPECT_EQ(b.GetNotes()->GetText(), a.GetNotes()->GetText());
  EXPECT_TRUE(b.GetShowHelp());
  EXPECT_EQ(b.GetWideTitle(), u"Wide");
  EXPECT_EQ(b.GetWideNotes(), u"notes");
  EXPECT_EQ(b.GetPicture()->GetPictureFormat(), pfPNG);
  EXPECT_EQ(b.GetPicture()->GetWidth(), kW);
  TNeoHintInfo c;
  c.GetNotes()->Add(u"x");
  EXPECT_FALSE(c.IsEmpty());
  TStringList other;
  c.Assign(&other);
  EXPECT_EQ(c.GetNotes()->GetCount(), 1);
}

}  // namespace

}  // namespace NeoGDIP
