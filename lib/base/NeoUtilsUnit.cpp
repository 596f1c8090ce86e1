#include "lib/base/NeoUtilsUnit.h"

#include "lib/base/NeoUtils.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/win/WinUser.h"

UINT CF_RICHEDITORTEXT = 0;
UINT CF_NEOSTREAM = 0;
UINT CF_RTF = 0;
UINT CF_HTML = 0;
UINT CF_NEOBITMAP = 0;

void InitializeNeoUtilsUnit() {
  if (IsConsole) return;
  CF_RICHEDITORTEXT = RegisterClipboardFormat(u"RichEditorText");
  CF_NEOSTREAM = RegisterClipboardFormat(u"TNeoClipBoard.StreamFormat");
  CF_RTF = RegisterClipboardFormat(u"Rich Text Format");
  CF_HTML = RegisterClipboardFormat(u"HTML Format");
  CF_NEOBITMAP = CF_BITMAP;
}

void FinalizeNeoUtilsUnit() {
  CF_RICHEDITORTEXT = 0;
  CF_NEOSTREAM = 0;
  CF_RTF = 0;
  CF_HTML = 0;
  CF_NEOBITMAP = 0;
}

void RegisterNeoUtilsUnit() { RegisterUnit(u"NeoUtils", &InitializeNeoUtilsUnit, &FinalizeNeoUtilsUnit); }
