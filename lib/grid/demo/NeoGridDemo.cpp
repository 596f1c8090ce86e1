// neogrid_demo: a TNeoStringGrid of 1,000 rows (--rows N for more) and 8 columns with a fixed row
// and column, names, numbers and dates, a header merged across three columns, a 2 x 2 merged
// block, the Windows 7 selection, hover and active row, a check box in column 1 and a button in
// column 7 of every visible row, and undo / redo on Ctrl+Z / Ctrl+Y.
//
// --screenshot FILE saves what the screen shows as PNG and exits; --actions a,b,... runs before
// it: "pagedown" (one page down), "resize" (drags the right border of column 2 by 40 pixels),
// "check" (toggles the check box of the first visible row). Without a display it says so and
// exits with 2.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lib/grid/core/NeoCheckBox.h"
#include "lib/grid/core/NeoGridUndoRedo.h"
#include "lib/grid/core/NeoGridUnits.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/WinSystem.h"

namespace {

Integer Rows = 1000;
constexpr Integer Cols = 8;
constexpr Integer CheckCol = 1;
constexpr Integer ButtonCol = 7;
constexpr Integer Widths[Cols] = {50, 50, 120, 80, 90, 90, 100, 80};

const Char* const FirstNames[] = {u"Anna", u"Ben", u"Clara", u"David", u"Eva", u"Felix", u"Greta", u"Hugo"};
const Char* const LastNames[] = {u"Berger", u"Huber", u"Keller", u"Lang", u"Meier", u"Roth", u"Schmid", u"Vogel"};
const Char* const Cities[] = {u"Basel", u"Bern", u"Chur", u"Genf", u"Luzern", u"Thun", u"Zug", u"Zürich"};

String TwoDigits(Integer V) { return (V < 10 ? u"0" : u"") + IntToStr(V); }

// The grid tells the form when the sizes of its columns or rows change, so that the cell controls
// follow.
class TDemoGrid : public TNeoStringGrid {
  ZELK_CLASS(TDemoGrid, TNeoStringGrid)
public:
  using TNeoStringGrid::TNeoStringGrid;
  TNotifyEvent OnSizesChanged;

protected:
  void ColWidthsChanged() override {
    TNeoStringGrid::ColWidthsChanged();
    if (OnSizesChanged) OnSizesChanged(this);
  }
  void RowHeightsChanged() override {
    TNeoStringGrid::RowHeightsChanged();
    if (OnSizesChanged) OnSizesChanged(this);
  }
};

class TDemoForm : public TForm {
  ZELK_CLASS(TDemoForm, TForm)
public:
  explicit TDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"NeoGrid");
    SetBounds(20, 20, 10, 10);
    SetClientWidth(760);
    SetClientHeight(520);
    SetKeyPreview(true);
    Grid = new TDemoGrid(this);
    Grid->SetParent(this);
    Grid->SetAlign(alClient);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows + 1);
    Grid->SetOptions(Grid->GetOptions() + goEditing + goColSizing + goRangeSelect + goThumbTracking);
    Grid->SetSelectionStyle(ssWin7);
    Grid->SetHoverRow(true);
    Grid->SetActiveRowShow(true);
    for (Integer c = 0; c < Cols; ++c) Grid->SetColWidths(c, Widths[c]);
    Fill();
    UndoRedo = new TNeoGridUndoRedo(this);
    Grid->SetUndoRedo(UndoRedo);
    Grid->OnGetEditText = [this](TObject*, Integer ACol, Integer ARow, String& Value) {
      EditOld = Value;
      (void)ACol;
      (void)ARow;
    };
    Grid->OnSetEditText = [this](TObject*, Integer ACol, Integer ARow, const String& Value) {
      UndoRedo->RegisterChange(ACol, ARow, EditOld, Value);
      EditOld = Value;
    };
    Grid->OnTopLeftChanged = [this](TObject*) { PlaceCellControls(); };
    Grid->OnGridResize = [this](TObject*) { PlaceCellControls(); };
    Grid->OnSizesChanged = [this](TObject*) { PlaceCellControls(); };
    OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) {
      if (!Shift.Contains(ssCtrl)) return;
      if (Key == 'Z' && UndoRedo->CanUndo()) UndoRedo->Undo();
      else if (Key == 'Y' && UndoRedo->CanRedo()) UndoRedo->Redo();
      else return;
      Key = 0;
      PlaceCellControls();
    };
    SetActiveControl(Grid);
  }

  // The controls of the visible rows: one check box and one button per row of the view, placed
  // from the cells' rectangles, so a million rows cost no more than a screenful.
  void PlaceCellControls() {
    // Adding a control to the grid realigns it, which comes back here: one placement at a time.
    if (Placing) return;
    Placing = true;
    TScopeGuard done([this] { Placing = false; });
    Integer visible = Grid->GetVisibleRowCount() + 2;
    while (static_cast<Integer>(Checks.size()) < visible) {
      auto* box = new TNeoCheckBox(this);
      box->SetParent(Grid);
      box->OnClick = [this, box](TObject*) {
        Integer row = static_cast<Integer>(box->GetTag());
        String old = Grid->GetCells(CheckCol, row);
        String now = box->GetChecked() ? Grid->GetCheckTrue() : Grid->GetCheckFalse();
        if (old == now) return;
        Grid->SetCells(CheckCol, row, now);
        UndoRedo->RegisterChange(CheckCol, row, old, now);
      };
      Checks.push_back(box);
      auto* button = new TButton(this);
      button->SetParent(Grid);
      button->SetCaption(u"Details");
      button->OnClick = [this, button](TObject*) {
        SetCaption(u"NeoGrid - " + Grid->GetCells(2, static_cast<Integer>(button->GetTag())));
      };
      Buttons.push_back(button);
    }
    for (std::size_t i = 0; i < Checks.size(); ++i) {
      Integer row = Grid->GetTopRow() + static_cast<Integer>(i);
      TRect check = CellInView(CheckCol, row);
      TRect button = CellInView(ButtonCol, row);
      Place(Checks[i], check, row, 16);
      if (Checks[i]->GetVisible()) Checks[i]->SetChecked(Grid->GetCells(CheckCol, row) == Grid->GetCheckTrue());
      Place(Buttons[i], button, row, 0);
    }
  }

  TDemoGrid* Grid = nullptr;
  TNeoGridUndoRedo* UndoRedo = nullptr;
  std::vector<TNeoCheckBox*> Checks;
  std::vector<TButton*> Buttons;
  String EditOld;
  bool Placing = false;

