// Fonts and text output: LOGFONT resolved to Pango fonts with family substitution, metrics, shaped
// and cached lines, TextOut and ExtTextOut.
#include "platform/win/GdiInternal.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <list>
#include <map>
#include <set>
#include <unordered_map>

namespace gdi {

// The face and language Pango gives a run of one script in a font, and which of the plain
// characters (see TPlainChars) that face has. Made on first use.
struct TRunFace {
  PangoFont* Font = nullptr;
  PangoLanguage* Language = nullptr;
  std::vector<bool> Covers;          // by code point
  bool Ready = false;
  TRunFace() = default;
  TRunFace(const TRunFace&) = delete;
  TRunFace& operator=(const TRunFace&) = delete;
  ~TRunFace() {
    if (Font) g_object_unref(Font);
  }
};

struct TFontEntry {
  PangoFontDescription* Desc = nullptr;
  PangoAttrList* Attrs = nullptr;   // underline, strike-out
  TFontMetrics Metrics;
  double Em = 0;                    // device pixels
  double Angle = 0;                 // degrees counter-clockwise
  bool Symbol = false;              // symbol-encoded face: text is mapped before shaping
  TRunFace LatinRun, CommonRun;
  ~TFontEntry() {
    if (Desc) pango_font_description_free(Desc);
    if (Attrs) pango_attr_list_unref(Attrs);
  }
};

// A line's width is known once it is shaped. A line shaped as one run is drawn from its glyphs;
// its paragraph layout (for offsets and fitting) is made when first needed. Other lines are laid
// out at once.
struct TTextLine {
  PangoLayout* Layout = nullptr;     // kept between the texts of a cache slot
  bool LaidOut = false;              // Layout holds this line
  bool OneRun = false;               // Glyphs hold this line, shaped in RunFont
  PangoGlyphString* Glyphs = nullptr;   // kept between the texts of a cache slot
  PangoFont* RunFont = nullptr;
  TFontEntry* Font = nullptr;
  std::string Utf8;                  // the text shaped (symbol faces mapped)
  int Width = 0;
  int Baseline = 0;                  // valid once laid out
  bool Rtl = false;
  std::size_t Length = 0;
  std::vector<int> Offsets;          // filled on first use
  ~TTextLine() {
    if (Layout) g_object_unref(Layout);
    if (Glyphs) pango_glyph_string_free(Glyphs);
  }
};

namespace {

// ---- Pango state (used under the GDI lock) ----

struct TPango {
  PangoFontMap* Map = nullptr;
  PangoContext* Ltr = nullptr;
  PangoContext* Rtl = nullptr;
  std::set<std::string> Families;   // lower-case installed family names
  std::vector<std::string> FamilyNames;
  TPango() {
    Map = pango_cairo_font_map_new();
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_ON);
    for (PangoContext** c : {&Ltr, &Rtl}) {
      *c = pango_font_map_create_context(Map);
      pango_cairo_context_set_font_options(*c, opts);
      pango_cairo_context_set_resolution(*c, 96);
      pango_context_set_round_glyph_positions(*c, TRUE);
    }
    pango_context_set_base_dir(Ltr, PANGO_DIRECTION_LTR);
    pango_context_set_base_dir(Rtl, PANGO_DIRECTION_RTL);
    cairo_font_options_destroy(opts);
    PangoFontFamily** fams = nullptr;
    int n = 0;
    pango_font_map_list_families(Map, &fams, &n);
    for (int i = 0; i < n; ++i) {
      std::string name = pango_font_family_get_name(fams[i]);
      FamilyNames.push_back(name);
      Families.insert(Lower(name));
    }
    g_free(fams);
    std::sort(FamilyNames.begin(), FamilyNames.end());
  }
  static std::string Lower(std::string S) {
    for (char& c : S) c = static_cast<char>(g_ascii_tolower(c));
    return S;
  }
};

TPango& Pango() {
  static auto* p = new TPango();
  return *p;
}

// Faces the programs ask for, drawn with installed faces of like metrics.
const std::map<std::string, std::string>& Substitutes() {
  static const std::map<std::string, std::string> table{
      {"tahoma", "Liberation Sans"},         {"segoe ui", "Liberation Sans"},
      {"ms sans serif", "Liberation Sans"},  {"microsoft sans serif", "Liberation Sans"},
      {"ms shell dlg", "Liberation Sans"},   {"ms shell dlg 2", "Liberation Sans"},
      {"arial", "Liberation Sans"},          {"helvetica", "Liberation Sans"},
      {"system", "Liberation Sans"},         {"verdana", "DejaVu Sans"},
      {"calibri", "Liberation Sans"},        {"times new roman", "Liberation Serif"},
      {"times", "Liberation Serif"},         {"ms serif", "Liberation Serif"},
      {"georgia", "Liberation Serif"},       {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"},        {"fixedsys", "Liberation Mono"},
      {"terminal", "Liberation Mono"},       {"consolas", "Liberation Mono"},
      {"lucida console", "Liberation Mono"}, {"symbol", "DejaVu Sans"},
      {"wingdings", "DejaVu Sans"},          {"segoe ui emoji", "Noto Color Emoji"},
  };
  return table;
}

// The face "Symbol" is symbol-encoded: its characters 0x20-0xFE stand for these Unicode
// characters (Greek letters, mathematical signs, arrows, bracket pieces), drawn with the installed
// face it maps to. Other characters stay as they are.
constexpr char16_t SymbolEncoding[0xFF - 0x20] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0x007F,
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087, 0x0088, 0x0089, 0x008A, 0x008B,
    0x008C, 0x008D, 0x008E, 0x008F, 0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096, 0x0097,
    0x0098, 0x0099, 0x009A, 0x009B, 0x009C, 0x009D, 0x009E, 0x009F, 0x20AC, 0x03D2, 0x2032, 0x2264,
    0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9,
    0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3,
    0x23A7, 0x23A8, 0x23A9, 0x23AA, 0x00F0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD,
};

bool IsSymbolFace(const std::string& AFace) { return TPango::Lower(AFace) == "symbol"; }

String SymbolToUnicode(StringView AText) {
  String out(AText);
  for (Char& c : out)
    if (c >= 0x20 && c < 0xFF) c = SymbolEncoding[c - 0x20];
  return out;
}

bool Installed(const std::string& AFamily) { return Pango().Families.count(TPango::Lower(AFamily)) != 0; }

std::string FamilyFor(const std::string& AFace, BYTE APitchAndFamily) {
  if (!AFace.empty() && Installed(AFace)) return AFace;
  auto it = Substitutes().find(TPango::Lower(AFace));
  if (it != Substitutes().end() && Installed(it->second)) return it->second;
  if (!AFace.empty() && it == Substitutes().end()) return AFace;   // fontconfig substitutes the rest
  BYTE fam = APitchAndFamily & 0xF0;
  std::string generic = fam == FF_ROMAN ? "Liberation Serif"
                        : (fam == FF_MODERN || (APitchAndFamily & 3) == FIXED_PITCH) ? "Liberation Mono"
                                                                                      : "Liberation Sans";
  return Installed(generic) ? generic : "Sans";
}

std::string FaceOf(const LOGFONTW& L) {
  String face;
  for (int i = 0; i < LF_FACESIZE && L.lfFaceName[i]; ++i) face.push_back(L.lfFaceName[i]);
  return UTF8Encode(face);
}

PangoFontDescription* Describe(const LOGFONTW& L, double AEm) {
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, FamilyFor(FaceOf(L), L.lfPitchAndFamily).c_str());
  int weight = L.lfWeight <= 0 ? FW_NORMAL : std::clamp<int>(L.lfWeight, 100, 1000);
  pango_font_description_set_weight(d, static_cast<PangoWeight>(weight));
  pango_font_description_set_style(d, L.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_font_description_set_absolute_size(d, AEm * PANGO_SCALE);
  return d;
}

struct TRawMetrics {
  double Ascent = 0, Descent = 0, Height = 0, MaxAdvance = 0, AveWidth = 0, UnderlinePos = 0, UnderlineThick = 1;
};

TRawMetrics RawMetrics(PangoFontDescription* ADesc) {
  TRawMetrics m;
  TPango& p = Pango();
  PangoFont* font = pango_font_map_load_font(p.Map, p.Ltr, ADesc);
  if (!font) return m;
  cairo_scaled_font_t* sf = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font));
  if (sf) {
    cairo_font_extents_t e;
    cairo_scaled_font_extents(sf, &e);
    m.Ascent = e.ascent;
    m.Descent = e.descent;
    m.Height = e.height;
    m.MaxAdvance = e.max_x_advance;
  }
  PangoFontMetrics* pm = pango_font_get_metrics(font, nullptr);
  m.AveWidth = pango_font_metrics_get_approximate_char_width(pm) / double(PANGO_SCALE);
  m.UnderlinePos = -pango_font_metrics_get_underline_position(pm) / double(PANGO_SCALE);
  m.UnderlineThick = pango_font_metrics_get_underline_thickness(pm) / double(PANGO_SCALE);
  pango_font_metrics_unref(pm);
  g_object_unref(font);
  return m;
}

