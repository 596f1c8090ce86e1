// TNeoSVGImport's abstract operations and the SVG picture class.
#include "lib/render/NeoSVGBitmap.h"

#include <cmath>

#include "lib/base/NeoUtils.h"
#include "lib/graphics/NeoGDIPlusApi.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoTypes.h"
#include "lib/render/NeoGraphicsSVGDrawInternal.h"
#include "lib/render/NeoGraphicsSVGEngine.h"
#include "lib/render/NeoGraphicsSVGInternal.h"
#include "platform/rtl/Units.h"

namespace {

[[noreturn]] void AbstractError() { throw EAbstractError(u"Abstract Error"); }

// Runs a step; false (the failure swallowed) when it raised.
template <class F>
bool Guarded(F&& AStep) {
  try {
    AStep();
    return true;
  } catch (...) {
    return false;
  }
}

constexpr Int64 CopyBufferSize = 1048576;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TNeoSVGImport
// ---------------------------------------------------------------------------------------------

bool TNeoSVGImport::HasElements() { AbstractError(); }
Integer TNeoSVGImport::ElementCount() { AbstractError(); }
TNeoBitmap* TNeoSVGImport::GenerateBitmap(Single, Single) { AbstractError(); }
void TNeoSVGImport::Clear() { AbstractError(); }
void TNeoSVGImport::Draw(TCanvas*, const TRectF&, bool) { AbstractError(); }
void TNeoSVGImport::LoadFromText(const String&) { AbstractError(); }
void TNeoSVGImport::LoadFromFile(const String&) { AbstractError(); }
void TNeoSVGImport::LoadFromStream(TStream*) { AbstractError(); }
void TNeoSVGImport::SaveToStream(TStream*) { AbstractError(); }
void TNeoSVGImport::SaveToFile(const String&) { AbstractError(); }

// ---------------------------------------------------------------------------------------------
// TNeoSVGBitmap
// ---------------------------------------------------------------------------------------------

TNeoSVGBitmap::TNeoSVGBitmap()
    : FSVG(std::make_unique<TNeoGraphicsSVGImport>()), FStream(std::make_unique<TMemoryStream>()) {}

TNeoSVGBitmap::~TNeoSVGBitmap() = default;

void TNeoSVGBitmap::SetFileName(const String& Value) {
  if (Value == FFileName) return;
  FFileName = Value;
  LoadFromFile(Value);
}

bool TNeoSVGBitmap::HasSVG() { return FSVG && FSVG->HasElements(); }

void TNeoSVGBitmap::Clear() {
  if (FSVG) FSVG->Clear();
  FFileName.clear();
  Changed(this);
}

void TNeoSVGBitmap::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TNeoSVGBitmap*>(Source);
  if (!source) return;
  // Each step only after the previous one succeeded; failures are swallowed.
  Guarded([&] { FSVG->Clear(); }) && Guarded([&] { FStream->Clear(); }) &&
      Guarded([&] {
        source->FStream->SetPosition(0);
        FStream->CopyFrom(source->FStream.get(), source->FStream->GetSize());
      }) &&
      Guarded([&] { FSVG->LoadFromStream(FStream.get()); });
  Changed(this);
}

void TNeoSVGBitmap::AssignTo(TPersistent* Dest) {
  if (auto* dest = dynamic_cast<TNeoSVGBitmap*>(Dest)) dest->Assign(this);
}

void TNeoSVGBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!FSVG || GetEmpty()) return;
  FSVG->Draw(ACanvas, RectToRectF(Rect), true);
}

bool TNeoSVGBitmap::GetEmpty() { return !FSVG || !FSVG->HasElements(); }

Integer TNeoSVGBitmap::ScaledExtent(Single ALow, Single AHigh) const {
  // Nothing measured (the markers) or an empty rectangle has no extent.
  if (ALow == TNeoGraphicsSVGImport::ViewMarkerLow || AHigh == TNeoGraphicsSVGImport::ViewMarkerHigh || AHigh <= ALow)
    return 0;
  const Double extent = std::nearbyint(static_cast<Double>(TNeoUtils::GetDPIScale()) * (static_cast<Double>(AHigh) - ALow));
  return extent >= 2147483647.0 ? 2147483647 : static_cast<Integer>(extent);
}

