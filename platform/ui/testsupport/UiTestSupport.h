#pragma once
// Fixture of the control tests: the headless window system, forms freed after each test, and
// input that goes through the application's message handling (key routing included).
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/Headless.h"

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
};
