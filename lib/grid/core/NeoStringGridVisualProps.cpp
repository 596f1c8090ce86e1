// TNeoStringGrid: the visual properties as a text file of Key=Value lines.
//
// One table lists the 74 lines in file order with the kind of each value and how it is read from
// and written to the grid; saving walks it, loading reads the whole file, converts every value and
// only then applies them, so that a file with a bad value changes nothing.
#include <functional>
#include <optional>
#include <vector>

#include "lib/grid/core/NeoBalloonSettings.h"
#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoSortSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/StringLists.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TextFile.h"

namespace {

// The colour identifiers of the file, in lookup order. The class library knows two more names
// (clLtGray, clDkGray) that the file format does not.
struct TColorIdent {
  Cardinal Value;
  const Char* Name;
};
constexpr TColorIdent ColorIdents[] = {
    {0x00000000, u"clBlack"}, {0x00000080, u"clMaroon"}, {0x00008000, u"clGreen"}, {0x00008080, u"clOlive"},
    {0x00800000, u"clNavy"}, {0x00800080, u"clPurple"}, {0x00808000, u"clTeal"}, {0x00808080, u"clGray"},
    {0x00C0C0C0, u"clSilver"}, {0x000000FF, u"clRed"}, {0x0000FF00, u"clLime"}, {0x0000FFFF, u"clYellow"},
    {0x00FF0000, u"clBlue"}, {0x00FF00FF, u"clFuchsia"}, {0x00FFFF00, u"clAqua"}, {0x00FFFFFF, u"clWhite"},
    {0x00C0DCC0, u"clMoneyGreen"}, {0x00F0CAA6, u"clSkyBlue"}, {0x00F0FBFF, u"clCream"}, {0x00A4A0A0, u"clMedGray"},
    {0xFF00000A, u"clActiveBorder"}, {0xFF000002, u"clActiveCaption"}, {0xFF00000C, u"clAppWorkSpace"},
    {0xFF000001, u"clBackground"}, {0xFF00000F, u"clBtnFace"}, {0xFF000014, u"clBtnHighlight"},
    {0xFF000010, u"clBtnShadow"}, {0xFF000012, u"clBtnText"}, {0xFF000009, u"clCaptionText"},
    {0x20000000, u"clDefault"}, {0xFF00001B, u"clGradientActiveCaption"}, {0xFF00001C, u"clGradientInactiveCaption"},
    {0xFF000011, u"clGrayText"}, {0xFF00000D, u"clHighlight"}, {0xFF00000E, u"clHighlightText"},
    {0xFF00001A, u"clHotLight"}, {0xFF00000B, u"clInactiveBorder"}, {0xFF000003, u"clInactiveCaption"},
    {0xFF000013, u"clInactiveCaptionText"}, {0xFF000018, u"clInfoBk"}, {0xFF000017, u"clInfoText"},
    {0xFF000004, u"clMenu"}, {0xFF00001E, u"clMenuBar"}, {0xFF00001D, u"clMenuHighlight"}, {0xFF000007, u"clMenuText"},
    {0x1FFFFFFF, u"clNone"}, {0xFF000000, u"clScrollBar"}, {0xFF000015, u"cl3DDkShadow"}, {0xFF000016, u"cl3DLight"},
    {0xFF000005, u"clWindow"}, {0xFF000006, u"clWindowFrame"}, {0xFF000008, u"clWindowText"},
};
static_assert(std::size(ColorIdents) == 52);

constexpr const Char* FontStyleNames[] = {u"fsBold", u"fsItalic", u"fsUnderline", u"fsStrikeOut"};
constexpr const Char* ControlStyleNames[] = {u"csClassic", u"csFlat", u"csWinXP", u"csMorvane",
                                             u"csNeo",     u"csGlyph", u"csTheme"};
constexpr const Char* DisplayNames[] = {u"bdTile", u"bdFixed", u"bdGradientHorz", u"bdGradientVert"};
constexpr const Char* CellsNames[] = {u"bcNormal", u"bcFixed", u"bcAll"};
// The looks the file names, by their TGridLook value.
struct TLookName {
  TGridLook Look;
  const Char* Name;
};
constexpr TLookName LookNames[] = {{glStandard, u"glStandard"}, {glSoft, u"glSoft"},   {glClassic, u"glClassic"},
                                   {glNeo, u"glNeo"},           {glXP, u"glXP"},       {glListView, u"glListView"},
                                   {glVista, u"glVista"},       {glWin7, u"glWin7"},   {glOffice2007, u"glOffice2007"}};

String ColorText(TColor Value) {
  for (const TColorIdent& c : ColorIdents)
    if (static_cast<TColor>(c.Value) == Value) return c.Name;
  return u"$" + IntToHex(static_cast<Cardinal>(Value), 8);
}

// An identifier, a decimal integer or up to eight hexadecimal digits after "$".
bool TryColorFromText(const String& Text, TColor& Value) {
  for (const TColorIdent& c : ColorIdents)
    if (SameText(Text, c.Name)) {
      Value = static_cast<TColor>(c.Value);
      return true;
    }
  if (Text.size() >= 2 && Text.size() <= 9 && Text[0] == u'$') {
    Cardinal v = 0;
    for (std::size_t i = 1; i < Text.size(); ++i) {
      Char ch = Text[i];
      Cardinal digit = ch >= u'0' && ch <= u'9'   ? ch - u'0'
                       : ch >= u'A' && ch <= u'F' ? ch - u'A' + 10
                       : ch >= u'a' && ch <= u'f' ? ch - u'a' + 10
                                                  : 16;
      if (digit == 16) return false;
      v = v * 16 + digit;
    }
    Value = static_cast<TColor>(v);
    return true;
  }
  Integer v = 0;
  if (Text.empty() || Text[0] == u'$' || !TryStrToInt(Text, v)) return false;
  Value = v;
  return true;
}

String StylesText(TFontStyles Styles) {
  String s;
  for (Integer i = 0; i < 4; ++i) {
    if (!Styles.Contains(static_cast<TFontStyle>(i))) continue;
    if (!s.empty()) s += u',';
    s += FontStyleNames[i];
  }
  return s;
}

// -1 when the text names none of the identifiers (any case).
template <std::size_t N>
Integer NameIndex(const String& Text, const Char* const (&Names)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (SameText(Text, Names[i])) return static_cast<Integer>(i);
  return -1;
}

String LookText(TGridLook Look) {
  for (const TLookName& l : LookNames)
    if (l.Look == Look) return l.Name;
  return u"";
}

enum TValueKind { vkColor, vkBool, vkInteger, vkStyles, vkText, vkControlStyle, vkLook, vkDisplay, vkCells };

// One line of the file. Values travel as Int64 (colours, flags, integers, style sets, names as
// their ordinal) or as text (font names).
struct TVisualLine {
  const Char* Key;
  TValueKind Kind;
  std::function<Int64(TNeoStringGrid&)> Get;
  std::function<void(TNeoStringGrid&, Int64)> Set;
  // Integer keys: the value a missing key gives. Byte values: the largest value.
  Int64 Default = 0;
  Int64 Max = 2147483647;
  std::function<String(TNeoStringGrid&)> GetText = nullptr;
  std::function<void(TNeoStringGrid&, const String&)> SetText = nullptr;
};

#define NEO_COLOR(KEY, OBJ, NAME)                                                                   \
  TVisualLine {                                                                                     \
    KEY, vkColor, [](TNeoStringGrid& g) -> Int64 { return OBJ Get##NAME(); },                      \
        [](TNeoStringGrid& g, Int64 v) { OBJ Set##NAME(static_cast<TColor>(v)); }                   \
  }
#define NEO_BOOL(KEY, OBJ, NAME)                                                                    \
  TVisualLine {                                                                                     \
    KEY, vkBool, [](TNeoStringGrid& g) -> Int64 { return OBJ Get##NAME(); },                       \
        [](TNeoStringGrid& g, Int64 v) { OBJ Set##NAME(v != 0); }                                   \
  }
#define NEO_INT(KEY, OBJ, NAME, TYPE, DEFAULT, MAX)                                                 \
  TVisualLine {                                                                                     \
    KEY, vkInteger, [](TNeoStringGrid& g) -> Int64 { return OBJ Get##NAME(); },                    \
        [](TNeoStringGrid& g, Int64 v) { OBJ Set##NAME(static_cast<TYPE>(v)); }, DEFAULT, MAX       \
  }
#define NEO_NAME(KEY, KIND, OBJ, NAME, TYPE)                                                        \
  TVisualLine {                                                                                     \
    KEY, KIND, [](TNeoStringGrid& g) -> Int64 { return OBJ Get##NAME(); },                         \
        [](TNeoStringGrid& g, Int64 v) { OBJ Set##NAME(static_cast<TYPE>(v)); }                     \
  }
#define NEO_FONT(PREFIX, FONT)                                                                      \
  NEO_COLOR(PREFIX u".Color", g.FONT->, Color),                                                     \
      TVisualLine{PREFIX u".Style", vkStyles,                                                       \
                  [](TNeoStringGrid& g) -> Int64 { return static_cast<Int64>(g.FONT->GetStyle().ToBits()); },             \
                  [](TNeoStringGrid& g, Int64 v) { g.FONT->SetStyle(TFontStyles::FromBits(v)); }},  \
      NEO_INT(PREFIX u".Size", g.FONT->, Size, Integer, TFont().GetSize(), 2147483647),             \
      TVisualLine{PREFIX u".Name", vkText, nullptr, nullptr, 0, 0,                                  \
                  [](TNeoStringGrid& g) { return g.FONT->GetName(); },                              \
                  [](TNeoStringGrid& g, const String& v) { g.FONT->SetName(v); }}

const std::vector<TVisualLine>& VisualLines() {
  static const std::vector<TVisualLine> lines = {
      NEO_COLOR(u"Color", g., Color),
      NEO_COLOR(u"HintColor", g., HintColor),
      NEO_COLOR(u"SelectionColor", g., SelectionColor),
      NEO_COLOR(u"SelectionColorTo", g., SelectionColorTo),
      NEO_COLOR(u"SelectionMirrorColor", g., SelectionMirrorColor),
      NEO_COLOR(u"SelectionMirrorColorTo", g., SelectionMirrorColorTo),
      NEO_COLOR(u"SelectionTextColor", g., SelectionTextColor),
      NEO_COLOR(u"URLColor", g., URLColor),
      NEO_BOOL(u"URLShow", g., URLShow),
      NEO_BOOL(u"URLShowInText", g., URLShowInText),
      NEO_COLOR(u"ScrollColor", g., ScrollColor),
      NEO_COLOR(u"ActiveRowColor", g., ActiveRowColor),
      NEO_BOOL(u"ActiveRowShow", g., ActiveRowShow),
      NEO_BOOL(u"ActiveCellShow", g., ActiveCellShow),
      NEO_FONT(u"Font", GetFont()),
      NEO_COLOR(u"ActiveCellColor", g., ActiveCellColor),
      NEO_COLOR(u"ActiveCellColorTo", g., ActiveCellColorTo),
      NEO_FONT(u"ActiveCellFont", GetActiveCellFont()),
      NEO_FONT(u"FixedFont", GetFixedFont()),
      NEO_COLOR(u"Balloon.BackgroundColor", g.GetBalloon()->, BackgroundColor),
      NEO_COLOR(u"Balloon.TextColor", g.GetBalloon()->, TextColor),
      NEO_INT(u"Balloon.Transparency", g.GetBalloon()->, Transparency, Byte, 0, 255),
      NEO_COLOR(u"Bands.PrimaryColor", g.GetBands()->, PrimaryColor),
      NEO_COLOR(u"Bands.SecondaryColor", g.GetBands()->, SecondaryColor),
      NEO_BOOL(u"Bands.Active", g.GetBands()->, Active),
      NEO_COLOR(u"SortSettings.IndexColor", g.GetSortSettings()->, IndexColor),
      NEO_COLOR(u"FloatingFooter.Color", g.GetFloatingFooter()->, Color),
      NEO_INT(u"ControlLook.CheckSize", g.GetControlLook()->, CheckSize, Integer, 15, 2147483647),
      NEO_COLOR(u"ControlLook.Color", g.GetControlLook()->, Color),
      NEO_COLOR(u"ControlLook.CommentColor", g.GetControlLook()->, CommentColor),
      NEO_NAME(u"ControlLook.ControlStyle", vkControlStyle, g.GetControlLook()->, ControlStyle, TGridControlStyle),
      NEO_COLOR(u"ControlLook.FixedGradientFrom", g.GetControlLook()->, FixedGradientFrom),
      NEO_COLOR(u"ControlLook.FixedGradientTo", g.GetControlLook()->, FixedGradientTo),
      NEO_INT(u"ControlLook.RadioSize", g.GetControlLook()->, RadioSize, Integer, 10, 2147483647),
      NEO_BOOL(u"ControlLook.FlatButton", g.GetControlLook()->, FlatButton),
      NEO_COLOR(u"ControlLook.ProgressBorderColor", g.GetControlLook()->, ProgressBorderColor),
      NEO_BOOL(u"ControlLook.ProgressXP", g.GetControlLook()->, ProgressXP),
      NEO_NAME(u"Look", vkLook, g., Look, TGridLook),
      NEO_COLOR(u"SearchFooter.Color", g.GetSearchFooter()->, Color),
      NEO_COLOR(u"SearchFooter.ColorTo", g.GetSearchFooter()->, ColorTo),
      NEO_COLOR(u"Grouping.HeaderColor", g.GetGrouping()->, HeaderColor),
      NEO_COLOR(u"Grouping.HeaderColorTo", g.GetGrouping()->, HeaderColorTo),
      NEO_COLOR(u"Grouping.HeaderTextColor", g.GetGrouping()->, HeaderTextColor),
      NEO_BOOL(u"Grouping.HeaderUnderline", g.GetGrouping()->, HeaderUnderline),
      NEO_COLOR(u"Grouping.HeaderLineColor", g.GetGrouping()->, HeaderLineColor),
      NEO_INT(u"Grouping.HeaderLineWidth", g.GetGrouping()->, HeaderLineWidth, Integer, 2, 2147483647),
      NEO_COLOR(u"Grouping.SummaryColor", g.GetGrouping()->, SummaryColor),
      NEO_COLOR(u"Grouping.SummaryColorTo", g.GetGrouping()->, SummaryColorTo),
      NEO_COLOR(u"Grouping.SummaryTextColor", g.GetGrouping()->, SummaryTextColor),
      NEO_BOOL(u"Grouping.SummaryLine", g.GetGrouping()->, SummaryLine),
      NEO_COLOR(u"Grouping.SummaryLineColor", g.GetGrouping()->, SummaryLineColor),
      NEO_INT(u"Grouping.SummaryLineWidth", g.GetGrouping()->, SummaryLineWidth, Integer, 2, 2147483647),
      NEO_COLOR(u"GridLineColor", g., GridLineColor),
      NEO_COLOR(u"GridFixedLineColor", g., GridFixedLineColor),
      NEO_INT(u"BackGround.Top", g.GetBackGround()->, Top, Integer, 0, 2147483647),
      NEO_INT(u"BackGround.Left", g.GetBackGround()->, Left, Integer, 0, 2147483647),
      NEO_NAME(u"BackGround.Display", vkDisplay, g.GetBackGround()->, Display, TBackGroundDisplay),
      NEO_NAME(u"BackGround.Cells", vkCells, g.GetBackGround()->, Cells, TBackGroundCells),
      NEO_COLOR(u"BackGround.Color", g.GetBackGround()->, Color),
      NEO_COLOR(u"BackGround.ColorTo", g.GetBackGround()->, ColorTo),
      // The gradient block: read only when NeoGradFrom has a value.
      NEO_COLOR(u"NeoGradFrom", g., NeoGradientFrom),
      NEO_COLOR(u"NeoGradTo", g., NeoGradientTo),
      NEO_COLOR(u"NeoGradMirrorFrom", g., NeoGradientMirrorFrom),
      NEO_COLOR(u"NeoGradMirrorTo", g., NeoGradientMirrorTo),
      NEO_INT(u"SelectionStyle", g., SelectionStyle, TGridSelectionStyle, 0, ssOffice2007),
  };
  return lines;
}

#undef NEO_COLOR
#undef NEO_BOOL
#undef NEO_INT
#undef NEO_NAME
#undef NEO_FONT

constexpr std::size_t GradientBlock = 69;   // index of NeoGradFrom
constexpr std::size_t SelectionColors = 2;  // SelectionColor .. SelectionTextColor: five lines

String ValueText(TNeoStringGrid& Grid, const TVisualLine& Line) {
  if (Line.Kind == vkText) return Line.GetText(Grid);
  Int64 v = Line.Get(Grid);
  switch (Line.Kind) {
    case vkColor: return ColorText(static_cast<TColor>(v));
    case vkBool: return v ? u"true" : u"false";
    case vkStyles: return StylesText(TFontStyles::FromBits(v));
    case vkControlStyle: return ControlStyleNames[v];
    case vkLook: return LookText(static_cast<TGridLook>(v));
    case vkDisplay: return DisplayNames[v];
    case vkCells: return CellsNames[v];
    default: return IntToStr(v);
  }
}

[[noreturn]] void BadValue(const String& Key, const String& Text) {
  throw EConvertError(u"'" + Text + u"' is not a valid value for " + Key);
}

// A line's value as read from the file; nothing for a name that matches no identifier (the
// property stays as it is).
struct TReadValue {
  std::optional<Int64> Number;
  String Text;
};

TReadValue ReadValue(const TVisualLine& Line, bool Present, const String& Text) {
  TReadValue r;
  switch (Line.Kind) {
    case vkText: r.Text = Text; return r;
    case vkColor: {
      TColor c = clNone;
      if (!Text.empty() && !TryColorFromText(Text, c)) BadValue(Line.Key, Text);
      r.Number = c;
      return r;
    }
    case vkBool: r.Number = SameText(Text, u"TRUE") ? 1 : 0; return r;
    case vkStyles: {
      TFontStyles styles;
      for (Integer i = 0; i < 4; ++i)
        if (Text.find(FontStyleNames[i]) != String::npos) styles.Include(static_cast<TFontStyle>(i));
      r.Number = static_cast<Int64>(styles.ToBits());
      return r;
    }
    case vkInteger: {
      Integer v = 0;
      if (!Present) {
        r.Number = Line.Default;
        return r;
      }
      if (!TryStrToInt(Text, v) || v < (Line.Max == 2147483647 ? -2147483647 - 1 : 0) || v > Line.Max)
        BadValue(Line.Key, Text);
      r.Number = v;
      return r;
    }
    case vkControlStyle: {
      Integer i = NameIndex(Text, ControlStyleNames);
      if (i >= 0) r.Number = i;
      return r;
    }
    case vkLook:
      for (const TLookName& l : LookNames)
        if (SameText(Text, l.Name)) r.Number = l.Look;
      return r;
    case vkDisplay: {
      Integer i = NameIndex(Text, DisplayNames);
      if (i >= 0) r.Number = i;
      return r;
    }
    case vkCells: {
      Integer i = NameIndex(Text, CellsNames);
      if (i >= 0) r.Number = i;
      return r;
    }
  }
  return r;
}

void Apply(TNeoStringGrid& Grid, const TVisualLine& Line, const TReadValue& Value) {
  if (Line.Kind == vkText)
    Line.SetText(Grid, Value.Text);
  else if (Value.Number)
    Line.Set(Grid, *Value.Number);
}

}  // namespace

void TNeoStringGrid::SaveVisualProps(const String& FileName) {
  TTextFile file;
  AssignFile(file, FileName);
  try {
    Rewrite(file);
  } catch (const EInOutError&) {
    throw Exception(u"Cannot Create " + FileName);
  }
  for (const TVisualLine& line : VisualLines()) WriteLn(file, String(line.Key) + u"=" + ValueText(*this, line));
  CloseFile(file);
}

void TNeoStringGrid::LoadVisualProps(const String& FileName) {
  // The text file only proves the file readable; the string list reads it, with a byte-order
  // mark when there is one. Both go when this method ends.
  TTextFile opened;
  AssignFile(opened, FileName);
  try {
    Reset(opened);
  } catch (const EInOutError&) {
    throw Exception(u"Cannot open file " + FileName);
  }
  TStringList file;
  file.LoadFromFile(FileName);
  const std::vector<TVisualLine>& table = VisualLines();
  auto present = [&](std::size_t i) { return file.IndexOfName(table[i].Key) >= 0; };
  auto text = [&](std::size_t i) {
    Integer at = file.IndexOfName(table[i].Key);
    return at < 0 ? String() : file.GetValueFromIndex(at);
  };
  // The balloon colour is read under the key the older files used.
  auto textOf = [&](std::size_t i) {
    if (String(table[i].Key) != u"Balloon.BackgroundColor") return text(i);
    Integer at = file.IndexOfName(u"Balloon.BackGroundColor");
    return at < 0 ? String() : file.GetValueFromIndex(at);
  };
  std::vector<TReadValue> values(table.size());
  bool gradient = !text(GradientBlock).empty();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (i >= GradientBlock && !gradient) break;
    values[i] = ReadValue(table[i], present(i), textOf(i));
  }
  for (std::size_t i = 0; i < GradientBlock; ++i) Apply(*this, table[i], values[i]);
  if (gradient) {
    for (std::size_t i = GradientBlock; i < table.size(); ++i) Apply(*this, table[i], values[i]);
    TControlLook* look = GetControlLook();
    look->SetFixedGradientFrom(GetNeoGradientFrom());
    look->SetFixedGradientTo(GetNeoGradientTo());
    look->SetFixedGradientMirrorFrom(GetNeoGradientMirrorFrom());
    look->SetFixedGradientMirrorTo(GetNeoGradientMirrorTo());
  }
  // The look's setter may have changed the selection colours: the file's come back.
  for (std::size_t i = SelectionColors; i < SelectionColors + 5; ++i) Apply(*this, table[i], values[i]);
  FLook = glCustom;
}