Integer TNeoSVGBitmap::GetWidth() {
  return FSVG ? ScaledExtent(FSVG->GetViewRect().Left, FSVG->GetViewRect().Right) : 0;
}

Integer TNeoSVGBitmap::GetHeight() {
  return FSVG ? ScaledExtent(FSVG->GetViewRect().Top, FSVG->GetViewRect().Bottom) : 0;
}

void TNeoSVGBitmap::SetWidth(Integer) { AbstractError(); }
void TNeoSVGBitmap::SetHeight(Integer) { AbstractError(); }

void TNeoSVGBitmap::ReadData(TStream* Stream) {
  Integer count = 0;
  Stream->ReadBuffer(&count, 4);
  FStream->Clear();
  // Only a length that the stream can hold is copied; anything else leaves the picture empty.
  const Int64 left = Stream->GetSize() - Stream->GetPosition();
  if (count > 0 && count <= left) {
    TBytes buffer(static_cast<std::size_t>(std::min<Int64>(count, CopyBufferSize)));
    for (Int64 rest = count; rest > 0;) {
      const Int64 n = std::min<Int64>(rest, CopyBufferSize);
      Stream->ReadBuffer(buffer.data(), n);
      FStream->WriteBuffer(buffer.data(), n);
      rest -= n;
    }
    FSVG->LoadFromStream(FStream.get());
  } else {
    FSVG->Clear();
  }
}

void TNeoSVGBitmap::WriteData(TStream* Stream) {
  const Integer count = static_cast<Integer>(FStream->GetSize());
  Stream->WriteBuffer(&count, 4);
  FStream->SetPosition(0);
  Stream->CopyFrom(FStream.get(), FStream->GetSize());
}

void TNeoSVGBitmap::LoadFromFile(const String& Filename) {
  if (!FSVG) return;
  FStream->Clear();
  FStream->LoadFromFile(Filename);
  FSVG->LoadFromStream(FStream.get());
  Changed(this);
}

void TNeoSVGBitmap::SaveToFile(const String& Filename) {
  if (!FSVG) return;
  TFileStream file(Filename, fmCreate);
  SaveToStream(&file);
}

bool TNeoSVGBitmap::CanLoadFromStream(TStream* Stream) { return TNeoUtils::GetImageType(Stream, false).empty(); }

void TNeoSVGBitmap::LoadFromStream(TStream* Stream) {
  if (!FSVG || !Stream) return;
  Guarded([&] { FFileName.clear(); }) && Guarded([&] {
    FStream->Clear();
    FStream->CopyFrom(Stream, 0);
  }) && Guarded([&] { FSVG->LoadFromStream(FStream.get()); });
  Changed(this);
}

void TNeoSVGBitmap::SaveToStream(TStream* Stream) {
  if (!Stream) return;
  FStream->SetPosition(0);
  Stream->CopyFrom(FStream.get(), FStream->GetSize());
}

void RegisterNeoSVGUnit() {
  RegisterNeoGDIPlusApiUnits();   // native drawing: GDI+ bound and started
  RegisterNeoTypesUnit();
  RegisterUnit(
      u"NeoSVG",
      [] {
        RegisterClass(TNeoSVGBitmap::StaticClass());
        RegisterNeoGraphicsSVGRtti();
        TPicture::RegisterFileFormat(u"SVG", u"Scalable Vector Graphics", GraphicClassOf<TNeoSVGBitmap>());
        NeoGraphicsRegistry::RegisterDrawSVGPicture(&DrawSVGPictureOnGraphics);
      },
      [] {
        NeoGraphicsRegistry::RegisterDrawSVGPicture(nullptr);
        TPicture::UnregisterGraphicClass(GraphicClassOf<TNeoSVGBitmap>());
      });
}
