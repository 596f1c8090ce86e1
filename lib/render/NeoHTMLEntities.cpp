// The named-entity table and the entity routines: one matcher, one scan per text.
#include <array>
#include <unordered_map>

#include "lib/render/NeoHTMLInternal.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "platform/rtl/UnicodeCase.h"

namespace NeoHTMLInternal {
namespace {

constexpr std::size_t EntityRows = 83;

// The table as it is defined: each character as a Windows-1252 byte beside its entity text.
struct TAnsiEntityRow {
  unsigned char Ansi;
  const Char* Text;
};

constexpr std::array<TAnsiEntityRow, EntityRows> AnsiRows = {{
    {0x22, u"&quot;"},   {0x20, u"&nbsp;"},   {0xE9, u"&eacute;"}, {0xE8, u"&egrave;"}, {0xEB, u"&euml;"},
    {0xEA, u"&ecirc;"},  {0xF3, u"&oacute;"}, {0xF2, u"&ograve;"}, {0xF6, u"&ouml;"},   {0xF4, u"&ocirc;"},
    {0xED, u"&iacute;"}, {0xEC, u"&igrave;"}, {0xEF, u"&iuml;"},   {0xEE, u"&icirc;"},  {0xFA, u"&uacute;"},
    {0xF9, u"&ugrave;"}, {0xFC, u"&uuml;"},   {0xFB, u"&ucirc;"},  {0xE1, u"&aacute;"}, {0xE0, u"&agrave;"},
    {0xE4, u"&auml;"},   {0xE2, u"&acirc;"},  {0xC9, u"&Eacute;"}, {0xC8, u"&Egrave;"}, {0xCB, u"&Euml;"},
    {0xCA, u"&Ecirc;"},  {0xD3, u"&Oacute;"}, {0xD2, u"&Ograve;"}, {0xD6, u"&Ouml;"},   {0xD4, u"&Ocirc;"},
    {0xCD, u"&Iacute;"}, {0xCC, u"&Igrave;"}, {0xCF, u"&Iuml;"},   {0xCE, u"&Icirc;"},  {0xDA, u"&Uacute;"},
    {0xD9, u"&Ugrave;"}, {0xDC, u"&Uuml;"},   {0xDB, u"&Ucirc;"},  {0xC1, u"&Aacute;"}, {0xC0, u"&Agrave;"},
    {0xC4, u"&Auml;"},   {0xC2, u"&Acirc;"},  {0xE7, u"&ccedil;"}, {0xC7, u"&Ccedil;"}, {0xF8, u"&oslash;"},
    {0xD8, u"&Oslash;"}, {0xE5, u"&aring;"},  {0xC5, u"&Aring;"},  {0xA9, u"&copy;"},   {0xAE, u"&reg;"},
    {0x80, u"&euro;"},   {0xAB, u"&laquo;"},  {0xBB, u"&raquo;"},  {0xE3, u"&atilde;"}, {0xC3, u"&Atilde;"},
    {0xF5, u"&otilde;"}, {0xD5, u"&Otilde;"}, {0x99, u"&trade;"},  {0xA7, u"&sect;"},   {0xB6, u"&para;"},
    {0xDF, u"&szlig;"},  {0xA3, u"&pound;"},  {0x24, u"&dollar;"}, {0xA7, u"&sect;"},   {0x89, u"&permil;"},
    {0xB6, u"&para;"},   {0x27, u"&#39;"},    {0xA5, u"&yen;"},    {0xA4, u"&curren;"}, {0xA2, u"&cent;"},
    {0xB1, u"&plusmn;"}, {0xA1, u"&iexcl;"},  {0xB0, u"&deg;"},    {0xFD, u"&#x00FD;"}, {0xDD, u"&#221;"},
    {0xBC, u"&frac14;"}, {0xBD, u"&frac12;"}, {0xBE, u"&frac34;"}, {0xC6, u"&AElig;"},  {0xE6, u"&aelig;"},
    {0xD1, u"&Ntilde;"}, {0xF1, u"&ntilde;"}, {0xD0, u"&ETH;"},
}};

// Everything the matcher and the encoder look up, built once from the table.
struct TEntityIndex {
  std::array<THtmlEntity, EntityRows> Rows;
  // Entity text -> kind and character (the first row wins for a text that stands twice).
  std::unordered_map<StringView, std::pair<TEntityKind, Char>> ByText;
  // Character -> entity text of its first row: below U+0100 by index, the others by map.
  std::array<StringView, 0x100> ByLatin1Char{};
  std::unordered_map<Char, StringView> ByWideChar;
  std::size_t MaxLength = 0;

