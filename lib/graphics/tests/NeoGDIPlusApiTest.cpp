// The run-time binding of "gdiplus.dll": the table, start-up, the call protocol of the wrappers,
// the allocation base, path data and the makers; GDI+ over the class library's canvases.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "lib/graphics/NeoGDIPlusApi.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Units.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/Headless.h"
#include "platform/win/ObjIdl.h"

namespace NeoGDIPlusApi {

namespace {

std::set<std::string> NilSlots() {
  std::set<std::string> nil;
  for (int slot = 0; slot < GdiplusProcCount; ++slot)
    if (!GdiplusProcAt(slot)) nil.insert(GdiplusProcName(slot));
  return nil;
}

// The table bound and GDI+ started as the program's units do it.
class NeoGDIPlusApiTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterGdiplusModule();
    BindGdiplus();
    ASSERT_NE(GdiplusModule, nullptr);
    NeoGDIPlusClasses::StartupGdiplus();
  }
  void TearDown() override {
    NeoGDIPlusClasses::ShutdownGdiplus();
    UnbindGdiplus();
  }
};

// A wrapper of the protocol's shape: a pen.
class TTestPen : public TGdiplusBase {
public:
  TTestPen(ARGB AColor, Single AWidth) { TProtocol::Create(nativePen, lastResult, GdiplusProcs.GdipCreatePen1, AColor, AWidth, UnitPixel); }
  ~TTestPen() override { TProtocol::Call(GdiplusProcs.GdipDeletePen, nativePen); }
  Status SetWidth(Single AWidth) { return TProtocol::Run(lastResult, GdiplusProcs.GdipSetPenWidth, nativePen, AWidth); }
  Single GetWidth() { return TProtocol::Get<gdip::REAL>(lastResult, 0.0f, GdiplusProcs.GdipGetPenWidth, nativePen); }
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpPen* nativePen;
  Status lastResult;
  Integer Untouched;   // set by no constructor: zero from the allocation base
};

}  // namespace

TEST_F(NeoGDIPlusApiTest, TableInSlotOrderWithOnlyTheUnprovidedNamesNil) {
  EXPECT_STREQ(GdiplusProcName(0), "GdipAlloc");
  EXPECT_STREQ(GdiplusProcName(3), "GdiplusShutdown");
  EXPECT_STREQ(GdiplusProcName(4), "GdipCreatePath");
  EXPECT_STREQ(GdiplusProcName(235), "GdipSetPenLineCap197819");
  EXPECT_STREQ(GdiplusProcName(593), "GdipEmfToWmfBits");
  EXPECT_EQ(GdiplusProcName(594), nullptr);
  EXPECT_EQ(GdiplusProcAt(235), reinterpret_cast<void*>(GdiplusProcs.GdipSetPenLineCap197819));
  // Of the twelve names libgdiplus lacks, the bridge provides those the wrappers call.
  EXPECT_EQ(NilSlots(), (std::set<std::string>{"GdipCreateMetafileFromWmfFile", "GdipCreateStreamOnFile",
                                               "GdipEmfToWmfBits", "GdipFontCollectionEnumerable",
                                               "GdipFontCollectionEnumerate", "GdipPathIterIsValid"}));
  EXPECT_NE(NeoGDIPlusClasses::GdiplusToken, 0u);
}

TEST_F(NeoGDIPlusApiTest, WithoutTheLibraryNothingIsBoundOrStarted) {
  NeoGDIPlusClasses::ShutdownGdiplus();
  UnbindGdiplus();
  EXPECT_EQ(GdiplusModule, nullptr);
  EXPECT_EQ(NilSlots().size(), static_cast<std::size_t>(GdiplusProcCount));

  SetModuleMissing(u"gdiplus.dll", true);
  BindGdiplus();
  EXPECT_EQ(GdiplusModule, nullptr);
  EXPECT_EQ(NilSlots().size(), static_cast<std::size_t>(GdiplusProcCount));
  NeoGDIPlusClasses::GdiplusToken = 0;
  NeoGDIPlusClasses::StartupGdiplus();
  EXPECT_EQ(NeoGDIPlusClasses::GdiplusToken, 0u);
  NeoGDIPlusClasses::ShutdownGdiplus();
  UnbindGdiplus();
  // A wrapper still gets an object and a status, never a call through a nil entry.
  TTestPen pen(0xFF000000, 2);
  EXPECT_EQ(pen.nativePen, nullptr);
  EXPECT_EQ(pen.GetLastStatus(), GdiplusNotInitialized);
  EXPECT_EQ(pen.GetWidth(), 0.0f);
  SetModuleMissing(u"gdiplus.dll", false);

  // A hidden export: only its slot is nil, and its wrapper answers NotImplemented.
  SetExportMissing(u"gdiplus.dll", "GdipCreatePen1", true);
  BindGdiplus();
  SetExportMissing(u"gdiplus.dll", "GdipCreatePen1", false);
  EXPECT_EQ(NilSlots().count("GdipCreatePen1"), 1u);
  EXPECT_EQ(NilSlots().size(), 7u);
  NeoGDIPlusClasses::StartupGdiplus();
  TTestPen hidden(0xFF000000, 2);
  EXPECT_EQ(hidden.nativePen, nullptr);
  EXPECT_EQ(hidden.GetLastStatus(), NotImplemented);
}

