// TNeoStringGrid: window creation, loading, assignment, resizing, bounds, scroll bars and the
// wheel; the unit's start-up.
#include <algorithm>

#include "lib/base/NeoStyleIF.h"
#include "lib/base/NeoXPVS.h"
#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Units.h"
#include "platform/win/WinScroll.h"
#include "platform/win/WinUser.h"

namespace {
constexpr UINT_PTR GridTimerId = 111;
constexpr UINT GridTimerMs = 500;
constexpr Integer GridScrollBarWidth = 17;
constexpr UINT WheelPageScroll = 0xFFFFFFFF;   // SPI_GETWHEELSCROLLLINES: a page per notch
}  // namespace

// ---------------------------------------------------------------------------------------------
// Window creation
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::CreateHandle() {
  TBaseGrid::CreateHandle();
  // The drop-target registration and the balloon hints come with their option groups.
}

void TNeoStringGrid::CreateWnd() {
  if (FGridDestroying) return;
  bool loading = GetComponentState().Contains(csLoading);
  TBaseGrid::CreateWnd();

  if (GetParent() && !GetComponentState().Contains(csDesigning)) {
    if (FScrollHints != shNone && !FScrollHintWnd) FScrollHintWnd = new THTMLHintWindow(this);
    if (FScrollType == ssMetro) CreateScrollControls();
    for (TScrollBar* bar : {FScrollBar, FPaintScrollBar}) {
      if (!bar) continue;
      bar->SetKind(sbVertical);
      bar->SetVisible(false);
      bar->SetTabStop(false);
      bar->SetParent(this);
      bar->SetWidth(GridScrollBarWidth);
    }
    FDPIScale = ControlScaleFactor(this, nullptr);
  }

  if (FFooterPanel) {
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(FloatingFooterVisible());
  }
  if (FSearchPanel) {
    FSearchPanel->SetParent(this);
    bool visible = FSearchFooter->GetVisible();
    FSearchPanel->SetVisible(visible);
    FSearchPanel->SetHeight(visible ? GetSearchFooterHeight() : 0);
  }

  if (FColumnSize->GetSave()) LoadColSizes();
  SetTimer(GetHandle(), GridTimerId, GridTimerMs, nullptr);
  if (FBalloon->GetEnable()) BalloonInit();

  if (FDesignTime && !FLoaded && !loading) {
    GetFont()->SetName(u"Tahoma");
    SetParentFont(true);
  }
  FIsWinXP = FIsWinXP && NeoXPVS::IsThemeActive && NeoXPVS::IsThemeActive();
  InitWheelScrollLines(true);
  if (FScrollType != ssNormal && !loading) {
    if (FScrollType != ssMetro) InitFlatScrollBars();
    UpdateFlatScrollBars();
  }
}

void TNeoStringGrid::DestroyWnd() {
  if (HandleAllocated()) KillTimer(GetHandle(), GridTimerId);
  TBaseGrid::DestroyWnd();
  if (!FDesignTime) BalloonDone();
}

// ---------------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::Loaded() {
  TBaseGrid::Loaded();
  FOldCursor = GetCursor();
  for (Integer i = 0; i < FColumnHeaders->GetCount(); ++i) SetCells(i, 0, FColumnHeaders->GetStrings(i));
  for (Integer i = 0; i < FRowHeaders->GetCount(); ++i) SetCells(0, i, FRowHeaders->GetStrings(i));
  if (FColumnSize->GetSave()) LoadColSizes();

  FFixedRowsMin = GetFixedRows();
  FFixedColsMin = GetFixedCols();
  FOldLeftCol = GetFixedCols();
  FMinRowHeight = GetDefaultRowHeight();
  FMinColWidth = 10;
  FMaxColCount = GetColCount();
  FMaxRowCount = GetRowCount();
  FLoaded = true;

  if (GetOptions().Contains(goAlwaysShowEditor)) {
    FNavigation->SetAlwaysEdit(true);
    SetOptions(GetOptions() - goAlwaysShowEditor);
  }
  if (FSearchFooter->OnChange) FSearchFooter->OnChange(FSearchFooter.get());
  UpdateScrollBars(false);
  FDisjunctRect = TRect{-1, -1, -1, -1};
  FInitialColSizes.resize(static_cast<std::size_t>(GetColCount()));
  for (Integer c = 0; c < GetColCount(); ++c) FInitialColSizes[static_cast<std::size_t>(c)] = GetColWidths(c);
  FColumnOrder->Clear();
  for (Integer c = 0; c < GetColCount(); ++c) FColumnOrder->Add(c);
  if (FSearchPanel && FSearchFooter->GetVisible() && HandleAllocated()) FSearchPanel->SetVisible(true);
  if (FBalloon->GetEnable() && HandleAllocated()) BalloonInit();
}

