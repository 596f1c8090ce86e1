// The popup header's and footer's appearance objects and their button collections: defaults, the
// narrow change notification, Assign and AssignColors.
#include "lib/dropdown/NeoPopupAppearance.h"

#include <gtest/gtest.h>

TEST(NeoPopupAppearance, Defaults) {
  TFont plain;
  THeaderAppearance header(nullptr);
  TFooterAppearance footer(nullptr);
  for (TPopupStripAppearance* a : {static_cast<TPopupStripAppearance*>(&header), static_cast<TPopupStripAppearance*>(&footer)}) {
    EXPECT_EQ(a->GetColor(), static_cast<TColor>(0xC0C0C0));
    EXPECT_EQ(a->GetColorTo(), static_cast<TColor>(0xFFFFFF));
    EXPECT_EQ(a->GetBorderColor(), static_cast<TColor>(0));
    EXPECT_EQ(a->GetCaption(), u"");
    EXPECT_EQ(a->GetGradientDirection(), gdVertical);
    EXPECT_TRUE(a->GetVisible());
    EXPECT_EQ(a->GetHeight(), 22);
    EXPECT_EQ(a->GetBorderWidth(), 1);
    EXPECT_EQ(a->GetImageIndex(), -1);
    EXPECT_EQ(a->GetButtonAlignment(), baRight);
    EXPECT_EQ(a->GetButtonCollection()->GetCount(), 0);
  }
  EXPECT_EQ(header.GetFont()->GetName(), u"Tahoma");
  EXPECT_EQ(footer.GetFont()->GetName(), plain.GetName());   // the class library's default font
  EXPECT_TRUE(footer.GetSizeGrip());
  THeaderButton* b = header.GetButtons()->Add();
  EXPECT_EQ(b->GetCaption(), u"");
  EXPECT_EQ(b->GetImageIndex(), -1);
  EXPECT_TRUE(b->GetEnabled());
  EXPECT_EQ(b->GetWidth(), 0);
  EXPECT_EQ(b->GetHeight(), 0);
  EXPECT_EQ(footer.GetButtons()->Add()->GetModalResult(), mrNone);
}

TEST(NeoPopupAppearance, OnlyVisibleFooterCaptionAndButtonChangesNotify) {
  THeaderAppearance owner(nullptr);   // any persistent owner
  THeaderAppearance header(&owner);
  TFooterAppearance footer(&owner);
  EXPECT_EQ(header.GetOwner(), &owner);
  EXPECT_EQ(header.GetButtons()->GetOwner(), &owner);
  EXPECT_EQ(footer.GetButtons()->GetOwner(), &owner);
  int headerChanges = 0, footerChanges = 0, buttonChanges = 0;
  header.OnChange = [&](TObject* S) {
    EXPECT_EQ(S, &header);
    ++headerChanges;
  };
  footer.OnChange = [&](TObject*) { ++footerChanges; };
  header.OnButtonsChanged = [&](TObject* S) {
    EXPECT_EQ(S, &header);
    ++buttonChanges;
  };
  header.SetColor(clRed);
  header.SetHeight(30);
  header.SetCaption(u"Kopf");
  header.SetVisible(true);
  EXPECT_EQ(headerChanges, 0);
  header.SetVisible(false);
  EXPECT_EQ(headerChanges, 1);
  footer.SetCaption(u"Fuß");
  footer.SetCaption(u"Fuß");
  footer.SetSizeGrip(false);
  EXPECT_EQ(footerChanges, 1);

  THeaderButton* b = header.GetButtons()->Add();
  int afterAdd = buttonChanges;
  b->SetCaption(u"OK");
  b->SetEnabled(false);
  b->SetWidth(40);
  EXPECT_EQ(buttonChanges, afterAdd + 3);
  b->SetCaption(u"OK");
  b->SetHeight(20);
  b->SetImageIndex(2);
  EXPECT_EQ(buttonChanges, afterAdd + 3);
  EXPECT_EQ(header.GetButtons()->Insert(0)->GetIndex(), 0);
  EXPECT_EQ(header.GetButtons()->GetItems(1), b);
}

TEST(NeoPopupAppearance, AssignAndAssignColors) {
  THeaderAppearance from(nullptr);
  from.SetColor(clRed);
  from.SetColorTo(clBlue);
  from.SetBorderColor(clGreen);
  from.SetCaption(u"<b>Auswahl</b>");
  from.SetImageIndex(3);
  from.SetBorderWidth(2);
  from.SetGradientDirection(gdHorizontal);
  from.SetHeight(28);
  from.SetVisible(false);
  from.SetButtonAlignment(baLeft);
  from.GetFont()->SetName(u"DejaVu Sans");
  from.GetButtons()->Add()->SetCaption(u"Eins");

  THeaderAppearance colours(nullptr);
  colours.AssignColors(&from);
  EXPECT_EQ(colours.GetColor(), clRed);
  EXPECT_EQ(colours.GetColorTo(), clBlue);
  EXPECT_EQ(colours.GetBorderColor(), clGreen);
  EXPECT_EQ(colours.GetGradientDirection(), gdHorizontal);
  EXPECT_EQ(colours.GetFont()->GetName(), u"DejaVu Sans");
  EXPECT_EQ(colours.GetCaption(), u"");
  EXPECT_EQ(colours.GetHeight(), 22);
  EXPECT_TRUE(colours.GetVisible());

  THeaderAppearance to(nullptr);
  int changes = 0;
  to.OnChange = [&](TObject*) { ++changes; };
  to.Assign(&from);
  EXPECT_EQ(changes, 1);   // Visible went through its setter
  EXPECT_EQ(to.GetCaption(), u"<b>Auswahl</b>");
  EXPECT_EQ(to.GetImageIndex(), 3);
  EXPECT_EQ(to.GetBorderWidth(), 2);
  EXPECT_EQ(to.GetHeight(), 28);
  EXPECT_FALSE(to.GetVisible());
  EXPECT_EQ(to.GetButtonAlignment(), baLeft);
  ASSERT_EQ(to.GetButtons()->GetCount(), 1);
  EXPECT_EQ(to.GetButtons()->GetItems(0)->GetCaption(), u"Eins");
  // A source of another kind is ignored.
  TFooterAppearance footer(nullptr);
  to.Assign(&footer);
  EXPECT_EQ(to.GetCaption(), u"<b>Auswahl</b>");

  footer.SetSizeGrip(false);
  footer.GetButtons()->Add()->SetModalResult(mrOk);
  TFooterAppearance footerCopy(nullptr);
  footerCopy.Assign(&footer);
  EXPECT_FALSE(footerCopy.GetSizeGrip());
  ASSERT_EQ(footerCopy.GetButtons()->GetCount(), 1);
  EXPECT_EQ(footerCopy.GetButtons()->GetItems(0)->GetModalResult(), mrOk);
}
