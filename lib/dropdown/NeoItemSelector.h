#pragma once
// The item selector: the scrolling grid of items that the detail, image-picker and colour-picker
// drop-downs show in their popup. Each item shows a picture, an image-list entry or a colour box
// and a markup caption; one item may be hot (under the mouse) and one selected, both painted in
// the selection looks of TItemAppearance.
//
// Two controls: TNeoCustomItemSelector, a scrolling host that owns the items, the appearance and
// the events, and TCustomItemSelector, the panel inside it that lays the items out in Columns
// columns, sizes itself to them and paints them. The host scrolls the panel vertically. Item
// rectangles are valid after UpdateSelectorPanel, which callers run after adding, inserting or
// deleting items and after changing ItemLayout. Keys are the drop-downs' business: they call the
// host's Select*, Hot* and LookupItem.
#include <functional>
#include <memory>

#include "lib/dropdown/NeoDropDown.h"   // TSelectionColorStyle
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ScrollBox.h"

class TCustomImageList;
class TNeoCustomItemSelector;

enum TSelectorType { stImage, stColor };
enum TItemLayout { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

// The unit's own TDrawItemEvent, beside the class library's list-box event of that name.
namespace NeoItemSelector {
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, Integer Index)>;
}
using TDrawItemsEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;

class TSelectorItem : public TCollectionItem {
  ZELK_CLASS(TSelectorItem, TCollectionItem)
public:
  explicit TSelectorItem(TCollection* ACollection);
  ~TSelectorItem() override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TPicture* GetImage() const { return FImage.get(); }
  // Copied, without a change notification.
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const String& GetHint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  // In panel coordinates; written by the panel's layout.
  TRect GetRect() const { return FRect; }
  void SetRect(TRect Value) { FRect = Value; }
  // A picture that has a graphic of some size.
  bool HasPicture() const;
  // The caption's size as the panel last measured it in the font of AFont (one of the panel's
  // font keys); false when the caption or the font changed since.
  bool KnownCaptionSize(Integer AFont, TPoint& ASize) const;
  void KeepCaptionSize(Integer AFont, TPoint ASize);

  void Assign(TPersistent* Source) override;

protected:
  // The collection's OnChange.
  void Changed();

private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  TColor FColor = clNone;
  std::unique_ptr<TPicture> FImage;
  TRect FRect{};
  String FHint;
  Integer FCaptionFont = 0;   // 0: no size kept
  TPoint FCaptionSize{};
};

// Adding, inserting and deleting fire no OnChange; only a change of an item's Caption, Color or
// ImageIndex does. Between BeginUpdate and EndUpdate the changes fire OnChange once, at the end
// (the host lays every item out again on each).
class TSelectorItems : public TOwnedCollection {
  ZELK_CLASS(TSelectorItems, TOwnedCollection)
public:
  explicit TSelectorItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TSelectorItem::StaticClass()) {}
  TSelectorItem* Add() { return static_cast<TSelectorItem*>(TCollection::Add()); }
  TSelectorItem* Insert(Integer Index) { return static_cast<TSelectorItem*>(TCollection::Insert(Index)); }
  TSelectorItem* GetItems(Integer Index) const { return static_cast<TSelectorItem*>(GetItem(Index)); }
  void SetItems(Integer Index, TSelectorItem* Value) { SetItem(Index, Value); }
  TNotifyEvent OnChange;
  void DoChange();
  void EndUpdate() override;

private:
  bool FChangePending = false;
};

