// Pictures per display scale.
#include "GraphicsTestSupport.h"

namespace {

std::unique_ptr<TNeoBitmap> QuadPicture() {
  auto picture = std::make_unique<TNeoBitmap>();
  picture->LoadFromFile(TestData("quad.png"));
  return picture;
}

}  // namespace

TEST(NeoScaledBitmaps, ItemByScalePrefersAnExactMatchThenTheLargestScale) {
  TNeoScaledBitmaps bitmaps(nullptr);
  EXPECT_EQ(bitmaps.GetItemByScale(1), nullptr);
  TNeoScaledBitmap* one = bitmaps.Add(1);
  TNeoScaledBitmap* two = bitmaps.Add(2);
  EXPECT_EQ(bitmaps.GetItemByScale(1.5f), two);
  EXPECT_EQ(bitmaps.GetItemByScale(1), one);
  EXPECT_EQ(bitmaps.GetItemByScale(3), two);
  TNeoScaledBitmap* secondTwo = bitmaps.Add(2);
  EXPECT_EQ(bitmaps.GetItemByScale(5), two);   // the first of equal scales
  EXPECT_EQ(bitmaps.GetBitmapByScale(2), two->GetBitmap());
  (void)secondTwo;

  TNeoScaledBitmaps nonPositive(nullptr);
  nonPositive.Add(0);
  nonPositive.Add(-1);
  EXPECT_EQ(nonPositive.GetItemByScale(1), nullptr);
  EXPECT_EQ(nonPositive.GetItemByScale(-1), nonPositive.GetItems(1));   // exact matches still count
  EXPECT_EQ(nonPositive.GetBitmap(1), nullptr);
}

TEST(NeoScaledBitmaps, SetBitmapAddsOnlyWhenNoItemIsFound) {
  const std::unique_ptr<TNeoBitmap> picture = QuadPicture();
  TNeoScaledBitmaps bitmaps(nullptr);
  bitmaps.Add(1);
  TNeoScaledBitmap* two = bitmaps.Add(2);
  bitmaps.SetBitmap(1.5f, picture.get());
  EXPECT_EQ(bitmaps.GetCount(), 2);
  EXPECT_EQ(two->GetBitmap()->GetWidth(), 16);

  TNeoScaledBitmaps empty(nullptr);
  empty.SetBitmap(1.5f, picture.get());
  ASSERT_EQ(empty.GetCount(), 1);
  EXPECT_FLOAT_EQ(empty.GetItems(0)->GetScale(), 1.5f);
  EXPECT_EQ(empty.GetBitmap(1.5f)->GetHeight(), 12);
}

TEST(NeoScaledBitmaps, ChangesReachOnChange) {
  TNeoScaledBitmaps bitmaps(nullptr);
  ChangeCounter changes;
  bitmaps.OnChange = changes.Handler();
  TNeoScaledBitmap* item = bitmaps.Add(2);
  const int afterAdd = changes.Count;
  EXPECT_GE(afterAdd, 1);
  item->GetBitmap()->LoadFromFile(TestData("quad.png"));   // the picture's own change
  EXPECT_EQ(changes.Count, afterAdd + 1);
  EXPECT_EQ(changes.LastSender, &bitmaps);
  item->SetScale(2);
  item->SetBitmapName(u"");
  EXPECT_EQ(changes.Count, afterAdd + 1);
  item->SetBitmapName(u"logo");
  item->SetScale(3);
  EXPECT_EQ(changes.Count, afterAdd + 3);
  const std::unique_ptr<TNeoBitmap> picture = QuadPicture();
  item->SetBitmap(picture.get());
  EXPECT_EQ(changes.Count, afterAdd + 4);
}

TEST(NeoScaledBitmaps, AddingFromPicturesFilesResourcesAndNames) {
  TNeoScaledBitmaps bitmaps(nullptr);
  const std::unique_ptr<TNeoBitmap> picture = QuadPicture();
  EXPECT_EQ(bitmaps.AddBitmap(picture.get(), 1)->GetBitmap()->GetWidth(), 16);
  EXPECT_EQ(bitmaps.AddDrawBitmap(picture->GetGraphic(), 1.25f)->GetBitmap()->GetWidth(), 16);
  EXPECT_EQ(bitmaps.AddBitmapFromFile(TestData("quad.png"), 1.5f)->GetBitmap()->GetHeight(), 12);
  EXPECT_EQ(bitmaps.AddBitmapFromResource(u"QUADPNG", 2)->GetBitmap()->GetWidth(), 16);
  EXPECT_EQ(bitmaps.AddBitmapFromResource(u"NO-SUCH-RESOURCE", 3)->GetBitmap()->GetGraphic(), nullptr);
  EXPECT_EQ(bitmaps.AddBitmapName(u"logo", 4)->GetBitmapName(), u"logo");
  EXPECT_EQ(bitmaps.GetCount(), 6);
  // A file that cannot be read raises and adds nothing.
  EXPECT_ANY_THROW(bitmaps.AddBitmapFromFile(TestData("missing.png"), 5));
  EXPECT_EQ(bitmaps.GetCount(), 6);
  TNeoScaledBitmap* inserted = bitmaps.Insert(0, 0.5f);
  EXPECT_EQ(bitmaps.GetItems(0), inserted);
  EXPECT_FLOAT_EQ(inserted->GetScale(), 0.5f);
  EXPECT_FLOAT_EQ(bitmaps.Insert(1)->GetScale(), 1);

  // Assignment copies picture, name and scale without a change notice.
  ChangeCounter changes;
  bitmaps.OnChange = changes.Handler();
  TNeoScaledBitmap* target = bitmaps.GetItems(1);
  target->Assign(bitmaps.GetItems(7));
  EXPECT_EQ(target->GetBitmapName(), u"logo");
  EXPECT_FLOAT_EQ(target->GetScale(), 4);
  target->Assign(bitmaps.GetItems(2));
  EXPECT_EQ(target->GetBitmap()->GetWidth(), 16);
  EXPECT_EQ(changes.Count, 0);
}

class NeoScaledBitmapsPersistence : public GraphicsUnitsSuite {};

TEST_F(NeoScaledBitmapsPersistence, ScaleOneIsNotStored) {
  TNeoScaledBitmaps bitmaps(nullptr);
  TNeoScaledBitmap* item = bitmaps.Add(1);
  EXPECT_FALSE(IsStoredProp(item, u"Scale"));
  item->SetScale(2);
  EXPECT_TRUE(IsStoredProp(item, u"Scale"));
  EXPECT_TRUE(IsPublishedProp(item, u"BitmapName"));
  EXPECT_TRUE(IsPublishedProp(item, u"Bitmap"));
}
