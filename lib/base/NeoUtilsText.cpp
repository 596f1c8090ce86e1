// TNeoUtils: positions, JSON strings, markup, URL, Base64 and hexadecimal text, character sets.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "lib/base/NeoUtils.h"
#include "lib/base/NeoUtilsInternal.h"
#include "platform/rtl/NetEncoding.h"
#include "platform/rtl/StringLists.h"

using NeoUtilsInternal::HexValue;
using NeoUtilsInternal::UpperHexDigit;

namespace {

// ---------------------------------------------------------------------------------------------
// The character and entity tables: entry k of one is a character, entry k of the other its
// markup form. The first four entities carry no "&".
constexpr std::size_t MarkupEntries = 86;

constexpr std::array<Char, MarkupEntries> SpecialChars = {
    u'&', u'<', u'>', u'"', u' ',
    u'\u00E9', u'\u00E8', u'\u00EB', u'\u00EA', u'\u00F3', u'\u00F2', u'\u00F6', u'\u00F4', u'\u00ED', u'\u00EC',
    u'\u00EF', u'\u00EE', u'\u00FA', u'\u00F9', u'\u00FC', u'\u00FB', u'\u00E1', u'\u00E0', u'\u00E4', u'\u00E2',
    u'\u00C9', u'\u00C8', u'\u00CB', u'\u00CA', u'\u00D3', u'\u00D2', u'\u00D6', u'\u00D4', u'\u00CD', u'\u00CC',
    u'\u00CF', u'\u00CE', u'\u00DA', u'\u00D9', u'\u00DC', u'\u00DB', u'\u00C1', u'\u00C0', u'\u00C4', u'\u00C2',
    u'\u00E7', u'\u00C7', u'\u00F8', u'\u00D8', u'\u00E5', u'\u00C5', u'\u00A9', u'\u00AE', u'\u20AC', u'\u00AB',
    u'\u00BB', u'\u00E3', u'\u00C3', u'\u00F5', u'\u00D5', u'\u2122', u'\u00A7', u'\u00B6', u'\u00DF', u'\u00A3',
    u'$', u'\u00A7', u'\u2030', u'\u00B6', u'\'', u'\u00A5', u'\u00A4', u'\u00A2', u'\u00B1', u'\u00A1',
    u'\u00B0', u'\u00FD', u'\u00DD', u'\u00BC', u'\u00BD', u'\u00BE', u'\u00C6', u'\u00E6', u'\u00D1', u'\u00F1',
    u'\u00D0'};

constexpr std::array<const Char*, MarkupEntries> MarkupEntities = {
    u"amp;", u"lt;", u"gt;", u"quot;", u"&nbsp;",
    u"&eacute;", u"&egrave;", u"&euml;", u"&ecirc;", u"&oacute;", u"&ograve;", u"&ouml;", u"&ocirc;",
    u"&iacute;", u"&igrave;", u"&iuml;", u"&icirc;", u"&uacute;", u"&ugrave;", u"&uuml;", u"&ucirc;",
    u"&aacute;", u"&agrave;", u"&auml;", u"&acirc;",
    u"&Eacute;", u"&Egrave;", u"&Euml;", u"&Ecirc;", u"&Oacute;", u"&Ograve;", u"&Ouml;", u"&Ocirc;",
    u"&Iacute;", u"&Igrave;", u"&Iuml;", u"&Icirc;", u"&Uacute;", u"&Ugrave;", u"&Uuml;", u"&Ucirc;",
    u"&Aacute;", u"&Agrave;", u"&Auml;", u"&Acirc;",
    u"&ccedil;", u"&Ccedil;", u"&oslash;", u"&Oslash;", u"&aring;", u"&Aring;", u"&copy;", u"&reg;",
    u"&euro;", u"&laquo;", u"&raquo;", u"&atilde;", u"&Atilde;", u"&otilde;", u"&Otilde;", u"&trade;",
    u"&sect;", u"&para;", u"&szlig;", u"&pound;", u"&#36;", u"&sect;", u"&permil;", u"&para;", u"&#39;",
    u"&yen;", u"&curren;", u"&cent;", u"&plusmn;", u"&iexcl;", u"&deg;", u"&#x00FD;", u"&#221;",
    u"&frac14;", u"&frac12;", u"&frac34;", u"&AElig;", u"&aelig;", u"&Ntilde;", u"&ntilde;", u"&ETH;"};

// Entries from this index (0-based) on are the "special" characters; the first four are always
// escaped and need no table lookup.
constexpr std::size_t FirstSpecialEntry = 4;

// Character -> entity of the first entry holding it (entries 5 to 86).
const std::unordered_map<Char, StringView>& EntityOfChar() {
  static const auto map = [] {
    std::unordered_map<Char, StringView> m;
    for (std::size_t i = FirstSpecialEntry; i < MarkupEntries; ++i) m.emplace(SpecialChars[i], MarkupEntities[i]);
    return m;
  }();
  return map;
}

// Entity -> character for decoding: the four basic entities, and with Special entries 5 to 86.
struct TEntityDecoder {
  std::unordered_map<String, Char> Basic{{u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&amp;", u'&'}, {u"&quot;", u'"'}};
  std::unordered_map<String, Char> Special;
  std::size_t MaxLength = 0;
  TEntityDecoder() {
    for (std::size_t i = FirstSpecialEntry; i < MarkupEntries; ++i) Special.emplace(MarkupEntities[i], SpecialChars[i]);
    for (const auto& e : Special) MaxLength = std::max(MaxLength, e.first.size());
  }
};

const TEntityDecoder& EntityDecoder() {
  static const TEntityDecoder decoder;
  return decoder;
}

// Texts holding one of these fragments name accented letters, whose case matters.
bool NamesAccentedLetter(StringView Text) {
  static constexpr StringView Fragments[] = {u"cute", u"grave", u"uml", u"circ", u"tilde", u"ring", u"cedil"};
  return std::any_of(std::begin(Fragments), std::end(Fragments),
                     [&](StringView F) { return Text.find(F) != StringView::npos; });
}

// Index of the first of Count texts equal to Text ignoring case; when Text names an accented
// letter, the case must be equal too. -1 when none.
template <class Entry>
Integer IndexOfMarkupText(StringView Text, const Entry* Entries, std::size_t Count) {
  const bool exactCase = NamesAccentedLetter(Text);
  for (std::size_t i = 0; i < Count; ++i) {
    const StringView entry(Entries[i]);
    if (exactCase ? Text == entry : SameText(Text, entry)) return static_cast<Integer>(i);
  }
  return -1;
}

// Spellings of entities without their semicolon that peers still write: each is read as the
// table's entry (0-based) of the same name.
struct TLegacyEntity {
  StringView Text;
  std::size_t Entry;
};
constexpr TLegacyEntity LegacyEntities[] = {{u"&Otilde", 59}};

Char CharOfEntry(std::size_t Entry) { return SpecialChars[Entry]; }

// The legacy entity S starts with; nullptr when none.
const TLegacyEntity* LegacyEntityAt(StringView S) {
  for (const TLegacyEntity& e : LegacyEntities)
    if (S.substr(0, e.Text.size()) == e.Text) return &e;
  return nullptr;
}

Char AsciiUpper(Char C) { return C >= u'a' && C <= u'z' ? static_cast<Char>(C - 32) : C; }

// Position (1-based) of Sub in S, comparing ASCII letters without case; 0 when absent.
Integer AsciiNoCasePos(StringView Sub, StringView S) {
  if (Sub.empty() || Sub.size() > S.size()) return 0;
  const auto it = std::search(S.begin(), S.end(), Sub.begin(), Sub.end(),
                              [](Char A, Char B) { return AsciiUpper(A) == AsciiUpper(B); });
  return it == S.end() ? 0 : static_cast<Integer>(it - S.begin()) + 1;
}

void AppendHex4(String& Out, Char C) {
  Out += u"\\u";
  for (int shift = 12; shift >= 0; shift -= 4) Out += UpperHexDigit((C >> shift) & 0xF);
}

bool IsUnreservedUrlByte(unsigned char B) {
  return (B >= 'A' && B <= 'Z') || (B >= 'a' && B <= 'z') || (B >= '0' && B <= '9') || B == '-' || B == '.' || B == '_';
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Positions and replacement

Char TNeoUtils::CharInStr(StringView S, Integer Index) {
  if (Index < 1 || static_cast<std::size_t>(Index) > S.size()) return 0;
  return S[static_cast<std::size_t>(Index) - 1];
}

Integer TNeoUtils::IPos(StringView Sub, StringView S) { return AsciiNoCasePos(Sub, S); }

Integer TNeoUtils::VarPos(StringView Sub, StringView S, Integer& Result) {
  Result = Pos(Sub, S);
  return Result;
}

Integer TNeoUtils::VarPosNoCase(StringView Sub, StringView S, Integer& Result) {
  Result = AsciiNoCasePos(Sub, S);
  return Result;
}

bool TNeoUtils::TagReplaceString(StringView Srch, StringView Repl, String& Dest) {
  const Integer p = AsciiNoCasePos(Srch, Dest);
  if (p == 0) return false;
  Dest.replace(static_cast<std::size_t>(p) - 1, Srch.size(), Repl);
  return true;
}

Integer TNeoUtils::IndexOfTextInArray(StringView AText, const std::vector<String>& AArray) {
  return IndexOfMarkupText(AText, AArray.data(), AArray.size());
}

// ---------------------------------------------------------------------------------------------
// JSON strings

String TNeoUtils::EscapeString(StringView S) {
  String out;
  out.reserve(S.size());
  for (const Char c : S) {
    // The double quote, the backslash and every control character are escaped, so the result is
    // always a valid JSON string body; so is every code unit from 128 up.
    if (c == u'"' || c == u'\\' || c < 0x20 || c >= 128) AppendHex4(out, c);
    else out += c;
  }
  return out;
}

String TNeoUtils::UnescapeString(StringView S) {
  String out;
  out.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] != u'\\') {
      out += S[i];
      continue;
    }
    const std::size_t at = i;
    if (++i >= S.size()) throw Exception(u"Unexpected end of string");
    auto invalid = [&] { return Exception(u"Invalid code at position %s", {IntToStr(static_cast<Integer>(at + 1))}); };
    switch (S[i]) {
      case u'"': out += u'"'; break;
      case u'\\': out += u'\\'; break;
      case u'/': out += u'/'; break;
      case u'b': out += u'\b'; break;
      case u'f': out += u'\f'; break;
      case u'n': out += u'\n'; break;
      case u'r': out += u'\r'; break;
      case u't': out += u'\t'; break;
      case u'u': {
        if (S.size() - i - 1 < 4) throw invalid();
        unsigned code = 0;
        for (std::size_t k = 1; k <= 4; ++k) {
          const int v = HexValue(S[i + k]);
          if (v < 0) throw invalid();
          code = code * 16 + static_cast<unsigned>(v);
        }
        out += static_cast<Char>(code);
        i += 4;
        break;
      }
      default: throw invalid();
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Markup

String TNeoUtils::FixMarkup(StringView S, bool SpecialChars) {
  const auto& entities = EntityOfChar();
  String out;
  out.reserve(S.size() + S.size() / 4);
  for (std::size_t i = 0; i < S.size(); ++i) {
    const Char c = S[i];
    switch (c) {
      case u'&': out += u"&amp;"; continue;
      case u'"': out += u"&quot;"; continue;
      case u'<': out += u"&lt;"; continue;
      case u'>': out += u"&gt;"; continue;
      default: break;
    }
    if (!SpecialChars) {
      out += c;
      continue;
    }
    if (const auto it = entities.find(c); it != entities.end()) {
      out += it->second;
    } else if (c > 256) {
      // One reference per code unit (each half of a surrogate pair has its own).
      out += u"&#" + IntToStr(static_cast<Integer>(c)) + u";";
    } else {
      out += c;
    }
  }
  return out;
}

String TNeoUtils::UnFixMarkup(StringView S, bool SpecialChars) {
  const TEntityDecoder& decoder = EntityDecoder();
  String out;
  out.reserve(S.size());
  String candidate;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] == u'&') {
      // Only as far as the longest entity: a text of many '&' and no ';' stays linear.
      const std::size_t semi = S.substr(0, std::min(S.size(), i + decoder.MaxLength)).find(u';', i + 1);
      if (semi != StringView::npos && semi - i + 1 <= decoder.MaxLength) {
        candidate.assign(S.substr(i, semi - i + 1));
        auto it = decoder.Basic.find(candidate);
        bool found = it != decoder.Basic.end();
        if (!found && SpecialChars) {
          it = decoder.Special.find(candidate);
          found = it != decoder.Special.end();
        }
        if (found) {
          out += it->second;
          i = semi;
          continue;
        }
      }
      if (SpecialChars) {
        if (const TLegacyEntity* legacy = LegacyEntityAt(S.substr(i))) {
          out += CharOfEntry(legacy->Entry);
          i += legacy->Text.size() - 1;
          continue;
        }
      }
    }
    out += S[i];
  }
  return out;
}

Integer TNeoUtils::GetMarkupIndex(StringView Markup) {
  const Integer index = IndexOfMarkupText(Markup, MarkupEntities.data(), MarkupEntries);
  if (index >= 0) return index;
  const TLegacyEntity* legacy = LegacyEntityAt(Markup);
  return legacy && legacy->Text.size() == Markup.size() ? static_cast<Integer>(legacy->Entry) : -1;
}

String TNeoUtils::GetSpecialChar(Integer Value) {
  if (Value < 1 || static_cast<std::size_t>(Value) > MarkupEntries) return String();
  return String(1, SpecialChars[static_cast<std::size_t>(Value) - 1]);
}

Integer TNeoUtils::MarkupCount() { return static_cast<Integer>(MarkupEntries); }

String TNeoUtils::GetMarkupEntity(Integer Index) {
  if (Index < 1 || static_cast<std::size_t>(Index) > MarkupEntries) return String();
  return MarkupEntities[static_cast<std::size_t>(Index) - 1];
}

String TNeoUtils::HTMLStrip(StringView S) {
  // Line and rule tags become line breaks first, then every tag is dropped.
  String text;
  text.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    const StringView tag = S.substr(i, 4);
    if (S[i] == u'<' && (SameText(tag, u"<BR>") || SameText(tag, u"<HR>"))) {
      text += u"\r\n";
      i += 3;
    } else {
      text += S[i];
    }
  }
  String out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t lt = text.find(u'<', i);
    if (lt == String::npos) {
      out.append(text, i);
      break;
    }
    out.append(text, i, lt - i);
    const std::size_t gt = text.find(u'>', lt + 1);
    if (gt == String::npos) {
      out.append(text, lt);
      break;
    }
    i = gt + 1;
  }
  return out;
}

