#include "lib/dropdown/NeoMultiColumnDropDown.h"

#include <algorithm>
#include <cmath>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"

using namespace NeoMultiColumnDropDown;

// ---------------------------------------------------------------------------------------------
// Columns and items

TDropDownColumn::TDropDownColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FFont(std::make_unique<TFont>()) {}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDropDownColumn*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FWordwrap = s->FWordwrap;
  FWidth = s->FWidth;
  FAutoSize = s->FAutoSize;
  FHeader = s->FHeader;
  FAlignment = s->FAlignment;
  FColor = s->FColor;
  FColumnType = s->FColumnType;
  FFont->Assign(s->FFont.get());
  FEllipsis = s->FEllipsis;
}

TDropDownItem::TDropDownItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FText(std::make_unique<TStringList>()) {
  FText->OnChange = [this](TObject*) { Changed(false); };
}

TDropDownItem::~TDropDownItem() { FText->OnChange = nullptr; }

String TDropDownItem::ColumnText(Integer Column) const {
  return Column >= 0 && Column < FText->GetCount() ? FText->GetStrings(Column) : String();
}

void TDropDownItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDropDownItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FImageIndex = s->FImageIndex;
  FText->Assign(s->FText.get());
  FTag = s->FTag;
}

Integer TDropDownItems::IndexInColumn(Integer Column, const String& Value) const {
  for (Integer i = 0; i < GetCount(); ++i) {
    TStringList* text = GetItems(i)->GetText();
    if (Column >= 0 && text->GetCount() > Column && text->GetStrings(Column) == Value) return i;
  }
  return -1;
}

void TDropDownItems::Update(TCollectionItem*) {
  if (auto* owner = dynamic_cast<TNeoMultiColumnDropDown*>(GetOwner())) owner->BuildLookupList();
}

// ---------------------------------------------------------------------------------------------
// The dropdown

TNeoMultiColumnDropDown::TNeoMultiColumnDropDown(TComponent* AOwner)
    : TNeoCustomDropDown(AOwner), FItems(std::make_unique<TDropDownItems>(this)),
      FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>()),
      FLookupItems(std::make_unique<TStringList>()) {
  SetDropDownColor(static_cast<TColor>(0xFFFFFF));
  SetDropDownHeight(200);
  SetAutoSelect(true);
  SetSelectionColorStyle(scOffice2007);
  // The base constructor built the popup before this class existed: add the grid now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
  RegisterNeoMultiColumnDropDownRtti();
}

TNeoMultiColumnDropDown::~TNeoMultiColumnDropDown() {
  // The items go first: their last changes must not reach a half-destroyed dropdown.
  FItems.reset();
}

void TNeoMultiColumnDropDown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  TDropDownForm* form = GetDropDownForm();
  if (!form) return;
  if (!FNeoColGrid) {
    FNeoColGrid = new TNeoColGrid(this);
    FNeoColGrid->SetParent(form);
  }
  FNeoColGrid->SetNeoDropDown(this);
  FNeoColGrid->SetLeft(0);
  FNeoColGrid->SetTop(0);
  FNeoColGrid->SetHeight(180);
  FNeoColGrid->SetColor(GetDropDownColor());
  FNeoColGrid->SetDoubleBuffered(true);
}

void TNeoMultiColumnDropDown::Loaded() {
  inherited::Loaded();
  BuildLookupList();
}

void TNeoMultiColumnDropDown::Assign(TPersistent* Source) {
  inherited::Assign(Source);
  auto* s = dynamic_cast<TNeoMultiColumnDropDown*>(Source);
  if (!s) return;
  FCaseSensitive = s->FCaseSensitive;
  FDropDownAutoWidth = s->FDropDownAutoWidth;
  FDropDownRowHeight = s->FDropDownRowHeight;
  FLineColor = s->FLineColor;
  FFixedLineColor = s->FFixedLineColor;
  FColumnSizing = s->FColumnSizing;
  FColumnSizeWithDropDown = s->FColumnSizeWithDropDown;
  FColumns->Assign(s->FColumns.get());
  FHeaderColor = s->FHeaderColor;
  FHeaderColorTo = s->FHeaderColorTo;
  FHeaderHeight = s->FHeaderHeight;
  FHeaderFont->Assign(s->FHeaderFont.get());
  FLookupColumn = s->FLookupColumn;
  FSelectionTextColor = s->FSelectionTextColor;
  FItems->Assign(s->FItems.get());
  FItemIndex = s->FItemIndex;
  BuildLookupList();
}

