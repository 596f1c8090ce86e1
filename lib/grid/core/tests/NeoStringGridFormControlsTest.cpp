// Form controls in markup cells: the control edit over EDIT, PASSWORD and MASK controls, the
// control combo over COMBO controls, the value written back into the cell's markup when the editor
// closes, and the combo's selection event. Headless, typing through the message queue.
#include <string>
#include <vector>

#include "lib/grid/core/NeoGridEditors.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/render/NeoHTMLControls.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class NeoStringGridFormControls : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    Other = Add<TEdit>(Form, 0, 272, 100, 22);
    G = Add<TNeoStringGrid>(Form, 0, 0, 400, 264);
    G->SetColCount(5);
    G->SetRowCount(10);
    G->SetDefaultColWidth(120);
    G->SetDefaultRowHeight(30);
    TGridOptions o = G->GetOptions();
    o.Include(goEditing);
    G->SetOptions(o);
    Form->Show();
    Pump();
    G->OnControlEditDone = [this](TObject*, Integer ARow, Integer ACol, const String& ID, const String& Type,
                                  const String& Value) {
      Done.push_back(IntToStr(ARow) + u"," + IntToStr(ACol) + u"," + ID + u"," + Type + u"," + Value);
    };
  }
  // Opens the editor of the control with ID in cell (1, 2) as the press would.
  void Open(const String& Markup, const String& Type, const String& ID) {
    G->SetCells(1, 2, Markup);
    String value;
    GetHtmlControlValue(Markup, ID, value);
    TRect r = G->CellRect(1, 2);
    G->StartCellControlEdit(Markup, Type, 2, 1, 1, TRect{r.left + 3, r.top + 3, r.left + 103, r.top + 25}, value, ID);
    Pump();
  }
  // The focus leaves the editor: it writes its value back.
  void Leave() {
    Other->SetFocus();
    Pump();
  }
  String Value(const String& ID) {
    String v;
    GetHtmlControlValue(G->GetCells(1, 2), ID, v);
    return v;
  }
  TForm* Form = nullptr;
  TEdit* Other = nullptr;
  TNeoStringGrid* G = nullptr;
  std::vector<String> Done;
};

TEST_F(NeoStringGridFormControls, PasswordShowsStarsAndWritesTheTypedTextBackEncoded) {
  G->SetCells(1, 2, u"<CONTROL TYPE=\"PASSWORD\" ID=\"pw\" VALUE=\"\" WIDTH=\"80\">");
  // A press on the control opens its editor.
  TRect r = G->CellRect(1, 2);
  TPoint p = ScreenPoint(G, r.left + 12, r.top + 10);
  Headless::Click(p.x, p.y);
  Pump();
  TControlEdit* edit = G->GetControlEdit();
  ASSERT_TRUE(G->GetCtrlEditing());
  EXPECT_TRUE(edit->GetVisible());
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->GetPasswordChar(), u'*');
  Type(u"a<b c");
  EXPECT_EQ(edit->GetText(), u"a<b c");
  Leave();
  EXPECT_FALSE(G->GetCtrlEditing());
  EXPECT_FALSE(edit->GetVisible());
  EXPECT_EQ(Value(u"pw"), u"a<b c");
  EXPECT_NE(G->GetCells(1, 2).find(u"VALUE=\"a&lt;b&nbsp;c\""), String::npos) << UTF8Encode(G->GetCells(1, 2));
  EXPECT_EQ(Done, std::vector<String>{u"2,1,pw,PASSWORD,a<b c"});
  EXPECT_TRUE(G->GetCtrlType().empty());
}

TEST_F(NeoStringGridFormControls, EditGeometryMaskAndMaxLength) {
  Open(u"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"x\" MAXLEN=\"5\">", u"EDIT", u"e");
  TControlEdit* edit = G->GetControlEdit();
  TRect r = G->CellRect(1, 2);
  EXPECT_EQ(edit->GetLeft(), r.left + 4);
  EXPECT_EQ(edit->GetTop(), r.top + 11);
  EXPECT_EQ(edit->GetWidth(), 96);
  EXPECT_EQ(edit->GetHeight(), 14);
  EXPECT_EQ(edit->GetPasswordChar(), Char(0));
  EXPECT_EQ(edit->GetMaxLength(), 5);
  edit->SelectAll();
  Type(u"abcdefg");
  EXPECT_EQ(edit->GetText(), u"abcde");
  Leave();
  EXPECT_EQ(Value(u"e"), u"abcde");
  // Without MAXLEN there is no limit.
  Open(u"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"\">", u"EDIT", u"e");
  EXPECT_EQ(edit->GetMaxLength(), 0);
  Type(u"abcdefg");
  EXPECT_EQ(edit->GetText(), u"abcdefg");
  Leave();
  // A MASK control edits with its PROP as the mask.
  Open(u"<CONTROL TYPE=\"MASK\" ID=\"m\" VALUE=\"\" PROP=\"000\">", u"MASK", u"m");
  EXPECT_EQ(edit->GetEditMask(), u"000");
  Leave();
}

