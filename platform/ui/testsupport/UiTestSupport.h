#pragma once
// Fixture of the control tests: the headless window system, forms freed after each test, and
// input that goes through the application's message handling (key routing included).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/Headless.h"
#include "platform/win/Surface.h"

class UiTest : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Application->OnException = nullptr;
  }
  void TearDown() override {
    SetDialogObserver(nullptr);
    Application->OnException = nullptr;
    while (Screen->GetFormCount() > 0) delete Screen->GetForms(0);
    Headless::Reset();
  }

  // A shown form with a client area of W x H at (100, 100).
  static TForm* NewForm(Integer W = 300, Integer H = 200) {
    auto* f = new TForm(Application);
    f->SetBorderStyle(bsSingle);
    f->SetBounds(100, 100, 10, 10);
    f->SetClientWidth(W);
    f->SetClientHeight(H);
    return f;
  }
  template <class T> static T* Add(TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H) {
    auto* c = new T(Parent);
    c->SetParent(Parent);
    c->SetBounds(X, Y, W, H);
    return c;
  }
  static void Pump() { Application->ProcessMessages(); }
  static TPoint ScreenPoint(TControl* C, Integer X, Integer Y) { return C->ClientToScreen(TPoint{X, Y}); }
  static void ClickAt(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::Click(p.x, p.y);
    Pump();
  }
  static void DoubleClickAt(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::Click(p.x, p.y);
    Headless::Click(p.x, p.y);
    Pump();
  }
  static void Press(UINT Vk) {
    Headless::KeyPress(Vk);
    Pump();
  }
  // A key with a modifier held (VK_SHIFT, VK_CONTROL, VK_MENU).
  static void Chord(UINT Modifier, UINT Vk) {
    Headless::KeyDown(Modifier);
    Headless::KeyPress(Vk);
    Headless::KeyUp(Modifier);
    Pump();
  }
  static void Type(StringView Text) {
    Headless::TypeText(Text);
    Pump();
  }
  static std::string OutputPath(const char* Name) { return std::string(ZELK_TEST_OUTPUT) + "/" + Name; }

  // Saves the window (bars and border included) under the test output and expects it to match the
  // golden picture AGolden within 2 per channel.
  static void ExpectWindowMatchesGolden(HWND AWindow, const std::string& AGolden, const char* AName) {
    Pump();
    std::string out = OutputPath(AName);
    ASSERT_TRUE(Headless::SaveWindowPng(AWindow, out));
    TSurface got(1, 1), want(1, 1);
    ASSERT_TRUE(got.LoadFromPng(out));
    ASSERT_TRUE(want.LoadFromPng(AGolden)) << "no golden picture " << AGolden << "; this run's is " << out;
    ASSERT_EQ(got.Width(), want.Width());
    ASSERT_EQ(got.Height(), want.Height());
    int off = 0;
    for (int y = 0; y < got.Height(); ++y)
      for (int x = 0; x < got.Width(); ++x) {
        std::uint32_t a = got.Pixel(x, y), b = want.Pixel(x, y);
        for (int shift : {0, 8, 16, 24})
          if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 2) {
            ++off;
            break;
          }
      }
    EXPECT_EQ(off, 0) << AName << ": pixels differ from " << AGolden << "; see " << out;
  }
};
