#pragma once
// The one line loop of the markup engines, a template over its drawing target. A target supplies:
//
//   using Coord;                                   Integer or Single
//   static Coord Scaled(Double v);                 a device length (rounded for Integer)
//   static Coord Half(Coord v);
//   void MeasureRun(const THtmlFont&, StringView, UINT AFlags, Coord& W, Coord& H);
//   void DrawRun(const THtmlFont&, TColor ABrush, StringView, Coord L, Coord T, Coord R, Coord B, UINT AFlags);
//   void FillRect(Coord L, Coord T, Coord R, Coord B, TColor);
//   void Line(Coord X1, Coord Y1, Coord X2, Coord Y2, TColor);
//   void Ellipse(Coord L, Coord T, Coord R, Coord B, TColor);
//   void FocusRect(Coord L, Coord T, Coord R, Coord B);
//   Coord Emoji(Coord X, Coord Y, bool AMeasureOnly, StringView AChars, Integer AFontSize);
//   bool ImageSize(Integer AIndex, Coord& W, Coord& H);             image-list picture "IDX:n";
//                                                                    false: no list or no such index
//   void DrawImage(Integer AIndex, Coord L, Coord T, Coord R, Coord B, bool APrint);
//                                                                    at its own size when the box is
//                                                                    that size and not printing,
//                                                                    else stretched into the box
//   bool PictureSize(StringView ASource, Coord& W, Coord& H);       other sources (shell icons,
//                                                                    names, URLs); false: none
//   void DrawPicture(StringView ASource, Coord L, Coord T, Coord R, Coord B);
//   void DrawControl(const THtmlControlFace&);
//   TColor NoColor() const;                        the "no colour" value of the dialect
//
// Optional, used when present:
//   Coord Emoji(Coord X, Coord Y, bool AMeasureOnly, StringView AChars, Integer AFontSize);
//                                                  the emoji pseudo-tag (J); without it J is ignored
//   void DrawBody(const THtmlAttributes&, Coord L, Coord T, Coord R, Coord B);
//                                                  BODY backgrounds of the graphics dialect
//   void TileBackground(StringView ASource, Coord L, Coord T, Coord R, Coord B);
//                                                  BODY BACKGROUND of the canvas dialect: the
//                                                  picture tiled over the box, clipped to it
//
// The engine keeps the drawing state (font, brush colour, flags) itself and hands the font to every
// run, so the target holds no state between calls besides its device.
#include <algorithm>
#include <vector>

#include "lib/render/NeoHTMLControls.h"
#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/NeoHTMLTags.h"
#include "platform/win/WinGdi.h"

// Picture sources are used as written (file names and URLs keep their case); their prefixes
// ("IDX:", "SSYS:", "LSYS:") match in any case. A shell icon is "SSYS:" (small) or "LSYS:" (large)
// and a name.
inline bool IsShellIconSource(StringView ASource, bool& ALarge) {
  ALarge = StartsWithNoCase(ASource, u"LSYS:");
  return ALarge || StartsWithNoCase(ASource, u"SSYS:");
}

// The font of a run as the engine tracks it.
struct THtmlFont {
  String Name;
  Integer Size = 8;
  TFontStyles Style;
  TColor Color = clBlack;
  Integer Angle = 0;   // degrees, counter-clockwise
  bool operator==(const THtmlFont&) const = default;
};

enum THtmlControlKind { hcEdit, hcCombo, hcCheck, hcRadio, hcButton };
enum THtmlControlState { hsNormal, hsHot, hsPressed };

// One control face to draw, in device coordinates.
struct THtmlControlFace {
  THtmlControlKind Kind = hcEdit;
  TRect Box{};          // the face (frame, check box, button)
  TRect ButtonBox{};    // COMBO: the drop-down button
  TRect TextBox{};      // where the value or caption goes
  String Text;
  bool Checked = false;
  THtmlControlState State = hsNormal;
  TColor FrameColor = 0x808080;
  bool Themed = false;
  THtmlFont Font;
};

// Where the language of the graphics facade's engine differs from the canvas engine's. The
// defaults are the canvas engine's.
struct THtmlDialect {
  bool AnchorFirstQuoted = false;   // A: the link is the first quoted value; no HREF, no TITLE
  bool AnchorUnderline = true;      // A: hovered anchors are underlined
  bool BodyByTarget = false;        // BODY: backgrounds drawn by the target's DrawBody, not when
                                    // colours are fixed; the brush is left alone
  bool ControlsNeedWidth = false;   // CONTROL: ignored without WIDTH unless CHECK or RADIO, which
                                    // are 16 x print scale + 2 square
  bool FontBullets = false;         // LI: bullets and numbers in the current font, bullet U+2022
  bool ShortSTags = false;          // S: no STRIKE and no SPAN
  bool ListsEndLines = false;       // UL: always raises the level and ends the line
  bool Emoji = true;                // J: the emoji pseudo-tag
  String (*DecodeRun)(StringView) = &DecodeHtmlRunEntities;   // the entities of a text run
  THtmlControlTag (*ParseControl)(StringView) = [](StringView AText) { return ParseHtmlControlTag(AText); };
};

// The call-wide inputs a core needs besides the target.
struct THtmlLayoutInput {
  Single Scale = 1.0f;   // device scale (vertical pixels per inch / 96)
  UINT Flags = 0;        // DrawText flags of runs
  bool Themed = false;
  THtmlDialect Dialect;
  // HI: the background and text colours (the engine-wide ones unless set) and the font styles
  // added.
  TColor HighlightColor = HtmlHighlightColor();
  TColor HighlightTextColor = HtmlHighlightTextColor();
  TFontStyles HighlightStyles;
  Double LineSpacing = 0;   // added to the vertical position after every line
};

template <class TTarget>
class THtmlLayout {
public:
  using Coord = typename TTarget::Coord;

  // A rectangle in the target's coordinates.
  struct TBox {
    Coord Left{}, Top{}, Right{}, Bottom{};
    bool operator==(const TBox&) const = default;
  };

  // The outputs in the target's coordinates (the integer ones of THtmlDrawParams are set too).
  struct TOutput {
    Coord XSize{}, YSize{};
    TBox HoverRect, ControlRect;
    Integer LineCount = 0;   // one more for every line laid out
  };

