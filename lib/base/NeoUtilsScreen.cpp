// TNeoUtils: the mouse position and fonts.
#include "lib/base/NeoUtils.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/StringLists.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

TNeoPointF TNeoUtils::GetMousePos() {
  POINT p{};
  GetCursorPos(&p);
  return TNeoPointF{static_cast<Single>(p.x), static_cast<Single>(p.y)};
}

namespace {

struct TFontCollector {
  TStringList Names;
  String Last;
};

int AddFontFamily(const LOGFONTW* Font, const TEXTMETRICW*, DWORD, LPARAM Data) {
  auto* collector = reinterpret_cast<TFontCollector*>(Data);
  // The face name fills at most the record's 32 characters, terminator included.
  const Char* face = Font->lfFaceName;
  std::size_t length = 0;
  while (length < LF_FACESIZE && face[length] != 0) ++length;
  const String name(face, length);
  if (!SameText(name, collector->Last)) {
    collector->Names.Add(name);
    collector->Last = name;
  }
  return 1;
}

}  // namespace

void TNeoUtils::GetFonts(TStrings* List) {
  TFontCollector collector;
  HDC dc = GetDC(nullptr);
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;   // every character set
  EnumFontFamiliesEx(dc, &all, &AddFontFamily, reinterpret_cast<LPARAM>(&collector), 0);
  ReleaseDC(nullptr, dc);
  collector.Names.Sort();
  List->BeginUpdate();
  List->Clear();
  List->AddStrings(&collector.Names);
  List->EndUpdate();
}

void TNeoUtils::SetFontSize(TFont* Font, Double Size) {
  Font->SetSize(static_cast<Integer>(Round(Size / 96.0 * 72.0)));
}
