#pragma once
// The grid's option groups that tell the grid about their changes through events: the search
// footer, keyboard navigation, mouse actions, banded rows, synchronising with another grid and the
// focus helper. Each group's Assign copies only from a group of its own class (any other source is
// ignored) and copies the fields directly: no setter side effect, no event.
#include <functional>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/rtl/StringLists.h"
#include "platform/ui/Graphics.h"

// A published property stored as a plain field: F<Name>, Get<Name>() and Set<Name>(Value).
#define NEO_PLAIN_PROPERTY(Type, Name, Init)         \
public:                                              \
  Type Get##Name() const { return F##Name; }         \
  void Set##Name(Type Value) { F##Name = Value; }    \
                                                     \
private:                                             \
  Type F##Name = Init;                               \
                                                     \
public:

// A published property whose setter stores the value and then calls Notify(): always, or with
// NEO_CHANGE_PROPERTY only when the value changes.
#define NEO_NOTIFY_PROPERTY(Type, Name, Init, Notify) \
public:                                               \
  const Type& Get##Name() const { return F##Name; }   \
  void Set##Name(const Type& Value) {                 \
    F##Name = Value;                                  \
    Notify();                                         \
  }                                                   \
                                                      \
private:                                              \
  Type F##Name = Init;                                \
                                                      \
public:
#define NEO_CHANGE_PROPERTY(Type, Name, Init, Notify) \
public:                                               \
  Type Get##Name() const { return F##Name; }          \
  void Set##Name(Type Value) {                        \
    if (F##Name == Value) return;                     \
    F##Name = Value;                                  \
    Notify();                                         \
  }                                                   \
                                                      \
private:                                              \
  Type F##Name = Init;                                \
                                                      \
public:

class TNeoStringGrid;

// ---------------------------------------------------------------------------------------------
// TSearchFooter
// ---------------------------------------------------------------------------------------------
enum TSearchHighLight { hMatchingText, hFullCell };
enum TSearchDirection { sdTopBottom, sdLeftRight };
enum TSearchType { stSearch, stNarrowDown };

class TSearchFooter : public TPersistent {
  ZELK_CLASS(TSearchFooter, TPersistent)
public:
  // With Designing the captions and hints get their English texts; otherwise they start empty.
  explicit TSearchFooter(bool Designing = false);
  ~TSearchFooter() override;
  void Assign(TPersistent* Source) override;

