// The rich edit driven through its messages, keys, mouse and clipboard, and drawn headless.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <cstring>

#include "GraphicsTestUtil.h"
#include "platform/rtl/Math.h"
#include "platform/ui/ComCtrls.h"
#include "platform/win/Surface.h"
#include "platform/win/WinScroll.h"

namespace {

const char* const kSample =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}{\\colortbl ;\\red200\\green0\\blue0;}"
    "\\pard\\f0\\fs24 Normal \\b fett\\b0  \\i kursiv\\i0  \\ul unter\\ulnone  \\cf1 rot\\cf0\\par"
    "\\pard\\qc\\f1\\fs32 E = mc\\super 2\\nosupersub  und H\\sub 2\\nosupersub O\\par"
    "\\pard\\qr\\f0\\fs20 rechts\\par"
    "\\pard x \\up8 hoch\\up0  y \\dn8 tief\\dn0  z}";

// Counts pixels of a surface area that are close to a colour.
int CountNear(TBitmap& B, const TRect& R, TColor C, int Tolerance = 40) {
  int n = 0;
  for (Integer y = R.top; y < R.bottom; ++y)
    for (Integer x = R.left; x < R.right; ++x) {
      TColor p = PixelOf(B, x, y);
      if (std::abs(GetRValue(p) - GetRValue(C)) <= Tolerance && std::abs(GetGValue(p) - GetGValue(C)) <= Tolerance &&
          std::abs(GetBValue(p) - GetBValue(C)) <= Tolerance)
        ++n;
    }
  return n;
}

}  // namespace

class RichEditTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(400, 240);
    Form->OnCloseQuery = nullptr;
    Rich = Add<TRichEdit>(Form, 10, 10, 300, 150);
    Other = Add<TRichEdit>(Form, 10, 170, 300, 60);
    Rich->OnChange = [this](TObject*) { ++Changes; };
    Rich->OnResizeRequest = [this](TObject*, TRect R) { Requests.push_back(R); };
    Rich->OnSelectionChange = [this](TObject*) { ++SelChanges; };
    Form->Show();
    Pump();
  }
  void Load(const std::string& Rtf) {
    TStringStream s(UTF8ToString(Rtf));
    Rich->GetLines()->LoadFromStream(&s);
  }
  CHARFORMAT2W SelFormat(UINT Size = sizeof(CHARFORMAT2W)) {
    CHARFORMAT2W f;
    f.cbSize = Size;
    Rich->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
    return f;
  }
  TForm* Form = nullptr;
  TRichEdit* Rich = nullptr;
  TRichEdit* Other = nullptr;
  int Changes = 0, SelChanges = 0;
  std::vector<TRect> Requests;
};

TEST_F(RichEditTest, LinesLoadAndSaveRtfOrPlainText) {
  Load(kSample);
  ASSERT_EQ(Rich->GetLines()->GetCount(), 4);
  EXPECT_EQ(Rich->GetLines()->GetStrings(1), u"E = mc2 und H2O");
  EXPECT_EQ(Rich->GetText(), u"Normal fett kursiv unter rot\r\nE = mc2 und H2O\r\nrechts\r\nx hoch y tief z");
  EXPECT_GT(Changes, 0);
  // Saving writes RTF that loads into another rich edit with the same runs.
  TStringStream out(u"");
  Rich->GetLines()->SaveToStream(&out);
  std::string rtf = UTF8Encode(out.GetDataString());
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  TStringStream in(UTF8ToString(rtf));
  Other->GetLines()->LoadFromStream(&in);
  EXPECT_EQ(Other->GetRtf(), rtf);
  // PlainText: the stream is text either way.
  Other->SetPlainText(true);
  TStringStream plain(u"");
  Other->GetLines()->SaveToStream(&plain);
  EXPECT_EQ(plain.GetDataString(), u"Normal fett kursiv unter rot\r\nE = mc2 und H2O\r\nrechts\r\nx hoch y tief z\r\n");
  TStringStream raw(u"{\\rtf1 not parsed}");
  Other->GetLines()->LoadFromStream(&raw);
  EXPECT_EQ(Other->GetText(), u"{\\rtf1 not parsed}");
  // Lines as strings.
  Rich->GetLines()->Clear();
  Rich->GetLines()->Add(u"eins");
  Rich->GetLines()->Add(u"zwei");
  Rich->GetLines()->Insert(1, u"mitte");
  Rich->GetLines()->Delete(0);
  EXPECT_EQ(Rich->GetText(), u"mitte\r\nzwei\r\n");   // added lines end with a line break
}

