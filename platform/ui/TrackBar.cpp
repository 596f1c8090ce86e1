// TTrackBar. The layout is worked out for a horizontal bar (x along the channel, y across it)
// and turned for a vertical one by Oriented.
#include "platform/ui/TrackBar.h"

#include <algorithm>

#include "platform/rtl/Math.h"
#include "platform/ui/Themes.h"

namespace {

constexpr Integer kEnd = 8;       // from either end of the client area to the channel
constexpr Integer kChannel = 4;   // the channel's thickness
constexpr Integer kTick = 3;      // a tick's length (the first and last: one more)

}  // namespace

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FWidth = 150;
  FHeight = 45;
  FTabStop = true;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
}

// ---- properties

void TTrackBar::SetMin(Integer Value) {
  if (Value > FMax || Value == FMin) return;
  FMin = Value;
  Invalidate();
  SetPosition(FPosition);
}

void TTrackBar::SetMax(Integer Value) {
  if (Value < FMin || Value == FMax) return;
  FMax = Value;
  Invalidate();
  SetPosition(FPosition);
}

void TTrackBar::SetPosition(Integer Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Invalidate();
  Changed();
}

void TTrackBar::SetFrequency(Integer Value) {
  if (Value < 1 || Value == FFrequency) return;
  FFrequency = Value;
  Invalidate();
}

void TTrackBar::SetPageSize(Integer Value) {
  if (Value >= 0) FPageSize = Value;
}

void TTrackBar::SetLineSize(Integer Value) {
  if (Value >= 0) FLineSize = Value;
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  // The bar turns with its bounds.
  SetBounds(FLeft, FTop, FHeight, FWidth);
  Invalidate();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
  if (FTickMarks == Value) return;
  FTickMarks = Value;
  Invalidate();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  if (FTickStyle == Value) return;
  FTickStyle = Value;
  Invalidate();
}

void TTrackBar::SetTick(Integer Value) {
  if (Value <= FMin || Value >= FMax) return;
  if (std::find(FManualTicks.begin(), FManualTicks.end(), Value) == FManualTicks.end()) FManualTicks.push_back(Value);
  Invalidate();
}

void TTrackBar::SetThumbLength(Integer Value) {
  Value = std::max(6, Value);
  if (FThumbLength == Value) return;
  FThumbLength = Value;
  Invalidate();
}

void TTrackBar::SetSliderVisible(bool Value) {
  if (FSliderVisible == Value) return;
  FSliderVisible = Value;
  Invalidate();
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

// ---- layout

TRect TTrackBar::Oriented(const TRect& R) const {
  return Vertical() ? TRect{R.top, R.left, R.bottom, R.right} : R;
}

Integer TTrackBar::Length() {
  TRect c = GetClientRect();
  return Vertical() ? c.bottom : c.right;
}

Integer TTrackBar::Across() {
  TRect c = GetClientRect();
  return Vertical() ? c.right : c.bottom;
}

// Layout across the bar: the thumb's top (ticks before it when they are on that side too), its
// length and its width along the bar.
namespace {
struct TThumbSpan {
  Integer Top, Length, Width;
};
TThumbSpan ThumbSpan(Integer Across, Integer ThumbLength, TTickMark Marks) {
  TThumbSpan s;
  s.Top = Marks == tmBottomRight ? 4 : 4 + kTick + 2;
  s.Length = std::max<Integer>(6, std::min(ThumbLength, Across - s.Top - 4));
  s.Width = ThumbLength / 2 + 1;
  return s;
}
}  // namespace

Integer TTrackBar::OffsetOf(Integer Pos) {
  TThumbSpan s = ThumbSpan(Across(), FThumbLength, FTickMarks);
  Integer lo = kEnd + s.Width / 2, hi = std::max(lo, Length() - kEnd - s.Width / 2 - 1);
  if (FMax == FMin) return lo;
  return lo + MulDiv(Pos - FMin, hi - lo, FMax - FMin);
}

Integer TTrackBar::PositionAt(Integer Offset) {
  TThumbSpan s = ThumbSpan(Across(), FThumbLength, FTickMarks);
  Integer lo = kEnd + s.Width / 2, hi = std::max(lo, Length() - kEnd - s.Width / 2 - 1);
  if (hi == lo) return FMin;
  double pos = FMin + static_cast<double>(Offset - lo) * (static_cast<double>(FMax) - FMin) / (hi - lo);
  return static_cast<Integer>(std::clamp<double>(Round(pos), FMin, FMax));
}

TRect TTrackBar::ChannelRect() {
  TThumbSpan s = ThumbSpan(Across(), FThumbLength, FTickMarks);
  // The channel runs through the middle of the thumb's body (its point left aside).
  Integer body = FTickMarks == tmBoth ? s.Length : s.Length - s.Width / 2;
  Integer middle = FTickMarks == tmTopLeft ? s.Top + s.Length - body / 2 : s.Top + body / 2;
  return Oriented(TRect{kEnd, middle - kChannel / 2, std::max(kEnd, Length() - kEnd), middle - kChannel / 2 + kChannel});
}

TRect TTrackBar::ThumbRect() {
  TThumbSpan s = ThumbSpan(Across(), FThumbLength, FTickMarks);
  Integer left = OffsetOf(FPosition) - s.Width / 2;
  return Oriented(TRect{left, s.Top, left + s.Width, s.Top + s.Length});
}

std::vector<Integer> TTrackBar::Ticks() const {
  std::vector<Integer> ticks;
  if (FTickStyle == tsNone) return ticks;
  ticks.push_back(FMin);
  if (FTickStyle == tsAuto) {
    for (Int64 t = static_cast<Int64>(FMin) + FFrequency; t < FMax; t += FFrequency) ticks.push_back(static_cast<Integer>(t));
  } else {
    for (Integer t : FManualTicks)
      if (t > FMin && t < FMax) ticks.push_back(t);
  }
  if (FMax != FMin) ticks.push_back(FMax);
  return ticks;
}

// ---- painting

void TTrackBar::PaintTicks(HDC DC) {
  std::vector<Integer> ticks = Ticks();
  if (ticks.empty()) return;
  TThumbSpan s = ThumbSpan(Across(), FThumbLength, FTickMarks);
  TCustomStyleServices* style = StyleServices();
  bool themed = style->GetEnabled();
  TThemedElementDetails tic = style->GetElementDetails(Vertical() ? ttbThumbTicsVert : ttbThumbTics);
  auto draw = [&](Integer At, Integer From, Integer To) {
    TRect r = Oriented(TRect{At, From, At + 1, To});
    if (!(themed && style->DrawElement(DC, tic, r))) ControlPaint::FillColor(DC, r, clBtnText);
  };
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    Integer len = (i == 0 || i + 1 == ticks.size()) ? kTick + 1 : kTick;
    Integer at = OffsetOf(ticks[i]);
    if (FTickMarks != tmTopLeft) draw(at, s.Top + s.Length + 2, s.Top + s.Length + 2 + len);
    if (FTickMarks != tmBottomRight) draw(at, s.Top - 2 - len, s.Top - 2);
  }
}