  THtmlLayout(TTarget& ATarget, THtmlDrawParams& AParams, const THtmlLayoutInput& AInput, const THtmlFont& ABase)
      : T(ATarget), P(AParams), In(AInput), Base(ABase) {
    S.Font = ABase;
    S.Brush = S.SavedBackground = S.SavedHoverBrush = S.SavedHoverFont = T.NoColor();
    S.SavedHiBrush = S.SavedHiFont = S.SavedParaBrush = S.ParaColor = T.NoColor();
    Coord w{}, h{};
    T.MeasureRun(ABase, u"gh", In.Flags, w, h);
    GH = h;
    R = TBox{Coord(P.ARect.left), Coord(P.ARect.top), Coord(P.ARect.right), Coord(P.ARect.bottom)};
    Out.HoverRect = ToBox(P.AHoverRect);
    Out.ControlRect = ToBox(P.AControlRect);
  }

  // The rectangle to lay out in, when it is not P.ARect (fractional coordinates).
  void SetRect(const TBox& ARect) { R = ARect; }

  // Lays out the prepared text; returns the hit result.
  bool Run(StringView AText) {
    bool result = false;
    const Coord rectLeft = R.Left + Coord(1), rectRight = R.Right;
    Coord top = R.Top;
    Coord ySize{};
    std::size_t pos = 0;
    while (pos < AText.size()) {
      const TState before = S;
      TLine line;
      line.Left = rectLeft + FloatLeft;
      line.Right = rectRight - FloatRight;
      line.Top = top;
      line.PenStart = line.Left;
      const std::size_t start = pos;
      pos = Line(AText, start, line, pmMeasure);
      const StringView markup = AText.substr(start, pos - start);
      // Alignment and indent.
      Coord left = line.Left;
      if (line.Align == paRight && line.Right - line.W > left) left = line.Right - line.W;
      if (line.Align == paCenter && line.Right - line.Left - line.W > Coord{})
        left = line.Left + TTarget::Half(line.Right - line.Left - line.W);
      left += line.Indent;
      const Coord bottom = top + line.H + line.SubExtra + line.SupExtra;
      if (!P.ACheckHeight) {
        S = before;
        TLine draw = line;
        draw.PenStart = left;
        draw.Bottom = bottom;
        draw.AnchorFlag = false;
        Line(markup, 0, draw, P.ACheckHotSpot ? pmHitTest : pmDraw);
        if (P.ACheckHotSpot) line.AnchorFlag = line.AnchorFlag || draw.AnchorFlag;
        const Coord y = Coord(P.AY);
        if (line.AnchorFlag && y > bottom - line.D - GH && y < bottom - line.D) result = true;
        if (FControlHit || FPictureHit) result = true;
      }
      ++Out.LineCount;
      if (FParagraphFloat) {
        // A paragraph float began on this line: the next line starts at its top again, beside
        // the floated picture.
        FParagraphFloat = false;
        FFloatBottom = std::max(FFloatBottom, bottom);
      } else {
        const Coord height = bottom - top + Coord(In.LineSpacing);
        top += height;
        ySize += height;
      }
      EndFloats(top);
      if (line.DropRest) break;
      if (!P.ACheckHeight && top + GH > R.Bottom) break;
    }
    // A floated picture taller than the lines beside it still counts.
    ySize = std::max(ySize, FFloatBottom - R.Top);
    if (ySize == Coord{}) ySize = GH;
    Out.YSize = ySize;
    P.AXSize = static_cast<Integer>(Out.XSize);
    P.AYSize = static_cast<Integer>(Out.YSize);
    P.AHoverRect = ToRect(Out.HoverRect);
    P.AControlRect = ToRect(Out.ControlRect);
    return result;
  }

  TOutput Out;

private:
  enum TPassMode { pmMeasure, pmDraw, pmHitTest };
  enum TParaAlign { paLeft, paRight, paCenter };

  // Drawing state that tags change; carried from line to line by each pass.
  struct TState {
    THtmlFont Font;
    TColor Brush = clNone;
    TColor SavedBackground = clNone;
    TColor SavedHoverBrush = clNone, SavedHoverFont = clNone;
    TColor SavedHiBrush = clNone, SavedHiFont = clNone;
    TFontStyles SavedHiStyle;
    TColor SavedParaBrush = clNone;
    bool InAnchor = false;
    String Href, Title;
    Integer Anchors = 0;
    bool HoverApplied = false;
    bool AnchorHit = false;
    Coord AnchorX{}, AnchorTop{};
    bool Error = false, Shadow = false, Sub = false, Sup = false, Hidden = false, Highlight = false;
    Integer ListLevel = 0;
    bool Ordered = false;
    Integer ItemNo = 1;
    TParaAlign Align = paLeft;
    Coord Indent{};
    bool ParaBackground = false;
    TColor ParaColor = clNone;
    Integer Rotation = 0;
    Coord ControlWidth{};
    Integer Pictures = 0;
  };

  // One line: inputs from the caller and what the pass finds.
  struct TLine {
    Coord Left{}, Right{}, Top{}, Bottom{}, PenStart{};
    Coord W{}, H{}, SubExtra{}, SupExtra{}, D{}, Blank{};
    TParaAlign Align = paLeft;
    Coord Indent{};
    bool AnchorFlag = false;
    bool DropRest = false;
    bool HasContent = false;
    Integer Items = 0;
  };

  bool Drawing(TPassMode AMode) const { return AMode == pmDraw; }
  bool Measuring(TPassMode AMode) const { return AMode != pmDraw; }

