// The graphics facade's markup engine: a drawing target over TNeoGraphics for the one line loop,
// the facade's dialect and preprocessing, and search highlighting over markup.
#include "lib/render/NeoHTMLGraphics.h"

#include <map>
#include <vector>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphicsTypes.h"
#include "lib/render/NeoHTMLControls.h"
#include "lib/render/NeoHTMLInternal.h"
#include "lib/render/NeoHTMLLayout.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/ImgList.h"

// A blank in one font: its advance and the height of a line.
struct TGraphicsHtmlBlank {
  String Name;
  Integer Size;
  TFontStyles Style;
  Single Advance, Height;
};

// A run's extent depends on its font's name, size and style and on its text (not on its colour).
struct TGraphicsHtmlRun {
  String Name;
  Integer Size;
  TFontStyles Style;
  String Text;
  TSizeF Extent;
};

// What runs of the engine over one text learnt: the prepared text and the extents of its runs and
// blanks (a text has a handful of runs: a list searched in order is the quickest).
struct TGraphicsHtmlExtents {
  String Source, Prepared;
  std::vector<TGraphicsHtmlRun> Runs;
  std::vector<TGraphicsHtmlBlank> Blanks;
};

namespace {

constexpr Single TextBox = 10000;

bool IsNoColor(TColor AColor) { return AColor == gcNull || AColor == clNone; }

// Draws through a TNeoGraphics with single-precision coordinates. Text goes through the facade's
// DrawText and CalculateText without markup; the fonts are selected only when they change.
//
// The graphics is left as the target found it. Text changes only the font's name, size, style
// and colour, which are put back one by one; the whole state (fill, stroke, font and the
// context's) is saved before the first call that draws anything else, and restored at the end.
// A run of plain text, the most common kind, so saves and restores nothing.
class TGraphicsHtmlTarget {
public:
  using Coord = Single;

  TGraphicsHtmlTarget(TNeoGraphics* AGraphics, const TGraphicsHtmlDrawParams& AParams, TGraphicsHtmlExtents& AExtents,
                      const THtmlFont& AFound)
      : G(AGraphics), FImages(AParams.AImages), FContainer(AParams.APictureContainer), FExtents(AExtents),
        FFound(AFound), FFont(AFound), FSelected(true) {}
  TGraphicsHtmlTarget(const TGraphicsHtmlTarget&) = delete;
  TGraphicsHtmlTarget& operator=(const TGraphicsHtmlTarget&) = delete;

  // The state and the font as the target found them.
  void PutBack() {
    if (FSaved) {
      TNeoGraphicsSaveState* saved = FSaved;
      FSaved = nullptr;
      G->RestoreState(saved);
      FFont = FFontAtSave;
      FSelected = FSelectedAtSave;
    }
    SelectFont(FFound);
  }

  static Coord Scaled(Double AValue) { return static_cast<Single>(AValue); }
  static Coord Half(Coord AValue) { return AValue / 2; }
  TColor NoColor() const { return gcNull; }

  void MeasureRun(const THtmlFont& AFont, StringView AText, UINT, Coord& W, Coord& H) {
    const TSizeF size = RunExtent(AFont, AText);
    W = size.cx;
    H = size.cy;
  }

  void DrawRun(const THtmlFont& AFont, TColor ABrush, StringView AText, Coord L, Coord T, Coord R, Coord B,
               UINT AFlags) {
    if (IsNoColor(AFont.Color)) return;
    SelectFont(AFont);
    const String text(AText);
    if (!IsNoColor(ABrush)) {
      const TSizeF size = RunExtent(AFont, AText);
      FillRect(L, B - size.cy, L + size.cx, B, ABrush);
    }
    const TNeoGraphicsTextTrimming trimming = (AFlags & DT_END_ELLIPSIS) ? gttCharacter : gttNone;
    if (AFont.Angle != 0) {
      // A turned run: its box from the run's bottom left, turned about its middle.
      const TSizeF size = RunExtent(AFont, AText);
      G->DrawText(TRectF{L, B - size.cy, L + size.cx, B}, text, false, gtaLeading, gtaTrailing, gttNone,
                  static_cast<Single>(-AFont.Angle), -1, -1, false);
      return;
    }
    G->DrawText(TRectF{L, T, R, B}, text, false, gtaLeading, gtaTrailing, trimming, 0, -1, -1, false);
  }

