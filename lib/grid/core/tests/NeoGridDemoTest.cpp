// The grid demo as a person sees it, headless and on a real X server (Xvfb): at start, after two
// pages down, after a column resize, after scenarios of wheel, keys, header drag, zoom and pan, of
// clicks, Shift and Ctrl clicks, header clicks and a dragged column, whose grid state the demo
// reports, and with the focus glow around a cell being edited. The PNGs stay under the build folder for a person to look
// at; the checks read pixels at the cells the demo lays out (its column widths and row height).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "lib/grid/core/NeoGridAlphaMask.h"
#include "platform/rtl/testsupport/Command.h"
#include "platform/win/Surface.h"
#include "platform/win/WinUser.h"

namespace {

// Column starts of the demo (widths 50, 50, 120, 80, 90, 90, 100, 80, 90, 110, 80, 140) and its
// rows of 22 pixels.
constexpr int ColX[] = {0, 50, 100, 220, 300, 390, 480, 580, 660, 750, 860, 940, 1080};
constexpr int RowH = 22;

class DemoShot {
public:
  // Runs the demo with the actions and loads its screenshot; false when it failed. The state the
  // demo reports (--report) is kept by name.
  bool Run(const std::string& Name, const std::string& Actions, bool Xvfb) {
    std::filesystem::path out = std::filesystem::path(ZELK_TEST_OUTPUT) / Name;
    std::filesystem::remove(out);
    const std::string env = LeakSuppressions();
    std::string run = "'" + std::string(ZELK_NEOGRID_DEMO) + "' --report --screenshot '" + out.string() + "'" +
                      (Actions.empty() ? "" : " --actions " + Actions);
    std::string cmd = Xvfb ? env + OnXvfb("-screen 0 1024x768x24") + run
                           : env + "ZELK_BACKEND=headless " + run;
    Command = cmd;
    const TCommandRun demo = RunCommand(cmd);
    if (!demo.Succeeded()) return false;
    std::istringstream words(demo.Output);
    for (std::string w; words >> w;)
      if (std::size_t eq = w.find('='); eq != std::string::npos) State[w.substr(0, eq)] = w.substr(eq + 1);
    return Shot.LoadFromPng(out.string());
  }
  int Number(const std::string& Key) const { return std::stoi(State.at(Key)); }
  const std::string& Text(const std::string& Key) const { return State.at(Key); }
  // The I-th of a comma-separated list.
  int Item(const std::string& Key, int I) const {
    std::istringstream list(State.at(Key));
    std::string v;
    for (int i = 0; i <= I; ++i) std::getline(list, v, ',');
    return std::stoi(v);
  }
  // A pixel of the grid's client area.
  COLORREF At(int X, int Y) const {
    static const int x0 = 20 + GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXEDGE);
    static const int y0 = 20 + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYEDGE);
    return PixelToColorRef(Shot.Pixel(x0 + X, y0 + Y));
  }
  int Count(int L, int T, int R, int B, const std::function<bool(COLORREF)>& Pred) const {
    int n = 0;
    for (int y = T; y < B; ++y)
      for (int x = L; x < R; ++x) n += Pred(At(x, y)) ? 1 : 0;
    return n;
  }
  // Dark pixels inside the frame of the check box in a visible row (Row 1 = the first data row):
  // the box's frame spans 67..79 of the column and 7..18 of the row.
  int CheckMarkPixels(int Row) const { return Count(ColX[1] + 19, Row * RowH + 9, ColX[1] + 28, Row * RowH + 17, Dark); }
  static bool Dark(COLORREF C) { return GetRValue(C) < 90 && GetGValue(C) < 90 && GetBValue(C) < 90; }

  TSurface Shot{1, 1};
  std::string Command;
  std::map<std::string, std::string> State;
};

const COLORREF Face = GetSysColor(COLOR_BTNFACE);
const COLORREF Window = GetSysColor(COLOR_WINDOW);

// Pixels in a 3-pixel band around a column boundary, over the height of a row, that are neither
// the cell's fill nor the text (any grid line shows here).
int BoundaryPixels(const DemoShot& S, int X, int Row, COLORREF Fill) {
  return S.Count(X - 2, Row * RowH + 3, X + 1, Row * RowH + RowH - 3, [&](COLORREF c) { return c != Fill; });
}

