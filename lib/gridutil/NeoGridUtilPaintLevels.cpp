// The level progress bar of cells and the wavy underline of misspelt words.
#include <algorithm>
#include <memory>
#include <vector>

#include "lib/gridutil/NeoGridUtilInternal.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Memo.h"

namespace {

// The colour pair of level 0..3.
struct TLevelColors {
  TColor Color;
  TColor ColorTo;
};

TLevelColors LevelColors(const TLevelProgressSettings& S, Integer Level) {
  switch (Level) {
    case 0: return {S.Level0Color, S.Level0ColorTo};
    case 1: return {S.Level1Color, S.Level1ColorTo};
    case 2: return {S.Level2Color, S.Level2ColorTo};
    default: return {S.Level3Color, S.Level3ColorTo};
  }
}

// The level a percentage falls in: 0 below the first level, 1 below the second, 2 below 100, 3 at 100.
Integer LevelOf(const TLevelProgressSettings& S, Integer Percent) {
  if (Percent >= 100) return 3;
  if (Percent >= S.Level2Perc) return 2;
  if (Percent >= S.Level1Perc) return 1;
  return 0;
}

void FillLevel(TCanvas* Canvas, const TRect& R, const TLevelColors& Colors, bool Gradient) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  if (Gradient && Colors.ColorTo != clNone)
    // A step per row, but no more than a channel has levels: a tall bar is not drawn row by row.
    PaintGradientRect(Canvas, Colors.ColorTo, Colors.Color, false, R,
                      static_cast<Integer>(std::clamp<Int64>(Int64(R.bottom) - R.top, 1, 255)));
  else
    FillRectColor(Canvas, R, Colors.Color);
}

// The bar's filled part from Left to Right (exclusive) in one level or stacked by levels.
void FillBar(TCanvas* Canvas, const TRect& Bar, Integer Right, Integer Percent, const TLevelProgressSettings& S) {
  const Int64 width = Int64(Bar.right) - Bar.left;
  if (!S.Stacked) {
    FillLevel(Canvas, TRect{Bar.left, Bar.top, Right, Bar.bottom}, LevelColors(S, LevelOf(S, Percent)), S.ShowGradient);
    return;
  }
  // Stacked: each level's share of the bar in its own colour, the last one up to the value.
  const Integer bounds[] = {0, S.Level1Perc, S.Level2Perc, 100};
  for (Integer level = 0; level < 3; ++level) {
    const auto from = static_cast<Integer>(Bar.left + width * std::clamp<Integer>(bounds[level], 0, 100) / 100);
    const auto to = static_cast<Integer>(
        std::min<Int64>(Right, Bar.left + width * std::clamp<Integer>(bounds[level + 1], 0, 100) / 100));
    const Integer colorLevel = level == 2 && Percent >= 100 ? 3 : level;
    FillLevel(Canvas, TRect{from, Bar.top, to, Bar.bottom}, LevelColors(S, colorLevel), S.ShowGradient);
  }
}

}  // namespace

void PaintLevelProgressBar(TCanvas* Canvas, TRect Rect, Integer Percent, const TLevelProgressSettings& Settings) {
  if (!Canvas || Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
  Percent = std::clamp<Integer>(Percent, 0, 100);
  if (Settings.ShowBorder) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Settings.BorderColor);
    Canvas->FrameRect(Rect);
    if (!GridUtilInternal::Shrink(Rect, 1)) return;
  }
  FillRectColor(Canvas, Rect, Settings.UnCompleteColor);
  const Int64 width = Int64(Rect.right) - Rect.left;
  if (Settings.CompletionSmooth || Settings.Steps <= 0) {
    FillBar(Canvas, Rect, static_cast<Integer>(Rect.left + width * Percent / 100), Percent, Settings);
  } else {
    // Whole blocks, a one-pixel gap of the empty colour after each.
    const Int64 steps = std::min<Int64>(Settings.Steps, width);
    const Int64 filled = (steps * Percent + 50) / 100;
    FillBar(Canvas, Rect, static_cast<Integer>(Rect.left + width * filled / steps), Percent, Settings);
    for (Int64 i = 1; i <= filled; ++i) {
      const auto gap = static_cast<Integer>(Rect.left + width * i / steps - 1);
      FillRectColor(Canvas, TRect{gap, Rect.top, gap + 1, Rect.bottom}, Settings.UnCompleteColor);
    }
  }
  if (!Settings.ShowPercentage) return;
  if (Settings.Font) Canvas->GetFont()->Assign(Settings.Font);
  Canvas->GetFont()->SetColor(Settings.CompleteFontColor);
  Canvas->GetBrush()->SetStyle(bsClear);
  TRect text = Rect;
  Canvas->TextRect(text, IntToStr(Percent) + u"%", TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
  Canvas->GetBrush()->SetStyle(bsSolid);
}

void PaintSpellErrorWave(TWinControl* Owner, TCanvas* Canvas, const String& Text, Integer Length, Integer Start,
                         Integer Offset, TRect Rect) {
  const auto size = static_cast<Integer>(Text.size());
  Start = std::max<Integer>(Start, 0);
  const Integer end = std::min(Start + Length, size);
  if (!Owner || !Canvas || end <= Start || Rect.right <= Rect.left) return;

  // The characters are placed as a hidden word-wrapping edit of the rect's size places them.
  TMemo edit(nullptr);
  edit.SetVisible(false);
  edit.SetBorderStyle(bsNone);
  edit.SetWordWrap(true);
  edit.SetBounds(0, 0, Rect.right - Rect.left, std::max<Integer>(Rect.bottom - Rect.top, 1));
  edit.GetFont()->Assign(Canvas->GetFont());
  edit.SetParent(Owner);
  edit.SetText(Text);
  auto posOf = [&](Integer Index) {
    const auto p = static_cast<DWORD>(edit.Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0));
    return TPoint{static_cast<SHORT>(LOWORD(p)), static_cast<SHORT>(HIWORD(p))};
  };

  Canvas->GetPen()->SetStyle(psSolid);
  Canvas->GetPen()->SetColor(0x0000FF);
  Canvas->GetPen()->SetWidth(2);
  // One wave per row the characters take, each from the first character's left to the last one's right.
  Integer i = Start;
  while (i < end) {
    const TPoint first = posOf(i);
    Integer right = first.x;
    for (; i < end; ++i) {
      const TPoint at = posOf(i);
      if (at.y != first.y) break;
      const TPoint next = i + 1 < size ? posOf(i + 1) : TPoint{-1, -1};
      right = next.y == at.y ? next.x : at.x + Canvas->TextWidth(Text.substr(static_cast<std::size_t>(i), 1));
    }
    const Integer base = Rect.top + first.y + Offset - 1;
    std::vector<TPoint> wave;
    for (Integer x = Rect.left + first.x, up = 0; x <= Rect.left + right; x += 3, up ^= 1)
      wave.push_back(TPoint{x, base - 2 * up});
    if (wave.size() > 1) Canvas->Polyline(wave);
  }
  Canvas->GetPen()->SetWidth(1);
}
