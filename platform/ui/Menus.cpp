// Menu items and the popup menu's window: a top-most, non-activating list that holds the mouse
// capture while it is shown (so that a click anywhere else closes it) and reads the keys of its
// thread through a message hook (the keyboard focus stays where it was).
#include "platform/ui/Menus.h"

#include <algorithm>

#include <set>

#include "platform/rtl/Threads.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

// ---------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  for (TMenuItem* item : FItems) item->FParent = nullptr;
}

void TMenuItem::Add(TMenuItem* Item) {
  if (!Item || Item->FParent == this) return;
  if (Item->FParent) Item->FParent->Remove(Item);
  FItems.push_back(Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  if (std::erase(FItems, Item) > 0) Item->FParent = nullptr;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------------------------
// The popup list

class TPopupMenu::TPopupList : public TCustomControl {
  ZELK_CLASS(TPopupList, TCustomControl)
public:
  static constexpr Integer ItemHeight = 22;
  static constexpr Integer CheckWidth = 24;

  explicit TPopupList(TMenuItem* Root) : TCustomControl(nullptr), FRoot(Root) {
    FVisible = false;
    FParentFont = false;
    FColor = clMenu;
    FBrush->SetColor(FColor);
  }
  ~TPopupList() override { Close(); }

  // Shows the visible items at the screen point; false when there is none.
  bool Open(Integer X, Integer Y) {
    Close();
    FShown.clear();
    for (Integer i = 0; i < FRoot->GetCount(); ++i)
      if (FRoot->GetItems(i)->GetVisible()) FShown.push_back(FRoot->GetItems(i));
    if (FShown.empty()) return false;
    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    Integer w = 2 + CheckWidth + MaxTextWidth() + 24, h = 2 + ItemHeight * static_cast<Integer>(FShown.size());
    X = std::max<Integer>(area.left, std::min<Integer>(X, area.right - w));
    Y = std::max<Integer>(area.top, std::min<Integer>(Y, area.bottom - h));
    FSelected = -1;
    SetBounds(X, Y, w, h);
    HandleNeeded();
    SetWindowPos(FHandle, HWND_TOPMOST, X, Y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    SetCapture(FHandle);
    Active = this;
    FHook = SetWindowsHookEx(WH_GETMESSAGE, &KeyHook, nullptr, GetCurrentThreadId());
    Invalidate();
    return true;
  }

  void Close() {
    if (Active == this) Active = nullptr;
    if (FHook) UnhookWindowsHookEx(FHook);
    FHook = nullptr;
    if (!HandleAllocated() || !FVisible) return;
    FVisible = false;
    if (GetCapture() == FHandle) ReleaseCapture();
    ShowWindow(FHandle, SW_HIDE);
  }

  bool IsOpen() const { return FVisible && FHandle; }
  HWND Window() const { return IsOpen() ? FHandle : nullptr; }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
  }

  void Paint() override {
    TCanvas* c = GetCanvas();
    c->SetFont(GetFont());
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(clMenu);
    c->FillRect(GetClientRect());
    for (Integer i = 0; i < static_cast<Integer>(FShown.size()); ++i) PaintItem(c, i);
  }

  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
      case WM_MOUSEMOVE: Select(ItemAt(MessagePos(Message))); return;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
        if (!Contains(MessagePos(Message))) Close();
        return;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        if (Integer i = ItemAt(MessagePos(Message)); i >= 0) Choose(i);
        return;
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(Message.LParam) != FHandle) Close();
        return;
      default: inherited::Dispatch(Message); return;
    }
  }