void ExpectStartPicture(const DemoShot& s) {
  // The header merged across "Person": one text, no line where its columns meet, unlike the
  // boundary before it.
  EXPECT_EQ(BoundaryPixels(s, ColX[3], 0, Face), 0);
  EXPECT_EQ(BoundaryPixels(s, ColX[4], 0, Face), 0);
  EXPECT_GT(BoundaryPixels(s, ColX[2], 0, Face), 10);
  EXPECT_GT(s.Count(ColX[2] + 100, 3, ColX[2] + 190, 19, DemoShot::Dark), 15);   // "Person" in the middle
  EXPECT_EQ(s.Count(ColX[2] + 5, 3, ColX[2] + 60, 19, DemoShot::Dark), 0);        // and nowhere else
  // The 2 x 2 block of rows 3 and 4, columns 5 and 6: neither line inside it.
  auto notWindow = [](COLORREF c) { return c != Window; };
  EXPECT_EQ(s.Count(ColX[6] - 2, 3 * RowH + 2, ColX[6] + 1, 3 * RowH + 14, notWindow), 0);   // above the text
  EXPECT_EQ(s.Count(ColX[6] - 2, 4 * RowH + 5, ColX[6] + 1, 5 * RowH - 3, notWindow), 0);    // below it
  EXPECT_EQ(s.Count(ColX[5] + 4, 4 * RowH - 2, ColX[5] + 25, 4 * RowH + 1, notWindow), 0);
  EXPECT_GT(BoundaryPixels(s, ColX[6], 5, Window), 10);   // below the block the line is back
  // Row 1 holds "Y": a checked box; row 2 "N": an empty one.
  EXPECT_GT(s.CheckMarkPixels(1), 5);
  EXPECT_EQ(s.CheckMarkPixels(2), 0);
  // A button face in column 7 of a row.
  EXPECT_GT(s.Count(ColX[7] + 4, 2 * RowH + 4, ColX[8] - 4, 3 * RowH - 4, [](COLORREF c) { return c == Face; }), 300);
}

TEST(NeoGridDemo, HeadlessStartPageDownAndColumnResize) {
  DemoShot start, paged, resized;
  ASSERT_TRUE(start.Run("NeoGridDemoStart.png", "", false)) << start.Command;
  ExpectStartPicture(start);

  ASSERT_TRUE(paged.Run("NeoGridDemoScrolled.png", "wheel:-20", false)) << paged.Command;
  // Row 61 current at the bottom, the first visible row is 41 ("N"): its box is empty and the
  // third one's (row 43, "Y") is checked; the controls followed the view.
  EXPECT_EQ(paged.Number("TopRow"), 41);
  EXPECT_EQ(paged.CheckMarkPixels(1), 0);
  EXPECT_GT(paged.CheckMarkPixels(3), 5);

  ASSERT_TRUE(resized.Run("NeoGridDemoResize.png", "resize,check", false)) << resized.Command;
  // The border of the merged header's last column moved 40 pixels right and the buttons with it.
  EXPECT_GT(resized.Count(ColX[8] + 5, 2 * RowH + 4, ColX[8] + 35, 3 * RowH - 4, [](COLORREF c) { return c == Face; }),
            150);
  EXPECT_EQ(resized.CheckMarkPixels(1), 0);   // "check" cleared the first row's box
}

