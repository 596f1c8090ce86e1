// Fonts, metrics, TextOut and DrawText's flags.
#include "platform/rtl/Math.h"
#include "platform/win/GdiInternal.h"
#include "platform/win/tests/GdiTestUtil.h"

#include <mutex>

namespace {

HFONT MakeFont(int AHeight, const char16_t* AFace = u"Tahoma", int AWeight = FW_NORMAL, int AEscapement = 0) {
  LOGFONTW lf;
  lf.lfHeight = AHeight;
  lf.lfWeight = AWeight;
  lf.lfEscapement = lf.lfOrientation = AEscapement;
  for (int i = 0; AFace[i]; ++i) lf.lfFaceName[i] = AFace[i];
  return CreateFontIndirect(&lf);
}

SIZE Extent(HDC DC, const String& S) {
  SIZE sz;
  GetTextExtentPoint32(DC, S.c_str(), static_cast<int>(S.size()), &sz);
  return sz;
}

int Draw(HDC DC, const String& S, RECT R, UINT AFormat) {
  return DrawText(DC, S.c_str(), static_cast<int>(S.size()), &R, AFormat);
}

RECT Calc(HDC DC, const String& S, RECT R, UINT AFormat, int* AHeight = nullptr) {
  int h = DrawText(DC, S.c_str(), static_cast<int>(S.size()), &R, AFormat | DT_CALCRECT);
  if (AHeight) *AHeight = h;
  return R;
}

}  // namespace

TEST(GdiText, FontHeightSemanticsAndMetrics) {
  TGdiCanvas c;
  for (int h : {-11, -13, -20, -32}) {
    TSelected f(c.DC, MakeFont(h));
    TEXTMETRICW tm;
    ASSERT_TRUE(GetTextMetrics(c.DC, &tm));
    EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, -h, 1) << h;   // negative: the character height
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(Extent(c.DC, u"Hg").cy, tm.tmHeight);
  }
  for (int h : {13, 20, 32}) {
    TSelected f(c.DC, MakeFont(h));
    TEXTMETRICW tm;
    GetTextMetrics(c.DC, &tm);
    EXPECT_NEAR(tm.tmHeight, h, 1) << h;   // positive: the cell height
  }
  // bold is wider
  TSelected normal(c.DC, MakeFont(-20));
  int w = Extent(c.DC, u"Weight").cx;
  TSelected bold(c.DC, MakeFont(-20, u"Tahoma", FW_BOLD));
  EXPECT_GT(Extent(c.DC, u"Weight").cx, w);
}

TEST(GdiText, LogFontRoundTripsAndFacesAreSubstituted) {
  HFONT f = MakeFont(-17, u"Segoe UI", FW_SEMIBOLD, 450);
  LOGFONTW w;
  EXPECT_EQ(GetObject(f, sizeof(w), &w), 92);
  EXPECT_EQ(w.lfHeight, -17);
  EXPECT_EQ(w.lfWeight, FW_SEMIBOLD);
  EXPECT_EQ(w.lfEscapement, 450);
  EXPECT_EQ(String(w.lfFaceName), u"Segoe UI");
  LOGFONTA a;
  EXPECT_EQ(GetObject(f, sizeof(a), &a), 60);
  EXPECT_STREQ(a.lfFaceName, "Segoe UI");
  EXPECT_EQ(GetObject(f, 0, nullptr), 92);
  DeleteObject(f);

  EXPECT_TRUE(GdiFontFamilyExists(u"DejaVu Sans"));
  EXPECT_FALSE(GdiFontFamilyExists(u"Tahoma"));
  for (const char16_t* face : {u"Tahoma", u"Segoe UI", u"MS Sans Serif", u"Arial", u"Courier New", u"Times New Roman"})
    EXPECT_TRUE(GdiFontFamilyExists(GdiResolveFontFamily(face))) << UTF8Encode(face);
  EXPECT_EQ(GdiResolveFontFamily(u"Courier New"), u"Liberation Mono");
  int count = 0;
  EnumFontFamilies(nullptr, nullptr, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM n) {
    ++*reinterpret_cast<int*>(n);
    return 1;
  }, reinterpret_cast<LPARAM>(&count));
  EXPECT_GT(count, 2);
}

