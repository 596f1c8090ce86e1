// The clipboard: data handles owned by the clipboard once set, text formats synthesised from one
// another, registered formats, and text shared with other programs where the back end can.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinGdi.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Threads.h"

#include <algorithm>
#include <cstring>

using namespace wincore;

namespace {

struct TClipboard {
  bool Open = false;
  DWORD OpenThread = 0;
  HWND OpenWindow = nullptr;
  HWND Owner = nullptr;
  bool Changed = false;                 // emptied or set while open
  std::map<UINT, HANDLE> Data;          // set by the owner, in the order formats were set
  std::vector<UINT> Order;
  std::map<UINT, HANDLE> Synthesised;   // text converted on request, freed with the rest
  std::map<String, UINT> Formats;       // registered names (lower case) -> id
  std::map<UINT, String> FormatNames;
  UINT NextFormat = 0xC000;
};

// Never destroyed: what the clipboard holds at exit stays reachable, as it is still owned.
TClipboard& C() {
  static TClipboard* c = new TClipboard();
  return *c;
}

void FreeData(UINT format, HANDLE h) {
  if (!h) return;
  if (format == CF_BITMAP || format == CF_PALETTE)
    DeleteObject(static_cast<HGDIOBJ>(h));
  else
    GlobalFree(h);
}

void FreeAll() {
  TClipboard& c = C();
  for (auto& [f, h] : c.Data) FreeData(f, h);
  for (auto& [f, h] : c.Synthesised) FreeData(f, h);
  c.Data.clear();
  c.Order.clear();
  c.Synthesised.clear();
}

HGLOBAL MakeGlobal(const void* bytes, std::size_t n) {
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, n);
  if (!g) return nullptr;
  void* p = GlobalLock(g);
  std::memcpy(p, bytes, n);
  GlobalUnlock(g);
  return g;
}

HGLOBAL UnicodeGlobal(const String& s) { return MakeGlobal(s.c_str(), (s.size() + 1) * sizeof(Char)); }

HGLOBAL AnsiGlobal(const String& s) {
  AnsiString a = StringToAnsi(s);
  return MakeGlobal(a.c_str(), a.size() + 1);
}

// The text of a CF_UNICODETEXT or CF_TEXT block, up to its terminating zero.
String TextOf(UINT format, HANDLE h) {
  std::size_t size = GlobalSize(h);
  const void* p = GlobalLock(h);
  if (!p) return String();
  String s;
  if (format == CF_UNICODETEXT) {
    const Char* t = static_cast<const Char*>(p);
    std::size_t n = 0;
    while (n < size / sizeof(Char) && t[n]) ++n;
    s.assign(t, n);
  } else {
    const char* t = static_cast<const char*>(p);
    std::size_t n = 0;
    while (n < size && t[n]) ++n;
    s = AnsiToString(std::string_view(t, n));
  }
  GlobalUnlock(h);
  return s;
}

bool IsText(UINT f) { return f == CF_UNICODETEXT || f == CF_TEXT || f == CF_OEMTEXT; }

bool HasOwnText() {
  auto& d = C().Data;
  return d.count(CF_UNICODETEXT) || d.count(CF_TEXT) || d.count(CF_OEMTEXT);
}

// Another program holds the clipboard (x11 only): its text is what we offer.
bool Foreign() { return BackendStarted() && Backend().ForeignClipboard(); }

}  // namespace

namespace wincore {

void ClipboardReset() {
  TClipboard& c = C();
  FreeAll();
  c.Open = false;
  c.OpenWindow = nullptr;
  c.Owner = nullptr;
  c.Changed = false;
}

// Another program took the clipboard: our data is gone.
void OnClipboardForeignChange() {
  TClipboard& c = C();
  if (c.Open) return;
  HWND old = c.Owner;
  FreeAll();
  c.Owner = nullptr;
  if (old) SendMessage(old, WM_DESTROYCLIPBOARD, 0, 0);
}

// The text the clipboard holds for other programs.
std::optional<String> ClipboardText() {
  TClipboard& c = C();
  for (UINT f : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
    auto it = c.Data.find(f);
    if (it != c.Data.end() && it->second) return TextOf(f == CF_UNICODETEXT ? CF_UNICODETEXT : CF_TEXT, it->second);
  }
  return std::nullopt;
}

}  // namespace wincore

