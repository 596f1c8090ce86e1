#pragma once
// Small windows the grid places around itself: TNoActiveForm (a popup form that never takes the
// activation), TScrollControl (the thin overview scroll bar laid over the grid's edges),
// THeaderDragButton (the floating header while a column is dragged) and TNeoGridPopup (the base of
// popups shown at a cell).
#include "lib/grid/core/NeoStringGrid.h"

// ---------------------------------------------------------------------------------------------
// TNoActiveForm: a borderless popup owned by a windowed control. Clicks do not activate it and
// showing it leaves the activation and the focus where they are.
// ---------------------------------------------------------------------------------------------
class TNoActiveForm : public TForm {
  ZELK_CLASS(TNoActiveForm, TForm)
public:
  explicit TNoActiveForm(TComponent* AOwner) : TForm(AOwner) {}
  bool GetEnabledForm() const { return FEnabled; }
  // Read when the window is made: a disabled form gets WS_DISABLED and a border.
  void SetEnabledForm(bool Value) { FEnabled = Value; }
  // Showing places the form top-most without activating it.
  void SetVisible(bool Value) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

private:
  bool FEnabled = false;
};

// ---------------------------------------------------------------------------------------------
// TScrollControl: an overview scroll bar over the right (vertical) or bottom (horizontal) edge of
// its parent grid. Only the thumb is drawn; around it the grid's own pixels show. A press beside
// the thumb pages, a drag of the thumb scrolls. With a parent that is no grid it paints nothing
// and ignores the mouse.
// ---------------------------------------------------------------------------------------------
enum TScrollDirection { sdVertical, sdHorizontal };

class TScrollControl : public TCustomControl {
  ZELK_CLASS(TScrollControl, TCustomControl)
public:
  // Color (the thumb's pen and brush) starts as $C0C0C0.
  explicit TScrollControl(TComponent* AOwner);

  Integer GetScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(Integer Value) { FScrollWidth = Value; }
  TScrollDirection GetDirection() const { return FDirection; }
  void SetDirection(TScrollDirection Value) { FDirection = Value; }

  // The parent when it is a grid.
  TNeoStringGrid* Grid() const;
  // The thumb along the control (pixels from the top, or the left): position and length; false
  // when there is no grid.
  bool ThumbGeometry(Integer& Position, Integer& Length) const;
  // Whether the thumb is drawn: not every scrollable row (column) is visible.
  bool ThumbShown() const;
  bool GetDownOnScroller() const { return FDownOnScroller; }

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
  // The grid's axis the control follows: rows (vertical) or columns (horizontal).
  struct TAxis {
    Integer Count = 0;
    Integer Fixed = 0;
    Integer Visible = 0;
    Integer First = 0;   // TopRow or LeftCol
    Integer Extent = 0;  // the control's height or width
  };
  TAxis Axis(TNeoStringGrid* G) const;
  void SetFirst(TNeoStringGrid* G, Integer Value);
  void WMPaint(TMessage& Message);
  // The parent paints itself into DC at the control's place: what lies beneath the control.
  void PaintParentInto(HDC DC);

  Integer FScrollWidth = 4;
  bool FDownOnScroller = false;
  Integer FDownPos = 0;
  Integer FDownRow = 0;
  TScrollDirection FDirection = sdVertical;
};

// ---------------------------------------------------------------------------------------------
// THeaderDragButton: a popup with the look of the grid's header cell and a caption (markup when it
// holds "</"), shown under the mouse while a column is dragged.
// ---------------------------------------------------------------------------------------------
class THeaderDragButton : public TCustomControl {
  ZELK_CLASS(THeaderDragButton, TCustomControl)
public:
  explicit THeaderDragButton(TComponent* AOwner);
  TNeoStringGrid* GetGrid() const { return FGrid; }
  void SetGrid(TNeoStringGrid* Value) { FGrid = Value; }
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

private:
  TNeoStringGrid* FGrid = nullptr;
  String FCaption;
  bool FFlat = false;
};

// ---------------------------------------------------------------------------------------------
// TNeoGridPopup: the base of popups the grid shows at a cell. The base only records visibility;
// descendants that show a window override all three operations.
// ---------------------------------------------------------------------------------------------
class TNeoGridPopup : public TComponent {
  ZELK_CLASS(TNeoGridPopup, TComponent)
public:
  explicit TNeoGridPopup(TComponent* AOwner) : TComponent(AOwner) {}
  virtual void Show(TPoint PT) {
    (void)PT;
    FVisible = true;
  }
  virtual void Hide() { FVisible = false; }
  virtual bool MouseInPopup(TPoint PT) = 0;
  bool GetVisible() const { return FVisible; }
  TNeoStringGrid* GetGrid() const { return FGrid; }
  void SetGrid(TNeoStringGrid* Value) { FGrid = Value; }
  TGridCoord GetGridCell() const { return FGridCell; }
  void SetGridCell(TGridCoord Value) { FGridCell = Value; }

private:
  TNeoStringGrid* FGrid = nullptr;
  TGridCoord FGridCell{0, 0};
  bool FVisible = false;
};
