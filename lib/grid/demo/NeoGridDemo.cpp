// neogrid_demo: a TNeoStringGrid of 100,000 rows (--rows N for another count) and 12 columns with
// a fixed row and column; the texts of the normal cells are computed when shown, only edited cells
// are stored. A header merged across three columns, a 2 x 2 merged block, the Windows 7 selection,
// hover and active row, the focus glow around a cell being edited, a check box in column 1 and a
// button in column 7 of every visible row, and undo / redo on Ctrl+Z / Ctrl+Y. Ctrl+click selects
// rows apart, a header click selects its column, header borders size and headers drag columns. The
// wheel scrolls, Ctrl+wheel zooms, the middle button pans.
//
// --screenshot FILE saves what the screen shows as PNG and exits; --actions a,b,... runs before it
// (arguments after colons, points in the grid's client pixels, cells as column:row):
//   wheel:N, ctrl-wheel:N      N notches (negative: towards the user, down / zoom out)
//   key:NAME                   a key with optional modifiers, e.g. key:pagedown, key:ctrl+end
//   click:C:R, shift-click:C:R, ctrl-click:C:R   a left click in the middle of cell (C, R)
//   click-at:X:Y               a left click at a point, also outside the cells (the scroll bars)
//   drag:X1:Y1:X2:Y2           the left button from one point to the other
//   header-drag:C:DX           the right border of column C in the header row DX pixels on
//   middle-drag:X1:Y1:X2:Y2:T  a middle press, the pointer moved, T pan steps, a middle press again
//   pagedown, resize, check    a page down; column 2's border 40 pixels on; the first row's box
// --report prints the grid's state after the actions: TopRow, Row, Col, LeftCol, Zoom, RowHeight,
// ColWidths, Headers, CellRect (the current cell's, client pixels), ClientSize, Selection,
// RowSelected. Without a display it says so and exits with 2.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
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
#include "platform/win/Headless.h"
#include "platform/win/WinSystem.h"

namespace {

Integer Rows = 100000;
constexpr Integer Cols = 12;
constexpr Integer CheckCol = 1;
constexpr Integer ButtonCol = 7;
constexpr Integer Widths[Cols] = {50, 50, 120, 80, 90, 90, 100, 80, 90, 110, 80, 140};
const Char* const Headers[Cols] = {u"Nr",    u"Aktiv",  u"Person", u"", u"", u"Betrag",
                                   u"Ort",   u"Aktion", u"Land",   u"Telefon", u"Status", u"Notiz"};

const Char* const FirstNames[] = {u"Anna", u"Ben", u"Clara", u"David", u"Eva", u"Felix", u"Greta", u"Hugo"};
const Char* const LastNames[] = {u"Berger", u"Huber", u"Keller", u"Lang", u"Meier", u"Roth", u"Schmid", u"Vogel"};
const Char* const Cities[] = {u"Basel", u"Bern", u"Chur", u"Genf", u"Luzern", u"Thun", u"Zug", u"Zürich"};
const Char* const Countries[] = {u"CH", u"DE", u"AT", u"FR", u"IT"};
const Char* const States[] = {u"offen", u"bezahlt", u"gemahnt"};

String TwoDigits(Integer V) { return (V < 10 ? u"0" : u"") + IntToStr(V); }

// The text of data column ACol in data row R (1 = the first), computed from the row number.
String ComputedText(Integer ACol, Integer R) {
  Integer i = R - 1;
  switch (ACol) {
    case 0: return IntToStr(R);
    case CheckCol: return R % 3 == 1 ? u"Y" : u"N";
    case 2: return String(FirstNames[i % 8]) + u" " + LastNames[(i / 8) % 8];
    case 3: return IntToStr(static_cast<Integer>((Int64(i) * 7919) % 100000));
    case 4: return TwoDigits(1 + i % 28) + u"." + TwoDigits(1 + (i / 28) % 12) + u"." + IntToStr(2000 + i % 25);
    case 5: return IntToStr(static_cast<Integer>((Int64(i) * 104729) % 10000)) + u"." + TwoDigits(i % 100);
    case 6: return Cities[(i * 5) % 8];
    case 8: return Countries[i % 5];
    case 9: return u"+41 " + IntToStr(20 + i % 70) + u" " + IntToStr(100 + (i * 37) % 900) + u" " + TwoDigits(i % 100);
    case 10: return States[(i / 7) % 3];
    case 11: return u"Zeile " + IntToStr(R);
    default: return String();
  }
}

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
    for (Integer c = 0; c < Cols; ++c) Order.push_back(c);
    Grid->SetRowCount(Rows + 1);
    Grid->SetOptions(Grid->GetOptions() + goEditing + goColSizing + goColMoving + goRangeSelect + goThumbTracking);
    // Ctrl+click selects rows apart, a click on a column's header selects the column.
    Grid->GetMouseActions()->SetDisjunctRowSelect(true);
    Grid->GetMouseActions()->SetColSelect(true);
    Grid->SetSelectionStyle(ssWin7);
    Grid->SetHoverRow(true);
    Grid->SetActiveRowShow(true);
    Grid->GetFocusHelper()->SetEnabled(true);
    for (Integer c = 0; c < Cols; ++c) Grid->SetColWidths(c, Widths[c]);
    Fill();
    // Stored texts (the headers, the block, what was edited) win; the rest is computed.
    Grid->OnGetDisplText = [this](TObject*, Integer ACol, Integer ARow, String& Value) {
      if (Value.empty() && ARow >= Grid->GetFixedRows()) Value = ComputedText(DataCol(ACol), ARow);
    };
    UndoRedo = new TNeoGridUndoRedo(this);
    Grid->SetUndoRedo(UndoRedo);
    // The editor starts from the text the cell shows.
    Grid->OnGetEditText = [this](TObject*, Integer ACol, Integer ARow, String& Value) {
      if (Value.empty() && ARow >= Grid->GetFixedRows()) Value = ComputedText(DataCol(ACol), ARow);
      EditOld = Value;
    };
    Grid->OnSetEditText = [this](TObject*, Integer ACol, Integer ARow, const String& Value) {
      UndoRedo->RegisterChange(ACol, ARow, EditOld, Value);
      EditOld = Value;
    };
    Grid->OnTopLeftChanged = [this](TObject*) { PlaceCellControls(); };
    Grid->OnGridResize = [this](TObject*) { PlaceCellControls(); };
    Grid->OnSizesChanged = [this](TObject*) { PlaceCellControls(); };
    // A dragged column takes its stored cells along (the grid moves them); the computed texts and
    // the cell controls follow through the column order.
    Grid->OnColumnMoved = [this](TObject*, Integer FromIndex, Integer ToIndex) {
      Integer data = Order[static_cast<std::size_t>(FromIndex)];
      Order.erase(Order.begin() + FromIndex);
      Order.insert(Order.begin() + ToIndex, data);
      PlaceCellControls();
    };
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