// Font entries by LOGFONT and device size.
struct TFontKey {
  LOGFONTW Log;
  int Size64;   // lfHeight in device pixels, 1/64 units
  bool operator<(const TFontKey& O) const {
    if (Size64 != O.Size64) return Size64 < O.Size64;
    return std::memcmp(&Log, &O.Log, sizeof(LOGFONTW)) < 0;
  }
};

std::map<TFontKey, std::unique_ptr<TFontEntry>>& FontCache() {
  static auto* c = new std::map<TFontKey, std::unique_ptr<TFontEntry>>();
  return *c;
}

TFontEntry* MakeFont(const LOGFONTW& L, double AHeight) {
  auto e = std::make_unique<TFontEntry>();
  double h = std::fabs(AHeight);
  if (h < 0.5) h = 16;   // the default cell height
  double em = h;
  if (AHeight >= 0) {
    // a positive height is the cell height (ascent + descent)
    PangoFontDescription* probe = Describe(L, 256);
    TRawMetrics r = RawMetrics(probe);
    pango_font_description_free(probe);
    if (r.Ascent + r.Descent > 0) em = h * 256 / (r.Ascent + r.Descent);
  }
  em = std::clamp(em, 0.5, 5000.0);
  e->Em = em;
  e->Desc = Describe(L, em);
  TRawMetrics r = RawMetrics(e->Desc);
  TFontMetrics& m = e->Metrics;
  m.Ascent = static_cast<int>(std::ceil(r.Ascent - 0.01));
  m.Descent = static_cast<int>(std::ceil(r.Descent - 0.01));
  m.Height = m.Ascent + m.Descent;
  m.InternalLeading = std::max(0, m.Height - static_cast<int>(std::lround(em)));
  m.ExternalLeading = std::max(0, static_cast<int>(std::lround(r.Height - r.Ascent - r.Descent)));
  m.AveCharWidth = std::max(1, static_cast<int>(std::lround(r.AveWidth)));
  m.MaxCharWidth = std::max(m.AveCharWidth, static_cast<int>(std::lround(r.MaxAdvance)));
  m.Weight = L.lfWeight <= 0 ? FW_NORMAL : L.lfWeight;
  m.Italic = L.lfItalic;
  m.Underline = L.lfUnderline;
  m.StrikeOut = L.lfStrikeOut;
  m.UnderlinePosition = std::max(1, static_cast<int>(std::lround(r.UnderlinePos)));
  m.UnderlineThickness = std::max(1, static_cast<int>(std::lround(r.UnderlineThick)));
  e->Angle = L.lfEscapement / 10.0;
  e->Symbol = IsSymbolFace(FaceOf(L));
  if (L.lfUnderline || L.lfStrikeOut) {
    e->Attrs = pango_attr_list_new();
    if (L.lfUnderline) pango_attr_list_insert(e->Attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (L.lfStrikeOut) pango_attr_list_insert(e->Attrs, pango_attr_strikethrough_new(TRUE));
  }
  return e.release();
}

TFontEntry* FontFor(const LOGFONTW& L, double ADeviceHeight) {
  TFontKey key{L, static_cast<int>(std::lround(ADeviceHeight * 64))};
  auto& cache = FontCache();
  auto it = cache.find(key);
  if (it != cache.end()) return it->second.get();
  TFontEntry* e = MakeFont(L, ADeviceHeight);
  cache.emplace(key, std::unique_ptr<TFontEntry>(e));
  return e;
}

// ---- Lines shaped as one run ----
// Pango lays a paragraph out in runs of one face, script, language and direction and shapes each
// run on its own. A left-to-right line of plain characters (see TPlainChars) that are all of the
// Latin script or all common, every one of them in the first face of the font's fontset, is one
// run of that face: shaping the run alone gives the layout's width at a fraction of its cost, and
// its glyphs drawn at the layout's baseline are the layout's pixels.

constexpr char32_t PlainLimit = 0x20C1;

enum TPlainKind : std::uint8_t { pkNone, pkCommon, pkLatin };

// Latin letters, digits, spaces, Latin-1 and general punctuation and currency signs: no controls,
// no line or paragraph separators, no direction marks, no invisible characters, no marks that
// combine, none that may be shown as an emoji, no soft hyphen.
class TPlainChars {
public:
  TPlainChars() : FKind(PlainLimit, pkNone) {
    Add(0x20, 0x7E);
    Add(0xA0, 0x24F);
    Add(0x2010, 0x2027);
    Add(0x2030, 0x205E);
    Add(0x20A0, 0x20C0);
    for (char32_t c : {0xA9, 0xAD, 0xAE, 0x203C, 0x2049}) FKind[c] = pkNone;
  }
  TPlainKind Of(Char C) const { return C < PlainLimit ? FKind[C] : pkNone; }
  template <class F>
  void ForEach(F AVisit) const {
    for (char32_t c = 0; c < PlainLimit; ++c)
      if (FKind[c] != pkNone) AVisit(c);
  }

private:
  void Add(char32_t AFirst, char32_t ALast) {
    for (char32_t c = AFirst; c <= ALast; ++c) {
      GUnicodeScript script = g_unichar_get_script(c);
      if (script == G_UNICODE_SCRIPT_LATIN) FKind[c] = pkLatin;
      else if (script == G_UNICODE_SCRIPT_COMMON) FKind[c] = pkCommon;
    }
  }
  std::vector<TPlainKind> FKind;
};

const TPlainChars& PlainChars() {
  static const TPlainChars table;
  return table;
}

// The run's language is Pango's: the context's, unless the script is not written in it; then the
// script's own (or none in particular). Its face is the first of the fontset Pango picks for that
// description and language.
const TRunFace& RunFaceOf(TFontEntry& AFont, PangoScript AScript) {
  TRunFace& face = AScript == PANGO_SCRIPT_LATIN ? AFont.LatinRun : AFont.CommonRun;
  if (face.Ready) return face;
  face.Ready = true;
  TPango& p = Pango();
  PangoLanguage* language = pango_context_get_language(p.Ltr);
  if (!pango_language_includes_script(language, AScript)) {
    language = pango_script_get_sample_language(AScript);
    if (!language) language = pango_language_from_string("xx");
  }
  face.Language = language;
  PangoFontDescription* desc = pango_font_description_copy(pango_context_get_font_description(p.Ltr));
  pango_font_description_merge(desc, AFont.Desc, TRUE);
  PangoFontset* fontset = pango_font_map_load_fontset(p.Map, p.Ltr, desc, language);
  pango_font_description_free(desc);
  if (!fontset) return face;
  pango_fontset_foreach(
      fontset,
      [](PangoFontset*, PangoFont* AFirst, gpointer AOut) -> gboolean {
        *static_cast<PangoFont**>(AOut) = PANGO_FONT(g_object_ref(AFirst));
        return TRUE;
      },
      &face.Font);
  g_object_unref(fontset);
  if (!face.Font) return face;
  face.Covers.assign(PlainLimit, false);
  PlainChars().ForEach([&](char32_t C) { face.Covers[C] = pango_font_has_char(face.Font, C); });
  return face;
}

// Shapes a left-to-right line as one run into its glyphs, when it is one run: false when it is not.
bool ShapeOneRun(TTextLine& L, StringView AText) {
  if (AText.empty()) return false;
  const TPlainChars& plain = PlainChars();
  bool latin = false;
  for (Char c : AText) {
    TPlainKind kind = plain.Of(c);
    if (kind == pkNone) return false;
    latin = latin || kind == pkLatin;
  }
  PangoScript script = latin ? PANGO_SCRIPT_LATIN : PANGO_SCRIPT_COMMON;
  const TRunFace& face = RunFaceOf(*L.Font, script);
  if (!face.Font) return false;
  for (Char c : AText)
    if (!face.Covers[c]) return false;
  PangoAnalysis analysis{};
  analysis.font = face.Font;
  analysis.gravity = PANGO_GRAVITY_SOUTH;
  analysis.script = static_cast<guint8>(script);
  analysis.language = face.Language;
  if (!L.Glyphs) L.Glyphs = pango_glyph_string_new();
  const char* text = L.Utf8.data();
  const int length = static_cast<int>(L.Utf8.size());
  pango_shape_with_flags(text, length, text, length, &analysis, L.Glyphs, PANGO_SHAPE_ROUND_POSITIONS);
  L.RunFont = face.Font;
  L.Width = PANGO_PIXELS(pango_glyph_string_get_width(L.Glyphs));
  return true;
}

// Lays the line out in its layout (made, or made again for the other direction, when needed) and
// answers the layout's width.
int LayOut(TTextLine& L) {
  TPango& p = Pango();
  PangoContext* context = L.Rtl ? p.Rtl : p.Ltr;
  if (L.Layout && pango_layout_get_context(L.Layout) != context) {
    g_object_unref(L.Layout);
    L.Layout = nullptr;
  }
  if (!L.Layout) {
    L.Layout = pango_layout_new(context);
    pango_layout_set_auto_dir(L.Layout, FALSE);
  }
  pango_layout_set_font_description(L.Layout, L.Font->Desc);
  pango_layout_set_attributes(L.Layout, L.Font->Attrs);
  pango_layout_set_text(L.Layout, L.Utf8.data(), static_cast<int>(L.Utf8.size()));
  PangoRectangle logical;
  pango_layout_get_extents(L.Layout, nullptr, &logical);
  L.Baseline = PANGO_PIXELS(pango_layout_get_baseline(L.Layout));
  L.LaidOut = true;
  return PANGO_PIXELS(logical.width);
}

PangoLayout* LayoutOf(TTextLine* L) {
  if (!L->LaidOut) LayOut(*L);
  return L->Layout;
}

// ---- Shaped lines ----
// Two lists: a text seen for the first time goes to a short probation list whose oldest entry is
// refilled for the next new text (its key storage, map node and layout reused, so a stream of
// different texts keeps working in the same few, warm layouts). Repeated use while on probation
// (one call shaping, measuring and drawing the same text) does not promote it; a text asked for
// again soon after dropping out of probation goes to the long list, where the least recently used
// entry makes room. A returned line stays valid at least until Probation more new texts have been
// shaped.

struct TLineSlot {
  TFontEntry* Font = nullptr;
  bool Rtl = false;
  bool Main = false;   // on the long list
  String Text;
  std::size_t Hash = 0;
  std::unique_ptr<TTextLine> Line;
};
// Keys look at the text of their slot (or at the caller's text when probing).
struct TLineKey {
  TFontEntry* Font;
  bool Rtl;
  StringView Text;
  std::size_t Hash;
  bool operator==(const TLineKey& O) const { return Hash == O.Hash && Font == O.Font && Rtl == O.Rtl && Text == O.Text; }
};
struct TLineKeyHash {
  std::size_t operator()(const TLineKey& K) const { return K.Hash; }
};

class TLineCache {
public:
  TLineCache() : FGhosts(Capacity, 0) { FMap.reserve((Capacity + Probation) * 2); }

  TTextLine* Get(TFontEntry* AFont, StringView AText, bool ARtl) {
    std::size_t hash = std::hash<StringView>()(AText) ^ (std::hash<void*>()(AFont) * 31) ^ ARtl;
    auto it = FMap.find(TLineKey{AFont, ARtl, AText, hash});
    if (it != FMap.end()) {
      TSlots::iterator slot = it->second;
      if (slot->Main) FMain.splice(FMain.begin(), FMain, slot);
      return slot->Line.get();
    }
    bool main = FGhostCount.count(hash) != 0;
    TSlots& list = main ? FMain : FProbation;
    TMap::node_type node;
    if (list.size() >= (main ? Capacity : Probation)) {
      TLineSlot& old = list.back();
      node = FMap.extract(KeyOf(old));
      if (!main) Remember(old.Hash);
      list.splice(list.begin(), list, std::prev(list.end()));
    } else {
      list.emplace_front();
    }
    TLineSlot& slot = list.front();
    slot.Font = AFont;
    slot.Rtl = ARtl;
    slot.Main = main;
    slot.Text.assign(AText);
    slot.Hash = hash;
    Shape(slot);
    if (node) {
      node.key() = KeyOf(slot);
      node.mapped() = list.begin();
      FMap.insert(std::move(node));
    } else {
      FMap.emplace(KeyOf(slot), list.begin());
    }
    return slot.Line.get();
  }

private:
  using TSlots = std::list<TLineSlot>;
  using TMap = std::unordered_map<TLineKey, TSlots::iterator, TLineKeyHash>;
  static constexpr std::size_t Capacity = 4096, Probation = 256;

  static TLineKey KeyOf(const TLineSlot& S) { return TLineKey{S.Font, S.Rtl, S.Text, S.Hash}; }

  // The last Capacity texts that left probation, by hash.
  void Remember(std::size_t AHash) {
    std::size_t& oldest = FGhosts[FGhostNext];
    if (FGhostFull) {
      auto it = FGhostCount.find(oldest);
      if (it != FGhostCount.end() && --it->second == 0) FGhostCount.erase(it);
    }
    oldest = AHash;
    ++FGhostCount[AHash];
    FGhostNext = (FGhostNext + 1) % FGhosts.size();
    FGhostFull = FGhostFull || FGhostNext == 0;
  }

  // Measures the slot's text: as one run where that gives the layout's width, else laid out.
  static void Shape(TLineSlot& ASlot) {
    std::unique_ptr<TTextLine>& line = ASlot.Line;
    if (!line) line = std::make_unique<TTextLine>();
    line->Offsets.clear();
    line->LaidOut = false;
    line->Font = ASlot.Font;
    line->Rtl = ASlot.Rtl;
    line->Length = ASlot.Text.size();
    String mapped = ASlot.Font->Symbol ? SymbolToUnicode(ASlot.Text) : String();
    StringView text = ASlot.Font->Symbol ? StringView(mapped) : StringView(ASlot.Text);
    line->Utf8 = UTF8Encode(text);
    line->OneRun = !ASlot.Rtl && ShapeOneRun(*line, text);
    if (!line->OneRun) line->Width = LayOut(*line);
  }

  TSlots FMain, FProbation;
  TMap FMap;
  std::vector<std::size_t> FGhosts;
  std::size_t FGhostNext = 0;
  bool FGhostFull = false;
  std::unordered_map<std::size_t, unsigned> FGhostCount;
};

TLineCache& Lines() {
  static auto* c = new TLineCache();
  return *c;
}

}  // namespace