bool TNeoUtils::IsHTML(StringView S) {
  return S.find(u"</") != StringView::npos || S.find(u"/>") != StringView::npos || AsciiNoCasePos(u"<BR>", S) > 0;
}

bool TNeoUtils::IsHTMLUnicode(StringView S) { return IsHTML(S); }

// ---------------------------------------------------------------------------------------------
// URL, Base64, hexadecimal

String TNeoUtils::URLEncode(StringView S) {
  const UTF8String bytes = UTF8Encode(S);
  String out;
  out.reserve(bytes.size() * 3);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (IsUnreservedUrlByte(b)) {
      out += static_cast<Char>(b);
    } else {
      out += u'%';
      out += UpperHexDigit(b >> 4);
      out += UpperHexDigit(b & 0xF);
    }
  }
  return out;
}

String TNeoUtils::URLDecode(StringView S) {
  UTF8String bytes;
  bytes.reserve(S.size());
  std::size_t plainStart = 0;   // start of the run of characters that are not escapes
  auto flushPlain = [&](std::size_t End) {
    if (End > plainStart) bytes += UTF8Encode(S.substr(plainStart, End - plainStart));
  };
  std::size_t i = 0;
  while (i < S.size()) {
    if (S[i] != u'%') {
      ++i;
      continue;
    }
    flushPlain(i);
    if (S.size() - i >= 3) {
      const int hi = HexValue(S[i + 1]);
      const int lo = HexValue(S[i + 2]);
      if (hi >= 0 && lo >= 0) bytes += static_cast<char>(hi * 16 + lo);
      i += 3;
    } else {
      ++i;   // a "%" too close to the end is dropped alone
    }
    plainStart = i;
  }
  flushPlain(S.size());
  return Trim(UTF8ToString(bytes));
}

