// The graphics facade's pictures: placement, parts, texture fills, names and scaled pictures.
#include <algorithm>
#include <cmath>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoGraphicsInternal.h"

using NeoGraphicsInternal::NearestInt;

namespace {

constexpr Double D(Integer V) { return V; }

bool HasPicture(TPicture* APicture) {
  TGraphic* graphic = APicture ? APicture->GetGraphic() : nullptr;
  return graphic && !graphic->GetEmpty();
}

// A rectangle with content: right above left and bottom below top (false for NaN).
bool HasArea(const TRectF& R) { return R.Right > R.Left && R.Bottom > R.Top; }

bool IsFinite(const TRectF& R) {
  return std::isfinite(R.Left) && std::isfinite(R.Top) && std::isfinite(R.Right) && std::isfinite(R.Bottom);
}

TRectF ToRectF(Double ALeft, Double ATop, Double ARight, Double ABottom) {
  return {static_cast<Single>(ALeft), static_cast<Single>(ATop), static_cast<Single>(ARight),
          static_cast<Single>(ABottom)};
}

TRect RoundRect(const TRectF& R) { return RectFToRect(R); }

Single EffectiveScale(Single AScale) { return AScale > 0 ? AScale : TNeoUtils::GetDPIScale(); }

}  // namespace

// ---- Placement ----

void TNeoGraphics::GetAspectSize(Single& AWidth, Single& AHeight, Single AOriginalWidth, Single AOriginalHeight,
                                 Single ANewWidth, Single ANewHeight, bool AAspectRatio, bool AStretch, bool) {
  if (AAspectRatio) {
    if (AOriginalWidth <= 0 || AOriginalHeight <= 0 || ANewWidth <= 0 || ANewHeight <= 0) {
      AWidth = 0;
      AHeight = 0;
    } else if (ANewWidth > AOriginalWidth && ANewHeight > AOriginalHeight && !AStretch) {
      AWidth = AOriginalWidth;
      AHeight = AOriginalHeight;
    } else if (ANewWidth / ANewHeight <= AOriginalWidth / AOriginalHeight) {
      AWidth = ANewWidth;
      AHeight = ANewWidth * AOriginalHeight / AOriginalWidth;
    } else {
      AHeight = ANewHeight;
      AWidth = ANewHeight * AOriginalWidth / AOriginalHeight;
    }
  } else if (AStretch) {
    AWidth = ANewWidth;
    AHeight = ANewHeight;
  } else {
    // The picture's own size; cropping keeps it too and the placement centres it.
    AWidth = AOriginalWidth;
    AHeight = AOriginalHeight;
  }
}

TRectF TNeoGraphics::GetBitmapDrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TPicture* ABitmap,
                                            bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  if (!ABitmap) return {};
  const TRectF box = ToRectF(ALeft, ATop, ARight, ABottom);
  Single w = 0, h = 0;
  GetAspectSize(w, h, static_cast<Single>(ABitmap->GetWidth()), static_cast<Single>(ABitmap->GetHeight()), box.Width(),
                box.Height(), AAspectRatio, AStretch, ACropping);
  Single dx = 0, dy = 0;
  if (ACenter || ACropping) {
    dx = static_cast<Single>(NearestInt((box.Width() - w) / 2));
    dy = static_cast<Single>(NearestInt((box.Height() - h) / 2));
  }
  return {box.Left + dx, box.Top + dy, box.Left + dx + w, box.Top + dy + h};
}

TRectF TNeoGraphics::GetBitmapDrawRectangle(const TRectF& ARect, TPicture* ABitmap, bool AAspectRatio, bool AStretch,
                                            bool ACenter, bool ACropping) {
  return GetBitmapDrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmap, AAspectRatio, AStretch,
                                ACenter, ACropping);
}

TRect TNeoGraphics::GetBitmapDrawRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom,
                                           TPicture* ABitmap, bool AAspectRatio, bool AStretch, bool ACenter,
                                           bool ACropping) {
  return RoundRect(GetBitmapDrawRectangle(D(ALeft), D(ATop), D(ARight), D(ABottom), ABitmap, AAspectRatio,
                                          AStretch, ACenter, ACropping));
}

TRect TNeoGraphics::GetBitmapDrawRectangle(const TRect& ARect, TPicture* ABitmap, bool AAspectRatio, bool AStretch,
                                           bool ACenter, bool ACropping) {
  return GetBitmapDrawRectangle(ARect.left, ARect.top, ARect.right, ARect.bottom, ABitmap, AAspectRatio, AStretch,
                                ACenter, ACropping);
}

