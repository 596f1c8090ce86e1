#include "lib/grid/core/GDIPicture.h"

#include <cstring>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/WinBase.h"

namespace {

constexpr Integer MinimumFormatBytes = 44;

struct TStreamRelease {
  void operator()(IStream* Stream) const { Stream->Release(); }
};
using TIStreamPtr = std::unique_ptr<IStream, TStreamRelease>;

// A stream over a copy of the bytes in global memory, freed with the stream.
TIStreamPtr GlobalStreamOf(TMemoryStream* Data) {
  const auto size = static_cast<std::size_t>(Data->GetSize());
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
  void* bytes = global ? GlobalLock(global) : nullptr;
  if (!bytes) {
    if (global) GlobalFree(global);
    throw Exception(u"Could not allocate memory for image");
  }
  std::memcpy(bytes, Data->GetMemory(), size);
  GlobalUnlock(global);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(global, TRUE, &stream) != S_OK || !stream) {
    GlobalFree(global);
    throw Exception(u"Could not allocate memory for image");
  }
  return TIStreamPtr(stream);
}

// The graphics' device context for the scope of the object, as a canvas.
class THdcCanvas {
public:
  explicit THdcCanvas(NeoGDIP::TGPGraphics* Graphics) : FGraphics(Graphics), FDC(Graphics->GetHDC()) {
    FCanvas.SetHandle(FDC);
  }
  ~THdcCanvas() {
    FCanvas.SetHandle(nullptr);
    if (FDC) FGraphics->ReleaseHDC(FDC);
  }
  THdcCanvas(const THdcCanvas&) = delete;
  THdcCanvas& operator=(const THdcCanvas&) = delete;
  bool Valid() const { return FDC != nullptr; }
  TCanvas* Canvas() { return &FCanvas; }

private:
  NeoGDIP::TGPGraphics* FGraphics;
  HDC FDC;
  TCanvas FCanvas;
};

}  // namespace

TGDIPPicture::TGDIPPicture() : FDatastream(std::make_unique<TMemoryStream>()) {}

TGDIPPicture::~TGDIPPicture() = default;

void TGDIPPicture::FireClear() {
  if (OnClear) OnClear(this);
}

void TGDIPPicture::ClearSVG() {
  if (GetSVG()) GetSVG()->Clear();
  GetSourceStream()->Clear();
}

bool TGDIPPicture::IsRaster(TStream* Stream) { return !TNeoUtils::GetImageType(Stream, true).empty(); }

