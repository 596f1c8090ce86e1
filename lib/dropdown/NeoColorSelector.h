#pragma once
// The colour selector panels a colour picker shows in its popup, each also usable on a plain form:
// the hexagon colour cube (127 honeycomb cells), the spectrum (a hue and lightness picture the
// colour under the mouse is picked from) and the grid of colour boxes (a theme palette of 60 boxes
// by default). Each reports a choice through its own selection event; the cube and the spectrum
// also fire OnShouldHide on every mouse button release.
//
// The spectrum picture "NEO_SPECTRUM" and the pointer cursor are made by this unit at start-up
// (RegisterNeoColorSelectorUnit, or on the first spectrum panel built) instead of being shipped.
#include <array>
#include <memory>

#include "lib/dropdown/NeoCanvasPresent.h"
#include "lib/dropdown/NeoDropDown.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"

// The screen cursor number the spectrum's pointer is installed as.
constexpr TCursor crNeoPointer = 54;

// The base of the panels: a custom control with a hide request.
//
// Each panel's geometry is given in 96-dpi pixels and laid out at the display scale of the moment
// (1.5 at 144 dpi): sizes, positions and hit tests are in the panel's own pixels, lines stay one
// pixel wide. A change of scale (ChangeScale) moves the panel and lays it out again at the display
// scale rather than stretching its bounds, so that laying out before or after a scaled form
// scales its children gives the same panel.
class TNeoCustomColorSelectorPanel : public TCustomControl {
  ZELK_CLASS(TNeoCustomColorSelectorPanel, TCustomControl)
public:
  explicit TNeoCustomColorSelectorPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
  // Fired on a mouse button release by the cube and the spectrum (the drop-down leaves it unset).
  TNotifyEvent OnShouldHide;

  // The scale of the last layout (1 until the panel was laid out at another).
  Single GetPanelScale() const { return FPanelScale; }
  // Lays the panel out at the display scale, at its own size (SetPanelSize, LayoutPanel or
  // ArrangeItems).
  virtual void LayoutAtDisplayScale() {}
  void ChangeScale(Integer M, Integer D) override;

protected:
  void DoShouldHide() {
    if (OnShouldHide) OnShouldHide(this);
  }
  // Presents what was drawn outside a paint now.
  void ReleaseCanvasDC() { ReleaseControlCanvasDC(GetCanvas(), this); }
  // Reads the display scale for a layout.
  void TakeDisplayScale();
  // A 96-dpi length at the panel's scale.
  Integer Scaled(Integer Value) const;

private:
  Single FPanelScale = 1.0F;
};

// ---------------------------------------------------------------------------------------------
// Hexagon colour cube
// ---------------------------------------------------------------------------------------------
struct TCubeCell {
  Integer X = 0;
  Integer Y = 0;
  TColor Color = clNone;
};

class TNeoColorCubePanel : public TNeoCustomColorSelectorPanel {
  ZELK_CLASS(TNeoColorCubePanel, TNeoCustomColorSelectorPanel)
public:
  static constexpr Integer CellCount = 127;

  explicit TNeoColorCubePanel(TComponent* AOwner);

  TColor GetSelectedColor() const { return FSelectedColor; }
  // The first cell of exactly that colour becomes the selected one (none when no cell has it).
  void SetSelectedColor(TColor Value);
  bool GetShowRGBHint() const { return FShowRGBHint; }
  // Stores the value and sets ShowHint to it.
  void SetShowRGBHint(bool Value);
  // Cells are numbered 1 to 127; other indexes read clNone and are not written.
  TColor GetCubeCellColor(Integer Index) const;
  void SetCubeCellColor(Integer Index, TColor Value);
  // The cell's centre ((0, 0) outside 1 to 127).
  TPoint GetCubeCellCenter(Integer Index) const;
  Integer GetSelectedIndex() const { return FSelectedIndex; }
  Integer GetHotIndex() const { return FHotIndex; }

  // The first cell whose centre is at most 6 pixels (at 96 dpi) from (X, Y); -1 when none is.
  Integer CellAtPoint(Integer X, Integer Y) const;
  // Clears the hot cell and applies SetPanelSize.
  void ResetHot();
  // 182 wide and 160 high at 96 dpi.
  void SetPanelSize();
  // The honeycomb: 13 rows of 7 to 13 cells 12 pixels apart, rows 10 pixels apart (at 96 dpi;
  // the cells keep their 96-dpi centres and are drawn and hit-tested at the panel's scale).
  void InitCubeCells();
  void LayoutAtDisplayScale() override { SetPanelSize(); }

  TNotifyEvent OnSelect;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