// The grid's own scenario: 100,000 rows, wheel 5 notches down, three pages down, Ctrl+End, the
// last column's header border dragged 40 pixels on, and Ctrl+wheel up twice (zoom +3 a notch).
TEST(NeoGridDemo, WheelKeysHeaderDragAndZoom) {
  DemoShot wheeled, paged;
  ASSERT_TRUE(wheeled.Run("NeoGridDemoWheel.png", "wheel:-5", false)) << wheeled.Command;
  EXPECT_EQ(wheeled.Number("Row"), 16);   // 3 rows a notch
  EXPECT_EQ(wheeled.Number("TopRow"), 1);
  ASSERT_TRUE(paged.Run("NeoGridDemoPaged.png", "wheel:-5,key:pagedown,key:pagedown,key:pagedown", false))
      << paged.Command;
  // A page is 21 rows: the row and the top row go on by that much each time.
  EXPECT_EQ(paged.Number("Row"), 16 + 3 * 21);
  EXPECT_EQ(paged.Number("TopRow"), 1 + 3 * 21);
  EXPECT_GE(paged.Number("Row"), 16);
  EXPECT_GE(paged.Number("Row"), paged.Number("TopRow"));
  EXPECT_LT(paged.Number("Row"), paged.Number("TopRow") + 21);

  DemoShot end;
  ASSERT_TRUE(end.Run("NeoGridDemoScenarioEnd.png",
                      "wheel:-5,key:pagedown,key:pagedown,key:pagedown,key:ctrl+end,header-drag:11:40,ctrl-wheel:2", false))
      << end.Command;
  EXPECT_EQ(end.Number("Row"), 100000);
  EXPECT_EQ(end.Number("Col"), 11);
  EXPECT_EQ(end.Number("Zoom"), 6);
  EXPECT_EQ(end.Number("RowHeight"), 28);
  EXPECT_EQ(end.Item("ColWidths", 0), 56);
  EXPECT_EQ(end.Item("ColWidths", 2), 126);
  EXPECT_EQ(end.Item("ColWidths", 11), 186);   // 140 + 40 dragged + 6 zoomed
  // Ctrl+End showed the last row at the bottom of the 22-pixel rows; zooming keeps the top row.
  EXPECT_EQ(end.Number("TopRow"), 99980);
  EXPECT_EQ(end.Number("LeftCol"), 6);
  // The picture: columns 6 .. 11 after the 56-pixel fixed column, the last one 186 wide: its
  // border line shows where it ends, none where it ended before the drag; rows 28 pixels apart.
  const int notizLeft = 56 + 106 + 86 + 96 + 116 + 86;
  auto notWindow = [](COLORREF c) { return c != Window; };
  EXPECT_GT(end.Count(notizLeft + 185 - 2, 28 + 4, notizLeft + 185 + 1, 28 + 24, notWindow), 10);
  EXPECT_EQ(end.Count(notizLeft + 140 - 2, 28 + 4, notizLeft + 140 + 1, 28 + 24, notWindow), 0);
  // The fixed column "Nr": a row line at 28 + 28 k, none at the unzoomed 22 + 22 k between them.
  // (Read right of the centred row numbers.)
  auto lineAt = [&](int Y) { return end.Count(44, Y, 53, Y + 1, [](COLORREF c) { return c != Face; }); };
  EXPECT_GT(lineAt(2 * 28 - 1), 6);
  EXPECT_EQ(lineAt(2 * 22 - 1), 0);
}

// Pixels of a strip at the left of a cell starting at L, inset from its lines and left of its
// centred text, that differ from the plain window colour: all of a tinted cell, none of a plain one.
int TintedPixels(const DemoShot& S, int L, int Row) {
  return S.Count(L + 2, Row * RowH + 2, L + 6, Row * RowH + RowH - 3, [](COLORREF c) { return c != Window; });
}

// What the mouse does in the demo: a click selects the cell, Shift+click the range from it,
// Ctrl+click adds rows apart from each other.
TEST(NeoGridDemo, ClicksShiftClickRangeAndCtrlClickRows) {
  DemoShot range, rows;
  ASSERT_TRUE(range.Run("NeoGridDemoShiftClick.png", "click:3:5,shift-click:5:9", false)) << range.Command;
  EXPECT_EQ(range.Text("Selection"), "3,5,5,9");
  EXPECT_EQ(range.Number("Row"), 9);
  EXPECT_EQ(range.Number("Col"), 5);
  // Inside the range the cells are tinted, beside it (column 6, row 7; column 3, row 10) not.
  EXPECT_GT(TintedPixels(range, ColX[4], 7), 30);
  EXPECT_EQ(TintedPixels(range, ColX[6], 7), 0);
  EXPECT_EQ(TintedPixels(range, ColX[3], 10), 0);

  ASSERT_TRUE(rows.Run("NeoGridDemoCtrlClick.png", "click:3:5,ctrl-click:3:7,ctrl-click:3:9", false)) << rows.Command;
  EXPECT_EQ(rows.Text("RowSelected"), "5,7,9");
  EXPECT_EQ(rows.Number("Row"), 9);
  // The current row shows as the active row across the grid (column 8), the rows before it do not.
  // (Rows 5 and 7 are not drawn as selected: the grid's own cell painter does not exist yet.)
  EXPECT_GT(TintedPixels(rows, ColX[8], 9), 30);
  for (int row : {6, 8}) EXPECT_EQ(TintedPixels(rows, ColX[8], row), 0) << row;
}

