// TBaseGrid and TCellProperties: cell storage, the properties objects, merged cells and geometry.
#include "lib/grid/core/NeoBaseGrid.h"

#include <algorithm>

#include "lib/grid/core/NeoGridUndoRedo.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "platform/rtl/Math.h"
#include "platform/win/WinUser.h"

// ---------------------------------------------------------------------------------------------
// TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow), FWordWrap(AOwner ? AOwner->GetWordWrap() : true) {
  if (AOwner) AOwner->FHasCellProps = true;
}

void TCellProperties::RepaintOwner() {
  if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
  FBrushColor = Value;
  RepaintOwner();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
  FBrushColorTo = Value;
  RepaintOwner();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  RepaintOwner();
}

void TCellProperties::SetWordWrap(bool Value) {
  FWordWrap = Value;
  RepaintOwner();
}

TPoint TCellProperties::BaseOf(Integer ACol, Integer ARow) const {
  if (!FIsBaseCell && FCellSpanX != -1 && GetCellSpanY() >= 0) return TPoint{ACol - FCellSpanX, ARow - GetCellSpanY()};
  return TPoint{ACol, ARow};
}

void TCellProperties::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCellProperties*>(Source);
  if (!s) return;
  FIsBaseCell = s->FIsBaseCell;
  FCellSpanX = s->FCellSpanX;
  FCellSpanY = s->GetCellSpanY();
  FOwnerRow = s->FOwnerRow;
  FOwnerCol = s->FOwnerCol;
  FObject = s->FObject;
  FAlignment = s->FAlignment;
  FBorderColor = s->FBorderColor;
  FBorderWidth = s->FBorderWidth;
  SetBrushColor(s->FBrushColor);
  FBrushStyle = s->FBrushStyle;
  FFontColor = s->FFontColor;
  FFontStyle = s->FFontStyle;
  FFontName = s->FFontName;
  FFontHeight = s->FFontHeight;
  FReadOnly = s->FReadOnly;
  FEditor = s->FEditor;
  SetVAlignment(s->FVAlignment);
  SetWordWrap(s->FWordWrap);
  FNodeLevel = s->FNodeLevel;
  FControl = s->FControl;
  FMergeCollaps = s->FMergeCollaps;
}

// ---------------------------------------------------------------------------------------------
// Life cycle

TBaseGrid::TBaseGrid(TComponent* AOwner)
    : TObjStringGrid(AOwner), FDefFont(std::make_unique<TFont>()), FDefBrush(std::make_unique<TBrush>()) {
  TCustomGrid::SetDefaultDrawing(false);
  SetGridLineWidth(1);
}

TBaseGrid::~TBaseGrid() {
  FDestroying = true;
  FDefFont.reset();
  FDefBrush.reset();
  FreeAllCellProperties();
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TObjStringGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
}