// ---------------------------------------------------------------------------------------------
// Assignment
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNeoStringGrid*>(Source);
  if (!s) return;
  GetFont()->Assign(s->GetFont());
  FActiveCellFont->Assign(s->FActiveCellFont.get());
  FActiveCellColor = s->FActiveCellColor;
  FActiveCellColorTo = s->FActiveCellColorTo;
  SetActiveRowShow(s->GetActiveRowShow());
  FMouseActions->Assign(s->FMouseActions.get());
  FNavigation->Assign(s->FNavigation.get());
  FSearchFooter->Assign(s->FSearchFooter.get());
  FBands->Assign(s->FBands.get());
  FColumnSize->Assign(s->FColumnSize.get());
  FSyncGrid->Assign(s->FSyncGrid.get());
  FFocusHelper->Assign(s->FFocusHelper.get());
  FOfficeHint->Assign(s->FOfficeHint.get());
  FFixedRowAlways = s->FFixedRowAlways;
  AssignSettings(s);
  AssignCells(s);
}

void TNeoStringGrid::AssignSettings(TNeoStringGrid* s) {
  SetColCount(s->GetColCount());
  SetRowCount(s->GetRowCount());
  SetFixedRows(s->GetFixedRows());
  SetFixedCols(s->GetFixedCols());
  SetDefaultColWidth(s->GetDefaultColWidth());
  SetDefaultRowHeight(s->GetDefaultRowHeight());
  SetFixedRowHeight(s->GetFixedRowHeight());
  SetFixedColWidth(s->GetFixedColWidth());
  FInvalidEntryIcon = s->FInvalidEntryIcon;
  SetOptions(s->GetOptions());
  for (Integer c = 0; c < GetColCount(); ++c)
    if (GetColWidths(c) != s->GetColWidths(c)) SetColWidths(c, s->GetColWidths(c));
  FColumnHeaders->Assign(s->FColumnHeaders.get());
  // A million rows of the default height cost nothing: only heights that differ are written.
  for (Integer r = 0; r < GetRowCount(); ++r)
    if (GetRowHeights(r) != s->GetRowHeights(r)) SetRowHeights(r, s->GetRowHeights(r));
  FScrollWidth = s->FScrollWidth;
  FScrollBarAlways = s->FScrollBarAlways;
  SetScrollBars(s->GetScrollBars());
  FScrollColor = s->FScrollColor;
  FScrollType = s->FScrollType;
  FLook = s->FLook;
  SetBorderColor(s->FBorderColor);
  FSelectionColor = s->FSelectionColor;
  FSelectionColorTo = s->FSelectionColorTo;
  FSelectionMirrorColor = s->FSelectionMirrorColor;
  FSelectionMirrorColorTo = s->FSelectionMirrorColorTo;
  FSelectionTextColor = s->FSelectionTextColor;
  FAutoFilterUpdate = s->FAutoFilterUpdate;
  FAutoThemeAdapt = s->FAutoThemeAdapt;
  FDefaultEditor = s->FDefaultEditor;
  FDisabledFontColor = s->FDisabledFontColor;
  FEnableHTML = s->FEnableHTML;
  FEnhRowColMove = s->FEnhRowColMove;
  FFilterDropDownCheckTrue = s->FFilterDropDownCheckTrue;
  FFilterDropDownCheckFalse = s->FFilterDropDownCheckFalse;
  FFilterDropDownClear = s->FFilterDropDownClear;
  FFilterDropDownColumns = s->FFilterDropDownColumns;
  FFilterDropDownMultiCol = s->FFilterDropDownMultiCol;
  FFixedAsButtons = s->FFixedAsButtons;
  SetGridLineColor(s->GetGridLineColor());
  SetGridLineWidth(s->GetGridLineWidth());
  FHighlightColor = s->FHighlightColor;
  FHighLightTextColor = s->FHighLightTextColor;
  FHintColor = s->FHintColor;
  SetHoverRow(s->GetHoverRow());
  SetHoverRowColor(s->GetHoverRowColor());
  SetHoverRowColorTo(s->GetHoverRowColorTo());
  SetHoverRowCells(s->GetHoverRowCells());
  FIntelliZoom = s->FIntelliZoom;
  FIntegralHeight = s->FIntegralHeight;
  FLookupItems->Assign(s->FLookupItems.get());
}