TBytes TNeoUtils::Decode64ToBytes(StringView S, bool URLSafe) {
  if (S.empty()) return TBytes();
  String text(S);
  if (URLSafe) {
    while (text.size() % 4 != 0) text += u'=';
    std::replace(text.begin(), text.end(), u'-', u'+');
    std::replace(text.begin(), text.end(), u'_', u'/');
  }
  try {
    return TNetEncoding::Base64().DecodeStringToBytes(text);
  } catch (EConvertError&) {
    return TBytes();
  }
}

TBytes TNeoUtils::HexStrToBytes(StringView S) {
  TBytes out(S.size() / 2);
  for (std::size_t k = 0; k < out.size(); ++k) {
    const int hi = HexValue(S[2 * k]);
    const int lo = HexValue(S[2 * k + 1]);
    if (hi < 0 || lo < 0) throw EConvertError(u"'$" + String(S.substr(2 * k, 2)) + u"' is not a valid integer value");
    out[k] = static_cast<Byte>(hi * 16 + lo);
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Small text helpers

String TNeoUtils::StripThousandSep(StringView S) {
  String out(S);
  std::erase(out, FormatSettings.ThousandSeparator);
  return out;
}

String TNeoUtils::StripLogicSpaces(StringView S) {
  String out;
  out.reserve(S.size());
  bool quoted = false;
  for (const Char c : S) {
    if (c == u'"') quoted = !quoted;
    if (c == u' ' && !quoted) continue;
    out += c;
  }
  return out;
}

Integer TNeoUtils::ClosingParenthesis(StringView S) { return NeoUtilsInternal::BalancingParenthesis(S, false); }

// ---------------------------------------------------------------------------------------------
// Character sets

TNeoUtilsCharSet TNeoUtils::NumericCharSet() { return CreateCharSet(u"0123456789"); }

TNeoUtilsCharSet TNeoUtils::AlphaCharSet() {
  return CreateCharSet(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TNeoUtilsCharSet TNeoUtils::CreateCharSet(StringView S) { return TNeoUtilsCharSet(S.begin(), S.end()); }

TNeoUtilsCharSet TNeoUtils::AddCharSet(const TNeoUtilsCharSet& A, const TNeoUtilsCharSet& B) {
  TNeoUtilsCharSet out(A);
  out.insert(out.end(), B.begin(), B.end());
  return out;
}

TNeoUtilsCharSet TNeoUtils::SubCharSet(const TNeoUtilsCharSet& A, const TNeoUtilsCharSet& B) {
  TNeoUtilsCharSet out;
  for (const Char c : A)
    if (!CharInSet(c, B)) out.push_back(c);
  return out;
}

bool TNeoUtils::CharInSet(Char C, const TNeoUtilsCharSet& Set) {
  return std::find(Set.begin(), Set.end(), C) != Set.end();
}

Char TNeoUtils::FirstChar(const TNeoUtilsCharSet& Set, StringView S, Integer& Pos) {
  bool quoted = false;
  for (std::size_t i = 0; i < S.size(); ++i) {
    const Char c = S[i];
    if (c == u'"') quoted = !quoted;
    else if (!quoted && CharInSet(c, Set)) {
      Pos = static_cast<Integer>(i + 1);
      return c;
    }
  }
  Pos = -1;
  return 0;
}

void TNeoUtils::Split(Char Delimiter, StringView Input, bool RemoveEmpty, TStrings* Strings) {
  TStringList parts;
  parts.SetStrictDelimiter(true);
  parts.SetDelimiter(Delimiter);
  parts.SetQuoteChar(u'"');
  parts.SetDelimitedText(Input);
  Strings->BeginUpdate();
  Strings->Clear();
  for (Integer i = 0; i < parts.GetCount(); ++i) {
    const String item = parts[i];
    if (!RemoveEmpty || !item.empty()) Strings->Add(item);
  }
  Strings->EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Scrambler

String TNeoUtils::EnDeCrypt(StringView Text) {
  String out(Text.size(), u'\0');
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const unsigned b = Text[i] & 0xFFu;
    out[i] = static_cast<Char>((b & 0xE0u) + ((b & 0x1Fu) ^ 5u));
  }
  return out;
}