  // The check column's text of a row: what was stored, else the computed one.
  String CheckText(Integer ARow) {
    String stored = Grid->GetCells(DisplayCol(CheckCol), ARow);
    return stored.empty() ? ComputedText(CheckCol, ARow) : stored;
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
        String old = CheckText(row);
        String now = box->GetChecked() ? Grid->GetCheckTrue() : Grid->GetCheckFalse();
        if (old == now) return;
        Grid->SetCells(DisplayCol(CheckCol), row, now);
        UndoRedo->RegisterChange(DisplayCol(CheckCol), row, old, now);
      };
      Checks.push_back(box);
      auto* button = new TButton(this);
      button->SetParent(Grid);
      button->SetCaption(u"Details");
      button->OnClick = [this, button](TObject*) {
        SetCaption(u"NeoGrid - " + Grid->GetCellEx(DisplayCol(2), static_cast<Integer>(button->GetTag())));
      };
      Buttons.push_back(button);
    }
    for (std::size_t i = 0; i < Checks.size(); ++i) {
      Integer row = Grid->GetTopRow() + static_cast<Integer>(i);
      TRect check = CellInView(DisplayCol(CheckCol), row);
      TRect button = CellInView(DisplayCol(ButtonCol), row);
      Place(Checks[i], check, row, 16);
      if (Checks[i]->GetVisible()) Checks[i]->SetChecked(CheckText(row) == Grid->GetCheckTrue());
      Place(Buttons[i], button, row, 0);
    }
  }

  // The data column shown in each column of the grid, and the other way round.
  Integer DataCol(Integer ACol) const { return Order[static_cast<std::size_t>(ACol)]; }
  Integer DisplayCol(Integer Data) const {
    return static_cast<Integer>(std::find(Order.begin(), Order.end(), Data) - Order.begin());
  }

  TDemoGrid* Grid = nullptr;
  TNeoGridUndoRedo* UndoRedo = nullptr;
  std::vector<Integer> Order;
  std::vector<TNeoCheckBox*> Checks;
  std::vector<TButton*> Buttons;
  String EditOld;
  bool Placing = false;

