// TNeoStringGrid: construction with every default, destruction, and the focus window.
#include "lib/grid/core/NeoStringGrid.h"

#include <algorithm>

#include "lib/base/NeoStyleIF.h"
#include "lib/grid/core/NeoGridAlphaMask.h"
#include "lib/grid/core/NeoGridGlyphs.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Threads.h"
#include "platform/win/ComCtl32.h"
#include "platform/win/WinUser.h"

// ---------------------------------------------------------------------------------------------
// TGridFocusWindow
// ---------------------------------------------------------------------------------------------
TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetWidth(0);
  SetHeight(0);
  SetColor(0x0000FF);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_DISABLED;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

// ---------------------------------------------------------------------------------------------
// THoverButtonForm
// ---------------------------------------------------------------------------------------------
THoverButtonForm::THoverButtonForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  SetBounds(0, 0, 200, 22);
  SetVisible(false);
}

void THoverButtonForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
}

// ---------------------------------------------------------------------------------------------
// Construction
// ---------------------------------------------------------------------------------------------
namespace {

bool OwnerStreaming(TComponent* AOwner) {
  if (!AOwner) return false;
  TComponentState s = AOwner->GetComponentState();
  return s.Contains(csReading) || s.Contains(csLoading);
}

}  // namespace

TNeoStringGrid::TNeoStringGrid(TComponent* AOwner) : TBaseGrid(AOwner) {
  RegisterNeoGridShared();
  RegisterComCtl32Module();
  FDesignTime = GetComponentState().Contains(csDesigning) && !OwnerStreaming(AOwner);
  CreateOptionGroups();
  CreateLists();
  SetDefaults();
  if (!GetComponentState().Contains(csDesigning)) CreateRunTimeControls();
}

void TNeoStringGrid::CreateOptionGroups() {
  auto invalidate = [this](TObject*) { Invalidate(); };
  FFocusHelper = std::make_unique<TFocusHelper>();
  FSearchFooter = std::make_unique<TSearchFooter>(GetComponentState().Contains(csDesigning));
  FSearchFooter->OnChange = [this](TObject*) {
    if (!FSearchPanel || !HandleAllocated()) return;
    FSearchPanel->SetVisible(FSearchFooter->GetVisible());
    FSearchPanel->SetHeight(FSearchFooter->GetVisible() ? GetSearchFooterHeight() : 0);
    UpdateSearchPanel();
  };
  FNavigation = std::make_unique<TNavigation>();
  FColumnSize = std::make_unique<TColumnSize>(this);
  FBands = std::make_unique<TBands>();
  FBands->OnChange = invalidate;
  FMouseActions = std::make_unique<TMouseActions>();
  FMouseActions->OnChange = invalidate;
  FMouseActions->OnInvalidate = invalidate;
  FMouseActions->OnIsDesigning = [this](TObject*) { return GetComponentState().Contains(csDesigning); };
  FSyncGrid = std::make_unique<TSyncGrid>(this);
  FOfficeHint = std::make_unique<TNeoHintInfo>();

  FFixedFont = std::make_unique<TFont>();
  FFixedFont->SetName(u"Tahoma");
  FFixedFont->SetStyle(TFontStyles{fsBold});
  FFixedFont->OnChange = invalidate;
  FActiveCellFont = std::make_unique<TFont>();
  FActiveCellFont->SetStyle(TFontStyles{fsBold});
  if (FDesignTime) FActiveCellFont->SetName(u"Tahoma");
  FActiveCellFont->OnChange = invalidate;
  FScratchFont = std::make_unique<TFont>();
}

