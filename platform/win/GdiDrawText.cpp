// DrawText and DrawTextEx: prefixes, tabs, line breaking, ellipses, alignment and measuring, all
// through one layout routine so that what DT_CALCRECT reports is what gets painted.
#include "platform/win/GdiInternal.h"

#include <algorithm>
#include <cmath>

namespace gdi {

namespace {

const StringView Ellipsis = u"...";

bool IsSpace(Char C) { return C == u' ' || C == u'\t'; }

// The text as shown: prefixes removed; APrefixed marks characters to underline.
void StripPrefixes(StringView AText, bool AKeep, String& AOut, std::vector<bool>& APrefixed) {
  AOut.clear();
  APrefixed.clear();
  for (std::size_t i = 0; i < AText.size(); ++i) {
    Char c = AText[i];
    if (!AKeep && c == u'&') {
      if (i + 1 >= AText.size()) break;   // a trailing "&" shows nothing
      ++i;
      AOut.push_back(AText[i]);
      APrefixed.push_back(AText[i] != u'&');
      continue;
    }
    AOut.push_back(c);
    APrefixed.push_back(false);
  }
}

struct TLine {
  std::size_t Begin = 0, End = 0;   // in the shown text; End excludes trailing blanks
  String Text;                      // what is painted (ellipsis applied)
  std::vector<int> Underlined;      // indexes into Text
  int Width = 0;
  bool Ellipsized = false;
};

class TTextFormatter {
public:
  TTextFormatter(HDC__* D, TFontEntry* F, UINT AFormat, int ATabWidth)
      : FD(D), FFont(F), FFormat(AFormat), FTab(std::max(1, ATabWidth)), FRtl(AFormat & DT_RTLREADING) {}

  // Offsets of every position of a paragraph laid out as one line, tabs expanded.
  void Measure(StringView APara, std::vector<int>& AOffs) const {
    AOffs.assign(APara.size() + 1, 0);
    bool tabs = (FFormat & DT_EXPANDTABS) && APara.find(u'\t') != StringView::npos;
    if (!tabs) {
      const std::vector<int>& o = LineOffsets(ShapeLine(FFont, APara, FRtl));
      std::copy(o.begin(), o.end(), AOffs.begin());
      return;
    }
    int pos = 0;
    std::size_t seg = 0;
    for (std::size_t i = 0; i <= APara.size(); ++i) {
      if (i < APara.size() && APara[i] != u'\t') continue;
      if (i > seg) {
        const std::vector<int>& o = LineOffsets(ShapeLine(FFont, APara.substr(seg, i - seg), FRtl));
        for (std::size_t k = 0; k <= i - seg; ++k) AOffs[seg + k] = pos + o[k];
        pos += o[i - seg];
      } else {
        AOffs[i] = pos;
      }
      if (i < APara.size()) {
        pos = (pos / FTab + 1) * FTab;
        AOffs[i + 1] = pos;
      }
      seg = i + 1;
    }
  }

  TTextLine* Shape(StringView AText) const { return ShapeLine(FFont, AText, FRtl); }

  // Width of a piece of text as painted.
  int Width(StringView AText) const {
    if (AText.empty()) return 0;
    if ((FFormat & DT_EXPANDTABS) && AText.find(u'\t') != StringView::npos) {
      std::vector<int> o;
      Measure(AText, o);
      return o.back();
    }
    return LineWidth(ShapeLine(FFont, AText, FRtl));
  }