  NEO_NOTIFY_PROPERTY(bool, AlwaysHighLight, false, Changed)
  NEO_CHANGE_PROPERTY(TColor, Color, 0xFFFFFF, Changed)
  NEO_CHANGE_PROPERTY(TColor, ColorTo, clBtnFace, Changed)
  NEO_NOTIFY_PROPERTY(String, FindNextCaption, u"", Changed)
  NEO_NOTIFY_PROPERTY(String, FindPrevCaption, u"", Changed)
  NEO_NOTIFY_PROPERTY(TSearchHighLight, HighLight, hMatchingText, Changed)
  NEO_NOTIFY_PROPERTY(String, HighLightCaption, u"", Changed)
  NEO_NOTIFY_PROPERTY(String, HintClose, u"", Changed)
  NEO_NOTIFY_PROPERTY(String, HintFindNext, u"", Changed)
  NEO_NOTIFY_PROPERTY(String, HintFindPrev, u"", Changed)
  NEO_NOTIFY_PROPERTY(String, HintHighlight, u"", Changed)
  NEO_NOTIFY_PROPERTY(bool, IgnoreHTML, true, Changed)
  NEO_NOTIFY_PROPERTY(bool, IgnoreAccents, false, Changed)
  NEO_NOTIFY_PROPERTY(String, MatchCaseCaption, u"", Changed)
  NEO_NOTIFY_PROPERTY(String, ResultFormat, u"(%d of %d)", Changed)
  NEO_NOTIFY_PROPERTY(bool, SearchActiveColumnOnly, false, Changed)
  NEO_NOTIFY_PROPERTY(Integer, SearchColumn, -1, Changed)
  NEO_NOTIFY_PROPERTY(bool, SearchMatchStart, false, Changed)
  NEO_NOTIFY_PROPERTY(bool, SearchFixedCells, false, Changed)
  NEO_NOTIFY_PROPERTY(bool, SearchHiddenRows, false, Changed)
  NEO_CHANGE_PROPERTY(TColor, SearchColor, clWindow, Changed)
  NEO_CHANGE_PROPERTY(TColor, SearchTextColor, clWindowText, Changed)
  NEO_CHANGE_PROPERTY(TColor, SearchErrorColor, 0x0000FF, Changed)
  NEO_CHANGE_PROPERTY(TColor, SearchErrorTextColor, 0xFFFFFF, Changed)
  NEO_NOTIFY_PROPERTY(TSearchDirection, SearchDirection, sdTopBottom, Changed)
  NEO_NOTIFY_PROPERTY(bool, SearchFromFocusCell, false, Changed)
  NEO_NOTIFY_PROPERTY(TSearchType, SearchType, stSearch, Changed)
  NEO_NOTIFY_PROPERTY(bool, ShowClose, true, Changed)
  NEO_NOTIFY_PROPERTY(bool, ShowFindNext, true, Changed)
  NEO_NOTIFY_PROPERTY(bool, ShowFindPrev, true, Changed)
  NEO_NOTIFY_PROPERTY(bool, ShowHighLight, true, Changed)
  NEO_NOTIFY_PROPERTY(bool, ShowResults, false, Changed)
  NEO_NOTIFY_PROPERTY(bool, ShowMatchCase, true, Changed)
  NEO_CHANGE_PROPERTY(bool, Visible, false, Changed)

  bool GetAutoSearch() const { return FAutoSearch; }
  // Also forgets the last search text.
  void SetAutoSearch(bool Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  // The text searched last (written by the search logic of the grid).
  String LastSearch;

  TNotifyEvent OnChange;

private:
  void Changed();
  bool FAutoSearch = true;
  std::unique_ptr<TFont> FFont;
};

// ---------------------------------------------------------------------------------------------
// TNavigation
// ---------------------------------------------------------------------------------------------
enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardPasteAction { paReplace, paInsert };
enum TClipboardCutAction { caClear, caRemove };
enum TCursorAdvance { caDefault, caSnake, caLoop };
// What Home and End go to.
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell, heDefault };

class TNavigation : public TPersistent {
  ZELK_CLASS(TNavigation, TPersistent)
public:
  void Assign(TPersistent* Source) override;