void TNeoStringGrid::CreateLists() {
  FColumnHeaders = std::make_unique<TStringList>();
  FColumnHeaders->OnChange = [this](TObject*) { Invalidate(); };
  FRowHeaders = std::make_unique<TStringList>();
  FRowHeaders->OnChange = [this](TObject*) { Invalidate(); };
  FSortlist = std::make_unique<TStringList>();
  FLookupItems = std::make_unique<TStringList>();
  FFilterList = std::make_unique<TStringList>();
  FFilterList->SetSorted(true);
  FFilterList->SetDuplicates(dupIgnore);
  FControlList = std::make_unique<TNeoControlList>();
  auto intList = [](Integer Col, Integer Row) { return std::make_unique<TIntList>(Col, Row); };
  FCacheRowHeights = intList(0, 0);
  FOrigColSizes = intList(0, 0);
  FSuppressColSizes = intList(0, 0);
  FSuppressRowSizes = intList(0, 0);
  FIgnoreColumns = intList(-1, -1);
  FSortIndexes = std::make_unique<TSortIndexList>(0, 0);
  FSortRowXRef = intList(0, 0);
  FUnSortRowXRef = intList(0, 0);
  FMergedColumns = intList(0, 0);
  FMergedColumns->OnChange = [this](TObject*, Integer, Integer) { Invalidate(); };
  FSelectedRows = intList(0, 0);
  FModifiedRows = intList(0, 0);
  FEnabledRows = intList(0, 0);
  FColumnOrder = intList(0, 0);
  FRowIndicator = std::make_unique<TBitmap>();
  RegisterNeoGridGlyphResources();
  FFltrList = std::make_unique<TImageList>(nullptr);
  for (const Char* name : NeoGridFilterGlyphs) {
    TBitmap glyph;
    glyph.LoadFromResourceName(nullptr, name);
    FFltrList->AddMasked(&glyph, clWhite);
  }
}

void TNeoStringGrid::SetDefaults() {
  // sizes
  SetRowCount(10);
  FMaxColCount = GetColCount();
  SetWidth(400);
  SetHeight(250);
  SetDefaultRowHeight(22);
  FFixedRowHeight = GetDefaultRowHeight();
  FScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  TCustomControl::SetAutoSize(false);
  // look
  FNeoGradTo = ColorToRGB(clBtnFace);
  FBorderColor = IsWindowsXPOrNewer() ? TColor(0xB99D7F) : TColor(0x808080);
  // text: the filter drop-down's check texts only at design time
  if (FDesignTime) {
    FFilterDropDownCheckTrue = u"Checked";
    FFilterDropDownCheckFalse = u"Unchecked";
  }
  FVisibleCol.assign(static_cast<std::size_t>(GetColCount()), true);
  FAllColWidths.assign(static_cast<std::size_t>(GetColCount()), GetDefaultColWidth());
  // platform
  FIsWinXP = IsWindowsXPOrNewer();
  FIsWin7 = WindowsVersionClass() >= 1;
  FIsComCtl6 = ComCtlV6Available();
  FIsWinVista = HasLocaleInfoEx();
  FOldCursor = GetCursor();
}

void TNeoStringGrid::CreateRunTimeControls() {
  FFocusWindow = new TGridFocusWindow(this);
  for (TScrollBar** bar : {&FScrollBar, &FPaintScrollBar}) {
    *bar = new TScrollBar(this);
    (*bar)->SetVisible(false);
  }
  FButtonForm = new THoverButtonForm(this);

  FFooterPanel = CreateFooterPanel();
  FSearchPanel = new TPanel(this);
  FSearchPanel->SetDoubleBuffered(true);
  FFooterPanel->SetAlign(alBottom);
  for (TPanel* p : {FFooterPanel, FSearchPanel}) {
    p->SetHeight(0);
    p->SetBorderWidth(0);
    p->SetBevelOuter(bvNone);
    p->SetVisible(false);
  }
}

TPanel* TNeoStringGrid::CreateFooterPanel() { return new TPanel(this); }

// ---------------------------------------------------------------------------------------------
// Destruction
// ---------------------------------------------------------------------------------------------
TNeoStringGrid::~TNeoStringGrid() {
  // Hidden columns come back first, so that the cell rectangle cleared below reaches them.
  if (FColumnSize->GetSave()) SaveColSizes();
  UnHideColumnsAll();
  StopDragTimer();
  BalloonDone();
  FGridDestroying = true;
  if (FocusWindowGrid() == this) HideFocusWindow();
  // Bring every row and column back and release every cell's object: the store keeps the cells of
  // cut rows, so the counts grow back to the largest the grid ever had first.
  FClearTextOnly = false;
  FSaveHiddenCells = false;
  if (!HasHiddenRows() && !HasNodes()) {
    if (FMaxRowCount > GetRowCount()) TCustomGrid::SetRowCount(FMaxRowCount);
    if (FMaxColCount > GetColCount()) TCustomGrid::SetColCount(FMaxColCount);
  }
  if (GetRowCount() > 0 && GetColCount() > 0 && FHasCellProps)
    ClearRect(0, 0, GetColCount() - 1, GetRowCount() - 1);
  if (HandleAllocated()) KillTimer(GetHandle(), 111);
  SetCursor(FOldCursor);
}