  // Consumes one line of AText from APos; returns the position after it.
  std::size_t Line(StringView AText, std::size_t APos, TLine& L, TPassMode AMode) {
    L.H = GH;
    L.W = L.Blank = Coord{};
    L.Items = 0;
    L.HasContent = false;
    Coord pen = L.PenStart;
    if (S.ParaBackground && Drawing(AMode)) T.FillRect(R.Left, L.Top, R.Right, L.Top + L.H, S.ParaColor);
    const Coord width = L.Right - L.Left;
    bool endsWithBlank = false;
    bool ended = false;
    std::size_t pos = APos;
    while (pos < AText.size() && !ended) {
      if (AText[pos] != u'<') {
        std::size_t end = AText.find(u'<', pos);
        if (end == StringView::npos) end = AText.size();
        if (P.AWordWrap) {
          const std::size_t blank = AText.find(u' ', pos);
          if (blank != StringView::npos && blank < end) end = blank + 1;
        }
        const StringView raw = AText.substr(pos, end - pos);
        const String run = In.Dialect.DecodeRun(raw);
        if (S.Hidden) {
          pos = end;
          continue;
        }
        Coord rw{}, rh{};
        T.MeasureRun(S.Font, run, In.Flags, rw, rh);
        if (P.AWordWrap && L.W + rw > width && L.W > Coord{} && endsWithBlank) break;   // starts the next line
        if (AMode == pmMeasure) P.AStripped += run;
        L.H = std::max(L.H, rh);
        if (S.Sub) L.SubExtra = std::max(L.SubExtra, TTarget::Half(TTarget::Half(rh)));
        if (S.Sup) L.SupExtra = std::max(L.SupExtra, TTarget::Half(TTarget::Half(rh)));
        if (Measuring(AMode)) HitRun(L, rw);
        if (Drawing(AMode)) DrawRun(L, run, pen, rw);
        if (!P.AWordWrap && L.W == Coord{} && rw > width && !L.HasContent) {
          // A single run too wide for its line ends the text (the ellipsis flag shortens it).
          L.DropRest = AMode == pmMeasure;
        }
        pen += rw;
        L.W += rw;
        L.HasContent = true;
        endsWithBlank = !run.empty() && run.back() == u' ';
        if (endsWithBlank) {
          Coord bw{}, bh{};
          T.MeasureRun(S.Font, u" ", In.Flags, bw, bh);
          L.Blank = bw;
        } else {
          L.Blank = Coord{};
        }
        pos = end;
        if (L.DropRest) {
          pos = AText.size();
          break;
        }
        continue;
      }
      THtmlTag tag;
      if (!ReadHtmlTag(AText.substr(pos), tag)) {
        pos = AText.size();   // an unfinished tag ends the text
        break;
      }
      const TTagOutcome outcome = ApplyTag(tag, L, pen, AMode);
      if (outcome == toKeep && pos > APos) {
        ended = true;   // the tag starts the next line
        break;
      }
      pos += tag.Text.size();
      if (outcome == toEndLine) ended = true;
    }
    L.W -= L.Blank;
    if (L.W < Coord{}) L.W = Coord{};
    if (AMode == pmMeasure) {
      L.Align = S.Align;
      L.Indent = S.Indent;
    }
    Out.XSize = std::max(Out.XSize, L.W);
    if (S.InAnchor && S.Anchors - 1 == P.AFocusLink && Drawing(AMode)) {
      FocusRect(L, pen);
      FFocusLeft = L.PenStart;
    }
    return pos;
  }

  // Right-to-left reading (the DrawText flags carry it): runs are laid out from the line's right
  // edge leftwards, the mirror image of the left-to-right line.
  bool RightToLeft() const { return (In.Flags & DT_RTLREADING) != 0; }

  // Where a box of AWidth laid out from AX on the line is drawn: there, or mirrored about the
  // line's middle for right-to-left reading.
  Coord PlaceX(const TLine& L, Coord AX, Coord AWidth) const {
    return RightToLeft() ? L.Left + L.Right - AX - AWidth : AX;
  }
  TBox PlaceBox(const TLine& L, const TBox& ABox) const {
    const Coord x = PlaceX(L, ABox.Left, ABox.Right - ABox.Left);
    return TBox{x, ABox.Top, x + ABox.Right - ABox.Left, ABox.Bottom};
  }
  // The test point's x in layout coordinates (mirrored back for right-to-left reading).
  Coord PointX(const TLine& L) const {
    const Coord x = Coord(P.AX);
    return RightToLeft() ? L.Left + L.Right - x : x;
  }

  // The focus rectangle of the focused anchor from where it opened to the pen, one pixel wider on
  // each side, over the text of the line.
  void FocusRect(const TLine& L, Coord APen) {
    const TBox box = PlaceBox(L, TBox{FFocusLeft - Coord(1), L.Bottom - L.D - GH, APen + Coord(1), L.Bottom - L.D});
    T.FocusRect(box.Left, box.Top, box.Right, box.Bottom);
  }

  void HitRun(TLine& L, Coord ARunWidth) {
    if (P.AX < 0) return;
    const Coord x = PointX(L) - L.PenStart;
    if (x < L.W || x > L.W + ARunWidth || !S.InAnchor) return;
    L.AnchorFlag = true;
    if (Coord(P.AY) > L.Top) {
      P.AAnchor = S.Href;
      P.ATitle = S.Title;
      S.AnchorHit = true;
      FHitAnchor = S.Anchors;
    }
  }

  void DrawRun(TLine& L, StringView ARun, Coord APen, Coord ARunWidth) {
    // Normal text sits on the line bottom less the room kept below for subscripts.
    Coord bottom = L.Bottom - L.SubExtra - L.D;
    if (S.Sup) bottom -= L.SupExtra;
    if (S.Sub) bottom += L.SubExtra;
    Coord left = APen, right = L.Right;
    if (RightToLeft()) {
      right = L.Left + L.Right - APen;
      left = right - ARunWidth;
    }
    const UINT flags = In.Flags;
    if (S.Shadow) {
      THtmlFont shadow = S.Font;
      shadow.Color = P.AShadowColor;
      const Coord off = Coord(P.AShadowOffset);
      T.DrawRun(shadow, T.NoColor(), ARun, left + off, L.Top + off, right + off, bottom + off, flags);
    }
    T.DrawRun(S.Font, S.Brush, ARun, left, L.Top, right, bottom, flags);
    if (S.InAnchor && S.Anchors - 1 == P.AFocusLink) P.AFocusAnchor = S.Href;
    if (S.Error) ErrorWave(left, left + ARunWidth, bottom);
  }

  // A red zigzag one pixel wide under a run: from its left lowered to an even value to its right,
  // between the text bottom's row and 2 rows lower, turning every 2 pixels.
  void ErrorWave(Coord ALeft, Coord ARight, Coord ABottom) {
    Integer x = static_cast<Integer>(ALeft);
    x -= ((x % 2) + 2) % 2;
    const Integer right = static_cast<Integer>(ARight);
    const Integer y = static_cast<Integer>(ABottom);
    bool low = false;
    for (; x < right; x += 2) {
      T.Line(Coord(x), Coord(low ? y + 2 : y), Coord(x + 2), Coord(low ? y : y + 2), 0x0000FF);
      low = !low;
    }
  }

  enum TTagOutcome { toConsume, toEndLine, toKeep };