// ---------------------------------------------------------------------------------------------
// Items, the item index and the lookup list

Integer TNeoMultiColumnDropDown::GetItemIndex(const String& Value) {
  // An item without a lookup string counts as having an empty one.
  for (Integer i = 0; i < FItems->GetCount(); ++i)
    if (FItems->GetItems(i)->ColumnText(FLookupColumn) == Value) return i;
  return -1;
}

void TNeoMultiColumnDropDown::SetItemIndex(Integer Value) {
  if (Value >= FItems->GetCount()) return;
  FItemIndex = Value;
  if (Value >= 0 && FLookupColumn >= 0 && FItems->GetItems(Value)->GetText()->GetCount() > FLookupColumn)
    SetText(FItems->GetItems(Value)->GetText()->GetStrings(FLookupColumn));
  else
    SetText(String());
}

void TNeoMultiColumnDropDown::SetLookupColumn(Integer Value) {
  FLookupColumn = Value;
  BuildLookupList();
}

void TNeoMultiColumnDropDown::BeginUpdate() {
  FItems->BeginUpdate();
}

void TNeoMultiColumnDropDown::EndUpdate() {
  FItems->EndUpdate();
  BuildLookupList();
}

void TNeoMultiColumnDropDown::BuildLookupList() {
  if (!FItems || !FLookupItems || FItems->GetUpdateCount() > 0) return;
  FFoldedStale = true;
  FLookupItems->BeginUpdate();
  auto end = ScopeExit([this] { FLookupItems->EndUpdate(); });
  FLookupItems->Clear();
  // A list of another column, or of no items, would offer entries that are not there.
  if (FLookupColumn < 0) return;
  for (Integer i = 0; i < FItems->GetCount(); ++i) FLookupItems->Add(FItems->GetItems(i)->ColumnText(FLookupColumn));
}

// Each entry is folded once per list and case setting, when a search first reaches it.
Integer TNeoMultiColumnDropDown::FindEntry(const String& Search) {
  if (Search.empty()) return -1;
  if (FFoldedStale || FFoldedCaseSensitive != FCaseSensitive) {
    FFoldedLookup.clear();
    FFoldedCaseSensitive = FCaseSensitive;
    FFoldedStale = false;
  }
  const String folded = CaseFold(Search, FCaseSensitive);
  const auto count = static_cast<std::size_t>(FLookupItems->GetCount());
  for (std::size_t i = 0; i < count; ++i) {
    if (i == FFoldedLookup.size())
      FFoldedLookup.push_back(CaseFold(FLookupItems->GetStrings(static_cast<Integer>(i)), FCaseSensitive));
    if (StartsStr(folded, FFoldedLookup[i])) return static_cast<Integer>(i);
  }
  return -1;
}

bool TNeoMultiColumnDropDown::FindLookupItem(const String& Text, String& Found, Integer& Index) {
  Index = -1;
  Found.clear();
  if (!FNeoColGrid) return false;
  Index = FindEntry(Text);
  if (Index < 0) return false;
  Found = FLookupItems->GetStrings(Index);
  return true;
}

// ---------------------------------------------------------------------------------------------
// The keyboard selectors

void TNeoMultiColumnDropDown::SelectIndex(Integer Index) {
  SetItemIndex(Index);
  DoSelect();
}

void TNeoMultiColumnDropDown::DoSelect() {
  if (OnSelect) OnSelect(this);
}

void TNeoMultiColumnDropDown::SelectNext() {
  const Integer count = FItems->GetCount();
  if (count == 0) return;
  if (FItemIndex < 0) SelectIndex(0);
  else if (FItemIndex < count - 1) SelectIndex(FItemIndex + 1);
}

void TNeoMultiColumnDropDown::SelectPrevious() {
  if (FItems->GetCount() == 0) return;
  if (FItemIndex < 0) SelectIndex(0);
  else if (FItemIndex > 0) SelectIndex(FItemIndex - 1);
}

