// The graphics facade's text: drawing and measuring plain text through the context and markup
// through the rendering layer's engine (plain text while none is registered).
//
// Split mode (OptimizedHTMLDrawing, markup with "<BR>" or "<BR/>", no hit test): the text is cut
// at the separator as it stands in the text and the lines are stacked from the rectangle's top.
#include <cmath>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoGraphicsInternal.h"
#include "platform/rtl/ScopeGuard.h"

using NeoGraphicsInternal::NearestInt;

namespace {

constexpr Single TextBox = 10000;

std::vector<String> SplitAt(const String& AText, const String& ASeparator) {
  std::vector<String> lines;
  std::size_t start = 0;
  for (std::size_t pos; (pos = AText.find(ASeparator, start)) != String::npos; start = pos + ASeparator.size())
    lines.push_back(AText.substr(start, pos - start));
  lines.push_back(AText.substr(start));
  return lines;
}

bool IsFinite(const TRectF& R) {
  return std::isfinite(R.Left) && std::isfinite(R.Top) && std::isfinite(R.Right) && std::isfinite(R.Bottom);
}

TRectF ToRectF(Double ALeft, Double ATop, Double ARight, Double ABottom) {
  return {static_cast<Single>(ALeft), static_cast<Single>(ATop), static_cast<Single>(ARight),
          static_cast<Single>(ABottom)};
}

// Where an aligned extent of ASize starts in the span from AStart of ASpan.
Single AlignedStart(Single AStart, Single ASpan, Single ASize, TNeoGraphicsTextAlign AAlign) {
  switch (AAlign) {
    case gtaCenter: return AStart + (ASpan - ASize) / 2;
    case gtaTrailing: return AStart + ASpan - ASize;
    case gtaLeading: break;
  }
  return AStart;
}

}  // namespace

String TNeoGraphics::SplitSeparator(const String& AText) const {
  if (!FOptimizedHTMLDrawing || !TNeoUtils::IsHTML(AText)) return {};
  const String upper = UpperCase(AText);
  for (StringView separator : {StringView(u"<BR>"), StringView(u"<BR/>")}) {
    const std::size_t pos = upper.find(separator);
    if (pos != String::npos) return AText.substr(pos, separator.size());
  }
  return {};
}

TGraphicsHtmlDrawParams TNeoGraphics::HtmlParams(const String& AText, const TRectF& ARect, bool AWordWrapping) const {
  TGraphicsHtmlDrawParams params;
  params.AGraphics = const_cast<TNeoGraphics*>(this);
  params.AText = AText;
  params.ARect = ARect;
  params.AWordWrap = AWordWrapping;
  params.AURLColor = FURLColor;
  params.APictureContainer = FPictureContainer;
  params.AScale = 1.0f;
  params.AURLUnderline = FURLUnderline;
  params.AImages = FImageList;
  params.AHighlightColor = FHighlightColor;
  params.AHighlightTextColor = FHighlightTextColor;
  params.AHighlightFontStyles = FHighlightFontStyles;
  return params;
}

// ---- Drawing ----

