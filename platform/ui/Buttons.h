#pragma once
// The speed button: a windowless button with a glyph, flat or raised, alone or in a group of
// buttons that stay down one at a time.
#include <memory>

#include "platform/ui/Controls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = Integer;

class TSpeedButton : public TGraphicControl {
  ZELK_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  // The glyph: NumGlyphs images side by side (up, disabled, down, exclusive); the colour of its
  // bottom-left pixel is transparent.
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  // Buttons of one parent with the same GroupIndex (not 0) stay down one at a time.
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  Integer GetSpacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  Integer GetMargin() const { return FMargin; }
  void SetMargin(Integer Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TButtonState GetState() const { return FState; }
  void Click() override;

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void UpdateExclusive();
  // The glyph image for a state (a part of the glyph bitmap, or the up image greyed).
  void DrawGlyph(TCanvas* ACanvas, Integer X, Integer Y, TButtonState State);
  void CMButtonPressed(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMDialogChar(TMessage& Message);

private:
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  bool FFlat = false;
  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FDragging = false;
  bool FMouseInside = false;
  bool FTransparent = true;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FSpacing = 4;
  Integer FMargin = -1;
  TButtonState FState = bsUp;
};