  void FillRect(Coord L, Coord T, Coord R, Coord B, TColor AColor) {
    if (IsNoColor(AColor)) return;
    KeepState();
    G->SetStrokeKind(gskNone);
    G->SetFillKind(gfkSolid);
    G->SetFillColor(AColor);
    G->DrawRectangle(Double(L), Double(T), Double(R), Double(B));
  }

  void Line(Coord X1, Coord Y1, Coord X2, Coord Y2, TColor AColor) {
    SetPen(AColor);
    G->DrawLine(TPointF{X1, Y1}, TPointF{X2, Y2});
  }

  void Ellipse(Coord L, Coord T, Coord R, Coord B, TColor AColor) {
    SetPen(AColor);   // keeps the state
    G->SetFillKind(gfkSolid);
    G->SetFillColor(AColor);
    G->DrawEllipse(Double(L), Double(T), Double(R), Double(B));
  }

  void FocusRect(Coord L, Coord T, Coord R, Coord B) {
    KeepState();
    G->DrawFocusRectangle(Double(L), Double(T), Double(R), Double(B));
  }

  bool ImageSize(Integer AIndex, Coord& W, Coord& H) {
    if (!FImages || AIndex < 0 || AIndex >= FImages->GetCount()) return false;
    W = static_cast<Single>(FImages->GetWidth());
    H = static_cast<Single>(FImages->GetHeight());
    return true;
  }

  // The list's picture drawn on a bitmap whose key colour is transparent, stretched into the box.
  void DrawImage(Integer AIndex, Coord L, Coord T, Coord R, Coord B, bool) {
    KeepState();
    constexpr TColor key = 0xFF00FF;
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(FImages->GetWidth(), FImages->GetHeight());
    bitmap.GetCanvas()->GetBrush()->SetColor(key);
    bitmap.GetCanvas()->FillRect(TRect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()});
    FImages->Draw(bitmap.GetCanvas(), 0, 0, AIndex, true);
    bitmap.SetTransparentColor(key);
    bitmap.SetTransparent(true);
    TPicture picture;
    picture.SetBitmap(&bitmap);
    G->DrawBitmap(Double(L), Double(T), Double(R), Double(B), &picture, false, true, false, false);
  }

  // Names without ":" are container pictures.
  bool PictureSize(StringView ASource, Coord& W, Coord& H) {
    TPicture* picture = ContainerPicture(ASource);
    if (!picture) return false;
    W = static_cast<Single>(picture->GetWidth());
    H = static_cast<Single>(picture->GetHeight());
    return true;
  }

  void DrawPicture(StringView ASource, Coord L, Coord T, Coord R, Coord B) {
    KeepState();
    if (TPicture* picture = ContainerPicture(ASource))
      G->DrawBitmap(Double(L), Double(T), Double(R), Double(B), picture, false, true, false, false);
  }

  // CHECK, RADIO and BUTTON through the facade's control drawings; the others only take space.
  void DrawControl(const THtmlControlFace& AFace) {
    KeepState();
    const TRectF box = RectToRectF(AFace.Box);
    switch (AFace.Kind) {
      case hcCheck: G->DrawCheckBox(box, AFace.Checked, false, true); break;
      case hcRadio: G->DrawRadioButton(box, AFace.Checked, false, true); break;
      case hcButton:
        G->DrawButton(box, AFace.State == hsPressed, false, true, false);
        FSelected = false;
        SelectFont(AFace.Font);
        G->DrawText(RectToRectF(AFace.TextBox), AFace.Text, false, gtaCenter, gtaCenter, gttNone, 0, -1, -1, false);
        break;
      case hcEdit:
      case hcCombo: break;
    }
    FSelected = false;   // the control drawings set fonts of their own
  }

  // BODY: a background picture tiled over the rectangle, corner pictures, and a colour or a
  // two-colour gradient filled and outlined. The colour goes first so the pictures stay visible.
  void DrawBody(const THtmlAttributes& A, Coord L, Coord T, Coord R, Coord B) {
    KeepState();
    if (A.Has(u"BGCOLOR")) BodyColor(A, L, T, R, B);
    if (A.Has(u"BACKGROUND")) TilePicture(A, L, T, R, B);
    if (A.Has(u"BGTOPLEFT")) {
      if (TPicture* picture = ContainerPicture(A.Value(u"BGTOPLEFT"))) G->DrawBitmap(L, T, picture);
    }
    if (A.Has(u"BGTOPRIGHT")) {
      if (TPicture* picture = ContainerPicture(A.Value(u"BGTOPRIGHT")))
        G->DrawBitmap(R - static_cast<Single>(picture->GetWidth()), T, picture);
    }
  }

private:
  // The extent of a run in its font, measured once per font and text (a drawing run reuses what
  // its measuring run learnt); the font is selected only to measure.
  TSizeF RunExtent(const THtmlFont& AFont, StringView AText) {
    for (const TGraphicsHtmlRun& run : FExtents.Runs)
      if (run.Text == AText && run.Size == AFont.Size && run.Style == AFont.Style && run.Name == AFont.Name)
        return run.Extent;
    SelectFont(AFont);
    const TSizeF size = Extent(AText);
    FExtents.Runs.push_back(TGraphicsHtmlRun{AFont.Name, AFont.Size, AFont.Style, String(AText), size});
    return size;
  }

