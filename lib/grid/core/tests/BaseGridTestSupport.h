#pragma once
// A base grid with the abstract members answered, optional hidden data columns, a scale factor
// and a record of what DrawGridCell was asked to draw.
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "lib/grid/core/NeoBaseGrid.h"

class TTestGrid : public TBaseGrid {
public:
  explicit TTestGrid(TComponent* AOwner) : TBaseGrid(AOwner) {}

  bool IsNode(Integer) override { return false; }
  bool IsSummary(Integer) override { return false; }
  bool CellHasCheckBox(Integer ACol, Integer ARow) override {
    return std::find(CheckBoxes.begin(), CheckBoxes.end(), std::make_pair(ACol, ARow)) != CheckBoxes.end();
  }
  void SetCheckBoxFromText(Integer ACol, Integer ARow, const String& Value) override {
    SetCellEx(ACol, ARow, u"check:" + Value);
  }
  Double GetDPIScale() override { return Scale; }
  bool IsFixed(Integer ACol, Integer ARow) override { return ACol < GetFixedCols() || ARow < GetFixedRows(); }

  // Hidden data columns (ascending): display column d shows data column RealColIndex(d).
  Integer RealColIndex(Integer ACol) override {
    for (Integer h : Hidden)
      if (h <= ACol) ++ACol;
    return ACol;
  }
  Integer DisplColIndex(Integer ACol) override {
    return ACol - static_cast<Integer>(std::count_if(Hidden.begin(), Hidden.end(), [&](Integer h) { return h < ACol; }));
  }
  Integer TotalColCount() override { return GetColCount() + static_cast<Integer>(Hidden.size()); }

  void DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override {
    Drawn[{ACol, ARow}].push_back(ARect);
    TBaseGrid::DrawGridCell(Canvas, ACol, ARow, ARect, AState);
  }

  // Background colours of chosen data cells, as the full painter gives them.
  void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState&, bool, bool, bool, TBrush* ABrush, TColor&,
                           TColor&, TColor&, TFont*, TAlignment&, TVAlignment&, bool&,
                           TCellGradientDirection&) override {
    auto it = Fill.find({RealColIndex(ACol), ARow});
    if (it != Fill.end()) ABrush->SetColor(it->second);
  }

  std::vector<TRect>& DrawnAt(Integer ACol, Integer ARow) { return Drawn[{ACol, ARow}]; }
  using TBaseGrid::PaintCellCore;

  Double Scale = 1.0;
  std::vector<Integer> Hidden;
  std::vector<std::pair<Integer, Integer>> CheckBoxes;
  std::map<std::pair<Integer, Integer>, std::vector<TRect>> Drawn;
  std::map<std::pair<Integer, Integer>, TColor> Fill;
};

