// The imported GDI+ wrapper set: imports and start-up, images and their formats, the drawing
// surface over bitmaps and a canvas.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "lib/graphics/tests/NeoGDIPTestSupport.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Graphics.h"
#include "platform/win/Headless.h"

namespace NeoGDIP {
namespace {

void PutLE(std::vector<std::uint8_t>& ABytes, std::uint32_t AValue, int ASize) {
  for (int i = 0; i < ASize; ++i) ABytes.push_back(static_cast<std::uint8_t>(AValue >> (8 * i)));
}

// A 2 x 1 BMP of 24 bits: a red pixel, then a blue one.
std::vector<std::uint8_t> SmallBmp() {
  std::vector<std::uint8_t> b{'B', 'M'};
  PutLE(b, 62, 4), PutLE(b, 0, 4), PutLE(b, 54, 4);
  PutLE(b, 40, 4), PutLE(b, 2, 4), PutLE(b, 1, 4), PutLE(b, 1, 2), PutLE(b, 24, 2);
  PutLE(b, 0, 4), PutLE(b, 8, 4), PutLE(b, 2835, 4), PutLE(b, 2835, 4), PutLE(b, 0, 4), PutLE(b, 0, 4);
  for (std::uint8_t v : {0, 0, 255, 255, 0, 0, 0, 0}) b.push_back(v);
  return b;
}

// GDI+'s encoders by the last byte of {557CF4xx-1A04-11D3-9A73-0000F81EF32E}.
CLSID Encoder(std::uint8_t AKind) { return CLSID{0x557CF400u | AKind, 0x1A04, 0x11D3, {0x9A, 0x73, 0, 0, 0xF8, 0x1E, 0xF3, 0x2E}}; }
constexpr std::uint8_t BmpEncoder = 0x00, JpegEncoder = 0x01, GifEncoder = 0x02, PngEncoder = 0x06;

// The bytes of a 6 x 4 picture with two colours, written by the encoder.
std::vector<std::uint8_t> Encoded(std::uint8_t AEncoder) {
  std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(6, 4));
  for (int i = 0; i < 24; ++i) bitmap->SetPixel(i % 6, i / 6, i % 2 ? 0xFF2040C0u : 0xFFFFFFFFu);
  TStreamPtr stream = NewStream();
  EXPECT_EQ(bitmap->Save(stream.get(), Encoder(AEncoder)), Ok);
  STATSTG stat{};
  stream->Stat(&stat, 0);
  std::vector<std::uint8_t> bytes(stat.cbSize);
  Rewind(stream.get());
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  return bytes;
}

TEST_F(NeoGDIPTest, FormatOfImagesFromStreamsAndMemory) {
  struct TCase {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
    TGPImageFormat Format;
    UINT Width;
  };
  const TCase cases[] = {{"png file", FileBytes("quad.png"), ifPNG, 16},
                         {"bmp bytes", SmallBmp(), ifBMP, 2},
                         {"jpeg", Encoded(JpegEncoder), ifJPEG, 6},
                         {"gif", Encoded(GifEncoder), ifGIF, 6},
                         {"png", Encoded(PngEncoder), ifPNG, 6},
                         {"bmp", Encoded(BmpEncoder), ifBMP, 6}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStreamPtr stream = StreamOf(c.Bytes);
    std::unique_ptr<TGPImage> image(new TGPImage(stream.get()));
    ASSERT_EQ(image->lastResult, Ok);
    EXPECT_EQ(image->GetFormat(), c.Format);
    EXPECT_EQ(image->GetWidth(), c.Width);
    TStreamPtr again = StreamOf(c.Bytes);
    std::unique_ptr<TGPBitmap> bitmap(TGPBitmap::FromStream(again.get()));
    EXPECT_EQ(bitmap->GetFormat(), c.Format);
  }
  std::unique_ptr<TGPBitmap> memory(new TGPBitmap(5, 3));
  EXPECT_EQ(memory->GetFormat(), ifMemoryBMP);
  EXPECT_EQ(memory->GetWidth(), 5u);
  EXPECT_EQ(memory->GetHeight(), 3u);
  EXPECT_EQ(memory->GetPixelDepth(), 32u);
  EXPECT_TRUE(memory->HasAlphaChannel());
  EXPECT_FALSE(memory->HasPalette());

  // Bytes that are no picture: no image, and every getter answers its failure value.
  TStreamPtr junk = StreamOf({1, 2, 3, 4, 5, 6, 7, 8});
  std::unique_ptr<TGPImage> none(new TGPImage(junk.get()));
  EXPECT_NE(none->lastResult, Ok);
  EXPECT_EQ(none->nativeImage, nullptr);
  EXPECT_EQ(none->GetFormat(), ifUndefined);
  EXPECT_EQ(none->GetWidth(), 0u);
  EXPECT_EQ(none->GetHeight(), 0u);
}

TEST_F(NeoGDIPTest, BmpPixelsAndSaveAddWithoutImage) {
  TStreamPtr stream = StreamOf(SmallBmp());
  std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(stream.get()));
  ARGB color = 0;
  ASSERT_EQ(bitmap->GetPixel(0, 0, color), Ok);
  EXPECT_EQ(color, RGBToOpaqueARGB(255, 0, 0));
  ASSERT_EQ(bitmap->GetPixel(1, 0, color), Ok);
  EXPECT_EQ(color, RGBToOpaqueARGB(0, 0, 255));
  EXPECT_NE(bitmap->GetPixel(7, 7, color), Ok);

