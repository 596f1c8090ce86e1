// TStrings/TStringList: text, delimited text, name=value pairs, sorting, events and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/rtl/Classes.h"

namespace {

std::vector<String> Items(const TStrings& L) { return L.ToStringArray(); }

String OutputPath(const char* Name) {
  return UTF8ToString(std::string(ZELK_TEST_OUTPUT) + "/stringlist_" + Name);
}

std::string ReadFileBytes(const String& Path) {
  std::ifstream f(UTF8Encode(Path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void WriteFileBytes(const String& Path, const std::string& Bytes) {
  std::ofstream f(UTF8Encode(Path), std::ios::binary);
  f << Bytes;
}

class TTracked : public TObject {
public:
  explicit TTracked(int* Freed) : FFreed(Freed) {}
  ~TTracked() override { ++*FFreed; }

private:
  int* FFreed;
};

}  // namespace

TEST(StringListText, SplitsOnEveryLineBreakAndJoinsWithCRLF) {
  struct Case {
    const Char* Text;
    std::vector<String> Lines;
  };
  const Case cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\nb", {u"a", u"b"}},
      {u"a\nb\rc", {u"a", u"b", u"c"}},
      {u"a\r\n", {u"a"}},
      {u"\r\n", {u""}},
      {u"a\n\nb", {u"a", u"", u"b"}},
      {u"a\r\r\nb", {u"a", u"", u"b"}},
      {u"a\n\rb", {u"a", u"", u"b"}},
      {u" x \r\n\r\n", {u" x ", u""}},
  };
  TStringList l;
  for (const auto& c : cases) {
    l.SetText(c.Text);
    EXPECT_EQ(Items(l), c.Lines) << UTF8Encode(c.Text);
  }
  l.SetText(u"one\ntwo");
  EXPECT_EQ(l.GetText(), u"one\r\ntwo\r\n");
  l.SetTrailingLineBreak(false);
  EXPECT_EQ(l.GetText(), u"one\r\ntwo");
  l.SetTrailingLineBreak(true);
  l.SetLineBreak(u"|");
  EXPECT_EQ(l.GetText(), u"one|two|");
  l.SetText(u"x|y|");
  EXPECT_EQ(Items(l), (std::vector<String>{u"x", u"y"}));
  l.Clear();
  EXPECT_EQ(l.GetText(), u"");
}

TEST(StringListText, CommaTextQuotesAndSplitsOnBlanks) {
  struct Case {
    const Char* Text;
    std::vector<String> Items;
    const Char* Back;   // CommaText after reading Text
  };
  const Case cases[] = {
      {u"a,b,c", {u"a", u"b", u"c"}, u"a,b,c"},
      {u"a b,c", {u"a", u"b", u"c"}, u"a,b,c"},
      {u"  a , b  ", {u"a", u"b"}, u"a,b"},
      {u"\"a b\",c", {u"a b", u"c"}, u"\"a b\",c"},
      {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}, u"\"say \"\"hi\"\"\""},
      {u"a,,b", {u"a", u"", u"b"}, u"a,,b"},
      {u"a,", {u"a", u""}, u"a,"},
      {u"\"\"", {u""}, u"\"\""},
      {u"", {}, u""},
      {u"\"x,y\"", {u"x,y"}, u"\"x,y\""},
      {u"\"open", {u"open"}, u"open"},
      {u"\"ab\"cd", {u"ab", u"cd"}, u"ab,cd"},
      {u"a\tb", {u"a", u"b"}, u"a,b"},
  };
  TStringList l;
  for (const auto& c : cases) {
    l.SetCommaText(c.Text);
    EXPECT_EQ(Items(l), c.Items) << UTF8Encode(c.Text);
    EXPECT_EQ(l.GetCommaText(), c.Back) << UTF8Encode(c.Text);
  }
}

TEST(StringListText, DelimitedTextHonoursDelimiterQuoteAndStrictness) {
  struct Case {
    Char Delimiter, Quote;
    bool Strict;
    const Char* Text;
    std::vector<String> Items;
    const Char* Back;
  };
  const Case cases[] = {
      {u';', u'"', false, u"a b;c", {u"a", u"b", u"c"}, u"a;b;c"},
      {u';', u'"', true, u"a b;c", {u"a b", u"c"}, u"a b;c"},
      {u';', u'"', true, u" a ; b ", {u" a ", u" b "}, u" a ; b "},
      {u';', u'\'', true, u"'x;y';'it''s'", {u"x;y", u"it's"}, u"'x;y';'it''s'"},
      {u'|', u'"', true, u"a||b|", {u"a", u"", u"b", u""}, u"a||b|"},
      {u'\t', u'"', true, u"one\ttwo words", {u"one", u"two words"}, u"one\ttwo words"},
      // A blank delimiter when not strict: runs of blanks are one break, so empty entries are quoted.
      {u' ', u'"', false, u"a \"\" b \"\"", {u"a", u"", u"b", u""}, u"a \"\" b \"\""},
      {u'\t', u'"', false, u"\"\"\tx", {u"", u"x"}, u"\"\"\tx"},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetDelimiter(c.Delimiter);
    l.SetQuoteChar(c.Quote);
    l.SetStrictDelimiter(c.Strict);
    l.SetDelimitedText(c.Text);
    EXPECT_EQ(Items(l), c.Items) << UTF8Encode(c.Text);
    EXPECT_EQ(l.GetDelimitedText(), c.Back) << UTF8Encode(c.Text);
  }
  // CommaText ignores the list's own delimiter settings.
  TStringList l;
  l.SetDelimiter(u';');
  l.SetStrictDelimiter(true);
  l.SetCommaText(u"a b;c");
  EXPECT_EQ(Items(l), (std::vector<String>{u"a", u"b;c"}));
}

TEST(StringListValues, NamesValuesAndSeparator) {
  TStringList l;
  l.SetText(u"Host=example\r\nport=8080\r\nplain\r\nempty=\r\nkey=a=b");
  EXPECT_EQ(l.GetNames(0), u"Host");
  EXPECT_EQ(l.GetNames(2), u"");
  EXPECT_EQ(l.GetValues(u"HOST"), u"example");   // case-insensitive
  EXPECT_EQ(l.GetValues(u"key"), u"a=b");
  EXPECT_EQ(l.GetValues(u"missing"), u"");
  EXPECT_EQ(l.GetValueFromIndex(4), u"a=b");
  EXPECT_EQ(l.GetValueFromIndex(2), u"");   // no separator: no value
  EXPECT_EQ(l.IndexOfName(u"EMPTY"), 3);

  l.SetValues(u"port", u"9090");
  EXPECT_EQ(l[1], u"port=9090");
  l.SetValues(u"new", u"1");
  EXPECT_EQ(l[5], u"new=1");
  l.SetValues(u"host", u"");   // empty value removes
  EXPECT_EQ(l.IndexOfName(u"Host"), -1);
  EXPECT_EQ(l.GetCount(), 5);
  l.SetValueFromIndex(0, u"1");
  EXPECT_EQ(l[0], u"port=1");

  l.SetNameValueSeparator(u':');
  l.SetText(u"a:1\r\nb=2");
  EXPECT_EQ(l.GetValues(u"a"), u"1");
  EXPECT_EQ(l.GetValues(u"b"), u"");
}

TEST(StringListLookup, CaseSensitivityAndObjects) {
  TStringList l;
  TObject o1, o2;
  EXPECT_FALSE(l.GetCaseSensitive());
  l.AddObject(u"GWK_Farbe", &o1);
  l.AddObject(u"Straße", &o2);
  EXPECT_EQ(l.IndexOf(u"gwk_farbe"), 0);
  EXPECT_EQ(l.IndexOf(u"STRASSE"), -1);
  EXPECT_EQ(l.IndexOf(u"STRAßE"), 1);
  EXPECT_EQ(l.IndexOfObject(&o2), 1);
  EXPECT_EQ(l.GetObjects(0), &o1);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf(u"gwk_farbe"), -1);
  EXPECT_EQ(l.IndexOf(u"GWK_Farbe"), 0);