BOOL OpenClipboard(HWND h) {
  TClipboard& c = C();
  if (c.Open) return FALSE;
  c.Open = true;
  c.OpenThread = GetCurrentThreadId();
  c.OpenWindow = h;
  c.Changed = false;
  return TRUE;
}

BOOL CloseClipboard() {
  TClipboard& c = C();
  if (!c.Open || c.OpenThread != GetCurrentThreadId()) return FALSE;
  c.Open = false;
  c.OpenWindow = nullptr;
  if (c.Changed && BackendStarted()) Backend().ClipboardOwned(HasOwnText());
  c.Changed = false;
  return TRUE;
}

BOOL EmptyClipboard() {
  TClipboard& c = C();
  if (!c.Open || c.OpenThread != GetCurrentThreadId()) return FALSE;
  HWND old = c.Owner;
  FreeAll();
  c.Owner = c.OpenWindow;
  c.Changed = true;
  if (old && old != c.Owner) SendMessage(old, WM_DESTROYCLIPBOARD, 0, 0);
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE h) {
  TClipboard& c = C();
  if (!c.Open || c.OpenThread != GetCurrentThreadId() || format == 0) return nullptr;
  auto it = c.Data.find(format);
  if (it != c.Data.end()) {
    if (it->second != h) FreeData(format, it->second);
    it->second = h;
  } else {
    c.Data[format] = h;
    c.Order.push_back(format);
  }
  // Text derived earlier from another format no longer matches.
  if (IsText(format))
    for (auto s = c.Synthesised.begin(); s != c.Synthesised.end();) {
      FreeData(s->first, s->second);
      s = c.Synthesised.erase(s);
    }
  c.Changed = true;
  return h;
}

HANDLE GetClipboardData(UINT format) {
  TClipboard& c = C();
  if (!c.Open || c.OpenThread != GetCurrentThreadId()) return nullptr;
  auto it = c.Data.find(format);
  if (it != c.Data.end()) return it->second;
  auto s = c.Synthesised.find(format);
  if (s != c.Synthesised.end()) return s->second;
  if (!IsText(format)) return nullptr;
  std::optional<String> text;
  if (c.Data.empty() && Foreign())
    text = Backend().ForeignClipboardText();
  else
    text = ClipboardText();
  if (!text) return nullptr;
  HANDLE h = format == CF_UNICODETEXT ? UnicodeGlobal(*text) : AnsiGlobal(*text);
  c.Synthesised[format] = h;
  return h;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  TClipboard& c = C();
  if (c.Data.count(format)) return TRUE;
  if (IsText(format)) {
    if (HasOwnText()) return TRUE;
    if (c.Data.empty() && Foreign()) return TRUE;
  }
  return FALSE;
}

UINT RegisterClipboardFormat(LPCWSTR name) {
  if (!name || !*name) return 0;
  TClipboard& c = C();
  String key = ToLower(name);
  auto it = c.Formats.find(key);
  if (it != c.Formats.end()) return it->second;
  if (c.NextFormat > 0xFFFF) return 0;
  UINT id = c.NextFormat++;
  c.Formats.emplace(key, id);
  c.FormatNames.emplace(id, String(name));
  return id;
}

int GetClipboardFormatName(UINT format, LPWSTR buf, int max) {
  auto it = C().FormatNames.find(format);
  if (it == C().FormatNames.end() || !buf || max <= 0) return 0;
  int n = std::min(static_cast<int>(it->second.size()), max - 1);
  std::copy_n(it->second.data(), n, buf);
  buf[n] = 0;
  return n;
}

int CountClipboardFormats() {
  TClipboard& c = C();
  if (c.Data.empty() && Foreign()) return 2;
  return static_cast<int>(c.Order.size());
}

UINT EnumClipboardFormats(UINT format) {
  TClipboard& c = C();
  if (!c.Open) return 0;
  std::vector<UINT> order = c.Order;
  if (order.empty() && Foreign()) order = {CF_UNICODETEXT, CF_TEXT};
  if (format == 0) return order.empty() ? 0 : order.front();
  auto it = std::find(order.begin(), order.end(), format);
  if (it == order.end() || ++it == order.end()) return 0;
  return *it;
}

HWND GetClipboardOwner() {
  HWND o = C().Owner;
  return IsWindow(o) ? o : nullptr;
}

HWND GetOpenClipboardWindow() { return C().Open ? C().OpenWindow : nullptr; }
