#include "platform/rtl/IniFiles.h"

#include <cerrno>
#include <cstring>
#include <unordered_map>
#include <vector>

// ---------------------------------------------------------------------------------------------
// TCustomIniFile: typed values over strings

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) {
  return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? u"1" : u"0");
}

namespace {

// The entry converted by Try, or Default when it is absent, empty or does not convert.
template <class T, class TryFn>
T ReadConverted(TCustomIniFile& ini, const String& section, const String& ident, T fallback, TryFn tryConvert) {
  const String text = ini.ReadString(section, ident, String());
  T value{};
  return !text.empty() && tryConvert(text, value) ? value : fallback;
}

}  // namespace

Double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, Double Default) {
  return ReadConverted<Double>(*this, Section, Ident, Default,
                               [](const String& s, Double& v) { return TryStrToFloat(s, v); });
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, Double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TCustomIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default) {
  return ReadConverted<TDateTime>(*this, Section, Ident, Default,
                                  [](const String& s, TDateTime& v) { return TryStrToDate(s, v); });
}

void TCustomIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default) {
  return ReadConverted<TDateTime>(*this, Section, Ident, Default,
                                  [](const String& s, TDateTime& v) { return TryStrToDateTime(s, v); });
}

void TCustomIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateTimeToStr(Value));
}

TDateTime TCustomIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default) {
  return ReadConverted<TDateTime>(*this, Section, Ident, Default,
                                  [](const String& s, TDateTime& v) { return TryStrToTime(s, v); });
}

void TCustomIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value) {
  WriteString(Section, Ident, TimeToStr(Value));
}

bool TCustomIniFile::SectionExists(const String& Section) {
  TStringList names;
  ReadSection(Section, &names);
  return names.GetCount() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
  TStringList names;
  ReadSection(Section, &names);
  return names.IndexOf(Ident) >= 0;
}

// ---------------------------------------------------------------------------------------------
// The sections in memory. Lookups go through hash indexes on the folded names, so large files
// load and answer in linear time.

namespace {

// The index key of a section or entry name: the file trims names and compares them without
// regard to case, so " Name " and "NAME" are one name.
String Fold(const String& s) { return AnsiUpperCase(Trim(s)); }

struct TIniEntry {
  String Name;
  String Value;
  bool HasValue;   // false for a line without '=' (kept as it stands)
};

struct TIniSection {
  String Name;
  std::vector<TIniEntry> Entries;
  std::unordered_map<String, std::size_t> Index;   // folded name -> first entry of that name

  const TIniEntry* Find(const String& name) const {
    auto it = Index.find(Fold(name));
    return it == Index.end() ? nullptr : &Entries[it->second];
  }
  void Add(TIniEntry entry) {
    Index.emplace(Fold(entry.Name), Entries.size());
    Entries.push_back(std::move(entry));
  }
  void Set(const String& name, const String& value) {
    auto it = Index.find(Fold(name));
    if (it != Index.end()) {
      Entries[it->second].Value = value;
      Entries[it->second].HasValue = true;
    } else {
      Add(TIniEntry{Trim(name), value, true});
    }
  }
  void Remove(const String& name) {
    auto it = Index.find(Fold(name));
    if (it == Index.end()) return;
    Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(it->second));
    Index.clear();
    for (std::size_t i = 0; i < Entries.size(); ++i) Index.emplace(Fold(Entries[i].Name), i);
  }
};

}  // namespace

struct TIniSections {
  std::vector<TIniSection> List;
  std::unordered_map<String, std::size_t> Index;

  TIniSection* Find(const String& name) {
    auto it = Index.find(Fold(name));
    return it == Index.end() ? nullptr : &List[it->second];
  }
  TIniSection& Get(const String& name) {
    if (auto* s = Find(name)) return *s;
    Index.emplace(Fold(name), List.size());
    List.push_back(TIniSection{Trim(name), {}, {}});
    return List.back();
  }
  void Remove(const String& name) {
    auto it = Index.find(Fold(name));
    if (it == Index.end()) return;
    List.erase(List.begin() + static_cast<std::ptrdiff_t>(it->second));
    Index.clear();
    for (std::size_t i = 0; i < List.size(); ++i) Index.emplace(Fold(List[i].Name), i);
  }
  void Clear() {
    List.clear();
    Index.clear();
  }