  EXPECT_EQ(bitmap->SaveAdd(nullptr, nullptr), InvalidParameter);
  EXPECT_EQ(bitmap->lastResult, InvalidParameter);
  EXPECT_EQ(bitmap->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(bitmap->GetLastStatus(), Ok);
}

TEST_F(NeoGDIPTest, ThumbnailRotationFileAndBitmapHandle) {
  std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(4, 2));
  bitmap->SetPixel(0, 0, 0xFFFF0000u);
  std::unique_ptr<TGPImage> thumb(bitmap->GetThumbnailImage(2, 1));
  ASSERT_NE(thumb, nullptr);
  EXPECT_EQ(thumb->lastResult, Ok);
  EXPECT_EQ(thumb->GetWidth(), 2u);
  EXPECT_EQ(thumb->GetHeight(), 1u);

  // A quarter turn clockwise: the top-left pixel goes to the top-right corner.
  ASSERT_EQ(bitmap->RotateFlip(Rotate90FlipNone), Ok);
  EXPECT_EQ(bitmap->GetWidth(), 2u);
  ARGB color = 0;
  bitmap->GetPixel(1, 0, color);
  EXPECT_EQ(color, 0xFFFF0000u);

  const String file = UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/neogdip-save.png");
  ASSERT_EQ(bitmap->Save(file, Encoder(PngEncoder)), Ok);
  std::unique_ptr<TGPImage> loaded(new TGPImage(file));
  EXPECT_EQ(loaded->GetFormat(), ifPNG);
  EXPECT_EQ(loaded->GetHeight(), 4u);
  std::unique_ptr<TGPImage> missing(new TGPImage(file + u".none", true));
  EXPECT_NE(missing->lastResult, Ok);
  EXPECT_EQ(missing->nativeImage, nullptr);

