// TNeoUtils: folders, shell opening, resources, numbers and the debug log.
#include <dlfcn.h>

#include <span>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Shell.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysInfo.h"

// ---------------------------------------------------------------------------------------------
// Folders

String TNeoUtils::GetTempPath() { return ::GetTempPath(); }

String TNeoUtils::GetAppPath() { return ::GetProgramFolder(); }

String TNeoUtils::GetDocumentsPath() { return ::GetDocumentsFolder(); }

String TNeoUtils::AddBackslash(StringView S) {
  String out(S);
  if (!out.empty() && out.back() != u'\\') out += u'\\';
  return out;
}

String TNeoUtils::AddForwardslash(StringView S) {
  String out(S);
  if (!out.empty() && out.back() != u'/') out += u'/';
  return out;
}

// ---------------------------------------------------------------------------------------------
// Shell and module

void TNeoUtils::OpenFile(const String& FileName, TControl* Control) {
  (void)Control;   // the handler runs as a program of its own; no window owns it
  ShellOpen(FileName);
}

void TNeoUtils::OpenURL(const String& URL) { ShellOpen(URL); }

HINSTANCE TNeoUtils::GetHInstance() {
  // The program's own module: what resources are looked up in.
  static void* const instance = dlopen(nullptr, RTLD_LAZY);
  return instance;
}

std::unique_ptr<TResourceStream> TNeoUtils::GetResourceStream(const String& Name) {
  return GetResourceStream(Name, GetHInstance());
}

std::unique_ptr<TResourceStream> TNeoUtils::GetResourceStream(const String& Name, HINSTANCE Instance) {
  std::span<const Byte> data;
  if (Name.empty() || !FindResourceData(Name, RT_RCDATA, data)) return nullptr;
  return std::make_unique<TResourceStream>(Instance, Name, RT_RCDATA);
}

// ---------------------------------------------------------------------------------------------
// Numbers

String TNeoUtils::FormatBytesAsString(Int64 Size) {
  static constexpr const Char* Units[] = {u"Bytes", u"KB", u"MB", u"GB", u"TB"};
  static constexpr std::size_t LastUnit = std::size(Units) - 1;
  if (Size < 0) return String();
  Double value = static_cast<Double>(Size);
  std::size_t steps = 0;
  // The largest unit takes every larger value too ("2048.00 TB").
  while (value >= 1024 && steps < LastUnit) {
    value /= 1024;
    ++steps;
  }
  const String number = steps == 0 ? FloatToStr(value) : FormatFloat(u"0.00", value);
  return number + u" " + Units[steps];
}

Integer TNeoUtils::MulDivInt(Integer Number, Integer Numerator, Integer Denominator) {
  return MulDiv(Number, Numerator, Denominator);
}

Integer TNeoUtils::MulDivSingle(Single Denominator, Single Numerator, Single Number) {
  auto toInteger = [](Single V) {
    return static_cast<Integer>(EnsureRange(Round(V), Int64(INT32_MIN), Int64(INT32_MAX)));
  };
  return MulDivInt(toInteger(Number), toInteger(Numerator), toInteger(Denominator));
}

// ---------------------------------------------------------------------------------------------
// Debug log

void TNeoUtils::Log(const String& Text) { OutputDebugString(Text); }
