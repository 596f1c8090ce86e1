// The multi-column dropdown's popup grid: filling it from the dropdown, sizing columns and rows to
// their contents, its width, painting a cell in the dropdown's colours, and the keys, mouse and
// wheel that choose a row.
#include <algorithm>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoMultiColumnDropDown.h"
#include "platform/ui/ImgList.h"

namespace NeoMultiColumnDropDown {

namespace {

// The width (DT_SINGLELINE) or wrapped height (DT_WORDBREAK in Width) of Text in Canvas's font.
TSize MeasureText(TCanvas* Canvas, const String& Text, UINT Flags, Integer Width) {
  RECT r{0, 0, Width, 500};
  DrawText(Canvas->GetHandle(), reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()), &r,
           DT_CALCRECT | Flags);
  return TSize{r.right - r.left, r.bottom - r.top};
}

// A canvas on the screen's device context (the popup's resolution), for measuring before the
// popup's windows exist.
class TMeasureCanvas {
public:
  TMeasureCanvas() : FDC(GetDC(nullptr)) { FCanvas.SetHandle(FDC); }
  ~TMeasureCanvas() {
    FCanvas.SetHandle(nullptr);
    ReleaseDC(nullptr, FDC);
  }
  TMeasureCanvas(const TMeasureCanvas&) = delete;
  TMeasureCanvas& operator=(const TMeasureCanvas&) = delete;
  TCanvas* operator->() { return &FCanvas; }
  TCanvas* Get() { return &FCanvas; }

private:
  HDC FDC;
  TCanvas FCanvas;
};

}  // namespace

TNeoColGrid::TNeoColGrid(TComponent* AOwner)
    : TStringGrid(AOwner), FColumns(std::make_unique<TDropDownColumns>(this)), FHeaderFont(std::make_unique<TFont>()) {
  SetFixedRows(1);
  SetFixedCols(0);
  FHeaderHeight = 25;
  TGridOptions options = GetOptions();
  options.Include(goHorzLine);
  options.Include(goTabs);
  options.Include(goRowSelect);
  options.Exclude(goRangeSelect);
  options.Exclude(goDrawFocusSelected);
  SetOptions(options);
  SetDefaultDrawing(false);
  SetCtl3D(false);
  // The class library's lines stay 0 wide: the grid draws its own.
  TCustomGrid::SetGridLineWidth(0);
  SetBorderStyle(bsNone);
  FGridLineWidth = 1;
  FOldRow = GetRow();
}

TNeoColGrid::~TNeoColGrid() = default;

void TNeoColGrid::SetGridLineWidth(Integer Value) {
  FGridLineWidth = Value;
  Invalidate();
}

bool TNeoColGrid::OnPopupForm() const { return dynamic_cast<TDropDownForm*>(GetParent()) != nullptr; }

void TNeoColGrid::LoadFromDropDown() {
  TNeoMultiColumnDropDown* d = FNeoDropDown;
  if (!d) return;
  FColumns->Assign(d->GetColumns());
  SetColCount(std::max<Integer>(FColumns->GetCount(), 1));
  const Integer items = d->GetItems()->GetCount();
  if (items + 1 < 2) {
    SetRowCount(2);
    SetFixedRows(1);
    SetRow(1);
  } else {
    SetFixedRows(1);
    SetRow(1);
    SetRowCount(items + 1);
  }
  for (Integer i = 0; i < FColumns->GetCount(); ++i) SetColWidths(i, FColumns->GetItems(i)->GetWidth());
  FLineColor = d->GetLineColor();
  FFixedLineColor = d->GetFixedLineColor();
  FHeaderColor = d->GetHeaderColor();
  FHeaderColorTo = d->GetHeaderColorTo();
  FHeaderHeight = d->GetHeaderHeight();
  FHeaderFont->Assign(d->GetHeaderFont());
  FImages = d->GetImages();
  TGridOptions options = GetOptions();
  if (d->GetColumnSizing()) options.Include(goColSizing);
  else options.Exclude(goColSizing);
  SetOptions(options);
  AutoSizeColumns();
  SetDefaultRowHeight(d->GetDropDownRowHeight());
  AutoSizeRows();
  SetRowHeights(0, std::max(1, FHeaderHeight));
}

void TNeoColGrid::AutoSizeColumns() {
  for (Integer i = 0; i < FColumns->GetCount(); ++i)
    if (FColumns->GetItems(i)->GetAutoSize()) AutoSizeColumn(i);
}