void TNeoMultiColumnDropDown::SelectNextPage() {
  const Integer count = FItems->GetCount();
  if (count == 0) return;
  if (FItemIndex < 0) SelectIndex(0);
  else if (FItemIndex < count - 1) SelectIndex(std::min(FItemIndex + 10, count - 1));
}

void TNeoMultiColumnDropDown::SelectPreviousPage() {
  if (FItems->GetCount() == 0) return;
  if (FItemIndex < 0) SelectIndex(0);
  else if (FItemIndex > 0) SelectIndex(std::max(FItemIndex - 10, 0));
}

void TNeoMultiColumnDropDown::SelectFirst() {
  if (FItems->GetCount() > 0 && FItemIndex != 0) SelectIndex(0);
}

void TNeoMultiColumnDropDown::SelectLast() {
  const Integer count = FItems->GetCount();
  if (count > 0 && FItemIndex != count - 1) SelectIndex(count - 1);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TNeoMultiColumnDropDown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  GetDropDownForm()->SetCancelOnDeActivate(false);
  FShowing = true;
  if (FNeoColGrid) {
    FNeoColGrid->LoadFromDropDown();
    TGridOptions options = FNeoColGrid->GetOptions();
    options.Include(goThumbTracking);
    FNeoColGrid->SetOptions(options);
    FNeoColGrid->SetColor(GetDropDownColor());
    FNeoColGrid->OnSelectCell = [this](TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect) {
      GridSelectCell(Sender, ACol, ARow, CanSelect);
    };
    FNeoColGrid->OnSelect = [this](TObject* Sender) { GridSelect(Sender); };
    const Integer row = FItemIndex + 1;
    FNeoColGrid->SetRow(row < FNeoColGrid->GetFixedRows() || row >= FNeoColGrid->GetRowCount() ? 1 : row);
  }
  FOldItemIndex = FItemIndex;
}

void TNeoMultiColumnDropDown::DoShowDropDown() {
  if (!GetEnabled() || GetReadOnly()) return;
  FOrgIndex = FItemIndex;
  auto showing = ScopeExit([this] { FShowing = false; });
  inherited::DoShowDropDown();
  if (!FNeoColGrid || !GetDroppedDown()) return;
  FNeoColGrid->SetHoverSelect(FHoverSelect);
  FitColumnWidths();
  if (FNeoColGrid->GetRowCount() > 1) {
    const Integer row = FItemIndex < 0 || FItemIndex + 1 >= FNeoColGrid->GetRowCount() ? 1 : FItemIndex + 1;
    FNeoColGrid->SetRow(row);
    const TRect r = FNeoColGrid->CellBounds(FNeoColGrid->GetFixedCols(), FNeoColGrid->GetRow());
    if (r.left < 1 && r.top < 1)
      FNeoColGrid->SetTopRow(std::max(FNeoColGrid->GetFixedRows(),
                                      FNeoColGrid->GetRow() - FNeoColGrid->GetVisibleRowCount() + 1));
  }
}

void TNeoMultiColumnDropDown::PlaceDropDownControl() {
  if (FNeoColGrid && GetControl() != FNeoColGrid) SetControl(FNeoColGrid);
  inherited::PlaceDropDownControl();
}

void TNeoMultiColumnDropDown::UpdateDropDownSize() {
  inherited::UpdateDropDownSize();
  TDropDownForm* form = GetDropDownForm();
  if (!FDropDownAutoWidth || !form || !FNeoColGrid) return;
  const Integer width = FNeoColGrid->GetGridWidth();
  FNeoColGrid->SetAlign(alNone);
  FNeoColGrid->SetWidth(width);
  form->SetWidth(width + 2 * GetDropDownBorderWidth());
  FNeoColGrid->SetAlign(alClient);
}

void TNeoMultiColumnDropDown::ConstrainDropDownHeight(Integer& AHeight) {
  if (GetDropDownSizeable() || FDropDownRowHeight <= 0) return;
  Integer chrome = 0;
  if (GetDropDownHeader()->GetVisible()) chrome += GetDropDownHeader()->GetHeight();
  if (GetDropDownFooter()->GetVisible()) chrome += GetDropDownFooter()->GetHeight();
  const Integer rows = (AHeight - chrome - FHeaderHeight - 2) / FDropDownRowHeight;
  AHeight = chrome + FHeaderHeight + rows * FDropDownRowHeight + 2;
}

