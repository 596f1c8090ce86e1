// The header and footer buttons' appearance: defaults, change notification, Assign and the
// published properties.
#include "lib/dropdown/NeoButtonAppearance.h"

#include <gtest/gtest.h>

#include "platform/rtl/TypInfo.h"

TEST(NeoButtonAppearance, DefaultsAndCheckedShades) {
  TNeoButtonAppearance a;
  struct TCase { const char* Name; TColor Value, Want; };
  const TCase cases[] = {
      {"BorderColor", a.GetBorderColor(), clNone},
      {"BorderColorHot", a.GetBorderColorHot(), 0x808080},
      {"BorderColorDown", a.GetBorderColorDown(), 0x800000},
      {"BorderColorDisabled", a.GetBorderColorDisabled(), 0x808080},
      {"BorderColorChecked", a.GetBorderColorChecked(), 0xFF0000},
      {"Color", a.GetColor(), clNone},
      {"ColorTo", a.GetColorTo(), clNone},
      {"ColorHot", a.GetColorHot(), 0xF5F0E1},
      {"ColorHotTo", a.GetColorHotTo(), 0xF9D2B2},
      {"ColorDown", a.GetColorDown(), 0xF5D8CA},
      {"ColorDownTo", a.GetColorDownTo(), 0xF9BDA0},
      {"ColorChecked", a.GetColorChecked(), 0xF5D8CA},
      {"ColorCheckedTo", a.GetColorCheckedTo(), 0xF9BDA0},
      {"ColorDisabled", a.GetColorDisabled(), 0xF2F2F2},
      {"ColorDisabledTo", a.GetColorDisabledTo(), clNone},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Value, c.Want) << c.Name;
  EXPECT_EQ(a.GetGradient(), gdVertical);
  EXPECT_EQ(a.GetFont()->GetName(), u"Tahoma");
}

TEST(NeoButtonAppearance, SettersNotifyChangesOnly) {
  TNeoButtonAppearance a;
  int changes = 0;
  a.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &a);
    ++changes;
  };
  a.SetColorHot(a.GetColorHot());
  EXPECT_EQ(changes, 0);
  a.SetColorHot(clRed);
  a.SetBorderColorChecked(clGreen);
  a.SetGradient(gdHorizontal);
  a.SetGradient(gdHorizontal);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(a.GetColorHot(), clRed);

  // Assign copies the colours and the gradient through the setters, not the font.
  TNeoButtonAppearance b;
  b.GetFont()->SetName(u"Arial");
  changes = 0;
  b.Assign(&a);
  EXPECT_EQ(b.GetColorHot(), clRed);
  EXPECT_EQ(b.GetBorderColorChecked(), clGreen);
  EXPECT_EQ(b.GetGradient(), gdHorizontal);
  EXPECT_EQ(b.GetFont()->GetName(), u"Arial");
  int bChanges = 0;
  b.OnChange = [&](TObject*) { ++bChanges; };
  a.SetColorDisabledTo(clYellow);
  b.Assign(&a);
  EXPECT_EQ(bChanges, 1);   // only the one colour that differed
  TFont font;
  EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(NeoButtonAppearance, PublishedPropertiesAndStoredDefaults) {
  TNeoButtonAppearance a;
  for (const char16_t* name : {u"BorderColor", u"ColorHot", u"ColorDisabledTo", u"Gradient", u"Font"})
    EXPECT_NE(GetPropInfo(&a, name), nullptr) << UTF8Encode(name);
  for (const char16_t* name : {u"ColorChecked", u"ColorCheckedTo", u"BorderColorChecked"})
    EXPECT_EQ(GetPropInfo(&a, name), nullptr) << UTF8Encode(name);
  // Each ordinal property's default is the value a new appearance has (the writer leaves those out).
  for (const char16_t* name : {u"BorderColor", u"BorderColorHot", u"BorderColorDown", u"BorderColorDisabled", u"Color",
                               u"ColorTo", u"ColorHot", u"ColorHotTo", u"ColorDown", u"ColorDownTo", u"ColorDisabled",
                               u"ColorDisabledTo", u"Gradient"}) {
    PPropInfo info = GetPropInfo(&a, name);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->HasDefault) << UTF8Encode(name);
    EXPECT_EQ(info->Default, GetOrdProp(&a, info)) << UTF8Encode(name);
  }
  a.SetColorHot(clAqua);
  EXPECT_EQ(GetOrdProp(&a, u"ColorHot"), clAqua);
}