  // Stores Color as the selected colour; an index of 1 to 127 becomes the selected cell, any
  // other makes the first cell of exactly that colour the selected one (-1 when none).
  void SelectColor(TColor Color, Integer Index);
  // The cell (nothing outside 1 to 127) with its hot and selected frames, on the control's canvas.
  void DrawCell(Integer Index);
  // A hexagon of half width W and quarter height Q around (X, Y) in the canvas's pen and brush;
  // all four in 96-dpi pixels, each corner placed at the panel's scale.
  void DrawHexagon(Integer X, Integer Y, Integer W, Integer Q);

private:
  std::array<TCubeCell, CellCount + 1> FCubeCells{};   // [0] unused: cells are numbered from 1
  TPoint FCubeSize{6, 3};
  TColor FSelectedColor = clNone;
  Integer FSelectedIndex = -1;
  Integer FHotIndex = -1;
  bool FShowRGBHint = false;
};

// "Red: %d,  Green: %d,  Blue: %d" for the low, middle and high byte of Color.
String CubeCellHint(TColor Color);

// ---------------------------------------------------------------------------------------------
// Spectrum
// ---------------------------------------------------------------------------------------------
class TNeoColorSpectrumPanel : public TNeoCustomColorSelectorPanel {
  ZELK_CLASS(TNeoColorSpectrumPanel, TNeoCustomColorSelectorPanel)
public:
  explicit TNeoColorSpectrumPanel(TComponent* AOwner);

  TColor GetSelectedColor() const { return FSelectedColor; }
  // Stores a changed value; nothing is repainted.
  void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
  TColor GetHotColor() const { return FHotColor; }
  TImage* GetSpectrumImage() const { return FSpectrumImage; }
  TRect GetHotRect() const { return FHotRect; }
  TRect GetSelectedRect() const { return FSelectedRect; }

  // 150 x 174 (at 96 dpi) with the picture centred at the top and the selected and hot swatches
  // below it; clears the hot colour. The 128 x 128 picture is stretched to the panel's scale.
  void LayoutPanel();
  void LayoutAtDisplayScale() override { LayoutPanel(); }

  TNotifyEvent OnSelect;

protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
  void ImageMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void ImageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void ImageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // A grey frame one pixel outside R, then R with a white pen filled with Color (left empty
  // for clNone).
  void DrawSwatch(const TRect& R, TColor Color);

  TImage* FSpectrumImage = nullptr;   // owned as a component
  TColor FHotColor = clNone;
  TColor FSelectedColor = static_cast<TColor>(0xFFFFFF);
  TRect FHotRect;
  TRect FSelectedRect;
};

// The spectrum's pixel at (X, Y) of 128 x 128: hue 6 * X / 127 sextants round the circle from red
// to red; rows 0 to 64 go from white to the full hue, rows 64 to 127 from it to black.
TColor SpectrumColorAt(Integer X, Integer Y);
// Registers "NEO_SPECTRUM" (a 24-bit bitmap resource) and installs the pointer cursor as screen
// cursor crNeoPointer; once per program.
void NeoColorSelectorResources();
// Adds the unit that does NeoColorSelectorResources at start-up.
void RegisterNeoColorSelectorUnit();

// ---------------------------------------------------------------------------------------------
// Colour boxes
// ---------------------------------------------------------------------------------------------
// The frames of the colour boxes. OnChange is not fired by any setter.
class TColorBoxAppearance : public TPersistent {
  ZELK_CLASS(TColorBoxAppearance, TPersistent)
public:
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TColor GetOuterBorderColorHot() const { return FOuterBorderColorHot; }
  void SetOuterBorderColorHot(TColor Value) { FOuterBorderColorHot = Value; }
  TColor GetInnerBorderColorHot() const { return FInnerBorderColorHot; }
  void SetInnerBorderColorHot(TColor Value) { FInnerBorderColorHot = Value; }
  TColor GetOuterBorderColorSelected() const { return FOuterBorderColorSelected; }
  void SetOuterBorderColorSelected(TColor Value) { FOuterBorderColorSelected = Value; }
  TColor GetInnerBorderColorSelected() const { return FInnerBorderColorSelected; }
  void SetInnerBorderColorSelected(TColor Value) { FInnerBorderColorSelected = Value; }
  // The five colours from another colour box appearance.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

private:
  TColor FBorderColor = static_cast<TColor>(0xC5C5C5);
  TColor FOuterBorderColorHot = static_cast<TColor>(0x3694F2);
  TColor FInnerBorderColorHot = static_cast<TColor>(0x94E2FF);
  TColor FOuterBorderColorSelected = static_cast<TColor>(0x0000FF);
  TColor FInnerBorderColorSelected = static_cast<TColor>(0x94E2FF);
};