// The hot and selected looks of the items. The three named colour styles load twelve preset
// colours; scCustom keeps whatever colours are set.
class TItemAppearance : public TPersistent {
  ZELK_CLASS(TItemAppearance, TPersistent)
public:
  explicit TItemAppearance(TPersistent* AOwner);
  ~TItemAppearance() override;
  TPersistent* GetOwner() const override { return FOwner; }

  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { SetColorField(FBorderColor, Value); }
  TColor GetBorderColorTop() const { return FBorderColorTop; }
  void SetBorderColorTop(TColor Value) { SetColorField(FBorderColorTop, Value); }
  TColor GetBorderColorBottom() const { return FBorderColorBottom; }
  void SetBorderColorBottom(TColor Value) { SetColorField(FBorderColorBottom, Value); }
  TColor GetBorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { SetColorField(FBorderColorHot, Value); }
  TColor GetBorderColorSelected() const { return FBorderColorSelected; }
  void SetBorderColorSelected(TColor Value) { SetColorField(FBorderColorSelected, Value); }
  TColor GetColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { SetColorField(FColorHot, Value); }
  TColor GetColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { SetColorField(FColorHotTo, Value); }
  TColor GetColorHotText() const { return FColorHotText; }
  void SetColorHotText(TColor Value) { SetColorField(FColorHotText, Value); }
  TColor GetColorMirrorHot() const { return FColorMirrorHot; }
  void SetColorMirrorHot(TColor Value) { SetColorField(FColorMirrorHot, Value); }
  TColor GetColorMirrorHotTo() const { return FColorMirrorHotTo; }
  void SetColorMirrorHotTo(TColor Value) { SetColorField(FColorMirrorHotTo, Value); }
  TColor GetColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor Value) { SetColorField(FColorSelected, Value); }
  TColor GetColorSelectedTo() const { return FColorSelectedTo; }
  void SetColorSelectedTo(TColor Value) { SetColorField(FColorSelectedTo, Value); }
  TColor GetColorMirrorSelected() const { return FColorMirrorSelected; }
  void SetColorMirrorSelected(TColor Value) { SetColorField(FColorMirrorSelected, Value); }
  TColor GetColorMirrorSelectedTo() const { return FColorMirrorSelectedTo; }
  void SetColorMirrorSelectedTo(TColor Value) { SetColorField(FColorMirrorSelectedTo, Value); }
  TColor GetColorSelectedText() const { return FColorSelectedText; }
  void SetColorSelectedText(TColor Value) { SetColorField(FColorSelectedText, Value); }
  TColor GetEdgeColor() const { return FEdgeColor; }
  void SetEdgeColor(TColor Value) { SetColorField(FEdgeColor, Value); }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TSelectionColorStyle GetColorStyle() const { return FColorStyle; }
  // A changed style is stored; a named one overwrites the twelve preset colours.
  void SetColorStyle(TSelectionColorStyle Value);

  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

private:
  void Changed();
  void SetColorField(TColor& Field, TColor Value);

  TPersistent* FOwner;
  TColor FColorMirrorHotTo = clNone;
  TColor FBorderColor = clNone;
  TColor FColorMirrorHot = clNone;
  TColor FColorSelectedTo = clNone;
  TColor FColorSelected = clNone;
  TColor FEdgeColor = clNone;
  TColor FColorHotTo = clNone;
  TColor FBorderColorBottom = clNone;
  TColor FColorHot = clNone;
  TColor FBorderColorTop = clNone;
  TColor FColorMirrorSelectedTo = clNone;
  TColor FColorMirrorSelected = clNone;
  TColor FColorSelectedText = clNone;
  TColor FColorHotText = clNone;
  TSelectionColorStyle FColorStyle = scCustom;
  std::unique_ptr<TFont> FFont;
  TColor FBorderColorHot = clNone;
  TColor FBorderColorSelected = clNone;
};

// The panel inside the host: lays out, paints and tracks the items. Its owner must be the host.
class TCustomItemSelector : public TCustomControl {
  ZELK_CLASS(TCustomItemSelector, TCustomControl)
public:
  // Exception "Invalid parent" unless AOwner is a TNeoCustomItemSelector.
  explicit TCustomItemSelector(TComponent* AOwner);

  Integer GetItemIndex() const { return FItemIndex; }
  // A disabled item or an index at or beyond Count is ignored. The new item is drawn at once and
  // OnItemSelect fires, also for the index already selected.
  void SetItemIndex(Integer Value);
  Integer GetItemHot() const { return FItemHot; }
  // A disabled item or the hot one is ignored; no event.
  void SetItemHot(Integer Index);
  TNeoCustomItemSelector* GetNeoItemSelector() const { return FNeoItemSelector; }

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  // Selects the next item whose caption, as trimmed upper-case plain text, begins with S (see the
  // source for the two passes).
  bool LookupItem(const String& S);
  Integer ItemAtPos(Integer X, Integer Y);
  // (-1, -1, -1, -1) for an invalid index.
  TRect GetItemRect(Integer Index);

  // Forwards to the host.
  Integer GetColumns() const;
  TSelectorItems* GetItems() const;
  TSelectorType GetSelectorType() const;
  TItemLayout GetItemLayout() const;
  TCustomImageList* GetImages() const;
  Integer GetColorBoxWidth() const;
  Integer GetColorBoxHeight() const;
  TSelectionColorStyle GetItemColorStyle() const;
  TColor GetItemColorHot() const;
  TColor GetItemColorHotTo() const;
  TColor GetItemColorSelected() const;
  TColor GetItemColorSelectedTo() const;

  Integer GetOffSetX() const { return FOffSetX; }
  Integer GetOffSetY() const { return FOffSetY; }
  Integer GetItemOffSetX() const { return FItemOffSetX; }
  Integer GetItemOffSetY() const { return FItemOffSetY; }
  Integer GetCaptionGap() const { return FCaptionGap; }

  TNotifyEvent OnItemSelect;

