// The tooltip control: tools, the delays, the callback text and the balloon's shape and painting.
#include "platform/win/ToolTips.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/rtl/SysInfo.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

namespace {

constexpr UINT_PTR ShowTimer = 1;
constexpr UINT_PTR PopTimer = 2;
constexpr int Margin = 8;          // text from the edge of the body
constexpr int StemHeight = 12;     // balloon stem
constexpr int StemOffset = 16;     // stem tip from the body's left edge
constexpr int Corner = 12;         // rounded corners of a balloon
constexpr int IconSize = 16;
constexpr int PointerHeight = 20;  // a plain tip shows below the pointer

struct TTool {
  UINT Flags = 0;
  HWND Owner = nullptr;   // gets the notifications
  UINT_PTR Id = 0;
  RECT Rect{};
  String Text;
  bool Callback = false;
  LPARAM Param = 0;

  HWND Window() const { return (Flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(Id) : Owner; }
  bool Contains(HWND W, POINT P) const {
    if (Window() != W) return false;
    RECT r = Rect;
    if (Flags & TTF_IDISHWND) GetClientRect(W, &r);
    return PtInRect(&r, P) != FALSE;
  }
};

class TToolTip {
public:
  explicit TToolTip(HWND Self) : FSelf(Self) {}
  ~TToolTip();

  LRESULT Handle(UINT Msg, WPARAM W, LPARAM L);
  // A message of a watched tool window, before the window itself handles it.
  void Relay(HWND Tool, UINT Msg, LPARAM L);
  // The tool window is going away: forget its tools.
  void ForgetWindow(HWND Tool);

private:
  HWND FSelf;
  std::vector<TTool> FTools;
  int FCurrent = -1;        // the tool under the pointer (waiting or shown)
  bool FShown = false;
  bool FActive = true;
  UINT FLastPop = 0;        // tick of the last hide, for the reshow delay
  int FDelay[4] = {-1, -1, -1, -1};   // by TTDT_*: -1 is the default
  COLORREF FBack = CLR_INVALID, FFore = CLR_INVALID;
  int FMaxWidth = -1;
  String FTitle;
  WPARAM FIcon = TTI_NONE;   // TTI_*
  String FText;             // shown now
  bool FStemDown = true;    // the stem points up from the body's top (the tip is below the pointer)

  bool Balloon() const { return (GetWindowLong(FSelf, GWL_STYLE) & TTS_BALLOON) != 0; }
  UINT Delay(WPARAM Which) const;
  void Add(const TOOLINFOW* Info);
  void Delete(const TOOLINFOW* Info);
  int ToolAt(HWND W, POINT P) const;
  void Arm(int Tool);
  void Show();
  void Pop();
  void Notify(const TTool& Tool, UINT Code, NMTTDISPINFOW* Info = nullptr);
  HFONT Font(bool Bold) const;
  SIZE Measure(HDC DC, RECT& Title, RECT& Text) const;
  void Place(SIZE Body, POINT Pointer);
  void Paint();
};

// Watched tool windows: their own procedure and the tooltips watching them.
struct TWatch {
  WNDPROC Proc = nullptr;
  std::vector<HWND> ToolTips;
};
std::map<HWND, TWatch>& Watches() {
  static std::map<HWND, TWatch> watches;
  return watches;
}

TToolTip* ToolTipOf(HWND W) { return reinterpret_cast<TToolTip*>(GetWindowLongPtr(W, GWLP_USERDATA)); }

LRESULT WatchProc(HWND W, UINT Msg, WPARAM WP, LPARAM LP) {
  auto it = Watches().find(W);
  if (it == Watches().end()) return DefWindowProc(W, Msg, WP, LP);
  WNDPROC proc = it->second.Proc;
  std::vector<HWND> tips = it->second.ToolTips;
  for (HWND tip : tips)
    if (TToolTip* t = IsWindow(tip) ? ToolTipOf(tip) : nullptr) t->Relay(W, Msg, LP);
  if (Msg == WM_NCDESTROY) {
    for (HWND tip : tips)
      if (TToolTip* t = IsWindow(tip) ? ToolTipOf(tip) : nullptr) t->ForgetWindow(W);
    Watches().erase(W);
    SetWindowLongPtr(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  }
  return CallWindowProc(proc, W, Msg, WP, LP);
}

void Watch(HWND Tool, HWND Tip) {
  auto it = Watches().find(Tool);
  if (it == Watches().end()) {
    TWatch w;
    w.Proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Tool, GWLP_WNDPROC));
    it = Watches().emplace(Tool, w).first;
    SetWindowLongPtr(Tool, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchProc));
  }
  auto& tips = it->second.ToolTips;
  if (std::find(tips.begin(), tips.end(), Tip) == tips.end()) tips.push_back(Tip);
}