private:
  Integer MaxTextWidth() {
    HDC dc = GetDC(nullptr);
    Integer widest = 0;
    {
      ControlPaint::TSelectFont sel(dc, GetFont());
      for (TMenuItem* item : FShown) {
        TRect r{0, 0, 0, 0};
        DrawText(dc, item->GetCaption().c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        widest = std::max<Integer>(widest, r.right);
      }
    }
    ReleaseDC(nullptr, dc);
    return widest;
  }

  bool Contains(TPoint P) {
    TRect r = GetClientRect();
    return PtInRect(&r, P) != FALSE;
  }

  TRect ItemRect(Integer Index) { return TRect{0, Index * ItemHeight, GetClientWidth(), (Index + 1) * ItemHeight}; }

  Integer ItemAt(TPoint P) {
    if (!Contains(P)) return -1;
    Integer i = P.y / ItemHeight;
    return i < static_cast<Integer>(FShown.size()) ? i : -1;
  }

  void PaintItem(TCanvas* C, Integer Index) {
    TMenuItem* item = FShown[static_cast<std::size_t>(Index)];
    TRect r = ItemRect(Index);
    bool selected = Index == FSelected && item->GetEnabled();
    C->GetBrush()->SetColor(selected ? clHighlight : clMenu);
    C->FillRect(r);
    TColor text = !item->GetEnabled() ? clGrayText : selected ? clHighlightText : clMenuText;
    if (item->GetChecked()) {
      C->GetPen()->SetStyle(psSolid);
      C->GetPen()->SetColor(text);
      C->GetPen()->SetWidth(2);
      Integer mid = r.top + ItemHeight / 2;
      C->Polyline({TPoint{8, mid}, TPoint{11, mid + 3}, TPoint{17, mid - 4}});
      C->GetPen()->SetWidth(1);
    }
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetColor(text);
    TRect t{CheckWidth, r.top, r.right, r.bottom};
    C->TextRect(t, item->GetCaption(), TTextFormat{tfSingleLine, tfVerticalCenter, tfLeft});
    C->GetBrush()->SetStyle(bsSolid);
  }

  void Select(Integer Index) {
    if (Index == FSelected) return;
    FSelected = Index;
    Invalidate();
  }

  // The next enabled item from the selection in the direction (wrapping); none stays none.
  void Step(Integer Direction) {
    Integer n = static_cast<Integer>(FShown.size());
    Integer i = FSelected < 0 ? (Direction > 0 ? -1 : n) : FSelected;
    for (Integer k = 0; k < n; ++k) {
      i = ((i + Direction) % n + n) % n;
      if (FShown[static_cast<std::size_t>(i)]->GetEnabled()) {
        Select(i);
        return;
      }
    }
  }

  void Choose(Integer Index) {
    TMenuItem* item = FShown[static_cast<std::size_t>(Index)];
    if (!item->GetEnabled()) return;
    Close();
    item->Click();
  }

  // Takes every key message of the thread while a list is open.
  static LRESULT KeyHook(int Code, WPARAM WParam, LPARAM LParam) {
    auto* msg = reinterpret_cast<MSG*>(LParam);
    if (Code == HC_ACTION && Active && msg && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
      TPopupList* list = Active;
      UINT kind = msg->message;
      WPARAM key = msg->wParam;
      msg->message = WM_NULL;
      if (kind == WM_KEYDOWN) list->Key(key);
    }
    return CallNextHookEx(nullptr, Code, WParam, LParam);
  }

  void Key(WPARAM Key) {
    switch (Key) {
      case VK_DOWN: Step(1); break;
      case VK_UP: Step(-1); break;
      case VK_RETURN:
        if (FSelected >= 0) Choose(FSelected);
        break;
      case VK_ESCAPE: Close(); break;
      default: break;
    }
  }

  static inline TPopupList* Active = nullptr;
  TMenuItem* FRoot;
  std::vector<TMenuItem*> FShown;
  Integer FSelected = -1;
  HHOOK FHook = nullptr;
};

// ---------------------------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)), FList(std::make_unique<TPopupList>(FItems.get())) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(Integer X, Integer Y) {
  if (OnPopup) OnPopup(this);
  FList->Open(X, Y);
}

HWND TPopupMenu::GetPopupWindow() const { return FList->Window(); }

void TPopupMenu::CloseMenu() { FList->Close(); }

// ---------------------------------------------------------------------------------------------
// Menu handles

struct HMENU__ {
  TPopupMenu Menu{nullptr};
  std::vector<std::unique_ptr<TMenuItem>> Items;
  WPARAM Chosen = 0;
  bool Tracking = false;
};

namespace {

std::set<HMENU>& LiveMenus() {
  static std::set<HMENU> menus;
  return menus;
}

bool IsLiveMenu(HMENU hMenu) { return hMenu && LiveMenus().count(hMenu) > 0; }

HMENU gTracked = nullptr;

}  // namespace

HMENU CreatePopupMenu() {
  HMENU menu = new HMENU__;
  LiveMenus().insert(menu);
  return menu;
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, WPARAM uIDNewItem, const Char* lpNewItem) {
  if (!IsLiveMenu(hMenu) || uFlags != MF_STRING) return FALSE;
  auto item = std::make_unique<TMenuItem>(nullptr);
  item->SetCaption(lpNewItem ? String(lpNewItem) : String());
  item->OnClick = [hMenu, uIDNewItem](TObject*) { hMenu->Chosen = uIDNewItem; };
  hMenu->Menu.GetItems()->Add(item.get());
  hMenu->Items.push_back(std::move(item));
  return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT, int x, int y, int, HWND hWnd, const RECT*) {
  if (!IsLiveMenu(hMenu) || hMenu->Tracking || hMenu->Items.empty()) return FALSE;
  hMenu->Chosen = 0;
  hMenu->Tracking = true;
  HMENU outer = gTracked;
  gTracked = hMenu;
  struct TEnd {
    HMENU Menu, Outer;
    ~TEnd() {
      Menu->Menu.CloseMenu();
      Menu->Tracking = false;
      gTracked = Outer;
    }
  } end{hMenu, outer};
  hMenu->Menu.Popup(x, y);
  // The menu's own loop: the keys and the mouse reach the list until it closes.
  while (hMenu->Menu.GetPopupWindow() && !Application->GetTerminated()) Application->HandleMessage();
  if (hMenu->Chosen == 0) return FALSE;
  if (hWnd) PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hMenu->Chosen), 0), 0);
  return TRUE;
}

TPopupMenu* TrackedPopupMenu() { return gTracked ? &gTracked->Menu : nullptr; }

BOOL DestroyMenu(HMENU hMenu) {
  if (!IsLiveMenu(hMenu) || hMenu->Tracking) return FALSE;
  LiveMenus().erase(hMenu);
  delete hMenu;
  return TRUE;
}