private:
  void Fill() {
    Grid->SetCells(0, 0, u"Nr");
    Grid->SetCells(1, 0, u"Aktiv");
    Grid->SetCells(2, 0, u"Person");
    Grid->MergeCells(2, 0, 3, 1);   // name, number and date under one header
    Grid->SetCells(5, 0, u"Betrag");
    Grid->SetCells(6, 0, u"Ort");
    Grid->SetCells(7, 0, u"Aktion");
    for (Integer r = 1; r <= Rows; ++r) {
      Integer i = r - 1;
      Grid->SetCells(0, r, IntToStr(r));
      Grid->SetCells(CheckCol, r, r % 3 == 1 ? Grid->GetCheckTrue() : Grid->GetCheckFalse());
      Grid->SetCells(2, r, String(FirstNames[i % 8]) + u" " + LastNames[(i / 8) % 8]);
      Grid->SetCells(3, r, IntToStr(static_cast<Integer>((Int64(i) * 7919) % 100000)));
      Grid->SetCells(4, r, TwoDigits(1 + i % 28) + u"." + TwoDigits(1 + (i / 28) % 12) + u"." + IntToStr(2000 + i % 25));
      Grid->SetCells(5, r, IntToStr(static_cast<Integer>((Int64(i) * 104729) % 10000)) + u"." + TwoDigits(i % 100));
      Grid->SetCells(6, r, Cities[(i * 5) % 8]);
    }
    Grid->SetCells(5, 3, u"Block 2 x 2");
    Grid->MergeCells(5, 3, 2, 2);
  }

  // The cell's rectangle, or an empty one when the cell is out of view.
  TRect CellInView(Integer ACol, Integer ARow) {
    if (ARow >= Grid->GetRowCount()) return TRect{};
    TRect view = Grid->TCustomGrid::CellRect(ACol, ARow);
    return view.right > view.left ? Grid->CellRect(ACol, ARow) : TRect{};
  }

  // Centres a control of Size pixels (0: the whole cell less a pixel) in the cell rectangle R;
  // hidden when the cell is out of view.
  static void Place(TControl* C, const TRect& R, Integer Row, Integer Size) {
    if (R.right <= R.left || R.bottom <= R.top) {
      C->SetVisible(false);
      return;
    }
    C->SetTag(Row);
    if (Size > 0) {
      C->SetBounds(R.left + (R.right - R.left - Size) / 2, R.top + (R.bottom - R.top - Size) / 2, Size, Size);
    } else {
      C->SetBounds(R.left + 1, R.top + 1, R.right - R.left - 2, R.bottom - R.top - 2);
    }
    C->SetVisible(true);
  }
};

