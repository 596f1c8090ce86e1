#pragma once
// The look of the push buttons that a dropdown's popup header and footer carry: border and face
// colours for the normal, hot, down, checked and disabled states, the gradient direction and the
// font. Every setter stores a changed value and fires OnChange; clNone ($1FFFFFFF) leaves a colour
// out.
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Graphics.h"

// The direction a two-colour face runs: left to right, or top to bottom.
enum TGradientDirection { gdHorizontal, gdVertical };

class TNeoButtonAppearance : public TPersistent {
  ZELK_CLASS(TNeoButtonAppearance, TPersistent)
public:
  TNeoButtonAppearance();
  ~TNeoButtonAppearance() override;

  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
  TColor GetBorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { Set(FBorderColorHot, Value); }
  TColor GetBorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { Set(FBorderColorDown, Value); }
  TColor GetBorderColorDisabled() const { return FBorderColorDisabled; }
  void SetBorderColorDisabled(TColor Value) { Set(FBorderColorDisabled, Value); }
  TColor GetBorderColorChecked() const { return FBorderColorChecked; }
  void SetBorderColorChecked(TColor Value) { Set(FBorderColorChecked, Value); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { Set(FColor, Value); }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { Set(FColorTo, Value); }
  TColor GetColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { Set(FColorDown, Value); }
  TColor GetColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { Set(FColorDownTo, Value); }
  TColor GetColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { Set(FColorHot, Value); }
  TColor GetColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { Set(FColorHotTo, Value); }
  TColor GetColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { Set(FColorCheckedTo, Value); }
  TColor GetColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { Set(FColorDisabled, Value); }
  TColor GetColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { Set(FColorDisabledTo, Value); }
  TColor GetColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { Set(FColorChecked, Value); }
  TGradientDirection GetGradient() const { return FGradient; }
  void SetGradient(TGradientDirection Value) { Set(FGradient, Value); }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

  // From another button appearance: the colours and the gradient through their setters (not the
  // font); anything else as TPersistent assigns.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

protected:
  virtual void Changed();

private:
  template <class V> void Set(V& Field, V Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

  TColor FBorderColor;
  TColor FBorderColorHot;
  TColor FBorderColorDown;
  TColor FBorderColorDisabled;
  TColor FBorderColorChecked;
  TColor FColor;
  TColor FColorTo;
  TColor FColorDown;
  TColor FColorDownTo;
  TColor FColorHot;
  TColor FColorHotTo;
  TColor FColorCheckedTo;
  TColor FColorDisabled;
  TColor FColorDisabledTo;
  TColor FColorChecked;
  TGradientDirection FGradient = gdVertical;
  std::unique_ptr<TFont> FFont;
};

// Publishes the appearance's properties to the runtime's type information (once).
void RegisterNeoButtonAppearanceRtti();
