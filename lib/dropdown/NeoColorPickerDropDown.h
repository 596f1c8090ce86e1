#pragma once
// The colour picker: a pick-only drop-down that paints a swatch of the selected colour and,
// optionally, a text for it (the caption of a named colour, or its value as hex, web name, RGB or
// HTML). The popup shows one of four contents, chosen by ColorSelectionStyle: the named colours
// in an item selector, a palette of colour boxes, the hexagon colour cube or the spectrum. The
// contents are made when their style is first used and kept.
#include <memory>

#include "lib/dropdown/NeoColorSelector.h"
#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoItemSelector.h"
#include "lib/dropdown/NeoPickerSupport.h"

enum TColorSelectionStyle { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

class TColorItem : public TCollectionItem {
  ZELK_CLASS(TColorItem, TCollectionItem)
public:
  explicit TColorItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

  // Caption and Color through their setters, the enabled flag and the hint.
  void Assign(TPersistent* Source) override;

private:
  void Changed();
  String FCaption;
  TColor FColor = clNone;
  bool FEnabled = true;
  TRect FRect{};
  String FHint;
};

class TColorItems : public TOwnedCollection {
  ZELK_CLASS(TColorItems, TOwnedCollection)
public:
  explicit TColorItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TColorItem::StaticClass()) {}
  TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
  TColorItem* Insert(Integer Index) { return static_cast<TColorItem*>(TCollection::Insert(Index)); }
  TColorItem* GetItems(Integer Index) const { return static_cast<TColorItem*>(GetItem(Index)); }
  void SetItems(Integer Index, TColorItem* Value) { SetItem(Index, Value); }

  TNotifyEvent OnChange;
  void DoChange() {
    if (OnChange) OnChange(this);
  }
};

class TNeoColorPickerDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoColorPickerDropDown, TNeoCustomDropDown)
public:
  explicit TNeoColorPickerDropDown(TComponent* AOwner);
  ~TNeoColorPickerDropDown() override;

  Integer GetColumns() const { return FColumns; }
  void SetColumns(Integer Value) { FColumns = Value; }
  TColorItems* GetColors() const { return FColors.get(); }
  void SetColors(TColorItems* Value) { FColors->Assign(Value); }
  Integer GetItemIndex() const { return FItemIndex; }
  // An index of Count or more is ignored; otherwise it is stored (an item's colour becomes the
  // selected colour), the edit repaints and OnSelect fires, also for -1.
  void SetItemIndex(Integer Value);
  Integer GetColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(Integer Value) { SetAndInvalidate(FColorBoxWidth, Value); }
  Integer GetColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(Integer Value) { SetAndInvalidate(FColorBoxHeight, Value); }
  TColor GetColorBoxBorderColor() const { return FColorBoxBorderColor; }
  void SetColorBoxBorderColor(TColor Value) { SetAndInvalidate(FColorBoxBorderColor, Value); }
  TItemLayout GetLayout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TItemAppearance* GetItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TColorValueText GetColorValueText() const { return FColorValueText; }
  void SetColorValueText(TColorValueText Value) { FColorValueText = Value; }
  TColorSelectionStyle GetColorSelectionStyle() const { return FColorSelectionStyle; }
  void SetColorSelectionStyle(TColorSelectionStyle Value);
  bool GetShowText() const { return FShowText; }
  void SetShowText(bool Value) { SetAndInvalidate(FShowText, Value); }
  TColor GetSelectedColor() const { return FSelectedColor; }
  // The colour (system colours resolved); the first named colour equal to it is selected, else
  // ItemIndex stays.
  void SetSelectedColor(TColor Value);
  // The contents (nullptr until their style is first used).
  TNeoCustomItemSelector* GetItemSelector() const { return FItemSelector; }
  TCustomColorSelector* GetColorPanel() const { return FColorSelector; }
  TNeoColorCubePanel* GetCubePanel() const { return FColorCubePanel; }
  TNeoColorSpectrumPanel* GetSpectrumPanel() const { return FSpectrumPanel; }
  const String& GetSearchText() const { return FSearch.GetText(); }

  void BeginUpdate() { ++FUpdateCount; }
  // The last EndUpdate copies the colours into the list.
  void EndUpdate();
  // The 16 colours of the basic palette, replacing the list.
  void AddDefaultColors();

  void SelectFirst() { SelectStep(TSelectStep::First); }
  void SelectLast() { SelectStep(TSelectStep::Last); }
  void SelectNext() { SelectStep(TSelectStep::Next); }
  void SelectPrevious() { SelectStep(TSelectStep::Previous); }

  // The introduced operations, in this order.
  virtual void CreateItemSelector();
  virtual void CreateColorCube();
  virtual void CreateSpectrumPanel();
  virtual void CreateColorSelector();
  // The caption of the selected named colour (csList), else the colour as ColorValueText says.
  virtual String GetSelectedColorText();

  void SetComponentStyle(TNeoStyle AStyle) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override { inherited::KeyDown(Key, Shift); }

  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedColor;
  NeoItemSelector::TDrawItemEvent OnDrawColor;

protected:
  void Loaded() override;
  void CreateWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void PlaceDropDownControl() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool Cancel) override;
  void DropDownFormDestroy() override;
  void DoDropDownWheelDown() override { WheelStep(true); }
  void DoDropDownWheelUp() override { WheelStep(false); }
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  // Paints the swatch and the text over the whole window.
  void DrawSelectedColor();

private:
  template <class T> void SetAndInvalidate(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  void CopyColorsToSelector();
  void UpdateItemSelector();
  // Makes the content of the style and prepares it for showing; the others are hidden.
  void PrepareContent();
  TControl* ContentOfStyle() const;
  void CreateContentOfStyle();
  void SizeListPopup();
  void SelectorItemSelect();
  void ColorSelectorSelect();
  void PanelSelect(TColor Color);
  void SelectStep(TSelectStep Step);
  void WheelStep(bool Down);
  bool TakeHotItem(Word Key);
  void ListKey(Word Key, bool Handled);
  bool PopupOpen() const;
  bool IsPanelStyle() const { return FColorSelectionStyle != csList; }

  Integer FUpdateCount = 0;
  TNeoCustomItemSelector* FItemSelector = nullptr;
  TNeoColorCubePanel* FColorCubePanel = nullptr;
  TNeoColorSpectrumPanel* FSpectrumPanel = nullptr;
  TCustomColorSelector* FColorSelector = nullptr;
  Integer FColumns = 1;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TColorItems> FColors;
  Integer FItemIndex = -1;
  Integer FColorBoxWidth = 14;
  Integer FColorBoxHeight = 14;
  TColorSelectionStyle FColorSelectionStyle = csList;
  TColor FSelectedColor = clNone;
  bool FShowText = true;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTypeAheadSearch FSearch;
  Integer FOldItemIndex = -1;
  TColor FOldSelectedColor = clNone;
  TColorValueText FColorValueText = cvtNone;
  TColor FColorBoxBorderColor = 0;
};

// Publishes the colour items and the colour picker's own properties (once).
void RegisterNeoColorPickerDropDownRtti();
