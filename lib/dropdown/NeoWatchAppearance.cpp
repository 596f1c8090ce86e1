#include "lib/dropdown/NeoWatchAppearance.h"

#include <mutex>

#include "platform/rtl/TypInfo.h"
#include "platform/ui/GraphicsRtti.h"

ZELK_ENUM_INFO(TWatchShape, wsCircle, wsRect, wsRoundRect)
ZELK_ENUM_INFO(THourMarkStyle, hmsLine, hmsQuartDblLine)
ZELK_ENUM_INFO(TTickMarks, tmAll, tmHours, tmQuartHours, tmNone)
ZELK_ENUM_INFO(TPointerStyle, psLine, psShortLine, psPointer, psLineArrow)
ZELK_ENUM_INFO(TAMPMFrame, apRect, apRoundRect)
ZELK_ENUM_INFO(TWatchGradient, wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward)

TWatchAppearance::TWatchAppearance() { SetDefaults(); }

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::SetDefaults() {
  FRounding = 5;
  FSize = 0;
  FHourPointer = 0x000000;
  FBackgroundColor = 0xFFFFFF;
  FBackgroundColorTo = clNone;
  FMinutePointerShadow = clBtnShadow;
  FHourPointerShadow = clBtnShadow;
  FSecondPointerShadow = clBtnShadow;
  FSecondPointer = 0x0000FF;
  FBorderColor = 0x000000;
  FBorderWidth = 4;
  FMinutePointer = 0x000000;
  if (!FHourFont) FHourFont = std::make_unique<TFont>();
  FHourFont->SetName(u"Tahoma");
  FHourFont->SetSize(8);
  if (!FAMPMFont) FAMPMFont = std::make_unique<TFont>();
  FAMPMFont->SetSize(10);
  FAMPMFont->SetName(u"Tahoma");
  FAMPMColor = 0xFFFFFF;
  FAMPMBorderColor = 0x000000;
  if (!FPicture) {
    FPicture = std::make_unique<TPicture>();
    FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
  }
  FAMPMFrame = apRect;
  FWatchShape = wsCircle;
  FPointerStyle = psLine;
  FBorderStyle = wbLine;
  FHourPointerSize = 4;
  FSecondPointerSize = 1;
  FMinutePointerSize = 3;
  FHourColor = 0x000000;
  FMinuteColor = 0x808080;
  FCenterPointSize = 4;
  FCenterPointColor = 0x000000;
  FCenterPointBorderColor = clNone;
  FCenterPointOuterBorderColor = clNone;
  FBackgroundGradient = wgVertical;
  FHourMarkLength = 0;
  FHourMarkWidth = 1;
  FMinuteMarkLength = 0;
  FMinuteMarkWidth = 1;
  FTickMarks = tmAll;
  FHourMarkStyle = hmsLine;
}

void TWatchAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TWatchAppearance::PictureChanged(TObject*) { Changed(); }

void TWatchAppearance::SetHourFont(TFont* Value) {
  FHourFont->Assign(Value);
  Changed();
}

void TWatchAppearance::SetAMPMFont(TFont* Value) {
  FAMPMFont->Assign(Value);
  Changed();
}

void TWatchAppearance::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  Changed();
}

void TWatchAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TWatchAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FSize = s->FSize;
  FHourPointer = s->FHourPointer;
  FBackgroundColor = s->FBackgroundColor;
  FMinutePointerShadow = s->FMinutePointerShadow;
  FBackgroundColorTo = s->FBackgroundColorTo;
  FHourPointerShadow = s->FHourPointerShadow;
  FSecondPointerShadow = s->FSecondPointerShadow;
  FSecondPointer = s->FSecondPointer;
  FBorderColor = s->FBorderColor;
  FMinutePointer = s->FMinutePointer;
  FHourFont->Assign(s->FHourFont.get());
  FAMPMFont->Assign(s->FAMPMFont.get());
  {
    // The picture's own change event would notify; Assign notifies only through the three setters.
    auto onChange = std::move(FPicture->OnChange);
    FPicture->OnChange = nullptr;
    FPicture->Assign(s->FPicture.get());
    FPicture->OnChange = std::move(onChange);
  }
  FAMPMFrame = s->FAMPMFrame;
  FWatchShape = s->FWatchShape;
  FPointerStyle = s->FPointerStyle;
  FBorderStyle = s->FBorderStyle;
  FHourPointerSize = s->FHourPointerSize;
  FSecondPointerSize = s->FSecondPointerSize;
  FMinutePointerSize = s->FMinutePointerSize;
  FHourColor = s->FHourColor;
  FMinuteColor = s->FMinuteColor;
  FCenterPointSize = s->FCenterPointSize;
  FCenterPointColor = s->FCenterPointColor;
  FCenterPointBorderColor = s->FCenterPointBorderColor;
  FBackgroundGradient = s->FBackgroundGradient;
  FRounding = s->FRounding;
  FHourMarkLength = s->FHourMarkLength;
  FHourMarkWidth = s->FHourMarkWidth;
  FMinuteMarkLength = s->FMinuteMarkLength;
  FMinuteMarkWidth = s->FMinuteMarkWidth;
  FBorderWidth = s->FBorderWidth;
  FAMPMColor = s->FAMPMColor;
  FAMPMBorderColor = s->FAMPMBorderColor;
  SetCenterPointOuterBorderColor(s->FCenterPointOuterBorderColor);
  SetTickMarks(s->FTickMarks);
  SetHourMarkStyle(s->FHourMarkStyle);
}

