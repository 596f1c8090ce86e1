// Direct pixel access for drawing libraries beside GDI.
#include "platform/win/GdiInternal.h"
#include "platform/win/SurfaceAccess.h"

using namespace gdi;

void BeginDCSurfaceAccess(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return;
  if (TBitmapObj* b = SelectedBitmap(d)) b->PullDib();
  if (TSurface* s = TargetSurface(d)) s->Pixels();
}

void EndDCSurfaceAccess(HDC ADC, bool AWritten) {
  if (!AWritten) return;
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return;
  if (TSurface* s = TargetSurface(d)) s->MarkDirty();
  if (TBitmapObj* b = SelectedBitmap(d)) b->PushDib();
}
