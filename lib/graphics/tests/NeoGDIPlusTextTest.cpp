// Font families, fonts, font collections and string formats against libgdiplus: the generic
// singletons, the font by name with its fallback, the status rules of each class.
#include <cstring>
#include <memory>

#include "lib/graphics/tests/GDIPlusClassesTestSupport.h"
#include "platform/rtl/Units.h"

namespace {

using TextTest = GDIPlusClassesTest;

String FamilyNameOf(TGPFont& AFont) {
  TGPFontFamily family;
  EXPECT_EQ(AFont.GetFamily(&family), Ok);
  String name;
  family.GetFamilyName(name);
  return name;
}

String NameOf(TGPFontFamily* AFamily) {
  String name;
  AFamily->GetFamilyName(name);
  return name;
}

}  // namespace

TEST_F(TextTest, GenericFamiliesAndFormatsAreSingletons) {
  TGPFontFamily* serif = TGPFontFamily::GenericSerif();
  EXPECT_EQ(TGPFontFamily::GenericSerif(), serif);
  EXPECT_EQ(TGPFontFamily::GenericSansSerif(), TGPFontFamily::GenericSansSerif());
  EXPECT_NE(TGPFontFamily::GenericMonospace(), serif);
  EXPECT_TRUE(serif->IsAvailable());
  EXPECT_EQ(serif->GetLastStatus(), Ok);
  EXPECT_FALSE(NameOf(serif).empty());
  EXPECT_NE(NameOf(serif), NameOf(TGPFontFamily::GenericMonospace()));

  TGPStringFormat* format = TGPStringFormat::GenericTypographic();
  EXPECT_EQ(TGPStringFormat::GenericTypographic(), format);
  EXPECT_NE(TGPStringFormat::GenericDefault(), format);
  EXPECT_EQ(TGPStringFormat::GenericDefault(), TGPStringFormat::GenericDefault());
  EXPECT_EQ(format->GetLastStatus(), Ok);
  EXPECT_NE(format->nativeFormat, nullptr);
  // Freed once by the unit's finalization, made again on the next request.
  FreeGenericSingletons();
  EXPECT_NE(TGPFontFamily::GenericSerif()->nativeFamily, nullptr);
}

TEST_F(TextTest, FamilyByNameMetricsAndProtocol) {
  TGPFontFamily family(u"DejaVu Sans");
  ASSERT_EQ(family.GetLastStatus(), Ok);
  EXPECT_EQ(NameOf(&family), u"DejaVu Sans");
  EXPECT_TRUE(family.IsStyleAvailable(gdip::FontStyleBold));
  EXPECT_EQ(family.GetEmHeight(gdip::FontStyleRegular), 2048);
  EXPECT_GT(family.GetCellAscent(gdip::FontStyleRegular), 1500);
  EXPECT_GT(family.GetCellDescent(gdip::FontStyleRegular), 300);
  EXPECT_GT(family.GetLineSpacing(gdip::FontStyleRegular), family.GetCellAscent(gdip::FontStyleRegular));
  std::unique_ptr<TGPFontFamily> clone(family.Clone());
  EXPECT_EQ(NameOf(clone.get()), u"DejaVu Sans");

  TGPFontFamily unknown(u"No Such Family Anywhere");
  EXPECT_FALSE(unknown.IsAvailable());
  EXPECT_EQ(unknown.GetLastStatus(), FontFamilyNotFound);

  // A family without a handle: zeros, false, an empty name (the buffer starts cleared).
  TGPFontFamily empty;
  EXPECT_EQ(empty.GetLastStatus(), Ok);
  RunProtocolRows<TGPFontFamily>(
      empty,
      {{"GetEmHeight 0", [](TGPFontFamily& F) { return F.GetEmHeight(0) == 0 ? F.lastResult : Ok; }, InvalidParameter},
       {"GetLineSpacing 0", [](TGPFontFamily& F) { return F.GetLineSpacing(0) == 0 ? F.lastResult : Ok; },
        InvalidParameter},
       {"IsStyleAvailable false", [](TGPFontFamily& F) { return F.IsStyleAvailable(0) ? Ok : F.lastResult; },
        InvalidParameter},
       {"GetFamilyName empty",
        [](TGPFontFamily& F) {
          String name = u"stale";
          const Status s = F.GetFamilyName(name);
          EXPECT_EQ(name, u"");
          return s;
        },
        InvalidParameter}});
  std::unique_ptr<TGPFontFamily> emptyClone(empty.Clone());
  EXPECT_EQ(emptyClone->nativeFamily, nullptr);
  EXPECT_EQ(emptyClone->GetLastStatus(), InvalidParameter);   // the source's field

  // A hidden export: its method answers NotImplemented, recorded, and its pre-set value.
  RebindWithout("GdipGetCellAscent");
  TGPFontFamily rebound(u"DejaVu Sans");
  RunProtocolRows<TGPFontFamily>(
      rebound, {{"GetCellAscent without its export",
                 [](TGPFontFamily& F) { return F.GetCellAscent(0) == 0 ? F.lastResult : Ok; }, NotImplemented},
                {"GetEmHeight", [](TGPFontFamily& F) { return F.GetEmHeight(0) == 2048 ? Ok : F.lastResult; }, Ok}});
}