void TTrackBar::PaintClassicThumb(HDC DC, const TRect& R) {
  // Points of the thumb laid out along a horizontal bar, pointing down; turned and flipped here.
  TRect h = Vertical() ? TRect{R.top, R.left, R.bottom, R.right} : R;
  Integer l = h.left, t = h.top, r = h.right - 1, b = h.bottom - 1, half = (r - l) / 2;
  bool pointed = FTickMarks != tmBoth, flip = FTickMarks == tmTopLeft;
  auto at = [&](Integer X, Integer Y) {
    if (flip) Y = t + b - Y;
    return Vertical() ? TPoint{Y, X} : TPoint{X, Y};
  };
  Integer shoulder = pointed ? b - half : b;
  TCanvas canvas;
  canvas.SetHandle(DC);
  canvas.GetPen()->SetColor(clBtnFace);
  canvas.GetBrush()->SetColor(clBtnFace);
  std::vector<TPoint> outline{at(l, t), at(r, t), at(r, shoulder), at(l + half, b), at(l, shoulder)};
  if (!pointed) outline = {at(l, t), at(r, t), at(r, b), at(l, b)};
  canvas.Polygon(outline);
  // Light on the top and the left, shadow on the right and the bottom.
  bool lightTop = !flip;
  canvas.GetPen()->SetColor(lightTop ? clBtnHighlight : cl3DDkShadow);
  canvas.Polyline({at(l, shoulder), at(l, t), at(r + 1, t)});
  canvas.GetPen()->SetColor(lightTop ? cl3DDkShadow : clBtnHighlight);
  canvas.Polyline({at(r, t), at(r, shoulder)});
  canvas.GetPen()->SetColor(clBtnShadow);
  canvas.Polyline({at(r - 1, t + 1), at(r - 1, shoulder)});
  if (pointed) {
    canvas.GetPen()->SetColor(lightTop ? cl3DDkShadow : clBtnHighlight);
    canvas.Polyline({at(r, shoulder), at(l + half, b), at(l + half - 1, b - 1)});
    canvas.GetPen()->SetColor(lightTop ? clBtnHighlight : cl3DDkShadow);
    canvas.Polyline({at(l, shoulder), at(l + half, b)});
  } else {
    canvas.GetPen()->SetColor(cl3DDkShadow);
    canvas.Polyline({at(l, b), at(r + 1, b)});
  }
  canvas.SetHandle(nullptr);
}

