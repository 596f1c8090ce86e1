#pragma once
// Helpers the date-time picker and the month calendar share: measuring text in a control's font
// outside a paint, and sending a notification to the control's parent.
#include <algorithm>
#include <cstdint>

#include "platform/ui/Controls.h"
#include "platform/win/RichEdit.h"

// A memory DC with a font selected, for measuring outside a paint.
class TMeasureDC {
public:
  explicit TMeasureDC(TFont* Font) : FDC(CreateCompatibleDC(nullptr)), FFont(FDC, Font) {}
  ~TMeasureDC() { DeleteDC(FDC); }
  TMeasureDC(const TMeasureDC&) = delete;
  TMeasureDC& operator=(const TMeasureDC&) = delete;
  HDC Handle() const { return FDC; }

private:
  HDC FDC;
  ControlPaint::TSelectFont FFont;
};

inline Integer TextWidthOf(HDC DC, const String& S) {
  SIZE size{};
  if (!S.empty()) GetTextExtentPoint32(DC, S.c_str(), static_cast<int>(S.size()), &size);
  return size.cx;
}

// The line height of the DC's font, at least a few pixels even for a font of no size.
inline Integer LineHeightOf(HDC DC) {
  TEXTMETRICW tm{};
  GetTextMetrics(DC, &tm);
  return std::max<Integer>(tm.tmHeight, 6);
}

// WM_NOTIFY from a control's window to its parent window; a window that is no child (or a control
// without a window) hands the notification straight to the control as CN_NOTIFY. Fills the header.
inline LRESULT NotifyParent(TWinControl* Control, NMHDR& Header, UINT Code) {
  HWND h = Control->HandleAllocated() ? Control->GetHandle() : nullptr;
  Header.hwndFrom = h;
  Header.idFrom = h ? static_cast<std::uintptr_t>(GetDlgCtrlID(h)) : 0;
  Header.code = Code;
  HWND parent = h ? ::GetParent(h) : nullptr;
  if (parent && (GetWindowLong(h, GWL_STYLE) & WS_CHILD))
    return SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(Header.idFrom), reinterpret_cast<LPARAM>(&Header));
  return Control->Perform(CN_NOTIFY, static_cast<WPARAM>(Header.idFrom), reinterpret_cast<LPARAM>(&Header));
}