  TEntityIndex() {
    std::string ansi;
    for (const TAnsiEntityRow& row : AnsiRows) ansi += static_cast<char>(row.Ansi);
    const String wide = AnsiToString(ansi);
    for (std::size_t i = 0; i < EntityRows; ++i) {
      Rows[i] = {wide[i], AnsiRows[i].Text};
      ByText.emplace(Rows[i].Text, std::pair(ekNamed, Rows[i].Character));
      const Char c = Rows[i].Character;
      if (c < 0x100) {
        if (ByLatin1Char[c].empty()) ByLatin1Char[c] = Rows[i].Text;
      } else {
        ByWideChar.emplace(c, Rows[i].Text);
      }
      MaxLength = std::max(MaxLength, Rows[i].Text.size());
    }
    ByText[u"&quot;"] = {ekQuot, u'"'};
    ByText[u"&nbsp;"] = {ekNbsp, u' '};
    ByText.emplace(u"&amp;", std::pair(ekAmp, u'&'));
    ByText.emplace(u"&lt;", std::pair(ekLt, u'<'));
    ByText.emplace(u"&gt;", std::pair(ekGt, u'>'));
  }
};

const TEntityIndex& Index() {
  static const TEntityIndex index;
  return index;
}

// The longest numeric reference read: "&#x", eight digits (leading zeros allowed) and ";".
constexpr std::size_t MaxNumericLength = 12;

bool Allowed(TEntityKind AKind, const TEntityRules& ARules) {
  switch (AKind) {
    case ekQuot: return ARules.Quot || ARules.Named;
    case ekAmp: return ARules.Amp;
    case ekLt:
    case ekGt: return ARules.LtGt;
    case ekNbsp: return ARules.Nbsp || ARules.Named;
    case ekNamed: return ARules.Named;
    default: return false;
  }
}

// The code point of "&#digits;" or "&#xdigits;"; 0 when the body is not such a number or names no
// character (0, a surrogate, beyond U+10FFFF).
char32_t NumericReference(StringView AReference) {
  StringView body = AReference.substr(2, AReference.size() - 3);
  unsigned base = 10;
  if (!body.empty() && body.front() == u'x') {
    base = 16;
    body.remove_prefix(1);
  }
  if (body.empty() || body.size() > 8) return 0;
  char32_t code = 0;
  for (const Char c : body) {
    unsigned digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else return 0;
    code = code * base + digit;
  }
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return code;
}

}  // namespace

TEntityMatch MatchEntity(StringView AText, std::size_t APos, const TEntityRules& ARules) {
  const TEntityIndex& index = Index();
  const std::size_t limit = std::min(AText.size(), APos + std::max(index.MaxLength, MaxNumericLength));
  std::size_t semi = APos + 1;
  while (semi < limit && AText[semi] != u';' && AText[semi] != u'&') ++semi;
  if (semi >= limit || AText[semi] != u';') return {};
  const StringView text = AText.substr(APos, semi - APos + 1);
  if (const auto it = index.ByText.find(text); it != index.ByText.end() && Allowed(it->second.first, ARules))
    return {it->second.first, text.size(), it->second.second};
  if (ARules.Numeric && text.size() > 3 && text[1] == u'#')
    if (const char32_t code = NumericReference(text)) return {ekNumeric, text.size(), code};
  return {};
}

String DecodeEntities(StringView AText, const TEntityRules& ARules, StringView AAmpersand,
                      bool ASkipEscapedAmpersands) {
  String out;
  out.reserve(AText.size());
  std::size_t copied = 0;
  std::size_t i = AText.find(u'&');
  while (i != StringView::npos) {
    std::size_t next = i + 1;
    if (ASkipEscapedAmpersands && next < AText.size() && AText[next] == u'&') {
      next = i + 2;
    } else if (const TEntityMatch match = MatchEntity(AText, i, ARules); match.Kind != ekNone) {
      out.append(AText.substr(copied, i - copied));
      if (match.Kind == ekAmp) out += AAmpersand;
      else AppendCodePoint(out, match.Code);
      next = copied = i + match.Length;
    }
    i = AText.find(u'&', next);
  }
  out.append(AText.substr(copied));
  return out;
}

void AppendEncodedEntities(String& AOut, StringView AText, bool ANamed) {
  const TEntityIndex& index = Index();
  std::size_t copied = 0;
  std::size_t i = 0;
  while (i < AText.size()) {
    const std::size_t start = i;
    const Char c = AText[i];
    StringView entity;
    switch (c) {
      case u'&': entity = u"&amp;"; break;
      case u'"': entity = u"&quot;"; break;
      case u'<': entity = u"&lt;"; break;
      case u'>': entity = u"&gt;"; break;
      default:
        if (!ANamed) break;
        if (c < 0x100) {
          entity = index.ByLatin1Char[c];
        } else if (const auto it = index.ByWideChar.find(c); it != index.ByWideChar.end()) {
          entity = it->second;
        }
        break;
    }
    const bool numeric = entity.empty() && ANamed && c > 0x100;
    if (entity.empty() && !numeric) {
      ++i;
      continue;
    }
    AOut.append(AText.substr(copied, start - copied));
    if (numeric) {
      AOut += u"&#";
      AOut += IntToStr(static_cast<Cardinal>(NextCodePoint(AText, i)));
      AOut += u';';
    } else {
      AOut += entity;
      ++i;
    }
    copied = i;
  }
  AOut.append(AText.substr(copied));
}

String UpperText(StringView AText) {
  String upper(AText);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const Char c = upper[i];
    if (c < 0x80) {
      if (c >= u'a' && c <= u'z') upper[i] = static_cast<Char>(c - 32);
      continue;
    }
    std::size_t next = i;
    const char32_t code = NextCodePoint(upper, next);
    const char32_t mapped = UnicodeToUpper(code);
    // A simple case mapping stays in its plane; a mapping that would not is left out.
    if (mapped == code || (mapped >= 0x10000) != (code >= 0x10000)) {
      i = next - 1;
      continue;
    }
    if (mapped < 0x10000) {
      upper[i] = static_cast<Char>(mapped);
    } else {
      upper[i] = static_cast<Char>(0xD800 + ((mapped - 0x10000) >> 10));
      upper[i + 1] = static_cast<Char>(0xDC00 + ((mapped - 0x10000) & 0x3FF));
    }
    i = next - 1;
  }
  return upper;
}

}  // namespace NeoHTMLInternal

using namespace NeoHTMLInternal;

std::span<const THtmlEntity> HtmlEntityTable() { return Index().Rows; }

String EncodeHtmlEntities(StringView AText, bool ANamed) {
  String out;
  out.reserve(AText.size() + AText.size() / 8);
  AppendEncodedEntities(out, AText, ANamed);
  return out;
}

String DecodeHtmlEntities(StringView AText, bool ANamed) {
  TEntityRules rules;
  rules.Quot = rules.Amp = rules.LtGt = true;
  rules.Named = rules.Numeric = ANamed;
  return DecodeEntities(AText, rules);
}

String DecodeQuotAmpEntities(StringView AText, bool ANamed) {
  TEntityRules rules;
  rules.Quot = rules.Amp = true;
  rules.Named = ANamed;
  return DecodeEntities(AText, rules);
}

String DecodeHtmlRunEntities(StringView AText) {
  if (AText.find(u'&') == StringView::npos) return String(AText);
  TEntityRules rules;
  rules.Nbsp = rules.LtGt = rules.Named = true;
  return DecodeEntities(AText, rules, u"&", true);
}