TEST(GdiText, TextOutAlignmentAndBackground) {
  TGdiCanvas c(300, 100);
  TSelected f(c.DC, MakeFont(-20));
  TEXTMETRICW tm;
  GetTextMetrics(c.DC, &tm);
  SIZE sz = Extent(c.DC, u"Hello");
  SetBkMode(c.DC, TRANSPARENT);
  TextOut(c.DC, 50, 20, u"Hello", 5);
  RECT ink = c.Ink();
  EXPECT_GE(ink.left, 50);
  EXPECT_LE(ink.right, 50 + sz.cx + 1);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.bottom, 20 + tm.tmAscent + 1);   // no descenders in "Hello"

  c.Surface.Clear(0xFFFFFFFF);
  SetTextAlign(c.DC, TA_RIGHT | TA_BASELINE);
  TextOut(c.DC, 250, 60, u"Hello", 5);
  ink = c.Ink();
  EXPECT_LE(ink.right, 251);
  EXPECT_GE(ink.left, 250 - sz.cx - 1);
  EXPECT_LE(ink.bottom, 61);
  EXPECT_GE(ink.top, 60 - tm.tmAscent);

  // opaque text fills its cell with the background colour
  c.Surface.Clear(0xFFFFFFFF);
  SetTextAlign(c.DC, TA_LEFT | TA_TOP | TA_UPDATECP);
  SetBkMode(c.DC, OPAQUE);
  SetBkColor(c.DC, RGB(0, 0, 255));
  MoveToEx(c.DC, 10, 10, nullptr);
  TextOut(c.DC, 0, 0, u"ab", 2);
  EXPECT_EQ(c.At(10, 10), RGB(0, 0, 255));
  EXPECT_EQ(c.At(10, 10 + tm.tmHeight - 1), RGB(0, 0, 255));
  POINT cp;
  GetCurrentPositionEx(c.DC, &cp);
  EXPECT_EQ(cp.x, 10 + Extent(c.DC, u"ab").cx);

  // ExtTextOut with ETO_OPAQUE fills the rectangle even without text
  RECT r{100, 50, 140, 70};
  SetBkColor(c.DC, RGB(255, 0, 0));
  ExtTextOut(c.DC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  EXPECT_EQ(c.At(139, 69), RGB(255, 0, 0));
  EXPECT_EQ(c.At(140, 69), RGB(255, 255, 255));
}

TEST(GdiText, EscapementTurnsTextCounterClockwise) {
  TGdiCanvas c(200, 200);
  SetBkMode(c.DC, TRANSPARENT);
  TSelected f(c.DC, MakeFont(-20, u"Arial", FW_NORMAL, 900));
  TextOut(c.DC, 100, 150, u"Upward text", 11);
  RECT ink = c.Ink();
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  EXPECT_LE(ink.bottom, 151);   // it runs up from the start point
  EXPECT_GE(ink.left, 99);      // the glyph tops face left
}

TEST(GdiText, LoMetricTextStaysUpright) {
  // at 254 dpi a tenth of a millimetre is a pixel: the same text at the mirrored position
  TGdiCanvas a(200, 80), b(200, 80);
  SetDCResolution(b.DC, 254, 254);
  SetMapMode(b.DC, MM_LOMETRIC);
  for (TGdiCanvas* c : {&a, &b}) SetBkMode(c->DC, TRANSPARENT);
  TSelected fa(a.DC, MakeFont(-30)), fb(b.DC, MakeFont(-30));
  TextOut(a.DC, 10, 20, u"Tg", 2);
  TextOut(b.DC, 10, -20, u"Tg", 2);
  EXPECT_NE(a.Ink(), RECT{});
  EXPECT_EQ(a.Snapshot(), b.Snapshot());
  RECT r{10, -20, 190, -70};
  int h = DrawText(b.DC, u"Tg", 2, &r, DT_CALCRECT);
  TEXTMETRICW tm;
  GetTextMetrics(b.DC, &tm);
  EXPECT_EQ(h, tm.tmHeight);
  EXPECT_EQ(r.bottom, -20 - tm.tmHeight);
}