TFontEntry* FontEntryOf(HDC__* D) {
  TFontObj* f = FontOf(D->S.Font);
  LOGFONTW lf = f ? f->Log : LOGFONTW{};
  TMapping m = MappingOf(D);
  return FontFor(lf, lf.lfHeight * std::fabs(m.SY));
}

const TFontMetrics& MetricsOf(TFontEntry* AFont) { return AFont->Metrics; }

TTextLine* ShapeLine(TFontEntry* AFont, StringView AText, bool ARtl) { return Lines().Get(AFont, AText, ARtl); }

int LineWidth(TTextLine* ALine) { return ALine->Width; }

bool ShapedAsOneRun(TTextLine* ALine) { return ALine->OneRun; }

int LaidOutWidth(TTextLine* ALine) {
  PangoRectangle logical;
  pango_layout_get_extents(LayoutOf(ALine), nullptr, &logical);
  return PANGO_PIXELS(logical.width);
}

const std::vector<int>& LineOffsets(TTextLine* L) {
  if (!L->Offsets.empty() || L->Length == 0) {
    if (L->Offsets.empty()) L->Offsets.assign(1, 0);
    return L->Offsets;
  }
  PangoLayout* layout = LayoutOf(L);
  const char* text = pango_layout_get_text(layout);
  std::size_t bytes = std::strlen(text);
  // UTF-16 index of each UTF-8 byte position
  std::vector<std::size_t> unitOf(bytes + 1, 0);
  std::size_t unit = 0;
  for (std::size_t b = 0; b < bytes;) {
    auto c = static_cast<unsigned char>(text[b]);
    std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    for (std::size_t k = 0; k < len && b + k <= bytes; ++k) unitOf[b + k] = unit;
    b += len;
    unit += len == 4 ? 2 : 1;
  }
  unitOf[bytes] = unit;
  std::vector<int> offs(L->Length + 1, -1);
  PangoLayoutIter* it = pango_layout_get_iter(layout);
  do {
    PangoRectangle r;
    pango_layout_iter_get_cluster_extents(it, nullptr, &r);
    int index = pango_layout_iter_get_index(it);
    std::size_t u = unitOf[std::min<std::size_t>(static_cast<std::size_t>(index), bytes)];
    int x = L->Rtl ? L->Width * PANGO_SCALE - (r.x + r.width) : r.x;
    if (u < offs.size()) offs[u] = PANGO_PIXELS(x);
  } while (pango_layout_iter_next_cluster(it));
  pango_layout_iter_free(it);
  offs[0] = 0;
  offs[L->Length] = L->Width;
  // characters inside a cluster share the cluster's start; keep the offsets non-decreasing
  for (std::size_t i = 1; i < offs.size(); ++i)
    if (offs[i] < 0) offs[i] = offs[i - 1];
  for (std::size_t i = 1; i < offs.size(); ++i) offs[i] = std::max(offs[i], offs[i - 1]);
  L->Offsets = std::move(offs);
  return L->Offsets;
}