// The fixed rows and columns, the fixed right columns, the footer rows, and what OnIsFixedCell
// declares fixed.
bool TNeoStringGrid::IsFixed(Integer ACol, Integer ARow) {
  bool fixed = ACol >= GetColCount() - FFixedRightCols || ARow >= GetRowCount() - FFixedFooters;
  DoIsFixedCell(ACol, ARow, fixed);
  return fixed;
}

// No node or summary rows and no check boxes until the cell graphics exist.
bool TNeoStringGrid::IsNode(Integer ARow) {
  (void)ARow;
  return false;
}

bool TNeoStringGrid::IsSummary(Integer ARow) {
  (void)ARow;
  return false;
}

bool TNeoStringGrid::CellHasCheckBox(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return false;
}

void TNeoStringGrid::SetCheckBoxFromText(Integer ACol, Integer ARow, const String& Value) {
  (void)ACol;
  (void)ARow;
  (void)Value;
}

Integer TNeoStringGrid::GetSearchFooterHeight() { return 0; }

void TNeoStringGrid::DoCellsChanged(TRect R) {
  // A copy: a notifier may unregister itself while it is told.
  std::vector<TGridChangeNotifier*> notifiers = FNotifierList;
  for (TGridChangeNotifier* n : notifiers) n->CellsChanged(R);
  if (OnCellsChanged) OnCellsChanged(this, R);
}

// ---------------------------------------------------------------------------------------------
// Cells
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2) {
  for (Integer r = ARow1; r <= ARow2; ++r) {
    for (Integer c = ACol1; c <= ACol2; ++c) {
      Integer rc = FSaveHiddenCells ? DisplToRealCol(c) : c;
      if (FNilObjects) {
        SetGridObject(rc, r, nullptr);   // moved elsewhere, not freed
      } else {
        if (FOwnsObjects && GetObjectEx(rc, r) != 0) {
          delete reinterpret_cast<TObject*>(GetObjectEx(rc, r));
          SetObjectEx(rc, r, 0);
        }
        if (!FClearTextOnly && GetGridObject(rc, r)) FreeCellProperties(rc, r);
      }
      if (!FGridDestroying && !CellView(rc, r).empty()) {
        SetCells(rc, r, String());
        if (rc != c) RepaintCell(c, r);
      }
    }
  }
  if (!FSaveHiddenCells && NumHiddenColumns() > 0) Invalidate();
  if (ACol1 == 0 && ARow1 == 0 && ACol2 >= GetColCount() - 1 && ARow2 >= GetRowCount() - 1) FHasCellProps = false;
  if (!FGridDestroying) DoCellsChanged(TRect{DisplToRealCol(ACol1), ARow1, DisplToRealCol(ACol2), ARow2});
}

// ---------------------------------------------------------------------------------------------
// The focus frame
// ---------------------------------------------------------------------------------------------
namespace {
TNeoStringGrid* GFocusGrid = nullptr;
}

TNeoStringGrid* TNeoStringGrid::FocusWindowGrid() { return GFocusGrid; }

TRect TNeoStringGrid::FocusFrameRect(TRect R) {
  TPoint p = ClientToScreen(TPoint{R.left, R.top});
  return TRect{p.x - 4, p.y - 4, p.x - 4 + (R.right - R.left) + 9, p.y - 4 + (R.bottom - R.top) + 9};
}

