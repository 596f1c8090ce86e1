// Image lists: cutting pictures into images, masks, drawing enabled and greyed.
#include <gtest/gtest.h>

#include "GraphicsTestUtil.h"
#include "platform/ui/ImgList.h"

namespace {

// A 32 x 16 picture: the left half red with a blue centre pixel, the right half green.
void TwoImages(TBitmap& B) {
  WhiteBitmap(B, 32, 16);
  TCanvas* c = B.GetCanvas();
  c->GetBrush()->SetColor(clRed);
  c->FillRect(TRect{0, 0, 16, 16});
  c->GetBrush()->SetColor(clLime);
  c->FillRect(TRect{16, 0, 32, 16});
  c->SetPixels(8, 8, clBlue);
}

TEST(ImgList, AddCutsThePictureIntoImagesOfTheListSize) {
  TImageList list(nullptr);
  EXPECT_EQ(list.GetWidth(), 16);
  EXPECT_EQ(list.GetHeight(), 16);
  TBitmap source;
  TwoImages(source);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(list.Add(&source, nullptr), 0);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.Add(&source, nullptr), 2);
  EXPECT_EQ(changes, 2);
  TBitmap image;
  ASSERT_TRUE(list.GetBitmap(1, &image));
  EXPECT_EQ(image.GetWidth(), 16);
  EXPECT_EQ(PixelOf(image, 3, 3) & 0xFFFFFF, clLime);
  EXPECT_FALSE(list.GetBitmap(4, &image));
  EXPECT_EQ(list.Add(nullptr, nullptr), -1);
  list.SetSize(8, 8);   // a new size empties the list
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(ImgList, MasksMakePixelsTransparentAndDisabledImagesAreGrey) {
  TImageList list(nullptr);
  TBitmap source;
  TwoImages(source);
  EXPECT_EQ(list.AddMasked(&source, clBlue), 0);
  TBitmap mask;
  WhiteBitmap(mask, 32, 16);
  mask.GetCanvas()->GetBrush()->SetColor(clBlack);
  mask.GetCanvas()->FillRect(TRect{0, 0, 32, 8});   // top half opaque, bottom half transparent
  EXPECT_EQ(list.Add(&source, &mask), 2);
  TBitmap target;
  WhiteBitmap(target, 80, 20);
  list.Draw(target.GetCanvas(), 0, 0, 0);
  list.Draw(target.GetCanvas(), 20, 0, 1, false);
  list.Draw(target.GetCanvas(), 40, 0, 2);
  list.Draw(target.GetCanvas(), 60, 0, 7);    // outside the list: nothing
  list.Draw(nullptr, 0, 0, 0);
  EXPECT_EQ(PixelOf(target, 3, 3) & 0xFFFFFF, clRed);
  EXPECT_EQ(PixelOf(target, 8, 8) & 0xFFFFFF, clWhite);   // the mask colour lets the background show
  const TColor grey = PixelOf(target, 23, 3) & 0xFFFFFF;
  EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
  EXPECT_EQ(grey & 0xFF, (grey >> 16) & 0xFF);
  EXPECT_NE(grey, clWhite);
  EXPECT_EQ(PixelOf(target, 43, 3) & 0xFFFFFF, clRed);
  EXPECT_EQ(PixelOf(target, 43, 12) & 0xFFFFFF, clWhite);
  EXPECT_EQ(PixelOf(target, 63, 3) & 0xFFFFFF, clWhite);
}

}  // namespace
