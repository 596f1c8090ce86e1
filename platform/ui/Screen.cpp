// TScreen and TMonitor: forms, the active form and control, cursors, monitors, fonts.
#include <algorithm>

#include "platform/ui/Forms.h"

// ---------------------------------------------------------------------------------------------
// TMonitor

namespace {

MONITORINFO InfoOf(HMONITOR Handle) {
  MONITORINFO mi;
  GetMonitorInfo(Handle, &mi);
  return mi;
}

}  // namespace

TRect TMonitor::GetBoundsRect() const { return InfoOf(FHandle).rcMonitor; }
TRect TMonitor::GetWorkareaRect() const { return InfoOf(FHandle).rcWork; }
Integer TMonitor::GetWidth() const {
  TRect r = GetBoundsRect();
  return r.right - r.left;
}
Integer TMonitor::GetHeight() const {
  TRect r = GetBoundsRect();
  return r.bottom - r.top;
}
bool TMonitor::GetPrimary() const { return (InfoOf(FHandle).dwFlags & MONITORINFOF_PRIMARY) != 0; }
Integer TMonitor::GetPixelsPerInch() const { return static_cast<Integer>(GetDpiForSystem()); }

// ---------------------------------------------------------------------------------------------
// TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() = default;

void TScreen::AddForm(TCustomForm* AForm) { FForms.push_back(AForm); }

void TScreen::RemoveForm(TCustomForm* AForm) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), AForm), FForms.end());
  if (FActiveForm == AForm) SetActiveForm(nullptr);
  if (FActiveControl && GetParentForm(FActiveControl) == AForm) SetActiveControl(nullptr);
}

void TScreen::SetActiveForm(TCustomForm* AForm) {
  if (FActiveForm == AForm) return;
  if (AForm && (AForm->GetComponentState().Contains(csDestroying) ||
                std::find(FForms.begin(), FForms.end(), AForm) == FForms.end()))
    return;
  FActiveForm = AForm;
  if (AForm) {
    // The active form first in Forms, as the list is kept in z-order of use.
    FForms.erase(std::remove(FForms.begin(), FForms.end(), AForm), FForms.end());
    FForms.insert(FForms.begin(), AForm);
  }
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* AControl) {
  if (FActiveControl == AControl) return;
  FActiveControl = AControl;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  if (Value != crDefault) {
    ::SetCursor(GetCursors(Value));
    return;
  }
  // Back to the controls' own cursors: the window under the pointer chooses again.
  POINT p;
  GetCursorPos(&p);
  HWND h = WindowFromPoint(p);
  if (h) SendMessage(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(static_cast<WORD>(HTCLIENT), WM_MOUSEMOVE));
}

HCURSOR TScreen::GetCursors(TCursor Index) {
  for (auto& [id, h] : FCursors)
    if (id == Index) return h;
  LPCWSTR shape = IDC_ARROW;
  switch (Index) {
    case crNone: return nullptr;
    case crCross: shape = IDC_CROSS; break;
    case crIBeam: shape = IDC_IBEAM; break;
    case crSizeNESW: shape = IDC_SIZENESW; break;
    case crSizeNS: case crVSplit: shape = IDC_SIZENS; break;
    case crSizeNWSE: shape = IDC_SIZENWSE; break;
    case crSizeWE: case crHSplit: shape = IDC_SIZEWE; break;
    case crUpArrow: shape = IDC_UPARROW; break;
    case crHourGlass: case crSQLWait: shape = IDC_WAIT; break;
    case crNo: case crNoDrop: shape = IDC_NO; break;
    case crAppStart: shape = IDC_APPSTARTING; break;
    case crHelp: shape = IDC_HELP; break;
    case crHandPoint: shape = IDC_HAND; break;
    case crSizeAll: shape = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursor(nullptr, shape);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Value) {
  for (auto& entry : FCursors)
    if (entry.first == Index) {
      entry.second = Value;
      return;
    }
  FCursors.emplace_back(Index, Value);
}

Integer TScreen::GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
Integer TScreen::GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
Integer TScreen::GetPixelsPerInch() const { return static_cast<Integer>(GetDpiForSystem()); }

TRect TScreen::GetWorkAreaRect() const {
  RECT r{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

TMonitor* TScreen::MonitorOf(HMONITOR Handle) {
  if (!Handle) return nullptr;
  for (auto& m : FMonitors)
    if (m->FHandle == Handle) return m.get();
  FMonitors.push_back(std::make_unique<TMonitor>(Handle, static_cast<Integer>(FMonitors.size())));
  return FMonitors.back().get();
}

Integer TScreen::GetMonitorCount() { return GetSystemMetrics(SM_CMONITORS); }

TMonitor* TScreen::GetMonitors(Integer Index) {
  // Monitors are found by their position on the virtual screen.
  MonitorFromPoint(TPoint{0, 0}, mdPrimary);
  if (Index < 0 || Index >= static_cast<Integer>(FMonitors.size())) throw EListError(u"List index out of bounds (%d)", {Index});
  return FMonitors[static_cast<std::size_t>(Index)].get();
}

namespace {

DWORD DefaultTo(TMonitorDefaultTo D) {
  switch (D) {
    case mdNull: return MONITOR_DEFAULTTONULL;
    case mdPrimary: return MONITOR_DEFAULTTOPRIMARY;
    default: return MONITOR_DEFAULTTONEAREST;
  }
}

int CollectFont(const LOGFONTW* Font, const TEXTMETRICW*, DWORD, LPARAM Data) {
  reinterpret_cast<TStringList*>(Data)->Add(String(Font->lfFaceName));
  return 1;
}

}  // namespace

TMonitor* TScreen::MonitorFromPoint(TPoint Point, TMonitorDefaultTo MonitorDefault) {
  return MonitorOf(::MonitorFromPoint(Point, DefaultTo(MonitorDefault)));
}

TMonitor* TScreen::MonitorFromWindow(HWND Handle, TMonitorDefaultTo MonitorDefault) {
  return MonitorOf(::MonitorFromWindow(Handle, DefaultTo(MonitorDefault)));
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect, TMonitorDefaultTo MonitorDefault) {
  return MonitorOf(::MonitorFromRect(&Rect, DefaultTo(MonitorDefault)));
}

TStrings* TScreen::GetFonts() {
  if (!FFonts) {
    FFonts = std::make_unique<TStringList>();
    FFonts->SetSorted(true);
    FFonts->SetDuplicates(dupIgnore);
    HDC dc = GetDC(nullptr);
    EnumFontFamilies(dc, nullptr, CollectFont, reinterpret_cast<LPARAM>(FFonts.get()));
    ReleaseDC(nullptr, dc);
  }
  return FFonts.get();
}
