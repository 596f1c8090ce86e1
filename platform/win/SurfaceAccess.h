#pragma once
// Direct access to a DC's pixels by another drawing library (the GDI+ bridge draws into them).
#include "platform/win/Surface.h"

// Before reading or writing the pixels of GetDCSurface(ADC): brings a DIB section's own bits into
// the surface and completes pending drawing. After writing: EndDCSurfaceAccess marks the surface
// written and carries its pixels back to a DIB section's bits. Unknown DCs are ignored.
void BeginDCSurfaceAccess(HDC ADC);
void EndDCSurfaceAccess(HDC ADC, bool AWritten);