private:
  void Fill() {
    for (Integer c = 0; c < Cols; ++c)
      if (Headers[c][0]) Grid->SetCells(c, 0, Headers[c]);
    Grid->MergeCells(2, 0, 3, 1);   // name, number and date under one header
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

// ---------------------------------------------------------------------------------------------
// Actions: input as the devices deliver it (the message queue turns it into WM_* messages with
// screen points for the wheel and the key state for Shift and Ctrl).
// ---------------------------------------------------------------------------------------------
[[noreturn]] void BadAction(const std::string& Action) {
  std::fprintf(stderr, "neogrid_demo: unknown or malformed action %s\n", Action.c_str());
  std::exit(1);
}

std::vector<std::string> Split(const std::string& Text, char Sep) {
  std::vector<std::string> parts;
  for (std::size_t from = 0;;) {
    std::size_t at = Text.find(Sep, from);
    parts.push_back(Text.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return parts;
    from = at + 1;
  }
}

Integer Number(const std::string& Text, const std::string& Action) {
  char* end = nullptr;
  long v = std::strtol(Text.c_str(), &end, 10);
  if (Text.empty() || *end || v < -1000000000L || v > 1000000000L) BadAction(Action);
  return static_cast<Integer>(v);
}

UINT KeyCode(const std::string& Name, const std::string& Action) {
  static const std::pair<const char*, UINT> keys[] = {
      {"pagedown", VK_NEXT}, {"pageup", VK_PRIOR}, {"home", VK_HOME}, {"end", VK_END},     {"up", VK_UP},
      {"down", VK_DOWN},     {"left", VK_LEFT},    {"right", VK_RIGHT}, {"tab", VK_TAB},   {"enter", VK_RETURN},
      {"escape", VK_ESCAPE}, {"space", VK_SPACE},  {"f2", VK_F2},       {"delete", VK_DELETE}};
  for (auto [name, vk] : keys)
    if (Name == name) return vk;
  if (Name.size() == 1 && std::isalnum(static_cast<unsigned char>(Name[0])))
    return static_cast<UINT>(std::toupper(static_cast<unsigned char>(Name[0])));
  BadAction(Action);
}

class TActionRunner {
public:
  explicit TActionRunner(TDemoForm* AForm) : Form(AForm), G(AForm->Grid) {}

  void Run(const std::string& Action) {
    std::vector<std::string> a = Split(Action, ':');
    const std::string& verb = a[0];
    auto arg = [&](std::size_t I) { return I < a.size() ? Number(a[I], Action) : (BadAction(Action), 0); };
    auto need = [&](std::size_t N) {
      if (a.size() != N + 1) BadAction(Action);
    };
    if (verb == "wheel" || verb == "ctrl-wheel") {
      need(1);
      WithModifier(verb == "ctrl-wheel" ? VK_CONTROL : 0, [&] { Wheel(arg(1)); });
    } else if (verb == "key") {
      need(1);
      Key(a[1], Action);
    } else if (verb == "click" || verb == "shift-click" || verb == "ctrl-click") {
      need(2);
      UINT modifier = verb == "shift-click" ? VK_SHIFT : verb == "ctrl-click" ? VK_CONTROL : 0;
      TRect r = G->CellRect(arg(1), arg(2));
      if (r.right <= r.left) BadAction(Action + " (cell out of view)");
      WithModifier(modifier, [&] { Click(1, (r.left + r.right) / 2, (r.top + r.bottom) / 2); });
    } else if (verb == "click-at") {
      need(2);
      Click(1, arg(1), arg(2));
    } else if (verb == "drag") {
      need(4);
      Drag(TPoint{arg(1), arg(2)}, TPoint{arg(3), arg(4)});
    } else if (verb == "header-drag") {
      need(2);
      TRect r = G->CellRect(arg(1), 0);
      if (r.right <= r.left) BadAction(Action + " (column out of view)");
      Drag(TPoint{r.right - 1, r.bottom / 2}, TPoint{r.right - 1 + arg(2), r.bottom / 2});
    } else if (verb == "middle-drag") {
      need(5);
      MiddleDrag(TPoint{arg(1), arg(2)}, TPoint{arg(3), arg(4)}, arg(5));
    } else if (verb == "pagedown") {
      Key("pagedown", Action);
    } else if (verb == "resize") {
      Run("header-drag:2:40");
    } else if (verb == "check") {
      TNeoCheckBox* box = Form->Checks.front();
      box->SetChecked(!box->GetChecked());
      if (box->OnClick) box->OnClick(box);
    } else {
      BadAction(Action);
    }
    Pump();
  }

private:
  static void Pump() { Application->ProcessMessages(); }
  TPoint Screen(TPoint P) { return G->ClientToScreen(P); }
  template <class F>
  void WithModifier(UINT Vk, F Body) {
    if (Vk) Headless::KeyDown(Vk);
    Body();
    if (Vk) Headless::KeyUp(Vk);
    Pump();
  }
  void Wheel(Integer Notches) {
    TPoint p = Screen(TPoint{G->GetClientWidth() / 2, G->GetClientHeight() / 2});
    for (Integer i = 0; i < std::abs(Notches); ++i) {
      Headless::Wheel(p.x, p.y, Notches < 0 ? -1 : 1);
      Pump();
    }
  }
  void Key(const std::string& Spec, const std::string& Action) {
    std::vector<std::string> parts = Split(Spec, '+');
    std::vector<UINT> modifiers;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      if (parts[i] == "ctrl") modifiers.push_back(VK_CONTROL);
      else if (parts[i] == "shift") modifiers.push_back(VK_SHIFT);
      else if (parts[i] == "alt") modifiers.push_back(VK_MENU);
      else BadAction(Action);
    }
    UINT vk = KeyCode(parts.back(), Action);
    for (UINT m : modifiers) Headless::KeyDown(m);
    Headless::KeyPress(vk);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) Headless::KeyUp(*it);
    Pump();
  }
  void Click(int Button, Integer X, Integer Y) {
    TPoint p = Screen(TPoint{X, Y});
    Headless::Click(p.x, p.y, Button);
    Pump();
  }
  void Drag(TPoint From, TPoint To) {
    TPoint a = Screen(From), b = Screen(To);
    Headless::MouseMove(a.x, a.y);
    Headless::ButtonDown(1, a.x, a.y);
    Pump();
    Headless::MouseMove((a.x + b.x) / 2, (a.y + b.y) / 2);
    Pump();
    Headless::MouseMove(b.x, b.y);
    Pump();
    Headless::ButtonUp(1, b.x, b.y);
    Pump();
  }
  // The pan steps come from the grid's 10 ms timer: the clock is moved on (headless) or waited
  // for (a real display).
  void MiddleDrag(TPoint From, TPoint To, Integer Steps) {
    Click(2, From.x, From.y);
    TPoint b = Screen(To);
    Headless::MouseMove(b.x, b.y);
    Pump();
    for (Integer i = 0; i < Steps; ++i) {
      Headless::AdvanceClock(10);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      Pump();
    }
    Click(2, To.x, To.y);
  }

  TDemoForm* Form;
  TNeoStringGrid* G;
};

