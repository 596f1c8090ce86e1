// A window with text and shapes on the window system. With --screenshot FILE it shows the window,
// saves what the screen shows as PNG and exits; otherwise it runs until the window is closed.
// --copy TEXT puts TEXT on the clipboard and serves it until another program takes the clipboard;
// --paste waits for text on the clipboard, prints it as UTF-8, then takes the clipboard itself.
#include "platform/win/WinSystem.h"
#include "platform/win/Windows.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

LRESULT CALLBACK_DemoProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT client;
      GetClientRect(h, &client);
      HBRUSH red = CreateSolidBrush(RGB(220, 30, 30));
      HBRUSH blue = CreateSolidBrush(RGB(30, 60, 220));
      RECT box{20, 20, 120, 100};
      FillRect(dc, &box, red);
      HGDIOBJ oldBrush = SelectObject(dc, blue);
      Ellipse(dc, 140, 20, 240, 100);
      SelectObject(dc, oldBrush);
      HPEN green = CreatePen(PS_SOLID, 3, RGB(20, 160, 40));
      HGDIOBJ oldPen = SelectObject(dc, green);
      MoveToEx(dc, 260, 20, nullptr);
      LineTo(dc, 360, 100);
      SelectObject(dc, oldPen);
      LOGFONTW lf;
      lf.lfHeight = -20;
      lf.lfWeight = FW_BOLD;
      const char16_t face[] = u"DejaVu Sans";
      std::memcpy(lf.lfFaceName, face, sizeof face);
      HFONT font = CreateFontIndirect(&lf);
      HGDIOBJ oldFont = SelectObject(dc, font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 0));
      RECT text{20, 120, client.right - 20, 160};
      DrawText(dc, u"Grüße aus dem Fenster", -1, &text, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
      SelectObject(dc, oldFont);
      DeleteObject(font);
      DeleteObject(green);
      DeleteObject(red);
      DeleteObject(blue);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_DESTROYCLIPBOARD:
      PostQuitMessage(0);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(h, msg, wParam, lParam);
  }
}

void PutText(HWND owner, const String& text) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(Char));
  std::memcpy(GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(Char));
  GlobalUnlock(h);
  OpenClipboard(owner);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, h);
  CloseClipboard();
}

// Handles messages until WM_QUIT or until ATimeout milliseconds have passed.
void RunFor(UINT ATimeout) {
  UINT_PTR timer = SetTimer(nullptr, 0, ATimeout, nullptr);
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) {
    if (m.message == WM_TIMER && m.hwnd == nullptr && m.wParam == timer) break;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  KillTimer(nullptr, timer);
}

}  // namespace

int main(int argc, char** argv) {
  std::string screenshot, copy;
  bool paste = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--copy") == 0 && i + 1 < argc) copy = argv[++i];
    else if (std::strcmp(argv[i], "--paste") == 0) paste = true;
  }
  try {
    InitWindowSystem();
  } catch (const EWindowSystem& e) {
    std::fprintf(stderr, "win-demo: %s\n", UTF8Encode(e.Message).c_str());
    return 1;
  }
  WNDCLASSEX wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = CALLBACK_DemoProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_WINDOW + 1));
  wc.lpszClassName = u"ZelkDemo";
  RegisterClassEx(&wc);
  RECT r{0, 0, 400, 180};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&r, style, FALSE, 0);
  HWND h = CreateWindowEx(0, u"ZelkDemo", u"Zelk window demo", style, 50, 40, r.right - r.left, r.bottom - r.top,
                          nullptr, nullptr, nullptr, nullptr);
  if (!copy.empty()) {
    PutText(h, UTF8ToString(copy));
    RunFor(10000);
    DestroyWindow(h);
    return 0;
  }
  if (paste) {
    for (int i = 0; i < 100 && !IsClipboardFormatAvailable(CF_UNICODETEXT); ++i) RunFor(50);
    OpenClipboard(h);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    auto* text = data ? static_cast<const Char*>(GlobalLock(data)) : nullptr;
    std::printf("%s\n", text ? UTF8Encode(text).c_str() : "");
    std::fflush(stdout);
    if (data) GlobalUnlock(data);
    CloseClipboard();
    PutText(h, u"taken");
    RunFor(100);
    DestroyWindow(h);
    return text ? 0 : 1;
  }
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  if (!screenshot.empty()) {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
    bool ok = SaveScreenshot(screenshot);
    DestroyWindow(h);
    if (!ok) {
      std::fprintf(stderr, "win-demo: cannot save the screenshot to %s\n", screenshot.c_str());
      return 1;
    }
    return 0;
  }
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  return 0;
}
