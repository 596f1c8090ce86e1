// The table of named colours.
#include "GraphicsTestSupport.h"

class NeoGraphicsColors : public GraphicsUnitsSuite {};

TEST_F(NeoGraphicsColors, TheTableHoldsTheCssNamesThenTheBasicNames) {
  TStringList* list = GetColorList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetCount(), 160);
  EXPECT_FALSE(list->GetSorted());
  for (Integer i = 1; i < list->GetCount(); ++i)
    EXPECT_LE(CompareText(list->GetStrings(i - 1), list->GetStrings(i)), 0) << i;
  Integer reds = 0;
  for (Integer i = 0; i < list->GetCount(); ++i) {
    if (list->GetStrings(i) != u"red") continue;
    ++reds;
    EXPECT_EQ(static_cast<TNeoGraphicsColorObject*>(list->GetObjects(i))->GetColor(), 0x0000FF);
  }
  EXPECT_EQ(reds, 2);
}

TEST_F(NeoGraphicsColors, LookupsIgnoreCaseAndAnswerBgrValues) {
  struct Case {
    const char16_t* Name;
    TColor Color;
  };
  const Case cases[] = {
      {u"aliceblue", 0xFFF8F0}, {u"AliceBlue", 0xFFF8F0}, {u"red", 0x0000FF},   {u"blue", 0xFF0000},
      {u"green", 0x008000},     {u"gray", 0x808080},      {u"GREY", 0x808080},  {u"orange", 0x00A5FF},
      {u"maroon", 0x000080},    {u"navy", 0x800000},      {u"teal", 0x808000},  {u"silver", 0xC0C0C0},
      {u"yellowgreen", 0x32CD9A}, {u"white", 0xFFFFFF},   {u"yellow", 0x00FFFF}, {u"rebeccapurple", -2},
      {u"", -2},                {u"clred", -2},
  };
  for (const Case& c : cases) {
    TColor color = -2;
    EXPECT_EQ(FindNamedColor(c.Name, color), c.Color != -2) << UTF8Encode(c.Name);
    EXPECT_EQ(color, c.Color) << UTF8Encode(c.Name);
  }
}

TEST(NeoGraphicsColorsUnit, TheTableLivesFromStartUpToFinalisation) {
  Units().Clear();
  RegisterNeoTypesUnit();
  EXPECT_EQ(Units().Names(0), u"NeoGraphicsTypes");
  EXPECT_EQ(GetColorList(), nullptr);
  TColor color = 0;
  EXPECT_FALSE(FindNamedColor(u"red", color));
  {
    TUnitsScope units;
    ASSERT_NE(GetColorList(), nullptr);
    EXPECT_TRUE(IsPublishedProp(TNeoGraphicsFill::StaticClass(), u"GradientItems"));
    EXPECT_EQ(GetClass(u"TNeoBitmap"), TNeoBitmap::StaticClass());
    EXPECT_TRUE(IsPublishedProp(TNeoScaledBitmap::StaticClass(), u"Scale"));
  }
  EXPECT_EQ(GetColorList(), nullptr);
  Units().Clear();
}
