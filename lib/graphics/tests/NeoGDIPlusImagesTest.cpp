// Images, bitmaps and image attributes against libgdiplus: loading and saving, clones and their
// status rules, pixel access, bitmap and icon handles, the values the attribute setters pass.
#include <memory>
#include <vector>

#include "lib/graphics/tests/GDIPlusClassesTestSupport.h"
#include "lib/graphics/tests/TestColors.h"
#include "platform/win/WinIcon.h"

namespace {

using ImagesTest = GDIPlusClassesTest;

String DataFile(const char* AName) { return UTF8ToString(std::string(ZELK_TEST_DATA) + "/" + AName); }

CLSID PngEncoder() {
  UINT count = 0, size = 0;
  GdiplusProcs.GdipGetImageEncodersSize(&count, &size);
  std::vector<std::uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<gdip::ImageCodecInfo*>(buffer.data());
  GdiplusProcs.GdipGetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i)
    if (String(codecs[i].MimeType) == u"image/png") return codecs[i].Clsid;
  ADD_FAILURE() << "no PNG encoder";
  return CLSID{};
}

// The values an image attributes setter received, recorded in place of the table entry.
struct TOutputChannelCall {
  gdip::BOOL Enable = 99;
  ColorChannelFlags Flags = ColorChannelFlagsC;
};
TOutputChannelCall gChannelCall;
Status RecordOutputChannel(gdip::GpImageAttributes*, ColorAdjustType, gdip::BOOL AEnable, ColorChannelFlags AFlags) {
  gChannelCall = TOutputChannelCall{AEnable, AFlags};
  return Ok;
}

}  // namespace

TEST_F(ImagesTest, LoadSaveAndQueries) {
  TGPImage image(DataFile("quad.png"));
  ASSERT_EQ(image.GetLastStatus(), Ok);
  EXPECT_EQ(image.GetWidth(), 16u);
  EXPECT_EQ(image.GetHeight(), 12u);
  EXPECT_EQ(image.GetType(), ImageTypeBitmap);
  TGPSizeF size{};
  EXPECT_EQ(image.GetPhysicalDimension(size), Ok);
  EXPECT_EQ(size.Width, 16.0f);
  TGPRectF bounds{};
  Unit_ unit = UnitMillimeter;
  EXPECT_EQ(image.GetBounds(bounds, unit), Ok);
  EXPECT_EQ(unit, UnitPixel);
  EXPECT_EQ(bounds.Height, 12.0f);
  EXPECT_GT(image.GetHorizontalResolution(), 0.0f);
  GUID format{};
  EXPECT_EQ(image.GetRawFormat(format), Ok);
  EXPECT_EQ(format.Data1, 0xB96B3CAFu);   // PNG
  EXPECT_NE(image.GetPixelFormat(), gdip::PixelFormatUndefined);
  EXPECT_EQ(image.GetFrameDimensionsCount(), 1u);
  GUID dimension{};
  EXPECT_EQ(image.GetFrameDimensionsList(&dimension, 1), Ok);
  EXPECT_EQ(image.GetFrameCount(dimension), 1u);
  EXPECT_EQ(image.SelectActiveFrame(dimension, 0), Ok);
  UINT total = 7, number = 7;
  image.GetPropertySize(total, number);
  EXPECT_EQ(image.RotateFlip(Rotate90FlipNone), Ok);
  EXPECT_EQ(image.GetWidth(), 12u);

  std::unique_ptr<TGPImage> thumbnail(image.GetThumbnailImage(6, 8));
  EXPECT_EQ(thumbnail->GetWidth(), 6u);
  std::unique_ptr<TGPImage> clone(image.Clone());
  EXPECT_EQ(clone->GetHeight(), 16u);

  // Saved to a stream as PNG and read back through both image classes.
  const CLSID png = PngEncoder();
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  EXPECT_EQ(image.Save(stream, png), Ok);
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  std::unique_ptr<TGPBitmap> fromStream(TGPBitmap::FromStream(stream));
  EXPECT_EQ(fromStream->GetLastStatus(), Ok);
  EXPECT_EQ(fromStream->GetWidth(), 12u);
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  std::unique_ptr<TGPImage> imageFromStream(TGPImage::FromStream(stream));
  EXPECT_EQ(imageFromStream->GetHeight(), 16u);
  stream->Release();

  const String file = UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/gdiplus-classes-rotated.png");
  EXPECT_EQ(image.Save(file, png), Ok);
  std::unique_ptr<TGPBitmap> fromFile(TGPBitmap::FromFile(file));
  EXPECT_EQ(fromFile->GetWidth(), 12u);
  std::unique_ptr<TGPImage> missing(TGPImage::FromFile(u"/no/such/file.png"));
  EXPECT_EQ(missing->nativeImage, nullptr);
  EXPECT_NE(missing->GetLastStatus(), Ok);
}