  l.Insert(1, u"mid");
  EXPECT_EQ(l.GetObjects(1), nullptr);
  l.Move(0, 2);
  EXPECT_EQ(Items(l), (std::vector<String>{u"mid", u"Straße", u"GWK_Farbe"}));
  EXPECT_EQ(l.GetObjects(2), &o1);
  l.Exchange(0, 2);
  EXPECT_EQ(l[0], u"GWK_Farbe");
  EXPECT_EQ(l.GetObjects(0), &o1);

  try {
    l.GetStrings(3);
    FAIL();
  } catch (EStringListError& e) {
    EXPECT_EQ(e.Message, u"List index out of bounds (3)");
  }
  EXPECT_THROW(l.Insert(5, u"x"), EStringListError);
  EXPECT_THROW(l.Delete(-1), EStringListError);
}

TEST(StringListSorted, DuplicatesModesAndBinarySearch) {
  struct Case {
    TDuplicates Mode;
    std::vector<String> Expected;
  };
  const Case cases[] = {
      {dupIgnore, {u"apple", u"Banana", u"cherry"}},
      {dupAccept, {u"apple", u"banana", u"Banana", u"cherry"}},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetDuplicates(c.Mode);
    l.SetSorted(true);
    l.Add(u"cherry");
    l.Add(u"Banana");
    l.Add(u"apple");
    const Integer i = l.Add(u"banana");
    EXPECT_EQ(i, 1);   // the existing one (ignore) or placed before it (accept)
    EXPECT_EQ(Items(l), c.Expected);
  }

  TStringList l;
  l.SetDuplicates(dupError);
  l.SetSorted(true);
  l.AddStrings({u"b", u"d"});
  try {
    l.Add(u"B");
    FAIL();
  } catch (EStringListError& e) {
    EXPECT_EQ(e.Message, u"Duplicates not allowed");
  }
  Integer index = -1;
  EXPECT_TRUE(l.Find(u"D", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(l.Find(u"c", index));
  EXPECT_EQ(index, 1);   // the insertion point
  EXPECT_FALSE(l.Find(u"z", index));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(l.IndexOf(u"B"), 0);
  EXPECT_THROW(l.Insert(0, u"a"), EStringListError);
  EXPECT_THROW(l.SetStrings(0, u"a"), EStringListError);
  EXPECT_THROW(l.Move(0, 1), EStringListError);
}

TEST(StringListSorted, SortingOrdersAndCaseSensitivity) {
  TStringList l;
  l.SetCommaText(u"b,B,a,_x,A,10,9");
  l.SetCaseSensitive(true);
  l.Sort();
  EXPECT_EQ(Items(l), (std::vector<String>{u"10", u"9", u"A", u"B", u"_x", u"a", u"b"}));
  l.SetCaseSensitive(false);
  l.SetSorted(true);
  for (Integer i = 1; i < l.GetCount(); ++i)
    EXPECT_LE(CompareText(l[i - 1], l[i]), 0) << UTF8Encode(l[i]);
  // Setting CaseSensitive on a sorted list re-sorts it.
  l.SetCaseSensitive(true);
  EXPECT_EQ(l[2], u"A");

  TStringList n;
  n.SetCommaText(u"10,9,100,1");
  n.CustomSort([](TStringList* L, Integer a, Integer b) {
    return StrToInt(L->GetStrings(a)) - StrToInt(L->GetStrings(b));
  });
  EXPECT_EQ(n.GetCommaText(), u"1,9,10,100");
  n.CustomSort([](TStringList*, Integer, Integer) { return 1; });   // inconsistent: harmless
  EXPECT_EQ(n.GetCount(), 4);
}

TEST(StringListEvents, ChangeEventsFireOncePerBatch) {
  TStringList l;
  std::vector<std::string> log;
  l.OnChanging = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &l);
    log.push_back("changing");
  };
  l.OnChange = [&](TObject*) { log.push_back("change"); };
  l.Add(u"a");
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
  log.clear();
  l.BeginUpdate();
  l.Add(u"b");
  l.Add(u"c");
  l.BeginUpdate();
  l.Delete(0);
  l.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing"}));
  l.EndUpdate();
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
  log.clear();
  TObject o;
  l.InsertObject(0, u"first", &o);   // one change for string and object together
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
  log.clear();
  l.SetText(u"x\ny");
  EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
}

