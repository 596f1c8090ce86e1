// The grid's option groups: defaults, setters with side effects, change events, and Assign with
// the fields each group leaves out.
#include <gtest/gtest.h>

#include "lib/grid/core/NeoColumnSize.h"
#include "lib/grid/core/NeoGridOptions.h"

namespace {

struct EventCount {
  int N = 0;
  TNotifyEvent Handler() {
    return [this](TObject*) { ++N; };
  }
};

TEST(SearchFooter, DefaultsAndDesignTimeTexts) {
  TSearchFooter f;
  EXPECT_FALSE(f.GetAlwaysHighLight());
  EXPECT_TRUE(f.GetAutoSearch());
  EXPECT_EQ(f.GetColor(), TColor(0xFFFFFF));
  EXPECT_EQ(f.GetColorTo(), clBtnFace);
  EXPECT_EQ(f.GetHighLight(), hMatchingText);
  EXPECT_TRUE(f.GetIgnoreHTML());
  EXPECT_EQ(f.GetResultFormat(), u"(%d of %d)");
  EXPECT_EQ(f.GetSearchColumn(), -1);
  EXPECT_EQ(f.GetSearchColor(), clWindow);
  EXPECT_EQ(f.GetSearchTextColor(), clWindowText);
  EXPECT_EQ(f.GetSearchErrorColor(), TColor(0x0000FF));
  EXPECT_EQ(f.GetSearchErrorTextColor(), TColor(0xFFFFFF));
  EXPECT_EQ(f.GetSearchDirection(), sdTopBottom);
  EXPECT_EQ(f.GetSearchType(), stSearch);
  EXPECT_TRUE(f.GetShowClose() && f.GetShowFindNext() && f.GetShowFindPrev() && f.GetShowHighLight() &&
              f.GetShowMatchCase());
  EXPECT_FALSE(f.GetShowResults() || f.GetVisible());
  EXPECT_EQ(f.GetFindNextCaption(), u"");
  EXPECT_EQ(f.GetHintClose(), u"");

  TSearchFooter d(true);
  EXPECT_EQ(d.GetFindPrevCaption(), u"Find &previous");
  EXPECT_EQ(d.GetFindNextCaption(), u"Find &next");
  EXPECT_EQ(d.GetMatchCaseCaption(), u"Match case");
  EXPECT_EQ(d.GetHighLightCaption(), u"Highlight");
  EXPECT_EQ(d.GetHintClose(), u"Close");
  EXPECT_EQ(d.GetHintFindNext(), u"Find next occurrence");
  EXPECT_EQ(d.GetHintFindPrev(), u"Find previous occurrence");
  EXPECT_EQ(d.GetHintHighlight(), u"Highlight occurrences");
}

TEST(SearchFooter, ColourAndVisibleSettersFireOnlyOnChangeOthersAlways) {
  TSearchFooter f;
  EventCount ev;
  f.OnChange = ev.Handler();
  f.SetVisible(false);
  f.SetSearchColor(clWindow);
  f.SetColor(0xFFFFFF);
  EXPECT_EQ(ev.N, 0);
  f.SetVisible(true);
  f.SetSearchErrorColor(0x00FF00);
  EXPECT_EQ(ev.N, 2);
  f.SetShowClose(true);   // unchanged, fires all the same
  EXPECT_EQ(ev.N, 3);
  f.GetFont()->SetSize(12);   // the owned font notifies the footer
  EXPECT_EQ(ev.N, 4);
  f.LastSearch = u"abc";
  f.SetAutoSearch(false);
  EXPECT_EQ(f.LastSearch, u"");
  EXPECT_EQ(ev.N, 5);
}

TEST(SearchFooter, AssignLeavesOutAutoSearchAndSearchFixedCellsWithoutEvents) {
  TSearchFooter src(true), dst;
  src.SetAutoSearch(false);
  src.SetSearchFixedCells(true);
  src.SetVisible(true);
  src.SetSearchColumn(3);
  src.SetSearchTextColor(0x123456);
  src.SetResultFormat(u"%d/%d");
  src.GetFont()->SetName(u"Arial");
  EventCount ev;
  dst.OnChange = ev.Handler();
  dst.Assign(&src);
  EXPECT_EQ(ev.N, 0);
  EXPECT_TRUE(dst.GetAutoSearch());
  EXPECT_FALSE(dst.GetSearchFixedCells());
  EXPECT_TRUE(dst.GetVisible());
  EXPECT_EQ(dst.GetSearchColumn(), 3);
  EXPECT_EQ(dst.GetSearchTextColor(), TColor(0x123456));
  EXPECT_EQ(dst.GetResultFormat(), u"%d/%d");
  EXPECT_EQ(dst.GetFindNextCaption(), u"Find &next");
  EXPECT_EQ(dst.GetFont()->GetName(), u"Arial");

  TBands other;
  dst.Assign(&other);   // any other source: nothing
  EXPECT_TRUE(dst.GetVisible());
}

TEST(Navigation, DefaultsSideEffectsAndAssign) {
  TNavigation n;
  for (bool v : {n.GetAdvanceOnEnterLoop(), n.GetAdvanceAutoEdit(), n.GetAdvanceSkipReadOnlyCells(),
                 n.GetAutoComboSelect(), n.GetAllowCtrlEnter(), n.GetAllowClipboardRowGrow(),
                 n.GetAllowClipboardColGrow(), n.GetEditSelectAll(), n.GetComboGetUpDown(),
                 n.GetCursorWalkAlwaysEdit(), n.GetLeftRightRowSelect(), n.GetCopyHTMLTagsToClipboard(),
                 n.GetSkipFixedCells(), n.GetSkipDisabledRows()})
    EXPECT_TRUE(v);
  for (bool v : {n.GetAllowInsertRow(), n.GetAlwaysEdit(), n.GetAdvanceOnEnter(), n.GetAdvanceAuto(),
                 n.GetKeepScrollOnSort(), n.GetTabToNextAtEnd(), n.GetToggleTriStateCheck()})
    EXPECT_FALSE(v);
  EXPECT_EQ(n.GetClipboardPasteAction(), paReplace);
  EXPECT_EQ(n.GetClipboardCutAction(), caClear);
  EXPECT_EQ(n.GetCursorAdvance(), caDefault);
  EXPECT_EQ(n.GetAdvanceDirection(), adLeftRight);

  EventCount ev;
  n.OnChange = ev.Handler();
  n.SetAdvanceDirection(adLeftRight);
  n.SetAdvanceInsert(false);
  EXPECT_EQ(ev.N, 0);
  n.SetAdvanceDirection(adTopBottom);
  n.SetAdvanceInsert(true);
  EXPECT_EQ(ev.N, 2);
  n.SetAdvanceAuto(true);
  EXPECT_TRUE(n.GetAdvanceOnEnter());

  TNavigation src;
  src.SetKeepScrollOnSort(true);
  src.SetSkipReadOnly(true);
  src.SetAdvanceDirection(adTopBottomInCol);
  src.SetClipboardCutAction(caRemove);
  TNavigation dst;
  EventCount dev;
  dst.OnChange = dev.Handler();
  dst.Assign(&src);
  EXPECT_EQ(dev.N, 0);
  EXPECT_FALSE(dst.GetKeepScrollOnSort());
  EXPECT_TRUE(dst.GetSkipReadOnly());
  EXPECT_EQ(dst.GetAdvanceDirection(), adTopBottomInCol);
  EXPECT_EQ(dst.GetClipboardCutAction(), caRemove);
}

TEST(MouseActions, DefaultsAndSideEffects) {
  TMouseActions m;
  EXPECT_TRUE(m.GetAutoSizeColOnDblClick());
  EXPECT_TRUE(m.GetPreciseNodeClick());
  EXPECT_TRUE(m.GetAllSelectAllFixedColumns());
  EXPECT_EQ(m.GetFixedColsEditor(), fceEdit);
  EXPECT_EQ(m.GetFixedRowsEditor(), fceEdit);
  EXPECT_FALSE(m.GetRowSelect() || m.GetDisjunctRowSelect() || m.GetHotmailRowSelect());
  EXPECT_EQ(m.GetWheelIncrement(), 0);
  EXPECT_EQ(m.GetWheelAction(), waMoveSelection);

  EventCount inval, disable, change;
  m.OnInvalidate = inval.Handler();
  m.OnDisableEdit = disable.Handler();
  m.OnChange = change.Handler();
  m.SetHotmailRowSelect(true);
  EXPECT_TRUE(m.GetDisjunctRowSelect());
  EXPECT_TRUE(m.GetCheckAllCheck());
  EXPECT_EQ(inval.N, 1);
  m.SetEditOnDblClickOnly(false);
  m.SetEditOnDblClickOnly(true);
  EXPECT_EQ(disable.N, 1);
  m.SetWheelAction(waMoveSelection);
  m.SetWheelAction(waScroll);
  EXPECT_EQ(change.N, 1);

  m.GetFixedComboValues()->Add(u"a");
  TStringList items;
  items.Add(u"x");
  items.Add(u"y");
  m.SetFixedComboValues(&items);
  EXPECT_EQ(m.GetFixedComboValues()->GetCount(), 2);
}

TEST(MouseActions, DisjunctSelectionsExcludeEachOtherOnlyAtDesignTime) {
  TMouseActions m;   // no is-designing handler: run time
  m.SetDisjunctRowSelect(true);
  m.SetDisjunctColSelect(true);
  EXPECT_TRUE(m.GetDisjunctRowSelect());
  bool designing = true;
  m.OnIsDesigning = [&](TObject*) { return designing; };
  m.SetDisjunctCellSelect(true);
  EXPECT_FALSE(m.GetDisjunctRowSelect());
  EXPECT_FALSE(m.GetDisjunctColSelect());
  EXPECT_TRUE(m.GetDisjunctCellSelect());
  m.SetDisjunctRowSelect(false);   // False clears nothing
  EXPECT_TRUE(m.GetDisjunctCellSelect());
}

TEST(MouseActions, AssignLeavesOutFourFields) {
  TMouseActions src, dst;
  src.SetSizeFixedRow(true);
  src.SetHotmailRowSelect(true);
  src.SetEditOnDblClickOnly(true);
  src.GetFixedComboValues()->Add(u"v");
  src.SetSizeFixedCol(true);
  src.SetWheelActive(waMouseOver);
  src.SetSelectOnRightClickNewSelectionOnly(true);
  EventCount ev;
  dst.OnChange = ev.Handler();
  dst.OnInvalidate = ev.Handler();
  dst.OnDisableEdit = ev.Handler();
  dst.Assign(&src);
  EXPECT_EQ(ev.N, 0);
  EXPECT_FALSE(dst.GetSizeFixedRow());
  EXPECT_FALSE(dst.GetHotmailRowSelect());
  EXPECT_FALSE(dst.GetEditOnDblClickOnly());
  EXPECT_EQ(dst.GetFixedComboValues()->GetCount(), 0);
  EXPECT_TRUE(dst.GetSizeFixedCol());
  EXPECT_TRUE(dst.GetDisjunctRowSelect());   // set by HotmailRowSelect on the source
  EXPECT_TRUE(dst.GetCheckAllCheck());
  EXPECT_EQ(dst.GetWheelActive(), waMouseOver);
  EXPECT_TRUE(dst.GetSelectOnRightClickNewSelectionOnly());
}

TEST(Bands, TotalLengthAndEventsOnlyWhileActive) {
  TBands b;
  EXPECT_FALSE(b.GetActive());
  EXPECT_EQ(b.GetPrimaryColor(), clInfoBk);
  EXPECT_EQ(b.GetSecondaryColor(), clWindow);
  EXPECT_EQ(b.GetTotalLength(), 2);
  EventCount ev;
  b.OnChange = ev.Handler();
  b.SetPrimaryLength(3);
  b.SetPrimaryColor(0x00FF00);
  EXPECT_EQ(ev.N, 0);
  EXPECT_EQ(b.GetTotalLength(), 4);
  b.SetActive(true);
  EXPECT_EQ(ev.N, 1);
  b.SetSecondaryLength(1);   // unchanged
  EXPECT_EQ(ev.N, 1);
  b.SetSecondaryLength(4);
  EXPECT_EQ(ev.N, 2);
  EXPECT_EQ(b.GetTotalLength(), 7);

  TBands c;
  c.Assign(&b);
  EXPECT_TRUE(c.GetActive());
  EXPECT_EQ(c.GetPrimaryColor(), TColor(0x00FF00));
  EXPECT_EQ(c.GetTotalLength(), 7);
}

TEST(SyncGridAndFocusHelper, AssignAndOwnerIgnored) {
  auto* owner = reinterpret_cast<TNeoStringGrid*>(0x1000);
  auto* other = reinterpret_cast<TNeoStringGrid*>(0x2000);
  TSyncGrid s(owner);
  s.SetGrid(owner);
  EXPECT_EQ(s.GetGrid(), nullptr);
  s.SetGrid(other);
  s.SetScrollVertical(true);
  s.SetMoveRow(true);
  TSyncGrid t(other);
  t.Assign(&s);
  EXPECT_EQ(t.GetGrid(), nullptr);   // through the setter: its own owner is refused
  EXPECT_TRUE(t.GetScrollVertical());
  EXPECT_TRUE(t.GetMoveRow());
  TSyncGrid u(owner);
  u.Assign(&s);
  EXPECT_EQ(u.GetGrid(), other);

  TFocusHelper f, g;
  EXPECT_FALSE(f.GetEnabled());
  f.SetEnabled(true);
  g.Assign(&f);
  EXPECT_TRUE(g.GetEnabled());
}

TEST(ColumnSize, DefaultsAssignSkipsStretchAll) {
  TColumnSize a(nullptr);
  EXPECT_EQ(a.GetStretchColumn(), -1);
  EXPECT_EQ(a.GetRows(), arAll);
  EXPECT_EQ(a.GetLocation(), clRegistry);
  EXPECT_FALSE(a.GetSave() || a.GetStretch() || a.GetStretchAll());

  a.SetStretchColumn(3);
  a.SetStretchAll(true);
  EXPECT_EQ(a.GetStretchColumn(), -1);
  a.SetStretchColumn(2);
  a.SetStretchAll(true);   // unchanged: StretchColumn stays
  EXPECT_EQ(a.GetStretchColumn(), 2);
  a.SetKey(u"Software\\Grid");
  a.SetSection(u"Cols");
  a.SetSave(true);
  a.SetLocation(clIniFile);
  a.SetRows(arVisible);

  TColumnSize b(nullptr);
  b.Assign(&a);
  EXPECT_FALSE(b.GetStretchAll());
  EXPECT_EQ(b.GetStretchColumn(), 2);
  EXPECT_EQ(b.GetKey(), u"Software\\Grid");
  EXPECT_EQ(b.GetSection(), u"Cols");
  EXPECT_TRUE(b.GetSave());
  EXPECT_EQ(b.GetLocation(), clIniFile);
  EXPECT_EQ(b.GetRows(), arVisible);
}

}  // namespace