void TBaseGrid::SetGridLineWidth(Integer Value) {
  FGridLineWidth = Value;
  TCustomGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetUndoRedo(TNeoGridUndoRedo* Value) {
  if (FUndoRedo && FUndoRedo != Value) FUndoRedo->RemoveFreeNotification(this);
  FUndoRedo = Value;
  if (Value) {
    Value->FreeNotification(this);
    Value->SetGrid(this);
  }
}

// ---------------------------------------------------------------------------------------------
// Virtual defaults

void TBaseGrid::DoGetDisplText(Integer ACol, Integer ARow, String& Value) {
  if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::DoGetDisplWideText(Integer ACol, Integer ARow, String& Value) {
  if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellPropertyDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                        TColor& ColorMirror, TColor& ColorMirrorTo, TAlignment& HAlign,
                                        TVAlignment& VAlign, bool& WordWrap,
                                        TCellGradientDirection& GradientDirection) {
  (void)ACol;
  (void)ARow;
  AFont->Assign(GetFont());
  ABrush->SetColor(GetColor());
  ColorTo = clNone;
  ColorMirror = clNone;
  ColorMirrorTo = clNone;
  HAlign = GetDefaultAlignment();
  VAlign = vtaTop;
  WordWrap = FWordWrap;
  GradientDirection = GradientVertical;
}

void TBaseGrid::GetVisualProperties(Integer, Integer, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&) {}

// ---------------------------------------------------------------------------------------------
// Cell storage

TCellProperties* TBaseGrid::PropsOrNull(Integer ACol, Integer ARow) {
  if (!HasCellProperties(ACol, ARow)) return nullptr;
  return static_cast<TCellProperties*>(GetObjects(ACol, ARow));
}

bool TBaseGrid::HasCellProperties(Integer ACol, Integer ARow) {
  return ACol >= 0 && ACol < TotalColCount() && ARow >= 0 && GetObjects(ACol, ARow) != nullptr;
}

TCellProperties* TBaseGrid::GetCellProperties(Integer ACol, Integer ARow) {
  if (TObject* o = GetObjects(ACol, ARow)) return static_cast<TCellProperties*>(o);
  CreateCellProperties(ACol, ARow);
  return static_cast<TCellProperties*>(GetObjects(ACol, ARow));
}

TCellProperties* TBaseGrid::NewCellProperties(Integer ACol, Integer ARow) {
  auto props = std::make_unique<TCellProperties>(this, ACol, ARow);
  props->SetAlignment(GetDefaultAlignment());
  SetObjects(ACol, ARow, props.get());
  return props.release();
}

void TBaseGrid::CreateCellProperties(Integer ACol, Integer ARow) {
  TCellProperties* p = NewCellProperties(ACol, ARow);
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment hAlign = GetDefaultAlignment();
  TVAlignment vAlign = vtaTop;
  bool wordWrap = FWordWrap;
  TCellGradientDirection direction = GradientVertical;
  GetCellPropertyDefaults(ACol, ARow, FDefFont.get(), FDefBrush.get(), colorTo, mirror, mirrorTo, hAlign, vAlign,
                          wordWrap, direction);
  // Plain fields: a new cell is not repainted.
  p->SetCalcType(acNONE);
  p->SetAlignment(hAlign);
  p->FVAlignment = vAlign;
  p->FWordWrap = wordWrap;
  p->SetFontName(FDefFont->GetName());
  p->SetFontSize(static_cast<Integer>(Round(FDefFont->GetHeight() * GetDPIScale())));
  p->SetFontStyle(FDefFont->GetStyle());
  p->SetFontColor(FDefFont->GetColor());
  p->FBrushColor = FDefBrush->GetColor();
  p->FBrushColorTo = colorTo;
  p->SetGradientDirection(direction);
}

void TBaseGrid::SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value) {
  TObject* old = GetObjects(ACol, ARow);
  if (old == Value) return;
  delete old;
  SetObjects(ACol, ARow, Value);
}

void TBaseGrid::FreeCellProperties(Integer ACol, Integer ARow) {
  TObject* old = GetObjects(ACol, ARow);
  if (!old) return;
  SetObjects(ACol, ARow, nullptr);
  delete old;
}

void TBaseGrid::FreeCellPropertiesRect(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow) {
  if (!FHasCellProps) return;
  for (Integer c = FromCol; c <= ToCol; ++c) {
    for (Integer r = FromRow; r <= ToRow; ++r) {
      auto* props = static_cast<TCellProperties*>(GetObjects(c, r));
      if (!props) continue;
      TObject* graphic = props->GetGraphicObject();
      if (graphic && graphic->ClassName() == u"TCellGraphic") delete graphic;
      SetObjects(c, r, nullptr);
      delete props;
    }
  }
}

void TBaseGrid::FreeAllCellProperties() { FreeCellPropertiesRect(0, 0, GetColCount() - 1, GetRowCount() - 1); }

void TBaseGrid::ResetCell(Integer ACol, Integer ARow) {
  SetCellEx(ACol, ARow, String());
  SetObjects(ACol, ARow, nullptr);
}

void TBaseGrid::ResetColCells(Integer ACol) {
  for (Integer r = 0; r < GetRowCount(); ++r) ResetCell(ACol, r);
}

void TBaseGrid::ResetRowCells(Integer ARow) {
  for (Integer c = 0; c < GetColCount(); ++c) ResetCell(c, ARow);
}

NativeUInt TBaseGrid::GetObjectEx(Integer ACol, Integer ARow) {
  TCellProperties* p = PropsOrNull(ACol, ARow);
  return p ? p->GetCellObject() : 0;
}

void TBaseGrid::SetObjectEx(Integer ACol, Integer ARow, NativeUInt Value) {
  bool wasEmpty = CellView(ACol, ARow).empty();
  if (wasEmpty) SetCells(ACol, ARow, u" ");
  GetCellProperties(ACol, ARow)->SetCellObject(Value);
  if (wasEmpty) SetCells(ACol, ARow, String());
}

TObject* TBaseGrid::GetGraphicObjectEx(Integer ACol, Integer ARow) { return GraphicObjectOf(PropsOrNull(ACol, ARow)); }

void TBaseGrid::SetGraphicObjectEx(Integer ACol, Integer ARow, TObject* Value) {
  if (FDestroying) {
    if (!Value)
      if (TCellProperties* p = PropsOrNull(ACol, ARow)) p->SetGraphicObject(nullptr);
    return;
  }
  bool wasEmpty = CellView(ACol, ARow).empty();
  if (wasEmpty) SetCellEx(ACol, ARow, u" ");
  if (!GetObjects(ACol, ARow)) {
    // The defaults through temporaries and the setters (the font height unscaled).
    TCellProperties* p = NewCellProperties(ACol, ARow);
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment hAlign = GetDefaultAlignment();
    TVAlignment vAlign = vtaTop;
    bool wordWrap = FWordWrap;
    TCellGradientDirection direction = GradientVertical;
    GetCellPropertyDefaults(ACol, ARow, &font, &brush, colorTo, mirror, mirrorTo, hAlign, vAlign, wordWrap, direction);
    p->SetAlignment(hAlign);
    p->SetVAlignment(vAlign);
    p->SetWordWrap(wordWrap);
    p->SetFontName(font.GetName());
    p->SetFontSize(font.GetHeight());
    p->SetFontStyle(font.GetStyle());
    p->SetFontColor(font.GetColor());
    p->SetBrushColor(brush.GetColor());
    p->SetBrushColorTo(colorTo);
    p->SetGradientDirection(direction);
  }
  GetCellProperties(ACol, ARow)->SetGraphicObject(Value);
  if (wasEmpty) SetCellEx(ACol, ARow, String());
}

String TBaseGrid::GetCellEx(Integer ACol, Integer ARow) {
  Integer c = ACol, r = ARow;
  if (TCellProperties* p = PropsOrNull(ACol, ARow)) {
    TPoint b = p->BaseOf(ACol, ARow);
    c = b.x;
    r = b.y;
  }
  String result(CellView(c, r));
  if (r < FNormalRowCount) {
    DoGetDisplText(c, r, result);
    if (OnGetDisplWideText) {
      String wide = DecodePairEncodedText(result);
      DoGetDisplWideText(c, r, wide);
      result = EncodePairEncodedText(wide);
    }
  }
  return result;
}

void TBaseGrid::SetCellEx(Integer ACol, Integer ARow, const String& Value) {
  if (TCellProperties* p = PropsOrNull(ACol, ARow)) {
    TPoint b = p->BaseOf(ACol, ARow);
    SetCells(b.x, b.y, Value);
    CellTextChanged(b.x, b.y);
    if (GetParent()) RepaintCell(ACol, ARow);
  } else {
    FEditCellSet = true;
    SetCells(ACol, ARow, Value);
    FEditCellSet = false;
  }
  if (FHideLastRow && ARow == GetRowCount() - 1) LastRowChanged();
}

// ---------------------------------------------------------------------------------------------
// Merged cells

void TBaseGrid::MergeCells(Integer ACol, Integer ARow, Integer SpanX, Integer SpanY) {
  ++FMergeCount;
  if (SpanX < 1 || SpanY < 1) return;
  // Every block that the new one overlaps is split first (those splits leave the count as it
  // was), so that no cell keeps an offset to a cell that is no longer a base. The text of a split
  // block whose base ends up hidden inside the new block moves to the new base when that has none.
  auto inside = [&](const TPoint& P) { return P.x >= ACol && P.x < ACol + SpanX && P.y >= ARow && P.y < ARow + SpanY; };
  for (Integer i = ACol; i < ACol + SpanX; ++i) {
    for (Integer j = ARow; j < ARow + SpanY; ++j) {
      TCellProperties* p = PropsOrNull(i, j);
      if (!p || !p->InMerge()) continue;
      TPoint b = p->BaseOf(i, j);
      SplitCells(i, j);
      ++FMergeCount;
      if (inside(b) && !(b.x == ACol && b.y == ARow) && CellView(ACol, ARow).empty() && !CellView(b.x, b.y).empty()) {
        SetCells(ACol, ARow, String(CellView(b.x, b.y)));
        SetCells(b.x, b.y, String());
      }
    }
  }
  for (Integer i = ACol; i < ACol + SpanX; ++i) {
    for (Integer j = ARow; j < ARow + SpanY; ++j) {
      TCellProperties* p = GetCellProperties(i, j);
      bool base = i == ACol && j == ARow;
      p->SetIsBaseCell(base);
      p->SetCellSpanX(base ? SpanX - 1 : i - ACol);
      p->SetCellSpanY(base ? SpanY - 1 : j - ARow);
    }
  }
  RepaintMergedCells(ACol, ACol + SpanX - 1, ARow, ARow + SpanY - 1);
}

void TBaseGrid::SplitCells(Integer ACol, Integer ARow) {
  TPoint b = GetCellProperties(ACol, ARow)->BaseOf(ACol, ARow);
  TCellProperties* bp = GetCellProperties(b.x, b.y);
  Integer sx = bp->GetCellSpanX(), sy = bp->GetCellSpanY();
  for (Integer i = b.x; i <= b.x + sx; ++i) {
    for (Integer j = b.y; j <= b.y + sy; ++j) {
      TCellProperties* p = GetCellProperties(i, j);
      p->SetIsBaseCell(true);
      p->SetCellSpanX(-1);
      p->SetCellSpanY(-1);
    }
  }
  RepaintMergedCells(b.x, b.x + sx, b.y, b.y + sy);
  --FMergeCount;
}

void TBaseGrid::RepaintMergedCells(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow) {
  if (!HandleAllocated()) return;
  for (Integer i = FromCol; i <= ToCol; ++i)
    for (Integer j = FromRow; j <= ToRow; ++j) RepaintCell(i, j);
}

TPoint TBaseGrid::BaseCell(Integer ACol, Integer ARow) {
  TCellProperties* p = PropsOrNull(ACol, ARow);
  return p ? p->BaseOf(ACol, ARow) : TPoint{ACol, ARow};
}

bool TBaseGrid::IsBaseCell(Integer ACol, Integer ARow) {
  TCellProperties* p = PropsOrNull(ACol, ARow);
  return !p || p->GetIsBaseCell();
}

bool TBaseGrid::ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) {
  TPoint b = BaseCell(ACol, ARow);
  BaseCol = b.x;
  BaseRow = b.y;
  return IsBaseCell(ACol, ARow);
}