void TWatchSettings::Changed() {
  if (OnChange) OnChange(this);
}

void TWatchSettings::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TWatchSettings*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FSeconds = s->FSeconds;
  FTimeOffset = s->FTimeOffset;
  SetAuto(s->FAuto);
}

void RegisterNeoWatchAppearanceRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using A = TWatchAppearance;
    auto color = [](Cardinal V) { return static_cast<TColor>(V); };
    Publish<A>()
        .Property(u"AMPMFont", &A::GetAMPMFont, &A::SetAMPMFont)
        .Property(u"AMPMBorderColor", &A::GetAMPMBorderColor, &A::SetAMPMBorderColor).Type(u"TColor").Default(color(0x000000))
        .Property(u"AMPMColor", &A::GetAMPMColor, &A::SetAMPMColor).Type(u"TColor").Default(color(0xFFFFFF))
        .Property(u"AMPMFrame", &A::GetAMPMFrame, &A::SetAMPMFrame).Default(apRect)
        .Property(u"BorderColor", &A::GetBorderColor, &A::SetBorderColor).Type(u"TColor").Default(color(0x000000))
        .Property(u"BorderWidth", &A::GetBorderWidth, &A::SetBorderWidth).Default(4)
        .Property(u"BackgroundColor", &A::GetBackgroundColor, &A::SetBackgroundColor).Type(u"TColor").Default(color(0xFFFFFF))
        .Property(u"BackgroundColorTo", &A::GetBackgroundColorTo, &A::SetBackgroundColorTo).Type(u"TColor").Default(clNone)
        .Property(u"BackgroundGradient", &A::GetBackgroundGradient, &A::SetBackgroundGradient).Default(wgVertical)
        .Property(u"CenterPointBorderColor", &A::GetCenterPointBorderColor, &A::SetCenterPointBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"CenterPointOuterBorderColor", &A::GetCenterPointOuterBorderColor, &A::SetCenterPointOuterBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"CenterPointColor", &A::GetCenterPointColor, &A::SetCenterPointColor).Type(u"TColor").Default(color(0x000000))
        .Property(u"CenterPointSize", &A::GetCenterPointSize, &A::SetCenterPointSize).Default(Byte{4})
        .Property(u"HourFont", &A::GetHourFont, &A::SetHourFont)
        .Property(u"HourColor", &A::GetHourColor, &A::SetHourColor).Type(u"TColor").Default(color(0x000000))
        .Property(u"HourMarkLength", &A::GetHourMarkLength, &A::SetHourMarkLength).Default(Byte{0})
        .Property(u"HourMarkWidth", &A::GetHourMarkWidth, &A::SetHourMarkWidth).Default(Byte{1})
        .Property(u"HourMarkStyle", &A::GetHourMarkStyle, &A::SetHourMarkStyle).Default(hmsLine)
        .Property(u"HourPointer", &A::GetHourPointer, &A::SetHourPointer).Type(u"TColor")
        .Property(u"HourPointerShadow", &A::GetHourPointerShadow, &A::SetHourPointerShadow).Type(u"TColor")
        .Property(u"HourPointerSize", &A::GetHourPointerSize, &A::SetHourPointerSize).Default(Byte{4})
        .Property(u"MinuteColor", &A::GetMinuteColor, &A::SetMinuteColor).Type(u"TColor").Default(color(0x808080))
        .Property(u"MinutePointer", &A::GetMinutePointer, &A::SetMinutePointer).Type(u"TColor").Default(color(0x000000))
        .Property(u"MinutePointerShadow", &A::GetMinutePointerShadow, &A::SetMinutePointerShadow).Type(u"TColor")
        .Property(u"MinutePointerSize", &A::GetMinutePointerSize, &A::SetMinutePointerSize).Default(Byte{3})
        .Property(u"MinuteMarkLength", &A::GetMinuteMarkLength, &A::SetMinuteMarkLength).Default(Byte{0})
        .Property(u"MinuteMarkWidth", &A::GetMinuteMarkWidth, &A::SetMinuteMarkWidth).Default(Byte{1})
        .Property(u"Picture", &A::GetPicture, &A::SetPicture)
        .Property(u"PointerStyle", &A::GetPointerStyle, &A::SetPointerStyle).Default(psLine)
        .Property(u"SecondPointer", &A::GetSecondPointer, &A::SetSecondPointer).Type(u"TColor").Default(color(0x0000FF))
        .Property(u"SecondPointerSize", &A::GetSecondPointerSize, &A::SetSecondPointerSize).Default(Byte{1})
        .Property(u"Shape", &A::GetShape, &A::SetShape).Default(wsCircle)
        .Property(u"Size", &A::GetSize, &A::SetSize).Default(0)
        .Property(u"TickMarks", &A::GetTickMarks, &A::SetTickMarks).Default(tmAll);
    using S = TWatchSettings;
    Publish<S>()
        .Property(u"Auto", &S::GetAuto, &S::SetAuto).Default(false)
        .Property(u"TimeOffset", &S::GetTimeOffset, &S::SetTimeOffset).Default(0)
        .Property(u"Second", &S::GetSecond, &S::SetSecond).Default(true);
  });
}
