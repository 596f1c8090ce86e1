// Rich Text Format: the reader (a single pass over the bytes with an explicit group stack, so any
// depth of nesting costs memory only) and the writer.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "platform/ui/RichText.h"

namespace {

// ---- code pages

// Windows code page of an RTF \fcharset.
int CodePageOfCharset(int Charset) {
  switch (Charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    default: return 0;   // the document's code page
  }
}

// Bytes in a Windows code page to UTF-16 (CP1252 when the code page is unknown).
class TCodePageDecoder {
public:
  ~TCodePageDecoder() {
    for (auto& [cp, cd] : FOpen)
      if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  void Decode(int CodePage, const std::string& Bytes, String& Out) {
    if (CodePage == 1252 || CodePage <= 0) {
      DecodeCp1252(Bytes, Out);
      return;
    }
    iconv_t cd = Open(CodePage);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
      DecodeCp1252(Bytes, Out);
      return;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string in = Bytes;
    char* src = in.data();
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
      char16_t buf[256];
      char* dst = reinterpret_cast<char*>(buf);
      std::size_t dstLeft = sizeof(buf);
      std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
      Out.append(buf, (sizeof(buf) - dstLeft) / sizeof(char16_t));
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
        // An invalid or incomplete sequence: one '?' per byte skipped.
        Out += u'?';
        ++src;
        --srcLeft;
      }
    }
  }

private:
  static void DecodeCp1252(const std::string& Bytes, String& Out) {
    static const char16_t kHigh[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                       0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    for (char ch : Bytes) {
      auto b = static_cast<unsigned char>(ch);
      Out += b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    }
  }
  iconv_t Open(int CodePage) {
    auto it = FOpen.find(CodePage);
    if (it != FOpen.end()) return it->second;
    std::string name = CodePage == 10000 ? "MACINTOSH" : "CP" + std::to_string(CodePage);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    FOpen[CodePage] = cd;
    return cd;
  }
  std::map<int, iconv_t> FOpen;
};

// ---- reader

enum TDest : unsigned char { dText, dSkip, dFontTable, dFontEntry, dColorTable };

struct TState {
  TRichFormat Format;
  TAlignment Align = taLeftJustify;
  bool Justify = false;
  TDest Dest = dText;
  int FontCodePage = 0;
  int UnicodeSkip = 1;   // \ucN
};

struct TFontDef {
  String Name;
  int CodePage = 0;
};

class TRtfReader {
public:
  TRtfReader(const std::string& ARtf, const TRichFormat& ADefault) : FIn(ARtf), FDefault(ADefault) {
    FDefault.Height = 240;   // RTF's default: 12 point
  }

  TRichDocument Read() {
    FPos = std::min(FIn.find('{'), FIn.size());
    FDoc.Clear(FDefault);
    FDoc.Default = FDefault;
    FState.Format = FDefault;
    while (FPos < FIn.size()) {
      char c = FIn[FPos];
      if (c == '{') {
        ++FPos;
        FlushBytes();
        FStack.push_back(FState);
        FSkipPending = 0;
      } else if (c == '}') {
        ++FPos;
        FlushBytes();
        EndGroup();
        // The document's own group ends: its state stays for the last paragraph.
        if (FStack.size() <= 1) break;
        FState = FStack.back();
        FStack.pop_back();
        FSkipPending = 0;
      } else if (c == '\\') {
        ControlToken();
      } else if (c == '\r' || c == '\n') {
        ++FPos;
      } else {
        ++FPos;
        if (FSkipPending > 0) {
          --FSkipPending;
          continue;
        }
        if (FState.Dest == dText || FState.Dest == dFontEntry) FBytes += c;
        else if (FState.Dest == dColorTable && c == ';') ColorSeparator();
      }
    }
    FlushBytes();
    EndParagraph(true);
    return std::move(FDoc);
  }

private:
  // A control word or symbol at FPos ('\').
  void ControlToken() {
    ++FPos;
    if (FPos >= FIn.size()) return;
    char c = FIn[FPos];
    if (!IsAlpha(c)) {
      ++FPos;
      ControlSymbol(c);
      return;
    }
    std::size_t start = FPos;
    while (FPos < FIn.size() && IsAlpha(FIn[FPos])) ++FPos;
    std::string word = FIn.substr(start, std::min<std::size_t>(FPos - start, 32));
    bool hasParam = false;
    long param = 0;
    bool negative = false;
    if (FPos < FIn.size() && FIn[FPos] == '-' && FPos + 1 < FIn.size() && IsDigit(FIn[FPos + 1])) {
      negative = true;
      ++FPos;
    }
    std::size_t digits = 0;
    while (FPos < FIn.size() && IsDigit(FIn[FPos])) {
      if (digits++ < 10) param = param * 10 + (FIn[FPos] - '0');
      ++FPos;
      hasParam = true;
    }
    if (negative) param = -param;
    if (FPos < FIn.size() && FIn[FPos] == ' ') ++FPos;
    param = std::clamp<long>(param, -0x7FFFFFFF, 0x7FFFFFFF);
    ControlWord(word, hasParam, static_cast<int>(param));
  }