  // The operations the pickers override, in this order.
  virtual void DrawItem(Integer Index, TCanvas* Canvas);
  virtual void DrawItems(TCanvas* Canvas);
  virtual TRect GetItemArea();
  virtual TSize GetItemSize();
  virtual void InvalidateItem(Integer Index);
  // Lays the items out and sizes the panel to them (100 x 50 without items).
  virtual void UpdateItems();
  virtual void DrawItemBackground(Integer Index, TCanvas* Canvas);

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;

private:
  bool IsValidIndex(Integer Index) const;
  bool IsEnabledItem(Integer Index) const;
  TSelectorItem* Item(Integer Index) const;
  Single Scale();
  // The appearance's font with its height scaled.
  void SetScaledFont(TCanvas* Canvas);
  // The item's picture or image-list size (0 x 0 for neither); colour boxes are not included.
  TSize ImageSizeOf(TSelectorItem* It) const;
  // Step 1 of DrawItem; true when the item is hot or selected.
  void PaintBackground(Integer Index, TCanvas* Canvas);
  // Draws the item's picture, list image or colour box at (X, Y); false when nothing was drawn.
  bool DrawImage(TCanvas* Canvas, TSelectorItem* It, Integer X, Integer Y, TSize Size, TColor BoxColor);
  void DrawCaption(TCanvas* Canvas, const String& Caption, TRect R, bool Center);
  TPoint MeasureCaption(TCanvas* Canvas, const String& Caption, TRect R);
  // The caption's size in the layout: a caption without markup is measured once per font key.
  TPoint CaptionSize(TCanvas* Canvas, TSelectorItem* It, Integer FontKey);
  // The key of the canvas's font and resolution, new whenever they differ from the last layout's.
  Integer CaptionFontKey(TCanvas* Canvas);

  Integer FItemIndex = -1;
  Integer FItemHot = -1;
  Integer FOffSetX = 2;
  Integer FOffSetY = 2;
  Integer FItemOffSetX = 4;
  Integer FItemOffSetY = 4;
  Integer FCaptionGap = 4;
  TNeoCustomItemSelector* FNeoItemSelector = nullptr;
  String FCaptionFont;
  Integer FCaptionFontKey = 0;
};

class TNeoCustomItemSelector : public TScrollingWinControl {
  ZELK_CLASS(TNeoCustomItemSelector, TScrollingWinControl)
public:
  explicit TNeoCustomItemSelector(TComponent* AOwner);
  ~TNeoCustomItemSelector() override;

  TSelectorItems* GetItems() const { return FItems.get(); }
  void SetItems(TSelectorItems* Value) { FItems->Assign(Value); }
  Integer GetColumns() const { return FColumns; }
  void SetColumns(Integer Value);   // values below 1 are ignored
  TSelectorType GetSelectorType() const { return FSelectorType; }
  void SetSelectorType(TSelectorType Value);
  TItemLayout GetItemLayout() const { return FItemLayout; }
  // Only stores: callers relayout with UpdateSelectorPanel.
  void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  Integer GetColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(Integer Value);
  Integer GetColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(Integer Value);
  TItemAppearance* GetItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  Integer GetItemIndex() const;
  void SetItemIndex(Integer Value);
  Integer GetItemHot() const;
  TCustomItemSelector* GetItemSelectorPanel() const { return FItemSelectorPanel; }

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  bool LookupItem(const String& S);
  // Whole rows that fit the height (less a visible horizontal bar), times Columns.
  Integer GetVisibleItemCount();
  TSize GetPanelSize();
  // Scrolls vertically so that the item, with the bar's margin around it, is in view.
  void ScrollItemInView(Integer Index);
  void UpdateSelectorPanel();

  TNotifyEvent OnItemSelect;
  NeoItemSelector::TDrawItemEvent OnDrawItem;
  TDrawItemsEvent OnBeforeDrawItems;
  TDrawItemsEvent OnAfterDrawItems;
  TItemSizeEvent OnItemSize;

  void Dispatch(TMessage& Message) override;

protected:
  virtual void CreateSelectorPanel();
  void ItemsChanged(TObject* Sender);
  void DoItemSelect(TObject* Sender);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  template <class T> void SetAndRelayout(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    UpdateSelectorPanel();
  }
  // Runs the panel's operation, then scrolls the item Which gives into view.
  template <class Op, class Which> void MoveAndScroll(Op Operation, Which Index) {
    if (!FItemSelectorPanel) return;
    (FItemSelectorPanel->*Operation)();
    ScrollItemInView((FItemSelectorPanel->*Index)());
  }

  std::unique_ptr<TSelectorItems> FItems;
  TSelectorType FSelectorType = stImage;
  TItemLayout FItemLayout = ilCaptionRight;
  Integer FColumns = 1;
  Integer FColorBoxWidth = 14;
  Integer FColorBoxHeight = 14;
  TCustomImageList* FImages = nullptr;
  TCustomItemSelector* FItemSelectorPanel = nullptr;
  std::unique_ptr<TItemAppearance> FItemAppearance;
};

// Publishes the host's and the appearance's properties (once).
void RegisterNeoItemSelectorRtti();