TEST(StringListObjects, NeverOwnedUnlessOwnsObjects) {
  int freed = 0;
  TTracked a(&freed);
  {
    TStringList l;
    l.AddObject(u"a", &a);
    l.Delete(0);
    l.AddObject(u"a", &a);
  }
  EXPECT_EQ(freed, 0);
  {
    TStringList l(true);
    l.AddObject(u"x", new TTracked(&freed));
    l.AddObject(u"y", new TTracked(&freed));
    l.AddObject(u"z", new TTracked(&freed));
    l.Delete(0);
    EXPECT_EQ(freed, 1);
    l.SetObjects(0, new TTracked(&freed));   // the replaced object goes
    EXPECT_EQ(freed, 2);
    l.Move(0, 1);   // moving keeps the object
    EXPECT_EQ(freed, 2);
  }
  EXPECT_EQ(freed, 4);
}

TEST(StringListAssign, CopiesStringsObjectsAndSettings) {
  TStringList src;
  TObject o;
  src.SetDelimiter(u';');
  src.SetCaseSensitive(true);
  src.SetDuplicates(dupAccept);
  src.AddObject(u"b", &o);
  src.Add(u"a");
  src.SetSorted(true);
  TStringList dst;
  dst.Add(u"old");
  dst.Assign(&src);
  EXPECT_EQ(Items(dst), (std::vector<String>{u"a", u"b"}));
  EXPECT_EQ(dst.GetObjects(1), &o);
  EXPECT_EQ(dst.GetDelimiter(), u';');
  EXPECT_TRUE(dst.GetSorted() && dst.GetCaseSensitive());
  EXPECT_EQ(dst.GetDuplicates(), dupAccept);
  EXPECT_TRUE(dst.Equals(&src));
  dst.AddStrings(&src);
  EXPECT_EQ(dst.GetCount(), 4);
  EXPECT_FALSE(dst.Equals(&src));

  TCollection c(TCollectionItem::StaticClass());
  EXPECT_THROW(dst.Assign(&c), EConvertError);
}