TEST_F(TextTest, FontByNameFallsBackToSansSerif) {
  TGPFont unknown(u"No Such Family Anywhere", 12);
  EXPECT_TRUE(unknown.IsAvailable());
  EXPECT_EQ(unknown.GetLastStatus(), Ok);
  EXPECT_EQ(FamilyNameOf(unknown), NameOf(TGPFontFamily::GenericSansSerif()));

  TGPFont named(u"DejaVu Serif", 20, gdip::FontStyleBold, UnitPixel);
  EXPECT_EQ(named.GetLastStatus(), Ok);
  EXPECT_EQ(FamilyNameOf(named), u"DejaVu Serif");
  EXPECT_EQ(named.GetSize(), 20.0f);
  EXPECT_EQ(named.GetStyle(), gdip::FontStyleBold);
  EXPECT_EQ(named.GetUnit(), UnitPixel);
  EXPECT_GT(named.GetHeight(96.0f), 20.0f);
  TGPBitmap bitmap(4, 4);
  TGPGraphics g(&bitmap);
  LOGFONTW logFont{};
  logFont.lfHeight = 99;
  EXPECT_EQ(named.GetLogFontW(nullptr, logFont), InvalidParameter);   // libgdiplus needs the graphics
  EXPECT_EQ(logFont.lfHeight, 0);
  EXPECT_EQ(named.GetLogFontW(&g, logFont), Ok);
  EXPECT_EQ(String(logFont.lfFaceName), u"DejaVu Serif");
  std::unique_ptr<TGPFont> clone(named.Clone());
  EXPECT_EQ(clone->GetSize(), 20.0f);

  // From a family: that family's font; from a nil family, a failure and no handle.
  TGPFont fromFamily(TGPFontFamily::GenericMonospace(), 9);
  EXPECT_EQ(FamilyNameOf(fromFamily), NameOf(TGPFontFamily::GenericMonospace()));
  TGPFont noFamily(static_cast<TGPFontFamily*>(nullptr), 9);
  EXPECT_FALSE(noFamily.IsAvailable());
  EXPECT_EQ(noFamily.GetLastStatus(), InvalidParameter);
}