void TTrackBar::PaintWindow(HDC DC) {
  TRect client = GetClientRect();
  ControlPaint::FillColor(DC, client, GetColor());
  TCustomStyleServices* style = StyleServices();
  bool themed = style->GetEnabled();
  TRect channel = ChannelRect();
  if (!(themed && style->DrawElement(DC, style->GetElementDetails(Vertical() ? ttbTrackVert : ttbTrack), channel))) {
    RECT r = channel;
    DrawEdge(DC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    ControlPaint::FillColor(DC, r, clBtnHighlight);
  }
  PaintTicks(DC);
  if (FSliderVisible) {
    TRect thumb = ThumbRect();
    // The thumb's part: pointing to the ticks' side unless they are on both.
    TThemedTrackBar first = FTickMarks == tmBoth       ? (Vertical() ? ttbThumbVertNormal : ttbThumbNormal)
                            : FTickMarks == tmTopLeft ? (Vertical() ? ttbThumbLeftNormal : ttbThumbTopNormal)
                                                      : (Vertical() ? ttbThumbRightNormal : ttbThumbBottomNormal);
    Integer state = !GetEnabled() ? 4 : FDragging ? 2 : Focused() ? 3 : 0;
    auto detail = static_cast<TThemedTrackBar>(first + state);
    if (!(themed && style->DrawElement(DC, style->GetElementDetails(detail), thumb))) PaintClassicThumb(DC, thumb);
  }
  if (Focused()) {
    RECT r = client;
    DrawFocusRect(DC, &r);
  }
}

// ---- the user's moves

void TTrackBar::Notify(WORD Code, Integer Pos) {
  if (!FHandle || !FParent || !FParent->HandleAllocated()) return;
  bool carriesPos = Code == TB_THUMBTRACK || Code == TB_THUMBPOSITION;
  SendMessage(FParent->GetHandle(), Vertical() ? WM_VSCROLL : WM_HSCROLL,
              MAKEWPARAM(Code, carriesPos ? static_cast<WORD>(Pos) : 0), reinterpret_cast<LPARAM>(FHandle));
}

void TTrackBar::UserMove(Integer Pos, WORD Code) {
  SetPosition(Pos);
  Notify(Code, FPosition);
}

void TTrackBar::TrackKey(UINT Key) {
  switch (Key) {
    case VK_LEFT: case VK_UP: UserMove(FPosition - FLineSize, TB_LINEUP); break;
    case VK_RIGHT: case VK_DOWN: UserMove(FPosition + FLineSize, TB_LINEDOWN); break;
    case VK_PRIOR: UserMove(FPosition - FPageSize, TB_PAGEUP); break;
    case VK_NEXT: UserMove(FPosition + FPageSize, TB_PAGEDOWN); break;
    case VK_HOME: UserMove(FMin, TB_TOP); break;
    case VK_END: UserMove(FMax, TB_BOTTOM); break;
    default: return;
  }
  FKeyMoved = true;
}

void TTrackBar::TrackMouse(TMessage& Message) {
  TPoint p = MessagePos(Message);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: {
      if (CanFocus() && FHandle && GetFocus() != FHandle) SetFocus();
      TRect thumb = ThumbRect();
      Integer middle = OffsetOf(FPosition);
      if (FSliderVisible && PtInRect(&thumb, p)) {
        FDragging = true;
        FDragOffset = Along(p) - middle;
        if (FHandle) SetCapture(FHandle);
        Invalidate();
      } else if (Along(p) < middle) {
        UserMove(FPosition - FPageSize, TB_PAGEUP);
      } else {
        UserMove(FPosition + FPageSize, TB_PAGEDOWN);
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (FDragging) {
        Integer pos = PositionAt(Along(p) - FDragOffset);
        if (pos != FPosition) UserMove(pos, TB_THUMBTRACK);
      }
      break;
    case WM_LBUTTONUP:
      if (FDragging) {
        FDragging = false;
        if (FHandle && GetCapture() == FHandle) ReleaseCapture();
        Invalidate();
        Notify(TB_THUMBPOSITION, FPosition);
      }
      Notify(TB_ENDTRACK, FPosition);
      break;
  }
}

void TTrackBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_HSCROLL: case CN_VSCROLL: Message.Result = 0; return;   // OnChange went with the move itself
    default: inherited::Dispatch(Message); return;
  }
}

void TTrackBar::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      TrackMouse(Message);
      return;
    case WM_CANCELMODE: case WM_CAPTURECHANGED:
      if (FDragging && (Message.Msg == WM_CANCELMODE || reinterpret_cast<HWND>(Message.LParam) != FHandle)) {
        FDragging = false;
        Invalidate();
      }
      break;
    case WM_KEYDOWN: TrackKey(static_cast<UINT>(Message.WParam)); return;
    case WM_KEYUP:
      if (FKeyMoved) {
        FKeyMoved = false;
        Notify(TB_ENDTRACK, FPosition);
      }
      return;
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_SIZE: case WM_THEMECHANGED: Invalidate(); break;
    default: break;
  }
  inherited::DefaultHandler(Message);
}