  void Paint(TSurface& S, const TLine& L, int X, int Y, const TRgnSet& AClip, bool APrefixOnly, bool AUnderline) {
    const TFontMetrics& m = MetricsOf(FFont);
    COLORREF bk = FD->S.BkColor;
    const COLORREF* back = FD->S.BkMode == OPAQUE ? &bk : nullptr;
    StringView text = L.Text;
    std::vector<int> offs;
    if (!APrefixOnly) {
      if ((FFormat & DT_EXPANDTABS) && text.find(u'\t') != StringView::npos) {
        std::size_t seg = 0;
        Measure(text, offs);
        for (std::size_t i = 0; i <= text.size(); ++i) {
          if (i < text.size() && text[i] != u'\t') continue;
          if (i > seg) DrawLine(FD, S, ShapeLine(FFont, text.substr(seg, i - seg), FRtl), FFont, X + offs[seg], Y, AClip,
                                FD->S.TextColor, back);
          seg = i + 1;
        }
      } else if (!text.empty()) {
        DrawLine(FD, S, Shape(text), FFont, X, Y, AClip, FD->S.TextColor, back);
      }
    }
    if (!AUnderline || L.Underlined.empty()) return;
    if (offs.empty()) Measure(text, offs);
    std::vector<std::pair<int, std::pair<int, int>>> spans;
    int uy = Y + m.Ascent + m.UnderlinePosition;
    for (int idx : L.Underlined) {
      int x0 = X + offs[static_cast<std::size_t>(idx)], x1 = X + offs[static_cast<std::size_t>(idx) + 1];
      for (int t = 0; t < m.UnderlineThickness; ++t) spans.push_back({uy + t, {x0, std::max(x1, x0 + 1)}});
    }
    PaintSet(S, TRgnSet::Combine(TRgnSet::FromSpans(spans), AClip, RGN_AND),
             SolidPaint(ColorRefToPixel(FD->S.TextColor), R2_COPYPEN));
  }

  // Shortens a line to fit AWidth with an ellipsis in the way the format asks.
  void Ellipsize(TLine& L, const String& AShown, const std::vector<bool>& APrefixed, int AWidth) const {
    StringView text = StringView(AShown).substr(L.Begin, L.End - L.Begin);
    auto fits = [&](const String& S) { return Width(S) <= AWidth; };
    auto keepFront = [&](std::size_t K, StringView ATail) {
      String s(text.substr(0, K));
      s.append(Ellipsis);
      s.append(ATail);
      return s;
    };
    String result;
    std::size_t kept = 0;
    std::size_t sep = text.find_last_of(u"\\/");
    if ((FFormat & DT_PATH_ELLIPSIS) && sep != StringView::npos) {
      StringView tail = text.substr(sep);
      std::size_t lo = 0, hi = sep;   // largest front part that fits
      if (!fits(keepFront(0, tail))) {
        result = EndEllipsis(String(Ellipsis) + String(tail), AWidth, kept);
        kept = 0;
      } else {
        while (lo < hi) {
          std::size_t mid = (lo + hi + 1) / 2;
          if (fits(keepFront(mid, tail))) lo = mid;
          else hi = mid - 1;
        }
        kept = lo;
        result = keepFront(lo, tail);
      }
    } else if (FFormat & DT_WORD_ELLIPSIS) {
      bool done = false;
      for (std::size_t k = text.size(); k > 0 && !done; --k) {
        if (!(k < text.size() && IsSpace(text[k]) && !IsSpace(text[k - 1]))) continue;
        String s = keepFront(k, StringView());
        if (fits(s)) {
          result = s;
          kept = k;
          done = true;
        }
      }
      if (!done) result = EndEllipsis(String(text), AWidth, kept);
    } else {
      result = EndEllipsis(String(text), AWidth, kept);
    }
    L.Text = result;
    L.Underlined.clear();
    for (std::size_t i = 0; i < kept; ++i)
      if (APrefixed[L.Begin + i]) L.Underlined.push_back(static_cast<int>(i));
    L.Width = Width(L.Text);
    L.Ellipsized = true;
  }

private:
  // The longest front part that fits with the ellipsis behind it, found from the offsets of the
  // whole text and confirmed by measuring the result.
  String EndEllipsis(const String& AText, int AWidth, std::size_t& AKept) const {
    int room = AWidth - Width(Ellipsis);
    std::size_t k = 0;
    if ((FFormat & DT_EXPANDTABS) && AText.find(u'\t') != String::npos) {
      std::vector<int> offs;
      Measure(AText, offs);
      k = AText.size();
      while (k > 0 && offs[k] > room) --k;
    } else {
      k = FitChars(Shape(AText), room);
    }
    auto make = [&](std::size_t K) {
      // keep surrogate pairs whole
      if (K > 0 && K < AText.size() && AText[K] >= 0xDC00 && AText[K] < 0xE000) --K;
      AKept = K;
      String s = AText.substr(0, K);
      s.append(Ellipsis);
      return s;
    };
    String s = make(k);
    while (AKept > 0 && Width(s) > AWidth) s = make(AKept - 1);
    return s;
  }

