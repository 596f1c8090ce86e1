#pragma once
// TColumnSize: the grid's column-width options: saving and loading the widths (INI file or
// registry), stretching a column to the client width, and widths that follow the grid's width.
#include "platform/rtl/Classes.h"

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed, arVisible };

class TNeoStringGrid;

class TColumnSize : public TPersistent {
  ZELK_CLASS(TColumnSize, TPersistent)
public:
  // AOwner is the grid the settings belong to.
  explicit TColumnSize(TNeoStringGrid* AOwner) : FOwner(AOwner) {}
  // Copies everything except StretchAll, directly: nothing is stretched. Other sources: nothing.
  void Assign(TPersistent* Source) override;

  TNeoStringGrid* GetOwnerGrid() const { return FOwner; }
  TAutoSizeRows GetRows() const { return FRows; }
  void SetRows(TAutoSizeRows Value) { FRows = Value; }
  bool GetSave() const { return FSave; }
  void SetSave(bool Value) { FSave = Value; }
  const String& GetKey() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  const String& GetSection() const { return FSection; }
  void SetSection(const String& Value) { FSection = Value; }
  bool GetStretch() const { return FStretch; }
  // Stores the value; with the grid in a parent, stretches column StretchColumn to the client width.
  void SetStretch(bool Value);
  bool GetStretchAll() const { return FStretchAll; }
  // Nothing when unchanged; True sets StretchColumn to -1; then the grid stretches (index -1,
  // client width) whether it has a parent or not.
  void SetStretchAll(bool Value);
  // -1: the last column.
  Integer GetStretchColumn() const { return FStretchColumn; }
  void SetStretchColumn(Integer Value) { FStretchColumn = Value; }
  bool GetSynchWithGrid() const { return FSynchWithGrid; }
  void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
  bool GetSynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
  void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
  TColumnSizeLocation GetLocation() const { return FLocation; }
  void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }

private:
  TNeoStringGrid* FOwner;
  bool FSave = false;
  String FKey;
  String FSection;
  bool FStretch = false;
  Integer FStretchColumn = -1;
  bool FStretchAll = false;
  bool FSynchWithGrid = false;
  bool FSynchNormalCellsOnly = false;
  TColumnSizeLocation FLocation = clRegistry;
  TAutoSizeRows FRows = arAll;
};
