// TNeoUtils forms, DPI, mouse and fonts, on the headless window system.
#include <gtest/gtest.h>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/StringLists.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"

namespace {

class NeoUtilsForms : public ::testing::Test {
protected:
  void SetUp() override { Headless::Use(); }
  void TearDown() override { Headless::SetDpi(96); }
};

TEST_F(NeoUtilsForms, OwnerAndParentForms) {
  TForm form(nullptr);
  TComponent* owned = new TComponent(&form);
  TComponent* nested = new TComponent(owned);
  EXPECT_EQ(TNeoUtils::GetOwnerForm(nested), &form);
  EXPECT_EQ(TNeoUtils::GetOwnerForm(owned), &form);
  EXPECT_EQ(TNeoUtils::GetOwnerForm(&form), nullptr);   // the component itself does not count
  EXPECT_EQ(TNeoUtils::GetOwnerForm(nullptr), nullptr);

  TForm outer(nullptr);
  form.SetParent(&outer);
  TPanel* panel = new TPanel(&form);
  panel->SetParent(&form);
  TPanel* inner = new TPanel(&form);
  inner->SetParent(panel);
  EXPECT_EQ(TNeoUtils::GetParentForm(inner), &outer);   // the topmost form
  EXPECT_EQ(TNeoUtils::GetParentForm(&outer), &outer);
  TPanel loose(nullptr);
  EXPECT_EQ(TNeoUtils::GetParentForm(&loose), nullptr);
  EXPECT_EQ(TNeoUtils::GetParentForm(nullptr), nullptr);
  form.SetParent(nullptr);
}

TEST_F(NeoUtilsForms, DPIScaleFollowsTheMainFormElseTheOwnerForm) {
  ASSERT_EQ(Application->GetMainForm(), nullptr);
  Headless::SetDpi(144);
  EXPECT_FLOAT_EQ(TNeoUtils::GetDPIScale(), 1.0f);   // no form at all

  TForm form(nullptr);
  TComponent* owned = new TComponent(&form);
  EXPECT_FLOAT_EQ(TNeoUtils::GetDPIScale(owned), 1.5f);
  form.SetScaled(false);
  EXPECT_FLOAT_EQ(TNeoUtils::GetDPIScale(owned), 1.0f);
  std::unique_ptr<TCustomForm> plain(TCustomForm::CreateNew(nullptr));   // not a TForm
  EXPECT_FLOAT_EQ(TNeoUtils::GetDPIScale(new TComponent(plain.get())), 1.0f);
  EXPECT_FALSE(TNeoUtils::IsHighDPIScale());

  // Once there is a main form, its scale holds for everyone.
  TForm* mainForm = nullptr;
  Application->CreateForm(mainForm);
  ASSERT_EQ(Application->GetMainForm(), mainForm);
  EXPECT_FLOAT_EQ(TNeoUtils::GetDPIScale(owned), 1.5f);
  EXPECT_FLOAT_EQ(TNeoUtils::GetDPIScale(), 1.5f);
  EXPECT_TRUE(TNeoUtils::IsHighDPIScale());
  Headless::SetDpi(120);
  EXPECT_FLOAT_EQ(TNeoUtils::GetDPIScale(), 1.25f);
  Headless::SetDpi(96);
  EXPECT_FALSE(TNeoUtils::IsHighDPIScale());
}

TEST_F(NeoUtilsForms, MousePosition) {
  Headless::MouseMove(30, 45);
  const TNeoPointF p = TNeoUtils::GetMousePos();
  EXPECT_FLOAT_EQ(p.X, 30.0f);
  EXPECT_FLOAT_EQ(p.Y, 45.0f);
}

TEST_F(NeoUtilsForms, FontsAreSortedWithoutRepeats) {
  TStringList list;
  list.Add(u"stale entry");
  TNeoUtils::GetFonts(&list);
  ASSERT_GT(list.GetCount(), 1);
  EXPECT_EQ(list.IndexOf(u"stale entry"), -1);
  EXPECT_GE(list.IndexOf(u"DejaVu Sans"), 0);
  for (Integer i = 1; i < list.GetCount(); ++i) {
    EXPECT_LT(CompareText(list[i - 1], list[i]), 0) << UTF8Encode(list[i - 1]) << " / " << UTF8Encode(list[i]);
    EXPECT_LT(list[i].size(), 32u);
  }
}

TEST_F(NeoUtilsForms, SetFontSizeConvertsPixelsToPointsHalvesToEven) {
  TFont font;
  const std::pair<Double, Integer> rows[] = {{16, 12}, {12, 9}, {10, 8}, {14, 10}, {18, 14}, {96, 72}};
  for (const auto& [pixels, points] : rows) {
    TNeoUtils::SetFontSize(&font, pixels);
    EXPECT_EQ(font.GetSize(), points) << pixels;
  }
}

}  // namespace