TEST_F(NeoGDIPlusApiTest, ProtocolKeepsTheLatestFailureUntilRead) {
  auto* pen = new TTestPen(0xFF102030, 3);
  ASSERT_NE(pen->nativePen, nullptr);
  EXPECT_EQ(pen->Untouched, 0);
  EXPECT_EQ(pen->GetLastStatus(), Ok);
  EXPECT_EQ(pen->GetWidth(), 3.0f);
  gdip::GpPen* native = pen->nativePen;
  pen->nativePen = nullptr;
  EXPECT_EQ(pen->SetWidth(5), InvalidParameter);
  EXPECT_EQ(pen->GetWidth(), 0.0f);   // the pre-set value of a failed getter
  pen->nativePen = native;
  EXPECT_EQ(pen->SetWidth(5), Ok);
  EXPECT_EQ(pen->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(pen->GetLastStatus(), Ok);
  EXPECT_EQ(pen->GetWidth(), 5.0f);
  delete pen;

  // Storage from an unbound table comes from the ordinary heap and goes back there.
  NeoGDIPlusClasses::ShutdownGdiplus();
  UnbindGdiplus();
  auto* orphan = new TTestPen(0, 1);
  EXPECT_EQ(orphan->Untouched, 0);
  BindGdiplus();
  NeoGDIPlusClasses::StartupGdiplus();
  delete orphan;
}

TEST_F(NeoGDIPlusApiTest, StartUpHoldersEndInEitherOrder) {
  for (bool tableEndsFirst : {true, false}) {
    SCOPED_TRACE(tableEndsFirst ? "table's holder ends first" : "other holder ends first");
    gdip::GdiplusStartupInput input;
    input.SuppressBackgroundThread = 1;
    gdip::GdiplusStartupOutput output;
    gdip::ULONG_PTR other = 0;
    ASSERT_EQ(GdiplusProcs.GdiplusStartup(&other, &input, &output), Ok);
    if (tableEndsFirst) NeoGDIPlusClasses::ShutdownGdiplus();
    else GdiplusProcs.GdiplusShutdown(other);
    void* memory = GdiplusProcs.GdipAlloc(16);
    EXPECT_NE(memory, nullptr);
    GdiplusProcs.GdipFree(memory);
    gdip::GpFontFamily* family = nullptr;
    EXPECT_EQ(GdiplusProcs.GdipCreateFontFamilyFromName(u"Arial", nullptr, &family), Ok);
    GdiplusProcs.GdipDeleteFontFamily(family);
    if (tableEndsFirst) GdiplusProcs.GdiplusShutdown(other);
    else NeoGDIPlusClasses::ShutdownGdiplus();
    gdip::GpPen* pen = nullptr;
    EXPECT_EQ(GdiplusProcs.GdipCreatePen1(0xFF000000, 1, UnitPixel, &pen), GdiplusNotInitialized);
    NeoGDIPlusClasses::StartupGdiplus();
  }
}

TEST_F(NeoGDIPlusApiTest, PathDataAndMakers) {
  delete new TPathData();   // no buffers: nothing to free
  gdip::GpPath* path = nullptr;
  ASSERT_EQ(GdiplusProcs.GdipCreatePath(FillModeAlternate, &path), Ok);
  GdiplusProcs.GdipAddPathLine(path, 1, 2, 3, 4);
  TPathData data;
  GdiplusProcs.GdipGetPointCount(path, &data.Count);
  ASSERT_EQ(data.Count, 2);
  data.Points = static_cast<PGPPointF>(std::malloc(sizeof(TGPPointF) * 2));
  data.Types = static_cast<Byte*>(std::malloc(2));
  ASSERT_EQ(GdiplusProcs.GdipGetPathData(path, data.Record()), Ok);
  EXPECT_EQ(data.Points[1].X, 3.0f);
  EXPECT_EQ(data.Points[1].Y, 4.0f);
  EXPECT_EQ(data.Types[0], gdip::PathPointTypeStart);
  GdiplusProcs.GdipDeletePath(path);

  EXPECT_EQ(PackARGB(255, 1, 2, 3), 0xFF010203u);
  EXPECT_EQ(PackARGB(0x80, 0xFF, 0, 0x10), 0x80FF0010u);
  TGPPointF p = GPPointFOf(1.5f, -2);
  EXPECT_EQ(p.X, 1.5f);
  EXPECT_EQ(p.Y, -2.0f);
  TGPRectF r = GPRectFOf(1, 2, 3, 4);
  EXPECT_EQ(r.X + r.Y + r.Width + r.Height, 10.0f);
  EXPECT_EQ(r.Width, 3.0f);
}

TEST(NeoGDIPlusApiUnits, BindingAndStartUpFollowTheLibraryBase) {
  RegisterNeoGDIPlusApiUnits();
  Integer api = -1, classes = -1, persistence = -1;
  for (Integer i = 0; i < Units().Count(); ++i) {
    if (Units().Names(i) == u"NeoGDIPlusApi") api = i;
    if (Units().Names(i) == u"NeoGDIPlusClasses") classes = i;
    if (Units().Names(i) == u"NeoPersistence") persistence = i;
  }
  EXPECT_GE(persistence, 0);
  EXPECT_GT(api, persistence);
  EXPECT_EQ(classes, api + 1);
}

// GDI+ through the table over the class library's canvases, and a saved image read back by the
// class library's PNG picture.
class NeoGDIPlusCanvasTest : public NeoGDIPlusApiTest {
protected:
  void SetUp() override {
    Headless::Use();
    NeoGDIPlusApiTest::SetUp();
  }
  void TearDown() override {
    NeoGDIPlusApiTest::TearDown();
    while (Screen->GetFormCount() > 0) delete Screen->GetForms(0);
    Headless::Reset();
  }

  // Fills an anti-aliased ellipse at (4, 4, 30, 20) in the DC.
  static void Ellipse(HDC ADC) {
    gdip::GpGraphics* g = nullptr;
    ASSERT_EQ(GdiplusProcs.GdipCreateFromHDC(ADC, &g), Ok);
    GdiplusProcs.GdipSetSmoothingMode(g, gdip::SmoothingModeAntiAlias);
    gdip::GpSolidFill* brush = nullptr;
    GdiplusProcs.GdipCreateSolidFill(PackARGB(255, 0, 0, 255), &brush);
    EXPECT_EQ(GdiplusProcs.GdipFillEllipse(g, brush, 4, 4, 30, 20), Ok);
    GdiplusProcs.GdipDeleteBrush(brush);
    EXPECT_EQ(GdiplusProcs.GdipDeleteGraphics(g), Ok);
  }
};

TEST_F(NeoGDIPlusCanvasTest, BitmapCanvasAndChildControl) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(40, 30);
  Ellipse(bitmap.GetCanvas()->GetHandle());
  auto* row = static_cast<std::uint32_t*>(bitmap.GetScanLine(14));
  EXPECT_EQ(row[19], 0xFF0000FFu);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(19, 14), clBlue);

  auto* form = new TForm(Application);
  form->SetBounds(50, 50, 200, 150);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(30, 20, 60, 40);
  form->Show();
  Application->ProcessMessages();
  HDC dc = GetDC(panel->GetHandle());
  Ellipse(dc);
  COLORREF inside = GetPixel(dc, 19, 14), outside = GetPixel(dc, 50, 35);
  ReleaseDC(panel->GetHandle(), dc);
  EXPECT_EQ(inside, RGB(0, 0, 255));
  EXPECT_NE(outside, RGB(0, 0, 255));
}

