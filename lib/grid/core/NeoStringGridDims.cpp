// TNeoStringGrid: row and column counts, the fixed areas and their sizes with their side effects,
// the simple property setters, the removal notification and the version.
#include <algorithm>
#include <utility>
#include <vector>

#include "lib/base/NeoThemeNotifier.h"
#include "lib/grid/core/NeoArrowWindow.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/PictureContainer.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/WinUser.h"

namespace {
constexpr Integer GridVersionNr = 0x02090100;   // 2.9.1.0
constexpr const Char* GridReleaseDate = u"December 2026";

bool Loading(const TComponent* C) { return C->GetComponentState().Contains(csLoading); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// Counts
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SetRowCount(Integer Value) {
  Integer oldCount = GetRowCount();
  if (OnRowCountChange && Value != oldCount) OnRowCountChange(this, oldCount, Value);
  if (oldCount == GetFixedRows() && FFixedRowAlways && IsSelectionHidden()) UnHideSelection();
  if (GetCol() == GetColCount() || GetRow() == oldCount) FocusCell(GetFixedCols(), GetFixedRows());
  // The footer row moves to the new last row: it is copied while the old last row still exists
  // (a shrink would otherwise copy from a row already cut).
  bool moveFooter = FloatingFooterVisible() && Value != oldCount && oldCount > 0 && Value > 0;
  std::vector<std::pair<String, TObject*>> footer;
  if (moveFooter) {
    for (Integer c = 0; c < TotalColCount(); ++c) footer.emplace_back(GetCells(c, oldCount - 1), GetObjects(c, oldCount - 1));
    // The objects move with the texts: the old row is emptied without freeing them, and a data
    // row the footer lands on is emptied as usual.
    FNilObjects = true;
    ClearRows(oldCount - 1, 1);
    FNilObjects = false;
    if (Value < oldCount) ClearRows(Value - 1, 1);
  }

  TCustomGrid::SetRowCount(Value);
  for (Integer r = FSuppressRowSizes->GetCount(); r < GetRowCount(); ++r) FSuppressRowSizes->Add(GetRowHeights(r));
  if (FFixedRowsMin < GetRowCount() && FFixedRowAlways) SetFixedRows(FFixedRowsMin);
  FMaxRowCount = std::max(FMaxRowCount, Value);
  FNormalRowCount = Value;

  UpdateFooter();
  UpdateProportionalVertScroll();
  UpdateProportionalHorzScroll();
  UpdateScrollBars(false);
  if (FScrollType != ssNormal) UpdateFlatScrollBars();

  if (moveFooter) {
    for (Integer c = 0; c < static_cast<Integer>(footer.size()); ++c) {
      SetCells(c, Value - 1, footer[c].first);
      SetObjects(c, Value - 1, footer[c].second);
    }
    FNilObjects = true;
    CalcFooter(-1);
    FNilObjects = false;
  }
}

void TNeoStringGrid::SetColCount(Integer Value) {
  TCustomGrid::SetColCount(Value);
  std::size_t length = static_cast<std::size_t>(std::max(GetColCount() + FNumHidden, 0));
  FVisibleCol.resize(length, true);
  FAllColWidths.resize(length, GetDefaultColWidth());
  if (FFixedColsMin < GetColCount() && FFixedColAlways) SetFixedCols(FFixedColsMin);
  FMaxColCount = std::max(FMaxColCount, Value);
  for (Integer c = FSuppressColSizes->GetCount(); c < GetColCount(); ++c) FSuppressColSizes->Add(GetColWidths(c));

  UpdateFooter();
  UpdateSearchPanel();
  SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
  UpdateProportionalHorzScroll();
  UpdateProportionalVertScroll();
  UpdateScrollBars(false);
}

Integer TNeoStringGrid::GetFixedRows() const {
  Integer n = TCustomGrid::GetFixedRows();
  return n == 0 && FFixedRowAlways ? 1 : n;
}

Integer TNeoStringGrid::GetFixedCols() const {
  Integer n = TCustomGrid::GetFixedCols();
  return n == 0 && FFixedColAlways ? 1 : n;
}

void TNeoStringGrid::SetFixedRows(Integer Value) {
  TCustomGrid::SetFixedRows(Value >= GetRowCount() && FFixedRowAlways ? GetRowCount() - 1 : Value);
  if (!Loading(this)) FFixedRowsMin = Value;
}

void TNeoStringGrid::SetFixedCols(Integer Value) {
  TCustomGrid::SetFixedCols(Value >= GetColCount() && FFixedColAlways ? GetColCount() - 1 : Value);
  if (!Loading(this)) FFixedColsMin = Value;
}

// ---------------------------------------------------------------------------------------------
// Sizes of the fixed areas, wrapping, alignment
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SetDefaultRowHeight(Integer Value) {
  TCustomGrid::SetDefaultRowHeight(Value);
  if (GetComponentState().Contains(csDesigning) && !Loading(this)) FFixedRowHeight = Value;
}

void TNeoStringGrid::SetFixedRowHeight(Integer Value) {
  FFixedRowHeight = Value;
  if (Loading(this)) return;
  for (Integer r = 0; r < TCustomGrid::GetFixedRows(); ++r) SetRowHeights(r, Value);
}

// Compared with column 0's own width: a comparison with DefaultColWidth would make the default
// width the one width the fixed columns can never be given.
void TNeoStringGrid::SetFixedColWidth(Integer Value) {
  if (Loading(this) || Value == GetColWidths(0)) return;
  for (Integer c = 0; c < std::max(TCustomGrid::GetFixedCols(), 1); ++c) SetColWidths(c, Value);
}

void TNeoStringGrid::SetWordWrap(bool Value) {
  TBaseGrid::SetWordWrap(Value);
  FWordWrapEx = Value;
  if (!IsUpdating()) Invalidate();
}

void TNeoStringGrid::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  FVAlign = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : DT_TOP;
  if (!IsUpdating()) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Simple properties
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SetSelectionColorMixerFactor(Integer Value) {
  SetAndRepaint(FSelectionColorMixerFactor, std::clamp(Value, 0, 100));
}

void TNeoStringGrid::SetShowSelection(bool Value) {
  if (FShowSelection == Value) return;
  FShowSelection = Value;
  if (!FSelHidden) FShowSel = Value;
  Invalidate();
}

void TNeoStringGrid::SetHighlightColor(TColor Value) {
  if (FHighlightColor == Value) return;
  FHighlightColor = Value;
  SetHtmlHighlightColors(FHighlightColor, FHighLightTextColor);
  Invalidate();
}

void TNeoStringGrid::SetHighlightTextColor(TColor Value) {
  if (FHighLightTextColor == Value) return;
  FHighLightTextColor = Value;
  SetHtmlHighlightColors(FHighlightColor, FHighLightTextColor);
  Invalidate();
}

void TNeoStringGrid::SetHTMLKeepLineBreak(bool Value) {
  FHTMLKeepLinebreak = Value;
  HtmlKeepLineBreaks = Value;
}

void TNeoStringGrid::SetFlat(bool Value) {
  FFlat = Value;
  if (!Loading(this)) Invalidate();
}

void TNeoStringGrid::SetSizeWithForm(bool Value) {
  if (FSizeWithForm == Value) return;
  FSizeWithForm = Value;
  SetAnchors(Value ? TAnchors{akLeft, akTop, akRight, akBottom} : TAnchors{akLeft, akTop});
}

// Only True switches the spreadsheet behaviour on: False must not switch it on either.
void TNeoStringGrid::SetSpreadSheet(bool Value) {
  FSpreadSheet = Value;
  if (!Value) return;
  SetSelectionRectangle(true);
  SetSelectionResizer(true);
  FNavigation->SetAllowSmartClipboard(true);
  TGridOptions o = GetOptions();
  o.Include(goRangeSelect);
  o.Include(goEditing);
  SetOptions(o);
  FMouseActions->SetRangeSelectAndEdit(true);
}

void TNeoStringGrid::SetAutoSize(bool Value) {
  FAutoSizeEx = Value;
  if (Value && !Loading(this)) AutoSizeColumns(false, 10);
}

void TNeoStringGrid::SetAutoThemeAdapt(bool Value) {
  if (FAutoThemeAdapt == Value) return;
  FAutoThemeAdapt = Value;
  if (Value) {
    ApplyOfficeTheme();
    Invalidate();
  }
  if (GetComponentState().Contains(csDesigning) || Loading(this) || !HandleAllocated() || IsLibrary) return;
  TThemeNotifier* notifier = ThemeNotifierInstance(this);
  if (Value)
    notifier->RegisterWindow(GetHandle());
  else
    notifier->UnRegisterWindow(GetHandle());
}

void TNeoStringGrid::SetXYOffset(TPoint Value) {
  FXYOffset = Value;
  Invalidate();
}

void TNeoStringGrid::SetXYRTFOffset(TPoint Value) {
  FXYRTFOffset = Value;
  Invalidate();
}

void TNeoStringGrid::SetRowIndicator(TBitmap* Value) {
  FRowIndicator->Assign(Value);
  RepaintCell(0, GetRow());
}

void TNeoStringGrid::SetOfficeHint(TNeoHintInfo* Value) { FOfficeHint->Assign(Value); }

void TNeoStringGrid::SetMaxEditLength(Integer Value) {
  FMaxEditLength = Value;
  if (TInplaceEdit* editor = GetInplaceEditor()) editor->SetMaxLength(Value);
}

TColor TNeoStringGrid::GetArrowColor() { return ArrowWindow(0)->GetColor(); }

void TNeoStringGrid::SetArrowColor(TColor Value) {
  for (Integer i = 0; i < 4; ++i) ArrowWindow(i)->SetColor(Value);
}

TCanvas* TNeoStringGrid::GetFooterCanvas() const { return FFooterPanel ? FFooterPanel->GetCanvas() : nullptr; }

// ---------------------------------------------------------------------------------------------
// Component references and the version
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) {
    if (AComponent == FGridImages) FGridImages = nullptr;
    if (AComponent == FCellChecker) FCellChecker = nullptr;
    if (AComponent == FFixedDropDownMenu) FFixedDropDownMenu = nullptr;
    if (AComponent == FPictureContainer) FPictureContainer = nullptr;
    ForgetToolBarPopup(AComponent);
    // The drag timer belongs to the parent, which may free it first.
    if (AComponent == FDragTmr) FDragTmr = nullptr;
    if (!FGridDestroying && AComponent == FSyncGrid->GetGrid()) FSyncGrid->SetGrid(nullptr);
  }
  TBaseGrid::Notification(AComponent, Operation);
}

void TNeoStringGrid::SetPictureContainer(TPictureContainer* Value) { SetReference(FPictureContainer, Value); }

Integer TNeoStringGrid::GetVersionNr() { return GridVersionNr; }

String TNeoStringGrid::GetVersionString() {
  auto v = static_cast<Cardinal>(GetVersionNr());
  return IntToStr(static_cast<Integer>(v >> 24)) + u"." + IntToStr(static_cast<Integer>((v >> 16) & 0xFF)) + u"." +
         IntToStr(static_cast<Integer>((v >> 8) & 0xFF)) + u"." + IntToStr(static_cast<Integer>(v & 0xFF)) + u" " +
         GridReleaseDate;
}