TEST_F(ImagesTest, ImageProtocolOnANilHandle) {
  TGPImage failing(static_cast<gdip::GpImage*>(nullptr), Ok);
  TGPBitmap other(2, 2);
  RunProtocolRows<TGPImage>(
      failing,
      {{"GetPhysicalDimension 0 by 0",
        [](TGPImage& I) {
          TGPSizeF size{5, 5};
          const Status s = I.GetPhysicalDimension(size);
          EXPECT_EQ(size.Width, 0.0f);
          EXPECT_EQ(size.Height, 0.0f);
          return s;
        },
        InvalidParameter},
       {"GetBounds unit pre-set",
        [](TGPImage& I) {
          TGPRectF r{};
          Unit_ unit = UnitPixel;
          const Status s = I.GetBounds(r, unit);
          EXPECT_EQ(unit, UnitWorld);
          return s;
        },
        InvalidParameter},
       {"GetPropertySize pre-set",
        [](TGPImage& I) {
          UINT total = 9, number = 9;
          const Status s = I.GetPropertySize(total, number);
          EXPECT_EQ(total + number, 0u);
          return s;
        },
        InvalidParameter},
       {"GetWidth 0", [](TGPImage& I) { return I.GetWidth() == 0 ? I.lastResult : Ok; }, InvalidParameter},
       {"SaveAdd nil image makes no call", [](TGPImage& I) { return I.SaveAdd(nullptr, nullptr); }, InvalidParameter}});
  std::unique_ptr<TGPImage> clone(failing.Clone());
  EXPECT_EQ(clone->nativeImage, nullptr);
  EXPECT_EQ(clone->GetLastStatus(), InvalidParameter);

  // libgdiplus saves no multi-frame images: a clear status through the protocol.
  EncoderParameters params{};
  params.Count = 0;
  RunProtocolRows<TGPImage>(other, {{"SaveAdd", [&](TGPImage& I) { return I.SaveAdd(&params); }, NotImplemented},
                                    {"SaveAdd image", [&](TGPImage& I) { return I.SaveAdd(&other, &params); },
                                     NotImplemented}});

  // A hidden export: NotImplemented, recorded, and the pre-set value.
  RebindWithout("GdipGetImageFlags");
  TGPBitmap rebound(3, 3);
  RunProtocolRows<TGPImage>(rebound,
                            {{"GetFlags without its export",
                              [](TGPImage& I) { return I.GetFlags() == 0 ? I.lastResult : Ok; }, NotImplemented},
                             {"GetWidth", [](TGPImage& I) { return I.GetWidth() == 3 ? Ok : I.lastResult; }, Ok}});
}

