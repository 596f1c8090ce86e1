#include "lib/dropdown/NeoPickerSupport.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/win/WinUser.h"

Char PrintableKeyChar(Word Key) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  // Control keys would turn letters into control characters: the character of the key alone.
  state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_RCONTROL] = 0;
  state[VK_MENU] = state[VK_LMENU] = state[VK_RMENU] = 0;
  WORD ch = 0;
  if (ToAscii(Key, MapVirtualKey(Key, MAPVK_VK_TO_VSC), state, &ch, 0) != 1 || ch < 0x20 || ch == 0x7F) return 0;
  const String upper = AnsiUpperCase(String(1, static_cast<Char>(ch)));
  return upper.size() == 1 ? upper[0] : static_cast<Char>(ch);
}

TTypeAheadSearch::TTypeAheadSearch(TComponent* Owner) : FTimer(new TTimer(Owner)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(500);
  FTimer->SetOnTimer([this](TObject*) { Tick(); });
}

TTypeAheadSearch::~TTypeAheadSearch() {
  // The owner frees the timer later; it must not call back into a freed search.
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer(nullptr);
}

bool TTypeAheadSearch::AddKey(Word Key, bool RestartTimer) {
  const Char ch = PrintableKeyChar(Key);
  if (!ch) return false;
  FText += ch;
  if (RestartTimer) FTimer->SetEnabled(false);
  if (!FTimer->GetEnabled()) FTimer->SetEnabled(true);
  return true;
}

void TTypeAheadSearch::Tick() {
  FTimer->SetEnabled(false);
  FText.clear();
}

void SelectInSelector(TNeoCustomItemSelector* Selector, Integer Index, bool& InternalCall) {
  if (!Selector || Index >= Selector->GetItems()->GetCount()) return;
  TInternalCall internal(InternalCall);
  Selector->SetItemIndex(Index);
}

Integer PageTarget(TNeoCustomItemSelector* Selector, bool Down, Integer Count) {
  const Integer page = Selector->GetVisibleItemCount();
  if (page < 1) return -1;
  const Integer current = Selector->GetItemIndex();
  if (Down) return std::min(current + page, Count - 1);
  const Integer index = current - page;
  return index < 1 ? 0 : index;
}

Integer SelectStepTarget(TSelectStep Step, Integer Current, Integer Count) {
  if (Count <= 0) return -1;
  switch (Step) {
    case TSelectStep::First: return 0;
    case TSelectStep::Last: return Count - 1;
    case TSelectStep::Next:
      if (Current < 0) return 0;
      return Current + 1 < Count ? Current + 1 : -1;
    case TSelectStep::Previous:
      if (Current < 0) return 0;
      return Current > 0 ? Current - 1 : -1;
  }
  return -1;
}

UINT ControlPixelsPerInch(TControl* Control) {
  TCustomForm* form = GetParentForm(Control);
  if (TMonitor* monitor = form ? form->GetMonitor() : nullptr) return static_cast<UINT>(monitor->GetPixelsPerInch());
  HDC dc = GetDC(nullptr);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return static_cast<UINT>(ppi);
}

Integer AlignedTop(TVerticalAlignment Align, TRect R, Integer Height) {
  switch (Align) {
    case taAlignTop: return R.top;
    case taAlignBottom: return R.top + (R.bottom - R.top) - Height;
    case taVerticalCenter: break;
  }
  return R.top + (R.bottom - R.top - Height) / 2;
}

bool HasGraphic(TPicture* Picture) {
  TGraphic* g = Picture->GetGraphic();
  return g && !g->GetEmpty();
}
