// The items of list controls and TCustomListBox: a list drawn by the class library with its own
// vertical scroll bar, single or extended multiple selection, keys, mouse and wheel.
#include <algorithm>

#include "platform/ui/StdCtrls.h"

// ---------------------------------------------------------------------------------------------
// TControlItems

void TControlItems::InsertItem(Integer Index, const String& S, TObject* AObject) {
  TStringList::InsertItem(Index, S, AObject);
  if (FSink) FSink(icInserted, Index);
}

void TControlItems::Delete(Integer Index) {
  TStringList::Delete(Index);
  if (FSink) FSink(icDeleted, Index);
}

void TControlItems::Clear() {
  TStringList::Clear();
  if (FSink) FSink(icCleared, 0);
}

void TControlItems::Changed() {
  TStringList::Changed();
  if (FSink) FSink(icChanged, -1);
}

// ---------------------------------------------------------------------------------------------
// TCustomListBox

namespace {

Integer LineHeightOf(TFont* Font) {
  HDC dc = GetDC(nullptr);
  TEXTMETRICW tm;
  {
    ControlPaint::TSelectFont sel(dc, Font);
    GetTextMetrics(dc, &tm);
  }
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

}  // namespace

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TControlItems>([this](Integer Kind, Integer Index) { ItemsChanged(Kind, Index); })) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FScrollBar.Vertical = true;
  FScrollBar.OnScroll = [this](WORD Code, int Pos) {
    switch (Code) {
      case SB_LINEUP: ScrollBy(-1); break;
      case SB_LINEDOWN: ScrollBy(1); break;
      case SB_PAGEUP: ScrollBy(-std::max(1, VisibleCount())); break;
      case SB_PAGEDOWN: ScrollBy(std::max(1, VisibleCount())); break;
      case SB_THUMBTRACK: case SB_THUMBPOSITION: SetTopIndex(Pos); break;
      default: break;
    }
  };
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

Integer TCustomListBox::GetItemHeight() const {
  return FStyle == lbStandard ? LineHeightOf(GetFont()) : FItemHeight;
}

void TCustomListBox::SetItemHeight(Integer Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TCustomListBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  ClearSelection();
  if (FItemIndex >= 0) FSelection[static_cast<std::size_t>(FItemIndex)] = true;
}

void TCustomListBox::ItemsChanged(Integer Kind, Integer Index) {
  std::size_t count = static_cast<std::size_t>(FItems->GetCount());
  switch (Kind) {
    case TControlItems::icInserted:
      FSelection.insert(FSelection.begin() + std::min<std::ptrdiff_t>(Index, static_cast<std::ptrdiff_t>(FSelection.size())), false);
      if (FItemIndex >= Index) ++FItemIndex;
      break;
    case TControlItems::icDeleted:
      if (Index < static_cast<Integer>(FSelection.size())) FSelection.erase(FSelection.begin() + Index);
      if (FItemIndex == Index) FItemIndex = -1;
      else if (FItemIndex > Index) --FItemIndex;
      break;
    case TControlItems::icCleared:
      FSelection.clear();
      FItemIndex = -1;
      FTopIndex = 0;
      break;
    default:
      break;
  }
  FSelection.resize(count, false);
  if (FItemIndex >= static_cast<Integer>(count)) FItemIndex = -1;
  if (!FMultiSelect) {
    std::fill(FSelection.begin(), FSelection.end(), false);
    if (FItemIndex >= 0) FSelection[static_cast<std::size_t>(FItemIndex)] = true;
  }
  SetTopIndex(FTopIndex);
  Invalidate();
}

bool TCustomListBox::GetSelected(Integer Index) const {
  if (Index < 0 || Index >= static_cast<Integer>(FSelection.size())) throw EListError(u"List index out of bounds (%d)", {Index});
  return FSelection[static_cast<std::size_t>(Index)];
}

void TCustomListBox::SetSelected(Integer Index, bool Value) {
  if (Index < 0 || Index >= static_cast<Integer>(FSelection.size())) throw EListError(u"List index out of bounds (%d)", {Index});
  if (!FMultiSelect) {
    SetItemIndex(Value ? Index : (FItemIndex == Index ? -1 : FItemIndex));
    return;
  }
  FSelection[static_cast<std::size_t>(Index)] = Value;
  Invalidate();
}