  TTagOutcome ApplyTag(const THtmlTag& ATag, TLine& L, Coord& APen, TPassMode AMode) {
    const THtmlAttributes attrs(ATag.Attributes());
    return ATag.Closing ? CloseTag(ATag, L, APen, AMode) : OpenTag(ATag, attrs, L, APen, AMode);
  }

  bool HoverApplies() const { return !P.AHoverOnly || S.Anchors == P.AHoverLink; }

  static Integer IntOr(StringView AText, Integer ADefault) {
    Integer v = 0;
    return TryStrToInt(Trim(String(AText)), v) ? v : ADefault;
  }

  TColor ColorValue(const String& AValue) const {
    if (AValue.empty()) return clBlack;
    if (AValue[0] == u'#') return HtmlHexColor(AValue);
    return HtmlColorByName(LowerCase(AValue));
  }

  TTagOutcome OpenTag(const THtmlTag& ATag, const THtmlAttributes& A, TLine& L, Coord& APen, TPassMode AMode) {
    const bool draw = Drawing(AMode);
    switch (ATag.Kind) {
      case htAnchor: {
        if (S.Anchors == P.AFocusLink) {
          FFocusLeft = APen;
        }
        ++S.Anchors;
        if (AMode == pmMeasure) P.AHyperLinks = std::max(P.AHyperLinks, S.Anchors);
        S.InAnchor = true;
        if (In.Dialect.AnchorFirstQuoted) {
          S.Href = A.FirstQuoted(true);
        } else {
          S.Href = A.ValueAsWritten(u"HREF");
          S.Title = A.ValueAsWritten(u"TITLE");
        }
        S.HoverApplied = false;
        bool hoverFont = false;
        if (HoverApplies() && draw) {
          S.HoverApplied = true;
          if (In.Dialect.AnchorUnderline) S.Font.Style.Include(fsUnderline);
          if (P.AHoverColor != T.NoColor()) {
            S.SavedHoverBrush = S.Brush;
            S.Brush = P.AHoverColor;
          }
          if (P.AHoverFontColor != T.NoColor()) {
            S.SavedHoverFont = S.Font.Color;
            S.Font.Color = P.AHoverFontColor;
            hoverFont = true;
          }
        }
        if (!P.AFixedColors && !hoverFont) S.Font.Color = P.AURLColor;
        S.AnchorX = APen;
        S.AnchorTop = L.Top;
        S.AnchorHit = false;
        return toConsume;
      }
      case htBold: S.Font.Style.Include(fsBold); return toConsume;
      case htItalic: S.Font.Style.Include(fsItalic); return toConsume;
      case htUnderline: S.Font.Style.Include(fsUnderline); return toConsume;
      case htStrike:
        if (In.Dialect.ShortSTags && ATag.Next >= u'A' && ATag.Next <= u'Z') return toConsume;   // STRIKE
        S.Font.Style.Include(fsStrikeOut);
        return toConsume;
      case htLineBreak:
        if (AMode == pmMeasure) P.AStripped += u'\r';
        return toEndLine;
      case htBlink:
        if (!P.ABlink) S.Font.Color = FCallBrush;
        return toConsume;
      case htBody: Body(A, L, AMode); return toConsume;
      case htControl: return Control(A, L, APen, AMode);
      case htError: if (draw) S.Error = true; return toConsume;
      case htFont: Font(A, draw); return toConsume;
      case htHighlight:
        if (draw) {
          S.Highlight = true;
          S.SavedHiBrush = S.Brush;
          S.SavedHiFont = S.Font.Color;
          S.SavedHiStyle = S.Font.Style;
          S.Brush = In.HighlightColor;
          S.Font.Color = In.HighlightTextColor;
          S.Font.Style += In.HighlightStyles;
        }
        return toConsume;
      case htRule:
        if (draw) {
          const String c = A.ValueAsWritten(u"COLOR");
          T.Line(L.Left, L.Bottom + Coord(1), L.Right, L.Bottom + Coord(1), c.empty() ? clBlack : ColorValue(c));
        }
        return toEndLine;
      case htIndent: {
        const Integer x = IntOr(A.FirstQuoted(true), 0);
        const Coord to = R.Left + TTarget::Scaled(x * In.Scale);
        if (APen < to) {
          L.W += to - APen;
          APen = to;
        }
        return toConsume;
      }
      case htImage: return Image(A, L, APen, AMode);
      case htEmoji: {
        if (S.Hidden || !In.Dialect.Emoji) return toConsume;
        if constexpr (requires(TTarget& t) { t.Emoji(Coord{}, Coord{}, false, StringView{}, 0); }) {
        const StringView text = ATag.Text;
        const StringView chars = text.size() >= 5 ? text.substr(3, text.size() - 5) : StringView{};
        const Coord adv = T.Emoji(APen, L.Top, !draw, chars, S.Font.Size);
        APen += adv;
        L.W += adv;   // the emoji takes its width on the line
        L.Blank = Coord{};
        L.HasContent = true;
        }
        return toConsume;
      }
      case htListItem: return ListItem(A, L, APen, AMode);
      case htUnorderedList:
        if (In.Dialect.ListsEndLines) {
          ++S.ListLevel;
          S.Ordered = false;
          return toEndLine;
        }
        [[fallthrough]];
      case htOrderedList:
        {
          // The level rises in every pass (each pass starts from the state before the line), so
          // a measuring call sees the indentation drawing uses.
          ++S.ListLevel;
          if (ATag.Kind == htUnorderedList) S.Ordered = false;
          if (ATag.Kind == htOrderedList) {
            S.Ordered = true;
            S.ItemNo = 1;
          }
        }
        return L.HasContent ? toEndLine : toConsume;
      case htParagraph: Paragraph(A, L, AMode); return toConsume;
      case htRotate: S.Font.Angle = IntOr(A.FirstQuoted(true), 0); return toConsume;
      case htSpan: {
        if (In.Dialect.ShortSTags) return toConsume;
        String style = UpperCase(String(A.After(u"=")));
        const std::size_t q = style.find(u'"');
        if (q != String::npos) style = style.substr(q + 1);
        const std::size_t at = style.find(u"BACKGROUND-COLOR:");
        if (at != String::npos) {
          String rest = style.substr(at + 17);
          if (!rest.empty() && rest[0] == u'#') {
            S.SavedBackground = S.Brush;
            S.Brush = HtmlHexColor(rest);
          }
        }
        return toConsume;
      }
      case htShadow: S.Shadow = true; return toConsume;
      case htSubscript: S.Sub = true; return toConsume;
      case htSuperscript: S.Sup = true; return toConsume;
      case htHidden: S.Hidden = true; return toConsume;
      case htUnknown: return toConsume;
    }
    return toConsume;
  }