TEST_F(RichEditTest, CharFormatMessages) {
  Load(kSample);
  // "fett" is bold at 12 pt in Arial.
  CHARRANGE r{7, 11};
  Rich->Perform(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  CHARRANGE got;
  Rich->Perform(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got.cpMin, 7);
  EXPECT_EQ(got.cpMax, 11);
  EXPECT_EQ(Rich->GetSelText(), u"fett");
  CHARFORMAT2W f = SelFormat();
  EXPECT_TRUE(f.dwMask & CFM_BOLD);
  EXPECT_TRUE(f.dwEffects & CFE_BOLD);
  EXPECT_EQ(f.yHeight, 240);
  EXPECT_EQ(String(f.szFaceName), u"Arial");
  // Superscript by offset, with the 92-byte structure: only the offset changes.
  CHARFORMAT2W set;
  set.cbSize = CHARFORMATW_SIZE;
  set.dwMask = CFM_OFFSET;
  set.yOffset = 40;
  EXPECT_NE(Rich->Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&set)), 0);
  f = SelFormat(CHARFORMATW_SIZE);
  EXPECT_EQ(f.yOffset, 40);
  EXPECT_TRUE(f.dwEffects & CFE_BOLD);
  // A selection across runs reports only what they share.
  Rich->Perform(EM_SETSEL, 0, 11);
  f = SelFormat();
  EXPECT_FALSE(f.dwMask & CFM_BOLD);
  EXPECT_FALSE(f.dwMask & CFM_OFFSET);
  EXPECT_TRUE(f.dwMask & CFM_FACE);
  // SelAttributes and DefAttributes go through the same messages.
  Rich->GetSelAttributes()->SetColor(clBlue);
  Rich->GetSelAttributes()->SetStyle(TFontStyles{fsItalic, fsStrikeOut});
  EXPECT_EQ(Rich->GetSelAttributes()->GetColor(), clBlue);
  EXPECT_EQ(Rich->GetSelAttributes()->GetStyle(), (TFontStyles{fsItalic, fsStrikeOut}));
  Rich->GetSelAttributes()->SetSize(20);
  EXPECT_EQ(Rich->GetSelAttributes()->GetSize(), 20);
  EXPECT_EQ(Rich->GetSelAttributes()->GetHeight(), MulDiv(20, 96, 72));
  // SCF_ALL: everything and the default.
  set.cbSize = sizeof(CHARFORMAT2W);
  set.dwMask = CFM_FACE | CFM_SIZE;
  std::memcpy(set.szFaceName, u"Courier New", 12 * sizeof(char16_t));
  set.yHeight = 200;
  Rich->Perform(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&set));
  Rich->SelectAll();
  EXPECT_EQ(Rich->GetSelAttributes()->GetName(), u"Courier New");
  EXPECT_EQ(Rich->GetDefAttributes()->GetSize(), 10);
  // Paragraph alignment of the selection's paragraphs.
  Rich->SetSelStart(0);
  EXPECT_EQ(Rich->GetParagraph()->GetAlignment(), taLeftJustify);
  Rich->GetParagraph()->SetAlignment(taCenter);
  EXPECT_EQ(Rich->GetParagraph()->GetAlignment(), taCenter);
}

