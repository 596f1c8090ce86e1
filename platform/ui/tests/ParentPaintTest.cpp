// A windowed child that shows what lies beneath it: the parent paints and erases into the child's
// DC with the viewport origin moved by the child's position, including the child's own area.
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinGdi.h"

namespace {

// Vertical stripes: red on even 4-pixel columns, blue on odd ones, over a green erase.
class TStripedParent : public TCustomControl {
public:
  using TCustomControl::TCustomControl;

protected:
  void Paint() override {
    TCanvas* c = GetCanvas();
    for (Integer x = 0; x < GetClientWidth(); x += 4) {
      c->GetBrush()->SetColor((x / 4) % 2 ? clBlue : clRed);
      c->FillRect(TRect{x, 0, x + 4, GetClientHeight() / 2});
    }
  }
};

class TSeeThroughChild : public TCustomControl {
public:
  using TCustomControl::TCustomControl;

protected:
  void PaintWindow(HDC DC) override {
    const int saved = SaveDC(DC);
    OffsetViewportOrgEx(DC, -GetLeft(), -GetTop(), nullptr);
    GetParent()->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    GetParent()->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
};

class ParentPaintTest : public UiTest {};

TEST_F(ParentPaintTest, ChildShowsThePaintedParentBeneathIt) {
  TForm* form = NewForm(200, 120);
  auto* parent = Add<TStripedParent>(form, 0, 0, 200, 120);
  parent->SetColor(clLime);
  auto* child = Add<TSeeThroughChild>(parent, 10, 50, 40, 20);
  for (bool buffered : {false, true}) {
    SCOPED_TRACE(buffered ? "double-buffered parent" : "plain parent");
    parent->SetDoubleBuffered(buffered);
    form->Show();
    parent->Invalidate();
    child->Invalidate();
    Pump();
    for (Integer y = 0; y < 20; ++y)
      for (Integer x = 0; x < 40; ++x) {
        const Integer px = 10 + x, py = 50 + y;
        const COLORREF expected = py < 60 ? (((px / 4) % 2) ? RGB(0, 0, 255) : RGB(255, 0, 0)) : RGB(0, 255, 0);
        ASSERT_EQ(Headless::ClientPixel(child->GetHandle(), x, y), expected) << x << "," << y;
      }
    // The parent's own paint still leaves the child's pixels alone.
    parent->Invalidate();
    Pump();
    EXPECT_EQ(Headless::ClientPixel(child->GetHandle(), 0, 0), RGB(255, 0, 0));
  }
}

}  // namespace
