// The FLTK peer of the grid benchmark (see GridBenchFltk.h).
#include "GridBenchFltk.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Table.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstdlib>

namespace fltkpeer {

namespace {

long long Drawn = 0;

class TTable : public Fl_Table {
public:
  TTable(const std::vector<std::string>* Texts, int Rows, int Cols, int Width, int Height, int RowHeight, int ColWidth)
      : Fl_Table(0, 0, Width, Height), FTexts(Texts), FCols(Cols) {
    rows(Rows);
    cols(Cols);
    row_height_all(RowHeight);
    col_width_all(ColWidth);
    end();
  }

protected:
  void draw_cell(TableContext Context, int R, int C, int X, int Y, int W, int H) override {
    if (Context != CONTEXT_CELL) return;
    ++Drawn;
    fl_push_clip(X, Y, W, H);
    fl_color(FL_WHITE);
    fl_rectf(X, Y, W, H);
    fl_color(FL_BLACK);
    fl_draw((*FTexts)[static_cast<std::size_t>(R * FCols + C)].c_str(), X + 2, Y + H - 6);
    fl_color(FL_LIGHT2);
    fl_rect(X, Y, W, H);
    fl_pop_clip();
  }

private:
  const std::vector<std::string>* FTexts;
  int FCols;
};

}  // namespace

struct TView {
  Fl_Double_Window* Window = nullptr;
  TTable* Table = nullptr;
};

long long CellsDrawn() { return Drawn; }

bool HasDisplay() {
  static int open = -1;
  if (open < 0) open = std::getenv("DISPLAY") && Fl::screen_count() > 0 ? 1 : 0;
  return open == 1;
}

TView* NewView(const std::vector<std::string>* Texts, int Rows, int Cols, int Width, int Height, int RowHeight,
               int ColWidth) {
  auto* v = new TView;
  v->Window = new Fl_Double_Window(Width, Height);
  v->Table = new TTable(Texts, Rows, Cols, Width, Height, RowHeight, ColWidth);
  v->Window->end();
  v->Window->show();
  // Until the server has mapped it and the first paint came through.
  for (int i = 0; i < 100 && Drawn == 0; ++i) Fl::wait(0.02);
  return v;
}

void FreeView(TView* View) {
  delete View->Window;   // deletes the table with it
  delete View;
}

// Drawing goes to the X server: the time counts until it has drawn.
void Draw() {
  Fl::flush();
  XSync(fl_display, False);
}

void Paint(TView* View) {
  View->Table->redraw();
  Draw();
}

void ShowRow(TView* View, int Row) {
  View->Table->row_position(Row);
  Draw();
}

}  // namespace fltkpeer