TEST_F(RichEditTest, PositionsLinesAndTheFormattingRectangle) {
  Rich->SetText(u"eins\r\nzwei zwei\r\ndrei");
  EXPECT_EQ(Rich->Perform(EM_LINEFROMCHAR, 0, 0), 0);
  EXPECT_EQ(Rich->Perform(EM_LINEFROMCHAR, 6, 0), 1);
  EXPECT_EQ(Rich->Perform(EM_EXLINEFROMCHAR, 0, 16), 2);
  EXPECT_EQ(Rich->Perform(EM_GETLINECOUNT, 0, 0), 3);
  for (Integer index : {0, 3, 7, 12, 17}) {
    POINT p{};
    Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), index);
    POINT q{p.x + 1, p.y + 2};
    EXPECT_EQ(Rich->Perform(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&q)), index) << index;
  }
  RECT r{};
  Rich->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 0);
  EXPECT_GT(r.right, 280);
  RECT inset{20, 10, 200, 100};
  Rich->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&inset));
  Rich->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.bottom, 100);
  POINT p{};
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 0);
  EXPECT_EQ(p.x, 20);
  EXPECT_EQ(p.y, 10);
  // A long paragraph wraps inside the rectangle.
  Rich->SetText(u"ein langer Absatz, der in einem schmalen Rechteck auf mehrere Zeilen umbricht");
  EXPECT_GT(Rich->Perform(EM_GETLINECOUNT, 0, 0), 2);
  Rich->SetWordWrap(false);
  EXPECT_EQ(Rich->Perform(EM_GETLINECOUNT, 0, 0), 1);
  // A vertical scroll bar covers the content; scrolling moves it.
  Rich->Perform(EM_SETRECTNP, 0, 0);
  Rich->SetScrollBars(ssVertical);
  String many;
  for (int i = 0; i < 40; ++i) many += u"Zeile " + IntToStr(i) + u"\r\n";
  Rich->SetText(many);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Rich->GetHandle(), SB_VERT, &si));
  EXPECT_GT(si.nMax, static_cast<int>(si.nPage) * 3);
  Rich->Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 0);
  EXPECT_LT(p.y, -100);
  ASSERT_TRUE(GetScrollInfo(Rich->GetHandle(), SB_VERT, &si));
  EXPECT_EQ(si.nPos, -p.y);
  // The caret brings its line into view.
  Rich->SetSelStart(0);
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), 0);
  EXPECT_EQ(p.y, 0);
}

TEST_F(RichEditTest, ResizeRequestsFollowTheContent) {
  Requests.clear();
  Rich->SetText(u"eine Zeile");
  ASSERT_FALSE(Requests.empty());
  Integer one = Requests.back().bottom - Requests.back().top;
  Rich->SetText(u"eine\r\nzwei\r\ndrei");
  Integer three = Requests.back().bottom - Requests.back().top;
  EXPECT_GT(three, 2 * one);
  EXPECT_EQ(Requests.back().right - Requests.back().left, Rich->GetClientWidth());
  // Without ENM_REQUESTRESIZE nothing is asked.
  std::size_t n = Requests.size();
  LRESULT old = Rich->Perform(EM_SETEVENTMASK, 0, ENM_CHANGE);
  EXPECT_TRUE(old & ENM_REQUESTRESIZE);
  Rich->SetText(u"x");
  EXPECT_EQ(Requests.size(), n);
  // A new window keeps the content, and the class library asks for requests again.
  Rich->SetText(u"behalten");
  Rich->SetScrollBars(ssVertical);
  EXPECT_EQ(Rich->GetText(), u"behalten");
  EXPECT_TRUE(Rich->Perform(EM_GETEVENTMASK, 0, 0) & ENM_REQUESTRESIZE);
  Rich->Perform(EM_REQUESTRESIZE, 0, 0);
  EXPECT_GT(Requests.size(), n);
}

