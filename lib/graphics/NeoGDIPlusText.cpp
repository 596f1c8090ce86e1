// Font families, fonts, font collections and string formats over the bound GDI+ table.
#include "lib/graphics/NeoGDIPlusText.h"

#include <memory>
#include <new>

#include "lib/graphics/NeoGDIPlusClassesInternal.h"

namespace NeoGDIPlusClasses {

namespace {

// The unit's five generic objects, made on first request.
struct TGenericSingletons {
  TGPFontFamily* SansSerif = nullptr;
  TGPFontFamily* Serif = nullptr;
  TGPFontFamily* Monospace = nullptr;
  TGPStringFormat* Default = nullptr;
  TGPStringFormat* Typographic = nullptr;
};
TGenericSingletons gGeneric;

TGPFontFamily* GenericFamily(TGPFontFamily*& ASlot, gdip::TGdipGetGenericFontFamilySansSerif AEntry) {
  if (!ASlot) {
    ASlot = new TGPFontFamily();
    ASlot->lastResult = TP::Call(AEntry, &ASlot->nativeFamily);
  }
  return ASlot;
}

TGPStringFormat* GenericFormat(TGPStringFormat*& ASlot, gdip::TGdipStringFormatGetGenericDefault AEntry) {
  if (!ASlot) {
    gdip::GpStringFormat* format = nullptr;
    const Status status = TP::Call(AEntry, &format);
    ASlot = new TGPStringFormat(format, status);
  }
  return ASlot;
}

template <class T>
void FreeSingleton(T*& ASlot) {
  delete ASlot;
  ASlot = nullptr;
}

constexpr int FamilyNameLength = 32;   // LF_FACESIZE wide characters

}  // namespace

void FreeGenericSingletons() {
  FreeSingleton(gGeneric.SansSerif);
  FreeSingleton(gGeneric.Serif);
  FreeSingleton(gGeneric.Monospace);
  FreeSingleton(gGeneric.Default);
  FreeSingleton(gGeneric.Typographic);
}

// ---- TGPFontFamily ----

TGPFontFamily::TGPFontFamily() : nativeFamily(nullptr), lastResult(Ok) {}

TGPFontFamily::TGPFontFamily(const String& AName, TGPFontCollection* AFontCollection) {
  TP::Create(nativeFamily, lastResult, Gdip().GdipCreateFontFamilyFromName, AName.c_str(), Handle(AFontCollection));
}

TGPFontFamily::TGPFontFamily(gdip::GpFontFamily* ANativeOrig, Status AStatus)
    : nativeFamily(ANativeOrig), lastResult(AStatus) {}

TGPFontFamily::~TGPFontFamily() { TP::Call(Gdip().GdipDeleteFontFamily, nativeFamily); }

TGPFontFamily* TGPFontFamily::GenericSansSerif() {
  return GenericFamily(gGeneric.SansSerif, Gdip().GdipGetGenericFontFamilySansSerif);
}

TGPFontFamily* TGPFontFamily::GenericSerif() {
  return GenericFamily(gGeneric.Serif, Gdip().GdipGetGenericFontFamilySerif);
}

TGPFontFamily* TGPFontFamily::GenericMonospace() {
  return GenericFamily(gGeneric.Monospace, Gdip().GdipGetGenericFontFamilyMonospace);
}

Status TGPFontFamily::GetFamilyName(String& AName, gdip::LANGID ALanguage) {
  AName.clear();
  Char buffer[FamilyNameLength + 1] = {};
  const Status status = TP::Run(lastResult, Gdip().GdipGetFamilyName, nativeFamily, buffer, ALanguage);
  // The buffer starts cleared, so a failure leaves no stale text behind either.
  if (status == Ok) AName = String(buffer, std::char_traits<Char>::length(buffer));
  return status;
}

TGPFontFamily* TGPFontFamily::Clone() {
  gdip::GpFontFamily* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneFontFamily, nativeFamily, &copy);
  return new TGPFontFamily(copy, lastResult);
}

bool TGPFontFamily::IsStyleAvailable(Integer AStyle) {
  return GetBool(lastResult, Gdip().GdipIsStyleAvailable, nativeFamily, AStyle);
}