// Stops watching the tool window for the tooltip; the window's procedure comes back when nobody
// watches it any more and nobody has put another procedure over ours.
void Unwatch(HWND Tool, HWND Tip) {
  auto it = Watches().find(Tool);
  if (it == Watches().end()) return;
  auto& tips = it->second.ToolTips;
  tips.erase(std::remove(tips.begin(), tips.end(), Tip), tips.end());
  if (!tips.empty()) return;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtr(Tool, GWLP_WNDPROC)) != &WatchProc) return;
  SetWindowLongPtr(Tool, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.Proc));
  Watches().erase(it);
}

TToolTip::~TToolTip() {
  for (const TTool& t : FTools)
    if (t.Flags & TTF_SUBCLASS) Unwatch(t.Window(), FSelf);
}

UINT TToolTip::Delay(WPARAM Which) const {
  if (FDelay[Which] >= 0) return static_cast<UINT>(FDelay[Which]);
  UINT base = FDelay[TTDT_AUTOMATIC] >= 0 ? static_cast<UINT>(FDelay[TTDT_AUTOMATIC]) : GetDoubleClickTime();
  switch (Which) {
    case TTDT_RESHOW: return base / 5;
    case TTDT_AUTOPOP: return base * 10;
    default: return base;
  }
}

void TToolTip::Add(const TOOLINFOW* Info) {
  TTool t;
  t.Flags = Info->uFlags;
  t.Owner = Info->hwnd;
  t.Id = Info->uId;
  t.Rect = Info->rect;
  t.Callback = Info->lpszText == LPSTR_TEXTCALLBACKW;
  if (!t.Callback && Info->lpszText) t.Text = Info->lpszText;
  t.Param = Info->lParam;
  if (t.Window() && !IsWindow(t.Window())) return;
  FTools.push_back(t);
  if (t.Flags & TTF_SUBCLASS) Watch(t.Window(), FSelf);
}

void TToolTip::Delete(const TOOLINFOW* Info) {
  for (std::size_t i = 0; i < FTools.size(); ++i) {
    if (FTools[i].Owner != Info->hwnd || FTools[i].Id != Info->uId) continue;
    if (static_cast<int>(i) == FCurrent) Pop();
    HWND watched = FTools[i].Window();
    bool subclassed = (FTools[i].Flags & TTF_SUBCLASS) != 0;
    FTools.erase(FTools.begin() + static_cast<std::ptrdiff_t>(i));
    FCurrent = -1;
    if (subclassed && std::none_of(FTools.begin(), FTools.end(), [&](const TTool& t) {
          return (t.Flags & TTF_SUBCLASS) && t.Window() == watched;
        }))
      Unwatch(watched, FSelf);
    return;
  }
}

void TToolTip::ForgetWindow(HWND Tool) {
  Pop();
  FCurrent = -1;
  FTools.erase(std::remove_if(FTools.begin(), FTools.end(),
                              [&](const TTool& t) { return t.Window() == Tool || t.Owner == Tool; }),
               FTools.end());
}

int TToolTip::ToolAt(HWND W, POINT P) const {
  for (std::size_t i = 0; i < FTools.size(); ++i)
    if (FTools[i].Contains(W, P)) return static_cast<int>(i);
  return -1;
}

void TToolTip::Relay(HWND Tool, UINT Msg, LPARAM L) {
  switch (Msg) {
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(L), GET_Y_LPARAM(L)};
      int at = ToolAt(Tool, p);
      if (at < 0) {
        Pop();
        KillTimer(FSelf, ShowTimer);
        FCurrent = -1;
      } else if (at != FCurrent || !FShown) {
        if (FShown) Pop();
        Arm(at);
      }
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_MOUSELEAVE:
    case WM_KEYDOWN:
      Pop();
      KillTimer(FSelf, ShowTimer);
      FCurrent = -1;
      break;
    default:
      break;
  }
}

// Waits the initial delay (the reshow delay right after a tip went away) before showing the tool.
void TToolTip::Arm(int Tool) {
  FCurrent = Tool;
  if (!FActive) return;
  UINT recent = GetTickCount() - FLastPop;
  SetTimer(FSelf, ShowTimer, FLastPop != 0 && recent < Delay(TTDT_AUTOPOP) ? Delay(TTDT_RESHOW) : Delay(TTDT_INITIAL),
           nullptr);
}