TPoint TBaseGrid::CellSpan(Integer ACol, Integer ARow) {
  TCellProperties* p = PropsOrNull(ACol, ARow);
  if (!p || (p->GetCellSpanX() == -1 && p->GetCellSpanY() <= 0)) return TPoint{0, 0};
  TPoint b = p->BaseOf(ACol, ARow);
  TCellProperties* bp = PropsOrNull(b.x, b.y);
  if (!bp) return TPoint{0, 0};
  return TPoint{bp->GetCellSpanX(), bp->GetCellSpanY()};
}

TPoint TBaseGrid::CellExt(Integer ACol, Integer ARow) {
  TCellProperties* p = PropsOrNull(ACol, ARow);
  if (!p || p->GetCellSpanX() == -1 || p->GetCellSpanY() == -1) return TPoint{0, 0};
  TPoint b = p->BaseOf(ACol, ARow);
  TPoint span = CellSpan(ACol, ARow);
  return TPoint{b.x + span.x - ACol, b.y + span.y - ARow};
}

TRect TBaseGrid::FullCell(Integer ACol, Integer ARow) {
  TPoint b = BaseCell(ACol, ARow);
  TPoint span = CellSpan(ACol, ARow);
  return TRect{b.x, b.y, b.x + span.x, b.y + span.y};
}