  static bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void ControlSymbol(char c) {
    switch (c) {
      case '\'': {
        int hi = FPos < FIn.size() ? HexValue(FIn[FPos]) : -1;
        int lo = FPos + 1 < FIn.size() ? HexValue(FIn[FPos + 1]) : -1;
        if (hi < 0 || lo < 0) return;
        FPos += 2;
        if (FSkipPending > 0) {
          --FSkipPending;
          return;
        }
        if (FState.Dest == dText || FState.Dest == dFontEntry) FBytes += static_cast<char>(hi * 16 + lo);
        return;
      }
      case '*':
        // An ignorable destination: the group is skipped unless it is one we read.
        FState.Dest = dSkip;
        return;
      case '\\': case '{': case '}': Text(String(1, static_cast<Char>(c))); return;
      case '~': Text(u"\u00A0"); return;
      case '_': Text(u"\u2011"); return;
      case '-': Text(u"\u00AD"); return;
      case '\r': case '\n': ControlWord("par", false, 0); return;
      case '\t': Text(u"\t"); return;
      default: return;
    }
  }

  void ControlWord(const std::string& W, bool HasParam, int N) {
    TRichFormat& f = FState.Format;
    bool on = !HasParam || N != 0;
    if (FState.Dest == dSkip) return;
    if (FState.Dest == dColorTable) {
      if (W == "red") FColor = (FColor & 0xFFFF00) | static_cast<COLORREF>(std::clamp(N, 0, 255));
      else if (W == "green") FColor = (FColor & 0xFF00FF) | (static_cast<COLORREF>(std::clamp(N, 0, 255)) << 8);
      else if (W == "blue") FColor = (FColor & 0x00FFFF) | (static_cast<COLORREF>(std::clamp(N, 0, 255)) << 16);
      return;
    }
    if (FState.Dest == dFontTable || FState.Dest == dFontEntry) {
      if (W == "f") {
        FlushBytes();
        FFontIndex = N;
        FFonts[N] = TFontDef{};
        FState.Dest = dFontEntry;
      } else if (W == "fcharset" && FFonts.count(FFontIndex)) {
        FFonts[FFontIndex].CodePage = CodePageOfCharset(N);
        FCharsets[FFontIndex] = static_cast<Byte>(std::clamp(N, 0, 255));
      } else if (W == "u" && FState.Dest == dFontEntry) {
        UnicodeChar(HasParam, N);
      } else if (W == "uc") {
        FState.UnicodeSkip = std::clamp(N, 0, 16);
      } else if (IsDestination(W)) {
        FState.Dest = dSkip;
      }
      return;
    }
    // Text destination.
    if (W == "rtf" || W == "ansi") return;
    if (W == "ansicpg") {
      FCodePage = N;
      return;
    }
    if (W == "deff") {
      FDefaultFont = N;
      return;
    }
    if (W == "fonttbl") {
      FState.Dest = dFontTable;
      return;
    }
    if (W == "colortbl") {
      FState.Dest = dColorTable;
      FColor = 0;
      return;
    }
    if (IsDestination(W)) {
      FState.Dest = dSkip;
      return;
    }
    FlushBytes();
    if (W == "par") return EndParagraph(false);
    if (W == "line") return Text(u"\u000B");
    if (W == "tab") return Text(u"\t");
    if (W == "pard") {
      FState.Align = taLeftJustify;
      FState.Justify = false;
    } else if (W == "plain") {
      Byte charset = f.Charset;
      f = FDefault;
      ApplyFont(FDefaultFont);
      f.Charset = charset;
    } else if (W == "ql") {
      FState.Align = taLeftJustify;
      FState.Justify = false;
    } else if (W == "qc") {
      FState.Align = taCenter;
      FState.Justify = false;
    } else if (W == "qr") {
      FState.Align = taRightJustify;
      FState.Justify = false;
    } else if (W == "qj") {
      FState.Align = taLeftJustify;
      FState.Justify = true;
    } else if (W == "b") {
      f.Bold = on;
    } else if (W == "i") {
      f.Italic = on;
    } else if (W == "ul") {
      f.Underline = on;
    } else if (W == "ulnone") {
      f.Underline = false;
    } else if (W == "strike") {
      f.StrikeOut = on;
    } else if (W == "f") {
      ApplyFont(N);
    } else if (W == "fs") {
      if (HasParam && N > 0) f.Height = std::min(N, 3276) * 10;
    } else if (W == "cf") {
      if (N > 0 && static_cast<std::size_t>(N) < FColors.size()) {
        f.AutoColor = false;
        f.Color = FColors[static_cast<std::size_t>(N)];
      } else {
        f.AutoColor = true;
        f.Color = 0;
      }
    } else if (W == "up") {
      f.Offset = (HasParam ? std::clamp(N, 0, 3276) : 6) * 10;
    } else if (W == "dn") {
      f.Offset = -(HasParam ? std::clamp(N, 0, 3276) : 6) * 10;
    } else if (W == "sub") {
      f.Script = rsSubscript;
    } else if (W == "super") {
      f.Script = rsSuperscript;
    } else if (W == "nosupersub") {
      f.Script = rsNone;
    } else if (W == "u") {
      UnicodeChar(HasParam, N);
    } else if (W == "uc") {
      FState.UnicodeSkip = std::clamp(N, 0, 16);
    } else if (const Char* s = Symbol(W)) {
      Text(s);
    }
  }