// The popup's width shared out over the columns in proportion to their widths; the rounding errors
// add up and a column takes a pixel more whenever they pass 1.
void TNeoMultiColumnDropDown::FitColumnWidths() {
  if (!FColumnSizeWithDropDown || !FNeoColGrid || !GetDropDownForm()) return;
  FNeoColGrid->SetScrollBars(ssVertical);
  const Integer count = FColumns->GetCount();
  if (count == 0) return;
  Integer total = 1;
  for (Integer i = 0; i < count; ++i) total += FColumns->GetItems(i)->GetWidth();
  Integer available = GetDropDownForm()->GetWidth();
  if (FNeoColGrid->GetVisibleRowCount() < FNeoColGrid->GetRowCount() - FNeoColGrid->GetFixedRows())
    available -= GetSystemMetrics(SM_CXVSCROLL);
  const Double ratio = static_cast<Double>(available) / total;
  Double carry = 0;
  for (Integer i = 0; i < std::min(count, FNeoColGrid->GetColCount()); ++i) {
    const Double exact = ratio * FColumns->GetItems(i)->GetWidth();
    const auto w = static_cast<Integer>(Round(exact));
    carry += exact - w;
    if (carry > 1) {
      FNeoColGrid->SetColWidths(i, w + 1);
      carry -= 1;
    } else {
      FNeoColGrid->SetColWidths(i, w);
    }
  }
}

// While the popup opens it is resized several times before it has its width; fitting the columns
// to those passing widths would lose the widths the automatic popup width is computed from, so the
// opening fits them once, at its end.
void TNeoMultiColumnDropDown::DropDownFormResize() {
  inherited::DropDownFormResize();
  if (!FShowing) FitColumnWidths();
}

void TNeoMultiColumnDropDown::DoDropDownWheelDown() {
  inherited::DoDropDownWheelDown();
  SelectNext();
}

void TNeoMultiColumnDropDown::DoDropDownWheelUp() {
  inherited::DoDropDownWheelUp();
  SelectPrevious();
}

void TNeoMultiColumnDropDown::DoHideDropDown(bool Cancel) {
  TDropDownForm* form = GetDropDownForm();
  if (!form || !form->GetVisible()) {
    inherited::DoHideDropDown(Cancel);
    return;
  }
  inherited::DoHideDropDown(Cancel);
  if (Cancel) {
    if (FOldItemIndex != FItemIndex) SetItemIndex(FOldItemIndex);
    return;
  }
  if (FNeoColGrid && FNeoColGrid->GetConfirmSelection()) SetItemIndex(FNeoColGrid->GetRow() - 1);
  FOldItemIndex = FItemIndex;
}

void TNeoMultiColumnDropDown::GridSelectCell(TObject*, Integer ACol, Integer ARow, bool&) {
  if (!FNeoColGrid->GetMouseWheelSelection() && !FShowing) SetItemIndex(ARow - 1);
  if (!OnDropDownCellClick) return;
  const Integer item = ARow - FNeoColGrid->GetFixedRows();
  const String value = item >= 0 && item < FItems->GetCount() ? FItems->GetItems(item)->ColumnText(ACol) : String();
  OnDropDownCellClick(this, ACol, ARow, value);
}

void TNeoMultiColumnDropDown::GridSelect(TObject*) {
  if (FNeoColGrid->GetConfirmSelection()) SetItemIndex(FNeoColGrid->GetRow() - 1);
  DoHideDropDown(false);
  DoSelect();
}

// ---------------------------------------------------------------------------------------------
// Keys of the open popup

namespace {

bool IsGridNavigationKey(Word Key) { return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN; }

}  // namespace

void TNeoMultiColumnDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (IsGridNavigationKey(Key) && !Shift.Contains(ssAlt)) return;
  inherited::ControlKeyDown(Key, Shift);
  if (Key == VK_TAB) {
    Key = 0;
    DoHideDropDown(false);
    SelectAll();
  }
}

void TNeoMultiColumnDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (IsGridNavigationKey(Key) && !Shift.Contains(ssAlt)) return;
  inherited::ControlKeyUp(Key, Shift);
}

void TNeoMultiColumnDropDown::ControlKeyPress(Char& Key) {
  const bool reserved = Key == 13 || Key == 27 || (Key >= 33 && Key <= 36) || Key == 38 || Key == 40;
  if ((reserved && !AltDown()) || !FNeoColGrid || FNeoColGrid->GetOptions().Contains(goEditing)) {
    FLookupEntry.clear();
    return;
  }
  const Integer i = LookupKey(Key);
  if (i < 0) {
    FLookupEntry.clear();
    return;
  }
  TNeoColGrid* grid = FNeoColGrid;
  const Integer row = grid->GetFixedRows() + i;
  if (row > grid->GetTopRow() + grid->GetVisibleRowCount() || row < grid->GetTopRow()) grid->SetTopRow(row);
  grid->SetRow(row);
  grid->SetCol(0);
}

Integer TNeoMultiColumnDropDown::LookupKey(Char Key) {
  if (Key == 8) {
    // Backspace takes back the last typed character, and with it a completed tail still selected.
    const Integer start = GetSelStart();
    const String text = GetText();
    if (GetSelLength() > 0) FLookupEntry = text.substr(0, static_cast<std::size_t>(std::max(start - 1, 0)));
    else if (!FLookupEntry.empty()) FLookupEntry.pop_back();
    SetText(FLookupEntry);
    SetSelStart(static_cast<Integer>(GetText().size()));
    SetSelLength(0);
    return -1;
  }
  if (Key != 9) FLookupEntry += Key;
  String found;
  Integer index = -1;
  if (FindLookupItem(FLookupEntry, found, index)) {
    FItemIndex = index;
    SetText(found);
    const auto typed = static_cast<Integer>(FLookupEntry.size());
    SetSelStart(typed);
    SetSelLength(static_cast<Integer>(GetText().size()) - typed);
    return index;
  }
  if (Key != 9 && FindLookupItem(String(1, Key), found, index)) {
    FItemIndex = index;
    SetText(found);
    FLookupEntry = String(1, Key);
    SetSelStart(1);
    SetSelLength(static_cast<Integer>(GetText().size()) - 1);
    return index;
  }
  FLookupEntry.clear();
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Keys of the edit

void TNeoMultiColumnDropDown::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_KEYDOWN) {
    inherited::Dispatch(Message);
    return;
  }
  const bool wasOpen = GetDroppedDown();
  inherited::Dispatch(Message);
  if (wasOpen || GetDroppedDown() || !GetEnabled() || GetReadOnly() || AltDown()) return;
  switch (Message.WParam) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    case VK_END:
      if (!GetEditorEnabled()) SelectLast();
      break;
    case VK_HOME:
      if (!GetEditorEnabled()) SelectFirst();
      break;
    default: break;
  }
}

void TNeoMultiColumnDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (FLookupColumn < 0 || FItems->GetCount() == 0) {
    inherited::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
    workmode = false;
    FLookupStr.clear();
  } else if (Key == VK_RETURN) {
    const Integer i = GetReadOnly() ? -1 : FLookupItems->IndexOf(GetText());
    if (i >= 0) {
      SetText(FLookupItems->GetStrings(i));
      SetItemIndex(i);
      Change();
    }
    if (GetReturnIsTab()) {
      PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
      Key = 0;
    }
  } else {
    workmode = true;
  }
  inherited::KeyDown(Key, Shift);
  // Esc restores the item the popup opened with; in the closed edit there is nothing to restore.
  if (Key == VK_ESCAPE && GetDroppedDown()) SetItemIndex(FOrgIndex);
}

void TNeoMultiColumnDropDown::KeyPress(Char& Key) {
  if (Key == 13 && GetReturnIsTab()) Key = 0;
  else inherited::KeyPress(Key);
}

void TNeoMultiColumnDropDown::Change() {
  FItemChange = false;
  inherited::Change();
}