void ApplyAlphaMaskToWindow(HWND Window, TGridAlphaMask* Mask) {
  if (!Mask || Mask->GetEmpty()) return;
  SetWindowLong(Window, GWL_EXSTYLE, GetWindowLong(Window, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_LAYERED));
  SetWindowPos(Window, nullptr, 0, 0, Mask->GetWidth(), Mask->GetHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SIZE size{Mask->GetWidth(), Mask->GetHeight()};
  POINT from{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Mask->GetOpacity(), AC_SRC_ALPHA};
  DynUpdateLayeredWindow(Window, nullptr, nullptr, &size, Mask->GetCanvas()->GetHandle(), &from, 0, &blend, ULW_ALPHA);
}

// The glow: a blurred white rounded rectangle as the alpha of the glow colour, shown through the
// window's layered picture; the window's region leaves the cell itself out.
void TNeoStringGrid::ShowFocusWindow(TRect R) {
  if (!FFocusWindow) return;
  constexpr TColor GlowColor = 0xFDD397;
  const Integer cw = R.right - R.left, ch = R.bottom - R.top, w = cw + 9, h = ch + 9;
  HWND window = FFocusWindow->GetHandle();
  ShowWindow(window, SW_HIDE);
  SetWindowPos(window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  TBitmap shape;
  MakeRoundRectMask(&shape, w, h, 4, 5, 3.0);
  TBitmap colour;
  colour.SetPixelFormat(pf24bit);
  colour.SetSize(w, h);
  colour.GetCanvas()->GetBrush()->SetColor(GlowColor);
  colour.GetCanvas()->FillRect(TRect{0, 0, w, h});
  TGridAlphaMask mask;
  mask.MergeMask(&shape, &colour, GlowColor);
  mask.SetOpacity(230);
  ApplyAlphaMaskToWindow(window, &mask);
  HRGN frame = CreateRectRgn(0, 0, w, h);
  HRGN cell = CreateRectRgn(4, 4, 4 + cw, 4 + ch);
  CombineRgn(frame, frame, cell, RGN_DIFF);
  DeleteObject(cell);
  SetWindowRgn(window, frame, TRUE);   // the window owns the region from here on
  TRect f = FocusFrameRect(R);
  SetWindowPos(window, HWND_TOPMOST, f.left, f.top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  FFocusShown = true;
  GFocusGrid = this;
}

void TNeoStringGrid::HideFocusWindow() {
  if (FFocusWindow && FFocusWindow->HandleAllocated()) ShowWindow(FFocusWindow->GetHandle(), SW_HIDE);
  FFocusShown = false;
  if (GFocusGrid == this) GFocusGrid = nullptr;
}

void TNeoStringGrid::PlaceFocusWindow() {
  if (!FFocusShown || !FFocusWindow || !HandleAllocated()) return;
  TRect view = TCustomGrid::CellRect(GetCol(), GetRow());   // empty while out of view
  TRect r = CellRect(GetCol(), GetRow());
  if (view.right <= view.left || view.bottom <= view.top) {
    ShowWindow(FFocusWindow->GetHandle(), SW_HIDE);
    return;
  }
  TRect f = FocusFrameRect(r);
  SetWindowPos(FFocusWindow->GetHandle(), nullptr, f.left, f.top, f.right - f.left, f.bottom - f.top,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

// ---------------------------------------------------------------------------------------------
// Unit routines
// ---------------------------------------------------------------------------------------------
TGridRect GridRectOf(Integer Left, Integer Top, Integer Right, Integer Bottom) {
  return TGridRect{Left, Top, Right, Bottom};
}

void SetWindowTransparentStyle(HWND Handle) {
  SetWindowLong(Handle, GWL_EXSTYLE, GetWindowLong(Handle, GWL_EXSTYLE) | static_cast<LONG>(WS_EX_TRANSPARENT));
}

namespace {

HHOOK GHook = nullptr;
bool GPlacing = false;

LRESULT NeoGridCallWndProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && LParam && !GPlacing) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(LParam);
    if ((msg->message == WM_WINDOWPOSCHANGING || msg->message == WM_WINDOWPOSCHANGED) && GFocusGrid) {
      // Placing the focus window moves a window too: no second placement from inside the first.
      GPlacing = true;
      TScopeGuard reset([] { GPlacing = false; });
      GFocusGrid->PlaceFocusWindow();
    }
  }
  return CallNextHookEx(GHook, Code, WParam, LParam);
}

}  // namespace

void InstallNeoGridHook() {
  if (!GHook) GHook = SetWindowsHookEx(WH_CALLWNDPROC, NeoGridCallWndProc, nullptr, GetCurrentThreadId());
}

void RemoveNeoGridHook() {
  if (GHook) UnhookWindowsHookEx(GHook);
  GHook = nullptr;
}