  // \uN: one UTF-16 unit (N signed), then the fallback characters are skipped.
  void UnicodeChar(bool HasParam, int N) {
    if (!HasParam || N < -32768 || N > 65535) return;
    FlushBytes();
    Text(String(1, static_cast<Char>(N < 0 ? N + 65536 : N)));
    FSkipPending = FState.UnicodeSkip;
  }

  static bool IsDestination(const std::string& W) {
    static const char* const kSkipped[] = {"stylesheet", "info", "pict", "object", "header", "footer", "headerl",
                                           "headerr", "headerf", "footerl", "footerr", "footerf", "footnote",
                                           "fldinst", "listtable", "listoverridetable", "revtbl", "rsidtbl",
                                           "generator", "xmlnstbl", "themedata", "colorschememapping",
                                           "latentstyles", "datastore", "filetbl", "author", "operator",
                                           "title", "subject", "keywords", "comment", "doccomm", "bkmkstart",
                                           "bkmkend", "pntext", "pntxta", "pntxtb", "falt", "panose"};
    for (const char* k : kSkipped)
      if (W == k) return true;
    return false;
  }

  static const Char* Symbol(const std::string& W) {
    static const std::pair<const char*, const Char*> kSymbols[] = {
        {"lquote", u"\u2018"}, {"rquote", u"\u2019"}, {"ldblquote", u"\u201C"}, {"rdblquote", u"\u201D"},
        {"bullet", u"\u2022"}, {"endash", u"\u2013"}, {"emdash", u"\u2014"},   {"emspace", u"\u2003"},
        {"enspace", u"\u2002"}, {"qmspace", u"\u2005"}};
    for (auto& [name, text] : kSymbols)
      if (W == name) return text;
    return nullptr;
  }

  void ApplyFont(int Index) {
    auto it = FFonts.find(Index);
    if (it == FFonts.end()) {
      // A font the table does not name: the default font.
      FState.FontCodePage = 0;
      return;
    }
    FState.Format.Name = it->second.Name;
    FState.FontCodePage = it->second.CodePage;
    auto cs = FCharsets.find(Index);
    FState.Format.Charset = cs != FCharsets.end() ? cs->second : 1;
  }

  int CodePage() const { return FState.FontCodePage ? FState.FontCodePage : FCodePage; }

  // Text bytes collected so far go through the code page into the document or the font name.
  void FlushBytes() {
    if (FBytes.empty()) return;
    String s;
    FDecoder.Decode(FState.Dest == dFontEntry ? (FFonts.count(FFontIndex) && FFonts[FFontIndex].CodePage ? FFonts[FFontIndex].CodePage : FCodePage) : CodePage(), FBytes, s);
    FBytes.clear();
    Text(s);
  }