  HBITMAP handle = nullptr;
  ASSERT_EQ(bitmap->GetHBITMAP(0xFFFFFFFFu, handle), Ok);
  ASSERT_NE(handle, nullptr);
  BITMAP info{};
  EXPECT_EQ(GetObjectW(handle, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, 2);
  EXPECT_EQ(info.bmHeight, 4);
  DeleteObject(handle);
}

TEST_F(NeoGDIPTest, DrawImageRectRoundsHalvesToEven) {
  std::unique_ptr<TGPBitmap> source(new TGPBitmap(10, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x) source->SetPixel(x, y, RGBToOpaqueARGB(255, 0, 0));
  std::unique_ptr<TGPBitmap> target(new TGPBitmap(30, 30));
  std::unique_ptr<TGPGraphics> g(TGPGraphics::FromImage(target.get()));
  ASSERT_EQ(g->lastResult, Ok);
  ASSERT_EQ(g->Clear(RGBToOpaqueARGB(255, 255, 255)), Ok);
  ASSERT_EQ(g->DrawImageRect(source.get(), TGPRectF{0.5f, 1.5f, 10.5f, 20.5f}), Ok);
  g.reset();
  const struct {
    Integer X, Y;
    bool Red;
  } probes[] = {{0, 2, true}, {9, 21, true}, {5, 10, true}, {0, 1, false}, {10, 10, false}, {5, 22, false}};
  for (const auto& p : probes) {
    ARGB color = 0;
    target->GetPixel(p.X, p.Y, color);
    EXPECT_EQ(color == RGBToOpaqueARGB(255, 0, 0), p.Red) << p.X << "," << p.Y << " " << std::hex << color;
  }
}

TEST_F(NeoGDIPTest, SurfaceWithoutImageAndItsStatus) {
  std::unique_ptr<TGPGraphics> g(new TGPGraphics(static_cast<TGPImage*>(nullptr)));
  EXPECT_EQ(g->nativeGraphics, nullptr);
  EXPECT_EQ(g->lastResult, Ok);
  EXPECT_EQ(g->GetSmoothingMode(), gdip::SmoothingModeInvalid);
  EXPECT_EQ(g->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(g->GetLastStatus(), Ok);
}

TEST_F(NeoGDIPTest, SurfaceOverBitmapCanvas) {
  Headless::Use();
  {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(20, 10);
    std::unique_ptr<TGPGraphics> g(new TGPGraphics(bitmap.GetCanvas()->GetHandle()));
    ASSERT_EQ(g->lastResult, Ok);
    EXPECT_EQ(g->SetSmoothingMode(gdip::SmoothingModeAntiAlias), Ok);
    EXPECT_EQ(g->GetSmoothingMode(), gdip::SmoothingModeAntiAlias);
    EXPECT_EQ(g->Clear(ColorToOpaqueARGB(clBtnFace)), Ok);
    std::unique_ptr<TGPBitmap> dot(new TGPBitmap(2, 2));
    for (int i = 0; i < 4; ++i) dot->SetPixel(i % 2, i / 2, ColorToARGB(255, clRed));
    EXPECT_EQ(g->DrawImage(dot.get(), 6, 4), Ok);
    // GDI on the same pixels between GetHDC and ReleaseHDC.
    HDC dc = g->GetHDC();
    ASSERT_EQ(dc, bitmap.GetCanvas()->GetHandle());
    SetPixel(dc, 1, 1, RGB(0, 0, 255));
    EXPECT_EQ(g->ReleaseHDC(dc), Ok);
    g.reset();
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(1, 1), clBlue);
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(0, 0), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(7, 5), clRed);
  }
  Headless::Reset();
}

// GdipAlloc failing a given number of times, and start-ups counted, on the way to GDI+.
int gAllocFailures = 0, gStartups = 0;
gdip::TGdipAlloc gAlloc = nullptr;
gdip::TGdiplusStartup gStartup = nullptr;
void* FailingAlloc(std::size_t ASize) {
  if (gAllocFailures > 0) {
    --gAllocFailures;
    return nullptr;
  }
  return gAlloc(ASize);
}
Status CountedStartup(gdip::ULONG_PTR* AToken, const gdip::GdiplusStartupInput* AInput,
                      gdip::GdiplusStartupOutput* AOutput) {
  ++gStartups;
  return gStartup(AToken, AInput, AOutput);
}

TEST_F(NeoGDIPTest, AllocationRetriesAfterAStartUpThenFallsBack) {
  gAlloc = std::exchange(Imports.GdipAlloc, &FailingAlloc);
  gStartup = std::exchange(Imports.GdiplusStartup, &CountedStartup);
  struct TCase {
    int Failures, Startups;
  } cases[] = {{0, 0}, {1, 1}, {2, 1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Failures);
    gAllocFailures = c.Failures;
    gStartups = 0;
    const gdip::ULONG_PTR token = GdiplusToken;
    // Zero-filled storage in every case; each block goes back where it came from (the address
    // checker reports a mismatch otherwise).
    std::unique_ptr<TGPPen> pen(new TGPPen(0xFF102030u, 2));
    EXPECT_EQ(gStartups, c.Startups);
    EXPECT_EQ(pen->lastResult, Ok);
    EXPECT_EQ(pen->GetDashStyle(), DashStyleSolid);
    // The start-up again writes the unit's token: the one it replaced is ended here, so that the
    // unit's own shutdown still ends GDI+.
    if (GdiplusToken != token) Imports.GdiplusShutdown(token);
  }
  Imports.GdipAlloc = gAlloc;
  Imports.GdiplusStartup = gStartup;
}

// The raw format an image answers, given in place of GDI+'s, and the status of that call.
GUID gRawFormat{};
Status gRawStatus = Ok;
Status AnswerRawFormat(gdip::GpImage*, GUID* AFormat) {
  if (gRawStatus == Ok) *AFormat = gRawFormat;
  return gRawStatus;
}

// GDI+'s image format {B96B3Cxx-0728-11D3-9D7B-0000F81EF32E}.
constexpr GUID ImageFormat(std::uint8_t AKind) {
  return GUID{0xB96B3C00u | AKind, 0x0728, 0x11D3, {0x9D, 0x7B, 0, 0, 0xF8, 0x1E, 0xF3, 0x2E}};
}

TEST_F(NeoGDIPTest, FormatOfEveryRawFormatGuid) {
  struct TCase {
    const char* Name;
    GUID Raw;
    Status Answer;
    TGPImageFormat Format;
  };
  GUID otherTail = ImageFormat(0xAF), otherMiddle = ImageFormat(0xAF);
  otherTail.Data4[7] = 0x2F;
  otherMiddle.Data2 = 0x0729;
  const TCase cases[] = {{"A9, GDI+'s undefined format", ImageFormat(0xA9), Ok, ifUndefined},
                         {"AA", ImageFormat(0xAA), Ok, ifMemoryBMP},
                         {"AB", ImageFormat(0xAB), Ok, ifBMP},
                         {"AC", ImageFormat(0xAC), Ok, ifEMF},
                         {"AD", ImageFormat(0xAD), Ok, ifWMF},
                         {"AE", ImageFormat(0xAE), Ok, ifJPEG},
                         {"AF", ImageFormat(0xAF), Ok, ifPNG},
                         {"B0", ImageFormat(0xB0), Ok, ifGIF},
                         {"B1", ImageFormat(0xB1), Ok, ifTIFF},
                         {"B2", ImageFormat(0xB2), Ok, ifEXIF},
                         {"B3", ImageFormat(0xB3), Ok, ifUndefined},
                         {"B4", ImageFormat(0xB4), Ok, ifUndefined},
                         {"B5", ImageFormat(0xB5), Ok, ifIcon},
                         {"B6", ImageFormat(0xB6), Ok, ifUndefined},
                         {"another last byte", otherTail, Ok, ifUndefined},
                         {"another middle", otherMiddle, Ok, ifUndefined},
                         {"a GUID of another kind", Encoder(PngEncoder), Ok, ifUndefined},
                         {"a failing call writes nothing", ImageFormat(0xAF), GenericError, ifUndefined}};
  std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(2, 2));
  const gdip::TGdipGetImageRawFormat real = std::exchange(Imports.GdipGetImageRawFormat, &AnswerRawFormat);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    gRawFormat = c.Raw;
    gRawStatus = c.Answer;
    EXPECT_EQ(bitmap->GetFormat(), c.Format);
    // The raw-format call's status is never recorded.
    EXPECT_EQ(bitmap->lastResult, Ok);
  }
  Imports.GdipGetImageRawFormat = real;
}

