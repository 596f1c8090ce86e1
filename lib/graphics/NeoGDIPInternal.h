#pragma once
// Shared helpers of the NeoGDIP sources.
#include <cmath>
#include <utility>

#include "lib/graphics/NeoGDIP.h"
#include "platform/rtl/ScopeGuard.h"

namespace NeoGDIP {

// To the nearest integer, halves to even.
inline Integer Nearest(Double AValue) { return static_cast<Integer>(std::nearbyint(AValue)); }

// The native objects of wrapper arguments that may be missing (nil then).
inline gdip::GpImage* NativeOf(TGPImage* AImage) { return AImage ? AImage->nativeImage : nullptr; }
inline gdip::GpPen* NativeOf(TGPPen* APen) { return APen ? APen->nativePen : nullptr; }
inline gdip::GpBrush* NativeOf(TGPBrush* ABrush) { return ABrush ? ABrush->nativeBrush : nullptr; }
inline gdip::GpMatrix* NativeOf(TGPMatrix* AMatrix) { return AMatrix ? AMatrix->nativeMatrix : nullptr; }
inline gdip::GpPath* NativeOf(TGPGraphicsPath* APath) { return APath ? APath->nativePath : nullptr; }
inline gdip::GpRegion* NativeOf(TGPRegion* ARegion) { return ARegion ? ARegion->nativeRegion : nullptr; }
inline gdip::GpFont* NativeOf(TGPFont* AFont) { return AFont ? AFont->nativeFont : nullptr; }
inline gdip::GpFontFamily* NativeOf(TGPFontFamily* AFamily) { return AFamily ? AFamily->nativeFamily : nullptr; }
inline gdip::GpStringFormat* NativeOf(TGPStringFormat* AFormat) { return AFormat ? AFormat->nativeFormat : nullptr; }
inline gdip::GpImageAttributes* NativeOf(TGPImageAttributes* AAttributes) {
  return AAttributes ? AAttributes->nativeImageAttr : nullptr;
}

// A creating call whose native type (H) derives from the one the wrapper keeps (B).
template <class H, class B, class... P, class... A>
void CreateAs(B*& AHandle, Status& AField, Status (*AEntry)(P...), A&&... AArgs) {
  H* handle = nullptr;
  TProtocol::Create(handle, AField, AEntry, std::forward<A>(AArgs)...);
  AHandle = handle;
}

// A new wrapper W(AHandle, AArgs...) of an object GDI+ made for the caller; when no wrapper
// results, the object is freed with ADelete.
template <class W, class H, class D, class... A>
W* Wrap(H* AHandle, Status (*ADelete)(D*), A&&... AArgs) {
  auto release = ScopeExit([&] { TProtocol::Call(ADelete, AHandle); });
  W* wrapper = new W(AHandle, std::forward<A>(AArgs)...);
  release.Dismiss();
  return wrapper;
}

// Frees the unit's generic font families (at its finalisation).
void FreeGenericFontFamilies();

}  // namespace NeoGDIP