TEST(GdiText, DrawTextCalcRectMatchesPainting) {
  TGdiCanvas c(400, 200);
  TSelected f(c.DC, MakeFont(-13));
  TEXTMETRICW tm;
  GetTextMetrics(c.DC, &tm);
  const String text = u"The quick brown fox jumps";
  int h = 0;
  RECT calc = Calc(c.DC, text, RECT{10, 10, 400, 200}, DT_SINGLELINE, &h);
  EXPECT_EQ(h, tm.tmHeight);
  EXPECT_EQ(calc, (RECT{10, 10, 10 + Extent(c.DC, text).cx, 10 + tm.tmHeight}));
  EXPECT_EQ(c.Ink(), RECT{});   // measuring paints nothing
  // painted into the measured rectangle, the text needs no ellipsis
  Draw(c.DC, text, calc, DT_SINGLELINE);
  auto plain = c.Snapshot();
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, text, calc, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(c.Snapshot(), plain);
  // same for word-wrapped text
  RECT wrapped = Calc(c.DC, text, RECT{10, 10, 90, 200}, DT_WORDBREAK, &h);
  EXPECT_LE(wrapped.right, 90);
  EXPECT_EQ(h % tm.tmHeight, 0);
  EXPECT_GE(h / tm.tmHeight, 2);
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, text, wrapped, DT_WORDBREAK);
  auto wrappedPlain = c.Snapshot();
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, text, wrapped, DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL);
  EXPECT_EQ(c.Snapshot(), wrappedPlain);
  // the painted ink stays inside the measured rectangle
  RECT ink = c.Ink();
  EXPECT_GE(ink.left, wrapped.left);
  EXPECT_LE(ink.right, wrapped.right);
  EXPECT_LE(ink.bottom, wrapped.bottom);
}

TEST(GdiText, ManyDifferentLinesInOneCallPaintLikeOneByOne) {
  // more distinct lines than recently shaped texts are kept for: each must still show its own text
  const int count = 600, rowHeight = 20;
  TGdiCanvas one(120, count * rowHeight), each(120, count * rowHeight);
  TSelected a(one.DC, MakeFont(-11)), b(each.DC, MakeFont(-11));
  TEXTMETRICW tm;
  GetTextMetrics(one.DC, &tm);
  ASSERT_LE(tm.tmHeight, rowHeight);
  std::vector<String> lines;
  String all;
  for (int i = 0; i < count; ++i) {
    lines.push_back(u"Line " + UTF8ToString(std::to_string(i * 7919 % 100003)));
    all += lines.back() + u"\r\n";
  }
  // the texts are new when the whole block is drawn
  Draw(one.DC, all, RECT{0, 0, 120, count * rowHeight}, DT_NOPREFIX);
  for (int i = 0; i < count; ++i)
    Draw(each.DC, lines[static_cast<std::size_t>(i)], RECT{0, i * tm.tmHeight, 120, (i + 1) * tm.tmHeight}, DT_NOPREFIX);
  EXPECT_NE(each.Ink(), RECT{});
  EXPECT_TRUE(one.Snapshot() == each.Snapshot());
}