TEST(StringListFiles, EncodingsAndByteOrderMarks) {
  const String text = u"Grüße €\r\nzweite Zeile\r\n";
  struct Case {
    const char* Name;
    TEncoding* Encoding;
    std::string Bytes;   // the file SaveToFile writes
  };
  const Case cases[] = {
      {"utf8.txt", TEncoding::UTF8(), "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\r\nzweite Zeile\r\n"},
      {"ansi.txt", TEncoding::ANSI(), "Gr\xFC\xDF" "e \x80\r\nzweite Zeile\r\n"},
      {"utf16.txt", TEncoding::Unicode(), std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0" "e\0 \0\xAC\x20\r\0\n\0", 20)},
  };
  for (const auto& c : cases) {
    const String path = OutputPath(c.Name);
    TStringList l;
    l.SetText(text);
    l.SaveToFile(path, c.Encoding);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(0, c.Bytes.size()), c.Bytes) << c.Name;
    // Reading back finds the encoding by its BOM (ANSI without one) and keeps it for saving.
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.GetText(), text) << c.Name;
    EXPECT_EQ(back.GetEncoding(), c.Encoding == TEncoding::ANSI() ? TEncoding::Default() : c.Encoding);
    back.SaveToFile(path);
    EXPECT_EQ(ReadFileBytes(path), bytes) << c.Name;
  }

  // Without a BOM, a given encoding decides; a BOM-less UTF-8 file read as default is ANSI.
  const String path = OutputPath("nobom.txt");
  WriteFileBytes(path, "\xC3\xA4\n");
  TStringList l;
  l.LoadFromFile(path, TEncoding::UTF8());
  EXPECT_EQ(l[0], u"ä");
  EXPECT_FALSE(l.GetWriteBOM());
  l.LoadFromFile(path);
  EXPECT_EQ(l[0], u"Ã¤");
  // WriteBOM off: no preamble.
  l.SetText(u"x");
  l.SetWriteBOM(false);
  l.SaveToFile(path, TEncoding::UTF8());
  EXPECT_EQ(ReadFileBytes(path), "x\r\n");
  EXPECT_THROW(l.LoadFromFile(OutputPath("does-not-exist.txt")), EFOpenError);
}

