#pragma once
// Lays out and draws a rich document with the text engine: paragraphs are broken into lines at a
// resolution and a width, so that the screen and a printer lay the same text out alike.
#include <vector>

#include "platform/ui/RichText.h"

class TRichLayout {
public:
  explicit TRichLayout(const TRichDocument& ADoc) : FDoc(ADoc) {}

  // Resolution in dots per inch and the width lines are broken at (device pixels; 0 or less: no
  // breaking, paragraphs aligned within Width instead).
  void SetParams(int ADpi, int AWidth, bool AWrap);
  int Dpi() const { return FDpi; }

  struct TLine {
    Integer Para;
    Integer Start, End;   // document positions (End: before the paragraph end or the next line)
    int Top, Height;      // device pixels from the top of the document
  };
  const std::vector<TLine>& Lines();
  int Height();           // of the whole document
  int ContentWidth();     // of the widest line

  // Caret place of a position: x and the line's top and height.
  TRect CaretRect(Integer Pos);
  Integer CharFromPoint(int X, int Y);
  Integer LineFromChar(Integer Pos);

  struct TDrawParams {
    TPoint Origin;          // logical point of the document's top-left corner
    Integer FirstLine = 0;  // the first line drawn, at Origin
    int MaxHeight = -1;     // lines whose bottom passes Origin.y + MaxHeight are not drawn (-1: all)
    Integer SelFrom = 0, SelTo = 0;
    COLORREF TextColor = 0, SelBack = 0, SelText = 0;
  };
  // Draws into DC within its clip; the index of the first line not drawn.
  Integer Draw(HDC DC, const TDrawParams& P);

private:
  void Refresh();
  const TRichDocument& FDoc;
  int FDpi = 96;
  int FWidth = 0;
  bool FWrap = true;
  std::uint64_t FVersion = ~0ull;
  std::vector<TLine> FLines;
  std::vector<Integer> FParaFirstLine;
  int FHeight = 0, FContentWidth = 0;
};