TEST_F(NeoStringGridFormControls, ClosingUnchangedStillRewritesTheCellAndFires) {
  String markup = u"<b>x</b><CONTROL VALUE=\"same\" TYPE=\"EDIT\" ID=\"e\">";
  Open(markup, u"EDIT", u"e");
  Leave();
  String expected = markup;
  SetHtmlControlValue(expected, u"e", u"same");
  EXPECT_NE(expected, markup);   // the tag is written anew
  EXPECT_EQ(G->GetCells(1, 2), expected);
  EXPECT_EQ(Done, std::vector<String>{u"2,1,e,EDIT,same"});
  // Closing again does nothing.
  G->HideCellControlEditor();
  EXPECT_EQ(Done.size(), 1u);
}

TEST_F(NeoStringGridFormControls, ComboListsWhatTheHandlerGivesAndWritesBack) {
  bool editable = true;
  std::vector<String> asked;
  G->OnControlComboList = [&](TObject*, Integer ARow, Integer ACol, const String& ID, const String& Type,
                              const String& Value, TStrings* Values, bool& Edit, Integer& DropCount) {
    asked.push_back(IntToStr(ARow) + u"," + IntToStr(ACol) + u"," + ID + u"," + Type + u"," + Value);
    EXPECT_TRUE(Edit);
    EXPECT_EQ(DropCount, 8);
    Values->Add(u"One");
    Values->Add(u"Two");
    Edit = editable;
    DropCount = 4;
  };
  std::vector<String> selected;
  G->OnControlComboSelect = [&](TObject*, Integer ARow, Integer ACol, Integer Index, const String& ID,
                                const String& Value) {
    selected.push_back(IntToStr(ARow) + u"," + IntToStr(ACol) + u"," + IntToStr(Index) + u"," + ID + u"," + Value);
  };
  // A VALUE that is not listed: no item, the VALUE as text.
  Open(u"<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"Three\" MAXLEN=\"9\">", u"COMBO", u"c");
  TControlCombo* box = G->GetControlCombo();
  EXPECT_EQ(asked, std::vector<String>{u"2,1,c,COMBO,Three"});
  EXPECT_EQ(box->GetItems()->GetCount(), 2);
  EXPECT_EQ(box->GetItemIndex(), -1);
  EXPECT_EQ(box->GetText(), u"Three");
  EXPECT_EQ(box->GetStyle(), csDropDown);
  EXPECT_EQ(box->GetDropDownCount(), 4);
  EXPECT_EQ(box->GetMaxLength(), 9);
  EXPECT_TRUE(box->GetDroppedDown());
  TRect r = G->CellRect(1, 2);
  EXPECT_EQ(box->GetLeft(), r.left + 2);
  EXPECT_EQ(box->GetTop(), r.top + 7);
  EXPECT_EQ(box->GetWidth(), 100);
  box->SetDroppedDown(false);   // closing up writes back
  Pump();
  EXPECT_FALSE(G->GetCtrlEditing());
  EXPECT_EQ(Value(u"c"), u"Three");
  EXPECT_EQ(Done, std::vector<String>{u"2,1,c,COMBO,Three"});

  // Edit False: a drop-down list; a listed VALUE is the selected item. The list is the handler's
  // each time.
  editable = false;
  Open(u"<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"Two\">", u"COMBO", u"c");
  EXPECT_EQ(box->GetStyle(), csDropDownList);
  EXPECT_EQ(box->GetItems()->GetCount(), 2);
  EXPECT_EQ(box->GetItemIndex(), 1);
  G->DoControlComboSelect(box);
  EXPECT_EQ(selected, std::vector<String>{u"2,1,1,c,Two"});
  box->SetItemIndex(0);
  box->SetDroppedDown(false);
  Pump();
  EXPECT_EQ(Value(u"c"), u"One");
}

TEST_F(NeoStringGridFormControls, OtherTypesOpenNothing) {
  for (const char16_t* type : {u"CHECK", u"RADIO", u"BUTTON", u"edit"}) {
    Open(u"<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\">", type, u"e");
    EXPECT_FALSE(G->GetCtrlEditing()) << UTF8Encode(type);
  }
}

}  // namespace