TEST_F(RichEditTest, TypingSelectionStylesClipboardAndUndo) {
  Rich->SetFocus();
  Pump();
  Type(u"Hallo ");
  Chord(VK_CONTROL, 'B');
  Type(u"fett");
  Chord(VK_CONTROL, 'B');
  Type(u" normal");
  EXPECT_EQ(Rich->GetText(), u"Hallo fett normal");
  Rich->Perform(EM_SETSEL, 6, 10);
  EXPECT_TRUE(SelFormat().dwEffects & CFE_BOLD);
  Rich->Perform(EM_SETSEL, 11, 17);
  EXPECT_FALSE(SelFormat().dwEffects & CFE_BOLD);
  EXPECT_GT(SelChanges, 0);
  // Shift+keys select; Ctrl+I and Ctrl+U style the selection.
  Press(VK_HOME);
  for (int i = 0; i < 5; ++i) Chord(VK_SHIFT, VK_RIGHT);
  EXPECT_EQ(Rich->GetSelText(), u"Hallo");
  Chord(VK_CONTROL, 'I');
  Chord(VK_CONTROL, 'U');
  CHARFORMAT2W f = SelFormat();
  EXPECT_TRUE(f.dwEffects & CFE_ITALIC);
  EXPECT_TRUE(f.dwEffects & CFE_UNDERLINE);
  EXPECT_EQ(Rich->GetText(), u"Hallo fett normal");   // Ctrl+I typed no tab
  // Enter ends a paragraph; typing takes the format at the caret.
  Press(VK_END);
  Press(VK_RETURN);
  Type(u"zwei");
  EXPECT_EQ(Rich->GetLines()->GetCount(), 2);
  // Copy puts rich text and Unicode text; pasting into another rich edit keeps the runs.
  Rich->Perform(EM_SETSEL, 0, 10);
  Chord(VK_CONTROL, 'C');
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_NE(GetClipboardData(RegisterClipboardFormat(u"Rich Text Format")), nullptr);
  EXPECT_NE(GetClipboardData(CF_UNICODETEXT), nullptr);
  CloseClipboard();
  Other->PasteFromClipboard();
  EXPECT_EQ(Other->GetText(), u"Hallo fett");
  Other->Perform(EM_SETSEL, 0, 5);
  CHARFORMAT2W o;
  Other->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&o));
  EXPECT_TRUE(o.dwEffects & CFE_ITALIC);
  Other->Perform(EM_SETSEL, 6, 10);
  Other->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&o));
  EXPECT_TRUE(o.dwEffects & CFE_BOLD);
  // Undo takes back the last edit, and undoing again redoes it.
  Rich->SetFocus();
  Pump();
  Chord(VK_CONTROL, VK_END);
  Press(VK_BACK);
  EXPECT_EQ(Rich->GetLines()->GetStrings(1), u"zwe");
  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Rich->GetLines()->GetStrings(1), u"zwei");
  EXPECT_TRUE(Rich->GetModified());
  // Read-only refuses edits with a beep.
  Rich->SetReadOnly(true);
  Headless::ClearBeeps();
  Type(u"x");
  EXPECT_EQ(Rich->GetLines()->GetStrings(1), u"zwei");
  EXPECT_EQ(Headless::Beeps().size(), 1u);
  // MaxLength limits what comes in.
  Rich->SetReadOnly(false);
  Rich->SetMaxLength(static_cast<Integer>(Rich->GetText().size()) - 1 + 2);
  Type(u"abcdef");
  EXPECT_EQ(Rich->GetLines()->GetStrings(1), u"zweiab");
}

TEST_F(RichEditTest, MouseSelectsAndDrawsMixedRuns) {
  Load(kSample);
  Rich->SetFocus();
  Pump();
  // A drag over the first line selects from the press to the release.
  POINT a{}, b{};
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&a), 7);
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&b), 18);
  TPoint pa = ScreenPoint(Rich, a.x + 1, a.y + 4), pb = ScreenPoint(Rich, b.x + 1, b.y + 4);
  Headless::ButtonDown(1, pa.x, pa.y);
  Headless::MouseMove(pb.x, pb.y);
  Headless::ButtonUp(1, pb.x, pb.y);
  Pump();
  EXPECT_EQ(Rich->GetSelText(), u"fett kursiv");
  Form->Invalidate();
  Pump();
  ASSERT_TRUE(Headless::SaveWindowPng(Form->GetHandle(), OutputPath("richedit_mixed.png")));
  // The selection shows in the highlight colour, the red run in red, the centred and the
  // right-aligned paragraph where their alignment puts them.
  HWND h = Rich->GetHandle();
  auto count = [&](TRect R, COLORREF C) {
    int n = 0;
    for (Integer y = R.top; y < R.bottom; ++y)
      for (Integer x = R.left; x < R.right; ++x) {
        COLORREF p = Headless::ClientPixel(h, x, y);
        if (std::abs(GetRValue(p) - GetRValue(C)) < 40 && std::abs(GetGValue(p) - GetGValue(C)) < 40 &&
            std::abs(GetBValue(p) - GetBValue(C)) < 40)
          ++n;
      }
    return n;
  };
  TRect sel{a.x, a.y, b.x, a.y + 16};
  EXPECT_GT(count(sel, ColorToRGB(clHighlight)), (b.x - a.x) * 4);
  EXPECT_GT(count(TRect{0, 0, 296, 20}, RGB(200, 0, 0)), 10);
  POINT c{}, r{};
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&c), 29);
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&r), 45);
  EXPECT_GT(c.x, 20);
  EXPECT_GT(r.x, 200);
  // The superscript "2" sits higher than the "c" before it.
  POINT c2{}, two{};
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&c2), 34);
  Rich->Perform(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&two), 35);
  auto inkTop = [&](Integer x0, Integer x1, Integer y0, Integer y1) {
    for (Integer y = y0; y < y1; ++y)
      for (Integer x = x0; x < x1; ++x)
        if (GetRValue(Headless::ClientPixel(h, x, y)) < 128) return y;
    return y1;
  };
  Integer line = c2.y, lineEnd = c2.y + 40;
  EXPECT_LT(inkTop(two.x, two.x + 6, line, lineEnd), inkTop(c2.x, two.x, line, lineEnd));
  // A background colour of its own, and back to the system's.
  Rich->Perform(EM_SETBKGNDCOLOR, 0, RGB(255, 255, 200));
  Pump();
  EXPECT_EQ(Headless::ClientPixel(h, 290, 140), RGB(255, 255, 200));
  EXPECT_EQ(static_cast<COLORREF>(Rich->Perform(EM_SETBKGNDCOLOR, 1, 0)), RGB(255, 255, 200));
  Pump();
  EXPECT_EQ(Headless::ClientPixel(h, 290, 140), ColorToRGB(clWindow));
}