  // One line of a file; Current is the section being read (none before the first header).
  void ParseLine(StringView raw, TIniSection*& current) {
    const String line = Trim(raw);
    if (line.empty() || line[0] == u';') return;
    if (line.front() == u'[' && line.back() == u']') {
      current = &Get(Trim(StringView(line).substr(1, line.size() - 2)));
      return;
    }
    if (!current) return;
    const auto eq = line.find(u'=');
    if (eq == String::npos) current->Add(TIniEntry{line, String(), false});
    else current->Add(TIniEntry{Trim(StringView(line).substr(0, eq)), Trim(StringView(line).substr(eq + 1)), true});
  }

  void Parse(StringView text) {
    Clear();
    TIniSection* current = nullptr;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != u'\r' && text[i] != u'\n') continue;
      ParseLine(text.substr(start, i - start), current);
      if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }

  // The file's lines; Emit is called once per line.
  template <class EmitFn>
  void Lines(EmitFn emit) const {
    for (const auto& section : List) {
      emit(u"[" + section.Name + u"]");
      for (const auto& e : section.Entries) emit(e.HasValue ? e.Name + u"=" + e.Value : e.Name);
      emit(String());
    }
  }
};

// ---------------------------------------------------------------------------------------------
// TMemIniFile

TMemIniFile::TMemIniFile(const String& FileName, TEncoding* Encoding)
    : TCustomIniFile(FileName), FSections(std::make_unique<TIniSections>()), FEncoding(Encoding) {
  LoadFile();
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::LoadFile() {
  FStamp = GetFileStamp(FFileName);
  std::string bytes;
  if (FFileName.empty() || !FStamp.Exists || !ReadFileBytes(FFileName, bytes)) {
    FSections->Clear();
    return;
  }
  const auto* data = reinterpret_cast<const Byte*>(bytes.data());
  TEncoding* encoding = FEncoding;
  Integer bom = TEncoding::GetBufferEncoding(data, bytes.size(), encoding, TEncoding::ANSI());
  if (bom > 0 && !FEncoding) FEncoding = encoding;   // written back with the same BOM
  FSections->Parse(encoding->GetString(data + bom, bytes.size() - static_cast<std::size_t>(bom)));
}

bool TMemIniFile::FileChanged() const { return !(GetFileStamp(FFileName) == FStamp); }

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  const TIniSection* s = FSections->Find(Section);
  const TIniEntry* e = s ? s->Find(Ident) : nullptr;
  return e ? e->Value : Default;
}

namespace {
bool HasLineBreak(StringView S) { return S.find_first_of(u"\r\n") != StringView::npos; }

// Refuses what would read back as something else.
void CheckWritable(const String& Section, const String& Ident, const String& Value) {
  if (HasLineBreak(Section)) throw EIniFileException(u"Invalid section name '" + Section + u"'");
  const String name = Trim(Ident);
  if (HasLineBreak(Ident) || Ident.find(u'=') != String::npos || (!name.empty() && (name[0] == u';' || name[0] == u'[')))
    throw EIniFileException(u"Invalid entry name '" + Ident + u"'");
  if (HasLineBreak(Value)) throw EIniFileException(u"Invalid value for entry '" + Ident + u"'");
}
}  // namespace

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  CheckWritable(Section, Ident, Value);
  FSections->Get(Section).Set(Ident, Value);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const TIniSection* s = FSections->Find(Section))
    for (const auto& e : s->Entries) Strings->Add(e.Name);
  Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& s : FSections->List) Strings->Add(s.Name);
  Strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const TIniSection* s = FSections->Find(Section))
    for (const auto& e : s->Entries) Strings->Add(e.HasValue ? e.Name + u"=" + e.Value : e.Name);
  Strings->EndUpdate();
}