// What the unit's start-up handed to GDI+ and what its shutdown called, seen on the way.
struct TStartupSeen {
  gdip::GdiplusStartupInput Input{};
  bool OutputCleared = false;
  gdip::ULONG_PTR Token = 0, HookToken = 0, UnhookToken = 0, ShutdownToken = 0;
  int Hooks = 0, Unhooks = 0, Shutdowns = 0;
};
TStartupSeen gSeen;
gdip::TGdiplusStartup gRealStartup = nullptr;
gdip::TGdiplusShutdown gRealShutdown = nullptr;
gdip::NotificationHookProc gRealHook = nullptr;
gdip::NotificationUnhookProc gRealUnhook = nullptr;

Status SeenHook(gdip::ULONG_PTR* AToken) {
  ++gSeen.Hooks;
  const Status status = gRealHook(AToken);
  gSeen.HookToken = *AToken;
  return status;
}
void SeenUnhook(gdip::ULONG_PTR AToken) {
  ++gSeen.Unhooks;
  gSeen.UnhookToken = AToken;
  gRealUnhook(AToken);
}
Status SeenStartup(gdip::ULONG_PTR* AToken, const gdip::GdiplusStartupInput* AInput,
                   gdip::GdiplusStartupOutput* AOutput) {
  gSeen.Input = *AInput;
  gSeen.OutputCleared = AOutput && !AOutput->NotificationHook && !AOutput->NotificationUnhook;
  const Status status = gRealStartup(AToken, AInput, AOutput);
  gSeen.Token = *AToken;
  gRealHook = std::exchange(AOutput->NotificationHook, &SeenHook);
  gRealUnhook = std::exchange(AOutput->NotificationUnhook, &SeenUnhook);
  return status;
}
void SeenShutdown(gdip::ULONG_PTR AToken) {
  ++gSeen.Shutdowns;
  gSeen.ShutdownToken = AToken;
  gRealShutdown(AToken);
}