String TNeoGraphics::InternalDrawText(const TRectF& ARect, const String& AText, String& AControlID,
                                      String& AControlValue, String& AControlType, bool AWordWrapping,
                                      TNeoGraphicsTextAlign AHorizontalAlign, TNeoGraphicsTextAlign AVerticalAlign,
                                      TNeoGraphicsTextTrimming ATrimming, Single AAngle, Single AMinWidth,
                                      Single AMinHeight, bool ASupportHTML, bool ATestAnchor, Single AX, Single AY) {
  if (!IsFinite(ARect) || !std::isfinite(AAngle)) return {};
  TNeoGraphicsContext* context = GetContext();
  const NeoGraphicsRegistry::TDrawGraphicsHtmlTextProc engine = NeoGraphicsRegistry::DrawGraphicsHtmlTextProc();
  const bool markup = ASupportHTML && engine && TNeoUtils::IsHTML(AText);
  // The fill is the text's brush for the call. The canvas context paints plain text in the font's
  // colour and leaves its brush alone, so its brush is not swapped for plain text (a markup run
  // draws each of its runs through here).
  const bool swapFill = markup || context != FContextGeneral.get();
  const TColor fillColor = swapFill ? context->GetFillColor() : TColor(0);
  if (swapFill) context->SetFillColor(FFont->GetColor());
  const auto restore = ScopeExit([&] {
    context->ResetTextAngle(AAngle);
    if (swapFill) context->SetFillColor(fillColor);
  });
  TRectF rect = ARect;
  if (AMinHeight > -1 && AMinHeight > rect.Height()) rect.Bottom = rect.Top + AMinHeight;
  if (AMinWidth > -1 && AMinWidth > rect.Width()) rect.Right = rect.Left + AMinWidth;
  const TRectF r = context->SetTextAngle(rect, AAngle);
  if (markup) {
    TGraphicsHtmlDrawParams measure = HtmlParams(AText, r, AWordWrapping);
    measure.ACheckHeight = true;
    engine(measure);
    const Single w = measure.AXSize, h = measure.AYSize + 1;
    TRectF target = r;
    if (!AWordWrapping || measure.ALineCount <= 1) {
      const Single x = AlignedStart(r.Left, r.Width(), w, AHorizontalAlign);
      const Single y = AlignedStart(r.Top, r.Height(), h, AVerticalAlign);
      // One pixel wider: the engine's lines start one pixel in from the rectangle's left.
      target = {x, y, x + w + 1, y + h};
    }
    TNeoGraphicsSaveState* state = SaveState(true);
    const auto restoreState = ScopeExit([&] { RestoreState(state, true); });
    ClipRect(r);
    TGraphicsHtmlDrawParams draw = HtmlParams(AText, target, AWordWrapping);
    draw.ACheckHotSpot = ATestAnchor;
    draw.AX = NearestInt(AX);
    draw.AY = NearestInt(AY);
    draw.AControlID = AControlID;
    draw.AExtents = measure.AExtents;
    const bool hit = engine(draw);
    AControlID = draw.AControlID;
    AControlValue = draw.AControlValue;
    AControlType = draw.AControlType;
    return hit ? draw.AAnchor : String();
  }
  // A hit test of plain text draws nothing and finds nothing.
  if (!ATestAnchor) context->DrawText(AText, r, AWordWrapping, AHorizontalAlign, AVerticalAlign, ATrimming, AAngle);
  return {};
}

String TNeoGraphics::DrawText(const TRectF& ARect, const String& AText, String& AControlID, String& AControlValue,
                              String& AControlType, bool AWordWrapping, TNeoGraphicsTextAlign AHorizontalAlign,
                              TNeoGraphicsTextAlign AVerticalAlign, TNeoGraphicsTextTrimming ATrimming, Single AAngle,
                              Single AMinWidth, Single AMinHeight, bool ASupportHTML, bool ATestAnchor, Single AX,
                              Single AY) {
  const String separator = ATestAnchor ? String() : SplitSeparator(AText);
  if (separator.empty())
    return InternalDrawText(ARect, AText, AControlID, AControlValue, AControlType, AWordWrapping, AHorizontalAlign,
                            AVerticalAlign, ATrimming, AAngle, AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX, AY);
  TRectF r = ARect;
  for (const String& line : SplitAt(AText, separator)) {
    const TRectF m = CalculateText(line, r, AWordWrapping, ASupportHTML);
    InternalDrawText(TRectF{m.Left, m.Top, m.Right + 1, m.Bottom}, line, AControlID, AControlValue, AControlType,
                     AWordWrapping, AHorizontalAlign, AVerticalAlign, ATrimming, AAngle, AMinWidth, AMinHeight,
                     ASupportHTML, ATestAnchor, AX, AY);
    r.Top += m.Height();
  }
  return {};
}