std::size_t FitChars(TTextLine* L, int AWidth) {
  if (AWidth >= L->Width) return L->Length;
  if (AWidth < 0) return 0;
  if (L->Rtl || !L->Offsets.empty()) {
    const std::vector<int>& offs = LineOffsets(L);
    std::size_t k = L->Length;
    while (k > 0 && offs[k] > AWidth) --k;
    return k;
  }
  int index = 0, trailing = 0;
  PangoLayout* layout = LayoutOf(L);
  pango_layout_xy_to_index(layout, AWidth * PANGO_SCALE, 0, &index, &trailing);
  // UTF-16 units before the byte index: the characters that end at or before the width
  const char* text = pango_layout_get_text(layout);
  std::size_t units = 0;
  for (int b = 0; b < index && text[b];) {
    auto c = static_cast<unsigned char>(text[b]);
    int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    units += len == 4 ? 2 : 1;
    b += len;
  }
  PangoRectangle pos;
  pango_layout_index_to_pos(layout, index, &pos);
  if (pos.x + pos.width <= AWidth * PANGO_SCALE) {
    auto c = static_cast<unsigned char>(text[index]);
    if (c) units += c >= 0xF0 ? 2 : 1;
  }
  return std::min(units, L->Length);
}

_cairo* CairoFor(HDC__* D, TSurface& S) {
  if (D->Cairo && (D->CairoSurface != &S || D->CairoGeneration != S.Generation())) {
    cairo_destroy(D->Cairo);
    D->Cairo = nullptr;
  }
  if (!D->Cairo) {
    auto* native = static_cast<cairo_surface_t*>(S.NativeSurface());
    if (!native) return nullptr;
    D->Cairo = cairo_create(native);
    D->CairoSurface = &S;
    D->CairoGeneration = S.Generation();
  }
  return D->Cairo;
}

