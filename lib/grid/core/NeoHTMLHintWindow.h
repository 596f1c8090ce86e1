#pragma once
// THTMLHintWindow: the hint window of the grid's cell hints and scroll hints. A hint is either
// markup, laid out by the markup engine, or pair-encoded Unicode text, shown on one line in the
// font HintFontName. The window is sized to its text and kept on the monitor it starts on.
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

class TPictureContainer;

// The font name of pair-encoded hints; the grid sets it from its own font before each hint, the
// grid unit's finalization clears it.
extern String HintFontName;

class THTMLHintWindow : public THintWindow {
  ZELK_CLASS(THTMLHintWindow, THintWindow)
public:
  explicit THTMLHintWindow(TComponent* AOwner);

  // Measured 1008 pixels wide at Rect's top-left: markup gets 16 pixels more width, a
  // pair-encoded hint 8; the height 4 more. A window reaching past its monitor's right edge or
  // bottom is moved back inside (2 pixels from the edge), never shrunk. Shown top-most without
  // activation.
  void ActivateHint(TRect Rect, const String& AHint) override;
  // With a grid as AData the grid's images serve the markup's pictures.
  void ActivateHintData(TRect Rect, const String& AHint, void* AData) override;
  // (0, 0, width, height) of the text measured MaxWidth wide, without margins.
  TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData) override;

  Integer GetTextWidth() const { return FTextWidth; }
  Integer GetTextHeight() const { return FTextHeight; }
  const String& GetWideCaption() const { return FWideCaption; }
  TCustomImageList* GetImages() const { return FImages; }
  TPictureContainer* GetPictureContainer() const { return FPictureContainer; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;

private:
  // Lays the hint out in R on the canvas: measures only (Draw false) or draws; the text's size.
  TSize LayoutHint(const String& AHint, TRect R, bool Draw);

  TCustomImageList* FImages = nullptr;
  TPictureContainer* FPictureContainer = nullptr;
  Integer FTextHeight = 0;
  Integer FTextWidth = 0;
  String FWideCaption;
};