  TTagOutcome CloseTag(const THtmlTag& ATag, TLine& L, Coord& APen, TPassMode AMode) {
    const bool draw = Drawing(AMode);
    switch (ATag.Kind) {
      case htAnchor: {
        if (!S.InAnchor) return toConsume;
        if (S.HoverApplied) {
          if (In.Dialect.AnchorUnderline) S.Font.Style.Exclude(fsUnderline);
          if (P.AHoverColor != T.NoColor()) S.Brush = S.SavedHoverBrush;
          if (P.AHoverFontColor != T.NoColor()) S.Font.Color = S.SavedHoverFont;
        }
        if (!P.AFixedColors) S.Font.Color = Base.Color;
        if (FHitAnchor == S.Anchors && FHitAnchor > 0) {
          const bool earlier = S.AnchorTop < L.Top;
          const Coord x0 = earlier ? L.PenStart : S.AnchorX;
          const Coord bottom = draw ? L.Bottom : L.Top + L.H;
          Out.HoverRect = PlaceBox(L, TBox{x0, earlier ? L.Top : S.AnchorTop, L.PenStart + L.W, bottom});
          P.AMouseLink = S.Anchors;
        }
        if (S.Anchors - 1 == P.AFocusLink && draw)
          FocusRect(L, APen);
        S.InAnchor = false;
        S.HoverApplied = false;
        return toConsume;
      }
      case htBold: S.Font.Style.Exclude(fsBold); return toConsume;
      case htBody:
      case htBlink: S.Font.Color = Base.Color; return toConsume;
      case htError: if (draw) S.Error = false; return toConsume;
      case htFont:
        S.Font.Name = Base.Name;
        S.Font.Size = Base.Size;
        if (!P.AFixedColors && draw) {
          S.Font.Color = Base.Color;
          S.Brush = S.SavedBackground;
        }
        return toConsume;
      case htHighlight:
        if (draw && S.Highlight) {
          S.Brush = S.SavedHiBrush;
          S.Font.Color = S.SavedHiFont;
          S.Font.Style = S.SavedHiStyle;
          S.Highlight = false;
        }
        return toConsume;
      case htItalic: S.Font.Style.Exclude(fsItalic); return toConsume;
      case htListItem: return toEndLine;
      case htOrderedList:
        if (S.ListLevel > 0) --S.ListLevel;
        if (draw) S.Ordered = false;
        return toConsume;
      case htParagraph:
        S.ParaBackground = false;
        if (draw) {
          S.Align = paLeft;
          S.Brush = S.SavedParaBrush;
        }
        return toEndLine;
      case htRotate: S.Font.Angle = 0; return toConsume;
      case htStrike: S.Font.Style.Exclude(fsStrikeOut); return toConsume;
      case htSubscript:
      case htSuperscript: S.Sub = S.Sup = false; return toConsume;
      case htSpan: S.Brush = S.SavedBackground; return toConsume;
      case htShadow: S.Shadow = false; return toConsume;
      case htUnderline:
        S.Font.Style.Exclude(fsUnderline);
        return toConsume;
      case htUnorderedList:
        if (S.ListLevel > 0) --S.ListLevel;
        else S.Font.Style.Exclude(fsUnderline);
        return toConsume;
      case htHidden: S.Hidden = false; return toConsume;
      default: return toConsume;
    }
  }

  void Font(const THtmlAttributes& A, bool ADraw) {
    if (A.Has(u"FACE")) {
      const String face = A.Value(u"FACE");
      if (!face.empty()) S.Font.Name = face;
    }
    if (!P.AFixedColors) {
      const StringView after = A.After(u" COLOR");
      if (!after.empty() || A.Has(u" COLOR")) {
        const String c = A.Value(u" COLOR");
        if (!c.empty()) S.Font.Color = ColorValue(c);
      }
      if (ADraw && A.Has(u"BGCOLOR")) {
        S.SavedBackground = S.Brush;
        S.Brush = ColorValue(A.Value(u"BGCOLOR"));
      }
    }
    if (A.Has(u"STYLE")) {
      String style = UpperCase(String(A.After(u"STYLE")));
      const std::size_t eq = style.find(u'"');
      if (eq != String::npos) style = style.substr(eq + 1);
      const std::size_t at = style.find(u"FONT-SIZE:");
      const std::size_t pt = style.find(u"PT");
      if (at != String::npos && pt != String::npos && pt > at + 10) {
        const Integer size = IntOr(StringView(style).substr(at + 10, pt - at - 10), 0);
        if (size > 0) S.Font.Size = size;
      }
    } else if (A.Has(u"SIZE")) {
      const Integer v = IntOr(A.Value(u"SIZE"), 0);
      static constexpr Integer sizes[] = {8, 10, 12, 14, 16};
      if (v >= 1 && v <= 5) S.Font.Size = sizes[v - 1];
      else if (v > 0) S.Font.Size = v;
    }
  }