TEST_F(NeoGDIPlusCanvasTest, ImageSavedToAStreamReadsBackAsPng) {
  gdip::GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdiplusProcs.GdipCreateBitmapFromScan0(8, 6, 0, gdip::PixelFormat32bppARGB, nullptr, &bitmap), Ok);
  GdiplusProcs.GdipBitmapSetPixel(bitmap, 2, 3, PackARGB(255, 200, 10, 20));
  GdiplusProcs.GdipBitmapSetPixel(bitmap, 5, 1, PackARGB(0x80, 0, 255, 0));
  UINT count = 0, size = 0;
  GdiplusProcs.GdipGetImageEncodersSize(&count, &size);
  std::vector<std::uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<gdip::ImageCodecInfo*>(buffer.data());
  GdiplusProcs.GdipGetImageEncoders(count, size, codecs);
  const gdip::ImageCodecInfo* png = nullptr;
  for (UINT i = 0; i < count; ++i)
    if (String(codecs[i].MimeType) == u"image/png") png = &codecs[i];
  ASSERT_NE(png, nullptr);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, FALSE, &stream), S_OK);
  ASSERT_EQ(GdiplusProcs.GdipSaveImageToStream(bitmap, stream, &png->Clsid, nullptr), Ok);
  GdiplusProcs.GdipDisposeImage(bitmap);
  HGLOBAL global = nullptr;
  GetHGlobalFromStream(stream, &global);
  STATSTG stat;
  stream->Stat(&stat, STATFLAG_NONAME);
  stream->Release();
  TMemoryStream bytes;
  bytes.WriteBuffer(GlobalLock(global), static_cast<Integer>(stat.cbSize));
  GlobalUnlock(global);
  GlobalFree(global);
  bytes.SetPosition(0);
  TPngImage image;
  image.LoadFromStream(&bytes);
  EXPECT_EQ(image.GetWidth(), 8);
  EXPECT_EQ(image.GetPixels(2, 3), static_cast<TColor>(RGB(200, 10, 20)));
  EXPECT_EQ(image.GetAlpha(5, 1), 0x80);
  EXPECT_EQ(image.GetAlpha(0, 0), 0);
}

}  // namespace NeoGDIPlusApi
