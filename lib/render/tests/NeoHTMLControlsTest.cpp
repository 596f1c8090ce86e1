// CONTROL tags: reading, finding by ID, rewriting values.
#include <gtest/gtest.h>

#include "lib/render/NeoHTMLControls.h"
#include "platform/rtl/testsupport/Utf8.h"

namespace {

const String Form =
    u"Name <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"Ann\" WIDTH=\"80\"> "
    u"<control type=\"check\" id=\"c1\" value=\"TRUE\" width=\"20\"> "
    u"<CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"40\"> "
    u"<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\"> "
    u"<CONTROL TYPE=\"COMBO\" ID=\"e2\" VALUE=\"x\" WIDTH=\"60\" MAXLEN=\"12\" PROP=\"a&amp;b\"> "
    u"<CONTROL TYPE=\"PASSWORD\" ID=\"e3\" VALUE=\"\" WIDTH=\"60\" MAXLEN=\"many\">";

TEST(HtmlControls, ParseReadsEveryAttribute) {
  const THtmlControlTag tag = ParseHtmlControlTag(
      u"type=\"edit\" ID=\"Name\" VALUE=\"a&nbsp;b&amp;c&eacute;\" WIDTH=\"80\" HEIGHT=\"30\" "
      u"PROP=\"p&quot;q\" MAXLEN=\"12\"");
  EXPECT_EQ(tag.Type, u"EDIT");
  EXPECT_EQ(tag.ID, u"Name");
  EXPECT_EQ(tag.Value, u"a b&c\u00E9");
  EXPECT_EQ(tag.Width, u"80");
  EXPECT_EQ(tag.Height, u"30");
  EXPECT_EQ(tag.Prop, u"p\"q");
  EXPECT_EQ(tag.MaxLen, u"12");

  String type = u"old", id = u"old", value = u"old", width = u"old", height = u"old", prop = u"old", maxLen = u"old";
  ParseHtmlControlTag(u"ID=\"x\"", type, id, value, width, height, prop, maxLen);
  EXPECT_EQ(id, u"x");
  for (const String* cleared : {&type, &value, &width, &height, &prop, &maxLen}) EXPECT_EQ(*cleared, u"");
}

TEST(HtmlControls, TextsWithoutControls) {
  for (const Char* text : {u"", u"plain <B>bold</B>", u"<CONTROLX ID=\"a\">"}) {
    SCOPED_TRACE(U8(text));
    EXPECT_EQ(HasHtmlControls(text), String(text).find(u"CONTROLX") != String::npos);
    String value = u"stale";
    EXPECT_FALSE(GetHtmlControlValue(text, u"a", value));
    EXPECT_EQ(value, u"");
    EXPECT_EQ(GetHtmlControlMaxLen(text, u"a"), 0);
    String next = u"stale";
    NextHtmlEditControlId(text, u"", next);
    EXPECT_EQ(next, u"");
    String changed = text;
    EXPECT_FALSE(SetHtmlControlValue(changed, u"a", u"v"));
    EXPECT_EQ(changed, text);
  }
}

TEST(HtmlControls, LookupByCaseSensitiveId) {
  EXPECT_TRUE(HasHtmlControls(u"x <control id=\"a\">"));
  String value;
  EXPECT_TRUE(GetHtmlControlValue(Form, u"c1", value));
  EXPECT_EQ(value, u"TRUE");
  EXPECT_FALSE(GetHtmlControlValue(Form, u"E1", value));
  String prop;
  GetHtmlControlProp(Form, u"e2", prop);
  EXPECT_EQ(prop, u"a&b");
  GetHtmlControlProp(Form, u"e1", prop);
  EXPECT_EQ(prop, u"");
  EXPECT_EQ(GetHtmlControlMaxLen(Form, u"e2"), 12);
  EXPECT_EQ(GetHtmlControlMaxLen(Form, u"e3"), 0);   // not a number
  EXPECT_EQ(GetHtmlControlMaxLen(Form, u"e1"), 0);   // none
}

TEST(HtmlControls, NextEditableControlSkipsButtonsChecksAndRadios) {
  const std::pair<const Char*, const Char*> rows[] = {
      {u"", u"e1"}, {u"e1", u"e2"}, {u"c1", u"e2"}, {u"e2", u"e3"}, {u"e3", u""}, {u"nope", u""},
  };
  for (const auto& [id, expected] : rows) {
    String next = u"stale";
    NextHtmlEditControlId(Form, id, next);
    EXPECT_EQ(next, expected) << U8(id);
  }
}

TEST(HtmlControls, SetRewritesTheTagInAFixedOrder) {
  String text = u"Text <control type=\"edit\" id=\"e1\" value=\"old\" width=\"100\" height=\"40\" prop=\"x y\" "
                u"maxlen=\"5\" extra=\"dropped\"> tail";
  ASSERT_TRUE(SetHtmlControlValue(text, u"e1", u"new v"));
  EXPECT_EQ(text, u"Text <CONTROL ID=\"e1\" VALUE=\"new&nbsp;v\" WIDTH=\"100\" TYPE=\"EDIT\" HEIGHT=\"40\" "
                  u"PROP=\"x&nbsp;y\" MAXLEN=\"5\"> tail");

  text = u"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"20\">";
  ASSERT_TRUE(SetHtmlControlValue(text, u"c", u"TRUE"));
  EXPECT_EQ(text, u"<CONTROL ID=\"c\" VALUE=\"TRUE\" WIDTH=\"20\" TYPE=\"CHECK\">");

  // a tag without ">" runs to the end of the text
  text = u"a <CONTROL ID=\"z\" TYPE=\"EDIT\" VALUE=\"x\"";
  ASSERT_TRUE(SetHtmlControlValue(text, u"z", u"y"));
  EXPECT_EQ(text, u"a <CONTROL ID=\"z\" VALUE=\"y\" WIDTH=\"\" TYPE=\"EDIT\">");

  // only the first tag with the ID changes
  text = u"<CONTROL ID=\"d\" VALUE=\"1\"><CONTROL ID=\"d\" VALUE=\"2\">";
  ASSERT_TRUE(SetHtmlControlValue(text, u"d", u"3"));
  EXPECT_EQ(text, u"<CONTROL ID=\"d\" VALUE=\"3\" WIDTH=\"\" TYPE=\"\"><CONTROL ID=\"d\" VALUE=\"2\">");
}

TEST(HtmlControls, SetThenGetGivesTheValueBack) {
  for (const Char* value : {u"a b", u"say \"hi\"", u"a<b>c", u"x&y", u"\u00E9t\u00E9", u"*amp;", u"\u0101",
                            u"&amp; literal", u"\U0001F600", u"", u"  "}) {
    SCOPED_TRACE(U8(value));
    String text = Form;
    ASSERT_TRUE(SetHtmlControlValue(text, u"e2", value));
    String got;
    ASSERT_TRUE(GetHtmlControlValue(text, u"e2", got));
    EXPECT_EQ(got, value);
    EXPECT_EQ(GetHtmlControlMaxLen(text, u"e2"), 12);
    GetHtmlControlProp(text, u"e2", got);
    EXPECT_EQ(got, u"a&b");
    // twice: nothing grows
    String again = text;
    ASSERT_TRUE(SetHtmlControlValue(again, u"e2", value));
    EXPECT_EQ(again, text);
  }
}

TEST(HtmlControls, ClearRadiosRewritesEveryRadioOnly) {
  const String text = u"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\" WIDTH=\"16\">A "
                      u"<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\">"
                      u"<CONTROL TYPE=\"radio\" ID=\"k\" VALUE=\"TRUE\">B";
  EXPECT_EQ(ClearHtmlRadioControls(text),
            u"<CONTROL ID=\"r\" VALUE=\"FALSE\" WIDTH=\"16\" TYPE=\"RADIO\">A "
            u"<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\">"
            u"<CONTROL ID=\"k\" VALUE=\"FALSE\" WIDTH=\"\" TYPE=\"RADIO\">B");
  EXPECT_EQ(ClearHtmlRadioControls(u"no radios <B>here</B>"), u"no radios <B>here</B>");
}

}  // namespace
