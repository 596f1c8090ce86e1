#include "platform/ui/Filer.h"

#include <charconv>
#include <string>

namespace {

String Quote(const String& S) {
  String out = u"'";
  for (Char c : S) {
    out += c;
    if (c == u'\'') out += c;
  }
  return out + u"'";
}

String Unquote(const String& S) {
  if (S.size() < 2 || S.front() != u'\'' || S.back() != u'\'') throw EReadError(u"Invalid string value: " + S);
  String out;
  for (std::size_t i = 1; i + 1 < S.size(); ++i) {
    out += S[i];
    if (S[i] == u'\'') ++i;
  }
  return out;
}

String Trim(const String& S) {
  std::size_t b = S.find_first_not_of(u" \t\r"), e = S.find_last_not_of(u" \t\r");
  return b == String::npos ? String() : S.substr(b, e - b + 1);
}

Int64 ParseInteger(const String& S) {
  std::string ascii(S.begin(), S.end());
  Int64 v = 0;
  auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (ec != std::errc() || end != ascii.data() + ascii.size() || ascii.empty())
    throw EReadError(u"Invalid integer value: " + S);
  return v;
}

bool IsString(TTypeKind K) { return K == tkString || K == tkUString || K == tkLString || K == tkWString; }
bool IsNumber(TTypeKind K) { return K == tkInteger || K == tkInt64 || K == tkChar || K == tkWChar; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TWriter

void TWriter::WriteProperties(TPersistent* Instance) { WriteObject(Instance, String()); }

void TWriter::WriteObject(TObject* Instance, const String& Prefix) {
  for (PPropInfo p : GetPropList(Instance)) {
    if (!p->HasGetter || !IsStoredProp(Instance, p)) continue;
    const String name = Prefix + p->Name;
    if (IsNumber(p->Kind) || p->Kind == tkEnumeration || p->Kind == tkSet) {
      const Int64 v = GetOrdProp(Instance, p);
      if (p->HasDefault && v == p->Default) continue;
      String text = p->Kind == tkEnumeration ? GetEnumProp(Instance, p)
                    : p->Kind == tkSet       ? GetSetProp(Instance, p, true)
                                             : IntToStr(v);
      FLines.emplace_back(name, text);
    } else if (IsString(p->Kind)) {
      String v = GetStrProp(Instance, p);
      if (!v.empty()) FLines.emplace_back(name, Quote(v));
    } else if (p->Kind == tkFloat) {
      char buffer[64];
      auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, GetFloatProp(Instance, p));
      FLines.emplace_back(name, String(std::string_view(buffer, static_cast<std::size_t>(end - buffer)).begin(), std::string_view(buffer, static_cast<std::size_t>(end - buffer)).end()));
    } else if (p->Kind == tkClass) {
      TObject* object = GetObjectProp(Instance, p);
      // Owned persistent objects are written inside; components are references, not content.
      if (object && object->InheritsFrom(TPersistent::StaticClass()) && !object->InheritsFrom(TComponent::StaticClass()))
        WriteObject(object, name + u".");
    }
  }
  if (auto* persistent = dynamic_cast<TPersistent*>(Instance)) {
    const String saved = FPrefix;
    FPrefix = Prefix;
    CallDefineProperties(persistent, this);
    FPrefix = saved;
  }
}

void TWriter::DefineProperty(const String& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  FValue.clear();
  WriteData(this);
  FLines.emplace_back(FPrefix + Name, FValue);
}

void TWriter::WriteInteger(Int64 Value) { FValue = IntToStr(Value); }
void TWriter::WriteString(const String& Value) { FValue = Quote(Value); }

String TWriter::GetText() const {
  String text;
  for (const auto& [name, value] : FLines) text += name + u" = " + value + u"\n";
  return text;
}

// ---------------------------------------------------------------------------------------------
// TReader

TReader::TReader(const String& Text) {
  std::size_t start = 0;
  while (start < Text.size()) {
    std::size_t end = Text.find(u'\n', start);
    if (end == String::npos) end = Text.size();
    const String line = Trim(Text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    const std::size_t eq = line.find(u'=');
    if (eq == String::npos) throw EReadError(u"Invalid property line: " + line);
    FLines.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
  }
}

void TReader::DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (ReadData) FDefined[UpperCase(Name)] = std::move(ReadData);
}

void TReader::ReadProperties(TPersistent* Instance) {
  FDefined.clear();
  CallDefineProperties(Instance, this);
  for (const auto& [path, value] : FLines) {
    auto defined = FDefined.find(UpperCase(path));
    if (defined != FDefined.end()) {
      FValue = value;
      defined->second(this);
    } else {
      SetValue(Instance, path, value);
    }
  }
}

void TReader::SetValue(TObject* Instance, const String& Path, const String& Value) {
  const std::size_t dot = Path.find(u'.');
  PPropInfo p = GetPropInfo(Instance, dot == String::npos ? Path : Path.substr(0, dot));
  if (!p) throw EReadError(u"Property " + Path + u" does not exist");
  if (dot != String::npos) {
    TObject* object = p->Kind == tkClass ? GetObjectProp(Instance, p) : nullptr;
    if (!object) throw EReadError(u"Property " + Path + u" does not exist");
    SetValue(object, Path.substr(dot + 1), Value);
    return;
  }
  if (p->Kind == tkEnumeration) SetEnumProp(Instance, p, Value);
  else if (p->Kind == tkSet) SetSetProp(Instance, p, Value);
  else if (IsNumber(p->Kind)) SetOrdProp(Instance, p, ParseInteger(Value));
  else if (IsString(p->Kind)) SetStrProp(Instance, p, Unquote(Value));
  else if (p->Kind == tkFloat) {
    std::string ascii(Value.begin(), Value.end());
    Double v = 0;
    auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (ec != std::errc() || end != ascii.data() + ascii.size()) throw EReadError(u"Invalid number value: " + Value);
    SetFloatProp(Instance, p, v);
  } else {
    throw EReadError(u"Property " + Path + u" cannot be read");
  }
}

Int64 TReader::ReadInteger() { return ParseInteger(FValue); }
String TReader::ReadString() { return Unquote(FValue); }