  NEO_PLAIN_PROPERTY(bool, AllowInsertRow, false)
  NEO_PLAIN_PROPERTY(bool, AllowDeleteRow, false)
  NEO_PLAIN_PROPERTY(bool, AllowDeleteCells, false)
  NEO_PLAIN_PROPERTY(bool, AlwaysEdit, false)
  NEO_PLAIN_PROPERTY(bool, AdvanceOnEnter, false)
  NEO_PLAIN_PROPERTY(bool, AdvanceOnEnterLoop, true)
  NEO_CHANGE_PROPERTY(bool, AdvanceInsert, false, Changed)
  NEO_PLAIN_PROPERTY(bool, AdvanceAutoEdit, true)
  NEO_PLAIN_PROPERTY(bool, AutoGotoWhenSorted, false)
  NEO_PLAIN_PROPERTY(bool, AutoGotoIncremental, false)
  NEO_PLAIN_PROPERTY(bool, AutoComboDropSize, false)
  NEO_CHANGE_PROPERTY(TAdvanceDirection, AdvanceDirection, adLeftRight, Changed)
  NEO_PLAIN_PROPERTY(bool, AllowClipboardShortCuts, false)
  NEO_PLAIN_PROPERTY(bool, AllowCtrlEnter, true)
  NEO_PLAIN_PROPERTY(bool, AllowSmartClipboard, false)
  NEO_PLAIN_PROPERTY(bool, AllowRTFClipboard, false)
  NEO_PLAIN_PROPERTY(bool, AllowFmtClipboard, false)
  NEO_PLAIN_PROPERTY(bool, AllowClipboardAlways, false)
  NEO_PLAIN_PROPERTY(bool, AllowClipboardRowGrow, true)
  NEO_PLAIN_PROPERTY(bool, AllowClipboardColGrow, true)
  NEO_PLAIN_PROPERTY(bool, AppendOnArrowDown, false)
  NEO_PLAIN_PROPERTY(bool, EditSelectAll, true)
  NEO_PLAIN_PROPERTY(TInsertPosition, InsertPosition, pInsertBefore)
  NEO_PLAIN_PROPERTY(TClipboardPasteAction, ClipboardPasteAction, paReplace)
  NEO_PLAIN_PROPERTY(TClipboardCutAction, ClipboardCutAction, caClear)
  NEO_PLAIN_PROPERTY(TCursorAdvance, CursorAdvance, caDefault)
  NEO_PLAIN_PROPERTY(bool, CursorWalkEditor, false)
  NEO_PLAIN_PROPERTY(bool, CursorWalkAlwaysEdit, true)
  NEO_PLAIN_PROPERTY(bool, CursorMoveRows, false)
  NEO_PLAIN_PROPERTY(bool, MoveRowOnSort, false)
  NEO_PLAIN_PROPERTY(bool, KeepScrollOnSort, false)
  NEO_PLAIN_PROPERTY(bool, MoveRowOnScroll, false)
  NEO_PLAIN_PROPERTY(bool, MoveScrollOnly, false)
  NEO_PLAIN_PROPERTY(bool, ImproveMaskSel, false)
  NEO_PLAIN_PROPERTY(bool, CopyHTMLTagsToClipboard, true)
  NEO_PLAIN_PROPERTY(bool, KeepHorizScroll, false)
  NEO_PLAIN_PROPERTY(bool, LineFeedOnEnter, false)
  NEO_PLAIN_PROPERTY(THomeEndAction, HomeEndKey, heFirstLastColumn)
  NEO_PLAIN_PROPERTY(bool, SkipFixedCells, true)
  NEO_PLAIN_PROPERTY(bool, SkipDisabledRows, true)
  NEO_PLAIN_PROPERTY(bool, SkipReadOnly, false)
  NEO_PLAIN_PROPERTY(bool, TabToNextAtEnd, false)
  NEO_PLAIN_PROPERTY(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
  NEO_PLAIN_PROPERTY(bool, LeftRightRowSelect, true)
  NEO_PLAIN_PROPERTY(bool, ComboGetUpDown, true)
  NEO_PLAIN_PROPERTY(bool, AdvanceSkipReadOnlyCells, true)
  NEO_PLAIN_PROPERTY(bool, AutoComboSelect, true)
  NEO_PLAIN_PROPERTY(bool, AllowEditButtonCells, false)
  NEO_PLAIN_PROPERTY(bool, ToggleTriStateCheck, false)

  bool GetAdvanceAuto() const { return FAdvanceAuto; }
  // True also switches AdvanceOnEnter on.
  void SetAdvanceAuto(bool Value);

  TNotifyEvent OnChange;

private:
  void Changed();
  bool FAdvanceAuto = false;
};

// ---------------------------------------------------------------------------------------------
// TMouseActions
// ---------------------------------------------------------------------------------------------
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
// Which click opens a fixed-cell editor.
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TWheelAction { waMoveSelection, waScroll };
enum TWheelActive { waAlways, waMouseOver };

class TMouseActions : public TPersistent {
  ZELK_CLASS(TMouseActions, TPersistent)
public:
  TMouseActions();
  ~TMouseActions() override;
  void Assign(TPersistent* Source) override;