String TNeoGraphics::DrawText(const TRectF& ARect, const String& AText, bool AWordWrapping,
                              TNeoGraphicsTextAlign AHorizontalAlign, TNeoGraphicsTextAlign AVerticalAlign,
                              TNeoGraphicsTextTrimming ATrimming, Single AAngle, Single AMinWidth, Single AMinHeight,
                              bool ASupportHTML, bool ATestAnchor, Single AX, Single AY) {
  String id, value, type;
  return DrawText(ARect, AText, id, value, type, AWordWrapping, AHorizontalAlign, AVerticalAlign, ATrimming, AAngle,
                  AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX, AY);
}

String TNeoGraphics::DrawText(const TRect& ARect, const String& AText, bool AWordWrapping,
                              TNeoGraphicsTextAlign AHorizontalAlign, TNeoGraphicsTextAlign AVerticalAlign,
                              TNeoGraphicsTextTrimming ATrimming, Single AAngle, Single AMinWidth, Single AMinHeight,
                              bool ASupportHTML, bool ATestAnchor, Single AX, Single AY) {
  return DrawText(RectToRectF(ARect), AText, AWordWrapping, AHorizontalAlign, AVerticalAlign, ATrimming, AAngle,
                  AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX, AY);
}

String TNeoGraphics::DrawText(Double ALeft, Double ATop, Double ARight, Double ABottom, const String& AText,
                              bool AWordWrapping, TNeoGraphicsTextAlign AHorizontalAlign,
                              TNeoGraphicsTextAlign AVerticalAlign, TNeoGraphicsTextTrimming ATrimming, Single AAngle,
                              Single AMinWidth, Single AMinHeight, bool ASupportHTML, bool ATestAnchor, Single AX,
                              Single AY) {
  return DrawText(ToRectF(ALeft, ATop, ARight, ABottom), AText, AWordWrapping, AHorizontalAlign, AVerticalAlign,
                  ATrimming, AAngle, AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX, AY);
}

String TNeoGraphics::DrawText(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, const String& AText,
                              bool AWordWrapping, TNeoGraphicsTextAlign AHorizontalAlign,
                              TNeoGraphicsTextAlign AVerticalAlign, TNeoGraphicsTextTrimming ATrimming, Single AAngle,
                              Single AMinWidth, Single AMinHeight, bool ASupportHTML, bool ATestAnchor, Single AX,
                              Single AY) {
  return DrawText(ToRectF(ALeft, ATop, ARight, ABottom), AText, AWordWrapping, AHorizontalAlign, AVerticalAlign,
                  ATrimming, AAngle, AMinWidth, AMinHeight, ASupportHTML, ATestAnchor, AX, AY);
}

String TNeoGraphics::DrawText(TPointF APoint, const String& AText, Single AAngle, bool ASupportHTML, bool ATestAnchor,
                              Single AX, Single AY) {
  return DrawText(TRectF{APoint.X, APoint.Y, APoint.X + TextBox, APoint.Y + TextBox}, AText, false, gtaLeading,
                  gtaLeading, gttNone, AAngle, -1, -1, ASupportHTML, ATestAnchor, AX, AY);
}

String TNeoGraphics::ApplyHilight(const String& AText, const String& AHilight, bool ACaseSensitive) const {
  const NeoGraphicsRegistry::TApplyHilightProc hilight = NeoGraphicsRegistry::ApplyHilightProc();
  return hilight ? hilight(AText, AHilight, u"HI", ACaseSensitive) : AText;
}

// ---- Measuring ----

TRectF TNeoGraphics::InternalCalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping,
                                           bool ASupportHTML) {
  TRectF result = ARect;
  // No width, or no text: nothing to lay out (the measuring ends here).
  if (NearestInt(ARect.Width()) <= 0) {
    result.Bottom = result.Top;
    return result;
  }
  if (AText.empty()) {
    result.Right = result.Left;
    result.Bottom = result.Top;
    return result;
  }
  const NeoGraphicsRegistry::TDrawGraphicsHtmlTextProc engine = NeoGraphicsRegistry::DrawGraphicsHtmlTextProc();
  if (!ASupportHTML || !engine || !TNeoUtils::IsHTML(AText)) {
    result = GetContext()->CalculateText(AText, ARect, AWordWrapping);
    result.Bottom += 1;
    return result;
  }
  TGraphicsHtmlDrawParams measure = HtmlParams(AText, ARect, AWordWrapping);
  measure.ACheckHeight = true;
  engine(measure);
  result.Right = result.Left + measure.AXSize;
  result.Bottom = result.Top + measure.AYSize + 1;
  return result;
}