void TToolTip::Notify(const TTool& Tool, UINT Code, NMTTDISPINFOW* Info) {
  NMTTDISPINFOW local;
  NMTTDISPINFOW* n = Info ? Info : &local;
  n->hdr.hwndFrom = FSelf;
  n->hdr.idFrom = Tool.Id;
  n->hdr.code = Code;
  n->lParam = Tool.Param;
  if (Tool.Owner) SendMessage(Tool.Owner, WM_NOTIFY, Tool.Id, reinterpret_cast<LPARAM>(n));
}

void TToolTip::Show() {
  if (FCurrent < 0 || FCurrent >= static_cast<int>(FTools.size())) return;
  TTool tool = FTools[static_cast<std::size_t>(FCurrent)];
  HWND window = tool.Window();
  if (!(GetWindowLong(FSelf, GWL_STYLE) & TTS_ALWAYSTIP) && window &&
      GetAncestor(window, GA_ROOT) != GetActiveWindow())
    return;
  POINT pointer;
  GetCursorPos(&pointer);
  if (window) {
    POINT client = pointer;
    ScreenToClient(window, &client);
    if (!tool.Contains(window, client) || WindowFromPoint(pointer) != window) return;   // the pointer has left
  }
  FText = tool.Text;
  if (tool.Callback) {
    NMTTDISPINFOW info;
    Notify(tool, TTN_NEEDTEXTW, &info);
    if (!IsWindow(FSelf)) return;
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(info.lpszText))
      FText = info.lpszText;
    else
      FText = info.szText;
  }
  if (FText.empty()) return;
  HDC dc = GetDC(FSelf);
  RECT title{}, text{};
  SIZE body = Measure(dc, title, text);
  ReleaseDC(FSelf, dc);
  Place(body, pointer);
  FShown = true;
  Notify(tool, TTN_SHOW);
  if (!IsWindow(FSelf)) return;
  SetTimer(FSelf, PopTimer, Delay(TTDT_AUTOPOP), nullptr);
}

void TToolTip::Pop() {
  KillTimer(FSelf, PopTimer);
  if (!FShown) return;
  FShown = false;
  FLastPop = std::max<UINT>(GetTickCount(), 1);
  ShowWindow(FSelf, SW_HIDE);
  if (FCurrent >= 0 && FCurrent < static_cast<int>(FTools.size())) Notify(FTools[static_cast<std::size_t>(FCurrent)], TTN_POP);
}