void TNeoMultiColumnDropDown::KeyUp(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && GetReturnIsTab())) inherited::KeyUp(Key, Shift);
  if (Key == VK_BACK) {
    inherited::KeyUp(Key, Shift);
    return;
  }
  // Keys typed into the open popup reach here too; the popup's type-ahead has handled them, and
  // completing again would take its typed text for the whole found entry.
  if (!GetDroppedDown()) CompleteTypedText(Key);
}

// Completes the typed beginning from the first lookup entry that starts with it, the completed
// tail selected; the popup's row follows.
void TNeoMultiColumnDropDown::CompleteTypedText(Word Key) {
  SetModified(!GetText().empty());
  String search, prefix;
  if (Key > 31 && FLookupIncr) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    WORD ch = 0;
    if (ToAscii(Key, 0, state, &ch, 0) == 1) FLookupStr += static_cast<Char>(ch);
    else FLookupStr.clear();
    search = FLookupStr;
  } else {
    FLookupStr.clear();
    prefix = GetText().substr(0, static_cast<std::size_t>(std::max(GetSelStart(), 0)));
    search = prefix;
  }
  const Integer index = FLookupItems->GetCount() > 0 ? FindEntry(search) : -1;
  if (index >= 0) {
    const auto length = static_cast<Integer>(search.size());
    const String entry = FLookupItems->GetStrings(index);
    const String text = GetText();
    SetText(text.substr(0, search.size()) + entry.substr(std::min(search.size(), entry.size()), 255));
    FItemIndex = FItemIdx = index;
    FItemSel = length;
    FItemChange = true;
    FLookupEntry = GetText();
    SetSelStart(length);
    SetSelLength(static_cast<Integer>(GetText().size()) - length);
    if (FNeoColGrid && FNeoColGrid->GetFixedRows() + index < FNeoColGrid->GetRowCount())
      FNeoColGrid->SetRow(FNeoColGrid->GetFixedRows() + index);
    return;
  }
  if (!prefix.empty()) {
    SetText(prefix);
    SetSelStart(static_cast<Integer>(prefix.size()));
  }
  if (FItemChange) {
    SetItemIndex(FItemIdx);
    FItemChange = false;
  }
}

// ---------------------------------------------------------------------------------------------
// Styles

// The edit's preset first, so that what the popup grid sets here is what the style leaves.
void TNeoMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  inherited::SetSelectionColorStyle(Value);
  if (Value == scOffice2007) {
    FLineColor = static_cast<TColor>(0xF1EDEB);
    FFixedLineColor = static_cast<TColor>(0xD1BBA4);
    FSelectionColor = static_cast<TColor>(0x5EC1F1);
  } else if (Value == scWindowsVista || Value == scWindows7) {
    FSelectionColor = static_cast<TColor>(0xEACAB6);
    FLineColor = static_cast<TColor>(0xECECF0);
    FFixedLineColor = static_cast<TColor>(0xD4D2D1);
  }
}