  void Text(const String& S) {
    if (S.empty()) return;
    // Bytes read before S come first (FlushBytes clears them before it calls back here).
    if (!FBytes.empty()) FlushBytes();
    if (FState.Dest == dFontEntry) {
      if (!FFonts.count(FFontIndex)) return;
      String& name = FFonts[FFontIndex].Name;
      for (Char c : S) {
        if (c == u';') {
          FState.Dest = dFontTable;
          while (!name.empty() && name.back() == u' ') name.pop_back();
          return;
        }
        name += c;
      }
      return;
    }
    if (FState.Dest != dText) return;
    TRichParagraph& p = FDoc.Paragraph(FDoc.ParagraphCount() - 1);
    Integer fmt = FormatIndex();
    if (p.Runs.back().Format != fmt) {
      auto len = static_cast<Integer>(p.Text.size());
      if (p.Runs.back().Start == len) p.Runs.back().Format = fmt;
      else p.Runs.push_back({len, fmt});
    }
    p.Text += S;
  }

  Integer FormatIndex() {
    if (FLastFormatIndex >= 0 && FDoc.Format(FLastFormatIndex) == FState.Format) return FLastFormatIndex;
    FLastFormatIndex = FDoc.Intern(FState.Format);
    return FLastFormatIndex;
  }

  void EndParagraph(bool AtEnd) {
    TRichParagraph& p = FDoc.Paragraph(FDoc.ParagraphCount() - 1);
    p.Align = FState.Align;
    p.Justify = FState.Justify;
    if (p.Text.empty()) p.Runs = {{0, FormatIndex()}};
    p.Normalize();
    if (!AtEnd) FDoc.AppendParagraph().Runs = {{0, FormatIndex()}};
  }

  void EndGroup() {
    if (FState.Dest == dFontEntry && FFonts.count(FFontIndex)) {
      String& name = FFonts[FFontIndex].Name;
      while (!name.empty() && name.back() == u' ') name.pop_back();
    }
  }

  const std::string& FIn;
  std::size_t FPos = 0;
  TRichFormat FDefault;
  TRichDocument FDoc;
  TState FState;
  std::vector<TState> FStack;
  std::string FBytes;
  TCodePageDecoder FDecoder;
  int FCodePage = 1252;
  int FDefaultFont = 0;
  int FFontIndex = 0;
  std::map<int, TFontDef> FFonts;
  std::map<int, Byte> FCharsets;
  std::vector<COLORREF> FColors;
  COLORREF FColor = 0;
  int FSkipPending = 0;
  Integer FLastFormatIndex = -1;

  // The colour table's ';' ends an entry (the first, usually empty, is the automatic colour).
  void ColorSeparator() {
    FColors.push_back(FColor);
    FColor = 0;
  }
};

// ---- writer

void WriteEscaped(std::string& Out, StringView Text) {
  for (Char c : Text) {
    switch (c) {
      case u'\\': Out += "\\\\"; continue;
      case u'{': Out += "\\{"; continue;
      case u'}': Out += "\\}"; continue;
      case u'\t': Out += "\\tab "; continue;
      case 0x0B: Out += "\\line "; continue;
      default: break;
    }
    if (c >= 0x20 && c < 0x80) {
      Out += static_cast<char>(c);
    } else {
      int n = c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c);
      Out += "\\u" + std::to_string(n) + "?";
    }
  }
}

// A font name as the table can hold it: ';' ends an entry, control characters have no place in
// it and trailing blanks are not kept.
String FontNameForRtf(String Name) {
  for (Char& c : Name)
    if (c == u';' || c < 0x20) c = u' ';
  while (!Name.empty() && Name.back() == u' ') Name.pop_back();
  return Name;
}

std::string ColorKey(COLORREF C) {
  return "\\red" + std::to_string(GetRValue(C)) + "\\green" + std::to_string(GetGValue(C)) + "\\blue" +
         std::to_string(GetBValue(C));
}

}  // namespace

TRichDocument TRichDocument::FromRtf(const std::string& ARtf, const TRichFormat& ADefault) {
  if (!IsRtf(ARtf)) {
    TRichDocument doc;
    doc.Clear(ADefault);
    TEncoding* enc = nullptr;
    TBytes bytes(ARtf.begin(), ARtf.end());
    Integer bom = TEncoding::GetBufferEncoding(bytes, enc, TEncoding::ANSI());
    doc.Insert(0, enc->GetString(bytes.data() + bom, bytes.size() - static_cast<std::size_t>(bom)), 0);
    return doc;
  }
  return TRtfReader(ARtf, ADefault).Read();
}