void SetCairoClip(_cairo* ACr, const TRgnSet& AClip) {
  cairo_reset_clip(ACr);
  cairo_new_path(ACr);
  for (const RECT& r : AClip.Rects())
    cairo_rectangle(ACr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_clip(ACr);
}

void DrawLine(HDC__* D, TSurface& S, TTextLine* L, TFontEntry* F, double X, double Y, const TRgnSet& AClip,
              COLORREF AColor, const COLORREF* ABack, double AAngle) {
  if (AClip.Empty()) return;
  cairo_t* cr = CairoFor(D, S);
  if (!cr) return;
  S.MarkDirty();
  cairo_save(cr);
  SetCairoClip(cr, AClip);
  cairo_translate(cr, X, Y);
  if (AAngle != 0) cairo_rotate(cr, -AAngle * M_PI / 180);
  if (ABack) {
    cairo_set_source_rgb(cr, GetRValue(*ABack) / 255.0, GetGValue(*ABack) / 255.0, GetBValue(*ABack) / 255.0);
    cairo_rectangle(cr, 0, 0, L->Width, F->Metrics.Height);
    cairo_fill(cr);
  }
  cairo_set_source_rgb(cr, GetRValue(AColor) / 255.0, GetGValue(AColor) / 255.0, GetBValue(AColor) / 255.0);
  if (L->OneRun && !F->Attrs) {
    // The glyphs where the layout puts them: the line's top where the layout's would be, the
    // baseline (the run's ascent, in Pango's units) below it, added to each glyph's offset while
    // drawing as the layout adds it to the run's position.
    PangoRectangle logical;
    pango_glyph_string_extents(L->Glyphs, L->RunFont, nullptr, &logical);
    const int baseline = -logical.y;
    PangoGlyphInfo* glyphs = L->Glyphs->glyphs;
    for (int i = 0; i < L->Glyphs->num_glyphs; ++i) glyphs[i].geometry.y_offset += baseline;
    cairo_move_to(cr, 0, F->Metrics.Ascent - PANGO_PIXELS(baseline));
    pango_cairo_show_glyph_string(cr, L->RunFont, L->Glyphs);
    for (int i = 0; i < L->Glyphs->num_glyphs; ++i) glyphs[i].geometry.y_offset -= baseline;
  } else {
    PangoLayout* layout = LayoutOf(L);
    cairo_move_to(cr, 0, F->Metrics.Ascent - L->Baseline);
    pango_cairo_show_layout(cr, layout);
  }
  cairo_restore(cr);
  cairo_surface_flush(cairo_get_target(cr));
}

}  // namespace gdi