TRectF TNeoGraphics::CalculateText(const String& AText, const TRectF& ARect, bool AWordWrapping, bool ASupportHTML) {
  const String separator = SplitSeparator(AText);
  if (separator.empty()) return InternalCalculateText(AText, ARect, AWordWrapping, ASupportHTML);
  Single height = 0;
  for (const String& line : SplitAt(AText, separator))
    height += InternalCalculateText(line, ARect, AWordWrapping, ASupportHTML).Height();
  return {ARect.Left, ARect.Top, ARect.Right, ARect.Top + height};
}

TRectF TNeoGraphics::CalculateText(const String& AText) {
  return CalculateText(AText, TRectF{0, 0, TextBox, TextBox}, false, true);
}

TRect TNeoGraphics::CalculateTextInt(const String& AText, const TRect& ARect, bool AWordWrapping, bool ASupportHTML) {
  return RectFToRect(CalculateText(AText, RectToRectF(ARect), AWordWrapping, ASupportHTML));
}

TRect TNeoGraphics::CalculateTextInt(const String& AText) { return RectFToRect(CalculateText(AText)); }

TSizeF TNeoGraphics::CalculateTextSize(const String& AText, const TRectF& ARect, bool AWordWrapping, bool ASupportHTML) {
  return CalculateText(AText, ARect, AWordWrapping, ASupportHTML).Size();
}

TSizeF TNeoGraphics::CalculateTextSize(const String& AText) { return CalculateText(AText).Size(); }

TSize TNeoGraphics::CalculateTextSizeInt(const String& AText, const TRect& ARect, bool AWordWrapping, bool ASupportHTML) {
  return SizeFToSize(CalculateTextSize(AText, RectToRectF(ARect), AWordWrapping, ASupportHTML));
}

TSize TNeoGraphics::CalculateTextSizeInt(const String& AText) { return SizeFToSize(CalculateTextSize(AText)); }

Single TNeoGraphics::CalculateTextWidth(const String& AText, const TRectF& ARect, bool AWordWrapping, bool ASupportHTML) {
  return CalculateText(AText, ARect, AWordWrapping, ASupportHTML).Width();
}

Single TNeoGraphics::CalculateTextWidth(const String& AText) { return CalculateText(AText).Width(); }

Integer TNeoGraphics::CalculateTextWidthInt(const String& AText, const TRect& ARect, bool AWordWrapping,
                                            bool ASupportHTML) {
  return NearestInt(CalculateTextWidth(AText, RectToRectF(ARect), AWordWrapping, ASupportHTML));
}

Integer TNeoGraphics::CalculateTextWidthInt(const String& AText) { return NearestInt(CalculateTextWidth(AText)); }

Single TNeoGraphics::CalculateTextHeight(const String& AText, const TRectF& ARect, bool AWordWrapping, bool ASupportHTML) {
  return CalculateText(AText, ARect, AWordWrapping, ASupportHTML).Height();
}

Single TNeoGraphics::CalculateTextHeight(const String& AText) { return CalculateText(AText).Height(); }

Integer TNeoGraphics::CalculateTextHeightInt(const String& AText, const TRect& ARect, bool AWordWrapping,
                                             bool ASupportHTML) {
  return NearestInt(CalculateTextHeight(AText, RectToRectF(ARect), AWordWrapping, ASupportHTML));
}

Integer TNeoGraphics::CalculateTextHeightInt(const String& AText) { return NearestInt(CalculateTextHeight(AText)); }