TEST_F(RichEditTest, FormatRangeDrawsAtTheDevicesResolution) {
  Load(kSample);
  // One page at screen resolution and one at twice it: the same layout, twice the size.
  auto render = [&](int Dpi, TBitmap& Bmp, LRESULT& Next) {
    WhiteBitmap(Bmp, 320 * Dpi / 96, 200 * Dpi / 96);
    HDC dc = Bmp.GetCanvas()->GetHandle();
    SetDCResolution(dc, Dpi, Dpi);
    FORMATRANGE fr;
    fr.hdc = fr.hdcTarget = dc;
    fr.rc = RECT{150, 0, 1440 * 3, 1440 * 2};   // 10 pixels in at 96 dpi
    fr.rcPage = fr.rc;
    fr.chrg = CHARRANGE{0, -1};
    Next = Rich->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&fr));
    Rich->Perform(EM_FORMATRANGE, 0, 0);
  };
  TBitmap small, large;
  LRESULT nextSmall = 0, nextLarge = 0;
  render(96, small, nextSmall);
  render(192, large, nextLarge);
  GetDCSurface(small.GetCanvas()->GetHandle())->SaveToPng(OutputPath("richedit_formatrange_96.png"));
  GetDCSurface(large.GetCanvas()->GetHandle())->SaveToPng(OutputPath("richedit_formatrange_192.png"));
  // Everything fits: the end of the text (a paragraph end counts once, not as CR LF).
  EXPECT_EQ(nextSmall, static_cast<LRESULT>(Rich->GetText().size()) - 3);
  EXPECT_EQ(nextLarge, nextSmall);
  TRect s = InkBox(small, clWhite), l = InkBox(large, clWhite);
  ASSERT_FALSE(IsRectEmpty(&s));
  EXPECT_NEAR(l.right - l.left, 2 * (s.right - s.left), 8);
  EXPECT_NEAR(l.bottom - l.top, 2 * (s.bottom - s.top), 8);
  EXPECT_NEAR(s.left, 10, 3);
  EXPECT_GT(CountNear(small, s, RGB(200, 0, 0)), 5);
  // A short rectangle holds the first lines; the rest starts where it stopped.
  TBitmap page;
  WhiteBitmap(page, 320, 200);
  HDC dc = page.GetCanvas()->GetHandle();
  FORMATRANGE fr;
  fr.hdc = fr.hdcTarget = dc;
  fr.rc = RECT{0, 0, 1440 * 3, 500};
  fr.rcPage = fr.rc;
  fr.chrg = CHARRANGE{0, -1};
  LRESULT measured = Rich->Perform(EM_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr));
  EXPECT_EQ(InkBox(page, clWhite).right, 0);   // measuring draws nothing
  EXPECT_GT(measured, 0);
  EXPECT_LT(measured, nextSmall);
  EXPECT_EQ(Rich->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&fr)), measured);
  Integer firstBottom = InkBox(page, clWhite).bottom;
  EXPECT_LE(firstBottom, MulDiv(500, 96, 1440) + 1);
  fr.chrg.cpMin = static_cast<LONG>(measured);
  fr.rc = RECT{0, 1440, 1440 * 3, 2880};
  EXPECT_GT(Rich->Perform(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&fr)), measured);
  EXPECT_GT(InkBox(page, clWhite).bottom, 96);
}