TPictureFormat TGDIPPicture::GetPictureFormat() {
  if (FDatastream->GetSize() < MinimumFormatBytes) return pfNone;
  const auto* b = static_cast<const Byte*>(FDatastream->GetMemory());
  auto word = [&](Integer At) { return static_cast<Word>(b[At] | (b[At + 1] << 8)); };
  auto dword = [&](Integer At) { return static_cast<Cardinal>(word(At) | (static_cast<Cardinal>(word(At + 2)) << 16)); };
  if (b[0] == 'B' && b[1] == 'M') return pfBMP;
  if (b[0] == 0xFF && b[1] == 0xD8) return pfJPG;
  if ((b[0] == 'I' && b[1] == 'I' && word(2) == 42) || (b[0] == 'M' && b[1] == 'M' && b[2] == 0 && b[3] == 0x2A))
    return pfTiff;
  static constexpr Byte png[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  if (std::memcmp(b, png, 8) == 0) return pfPNG;
  if (dword(0) == 0x9AC6CDD7 || (dword(0) == 1 && std::memcmp(b + 40, " EMF", 4) == 0)) return pfMetaFile;
  if (b[0] == 'G' && b[1] == 'I' && b[2] == 'F') return pfGIF;
  if (word(0) == 0 && word(2) == 1) return pfICO;
  return pfNone;
}

std::unique_ptr<NeoGDIP::TGPImage> TGDIPPicture::MakeImage() {
  TIStreamPtr stream = GlobalStreamOf(FDatastream.get());
  return std::make_unique<NeoGDIP::TGPImage>(stream.get());
}

bool TGDIPPicture::GetImageSizes() {
  if (HasSVG()) return true;
  if (FIsEmpty || FDatastream->GetSize() == 0) return false;
  std::unique_ptr<NeoGDIP::TGPImage> image = MakeImage();
  FWidth = static_cast<Integer>(image->GetWidth());
  FHeight = static_cast<Integer>(image->GetHeight());
  return true;
}

bool TGDIPPicture::GetEmpty() { return HasSVG() ? TNeoSVGBitmap::GetEmpty() : FIsEmpty; }
Integer TGDIPPicture::GetWidth() { return HasSVG() ? TNeoSVGBitmap::GetWidth() : FWidth; }
Integer TGDIPPicture::GetHeight() { return HasSVG() ? TNeoSVGBitmap::GetHeight() : FHeight; }
void TGDIPPicture::SetWidth(Integer) {}
void TGDIPPicture::SetHeight(Integer) {}
void TGDIPPicture::LoadFromClipboardFormat(Word, HANDLE) {}
void TGDIPPicture::SaveToClipboardFormat(Word&, HANDLE&) {}

// ---------------------------------------------------------------------------------------------
// Loading and saving

void TGDIPPicture::LoadFromFile(const String& FileName) {
  try {
    FDatastream->LoadFromFile(FileName);
    if (IsRaster(FDatastream.get())) {
      ClearSVG();
    } else {
      FDatastream->Clear();
      TNeoSVGBitmap::LoadFromFile(FileName);
    }
    FIsEmpty = false;
    FFileName = FileName;
    FireClear();
    GetImageSizes();
    Changed(this);
  } catch (const Exception&) {
    FDatastream->Clear();
    FIsEmpty = true;
    FWidth = FHeight = 0;
  }
}

void TGDIPPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  if (IsRaster(Stream)) {
    ClearSVG();
    FDatastream->Clear();
    FDatastream->CopyFrom(Stream, 0);
  } else {
    FDatastream->Clear();
    TNeoSVGBitmap::LoadFromStream(Stream);
  }
  FIsEmpty = false;
  GetImageSizes();
  Changed(this);
}

void TGDIPPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  if (IsRaster(Stream)) {
    ClearSVG();
    FDatastream->Clear();
    FDatastream->CopyFrom(Stream, 0);
  } else {
    FDatastream->Clear();
    TNeoSVGBitmap::ReadData(Stream);
  }
  FIsEmpty = false;
}

void TGDIPPicture::SaveToStream(TStream* Stream) {
  if (!Stream) return;
  if (HasSVG()) {
    TNeoSVGBitmap::SaveToStream(Stream);
    return;
  }
  FDatastream->SetPosition(0);
  Stream->CopyFrom(FDatastream.get(), FDatastream->GetSize());
}

void TGDIPPicture::WriteData(TStream* Stream) {
  if (!Stream) return;
  if (HasSVG()) {
    TNeoSVGBitmap::WriteData(Stream);
    return;
  }
  FDatastream->SetPosition(0);
  Stream->CopyFrom(FDatastream.get(), FDatastream->GetSize());
}

void TGDIPPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  std::span<const Byte> data;
  if (!FindResourceData(ResName, RT_RCDATA, data)) return;
  TResourceStream stream(Instance, ResName, RT_RCDATA);
  LoadFromStream(&stream);
}

void TGDIPPicture::LoadFromResourceID(HINSTANCE Instance, Integer ResID) {
  TResourceStream stream(Instance, ResID, RT_RCDATA);
  LoadFromStream(&stream);
}

void TGDIPPicture::LoadFromURL(const String& URL) {
  const String upper = UpperCase(URL);
  static constexpr StringView res = u"RES://", file = u"FILE://";
  if (upper.starts_with(res)) {
    String name = URL.substr(res.size());
    if (!name.empty()) LoadFromResourceName(nullptr, name);
  } else if (upper.starts_with(file)) {
    String path = URL.substr(file.size());
    if (!path.empty()) LoadFromFile(path);
  }
}

// ---------------------------------------------------------------------------------------------
// Assigning

void TGDIPPicture::TakeGraphic(TGraphic* Graphic) {
  TMemoryStream saved;
  if (Graphic) Graphic->SaveToStream(&saved);
  ClearSVG();
  FDatastream->Clear();
  saved.SetPosition(0);
  FDatastream->CopyFrom(&saved, saved.GetSize());
  FIsEmpty = FDatastream->GetSize() == 0;
}