namespace {

constexpr Cardinal kKeep = 0xFFFFFFFE;   // the header font colour stays as it was
constexpr Cardinal kNone = 0x1FFFFFFF;
constexpr Cardinal kBtnFace = 0xFF00000F, kHighlight = 0xFF00000D, kHighlightText = 0xFF00000E;

struct TStylePreset {
  TNeoStyle Style;
  Cardinal HeaderColor, HeaderColorTo, HeaderFontColor, LineColor, FixedLineColor;
  Integer SelectionStyle;
  // Only for selection style 0: the selection colours (SelectionColorTo follows SelectionColor).
  Cardinal SelectionColor;
  Cardinal SelectionTextColor;
};

const TStylePreset kStylePresets[] = {
    {tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, 0x962D00, 0x962D00, 1, 0, 0x000000},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, kKeep, 0x947C7C, 0x947C7C, 1, 0, 0x000000},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, kKeep, 0x588060, 0x588060, 1, 0, 0x000000},
    {tsOffice2003Classic, 0x808080, 0x808080, kKeep, 0x808080, 0x808080, 1, 0, 0x000000},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF, 1, 0, 0x000000},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0x5C534C, 1, 0, 0x000000},
    {tsWindowsXP, kBtnFace, kBtnFace, 0x000000, 0xC0C0C0, 0x000000, 0, kHighlight, kHighlightText},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0x962D00, 1, 0, 0x000000},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0x74706F, 1, 0, 0x000000},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFCF2DA, 2, 0, 0x000000},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFBD6B8, 3, 0, 0x000000},
    {tsTerminal, kBtnFace, kBtnFace, 0x000000, 0x808080, 0x808080, 0, kHighlight, kHighlightText},
    {tsOffice2010Blue, 0xEDDBCD, kNone, 0x5B391E, 0xEEDDCF, 0xEEDDCF, 0, 0x6CD0FF, 0x000000},
    {tsOffice2010Silver, 0xEDE9E5, kNone, 0x5B391E, 0xEEDDCF, 0xEEDDCF, 0, 0x6CD0FF, 0x000000},
    {tsOffice2010Black, 0x828282, kNone, 0xD7D7D6, 0xEEDDCF, 0xEEDDCF, 0, 0x6CD0FF, 0x000000},
    {tsWindows8, 0xF7F6F5, kNone, 0x000000, 0xE4E3E2, 0xE4E3E2, 0, 0xF7E0C9, 0x000000},
    {tsOffice2013White, 0xFFFFFF, kNone, 0x000000, 0xD4D4D4, 0xD4D4D4, 0, 0xFCE2C8, 0x000000},
    {tsOffice2013LightGray, 0xF6F6F6, kNone, 0x000000, 0xC6C6C6, 0xC6C6C6, 0, 0xFCE2C8, 0x000000},
    {tsOffice2013Gray, 0xE5E5E5, kNone, 0x000000, 0xABABAB, 0xABABAB, 0, 0xFCE2C8, 0x000000},
    {tsWindows10, 0xF7F6F5, kNone, 0x000000, 0xE4E3E2, 0xE4E3E2, 0, 0xF7E0C9, 0x000000},
    {tsOffice2016White, 0xFFFFFF, kNone, 0x000000, 0xD4D4D4, 0xD4D4D4, 0, 0xE3BDA3, 0x000000},
    {tsOffice2016Gray, 0x444444, kNone, 0xF0F0F0, 0x444444, 0x444444, 0, 0xB2B2B2, 0x000000},
    {tsOffice2016Black, 0x444444, kNone, 0xFFFFFF, 0x6A6A6A, 0x6A6A6A, 0, 0x444444, 0xFFFFFF},
    {tsOffice2019White, 0xFFFFFF, kNone, 0x444648, 0xD4D4D4, 0xABABAB, 0, 0xF2E1D5, 0x3B3B3B},
    {tsOffice2019Gray, 0x232425, kNone, 0xF0F0F0, 0xD4D4D4, 0x999999, 0, 0x969696, 0x232425},
    {tsOffice2019Black, 0x303132, kNone, 0xFFFFFF, 0xD4D4D4, 0x999999, 0, 0x505050, 0xFFFFFF},
};

}  // namespace

void TNeoMultiColumnDropDown::SetComponentStyle(TNeoStyle AStyle) {
  SetSelectionColorStyle(scCustom);
  inherited::SetComponentStyle(AStyle);
  const auto* preset = std::find_if(std::begin(kStylePresets), std::end(kStylePresets),
                                    [AStyle](const TStylePreset& P) { return P.Style == AStyle; });
  if (preset == std::end(kStylePresets)) return;   // tsCustom
  auto color = [](Cardinal C) { return static_cast<TColor>(C); };
  // The selection look first: its own line colours give way to the style's.
  SetSelectionColorStyle(static_cast<TSelectionColorStyle>(preset->SelectionStyle));
  FHeaderColor = color(preset->HeaderColor);
  FHeaderColorTo = color(preset->HeaderColorTo);
  if (preset->HeaderFontColor != kKeep) FHeaderFont->SetColor(color(preset->HeaderFontColor));
  FLineColor = color(preset->LineColor);
  FFixedLineColor = color(preset->FixedLineColor);
  if (preset->SelectionStyle == 0) {
    FSelectionColor = color(preset->SelectionColor);
    FSelectionColorTo = color(preset->SelectionColor);
  }
  FSelectionTextColor = color(preset->SelectionTextColor);
}