TEST_F(TextTest, FontKeepsItsFailureAndReplacesTheFamilyHandle) {
  TGPFont font(static_cast<TGPFontFamily*>(nullptr), 9);
  ASSERT_EQ(font.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(font.GetLastStatus(), InvalidParameter);   // not reset by reading
  EXPECT_EQ(font.GetSize(), 0.0f);
  EXPECT_EQ(font.GetHeight(nullptr), 0.0f);

  TGPFont good(u"DejaVu Sans", 10);
  EXPECT_EQ(good.GetFamily(nullptr), InvalidParameter);
  EXPECT_EQ(good.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(good.GetLastStatus(), InvalidParameter);
  // A family wrapper that holds a handle already gets the font's family; the old one is deleted.
  TGPFontFamily family(u"DejaVu Serif");
  gdip::GpFontFamily* before = family.nativeFamily;
  {
    TDeleteSpy<gdip::GpFontFamily> deletes(GdiplusProcs.GdipDeleteFontFamily);
    EXPECT_EQ(good.GetFamily(&family), Ok);
    EXPECT_TRUE(deletes.Saw(before));
  }
  EXPECT_EQ(NameOf(&family), u"DejaVu Sans");
  // A failing font records on both.
  TGPFontFamily untouched(u"DejaVu Serif");
  EXPECT_EQ(font.GetFamily(&untouched), InvalidParameter);
  EXPECT_EQ(untouched.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(NameOf(&untouched), u"DejaVu Serif");
}

TEST_F(TextTest, FontFromDeviceContextAndLogicalFonts) {
  HDC dc = CreateCompatibleDC(nullptr);
  LOGFONTA logA{};
  logA.lfHeight = -16;
  std::strcpy(logA.lfFaceName, "DejaVu Serif");
  HFONT hfont = CreateFontIndirectA(&logA);
  HGDIOBJ old = SelectObject(dc, hfont);

  TGPFont viaHandle(dc, hfont);
  EXPECT_EQ(viaHandle.GetLastStatus(), Ok);
  EXPECT_EQ(FamilyNameOf(viaHandle), u"DejaVu Serif");
  TGPFont viaDC(dc);
  EXPECT_EQ(viaDC.GetLastStatus(), Ok);
  EXPECT_EQ(FamilyNameOf(viaDC), u"DejaVu Serif");
  TGPFont viaLogA(dc, &logA);
  EXPECT_EQ(FamilyNameOf(viaLogA), u"DejaVu Serif");
  LOGFONTW logW{};
  logW.lfHeight = -16;
  std::u16string face = u"DejaVu Sans Mono";
  face.copy(logW.lfFaceName, face.size());
  TGPFont viaLogW(dc, &logW);
  EXPECT_EQ(FamilyNameOf(viaLogW), u"DejaVu Sans Mono");
  // No record, no handle: the DC's font.
  TGPFont noRecord(dc, static_cast<const LOGFONTW*>(nullptr));
  EXPECT_EQ(FamilyNameOf(noRecord), u"DejaVu Serif");
  TGPFont noHandle(dc, static_cast<HFONT>(nullptr));
  EXPECT_EQ(FamilyNameOf(noHandle), u"DejaVu Serif");
  TGPBitmap bitmap(4, 4);
  TGPGraphics g(&bitmap);
  LOGFONTA back{};
  EXPECT_EQ(viaHandle.GetLogFontA(&g, back), Ok);
  EXPECT_STREQ(back.lfFaceName, "DejaVu Serif");

  SelectObject(dc, old);
  DeleteObject(hfont);
  DeleteDC(dc);
}

TEST_F(TextTest, FontCollectionAssignsEveryStatus) {
  TGPFontCollection collection;
  EXPECT_EQ(collection.nativeFontCollection, nullptr);
  Integer found = 77;
  TGPFontFamily* none[1] = {nullptr};
  EXPECT_EQ(collection.GetFamilies(0, none, found), InvalidParameter);
  EXPECT_EQ(found, 77);
  EXPECT_EQ(collection.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(collection.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(collection.GetFamilyCount(), 0);
  EXPECT_NE(collection.GetLastStatus(), Ok);

  // Over the installed fonts (a collection GDI+ owns): Ok is assigned too.
  ASSERT_EQ(GdiplusProcs.GdipNewInstalledFontCollection(&collection.nativeFontCollection), Ok);
  const Integer count = collection.GetFamilyCount();
  EXPECT_GT(count, 2);
  EXPECT_EQ(collection.GetLastStatus(), Ok);
  EXPECT_EQ(collection.GetFamilies(1, nullptr, found), InvalidParameter);   // no list
  // Wrappers that hold families already get copies of the collection's; theirs are deleted.
  std::vector<std::unique_ptr<TGPFontFamily>> owned;
  std::vector<TGPFontFamily*> families;
  for (int i = 0; i < 2; ++i) {
    owned.emplace_back(new TGPFontFamily(u"DejaVu Sans"));
    families.push_back(owned.back().get());
  }
  gdip::GpFontFamily* before[2] = {families[0]->nativeFamily, families[1]->nativeFamily};
  {
    TDeleteSpy<gdip::GpFontFamily> deletes(GdiplusProcs.GdipDeleteFontFamily);
    EXPECT_EQ(collection.GetFamilies(2, families.data(), found), Ok);
    EXPECT_TRUE(deletes.Saw(before[0]));
    EXPECT_TRUE(deletes.Saw(before[1]));
  }
  EXPECT_EQ(found, 2);
  EXPECT_EQ(collection.GetLastStatus(), Ok);
  EXPECT_NE(NameOf(families[0]), NameOf(families[1]));
  collection.nativeFontCollection = nullptr;   // owned by GDI+
}

TEST_F(TextTest, StringFormatSettingsCloneAndProtocol) {
  TGPStringFormat format(gdip::StringFormatFlagsNoWrap, 0x0409);
  ASSERT_EQ(format.GetLastStatus(), Ok);
  EXPECT_EQ(format.GetFormatFlags(), gdip::StringFormatFlagsNoWrap);
  EXPECT_EQ(format.SetAlignment(StringAlignmentCenter), Ok);
  EXPECT_EQ(format.GetAlignment(), StringAlignmentCenter);
  EXPECT_EQ(format.SetLineAlignment(StringAlignmentFar), Ok);
  EXPECT_EQ(format.GetLineAlignment(), StringAlignmentFar);
  EXPECT_EQ(format.SetHotkeyPrefix(HotkeyPrefixShow), Ok);
  EXPECT_EQ(format.GetHotkeyPrefix(), HotkeyPrefixShow);
  EXPECT_EQ(format.SetTrimming(StringTrimmingEllipsisWord), Ok);
  EXPECT_EQ(format.GetTrimming(), StringTrimmingEllipsisWord);
  const Single stops[3] = {10, 20, 40};
  EXPECT_EQ(format.SetTabStops(5, 3, stops), Ok);
  EXPECT_EQ(format.GetTabStopCount(), 3);
  Single first = 0, back[3] = {};
  EXPECT_EQ(format.GetTabStops(3, &first, back), Ok);
  EXPECT_EQ(first, 5.0f);
  EXPECT_EQ(back[2], 40.0f);
  EXPECT_EQ(format.SetDigitSubstitution(0x0401, StringDigitSubstituteNational), Ok);
  EXPECT_EQ(format.GetDigitSubstitutionLanguage(), 0x0401);
  EXPECT_EQ(format.GetDigitSubstitutionMethod(), StringDigitSubstituteNational);
  const TCharacterRange ranges[2] = {{0, 2}, {3, 1}};
  EXPECT_EQ(format.SetMeasurableCharacterRanges(2, ranges), Ok);
  EXPECT_EQ(format.GetMeasurableCharacterRangeCount(), 2);

  std::unique_ptr<TGPStringFormat> clone(format.Clone());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetAlignment(), StringAlignmentCenter);
  TGPStringFormat copy(&format);
  EXPECT_EQ(copy.GetTrimming(), StringTrimmingEllipsisWord);

  // Clone assigns its status: a nil handle gives nil and the failure, a later success clears it.
  TGPStringFormat failing(static_cast<TGPStringFormat*>(nullptr));
  EXPECT_EQ(failing.nativeFormat, nullptr);
  RunProtocolRows<TGPStringFormat>(
      failing, {{"Clone nil", [](TGPStringFormat& F) { return F.Clone() == nullptr ? F.lastError : Ok; },
                 InvalidParameter},
                {"GetFormatFlags 0", [](TGPStringFormat& F) { return F.GetFormatFlags() == 0 ? F.lastError : Ok; },
                 InvalidParameter},
                {"SetAlignment", [](TGPStringFormat& F) { return F.SetAlignment(StringAlignmentFar); },
                 InvalidParameter}});
  EXPECT_EQ(format.SetTrimming(static_cast<StringTrimming>(99)), InvalidParameter);
  std::unique_ptr<TGPStringFormat> again(format.Clone());
  EXPECT_EQ(format.GetLastStatus(), Ok);
}

TEST(NeoGDIPlusClassesUnit, FinalizationFreesTheGenericObjectsBeforeShutdown) {
  Units().Clear();
  RegisterNeoGDIPlusApiUnits();
  InitializeUnits();
  TGPFontFamily* serif = TGPFontFamily::GenericSerif();
  EXPECT_NE(serif->nativeFamily, nullptr);
  EXPECT_NE(TGPStringFormat::GenericDefault()->nativeFormat, nullptr);
  FinalizeUnits();
  // Made anew after the unit ended: without GDI+, an object without a handle and the reason.
  TGPFontFamily* again = TGPFontFamily::GenericSerif();
  EXPECT_EQ(again->nativeFamily, nullptr);
  EXPECT_EQ(again->GetLastStatus(), GdiplusNotInitialized);
  EXPECT_EQ(TGPStringFormat::GenericDefault()->GetLastStatus(), GdiplusNotInitialized);
  FreeGenericSingletons();
  Units().Clear();
}