// ---- Drawing pictures ----

bool TNeoGraphics::DrawSVGPicture(TPicture* ABitmap, const TRectF& ARect) {
  const NeoGraphicsRegistry::TDrawSVGPictureProc draw = NeoGraphicsRegistry::DrawSVGPictureProc();
  return ABitmap && draw && draw(this, ABitmap, ARect);
}

void TNeoGraphics::DrawBitmap(Double ALeft, Double ATop, Double ARight, Double ABottom, TPicture* ABitmap,
                              bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  if (!ABitmap) return;
  const TRectF r = GetBitmapDrawRectangle(ALeft, ATop, ARight, ABottom, ABitmap, AAspectRatio, AStretch, ACenter,
                                          ACropping);
  if (!IsFinite(r) || DrawSVGPicture(ABitmap, r)) return;
  TGraphic* graphic = ABitmap->GetGraphic();
  if (!graphic || graphic->GetEmpty()) return;
  const TRectF source{0, 0, static_cast<Single>(ABitmap->GetWidth()), static_cast<Single>(ABitmap->GetHeight())};
  GetContext()->DrawBitmap(graphic, source, r, 1.0f);
}

void TNeoGraphics::DrawBitmap(const TRectF& ARect, TPicture* ABitmap, bool AAspectRatio, bool AStretch, bool ACenter,
                              bool ACropping) {
  DrawBitmap(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmap, AAspectRatio, AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawBitmap(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TPicture* ABitmap,
                              bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  DrawBitmap(D(ALeft), D(ATop), D(ARight), D(ABottom), ABitmap, AAspectRatio, AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawBitmap(const TRect& ARect, TPicture* ABitmap, bool AAspectRatio, bool AStretch, bool ACenter,
                              bool ACropping) {
  DrawBitmap(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom), ABitmap, AAspectRatio, AStretch,
             ACenter, ACropping);
}

void TNeoGraphics::DrawBitmap(Integer ALeft, Integer ATop, TPicture* ABitmap) {
  DrawBitmap(static_cast<Single>(ALeft), static_cast<Single>(ATop), ABitmap);
}

void TNeoGraphics::DrawBitmap(Single ALeft, Single ATop, TPicture* ABitmap) {
  if (!ABitmap) return;
  DrawBitmap(static_cast<Double>(ALeft), ATop, static_cast<Double>(ALeft) + ABitmap->GetWidth(),
             static_cast<Double>(ATop) + ABitmap->GetHeight(), ABitmap, true, false, true, false);
}

void TNeoGraphics::DrawBitmapPart(Double ASourceLeft, Double ASourceTop, Double ASourceRight, Double ASourceBottom,
                                  Double ADestinationLeft, Double ADestinationTop, Double ADestinationRight,
                                  Double ADestinationBottom, TPicture* ABitmap, bool AAspectRatio, bool AStretch,
                                  bool ACenter, bool ACropping) {
  const TRectF source = ToRectF(ASourceLeft, ASourceTop, ASourceRight, ASourceBottom);
  const TRectF destination = ToRectF(ADestinationLeft, ADestinationTop, ADestinationRight, ADestinationBottom);
  if (!HasPicture(ABitmap) || !HasArea(source) || !HasArea(destination) || !IsFinite(source) || !IsFinite(destination))
    return;
  if (DrawSVGPicture(ABitmap, destination)) return;
  // The part is cut out on a transparent picture of its own size (so that it keeps the picture's
  // transparency), then placed like a whole picture.
  std::unique_ptr<TNeoGraphics> part(new TNeoGraphics(TBitmapCanvasTag{}, NearestInt(source.Width()),
                                                      NearestInt(source.Height()), FNative, true));
  part->BeginScene();
  part->DrawBitmap(-static_cast<Double>(source.Left), -static_cast<Double>(source.Top),
                   ABitmap->GetWidth() - static_cast<Double>(source.Left),
                   ABitmap->GetHeight() - static_cast<Double>(source.Top), ABitmap, false, false, false, false);
  part->EndScene();
  TNeoBitmap copy;
  copy.SetGraphic(part->GetBitmap());
  DrawBitmap(destination, &copy, AAspectRatio, AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawBitmapPart(const TRectF& ASourceRect, const TRectF& ADestinationRect, TPicture* ABitmap,
                                  bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  DrawBitmapPart(ASourceRect.Left, ASourceRect.Top, ASourceRect.Right, ASourceRect.Bottom, ADestinationRect.Left,
                 ADestinationRect.Top, ADestinationRect.Right, ADestinationRect.Bottom, ABitmap, AAspectRatio, AStretch,
                 ACenter, ACropping);
}

void TNeoGraphics::DrawBitmapPart(Integer ASourceLeft, Integer ASourceTop, Integer ASourceRight, Integer ASourceBottom,
                                  Integer ADestinationLeft, Integer ADestinationTop, Integer ADestinationRight,
                                  Integer ADestinationBottom, TPicture* ABitmap, bool AAspectRatio, bool AStretch,
                                  bool ACenter, bool ACropping) {
  DrawBitmapPart(D(ASourceLeft), D(ASourceTop), D(ASourceRight), D(ASourceBottom), D(ADestinationLeft),
                 D(ADestinationTop), D(ADestinationRight), D(ADestinationBottom), ABitmap, AAspectRatio, AStretch, ACenter,
                 ACropping);
}

void TNeoGraphics::DrawBitmapPart(const TRect& ASourceRect, const TRect& ADestinationRect, TPicture* ABitmap,
                                  bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  DrawBitmapPart(ASourceRect.left, ASourceRect.top, ASourceRect.right, ASourceRect.bottom, ADestinationRect.left,
                 ADestinationRect.top, ADestinationRect.right, ADestinationRect.bottom, ABitmap, AAspectRatio,
                 AStretch, ACenter, ACropping);
}

// ---- Texture fills ----

void TNeoGraphics::DrawTexture(const TRectF& ARect, TNeoBitmap* ATexture, TNeoGraphicsTextureMode ATextureMode) {
  if (!HasPicture(ATexture) || !IsFinite(ARect)) return;
  const Single w = static_cast<Single>(ATexture->GetWidth()), h = static_cast<Single>(ATexture->GetHeight());
  const TRectF whole{0, 0, w, h};
  switch (ATextureMode) {
    case gtmOriginal: {
      const TRectF s = RectFIntersect(TRectF{ARect.Left, ARect.Top, ARect.Left + w, ARect.Top + h}, ARect);
      DrawBitmapPart(TRectF{0, 0, s.Width(), s.Height()},
                     TRectF{ARect.Left, ARect.Top, ARect.Left + s.Width(), ARect.Top + s.Height()}, ATexture, false,
                     false, false, false);
      break;
    }
    case gtmFit:
      DrawBitmap(RectFSnapToPixels(RectFFitInto(whole, ARect), false, 1), ATexture, false, true, false, false);
      break;
    case gtmStretch: DrawBitmap(ARect, ATexture, false, true, false, false); break;
    case gtmCenter:
      DrawBitmap(RectFSnapToPixels(RectFCentered(whole, ARect), false, 1), ATexture, true, false, true, false);
      break;
    case gtmTile: {
      // Whole tiles from the rectangle's top-left corner; the last ones overhang it. Tiles
      // outside the canvas's clip box would not show and are skipped.
      if (w <= 0 || h <= 0) return;
      const Double columns = std::min<Double>(std::trunc(ARect.Width() / w) + 1, 1e9);
      const Double rows = std::min<Double>(std::trunc(ARect.Height() / h) + 1, 1e9);
      const TRectF visible = FActiveCanvas ? RectToRectF(FActiveCanvas->GetClipRect()) : ARect;
      auto index = [](Double AValue, Double ALast) { return static_cast<Integer>(std::clamp(AValue, 0.0, ALast)); };
      const Integer firstColumn = index(std::floor((visible.Left - ARect.Left) / w), columns);
      const Integer lastColumn = index(std::ceil((visible.Right - ARect.Left) / w), columns);
      const Integer firstRow = index(std::floor((visible.Top - ARect.Top) / h), rows);
      const Integer lastRow = index(std::ceil((visible.Bottom - ARect.Top) / h), rows);
      for (Integer i = firstColumn; i <= lastColumn; ++i)
        for (Integer j = firstRow; j <= lastRow; ++j) {
          const TRectF tile{ARect.Left + i * w, ARect.Top + j * h, ARect.Left + (i + 1) * w, ARect.Top + (j + 1) * h};
          if (!RectFIsEmpty(RectFIntersect(tile, ARect))) DrawBitmap(tile, ATexture, false, false, false, false);
        }
      break;
    }
  }
}

// ---- Pictures by name and by scale ----

TPicture* TNeoGraphics::GetBitmapFromPictureContainer(TPictureContainer* APictureContainer, const String& AName,
                                                      bool AApplyScale, Single AScale) {
  const NeoGraphicsRegistry::TFindContainerPictureProc find = NeoGraphicsRegistry::FindContainerPictureProc();
  if (!APictureContainer || AName.empty() || !find) return nullptr;
  if (AApplyScale) {
    // The scale as the current format settings write it ("x_1,5" under a decimal comma).
    if (TPicture* scaled = find(APictureContainer, AName + u"_" + FloatToStr(EffectiveScale(AScale)))) return scaled;
  }
  return find(APictureContainer, AName);
}

TPicture* TNeoGraphics::GetScaledBitmap(TNeoScaledBitmaps* ABitmaps, Single AScale, TPictureContainer* APictureContainer) {
  if (!ABitmaps) return nullptr;
  TNeoScaledBitmap* item = ABitmaps->GetItemByScale(EffectiveScale(AScale));
  if (!item) return nullptr;
  if (HasPicture(item->GetBitmap())) return item->GetBitmap();
  return GetBitmapFromPictureContainer(APictureContainer, item->GetBitmapName(), true, EffectiveScale(AScale));
}

void TNeoGraphics::DrawBitmapWithName(Double ALeft, Double ATop, Double ARight, Double ABottom, const String& ABitmapName,
                                      bool AApplyScale, Single AScale, bool AAspectRatio, bool AStretch, bool ACenter,
                                      bool ACropping) {
  if (TPicture* picture = GetBitmapFromPictureContainer(FPictureContainer, ABitmapName, AApplyScale, AScale))
    DrawBitmap(ALeft, ATop, ARight, ABottom, picture, AAspectRatio, AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawBitmapWithName(const TRectF& ARect, const String& ABitmapName, bool AApplyScale, Single AScale,
                                      bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  DrawBitmapWithName(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmapName, AApplyScale, AScale, AAspectRatio,
                     AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawBitmapWithName(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom,
                                      const String& ABitmapName, bool AApplyScale, Single AScale, bool AAspectRatio,
                                      bool AStretch, bool ACenter, bool ACropping) {
  DrawBitmapWithName(D(ALeft), D(ATop), D(ARight), D(ABottom), ABitmapName, AApplyScale, AScale, AAspectRatio,
                     AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawBitmapWithName(const TRect& ARect, const String& ABitmapName, bool AApplyScale, Single AScale,
                                      bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  DrawBitmapWithName(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom), ABitmapName, AApplyScale,
                     AScale, AAspectRatio, AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawScaledBitmap(Double ALeft, Double ATop, Double ARight, Double ABottom, TNeoScaledBitmaps* ABitmaps,
                                    Single AScale, bool AAspectRatio, bool AStretch, bool ACenter, bool ACropping) {
  if (!ABitmaps) return;
  TNeoScaledBitmap* item = ABitmaps->GetItemByScale(EffectiveScale(AScale));
  if (!item) return;
  if (HasPicture(item->GetBitmap()))
    DrawBitmap(ALeft, ATop, ARight, ABottom, item->GetBitmap(), AAspectRatio, AStretch, ACenter, ACropping);
  else
    DrawBitmapWithName(ALeft, ATop, ARight, ABottom, item->GetBitmapName(), false, item->GetScale(), AAspectRatio,
                       AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawScaledBitmap(const TRectF& ARect, TNeoScaledBitmaps* ABitmaps, Single AScale, bool AAspectRatio,
                                    bool AStretch, bool ACenter, bool ACropping) {
  DrawScaledBitmap(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ABitmaps, AScale, AAspectRatio, AStretch, ACenter,
                   ACropping);
}

void TNeoGraphics::DrawScaledBitmap(const TRect& ARect, TNeoScaledBitmaps* ABitmaps, Single AScale, bool AAspectRatio,
                                    bool AStretch, bool ACenter, bool ACropping) {
  DrawScaledBitmap(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom), ABitmaps, AScale,
                   AAspectRatio, AStretch, ACenter, ACropping);
}

void TNeoGraphics::DrawScaledBitmap(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom,
                                    TNeoScaledBitmaps* ABitmaps, Single AScale, bool AAspectRatio, bool AStretch,
                                    bool ACenter, bool ACropping) {
  DrawScaledBitmap(D(ALeft), D(ATop), D(ARight), D(ABottom), ABitmaps, AScale, AAspectRatio, AStretch,
                   ACenter, ACropping);
}
