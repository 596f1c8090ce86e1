// The XML document model: the tree it gives, its errors, and that it never reaches outside.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/rtl/XMLDoc.h"

namespace {

IXMLDocumentPtr Load(const String& AText) {
  IXMLDocumentPtr doc = NewXMLDocument();
  doc->SetProhibitDTD(false);
  doc->LoadFromXML(AText);
  return doc;
}

String ErrorOf(const String& AText) {
  try {
    Load(AText);
  } catch (EDOMParseError& E) {
    return E.Message;
  }
  return u"(loaded)";
}

}  // namespace

TEST(XMLDoc, TreeWithQualifiedNamesAttributesInOrderAndText) {
  auto doc = Load(u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                  u"<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n"
                  u"  <image b=\"2\" xlink:href=\"#g\" a=\"1\"/>\n"
                  u"  <text>Gr\u00FC\u00DFe &amp; <![CDATA[<raw>]]></text>\n"
                  u"  <!-- a comment -->\n"
                  u"  <g>x<b/>y</g>\n"
                  u"</svg>");
  IXMLNode* root = doc->GetDocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetNodeName(), u"svg");
  ASSERT_EQ(root->GetChildCount(), 3);   // whitespace-only text and the comment are dropped
  const IXMLNode* image = root->GetChildNode(0);
  EXPECT_EQ(image->GetNodeType(), ntElement);
  ASSERT_EQ(image->GetAttributeNodes().size(), 3u);
  EXPECT_EQ(image->GetAttributeNodes()[0].Name, u"b");
  EXPECT_EQ(image->GetAttributeNodes()[1].Name, u"xlink:href");
  EXPECT_EQ(image->GetAttributeNodes()[2].Name, u"a");
  EXPECT_EQ(image->GetAttribute(u"xlink:href"), u"#g");
  EXPECT_FALSE(image->HasAttribute(u"href"));
  // The declared encoding is ignored: the text arrives decoded.
  const IXMLNode* text = root->GetChildNode(1);
  EXPECT_TRUE(text->IsTextElement());
  EXPECT_EQ(text->GetNodeValue(), u"Gr\u00FC\u00DFe & <raw>");
  EXPECT_EQ(text->GetChildNode(0)->GetNodeName(), u"#text");
  const IXMLNode* g = root->GetChildNode(2);
  ASSERT_EQ(g->GetChildCount(), 3);
  EXPECT_EQ(g->GetNodeValue(), u"");
  EXPECT_EQ(g->GetText(), u"xy");
  const UTF8String saved = doc->SaveToXML();
  EXPECT_NE(saved.find("xlink:href=\"#g\""), std::string::npos);
  EXPECT_NE(saved.find("Gr\xC3\xBC\xC3\x9F" "e"), std::string::npos);
}

TEST(XMLDoc, ErrorsCarryReasonLineAndColumn) {
  try {
    Load(u"<svg>\n<g></svg>");
    FAIL() << "loaded";
  } catch (EDOMParseError& E) {
    EXPECT_EQ(E.GetLine(), 2);
    EXPECT_GT(E.GetLinePos(), 0);
    EXPECT_FALSE(E.GetReason().empty());
    EXPECT_NE(E.Message.find(u"(line 2, column"), String::npos);
  }
  EXPECT_EQ(ErrorOf(u""), u"The document is empty (line 1, column 1)");
  EXPECT_NE(ErrorOf(u"plain text"), u"(loaded)");
}

TEST(XMLDoc, DocumentTypeDeclarationsFollowProhibitDTD) {
  const String text = u"<!DOCTYPE svg [<!ENTITY w \"world\">]><svg>&w;</svg>";
  IXMLDocumentPtr strict = NewXMLDocument();
  strict->SetProhibitDTD(true);
  EXPECT_THROW(strict->LoadFromXML(text), EDOMParseError);
  EXPECT_FALSE(strict->GetActive());
  EXPECT_EQ(Load(text)->GetDocumentElement()->GetText(), u"world");
  const bool before = GetDOMProperty(u"ProhibitDTD");
  SetDOMProperty(u"ProhibitDTD", !before);
  EXPECT_EQ(NewXMLDocument()->GetProhibitDTD(), !before);
  SetDOMProperty(u"ProhibitDTD", before);
  EXPECT_THROW(SetDOMProperty(u"Other", true), EArgumentException);
}

// Hostile documents end in an error within a second, and nothing outside is read.
TEST(XMLDoc, HostileDocumentsAreRefused) {
  const String secret = String(u"file://") + UTF8ToString(ZELK_TEST_DATA) + u"/xml_secret.txt";
  String laughs = u"<!DOCTYPE l [<!ENTITY l0 \"lollollollollollollollollollol\">";
  for (int i = 1; i <= 12; ++i)
    laughs += u"<!ENTITY l" + IntToStr(i) + u" \"" + [&] {
      String s;
      for (int k = 0; k < 10; ++k) s += u"&l" + IntToStr(i - 1) + u";";
      return s;
    }() + u"\">";
  laughs += u"]><svg>&l12;</svg>";
  String deep;
  for (int i = 0; i < 10000; ++i) deep += u"<g>";
  const String cases[] = {
      u"<!DOCTYPE svg [<!ENTITY x SYSTEM \"" + secret + u"\">]><svg>&x;</svg>",
      u"<!DOCTYPE svg [<!ENTITY x SYSTEM \"http://127.0.0.1:9/x\">]><svg>&x;</svg>",
      u"<!DOCTYPE svg [<!ENTITY % p SYSTEM \"" + secret + u"\"> %p;]><svg/>",
      u"<!DOCTYPE svg SYSTEM \"" + secret + u"\"><svg/>",
      laughs,
      u"<svg>" + deep,
  };
  for (const String& text : cases) {
    const auto start = std::chrono::steady_clock::now();
    String loaded;
    try {
      loaded = Load(text)->GetDocumentElement()->GetText();
    } catch (EDOMParseError&) {
    }
    EXPECT_EQ(loaded.find(u"secret"), String::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << UTF8Encode(text.substr(0, 60));
  }
  // The external ones are clear errors.
  EXPECT_NE(ErrorOf(cases[0]).find(u"External resource refused"), String::npos);
  EXPECT_NE(ErrorOf(cases[1]), u"(loaded)");
  EXPECT_NE(ErrorOf(laughs), u"(loaded)");
  EXPECT_NE(ErrorOf(cases[5]), u"(loaded)");
}
