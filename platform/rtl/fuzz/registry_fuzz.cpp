// libFuzzer target: the registry store file over arbitrary bytes (see README.md beside this file).
//
// The input is the store file of HKEY_CURRENT_USER. Every key and value TRegistry reads from it
// (names, types, data) must stay as read after an unrelated change (a new key written beside
// them), after every value is written again with its own data, and when the file the store wrote
// is read by a second store. Only Exception descendants may leave a call.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rtl/Registry.h"
#include "platform/rtl/fuzz/FuzzSupport.h"

namespace {

using fuzz::Finding;

struct TEntry {
  String Path;   // from the root, "\"-separated
  String Name;
  TRegDataType Type = rdUnknown;
  String Data;   // text, or the number in decimal
  bool operator==(const TEntry&) const = default;
};

// The key the program writes beside what the file holds.
const String ProbeKey = u"Zelk Fuzz Probe";
constexpr std::size_t MaxRewrites = 64;

// Makes AFile the store and gives it ABytes. The file is removed and read as missing first, so the
// store reads the new bytes even when the new file's stamp equals the old one's.
void UseStore(const String& AFile, std::string_view ABytes) {
  setenv("ZELK_REGISTRY", UTF8Encode(AFile).c_str(), 1);
  unlink(UTF8Encode(AFile).c_str());
  TRegistry().KeyExists(u"\\" + ProbeKey);
  if (!WriteFileAtomically(AFile, ABytes)) Finding("the scratch store cannot be written");
}

void Collect(TRegistry& AReg, const String& APath, std::vector<TEntry>& AEntries) {
  if (!AReg.OpenKeyReadOnly(u"\\" + APath)) Finding("a listed key does not open", APath);
  TStringList names;
  AReg.GetValueNames(&names);
  for (Integer i = 0; i < names.GetCount(); ++i) {
    TEntry e{APath, names[i], AReg.GetDataType(names[i]), {}};
    e.Data = e.Type == rdInteger ? IntToStr(AReg.ReadInteger(e.Name)) : AReg.ReadString(e.Name);
    AEntries.push_back(std::move(e));
  }
  TStringList keys;
  AReg.GetKeyNames(&keys);
  for (Integer i = 0; i < keys.GetCount(); ++i) {
    if (APath.empty() && SameText(keys[i], ProbeKey)) continue;
    Collect(AReg, APath.empty() ? keys[i] : APath + u"\\" + keys[i], AEntries);
  }
}

std::vector<TEntry> Snapshot() {
  TRegistry reg(KEY_READ);
  std::vector<TEntry> entries;
  Collect(reg, String(), entries);
  return entries;
}

void Expect(const std::vector<TEntry>& ABefore, const std::vector<TEntry>& AAfter, const char* AWhen) {
  if (ABefore == AAfter) return;
  for (std::size_t i = 0; i < ABefore.size() && i < AAfter.size(); ++i)
    if (!(ABefore[i] == AAfter[i]))
      Finding(AWhen, ABefore[i].Path + u" | " + ABefore[i].Name + u" = " + ABefore[i].Data,
              AAfter[i].Path + u" | " + AAfter[i].Name + u" = " + AAfter[i].Data);
  Finding(AWhen, u"a different number of values");
}

// Writes each value again with the data it holds (the store then writes it itself).
void Rewrite(const std::vector<TEntry>& AEntries) {
  TRegistry reg;
  for (std::size_t i = 0; i < AEntries.size() && i < MaxRewrites; ++i) {
    const TEntry& e = AEntries[i];
    if (!reg.OpenKey(u"\\" + e.Path, false)) Finding("a read key does not open for writing", e.Path);
    try {
      switch (e.Type) {
        case rdInteger: reg.WriteInteger(e.Name, StrToInt(e.Data)); break;
        case rdExpandString: reg.WriteExpandString(e.Name, e.Data); break;
        default: reg.WriteString(e.Name, e.Data); break;
      }
    } catch (ERegistryException& ex) {
      Finding("a value read cannot be written again", e.Name, ex.Message);
    }
  }
}

std::string FileBytes(const String& AFile) {
  TMemoryStream bytes;
  bytes.LoadFromFile(AFile);
  return std::string(static_cast<const char*>(bytes.GetMemory()), static_cast<std::size_t>(bytes.GetSize()));
}

void Run(std::string_view ABytes) {
  const String first = fuzz::ScratchFile("registry-fuzz");
  UseStore(first, ABytes);
  const auto before = Snapshot();

  TRegistry probe;
  if (!probe.OpenKey(u"\\" + ProbeKey, true)) Finding("the probe key cannot be created");
  probe.WriteString(u"Value", u"probe");
  probe.CloseKey();
  Expect(before, Snapshot(), "a value changed when another key was written");

  Rewrite(before);
  Expect(before, Snapshot(), "a value changed when written again with its own data");

  UseStore(fuzz::ScratchFile("registry-fuzz-copy"), FileBytes(first));
  Expect(before, Snapshot(), "the file the store wrote reads back differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  try {
    Run(std::string_view(reinterpret_cast<const char*>(Data), Size));
  } catch (Exception&) {
    // a refusal; anything else leaving a call is a finding
  }
  return 0;
}
