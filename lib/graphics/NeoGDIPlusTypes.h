#pragma once
// GDI+'s own enumerations and records under the names both wrapper sets use (NeoGDIPlusClasses
// over the bound table, NeoGDIP over the imported functions), and the call protocol they share.
// The types are those of the module's flat API (platform/gdiplus/GdiPlusFlat.h), so a value
// passes to a flat function as it is.
#include <utility>

#include "platform/gdiplus/GdiPlusFlat.h"

namespace NeoGDIPlusApi {

// ---- Enumerations (members unqualified, as GDI+ publishes them) ----
using Status = gdip::Status;
using enum gdip::Status;
using FillMode = gdip::FillMode;
using enum gdip::FillMode;
using CompositingMode = gdip::CompositingMode;
using enum gdip::CompositingMode;
using Unit_ = gdip::Unit;
using enum gdip::Unit;
using CoordinateSpace = gdip::CoordinateSpace;
using enum gdip::CoordinateSpace;
using WrapMode = gdip::WrapMode;
using enum gdip::WrapMode;
using HatchStyle = gdip::HatchStyle;
using enum gdip::HatchStyle;
using DashStyle = gdip::DashStyle;
using enum gdip::DashStyle;
using LineJoin = gdip::LineJoin;
using enum gdip::LineJoin;
using WarpMode = gdip::WarpMode;
using enum gdip::WarpMode;
using LinearGradientMode = gdip::LinearGradientMode;
using enum gdip::LinearGradientMode;
using CombineMode = gdip::CombineMode;
using enum gdip::CombineMode;
using ImageType = gdip::ImageType;
using enum gdip::ImageType;
using PenAlignment = gdip::PenAlignment;
using enum gdip::PenAlignment;
using BrushType = gdip::BrushType;
using enum gdip::BrushType;
using MatrixOrder = gdip::MatrixOrder;
using enum gdip::MatrixOrder;
using TextRenderingHint = gdip::TextRenderingHint;
using enum gdip::TextRenderingHint;
using StringTrimming = gdip::StringTrimming;
using enum gdip::StringTrimming;
using StringDigitSubstitute = gdip::StringDigitSubstitute;
using enum gdip::StringDigitSubstitute;
using HotkeyPrefix = gdip::HotkeyPrefix;
using enum gdip::HotkeyPrefix;
using StringAlignment = gdip::StringAlignment;
using enum gdip::StringAlignment;
using FlushIntention = gdip::FlushIntention;
using enum gdip::FlushIntention;
using ColorChannelFlags = gdip::ColorChannelFlags;
using enum gdip::ColorChannelFlags;
using RotateFlipType = gdip::RotateFlipType;
using enum gdip::RotateFlipType;
using ColorMatrixFlags = gdip::ColorMatrixFlags;
using enum gdip::ColorMatrixFlags;
using ColorAdjustType = gdip::ColorAdjustType;
using enum gdip::ColorAdjustType;

// The abort callback of image operations: called with its data, a nonzero answer stops.
using ImageAbort = gdip::ImageAbort;

// ---- Records and their pointers ----
using UINT16 = gdip::UINT16;
using ARGB = gdip::ARGB;
using TGPSizeF = gdip::SizeF;
using TGPPointF = gdip::PointF;
using TGPPoint = gdip::Point;
using TGPRectF = gdip::RectF;
using TGPRect = gdip::Rect;
using TCharacterRange = gdip::CharacterRange;
using ColorPalette = gdip::ColorPalette;
using BitmapData = gdip::BitmapData;
using EncoderParameters = gdip::EncoderParameters;
using PropertyItem = gdip::PropertyItem;
using ColorMatrix = gdip::ColorMatrix;
using ColorMap = gdip::ColorMap;
using PGPPointF = TGPPointF*;
using PGPPoint = TGPPoint*;
using PGPRectF = TGPRectF*;
using PGPRect = TGPRect*;
using PCharacterRange = TCharacterRange*;
using PARGB = ARGB*;
using PGPColor = ARGB*;
using PColorPalette = ColorPalette*;
using PEncoderParameters = EncoderParameters*;
using PPropertyItem = PropertyItem*;
using PColorMap = ColorMap*;
using PUINT16 = UINT16*;

// ---- The call protocol of every wrapper ----
// A wrapper keeps its native handle and a status field. Over a binding TBinding (whose static
// Loaded() tells whether its library is loaded) every call goes through Call, which never calls
// through a nil entry: GdiplusNotInitialized when the library is not loaded, NotImplemented for an
// entry the library lacks. The status field keeps the latest failure since it was last read.
template <class TBinding>
struct TGPProtocol {
  template <class... P, class... A>
  static Status Call(Status (*AEntry)(P...), A&&... AArgs) {
    if (!TBinding::Loaded()) return GdiplusNotInitialized;
    if (!AEntry) return NotImplemented;
    return AEntry(std::forward<A>(AArgs)...);
  }

  // A failure is stored, Ok leaves the field; the status is returned.
  static Status SetStatus(Status& AField, Status AStatus) {
    if (AStatus != Ok) AField = AStatus;
    return AStatus;
  }

  // The field, which is reset to Ok.
  static Status GetLastStatus(Status& AField) {
    Status last = AField;
    AField = Ok;
    return last;
  }

  // A method: one call, its status recorded and returned.
  template <class... P, class... A>
  static Status Run(Status& AField, Status (*AEntry)(P...), A&&... AArgs) {
    return SetStatus(AField, Call(AEntry, std::forward<A>(AArgs)...));
  }

  // A getter whose value comes through the last parameter: APreset, unless the call succeeds.
  template <class T, class... P, class... A>
  static T Get(Status& AField, T APreset, Status (*AEntry)(P...), A&&... AArgs) {
    T value = APreset;
    return Run(AField, AEntry, std::forward<A>(AArgs)..., &value) == Ok ? value : APreset;
  }

  // A creating constructor: the handle cleared, the creating call's status stored as it is (Ok
  // included), and a nil handle when it failed.
  template <class H, class... P, class... A>
  static void Create(H*& AHandle, Status& AField, Status (*AEntry)(P...), A&&... AArgs) {
    AHandle = nullptr;
    AField = Call(AEntry, std::forward<A>(AArgs)..., &AHandle);
    if (AField != Ok) AHandle = nullptr;
  }
};

}  // namespace NeoGDIPlusApi