UINT16 TGPFontFamily::GetEmHeight(Integer AStyle) {
  return TP::Get<UINT16>(lastResult, 0, Gdip().GdipGetEmHeight, nativeFamily, AStyle);
}

UINT16 TGPFontFamily::GetCellAscent(Integer AStyle) {
  return TP::Get<UINT16>(lastResult, 0, Gdip().GdipGetCellAscent, nativeFamily, AStyle);
}

UINT16 TGPFontFamily::GetCellDescent(Integer AStyle) {
  return TP::Get<UINT16>(lastResult, 0, Gdip().GdipGetCellDescent, nativeFamily, AStyle);
}

UINT16 TGPFontFamily::GetLineSpacing(Integer AStyle) {
  return TP::Get<UINT16>(lastResult, 0, Gdip().GdipGetLineSpacing, nativeFamily, AStyle);
}

// ---- TGPFont ----

void TGPFont::CreateFromDC(HDC ADC) { TP::Create(nativeFont, lastResult, Gdip().GdipCreateFontFromDC, ADC); }

TGPFont::TGPFont(HDC ADC) { CreateFromDC(ADC); }

TGPFont::TGPFont(HDC ADC, const LOGFONTA* ALogFont) {
  if (ALogFont) TP::Create(nativeFont, lastResult, Gdip().GdipCreateFontFromLogfontA, ADC, ALogFont);
  else CreateFromDC(ADC);
}

TGPFont::TGPFont(HDC ADC, const LOGFONTW* ALogFont) {
  if (ALogFont) TP::Create(nativeFont, lastResult, Gdip().GdipCreateFontFromLogfontW, ADC, ALogFont);
  else CreateFromDC(ADC);
}

TGPFont::TGPFont(HDC ADC, HFONT AFont) {
  LOGFONTA logFont{};
  if (AFont && GetObject(AFont, sizeof(LOGFONTA), &logFont) != 0)
    TP::Create(nativeFont, lastResult, Gdip().GdipCreateFontFromLogfontA, ADC, &logFont);
  else CreateFromDC(ADC);
}

TGPFont::TGPFont(TGPFontFamily* AFamily, Single AEmSize, Integer AStyle, Unit_ AUnit) {
  TP::Create(nativeFont, lastResult, Gdip().GdipCreateFont, Handle(AFamily), AEmSize, AStyle, AUnit);
}

TGPFont::TGPFont(const String& AFamilyName, Single AEmSize, Integer AStyle, Unit_ AUnit,
                 TGPFontCollection* AFontCollection) {
  nativeFont = nullptr;
  std::unique_ptr<TGPFontFamily> named(new TGPFontFamily(AFamilyName, AFontCollection));
  gdip::GpFontFamily* family = named->nativeFamily;
  lastResult = named->GetLastStatus();
  if (lastResult != Ok) {
    TGPFontFamily* generic = TGPFontFamily::GenericSansSerif();
    family = generic->nativeFamily;
    lastResult = generic->lastResult;
    if (lastResult != Ok) return;
  }
  lastResult = TP::Call(Gdip().GdipCreateFont, family, AEmSize, AStyle, AUnit, &nativeFont);
  if (lastResult != Ok) {
    TGPFontFamily* generic = TGPFontFamily::GenericSansSerif();
    lastResult = generic->lastResult;
    if (lastResult == Ok)
      lastResult = TP::Call(Gdip().GdipCreateFont, generic->nativeFamily, AEmSize, AStyle, AUnit, &nativeFont);
  }
}

TGPFont::TGPFont(gdip::GpFont* AFont, Status AStatus) : nativeFont(AFont), lastResult(AStatus) {}

TGPFont::~TGPFont() { TP::Call(Gdip().GdipDeleteFont, nativeFont); }

Status TGPFont::GetLogFontA(TGPGraphics* AG, LOGFONTA& ALogFontA) {
  ALogFontA.lfHeight = 0;
  return TP::Run(lastResult, Gdip().GdipGetLogFontA, nativeFont, Handle(AG), &ALogFontA);
}

