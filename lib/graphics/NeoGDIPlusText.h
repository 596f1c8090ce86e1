#pragma once
// NeoGDIPlusClasses text: font families (with the generic sans-serif, serif and monospace
// families), fonts, font collections and string formats (with the generic default and
// typographic formats), each a wrapper of one GDI+ object called through the bound table.
#include "lib/graphics/NeoGDIPlusApi.h"
#include "platform/win/WinGdi.h"

namespace NeoGDIPlusClasses {

using namespace NeoGDIPlusApi;

class TGPGraphics;
class TGPFontCollection;

class TGPFontFamily : public TGdiplusBase {
  ZELK_CLASS(TGPFontFamily, TGdiplusBase)
public:
  TGPFontFamily();
  // AFontCollection nil: the installed fonts.
  TGPFontFamily(const String& AName, TGPFontCollection* AFontCollection = nullptr);
  TGPFontFamily(gdip::GpFontFamily* ANativeOrig, Status AStatus);
  ~TGPFontFamily() override;
  TGPFontFamily(const TGPFontFamily&) = delete;
  TGPFontFamily& operator=(const TGPFontFamily&) = delete;

  // The same object at every call; it belongs to the unit.
  static TGPFontFamily* GenericSansSerif();
  static TGPFontFamily* GenericSerif();
  static TGPFontFamily* GenericMonospace();

  // AName is "" when the call fails.
  Status GetFamilyName(String& AName, gdip::LANGID ALanguage = 0);
  TGPFontFamily* Clone();
  bool IsAvailable() const { return nativeFamily != nullptr; }
  bool IsStyleAvailable(Integer AStyle);
  UINT16 GetEmHeight(Integer AStyle);
  UINT16 GetCellAscent(Integer AStyle);
  UINT16 GetCellDescent(Integer AStyle);
  UINT16 GetLineSpacing(Integer AStyle);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpFontFamily* nativeFamily = nullptr;
  Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase {
  ZELK_CLASS(TGPFont, TGdiplusBase)
public:
  explicit TGPFont(HDC ADC);
  TGPFont(HDC ADC, const LOGFONTA* ALogFont);
  TGPFont(HDC ADC, const LOGFONTW* ALogFont);
  TGPFont(HDC ADC, HFONT AFont);
  TGPFont(TGPFontFamily* AFamily, Single AEmSize, Integer AStyle = gdip::FontStyleRegular, Unit_ AUnit = UnitPoint);
  // A family of that name, or the generic sans-serif family when GDI+ does not find it.
  TGPFont(const String& AFamilyName, Single AEmSize, Integer AStyle = gdip::FontStyleRegular, Unit_ AUnit = UnitPoint,
          TGPFontCollection* AFontCollection = nullptr);
  TGPFont(gdip::GpFont* AFont, Status AStatus);
  ~TGPFont() override;
  TGPFont(const TGPFont&) = delete;
  TGPFont& operator=(const TGPFont&) = delete;

  Status GetLogFontA(TGPGraphics* AG, LOGFONTA& ALogFontA);
  Status GetLogFontW(TGPGraphics* AG, LOGFONTW& ALogFontW);
  TGPFont* Clone();
  bool IsAvailable() const { return nativeFont != nullptr; }
  Integer GetStyle();
  Single GetSize();
  Unit_ GetUnit();
  Single GetHeight(TGPGraphics* AGraphics);
  Single GetHeight(Single ADpi);
  // Replaces AFamily's handle (deleting the one it held) by the font's family.
  Status GetFamily(TGPFontFamily* AFamily);
  // The status field, not reset.
  Status GetLastStatus() const { return lastResult; }

  gdip::GpFont* nativeFont = nullptr;
  Status lastResult = Ok;

private:
  void CreateFromDC(HDC ADC);
};

// Creates no native collection of its own; every status it receives is assigned.
class TGPFontCollection : public TGdiplusBase {
  ZELK_CLASS(TGPFontCollection, TGdiplusBase)
public:
  TGPFontCollection() = default;
  ~TGPFontCollection() override = default;
  TGPFontCollection(const TGPFontCollection&) = delete;
  TGPFontCollection& operator=(const TGPFontCollection&) = delete;

  Integer GetFamilyCount();
  // Each of the first ANumFound wrappers of AFamilies (live ones) gets a copy of a family, its
  // former handle deleted.
  Status GetFamilies(Integer ANumSought, TGPFontFamily* const* AFamilies, Integer& ANumFound);
  Status GetLastStatus() const { return lastResult; }

  gdip::GpFontCollection* nativeFontCollection = nullptr;
  Status lastResult = Ok;
};

class TGPStringFormat : public TGdiplusBase {
  ZELK_CLASS(TGPStringFormat, TGdiplusBase)
public:
  explicit TGPStringFormat(Integer AFormatFlags = 0, gdip::LANGID ALanguage = 0);
  explicit TGPStringFormat(TGPStringFormat* AFormat);
  TGPStringFormat(gdip::GpStringFormat* AClonedStringFormat, Status AStatus);
  ~TGPStringFormat() override;
  TGPStringFormat(const TGPStringFormat&) = delete;
  TGPStringFormat& operator=(const TGPStringFormat&) = delete;

  // The same object at every call; it belongs to the unit.
  static TGPStringFormat* GenericDefault();
  static TGPStringFormat* GenericTypographic();

  // Nil on failure; the status is assigned to lastError, Ok included.
  TGPStringFormat* Clone();
  Status SetFormatFlags(Integer AFlags);
  Integer GetFormatFlags();
  Status SetAlignment(StringAlignment AAlign);
  StringAlignment GetAlignment();
  Status SetLineAlignment(StringAlignment AAlign);
  StringAlignment GetLineAlignment();
  Status SetHotkeyPrefix(HotkeyPrefix AHotkeyPrefix);
  HotkeyPrefix GetHotkeyPrefix();
  Status SetTabStops(Single AFirstTabOffset, Integer ACount, const Single* ATabStops);
  Integer GetTabStopCount();
  Status GetTabStops(Integer ACount, Single* AFirstTabOffset, Single* ATabStops);
  Status SetDigitSubstitution(gdip::LANGID ALanguage, StringDigitSubstitute ASubstitute);
  gdip::LANGID GetDigitSubstitutionLanguage();
  StringDigitSubstitute GetDigitSubstitutionMethod();
  Status SetTrimming(StringTrimming ATrimming);
  StringTrimming GetTrimming();
  Status SetMeasurableCharacterRanges(Integer ARangeCount, const TCharacterRange* ARanges);
  Integer GetMeasurableCharacterRangeCount();
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastError); }

  gdip::GpStringFormat* nativeFormat = nullptr;
  Status lastError = Ok;
};

}  // namespace NeoGDIPlusClasses