  HDC__* FD;
  TFontEntry* FFont;
  UINT FFormat;
  int FTab;
  bool FRtl;
};

// Breaks a paragraph [ABegin, AEnd) of the shown text into lines no wider than AWidth.
void BreakParagraph(const String& AShown, std::size_t ABegin, std::size_t AEnd, const std::vector<int>& AOffs,
                    int AWidth, UINT AFormat, std::vector<TLine>& AOut) {
  auto at = [&](std::size_t I) { return AOffs[I - ABegin]; };
  auto trimEnd = [&](std::size_t B, std::size_t E) {
    while (E > B && IsSpace(AShown[E - 1])) --E;
    return E;
  };
  bool wrap = (AFormat & DT_WORDBREAK) && !(AFormat & DT_SINGLELINE);
  std::size_t start = ABegin;
  do {
    std::size_t end = AEnd, next = AEnd;
    if (wrap && at(trimEnd(start, AEnd)) - at(start) > AWidth) {
      // the last break after a blank that keeps the line within the width
      std::size_t best = start;
      for (std::size_t p = start + 1; p < AEnd; ++p) {
        if (!(IsSpace(AShown[p - 1]) && !IsSpace(AShown[p]))) continue;
        std::size_t e = trimEnd(start, p);
        if (e > start && at(e) - at(start) <= AWidth) best = p;
        else if (e > start) break;
      }
      if (best > start) {
        end = trimEnd(start, best);
        next = best;
      } else {
        // the first word alone is too long
        std::size_t word = start;
        while (word < AEnd && IsSpace(AShown[word])) ++word;
        while (word < AEnd && !IsSpace(AShown[word])) ++word;
        if (AFormat & DT_EDITCONTROL) {
          std::size_t q = start + 1;
          while (q < word && at(q + 1) - at(start) <= AWidth) ++q;
          if (q < AEnd && AShown[q] >= 0xDC00 && AShown[q] < 0xE000 && q > start + 1) --q;
          end = q;
          next = q;
        } else {
          end = word;
          next = word;
        }
        while (next < AEnd && IsSpace(AShown[next])) ++next;
      }
    }
    TLine line;
    line.Begin = start;
    line.End = wrap ? trimEnd(start, end) : end;
    line.Width = at(line.End) - at(start);
    AOut.push_back(line);
    start = next;
  } while (start < AEnd);
}

int DrawTextImpl(HDC ADC, Char* AWritable, LPCWSTR AText, int ACount, RECT* ARect, UINT AFormat,
                 DRAWTEXTPARAMS* AParams) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !ARect || (!AText && ACount != 0)) return 0;
  if (AParams && AParams->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  StringView text = !AText ? StringView() : ACount < 0 ? StringView(AText) : StringView(AText, static_cast<std::size_t>(ACount));
  if (AParams) AParams->uiLengthDrawn = 0;
  if (text.empty()) return 0;

  int tabChars = 8;
  if (AFormat & DT_TABSTOP) {
    tabChars = static_cast<int>((AFormat >> 8) & 0xFF);
    AFormat &= ~0xFF00u;
  }
  HGDIOBJ savedFont = nullptr;
  if (AFormat & DT_INTERNAL) {
    savedFont = d->S.Font;
    d->S.Font = Stock(SYSTEM_FONT);
  }
  TFontEntry* font = FontEntryOf(d);
  if (savedFont) d->S.Font = savedFont;
  const TFontMetrics& m = MetricsOf(font);
  TMapping map = MappingOf(d);
  const double sx = std::fabs(map.SX), sy = std::fabs(map.SY);
  if (AParams && AParams->iTabLength > 0) tabChars = AParams->iTabLength;
  int tabWidth = std::max(1, tabChars) * m.AveCharWidth;

  // the rectangle in device units, margins applied
  RECT dev = LogRectToDev(d, *ARect);
  int leftMargin = AParams ? static_cast<int>(std::lround(AParams->iLeftMargin * sx)) : 0;
  int rightMargin = AParams ? static_cast<int>(std::lround(AParams->iRightMargin * sx)) : 0;
  int left = dev.left + leftMargin, right = dev.right - rightMargin;
  int avail = std::max(0, right - left);
  int lineHeight = m.Height + ((AFormat & DT_EXTERNALLEADING) ? m.ExternalLeading : 0);
  bool single = AFormat & DT_SINGLELINE;
  bool calc = AFormat & DT_CALCRECT;

  String shown;
  std::vector<bool> prefixed;
  StripPrefixes(text, AFormat & DT_NOPREFIX, shown, prefixed);
  if (single) {
    // line breaks do not break a single line
    String kept;
    std::vector<bool> keptPrefixed;
    for (std::size_t i = 0; i < shown.size(); ++i)
      if (shown[i] != u'\r' && shown[i] != u'\n') {
        kept.push_back(shown[i]);
        keptPrefixed.push_back(prefixed[i]);
      }
    shown.swap(kept);
    prefixed.swap(keptPrefixed);
  }

  TTextFormatter fmt(d, font, AFormat, tabWidth);
  std::vector<TLine> lines;
  std::vector<int> offs;
  for (std::size_t p = 0; p <= shown.size();) {
    std::size_t e = single ? shown.size() : std::min(shown.find_first_of(u"\r\n", p), shown.size());
    StringView para = StringView(shown).substr(p, e - p);
    bool wrap = (AFormat & DT_WORDBREAK) && !single;
    if (!wrap && !((AFormat & DT_EXPANDTABS) && para.find(u'\t') != StringView::npos)) {
      TLine line;
      line.Begin = p;
      line.End = e;
      line.Width = LineWidth(fmt.Shape(para));
      lines.push_back(line);
    } else {
      fmt.Measure(para, offs);
      BreakParagraph(shown, p, e, offs, avail, AFormat, lines);
    }
    if (e >= shown.size()) break;
    p = e + ((shown[e] == u'\r' && e + 1 < shown.size() && shown[e + 1] == u'\n') ? 2 : 1);
    if (p >= shown.size()) break;   // a final line break adds no empty line
  }
  for (TLine& l : lines) {
    l.Text = shown.substr(l.Begin, l.End - l.Begin);
    for (std::size_t i = l.Begin; i < l.End; ++i)
      if (prefixed[i]) l.Underlined.push_back(static_cast<int>(i - l.Begin));
  }

  int height = static_cast<int>(lines.size()) * lineHeight;
  int maxWidth = 0;
  for (auto& l : lines) maxWidth = std::max(maxWidth, l.Width);

  if (calc) {
    int w = maxWidth + leftMargin + rightMargin;
    if (!single && (AFormat & DT_WORDBREAK) && !lines.empty()) w = std::max(w, maxWidth + leftMargin + rightMargin);
    // back to logical units, keeping the logical left and top
    ARect->right = ARect->left + static_cast<LONG>(std::lround(w / map.SX));
    ARect->bottom = ARect->top + static_cast<LONG>(std::lround(height / map.SY));
    if (AParams) AParams->uiLengthDrawn = static_cast<UINT>(text.size());
    return static_cast<int>(std::lround(height / sy));
  }

  // vertical placement
  int y = dev.top;
  if (single && (AFormat & DT_VCENTER)) y = dev.top + ((dev.bottom - dev.top) - lineHeight) / 2;
  else if (single && (AFormat & DT_BOTTOM)) y = dev.bottom - lineHeight;

  // an edit control shows no partly visible last line; the last shown line takes the ellipsis
  bool ellipsis = AFormat & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
  std::size_t shownLines = lines.size();
  if (!single && (AFormat & DT_EDITCONTROL) && !(AFormat & DT_NOCLIP)) {
    std::size_t fit = static_cast<std::size_t>(std::max(1, (dev.bottom - dev.top) / std::max(1, lineHeight)));
    if (fit < lines.size()) {
      shownLines = fit;
      if (ellipsis) {
        TLine& last = lines[fit - 1];
        last.End = shown.size();
        while (last.End > last.Begin && (IsSpace(shown[last.End - 1]) || shown[last.End - 1] == u'\n' ||
                                         shown[last.End - 1] == u'\r'))
          --last.End;
        String rest = shown.substr(last.Begin, last.End - last.Begin);
        for (Char& c : rest)
          if (c == u'\r' || c == u'\n') c = u' ';
        String restShown = shown.substr(0, last.Begin) + rest;
        fmt.Ellipsize(last, restShown, prefixed, avail);
      }
    }
  }

  TDrawScope scope(d);
  TSurface* s = scope.Surface();
  if (s) {
    TRgnSet clip = EffectiveClip(d);
    if (!(AFormat & DT_NOCLIP))
      clip = clip.Intersect(RECT{dev.left + d->Origin.x, dev.top + d->Origin.y, dev.right + d->Origin.x,
                                 dev.bottom + d->Origin.y});
    bool underline = !(AFormat & DT_HIDEPREFIX) && !(AFormat & DT_NOPREFIX);
    bool prefixOnly = AFormat & DT_PREFIXONLY;
    for (std::size_t i = 0; i < shownLines; ++i) {
      TLine& l = lines[i];
      if (ellipsis && l.Width > avail && !l.Ellipsized) fmt.Ellipsize(l, shown, prefixed, avail);
      int x = left;
      if (AFormat & DT_CENTER) x = left + (avail - l.Width) / 2;
      else if (AFormat & DT_RIGHT) x = right - l.Width;
      int ly = y + static_cast<int>(i) * lineHeight;
      fmt.Paint(*s, l, x + d->Origin.x, ly + d->Origin.y, clip, prefixOnly, underline);
    }
  }
  if (AWritable && (AFormat & DT_MODIFYSTRING) && lines.size() == 1 && ACount >= 0 &&
      lines[0].Text.size() <= static_cast<std::size_t>(ACount) + 3) {
    // the caller's buffer has room for four more characters, as the format requires
    std::copy(lines[0].Text.begin(), lines[0].Text.end(), AWritable);
    AWritable[lines[0].Text.size()] = 0;
  }
  if (AParams) {
    AParams->uiLengthDrawn = static_cast<UINT>(text.size());
    if (shownLines < lines.size()) {
      // count the source characters up to the first hidden line
      std::size_t shownChars = lines[shownLines].Begin, src = 0, visible = 0;
      bool keep = AFormat & DT_NOPREFIX;
      while (src < text.size() && visible < shownChars) {
        if (!keep && text[src] == u'&' && src + 1 < text.size()) ++src;
        ++src;
        ++visible;
      }
      AParams->uiLengthDrawn = static_cast<UINT>(src);
    }
  }
  int bottom = (single && (AFormat & (DT_VCENTER | DT_BOTTOM))) ? (y - dev.top) + lineHeight : height;
  return static_cast<int>(std::lround(bottom / sy));
}

}  // namespace

}  // namespace gdi

int DrawText(HDC ADC, LPCWSTR AText, int ACount, RECT* ARect, UINT AFormat) {
  return gdi::DrawTextImpl(ADC, nullptr, AText, ACount, ARect, AFormat, nullptr);
}

int DrawTextEx(HDC ADC, LPWSTR AText, int ACount, RECT* ARect, UINT AFormat, DRAWTEXTPARAMS* AParams) {
  return gdi::DrawTextImpl(ADC, AText, AText, ACount, ARect, AFormat, AParams);
}
