// The caret: a rectangle inverted on its window, blinking on the back end's clock. It is hidden
// while its window paints (BeginPaint to EndPaint) and gone with its window.
#include "platform/win/WinCore.h"
#include "platform/win/WinGdi.h"

using namespace wincore;

namespace {

struct TCaret {
  HWND Owner = nullptr;
  int Width = 0;
  int Height = 0;
  POINT Pos{};
  int Hidden = 1;        // HideCaret count; visible at 0
  bool Drawn = false;    // currently inverted on the window
  UINT BlinkTime = 530;
  std::uint64_t NextToggle = 0;
};

TCaret& C() {
  static TCaret c;
  return c;
}

void Invert() {
  TCaret& c = C();
  HDC dc = GetDC(c.Owner);
  if (!dc) return;
  RECT r{c.Pos.x, c.Pos.y, c.Pos.x + c.Width, c.Pos.y + c.Height};
  InvertRect(dc, &r);
  ReleaseDC(c.Owner, dc);
  c.Drawn = !c.Drawn;
}

void Erase() {
  if (C().Drawn && IsWindow(C().Owner)) Invert();
  C().Drawn = false;
}

// Shows the caret now and restarts its blinking.
void DrawNow() {
  TCaret& c = C();
  if (!c.Drawn) Invert();
  c.NextToggle = ClockMs() + c.BlinkTime;
}

}  // namespace

namespace wincore {

void CheckCaretBlink() {
  TCaret& c = C();
  if (!c.Owner || c.Hidden > 0 || ClockMs() < c.NextToggle) return;
  if (!IsWindow(c.Owner)) {
    c.Owner = nullptr;
    return;
  }
  Invert();
  c.NextToggle = ClockMs() + c.BlinkTime;
}

std::optional<std::uint64_t> CaretDue() {
  TCaret& c = C();
  if (!c.Owner || c.Hidden > 0) return std::nullopt;
  return c.NextToggle;
}

void OnCaretWindowGone(HWND h) {
  if (C().Owner == h) C() = TCaret{nullptr, 0, 0, {}, 1, false, C().BlinkTime, 0};
}

}  // namespace wincore

BOOL CreateCaret(HWND h, HBITMAP, int width, int height) {
  if (!IsWindow(h)) return FALSE;
  DestroyCaret();
  TCaret& c = C();
  c.Owner = h;
  c.Width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  c.Height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  c.Pos = POINT{};
  c.Hidden = 1;
  c.Drawn = false;
  return TRUE;
}

BOOL DestroyCaret() {
  if (!C().Owner) return FALSE;
  Erase();
  OnCaretWindowGone(C().Owner);
  return TRUE;
}

BOOL ShowCaret(HWND h) {
  TCaret& c = C();
  if (!c.Owner || (h && h != c.Owner) || c.Hidden == 0) return FALSE;
  if (--c.Hidden == 0) DrawNow();
  return TRUE;
}

BOOL HideCaret(HWND h) {
  TCaret& c = C();
  if (!c.Owner || (h && h != c.Owner)) return FALSE;
  if (c.Hidden++ == 0) Erase();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  TCaret& c = C();
  if (!c.Owner) return FALSE;
  if (c.Pos.x == x && c.Pos.y == y) return TRUE;
  Erase();
  c.Pos = POINT{x, y};
  if (c.Hidden == 0) DrawNow();
  return TRUE;
}

BOOL GetCaretPos(POINT* p) {
  if (!p) return FALSE;
  *p = C().Pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return C().BlinkTime; }

BOOL SetCaretBlinkTime(UINT ms) {
  C().BlinkTime = ms ? ms : 530;
  return TRUE;
}