TEST_F(ImagesTest, BitmapClonesFollowTheirOwnStatusRules) {
  TGPBitmap bitmap(8, 8);
  bitmap.SetPixel(2, 2, Red);
  // Integer: the status is assigned, so a success clears an unread failure.
  EXPECT_EQ(bitmap.SetPixel(100, 100, Red), InvalidParameter);
  std::unique_ptr<TGPBitmap> part(bitmap.Clone(TGPRect{2, 2, 4, 4}, gdip::PixelFormat32bppARGB));
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(bitmap.GetLastStatus(), Ok);
  ARGB color = 0;
  EXPECT_EQ(part->GetPixel(0, 0, color), Ok);
  EXPECT_EQ(color, Red);
  EXPECT_EQ(bitmap.Clone(20, 20, 4, 4, gdip::PixelFormat32bppARGB), nullptr);
  EXPECT_EQ(bitmap.GetLastStatus(), InvalidParameter);

  // Float: nil whenever the field holds a failure, even when the copy succeeds; that copy is
  // disposed of.
  std::unique_ptr<TGPBitmap> floatPart(bitmap.Clone(TGPRectF{2, 2, 2, 2}, gdip::PixelFormat32bppARGB));
  ASSERT_NE(floatPart, nullptr);
  EXPECT_EQ(floatPart->GetWidth(), 2u);
  EXPECT_EQ(bitmap.SetPixel(100, 100, Red), InvalidParameter);
  {
    TDeleteSpy<gdip::GpImage> disposed(GdiplusProcs.GdipDisposeImage);
    EXPECT_EQ(bitmap.Clone(2.0f, 2.0f, 2.0f, 2.0f, gdip::PixelFormat32bppARGB), nullptr);
    EXPECT_EQ(disposed.Count(), 1u);
  }
  EXPECT_EQ(bitmap.GetLastStatus(), InvalidParameter);
  std::unique_ptr<TGPBitmap> afterReading(bitmap.Clone(2.0f, 2.0f, 2.0f, 2.0f, gdip::PixelFormat32bppARGB));
  EXPECT_NE(afterReading, nullptr);

  // Pixels: the getter's colour is 0 when it fails.
  color = 0xFFFFFFFF;
  EXPECT_EQ(bitmap.GetPixel(-1, 0, color), InvalidParameter);
  EXPECT_EQ(color, 0u);
  BitmapData data{};
  EXPECT_EQ(bitmap.LockBits(TGPRect{2, 2, 1, 1}, gdip::ImageLockModeRead, gdip::PixelFormat32bppARGB, data), Ok);
  EXPECT_EQ(*static_cast<ARGB*>(data.Scan0), Red);
  EXPECT_EQ(bitmap.UnlockBits(data), Ok);
  EXPECT_EQ(bitmap.SetResolution(144, 72), Ok);
  EXPECT_EQ(bitmap.GetVerticalResolution(), 72.0f);
}

TEST_F(ImagesTest, BitmapAndIconHandlesRoundTrip) {
  // The background colour shows behind transparent pixels: the out handle precedes it.
  TGPBitmap bitmap(4, 4);
  bitmap.SetPixel(1, 1, Lime);
  HBITMAP hbm = nullptr;
  ASSERT_EQ(bitmap.GetHBITMAP(Red, hbm), Ok);
  ASSERT_NE(hbm, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, hbm);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0));
  SelectObject(dc, old);
  DeleteDC(dc);

  std::unique_ptr<TGPBitmap> back(TGPBitmap::FromHBITMAP(hbm, nullptr));
  ASSERT_EQ(back->GetLastStatus(), Ok);
  ARGB color = 0;
  back->GetPixel(0, 0, color);
  EXPECT_EQ(color, Red);
  back->GetPixel(1, 1, color);
  EXPECT_EQ(color, Lime);
  DeleteObject(hbm);

  HICON icon = nullptr;
  ASSERT_EQ(bitmap.GetHICON(icon), Ok);
  std::unique_ptr<TGPBitmap> fromIcon(TGPBitmap::FromHICON(icon));
  EXPECT_EQ(fromIcon->GetLastStatus(), Ok);
  EXPECT_EQ(fromIcon->GetWidth(), 4u);
  fromIcon->GetPixel(1, 1, color);
  EXPECT_EQ(color, Lime);
  DestroyIcon(icon);

  // A bitmap from memory the caller owns, with its own stride.
  std::vector<ARGB> pixels(6, Red);
  pixels[4] = Lime;
  TGPBitmap scan0(3, 2, 12, gdip::PixelFormat32bppARGB, reinterpret_cast<Byte*>(pixels.data()));
  scan0.GetPixel(1, 1, color);
  EXPECT_EQ(color, Lime);
  TGPBitmap target(2, 2);
  TGPGraphics g(&target);
  TGPBitmap compatible(5, 3, &g);
  EXPECT_EQ(compatible.GetLastStatus(), Ok);
  EXPECT_EQ(compatible.GetWidth(), 5u);
}

