#pragma once
// Internals of the NeoGDIPlusClasses wrappers: the native handle of a wrapper argument (nil for a
// nil wrapper), and the table with its protocol.
#include "lib/graphics/NeoGDIPlusClasses.h"

namespace NeoGDIPlusClasses {

using TP = TProtocol;
inline TGdiplusProcs& Gdip() { return GdiplusProcs; }

inline gdip::GpPath* Handle(const TGPGraphicsPath* A) { return A ? A->nativePath : nullptr; }
inline gdip::GpRegion* Handle(const TGPRegion* A) { return A ? A->nativeRegion : nullptr; }
inline gdip::GpMatrix* Handle(const TGPMatrix* A) { return A ? A->nativeMatrix : nullptr; }
inline gdip::GpFontFamily* Handle(const TGPFontFamily* A) { return A ? A->nativeFamily : nullptr; }
inline gdip::GpFont* Handle(const TGPFont* A) { return A ? A->nativeFont : nullptr; }
inline gdip::GpFontCollection* Handle(const TGPFontCollection* A) { return A ? A->nativeFontCollection : nullptr; }
inline gdip::GpStringFormat* Handle(const TGPStringFormat* A) { return A ? A->nativeFormat : nullptr; }
inline gdip::GpPen* Handle(const TGPPen* A) { return A ? A->nativePen : nullptr; }
inline gdip::GpBrush* Handle(const TGPBrush* A) { return A ? A->nativeBrush : nullptr; }
inline gdip::GpCustomLineCap* Handle(const TGPCustomLineCap* A) { return A ? A->nativeCap : nullptr; }
inline gdip::GpImage* Handle(const TGPImage* A) { return A ? A->nativeImage : nullptr; }
inline gdip::GpBitmap* Handle(const TGPBitmap* A) { return A ? static_cast<gdip::GpBitmap*>(A->nativeImage) : nullptr; }
inline gdip::GpCachedBitmap* Handle(const TGPCachedBitmap* A) { return A ? A->nativeCachedBitmap : nullptr; }
inline gdip::GpImageAttributes* Handle(const TGPImageAttributes* A) { return A ? A->nativeImageAttr : nullptr; }
inline gdip::GpGraphics* Handle(const TGPGraphics* A) { return A ? A->nativeGraphics : nullptr; }

// A BOOL getter as bool: false unless the call succeeds and answers nonzero.
template <class... P, class... A>
bool GetBool(Status& AField, Status (*AEntry)(P...), A&&... AArgs) {
  return TP::Get<gdip::BOOL>(AField, 0, AEntry, std::forward<A>(AArgs)...) != 0;
}

}  // namespace NeoGDIPlusClasses