bool TBaseGrid::IsMergedCell(Integer ACol, Integer ARow) {
  TCellProperties* p = PropsOrNull(ACol, ARow);
  return p && (p->GetCellSpanX() > 0 || p->GetCellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(Integer ACol, Integer ARow) {
  return IsMergedCell(ACol, ARow) && !GetCellProperties(ACol, ARow)->GetIsBaseCell();
}

bool TBaseGrid::IsXMergedCell(Integer ACol, Integer ARow) {
  if (!PropsOrNull(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  TCellProperties* bp = PropsOrNull(b.x, b.y);
  return bp && bp->GetCellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(Integer ACol, Integer ARow) {
  if (!PropsOrNull(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  TCellProperties* bp = PropsOrNull(b.x, b.y);
  return bp && bp->GetCellSpanY() > 0;
}

Integer TBaseGrid::MinRowSpan(Integer ARow) {
  Integer result = GetRowCount();
  for (Integer c = 0; c < GetColCount(); ++c) {
    Integer y = CellSpan(c, ARow).y;
    if (y > 0) result = std::min(result, y);
  }
  return result;
}

Integer TBaseGrid::MaxRowSpan(Integer ARow) {
  Integer result = 0;
  for (Integer c = 0; c < GetColCount(); ++c) result = std::max(result, static_cast<Integer>(CellSpan(c, ARow).y));
  return result;
}

bool TBaseGrid::RowSpanIdentical(Integer ARow1, Integer ARow2) {
  bool counted = false;
  for (Integer c = 0; c < GetColCount(); ++c) {
    if (CellSpan(c, ARow1).y <= 0 || CellSpan(c, ARow2).y <= 0) continue;
    if (BaseCell(c, ARow1).y != BaseCell(c, ARow2).y) return false;
    counted = true;
  }
  return counted;
}

bool TBaseGrid::ColSpanIdentical(Integer ACol1, Integer ACol2) {
  bool matched = false;
  for (Integer r = 0; r < GetRowCount(); ++r) {
    TPoint s1 = CellSpan(ACol1, r), s2 = CellSpan(ACol2, r);
    if (s1.x > 0 && s2.x > 0) {
      if (BaseCell(ACol1, r).x != BaseCell(ACol2, r).x) return false;
      matched = true;
    } else if (s1.x != s2.x) {
      return false;
    }
  }
  return matched;
}

// ---------------------------------------------------------------------------------------------
// Geometry

TRect TBaseGrid::VirtualCellRect(Integer ACol, Integer ARow) {
  // Offsets from the prefix-sum index; a scrolling cell counts from LeftCol / TopRow on, placed
  // after the fixed cells.
  Int64 x = ColOffset(ACol), y = RowOffset(ARow);
  if (ACol >= GetFixedCols()) x += ColOffset(GetFixedCols()) - ColOffset(GetLeftCol());
  if (ARow >= GetFixedRows()) y += RowOffset(GetFixedRows()) - RowOffset(GetTopRow());
  TRect r;
  r.left = static_cast<LONG>(x);
  r.top = static_cast<LONG>(y);
  r.right = r.left + GetColWidths(ACol);
  r.bottom = r.top + GetRowHeights(ARow);
  return r;
}

TRect TBaseGrid::CellRect(Integer ACol, Integer ARow) {
  Integer a = RealColIndex(ACol);
  TCellProperties* p = PropsOrNull(a, ARow);
  if (p && p->InMerge()) {
    TPoint b = p->BaseOf(a, ARow);
    TCellProperties* bp = GetCellProperties(b.x, b.y);
    Integer dc = DisplColIndex(b.x);
    TRect r1 = VirtualCellRect(dc, b.y);
    if (r1.right <= r1.left) ++r1.right;
    TRect r2 = VirtualCellRect(dc + std::max(0, bp->GetCellSpanX()), b.y + std::max(0, bp->GetCellSpanY()));
    if (r2.right <= r2.left) --r2.left;
    return TRect{std::min(r1.left, r2.left), std::min(r1.top, r2.top), std::max(r1.right, r2.right),
                 std::max(r1.bottom, r2.bottom)};
  }
  if (p && p->GetControl()) return VirtualCellRect(ACol, ARow);
  TRect r = TCustomGrid::CellRect(ACol, ARow);
  r.right = r.left + GetColWidths(ACol);
  r.bottom = r.top + GetRowHeights(ARow);
  return r;
}

TPoint TBaseGrid::CellSize(Integer ACol, Integer ARow) {
  TRect r = VirtualCellRect(ACol, ARow);
  TCellProperties* p = PropsOrNull(ACol, ARow);
  if (p && p->InMerge()) {
    TPoint b = p->BaseOf(ACol, ARow);
    TCellProperties* bp = GetCellProperties(b.x, b.y);
    TRect r1 = VirtualCellRect(b.x, b.y);
    TRect r2 = VirtualCellRect(b.x + std::max(0, bp->GetCellSpanX()), b.y + std::max(0, bp->GetCellSpanY()));
    r = TRect{std::min(r1.left, r2.left), std::min(r1.top, r2.top), std::max(r1.right, r2.right),
              std::max(r1.bottom, r2.bottom)};
  }
  return TPoint{r.right - r.left, r.bottom - r.top};
}

void TBaseGrid::RepaintCell(Integer ACol, Integer ARow) {
  if (!HandleAllocated()) return;
  TRect r = CellRect(ACol, ARow);
  InvalidateRect(GetHandle(), &r, TRUE);
}

Integer TBaseGrid::FixedColsWidth() {
  Integer w = 0;
  for (Integer i = 0; i < GetFixedCols(); ++i) w += GetColWidths(i);
  return w;
}

Integer TBaseGrid::FixedRowsHeight() {
  Integer h = 0;
  for (Integer i = 0; i < GetFixedRows(); ++i) h += GetRowHeights(i);
  return h;
}