  // The extent of a run in the selected font. Trailing blanks are measured one by one (a context may leave them out).
  TSizeF Extent(StringView AText) {
    std::size_t end = AText.size();
    while (end > 0 && AText[end - 1] == u' ') --end;
    const std::size_t blanks = AText.size() - end;
    TSizeF size{0, 0};
    if (end > 0) {
      const TRectF r = G->CalculateText(String(AText.substr(0, end)), TRectF{0, 0, TextBox, TextBox}, false, false);
      size = TSizeF{r.Width(), r.Height()};
    }
    if (blanks > 0) {
      const TGraphicsHtmlBlank& blank = SelectedBlank();
      size.cx += blank.Advance * static_cast<Single>(blanks);
      size.cy = std::max(size.cy, blank.Height);
    }
    return size;
  }

  // The blank of the selected font, measured once per font (runs switch between a few fonts over
  // and over).
  const TGraphicsHtmlBlank& SelectedBlank() {
    for (const TGraphicsHtmlBlank& b : FExtents.Blanks)
      if (b.Name == FFont.Name && b.Size == FFont.Size && b.Style == FFont.Style) return b;
    // The advance of a blank: between two letters, so no context leaves it out.
    const Single with = G->CalculateText(u"x x", TRectF{0, 0, TextBox, TextBox}, false, false).Width();
    const Single without = G->CalculateText(u"xx", TRectF{0, 0, TextBox, TextBox}, false, false).Width();
    const Single height = G->CalculateText(u"x", TRectF{0, 0, TextBox, TextBox}, false, false).Height();
    return FExtents.Blanks.emplace_back(
        TGraphicsHtmlBlank{FFont.Name, FFont.Size, FFont.Style, std::max(0.0f, with - without), height});
  }

  // Only what differs from the selected font is set (all of it after a control drew).
  void SelectFont(const THtmlFont& AFont) {
    // A size set by points need not give the pixel height back: another size is restored whole.
    if (AFont.Size != FFound.Size) KeepState();
    if (!FSelected || AFont.Name != FFont.Name) G->SetFontName(AFont.Name);
    if (!FSelected || AFont.Size != FFont.Size) G->SetFontSize(AFont.Size);
    if (!FSelected || AFont.Style != FFont.Style) G->SetFontStyles(AFont.Style);
    if (!FSelected || AFont.Color != FFont.Color) G->SetFontColor(AFont.Color);
    FFont = AFont;
    FSelected = true;
  }

  // Saves the whole state before the first call that changes more than the font.
  void KeepState() {
    if (FSaved) return;
    FSaved = G->SaveState();
    FFontAtSave = FFont;
    FSelectedAtSave = FSelected;
  }

  void SetPen(TColor AColor) {
    KeepState();
    G->SetStrokeKind(gskSolid);
    G->SetStrokeColor(AColor);
    G->SetStrokeWidth(1);
  }

  // The container's picture of that name; nothing for names with ":".
  TPicture* ContainerPicture(StringView AName) const {
    if (AName.empty() || AName.find(u':') != StringView::npos) return nullptr;
    return TNeoGraphics::GetBitmapFromPictureContainer(FContainer, String(AName));
  }

  static TColor BodyColorValue(const String& AValue) {
    return AValue.find(u'#') != String::npos ? TNeoGraphics::HTMLToColor(Trim(AValue)) : TNeoGraphics::TextToColor(Trim(AValue));
  }