using namespace gdi;

namespace {

StringView TextView(LPCWSTR AText, int ACount) {
  if (!AText) return StringView();
  if (ACount < 0) return StringView(AText);
  return StringView(AText, static_cast<std::size_t>(ACount));
}

// Draws a run at a logical reference point with the DC's alignment; AAdvance receives the device
// width. AClipRect (surface) narrows the clip.
void TextRun(HDC__* D, int X, int Y, StringView AText, const int* ADx, const RECT* AClipRect, bool ARtl,
             int* AAdvance) {
  TFontEntry* font = FontEntryOf(D);
  const TFontMetrics& m = font->Metrics;
  bool updateCP = D->S.TextAlign & TA_UPDATECP;
  POINT ref = updateCP ? LogToSurf(D, D->S.CurPos.x, D->S.CurPos.y) : LogToSurf(D, X, Y);
  // widths: shaped as a whole, or placed character by character from ADx
  TTextLine* whole = nullptr;
  int width = 0;
  if (ADx) {
    for (std::size_t i = 0; i < AText.size(); ++i) width += LogLengthToDevX(D, ADx[i]) * (ADx[i] < 0 ? -1 : 1);
  } else {
    whole = ShapeLine(font, AText, ARtl || (D->S.TextAlign & TA_RTLREADING));
    width = whole->Width;
  }
  if (AAdvance) *AAdvance = width;
  double angle = font->Angle;
  double cs = std::cos(angle * M_PI / 180), sn = std::sin(angle * M_PI / 180);
  double ox = 0, oy = 0;   // top-left relative to the reference point, before turning
  UINT h = D->S.TextAlign & (TA_CENTER | TA_RIGHT);
  if (h == TA_CENTER) ox = -width / 2.0;
  else if (h == TA_RIGHT) ox = -width;
  UINT v = D->S.TextAlign & TA_BASELINE;
  if (v == TA_BASELINE) oy = -m.Ascent;
  else if (v == TA_BOTTOM) oy = -m.Height;
  if (h == TA_CENTER) ox = std::floor(ox);
  double tx = ref.x + ox * cs + oy * sn, ty = ref.y - ox * sn + oy * cs;

  TDrawScope scope(D);
  TSurface* s = scope.Surface();
  if (s) {
    TRgnSet clip = EffectiveClip(D);
    if (AClipRect) clip = clip.Intersect(*AClipRect);
    COLORREF bk = D->S.BkColor;
    const COLORREF* back = D->S.BkMode == OPAQUE ? &bk : nullptr;
    if (whole) {
      DrawLine(D, *s, whole, font, tx, ty, clip, D->S.TextColor, back, angle);
    } else {
      double pos = 0;
      for (std::size_t i = 0; i < AText.size(); ++i) {
        std::size_t n = (AText[i] >= 0xD800 && AText[i] < 0xDC00 && i + 1 < AText.size()) ? 2 : 1;
        TTextLine* ch = ShapeLine(font, AText.substr(i, n), false);
        DrawLine(D, *s, ch, font, tx + pos * cs, ty - pos * sn, clip, D->S.TextColor, back, angle);
        for (std::size_t k = 0; k < n; ++k) pos += LogLengthToDevX(D, ADx[i + k]) * (ADx[i + k] < 0 ? -1 : 1);
        i += n - 1;
      }
    }
  }
  if (updateCP) {
    TMapping mp = MappingOf(D);
    D->S.CurPos.x += static_cast<LONG>(std::lround(width * cs / mp.SX));
    D->S.CurPos.y += static_cast<LONG>(std::lround(-width * sn / mp.SY));
  }
}

}  // namespace

