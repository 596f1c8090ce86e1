#pragma once
// The grid's option groups of looks that the grid's settings file names: the control look of
// in-cell controls and the fixed-cell gradient, the colours and lines of grouped rows, the
// background and the floating footer. Each holds its published properties with their defaults; a
// changed value repaints the grid. What the groups drive (painting the controls, grouping, the
// background picture, the footer panel) is built with those features.
#include <functional>

#include "lib/grid/core/NeoStringGrid.h"

// The look of in-cell controls (the class library's TControlStyle names the control flags).
enum TGridControlStyle { csClassic, csFlat, csWinXP, csMorvane, csNeo, csGlyph, csTheme };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

// An option group of the grid whose changes repaint the grid.
class TGridLookGroup : public TPersistent {
  ZELK_CLASS(TGridLookGroup, TPersistent)
public:
  explicit TGridLookGroup(TNeoStringGrid* AGrid) : FGrid(AGrid) {}
  TNeoStringGrid* GetGrid() const { return FGrid; }

protected:
  void Changed();
  TNeoStringGrid* FGrid;   // not owned
};

// ---------------------------------------------------------------------------------------------
// TControlLook
// ---------------------------------------------------------------------------------------------
class TControlLook : public TGridLookGroup {
  ZELK_CLASS(TControlLook, TGridLookGroup)
public:
  using TGridLookGroup::TGridLookGroup;

  // 16 whenever ControlStyle is csNeo.
  Integer GetCheckSize() const { return FControlStyle == csNeo ? 16 : FCheckSize; }
  void SetCheckSize(Integer Value);
  NEO_CHANGE_PROPERTY(TColor, Color, 0, Changed)
  NEO_CHANGE_PROPERTY(TColor, CommentColor, 0x0000FF, Changed)
  NEO_CHANGE_PROPERTY(TGridControlStyle, ControlStyle, csTheme, Changed)
  NEO_CHANGE_PROPERTY(Integer, RadioSize, 10, Changed)
  NEO_CHANGE_PROPERTY(bool, FlatButton, false, Changed)
  NEO_PLAIN_PROPERTY(TColor, ProgressBorderColor, 0x808080)
  NEO_CHANGE_PROPERTY(bool, ProgressXP, false, Changed)
  // Stored; the normal pair also sets the grid's NeoGradientFrom / To unless clNone, the mirror
  // pair always sets the grid's NeoGradientMirrorFrom / To.
  TColor GetFixedGradientFrom() const { return FFixedGradientFrom; }
  void SetFixedGradientFrom(TColor Value);
  TColor GetFixedGradientTo() const { return FFixedGradientTo; }
  void SetFixedGradientTo(TColor Value);
  TColor GetFixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
  void SetFixedGradientMirrorFrom(TColor Value);
  TColor GetFixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
  void SetFixedGradientMirrorTo(TColor Value);

private:
  Integer FCheckSize = 15;
  TColor FFixedGradientFrom = clNone;
  TColor FFixedGradientTo = clNone;
  TColor FFixedGradientMirrorFrom = clNone;
  TColor FFixedGradientMirrorTo = clNone;
};

// ---------------------------------------------------------------------------------------------
// TGrouping: the colours and lines of group header and summary rows
// ---------------------------------------------------------------------------------------------
class TGrouping : public TGridLookGroup {
  ZELK_CLASS(TGrouping, TGridLookGroup)
public:
  using TGridLookGroup::TGridLookGroup;

  NEO_CHANGE_PROPERTY(TColor, HeaderColor, clNone, Changed)
  NEO_CHANGE_PROPERTY(TColor, HeaderColorTo, clNone, Changed)
  NEO_CHANGE_PROPERTY(TColor, HeaderTextColor, clNone, Changed)
  NEO_CHANGE_PROPERTY(bool, HeaderUnderline, false, Changed)
  NEO_CHANGE_PROPERTY(TColor, HeaderLineColor, 0xFF0000, Changed)
  NEO_CHANGE_PROPERTY(Integer, HeaderLineWidth, 2, Changed)
  NEO_CHANGE_PROPERTY(TColor, SummaryColor, clNone, Changed)
  NEO_CHANGE_PROPERTY(TColor, SummaryColorTo, clNone, Changed)
  NEO_CHANGE_PROPERTY(TColor, SummaryTextColor, clNone, Changed)
  NEO_CHANGE_PROPERTY(bool, SummaryLine, false, Changed)
  NEO_CHANGE_PROPERTY(TColor, SummaryLineColor, 0xFF0000, Changed)
  NEO_CHANGE_PROPERTY(Integer, SummaryLineWidth, 2, Changed)
};

// ---------------------------------------------------------------------------------------------
// TBackGround
// ---------------------------------------------------------------------------------------------
class TBackGround : public TGridLookGroup {
  ZELK_CLASS(TBackGround, TGridLookGroup)
public:
  using TGridLookGroup::TGridLookGroup;

  NEO_CHANGE_PROPERTY(Integer, Top, 0, Changed)
  NEO_CHANGE_PROPERTY(Integer, Left, 0, Changed)
  NEO_CHANGE_PROPERTY(TBackGroundDisplay, Display, bdTile, Changed)
  NEO_CHANGE_PROPERTY(TBackGroundCells, Cells, bcNormal, Changed)
  NEO_CHANGE_PROPERTY(TColor, Color, clWindow, Changed)
  NEO_CHANGE_PROPERTY(TColor, ColorTo, clBtnFace, Changed)
};

// ---------------------------------------------------------------------------------------------
// TFloatingFooter: the settings of the floating footer that the footer calculation reads
// ---------------------------------------------------------------------------------------------
class TFloatingFooter : public TGridLookGroup {
  ZELK_CLASS(TFloatingFooter, TGridLookGroup)
public:
  using TGridLookGroup::TGridLookGroup;

  NEO_CHANGE_PROPERTY(TColor, Color, clBtnFace, Changed)
  NEO_CHANGE_PROPERTY(bool, Visible, false, Changed)
  NEO_CHANGE_PROPERTY(TFooterStyle, FooterStyle, fsFixedLastRow, Changed)
  NEO_PLAIN_PROPERTY(bool, CalculateHiddenRows, true)
  NEO_PLAIN_PROPERTY(bool, EnableCalculation, true)
  TCalcFooterEvent OnCalcFooter;
};