bool TMemIniFile::SectionExists(const String& Section) { return FSections->Find(Section) != nullptr; }

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) {
  const TIniSection* s = FSections->Find(Section);
  return s && s->Find(Ident);
}

void TMemIniFile::EraseSection(const String& Section) { FSections->Remove(Section); }

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
  if (TIniSection* s = FSections->Find(Section)) s->Remove(Ident);
}

namespace {
bool HasLoneSurrogate(StringView S) {
  for (std::size_t i = 0; i < S.size(); ++i) {
    const Char c = S[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] <= 0xDFFF) ++i;
    else if (c >= 0xD800 && c <= 0xDFFF) return true;
  }
  return false;
}
}  // namespace

void TMemIniFile::UpdateFile() {
  String text;
  FSections->Lines([&](const String& line) {
    text += line;
    text += u"\r\n";
  });
  TEncoding* encoding = FEncoding;
  TBytes bytes;
  if (!encoding) {
    // ANSI unless that would lose characters.
    AnsiString ansi = StringToAnsi(text);
    if (AnsiToString(ansi) == text) bytes.assign(ansi.begin(), ansi.end());
    else encoding = TEncoding::UTF8();
  }
  // UTF-8 has no form for a lone surrogate; UTF-16 keeps every code unit.
  if (encoding == TEncoding::UTF8() && HasLoneSurrogate(text)) encoding = TEncoding::Unicode();
  if (encoding) {
    bytes = encoding->GetPreamble();
    TBytes body = encoding->GetBytes(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
  }
  if (!WriteFileAtomically(FFileName, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
    throw EFCreateError(u"Cannot create file \"" + FFileName + u"\". " + UTF8ToString(std::strerror(errno)));
  FEncoding = encoding;
  FStamp = GetFileStamp(FFileName);
}

void TMemIniFile::Clear() { FSections->Clear(); }

void TMemIniFile::GetStrings(TStrings* List) {
  List->BeginUpdate();
  List->Clear();
  FSections->Lines([&](const String& line) { List->Add(line); });
  List->EndUpdate();
}

void TMemIniFile::SetStrings(TStrings* List) {
  FSections->Clear();
  TIniSection* current = nullptr;
  for (Integer i = 0; i < List->GetCount(); ++i) FSections->ParseLine(List->GetStrings(i), current);
}

void TMemIniFile::Rename(const String& FileName, bool Reload) {
  FFileName = FileName;
  if (Reload) LoadFile();
  else FStamp = TFileStamp();
}

// ---------------------------------------------------------------------------------------------
// TIniFile: the file is the truth; memory only caches it.

void TIniFile::Refresh() {
  if (FileChanged()) LoadFile();
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  Refresh();
  return TMemIniFile::ReadString(Section, Ident, Default);
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  Refresh();
  TMemIniFile::WriteString(Section, Ident, Value);
  TMemIniFile::UpdateFile();
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) {
  Refresh();
  TMemIniFile::ReadSection(Section, Strings);
}

void TIniFile::ReadSections(TStrings* Strings) {
  Refresh();
  TMemIniFile::ReadSections(Strings);
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  Refresh();
  TMemIniFile::ReadSectionValues(Section, Strings);
}

bool TIniFile::SectionExists(const String& Section) {
  Refresh();
  return TMemIniFile::SectionExists(Section);
}

bool TIniFile::ValueExists(const String& Section, const String& Ident) {
  Refresh();
  return TMemIniFile::ValueExists(Section, Ident);
}

void TIniFile::EraseSection(const String& Section) {
  Refresh();
  if (!TMemIniFile::SectionExists(Section)) return;
  TMemIniFile::EraseSection(Section);
  TMemIniFile::UpdateFile();
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
  Refresh();
  if (!TMemIniFile::ValueExists(Section, Ident)) return;
  TMemIniFile::DeleteKey(Section, Ident);
  TMemIniFile::UpdateFile();
}
