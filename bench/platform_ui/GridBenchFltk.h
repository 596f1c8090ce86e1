#pragma once
// The FLTK peer of the grid benchmark: an Fl_Table in a window, drawing texts a program keeps in
// a std::vector<std::string>. Its own file, as FLTK's headers bring Xlib's macros.
#include <string>
#include <vector>

namespace fltkpeer {

struct TView;
bool HasDisplay();
TView* NewView(const std::vector<std::string>* Texts, int Rows, int Cols, int Width, int Height, int RowHeight,
               int ColWidth);
void FreeView(TView* View);
// A full repaint, drawn now.
void Paint(TView* View);
// Scrolls so that Row is the top row, and draws.
void ShowRow(TView* View, int Row);
// Cells drawn so far (to tell a paint from a skipped one).
long long CellsDrawn();

}  // namespace fltkpeer
