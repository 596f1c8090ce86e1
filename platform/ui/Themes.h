#pragma once
// Style services of the class library: the active visual style draws the elements of standard
// controls and names their colours. The platform style "Windows" draws through the visual-styles
// library (the classic frame controls while themes are off) and names no colours; the built-in
// custom style "Carbon" draws dark faces of its own with light text. A program (or a test) picks
// the active style by name.
#include "platform/ui/Graphics.h"

enum TThemedElement { teButton, teTrackBar };

enum TThemedButton {
  tbButtonDontCare, tbButtonRoot,
  tbPushButtonNormal, tbPushButtonHot, tbPushButtonPressed, tbPushButtonDisabled, tbPushButtonDefaulted,
  tbCheckBoxUncheckedNormal, tbCheckBoxUncheckedHot, tbCheckBoxUncheckedPressed, tbCheckBoxUncheckedDisabled,
  tbCheckBoxCheckedNormal, tbCheckBoxCheckedHot, tbCheckBoxCheckedPressed, tbCheckBoxCheckedDisabled,
  tbCheckBoxMixedNormal, tbCheckBoxMixedHot, tbCheckBoxMixedPressed, tbCheckBoxMixedDisabled
};

// Track bar parts; the thumbs have the states normal, hot, pressed, focused and disabled.
enum TThemedTrackBar {
  ttbTrackBarDontCare, ttbTrackBarRoot, ttbTrack, ttbTrackVert,
  ttbThumbNormal, ttbThumbHot, ttbThumbPressed, ttbThumbFocused, ttbThumbDisabled,
  ttbThumbBottomNormal, ttbThumbBottomHot, ttbThumbBottomPressed, ttbThumbBottomFocused, ttbThumbBottomDisabled,
  ttbThumbTopNormal, ttbThumbTopHot, ttbThumbTopPressed, ttbThumbTopFocused, ttbThumbTopDisabled,
  ttbThumbVertNormal, ttbThumbVertHot, ttbThumbVertPressed, ttbThumbVertFocused, ttbThumbVertDisabled,
  ttbThumbLeftNormal, ttbThumbLeftHot, ttbThumbLeftPressed, ttbThumbLeftFocused, ttbThumbLeftDisabled,
  ttbThumbRightNormal, ttbThumbRightHot, ttbThumbRightPressed, ttbThumbRightFocused, ttbThumbRightDisabled,
  ttbThumbTics, ttbThumbTicsVert
};

// An element: its class, its part and its state (the visual-styles library's numbers).
struct TThemedElementDetails {
  TThemedElement Element = teButton;
  Integer Part = 0;
  Integer State = 0;
};

enum TElementColor { ecBorderColor, ecFillColor, ecTextColor };

class TCustomStyleServices : public TObject {
  ZELK_CLASS(TCustomStyleServices, TObject)
public:
  explicit TCustomStyleServices(const String& AName) : FName(AName) {}
  const String& GetName() const { return FName; }
  // Whether styled drawing is on (for the platform style: visual styles are active).
  virtual bool GetEnabled() const = 0;
  bool IsSystemStyle() const { return FName == u"Windows"; }
  TThemedElementDetails GetElementDetails(TThemedButton Detail) const;
  TThemedElementDetails GetElementDetails(TThemedTrackBar Detail) const;
  // Draws the element into R (limited to ClipRect when given); false when the style cannot.
  virtual bool DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R,
                           const TRect* ClipRect = nullptr) = 0;
  // The element's colour; false (Color untouched) when the style names none.
  virtual bool GetElementColor(const TThemedElementDetails& Details, TElementColor ElementColor, TColor& Color) = 0;

private:
  String FName;
};

// The active style ("Windows" until another is chosen).
TCustomStyleServices* StyleServices();
// Makes the named style active: "Windows" or "Carbon"; false (nothing changes) for other names.
bool SetActiveStyleName(const String& Name);