std::string TRichDocument::ToRtf() const {
  // Font and colour tables of what the runs use.
  std::vector<std::pair<String, Byte>> fonts;
  std::vector<COLORREF> colors;
  std::vector<int> fontOf(FFormats.size()), colorOf(FFormats.size());
  std::vector<bool> used(FFormats.size());
  for (const TRichParagraph& p : FParas)
    for (const TRichRun& r : p.Runs) used[static_cast<std::size_t>(r.Format)] = true;
  for (std::size_t i = 0; i < FFormats.size(); ++i) {
    if (!used[i]) continue;
    const TRichFormat& f = FFormats[i];
    std::pair<String, Byte> key{FontNameForRtf(f.Name), f.Charset};
    auto it = std::find(fonts.begin(), fonts.end(), key);
    fontOf[i] = static_cast<int>(it - fonts.begin());
    if (it == fonts.end()) fonts.push_back(key);
    colorOf[i] = 0;
    if (!f.AutoColor) {
      auto c = std::find(colors.begin(), colors.end(), f.Color);
      colorOf[i] = static_cast<int>(c - colors.begin()) + 1;
      if (c == colors.end()) colors.push_back(f.Color);
    }
  }
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(fonts[i].second) + " ";
    WriteEscaped(out, fonts[i].first);
    out += ";}";
  }
  out += "}";
  if (!colors.empty()) {
    out += "{\\colortbl ;";
    for (COLORREF c : colors) out += ColorKey(c) + ";";
    out += "}";
  }
  out += "\r\n";
  // The reader starts from 12 point in font 0, no attributes, automatic colour: every run says
  // what differs from the run before, the first one says font and size.
  TRichFormat cur;
  cur.Name.clear();
  cur.Height = -1;
  int curFont = -1, curColor = 0;
  for (std::size_t pi = 0; pi < FParas.size(); ++pi) {
    const TRichParagraph& p = FParas[pi];
    out += "\\pard";
    if (p.Justify) out += "\\qj";
    else if (p.Align == taCenter) out += "\\qc";
    else if (p.Align == taRightJustify) out += "\\qr";
    for (std::size_t r = 0; r < p.Runs.size(); ++r) {
      auto fi = static_cast<std::size_t>(p.Runs[r].Format);
      const TRichFormat& f = FFormats[fi];
      std::size_t mark = out.size();
      if (fontOf[fi] != curFont) out += "\\f" + std::to_string(fontOf[fi]);
      if (f.Height != cur.Height) out += "\\fs" + std::to_string(f.Height / 10);
      if (f.Bold != cur.Bold) out += f.Bold ? "\\b" : "\\b0";
      if (f.Italic != cur.Italic) out += f.Italic ? "\\i" : "\\i0";
      if (f.Underline != cur.Underline) out += f.Underline ? "\\ul" : "\\ulnone";
      if (f.StrikeOut != cur.StrikeOut) out += f.StrikeOut ? "\\strike" : "\\strike0";
      if (colorOf[fi] != curColor) out += "\\cf" + std::to_string(colorOf[fi]);
      if (f.Offset != cur.Offset) out += f.Offset >= 0 ? "\\up" + std::to_string(f.Offset / 10) : "\\dn" + std::to_string(-f.Offset / 10);
      if (f.Script != cur.Script) out += f.Script == rsSubscript ? "\\sub" : f.Script == rsSuperscript ? "\\super" : "\\nosupersub";
      // The blank ends the control words before the text (\pard's too); no words, no blank.
      if (r == 0 || out.size() != mark) out += ' ';
      cur = f;
      curFont = fontOf[fi];
      curColor = colorOf[fi];
      WriteEscaped(out, StringView(p.Text).substr(static_cast<std::size_t>(p.Runs[r].Start),
                                                  static_cast<std::size_t>(p.RunEnd(r) - p.Runs[r].Start)));
    }
    if (pi + 1 < FParas.size()) out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

bool IsRtf(const std::string& AData) {
  std::size_t i = 0;
  while (i < AData.size() && (AData[i] == ' ' || AData[i] == '\r' || AData[i] == '\n' || AData[i] == '\t')) ++i;
  return AData.compare(i, 5, "{\\rtf") == 0;
}
