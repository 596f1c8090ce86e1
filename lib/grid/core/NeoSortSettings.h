#pragma once
// TSortSettings: the sort options of one grid that a click on the sort row reads (which column is
// sorted and in which direction, whether clicks sort at all, the multi-column list, undoing a sort
// on the third click). The comparison styles, glyphs and header colours come with the sorting
// routines themselves.
#include "lib/grid/core/NeoGridOptions.h"

enum TSortDirection { sdAscending, sdDescending };
// The key held to add a column to the multi-column sort list.
enum TIndexSortKey { ikShift, ikCtrl };

class TSortSettings : public TPersistent {
  ZELK_CLASS(TSortSettings, TPersistent)
public:
  explicit TSortSettings(TNeoStringGrid* AOwner) : FGrid(AOwner) {}

  // Only from another TSortSettings: the fields directly, no repaint, no sort.
  void Assign(TPersistent* Source) override;
  // The other direction; no sort, no repaint.
  void ToggleDirection() { FDirection = FDirection == sdAscending ? sdDescending : sdAscending; }

  // -1: not sorted. A changed value repaints the grid's sort row (when Row >= 0).
  Integer GetColumn() const { return FColumn; }
  void SetColumn(Integer Value);
  // Sort glyphs shown and header clicks sort; a change repaints the grid.
  bool GetShow() const { return FShow; }
  void SetShow(bool Value);
  // The fixed row that takes sort clicks. ENeoGridError "Sort row should be smaller than number of
  // fixed rows" for a value above the grid's FixedRows.
  Integer GetRow() const { return FRow; }
  void SetRow(Integer Value);

  NEO_PLAIN_PROPERTY(bool, AutoColumnMerge, false)
  NEO_PLAIN_PROPERTY(bool, IndexShow, false)
  // The colour of the sort index indicator.
  NEO_PLAIN_PROPERTY(TColor, IndexColor, 0x00FFFF)
  NEO_PLAIN_PROPERTY(TIndexSortKey, IndexSortKey, ikShift)
  NEO_PLAIN_PROPERTY(TSortDirection, Direction, sdAscending)
  NEO_PLAIN_PROPERTY(TSortDirection, InitSortDirection, sdAscending)
  NEO_PLAIN_PROPERTY(bool, FixedCols, false)
  NEO_PLAIN_PROPERTY(bool, UndoSort, false)

private:
  TNeoStringGrid* FGrid;   // not owned
  Integer FColumn = -1;
  bool FShow = false;
  Integer FRow = 0;
};