TEST(GdiText, DrawTextBreaksEllipsesAndPrefixes) {
  TGdiCanvas c(400, 200);
  TSelected f(c.DC, MakeFont(-13));
  TEXTMETRICW tm;
  GetTextMetrics(c.DC, &tm);
  int h = 0;
  // word breaks: equal words, two to a line
  int two = Extent(c.DC, u"aaa bbb").cx;
  Calc(c.DC, u"aaa bbb ccc ddd eee", RECT{0, 0, two, 0}, DT_WORDBREAK, &h);
  EXPECT_EQ(h, 3 * tm.tmHeight);
  Calc(c.DC, u"aaa\r\nbbb\nccc", RECT{0, 0, 300, 0}, 0, &h);
  EXPECT_EQ(h, 3 * tm.tmHeight);
  Calc(c.DC, u"aaa\r\nbbb\nccc", RECT{0, 0, 300, 0}, DT_SINGLELINE, &h);
  EXPECT_EQ(h, tm.tmHeight);
  // a word longer than the line: it overflows, unless an edit control breaks it
  RECT wide = Calc(c.DC, u"Incomprehensibilities", RECT{0, 0, 40, 0}, DT_WORDBREAK, &h);
  EXPECT_GT(wide.right, 40);
  EXPECT_EQ(h, tm.tmHeight);
  RECT broken = Calc(c.DC, u"Incomprehensibilities", RECT{0, 0, 40, 0}, DT_WORDBREAK | DT_EDITCONTROL, &h);
  EXPECT_LE(broken.right, 40);
  EXPECT_GT(h, tm.tmHeight);

  // prefixes: "&&" shows "&", "&x" shows x underlined, NOPREFIX keeps them
  EXPECT_EQ(Calc(c.DC, u"a&&b", RECT{}, DT_SINGLELINE).right, Extent(c.DC, u"a&b").cx);
  EXPECT_EQ(Calc(c.DC, u"a&&b", RECT{}, DT_SINGLELINE | DT_NOPREFIX).right, Extent(c.DC, u"a&&b").cx);
  EXPECT_EQ(Calc(c.DC, u"&File", RECT{}, DT_SINGLELINE).right, Extent(c.DC, u"File").cx);
  RECT cell{10, 10, 200, 40};
  Draw(c.DC, u"&File", cell, DT_SINGLELINE);
  auto underlined = c.Snapshot();
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, u"&File", cell, DT_SINGLELINE | DT_HIDEPREFIX);
  auto hidden = c.Snapshot();
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, u"File", cell, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(c.Snapshot(), hidden);
  EXPECT_NE(underlined, hidden);
  // the underline lies under the first letter, below the baseline
  int below = 10 + tm.tmAscent + 1;
  bool under = false;
  for (int y = below; y < 10 + tm.tmHeight + 1; ++y)
    for (int x = 10; x < 10 + Extent(c.DC, u"F").cx; ++x) under = under || underlined[y * 400 + x] != 0xFFFFFFFFu;
  EXPECT_TRUE(under);
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, u"&File", cell, DT_SINGLELINE | DT_PREFIXONLY);
  RECT ink = c.Ink();
  EXPECT_GE(ink.top, below - 1);   // only the underline

  // END_ELLIPSIS shortens what does not fit; MODIFYSTRING hands the shown text back
  c.Surface.Clear(0xFFFFFFFF);
  String longText = u"A rather long caption that cannot fit";
  RECT narrow{0, 0, Extent(c.DC, u"A rather long").cx, 20};
  Draw(c.DC, longText, narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(c.Ink().right, narrow.right);
  std::vector<Char> buf(longText.begin(), longText.end());
  buf.resize(buf.size() + 5, 0);
  DrawTextEx(c.DC, buf.data(), static_cast<int>(longText.size()), &narrow,
             DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
  String shown(buf.data());
  EXPECT_LT(shown.size(), longText.size());
  EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
  EXPECT_EQ(longText.rfind(shown.substr(0, shown.size() - 3), 0), 0u);
  EXPECT_LE(Extent(c.DC, shown).cx, narrow.right);
  // path ellipsis keeps the file name
  String path = u"C:\\Program Files\\Some Vendor\\Some Product\\file.txt";
  buf.assign(path.begin(), path.end());
  buf.resize(buf.size() + 5, 0);
  RECT pathRect{0, 0, Extent(c.DC, u"C:\\Program...\\file.txt").cx + 2, 20};
  DrawTextEx(c.DC, buf.data(), static_cast<int>(path.size()), &pathRect,
             DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, nullptr);
  shown = String(buf.data());
  EXPECT_NE(shown.find(u"...\\file.txt"), String::npos) << UTF8Encode(shown);
  EXPECT_EQ(shown.rfind(u"C:\\", 0), 0u);
}

TEST(GdiText, DrawTextVerticalPlacementAndAlignment) {
  TGdiCanvas c(300, 120);
  TSelected f(c.DC, MakeFont(-13));
  TEXTMETRICW tm;
  GetTextMetrics(c.DC, &tm);
  RECT r{0, 0, 300, 100};
  // VCENTER and BOTTOM act only with SINGLELINE
  EXPECT_EQ(Draw(c.DC, u"Text", r, DT_VCENTER), tm.tmHeight);
  EXPECT_LT(c.Ink().bottom, tm.tmHeight + 1);
  c.Surface.Clear(0xFFFFFFFF);
  int centre = (100 - tm.tmHeight) / 2;
  EXPECT_EQ(Draw(c.DC, u"Text", r, DT_VCENTER | DT_SINGLELINE), centre + tm.tmHeight);
  EXPECT_GE(c.Ink().top, centre);
  c.Surface.Clear(0xFFFFFFFF);
  EXPECT_EQ(Draw(c.DC, u"Text", r, DT_BOTTOM | DT_SINGLELINE), 100);
  EXPECT_GE(c.Ink().top, 100 - tm.tmHeight);
  // horizontal alignment
  int w = Extent(c.DC, u"Text").cx;
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, u"Text", r, DT_RIGHT | DT_SINGLELINE);
  EXPECT_LE(c.Ink().right, 300);
  EXPECT_GE(c.Ink().left, 300 - w);
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, u"Text", r, DT_CENTER | DT_SINGLELINE);
  EXPECT_NEAR((c.Ink().left + c.Ink().right) / 2.0, 150, 3);
  // margins of DrawTextEx move the text
  c.Surface.Clear(0xFFFFFFFF);
  DRAWTEXTPARAMS p;
  p.iLeftMargin = 40;
  String t = u"Text";
  DrawTextEx(c.DC, t.data(), 4, &r, DT_SINGLELINE, &p);
  EXPECT_GE(c.Ink().left, 40);
  EXPECT_EQ(p.uiLengthDrawn, 4u);
  // tabs expand to eight average characters
  RECT tab = Calc(c.DC, u"\tx", RECT{}, DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(tab.right, 8 * tm.tmAveCharWidth + Extent(c.DC, u"x").cx);
  // clipping to the rectangle unless NOCLIP
  c.Surface.Clear(0xFFFFFFFF);
  RECT small{0, 0, 10, 20};
  Draw(c.DC, u"Wide text here", small, DT_SINGLELINE);
  EXPECT_LE(c.Ink().right, 10);
  c.Surface.Clear(0xFFFFFFFF);
  Draw(c.DC, u"Wide text here", small, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(c.Ink().right, 10);
  // nothing to draw
  EXPECT_EQ(Draw(c.DC, u"", r, 0), 0);
  // external leading adds to each line
  int h1 = Draw(c.DC, u"a\nb", r, DT_CALCRECT), h2 = Draw(c.DC, u"a\nb", r, DT_CALCRECT | DT_EXTERNALLEADING);
  EXPECT_EQ(h2 - h1, 2 * tm.tmExternalLeading);
}

TEST(GdiText, TextExtentFit) {
  TGdiCanvas c;
  TSelected f(c.DC, MakeFont(-13));
  String s = u"abcdefghij";
  int fit = 0, dx[10];
  SIZE sz;
  int half = Extent(c.DC, u"abcde").cx;
  ASSERT_TRUE(GetTextExtentExPoint(c.DC, s.c_str(), 10, half, &fit, dx, &sz));
  EXPECT_EQ(fit, 5);
  EXPECT_EQ(dx[4], half);
  EXPECT_EQ(sz.cx, Extent(c.DC, s).cx);
  int widths[3];
  ASSERT_TRUE(GetCharWidth32(c.DC, 'a', 'c', widths));
  EXPECT_EQ(widths[0], Extent(c.DC, u"a").cx);
}

TEST(GdiText, SymbolFaceIsSymbolEncoded) {
  // The face "Symbol" draws 0xB7 as the bullet, "a" and "p" as alpha and pi, "\"" as for-all,
  // exactly as an installed face draws those characters; characters past 0xFE stay as they are.
  auto draw = [](const char16_t* AFace, const String& AText) {
    TGdiCanvas c(120, 40);
    TSelected f(c.DC, MakeFont(-20, AFace));
    TextOut(c.DC, 4, 4, AText.c_str(), static_cast<int>(AText.size()));
    return c.Snapshot();
  };
  const String symbol{Char(0xB7), u'a', u'p', u'"', u'1', Char(0x20AC)};
  const String unicode{Char(0x2022), Char(0x3B1), Char(0x3C0), Char(0x2200), u'1', Char(0x20AC)};
  EXPECT_EQ(draw(u"Symbol", symbol), draw(u"DejaVu Sans", unicode));
  EXPECT_NE(draw(u"Symbol", symbol), draw(u"DejaVu Sans", symbol));
  TGdiCanvas c;
  TSelected f(c.DC, MakeFont(-20, u"Symbol"));
  const String bullet(1, Char(0xB7));
  EXPECT_GT(Extent(c.DC, bullet).cx, 0);
}

namespace {

struct TFontCase {
  const char16_t* Face;
  int Points;
  int Weight;
  bool Italic, Underline;
};

// The width of each text measured by ShapeLine against the width of its paragraph layout, in
// the selected font; AOneRun tells whether it was measured as one run.
template <class F>
void ForEachMeasure(HDC ADC, const std::vector<String>& ATexts, F ACheck) {
  std::lock_guard lock(gdi::Lock());
  gdi::TFontEntry* font = gdi::FontEntryOf(gdi::DCOf(ADC));
  for (const String& text : ATexts) {
    gdi::TTextLine* line = gdi::ShapeLine(font, text, false);
    ACheck(text, gdi::LineWidth(line), gdi::ShapedAsOneRun(line), gdi::LaidOutWidth(line));
  }
}

HFONT MakeCaseFont(const TFontCase& ACase, int ADpi) {
  LOGFONTW lf;
  lf.lfHeight = -MulDiv(ACase.Points, ADpi, 72);
  lf.lfWeight = ACase.Weight;
  lf.lfItalic = ACase.Italic;
  lf.lfUnderline = ACase.Underline;
  for (int i = 0; ACase.Face[i]; ++i) lf.lfFaceName[i] = ACase.Face[i];
  return CreateFontIndirect(&lf);
}

}  // namespace

TEST(GdiText, LinesMeasuredAsOneRunHaveTheirLayoutsWidth) {
  enum TRun { Yes, No, Either };   // Either: as one run when the face has every character
  const std::vector<std::pair<String, TRun>> texts{
      {u"Item 12345", Yes},
      {u"The quick brown fox jumps over the lazy dog.", Yes},
      {u"AVATAR Wave To Yo LT", Yes},
      {u"office affine fjord ffl", Yes},
      {u"  leading and trailing blanks  ", Yes},
      {u" ", Yes},
      {u"", No},
      {u"12345", Yes},
      {u"...", Yes},
      {u"(1.5) [2] {3} <4> 5% #6 *7 @8", Yes},
      {u"#", Yes},
      {u"Gr\u00F6\u00DFe \u00FCber Ma\u00DF, \u00C9lan caf\u00E9 na\u00EFve", Yes},
      {u"x\u00B2 \u00BD \u00B1 \u00D7 \u00F7 \u00A7 \u00B0", Yes},
      {u"non\u00A0breaking", Yes},
      {u"\u0152uvre \u0141\u00F3d\u017A \u0161\u010D\u0159 \u0192 \u01C4 \u0219 \u0237", Either},
      {u"\u201CQuoted\u201D \u2018single\u2019 \u2014 dash \u2013 en \u2026 \u2030 \u2022", Either},
      {u"$100 \u20AC200 \u00A33 \u00A54 \u20B95", Either},
      {u"\u0391\u03B8\u03AE\u03BD\u03B1", No},                 // Greek
      {u"\u041C\u043E\u0441\u043A\u0432\u0430", No},         // Cyrillic
      {u"Item \u03A9mega", No},                                    // Latin and Greek
      {u"\u05E9\u05DC\u05D5\u05DD", No},                        // Hebrew
      {u"abc \u05E2\u05D1\u05E8\u05D9\u05EA 123", No},         // both directions
      {u"\u65E5\u672C\u8A9E", No},                               // another face
      {u"emoji \U0001F600", No},
      {u"Tab\there", No},
      {u"line\nbreak", No},
      {u"soft\u00ADhyphen", No},
      {u"\u00A9 2024 \u00AE", No},
      {u"e\u0301t\u00E9", No},                                    // a combining mark
      {u"zero\u200Bwidth", No},
      {u"left\u200Emark", No},
  };
  std::vector<String> plain;
  for (auto& t : texts) plain.push_back(t.first);
  const TFontCase fonts[] = {
      {u"Tahoma", 8, FW_NORMAL, false, false},          {u"Tahoma", 9, FW_BOLD, false, false},
      {u"Segoe UI", 10, FW_NORMAL, true, false},        {u"Times New Roman", 12, FW_NORMAL, false, true},
      {u"Courier New", 10, FW_BOLD, true, false},       {u"Verdana", 11, FW_NORMAL, false, false},
      {u"DejaVu Serif", 7, FW_SEMIBOLD, false, false},  {u"Liberation Sans Narrow", 13, FW_NORMAL, false, false},
  };
  for (const TFontCase& fc : fonts) {
    for (int dpi : {96, 144}) {
      TGdiCanvas c;
      SetDCResolution(c.DC, dpi, dpi);
      TSelected f(c.DC, MakeCaseFont(fc, dpi));
      std::size_t i = 0;
      ForEachMeasure(c.DC, plain, [&](const String& AText, int AWidth, bool AOneRun, int ALaidOut) {
        std::string where = UTF8Encode(fc.Face) + " " + std::to_string(fc.Points) + "pt @" + std::to_string(dpi) +
                            " \"" + UTF8Encode(AText) + "\"";
        EXPECT_EQ(AWidth, ALaidOut) << where;
        if (texts[i].second != Either) {
          EXPECT_EQ(AOneRun, texts[i].second == Yes) << where;
        }
        ++i;
      });
    }
  }
}

TEST(GdiText, EveryCharacterMeasuresAsItsLayoutBetweenLetters) {
  // Each character between two letters that kern and join with their neighbours, in a sans and a
  // serif face: the same width whether the line was shaped as one run or laid out.
  std::vector<String> texts;
  for (Char ch = 0x20; ch < 0x2100; ++ch)
    if (ch < 0xD800 || ch >= 0xE000) texts.push_back(String{u'T', ch, u'o', u'f', ch, u'V'});
  for (const char16_t* face : {u"Tahoma", u"Times New Roman"}) {
    TGdiCanvas c;
    TSelected f(c.DC, MakeCaseFont(TFontCase{face, 9, FW_NORMAL, false, false}, 96));
    int oneRun = 0;
    ForEachMeasure(c.DC, texts, [&](const String& AText, int AWidth, bool AOneRun, int ALaidOut) {
      EXPECT_EQ(AWidth, ALaidOut) << UTF8Encode(face) << " U+" << std::hex << static_cast<int>(AText[1]);
      oneRun += AOneRun;
    });
    EXPECT_GT(oneRun, 500) << UTF8Encode(face);   // the plain characters take the short way
  }
}

TEST(GdiText, LinesShapedAsOneRunDrawAsTheirLayout) {
  // A right-to-left reading of text that is left-to-right from its first to its last character
  // is laid out as one left-to-right run: the same glyphs at the same places, through the layout.
  const String texts[] = {u"Item 12345 ok", u"AVATAR Wave To", u"office affine fjord",
                          u"Gr\u00F6\u00DFe \u00FCber Ma\u00DF", u"Price \u20AC 12,50 net", u"x\u00B2 + y\u00B2 = z"};
  const TFontCase fonts[] = {
      {u"Tahoma", 8, FW_NORMAL, false, false},     {u"Tahoma", 9, FW_BOLD, false, false},
      {u"Segoe UI", 10, FW_NORMAL, true, false},   {u"Times New Roman", 12, FW_NORMAL, false, false},
      {u"Courier New", 10, FW_BOLD, true, false},  {u"Verdana", 11, FW_NORMAL, false, false},
  };
  auto draw = [](const TFontCase& AFont, int ADpi, int AEscapement, const String& AText, UINT AOptions) {
    TGdiCanvas c(260, 90);
    TSelected f(c.DC, MakeCaseFont(AFont, ADpi));
    if (AEscapement) {
      LOGFONTW lf;
      GetObject(f.Object, sizeof(lf), &lf);
      lf.lfEscapement = lf.lfOrientation = AEscapement;
      SelectObject(c.DC, CreateFontIndirect(&lf));
    }
    SetBkColor(c.DC, RGB(200, 220, 240));
    ExtTextOut(c.DC, 3, AEscapement ? 70 : 5, AOptions, nullptr, AText.c_str(), static_cast<UINT>(AText.size()), nullptr);
    if (AEscapement) DeleteObject(SelectObject(c.DC, f.Object));
    return std::make_pair(c.Snapshot(), c.Ink());
  };
  for (const TFontCase& fc : fonts)
    for (int dpi : {96, 144})
      for (int escapement : {0, 150})
        for (const String& text : texts) {
          auto ltr = draw(fc, dpi, escapement, text, 0);
          auto rtl = draw(fc, dpi, escapement, text, ETO_RTLREADING);
          EXPECT_TRUE(ltr.first == rtl.first)
              << UTF8Encode(fc.Face) << " " << fc.Points << "pt @" << dpi << " turned " << escapement << " \""
              << UTF8Encode(text) << "\"";
          EXPECT_GT(ltr.second.right, 40);
        }
}
