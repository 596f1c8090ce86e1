#pragma once
// Fixture of the picker tests: a shown form at 96 dpi, pickers on it, image lists of plain
// coloured squares, and the open state of a picker's popup.
#include <vector>

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownForm.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/testsupport/UiTestSupport.h"

class PickerTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Headless::SetDpi(96);
    Headless::SetScreenSize(1024, 768);
    Headless::SetWorkArea(RECT{0, 0, 1024, 728});
    Form = NewForm(400, 300);
    Form->SetColor(clWhite);
    Form->Show();
    Pump();
  }
  // A picker on the form at (X, Y), focused.
  template <class T> T* NewPicker(Integer X = 10, Integer Y = 10, Integer W = 200, Integer H = 21) {
    auto* d = new T(Form);
    d->SetParent(Form);
    d->SetBounds(X, Y, W, H);
    Pump();
    d->SetFocus();
    Pump();
    return d;
  }
  // One Size x Size image per colour.
  TImageList* ColourList(const std::vector<TColor>& Colours, Integer Size = 16) {
    auto* list = new TImageList(Form);
    list->SetSize(Size, Size);
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(Size * static_cast<Integer>(Colours.size()), Size);
    for (std::size_t i = 0; i < Colours.size(); ++i) {
      bmp.GetCanvas()->GetBrush()->SetColor(Colours[i]);
      const Integer x = static_cast<Integer>(i) * Size;
      bmp.GetCanvas()->FillRect(TRect{x, 0, x + Size, Size});
    }
    list->Add(&bmp, nullptr);
    return list;
  }
  static bool IsOpen(TNeoCustomDropDown* D) {
    return D->GetDroppedDown() && D->GetDropDownForm() && IsWindowVisible(D->GetDropDownForm()->GetHandle());
  }
  static void Open(TNeoCustomDropDown* D) {
    D->ShowDropDown();
    Pump();
  }
  TForm* Form = nullptr;
};
