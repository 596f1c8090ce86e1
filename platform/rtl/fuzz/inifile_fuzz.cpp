// libFuzzer target: INI files over arbitrary input (see README.md beside this file).
//
// The first byte picks the route. Route 0: the rest is a file's bytes (BOM or ANSI); what
// TMemIniFile reads must come back line for line after UpdateFile and reading the file again.
// Route 1: the rest, as UTF-16 code units split at U+0000, is a section, an entry name and a
// value for WriteString; a refusal must be EIniFileException and leave the file's lines as they
// were, an accepted entry must read back at once and, trimmed as the format trims, after the file
// is written and read again. Only Exception descendants may leave a call.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/fuzz/FuzzSupport.h"

namespace {

using fuzz::Finding;

const String& ScratchFile() {
  static const String name = fuzz::ScratchFile("inifile-fuzz") + u".ini";
  return name;
}

std::vector<String> Lines(TMemIniFile& AIni) {
  TStringList lines;
  AIni.GetStrings(&lines);
  return lines.ToStringArray();
}

// The lines of the file after writing it and reading it again.
std::vector<String> Reread(TMemIniFile& AIni) {
  AIni.UpdateFile();
  TMemIniFile again(ScratchFile());
  return Lines(again);
}

void FromFile(const std::uint8_t* AData, std::size_t ASize) {
  if (!WriteFileAtomically(ScratchFile(), std::string_view(reinterpret_cast<const char*>(AData), ASize))) return;
  TMemIniFile ini(ScratchFile());
  if (Reread(ini) != Lines(ini)) Finding("the lines read changed after UpdateFile and a new read");
}

void FromWrite(const String& AText) {
  const auto parts = fuzz::Fields(AText, 0, 3);
  const String& section = parts[0];
  const String& ident = parts[1];
  const String& value = parts[2];
  static const std::string seed = "[Main]\r\nName=Value\r\nBare\r\n\r\n[Other]\r\nx = 1 \r\n";
  if (!WriteFileAtomically(ScratchFile(), seed)) return;
  TMemIniFile ini(ScratchFile());
  const auto before = Lines(ini);
  try {
    ini.WriteString(section, ident, value);
  } catch (EIniFileException&) {
    if (Lines(ini) != before) Finding("a refused write changed the file's lines");
    return;
  }
  if (ini.ReadString(section, ident, u"\x1F") != value) Finding("a written value does not read back");
  // The lines written, read as a file's lines are (names and values trimmed).
  TStringList written;
  ini.GetStrings(&written);
  TMemIniFile expected{String()};
  expected.SetStrings(&written);
  if (Reread(ini) != Lines(expected)) Finding("the written lines changed after UpdateFile and a new read");
  TMemIniFile again(ScratchFile());
  if (again.ReadString(Trim(section), Trim(ident), u"\x1F") != Trim(value))
    Finding("a written value does not read back from the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  try {
    if (Data[0] % 2 == 0) FromFile(Data + 1, Size - 1);
    else FromWrite(fuzz::Utf16(Data + 1, Size - 1));
  } catch (Exception&) {
    // a refusal; anything else leaving a call is a finding
  }
  return 0;
}