void TGDIPPicture::Assign(TPersistent* Source) {
  if (!Source) {
    FDatastream->Clear();
    FIsEmpty = true;
    FWidth = FHeight = 0;
    Changed(this);
    FireClear();
    return;
  }
  if (auto* picture = dynamic_cast<TGDIPPicture*>(Source)) {
    FIsEmpty = true;
    if (picture->HasSVG()) {
      ClearSVG();
      FDatastream->Clear();
      TNeoSVGBitmap::Assign(picture);
      FIsEmpty = false;
    } else {
      ClearSVG();
      FDatastream->Clear();
      picture->FDatastream->SetPosition(0);
      FDatastream->CopyFrom(picture->FDatastream.get(), picture->FDatastream->GetSize());
      FIsEmpty = picture->FIsEmpty;
    }
  } else if (auto* holder = dynamic_cast<TPicture*>(Source)) {
    TakeGraphic(holder->GetGraphic());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    TakeGraphic(graphic);
  } else {
    GetImageSizes();
    return;
  }
  Changed(this);
  GetImageSizes();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas) return;
  if (HasSVG()) {
    TNeoSVGBitmap::Draw(ACanvas, Rect);
    return;
  }
  if (FIsEmpty || FDatastream->GetSize() == 0) return;
  std::unique_ptr<NeoGDIP::TGPImage> image = MakeImage();
  if (image->GetLastStatus() != NeoGDIP::Ok) return;
  if (image->GetFormat() == NeoGDIP::ifBMP && FTransparentBitmap) {
    TBitmap bitmap;
    FDatastream->SetPosition(0);
    bitmap.LoadFromStream(FDatastream.get());
    bitmap.SetTransparentMode(tmAuto);
    bitmap.SetTransparent(true);
    ACanvas->StretchDraw(Rect, &bitmap);
    return;
  }
  FWidth = static_cast<Integer>(image->GetWidth());
  FHeight = static_cast<Integer>(image->GetHeight());
  NeoGDIP::TGPGraphics graphics(ACanvas->GetHandle());
  if (FAngle != 0) {
    NeoGDIP::TGPMatrix matrix;
    matrix.RotateAt(static_cast<Single>(FAngle),
                    NeoGDIP::TGPPointF{Rect.left + FWidth / 2.0F, Rect.top + FHeight / 2.0F}, NeoGDIP::MatrixOrderPrepend);
    graphics.SetTransform(&matrix);
  }
  graphics.DrawImageRect(image.get(), Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
  graphics.ResetTransform();
}

void TGDIPPicture::DrawImage(NeoGDIP::TGPGraphics* Graphics, Integer X, Integer Y) {
  if (!Graphics) return;
  if (HasSVG()) {
    DrawSVG(Graphics, X, Y, GetWidth(), GetHeight());
    return;
  }
  if (FIsEmpty || FDatastream->GetSize() == 0) return;
  std::unique_ptr<NeoGDIP::TGPImage> image = MakeImage();
  if (image->GetLastStatus() == NeoGDIP::Ok) Graphics->DrawImage(image.get(), X, Y);
}

void TGDIPPicture::DrawImageRect(NeoGDIP::TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H) {
  if (!Graphics) return;
  if (HasSVG()) {
    DrawSVG(Graphics, X, Y, W, H);
    return;
  }
  if (FIsEmpty || FDatastream->GetSize() == 0) return;
  std::unique_ptr<NeoGDIP::TGPImage> image = MakeImage();
  if (image->GetLastStatus() == NeoGDIP::Ok) Graphics->DrawImageRect(image.get(), X, Y, W, H);
}

void TGDIPPicture::DrawSVG(NeoGDIP::TGPGraphics* Graphics, Integer X, Integer Y, Integer W, Integer H) {
  if (!Graphics || !HasSVG()) return;
  THdcCanvas target(Graphics);
  if (!target.Valid()) return;
  GetSVG()->Draw(target.Canvas(), TRectF{static_cast<Single>(X), static_cast<Single>(Y), static_cast<Single>(X + W),
                                         static_cast<Single>(Y + H)},
                 true);
}