  void BodyColor(const THtmlAttributes& A, Coord L, Coord T, Coord R, Coord B) {
    const TColor color = BodyColorValue(A.Value(u"BGCOLOR"));
    if (A.Has(u"BGCOLORTO")) {
      TNeoGraphicsFill fill;
      fill.Assign(G->GetFill());
      fill.SetKind(gfkGradient);
      fill.SetColor(color);
      fill.SetColorTo(BodyColorValue(A.Value(u"BGCOLORTO")));
      fill.SetOrientation(A.Value(u"DIR").find(u'H') != String::npos ? gfoHorizontal : gfoVertical);
      G->SetFill(&fill);
    } else {
      G->SetFillKind(gfkSolid);
      G->SetFillColor(color);
    }
    SetPen(color);
    G->DrawRectangle(Double(L), Double(T), Double(R), Double(B));
  }

  // "IDX:" is dropped; a name is a container picture; "FILE://" names a file loaded when it exists
  // (the path as written: file names keep their case).
  void TilePicture(const THtmlAttributes& A, Coord L, Coord T, Coord R, Coord B) {
    String name = A.Value(u"BACKGROUND");
    String written = A.ValueAsWritten(u"BACKGROUND");
    if (name.starts_with(u"IDX:")) {
      name.erase(0, 4);
      written.erase(0, 4);
    }
    TPicture loaded;
    TPicture* picture = nullptr;
    if (name.starts_with(u"FILE://")) {
      const String path = written.substr(7);
      if (!FileExists(path)) return;
      try {
        loaded.LoadFromFile(path);
      } catch (const Exception&) {
        return;   // not a picture: nothing drawn
      }
      picture = &loaded;
    } else {
      picture = ContainerPicture(name);
    }
    if (!picture) return;
    const Single w = static_cast<Single>(picture->GetWidth()), h = static_cast<Single>(picture->GetHeight());
    if (w <= 0 || h <= 0) return;
    TNeoGraphicsSaveState* state = G->SaveState(true);
    const auto restore = ScopeExit([&] { G->RestoreState(state, true); });
    G->ClipRect(TRectF{L, T, R, B});
    for (Single y = T; y < B; y += h)
      for (Single x = L; x < R; x += w) G->DrawBitmap(x, y, picture);
  }

  TNeoGraphics* G;
  TCustomImageList* FImages;
  TPictureContainer* FContainer;
  TGraphicsHtmlExtents& FExtents;
  const THtmlFont FFound;
  THtmlFont FFont;
  bool FSelected;
  TNeoGraphicsSaveState* FSaved = nullptr;
  THtmlFont FFontAtSave;
  bool FSelectedAtSave = false;
};

THtmlDialect GraphicsDialect(bool AURLUnderline) {
  THtmlDialect d;
  d.AnchorFirstQuoted = true;
  d.AnchorUnderline = AURLUnderline;
  d.BodyByTarget = true;
  d.ControlsNeedWidth = true;
  d.FontBullets = true;
  d.ShortSTags = true;
  d.ListsEndLines = true;
  d.Emoji = false;
  d.DecodeRun = &DecodeGraphicsHtmlRunEntities;
  d.ParseControl = [](StringView AText) { return ParseGraphicsHtmlControlTag(AText); };
  return d;
}

// The inputs of the canvas engine's parameters that share a role.
THtmlDrawParams CoreParams(const TGraphicsHtmlDrawParams& G) {
  THtmlDrawParams p;
  p.AX = G.AX;
  p.AY = G.AY;
  p.AFocusLink = G.AFocusLink;
  p.AHoverLink = G.AHoverLink;
  p.AShadowOffset = G.AShadowOffset;
  p.ACheckHotSpot = G.ACheckHotSpot;
  p.ACheckHeight = G.ACheckHeight;
  p.APrint = G.APrint;
  p.AFixedColors = G.AFixedColors;
  p.ABlink = G.ABlink;
  p.AHoverOnly = G.AHoverOnly;
  p.AWordWrap = G.AWordWrap;
  p.ADown = G.ADown;
  p.ADownID = G.ADownID;
  p.AResFactor = std::max(1.0, G.AResFactor);
  p.AURLColor = G.AURLColor;
  p.AHoverColor = G.AHoverColor;
  p.AHoverFontColor = G.AHoverFontColor;
  p.AShadowColor = G.AShadowColor;
  p.AAnchor = G.AAnchor;
  p.AControlID = G.ACheckHotSpot ? G.AControlID : String();
  return p;
}

TRectF ToRectF(const THtmlLayout<TGraphicsHtmlTarget>::TBox& ABox) {
  return TRectF{ABox.Left, ABox.Top, ABox.Right, ABox.Bottom};
}

