// Malformed markup: every routine answers, none raises, and the results are these.
#include <gtest/gtest.h>

#include "lib/render/NeoHTMLControls.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/NeoHTMLTags.h"
#include "lib/render/NeoHTMLText.h"

namespace {

std::string Excerpt(StringView S) { return UTF8Encode(String(S.substr(0, 40))); }

struct TBadRow {
  String Text;
  String Prepared;   // PrepareHtmlText
  String Stripped;   // StripHtmlTags and HtmlToPlainText
  String Decoded;    // DecodeHtmlEntities with the named table
  bool TagRead;      // ReadHtmlTag at the first "<"
};

// Calls every routine that takes a text; none may raise.
void RunEverything(const String& AText) {
  (void)DecodeHtmlTextEntities(AText);
  (void)DropHashTagBrackets(AText);
  (void)ExpandNumericEntities(AText);
  (void)NormalizeHtmlLineBreaks(AText, false);
  (void)DecodeQuotAmpEntities(AText, true);
  (void)DecodeHtmlRunEntities(AText);
  (void)EncodeHtmlEntities(AText, true);
  (void)SpacesToNbsp(AText);
  (void)HtmlColorByName(AText);
  (void)ParseHtmlControlTag(AText);
  (void)HasHtmlControls(AText);
  String value;
  (void)GetHtmlControlValue(AText, u"a", value);
  GetHtmlControlProp(AText, u"a", value);
  (void)GetHtmlControlMaxLen(AText, u"a");
  NextHtmlEditControlId(AText, u"", value);
  String changed = AText;
  (void)SetHtmlControlValue(changed, u"a", u"v");
  (void)ClearHtmlRadioControls(AText);
  (void)HighlightHtmlText(AText, u"<b", u"hi", false, false);
  (void)HighlightHtmlText(AText, u"a", u"hi", true, true);
  (void)UnhighlightHtmlText(AText, u"hi");
  THtmlAttributes attributes(AText);
  (void)attributes.Value(u"HREF");
  (void)attributes.FirstQuoted(true);
}

TEST(HtmlBadInput, EveryRoutineAnswers) {
  const String lessThans(1 << 20, u'<');
  const TBadRow rows[] = {
      {u"<B", u"<B", u"<B", u"<B", false},
      {u"<A HREF=\"x>y", u"<A HREF=\"x>y", u"y", u"<A HREF=\"x>y", true},
      {u"<FONT FACE=\"Arial>z", u"<FONT FACE=\"Arial>z", u"z", u"<FONT FACE=\"Arial>z", true},
      {u"&#99999999;", u"&#99999999;", u"&#99999999;", u"&#99999999;", false},
      {u"&#x;", u"&#x;", u"&#x;", u"&#x;", false},
      {u"&#xD800;", u"\uFFFD", u"&#xD800;", u"&#xD800;", false},
      {u"&", u"&", u"&", u"&", false},
      {u"a & b;", u"a & b;", u"a & b;", u"a & b;", false},
      {u"", u"", u"", u"", false},
      {u"\xD800 lone \xDC00", u"\xD800 lone \xDC00", u"\xD800 lone \xDC00", u"\xD800 lone \xDC00", false},
      {lessThans, lessThans, lessThans, lessThans, false},
  };
  for (const TBadRow& r : rows) {
    SCOPED_TRACE(Excerpt(r.Text));
    EXPECT_NO_THROW(RunEverything(r.Text));
    EXPECT_EQ(PrepareHtmlText(r.Text), r.Prepared);
    EXPECT_EQ(StripHtmlTags(r.Text), r.Stripped);
    EXPECT_EQ(HtmlToPlainText(r.Text), r.Stripped);
    EXPECT_EQ(DecodeHtmlEntities(r.Text, true), r.Decoded);
    const std::size_t less = r.Text.find(u'<');
    THtmlTag tag;
    EXPECT_EQ(less != String::npos && ReadHtmlTag(StringView(r.Text).substr(less), tag), r.TagRead);
  }
}

TEST(HtmlBadInput, ControlTagsWithBrokenQuotes) {
  const String text = u"<CONTROL ID=\"a TYPE=\"EDIT\" VALUE=\"v\">";
  const THtmlControlTag tag = ParseHtmlControlTag(u"ID=\"a TYPE=\"EDIT\" VALUE=\"v\"");
  EXPECT_EQ(tag.ID, u"a TYPE=");
  EXPECT_EQ(tag.Type, u"EDIT");
  EXPECT_EQ(tag.Value, u"v");
  String value;
  EXPECT_FALSE(GetHtmlControlValue(text, u"a", value));
  EXPECT_TRUE(GetHtmlControlValue(text, u"a TYPE=", value));
  EXPECT_EQ(value, u"v");
  EXPECT_EQ(ParseHtmlControlTag(u"ID=\"unterminated").ID, u"");
}

}  // namespace