void TNeoStringGrid::AssignCells(TPersistent* Source) {
  auto* s = dynamic_cast<TNeoStringGrid*>(Source);
  if (!s) return;
  TMemoryStream stream;
  s->SaveToStream(&stream);
  stream.SetPosition(0);
  LoadFromStream(&stream);
}

void TNeoStringGrid::SaveToStream(TStream* Stream) { (void)Stream; }
void TNeoStringGrid::LoadFromStream(TStream* Stream) { (void)Stream; }

// ---------------------------------------------------------------------------------------------
// Painting, resizing, bounds
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::Invalidate() {
  if (FEditChange) {
    FEditChange = false;
    return;
  }
  TBaseGrid::Invalidate();
  if (!GetComponentState().Contains(csLoading) && FloatingFooterVisible() && FFooterPanel) FFooterPanel->Invalidate();
}

void TNeoStringGrid::Resize() {
  TBaseGrid::Resize();
  if (OnGridResize) OnGridResize(this);
  if (BackGroundIsGradient()) Invalidate();
  UpdateScrollBars(false);
  CellControlsUpdate();
  InitWheelScrollLines(false);
  if (GetComponentState().Contains(csDesigning)) Invalidate();
}

void TNeoStringGrid::UpdateScrollBars(bool Force) {
  if (!HandleAllocated()) return;
  HWND h = GetHandle();
  bool rowsFit = GetVisibleRowCount() + GetFixedRows() >= GetRowCount();
  bool colsFit = GetVisibleColCount() + GetFixedCols() >= GetColCount();
  TScrollStyle bars = GetScrollBars();
  bool hasVert = bars == ssVertical || bars == ssBoth;
  bool hasHorz = bars == ssHorizontal || bars == ssBoth;
  if (FScrollBarAlways != saNone) {
    if (rowsFit && hasVert) ShowScrollBar(h, SB_VERT, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
    if (colsFit && hasHorz) ShowScrollBar(h, SB_HORZ, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
    EnableScrollBar(h, SB_VERT, rowsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
    EnableScrollBar(h, SB_HORZ, colsFit ? ESB_DISABLE_BOTH : ESB_ENABLE_BOTH);
  } else if (Force) {
    if (rowsFit) ShowScrollBar(h, SB_VERT, FALSE);
    if (colsFit) ShowScrollBar(h, SB_HORZ, FALSE);
  }
}

void TNeoStringGrid::RepaintBorder() {
  if (GetParent() && GetParent()->HandleAllocated() && HandleAllocated())
    RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TNeoStringGrid::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  RepaintBorder();
}

void TNeoStringGrid::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  Integer rowHeight = GetDefaultRowHeight();
  if (FIntegralHeight && FUpdateCount == 0 && rowHeight > 0) {
    bool allCols = GetVisibleColCount() + GetFixedCols() >= GetColCount();
    Integer a = allCols ? 0 : GetSystemMetrics(SM_CYHSCROLL);
    Integer b = GetBorderStyle() == bsSingle ? 2 : 0;
    AHeight = AHeight + b - ((AHeight - a - b) % rowHeight);
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  RepaintBorder();
}

// The mouse-wheel driver of systems before Windows 98 and NT 4 needs no branch: the platform
// reports Windows 10, so the wheel message is always WM_MOUSEWHEEL.
void TNeoStringGrid::InitWheelScrollLines(bool UseOldMouse) {
  (void)UseOldMouse;
  FWheelMsg = 0;
  FWheelScrollLines = 0;
  FWheelPan = false;
  FWheelMsg = WM_MOUSEWHEEL;
  UINT lines = 0;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  FWheelScrollLines = lines == WheelPageScroll ? GetVisibleRowCount() : static_cast<Integer>(lines);
}

// ---------------------------------------------------------------------------------------------
// The unit
// ---------------------------------------------------------------------------------------------
void RegisterNeoStringGridUnit() { RegisterUnit(u"NeoGrid", &NeoGridStartUp, &NeoGridShutDown); }