bool IsAsciiNoCaseAt(StringView AText, std::size_t APos, StringView AWord) {
  if (AText.size() - APos < AWord.size()) return false;
  for (std::size_t i = 0; i < AWord.size(); ++i) {
    Char c = AText[APos + i];
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
    if (c != AWord[i]) return false;
  }
  return true;
}

// UnFixMarkup over the text with "&lt;" and "&gt;" kept as they stand.
String DecodeKeepingAngles(StringView AText) {
  String out;
  std::size_t from = 0;
  for (std::size_t pos = AText.find(u'&'); pos != StringView::npos; pos = AText.find(u'&', pos + 1)) {
    const StringView rest = AText.substr(pos);
    if (!rest.starts_with(u"&lt;") && !rest.starts_with(u"&gt;")) continue;
    out += TNeoUtils::UnFixMarkup(AText.substr(from, pos - from), true);
    out += rest.substr(0, 4);
    from = pos + 4;
    pos += 3;
  }
  out += TNeoUtils::UnFixMarkup(AText.substr(from), true);
  return out;
}

// Where each character of the plain text of a markup stands in it: characters outside tags at
// their place; a BR or HR tag is a CR LF, the CR at the tag's "<" and the LF at its ">".
struct TPlainMap {
  String Plain;
  std::vector<std::size_t> Positions;
};

TPlainMap MapPlainText(StringView AText) {
  TPlainMap map;
  const std::size_t lastGreater = AText.rfind(u'>');
  std::size_t i = 0;
  while (i < AText.size()) {
    if (AText[i] == u'<' && lastGreater != StringView::npos && lastGreater > i) {
      const std::size_t end = AText.find(u'>', i);
      if (IsAsciiNoCaseAt(AText, i, u"<br>") || IsAsciiNoCaseAt(AText, i, u"<hr>")) {
        map.Plain += u"\r\n";
        map.Positions.push_back(i);
        map.Positions.push_back(end);
      }
      i = end + 1;
      continue;
    }
    map.Plain += AText[i];
    map.Positions.push_back(i);
    ++i;
  }
  return map;
}

String EscapeAngles(StringView AText) {
  String out;
  for (const Char c : AText) {
    if (c == u'<') out += u"&lt;";
    else if (c == u'>') out += u"&gt;";
    else out += c;
  }
  return out;
}

String ApplyHilightThroughEngine(const String& AText, const String& ASearch, const String& ATag, bool ACaseSensitive) {
  String result;
  HighlightGraphicsHtmlText(AText, ASearch, ATag, result, ACaseSensitive);
  return result;
}

}  // namespace

String PrepareGraphicsHtmlText(StringView AText) {
  String text = AText.find(u'&') != StringView::npos ? DecodeKeepingAngles(AText) : String(AText);
  const std::size_t hash = text.find(u"<#");
  if (hash != String::npos) {
    text.erase(hash, 1);
    const std::size_t greater = text.find(u'>', hash);
    if (greater != String::npos) text.erase(greater, 1);
  }
  String out;
  out.reserve(text.size());
  for (const Char c : text) {
    if (c == u'\n') continue;
    if (c == u'\r') out += u"<BR>";
    else out += c;
  }
  return out;
}