HFONT TToolTip::Font(bool Bold) const {
  LOGFONTW lf{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  if (Bold) lf.lfWeight = FW_BOLD;
  return CreateFontIndirectW(&lf);
}

// The body's size; Title and Text get their rectangles inside the body.
SIZE TToolTip::Measure(HDC DC, RECT& Title, RECT& Text) const {
  UINT format = DT_CALCRECT | DT_LEFT | ((GetWindowLong(FSelf, GWL_STYLE) & TTS_NOPREFIX) ? DT_NOPREFIX : 0);
  if (FMaxWidth > 0) format |= DT_WORDBREAK;
  int limit = FMaxWidth > 0 ? FMaxWidth : 0x7FFF;
  int margin = Balloon() ? Margin : 3;
  HFONT normal = Font(false), bold = Font(true);
  HGDIOBJ old = SelectObject(DC, normal);
  Text = RECT{0, 0, limit, 0};
  DrawTextW(DC, FText.c_str(), static_cast<int>(FText.size()), &Text, format);
  Title = RECT{0, 0, 0, 0};
  bool hasTitle = Balloon() && !FTitle.empty();
  if (hasTitle) {
    SelectObject(DC, bold);
    Title = RECT{0, 0, limit, 0};
    DrawTextW(DC, FTitle.c_str(), static_cast<int>(FTitle.size()), &Title, format | DT_SINGLELINE);
    if (FIcon != static_cast<WPARAM>(TTI_NONE)) {
      OffsetRect(&Title, IconSize + 6, 0);
      Title.bottom = std::max<LONG>(Title.bottom, IconSize);
    }
  }
  SelectObject(DC, old);
  DeleteObject(normal);
  DeleteObject(bold);
  int gap = hasTitle ? 6 : 0;
  OffsetRect(&Text, margin, margin + Title.bottom + gap);
  OffsetRect(&Title, margin, margin);
  LONG width = std::max(Title.right, Text.right) + margin;
  LONG height = Text.bottom + margin;
  return SIZE{width, height};
}

// Sizes and places the window at the pointer, inside the work area of the pointer's monitor, and
// shows it topmost without activating it. A balloon's stem points at the pointer.
void TToolTip::Place(SIZE Body, POINT Pointer) {
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfo(MonitorFromPoint(Pointer, MONITOR_DEFAULTTONEAREST), &mi);
  const RECT& work = mi.rcWork;
  bool balloon = Balloon();
  int height = Body.cy + (balloon ? StemHeight : 0);
  int x = balloon ? Pointer.x - StemOffset : Pointer.x;
  int y = balloon ? Pointer.y : Pointer.y + PointerHeight;
  FStemDown = true;
  if (y + height > work.bottom) {   // no room below: above the pointer, the stem pointing down
    y = Pointer.y - height;
    FStemDown = false;
  }
  x = std::clamp<int>(x, work.left, std::max<int>(work.left, work.right - Body.cx));
  y = std::max<int>(y, work.top);
  if (balloon) {
    int stemX = std::clamp<int>(Pointer.x - x, Corner, std::max<int>(Corner, Body.cx - Corner));
    int bodyTop = FStemDown ? StemHeight : 0;
    HRGN body = CreateRoundRectRgn(0, bodyTop, Body.cx + 1, bodyTop + Body.cy + 1, Corner, Corner);
    POINT stem[3];
    if (FStemDown)
      stem[0] = {stemX, 0}, stem[1] = {stemX, bodyTop + 1}, stem[2] = {stemX + StemHeight, bodyTop + 1};
    else
      stem[0] = {stemX, height}, stem[1] = {stemX, Body.cy - 1}, stem[2] = {stemX + StemHeight, Body.cy - 1};
    HRGN tip = CreatePolygonRgn(stem, 3, WINDING);
    CombineRgn(body, body, tip, RGN_OR);
    DeleteObject(tip);
    SetWindowRgn(FSelf, body, FALSE);   // the window owns the region now
  }
  SetWindowPos(FSelf, HWND_TOPMOST, x, y, Body.cx, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(FSelf, nullptr, TRUE);
}

void DrawTitleIcon(HDC DC, WPARAM Icon, int X, int Y) {
  COLORREF colour = Icon == static_cast<WPARAM>(TTI_ERROR) ? RGB(200, 30, 30) : Icon == static_cast<WPARAM>(TTI_WARNING) ? RGB(230, 170, 0) : RGB(30, 90, 200);
  HBRUSH brush = CreateSolidBrush(colour);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ oldBrush = SelectObject(DC, brush), oldPen = SelectObject(DC, pen);
  if (Icon == static_cast<WPARAM>(TTI_WARNING)) {
    POINT triangle[3] = {{X + IconSize / 2, Y}, {X + IconSize - 1, Y + IconSize - 1}, {X, Y + IconSize - 1}};
    Polygon(DC, triangle, 3);
  } else {
    Ellipse(DC, X, Y, X + IconSize, Y + IconSize);
  }
  SelectObject(DC, oldBrush);
  SelectObject(DC, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
  // The mark inside: "i", "!" or "x" in white.
  const Char* mark = Icon == static_cast<WPARAM>(TTI_ERROR) ? u"x" : Icon == static_cast<WPARAM>(TTI_WARNING) ? u"!" : u"i";
  RECT r{X, Y + 1, X + IconSize, Y + IconSize};
  SetTextColor(DC, RGB(255, 255, 255));
  DrawTextW(DC, mark, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TToolTip::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FSelf, &ps);
  RECT client;
  GetClientRect(FSelf, &client);
  COLORREF back = FBack != CLR_INVALID ? FBack : GetSysColor(COLOR_INFOBK);
  COLORREF fore = FFore != CLR_INVALID ? FFore : GetSysColor(COLOR_INFOTEXT);
  HBRUSH fill = CreateSolidBrush(back);
  HBRUSH frame = CreateSolidBrush(RGB(100, 100, 100));
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(FSelf, shape) == ERROR) SetRectRgn(shape, 0, 0, client.right, client.bottom);
  FillRgn(dc, shape, fill);
  FrameRgn(dc, shape, frame, 1, 1);
  DeleteObject(shape);
  DeleteObject(fill);
  DeleteObject(frame);
  RECT title{}, text{};
  SIZE body = Measure(dc, title, text);
  (void)body;
  int shift = Balloon() && FStemDown ? StemHeight : 0;
  OffsetRect(&title, 0, shift);
  OffsetRect(&text, 0, shift);
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_LEFT | ((GetWindowLong(FSelf, GWL_STYLE) & TTS_NOPREFIX) ? DT_NOPREFIX : 0) |
                (FMaxWidth > 0 ? DT_WORDBREAK : 0);
  if (Balloon() && !FTitle.empty()) {
    if (FIcon != static_cast<WPARAM>(TTI_NONE)) DrawTitleIcon(dc, FIcon, title.left - IconSize - 6, title.top);
    HFONT bold = Font(true);
    HGDIOBJ old = SelectObject(dc, bold);
    SetTextColor(dc, fore);
    DrawTextW(dc, FTitle.c_str(), static_cast<int>(FTitle.size()), &title, format | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(bold);
  }
  HFONT normal = Font(false);
  HGDIOBJ old = SelectObject(dc, normal);
  SetTextColor(dc, fore);
  DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &text, format);
  SelectObject(dc, old);
  DeleteObject(normal);
  EndPaint(FSelf, &ps);
}

LRESULT TToolTip::Handle(UINT Msg, WPARAM W, LPARAM L) {
  switch (Msg) {
    case TTM_ADDTOOLW:
      if (!L) return FALSE;
      Add(reinterpret_cast<const TOOLINFOW*>(L));
      return TRUE;
    case TTM_DELTOOLW:
      if (L) Delete(reinterpret_cast<const TOOLINFOW*>(L));
      return 0;
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(FTools.size());
    case TTM_RELAYEVENT:
      if (const MSG* m = reinterpret_cast<const MSG*>(L)) Relay(m->hwnd, m->message, m->lParam);
      return 0;
    case TTM_ACTIVATE:
      FActive = W != 0;
      if (!FActive) Pop();
      return 0;
    case TTM_SETDELAYTIME: {
      if (W > TTDT_INITIAL) return 0;
      int value = static_cast<short>(LOWORD(L));
      FDelay[W] = value < 0 ? -1 : value;
      if (W == TTDT_AUTOMATIC) FDelay[TTDT_RESHOW] = FDelay[TTDT_AUTOPOP] = FDelay[TTDT_INITIAL] = -1;
      return 0;
    }
    case TTM_GETDELAYTIME:
      return W <= TTDT_INITIAL ? static_cast<LRESULT>(Delay(W)) : 0;
    case TTM_SETTIPBKCOLOR:
      FBack = static_cast<COLORREF>(W);
      return 0;
    case TTM_SETTIPTEXTCOLOR:
      FFore = static_cast<COLORREF>(W);
      return 0;
    case TTM_GETTIPBKCOLOR:
      return FBack != CLR_INVALID ? FBack : GetSysColor(COLOR_INFOBK);
    case TTM_GETTIPTEXTCOLOR:
      return FFore != CLR_INVALID ? FFore : GetSysColor(COLOR_INFOTEXT);
    case TTM_SETMAXTIPWIDTH: {
      int old = FMaxWidth;
      FMaxWidth = static_cast<int>(L);
      return old;
    }
    case TTM_GETMAXTIPWIDTH:
      return FMaxWidth;
    case TTM_SETTITLEW:
      FIcon = W <= static_cast<WPARAM>(TTI_ERROR) ? W : static_cast<WPARAM>(TTI_INFO);
      FTitle = L ? String(reinterpret_cast<const Char*>(L)) : String();
      return TRUE;
    case TTM_POP:
      Pop();
      return 0;
    case WM_TIMER:
      if (W == ShowTimer) {
        KillTimer(FSelf, ShowTimer);
        Show();
      } else if (W == PopTimer) {
        Pop();
      }
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTTRANSPARENT;   // the pointer goes through to the windows beneath
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProc(FSelf, Msg, W, L);
  }
}

LRESULT ToolTipProc(HWND W, UINT Msg, WPARAM WP, LPARAM LP) {
  if (Msg == WM_NCCREATE) {
    SetWindowLongPtr(W, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TToolTip(W)));
    // A tooltip is always a top-level popup; it never has a caption or a frame.
    SetWindowLong(W, GWL_STYLE, (GetWindowLong(W, GWL_STYLE) | static_cast<LONG>(WS_POPUP)) &
                                    ~static_cast<LONG>(WS_CAPTION | WS_THICKFRAME | WS_BORDER));
    return DefWindowProc(W, Msg, WP, LP);
  }
  TToolTip* t = ToolTipOf(W);
  if (!t) return DefWindowProc(W, Msg, WP, LP);
  if (Msg == WM_NCDESTROY) {
    SetWindowLongPtr(W, GWLP_USERDATA, 0);
    delete t;
    return DefWindowProc(W, Msg, WP, LP);
  }
  return t->Handle(Msg, WP, LP);
}

}  // namespace

void RegisterToolTipClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = &ToolTipProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = TOOLTIPS_CLASSW;
    RegisterClassEx(&wc);
  });
}