  NEO_PLAIN_PROPERTY(bool, AllColumnSize, false)
  NEO_PLAIN_PROPERTY(bool, AllRowSize, false)
  NEO_PLAIN_PROPERTY(bool, AllSelect, false)
  NEO_PLAIN_PROPERTY(bool, AllSelectAllFixedColumns, true)
  NEO_PLAIN_PROPERTY(bool, AutoFocus, false)
  NEO_PLAIN_PROPERTY(bool, AutoSizeColOnDblClick, true)
  NEO_PLAIN_PROPERTY(bool, CaretPositioning, false)
  NEO_PLAIN_PROPERTY(bool, CheckAllCheck, false)
  NEO_PLAIN_PROPERTY(bool, ColSelect, false)
  NEO_PLAIN_PROPERTY(bool, DirectComboClose, false)
  NEO_PLAIN_PROPERTY(bool, DirectComboDrop, false)
  NEO_PLAIN_PROPERTY(bool, DirectDateClose, false)
  NEO_PLAIN_PROPERTY(bool, DirectDateDrop, false)
  NEO_PLAIN_PROPERTY(bool, DirectEdit, false)
  NEO_PLAIN_PROPERTY(bool, DisjunctRowSelectNoCtrl, false)
  NEO_PLAIN_PROPERTY(bool, DisjunctColSelectNoCtrl, false)
  NEO_PLAIN_PROPERTY(TGridFixedCellEdit, FixedRowsEdit, fceNone)
  NEO_PLAIN_PROPERTY(TGridFixedCellEdit, FixedColsEdit, fceNone)
  NEO_PLAIN_PROPERTY(TGridFixedCellEditor, FixedColsEditor, fceEdit)
  NEO_PLAIN_PROPERTY(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
  NEO_PLAIN_PROPERTY(bool, MoveRowOnNodeClick, false)
  NEO_PLAIN_PROPERTY(bool, NoAutoRangeScroll, false)
  NEO_PLAIN_PROPERTY(bool, NodeAllExpandContract, false)
  NEO_PLAIN_PROPERTY(bool, NoScrollOnPartialRow, false)
  NEO_PLAIN_PROPERTY(bool, NoScrollOnPartialCol, false)
  NEO_PLAIN_PROPERTY(Integer, PartialScrollDelta, 0)
  NEO_PLAIN_PROPERTY(bool, PreciseCheckBoxCheck, false)
  NEO_PLAIN_PROPERTY(bool, PreciseNodeClick, true)
  NEO_PLAIN_PROPERTY(bool, RangeSelectAndEdit, false)
  NEO_PLAIN_PROPERTY(bool, RowSelect, false)
  NEO_PLAIN_PROPERTY(bool, RowSelectPersistent, false)
  NEO_PLAIN_PROPERTY(bool, SelectOnRightClick, false)
  NEO_PLAIN_PROPERTY(bool, SelectOnRightClickNewSelectionOnly, false)
  NEO_PLAIN_PROPERTY(bool, SizeFixedCol, false)
  NEO_PLAIN_PROPERTY(bool, SizeFixedRow, false)
  NEO_PLAIN_PROPERTY(bool, ToggleNodeOnDblClick, false)
  NEO_PLAIN_PROPERTY(bool, TouchScroll, false)
  NEO_PLAIN_PROPERTY(Integer, WheelIncrement, 0)
  NEO_CHANGE_PROPERTY(TWheelAction, WheelAction, waMoveSelection, Changed)
  NEO_PLAIN_PROPERTY(TWheelActive, WheelActive, waAlways)

  // True while the grid reports design time clears the other two disjunct selections.
  bool GetDisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  bool GetDisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool Value);
  bool GetDisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool Value);
  // True also sets DisjunctRowSelect and CheckAllCheck, then fires OnInvalidate.
  bool GetHotmailRowSelect() const { return FHotmailRowSelect; }
  void SetHotmailRowSelect(bool Value);
  // True fires OnDisableEdit.
  bool GetEditOnDblClickOnly() const { return FEditOnDblClickOnly; }
  void SetEditOnDblClickOnly(bool Value);
  TStringList* GetFixedComboValues() const { return FFixedComboValues.get(); }
  void SetFixedComboValues(TStrings* Value) { FFixedComboValues->Assign(Value); }