String DecodeGraphicsHtmlRunEntities(StringView ARun) {
  if (ARun.find(u'&') == StringView::npos) return String(ARun);
  static constexpr struct {
    StringView Entity;
    Char Character;
  } entities[] = {{u"&nbsp;", u' '}, {u"&lt;", u'<'}, {u"&gt;", u'>'}};
  String out;
  out.reserve(ARun.size());
  for (std::size_t i = 0; i < ARun.size(); ++i) {
    bool replaced = false;
    if (ARun[i] == u'&') {
      for (const auto& e : entities) {
        if (IsAsciiNoCaseAt(ARun, i, e.Entity)) {
          out += e.Character;
          i += e.Entity.size() - 1;
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += ARun[i];
  }
  return out;
}

bool DrawGraphicsHtmlText(TGraphicsHtmlDrawParams& AParams) {
  TNeoGraphics* graphics = AParams.AGraphics;
  if (!graphics) return false;
  THtmlDrawParams p = CoreParams(AParams);
  THtmlLayoutInput in;
  in.Scale = AParams.AScale > 0 ? AParams.AScale : 1.0f;
  in.Flags = AParams.AWordWrap ? 0 : DT_END_ELLIPSIS;
  in.Dialect = GraphicsDialect(AParams.AURLUnderline);
  in.HighlightColor = AParams.AHighlightColor;
  in.HighlightTextColor = AParams.AHighlightTextColor;
  in.HighlightStyles = AParams.AHighlightFontStyles;
  in.LineSpacing = AParams.ALineSpacing;
  TNeoGraphicsFont* font = graphics->GetFont();
  const THtmlFont base{font->GetName(), font->GetSize(), font->GetStyle(), font->GetColor(), 0};
  const TColor callFill = graphics->GetFill()->GetColor();
  if (!AParams.AExtents) AParams.AExtents = std::make_shared<TGraphicsHtmlExtents>();
  TGraphicsHtmlTarget target(graphics, AParams, *AParams.AExtents, base);
  const auto restore = ScopeExit([&] { target.PutBack(); });
  THtmlLayout<TGraphicsHtmlTarget> layout(target, p, in, base);
  layout.SetRect({AParams.ARect.Left, AParams.ARect.Top, AParams.ARect.Right, AParams.ARect.Bottom});
  layout.FCallBrush = callFill;
  TGraphicsHtmlExtents& known = *AParams.AExtents;
  if (known.Prepared.empty() || known.Source != AParams.AText) {
    known.Source = AParams.AText;
    known.Prepared = PrepareGraphicsHtmlText(AParams.AText);
  }
  const bool result = layout.Run(known.Prepared);
  AParams.AAnchor = p.AAnchor;
  AParams.AStripped = p.AStripped;
  AParams.AFocusAnchor = p.AFocusAnchor;
  AParams.AXSize = layout.Out.XSize;
  AParams.AYSize = layout.Out.YSize;
  AParams.AHyperLinks = p.AHyperLinks;
  AParams.AMouseLink = p.AMouseLink;
  if (p.AMouseLink >= 0) AParams.AHoverRect = ToRectF(layout.Out.HoverRect);
  if (!p.AControlType.empty()) AParams.AControlRect = ToRectF(layout.Out.ControlRect);
  AParams.AControlID = p.AControlID;
  AParams.AControlValue = p.AControlValue;
  AParams.AControlType = p.AControlType;
  AParams.ALineCount += layout.Out.LineCount;
  return result;
}

void HighlightGraphicsHtmlText(const String& AText, const String& ASearch, const String& ATag, String& AResult,
                               bool ACaseSensitive) {
  String text = AText, search = ASearch;
  if (search.empty()) {
    AResult = text;
    return;
  }
  TPlainMap map = MapPlainText(text);
  if (text.find(search) != String::npos && map.Plain.find_first_of(u"<>") != String::npos) {
    text = EscapeAngles(map.Plain);
    search = EscapeAngles(search);
    map = MapPlainText(text);
  }
  const String plain = ACaseSensitive ? map.Plain : NeoHTMLInternal::UpperText(map.Plain);
  const String pattern = ACaseSensitive ? search : NeoHTMLInternal::UpperText(search);
  // What goes in front of each markup position.
  std::map<std::size_t, String> inserts;
  const NeoHTMLInternal::TTextSearcher searcher(pattern);
  for (std::size_t at = searcher.Find(plain); at != String::npos; at = searcher.Find(plain, at + pattern.size())) {
    inserts[map.Positions[at]] += u"<" + ATag + u">";
    inserts[map.Positions[at + pattern.size() - 1] + 1] += u"</" + ATag + u">";
  }
  AResult.clear();
  AResult.reserve(text.size() + inserts.size() * (ATag.size() + 3));
  auto next = inserts.begin();
  for (std::size_t i = 0; i <= text.size(); ++i) {
    for (; next != inserts.end() && next->first == i; ++next) AResult += next->second;
    if (i < text.size()) AResult += text[i];
  }
}

void RegisterNeoHTMLGraphicsUnit() {
  RegisterNeoGraphicsTypesUnit();   // the colour names of BODY BGCOLOR
  RegisterUnit(
      u"NeoHTMLGraphics",
      [] {
        NeoGraphicsRegistry::RegisterDrawGraphicsHtmlText(&DrawGraphicsHtmlText);
        NeoGraphicsRegistry::RegisterApplyHilight(&ApplyHilightThroughEngine);
      },
      [] {
        NeoGraphicsRegistry::RegisterDrawGraphicsHtmlText(nullptr);
        NeoGraphicsRegistry::RegisterApplyHilight(nullptr);
      });
}
