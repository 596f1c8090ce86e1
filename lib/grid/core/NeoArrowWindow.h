#pragma once
// The small arrows the grid shows at the ends of the boundary a moved column or row would land on:
// pop-up windows cut to a seven-point arrow and filled in one colour.
#include <array>

#include "platform/ui/ExtCtrls.h"

enum TArrowDirection : Byte { arrUp, arrDown, arrLeft, arrRight };

// A pop-up (exactly WS_POPUP, so Left and Top are screen coordinates) owned by the owner's window,
// shaped by the arrow of its direction and filled with Color (clLime at first). arrLeft points
// right and arrRight left: they stand at the left and right ends of a boundary. Created hidden.
class TArrowWindow : public TPanel {
  ZELK_CLASS(TArrowWindow, TPanel)
public:
  // AOwner is the windowed control the arrow belongs to (it becomes the parent).
  TArrowWindow(TComponent* AOwner, TArrowDirection Direction);

  TArrowDirection GetDir() const { return FDir; }
  // The region polygon in client pixels, filled when the window is created.
  const std::array<TPoint, 7>& GetArrow() const { return FArrow; }
  // The seven points of a direction's arrow.
  static const std::array<TPoint, 7>& ArrowPoints(TArrowDirection Direction);

protected:
  void CreateParams(TCreateParams& Params) override;
  // Sets the arrow's region again on every new window.
  void CreateWnd() override;
  void Paint() override;

private:
  TArrowDirection FDir;
  std::array<TPoint, 7> FArrow{};
};
