#include "lib/grid/core/NeoGridOptions.h"

#include "lib/grid/core/NeoStringGrid.h"

namespace {

void Fire(const TNotifyEvent& Event, TObject* Sender) {
  if (Event) Event(Sender);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TSearchFooter
// ---------------------------------------------------------------------------------------------
TSearchFooter::TSearchFooter(bool Designing) : FFont(std::make_unique<TFont>()) {
  FFont->OnChange = [this](TObject*) { Changed(); };
  if (!Designing) return;
  FFindPrevCaption = u"Find &previous";
  FFindNextCaption = u"Find &next";
  FMatchCaseCaption = u"Match case";
  FHighLightCaption = u"Highlight";
  FHintClose = u"Close";
  FHintFindNext = u"Find next occurrence";
  FHintFindPrev = u"Find previous occurrence";
  FHintHighlight = u"Highlight occurrences";
}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Changed() { Fire(OnChange, this); }

void TSearchFooter::SetAutoSearch(bool Value) {
  FAutoSearch = Value;
  LastSearch.clear();
  Changed();
}

void TSearchFooter::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSearchFooter*>(Source);
  if (!s) return;
  FAlwaysHighLight = s->FAlwaysHighLight;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FFindNextCaption = s->FFindNextCaption;
  FFindPrevCaption = s->FFindPrevCaption;
  FHighLightCaption = s->FHighLightCaption;
  FHintClose = s->FHintClose;
  FHintFindNext = s->FHintFindNext;
  FHintFindPrev = s->FHintFindPrev;
  FHintHighlight = s->FHintHighlight;
  FMatchCaseCaption = s->FMatchCaseCaption;
  FShowClose = s->FShowClose;
  FShowFindNext = s->FShowFindNext;
  FShowFindPrev = s->FShowFindPrev;
  FShowHighLight = s->FShowHighLight;
  FShowMatchCase = s->FShowMatchCase;
  FSearchActiveColumnOnly = s->FSearchActiveColumnOnly;
  FSearchMatchStart = s->FSearchMatchStart;
  FSearchColumn = s->FSearchColumn;
  FSearchDirection = s->FSearchDirection;
  FSearchHiddenRows = s->FSearchHiddenRows;
  FVisible = s->FVisible;
  {
    // The font's own Assign, without the footer's change event.
    TNotifyEvent keep = std::move(FFont->OnChange);
    FFont->OnChange = nullptr;
    FFont->Assign(s->FFont.get());
    FFont->OnChange = std::move(keep);
  }
  FHighLight = s->FHighLight;
  FSearchErrorColor = s->FSearchErrorColor;
  FSearchErrorTextColor = s->FSearchErrorTextColor;
  FShowResults = s->FShowResults;
  FResultFormat = s->FResultFormat;
  FIgnoreHTML = s->FIgnoreHTML;
  FIgnoreAccents = s->FIgnoreAccents;
  FSearchFromFocusCell = s->FSearchFromFocusCell;
  FSearchType = s->FSearchType;
  FSearchColor = s->FSearchColor;
  FSearchTextColor = s->FSearchTextColor;
}

// ---------------------------------------------------------------------------------------------
// TNavigation
// ---------------------------------------------------------------------------------------------
void TNavigation::Changed() { Fire(OnChange, this); }

void TNavigation::SetAdvanceAuto(bool Value) {
  FAdvanceAuto = Value;
  if (Value) FAdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNavigation*>(Source);
  if (!s) return;
  FAllowInsertRow = s->FAllowInsertRow;
  FAllowDeleteRow = s->FAllowDeleteRow;
  FAllowDeleteCells = s->FAllowDeleteCells;
  FAlwaysEdit = s->FAlwaysEdit;
  FAdvanceOnEnter = s->FAdvanceOnEnter;
  FAdvanceOnEnterLoop = s->FAdvanceOnEnterLoop;
  FAdvanceInsert = s->FAdvanceInsert;
  FAdvanceAutoEdit = s->FAdvanceAutoEdit;
  FAutoGotoWhenSorted = s->FAutoGotoWhenSorted;
  FAutoGotoIncremental = s->FAutoGotoIncremental;
  FAutoComboDropSize = s->FAutoComboDropSize;
  FAdvanceDirection = s->FAdvanceDirection;
  FAllowClipboardShortCuts = s->FAllowClipboardShortCuts;
  FAllowCtrlEnter = s->FAllowCtrlEnter;
  FAllowSmartClipboard = s->FAllowSmartClipboard;
  FAllowRTFClipboard = s->FAllowRTFClipboard;
  FAllowFmtClipboard = s->FAllowFmtClipboard;
  FAllowClipboardAlways = s->FAllowClipboardAlways;
  FAllowClipboardRowGrow = s->FAllowClipboardRowGrow;
  FAllowClipboardColGrow = s->FAllowClipboardColGrow;
  FAdvanceAuto = s->FAdvanceAuto;
  FAppendOnArrowDown = s->FAppendOnArrowDown;
  FEditSelectAll = s->FEditSelectAll;
  FInsertPosition = s->FInsertPosition;
  FClipboardPasteAction = s->FClipboardPasteAction;
  FCursorAdvance = s->FCursorAdvance;
  FCursorWalkEditor = s->FCursorWalkEditor;
  FCursorWalkAlwaysEdit = s->FCursorWalkAlwaysEdit;
  FMoveRowOnSort = s->FMoveRowOnSort;
  FImproveMaskSel = s->FImproveMaskSel;
  FCopyHTMLTagsToClipboard = s->FCopyHTMLTagsToClipboard;
  FKeepHorizScroll = s->FKeepHorizScroll;
  FLineFeedOnEnter = s->FLineFeedOnEnter;
  FHomeEndKey = s->FHomeEndKey;
  FSkipFixedCells = s->FSkipFixedCells;
  FSkipDisabledRows = s->FSkipDisabledRows;
  FTabToNextAtEnd = s->FTabToNextAtEnd;
  FTabAdvanceDirection = s->FTabAdvanceDirection;
  FLeftRightRowSelect = s->FLeftRightRowSelect;
  FMoveScrollOnly = s->FMoveScrollOnly;
  FComboGetUpDown = s->FComboGetUpDown;
  FAdvanceSkipReadOnlyCells = s->FAdvanceSkipReadOnlyCells;
  FCursorMoveRows = s->FCursorMoveRows;
  FAutoComboSelect = s->FAutoComboSelect;
  FClipboardCutAction = s->FClipboardCutAction;
  FAllowEditButtonCells = s->FAllowEditButtonCells;
  FToggleTriStateCheck = s->FToggleTriStateCheck;
  FMoveRowOnScroll = s->FMoveRowOnScroll;
  FSkipReadOnly = s->FSkipReadOnly;
}

// ---------------------------------------------------------------------------------------------
// TMouseActions
// ---------------------------------------------------------------------------------------------
TMouseActions::TMouseActions() : FFixedComboValues(std::make_unique<TStringList>()) {}
TMouseActions::~TMouseActions() = default;

void TMouseActions::Changed() { Fire(OnChange, this); }

bool TMouseActions::Designing() { return OnIsDesigning && OnIsDesigning(this); }

void TMouseActions::SetDisjunct(bool& Field, bool Value) {
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctColSelect = FDisjunctCellSelect = false;
  Field = Value;
}

void TMouseActions::SetDisjunctRowSelect(bool Value) { SetDisjunct(FDisjunctRowSelect, Value); }
void TMouseActions::SetDisjunctColSelect(bool Value) { SetDisjunct(FDisjunctColSelect, Value); }
void TMouseActions::SetDisjunctCellSelect(bool Value) { SetDisjunct(FDisjunctCellSelect, Value); }

void TMouseActions::SetHotmailRowSelect(bool Value) {
  FHotmailRowSelect = Value;
  if (!Value) return;
  FDisjunctRowSelect = true;
  FCheckAllCheck = true;
  Fire(OnInvalidate, this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
  FEditOnDblClickOnly = Value;
  if (Value) Fire(OnDisableEdit, this);
}

void TMouseActions::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TMouseActions*>(Source);
  if (!s) return;
  FAllColumnSize = s->FAllColumnSize;
  FAllRowSize = s->FAllRowSize;
  FAllSelect = s->FAllSelect;
  FAllSelectAllFixedColumns = s->FAllSelectAllFixedColumns;
  FAutoFocus = s->FAutoFocus;
  FAutoSizeColOnDblClick = s->FAutoSizeColOnDblClick;
  FCaretPositioning = s->FCaretPositioning;
  FCheckAllCheck = s->FCheckAllCheck;
  FColSelect = s->FColSelect;
  FDirectComboClose = s->FDirectComboClose;
  FDirectComboDrop = s->FDirectComboDrop;
  FDirectDateClose = s->FDirectDateClose;
  FDirectDateDrop = s->FDirectDateDrop;
  FDirectEdit = s->FDirectEdit;
  FDisjunctRowSelect = s->FDisjunctRowSelect;
  FDisjunctColSelect = s->FDisjunctColSelect;
  FDisjunctCellSelect = s->FDisjunctCellSelect;
  FFixedRowsEdit = s->FFixedRowsEdit;
  FFixedColsEdit = s->FFixedColsEdit;
  FFixedColsEditor = s->FFixedColsEditor;
  FFixedRowsEditor = s->FFixedRowsEditor;
  FMoveRowOnNodeClick = s->FMoveRowOnNodeClick;
  FNoAutoRangeScroll = s->FNoAutoRangeScroll;
  FNodeAllExpandContract = s->FNodeAllExpandContract;
  FNoScrollOnPartialRow = s->FNoScrollOnPartialRow;
  FNoScrollOnPartialCol = s->FNoScrollOnPartialCol;
  FPartialScrollDelta = s->FPartialScrollDelta;
  FPreciseCheckBoxCheck = s->FPreciseCheckBoxCheck;
  FPreciseNodeClick = s->FPreciseNodeClick;
  FRangeSelectAndEdit = s->FRangeSelectAndEdit;
  FRowSelect = s->FRowSelect;
  FRowSelectPersistent = s->FRowSelectPersistent;
  FSelectOnRightClick = s->FSelectOnRightClick;
  FSizeFixedCol = s->FSizeFixedCol;
  FToggleNodeOnDblClick = s->FToggleNodeOnDblClick;
  FTouchScroll = s->FTouchScroll;
  FWheelIncrement = s->FWheelIncrement;
  FWheelAction = s->FWheelAction;
  FWheelActive = s->FWheelActive;
  FDisjunctRowSelectNoCtrl = s->FDisjunctRowSelectNoCtrl;
  FDisjunctColSelectNoCtrl = s->FDisjunctColSelectNoCtrl;
  FSelectOnRightClickNewSelectionOnly = s->FSelectOnRightClickNewSelectionOnly;
}

// ---------------------------------------------------------------------------------------------
// TBands, TSyncGrid, TFocusHelper
// ---------------------------------------------------------------------------------------------
void TBands::Changed() { Fire(OnChange, this); }

void TBands::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TBands*>(Source);
  if (!s) return;
  FActive = s->FActive;
  FPrimaryColor = s->FPrimaryColor;
  FPrimaryLength = s->FPrimaryLength;
  FSecondaryColor = s->FSecondaryColor;
  FSecondaryLength = s->FSecondaryLength;
  FPrint = s->FPrint;
  FTotalLength = FPrimaryLength + FSecondaryLength;
}

void TSyncGrid::SetGrid(TNeoStringGrid* Value) {
  if (Value != FOwnerGrid) FGrid = Value;
}

void TSyncGrid::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSyncGrid*>(Source);
  if (!s) return;
  SetGrid(s->FGrid);
  FScrollVertical = s->FScrollVertical;
  FScrollHorizontal = s->FScrollHorizontal;
  FSelectionColumn = s->FSelectionColumn;
  FSelectionRow = s->FSelectionRow;
  FMoveColumn = s->FMoveColumn;
  FMoveRow = s->FMoveRow;
}

void TFocusHelper::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TFocusHelper*>(Source)) FEnabled = s->FEnabled;
}