  void Body(const THtmlAttributes& A, TLine& L, TPassMode AMode) {
    if (A.Has(u"FONT-FAMILY")) {
      const String v = String(A.After(u"FONT-FAMILY"));
      const THtmlAttributes rest(v);
      const String name = rest.FirstQuoted(true);
      if (!name.empty()) S.Font.Name = name;
    }
    auto valueAfter = [&](StringView AName) {
      String v = String(A.After(AName));
      if (!v.empty()) v = v.substr(1);
      const std::size_t end = v.find_first_of(u";'\"");
      if (end != String::npos) v = v.substr(0, end);
      return UpperCase(v);
    };
    if (A.Has(u"FONT-SIZE")) {
      String v = valueAfter(u"FONT-SIZE");
      const std::size_t pt = v.find(u"PT");
      if (pt != String::npos) v = v.substr(0, pt);
      const Integer size = IntOr(v, 0);
      if (size > 0) {
        S.Font.Size = size;
        Coord w{}, h{};
        T.MeasureRun(S.Font, u"gh", In.Flags, w, h);
        L.H = std::max(L.H, h);
      }
    }
    if (A.Has(u"FONT-STYLE")) {
      const String v = valueAfter(u"FONT-STYLE");
      if (v.find(u"BOLD") != String::npos) S.Font.Style = TFontStyles{fsBold};
      if (v.find(u"ITALIC") != String::npos) S.Font.Style = TFontStyles{fsItalic};
    }
    if (In.Dialect.BodyByTarget) {
      if constexpr (requires(TTarget& t) { t.DrawBody(A, Coord{}, Coord{}, Coord{}, Coord{}); }) {
        if (Drawing(AMode) && !P.AFixedColors) T.DrawBody(A, R.Left, R.Top, R.Right, R.Bottom);
      }
      return;
    }
    if (Drawing(AMode) && A.Has(u"BGCOLOR")) {
      const String v = A.Value(u"BGCOLOR");
      TColor c = clNone;
      bool set = false;
      if (v.find(u"CL") != String::npos) {
        c = HtmlColorByName(LowerCase(v));
        set = true;
      } else if (v.find(u'#') != String::npos) {
        c = HtmlHexColor(v);
        set = true;
      }
      if (set) {
        S.Brush = c;
        S.SavedBackground = c;
        T.FillRect(R.Left, R.Top, R.Right, R.Bottom, c);
      }
    }
    // After the colour, so that a picture with transparent parts shows it.
    if constexpr (requires(TTarget& t) { t.TileBackground(StringView{}, Coord{}, Coord{}, Coord{}, Coord{}); }) {
      if (Drawing(AMode) && A.Has(u"BACKGROUND"))
        T.TileBackground(A.ValueAsWritten(u"BACKGROUND"), R.Left, R.Top, R.Right, R.Bottom);
    }
  }

  void Paragraph(const THtmlAttributes& A, TLine& L, TPassMode AMode) {
    if (A.Has(u"ALIGN")) {
      const String v = A.Value(u"ALIGN");
      if (v.find(u"RIGHT") != String::npos) S.Align = paRight;
      if (v.find(u"LEFT") != String::npos) S.Align = paLeft;
      if (v.find(u"CENTER") != String::npos) S.Align = paCenter;
    }
    if (A.Has(u"INDENT")) S.Indent = Coord(IntOr(A.Value(u"INDENT"), 0));
    if (AMode == pmMeasure && A.Has(u"FLOAT")) {
      const String v = A.Value(u"FLOAT");
      if (v.find(u"LEFT") != String::npos || v.find(u"RIGHT") != String::npos) FParagraphFloat = true;
    }
    if (Drawing(AMode) && A.Has(u"BGCOLOR")) {
      S.ParaBackground = true;
      S.ParaColor = ColorValue(A.Value(u"BGCOLOR"));
      S.SavedParaBrush = S.Brush;
      S.Brush = S.ParaColor;
      T.FillRect(R.Left, L.Top, R.Right, L.Top + L.H, S.ParaColor);
    }
  }

  TTagOutcome ListItem(const THtmlAttributes& A, TLine& L, Coord& APen, TPassMode AMode) {
    if (L.Items > 0) return toKeep;   // a second item starts the next line
    ++L.Items;
    const Coord step = Coord(12);
    L.W += Coord(S.ListLevel * 12);
    APen += Coord(S.ListLevel * 12) - step;
    const String type = A.Value(u"TYPE");
    const String color = A.Value(u"COLOR");
    const TColor c = color.empty() ? S.Font.Color : ColorValue(color);
    const bool draw = Drawing(AMode) && !S.Hidden;
    if (type == u"IMAGE") {
      if (!S.Hidden) ListPicture(A.Value(u"NAME"), L, APen, draw);
    } else if (draw && (type == u"SQUARE" || type == u"CIRCLE")) {
      const Coord x = PlaceX(L, APen, Coord(8));
      if (type == u"SQUARE") T.FillRect(x, L.Top + Coord(2), x + Coord(8), L.Top + Coord(10), c);
      else T.Ellipse(x, L.Top + Coord(2), x + Coord(8), L.Top + Coord(10), c);
    } else if (type.empty() && (draw || S.Ordered)) {
      THtmlFont symbol = S.Font;
      if (!In.Dialect.FontBullets) symbol.Name = u"Symbol";
      symbol.Color = c;
      const Char bullet = In.Dialect.FontBullets ? Char(0x2022) : Char(0xB7);
      String text;
      if (S.Ordered) text = IntToStr(S.ItemNo) + u". ";
      else text = (S.ListLevel % 2 == 1) ? String(1, bullet) : String(u"o");
      Coord tw{}, th{};
      T.MeasureRun(symbol, text, In.Flags, tw, th);
      if (draw) {
        const Coord x = PlaceX(L, APen, tw + Coord(1));
        T.DrawRun(symbol, T.NoColor(), text, x, L.Top, x + tw + Coord(1), L.Top + th, In.Flags & ~UINT(DT_BOTTOM));
      }
      // The number pushes the item's text on in every pass, and the line is that much wider.
      if (S.Ordered) {
        APen += tw - step;
        L.W += tw - step;
      }
    }
    if (S.Ordered) ++S.ItemNo;
    APen += step;
    L.HasContent = true;
    return toConsume;
  }

  // LI TYPE "IMAGE": the container picture of that name at its own size at (pen, line top + 2); a
  // picture wider than the bullet's 12 pixels pushes the item's text on by the difference, in every
  // pass, so the line is measured as drawn.
  void ListPicture(const String& AName, TLine& L, Coord& APen, bool ADraw) {
    Coord w{}, h{};
    if (AName.empty() || AName.find(u':') != String::npos || !T.PictureSize(AName, w, h)) return;
    if (w <= Coord{} || h <= Coord{}) return;
    if (ADraw) {
      const Coord x = PlaceX(L, APen, w);
      T.DrawPicture(AName, x, L.Top + Coord(2), x + w, L.Top + Coord(2) + h);
    }
    if (w > Coord(12)) {
      APen += w - Coord(12);
      L.W += w - Coord(12);
    }
  }

  // "IDX:" followed by an integer names picture n of the image list.
  static bool ImageListIndex(StringView ASource, Integer& AIndex) {
    if (!StartsWithNoCase(ASource, u"IDX:")) return false;
    return TryStrToInt(Trim(String(ASource.substr(4))), AIndex);
  }