Status TGPFont::GetLogFontW(TGPGraphics* AG, LOGFONTW& ALogFontW) {
  ALogFontW.lfHeight = 0;
  return TP::Run(lastResult, Gdip().GdipGetLogFontW, nativeFont, Handle(AG), &ALogFontW);
}

TGPFont* TGPFont::Clone() {
  gdip::GpFont* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneFont, nativeFont, &copy);
  return new TGPFont(copy, lastResult);
}

Integer TGPFont::GetStyle() { return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetFontStyle, nativeFont); }

Single TGPFont::GetSize() { return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetFontSize, nativeFont); }

Unit_ TGPFont::GetUnit() { return TP::Get(lastResult, UnitWorld, Gdip().GdipGetFontUnit, nativeFont); }

Single TGPFont::GetHeight(TGPGraphics* AGraphics) {
  return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetFontHeight, nativeFont, Handle(AGraphics));
}

Single TGPFont::GetHeight(Single ADpi) {
  return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetFontHeightGivenDPI, nativeFont, ADpi);
}

Status TGPFont::GetFamily(TGPFontFamily* AFamily) {
  if (!AFamily) return TP::SetStatus(lastResult, InvalidParameter);
  gdip::GpFontFamily* family = nullptr;
  const Status status = TP::Call(Gdip().GdipGetFamily, nativeFont, &family);
  if (status == Ok) {
    TP::Call(Gdip().GdipDeleteFontFamily, AFamily->nativeFamily);
    AFamily->nativeFamily = family;
  }
  TP::SetStatus(AFamily->lastResult, status);
  return TP::SetStatus(lastResult, status);
}

// ---- TGPFontCollection ----

Integer TGPFontCollection::GetFamilyCount() {
  gdip::INT count = 0;
  lastResult = TP::Call(Gdip().GdipGetFontCollectionFamilyCount, nativeFontCollection, &count);
  return lastResult == Ok ? count : 0;
}

Status TGPFontCollection::GetFamilies(Integer ANumSought, TGPFontFamily* const* AFamilies, Integer& ANumFound) {
  if (ANumSought < 1 || !AFamilies) return lastResult = InvalidParameter;
  ANumFound = 0;
  std::unique_ptr<gdip::GpFontFamily*[]> room(new (std::nothrow) gdip::GpFontFamily*[ANumSought]());
  if (!room) return lastResult = OutOfMemory;
  lastResult = TP::Call(Gdip().GdipGetFontCollectionFamilyList, nativeFontCollection, ANumSought, room.get(),
                        &ANumFound);
  if (lastResult == Ok)
    for (Integer i = 0; i < ANumFound; ++i) {
      gdip::GpFontFamily* copy = nullptr;
      TP::Call(Gdip().GdipCloneFontFamily, room[i], &copy);
      TP::Call(Gdip().GdipDeleteFontFamily, AFamilies[i]->nativeFamily);
      AFamilies[i]->nativeFamily = copy;
    }
  return lastResult;
}

// ---- TGPStringFormat ----

TGPStringFormat::TGPStringFormat(Integer AFormatFlags, gdip::LANGID ALanguage) {
  TP::Create(nativeFormat, lastError, Gdip().GdipCreateStringFormat, AFormatFlags, ALanguage);
}

TGPStringFormat::TGPStringFormat(TGPStringFormat* AFormat) {
  TP::Create(nativeFormat, lastError, Gdip().GdipCloneStringFormat, Handle(AFormat));
}

TGPStringFormat::TGPStringFormat(gdip::GpStringFormat* AClonedStringFormat, Status AStatus)
    : nativeFormat(AClonedStringFormat), lastError(AStatus) {}

TGPStringFormat::~TGPStringFormat() { TP::Call(Gdip().GdipDeleteStringFormat, nativeFormat); }

TGPStringFormat* TGPStringFormat::GenericDefault() {
  return GenericFormat(gGeneric.Default, Gdip().GdipStringFormatGetGenericDefault);
}

TGPStringFormat* TGPStringFormat::GenericTypographic() {
  return GenericFormat(gGeneric.Typographic, Gdip().GdipStringFormatGetGenericTypographic);
}