// Where a box sits in a vertical run of shades.
enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TCollectionItem {
  ZELK_CLASS(TColorBoxItem, TCollectionItem)
public:
  explicit TColorBoxItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  TColor GetColor() const { return FColor; }
  // A changed colour fires the collection's OnChange.
  void SetColor(TColor Value);
  TItemPos GetColorBoxPos() const { return FColorBoxPos; }
  void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const TRect& GetRect() const { return FRect; }
  void SetRect(const TRect& Value) { FRect = Value; }
  // The colour (through its setter) and the enabled flag.
  void Assign(TPersistent* Source) override;

private:
  TColor FColor = clNone;
  bool FEnabled = true;
  TRect FRect;
  TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TOwnedCollection {
  ZELK_CLASS(TColorBoxItems, TOwnedCollection)
public:
  explicit TColorBoxItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TColorBoxItem::StaticClass()) {}
  TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
  TColorBoxItem* Insert(Integer Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
  // Raises the list index error for an index outside the collection.
  TColorBoxItem* GetItems(Integer Index) const { return static_cast<TColorBoxItem*>(GetItem(Index)); }
  void SetItems(Integer Index, TColorBoxItem* Value) { SetItem(Index, Value); }

  TNotifyEvent OnChange;
  void DoChange() {
    if (OnChange) OnChange(this);
  }
};

class TCustomColorSelector : public TNeoCustomColorSelectorPanel {
  ZELK_CLASS(TCustomColorSelector, TNeoCustomColorSelectorPanel)
public:
  explicit TCustomColorSelector(TComponent* AOwner);
  ~TCustomColorSelector() override;

  TColorBoxAppearance* GetColorBoxAppearance() const { return FColorBoxAppearance.get(); }
  void SetColorBoxAppearance(TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
  TColorBoxItems* GetItems() const { return FItems.get(); }
  void SetItems(TColorBoxItems* Value) { FItems->Assign(Value); }
  Integer GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Index);
  Integer GetItemHot() const { return FItemHot; }
  Integer GetColumns() const { return FColumns; }
  void SetColumns(Integer Value) { SetLayoutValue(FColumns, Value); }
  Integer GetColumnGap() const { return FColumnGap; }
  void SetColumnGap(Integer Value) { SetLayoutValue(FColumnGap, Value); }
  Integer GetColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(Integer Value) { SetLayoutValue(FColorBoxWidth, Value); }
  Integer GetColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(Integer Value) { SetLayoutValue(FColorBoxHeight, Value); }
  TSelectionColorStyle GetItemColorStyle() const { return FItemColorStyle; }
  // The Office 2007, Vista and Windows 7 styles set the appearance's five colours; scCustom none.
  void SetItemColorStyle(TSelectionColorStyle Value);
  TColor GetSelectedColor() const { return FSelectedColor; }
  // The first box of exactly that colour is selected (none for clNone or when none matches).
  void SetSelectedColor(TColor Value);

  // 60 boxes: ten base colours (stand-alone), each above a run of five shades.
  void InitDefaultColorBoxes();
  // Places the boxes row by row (see the .cpp) and sizes the control around them, at the display
  // scale (box sizes, gaps and offsets are 96-dpi values).
  virtual void ArrangeItems();
  void LayoutAtDisplayScale() override { ArrangeItems(); }
  // The first box containing the point (right and bottom excluded); -1 when none does.
  Integer ItemAtPoint(Integer X, Integer Y) const;
  // Keys 33 to 40 (page, end, home, arrows) move the selection; nothing when disabled.
  void HandleKey(WORD Key, bool EditorEnabled, bool DroppedDown);
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();

  TNotifyEvent OnItemSelect;

protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Dispatch(TMessage& Message) override;

  virtual void DrawItem(Integer Index, TCanvas* ACanvas);
  // Both at the scale of the last layout.
  virtual TRect GetContentRect();
  virtual TSize GetColorBoxSize();

  virtual void InvalidateItem(Integer Index);
  // Nothing when unchanged or for a disabled box; the old hot box is invalidated and a new one
  // drawn at once.
  void SetItemHot(Integer Index);

private:
  void SetLayoutValue(Integer& Field, Integer Value);
  bool ItemEnabled(Integer Index) const { return FItems->GetItems(Index)->GetEnabled(); }

  Integer FItemIndex = -1;
  Integer FItemHot = -1;
  Integer FOffSetX = 4;
  Integer FOffSetY = 4;
  Integer FColumns = 10;
  Integer FColumnGap = 4;
  Integer FColorBoxHeight = 12;
  Integer FColorBoxWidth = 12;
  std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
  std::unique_ptr<TColorBoxItems> FItems;
  TSelectionColorStyle FItemColorStyle = scCustom;
  TColor FSelectedColor = clNone;
};

// Publishes the colour box appearance and item to the runtime's type information (once).
void RegisterNeoColorSelectorRtti();