  TTagOutcome Image(const THtmlAttributes& A, TLine& L, Coord& APen, TPassMode AMode) {
    ++S.Pictures;
    String src = A.ValueAsWritten(u"SRC");
    if (FHoverPicture == S.Pictures && A.Has(u"ALT")) src = A.ValueAsWritten(u"ALT");
    Integer index = -1;
    const bool listed = ImageListIndex(src, index);
    bool large = false;
    const bool icon = !listed && IsShellIconSource(src, large);
    Coord pw{}, ph{};
    if (listed ? !T.ImageSize(index, pw, ph) : !T.PictureSize(src, pw, ph)) return toConsume;
    if (pw <= Coord{} || ph <= Coord{}) return toConsume;
    const Integer wAttr = IntOr(A.Value(u"WIDTH"), 0), hAttr = IntOr(A.Value(u"HEIGHT"), 0);
    // Image-list pictures and shell icons keep their list's size (stretched by the print factor
    // when printing); other pictures grow with the device scale.
    const Double own = (listed || icon) ? (P.APrint ? P.AResFactor : 1.0) : Double(In.Scale);
    Coord w = TTarget::Scaled(static_cast<Double>(pw) * own), h = TTarget::Scaled(static_cast<Double>(ph) * own);
    if (wAttr > 0 && hAttr > 0) {
      w = TTarget::Scaled(wAttr * In.Scale);
      h = TTarget::Scaled(hAttr * In.Scale);
    } else if (wAttr > 0) {
      w = TTarget::Scaled(wAttr * In.Scale);
      h = TTarget::Scaled(static_cast<Double>(ph) * static_cast<Double>(w) / static_cast<Double>(pw));
    } else if (hAttr > 0) {
      h = TTarget::Scaled(hAttr * In.Scale);
      w = TTarget::Scaled(static_cast<Double>(pw) * static_cast<Double>(h) / static_cast<Double>(ph));
    }
    const Coord width = L.Right - L.Left;
    if (L.W + w > width && w <= width && L.HasContent) return toKeep;
    const String floating = A.Value(u"FLOAT");
    const bool floatLeft = floating.find(u"LEFT") != String::npos;
    const bool floatRight = !floatLeft && floating.find(u"RIGHT") != String::npos;
    // A right float sits at the line's right edge; everything else at the pen.
    const Coord at = floatRight ? L.Right - w : APen;
    if (Drawing(AMode)) {
      const Coord x = PlaceX(L, at, w);
      if (listed) T.DrawImage(index, x, L.Top, x + w, L.Top + h, P.APrint);
      else T.DrawPicture(src, x, L.Top, x + w, L.Top + h);
    }
    if (Measuring(AMode) && P.AX >= 0 && S.InAnchor) {
      const Coord x = PointX(L), y = Coord(P.AY);
      if (x > at && x < at + w && y > L.Top && y < L.Top + h) {
        P.AAnchor = S.Href;
        P.ATitle = S.Title;
        FPictureHit = true;
        FHoverPicture = S.Pictures;
      }
    }
    L.H = std::max(L.H, h);
    L.HasContent = true;
    L.Blank = Coord{};   // a blank before the picture is no longer trailing
    if (floatLeft || floatRight) {
      // The lines after this one are narrowed by the picture until they pass its bottom; this
      // line's text keeps to its top.
      if (AMode == pmMeasure) StartFloat(floatLeft, w + Coord(2), L.Top + h);
      L.D = L.H > GH ? L.H - GH : Coord{};
      if (Drawing(AMode)) L.H = GH;
      if (floatLeft) {
        APen += w + Coord(2);
        L.W += w + Coord(2);
        return toConsume;
      }
      L.W = width;   // a right float fills the line and ends it
      return toEndLine;
    }
    APen += w + Coord(2);
    L.W += w + Coord(2);
    const String align = A.Value(u"ALIGN");
    const Coord rise = L.H > GH ? L.H - GH : Coord{};
    if (align.find(u"TOP") != String::npos) L.D = rise;
    else if (align.find(u"MIDDLE") != String::npos) L.D = TTarget::Half(rise);
    if (A.Has(u"WRAP")) {
      L.H = GH;
      L.D = Coord{};
    }
    return toConsume;
  }

  TTagOutcome Control(const THtmlAttributes& A, TLine& L, Coord& APen, TPassMode AMode) {
    const THtmlControlTag c = In.Dialect.ParseControl(A.Text());
    if (c.Type.empty() || c.ID.empty()) return toConsume;
    THtmlControlKind kind;
    if (c.Type == u"EDIT" || c.Type == u"PASSWORD" || c.Type == u"MASK") kind = hcEdit;
    else if (c.Type == u"COMBO") kind = hcCombo;
    else if (c.Type == u"CHECK") kind = hcCheck;
    else if (c.Type == u"RADIO") kind = hcRadio;
    else if (c.Type == u"BUTTON") kind = hcButton;
    else return toConsume;
    const Single sc = In.Scale;
    const Integer heightAttr = IntOr(c.Height, 25);
    const Coord hAttr = TTarget::Scaled(heightAttr * sc);
    Coord boxH = GH + Coord(10);
    Integer wv = 0;
    const bool hasWidth = TryStrToInt(c.Width, wv);
    const bool checkOrRadio = kind == hcCheck || kind == hcRadio;
    if (In.Dialect.ControlsNeedWidth && !hasWidth && !checkOrRadio) return toConsume;
    if (hasWidth) S.ControlWidth = TTarget::Scaled(wv * sc);
    Coord width = S.ControlWidth;
    Coord lineH = (kind == hcCheck || kind == hcRadio) ? TTarget::Scaled(16 * sc) : TTarget::Scaled(23 * sc);
    if (hAttr > TTarget::Scaled(25 * sc)) lineH = hAttr - Coord(2);
    if (kind == hcButton || kind == hcCombo) boxH = TTarget::Scaled(25 * sc);
    if (checkOrRadio && In.Dialect.ControlsNeedWidth) {
      width = boxH = TTarget::Scaled(16 * std::max(1.0, P.AResFactor) + 2);
    } else if (checkOrRadio) {
      width = TTarget::Scaled(16 * sc * std::max(1.0, P.AResFactor));
      boxH = TTarget::Scaled(16 * sc);
    }
    const Coord lineWidth = L.Right - L.Left;
    if (L.W + width > lineWidth && width <= lineWidth && L.HasContent) return toKeep;
    if (Drawing(AMode)) DrawControl(c, kind, L, APen, width, lineH, hAttr, boxH);
    if (Measuring(AMode)) {
      const Coord x = PointX(L) - L.PenStart, y = Coord(P.AY);
      const bool over = P.AX >= 0 && x > L.W && x < L.W + width && y > L.Top && y < L.Top + boxH;
      if (over || (P.ACheckHotSpot && !P.AControlID.empty() && P.AControlID == c.ID && !FControlHit)) {
        FControlHit = true;
        P.AAnchor = u"ctrl";
        const Coord l = L.PenStart + L.W;
        Out.ControlRect = PlaceBox(L, TBox{l, L.Top, l + width, L.Top + boxH});
        P.AControlValue = c.Value;
        P.AControlID = c.ID;
        P.AControlType = c.Type;
      }
    }
    APen += width;
    L.W += width;
    L.Blank = Coord{};
    L.H = std::max(L.H, std::max(lineH, boxH));
    L.HasContent = true;
    return toConsume;
  }