TGPStringFormat* TGPStringFormat::Clone() {
  gdip::GpStringFormat* copy = nullptr;
  lastError = TP::Call(Gdip().GdipCloneStringFormat, nativeFormat, &copy);
  return lastError == Ok ? new TGPStringFormat(copy, lastError) : nullptr;
}

Status TGPStringFormat::SetFormatFlags(Integer AFlags) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatFlags, nativeFormat, AFlags);
}

Integer TGPStringFormat::GetFormatFlags() {
  return TP::Get<gdip::INT>(lastError, 0, Gdip().GdipGetStringFormatFlags, nativeFormat);
}

Status TGPStringFormat::SetAlignment(StringAlignment AAlign) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatAlign, nativeFormat, AAlign);
}

StringAlignment TGPStringFormat::GetAlignment() {
  return TP::Get(lastError, StringAlignmentNear, Gdip().GdipGetStringFormatAlign, nativeFormat);
}

Status TGPStringFormat::SetLineAlignment(StringAlignment AAlign) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatLineAlign, nativeFormat, AAlign);
}

StringAlignment TGPStringFormat::GetLineAlignment() {
  return TP::Get(lastError, StringAlignmentNear, Gdip().GdipGetStringFormatLineAlign, nativeFormat);
}

Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix AHotkeyPrefix) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatHotkeyPrefix, nativeFormat, static_cast<gdip::INT>(AHotkeyPrefix));
}

HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() {
  return static_cast<HotkeyPrefix>(
      TP::Get<gdip::INT>(lastError, HotkeyPrefixNone, Gdip().GdipGetStringFormatHotkeyPrefix, nativeFormat));
}

Status TGPStringFormat::SetTabStops(Single AFirstTabOffset, Integer ACount, const Single* ATabStops) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatTabStops, nativeFormat, AFirstTabOffset, ACount, ATabStops);
}

Integer TGPStringFormat::GetTabStopCount() {
  return TP::Get<gdip::INT>(lastError, 0, Gdip().GdipGetStringFormatTabStopCount, nativeFormat);
}

Status TGPStringFormat::GetTabStops(Integer ACount, Single* AFirstTabOffset, Single* ATabStops) {
  return TP::Run(lastError, Gdip().GdipGetStringFormatTabStops, nativeFormat, ACount, AFirstTabOffset, ATabStops);
}

Status TGPStringFormat::SetDigitSubstitution(gdip::LANGID ALanguage, StringDigitSubstitute ASubstitute) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatDigitSubstitution, nativeFormat, ALanguage, ASubstitute);
}

gdip::LANGID TGPStringFormat::GetDigitSubstitutionLanguage() {
  gdip::LANGID language = 0;
  TP::Run(lastError, Gdip().GdipGetStringFormatDigitSubstitution, nativeFormat, &language, nullptr);
  return language;
}

StringDigitSubstitute TGPStringFormat::GetDigitSubstitutionMethod() {
  StringDigitSubstitute method = StringDigitSubstituteUser;
  TP::Run(lastError, Gdip().GdipGetStringFormatDigitSubstitution, nativeFormat, nullptr, &method);
  return method;
}

Status TGPStringFormat::SetTrimming(StringTrimming ATrimming) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatTrimming, nativeFormat, ATrimming);
}

StringTrimming TGPStringFormat::GetTrimming() {
  return TP::Get(lastError, StringTrimmingNone, Gdip().GdipGetStringFormatTrimming, nativeFormat);
}

Status TGPStringFormat::SetMeasurableCharacterRanges(Integer ARangeCount, const TCharacterRange* ARanges) {
  return TP::Run(lastError, Gdip().GdipSetStringFormatMeasurableCharacterRanges, nativeFormat, ARangeCount, ARanges);
}

Integer TGPStringFormat::GetMeasurableCharacterRangeCount() {
  return TP::Get<gdip::INT>(lastError, 0, Gdip().GdipGetStringFormatMeasurableCharacterRangeCount, nativeFormat);
}

}  // namespace NeoGDIPlusClasses