void TNeoColGrid::AutoSizeColumn(Integer Index) {
  TDropDownColumn* column = FColumns->GetItems(Index);
  if (!column->GetAutoSize() || !OnPopupForm() || !FNeoDropDown) return;
  TDropDownItems* items = FNeoDropDown->GetItems();
  if (items->GetCount() == 0) return;
  TMeasureCanvas measure;
  TCanvas* canvas = measure.Get();
  canvas->GetFont()->Assign(column->GetFont());
  const UINT flags = DT_SINGLELINE;
  Integer width = column->GetHeader().empty() ? 0 : MeasureText(canvas, column->GetHeader(), flags, 1000).cx + 6;
  for (Integer r = 1; r < GetRowCount() && r - 1 < items->GetCount(); ++r) {
    TDropDownItem* item = items->GetItems(r - 1);
    Integer w = 0;
    if (column->GetColumnType() == ctImage && FImages && item->GetImageIndex() >= 0) w += FImages->GetWidth() + 4;
    const String text = item->ColumnText(Index);
    if (!text.empty()) w += MeasureText(canvas, text, flags, 1000).cx + 6;
    width = std::max(width, w);
  }
  column->SetWidth(width);
  SetColWidths(Index, width);
}

void TNeoColGrid::AutoSizeRows() {
  if (!OnPopupForm() || !FNeoDropDown) return;
  bool wrapped = false;
  for (Integer i = 0; i < FColumns->GetCount(); ++i) wrapped = wrapped || FColumns->GetItems(i)->GetWordwrap();
  if (!wrapped) return;
  TDropDownItems* items = FNeoDropDown->GetItems();
  TMeasureCanvas measure;
  TCanvas* canvas = measure.Get();
  const Integer rowHeight = FNeoDropDown->GetDropDownRowHeight();
  for (Integer r = 1; r < GetRowCount() && r - 1 < items->GetCount(); ++r) {
    TDropDownItem* item = items->GetItems(r - 1);
    Integer height = 24;
    for (Integer c = 0; c < FColumns->GetCount(); ++c) {
      TDropDownColumn* column = FColumns->GetItems(c);
      if (!column->GetWordwrap()) continue;
      if (column->GetColumnType() == ctImage && FImages && item->GetImageIndex() >= 0)
        height = std::max(height, FImages->GetHeight() + 6);
      canvas->GetFont()->Assign(column->GetFont());
      height = std::max(height, MeasureText(canvas, item->ColumnText(c), DT_WORDBREAK, GetColWidths(c)).cy + 6);
    }
    if (rowHeight > 0 && rowHeight < height) SetRowHeights(r, height);
  }
}