  void DrawControl(const THtmlControlTag& C, THtmlControlKind AKind, TLine& L, Coord APen, Coord AWidth, Coord AH,
                   Coord AHeightAttr, Coord ABoxH) {
    const auto I = [](Coord v) { return static_cast<Integer>(v); };
    const Single sc = In.Scale;
    const Coord bottom = L.Bottom - L.D;
    const Coord x = PointX(L), y = Coord(P.AY);
    const bool over = P.AX >= 0 && x > APen - Coord(2) && x < APen + AWidth - Coord(2) && y > bottom - ABoxH - Coord(2) &&
                      y < bottom - Coord(2);
    THtmlControlFace f;
    f.Kind = AKind;
    f.Themed = In.Themed;
    f.FrameColor = In.Themed ? TColor(0xB99D7F) : TColor(0x808080);
    f.Font = Base;
    f.State = over ? hsHot : hsNormal;
    f.Checked = UpperCase(C.Value) == u"TRUE";
    switch (AKind) {
      case hcEdit:
        f.Box = TRect{I(APen), I(bottom - AH + Coord(4)), I(APen + AWidth), I(bottom + Coord(2))};
        f.TextBox = TRect{I(APen + Coord(2)), I(bottom - AH + Coord(4)), I(APen + AWidth), I(bottom)};
        f.Text = C.Type == u"PASSWORD" ? MaskPasswordText(C.Value) : C.Value;
        break;
      case hcCombo: {
        const Coord b = TTarget::Scaled(18 * sc);
        f.Box = TRect{I(APen), I(bottom - AH + Coord(4)), I(APen + AWidth), I(bottom + Coord(1))};
        f.TextBox = TRect{I(APen + Coord(4)), I(bottom - AH + Coord(4)), I(APen + AWidth - b), I(bottom)};
        f.ButtonBox = TRect{I(APen + AWidth - b), I(bottom - AH + Coord(5)), I(APen + AWidth - Coord(1)), I(bottom + Coord(1))};
        f.Text = C.Value;
        break;
      }
      case hcCheck:
      case hcRadio:
        if (!In.Dialect.ControlsNeedWidth) break;
        // The graphics dialect's square, one pixel in from its layout box.
        f.Box = TRect{I(APen + Coord(1)), I(bottom - AWidth + Coord(1)), I(APen + AWidth - Coord(1)), I(bottom - Coord(1))};
        break;
      default: break;
    }
    switch (AKind) {
      case hcCheck: {
        if (In.Dialect.ControlsNeedWidth) break;
        const Coord s = TTarget::Scaled(16 * sc);
        f.Box = TRect{I(APen + Coord(2)), I(bottom - s + Coord(1)), I(APen + s - Coord(1)), I(bottom)};
        break;
      }
      case hcRadio: {
        if (In.Dialect.ControlsNeedWidth) break;
        const Coord s = TTarget::Scaled(14 * sc);
        f.Box = TRect{I(APen + Coord(2)), I(bottom - s), I(APen + s), I(bottom)};
        break;
      }
      case hcButton:
        f.Box = TRect{I(APen + Coord(2)), I(bottom - AHeightAttr), I(APen + AWidth - Coord(2)), I(bottom)};
        f.TextBox = TRect{f.Box.left + 2, f.Box.top + 2, f.Box.right - 2, f.Box.bottom - 2};
        f.Text = C.Value;
        break;
      default: break;
    }
    if (P.ADown && P.ADownID == C.ID && (AKind == hcButton || In.Dialect.ControlsNeedWidth))
      f.State = In.Themed || over || In.Dialect.ControlsNeedWidth ? hsPressed : hsNormal;
    if (RightToLeft()) {
      for (TRect* box : {&f.Box, &f.ButtonBox, &f.TextBox}) {
        const TBox placed = PlaceBox(L, ToBox(*box));
        *box = ToRect(placed);
      }
    }
    T.DrawControl(f);
  }

  TTarget& T;
  THtmlDrawParams& P;
  THtmlLayoutInput In;
  THtmlFont Base;
  TBox R;   // the rectangle laid out in
  TState S;
  Coord GH{};
  // Floats: the insets of the lines from the rectangle's edges and where each float ends.
  Coord FloatLeft{}, FloatRight{}, FLeftFloatBottom{}, FRightFloatBottom{}, FFloatBottom{};
  bool FParagraphFloat = false;

  void StartFloat(bool ALeft, Coord AInset, Coord ABottom) {
    (ALeft ? FloatLeft : FloatRight) = AInset;
    (ALeft ? FLeftFloatBottom : FRightFloatBottom) = ABottom;
    FFloatBottom = std::max(FFloatBottom, ABottom);
  }
  // A float ends once the next line's top has passed its bottom.
  void EndFloats(Coord ATop) {
    if (FloatLeft > Coord{} && FLeftFloatBottom <= ATop) FloatLeft = Coord{};
    if (FloatRight > Coord{} && FRightFloatBottom <= ATop) FloatRight = Coord{};
  }

  static TBox ToBox(const TRect& ARect) {
    return TBox{Coord(ARect.left), Coord(ARect.top), Coord(ARect.right), Coord(ARect.bottom)};
  }
  static TRect ToRect(const TBox& ABox) {
    return TRect{static_cast<Integer>(ABox.Left), static_cast<Integer>(ABox.Top), static_cast<Integer>(ABox.Right),
                 static_cast<Integer>(ABox.Bottom)};
  }
  Coord FFocusLeft{};
  Integer FHitAnchor = 0;
  Integer FHoverPicture = -1;
  bool FControlHit = false;
  bool FPictureHit = false;

public:
  TColor FCallBrush = clNone;   // the canvas brush colour at the call (BLINK's hidden colour)
};