Integer TCustomListBox::GetSelCount() const {
  if (!FMultiSelect) return -1;
  return static_cast<Integer>(std::count(FSelection.begin(), FSelection.end(), true));
}

void TCustomListBox::ClearSelection() {
  std::fill(FSelection.begin(), FSelection.end(), false);
  if (!FMultiSelect) FItemIndex = -1;
  Invalidate();
}

void TCustomListBox::SelectAll() {
  if (!FMultiSelect) return;
  std::fill(FSelection.begin(), FSelection.end(), true);
  Invalidate();
}

void TCustomListBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= GetCount()) Value = -1;
  FItemIndex = Value;
  if (!FMultiSelect) std::fill(FSelection.begin(), FSelection.end(), false);
  if (Value >= 0) {
    FSelection[static_cast<std::size_t>(Value)] = true;
    FAnchorIndex = Value;
    MakeVisible(Value);
  }
  Invalidate();
}

TRect TCustomListBox::ListRect() {
  TRect r = GetClientRect();
  Integer h = GetItemHeight();
  bool bar = h > 0 && GetCount() * h > r.bottom;
  if (bar) r.right = std::max<LONG>(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
  return r;
}

Integer TCustomListBox::VisibleCount() {
  Integer h = GetItemHeight();
  return h > 0 ? std::max<Integer>(1, ListRect().bottom / h) : 1;
}

void TCustomListBox::SetTopIndex(Integer Value) {
  Integer top = std::clamp(Value, 0, std::max(0, GetCount() - VisibleCount()));
  if (top == FTopIndex) return;
  FTopIndex = top;
  Invalidate();
}

void TCustomListBox::ScrollBy(Integer Lines) { SetTopIndex(FTopIndex + Lines); }

void TCustomListBox::MakeVisible(Integer Index) {
  if (Index < FTopIndex) SetTopIndex(Index);
  else if (Index >= FTopIndex + VisibleCount()) SetTopIndex(Index - VisibleCount() + 1);
}

TRect TCustomListBox::ItemRect(Integer Index) {
  TRect r = ListRect();
  Integer h = GetItemHeight();
  Integer top = (Index - FTopIndex) * h;
  return TRect{r.left, top, r.right, top + h};
}

Integer TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
  TRect r = ListRect();
  Integer h = GetItemHeight();
  if (h <= 0 || Pos.x < r.left || Pos.x >= r.right || Pos.y < 0) return Existing ? -1 : GetCount();
  Integer i = FTopIndex + Pos.y / h;
  if (i < GetCount()) return i;
  return Existing ? -1 : GetCount();
}

void TCustomListBox::UpdateScrollBar() {
  TRect client = GetClientRect();
  TRect list = ListRect();
  FScrollBar.Bounds = TRect{list.right, 0, client.right, client.bottom};
  FScrollBar.Min = 0;
  FScrollBar.Max = std::max(0, GetCount() - 1);
  FScrollBar.Page = VisibleCount();
  FScrollBar.Position = FTopIndex;
  FScrollBar.Enabled = GetEnabled();
}

