// The keyboard layout: X keysyms to virtual keys and PC scan codes, virtual keys to scan codes and
// the characters a key types (US layout, as Windows' default one).
#include "platform/win/WinCore.h"

#include <cstring>
#include <string>

namespace {

struct TVkScan {
  UINT Vk;
  UINT Scan;
  bool Extended;
};

// Virtual keys with their set-1 scan codes; the extended ones are the duplicates of the keypad's
// navigation keys and the right-hand modifiers.
constexpr TVkScan kVkScans[] = {
    {VK_ESCAPE, 0x01, false}, {'1', 0x02, false}, {'2', 0x03, false}, {'3', 0x04, false}, {'4', 0x05, false},
    {'5', 0x06, false}, {'6', 0x07, false}, {'7', 0x08, false}, {'8', 0x09, false}, {'9', 0x0A, false},
    {'0', 0x0B, false}, {VK_OEM_MINUS, 0x0C, false}, {VK_OEM_PLUS, 0x0D, false}, {VK_BACK, 0x0E, false},
    {VK_TAB, 0x0F, false}, {'Q', 0x10, false}, {'W', 0x11, false}, {'E', 0x12, false}, {'R', 0x13, false},
    {'T', 0x14, false}, {'Y', 0x15, false}, {'U', 0x16, false}, {'I', 0x17, false}, {'O', 0x18, false},
    {'P', 0x19, false}, {VK_OEM_4, 0x1A, false}, {VK_OEM_6, 0x1B, false}, {VK_RETURN, 0x1C, false},
    {VK_CONTROL, 0x1D, false}, {VK_LCONTROL, 0x1D, false}, {VK_RCONTROL, 0x1D, true}, {'A', 0x1E, false},
    {'S', 0x1F, false}, {'D', 0x20, false}, {'F', 0x21, false}, {'G', 0x22, false}, {'H', 0x23, false},
    {'J', 0x24, false}, {'K', 0x25, false}, {'L', 0x26, false}, {VK_OEM_1, 0x27, false}, {VK_OEM_7, 0x28, false},
    {VK_OEM_3, 0x29, false}, {VK_SHIFT, 0x2A, false}, {VK_LSHIFT, 0x2A, false}, {VK_OEM_5, 0x2B, false},
    {'Z', 0x2C, false}, {'X', 0x2D, false}, {'C', 0x2E, false}, {'V', 0x2F, false}, {'B', 0x30, false},
    {'N', 0x31, false}, {'M', 0x32, false}, {VK_OEM_COMMA, 0x33, false}, {VK_OEM_PERIOD, 0x34, false},
    {VK_OEM_2, 0x35, false}, {VK_RSHIFT, 0x36, false}, {VK_MULTIPLY, 0x37, false}, {VK_MENU, 0x38, false},
    {VK_LMENU, 0x38, false}, {VK_RMENU, 0x38, true}, {VK_SPACE, 0x39, false}, {VK_CAPITAL, 0x3A, false},
    {VK_F1, 0x3B, false}, {VK_F1 + 1, 0x3C, false}, {VK_F1 + 2, 0x3D, false}, {VK_F1 + 3, 0x3E, false},
    {VK_F1 + 4, 0x3F, false}, {VK_F1 + 5, 0x40, false}, {VK_F1 + 6, 0x41, false}, {VK_F1 + 7, 0x42, false},
    {VK_F1 + 8, 0x43, false}, {VK_F1 + 9, 0x44, false}, {VK_NUMLOCK, 0x45, true}, {VK_PAUSE, 0x45, false},
    {VK_SCROLL, 0x46, false}, {VK_NUMPAD7, 0x47, false}, {VK_HOME, 0x47, true}, {VK_NUMPAD8, 0x48, false},
    {VK_UP, 0x48, true}, {VK_NUMPAD9, 0x49, false}, {VK_PRIOR, 0x49, true}, {VK_SUBTRACT, 0x4A, false},
    {VK_NUMPAD4, 0x4B, false}, {VK_LEFT, 0x4B, true}, {VK_NUMPAD5, 0x4C, false}, {VK_CLEAR, 0x4C, false},
    {VK_NUMPAD6, 0x4D, false}, {VK_RIGHT, 0x4D, true}, {VK_ADD, 0x4E, false}, {VK_NUMPAD1, 0x4F, false},
    {VK_END, 0x4F, true}, {VK_NUMPAD2, 0x50, false}, {VK_DOWN, 0x50, true}, {VK_NUMPAD3, 0x51, false},
    {VK_NEXT, 0x51, true}, {VK_NUMPAD0, 0x52, false}, {VK_INSERT, 0x52, true}, {VK_DECIMAL, 0x53, false},
    {VK_DELETE, 0x53, true}, {VK_SEPARATOR, 0x53, false}, {VK_OEM_102, 0x56, false}, {VK_F11, 0x57, false},
    {VK_F12, 0x58, false}, {VK_DIVIDE, 0x35, true}, {VK_LWIN, 0x5B, true}, {VK_RWIN, 0x5C, true},
    {VK_APPS, 0x5D, true}, {VK_SNAPSHOT, 0x37, true},
};

const TVkScan* FindVk(UINT vk) {
  for (const TVkScan& e : kVkScans)
    if (e.Vk == vk) return &e;
  return nullptr;
}

struct TKeysymKey {
  std::uint32_t Keysym;
  UINT Vk;
  UINT Scan;
  bool Extended;
  const char16_t* Text;
};

// X keysyms of keys that are not plain characters, with what Windows makes of them.
constexpr TKeysymKey kKeysyms[] = {
    {0xff08, VK_BACK, 0x0E, false, u"\b"},     {0xff09, VK_TAB, 0x0F, false, u"\t"},
    {0xfe20, VK_TAB, 0x0F, false, u"\t"},      {0xff0d, VK_RETURN, 0x1C, false, u"\r"},
    {0xff13, VK_PAUSE, 0x45, false, u""},      {0xff14, VK_SCROLL, 0x46, false, u""},
    {0xff1b, VK_ESCAPE, 0x01, false, u"\x1b"}, {0xffff, VK_DELETE, 0x53, true, u""},
    {0xff50, VK_HOME, 0x47, true, u""},        {0xff51, VK_LEFT, 0x4B, true, u""},
    {0xff52, VK_UP, 0x48, true, u""},          {0xff53, VK_RIGHT, 0x4D, true, u""},
    {0xff54, VK_DOWN, 0x50, true, u""},        {0xff55, VK_PRIOR, 0x49, true, u""},
    {0xff56, VK_NEXT, 0x51, true, u""},        {0xff57, VK_END, 0x4F, true, u""},
    {0xff58, VK_CLEAR, 0x4C, false, u""},      {0xff61, VK_SNAPSHOT, 0x37, true, u""},
    {0xff63, VK_INSERT, 0x52, true, u""},      {0xff67, VK_APPS, 0x5D, true, u""},
    {0xff7f, VK_NUMLOCK, 0x45, true, u""},     {0xff80, VK_SPACE, 0x39, false, u" "},
    {0xff89, VK_TAB, 0x0F, false, u"\t"},      {0xff8d, VK_RETURN, 0x1C, true, u"\r"},
    {0xff95, VK_HOME, 0x47, false, u""},       {0xff96, VK_LEFT, 0x4B, false, u""},
    {0xff97, VK_UP, 0x48, false, u""},         {0xff98, VK_RIGHT, 0x4D, false, u""},
    {0xff99, VK_DOWN, 0x50, false, u""},       {0xff9a, VK_PRIOR, 0x49, false, u""},
    {0xff9b, VK_NEXT, 0x51, false, u""},       {0xff9c, VK_END, 0x4F, false, u""},
    {0xff9d, VK_CLEAR, 0x4C, false, u""},      {0xff9e, VK_INSERT, 0x52, false, u""},
    {0xff9f, VK_DELETE, 0x53, false, u""},     {0xffaa, VK_MULTIPLY, 0x37, false, u"*"},
    {0xffab, VK_ADD, 0x4E, false, u"+"},       {0xffac, VK_SEPARATOR, 0x53, false, u","},
    {0xffad, VK_SUBTRACT, 0x4A, false, u"-"},  {0xffae, VK_DECIMAL, 0x53, false, u"."},
    {0xffaf, VK_DIVIDE, 0x35, true, u"/"},     {0xffb0, VK_NUMPAD0, 0x52, false, u"0"},
    {0xffb1, VK_NUMPAD1, 0x4F, false, u"1"},   {0xffb2, VK_NUMPAD2, 0x50, false, u"2"},
    {0xffb3, VK_NUMPAD3, 0x51, false, u"3"},   {0xffb4, VK_NUMPAD4, 0x4B, false, u"4"},
    {0xffb5, VK_NUMPAD5, 0x4C, false, u"5"},   {0xffb6, VK_NUMPAD6, 0x4D, false, u"6"},
    {0xffb7, VK_NUMPAD7, 0x47, false, u"7"},   {0xffb8, VK_NUMPAD8, 0x48, false, u"8"},
    {0xffb9, VK_NUMPAD9, 0x49, false, u"9"},   {0xffe1, VK_SHIFT, 0x2A, false, u""},
    {0xffe2, VK_SHIFT, 0x36, false, u""},      {0xffe3, VK_CONTROL, 0x1D, false, u""},
    {0xffe4, VK_CONTROL, 0x1D, true, u""},     {0xffe5, VK_CAPITAL, 0x3A, false, u""},
    {0xffe7, VK_MENU, 0x38, false, u""},       {0xffe8, VK_MENU, 0x38, true, u""},
    {0xffe9, VK_MENU, 0x38, false, u""},       {0xffea, VK_MENU, 0x38, true, u""},
    {0xfe03, VK_MENU, 0x38, true, u""},        {0xffeb, VK_LWIN, 0x5B, true, u""},
    {0xffec, VK_RWIN, 0x5C, true, u""},
};

// The US key of an ASCII character: the virtual key and whether Shift gives it.
bool UsKeyOfChar(Char c, UINT* vk, bool* shift) {
  static const char kShiftedDigits[] = ")!@#$%^&*(";
  static const struct { UINT Vk; char Plain; char Shifted; } kOem[] = {
      {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
      {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},   {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
      {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
  };
  *shift = false;
  if (c >= u'a' && c <= u'z') { *vk = c - u'a' + 'A'; return true; }
  if (c >= u'A' && c <= u'Z') { *vk = c; *shift = true; return true; }
  if (c >= u'0' && c <= u'9') { *vk = c; return true; }
  if (c == u' ') { *vk = VK_SPACE; return true; }
  if (c == u'\r' || c == u'\n') { *vk = VK_RETURN; return true; }
  if (c == u'\t') { *vk = VK_TAB; return true; }
  if (c == u'\b') { *vk = VK_BACK; return true; }
  if (c == 0x1B) { *vk = VK_ESCAPE; return true; }
  for (int d = 0; d < 10; ++d)
    if (c == static_cast<Char>(kShiftedDigits[d])) { *vk = '0' + d; *shift = true; return true; }
  for (auto& o : kOem) {
    if (c == static_cast<Char>(o.Plain)) { *vk = o.Vk; return true; }
    if (c == static_cast<Char>(o.Shifted)) { *vk = o.Vk; *shift = true; return true; }
  }
  return false;
}

// Keys of the German layout's letters that the US layout lacks, where they sit on the keyboard.
bool GermanKeyOfChar(Char c, UINT* vk, UINT* scan) {
  switch (c) {
    case u'ö': case u'Ö': *vk = VK_OEM_3; *scan = 0x27; return true;
    case u'ä': case u'Ä': *vk = VK_OEM_7; *scan = 0x28; return true;
    case u'ü': case u'Ü': *vk = VK_OEM_1; *scan = 0x1A; return true;
    case u'ß': *vk = VK_OEM_4; *scan = 0x0C; return true;
    default: return false;
  }
}

String FromCodePoint(std::uint32_t cp) {
  String s;
  if (cp >= 0x10000) {
    cp -= 0x10000;
    s += static_cast<Char>(0xD800 + (cp >> 10));
    s += static_cast<Char>(0xDC00 + (cp & 0x3FF));
  } else {
    s += static_cast<Char>(cp);
  }
  return s;
}

}  // namespace

namespace wincore {

UINT ScanFromVk(UINT vk, bool* extended) {
  const TVkScan* e = FindVk(vk);
  if (extended) *extended = e && e->Extended;
  return e ? e->Scan : 0;
}

TKeyInfo KeyFromKeysym(std::uint32_t keysym, int hardwareScan) {
  TKeyInfo k;
  for (const TKeysymKey& e : kKeysyms)
    if (e.Keysym == keysym) {
      k.Vk = e.Vk;
      k.Scan = e.Scan;
      k.Extended = e.Extended;
      k.Text = e.Text;
      k.Types = !k.Text.empty();
      return k;
    }
  std::uint32_t cp = 0;
  if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF))
    cp = keysym;
  else if ((keysym & 0xFF000000u) == 0x01000000u)
    cp = keysym & 0x00FFFFFFu;
  if (!cp) return k;   // a key Windows has no key for
  k.Text = FromCodePoint(cp);
  bool shift;
  UINT vk, scan;
  if (cp < 0x80 && UsKeyOfChar(static_cast<Char>(cp), &vk, &shift)) {
    k.Vk = vk;
    k.Scan = ScanFromVk(vk, &k.Extended);
  } else if (cp < 0x10000 && GermanKeyOfChar(static_cast<Char>(cp), &vk, &scan)) {
    k.Vk = vk;
    k.Scan = scan;
  } else {
    k.Vk = VK_PACKET;
  }
  // Letters and digits follow the layout; other keys are named by where they sit.
  if (hardwareScan > 0 && hardwareScan < 0x59) {
    k.Scan = static_cast<UINT>(hardwareScan);
    bool letterOrDigit = (k.Vk >= 'A' && k.Vk <= 'Z') || (k.Vk >= '0' && k.Vk <= '9');
    if (!letterOrDigit)
      for (const TVkScan& e : kVkScans)
        if (e.Scan == k.Scan && !e.Extended && e.Vk >= VK_OEM_1) {
          k.Vk = e.Vk;
          break;
        }
  }
  return k;
}

// The active layout: US unless the German one was chosen.
static bool gGermanLayout = false;

// The keys that type differently on the German layout (its dead keys, ^ and the accent, type
// nothing here); AltGr is Ctrl+Alt. Empty for keys it types as the US layout does.
static String GermanCharsForKey(UINT vk, bool shift, bool caps, bool altGr) {
  auto cased = [shift, caps](Char Lower, Char Upper) { return String(1, shift != caps ? Upper : Lower); };
  if (altGr) {
    switch (vk) {
      case 'Q': return u"@";
      case 'E': return u"\u20AC";
      case 'M': return u"\u00B5";
      case '2': return u"\u00B2";
      case '3': return u"\u00B3";
      case '7': return u"{";
      case '8': return u"[";
      case '9': return u"]";
      case '0': return u"}";
      case VK_OEM_4: return u"\\";
      case VK_OEM_PLUS: return u"~";
      case VK_OEM_102: return u"|";
      default: return String();
    }
  }
  if (vk >= '0' && vk <= '9' && shift) {
    static const char16_t kShifted[] = u"=!\"\u00A7$%&/()";
    return String(1, kShifted[vk - '0']);
  }
  switch (vk) {
    case VK_DECIMAL: return u",";
    case VK_OEM_1: return cased(u'\u00FC', u'\u00DC');
    case VK_OEM_3: return cased(u'\u00F6', u'\u00D6');
    case VK_OEM_7: return cased(u'\u00E4', u'\u00C4');
    case VK_OEM_PLUS: return shift ? u"*" : u"+";
    case VK_OEM_COMMA: return shift ? u";" : u",";
    case VK_OEM_MINUS: return shift ? u"_" : u"-";
    case VK_OEM_PERIOD: return shift ? u":" : u".";
    case VK_OEM_2: return shift ? u"'" : u"#";
    case VK_OEM_4: return shift ? u"?" : u"\u00DF";
    case VK_OEM_102: return shift ? u">" : u"<";
    case VK_OEM_5: case VK_OEM_6: return String(1, Char(0));   // dead keys
    default: return String();
  }
}

String CharsForKey(UINT vk, const BYTE* state) {
  bool shift = (state[VK_SHIFT] & 0x80) != 0;
  bool caps = (state[VK_CAPITAL] & 0x01) != 0;
  bool ctrl = (state[VK_CONTROL] & 0x80) != 0;
  bool alt = (state[VK_MENU] & 0x80) != 0;
  if (gGermanLayout && !(ctrl != alt)) {
    String german = GermanCharsForKey(vk, shift, caps, ctrl && alt);
    if (german == String(1, Char(0))) return String();
    if (!german.empty() || (ctrl && alt)) return german;
  }
  if (ctrl && alt) return String();
  if (ctrl) {
    if (vk >= 'A' && vk <= 'Z') return String(1, static_cast<Char>(vk - 'A' + 1));
    switch (vk) {
      case VK_OEM_4: return String(1, Char(0x1B));
      case VK_OEM_5: return String(1, Char(0x1C));
      case VK_OEM_6: return String(1, Char(0x1D));
      case VK_RETURN: return String(1, Char(0x0A));
      case VK_BACK: return String(1, Char(0x7F));
      case VK_SPACE: return u" ";
      case VK_CANCEL: return String(1, Char(0x03));
      default: return String();
    }
  }
  if (vk >= 'A' && vk <= 'Z') return String(1, static_cast<Char>((shift != caps) ? vk : vk + 32));
  if (vk >= '0' && vk <= '9') {
    static const char16_t kShifted[] = u")!@#$%^&*(";
    return String(1, shift ? kShifted[vk - '0'] : static_cast<Char>(vk));
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return String(1, static_cast<Char>(u'0' + (vk - VK_NUMPAD0)));
  switch (vk) {
    case VK_MULTIPLY: return u"*";
    case VK_ADD: return u"+";
    case VK_SUBTRACT: return u"-";
    case VK_DECIMAL: return u".";
    case VK_DIVIDE: return u"/";
    case VK_SPACE: return u" ";
    case VK_RETURN: return u"\r";
    case VK_TAB: return u"\t";
    case VK_BACK: return u"\b";
    case VK_ESCAPE: return String(1, Char(0x1B));
    case VK_OEM_1: return shift ? u":" : u";";
    case VK_OEM_PLUS: return shift ? u"+" : u"=";
    case VK_OEM_COMMA: return shift ? u"<" : u",";
    case VK_OEM_MINUS: return shift ? u"_" : u"-";
    case VK_OEM_PERIOD: return shift ? u">" : u".";
    case VK_OEM_2: return shift ? u"?" : u"/";
    case VK_OEM_3: return shift ? u"~" : u"`";
    case VK_OEM_4: return shift ? u"{" : u"[";
    case VK_OEM_5:
    case VK_OEM_102: return shift ? u"|" : u"\\";
    case VK_OEM_6: return shift ? u"}" : u"]";
    case VK_OEM_7: return shift ? u"\"" : u"'";
    default: return String();
  }
}

bool UsKeyForChar(Char c, UINT* vk, bool* shift) { return UsKeyOfChar(c, vk, shift); }

}  // namespace wincore

UINT MapVirtualKey(UINT code, UINT type) {
  using namespace wincore;
  switch (type) {
    case MAPVK_VK_TO_VSC: return ScanFromVk(code, nullptr);
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX:
      for (const TVkScan& e : kVkScans)
        if (e.Scan == code && !e.Extended) {
          if (type == MAPVK_VSC_TO_VK_EX) {
            if (e.Vk == VK_SHIFT) return VK_LSHIFT;
            if (e.Vk == VK_CONTROL) return VK_LCONTROL;
            if (e.Vk == VK_MENU) return VK_LMENU;
          }
          if (e.Vk == VK_RSHIFT) return type == MAPVK_VSC_TO_VK ? VK_SHIFT : VK_RSHIFT;
          return e.Vk;
        }
      return 0;
    case MAPVK_VK_TO_CHAR: {
      BYTE state[256] = {};
      String s = CharsForKey(code, state);
      if (s.empty()) return 0;
      Char c = s[0];
      if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - 32);
      return c;
    }
    default: return 0;
  }
}

int ToUnicode(UINT vk, UINT scan, const BYTE* state, LPWSTR buf, int size, UINT) {
  if (!state || !buf || size <= 0 || (scan & 0x8000)) return 0;
  String s = wincore::CharsForKey(vk, state);
  int n = std::min(static_cast<int>(s.size()), size);
  std::copy_n(s.data(), n, buf);
  if (n < size) buf[n] = 0;
  return n;
}

int ToAscii(UINT vk, UINT scan, const BYTE* state, WORD* out, UINT flags) {
  Char buf[4];
  int n = ToUnicode(vk, scan, state, buf, 4, flags);
  if (n <= 0 || !out) return 0;
  if (buf[0] > 0xFF) return 0;
  *out = buf[0];
  return 1;
}

namespace Headless {

bool SetKeyboardLayout(const char* AKlid) {
  const std::string klid = AKlid ? AKlid : "";
  if (klid != "00000409" && klid != "00000407") return false;
  wincore::gGermanLayout = klid == "00000407";
  return true;
}

}  // namespace Headless
