// Edges, frame controls and focus rectangles, and a gallery picture of everything GDI draws.
#include "platform/win/tests/GdiTestUtil.h"
#include "platform/win/WinUser.h"

namespace {
COLORREF Sys(int I) { return GetSysColor(I) & 0xFFFFFF; }
}  // namespace

TEST(GdiFrame, DrawEdgeColoursAndAdjust) {
  TGdiCanvas c(60, 60);
  struct TCase {
    UINT Edge, Flags;
    int Outer, Inner, OuterBR, InnerBR;   // colour indexes: top-left and bottom-right
  } cases[] = {
      {EDGE_RAISED, BF_RECT, COLOR_3DLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DSHADOW},
      {EDGE_SUNKEN, BF_RECT, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DLIGHT},
      {EDGE_ETCHED, BF_RECT, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
      {EDGE_BUMP, BF_RECT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
      {EDGE_RAISED, BF_RECT | BF_SOFT, COLOR_3DHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DSHADOW},
      {EDGE_SUNKEN, BF_RECT | BF_FLAT, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DFACE},
  };
  for (const TCase& k : cases) {
    c.Surface.Clear(0xFFFFFFFF);
    RECT r{10, 10, 50, 40};
    EXPECT_TRUE(DrawEdge(c.DC, &r, k.Edge, k.Flags | BF_ADJUST));
    EXPECT_EQ(r, (RECT{12, 12, 48, 38}));
    EXPECT_EQ(c.At(10, 10), Sys(k.Outer));
    EXPECT_EQ(c.At(11, 11), Sys(k.Inner));
    EXPECT_EQ(c.At(49, 39), Sys(k.OuterBR));
    EXPECT_EQ(c.At(48, 38), Sys(k.InnerBR));
    EXPECT_EQ(c.At(50, 40), RGB(255, 255, 255));
    EXPECT_EQ(c.At(20, 20), RGB(255, 255, 255));   // no middle without BF_MIDDLE
  }
  // single sides and the middle
  c.Surface.Clear(0xFFFFFFFF);
  RECT r{10, 10, 50, 40};
  DrawEdge(c.DC, &r, BDR_RAISEDOUTER, BF_BOTTOM | BF_MIDDLE | BF_ADJUST);
  EXPECT_EQ(r, (RECT{10, 10, 50, 39}));
  EXPECT_EQ(c.At(20, 39), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(c.At(10, 10), Sys(COLOR_3DFACE));
}

TEST(GdiFrame, FrameControls) {
  TGdiCanvas c(100, 40);
  RECT box{0, 0, 13, 13};
  DrawFrameControl(c.DC, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(c.At(6, 6), Sys(COLOR_WINDOW));
  EXPECT_EQ(c.At(0, 0), Sys(COLOR_3DSHADOW));
  DrawFrameControl(c.DC, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_EQ(c.At(6, 8), Sys(COLOR_WINDOWTEXT));   // the mark's lowest column
  DrawFrameControl(c.DC, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
  EXPECT_EQ(c.At(6, 8), Sys(COLOR_3DFACE));

  RECT radio{20, 0, 32, 12};
  DrawFrameControl(c.DC, &radio, DFC_BUTTON, DFCS_BUTTONRADIO);
  EXPECT_EQ(c.At(26, 6), Sys(COLOR_WINDOW));
  DrawFrameControl(c.DC, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  EXPECT_EQ(c.At(26, 6), Sys(COLOR_WINDOWTEXT));
  EXPECT_EQ(c.At(20, 0), RGB(255, 255, 255));   // the corner stays outside the circle

  RECT push{40, 0, 70, 20};
  DrawFrameControl(c.DC, &push, DFC_BUTTON, DFCS_BUTTONPUSH);
  EXPECT_EQ(c.At(40, 0), Sys(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(c.At(69, 19), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(c.At(55, 10), Sys(COLOR_3DFACE));
  RECT pushed = push;
  DrawFrameControl(c.DC, &pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_ADJUSTRECT);
  EXPECT_NE(c.At(40, 0), Sys(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(pushed, (RECT{42, 2, 68, 18}));

  RECT arrow{75, 0, 91, 16};
  DrawFrameControl(c.DC, &arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
  int dark = 0;
  for (int y = 2; y < 14; ++y)
    for (int x = 77; x < 89; ++x) dark += c.At(x, y) == Sys(COLOR_BTNTEXT);
  EXPECT_GE(dark, 4);
  // a down arrow is widest at its top row
  int top = -1;
  for (int y = 2; y < 14 && top < 0; ++y)
    for (int x = 77; x < 89; ++x)
      if (c.At(x, y) == Sys(COLOR_BTNTEXT)) top = y;
  int widthTop = 0, widthNext = 0;
  for (int x = 77; x < 89; ++x) {
    widthTop += c.At(x, top) == Sys(COLOR_BTNTEXT);
    widthNext += c.At(x, top + 1) == Sys(COLOR_BTNTEXT);
  }
  EXPECT_GT(widthTop, widthNext);
}

TEST(GdiFrame, FocusRectTwiceRestores) {
  TGdiCanvas c(40, 40);
  c.Pattern();
  auto before = c.Snapshot();
  RECT r{5, 5, 30, 20};
  DrawFocusRect(c.DC, &r);
  auto once = c.Snapshot();
  EXPECT_NE(once, before);
  EXPECT_NE(c.At(5, 5), PixelToColorRef(before[5 * 40 + 5]));    // dotted: every other pixel
  EXPECT_EQ(c.At(6, 5), PixelToColorRef(before[5 * 40 + 6]));
  EXPECT_EQ(c.At(10, 10), PixelToColorRef(before[10 * 40 + 10]));
  DrawFocusRect(c.DC, &r);
  EXPECT_EQ(c.Snapshot(), before);
}

TEST(GdiFrame, GalleryPicture) {
  TGdiCanvas c(480, 300);
  HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
  RECT all{0, 0, 480, 300};
  FillRect(c.DC, &all, face);
  LOGFONTW lf;
  lf.lfHeight = -13;
  std::u16string name = u"Tahoma";
  std::copy(name.begin(), name.end(), lf.lfFaceName);
  TSelected font(c.DC, CreateFontIndirect(&lf));
  SetBkMode(c.DC, TRANSPARENT);
  RECT title{10, 5, 470, 25};
  DrawText(c.DC, u"GDI über Cairo: Linien, Formen, Text & Rahmen", -1, &title, DT_SINGLELINE | DT_NOPREFIX);
  // shapes
  SelectObject(c.DC, GetStockObject(WHITE_BRUSH));
  Rectangle(c.DC, 10, 30, 70, 80);
  Ellipse(c.DC, 80, 30, 150, 80);
  RoundRect(c.DC, 160, 30, 230, 80, 16, 16);
  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 90, 180));
  HGDIOBJ oldBrush = SelectObject(c.DC, hatch);
  Pie(c.DC, 240, 30, 300, 90, 300, 60, 270, 30);
  SelectObject(c.DC, oldBrush);
  DeleteObject(hatch);
  {
    TSelected pen(c.DC, CreatePen(PS_SOLID, 4, RGB(200, 0, 0)));
    POINT pts[4] = {{310, 80}, {340, 30}, {370, 80}, {400, 30}};
    Polyline(c.DC, pts, 4);
  }
  {
    TSelected pen(c.DC, CreatePen(PS_DASHDOT, 1, RGB(0, 0, 0)));
    MoveToEx(c.DC, 410, 30, nullptr);
    LineTo(c.DC, 470, 90);
  }
  // text cells with DrawText flags
  const char16_t* texts[] = {u"Links", u"Zentriert", u"Rechts", u"Ein sehr langer Text, der gekürzt wird"};
  UINT flags[] = {DT_LEFT, DT_CENTER, DT_RIGHT, DT_END_ELLIPSIS};
  for (int i = 0; i < 4; ++i) {
    RECT cell{10 + i * 115, 100, 120 + i * 115, 122};
    DrawEdge(c.DC, &cell, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
    InflateRect(&cell, -2, 0);
    DrawText(c.DC, texts[i], -1, &cell, flags[i] | DT_SINGLELINE | DT_VCENTER);
  }
  RECT wrap{10, 130, 200, 200};
  DrawEdge(c.DC, &wrap, EDGE_ETCHED, BF_RECT | BF_ADJUST);
  InflateRect(&wrap, -3, -2);
  DrawText(c.DC, u"Umbruch an Wortgrenzen: &Datei öffnen, Ansicht && Fenster, Größe ändern.", -1, &wrap,
           DT_WORDBREAK);
  // frame controls
  UINT states[] = {DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTONRADIO,
                   DFCS_BUTTONRADIO | DFCS_CHECKED, DFCS_BUTTON3STATE | DFCS_CHECKED};
  for (int i = 0; i < 5; ++i) {
    RECT b{220 + i * 20, 135, 233 + i * 20, 148};
    DrawFrameControl(c.DC, &b, DFC_BUTTON, states[i]);
  }
  RECT push{220, 155, 320, 180};
  DrawFrameControl(c.DC, &push, DFC_BUTTON, DFCS_BUTTONPUSH);
  DrawText(c.DC, u"&OK", -1, &push, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  RECT focus = push;
  InflateRect(&focus, -4, -4);
  DrawFocusRect(c.DC, &focus);
  UINT arrows[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT, DFCS_SCROLLCOMBOBOX,
                   DFCS_SCROLLDOWN | DFCS_INACTIVE, DFCS_SCROLLSIZEGRIP};
  for (int i = 0; i < 7; ++i) {
    RECT a{330 + i * 20, 135, 347 + i * 20, 152};
    DrawFrameControl(c.DC, &a, DFC_SCROLL, arrows[i]);
  }
  // rotated and larger text
  lf.lfHeight = -20;
  lf.lfEscapement = lf.lfOrientation = 300;
  TSelected rotated(c.DC, CreateFontIndirect(&lf));
  SetTextColor(c.DC, RGB(0, 100, 0));
  TextOut(c.DC, 220, 280, u"Gedreht um 30°", 14);
  c.Save("gdi-gallery.png");
  EXPECT_NE(c.Ink(), RECT{});
}