void TCustomListBox::DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) {
  TCanvas* c = GetCanvas();
  if (FStyle != lbStandard && OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  c->FillRect(Rect);
  String text = FItems->GetStrings(Index);
  TRect tr{Rect.left + 2, Rect.top, Rect.right, Rect.bottom};
  HDC dc = c->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomListBox::Paint() {
  TCanvas* c = GetCanvas();
  TRect client = GetClientRect();
  c->GetBrush()->SetColor(GetColor());
  c->FillRect(client);
  Integer h = GetItemHeight();
  bool focused = Focused();
  for (Integer i = FTopIndex; h > 0 && i < GetCount(); ++i) {
    TRect r = ItemRect(i);
    if (r.top >= client.bottom) break;
    TOwnerDrawState state;
    bool selected = FSelection[static_cast<std::size_t>(i)];
    if (selected) state.Include(odSelected);
    if (!GetEnabled()) state.Include(odDisabled);
    if (focused && i == FItemIndex) state.Include(odFocused);
    c->GetBrush()->SetColor(selected ? clHighlight : GetColor());
    c->GetFont()->SetColor(!GetEnabled() ? clGrayText : selected ? clHighlightText : GetFont()->GetColor());
    DrawItem(i, r, state);
    if (state.Contains(odFocused)) c->DrawFocusRect(r);
  }
  if (focused && GetCount() == 0) {
    TRect r{0, 0, ListRect().right, h};
    c->DrawFocusRect(r);
  }
  TRect list = ListRect();
  if (list.right < client.right) {
    UpdateScrollBar();
    FScrollBar.Paint(c->GetHandle());
  }
}

void TCustomListBox::UserSelect(Integer Index, TShiftState Shift, bool Notify) {
  if (GetCount() == 0) return;
  Index = std::clamp(Index, 0, GetCount() - 1);
  bool changed = false;
  if (!FMultiSelect) {
    changed = Index != FItemIndex;
    SetItemIndex(Index);
  } else {
    std::vector<bool> before = FSelection;
    if (Shift.Contains(ssShift) && FAnchorIndex >= 0) {
      if (!Shift.Contains(ssCtrl)) std::fill(FSelection.begin(), FSelection.end(), false);
      for (Integer i = std::min(FAnchorIndex, Index); i <= std::max(FAnchorIndex, Index); ++i)
        FSelection[static_cast<std::size_t>(i)] = true;
    } else if (Shift.Contains(ssCtrl)) {
      FSelection[static_cast<std::size_t>(Index)] = !FSelection[static_cast<std::size_t>(Index)];
      FAnchorIndex = Index;
    } else {
      std::fill(FSelection.begin(), FSelection.end(), false);
      FSelection[static_cast<std::size_t>(Index)] = true;
      FAnchorIndex = Index;
    }
    changed = before != FSelection || Index != FItemIndex;
    FItemIndex = Index;
    MakeVisible(Index);
    Invalidate();
  }
  if (changed && Notify) SendNotify(LBN_SELCHANGE);
}

void TCustomListBox::ListKeyDown(UINT Key) {
  TShiftState shift = KeyboardStateToShiftState();
  Integer cur = FItemIndex < 0 ? -1 : FItemIndex;
  Integer page = std::max(1, VisibleCount() - 1);
  Integer target;
  switch (Key) {
    case VK_UP: target = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN: target = cur + 1; break;
    case VK_PRIOR: target = cur - page; break;
    case VK_NEXT: target = cur + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = GetCount() - 1; break;
    case VK_SPACE:
      if (FMultiSelect && cur >= 0) UserSelect(cur, TShiftState{ssCtrl}, true);
      return;
    default: return;
  }
  if (FMultiSelect && !shift.Contains(ssShift)) shift = TShiftState();
  UserSelect(target, shift * TShiftState{ssShift}, true);
}

void TCustomListBox::ListMouse(TMessage& Message) {
  TPoint p = MessagePos(Message);
  TShiftState shift = KeysToShiftState(static_cast<WORD>(Message.WParam));
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: {
      if (CanFocus() && FHandle && GetFocus() != FHandle) SetFocus();
      UpdateScrollBar();
      if (ListRect().right < GetClientRect().right && FScrollBar.MouseDown(FHandle, p)) {
        Invalidate();
        return;
      }
      Integer i = ItemAtPos(p, true);
      if (i >= 0) {
        UserSelect(i, shift, true);
        if (Message.Msg == WM_LBUTTONDBLCLK) SendNotify(LBN_DBLCLK);
      }
      FMouseSelecting = true;
      SetCapture(FHandle);
      break;
    }
    case WM_MOUSEMOVE:
      if (FScrollBar.Tracking()) {
        FScrollBar.MouseMove(p);
        Invalidate();
      } else if (FMouseSelecting && !FMultiSelect) {
        if (p.y < 0) ScrollBy(-1);
        else if (p.y >= ListRect().bottom) ScrollBy(1);
        Integer i = ItemAtPos(TPoint{std::max<LONG>(p.x, 0), std::clamp<LONG>(p.y, 0, ListRect().bottom - 1)}, true);
        if (i >= 0) UserSelect(i, TShiftState(), true);
      }
      break;
    case WM_LBUTTONUP:
      if (FScrollBar.Tracking()) {
        FScrollBar.MouseUp(p);
        Invalidate();
      }
      if (FMouseSelecting) {
        FMouseSelecting = false;
        if (GetCapture() == FHandle) ReleaseCapture();
      }
      break;
  }
}

void TCustomListBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
  }
}

void TCustomListBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    CNCommand(Message);
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomListBox::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_KEYDOWN: ListKeyDown(static_cast<UINT>(Message.WParam)); return;
    case WM_CHAR: {
      // A letter selects the next item that starts with it.
      auto ch = static_cast<Char>(Message.WParam);
      if (ch <= u' ' || GetCount() == 0) return;
      Integer n = GetCount();
      for (Integer k = 1; k <= n; ++k) {
        Integer i = (std::max(FItemIndex, -1) + k) % n;
        String s = FItems->GetStrings(i);
        if (!s.empty() && CharUpper(s[0]) == CharUpper(ch)) {
          UserSelect(i, TShiftState(), true);
          break;
        }
      }
      return;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      ListMouse(Message);
      return;
    case WM_TIMER:
      if (Message.WParam == TScrollBarParts::RepeatTimerId) {
        UpdateScrollBar();
        FScrollBar.TimerTick();
        Invalidate();
        return;
      }
      break;
    case WM_MOUSEWHEEL: {
      auto delta = static_cast<SHORT>(HIWORD(Message.WParam));
      UINT lines = 3;
      SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      ScrollBy(-delta * static_cast<Integer>(lines) / WHEEL_DELTA);
      Message.Result = 1;
      return;
    }
    case WM_SETFOCUS: case WM_KILLFOCUS: Invalidate(); break;
    case WM_SIZE: SetTopIndex(FTopIndex); break;
    case LB_GETCOUNT: Message.Result = GetCount(); return;
    case LB_GETCURSEL: Message.Result = FItemIndex; return;
    case LB_SETCURSEL:
      SetItemIndex(static_cast<Integer>(Message.WParam));
      Message.Result = FItemIndex;
      return;
    case LB_GETTOPINDEX: Message.Result = FTopIndex; return;
    case LB_SETTOPINDEX: SetTopIndex(static_cast<Integer>(Message.WParam)); return;
    case LB_GETITEMHEIGHT: Message.Result = GetItemHeight(); return;
    case LB_SETITEMHEIGHT: SetItemHeight(static_cast<Integer>(Message.LParam)); return;
    case LB_GETSELCOUNT: Message.Result = GetSelCount(); return;
    case LB_GETSEL: {
      auto i = static_cast<Integer>(Message.WParam);
      Message.Result = i >= 0 && i < GetCount() ? (FSelection[static_cast<std::size_t>(i)] ? 1 : 0) : LB_ERR;
      return;
    }
    case LB_SETSEL: {
      auto i = static_cast<Integer>(Message.LParam);
      if (i == -1) {
        if (Message.WParam) SelectAll();
        else ClearSelection();
      } else if (i >= 0 && i < GetCount()) {
        SetSelected(i, Message.WParam != 0);
      }
      return;
    }
    case LB_GETTEXTLEN: {
      auto i = static_cast<Integer>(Message.WParam);
      Message.Result = i >= 0 && i < GetCount() ? static_cast<LRESULT>(FItems->GetStrings(i).size()) : LB_ERR;
      return;
    }
    case LB_GETTEXT: {
      auto i = static_cast<Integer>(Message.WParam);
      if (i < 0 || i >= GetCount()) {
        Message.Result = LB_ERR;
        return;
      }
      String s = FItems->GetStrings(i);
      auto* buf = reinterpret_cast<Char*>(Message.LParam);
      if (buf) std::copy(s.c_str(), s.c_str() + s.size() + 1, buf);
      Message.Result = static_cast<LRESULT>(s.size());
      return;
    }
    case LB_ADDSTRING:
      Message.Result = FItems->Add(reinterpret_cast<const Char*>(Message.LParam));
      return;
    case LB_DELETESTRING: {
      auto i = static_cast<Integer>(Message.WParam);
      if (i < 0 || i >= GetCount()) {
        Message.Result = LB_ERR;
        return;
      }
      FItems->Delete(i);
      Message.Result = GetCount();
      return;
    }
    case LB_RESETCONTENT: FItems->Clear(); return;
    case LB_GETITEMRECT:
      if (Message.LParam) *reinterpret_cast<RECT*>(Message.LParam) = ItemRect(static_cast<Integer>(Message.WParam));
      Message.Result = 1;
      return;
    case LB_ITEMFROMPOINT: {
      Integer i = ItemAtPos(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, true);
      Message.Result = i < 0 ? MAKELPARAM(static_cast<WORD>(std::max(0, GetCount() - 1)), 1) : MAKELPARAM(static_cast<WORD>(i), 0);
      return;
    }
    default: break;
  }
  inherited::DefaultHandler(Message);
}