// The unit started and ended as a program does it, under the reported system version, with
// every start-up and shutdown seen.
void StartAndEndTheUnit(DWORD AMajor, DWORD AMinor) {
  TVersionFacts facts = GetVersionFacts();
  facts.Reported = TOSVersion{AMajor, AMinor, 2600};
  SetVersionFacts(facts);
  gSeen = TStartupSeen{};
  Units().Clear();
  RegisterGdiplusModule();
  RegisterNeoGDIPUnit();
  gRealStartup = std::exchange(Imports.GdiplusStartup, &SeenStartup);
  gRealShutdown = std::exchange(Imports.GdiplusShutdown, &SeenShutdown);
  InitializeUnits();
  FinalizeUnits();
  Units().Clear();
  Imports.GdiplusStartup = gRealStartup;
  Imports.GdiplusShutdown = gRealShutdown;
  ResetVersionFacts();
}

TEST(NeoGDIPStartup, InputRecordHooksByVersionAndItsOwnToken) {
  struct TCase {
    DWORD Major, Minor;
    int Hooks;
  } cases[] = {{5, 1, 1}, {6, 0, 0}, {6, 2, 0}, {10, 0, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Major << "." << c.Minor);
    StartAndEndTheUnit(c.Major, c.Minor);
    EXPECT_EQ(gSeen.Input.GdiplusVersion, 1u);
    EXPECT_EQ(gSeen.Input.DebugEventCallback, nullptr);
    EXPECT_NE(gSeen.Input.SuppressBackgroundThread, 0);
    EXPECT_EQ(gSeen.Input.SuppressExternalCodecs, 0);
    EXPECT_TRUE(gSeen.OutputCleared);
    // The hooks run only on systems before version 6; the unhook gets the hook's own token.
    EXPECT_EQ(gSeen.Hooks, c.Hooks);
    EXPECT_EQ(gSeen.Unhooks, c.Hooks);
    EXPECT_EQ(gSeen.UnhookToken, gSeen.HookToken);
    // The shutdown ends the start-up's token.
    EXPECT_EQ(gSeen.Shutdowns, 1);
    EXPECT_EQ(gSeen.ShutdownToken, gSeen.Token);
    EXPECT_NE(gSeen.Token, 0u);
  }
}

TEST(NeoGDIPStartup, ADynamicLibraryLeavesGDIPlusRunningAtItsEnd) {
  IsLibrary = true;
  StartAndEndTheUnit(5, 1);
  IsLibrary = false;
  EXPECT_EQ(gSeen.Hooks, 1);
  EXPECT_EQ(gSeen.Unhooks, 0);
  EXPECT_EQ(gSeen.Shutdowns, 0);
  // The token is still served: ended here, as the host process would end it.
  Imports.GdiplusShutdown(gSeen.Token);
  gRealUnhook(gSeen.HookToken);
}

TEST(NeoGDIPConversions, ColoursAndSystemColours) {
  EXPECT_EQ(ColorToOpaqueARGB(static_cast<TColor>(RGB(1, 2, 3))), 0xFF010203u);
  EXPECT_EQ(ColorToARGB(0x80, clBlue), 0x800000FFu);
  const COLORREF face = ColorToRGB(clBtnFace);
  EXPECT_EQ(ColorToOpaqueARGB(clBtnFace), PackARGB(255, GetRValue(face), GetGValue(face), GetBValue(face)));
  EXPECT_EQ(ARGBRed(0x11223344u), 0x22);
  EXPECT_EQ(ARGBGreen(0x11223344u), 0x33);
  EXPECT_EQ(ARGBBlue(0x11223344u), 0x44);
}

// A program whose library is missing does not start: the registration raises with the library's
// name, and the program's start reports it and exits with a failure code.
TEST(NeoGDIPImportsDeathTest, MissingLibraryStopsTheStart) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        RegisterGdiplusModule("libzelk-no-such-gdiplus.so.0");
        try {
          RegisterNeoGDIPUnit();
        } catch (const Exception& e) {
          std::fprintf(stderr, "%s\n", e.what());
          std::exit(1);
        }
        std::exit(0);
      },
      testing::ExitedWithCode(1), "gdiplus.dll could not be loaded");
}

// As the program registers it, with nothing to catch the exception: the start ends there, with
// the library named and a failure code.
TEST(NeoGDIPImportsDeathTest, MissingLibraryEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto program = []() noexcept {
    RegisterGdiplusModule("libzelk-no-such-gdiplus.so.0");
    RegisterNeoGDIPUnit();
    InitializeUnits();
  };
  EXPECT_DEATH(program(), "The library gdiplus.dll could not be loaded");
}

}  // namespace

}  // namespace NeoGDIP