BOOL TextOut(HDC ADC, int X, int Y, LPCWSTR AText, int ACount) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || (!AText && ACount > 0) || ACount < 0) return FALSE;
  if (d->PathOpen) return TRUE;
  TextRun(d, X, Y, TextView(AText, ACount), nullptr, nullptr, false, nullptr);
  return TRUE;
}

BOOL ExtTextOut(HDC ADC, int X, int Y, UINT AOptions, const RECT* ARect, LPCWSTR AText, UINT ACount,
                const int* ADx) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || (!AText && ACount > 0)) return FALSE;
  if (d->PathOpen) return TRUE;
  std::optional<RECT> rect;
  if (ARect && (AOptions & (ETO_OPAQUE | ETO_CLIPPED))) rect = LogRectToSurf(d, *ARect);
  if (rect && (AOptions & ETO_OPAQUE)) {
    TDrawScope scope(d);
    if (TSurface* s = scope.Surface())
      PaintSet(*s, EffectiveClip(d).Intersect(*rect), SolidPaint(ColorRefToPixel(d->S.BkColor), R2_COPYPEN));
  }
  if (ACount == 0) return TRUE;
  const RECT* clip = rect && (AOptions & ETO_CLIPPED) ? &*rect : nullptr;
  TextRun(d, X, Y, StringView(AText, ACount), ADx, clip, AOptions & ETO_RTLREADING, nullptr);
  return TRUE;
}

BOOL GetTextMetrics(HDC ADC, TEXTMETRICW* AMetrics) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !AMetrics) return FALSE;
  TFontEntry* f = FontEntryOf(d);
  const TFontMetrics& m = f->Metrics;
  TMapping mp = MappingOf(d);
  auto lx = [&](int v) { return static_cast<LONG>(std::lround(v / std::fabs(mp.SX))); };
  auto ly = [&](int v) { return static_cast<LONG>(std::lround(v / std::fabs(mp.SY))); };
  TEXTMETRICW tm;
  tm.tmHeight = ly(m.Height);
  tm.tmAscent = ly(m.Ascent);
  tm.tmDescent = ly(m.Descent);
  tm.tmInternalLeading = ly(m.InternalLeading);
  tm.tmExternalLeading = ly(m.ExternalLeading);
  tm.tmAveCharWidth = lx(m.AveCharWidth);
  tm.tmMaxCharWidth = lx(m.MaxCharWidth);
  tm.tmWeight = m.Weight;
  tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = d->DpiX;
  tm.tmFirstChar = 0x20;
  tm.tmLastChar = 0xFFFC;
  tm.tmDefaultChar = 0x1F;
  tm.tmBreakChar = 0x20;
  tm.tmItalic = m.Italic;
  tm.tmUnderlined = m.Underline;
  tm.tmStruckOut = m.StrikeOut;
  TFontObj* fo = FontOf(d->S.Font);
  BYTE pitch = fo ? fo->Log.lfPitchAndFamily : 0;
  // TMPF_FIXED_PITCH set means a variable pitch font
  tm.tmPitchAndFamily = static_cast<BYTE>((pitch & 0xF0) | TMPF_TRUETYPE | TMPF_VECTOR |
                                          ((pitch & 3) == FIXED_PITCH ? 0 : TMPF_FIXED_PITCH));
  tm.tmCharSet = fo ? fo->Log.lfCharSet : 0;
  *AMetrics = tm;
  return TRUE;
}