void Drag(HWND H, POINT From, POINT To) {
  SendMessage(H, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(From.x, From.y));
  SendMessage(H, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((From.x + To.x) / 2, To.y));
  SendMessage(H, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(To.x, To.y));
  SendMessage(H, WM_LBUTTONUP, 0, MAKELPARAM(To.x, To.y));
}

void RunAction(TDemoForm* Form, const std::string& Action) {
  TNeoStringGrid* g = Form->Grid;
  HWND h = g->GetHandle();
  if (Action == "pagedown") {
    SendMessage(h, WM_KEYDOWN, VK_NEXT, 0);
  } else if (Action == "resize") {
    TRect r = g->CellRect(2, 0);
    Drag(h, POINT{r.right - 1, 5}, POINT{r.right + 39, 5});
  } else if (Action == "check") {
    TNeoCheckBox* box = Form->Checks.front();
    box->SetChecked(!box->GetChecked());
    if (box->OnClick) box->OnClick(box);
  } else {
    std::fprintf(stderr, "neogrid_demo: unknown action %s\n", Action.c_str());
    std::exit(1);
  }
  Application->ProcessMessages();
}

}  // namespace

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  std::string screenshot, actions;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--actions") == 0 && i + 1 < argc) actions = argv[++i];
    else if (std::strcmp(argv[i], "--rows") == 0 && i + 1 < argc) Rows = std::max(1, std::atoi(argv[++i]));
  }
  try {
    InitWindowSystem();
  } catch (const EWindowSystem& e) {
    std::fprintf(stderr, "neogrid_demo: no display to show the grid on (%s)\n", UTF8Encode(e.Message).c_str());
    return 2;
  }
  RegisterNeoGridUnits();
  TUnitsScope units;
  Application->SetTitle(u"NeoGrid");
  Application->Initialize();
  TDemoForm* form = nullptr;
  Application->CreateForm(form);
  if (screenshot.empty()) {
    Application->Run();
    return 0;
  }
  form->Show();
  Application->ProcessMessages();
  form->PlaceCellControls();
  Application->ProcessMessages();
  for (std::size_t from = 0; from < actions.size();) {
    std::size_t comma = actions.find(',', from);
    if (comma == std::string::npos) comma = actions.size();
    RunAction(form, actions.substr(from, comma - from));
    from = comma + 1;
  }
  bool ok = SaveScreenshot(screenshot);
  delete form;
  if (!ok) {
    std::fprintf(stderr, "neogrid_demo: cannot save the screenshot to %s\n", screenshot.c_str());
    return 1;
  }
  return 0;
}