// The header row: a border dragged sizes its column, a click selects the column, a header dragged
// elsewhere takes its column there (texts, width, cell controls); nothing is sorted.
TEST(NeoGridDemo, HeaderBorderDragHeaderClickAndColumnDrag) {
  DemoShot sized, moved;
  ASSERT_TRUE(sized.Run("NeoGridDemoHeaderClick.png", "header-drag:6:30,click:8:0", false)) << sized.Command;
  EXPECT_EQ(sized.Text("ColWidths"), "50,50,120,80,90,90,130,80,90,110,80,140");
  EXPECT_EQ(sized.Text("Selection"), "8,1,8,100000");
  EXPECT_EQ(sized.Number("Col"), 8);
  EXPECT_EQ(sized.Number("TopRow"), 1);
  EXPECT_EQ(sized.Text("Headers"), "Nr,Aktiv,Person,,,Betrag,Ort,Aktion,Land,Telefon,Status,Notiz");
  // The buttons of column 7 start 30 pixels further right; the selected column is tinted.
  auto face = [](COLORREF c) { return c == Face; };
  EXPECT_EQ(sized.Count(ColX[7] + 4, 2 * RowH + 4, ColX[7] + 26, 3 * RowH - 4, face), 0);
  EXPECT_GT(sized.Count(ColX[7] + 34, 2 * RowH + 4, ColX[8] + 26, 3 * RowH - 4, face), 300);

  // "Betrag" (column 5) dragged by its header onto "Aktion" (column 7).
  const int y = RowH / 2;
  std::string drag = "drag:" + std::to_string((ColX[5] + ColX[6]) / 2) + ":" + std::to_string(y) + ":" +
                     std::to_string((ColX[7] + ColX[8]) / 2) + ":" + std::to_string(y);
  ASSERT_TRUE(moved.Run("NeoGridDemoColumnDrag.png", drag, false)) << moved.Command;
  EXPECT_EQ(moved.Text("Headers"), "Nr,Aktiv,Person,,,Ort,Aktion,Betrag,Land,Telefon,Status,Notiz");
  EXPECT_EQ(moved.Text("ColWidths"), "50,50,120,80,90,100,80,90,90,110,80,140");
  // The buttons moved with their column: now from 490 to 570.
  EXPECT_GT(moved.Count(494, 2 * RowH + 4, 566, 3 * RowH - 4, face), 300);
  EXPECT_EQ(moved.Count(582, 2 * RowH + 4, 656, 3 * RowH - 4, face), 0);
}