BOOL GetTextExtentExPoint(HDC ADC, LPCWSTR AText, int ACount, int AMaxExtent, int* AFit, int* ADx, SIZE* ASize) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || ACount < 0 || (!AText && ACount > 0)) return FALSE;
  TFontEntry* f = FontEntryOf(d);
  StringView text(AText ? AText : u"", static_cast<std::size_t>(ACount));
  TTextLine* line = ShapeLine(f, text, false);
  TMapping mp = MappingOf(d);
  double sx = std::fabs(mp.SX), sy = std::fabs(mp.SY);
  if (ASize) {
    ASize->cx = static_cast<LONG>(std::lround(line->Width / sx));
    ASize->cy = static_cast<LONG>(std::lround(f->Metrics.Height / sy));
  }
  if (AFit || ADx) {
    const std::vector<int>& offs = LineOffsets(line);
    int fit = 0;
    for (int i = 1; i <= ACount; ++i) {
      int ext = static_cast<int>(std::lround(offs[static_cast<std::size_t>(i)] / sx));
      if (AFit && ext > AMaxExtent) break;
      if (ADx) ADx[i - 1] = ext;
      fit = i;
    }
    if (AFit) *AFit = fit;
  }
  return TRUE;
}

BOOL GetTextExtentPoint32(HDC ADC, LPCWSTR AText, int ACount, SIZE* ASize) {
  if (!ASize) return FALSE;
  return GetTextExtentExPoint(ADC, AText, ACount, 0, nullptr, nullptr, ASize);
}

BOOL GetCharWidth32(HDC ADC, UINT AFirst, UINT ALast, int* AWidths) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !AWidths || ALast < AFirst || ALast > 0x10FFFF) return FALSE;
  TFontEntry* f = FontEntryOf(d);
  double sx = std::fabs(MappingOf(d).SX);
  for (UINT c = AFirst; c <= ALast; ++c) {
    String s;
    if (c >= 0x10000) {
      s.push_back(static_cast<Char>(0xD800 + ((c - 0x10000) >> 10)));
      s.push_back(static_cast<Char>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      s.push_back(static_cast<Char>(c));
    }
    AWidths[c - AFirst] = static_cast<int>(std::lround(ShapeLine(f, s, false)->Width / sx));
  }
  return TRUE;
}

int GetTextFace(HDC ADC, int ACount, LPWSTR AName) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return 0;
  TFontObj* f = FontOf(d->S.Font);
  String face;
  for (int i = 0; f && i < LF_FACESIZE && f->Log.lfFaceName[i]; ++i) face.push_back(f->Log.lfFaceName[i]);
  if (!AName) return static_cast<int>(face.size()) + 1;
  if (ACount <= 0) return 0;
  int n = std::min<int>(static_cast<int>(face.size()), ACount - 1);
  std::copy(face.begin(), face.begin() + n, AName);
  AName[n] = 0;
  return n;
}

bool GdiFontFamilyExists(const String& AFamily) {
  std::lock_guard lock(Lock());
  return Installed(UTF8Encode(AFamily));
}

String GdiFontSubstitute(const String& AFace) {
  std::lock_guard lock(Lock());
  auto it = Substitutes().find(TPango::Lower(UTF8Encode(AFace)));
  return it != Substitutes().end() && Installed(it->second) ? UTF8ToString(it->second) : String();
}

String GdiResolveFontFamily(const String& AFace) {
  std::lock_guard lock(Lock());
  LOGFONTW lf;
  for (std::size_t i = 0; i < AFace.size() && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = AFace[i];
  PangoFontDescription* desc = Describe(lf, 12);
  TPango& p = Pango();
  PangoFont* font = pango_font_map_load_font(p.Map, p.Ltr, desc);
  pango_font_description_free(desc);
  String result;
  if (font) {
    PangoFontDescription* actual = pango_font_describe(font);
    if (const char* fam = pango_font_description_get_family(actual)) result = UTF8ToString(fam);
    pango_font_description_free(actual);
    g_object_unref(font);
  }
  return result;
}

int EnumFontFamiliesEx(HDC ADC, const LOGFONTW* AFont, FONTENUMPROCW AProc, LPARAM AData, DWORD) {
  if (!AProc) return 0;
  String only;
  if (AFont)
    for (int i = 0; i < LF_FACESIZE && AFont->lfFaceName[i]; ++i) only.push_back(AFont->lfFaceName[i]);
  return EnumFontFamilies(ADC, only.empty() ? nullptr : only.c_str(), AProc, AData);
}

int EnumFontFamilies(HDC ADC, LPCWSTR AFamily, FONTENUMPROCW AProc, LPARAM AData) {
  if (!AProc) return 0;
  std::vector<std::string> names;
  {
    std::lock_guard lock(Lock());
    names = Pango().FamilyNames;
  }
  std::string only = AFamily ? TPango::Lower(UTF8Encode(AFamily)) : std::string();
  int result = 1;
  for (const std::string& name : names) {
    if (!only.empty() && TPango::Lower(name) != only) continue;
    LOGFONTW lf;
    String w = UTF8ToString(name);
    for (std::size_t i = 0; i < w.size() && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = w[i];
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    TEXTMETRICW tm;
    if (ADC) {
      HFONT f = CreateFontIndirect(&lf);
      HGDIOBJ old = SelectObject(ADC, f);
      GetTextMetrics(ADC, &tm);
      SelectObject(ADC, old);
      DeleteObject(f);
    }
    result = AProc(&lf, &tm, TRUETYPE_FONTTYPE, AData);
    if (!result) break;
  }
  return result;
}