  TNotifyEvent OnChange;
  std::function<bool(TObject* Sender)> OnIsDesigning;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;

private:
  void Changed();
  // False without a handler.
  bool Designing();
  // Sets one disjunct selection; at design time a True one clears the other two.
  void SetDisjunct(bool& Field, bool Value);
  bool FDisjunctRowSelect = false;
  bool FDisjunctColSelect = false;
  bool FDisjunctCellSelect = false;
  bool FHotmailRowSelect = false;
  bool FEditOnDblClickOnly = false;
  std::unique_ptr<TStringList> FFixedComboValues;
};

// ---------------------------------------------------------------------------------------------
// TBands
// ---------------------------------------------------------------------------------------------
class TBands : public TPersistent {
  ZELK_CLASS(TBands, TPersistent)
public:
  void Assign(TPersistent* Source) override;

  NEO_CHANGE_PROPERTY(bool, Active, false, Changed)
  NEO_PLAIN_PROPERTY(bool, Print, false)
  // The colour and length setters fire OnChange only while Active and only on a change.
  TColor GetPrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor Value) { SetBand(FPrimaryColor, Value); }
  TColor GetSecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor Value) { SetBand(FSecondaryColor, Value); }
  Integer GetPrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(Integer Value) { SetBand(FPrimaryLength, Value); }
  Integer GetSecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(Integer Value) { SetBand(FSecondaryLength, Value); }
  // PrimaryLength + SecondaryLength.
  Integer GetTotalLength() const { return FTotalLength; }

  TNotifyEvent OnChange;

private:
  void Changed();
  template <class V> void SetBand(V& Field, V Value) {
    bool changed = Field != Value;
    Field = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (changed && FActive) Changed();
  }
  TColor FPrimaryColor = clInfoBk;
  TColor FSecondaryColor = clWindow;
  Integer FPrimaryLength = 1;
  Integer FSecondaryLength = 1;
  Integer FTotalLength = 2;
};

// ---------------------------------------------------------------------------------------------
// TSyncGrid
// ---------------------------------------------------------------------------------------------
class TSyncGrid : public TPersistent {
  ZELK_CLASS(TSyncGrid, TPersistent)
public:
  explicit TSyncGrid(TNeoStringGrid* AOwnerGrid) : FOwnerGrid(AOwnerGrid) {}
  void Assign(TPersistent* Source) override;

  TNeoStringGrid* GetOwnerGrid() const { return FOwnerGrid; }
  TNeoStringGrid* GetGrid() const { return FGrid; }
  // The owning grid itself is ignored.
  void SetGrid(TNeoStringGrid* Value);
  NEO_PLAIN_PROPERTY(bool, ScrollVertical, false)
  NEO_PLAIN_PROPERTY(bool, ScrollHorizontal, false)
  NEO_PLAIN_PROPERTY(bool, SelectionColumn, false)
  NEO_PLAIN_PROPERTY(bool, SelectionRow, false)
  NEO_PLAIN_PROPERTY(bool, MoveColumn, false)
  NEO_PLAIN_PROPERTY(bool, MoveRow, false)

private:
  TNeoStringGrid* FOwnerGrid;
  TNeoStringGrid* FGrid = nullptr;
};

// ---------------------------------------------------------------------------------------------
// TFocusHelper
// ---------------------------------------------------------------------------------------------
class TFocusHelper : public TPersistent {
  ZELK_CLASS(TFocusHelper, TPersistent)
public:
  void Assign(TPersistent* Source) override;
  NEO_PLAIN_PROPERTY(bool, Enabled, false)
};