void Report(TNeoStringGrid* G) {
  std::printf("TopRow=%d Row=%d Col=%d LeftCol=%d Zoom=%d RowHeight=%d ColWidths=", G->GetTopRow(), G->GetRow(),
              G->GetCol(), G->GetLeftCol(), G->GetZoomFactor(), G->GetRowHeights(G->GetRow()));
  for (Integer c = 0; c < G->GetColCount(); ++c) std::printf(c ? ",%d" : "%d", G->GetColWidths(c));
  TGridRect s = G->GetSelection();
  std::printf(" Headers=");
  for (Integer c = 0; c < G->GetColCount(); ++c) std::printf(c ? ",%s" : "%s", UTF8Encode(G->GetCells(c, 0)).c_str());
  TRect cell = G->CellRect(G->GetCol(), G->GetRow());
  std::printf(" CellRect=%d,%d,%d,%d ClientSize=%d,%d", cell.left, cell.top, cell.right, cell.bottom,
              G->GetClientWidth(), G->GetClientHeight());
  std::printf(" Selection=%d,%d,%d,%d RowSelected=", s.Left, s.Top, s.Right, s.Bottom);
  bool first = true;
  // The selected rows as the grid's list keeps them: no walk over the rows.
  for (Integer i = 0; i < G->GetSelectedRowListCount(); ++i) {
    Integer r = G->GetSelectedRowListItem(i);
    if (!G->GetRowSelect(r)) continue;
    std::printf(first ? "%d" : ",%d", r);
    first = false;
  }
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  std::string screenshot, actions;
  bool report = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--actions") == 0 && i + 1 < argc) actions = argv[++i];
    else if (std::strcmp(argv[i], "--rows") == 0 && i + 1 < argc) Rows = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--report") == 0) report = true;
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
  if (screenshot.empty() && actions.empty()) {
    Application->Run();
    return 0;
  }
  form->Show();
  Application->ProcessMessages();
  form->PlaceCellControls();
  Application->ProcessMessages();
  TActionRunner runner(form);
  if (!actions.empty())
    for (const std::string& action : Split(actions, ',')) runner.Run(action);
  if (report) Report(form->Grid);
  bool ok = screenshot.empty() || SaveScreenshot(screenshot);
  delete form;
  if (!ok) {
    std::fprintf(stderr, "neogrid_demo: cannot save the screenshot to %s\n", screenshot.c_str());
    return 1;
  }
  return 0;
}