TEST_F(ImagesTest, ImageAttributesPassTheirFlagsAndValues) {
  TGPImageAttributes attributes;
  ASSERT_EQ(attributes.GetLastStatus(), Ok);
  ColorMatrix grey{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) grey.m[i][j] = 1.0f / 3;
  grey.m[3][3] = grey.m[4][4] = 1;
  EXPECT_EQ(attributes.SetColorMatrix(grey), Ok);
  EXPECT_EQ(attributes.ClearColorMatrix(), Ok);
  EXPECT_EQ(attributes.SetColorMatrices(grey, grey, ColorMatrixFlagsAltGray), Ok);
  EXPECT_EQ(attributes.ClearColorMatrices(), Ok);
  EXPECT_EQ(attributes.SetThreshold(0.5f), Ok);
  EXPECT_EQ(attributes.ClearThreshold(), Ok);
  EXPECT_EQ(attributes.SetGamma(2.2f), Ok);
  EXPECT_EQ(attributes.ClearGamma(), Ok);
  EXPECT_EQ(attributes.SetNoOp(), Ok);
  EXPECT_EQ(attributes.ClearNoOp(), Ok);
  EXPECT_EQ(attributes.SetColorKey(Red, Red), Ok);
  EXPECT_EQ(attributes.ClearColorKey(), Ok);
  const ColorMap map[1] = {{Red, Lime}};
  EXPECT_EQ(attributes.SetRemapTable(1, map), Ok);
  EXPECT_EQ(attributes.ClearRemapTable(), Ok);
  EXPECT_EQ(attributes.SetBrushRemapTable(1, map), Ok);
  EXPECT_EQ(attributes.ClearBrushRemapTable(), Ok);
  EXPECT_EQ(attributes.SetWrapMode(WrapModeClamp, Red, true), Ok);
  EXPECT_EQ(attributes.SetToIdentity(), Ok);
  EXPECT_EQ(attributes.Reset(), Ok);
  std::unique_ptr<TGPImageAttributes> clone(attributes.Clone());
  EXPECT_EQ(clone->GetLastStatus(), Ok);
  EXPECT_NE(clone->nativeImageAttr, nullptr);

  // The output channel pair: Set passes enable as all bits and its flags, Clear passes false
  // and ColorChannelFlagsLast.
  const gdip::TGdipSetImageAttributesOutputChannel real = GdiplusProcs.GdipSetImageAttributesOutputChannel;
  GdiplusProcs.GdipSetImageAttributesOutputChannel = &RecordOutputChannel;
  EXPECT_EQ(attributes.SetOutputChannel(ColorChannelFlagsM), Ok);
  EXPECT_EQ(gChannelCall.Enable, -1);
  EXPECT_EQ(gChannelCall.Flags, ColorChannelFlagsM);
  EXPECT_EQ(attributes.ClearOutputChannel(), Ok);
  EXPECT_EQ(gChannelCall.Enable, 0);
  EXPECT_EQ(gChannelCall.Flags, ColorChannelFlagsLast);
  GdiplusProcs.GdipSetImageAttributesOutputChannel = real;

  TGPImageAttributes failing(nullptr, Ok);
  RunProtocolRows<TGPImageAttributes>(
      failing, {{"SetGamma", [](TGPImageAttributes& A) { return A.SetGamma(1); }, InvalidParameter},
                {"ClearOutputChannel", [](TGPImageAttributes& A) { return A.ClearOutputChannel(); }, InvalidParameter}});
  std::unique_ptr<TGPImageAttributes> failedClone(failing.Clone());
  EXPECT_EQ(failedClone->nativeImageAttr, nullptr);
}
