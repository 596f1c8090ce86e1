// A string grid of 1,000,000 rows and 10 columns, filled on start, with row and column headers;
// editing, column sizing and moving, range selection and thumb tracking on. With --screenshot FILE
// it pages down three times, drags column 2 onto column 5, saves what the screen shows as PNG and
// exits, telling on standard output where the view and the moved column ended up; otherwise it
// runs until the form is closed. --rows N fills N rows instead.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/rtl/SysInfo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"
#include "platform/win/WinSystem.h"

namespace {

Integer Rows = 1000000;
constexpr Integer Cols = 10;

class TGridForm : public TForm {
  ZELK_CLASS(TGridForm, TForm)
public:
  explicit TGridForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Tabelle");
    SetBounds(20, 20, 10, 10);
    SetClientWidth(760);
    SetClientHeight(520);
    Grid = new TStringGrid(this);
    Grid->SetParent(this);
    Grid->SetAlign(alClient);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows + 1);
    Grid->SetOptions(Grid->GetOptions() + goEditing + goColSizing + goColMoving + goRangeSelect + goThumbTracking);
    Grid->SetColWidths(0, 80);
    Grid->SetCells(0, 0, u"Zeile");
    for (Integer c = 1; c < Cols; ++c) Grid->SetCells(c, 0, u"Spalte " + IntToStr(c));
    for (Integer r = 1; r <= Rows; ++r) {
      Grid->SetCells(0, r, IntToStr(r));
      for (Integer c = 1; c < Cols; ++c) Grid->SetCells(c, r, IntToStr(r) + u"." + IntToStr(c));
    }
    SetActiveControl(Grid);
  }
  TStringGrid* Grid = nullptr;
};

// Sends a press, a move and a release to a window, at client points.
void Drag(HWND H, POINT From, POINT To) {
  SendMessage(H, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(From.x, From.y));
  SendMessage(H, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((From.x + To.x) / 2, To.y));
  SendMessage(H, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(To.x, To.y));
  SendMessage(H, WM_LBUTTONUP, 0, MAKELPARAM(To.x, To.y));
}

}  // namespace

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  std::string screenshot;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    if (std::strcmp(argv[i], "--rows") == 0 && i + 1 < argc) Rows = std::max(1, std::atoi(argv[++i]));
  }
  Application->SetTitle(u"Tabelle");
  Application->Initialize();
  TGridForm* form = nullptr;
  Application->CreateForm(form);
  if (screenshot.empty()) {
    Application->Run();
    return 0;
  }
  form->Show();
  Application->ProcessMessages();
  HWND h = form->Grid->GetHandle();
  for (int i = 0; i < 3; ++i) SendMessage(h, WM_KEYDOWN, VK_NEXT, 0);
  TRect from = form->Grid->CellRect(2, 0), to = form->Grid->CellRect(5, 0);
  Drag(h, POINT{from.left + 10, 5}, POINT{to.left + 10, 5});
  Application->ProcessMessages();
  bool ok = SaveScreenshot(screenshot);
  std::printf("top row %d, row %d, column 5 \"%s\"\n", form->Grid->GetTopRow(), form->Grid->GetRow(),
              UTF8Encode(form->Grid->GetCells(5, 0)).c_str());
  delete form;
  if (!ok) {
    std::fprintf(stderr, "grid-demo: cannot save the screenshot to %s\n", screenshot.c_str());
    return 1;
  }
  return 0;
}