// The focus glow shows while a cell is edited (here: the editor opened with F2, then the view
// scrolled a line by the scroll bar's arrow). Around the cell each pixel is the glow colour
// $FDD397, premultiplied by the blurred rounded frame's alpha, blended at opacity 230 over what
// the same view shows without the editor.
TEST(NeoGridDemo, FocusGlowAroundTheEditedCell) {
  DemoShot first, plain, glow;
  ASSERT_TRUE(first.Run("NeoGridDemoGlowStart.png", "click:6:8", false)) << first.Command;
  int clientW = first.Item("ClientSize", 0), clientH = first.Item("ClientSize", 1);
  // The down arrow of the vertical scroll bar, right of and level with the client area's bottom.
  std::string arrow = "click-at:" + std::to_string(clientW + 8) + ":" + std::to_string(clientH - 8);
  ASSERT_TRUE(plain.Run("NeoGridDemoGlowPlain.png", "click:6:8," + arrow, false)) << plain.Command;
  ASSERT_TRUE(glow.Run("NeoGridDemoGlow.png", "click:6:8,key:f2," + arrow, false)) << glow.Command;
  EXPECT_EQ(glow.Number("TopRow"), 2);
  EXPECT_EQ(glow.Text("CellRect"), plain.Text("CellRect"));
  const int l = glow.Item("CellRect", 0), t = glow.Item("CellRect", 1);
  const int cw = glow.Item("CellRect", 2) - l, ch = glow.Item("CellRect", 3) - t;
  ASSERT_EQ(t, RowH * 7);   // row 8 below the header, row 2 on top
  const int w = cw + 9, h = ch + 9;
  TBitmap shape;
  MakeRoundRectMask(&shape, w, h, 4, 5, 3.0);
  const double glowRGB[3] = {0x97, 0xD3, 0xFD};
  int strong = 0;
  for (int y = 0; y < h; ++y) {
    const Byte* alphaRow = static_cast<const Byte*>(shape.GetScanLine(y));
    for (int x = 0; x < w; ++x) {
      if (x >= 4 && x < 4 + cw && y >= 4 && y < 4 + ch) continue;   // the cell itself is left out
      double a = alphaRow[3 * x + 2] / 255.0, shown = a * 230 / 255;
      strong += a > 0.4 ? 1 : 0;
      COLORREF under = plain.At(l - 4 + x, t - 4 + y), got = glow.At(l - 4 + x, t - 4 + y);
      const int channels[3][2] = {{GetRValue(under), GetRValue(got)}, {GetGValue(under), GetGValue(got)},
                                  {GetBValue(under), GetBValue(got)}};
      for (int c = 0; c < 3; ++c) {
        double expected = glowRGB[c] * shown + channels[c][0] * (1 - shown);
        ASSERT_NEAR(channels[c][1], expected, 2.0) << "pixel " << x << "," << y << " channel " << c;
      }
    }
  }
  // The blur leaves the 4-pixel pen's middle at about half its alpha all round: a visible frame.
  EXPECT_GT(strong, cw + ch);
  // Outside the frame and without the editor nothing of it shows.
  EXPECT_EQ(glow.At(l - 5, t + ch / 2), plain.At(l - 5, t + ch / 2));
  EXPECT_EQ(glow.At(l + cw + 5, t + ch / 2), plain.At(l + cw + 5, t + ch / 2));
}

TEST(NeoGridDemo, XvfbStartPicture) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  DemoShot start;
  ASSERT_TRUE(start.Run("NeoGridDemoXvfb.png", "", true)) << start.Command;
  ExpectStartPicture(start);
}

// The mouse scenarios on a real X server: the pointer input goes through the X server's events.
TEST(NeoGridDemo, XvfbClicksAndColumnDrag) {
  if (!HaveCommands("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  DemoShot rows, moved;
  ASSERT_TRUE(rows.Run("NeoGridDemoXvfbClicks.png", "click:3:5,ctrl-click:3:7,ctrl-click:3:9,shift-click:5:9", true))
      << rows.Command;
  EXPECT_EQ(rows.Text("RowSelected"), "5,7,9");
  EXPECT_EQ(rows.Text("Selection"), "3,9,5,9");
  const int y = RowH / 2;
  std::string drag = "header-drag:6:30,drag:" + std::to_string((ColX[5] + ColX[6]) / 2) + ":" + std::to_string(y) +
                     ":" + std::to_string((ColX[7] + ColX[8]) / 2 + 30) + ":" + std::to_string(y);
  ASSERT_TRUE(moved.Run("NeoGridDemoXvfbColumnDrag.png", drag, true)) << moved.Command;
  EXPECT_EQ(moved.Text("Headers"), "Nr,Aktiv,Person,,,Ort,Aktion,Betrag,Land,Telefon,Status,Notiz");
  EXPECT_EQ(moved.Text("ColWidths"), "50,50,120,80,90,130,80,90,90,110,80,140");
}

TEST(NeoGridDemo, WithoutADisplayItSaysSoAndFails) {
  std::string cmd = "env -u DISPLAY ZELK_BACKEND=x11 '" + std::string(ZELK_NEOGRID_DEMO) + "' --screenshot /dev/null 2>&1";
  const TCommandRun demo = RunCommand(cmd);
  EXPECT_NE(demo.Status, 0);
  EXPECT_NE(demo.Output.find("no display"), std::string::npos) << demo.Output;
}

}  // namespace
