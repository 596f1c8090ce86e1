#pragma once
// The looks and the time source of the analog clock: the face, border, marks, numbers, AM/PM box,
// pointers and centre point (TWatchAppearance) and whether the clock follows the system time
// (TWatchSettings).
//
// Every published setter stores a changed value and fires OnChange, except AMPMColor and
// AMPMBorderColor (plain writes) and the fonts and picture (assigned, OnChange fired always).
// SetDefaults writes the defaults silently and leaves the fonts' colours and styles alone.
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Graphics.h"

enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TWatchBorderStyle { wbLine, wbDoubleLine, wbNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TAMPMFrame { apRect, apRoundRect };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum TWatchStyle {
  wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray, wsSuperNova,
  wsSports, wsSmooth, wsCustom
};

class TWatchAppearance : public TPersistent {
  ZELK_CLASS(TWatchAppearance, TPersistent)
public:
  TWatchAppearance();
  ~TWatchAppearance() override;

  // The defaults of every value (fonts: name and size only); fires nothing.
  void SetDefaults();
  // From another appearance: most values as plain copies, the fonts and picture assigned, and
  // CenterPointOuterBorderColor, TickMarks and HourMarkStyle through their setters last.
  void Assign(TPersistent* Source) override;

#define NEO_WATCH_PROPERTY(Type, Name)              \
  Type Get##Name() const { return F##Name; }        \
  void Set##Name(Type Value) { Set(F##Name, Value); }
  NEO_WATCH_PROPERTY(Integer, Size)
  NEO_WATCH_PROPERTY(TColor, HourPointer)
  NEO_WATCH_PROPERTY(TColor, BackgroundColor)
  NEO_WATCH_PROPERTY(TColor, MinutePointerShadow)
  NEO_WATCH_PROPERTY(TColor, BackgroundColorTo)
  NEO_WATCH_PROPERTY(TColor, HourPointerShadow)
  NEO_WATCH_PROPERTY(TColor, SecondPointer)
  NEO_WATCH_PROPERTY(TColor, BorderColor)
  NEO_WATCH_PROPERTY(TColor, MinutePointer)
  NEO_WATCH_PROPERTY(TAMPMFrame, AMPMFrame)
  NEO_WATCH_PROPERTY(TPointerStyle, PointerStyle)
  NEO_WATCH_PROPERTY(Byte, HourPointerSize)
  NEO_WATCH_PROPERTY(Byte, SecondPointerSize)
  NEO_WATCH_PROPERTY(Byte, MinutePointerSize)
  NEO_WATCH_PROPERTY(TColor, HourColor)
  NEO_WATCH_PROPERTY(TColor, MinuteColor)
  NEO_WATCH_PROPERTY(Byte, CenterPointSize)
  NEO_WATCH_PROPERTY(TColor, CenterPointColor)
  NEO_WATCH_PROPERTY(TColor, CenterPointBorderColor)
  NEO_WATCH_PROPERTY(TWatchGradient, BackgroundGradient)
  NEO_WATCH_PROPERTY(Byte, HourMarkLength)
  NEO_WATCH_PROPERTY(Byte, HourMarkWidth)
  NEO_WATCH_PROPERTY(Byte, MinuteMarkLength)
  NEO_WATCH_PROPERTY(Byte, MinuteMarkWidth)
  NEO_WATCH_PROPERTY(Integer, BorderWidth)
  NEO_WATCH_PROPERTY(TColor, CenterPointOuterBorderColor)
  NEO_WATCH_PROPERTY(TTickMarks, TickMarks)
  NEO_WATCH_PROPERTY(THourMarkStyle, HourMarkStyle)
#undef NEO_WATCH_PROPERTY
  TWatchShape GetShape() const { return FWatchShape; }
  void SetShape(TWatchShape Value) { Set(FWatchShape, Value); }
  TColor GetAMPMColor() const { return FAMPMColor; }
  void SetAMPMColor(TColor Value) { FAMPMColor = Value; }
  TColor GetAMPMBorderColor() const { return FAMPMBorderColor; }
  void SetAMPMBorderColor(TColor Value) { FAMPMBorderColor = Value; }
  TFont* GetHourFont() const { return FHourFont.get(); }
  void SetHourFont(TFont* Value);
  TFont* GetAMPMFont() const { return FAMPMFont.get(); }
  void SetAMPMFont(TFont* Value);
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  // Not published, and not used by the painter.
  TColor GetSecondPointerShadow() const { return FSecondPointerShadow; }
  TWatchBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TWatchBorderStyle Value) { FBorderStyle = Value; }
  Integer GetRounding() const { return FRounding; }

  TNotifyEvent OnChange;

protected:
  virtual void Changed();

private:
  template <class V> void Set(V& Field, V Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void PictureChanged(TObject* Sender);

  Integer FSize = 0;
  TColor FHourPointer = 0;
  TColor FBackgroundColor = 0;
  TColor FMinutePointerShadow = 0;
  TColor FBackgroundColorTo = 0;
  TColor FHourPointerShadow = 0;
  TColor FSecondPointerShadow = 0;
  TColor FSecondPointer = 0;
  TColor FBorderColor = 0;
  TColor FMinutePointer = 0;
  std::unique_ptr<TFont> FHourFont;
  std::unique_ptr<TFont> FAMPMFont;
  std::unique_ptr<TPicture> FPicture;
  TAMPMFrame FAMPMFrame = apRect;
  TWatchShape FWatchShape = wsCircle;
  TPointerStyle FPointerStyle = psLine;
  TWatchBorderStyle FBorderStyle = wbLine;
  Byte FHourPointerSize = 0;
  Byte FSecondPointerSize = 0;
  Byte FMinutePointerSize = 0;
  TColor FHourColor = 0;
  TColor FMinuteColor = 0;
  Byte FCenterPointSize = 0;
  TColor FCenterPointColor = 0;
  TColor FCenterPointBorderColor = 0;
  TWatchGradient FBackgroundGradient = wgVertical;
  Integer FRounding = 0;
  Byte FHourMarkLength = 0;
  Byte FHourMarkWidth = 0;
  Byte FMinuteMarkLength = 0;
  Byte FMinuteMarkWidth = 0;
  Integer FBorderWidth = 0;
  TColor FAMPMColor = 0;
  TColor FAMPMBorderColor = 0;
  TColor FCenterPointOuterBorderColor = 0;
  TTickMarks FTickMarks = tmAll;
  THourMarkStyle FHourMarkStyle = hmsLine;
};

// Whether the clock follows the system time (shifted by TimeOffset minutes) and shows seconds.
class TWatchSettings : public TPersistent {
  ZELK_CLASS(TWatchSettings, TPersistent)
public:
  bool GetAuto() const { return FAuto; }
  void SetAuto(bool Value) { Set(FAuto, Value); }
  bool GetSecond() const { return FSeconds; }
  void SetSecond(bool Value) { Set(FSeconds, Value); }
  Integer GetTimeOffset() const { return FTimeOffset; }
  void SetTimeOffset(Integer Value) { Set(FTimeOffset, Value); }
  // Seconds and TimeOffset as plain copies, Auto through its setter.
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
  bool FAuto = false;
  bool FSeconds = true;
  Integer FTimeOffset = 0;
};

// Publishes both groups to the runtime's type information (once).
void RegisterNeoWatchAppearanceRtti();