TEST(StringListFiles, StreamsReadFromTheirPosition) {
  TMemoryStream m;
  m.WriteBuffer("skip|a\nb", 8);
  m.SetPosition(5);
  TStringList l;
  l.LoadFromStream(&m);
  EXPECT_EQ(Items(l), (std::vector<String>{u"a", u"b"}));
  TMemoryStream out;
  l.SaveToStream(&out);
  EXPECT_EQ(out.GetSize(), 6);
}

TEST(StringListSorted, SortAndFindAgreeWithTheComparisonOnTrickyText) {
  // Long shared prefixes, embedded NULs, case pairs inside and outside ASCII and every length
  // around the eight units the sort looks at first.
  const Char alphabet[] = {u'a', u'A', u'b', u'\0', u'_', u'\u00E4', u'\u00C4', u'\uFFFF'};
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  for (bool sensitive : {false, true}) {
    TStringList l;
    l.SetCaseSensitive(sensitive);
    l.SetDuplicates(dupAccept);
    for (int i = 0; i < 3000; ++i) {
      String s(next() % 3 == 0 ? u"aAaAaAaA" : u"");
      for (unsigned n = next() % 12; n > 0; --n) s += alphabet[next() % 8];
      l.Add(s);
    }
    l.SetSorted(true);
    auto reference = [&](const String& a, const String& b) {
      String x = a, y = b;
      if (!sensitive) {
        for (Char& c : x) c = CharUpper(c);
        for (Char& c : y) c = CharUpper(c);
      }
      return x.compare(y);
    };
    for (Integer i = 1; i < l.GetCount(); ++i)
      ASSERT_LE(reference(l[i - 1], l[i]), 0) << i << (sensitive ? " case-sensitive" : "");
    for (Integer i = 0; i < l.GetCount(); ++i) {
      Integer index = -1;
      ASSERT_TRUE(l.Find(l[i], index));
      EXPECT_EQ(reference(l[index], l[i]), 0);
      EXPECT_LE(index, i);   // the first of equal entries
    }
  }
}

// A NUL is an ordinary character of an item, neither a blank nor a delimiter.
TEST(StringListText, NulIsAnOrdinaryCharacter) {
  const String withNul(u"a\0b,c\0", 6);
  TStringList comma;
  comma.SetCommaText(withNul);
  EXPECT_EQ(Items(comma), (std::vector<String>{String(u"a\0b", 3), String(u"c\0", 2)}));
  TStringList delimited;
  delimited.SetDelimiter(u';');
  delimited.SetDelimitedText(String(u"\0;x", 3));
  EXPECT_EQ(Items(delimited), (std::vector<String>{String(u"\0", 1), u"x"}));
}