Integer TNeoColGrid::GetGridWidth() {
  // The grid has no border of its own (BorderWidth 0).
  Integer width = 0;
  for (Integer i = 0; i < GetColCount(); ++i) width += GetColWidths(i);
  if (GetVisibleRowCount() + GetFixedRows() != GetRowCount()) width += GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TNeoColGrid::DrawCellLines(TCanvas* Canvas, const TRect& R, bool Fixed) {
  const TGridOptions options = GetOptions();
  const Integer width = Fixed ? 1 : FGridLineWidth;
  if (width <= 0) return;
  Canvas->GetPen()->SetColor(Fixed ? FFixedLineColor : FLineColor);
  Canvas->GetPen()->SetWidth(width);
  const Integer c = Fixed ? 1 : (FGridLineWidth + 1) / 2;
  if (options.Contains(Fixed ? goFixedHorzLine : goHorzLine)) {
    Canvas->MoveTo(R.left - c + 1, R.bottom - c);
    Canvas->LineTo(R.right - c + 1, R.bottom - c);
  }
  if (options.Contains(Fixed ? goFixedVertLine : goVertLine)) {
    const Integer x = R.right - c + (GetBiDiMode() == bdRightToLeft ? 1 : 0);
    Canvas->MoveTo(x, R.bottom - c);
    Canvas->LineTo(x, R.top - c);
  }
}

void TNeoColGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  TNeoMultiColumnDropDown* d = FNeoDropDown;
  TCanvas* canvas = GetCanvas();
  if (!d) return;
  if (d->OnDropDownDrawItem) {
    d->OnDropDownDrawItem(d, ACol, ARow, canvas, ARect);
    return;
  }
  // 2: where the cell sits in its row, for the selection's outline.
  const Integer last = GetColCount() - 1;
  Integer position = ACol == GetFixedCols() ? 1 : ACol == last ? 2 : 3;
  if (GetFixedCols() == last) position = 0;
  TRect r = CellBounds(ACol, ARow);
  String text = ARow < 0 ? String() : GetCells(ACol, ARow);
  Integer imageIndex = -1;
  // 3: the column's look, or the header's for cells without a column.
  TColor color;
  TAlignment alignment = taLeftJustify;
  bool wrap = false, ellipsis = false;
  TDropDownColumn* column = ACol >= GetFixedCols() && ACol < FColumns->GetCount() ? FColumns->GetItems(ACol) : nullptr;
  if (column) {
    color = column->GetColor();
    alignment = column->GetAlignment();
    wrap = column->GetWordwrap();
    ellipsis = column->GetEllipsis();
    canvas->GetFont()->Assign(column->GetFont());
    const Integer item = ARow - 1;
    if (ARow >= GetFixedRows() && item >= 0 && item < d->GetItems()->GetCount()) {
      TDropDownItem* it = d->GetItems()->GetItems(item);
      if (column->GetColumnType() == ctImage) imageIndex = it->GetImageIndex();
      if (it->GetText()->GetCount() > ACol) text = it->GetText()->GetStrings(ACol);
    }
  } else {
    color = GetColor();
    canvas->GetFont()->Assign(FHeaderFont.get());
  }
  // 4
  if (d->OnDropDownGetItemText) d->OnDropDownGetItemText(d, ACol, ARow, text);
  // 5: the background.
  const bool fixed = AState.Contains(gdFixed);
  const bool selected = AState.Contains(gdSelected) && !fixed;
  if (fixed) {
    if (column) text = column->GetHeader();
    imageIndex = -1;
    if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
      canvas->GetBrush()->SetColor(FHeaderColor);
      canvas->FillRect(r);
    } else {
      d->DrawGradient(canvas, FHeaderColor, FHeaderColorTo, gdVertical, r, 80);
    }
  } else if (!selected) {
    canvas->GetBrush()->SetColor(color);
    canvas->GetPen()->SetColor(color);
    canvas->GetPen()->SetWidth(1);
    canvas->Rectangle(r.left, r.top, r.right, r.bottom);
  } else {
    d->DrawSelection(canvas, r, position, static_cast<Integer>(color));
  }
  // 6: the lines.
  DrawCellLines(canvas, r, fixed);
  // 7: the picture, then the text beside it.
  r.left += FGridLineWidth;
  r.top += FGridLineWidth;
  r.right -= FGridLineWidth;
  r.bottom -= FGridLineWidth;
  Integer textLeft = r.left + 2;
  if (FImages && imageIndex >= 0) {
    const Integer top = FImages->GetHeight() < r.bottom - r.top ? r.top + (r.bottom - r.top - FImages->GetHeight()) / 2 : r.top;
    FImages->Draw(canvas, r.left + 2, top, imageIndex);
    textLeft = r.left + 2 + FImages->GetWidth() + 4;
  }
  // 8
  if (text.empty()) return;
  UINT flags = wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
  flags |= alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
  if (ellipsis) flags |= DT_END_ELLIPSIS;
  flags |= DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;
  if (fixed) canvas->GetFont()->Assign(FHeaderFont.get());
  if (selected) canvas->GetFont()->SetColor(d->GetSelectionTextColor());
  canvas->GetBrush()->SetStyle(bsClear);
  RECT tr{textLeft, r.top, r.right, r.bottom};
  DrawText(canvas->GetHandle(), reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &tr, flags);
  canvas->GetBrush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------------------------------------
// Choosing a row

void TNeoColGrid::DoSelect() {
  if (OnSelect) OnSelect(this);
}

// A key that moves the row confirms it; Enter itself confirms only a row that keys or the mouse
// chose, so that a row reached by the wheel is not taken.
void TNeoColGrid::KeyDown(Word& Key, TShiftState Shift) {
  if (Key != VK_RETURN) FConfirmSelection = true;
  if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt) && FNeoDropDown) {
    // The edit opens or closes the popup; the key is done with (forwarding it again would toggle twice).
    SendMessage(FNeoDropDown->GetHandle(), WM_KEYDOWN, Key, 0);
    Key = 0;
    return;
  }
  const Word key = Key;
  inherited::KeyDown(Key, Shift);
  if (key == VK_RETURN) DoSelect();
}

void TNeoColGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  FConfirmSelection = true;
  FOldRow = GetRow();
}

void TNeoColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  Integer col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (row >= GetFixedRows() && row < GetRowCount()) DoSelect();
}

void TNeoColGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (!FHoverSelect) return;
  Integer col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col < GetFixedCols() || row < GetFixedRows() || col >= GetColCount() || row >= GetRowCount()) return;
  if (col != GetCol()) SetCol(col);
  if (row != GetRow()) SetRow(row);
}

bool TNeoColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  FMouseWheelSelection = true;
  FConfirmSelection = false;
  const bool result = inherited::DoMouseWheelDown(Shift, MousePos);
  FMouseWheelSelection = false;
  return result;
}

bool TNeoColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  FMouseWheelSelection = true;
  FConfirmSelection = false;
  const bool result = inherited::DoMouseWheelUp(Shift, MousePos);
  FMouseWheelSelection = false;
  return result;
}

void TNeoColGrid::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
    return;
  }
  inherited::Dispatch(Message);
}

}  // namespace NeoMultiColumnDropDown
